#include "GridTestSupport.h"

#include <grid/controls/EditControl.h>
#include <grid/core/AppData.h>
#include <grid/core/FindReplaceState.h>
#include <grid/core/GridParam.h>
#include <grid/core/Style.h>
#include <testing/MemoryCanvas.h>

#include <gtest/gtest.h>

namespace
{
// Counts the edits the grid hears of while a cell is being changed.
class EditTestGrid : public TestGrid
{
public:
    BOOL OnModifyCell(ROWCOL nRow, ROWCOL nCol) override
    {
        ++m_nModifyNotices;
        return TestGrid::OnModifyCell(nRow, nCol);
    }

    int m_nModifyNotices = 0;
};

class EditControlTest : public HiddenGridOfTest<EditTestGrid>
{
protected:
    void SetUp() override
    {
        HiddenGridOfTest::SetUp();
        m_grid.SetColWidth(1, 1, 120);
    }

    // The current cell's edit control at the cell, inactive.
    CGXEditControl* EditAt(ROWCOL nRow, ROWCOL nCol)
    {
        EXPECT_TRUE(m_grid.SetCurrentCell(nRow, nCol));
        auto* pEdit = dynamic_cast<CGXEditControl*>(m_grid.GetCurrentCellControl());
        EXPECT_NE(pEdit, nullptr);
        return pEdit;
    }
    void SetCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style)
    {
        ASSERT_TRUE(m_grid.SetStyleRangeShort(CGXRange(nRow, nCol), style));
    }
    CGXStyle Composed(ROWCOL nRow, ROWCOL nCol)
    {
        CGXStyle style;
        m_grid.ComposeStyleRowCol(nRow, nCol, &style);
        return style;
    }
    // Draws the active cell, as the grid's paint does.
    void DrawCell(CGXEditControl* pEdit, ROWCOL nRow, ROWCOL nCol)
    {
        MemoryCanvas canvas(300, 200, RGB(255, 255, 255));
        pEdit->Draw(&canvas.Dc(), m_grid.CalcRectFromRowCol(nRow, nCol), nRow, nCol, Composed(nRow, nCol), nullptr);
    }
    static CString Text(CWnd* pWnd)
    {
        CString strText;
        pWnd->GetWindowText(strText);
        return strText;
    }
    static std::pair<int, int> Selection(CGXEditControl* pEdit)
    {
        int nStart = 0;
        int nEnd = 0;
        pEdit->GetSelection(nStart, nEnd);
        return {nStart, nEnd};
    }
};

TEST_F(EditControlTest, TheFactoryMakesEditControlsForItsIdAndUnknownIds)
{
    for (UINT nId : {52512u, 40000u})
    {
        CGXStyle style;
        style.SetControl(static_cast<WORD>(nId));
        SetCell(1, 2, style);
        EXPECT_TRUE(m_grid.GetRegisteredControl(static_cast<WORD>(nId))
                        ->IsControlKindOf(&CGXEditControl::ctlClassCGXEditControl))
            << nId;
    }
}

TEST_F(EditControlTest, TypedTextIsStoredWhenTheCurrentCellMovesDown)
{
    CGXEditControl* pEdit = EditAt(1, 1);
    m_grid.SendMessage(WM_CHAR, 'a', 1);
    ASSERT_TRUE(pEdit->IsActive());
    pEdit->SendMessage(WM_CHAR, 'b', 1);
    pEdit->SendMessage(WM_CHAR, 'c', 1);
    EXPECT_EQ(Text(pEdit), _T("abc"));
    pEdit->SendMessage(WM_KEYDOWN, VK_DOWN, 1);

    CGXStyle stored;
    ASSERT_TRUE(m_grid.GetData()->GetStyleImpl(1, 1, stored, CGXStyle::modeCopy, 0));
    EXPECT_EQ(stored.GetValue(), _T("abc"));
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    ASSERT_TRUE(m_grid.GetCurrentCell(&nRow, &nCol));
    EXPECT_EQ(nRow, 2u);
    EXPECT_EQ(nCol, 1u);
}

