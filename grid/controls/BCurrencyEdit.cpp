// The currency edit window: the amount and its text, typing, undo, clipboard, context menu,
// mouse selection, painting and the popup calculator.
#include <grid/controls/BCurrencyEdit.h>

#include <grid/controls/BCalculator.h>
#include <grid/controls/ClipboardText.h>
#include <grid/core/KeyState.h>
#include <grid/core/SysData.h>
#include <toolkit/foundation/ScopedValue.h>

#include <windowsx.h>

#include <algorithm>
#include <cmath>

using tarnwick::foundation::SECScopedValue;

namespace
{
// Set while a currency edit opens its popup calculator.
BOOL s_bOpeningCalculator = FALSE;

// The popup's window style: a visible popup with the calculator's class bit 0x10.
constexpr DWORD dwCalculatorStyle = WS_POPUP | WS_VISIBLE | 0x10;
static_assert(dwCalculatorStyle == 0x90000010);

BOOL IsDigit(TCHAR ch)
{
    return ch >= _T('0') && ch <= _T('9');
}

// Digits before the position, not counting the zeros that lead the integer part.
int SignificantDigitsBefore(const CString& strText, int nPosition, TCHAR chDecimal)
{
    int nCount = 0;
    BOOL bLeading = TRUE;
    for (int i = 0; i < nPosition && i < strText.GetLength(); ++i)
    {
        const TCHAR ch = strText[i];
        if (ch == chDecimal)
            bLeading = FALSE;
        if (!IsDigit(ch))
            continue;
        if (bLeading && ch == _T('0'))
            continue;
        bLeading = FALSE;
        ++nCount;
    }
    return nCount;
}

// The position after that many significant digits (before the first digit for none).
int PositionAfterDigits(const CString& strText, int nDigits, TCHAR chDecimal)
{
    for (int i = 0; i <= strText.GetLength(); ++i)
        if (SignificantDigitsBefore(strText, i, chDecimal) >= nDigits &&
            (nDigits > 0 || (i < strText.GetLength() && IsDigit(strText[i]))))
            return i;
    return strText.GetLength();
}

// The window's font selected into a client DC for the DC's life.
class FontDC : public CClientDC
{
public:
    FontDC(CWnd* pWnd, HFONT hFont) : CClientDC(pWnd)
    {
        m_hOld = ::SelectObject(m_hDC, hFont != nullptr ? hFont : ::GetStockObject(DEFAULT_GUI_FONT));
    }
    ~FontDC()
    {
        ::SelectObject(m_hDC, m_hOld);
    }

private:
    HGDIOBJ m_hOld;
};
} // namespace

IMPLEMENT_DYNAMIC(CGXBCurrencyEdit, CGXBDropEdit)

BEGIN_MESSAGE_MAP(CGXBCurrencyEdit, CGXBDropEdit)
ON_MESSAGE(WM_PAINT, OnPaintMsg)
ON_MESSAGE(WM_ERASEBKGND, OnEraseBkgndMsg)
ON_MESSAGE(WM_KEYDOWN, OnKeyDownMsg)
ON_MESSAGE(WM_SYSKEYDOWN, OnSysKeyDownMsg)
ON_MESSAGE(WM_CHAR, OnCharMsg)
ON_MESSAGE(WM_SETTEXT, OnSetTextMsg)
ON_MESSAGE(WM_LBUTTONDOWN, OnLButtonDownMsg)
ON_MESSAGE(WM_MOUSEMOVE, OnMouseMoveMsg)
ON_MESSAGE(WM_LBUTTONUP, OnLButtonUpMsg)
ON_MESSAGE(WM_LBUTTONDBLCLK, OnLButtonDblClkMsg)
ON_MESSAGE(WM_RBUTTONUP, OnRButtonUpMsg)
ON_MESSAGE(WM_SETFOCUS, OnSetFocusMsg)
ON_MESSAGE(WM_KILLFOCUS, OnKillFocusMsg)
ON_MESSAGE(WM_GETDLGCODE, OnGetDlgCodeMsg)
ON_MESSAGE(EM_GETSEL, OnGetSelMsg)
ON_MESSAGE(EM_SETSEL, OnSetSelMsg)
ON_MESSAGE(EM_CANUNDO, OnCanUndoMsg)
ON_MESSAGE(EM_EMPTYUNDOBUFFER, OnEmptyUndoMsg)
ON_MESSAGE(EM_UNDO, OnUndoMsg)
ON_MESSAGE(WM_UNDO, OnUndoMsg)
ON_MESSAGE(EM_SETREADONLY, OnSetReadOnlyMsg)
ON_MESSAGE(EM_SETMARGINS, OnSetMarginsMsg)
ON_MESSAGE(WM_SETFONT, OnSetFontMsg)
ON_MESSAGE(WM_GETFONT, OnGetFontMsg)
ON_MESSAGE(WM_COPY, OnCopyMsg)
ON_MESSAGE(WM_CUT, OnCutMsg)
ON_MESSAGE(WM_PASTE, OnPasteMsg)
ON_MESSAGE(WM_CLEAR, OnClearMsg)
END_MESSAGE_MAP()

