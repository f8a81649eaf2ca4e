#include <grid/controls/EditControl.h>

#include <grid/controls/ClipboardText.h>
#include <grid/controls/ComposedStyle.h>
#include <grid/controls/EditLock.h>
#include <grid/core/AppData.h>
#include <grid/core/DrawingAndFormatting.h>
#include <grid/core/FindReplaceState.h>
#include <grid/core/GridCore.h>
#include <grid/core/GridParam.h>
#include <grid/core/KeyState.h>
#include <grid/core/Properties.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>
#include <grid/core/UserAttribute.h>

#include <algorithm>
#include <iterator>
#include <memory>

namespace
{
constexpr DWORD baseEditStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL;
constexpr int numberFormats[] = {1, 2, 3, 4, 5, 23, 28};
// The activation bits that activate on a release anywhere in the cell, not only on a character.
constexpr WORD activateAnywhere = GX_ACTIVATEONCLICK | GX_ACTIVATEONCURRENT;

// Set between the start and the end of an input-method composition; a repaint of the active
// cell would tear the composition window.
BOOL s_bImeComposing = FALSE;

UINT AlignmentFromStyle(const CGXStyle& style)
{
    if (!style.GetInclude(CGXStyle::inclHorizontalAlignment))
        return 0;
    switch (style.GetHorizontalAlignment())
    {
    case DT_RIGHT:
        return 2;
    case DT_CENTER:
        return 1;
    default:
        return 0;
    }
}
} // namespace

IMPLEMENT_DYNAMIC(CGXEditControl, CEdit)

const GXControlClass CGXEditControl::ctlClassCGXEditControl = {"CGXEditControl", &CGXStatic::classCGXStatic};

BEGIN_MESSAGE_MAP(CGXEditControl, CEdit)
ON_MESSAGE(WM_GETDLGCODE, OnWndGetDlgCode)
ON_MESSAGE(WM_KEYDOWN, OnWndKeyDown)
ON_MESSAGE(WM_KEYUP, OnWndKeyUp)
ON_MESSAGE(WM_CHAR, OnWndChar)
ON_MESSAGE(WM_SYSKEYDOWN, OnWndSysKey)
ON_MESSAGE(WM_SYSKEYUP, OnWndSysKey)
ON_MESSAGE(WM_SYSCHAR, OnWndSysKey)
ON_MESSAGE(WM_ERASEBKGND, OnWndEraseBkgnd)
ON_MESSAGE(WM_SHOWWINDOW, OnWndShowWindow)
ON_MESSAGE(WM_SETFOCUS, OnWndSetFocus)
ON_MESSAGE(WM_KILLFOCUS, OnWndKillFocus)
ON_MESSAGE(WM_LBUTTONDOWN, OnWndLButtonDown)
ON_MESSAGE(WM_STYLECHANGED, OnWndStyleChanged)
ON_MESSAGE(WM_CONTEXTMENU, OnWndContextMenu)
ON_MESSAGE(WM_IME_STARTCOMPOSITION, OnWndImeStartComposition)
ON_MESSAGE(WM_IME_ENDCOMPOSITION, OnWndImeEndComposition)
END_MESSAGE_MAP()

CGXEditControl::CGXEditControl(CGXGridCore* pGrid, UINT nID)
    : CGXWindowControl(pGrid), m_nID(nID), m_rgbHighlightText(::GetSysColor(COLOR_HIGHLIGHTTEXT))
{
}

