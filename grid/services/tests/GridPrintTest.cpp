#include <afxdlgs.h>
#include <afxext.h>

#include <grid/core/GridParam.h>
#include <grid/core/Properties.h>
#include <grid/services/print/GridPrintImp.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <ctime>
#include <functional>
#include <set>
#include <utility>
#include <vector>

#include "GridTestSupport.h"

namespace
{
// A page of the given size in pixels (one logical unit each) that keeps what was written on it.
class PageDC : public CDC
{
public:
    PageDC(int cx, int cy) : m_size(cx, cy)
    {
        CreateCompatibleDC(nullptr);
        m_bitmap.CreateBitmap(cx, cy, 1, 32, nullptr);
        m_pOld = SelectObject(&m_bitmap);
        FillSolidRect(0, 0, cx, cy, RGB(255, 255, 255));
    }
    ~PageDC() override
    {
        SelectObject(m_pOld);
    }
    int GetDeviceCaps(int nIndex) const override
    {
        return nIndex == HORZRES ? m_size.cx : nIndex == VERTRES ? m_size.cy : CDC::GetDeviceCaps(nIndex);
    }
    BOOL TextOut(int x, int y, LPCTSTR lpszString, int nCount) override
    {
        m_texts.emplace_back(lpszString, nCount);
        m_points.emplace_back(x, y);
        m_cellTexts.emplace(lpszString, nCount);
        return CDC::TextOut(x, y, lpszString, nCount);
    }
    BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString, UINT nCount,
                    LPINT lpDxWidths) override
    {
        m_cellTexts.emplace(lpszString, static_cast<int>(nCount));
        return CDC::ExtTextOut(x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths);
    }
    int DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat) override
    {
        m_cellTexts.emplace(lpszString, nCount < 0 ? lstrlenW(lpszString) : nCount);
        return CDC::DrawText(lpszString, nCount, lpRect, nFormat);
    }
    COLORREF Pixel(int x, int y)
    {
        return GetPixel(x, y) & 0xFFFFFF;
    }
    void Clear()
    {
        m_texts.clear();
        m_points.clear();
        m_cellTexts.clear();
        FillSolidRect(0, 0, m_size.cx, m_size.cy, RGB(255, 255, 255));
    }

    CSize m_size;
    std::vector<CString> m_texts;
    std::vector<CPoint> m_points;
    std::set<CString> m_cellTexts;

private:
    CBitmap m_bitmap;
    CBitmap* m_pOld = nullptr;
};

// The print feature with a fixed clock.
class FixedClockPrintImp : public CGXGridPrintImp
{
public:
    static constexpr time_t fixedTime = 1700000000; // November 2023

protected:
    time_t CurrentTime() const override
    {
        return fixedTime;
    }
};

class PrintGrid : public TestGrid
{
public:
    using CGXGridCore::m_awPageFirstCol;
    using CGXGridCore::m_awPageFirstRow;
    using CGXGridCore::m_nPrintLeftCol;
    using CGXGridCore::m_nPrintTopRow;
    using CGXGridCore::m_pPrintImp;

    // Run once when cell (5, 1) is drawn on paper: a redraw that the drawing asks for.
    std::function<void()> m_askWhilePrinting;
    // Whether the grid was printing, for each RedrawGrid.
    std::vector<BOOL> m_redraws;

    BOOL GetStyleRowCol(ROWCOL nRow, ROWCOL nCol, CGXStyle& style, int nMode, int nType) override
    {
        if (m_bPrinting && nRow == 5 && nCol == 1 && nType >= 0 && m_askWhilePrinting)
            std::exchange(m_askWhilePrinting, nullptr)();
        return TestGrid::GetStyleRowCol(nRow, nCol, style, nMode, nType);
    }
    void RedrawGrid(UINT flags, BOOL bHint) override
    {
        m_redraws.push_back(m_bPrinting);
        TestGrid::RedrawGrid(flags, bHint);
    }

    // Set: the fonts cannot be loaded, or the window's rectangle cannot be measured.
    BOOL m_bFontFails = FALSE;
    BOOL m_bScreenRectFails = FALSE;
    CFont* LoadFont(CDC* pDC, const CGXStyle& style, const CGXStyle* pCompare) override
    {
        if (m_bFontFails)
            AfxThrowResourceException();
        return TestGrid::LoadFont(pDC, style, pCompare);
    }
    CRect* GetGridRect(CRect* pRect) override
    {
        if (m_bScreenRectFails && !m_bPrinting)
            AfxThrowResourceException();
        return TestGrid::GetGridRect(pRect);
    }
};

