// Print preview: the preview DC, the preview view with its page and buttons, and the frame's
// preview mode.
#include <afxdlgs.h>
#include <afxpriv.h>
#include <afxres.h>

#include <algorithm>

// The preview DC

CPreviewDC::CPreviewDC(CDC* pPrinterDC) : m_pPrinterDC(pPrinterDC)
{
    m_bPrinting = TRUE;
    m_scratchDC.CreateCompatibleDC(nullptr);
    SetAttribDC(pPrinterDC->m_hAttribDC);
    SetOutputDC(m_scratchDC.m_hDC);
}

CPreviewDC::~CPreviewDC()
{
    ReleaseAttribDC();
    ReleaseOutputDC();
}

void CPreviewDC::SetOutput(HDC hDC, int nNum, int nDen, CPoint ptOrigin)
{
    SetOutputDC(hDC != nullptr ? hDC : m_scratchDC.m_hDC);
    m_nNum = std::max(nNum, 1);
    m_nDen = std::max(nDen, 1);
    m_ptOrigin = ptOrigin;
    // The output gets the printer side's font and colours as well as its mapping.
    ::SelectObject(m_hDC, ::GetCurrentObject(m_hAttribDC, OBJ_FONT));
    ::SetTextColor(m_hDC, ::GetTextColor(m_hAttribDC));
    ::SetBkColor(m_hDC, ::GetBkColor(m_hAttribDC));
    ::SetBkMode(m_hDC, ::GetBkMode(m_hAttribDC));
    MirrorMapping();
}

void CPreviewDC::MirrorMapping()
{
    // Printer pixels become output pixels by nNum / nDen: the window side stays, the viewport
    // side is scaled, both multiplied up so that the ratio survives integer extents.
    SIZE windowExt, viewportExt;
    POINT windowOrg, viewportOrg;
    ::GetWindowExtEx(m_hAttribDC, &windowExt);
    ::GetViewportExtEx(m_hAttribDC, &viewportExt);
    ::GetWindowOrgEx(m_hAttribDC, &windowOrg);
    ::GetViewportOrgEx(m_hAttribDC, &viewportOrg);
    ::SetMapMode(m_hDC, MM_ANISOTROPIC);
    ::SetWindowExtEx(m_hDC, windowExt.cx * m_nDen, windowExt.cy * m_nDen, nullptr);
    ::SetViewportExtEx(m_hDC, viewportExt.cx * m_nNum, viewportExt.cy * m_nNum, nullptr);
    ::SetWindowOrgEx(m_hDC, windowOrg.x, windowOrg.y, nullptr);
    ::SetViewportOrgEx(m_hDC, m_ptOrigin.x + ::MulDiv(viewportOrg.x, m_nNum, m_nDen),
                       m_ptOrigin.y + ::MulDiv(viewportOrg.y, m_nNum, m_nDen), nullptr);
}

int CPreviewDC::GetDeviceCaps(int nIndex) const
{
    return m_pPrinterDC->GetDeviceCaps(nIndex);
}

int CPreviewDC::SetMapMode(int nMapMode)
{
    const int nOld = CDC::SetMapMode(nMapMode);
    MirrorMapping();
    return nOld;
}

CPoint CPreviewDC::SetViewportOrg(int x, int y)
{
    const CPoint ptOld = CDC::SetViewportOrg(x, y);
    MirrorMapping();
    return ptOld;
}

CPoint CPreviewDC::OffsetViewportOrg(int nWidth, int nHeight)
{
    const CPoint ptOld = CDC::OffsetViewportOrg(nWidth, nHeight);
    MirrorMapping();
    return ptOld;
}

CSize CPreviewDC::SetViewportExt(int cx, int cy)
{
    const CSize sizeOld = CDC::SetViewportExt(cx, cy);
    MirrorMapping();
    return sizeOld;
}

CSize CPreviewDC::ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom)
{
    const CSize sizeOld = CDC::ScaleViewportExt(xNum, xDenom, yNum, yDenom);
    MirrorMapping();
    return sizeOld;
}

CSize CPreviewDC::SetWindowExt(int cx, int cy)
{
    const CSize sizeOld = CDC::SetWindowExt(cx, cy);
    MirrorMapping();
    return sizeOld;
}

