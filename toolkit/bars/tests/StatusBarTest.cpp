// The status bar lays its panes out from their text widths, sends each text once, shows the
// idle prompt and follows the key indicators' update handlers.
#include <toolkit/bars/StatusBar.h>

#include <afxpriv.h>

#include <gtest/gtest.h>

#include "MessageCounter.h"
#include "StatusBarFixture.h"
#include <testing/MessagePump.h>

using tarnwick::bars::SBPS_DISABLED;
using tarnwick::bars::SBPS_NOBORDERS;
using tarnwick::bars::SBPS_STRETCH;
using tarnwick::bars::SECStatusBar;

namespace
{
void SetKeyToggled(int nVirtKey, bool bOn)
{
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[nVirtKey] = bOn ? 1 : 0;
    ::SetKeyboardState(keys);
}

class StatusBarTest : public StatusBarFixture<SECStatusBar>
{
protected:
    CString ControlText(int nIndex)
    {
        TCHAR sz[64] = {};
        m_bar.SendMessage(SB_GETTEXT, nIndex, reinterpret_cast<LPARAM>(sz));
        return sz;
    }
    std::vector<int> Edges()
    {
        std::vector<int> edges(static_cast<size_t>(m_bar.GetCount()));
        m_bar.SendMessage(SB_GETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
        return edges;
    }
    void IdleUpdate()
    {
        m_bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    }
};
} // namespace

TEST_F(StatusBarTest, MessagePaneTakesTheFreeWidthAndIndicatorsTheirTextWidths)
{
    EXPECT_EQ(m_bar.GetPaneStyle(0) & (SBPS_NOBORDERS | SBPS_STRETCH), SBPS_NOBORDERS | SBPS_STRETCH);
    int borders[3] = {};
    m_bar.SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    CClientDC dc(nullptr);
    CFont* pOld = dc.SelectObject(CFont::FromHandle(reinterpret_cast<HFONT>(m_bar.SendMessage(WM_GETFONT))));
    const LPCTSTR texts[] = {_T("CAP"), _T("NUM"), _T("SCRL")};
    const std::vector<int> edges = Edges();
    ASSERT_EQ(edges.size(), 4u);
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(edges[static_cast<size_t>(i)] - edges[static_cast<size_t>(i - 1)] - borders[2],
                  dc.GetTextExtent(texts[i - 1]).cx + 6)
            << "pane " << i;
    dc.SelectObject(pOld);

    CRect inside;
    m_bar.GetClientRect(inside);
    ASSERT_GT(inside.Width(), 300);
    m_bar.CalcInsideRect(inside, TRUE);
    EXPECT_EQ(edges.back(), borders[0] + inside.Width());
}

TEST_F(StatusBarTest, SameTextTwiceIsSentOnce)
{
    MessageCounter counter(m_bar.m_hWnd, SB_SETTEXT);
    EXPECT_TRUE(m_bar.SetPaneText(0, _T("Working")));
    EXPECT_TRUE(m_bar.SetPaneText(0, _T("Working")));
    EXPECT_EQ(counter.Count(), 1);
    EXPECT_EQ(ControlText(0), _T("Working"));
    // An empty text equals none.
    EXPECT_TRUE(m_bar.SetPaneText(0, _T("")));
    EXPECT_TRUE(m_bar.SetPaneText(0, nullptr));
    EXPECT_EQ(counter.Count(), 2);
}

TEST_F(StatusBarTest, TextWithoutUpdateShowsAtTheNextPaint)
{
    ASSERT_TRUE(m_bar.SetPaneText(0, _T("Old")));
    ASSERT_TRUE(m_bar.SetPaneText(0, _T("New"), FALSE));
    EXPECT_EQ(ControlText(0), _T("Old"));
    EXPECT_EQ(m_bar.GetPaneText(0), _T("New"));
    m_bar.SendMessage(WM_PAINT);
    EXPECT_EQ(ControlText(0), _T("New"));
}

TEST_F(StatusBarTest, KeyIndicatorsFollowTheirKeysAndKeepTheirWidths)
{
    const std::vector<int> edgesBefore = Edges();
    SetKeyToggled(VK_CAPITAL, true);
    SetKeyToggled(VK_NUMLOCK, false);
    IdleUpdate();
    EXPECT_EQ(ControlText(1), _T("CAP"));
    EXPECT_EQ(ControlText(2), _T(""));
    EXPECT_TRUE(m_bar.GetPaneStyle(2) & SBPS_DISABLED);
    EXPECT_EQ(Edges(), edgesBefore);

    SetKeyToggled(VK_CAPITAL, false);
    IdleUpdate();
    EXPECT_EQ(ControlText(1), _T(""));
    SetKeyToggled(VK_CAPITAL, true);
    IdleUpdate();
    EXPECT_EQ(ControlText(1), _T("CAP"));
    SetKeyToggled(VK_CAPITAL, false);
}

TEST_F(StatusBarTest, ShowsReadyAfterCreationAndAfterAPrompt)
{
    PumpPendingMessages();
    EXPECT_EQ(ControlText(0), _T("Ready"));
    m_pFrame->SetMessageText(32779);
    EXPECT_EQ(ControlText(0), _T("Add SAP system"));
    m_pFrame->SetMessageText(AFX_IDS_IDLEMESSAGE);
    EXPECT_EQ(ControlText(0), _T("Ready"));
}

TEST_F(StatusBarTest, WindowTextIsTheMessagePane)
{
    m_pFrame->SetMessageText(_T("Hello"));
    TCHAR sz[4] = {};
    EXPECT_EQ(m_bar.SendMessage(WM_GETTEXT, 4, reinterpret_cast<LPARAM>(sz)), 3);
    EXPECT_STREQ(sz, _T("Hel"));
    EXPECT_EQ(m_bar.SendMessage(WM_GETTEXTLENGTH), 5);
    // The count excludes the terminating zero, so that GetWindowText reads the text exactly.
    CString strText;
    m_bar.GetWindowText(strText);
    EXPECT_EQ(strText, _T("Hello"));
}

TEST(StatusBarCreateTest, FailedCreationAnswersFalse)
{
    SECStatusBar bar;
    EXPECT_FALSE(bar.Create(nullptr, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR));
    EXPECT_EQ(bar.m_hWnd, nullptr);
}

TEST_F(StatusBarTest, FrameTipIsThePartAfterTheLineBreak)
{
    NMTTDISPINFOW info{};
    info.hdr.hwndFrom = m_bar.m_hWnd;
    info.hdr.idFrom = 32792;
    info.hdr.code = TTN_NEEDTEXTW;
    m_pFrame->SendMessage(WM_NOTIFY, 32792, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(info.szText, L"Package Session");
}
