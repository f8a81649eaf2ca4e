#include "TabSpy.h"

#include <toolkit/tabs/TabControlBase.h>

#include <gtest/gtest.h>

using namespace tarnwick::tabs;

namespace
{
// Five tabs whose clients are the numbers 1 to 5.
class TabControlBaseTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_control.Create(WS_VISIBLE, CRect(0, 0, 300, 30), &m_spy, 77));
        for (int i = 0; i < 5; ++i)
            m_control.AddTab(CString(_T("Tab ")) + CString(static_cast<TCHAR>('A' + i)), Client(i + 1));
    }
    static void* Client(INT_PTR n)
    {
        return reinterpret_cast<void*>(n);
    }
    int Active()
    {
        int nIndex = -1;
        return m_control.GetActiveTab(nIndex) ? nIndex : -1;
    }

    CTabSpy m_spy;
    SECTabControlBase m_control;
};

TEST_F(TabControlBaseTest, ActivatingNotifiesTheParentOnceWithTheRecord)
{
    m_control.ActivateTab(1);
    m_control.ActivateTab(3);
    m_control.ActivateTab(3);

    const std::vector<TabMessage> log = m_spy.Take();
    ASSERT_EQ(log, (std::vector<TabMessage>{Sel(1), Sel(3)}));
    EXPECT_EQ(log[0].notify.nCtrlID, 77u);
    EXPECT_EQ(log[0].notify.nPrevTabIndex, -1);
    EXPECT_EQ(log[0].notify.pPrevClient, nullptr);
    EXPECT_EQ(log[1].notify.nTabIndex, 3);
    EXPECT_EQ(log[1].notify.nPrevTabIndex, 1);
    EXPECT_EQ(log[1].notify.pClient, Client(4));
    EXPECT_EQ(log[1].notify.pPrevClient, Client(2));
    EXPECT_FALSE(m_control.GetTab(1).m_bSelected);
    EXPECT_TRUE(m_control.GetTab(3).m_bSelected);
}

TEST_F(TabControlBaseTest, DeletingATabKeepsOrMovesTheActiveTab)
{
    struct Case
    {
        int nActive;
        int nDeleted;
        std::vector<TabMessage> expected;
        int nActiveAfter;
        void* pActiveClient;
    };
    const Case cases[] = {
        {2, 2, {Sel(2)}, 2, Client(4)}, // the tab that took its place
        {4, 4, {Sel(3)}, 3, Client(4)}, // the new last tab
        {3, 1, {Sel(2)}, 2, Client(4)}, // the same tab at its new index
        {1, 3, {}, 1, Client(2)},       // after the active one: nothing
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "active " << c.nActive << ", deleted " << c.nDeleted);
        while (m_control.GetTabCount() > 0)
            m_control.DeleteTab(0);
        for (int i = 0; i < 5; ++i)
            m_control.AddTab(_T("Tab"), Client(i + 1));
        m_control.ActivateTab(c.nActive);
        m_spy.Take();

        m_control.DeleteTab(c.nDeleted);

        const std::vector<TabMessage> log = m_spy.Take();
        EXPECT_EQ(log, c.expected);
        EXPECT_EQ(Active(), c.nActiveAfter);
        EXPECT_EQ(m_control.GetTab(c.nActiveAfter).m_pClient, c.pActiveClient);
        if (!log.empty())
        {
            EXPECT_EQ(log[0].notify.pClient, c.pActiveClient);
        }
    }
}

TEST_F(TabControlBaseTest, DeletingBeforeTheActiveTabLeavesTheSelectionOfItsNeighbour)
{
    m_control.ActivateTab(3);
    m_control.SelectTab(4);
    m_control.DeleteTab(1);
    EXPECT_EQ(Active(), 2);
    EXPECT_TRUE(m_control.GetTab(2).m_bSelected);
    EXPECT_TRUE(m_control.GetTab(3).m_bSelected) << "the tab after the active one stays selected";
}

TEST_F(TabControlBaseTest, DeletingTheLastTabLeavesNoneActive)
{
    m_control.ActivateTab(0);
    while (m_control.GetTabCount() > 0)
        m_control.DeleteTab(0);
    EXPECT_EQ(Active(), -1);
    EXPECT_FALSE(m_control.IsValidTab(0));
}

TEST_F(TabControlBaseTest, InsertingBeforeTheActiveTabKeepsItsRecordActive)
{
    m_control.ActivateTab(2);
    m_spy.Take();
    m_control.InsertTab(0, _T("New"), Client(9));
    EXPECT_EQ(Active(), 3);
    EXPECT_EQ(m_control.GetTab(3).m_pClient, Client(3));
    EXPECT_TRUE(m_spy.Take().empty());
}

TEST_F(TabControlBaseTest, FindTabAnswersTheLastOfTwoMatches)
{
    m_control.AddTab(_T("Twin"), Client(2));
    int nIndex = -1;
    EXPECT_TRUE(m_control.FindTab(Client(2), nIndex));
    EXPECT_EQ(nIndex, 5);
    EXPECT_FALSE(m_control.FindTab(Client(42), nIndex));
    EXPECT_FALSE(m_control.TabExists(Client(42)));
}

TEST_F(TabControlBaseTest, GetTabOutOfRangeThrowsWhereGetTabInfoAnswersFalse)
{
    CException* pCaught = nullptr;
    try
    {
        m_control.GetTab(5);
    }
    catch (CException* e)
    {
        pCaught = e;
    }
    ASSERT_NE(pCaught, nullptr);
    EXPECT_TRUE(pCaught->IsKindOf(RUNTIME_CLASS(CInvalidArgException)));
    pCaught->Delete();

    LPCTSTR lpszLabel = nullptr;
    BOOL bSelected = FALSE;
    void* pClient = nullptr;
    DWORD dw1 = 0;
    DWORD dw2 = 0;
    EXPECT_FALSE(m_control.GetTabInfo(5, lpszLabel, bSelected, pClient, dw1, dw2));
    ASSERT_TRUE(m_control.GetTabInfo(4, lpszLabel, bSelected, pClient, dw1, dw2));
    EXPECT_STREQ(lpszLabel, _T("Tab E"));
    EXPECT_EQ(pClient, Client(5));
}

TEST_F(TabControlBaseTest, SelectionNotifiesWithTheActiveIndex)
{
    m_control.ActivateTab(1);
    m_spy.Take();
    m_control.SelectTab(3);
    std::vector<TabMessage> log = m_spy.Take();
    ASSERT_EQ(log, (std::vector<TabMessage>{Sel(1)}));
    EXPECT_EQ(log[0].notify.nTabIndex, 3);
    EXPECT_TRUE(m_control.GetTab(3).m_bSelected);
    EXPECT_EQ(Active(), 1);

    m_control.ClearSelection();
    log = m_spy.Take();
    ASSERT_EQ(log, (std::vector<TabMessage>{{TCM_TABSELCLR, 0, {}}}));
    EXPECT_EQ(Active(), -1);
    for (int i = 0; i < m_control.GetTabCount(); ++i)
        EXPECT_FALSE(m_control.GetTab(i).m_bSelected);
}

TEST_F(TabControlBaseTest, ReactivationNamesTheActiveIndex)
{
    m_control.ActivateTab(4);
    m_spy.Take();
    m_control.NotifyReactivate();
    EXPECT_EQ(m_spy.Take(), (std::vector<TabMessage>{{TCM_TABREACTIVATE, 4, {}}}));
}
} // namespace
