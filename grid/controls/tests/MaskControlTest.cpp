#include "GridTestSupport.h"

#include <grid/controls/ClipboardText.h>
#include <grid/controls/MaskControl.h>
#include <grid/controls/MaskData.h>
#include <grid/core/FindReplaceState.h>
#include <grid/core/GridParam.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>
#include <grid/core/StylesMap.h>
#include <grid/services/ControlFactory.h>
#include <testing/MemoryCanvas.h>

#include <gtest/gtest.h>

#include <vector>

namespace
{
// Mask data whose verdict on the whole data a test decides.
class JudgedMaskData : public CGXMaskData
{
    DECLARE_DYNCREATE(JudgedMaskData)
public:
    BOOL IsValidData() const override
    {
        return s_bValid && CGXMaskData::IsValidData();
    }
    static BOOL s_bValid;
};
IMPLEMENT_DYNCREATE(JudgedMaskData, CGXMaskData)
BOOL JudgedMaskData::s_bValid = TRUE;

// Records the characters the mask refused.
class RecordingMaskControl : public CGXMaskControl
{
public:
    explicit RecordingMaskControl(CGXGridCore* pGrid) : CGXMaskControl(pGrid, GX_IDS_CTRL_MASKED_EDIT, RUNTIME_CLASS(JudgedMaskData))
    {
    }
    void ReservedHookE(DWORD dwValue) override
    {
        m_refused.push_back(dwValue);
    }
    std::vector<DWORD> m_refused;
};

class MaskControlTest : public HiddenGridTest
{
protected:
    void SetUp() override
    {
        HiddenGridTest::SetUp();
        JudgedMaskData::s_bValid = TRUE;
        m_grid.SetColWidth(1, 2, 150);
        m_pMask = new RecordingMaskControl(&m_grid);
        m_grid.RegisterControl(GX_IDS_CTRL_MASKED_EDIT, m_pMask);
        SetMaskCell(1, 1, _T("##/##"), _T("1234"));
    }

    void SetMaskCell(ROWCOL nRow, ROWCOL nCol, LPCTSTR pszMask, LPCTSTR pszValue, WORD nMaxLength = 0)
    {
        CGXStyle style;
        style.SetControl(GX_IDS_CTRL_MASKED_EDIT).SetValue(pszValue);
        if (pszMask != nullptr)
            style.SetUserAttribute(GX_IDS_UA_MASKEDIT_MASK, pszMask);
        if (nMaxLength != 0)
            style.SetMaxLength(nMaxLength);
        ASSERT_TRUE(m_grid.SetStyleRangeShort(CGXRange(nRow, nCol), style));
    }
    // The cell current and its control active with the whole text selected.
    void Activate(ROWCOL nRow, ROWCOL nCol)
    {
        ASSERT_TRUE(m_grid.SetCurrentCell(nRow, nCol));
        ASSERT_EQ(m_grid.GetCurrentCellControl(), m_pMask);
        m_pMask->SetActive(TRUE);
    }
    CString WindowText() const
    {
        CString strText;
        m_pMask->GetWindowText(strText);
        return strText;
    }
    CString Shown(ROWCOL nRow, ROWCOL nCol)
    {
        CGXStyle style;
        m_grid.ComposeStyleRowCol(nRow, nCol, &style);
        CString strText;
        EXPECT_TRUE(m_pMask->FormatDisplayText(strText, nRow, nCol, nullptr, style));
        return strText;
    }
    CString Stored(ROWCOL nRow, ROWCOL nCol)
    {
        return m_grid.GetValueRowCol(nRow, nCol);
    }
    int Caret()
    {
        int nStart = 0;
        int nEnd = 0;
        m_pMask->GetSelData(nStart, nEnd);
        EXPECT_EQ(nStart, nEnd);
        return nStart;
    }
    void CaretTo(int nPos)
    {
        m_pMask->SetSelData(nPos, nPos);
    }
    void Type(LPCTSTR pszText)
    {
        for (LPCTSTR p = pszText; *p != 0; ++p)
            m_pMask->SendMessage(WM_CHAR, *p, 1);
    }
    void Key(UINT nKey)
    {
        m_pMask->SendMessage(WM_KEYDOWN, nKey, 1);
    }
    // Leaves the cell, so that the control stores what it holds.
    BOOL Leave()
    {
        return m_grid.SetCurrentCell(5, 5);
    }