// Whether the call failed for want of a resource.
bool ThrowsResourceException(const std::function<void()>& call)
{
    try
    {
        call();
    }
    catch (CResourceException* e)
    {
        e->Delete();
        return true;
    }
    return false;
}

std::vector<DWORD> Values(const CDWordArray& array)
{
    return std::vector<DWORD>(array.GetData(), array.GetData() + array.GetSize());
}

// A grid of 20 rows of 20 pixels and 6 columns of 50 (headers alike), no margins, no header or
// footer, no centring, no frame.
class GridPrintTest : public HiddenGridOfTest<PrintGrid>
{
protected:
    void SetUp() override
    {
        HiddenGridOfTest<PrintGrid>::SetUp();
        m_grid.GetData()->SetColCount(6);
        m_grid.SetDefaultRowHeight(20);
        m_grid.SetDefaultColWidth(50);
        m_grid.SetRowHeight(0, 20, 20);
        m_grid.SetColWidth(0, 6, 50);
        ASSERT_EQ(m_grid.GetRowHeight(7), 20);
        ASSERT_EQ(m_grid.GetColWidth(3), 50);
        CGXProperties& properties = Properties();
        std::fill(std::begin(properties.m_anMargins), std::end(properties.m_anMargins), 0);
        properties.GetDataHeader().SetRowCount(0);
        properties.GetDataFooter().SetRowCount(0);
        properties.m_bCenterHorizontal = FALSE;
        properties.m_bPrintFrame = FALSE;
        for (ROWCOL nRow = 1; nRow <= 20; ++nRow)
            m_grid.SetValueRange(CGXRange(nRow, 1), static_cast<LPCTSTR>(Cell(nRow, 1)));
    }
    CGXProperties& Properties()
    {
        return *m_grid.GetProperties();
    }
    static CString Cell(ROWCOL nRow, ROWCOL nCol)
    {
        CString text;
        text.Format(_T("r%uc%u"), nRow, nCol);
        return text;
    }
    void Begin(PageDC& dc)
    {
        m_grid.OnGridBeginPrinting(&dc, &m_info);
    }
    void Print(PageDC& dc, UINT nPage)
    {
        dc.Clear();
        m_info.m_nCurPage = nPage;
        m_grid.OnGridPrint(&dc, &m_info);
    }

    CPrintInfo m_info;
};

TEST_F(GridPrintTest, ATableThatFitsIsOnePage)
{
    PageDC dc(1000, 1000);
    m_info.m_strPageDesc = _T("Page %u");
    Begin(dc);
    EXPECT_EQ(Values(m_grid.m_awPageFirstRow), (std::vector<DWORD>{1, 21}));
    EXPECT_EQ(Values(m_grid.m_awPageFirstCol), (std::vector<DWORD>{1, 7}));
    EXPECT_EQ(m_info.GetMaxPage(), 1u);
    EXPECT_EQ(m_info.m_strPageDesc, _T("Page %u / 1"));
    EXPECT_FALSE(m_grid.IsPrinting());

    Print(dc, 1);
    EXPECT_FALSE(m_info.m_bContinuePrinting);
    EXPECT_EQ(dc.m_cellTexts.count(Cell(20, 1)), 1u);
    m_grid.OnGridEndPrinting(&dc, &m_info);
}

TEST_F(GridPrintTest, APrintedPageShowsNoCurrentCell)
{
    // A frame two pixels wide, drawn by inverting, whatever the grid has focus.
    m_grid.GetParam()->m_nCurrentCellFrameWhen = 0;
    Properties().AddUserProperty(CGXProperties::idCurrentCellProperty,
                                 CGXStyle().SetValue(Properties().m_strFrameInvertThick));
    ASSERT_TRUE(m_grid.SetCurrentCell(2, 2, 0));
    PageDC dc(1000, 1000);
    Begin(dc);
    Print(dc, 1);
    // Cell (2, 2) lies at x 100..150, y 40..60: paper white where the frame would be inverted.
    for (const CPoint& pt : {CPoint(101, 50), CPoint(102, 50), CPoint(125, 42), CPoint(148, 50), CPoint(125, 58)})
        EXPECT_EQ(dc.Pixel(pt.x, pt.y), RGB(255, 255, 255)) << pt.x << "," << pt.y;
    m_grid.OnGridEndPrinting(&dc, &m_info);
    EXPECT_TRUE(m_grid.IsCurrentCell(2, 2));
}

