#include <grid/controls/CurrencyEdit.h>

#include <grid/controls/BCalculator.h>
#include <grid/controls/ComposedStyle.h>
#include <grid/controls/HiddenWindowId.h>
#include <grid/core/AbstractUserAttribute.h>
#include <grid/core/AppData.h>
#include <grid/core/FindReplaceState.h>
#include <grid/core/GridCore.h>
#include <grid/core/GridParam.h>
#include <grid/core/KeyState.h>
#include <grid/core/Properties.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>
#include <grid/core/StylesMap.h>
#include <toolkit/foundation/ScopedValue.h>

#include <windowsx.h>

#include <algorithm>
#include <memory>

using tarnwick::foundation::SECScopedValue;

namespace
{
constexpr LPCTSTR pszAttributeMask = _T("##AAAA#");
constexpr LPCTSTR pszDefaultAttributes = _T("11 1");
constexpr LPCTSTR pszDefaultSeparators = _T(",.");

CString AttributeText(const CGXStyle& style, WORD nId)
{
    return style.HasUserAttribute(nId) ? style.GetUserAttribute(nId).GetValue() : CString();
}

// A whole text that is an integer.
BOOL ReadInteger(const CString& strText, int& nValue)
{
    CString strTrimmed = strText;
    strTrimmed.Trim();
    const int nStart = !strTrimmed.IsEmpty() && strTrimmed[0] == _T('-') ? 1 : 0;
    if (strTrimmed.GetLength() <= nStart || strTrimmed.GetLength() > 10 ||
        strTrimmed.Mid(nStart).SpanIncluding(_T("0123456789")) != strTrimmed.Mid(nStart))
        return FALSE;
    nValue = _ttoi(strTrimmed);
    return TRUE;
}

// Finds the text from the position on; -1 when it is not there. An empty text matches at once.
int FindFrom(const CString& strText, const CString& strFind, int nFrom)
{
    if (nFrom > strText.GetLength())
        return -1;
    return strFind.IsEmpty() ? nFrom : strText.Find(strFind, nFrom);
}
} // namespace

IMPLEMENT_DYNAMIC(CGXCurrencyEdit, CGXBCurrencyEdit)

const GXControlClass CGXCurrencyEdit::ctlClassCGXCurrencyEdit = {"CGXCurrencyEdit", &CGXStatic::classCGXStatic};

BEGIN_MESSAGE_MAP(CGXCurrencyEdit, CGXBCurrencyEdit)
ON_MESSAGE(WM_GETDLGCODE, OnWndGetDlgCode)
ON_MESSAGE(WM_KEYDOWN, OnWndKeyDown)
ON_MESSAGE(WM_CHAR, OnWndChar)
ON_MESSAGE(WM_KEYUP, OnWndSysKey)
ON_MESSAGE(WM_SYSKEYDOWN, OnWndSysKeyDown)
ON_MESSAGE(WM_SYSKEYUP, OnWndSysKey)
ON_MESSAGE(WM_SYSCHAR, OnWndSysKey)
ON_MESSAGE(WM_KILLFOCUS, OnWndKillFocus)
ON_MESSAGE(WM_LBUTTONDOWN, OnWndLButtonDown)
ON_MESSAGE(WM_SETTEXT, OnWndSetText)
ON_MESSAGE(WM_ERASEBKGND, OnWndEraseBkgnd)
ON_MESSAGE(WM_CONTEXTMENU, OnWndContextMenu)
ON_MESSAGE(GXB_CALC_RESULT, OnWndCalculatorResult)
END_MESSAGE_MAP()

CGXCurrencyEdit::CGXCurrencyEdit(CGXGridCore* pGrid, UINT nID) : CGXWindowControl(pGrid), m_nID(nID)
{
}

