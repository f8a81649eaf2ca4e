#include "ComboTestSupport.h"

#include <grid/controls/CheckListComboBox.h>
#include <grid/controls/Child.h>
#include <grid/controls/ComboBox.h>
#include <grid/controls/GridCombo.h>
#include <grid/core/GridParam.h>
#include <grid/core/Style.h>
#include <testing/MemoryCanvas.h>

#include <gtest/gtest.h>

namespace
{
// A grid window big enough for the combo cells, shown so that its windows take the focus.
class ComboTest : public ComboGridTest
{
protected:
    void TearDown() override
    {
        m_grid.SetCurrentCell(1, 1);
        m_grid.ResetCurrentCell();
        PumpPendingMessages();
    }
    template <class TControl = CGXComboBox> TControl* ComboAt(ROWCOL nRow, ROWCOL nCol)
    {
        return ControlAt<TControl>(nRow, nCol);
    }
    static CListBox* List(CGXComboBox* pCombo)
    {
        CGXGridCombo* pPopup = pCombo->GetDropDownWnd();
        return pPopup != nullptr ? static_cast<CListBox*>(pPopup->GetListBox()) : nullptr;
    }
    static void Key(CWnd* pWnd, UINT nKey)
    {
        pWnd->SendMessage(WM_KEYDOWN, nKey, 1);
        pWnd->SendMessage(WM_KEYUP, nKey, 0xC0000001);
    }
    static void SysKey(CWnd* pWnd, UINT nKey)
    {
        pWnd->SendMessage(WM_SYSKEYDOWN, nKey, 0x20000001);
        pWnd->SendMessage(WM_SYSKEYUP, nKey, 0xE0000001);
    }
    CString Shown(ROWCOL nRow, ROWCOL nCol)
    {
        CGXStyle style;
        m_grid.ComposeStyleRowCol(nRow, nCol, &style);
        CString strText;
        m_grid.GetRegisteredControl(style.GetControl())->FormatDisplayText(strText, nRow, nCol, nullptr, style);
        return strText;
    }
};

TEST_F(ComboTest, TheFactoryMakesComboCellsWithTheirVariants)
{
    const WORD ids[] = {52517, 52525, 52526, 52527, 52531, 52532, 52542};
    for (WORD nId : ids)
    {
        auto* pCombo = dynamic_cast<CGXComboBox*>(m_grid.GetRegisteredControl(nId));
        ASSERT_NE(pCombo, nullptr) << nId;
        EXPECT_TRUE(pCombo->IsControlKindOf(&CGXComboBox::ctlClassCGXComboBox)) << nId;
    }
    const std::pair<WORD, UINT> flags[] = {{52517, 0x02}, {52525, 0x04}, {52526, 0x08}, {52527, 0x01},
                                           {52531, 0x18}, {52532, 0x14}, {52542, 0x02}};
    for (const auto& [nId, nFlags] : flags)
        EXPECT_EQ(static_cast<CGXComboBox*>(m_grid.GetRegisteredControl(nId))->m_nFlags, nFlags) << nId;
    EXPECT_TRUE(m_grid.GetRegisteredControl(52542)->IsControlKindOf(
        &CGXCheckListComboBox::ctlClassCGXCheckListComboBox));
}

TEST_F(ComboTest, DisplayChoiceShowsTheLineItsNumberNames)
{
    struct Case
    {
        WORD nId;
        LPCTSTR pszValue;
        LPCTSTR pszShown;
    };
    const Case cases[] = {
        {52531, _T("1"), _T("a")},  {52531, _T("3"), _T("c")}, {52531, _T("0"), _T("")},
        {52532, _T("0"), _T("a")},  {52532, _T("2"), _T("c")}, {52532, _T("65537"), _T("")},
        {52532, _T("x1"), _T("")},  {52531, _T("65537"), _T("")},
    };
    for (const Case& c : cases)
    {
        SetCombo(2, 2, c.nId, _T("a\nb\nc"), c.pszValue);
        EXPECT_EQ(Shown(2, 2), c.pszShown) << c.nId << " " << static_cast<LPCSTR>(CW2A(c.pszValue));
    }
}

TEST_F(ComboTest, AZeroBasedValueOpensOnItsEntryAndTheChoiceStoresItsIndex)
{
    SetCombo(1, 1, 52525, _T("a\nb\nc"), _T("2"));
    CGXComboBox* pCombo = ComboAt(1, 1);
    SysKey(&m_grid, VK_DOWN);
    ASSERT_TRUE(pCombo->IsDroppedDown());
    EXPECT_TRUE(m_grid.m_bDropDownOpen);
    CListBox* pList = List(pCombo);
    EXPECT_EQ(pList->GetCount(), 3);
    EXPECT_EQ(pList->GetCurSel(), 2);
    EXPECT_EQ(::GetFocus(), pList->m_hWnd);

    pList->SetCurSel(0);
    Key(pList, VK_RETURN);
    EXPECT_FALSE(pCombo->IsDroppedDown());
    EXPECT_FALSE(m_grid.m_bDropDownOpen);
    EXPECT_TRUE(pCombo->IsActive()) << "Enter keeps the cell editing";
    EXPECT_EQ(::GetFocus(), pCombo->m_hWnd);
    ASSERT_TRUE(m_grid.SetCurrentCell(5, 5));
    EXPECT_EQ(Stored(1, 1), _T("0"));
}

TEST_F(ComboTest, TextFitSelectsTheExactEntry)
{
    SetCombo(1, 1, 52527, _T("abc\nab"), _T("ab"));
    CGXComboBox* pCombo = ComboAt(1, 1);
    pCombo->ShowDropDown(TRUE);
    EXPECT_EQ(List(pCombo)->GetCurSel(), 1);
}

TEST_F(ComboTest, TabTakesTheChoiceAndMovesTheCurrentCellOnce)
{
    SetCombo(1, 1, 52517, _T("red\ngreen\nblue"), _T("red"));
    CGXComboBox* pCombo = ComboAt(1, 1);
    pCombo->ShowDropDown(TRUE);
    CListBox* pList = List(pCombo);
    pList->SetCurSel(2);
    Key(pList, VK_TAB);
    PumpPendingMessages();
    EXPECT_FALSE(pCombo->IsDroppedDown());
    EXPECT_EQ(Stored(1, 1), _T("blue"));
    EXPECT_EQ(Current(), std::make_pair(ROWCOL{1}, ROWCOL{2}));
}

TEST_F(ComboTest, EscapeAndAltDownInTheListCloseWithoutTheChoice)
{
    SetCombo(1, 1, 52517, _T("red\ngreen\nblue"), _T("red"));
    for (BOOL bEscape : {TRUE, FALSE})
    {
        CGXComboBox* pCombo = ComboAt(1, 1);
        pCombo->ShowDropDown(TRUE);
        CListBox* pList = List(pCombo);
        ASSERT_NE(pList, nullptr);
        EXPECT_EQ(pList->GetCurSel(), 0);
        Key(pList, VK_DOWN);
        if (bEscape)
            Key(pList, VK_ESCAPE);
        else
            SysKey(pList, VK_DOWN);
        PumpPendingMessages();
        EXPECT_FALSE(pCombo->IsDroppedDown()) << bEscape;
        EXPECT_FALSE(pCombo->IsActive()) << bEscape;
        m_grid.SetCurrentCell(5, 5);
        EXPECT_EQ(Stored(1, 1), _T("red")) << bEscape;
    }
}

TEST_F(ComboTest, FocusToAnotherTopLevelWindowCancels)
{
    SetCombo(1, 1, 52517, _T("red\ngreen"), _T("red"));
    CGXComboBox* pCombo = ComboAt(1, 1);
    pCombo->ShowDropDown(TRUE);
    Key(List(pCombo), VK_DOWN);
    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, AfxRegisterWndClass(0), L"Other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 50, 50,
                               nullptr, nullptr));
    other.SetFocus();
    PumpPendingMessages();
    EXPECT_FALSE(pCombo->IsDroppedDown());
    EXPECT_FALSE(pCombo->IsActive());
    m_grid.SetCurrentCell(5, 5);
    EXPECT_EQ(Stored(1, 1), _T("red"));
    other.DestroyWindow();
}