    RecordingMaskControl* m_pMask = nullptr;
};
} // namespace

TEST_F(MaskControlTest, FactoryMakesTheMaskedEditAndRegistersItsAttributes)
{
    CGXControl* pControl = CGXControlFactory().CreateControl(GX_IDS_CTRL_MASKED_EDIT, &m_grid);
    ASSERT_NE(pControl, nullptr);
    EXPECT_TRUE(pControl->IsControlKindOf(&CGXMaskControl::ctlClassCGXMaskControl));
    EXPECT_FALSE(pControl->IsControlKindOf(&CGXEditControl::ctlClassCGXEditControl));
    delete pControl;

    CGXStylesMap stylesMap;
    CGXControlFactory().RegisterAllUserAttributes(&stylesMap);
    const auto* pMask = stylesMap.GetUserAttributeInfo(GX_IDS_UA_MASKEDIT_MASK);
    ASSERT_NE(pMask, nullptr);
    EXPECT_STREQ(pMask->strName, L"Maskedit: Input Mask");
    EXPECT_EQ(pMask->pStyle->GetIncludeBits(), CGXStyle::inclWrapText | CGXStyle::inclAutoSize);
    const auto* pPrompt = stylesMap.GetUserAttributeInfo(GX_IDS_UA_MASKEDIT_PROMPT);
    ASSERT_NE(pPrompt, nullptr);
    EXPECT_STREQ(pPrompt->strName, L"Maskedit: Prompt Char");
    EXPECT_EQ(pPrompt->pStyle->GetMaxLength(), 1);
}

TEST_F(MaskControlTest, ValueShowsInTheMaskInactiveAndActive)
{
    EXPECT_STREQ(Shown(1, 1), L"12/34");
    Activate(1, 1);
    EXPECT_STREQ(WindowText(), L"12/34");
    CString strValue;
    ASSERT_TRUE(m_pMask->GetStyleValue(strValue));
    EXPECT_STREQ(strValue, L"1234");

    CaretTo(0);
    Key(VK_DELETE);
    EXPECT_STREQ(WindowText(), L"23/4_");
    EXPECT_EQ(Caret(), 0);
    ASSERT_TRUE(Leave());
    EXPECT_STREQ(Stored(1, 1), L"234");
}

TEST_F(MaskControlTest, EmptyValueDrawsEmptyAndShowsTheEmptyMaskWhenActive)
{
    SetMaskCell(2, 1, _T("##/##"), _T(""));
    EXPECT_STREQ(Shown(2, 1), L"");
    m_pMask->SetShowEmptyMask(TRUE);
    EXPECT_STREQ(Shown(2, 1), L"__/__");
    m_pMask->SetShowEmptyMask(FALSE);
    Activate(2, 1);
    EXPECT_STREQ(WindowText(), L"__/__");
}

