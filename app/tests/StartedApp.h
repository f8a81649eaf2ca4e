// The program started in this process as its entry point starts it, on a hidden main window,
// with the test executable's own profile key emptied before and after.
#pragma once

#include <app/Lumiter5App.h>
#include <app/MainFrame.h>

#include <gtest/gtest.h>

#include <memory>

class StartedApp : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    CMainFrame& Frame()
    {
        return *m_pApp->GetMainFrame();
    }
    CLumiter5App& App()
    {
        return *m_pApp;
    }
    // Routes the command's update through the frame as the idle update does.
    struct CommandState
    {
        BOOL bEnabled;
        int nCheck;
    };
    CommandState QueryCommand(UINT nID);
    // Sends the command to the main frame and lets the delayed layout run.
    void RunCommand(UINT nID);

private:
    std::unique_ptr<CLumiter5App> m_pApp;
};

// The category's tab window of the output bar, and the list of a source in it.
class CMessageTabWnd;
CMessageTabWnd& OutputCategory(COutputWnd& output, int nCategory);
CListCtrl* SourceList(CMessageTabWnd& category, LPCTSTR lpszSource);
// The labels of a tab window's tabs, in order.
std::vector<CString> TabLabels(tarnwick::tabs::SECTabWndBase& tabs);
