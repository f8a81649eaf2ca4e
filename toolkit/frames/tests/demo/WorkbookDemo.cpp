// The application's main window as its frame builds it: a workbook with its menu bar, toolbar
// and status bar, the landscape bar on the left, the output bar at the bottom and two session
// sheets as tabs, one maximised. The bars hold stand-in contents. With "/floating" the landscape
// bar is unpinned into its auto-hide strip and the output bar floats; with "/progress" the status
// bar shows the Package command's progress pane at 50 %; with "/restore" a changed layout (the
// landscape bar on the right, a properties bar beside the output bar) is saved, the frame built
// anew and the layout loaded into it, which recreates the properties bar; with "/rebar" a rebar
// under the docked bars holds a second toolbar of the main buttons in a band.
#include <toolkit/bars/CustomStatusBar.h>
#include <toolkit/bars/MDIMenuBar.h>
#include <toolkit/bars/ToolBarManager.h>
#include <toolkit/foundation/VisualStyle.h>
#include <toolkit/frames/ControlBar.h>
#include <toolkit/frames/ReBar.h>
#include <toolkit/lists/TreeCtrl.h>
#include <toolkit/tabs/3DTabWnd.h>
#include <toolkit/tabs/TabWnd.h>
#include <toolkit/frames/WorkbookWnd.h>
#include <toolkit/frames/WorksheetWnd.h>
#include <toolkit/workspace/WorkspaceManagerEx.h>

#include <afxcmn.h>
#include <afxwin.h>

#include <memory>

