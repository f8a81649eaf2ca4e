// Documents of dockable templates in their three forms, for pictures of a real window
// (scripts/screenshot documents): an MDI frame without menu bar holding a sheet as MDI child
// with its diamond button, a log docked at the left, another sheet floating and a dialog bar
// at the bottom. With "menu" the docked log's diamond drops its menu of forms. Not a test.
#include <toolkit/frames/DialogBar.h>
#include <toolkit/frames/DockableFrame.h>
#include <toolkit/frames/MDIChildWnd.h>
#include <toolkit/frames/MDIFrameWnd.h>
#include <toolkit/frames/MultiDocTemplate.h>
#include <toolkit/frames/SysCommandEx.h>

#include <afxwin.h>

namespace
{
using tarnwick::frames::SECCaptionControlMsgFilter;
using tarnwick::frames::SECDialogBar;
using tarnwick::frames::SECDockableFrame;
using tarnwick::frames::SECMDIChildWnd;
using tarnwick::frames::SECMDIFrameWnd;
using tarnwick::frames::SECMultiDocTemplate;
using tarnwick::frames::nsSysCommandEx::FILTER_CHILD_BUTTON;
using tarnwick::frames::nsSysCommandEx::STATE_FLOATING;
using tarnwick::frames::nsSysCommandEx::STATE_LEFT;
using tarnwick::frames::nsSysCommandEx::SysCommandExRecord;
using tarnwick::frames::nsSysCommandEx::SCX_EXECUTE;
using tarnwick::frames::nsSysCommandEx::SCX_POSITION;
using tarnwick::frames::nsSysCommandEx::SCX_SIZE;
using tarnwick::frames::nsSysCommandEx::SendSysCommandExMessage;

constexpr UINT IDR_MAINFRAME = 128;
constexpr UINT IDR_SHEETTYPE = 130;
constexpr UINT IDR_LOGTYPE = 131;
constexpr UINT IDD_FILTERBAR = 140;
constexpr UINT ID_FILTERBAR = 0xE8F0;
constexpr UINT ID_APPLY = 1002;
constexpr UINT ID_DROP_MENU = 0x8301;

class CSheetDoc : public CDocument
{
    DECLARE_DYNCREATE(CSheetDoc)
};
IMPLEMENT_DYNCREATE(CSheetDoc, CDocument)

class CLogDoc : public CDocument
{
    DECLARE_DYNCREATE(CLogDoc)
};
IMPLEMENT_DYNCREATE(CLogDoc, CDocument)

// A few lines of the document's kind on a white page.
class CTextView : public CView
{
    DECLARE_DYNCREATE(CTextView)
public:
    void OnDraw(CDC* pDC) override
    {
        CRect rect;
        GetClientRect(&rect);
        pDC->FillSolidRect(&rect, RGB(255, 255, 255));
        pDC->SetBkMode(TRANSPARENT);
        CFont* pOld = pDC->SelectObject(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))));
        const BOOL bLog = GetDocument()->IsKindOf(RUNTIME_CLASS(CLogDoc));
        for (int i = 0; i < 12; ++i)
        {
            CString strLine;
            if (bLog)
                strLine.Format(_T("12:0%d:%02d  PRD %d answered"), i / 6, i * 5, i % 3 + 1);
            else
                strLine.Format(_T("Row %2d    %6d    %6d"), i + 1, 1200 + i * 37, 880 - i * 13);
            pDC->TextOut(6, 4 + i * 16, strLine);
        }
        pDC->SelectObject(pOld);
    }
};
IMPLEMENT_DYNCREATE(CTextView, CView)

class CMainFrame : public SECMDIFrameWnd
{
public:
    SECDialogBar m_wndFilter;

