// Saving an MDI application's frames, documents, bars and toolbar options as a workspace and
// opening it again, in the registry and in a workspace file; the recent list and the commands.
#include <toolkit/bars/ToolBarManager.h>
#include <toolkit/foundation/ToolkitRes.h>
#include <toolkit/bars/CustomToolBar.h>
#include <toolkit/frames/ControlBar.h>
#include <toolkit/frames/DockState.h>
#include <toolkit/frames/MDIChildWnd.h>
#include <toolkit/frames/MDIFrameWnd.h>
#include <toolkit/frames/MultiDocTemplate.h>
#include <toolkit/workspace/PTNStrategyProfile.h>
#include <toolkit/workspace/PersistentTreeNode.h>
#include <toolkit/workspace/Registry.h>
#include <toolkit/workspace/WorkspaceManagerEx.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <testing/MessagePump.h>
#include <testing/ModalScript.h>
#include <testing/RegistrySandbox.h>
#include <testing/TempDirectory.h>

using tarnwick::bars::SECToolBarManager;
using tarnwick::frames::SECControlBar;
using tarnwick::frames::SECMDIChildWnd;
using tarnwick::frames::SECMDIFrameWnd;
using tarnwick::frames::SECMultiDocTemplate;
using tarnwick::workspace::SECPersistentTreeNode;
using tarnwick::workspace::SECPTNFactory;
using tarnwick::workspace::SECPTNStrategyProfile;
using tarnwick::workspace::SECRegistry;
using tarnwick::workspace::SECWorkspaceManagerEx;

