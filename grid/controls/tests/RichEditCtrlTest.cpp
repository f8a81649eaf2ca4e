#include "GridTestSupport.h"

#include <grid/controls/RichEditCtrl.h>
#include <grid/core/FindReplaceState.h>
#include <grid/core/GridParam.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>
#include <grid/services/ControlFactory.h>
#include <testing/CheckDirectory.h>
#include <testing/MemoryCanvas.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace
{
// Counts the values streamed into each window and keeps the last one.
class CountingRichEdit : public CGXRichEditCtrl
{
public:
    explicit CountingRichEdit(CGXGridCore* pGrid) : CGXRichEditCtrl(pGrid, GX_IDS_CTRL_RICH_EDIT)
    {
        CreateControl(ES_MULTILINE, GX_IDS_CTRL_RICH_EDIT);
    }
    void StreamValueIn(CRichEditCtrl& wnd, const CString& strValue) override
    {
        ++m_streams[wnd.GetSafeHwnd()];
        m_strLast[wnd.GetSafeHwnd()] = strValue;
        CGXRichEditCtrl::StreamValueIn(wnd, strValue);
    }
    // Streams into the hidden windows, not the edit window.
    int HiddenStreams() const
    {
        int nStreams = 0;
        for (const auto& [hWnd, nCount] : m_streams)
            if (hWnd != m_hWnd)
                nStreams += nCount;
        return nStreams;
    }
    CString LastStreamedIntoEdit() const
    {
        const auto it = m_strLast.find(m_hWnd);
        return it != m_strLast.end() ? it->second : CString(_T("<none>"));
    }
    void ReservedHookE(DWORD dwValue) override
    {
        m_refused.push_back(dwValue);
    }

    std::map<HWND, int> m_streams;
    std::map<HWND, CString> m_strLast;
    std::vector<DWORD> m_refused;
};

// The rich text a test wrote goes to the directory the RTF check reads with unrtf; each line of
// the ".check" file beside it is a regular expression its HTML form must match.
void ExpectRtf(LPCTSTR pszName, const CString& strRtf, const std::vector<std::string>& expected)
{
    const CString strPath = CheckDirectory::Named(_T("RTF_CHECK_DIR"), _T("Z:\\tmp\\lumiter-rtf-check")) + pszName;
    const std::string bytes{CW2A(strRtf)};
    CFile rtf(strPath + _T(".rtf"), CFile::modeCreate | CFile::modeWrite);
    rtf.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    std::string text;
    for (const std::string& line : expected)
        text += line + "\n";
    CFile check(strPath + _T(".rtf.check"), CFile::modeCreate | CFile::modeWrite);
    check.Write(text.data(), static_cast<UINT>(text.size()));
}

class RichEditCtrlTest : public HiddenGridTest
{
protected:
    void SetUp() override
    {
        HiddenGridTest::SetUp();
        m_grid.ShowWindow(SW_SHOWNA);
        m_grid.SetColWidth(1, 2, 150);
        m_pRich = new CountingRichEdit(&m_grid);
        m_grid.RegisterControl(GX_IDS_CTRL_RICH_EDIT, m_pRich);
        SetRichCell(1, 1, _T("{\\rtf1 abc}"));
    }

    void SetRichCell(ROWCOL nRow, ROWCOL nCol, LPCTSTR pszValue, WORD nMaxLength = 0)
    {
        CGXStyle style;
        style.SetControl(GX_IDS_CTRL_RICH_EDIT).SetValue(pszValue);
        if (nMaxLength != 0)
            style.SetMaxLength(nMaxLength);
        ASSERT_TRUE(m_grid.SetStyleRangeShort(CGXRange(nRow, nCol), style));
    }
    void Activate(ROWCOL nRow, ROWCOL nCol)
    {
        ASSERT_TRUE(m_grid.SetCurrentCell(nRow, nCol));
        ASSERT_EQ(m_grid.GetCurrentCellControl(), m_pRich);
        m_pRich->SetActive(TRUE);
    }
    CString Shown(ROWCOL nRow, ROWCOL nCol)
    {
        CGXStyle style;
        m_grid.ComposeStyleRowCol(nRow, nCol, &style);
        CString strText;
        EXPECT_TRUE(m_pRich->FormatDisplayText(strText, nRow, nCol, nullptr, style));
        return strText;
    }
    CString Stored(ROWCOL nRow, ROWCOL nCol)
    {
        return m_grid.GetValueRowCol(nRow, nCol);
    }
    CGXStyle Formats(ROWCOL nRow, ROWCOL nCol)
    {
        CGXStyle style;
        EXPECT_TRUE(m_pRich->GetEditedCellText(nRow, nCol, style));
        return style;
    }
    BOOL Leave()
    {
        return m_grid.SetCurrentCell(5, 5);
    }
    void DrawCell(CDC& dc, ROWCOL nRow, ROWCOL nCol)
    {
        CGXStyle style;
        m_grid.ComposeStyleRowCol(nRow, nCol, &style);
        m_pRich->Draw(&dc, CRect(0, 0, 150, 20), nRow, nCol, style, nullptr);
    }

    // Draws the current cell as the grid's paint would: the active control places its window.
    void DrawActive(ROWCOL nRow, ROWCOL nCol)
    {
        CClientDC dc(&m_grid);
        CGXStyle style;
        m_grid.ComposeStyleRowCol(nRow, nCol, &style);
        m_pRich->Draw(&dc, m_grid.CalcRectFromRowCol(nRow, nCol), nRow, nCol, style, nullptr);
    }

    CountingRichEdit* m_pRich = nullptr;
};
} // namespace

