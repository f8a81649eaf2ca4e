#include "ComboTestSupport.h"

#include <grid/controls/TabbedComboBoxWnd.h>
#include <grid/controls/TabbedLBoxHeader.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>
#include <grid/core/StylesMap.h>
#include <grid/services/ControlFactory.h>

#include <gtest/gtest.h>

namespace
{
const LPCTSTR codesAndNames = _T("Code\tName\nB\tBeta\nA\tAlpha");

class TabbedComboWndTest : public ComboGridTest
{
protected:
    void TearDown() override
    {
        m_grid.SetCurrentCell(5, 5);
        PumpPendingMessages();
    }
    // A tabbed cell: key column 0, text column 1, titles on, sorted by the key column.
    void SetTabbed(ROWCOL nRow, ROWCOL nCol, WORD nId, LPCTSTR pszChoices, LPCTSTR pszValue,
                   LPCTSTR pszWidths = nullptr)
    {
        CGXStyle style = TabbedComboStyle(nId, pszChoices, pszValue);
        if (pszWidths != nullptr)
            style.SetUserAttribute(GX_IDS_UA_TAB_COLUMN_WIDTHS, pszWidths);
        ASSERT_TRUE(m_grid.SetStyleRangeShort(CGXRange(nRow, nCol), style));
    }
    CGXTabbedComboBoxWnd* TabbedAt(ROWCOL nRow, ROWCOL nCol)
    {
        return ControlAt<CGXTabbedComboBoxWnd>(nRow, nCol);
    }
    CString EditText(CGXTabbedComboBoxWnd* pCombo)
    {
        CString strText;
        pCombo->GetComboText(strText);
        return strText;
    }
};

TEST_F(TabbedComboWndTest, SortedListStoresTheKeyAndShowsTheTextColumn)
{
    SetTabbed(1, 1, GX_IDS_CTRL_TABBED_COMBO_WND, codesAndNames, _T("B"));
    CGXTabbedComboBoxWnd* pCombo = TabbedAt(1, 1);
    ASSERT_NE(pCombo, nullptr);
    EXPECT_TRUE(pCombo->IsControlKindOf(&CGXComboBoxWnd::ctlClassCGXComboBoxWnd));
    ASSERT_EQ(pCombo->GetCount(), 2) << "the title line is no item";
    CString strItem;
    pCombo->GetLBText(0, strItem);
    EXPECT_EQ(strItem, _T("Alpha\tA\tAlpha")) << "Alpha before Beta, the text column put first";
    EXPECT_EQ(pCombo->GetCurSel(), 1);
    EXPECT_EQ(EditText(pCombo), _T("Beta")) << "the edit box shows the first column only";

    CString strShown;
    const CGXStyle* pStyle = m_grid.GetComposedStyle(1, 1);
    EXPECT_TRUE(pCombo->FormatDisplayText(strShown, 1, 1, nullptr, *pStyle));
    EXPECT_EQ(strShown, _T("Beta")) << "B draws Beta";
    EXPECT_FALSE(pCombo->FormatDisplayText(strShown, 1, 1, _T("Z"), *pStyle)) << "a value of no line";

    CString strText = _T("Alpha");
    EXPECT_TRUE(pCombo->CanStoreValue(1, 1, strText, pStyle));
    EXPECT_EQ(strText, _T("A")) << "typed Alpha converts to A";
    strText = _T("alpha");
    EXPECT_FALSE(pCombo->CanStoreValue(1, 1, strText, pStyle)) << "the text column matches exactly";
    strText = _T("Code");
    EXPECT_FALSE(pCombo->CanStoreValue(1, 1, strText, pStyle)) << "the title line is no value";

    // Choosing Alpha in the active cell stores its key.
    pCombo->SetActive(TRUE);
    pCombo->SetCurSel(0);
    pCombo->SetModified(TRUE);
    CString strValue;
    EXPECT_TRUE(pCombo->GetStyleValue(strValue));
    EXPECT_EQ(strValue, _T("A"));
    ASSERT_TRUE(m_grid.SetCurrentCell(5, 5));
    EXPECT_EQ(Stored(1, 1), _T("A"));
}

TEST_F(TabbedComboWndTest, WidthsComeFromTheAttributeThenFromMeasuring)
{
    const int nScroll = ::GetSystemMetrics(SM_CXVSCROLL);
    // Three columns; the attribute gives the first two.
    SetTabbed(1, 1, GX_IDS_CTRL_TABBED_COMBO_WND, _T("K\tT\tX\nk1\tt1\tsomething wide"), _T("k1"), _T("40,60"));
    CGXTabbedComboBoxWnd* pCombo = TabbedAt(1, 1);
    const CArray<int, int>& stops = pCombo->GetTabStops();
    ASSERT_EQ(stops.GetSize(), 3);
    EXPECT_EQ(stops[0], 40);
    EXPECT_EQ(stops[1], 100);
    const int nThird = stops[2] - stops[1];
    {
        CClientDC dc(&m_grid);
        CFont* pOld = m_grid.LoadFont(&dc, *m_grid.GetComposedStyle(1, 1), nullptr);
        EXPECT_EQ(nThird, dc.GetTextExtent(_T("something wide")).cx + 4) << "measured plus 4";
        dc.SelectObject(pOld);
    }
    EXPECT_EQ(pCombo->GetTotalWidth(), stops[2] + nScroll);

    // Show-all off: every column but the text column has width 0.
    CGXStyle hide;
    hide.SetUserAttribute(GX_IDS_UA_TAB_SHOW_ALL, _T("0")).SetUserAttribute(GX_IDS_UA_TAB_COLUMN_WIDTHS, _T(""));
    m_grid.SetCurrentCell(5, 5);
    ASSERT_TRUE(m_grid.SetStyleRangeShort(CGXRange(1, 1), hide));
    pCombo = TabbedAt(1, 1);
    ASSERT_EQ(pCombo->GetTabStops().GetSize(), 3);
    EXPECT_EQ(pCombo->GetTabStops()[0], 0);
    EXPECT_GT(pCombo->GetTabStops()[1], 0);
    EXPECT_EQ(pCombo->GetTabStops()[2], pCombo->GetTabStops()[1]);

    // A line of eleven columns measures ten.
    SetTabbed(2, 1, GX_IDS_CTRL_TABBED_COMBO_WND, _T("0\t1\t2\t3\t4\t5\t6\t7\t8\t9\t10"), _T(""));
    m_grid.SetCurrentCell(5, 5);
    pCombo = TabbedAt(2, 1);
    EXPECT_EQ(pCombo->GetTabStops().GetSize(), 10);
}

TEST_F(TabbedComboWndTest, TypingCompletesFromTheListAndRefusesOtherCharacters)
{
    SetTabbed(1, 1, GX_IDS_CTRL_TABBED_COMBO_WND, codesAndNames, _T(""));
    CGXTabbedComboBoxWnd* pCombo = TabbedAt(1, 1);
    pCombo->SetActive(TRUE);
    CWnd* pEdit = pCombo->GetWindow(GW_CHILD);
    ASSERT_NE(pEdit, nullptr);
    pEdit->SendMessage(WM_CHAR, 'b', 0);
    EXPECT_EQ(EditText(pCombo), _T("Beta")) << "completed from the item";
    int nStart = 0;
    int nEnd = 0;
    pCombo->GetSelRange(nStart, nEnd);
    EXPECT_EQ(nStart, 1);
    EXPECT_EQ(nEnd, 4) << "the completed part is selected";
    pEdit->SendMessage(WM_CHAR, 'x', 0);
    EXPECT_EQ(EditText(pCombo), _T("Beta")) << "a character that starts no item changes nothing";
    pCombo->GetSelRange(nStart, nEnd);
    EXPECT_EQ(nStart, 1);
    EXPECT_EQ(nEnd, 4);

    // A text set into the edit box shows its first column.
    pEdit->SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(_T("ABAP\tABAP stack")));
    CString strShown;
    pEdit->GetWindowText(strShown);
    EXPECT_EQ(strShown, _T("ABAP"));
    // "ABAP" starts no item: the cell could not be left with it.
    pCombo->SetWindowText(_T(""));
    pCombo->SetModified(FALSE);
}