CGXEditControl::~CGXEditControl()
{
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

CGXControl* CGXEditControl::Create(CGXGridCore* pGrid)
{
    return new CGXEditControl(pGrid, GX_IDS_CTRL_EDIT);
}

BOOL CGXEditControl::IsImeComposing()
{
    return s_bImeComposing;
}

// ---- window-side operations ----

BOOL CGXEditControl::IsNumberFormat(const CGXStyle* pStyle)
{
    if (pStyle == nullptr || !pStyle->GetInclude(CGXStyle::inclFormat))
        return FALSE;
    const int nFormat = pStyle->GetFormat();
    return std::find(std::begin(numberFormats), std::end(numberFormats), nFormat) != std::end(numberFormats);
}

BOOL CGXEditControl::GetNumberFromText(CString& strText, const CGXStyle& style, double* pValue)
{
    double dValue = 0;
    if (!IsNumberFormat(&style) || !DrawingAndFormattingInstance()->ParseNumber(strText, dValue, nullptr, nullptr))
        return FALSE;
    strText.Format(_T("%.14g"), dValue);
    const TCHAR chDecimal = GXGetAppDataPtr()->m_szDecimalSeparator[0];
    if (chDecimal != _T('.'))
        strText.Replace(chDecimal, _T('.'));
    if (pValue != nullptr)
        *pValue = dValue;
    return TRUE;
}

BOOL CGXEditControl::PrepareNumberText(CString& strText, const CGXStyle& style)
{
    if (!IsNumberFormat(&style))
        return FALSE;
    const TCHAR chDecimal = GXGetAppDataPtr()->m_szDecimalSeparator[0];
    const int nDot = strText.Find(_T('.'));
    if (chDecimal != _T('.') && nDot >= 0)
        strText.SetAt(nDot, chDecimal);
    return TRUE;
}

BOOL CGXEditControl::CreateControl(DWORD dwStyle, const RECT* pRect)
{
    const CRect rect = pRect != nullptr ? CRect(*pRect) : CRect();
    if (!CreateEx(m_bRTLReading ? WS_EX_RTLREADING : 0, _T("GXEDIT"), nullptr, dwStyle | WS_CHILD, rect, GetGridWnd(),
                  m_nID))
        return FALSE;
    SetLimitText(m_nMaxLength);
    return TRUE;
}

DWORD CGXEditControl::CalcEditStyle(CRect* pRect, const int* pLineHeight)
{
    UINT nAlign = m_bForceLeft ? 0 : m_nAlign;
    CString strText;
    GetWindowText(strText);
    int nTextWidth = 0;
    {
        CClientDC dc(this);
        CFont* pOldFont = dc.SelectObject(GetFont());
        TEXTMETRIC tm;
        dc.GetTextMetrics(&tm);
        m_nLineHeight = tm.tmHeight + tm.tmExternalLeading;
        m_nMaxCharWidth = tm.tmMaxCharWidth;
        nTextWidth = dc.GetTextExtent(strText).cx;
        if (pOldFont != nullptr)
            dc.SelectObject(pOldFont);
    }
    const int nLineHeight = pLineHeight != nullptr ? *pLineHeight : m_nLineHeight;
    CRect rectClient;
    GetClientRect(rectClient);
    DWORD dwStyle = baseEditStyle;
    if (m_bAllowEnter)
        dwStyle |= ES_WANTRETURN;
    BOOL bOneLine = !m_bWrapText;
    if (m_bWrapText)
    {
        if (m_bVertScrollBar)
            dwStyle |= WS_VSCROLL;
        else
            bOneLine = rectClient.Height() - nLineHeight / 3 <= nLineHeight;
    }
    if (bOneLine)
    {
        dwStyle |= ES_AUTOHSCROLL;
        if (nTextWidth > rectClient.Width() - m_nMaxCharWidth)
            nAlign = 0;
    }
    if (pRect != nullptr)
    {
        *pRect = rectClient;
        pRect->bottom = std::max(pRect->bottom, static_cast<LONG>(nLineHeight + 1));
    }
    return dwStyle | (nAlign == 1 ? ES_CENTER : nAlign == 2 ? ES_RIGHT : 0);
}

void CGXEditControl::GetSelection(int& nStart, int& nEnd) const
{
    DWORD dwStart = 0;
    DWORD dwEnd = 0;
    ::SendMessage(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart), reinterpret_cast<LPARAM>(&dwEnd));
    nStart = static_cast<int>(dwStart);
    nEnd = static_cast<int>(dwEnd);
}

CString CGXEditControl::TextWithSelectionReplaced(const CString& strInsert) const
{
    CString strText;
    GetWindowText(strText);
    int nStart = 0;
    int nEnd = 0;
    GetSelection(nStart, nEnd);
    return strText.Left(nStart) + strInsert + strText.Mid(nEnd);
}

BOOL CGXEditControl::RefreshLayout()
{
    if (m_bBusy || GetSafeHwnd() == nullptr)
        return FALSE;
    CRect rectFormat;
    const DWORD dwStyle = CalcEditStyle(&rectFormat, &m_nLineHeight);
    const BOOL bRtl = (GetExStyle() & WS_EX_RTLREADING) != 0;
    const BOOL bChanged = dwStyle != m_dwEditStyle || bRtl != (m_bRTLReading != 0);
    int nCaretLine = 0;
    if (!bChanged)
    {
        nCaretLine = LineFromChar(-1);
        SetRectNP(rectFormat);
    }
    else
    {
        m_bBusy = TRUE;
        const BOOL bModified = GetModify();
        const BOOL bReadOnly = (GetStyle() & ES_READONLY) != 0;
        CRect rectWnd;
        GetWindowRect(rectWnd);
        GetGridWnd()->ScreenToClient(rectWnd);
        CString strText;
        GetWindowText(strText);
        CFont* pFont = GetFont();
        HFONT hFont = pFont != nullptr ? static_cast<HFONT>(pFont->GetSafeHandle()) : nullptr;
        int nStart = 0;
        int nEnd = 0;
        GetSelection(nStart, nEnd);
        ::HideCaret(m_hWnd);
        MoveWindow(0, 0, 0, 0, FALSE);
        const auto lock = ScopedGridFocusLock();
        DestroyWindow();
        m_dwEditStyle = dwStyle;
        CreateControl(dwStyle, &rectWnd);
        SetRect(rectFormat);
        if (hFont != nullptr)
            SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(hFont), TRUE);
        SetWindowText(strText);
        SetSel(nStart, nEnd);
        SetModify(bModified);
        SetReadOnly(bReadOnly);
        m_bBusy = FALSE;
        nCaretLine = LineFromChar(nEnd);
        ::HideCaret(m_hWnd);
        UpdateWindow();
        ::ShowCaret(m_hWnd);
        SendMessage(EM_SCROLLCARET);
        SetFocus();
    }
    // The caret line into view.
    const int nFirst = GetFirstVisibleLine();
    const int nLast = m_nLineHeight > 0 ? std::max(nFirst, nFirst + rectFormat.Height() / m_nLineHeight) : nFirst;
    if (nCaretLine > nLast || nCaretLine < nFirst)
    {
        ::HideCaret(m_hWnd);
        LineScroll(nCaretLine > nLast ? nCaretLine - nLast : nCaretLine - nFirst);
        SendMessage(EM_SCROLLCARET);
        UpdateWindow();
        ::ShowCaret(m_hWnd);
    }
    else
        SendMessage(EM_SCROLLCARET);
    return bChanged;
}

