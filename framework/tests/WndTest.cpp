// CWnd: creation through the hook, destruction, handle maps, subclassing, relatives,
// layout, the modal loop, tool tips and dialogs from templates.
#include <afxcmn.h>
#include <afxpriv.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <testing/MessagePump.h>

namespace
{
constexpr UINT ID_CHILD = 62010;
constexpr UINT ID_DIALOG = 62001;
constexpr UINT ID_DIALOG_BUTTON = 62002;
constexpr UINT ID_DIALOG_LIST = 62003;
constexpr UINT WM_PASS_ON = WM_APP + 5;

using Log = std::vector<std::string>;

// Logs the steps of its life.
class TracingWnd : public CWnd
{
public:
    Log m_log;
    BOOL m_bAllowCreate = TRUE;
    BOOL m_bAllowPreCreate = TRUE;
    HWND m_hWndAtNcCreate = nullptr;
    CWnd* m_pPermanentAtCreate = nullptr;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override
    {
        m_log.push_back("PreCreateWindow");
        return m_bAllowPreCreate && CWnd::PreCreateWindow(cs);
    }
    void PreSubclassWindow() override
    {
        m_log.push_back("PreSubclassWindow");
    }
    void PostNcDestroy() override
    {
        m_log.push_back("PostNcDestroy");
    }

protected:
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct)
    {
        m_log.push_back("OnNcCreate");
        m_hWndAtNcCreate = m_hWnd;
        return CWnd::OnNcCreate(lpCreateStruct);
    }
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        m_log.push_back("OnCreate");
        m_pPermanentAtCreate = FromHandlePermanent(m_hWnd);
        return m_bAllowCreate ? CWnd::OnCreate(lpCreateStruct) : -1;
    }
    afx_msg void OnDestroy()
    {
        m_log.push_back("OnDestroy");
        CWnd::OnDestroy();
    }
    afx_msg void OnNcDestroy()
    {
        m_log.push_back("OnNcDestroy");
        CWnd::OnNcDestroy();
    }
    DECLARE_MESSAGE_MAP()
};

// clang-format off
BEGIN_MESSAGE_MAP(TracingWnd, CWnd)
    ON_WM_NCCREATE()
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()
// clang-format on

using WndCreationTest = HiddenWindowTest;

TEST_F(WndCreationTest, TheObjectIsAttachedBeforeTheWindowsFirstMessage)
{
    TracingWnd wnd;
    ASSERT_TRUE(wnd.Create(nullptr, _T("child"), WS_VISIBLE, CRect(0, 0, 50, 20), &Parent(), ID_CHILD));
    EXPECT_EQ(wnd.m_log, (Log{"PreCreateWindow", "PreSubclassWindow", "OnNcCreate", "OnCreate"}));
    EXPECT_EQ(wnd.m_hWndAtNcCreate, wnd.m_hWnd);
    EXPECT_EQ(wnd.m_pPermanentAtCreate, &wnd);
    EXPECT_EQ(wnd.GetDlgCtrlID(), int(ID_CHILD));
    EXPECT_EQ(wnd.GetParent(), &Parent());
    // The framework's child class, with its procedure replaced by the framework's.
    TCHAR className[64];
    ::GetClassName(wnd.m_hWnd, className, 64);
    EXPECT_STREQ(className, _afxWnd);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetWindowLongPtr(wnd.m_hWnd, GWLP_WNDPROC)), AfxGetAfxWndProc());
    EXPECT_EQ(wnd.SendMessage(WM_QUERYAFXWNDPROC), 1);
}