namespace
{
constexpr UINT ID_OUTPUT = 0xE901;
const UINT kMainButtons[] = {0x800B, 0x800D, 0, 0xE100};

class WsApp : public CWinApp
{
public:
    WsApp() : CWinApp(_T("Workspaces"))
    {
    }
};

// A document that is asked to save itself and declines.
class WsDoc : public CDocument
{
    DECLARE_DYNCREATE(WsDoc)
public:
    static int s_nSaveRequests;

protected:
    afx_msg void OnFileSave()
    {
        ++s_nSaveRequests;
    }
    DECLARE_MESSAGE_MAP()
};
int WsDoc::s_nSaveRequests = 0;
IMPLEMENT_DYNCREATE(WsDoc, CDocument)
BEGIN_MESSAGE_MAP(WsDoc, CDocument)
ON_COMMAND(ID_FILE_SAVE, OnFileSave)
END_MESSAGE_MAP()

class WsView : public CView
{
    DECLARE_DYNCREATE(WsView)
public:
    void OnDraw(CDC*) override
    {
    }
};
IMPLEMENT_DYNCREATE(WsView, CView)

// The frames' second views come back through the manager's hook.
class WsManager : public SECWorkspaceManagerEx
{
    DECLARE_DYNCREATE(WsManager)
public:
    int m_nAdditionalViews = 0;
    BOOL LoadAdditionalView(CDocument* pDoc, CFrameWnd* pFrame, SECPersistentTreeNode* pNode) override
    {
        if (!SECWorkspaceManagerEx::LoadAdditionalView(pDoc, pFrame, pNode))
            return FALSE;
        CCreateContext context;
        context.m_pCurrentDoc = pDoc;
        context.m_pNewViewClass = RUNTIME_CLASS(WsView);
        ++m_nAdditionalViews;
        return pFrame->CreateView(&context, AFX_IDW_PANE_FIRST + 1) != nullptr;
    }
};
IMPLEMENT_DYNCREATE(WsManager, SECWorkspaceManagerEx)

class WsFrame : public SECMDIFrameWnd
{
public:
    WsFrame() : m_manager(this, nullptr)
    {
        SetControlBarManager(&m_manager);
    }
    SECToolBarManager m_manager;
    SECControlBar m_output;
    // The workspace commands that reached the frame itself.
    std::vector<UINT> m_commands;

protected:
    afx_msg void OnWorkspaceCommand(UINT nID)
    {
        m_commands.push_back(nID);
    }
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (SECMDIFrameWnd::OnCreate(lpCreateStruct) == -1 || !m_manager.LoadToolBarResource(128, 129))
            return -1;
        m_manager.DefineDefaultToolBar(AFX_IDW_TOOLBAR, _T("Main"), 4, kMainButtons);
        EnableDocking(CBRS_ALIGN_ANY);
        if (!m_output.Create(this, _T("Output"), WS_VISIBLE | CBRS_BOTTOM | CBRS_SIZE_DYNAMIC, 0x10F31, ID_OUTPUT))
            return -1;
        m_output.EnableDocking(CBRS_ALIGN_ANY);
        DockControlBarById(&m_output, AFX_IDW_DOCKBAR_BOTTOM);
        m_manager.CreateDefaultToolBars();
        m_manager.EnableCoolLook(TRUE, SECToolBarManager::CBRS_EX_COOLLOOK_BITS);
        return 0;
    }
    void PostNcDestroy() override
    {
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(WsFrame, SECMDIFrameWnd)
ON_WM_CREATE()
ON_COMMAND_RANGE(ID_SEC_WS_NEW, ID_SEC_WS_MRU_LAST, OnWorkspaceCommand)
END_MESSAGE_MAP()

std::wstring Str(const CString& text)
{
    return std::wstring(static_cast<LPCTSTR>(text));
}

CString RegText(const CString& path, LPCTSTR lpszName)
{
    SECRegistry registry;
    CString value;
    if (registry.Connect(HKEY_CURRENT_USER) && registry.Open(path, KEY_READ) && registry.GetValue(lpszName, value))
        return value;
    return _T("<none>");
}

// The subkeys below a key, as paths relative to it, depth first.
void SubkeyPaths(const CString& path, const CString& prefix, std::vector<std::wstring>& paths)
{
    SECRegistry registry;
    if (!registry.Connect(HKEY_CURRENT_USER) || !registry.Open(path, KEY_READ))
        return;
    CString name;
    for (DWORD i = 0; registry.EnumerateKeys(i, name); ++i)
    {
        const CString child = prefix.IsEmpty() ? name : prefix + _T("\\") + name;
        paths.push_back(Str(child));
        SubkeyPaths(path + _T("\\") + name, child, paths);
    }
}

CRect NormalRect(CWnd* pWnd)
{
    WINDOWPLACEMENT wp{};
    wp.length = sizeof(wp);
    pWnd->GetWindowPlacement(&wp);
    return CRect(wp.rcNormalPosition);
}

class WorkspaceFramesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        WsDoc::s_nSaveRequests = 0;
        m_app.m_pszRegistryKey = _tcsdup(m_sandbox.Name());
        m_pFirst = Add(_T("\nSheet\nSheet\n\n\nLumiter.Sheet\nLumiter Sheet"));
        m_pSecond = Add(_T("\nSheet\nSheet\n\n\nLumiter.Sheet\nLumiter Sheet"));
        m_pLogs = Add(_T("\nLog\nLog\n\n\nLumiter.Log\nLumiter Log"));
        m_pFrame = new WsFrame;
        ASSERT_TRUE(m_pFrame->Create(nullptr, _T("Documents"), WS_OVERLAPPEDWINDOW, CRect(20, 30, 820, 630)));
        m_app.m_pMainWnd = m_pFrame;
        m_pFrame->ShowWindow(SW_SHOW);
        m_pFrame->RecalcLayout();
        m_pManager = static_cast<WsManager*>(
            m_pFrame->CreateWorkspaceManager(m_sandbox.Path() + _T("\\Spaces"), TRUE, RUNTIME_CLASS(WsManager), FALSE));
        ASSERT_NE(m_pManager, nullptr);
        for (LPCTSTR lpszName : {_T("a.sheet"), _T("b.sheet")})
            CFile(m_directory.File(lpszName), CFile::modeCreate | CFile::modeWrite).Close();
    }
    void TearDown() override
    {
        m_pFrame->DestroyWindow();
        PumpPendingMessages();
        delete m_pFrame;
        m_app.m_pMainWnd = nullptr;
        free(const_cast<LPTSTR>(m_app.m_pszRegistryKey));
        m_app.m_pszRegistryKey = nullptr;
    }
    SECMultiDocTemplate* Add(LPCTSTR lpszDocStrings)
    {
        auto* pTemplate =
            new SECMultiDocTemplate(130, RUNTIME_CLASS(WsDoc), RUNTIME_CLASS(SECMDIChildWnd), RUNTIME_CLASS(WsView));
        pTemplate->m_strDocStrings = lpszDocStrings;
        m_app.AddDocTemplate(pTemplate);
        return pTemplate;
    }
    static CFrameWnd* FrameOf(CDocument* pDoc)
    {
        POSITION pos = pDoc->GetFirstViewPosition();
        return pDoc->GetNextView(pos)->GetParentFrame();
    }
    static int ViewCount(CDocument* pDoc)
    {
        int n = 0;
        for (POSITION pos = pDoc->GetFirstViewPosition(); pos != nullptr; pDoc->GetNextView(pos))
            ++n;
        return n;
    }
    // The document of the template open at the path, or null.
    static CDocument* OpenDoc(CDocTemplate* pTemplate, const CString& path)
    {
        for (POSITION pos = pTemplate->GetFirstDocPosition(); pos != nullptr;)
        {
            CDocument* pDoc = pTemplate->GetNextDoc(pos);
            if (pDoc->GetPathName().CompareNoCase(path) == 0)
                return pDoc;
        }
        return nullptr;
    }
    // Document A with two views in one frame, B hidden in its own frame of the second template,
    // untitled C that declines to be saved.
    void OpenTheDocuments()
    {
        m_pDocA = m_pFirst->OpenDocumentFile(m_directory.File(_T("a.sheet")));
        ASSERT_NE(m_pDocA, nullptr);
        CCreateContext context;
        context.m_pCurrentDoc = m_pDocA;
        context.m_pNewViewClass = RUNTIME_CLASS(WsView);
        ASSERT_NE(FrameOf(m_pDocA)->CreateView(&context, AFX_IDW_PANE_FIRST + 1), nullptr);
        FrameOf(m_pDocA)->MoveWindow(10, 20, 300, 200);
        m_pDocB = m_pSecond->OpenDocumentFile(m_directory.File(_T("b.sheet")));
        ASSERT_NE(m_pDocB, nullptr);
        FrameOf(m_pDocB)->MoveWindow(40, 50, 250, 150);
        FrameOf(m_pDocB)->ShowWindow(SW_HIDE);
        m_pDocC = m_pLogs->OpenDocumentFile(nullptr);
        ASSERT_NE(m_pDocC, nullptr);
        m_pFrame->MDIActivate(FrameOf(m_pDocA));
        m_pFrame->SetWindowText(_T("Saved Title"));
        PumpPendingMessages();
    }
    // Closing everything and opening the workspace again restores what was saved.
    void ExpectRestored(const CString& name)
    {
        const CRect rectMain = NormalRect(m_pFrame);
        CRect rectOutput;
        m_pFrame->m_output.GetWindowRect(rectOutput);
        m_pFrame->ShowControlBar(&m_pFrame->m_output, FALSE, FALSE);
        m_pFrame->m_manager.EnableLargeButtons(TRUE);
        m_pFrame->m_manager.EnableToolTips(FALSE);
        m_pManager->CloseWorkspace();
        PumpPendingMessages();
        EXPECT_EQ(m_pFirst->GetFirstDocPosition(), nullptr);
        m_pFrame->MoveWindow(0, 0, 500, 400);
        m_pFrame->SetWindowText(_T("Other"));

        ASSERT_TRUE(m_pManager->OpenWorkspace(name, TRUE));
        PumpPendingMessages();
        CString title;
        m_pFrame->GetWindowText(title);
        EXPECT_EQ(Str(title), L"Saved Title");
        EXPECT_EQ(NormalRect(m_pFrame), rectMain);
        CDocument* pDocA = OpenDoc(m_pFirst, m_directory.File(_T("a.sheet")));
        CDocument* pDocB = OpenDoc(m_pSecond, m_directory.File(_T("b.sheet")));
        ASSERT_NE(pDocA, nullptr);
        ASSERT_NE(pDocB, nullptr);
        EXPECT_EQ(m_pLogs->GetFirstDocPosition(), nullptr);
        EXPECT_EQ(ViewCount(pDocA), 2);
        EXPECT_EQ(m_pManager->m_nAdditionalViews, 1);
        EXPECT_EQ(NormalRect(FrameOf(pDocA)), CRect(10, 20, 310, 220));
        EXPECT_EQ(NormalRect(FrameOf(pDocB)), CRect(40, 50, 290, 200));
        EXPECT_FALSE(FrameOf(pDocB)->IsWindowVisible());
        EXPECT_EQ(m_pFrame->MDIGetActive(), FrameOf(pDocA));
        EXPECT_FALSE(m_pFrame->m_manager.LargeButtonsEnabled());
        EXPECT_TRUE(m_pFrame->m_manager.ToolTipsEnabled());
        EXPECT_TRUE(m_pFrame->m_output.IsWindowVisible());
        CRect rectOutputNow;
        m_pFrame->m_output.GetWindowRect(rectOutputNow);
        EXPECT_EQ(rectOutputNow, rectOutput);
        EXPECT_TRUE(m_pManager->IsWorkspaceOpen());
        EXPECT_EQ(Str(m_pManager->GetCurrentName()), Str(name));
    }

