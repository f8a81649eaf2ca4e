// The output window: lines sorted into categories and sources, the 200-line cap, the line
// length, "Clear Tabs", and the records that reach it, each deleted exactly once.
#include "StartedApp.h"

#include <app/MessageTabWnd.h>
#include <app/resource.h>

#include <collector/Lumiter5Message.h>
#include <testing/MessagePump.h>
#include <toolkit/tabs/3DTabWnd.h>

#include <algorithm>

using tarnwick::tabs::SEC3DTabWnd;

namespace
{
// A record that counts the records alive.
class CCountedMessage : public CLumiter5Message
{
public:
    static inline int s_nAlive = 0;
    CCountedMessage(LPCTSTR lpszSource, LPCTSTR lpszText) : CLumiter5Message(lpszSource, _T("07:00 UTC"), lpszText)
    {
        ++s_nAlive;
    }
    ~CCountedMessage() override
    {
        --s_nAlive;
    }
};

class OutputWndTest : public StartedApp
{
protected:
    void SetUp() override
    {
        StartedApp::SetUp();
        CCountedMessage::s_nAlive = 0;
    }
    COutputWnd& Output()
    {
        return Frame().GetOutputWnd();
    }
    void Post(WPARAM nCategory, LPCTSTR lpszSource, LPCTSTR lpszText)
    {
        ASSERT_TRUE(Output().PostMessage(WM_LUMITER5_MESSAGE, nCategory,
                                         reinterpret_cast<LPARAM>(new CCountedMessage(lpszSource, lpszText))));
    }
    int TabCount(int nCategory)
    {
        return OutputCategory(Output(), nCategory).GetTabCount();
    }
};

TEST_F(OutputWndTest, EachCategoryKeepsOneTabPerSource)
{
    Post(CSessionHost::categorySystem, _T("PRD"), _T("system line"));
    Post(CSessionHost::categoryDatabase, _T("PRD"), _T("database line"));
    Post(CSessionHost::categorySystem, _T("OLD"), _T("other system"));
    Post(CSessionHost::categorySystem, _T("PRD"), _T("second system line"));
    PumpPendingMessages();
    EXPECT_EQ(CCountedMessage::s_nAlive, 0);

    CMessageTabWnd& systems = OutputCategory(Output(), CSessionHost::categorySystem);
    const std::vector<CString> expected = {_T("PRD"), _T("OLD")};
    EXPECT_EQ(TabLabels(systems), expected);
    CListCtrl* pSystem = SourceList(systems, _T("PRD"));
    ASSERT_NE(pSystem, nullptr);
    ASSERT_EQ(pSystem->GetItemCount(), 2);
    EXPECT_EQ(pSystem->GetItemText(0, 0), _T("07:00 UTC"));
    EXPECT_EQ(pSystem->GetItemText(1, 1), _T("second system line"));
    CListCtrl* pDatabase = SourceList(OutputCategory(Output(), CSessionHost::categoryDatabase), _T("PRD"));
    ASSERT_NE(pDatabase, nullptr);
    EXPECT_NE(pDatabase, pSystem);
    EXPECT_EQ(pDatabase->GetItemText(0, 1), _T("database line"));
}

TEST_F(OutputWndTest, The201stLineDropsTheFirst)
{
    for (int nLine = 1; nLine <= 201; ++nLine)
    {
        CString strText;
        strText.Format(_T("line %d"), nLine);
        Output().DispatchMessageToTab(CSessionHost::categoryHost, _T("saplx01"), _T("07:00 UTC"), strText);
    }
    CListCtrl* pList = SourceList(OutputCategory(Output(), CSessionHost::categoryHost), _T("saplx01"));
    ASSERT_NE(pList, nullptr);
    EXPECT_EQ(pList->GetItemCount(), 200);
    EXPECT_EQ(pList->GetItemText(0, 1), _T("line 2"));
    EXPECT_EQ(pList->GetItemText(199, 1), _T("line 201"));
}

TEST_F(OutputWndTest, TimeAndMessageStayWithin250Characters)
{
    const CString strTime(_T('t'), 30);
    const CString strText(_T('m'), 300);
    Output().DispatchMessageToTab(CSessionHost::categoryInstance, _T("PRD_00"), strTime, strText);
    CListCtrl* pList = SourceList(OutputCategory(Output(), CSessionHost::categoryInstance), _T("PRD_00"));
    ASSERT_NE(pList, nullptr);
    EXPECT_EQ(pList->GetItemText(0, 0), strTime);
    EXPECT_EQ(pList->GetItemText(0, 1).GetLength(), 220);
}

TEST_F(OutputWndTest, AnUnknownCategoryIsDeletedUnseen)
{
    std::vector<int> before;
    for (int nCategory = 0; nCategory < COutputWnd::CategoryCount; ++nCategory)
        before.push_back(TabCount(nCategory));
    Post(7, _T("Nowhere"), _T("dropped"));
    PumpPendingMessages();
    EXPECT_EQ(CCountedMessage::s_nAlive, 0);
    for (int nCategory = 0; nCategory < COutputWnd::CategoryCount; ++nCategory)
        EXPECT_EQ(TabCount(nCategory), before[nCategory]) << nCategory;
}

TEST_F(OutputWndTest, ClearTabsEmptiesEveryCategoryAndActivatesLumiter5)
{
    for (int nCategory = 0; nCategory < COutputWnd::CategoryCount; ++nCategory)
        Output().DispatchMessageToTab(nCategory, _T("Source"), _T("07:00 UTC"), _T("line"));
    auto* pTabs = DYNAMIC_DOWNCAST(SEC3DTabWnd, Output().GetDlgItem(AFX_IDW_PANE_FIRST));
    pTabs->ActivateTab(CSessionHost::categoryDatabase);

    Output().SendMessage(WM_COMMAND, ID_CLEAR_TABS);
    for (int nCategory = 0; nCategory < COutputWnd::CategoryCount; ++nCategory)
        EXPECT_EQ(TabCount(nCategory), 0) << nCategory;
    CWnd* pActive = nullptr;
    ASSERT_TRUE(pTabs->GetActiveTab(pActive));
    EXPECT_EQ(pActive, &OutputCategory(Output(), 0));

    Output().DispatchMessageToTab(CSessionHost::categoryHost, _T("Source"), _T("07:01 UTC"), _T("again"));
    CListCtrl* pList = SourceList(OutputCategory(Output(), CSessionHost::categoryHost), _T("Source"));
    ASSERT_NE(pList, nullptr);
    EXPECT_EQ(pList->GetItemCount(), 1);
}

TEST_F(OutputWndTest, RecordsStillQueuedWhenTheWindowGoesAreDeleted)
{
    for (int i = 0; i < 5; ++i)
        Post(CSessionHost::categoryHost, _T("saplx01"), _T("queued"));
    EXPECT_EQ(CCountedMessage::s_nAlive, 5);
    // The frame takes the output window with it before the queue is read.
    Frame().DestroyWindow();
    EXPECT_EQ(CCountedMessage::s_nAlive, 0);
}

TEST_F(OutputWndTest, LogWritesUnderTheCommandsTabAndGivesUpOnAWindowThatTakesNoPosts)
{
    Frame().Log(_T("System Add"), _T("Logon to saplx01"));
    PumpPendingMessages();
    CListCtrl* pList = SourceList(OutputCategory(Output(), 0), _T("System Add"));
    ASSERT_NE(pList, nullptr);
    EXPECT_EQ(pList->GetItemText(0, 1), _T("Logon to saplx01"));
    // "%H:%M UTC  %a, %b %#d, %Y"
    EXPECT_EQ(pList->GetItemText(0, 0).Find(_T(" UTC  ")), 5);

    // A post that keeps failing ends after about a second, and the record is not leaked.
    CWnd gone;
    ASSERT_TRUE(gone.CreateEx(0, AfxRegisterWndClass(0), _T(""), WS_POPUP, 0, 0, 1, 1, nullptr, nullptr));
    const HWND hGone = gone.GetSafeHwnd();
    gone.DestroyWindow();
    EXPECT_FALSE(CMainFrame::PostLogRecord(hGone, new CCountedMessage(_T("System Add"), _T("lost"))));
    EXPECT_EQ(CCountedMessage::s_nAlive, 0);
}

TEST_F(OutputWndTest, LogOnTheWindowsThreadShowsTheLineAtOnceBehindAFullQueue)
{
    // Posts until the queue refuses one, or as many as a full queue of the system holds.
    const int kQueueLimit = 10000;
    int nQueued = 0;
    for (; nQueued < kQueueLimit; ++nQueued)
    {
        auto* pQueued = new CCountedMessage(_T("Collector"), _T("queued"));
        if (!Output().PostMessage(WM_LUMITER5_MESSAGE, 0, reinterpret_cast<LPARAM>(pQueued)))
        {
            delete pQueued;
            break;
        }
    }

    EXPECT_TRUE(CMainFrame::PostLogRecord(Output().m_hWnd, new CCountedMessage(_T("System Add"), _T("at once"))));
    // Shown without a message pumped, and the lines queued before it with it.
    CListCtrl* pList = SourceList(OutputCategory(Output(), 0), _T("System Add"));
    ASSERT_NE(pList, nullptr);
    EXPECT_EQ(pList->GetItemText(pList->GetItemCount() - 1, 1), _T("at once"));
    CListCtrl* pQueued = SourceList(OutputCategory(Output(), 0), _T("Collector"));
    ASSERT_NE(pQueued, nullptr);
    EXPECT_EQ(pQueued->GetItemCount(), std::min(nQueued, CMessageTabWnd::MaxLines));
    EXPECT_EQ(CCountedMessage::s_nAlive, 0);
}
} // namespace