TEST_F(GridPrintTest, ASwitchToPaperThatFailsLeavesTheGridAsItWas)
{
    PageDC dc(1000, 1000);
    Begin(dc);
    m_grid.m_bFontFails = TRUE;
    EXPECT_TRUE(ThrowsResourceException([&] { Print(dc, 1); }));
    EXPECT_FALSE(m_grid.IsPrinting());
    m_grid.m_bFontFails = FALSE;
    m_grid.OnGridEndPrinting(&dc, &m_info);

    m_grid.m_bScreenRectFails = TRUE;
    for (const BOOL bPrinting : {FALSE, TRUE})
    {
        m_grid.m_bPrinting = bPrinting;
        EXPECT_TRUE(ThrowsResourceException([&] { m_grid.SetPrinting(TRUE, TRUE); }));
        EXPECT_EQ(m_grid.IsPrinting(), bPrinting);
    }
    m_grid.m_bPrinting = FALSE;
}

TEST_F(GridPrintTest, PagesAcrossAndDownFollowThePageOrder)
{
    // A header column and two columns per page width, a header row and ten rows per page height.
    PageDC dc(150, 220);
    Begin(dc);
    EXPECT_EQ(Values(m_grid.m_awPageFirstCol), (std::vector<DWORD>{1, 3, 5, 7}));
    EXPECT_EQ(Values(m_grid.m_awPageFirstRow), (std::vector<DWORD>{1, 11, 21}));
    EXPECT_EQ(m_info.GetMaxPage(), 6u);

    struct Case
    {
        int nOrder;
        UINT nPage;
        ROWCOL nTop;
        ROWCOL nLeft;
    };
    for (const Case& c : {Case{0, 4, 11, 1}, Case{1, 4, 11, 3}, Case{0, 2, 1, 3}, Case{1, 2, 11, 1}})
    {
        Properties().m_nPageOrder = c.nOrder;
        Print(dc, c.nPage);
        EXPECT_EQ(m_grid.m_nPrintTopRow, c.nTop) << c.nOrder << " " << c.nPage;
        EXPECT_EQ(m_grid.m_nPrintLeftCol, c.nLeft) << c.nOrder << " " << c.nPage;
        EXPECT_TRUE(m_info.m_bContinuePrinting);
        EXPECT_EQ(dc.m_cellTexts.count(Cell(c.nTop, 1)), c.nLeft == 1 ? 1u : 0u);
    }
    Print(dc, 6);
    EXPECT_FALSE(m_info.m_bContinuePrinting);
}

TEST_F(GridPrintTest, UserBreaksWinAndWideColumnsStillAdvance)
{
    PageDC dc(150, 2000);
    Properties().m_awColBreaks.Add(2);
    Begin(dc);
    EXPECT_EQ(Values(m_grid.m_awPageFirstCol), (std::vector<DWORD>{1, 2, 4, 6, 7}));

    // A column wider than the page gets a page of its own.
    m_grid.SetColWidth(2, 2, 400);
    Properties().m_awColBreaks.RemoveAll();
    Begin(dc);
    EXPECT_EQ(Values(m_grid.m_awPageFirstCol), (std::vector<DWORD>{1, 2, 3, 5, 7}));
}

TEST_F(GridPrintTest, FrozenRowsAndColumnsOpenEveryPage)
{
    m_grid.SetFrozenRows(2, 0);
    m_grid.SetValueRange(CGXRange(1, 3), _T("frozen"));
    m_grid.SetValueRange(CGXRange(15, 3), _T("below"));
    PageDC dc(1000, 220);
    Begin(dc);
    // Under the header row and the frozen rows 1 and 2, eight rows per page.
    EXPECT_EQ(Values(m_grid.m_awPageFirstRow), (std::vector<DWORD>{3, 11, 19, 21}));
    Print(dc, 2);
    EXPECT_EQ(dc.m_cellTexts.count(_T("frozen")), 1u);
    EXPECT_EQ(dc.m_cellTexts.count(_T("below")), 1u);
    EXPECT_EQ(dc.m_cellTexts.count(Cell(3, 1)), 0u);
}

