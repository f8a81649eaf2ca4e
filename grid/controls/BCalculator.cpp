// The calculator window: buttons and layout, the left-to-right evaluation, keys, mouse and
// painting; the popup variant that reports to its owner.
#include <grid/controls/BCalculator.h>

#include <grid/controls/BCurrencyFormat.h>
#include <grid/controls/Child.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/SysColorBitmap.h>
#include <grid/core/SysData.h>

#include <windowsx.h>
#include <vssym32.h>

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <cwctype>

namespace
{
constexpr COLORREF rgbOperator = 0x800000;
constexpr COLORREF rgbDigit = 0x000080;
constexpr int nMaxIntegerDigits = 13;
constexpr DWORD popupFlags = 2048;

GXBBeepFunction s_pfnBeep = nullptr;

CString LoadText(UINT nId)
{
    CString strText;
    strText.LoadString(nId);
    return strText;
}

// Digits of a text, not counting a sign.
int CountDigits(const CString& strText)
{
    int nDigits = 0;
    for (int i = 0; i < strText.GetLength(); ++i)
        nDigits += strText[i] >= _T('0') && strText[i] <= _T('9');
    return nDigits;
}
} // namespace

GXBBeepFunction GXBSetBeepFunction(GXBBeepFunction pfnBeep)
{
    const GXBBeepFunction pfnOld = s_pfnBeep;
    s_pfnBeep = pfnBeep;
    return pfnOld;
}

// ---- CGXBCalcBtn

CGXBCalcBtn::CGXBCalcBtn(int nOperation, LPCTSTR pszLabel, LPCTSTR pszKeys, UINT nVirtKey, int nSpan, BOOL bNewRow,
                         const Attributes& attributes)
    : m_attributes(attributes), m_strLabel(pszLabel), m_strKeys(pszKeys), m_nVirtKey(nVirtKey), m_nSpan(nSpan),
      m_dwState(bNewRow ? DWORD{stateNewRow} : 0), m_nOperation(nOperation)
{
    m_strKeys.MakeLower();
}

CGXBCalcBtn::~CGXBCalcBtn() = default;

void CGXBCalcBtn::CopyAttributes(const CGXBCalcBtn& other)
{
    m_attributes = other.m_attributes;
}

