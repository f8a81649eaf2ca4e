#include "ComboTestSupport.h"

#include <grid/controls/GridCombo.h>
#include <grid/controls/TabbedComboBox.h>
#include <grid/controls/TabbedLBoxHeader.h>
#include <grid/core/GridParam.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>
#include <grid/core/StylesMap.h>
#include <grid/services/ControlFactory.h>

#include <gtest/gtest.h>

#include <memory>

namespace
{
const LPCTSTR codesAndNames = _T("Code\tName\nB\tBeta\nA\tAlpha\nC\tGamma");

class TabbedComboTest : public ComboGridTest
{
protected:
    void TearDown() override
    {
        m_grid.SetCurrentCell(5, 5);
        PumpPendingMessages();
    }
    // A tabbed drop-down cell, with a unique choice-list id when given.
    void SetTabbed(ROWCOL nRow, ROWCOL nCol, LPCTSTR pszChoices, LPCTSTR pszValue, LPCTSTR pszId = nullptr)
    {
        CGXStyle style = TabbedComboStyle(GX_IDS_CTRL_TABBED_COMBO, pszChoices, pszValue);
        if (pszId != nullptr)
            style.SetUserAttribute(GX_IDS_UA_TAB_CHOICE_LIST_ID, pszId);
        ASSERT_TRUE(m_grid.SetStyleRangeShort(CGXRange(nRow, nCol), style));
    }
    CGXTabbedComboBox* TabbedAt(ROWCOL nRow, ROWCOL nCol)
    {
        return ControlAt<CGXTabbedComboBox>(nRow, nCol);
    }
    CGXStyle Composed(ROWCOL nRow, ROWCOL nCol)
    {
        CGXStyle style;
        m_grid.ComposeStyleRowCol(nRow, nCol, &style);
        return style;
    }
    CString Shown(ROWCOL nRow, ROWCOL nCol)
    {
        const CGXStyle style = Composed(nRow, nCol);
        CString strText;
        m_grid.GetRegisteredControl(GX_IDS_CTRL_TABBED_COMBO)->FormatDisplayText(strText, nRow, nCol, nullptr, style);
        return strText;
    }
    CGXGridParam* Param()
    {
        return m_grid.GetParam();
    }
    // Drops the list; its title header shows at once. No messages are pumped while it is open:
    // a window of another program taking the focus would rightly close it.
    void Drop(CGXTabbedComboBox* pCombo)
    {
        pCombo->SetActive(TRUE);
        m_grid.UpdateWindow();
        pCombo->ShowDropDown(TRUE);
        ASSERT_TRUE(pCombo->IsDroppedDown());
        ASSERT_TRUE(pCombo->GetHeader()->IsWindowVisible());
    }
    static CString ItemText(CListBox* pList, int nItem)
    {
        CString strText;
        pList->GetText(nItem, strText);
        return strText;
    }
};

TEST_F(TabbedComboTest, ValuesShowTheTextColumnAndTextsStoreTheKey)
{
    for (LPCTSTR pszId : {_T("0"), _T("7"), _T("2000000000")})
    {
        SetTabbed(1, 1, codesAndNames, _T("B"), pszId);
        EXPECT_EQ(Shown(1, 1), _T("Beta")) << pszId;
        CGXTabbedComboBox* pCombo = TabbedAt(1, 1);
        ASSERT_NE(pCombo, nullptr);
        CString strText;
        pCombo->GetWindowText(strText);
        EXPECT_EQ(strText, _T("Beta")) << pszId;
        pCombo->SetActive(TRUE);
        pCombo->SetWindowText(_T("Alpha"));
        CString strValue;
        EXPECT_TRUE(pCombo->GetStyleValue(strValue)) << pszId;
        EXPECT_EQ(strValue, _T("A")) << pszId;
        pCombo->SetWindowText(_T("Code"));
        pCombo->SetModified(TRUE);
        EXPECT_FALSE(pCombo->GetStyleValue(strValue)) << "the title line is no choice; " << pszId;
        EXPECT_FALSE(pCombo->ValidateValue()) << pszId;
        pCombo->SetWindowText(_T("Gamma"));
        pCombo->SetModified(TRUE);
        EXPECT_TRUE(m_grid.SetCurrentCell(5, 5)) << pszId;
        EXPECT_EQ(m_grid.GetValueRowCol(1, 1), _T("C")) << pszId;

        CString strStored = _T("Alpha");
        EXPECT_TRUE(pCombo->CanStoreValue(1, 1, strStored, nullptr)) << pszId;
        EXPECT_EQ(strStored, _T("A")) << pszId;
        strStored = _T("Delta");
        EXPECT_FALSE(pCombo->CanStoreValue(1, 1, strStored, nullptr)) << "missing from the list; " << pszId;
    }
    // Only id 7 built tables, and only at its own index: the big id works as id 0.
    EXPECT_EQ(Param()->m_apChoiceListKeys.GetSize(), 8);
    EXPECT_EQ(Param()->m_apChoiceListTexts.GetSize(), 8);
}

TEST_F(TabbedComboTest, CellsOfOneIdShareTablesThatAChangedChoiceListDrops)
{
    SetTabbed(1, 1, codesAndNames, _T("A"), _T("3"));
    SetTabbed(2, 1, codesAndNames, _T("B"), _T("3"));
    const CGXStyle style1 = Composed(1, 1);
    CMapStringToString* pKeys = CGXTabbedComboBox::KeyTable(Param(), style1);
    ASSERT_NE(pKeys, nullptr);
    EXPECT_EQ(CGXTabbedComboBox::KeyTable(Param(), Composed(2, 1)), pKeys) << "one table for both cells";
    EXPECT_EQ(pKeys->GetCount(), 3) << "the title line is left out";
    EXPECT_EQ(CGXTabbedComboBox::TextTable(Param(), style1)->GetCount(), 3);

    HWND hDropWnd = nullptr;
    for (ROWCOL nRow : {1u, 2u})
    {
        CGXTabbedComboBox* pCombo = TabbedAt(nRow, 1);
        Drop(pCombo);
        CListBox* pList = pCombo->GetTabbedListBox();
        ASSERT_NE(pList, nullptr) << nRow;
        // One drop window serves every drop: hidden when the list closes, shown again; the
        // second cell of the id finds its lines in the kept list (the probe line stays).
        if (hDropWnd == nullptr)
        {
            ASSERT_EQ(pList->GetCount(), 3);
            hDropWnd = pCombo->GetDropDownWnd()->GetSafeHwnd();
            pList->AddString(_T("probe"));
        }
        else
            ASSERT_EQ(pList->GetCount(), 4) << "not filled again";
        EXPECT_EQ(ItemText(pList, 0), _T("Alpha\tA\tAlpha")) << nRow;
        EXPECT_EQ(pCombo->GetDropDownWnd()->GetSafeHwnd(), hDropWnd) << nRow;
        EXPECT_TRUE(::IsWindowVisible(hDropWnd)) << nRow;
        pCombo->ShowDropDown(FALSE);
        EXPECT_TRUE(::IsWindow(hDropWnd)) << nRow;
        EXPECT_FALSE(::IsWindowVisible(hDropWnd)) << nRow;
    }

    // A new choice list stored into the current cell drops the tables: the version rises and
    // both cells fill their lists again on the next drop.
    const int nVersion = Param()->m_nChoiceListVersion;
    CGXStyle changed;
    changed.SetChoiceList(_T("Code\tName\nA\tAleph\nD\tDelta"));
    ASSERT_TRUE(m_grid.SetStyleRangeShort(CGXRange(1, 1, 2, 1), changed));
    EXPECT_GT(Param()->m_nChoiceListVersion, nVersion);
    EXPECT_EQ(Param()->m_apChoiceListKeys[3], nullptr);
    for (ROWCOL nRow : {2u, 1u})
    {
        CGXTabbedComboBox* pCombo = TabbedAt(nRow, 1);
        Drop(pCombo);
        CListBox* pList = pCombo->GetTabbedListBox();
        ASSERT_NE(pList, nullptr) << nRow;
        ASSERT_EQ(pList->GetCount(), 2) << nRow;
        EXPECT_EQ(ItemText(pList, 0), _T("Aleph\tA\tAleph")) << nRow;
        EXPECT_EQ(pCombo->GetDropDownWnd()->GetSafeHwnd(), hDropWnd) << nRow;
        pCombo->ShowDropDown(FALSE);
    }
    EXPECT_EQ(Shown(2, 1), _T("")) << "B is no longer in the list";
    EXPECT_EQ(Shown(1, 1), _T("Aleph"));
}

TEST_F(TabbedComboTest, DroppingTablesByIdAndALaterEqualKeyWins)
{
    CGXStyle style;
    style.SetChoiceList(_T("K\tone\nK\ttwo\nL\tthree")).SetUserAttribute(GX_IDS_UA_TAB_TEXT_COLUMN, _T("1"));
    for (LPCTSTR pszId : {_T("0"), _T("-1"), _T("-5")})
    {
        style.SetUserAttribute(GX_IDS_UA_TAB_CHOICE_LIST_ID, pszId);
        EXPECT_EQ(CGXTabbedComboBox::KeyTable(Param(), style), nullptr) << "ids below 1 build none; " << pszId;
    }
    style.SetUserAttribute(GX_IDS_UA_TAB_CHOICE_LIST_ID, _T("2"));
    CString strLine;
    ASSERT_TRUE(CGXTabbedComboBox::KeyTable(Param(), style)->Lookup(_T("K"), strLine));
    EXPECT_EQ(strLine, _T("K\ttwo")) << "a later equal key replaces the earlier line";
    EXPECT_TRUE(CGXTabbedComboBox::TextTable(Param(), style)->Lookup(_T("three"), strLine));
    style.SetUserAttribute(GX_IDS_UA_TAB_CHOICE_LIST_ID, _T("4"));
    CGXTabbedComboBox::KeyTable(Param(), style);

    const int nVersion = Param()->m_nChoiceListVersion;
    CGXTabbedComboBox::DropTables(Param(), 0);
    CGXTabbedComboBox::DropTables(Param(), -2);
    EXPECT_EQ(Param()->m_nChoiceListVersion, nVersion) << "ids 0 and below -1 drop nothing";
    CGXTabbedComboBox::DropTables(Param(), 2);
    EXPECT_EQ(Param()->m_nChoiceListVersion, nVersion + 1);
    EXPECT_EQ(Param()->m_apChoiceListKeys[2], nullptr);
    EXPECT_NE(Param()->m_apChoiceListKeys[4], nullptr);
    CGXTabbedComboBox::DropTables(Param(), -1);
    EXPECT_EQ(Param()->m_nChoiceListVersion, nVersion + 2);
    EXPECT_EQ(Param()->m_apChoiceListKeys.GetSize(), 0) << "-1 drops all";
    EXPECT_EQ(Param()->m_apChoiceListTexts.GetSize(), 0);
}

TEST_F(TabbedComboTest, TheDroppedListIsWideAsItsColumnsUnderTheTitleHeader)
{
    SetTabbed(1, 1, codesAndNames, _T("B"), _T("1"));
    CGXStyle widths;
    widths.SetUserAttribute(GX_IDS_UA_TAB_COLUMN_WIDTHS, _T("70,90"));
    ASSERT_TRUE(m_grid.SetStyleRangeShort(CGXRange(1, 1), widths));
    CGXTabbedComboBox* pCombo = TabbedAt(1, 1);
    Drop(pCombo);
    CListBox* pList = pCombo->GetTabbedListBox();
    EXPECT_EQ(ItemText(pList, pList->GetCurSel()), _T("Beta\tB\tBeta")) << "the value's item is selected";
    EXPECT_EQ(pCombo->GetTotalWidth(), 70 + 90 + ::GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(pCombo->GetHeader()->m_strHeaderText, _T("Name\tCode\tName"))
        << "the header takes the title as an item: its columns are the list's";
    CRect rectDrop;
    pCombo->GetDropDownWnd()->GetWindowRect(rectDrop);
    CRect rectCell = m_grid.CalcRectFromRowCol(1, 1);
    m_grid.ClientToScreen(rectCell);
    EXPECT_EQ(rectDrop.Width(), pCombo->GetTotalWidth() + 1) << "one pixel of frame at the left";
    CRect rectHeader;
    pCombo->GetHeader()->GetWindowRect(rectHeader);
    EXPECT_EQ(rectHeader.top, rectCell.bottom) << "the header takes the list's place under the cell";
    EXPECT_EQ(rectHeader.bottom, rectDrop.top) << "and the list moves down under it";

    // Taking an item puts its text column into the edit window; the cell stores the key.
    pList->SetCurSel(0);
    pCombo->SendMessage(GX_WM_LIST_CHOSEN);
    EXPECT_FALSE(pCombo->IsDroppedDown());
    EXPECT_FALSE(pCombo->GetHeader()->IsWindowVisible());
    CString strText;
    pCombo->GetWindowText(strText);
    EXPECT_EQ(strText, _T("Alpha"));
    m_grid.SetCurrentCell(5, 5);
    EXPECT_EQ(m_grid.GetValueRowCol(1, 1), _T("A"));
}

TEST_F(TabbedComboTest, ThirtyItemsNearTheBottomOpenAboveTheCell)
{
    CString strChoices = _T("Code\tName\n");
    for (int i = 10; i < 40; ++i)
        strChoices.AppendFormat(_T("%d\tItem %d\n"), i, i);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ASSERT_TRUE(::GetMonitorInfoW(::MonitorFromWindow(m_grid.m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor));
    CRect rectParent;
    Parent().GetWindowRect(rectParent);
    Parent().SetWindowPos(nullptr, rectParent.left, monitor.rcWork.bottom - rectParent.Height(), 0, 0,
                          SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The lowest cell shown whole, close to the work area's bottom.
    CRect rectGrid;
    m_grid.GetClientRect(rectGrid);
    ROWCOL nRow = 1;
    while (m_grid.CalcRectFromRowCol(nRow + 1, 1).bottom < rectGrid.bottom)
        ++nRow;
    SetTabbed(nRow, 1, strChoices, _T("12"), _T("5"));
    Param()->m_nDropDownHeight = 200;
    CGXTabbedComboBox* pCombo = TabbedAt(nRow, 1);
    Drop(pCombo);
    CRect rectCell = m_grid.CalcRectFromRowCol(nRow, 1);
    m_grid.ClientToScreen(rectCell);
    CRect rectDrop;
    pCombo->GetDropDownWnd()->GetWindowRect(rectDrop);
    CRect rectHeader;
    pCombo->GetHeader()->GetWindowRect(rectHeader);
    EXPECT_LE(rectDrop.bottom, rectCell.top) << "the list opens above the cell";
    EXPECT_LE(rectDrop.bottom, monitor.rcWork.bottom);
    EXPECT_EQ(rectHeader.bottom, rectDrop.top) << "its header stays right above it";
    EXPECT_GE(rectHeader.top, monitor.rcWork.top);
    pCombo->ShowDropDown(FALSE);
}

TEST_F(TabbedComboTest, TypingCompletesFromTheListAndAHideRequestSendsTheCancelMessage)
{
    for (LPCTSTR pszId : {_T("0"), _T("9")})
    {
        SetTabbed(1, 1, codesAndNames, _T("B"), pszId);
        CGXTabbedComboBox* pCombo = TabbedAt(1, 1);
        pCombo->SetActive(TRUE);
        pCombo->SetWindowText(_T(""));
        pCombo->SendMessage(WM_CHAR, 'g', 1);
        CString strText;
        pCombo->GetWindowText(strText);
        EXPECT_EQ(strText, _T("Gamma")) << pszId;
        int nStart = 0;
        int nEnd = 0;
        pCombo->GetSel(nStart, nEnd);
        EXPECT_EQ(nStart, 1) << pszId;
        EXPECT_EQ(nEnd, 5) << "the completed rest is selected; " << pszId;
        pCombo->SendMessage(WM_CHAR, 'x', 1);
        pCombo->GetWindowText(strText);
        EXPECT_EQ(strText, _T("Gamma")) << "a character that starts no item is refused; " << pszId;
        m_grid.SetCurrentCell(5, 5);
        EXPECT_EQ(m_grid.GetValueRowCol(1, 1), _T("C")) << pszId;
    }

    // A hide request only sends the list's cancel message to the control's own window.
    class CancelProbe : public CGXTabbedComboBox
    {
    public:
        using CGXTabbedComboBox::CGXTabbedComboBox;
        int m_nCancels = 0;
        LPARAM m_lActive = -1;

    protected:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == GX_WM_LIST_CANCEL)
            {
                ++m_nCancels;
                m_lActive = lParam;
            }
            return CGXTabbedComboBox::WindowProc(message, wParam, lParam);
        }
    };
    auto probe = std::make_unique<CancelProbe>(&m_grid, GX_IDS_CTRL_TABBED_COMBO);
    probe->Init(1, 1);
    probe->ShowDropDown(FALSE);
    EXPECT_EQ(probe->m_nCancels, 0) << "without a drop window nothing is sent";
    probe->SetActive(TRUE);
    probe->ShowDropDown(TRUE);
    ASSERT_TRUE(probe->IsDroppedDown());
    probe->ShowDropDown(FALSE);
    EXPECT_EQ(probe->m_nCancels, 1);
    EXPECT_EQ(probe->m_lActive, TRUE);
    EXPECT_FALSE(probe->IsDroppedDown());
    EXPECT_FALSE(probe->GetDropDownWnd() != nullptr);
}

TEST_F(TabbedComboTest, TheFactoryMakesTheTabbedDropDownAndRegistersTheUniqueId)
{
    CGXControl* pControl = m_grid.GetRegisteredControl(GX_IDS_CTRL_TABBED_COMBO);
    ASSERT_NE(dynamic_cast<CGXTabbedComboBox*>(pControl), nullptr);
    EXPECT_TRUE(pControl->IsControlKindOf(&CGXComboBox::ctlClassCGXComboBox));
    CGXStylesMap stylesMap;
    CGXControlFactory().RegisterAllUserAttributes(&stylesMap);
    const auto* pInfo = stylesMap.GetUserAttributeInfo(GX_IDS_UA_TAB_CHOICE_LIST_ID);
    ASSERT_NE(pInfo, nullptr);
    EXPECT_STREQ(pInfo->strName, L"TabList: Unique choicelist id");
}
TEST_F(TabbedComboTest, TheKeptListDroppedAgainStaysOpenPastTheLastOnesFocusLoss)
{
    SetTabbed(1, 1, codesAndNames, _T("A"));
    ASSERT_TRUE(m_grid.SetCurrentCell(1, 1));
    CGXTabbedComboBox* pCombo = TabbedAt(1, 1);
    Drop(pCombo);
    pCombo->ShowDropDown(FALSE);
    Drop(pCombo);
    PumpPendingMessages();
    EXPECT_TRUE(pCombo->IsDroppedDown());
    pCombo->ShowDropDown(FALSE);
}
} // namespace

TEST_F(TabbedComboTest, ANarrowActiveCellShowsTheStartOfItsText)
{
    SetTabbed(1, 1, _T("Code\tName\nPRD\tProduction system of the landscape"), _T("PRD"));
    m_grid.SetColWidth(1, 1, 50);
    ASSERT_TRUE(m_grid.SetCurrentCell(1, 1));
    CGXTabbedComboBox* pCombo = TabbedAt(1, 1);
    // A text wider than the cell wraps in the edit window; the first character is shown when
    // the first line is and the character stands inside the format rectangle.
    const auto firstCharacterShown = [pCombo] {
        CRect rectFormat;
        pCombo->GetRect(rectFormat);
        const LRESULT nPos = pCombo->SendMessage(EM_POSFROMCHAR, 0);
        return pCombo->GetFirstVisibleLine() == 0 && static_cast<short>(LOWORD(nPos)) >= rectFormat.left;
    };
    // Drawn active, which lays the edit window out anew, and with its list dropped.
    pCombo->SetActive(TRUE);
    pCombo->RefreshCell();
    m_grid.UpdateWindow();
    EXPECT_TRUE(firstCharacterShown());
    pCombo->OnSysKeyDown(VK_DOWN, 1, 0);
    ASSERT_TRUE(pCombo->IsDroppedDown());
    EXPECT_TRUE(firstCharacterShown());
    int nStart = 0;
    int nEnd = 0;
    pCombo->GetSel(nStart, nEnd);
    EXPECT_EQ(nEnd - nStart, pCombo->GetWindowTextLength()) << "the text stays selected";
    pCombo->ShowDropDown(FALSE);
}