TEST_F(GridPrintTest, TheSelectionChoicePrintsTheFirstRangeOrWhatTheWindowShows)
{
    m_info.m_pPD->m_pd.Flags |= PD_SELECTION;
    PageDC dc(1000, 1000);
    // The window shows the header row and rows 1 to 9 (the last cut), the header column and
    // columns 1 to 5 (the last cut).
    m_grid.MoveWindow(0, 0, 280, 190);
    Begin(dc);
    EXPECT_EQ(Values(m_grid.m_awPageFirstRow), (std::vector<DWORD>{1, 10}));
    EXPECT_EQ(Values(m_grid.m_awPageFirstCol), (std::vector<DWORD>{1, 6}));
    EXPECT_EQ(m_info.GetMaxPage(), 1u);

    m_grid.SelectRange(CGXRange(4, 2, 8, 3));
    Begin(dc);
    EXPECT_EQ(Values(m_grid.m_awPageFirstRow), (std::vector<DWORD>{4, 9}));
    EXPECT_EQ(Values(m_grid.m_awPageFirstCol), (std::vector<DWORD>{2, 4}));
}

TEST_F(GridPrintTest, ThePreviewOpensAtThePageOfTheTopLeftCell)
{
    PageDC dc(150, 220);
    m_info.m_bPreview = TRUE;
    m_grid.MoveWindow(0, 0, 120, 100);
    m_grid.SetTopRow(12);
    m_grid.SetLeftCol(4);
    ASSERT_EQ(m_grid.GetTopRow(), 12u);
    ASSERT_EQ(m_grid.GetLeftCol(), 4u);
    // The cell (12, 4) lies on page row 1 and page column 1.
    for (const auto& [nOrder, nPage] : {std::pair{0, 5u}, std::pair{1, 4u}})
    {
        Properties().m_nPageOrder = nOrder;
        Begin(dc);
        EXPECT_EQ(m_info.m_nCurPage, nPage) << nOrder;
    }
}

TEST_F(GridPrintTest, APagePastTheEndDrawsNothingAndEndsTheJob)
{
    PageDC dc(150, 220);
    Begin(dc);
    Print(dc, 7);
    EXPECT_FALSE(m_info.m_bContinuePrinting);
    EXPECT_TRUE(dc.m_cellTexts.empty());

    // The table shrank since the pages were counted: a page beyond it ends the job too.
    m_grid.SetRowCount(5);
    Print(dc, 6);
    EXPECT_FALSE(m_info.m_bContinuePrinting);
    EXPECT_TRUE(dc.m_cellTexts.empty());
}

TEST_F(GridPrintTest, ARedrawAskedForWhilePrintingRedrawsTheWholeGridAfterThePage)
{
    PageDC dc(1000, 1000);
    Begin(dc);
    m_grid.m_redraws.clear();
    Print(dc, 1);
    EXPECT_TRUE(m_grid.m_redraws.empty());

    struct Case
    {
        const char* pszAsk;
        std::function<void()> ask;
        std::vector<BOOL> redraws;
    };
    const Case cases[] = {
        {"RedrawGrid", [&] { m_grid.RedrawGrid(GX_INVALIDATE | GX_UPDATENOW, FALSE); }, {TRUE, FALSE}},
        {"InvalidateRange", [&] { m_grid.InvalidateRange(1, 1, 2, 2, GX_INVALIDATE, FALSE); }, {FALSE}},
        {"no flags", [&] { m_grid.InvalidateRange(1, 1, 2, 2, 0, FALSE); }, {}},
    };
    for (const Case& c : cases)
    {
        m_grid.m_redraws.clear();
        m_grid.m_askWhilePrinting = c.ask;
        Print(dc, 1);
        EXPECT_FALSE(m_grid.m_askWhilePrinting) << c.pszAsk;
        // The page is whole, and the window is redrawn once printing has ended.
        EXPECT_EQ(dc.m_cellTexts.count(Cell(20, 1)), 1u) << c.pszAsk;
        EXPECT_EQ(m_grid.m_redraws, c.redraws) << c.pszAsk;
        EXPECT_FALSE(m_grid.IsPrinting());
    }
    m_grid.OnGridEndPrinting(&dc, &m_info);
}

