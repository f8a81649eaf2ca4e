#include "GridTestSupport.h"

#include <grid/core/GridParam.h>
#include <grid/core/Style.h>
#include <grid/services/mouse/AutoScrollPlugin.h>
#include <grid/services/mouse/GridUserSelectRangeImp.h>

#include <set>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

namespace
{
class SelectionGrid : public DisablingGrid
{
public:
    CGXAutoScrollPlugin* Plugin()
    {
        return static_cast<CGXAutoScrollPlugin*>(m_pAutoScrollPlugin);
    }
    using CGXGridCore::m_bAutoScrollSetting;
    using CGXGridCore::m_pAutoScrollPlugin;
    using CGXGridCore::m_pUserSelectRangeImp;
};

using Cell = std::pair<ROWCOL, ROWCOL>;
// A range as (type, top, left, bottom, right).
using RangeTuple = std::tuple<int, ROWCOL, ROWCOL, ROWCOL, ROWCOL>;

RangeTuple Tuple(const CGXRange& range)
{
    return {range.type, range.top, range.left, range.bottom, range.right};
}

class GridSelectionTest : public HiddenGridOfTest<SelectionGrid>
{
protected:
    void SetUp() override
    {
        HiddenGridOfTest<SelectionGrid>::SetUp();
        // The tests' cursor is nowhere near the grid: no auto-scroll from presses here.
        m_grid.m_bAutoScrollSetting = FALSE;
        ::GetKeyboardState(m_keys);
    }
    void TearDown() override
    {
        ::SetKeyboardState(m_keys);
        HiddenGridOfTest<SelectionGrid>::TearDown();
    }
    LPARAM PointOf(ROWCOL nRow, ROWCOL nCol)
    {
        const CPoint pt = m_grid.CalcRectFromRowCol(nRow, nCol).CenterPoint();
        return MAKELPARAM(pt.x, pt.y);
    }
    void Click(ROWCOL nRow, ROWCOL nCol, WPARAM keys = 0)
    {
        m_grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | keys, PointOf(nRow, nCol));
        m_grid.SendMessage(WM_LBUTTONUP, keys, PointOf(nRow, nCol));
    }
    void Drag(Cell from, Cell to)
    {
        m_grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointOf(from.first, from.second));
        m_grid.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, PointOf(to.first, to.second));
        m_grid.SendMessage(WM_LBUTTONUP, 0, PointOf(to.first, to.second));
    }
    // Holds the modifier keys down in the thread's key state while the keys are sent.
    void Keys(std::initializer_list<UINT> modifiers, std::initializer_list<UINT> keys)
    {
        BYTE state[256];
        ::GetKeyboardState(state);
        for (UINT nKey : modifiers)
            state[nKey] = 0x80;
        ::SetKeyboardState(state);
        for (UINT nKey : keys)
            m_grid.SendMessage(WM_KEYDOWN, nKey, 1);
        ::SetKeyboardState(m_keys);
    }
    std::vector<RangeTuple> Selection()
    {
        std::vector<RangeTuple> ranges;
        CGXRangeList& list = m_grid.GetParam()->m_SelRects;
        for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
            ranges.push_back(Tuple(*list.GetNextRange(pos)));
        return ranges;
    }

    BYTE m_keys[256] = {};
};

TEST_F(GridSelectionTest, TheFactoryInstallsTheSelectionAndTheAttachedAutoScroll)
{
    EXPECT_NE(m_grid.m_pUserSelectRangeImp, nullptr);
    ASSERT_NE(m_grid.Plugin(), nullptr);
    EXPECT_EQ(m_grid.Plugin()->GetSafeHwnd(), m_grid.GetSafeHwnd());
}

TEST_F(GridSelectionTest, ADragBuildsARangeAndAClickAloneLeavesNone)
{
    Drag({3, 2}, {5, 1});
    EXPECT_EQ(m_grid.Current(), Cell(3, 2));
    EXPECT_EQ(Selection(), std::vector<RangeTuple>({{CGXRange::cells, 3, 1, 5, 2}}));

    Click(6, 1);
    EXPECT_EQ(m_grid.Current(), Cell(6, 1));
    EXPECT_TRUE(Selection().empty());
}