TEST_F(WndCreationTest, FailedCreationEndsInPostNcDestroy)
{
    struct Case
    {
        const char* name;
        LPCTSTR lpszClassName;
        BOOL bAllowPreCreate;
        BOOL bAllowCreate;
        Log log;
    };
    const Case cases[] = {
        {"PreCreateWindow refuses", nullptr, FALSE, TRUE, {"PreCreateWindow", "PostNcDestroy"}},
        {"no such class", _T("Lumiter.NoSuchClass"), TRUE, TRUE, {"PreCreateWindow", "PostNcDestroy"}},
        {"OnCreate fails",
         nullptr,
         TRUE,
         FALSE,
         {"PreCreateWindow", "PreSubclassWindow", "OnNcCreate", "OnCreate", "OnNcDestroy", "PostNcDestroy"}},
    };
    for (const Case& c : cases)
    {
        TracingWnd wnd;
        wnd.m_bAllowPreCreate = c.bAllowPreCreate;
        wnd.m_bAllowCreate = c.bAllowCreate;
        EXPECT_FALSE(wnd.Create(c.lpszClassName, nullptr, 0, CRect(0, 0, 10, 10), &Parent(), ID_CHILD)) << c.name;
        // Whether a failed creation sends WM_DESTROY before WM_NCDESTROY differs between systems.
        std::erase(wnd.m_log, "OnDestroy");
        EXPECT_EQ(wnd.m_log, c.log) << c.name;
        EXPECT_EQ(wnd.m_hWnd, nullptr) << c.name;
        EXPECT_EQ(::GetDlgItem(Parent().m_hWnd, ID_CHILD), nullptr) << c.name;
    }
}

TEST_F(WndCreationTest, DestructionDetachesTheObjectBeforePostNcDestroy)
{
    TracingWnd wnd;
    ASSERT_TRUE(wnd.Create(nullptr, nullptr, 0, CRect(0, 0, 10, 10), &Parent(), ID_CHILD));
    const HWND hWnd = wnd.m_hWnd;
    wnd.m_log.clear();
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(wnd.m_log, (Log{"OnDestroy", "OnNcDestroy", "PostNcDestroy"}));
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_FALSE(wnd.DestroyWindow());
}

// Windows made with new delete their objects when they go, however they are destroyed.
class SelfDeletingWnd : public CWnd
{
public:
    explicit SelfDeletingWnd(bool* pbDeleted) : m_pbDeleted(pbDeleted)
    {
    }
    ~SelfDeletingWnd() override
    {
        *m_pbDeleted = true;
    }
    void PostNcDestroy() override
    {
        delete this;
    }

private:
    bool* m_pbDeleted;
};

TEST_F(WndCreationTest, AnObjectMayDeleteItselfInPostNcDestroy)
{
    bool bDeleted = false;
    auto* pWnd = new SelfDeletingWnd(&bDeleted);
    ASSERT_TRUE(pWnd->Create(nullptr, nullptr, 0, CRect(0, 0, 10, 10), &Parent(), ID_CHILD));
    // Destroyed with its parent, behind the object's back.
    ::DestroyWindow(::GetDlgItem(Parent().m_hWnd, ID_CHILD));
    EXPECT_TRUE(bDeleted);

    bDeleted = false;
    pWnd = new SelfDeletingWnd(&bDeleted);
    EXPECT_FALSE(pWnd->Create(_T("Lumiter.NoSuchClass"), nullptr, 0, CRect(0, 0, 10, 10), &Parent(), ID_CHILD));
    EXPECT_TRUE(bDeleted);
}

TEST_F(WndCreationTest, AnObjectDestroysItsWindowWhenItGoes)
{
    HWND hWnd;
    {
        CWnd wnd;
        ASSERT_TRUE(wnd.Create(nullptr, nullptr, 0, CRect(0, 0, 10, 10), &Parent(), ID_CHILD));
        hWnd = wnd.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(hWnd));
}

class WndHandlesTest : public HiddenWindowTest
{
protected:
    void SetUp() override
    {
        m_hRaw = ::CreateWindowEx(0, WC_STATIC, _T("raw"), WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, Parent().m_hWnd,
                                  reinterpret_cast<HMENU>(UINT_PTR(ID_CHILD)), nullptr, nullptr);
        ASSERT_NE(m_hRaw, nullptr);
    }