namespace
{
using tarnwick::bars::CBRS_EX_COOLBORDERS;
using tarnwick::bars::SECBtnMapEntry;
using tarnwick::bars::SECCustomStatusBar;
using tarnwick::bars::SECCustomToolBar;
using tarnwick::bars::SECMDIMenuBar;
using tarnwick::bars::SECToolBarManager;
using tarnwick::frames::SECControlBar;
using tarnwick::frames::SECReBar;
using tarnwick::frames::SECWorkbookWnd;
using tarnwick::frames::SECWorksheetWnd;
using tarnwick::lists::SECTreeCtrl;
using tarnwick::tabs::SEC3DTabWnd;
using tarnwick::tabs::SECTabWnd;
using tarnwick::workspace::SECWorkspaceManagerEx;

constexpr UINT IDR_MAINFRAME = 128;
constexpr UINT IDR_SESSIONTYPE = 130;
constexpr UINT ID_VIEW_LANDSCAPE = 32775;
constexpr UINT ID_VIEW_OUTPUT = 32776;
constexpr UINT ID_VIEW_WORKBOOK = 32777;
constexpr UINT ID_UNPIN_AND_FLOAT = 32900;
constexpr UINT IDI_SYSTEM = 136;
constexpr UINT IDI_OUTPUT = 138;
constexpr DWORD BAR_EX_STYLE = 0x10F31;
constexpr UINT ID_TOOLBAR_MAIN = 0xE800;
constexpr UINT ID_STATUS_BAR = 0xE801;
constexpr UINT ID_REBAR_TOOLBAR = 0xE810;
constexpr DWORD STATUS_BAR_STYLE = 0x50008200;
// System Add, Remove; Start, Stop, Package; Help Topics, About.
constexpr UINT mainButtons[] = {32779, 32781, 0, 57600, 57602, 32792, 0, 57667, 57664};
// The message pane (a separator), then the key indicators.
constexpr UINT indicators[] = {0, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
const SECBtnMapEntry emptyButtonMap[] = {{}};

// A tab category: its label and the icon of its tab.
struct Category
{
    LPCTSTR lpszLabel;
    UINT nIcon;
};
constexpr Category outputCategories[] = {
    {_T("Lumiter5"), 128}, {_T("System"), 136}, {_T("Instance"), 137}, {_T("Host"), 135}, {_T("Database"), 134}};
constexpr Category landscapeCategories[] = {{_T("System"), 136}, {_T("Host"), 135}, {_T("Database"), 134}};
constexpr int OUTPUT_CATEGORIES = sizeof(outputCategories) / sizeof(outputCategories[0]);
constexpr int LANDSCAPE_CATEGORIES = sizeof(landscapeCategories) / sizeof(landscapeCategories[0]);
constexpr DWORD CATEGORY_TABS_STYLE = 0x50000018;
constexpr DWORD MESSAGE_TABS_STYLE = 0x50300012;
constexpr DWORD MESSAGE_LIST_STYLE = 0x50000044 | LVS_REPORT;
constexpr DWORD LANDSCAPE_TREE_STYLE = 0x50000037;
constexpr DWORD LANDSCAPE_TREE_EX_STYLE = 0x02100000;
// Bitmap 133: the system, instance, host and database images, 32 by 32 on white.
constexpr UINT IDB_LANDSCAPE = 133;
enum LandscapeImage
{
    IMAGE_SYSTEM,
    IMAGE_INSTANCE,
    IMAGE_HOST,
    IMAGE_DATABASE
};
constexpr UINT FIRST_LIST_ID = 3000;
constexpr UINT ID_PROPERTIES_BAR = 0xE910;
constexpr LPCTSTR RESTORE_PROFILE = _T("Restore");

// A docking bar whose category tabs fill the area inside its gripper and margins.
class CDemoBar : public SECControlBar
{
public:
    // The bar's small icon marks its tab in an auto-hide strip.
    BOOL Create(CWnd* pParent, LPCTSTR lpszTitle, DWORD dwStyle, UINT nID, UINT nIcon)
    {
        if (!SECControlBar::Create(pParent, lpszTitle, dwStyle, BAR_EX_STYLE, nID) ||
            !m_wndTabs.Create(this, CATEGORY_TABS_STYLE, AFX_IDW_PANE_FIRST))
            return FALSE;
        SetIcon(static_cast<HICON>(
                    ::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(nIcon), IMAGE_ICON, 16, 16, LR_SHARED)),
                FALSE);
        return TRUE;
    }

protected:
    SEC3DTabWnd m_wndTabs;

    void AddCategory(CWnd& page, int nIndex, const Category& category)
    {
        m_wndTabs.AddTab(&page, category.lpszLabel);
        m_wndTabs.SetTabIcon(nIndex, category.nIcon, 16, 16);
    }

    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        SECControlBar::OnSize(nType, cx, cy);
        if (m_wndTabs.m_hWnd == nullptr)
            return;
        CRect rect;
        GetInsideRect(rect);
        m_wndTabs.MoveWindow(rect);
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CDemoBar, SECControlBar)
ON_WM_SIZE()
END_MESSAGE_MAP()

// "Output": per category a tab window of message lists, one per source, as flat tabs.
class COutputBar : public CDemoBar
{
public:
    BOOL Create(CWnd* pParent)
    {
        if (!CDemoBar::Create(pParent, _T("Output"), 0x10008204, ID_VIEW_OUTPUT, IDI_OUTPUT))
            return FALSE;
        for (int i = 0; i < OUTPUT_CATEGORIES; ++i)
        {
            SECTabWnd& messages = m_messages[i];
            if (!messages.Create(&m_wndTabs, MESSAGE_TABS_STYLE, AFX_IDW_PANE_FIRST))
                return FALSE;
            for (int j = 0; j < 2; ++j)
                if (!AddSource(messages, m_lists[2 * i + j], outputCategories[i].lpszLabel, j))
                    return FALSE;
            messages.ActivateTab(0);
            AddCategory(messages, i, outputCategories[i]);
        }
        m_wndTabs.ActivateTab(0);
        return TRUE;
    }

private:
    SECTabWnd m_messages[OUTPUT_CATEGORIES];
    CListCtrl m_lists[2 * OUTPUT_CATEGORIES];