TEST_F(GridSelectionTest, TheCornerHeaderSelectsTheTableAndASecondClickTakesItAway)
{
    Drag({3, 2}, {4, 1});
    Click(0, 0);
    ASSERT_EQ(Selection().size(), 1u);
    EXPECT_EQ(std::get<0>(Selection()[0]), CGXRange::table);
    EXPECT_EQ(m_grid.Current(), Cell(3, 2)) << "a header press leaves the current cell";
    Click(0, 0);
    EXPECT_TRUE(Selection().empty());
}

TEST_F(GridSelectionTest, CtrlClickOnASelectedRowHeaderRemovesThatRowOnly)
{
    Drag({3, 0}, {7, 0});
    ASSERT_EQ(Selection(), std::vector<RangeTuple>({{CGXRange::rows, 3, 0, 7, 0}}));
    Click(5, 0, MK_CONTROL);
    const std::vector<RangeTuple> expected = {{CGXRange::rows, 3, 0, 4, 0}, {CGXRange::rows, 6, 0, 7, 0}};
    EXPECT_EQ(Selection(), expected);
}

TEST_F(GridSelectionTest, DeselectingLeavesUpToFourPiecesOutsideTheRemovedRange)
{
    struct Case
    {
        CGXRange selected;
        CGXRange removed;
        std::vector<RangeTuple> left;
    };
    CGXRange rows, row5, table, col3;
    rows.SetRows(2, 8);
    row5.SetRows(5, 5);
    table.SetTable();
    col3.SetCols(3, 3);
    const Case cases[] = {
        {CGXRange(2, 1, 8, 5),
         CGXRange(5, 3),
         {{CGXRange::cells, 2, 1, 4, 5},
          {CGXRange::cells, 6, 1, 8, 5},
          {CGXRange::cells, 5, 1, 5, 2},
          {CGXRange::cells, 5, 4, 5, 5}}},
        {rows, row5, {{CGXRange::rows, 2, 0, 4, 0}, {CGXRange::rows, 6, 0, 8, 0}}},
        {table, col3, {{CGXRange::cols, 0, 1, 0, 2}, {CGXRange::cols, 0, 4, 0, 5}}},
        {rows, col3, {{CGXRange::cells, 2, 1, 8, 2}, {CGXRange::cells, 2, 4, 8, 5}}},
        {CGXRange(2, 2, 3, 3), CGXRange(1, 1, 9, 4), {}},
        {CGXRange(2, 2, 3, 3), CGXRange(9, 4), {{CGXRange::cells, 2, 2, 3, 3}}},
    };
    for (const Case& c : cases)
    {
        m_grid.GetParam()->m_SelRects.DeleteAll();
        m_grid.GetParam()->m_SelRects.AddTail(new CGXRange(c.selected));
        m_grid.m_pUserSelectRangeImp->ChangeSelectionList(&m_grid, c.removed, FALSE);
        EXPECT_EQ(Selection(), c.left) << testing::PrintToString(Tuple(c.selected)) << " less "
                                       << testing::PrintToString(Tuple(c.removed));
    }
}

TEST_F(GridSelectionTest, ShiftArrowsExtendARangeFromTheCurrentCell)
{
    ASSERT_TRUE(m_grid.SetCurrentCell(2, 2, 0));
    Keys({VK_SHIFT}, {VK_DOWN, VK_DOWN, VK_RIGHT});
    EXPECT_EQ(m_grid.Current(), Cell(4, 3));
    EXPECT_EQ(Selection(), std::vector<RangeTuple>({{CGXRange::cells, 2, 2, 4, 3}}));
    Keys({VK_SHIFT}, {VK_UP});
    EXPECT_EQ(Selection(), std::vector<RangeTuple>({{CGXRange::cells, 2, 2, 3, 3}}));

    Keys({}, {VK_DOWN});
    EXPECT_EQ(m_grid.Current(), Cell(4, 3));
    Keys({}, {VK_ESCAPE});
    EXPECT_TRUE(Selection().empty()) << "Esc resets a selection that does not follow the cell";
}

