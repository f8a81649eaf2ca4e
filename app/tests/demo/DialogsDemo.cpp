// The landscape dialogs: the add-system dialog as it opens the first time, beside the
// remote-instance dialog of a host with two instances to choose from and the add-host dialog.
// With the argument "settings": the settings sheet on its interval page, the session directory
// dialog and the About box. Each is modeless at its own place.
#include <afxwin.h>

#include <app/AboutDlg.h>
#include <app/AddHostDialog.h>
#include <app/AddSystemDialog.h>
#include <app/RemoteDialog.h>
#include <app/SessionDialog.h>
#include <app/SessionPropertySheet.h>

namespace
{
class CDialogsDemoApp : public CWinApp
{
public:
    BOOL InitInstance() override
    {
        SetRegistryKey(_T("Lumiter5 Demo"));
        return CString(m_lpCmdLine).Trim() == _T("settings") ? ShowSettings() : ShowLandscape();
    }

private:
    BOOL ShowLandscape()
    {
        m_remote.Title = _T("sapdb01");
        m_remote.RfcDestination = _T("SAPCCMSR.SAPDB01.99");
        m_remote.InstanceNames.AddTail(_T("sapwin01_PRD_01"));
        m_remote.InstanceNames.AddTail(_T("saplx01_PRD_00"));
        m_remote.GatewayInstance = _T("saplx01_PRD_00");
        if (!m_addSystem.Create(IDD_ADD_SYSTEM) || !m_remote.Create(IDD_REMOTE) || !m_addHost.Create(IDD_ADD_HOST))
            return FALSE;
        Place(m_addSystem, 20, 20);
        Place(m_remote, 420, 20);
        Place(m_addHost, 420, 300);
        m_pMainWnd = &m_addSystem;
        return TRUE;
    }

    BOOL ShowSettings()
    {
        WriteProfileString(_T("Properties"), _T("ProgramPath"), _T("C:\\Program Files\\Lumiter5\\"));
        WriteProfileString(_T("Properties"), _T("SessionPath"),
                           _T("C:\\Program Files\\Lumiter5\\DATA\\20240105093000\\"));
        m_settings.SetActivePage(1);
        if (!m_settings.Create() || !m_session.Create(IDD_SESSION_DIRECTORY) || !m_about.Create(IDD_ABOUTBOX))
            return FALSE;
        Place(m_settings, 10, 10);
        Place(m_session, 425, 420);
        Place(m_about, 425, 230);
        m_pMainWnd = &m_settings;
        return TRUE;
    }

    static void Place(CWnd& window, int x, int y)
    {
        window.SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    }

    CAddSystemDialog m_addSystem;
    CRemoteDialog m_remote;
    CAddHostDialog m_addHost;
    CSessionPropertySheet m_settings;
    CSessionDialog m_session;
    CAboutDlg m_about;
};

CDialogsDemoApp theApp;
} // namespace