TEST_F(EditControlTest, NumberFormatsShowTheLocaleSeparatorAndStoreNumbers)
{
    // A locale with a decimal comma groups thousands with a point.
    CGXAppData* pAppData = GXGetAppDataPtr();
    pAppData->m_szDecimalSeparator[0] = _T(',');
    pAppData->m_szThousandSeparator[0] = _T('.');
    struct Case
    {
        int nFormat;
        LPCTSTR pszStored;
        UINT nValueType;
    };
    const Case cases[] = {{2, _T("1.5"), CGXStyle::valueNumber}, {0, _T("1,5"), CGXStyle::valueText}};
    for (const Case& c : cases)
    {
        CGXStyle style;
        style.SetFormat(c.nFormat).SetValue(_T("1.5"));
        SetCell(1, 1, style);
        CGXEditControl* pEdit = EditAt(1, 1);
        if (c.nFormat == 2)
        {
            EXPECT_EQ(Text(pEdit), _T("1,5"));
        }
        m_grid.SendMessage(WM_CHAR, '1', 1);
        pEdit->SendMessage(WM_CHAR, ',', 1);
        pEdit->SendMessage(WM_CHAR, '5', 1);
        pEdit->SendMessage(WM_KEYDOWN, VK_DOWN, 1);
        const CGXStyle stored = Composed(1, 1);
        EXPECT_EQ(stored.GetValue(), c.pszStored) << c.nFormat;
        EXPECT_EQ(stored.GetValueType(), c.nValueType) << c.nFormat;
    }
    pAppData->m_szDecimalSeparator[0] = _T('.');
    pAppData->m_szThousandSeparator[0] = _T(',');
}

TEST_F(EditControlTest, HomeAndEndActivateWithTheCaretAtTheEnds)
{
    CGXStyle style;
    style.SetValue(_T("hello"));
    SetCell(1, 1, style);
    CGXEditControl* pEdit = EditAt(1, 1);
    m_grid.SendMessage(WM_KEYDOWN, VK_END, 1);
    EXPECT_TRUE(pEdit->IsActive());
    EXPECT_EQ(Selection(pEdit), std::make_pair(5, 5));

    pEdit->Init(1, 1);
    ASSERT_FALSE(pEdit->IsActive());
    m_grid.SendMessage(WM_KEYDOWN, VK_HOME, 1);
    EXPECT_TRUE(pEdit->IsActive());
    EXPECT_EQ(Selection(pEdit), std::make_pair(0, 0));
}

TEST_F(EditControlTest, DeleteClearsOnlyWhenTheGridLeavesItToTheControl)
{
    CGXStyle style;
    style.SetValue(_T("x"));
    SetCell(1, 1, style);
    CGXEditControl* pEdit = EditAt(1, 1);

    m_grid.GetParam()->SetEditLock(TRUE);
    EXPECT_FALSE(pEdit->OnKeyDown(VK_DELETE, 1, 0));
    EXPECT_FALSE(pEdit->IsActive());
    EXPECT_EQ(Text(pEdit), _T("x"));

    m_grid.GetParam()->SetEditLock(FALSE);
    EXPECT_TRUE(pEdit->OnKeyDown(VK_DELETE, 1, 0));
    EXPECT_TRUE(pEdit->IsActive());
    EXPECT_TRUE(pEdit->IsModified());
    EXPECT_EQ(Text(pEdit), _T(""));
}

