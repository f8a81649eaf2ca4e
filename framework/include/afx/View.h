// Views: the child window of a frame that shows a document. A view draws through OnDraw,
// hears of document changes through OnUpdate and takes commands before its document.
#pragma once

class CDocument;
class CFrameWnd;
class CPreviewView;
struct CPrintInfo;

class CView : public CWnd
{
    DECLARE_DYNAMIC(CView)
public:
    CView();
    // Leaves its document's list of views.
    ~CView() override;

    CDocument* GetDocument() const;

    // Draws the view; OnPaint calls it with OnPrepareDC's device context.
    virtual void OnDraw(CDC* pDC) = 0;
    // Before each page of a print job too: there the default ends the job after page 1 unless
    // a maximum page was set.
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
    // After the view joins its document (WM_INITIALUPDATE): OnUpdate(NULL, 0, NULL).
    virtual void OnInitialUpdate();
    // The document changed: the default repaints the whole view.
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    // The frame made this view active or inactive; the active view takes the focus.
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    // The frame showing this view was activated or deactivated (a WA_ value); the default does
    // nothing.
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pDeactivateFrame);

    // Printing and preview. OnPreparePrinting sets the pages and the dialog's flags and answers
    // DoPreparePrinting, which gets the job's printer DC from the application (the print dialog
    // unless the job is direct or a preview); FALSE ends the command without printing.
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    BOOL DoPreparePrinting(CPrintInfo* pInfo);
    // Once before the first page; OnEndPrinting comes after every OnBeginPrinting.
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    // One page: the default draws it with OnDraw.
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    // The preview closes: OnEndPrinting, the frame out of preview mode, this view back.
    virtual void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pView);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // This view's map, then its document's routing.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    CDocument* m_pDocument;

protected:
    // Views are made with new by their frame: the object goes with its window.
    void PostNcDestroy() override;

    // Joins the creation context's document.
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    // Leaves the frame's active view.
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    // A click makes the view the frame's active one.
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnInitialUpdateMessage(WPARAM wParam, LPARAM lParam);
    // ID_FILE_PRINT and ID_FILE_PRINT_DIRECT: StartDoc, the pages from the first to the last
    // or until OnPrepareDC clears the continue flag, each between StartPage and EndPage, then
    // EndDoc; AbortDoc when the printer fails.
    afx_msg void OnFilePrint();
    // ID_FILE_PRINT_PREVIEW: a preview view takes this view's place in its frame, whose bars
    // hide meanwhile.
    afx_msg void OnFilePrintPreview();

    DECLARE_MESSAGE_MAP()
};