void CGXEditControl::ReEvaluateFloat()
{
    if (m_bIsBound)
        m_pGrid->EvalFloatCell(static_cast<ROWCOL>(m_nRow), static_cast<ROWCOL>(m_nCol), nullptr, TRUE, TRUE);
}

// ---- control operations ----

const GXControlClass* CGXEditControl::GetControlClass() const
{
    return &ctlClassCGXEditControl;
}

void CGXEditControl::SetActive(BOOL bActive)
{
    const BOOL bWindow = GetSafeHwnd() != nullptr;
    if (SetWindowControlActive(m_bIsActive, bActive, bWindow, FALSE))
        RefreshLayout();
    if (bWindow)
        ReEvaluateFloat();
}

void CGXEditControl::SetModified(BOOL bModified)
{
    if (GetSafeHwnd() != nullptr)
        SetModify(bModified);
}

BOOL CGXEditControl::IsModified()
{
    return GetSafeHwnd() != nullptr && GetModify();
}

void CGXEditControl::Init(ROWCOL nRow, ROWCOL nCol)
{
    s_bImeComposing = FALSE;
    CGXControl::Init(nRow, nCol);
    if (GetSafeHwnd() == nullptr)
        CreateControl(0, nullptr);
    const CGXStyle* pStyle = LoadStyle();
    CString strValue = m_pGrid->GetValueRowCol(nRow, nCol);
    PrepareNumberText(strValue, *pStyle);
    m_bAutoSize = pStyle->GetInclude(CGXStyle::inclAutoSize) && pStyle->GetAutoSize();
    SetValue(strValue);
    if (GetSafeHwnd() != nullptr)
    {
        SetSel(0, -1);
        if (m_bIsActive)
            LineScroll(0, 255);
    }
    SetModified(FALSE);
}

BOOL CGXEditControl::StoreEditedValue()
{
    CString strText;
    if (m_pStyle == nullptr || !IsModified() || !GetStyleValue(strText))
        return TRUE;
    SetActive(FALSE);
    // The style the text was edited with outlives the cache.
    const std::unique_ptr<CGXStyle> pStyle(m_pStyle);
    m_pStyle = nullptr;
    FreeStyle(TRUE);
    return StoreNumberOrText(static_cast<ROWCOL>(m_nRow), static_cast<ROWCOL>(m_nCol), strText, *pStyle, GX_INVALIDATE);
}

BOOL CGXEditControl::StoreNumberOrText(ROWCOL nRow, ROWCOL nCol, const CString& strText, const CGXStyle& style,
                                       UINT nTextFlags)
{
    const CGXRange range(nRow, nCol);
    CString strNumber = strText;
    if (GetNumberFromText(strNumber, style, nullptr))
    {
        CGXStyle number;
        number.SetValue(strNumber).SetValueType(CGXStyle::valueNumber);
        return m_pGrid->SetStyleRangeShort(range, number, CGXStyle::modeOverride, 0, GX_UPDATENOW);
    }
    return m_pGrid->SetValueRange(range, strText, CGXStyle::modeOverride, nTextFlags);
}

BOOL CGXEditControl::ForwardHookA()
{
    if (!CGXStatic::ForwardHookA())
        return FALSE;
    ReEvaluateFloat();
    return TRUE;
}

BOOL CGXEditControl::CanFloatCell(ROWCOL /*nRow*/, ROWCOL /*nCol*/, const CGXStyle& style, BOOL bFloatOrFlood)
{
    return bFloatOrFlood ? !style.GetValue().IsEmpty() : style.GetValue().IsEmpty();
}

