#include "GridTestSupport.h"

#include <grid/core/Data.h>
#include <grid/core/GridInit.h>
#include <grid/core/GridParam.h>
#include <grid/core/ThreadState.h>

#include <gtest/gtest.h>

namespace
{
// Installed only so that the sizing cursors are offered.
class TestResizeFeature : public CGXAbstractGridUserResizeCellsImp
{
public:
    BOOL OnTrackMouseMove(CGXGridCore*, CPoint, UINT) override
    {
        return FALSE;
    }
    BOOL OnTrackButtonDown(CGXGridCore*, CPoint, UINT, int, ROWCOL, ROWCOL) override
    {
        return FALSE;
    }
    BOOL OnTrackButtonUp(CGXGridCore*, CPoint, UINT) override
    {
        return FALSE;
    }
    BOOL OnTrackDoubleClick(CGXGridCore*, CPoint, UINT, int, ROWCOL, ROWCOL) override
    {
        return FALSE;
    }
    BOOL OnStartTracking(CGXGridCore*, ROWCOL, ROWCOL, int) override
    {
        return FALSE;
    }
    void OnMoveTracking(CGXGridCore*, ROWCOL, ROWCOL, int, int) override
    {
    }
    void OnCancelTracking(CGXGridCore*) override
    {
    }
    void OnEndTracking(CGXGridCore*, ROWCOL, ROWCOL, int, int) override
    {
    }
};

// A grid of 5 rows and columns below and right of the headers: rows (the header row too) are
// 20 pixels high and columns 50 wide, except row 3 and column 3, which are 0.
//   rows: 0 [0,20) 1 [20,40) 2 [40,60) 3 at 60 4 [60,80) 5 [80,100)
//   columns: 0 [0,50) 1 [50,100) 2 [100,150) 3 at 150 4 [150,200) 5 [200,250)
class GridCoreGeometryTest : public GridWindowTest
{
protected:
    void SetUp() override
    {
        GridWindowTest::SetUp();
        m_grid.CreateHidden(&Parent(), CRect(0, 0, 300, 200));
        m_grid.GetData()->SetRowCount(5);
        m_grid.GetData()->SetColCount(5);
        ASSERT_TRUE(m_grid.StoreDefaultRowHeight(20));
        ASSERT_TRUE(m_grid.StoreDefaultColWidth(50));
        m_grid.StoreRowHeight(0, 20);
        m_grid.StoreColWidth(0, 50);
        m_grid.StoreRowHeight(3, 0);
        m_grid.StoreColWidth(3, 0);
    }
    void TearDown() override
    {
        m_grid.DestroyWindow();
    }

    TestGrid m_grid;
};
} // namespace

TEST_F(GridCoreGeometryTest, SizesAreStoredInThousandthsOfTheUnit)
{
    ASSERT_EQ(m_grid.GetRowUnit(), 15);
    ASSERT_TRUE(m_grid.StoreRowHeight(2, 20));
    LONG nStored = 0;
    ASSERT_TRUE(m_grid.GetParam()->m_RowHeights.Lookup(2, nStored));
    EXPECT_EQ(nStored, 1320); // 66 per pixel
    EXPECT_EQ(m_grid.GetRowHeight(2), 20);

    const int nDefault = m_grid.GetParam()->m_nDefaultHeight;
    EXPECT_FALSE(m_grid.StoreDefaultRowHeight(0));
    EXPECT_EQ(m_grid.GetParam()->m_nDefaultHeight, nDefault);

    ASSERT_TRUE(m_grid.StoreRowHeight(5, 33));
    ASSERT_TRUE(m_grid.StoreRowHeight(5, -1));
    EXPECT_EQ(m_grid.GetRowHeight(5), m_grid.GetDefaultRowHeight());

    // A unit above 1000 pixels still stores one per pixel instead of dividing by zero.
    m_grid.m_nRowUnit = 1500;
    ASSERT_TRUE(m_grid.StoreRowHeight(4, 20));
    ASSERT_TRUE(m_grid.GetParam()->m_RowHeights.Lookup(4, nStored));
    EXPECT_EQ(nStored, 20);
    EXPECT_EQ(m_grid.GetRowHeight(4), 20);
}