CGXCurrencyEdit::~CGXCurrencyEdit()
{
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

CGXControl* CGXCurrencyEdit::Create(CGXGridCore* pGrid)
{
    auto* pControl = new CGXCurrencyEdit(pGrid, GX_IDS_CTRL_CURRENCY);
    pControl->CreateControl(0);
    return pControl;
}

void CGXCurrencyEdit::RegisterUserAttributes(CGXStylesMap* pStylesMap)
{
    CGXStyle masked;
    masked.SetControl(GX_IDS_CTRL_MASKED_EDIT).SetUserAttribute(GX_IDS_UA_MASKEDIT_MASK, pszAttributeMask);
    pStylesMap->AddUserAttribute(GX_IDS_UA_CURRENCY_ATTRIBUTES, &masked);
    CGXStyle choices;
    choices.SetControl(GX_IDS_CTRL_COMBO_CHOICE_ZERO_BASED)
        .SetChoiceList(GXLoadResourceString(GX_IDS_CURRENCY_POSITIVE_CHOICES));
    pStylesMap->AddUserAttribute(GX_IDS_UA_CURRENCY_POSITIVE, &choices);
    choices.SetChoiceList(GXLoadResourceString(GX_IDS_CURRENCY_NEGATIVE_CHOICES));
    pStylesMap->AddUserAttribute(GX_IDS_UA_CURRENCY_NEGATIVE, &choices);
    pStylesMap->AddUserAttribute(GX_IDS_UA_CURRENCY_INTEGER_DIGITS);
    pStylesMap->AddUserAttribute(GX_IDS_UA_CURRENCY_DECIMALS);
    pStylesMap->AddUserAttribute(GX_IDS_UA_CURRENCY_SYMBOL);
    pStylesMap->AddUserAttribute(GX_IDS_UA_CURRENCY_SEPARATORS);
}

BOOL CGXCurrencyEdit::CreateControl(DWORD dwStyle)
{
    CWnd* pGridWnd = GetGridWnd();
    if (pGridWnd == nullptr || pGridWnd->GetSafeHwnd() == nullptr)
        return FALSE;
    const CRect rectHidden(0, 0, 0, 0);
    if (m_captive.GetSafeHwnd() == nullptr &&
        !m_captive.Create(WS_CHILD, CRect(30000, 30000, 30100, 30020), pGridWnd, GXHiddenWindowId(m_nID, 0)))
        return FALSE;
    return GetSafeHwnd() != nullptr ||
           CGXBCurrencyEdit::Create(dwStyle | WS_CHILD | WS_TABSTOP, rectHidden, pGridWnd, m_nID);
}

// ---- the format

CString CGXCurrencyEdit::ToFormatText(const CString& strValue, const CGXBCurrencyFormat& format)
{
    // Only a plain number has its point replaced; display texts stand as they are.
    const int nPoint = strValue.Find(_T('.'));
    CString strDigits = strValue;
    strDigits.Trim();
    if (!strDigits.IsEmpty() && strDigits[0] == _T('-'))
        strDigits.Delete(0);
    strDigits.Remove(_T('.'));
    if (nPoint < 0 || strDigits.IsEmpty() || strDigits.SpanIncluding(_T("0123456789")) != strDigits ||
        strValue.Find(_T('.'), nPoint + 1) >= 0)
        return strValue;
    CString strText = strValue;
    strText.SetAt(nPoint, format.GetDecimalSeparator() != 0 ? format.GetDecimalSeparator() : _T('.'));
    return strText;
}

CString CGXCurrencyEdit::ToNumberText(double dValue, BOOL bNegative, int nDecimals)
{
    CString strText;
    strText.Format(_T("%s%.*f"), bNegative && dValue != 0 ? _T("-") : _T(""), nDecimals, dValue);
    // The stored text has "." whatever the C runtime's locale says.
    const int nPoint = strText.ReverseFind(CGXBCurrencyFormat::RuntimeDecimalPoint());
    if (nPoint >= 0)
        strText.SetAt(nPoint, _T('.'));
    return strText;
}

void CGXCurrencyEdit::ApplyStyleToFormat(CGXBCurrencyEdit* pWnd, const CGXStyle& style)
{
    if (pWnd == nullptr)
        pWnd = this;
    CGXBCurrencyFormat format(pWnd->GetFormat());
    CString strAttributes = AttributeText(style, GX_IDS_UA_CURRENCY_ATTRIBUTES);
    if (!strAttributes.IsEmpty())
    {
        if (strAttributes.GetLength() != 4)
            strAttributes = pszDefaultAttributes;
        format.SetLeadingZero(strAttributes[0] != _T('0'));
        format.SetKeepTrailingDigits(strAttributes[1] != _T('0'));
        format.SetPaddingChar(strAttributes[2]);
    }
    int nValue = 0;
    if (ReadInteger(AttributeText(style, GX_IDS_UA_CURRENCY_POSITIVE), nValue))
        format.SetPositivePattern(nValue);
    if (ReadInteger(AttributeText(style, GX_IDS_UA_CURRENCY_NEGATIVE), nValue))
        format.SetNegativePattern(nValue);
    if (ReadInteger(AttributeText(style, GX_IDS_UA_CURRENCY_INTEGER_DIGITS), nValue))
        format.SetIntegerDigits(nValue);
    if (ReadInteger(AttributeText(style, GX_IDS_UA_CURRENCY_DECIMALS), nValue))
        format.SetDecimalDigits(nValue);
    if (style.HasUserAttribute(GX_IDS_UA_CURRENCY_SYMBOL))
    {
        const CString strSymbol = AttributeText(style, GX_IDS_UA_CURRENCY_SYMBOL);
        format.SetMonetarySymbol(!strSymbol.IsEmpty() && strSymbol[0] == _T('0') ? _T("") : strSymbol);
    }
    if (style.HasUserAttribute(GX_IDS_UA_CURRENCY_SEPARATORS))
    {
        CString strSeparators = AttributeText(style, GX_IDS_UA_CURRENCY_SEPARATORS);
        if (strSeparators.GetLength() != 2)
            strSeparators = pszDefaultSeparators;
        format.SetThousandSeparator(strSeparators[0] == _T('0') ? 0 : strSeparators[0]);
        format.SetDecimalSeparator(strSeparators[1]);
    }
    if (!format.IsEqual(pWnd->GetFormat()))
        pWnd->SetFormat(format);
}

const CGXBCurrencyFormat& CGXCurrencyEdit::CaptiveFormatFor(const CGXStyle& style)
{
    // Each cell starts from the locale's format, not from the last cell's.
    m_captive.SetFormat(CGXBCurrencyFormat(TRUE));
    ApplyStyleToFormat(&m_captive, style);
    return m_captive.GetFormat();
}

BOOL CGXCurrencyEdit::HasDropButton(const CGXStyle& style)
{
    const CString strAttributes = AttributeText(style, GX_IDS_UA_CURRENCY_ATTRIBUTES);
    const CString strUsed =
        strAttributes.IsEmpty() || strAttributes.GetLength() == 4 ? strAttributes : CString(pszDefaultAttributes);
    return strUsed.GetLength() == 4 && strUsed[3] != _T('0');
}

BOOL CGXCurrencyEdit::IsValidChar(UINT nChar)
{
    if (m_bNoValidate)
        return TRUE;
    const TCHAR ch = static_cast<TCHAR>(nChar);
    return (ch >= _T('0') && ch <= _T('9')) || ch == _T('-') || ch == GetFormat().GetDecimalSeparator() ||
           ch == VK_BACK;
}

// ---- control operations

const GXControlClass* CGXCurrencyEdit::GetControlClass() const
{
    return &ctlClassCGXCurrencyEdit;
}

void CGXCurrencyEdit::SetActive(BOOL bActive)
{
    m_bIsActive = bActive && GetSafeHwnd() != nullptr;
}

void CGXCurrencyEdit::SetModified(BOOL bModified)
{
    m_bModified = bModified;
}

BOOL CGXCurrencyEdit::IsModified()
{
    return m_bModified;
}

void CGXCurrencyEdit::Init(ROWCOL nRow, ROWCOL nCol)
{
    {
        const SECScopedValue<BOOL> initializing(m_bInitializing, TRUE);
        InitWindow(nRow, nCol);
    }
    SetModified(FALSE);
}

void CGXCurrencyEdit::InitWindow(ROWCOL nRow, ROWCOL nCol)
{
    CGXStatic::Init(nRow, nCol);
    if (GetSafeHwnd() == nullptr)
        CreateControl(0);
    const CGXStyle& style = *LoadStyle();
    // A cell starts from the locale's format: the last cell's attributes do not carry over.
    SetFormat(CGXBCurrencyFormat(TRUE));
    ApplyStyleToFormat(this, style);
    SetValue(style.GetInclude(CGXStyle::inclValue) ? static_cast<LPCTSTR>(style.GetValue()) : _T(""));
    if (GetSafeHwnd() != nullptr)
    {
        if (style.GetInclude(CGXStyle::inclHorizontalAlignment))
        {
            const DWORD dwAlign = style.GetHorizontalAlignment();
            SetAlignment(dwAlign == DT_RIGHT ? 2 : dwAlign == DT_CENTER ? 1 : 0);
        }
        SetSel(0, -1);
    }
}

BOOL CGXCurrencyEdit::StoreEditedValue()
{
    CString strText;
    if (m_pStyle == nullptr || !IsModified() || !GetStyleValue(strText))
        return TRUE;
    SetActive(FALSE);
    return m_pGrid->SetValueRange(CGXRange(Row(), Col()), strText, CGXStyle::modeOverride, GX_INVALIDATE);
}

void CGXCurrencyEdit::GetCurrentText(CString& strText)
{
    strText.Empty();
    if (m_bIsActive && GetSafeHwnd() != nullptr)
        GetWindowText(strText);
    else if (m_bIsBound)
        FormatDisplayText(strText, Row(), Col(), nullptr, *LoadStyle());
}

BOOL CGXCurrencyEdit::GetStyleValue(CString& strText)
{
    if (!m_bIsBound || GetSafeHwnd() == nullptr)
        return CGXStatic::GetStyleValue(strText);
    // What the window shows is what is stored: a digit limit has cut the integer part.
    CString strShown;
    GetWindowText(strShown);
    double dValue = 0;
    BOOL bNegative = FALSE;
    if (!GetFormat().ParseValue(strShown, dValue, bNegative))
    {
        dValue = std::abs(GetValue());
        bNegative = IsNegative();
    }
    strText = ToNumberText(dValue, bNegative, GetFormat().GetDecimalDigits());
    return TRUE;
}

void CGXCurrencyEdit::SetValue(LPCTSTR pszText)
{
    if (GetSafeHwnd() == nullptr)
        return;
    // Showing the cell's value is no edit of it.
    const SECScopedValue<BOOL> initializing(m_bInitializing, TRUE);
    const CString strValue = pszText != nullptr ? CString(pszText) : CString();
    if (strValue.IsEmpty() ||
        !SendMessage(WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(ToFormatText(strValue, GetFormat())))))
        SetValueAndSign(0.0, FALSE, FALSE);
}

