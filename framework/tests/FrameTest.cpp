// Frames, documents, views and templates together: a hidden MDI application whose document
// template makes documents with child frames and views; command routing, menu updates,
// titles, idle layout and drawing.
#include <afxpriv.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <testing/MessagePump.h>
#include <testing/TempDirectory.h>

namespace
{
constexpr UINT IDR_MAINFRAME = 64000;
constexpr UINT IDR_SHEETTYPE = 64001;
// Command ids stay below 0xF000, where the system commands begin.
constexpr UINT ID_EDIT_ROUTE = 0x9100;
constexpr UINT ID_EDIT_CHECKED = 0x9101;
constexpr UINT ID_EDIT_DISABLED = 0x9102;
constexpr UINT ID_EDIT_NOHANDLER = 0x9103;
constexpr UINT ID_MAIN_ONLY = 0x9105;

// Who saw ID_EDIT_ROUTE, and who takes it.
std::vector<std::string> g_route;
std::string g_handler;
int g_nCheck = 0;
int g_nDisabledRuns = 0;
int g_nSheetsDeleted = 0;

BOOL Route(const char* pszName)
{
    g_route.emplace_back(pszName);
    return g_handler == pszName;
}

class CSheetDoc : public CDocument
{
    DECLARE_DYNCREATE(CSheetDoc)
public:
    ~CSheetDoc() override
    {
        ++g_nSheetsDeleted;
    }
    int m_nNewCalls = 0;
    // The file holds one little-endian 32-bit number.
    int m_nValue = 0;
    BOOL OnNewDocument() override
    {
        ++m_nNewCalls;
        return CDocument::OnNewDocument();
    }
    void DeleteContents() override
    {
        m_nValue = 0;
    }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsLoading())
            ar >> m_nValue;
        else
            ar << m_nValue;
    }

protected:
    afx_msg BOOL OnRoute(UINT)
    {
        return Route("document");
    }
    afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI)
    {
        pCmdUI->Enable(FALSE);
    }
    afx_msg void OnDisabled()
    {
        ++g_nDisabledRuns;
    }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CSheetDoc, CDocument)
BEGIN_MESSAGE_MAP(CSheetDoc, CDocument)
ON_COMMAND_EX(ID_EDIT_ROUTE, OnRoute)
ON_COMMAND(ID_EDIT_DISABLED, OnDisabled)
ON_UPDATE_COMMAND_UI(ID_EDIT_DISABLED, OnUpdateDisabled)
END_MESSAGE_MAP()

// Paints red with a blue square at (10,10)-(20,20).
class CSheetView : public CView
{
    DECLARE_DYNCREATE(CSheetView)
public:
    int m_nInitialUpdates = 0;
    std::vector<LPARAM> m_hints;

    CSheetDoc* GetDocument() const
    {
        return static_cast<CSheetDoc*>(m_pDocument);
    }
    void OnDraw(CDC* pDC) override
    {
        CRect rect;
        GetClientRect(&rect);
        rect.UnionRect(rect, CRect(0, 0, 40, 40));
        pDC->FillSolidRect(rect, RGB(255, 0, 0));
        pDC->FillSolidRect(CRect(10, 10, 20, 20), RGB(0, 0, 255));
    }
    void OnInitialUpdate() override
    {
        ++m_nInitialUpdates;
        CView::OnInitialUpdate();
    }
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override
    {
        m_hints.push_back(lHint);
        CView::OnUpdate(pSender, lHint, pHint);
    }

protected:
    afx_msg BOOL OnRoute(UINT)
    {
        return Route("view");
    }
    afx_msg void OnUpdateChecked(CCmdUI* pCmdUI)
    {
        pCmdUI->SetCheck(g_nCheck);
    }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CSheetView, CView)
BEGIN_MESSAGE_MAP(CSheetView, CView)
ON_COMMAND_EX(ID_EDIT_ROUTE, OnRoute)
ON_UPDATE_COMMAND_UI(ID_EDIT_CHECKED, OnUpdateChecked)
END_MESSAGE_MAP()

class CChildFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CChildFrame)
protected:
    afx_msg BOOL OnRoute(UINT)
    {
        return Route("child");
    }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CChildFrame, CMDIChildWnd)