    static BOOL AddSource(SECTabWnd& messages, CListCtrl& list, LPCTSTR lpszCategory, int nSource)
    {
        if (!list.Create(MESSAGE_LIST_STYLE, CRect(0, 0, 0, 0), &messages, FIRST_LIST_ID + nSource))
            return FALSE;
        list.InsertColumn(0, _T("Time"), LVCFMT_LEFT, 70);
        list.InsertColumn(1, _T("Message"), LVCFMT_LEFT, 300);
        CString strSource;
        strSource.Format(nSource == 0 ? _T("%s") : _T("%s 2"), lpszCategory);
        for (int nLine = 0; nLine < 3; ++nLine)
        {
            CString strTime;
            strTime.Format(_T("07:0%d UTC"), nLine);
            CString strText;
            strText.Format(_T("%s: message %d"), static_cast<LPCTSTR>(strSource), nLine + 1);
            list.InsertItem(nLine, strTime);
            list.SetItemText(nLine, 1, strText);
        }
        messages.AddTab(&list, strSource);
        return TRUE;
    }
};

// "SAP Landscape": the systems, hosts and databases the user registered, each a tree of its
// entries with their instances.
class CLandscapeBar : public CDemoBar
{
public:
    BOOL Create(CWnd* pParent)
    {
        struct Tree
        {
            UINT nID;
            LPCTSTR lpszHeading;
            LandscapeImage image;
            LPCTSTR entries[2];
        };
        static const Tree trees[LANDSCAPE_CATEGORIES] = {
            {1037, _T("SAP Systems"), IMAGE_SYSTEM, {_T("PRD"), _T("QAS")}},
            {1039, _T("Hosts"), IMAGE_HOST, {_T("saplx01"), _T("sapwin01")}},
            {1038, _T("Databases"), IMAGE_DATABASE, {_T("PRD"), _T("QAS")}}};
        static const LPCTSTR instances[2][2] = {{_T("saplx01_PRD_00"), _T("sapwin01_PRD_01")},
                                                {_T("saplx01_QAS_10"), _T("sapwin01_QAS_11")}};
        if (!CDemoBar::Create(pParent, _T("SAP Landscape"), 0x10001404, ID_VIEW_LANDSCAPE, IDI_SYSTEM))
            return FALSE;
        CBitmap bitmap;
        if (!m_images.Create(32, 32, ILC_COLOR24 | ILC_MASK, 4, 0) || !bitmap.LoadBitmap(IDB_LANDSCAPE))
            return FALSE;
        m_images.Add(&bitmap, RGB(255, 255, 255));
        for (int i = 0; i < LANDSCAPE_CATEGORIES; ++i)
        {
            const Tree& tree = trees[i];
            SECTreeCtrl& ctrl = m_trees[i];
            if (!ctrl.CreateFromRect(LANDSCAPE_TREE_STYLE, LANDSCAPE_TREE_EX_STYLE, CRect(0, 0, 0, 0), &m_wndTabs,
                                     tree.nID))
                return FALSE;
            ctrl.SetImageList(&m_images, LVSIL_NORMAL);
            ctrl.SetColumnHeading(0, tree.lpszHeading);
            for (int nEntry = 0; nEntry < 2; ++nEntry)
            {
                HTREEITEM hEntry = Insert(ctrl, tree.entries[nEntry], tree.image, TVI_ROOT);
                for (LPCTSTR lpszInstance : instances[nEntry])
                    Insert(ctrl, lpszInstance, IMAGE_INSTANCE, hEntry);
                ctrl.Expand(hEntry, TVE_TOGGLE, TRUE, FALSE);
            }
            AddCategory(ctrl, i, landscapeCategories[i]);
        }
        m_wndTabs.ActivateTab(0);
        return TRUE;
    }

private:
    CImageList m_images;
    SECTreeCtrl m_trees[LANDSCAPE_CATEGORIES];

