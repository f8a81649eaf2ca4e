// Print preview: a view that takes the printed view's place in its frame and shows one page at
// a time, scaled to fit, through a DC that measures on the printer and draws on the screen.
#pragma once

#include <vector>

// What the frame gives up while a preview takes its place, and gets back afterwards.
struct CPrintPreviewState
{
    UINT nIDMainPane = AFX_IDW_PANE_FIRST;
    HMENU hMenu = nullptr;
    CView* pViewActiveOld = nullptr;
    // The control bars that were shown.
    std::vector<HWND> hiddenBars;
};

// Answers queries from the printer (attribute DC) and draws on an output DC with the printer's
// page scaled by a ratio and moved to an origin: every mapping change on the printer side is
// mirrored, scaled, on the output side.
class CPreviewDC : public CDC
{
public:
    explicit CPreviewDC(CDC* pPrinterDC);
    // Neither DC belongs to this object.
    ~CPreviewDC() override;

    // Output to hDC with printer pixels scaled by nNum / nDen and the page's corner at ptOrigin;
    // NULL sends output to a scratch DC again.
    void SetOutput(HDC hDC, int nNum, int nDen, CPoint ptOrigin);

    int GetDeviceCaps(int nIndex) const override;
    int SetMapMode(int nMapMode) override;
    CPoint SetViewportOrg(int x, int y) override;
    CPoint OffsetViewportOrg(int nWidth, int nHeight) override;
    CSize SetViewportExt(int cx, int cy) override;
    CSize ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom) override;
    CSize SetWindowExt(int cx, int cy) override;
    CSize ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom) override;
    BOOL RestoreDC(int nSavedDC) override;

private:
    void MirrorMapping();

    CDC* m_pPrinterDC;
    CDC m_scratchDC;
    int m_nNum = 1;
    int m_nDen = 1;
    CPoint m_ptOrigin;
};

class CPreviewView : public CView
{
    DECLARE_DYNAMIC(CPreviewView)
public:
    CPreviewView();
    ~CPreviewView() override;

    // Puts a preview of pPrintView in the frame: the frame enters preview mode, the printed
    // view hides and the preview becomes the active view. FALSE (the frame as it was) when
    // the view cannot be printed; the state belongs to the preview once it succeeds.
    static BOOL PASCAL DoPrintPreview(CFrameWnd* pFrame, CView* pPrintView, CPrintPreviewState* pState);

    // The page shown, from the print information's first page.
    UINT GetCurrentPage() const
    {
        return m_nCurrentPage;
    }
    // Shows the page when the document has it; FALSE otherwise.
    BOOL SetCurrentPage(UINT nPage);
    // The frame back as it was, the printed view active again; destroys this view.
    void ClosePreview();

    void OnDraw(CDC* pDC) override;

protected:
    // The preview never prints itself or joins a document.
    BOOL SetPrintView(CView* pPrintView);
    BOOL HasPage(UINT nPage);
    void UpdateControls();
    // Where the page goes in the client area, below the button strip.
    CRect PageRect() const;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPreviewPrint();
    afx_msg void OnNextPage();
    afx_msg void OnPrevPage();
    afx_msg void OnPreviewClose();
    DECLARE_MESSAGE_MAP()

private:
    CView* m_pPrintView = nullptr;
    CPrintPreviewState* m_pPreviewState = nullptr;
    CPrintInfo* m_pPreviewInfo = nullptr;
    CPreviewDC* m_pPreviewDC = nullptr;
    UINT m_nCurrentPage = 1;
    int m_nStripHeight = 0;
};