CGXBCurrencyEdit::CGXBCurrencyEdit() : m_pFormat(std::make_unique<Format>(TRUE))
{
}

CGXBCurrencyEdit::~CGXBCurrencyEdit()
{
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

BOOL CGXBCurrencyEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    WNDCLASS wc{};
    const HINSTANCE hInstance = AfxGetInstanceHandle();
    if (!::GetClassInfo(hInstance, pszWindowClass, &wc))
    {
        wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
        wc.lpfnWndProc = ::DefWindowProc;
        wc.hInstance = hInstance;
        wc.hCursor = ::LoadCursor(nullptr, IDC_IBEAM);
        wc.lpszClassName = pszWindowClass;
        if (!AfxRegisterClass(&wc))
            return FALSE;
    }
    if (!CreateEx(0, pszWindowClass, nullptr, dwStyle, rect, pParentWnd, nID))
        return FALSE;
    ShowAmount();
    return TRUE;
}

BOOL CGXBCurrencyEdit::IsOpeningCalculator()
{
    return s_bOpeningCalculator;
}

// ---- the amount

CString CGXBCurrencyEdit::GetText() const
{
    CString strText;
    if (GetSafeHwnd() != nullptr)
        GetWindowText(strText);
    return strText;
}

void CGXBCurrencyEdit::SetFormat(const Format& format)
{
    m_pFormat->Assign(format);
    ShowAmount();
}

void CGXBCurrencyEdit::ShowAmount()
{
    CString strText;
    m_pFormat->FormatValue(m_dValue, strText, m_bNegative);
    if (GetSafeHwnd() == nullptr)
        return;
    SetWindowTextQuiet(strText);
    const int nLength = strText.GetLength();
    m_nCaret = std::min(m_nCaret, nLength);
    if (m_nSelStart != -1)
    {
        m_nSelStart = std::min(m_nSelStart, nLength);
        m_nSelEnd = std::min(m_nSelEnd, nLength);
    }
    Invalidate(FALSE);
}

void CGXBCurrencyEdit::SetValue(double dValue)
{
    SetValueAndSign(std::fabs(dValue), dValue < 0);
}

void CGXBCurrencyEdit::SetValueAndSign(double dValue, BOOL bNegative, BOOL bRedraw)
{
    m_dValue = dValue;
    m_bNegative = bNegative;
    ShowAmount();
    if (bRedraw && GetSafeHwnd() != nullptr)
        UpdateWindow();
}

double CGXBCurrencyEdit::GetValue() const
{
    return m_bNegative ? -m_dValue : m_dValue;
}

void CGXBCurrencyEdit::SetWindowTextQuiet(LPCTSTR pszText)
{
    const BOOL bOld = m_bParseOnSetText;
    m_bParseOnSetText = FALSE;
    SetWindowText(pszText);
    m_bParseOnSetText = bOld;
}

BOOL CGXBCurrencyEdit::IsAmountText(const CString& strText) const
{
    double dValue = 0;
    BOOL bNegative = FALSE;
    int nFirst = 0;
    int nLast = -1;
    if (!m_pFormat->ParseValue(strText, dValue, bNegative) || !m_pFormat->FindNumberSpan(strText, nFirst, nLast))
        return FALSE;
    CString strRest = strText.Left(nFirst) + strText.Mid(nLast + 1);
    const CString& strSymbol = m_pFormat->GetMonetarySymbol();
    if (!strSymbol.IsEmpty())
        strRest.Replace(strSymbol, _T(""));
    return strRest.SpanIncluding(_T("-() ")) == strRest;
}

BOOL CGXBCurrencyEdit::ApplyEditedText(const CString& strText, int nCaret)
{
    double dValue = 0;
    BOOL bNegative = FALSE;
    if (!m_pFormat->ParseValue(strText, dValue, bNegative))
        return FALSE;
    const TCHAR chDecimal = m_pFormat->GetDecimalSeparator();
    const int nDigits = SignificantDigitsBefore(strText, nCaret, chDecimal);
    SaveUndoState(nullptr, -1);
    m_dValue = dValue;
    m_bNegative = bNegative;
    m_nSelStart = -1;
    m_nSelEnd = 0;
    ShowAmount();
    m_nCaret = PositionAfterDigits(GetText(), nDigits, chDecimal);
    CreateAndPlaceCaret(m_nCaret);
    NotifyParent(EN_UPDATE);
    NotifyParent(EN_CHANGE);
    return TRUE;
}

