#include "GridTestSupport.h"

#include <grid/core/GridParam.h>
#include <grid/services/mouse/GridUserDragSelectRangeImp.h>
#include <grid/services/rowscols/GridMoveRowsColsImp.h>
#include <testing/MemoryCanvas.h>

#include <gtest/gtest.h>

namespace
{
// Refuses drops before row 7.
class RefusingGrid : public TestGrid
{
public:
    BOOL CanDropRows(ROWCOL nFrom, ROWCOL nTo, ROWCOL nTarget) override
    {
        return nTarget != 7 && TestGrid::CanDropRows(nFrom, nTo, nTarget);
    }
    using CGXGridCore::m_bAutoScrollSetting;
};

// Rows of 20 pixels below a header row of 20; columns of 50.
class UserDragSelectRangeTest : public HiddenGridOfTest<RefusingGrid>
{
protected:
    void SetUp() override
    {
        HiddenGridOfTest::SetUp();
        m_grid.m_bAutoScrollSetting = FALSE;
        m_grid.SetDefaultRowHeight(20);
        m_grid.SetRowHeight(0, 0, 20);
        m_grid.SetDefaultColWidth(50);
        m_grid.SetColWidth(0, 0, 50);
        for (ROWCOL n = 1; n <= 10; ++n)
        {
            CString strValue;
            strValue.Format(_T("r%u"), n);
            m_grid.SetValueRange(CGXRange(n, 1), strValue);
        }
    }
    CGXGridUserDragSelectRangeImp* Feature()
    {
        return static_cast<CGXGridUserDragSelectRangeImp*>(m_grid.m_pUserDragSelectRangeImp);
    }
    static LPARAM RowHeader(ROWCOL nRow)
    {
        return MAKELPARAM(25, 20 * nRow + 10);
    }
    void DragRows(ROWCOL nPressed, ROWCOL nTarget)
    {
        m_grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, RowHeader(nPressed));
        m_grid.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, RowHeader(nTarget));
        m_grid.SendMessage(WM_LBUTTONUP, 0, RowHeader(nTarget));
    }
    CString Value(ROWCOL nRow)
    {
        return m_grid.GetValueRowCol(nRow, 1);
    }
};

} // namespace

TEST_F(UserDragSelectRangeTest, RowsDroppedBeforeALaterRowLandAboveIt)
{
    ASSERT_NE(Feature(), nullptr);
    m_grid.SelectRange(CGXRange().SetRows(3, 4));
    m_grid.SetRowHeight(4, 4, 33);
    m_grid.HideRows(3, 0);
    // Row 3 is hidden, row 4 lies at [60, 93), row 8 at [153, 173).
    m_grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(25, 75));
    EXPECT_TRUE(Feature()->IsDragging());
    m_grid.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(25, 163));
    m_grid.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(25, 163));
    EXPECT_FALSE(Feature()->IsDragging());
    EXPECT_EQ(Value(5), _T("r7"));
    EXPECT_EQ(Value(6), _T("r3"));
    EXPECT_EQ(Value(7), _T("r4"));
    EXPECT_EQ(Value(8), _T("r8"));
    EXPECT_TRUE(m_grid.IsRowHidden(6));
    EXPECT_EQ(m_grid.GetRowHeight(7), 33);
}

TEST_F(UserDragSelectRangeTest, ADropOntoOrRightAfterItselfOrWithTheTableSelectedMovesNothing)
{
    m_grid.SelectRange(CGXRange().SetRows(3, 4));
    for (ROWCOL nTarget : {3u, 4u, 5u})
    {
        DragRows(3, nTarget);
        EXPECT_EQ(Value(3), _T("r3")) << nTarget;
        EXPECT_EQ(Value(5), _T("r5")) << nTarget;
    }
    m_grid.SelectRange(CGXRange().SetTable());
    m_grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, RowHeader(3));
    EXPECT_FALSE(Feature()->IsDragging());
    m_grid.SendMessage(WM_LBUTTONUP, 0, RowHeader(3));
}

TEST_F(UserDragSelectRangeTest, ARefusedDropShowsTheNoDropCursorAndNoLine)
{
    m_grid.SelectRange(CGXRange().SetRows(3, 4));
    m_grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, RowHeader(3));
    m_grid.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, RowHeader(8));
    ASSERT_NE(Feature()->GetLineWnd(), nullptr);
    EXPECT_TRUE(Feature()->GetLineWnd()->GetStyle() & WS_VISIBLE);
    CRect rect;
    Feature()->GetLineWnd()->GetWindowRect(&rect);
    m_grid.ScreenToClient(&rect);
    EXPECT_EQ(rect.top, 20 * 8 - 1); // the boundary before row 8
    EXPECT_EQ(rect.Height(), 1);

    m_grid.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, RowHeader(7));
    EXPECT_EQ(m_grid.GetCursorIdAt(CPoint(0, 0)), GX_IDC_NODROP);
    EXPECT_FALSE(Feature()->GetLineWnd()->GetStyle() & WS_VISIBLE);
    m_grid.SendMessage(WM_LBUTTONUP, 0, RowHeader(7));
    EXPECT_EQ(Value(3), _T("r3"));
    EXPECT_EQ(Feature()->GetLineWnd(), nullptr);
}

TEST(DragLineWndTest, TheLineRunsAlongItsWindowInItsColour)
{
    const COLORREF rgbLine = RGB(200, 0, 0);
    const COLORREF rgbWhite = RGB(255, 255, 255);
    const CGXDragLineWnd line(rgbLine);
    MemoryCanvas vertical(3, 20, rgbWhite);
    line.DrawLine(&vertical.Dc(), CRect(1, 0, 2, 20));
    EXPECT_EQ(vertical.Pixel(1, 0), rgbLine);
    EXPECT_EQ(vertical.Pixel(1, 19), rgbLine);
    EXPECT_EQ(vertical.Pixel(0, 10), rgbWhite);
    EXPECT_EQ(vertical.Pixel(2, 10), rgbWhite);
    MemoryCanvas horizontal(20, 3, rgbWhite);
    line.DrawLine(&horizontal.Dc(), CRect(0, 1, 20, 2));
    EXPECT_EQ(horizontal.Pixel(0, 1), rgbLine);
    EXPECT_EQ(horizontal.Pixel(19, 1), rgbLine);
    EXPECT_EQ(horizontal.Pixel(10, 0), rgbWhite);
}
