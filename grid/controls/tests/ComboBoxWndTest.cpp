#include "ComboTestSupport.h"

#include <grid/controls/ComboBoxWnd.h>
#include <grid/core/AppData.h>
#include <grid/core/FindReplaceState.h>
#include <grid/core/GridParam.h>
#include <grid/core/Style.h>

#include <gtest/gtest.h>

namespace
{
constexpr WORD idComboBox = 52528;
constexpr WORD idDropDownList = 52529;

class ComboWndTest : public ComboGridTest
{
protected:
    void TearDown() override
    {
        m_grid.SetCurrentCell(5, 5);
        PumpPendingMessages();
    }
    CGXComboBoxWnd* ComboAt(ROWCOL nRow, ROWCOL nCol)
    {
        return ControlAt<CGXComboBoxWnd>(nRow, nCol);
    }
    // Activates the combo over its cell, as the grid's paint does.
    void Activate(CGXComboBoxWnd* pCombo)
    {
        pCombo->SetActive(TRUE);
        pCombo->RefreshCell();
        m_grid.UpdateWindow();
    }
};

TEST_F(ComboWndTest, IndexModeStoresTheNumberAndDisplayChoiceDrawsTheLine)
{
    auto* pList = static_cast<CGXComboBoxWnd*>(m_grid.GetRegisteredControl(idDropDownList));
    pList->m_nIndexValue = 1;
    pList->m_bDispChoice = TRUE;
    SetCombo(1, 1, idDropDownList, _T("a\nb\nc"), _T("1"));
    CGXComboBoxWnd* pCombo = ComboAt(1, 1);
    ASSERT_EQ(pCombo, pList);
    EXPECT_EQ(pCombo->GetCount(), 3);
    EXPECT_EQ(pCombo->GetCurSel(), 0);
    Activate(pCombo);
    pCombo->SetCurSel(1);
    pCombo->OnGridCommand(CBN_SELCHANGE, pCombo->m_hWnd);
    ASSERT_TRUE(m_grid.SetCurrentCell(5, 5));
    EXPECT_EQ(Stored(1, 1), _T("2"));

    CGXStyle style;
    style.SetChoiceList(_T("a\nb\nc"));
    CString strShown;
    pList->FormatDisplayText(strShown, 1, 1, _T("3"), style);
    EXPECT_EQ(strShown, _T("c"));
    pList->FormatDisplayText(strShown, 1, 1, _T("65537"), style);
    EXPECT_EQ(strShown, _T("")) << "a number of no line shows nothing";
    pList->m_nIndexValue = -1;
    pList->m_bDispChoice = FALSE;
}

TEST_F(ComboWndTest, AValueOfNoItemSelectsByPrefixOrShowsItselfInTheEditBox)
{
    struct Case
    {
        WORD nId;
        LPCTSTR pszValue;
        LPCTSTR pszShown;
    };
    const Case cases[] = {{idComboBox, _T("be"), _T("beta")},
                          {idDropDownList, _T("be"), _T("beta")},
                          {idComboBox, _T("zeta"), _T("zeta")},
                          {idDropDownList, _T("zeta"), _T("")}};
    for (const Case& c : cases)
    {
        SetCombo(1, 1, c.nId, _T("alpha\nbeta"), c.pszValue);
        CGXComboBoxWnd* pCombo = ComboAt(1, 1);
        CString strText;
        pCombo->GetComboText(strText);
        EXPECT_EQ(strText, c.pszShown) << c.nId;
        m_grid.SetCurrentCell(5, 5);
    }
}

TEST_F(ComboWndTest, ReturnClosesADroppedListAndRightLeavesAtTheEnd)
{
    SetCombo(1, 1, idComboBox, _T("alpha\nbeta"), _T("alpha"));
    CGXComboBoxWnd* pCombo = ComboAt(1, 1);
    Activate(pCombo);
    pCombo->ShowDropDown(TRUE);
    ASSERT_TRUE(pCombo->GetDroppedState());
    EXPECT_TRUE(pCombo->ProcessEditKey(VK_RETURN, 1, 0));
    EXPECT_FALSE(pCombo->GetDroppedState());

    pCombo->SetSelRange(2, 2);
    EXPECT_FALSE(pCombo->ProcessEditKey(VK_RIGHT, 1, 0)) << "the caret moves in the middle";
    EXPECT_EQ(Current(), std::make_pair(ROWCOL{1}, ROWCOL{1}));
    pCombo->SetSelRange(5, 5);
    pCombo->ProcessEditKey(VK_RIGHT, 1, 0);
    EXPECT_EQ(Current(), std::make_pair(ROWCOL{1}, ROWCOL{2})) << "at the end the current cell moves";
}

TEST_F(ComboWndTest, TwentyItemsDropEightRows)
{
    CString strChoices;
    for (int i = 1; i <= 20; ++i)
        strChoices.AppendFormat(_T("%d\n"), i);
    SetCombo(1, 1, idDropDownList, strChoices, _T("1"));
    CGXComboBoxWnd* pCombo = ComboAt(1, 1);
    Activate(pCombo);
    ASSERT_TRUE(pCombo->IsWindowVisible());
    CRect rectDropped;
    pCombo->GetDroppedControlRect(rectDropped);
    CRect rectWindow;
    pCombo->GetWindowRect(rectWindow);
    const int nItem = pCombo->GetItemHeight(0);
    const int nRows = (rectDropped.Height() - rectWindow.Height()) / nItem;
    EXPECT_GE(nRows, 7);
    EXPECT_LE(nRows, 9);
}

TEST_F(ComboWndTest, StoringTextsChecksTheChoices)
{
    SetCombo(1, 1, idDropDownList, _T("alpha\nbeta"), _T("alpha"));
    CGXControl* pList = m_grid.GetRegisteredControl(idDropDownList);
    EXPECT_TRUE(pList->StoreValue(1, 1, _T(""), nullptr));
    EXPECT_EQ(Stored(1, 1), _T("alpha")) << "an empty text stores nothing";

    auto* pCombo = static_cast<CGXComboBoxWnd*>(pList);
    pCombo->m_bDispChoice = TRUE;
    pCombo->m_nIndexValue = 0;
    CString strText = _T("zeta");
    EXPECT_FALSE(pCombo->CanStoreValue(1, 1, strText, nullptr)) << "a text of no choice is refused";
    strText = _T("be");
    EXPECT_TRUE(pCombo->CanStoreValue(1, 1, strText, nullptr));
    EXPECT_EQ(strText, _T("1"));
    pCombo->m_bDispChoice = FALSE;
    pCombo->m_nIndexValue = -1;
}

TEST_F(ComboWndTest, AReadOnlyCellsSelectionChangeRestoresTheSavedOne)
{
    SetCombo(1, 1, idDropDownList, _T("alpha\nbeta"), _T("alpha"));
    CGXStyle readOnly;
    readOnly.SetReadOnly(TRUE);
    m_grid.GetParam()->m_bLockReadOnly = FALSE;
    ASSERT_TRUE(m_grid.SetStyleRangeShort(CGXRange(1, 1), readOnly));
    m_grid.GetParam()->m_bLockReadOnly = TRUE;
    CGXComboBoxWnd* pCombo = ComboAt(1, 1);
    pCombo->SetActive(TRUE);
    pCombo->OnGridCommand(CBN_DROPDOWN, pCombo->m_hWnd);
    EXPECT_TRUE(m_grid.m_bDropDownOpen);
    pCombo->SetCurSel(1);
    pCombo->OnGridCommand(CBN_SELCHANGE, pCombo->m_hWnd);
    EXPECT_EQ(pCombo->GetCurSel(), 0);
    pCombo->OnGridCommand(CBN_CLOSEUP, pCombo->m_hWnd);
    EXPECT_FALSE(m_grid.m_bDropDownOpen);
}

TEST_F(ComboWndTest, AltDownDropsAndTypingCyclesThroughTheMatches)
{
    SetCombo(1, 1, idDropDownList, _T("a\nb1\nb2"), _T("a"));
    CGXComboBoxWnd* pCombo = ComboAt(1, 1);
    EXPECT_TRUE(pCombo->OnCharText(_T("b")));
    EXPECT_EQ(pCombo->GetCurSel(), 1);
    pCombo->Init(1, 1);
    pCombo->SetCurSel(1);
    pCombo->SetActive(FALSE);
    pCombo->OnCharText(_T("b"));
    EXPECT_EQ(pCombo->GetCurSel(), 2);

    m_grid.SetCurrentCell(5, 5);
    pCombo = ComboAt(1, 1);
    EXPECT_TRUE(pCombo->OnSysKeyDown(VK_DOWN, 1, 0));
    EXPECT_TRUE(pCombo->GetDroppedState());
    pCombo->ShowDropDown(FALSE);
}

TEST_F(ComboWndTest, TheTextRectangleLeavesRoomForTheButton)
{
    SetCombo(1, 1, idComboBox, _T("a"), _T("a"));
    SetCombo(2, 1, idComboBox, _T("a"), _T("a"));
    CGXComboBoxWnd* pCombo = ComboAt(1, 1);
    const auto rects = [&](ROWCOL nRow) {
        const CRect rectCell = m_grid.CalcRectFromRowCol(nRow, 1);
        CRect rectStatic;
        pCombo->CGXStatic::GetCellClientRect(rectStatic, nRow, 1, &rectCell);
        CRect rectText;
        pCombo->GetCellClientRect(rectText, nRow, 1, &rectCell);
        return std::make_pair(rectStatic, rectText);
    };
    auto [rectStatic, rectText] = rects(1);
    EXPECT_EQ(rectText, CRect(rectStatic.left + 2, rectStatic.top, rectStatic.right - 15, rectStatic.bottom))
        << "inactive current cell";
    Activate(pCombo);
    std::tie(rectStatic, rectText) = rects(1);
    EXPECT_EQ(rectText, rectStatic) << "active current cell";
    std::tie(rectStatic, rectText) = rects(2);
    EXPECT_EQ(rectText, CRect(rectStatic.left + 2, rectStatic.top, rectStatic.right, rectStatic.bottom))
        << "another cell, button in the current cell only";
    pCombo->m_bButtonEverywhere = TRUE;
    std::tie(rectStatic, rectText) = rects(2);
    EXPECT_EQ(rectText, CRect(rectStatic.left + 2, rectStatic.top, rectStatic.right - 15, rectStatic.bottom))
        << "another cell, button everywhere";
    pCombo->m_bButtonEverywhere = FALSE;
}

TEST_F(ComboWndTest, MarginFollowsTheVersionAndOwnerDrawTurnsFindOff)
{
    CGXAppData* pAppData = GXGetAppDataPtr();
    const BOOL bWin4 = pAppData->m_bWin4;
    for (BOOL bFlag : {TRUE, FALSE})
    {
        pAppData->m_bWin4 = bFlag;
        CGXComboBoxWnd combo(&m_grid);
        EXPECT_EQ(combo.m_nMargin, bFlag ? 3 : 2);
    }
    pAppData->m_bWin4 = bWin4;

    SetCombo(1, 1, idComboBox, _T("Alpha beta\nx"), _T("Alpha beta"));
    GX_FR_STATE find;
    find.m_strFind = _T("BETA");
    find.m_strFindUpper = _T("BETA");
    find.m_strReplace = _T("Gamma");
    CGXComboBoxWnd ownerDrawn(&m_grid);
    ASSERT_TRUE(ownerDrawn.CreateWithStyle(CBS_DROPDOWN | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, 52528));
    EXPECT_FALSE(ownerDrawn.ForwardFeatureA(find, 1, 1, TRUE, FALSE));
    EXPECT_FALSE(ownerDrawn.ForwardFeatureB(find, 1, 1));

    auto* pCombo = static_cast<CGXComboBoxWnd*>(m_grid.GetRegisteredControl(idComboBox));
    EXPECT_TRUE(pCombo->ForwardFeatureA(find, 1, 1, TRUE, FALSE));
    EXPECT_TRUE(pCombo->ForwardFeatureB(find, 1, 1));
    EXPECT_EQ(Stored(1, 1), _T("Alpha Gamma")) << "replacing keeps the case of the rest";
    GX_FR_STATE empty;
    EXPECT_FALSE(pCombo->ForwardFeatureB(empty, 1, 1));
}
} // namespace