CString CGXBCurrencyEdit::TextWithoutSelection(int& nCaret) const
{
    CString strText = GetText();
    int nStart = 0;
    int nEnd = 0;
    GetSel(nStart, nEnd);
    if (nStart < 0 || nEnd <= nStart)
    {
        nCaret = m_nCaret;
        return strText;
    }
    strText.Delete(nStart, nEnd - nStart);
    nCaret = nStart;
    return strText;
}

// ---- editing

void CGXBCurrencyEdit::InsertText(LPCTSTR pszText)
{
    if (IsReadOnly() || pszText == nullptr || *pszText == 0)
        return;
    int nCaret = m_nCaret;
    CString strText;
    if (HasSelection())
        strText = TextWithoutSelection(nCaret);
    else
    {
        strText = GetText();
        int nFirst = 0;
        int nLast = 0;
        if (m_pFormat->FindNumberSpan(strText, nFirst, nLast) && (nCaret < nFirst || nCaret > nLast + 1))
        {
            // The caret goes back into the number.
            const int nDecimal = m_pFormat->FindLastChar(strText);
            if (m_pFormat->GetIntegerDigits() > 0)
                nCaret = nDecimal >= 0 ? nDecimal : nLast + 1;
            else
                nCaret = nDecimal >= 0 ? nDecimal + 1 : 0;
        }
    }
    const int nLength = static_cast<int>(_tcslen(pszText));
    if (m_bOverwrite)
        strText.Delete(nCaret, nLength);
    strText.Insert(nCaret, pszText);
    ApplyEditedText(strText, nCaret + nLength);
}

BOOL CGXBCurrencyEdit::RemoveSelection()
{
    if (!HasSelection())
        return FALSE;
    int nCaret = 0;
    ApplyEditedText(TextWithoutSelection(nCaret), nCaret);
    return TRUE;
}

void CGXBCurrencyEdit::BackspaceChar()
{
    if (IsReadOnly() || RemoveSelection())
        return;
    const int nCaret = m_nCaret;
    // Separators, the symbol and signs are stepped over: the digit before them goes.
    CString strText = GetText();
    int i = std::min(nCaret, strText.GetLength()) - 1;
    while (i >= 0 && !IsDigit(strText[i]))
        --i;
    if (i < 0)
        return;
    strText.Delete(i);
    ApplyEditedText(strText, i);
}

void CGXBCurrencyEdit::DeleteChar()
{
    if (IsReadOnly() || RemoveSelection())
        return;
    const int nCaret = m_nCaret;
    CString strText = GetText();
    int i = std::max(nCaret, 0);
    while (i < strText.GetLength() && !IsDigit(strText[i]))
        ++i;
    if (i >= strText.GetLength())
        return;
    strText.Delete(i);
    ApplyEditedText(strText, i);
}

void CGXBCurrencyEdit::ToggleSign()
{
    if (IsReadOnly())
        return;
    int nFirst = 0;
    int nLast = 0;
    const int nOffset = m_pFormat->FindNumberSpan(GetText(), nFirst, nLast) ? m_nCaret - nFirst : 0;
    SaveUndoState(nullptr, -1);
    m_bNegative = !m_bNegative;
    ShowAmount();
    const CString strText = GetText();
    if (m_pFormat->FindNumberSpan(strText, nFirst, nLast))
        m_nCaret = std::clamp(nFirst + nOffset, 0, strText.GetLength());
    CreateAndPlaceCaret(m_nCaret);
    NotifyParent(EN_UPDATE);
    NotifyParent(EN_CHANGE);
}

void CGXBCurrencyEdit::ToggleOverwrite()
{
    m_bOverwrite = !m_bOverwrite;
}

void CGXBCurrencyEdit::SaveUndoState(LPCTSTR pszText, int nCaret)
{
    m_undo.strText = pszText != nullptr ? CString(pszText) : GetText();
    m_undo.nCaret = nCaret != -1 ? nCaret : m_nCaret;
    if (HasSelection())
        GetSel(m_undo.nSelStart, m_undo.nSelEnd);
    else
    {
        m_undo.nSelStart = -1;
        m_undo.nSelEnd = 0;
    }
    m_bCanUndo = TRUE;
}