CSize CPreviewDC::ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom)
{
    const CSize sizeOld = CDC::ScaleWindowExt(xNum, xDenom, yNum, yDenom);
    MirrorMapping();
    return sizeOld;
}

BOOL CPreviewDC::RestoreDC(int nSavedDC)
{
    const BOOL bResult = CDC::RestoreDC(nSavedDC);
    MirrorMapping();
    return bResult;
}

// The preview view

IMPLEMENT_DYNAMIC(CPreviewView, CView)

BEGIN_MESSAGE_MAP(CPreviewView, CView)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_ERASEBKGND()
ON_COMMAND(AFX_ID_PREVIEW_PRINT, OnPreviewPrint)
ON_COMMAND(AFX_ID_PREVIEW_NEXT, OnNextPage)
ON_COMMAND(AFX_ID_PREVIEW_PREV, OnPrevPage)
ON_COMMAND(AFX_ID_PREVIEW_CLOSE, OnPreviewClose)
END_MESSAGE_MAP()

namespace
{
// The strip's buttons, left to right; the page number follows them.
constexpr UINT PreviewButtons[] = {AFX_ID_PREVIEW_PRINT, AFX_ID_PREVIEW_NEXT, AFX_ID_PREVIEW_PREV,
                                   AFX_ID_PREVIEW_CLOSE};
constexpr UINT IDC_PREVIEW_PAGE = AFX_IDS_PREVIEW_PAGE;
constexpr int ButtonWidth = 90;
constexpr int StripGap = 4;
// Space round the page, and the page's shadow.
constexpr int PageMargin = 8;
constexpr int ShadowWidth = 3;
} // namespace

CPreviewView::CPreviewView() = default;

CPreviewView::~CPreviewView()
{
    delete m_pPreviewDC;
    delete m_pPreviewInfo;
    delete m_pPreviewState;
}

BOOL PASCAL CPreviewView::DoPrintPreview(CFrameWnd* pFrame, CView* pPrintView, CPrintPreviewState* pState)
{
    CWnd* pMainPane = pFrame->GetDlgItem(AFX_IDW_PANE_FIRST);
    pState->pViewActiveOld = pFrame->GetActiveView();
    pFrame->OnSetPreviewMode(TRUE, pState);
    if (pMainPane != nullptr)
    {
        pState->nIDMainPane = pMainPane->GetDlgCtrlID();
        pMainPane->ShowWindow(SW_HIDE);
        pMainPane->SetDlgCtrlID(AFX_IDW_PANE_SAVE);
    }
    CRect rect;
    pFrame->GetClientRect(&rect);
    // A view that fails to be created deletes itself.
    auto* pView = new CPreviewView;
    BOOL bDone = pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, rect, pFrame, AFX_IDW_PANE_FIRST, nullptr);
    if (bDone && !pView->SetPrintView(pPrintView))
    {
        pView->DestroyWindow();
        bDone = FALSE;
    }
    if (bDone)
    {
        pView->m_pPreviewState = pState;
        pFrame->SetActiveView(pView);
        pFrame->RecalcLayout();
        pView->UpdateControls();
        return TRUE;
    }
    if (pMainPane != nullptr)
    {
        pMainPane->SetDlgCtrlID(pState->nIDMainPane);
        pMainPane->ShowWindow(SW_SHOW);
    }
    pFrame->OnSetPreviewMode(FALSE, pState);
    return FALSE;
}

BOOL CPreviewView::SetPrintView(CView* pPrintView)
{
    m_pPrintView = pPrintView;
    m_pPreviewInfo = new CPrintInfo;
    m_pPreviewInfo->m_bPreview = TRUE;
    if (!pPrintView->OnPreparePrinting(m_pPreviewInfo) || m_pPreviewInfo->m_pPrinterDC == nullptr)
        return FALSE;
    m_pPreviewInfo->m_pPrinterDC->m_bPrinting = TRUE;
    m_pPreviewDC = new CPreviewDC(m_pPreviewInfo->m_pPrinterDC);
    pPrintView->OnBeginPrinting(m_pPreviewDC, m_pPreviewInfo);
    m_nCurrentPage = m_pPreviewInfo->GetMinPage();
    return TRUE;
}