    HWND m_hRaw = nullptr;
};

TEST_F(WndHandlesTest, FromHandleGivesTemporaryObjectsForWindowsWithoutOne)
{
    AfxLockTempMaps();
    CWnd* pTemp = CWnd::FromHandle(m_hRaw);
    ASSERT_NE(pTemp, nullptr);
    EXPECT_EQ(pTemp->m_hWnd, m_hRaw);
    EXPECT_EQ(CWnd::FromHandle(m_hRaw), pTemp);
    EXPECT_EQ(CWnd::FromHandlePermanent(m_hRaw), nullptr);
    EXPECT_EQ(Parent().GetDlgItem(ID_CHILD), pTemp);
    // Attached windows give their own objects.
    EXPECT_EQ(pTemp->GetParent(), &Parent());
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);

    // The temporary object lives while the maps are locked.
    AfxLockTempMaps();
    EXPECT_TRUE(AfxUnlockTempMaps());
    EXPECT_EQ(CWnd::FromHandle(m_hRaw), pTemp);
    EXPECT_EQ(pTemp->m_hWnd, m_hRaw);
    EXPECT_FALSE(AfxUnlockTempMaps());
    // Freeing it leaves the window alone.
    EXPECT_TRUE(::IsWindow(m_hRaw));
    EXPECT_FALSE(AfxUnlockTempMaps());
}

TEST_F(WndHandlesTest, AttachAndDetachBindAnObjectToAHandle)
{
    CWnd wnd;
    EXPECT_FALSE(wnd.Attach(nullptr));
    ASSERT_TRUE(wnd.Attach(m_hRaw));
    EXPECT_EQ(CWnd::FromHandle(m_hRaw), &wnd);
    CWnd other;
    EXPECT_FALSE(other.Attach(m_hRaw));
    EXPECT_EQ(wnd.Detach(), m_hRaw);
    EXPECT_EQ(CWnd::FromHandlePermanent(m_hRaw), nullptr);
    // Detached, the window outlives its object.
    EXPECT_TRUE(::IsWindow(m_hRaw));
}

// Counts what the original procedure of a subclassed window sees.
int g_nOriginalCalls = 0;

LRESULT CALLBACK OriginalProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PASS_ON)
    {
        ++g_nOriginalCalls;
        return static_cast<LRESULT>(wParam) * 10;
    }
    return ::DefWindowProc(hWnd, message, wParam, lParam);
}

class SubclassingWnd : public CWnd
{
public:
    Log m_log;

protected:
    afx_msg LRESULT OnPassOn(WPARAM wParam, LPARAM)
    {
        const MSG* pMsg = GetCurrentMessage();
        m_log.push_back("OnPassOn " + std::to_string(pMsg->message == WM_PASS_ON && pMsg->wParam == wParam));
        // The original procedure answers with the message as it came.
        return Default() + 1;
    }
    DECLARE_MESSAGE_MAP()
};

// clang-format off
BEGIN_MESSAGE_MAP(SubclassingWnd, CWnd)
    ON_MESSAGE(WM_PASS_ON, OnPassOn)
END_MESSAGE_MAP()
// clang-format on