void CGXBCalcBtn::Draw(CDC& dc, tarnwick::foundation::SECThemeCache& themes, HWND hWnd)
{
    const BOOL bPressed = IsState(statePressed);
    const int nState = bPressed ? PBS_PRESSED : IsState(stateHot) ? PBS_HOT : PBS_NORMAL;
    CRect rectFace = m_rect;
    if (CGXButton::DrawPartWith(themes, hWnd, &dc, L"Button", BP_PUSHBUTTON, nState, m_rect))
        rectFace.DeflateRect(2, 2);
    else
    {
        const GX_SYS_DATA* pSys = GXGetSysData();
        const COLORREF rgbFace = pSys->GetSysColor(COLOR_BTNFACE);
        if (bPressed)
        {
            dc.Draw3dRect(rectFace, pSys->GetSysColor(COLOR_WINDOWFRAME), pSys->GetSysColor(COLOR_BTNHIGHLIGHT));
            rectFace.DeflateRect(1, 1);
            dc.Draw3dRect(rectFace, pSys->GetSysColor(COLOR_BTNSHADOW), rgbFace);
        }
        else
        {
            dc.Draw3dRect(rectFace, pSys->GetSysColor(COLOR_BTNHIGHLIGHT), pSys->GetSysColor(COLOR_WINDOWFRAME));
            rectFace.DeflateRect(1, 1);
            dc.Draw3dRect(rectFace, rgbFace, pSys->GetSysColor(COLOR_BTNSHADOW));
        }
        rectFace.DeflateRect(1, 1);
        dc.FillSolidRect(rectFace, rgbFace);
    }
    if (bPressed)
        rectFace.OffsetRect(1, 1);
    if (m_attributes.hBitmap != nullptr)
    {
        CGXButton::DrawCentredBitmap(&dc, m_attributes.hBitmap, rectFace);
        return;
    }
    CFont* pOldFont = m_attributes.pFont != nullptr ? dc.SelectObject(m_attributes.pFont) : nullptr;
    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    const COLORREF rgbOld = dc.SetTextColor(m_attributes.rgbLabel);
    dc.DrawText(m_strLabel, rectFace, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    dc.SetTextColor(rgbOld);
    dc.SetBkMode(nOldMode);
    if (pOldFont != nullptr)
        dc.SelectObject(pOldFont);
}

// ---- CGXBCalculator

IMPLEMENT_DYNAMIC(CGXBCalculator, CWnd)

BEGIN_MESSAGE_MAP(CGXBCalculator, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_CHAR()
ON_WM_KEYDOWN()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
ON_WM_GETDLGCODE()
ON_MESSAGE(WM_THEMECHANGED, OnThemeChanged)
END_MESSAGE_MAP()

CGXBCalculator::CGXBCalculator() : m_strDecimal(LocaleDecimalSeparator())
{
}

CString CGXBCalculator::LocaleDecimalSeparator()
{
    WCHAR szDecimal[8] = {};
    return ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, szDecimal, 8) > 1 ? szDecimal : L".";
}

CGXBCalculator::~CGXBCalculator()
{
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

BOOL CGXBCalculator::Create(DWORD dwStyle, CPoint ptTopLeft, CWnd* pParentWnd, UINT nID, CFont* pFont)
{
    m_dwCalcStyle = dwStyle & 0xFFFF;
    if (pFont == nullptr && pParentWnd != nullptr)
        pFont = pParentWnd->GetFont();
    LOGFONT lf{};
    if (pFont == nullptr || !pFont->GetLogFont(&lf))
        ::GetObject(::GetStockObject(SYSTEM_FONT), sizeof(lf), &lf);
    lf.lfWeight = FW_BOLD;
    m_buttonFont.DeleteObject();
    m_buttonFont.CreateFontIndirect(&lf);
    CreateDisplayFont(pParentWnd);
    ComputeUnits(&m_buttonFont);
    if (m_bmpEquals.GetSafeHandle() == nullptr)
        m_bmpEquals.Attach(GXLoadSysColorBitmap(AfxFindResourceHandle(MAKEINTRESOURCE(GX_IDB_ENTER_FACE), RT_BITMAP),
                                                GX_IDB_ENTER_FACE));
    CreateButtons();
    const CSize size = Layout();

    const DWORD dwWindowStyle = dwStyle & ~DWORD{0xFFFF};
    CRect rect(ptTopLeft, size);
    DWORD dwExStyle = 0;
    if ((dwWindowStyle & WS_POPUP) != 0)
    {
        dwExStyle = WS_EX_TOOLWINDOW;
        ::AdjustWindowRectEx(rect, dwWindowStyle, FALSE, dwExStyle);
        rect.OffsetRect(ptTopLeft - rect.TopLeft());
    }
    const LPCTSTR pszClass = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW));
    if (!CreateEx(dwExStyle, pszClass, _T("CGXBCalculator"), dwWindowStyle, rect, pParentWnd,
                  (dwWindowStyle & WS_CHILD) != 0 ? nID : 0))
        return FALSE;
    if (m_dAccumulator != 0)
        ShowAccumulator();
    return TRUE;
}

void CGXBCalculator::CreateDisplayFont(CWnd* pWnd)
{
    CFont* pFont = pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr ? pWnd->GetFont() : nullptr;
    LOGFONT lf{};
    if (pFont == nullptr || !pFont->GetLogFont(&lf))
        ::GetObject(::GetStockObject(SYSTEM_FONT), sizeof(lf), &lf);
    lf.lfWeight = FW_NORMAL;
    m_displayFont.DeleteObject();
    m_displayFont.CreateFontIndirect(&lf);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CFont* pOld = dc.SelectObject(&m_displayFont);
    m_nDisplayHeight = dc.GetTextExtent(_T("T"), 1).cy + 4;
    dc.SelectObject(pOld);
}