TEST_F(ComboTest, APressInTheGridClosesTheListWithoutTheChoice)
{
    SetCombo(1, 1, 52517, _T("red\ngreen"), _T("red"));
    CGXComboBox* pCombo = ComboAt(1, 1);
    pCombo->ShowDropDown(TRUE);
    List(pCombo)->SetCurSel(1);
    const CPoint point = m_grid.CalcRectFromRowCol(3, 3).CenterPoint();
    m_grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    m_grid.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    PumpPendingMessages();
    EXPECT_FALSE(pCombo->IsDroppedDown());
    m_grid.SetCurrentCell(5, 5);
    EXPECT_EQ(Stored(1, 1), _T("red"));
}

TEST_F(ComboTest, TheButtonOpensAndASecondClickCloses)
{
    SetCombo(1, 1, 52517, _T("red\ngreen"), _T("red"));
    CGXComboBox* pCombo = ComboAt(1, 1);
    pCombo->OnChildClicked(pCombo->DropButton());
    EXPECT_TRUE(pCombo->IsDroppedDown());
    pCombo->OnChildClicked(pCombo->DropButton());
    PumpPendingMessages();
    EXPECT_FALSE(pCombo->IsDroppedDown());
}

TEST_F(ComboTest, TheListLiesUnderTheCellAndFitsItsEntries)
{
    SetCombo(1, 1, 52517, _T("a\nb"), _T("a"));
    SetCombo(2, 1, 52517, _T("1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12\n13\n14\n15\n16\n17\n18\n19\n20"), _T(""));
    for (ROWCOL nRow : {1u, 2u})
    {
        CGXComboBox* pCombo = ComboAt(nRow, 1);
        pCombo->ShowDropDown(TRUE);
        CRect rectCell = m_grid.CalcRectFromRowCol(nRow, 1);
        m_grid.ClientToScreen(rectCell);
        CRect rectList;
        pCombo->GetDropDownWnd()->GetWindowRect(rectList);
        EXPECT_EQ(rectList.top, rectCell.bottom) << nRow;
        EXPECT_EQ(rectList.left, rectCell.left - 1) << nRow;
        EXPECT_EQ(rectList.right, rectCell.right) << nRow;
        CListBox* pList = List(pCombo);
        if (nRow == 1)
            EXPECT_LT(rectList.Height(), 100);
        else
            EXPECT_EQ(rectList.Height(), m_grid.GetParam()->m_nDropDownHeight);
        EXPECT_GE(rectList.Height(), pList->GetCount() * pList->GetItemHeight(0) / (nRow == 1 ? 1 : 20)) << nRow;
        pCombo->ShowDropDown(FALSE);
        EXPECT_FALSE(pCombo->IsDroppedDown());
    }
}