BOOL CGXCurrencyEdit::StoreText(const CString& strText)
{
    if (!m_bIsBound || GetSafeHwnd() == nullptr)
        return FALSE;
    if (!m_bIsActive)
        SetActive(TRUE);
    if (!AcceptText(strText))
        return FALSE;
    const CString strFormatText = ToFormatText(strText, GetFormat());
    if (!SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(strFormatText))))
        return FALSE;
    SetModified(TRUE);
    RequestCommit();
    return TRUE;
}

BOOL CGXCurrencyEdit::FormatDisplayText(CString& strOut, ROWCOL /*nRow*/, ROWCOL /*nCol*/, LPCTSTR pszText,
                                        const CGXStyle& style)
{
    strOut.Empty();
    if (m_captive.GetSafeHwnd() == nullptr)
        return FALSE;
    CString strValue;
    if (pszText == nullptr)
    {
        if (!style.GetInclude(CGXStyle::inclValue) || style.GetValue().IsEmpty())
            return FALSE;
        strValue = ToFormatText(style.GetValue(), CaptiveFormatFor(style));
    }
    else
    {
        // Another cell's text never touches the window being edited.
        m_captive.SetFormat(GetFormat());
        strValue = ToFormatText(pszText, GetFormat());
    }
    if (!m_captive.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(strValue))))
        return FALSE;
    m_captive.GetWindowText(strOut);
    return !strOut.IsEmpty();
}