int CPreviewView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    auto* pFont = CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
    CClientDC dc(this);
    CFont* pOldFont = dc.SelectObject(pFont);
    TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    dc.SelectObject(pOldFont);
    m_nStripHeight = tm.tmHeight + 4 * StripGap;
    const int nButtonHeight = m_nStripHeight - 2 * StripGap;
    int x = StripGap;
    for (UINT nID : PreviewButtons)
    {
        CString strText;
        strText.LoadString(nID);
        HWND hButton = ::CreateWindowEx(0, _T("BUTTON"), strText, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, x, StripGap,
                                        ButtonWidth, nButtonHeight, m_hWnd, reinterpret_cast<HMENU>(UINT_PTR{nID}),
                                        AfxGetInstanceHandle(), nullptr);
        ::SendMessage(hButton, WM_SETFONT, reinterpret_cast<WPARAM>(pFont->GetSafeHandle()), FALSE);
        x += ButtonWidth + StripGap;
    }
    HWND hPage = ::CreateWindowEx(0, _T("STATIC"), nullptr, WS_CHILD | WS_VISIBLE | SS_LEFT, x + StripGap,
                                  2 * StripGap, 2 * ButtonWidth, nButtonHeight,
                                  m_hWnd, reinterpret_cast<HMENU>(UINT_PTR{IDC_PREVIEW_PAGE}), AfxGetInstanceHandle(),
                                  nullptr);
    ::SendMessage(hPage, WM_SETFONT, reinterpret_cast<WPARAM>(pFont->GetSafeHandle()), FALSE);
    return 0;
}

BOOL CPreviewView::HasPage(UINT nPage)
{
    if (nPage < m_pPreviewInfo->GetMinPage() || nPage > m_pPreviewInfo->GetMaxPage())
        return FALSE;
    // The printed view says through its continue flag whether the page exists.
    const UINT nOldPage = m_pPreviewInfo->m_nCurPage;
    m_pPreviewInfo->m_nCurPage = nPage;
    m_pPreviewInfo->m_bContinuePrinting = TRUE;
    m_pPrintView->OnPrepareDC(m_pPreviewDC, m_pPreviewInfo);
    const BOOL bHas = m_pPreviewInfo->m_bContinuePrinting;
    m_pPreviewInfo->m_nCurPage = nOldPage;
    return bHas;
}

BOOL CPreviewView::SetCurrentPage(UINT nPage)
{
    if (!HasPage(nPage))
        return FALSE;
    m_nCurrentPage = nPage;
    UpdateControls();
    Invalidate();
    return TRUE;
}

void CPreviewView::UpdateControls()
{
    if (m_pPreviewInfo == nullptr)
        return;
    ::EnableWindow(::GetDlgItem(m_hWnd, AFX_ID_PREVIEW_NEXT), HasPage(m_nCurrentPage + 1));
    ::EnableWindow(::GetDlgItem(m_hWnd, AFX_ID_PREVIEW_PREV), m_nCurrentPage > 1 && HasPage(m_nCurrentPage - 1));
    CString strFormat, strPage;
    strFormat.LoadString(AFX_IDS_PREVIEW_PAGE);
    strPage.Format(strFormat, m_nCurrentPage);
    ::SetDlgItemText(m_hWnd, IDC_PREVIEW_PAGE, strPage);
}

CRect CPreviewView::PageRect() const
{
    CRect rectClient;
    GetClientRect(&rectClient);
    rectClient.top += m_nStripHeight;
    rectClient.DeflateRect(PageMargin, PageMargin);
    const int nPageWidth = std::max(m_pPreviewDC->GetDeviceCaps(HORZRES), 1);
    const int nPageHeight = std::max(m_pPreviewDC->GetDeviceCaps(VERTRES), 1);
    // The largest page of the printer's proportions that fits.
    int cx = rectClient.Width();
    int cy = ::MulDiv(cx, nPageHeight, nPageWidth);
    if (cy > rectClient.Height())
    {
        cy = rectClient.Height();
        cx = ::MulDiv(cy, nPageWidth, nPageHeight);
    }
    const CPoint ptCorner(rectClient.left + (rectClient.Width() - cx) / 2, rectClient.top);
    return CRect(ptCorner, CSize(std::max(cx, 0), std::max(cy, 0)));
}