TEST_F(ComboTest, ScrollingResetAndDestroyingCloseTheList)
{
    SetCombo(1, 1, 52517, _T("a\nb"), _T("a"));
    CGXComboBox* pCombo = ComboAt(1, 1);
    pCombo->ShowDropDown(TRUE);
    MSG msg{};
    msg.message = WM_VSCROLL;
    pCombo->OnGridScroll(msg);
    EXPECT_FALSE(pCombo->IsDroppedDown());

    pCombo->ShowDropDown(TRUE);
    pCombo->Reset();
    EXPECT_FALSE(pCombo->IsDroppedDown());

    auto* pOwn = new CGXComboBox(&m_grid, 52517, 52517, CGXComboBox::flagNoTextFit);
    pOwn->Init(1, 1);
    pOwn->ShowDropDown(TRUE);
    ASSERT_TRUE(pOwn->IsDroppedDown());
    const HWND hPopup = pOwn->GetDropDownWnd()->m_hWnd;
    delete pOwn;
    EXPECT_FALSE(::IsWindow(hPopup));
}

TEST_F(ComboTest, TheButtonStandsAtTheRightAndTheTextIsNarrower)
{
    SetCombo(1, 1, 52517, _T("a"), _T("a"));
    CGXComboBox* pCombo = ComboAt(1, 1);
    const CRect rectCell = m_grid.CalcRectFromRowCol(1, 1);
    CRect rectStatic;
    pCombo->CGXStatic::GetCellClientRect(rectStatic, 1, 1, &rectCell);
    CRect rectText;
    pCombo->GetCellClientRect(rectText, 1, 1, &rectCell);
    EXPECT_EQ(rectText.right, rectStatic.right - 15);
    pCombo->LayoutChildren(1, 1, rectText);
    CRect rectButton;
    pCombo->DropButton()->GetRect(rectButton);
    EXPECT_EQ(rectButton.left, std::max(rectStatic.left + 1, rectStatic.right - 16));
    EXPECT_EQ(rectButton.right, rectStatic.right - 1);
    EXPECT_LE(rectButton.Height(), rectStatic.Height() - 2);
    EXPECT_GT(rectButton.Height(), 2);

    // With the button in the current cell only, other cells keep their room.
    pCombo->m_bButtonOnlyInCurrentCell = TRUE;
    SetCombo(2, 1, 52517, _T("a"), _T("a"));
    const CRect rectOther = m_grid.CalcRectFromRowCol(2, 1);
    CRect rectOtherStatic;
    pCombo->CGXStatic::GetCellClientRect(rectOtherStatic, 2, 1, &rectOther);
    pCombo->GetCellClientRect(rectText, 2, 1, &rectOther);
    EXPECT_EQ(rectText, rectOtherStatic);
    pCombo->m_bButtonOnlyInCurrentCell = FALSE;
}

