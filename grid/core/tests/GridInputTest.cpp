#include "GridTestSupport.h"

#include <grid/core/GridParam.h>
#include <grid/core/Style.h>

#include <set>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace
{
// A grid that records the left-button reports, may refuse them, and disables chosen cells.
class InputGrid : public DisablingGrid
{
public:
    struct Report
    {
        ROWCOL nStartRow, nStartCol, nRow, nCol;
        WORD nHitState;
    };
    BOOL OnLButtonHitRowCol(ROWCOL nStartRow, ROWCOL nStartCol, ROWCOL nRow, ROWCOL nCol, int x, int y, UINT flags,
                            WORD nHitState) override
    {
        m_reports.push_back({nStartRow, nStartCol, nRow, nCol, nHitState});
        return m_bRefuse ? FALSE
                         : DisablingGrid::OnLButtonHitRowCol(nStartRow, nStartCol, nRow, nCol, x, y, flags, nHitState);
    }

    std::vector<Report> m_reports;
    BOOL m_bRefuse = FALSE;
    using CGXGridCore::m_bActive;
    using CGXGridCore::m_bLockFocus;
};

// A modified control whose validation fails with a warning text.
class RefusingControl : public CGXControl
{
public:
    using CGXControl::CGXControl;
    BOOL IsModified() override
    {
        return TRUE;
    }
    BOOL ValidateValue() override
    {
        Grid()->SetWarningText(L"Invalid value");
        return FALSE;
    }
    void SetActive(BOOL bActive) override
    {
        m_bEditing = bActive;
    }
    BOOL IsActive() override
    {
        return m_bEditing;
    }
    BOOL m_bEditing = FALSE;
};

using Cell = std::pair<ROWCOL, ROWCOL>;

class GridInputTest : public HiddenGridOfTest<InputGrid>
{
protected:
    LPARAM PointOf(ROWCOL nRow, ROWCOL nCol)
    {
        const CPoint pt = m_grid.CalcRectFromRowCol(nRow, nCol).CenterPoint();
        return MAKELPARAM(pt.x, pt.y);
    }
    void Click(ROWCOL nRow, ROWCOL nCol)
    {
        m_grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointOf(nRow, nCol));
        m_grid.SendMessage(WM_LBUTTONUP, 0, PointOf(nRow, nCol));
    }
    void Key(UINT nKey)
    {
        m_grid.SendMessage(WM_KEYDOWN, nKey, 1);
    }
};

TEST_F(GridInputTest, AClickMakesTheCellCurrentAndReportsPressAndRelease)
{
    Click(3, 2);
    EXPECT_EQ(m_grid.Current(), Cell(3, 2));
    ASSERT_EQ(m_grid.m_reports.size(), 2u);
    EXPECT_EQ(m_grid.m_reports[0].nHitState, 0x0045);
    EXPECT_EQ(m_grid.m_reports[1].nHitState, 0x0051);
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(GridInputTest, TheCornerHeaderReportsRowAndColumnZero)
{
    m_grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointOf(0, 0));
    ASSERT_FALSE(m_grid.m_reports.empty());
    const auto& report = m_grid.m_reports[0];
    EXPECT_EQ(report.nStartRow, 0u);
    EXPECT_EQ(report.nStartCol, 0u);
    EXPECT_EQ(report.nRow, 0u);
    EXPECT_EQ(report.nCol, 0u);
    m_grid.SendMessage(WM_LBUTTONUP, 0, PointOf(0, 0));
}

TEST_F(GridInputTest, ALeftPressWithTheRightButtonHeldCancels)
{
    m_grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, PointOf(3, 2));
    EXPECT_TRUE(m_grid.m_reports.empty());
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(m_grid.Current(), Cell(GX_INVALID, GX_INVALID));
}

TEST_F(GridInputTest, AReleaseOutsideReportsTheClampedCell)
{
    m_grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointOf(3, 2));
    ASSERT_EQ(::GetCapture(), m_grid.m_hWnd);
    m_grid.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5000, 5000));
    ASSERT_EQ(m_grid.m_reports.size(), 2u);
    EXPECT_EQ(m_grid.m_reports[1].nRow, m_grid.GetLastVisibleRow());
    EXPECT_LE(m_grid.m_reports[1].nCol, 5u);
    EXPECT_EQ(m_grid.m_reports[1].nHitState & 0x0010, 0x0010);
}