TEST_F(RichEditCtrlTest, TheFactoryMakesTheRichEditWithItsWindows)
{
    CGXControl* pControl = CGXControlFactory().CreateControl(GX_IDS_CTRL_RICH_EDIT, &m_grid);
    ASSERT_NE(pControl, nullptr);
    EXPECT_TRUE(pControl->IsControlKindOf(&CGXRichEditCtrl::ctlClassCGXRichEditCtrl));
    CWnd* pWnd = pControl->GetControlWindow();
    ASSERT_NE(pWnd->GetSafeHwnd(), nullptr);
    EXPECT_EQ(pWnd->GetParent(), &m_grid);
    EXPECT_NE(pWnd->GetStyle() & ES_MULTILINE, 0u);
    EXPECT_EQ(pWnd->GetStyle() & WS_VISIBLE, 0u);
    int nHidden = 0;
    for (CWnd* pChild = pWnd->GetWindow(GW_CHILD); pChild != nullptr; pChild = pChild->GetWindow(GW_HWNDNEXT))
        ++nHidden;
    EXPECT_EQ(nHidden, 4);
    delete pControl;
}

TEST_F(RichEditCtrlTest, PlainTextsBecomeEscapedRtfThatReadsBackTheSame)
{
    struct Case
    {
        LPCTSTR pszText;
        LPCTSTR pszContent;
        LPCTSTR pszName;
        std::vector<std::string> html;
    };
    const Case cases[] = {
        {L"abc", L"abc", L"plain", {"abc"}},
        {L"C:\\temp {x}", L"C:\\\\temp \\{x\\}", L"escaped", {R"(C:\\temp \{x\})"}},
        {L"caf\u00e9 \u20ac", L"caf\\u233? \\u8364?", L"unicode", {"caf&eacute; &euro;"}},
        {L"one\r\ntwo\tthree", L"one\\par two\\tab three", L"lines", {"one", "two", "three"}},
    };
    for (const Case& c : cases)
    {
        EXPECT_STREQ(CGXRichEditCtrl::EscapeRtfText(c.pszText), c.pszContent) << c.pszText;
        Activate(1, 1);
        ASSERT_TRUE(m_pRich->StoreText(c.pszText));
        EXPECT_STREQ(m_pRich->LastStreamedIntoEdit(), CString(L"{\\rtf1 ") + c.pszContent + L"}");
        EXPECT_TRUE(m_pRich->IsModified());
        ASSERT_TRUE(Leave());
        // The stored value is the edit window's RTF; its plain text is the text typed.
        const CString strStored = Stored(1, 1);
        EXPECT_EQ(strStored.Left(5), L"{\\rtf") << c.pszText;
        CString strExpected(c.pszText);
        strExpected.Replace(L"\r\n", L"\r");
        CString strShown = Shown(1, 1);
        strShown.Replace(L"\r\n", L"\r");
        EXPECT_STREQ(strShown, strExpected);
        ExpectRtf(c.pszName, strStored, c.html);
    }

    // "{\rtf1 abc}" shows abc; a value that is not RTF shows as it stands.
    SetRichCell(2, 1, L"{\\rtf1 abc}");
    EXPECT_STREQ(Shown(2, 1), L"abc");
    SetRichCell(2, 1, L"not {rtf} \u00e9");
    EXPECT_STREQ(Shown(2, 1), L"not {rtf} \u00e9");
}