TEST_F(TabbedComboWndTest, ReadOnlyDisablesTheComboAndMarksItsEdit)
{
    SetTabbed(1, 1, GX_IDS_CTRL_TABBED_COMBO_WND, codesAndNames, _T("A"));
    CGXTabbedComboBoxWnd* pCombo = TabbedAt(1, 1);
    EXPECT_TRUE(pCombo->IsWindowEnabled());
    pCombo->SetReadOnly(TRUE);
    EXPECT_FALSE(pCombo->IsWindowEnabled());
    CWnd* pEdit = pCombo->GetWindow(GW_CHILD);
    ASSERT_NE(pEdit, nullptr);
    EXPECT_TRUE(pEdit->IsWindowEnabled());
    EXPECT_NE(pEdit->GetStyle() & ES_READONLY, 0u);
    pCombo->SetReadOnly(FALSE);
    EXPECT_TRUE(pCombo->IsWindowEnabled());
    EXPECT_EQ(pEdit->GetStyle() & ES_READONLY, 0u);
}

TEST_F(TabbedComboWndTest, FactoryMakesBothStylesAndRegistersTheAttributes)
{
    SetTabbed(1, 1, GX_IDS_CTRL_TABBED_COMBO_WND, codesAndNames, _T("A"));
    SetTabbed(2, 1, GX_IDS_CTRL_TABBED_DROPDOWN_LIST_WND, codesAndNames, _T("A"));
    CGXTabbedComboBoxWnd* pCombo = TabbedAt(1, 1);
    EXPECT_EQ(pCombo->GetStyle() & 0x3u, static_cast<DWORD>(CBS_DROPDOWN));
    EXPECT_NE(pCombo->GetStyle() & CBS_OWNERDRAWVARIABLE, 0u);
    pCombo = TabbedAt(2, 1);
    EXPECT_EQ(pCombo->GetStyle() & 0x3u, static_cast<DWORD>(CBS_DROPDOWNLIST));
    CString strValue;
    pCombo->GetCurrentText(strValue);
    EXPECT_EQ(strValue, _T("Alpha")) << "a drop-down list gives the first column of its item";

    CGXStylesMap stylesMap;
    CGXControlFactory().RegisterAllUserAttributes(&stylesMap);
    struct Attribute
    {
        WORD nId;
        LPCTSTR pszName;
        BOOL bCheckBox;
    };
    const Attribute attributes[] = {{GX_IDS_UA_TAB_KEY_COLUMN, L"TabList: Key Column", FALSE},
                                    {GX_IDS_UA_TAB_TEXT_COLUMN, L"TabList: Text Column", FALSE},
                                    {GX_IDS_UA_TAB_SHOW_ALL, L"TabList: Show all columns", TRUE},
                                    {GX_IDS_UA_TAB_TITLES, L"TabList: Display Column Titles", TRUE},
                                    {GX_IDS_UA_TAB_SORT_COLUMN, L"TabList: Sort Columns", FALSE}};
    for (const Attribute& a : attributes)
    {
        const auto* pInfo = stylesMap.GetUserAttributeInfo(a.nId);
        ASSERT_NE(pInfo, nullptr) << a.nId;
        EXPECT_STREQ(pInfo->strName, a.pszName);
        if (a.bCheckBox)
        {
            ASSERT_NE(pInfo->pStyle, nullptr);
            EXPECT_EQ(pInfo->pStyle->GetControl(), GX_IDS_CTRL_CHECKBOX_3D);
            EXPECT_EQ(pInfo->pStyle->GetValue(), _T("1"));
        }
    }
    EXPECT_EQ(stylesMap.GetUserAttributeInfo(GX_IDS_UA_TAB_COLUMN_WIDTHS), nullptr) << "read but not registered";
}
} // namespace