BEGIN_MESSAGE_MAP(CChildFrame, CMDIChildWnd)
ON_COMMAND_EX(ID_EDIT_ROUTE, OnRoute)
END_MESSAGE_MAP()

class CMainFrame : public CMDIFrameWnd
{
public:
    int m_nMainOnly = 0;

protected:
    afx_msg BOOL OnRoute(UINT)
    {
        return Route("main");
    }
    afx_msg void OnMainOnly()
    {
        ++m_nMainOnly;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWnd)
ON_COMMAND_EX(ID_EDIT_ROUTE, OnRoute)
ON_COMMAND(ID_MAIN_ONLY, OnMainOnly)
END_MESSAGE_MAP()

class CSheetTemplate : public CMultiDocTemplate
{
public:
    CSheetTemplate()
        : CMultiDocTemplate(IDR_SHEETTYPE, RUNTIME_CLASS(CSheetDoc), RUNTIME_CLASS(CChildFrame),
                            RUNTIME_CLASS(CSheetView))
    {
    }

protected:
    afx_msg BOOL OnRoute(UINT)
    {
        return Route("template");
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CSheetTemplate, CMultiDocTemplate)
ON_COMMAND_EX(ID_EDIT_ROUTE, OnRoute)
END_MESSAGE_MAP()

class CFrameTestApp : public CWinApp
{
public:
    CFrameTestApp() : CWinApp(_T("Frame Test"))
    {
    }

protected:
    afx_msg BOOL OnRoute(UINT)
    {
        return Route("app");
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CFrameTestApp, CWinApp)
ON_COMMAND(ID_FILE_NEW, OnFileNew)
ON_COMMAND_EX(ID_EDIT_ROUTE, OnRoute)
END_MESSAGE_MAP()

// The application with its hidden MDI main frame and the sheet template.
class FrameTest : public ::testing::Test
{
protected:
    CFrameTestApp m_app;
    CSheetTemplate* m_pTemplate = nullptr;
    CMainFrame* m_pMainFrame = nullptr;