TEST_F(RichEditCtrlTest, TextsStoredFromOutsideAreEnclosedAndCutToTheMaximumLength)
{
    ASSERT_TRUE(m_pRich->StoreValue(2, 1, L"xy", nullptr));
    EXPECT_STREQ(Stored(2, 1), L"{xy}");
    SetRichCell(3, 1, L"", 1);
    ASSERT_TRUE(m_pRich->StoreValue(3, 1, L"xy", nullptr));
    EXPECT_STREQ(Stored(3, 1), L"{x}");
    ASSERT_TRUE(m_pRich->StoreValue(2, 1, L"a\\b}", nullptr));
    EXPECT_STREQ(Stored(2, 1), L"{a\\\\b\\}}");

    CGXStyle readOnly;
    readOnly.SetReadOnly(TRUE);
    m_grid.GetParam()->m_bLockReadOnly = FALSE;
    ASSERT_TRUE(m_grid.SetStyleRangeShort(CGXRange(2, 1), readOnly));
    m_grid.GetParam()->m_bLockReadOnly = TRUE;
    EXPECT_FALSE(m_pRich->StoreValue(2, 1, L"new", nullptr));
    EXPECT_STREQ(Stored(2, 1), L"{a\\\\b\\}}");
}

TEST_F(RichEditCtrlTest, ACharacterTypedIntoAnInactiveCellBecomesItsValue)
{
    ASSERT_TRUE(m_grid.SetCurrentCell(1, 1));
    m_pRich->SetActive(FALSE);
    m_grid.SendMessage(WM_CHAR, L'x', 1);
    ASSERT_TRUE(m_pRich->IsActive());
    EXPECT_STREQ(m_pRich->LastStreamedIntoEdit(), L"{\\rtf1 x}");
    m_pRich->SendMessage(WM_CHAR, L'y', 1);
    ASSERT_TRUE(Leave());
    EXPECT_STREQ(Shown(1, 1), L"xy");
    ExpectRtf(L"typed", Stored(1, 1), {"xy"});
}

TEST_F(RichEditCtrlTest, DrawingAValueTwiceStreamsItOnce)
{
    MemoryCanvas canvas(160, 30, RGB(255, 255, 255));
    SetRichCell(2, 1, L"{\\rtf1 drawn}");
    SetRichCell(3, 1, L"{\\rtf1 drawn}");
    const int nBefore = m_pRich->HiddenStreams();
    DrawCell(canvas.Dc(), 2, 1);
    DrawCell(canvas.Dc(), 3, 1);
    DrawCell(canvas.Dc(), 2, 1);
    EXPECT_EQ(m_pRich->HiddenStreams() - nBefore, 1);
    // The text was drawn: some pixel of the cell is no longer white.
    BOOL bInk = FALSE;
    for (int x = 0; x < 150 && !bInk; ++x)
        for (int y = 0; y < 20 && !bInk; ++y)
            bInk = canvas.Pixel(x, y) != RGB(255, 255, 255);
    EXPECT_TRUE(bInk);
    SetRichCell(3, 1, L"{\\rtf1 other}");
    DrawCell(canvas.Dc(), 3, 1);
    EXPECT_EQ(m_pRich->HiddenStreams() - nBefore, 2);
}

