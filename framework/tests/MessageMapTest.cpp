// Message maps: dispatch through a chain of classes, commands and their routing, update
// handlers through CCmdUI, registered messages, notifications and their reflection.
#include <afxwin.h>
#include <afxpriv.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <testing/MessagePump.h>

namespace
{
constexpr UINT WM_BASE_ONLY = WM_APP + 1;
constexpr UINT WM_OVERRIDDEN = WM_APP + 2;
constexpr UINT WM_MIDDLE_ONLY = WM_APP + 3;
constexpr UINT WM_UNMAPPED = WM_APP + 4;

// Command ids stay below 0xF000, where the system commands begin.
constexpr UINT ID_SAVE = 0x8100;
constexpr UINT ID_FIRST_VIEW = 0x8101;
constexpr UINT ID_LAST_VIEW = 0x8103;
constexpr UINT ID_DISABLED = 0x8104;
constexpr UINT ID_EX_DECLINED = 0x8105;
constexpr UINT ID_DOCUMENT = 0x8106;
constexpr UINT ID_CHILD = 0x8107;

const UINT WM_TEST_REGISTERED = ::RegisterWindowMessage(_T("Lumiter.MessageMapTest.Registered"));
const UINT WM_TEST_OTHER = ::RegisterWindowMessage(_T("Lumiter.MessageMapTest.Other"));

using Log = std::vector<std::string>;

// Three levels: each logs which class's handler ran.
class BaseWnd : public CWnd
{
public:
    Log m_log;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        m_log.push_back("Base::OnCreate");
        return CWnd::OnCreate(lpCreateStruct);
    }
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        m_log.push_back("Base::OnSize " + std::to_string(cx) + "x" + std::to_string(cy));
        CWnd::OnSize(nType, cx, cy);
    }
    afx_msg LRESULT OnBaseOnly(WPARAM wParam, LPARAM)
    {
        m_log.push_back("Base::OnBaseOnly");
        return static_cast<LRESULT>(wParam) + 1;
    }
    afx_msg LRESULT OnOverridden(WPARAM, LPARAM)
    {
        m_log.push_back("Base::OnOverridden");
        return 1;
    }
    afx_msg void OnSave()
    {
        m_log.push_back("Base::OnSave");
    }
    afx_msg void OnView(UINT nID)
    {
        m_log.push_back("Base::OnView " + std::to_string(nID - ID_FIRST_VIEW));
    }
    DECLARE_MESSAGE_MAP()
};

// clang-format off
BEGIN_MESSAGE_MAP(BaseWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_MESSAGE(WM_BASE_ONLY, OnBaseOnly)
    ON_MESSAGE(WM_OVERRIDDEN, OnOverridden)
    ON_COMMAND(ID_SAVE, OnSave)
    ON_COMMAND_RANGE(ID_FIRST_VIEW, ID_LAST_VIEW, OnView)
END_MESSAGE_MAP()
// clang-format on

class MiddleWnd : public BaseWnd
{
protected:
    afx_msg LRESULT OnMiddleOnly(WPARAM, LPARAM)
    {
        m_log.push_back("Middle::OnMiddleOnly");
        return 3;
    }
    afx_msg LRESULT OnOverridden(WPARAM, LPARAM)
    {
        m_log.push_back("Middle::OnOverridden");
        return 2;
    }
    DECLARE_MESSAGE_MAP()
};

// clang-format off
BEGIN_MESSAGE_MAP(MiddleWnd, BaseWnd)
    ON_MESSAGE(WM_MIDDLE_ONLY, OnMiddleOnly)
    ON_MESSAGE(WM_OVERRIDDEN, OnOverridden)
END_MESSAGE_MAP()
// clang-format on

class DerivedWnd : public MiddleWnd
{
protected:
    afx_msg LRESULT OnOverridden(WPARAM, LPARAM)
    {
        m_log.push_back("Derived::OnOverridden");
        return 4;
    }
    afx_msg void OnSave()
    {
        m_log.push_back("Derived::OnSave");
    }
    DECLARE_MESSAGE_MAP()
};

// clang-format off
BEGIN_MESSAGE_MAP(DerivedWnd, MiddleWnd)
    ON_MESSAGE(WM_OVERRIDDEN, OnOverridden)
    ON_COMMAND(ID_SAVE, OnSave)
END_MESSAGE_MAP()
// clang-format on

class MessageMapTest : public HiddenWindowTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_wnd.Create(nullptr, _T("derived"), WS_VISIBLE, CRect(0, 0, 120, 80), &Parent(), ID_CHILD));
    }

    DerivedWnd m_wnd;
};