    void SetUp() override
    {
        g_route.clear();
        g_handler.clear();
        g_nCheck = 0;
        g_nDisabledRuns = 0;
        m_pTemplate = new CSheetTemplate;
        m_app.AddDocTemplate(m_pTemplate);
        m_pMainFrame = new CMainFrame;
        ASSERT_TRUE(m_pMainFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
        m_app.m_pMainWnd = m_pMainFrame;
    }
    void TearDown() override
    {
        if (m_app.m_pMainWnd != nullptr)
            m_app.m_pMainWnd->DestroyWindow();
        PumpPendingMessages();
    }

    // A new document through the File New command, as the menu sends it.
    CSheetDoc* NewSheet()
    {
        m_pMainFrame->SendMessage(WM_COMMAND, ID_FILE_NEW);
        CMDIChildWnd* pChild = m_pMainFrame->MDIGetActive();
        return pChild != nullptr ? dynamic_cast<CSheetDoc*>(pChild->GetActiveDocument()) : nullptr;
    }
    static CSheetView* FirstView(CDocument* pDoc)
    {
        POSITION pos = pDoc->GetFirstViewPosition();
        return pos != nullptr ? static_cast<CSheetView*>(pDoc->GetNextView(pos)) : nullptr;
    }
    CString WindowText(HWND hWnd) const
    {
        CString str;
        CWnd::FromHandle(hWnd)->GetWindowText(str);
        return str;
    }
    HMENU EditMenu() const
    {
        return ::GetSubMenu(::GetMenu(m_pMainFrame->m_hWnd), 1);
    }
    UINT MenuState(UINT nID) const
    {
        return ::GetMenuState(EditMenu(), nID, MF_BYCOMMAND);
    }
};

TEST_F(FrameTest, FileNewMakesDocumentChildFrameAndView)
{
    CSheetDoc* pDoc = NewSheet();
    ASSERT_NE(pDoc, nullptr);
    EXPECT_EQ(pDoc->m_nNewCalls, 1);
    EXPECT_EQ(pDoc->GetDocTemplate(), m_pTemplate);
    EXPECT_EQ(pDoc->GetTitle(), CString(_T("Sheet1")));
    EXPECT_FALSE(pDoc->IsModified());

    CSheetView* pView = FirstView(pDoc);
    ASSERT_NE(pView, nullptr);
    EXPECT_EQ(pView->GetDocument(), pDoc);
    EXPECT_EQ(pView->GetDlgCtrlID(), static_cast<int>(AFX_IDW_PANE_FIRST));
    EXPECT_EQ(pView->m_nInitialUpdates, 1);
    // The initial update reaches the view as OnUpdate(NULL, 0, NULL).
    EXPECT_EQ(pView->m_hints, std::vector<LPARAM>{0});

    CMDIChildWnd* pChild = m_pMainFrame->MDIGetActive();
    ASSERT_NE(pChild, nullptr);
    EXPECT_TRUE(pChild->IsKindOf(RUNTIME_CLASS(CChildFrame)));
    EXPECT_EQ(pView->GetParentFrame(), pChild);
    EXPECT_EQ(pChild->GetActiveView(), pView);
    EXPECT_EQ(pChild->GetMDIFrame(), m_pMainFrame);
    EXPECT_EQ(m_pMainFrame->GetActiveFrame(), pChild);
    EXPECT_EQ(m_pMainFrame->GetActiveDocument(), pDoc);
    EXPECT_EQ(::GetParent(pChild->m_hWnd), m_pMainFrame->m_hWndMDIClient);

    // The child shows the template's menu; the titles name the document.
    EXPECT_EQ(::GetMenu(m_pMainFrame->m_hWnd), m_pTemplate->m_hMenuShared);
    EXPECT_EQ(WindowText(pChild->m_hWnd), CString(_T("Sheet1")));
    EXPECT_EQ(WindowText(m_pMainFrame->m_hWnd), CString(_T("Sheet1 - Frame Test")));

    CSheetDoc* pSecond = NewSheet();
    ASSERT_NE(pSecond, nullptr);
    EXPECT_NE(pSecond, pDoc);
    EXPECT_EQ(pSecond->GetTitle(), CString(_T("Sheet2")));
    POSITION pos = m_pTemplate->GetFirstDocPosition();
    EXPECT_EQ(m_pTemplate->GetNextDoc(pos), pDoc);
    EXPECT_EQ(m_pTemplate->GetNextDoc(pos), pSecond);
    EXPECT_EQ(pos, nullptr);
}

TEST_F(FrameTest, ClosingTheLastChildRestoresTheFrameMenuAndDeletesTheDocument)
{
    const HMENU hMenuMain = ::GetMenu(m_pMainFrame->m_hWnd);
    CSheetDoc* pDoc = NewSheet();
    ASSERT_NE(pDoc, nullptr);
    CMDIChildWnd* pChild = m_pMainFrame->MDIGetActive();
    ASSERT_NE(pChild, nullptr);
    ASSERT_EQ(::GetMenu(m_pMainFrame->m_hWnd), m_pTemplate->m_hMenuShared);

    pChild->SendMessage(WM_CLOSE);
    EXPECT_EQ(m_pMainFrame->MDIGetActive(), nullptr);
    EXPECT_EQ(m_pTemplate->GetFirstDocPosition(), nullptr);
    EXPECT_EQ(::GetMenu(m_pMainFrame->m_hWnd), hMenuMain);
    // The title loses the document at the next idle time.
    EXPECT_EQ(m_pMainFrame->m_nIdleFlags & CFrameWnd::idleTitle, static_cast<UINT>(CFrameWnd::idleTitle));
    m_pMainFrame->ShowWindow(SW_SHOWNA);
    m_app.OnIdle(0);
    EXPECT_EQ(WindowText(m_pMainFrame->m_hWnd), CString(_T("Frame Test")));
}

TEST_F(FrameTest, CloseAllDocumentsDestroysEveryFrame)
{
    ASSERT_NE(NewSheet(), nullptr);
    ASSERT_NE(NewSheet(), nullptr);
    m_app.CloseAllDocuments(FALSE);
    EXPECT_EQ(m_pTemplate->GetFirstDocPosition(), nullptr);
    EXPECT_EQ(::GetWindow(m_pMainFrame->m_hWndMDIClient, GW_CHILD), nullptr);
}

TEST_F(FrameTest, ClosingTheMainFrameClosesEveryDocument)
{
    ASSERT_NE(NewSheet(), nullptr);
    ASSERT_NE(NewSheet(), nullptr);
    const int nDeleted = g_nSheetsDeleted;
    m_pMainFrame->SendMessage(WM_CLOSE);
    EXPECT_EQ(g_nSheetsDeleted, nDeleted + 2);
    EXPECT_EQ(m_pTemplate->GetFirstDocPosition(), nullptr);
    EXPECT_EQ(m_app.m_pMainWnd, nullptr);
}

// The messages that reach a window after its WM_DESTROY, up to its WM_NCDESTROY.
class CAfterDestroyWatch
{
public:
    explicit CAfterDestroyWatch(HWND hWnd)
    {
        s_pWatch = this;
        m_pfnOld = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CAfterDestroyWatch::WindowProc)));
    }
    ~CAfterDestroyWatch()
    {
        s_pWatch = nullptr;
    }
    CAfterDestroyWatch(const CAfterDestroyWatch&) = delete;
    CAfterDestroyWatch& operator=(const CAfterDestroyWatch&) = delete;