void CGXBCalculator::ComputeUnits(CFont* pFont)
{
    int nWidth = LOWORD(::GetDialogBaseUnits());
    int nHeight = HIWORD(::GetDialogBaseUnits());
    if (pFont != nullptr && pFont->GetSafeHandle() != nullptr)
    {
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CFont* pOld = dc.SelectObject(pFont);
        TEXTMETRIC tm{};
        dc.GetTextMetrics(&tm);
        static const TCHAR szLetters[] = _T("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        nWidth = (dc.GetTextExtent(szLetters, 52).cx + 26) / 52;
        nHeight = tm.tmHeight + tm.tmExternalLeading;
        dc.SelectObject(pOld);
    }
    m_nUnitWidth = ::MulDiv(16, nWidth, 4);
    m_nUnitHeight = ::MulDiv(14, nHeight, 8);
}

void CGXBCalculator::CreateButtons()
{
    struct Row
    {
        int nOperation;
        LPCTSTR pszLabel;
        LPCTSTR pszKeys;
        UINT nVirtKey;
        int nSpan;
        BOOL bNewRow;
        COLORREF rgbLabel;
    };
    const CString strEnter = LoadText(GX_IDS_ENTER);
    const Row rows[] = {
        {opClear, _T("C"), _T("C"), 0, 1, TRUE, rgbOperator},
        {opClearEntry, _T("CE"), _T(""), 'E', 1, FALSE, rgbOperator},
        // Backspace arrives as a character, Delete as a key.
        {opBackspace, _T("<-"), _T("\b"), VK_DELETE, 1, FALSE, rgbOperator},
        {opPercent, _T("%"), _T("%"), 0, 1, FALSE, rgbOperator},
        {opDigit0 + 7, _T("7"), _T("7"), 0, 1, TRUE, rgbDigit},
        {opDigit0 + 8, _T("8"), _T("8"), 0, 1, FALSE, rgbDigit},
        {opDigit0 + 9, _T("9"), _T("9"), 0, 1, FALSE, rgbDigit},
        {opDivide, _T("/"), _T("/"), 0, 1, FALSE, rgbOperator},
        {opDigit0 + 4, _T("4"), _T("4"), 0, 1, TRUE, rgbDigit},
        {opDigit0 + 5, _T("5"), _T("5"), 0, 1, FALSE, rgbDigit},
        {opDigit0 + 6, _T("6"), _T("6"), 0, 1, FALSE, rgbDigit},
        {opMultiply, _T("*"), _T("*"), 0, 1, FALSE, rgbOperator},
        {opDigit0 + 1, _T("1"), _T("1"), 0, 1, TRUE, rgbDigit},
        {opDigit0 + 2, _T("2"), _T("2"), 0, 1, FALSE, rgbDigit},
        {opDigit0 + 3, _T("3"), _T("3"), 0, 1, FALSE, rgbDigit},
        {opSubtract, _T("-"), _T("-"), 0, 1, FALSE, rgbOperator},
        {opDigit0, _T("0"), _T("0"), 0, 2, TRUE, rgbDigit},
        {opDecimal, m_strDecimal, m_strDecimal, 0, 1, FALSE, rgbDigit},
        {opAdd, _T("+"), _T("+"), 0, 1, FALSE, rgbOperator},
        // "=" arrives as a character, Enter as a key.
        {opEquals, strEnter, _T("="), VK_RETURN, 4, TRUE, rgbOperator},
    };
    m_buttons.clear();
    for (const Row& row : rows)
    {
        CGXBCalcBtn::Attributes attributes;
        attributes.pFont = &m_buttonFont;
        attributes.rgbLabel = row.rgbLabel;
        if (row.nOperation == opEquals)
            attributes.hBitmap = static_cast<HBITMAP>(m_bmpEquals.GetSafeHandle());
        m_buttons.emplace_back(row.nOperation, row.pszLabel, row.pszKeys, row.nVirtKey, row.nSpan, row.bNewRow,
                               attributes);
    }
}

CSize CGXBCalculator::Layout()
{
    const BOOL bLine = (m_dwCalcStyle & styleDisplayLine) != 0;
    const int nTop = bLine ? 2 * m_nTopMargin + 6 : m_nTopMargin;
    m_rectDisplay = CRect(m_nLeftMargin, m_nTopMargin, m_nLeftMargin, m_nTopMargin + m_nDisplayHeight);
    int x = m_nLeftMargin;
    int y = m_rectDisplay.bottom + nTop;
    int nRight = 0;
    int nBottom = 0;
    for (size_t i = 0; i < m_buttons.size(); ++i)
    {
        CGXBCalcBtn& button = m_buttons[i];
        if (button.IsState(CGXBCalcBtn::stateNewRow) && i != 0)
        {
            x = m_nLeftMargin;
            y += m_nUnitHeight + m_nVertGap;
        }
        const CRect rect(x, y, x + button.GetSpan() * m_nUnitWidth, y + m_nUnitHeight);
        button.SetRect(rect);
        x = rect.right + m_nHorzGap;
        nRight = std::max(nRight, static_cast<int>(rect.right));
        nBottom = std::max(nBottom, static_cast<int>(rect.bottom));
    }
    m_rectDisplay.right = nRight;

    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CFont* pOld = dc.SelectObject(&m_displayFont);
    const int nZero = std::max(1, static_cast<int>(dc.GetTextExtent(_T("0"), 1).cx));
    const int nSeparator = dc.GetTextExtent(m_strDecimal).cx;
    dc.SelectObject(pOld);
    m_nCapacity = std::max(0, (m_rectDisplay.Width() - 4 - nSeparator) / nZero - 1);
    m_nDecimals = std::min(m_nDecimals, m_nCapacity);
    return CSize(nRight + m_nLeftMargin, nBottom + m_nTopMargin);
}

BOOL CGXBCalculator::DispatchOperation(int nOperation)
{
    using Handler = BOOL (CGXBCalculator::*)(int);
    // Indexed by the code less one.
    static const Handler handlers[opBackspace] = {
        &CGXBCalculator::ApplyOperator, &CGXBCalculator::ApplyOperator, &CGXBCalculator::ApplyOperator,
        &CGXBCalculator::ApplyOperator, &CGXBCalculator::ApplyOperator, &CGXBCalculator::ApplyOperator,
        &CGXBCalculator::Clear,         &CGXBCalculator::ClearEntry,    &CGXBCalculator::EnterDigit,
        &CGXBCalculator::EnterDigit,    &CGXBCalculator::EnterDigit,    &CGXBCalculator::EnterDigit,
        &CGXBCalculator::EnterDigit,    &CGXBCalculator::EnterDigit,    &CGXBCalculator::EnterDigit,
        &CGXBCalculator::EnterDigit,    &CGXBCalculator::EnterDigit,    &CGXBCalculator::EnterDigit,
        &CGXBCalculator::EnterDecimal,  &CGXBCalculator::Backspace,
    };
    if (nOperation < opMultiply || nOperation > opBackspace)
        return FALSE;
    return (this->*handlers[nOperation - 1])(nOperation);
}

void CGXBCalculator::Beep() const
{
    if (s_pfnBeep != nullptr)
        s_pfnBeep();
    else
        ::MessageBeep(static_cast<UINT>(-1));
}

BOOL CGXBCalculator::BeginEntry()
{
    if (IsInError())
    {
        Beep();
        return FALSE;
    }
    if (m_bStartNewEntry)
    {
        m_strEntry.Empty();
        m_bStartNewEntry = FALSE;
    }
    return TRUE;
}

BOOL CGXBCalculator::EnterDigit(int nOperation)
{
    const int nDigit = nOperation - opDigit0;
    if (!BeginEntry())
        return FALSE;
    if (nDigit == 0 && m_strEntry.IsEmpty())
        return TRUE;
    const int nSign = !m_strEntry.IsEmpty() && m_strEntry[0] == _T('-') ? 1 : 0;
    const BOOL bLeadingZero = m_strEntry.GetLength() > nSign && m_strEntry[nSign] == _T('0');
    const int nLimit = std::min(m_nCapacity, bLeadingZero ? 16 : 15);
    const int nSeparator = m_strEntry.Find(m_strDecimal);
    const int nInteger = CountDigits(nSeparator >= 0 ? m_strEntry.Left(nSeparator) : m_strEntry);
    const int nFraction = nSeparator >= 0 ? CountDigits(m_strEntry.Mid(nSeparator)) : 0;
    if ((nSeparator >= 0 && nFraction >= m_nDecimals) || (nSeparator < 0 && nInteger >= nMaxIntegerDigits) ||
        nInteger + nFraction >= nLimit)
    {
        Beep();
        return FALSE;
    }
    m_strEntry += static_cast<TCHAR>(_T('0') + nDigit);
    if (GetSafeHwnd() != nullptr)
        InvalidateRect(m_rectDisplay, FALSE);
    return TRUE;
}

BOOL CGXBCalculator::EnterDecimal(int /*nOperation*/)
{
    if (!BeginEntry())
        return FALSE;
    if (m_strEntry.Find(m_strDecimal) < 0)
    {
        if (m_strEntry.IsEmpty())
            m_strEntry = _T("0");
        m_strEntry += m_strDecimal;
    }
    if (GetSafeHwnd() != nullptr)
        InvalidateRect(m_rectDisplay, FALSE);
    return TRUE;
}

BOOL CGXBCalculator::Backspace(int /*nOperation*/)
{
    if (IsInError())
    {
        Beep();
        return FALSE;
    }
    if (m_bStartNewEntry || m_strEntry.IsEmpty())
        return TRUE;
    m_strEntry.Delete(m_strEntry.GetLength() - 1);
    if (GetSafeHwnd() != nullptr)
        InvalidateRect(m_rectDisplay, FALSE);
    return TRUE;
}

BOOL CGXBCalculator::ApplyOperator(int nOperation)
{
    if (IsInError())
    {
        Beep();
        return FALSE;
    }
    double dOperand = 0;
    if (!m_strEntry.IsEmpty())
    {
        CString strNumber = m_strEntry;
        strNumber.Replace(m_strDecimal, CString(CGXBCurrencyFormat::RuntimeDecimalPoint()));
        LPTSTR pszEnd = nullptr;
        dOperand = std::wcstod(strNumber, &pszEnd);
        if (pszEnd == static_cast<LPCTSTR>(strNumber) || *pszEnd != 0)
            return FALSE;
    }
    double dResult = dOperand;
    if (nOperation == opPercent)
    {
        dResult = m_nPending == opMultiply || m_nPending == opDivide ? m_dAccumulator * dOperand / 100.0 : 0.0;
        nOperation = opNone;
    }
    else
    {
        switch (m_nPending)
        {
        case opMultiply:
            dResult = m_dAccumulator * dOperand;
            break;
        case opAdd:
            dResult = m_dAccumulator + dOperand;
            break;
        case opSubtract:
            dResult = m_dAccumulator - dOperand;
            break;
        case opDivide:
            if (dOperand == 0)
                m_dwState |= stateError;
            else
                dResult = m_dAccumulator / dOperand;
            break;
        default:
            break;
        }
    }
    if (IsInError())
    {
        m_nPending = opNone;
        if (GetSafeHwnd() != nullptr)
            InvalidateRect(m_rectDisplay, FALSE);
        return TRUE;
    }
    m_dAccumulator = dResult;
    m_bStartNewEntry = TRUE;
    m_nPending = nOperation == opEquals ? opNone : nOperation;
    ShowAccumulator();
    return TRUE;
}

void CGXBCalculator::ClearAll()
{
    m_dAccumulator = 0.0;
    m_strEntry.Empty();
    m_dwState &= ~stateError;
    m_nPending = opNone;
    m_bStartNewEntry = TRUE;
    if (GetSafeHwnd() != nullptr)
        InvalidateRect(m_rectDisplay, FALSE);
}

BOOL CGXBCalculator::Clear(int /*nOperation*/)
{
    ClearAll();
    return TRUE;
}

BOOL CGXBCalculator::ClearEntry(int nOperation)
{
    if (IsInError())
        return Clear(nOperation);
    m_strEntry.Empty();
    m_bStartNewEntry = TRUE;
    if (GetSafeHwnd() != nullptr)
        InvalidateRect(m_rectDisplay, FALSE);
    return TRUE;
}

void CGXBCalculator::ShowAccumulator()
{
    const double dValue = m_dAccumulator;
    const int nLimit = std::min(m_nCapacity, dValue > -1 && dValue < 1 ? 16 : 15);
    const CString strPoint(CGXBCurrencyFormat::RuntimeDecimalPoint());
    int nDecimals = m_nDecimals;
    for (;;)
    {
        CString strText;
        strText.Format(_T("%.*f"), std::max(0, nDecimals), dValue);
        int nPoint = strText.Find(strPoint);
        if (nPoint >= 0)
        {
            strText.TrimRight(_T('0'));
            strText = strText.Left(nPoint) + m_strDecimal + strText.Mid(nPoint + 1);
        }
        const int nInteger = CountDigits(nPoint >= 0 ? strText.Left(nPoint) : strText);
        const int nFraction = nPoint >= 0 ? strText.GetLength() - nPoint - m_strDecimal.GetLength() : 0;
        if (!std::isfinite(dValue) || nInteger > nLimit || nInteger > nMaxIntegerDigits)
        {
            m_dwState |= stateError;
            break;
        }
        if (nInteger + nFraction <= nLimit || nDecimals <= 0)
        {
            m_strEntry = strText;
            break;
        }
        nDecimals = nLimit - nInteger;
    }
    if (GetSafeHwnd() != nullptr)
        InvalidateRect(m_rectDisplay, FALSE);
}

void CGXBCalculator::SetValue(double dValue)
{
    ClearAll();
    m_dAccumulator = dValue;
    if (dValue != 0 && GetSafeHwnd() != nullptr)
        ShowAccumulator();
}

CString CGXBCalculator::GetDisplayText() const
{
    if (IsInError())
        return LoadText(GX_IDS_ERROR);
    return m_strEntry.IsEmpty() ? CString(_T("0")) : m_strEntry;
}

void CGXBCalculator::GetDecimalSeparator(CString& strSeparator) const
{
    strSeparator = m_strDecimal;
}

DWORD CGXBCalculator::GetPopupFlags() const
{
    return 0;
}

void CGXBCalculator::NotifyOwner()
{
}

// ---- keys and mouse

void CGXBCalculator::PressButton(size_t nButton)
{
    CGXBCalcBtn& button = m_buttons[nButton];
    button.SetState(CGXBCalcBtn::statePressed, TRUE);
    RedrawButton(nButton);
    UpdateWindow();
    DispatchOperation(button.GetOperation());
    if (GetSafeHwnd() == nullptr)
        return;
    m_buttons[nButton].SetState(CGXBCalcBtn::statePressed, FALSE);
    RedrawButton(nButton);
}

void CGXBCalculator::RedrawButton(size_t nButton)
{
    if (GetSafeHwnd() != nullptr)
        InvalidateRect(m_buttons[nButton].GetRect(), FALSE);
}

int CGXBCalculator::HitTestButton(CPoint point) const
{
    for (size_t i = 0; i < m_buttons.size(); ++i)
        if (m_buttons[i].GetRect().PtInRect(point))
            return static_cast<int>(i);
    return -1;
}

void CGXBCalculator::OnChar(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    if (IS_HIGH_SURROGATE(nChar))
    {
        m_chLeadUnit = static_cast<WCHAR>(nChar);
        m_dwState |= stateLeadPending;
        return;
    }
    if ((m_dwState & stateLeadPending) != 0)
    {
        // A character beyond the basic plane is no key of the calculator.
        m_dwState &= ~stateLeadPending;
        return;
    }
    const TCHAR chLower = static_cast<TCHAR>(std::towlower(static_cast<wint_t>(nChar)));
    for (size_t i = 0; i < m_buttons.size(); ++i)
        if (m_buttons[i].HasKey(chLower))
        {
            PressButton(i);
            return;
        }
}

void CGXBCalculator::OnKeyDown(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    if (nChar == VK_TAB && GetPopupFlags() == 0)
    {
        if (CWnd* pParent = GetParent())
            pParent->PostMessage(WM_NEXTDLGCTL, ::GetKeyState(VK_SHIFT) < 0, 0);
        return;
    }
    for (size_t i = 0; i < m_buttons.size(); ++i)
        if (m_buttons[i].GetVirtKey() == nChar)
        {
            PressButton(i);
            return;
        }
}

void CGXBCalculator::OnLButtonDown(UINT /*nFlags*/, CPoint point)
{
    const int nHit = HitTestButton(point);
    if (nHit < 0)
        return;
    m_nPressed = nHit;
    m_buttons[static_cast<size_t>(nHit)].SetState(CGXBCalcBtn::statePressed, TRUE);
    RedrawButton(static_cast<size_t>(nHit));
    m_dwState |= stateMouseDown;
    SetCapture();
}

void CGXBCalculator::OnMouseMove(UINT /*nFlags*/, CPoint point)
{
    const int nHit = HitTestButton(point);
    if ((m_dwState & stateMouseDown) != 0 && m_nPressed >= 0)
    {
        CGXBCalcBtn& button = m_buttons[static_cast<size_t>(m_nPressed)];
        if (button.IsState(CGXBCalcBtn::statePressed) != (nHit == m_nPressed))
        {
            button.SetState(CGXBCalcBtn::statePressed, nHit == m_nPressed);
            RedrawButton(static_cast<size_t>(m_nPressed));
        }
        return;
    }
    for (size_t i = 0; i < m_buttons.size(); ++i)
        if (m_buttons[i].IsState(CGXBCalcBtn::stateHot) != (static_cast<int>(i) == nHit))
        {
            m_buttons[i].SetState(CGXBCalcBtn::stateHot, static_cast<int>(i) == nHit);
            RedrawButton(i);
        }
    if (nHit >= 0)
    {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, m_hWnd, HOVER_DEFAULT};
        ::TrackMouseEvent(&track);
    }
}