TEST_F(MessageMapTest, TheMostDerivedHandlerWinsAndBaseHandlersAreReached)
{
    struct Case
    {
        UINT message;
        LRESULT result;
        const char* handler;
    };
    const Case cases[] = {
        {WM_OVERRIDDEN, 4, "Derived::OnOverridden"},
        {WM_MIDDLE_ONLY, 3, "Middle::OnMiddleOnly"},
        {WM_BASE_ONLY, 11, "Base::OnBaseOnly"},
    };
    for (const Case& c : cases)
    {
        m_wnd.m_log.clear();
        EXPECT_EQ(m_wnd.SendMessage(c.message, 10), c.result) << c.handler;
        EXPECT_EQ(m_wnd.m_log, Log{c.handler});
    }

    // No handler anywhere: the default window procedure answers.
    m_wnd.m_log.clear();
    EXPECT_EQ(m_wnd.SendMessage(WM_UNMAPPED, 10), 0);
    EXPECT_TRUE(m_wnd.m_log.empty());
}

TEST_F(MessageMapTest, WindowMessagesAreUnpackedForTheirHandlers)
{
    // WM_CREATE reached the base class's handler during Create.
    EXPECT_EQ(m_wnd.m_log.front(), "Base::OnCreate");
    m_wnd.m_log.clear();
    m_wnd.SetWindowPos(nullptr, 0, 0, 70, 30, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(m_wnd.m_log, Log{"Base::OnSize 70x30"});
}

TEST_F(MessageMapTest, CommandsReachTheirHandlersByIdAndRange)
{
    struct Case
    {
        UINT nID;
        const char* handler;
    };
    const Case cases[] = {
        {ID_SAVE, "Derived::OnSave"},
        {ID_FIRST_VIEW, "Base::OnView 0"},
        {ID_LAST_VIEW, "Base::OnView 2"},
    };
    for (const Case& c : cases)
    {
        m_wnd.m_log.clear();
        // From a menu: no control window.
        EXPECT_EQ(m_wnd.SendMessage(WM_COMMAND, MAKEWPARAM(c.nID, 0)), 1) << c.handler;
        EXPECT_EQ(m_wnd.m_log, Log{c.handler});
    }
    m_wnd.m_log.clear();
    EXPECT_FALSE(m_wnd.OnCmdMsg(ID_LAST_VIEW + 1, CN_COMMAND, nullptr, nullptr));
    EXPECT_TRUE(m_wnd.m_log.empty());
}

// A command target behind the window, as a view routes commands to its document.
class Document : public CCmdTarget
{
public:
    Log m_log;

protected:
    afx_msg void OnDocumentCommand()
    {
        m_log.push_back("Document::OnDocumentCommand");
    }
    afx_msg void OnDeclined()
    {
        m_log.push_back("Document::OnDeclined");
    }
    afx_msg void OnUpdateDocumentCommand(CCmdUI* pCmdUI)
    {
        pCmdUI->SetCheck(1);
    }
    DECLARE_MESSAGE_MAP()
};

// clang-format off
BEGIN_MESSAGE_MAP(Document, CCmdTarget)
    ON_COMMAND(ID_DOCUMENT, OnDocumentCommand)
    ON_COMMAND(ID_EX_DECLINED, OnDeclined)
    ON_UPDATE_COMMAND_UI(ID_DOCUMENT, OnUpdateDocumentCommand)
END_MESSAGE_MAP()
// clang-format on

class RoutingWnd : public CWnd
{
public:
    Document m_document;
    Log m_log;
    BOOL m_bPassOn = FALSE;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo) ||
               m_document.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }

protected:
    afx_msg BOOL OnDeclinable(UINT nID)
    {
        m_log.push_back("Wnd::OnDeclinable " + std::to_string(nID == ID_EX_DECLINED));
        return !m_bPassOn;
    }
    afx_msg void OnDisabled()
    {
        m_log.push_back("Wnd::OnDisabled");
    }
    afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI)
    {
        pCmdUI->Enable(FALSE);
    }
    afx_msg void OnUpdateRouted(CCmdUI* pCmdUI)
    {
        // Leaves the decision to the document.
        pCmdUI->ContinueRouting();
    }
    DECLARE_MESSAGE_MAP()
};

// clang-format off
BEGIN_MESSAGE_MAP(RoutingWnd, CWnd)
    ON_COMMAND_EX(ID_EX_DECLINED, OnDeclinable)
    ON_COMMAND(ID_DISABLED, OnDisabled)
    ON_UPDATE_COMMAND_UI(ID_DISABLED, OnUpdateDisabled)
    ON_UPDATE_COMMAND_UI(ID_DOCUMENT, OnUpdateRouted)
END_MESSAGE_MAP()
// clang-format on

class CommandRoutingTest : public HiddenWindowTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_wnd.Create(nullptr, nullptr, 0, CRect(0, 0, 10, 10), &Parent(), ID_CHILD));
    }

    RoutingWnd m_wnd;
};

TEST_F(CommandRoutingTest, CommandsGoOnToTheNextTargetWhenTheWindowHasNoHandler)
{
    m_wnd.SendMessage(WM_COMMAND, ID_DOCUMENT);
    EXPECT_EQ(m_wnd.m_document.m_log, Log{"Document::OnDocumentCommand"});
}

TEST_F(CommandRoutingTest, AnExtendedHandlerThatDeclinesPassesTheCommandOn)
{
    m_wnd.SendMessage(WM_COMMAND, ID_EX_DECLINED);
    EXPECT_EQ(m_wnd.m_log, Log{"Wnd::OnDeclinable 1"});
    EXPECT_TRUE(m_wnd.m_document.m_log.empty());

    m_wnd.m_log.clear();
    m_wnd.m_bPassOn = TRUE;
    m_wnd.SendMessage(WM_COMMAND, ID_EX_DECLINED);
    EXPECT_EQ(m_wnd.m_log, Log{"Wnd::OnDeclinable 1"});
    EXPECT_EQ(m_wnd.m_document.m_log, Log{"Document::OnDeclined"});
}