    bool m_bDestroyed = false;
    bool m_bNcDestroyed = false;
    std::vector<UINT> m_after;

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        CAfterDestroyWatch& watch = *s_pWatch;
        if (message == WM_NCDESTROY)
            watch.m_bNcDestroyed = true;
        else if (watch.m_bDestroyed)
            watch.m_after.push_back(message);
        if (message == WM_DESTROY)
            watch.m_bDestroyed = true;
        return ::CallWindowProc(watch.m_pfnOld, hWnd, message, wParam, lParam);
    }

    static CAfterDestroyWatch* s_pWatch;
    WNDPROC m_pfnOld;
};
CAfterDestroyWatch* CAfterDestroyWatch::s_pWatch = nullptr;

// The client goes before the children that it holds, and Wine frees its data at its
// WM_DESTROY: a document that retitles the window it has left, as its other window goes, must
// not reach the client any more.
TEST_F(FrameTest, DestroyingTheMainFrameWithTwoWindowsOfADocumentLeavesItsClientAlone)
{
    CSheetDoc* pDoc = NewSheet();
    ASSERT_NE(pDoc, nullptr);
    m_pMainFrame->SendMessage(WM_COMMAND, ID_WINDOW_NEW);
    POSITION pos = pDoc->GetFirstViewPosition();
    pDoc->GetNextView(pos);
    ASSERT_NE(pos, nullptr);
    const int nDeleted = g_nSheetsDeleted;

    CAfterDestroyWatch watch(m_pMainFrame->m_hWndMDIClient);
    m_pMainFrame->DestroyWindow();
    EXPECT_TRUE(watch.m_bNcDestroyed);
    EXPECT_EQ(watch.m_after, std::vector<UINT>{});
    EXPECT_EQ(g_nSheetsDeleted, nDeleted + 1);
    EXPECT_EQ(m_app.m_pMainWnd, nullptr);
}

// A command from the main frame's menu goes to the view, its document, the document's
// template, the child frame and the application; only then to the main frame itself (and
// the application once more, as the main frame's own routing ends there).
TEST_F(FrameTest, CommandRoutesFromViewToApplication)
{
    ASSERT_NE(NewSheet(), nullptr);
    struct Case
    {
        const char* pszHandler;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"view", {"view"}},
        {"document", {"view", "document"}},
        {"template", {"view", "document", "template"}},
        {"child", {"view", "document", "template", "child"}},
        {"app", {"view", "document", "template", "child", "app"}},
        {"main", {"view", "document", "template", "child", "app", "main"}},
        {"nobody", {"view", "document", "template", "child", "app", "main", "app"}},
    };
    for (const Case& c : cases)
    {
        g_route.clear();
        g_handler = c.pszHandler;
        const LRESULT lResult = m_pMainFrame->SendMessage(WM_COMMAND, ID_EDIT_ROUTE);
        EXPECT_EQ(g_route, c.expected) << c.pszHandler;
        // A command that nobody takes goes on to DefFrameProc, which answers 0.
        EXPECT_EQ(lResult != 0, g_handler != "nobody") << c.pszHandler;
    }
}

TEST_F(FrameTest, CommandsWithoutDocumentReachTheMainFrame)
{
    m_pMainFrame->SendMessage(WM_COMMAND, ID_MAIN_ONLY);
    EXPECT_EQ(m_pMainFrame->m_nMainOnly, 1);
    // Through the accelerator of the main frame, as the message loop translates it.
    ASSERT_NE(NewSheet(), nullptr);
    g_handler = "view";
    MSG msg{m_pMainFrame->m_hWnd, WM_KEYDOWN, 'R', 0, 0, {}};
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    // The child's (the template's) accelerators apply while it is active.
    EXPECT_TRUE(m_pMainFrame->PreTranslateMessage(&msg));
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
    EXPECT_EQ(g_route, std::vector<std::string>{"view"});
}