TEST_F(WndHandlesTest, SubclassingRoutesAWindowsMessagesThroughTheMapFirst)
{
    WNDCLASS wndcls{};
    wndcls.lpfnWndProc = &OriginalProc;
    wndcls.hInstance = AfxGetInstanceHandle();
    wndcls.lpszClassName = _T("Lumiter.WndTest.Original");
    ASSERT_TRUE(AfxRegisterClass(&wndcls));
    const HWND hWnd = ::CreateWindowEx(0, wndcls.lpszClassName, nullptr, WS_CHILD, 0, 0, 10, 10, Parent().m_hWnd,
                                       reinterpret_cast<HMENU>(UINT_PTR(ID_CHILD + 1)), nullptr, nullptr);
    ASSERT_NE(hWnd, nullptr);
    g_nOriginalCalls = 0;

    SubclassingWnd wnd;
    ASSERT_TRUE(wnd.SubclassDlgItem(ID_CHILD + 1, &Parent()));
    EXPECT_EQ(wnd.m_hWnd, hWnd);
    EXPECT_EQ(::SendMessage(hWnd, WM_PASS_ON, 4, 0), 41);
    EXPECT_EQ(wnd.m_log, Log{"OnPassOn 1"});
    EXPECT_EQ(g_nOriginalCalls, 1);

    EXPECT_EQ(wnd.UnsubclassWindow(), hWnd);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetWindowLongPtr(hWnd, GWLP_WNDPROC)), &OriginalProc);
    EXPECT_EQ(::SendMessage(hWnd, WM_PASS_ON, 4, 0), 40);
    EXPECT_EQ(wnd.m_log.size(), 1u);
    EXPECT_EQ(g_nOriginalCalls, 2);
    EXPECT_FALSE(wnd.SubclassDlgItem(ID_CHILD + 2, &Parent()));
    ::DestroyWindow(hWnd);
}

TEST_F(WndHandlesTest, ModifyStyleReportsWhetherTheStyleChanged)
{
    CWnd* pWnd = CWnd::FromHandle(m_hRaw);
    EXPECT_FALSE(pWnd->ModifyStyle(0, WS_VISIBLE));
    EXPECT_TRUE(pWnd->ModifyStyle(WS_VISIBLE, WS_TABSTOP));
    EXPECT_EQ(pWnd->GetStyle() & (WS_VISIBLE | WS_TABSTOP), DWORD(WS_TABSTOP));
    EXPECT_TRUE(pWnd->ModifyStyleEx(0, WS_EX_TRANSPARENT, SWP_FRAMECHANGED));
    EXPECT_TRUE(pWnd->GetExStyle() & WS_EX_TRANSPARENT);
}

TEST_F(WndHandlesTest, WindowTextOfAnyLengthComesBackWhole)
{
    CWnd* pWnd = CWnd::FromHandle(m_hRaw);
    const CString longText(_T('x'), 3000);
    pWnd->SetWindowText(longText);
    CString text;
    pWnd->GetWindowText(text);
    EXPECT_EQ(text, longText);
    EXPECT_EQ(Parent().GetDlgItemText(ID_CHILD, text), 3000);
    EXPECT_EQ(Parent().GetDlgItemText(ID_CHILD + 1, text), 0);
    EXPECT_TRUE(text.IsEmpty());
}

// Claims to be a frame.
class FakeFrame : public CWnd
{
public:
    BOOL IsFrameWnd() const override
    {
        return TRUE;
    }
};

TEST(WndRelativesTest, ParentFramesAreTheAncestorsThatAreFrames)
{
    HiddenWindow top;
    FakeFrame outer, inner;
    CWnd pane, leaf;
    ASSERT_TRUE(outer.Create(nullptr, nullptr, 0, CRect(0, 0, 100, 100), &top.Wnd(), 1));
    ASSERT_TRUE(inner.Create(nullptr, nullptr, 0, CRect(0, 0, 100, 100), &outer, 1));
    ASSERT_TRUE(pane.Create(nullptr, nullptr, 0, CRect(0, 0, 100, 100), &inner, 1));
    ASSERT_TRUE(leaf.Create(nullptr, nullptr, 0, CRect(0, 0, 100, 100), &pane, 1));

    EXPECT_EQ(reinterpret_cast<CWnd*>(leaf.GetParentFrame()), &inner);
    EXPECT_EQ(reinterpret_cast<CWnd*>(inner.GetParentFrame()), &outer);
    EXPECT_EQ(outer.GetParentFrame(), nullptr);
    EXPECT_EQ(reinterpret_cast<CWnd*>(leaf.GetTopLevelFrame()), &outer);
    EXPECT_EQ(reinterpret_cast<CWnd*>(outer.GetTopLevelFrame()), &outer);
    EXPECT_EQ(leaf.GetTopLevelParent(), &top.Wnd());
    EXPECT_EQ(leaf.GetParentOwner(), &top.Wnd());
    // Children that share their parent's id come before it: the deepest one wins.
    EXPECT_EQ(top.Wnd().GetDescendantWindow(1, TRUE), &leaf);

    // An owner set on the object counts for the top-level parent.
    HiddenWindow owner;
    leaf.SetOwner(&owner.Wnd());
    EXPECT_EQ(leaf.GetOwner(), &owner.Wnd());
    EXPECT_EQ(leaf.GetTopLevelParent(), &owner.Wnd());
}