TEST_F(GridCoreGeometryTest, FrozenRowsStayWhileTheRestScrolls)
{
    m_grid.GetData()->SetRowCount(20);
    m_grid.StoreRowHeight(3, -1);
    m_grid.GetParam()->m_nFrozenRows = 2;
    m_grid.m_nTopRow = 6;
    const struct
    {
        ROWCOL nAbs, nVisible;
    } rows[] = {{0, 0}, {2, 2}, {3, 0}, {5, 0}, {6, 3}, {9, 6}};
    for (const auto& r : rows)
        EXPECT_EQ(m_grid.AbsRowToVisible(r.nAbs), r.nVisible) << r.nAbs;
    EXPECT_EQ(m_grid.VisibleRowToAbs(3), 6u);
    EXPECT_EQ(m_grid.VisibleRowToAbs(2), 2u);
    EXPECT_EQ(m_grid.CalcRectFromRowCol(6, 1), CRect(50, 60, 100, 80));
    EXPECT_TRUE(m_grid.CalcRectFromRowCol(4, 1).IsRectNull()); // scrolled out

    m_grid.m_nTopRow = 3; // nothing scrolled out: the identity
    EXPECT_EQ(m_grid.AbsRowToVisible(5), 5u);
    EXPECT_EQ(m_grid.VisibleRowToAbs(5), 5u);
}

TEST_F(GridCoreGeometryTest, HitTestCodes)
{
    const struct
    {
        int x, y;
        WORD wColPermExtra;
        bool bSelection, bExcelFrame;
        int nCode;
        ROWCOL nRow, nCol;
        UINT nCursor;
    } cases[] = {
        {75, 30, 0, false, false, GX_CELLHIT, 1, 1, 0},
        {100, 10, 0, false, false, GX_HORZLINE, 0, 1, GX_IDC_COLSIZE}, // on the edge between 1 and 2
        {100, 30, 0, false, false, GX_CELLHIT, 1, 2, 0},               // no sizing outside the header
        {10, 30, 0, false, false, GX_HEADERHIT, 1, 0, GX_IDC_SELROW},
        {75, 10, 0, false, false, GX_HEADERHIT, 0, 1, GX_IDC_SELCOL},
        {10, 39, 0, false, false, GX_VERTLINE, 1, 0, GX_IDC_ROWSIZE},
        {10, 41, 0, false, false, GX_VERTLINE, 1, 0, GX_IDC_ROWSIZE}, // the edge from below
        {10, 63, 0, false, false, GX_HIDDENROWHIT, 3, 0, GX_IDC_HIDDENROW},
        {153, 10, 0, false, false, GX_HIDDENCOLHIT, 0, 3, GX_IDC_HIDDENCOL},
        {75, 150, 0, false, false, GX_NOHIT, 6, 1, 0}, // below the last row
        {275, 30, 0, false, false, GX_NOHIT, 1, 6, 0}, // right of the last column
        {49, 10, 0, false, false, GX_HORZLINE, 0, 0, GX_IDC_COLSIZE},
        {49, 10, 8, false, false, GX_HEADERHIT, 0, 0, 0}, // header edges protected
        {51, 30, 0, true, false, GX_SELEDGEHIT, 1, 1, GX_IDC_SELEDGE},
        {148, 58, 0, true, true, GX_FILLHANDLEHIT, 2, 2, GX_IDC_FILLHANDLE},
    };
    delete m_grid.m_pUserResizeCellsImp;
    m_grid.m_pUserResizeCellsImp = new TestResizeFeature;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        CGXGridParam* pParam = m_grid.GetParam();
        pParam->m_wAllowTrackColWidth = static_cast<WORD>(178 | c.wColPermExtra);
        pParam->m_SelRects.DeleteAll();
        if (c.bSelection)
            pParam->m_SelRects.AddTail(new CGXRange(1, 1, 2, 2));
        pParam->m_anCoreSettings[3] = c.bExcelFrame;
        ROWCOL nRow = 99, nCol = 99;
        EXPECT_EQ(m_grid.HitTest(CPoint(c.x, c.y), &nRow, &nCol), c.nCode);
        EXPECT_EQ(nRow, c.nRow);
        EXPECT_EQ(nCol, c.nCol);
        EXPECT_EQ(m_grid.GetCursorIdAt(CPoint(c.x, c.y)), c.nCursor);
    }

    ROWCOL nRow = 99, nCol = 99;
    EXPECT_EQ(m_grid.HitTest(CPoint(400, 10), &nRow, &nCol), GX_NOHIT);
    EXPECT_EQ(nRow, 99u); // outside the grid: untouched
    EXPECT_EQ(nCol, 99u);

    delete m_grid.m_pUserResizeCellsImp;
    m_grid.m_pUserResizeCellsImp = nullptr;
    EXPECT_EQ(m_grid.GetCursorIdAt(CPoint(100, 10)), 0u); // no sizing cursor without the feature
}