TEST_F(GridPrintTest, RowsAddedAfterCountingGetPagesOfTheirOwn)
{
    PageDC dc(1000, 220);
    Begin(dc);
    ASSERT_EQ(m_info.GetMaxPage(), 2u);
    m_grid.SetRowCount(30);
    Print(dc, 3);
    EXPECT_EQ(Values(m_grid.m_awPageFirstRow), (std::vector<DWORD>{1, 11, 21, 31}));
    EXPECT_EQ(m_info.GetMaxPage(), 3u);
    EXPECT_EQ(m_grid.m_nPrintTopRow, 21u);
}

TEST_F(GridPrintTest, CentringMovesTheCellsByHalfTheFreeSpaceAndTheFrameSurroundsThem)
{
    Properties().m_bCenterHorizontal = TRUE;
    Properties().m_bCenterVertical = TRUE;
    Properties().m_bPrintFrame = TRUE;
    m_grid.SetRowCount(4);
    m_grid.SetColCount(2);
    // Cells 150 x 100 on a page of 350 x 300: 100 free on each axis.
    PageDC dc(350, 300);
    Begin(dc);
    Print(dc, 1);
    EXPECT_EQ(m_info.m_rectDraw, CRect(100, 100, 250, 200));
    const COLORREF black = RGB(0, 0, 0);
    const COLORREF white = RGB(255, 255, 255);
    // Bars of 2 one unit outside: x 97..98 on the left, 251..252 on the right.
    for (const auto& [x, y, color] :
         {std::tuple{97, 150, black}, std::tuple{98, 150, black}, std::tuple{99, 150, white},
          std::tuple{96, 150, white}, std::tuple{251, 150, black}, std::tuple{252, 150, black},
          std::tuple{250, 150, white}, std::tuple{175, 97, black}, std::tuple{175, 98, black},
          std::tuple{175, 99, white}, std::tuple{175, 201, black}, std::tuple{175, 202, black},
          std::tuple{175, 203, white}})
        EXPECT_EQ(dc.Pixel(x, y), color) << x << "," << y;
}

TEST_F(GridPrintTest, PrintingLeavesBlackAndWhiteCells)
{
    Properties().m_bBlackWhite = TRUE;
    m_grid.SetStyleRangeShort(CGXRange(1, 1), CGXStyle().SetInterior(GXBrushRecord().Set(BS_SOLID, RGB(255, 0, 0), 0)));
    PageDC dc(1000, 1000);
    Begin(dc);
    Print(dc, 1);
    // Cell (1, 1) lies at x 50..100, y 20..40.
    EXPECT_EQ(dc.Pixel(75, 35), RGB(255, 255, 255));
}

class HeaderFooterTest : public GridPrintTest
{
protected:
    void SetUp() override
    {
        GridPrintTest::SetUp();
        m_grid.GetParam()->m_strName = _T("Sheet A");
        Properties().GetDataHeader().SetRowCount(10);
        Properties().GetDataHeader().SetColCount(3);
        Properties().GetDataFooter().SetRowCount(10);
        Properties().GetDataFooter().SetColCount(3);
    }
    void SetLine(CGXData& block, ROWCOL nLine, ROWCOL nCol, LPCTSTR pszText)
    {
        CGXStyle style;
        block.StoreStyleImpl(nLine, nCol, &style.SetValue(pszText), CGXStyle::modeCopy, 0);
    }
    CString Substitute(LPCTSTR pszText)
    {
        return Properties().SubstituteTokens(pszText);
    }
};

TEST_F(HeaderFooterTest, PageNumbersCountFromTheStartPageNumbering)
{
    SetLine(Properties().GetDataFooter(), 1, 3, _T("$P/$N"));
    PageDC dc(1000, 220);
    Begin(dc);
    ASSERT_EQ(m_info.GetMaxPage(), 3u);
    Print(dc, 1);
    EXPECT_NE(std::find(dc.m_texts.begin(), dc.m_texts.end(), CString(_T("1/3"))), dc.m_texts.end());

    Properties().m_nFirstPage = 10;
    std::vector<CString> printed;
    for (UINT nPage = 1; nPage <= 2; ++nPage)
    {
        Print(dc, nPage);
        std::copy_if(dc.m_texts.begin(), dc.m_texts.end(), std::back_inserter(printed),
                     [](const CString& text) { return text.Find(_T('/')) >= 0; });
    }
    EXPECT_EQ(printed, (std::vector<CString>{_T("10/3"), _T("11/3")}));
}