BOOL CPreviewView::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CPreviewView::OnDraw(CDC* pDC)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    rectClient.top += m_nStripHeight;
    pDC->FillSolidRect(rectClient, ::GetSysColor(COLOR_APPWORKSPACE));
    CRect rectStrip;
    GetClientRect(&rectStrip);
    rectStrip.bottom = rectStrip.top + m_nStripHeight;
    pDC->FillSolidRect(rectStrip, ::GetSysColor(COLOR_3DFACE));
    if (m_pPreviewDC == nullptr)
        return;
    const CRect rectPage = PageRect();
    if (rectPage.IsRectEmpty())
        return;
    CRect rectShadow = rectPage;
    rectShadow.OffsetRect(ShadowWidth, ShadowWidth);
    pDC->FillSolidRect(rectShadow, RGB(0, 0, 0));
    pDC->FillSolidRect(rectPage, RGB(255, 255, 255));

    const int nSaved = ::SaveDC(pDC->m_hDC);
    ::IntersectClipRect(pDC->m_hDC, rectPage.left, rectPage.top, rectPage.right, rectPage.bottom);
    m_pPreviewDC->SetOutput(pDC->m_hDC, rectPage.Width(), m_pPreviewDC->GetDeviceCaps(HORZRES), rectPage.TopLeft());
    m_pPreviewInfo->m_nCurPage = m_nCurrentPage;
    m_pPreviewInfo->m_bContinuePrinting = TRUE;
    m_pPrintView->OnPrepareDC(m_pPreviewDC, m_pPreviewInfo);
    m_pPreviewInfo->m_rectDraw.SetRect(0, 0, m_pPreviewDC->GetDeviceCaps(HORZRES),
                                       m_pPreviewDC->GetDeviceCaps(VERTRES));
    m_pPreviewDC->DPtoLP(&m_pPreviewInfo->m_rectDraw);
    m_pPrintView->OnPrint(m_pPreviewDC, m_pPreviewInfo);
    m_pPreviewDC->SetOutput(nullptr, 1, 1, CPoint());
    ::RestoreDC(pDC->m_hDC, nSaved);
}

void CPreviewView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    Invalidate();
}

void CPreviewView::OnNextPage()
{
    SetCurrentPage(m_nCurrentPage + 1);
}

void CPreviewView::OnPrevPage()
{
    if (m_nCurrentPage > 1)
        SetCurrentPage(m_nCurrentPage - 1);
}

void CPreviewView::OnPreviewClose()
{
    m_pPrintView->OnEndPrintPreview(m_pPreviewDC, m_pPreviewInfo, CPoint(), this);
}

void CPreviewView::OnPreviewPrint()
{
    CView* pPrintView = m_pPrintView;
    OnPreviewClose();
    pPrintView->PostMessage(WM_COMMAND, ID_FILE_PRINT);
}

void CPreviewView::ClosePreview()
{
    CFrameWnd* pFrame = GetParentFrame();
    CPrintPreviewState* pState = m_pPreviewState;
    SetDlgCtrlID(AFX_IDW_PANE_SAVE + 1);
    if (CWnd* pMainPane = pFrame->GetDlgItem(AFX_IDW_PANE_SAVE))
    {
        pMainPane->SetDlgCtrlID(pState->nIDMainPane);
        pMainPane->ShowWindow(SW_SHOW);
    }
    pFrame->OnSetPreviewMode(FALSE, pState);
    pFrame->SetActiveView(pState->pViewActiveOld);
    DestroyWindow();
    pFrame->RecalcLayout();
}

// The frame's side

void CFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState)
{
    if (bPreview)
    {
        pState->hMenu = ::GetMenu(m_hWnd);
        ::SetMenu(m_hWnd, nullptr);
        for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != nullptr;)
        {
            auto* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
            // The frame itself may be hidden: the bar's own style says whether it shows.
            if (pBar->GetStyle() & WS_VISIBLE)
            {
                pState->hiddenBars.push_back(pBar->m_hWnd);
                ShowControlBar(pBar, FALSE, FALSE);
            }
        }
    }
    else if (pState != nullptr)
    {
        if (pState->hMenu != nullptr)
            ::SetMenu(m_hWnd, pState->hMenu);
        for (HWND hBar : pState->hiddenBars)
            if (auto* pBar = DYNAMIC_DOWNCAST(CControlBar, CWnd::FromHandlePermanent(hBar)))
                ShowControlBar(pBar, TRUE, FALSE);
        pState->hiddenBars.clear();
    }
    RecalcLayout();
}