TEST_F(RichEditCtrlTest, StylesAndFormatsConvertIntoEachOther)
{
    struct Case
    {
        CGXStyle style;
        DWORD dwParaMask;
        WORD wAlignment;
        DWORD dwCharMask;
        DWORD dwEffects;
    };
    std::vector<Case> cases;
    cases.push_back({CGXStyle().SetHorizontalAlignment(DT_RIGHT), PFM_ALIGNMENT, PFA_RIGHT, 0, 0});
    cases.push_back({CGXStyle().SetHorizontalAlignment(DT_CENTER), PFM_ALIGNMENT, PFA_CENTER, 0, 0});
    cases.push_back({CGXStyle().SetHorizontalAlignment(DT_LEFT), PFM_ALIGNMENT, PFA_LEFT, 0, 0});
    cases.push_back({CGXStyle().SetFont(CGXFont().SetWeight(700)), 0, 0, CFM_BOLD, CFE_BOLD});
    cases.push_back({CGXStyle().SetFont(CGXFont().SetWeight(400)), 0, 0, CFM_BOLD, 0});
    cases.push_back({CGXStyle().SetFont(CGXFont().SetItalic(TRUE).SetUnderline(TRUE).SetStrikeOut(TRUE)), 0, 0,
                     CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT, CFE_ITALIC | CFE_UNDERLINE | CFE_STRIKEOUT});
    cases.push_back({CGXStyle().SetFont(CGXFont().SetSize(12)), 0, 0, CFM_SIZE, 0});
    cases.push_back({CGXStyle().SetFont(CGXFont().SetFaceName(L"Courier New")), 0, 0, CFM_FACE, 0});
    cases.push_back({CGXStyle().SetTextColor(RGB(200, 0, 0)), 0, 0, CFM_COLOR, 0});
    for (const Case& c : cases)
    {
        PARAFORMAT2 pf;
        CHARFORMAT cf;
        m_pRich->StyleToFormat(pf, cf, c.style);
        EXPECT_EQ(pf.cbSize, 156u);
        EXPECT_EQ(cf.cbSize, 92u);
        EXPECT_EQ(pf.dwMask, c.dwParaMask);
        EXPECT_EQ(cf.dwMask, c.dwCharMask);
        EXPECT_EQ(cf.dwEffects, c.dwEffects);
        if (c.dwParaMask != 0)
        {
            EXPECT_EQ(pf.wAlignment, c.wAlignment);
        }
        if (c.dwCharMask == CFM_SIZE)
        {
            EXPECT_EQ(cf.yHeight, 240);
        }
        if (c.dwCharMask == CFM_FACE)
        {
            EXPECT_STREQ(cf.szFaceName, L"Courier New");
        }
        if (c.dwCharMask == CFM_COLOR)
        {
            EXPECT_EQ(cf.crTextColor, RGB(200, 0, 0));
        }

        // And back: the style gets what the formats carry.
        CGXStyle back;
        m_pRich->FormatToStyle(pf, cf, back);
        EXPECT_EQ(back.GetInclude(CGXStyle::inclHorizontalAlignment), c.dwParaMask != 0);
        if (c.dwParaMask != 0)
        {
            EXPECT_EQ(back.GetHorizontalAlignment(), c.style.GetHorizontalAlignment());
        }
        EXPECT_EQ(back.GetInclude(CGXStyle::inclTextColor), (c.dwCharMask & CFM_COLOR) != 0);
        EXPECT_EQ(back.GetInclude(CGXStyle::inclFont), (c.dwCharMask & ~CFM_COLOR) != 0);
        if ((c.dwCharMask & CFM_BOLD) != 0)
        {
            EXPECT_EQ(back.GetFont().GetBold(), (c.dwEffects & CFE_BOLD) != 0);
        }
        if ((c.dwCharMask & CFM_SIZE) != 0)
        {
            EXPECT_EQ(back.GetFont().GetSize(), 12.0);
        }
        if ((c.dwCharMask & CFM_FACE) != 0)
        {
            EXPECT_STREQ(back.GetFont().GetFaceName(), L"Courier New");
        }
        if ((c.dwCharMask & CFM_ITALIC) != 0)
        {
            EXPECT_TRUE(back.GetFont().GetItalic() && back.GetFont().GetUnderline() && back.GetFont().GetStrikeOut());
        }
    }
}

