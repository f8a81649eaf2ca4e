#include "GridTestSupport.h"

#include <grid/core/GridParam.h>
#include <grid/core/LongOperationImp.h>
#include <grid/core/Style.h>
#include <grid/core/WaitState.h>

#include <gtest/gtest.h>

namespace
{
constexpr WORD idStatic = 52513;

class ResizeToFitTest : public HiddenGridOfTest<TestGrid>
{
protected:
    void SetUp() override
    {
        HiddenGridOfTest::SetUp();
        m_grid.SetStyleRangeShort(CGXRange().SetTable(), CGXStyle().SetControl(idStatic));
        CClientDC dc(&m_grid);
        TEXTMETRIC tm;
        dc.GetTextMetrics(&tm);
        m_nLine = tm.tmHeight + tm.tmExternalLeading;
    }

    // The composed style of cell (2, 2), the cell the size calculation measures.
    CGXStyle CellStyle()
    {
        CGXStyle style;
        m_grid.ComposeStyleRowCol(2, 2, &style);
        return style;
    }
    // Runs the measuring with the style's font selected into the device context.
    template <typename Measure> void WithFont(CDC& dc, const CGXStyle& style, Measure measure)
    {
        CFont* pOld = m_grid.LoadFont(&dc, style, nullptr);
        measure();
        if (pOld != nullptr)
            dc.SelectObject(pOld);
    }
    // What the static control adds to a measured size of cell (2, 2).
    CSize Borders(CDC& dc, const CGXStyle& style)
    {
        CSize borders(0, 0);
        m_grid.GetRegisteredControl(idStatic)->AddFrameToSize(borders, &dc, 2, 2, &style);
        return borders;
    }
    int m_nLine = 0;
};

// A clock that stands for the first 30 readings and then runs a second per reading, so that
// feedback falls due in the middle of a fit.
int s_nTickReadings = 0;
DWORD WINAPI LateTicks()
{
    ++s_nTickReadings;
    return s_nTickReadings <= 30 ? 0 : static_cast<DWORD>(s_nTickReadings) * 1000;
}

} // namespace

TEST_F(ResizeToFitTest, AnAbortRollsTheFittedSizesBackAndAnswersFalse)
{
    m_grid.SetValueRange(CGXRange(2, 2), _T("a fairly long text for column two"));
    m_grid.SetValueRange(CGXRange(2, 3), _T("a fairly long text for column three"));
    const int nBefore2 = m_grid.GetColWidth(2);
    const int nBefore3 = m_grid.GetColWidth(3);
    GX_WAIT_STATE* pState = GXGetWaitState();
    const BOOL bAskUser = pState->m_bAskUser;
    pState->m_bAskUser = FALSE;
    s_nTickReadings = 0;
    CGXLongOperationImp::s_pfnGetTickCount = LateTicks;
    // Escape waits in the queue until the feedback reads it.
    m_grid.PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    const BOOL bFitted = m_grid.ResizeColWidthsToFit(CGXRange().SetCols(2, 3));
    CGXLongOperationImp::s_pfnGetTickCount = ::GetTickCount;
    pState->m_bAskUser = bAskUser;
    EXPECT_FALSE(bFitted);
    EXPECT_GT(s_nTickReadings, 30) << "the abort came after column 2 was fitted";
    EXPECT_EQ(m_grid.GetColWidth(2), nBefore2);
    EXPECT_EQ(m_grid.GetColWidth(3), nBefore3);
    EXPECT_TRUE(m_grid.ResizeColWidthsToFit(CGXRange().SetCols(2, 3)));
    EXPECT_GT(m_grid.GetColWidth(2), nBefore2);
}

TEST_F(ResizeToFitTest, AColumnFitsItsWidestCellAndGrowOnlyNeverLowers)
{
    m_grid.SetValueRange(CGXRange(2, 2), _T("a fairly long text for one cell"));
    m_grid.SetValueRange(CGXRange(3, 2), _T("short"));
    const int nBefore = m_grid.GetColWidth(2);
    ASSERT_TRUE(m_grid.ResizeColWidthsToFit(CGXRange().SetCols(2, 2)));
    const int nFitted = m_grid.GetColWidth(2);
    EXPECT_GT(nFitted, nBefore);

    m_grid.SetValueRange(CGXRange(2, 2), _T("x"));
    ASSERT_TRUE(m_grid.ResizeColWidthsToFit(CGXRange().SetCols(2, 2), TRUE, GX_INVALIDATE | GX_GROWONLY));
    EXPECT_EQ(m_grid.GetColWidth(2), nFitted);
    ASSERT_TRUE(m_grid.ResizeColWidthsToFit(CGXRange().SetCols(2, 2)));
    EXPECT_LT(m_grid.GetColWidth(2), nFitted);
    ASSERT_TRUE(m_grid.Undo());
    EXPECT_EQ(m_grid.GetColWidth(2), nFitted);
}

