#include "StartedApp.h"

#include <app/MessageTabWnd.h>

#include <testing/MessagePump.h>

#include <toolkit/tabs/3DTabWnd.h>

using tarnwick::tabs::SEC3DTabWnd;

namespace
{
// The key that the program's profile uses, named after the executable.
void EmptyProfileKey()
{
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\ZOL\\LumiterSAP\\app_tests");
}

class CStateCmdUI : public CCmdUI
{
public:
    BOOL bEnabled = FALSE;
    int nCheck = 0;
    void Enable(BOOL bOn = TRUE) override
    {
        bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int nCheck_ = 1) override
    {
        nCheck = nCheck_;
    }
};
} // namespace

void StartedApp::SetUp()
{
    EmptyProfileKey();
    m_pApp = std::make_unique<CLumiter5App>();
    m_pApp->m_nCmdShow = SW_HIDE;
    ASSERT_TRUE(m_pApp->InitInstance());
    ASSERT_NE(m_pApp->GetMainFrame(), nullptr);
    PumpPendingMessages();
}

void StartedApp::TearDown()
{
    if (m_pApp->m_pMainWnd != nullptr)
        m_pApp->m_pMainWnd->DestroyWindow();
    PumpPendingMessages();
    m_pApp.reset();
    EmptyProfileKey();
}

StartedApp::CommandState StartedApp::QueryCommand(UINT nID)
{
    CStateCmdUI state;
    state.m_nID = nID;
    state.m_nIndex = 0;
    state.m_nIndexMax = 1;
    state.DoUpdate(&Frame(), TRUE);
    return {state.bEnabled, state.nCheck};
}

void StartedApp::RunCommand(UINT nID)
{
    Frame().SendMessage(WM_COMMAND, nID);
    Frame().RecalcLayout();
    PumpPendingMessages();
}

void StartedApp::RunScripted(UINT nID, std::vector<ModalScript::Action> actions)
{
    ModalScript script(std::move(actions));
    RunCommand(nID);
    EXPECT_TRUE(script.Done());
    PumpPendingMessages();
}

std::vector<CString> StartedApp::Logged(LPCTSTR lpszSource)
{
    PumpPendingMessages();
    std::vector<CString> lines;
    if (CListCtrl* pList = SourceList(OutputCategory(Frame().GetOutputWnd(), 0), lpszSource))
        for (int i = 0; i < pList->GetItemCount(); ++i)
            lines.push_back(pList->GetItemText(i, 1));
    return lines;
}

void ShownApp::SetUp()
{
    StartedApp::SetUp();
    Frame().ShowWindow(SW_SHOWNA);
    Frame().RecalcLayout();
}

void ShownApp::ShowTab(int nTab)
{
    auto* pTabs = DYNAMIC_DOWNCAST(SEC3DTabWnd, Frame().GetLandscapeWnd().GetDlgItem(AFX_IDW_PANE_FIRST));
    pTabs->ActivateTab(nTab);
    Frame().RecalcLayout();
    PumpPendingMessages();
}

CPoint ShownApp::LabelPoint(CLandscapeTree& tree, HTREEITEM hItem)
{
    tree.RecalcLayout();
    CRect rect;
    EXPECT_TRUE(tree.GetCellRect(tree.GetItemRow(hItem), 0, rect, 2));
    return rect.CenterPoint();
}

std::vector<CString> TreeLines(CLandscapeTree& tree)
{
    std::vector<CString> lines;
    for (HTREEITEM hEntry = tree.GetChildItem(TVI_ROOT); hEntry != nullptr; hEntry = tree.GetNextSiblingItem(hEntry))
    {
        EXPECT_TRUE(!tree.ItemHasChildren(hEntry) || tree.IsItemExpanded(hEntry)) << CW2A(tree.GetItemText(hEntry));
        lines.push_back(tree.GetItemText(hEntry));
        for (HTREEITEM hChild = tree.GetChildItem(hEntry); hChild != nullptr; hChild = tree.GetNextSiblingItem(hChild))
        {
            TVITEMW item = {};
            item.hItem = hChild;
            item.mask = TVIF_PARAM | TVIF_IMAGE;
            tree.GetItem(&item);
            CString strLine;
            strLine.Format(_T("  %s #%d image %d"), static_cast<LPCTSTR>(tree.GetItemText(hChild)),
                           static_cast<int>(item.lParam), item.iImage);
            lines.push_back(strLine);
        }
    }
    return lines;
}

CMessageTabWnd& OutputCategory(COutputWnd& output, int nCategory)
{
    auto* pTabs = DYNAMIC_DOWNCAST(SEC3DTabWnd, output.GetDlgItem(AFX_IDW_PANE_FIRST));
    LPCTSTR lpszLabel = nullptr;
    BOOL bSelected = FALSE;
    CWnd* pWnd = nullptr;
    DWORD dwData = 0;
    pTabs->GetTabInfo(nCategory, lpszLabel, bSelected, pWnd, dwData);
    return *DYNAMIC_DOWNCAST(CMessageTabWnd, pWnd);
}

CListCtrl* SourceList(CMessageTabWnd& category, LPCTSTR lpszSource)
{
    for (int nTab = 0; nTab < category.GetTabCount(); ++nTab)
    {
        LPCTSTR lpszLabel = nullptr;
        BOOL bSelected = FALSE;
        CWnd* pWnd = nullptr;
        DWORD dwData = 0;
        if (category.GetTabInfo(nTab, lpszLabel, bSelected, pWnd, dwData) && CString(lpszLabel) == lpszSource)
            return DYNAMIC_DOWNCAST(CListCtrl, pWnd);
    }
    return nullptr;
}

std::vector<CString> TabLabels(tarnwick::tabs::SECTabWndBase& tabs)
{
    std::vector<CString> labels;
    for (int nTab = 0; nTab < tabs.GetTabCount(); ++nTab)
    {
        LPCTSTR lpszLabel = nullptr;
        BOOL bSelected = FALSE;
        CWnd* pWnd = nullptr;
        DWORD dwData = 0;
        tabs.GetTabInfo(nTab, lpszLabel, bSelected, pWnd, dwData);
        labels.emplace_back(lpszLabel);
    }
    return labels;
}