TEST_F(FrameTest, DisabledCommandDoesNotRun)
{
    ASSERT_NE(NewSheet(), nullptr);
    m_pMainFrame->SendMessage(WM_COMMAND, ID_EDIT_DISABLED);
    EXPECT_EQ(g_nDisabledRuns, 0);
}

TEST_F(FrameTest, MenuPopupIsUpdatedThroughTheRouting)
{
    ASSERT_NE(NewSheet(), nullptr);
    struct Case
    {
        BOOL bAutoMenuEnable;
        int nCheck;
    };
    for (const Case& c : {Case{TRUE, 1}, Case{FALSE, 0}})
    {
        for (UINT nID = ID_EDIT_ROUTE; nID <= ID_EDIT_NOHANDLER; ++nID)
            ::EnableMenuItem(EditMenu(), nID, MF_BYCOMMAND | MF_ENABLED);
        m_pMainFrame->m_bAutoMenuEnable = c.bAutoMenuEnable;
        g_nCheck = c.nCheck;
        m_pMainFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(EditMenu()), MAKELPARAM(1, FALSE));
        EXPECT_EQ((MenuState(ID_EDIT_CHECKED) & MF_CHECKED) != 0, c.nCheck == 1);
        // The document's update handler disables its item either way.
        EXPECT_TRUE(MenuState(ID_EDIT_DISABLED) & MF_GRAYED);
        // Without a command handler (none at all, or only an update handler that checks it)
        // an item is disabled only with m_bAutoMenuEnable.
        EXPECT_EQ((MenuState(ID_EDIT_NOHANDLER) & MF_GRAYED) != 0, c.bAutoMenuEnable == TRUE);
        EXPECT_EQ((MenuState(ID_EDIT_CHECKED) & MF_GRAYED) != 0, c.bAutoMenuEnable == TRUE);
        // Handled commands stay enabled.
        EXPECT_FALSE(MenuState(ID_EDIT_ROUTE) & MF_GRAYED);
    }
}

TEST_F(FrameTest, IdleUpdateDoesTheDelayedLayoutAndTitle)
{
    CSheetDoc* pDoc = NewSheet();
    ASSERT_NE(pDoc, nullptr);
    CMDIChildWnd* pChild = m_pMainFrame->MDIGetActive();
    CSheetView* pView = FirstView(pDoc);
    ASSERT_NE(pView, nullptr);

    // The view is moved away; a delayed layout puts it back over the client area at idle.
    pView->MoveWindow(5, 5, 10, 10);
    pChild->DelayRecalcLayout();
    EXPECT_EQ(pChild->m_nIdleFlags, static_cast<UINT>(CFrameWnd::idleLayout | CFrameWnd::idleNotify));
    CRect rectView;
    pView->GetWindowRect(&rectView);
    EXPECT_EQ(rectView.Width(), 10);

    m_pMainFrame->ShowWindow(SW_SHOWNA);
    m_app.OnIdle(0);
    EXPECT_EQ(pChild->m_nIdleFlags, 0u);
    CRect rectClient;
    pChild->GetClientRect(&rectClient);
    pView->GetWindowRect(&rectView);
    pChild->ScreenToClient(&rectView);
    EXPECT_EQ(rectView, rectClient);

    // A new document title reaches the frames at once.
    pDoc->SetTitle(_T("Renamed"));
    EXPECT_EQ(WindowText(pChild->m_hWnd), CString(_T("Renamed")));
    EXPECT_EQ(WindowText(m_pMainFrame->m_hWnd), CString(_T("Renamed - Frame Test")));

    // A maximised child's title is shown once, in the brackets the system adds.
    m_pMainFrame->MDIMaximize(pChild);
    EXPECT_EQ(WindowText(m_pMainFrame->m_hWnd), CString(_T("Frame Test - [Renamed]")));
}

