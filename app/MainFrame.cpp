#include <app/MainFrame.h>

#include <app/SessionPropertySheet.h>
#include <app/resource.h>

#include <collector/ForEachValue.h>
#include <collector/Lumiter5Message.h>
#include <collector/SapDatabase.h>
#include <collector/SapHost.h>
#include <collector/SapSystem.h>

#include <toolkit/bars/MDIMenuBar.h>
#include <toolkit/bars/ToolBarManager.h>
#include <toolkit/workspace/WorkspaceManagerEx.h>

#include <zip/Archive.h>

using tarnwick::bars::SECBtnMapEntry;
using tarnwick::bars::SECMDIMenuBar;
using tarnwick::bars::SECToolBarManager;
using tarnwick::frames::SECControlBar;
using tarnwick::frames::SECWorkbookWnd;
using tarnwick::workspace::SECWorkspaceManagerEx;

IMPLEMENT_DYNCREATE(CMainFrame, SECWorkbookWnd)

BEGIN_MESSAGE_MAP(CMainFrame, SECWorkbookWnd)
ON_WM_CREATE()
ON_COMMAND(ID_VIEW_LANDSCAPE, OnViewLandscape)
ON_UPDATE_COMMAND_UI(ID_VIEW_LANDSCAPE, OnUpdateViewLandscape)
ON_COMMAND(ID_VIEW_OUTPUT, OnViewOutput)
ON_UPDATE_COMMAND_UI(ID_VIEW_OUTPUT, OnUpdateViewOutput)
ON_COMMAND(ID_VIEW_WORKBOOK, OnWorkbookMode)
ON_UPDATE_COMMAND_UI(ID_VIEW_WORKBOOK, OnUpdateWorkbookMode)
ON_COMMAND(ID_HELP_FINDER, OnHelpFinder)
ON_COMMAND(ID_HELP, OnHelp)
ON_COMMAND(ID_DEFAULT_HELP, OnHelpFinder)
ON_COMMAND(ID_SYSTEM_ADD, OnSystemAdd)
ON_COMMAND(ID_SYSTEM_REMOVE, OnSystemRemove)
ON_COMMAND(ID_HOST_ADD, OnHostAdd)
ON_COMMAND(ID_HOST_REMOVE, OnHostRemove)
ON_COMMAND(ID_HOST_ADD_INSTANCE, OnHostAddInstanceRemote)
ON_COMMAND(ID_DATABASE_REMOVE, OnDatabaseRemove)
ON_COMMAND(ID_SESSION_PROPERTIES, OnProperties)
ON_COMMAND(ID_SESSION_PACKAGE, OnPackageSession)
END_MESSAGE_MAP()