void CGXEditControl::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                          const CGXStyle* pStandardStyle)
{
    if (!IsActiveAt(nRow, nCol) || !m_bIsActive || m_pGrid->IsPrinting() || GetSafeHwnd() == nullptr)
    {
        CGXStatic::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
        return;
    }
    if (s_bImeComposing)
        return;
    const CGXStyle& cached = *LoadStyle();
    CRect rectText;
    if (m_bFloatChanged && IsWindowVisible())
    {
        GetCellClientRect(rectText, nRow, nCol, &rect, &cached);
        MoveWindow(rectText, TRUE);
        DrawBackground(pDC, rect, cached, TRUE);
        AddRectToGridList(rectText);
        CGXControl::Draw(pDC, rect, nRow, nCol, cached, pStandardStyle);
        m_bFloatChanged = FALSE;
        return;
    }
    HideControl();
    const CGXProperties* pProperties = m_pGrid->GetProperties();
    m_rgbInterior = pProperties != nullptr && pProperties->IsBlackWhiteOutput() ? RGB(255, 255, 255)
                                                                                : cached.GetInterior().GetColor();
    const TEXTMETRIC tm = CreateCellFont(m_font, pDC, cached);
    m_nLineHeight = tm.tmHeight + tm.tmExternalLeading;
    m_nMaxCharWidth = tm.tmMaxCharWidth;
    GetCellClientRect(rectText, nRow, nCol, &rect, &cached);
    const int nVAlign = cached.GetInclude(CGXStyle::inclVerticalAlignment) ? cached.GetVerticalAlignment() : 0;
    const int nHAlign = cached.GetInclude(CGXStyle::inclHorizontalAlignment) ? cached.GetHorizontalAlignment() : 0;
    FitSingleLine(rectText, cached, m_nLineHeight);
    if ((nHAlign & DT_RIGHT) != 0 || (nVAlign & DT_RIGHT) != 0)
        ++rectText.right;
    DrawBackground(pDC, rect, cached, TRUE);
    SetFont(&m_font, TRUE);
    MoveWindow(rectText, FALSE);
    m_nAlign = AlignmentFromStyle(cached);
    if (cached.GetInclude(CGXStyle::inclVerticalScrollbar))
        m_bVertScrollBar = cached.GetVerticalScrollbar();
    if (cached.GetInclude(CGXStyle::inclAutoSize))
        m_bAutoSize = cached.GetAutoSize();
    m_bAllowEnter = cached.GetInclude(CGXStyle::inclAllowEnter) && cached.GetAllowEnter();
    m_bWrapText = cached.GetInclude(CGXStyle::inclWrapText) && cached.GetWrapText();
    m_bRTLReading = _ttoi(cached.GetUserAttribute(GX_IDS_UA_RTL_READING).GetValue());
    SetActive(TRUE);
    TakeFocusFromGrid(this);
    m_nMaxLength = cached.GetInclude(CGXStyle::inclMaxLength) ? cached.GetMaxLength() : 0;
    SetLimitText(m_nMaxLength);
    ShowWindow(SW_SHOW);
    SetReadOnly(IsReadOnlyCell());
    RefreshLayout();
    // A cell scrolled partly out above or left of the scrolling area shows only its visible part.
    const BOOL bRowAbove = nRow > m_pGrid->GetFrozenRows() && m_pGrid->GetTopRow() > nRow;
    const BOOL bColLeft = nCol > m_pGrid->GetFrozenCols() && m_pGrid->GetLeftCol() > nCol;
    CRect rectClip;
    if ((bRowAbove || bColLeft) && pDC->GetClipBox(rectClip) != ERROR)
    {
        RepaintClipBoxOnly(this, rect, rectClip);
        ::HideCaret(m_hWnd);
    }
    UpdateWindow();
    CGXControl::Draw(pDC, rect, nRow, nCol, cached, pStandardStyle);
    AddRectToGridList(rectText);
}

void CGXEditControl::GetCurrentText(CString& strText)
{
    strText.Empty();
    if (m_bIsActive)
        GetWindowText(strText);
    else if (m_bIsBound)
        FormatDisplayText(strText, static_cast<ROWCOL>(m_nRow), static_cast<ROWCOL>(m_nCol), nullptr, *LoadStyle());
}

BOOL CGXEditControl::GetStyleValue(CString& strText)
{
    if (!m_bIsBound)
        return FALSE;
    GetCurrentText(strText);
    return TRUE;
}

void CGXEditControl::GetCopyText(CString& strText)
{
    GetCurrentText(strText);
    if (!m_bIsActive)
        return;
    int nStart = 0;
    int nEnd = 0;
    GetSelection(nStart, nEnd);
    if (nStart != nEnd)
        strText = strText.Mid(nStart, nEnd - nStart);
}

BOOL CGXEditControl::StoreText(const CString& strText)
{
    if (!m_bIsBound || GetSafeHwnd() == nullptr)
        return FALSE;
    if (!m_bIsActive)
        SetActive(TRUE);
    const BOOL bAccepted = AcceptText(strText);
    if (bAccepted)
    {
        SetWindowText(strText);
        SetModified(TRUE);
        RequestCommit();
    }
    ReEvaluateFloat();
    return bAccepted;
}

void CGXEditControl::SetValue(LPCTSTR pszText)
{
    if (GetSafeHwnd() == nullptr)
        return;
    const ROWCOL nRow = static_cast<ROWCOL>(m_nRow);
    const ROWCOL nCol = static_cast<ROWCOL>(m_nCol);
    CString strText;
    const CGXGridParam* pParam = m_pGrid->GetParam();
    if (pParam != nullptr && (pParam->m_wValueDisplay & 0x1) != 0)
        strText = pszText != nullptr ? CString(pszText) : m_pGrid->GetValueRowCol(nRow, nCol);
    else
        FormatDisplayText(strText, nRow, nCol, pszText, *LoadStyle());
    SetWindowText(strText);
    if (m_bIsActive)
    {
        ReEvaluateFloat();
        m_pGrid->RedrawRange(CGXRange(nRow, nCol, m_pGrid->GetRowCount(), m_pGrid->GetColCount()), GX_INVALIDATE,
                             FALSE);
    }
}

BOOL CGXEditControl::StoreValue(ROWCOL nRow, ROWCOL nCol, const CString& strText, const CGXStyle* pStyle)
{
    std::unique_ptr<ComposedStyle> composed;
    pStyle = GXStyleOrComposed(m_pGrid, nRow, nCol, pStyle, composed);
    // A refused text stores nothing and leaves the editor as it is: the caller hears FALSE.
    CString strValue(strText);
    if (!CanStoreValue(nRow, nCol, strValue, pStyle) || IsLockedReadOnly(pStyle))
        return FALSE;
    const int nMaxLength = pStyle->GetInclude(CGXStyle::inclMaxLength) ? pStyle->GetMaxLength() : 0;
    if (nMaxLength > 0 && strValue.GetLength() > nMaxLength)
        return m_pGrid->SetValueRange(CGXRange(nRow, nCol), strValue.Left(nMaxLength), CGXStyle::modeOverride,
                                      GX_UPDATENOW);
    return StoreNumberOrText(nRow, nCol, strValue, *pStyle, GX_UPDATENOW);
}

