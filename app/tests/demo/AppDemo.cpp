// The program as it starts, with PRD then registered by posted input through the add-system
// dialog, for pictures of the main window with its trees and output lines
// (scripts/screenshot --program app). With the argument "session" a session is then started
// through the wizard (--program session). Not a test.
#include <app/Lumiter5App.h>
#include <app/MainFrame.h>

#include <testing/ModalScript.h>

#include "../ReadmeLogon.h"
#include "../ReadmeSession.h"

#include <memory>

namespace
{
class CAppDemo : public CLumiter5App
{
public:
    BOOL InitInstance() override
    {
        // A session's form needs the room of the whole screen beside the bars.
        const bool bSession = CString(m_lpCmdLine).Trim() == _T("session");
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
            actions.push_back([this](ModalWindow& sheet) {
                StoreWizardEntries(*this, *GetMainFrame());
                FinishesWizard()(sheet);
            });
        }
        m_pScript = std::make_unique<ModalScript>(std::move(actions));
        GetMainFrame()->PostMessage(WM_COMMAND, ID_SYSTEM_ADD);
        return TRUE;
    }
    int ExitInstance() override
    {
        m_pScript.reset();
        return CLumiter5App::ExitInstance();
    }

private:
    std::unique_ptr<ModalScript> m_pScript;
};

CAppDemo theApp;
} // namespace
