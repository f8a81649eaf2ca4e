// SECProgressCtrl: position and range, the stepping and marquee timer, and the buffered
// painting of background, bar and two-coloured text.
#include <toolkit/bars/ProgressCtrl.h>

#include <toolkit/foundation/VisualStyle.h>

#include <algorithm>
#include <set>

namespace tarnwick::bars
{
IMPLEMENT_DYNAMIC(SECProgressCtrl, CProgressCtrl)

namespace
{
// The marquee's step interval.
constexpr UINT MARQUEE_MS = 50;
// Parts of the "Progress" theme class.
constexpr int PP_BAR = 1;
constexpr int PP_BARVERT = 2;
constexpr int PP_FILL = 5;
constexpr int PP_FILLVERT = 6;
constexpr int PP_MARQUEEVERT = 7;
constexpr int PP_MARQUEE = 9;

// Dispatches the paint messages waiting now; a window that comes again without having
// validated itself ends the pump instead of holding it.
void PumpPaintMessages()
{
    std::set<HWND> painted;
    MSG msg;
    while (::PeekMessage(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
    {
        if (!painted.insert(msg.hwnd).second)
            break;
        ::DispatchMessage(&msg);
    }
}

// The bar's and the rest's span along the bar's axis of length nLength.
void AxisSpans(int nLength, float fPercent, BOOL bFromFarEnd, BOOL bMarquee, int& nBarFrom, int& nBarTo, int& nRestFrom,
               int& nRestTo)
{
    const int l = static_cast<int>(static_cast<float>(nLength) * fPercent / 100.0f);
    const int d = bMarquee ? nLength / 10 : 0;
    if (!bFromFarEnd)
    {
        nBarFrom = bMarquee ? l - d : 0;
        nBarTo = l + d;
        nRestFrom = l + d;
        nRestTo = nLength;
    }
    else
    {
        nBarFrom = nLength - l - d;
        nBarTo = bMarquee ? nLength - l + d : nLength;
        nRestFrom = 0;
        nRestTo = nLength - l - d;
    }
}
} // namespace

BEGIN_MESSAGE_MAP(SECProgressCtrl, CProgressCtrl)
ON_WM_CREATE()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_SHOWWINDOW()
ON_WM_TIMER()
ON_MESSAGE(WM_THEMECHANGED, OnThemeChanged)
END_MESSAGE_MAP()

SECProgressCtrl::SECProgressCtrl()
    : m_nPos(0), m_nStep(10), m_nLower(0), m_nUpper(100), m_crBar(RGB(0, 0, 128)), m_crBk(RGB(255, 255, 255)),
      m_pFont(nullptr), m_bVisible(TRUE), m_bCreated(FALSE), m_dwStyle(0x4100), m_rcClient(0, 0, 0, 0),
      m_nTimerId(ID_TIMER_PROGRESS), m_bMarqueeRunning(TRUE)
{
}

SECProgressCtrl::~SECProgressCtrl() = default;

BOOL SECProgressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwProgressStyle)
{
    if (m_hWnd != nullptr)
        return FALSE;
    m_dwStyle = dwProgressStyle;
    m_bCreated = CProgressCtrl::Create(dwStyle, rect, pParentWnd, nID);
    return m_bCreated;
}

BOOL SECProgressCtrl::SubclassCtrl(UINT nID, CWnd* pParent)
{
    if (!SubclassDlgItem(nID, pParent))
        return FALSE;
    m_bCreated = TRUE;
    return OnInitCtrl() > 0;
}

int SECProgressCtrl::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CProgressCtrl::OnCreate(lpcs) == -1)
        return -1;
    return OnInitCtrl() > 0 ? 0 : -1;
}

int SECProgressCtrl::OnInitCtrl()
{
    GetClientRect(m_rcClient);
    return 1;
}

void SECProgressCtrl::InvalidateIfCreated()
{
    if (m_bCreated && m_hWnd != nullptr)
        Invalidate();
}

