// SECWorksheetWnd: the sheet's tab from creation to destruction.
#include <toolkit/frames/WorkbookClientWnd.h>
#include <toolkit/frames/WorkbookWnd.h>
#include <toolkit/frames/WorksheetWnd.h>

namespace tarnwick::frames
{
IMPLEMENT_DYNCREATE(SECWorksheetWnd, SECMDIChildWnd)

BEGIN_MESSAGE_MAP(SECWorksheetWnd, SECMDIChildWnd)
ON_WM_DESTROY()
ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

namespace
{
constexpr int TAB_ICON_SIZE = 16;
}

SECWorksheetWnd::SECWorksheetWnd() : m_hTabIcon(nullptr), m_nTabIndex(0), m_bPressed(FALSE)
{
}

SECWorkbookWnd* SECWorksheetWnd::GetWorkbook()
{
    return DYNAMIC_DOWNCAST(SECWorkbookWnd, GetMDIFrame());
}

BOOL SECWorksheetWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    if (!SECMDIChildWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    if (SECWorkbookWnd* pWorkbook = GetWorkbook())
        pWorkbook->AddTab(this);
    m_hTabIcon = static_cast<HICON>(
        ::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(nIDResource), IMAGE_ICON, TAB_ICON_SIZE, TAB_ICON_SIZE, 0));
    return TRUE;
}

void SECWorksheetWnd::OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt)
{
    SECMDIChildWnd::OnUpdateFrameMenu(bActive, pActivateWnd, hMenuAlt);
    if (m_hMenuShared == nullptr && GetMenuId() != 0)
        if (CMDIFrameWnd* pFrame = GetMDIFrame())
            ::SendMessage(pFrame->m_hWndMDIClient, WM_SECWORKBOOK_REFRESHTABS, static_cast<WPARAM>(-1),
                          static_cast<LPARAM>(-1));
}

void SECWorksheetWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    SECMDIChildWnd::OnUpdateFrameTitle(bAddToTitle);
    if (SECWorkbookWnd* pWorkbook = GetWorkbook())
        pWorkbook->InvalidateTab(this, FALSE);
}

void SECWorksheetWnd::OnDestroy()
{
    if (SECWorkbookWnd* pWorkbook = GetWorkbook())
        pWorkbook->RemoveTab(this);
    SECMDIChildWnd::OnDestroy();
    if (m_hTabIcon != nullptr)
    {
        ::DestroyIcon(m_hTabIcon);
        m_hTabIcon = nullptr;
    }
}

void SECWorksheetWnd::OnShowWindow(BOOL bShow, UINT nStatus)
{
    SECMDIChildWnd::OnShowWindow(bShow, nStatus);
    if (SECWorkbookWnd* pWorkbook = GetWorkbook())
        pWorkbook->InvalidateTab(this, TRUE);
}
} // namespace tarnwick::frames