TEST_F(ComboTest, APastedTextMustNameAChoice)
{
    SetCombo(1, 1, 52527, _T("alpha\nbeta"), _T("alpha"));
    CGXControl* pCombo = m_grid.GetRegisteredControl(52527);
    EXPECT_FALSE(pCombo->StoreValue(1, 1, _T("zeta"), nullptr));
    EXPECT_EQ(Stored(1, 1), _T("alpha"));
    EXPECT_TRUE(pCombo->StoreValue(1, 1, _T("be"), nullptr));
    EXPECT_EQ(Stored(1, 1), _T("beta"));
    EXPECT_TRUE(pCombo->StoreValue(1, 1, _T(""), nullptr));
    EXPECT_EQ(Stored(1, 1), _T(""));

    SetCombo(1, 2, 52532, _T("alpha\nbeta"), _T("0"));
    CGXControl* pIndex = m_grid.GetRegisteredControl(52532);
    EXPECT_FALSE(pIndex->StoreValue(1, 2, _T("zeta"), nullptr));
    EXPECT_EQ(Stored(1, 2), _T("0"));
    EXPECT_TRUE(pIndex->StoreValue(1, 2, _T("beta"), nullptr));
    EXPECT_EQ(Stored(1, 2), _T("1"));
}

// ---- the check list ----

class CheckListComboTest : public ComboTest
{
protected:
    CCheckListBox* OpenAt(ROWCOL nRow, ROWCOL nCol)
    {
        m_pCombo = ComboAt<CGXCheckListComboBox>(nRow, nCol);
        SysKey(&m_grid, VK_DOWN);
        EXPECT_TRUE(m_pCombo->IsDroppedDown());
        return static_cast<CCheckListBox*>(List(m_pCombo));
    }
    CGXCheckListComboBox* m_pCombo = nullptr;
};