TEST_F(GridInputTest, ARefusedPressLeavesNoCapture)
{
    m_grid.m_bRefuse = TRUE;
    m_grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointOf(3, 2));
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(GridInputTest, ARefusedValidationWarnsOnceAndKeepsTheOldCell)
{
    m_grid.SetCurrentCell(2, 2, 0);
    m_grid.RegisterControl(m_grid.GetStandardStyle()->GetControl(), new RefusingControl(&m_grid), FALSE, FALSE);
    m_grid.SetCurrentCellPosition(TRUE, 2, 2);
    m_grid.PostMessage(WM_KEYDOWN, VK_DOWN, 1);

    EXPECT_FALSE(m_grid.SetCurrentCell(4, 4, 0));
    EXPECT_EQ(m_grid.Current(), Cell(2, 2));
    ASSERT_EQ(m_app.m_boxes.size(), 1u);
    EXPECT_EQ(m_app.m_boxes[0].strText, CString(L"Invalid value"));
    MSG msg;
    EXPECT_FALSE(::PeekMessage(&msg, m_grid.m_hWnd, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE)); // dropped
}

TEST_F(GridInputTest, ADisabledTargetReturnsToTheOldCell)
{
    m_grid.m_disabled.insert({4, 4});
    ASSERT_TRUE(m_grid.SetCurrentCell(2, 2, 0));
    EXPECT_FALSE(m_grid.SetCurrentCell(4, 4, 0));
    EXPECT_EQ(m_grid.Current(), Cell(2, 2));
}

TEST_F(GridInputTest, TheDefaultFlagsScrollAFarCellIntoView)
{
    ASSERT_GT(20u, m_grid.GetLastVisibleRow());
    ASSERT_TRUE(m_grid.SetCurrentCell(18, 2));
    EXPECT_EQ(m_grid.Current(), Cell(18, 2));
    EXPECT_GT(m_grid.GetTopRow(), 1u);
    EXPECT_GE(m_grid.GetLastVisibleRow(), 18u);

    // Without the scroll flag the cell is entered where it lies.
    ASSERT_TRUE(m_grid.SetCurrentCell(1, 1));
    const ROWCOL nTop = m_grid.GetTopRow();
    ASSERT_TRUE(m_grid.SetCurrentCell(19, 2, GX_UPDATENOW));
    EXPECT_EQ(m_grid.GetTopRow(), nTop);
}

TEST_F(GridInputTest, KeysMoveTheCurrentCell)
{
    ASSERT_TRUE(m_grid.SetCurrentCell(2, 2, 0));
    Key(VK_DOWN);
    EXPECT_EQ(m_grid.Current(), Cell(3, 2));
    Key(VK_RIGHT);
    EXPECT_EQ(m_grid.Current(), Cell(3, 3));
    Key(VK_UP);
    Key(VK_LEFT);
    EXPECT_EQ(m_grid.Current(), Cell(2, 2));
    Key(VK_NEXT);
    EXPECT_GT(m_grid.Current().first, 2u);
    Key(VK_PRIOR);
    EXPECT_EQ(m_grid.Current().first, 2u);
}

TEST_F(GridInputTest, KeyMovesPassOverHiddenAndDisabledCells)
{
    ASSERT_TRUE(m_grid.SetCurrentCell(2, 2, 0));
    m_grid.m_disabled.insert({3, 2});
    m_grid.SetRowHeight(4, 4, 0);
    Key(VK_DOWN);
    EXPECT_EQ(m_grid.Current(), Cell(5, 2));

    m_grid.m_disabled.insert({1, 1});
    EXPECT_TRUE(m_grid.MoveCurrentCell(11, 1));
    EXPECT_EQ(m_grid.Current(), Cell(2, 1));
    m_grid.m_disabled.insert({20, 5});
    EXPECT_TRUE(m_grid.MoveCurrentCell(12, 1));
    EXPECT_EQ(m_grid.Current(), Cell(19, 5));
    EXPECT_TRUE(m_grid.MoveCurrentCell(9, 1));
    EXPECT_EQ(m_grid.Current(), Cell(19, 1));
    EXPECT_FALSE(m_grid.MoveCurrentCell(2, 1)); // nothing left of the first column
}

TEST_F(GridInputTest, TabDoesNotWrapAndEnterWithDirectionZeroStays)
{
    ASSERT_TRUE(m_grid.SetCurrentCell(2, 5, 0));
    Key(VK_TAB);
    EXPECT_EQ(m_grid.Current(), Cell(2, 5));
    Key(VK_RETURN);
    EXPECT_EQ(m_grid.Current(), Cell(2, 5));
    m_grid.GetParam()->m_wEnterKeyDirection = 3;
    Key(VK_RETURN);
    EXPECT_EQ(m_grid.Current(), Cell(3, 5));
}

