#include "GridTestSupport.h"

#include <grid/core/DrawingAndFormatting.h>
#include <toolkit/foundation/VisualStyle.h>

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

namespace
{
// A white bitmap in a memory DC.
class Canvas : public CDC
{
public:
    Canvas(int nWidth, int nHeight)
    {
        CreateCompatibleDC(nullptr);
        CDC screen;
        screen.Attach(::GetDC(nullptr));
        m_bitmap.CreateCompatibleBitmap(&screen, nWidth, nHeight);
        ::ReleaseDC(nullptr, screen.Detach());
        m_pOld = SelectObject(&m_bitmap);
        FillSolidRect(0, 0, nWidth, nHeight, RGB(255, 255, 255));
    }
    ~Canvas() override
    {
        SelectObject(m_pOld);
    }

private:
    CBitmap m_bitmap;
    CBitmap* m_pOld;
};

struct Lines
{
    int nCount;
    int anStarts[8];
    int anLengths[8];
    CRect rect;
};

Lines Break(CDC& dc, LPCTSTR pszText, const CRect& rect, UINT nFormat)
{
    Lines lines = {};
    lines.rect = rect;
    lines.nCount = DrawingAndFormattingInstance()->BreakTextLines(&dc, pszText, -1, lines.rect, nFormat, lines.anStarts,
                                                                  lines.anLengths, 8);
    return lines;
}

int Width(CDC& dc, LPCTSTR pszText)
{
    return dc.GetTextExtent(pszText, static_cast<int>(wcslen(pszText))).cx;
}

int LineHeight(CDC& dc)
{
    TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    return tm.tmHeight + tm.tmExternalLeading;
}
} // namespace

TEST(DrawingAndFormattingTest, BreakTextLinesByWordsLineBreaksAndCharacters)
{
    RecordingDC dc;
    const int nLineHeight = LineHeight(dc);
    const CRect tall(0, 0, 400, nLineHeight * 6);

    const Lines trailing = Break(dc, L"ab\r\ncd\r", tall, DT_WORDBREAK);
    ASSERT_EQ(trailing.nCount, 3);
    EXPECT_EQ(trailing.anStarts[1], 4);
    EXPECT_EQ(trailing.anLengths[1], 2);
    EXPECT_EQ(trailing.anLengths[2], 0);

    const Lines single = Break(dc, L"one\r\ntwo\r\nthree", tall, 0);
    ASSERT_EQ(single.nCount, 1);
    EXPECT_EQ(single.anLengths[0], 3);

    // The second word goes to the next line.
    const CRect narrow(0, 0, Width(dc, L"aaa bb") - 1, nLineHeight * 6);
    const Lines words = Break(dc, L"aaa bbb", narrow, DT_WORDBREAK);
    ASSERT_EQ(words.nCount, 2);
    EXPECT_EQ(words.anLengths[0], 4);
    EXPECT_EQ(words.anStarts[1], 4);
    EXPECT_EQ(words.anLengths[1], 3);

    // One word wider than the cell is cut by characters; the one that overflows stays.
    const CRect cut(0, 0, Width(dc, L"WWW") - 1, nLineHeight * 6);
    const Lines chars = Break(dc, L"WWWWWWW", cut, DT_WORDBREAK);
    ASSERT_GE(chars.nCount, 2);
    EXPECT_EQ(chars.anLengths[0], 4);
    EXPECT_EQ(chars.anStarts[1], 4);

    EXPECT_EQ(Break(dc, L"", tall, DT_WORDBREAK).nCount, 0);
}

TEST(DrawingAndFormattingTest, BreakTextLinesMovesTheTopForVerticalAlignment)
{
    RecordingDC dc;
    TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    const CRect rect(0, 10, 400, 110);
    const int nTotal = rect.top + tm.tmHeight + tm.tmExternalLeading + 1;
    EXPECT_EQ(Break(dc, L"x", rect, DT_VCENTER).rect.top, rect.top + (rect.bottom - nTotal + tm.tmExternalLeading) / 2);
    EXPECT_EQ(Break(dc, L"x", rect, DT_BOTTOM).rect.top, rect.top + rect.bottom - nTotal);
    EXPECT_EQ(Break(dc, L"x", rect, 0).rect.top, rect.top);
}

