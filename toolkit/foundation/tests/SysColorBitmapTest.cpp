// Toolbar bitmaps recoloured to the 3-D colours: a full colour table, a short one (biClrUsed),
// a long header, and a 24-bit bitmap that stays as it is; resources cut short are refused.
#include <toolkit/foundation/SysColorBitmap.h>

#include <gtest/gtest.h>

namespace
{
constexpr COLORREF RED = RGB(255, 0, 0);
constexpr COLORREF BLUE = RGB(0, 0, 255);
constexpr COLORREF LIGHT_GREY = RGB(0xC0, 0xC0, 0xC0);

// The 4×2 pixels of a loaded bitmap, top row first.
std::vector<COLORREF> Pixels(CBitmap& bitmap)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* pOld = dc.SelectObject(&bitmap);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            pixels.push_back(dc.GetPixel(x, y));
    dc.SelectObject(pOld);
    return pixels;
}

TEST(SysColorBitmapTest, GreysOfTheColourTableBecomeTheButtonColours)
{
    const COLORREF text = ::GetSysColor(COLOR_BTNTEXT);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF hilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    ASSERT_NE(face, LIGHT_GREY) << "the test needs a button face other than light grey";
    const std::vector<COLORREF> expected{text, shadow, face, RED, face, RED, BLUE, hilite};
    for (UINT nID : {101u, 102u, 103u})
    {
        CBitmap bitmap;
        ASSERT_TRUE(LoadSysColorBitmap(bitmap, MAKEINTRESOURCE(nID))) << nID;
        EXPECT_EQ(Pixels(bitmap), expected) << nID;
    }
}

TEST(SysColorBitmapTest, DeepBitmapsAreLoadedUnchanged)
{
    CBitmap bitmap;
    ASSERT_TRUE(LoadSysColorBitmap(bitmap, MAKEINTRESOURCE(104)));
    const std::vector<COLORREF> expected{LIGHT_GREY, RED,        BLUE,       RGB(255, 255, 255),
                                         LIGHT_GREY, LIGHT_GREY, LIGHT_GREY, LIGHT_GREY};
    EXPECT_EQ(Pixels(bitmap), expected);
}

TEST(SysColorBitmapTest, MissingOrMalformedResourceFails)
{
    for (UINT nID : {199u, 105u, 106u})
    {
        CBitmap bitmap;
        EXPECT_FALSE(LoadSysColorBitmap(bitmap, MAKEINTRESOURCE(nID))) << nID;
        EXPECT_EQ(bitmap.m_hObject, nullptr) << nID;
    }
}
} // namespace