void CGXBCalculator::OnLButtonUp(UINT /*nFlags*/, CPoint point)
{
    if ((m_dwState & stateMouseDown) == 0)
        return;
    m_dwState &= ~stateMouseDown;
    const int nPressed = m_nPressed;
    m_nPressed = -1;
    if (GetCapture() == this)
        ReleaseCapture();
    if (nPressed < 0)
        return;
    if (HitTestButton(point) == nPressed)
    {
        DispatchOperation(m_buttons[static_cast<size_t>(nPressed)].GetOperation());
        if (GetSafeHwnd() == nullptr)
            return;
    }
    m_buttons[static_cast<size_t>(nPressed)].SetState(CGXBCalcBtn::statePressed, FALSE);
    RedrawButton(static_cast<size_t>(nPressed));
}

LRESULT CGXBCalculator::OnMouseLeave(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    for (size_t i = 0; i < m_buttons.size(); ++i)
        if (m_buttons[i].IsState(CGXBCalcBtn::stateHot))
        {
            m_buttons[i].SetState(CGXBCalcBtn::stateHot, FALSE);
            RedrawButton(i);
        }
    return 0;
}

UINT CGXBCalculator::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
}

LRESULT CGXBCalculator::OnThemeChanged(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    m_themes.Close();
    return Default();
}

