// The current cell's own operations (saving, hiding, the queries while printing and past the
// counts), the hover hook, the list-box release, key moves in grids with frozen rows and columns,
// and what Esc, a cancelled mode and a setting change do to the current cell and the highlight.
#include "GridTestSupport.h"

#include <grid/core/AppData.h>
#include <grid/core/GridParam.h>
#include <grid/core/Style.h>

#include <gtest/gtest.h>

#include <vector>

namespace
{
using Cell = std::pair<ROWCOL, ROWCOL>;

// A control that records what the grid asks of it; its validation and its keys are the test's.
class RecordingControl : public CGXControl
{
public:
    using CGXControl::CGXControl;
    BOOL IsModified() override
    {
        return m_bModified;
    }
    BOOL ValidateValue() override
    {
        return m_bValid;
    }
    BOOL StoreEditedValue() override
    {
        m_calls.push_back(L"store");
        return TRUE;
    }
    BOOL ReportEditEnd() override
    {
        m_calls.push_back(L"end");
        return TRUE;
    }
    void HideControl() override
    {
        m_calls.push_back(L"hide");
    }
    void Init(ROWCOL nRow, ROWCOL nCol) override
    {
        m_calls.push_back(L"init");
        CGXControl::Init(nRow, nCol);
    }
    void SetActive(BOOL bActive) override
    {
        m_bEditing = bActive;
    }
    BOOL IsActive() override
    {
        return m_bEditing;
    }
    BOOL OnKeyMessage(UINT /*nMessage*/, UINT /*nChar*/, UINT /*nRepCnt*/, UINT /*nFlags*/) override
    {
        return m_bTakesKeys;
    }