void SECProgressCtrl::SetRange(int nLower, int nUpper)
{
    m_nLower = nLower;
    m_nUpper = nUpper;
    if (m_hWnd != nullptr)
        SendMessage(PBM_SETRANGE32, static_cast<WPARAM>(nLower), static_cast<LPARAM>(nUpper));
}

int SECProgressCtrl::SetPos(int nPos, BOOL bPump)
{
    const int nOld = m_nPos;
    m_nPos = nPos;
    int nResult = nOld;
    if (IsNative() && m_hWnd != nullptr)
        nResult = static_cast<int>(SendMessage(PBM_SETPOS, static_cast<WPARAM>(nPos)));
    InvalidateIfCreated();
    if (bPump)
        PumpPaintMessages();
    return nResult;
}

int SECProgressCtrl::OffsetPos(int nDelta, BOOL bPump)
{
    if (!IsNative())
        return SetPos(m_nPos + nDelta, bPump);
    m_nPos += nDelta;
    return m_hWnd != nullptr ? static_cast<int>(SendMessage(PBM_DELTAPOS, static_cast<WPARAM>(nDelta))) : 0;
}

int SECProgressCtrl::SetStep(int nStep)
{
    const int nOld = m_nStep;
    m_nStep = nStep;
    if (m_hWnd != nullptr)
        SendMessage(PBM_SETSTEP, static_cast<WPARAM>(nStep));
    return nOld;
}

int SECProgressCtrl::StepIt(BOOL bPump)
{
    if (!IsNative())
        return OffsetPos(m_nStep, bPump);
    m_nPos += m_nStep;
    return m_hWnd != nullptr ? static_cast<int>(SendMessage(PBM_STEPIT)) : 0;
}

void SECProgressCtrl::SetColors(COLORREF crBar, COLORREF crBk)
{
    m_crBar = crBar;
    m_crBk = crBk;
    InvalidateIfCreated();
}

void SECProgressCtrl::SetTextFont(CFont* pFont, BOOL bRedraw)
{
    m_pFont = pFont;
    if (bRedraw)
        InvalidateIfCreated();
}

void SECProgressCtrl::SetText(LPCTSTR lpszText)
{
    m_strText = lpszText;
}

CString SECProgressCtrl::GetText() const
{
    return m_strText;
}

void SECProgressCtrl::FormatText(CString&)
{
}

void SECProgressCtrl::SetProgressStyle(DWORD dwStyle)
{
    if ((dwStyle & PBS_SEC_NATIVE) && !IsNative() && m_hWnd != nullptr)
        SendMessage(PBM_SETPOS, static_cast<WPARAM>(m_nPos));
    m_dwStyle = dwStyle;
    InvalidateIfCreated();
}

void SECProgressCtrl::Reset()
{
    SetPos(m_nLower, TRUE);
    if (m_bCreated && m_hWnd != nullptr)
    {
        GetClientRect(m_rcClient);
        Invalidate();
    }
}

BOOL SECProgressCtrl::StartTimer(UINT nElapse)
{
    const BOOL bDone = (m_dwStyle & PBS_SEC_MARQUEE) ? !m_bMarqueeRunning : m_nPos >= m_nUpper;
    if (bDone || nElapse == 0)
    {
        KillTimer(m_nTimerId);
        return !bDone;
    }
    if (SetTimer(ID_TIMER_PROGRESS, nElapse, nullptr) == 0)
        return FALSE;
    m_nTimerId = ID_TIMER_PROGRESS;
    return TRUE;
}

void SECProgressCtrl::StartMarquee()
{
    m_bMarqueeRunning = SetTimer(ID_TIMER_PROGRESS, MARQUEE_MS, nullptr) != 0;
    if (m_bMarqueeRunning)
        m_nTimerId = ID_TIMER_PROGRESS;
}

void SECProgressCtrl::SetMarqueeRunning(BOOL bRunning)
{
    m_bMarqueeRunning = bRunning;
}

