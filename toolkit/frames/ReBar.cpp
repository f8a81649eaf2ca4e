// SECReBar: the rebar control as a control bar, its bands and its height in the frame's layout.
#include <toolkit/frames/ReBar.h>

#include <afxpriv.h>

namespace tarnwick::frames
{
IMPLEMENT_DYNAMIC(SECReBar, CControlBar)

namespace
{
// The frame places the bar: the control neither sizes nor aligns itself.
constexpr DWORD CONTROL_LAYOUT_STYLES = CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER;
constexpr int NO_LENGTH_LIMIT = 32767;
} // namespace

BEGIN_MESSAGE_MAP(SECReBar, CControlBar)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_NOTIFY_REFLECT(RBN_HEIGHTCHANGE, OnHeightChange)
END_MESSAGE_MAP()

BOOL SECReBar::Create(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    // The bands carry their own borders.
    m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0;
    if (!AfxDeferRegisterClass(AFX_WNDCOMMCTL_COOL_REG))
        return FALSE;
    const DWORD dwWndStyle = (dwStyle & ~CBRS_ALL) | WS_CHILD | CONTROL_LAYOUT_STYLES | dwCtrlStyle;
    return CWnd::Create(REBARCLASSNAME, nullptr, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL SECReBar::AddBar(CWnd* pBar, LPCTSTR lpszText, UINT fBandStyle)
{
    CSize size;
    if (auto* pControlBar = DYNAMIC_DOWNCAST(CControlBar, pBar))
        size = pControlBar->CalcFixedLayout(FALSE, (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
    else
    {
        CRect rect;
        pBar->GetWindowRect(rect);
        size = rect.Size();
    }
    REBARBANDINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_STYLE | (lpszText != nullptr ? RBBIM_TEXT : 0);
    info.fStyle = fBandStyle;
    info.lpText = const_cast<LPWSTR>(lpszText);
    info.hwndChild = pBar->m_hWnd;
    info.cxMinChild = static_cast<UINT>(size.cx);
    info.cyMinChild = static_cast<UINT>(size.cy);
    if (!SendMessage(RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&info)))
        return FALSE;
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->RecalcLayout();
    return TRUE;
}

int SECReBar::GetBandCount() const
{
    return static_cast<int>(const_cast<SECReBar*>(this)->SendMessage(RB_GETBANDCOUNT));
}

BOOL SECReBar::GetBandInfo(int nBand, REBARBANDINFOW& info) const
{
    info.cbSize = sizeof(info);
    return static_cast<BOOL>(
        const_cast<SECReBar*>(this)->SendMessage(RB_GETBANDINFOW, nBand, reinterpret_cast<LPARAM>(&info)));
}

BOOL SECReBar::SetBandInfo(int nBand, REBARBANDINFOW& info)
{
    info.cbSize = sizeof(info);
    return static_cast<BOOL>(SendMessage(RB_SETBANDINFOW, nBand, reinterpret_cast<LPARAM>(&info)));
}

int SECReBar::FindBand(HWND hWndChild) const
{
    for (int i = 0; i < GetBandCount(); ++i)
    {
        REBARBANDINFOW info{};
        info.fMask = RBBIM_CHILD;
        if (GetBandInfo(i, info) && info.hwndChild == hWndChild)
            return i;
    }
    return -1;
}

CSize SECReBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    for (int i = 0; i < GetBandCount(); ++i)
    {
        REBARBANDINFOW info{};
        info.fMask = RBBIM_CHILD;
        if (!GetBandInfo(i, info))
            continue;
        if (auto* pBar = DYNAMIC_DOWNCAST(CControlBar, CWnd::FromHandlePermanent(info.hwndChild)))
            pBar->CalcFixedLayout(FALSE, bHorz);
    }
    CRect rect;
    GetWindowRect(rect);
    const int nThickness = static_cast<int>(SendMessage(RB_GETBARHEIGHT));
    if (bHorz)
        return CSize(bStretch ? NO_LENGTH_LIMIT : rect.Width(), nThickness);
    return CSize(nThickness, bStretch ? NO_LENGTH_LIMIT : rect.Height());
}

void SECReBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
}

void SECReBar::OnPaint()
{
    Default();
}

BOOL SECReBar::OnEraseBkgnd(CDC*)
{
    return static_cast<BOOL>(Default());
}

void SECReBar::OnHeightChange(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->DelayRecalcLayout();
}
} // namespace tarnwick::frames
