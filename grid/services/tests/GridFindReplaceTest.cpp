// Find and replace: the search down and up a column with and without case, disabled cells, the
// active cell's caret, Replace and Replace All with undo, the real find dialog, and the routing
// of its messages to the grid that opened it.
#include "GridTestSupport.h"

#include <grid/controls/EditControl.h>
#include <grid/core/Command.h>
#include <grid/core/FindReplaceState.h>
#include <grid/services/find/GridFindReplaceImp.h>
#include <grid/core/GridParam.h>
#include <grid/core/Style.h>

#include <gtest/gtest.h>

#include <dlgs.h>

#include <utility>

namespace
{
constexpr WORD idStatic = 52513;

// Counts the texts reported as not found.
class FindGrid : public DisablingGrid
{
public:
    void OnTextNotFound(LPCTSTR pszText) override
    {
        m_notFound.push_back(pszText);
    }
    std::vector<CString> m_notFound;
};

class GridFindReplaceTest : public HiddenGridOfTest<FindGrid>
{
protected:
    void SetUp() override
    {
        HiddenGridOfTest::SetUp();
        // Column 1 edit cells, column 2 static cells; hits in rows 3, 8 and 15.
        CGXStyle staticCells;
        staticCells.SetControl(idStatic);
        m_grid.SetStyleRange(CGXRange().SetCols(2, 2), &staticCells, CGXStyle::modeCopy, 0, nullptr, GX_INVALIDATE, 0);
        for (ROWCOL r = 1; r <= 20; ++r)
            for (ROWCOL c = 1; c <= 2; ++c)
                Put(r, c, L"row");
        Put(3, 1, L"xABCy");
        Put(8, 1, L"abc");
        Put(15, 1, L"zabcz");
        Put(8, 2, L"ABC static");
        m_grid.GetParam()->GetUndoList()->RemoveAll();
        GX_FR_STATE* pFind = GXGetFindReplaceState();
        pFind->m_pActiveGrid = nullptr;
    }
    void TearDown() override
    {
        GX_FR_STATE* pFind = GXGetFindReplaceState();
        if (pFind->m_pDialog != nullptr)
            pFind->m_pDialog->DestroyWindow();
        HiddenGridOfTest::TearDown();
    }
    void Put(ROWCOL nRow, ROWCOL nCol, LPCTSTR pszValue)
    {
        CGXStyle style;
        style.SetValue(pszValue);
        m_grid.GetData()->StoreStyleImpl(nRow, nCol, &style, CGXStyle::modeOverride, 0);
    }
    CString Value(ROWCOL nRow, ROWCOL nCol)
    {
        return m_grid.GetValueRowCol(nRow, nCol);
    }
    void Deactivate()
    {
        if (CGXControl* pControl = m_grid.GetCurrentCellControl())
            pControl->SetActive(FALSE);
    }
};
} // namespace

TEST_F(GridFindReplaceTest, FindsDownAndUpWithAndWithoutCase)
{
    m_grid.SetCurrentCell(1, 1);
    m_grid.FindNextText(L"abc", TRUE, FALSE);
    EXPECT_EQ(m_grid.Current(), std::make_pair(ROWCOL(3), ROWCOL(1)));
    Deactivate();
    m_grid.FindNextText(L"abc", TRUE, FALSE);
    EXPECT_EQ(m_grid.Current(), std::make_pair(ROWCOL(8), ROWCOL(1)));

    m_grid.SetCurrentCell(1, 1);
    m_grid.FindNextText(L"abc", TRUE, TRUE); // "xABCy" does not match with case
    EXPECT_EQ(m_grid.Current(), std::make_pair(ROWCOL(8), ROWCOL(1)));

    m_grid.SetCurrentCell(14, 1);
    m_grid.FindNextText(L"abc", FALSE, FALSE); // up
    EXPECT_EQ(m_grid.Current(), std::make_pair(ROWCOL(8), ROWCOL(1)));

    m_grid.SetCurrentCell(20, 1);
    m_grid.FindNextText(L"abc", TRUE, FALSE);
    EXPECT_EQ(m_grid.Current(), std::make_pair(ROWCOL(20), ROWCOL(1)));
    ASSERT_EQ(m_grid.m_notFound.size(), 1u);
    EXPECT_EQ(m_grid.m_notFound[0], L"abc");

    m_grid.FindNextText(L"", TRUE, FALSE); // an empty text finds nothing and ends
    EXPECT_EQ(m_grid.Current(), std::make_pair(ROWCOL(20), ROWCOL(1)));
}