float SECProgressCtrl::GetPercent() const
{
    // Signed and in 64 bits, so that positions below a lower bound of 0 show 0 and wide
    // ranges cannot overflow.
    const long long nLower = m_nLower;
    const long long nUpper = m_nUpper;
    const long long nPos = std::max(nLower, std::min(static_cast<long long>(m_nPos), nUpper));
    const long long nRange = nUpper == nLower ? 1 : nUpper - nLower;
    return static_cast<float>(nPos - nLower) / static_cast<float>(nRange) * 100.0f;
}

void SECProgressCtrl::CalcRects(float fPercent, CRect& rectBar, CRect& rectRest) const
{
    const CRect& rc = m_rcClient;
    const BOOL bMarquee = (m_dwStyle & PBS_SEC_MARQUEE) != 0;
    rectBar = rectRest = rc;
    int nBarFrom = 0;
    int nBarTo = 0;
    int nRestFrom = 0;
    int nRestTo = 0;
    if (IsVertical())
    {
        AxisSpans(rc.Height(), fPercent, !(m_dwStyle & PBS_SEC_TOPTOBOTTOM), bMarquee, nBarFrom, nBarTo, nRestFrom,
                  nRestTo);
        rectBar.top = rc.top + nBarFrom;
        rectBar.bottom = rc.top + nBarTo;
        rectRest.top = rc.top + nRestFrom;
        rectRest.bottom = rc.top + nRestTo;
    }
    else
    {
        AxisSpans(rc.Width(), fPercent, (m_dwStyle & PBS_SEC_RIGHTTOLEFT) != 0, bMarquee, nBarFrom, nBarTo, nRestFrom,
                  nRestTo);
        rectBar.left = rc.left + nBarFrom;
        rectBar.right = rc.left + nBarTo;
        rectRest.left = rc.left + nRestFrom;
        rectRest.right = rc.left + nRestTo;
    }
}

HTHEME SECProgressCtrl::GetTheme()
{
    return SECIsThemeActive() ? m_theme.Get(m_hWnd) : nullptr;
}

BOOL SECProgressCtrl::IsThemedStyle()
{
    return GetTheme() != nullptr && SECIsVisualStyle4();
}

void SECProgressCtrl::DrawBackground(CDC* pDC, const CRect& rectRest)
{
    if (IsThemedStyle())
        SECDrawThemeBackground(GetTheme(), pDC->m_hDC, IsVertical() ? PP_BARVERT : PP_BAR, 0, m_rcClient, nullptr);
    else
        pDC->FillSolidRect(rectRest, m_crBk);
}

void SECProgressCtrl::DrawBar(CDC* pDC, const CRect& rectBar)
{
    if (IsThemedStyle())
    {
        HTHEME hTheme = GetTheme();
        SECDrawThemeBackground(hTheme, pDC->m_hDC, IsVertical() ? PP_BARVERT : PP_BAR, 0, m_rcClient, nullptr);
        int nPart = IsVertical() ? PP_FILLVERT : PP_FILL;
        int nState = 1;
        if (m_dwStyle & PBS_SEC_MARQUEE)
        {
            nPart = IsVertical() ? PP_MARQUEEVERT : PP_MARQUEE;
            nState = 0;
        }
        else if (m_dwStyle & (PBS_SEC_NATIVE | PBS_SEC_MARQUEE))
            nState = 2;
        else if (m_dwStyle & PBS_SEC_STATEPAUSED)
            nState = 3;
        else if (m_dwStyle & PBS_SEC_STATEERROR)
            nState = 4;
        if (SUCCEEDED(SECDrawThemeBackground(hTheme, pDC->m_hDC, nPart, nState, rectBar, nullptr)))
            return;
    }
    pDC->FillSolidRect(rectBar, m_crBar);
}

