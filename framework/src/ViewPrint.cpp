// CView's printing: the print job's preparation, its page loop and the print preview.
#include <afxdlgs.h>
#include <afxpriv.h>
#include <afxres.h>

#include <algorithm>

void CView::OnPrepareDC(CDC*, CPrintInfo* pInfo)
{
    // A view that never said how many pages it has prints one.
    if (pInfo != nullptr)
        pInfo->m_bContinuePrinting = pInfo->GetMaxPage() != 0xFFFF || pInfo->m_nCurPage == 1;
}

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return DoPreparePrinting(pInfo);
}

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo)
{
    if (pInfo->m_pPrinterDC == nullptr)
        pInfo->m_pPrinterDC = AfxGetApp()->CreatePrintJobDC(pInfo);
    return pInfo->m_pPrinterDC != nullptr;
}

void CView::OnBeginPrinting(CDC*, CPrintInfo*)
{
}

void CView::OnPrint(CDC* pDC, CPrintInfo*)
{
    OnDraw(pDC);
}

void CView::OnEndPrinting(CDC*, CPrintInfo*)
{
}

namespace
{
// The page range to print, within the document's pages.
UINT ClampPage(UINT nPage, const CPrintInfo& info)
{
    return std::clamp(nPage, info.GetMinPage(), std::max(info.GetMinPage(), info.GetMaxPage()));
}

// The job's name: the document's title, else the view's window text.
CString JobTitle(CView& view)
{
    if (CDocument* pDoc = view.GetDocument(); pDoc != nullptr && !pDoc->GetTitle().IsEmpty())
        return pDoc->GetTitle();
    CString strTitle;
    view.GetWindowText(strTitle);
    return strTitle;
}

// Prints the pages of a started job; FALSE when the printer failed.
BOOL PrintPages(CView& view, CDC& dc, CPrintInfo& info)
{
    const UINT nFirst = ClampPage(info.GetFromPage(), info);
    const UINT nLast = ClampPage(info.GetToPage(), info);
    const int nStep = nLast >= nFirst ? 1 : -1;
    for (info.m_nCurPage = nFirst;; info.m_nCurPage += nStep)
    {
        view.OnPrepareDC(&dc, &info);
        if (!info.m_bContinuePrinting)
            return TRUE;
        info.m_rectDraw.SetRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
        dc.DPtoLP(&info.m_rectDraw);
        if (dc.StartPage() <= 0)
            return FALSE;
        // StartPage may reset the DC's mapping.
        view.OnPrepareDC(&dc, &info);
        view.OnPrint(&dc, &info);
        if (dc.EndPage() <= 0)
            return FALSE;
        if (info.m_nCurPage == nLast)
            return TRUE;
    }
}
} // namespace

void CView::OnFilePrint()
{
    CPrintInfo info;
    const MSG* pMsg = GetCurrentMessage();
    info.m_bDirect = pMsg != nullptr && pMsg->message == WM_COMMAND && LOWORD(pMsg->wParam) == ID_FILE_PRINT_DIRECT;
    if (!OnPreparePrinting(&info) || info.m_pPrinterDC == nullptr)
        return;
    CDC& dc = *info.m_pPrinterDC;
    dc.m_bPrinting = TRUE;
    OnBeginPrinting(&dc, &info);
    const CString strTitle = JobTitle(*this);
    DOCINFO docInfo = {};
    docInfo.cbSize = sizeof(docInfo);
    docInfo.lpszDocName = strTitle;
    if (dc.StartDoc(&docInfo) <= 0)
        AfxMessageBox(AFX_IDP_FAILED_TO_START_PRINT, MB_OK | MB_ICONEXCLAMATION);
    else if (PrintPages(*this, dc, info))
        dc.EndDoc();
    else
        dc.AbortDoc();
    OnEndPrinting(&dc, &info);
}

void CView::OnFilePrintPreview()
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame == nullptr)
        return;
    auto* pState = new CPrintPreviewState;
    if (!CPreviewView::DoPrintPreview(pFrame, this, pState))
        delete pState;
}

void CView::OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT, CPreviewView* pView)
{
    OnEndPrinting(pDC, pInfo);
    pView->ClosePreview();
}