namespace
{
// Dropping the list repaints the grid: the pump ends once the grid has settled, or fails.
TEST_F(TabbedComboWndTest, DroppedListIsAsWideAsTheColumnsUnderItsTitleHeader)
{
    SetTabbed(1, 1, GX_IDS_CTRL_TABBED_COMBO_WND, codesAndNames, _T("B"), _T("70,90"));
    CGXTabbedComboBoxWnd* pCombo = TabbedAt(1, 1);
    ASSERT_NE(pCombo, nullptr);
    pCombo->ActivateAndDropDown();
    ASSERT_TRUE(pCombo->GetDroppedState());
    CGXTabbedLBoxHeader* pHeader = pCombo->GetHeader();
    ASSERT_TRUE(PumpMessagesUntil([&] { return pHeader->GetSafeHwnd() != nullptr && pHeader->IsWindowVisible(); }));
    PumpPendingMessages();
    EXPECT_FALSE(::GetQueueStatus(QS_PAINT) & QS_PAINT) << "drawing the dropped combo settles";

    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(::GetComboBoxInfo(pCombo->m_hWnd, &info));
    CRect rectList;
    ::GetWindowRect(info.hwndList, rectList);
    CRect rectCombo;
    pCombo->GetWindowRect(rectCombo);
    EXPECT_EQ(pCombo->GetTotalWidth(), 70 + 90 + ::GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_GT(pCombo->GetTotalWidth(), rectCombo.Width()) << "the widths make the list wider than the cell";
    EXPECT_EQ(rectList.Width(), pCombo->GetTotalWidth());

    CRect rectHeader;
    pHeader->GetWindowRect(rectHeader);
    EXPECT_EQ(rectHeader.bottom, rectList.top) << "the header lies right above the list";
    EXPECT_EQ(rectHeader.left, rectList.left);
    EXPECT_EQ(rectHeader.Width(), rectList.Width());
    EXPECT_GE(rectHeader.top, rectCombo.bottom - 1) << "below the combo's own field";
    CClientDC dc(pCombo);
    CFont* pOld = dc.SelectObject(pCombo->GetFont());
    const int nTitle = dc.GetTextExtent(_T("Code\tName")).cy;
    dc.SelectObject(pOld);
    EXPECT_EQ(rectHeader.Height(), nTitle + 4) << "the title line plus 4";

    pCombo->ShowDropDown(FALSE);
    ASSERT_TRUE(PumpMessagesUntil([&] { return !pHeader->IsWindowVisible(); })) << "closing hides the header";
}
} // namespace
