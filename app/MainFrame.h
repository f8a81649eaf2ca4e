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

#include <optional>

namespace tarnwick::bars
{
class SECMDIMenuBar;
class SECToolBarManager;
} // namespace tarnwick::bars
class CZipArchive;
class CLumiter5Message;
class CRemoteDialog;
class CSapHost;
class CSapInstance;
class CSapSystem;

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
    // Gives the record to the output window in category 0. On the window's own thread it is
    // handled at once; another thread posts it, retrying a full queue every 10 ms for about a
    // second. A record that cannot be posted is deleted.
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

    // The landscape commands' steps.
    // Called with the systems map locked: enters the system under its id and files each of its
    // instances under its host and its database, creating those that are new. A failure takes
    // out again what was filed for the system and its key before it goes on to the caller, who
    // deletes the system: the maps are then as before.
    void AddSystemObjects(CSapSystem* pSystem);
    // Called with the systems map locked: takes the system's instances out of their hosts and
    // databases; a host or database left without instances is deleted.
    void RemoveSystemObjects(CSapSystem* pSystem);
    // Deletes the instance wherever it is filed; a system, host or database that held it and is
    // left without instances is deleted.
    void RemoveInstance(const CString& strInstance);
    void RemoveHostInstance(const CString& strHost, const CString& strInstance);
    void RemoveDatabaseInstance(const CString& strDatabase, const CString& strInstance);
    // Called with the hosts map locked: gives a host without an instance of its own a connection
    // through the gateway of a registered instance, which the user picks in the remote dialog.
    void AddInstanceRemote(CSapHost* pHost);

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnViewLandscape();
    afx_msg void OnUpdateViewLandscape(CCmdUI* pCmdUI);
    afx_msg void OnViewOutput();
    afx_msg void OnUpdateViewOutput(CCmdUI* pCmdUI);
    afx_msg void OnSystemAdd();
    afx_msg void OnSystemRemove();
    afx_msg void OnHostAdd();
    afx_msg void OnHostRemove();
    afx_msg void OnHostAddInstanceRemote();
    afx_msg void OnDatabaseRemove();
    // Runs the program settings sheet.
    afx_msg void OnProperties();
    // Packs a session folder into its archive.
    afx_msg void OnPackageSession();
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

    // Logs the failure under the command's source and shows it with the stop icon.
    void Report(LPCTSTR lpszSource, const CString& strText);
    // Runs a command's body in the handlers' guard; a failure is reported under the source.
    template <class Body> void RunGuarded(LPCTSTR lpszSource, LPCTSTR lpszFunction, Body body);
    // While a session runs its collector holds the landscape's objects, so a remove command is
    // refused with a message under its source: TRUE when it was.
    BOOL RefuseRemoveWhileCollecting(LPCTSTR lpszSource);
    // Logs on with the entries of a successful add-system dialog, reads the system and its
    // instances and registers them; a failure is reported and leaves no trace.
    void AddSystem(const class CAddSystemDialog& dialog);
    // Opens the host's connection through the gateway instance and reads the host's operating
    // system; a failure takes the connection off the host again.
    void ConnectRemoteInstance(CSapHost& host, const CSapInstance& gateway, const CRemoteDialog& dialog);
    void RefreshTrees();

    // Packs the session directory into the archive at strArchive, with the progress pane open
    // meanwhile; the failure's text when no archive was made. The archive is written under a
    // temporary name and takes its own name only once it is complete, so a failure leaves an
    // earlier archive as it was.
    std::optional<CString> PackageSession(const CString& strDirectory, const CString& strArchive);
    // After a failure: closes the archive without writing more, drops the archive object and
    // deletes the file.
    void AbandonArchive(const CString& strPath);
};
