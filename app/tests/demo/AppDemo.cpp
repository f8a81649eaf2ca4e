// The program as it starts, with PRD then registered by posted input through the add-system
// dialog, for pictures of the main window with its trees and output lines
// (scripts/screenshot --program app). Not a test.
#include <app/Lumiter5App.h>
#include <app/MainFrame.h>

#include <testing/ModalScript.h>

#include "../ReadmeLogon.h"

#include <memory>

namespace
{
class CAppDemo : public CLumiter5App
{
public:
    BOOL InitInstance() override
    {
        if (!CLumiter5App::InitInstance())
            return FALSE;
        m_pScript = std::make_unique<ModalScript>(std::vector<ModalScript::Action>{[](ModalWindow& dialog) {
            for (const auto& [nID, strText] : kReadmeEntries)
                dialog.SetItemText(nID, strText);
            dialog.Press(IDOK);
        }});
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