    static HTREEITEM Insert(SECTreeCtrl& ctrl, LPCTSTR lpszText, LandscapeImage image, HTREEITEM hParent)
    {
        TVINSERTSTRUCTW insert = {};
        insert.hParent = hParent;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        insert.item.pszText = const_cast<LPWSTR>(lpszText);
        insert.item.iImage = insert.item.iSelectedImage = image;
        return ctrl.InsertItem(&insert);
    }
};

class CSessionDoc : public CDocument
{
    DECLARE_DYNCREATE(CSessionDoc)
};
IMPLEMENT_DYNCREATE(CSessionDoc, CDocument)

// A bar the rebuilt frame lacks: the dock state recreates it from its class name.
class CPropertiesBar : public SECControlBar
{
    DECLARE_DYNCREATE(CPropertiesBar)
protected:
    CListCtrl m_wndList;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (SECControlBar::OnCreate(lpCreateStruct) == -1 ||
            !m_wndList.Create(MESSAGE_LIST_STYLE, CRect(0, 0, 0, 0), this, AFX_IDW_PANE_FIRST))
            return -1;
        m_wndList.InsertColumn(0, _T("Property"), LVCFMT_LEFT, 110);
        m_wndList.InsertColumn(1, _T("Value"), LVCFMT_LEFT, 160);
        const LPCTSTR rows[][2] = {{_T("System"), _T("PRD")}, {_T("Release"), _T("7.50")}, {_T("Instances"), _T("3")}};
        for (int i = 0; i < 3; ++i)
        {
            m_wndList.InsertItem(i, rows[i][0]);
            m_wndList.SetItemText(i, 1, rows[i][1]);
        }
        return 0;
    }
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        SECControlBar::OnSize(nType, cx, cy);
        if (m_wndList.m_hWnd == nullptr)
            return;
        CRect rect;
        GetInsideRect(rect);
        m_wndList.MoveWindow(rect);
    }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CPropertiesBar, SECControlBar)
BEGIN_MESSAGE_MAP(CPropertiesBar, SECControlBar)
ON_WM_CREATE()
ON_WM_SIZE()
END_MESSAGE_MAP()

class CSessionView : public CView
{
    DECLARE_DYNCREATE(CSessionView)
protected:
    void OnDraw(CDC* pDC) override
    {
        CRect rect;
        GetClientRect(&rect);
        pDC->FillSolidRect(rect, ::GetSysColor(COLOR_WINDOW));
        pDC->SetBkMode(TRANSPARENT);
        pDC->TextOut(16, 16, CString(_T("Session started 2026-12-10 07:00 UTC")));
        pDC->TextOut(16, 40, CString(_T("Elapsed 00:42:17")));
    }
};
IMPLEMENT_DYNCREATE(CSessionView, CView)

class CChildFrame : public SECWorksheetWnd
{
    DECLARE_DYNCREATE(CChildFrame)
};
IMPLEMENT_DYNCREATE(CChildFrame, SECWorksheetWnd)

class CMainFrame : public SECWorkbookWnd
{
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame()
        : m_pToolBarManager(std::make_unique<SECToolBarManager>(this, nullptr)),
          m_pMenuBar(std::make_unique<SECMDIMenuBar>())
    {
        SetControlBarManager(m_pToolBarManager.get());
        SetMenuBar(m_pMenuBar.get());
        SetMenuOptions(1, 1);
    }

    // "SAP Landscape" unpinned into the left strip and "Output" floating over the workbook.
    void UnpinAndFloat()
    {
        m_wndLandscape.SetSlideTime(0);
        m_wndLandscape.TogglePinned();
        CRect rect;
        GetWindowRect(&rect);
        FloatControlBar(&m_wndOutput, CPoint(rect.left + 300, rect.top + 260), CBRS_ALIGN_TOP);
        RecalcLayout();
    }

    // The layout that "/restore" saves: "SAP Landscape" on the right at 300 pixels and a
    // properties bar beside "Output".
    void SaveChangedLayout()
    {
        DockControlBarSized(&m_wndLandscape, AFX_IDW_DOCKBAR_RIGHT, 0, 0, 1.0f, 300);
        auto* pProperties = new CPropertiesBar;
        GetDocking().AddOwnedObject(pProperties);
        if (pProperties->Create(this, _T("Properties"), WS_VISIBLE | CBRS_BOTTOM | CBRS_SIZE_DYNAMIC, BAR_EX_STYLE,
                                ID_PROPERTIES_BAR))
        {
            pProperties->EnableDocking(CBRS_ALIGN_ANY);
            DockControlBarSized(pProperties, AFX_IDW_DOCKBAR_BOTTOM, 1, 0, 0.5f, 200);
        }
        RecalcLayout();
        SaveDockState(RESTORE_PROFILE);
    }