TEST_F(CheckListComboTest, OpensWithTheValuesChecksAndStoresTheNewOnes)
{
    SetCombo(1, 1, 52542, _T("Colours\nA\nB\nC"), _T("5"));
    EXPECT_EQ(Shown(1, 1), _T("Colours"));
    CCheckListBox* pList = OpenAt(1, 1);
    ASSERT_EQ(pList->GetCount(), 3);
    EXPECT_EQ(pList->GetCheck(0), 1);
    EXPECT_EQ(pList->GetCheck(1), 0);
    EXPECT_EQ(pList->GetCheck(2), 1);
    pList->SetCurSel(1);
    Key(pList, VK_SPACE);
    Key(pList, VK_ESCAPE);
    PumpPendingMessages();
    EXPECT_FALSE(m_pCombo->IsDroppedDown());
    EXPECT_EQ(Stored(1, 1), _T("7")) << "Escape keeps the checks";

    pList = OpenAt(1, 1);
    for (int i = 0; i < 3; ++i)
        pList->SetCheck(i, 0);
    Key(pList, VK_RETURN);
    EXPECT_EQ(Stored(1, 1), _T("")) << "nothing checked stores an empty value";
}

TEST_F(CheckListComboTest, ThirtyOneEntriesAreCheckable)
{
    CString strChoices = _T("Caption");
    for (int i = 1; i <= 40; ++i)
        strChoices.AppendFormat(_T("\n%d"), i);
    SetCombo(1, 1, 52542, strChoices, _T(""));
    CCheckListBox* pList = OpenAt(1, 1);
    ASSERT_EQ(pList->GetCount(), 40);
    EXPECT_TRUE(pList->IsEnabled(30));
    EXPECT_FALSE(pList->IsEnabled(31));
    EXPECT_FALSE(pList->IsEnabled(39));
    for (int i = 0; i < 40; ++i)
    {
        pList->SetCurSel(i);
        Key(pList, VK_SPACE);
    }
    EXPECT_EQ(pList->GetCheck(31), 0);
    Key(pList, VK_RETURN);
    EXPECT_EQ(Stored(1, 1), _T("2147483647"));
}

TEST_F(CheckListComboTest, TypingDoesNothingAndAReadOnlyCellStoresNothing)
{
    SetCombo(1, 1, 52542, _T("Caption\nA\nB"), _T("1"));
    m_pCombo = ComboAt<CGXCheckListComboBox>(1, 1);
    m_grid.SendMessage(WM_CHAR, 'B', 1);
    EXPECT_FALSE(m_pCombo->IsActive());
    EXPECT_EQ(Stored(1, 1), _T("1"));
    EXPECT_TRUE(m_pCombo->CalcEditStyle(nullptr, nullptr) & ES_READONLY);

    CGXStyle readOnly;
    readOnly.SetReadOnly(TRUE);
    m_grid.GetParam()->m_bLockReadOnly = FALSE;
    ASSERT_TRUE(m_grid.SetStyleRangeShort(CGXRange(1, 1), readOnly));
    m_grid.GetParam()->m_bLockReadOnly = TRUE;
    CCheckListBox* pList = OpenAt(1, 1);
    if (pList != nullptr)
    {
        pList->SetCheck(1, 1);
        Key(pList, VK_RETURN);
    }
    EXPECT_EQ(Stored(1, 1), _T("1"));
}
} // namespace

namespace
{
// The list tells the cell of its focus loss by a posted message; one that arrives after the list
// was closed must not close the list dropped since.
TEST_F(ComboTest, ALateFocusLossOfAClosedListLeavesTheNextOneOpen)
{
    SetCombo(1, 1, 52517, _T("a\nb"), _T("a"));
    CGXComboBox* pCombo = ComboAt(1, 1);
    pCombo->ShowDropDown(TRUE);
    ASSERT_TRUE(pCombo->IsDroppedDown());
    pCombo->ShowDropDown(FALSE);
    pCombo->ShowDropDown(TRUE);
    ASSERT_TRUE(pCombo->IsDroppedDown());
    PumpPendingMessages();
    EXPECT_TRUE(pCombo->IsDroppedDown());
    pCombo->ShowDropDown(FALSE);
}
} // namespace
