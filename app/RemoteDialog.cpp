#include <app/RemoteDialog.h>

#include <app/EntryChecks.h>
#include <collector/ForEachValue.h>
#include <collector/SapSystem.h>

namespace
{
constexpr INT_PTR kListBlockSize = 10;
}

CRemoteDialog::CRemoteDialog(CWnd* pParent) : CDialog(IDD, pParent), InstanceNames(kListBlockSize)
{
}

void CRemoteDialog::CollectInstances(const CSapSystemMap& systems, CSyncObject& systemsLock)
{
    CSingleLock systemsLocked(&systemsLock, TRUE);
    ForEachValue(systems, [&](CSapSystem* pSystem) {
        CSingleLock instancesLocked(&pSystem->m_instanceMutex, TRUE);
        ForEachValue(pSystem->m_instances, [&](const CSapInstance* pInstance) {
            const CString& strName = pInstance->m_strInstanceName;
            if (InstanceNames.Find(strName) != nullptr)
                return;
            InstanceNames.AddTail(strName);
            if (GatewayInstance.IsEmpty())
                GatewayInstance = strName;
        });
    });
}

void CRemoteDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_RFC_DESTINATION, RfcDestination);
    DDX_CBStringExact(pDX, IDC_GATEWAY_INSTANCE, GatewayInstance);
    DDX_Text(pDX, IDC_CLUSTER_SYSTEM_NAME, ClusterSystemName);
}

BOOL CRemoteDialog::OnInitDialog()
{
    SetWindowText(Title);
    for (POSITION pos = InstanceNames.GetHeadPosition(); pos != nullptr;)
        SendDlgItemMessage(IDC_GATEWAY_INSTANCE, CB_ADDSTRING, 0,
                           reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(InstanceNames.GetNext(pos))));
    return CDialog::OnInitDialog();
}

void CRemoteDialog::OnOK()
{
    RunOkSteps(_T("CRemoteDialog::OnOK"), [&] {
        SaveEntries(*this);
        if (RfcDestination.IsEmpty())
            RefuseEntry(*this, IDC_RFC_DESTINATION, _T("Please enter RFC destination."));
        if (GatewayInstance.IsEmpty())
            RefuseEntry(*this, IDC_GATEWAY_INSTANCE, _T("Please enter gateway instance."));
        EndDialog(IDOK);
    });
}