TEST_F(ResizeToFitTest, AWrappedCellGivesItsRowTheHeightOfItsLines)
{
    m_grid.SetColWidth(1, 1, 40);
    m_grid.SetStyleRangeShort(CGXRange(2, 1), CGXStyle().SetWrapText(TRUE).SetValue(_T("one two three four five")));
    ASSERT_TRUE(m_grid.ResizeRowHeightsToFit(CGXRange().SetRows(2, 2)));
    EXPECT_GE(m_grid.GetRowHeight(2), 3 * m_nLine);
    // A row whose cells lie in zero-width columns only keeps its height.
    m_grid.SetColWidth(1, 1, 0);
    const int nHeight = m_grid.GetRowHeight(2);
    ASSERT_TRUE(m_grid.ResizeRowHeightsToFit(CGXRange(2, 1, 2, 1)));
    EXPECT_EQ(m_grid.GetRowHeight(2), nHeight);
}

TEST_F(ResizeToFitTest, ACoveredRangeCountsAtItsBottomRowLessTheRowsAbove)
{
    m_grid.SetColWidth(1, 1, 40);
    m_grid.SetRowHeight(3, 3, 10);
    m_grid.SetStyleRangeShort(CGXRange(3, 1), CGXStyle().SetWrapText(TRUE).SetValue(_T("one two three four five six")));
    ASSERT_TRUE(m_grid.SetCoveredCellsRowCol(3, 1, 4, 1));
    ASSERT_TRUE(m_grid.ResizeRowHeightsToFit(CGXRange(3, 1, 4, 1)));
    EXPECT_EQ(m_grid.GetRowHeight(3), 10); // the top row of the covering is not measured
    const int nBottom = m_grid.GetRowHeight(4);
    ASSERT_TRUE(m_grid.ResizeRowHeightsToFit(CGXRange(3, 1, 4, 1), FALSE));
    EXPECT_EQ(m_grid.GetRowHeight(4), nBottom);
    EXPECT_GE(nBottom + 10, 3 * m_nLine);
}

TEST_F(ResizeToFitTest, ARowNeverGrowsPastTheVisibleArea)
{
    m_grid.SetColWidth(1, 1, 20);
    CString strLong;
    for (int i = 0; i < 60; ++i)
        strLong += _T("word ");
    m_grid.SetStyleRangeShort(CGXRange(5, 1), CGXStyle().SetWrapText(TRUE).SetValue(strLong));
    ASSERT_TRUE(m_grid.ResizeRowHeightsToFit(CGXRange().SetRows(5, 5)));
    CRect rect;
    m_grid.GetGridRect(&rect);
    EXPECT_LE(m_grid.GetRowHeight(5), rect.Height() - m_grid.GetRowHeight(0) - 1);
}

// Widths: without the grid's width limit a fitted column may be wider than the view; with it the
// width stops at the view.
TEST_F(ResizeToFitTest, TheWidthLimitOnlyClampsWhileTheGridLimitsWidths)
{
    CString strLong;
    for (int i = 0; i < 80; ++i)
        strLong += _T("w");
    m_grid.SetValueRange(CGXRange(2, 3), _T("abc"));
    ASSERT_TRUE(m_grid.ResizeColWidthsToFit(CGXRange().SetCols(3, 3)));
    CRect rect;
    m_grid.GetGridRect(&rect);
    EXPECT_LT(m_grid.GetColWidth(3), rect.Width() / 2); // a short text stays narrow
    m_grid.SetValueRange(CGXRange(2, 3), strLong);
    ASSERT_TRUE(m_grid.ResizeColWidthsToFit(CGXRange().SetCols(3, 3)));
    EXPECT_GT(m_grid.GetColWidth(3), rect.Width());
}