    RegistrySandbox m_sandbox;
    TempDirectory m_directory;
    WsApp m_app;
    SECMultiDocTemplate* m_pFirst = nullptr;
    SECMultiDocTemplate* m_pSecond = nullptr;
    SECMultiDocTemplate* m_pLogs = nullptr;
    WsFrame* m_pFrame = nullptr;
    WsManager* m_pManager = nullptr;
    CDocument* m_pDocA = nullptr;
    CDocument* m_pDocB = nullptr;
    CDocument* m_pDocC = nullptr;
};
} // namespace

TEST_F(WorkspaceFramesTest, ARegistrySaveWritesTheTreeAndOpensAsSaved)
{
    OpenTheDocuments();
    ASSERT_TRUE(m_pManager->SaveWorkspace(_T("Layout")));
    EXPECT_EQ(WsDoc::s_nSaveRequests, 1);

    const CString root = m_sandbox.Path() + _T("\\Spaces\\Layout\\WorkState_v1_2");
    std::vector<std::wstring> paths;
    SubkeyPaths(root, CString(), paths);
    for (LPCTSTR lpszPath : {_T("DockState"), _T("ToolBarMgr"), _T("Frames\\MainFrame"),
                             _T("Frames\\ChildFrames\\Document-0\\ViewFrame-0\\AdditionalViewPerFrame-0"),
                             _T("Frames\\ChildFrames\\Document-1\\ViewFrame-0"), _T("Frames\\ChildFrames\\Document-2")})
        EXPECT_NE(std::find(paths.begin(), paths.end(), std::wstring(lpszPath)), paths.end()) << Str(lpszPath);
    std::vector<std::wstring> document2;
    SubkeyPaths(root + _T("\\Frames\\ChildFrames\\Document-2"), CString(), document2);
    EXPECT_TRUE(document2.empty());

    const CString frameB = root + _T("\\Frames\\ChildFrames\\Document-1\\ViewFrame-0");
    EXPECT_EQ(Str(RegText(frameB, _T("DocTemplateIndex"))), L"1");
    EXPECT_EQ(Str(RegText(frameB, _T("IsFrameVisible"))), L"False");
    EXPECT_EQ(Str(RegText(frameB, _T("DocumentString"))), L"Lumiter.Sheet");
    EXPECT_EQ(Str(RegText(frameB, _T("DocPathName"))).size(), Str(m_directory.File(_T("b.sheet"))).size());
    const CString frameA = root + _T("\\Frames\\ChildFrames\\Document-0\\ViewFrame-0");
    EXPECT_EQ(Str(RegText(frameA, _T("DocTemplateIndex"))), L"0");
    EXPECT_EQ(Str(RegText(frameA, _T("IsActiveChildFrame"))), L"True");
    EXPECT_EQ(Str(RegText(root + _T("\\Frames\\MainFrame"), _T("Title"))), L"Saved Title");
    EXPECT_EQ(Str(RegText(root + _T("\\ToolBarMgr"), _T("CoolLook"))), L"True");
    EXPECT_EQ(Str(RegText(m_sandbox.Path() + _T("\\Spaces\\__MRURegList"), _T("Workspace0"))), L"Layout");

    ExpectRestored(_T("Layout"));
}

TEST_F(WorkspaceFramesTest, AWorkspaceFileHasTheSameSectionsAndOpensAsSaved)
{
    m_pManager->SetStorageMode(FALSE, FALSE);
    OpenTheDocuments();
    const CString file = m_directory.File(_T("mine.wsp"));
    ASSERT_TRUE(m_pManager->SaveWorkspace(file));
    TCHAR szValue[64] = {};
    ::GetPrivateProfileString(_T("WorkState_v1_2.Frames.ChildFrames.Document-1.ViewFrame-0"), _T("IsFrameVisible"),
                              _T(""), szValue, 64, file);
    EXPECT_EQ(std::wstring(szValue), L"False");
    ::GetPrivateProfileString(_T("WorkState_v1_2.Frames.ChildFrames.Document-0.ViewFrame-0.AdditionalViewPerFrame-0"),
                              _T("DocumentString"), _T(""), szValue, 64, file);
    EXPECT_EQ(std::wstring(szValue), L"Lumiter.Sheet");
    ::GetPrivateProfileString(_T("WorkState_v1_2"), _T("ptn_Child1"), _T(""), szValue, 64, file);
    EXPECT_EQ(std::wstring(szValue), L"DockState");

    ExpectRestored(file);
}