TEST_F(CommandRoutingTest, AMenuCommandWhoseUpdateHandlerDisablesItIsDropped)
{
    m_wnd.SendMessage(WM_COMMAND, ID_DISABLED);
    EXPECT_TRUE(m_wnd.m_log.empty());
    // Called directly, the handler is there.
    EXPECT_TRUE(m_wnd.OnCmdMsg(ID_DISABLED, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ(m_wnd.m_log, Log{"Wnd::OnDisabled"});
}

TEST_F(CommandRoutingTest, HandlerInfoFindsTheTargetWithoutCallingIt)
{
    AFX_CMDHANDLERINFO info{};
    EXPECT_TRUE(m_wnd.OnCmdMsg(ID_DOCUMENT, CN_COMMAND, nullptr, &info));
    EXPECT_EQ(info.pTarget, &m_wnd.m_document);
    EXPECT_NE(info.pmf, nullptr);
    EXPECT_TRUE(m_wnd.m_document.m_log.empty());
    EXPECT_FALSE(m_wnd.OnCmdMsg(ID_CHILD, CN_COMMAND, nullptr, &info));
}

// The menu form of CCmdUI: each item's update handler, found through the routing.
class MenuUpdateTest : public CommandRoutingTest
{
protected:
    void SetUp() override
    {
        CommandRoutingTest::SetUp();
        ASSERT_TRUE(m_menu.CreatePopupMenu());
        ASSERT_TRUE(m_submenu.CreatePopupMenu());
        m_submenu.AppendMenu(MF_STRING, ID_SAVE, _T("Save"));
        m_menu.AppendMenu(MF_STRING, ID_DISABLED, _T("Disabled"));
        m_menu.AppendMenu(MF_STRING, ID_DOCUMENT, _T("Document"));
        m_menu.AppendMenu(MF_SEPARATOR);
        m_menu.AppendMenu(MF_STRING, ID_FIRST_VIEW, _T("No handler"));
        m_menu.AppendMenu(MF_STRING, SC_CLOSE, _T("System command"));
        m_menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(m_submenu.Detach()), _T("Popup"));
    }

    UINT State(UINT nID)
    {
        return m_menu.GetMenuState(nID, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED | MF_CHECKED);
    }

    CMenu m_menu;
    CMenu m_submenu;
};

TEST_F(MenuUpdateTest, UpdateHandlersSetTheStateOfMenuItems)
{
    AfxUpdateMenuCmdUI(&m_menu, &m_wnd, TRUE);
    EXPECT_EQ(State(ID_DISABLED), MF_GRAYED | MF_DISABLED);
    // The window's handler continued the routing; the document's checked the item.
    EXPECT_EQ(State(ID_DOCUMENT), UINT(MF_CHECKED));
    // Without any handler the item is disabled; system commands never are.
    EXPECT_EQ(State(ID_FIRST_VIEW), MF_GRAYED | MF_DISABLED);
    EXPECT_EQ(State(SC_CLOSE), 0u);
    // Pop-ups keep their state: they are updated as their first item, which has no handler.
    EXPECT_EQ(m_menu.GetMenuState(5, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED), 0u);
}

TEST_F(MenuUpdateTest, WithoutAutomaticDisablingItemsWithoutHandlersStayEnabled)
{
    AfxUpdateMenuCmdUI(&m_menu, &m_wnd, FALSE);
    EXPECT_EQ(State(ID_FIRST_VIEW), 0u);
    EXPECT_EQ(State(ID_DISABLED), MF_GRAYED | MF_DISABLED);
}

TEST_F(MenuUpdateTest, TextAndRadioChangeOnlyTheirItem)
{
    CCmdUI state;
    state.m_pMenu = &m_menu;
    state.m_nIndexMax = m_menu.GetMenuItemCount();
    state.m_nIndex = 1;
    state.m_nID = ID_DOCUMENT;
    state.Enable(FALSE);
    state.SetText(_T("Renamed"));
    state.SetRadio(TRUE);

    CString text;
    m_menu.GetMenuString(ID_DOCUMENT, text, MF_BYCOMMAND);
    EXPECT_EQ(text, _T("Renamed"));
    // SetText kept the disabled state.
    EXPECT_EQ(State(ID_DOCUMENT), MF_GRAYED | MF_DISABLED | MF_CHECKED);
    MENUITEMINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    ASSERT_TRUE(m_menu.GetMenuItemInfo(ID_DOCUMENT, &info));
    EXPECT_TRUE(info.fType & MFT_RADIOCHECK);
    EXPECT_EQ(State(ID_DISABLED), 0u);

    // A pop-up item is not changed through its first item's update.
    state.m_nIndex = 5;
    state.m_pSubMenu = m_menu.GetSubMenu(5);
    state.Enable(FALSE);
    EXPECT_EQ(m_menu.GetMenuState(5, MF_BYPOSITION) & MF_GRAYED, 0u);
}

class RegisteredWnd : public CWnd
{
public:
    WPARAM m_wParam = 0;

protected:
    afx_msg LRESULT OnRegistered(WPARAM wParam, LPARAM lParam)
    {
        m_wParam = wParam;
        return lParam * 2;
    }
    DECLARE_MESSAGE_MAP()
};

// clang-format off
BEGIN_MESSAGE_MAP(RegisteredWnd, CWnd)
    ON_REGISTERED_MESSAGE(WM_TEST_REGISTERED, OnRegistered)
END_MESSAGE_MAP()
// clang-format on

TEST(RegisteredMessageTest, TheHandlerOfTheRegisteredMessageAnswersOnlyIt)
{
    HiddenWindow parent;
    RegisteredWnd wnd;
    ASSERT_TRUE(wnd.Create(nullptr, nullptr, 0, CRect(0, 0, 10, 10), &parent.Wnd(), ID_CHILD));
    EXPECT_EQ(wnd.SendMessage(WM_TEST_REGISTERED, 5, 21), 42);
    EXPECT_EQ(wnd.m_wParam, 5u);
    EXPECT_EQ(wnd.SendMessage(WM_TEST_OTHER, 6, 21), 0);
    EXPECT_EQ(wnd.m_wParam, 5u);
}

// A control that handles some of its notifications itself.
class ReflectingChild : public CWnd
{
public:
    Log m_log;
    HBRUSH m_hBrush = static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));

