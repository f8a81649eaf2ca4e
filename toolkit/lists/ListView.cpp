// The list view: the list over a framework view, and its printing.
#include "ListView.h"

#include <afxdlgs.h>
#include <afxres.h>

namespace tarnwick::lists
{
IMPLEMENT_DYNCREATE(SECListView, CView)

BEGIN_MESSAGE_MAP(SECListView, CView)
ON_WM_PAINT()
SEC_LIST_MESSAGE_ENTRIES()
ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnFilePrintPreview)
END_MESSAGE_MAP()

namespace
{
// The print font when the screen's cannot be copied.
constexpr int kFallbackPointSize = 110;
constexpr LPCTSTR kFallbackFace = _T("Times New Roman");

BOOL CopyFontForPrinting(HFONT hFont, CFont& font)
{
    LOGFONT lf;
    if (hFont != nullptr && ::GetObject(hFont, sizeof(lf), &lf) == sizeof(lf) && font.CreateFontIndirect(&lf))
        return TRUE;
    return font.CreatePointFont(kFallbackPointSize, kFallbackFace, nullptr);
}
} // namespace

SECListView::SECListView() = default;

SECListView::~SECListView()
{
    m_printItemFont.DeleteObject();
    m_printHeaderFont.DeleteObject();
}

void SECListView::OnPaint()
{
    if (m_bPrinting)
    {
        ValidateRect(nullptr);
        return;
    }
    SECListBaseV::OnPaint();
}

void SECListView::OnDraw(CDC* pDC)
{
    if (pDC->IsPrinting())
        DrawControl(pDC);
}

void SECListView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    if (pDC->IsPrinting() && pInfo != nullptr)
        PreparePrintDC(pDC);
    else
        SECListBaseV::OnPrepareDC(pDC, pInfo);
}

BOOL SECListView::OnPreparePrinting(CPrintInfo* pInfo)
{
    pInfo->m_pPD->m_pd.Flags |= PD_NOPAGENUMS;
    pInfo->m_pPD->m_pd.Flags |= PD_NOSELECTION;
    return DoPreparePrinting(pInfo);
}

void SECListView::GetListClientRect(CRect& rect) const
{
    if (m_bPrinting)
        rect = m_rectPrintPage;
    else
        SECListBaseV::GetListClientRect(rect);
}

CDC* SECListView::GetMeasureDC(BOOL* pbDelete)
{
    if (m_bPrinting)
    {
        *pbDelete = FALSE;
        return m_pPrintDC;
    }
    return SECListBaseV::GetMeasureDC(pbDelete);
}

void SECListView::PreparePrintDC(CDC* pDC)
{
    CClientDC dcScreen(this);
    pDC->SetMapMode(MM_ANISOTROPIC);
    pDC->SetWindowExt(dcScreen.GetDeviceCaps(LOGPIXELSX), dcScreen.GetDeviceCaps(LOGPIXELSY));
    pDC->SetViewportExt(pDC->GetDeviceCaps(LOGPIXELSX), pDC->GetDeviceCaps(LOGPIXELSY));
    m_rectPrintPage.SetRect(0, 0, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
    pDC->DPtoLP(&m_rectPrintPage);
}

BOOL SECListView::CreatePrintFonts(CDC*)
{
    return CopyFontForPrinting(GetItemFont(), m_printItemFont) &&
           CopyFontForPrinting(GetHeaderFont(), m_printHeaderFont);
}

BOOL SECListView::DeletePrintFonts()
{
    return m_printItemFont.DeleteObject() && m_printHeaderFont.DeleteObject();
}

BOOL SECListView::NextPrintPage(CDC*)
{
    // Rows are measured on the print DC, through GetMeasureDC.
    int nLast = GetLastVisibleIndex();
    // A row taller than the page would never be passed: it gets a page of its own.
    nLast = std::max(nLast, m_nTopIndex);
    if (nLast + 1 >= GetItemCount())
        return FALSE;
    m_nTopIndex = nLast + 1;
    return TRUE;
}

BOOL SECListView::GoToPrintPage(UINT nPage, CDC* pDC)
{
    if (m_nPrintPage == nPage)
        return TRUE;
    m_nTopIndex = 0;
    BOOL bResult = TRUE;
    for (UINT i = 1; i < nPage && bResult; i++)
        bResult = NextPrintPage(pDC);
    m_nPrintPage = nPage;
    return bResult;
}

void SECListView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    m_nSavedTopIndex = m_nTopIndex;
    m_pSavedItemFont = m_pItemFont;
    m_pSavedHeaderFont = m_pHeaderFont;
    m_nTopIndex = 0;
    m_nPrintPage = 0;
    if (!CreatePrintFonts(pDC))
    {
        pInfo->m_bContinuePrinting = FALSE;
        return;
    }
    m_pItemFont = &m_printItemFont;
    m_pHeaderFont = &m_printHeaderFont;
    m_pPrintDC = pDC;
    PreparePrintDC(pDC);
    m_bPrinting = TRUE;
    // Measuring moves to the printer, with the print fonts.
    ReleaseMeasuringContext();
    MarkAllForMeasuring();
    if (pInfo->m_bPreview)
    {
        UINT nPages = 1;
        while (NextPrintPage(pDC))
            nPages++;
        pInfo->SetMaxPage(nPages);
        m_nTopIndex = 0;
    }
}

void SECListView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (pInfo->m_bPreview)
    {
        GoToPrintPage(pInfo->m_nCurPage, pDC);
        SECListBaseV::OnPrint(pDC, pInfo);
        return;
    }
    SECListBaseV::OnPrint(pDC, pInfo);
    pInfo->m_bContinuePrinting = NextPrintPage(pDC);
}

void SECListView::OnEndPrinting(CDC* pDC, CPrintInfo*)
{
    m_rectPrintPage.SetRectEmpty();
    m_pItemFont = m_pSavedItemFont;
    m_pHeaderFont = m_pSavedHeaderFont;
    // The print fonts may still be selected where the list measured and drew.
    ReleaseMeasuringContext();
    pDC->SelectStockObject(SYSTEM_FONT);
    DeletePrintFonts();
    m_bPrinting = FALSE;
    m_pPrintDC = nullptr;
    m_nTopIndex = m_nSavedTopIndex;
    RecalcLayout();
    Invalidate(TRUE);
}

} // namespace tarnwick::lists
