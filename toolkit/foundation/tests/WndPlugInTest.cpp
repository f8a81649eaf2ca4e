// A plug-in on a hidden host that keeps the hosts' contract: messages and commands go to the
// plug-in first, and its stop flag keeps them from the host.
#include <toolkit/foundation/WndPlugIn.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <testing/MessagePump.h>

using tarnwick::foundation::SECWndPlugIn;

namespace
{
constexpr UINT WM_OBSERVED = WM_APP + 1; // the plug-in looks, the host handles
constexpr UINT WM_TAKEN = WM_APP + 2;    // the plug-in takes it over
constexpr UINT WM_ANSWERED = WM_APP + 3; // the plug-in answers 42, its map entry says unhandled
constexpr UINT ID_PLUGIN_COMMAND = 0x9200;

std::vector<std::string> g_seen;

class CTestPlugIn : public SECWndPlugIn
{
public:
    HWND m_hWndSeen = nullptr;

protected:
    afx_msg LRESULT OnObserved(WPARAM, LPARAM)
    {
        g_seen.emplace_back("plug-in");
        m_hWndSeen = m_hWnd;
        return 0;
    }
    afx_msg LRESULT OnTaken(WPARAM, LPARAM)
    {
        g_seen.emplace_back("plug-in");
        StopMsgProcessing();
        return 7;
    }
    afx_msg LRESULT OnAnswered(WPARAM, LPARAM)
    {
        g_seen.emplace_back("plug-in");
        StopMsgProcessing();
        return SetMsgHandled(42);
    }
    afx_msg void OnPlugInCommand()
    {
        g_seen.emplace_back("plug-in command");
        StopMsgProcessing();
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CTestPlugIn, SECWndPlugIn)
ON_MESSAGE(WM_OBSERVED, OnObserved)
ON_MESSAGE(WM_TAKEN, OnTaken)
ON_MESSAGE(WM_ANSWERED, OnAnswered)
ON_COMMAND(ID_PLUGIN_COMMAND, OnPlugInCommand)
END_MESSAGE_MAP()

// A host as the frames are: the plug-in is offered each message and command first.
class CHostWnd : public CWnd
{
public:
    SECWndPlugIn* m_pPlugIn = nullptr;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (m_pPlugIn != nullptr)
        {
            LRESULT lResult = 0;
            m_pPlugIn->OnWndMsg(message, wParam, lParam, &lResult);
            if (m_pPlugIn->IsMsgProcessingStopped())
                return lResult;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (m_pPlugIn != nullptr)
        {
            const BOOL bResult = m_pPlugIn->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
            if (m_pPlugIn->IsMsgProcessingStopped())
            {
                m_pPlugIn->ClearStopMsgProcessing();
                return bResult;
            }
        }
        return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }

protected:
    afx_msg LRESULT OnHostMessage(WPARAM, LPARAM)
    {
        g_seen.emplace_back("host");
        return 1;
    }
    afx_msg void OnHostCommand()
    {
        g_seen.emplace_back("host command");
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CHostWnd, CWnd)
ON_MESSAGE(WM_OBSERVED, OnHostMessage)
ON_MESSAGE(WM_TAKEN, OnHostMessage)
ON_MESSAGE(WM_ANSWERED, OnHostMessage)
ON_COMMAND(ID_PLUGIN_COMMAND, OnHostCommand)
END_MESSAGE_MAP()

class WndPlugInTest : public HiddenWindowTest
{
protected:
    void SetUp() override
    {
        g_seen.clear();
        ASSERT_TRUE(m_host.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), &Parent(), 1));
        m_host.m_pPlugIn = &m_plugIn;
    }
    void TearDown() override
    {
        m_host.m_pPlugIn = nullptr;
    }
    CHostWnd m_host;
    CTestPlugIn m_plugIn;
};

TEST_F(WndPlugInTest, NothingReachesThePlugInBeforeItIsPluggedIn)
{
    LRESULT lResult = -1;
    EXPECT_FALSE(m_plugIn.OnWndMsg(WM_OBSERVED, 0, 0, &lResult));
    EXPECT_FALSE(m_plugIn.PlugInTo(nullptr));
    EXPECT_FALSE(m_plugIn.IsPluggedIn());
    EXPECT_EQ(m_host.SendMessage(WM_TAKEN), 1);
    EXPECT_EQ(g_seen, std::vector<std::string>{"host"});
    EXPECT_EQ(m_plugIn.m_hWnd, nullptr);
}

TEST_F(WndPlugInTest, PlugInSeesMessagesFirstAndCanKeepThemFromTheHost)
{
    ASSERT_TRUE(m_plugIn.PlugInTo(&m_host));
    // The plug-in acts on the host's window, which stays the host's object.
    EXPECT_EQ(m_plugIn.m_hWnd, m_host.m_hWnd);
    EXPECT_EQ(CWnd::FromHandlePermanent(m_host.m_hWnd), &m_host);

    EXPECT_EQ(m_host.SendMessage(WM_OBSERVED), 1);
    EXPECT_EQ(g_seen, (std::vector<std::string>{"plug-in", "host"}));
    EXPECT_EQ(m_plugIn.m_hWndSeen, m_host.m_hWnd);

    g_seen.clear();
    EXPECT_EQ(m_host.SendMessage(WM_TAKEN), 7);
    EXPECT_EQ(g_seen, std::vector<std::string>{"plug-in"});

    // The stored result comes back even though the map entry reports nothing; the next
    // message starts clear.
    g_seen.clear();
    LRESULT lResult = 0;
    EXPECT_TRUE(m_plugIn.OnWndMsg(WM_ANSWERED, 0, 0, &lResult));
    EXPECT_EQ(lResult, 42);
    EXPECT_EQ(m_host.SendMessage(WM_ANSWERED), 42);
    EXPECT_EQ(m_host.SendMessage(WM_OBSERVED), 1);
    EXPECT_FALSE(m_plugIn.IsMsgProcessingStopped());
    EXPECT_EQ(g_seen, (std::vector<std::string>{"plug-in", "plug-in", "plug-in", "host"}));
}

TEST_F(WndPlugInTest, CommandsReachThePlugInFirst)
{
    ASSERT_TRUE(m_plugIn.PlugInTo(&m_host));
    // The host's command routing, as a frame routes a menu command.
    EXPECT_TRUE(m_host.OnCmdMsg(ID_PLUGIN_COMMAND, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ(g_seen, std::vector<std::string>{"plug-in command"});
    EXPECT_FALSE(m_plugIn.IsMsgProcessingStopped());

    // Unplugged, the host has them again.
    g_seen.clear();
    EXPECT_FALSE(m_plugIn.UnPlug());
    EXPECT_EQ(m_plugIn.m_hWnd, nullptr);
    EXPECT_TRUE(m_host.OnCmdMsg(ID_PLUGIN_COMMAND, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ(g_seen, std::vector<std::string>{"host command"});
}

TEST_F(WndPlugInTest, DeletingAPlugInLeavesTheHostAlive)
{
    auto* pPlugIn = new CTestPlugIn;
    ASSERT_TRUE(pPlugIn->PlugInTo(&m_host));
    m_host.m_pPlugIn = pPlugIn;
    m_host.SendMessage(WM_OBSERVED);
    m_host.m_pPlugIn = nullptr;
    delete pPlugIn;
    EXPECT_TRUE(::IsWindow(m_host.m_hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(m_host.m_hWnd), &m_host);
    // The plug-in's default processing does nothing unless a handler allows it.
    CTestPlugIn plugIn;
    ASSERT_TRUE(plugIn.PlugInTo(&m_host));
    EXPECT_EQ(plugIn.DefWindowProc(WM_GETTEXTLENGTH, 0, 0), 0);
}
} // namespace