namespace
{
// Changes the placement stored under the key of the node.
void ChangePlacement(SECPersistentTreeNode* pNode, const std::function<void(WINDOWPLACEMENT&)>& change)
{
    ASSERT_NE(pNode, nullptr);
    BYTE* pData = nullptr;
    DWORD nLength = 0;
    ASSERT_EQ(pNode->GetBinaryValue(_T("WindowPlacement"), &pData, &nLength), 0u);
    const std::unique_ptr<BYTE[]> owner(pData);
    ASSERT_EQ(nLength, sizeof(WINDOWPLACEMENT));
    WINDOWPLACEMENT wp;
    memcpy(&wp, pData, sizeof(wp));
    change(wp);
    pNode->SetBinaryValue(_T("WindowPlacement"), reinterpret_cast<const BYTE*>(&wp), sizeof(wp), TRUE);
}
} // namespace

// A workspace file changed by hand or by another program: show commands that would hide the
// windows, a main window stored off every monitor, and a dock state counting two billion bars
// beside a child of another name. The workspace opens at once with every window shown and
// within reach.
TEST_F(WorkspaceFramesTest, StoredPlacementsAndCountsNeverHideOrFreezeTheProgram)
{
    m_pManager->SetStorageMode(FALSE, FALSE);
    OpenTheDocuments();
    const CString file = m_directory.File(_T("damaged.wsp"));
    ASSERT_TRUE(m_pManager->SaveWorkspace(file));
    {
        SECPTNFactory factory;
        SECPTNStrategyProfile store(file);
        SECPersistentTreeNode* pRoot = factory.AddChild(_T("WorkState_v1_2"), nullptr);
        ASSERT_TRUE(pRoot->LoadTree(&store));
        SECPersistentTreeNode* pFrames = pRoot->FindChild(_T("Frames"));
        ASSERT_NE(pFrames, nullptr);
        ChangePlacement(pFrames->FindChild(_T("MainFrame")), [](WINDOWPLACEMENT& wp) {
            wp.showCmd = SW_HIDE;
            wp.rcNormalPosition = {-32000, -32000, -31200, -31400};
        });
        SECPersistentTreeNode* pChildren = pFrames->FindChild(_T("ChildFrames"));
        ASSERT_NE(pChildren, nullptr);
        ChangePlacement(pChildren->FindChild(_T("Document-0"))->FindChild(_T("ViewFrame-0")),
                        [](WINDOWPLACEMENT& wp) { wp.showCmd = 99; });
        SECPersistentTreeNode* pDockState = pRoot->FindChild(_T("DockState"));
        ASSERT_NE(pDockState, nullptr);
        pDockState->SetIntValue(_T("Bars"), 2000000000, TRUE);
        factory.AddChild(_T("Stray"), pDockState);
        ASSERT_TRUE(pRoot->SaveTree(&store));
    }
    m_pManager->CloseWorkspace();
    PumpPendingMessages();

    ASSERT_TRUE(m_pManager->OpenWorkspace(file, TRUE));
    PumpPendingMessages();
    EXPECT_TRUE(m_pFrame->IsWindowVisible());
    CRect rectMain;
    m_pFrame->GetWindowRect(&rectMain);
    EXPECT_NE(::MonitorFromRect(&rectMain, MONITOR_DEFAULTTONULL), nullptr) << "the main window is on a monitor";
    CDocument* pDocA = OpenDoc(m_pFirst, m_directory.File(_T("a.sheet")));
    ASSERT_NE(pDocA, nullptr);
    EXPECT_TRUE(FrameOf(pDocA)->IsWindowVisible());
    EXPECT_FALSE(FrameOf(pDocA)->IsIconic());
    EXPECT_EQ(NormalRect(FrameOf(pDocA)), CRect(10, 20, 310, 220)) << "a placement on the client stays";
}

TEST_F(WorkspaceFramesTest, AnOlderTreeFindsItsTemplatesByTheFileTypeName)
{
    OpenTheDocuments();
    ASSERT_TRUE(m_pManager->SaveWorkspace(_T("Old")));
    // The same tree under the older root, naming its templates by document string 6.
    const CString spaces = m_sandbox.Path() + _T("\\Spaces\\Old");
    SECRegistry registry;
    ASSERT_TRUE(registry.Connect(HKEY_CURRENT_USER));
    const CString frameB = spaces + _T("\\WorkState_v1_1\\Frames\\ChildFrames\\Document-0\\ViewFrame-0");
    ASSERT_TRUE(registry.Create(frameB));
    registry.SetStringValue(_T("DocumentString"), _T("Lumiter Sheet"));
    registry.SetStringValue(_T("DocTemplateIndex"), _T("1"));
    registry.SetStringValue(_T("DocPathName"), m_directory.File(_T("b.sheet")));
    ASSERT_TRUE(registry.DeleteKey(spaces + _T("\\WorkState_v1_2"), TRUE));

    ASSERT_TRUE(m_pManager->OpenWorkspace(_T("Old"), TRUE));
    PumpPendingMessages();
    EXPECT_NE(OpenDoc(m_pSecond, m_directory.File(_T("b.sheet"))), nullptr);
    EXPECT_EQ(m_pFirst->GetFirstDocPosition(), nullptr);
}

TEST_F(WorkspaceFramesTest, AnUnreadableWorkspaceIsReportedDroppedAndChangesNothing)
{
    OpenTheDocuments();
    CStringList list;
    list.AddTail(_T("Gone"));
    list.AddTail(_T("Other"));
    ASSERT_TRUE(m_pManager->WriteMRUList(list));

    CString message;
    {
        ModalScript script({[&](ModalWindow& w) {
            message = w.Text();
            w.Press(IDOK);
        }});
        EXPECT_FALSE(m_pManager->OpenWorkspace(_T("Gone"), FALSE));
        EXPECT_TRUE(script.Done());
    }
    EXPECT_EQ(Str(message), L"Invalid workspace. Operation has been cancelled.");
    CStringList after;
    m_pManager->ReadMRUList(after);
    ASSERT_EQ(after.GetCount(), 1);
    EXPECT_EQ(Str(after.GetHead()), L"Other");
    EXPECT_EQ(ViewCount(m_pDocA), 2);
    EXPECT_NE(m_pDocC->GetFirstViewPosition(), nullptr);
    EXPECT_FALSE(m_pManager->IsWorkspaceOpen());
    // Quiet: no message at all (a box would stay open and fail the test).
    EXPECT_FALSE(m_pManager->OpenWorkspace(_T("Other"), TRUE));
}