TEST_F(EditControlTest, CtrlCCopiesFromAReadOnlyCell)
{
    CGXStyle style;
    style.SetValue(_T("locked")).SetReadOnly(TRUE);
    m_grid.GetParam()->m_bLockReadOnly = FALSE;
    SetCell(1, 1, style);
    m_grid.GetParam()->m_bLockReadOnly = TRUE;
    CGXEditControl* pEdit = EditAt(1, 1);
    pEdit->SetActive(TRUE);
    pEdit->SetSel(0, -1);
    {
        const HeldKey ctrl(VK_CONTROL);
        pEdit->SendMessage(WM_CHAR, 3, 1);
        pEdit->SendMessage(WM_CHAR, 'z', 1);
    }
    EXPECT_EQ(ClipboardText(m_grid.m_hWnd), _T("locked"));
    EXPECT_EQ(Text(pEdit), _T("locked"));
}

TEST_F(EditControlTest, StoringAnUnmodifiedControlChangesNothing)
{
    CGXStyle style;
    style.SetValue(_T("kept"));
    SetCell(1, 1, style);
    CGXEditControl* pEdit = EditAt(1, 1);
    pEdit->SetActive(TRUE);
    pEdit->SetWindowText(_T("other"));
    pEdit->SetModified(FALSE);
    EXPECT_TRUE(pEdit->StoreEditedValue());
    EXPECT_EQ(m_grid.GetValueRowCol(1, 1), _T("kept"));
    EXPECT_TRUE(pEdit->IsActive());
    EXPECT_FALSE(pEdit->IsModified());
}

TEST_F(EditControlTest, TheEditWindowTakesTheCellColoursAndItsChangesReachTheControl)
{
    CGXStyle style;
    style.SetInteriorColor(RGB(255, 255, 192)).SetTextColor(RGB(0, 0, 128));
    SetCell(1, 1, style);
    CGXEditControl* pEdit = EditAt(1, 1);
    m_grid.SendMessage(WM_CHAR, 'a', 1);
    ASSERT_TRUE(pEdit->IsActive());

    CClientDC dc(pEdit);
    const auto hBrush = reinterpret_cast<HBRUSH>(
        m_grid.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()),
                           reinterpret_cast<LPARAM>(pEdit->GetSafeHwnd())));
    LOGBRUSH logBrush{};
    ASSERT_EQ(sizeof(logBrush), static_cast<size_t>(::GetObject(hBrush, sizeof(logBrush), &logBrush)));
    EXPECT_EQ(logBrush.lbColor, RGB(255, 255, 192));
    EXPECT_EQ(dc.GetBkColor(), RGB(255, 255, 192));
    EXPECT_EQ(dc.GetTextColor(), RGB(0, 0, 128));

    // Each typed character is a change the edit window reports to the grid, which hands it to
    // the control, which tells the grid's edit hook.
    const int nNotices = m_grid.m_nModifyNotices;
    pEdit->SendMessage(WM_CHAR, 'b', 1);
    pEdit->SendMessage(WM_CHAR, 'c', 1);
    EXPECT_EQ(m_grid.m_nModifyNotices, nNotices + 2);
}

TEST_F(EditControlTest, CtrlEnterBreaksTheLineOnlyInAWrappingCellThatAllowsEnter)
{
    struct Case
    {
        BOOL bWrap;
        BOOL bAllowEnter;
        LPCTSTR pszText;
    };
    const Case cases[] = {{TRUE, TRUE, _T("a\r\n")}, {TRUE, FALSE, _T("a")}, {FALSE, TRUE, _T("a")}};
    m_grid.SetRowHeight(1, 1, 60);
    for (const Case& c : cases)
    {
        CGXStyle style;
        style.SetWrapText(c.bWrap).SetAllowEnter(c.bAllowEnter).SetValue(_T("a"));
        SetCell(1, 1, style);
        CGXEditControl* pEdit = EditAt(1, 1);
        pEdit->SetActive(TRUE);
        DrawCell(pEdit, 1, 1);
        pEdit->SetSel(1, 1);
        {
            const HeldKey ctrl(VK_CONTROL);
            pEdit->SendMessage(WM_CHAR, 10, 1);
        }
        EXPECT_EQ(Text(pEdit), c.pszText) << c.bWrap << c.bAllowEnter;
        pEdit->Init(1, 1);
    }
}

