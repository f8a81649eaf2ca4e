#include <app/DatabaseTree.h>

#include <app/MainFrame.h>
#include <app/resource.h>

#include <collector/SapDatabase.h>

IMPLEMENT_DYNAMIC(CDatabaseTree, CLandscapeTree)

CDatabaseTree::CDatabaseTree() : CLandscapeTree(_T("Databases"), imageDatabase, ID_DATABASE_REMOVE)
{
}

void CDatabaseTree::AddItems()
{
    if (CMainFrame* pFrame = CMainFrame::Get())
        Fill(pFrame->GetDatabases(), pFrame->GetDatabasesMutex());
}