TEST_F(MaskControlTest, TypedCharactersSkipTheLiteralAndRefusedOnesChangeNothing)
{
    SetMaskCell(2, 1, _T("##/##"), _T(""));
    Activate(2, 1);
    CaretTo(0);
    Type(L"12");
    EXPECT_STREQ(WindowText(), L"12/__");
    EXPECT_EQ(Caret(), 3);
    Type(L"/");
    EXPECT_STREQ(WindowText(), L"12/__");
    ASSERT_EQ(m_pMask->m_refused.size(), 1u);
    EXPECT_EQ(m_pMask->m_refused[0], static_cast<DWORD>(L'/'));
    Type(L"x");
    EXPECT_EQ(m_pMask->m_refused.size(), 2u);
    EXPECT_EQ(Caret(), 3);

    // Arrows, Home and End step over the slash.
    Key(VK_LEFT);
    EXPECT_EQ(Caret(), 1);
    Key(VK_RIGHT);
    EXPECT_EQ(Caret(), 3);
    Key(VK_HOME);
    EXPECT_EQ(Caret(), 0);
    Key(VK_END);
    EXPECT_EQ(Caret(), 2);
    Key(VK_BACK);
    EXPECT_STREQ(WindowText(), L"1_/__");
    EXPECT_EQ(Caret(), 1);

    // Overwrite mode replaces and moves past the slash as well.
    Type(L"9");
    EXPECT_STREQ(WindowText(), L"19/__");
    Key(VK_INSERT);
    CaretTo(1);
    Type(L"8");
    EXPECT_STREQ(WindowText(), L"18/__");
    EXPECT_EQ(Caret(), 3);
    Key(VK_INSERT);
}

TEST_F(MaskControlTest, TypingIntoAFullMaskInInsertModeChangesNothing)
{
    Activate(1, 1);
    CaretTo(0);
    Type(L"9");
    EXPECT_STREQ(WindowText(), L"12/34");
    EXPECT_EQ(Caret(), 0);
    ASSERT_TRUE(Leave());
    EXPECT_STREQ(Stored(1, 1), L"1234");
}

TEST_F(MaskControlTest, TypingIntoAnInactiveCellReplacesItsContent)
{
    ASSERT_TRUE(m_grid.SetCurrentCell(1, 1));
    ASSERT_FALSE(m_pMask->IsActive());
    m_grid.SendMessage(WM_CHAR, L'7', 1);
    ASSERT_TRUE(m_pMask->IsActive());
    EXPECT_STREQ(WindowText(), L"7_/__");
    EXPECT_EQ(Caret(), 1);
    ASSERT_TRUE(Leave());
    EXPECT_STREQ(Stored(1, 1), L"7");
}

TEST_F(MaskControlTest, WithoutMaskTheMaximumLengthLimitsAnyCharacters)
{
    SetMaskCell(2, 1, nullptr, _T(""), 3);
    Activate(2, 1);
    CaretTo(0);
    Type(L"a#/b");
    EXPECT_STREQ(WindowText(), L"a#/");
    // Overwriting one character keeps the rest.
    Key(VK_INSERT);
    CaretTo(1);
    Type(L"z");
    Key(VK_INSERT);
    EXPECT_STREQ(WindowText(), L"az/");
    EXPECT_EQ(Caret(), 2);
    ASSERT_TRUE(Leave());
    EXPECT_STREQ(Stored(2, 1), L"az/");
}

TEST_F(MaskControlTest, PastedDisplayTextAndEnteredCharactersBothStoreTheDigits)
{
    SetMaskCell(2, 1, _T("##/##"), _T(""));
    for (LPCTSTR pszPasted : {L"12/34", L"1234"})
    {
        Activate(2, 1);
        m_pMask->SetSel(0, -1);
        ASSERT_TRUE(CGXClipboardText::Write(&m_grid, pszPasted));
        EXPECT_TRUE(m_pMask->CanPaste());
        ASSERT_TRUE(m_pMask->PasteFromClipboard());
        EXPECT_STREQ(WindowText(), L"12/34") << pszPasted;
        ASSERT_TRUE(Leave());
        EXPECT_STREQ(Stored(2, 1), L"1234") << pszPasted;
        SetMaskCell(2, 1, _T("##/##"), _T(""));
    }

    // A text the mask refuses leaves the selected characters where they are.
    Activate(1, 1);
    m_pMask->SetSel(0, -1);
    ASSERT_TRUE(CGXClipboardText::Write(&m_grid, L"ab"));
    m_pMask->PasteFromClipboard();
    EXPECT_STREQ(WindowText(), L"12/34");
    ASSERT_TRUE(Leave());

    // Copied, the entered characters travel in their own format beside the plain text.
    Activate(1, 1);
    m_pMask->SetSel(0, -1);
    ASSERT_TRUE(m_pMask->CopyToClipboard());
    CString strText;
    ASSERT_TRUE(CGXClipboardText::Read(&m_grid, strText, CGXMaskControl::GetMaskDataFormat()));
    EXPECT_STREQ(strText, L"1234");
    ASSERT_TRUE(CGXClipboardText::Read(&m_grid, strText));
    EXPECT_STREQ(strText, L"12/34");
    ASSERT_TRUE(Leave());
    Activate(2, 1);
    m_pMask->SetSel(0, -1);
    ASSERT_TRUE(m_pMask->PasteFromClipboard());
    EXPECT_STREQ(WindowText(), L"12/34");
    ASSERT_TRUE(Leave());
    EXPECT_STREQ(Stored(2, 1), L"1234");
}