TEST_F(RichEditCtrlTest, BoldAppliedToAnInactiveCellBoldsTheWholeTextAndReplacingKeepsIt)
{
    SetRichCell(2, 1, L"{\\rtf1 bold text}");
    CGXStyle bold;
    bold.SetFont(CGXFont().SetBold(TRUE));
    ASSERT_TRUE(m_grid.SetStyleRangeShort(CGXRange(2, 1), bold));
    EXPECT_STREQ(Shown(2, 1), L"bold text");
    EXPECT_TRUE(Formats(2, 1).GetFont().GetBold());
    // The font went into the rich text, not into the cell's style.
    CGXStyle cell;
    ASSERT_TRUE(m_grid.GetStyleRowCol(2, 1, cell, CGXStyle::modeCopy, 0));
    EXPECT_FALSE(cell.GetInclude(CGXStyle::inclFont) && cell.GetFont().GetIncludeWeight());
    ExpectRtf(L"bold", Stored(2, 1), {"<b>(<[^>]*>)*bold text"});

    GX_FR_STATE find;
    find.m_strFind = L"text";
    find.m_strFindUpper = L"TEXT";
    find.m_strReplace = L"words";
    ASSERT_TRUE(m_pRich->ForwardFeatureB(find, 2, 1));
    EXPECT_STREQ(Shown(2, 1), L"bold words");
    EXPECT_TRUE(Formats(2, 1).GetFont().GetBold());
    ExpectRtf(L"replaced", Stored(2, 1), {"<b>(<[^>]*>)*bold words"});

    // An empty search text finds and replaces nothing.
    const CString strBefore = Stored(2, 1);
    find.m_strFind.Empty();
    find.m_strFindUpper.Empty();
    EXPECT_FALSE(m_pRich->ForwardFeatureB(find, 2, 1));
    EXPECT_FALSE(m_pRich->ForwardFeatureA(find, 2, 1, TRUE, FALSE));
    EXPECT_STREQ(Stored(2, 1), strBefore);

    // A colour applied to the active cell colours its selection.
    Activate(2, 1);
    m_pRich->SetSel(5, 10);
    CGXStyle red;
    red.SetTextColor(RGB(200, 0, 0));
    ASSERT_TRUE(m_grid.SetStyleRangeShort(CGXRange(2, 1), red));
    EXPECT_TRUE(m_pRich->IsModified());
    const CGXStyle formats = Formats(2, 1);
    EXPECT_EQ(formats.GetTextColor() & 0xFFFFFF, RGB(200, 0, 0));
    ASSERT_TRUE(Leave());
    ExpectRtf(L"coloured", Stored(2, 1), {"<b>(<[^>]*>)*bold ", "<font color=\"#c80000\">words</font>"});
}