TEST(DrawingAndFormattingTest, OverflowModesMarkCutText)
{
    CGXDrawingAndFormatting* pDraw = DrawingAndFormattingInstance();
    RecordingDC dc;
    const CRect rect(0, 0, Width(dc, L"####") + Width(dc, L"#") / 2, LineHeight(dc));

    pDraw->DrawTextOverflow(&dc, L"123456789012", -1, rect, DT_SINGLELINE, rect, 2);
    ASSERT_EQ(dc.m_texts.size(), 1u);
    EXPECT_STREQ(dc.m_texts[0], L"####");

    pDraw->DrawTextOverflow(&dc, L"abcdefghijkl", -1, rect, DT_SINGLELINE, rect, 1);
    ASSERT_EQ(dc.m_texts.size(), 2u);
    const CString strEllipsis = dc.m_texts[1];
    EXPECT_EQ(strEllipsis.Right(3), L"...");
    EXPECT_LE(Width(dc, strEllipsis), rect.Width());
    EXPECT_EQ(strEllipsis.Left(strEllipsis.GetLength() - 3),
              CString(L"abcdefghijkl").Left(strEllipsis.GetLength() - 3));

    pDraw->DrawTextPlain(&dc, L"abcdefghijkl", -1, rect, DT_SINGLELINE, rect);
    ASSERT_EQ(dc.m_texts.size(), 3u);
    EXPECT_EQ(dc.m_texts[2].Find(L'.'), -1);

    // Text that fits is drawn as it is, right-aligned at the right edge.
    pDraw->DrawTextOverflow(&dc, L"12", -1, rect, DT_SINGLELINE | DT_RIGHT, rect, 2);
    EXPECT_STREQ(dc.m_texts.back(), L"12");
    EXPECT_EQ(dc.m_points.back().x, rect.right - Width(dc, L"12"));
}

TEST(DrawingAndFormattingTest, HitTestTextFindsTheCharacterUnderThePoint)
{
    CGXDrawingAndFormatting* pDraw = DrawingAndFormattingInstance();
    RecordingDC dc;
    const int nLineHeight = LineHeight(dc);
    const CRect rect(10, 0, 400, nLineHeight * 4);
    const int y = nLineHeight / 2;
    EXPECT_EQ(pDraw->HitTestText(&dc, L"hello", -1, rect, 0, rect.left + Width(dc, L"he") + 1, y), 2);
    EXPECT_EQ(pDraw->HitTestText(&dc, L"hello", -1, rect, 0, rect.left + 1, y), 0);
    EXPECT_EQ(pDraw->HitTestText(&dc, L"hello", -1, rect, 0, rect.left + Width(dc, L"hello") + 50, y), -1);
    EXPECT_EQ(pDraw->HitTestText(&dc, L"hello", -1, rect, 0, rect.left - 50, y), -1);
    EXPECT_EQ(pDraw->HitTestText(&dc, L"hello", -1, rect, 0, rect.left + 1, nLineHeight * 2), -1);
    EXPECT_EQ(
        pDraw->HitTestText(&dc, L"ab\r\ncd", -1, rect, DT_WORDBREAK, rect.left + Width(dc, L"c") + 1, nLineHeight + 1),
        5);
    const int xRight = rect.right - Width(dc, L"hello");
    EXPECT_EQ(pDraw->HitTestText(&dc, L"hello", -1, rect, DT_RIGHT, xRight + Width(dc, L"h") + 1, y), 1);
}