TEST_F(GridFindReplaceTest, DisabledCellsAreSkippedAndStaticCellsSearched)
{
    m_grid.m_disabled = {{8, 2}};
    m_grid.SetCurrentCell(1, 2);
    m_grid.FindNextText(L"abc", TRUE, FALSE);
    EXPECT_EQ(m_grid.Current(), std::make_pair(ROWCOL(1), ROWCOL(2)));
    EXPECT_EQ(m_grid.m_notFound.size(), 1u);
    m_grid.m_disabled.clear();
    m_grid.FindNextText(L"abc", TRUE, FALSE);
    EXPECT_EQ(m_grid.Current(), std::make_pair(ROWCOL(8), ROWCOL(2)));
}

TEST_F(GridFindReplaceTest, ReplaceReplacesAndSelectsTheNextHit)
{
    m_grid.SetCurrentCell(2, 1);
    m_grid.FindNextText(L"abc", TRUE, FALSE);
    ASSERT_EQ(m_grid.Current(), std::make_pair(ROWCOL(3), ROWCOL(1)));
    m_grid.ReplaceFoundText(L"abc", L"Q", TRUE, FALSE);
    EXPECT_EQ(m_grid.Current(), std::make_pair(ROWCOL(8), ROWCOL(1)));
    EXPECT_EQ(Value(3, 1), L"xQy");
}

TEST_F(GridFindReplaceTest, ReplaceAllInCellKeepsTheCaseAndLongResults)
{
    Put(4, 1, L"aXa");
    CString strLong;
    for (int i = 0; i < 1000; ++i)
        strLong += L"x";
    Put(6, 1, strLong);
    m_grid.SetCurrentCell(4, 1);
    Deactivate();
    EXPECT_TRUE(m_grid.m_pFindReplaceImp->ReplaceAll(&m_grid, L"x", L"yy", FALSE, FALSE));
    EXPECT_EQ(Value(4, 1), L"ayya");
    EXPECT_EQ(Value(6, 1).GetLength(), 2000);
    EXPECT_EQ(Value(6, 1).Left(4), L"yyyy");
    EXPECT_FALSE(m_grid.m_pFindReplaceImp->ReplaceAll(&m_grid, L"", L"yy", FALSE, FALSE));
}

