#include "GridTestSupport.h"

#include <grid/core/AppData.h>
#include <grid/core/GridParam.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace
{
constexpr UINT idDialogWithGrid = 30100;
constexpr UINT idGridInDialog = 1001;

// The messages that reach the window class's own procedure: the framework's default
// processing of the grid window.
std::vector<UINT> s_defaultMessages;

LRESULT CALLBACK RecordingClassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    s_defaultMessages.push_back(message);
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

LPCWSTR RecordingClass()
{
    static const ATOM atom = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = RecordingClassProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"GridDefaultRecorder";
        return ::RegisterClassExW(&wc);
    }();
    EXPECT_NE(atom, 0);
    return L"GridDefaultRecorder";
}

// Records which core operation each message reached; the operations that may decline answer
// m_bHandle.
class RecordingGrid : public TestGrid
{
public:
    std::vector<std::string> m_calls;
    BOOL m_bHandle = FALSE;
    BOOL m_bAllowDeactivate = TRUE;

    BOOL Record(const char* pszName)
    {
        m_calls.emplace_back(pszName);
        return m_bHandle;
    }
    BOOL OnGridDraw(CDC*, const CRect*) override
    {
        return Record("Draw");
    }
    BOOL OnGridSize(UINT, int, int) override
    {
        return Record("Size");
    }
    BOOL OnGridSetCursor(CWnd*, UINT, UINT) override
    {
        return Record("SetCursor");
    }
    BOOL ProcessKeys(CWnd*, UINT, UINT, UINT, UINT) override
    {
        return Record("Keys");
    }
    BOOL OnGridLButtonDown(UINT, CPoint) override
    {
        return Record("LButtonDown");
    }
    BOOL OnGridRButtonDblClk(UINT, CPoint) override
    {
        return Record("RButtonDblClk");
    }
    BOOL OnGridMouseMove(UINT, CPoint) override
    {
        return Record("MouseMove");
    }
    BOOL OnGridVScroll(UINT, UINT) override
    {
        return Record("VScroll");
    }
    BOOL OnGridMouseActivate(CWnd*, UINT, UINT, LRESULT* pResult) override
    {
        *pResult = MA_NOACTIVATE;
        return Record("MouseActivate");
    }
    void OnGridTimer(UINT_PTR) override
    {
        Record("Timer");
    }
    void OnGridKillFocus(CWnd*) override
    {
        Record("KillFocus");
    }
    BOOL OnGridCancelMode() override
    {
        return Record("CancelMode");
    }
    UINT OnGridGetDlgCode(UINT nDefaultCode) override
    {
        Record("GetDlgCode");
        return nDefaultCode | DLGC_WANTALLKEYS;
    }
    BOOL OnGridWindowProc(UINT nMessage, WPARAM, LPARAM, LRESULT* pResult) override
    {
        if (nMessage != WM_APP)
            return FALSE;
        *pResult = 42;
        Record("WindowProc");
        return TRUE;
    }
    void OnGridAppNotify(WPARAM) override
    {
        Record("AppNotify");
    }
    BOOL OnGridDeactivateCheck(BOOL) override
    {
        Record("DeactivateCheck");
        return m_bAllowDeactivate;
    }
    void OnGridNavigate(int, int) override
    {
        Record("Navigate");
    }
    // The focus changes of these tests would add the activation's cancel mode to the record.
    BOOL OnActivateGrid(BOOL) override
    {
        return FALSE;
    }
};

// A window class under which grids look for their registered parent.
class RegisteredParentWnd : public CWnd
{
    DECLARE_DYNAMIC(RegisteredParentWnd)
};
IMPLEMENT_DYNAMIC(RegisteredParentWnd, CWnd)

class GridWndTest : public GridWindowTest
{
protected:
    void CreateRecordingGrid(RecordingGrid& grid)
    {
        ASSERT_TRUE(grid.Create(RecordingClass(), nullptr, WS_CHILD, CRect(0, 0, 200, 100), &Parent(), 1));
        grid.Initialize();
        grid.m_calls.clear();
    }
};
} // namespace