TEST_F(GridSelectionTest, CtrlArrowsAndCtrlHomeJumpToTheEdgesOverDisabledCells)
{
    ASSERT_TRUE(m_grid.SetCurrentCell(5, 3, 0));
    Keys({VK_CONTROL}, {VK_DOWN});
    EXPECT_EQ(m_grid.Current(), Cell(20, 3));
    Keys({VK_CONTROL}, {VK_RIGHT});
    EXPECT_EQ(m_grid.Current(), Cell(20, 5));
    m_grid.m_disabled.insert({1, 1});
    Keys({VK_CONTROL}, {VK_HOME});
    EXPECT_EQ(m_grid.Current(), Cell(2, 1));
    Keys({VK_CONTROL}, {VK_END});
    EXPECT_EQ(m_grid.Current(), Cell(20, 5));
    Keys({}, {VK_HOME});
    EXPECT_EQ(m_grid.Current(), Cell(20, 5)) << "Home without Ctrl is not a grid key";
}

TEST_F(GridSelectionTest, TheSelectionFollowsTheCurrentCellWhenAskedTo)
{
    m_grid.GetParam()->m_bSelectionFollowsCell = TRUE;
    Click(4, 2);
    EXPECT_EQ(Selection(), std::vector<RangeTuple>({{CGXRange::cells, 4, 2, 4, 2}}));
    Keys({}, {VK_DOWN});
    EXPECT_EQ(Selection(), std::vector<RangeTuple>({{CGXRange::cells, 5, 2, 5, 2}}));
}

// The auto-scroll timer with a clock and a cursor that the test sets.
class AutoScrollTest : public GridSelectionTest
{
protected:
    void SetUp() override
    {
        GridSelectionTest::SetUp();
        s_pGrid = &m_grid;
        CGXAutoScrollPlugin::s_pfnGetTickCount = [](void) WINAPI -> DWORD { return s_dwTick; };
        CGXAutoScrollPlugin::s_pfnGetCursorPos = [](LPPOINT pPoint) WINAPI -> BOOL {
            *pPoint = s_ptCursor;
            s_pGrid->ClientToScreen(pPoint);
            return TRUE;
        };
    }
    void TearDown() override
    {
        CGXAutoScrollPlugin::s_pfnGetTickCount = ::GetTickCount;
        CGXAutoScrollPlugin::s_pfnGetCursorPos = ::GetCursorPos;
        GridSelectionTest::TearDown();
    }
    void Step(DWORD dwTick, CPoint ptCursor)
    {
        s_dwTick = dwTick;
        s_ptCursor = ptCursor;
        m_grid.SendMessage(WM_TIMER, 992);
    }
    static inline CWnd* s_pGrid = nullptr;
    static inline DWORD s_dwTick = 0;
    static inline CPoint s_ptCursor;
};

TEST_F(AutoScrollTest, ScrollsFasterWhileThePointerMovesOutAndStartsOverWhenItReturns)
{
    CRect rect;
    m_grid.GetGridRect(&rect);
    const CPoint inside = rect.CenterPoint();
    ASSERT_TRUE(m_grid.StartMouseTracking(FALSE, TRUE, TRUE));
    const CGXAutoScrollPlugin* pPlugin = m_grid.Plugin();

    Step(1000, CPoint(inside.x, rect.bottom + 19)); // 20 pixels below
    EXPECT_EQ(m_grid.GetTopRow(), 2u);
    EXPECT_EQ(pPlugin->GetScrollInterval(), 78);
    Step(1050, CPoint(inside.x, rect.bottom + 39));
    EXPECT_EQ(m_grid.GetTopRow(), 2u) << "the interval has not passed";
    Step(1080, CPoint(inside.x, rect.bottom + 999)); // a thousand pixels below
    EXPECT_EQ(m_grid.GetTopRow(), 3u);
    EXPECT_EQ(pPlugin->GetScrollInterval(), 0);
    EXPECT_EQ(pPlugin->GetAcceleration(), 3);

    Step(1100, inside);
    EXPECT_EQ(m_grid.GetTopRow(), 3u);
    EXPECT_EQ(pPlugin->GetScrollInterval(), 80);
    EXPECT_EQ(pPlugin->GetAcceleration(), 1);

    m_grid.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(inside.x, inside.y));
    EXPECT_FALSE(m_grid.IsMouseTracking()) << "a release stops the tracking";
    Step(2000, CPoint(inside.x, rect.bottom + 19));
    EXPECT_EQ(m_grid.GetTopRow(), 3u);
}

} // namespace