TEST_F(FrameTest, ViewDrawsIntoAMemoryDC)
{
    CSheetDoc* pDoc = NewSheet();
    ASSERT_NE(pDoc, nullptr);
    CSheetView* pView = FirstView(pDoc);
    ASSERT_NE(pView, nullptr);

    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(40, 40, 1, 32, nullptr));
    CBitmap* pOld = dc.SelectObject(&bitmap);
    pView->OnPrepareDC(&dc);
    pView->OnDraw(&dc);
    EXPECT_EQ(dc.GetPixel(2, 2), RGB(255, 0, 0));
    EXPECT_EQ(dc.GetPixel(15, 15), RGB(0, 0, 255));
    EXPECT_EQ(dc.GetPixel(25, 25), RGB(255, 0, 0));
    dc.SelectObject(pOld);
}

TEST_F(FrameTest, UpdateAllViewsSkipsTheSender)
{
    CSheetDoc* pDoc = NewSheet();
    ASSERT_NE(pDoc, nullptr);
    CSheetView* pView = FirstView(pDoc);
    ASSERT_NE(pView, nullptr);
    pView->m_hints.clear();
    pDoc->UpdateAllViews(nullptr, 7);
    pDoc->UpdateAllViews(pView, 8);
    EXPECT_EQ(pView->m_hints, std::vector<LPARAM>{7});
}

// Writes the bytes as they are, without the archive.
void WriteFileBytes(const CString& path, const std::vector<BYTE>& bytes)
{
    CFile file(path, CFile::modeCreate | CFile::modeWrite);
    file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
}

TEST_F(FrameTest, OpenDocumentFileReadsTheFileThroughSerialize)
{
    TempDirectory dir;
    const CString path = dir.File(_T("Budget.sht"));
    WriteFileBytes(path, {0x2A, 0x01, 0x00, 0x00});

    auto* pDoc = dynamic_cast<CSheetDoc*>(m_app.OpenDocumentFile(path));
    ASSERT_NE(pDoc, nullptr);
    EXPECT_EQ(pDoc->m_nValue, 0x12A);
    EXPECT_EQ(pDoc->m_nNewCalls, 0);
    EXPECT_EQ(pDoc->GetPathName(), path);
    EXPECT_EQ(pDoc->GetTitle(), CString(_T("Budget.sht")));
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_EQ(WindowText(m_pMainFrame->MDIGetActive()->m_hWnd), CString(_T("Budget.sht")));
}

TEST_F(FrameTest, OpenDocumentFileFailsWithoutLeavingADocument)
{
    TempDirectory dir;
    // A missing file, and one too short for its number.
    const CString shortFile = dir.File(_T("Short.sht"));
    WriteFileBytes(shortFile, {0x2A, 0x01});
    for (const CString& path : {dir.File(_T("Missing.sht")), shortFile})
    {
        EXPECT_EQ(m_app.OpenDocumentFile(path), nullptr);
        EXPECT_EQ(m_pTemplate->GetFirstDocPosition(), nullptr);
        EXPECT_EQ(::GetWindow(m_pMainFrame->m_hWndMDIClient, GW_CHILD), nullptr);
    }
}

TEST_F(FrameTest, ProcessShellCommandDoesWhatTheCommandLineAsks)
{
    TempDirectory dir;
    const CString path = dir.File(_T("Plan.sht"));
    WriteFileBytes(path, {7, 0, 0, 0});
    struct Case
    {
        const TCHAR* pszArgs[2];
        BOOL bResult;
        const TCHAR* pszTitle; // of the document made, NULL for none
    };
    const Case cases[] = {
        {{nullptr, nullptr}, TRUE, _T("Sheet1")},
        {{path, nullptr}, TRUE, _T("Plan.sht")},
        {{_T("p"), path}, FALSE, nullptr},
    };
    for (const Case& c : cases)
    {
        CCommandLineInfo info;
        const int nArgs = c.pszArgs[0] == nullptr ? 0 : c.pszArgs[1] == nullptr ? 1 : 2;
        for (int i = 0; i < nArgs; ++i)
            info.ParseParam(c.pszArgs[i], i == 0 && nArgs == 2, i == nArgs - 1);
        EXPECT_EQ(m_app.ProcessShellCommand(info), c.bResult);
        POSITION pos = m_pTemplate->GetFirstDocPosition();
        if (c.pszTitle == nullptr)
            EXPECT_EQ(pos, nullptr);
        else
        {
            ASSERT_NE(pos, nullptr);
            CDocument* pDoc = m_pTemplate->GetNextDoc(pos);
            EXPECT_EQ(pDoc->GetTitle(), CString(c.pszTitle));
        }
        m_app.CloseAllDocuments(FALSE);
    }
    CCommandLineInfo nothing;
    nothing.m_nShellCommand = CCommandLineInfo::FileNothing;
    EXPECT_TRUE(m_app.ProcessShellCommand(nothing));
    EXPECT_EQ(m_pTemplate->GetFirstDocPosition(), nullptr);
}