TEST_F(GridInputTest, KeysAreSwallowedUnderCaptureAndEscCancelsIt)
{
    ASSERT_TRUE(m_grid.SetCurrentCell(2, 2, 0));
    m_grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointOf(2, 2));
    ASSERT_EQ(::GetCapture(), m_grid.m_hWnd);
    Key(VK_DOWN);
    EXPECT_EQ(m_grid.Current(), Cell(2, 2));
    Key(VK_ESCAPE);
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(GridInputTest, DialogCodesAddArrowsTabAndCharacters)
{
    EXPECT_EQ(m_grid.SendMessage(WM_GETDLGCODE) & 0x83, 0x83);
}

TEST_F(GridInputTest, FocusChangesActivateTheGridAfterARefusedDeactivationCheck)
{
    auto* pControl = new RefusingControl(&m_grid);
    m_grid.RegisterControl(m_grid.GetStandardStyle()->GetControl(), pControl, FALSE, FALSE);
    m_grid.SetCurrentCellPosition(TRUE, 2, 2);
    pControl->SetActive(TRUE);
    EXPECT_NE(m_grid.SendMessage(WM_GX_DEACTIVATECHECK, FALSE), 0);
    EXPECT_FALSE(m_grid.m_bLockFocus);

    pControl->SetActive(FALSE);
    m_grid.OnGridKillFocus(nullptr);
    EXPECT_FALSE(m_grid.m_bActive);
    m_grid.OnGridSetFocus(nullptr);
    EXPECT_TRUE(m_grid.m_bActive);
}

TEST_F(GridInputTest, NavigationCodesMoveTheCurrentCell)
{
    m_grid.OnGridNavigate(4, 6);
    EXPECT_EQ(m_grid.Current(), Cell(6, 1));
    m_grid.OnGridNavigate(1, 0);
    EXPECT_EQ(m_grid.Current(), Cell(5, 1));
    m_grid.OnGridNavigate(2, 0);
    EXPECT_EQ(m_grid.Current(), Cell(6, 1));
    m_grid.OnGridNavigate(0, 0);
    EXPECT_EQ(m_grid.Current(), Cell(1, 1));
    m_grid.OnGridNavigate(3, 0);
    EXPECT_EQ(m_grid.Current(), Cell(20, 1));
}
} // namespace

namespace
{
class ColourCountingControl : public CGXControl
{
public:
    using CGXControl::CGXControl;
    void NotifyChildrenB() override
    {
        ++m_nColourChanges;
    }
    int m_nColourChanges = 0;
};

TEST_F(GridInputTest, ColourChangesReachEveryRegisteredControl)
{
    auto* pControl = new ColourCountingControl(&m_grid);
    m_grid.RegisterControl(m_grid.GetStandardStyle()->GetControl(), pControl, FALSE, FALSE);
    m_grid.SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(pControl->m_nColourChanges, 1);
}

TEST_F(GridInputTest, AGridWithoutItsOwnBarUsesTheParentsSharedBar)
{
    CScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | SBS_VERT, CRect(0, 0, 10, 100), &Parent(), AFX_IDW_VSCROLL_FIRST));
    CScrollBar* pBar = m_grid.GetScrollBarCtrl(SB_VERT);
    ASSERT_NE(pBar, nullptr);
    EXPECT_EQ(pBar->m_hWnd, bar.m_hWnd);
    EXPECT_EQ(m_grid.GetScrollBarCtrl(SB_HORZ), nullptr);
    m_grid.ModifyStyle(0, WS_VSCROLL);
    EXPECT_EQ(m_grid.GetScrollBarCtrl(SB_VERT), nullptr);
}
} // namespace

namespace
{
TEST_F(GridInputTest, ADragReportsEachMoveAndTheReleaseAgainstThePressedCell)
{
    m_grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointOf(3, 2));
    m_grid.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, PointOf(5, 2));
    m_grid.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, PointOf(6, 2));
    m_grid.SendMessage(WM_LBUTTONUP, 0, PointOf(3, 2));
    const std::vector<WORD> expected = {0x0045, 0x0029, 0x0009, 0x0051};
    ASSERT_EQ(m_grid.m_reports.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
    {
        EXPECT_EQ(m_grid.m_reports[i].nHitState, expected[i]) << i;
        EXPECT_EQ(m_grid.m_reports[i].nStartRow, 3u);
    }
    EXPECT_EQ(m_grid.m_reports[2].nRow, 6u);
    EXPECT_EQ(m_grid.Current(), Cell(3, 2));
}
} // namespace

namespace
{
TEST_F(GridInputTest, AScrollMessageDuringAPaintPassIsIgnored)
{
    const ROWCOL nTop = m_grid.GetTopRow();
    m_grid.m_nDrawingDepth = 1;
    m_grid.SendMessage(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(m_grid.GetTopRow(), nTop);
    m_grid.m_nDrawingDepth = 0;
    m_grid.SendMessage(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(m_grid.GetTopRow(), nTop + 1);
}
} // namespace
