// The program as it starts, with PRD then registered by posted input through the add-system
// dialog, for pictures of the main window with its trees and output lines
// (scripts/screenshot --program app). With the arguments "wizard N" the information wizard then
// opens on page N (0 to 3), its pages filled as a user filled them before
// (scripts/screenshot --program wizard -- N); with the argument "session" a session is started
// through the wizard (--program session), with "session 2" two sessions one after the other
// (--program session -- 2). Not a test.
#include <app/InfoPropertySheet.h>
#include <app/Lumiter5App.h>
#include <app/MainFrame.h>

#include <testing/ModalScript.h>

#include "../ReadmeLogon.h"
#include "../ReadmeSession.h"

#include <algorithm>
#include <memory>

namespace
{
// What a user entered in the wizard before: its pages open with these.
const LPCTSTR kPrevious[][3] = {
    {_T("Customer"), _T("Company"), _T("Acme Tools")},
    {_T("Customer"), _T("Industry"), _T("Manufacturing")},
    {_T("Customer"), _T("Address1"), _T("1 Main Street")},
    {_T("Customer"), _T("CityStateZip"), _T("Springfield, IL  62701")},
    {_T("Customer"), _T("Country"), _T("USA")},
    {_T("Customer"), _T("Contact"), _T("Jane Roe")},
    {_T("Customer"), _T("Telephone"), _T("+1 217 555 0100")},
    {_T("Customer"), _T("Email"), _T("jane.roe@acme.example")},
    {_T("ZOL"), _T("Name"), _T("John Doe")},
    {_T("ZOL"), _T("CityStateZip"), _T("Chicago, IL  60601")},
    {_T("ZOL"), _T("Country"), _T("USA")},
    {_T("ZOL"), _T("Telephone"), _T("+1 312 555 0199")},
    {_T("ZOL"), _T("Email"), _T("john.doe@zol.example")},
    {_T("ZOL"), _T("Reason"), _T("Hardware sizing for the upgrade of PRD")},
    {_T("PRD"), _T("UserCount"), _T("250")},
    {_T("PRD"), _T("Sap64Addr"), _T("1")},
    {_T("PRD"), _T("Network"), _T("LAN 1 Gbit")},
    {_T("saplx01"), _T("Vendor"), _T("Dell")},
    {_T("saplx01"), _T("Model"), _T("R740")},
    {_T("saplx01"), _T("CpuCount"), _T("16")},
    {_T("saplx01"), _T("CpuSpeed"), _T("2400")},
    {_T("saplx01"), _T("Memory"), _T("65536")},
    {_T("saplx01"), _T("Disk"), _T("500")},
};

class CAppDemo : public CLumiter5App
{
public:
    BOOL InitInstance() override
    {
        // A session's form needs the room of the whole screen beside the bars. "session 2" starts
        // a second session a second after the first, so that the two have different ids.
        int nSessions = 0;
        const bool bSession =
            ::swscanf(m_lpCmdLine, L" session %d", &nSessions) == 1 || CString(m_lpCmdLine).Trim() == _T("session");
        nSessions = std::max(nSessions, 1);
        if (bSession)
            m_nCmdShow = SW_SHOWMAXIMIZED;
        if (!CLumiter5App::InitInstance())
            return FALSE;
        std::vector<ModalScript::Action> actions = {[this, bSession](ModalWindow& dialog) {
            for (const auto& [nID, strText] : kReadmeEntries)
                dialog.SetItemText(nID, strText);
            dialog.Press(IDOK);
            // Comes after the dialog's OK, once PRD is registered.
            if (bSession)
                GetMainFrame()->PostMessage(WM_COMMAND, ID_FILE_NEW);
        }};
        if (bSession)
        {
            // The first page reads the profile as the wizard opens, the grid pages their
            // systems and hosts as they show, once PRD is there.
            StoreWizardEntries(*this, *GetMainFrame());
            for (int nSession = 0; nSession < nSessions; ++nSession)
                actions.push_back([this, bLast = nSession == nSessions - 1](ModalWindow& sheet) {
                    StoreWizardEntries(*this, *GetMainFrame());
                    FinishesWizard()(sheet);
                    if (!bLast)
                        ::SetTimer(nullptr, 0, kNextSessionDelay, &CAppDemo::StartNextSession);
                });
        }
        m_pScript = std::make_unique<ModalScript>(std::move(actions));
        GetMainFrame()->PostMessage(WM_COMMAND, ID_SYSTEM_ADD);
        int nPage = 0;
        if (::swscanf(m_lpCmdLine, L" wizard %d", &nPage) == 1)
        {
            for (const auto& value : kPrevious)
                WriteProfileString(value[0], value[1], value[2]);
            s_nWizardPage = nPage;
            ::SetTimer(nullptr, 0, 200, &CAppDemo::OpenWizardOnceAdded);
        }
        return TRUE;
    }
    int ExitInstance() override
    {
        m_pScript.reset();
        return CLumiter5App::ExitInstance();
    }

private:
    static constexpr UINT kNextSessionDelay = 1500;
    std::unique_ptr<ModalScript> m_pScript;

    static void CALLBACK StartNextSession(HWND, UINT, UINT_PTR nTimer, DWORD)
    {
        ::KillTimer(nullptr, nTimer);
        if (CMainFrame* pFrame = CMainFrame::Get())
            pFrame->PostMessage(WM_COMMAND, ID_FILE_NEW);
    }
    static int s_nWizardPage;
    static CInfoPropertySheet* s_pSheet;

    static void CALLBACK OpenWizardOnceAdded(HWND, UINT, UINT_PTR nTimer, DWORD)
    {
        CMainFrame* pFrame = CMainFrame::Get();
        if (pFrame == nullptr || pFrame->GetSystems().IsEmpty() || !pFrame->IsWindowEnabled())
            return;
        ::KillTimer(nullptr, nTimer);
        // The add-system script has done its part; it would cancel the wizard after a while.
        static_cast<CAppDemo*>(AfxGetApp())->m_pScript.reset();
        CInfoPropertySheet sheet;
        s_pSheet = &sheet;
        ::SetTimer(nullptr, 0, 100, &CAppDemo::GoToWizardPage);
        sheet.DoModal();
        s_pSheet = nullptr;
    }

    // Runs inside the wizard's modal loop: moves forward to the page, through pages that pass.
    static void CALLBACK GoToWizardPage(HWND, UINT, UINT_PTR nTimer, DWORD)
    {
        ::KillTimer(nullptr, nTimer);
        if (s_pSheet == nullptr || s_pSheet->m_hWnd == nullptr)
            return;
        for (int i = 0; i < s_nWizardPage; ++i)
            s_pSheet->SendMessage(PSM_PRESSBUTTON, PSBTN_NEXT, 0);
    }
};

CInfoPropertySheet* CAppDemo::s_pSheet = nullptr;
int CAppDemo::s_nWizardPage = 0;

CAppDemo theApp;
} // namespace