void CGXBCurrencyEdit::Undo()
{
    if (IsReadOnly() || !m_bCanUndo)
        return;
    const UndoState saved = m_undo;
    SaveUndoState(nullptr, -1);
    double dValue = 0;
    BOOL bNegative = FALSE;
    if (m_pFormat->ParseValue(saved.strText, dValue, bNegative))
    {
        m_dValue = dValue;
        m_bNegative = bNegative;
    }
    SetWindowTextQuiet(saved.strText);
    m_nSelStart = saved.nSelStart;
    m_nSelEnd = saved.nSelEnd;
    m_nCaret = std::clamp(saved.nCaret, 0, saved.strText.GetLength());
    if (::GetFocus() == m_hWnd)
        CreateAndPlaceCaret(m_nCaret);
    Invalidate(FALSE);
    NotifyParent(EN_UPDATE);
    NotifyParent(EN_CHANGE);
}

BOOL CGXBCurrencyEdit::AcceptPasteText(CString& strText)
{
    if (IsAmountText(strText))
        return TRUE;
    CString strDigits;
    for (int i = 0; i < strText.GetLength(); ++i)
        if (IsDigit(strText[i]))
            strDigits += strText[i];
    strText = strDigits;
    return !strText.IsEmpty();
}

void CGXBCurrencyEdit::Copy()
{
    int nStart = 0;
    int nEnd = 0;
    GetSel(nStart, nEnd);
    if (HasSelection())
        CGXClipboardText::Write(this, GetText().Mid(nStart, nEnd - nStart));
}

void CGXBCurrencyEdit::Cut()
{
    if (IsReadOnly() || !HasSelection())
        return;
    int nStart = 0;
    int nEnd = 0;
    GetSel(nStart, nEnd);
    const CString strSelected = GetText().Mid(nStart, nEnd - nStart);
    // Only what was removed goes to the clipboard.
    int nCaret = 0;
    if (ApplyEditedText(TextWithoutSelection(nCaret), nCaret))
        CGXClipboardText::Write(this, strSelected);
}

void CGXBCurrencyEdit::Paste()
{
    CString strText;
    if (IsReadOnly() || !CGXClipboardText::Read(this, strText) || !AcceptPasteText(strText))
        return;
    InsertText(strText);
}

void CGXBCurrencyEdit::Clear()
{
    if (IsReadOnly())
        return;
    if (RemoveSelection())
        return;
    SaveUndoState(nullptr, -1);
    SetValueAndSign(0.0, FALSE);
    NotifyParent(EN_UPDATE);
    NotifyParent(EN_CHANGE);
}

void CGXBCurrencyEdit::SelectAll()
{
    SetSel(0, -1);
}

// ---- window operations

void CGXBCurrencyEdit::SetAlignment(int nAlignment)
{
    static const DWORD styles[] = {ES_LEFT, ES_CENTER, ES_RIGHT};
    if (nAlignment < 0 || nAlignment > 2 || GetSafeHwnd() == nullptr)
        return;
    ModifyStyle(ES_LEFT | ES_CENTER | ES_RIGHT, styles[nAlignment]);
    Invalidate(FALSE);
}

int CGXBCurrencyEdit::GetAlignment() const
{
    const DWORD dwStyle = GetSafeHwnd() != nullptr ? GetStyle() : 0;
    return (dwStyle & ES_RIGHT) != 0 ? 2 : (dwStyle & ES_CENTER) != 0 ? 1 : 0;
}

BOOL CGXBCurrencyEdit::IsReadOnly() const
{
    return GetSafeHwnd() != nullptr && (GetStyle() & ES_READONLY) != 0;
}

void CGXBCurrencyEdit::SetSel(int nStart, int nEnd)
{
    const int nLength = GetText().GetLength();
    if (nStart == -1)
    {
        m_nSelStart = -1;
        m_nSelEnd = 0;
    }
    else
    {
        m_nSelStart = std::clamp(nStart, 0, nLength);
        m_nSelEnd = nEnd == -1 ? nLength : std::clamp(nEnd, 0, nLength);
        m_nCaret = m_nSelEnd;
    }
    CreateAndPlaceCaret(m_nCaret);
    Invalidate(FALSE);
}

void CGXBCurrencyEdit::GetSel(int& nStart, int& nEnd) const
{
    if (m_nSelStart == -1)
    {
        nStart = -1;
        nEnd = 0;
        return;
    }
    nStart = std::min(m_nSelStart, m_nSelEnd);
    nEnd = std::max(m_nSelStart, m_nSelEnd);
}

BOOL CGXBCurrencyEdit::HasSelection() const
{
    return m_nSelStart != -1 && m_nSelEnd != m_nSelStart;
}

void CGXBCurrencyEdit::NotifyParent(UINT nCode)
{
    CWnd* pParent = GetSafeHwnd() != nullptr ? GetParent() : nullptr;
    if (pParent != nullptr)
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), nCode), reinterpret_cast<LPARAM>(m_hWnd));
}