TEST_F(GridFindReplaceTest, TheDialogDrivenByClicks)
{
    m_grid.SetCurrentCell(1, 1);
    m_grid.ShowFindReplaceDialog(TRUE);
    GX_FR_STATE* pFind = GXGetFindReplaceState();
    ASSERT_NE(pFind->m_pDialog, nullptr);
    CFindReplaceDialog* pFindOnly = pFind->m_pDialog;
    EXPECT_EQ(pFindOnly->GetDlgItem(psh1), nullptr) << "find only: no Replace button";
    pFindOnly->SetDlgItemText(edt1, L"abc");
    pFindOnly->SendDlgItemMessage(IDOK, BM_CLICK);
    PumpPendingMessages();
    EXPECT_EQ(m_grid.Current(), std::make_pair(ROWCOL(3), ROWCOL(1)));

    // Asking for Replace closes the find-only dialog and opens the other kind.
    m_grid.ShowFindReplaceDialog(FALSE);
    PumpPendingMessages();
    CFindReplaceDialog* pReplace = pFind->m_pDialog;
    ASSERT_NE(pReplace, nullptr);
    ASSERT_NE(pReplace->GetDlgItem(psh2), nullptr);
    CString strInitial;
    pReplace->GetDlgItemText(edt1, strInitial);
    EXPECT_EQ(strInitial, L"ABC") << "the current cell's selection";

    m_grid.SetCurrentCell(1, 1);
    Deactivate();
    pReplace->SetDlgItemText(edt1, L"abc");
    pReplace->SetDlgItemText(edt2, L"#");
    pReplace->SendDlgItemMessage(psh2, BM_CLICK); // Replace All
    PumpPendingMessages();
    EXPECT_EQ(Value(3, 1), L"x#y");
    EXPECT_EQ(Value(8, 1), L"#");
    EXPECT_EQ(Value(15, 1), L"z#z");
    CObList* pUndo = m_grid.GetParam()->GetUndoList();
    ASSERT_EQ(pUndo->GetCount(), 1);
    auto* pBlock = DYNAMIC_DOWNCAST(CGXBlockCmd, pUndo->GetHead());
    ASSERT_NE(pBlock, nullptr);
    EXPECT_EQ(pBlock->GetName(), L"Replace All");
    ASSERT_TRUE(m_grid.Undo());
    EXPECT_EQ(Value(3, 1), L"xABCy");
    EXPECT_EQ(Value(15, 1), L"zabcz");
    EXPECT_EQ(pUndo->GetCount(), 0);
}

namespace
{
// Keeps the grid's cells from the dialog's Replace All while told to.
class KeepingFindReplaceImp : public CGXGridFindReplaceImp
{
public:
    BOOL ReplaceAll(CGXGridCore* pGrid, LPCTSTR pszFind, LPCTSTR pszReplace, BOOL bCase, BOOL bFromDialog) override
    {
        return !m_bKeep && CGXGridFindReplaceImp::ReplaceAll(pGrid, pszFind, pszReplace, bCase, bFromDialog);
    }
    BOOL m_bKeep = TRUE;
};
} // namespace

TEST_F(GridFindReplaceTest, ADialogsReplaceAllStaysWithItsRequest)
{
    KeepingFindReplaceImp imp;
    CGXAbstractGridFindReplaceImp* pOldImp = std::exchange(m_grid.m_pFindReplaceImp, &imp);
    m_grid.SetCurrentCell(1, 1);
    Deactivate();
    m_grid.ShowFindReplaceDialog(FALSE);
    CFindReplaceDialog* pReplace = GXGetFindReplaceState()->m_pDialog;
    ASSERT_NE(pReplace, nullptr);
    pReplace->SetDlgItemText(edt1, L"abc");
    pReplace->SetDlgItemText(edt2, L"#");
    pReplace->SendDlgItemMessage(psh2, BM_CLICK); // Replace All, kept from the cells
    PumpPendingMessages();
    EXPECT_EQ(Value(8, 1), L"abc");

    // A later Replace All of the program's own is no dialog's: no undo step named for one.
    imp.m_bKeep = FALSE;
    m_grid.ReplaceAllText(L"abc", L"#", FALSE);
    EXPECT_EQ(Value(8, 1), L"#");
    CObList* pUndo = m_grid.GetParam()->GetUndoList();
    for (POSITION pos = pUndo->GetHeadPosition(); pos != nullptr;)
    {
        auto* pBlock = DYNAMIC_DOWNCAST(CGXBlockCmd, pUndo->GetNext(pos));
        EXPECT_TRUE(pBlock == nullptr || pBlock->GetName() != L"Replace All");
    }
    m_grid.m_pFindReplaceImp = pOldImp;
}

