// The program's main window: a workbook frame with the toolbar, menu bar and status bar, the
// landscape bar on the left and the output bar at the bottom. It owns the SAP landscape the
// user registered: the systems, hosts and databases, each map under its own mutex.
#pragma once

#include <app/LandscapeWnd.h>
#include <app/OutputWnd.h>

#include <collector/SessionHost.h>

#include <toolkit/bars/CustomStatusBar.h>
#include <toolkit/frames/WorkbookWnd.h>

#include <afxmt.h>

namespace tarnwick::bars
{
class SECMDIMenuBar;
class SECToolBarManager;
} // namespace tarnwick::bars
class CZipArchive;
class CLumiter5Message;

class CMainFrame : public tarnwick::frames::SECWorkbookWnd
{
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    // The application's main window, or null while it is not a main frame.
    static CMainFrame* Get();

    // Time-stamps the line and posts it to the output window's "Lumiter5" category under the
    // source's tab.
    void Log(LPCTSTR lpszSource, LPCTSTR lpszText);
    // Posts the record in category 0, retrying a full queue every 10 ms for about a second,
    // since this thread is the one that empties it; a record that cannot be posted is deleted.
    static BOOL PostLogRecord(HWND hOutput, CLumiter5Message* pMessage);

    // The landscape: every reader and writer holds the map's mutex for its whole walk or change.
    CSapSystemMap& GetSystems()
    {
        return m_mapSystems;
    }
    CSapHostMap& GetHosts()
    {
        return m_mapHosts;
    }
    CSapDatabaseMap& GetDatabases()
    {
        return m_mapDatabases;
    }
    CMutex& GetSystemsMutex()
    {
        return m_mutexSystems;
    }
    CMutex& GetHostsMutex()
    {
        return m_mutexHosts;
    }
    CMutex& GetDatabasesMutex()
    {
        return m_mutexDatabases;
    }
    void DeleteAllSystems();
    void DeleteAllHosts();
    void DeleteAllDatabases();

    CLandscapeWnd& GetLandscapeWnd()
    {
        return m_wndLandscape;
    }
    COutputWnd& GetOutputWnd()
    {
        return m_wndOutput;
    }

    // No help file belongs to the program: the help commands show nothing.
    void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnViewLandscape();
    afx_msg void OnUpdateViewLandscape(CCmdUI* pCmdUI);
    afx_msg void OnViewOutput();
    afx_msg void OnUpdateViewOutput(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    CLandscapeWnd m_wndLandscape;
    COutputWnd m_wndOutput;
    tarnwick::bars::SECCustomStatusBar m_wndStatusBar;
    CSapSystemMap m_mapSystems;
    CSapHostMap m_mapHosts;
    CSapDatabaseMap m_mapDatabases;
    CMutex m_mutexSystems;
    CMutex m_mutexDatabases;
    CMutex m_mutexHosts;
    CZipArchive* m_pZipArchive;
    tarnwick::bars::SECToolBarManager* m_pToolBarManager;
    tarnwick::bars::SECMDIMenuBar* m_pMenuBar;

    // Creates a docking bar's window, docks it and gives it its icon; FALSE when it cannot be
    // created.
    BOOL CreateDockedBar(tarnwick::frames::SECControlBar& bar, LPCTSTR lpszTitle, DWORD dwStyle, UINT nID,
                         UINT nDockBarID, float fPercent, int nLength, UINT nIcon);
    void ToggleBar(CControlBar& bar);
};