namespace
{
// The menu part that the recent list's update handler builds, by its items.
std::vector<std::wstring> MenuItems(CMenu& menu, std::vector<UINT>* pIDs = nullptr)
{
    std::vector<std::wstring> items;
    for (UINT i = 0; i < menu.GetMenuItemCount(); ++i)
    {
        CString text;
        menu.GetMenuString(i, text, MF_BYPOSITION);
        const UINT nState = menu.GetMenuState(i, MF_BYPOSITION);
        items.push_back(Str(text) + ((nState & MF_CHECKED) ? L" [x]" : L"") + ((nState & MF_GRAYED) ? L" [-]" : L""));
        if (pIDs != nullptr)
            pIDs->push_back(menu.GetMenuItemID(i));
    }
    return items;
}

void UpdateRecentMenu(SECWorkspaceManagerEx& manager, CMenu& menu)
{
    CCmdUI cmdUI;
    cmdUI.m_pMenu = &menu;
    cmdUI.m_nIndex = 1;
    cmdUI.m_nIndexMax = menu.GetMenuItemCount();
    cmdUI.m_nID = ID_SEC_WS_MRU_FIRST;
    manager.OnCmdMsg(ID_SEC_WS_MRU_FIRST, CN_UPDATE_COMMAND_UI, &cmdUI, nullptr);
}
} // namespace

TEST_F(WorkspaceFramesTest, TheRecentListKeepsItsOrderAndBuildsTheMenu)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, ID_SEC_WS_OPEN, _T("Open"));
    menu.AppendMenu(MF_STRING, ID_SEC_WS_MRU_FIRST, _T("recent"));
    menu.AppendMenu(MF_STRING, ID_SEC_WS_CLOSE, _T("Close"));
    UpdateRecentMenu(*m_pManager, menu);
    EXPECT_EQ(MenuItems(menu), (std::vector<std::wstring>{L"Open", L"(none) [-]", L"Close"}));

    OpenTheDocuments();
    for (LPCTSTR name : {_T("W1"), _T("W2"), _T("W3"), _T("W4"), _T("W5"), _T("W6"), _T("W7"), _T("W8")})
        ASSERT_TRUE(m_pManager->SaveWorkspace(name));
    EXPECT_EQ(WsDoc::s_nSaveRequests, 8);
    menu.DeleteMenu(1, MF_BYPOSITION);
    menu.InsertMenu(1, MF_BYPOSITION | MF_STRING, ID_SEC_WS_MRU_FIRST, _T("recent"));
    UpdateRecentMenu(*m_pManager, menu);
    std::vector<UINT> ids;
    EXPECT_EQ(MenuItems(menu, &ids), (std::vector<std::wstring>{L"Open", L"&1 W8 [x]", L"&2 W7", L"&3 W6", L"&4 W5",
                                                                L"&5 W4", L"&6 W3", L"&7 W2", L"&8 W1", L"Close"}));
    for (UINT i = 0; i < 8; ++i)
        EXPECT_EQ(ids[i + 1], ID_SEC_WS_MRU_FIRST + i);
    EXPECT_EQ(Str(RegText(m_sandbox.Path() + _T("\\Spaces\\__MRURegList"), _T("Workspace7"))), L"W1");

    // Saving under the current name keeps the order; opening moves the name to the head.
    ASSERT_TRUE(m_pManager->SaveWorkspace(_T("W8")));
    ASSERT_TRUE(m_pManager->SaveActiveWorkspace());
    CStringList list;
    m_pManager->ReadMRUList(list);
    EXPECT_EQ(Str(list.GetHead()), L"W8");
    ASSERT_TRUE(m_pManager->OpenWorkspace(_T("W3"), TRUE));
    PumpPendingMessages();
    list.RemoveAll();
    m_pManager->ReadMRUList(list);
    EXPECT_EQ(Str(list.GetHead()), L"W3");
    EXPECT_EQ(list.GetCount(), 8);
    CStringList added;
    for (int i = 0; i < 10; ++i)
    {
        CString name;
        name.Format(_T("N%d"), i);
        m_pManager->AddToMRUList(name, added);
    }
    EXPECT_EQ(m_pManager->AddToMRUList(_T("N5"), added), 8);
    EXPECT_EQ(Str(added.GetHead()), L"N5");

    // In profile mode the list is another one.
    m_pManager->SetStorageMode(FALSE, FALSE);
    EXPECT_EQ(Str(m_pManager->GetMRUListName()), L"__MRUFileList");
    list.RemoveAll();
    m_pManager->ReadMRUList(list);
    EXPECT_TRUE(list.IsEmpty());
}

