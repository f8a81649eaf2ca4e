// An MDI frame with a menu and one child window whose view draws a few shapes and a line of
// text.
#include <afxwin.h>

namespace
{
constexpr UINT IDR_MAINFRAME = 100;
constexpr UINT IDR_SHEETTYPE = 101;

class CDemoDoc : public CDocument
{
    DECLARE_DYNCREATE(CDemoDoc)
};

class CDemoView : public CView
{
    DECLARE_DYNCREATE(CDemoView)
protected:
    void OnDraw(CDC* pDC) override
    {
        CRect rect;
        GetClientRect(&rect);
        pDC->FillSolidRect(rect, RGB(255, 255, 255));
        pDC->FillSolidRect(CRect(20, 20, 140, 80), RGB(30, 90, 200));
        pDC->FillSolidRect(CRect(160, 20, 280, 80), RGB(220, 60, 40));
        pDC->SetBkMode(TRANSPARENT);
        pDC->TextOut(20, 100, CString(_T("A child window of the frame")));
    }
};

class CDemoFrame : public CMDIFrameWnd
{
    DECLARE_DYNCREATE(CDemoFrame)
};

class CDemoApp : public CWinApp
{
public:
    BOOL InitInstance() override
    {
        AddDocTemplate(new CMultiDocTemplate(IDR_SHEETTYPE, RUNTIME_CLASS(CDemoDoc), RUNTIME_CLASS(CMDIChildWnd),
                                             RUNTIME_CLASS(CDemoView)));
        auto* pFrame = new CDemoFrame;
        if (!pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE))
        {
            delete pFrame;
            return FALSE;
        }
        m_pMainWnd = pFrame;
        OnFileNew();
        pFrame->MoveWindow(40, 40, 640, 420);
        pFrame->ShowWindow(SW_SHOW);
        pFrame->UpdateWindow();
        return TRUE;
    }
};

IMPLEMENT_DYNCREATE(CDemoDoc, CDocument)
IMPLEMENT_DYNCREATE(CDemoView, CView)
IMPLEMENT_DYNCREATE(CDemoFrame, CMDIFrameWnd)

CDemoApp theApp;
} // namespace
