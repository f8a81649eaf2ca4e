// The searches for another visible MDI child and dockable frame.
#include <toolkit/frames/DockableFrame.h>
#include <toolkit/frames/VisibleFrames.h>

namespace tarnwick::frames
{
namespace
{
// The window and its ancestors are visible; a control bar counts by its own test, which
// holds a bar that waits for its delayed show.
BOOL IsVisibleToTop(CWnd* pWnd)
{
    for (HWND hWnd = pWnd->m_hWnd; hWnd != nullptr; hWnd = ::GetParent(hWnd))
    {
        const DWORD dwStyle = ::GetWindowLong(hWnd, GWL_STYLE);
        auto* pBar = DYNAMIC_DOWNCAST(CControlBar, CWnd::FromHandlePermanent(hWnd));
        if (!(pBar != nullptr ? pBar->IsVisible() : (dwStyle & WS_VISIBLE) != 0))
            return FALSE;
        if (!(dwStyle & WS_CHILD))
            break;
    }
    return TRUE;
}
} // namespace

BOOL FindOtherVisibleMDIChild(CWnd* pExclude)
{
    auto* pMain = DYNAMIC_DOWNCAST(CMDIFrameWnd, AfxGetMainWnd());
    if (pMain == nullptr || !::IsWindow(pMain->m_hWndMDIClient))
        return FALSE;
    for (HWND hChild = ::GetWindow(pMain->m_hWndMDIClient, GW_CHILD); hChild != nullptr;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        CWnd* pChild = CWnd::FromHandlePermanent(hChild);
        if (pChild != nullptr && pChild != pExclude && pChild->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)) &&
            (::GetWindowLong(hChild, GWL_STYLE) & WS_VISIBLE))
            return TRUE;
    }
    return FALSE;
}

SECDockableFrame* FindOtherVisibleDockableFrame(SECDockableFrame* pExclude)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return nullptr;
    for (POSITION posTemplate = pApp->GetFirstDocTemplatePosition(); posTemplate != nullptr;)
    {
        CDocTemplate* pTemplate = pApp->GetNextDocTemplate(posTemplate);
        for (POSITION posDoc = pTemplate->GetFirstDocPosition(); posDoc != nullptr;)
        {
            CDocument* pDoc = pTemplate->GetNextDoc(posDoc);
            for (POSITION posView = pDoc->GetFirstViewPosition(); posView != nullptr;)
            {
                CView* pView = pDoc->GetNextView(posView);
                auto* pFrame = DYNAMIC_DOWNCAST(SECDockableFrame, pView->GetParentFrame());
                if (pFrame != nullptr && pFrame != pExclude && pFrame->m_hWnd != nullptr && IsVisibleToTop(pFrame))
                    return pFrame;
            }
        }
    }
    return nullptr;
}
} // namespace tarnwick::frames