// A bar along the top that takes 20 pixels of the frame's client area, as control bars do.
class TopBar : public CWnd
{
public:
    int m_nSizeParent = 0;

protected:
    afx_msg LRESULT OnSizeParent(WPARAM, LPARAM lParam)
    {
        ++m_nSizeParent;
        auto* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
        CRect rect(pLayout->rect.left, pLayout->rect.top, pLayout->rect.right, pLayout->rect.top + 20);
        pLayout->rect.top += 20;
        AfxRepositionWindow(pLayout, m_hWnd, rect);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(TopBar, CWnd)
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

// A single-document frame made with its view from a creation context.
class SdiFrameTest : public ::testing::Test
{
protected:
    CFrameTestApp m_app;
    CSheetDoc* m_pDoc = nullptr;
    CFrameWnd* m_pFrame = nullptr;

    void SetUp() override
    {
        m_pDoc = new CSheetDoc;
        m_pDoc->SetTitle(_T("Notes"));
        CCreateContext context;
        context.m_pCurrentDoc = m_pDoc;
        context.m_pNewViewClass = RUNTIME_CLASS(CSheetView);
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context));
        m_app.m_pMainWnd = m_pFrame;
        m_pFrame->InitialUpdateFrame(m_pDoc, FALSE);
    }
    void TearDown() override
    {
        if (m_app.m_pMainWnd != nullptr)
            m_app.m_pMainWnd->DestroyWindow();
        PumpPendingMessages();
    }
    CString Title() const
    {
        CString str;
        m_pFrame->GetWindowText(str);
        return str;
    }
};

TEST_F(SdiFrameTest, LoadFrameMakesTheViewAndTakesTheResources)
{
    EXPECT_TRUE(m_pFrame->IsFrameWnd());
    EXPECT_EQ(m_pFrame->GetTitle(), CString(_T("Frame Test")));
    EXPECT_NE(m_pFrame->m_hAccelTable, nullptr);
    EXPECT_EQ(::GetMenu(m_pFrame->m_hWnd), m_pFrame->m_hMenuDefault);
    EXPECT_NE(m_pFrame->m_hMenuDefault, nullptr);

    CView* pView = m_pFrame->GetActiveView();
    ASSERT_NE(pView, nullptr);
    EXPECT_EQ(pView->GetDlgCtrlID(), static_cast<int>(AFX_IDW_PANE_FIRST));
    EXPECT_EQ(m_pFrame->GetActiveDocument(), m_pDoc);
    EXPECT_EQ(static_cast<CSheetView*>(pView)->m_nInitialUpdates, 1);
    EXPECT_EQ(Title(), CString(_T("Notes - Frame Test")));
}

TEST_F(SdiFrameTest, RecalcLayoutGivesTheBarsTheirShareAndTheViewTheRest)
{
    auto* pBar = new TopBar;
    ASSERT_TRUE(
        pBar->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), m_pFrame, AFX_IDW_CONTROLBAR_FIRST));
    m_pFrame->RecalcLayout();
    EXPECT_EQ(pBar->m_nSizeParent, 1);

    CRect rectClient;
    m_pFrame->GetClientRect(&rectClient);
    CRect rectView;
    m_pFrame->GetActiveView()->GetWindowRect(&rectView);
    m_pFrame->ScreenToClient(&rectView);
    EXPECT_EQ(rectView, CRect(0, 20, rectClient.right, rectClient.bottom));

    // A resize lays the frame out again.
    m_pFrame->SetWindowPos(nullptr, 0, 0, 300, 250, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(pBar->m_nSizeParent, 2);
    pBar->DestroyWindow();
    delete pBar;
}