TEST_F(WorkspaceFramesTest, CommandsSentToTheFrameOpenSaveAndClose)
{
    OpenTheDocuments();
    ASSERT_TRUE(m_pManager->SaveWorkspace(_T("First")));
    ASSERT_TRUE(m_pManager->SaveWorkspace(_T("Second")));
    m_pFrame->SetWindowText(_T("Before"));
    // 43009 saves the open workspace under its name.
    m_pFrame->SendMessage(WM_COMMAND, ID_SEC_WS_SAVE);
    EXPECT_EQ(Str(RegText(m_sandbox.Path() + _T("\\Spaces\\Second\\WorkState_v1_2\\Frames\\MainFrame"), _T("Title"))),
              L"Before");

    // 43012 is enabled only while a workspace is open.
    auto closeEnabled = [&]() {
        CMenu menu;
        menu.CreatePopupMenu();
        menu.AppendMenu(MF_STRING | MF_GRAYED, ID_SEC_WS_CLOSE, _T("Close"));
        CCmdUI cmdUI;
        cmdUI.m_pMenu = &menu;
        cmdUI.m_nIndex = 0;
        cmdUI.m_nIndexMax = 1;
        cmdUI.m_nID = ID_SEC_WS_CLOSE;
        cmdUI.DoUpdate(m_pFrame, FALSE);
        return !(menu.GetMenuState(0, MF_BYPOSITION) & MF_GRAYED);
    };
    EXPECT_TRUE(closeEnabled());
    m_pFrame->SendMessage(WM_COMMAND, ID_SEC_WS_CLOSE);
    PumpPendingMessages();
    EXPECT_FALSE(m_pManager->IsWorkspaceOpen());
    EXPECT_EQ(m_pFirst->GetFirstDocPosition(), nullptr);
    EXPECT_FALSE(closeEnabled());

    // 43031 + i opens the i-th recent workspace; an index without one passes on.
    m_pFrame->SendMessage(WM_COMMAND, ID_SEC_WS_MRU_FIRST + 1);
    PumpPendingMessages();
    EXPECT_EQ(Str(m_pManager->GetCurrentName()), L"First");
    EXPECT_NE(m_pFirst->GetFirstDocPosition(), nullptr);
    CString title;
    m_pFrame->GetWindowText(title);
    EXPECT_EQ(Str(title), L"Saved Title");
    m_pFrame->m_commands.clear();
    for (UINT nID : {ID_SEC_WS_NEW, ID_SEC_WS_DELETE, ID_SEC_WS_MRU_FIRST + 5, ID_SEC_WS_MRU_FIRST})
        m_pFrame->SendMessage(WM_COMMAND, nID);
    EXPECT_EQ(m_pFrame->m_commands, (std::vector<UINT>{ID_SEC_WS_NEW, ID_SEC_WS_DELETE, ID_SEC_WS_MRU_FIRST + 5}));
    EXPECT_EQ(Str(m_pManager->GetCurrentName()), L"First");

    // 43008 asks for a name in the dialog; 43013 too, to save.
    {
        ModalScript script({[](ModalWindow& w) {
            auto* pList = static_cast<CListBox*>(CWnd::FromHandle(::GetDlgItem(w.Handle(), IDC_SEC_WS_LIST)));
            pList->SetCurSel(pList->FindStringExact(-1, _T("Second")));
            w.Press(IDC_SEC_WS_OPEN);
        }});
        m_pFrame->SendMessage(WM_COMMAND, ID_SEC_WS_OPEN);
        EXPECT_TRUE(script.Done());
    }
    PumpPendingMessages();
    EXPECT_EQ(Str(m_pManager->GetCurrentName()), L"Second");
    {
        ModalScript script({[](ModalWindow& w) {
            auto* pList = static_cast<CListBox*>(CWnd::FromHandle(::GetDlgItem(w.Handle(), IDC_SEC_WS_LIST)));
            pList->SetCurSel(pList->FindStringExact(-1, _T("First")));
            w.Press(IDC_SEC_WS_SAVE);
        }});
        m_pFrame->SetWindowText(_T("Saved Again"));
        m_pFrame->SendMessage(WM_COMMAND, ID_SEC_WS_SAVEAS);
        EXPECT_TRUE(script.Done());
    }
    EXPECT_EQ(Str(m_pManager->GetCurrentName()), L"First");
    EXPECT_EQ(Str(RegText(m_sandbox.Path() + _T("\\Spaces\\First\\WorkState_v1_2\\Frames\\MainFrame"), _T("Title"))),
              L"Saved Again");
}

TEST_F(WorkspaceFramesTest, EditsRenameByCopyAndDeleteAndLoseNoWorkspace)
{
    OpenTheDocuments();
    for (LPCTSTR name : {_T("Layout"), _T("A"), _T("B"), _T("C")})
    {
        m_pFrame->SetWindowText(name);
        ASSERT_TRUE(m_pManager->SaveWorkspace(name));
    }
    const CString spaces = m_sandbox.Path() + _T("\\Spaces\\");
    auto titleOf = [&](LPCTSTR name) {
        return Str(RegText(spaces + name + _T("\\WorkState_v1_2\\Frames\\MainFrame"), _T("Title")));
    };
    auto lists = [](std::initializer_list<LPCTSTR> names) {
        auto pList = std::make_unique<CStringList>();
        for (LPCTSTR name : names)
            pList->AddTail(name);
        return pList;
    };
    // Letter case only: the same key, kept. "A" to "C" and "C" to "A" in one go: swapped.
    auto mru = lists({_T("Layout"), _T("A"), _T("C")});
    auto edited = lists({_T("layout"), _T("C2"), _T("A")});
    auto deleted = lists({});
    EXPECT_TRUE(m_pManager->ApplyWorkspaceEdits(*mru, *edited, *deleted));
    EXPECT_EQ(titleOf(_T("layout")), L"Layout");
    EXPECT_EQ(titleOf(_T("C2")), L"A");
    EXPECT_EQ(titleOf(_T("A")), L"C");
    EXPECT_EQ(titleOf(_T("C")), L"<none>");

    // A deleted name that a renamed workspace took over stays that workspace.
    mru = lists({_T("B")});
    edited = lists({_T("Layout")});
    deleted = lists({_T("Layout")});
    EXPECT_TRUE(m_pManager->ApplyWorkspaceEdits(*mru, *edited, *deleted));
    EXPECT_EQ(titleOf(_T("Layout")), L"B");
    EXPECT_EQ(titleOf(_T("B")), L"<none>");
    mru = lists({});
    edited = lists({});
    deleted = lists({_T("Layout")});
    EXPECT_TRUE(m_pManager->ApplyWorkspaceEdits(*mru, *edited, *deleted));
    EXPECT_EQ(titleOf(_T("Layout")), L"<none>");
}