protected:
    afx_msg void OnReflectedClick(NMHDR*, LRESULT* pResult)
    {
        m_log.push_back("Child::OnReflectedClick");
        *pResult = 42;
    }
    afx_msg BOOL OnReflectedDblClk(NMHDR*, LRESULT*)
    {
        m_log.push_back("Child::OnReflectedDblClk");
        return FALSE;
    }
    afx_msg void OnReflectedChange()
    {
        m_log.push_back("Child::OnReflectedChange");
    }
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor)
    {
        m_log.push_back("Child::CtlColor " + std::to_string(nCtlColor) + (pDC != nullptr ? " dc" : ""));
        return m_hBrush;
    }
    afx_msg void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
    {
        m_log.push_back("Child::DrawItem " + std::to_string(lpDrawItemStruct->itemID));
    }
    afx_msg void OnUpdateSelf(CCmdUI* pCmdUI)
    {
        pCmdUI->Enable(FALSE);
    }
    DECLARE_MESSAGE_MAP()
};

// clang-format off
BEGIN_MESSAGE_MAP(ReflectingChild, CWnd)
    ON_NOTIFY_REFLECT(NM_CLICK, OnReflectedClick)
    ON_NOTIFY_REFLECT_EX(NM_DBLCLK, OnReflectedDblClk)
    ON_CONTROL_REFLECT(EN_CHANGE, OnReflectedChange)
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_DRAWITEM_REFLECT()
    ON_UPDATE_COMMAND_UI_REFLECT(OnUpdateSelf)
END_MESSAGE_MAP()
// clang-format on

class NotifiedParent : public CWnd
{
public:
    Log m_log;

protected:
    afx_msg void OnClick(NMHDR*, LRESULT*)
    {
        m_log.push_back("Parent::OnClick");
    }
    afx_msg void OnDblClk(NMHDR* pNMHDR, LRESULT* pResult)
    {
        m_log.push_back("Parent::OnDblClk " + std::to_string(pNMHDR->idFrom));
        *pResult = 7;
    }
    afx_msg void OnAnyRightClick(UINT nID, NMHDR*, LRESULT*)
    {
        m_log.push_back("Parent::OnAnyRightClick " + std::to_string(nID));
    }
    afx_msg void OnChange()
    {
        m_log.push_back("Parent::OnChange");
    }
    afx_msg void OnClicked()
    {
        m_log.push_back("Parent::OnClicked");
    }
    DECLARE_MESSAGE_MAP()
};

// clang-format off
BEGIN_MESSAGE_MAP(NotifiedParent, CWnd)
    ON_NOTIFY(NM_CLICK, ID_CHILD, OnClick)
    ON_NOTIFY(NM_DBLCLK, ID_CHILD, OnDblClk)
    ON_NOTIFY_RANGE(NM_RCLICK, ID_CHILD, ID_CHILD + 10, OnAnyRightClick)
    ON_EN_CHANGE(ID_CHILD, OnChange)
    ON_BN_CLICKED(ID_CHILD + 1, OnClicked)
END_MESSAGE_MAP()
// clang-format on

class ReflectionTest : public HiddenWindowTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.Create(nullptr, nullptr, WS_VISIBLE, CRect(0, 0, 200, 100), &Parent(), 1));
        ASSERT_TRUE(m_child.Create(nullptr, nullptr, WS_VISIBLE, CRect(0, 0, 50, 20), &m_parent, ID_CHILD));
        // A plain control without an object of its own.
        m_hButton =
            ::CreateWindowEx(0, WC_BUTTON, _T("OK"), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 60, 0, 50, 20,
                             m_parent.m_hWnd, reinterpret_cast<HMENU>(UINT_PTR(ID_CHILD + 1)), nullptr, nullptr);
        ASSERT_NE(m_hButton, nullptr);
    }

    LRESULT Notify(HWND hWndFrom, UINT nID, UINT nCode)
    {
        NMHDR header{hWndFrom, nID, nCode};
        return m_parent.SendMessage(WM_NOTIFY, nID, reinterpret_cast<LPARAM>(&header));
    }

    Log Logged()
    {
        Log log = m_child.m_log;
        log.insert(log.end(), m_parent.m_log.begin(), m_parent.m_log.end());
        m_child.m_log.clear();
        m_parent.m_log.clear();
        return log;
    }

    NotifiedParent m_parent;
    ReflectingChild m_child;
    HWND m_hButton = nullptr;
};

