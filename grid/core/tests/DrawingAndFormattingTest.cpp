#include "GridTestSupport.h"

#include <grid/core/DrawingAndFormatting.h>

#include <gtest/gtest.h>

TEST(DrawingAndFormattingTest, PatternBitmapsAreMadeOnceFromTheTable)
{
    CGXDrawingAndFormatting* pDraw = DrawingAndFormattingInstance();
    CBitmap* pFirst = pDraw->GetPatternBitmap(1);
    ASSERT_NE(pFirst, nullptr);
    EXPECT_EQ(pDraw->GetPatternBitmap(1), pFirst);

    struct Case
    {
        int nPattern;
        BYTE rows[8];
    };
    const Case cases[] = {
        {1, {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA}},
        {25, {0xFE, 0xFD, 0xFB, 0xF7, 0xEF, 0xDF, 0xBF, 0x7F}},
        {40, {0x00, 0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF}},
    };
    for (const Case& c : cases)
    {
        BITMAP info;
        ASSERT_TRUE(pDraw->GetPatternBitmap(c.nPattern)->GetBitmap(&info));
        EXPECT_EQ(info.bmWidth, 8);
        EXPECT_EQ(info.bmHeight, 8);
        EXPECT_EQ(info.bmBitsPixel, 1);
        WORD bits[8] = {};
        ASSERT_EQ(pDraw->GetPatternBitmap(c.nPattern)->GetBitmapBits(sizeof(bits), bits), sizeof(bits));
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(LOBYTE(bits[i]), c.rows[i]) << "pattern " << c.nPattern << " row " << i;
    }
    EXPECT_EQ(pDraw->GetPatternBitmap(-1), nullptr);
    EXPECT_EQ(pDraw->GetPatternBitmap(41), nullptr);
}
