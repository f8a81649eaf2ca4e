#include <grid/controls/BDTGadget.h>

#include <afxtempl.h>

#include <algorithm>

IMPLEMENT_DYNAMIC(CGXBDTGadget, CObject)
IMPLEMENT_DYNAMIC(CGXBDTNumericGadget, CGXBDTGadget)
IMPLEMENT_DYNAMIC(CGXBDTListGadget, CGXBDTGadget)
IMPLEMENT_DYNAMIC(CGXBDTStaticGadget, CGXBDTGadget)
IMPLEMENT_DYNAMIC(CGXBDTButtonGadget, CGXBDTGadget)
IMPLEMENT_DYNAMIC(CGXBDTSpinGadget, CGXBDTGadget)

namespace
{
constexpr UINT nBeep = 0xFFFFFFFF;
constexpr int nSlowRepeats = 20;
constexpr int nMediumRepeats = 50;

// Timers of the user-interface thread, without a window; their ticks reach the gadget
// through the timer map.
class CThreadTimerSource : public CGXBDTTimerSource
{
public:
    UINT_PTR StartTimer(UINT nMilliseconds) override
    {
        return ::SetTimer(nullptr, 0, nMilliseconds, TimerProc);
    }
    void StopTimer(UINT_PTR nTimerId) override
    {
        ::KillTimer(nullptr, nTimerId);
    }

private:
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR nTimerId, DWORD)
    {
        CGXBDTGadget::DispatchTimer(nTimerId);
    }
};

CThreadTimerSource threadTimers;
CGXBDTTimerSource* pTimerSource = &threadTimers;
// Timer id to gadget, for every running gadget timer of the process.
CMap<UINT_PTR, UINT_PTR, CGXBDTGadget*, CGXBDTGadget*> timerMap;

bool IsDigitKey(UINT nChar)
{
    return (nChar >= '0' && nChar <= '9') || (nChar >= VK_NUMPAD0 && nChar <= VK_NUMPAD9);
}
} // namespace

// ---- CGXBDTGadget

CGXBDTGadget::CGXBDTGadget(CGXBDTGadgetOwner* pOwner, int nID, UINT nStyle)
    : m_pOwner(pOwner), m_nStyle(nStyle), m_nID(nID)
{
}

CGXBDTGadget::~CGXBDTGadget()
{
    StopTimer();
}

BOOL CGXBDTGadget::SetFocus(BOOL bFocus)
{
    if ((m_nStyle & GXBDT_WANTFOCUS) == 0)
        return FALSE;
    if (m_bFocus != bFocus)
    {
        m_bFocus = bFocus;
        Invalidate();
    }
    return TRUE;
}

void CGXBDTGadget::OnKeyDown(UINT)
{
}

void CGXBDTGadget::OnChar(UINT)
{
}

void CGXBDTGadget::OnLButtonDown(CPoint)
{
}

void CGXBDTGadget::OnLButtonUp(CPoint)
{
}

void CGXBDTGadget::OnMouseMove(CPoint)
{
}

void CGXBDTGadget::OnCancelMode()
{
}

void CGXBDTGadget::OnTimer()
{
}

void CGXBDTGadget::OnSysColorChange()
{
}

void CGXBDTGadget::SetValue(int nValue)
{
    if (m_nValue != nValue)
    {
        m_nValue = nValue;
        Invalidate();
    }
}

void CGXBDTGadget::SetTimerSource(CGXBDTTimerSource* pSource)
{
    pTimerSource = pSource != nullptr ? pSource : &threadTimers;
}

BOOL CGXBDTGadget::DispatchTimer(UINT_PTR nTimerId)
{
    CGXBDTGadget* pGadget = nullptr;
    if (!timerMap.Lookup(nTimerId, pGadget))
        return FALSE;
    pGadget->OnTimer();
    return TRUE;
}

BOOL CGXBDTGadget::Notify(int nCode, int nNumber)
{
    return m_pOwner->OnNotifyFromGadget(nCode, m_nID, nNumber);
}

void CGXBDTGadget::Invalidate()
{
    m_pOwner->InvalidateGadget(m_rect);
}

void CGXBDTGadget::StartTimer(UINT nMilliseconds)
{
    StopTimer();
    m_nTimerId = pTimerSource->StartTimer(nMilliseconds);
    if (m_nTimerId != 0)
        timerMap.SetAt(m_nTimerId, this);
}

