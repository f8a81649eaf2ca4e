#include "GridTestSupport.h"

#include <grid/core/GridParam.h>
#include <grid/services/mouse/GridUserResizeCellsImp.h>

#include <gtest/gtest.h>

namespace
{
// Column 2 of a grid whose columns are 50 pixels wide lies at [100, 150).
class UserResizeCellsTest : public HiddenGridOfTest<TestGrid>
{
protected:
    void SetUp() override
    {
        HiddenGridOfTest::SetUp();
        m_grid.SetDefaultColWidth(50);
        m_grid.SetColWidth(0, 0, 50);
        m_grid.SetDefaultRowHeight(20);
        m_grid.SetRowHeight(0, 0, 20);
        m_grid.GetParam()->GetUndoList()->RemoveAll();
    }
    CGXGridUserResizeCellsImp* Feature()
    {
        return static_cast<CGXGridUserResizeCellsImp*>(m_grid.m_pUserResizeCellsImp);
    }
    void Press(int x, int y)
    {
        m_grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    }
    void MoveTo(int x, int y)
    {
        m_grid.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
    }
    void Release(int x, int y)
    {
        m_grid.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    // Drags the right border of column 2 (x 150) in the column headers to x.
    void DragColumn2To(int x)
    {
        Press(150, 10);
        MoveTo(x, 10);
        Release(x, 10);
    }
};

} // namespace

TEST_F(UserResizeCellsTest, DraggingAColumnBorderSetsItsWidthWithOneUndoStep)
{
    ASSERT_NE(Feature(), nullptr);
    EXPECT_EQ(m_grid.GetParam()->m_wAllowTrackColWidth, 178);
    m_grid.SetColWidth(2, 2, 100); // [100, 200)
    m_grid.GetParam()->GetUndoList()->RemoveAll();
    Press(200, 10);
    EXPECT_TRUE(Feature()->IsResizing());
    EXPECT_EQ(::GetCapture(), m_grid.GetSafeHwnd());
    MoveTo(230, 10);
    EXPECT_EQ(Feature()->GetLineRect().left, 230);
    Release(230, 10);
    EXPECT_FALSE(Feature()->IsResizing());
    EXPECT_NE(::GetCapture(), m_grid.GetSafeHwnd());
    EXPECT_EQ(m_grid.GetColWidth(2), 130);
    EXPECT_EQ(m_grid.GetColWidth(3), 50);
    ASSERT_EQ(m_grid.GetParam()->GetUndoList()->GetCount(), 1);
    ASSERT_TRUE(m_grid.Undo());
    EXPECT_EQ(m_grid.GetColWidth(2), 100);
}

TEST_F(UserResizeCellsTest, AMoveUnderTwoPixelsChangesNothing)
{
    DragColumn2To(151);
    EXPECT_EQ(m_grid.GetColWidth(2), 50);
    EXPECT_TRUE(m_grid.GetParam()->GetUndoList()->IsEmpty());
}

TEST_F(UserResizeCellsTest, HeaderBordersRefuseWithBit0x08)
{
    m_grid.GetParam()->m_wAllowTrackColWidth = 178 | 0x08;
    EXPECT_FALSE(m_grid.OnStartTracking(0, 0, 2));
    EXPECT_TRUE(m_grid.OnStartTracking(0, 2, 2));
    m_grid.OnCancelTracking();
    m_grid.GetParam()->m_wAllowTrackColWidth = 0;
    Press(150, 10);
    EXPECT_FALSE(Feature()->IsResizing()); // resizing not allowed at all
}

TEST_F(UserResizeCellsTest, SelectedColumnsResizeTogetherAndToZeroTheyHide)
{
    m_grid.SelectRange(CGXRange().SetCols(2, 3));
    DragColumn2To(170);
    EXPECT_EQ(m_grid.GetColWidth(2), 70);
    EXPECT_EQ(m_grid.GetColWidth(3), 70);
    EXPECT_EQ(m_grid.GetColWidth(4), 50);

    Press(170, 10);
    MoveTo(90, 10);
    Release(90, 10);
    EXPECT_TRUE(m_grid.IsColHidden(2));
    EXPECT_TRUE(m_grid.IsColHidden(3));
}

TEST_F(UserResizeCellsTest, TheMinimumRaisesASize)
{
    m_grid.GetParam()->m_nMinTrackColWidth = 30;
    DragColumn2To(110);
    EXPECT_EQ(m_grid.GetColWidth(2), 30);
}

TEST_F(UserResizeCellsTest, LiveResizingSizesOnEveryMoveWithoutAnInvertedLine)
{
    m_grid.GetParam()->m_wAllowTrackColWidth = 0x02 | 0x100;
    Press(150, 10);
    MoveTo(160, 10);
    EXPECT_EQ(m_grid.GetColWidth(2), 60); // applied during the move
    EXPECT_EQ(Feature()->GetLineWnd(), nullptr);
    MoveTo(190, 10);
    EXPECT_EQ(m_grid.GetColWidth(2), 90);
    Release(190, 10);
    EXPECT_EQ(m_grid.GetColWidth(2), 90);
    ASSERT_EQ(m_grid.GetParam()->GetUndoList()->GetCount(), 1);
}

TEST_F(UserResizeCellsTest, ALineWindowMarksTheStartOnlyWithFrozenColumnsAndBit0x20Clear)
{
    m_grid.GetParam()->m_wAllowTrackColWidth = 0x02;
    Press(150, 10);
    EXPECT_EQ(Feature()->GetLineWnd(), nullptr); // no frozen columns
    m_grid.SendMessage(WM_CANCELMODE);
    m_grid.SetFrozenCols(1, 0);
    Press(150, 10);
    ASSERT_NE(Feature()->GetLineWnd(), nullptr);
    CRect rect;
    Feature()->GetLineWnd()->GetWindowRect(&rect);
    m_grid.ScreenToClient(&rect);
    EXPECT_EQ(rect.left, 150);
    EXPECT_EQ(rect.Width(), 1);
    m_grid.SendMessage(WM_CANCELMODE);
    EXPECT_EQ(Feature()->GetLineWnd(), nullptr);
    m_grid.GetParam()->m_wAllowTrackColWidth = 0x02 | 0x20;
    Press(150, 10);
    EXPECT_EQ(Feature()->GetLineWnd(), nullptr);
    m_grid.SendMessage(WM_CANCELMODE);
}

TEST_F(UserResizeCellsTest, EscapeRestoresTheSize)
{
    m_grid.GetParam()->m_wAllowTrackColWidth = 0x02 | 0x80; // preview
    Press(150, 10);
    MoveTo(200, 10);
    m_grid.SendMessage(WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_FALSE(Feature()->IsResizing());
    EXPECT_EQ(m_grid.GetColWidth(2), 50);
    Release(200, 10);
    EXPECT_EQ(m_grid.GetColWidth(2), 50);
}

TEST_F(UserResizeCellsTest, DoubleClickResetsTheSizeOrShowsHiddenNeighbours)
{
    m_grid.SetColWidth(2, 2, 70);
    m_grid.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(170, 10));
    EXPECT_EQ(m_grid.GetColWidth(2), 50);

    m_grid.HideCols(3, 0);
    const int x = 150; // the border of column 2 with the hidden column 3 after it
    m_grid.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, 10));
    EXPECT_FALSE(m_grid.IsColHidden(3));
}