// Counts the messages of one kind that reach it.
class CountingWnd : public CWnd
{
public:
    int m_nCount = 0;

protected:
    afx_msg LRESULT OnCounted(WPARAM, LPARAM)
    {
        ++m_nCount;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

// clang-format off
BEGIN_MESSAGE_MAP(CountingWnd, CWnd)
    ON_MESSAGE(WM_PASS_ON, OnCounted)
END_MESSAGE_MAP()
// clang-format on

TEST_F(WndHandlesTest, DescendantsGetMessagesDeepOrOnlyWhenAttached)
{
    CountingWnd child, grandchild;
    ASSERT_TRUE(child.Create(nullptr, nullptr, 0, CRect(0, 0, 10, 10), &Parent(), 1));
    ASSERT_TRUE(grandchild.Create(nullptr, nullptr, 0, CRect(0, 0, 10, 10), &child, 1));
    const HWND hRawGrandchild =
        ::CreateWindowEx(0, WC_STATIC, nullptr, WS_CHILD, 0, 0, 10, 10, m_hRaw, nullptr, nullptr, nullptr);
    ASSERT_NE(hRawGrandchild, nullptr);

    Parent().SendMessageToDescendants(WM_PASS_ON, 0, 0, FALSE);
    EXPECT_EQ(child.m_nCount, 1);
    EXPECT_EQ(grandchild.m_nCount, 0);
    Parent().SendMessageToDescendants(WM_PASS_ON, 0, 0, TRUE, TRUE);
    EXPECT_EQ(child.m_nCount, 2);
    EXPECT_EQ(grandchild.m_nCount, 1);
}

TEST(WndLayoutTest, CenterWindowCentresOnTheParentAndStaysInside)
{
    HiddenWindow top;
    CWnd area, child;
    ASSERT_TRUE(area.Create(nullptr, nullptr, 0, CRect(0, 0, 400, 300), &top.Wnd(), 1));
    ASSERT_TRUE(child.Create(nullptr, nullptr, 0, CRect(0, 0, 100, 50), &area, 1));
    child.CenterWindow();
    CRect rect;
    child.GetWindowRect(rect);
    area.ScreenToClient(rect);
    EXPECT_EQ(rect, CRect(150, 125, 250, 175));

    // Larger than its parent: the top left corner stays visible.
    child.MoveWindow(0, 0, 500, 400);
    child.CenterWindow();
    child.GetWindowRect(rect);
    area.ScreenToClient(rect);
    EXPECT_EQ(rect.TopLeft(), CPoint(0, 0));
}

// A control bar that takes a band of the parent's client area.
class BandBar : public CWnd
{
public:
    int m_nHeight = 0;
    BOOL m_bTop = TRUE;

protected:
    afx_msg LRESULT OnSizeParent(WPARAM, LPARAM lParam)
    {
        auto* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
        CRect band = pLayout->rect;
        if (m_bTop)
        {
            band.bottom = band.top + m_nHeight;
            pLayout->rect.top += m_nHeight;
        }
        else
        {
            band.top = band.bottom - m_nHeight;
            pLayout->rect.bottom -= m_nHeight;
        }
        AfxRepositionWindow(pLayout, m_hWnd, band);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

// clang-format off
BEGIN_MESSAGE_MAP(BandBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()
// clang-format on

TEST(WndLayoutTest, RepositionBarsGivesWhatTheBarsLeaveToTheLeftOverPane)
{
    HiddenWindow top;
    CWnd frame;
    ASSERT_TRUE(frame.Create(nullptr, nullptr, 0, CRect(0, 0, 300, 200), &top.Wnd(), 1));
    BandBar toolBar, statusBar;
    CWnd pane;
    toolBar.m_nHeight = 30;
    statusBar.m_nHeight = 20;
    statusBar.m_bTop = FALSE;
    ASSERT_TRUE(toolBar.Create(nullptr, nullptr, 0, CRect(0, 0, 1, 1), &frame, 100));
    ASSERT_TRUE(statusBar.Create(nullptr, nullptr, 0, CRect(0, 0, 1, 1), &frame, 101));
    ASSERT_TRUE(pane.Create(nullptr, nullptr, 0, CRect(0, 0, 1, 1), &frame, 200));

    // A query moves nothing.
    CRect rest;
    frame.RepositionBars(0, 0xFFFF, 200, CWnd::reposQuery, &rest);
    EXPECT_EQ(rest, CRect(0, 30, 300, 180));
    const auto childRect = [&](CWnd& wnd) {
        CRect rect;
        wnd.GetWindowRect(rect);
        frame.ScreenToClient(rect);
        return rect;
    };
    EXPECT_EQ(childRect(pane), CRect(0, 0, 1, 1));

    frame.RepositionBars(0, 0xFFFF, 200);
    EXPECT_EQ(childRect(toolBar), CRect(0, 0, 300, 30));
    EXPECT_EQ(childRect(statusBar), CRect(0, 180, 300, 200));
    EXPECT_EQ(childRect(pane), CRect(0, 30, 300, 180));

    // Extra borders around the pane.
    CRect borders(5, 5, 5, 5);
    frame.RepositionBars(0, 0xFFFF, 200, CWnd::reposExtra, &borders);
    EXPECT_EQ(childRect(pane), CRect(5, 35, 295, 175));
}

// Ends its modal loop from a timer that its second idle kick starts: a timer started before
// the loop could fire between the kicks on a busy machine.
class ModalWnd : public CWnd
{
public:
    std::vector<LPARAM> m_kicks;

protected:
    afx_msg LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam)
    {
        EXPECT_EQ(wParam, WPARAM(MSGF_DIALOGBOX));
        m_kicks.push_back(lParam);
        if (lParam == 1)
            SetTimer(1, 20, nullptr);
        // More idle work to do on the first kick only.
        return lParam == 0;
    }
    afx_msg void OnTimer(UINT_PTR)
    {
        KillTimer(1);
        EndModalLoop(7);
    }
    DECLARE_MESSAGE_MAP()
};

// clang-format off
BEGIN_MESSAGE_MAP(ModalWnd, CWnd)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
    ON_WM_TIMER()
END_MESSAGE_MAP()
// clang-format on

TEST(WndModalLoopTest, TheModalLoopKicksIdleUntilEndModalLoop)
{
    HiddenWindow top;
    ModalWnd wnd;
    ASSERT_TRUE(wnd.Create(nullptr, nullptr, 0, CRect(0, 0, 10, 10), &top.Wnd(), 1));
    EXPECT_EQ(wnd.RunModalLoop(), 7);
    ASSERT_GE(wnd.m_kicks.size(), 2u);
    EXPECT_EQ(wnd.m_kicks[0], 0);
    EXPECT_EQ(wnd.m_kicks[1], 1);
    EXPECT_FALSE(wnd.ContinueModal());

    // WM_QUIT ends the loop and stays in the queue for the thread's own loop.
    ::PostQuitMessage(5);
    EXPECT_EQ(wnd.RunModalLoop(MLF_NOKICKIDLE), -1);
    PumpPendingMessages();
    EXPECT_EQ(TakeQuitMessage(), 5);
}

TEST(WndClassTest, RegisteredClassNamesFollowTheirAttributes)
{
    const CString plain = AfxRegisterWndClass(CS_DBLCLKS);
    const HCURSOR hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    const CString withCursor = AfxRegisterWndClass(CS_DBLCLKS, hCursor);
    EXPECT_EQ(plain.Left(4), _T("Afx:"));
    EXPECT_NE(plain, withCursor);
    EXPECT_EQ(CString(AfxRegisterWndClass(CS_DBLCLKS)), plain);

    WNDCLASS wndcls;
    ASSERT_TRUE(::GetClassInfo(AfxGetInstanceHandle(), withCursor, &wndcls));
    EXPECT_EQ(wndcls.style, UINT(CS_DBLCLKS));
    EXPECT_EQ(wndcls.hCursor, hCursor);
    EXPECT_TRUE(AfxDeferRegisterClass(AFX_WNDFRAMEORVIEW_REG | AFX_WNDCONTROLBAR_REG));
    EXPECT_TRUE(::GetClassInfo(AfxGetInstanceHandle(), _afxWndControlBar, &wndcls));
    EXPECT_EQ(wndcls.hbrBackground, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
}

class ToolTipTest : public HiddenWindowTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.Create(nullptr, nullptr, WS_VISIBLE, CRect(0, 0, 200, 100), &Parent(), 1));
        m_hButton = ::CreateWindowEx(0, WC_BUTTON, _T("OK"), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 50, 20,
                                     m_host.m_hWnd, reinterpret_cast<HMENU>(UINT_PTR(ID_CHILD)), nullptr, nullptr);
        m_hEdit = ::CreateWindowEx(0, WC_EDIT, nullptr, WS_CHILD | WS_VISIBLE, 100, 10, 50, 20, m_host.m_hWnd,
                                   reinterpret_cast<HMENU>(UINT_PTR(ID_CHILD + 1)), nullptr, nullptr);
        ASSERT_NE(m_hEdit, nullptr);
    }

    CWnd m_host;
    HWND m_hButton = nullptr;
    HWND m_hEdit = nullptr;
};

TEST_F(ToolTipTest, HitTestFindsTheChildControlUnderThePoint)
{
    TOOLINFO ti{};
    ti.cbSize = sizeof(ti);
    EXPECT_EQ(m_host.OnToolHitTest(CPoint(20, 15), &ti), INT_PTR(ID_CHILD));
    EXPECT_EQ(ti.hwnd, m_host.m_hWnd);
    EXPECT_EQ(ti.uId, reinterpret_cast<UINT_PTR>(m_hButton));
    EXPECT_EQ(ti.uFlags, UINT(TTF_IDISHWND));
    EXPECT_EQ(ti.lpszText, LPSTR_TEXTCALLBACK);

    // Tips of other controls are centred and give no status text.
    ti = TOOLINFO{};
    EXPECT_EQ(m_host.OnToolHitTest(CPoint(110, 15), &ti), INT_PTR(ID_CHILD + 1));
    EXPECT_EQ(ti.uFlags, UINT(TTF_IDISHWND | TTF_NOTBUTTON | TTF_CENTERTIP));
    EXPECT_EQ(m_host.OnToolHitTest(CPoint(80, 60), nullptr), -1);
}

TEST_F(ToolTipTest, MouseMovesOverToolsRegisterThemWithTheThreadsTip)
{
    EXPECT_TRUE(m_host.EnableToolTips());
    const auto move = [&](HWND hWnd, POINT pt) {
        MSG msg{};
        msg.hwnd = hWnd;
        msg.message = WM_MOUSEMOVE;
        msg.lParam = MAKELPARAM(pt.x, pt.y);
        msg.pt = pt;
        ::ClientToScreen(m_host.m_hWnd, &msg.pt);
        return CWnd::WalkPreTranslateTree(m_host.m_hWnd, &msg);
    };
    EXPECT_FALSE(move(m_hButton, {20, 15}));
    CToolTipCtrl* pToolTip = AfxGetThreadState()->m_pToolTip;
    ASSERT_NE(pToolTip, nullptr);
    EXPECT_EQ(pToolTip->GetOwner(), &Parent());
    EXPECT_EQ(pToolTip->GetToolCount(), 1);
    TOOLINFO ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ASSERT_TRUE(pToolTip->SendMessage(TTM_ENUMTOOLS, 0, reinterpret_cast<LPARAM>(&ti)));
    EXPECT_EQ(ti.uId, reinterpret_cast<UINT_PTR>(m_hButton));

    // Moving to the other control replaces the tool; off the controls none is left.
    move(m_hEdit, {110, 15});
    EXPECT_EQ(pToolTip->GetToolCount(), 1);
    ASSERT_TRUE(pToolTip->SendMessage(TTM_ENUMTOOLS, 0, reinterpret_cast<LPARAM>(&ti)));
    EXPECT_EQ(ti.uId, reinterpret_cast<UINT_PTR>(m_hEdit));
    move(m_host.m_hWnd, {80, 60});
    EXPECT_EQ(pToolTip->GetToolCount(), 0);

    // Disabling the tips removes the tool; afterwards nothing is registered.
    move(m_hButton, {20, 15});
    EXPECT_EQ(pToolTip->GetToolCount(), 1);
    EXPECT_TRUE(m_host.EnableToolTips(FALSE));
    EXPECT_EQ(pToolTip->GetToolCount(), 0);
    move(m_hEdit, {110, 15});
    EXPECT_EQ(pToolTip->GetToolCount(), 0);
}

// A dialog window: handles WM_INITDIALOG in its map.
class TemplateDialog : public CWnd
{
public:
    int m_nInitDialogs = 0;

protected:
    afx_msg LRESULT OnInitDialog(WPARAM, LPARAM)
    {
        ++m_nInitDialogs;
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

// clang-format off
BEGIN_MESSAGE_MAP(TemplateDialog, CWnd)
    ON_MESSAGE(WM_INITDIALOG, OnInitDialog)
END_MESSAGE_MAP()
// clang-format on

TEST(WndDialogTest, DialogsFromTemplatesAreAttachedAndFilledFromTheirData)
{
    HiddenWindow top;
    TemplateDialog dialog;
    ASSERT_TRUE(dialog.CreateDlg(MAKEINTRESOURCE(ID_DIALOG), &top.Wnd()));
    EXPECT_EQ(dialog.m_nInitDialogs, 1);
    EXPECT_EQ(CWnd::FromHandlePermanent(dialog.m_hWnd), &dialog);
    ASSERT_NE(dialog.GetDlgItem(ID_DIALOG_BUTTON), nullptr);
    // No EndModalLoop during WM_INITDIALOG: the dialog stays.
    EXPECT_TRUE(dialog.ContinueModal());

    ASSERT_TRUE(dialog.ExecuteDlgInit(MAKEINTRESOURCE(ID_DIALOG)));
    EXPECT_EQ(dialog.SendDlgItemMessage(ID_DIALOG_LIST, LB_GETCOUNT), 2);
    CString text;
    const int nLength = static_cast<int>(dialog.SendDlgItemMessage(ID_DIALOG_LIST, LB_GETTEXTLEN, 1));
    dialog.SendDlgItemMessage(ID_DIALOG_LIST, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(text.GetBuffer(nLength)));
    text.ReleaseBuffer();
    EXPECT_EQ(text, _T("Beta"));
    // No data: nothing to do.
    EXPECT_TRUE(dialog.ExecuteDlgInit(MAKEINTRESOURCE(ID_DIALOG + 50)));
    EXPECT_FALSE(dialog.CreateDlg(MAKEINTRESOURCE(ID_DIALOG + 50), &top.Wnd()));
}
} // namespace