TEST_F(EditControlTest, AReleaseBesideTheTextActivatesWithFlagTwoOrFourAndSelectsAll)
{
    CGXStyle style;
    style.SetValue(_T("ab"));
    SetCell(1, 1, style);
    const CRect rect = m_grid.CalcRectFromRowCol(1, 1);
    const CPoint beside(rect.right - 3, rect.CenterPoint().y);
    for (WORD wFlags : {1, 2, 4})
    {
        m_grid.GetParam()->m_wActivateCell = wFlags;
        CGXEditControl* pEdit = EditAt(1, 1);
        pEdit->Init(1, 1);
        EXPECT_TRUE(pEdit->OnLButtonUp(0, beside));
        EXPECT_EQ(pEdit->IsActive(), wFlags != 1) << wFlags;
        if (wFlags != 1)
        {
            EXPECT_EQ(Selection(pEdit), std::make_pair(0, 2)) << wFlags;
        }
    }
}

TEST_F(EditControlTest, ARefusedStoreAnswersFalseAndLeavesTheEditorAlone)
{
    CGXEditControl* pEdit = EditAt(1, 1);
    m_grid.GetParam()->m_bReadOnly = TRUE;
    EXPECT_FALSE(pEdit->StoreValue(2, 1, _T("new"), nullptr));
    EXPECT_EQ(m_grid.GetValueRowCol(2, 1), _T(""));
    EXPECT_NE(Text(pEdit), _T("Error!"));
    EXPECT_FALSE(pEdit->IsModified());
    m_grid.GetParam()->m_bReadOnly = FALSE;
    EXPECT_TRUE(pEdit->StoreEditedValue());
    EXPECT_EQ(m_grid.GetValueRowCol(1, 1), _T(""));
}

TEST_F(EditControlTest, ReplaceAllGrowsPastAThousandCharactersAndRefusesAnEmptySearch)
{
    CString strLong;
    for (int i = 0; i < 600; ++i)
        strLong += _T("ab");
    CGXStyle style;
    style.SetValue(strLong);
    SetCell(2, 1, style);
    CGXEditControl* pEdit = EditAt(1, 1);

    GX_FR_STATE find;
    find.m_strFind = _T("a");
    find.m_strFindUpper = _T("A");
    find.m_strReplace = _T("xyz");
    ASSERT_TRUE(pEdit->ForwardFeatureB(find, 2, 1));
    CString strExpected = strLong;
    strExpected.Replace(_T("a"), _T("xyz"));
    EXPECT_EQ(m_grid.GetValueRowCol(2, 1), strExpected);
    EXPECT_EQ(m_grid.GetValueRowCol(2, 1).GetLength(), 2400);

    find.m_strFind.Empty();
    find.m_strFindUpper.Empty();
    EXPECT_FALSE(pEdit->ForwardFeatureB(find, 2, 1));
    EXPECT_FALSE(pEdit->ForwardFeatureA(find, 2, 1, TRUE, FALSE));
}

TEST_F(EditControlTest, TypingPastSixtyFiveThousandCharactersLandsAtTheCaret)
{
    CString strLong(_T('.'), 70000);
    CGXEditControl* pEdit = EditAt(1, 1);
    pEdit->SetActive(TRUE);
    pEdit->SetWindowText(strLong);
    ASSERT_EQ(pEdit->GetWindowTextLength(), 70000);
    pEdit->SetSel(69000, 69000);
    EXPECT_EQ(Selection(pEdit), std::make_pair(69000, 69000));
    pEdit->SendMessage(WM_CHAR, 'X', 1);
    const CString strText = Text(pEdit);
    EXPECT_EQ(strText.Find(_T('X')), 69000);
}
} // namespace