TEST_F(GridWndTest, MessagesReachTheirOperationAndDefaultRunsWhenDeclined)
{
    const struct
    {
        UINT nMessage;
        WPARAM wParam;
        const char* pszOperation;
        bool bDefaultWhenDeclined, bDefaultWhenHandled;
    } cases[] = {
        {WM_SIZE, SIZE_RESTORED, "Size", true, false},
        {WM_SETCURSOR, 0, "SetCursor", true, false},
        {WM_KEYDOWN, VK_DOWN, "Keys", true, false},
        {WM_CHAR, 'a', "Keys", true, false},
        {WM_SYSKEYUP, VK_MENU, "Keys", true, false},
        {WM_LBUTTONDOWN, MK_LBUTTON, "LButtonDown", true, false},
        {WM_RBUTTONDBLCLK, 0, "RButtonDblClk", true, false},
        {WM_MOUSEMOVE, 0, "MouseMove", true, false},
        {WM_VSCROLL, SB_LINEDOWN, "VScroll", true, false},
        {WM_MOUSEACTIVATE, 0, "MouseActivate", true, false},
        {WM_TIMER, 7, "Timer", true, true},
        {WM_KILLFOCUS, 0, "KillFocus", true, true},
        {WM_CANCELMODE, 0, "CancelMode", false, false},
        {WM_GETDLGCODE, 0, "GetDlgCode", true, true},
    };
    for (BOOL bHandle : {FALSE, TRUE})
    {
        RecordingGrid grid;
        CreateRecordingGrid(grid);
        grid.m_bHandle = bHandle;
        for (const auto& c : cases)
        {
            SCOPED_TRACE(testing::Message() << c.pszOperation << (bHandle ? " handled" : " declined"));
            grid.m_calls.clear();
            s_defaultMessages.clear();
            const LRESULT lResult = grid.SendMessage(c.nMessage, c.wParam, 0);
            EXPECT_EQ(grid.m_calls, std::vector<std::string>{c.pszOperation});
            const bool bDefault =
                std::find(s_defaultMessages.begin(), s_defaultMessages.end(), c.nMessage) != s_defaultMessages.end();
            EXPECT_EQ(bDefault, bHandle ? c.bDefaultWhenHandled : c.bDefaultWhenDeclined);
            if (c.nMessage == WM_MOUSEACTIVATE && bHandle)
            {
                EXPECT_EQ(lResult, MA_NOACTIVATE);
            }
            if (c.nMessage == WM_GETDLGCODE)
            {
                EXPECT_TRUE(lResult & DLGC_WANTALLKEYS);
            }
        }
        grid.m_calls.clear();
        EXPECT_EQ(grid.SendMessage(WM_APP), 42); // the core's window procedure comes first
        EXPECT_EQ(grid.SendMessage(WM_ERASEBKGND), TRUE);
        grid.DestroyWindow();
    }
}

TEST_F(GridWndTest, PrivateMessages)
{
    RecordingGrid grid;
    CreateRecordingGrid(grid);
    EXPECT_EQ(grid.SendMessage(WM_GX_QUERYPARAM), 1);
    grid.GetParam()->m_nOption = 5;
    EXPECT_EQ(grid.SendMessage(WM_GX_QUERYPARAM), 5);

    EXPECT_EQ(grid.SendMessage(WM_GX_APPNOTIFY, 3), 0);
    EXPECT_EQ(grid.SendMessage(WM_GX_DEACTIVATECHECK), 0); // allowed
    grid.m_bAllowDeactivate = FALSE;
    EXPECT_EQ(grid.SendMessage(WM_GX_DEACTIVATECHECK), 1);
    EXPECT_EQ(grid.SendMessage(WM_GX_NAVIGATE, 1, 2), 0);
    EXPECT_EQ(grid.m_calls, (std::vector<std::string>{"AppNotify", "DeactivateCheck", "DeactivateCheck", "Navigate"}));

    EXPECT_EQ(grid.SendMessage(WM_GX_SIZELOCK, TRUE), 0);
    EXPECT_TRUE(grid.IsSizeLocked());
    grid.SendMessage(WM_GX_SIZELOCK, FALSE);
    EXPECT_FALSE(grid.IsSizeLocked());
    grid.DestroyWindow();
}

