// The add-host dialog's checks, and the remote-instance dialog: the instance names it collects
// from the systems, its list and its checks.
#include "DialogTest.h"

#include <app/AddHostDialog.h>
#include <app/RemoteDialog.h>
#include <collector/SapSystem.h>

#include <memory>

namespace
{
class AddHostDialogTest : public DialogTest
{
};

TEST_F(AddHostDialogTest, RefusesAMissingOrQualifiedNameWithTheFocusOnIt)
{
    const CString strMissing = _T("Lumiter Exception: Please enter a host name.");
    const CString strQualified =
        _T("Lumiter Exception: Please do not enter an IP address or\n domain suffix for the host name.");
    const struct
    {
        LPCTSTR lpszName; // null: as the dialog opens
        CString strMessage;
    } cases[] = {
        {nullptr, strMissing},
        {_T(""), strMissing},
        {_T(".sapdb01"), strMissing},
        {_T("sapdb01.lumiter.example"), strQualified},
        {_T("10.20.1.13"), strQualified},
    };
    for (const auto& c : cases)
    {
        CAddHostDialog dialog(&Parent());
        Entries entries;
        if (c.lpszName != nullptr)
            entries.emplace_back(IDC_NEW_HOST_NAME, c.lpszName);
        const Refusal refusal = Refuse(dialog, entries);
        EXPECT_EQ(c.strMessage, refusal.strText);
        EXPECT_TRUE(refusal.bStopIcon);
        EXPECT_EQ(IDC_NEW_HOST_NAME, refusal.nFocus);
        EXPECT_EQ(CString(c.lpszName != nullptr ? c.lpszName : _T("?")), refusal.strEntry);
    }
}

TEST_F(AddHostDialogTest, OkHandsTheNameOn)
{
    CAddHostDialog dialog(&Parent());
    ASSERT_EQ(IDOK, Accept(dialog, {{IDC_NEW_HOST_NAME, _T("sapdb01")}}));
    EXPECT_EQ(CString(_T("sapdb01")), dialog.HostName);
}

TEST_F(AddHostDialogTest, TemplateHasTheLabelledField)
{
    CAddHostDialog dialog(&Parent());
    ASSERT_TRUE(dialog.Create(IDD_ADD_HOST, &Parent()));
    CString strCaption, strLabel;
    dialog.GetWindowText(strCaption);
    EXPECT_EQ(CString(_T("Add Host")), strCaption);
    CWnd* pEdit = dialog.GetDlgItem(IDC_NEW_HOST_NAME);
    ASSERT_NE(nullptr, pEdit);
    pEdit->GetWindow(GW_HWNDPREV)->GetWindowText(strLabel);
    EXPECT_EQ(CString(_T("Host Name")), strLabel);
    EXPECT_EQ(pEdit, dialog.GetNextDlgTabItem(dialog.GetDlgItem(IDCANCEL)));
    dialog.DestroyWindow();
}

// Systems with instances of the given names, built without logging on; the map owns them.
class Systems
{
public:
    Systems(std::initializer_list<std::pair<LPCTSTR, std::vector<LPCTSTR>>> systems)
    {
        for (const auto& [lpszId, instances] : systems)
        {
            auto* pSystem = new CSapSystem;
            for (LPCTSTR lpszInstance : instances)
            {
                auto* pInstance = new CSapInstance;
                pInstance->m_strInstanceName = lpszInstance;
                pSystem->m_instances.SetAt(lpszInstance, pInstance);
            }
            m_map.SetAt(lpszId, pSystem);
        }
    }
    ~Systems()
    {
        CString strKey;
        CSapSystem* pSystem = nullptr;
        for (POSITION pos = m_map.GetStartPosition(); pos != nullptr;)
        {
            m_map.GetNextAssoc(pos, strKey, pSystem);
            DeleteInstances(pSystem->m_instances, pSystem->m_instanceMutex);
            delete pSystem;
        }
    }
    CSapSystemMap m_map;
    CMutex m_mutex;
};

std::vector<CString> ListOf(const CStringList& list)
{
    std::vector<CString> names;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        names.push_back(list.GetNext(pos));
    return names;
}

class RemoteDialogTest : public DialogTest
{
protected:
    // The dialog as the Add Instance command prepares it for the host.
    void Prepare(CRemoteDialog& dialog, Systems& systems)
    {
        dialog.Title = _T("sapdb01");
        dialog.RfcDestination = _T("SAPCCMSR.SAPDB01.99");
        dialog.CollectInstances(systems.m_map, systems.m_mutex);
    }
};

TEST_F(RemoteDialogTest, CollectsEachInstanceNameOnceAndProposesTheFirst)
{
    Systems systems{{_T("PRD"), {_T("saplx01_PRD_00"), _T("sapwin01_PRD_01")}},
                    {_T("DEV"), {_T("sapwin01_PRD_01"), _T("sapdev_DEV_02")}},
                    {_T("QAS"), {}}};
    CRemoteDialog dialog(&Parent());
    Prepare(dialog, systems);
    EXPECT_EQ((std::vector<CString>{_T("saplx01_PRD_00"), _T("sapwin01_PRD_01"), _T("sapdev_DEV_02")}),
              ListOf(dialog.InstanceNames));
    EXPECT_EQ(CString(_T("saplx01_PRD_00")), dialog.GatewayInstance);
    // The locks are released again.
    EXPECT_TRUE(systems.m_mutex.Lock(0));
    systems.m_mutex.Unlock();
}

TEST_F(RemoteDialogTest, ShowsTheHostTheDestinationAndTheSortedInstancesAndHandsTheChoiceOn)
{
    Systems systems{{_T("PRD"), {_T("sapwin01_PRD_01"), _T("saplx01_PRD_00")}}, {_T("OLD"), {_T("sapwin01_OLD_10")}}};
    CRemoteDialog dialog(&Parent());
    Prepare(dialog, systems);
    CString strCaption, strDestination, strSelected;
    std::vector<CString> listed;
    ModalScript script({[&](ModalWindow& window) {
        strCaption = window.Caption();
        strDestination = window.ItemText(IDC_RFC_DESTINATION);
        strSelected = window.ItemText(IDC_GATEWAY_INSTANCE);
        const HWND hList = ::GetDlgItem(window.Handle(), IDC_GATEWAY_INSTANCE);
        const int nCount = static_cast<int>(::SendMessage(hList, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < nCount; ++i)
        {
            TCHAR szItem[64] = {};
            ::SendMessage(hList, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(szItem));
            listed.emplace_back(szItem);
        }
        // The user picks another instance and names the cluster system.
        ::SendMessage(hList, CB_SETCURSEL, 0, 0);
        window.SetItemText(IDC_CLUSTER_SYSTEM_NAME, _T("PLEX1"));
        window.Press(IDOK);
    }});
    ASSERT_EQ(IDOK, dialog.DoModal());
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(CString(_T("sapdb01")), strCaption);
    EXPECT_EQ(CString(_T("SAPCCMSR.SAPDB01.99")), strDestination);
    EXPECT_EQ(CString(_T("sapwin01_PRD_01")), strSelected);
    EXPECT_EQ((std::vector<CString>{_T("saplx01_PRD_00"), _T("sapwin01_OLD_10"), _T("sapwin01_PRD_01")}), listed);
    EXPECT_EQ(CString(_T("saplx01_PRD_00")), dialog.GatewayInstance);
    EXPECT_EQ(CString(_T("SAPCCMSR.SAPDB01.99")), dialog.RfcDestination);
    EXPECT_EQ(CString(_T("PLEX1")), dialog.ClusterSystemName);
}

TEST_F(RemoteDialogTest, RefusesAnEmptyDestinationAndAMissingGatewayInstance)
{
    Systems withInstance{{_T("PRD"), {_T("saplx01_PRD_00")}}};
    Systems withoutInstance{{_T("PRD"), {}}};
    const struct
    {
        Systems& systems;
        Entries entries;
        int nFocus;
        LPCTSTR lpszMessage;
    } cases[] = {
        {withInstance, {{IDC_RFC_DESTINATION, _T("")}}, IDC_RFC_DESTINATION, _T("Please enter RFC destination.")},
        {withoutInstance, {}, IDC_GATEWAY_INSTANCE, _T("Please enter gateway instance.")},
        {withoutInstance, {{IDC_RFC_DESTINATION, _T("")}}, IDC_RFC_DESTINATION, _T("Please enter RFC destination.")},
    };
    for (const auto& c : cases)
    {
        CRemoteDialog dialog(&Parent());
        Prepare(dialog, c.systems);
        const Refusal refusal = Refuse(dialog, c.entries);
        EXPECT_EQ(_T("Lumiter Exception: ") + CString(c.lpszMessage), refusal.strText);
        EXPECT_TRUE(refusal.bStopIcon);
        EXPECT_EQ(c.nFocus, refusal.nFocus) << CW2A(c.lpszMessage);
    }
}

TEST_F(RemoteDialogTest, TemplateHasTheLabelledFieldsAndTheClusterGroup)
{
    CRemoteDialog dialog(&Parent());
    ASSERT_TRUE(dialog.Create(IDD_REMOTE, &Parent()));
    const struct
    {
        int nID;
        LPCTSTR lpszLabel;
    } fields[] = {
        {IDC_RFC_DESTINATION, _T("RFC Destination for CCMS agent sapccmsr")},
        {IDC_GATEWAY_INSTANCE, _T("Gateway Instance where sapccmsr is registered")},
        {IDC_CLUSTER_SYSTEM_NAME, _T("Clusmar System Name")},
    };
    CWnd* pPrevious = nullptr;
    for (const auto& field : fields)
    {
        CWnd* pField = dialog.GetDlgItem(field.nID);
        ASSERT_NE(nullptr, pField);
        CString strLabel;
        pField->GetWindow(GW_HWNDPREV)->GetWindowText(strLabel);
        EXPECT_EQ(CString(field.lpszLabel), strLabel);
        if (pPrevious != nullptr)
        {
            EXPECT_EQ(pField, dialog.GetNextDlgTabItem(pPrevious));
        }
        pPrevious = pField;
    }
    const DWORD dwList = dialog.GetDlgItem(IDC_GATEWAY_INSTANCE)->GetStyle();
    EXPECT_EQ(DWORD(CBS_DROPDOWNLIST), dwList & 0x3);
    EXPECT_TRUE(dwList & CBS_SORT);
    // The cluster system's field sits in the group box "ZOL KEMRA".
    CWnd* pLabel = dialog.GetDlgItem(IDC_CLUSTER_SYSTEM_NAME)->GetWindow(GW_HWNDPREV);
    CWnd* pGroup = pLabel->GetWindow(GW_HWNDPREV);
    CString strGroup;
    pGroup->GetWindowText(strGroup);
    EXPECT_EQ(CString(_T("ZOL KEMRA")), strGroup);
    EXPECT_EQ(DWORD(BS_GROUPBOX), pGroup->GetStyle() & BS_TYPEMASK);
    CRect rectGroup, rectField;
    pGroup->GetWindowRect(rectGroup);
    dialog.GetDlgItem(IDC_CLUSTER_SYSTEM_NAME)->GetWindowRect(rectField);
    EXPECT_EQ(rectField, rectField & rectGroup);
    dialog.DestroyWindow();
}
} // namespace