BOOL CGXCurrencyEdit::CanStoreValue(ROWCOL nRow, ROWCOL nCol, CString& strText, const CGXStyle* pStyle)
{
    std::unique_ptr<ComposedStyle> composed;
    pStyle = GXStyleOrComposed(m_pGrid, nRow, nCol, pStyle, composed);
    const CGXBCurrencyFormat& format = CaptiveFormatFor(*pStyle);
    if (strText.IsEmpty())
        return TRUE;
    double dValue = 0;
    BOOL bNegative = FALSE;
    if (!format.ParseValue(ToFormatText(strText, format), dValue, bNegative))
        return FALSE;
    strText = ToNumberText(dValue, bNegative, format.GetDecimalDigits());
    return TRUE;
}

BOOL CGXCurrencyEdit::RebindToCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, int nMode, int nType)
{
    if (!CGXStatic::RebindToCell(nRow, nCol, pStyle, nMode, nType))
        return FALSE;
    if ((nMode != CGXStyle::modeOverride && nMode != CGXStyle::modeApplyNew) || !m_pGrid->IsCurrentCell(nRow, nCol) ||
        pStyle == nullptr)
        return TRUE;
    if ((pStyle->GetInclude(CGXStyle::inclValue) && !IsModified()) || pStyle->GetInclude(CGXStyle::inclControl))
    {
        Reset();
        return TRUE;
    }
    static const WORD formatIds[] = {GX_IDS_UA_CURRENCY_ATTRIBUTES, GX_IDS_UA_CURRENCY_POSITIVE,
                                     GX_IDS_UA_CURRENCY_NEGATIVE, GX_IDS_UA_CURRENCY_INTEGER_DIGITS,
                                     GX_IDS_UA_CURRENCY_DECIMALS};
    if (m_bIsBound && std::any_of(std::begin(formatIds), std::end(formatIds),
                                  [&](WORD nId) { return pStyle->HasUserAttribute(nId); }))
        ApplyStyleToFormat(this, *pStyle);
    return TRUE;
}

void CGXCurrencyEdit::HideControl()
{
    if (GetSafeHwnd() == nullptr || !IsWindowVisible())
        return;
    LockGridFocus(TRUE);
    HideEditCaret();
    MoveWindow(0, 0, 0, 0, FALSE);
    ShowWindow(SW_HIDE);
    LockGridFocus(FALSE);
}

// ---- drawing