void CGXEditControl::HideControl()
{
    if (GetSafeHwnd() == nullptr || !IsWindowVisible())
        return;
    LockGridFocus(TRUE);
    ::HideCaret(m_hWnd);
    MoveWindow(0, 0, 0, 0, FALSE);
    ShowWindow(SW_HIDE);
    LockGridFocus(FALSE);
}

void CGXEditControl::SetCellText(const CString& strText)
{
    if (!m_bIsActive)
    {
        CGXStatic::SetCellText(strText);
        return;
    }
    if (IsReadOnlyCell())
        return;
    SetModified(TRUE);
    ReplaceSel(strText, TRUE);
}

BOOL CGXEditControl::AcceptPasteText(LPCTSTR pszText)
{
    return AcceptText(TextWithSelectionReplaced(pszText));
}

// ---- keys ----

BOOL CGXEditControl::OnKeyDown(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    return ProcessEditKey(
        nChar,
        [this](BOOL bEnd) {
            const int nCaret = bEnd ? GetWindowTextLength() : 0;
            SetSel(nCaret, nCaret);
            RefreshLayout();
        },
        [this] {
            SetModified(TRUE);
            StoreText(CString());
            RefreshLayout();
        });
}

BOOL CGXEditControl::OnChar(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    if (GetSafeHwnd() == nullptr || nChar < 32 || nChar == 127)
        return FALSE;
    return OnCharText(CString(static_cast<TCHAR>(nChar)));
}

BOOL CGXEditControl::OnCharText(const CString& strText)
{
    if (IsReadOnlyCell())
        return FALSE;
    if (m_bIsActive)
    {
        if (AcceptText(TextWithSelectionReplaced(strText)))
        {
            int nStart = 0;
            int nEnd = 0;
            GetSelection(nStart, nEnd);
            m_bReplacing = TRUE;
            ReplaceSel(strText, TRUE);
            m_bReplacing = FALSE;
            SetSel(nStart + strText.GetLength(), nStart + strText.GetLength());
        }
        return TRUE;
    }
    if (!AcceptText(strText) || !RequestEditing())
        return FALSE;
    SetActive(TRUE);
    StoreText(strText);
    SetSel(GetWindowTextLength(), GetWindowTextLength());
    RefreshCell();
    return TRUE;
}

BOOL CGXEditControl::ProcessChar(UINT nChar, UINT nRepCnt, UINT /*nFlags*/)
{
    if (!m_bIsBound || !m_bIsActive)
    {
        m_strPending.Empty();
        return FALSE;
    }
    const BOOL bCtrl = GXIsKeyDown(VK_CONTROL);
    if (IsReadOnlyCell() || (GetStyle() & ES_READONLY) != 0)
    {
        if (!(bCtrl && nChar == GX_CTRL_C))
        {
            m_strPending.Empty();
            return FALSE;
        }
    }
    if (nChar != VK_BACK && nRepCnt == 0 && ::GetSystemMetrics(SM_PENWINDOWS) == 0)
        return FALSE;
    m_pGrid->ScrollCellInView(static_cast<ROWCOL>(m_nRow), static_cast<ROWCOL>(m_nCol), GX_UPDATENOW, FALSE);
    if (!m_bReplacing)
        m_strPending.Empty();
    if (bCtrl)
    {
        if (ProcessClipboardChar(nChar, FALSE))
            return FALSE;
        switch (nChar)
        {
        case 13:
        case 10:
            if ((GetStyle() & ES_WANTRETURN) != 0 && LoadStyle()->GetInclude(CGXStyle::inclWrapText) &&
                m_pStyle->GetWrapText())
                m_strPending = _T("\r\n");
            else
                m_strPending.Empty();
            return FALSE;
        default:
            return TRUE;
        }
    }
    if (nChar < 32)
        return m_strPending.IsEmpty();
    m_strPending = CString(static_cast<TCHAR>(nChar));
    const CString strResult = TextWithSelectionReplaced(m_strPending);
    if (static_cast<UINT>(strResult.GetLength()) > GetLimitText())
        m_strPending.Empty();
    else if (!AcceptText(strResult))
    {
        ReservedHookE(nChar);
        m_strPending.Empty();
    }
    return FALSE;
}