void CGXBDTGadget::StopTimer()
{
    if (m_nTimerId == 0)
        return;
    pTimerSource->StopTimer(m_nTimerId);
    timerMap.RemoveKey(m_nTimerId);
    m_nTimerId = 0;
}

void CGXBDTGadget::DrawFieldText(CDC& dc, const CString& strText, UINT nFormat)
{
    CRect rect = m_rect;
    if (m_bFocus)
    {
        dc.SetBkMode(OPAQUE);
        dc.SetTextColor(::GetSysColor(COLOR_HIGHLIGHTTEXT));
        dc.SetBkColor(::GetSysColor(COLOR_HIGHLIGHT));
        dc.FillSolidRect(rect, ::GetSysColor(COLOR_HIGHLIGHT));
    }
    else
    {
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
        dc.SetBkColor(m_pOwner->GetGadgetBackground());
    }
    dc.DrawText(strText, rect, nFormat | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

CSize CGXBDTGadget::MeasureText(CDC& dc, const CString& strText) const
{
    CRect rect(0, 0, 0, 0);
    dc.DrawText(strText, rect, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    return rect.Size();
}

BOOL CGXBDTGadget::NotifyNavigationKey(UINT nChar)
{
    switch (nChar)
    {
    case VK_HOME:
        Notify(GXBDT_NOTIFY_FIRST, 0);
        return TRUE;
    case VK_END:
        Notify(GXBDT_NOTIFY_LAST, 0);
        return TRUE;
    case VK_UP:
    case VK_ADD:
        Notify(GXBDT_NOTIFY_UP, 0);
        return TRUE;
    case VK_DOWN:
    case VK_SUBTRACT:
        Notify(GXBDT_NOTIFY_DOWN, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

// ---- CGXBDTNumericGadget

CGXBDTNumericGadget::CGXBDTNumericGadget(CGXBDTGadgetOwner* pOwner, int nID, int nMin, int nMax, BOOL bLeadingZeros)
    : CGXBDTGadget(pOwner, nID, GXBDT_WANTFOCUS), m_nMin(nMin), m_nMax(nMax), m_nDigits(nMax < 10     ? 1
                                                                                        : nMax < 100  ? 2
                                                                                        : nMax < 1000 ? 3
                                                                                                      : 4),
      m_bLeadingZeros(bLeadingZeros)
{
}

void CGXBDTNumericGadget::CalculateSize(CDC& dc)
{
    SetRect(CRect(CPoint(0, 0), MeasureText(dc, CString(_T("00000")).Left(m_nDigits))));
}

void CGXBDTNumericGadget::Draw(CDC& dc)
{
    const int nShown = m_nTypedDigits > 0 ? m_nTypedValue : GetValue();
    CString strText;
    if (m_bLeadingZeros && m_nTypedDigits == 0)
    {
        CString strFormat;
        strFormat.Format(_T("%%0%dd"), m_nDigits);
        strText.Format(strFormat, nShown);
    }
    else
        strText.Format(_T("%d"), nShown);
    DrawFieldText(dc, strText, DT_CENTER);
}

BOOL CGXBDTNumericGadget::SetFocus(BOOL bFocus)
{
    if (!bFocus && m_nTypedDigits > 0)
        CommitTyped();
    return CGXBDTGadget::SetFocus(bFocus);
}

void CGXBDTNumericGadget::OnKeyDown(UINT nChar)
{
    if (m_nTypedDigits > 0 && !IsDigitKey(nChar) && !CommitTyped())
        return;
    NotifyNavigationKey(nChar);
}

void CGXBDTNumericGadget::OnChar(UINT nChar)
{
    if (nChar < '0' || nChar > '9')
    {
        if (m_nTypedDigits > 0)
        {
            ::MessageBeep(nBeep);
            DropTyped();
        }
        return;
    }
    const int nDigit = static_cast<int>(nChar - '0');
    if (m_nTypedDigits == 0)
    {
        Notify(GXBDT_NOTIFY_TYPING, 1);
        m_nTypedValue = 0;
    }
    else if (nDigit == 0 && m_nTypedValue == 0)
        return;
    m_nTypedValue = m_nTypedValue * 10 + nDigit;
    ++m_nTypedDigits;
    Invalidate();
    if (m_nTypedDigits >= m_nDigits && CommitTyped())
        Notify(GXBDT_NOTIFY_FULL, 0);
}

BOOL CGXBDTNumericGadget::CommitTyped()
{
    m_nTypedDigits = 0;
    const BOOL bAccepted = Notify(GXBDT_NOTIFY_TEST, m_nTypedValue);
    if (bAccepted)
    {
        SetValue(m_nTypedValue);
        Notify(GXBDT_NOTIFY_SET, m_nTypedValue);
    }
    else
        ::MessageBeep(nBeep);
    Invalidate();
    Notify(GXBDT_NOTIFY_TYPING, 0);
    return bAccepted;
}

void CGXBDTNumericGadget::DropTyped()
{
    m_nTypedDigits = 0;
    m_nTypedValue = 0;
    Invalidate();
    Notify(GXBDT_NOTIFY_TYPING, 0);
}

// ---- CGXBDTListGadget

CGXBDTListGadget::CGXBDTListGadget(CGXBDTGadgetOwner* pOwner, int nID, const CStringArray& choices)
    : CGXBDTGadget(pOwner, nID, GXBDT_WANTFOCUS)
{
    m_choices.Copy(choices);
}

void CGXBDTListGadget::CalculateSize(CDC& dc)
{
    CSize size(0, MeasureText(dc, _T("0")).cy);
    for (INT_PTR i = 0; i < m_choices.GetSize(); ++i)
    {
        const CSize sizeChoice = MeasureText(dc, m_choices[i]);
        size.cx = std::max(size.cx, sizeChoice.cx);
        size.cy = std::max(size.cy, sizeChoice.cy);
    }
    SetRect(CRect(CPoint(0, 0), size));
}

void CGXBDTListGadget::Draw(CDC& dc)
{
    const int nIndex = GetValue();
    DrawFieldText(dc, nIndex >= 0 && nIndex < m_choices.GetSize() ? m_choices[nIndex] : CString(), DT_CENTER);
}

void CGXBDTListGadget::OnKeyDown(UINT nChar)
{
    if (NotifyNavigationKey(nChar))
        ClearPrefix();
}

void CGXBDTListGadget::OnChar(UINT nChar)
{
    const int nCount = static_cast<int>(m_choices.GetSize());
    if (nCount == 0)
        return;
    const TCHAR szKey[2] = {static_cast<TCHAR>(nChar), 0};
    int nStart = GetValue();
    if (m_strPrefix.IsEmpty() || (m_strPrefix.GetLength() == 1 && m_strPrefix.CompareNoCase(szKey) == 0))
    {
        m_strPrefix = szKey;
        ++nStart;
    }
    else
        m_strPrefix += szKey;
    if (!SelectMatch(nStart % nCount))
    {
        ::MessageBeep(nBeep);
        ClearPrefix();
        return;
    }
    StartTimer(nTypeAheadDelay);
}

int CGXBDTListGadget::FindString(LPCTSTR pszText, int nStart) const
{
    const int nLength = static_cast<int>(_tcslen(pszText));
    for (int i = std::max(0, nStart + 1); i < m_choices.GetSize(); ++i)
        if (m_choices[i].GetLength() >= nLength && _tcsnicmp(m_choices[i], pszText, nLength) == 0)
            return i;
    return -1;
}

void CGXBDTListGadget::OnTimer()
{
    ClearPrefix();
}

BOOL CGXBDTListGadget::SelectMatch(int nStart)
{
    const int nCount = static_cast<int>(m_choices.GetSize());
    for (int i = 0; i < nCount; ++i)
    {
        const int nIndex = (nStart + i) % nCount;
        const CString& strChoice = m_choices[nIndex];
        if (strChoice.GetLength() >= m_strPrefix.GetLength() &&
            strChoice.Left(m_strPrefix.GetLength()).CompareNoCase(m_strPrefix) == 0 &&
            Notify(GXBDT_NOTIFY_TEST, nIndex))
        {
            SetValue(nIndex);
            Notify(GXBDT_NOTIFY_SET, nIndex);
            return TRUE;
        }
    }
    return FALSE;
}

void CGXBDTListGadget::ClearPrefix()
{
    m_strPrefix.Empty();
    StopTimer();
}

// ---- CGXBDTStaticGadget

CGXBDTStaticGadget::CGXBDTStaticGadget(CGXBDTGadgetOwner* pOwner, const CString& strText)
    : CGXBDTGadget(pOwner, -1, 0), m_strText(strText)
{
}

void CGXBDTStaticGadget::CalculateSize(CDC& dc)
{
    SetRect(CRect(CPoint(0, 0), MeasureText(dc, m_strText)));
}

void CGXBDTStaticGadget::Draw(CDC& dc)
{
    DrawFieldText(dc, m_strText, DT_LEFT);
}

// ---- CGXBDTButtonGadget

CGXBDTButtonGadget::CGXBDTButtonGadget(CGXBDTGadgetOwner* pOwner, int nID, UINT nBitmapId)
    : CGXBDTGadget(pOwner, nID, GXBDT_WANTMOUSE), m_nBitmapId(nBitmapId)
{
    LoadBitmap();
}

CGXBDTButtonGadget::~CGXBDTButtonGadget()
{
    if (m_hBitmap != nullptr)
        ::DeleteObject(m_hBitmap);
}

void CGXBDTButtonGadget::CalculateSize(CDC&)
{
    SetRect(CRect(0, 0, nWidth, -1));
}

void CGXBDTButtonGadget::Draw(CDC& dc)
{
    const CRect rect = GetRect();
    dc.FillSolidRect(rect, ::GetSysColor(COLOR_BTNFACE));
    dc.DrawEdge(CRect(rect), IsDrawnPressed() ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    DrawBitmap(dc, rect);
}

void CGXBDTButtonGadget::DrawBitmap(CDC& dc, const CRect& rect) const
{
    BITMAP bm{};
    if (m_hBitmap == nullptr || ::GetObject(m_hBitmap, sizeof(bm), &bm) == 0)
        return;
    const int nShift = IsDrawnPressed() ? 1 : 0;
    CDC dcBitmap;
    if (!dcBitmap.CreateCompatibleDC(&dc))
        return;
    const HGDIOBJ hOld = ::SelectObject(dcBitmap.m_hDC, m_hBitmap);
    dc.BitBlt(rect.left + (rect.Width() - bm.bmWidth) / 2 + nShift,
              rect.top + (rect.Height() - bm.bmHeight) / 2 + nShift, bm.bmWidth, bm.bmHeight, &dcBitmap, 0, 0, SRCCOPY);
    ::SelectObject(dcBitmap.m_hDC, hOld);
}

void CGXBDTButtonGadget::OnLButtonDown(CPoint)
{
    m_nState = stateCaptured | stateDrawnPressed;
    Invalidate();
    ::SetCapture(m_pOwner->GetGadgetWindow());
}

void CGXBDTButtonGadget::OnLButtonUp(CPoint point)
{
    if ((m_nState & stateCaptured) == 0)
        return;
    EndCapture();
    if (GetRect().PtInRect(point))
        Notify(GXBDT_NOTIFY_CLICKED, 0);
}

void CGXBDTButtonGadget::OnMouseMove(CPoint point)
{
    if ((m_nState & stateCaptured) == 0)
        return;
    const UINT nDrawn = GetRect().PtInRect(point) ? UINT{stateDrawnPressed} : 0U;
    if ((m_nState & stateDrawnPressed) != nDrawn)
    {
        m_nState = stateCaptured | nDrawn;
        Invalidate();
    }
}

void CGXBDTButtonGadget::OnCancelMode()
{
    if ((m_nState & stateCaptured) != 0)
        EndCapture();
}

void CGXBDTButtonGadget::OnSysColorChange()
{
    LoadBitmap();
}

void CGXBDTButtonGadget::LoadBitmap()
{
    if (m_hBitmap != nullptr)
        ::DeleteObject(m_hBitmap);
    m_hBitmap = static_cast<HBITMAP>(::LoadImage(AfxFindResourceHandle(MAKEINTRESOURCE(m_nBitmapId), RT_BITMAP),
                                                 MAKEINTRESOURCE(m_nBitmapId), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
}

void CGXBDTButtonGadget::EndCapture()
{
    m_nState = 0;
    if (::GetCapture() == m_pOwner->GetGadgetWindow())
        ::ReleaseCapture();
    Invalidate();
}

// ---- CGXBDTSpinGadget

CGXBDTSpinGadget::CGXBDTSpinGadget(CGXBDTGadgetOwner* pOwner, int nID) : CGXBDTGadget(pOwner, nID, GXBDT_WANTMOUSE)
{
}

void CGXBDTSpinGadget::CalculateSize(CDC&)
{
    SetRect(CRect(0, 0, nWidth, -1));
}

void CGXBDTSpinGadget::Draw(CDC& dc)
{
    DrawSpinHalf(dc, UpperHalf(), TRUE, IsUpPressed());
    DrawSpinHalf(dc, LowerHalf(), FALSE, IsDownPressed());
}

void CGXBDTSpinGadget::DrawSpinHalf(CDC& dc, const CRect& rect, BOOL bUp, BOOL bPressed)
{
    CRect rectFace = rect;
    dc.FillSolidRect(rectFace, ::GetSysColor(COLOR_BTNFACE));
    dc.DrawEdge(rectFace, bPressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    const int nHalfWidth = std::min(4, static_cast<int>(rect.Height() / 4 + 1));
    const int nShift = bPressed ? 1 : 0;
    const int cx = rect.left + rect.Width() / 2 + nShift;
    const int cy = rect.top + rect.Height() / 2 + nShift;
    const int nTip = bUp ? cy - nHalfWidth / 2 : cy + nHalfWidth / 2;
    const int nBase = bUp ? nTip + nHalfWidth : nTip - nHalfWidth;
    const POINT triangle[3] = {{cx - nHalfWidth, nBase}, {cx + nHalfWidth, nBase}, {cx, nTip}};
    const COLORREF clrArrow = ::GetSysColor(COLOR_BTNTEXT);
    CBrush brush(clrArrow);
    CPen pen(PS_SOLID, 1, clrArrow);
    CBrush* pOldBrush = dc.SelectObject(&brush);
    CPen* pOldPen = dc.SelectObject(&pen);
    dc.Polygon(triangle, 3);
    dc.SelectObject(pOldPen);
    dc.SelectObject(pOldBrush);
}

void CGXBDTSpinGadget::OnLButtonDown(CPoint point)
{
    if (UpperHalf().PtInRect(point))
        m_nState = stateUpPressed | stateUpCaptured;
    else if (LowerHalf().PtInRect(point))
        m_nState = stateDownPressed | stateDownCaptured;
    else
        return;
    Invalidate();
    Notify(SpinCode(), 1);
    ::SetCapture(m_pOwner->GetGadgetWindow());
    m_nRepeats = 0;
    m_nState |= stateTimer | stateFirstDelay;
    StartTimer(m_pOwner->GetSpinInitialDelay());
}

void CGXBDTSpinGadget::OnLButtonUp(CPoint)
{
    if ((m_nState & (stateUpCaptured | stateDownCaptured)) != 0)
        EndCapture();
}

void CGXBDTSpinGadget::OnMouseMove(CPoint point)
{
    const UINT nCaptured = m_nState & (stateUpCaptured | stateDownCaptured);
    if (nCaptured == 0)
        return;
    const bool bUp = nCaptured == stateUpCaptured;
    const UINT nPressed = bUp ? stateUpPressed : stateDownPressed;
    const bool bInside = (bUp ? UpperHalf() : LowerHalf()).PtInRect(point) != FALSE;
    if (bInside == ((m_nState & nPressed) != 0))
        return;
    if (bInside)
    {
        // Back over the half: repeat again, from the slow steps.
        m_nState |= nPressed | stateTimer;
        m_nState &= ~stateFirstDelay;
        m_nRepeats = 0;
        StartTimer(m_pOwner->GetSpinRepeatDelay());
    }
    else
    {
        m_nState &= ~(nPressed | stateTimer);
        StopTimer();
    }
    Invalidate();
}

void CGXBDTSpinGadget::OnCancelMode()
{
    if ((m_nState & (stateUpCaptured | stateDownCaptured)) != 0)
        EndCapture();
}

void CGXBDTSpinGadget::OnTimer()
{
    if ((m_nState & stateTimer) == 0)
        return;
    if ((m_nState & stateFirstDelay) != 0)
    {
        m_nState &= ~stateFirstDelay;
        StartTimer(m_pOwner->GetSpinRepeatDelay());
    }
    ++m_nRepeats;
    Notify(SpinCode(), m_nRepeats <= nSlowRepeats ? 1 : m_nRepeats <= nMediumRepeats ? 2 : 5);
}

CRect CGXBDTSpinGadget::UpperHalf() const
{
    const CRect& rect = GetRect();
    return CRect(rect.left, rect.top, rect.right, rect.top + rect.Height() / 2);
}

CRect CGXBDTSpinGadget::LowerHalf() const
{
    const CRect& rect = GetRect();
    return CRect(rect.left, rect.top + rect.Height() / 2, rect.right, rect.bottom);
}

int CGXBDTSpinGadget::SpinCode() const
{
    return (m_nState & stateUpCaptured) != 0 ? GXBDT_NOTIFY_SPINUP : GXBDT_NOTIFY_SPINDOWN;
}

void CGXBDTSpinGadget::EndCapture()
{
    m_nState = 0;
    StopTimer();
    if (::GetCapture() == m_pOwner->GetGadgetWindow())
        ::ReleaseCapture();
    Invalidate();
}
