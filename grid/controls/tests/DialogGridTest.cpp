#include "GridTestSupport.h"

#include <grid/controls/CheckBox.h>
#include <grid/controls/DateTimeCtrl.h>
#include <grid/controls/EditControl.h>
#include <grid/core/Font.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>
#include <testing/MessagePump.h>

#include <gtest/gtest.h>

namespace
{
constexpr UINT idGridDialog = 30200;
constexpr UINT idGridControl = 1007;

// A dialog's grid control subclassed into a grid window and set up with the four kinds of
// columns of the wizard's pages: text, number, date-time and 3-D check box.
class DialogGridTest : public GridWindowTest
{
protected:
    void SetUp() override
    {
        GridWindowTest::SetUp();
        ASSERT_TRUE(m_dialog.Create(idGridDialog, &Parent()));
        ASSERT_TRUE(m_grid.SubclassDlgItem(idGridControl, &m_dialog));
        m_grid.Initialize();
        ASSERT_TRUE(m_grid.SetColCount(4, GX_UPDATENOW));
        ASSERT_TRUE(m_grid.SetRowCount(2, GX_UPDATENOW));
        CGXStyle header;
        header.SetFont(CGXFont().SetFaceName(_T("Courier New")).SetWeight(FW_BOLD));
        ASSERT_TRUE(
            m_grid.SetStyleRangeShort(CGXRange().SetRows(0, 0), header, CGXStyle::modeOverride, 0, GX_UPDATENOW));
        const LPCTSTR headers[] = {_T("Host"), _T("Name"), _T("CPUs"), _T("Installed"), _T("Active")};
        for (ROWCOL nCol = 0; nCol <= 4; ++nCol)
            ASSERT_TRUE(m_grid.SetValueRange(CGXRange(0, nCol), headers[nCol], CGXStyle::modeOverride, GX_UPDATENOW));
        m_grid.SetColWidth(1, 4, 90);
        SetColumn(2, CGXStyle().SetFormat(2).SetValueType(CGXStyle::valueNumber));
        SetColumn(3, CGXStyle().SetControl(GX_IDS_CTRL_DATETIME));
        SetColumn(4, CGXStyle().SetControl(GX_IDS_CTRL_CHECKBOX_3D).SetValue(_T("0")));
    }
    void TearDown() override
    {
        m_dialog.DestroyWindow();
    }

    void SetColumn(ROWCOL nCol, const CGXStyle& style)
    {
        ASSERT_TRUE(
            m_grid.SetStyleRangeShort(CGXRange().SetCols(nCol, nCol), style, CGXStyle::modeOverride, 0, GX_UPDATENOW));
    }
    CWnd* CurrentWindow()
    {
        CGXControl* pControl = m_grid.GetCurrentCellControl();
        return pControl != nullptr ? pControl->GetControlWindow() : nullptr;
    }
    // Typed into the current cell: the first character to the grid, the rest to the window
    // that the cell then shows.
    void Type(const CString& strText)
    {
        m_grid.SendMessage(WM_CHAR, strText[0], 1);
        PumpPendingMessages();
        for (int i = 1; i < strText.GetLength(); ++i)
            CurrentWindow()->SendMessage(WM_CHAR, strText[i], 1);
    }
    // The current cell's window hands Tab to the grid, which stores and moves right.
    void Leave()
    {
        CWnd* pWnd = CurrentWindow();
        ASSERT_NE(pWnd, nullptr);
        pWnd->SendMessage(WM_KEYDOWN, VK_TAB, 1);
    }

    CDialog m_dialog;
    CGXGridWnd m_grid;
};

TEST_F(DialogGridTest, CellsEditedByMessagesReadBackAsValues)
{
    ASSERT_TRUE(m_grid.SetCurrentCell(1, 1, 10));
    Type(_T("saplx01"));
    Leave();
    Type(_T("42"));
    Leave();
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    ASSERT_TRUE(m_grid.GetCurrentCell(&nRow, &nCol));
    ASSERT_EQ(nCol, 3u);
    Type(_T("12252024"));
    Leave();
    m_grid.SendMessage(WM_CHAR, ' ', 1);

    EXPECT_EQ(m_grid.GetValueRowCol(1, 1), _T("saplx01"));
    EXPECT_EQ(m_grid.GetValueRowCol(1, 2), _T("42"));
    EXPECT_EQ(m_grid.GetValueRowCol(1, 3), _T("12/25/2024"));
    EXPECT_EQ(m_grid.GetValueRowCol(1, 4), _T("1"));
    EXPECT_TRUE(
        m_grid.GetRegisteredControl(GX_IDS_CTRL_DATETIME)->IsControlKindOf(&CGXDateTimeCtrl::ctlClassCGXDateTimeCtrl));
}
} // namespace
