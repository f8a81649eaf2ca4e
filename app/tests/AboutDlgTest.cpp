// The About box: its links in place of the statics, their colours, auto size, cursor and the
// shell call of a click.
#include <app/AboutDlg.h>

#include <testing/MemoryCanvas.h>
#include <testing/MessagePump.h>
#include <testing/PrintString.h>

#include <vector>

#include <gtest/gtest.h>

namespace
{
struct ShellCall
{
    HWND hWnd;
    CString strVerb;
    CString strTarget;
    int nShow;
};

std::vector<ShellCall> g_calls;

HINSTANCE WINAPI RecordShellCall(HWND hWnd, LPCTSTR lpszVerb, LPCTSTR lpszTarget, LPCTSTR, LPCTSTR, INT nShow)
{
    g_calls.push_back({hWnd, lpszVerb, lpszTarget, nShow});
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(33));
}

const COLORREF kBlue = 0xFF0000;
const COLORREF kVisited = 0x7D7D00;

class AboutDlgTest : public HiddenWindowTest
{
protected:
    void SetUp() override
    {
        g_calls.clear();
        m_pfnPrevious = std::exchange(SECHyperlink::s_pfnShellExecute, &RecordShellCall);
        ASSERT_TRUE(m_dialog.Create(IDD_ABOUTBOX, &Parent()));
    }
    void TearDown() override
    {
        m_dialog.DestroyWindow();
        SECHyperlink::s_pfnShellExecute = m_pfnPrevious;
    }

    // How many pixels of the link's painting have the colour.
    static int CountPixels(SECHyperlink& link, COLORREF clr)
    {
        MemoryCanvas canvas(200, 40, RGB(0xFF, 0xFF, 0xFF));
        ::SendMessage(link.m_hWnd, WM_PAINT, reinterpret_cast<WPARAM>(canvas.Hdc()), 0);
        int nCount = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 200; ++x)
                nCount += canvas.Pixel(x, y) == clr;
        return nCount;
    }
    static void Mouse(SECHyperlink& link, UINT uMsg, int x, int y)
    {
        ::SendMessage(link.m_hWnd, uMsg, 0, MAKELPARAM(x, y));
    }

    CAboutDlg m_dialog;
    HINSTANCE(WINAPI* m_pfnPrevious)(HWND, LPCTSTR, LPCTSTR, LPCTSTR, LPCTSTR, INT) = nullptr;
};

TEST_F(AboutDlgTest, LinksTakeThePlaceOfTheStaticsInBlueAndFitTheirText)
{
    const struct
    {
        SECHyperlink* pLink;
        int nID;
        LPCTSTR lpszText;
        LPCTSTR lpszTarget;
    } links[] = {
        {&m_dialog.m_websiteLink, IDC_WEBSITE_LINK, _T("visit website"), _T("https://www.lumiter.example/")},
        {&m_dialog.m_emailLink, IDC_EMAIL_LINK, _T("email support"), _T("mailto:support@lumiter.example")},
    };
    for (const auto& l : links)
    {
        SECHyperlink& link = *l.pLink;
        ASSERT_TRUE(link.IsWindow());
        EXPECT_EQ(link.m_hWnd, ::GetDlgItem(m_dialog.m_hWnd, l.nID)) << "the static is gone";
        EXPECT_EQ(CString(l.lpszText), CString(link.GetText()));
        EXPECT_EQ(CString(l.lpszTarget), CString(link.GetTarget()));
        EXPECT_EQ(CString(_T("open")), CString(link.GetVerb()));
        // The static's place: 100 dialog units wide, far wider than the text.
        RECT rcStatic = {62, 54, 162, 62};
        m_dialog.MapDialogRect(&rcStatic);
        RECT rc;
        ::GetWindowRect(link.m_hWnd, &rc);
        ::MapWindowPoints(nullptr, m_dialog.m_hWnd, reinterpret_cast<LPPOINT>(&rc), 2);
        EXPECT_EQ(rcStatic.left, rc.left);

        EXPECT_GT(CountPixels(link, kBlue), 10);
        EXPECT_EQ(0, CountPixels(link, kVisited));
        CClientDC dc(&m_dialog);
        CFont* pOld = dc.SelectObject(m_dialog.GetFont());
        const CSize sizeText = dc.GetTextExtent(l.lpszText);
        dc.SelectObject(pOld);
        RECT rcClient;
        link.GetClientRect(&rcClient);
        EXPECT_EQ(sizeText.cx, rcClient.right);
        EXPECT_EQ(sizeText.cy, rcClient.bottom);
        EXPECT_LT(rcClient.right, rcStatic.right - rcStatic.left);
    }
}