TEST_F(SdiFrameTest, NegotiatedBorderSpaceIsKeptFreeOfTheView)
{
    auto* pBar = new TopBar;
    ASSERT_TRUE(
        pBar->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), m_pFrame, AFX_IDW_CONTROLBAR_FIRST));
    m_pFrame->RecalcLayout();
    CRect rectClient;
    m_pFrame->GetClientRect(&rectClient);

    CRect rectFree;
    EXPECT_TRUE(m_pFrame->NegotiateBorderSpace(CFrameWnd::borderGet, &rectFree));
    EXPECT_EQ(rectFree, CRect(0, 20, rectClient.right, rectClient.bottom));
    CRect rectBorder(0, 24, 0, 0);
    EXPECT_TRUE(m_pFrame->NegotiateBorderSpace(CFrameWnd::borderRequest, &rectBorder));
    CRect rectTooTall(0, rectFree.Height(), 0, 1);
    EXPECT_FALSE(m_pFrame->NegotiateBorderSpace(CFrameWnd::borderRequest, &rectTooTall));
    EXPECT_FALSE(m_pFrame->NegotiateBorderSpace(7, &rectBorder));

    EXPECT_TRUE(m_pFrame->NegotiateBorderSpace(CFrameWnd::borderSet, &rectBorder));
    auto viewRect = [this] {
        CRect rect;
        m_pFrame->GetActiveView()->GetWindowRect(&rect);
        m_pFrame->ScreenToClient(&rect);
        return rect;
    };
    EXPECT_EQ(viewRect(), CRect(0, 44, rectClient.right, rectClient.bottom));
    // Later layouts keep it; setting none gives the space back.
    m_pFrame->RecalcLayout();
    EXPECT_EQ(viewRect().top, 44);
    EXPECT_TRUE(m_pFrame->NegotiateBorderSpace(CFrameWnd::borderSet, nullptr));
    EXPECT_EQ(viewRect().top, 20);
    pBar->DestroyWindow();
    delete pBar;
}

TEST_F(SdiFrameTest, SetMessageTextGoesToTheStatusBar)
{
    CStatic status;
    ASSERT_TRUE(status.Create(_T(""), WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), m_pFrame, AFX_IDW_STATUS_BAR));
    m_pFrame->SetMessageText(_T("Ready to go"));
    CString strText;
    status.GetWindowText(strText);
    EXPECT_EQ(strText, CString(_T("Ready to go")));
    // A string resource by id.
    m_pFrame->SetMessageText(IDR_MAINFRAME);
    status.GetWindowText(strText);
    EXPECT_EQ(strText, CString(_T("Frame Test")));
    status.DestroyWindow();
}

TEST_F(SdiFrameTest, AcceleratorOfTheFrameSendsItsCommand)
{
    // Ctrl+N is ID_FILE_NEW, which the application takes; the app has no template here.
    MSG msg{m_pFrame->m_hWnd, WM_KEYDOWN, 'N', 0, 0, {}};
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    EXPECT_TRUE(m_pFrame->PreTranslateMessage(&msg));
    msg.wParam = 'Q';
    EXPECT_FALSE(m_pFrame->PreTranslateMessage(&msg));
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
}

TEST_F(SdiFrameTest, ClosingTheFrameClosesTheDocument)
{
    const int nDeleted = g_nSheetsDeleted;
    m_pFrame->SendMessage(WM_CLOSE);
    EXPECT_EQ(m_app.m_pMainWnd, nullptr);
    EXPECT_EQ(g_nSheetsDeleted, nDeleted + 1);
}

TEST_F(SdiFrameTest, MiniFrameIsAnOwnedToolWindow)
{
    auto* pMini = new CMiniFrameWnd;
    ASSERT_TRUE(pMini->Create(nullptr, _T("Palette"), WS_POPUP | WS_CAPTION | MFS_THICKFRAME, CRect(10, 10, 110, 90),
                              m_pFrame));
    EXPECT_TRUE(pMini->IsFrameWnd());
    EXPECT_TRUE(pMini->GetExStyle() & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(pMini->GetStyle() & WS_THICKFRAME);
    EXPECT_EQ(::GetWindow(pMini->m_hWnd, GW_OWNER), m_pFrame->m_hWnd);
    EXPECT_EQ(pMini->GetTitle(), CString(_T("Palette")));
    // Frames delete themselves with their windows.
    pMini->DestroyWindow();
}
} // namespace