TEST_F(MaskControlTest, TextsThatFitNeitherWayAreRefused)
{
    struct Case
    {
        LPCTSTR pszText;
        BOOL bStored;
        LPCTSTR pszValue;
    };
    const Case cases[] = {
        {L"12/34", TRUE, L"1234"}, {L"1234", TRUE, L"1234"}, {L"12", TRUE, L"12"}, {L"ab/cd", FALSE, L""},
        {L"12x", FALSE, L""},      {L"123456", FALSE, L""},  {L"", TRUE, L""},
    };
    for (const Case& c : cases)
    {
        CString strText = c.pszText;
        EXPECT_EQ(m_pMask->CanStoreValue(1, 1, strText, nullptr), c.bStored) << c.pszText;
        if (c.bStored)
        {
            EXPECT_STREQ(strText, c.pszValue) << c.pszText;
        }
    }
    // Through the grid a refused text leaves the old value.
    EXPECT_FALSE(m_grid.SetControlTextRowCol(1, 1, _T("ab/cd"), GX_UPDATENOW, nullptr));
    EXPECT_STREQ(Stored(1, 1), L"1234");
    EXPECT_TRUE(m_grid.SetControlTextRowCol(1, 1, _T("56/78"), GX_UPDATENOW, nullptr));
    EXPECT_STREQ(Stored(1, 1), L"5678");
}

TEST_F(MaskControlTest, InvalidDataIsNotStored)
{
    Activate(1, 1);
    CaretTo(0);
    Key(VK_DELETE);
    JudgedMaskData::s_bValid = FALSE;
    EXPECT_FALSE(m_pMask->ValidateValue());
    // The cell cannot be left while its data does not match the mask.
    EXPECT_FALSE(Leave());
    EXPECT_TRUE(m_grid.IsCurrentCell(1, 1));
    EXPECT_STREQ(Stored(1, 1), L"1234");
    JudgedMaskData::s_bValid = TRUE;
    EXPECT_TRUE(m_pMask->ValidateValue());
    ASSERT_TRUE(Leave());
    EXPECT_STREQ(Stored(1, 1), L"234");
}

TEST_F(MaskControlTest, ReplaceAllWorksOnTheEnteredCharacters)
{
    GX_FR_STATE find;
    find.m_strFind = L"3";
    find.m_strReplace = L"9";
    find.PrepareFind();
    SetMaskCell(2, 1, _T("##/##"), _T("1333"));
    EXPECT_TRUE(m_pMask->ForwardFeatureB(find, 2, 1));
    EXPECT_STREQ(Stored(2, 1), L"1999");

    // A replacement that does not fit leaves that hit alone.
    find.m_strReplace = L"x";
    find.m_strFind = L"9";
    find.PrepareFind();
    EXPECT_TRUE(m_pMask->ForwardFeatureB(find, 2, 1));
    EXPECT_STREQ(Stored(2, 1), L"1999");

    find.m_strFind.Empty();
    find.PrepareFind();
    EXPECT_FALSE(m_pMask->ForwardFeatureB(find, 2, 1));
}