TEST_F(AboutDlgTest, AClickInsideOpensTheTargetAndTurnsOnlyThatLinkVisited)
{
    SECHyperlink& website = m_dialog.m_websiteLink;
    CountPixels(website, kBlue); // sized to its text
    Mouse(website, WM_MOUSEMOVE, 3, 3);
    EXPECT_EQ(::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(IDC_LINK_HAND)), ::GetCursor());
    ASSERT_NE(nullptr, ::GetCursor());
    Mouse(website, WM_LBUTTONUP, 3, 3);
    ASSERT_EQ(1u, g_calls.size());
    EXPECT_EQ(website.m_hWnd, g_calls[0].hWnd);
    EXPECT_EQ(CString(_T("open")), g_calls[0].strVerb);
    EXPECT_EQ(CString(_T("https://www.lumiter.example/")), g_calls[0].strTarget);
    EXPECT_EQ(SW_SHOWNORMAL, g_calls[0].nShow);
    EXPECT_GT(CountPixels(website, kVisited), 10);
    EXPECT_EQ(0, CountPixels(website, kBlue));
    EXPECT_GT(CountPixels(m_dialog.m_emailLink, kBlue), 10) << "the other link stays blue";
    EXPECT_FALSE(m_dialog.m_emailLink.GetVisited());
}

TEST_F(AboutDlgTest, AReleaseOutsideOpensNothingAndLeavingRestoresTheCursor)
{
    SECHyperlink& email = m_dialog.m_emailLink;
    CountPixels(email, kBlue);
    RECT rcClient;
    email.GetClientRect(&rcClient);
    const HCURSOR hArrow = ::LoadCursor(nullptr, IDC_ARROW);
    ::SetCursor(hArrow);
    Mouse(email, WM_MOUSEMOVE, 2, 2);
    Mouse(email, WM_MOUSEMOVE, 4, 2);
    EXPECT_EQ(email.m_hWnd, ::GetCapture());
    Mouse(email, WM_MOUSEMOVE, rcClient.right + 5, 2);
    EXPECT_EQ(hArrow, ::GetCursor()) << "the cursor from before the link, not the hand";
    EXPECT_EQ(nullptr, ::GetCapture());
    Mouse(email, WM_LBUTTONUP, rcClient.right + 5, 2);
    Mouse(email, WM_LBUTTONUP, -1, 2);
    EXPECT_TRUE(g_calls.empty());
    EXPECT_FALSE(email.GetVisited());
}

TEST_F(AboutDlgTest, ALinkMadeWithoutAStyleTakesTheTraitsOnesAndNeedsAParent)
{
    SECHyperlink link;
    const RECT rc = {0, 0, 40, 10};
    EXPECT_FALSE(link.Create(nullptr, rc, 99));
    ASSERT_TRUE(link.Create(m_dialog.m_hWnd, rc, 99));
    EXPECT_EQ(0x56000000, ::GetWindowLong(link.m_hWnd, GWL_STYLE) & 0x56000000);
    EXPECT_EQ(99, ::GetDlgCtrlID(link.m_hWnd));
}

TEST_F(AboutDlgTest, ReplacingAMissingStaticAnswersNoWindowAndKeepsNoLink)
{
    SECHyperlink link;
    EXPECT_EQ(nullptr, CAboutDlg::ReplaceStatic(4321, &m_dialog, link));
    EXPECT_FALSE(link.IsWindow());
    EXPECT_EQ(nullptr, ::GetDlgItem(m_dialog.m_hWnd, 4321));
    EXPECT_EQ(nullptr, CAboutDlg::ReplaceStatic(IDC_WEBSITE_LINK, nullptr, link));
}
} // namespace