TEST(DrawingAndFormattingTest, FrameRingsFillEachEdgeInItsColour)
{
    Canvas dc(30, 30);
    dc.SetBkColor(RGB(1, 2, 3));

    DrawingAndFormattingInstance()->DrawFrameRings(&dc, 2, 2, 20, 20, 2, RGB(255, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(dc.GetBkColor(), RGB(1, 2, 3));
    struct Probe
    {
        int x, y;
        COLORREF rgb;
    };
    const Probe probes[] = {
        {10, 2, RGB(255, 0, 0)},  {2, 10, RGB(255, 0, 0)},  {10, 3, RGB(255, 0, 0)},      {10, 20, RGB(0, 0, 255)},
        {20, 10, RGB(0, 0, 255)}, {10, 19, RGB(0, 0, 255)}, {10, 10, RGB(255, 255, 255)}, {25, 25, RGB(255, 255, 255)},
    };
    for (const Probe& probe : probes)
        EXPECT_EQ(dc.GetPixel(probe.x, probe.y), probe.rgb) << probe.x << "," << probe.y;
}

TEST(DrawingAndFormattingTest, CaptionIsCentredAndFramedWithTheFocus)
{
    const int nOldStyle = SECGetVisualStyle();
    const CRect rect(0, 0, 120, 40);
    const COLORREF rgbShadow = ::GetSysColor(COLOR_BTNSHADOW);
    for (int nStyle : {1, 3})
    {
        SECSetVisualStyle(nStyle);
        Canvas dc(120, 40);
        dc.SelectStockObject(SYSTEM_FONT);
        CRect rectText = rect;
        dc.DrawText(L"OK", -1, rectText, DT_SINGLELINE | DT_CALCRECT);
        CRect frame(CPoint((rect.Width() - rectText.Width()) / 2, (rect.Height() - rectText.Height()) / 2),
                    rectText.Size());
        frame.InflateRect(3, 0);
        DrawingAndFormattingInstance()->DrawCaption(&dc, rect, L"OK", DT_SINGLELINE, TRUE);
        const COLORREF rgbFrame = nStyle == 1 ? rgbShadow : RGB(255, 255, 255);
        EXPECT_EQ(dc.GetPixel(frame.left + 2, frame.top), rgbFrame) << nStyle;
        EXPECT_EQ(dc.GetPixel(frame.left, frame.top + 2), rgbFrame) << nStyle;
        EXPECT_EQ(dc.GetPixel(frame.right - 1, frame.bottom - 2), rgbFrame) << nStyle;
        EXPECT_EQ(dc.GetPixel(frame.left, frame.top), RGB(255, 255, 255)) << nStyle;
        EXPECT_EQ(dc.GetPixel(frame.left - 1, frame.top + 2), RGB(255, 255, 255)) << nStyle;
        bool bInk = false;
        for (int x = frame.left + 3; x < frame.right - 3 && !bInk; ++x)
            for (int y = frame.top + 1; y < frame.bottom - 1 && !bInk; ++y)
                bInk = dc.GetPixel(x, y) != RGB(255, 255, 255);
        EXPECT_TRUE(bInk) << nStyle;
    }
    SECSetVisualStyle(nOldStyle != 0 ? nOldStyle : 1);
}

TEST(DrawingAndFormattingTest, ChoiceListRoutines)
{
    struct SplitCase
    {
        LPCTSTR pszText, pszHead, pszRest;
    };
    const SplitCase splits[] = {
        {L"one\r\ntwo\r\n", L"one", L"two\r\n"},
        {L"one\ntwo", L"one", L"two"},
        {L"one\r\rtwo", L"one", L"\rtwo"},
        {L"alone", L"alone", L""},
        {L"", L"", L""},
    };
    for (const SplitCase& c : splits)
    {
        CString strText = c.pszText, strHead;
        GXSplitFirstLine(strText, strHead);
        EXPECT_STREQ(strHead, c.pszHead) << c.pszText;
        EXPECT_STREQ(strText, c.pszRest) << c.pszText;
    }

    EXPECT_STREQ(GXGetChoiceField(L"a\tbeta\tc", 1, 10), L"beta");
    EXPECT_STREQ(GXGetChoiceField(L"a\tbeta\tc", 1, 2), L"be");
    EXPECT_STREQ(GXGetChoiceField(L"a\tbeta\tc", 2, 10), L"c");
    EXPECT_STREQ(GXGetChoiceField(L"a\tbeta", 5, 10), L"");

    const LPCTSTR pszList = L"Apple\t3\r\nbanana\t1\r\nCherry\t2\r\n";
    struct FindCase
    {
        LPCTSTR pszValue;
        BOOL bExact;
        int nColumn;
        BOOL bTitle;
        int nIndex;
        LPCTSTR pszLine;
    };
    const FindCase finds[] = {
        {L"banana", TRUE, 0, FALSE, 1, L"banana\t1"}, {L"Banana", TRUE, 0, FALSE, -1, L""},
        {L"BAN", FALSE, 0, FALSE, 1, L"banana\t1"},   {L"2", TRUE, 1, FALSE, 2, L"Cherry\t2"},
        {L"cherry", FALSE, 0, FALSE, 2, L"Cherry\t2"}, {L"Cherry\t2", TRUE, -1, FALSE, 2, L"Cherry\t2"},
        {L"kiwi", FALSE, 0, FALSE, -1, L""},           {L"Apple", TRUE, 0, TRUE, -1, L""},
        {L"2", TRUE, 1, TRUE, 1, L"Cherry\t2"},       {L"", FALSE, 0, TRUE, 0, L"banana\t1"},
    };
    for (const FindCase& c : finds)
    {
        CString strLine = L"stale";
        EXPECT_EQ(GXFindChoiceListItem(c.pszValue, pszList, c.bExact, c.nColumn, c.bTitle, strLine), c.nIndex)
            << c.pszValue;
        EXPECT_STREQ(strLine, c.pszLine) << c.pszValue;
    }
    // Columns are matched over their first 127 characters only.
    const CString strLong(L'x', 200);
    CString strLine;
    EXPECT_EQ(GXFindChoiceListItem(strLong.Left(127), strLong + L"\tv", TRUE, 0, FALSE, strLine), 0);
    EXPECT_EQ(GXFindChoiceListItem(strLong.Left(128), strLong + L"\tv", TRUE, 0, FALSE, strLine), -1);

    EXPECT_LT(GXCompareChoiceEntries(L"apple\t9", L"BANANA\t1", 0), 0);
    EXPECT_GT(GXCompareChoiceEntries(L"apple\t9", L"BANANA\t1", 1), 0);

    CString strList = pszList;
    GXSortChoiceList(strList, 1, FALSE);
    EXPECT_STREQ(strList, L"banana\t1\r\nCherry\t2\r\nApple\t3\r\n");
    strList = L"Name\tNo\nzeta\t1\nalpha\t2";
    GXSortChoiceList(strList, 0, TRUE);
    EXPECT_STREQ(strList, L"Name\tNo\r\nalpha\t2\r\nzeta\t1\r\n");
}

TEST(DrawingAndFormattingTest, InvertRectKeepsToTheClipAndDibColorCounts)
{
    Canvas dc(20, 20);
    const CRect clip(5, 5, 20, 20);
    GXInvertRect(&dc, CRect(0, 0, 10, 10), &clip);
    EXPECT_EQ(dc.GetPixel(2, 2), RGB(255, 255, 255));
    EXPECT_EQ(dc.GetPixel(7, 7), RGB(0, 0, 0));
    GXInvertRect(&dc, CRect(0, 0, 3, 3), &clip);
    EXPECT_EQ(dc.GetPixel(1, 1), RGB(255, 255, 255));
    GXInvertRect(&dc, CRect(0, 0, 3, 3), nullptr);
    EXPECT_EQ(dc.GetPixel(1, 1), RGB(0, 0, 0));

    struct Case
    {
        WORD nBits;
        DWORD nUsed;
        int nCount;
    };
    const Case cases[] = {{1, 0, 2}, {4, 0, 16}, {8, 0, 256}, {24, 0, 0}, {8, 7, 7}, {32, 3, 3}};
    for (const Case& c : cases)
    {
        BITMAPINFOHEADER header = {};
        header.biBitCount = c.nBits;
        header.biClrUsed = c.nUsed;
        EXPECT_EQ(GXGetDibColorCount(header), c.nCount) << c.nBits << " bits, " << c.nUsed << " used";
    }
}
