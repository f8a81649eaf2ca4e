#include <app/SystemTree.h>

#include <app/MainFrame.h>
#include <app/resource.h>

#include <collector/SapSystem.h>

IMPLEMENT_DYNAMIC(CSystemTree, CLandscapeTree)

CSystemTree::CSystemTree() : CLandscapeTree(_T("SAP Systems"), imageSystem, ID_SYSTEM_REMOVE)
{
}

void CSystemTree::Refresh()
{
    if (CMainFrame* pFrame = CMainFrame::Get())
        Fill(pFrame->GetSystems(), pFrame->GetSystemsMutex());
}