void CGXCurrencyEdit::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                           const CGXStyle* pStandardStyle)
{
    if (!IsActiveAt(nRow, nCol) || !m_bIsActive || m_pGrid->IsPrinting() || GetSafeHwnd() == nullptr)
    {
        CGXStatic::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
        return;
    }
    const SECScopedValue<BOOL> initializing(m_bInitializing, TRUE);
    FreeStyle(FALSE);
    const CGXStyle& cached = *LoadStyle();
    const TEXTMETRIC tm = CreateCellFont(m_font, pDC, cached);
    m_nLineHeight = tm.tmHeight + 1 + tm.tmExternalLeading;
    m_nMaxCharWidth = tm.tmMaxCharWidth;
    CRect rectText;
    GetCellClientRect(rectText, nRow, nCol, &rect, &cached);
    FitSingleLine(rectText, cached, m_nLineHeight);
    CGXBCurrencyFormat format(GetFormat());
    const CGXProperties* pProperties = m_pGrid->GetProperties();
    const COLORREF rgbInterior = pProperties != nullptr && pProperties->IsBlackWhiteOutput()
                                     ? RGB(255, 255, 255)
                                     : cached.GetInterior().GetColor();
    format.SetPositiveColor(cached.GetTextColor());
    format.SetBackgroundColor(rgbInterior);
    if (!format.IsEqual(GetFormat()))
        SetFormat(format);
    const UINT nButton = HasDropButton(cached) ? GX_IDB_DROP_FACE : 0;
    if (nButton != GetButtonBitmap())
        SetButtonBitmap(nButton);
    DrawBackground(pDC, rect, cached, TRUE);
    SetFont(&m_font, TRUE);
    MoveWindow(rectText, FALSE);
    SetActive(TRUE);
    TakeFocusFromGrid(this);
    ShowWindow(SW_SHOW);
    SendMessage(EM_SETREADONLY, IsReadOnlyCell());
    UpdateWindow();
    CGXControl::Draw(pDC, rect, nRow, nCol, cached, pStandardStyle);
    AddRectToGridList(rectText);
}

// ---- keys and mouse in the grid

BOOL CGXCurrencyEdit::ActivateForEditing()
{
    if (!RequestEditing())
        return FALSE;
    if (!m_bIsBound)
        Init(Row(), Col());
    SetActive(TRUE);
    return TRUE;
}

void CGXCurrencyEdit::FlipSign(double dValue, BOOL bNegative)
{
    SetValueAndSign(dValue, !bNegative, FALSE);
    SetModified(TRUE);
    RequestCommit();
    RefreshCell();
}

BOOL CGXCurrencyEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (GetSafeHwnd() == nullptr || GXIsKeyDown(VK_CONTROL))
        return CGXStatic::OnKeyDown(nChar, nRepCnt, nFlags);
    switch (nChar)
    {
    case VK_SPACE: {
        const CGXStyle& style = *LoadStyle();
        double dValue = 0;
        BOOL bNegative = FALSE;
        const CString strValue = style.GetInclude(CGXStyle::inclValue) ? style.GetValue() : CString();
        if (IsReadOnlyCell() || !GetFormat().ParseValue(ToFormatText(strValue, GetFormat()), dValue, bNegative) ||
            !ActivateForEditing())
            return FALSE;
        FlipSign(dValue, bNegative);
        return TRUE;
    }
    case VK_HOME:
    case VK_END:
        if (!ActivateForEditing())
            return FALSE;
        SetSel(nChar == VK_END ? GetWindowTextLength() : 0, nChar == VK_END ? GetWindowTextLength() : 0);
        if (!m_pGrid->ScrollCellInView(Row(), Col(), GX_UPDATENOW, FALSE))
            RefreshCell();
        return TRUE;
    default:
        return CGXStatic::OnKeyDown(nChar, nRepCnt, nFlags);
    }
}

BOOL CGXCurrencyEdit::OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar != VK_DOWN || GetSafeHwnd() == nullptr)
        return CGXStatic::OnSysKeyDown(nChar, nRepCnt, nFlags);
    if (!ActivateForEditing())
        return FALSE;
    RefreshCell();
    m_pGrid->SetCurrentCell(Row(), Col());
    if (HasDropButton(*LoadStyle()))
        OpenCalculator();
    return TRUE;
}

BOOL CGXCurrencyEdit::OnChar(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    if (GetSafeHwnd() == nullptr || nChar < 32 || nChar == 127 || m_bIsActive || IsReadOnlyCell())
        return FALSE;
    if (RequestEditing())
    {
        SetActive(TRUE);
        PostMessage(WM_CHAR, nChar, 1);
        RefreshCell();
    }
    return FALSE;
}

BOOL CGXCurrencyEdit::OnCharText(const CString& /*strText*/)
{
    return TRUE;
}