void CGXBCurrencyEdit::MoveCaret(int nPosition, BOOL bExtend)
{
    nPosition = std::clamp(nPosition, 0, GetText().GetLength());
    if (bExtend)
    {
        if (m_nSelStart == -1)
            m_nSelStart = m_nCaret;
        m_nSelEnd = nPosition;
    }
    else
    {
        m_nSelStart = -1;
        m_nSelEnd = 0;
    }
    m_nCaret = nPosition;
    CreateAndPlaceCaret(m_nCaret);
    Invalidate(FALSE);
}

void CGXBCurrencyEdit::OpenCalculator()
{
    const SECScopedValue<BOOL> opening(s_bOpeningCalculator, TRUE);
    auto* pCalculator = new CGXBPopupCalculator(TRUE);
    pCalculator->SetValue(GetValue());
    CRect rectWindow;
    GetWindowRect(rectWindow);
    pCalculator->CreatePopup(dwCalculatorStyle, rectWindow, this,
                             m_hFont != nullptr ? CFont::FromHandle(m_hFont) : nullptr);
}

void CGXBCurrencyEdit::OnDropButton()
{
    OpenCalculator();
}

// ---- context menu

HMENU CGXBCurrencyEdit::CreateContextMenu()
{
    const BOOL bText = !GetText().IsEmpty();
    const BOOL bSelection = bText && HasSelection();
    const BOOL bWritable = !IsReadOnly();
    CString strClipboard;
    const BOOL bPaste = bWritable && CGXClipboardText::Read(this, strClipboard) && IsAmountText(strClipboard);
    const struct
    {
        UINT nId;
        LPCTSTR pszText;
        BOOL bEnabled;
    } items[] = {
        {ID_EDIT_UNDO, _T("&Undo\tCtrl+Z"), m_bCanUndo && bWritable},
        {0, nullptr, FALSE},
        {ID_EDIT_CUT, _T("Cu&t\tCtrl+X"), bSelection && bWritable},
        {ID_EDIT_COPY, _T("&Copy\tCtrl+C"), bSelection},
        {ID_EDIT_PASTE, _T("&Paste\tCtrl+V"), bPaste},
        {ID_EDIT_CLEAR, _T("&Delete\tDelete"), bSelection && bWritable},
        {0, nullptr, FALSE},
        {ID_EDIT_SELECT_ALL, _T("Select &All"), bText},
    };
    HMENU hMenu = ::CreatePopupMenu();
    for (const auto& item : items)
    {
        if (item.nId == 0)
            ::AppendMenu(hMenu, MF_SEPARATOR, 0, nullptr);
        else
            ::AppendMenu(hMenu, MF_STRING | (item.bEnabled ? MF_ENABLED : MF_GRAYED), item.nId, item.pszText);
    }
    return hMenu;
}

void CGXBCurrencyEdit::DestroyContextMenu(HMENU hMenu)
{
    ::DestroyMenu(hMenu);
}

LRESULT CGXBCurrencyEdit::OnRButtonUpMsg(WPARAM /*wParam*/, LPARAM lParam)
{
    CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    ClientToScreen(&point);
    HMENU hMenu = CreateContextMenu();
    ::TrackPopupMenu(hMenu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0, m_hWnd, nullptr);
    DestroyContextMenu(hMenu);
    return 0;
}

BOOL CGXBCurrencyEdit::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam))
    {
    case ID_EDIT_UNDO:
        Undo();
        break;
    case ID_EDIT_CUT:
        Cut();
        break;
    case ID_EDIT_COPY:
        Copy();
        break;
    case ID_EDIT_PASTE:
        Paste();
        break;
    case ID_EDIT_CLEAR:
        Clear();
        break;
    case ID_EDIT_SELECT_ALL:
        SelectAll();
        break;
    default:
        return CGXBDropEdit::OnCommand(wParam, lParam);
    }
    return TRUE;
}

// ---- keys

LRESULT CGXBCurrencyEdit::OnKeyDownMsg(WPARAM wParam, LPARAM lParam)
{
    const BOOL bCtrl = GXIsKeyDown(VK_CONTROL);
    const BOOL bShift = GXIsKeyDown(VK_SHIFT);
    switch (wParam)
    {
    case 'C':
    case 'V':
    case 'X':
    case 'Z':
        if (bCtrl)
        {
            static const UINT messages[] = {WM_COPY, WM_PASTE, WM_CUT, WM_UNDO};
            const int nIndex = wParam == 'C' ? 0 : wParam == 'V' ? 1 : wParam == 'X' ? 2 : 3;
            PostMessage(messages[nIndex]);
        }
        break;
    case VK_INSERT:
        if (bCtrl)
            PostMessage(WM_COPY);
        else if (bShift)
            PostMessage(WM_PASTE);
        else
            ToggleOverwrite();
        break;
    case VK_DELETE:
        if (bShift)
            PostMessage(WM_CUT);
        else
            DeleteChar();
        break;
    case VK_BACK:
        BackspaceChar();
        break;
    case VK_F2:
        if (GetButtonBitmap() != 0)
            OpenCalculator();
        break;
    case VK_END:
        MoveCaret(GetText().GetLength(), bShift);
        break;
    case VK_HOME:
        MoveCaret(0, bShift);
        break;
    case VK_LEFT:
        MoveCaret(m_nCaret - 1, bShift);
        break;
    case VK_RIGHT:
        MoveCaret(m_nCaret + 1, bShift);
        break;
    default:
        break;
    }
    return CGXBDropEdit::OnKeyDownMsg(wParam, lParam);
}

