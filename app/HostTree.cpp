#include <app/HostTree.h>

#include <app/MainFrame.h>
#include <app/resource.h>

#include <collector/SapHost.h>

IMPLEMENT_DYNAMIC(CHostTree, CLandscapeTree)

CHostTree::CHostTree() : CLandscapeTree(_T("Hosts"), imageHost, ID_HOST_REMOVE)
{
}

void CHostTree::AddItems()
{
    if (CMainFrame* pFrame = CMainFrame::Get())
        Fill(pFrame->GetHosts(), pFrame->GetHostsMutex());
}

BOOL CHostTree::AddMenuItems(CMenu& menu, CPoint ptClient)
{
    UINT nFlags = 0;
    const HTREEITEM hItem = HitTest(ptClient, &nFlags);
    // Beside the entries: a new host.
    if (hItem == nullptr || (nFlags & TVHT_ONITEM) == 0)
        return menu.AppendMenu(MF_STRING, ID_HOST_ADD, _T("&Add Host"));
    if (GetParentItem(hItem) == nullptr && !ItemHasChildren(hItem))
    {
        // A host that no instance reaches yet, such as a database's own host, can be given one.
        CMenu menuAdd;
        return menuAdd.CreatePopupMenu() &&
               menuAdd.AppendMenu(MF_STRING, ID_HOST_ADD_INSTANCE, _T("Remote SAPOSCOL")) &&
               menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(menuAdd.Detach()), _T("&Add Instance"));
    }
    return TRUE;
}