void CGXCurrencyEdit::ActivateAtPoint(CPoint point)
{
    SetActive(TRUE);
    // The window lies over the cell's text area, as drawing the active cell places it.
    CRect rectText;
    GetCellClientRect(rectText, Row(), Col(), nullptr, LoadStyle());
    if ((GetStyle() & WS_VISIBLE) == 0)
        MoveWindow(rectText, FALSE);
    const int nChar = CharFromPoint(point - rectText.TopLeft());
    SetSel(nChar, nChar);
    RefreshCell();
}

BOOL CGXCurrencyEdit::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (GetSafeHwnd() != nullptr && m_bIsBound)
    {
        const CGXGridParam* pParam = m_pGrid->GetParam();
        const WORD wActivate = pParam != nullptr ? pParam->m_wActivateCell : 0;
        if ((wActivate & GX_ACTIVATEONRELEASE) != 0 && (m_bIsActive || RequestEditing()))
            ActivateAtPoint(point);
    }
    CGXStatic::OnLButtonUp(nFlags, point);
    return TRUE;
}

BOOL CGXCurrencyEdit::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    const CGXGridParam* pParam = m_pGrid->GetParam();
    if (!m_bIsActive && GetSafeHwnd() != nullptr && m_bIsBound && pParam != nullptr &&
        (pParam->m_wActivateCell & GX_ACTIVATEONDBLCLK) != 0 && RequestEditing())
        ActivateAtPoint(point);
    CGXStatic::OnLButtonDblClk(nFlags, point);
    return TRUE;
}

BOOL CGXCurrencyEdit::OnGridCommand(WORD wCommand, HWND hWnd)
{
    if (!m_bIsActive || hWnd != m_hWnd || wCommand != EN_CHANGE)
        return FALSE;
    SetModified(TRUE);
    RequestCommit();
    return TRUE;
}

// ---- clipboard, find and replace

void CGXCurrencyEdit::GetValueForCopy(ROWCOL /*nRow*/, ROWCOL /*nCol*/, const CGXStyle& style, CString& strText)
{
    strText = style.GetValue();
    if (strText.IsEmpty() || m_captive.GetSafeHwnd() == nullptr)
        return;
    const CGXBCurrencyFormat& format = CaptiveFormatFor(style);
    double dValue = 0;
    BOOL bNegative = FALSE;
    if (format.ParseValue(ToFormatText(strText, format), dValue, bNegative))
        strText = ToNumberText(dValue, bNegative, format.GetDecimalDigits());
}

void CGXCurrencyEdit::GetCopyText(CString& strText)
{
    strText.Empty();
    int nStart = 0;
    int nEnd = 0;
    GetSel(nStart, nEnd);
    if (m_bIsActive && HasSelection())
    {
        CString strWindow;
        GetWindowText(strWindow);
        strText = strWindow.Mid(nStart, nEnd - nStart);
    }
}

void CGXCurrencyEdit::SetCellText(const CString& strText)
{
    if (!m_bIsActive)
    {
        CGXStatic::SetCellText(strText);
        return;
    }
    if (IsReadOnlyCell())
        return;
    SetModified(TRUE);
    InsertText(strText);
}

BOOL CGXCurrencyEdit::ForwardFeatureA(GX_FR_STATE& find, ROWCOL nRow, ROWCOL nCol, BOOL bFromCurrent, BOOL bSelect)
{
    CString strFind = find.m_bCase ? find.m_strFind : find.m_strFindUpper;
    if (GetSafeHwnd() == nullptr)
        return FALSE;
    if (m_bIsActive && IsActiveAt(nRow, nCol))
    {
        // The window's text is searched in capitals, without its monetary symbol in the search.
        const CString& strSymbol = GetFormat().GetMonetarySymbol();
        if (!strSymbol.IsEmpty() && strFind.Left(strSymbol.GetLength()) == strSymbol)
            strFind.Delete(0, strSymbol.GetLength());
        CString strText;
        GetWindowText(strText);
        strText.MakeUpper();
        const LRESULT nSel = SendMessage(EM_GETSEL);
        const int nSelStart = nSel == -1 ? -1 : LOWORD(nSel);
        int nFrom = nSelStart < 0 ? 0 : nSelStart + (bFromCurrent ? 0 : 1);
        nFrom = std::min(nFrom, strText.GetLength());
        const int nHit = FindFrom(strText, strFind, nFrom);
        if (nHit < 0)
            return FALSE;
        if (bSelect)
            SetSel(nHit, nHit + strFind.GetLength());
        return TRUE;
    }
    CString strText;
    CString strPadding;
    {
        const ComposedStyle composed(m_pGrid, nRow, nCol);
        if (!FormatDisplayText(strText, nRow, nCol, nullptr, *composed.m_pStyle))
            strText.Empty();
        const CString strAttributes = AttributeText(*composed.m_pStyle, GX_IDS_UA_CURRENCY_ATTRIBUTES);
        if (strAttributes.GetLength() >= 3)
            strPadding = CString(strAttributes[2]);
    }
    if (!find.m_bCase)
        strText.MakeUpper();
    if (!strPadding.IsEmpty() && find.m_strFind == strPadding)
        strFind.Empty();
    const int nHit = FindFrom(strText, strFind, 0);
    if (nHit < 0)
        return FALSE;
    if (bSelect)
    {
        m_pGrid->ScrollCellInView(nRow, nCol, GX_UPDATENOW, FALSE);
        m_pGrid->SetCurrentCell(nRow, nCol, GX_FOUNDCELL);
        if (!IsActiveAt(nRow, nCol))
            Init(nRow, nCol);
        SetActive(TRUE);
        SetSel(nHit, nHit + strFind.GetLength());
        RefreshCell();
    }
    return TRUE;
}

