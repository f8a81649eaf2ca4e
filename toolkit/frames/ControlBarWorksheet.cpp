// SECControlBarWorksheet: a worksheet hosting a control bar.
#include <toolkit/frames/ControlBarWorksheet.h>
#include <toolkit/frames/WorkbookWnd.h>

namespace tarnwick::frames
{
IMPLEMENT_DYNCREATE(SECControlBarWorksheet, SECWorksheetWnd)

BEGIN_MESSAGE_MAP(SECControlBarWorksheet, SECWorksheetWnd)
ON_WM_SIZE()
ON_WM_CLOSE()
ON_WM_WINDOWPOSCHANGED()
ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

SECControlBarWorksheet::SECControlBarWorksheet() : m_host(*this)
{
}

BOOL SECControlBarWorksheet::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                                       CCreateContext* pContext)
{
    if (!SECWorksheetWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    if (HICON hIcon = GetIcon())
        ::DestroyIcon(hIcon);
    SetIcon(nullptr);
    return TRUE;
}

BOOL SECControlBarWorksheet::PreCreateWindow(CREATESTRUCT& cs)
{
    m_host.PreCreateWindow(cs);
    return SECWorksheetWnd::PreCreateWindow(cs);
}

BOOL SECControlBarWorksheet::OnCreateClient(LPCREATESTRUCT, CCreateContext*)
{
    return m_host.CreateDockBar();
}

void SECControlBarWorksheet::RecalcLayout(BOOL bNotify)
{
    m_host.RecalcLayout([&] {
        SECWorksheetWnd::RecalcLayout(bNotify);
        // A bar that just arrived lends the tab its icon.
        if (GetIcon() == nullptr)
            OnUpdateFrameTitle(TRUE);
    });
}

void SECControlBarWorksheet::OnUpdateFrameTitle(BOOL)
{
    SECDockBar& dockBar = GetDockBar();
    if (GetIcon() == nullptr && dockBar.m_hWnd != nullptr)
        for (int nPos = 1; nPos < dockBar.m_arrBars.GetSize(); ++nPos)
        {
            CControlBar* pBar = dockBar.GetDockedControlBar(nPos);
            const auto hIcon = pBar != nullptr ? reinterpret_cast<HICON>(pBar->SendMessage(WM_GETICON, ICON_BIG)) : nullptr;
            if (hIcon == nullptr)
                continue;
            // The sheet destroys its icon; the bar keeps its own.
            SetIcon(::CopyIcon(hIcon));
            break;
        }
    if (SECWorkbookWnd* pWorkbook = GetWorkbook())
        pWorkbook->InvalidateTab(this, FALSE);
}

void SECControlBarWorksheet::OnSize(UINT nType, int cx, int cy)
{
    m_host.OnSize(cx, cy);
    SECWorksheetWnd::OnSize(nType, cx, cy);
}

void SECControlBarWorksheet::OnClose()
{
    if (!m_host.OnClose())
        SECWorksheetWnd::OnClose();
}

void SECControlBarWorksheet::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    SECWorksheetWnd::OnWindowPosChanged(lpwndpos);
    m_host.OnWindowPosChanged();
}

void SECControlBarWorksheet::OnShowWindow(BOOL bShow, UINT nStatus)
{
    SECWorksheetWnd::OnShowWindow(bShow, nStatus);
    m_host.OnShowWindow(bShow);
}
} // namespace tarnwick::frames