TEST_F(HeaderFooterTest, TokensAreReplacedByTheirValues)
{
    PageDC dc(1000, 1000);
    Begin(dc);
    Print(dc, 1);
    wchar_t szYear[8] = {};
    wchar_t szLocal[256] = {};
    tm local{};
    const time_t fixed = FixedClockPrintImp::fixedTime;
    localtime_s(&local, &fixed);
    std::wcsftime(szYear, 8, L"%Y", &local);
    std::wcsftime(szLocal, 256, L"%c", &local);
    delete m_grid.m_pPrintImp;
    m_grid.m_pPrintImp = new FixedClockPrintImp;

    struct Case
    {
        LPCTSTR pszText;
        CString strExpected;
    };
    const Case cases[] = {
        {_T("$R"), _T("Sheet A")},
        {_T("[$r]"), _T("[Sheet A]")},
        {_T("$p of $n"), _T("1 of 1")},
        {_T("$D{%Y}"), szYear},
        {_T("$D"), szLocal},
        {_T("$D{%Q}"), _T("")},
        {_T("$D{%c%c%c%c%c%c%c%c%c%c%c%c%c%c%c%c%c%c%c%c%c%c%c%c%c%c%c%c}!"), _T("!")},
        {_T("$D{%Y"), CString(szLocal) + _T("{%Y")},
        {_T("$F|$X"), _T("|$X")},
        {_T("100$"), _T("100$")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Substitute(c.pszText), c.strExpected) << (&c - cases);
    CString strRest = _T("{abc}def");
    EXPECT_EQ(Properties().TakeTokenArgument(strRest), _T("abc"));
    EXPECT_EQ(strRest, _T("def"));
    strRest = _T("abc}");
    EXPECT_EQ(Properties().TakeTokenArgument(strRest), _T(""));
    EXPECT_EQ(strRest, _T("abc}"));
}

TEST_F(HeaderFooterTest, ColumnsAreLeftCentredAndRightInsideTheNarrowedRectangle)
{
    CGXData& header = Properties().GetDataHeader();
    SetLine(header, 1, 1, _T("L"));
    PageDC dc(1000, 1000);
    const int nLine = Properties().CalcHeaderFooterHeight(&dc, header, m_grid.GetStylesMap());
    ASSERT_GT(nLine, 0);
    SetLine(header, 1, 2, _T("C"));
    SetLine(header, 1, 3, _T("R"));
    SetLine(header, 2, 3, _T("R2"));
    // The tallest column: two lines.
    EXPECT_EQ(Properties().CalcHeaderFooterHeight(&dc, header, m_grid.GetStylesMap()), 2 * nLine);

    dc.Clear();
    Properties().DrawHeaderFooter(&dc, CRect(100, 10, 500, 200), header, m_grid.GetStylesMap());
    ASSERT_EQ(dc.m_texts, (std::vector<CString>{_T("L"), _T("C"), _T("R"), _T("R2")}));
    EXPECT_EQ(dc.m_points[0], CPoint(108, 10));
    // Centred between 108 and 492, right-aligned at 492: the letters are narrower than a line.
    EXPECT_LT(std::abs(dc.m_points[1].x - 300), nLine);
    EXPECT_EQ(dc.m_points[1].y, 10);
    EXPECT_GT(dc.m_points[2].x, 492 - nLine);
    EXPECT_LT(dc.m_points[2].x, 492);
    EXPECT_LT(dc.m_points[3].x, dc.m_points[2].x);
    EXPECT_EQ(dc.m_points[3].y, 10 + nLine);

    // The header's height lowers the cells on the page.
    Begin(dc);
    Print(dc, 1);
    EXPECT_EQ(m_info.m_rectDraw.top, 2 * nLine);
}

TEST_F(HeaderFooterTest, WithoutAPrintFeatureThePropertiesAnswerNothing)
{
    CGXProperties unregistered;
    PageDC dc(100, 100);
    EXPECT_EQ(unregistered.CalcHeaderFooterHeight(&dc, unregistered.GetDataHeader(), nullptr), 0);
    EXPECT_EQ(unregistered.SubstituteTokens(_T("$P")), _T(""));
    CString strRest = _T("{x}");
    EXPECT_EQ(unregistered.TakeTokenArgument(strRest), _T(""));
}
} // namespace
