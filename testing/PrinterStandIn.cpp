#include "testing/PrinterStandIn.h"

std::string PrintJournal::Text() const
{
    std::string strText;
    for (const std::string& strStep : steps)
        strText += (strText.empty() ? "" : " ") + strStep;
    return strText;
}

PrinterStandIn::PrinterStandIn(PrintJournal& journal, int nDpi, int cx, int cy)
    : m_journal(journal), m_nDpi(nDpi), m_sizePage(cx, cy)
{
    m_bPrinting = TRUE;
    CreateCompatibleDC(nullptr);
    // One bit a dot keeps a 600-dpi page at a few megabytes.
    m_page.CreateBitmap(cx, cy, 1, 1, nullptr);
    m_pOldBitmap = SelectObject(&m_page);
    PatBlt(0, 0, cx, cy, WHITENESS);
}

PrinterStandIn::~PrinterStandIn()
{
    SelectObject(m_pOldBitmap);
}

int PrinterStandIn::GetDeviceCaps(int nIndex) const
{
    switch (nIndex)
    {
    case LOGPIXELSX:
    case LOGPIXELSY:
        return m_nDpi;
    case HORZRES:
    case PHYSICALWIDTH:
        return m_sizePage.cx;
    case VERTRES:
    case PHYSICALHEIGHT:
        return m_sizePage.cy;
    case HORZSIZE:
        return ::MulDiv(m_sizePage.cx, 254, m_nDpi * 10);
    case VERTSIZE:
        return ::MulDiv(m_sizePage.cy, 254, m_nDpi * 10);
    case PHYSICALOFFSETX:
    case PHYSICALOFFSETY:
        return 0;
    case TECHNOLOGY:
        return DT_RASPRINTER;
    default:
        return CDC::GetDeviceCaps(nIndex);
    }
}

int PrinterStandIn::StartDoc(LPDOCINFO lpDocInfo)
{
    m_journal.steps.push_back("StartDoc");
    m_journal.strDocName = lpDocInfo != nullptr ? lpDocInfo->lpszDocName : nullptr;
    return 1;
}

int PrinterStandIn::StartPage()
{
    m_journal.steps.push_back("StartPage");
    ++m_nPages;
    if (m_journal.nFailStartPage != 0 && m_nPages >= m_journal.nFailStartPage)
        return SP_ERROR;
    // A fresh sheet.
    ::SaveDC(m_hDC);
    ::SetMapMode(m_hDC, MM_TEXT);
    ::SetViewportOrgEx(m_hDC, 0, 0, nullptr);
    ::SetWindowOrgEx(m_hDC, 0, 0, nullptr);
    ::PatBlt(m_hDC, 0, 0, m_sizePage.cx, m_sizePage.cy, WHITENESS);
    ::RestoreDC(m_hDC, -1);
    return 1;
}

int PrinterStandIn::EndPage()
{
    m_journal.steps.push_back("EndPage");
    if (m_journal.onEndPage)
        m_journal.onEndPage(*this);
    return 1;
}

int PrinterStandIn::AbortDoc()
{
    m_journal.steps.push_back("AbortDoc");
    return 1;
}

int PrinterStandIn::EndDoc()
{
    m_journal.steps.push_back("EndDoc");
    return 1;
}

bool PrinterStandIn::IsInked(int x, int y) const
{
    ::SaveDC(m_hDC);
    ::SetMapMode(m_hDC, MM_TEXT);
    ::SetViewportOrgEx(m_hDC, 0, 0, nullptr);
    ::SetWindowOrgEx(m_hDC, 0, 0, nullptr);
    const bool bInked = ::GetPixel(m_hDC, x, y) == RGB(0, 0, 0);
    ::RestoreDC(m_hDC, -1);
    return bInked;
}

CDC* StandInPrinterApp::CreatePrintJobDC(CPrintInfo* pInfo)
{
    ++m_nJobs;
    return m_bStandIn ? new PrinterStandIn(m_journal, m_nDpi, m_sizePage.cx, m_sizePage.cy)
                      : CWinApp::CreatePrintJobDC(pInfo);
}

int StandInPrinterApp::DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT)
{
    m_messages.push_back(lpszPrompt);
    return IDOK;
}