TEST_F(GridWndTest, APaintBeforeInitialisationDrawsNothing)
{
    RecordingGrid grid;
    ASSERT_TRUE(grid.Create(RecordingClass(), nullptr, WS_CHILD, CRect(0, 0, 200, 100), &Parent(), 1));
    grid.m_calls.clear();
    grid.SendMessage(WM_PAINT);
    EXPECT_TRUE(grid.m_calls.empty());
    EXPECT_TRUE(m_app.m_boxes.empty());
    EXPECT_EQ(grid.GetScrollBarMode(SB_VERT), 0);

    grid.Initialize();
    grid.SendMessage(WM_PAINT);
    EXPECT_EQ(grid.m_calls, std::vector<std::string>{"Draw"});
    EXPECT_EQ(grid.GetScrollBarMode(SB_VERT), 0); // no scroll-bar styles: mode 0
    EXPECT_EQ(grid.GetScrollBarMode(SB_HORZ), 0);
    grid.DestroyWindow();
}

TEST_F(GridWndTest, AGridMadeByClassNameIsDeletedWithItsWindow)
{
    CDialog dialog;
    ASSERT_TRUE(dialog.Create(idDialogWithGrid, &Parent()));
    CWnd* pItem = dialog.GetDlgItem(idGridInDialog);
    ASSERT_NE(pItem, nullptr);
    auto* pGrid = dynamic_cast<CGXGridWnd*>(CWnd::FromHandlePermanent(pItem->GetSafeHwnd()));
    ASSERT_NE(pGrid, nullptr);
    pGrid->Initialize();
    EXPECT_EQ(pGrid->GetScrollBarMode(SB_VERT), 10);
    EXPECT_EQ(pGrid->GetScrollBarMode(SB_HORZ), 0);
    void* pParamKey = pGrid->GetParam();
    EXPECT_EQ(GXGetAppDataPtr()->LookupGridList(pParamKey), pGrid);
    dialog.DestroyWindow();
    EXPECT_EQ(GXGetAppDataPtr()->LookupGridList(pParamKey), nullptr); // the core is gone

    // A member that subclassed a window outlives it.
    TestGrid member;
    HWND hWnd = ::CreateWindowExW(0, L"GXWND", nullptr, WS_CHILD, 0, 0, 100, 100, Parent().GetSafeHwnd(), nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(member.SubclassWindow(hWnd));
    member.Initialize();
    ::DestroyWindow(hWnd);
    EXPECT_EQ(member.GetSafeHwnd(), nullptr);
    EXPECT_EQ(GXGetAppDataPtr()->LookupGridList(member.GetParam()), &member);
}

TEST_F(GridWndTest, AClickKeepsTheFocusOfAChild)
{
    RecordingGrid grid;
    CreateRecordingGrid(grid);
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD, CRect(0, 0, 50, 20), &grid, 2));
    Parent().SetFocus();
    grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 50));
    ASSERT_EQ(CWnd::GetFocus(), &grid) << "focus cannot be set on this desktop";

    edit.SetFocus();
    grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 50));
    EXPECT_EQ(::GetFocus(), edit.GetSafeHwnd());
    edit.DestroyWindow();
    grid.DestroyWindow();
}

TEST_F(GridWndTest, AGridUnderARegisteredParentUsesItsScrollBars)
{
    GXGetAppDataPtr()->AddParentWndClass(RUNTIME_CLASS(RegisteredParentWnd));
    RegisteredParentWnd parent;
    ASSERT_TRUE(parent.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 300, 200), &Parent(), 5));
    TestGrid grid;
    ASSERT_TRUE(grid.Create(_T("GXWND"), nullptr, WS_CHILD | WS_VSCROLL, CRect(0, 0, 200, 100), &parent, 1));
    EXPECT_EQ(grid.GetRegisteredParent(), &parent);
    grid.Initialize();
    EXPECT_EQ(grid.GetScrollBarMode(SB_VERT), 12);
    EXPECT_EQ(grid.GetScrollBarMode(SB_HORZ), 12);

    TestGrid plain; // its parent is of no registered class
    plain.CreateHidden(&Parent(), CRect(0, 0, 100, 100));
    EXPECT_EQ(plain.GetRegisteredParent(), nullptr);
    plain.DestroyWindow();
    grid.DestroyWindow();
    parent.DestroyWindow();
}