BOOL CGXEditControl::PassToGrid(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    return m_pGrid->ProcessKeys(this, nMessage, static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
}

LRESULT CGXEditControl::OnWndGetDlgCode(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    return Default() | DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
}

LRESULT CGXEditControl::OnWndKeyDown(WPARAM wParam, LPARAM lParam)
{
    const UINT nChar = static_cast<UINT>(wParam);
    if (!m_bIsActive)
    {
        PassToGrid(WM_KEYDOWN, wParam, lParam);
        return 0;
    }
    if (nChar == VK_CONTROL || nChar == VK_SHIFT)
        return Default();
    m_pGrid->ScrollCellInView(static_cast<ROWCOL>(m_nRow), static_cast<ROWCOL>(m_nCol), GX_UPDATENOW, FALSE);
    BOOL bToGrid = GXIsKeyDown(VK_CONTROL);
    if (!bToGrid)
    {
        int nStart = 0;
        int nEnd = 0;
        GetSelection(nStart, nEnd);
        const BOOL bRtl = (GetExStyle() & WS_EX_RTLREADING) != 0;
        const UINT nKey = bRtl && nChar == VK_LEFT ? VK_RIGHT : bRtl && nChar == VK_RIGHT ? VK_LEFT : nChar;
        switch (nKey)
        {
        case VK_UP:
            bToGrid = LineFromChar(nStart) <= 0;
            break;
        case VK_DOWN:
            bToGrid = LineFromChar(nEnd) + 1 >= GetLineCount();
            break;
        case VK_LEFT:
            bToGrid = nEnd <= 0;
            break;
        case VK_RIGHT:
            bToGrid = nStart >= GetWindowTextLength();
            break;
        case VK_RETURN:
            bToGrid = (GetStyle() & ES_WANTRETURN) == 0;
            break;
        case VK_TAB:
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
            if (GXIsKeyDown(VK_SHIFT) && nStart != nEnd)
            {
                CGXClipboardText::Clear(this);
                CutToClipboard();
                return 0;
            }
            break;
        default:
            bToGrid = nKey >= VK_F1 && nKey <= VK_F24;
            break;
        }
    }
    if (!bToGrid || !PassToGrid(WM_KEYDOWN, wParam, lParam))
        return Default();
    return 0;
}

LRESULT CGXEditControl::OnWndKeyUp(WPARAM wParam, LPARAM lParam)
{
    if (PassToGrid(WM_KEYUP, wParam, lParam))
        return 0;
    const LRESULT lResult = Default();
    switch (wParam)
    {
    case VK_SHIFT:
    case VK_HOME:
    case VK_END:
    case VK_UP:
    case VK_DOWN:
        break;
    default:
        RefreshLayout();
        break;
    }
    return lResult;
}

LRESULT CGXEditControl::OnWndChar(WPARAM wParam, LPARAM lParam)
{
    m_bFloatChanged = FALSE;
    if (ProcessChar(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)))
    {
        Default();
        PassToGrid(WM_CHAR, wParam, lParam);
    }
    else if (!m_strPending.IsEmpty())
    {
        int nStart = 0;
        int nEnd = 0;
        GetSelection(nStart, nEnd);
        const int nCaret = nStart + m_strPending.GetLength();
        m_bReplacing = TRUE;
        ReplaceSel(m_strPending, TRUE);
        m_bReplacing = FALSE;
        m_strPending.Empty();
        SetModified(TRUE);
        if (m_bFloatChanged)
        {
            SetSel(0, 0);
            GetGridWnd()->UpdateWindow();
        }
        SetSel(nCaret, nCaret);
    }
    m_bFloatChanged = FALSE;
    return 0;
}

LRESULT CGXEditControl::OnWndSysKey(WPARAM wParam, LPARAM lParam)
{
    const UINT nMessage = static_cast<UINT>(GetCurrentMessage()->message);
    if (PassToGrid(nMessage, wParam, lParam))
        return 0;
    return Default();
}

// ---- other window messages ----

LRESULT CGXEditControl::OnWndEraseBkgnd(WPARAM wParam, LPARAM /*lParam*/)
{
    EraseControlWindow(this, reinterpret_cast<HDC>(wParam));
    return TRUE;
}

LRESULT CGXEditControl::OnWndShowWindow(WPARAM wParam, LPARAM /*lParam*/)
{
    const LRESULT lResult = Default();
    if (wParam)
        RefreshLayout();
    return lResult;
}

LRESULT CGXEditControl::OnWndSetFocus(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    const LRESULT lResult = Default();
    RefreshLayout();
    return lResult;
}

LRESULT CGXEditControl::OnWndKillFocus(WPARAM wParam, LPARAM /*lParam*/)
{
    const LRESULT lResult = Default();
    SetFocusToGridIfNeeded(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)));
    return lResult;
}

LRESULT CGXEditControl::OnWndLButtonDown(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    int nOldStart = 0;
    int nOldEnd = 0;
    GetSelection(nOldStart, nOldEnd);
    const BOOL bWasVisible = IsWindowVisible();
    const LRESULT lResult = Default();
    if (!bWasVisible)
    {
        SetActive(TRUE);
        RefreshCell();
    }
    int nStart = 0;
    int nEnd = 0;
    GetSelection(nStart, nEnd);
    // A click into the selected text starts dragging it.
    if (nOldStart != nOldEnd && nStart == nEnd && nStart >= nOldStart && nStart <= nOldEnd)
    {
        SetSel(nOldStart, nOldEnd);
        const ROWCOL nRow = static_cast<ROWCOL>(m_nRow);
        const ROWCOL nCol = static_cast<ROWCOL>(m_nCol);
        m_pGrid->StartDragText(nRow, nCol);
        if (m_bIsBound && m_bIsActive && m_pGrid->IsCurrentCell(nRow, nCol))
            SetSel(nStart, nStart);
    }
    return lResult;
}