TEST_F(WorkspaceFramesTest, TheFileDialogOffersWorkspacesAndAddsTheExtension)
{
    m_pManager->SetStorageMode(FALSE, FALSE);
    CString filter;
    CString caption;
    CString name;
    {
        ModalScript script({[&](ModalWindow& w) {
            caption = w.Caption();
            // The type list's entries.
            const HWND hTypes = ::GetDlgItem(w.Handle(), 1136);
            for (int i = 0; hTypes != nullptr && i < ::SendMessage(hTypes, CB_GETCOUNT, 0, 0); ++i)
            {
                TCHAR szText[64] = {};
                ::SendMessage(hTypes, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(szText));
                filter += CString(szText) + _T("|");
            }
            w.SetItemText(1148, m_directory.File(_T("mine")));
            w.SetItemText(1152, m_directory.File(_T("mine")));
            w.Press(IDOK);
        }});
        EXPECT_TRUE(m_pManager->RunFileDialog(name, TRUE));
        EXPECT_TRUE(script.Done());
    }
    EXPECT_EQ(Str(caption), L"Save Workspace");
    EXPECT_EQ(Str(filter), L"Workspaces (*.wsp)|All Files (*.*)|");
    EXPECT_EQ(Str(name).substr(Str(name).size() - 8), L"mine.wsp");
}

TEST_F(WorkspaceFramesTest, TheToolBarOptionsRoundTripThroughTheProfileAndTheTree)
{
    SECToolBarManager& manager = m_pFrame->m_manager;
    auto* pMain = manager.FindToolBar(AFX_IDW_TOOLBAR);
    ASSERT_NE(pMain, nullptr);
    manager.EnableToolTips(FALSE);
    manager.SaveProfileState(_T("Bars"));
    SECRegistry registry;
    ASSERT_TRUE(registry.Connect(HKEY_CURRENT_USER));
    ASSERT_TRUE(
        registry.Open(m_sandbox.Path() + _T("\\") + m_app.m_pszProfileName + _T("\\Bars-ToolBarManager"), KEY_READ));
    for (const auto& [lpszName, dwExpected] :
         {std::pair<LPCTSTR, DWORD>{_T("ToolTips"), 0}, {_T("CoolLook"), 1}, {_T("LargeButtons"), 0}})
    {
        DWORD dwValue = 99;
        EXPECT_TRUE(registry.GetDoubleWordValue(lpszName, &dwValue)) << Str(lpszName);
        EXPECT_EQ(dwValue, dwExpected) << Str(lpszName);
    }
    manager.EnableToolTips(TRUE);
    manager.EnableCoolLook(FALSE);
    manager.LoadProfileState(_T("Bars"));
    EXPECT_FALSE(manager.ToolTipsEnabled());
    EXPECT_TRUE(manager.CoolLookEnabled());
    EXPECT_FALSE(pMain->GetBarStyle() & CBRS_TOOLTIPS);
    EXPECT_EQ(pMain->m_dwExStyle & SECToolBarManager::CBRS_EX_COOLLOOK_BITS, SECToolBarManager::CBRS_EX_COOLLOOK_BITS);

    tarnwick::workspace::SECPTNFactory factory;
    SECPersistentTreeNode* pRoot = factory.AddChild(_T("Root"), nullptr);
    manager.EnableLargeButtons(TRUE);
    ASSERT_TRUE(manager.SaveNodeState(factory, pRoot));
    SECPersistentTreeNode* pOptions = pRoot->FindChild(_T("ToolBarMgr"));
    ASSERT_NE(pOptions, nullptr);
    CString value;
    pOptions->GetStringValue(_T("LargeButtons"), value, CString());
    EXPECT_EQ(Str(value), L"True");
    pOptions->GetStringValue(_T("ToolTips"), value, CString());
    EXPECT_EQ(Str(value), L"False");
    manager.EnableLargeButtons(FALSE);
    manager.EnableToolTips(TRUE);
    EXPECT_TRUE(manager.LoadNodeState(pRoot));
    EXPECT_TRUE(manager.LargeButtonsEnabled());
    EXPECT_FALSE(manager.ToolTipsEnabled());
    EXPECT_FALSE(pMain->GetBarStyle() & CBRS_TOOLTIPS);

    // Without the node the options go back to their defaults; the bars keep their looks.
    manager.EnableCoolLook(FALSE);
    SECPersistentTreeNode* pBare = factory.AddChild(_T("Bare"), nullptr);
    EXPECT_TRUE(manager.LoadNodeState(pBare));
    EXPECT_FALSE(manager.LargeButtonsEnabled());
    EXPECT_TRUE(manager.ToolTipsEnabled());
    EXPECT_TRUE(manager.CoolLookEnabled());
    EXPECT_FALSE(pMain->GetBarStyle() & CBRS_TOOLTIPS);
    EXPECT_EQ(pMain->m_dwExStyle & SECToolBarManager::CBRS_EX_COOLLOOK_BITS, 0u);
    EXPECT_FALSE(manager.LoadNodeState(nullptr));
    EXPECT_FALSE(manager.SaveNodeState(factory, nullptr));
}

TEST_F(WorkspaceFramesTest, AUserToolBarComesBackIntoAFrameWithoutIt)
{
    SECToolBarManager& manager = m_pFrame->m_manager;
    for (const auto& [nTypeID, bRecord] : {std::pair<UINT, bool>{14946, true}, {14947, true}, {0, false}, {1, false}})
    {
        tarnwick::frames::SECControlBarInfo info;
        info.m_nTypeID = nTypeID;
        tarnwick::frames::SECControlBarInfoEx* pRecord = manager.CreateBarInfoEx(&info);
        EXPECT_EQ(pRecord != nullptr, bRecord) << nTypeID;
        delete pRecord;
    }
    tarnwick::frames::SECControlBarInfo menuInfo;
    menuInfo.m_nTypeID = 14947;
    menuInfo.m_nBarID = 0xE81B;
    EXPECT_EQ(manager.CreateBar(&menuInfo), nullptr);

    auto* pUser = manager.CreateUserToolBar();
    ASSERT_NE(pUser, nullptr);
    EXPECT_EQ(pUser->GetDlgCtrlID(), 0xE820);
    const UINT buttons[] = {0x800B, 0x800D, 0xE100};
    pUser->SetButtons(buttons, 3);
    m_pFrame->DockControlBarById(pUser, AFX_IDW_DOCKBAR_LEFT);
    m_pFrame->RecalcLayout();
    tarnwick::workspace::SECPTNFactory factory;
    SECPersistentTreeNode* pRoot = factory.AddChild(_T("Root"), nullptr);
    {
        tarnwick::frames::SECDockState state(&manager);
        ASSERT_TRUE(state.GetState(m_pFrame));
        ASSERT_TRUE(state.SaveStateToNode(factory, pRoot));
    }

    WsFrame other;
    ASSERT_TRUE(other.Create(nullptr, _T("Other"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 600, 400)));
    EXPECT_EQ(other.m_manager.FindToolBar(0xE820), nullptr);
    {
        tarnwick::frames::SECDockState state(&other.m_manager);
        state.SetCreatedBarList(&other.GetDocking().GetOwnedObjects());
        ASSERT_TRUE(state.LoadStateFromNode(pRoot));
        state.SetState(&other);
    }
    auto* pBack = other.m_manager.FindToolBar(0xE820);
    ASSERT_NE(pBack, nullptr);
    CString title;
    pBack->GetWindowText(title);
    EXPECT_EQ(Str(title), L"ToolBar1");
    EXPECT_EQ(pBack->GetBtnCount(), 3);
    other.DestroyWindow();
    PumpPendingMessages();
}