TEST_F(ResizeToFitTest, TheSizeCalculationMeasuresTextBitmapsAndTheStoredValue)
{
    CGXControl* pStatic = m_grid.GetRegisteredControl(idStatic);
    ASSERT_NE(pStatic, nullptr);
    CClientDC dc(&m_grid);
    CGXStyle style = CellStyle();
    TEXTMETRIC tm;
    WithFont(dc, style, [&] { dc.GetTextMetrics(&tm); });
    const CSize borders = Borders(dc, style);

    // Empty: the widest character, one line and a pixel.
    const CSize empty = pStatic->GetPreferredSize(&dc, 2, 2, style, 0);
    EXPECT_EQ(empty.cx, tm.tmMaxCharWidth + borders.cx);
    EXPECT_EQ(pStatic->GetPreferredSize(&dc, 2, 2, style, 1).cy, tm.tmHeight + tm.tmExternalLeading + 1 + borders.cy);

    // Two unwrapped lines: as wide as the longer one.
    style.SetValue(_T("ab\nabcdefgh"));
    const int nTwoLines = pStatic->GetPreferredSize(&dc, 2, 2, style, 0).cx;
    style.SetValue(_T("abcdefgh"));
    EXPECT_EQ(nTwoLines, pStatic->GetPreferredSize(&dc, 2, 2, style, 0).cx);

    // Forty wrapped lines are measured as 32.
    CString strForty;
    for (int i = 0; i < 40; ++i)
        strForty += _T("w\n");
    style.SetWrapText(TRUE).SetValue(strForty);
    EXPECT_EQ(pStatic->GetPreferredSize(&dc, 2, 2, style, 1).cy,
              32 * (tm.tmHeight + tm.tmExternalLeading) + borders.cy);

    // A bitmap value measures the bitmap (4 x 3) and the borders.
    style.SetWrapText(FALSE).SetValue(_T("#BMP(120)"));
    EXPECT_EQ(pStatic->GetPreferredSize(&dc, 2, 2, style, 0), CSize(4 + borders.cx, 3 + borders.cy));

    // The value-display bit 0x2 measures the stored value rather than the formatted text.
    style.SetValue(_T("1234.5")).SetValueType(CGXStyle::valueNumber).SetFormat(4).SetPlaces(2);
    const int nShown = pStatic->GetPreferredSize(&dc, 2, 2, style, 0).cx;
    m_grid.GetParam()->m_wValueDisplay |= 0x2;
    const int nStored = pStatic->GetPreferredSize(&dc, 2, 2, style, 0).cx;
    m_grid.GetParam()->m_wValueDisplay = 0;
    CGXStyle plain;
    m_grid.ComposeStyleRowCol(2, 2, &plain);
    plain.SetValue(_T("1234.5"));
    EXPECT_EQ(nStored, pStatic->GetPreferredSize(&dc, 2, 2, plain, 0).cx);
    EXPECT_GT(nShown, nStored);
}

// A wrapped text is as wide as its widest wrapped line only where the cell holds all its lines
// (n lines need n line heights and a pixel); elsewhere it is as wide as its own line.
TEST_F(ResizeToFitTest, AWrappedWidthTakesTheWrappedLinesOnlyWhereTheCellHoldsThemAll)
{
    CGXControl* pStatic = m_grid.GetRegisteredControl(idStatic);
    ASSERT_NE(pStatic, nullptr);
    CClientDC dc(&m_grid);
    CGXStyle style = CellStyle();
    style.SetWrapText(TRUE).SetValue(_T("aaaa bbbb cccc"));
    int nOwn = 0;
    int nTwoWords = 0;
    int nLine = 0;
    WithFont(dc, style, [&] {
        nOwn = dc.GetTextExtent(_T("aaaa bbbb cccc")).cx;
        nTwoWords = dc.GetTextExtent(_T("aaaa bbbb")).cx;
        TEXTMETRIC tm;
        dc.GetTextMetrics(&tm);
        nLine = tm.tmHeight + tm.tmExternalLeading;
    });
    const CSize borders = Borders(dc, style);
    const CRect rectProbe(0, 0, 200, 200);
    CRect rectClient;
    pStatic->GetCellClientRect(rectClient, 2, 2, &rectProbe, &style);
    const CSize margins(rectProbe.Width() - rectClient.Width(), rectProbe.Height() - rectClient.Height());
    // A word a line: two words do not fit the client width.
    const int nClientWidth = nTwoWords - 2;
    m_grid.SetColWidth(2, 2, nClientWidth + margins.cx);

    const struct
    {
        int nClientHeight;
        bool bWrapped;
    } cases[] = {
        {3 * nLine + 1, true},  {5 * nLine, true},  {3 * nLine, false},
        {2 * nLine + 1, false}, {nLine + 1, false}, {nLine / 2, false},
    };
    for (const auto& test : cases)
    {
        m_grid.SetRowHeight(2, 2, test.nClientHeight + margins.cy);
        const int nWidth = pStatic->GetPreferredSize(&dc, 2, 2, style, 0).cx - borders.cx;
        if (test.bWrapped)
        {
            EXPECT_LT(nWidth, nOwn) << test.nClientHeight;
            EXPECT_LE(nWidth, nClientWidth + 1) << test.nClientHeight;
        }
        else
            EXPECT_EQ(nWidth, nOwn) << test.nClientHeight;
    }
}