// ---- painting

BOOL CGXBCalculator::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

void CGXBCalculator::OnPaint()
{
    CPaintDC dc(this);
    Paint(dc);
}

void CGXBCalculator::Paint(CDC& dc)
{
    const GX_SYS_DATA* pSys = GXGetSysData();
    CRect rectClient;
    GetClientRect(rectClient);
    dc.FillSolidRect(rectClient, pSys->GetSysColor(COLOR_BTNFACE));

    CRect rectText = m_rectDisplay;
    if (!CGXButton::DrawPartWith(m_themes, m_hWnd, &dc, L"Edit", EP_EDITTEXT, ETS_READONLY, m_rectDisplay))
    {
        dc.FillSolidRect(m_rectDisplay, pSys->GetSysColor(COLOR_WINDOW));
        dc.DrawEdge(rectText, EDGE_SUNKEN, BF_RECT);
    }
    rectText.DeflateRect(2, 2);
    rectText.right -= 2;
    CFont* pOld = dc.SelectObject(&m_displayFont);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(pSys->GetSysColor(COLOR_WINDOWTEXT));
    dc.DrawText(GetDisplayText(), rectText, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    dc.SelectObject(pOld);

    if ((m_dwCalcStyle & styleDisplayLine) != 0)
    {
        const int y = m_rectDisplay.bottom + m_nTopMargin + 2;
        dc.FillSolidRect(rectClient.left, y, rectClient.Width(), 1, pSys->GetSysColor(COLOR_BTNHIGHLIGHT));
        dc.FillSolidRect(rectClient.left, y + 1, rectClient.Width(), 1, pSys->GetSysColor(COLOR_BTNSHADOW));
    }
    for (CGXBCalcBtn& button : m_buttons)
        button.Draw(dc, m_themes, m_hWnd);
}

// ---- CGXBPopupCalculator

IMPLEMENT_DYNAMIC(CGXBPopupCalculator, CGXBCalculator)

BEGIN_MESSAGE_MAP(CGXBPopupCalculator, CGXBCalculator)
ON_WM_KEYDOWN()
ON_WM_SYSKEYDOWN()
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CGXBPopupCalculator::CGXBPopupCalculator(BOOL bAutoDelete) : m_bAutoDelete(bAutoDelete)
{
}

BOOL CGXBPopupCalculator::CreatePopup(DWORD dwStyle, const RECT& rectUnder, CWnd* pOwner, CFont* pFont)
{
    m_hOwner = pOwner != nullptr ? pOwner->GetSafeHwnd() : nullptr;
    const DWORD dwPopupStyle = (dwStyle & ~DWORD{WS_CHILD}) | WS_POPUP | WS_BORDER;
    if (!Create(dwPopupStyle, CPoint(rectUnder.left, rectUnder.bottom), pOwner, 0, pFont))
        return FALSE;
    if ((dwStyle & WS_VISIBLE) != 0)
        SetFocus();
    return TRUE;
}

DWORD CGXBPopupCalculator::GetPopupFlags() const
{
    return popupFlags;
}

void CGXBPopupCalculator::NotifyOwner()
{
    if (m_hOwner == nullptr || !::IsWindow(m_hOwner) || IsInError())
        return;
    const CString strText = GetDisplayText();
    ::SendMessage(m_hOwner, GXB_CALC_RESULT, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(strText)));
}

void CGXBPopupCalculator::Finish()
{
    DispatchOperation(opEquals);
    NotifyOwner();
    Close();
}

void CGXBPopupCalculator::Close()
{
    // Closed by a key, the calculator gives the focus back to the edit it serves.
    if (m_hOwner != nullptr && ::IsWindow(m_hOwner) && ::GetFocus() == m_hWnd)
        ::SetFocus(m_hOwner);
    DestroyWindow();
}

void CGXBPopupCalculator::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_ESCAPE)
        Close();
    else if (nChar == VK_RETURN)
        Finish();
    else
        CGXBCalculator::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CGXBPopupCalculator::OnSysKeyDown(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    if (nChar == VK_DOWN)
        Finish();
    else
        Default();
}

void CGXBPopupCalculator::OnKillFocus(CWnd* pNewWnd)
{
    CGXBCalculator::OnKillFocus(pNewWnd);
    // Closed after the focus change has ended.
    PostMessage(WM_CLOSE);
}

void CGXBPopupCalculator::PostNcDestroy()
{
    CGXBCalculator::PostNcDestroy();
    if (m_bAutoDelete)
        delete this;
}
