// The application's main window as its frame builds it: a workbook with the landscape bar on the
// left, the output bar at the bottom and two session sheets as tabs. The bars hold stand-in
// contents.
#include <toolkit/foundation/VisualStyle.h>
#include <toolkit/frames/ControlBar.h>
#include <toolkit/frames/WorkbookWnd.h>
#include <toolkit/frames/WorksheetWnd.h>
#include <toolkit/workspace/WorkspaceManagerEx.h>

#include <afxwin.h>

namespace
{
using tarnwick::frames::SECControlBar;
using tarnwick::frames::SECWorkbookWnd;
using tarnwick::frames::SECWorksheetWnd;
using tarnwick::workspace::SECWorkspaceManagerEx;

constexpr UINT IDR_MAINFRAME = 128;
constexpr UINT IDR_SESSIONTYPE = 130;
constexpr UINT ID_VIEW_LANDSCAPE = 32775;
constexpr UINT ID_VIEW_OUTPUT = 32776;
constexpr UINT ID_VIEW_WORKBOOK = 32777;
constexpr DWORD BAR_EX_STYLE = 0x10F31;

// A docking bar whose one child fills the area inside its gripper and margins.
class CDemoBar : public SECControlBar
{
public:
    BOOL Create(CWnd* pParent, LPCTSTR lpszTitle, DWORD dwStyle, UINT nID, LPCTSTR lpszContents)
    {
        if (!SECControlBar::Create(pParent, lpszTitle, dwStyle, BAR_EX_STYLE, nID))
            return FALSE;
        return m_wndContents.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY, CRect(0, 0, 0, 0), this, 1) &&
               (m_wndContents.SetWindowText(lpszContents), TRUE);
    }

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        SECControlBar::OnSize(nType, cx, cy);
        if (m_wndContents.m_hWnd == nullptr)
            return;
        CRect rect;
        GetInsideRect(rect);
        m_wndContents.MoveWindow(rect);
    }
    DECLARE_MESSAGE_MAP()

private:
    CEdit m_wndContents;
};
BEGIN_MESSAGE_MAP(CDemoBar, SECControlBar)
ON_WM_SIZE()
END_MESSAGE_MAP()

class CSessionDoc : public CDocument
{
    DECLARE_DYNCREATE(CSessionDoc)
};
IMPLEMENT_DYNCREATE(CSessionDoc, CDocument)

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
    {
        SetMenuOptions(1, 1);
    }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (SECWorkbookWnd::OnCreate(lpCreateStruct) == -1)
            return -1;
        for (DWORD dwSide : {CBRS_ALIGN_TOP, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT, CBRS_ALIGN_BOTTOM})
            EnableDocking(dwSide, 0);
        if (!m_wndLandscape.Create(this, _T("SAP Landscape"), 0x10001404, ID_VIEW_LANDSCAPE,
                                   _T("System\r\n  PRD  (production)\r\n  QAS  (quality)\r\n  DEV  (development)")))
            return -1;
        m_wndLandscape.EnableDocking(CBRS_ALIGN_ANY);
        DockControlBarSized(&m_wndLandscape, AFX_IDW_DOCKBAR_LEFT, 0, 0, 1.0f, 250);
        m_wndLandscape.SetAutoHide(TRUE);
        m_wndLandscape.AttachToAutoHideBar();
        SECControlBar::SetControlBarGlobalFlag(1);
        if (!m_wndOutput.Create(this, _T("Output"), 0x10008204, ID_VIEW_OUTPUT,
                                _T("07:00 UTC  Lumiter5 : Session started.\r\n07:01 UTC  PRD : Logged on to ")
                                _T("client 100.\r\n07:01 UTC  PRD : 3 instances, 2 hosts, 1 database.")))
            return -1;
        m_wndOutput.EnableDocking(CBRS_ALIGN_ANY);
        DockControlBarSized(&m_wndOutput, AFX_IDW_DOCKBAR_BOTTOM, 0, 0, 0.75f, 200);
        m_wndOutput.SetAutoHide(TRUE);
        m_wndOutput.AttachToAutoHideBar();
        SECControlBar::SetControlBarGlobalFlag(1);
        SetWorkbookMode(TRUE);
        SetTabStyle(1);
        SetCaptionStyle(TRUE, TRUE);
        CreateWorkspaceManager(_T("Software\\ZOL\\LumiterSAP\\v5.0"), TRUE, RUNTIME_CLASS(SECWorkspaceManagerEx),
                               FALSE);
        return 0;
    }
    DECLARE_MESSAGE_MAP()

private:
    CDemoBar m_wndLandscape;
    CDemoBar m_wndOutput;
};
IMPLEMENT_DYNCREATE(CMainFrame, SECWorkbookWnd)
BEGIN_MESSAGE_MAP(CMainFrame, SECWorkbookWnd)
ON_WM_CREATE()
ON_COMMAND(ID_VIEW_WORKBOOK, OnWorkbookMode)
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
        auto* pFrame = new CMainFrame;
        if (!pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE))
        {
            delete pFrame;
            return FALSE;
        }
        m_pMainWnd = pFrame;
        OnFileNew();
        OnFileNew();
        pFrame->MoveWindow(20, 20, 760, 560);
        pFrame->ShowWindow(SW_SHOW);
        pFrame->UpdateWindow();
        return TRUE;
    }
};

CDemoApp theApp;
} // namespace