LRESULT CGXEditControl::OnWndStyleChanged(WPARAM wParam, LPARAM lParam)
{
    const LRESULT lResult = Default();
    if (!m_bIsActive || !m_bIsBound)
        return lResult;
    const auto* pStyles = reinterpret_cast<const STYLESTRUCT*>(lParam);
    CGXStyle changed;
    BOOL bChanged = FALSE;
    if (wParam == static_cast<WPARAM>(GWL_STYLE))
    {
        constexpr DWORD alignBits = ES_CENTER | ES_RIGHT;
        if ((pStyles->styleNew & ES_RIGHT) != 0 && (pStyles->styleOld & ES_RIGHT) == 0)
        {
            changed.SetHorizontalAlignment(DT_RIGHT);
            bChanged = TRUE;
        }
        else if ((pStyles->styleOld & alignBits) != 0 && (pStyles->styleNew & alignBits) == 0)
        {
            changed.SetHorizontalAlignment(DT_LEFT);
            bChanged = TRUE;
        }
    }
    else if (wParam == static_cast<WPARAM>(GWL_EXSTYLE))
    {
        const BOOL bOld = (pStyles->styleOld & WS_EX_RTLREADING) != 0;
        const BOOL bNew = (pStyles->styleNew & WS_EX_RTLREADING) != 0;
        if (bOld != bNew)
        {
            changed.SetUserAttribute(GX_IDS_UA_RTL_READING, bNew ? _T("1") : _T("0"));
            bChanged = TRUE;
        }
    }
    if (bChanged)
        RebindToCell(static_cast<ROWCOL>(m_nRow), static_cast<ROWCOL>(m_nCol), &changed, CGXStyle::modeOverride, 0);
    return lResult;
}

LRESULT CGXEditControl::OnWndContextMenu(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    return 0;
}

LRESULT CGXEditControl::OnWndImeStartComposition(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    s_bImeComposing = TRUE;
    return Default();
}

LRESULT CGXEditControl::OnWndImeEndComposition(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    s_bImeComposing = FALSE;
    return Default();
}

// ---- mouse ----

int CGXEditControl::HitTestCellText(CPoint point)
{
    const ROWCOL nRow = static_cast<ROWCOL>(m_nRow);
    const ROWCOL nCol = static_cast<ROWCOL>(m_nCol);
    const CGXStyle& style = *LoadStyle();
    CString strText;
    GetCurrentText(strText);
    if (strText.IsEmpty())
        return -1;
    CRect rect;
    GetCellClientRect(rect, nRow, nCol, nullptr, &style);
    UINT nFormat = style.GetInclude(CGXStyle::inclWrapText) && style.GetWrapText() ? DT_WORDBREAK : DT_SINGLELINE;
    if (style.GetInclude(CGXStyle::inclHorizontalAlignment))
        nFormat |= static_cast<UINT>(style.GetHorizontalAlignment());
    if (style.GetInclude(CGXStyle::inclVerticalAlignment))
        nFormat |= static_cast<UINT>(style.GetVerticalAlignment());
    CClientDC dc(GetGridWnd());
    CFont* pOldFont = dc.SelectObject(m_pGrid->LoadFont(&dc, style, nullptr));
    const int nChar =
        DrawingAndFormattingInstance()->HitTestText(&dc, strText, strText.GetLength(), rect, nFormat, point.x, point.y);
    if (pOldFont != nullptr)
        dc.SelectObject(pOldFont);
    return nChar;
}

void CGXEditControl::ActivateAtCharacter(int nChar)
{
    if (!m_bIsActive)
        SetActive(TRUE);
    if (nChar >= 0)
        SetSel(nChar, nChar);
    else
        SetSel(0, -1);
}

BOOL CGXEditControl::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (GetSafeHwnd() != nullptr && m_bIsBound)
    {
        const int nChar = HitTestCellText(point);
        const CGXGridParam* pParam = m_pGrid->GetParam();
        const WORD wActivate = pParam != nullptr ? pParam->m_wActivateCell : 0;
        const BOOL bWanted =
            (nChar >= 0 && (wActivate & GX_ACTIVATEONTEXT) != 0) || (wActivate & activateAnywhere) != 0;
        if (bWanted && (m_bIsActive || RequestEditing()))
            ActivateAtCharacter(nChar);
        if (m_bIsActive && ::GetFocus() != m_hWnd)
            RefreshCell();
    }
    CGXStatic::OnLButtonUp(nFlags, point);
    return TRUE;
}

BOOL CGXEditControl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    const CGXGridParam* pParam = m_pGrid->GetParam();
    if (!m_bIsActive && GetSafeHwnd() != nullptr && m_bIsBound && pParam != nullptr &&
        (pParam->m_wActivateCell & GX_ACTIVATEONDBLCLK) != 0)
    {
        const int nChar = HitTestCellText(point);
        if (RequestEditing())
        {
            ActivateAtCharacter(nChar);
            RefreshCell();
        }
    }
    CGXStatic::OnLButtonDblClk(nFlags, point);
    return TRUE;
}

// ---- notifications of the window ----

