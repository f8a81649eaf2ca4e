// CPrintInfo: the print job's dialog object, its pages and its printer DC.
#include <afxdlgs.h>
#include <afxext.h>

CPrintInfo::CPrintInfo()
    : m_pPD(new CPrintDialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION)), m_bDirect(FALSE),
      m_bPreview(FALSE), m_bContinuePrinting(TRUE), m_nCurPage(1), m_nNumPreviewPages(1), m_lpUserData(nullptr),
      m_nOffsetPage(0), m_pPrinterDC(nullptr)
{
    SetMinPage(1);
    SetMaxPage(0xFFFF);
}

CPrintInfo::~CPrintInfo()
{
    delete m_pPrinterDC;
    if (m_pPD->m_pd.hDC != nullptr)
        ::DeleteDC(m_pPD->m_pd.hDC);
    delete m_pPD;
}

void CPrintInfo::SetMinPage(UINT nMinPage)
{
    m_pPD->m_pd.nMinPage = static_cast<WORD>(nMinPage);
}

void CPrintInfo::SetMaxPage(UINT nMaxPage)
{
    m_pPD->m_pd.nMaxPage = static_cast<WORD>(nMaxPage);
}

UINT CPrintInfo::GetMinPage() const
{
    return m_pPD->m_pd.nMinPage;
}

UINT CPrintInfo::GetMaxPage() const
{
    return m_pPD->m_pd.nMaxPage;
}

UINT CPrintInfo::GetFromPage() const
{
    return m_pPD->PrintRange() ? m_pPD->m_pd.nFromPage : GetMinPage();
}

UINT CPrintInfo::GetToPage() const
{
    return m_pPD->PrintRange() ? m_pPD->m_pd.nToPage : GetMaxPage();
}

UINT CPrintInfo::GetOffsetPage() const
{
    return m_nOffsetPage;
}