    // A rebar under the top dock bar whose band holds a flat toolbar of the main buttons (the
    // band has the gripper).
    BOOL AddReBar()
    {
        if (!m_wndReBar.Create(this))
            return FALSE;
        // Laid out before the side dock bars, it spans the frame.
        m_wndReBar.SetWindowPos(GetControlBar(AFX_IDW_DOCKBAR_TOP), 0, 0, 0, 0,
                                SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        m_wndReBarToolBar.SetManager(m_pToolBarManager.get());
        m_wndReBarToolBar.SetBmpMgr(m_pToolBarManager->GetBmpMgr());
        if (!m_wndReBarToolBar.CreateEx(CBRS_EX_COOLBORDERS, &m_wndReBar, m_pToolBarManager->GetBarStyle(),
                                        ID_REBAR_TOOLBAR, _T("Session")))
            return FALSE;
        m_wndReBarToolBar.SetButtons(mainButtons, 9);
        return m_wndReBar.AddBar(&m_wndReBarToolBar);
    }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (SECWorkbookWnd::OnCreate(lpCreateStruct) == -1)
            return -1;
        SECToolBarManager& manager = *m_pToolBarManager;
        if (!manager.LoadToolBarResource(128, 129))
            return -1;
        manager.SetButtonMap(emptyButtonMap);
        manager.DefineDefaultToolBar(ID_TOOLBAR_MAIN, _T("Main"), 9, mainButtons, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_TOP,
                                     0, TRUE, TRUE);
        manager.EnableCoolLook(TRUE, 0x300);
        if (!m_wndStatusBar.Create(this, STATUS_BAR_STYLE, ID_STATUS_BAR) ||
            !m_wndStatusBar.SetIndicators(indicators, 4))
            return -1;
        for (DWORD dwSide : {CBRS_ALIGN_TOP, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT, CBRS_ALIGN_BOTTOM})
            EnableDocking(dwSide, 0);
        if (!m_wndLandscape.Create(this))
            return -1;
        m_wndLandscape.EnableDocking(CBRS_ALIGN_ANY);
        DockControlBarSized(&m_wndLandscape, AFX_IDW_DOCKBAR_LEFT, 0, 0, 1.0f, 250);
        m_wndLandscape.SetAutoHide(TRUE);
        m_wndLandscape.AttachToAutoHideBar();
        SECControlBar::SetControlBarGlobalFlag(1);
        if (!m_wndOutput.Create(this))
            return -1;
        m_wndOutput.EnableDocking(CBRS_ALIGN_ANY);
        DockControlBarSized(&m_wndOutput, AFX_IDW_DOCKBAR_BOTTOM, 0, 0, 0.75f, 200);
        m_wndOutput.SetAutoHide(TRUE);
        m_wndOutput.AttachToAutoHideBar();
        SECControlBar::SetControlBarGlobalFlag(1);
        manager.SetMenuInfo(2, 128, 130);
        SetWorkbookMode(TRUE);
        SetTabStyle(1);
        SetCaptionStyle(TRUE, TRUE);
        manager.CreateDefaultToolBars();
        CreateWorkspaceManager(_T("Software\\ZOL\\LumiterSAP\\v5.0"), TRUE, RUNTIME_CLASS(SECWorkspaceManagerEx),
                               FALSE);
        return 0;
    }
    DECLARE_MESSAGE_MAP()

public:
    // The pane as the Package command opens it, halfway.
    void ShowProgressHalfway()
    {
        m_wndStatusBar.InitProgressPane(nullptr, 0, 100, TRUE, 0x4100, 10);
        m_wndStatusBar.SetPaneText(0, _T("Zipping Files"));
        m_wndStatusBar.SetProgressPos(50);
    }

private:
    // Not owned by the frame; the windows go with the frame's bars.
    std::unique_ptr<SECToolBarManager> m_pToolBarManager;
    std::unique_ptr<SECMDIMenuBar> m_pMenuBar;
    CLandscapeBar m_wndLandscape;
    COutputBar m_wndOutput;
    SECCustomStatusBar m_wndStatusBar;
    SECReBar m_wndReBar;
    SECCustomToolBar m_wndReBarToolBar;
};
IMPLEMENT_DYNCREATE(CMainFrame, SECWorkbookWnd)
BEGIN_MESSAGE_MAP(CMainFrame, SECWorkbookWnd)
ON_WM_CREATE()
ON_COMMAND(ID_VIEW_WORKBOOK, OnWorkbookMode)
ON_COMMAND(ID_UNPIN_AND_FLOAT, UnpinAndFloat)
ON_UPDATE_COMMAND_UI(ID_VIEW_WORKBOOK, OnUpdateWorkbookMode)
END_MESSAGE_MAP()