TEST_F(RichEditCtrlTest, FindSelectsTheHitInTheActivatedCell)
{
    SetRichCell(2, 1, L"{\\rtf1 alpha beta}");
    GX_FR_STATE find;
    find.m_strFind = L"beta";
    find.m_strFindUpper = L"BETA";
    EXPECT_FALSE(m_pRich->ForwardFeatureA(find, 1, 1, TRUE, FALSE));
    ASSERT_TRUE(m_pRich->ForwardFeatureA(find, 2, 1, TRUE, TRUE));
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    ASSERT_TRUE(m_grid.GetCurrentCell(&nRow, &nCol));
    EXPECT_EQ(nRow, 2u);
    EXPECT_TRUE(m_pRich->IsActive());
    EXPECT_STREQ(m_pRich->GetSelText(), L"beta");
}

TEST_F(RichEditCtrlTest, EnterGrowsTheRowOfAnAutoSizeCellAndDeletingShrinksIt)
{
    CGXStyle style;
    style.SetControl(GX_IDS_CTRL_RICH_EDIT).SetValue(L"{\\rtf1 line}").SetAutoSize(TRUE).SetAllowEnter(TRUE);
    ASSERT_TRUE(m_grid.SetStyleRangeShort(CGXRange(3, 1), style));
    const int nHeight = m_grid.GetRowHeight(3);
    Activate(3, 1);
    DrawActive(3, 1);
    ASSERT_NE(m_pRich->GetStyle() & WS_VISIBLE, 0u);
    m_pRich->SetSel(-1, -1);
    for (int n = 0; n < 3; ++n)
    {
        m_pRich->SendMessage(WM_KEYDOWN, VK_RETURN, 1);
        m_pRich->SendMessage(WM_CHAR, L'\r', 1);
    }
    // The rich edit asks for its size when it lays its text out, which a hidden window does not
    // paint for: the test asks as the next paint would.
    m_pRich->RequestResize();
    EXPECT_EQ(m_pRich->GetLineCount(), 4);
    EXPECT_GT(m_grid.GetRowHeight(3), nHeight + 20);
    for (int n = 0; n < 3; ++n)
    {
        m_pRich->SendMessage(WM_KEYDOWN, VK_BACK, 1);
        m_pRich->SendMessage(WM_CHAR, VK_BACK, 1);
    }
    m_pRich->RequestResize();
    EXPECT_EQ(m_grid.GetRowHeight(3), nHeight);
}

TEST_F(RichEditCtrlTest, AClickIntoAnotherRichEditLeavesThisOnesRowSizing)
{
    CGXStyle style;
    style.SetControl(GX_IDS_CTRL_RICH_EDIT).SetValue(L"{\\rtf1 line}").SetAutoSize(TRUE).SetAllowEnter(TRUE);
    ASSERT_TRUE(m_grid.SetStyleRangeShort(CGXRange(3, 1), style));
    const int nHeight = m_grid.GetRowHeight(3);
    Activate(3, 1);
    DrawActive(3, 1);
    m_pRich->SetSel(-1, -1);
    for (int n = 0; n < 3; ++n)
    {
        m_pRich->SendMessage(WM_KEYDOWN, VK_RETURN, 1);
        m_pRich->SendMessage(WM_CHAR, L'\r', 1);
    }
    // A click into another rich edit's window stops the sizing of that one alone.
    constexpr UINT idOther = 0x6F00;
    CGXRichEditCtrl other(&m_grid, idOther);
    ASSERT_TRUE(other.CreateControl(ES_MULTILINE, idOther));
    other.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, 0);
    other.SendMessage(WM_LBUTTONUP, 0, 0);
    Activate(3, 1);
    m_pRich->RequestResize();
    EXPECT_GT(m_grid.GetRowHeight(3), nHeight + 20);
}

