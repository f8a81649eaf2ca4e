// The add-system dialog as it opens the first time, beside the remote-instance dialog of a host
// with two instances to choose from and the add-host dialog, each modeless at its own place.
#include <afxwin.h>

#include <app/AddHostDialog.h>
#include <app/AddSystemDialog.h>
#include <app/RemoteDialog.h>

namespace
{
class CDialogsDemoApp : public CWinApp
{
public:
    BOOL InitInstance() override
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

private:
    static void Place(CDialog& dialog, int x, int y)
    {
        dialog.SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    }

    CAddSystemDialog m_addSystem;
    CRemoteDialog m_remote;
    CAddHostDialog m_addHost;
};

CDialogsDemoApp theApp;
} // namespace