class CDemoApp : public CWinApp
{
public:
    CDemoApp() : CWinApp(_T("Lumiter5"))
    {
    }
    BOOL InitInstance() override
    {
        SECSelectVisualStyle(TRUE);
        AddDocTemplate(new CMultiDocTemplate(IDR_SESSIONTYPE, RUNTIME_CLASS(CSessionDoc), RUNTIME_CLASS(CChildFrame),
                                             RUNTIME_CLASS(CSessionView)));
        const CString strCommandLine(m_lpCmdLine);
        if (strCommandLine.Find(_T("/restore")) >= 0)
        {
            // The layout goes through the registry, from a frame that is gone before the next.
            SetRegistryKey(_T("Lumiter5 Demo"));
            CMainFrame* pOldFrame = CreateMainFrame();
            if (pOldFrame == nullptr)
                return FALSE;
            pOldFrame->SaveChangedLayout();
            pOldFrame->DestroyWindow();
        }
        CMainFrame* pFrame = CreateMainFrame();
        if (pFrame == nullptr)
            return FALSE;
        m_pMainWnd = pFrame;
        OnFileNew();
        OnFileNew();
        if (CMDIChildWnd* pChild = pFrame->MDIGetActive())
            pChild->MDIMaximize();
        pFrame->MoveWindow(20, 20, 760, 560);
        if (strCommandLine.Find(_T("/restore")) >= 0)
            pFrame->LoadDockState(RESTORE_PROFILE);
        if (strCommandLine.Find(_T("/rebar")) >= 0 && !pFrame->AddReBar())
            return FALSE;
        pFrame->ShowWindow(SW_SHOW);
        pFrame->UpdateWindow();
        m_bFloatPending = strCommandLine.Find(_T("/floating")) >= 0;
        if (strCommandLine.Find(_T("/progress")) >= 0)
            pFrame->ShowProgressHalfway();
        return TRUE;
    }

    // Once start-up has settled, as a user would do it. Not before: on an X display without a
    // window manager, Wine raises the main frame's X window over the floating frames it owns
    // when it handles the frame's mapping, the first time the message loop waits.
    BOOL OnIdle(LONG lCount) override
    {
        if (m_bFloatPending && m_pMainWnd != nullptr)
        {
            m_bFloatPending = FALSE;
            m_pMainWnd->PostMessage(WM_COMMAND, ID_UNPIN_AND_FLOAT);
        }
        return CWinApp::OnIdle(lCount);
    }

protected:
    static CMainFrame* CreateMainFrame()
    {
        auto* pFrame = new CMainFrame;
        if (!pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE))
        {
            delete pFrame;
            return nullptr;
        }
        pFrame->MoveWindow(20, 20, 760, 560);
        return pFrame;
    }
    afx_msg void OnAppAbout()
    {
        AfxMessageBox(_T("Lumiter5"));
    }
    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bFloatPending = FALSE;
};
BEGIN_MESSAGE_MAP(CDemoApp, CWinApp)
ON_COMMAND(ID_FILE_NEW, OnFileNew)
ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
END_MESSAGE_MAP()

CDemoApp theApp;
} // namespace
