// A frame with the Workspace Manager dialog open in save mode over it: three stored
// workspaces, the active one selected, and the empty item for a new name.
#include <afxwin.h>

#include <toolkit/foundation/ToolkitRes.h>
#include <toolkit/workspace/WsMgrDialog.h>

using tarnwick::workspace::SECWsMgrDialogEx;

namespace
{
constexpr UINT_PTR SHOW_TIMER = 1;

class CDemoFrame : public CFrameWnd
{
public:
    CDemoFrame()
    {
        for (LPCTSTR name : {_T("Daily Monitoring"), _T("Month End Close"), _T("Landscape Review")})
        {
            m_mru.AddTail(name);
            m_edited.AddTail(name);
        }
        m_current = _T("Month End Close");
        Create(nullptr, _T("Lumiter - Workspaces"), WS_OVERLAPPEDWINDOW, CRect(20, 20, 780, 560));
    }
    ~CDemoFrame() override
    {
        delete m_pDialog;
    }

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
            return -1;
        SetTimer(SHOW_TIMER, 300, nullptr);
        return 0;
    }
    // Once the frame shows: the dialog, centred over it, with the active workspace selected.
    void OnTimer(UINT_PTR nIDEvent)
    {
        if (nIDEvent != SHOW_TIMER)
            return;
        KillTimer(SHOW_TIMER);
        m_pDialog = new SECWsMgrDialogEx(m_mru, m_edited, m_deleted, &m_current, FALSE, TRUE, this);
        if (!m_pDialog->Create(IDD_SEC_WORKSPACE, this))
            return;
        m_pDialog->CenterWindow(this);
        auto* pList = static_cast<CListBox*>(m_pDialog->GetDlgItem(IDC_SEC_WS_LIST));
        pList->SetCurSel(pList->FindStringExact(-1, m_current));
        m_pDialog->ShowWindow(SW_SHOW);
        pList->SetFocus();
    }
    DECLARE_MESSAGE_MAP()

private:
    CStringList m_mru, m_edited, m_deleted;
    CString m_current;
    SECWsMgrDialogEx* m_pDialog = nullptr;
};

BEGIN_MESSAGE_MAP(CDemoFrame, CFrameWnd)
ON_WM_CREATE()
ON_WM_TIMER()
END_MESSAGE_MAP()

class CDemoApp : public CWinApp
{
public:
    CDemoApp() : CWinApp(_T("Workspaces"))
    {
    }
    BOOL InitInstance() override
    {
        auto* pFrame = new CDemoFrame;
        m_pMainWnd = pFrame;
        pFrame->ShowWindow(SW_SHOW);
        pFrame->UpdateWindow();
        return TRUE;
    }
};

CDemoApp theApp;
} // namespace
