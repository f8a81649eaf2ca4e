// The dialog that tells how a host without an SAP instance of its own is reached: through the
// CCMS agent registered at the gateway of one of the landscape's instances.
#pragma once

#include <afxmt.h>
#include <afxwin.h>

#include <app/resource.h>
#include <collector/SessionHost.h>

class CRemoteDialog : public CDialog
{
public:
    enum
    {
        IDD = IDD_REMOTE
    };

    explicit CRemoteDialog(CWnd* pParent = nullptr);

    // Lists the instance names of every registered system once, in the maps' order, and
    // proposes the first one met as the gateway instance. The caller sets Title and
    // RfcDestination first. Holds the systems' lock for the walk and one system's instance
    // lock at a time.
    void CollectInstances(const CSapSystemMap& systems, CSyncObject& systemsLock);

    CString RfcDestination;
    CString GatewayInstance;
    CString ClusterSystemName; // optional: only a mainframe host has a cluster system
    CString Title;             // the window caption
    CStringList InstanceNames;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
};