namespace
{
constexpr UINT ID_TOOLBAR_MAIN = AFX_IDW_TOOLBAR;
constexpr DWORD STATUS_BAR_STYLE = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM;
// Visible, dynamic size; the landscape aligned left with a border right, the output aligned
// bottom with a border top.
constexpr DWORD LANDSCAPE_BAR_STYLE = WS_VISIBLE | CBRS_LEFT | CBRS_SIZE_DYNAMIC;
constexpr DWORD OUTPUT_BAR_STYLE = WS_VISIBLE | CBRS_BOTTOM | CBRS_SIZE_DYNAMIC;
constexpr DWORD BAR_EX_STYLE = tarnwick::frames::CBRS_EX_CAPTION | tarnwick::frames::CBRS_EX_EXPAND |
                               tarnwick::frames::CBRS_EX_CLOSE | tarnwick::frames::CBRS_EX_GRIPPER |
                               tarnwick::frames::CBRS_EX_BORDERS | tarnwick::frames::CBRS_EX_FLOATINMAIN |
                               tarnwick::frames::CBRS_EX_MARGINS | tarnwick::frames::CBRS_EX_CONTEXTMENU;
constexpr DWORD COOL_LOOK_STYLE = tarnwick::bars::CBRS_EX_COOLBORDERS | tarnwick::bars::CBRS_EX_GRIPPERBAR;
static_assert(STATUS_BAR_STYLE == 0x50008200 && LANDSCAPE_BAR_STYLE == 0x10001404 && OUTPUT_BAR_STYLE == 0x10008204);
static_assert(BAR_EX_STYLE == 0x10F31 && COOL_LOOK_STYLE == 0x300);
// Room for a session's tab: its icon and its id, the fourteen digits of its start time.
constexpr int SESSION_TAB_WIDTH = 130;
// System Add and Remove; Start, Stop and Package; Help Topics and About.
constexpr UINT mainButtons[] = {ID_SYSTEM_ADD,      ID_SYSTEM_REMOVE, 0, ID_FILE_NEW, ID_FILE_CLOSE,
                                ID_SESSION_PACKAGE, 0,                ID_HELP_FINDER, ID_APP_ABOUT};
// The message pane, then the key indicators.
constexpr UINT indicators[] = {0, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
const SECBtnMapEntry emptyButtonMap[] = {{}};
constexpr LPCTSTR WORKSPACE_KEY = _T("Software\\ZOL\\LumiterSAP\\v5.0");
constexpr LPCTSTR LOG_TIME_FORMAT = _T("%H:%M UTC  %a, %b %#d, %Y");
constexpr DWORD POST_RETRY_DELAY = 10;
constexpr int POST_RETRIES = 100;

// Deletes every object of a map under its mutex and empties it.
template <class TObject> void DeleteAll(CTypedPtrMap<CMapStringToPtr, CString, TObject*>& map, CMutex& mutex)
{
    CSingleLock lock(&mutex, TRUE);
    ForEachValue(map, [](TObject* pObject) { delete pObject; });
    map.RemoveAll();
}
} // namespace

CMainFrame::CMainFrame()
    : m_pZipArchive(nullptr), m_pToolBarManager(new SECToolBarManager(this, nullptr)),
      m_pMenuBar(new SECMDIMenuBar)
{
    SetControlBarManager(m_pToolBarManager);
    SetMenuBar(m_pMenuBar);
    SetMenuOptions(TRUE, 1);
}

CMainFrame::~CMainFrame()
{
    delete m_pToolBarManager;
    delete m_pMenuBar;
    delete m_pZipArchive;
    DeleteAllSystems();
    DeleteAllHosts();
    DeleteAllDatabases();
}

CMainFrame* CMainFrame::Get()
{
    return DYNAMIC_DOWNCAST(CMainFrame, AfxGetMainWnd());
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (SECWorkbookWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    SECToolBarManager& manager = *m_pToolBarManager;
    manager.LoadToolBarResource(IDR_MAINFRAME, IDR_MAINFRAME_LARGE);
    manager.SetButtonMap(emptyButtonMap);
    manager.DefineDefaultToolBar(ID_TOOLBAR_MAIN, _T("Main"), _countof(mainButtons), mainButtons, CBRS_ALIGN_ANY,
                                 AFX_IDW_DOCKBAR_TOP, 0, TRUE, TRUE);
    manager.EnableCoolLook(TRUE, COOL_LOOK_STYLE);

    if (!m_wndStatusBar.Create(this, STATUS_BAR_STYLE, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(indicators, _countof(indicators)))
        return -1;

    for (DWORD dwSide : {CBRS_ALIGN_TOP, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT, CBRS_ALIGN_BOTTOM})
        EnableDocking(dwSide, 0);
    if (!CreateDockedBar(m_wndLandscape, _T("SAP Landscape"), LANDSCAPE_BAR_STYLE, ID_VIEW_LANDSCAPE,
                         AFX_IDW_DOCKBAR_LEFT, 1.0f, 250, IDI_SYSTEM) ||
        !CreateDockedBar(m_wndOutput, _T("Output"), OUTPUT_BAR_STYLE, ID_VIEW_OUTPUT, AFX_IDW_DOCKBAR_BOTTOM, 0.75f,
                         200, IDI_OUTPUT))
        return -1;

    manager.SetMenuInfo(2, IDR_MAINFRAME, IDR_LUMITER5TYPE);
    SetWorkbookMode(TRUE);
    SetTabStyle(1);
    SetMaxTabWidth(SESSION_TAB_WIDTH);
    SetCaptionStyle(TRUE, TRUE);
    manager.CreateDefaultToolBars();
    // No command saves or loads a workspace yet.
    CreateWorkspaceManager(WORKSPACE_KEY, TRUE, RUNTIME_CLASS(SECWorkspaceManagerEx), FALSE);
    return 0;
}

BOOL CMainFrame::CreateDockedBar(SECControlBar& bar, LPCTSTR lpszTitle, DWORD dwStyle, UINT nID, UINT nDockBarID,
                                 float fPercent, int nLength, UINT nIcon)
{
    if (!bar.Create(this, lpszTitle, dwStyle, BAR_EX_STYLE, nID))
        return FALSE;
    bar.EnableDocking(CBRS_ALIGN_ANY);
    DockControlBarSized(&bar, nDockBarID, 0, 0, fPercent, nLength);
    bar.SetIcon(static_cast<HICON>(::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(nIcon), IMAGE_ICON, 16, 16,
                                               LR_SHARED)),
                FALSE);
    bar.SetAutoHide(TRUE);
    bar.AttachToAutoHideBar();
    SECControlBar::SetControlBarGlobalFlag(1);
    return TRUE;
}

void CMainFrame::WinHelp(DWORD_PTR, UINT)
{
}

void CMainFrame::Log(LPCTSTR lpszSource, LPCTSTR lpszText)
{
    const CString strTime = CTime::GetCurrentTime().FormatGmt(LOG_TIME_FORMAT);
    auto* pMessage = new CLumiter5Message(lpszSource, strTime, lpszText);
    if (m_wndOutput.m_hWnd == nullptr)
    {
        delete pMessage;
        return;
    }
    PostLogRecord(m_wndOutput.m_hWnd, pMessage);
}

BOOL CMainFrame::PostLogRecord(HWND hOutput, CLumiter5Message* pMessage)
{
    // The output window's own thread is the one that empties its queue: a full queue would
    // never drain while it waited here, so it hands the line over at once.
    if (::GetWindowThreadProcessId(hOutput, nullptr) == ::GetCurrentThreadId())
    {
        ::SendMessage(hOutput, WM_LUMITER5_MESSAGE, CSessionHost::categoryCollector,
                      reinterpret_cast<LPARAM>(pMessage));
        return TRUE;
    }
    for (int nTry = 0; nTry < POST_RETRIES; ++nTry)
    {
        if (::PostMessage(hOutput, WM_LUMITER5_MESSAGE, CSessionHost::categoryCollector,
                          reinterpret_cast<LPARAM>(pMessage)))
            return TRUE;
        ::Sleep(POST_RETRY_DELAY);
    }
    delete pMessage;
    return FALSE;
}

void CMainFrame::DeleteAllSystems()
{
    DeleteAll(m_mapSystems, m_mutexSystems);
}

void CMainFrame::DeleteAllHosts()
{
    DeleteAll(m_mapHosts, m_mutexHosts);
}

void CMainFrame::DeleteAllDatabases()
{
    DeleteAll(m_mapDatabases, m_mutexDatabases);
}

void CMainFrame::ToggleBar(CControlBar& bar)
{
    ShowBar(&bar, !bar.IsVisible(), TRUE);
}

void CMainFrame::OnViewLandscape()
{
    ToggleBar(m_wndLandscape);
}

void CMainFrame::OnUpdateViewLandscape(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_wndLandscape.IsVisible());
}

void CMainFrame::OnViewOutput()
{
    ToggleBar(m_wndOutput);
}

void CMainFrame::OnUpdateViewOutput(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_wndOutput.IsVisible());
}

void CMainFrame::OnProperties()
{
    CSessionPropertySheet sheet(this);
    sheet.DoModal();
}
