// The program started in this process as its entry point starts it, on a hidden main window,
// with the test executable's own profile key emptied before and after.
#pragma once

#include <app/Lumiter5App.h>
#include <app/MainFrame.h>

#include <testing/ModalScript.h>

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
    // Runs the command while the script acts on its dialogs and message boxes.
    void RunScripted(UINT nID, std::vector<ModalScript::Action> actions);
    // The texts logged under the source in the output window's "Lumiter5" category.
    std::vector<CString> Logged(LPCTSTR lpszSource);

private:
    std::unique_ptr<CLumiter5App> m_pApp;
};

// The program started with its main window shown without activation, so that the landscape
// trees lay their rows out.
class ShownApp : public StartedApp
{
protected:
    void SetUp() override;

    // Activates the landscape bar's tab: 0 systems, 1 hosts, 2 databases.
    void ShowTab(int nTab);
    // The centre of the item's label in the tree's client coordinates; the item's tab is shown.
    CPoint LabelPoint(CLandscapeTree& tree, HTREEITEM hItem);
};

// The tree as lines: an entry, then its instances indented, with each child's position and
// image. Every entry with instances is expanded.
std::vector<CString> TreeLines(CLandscapeTree& tree);

// The category's tab window of the output bar, and the list of a source in it.
class CMessageTabWnd;
CMessageTabWnd& OutputCategory(COutputWnd& output, int nCategory);
CListCtrl* SourceList(CMessageTabWnd& category, LPCTSTR lpszSource);
// The labels of a tab window's tabs, in order.
std::vector<CString> TabLabels(tarnwick::tabs::SECTabWndBase& tabs);