TEST_F(GridFindReplaceTest, TheActiveCurrentCellIsSearchedFromItsCaretFirst)
{
    Put(3, 1, L"xABCy abc");
    m_grid.SetCurrentCell(3, 1);
    auto* pEdit = dynamic_cast<CGXEditControl*>(m_grid.GetCurrentCellControl());
    ASSERT_NE(pEdit, nullptr);
    pEdit->SetActive(TRUE);
    ASSERT_NE(pEdit->GetSafeHwnd(), nullptr);
    pEdit->SetSel(0, 0);
    struct Step
    {
        ROWCOL nRow;
        int nStart;
        int nEnd;
    };
    // Both hits of the cell, after the caret, before the cells below.
    const Step steps[] = {{3, 1, 4}, {3, 6, 9}, {8, 0, 3}};
    for (const Step& step : steps)
    {
        m_grid.FindNextText(L"abc", TRUE, FALSE);
        EXPECT_EQ(m_grid.Current(), std::make_pair(step.nRow, ROWCOL(1))) << step.nStart;
        auto* pActive = dynamic_cast<CGXEditControl*>(m_grid.GetCurrentCellControl());
        ASSERT_NE(pActive, nullptr);
        EXPECT_TRUE(pActive->IsActive()) << step.nRow;
        int nStart = -1;
        int nEnd = -1;
        pActive->GetSelection(nStart, nEnd);
        EXPECT_EQ(std::make_pair(nStart, nEnd), std::make_pair(step.nStart, step.nEnd)) << step.nRow;
    }
    EXPECT_TRUE(m_grid.m_notFound.empty());
}

TEST_F(GridFindReplaceTest, TheDialogAnswersThroughTheGridThatOpenedIt)
{
    // Grid B, a second grid with the same cells; the dialog is opened by the fixture's grid A.
    FindGrid other;
    FindGrid* pOther = &other;
    pOther->CreateHidden(&Parent(), CRect(0, 0, 300, 200));
    pOther->GetData()->SetRowCount(20);
    pOther->GetData()->SetColCount(5);
    CGXStyle value;
    value.SetValue(L"abc");
    pOther->GetData()->StoreStyleImpl(5, 1, &value, CGXStyle::modeCopy, 0);
    pOther->SetCurrentCell(1, 1);

    m_grid.SetCurrentCell(1, 1);
    m_grid.ShowFindReplaceDialog(TRUE);
    GX_FR_STATE* pFind = GXGetFindReplaceState();
    CFindReplaceDialog* pDialog = pFind->m_pDialog;
    ASSERT_NE(pDialog, nullptr);
    pDialog->SetDlgItemText(edt1, L"abc");
    pDialog->SendDlgItemMessage(IDOK, BM_CLICK);
    PumpPendingMessages();
    ASSERT_EQ(m_grid.Current(), std::make_pair(ROWCOL(3), ROWCOL(1)));

    // The same notification reaching B finds on in A.
    static const UINT findMessage = ::RegisterWindowMessageW(FINDMSGSTRING);
    pOther->SendMessage(findMessage, 0, reinterpret_cast<LPARAM>(&pDialog->m_fr));
    EXPECT_EQ(m_grid.Current(), std::make_pair(ROWCOL(8), ROWCOL(1)));
    EXPECT_EQ(pOther->Current(), std::make_pair(ROWCOL(1), ROWCOL(1)));

    // A destroyed grid leaves the find state and takes its dialog along; B then answers itself.
    const HWND hDialog = pDialog->GetSafeHwnd();
    m_grid.DestroyWindow();
    EXPECT_EQ(pFind->m_pActiveGrid, nullptr);
    EXPECT_EQ(pFind->m_pDialog, nullptr);
    EXPECT_FALSE(::IsWindow(hDialog));
    pOther->ShowFindReplaceDialog(TRUE);
    ASSERT_NE(pFind->m_pDialog, nullptr);
    pFind->m_pDialog->SetDlgItemText(edt1, L"abc");
    pFind->m_pDialog->SendDlgItemMessage(IDOK, BM_CLICK);
    PumpPendingMessages();
    EXPECT_EQ(pOther->Current(), std::make_pair(ROWCOL(5), ROWCOL(1)));
    pOther->DestroyWindow();
}