BOOL CGXCurrencyEdit::ForwardFeatureB(GX_FR_STATE& find, ROWCOL nRow, ROWCOL nCol)
{
    const CString& strFind = find.m_bCase ? find.m_strFind : find.m_strFindUpper;
    // An empty search would replace nothing forever.
    if (strFind.IsEmpty() || GetSafeHwnd() == nullptr)
        return FALSE;
    const BOOL bOwn = m_bIsActive && IsActiveAt(nRow, nCol);
    CString strSource;
    int nSelStart = 0;
    std::unique_ptr<ComposedStyle> composed;
    if (bOwn)
    {
        GetWindowText(strSource);
        const LRESULT nSel = SendMessage(EM_GETSEL);
        nSelStart = nSel == -1 ? 0 : LOWORD(nSel);
        m_captive.SetFormat(GetFormat());
    }
    else
    {
        composed = std::make_unique<ComposedStyle>(m_pGrid, nRow, nCol);
        if (!FormatDisplayText(strSource, nRow, nCol, nullptr, *composed->m_pStyle) || strSource.IsEmpty())
            strSource = _T("0");
        CaptiveFormatFor(*composed->m_pStyle);
    }
    const CGXBCurrencyFormat& format = m_captive.GetFormat();
    CString strReplace = find.m_strReplace;
    const TCHAR chDecimal = format.GetDecimalSeparator();
    if (chDecimal != 0 && strFind.Find(chDecimal) >= 0 && strReplace.Find(chDecimal) < 0)
        strReplace += _T('.');

    CString strSearched = strSource;
    if (!find.m_bCase)
        strSearched.MakeUpper();
    nSelStart = std::clamp(nSelStart, 0, strSource.GetLength());
    CString strResult = strSource.Left(nSelStart);
    int nPos = nSelStart;
    BOOL bReplaced = FALSE;
    for (int nHit = strSearched.Find(strFind, nPos); nHit >= 0; nHit = strSearched.Find(strFind, nPos))
    {
        strResult += strSource.Mid(nPos, nHit - nPos) + strReplace;
        nPos = nHit + strFind.GetLength();
        bReplaced = TRUE;
    }
    if (!bReplaced)
        return FALSE;
    strResult += strSource.Mid(nPos);

    double dValue = 0;
    BOOL bNegative = FALSE;
    if (!format.ParseValue(strResult, dValue, bNegative))
        return FALSE;
    // The number text is stored, as a stored edit stores it.
    const CString strValue = ToNumberText(dValue, bNegative, format.GetDecimalDigits());
    if (bOwn)
        SetValueAndSign(dValue, bNegative, FALSE);
    return m_pGrid->SetValueRange(CGXRange(nRow, nCol), strValue, CGXStyle::modeOverride, GX_UPDATENOW);
}

// ---- the window's messages