LRESULT CGXBCurrencyEdit::OnSysKeyDownMsg(WPARAM wParam, LPARAM lParam)
{
    if (wParam == VK_F10 && GXIsKeyDown(VK_SHIFT))
    {
        CRect rect;
        GetClientRect(rect);
        PostMessage(WM_RBUTTONUP, 0, MAKELPARAM(rect.CenterPoint().x, rect.CenterPoint().y));
    }
    else if (wParam == VK_BACK)
        PostMessage(WM_UNDO);
    return CGXBDropEdit::OnSysKeyDownMsg(wParam, lParam);
}

LRESULT CGXBCurrencyEdit::OnCharMsg(WPARAM wParam, LPARAM /*lParam*/)
{
    const TCHAR ch = static_cast<TCHAR>(wParam);
    if (ch == m_pFormat->GetDecimalSeparator() && ch != 0)
    {
        // The caret jumps behind the decimal separator (behind the number without one).
        const CString strText = GetText();
        const int nDecimal = m_pFormat->FindLastChar(strText);
        int nFirst = 0;
        int nLast = 0;
        if (nDecimal < 0 && !m_pFormat->FindNumberSpan(strText, nFirst, nLast))
            return Default();
        MoveCaret(nDecimal >= 0 ? nDecimal + 1 : nLast + 1, FALSE);
        return 0;
    }
    if (ch == _T('-'))
    {
        ToggleSign();
        return 0;
    }
    if (IsDigit(ch))
    {
        const TCHAR szDigit[] = {ch, 0};
        InsertText(szDigit);
        return 0;
    }
    return Default();
}

LRESULT CGXBCurrencyEdit::OnSetTextMsg(WPARAM /*wParam*/, LPARAM lParam)
{
    if (!m_bParseOnSetText)
        return Default();
    double dValue = 0;
    BOOL bNegative = FALSE;
    if (!m_pFormat->ParseValue(reinterpret_cast<LPCTSTR>(lParam), dValue, bNegative))
        return FALSE;
    m_dValue = dValue;
    m_bNegative = bNegative;
    ShowAmount();
    return TRUE;
}

// ---- mouse

CRect CGXBCurrencyEdit::TextArea(CDC& dc, const CString& strText, int& xText) const
{
    CRect rectArea;
    GetClientRect(rectArea);
    rectArea.left += m_nLeftMargin;
    rectArea.right -= m_nRightMargin;
    rectArea.top = ::GetSystemMetrics(SM_CYBORDER);
    rectArea.bottom = rectArea.top + dc.GetTextExtent(strText.IsEmpty() ? CString(_T("0")) : strText).cy;
    const int nBorder = ::GetSystemMetrics(SM_CXBORDER);
    const int cxText = dc.GetTextExtent(strText).cx;
    switch (GetAlignment())
    {
    case 1:
        xText = rectArea.CenterPoint().x - cxText / 2;
        break;
    case 2:
        xText = rectArea.right - nBorder - cxText;
        break;
    default:
        xText = rectArea.left + nBorder;
        break;
    }
    return rectArea;
}

int CGXBCurrencyEdit::CharFromPoint(CPoint point)
{
    FontDC dc(this, m_hFont);
    const CString strText = GetText();
    int xText = 0;
    TextArea(dc, strText, xText);
    int xLeft = xText;
    for (int i = 0; i < strText.GetLength(); ++i)
    {
        const int xRight = xText + dc.GetTextExtent(strText.Left(i + 1)).cx;
        if (point.x < (xLeft + xRight) / 2)
            return i;
        xLeft = xRight;
    }
    return strText.GetLength();
}