void SECProgressCtrl::DrawText(CDC* pDC, float fPercent, const CRect& rectRest, const CRect& rectBar)
{
    CString strText;
    if (m_dwStyle & PBS_SEC_PERCENT)
        strText.Format(_T("%d %%"), std::min(100, static_cast<int>(fPercent + 0.5f)));
    else if (m_dwStyle & PBS_SEC_TEXT)
        strText = m_strText;
    else
        return;
    FormatText(strText);
    CFont* pOldFont = m_pFont != nullptr ? pDC->SelectObject(m_pFont) : nullptr;
    UINT nFormat = DT_SINGLELINE | DT_VCENTER;
    if (m_dwStyle & PBS_SEC_TEXTLEFT)
        nFormat |= DT_LEFT;
    else if (m_dwStyle & PBS_SEC_TEXTRIGHT)
        nFormat |= DT_RIGHT;
    else
        nFormat |= DT_CENTER;
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF crOld = pDC->GetTextColor();
    // In the background colour over the bar, in the bar colour over the rest.
    for (const auto& [rectClip, crText] : {std::pair{rectBar, m_crBk}, std::pair{rectRest, m_crBar}})
    {
        CRgn rgn;
        if (!rgn.CreateRectRgnIndirect(rectClip))
            continue; // unclipped, the two colours would overwrite each other
        pDC->SelectClipRgn(&rgn);
        pDC->SetTextColor(crText);
        CRect rect = m_rcClient;
        pDC->DrawText(strText, rect, nFormat);
    }
    pDC->SelectClipRgn(nullptr);
    pDC->SetTextColor(crOld);
    pDC->SetBkMode(nOldMode);
    if (pOldFont != nullptr)
        pDC->SelectObject(pOldFont);
}

void SECProgressCtrl::DrawBuffered(float fPercent, const CRect& rectBar, const CRect& rectRest, CDC* pDC)
{
    CDC dcMem;
    CBitmap bitmap;
    if (!dcMem.CreateCompatibleDC(pDC) || !bitmap.CreateCompatibleBitmap(pDC, m_rcClient.Width(), m_rcClient.Height()))
        return;
    CBitmap* pOld = dcMem.SelectObject(&bitmap);
    // The font the window's DC has, unless one is set.
    CFont* pOldFont = dcMem.SelectObject(pDC->GetCurrentFont());
    DrawBackground(&dcMem, rectRest);
    DrawBar(&dcMem, rectBar);
    DrawText(&dcMem, fPercent, rectRest, rectBar);
    pDC->BitBlt(m_rcClient.left, m_rcClient.top, m_rcClient.Width(), m_rcClient.Height(), &dcMem, m_rcClient.left,
                m_rcClient.top, SRCCOPY);
    dcMem.SelectObject(pOldFont);
    dcMem.SelectObject(pOld);
}

void SECProgressCtrl::OnDraw(CDC* pDC)
{
    if (!m_bVisible)
        return;
    const float fPercent = GetPercent();
    CRect rectBar;
    CRect rectRest;
    CalcRects(fPercent, rectBar, rectRest);
    DrawBuffered(fPercent, rectBar, rectRest, pDC);
}

void SECProgressCtrl::OnPaint()
{
    if (IsNative())
    {
        Default();
        return;
    }
    CPaintDC dc(this);
    OnDraw(&dc);
}

BOOL SECProgressCtrl::OnEraseBkgnd(CDC*)
{
    return IsNative() ? static_cast<BOOL>(Default()) : TRUE;
}

void SECProgressCtrl::OnSize(UINT nType, int cx, int cy)
{
    CProgressCtrl::OnSize(nType, cx, cy);
    GetClientRect(m_rcClient);
}

void SECProgressCtrl::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CProgressCtrl::OnShowWindow(bShow, nStatus);
    m_bVisible = bShow;
}

void SECProgressCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == m_nTimerId)
    {
        StepIt(TRUE);
        if (!(m_dwStyle & PBS_SEC_MARQUEE))
        {
            if (m_nPos >= m_nUpper)
                KillTimer(m_nTimerId);
        }
        else if (!m_bMarqueeRunning)
            KillTimer(m_nTimerId);
        else if (m_nPos >= m_nUpper)
            SetPos(0);
    }
    CProgressCtrl::OnTimer(nIDEvent);
}

LRESULT SECProgressCtrl::OnThemeChanged(WPARAM, LPARAM)
{
    m_theme.Close();
    return Default();
}
} // namespace tarnwick::bars