TEST_F(GridCoreGeometryTest, CursorsComeFromTheResourcesWithASystemFallback)
{
    auto* pState = GXGetThreadState<GX_CURSOR_STATE>();
    m_grid.SetOverrideCursor(GX_IDC_COLSIZE);
    EXPECT_EQ(pState->m_nCursorId, GX_IDC_COLSIZE);
    EXPECT_NE(pState->m_hcurLoaded, nullptr);
    EXPECT_EQ(pState->m_hcurCurrent, pState->m_hcurLoaded);

    m_grid.SetOverrideCursor(29999);
    EXPECT_EQ(pState->m_hcurLoaded, nullptr);
    EXPECT_EQ(pState->m_hcurCurrent, ::LoadCursorW(nullptr, IDC_ARROW));
    m_grid.SetOverrideCursor(0);
}

TEST_F(GridCoreGeometryTest, TheLastVisibleRowIsKeptUntilTheTopRowChanges)
{
    m_grid.GetData()->SetRowCount(20);
    m_grid.StoreRowHeight(3, -1);
    BOOL bPartial = TRUE;
    EXPECT_EQ(m_grid.GetLastVisibleRow(&bPartial), 9u); // [180, 200)
    EXPECT_FALSE(bPartial);
    m_grid.StoreRowHeight(4, -1);
    EXPECT_EQ(m_grid.GetLastVisibleRow(), 9u) << "kept until the top row changes or the window resizes";
    m_grid.SetWindowPos(nullptr, 0, 0, 300, 110, SWP_NOZORDER | SWP_NOACTIVATE);
    m_grid.m_nTopRow = 3; // client row 1 is now row 3
    EXPECT_EQ(m_grid.GetLastVisibleRow(&bPartial), 7u);
    EXPECT_TRUE(bPartial);                     // [100, 120) is cut at 110
    EXPECT_EQ(m_grid.GetLastVisibleCol(), 5u); // columns end before the right edge
}

TEST_F(GridCoreGeometryTest, PrintingAnswersThePrintTimeValues)
{
    m_grid.m_nTopRow = 4;
    m_grid.m_nLeftCol = 2;
    m_grid.StoreZoom(150, FALSE);
    EXPECT_EQ(m_grid.GetZoom(), 150);
    m_grid.SetPrinting(TRUE, TRUE);
    EXPECT_EQ(m_grid.GetTopRow(), 1u);
    EXPECT_EQ(m_grid.GetLeftCol(), 1u);
    EXPECT_EQ(m_grid.GetZoom(), 100);
    CRect rect;
    EXPECT_EQ(*m_grid.GetGridRect(&rect), CRect(0, 0, 300, 200)); // the client area taken for printing
    m_grid.SetPrinting(FALSE);
    EXPECT_EQ(m_grid.GetTopRow(), 4u);
    EXPECT_EQ(m_grid.GetZoom(), 150);
}