LRESULT CGXBCurrencyEdit::OnLButtonDownMsg(WPARAM /*wParam*/, LPARAM lParam)
{
    SetRedraw(FALSE);
    SetFocus();
    SetRedraw(TRUE);
    const int nHit = CharFromPoint(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
    m_nSelStart = nHit;
    m_nSelEnd = nHit;
    m_nCaret = nHit;
    m_bMouseSelecting = TRUE;
    SetCapture();
    CreateAndPlaceCaret(m_nCaret);
    Invalidate(FALSE);
    return Default();
}

LRESULT CGXBCurrencyEdit::OnMouseMoveMsg(WPARAM wParam, LPARAM lParam)
{
    if (m_bMouseSelecting)
    {
        const int nHit = CharFromPoint(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
        if (nHit != m_nCaret)
        {
            m_nCaret = nHit;
            m_nSelEnd = nHit;
            CreateAndPlaceCaret(m_nCaret);
            Invalidate(FALSE);
        }
    }
    return CGXBDropEdit::OnMouseMoveMsg(wParam, lParam);
}

LRESULT CGXBCurrencyEdit::OnLButtonUpMsg(WPARAM wParam, LPARAM lParam)
{
    if (m_bMouseSelecting)
    {
        m_bMouseSelecting = FALSE;
        if (GetCapture() == this)
            ReleaseCapture();
        int nFirst = 0;
        int nLast = 0;
        if (!HasSelection() &&
            (!m_pFormat->FindNumberSpan(GetText(), nFirst, nLast) || m_nCaret < nFirst || m_nCaret > nLast + 1))
            SelectAll();
    }
    return CGXBDropEdit::OnLButtonUpMsg(wParam, lParam);
}

LRESULT CGXBCurrencyEdit::OnLButtonDblClkMsg(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    SelectAll();
    return 0;
}

// ---- focus, caret and edit messages

LRESULT CGXBCurrencyEdit::OnSetFocusMsg(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    SelectAll();
    NotifyParent(EN_SETFOCUS);
    return 0;
}

LRESULT CGXBCurrencyEdit::OnKillFocusMsg(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    HideEditCaret();
    NotifyParent(EN_KILLFOCUS);
    return 0;
}

void CGXBCurrencyEdit::CreateAndPlaceCaret(int nPosition)
{
    if (GetSafeHwnd() == nullptr || ::GetFocus() != m_hWnd)
        return;
    FontDC dc(this, m_hFont);
    const CString strText = GetText();
    int xText = 0;
    const CRect rectArea = TextArea(dc, strText, xText);
    ::CreateCaret(m_hWnd, nullptr, ::GetSystemMetrics(SM_CXBORDER), rectArea.Height());
    ::SetCaretPos(xText + dc.GetTextExtent(strText.Left(std::clamp(nPosition, 0, strText.GetLength()))).cx,
                  rectArea.top);
    ::ShowCaret(m_hWnd);
}

void CGXBCurrencyEdit::HideEditCaret()
{
    ::HideCaret(m_hWnd);
    ::DestroyCaret();
}

LRESULT CGXBCurrencyEdit::OnGetDlgCodeMsg(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    return DLGC_WANTARROWS | DLGC_WANTCHARS;
}

LRESULT CGXBCurrencyEdit::OnGetSelMsg(WPARAM wParam, LPARAM lParam)
{
    const int nStart = m_nSelStart == -1 ? -1 : std::min(m_nSelStart, m_nSelEnd);
    const int nEnd = m_nSelStart == -1 ? m_nSelEnd : std::max(m_nSelStart, m_nSelEnd);
    if (wParam != 0)
        *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(nStart);
    if (lParam != 0)
        *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(nEnd);
    if (static_cast<unsigned>(nStart) >= 0xFFFF || static_cast<unsigned>(nEnd) >= 0xFFFF)
        return -1;
    return MAKELRESULT(nStart, nEnd);
}

LRESULT CGXBCurrencyEdit::OnSetSelMsg(WPARAM wParam, LPARAM lParam)
{
    SetSel(static_cast<int>(wParam), static_cast<int>(lParam));
    return 0;
}

LRESULT CGXBCurrencyEdit::OnCanUndoMsg(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    return m_bCanUndo;
}

LRESULT CGXBCurrencyEdit::OnEmptyUndoMsg(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    m_bCanUndo = FALSE;
    return 0;
}

LRESULT CGXBCurrencyEdit::OnUndoMsg(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    const BOOL bCould = m_bCanUndo && !IsReadOnly();
    Undo();
    return bCould;
}

LRESULT CGXBCurrencyEdit::OnSetReadOnlyMsg(WPARAM wParam, LPARAM /*lParam*/)
{
    ModifyStyle(wParam != 0 ? 0 : ES_READONLY, wParam != 0 ? ES_READONLY : 0);
    Invalidate(FALSE);
    return TRUE;
}

LRESULT CGXBCurrencyEdit::OnSetMarginsMsg(WPARAM wParam, LPARAM lParam)
{
    if (wParam == EC_USEFONTINFO)
    {
        FontDC dc(this, m_hFont);
        TEXTMETRIC tm{};
        dc.GetTextMetrics(&tm);
        m_nLeftMargin = m_nRightMargin = tm.tmAveCharWidth;
    }
    else
    {
        if ((wParam & EC_LEFTMARGIN) != 0)
            m_nLeftMargin = LOWORD(lParam);
        if ((wParam & EC_RIGHTMARGIN) != 0)
            m_nRightMargin = HIWORD(lParam);
    }
    Invalidate(FALSE);
    return 0;
}

LRESULT CGXBCurrencyEdit::OnSetFontMsg(WPARAM wParam, LPARAM lParam)
{
    m_hFont = reinterpret_cast<HFONT>(wParam);
    if (LOWORD(lParam) != 0)
        Invalidate(FALSE);
    return 0;
}

LRESULT CGXBCurrencyEdit::OnGetFontMsg(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    return reinterpret_cast<LRESULT>(m_hFont);
}

LRESULT CGXBCurrencyEdit::OnCopyMsg(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    Copy();
    return 0;
}

LRESULT CGXBCurrencyEdit::OnCutMsg(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    Cut();
    return 0;
}

LRESULT CGXBCurrencyEdit::OnPasteMsg(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    Paste();
    return 0;
}

LRESULT CGXBCurrencyEdit::OnClearMsg(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    Clear();
    return 0;
}

// ---- painting

COLORREF CGXBCurrencyEdit::BackgroundColor() const
{
    const GX_SYS_DATA* pSys = GXGetSysData();
    COLORREF rgb = 0;
    if (!IsWindowEnabled())
        return pSys->GetSysColor(COLOR_BTNFACE);
    if (m_pFormat->GetBackgroundColor(rgb))
        return rgb;
    return pSys->GetSysColor(IsReadOnly() ? COLOR_BTNFACE : COLOR_WINDOW);
}

COLORREF CGXBCurrencyEdit::TextColor() const
{
    const GX_SYS_DATA* pSys = GXGetSysData();
    if (!IsWindowEnabled())
        return pSys->GetSysColor(GetExStyle() != 0 ? COLOR_BTNSHADOW : COLOR_GRAYTEXT);
    COLORREF rgb = 0;
    if (m_bNegative ? m_pFormat->GetNegativeColor(rgb) : m_pFormat->GetPositiveColor(rgb))
        return rgb;
    return pSys->GetSysColor(COLOR_WINDOWTEXT);
}

LRESULT CGXBCurrencyEdit::OnEraseBkgndMsg(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    return TRUE;
}

LRESULT CGXBCurrencyEdit::OnPaintMsg(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    CPaintDC dc(this);
    PaintText(dc);
    return 0;
}

void CGXBCurrencyEdit::PaintBackground(CDC& dc)
{
    CRect rect;
    GetClientRect(rect);
    dc.FillSolidRect(rect, BackgroundColor());
}

void CGXBCurrencyEdit::PaintText(CDC& dc)
{
    PaintBackground(dc);
    const HGDIOBJ hOldFont =
        ::SelectObject(dc.m_hDC, m_hFont != nullptr ? m_hFont : ::GetStockObject(DEFAULT_GUI_FONT));
    const CString strText = GetText();
    int xText = 0;
    const CRect rectArea = TextArea(dc, strText, xText);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(TextColor());
    CRect rectText(xText, rectArea.top, std::max(rectArea.right, xText + dc.GetTextExtent(strText).cx),
                   rectArea.bottom);
    dc.DrawText(strText, rectText, DT_SINGLELINE | DT_NOPREFIX);
    if (HasSelection())
    {
        int nStart = 0;
        int nEnd = 0;
        GetSel(nStart, nEnd);
        const GX_SYS_DATA* pSys = GXGetSysData();
        CRect rectSelected = rectText;
        rectSelected.left = xText + dc.GetTextExtent(strText.Left(nStart)).cx;
        rectSelected.right = xText + dc.GetTextExtent(strText.Left(nEnd)).cx;
        dc.SetBkMode(OPAQUE);
        dc.SetBkColor(pSys->GetSysColor(COLOR_HIGHLIGHT));
        dc.SetTextColor(pSys->GetSysColor(COLOR_HIGHLIGHTTEXT));
        dc.DrawText(strText.Mid(nStart, nEnd - nStart), rectSelected, DT_SINGLELINE | DT_NOPREFIX);
    }
    ::SelectObject(dc.m_hDC, hOldFont);
}

// ---- CGXCaptiveCurEdit

IMPLEMENT_DYNAMIC(CGXCaptiveCurEdit, CGXBCurrencyEdit)

CGXCaptiveCurEdit::~CGXCaptiveCurEdit()
{
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}