BOOL CGXEditControl::OnGridCommand(WORD wCommand, HWND hWnd)
{
    if (!m_bIsActive || hWnd != m_hWnd || GetSafeHwnd() == nullptr)
        return FALSE;
    if (wCommand != EN_CHANGE)
        return FALSE;
    RequestCommit();
    const ROWCOL nRow = static_cast<ROWCOL>(m_nRow);
    const ROWCOL nCol = static_cast<ROWCOL>(m_nCol);
    if (m_pGrid->EvalFloatCell(nRow, nCol, nullptr, TRUE, TRUE))
        m_bFloatChanged = TRUE;
    else if (m_bAutoSize)
    {
        CGXRange range(nRow, nCol);
        m_pGrid->GetCellRangeRowCol(nRow, nCol, range);
        if (m_bWrapText)
            m_pGrid->ResizeRowHeightsToFit(range, TRUE, GX_INVALIDATE);
        else
            m_pGrid->ResizeColWidthsToFit(range, TRUE, GX_INVALIDATE);
        LineScroll(0, 255);
    }
    return TRUE;
}

// ---- find and replace ----

int CGXEditControl::FindIn(const GX_FR_STATE& find, const CString& strSource, int nFrom)
{
    if (find.m_bCase)
        return strSource.Find(find.m_strFind, nFrom);
    CString strUpper = strSource;
    strUpper.MakeUpper();
    return strUpper.Find(find.m_strFindUpper, nFrom);
}

int CGXEditControl::ReplaceAllIn(const GX_FR_STATE& find, const CString& strSource, int nFrom, CString& strResult)
{
    const CString& strSearch = find.m_bCase ? find.m_strFind : find.m_strFindUpper;
    strResult = strSource.Left(nFrom);
    if (strSearch.IsEmpty())
        return 0;
    // The result grows as it needs; replaced text is never searched again.
    int nReplaced = 0;
    for (int nFound = FindIn(find, strSource, nFrom); nFound >= 0; nFound = FindIn(find, strSource, nFrom))
    {
        strResult += strSource.Mid(nFrom, nFound - nFrom);
        strResult += find.m_strReplace;
        nFrom = nFound + strSearch.GetLength();
        ++nReplaced;
    }
    strResult += strSource.Mid(nFrom);
    return nReplaced;
}

CString CGXEditControl::CellTextForFind(const GX_FR_STATE& find, ROWCOL nRow, ROWCOL nCol)
{
    CString strText;
    if (find.m_pStyle != nullptr)
        FormatDisplayText(strText, nRow, nCol, nullptr, *find.m_pStyle);
    else
    {
        const ComposedStyle composed(m_pGrid, nRow, nCol);
        FormatDisplayText(strText, nRow, nCol, nullptr, *composed.m_pStyle);
    }
    return strText;
}

BOOL CGXEditControl::ForwardFeatureA(GX_FR_STATE& find, ROWCOL nRow, ROWCOL nCol, BOOL bFromCurrent, BOOL bSelect)
{
    const CString& strSearch = find.m_bCase ? find.m_strFind : find.m_strFindUpper;
    if (strSearch.IsEmpty())
        return FALSE;
    if (m_bIsActive && IsActiveAt(nRow, nCol) && GetSafeHwnd() != nullptr)
    {
        CString strText;
        GetWindowText(strText);
        int nStart = 0;
        int nEnd = 0;
        GetSelection(nStart, nEnd);
        const int nFound = FindIn(find, strText, bFromCurrent ? nStart : nStart + 1);
        if (nFound < 0)
            return FALSE;
        if (bSelect)
        {
            m_pGrid->ScrollCellInView(nRow, nCol, GX_UPDATENOW, FALSE);
            SetSel(nFound, nFound + strSearch.GetLength());
        }
        return TRUE;
    }
    // An inactive current cell is left to the search that starts next to it.
    if ((!bFromCurrent && m_pGrid->IsCurrentCell(nRow, nCol)) || FindIn(find, CellTextForFind(find, nRow, nCol), 0) < 0)
        return FALSE;
    if (bSelect)
    {
        m_pGrid->ScrollCellInView(nRow, nCol, GX_UPDATENOW, FALSE);
        m_pGrid->SetCurrentCell(nRow, nCol, GX_FOUNDCELL);
        SetActive(TRUE);
        ForwardFeatureA(find, nRow, nCol, TRUE, TRUE);
        RefreshCell();
    }
    return TRUE;
}

BOOL CGXEditControl::ForwardFeatureB(GX_FR_STATE& find, ROWCOL nRow, ROWCOL nCol)
{
    const CString& strSearch = find.m_bCase ? find.m_strFind : find.m_strFindUpper;
    if (strSearch.IsEmpty())
        return FALSE;
    CString strSource;
    int nFrom = 0;
    const CGXStyle* pStyle = find.m_pStyle;
    std::unique_ptr<ComposedStyle> composed;
    if (m_bIsActive && IsActiveAt(nRow, nCol) && GetSafeHwnd() != nullptr)
    {
        GetWindowText(strSource);
        int nEnd = 0;
        GetSelection(nFrom, nEnd);
        pStyle = LoadStyle();
    }
    else if (pStyle != nullptr)
        FormatDisplayText(strSource, nRow, nCol, nullptr, *pStyle);
    else
    {
        composed = std::make_unique<ComposedStyle>(m_pGrid, nRow, nCol);
        pStyle = composed->m_pStyle;
        FormatDisplayText(strSource, nRow, nCol, nullptr, *pStyle);
    }
    CString strResult;
    if (ReplaceAllIn(find, strSource, nFrom, strResult) == 0)
        return FALSE;
    return m_pGrid->SetControlTextRowCol(nRow, nCol, strResult, GX_UPDATENOW, pStyle);
}