TEST_F(ReflectionTest, NotificationsGoToTheChildFirstAndThenToTheParent)
{
    struct Case
    {
        UINT nCode;
        LRESULT result;
        Log log;
    };
    const Case cases[] = {
        // Taken by the child: the parent's handler is not reached.
        {UINT(NM_CLICK), 42, {"Child::OnReflectedClick"}},
        // The child's extended handler declines, so the parent handles it too.
        {UINT(NM_DBLCLK), 7, {"Child::OnReflectedDblClk", "Parent::OnDblClk " + std::to_string(ID_CHILD)}},
        // No reflected handler: the parent's range handler.
        {UINT(NM_RCLICK), 0, {"Parent::OnAnyRightClick " + std::to_string(ID_CHILD)}},
        {UINT(NM_SETFOCUS), 0, {}},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(Notify(m_child.m_hWnd, ID_CHILD, c.nCode), c.result) << c.nCode;
        EXPECT_EQ(Logged(), c.log) << c.nCode;
    }
}

TEST_F(ReflectionTest, ControlNotificationsAreReflectedToo)
{
    m_parent.SendMessage(WM_COMMAND, MAKEWPARAM(ID_CHILD, EN_CHANGE), reinterpret_cast<LPARAM>(m_child.m_hWnd));
    EXPECT_EQ(Logged(), Log{"Child::OnReflectedChange"});

    // A control without an object: straight to the parent.
    ::SendMessage(m_hButton, BM_CLICK, 0, 0);
    EXPECT_EQ(Logged(), Log{"Parent::OnClicked"});
}

TEST_F(ReflectionTest, ColoursAndOwnerDrawingAreReflected)
{
    CClientDC dc(&m_child);
    const LRESULT hBrush = m_parent.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.m_hDC),
                                                reinterpret_cast<LPARAM>(m_child.m_hWnd));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(hBrush), m_child.m_hBrush);
    EXPECT_EQ(Logged(), Log{"Child::CtlColor " + std::to_string(CTLCOLOR_STATIC) + " dc"});

    // A NULL brush from the child leaves the colours to the parent's default.
    m_child.m_hBrush = nullptr;
    m_parent.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.m_hDC),
                         reinterpret_cast<LPARAM>(m_child.m_hWnd));
    EXPECT_EQ(Logged().size(), 1u);

    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_BUTTON;
    draw.CtlID = ID_CHILD;
    draw.itemID = 3;
    draw.hwndItem = m_child.m_hWnd;
    draw.hDC = dc.m_hDC;
    EXPECT_EQ(m_parent.SendMessage(WM_DRAWITEM, ID_CHILD, reinterpret_cast<LPARAM>(&draw)), TRUE);
    EXPECT_EQ(Logged(), Log{"Child::DrawItem 3"});
}

TEST_F(ReflectionTest, DialogControlsAreUpdatedThroughTheirOwnHandlersFirst)
{
    const HWND hCheckBox =
        ::CreateWindowEx(0, WC_BUTTON, _T("Check"), WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 120, 0, 50, 20,
                         m_parent.m_hWnd, reinterpret_cast<HMENU>(UINT_PTR(ID_CHILD + 2)), nullptr, nullptr);
    ASSERT_NE(hCheckBox, nullptr);
    RoutingWnd target;
    m_parent.UpdateDialogControls(&target, TRUE);
    // The child's reflected update handler disabled it.
    EXPECT_FALSE(m_child.IsWindowEnabled());
    // A push button without a handler is disabled, a check box is not.
    EXPECT_FALSE(::IsWindowEnabled(m_hButton));
    EXPECT_TRUE(::IsWindowEnabled(hCheckBox));
}
} // namespace