    BOOL m_bModified = FALSE;
    BOOL m_bValid = TRUE;
    BOOL m_bEditing = FALSE;
    BOOL m_bTakesKeys = FALSE;
    std::vector<CString> m_calls;
};

// A grid that records the cells its hover hook hears of.
class HoverGrid : public DisablingGrid
{
public:
    void OnHoverCell(ROWCOL nRow, ROWCOL nCol) override
    {
        m_hovered.emplace_back(nRow, nCol);
    }
    std::vector<Cell> m_hovered;
    using CGXGridCore::m_bPrinting;
};

class CurrentCellTest : public HiddenGridOfTest<HoverGrid>
{
protected:
    RecordingControl& InstallControl()
    {
        auto* pControl = new RecordingControl(&m_grid);
        m_grid.RegisterControl(m_grid.GetStandardStyle()->GetControl(), pControl, FALSE, FALSE);
        return *pControl;
    }
    LPARAM PointOf(ROWCOL nRow, ROWCOL nCol)
    {
        const CPoint pt = m_grid.CalcRectFromRowCol(nRow, nCol).CenterPoint();
        return MAKELPARAM(pt.x, pt.y);
    }
    void Key(UINT nKey)
    {
        m_grid.SendMessage(WM_KEYDOWN, nKey, 1);
    }
};

TEST_F(CurrentCellTest, SavingStoresOnlyAValidModifiedValueAndAlwaysEndsTheEdit)
{
    const struct
    {
        BOOL bStore, bModified, bValid;
        std::vector<CString> calls;
    } cases[] = {
        {TRUE, TRUE, TRUE, {L"store", L"end"}},
        {TRUE, TRUE, FALSE, {L"end"}},
        {TRUE, FALSE, TRUE, {L"end"}},
        {FALSE, TRUE, TRUE, {L"end"}},
    };
    RecordingControl& control = InstallControl();
    ASSERT_TRUE(m_grid.SetCurrentCell(2, 2, 0));
    for (const auto& c : cases)
    {
        control.m_bModified = c.bModified;
        control.m_bValid = c.bValid;
        control.m_calls.clear();
        m_grid.SaveCurrentCell(c.bStore);
        EXPECT_EQ(control.m_calls, c.calls) << c.bStore << c.bModified << c.bValid;
    }

    // Resetting the control saves it the same way, then reloads it.
    control.m_bValid = FALSE;
    control.m_calls.clear();
    m_grid.ResetCurrentCellControl(TRUE);
    EXPECT_EQ(control.m_calls, (std::vector<CString>{L"end", L"init"}));

    control.m_calls.clear();
    m_grid.HideCurrentCell();
    EXPECT_EQ(control.m_calls, std::vector<CString>{L"hide"});
}

TEST_F(CurrentCellTest, NoCellIsCurrentWhilePrintingOrPastTheCounts)
{
    ASSERT_TRUE(m_grid.SetCurrentCell(4, 3, 0));
    EXPECT_TRUE(m_grid.IsCurrentCell(GX_INVALID, 3));
    EXPECT_TRUE(m_grid.IsCurrentCell(4, GX_INVALID));
    EXPECT_FALSE(m_grid.IsCurrentCell(0, 3));

    m_grid.m_bPrinting = TRUE;
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    EXPECT_FALSE(m_grid.GetCurrentCell(&nRow, &nCol));
    EXPECT_EQ(Cell(nRow, nCol), Cell(4, 3));
    EXPECT_FALSE(m_grid.IsCurrentCell(4, 3));
    EXPECT_FALSE(m_grid.IsActiveCurrentCell());
    EXPECT_TRUE(m_grid.GetCurrentCell(&nRow, &nCol, TRUE));
    EXPECT_TRUE(m_grid.IsCurrentCell(4, 3, TRUE));
    m_grid.m_bPrinting = FALSE;

    // Rows that went without the grid's knowing took the current cell with them.
    m_grid.GetData()->SetRowCount(3);
    EXPECT_FALSE(m_grid.IsCurrentCell(4, 3));
    m_grid.GetData()->SetRowCount(20);
    EXPECT_FALSE(m_grid.IsCurrentCell(4, 3));
}

TEST_F(CurrentCellTest, AKeyMoveStartsFromTheLastCurrentCell)
{
    ASSERT_TRUE(m_grid.SetCurrentCell(5, 3, 0));
    ASSERT_TRUE(m_grid.ResetCurrentCell(FALSE));
    ASSERT_EQ(m_grid.Current(), Cell(GX_INVALID, GX_INVALID));
    Key(VK_DOWN);
    EXPECT_EQ(m_grid.Current(), Cell(6, 3));
}

TEST_F(CurrentCellTest, TheHoverHookHearsOfEachNewCellOnce)
{
    for (const Cell& cell : {Cell(3, 2), Cell(3, 2), Cell(4, 2), Cell(4, 2), Cell(3, 2)})
        m_grid.SendMessage(WM_MOUSEMOVE, 0, PointOf(cell.first, cell.second));
    EXPECT_EQ(m_grid.m_hovered, (std::vector<Cell>{{3, 2}, {4, 2}, {3, 2}}));
}

TEST_F(CurrentCellTest, AReleaseInAListBoxMakesThePressedCellCurrent)
{
    const UINT released = 0x0010;
    const CPoint pt = m_grid.CalcRectFromRowCol(5, 2).CenterPoint();
    // Outside list-box mode a release away from the current cell changes nothing.
    EXPECT_TRUE(m_grid.OnLButtonHitRowCol(3, 2, 5, 2, pt.x, pt.y, 0, released));
    EXPECT_EQ(m_grid.Current(), Cell(GX_INVALID, GX_INVALID));

    m_grid.GetParam()->m_wSpecialMode = GX_SINGLELISTBOX;
    EXPECT_TRUE(m_grid.OnLButtonHitRowCol(3, 2, 5, 2, pt.x, pt.y, 0, released));
    EXPECT_EQ(m_grid.Current(), Cell(3, 2));

    // The answer is whether the pressed cell could become current.
    m_grid.m_disabled.insert({7, 2});
    EXPECT_FALSE(m_grid.OnLButtonHitRowCol(7, 2, 5, 2, pt.x, pt.y, 0, released));
    EXPECT_EQ(m_grid.Current(), Cell(3, 2));
}

TEST_F(CurrentCellTest, EscAndACancelledModeEndTheHighlight)
{
    CGXGridParam& param = *m_grid.GetParam();
    RecordingControl& control = InstallControl();
    control.m_bTakesKeys = TRUE;
    ASSERT_TRUE(m_grid.SetCurrentCell(2, 2, 0));
    param.SetRangeHighlight(TRUE, TRUE);
    // The control takes the key; the highlight ends all the same.
    Key(VK_ESCAPE);
    EXPECT_FALSE(param.GetRangeHighlight());

    param.SetRangeHighlight(TRUE, TRUE);
    m_grid.SendMessage(WM_CANCELMODE);
    EXPECT_FALSE(param.GetRangeHighlight());
}

TEST_F(CurrentCellTest, ASettingChangeReloadsTheCurrentCellOnlyWhenAskedAndNotEditing)
{
    CGXAppData& appData = *m_grid.GetAppData();
    RecordingControl& control = InstallControl();
    ASSERT_TRUE(m_grid.SetCurrentCell(2, 2, 0));
    const struct
    {
        BOOL bReload, bEditing;
        BOOL bInit;
    } cases[] = {{FALSE, FALSE, FALSE}, {TRUE, FALSE, TRUE}, {TRUE, TRUE, FALSE}};
    for (const auto& c : cases)
    {
        appData.m_bReloadOnSettingChange = c.bReload;
        control.m_bEditing = c.bEditing;
        control.m_calls.clear();
        m_grid.SendMessage(WM_SETTINGCHANGE);
        const BOOL bInit = std::find(control.m_calls.begin(), control.m_calls.end(), L"init") != control.m_calls.end();
        EXPECT_EQ(bInit, c.bInit) << c.bReload << c.bEditing;
    }
    appData.m_bReloadOnSettingChange = FALSE;
}

// Key moves over 40 rows of 20 pixels and 10 columns of 50 (headers alike) in a window of
// 300 x 200 pixels, with rows 1-2 and column 1 frozen.
class FrozenMoveTest : public CurrentCellTest
{
protected:
    void SetUp() override
    {
        CurrentCellTest::SetUp();
        m_grid.GetData()->SetRowCount(40);
        m_grid.GetData()->SetColCount(10);
        m_grid.SetRowHeight(0, 40, 20);
        m_grid.SetColWidth(0, 10, 50);
        m_grid.SetFrozenRows(2, 0);
        m_grid.SetFrozenCols(1, 0);
    }
};

TEST_F(FrozenMoveTest, KeysWalkIntoAndOutOfTheFrozenRowsAndColumns)
{
    const struct
    {
        const char* pszCase;
        ROWCOL nTop, nLeft;
        Cell start;
        int nDirection;
        UINT nCount;
        BOOL bFrozenEdge;
        Cell end;
        ROWCOL nEndTop, nEndLeft;
    } cases[] = {
        {"up from the first scrollable row", 3, 2, {3, 3}, 1, 1, FALSE, {2, 3}, 3, 2},
        {"up from the top row of a scrolled grid", 10, 2, {10, 3}, 1, 1, FALSE, {2, 3}, 10, 2},
        {"up inside the scrolled rows", 10, 2, {12, 3}, 1, 1, FALSE, {11, 3}, 10, 2},
        {"down out of the frozen rows to the top row", 10, 2, {2, 3}, 3, 1, FALSE, {10, 3}, 10, 2},
        {"down twice out of the frozen rows", 10, 2, {1, 3}, 3, 2, FALSE, {10, 3}, 10, 2},
        {"left from the left column of a scrolled grid", 3, 3, {4, 3}, 2, 1, FALSE, {4, 1}, 3, 3},
        {"right out of the frozen column to the left column", 3, 3, {4, 1}, 4, 1, FALSE, {4, 3}, 3, 3},
        {"up from the top row with the frozen edge scrolls", 10, 2, {10, 3}, 1, 1, TRUE, {9, 3}, 9, 2},
        {"left from the left column with the frozen edge scrolls", 3, 3, {4, 3}, 2, 1, TRUE, {4, 2}, 3, 2},
        {"through the frozen edge into the frozen rows scrolls back", 10, 2, {10, 3}, 1, 9, TRUE, {1, 3}, 3, 2},
        {"page up from the first page goes to the first row", 3, 2, {8, 3}, 6, 1, FALSE, {1, 3}, 3, 2},
        {"up from the first row stays", 3, 2, {1, 3}, 1, 1, FALSE, {1, 3}, 3, 2},
    };
    for (const auto& c : cases)
    {
        m_grid.SetTopRow(c.nTop, GX_UPDATENOW, FALSE);
        m_grid.SetLeftCol(c.nLeft, GX_UPDATENOW, FALSE);
        m_grid.GetParam()->m_bScrollAtFrozenEdge = c.bFrozenEdge;
        ASSERT_TRUE(m_grid.SetCurrentCell(c.start.first, c.start.second, 0)) << c.pszCase;
        ASSERT_EQ(m_grid.GetTopRow(), c.nTop) << c.pszCase;
        ASSERT_EQ(m_grid.GetLeftCol(), c.nLeft) << c.pszCase;
        EXPECT_EQ(m_grid.MoveCurrentCell(c.nDirection, c.nCount), c.start != c.end) << c.pszCase;
        EXPECT_EQ(m_grid.Current(), c.end) << c.pszCase;
        EXPECT_EQ(m_grid.GetTopRow(), c.nEndTop) << c.pszCase;
        EXPECT_EQ(m_grid.GetLeftCol(), c.nEndLeft) << c.pszCase;
    }
}

TEST_F(FrozenMoveTest, PageUpScrollsByTheRowsThatFillTheScrollingArea)
{
    m_grid.SetTopRow(20, GX_UPDATENOW, FALSE);
    ASSERT_TRUE(m_grid.SetCurrentCell(24, 3, 0));
    CRect rectGrid;
    m_grid.GetGridRect(&rectGrid);
    // The area below the header and the frozen rows; the old top row stays on the page.
    const ROWCOL nPage = static_cast<ROWCOL>((rectGrid.Height() - 3 * 20 + 19) / 20) - 1;
    EXPECT_TRUE(m_grid.MoveCurrentCell(6, 1));
    EXPECT_EQ(m_grid.GetTopRow(), 20 - nPage);
    EXPECT_EQ(m_grid.Current(), Cell(24 - nPage, 3));
    EXPECT_GE(m_grid.GetLastVisibleRow(), 20u);
}
} // namespace