BOOL CGXCurrencyEdit::PassToGrid(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    return m_pGrid->ProcessKeys(this, nMessage, static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
}

LRESULT CGXCurrencyEdit::OnWndGetDlgCode(WPARAM wParam, LPARAM lParam)
{
    return OnGetDlgCodeMsg(wParam, lParam) | 0x83;
}

LRESULT CGXCurrencyEdit::OnWndKeyDown(WPARAM wParam, LPARAM lParam)
{
    const UINT nChar = static_cast<UINT>(wParam);
    if (!m_bIsActive || !m_bIsBound)
    {
        PassToGrid(WM_KEYDOWN, wParam, lParam);
        return 0;
    }
    m_pGrid->ScrollCellInView(Row(), Col(), GX_UPDATENOW, FALSE);
    BOOL bToGrid =
        GXIsKeyDown(VK_CONTROL) && nChar != 'C' && nChar != 'V' && nChar != 'X' && nChar != 'Z' && nChar != VK_INSERT;
    switch (nChar)
    {
    case VK_LEFT:
        bToGrid = GetCaretIndex() <= 0;
        break;
    case VK_RIGHT:
        bToGrid = GetCaretIndex() >= GetWindowTextLength();
        break;
    case VK_UP:
    case VK_DOWN:
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_PRIOR:
    case VK_NEXT:
        bToGrid = TRUE;
        break;
    case VK_INSERT:
        if (GXIsKeyDown(VK_SHIFT))
        {
            PasteFromClipboard();
            return 0;
        }
        break;
    case VK_DELETE:
        if (IsReadOnlyCell())
            return 0;
        SetModified(TRUE);
        break;
    case VK_SPACE: {
        double dValue = 0;
        BOOL bNegative = FALSE;
        CString strText;
        GetWindowText(strText);
        if (!IsReadOnlyCell() && GetFormat().ParseValue(strText, dValue, bNegative))
            FlipSign(dValue, bNegative);
        return 0;
    }
    default:
        if (nChar >= VK_F1 && nChar <= VK_F24)
            bToGrid = TRUE;
        break;
    }
    if (bToGrid && PassToGrid(WM_KEYDOWN, wParam, lParam))
        return 0;
    return OnKeyDownMsg(wParam, lParam);
}

LRESULT CGXCurrencyEdit::OnWndChar(WPARAM wParam, LPARAM lParam)
{
    const UINT nChar = static_cast<UINT>(wParam);
    if (!m_bIsBound || IsReadOnlyCell())
        return 0;
    if (nChar == VK_RETURN || nChar == 10)
    {
        PassToGrid(WM_CHAR, wParam, lParam);
        return 0;
    }
    // Space flips the sign on its key already.
    if (nChar == VK_SPACE || !IsValidChar(nChar))
        return 0;
    return OnCharMsg(wParam, lParam);
}

LRESULT CGXCurrencyEdit::OnWndSysKeyDown(WPARAM wParam, LPARAM lParam)
{
    if (PassToGrid(WM_SYSKEYDOWN, wParam, lParam))
        return 0;
    return OnSysKeyDownMsg(wParam, lParam);
}

LRESULT CGXCurrencyEdit::OnWndSysKey(WPARAM wParam, LPARAM lParam)
{
    if (PassToGrid(static_cast<UINT>(GetCurrentMessage()->message), wParam, lParam))
        return 0;
    return Default();
}

LRESULT CGXCurrencyEdit::OnWndKillFocus(WPARAM wParam, LPARAM lParam)
{
    OnKillFocusMsg(wParam, lParam);
    // The popup calculator takes the focus while the cell stays in editing.
    if (!IsOpeningCalculator())
        SetFocusToGridIfNeeded(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)));
    return 0;
}

LRESULT CGXCurrencyEdit::OnWndLButtonDown(WPARAM wParam, LPARAM lParam)
{
    const BOOL bWasVisible = IsWindowVisible();
    const LRESULT lResult = OnLButtonDownMsg(wParam, lParam);
    if (!bWasVisible && m_bIsBound)
    {
        SetActive(TRUE);
        RefreshCell();
    }
    return lResult;
}

LRESULT CGXCurrencyEdit::OnWndSetText(WPARAM wParam, LPARAM lParam)
{
    const BOOL bAmount = m_bParseOnSetText;
    const LRESULT lResult = OnSetTextMsg(wParam, lParam);
    // An amount set into the window from outside is an edit of the cell.
    if (bAmount && lResult && !m_bInitializing && m_bIsBound && m_bIsActive)
    {
        SetModified(TRUE);
        RequestCommit();
    }
    Invalidate(FALSE);
    return lResult;
}

LRESULT CGXCurrencyEdit::OnWndEraseBkgnd(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    return TRUE;
}

LRESULT CGXCurrencyEdit::OnWndContextMenu(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    return 0;
}

LRESULT CGXCurrencyEdit::OnWndCalculatorResult(WPARAM /*wParam*/, LPARAM lParam)
{
    if (lParam == 0 || !m_bIsBound || IsReadOnlyCell())
        return 0;
    // The calculator writes the locale's decimal separator; the cell's format may use that
    // character for thousands.
    CString strResult(reinterpret_cast<LPCTSTR>(lParam));
    const CString strLocale = CGXBCalculator::LocaleDecimalSeparator();
    const TCHAR chDecimal = GetFormat().GetDecimalSeparator();
    if (!strLocale.IsEmpty() && chDecimal != 0)
        strResult.Replace(strLocale, CString(chDecimal));
    if (!SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(strResult))))
        return 0;
    if (!m_bIsActive)
        SetActive(TRUE);
    SetModified(TRUE);
    RequestCommit();
    Invalidate(FALSE);
    return 1;
}