    // The docked log's diamond, pressed with the right button: its menu drops.
    void DropDockedMenu()
    {
        CFrameWnd* pDocked = GetActiveDockedFrame();
        auto* pFrame = DYNAMIC_DOWNCAST(SECDockableFrame, pDocked);
        auto* pButton = pFrame != nullptr ? static_cast<SECCaptionControlMsgFilter*>(
                                                pFrame->GetMsgFilter().FindFilter(FILTER_CHILD_BUTTON, nullptr, -1))
                                          : nullptr;
        if (pButton == nullptr)
            return;
        CRect rectWindow;
        pFrame->GetWindowRect(&rectWindow);
        const CPoint point = pButton->GetButtonRect().CenterPoint() + rectWindow.TopLeft();
        pFrame->SendMessage(WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
    }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (SECMDIFrameWnd::OnCreate(lpCreateStruct) == -1)
            return -1;
        EnableDocking(CBRS_ALIGN_ANY);
        if (!m_wndFilter.Create(this, IDD_FILTERBAR, WS_VISIBLE | CBRS_BOTTOM, 0, ID_FILTERBAR))
            return -1;
        m_wndFilter.EnableDocking(CBRS_ALIGN_ANY);
        DockControlBarSized(&m_wndFilter, AFX_IDW_DOCKBAR_BOTTOM, 0, 0, 1.0f, 40);
        return 0;
    }
    afx_msg void OnApply()
    {
    }
    afx_msg void OnDropMenu()
    {
        DropDockedMenu();
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CMainFrame, SECMDIFrameWnd)
ON_WM_CREATE()
ON_COMMAND(ID_APPLY, OnApply)
ON_COMMAND(ID_DROP_MENU, OnDropMenu)
END_MESSAGE_MAP()

// Asks the window's filters to take it to the state, at the screen rectangle when one is given.
void GoTo(CFrameWnd* pFrame, int nState, const CRect& rect = CRect(0, 0, 0, 0))
{
    SysCommandExRecord record{};
    record.hWnd = pFrame->m_hWnd;
    record.nCommand = nState;
    if (!rect.IsRectNull())
    {
        record.dwFlags = SCX_POSITION | SCX_SIZE;
        record.x = rect.left;
        record.y = rect.top;
        record.cx = rect.Width();
        record.cy = rect.Height();
    }
    SendSysCommandExMessage(SCX_EXECUTE, record);
}

CFrameWnd* FrameOf(CDocument* pDoc)
{
    POSITION pos = pDoc->GetFirstViewPosition();
    return pos != nullptr ? pDoc->GetNextView(pos)->GetParentFrame() : nullptr;
}

class CDemoApp : public CWinApp
{
public:
    CDemoApp() : CWinApp(_T("Documents"))
    {
    }
    BOOL InitInstance() override
    {
        auto* pSheets = new SECMultiDocTemplate(IDR_SHEETTYPE, RUNTIME_CLASS(CSheetDoc), RUNTIME_CLASS(SECMDIChildWnd),
                                                RUNTIME_CLASS(CTextView));
        auto* pLogs = new SECMultiDocTemplate(IDR_LOGTYPE, RUNTIME_CLASS(CLogDoc), RUNTIME_CLASS(SECMDIChildWnd),
                                              RUNTIME_CLASS(CTextView));
        AddDocTemplate(pSheets);
        AddDocTemplate(pLogs);
        auto* pFrame = new CMainFrame;
        if (!pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE))
        {
            delete pFrame;
            return FALSE;
        }
        m_pMainWnd = pFrame;
        pFrame->MoveWindow(20, 20, 760, 560);
        pFrame->ShowWindow(SW_SHOW);

        // A log docked at the left and a sheet as MDI child.
        if (CDocument* pLog = pLogs->OpenDocumentFile(nullptr))
            GoTo(FrameOf(pLog), STATE_LEFT);
        if (CDocument* pSheet = pSheets->OpenDocumentFile(nullptr))
            FrameOf(pSheet)->MoveWindow(10, 10, 340, 260);
        // A sheet floating over the lower right of the client area, opened and floated hidden:
        // the bar's size is given, its floating frame adds the caption and borders.
        if (CDocument* pFloating = pSheets->OpenDockedDocumentFile(nullptr, FALSE, FALSE, 0))
        {
            CFrameWnd* pDocked = FrameOf(pFloating);
            GoTo(pDocked, STATE_FLOATING, CRect(CPoint(430, 276), CSize(300, 230)));
            m_pFloatingBar = static_cast<SECDockableFrame*>(pDocked)->GetParentBar();
        }
        // The docked log is the active document.
        POSITION pos = pLogs->GetFirstDocPosition();
        if (pos != nullptr)
            pFrame->SetActiveDockedFrame(FrameOf(pLogs->GetNextDoc(pos)), TRUE);
        pFrame->RecalcLayout();
        pFrame->UpdateWindow();
        return TRUE;
    }

    // Once start-up has settled, the floating sheet shows and, when asked, the docked log's menu
    // drops. Not before: on an X display without a window manager, Wine raises the main frame's
    // X window over the windows it owns when it handles the frame's mapping (the first time
    // the message loop waits) and whenever the focus moves into the frame.
    BOOL OnIdle(LONG lCount) override
    {
        auto* pFrame = static_cast<CMainFrame*>(m_pMainWnd);
        if (m_bStarting && pFrame != nullptr)
        {
            m_bStarting = FALSE;
            if (m_pFloatingBar != nullptr)
                pFrame->ShowBar(m_pFloatingBar, TRUE, FALSE);
            if (CString(m_lpCmdLine).Find(_T("menu")) >= 0)
                pFrame->PostMessage(WM_COMMAND, ID_DROP_MENU);
        }
        return CWinApp::OnIdle(lCount);
    }

private:
    CControlBar* m_pFloatingBar = nullptr;
    BOOL m_bStarting = TRUE;
};

CDemoApp theApp;
} // namespace