TEST_F(RichEditCtrlTest, PreferredHeightGrowsWithTheLines)
{
    CClientDC dc(&m_grid);
    CGXStyle style;
    m_grid.ComposeStyleRowCol(1, 1, &style);
    const CSize one = m_pRich->GetPreferredSize(&dc, 1, 1, style, 1);
    style.SetValue(L"{\\rtf1 one\\par two\\par three}");
    const CSize three = m_pRich->GetPreferredSize(&dc, 1, 1, style, 1);
    EXPECT_GT(one.cy, 5);
    EXPECT_GT(three.cy, 2 * one.cy);
}

TEST_F(RichEditCtrlTest, PastedRichTextKeepsItsFormats)
{
    const char rtf[] = "{\\rtf1\\ansi {\\b pasted} plain}";
    ASSERT_TRUE(m_grid.OpenClipboard());
    ::EmptyClipboard();
    HGLOBAL hData = ::GlobalAlloc(GMEM_MOVEABLE, sizeof rtf);
    memcpy(::GlobalLock(hData), rtf, sizeof rtf);
    ::GlobalUnlock(hData);
    ::SetClipboardData(::RegisterClipboardFormatW(L"Rich Text Format"), hData);
    ::CloseClipboard();

    ASSERT_TRUE(m_grid.SetCurrentCell(1, 1));
    EXPECT_TRUE(m_pRich->CanPaste());
    ASSERT_TRUE(m_pRich->PasteFromClipboard());
    EXPECT_TRUE(m_pRich->IsActive());
    ASSERT_TRUE(Leave());
    EXPECT_STREQ(Shown(1, 1), L"pasted plain");
    ExpectRtf(L"pasted", Stored(1, 1), {"<b>(<[^>]*>)*pasted(<[^>]*>)*</b>", "plain"});
}
TEST_F(RichEditCtrlTest, AnInactiveCellIsRenderedWithItsFormats)
{
    // The same word drawn plain, bold and coloured: bold strokes cover more pixels, and the
    // coloured word is drawn in its colour.
    std::vector<int> inked;
    int nRed = 0;
    for (LPCTSTR pszValue :
         {L"{\\rtf1 Load}", L"{\\rtf1 {\\b Load}}", L"{\\rtf1{\\colortbl;\\red200\\green0\\blue0;}{\\cf1 Load}}"})
    {
        MemoryCanvas canvas(160, 30, RGB(255, 255, 255));
        SetRichCell(2, 1, pszValue);
        DrawCell(canvas.Dc(), 2, 1);
        int nInk = 0;
        for (int x = 0; x < 150; ++x)
            for (int y = 0; y < 20; ++y)
            {
                const COLORREF color = canvas.Pixel(x, y);
                nInk += color != RGB(255, 255, 255);
                nRed += GetRValue(color) > 150 && GetGValue(color) < 100;
            }
        inked.push_back(nInk);
    }
    EXPECT_GT(inked[0], 20);
    EXPECT_GT(inked[1], inked[0]);
    EXPECT_GT(nRed, 10);
}

TEST_F(RichEditCtrlTest, ArrowsLeaveTheCellOnlyAtTheEdgesOfItsText)
{
    SetRichCell(2, 2, L"{\\rtf1 ab}");
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    struct Case
    {
        UINT nKey;
        int nCaret;
        ROWCOL nExpectedCol;
    };
    // Inside the text the window moves its caret; at the edge the grid moves to the next cell.
    const Case cases[] = {{VK_LEFT, 1, 2}, {VK_LEFT, 0, 1}, {VK_RIGHT, 1, 2}, {VK_RIGHT, 2, 3}, {VK_TAB, 1, 3}};
    for (const Case& c : cases)
    {
        Activate(2, 2);
        m_pRich->SetSel(c.nCaret, c.nCaret);
        m_pRich->SendMessage(WM_KEYDOWN, c.nKey, 1);
        ASSERT_TRUE(m_grid.GetCurrentCell(&nRow, &nCol));
        EXPECT_EQ(nCol, c.nExpectedCol) << c.nKey << " at " << c.nCaret;
        EXPECT_EQ(nRow, 2u);
    }
}
