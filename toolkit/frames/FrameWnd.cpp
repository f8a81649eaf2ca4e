// SECFrameWnd: the frame's side of the shared docking services.
#include <toolkit/frames/FrameWnd.h>

#include <afxpriv.h>

namespace tarnwick::frames
{
IMPLEMENT_DYNCREATE(SECFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(SECFrameWnd, CFrameWnd)
ON_WM_CREATE()
ON_WM_ACTIVATE()
ON_WM_ENTERIDLE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace
{
constexpr DWORD DOCKBAR_STYLE = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
}

void SECFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    GetDocking().SetDefaultFloatingFrameClass();
    for (const SECFrameDocking::DockSide& side : SECFrameDocking::dockSides)
    {
        const DWORD dwAlign = side.dwAlign & CBRS_ALIGN_ANY;
        if (!(dwDockStyle & dwAlign) || GetControlBar(side.nID) != nullptr)
            continue;
        auto* pDockBar = new SECDockBar;
        // A dock bar that fails has deleted itself.
        if (!pDockBar->Create(this, DOCKBAR_STYLE | dwAlign, side.nID))
            AfxThrowResourceException();
    }
}

void SECFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle)
{
    GetDocking().FloatControlBar(pBar, point, dwStyle);
}

void SECFrameWnd::DockControlBarSized(CControlBar* pBar, UINT nDockBarID, int nPlaceA, int nPlaceB, float fPercent,
                                      int nLength)
{
    const DWORD dwStyle = pBar->m_dwStyle;
    DWORD dwMode = LM_VERTDOCK;
    if ((dwStyle & CBRS_SIZE_DYNAMIC) && (dwStyle & CBRS_FLOATING))
        dwMode = LM_HORZ | LM_MRUWIDTH | LM_LENGTHY;
    else if (dwStyle & CBRS_ORIENT_HORZ)
        dwMode = LM_HORZ | LM_HORZDOCK | LM_LENGTHY;
    SECFrameDocking& docking = GetDocking();
    docking.DockControlBarAt(pBar, docking.FindDockBar(nDockBarID, pBar), {nPlaceB, nPlaceA, 0}, fPercent, nLength,
                             dwMode);
}

BOOL SECFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    CFrameWnd* pRoutingFrame = pState->m_pRoutingFrame;
    BOOL bResult = FALSE;
    if (!GetDocking().RouteToWorkspaceManager(nID, nCode, pExtra, pHandlerInfo, bResult))
        bResult = CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    pState->m_pRoutingFrame = pRoutingFrame;
    return bResult;
}
} // namespace tarnwick::frames