TEST_F(WorkspaceFramesTest, AFailedSaveIsReportedAndChangesNothing)
{
    OpenTheDocuments();
    // Done in the dialog without a current workspace: no name, nothing saved.
    {
        ModalScript script({[](ModalWindow& w) { w.Press(IDC_SEC_WS_DONE); }});
        EXPECT_FALSE(m_pManager->SaveWorkspace(CString()));
        EXPECT_TRUE(script.Done());
    }
    EXPECT_FALSE(m_pManager->IsWorkspaceOpen());

    m_pManager->SetStorageMode(FALSE, FALSE);
    const CString file = m_directory.File(_T("kept.wsp"));
    ASSERT_TRUE(m_pManager->SaveWorkspace(file));
    CStringList before;
    m_pManager->ReadMRUList(before);
    const CString blocked = m_directory.File(_T("missing\\blocked.wsp"));
    EXPECT_FALSE(m_pManager->SaveWorkspace(blocked));
    EXPECT_EQ(Str(m_pManager->GetCurrentName()), Str(file));
    EXPECT_TRUE(m_pManager->IsWorkspaceOpen());
    CStringList after;
    m_pManager->ReadMRUList(after);
    EXPECT_EQ(after.GetCount(), before.GetCount());

    // The save command shows the system's text for the error: a directory stands where the
    // workspace file was.
    ASSERT_TRUE(::DeleteFile(file));
    ASSERT_TRUE(::CreateDirectory(file, nullptr));
    CString caption;
    CString message;
    {
        ModalScript script({[&](ModalWindow& w) {
            caption = w.Caption();
            message = w.Text();
            w.Press(IDOK);
        }});
        m_pFrame->SendMessage(WM_COMMAND, ID_SEC_WS_SAVE);
        EXPECT_TRUE(script.Done());
    }
    EXPECT_EQ(Str(caption), L"Workspace Manager");
    EXPECT_FALSE(message.IsEmpty());
}

TEST_F(WorkspaceFramesTest, ADockedViewComesBackDockedOrFloating)
{
    const CString path = m_directory.File(_T("a.sheet"));
    CDocument* pDoc = m_pFirst->OpenDockedDocumentFile(path, FALSE, TRUE, 0xE8A0);
    ASSERT_NE(pDoc, nullptr);
    PumpPendingMessages();
    const CString frameKey =
        m_sandbox.Path() + _T("\\Spaces\\Docked\\WorkState_v1_2\\Frames\\ChildFrames\\Document-0\\ViewFrame-0");
    ASSERT_TRUE(m_pManager->SaveWorkspace(_T("Docked")));
    EXPECT_EQ(Str(RegText(frameKey, _T("DockedViewBarID"))), std::to_wstring(0xE8A0));
    EXPECT_EQ(Str(RegText(frameKey, _T("DockedViewFloating"))), L"0");
    EXPECT_EQ(Str(RegText(frameKey, _T("WindowPlacement"))), L"<none>");

    CControlBar* pBar = m_pFrame->GetControlBar(0xE8A0);
    ASSERT_NE(pBar, nullptr);
    m_pFrame->FloatControlBar(pBar, CPoint(300, 200), CBRS_ALIGN_TOP);
    PumpPendingMessages();
    ASSERT_TRUE(pBar->IsFloating());
    CRect rectFloating;
    pBar->GetParentFrame()->GetWindowRect(rectFloating);
    ASSERT_TRUE(m_pManager->SaveWorkspace(_T("Floating")));
    const CString floatingKey =
        m_sandbox.Path() + _T("\\Spaces\\Floating\\WorkState_v1_2\\Frames\\ChildFrames\\Document-0\\ViewFrame-0");
    EXPECT_EQ(Str(RegText(floatingKey, _T("DockedViewFloating"))), L"True");
    EXPECT_NE(Str(RegText(floatingKey, _T("DockedViewFloatingWP"))), L"<none>");

    for (LPCTSTR name : {_T("Docked"), _T("Floating")})
    {
        ASSERT_TRUE(m_pManager->OpenWorkspace(name, TRUE));
        PumpPendingMessages();
        CDocument* pBack = OpenDoc(m_pFirst, path);
        ASSERT_NE(pBack, nullptr) << Str(name);
        CControlBar* pBackBar = m_pFrame->GetControlBar(0xE8A0);
        ASSERT_NE(pBackBar, nullptr) << Str(name);
        EXPECT_EQ(FrameOf(pBack)->GetParent(), pBackBar);
        const bool bFloating = CString(name) == _T("Floating");
        EXPECT_EQ(pBackBar->IsFloating() != FALSE, bFloating) << Str(name);
        if (bFloating)
        {
            CRect rect;
            pBackBar->GetParentFrame()->GetWindowRect(rect);
            EXPECT_EQ(rect.TopLeft(), rectFloating.TopLeft());
        }
    }
}
