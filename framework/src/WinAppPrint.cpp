// CWinApp's printer: the device blocks of the chosen printer, the print dialogs on them and
// the printer DC of a print job.
#include <afxdlgs.h>
#include <afxext.h>
#include <afxres.h>

void CWinApp::UpdatePrinterSelection(BOOL bForceDefaults)
{
    if (m_hDevNames != nullptr && !bForceDefaults)
        return;
    CPrintDialog dlg(TRUE);
    if (dlg.GetDefaults())
        SelectPrinter(dlg.m_pd.hDevNames, dlg.m_pd.hDevMode);
}

void CWinApp::SelectPrinter(HGLOBAL hDevNames, HGLOBAL hDevMode, BOOL bFreeOld)
{
    if (bFreeOld)
    {
        if (m_hDevNames != nullptr && m_hDevNames != hDevNames)
            ::GlobalFree(m_hDevNames);
        if (m_hDevMode != nullptr && m_hDevMode != hDevMode)
            ::GlobalFree(m_hDevMode);
    }
    m_hDevNames = hDevNames;
    m_hDevMode = hDevMode;
}

BOOL CWinApp::GetPrinterDeviceDefaults(PRINTDLG* pPrintDlg)
{
    UpdatePrinterSelection(FALSE);
    if (m_hDevNames == nullptr)
        return FALSE;
    pPrintDlg->hDevNames = m_hDevNames;
    pPrintDlg->hDevMode = m_hDevMode;
    return TRUE;
}

INT_PTR CWinApp::DoPrintDialog(CPrintDialog* pPD)
{
    UpdatePrinterSelection(FALSE);
    pPD->m_pd.hDevMode = m_hDevMode;
    pPD->m_pd.hDevNames = m_hDevNames;
    const INT_PTR nResult = pPD->DoModal();
    // The dialog may have replaced the blocks it was given; the old ones are gone then.
    SelectPrinter(pPD->m_pd.hDevNames, pPD->m_pd.hDevMode, FALSE);
    return nResult;
}

BOOL CWinApp::CreatePrinterDC(CDC& dc)
{
    HDC hDC = AfxCreateDC(m_hDevNames, m_hDevMode);
    if (hDC == nullptr)
        return FALSE;
    dc.DeleteDC();
    return dc.Attach(hDC);
}

CDC* CWinApp::CreatePrintJobDC(CPrintInfo* pInfo)
{
    CPrintDialog* pPD = pInfo->m_pPD;
    if (pPD->m_pd.hDC == nullptr)
    {
        if (!GetPrinterDeviceDefaults(&pPD->m_pd))
        {
            AfxMessageBox(AFX_IDP_NO_PRINTER, MB_OK | MB_ICONEXCLAMATION);
            return nullptr;
        }
        if (pInfo->m_bPreview || pInfo->m_bDirect)
            pPD->CreatePrinterDC();
        else if (DoPrintDialog(pPD) != IDOK)
            return nullptr;
        if (pPD->m_pd.hDC == nullptr)
        {
            AfxMessageBox(AFX_IDP_FAILED_TO_START_PRINT, MB_OK | MB_ICONEXCLAMATION);
            return nullptr;
        }
    }
    auto* pDC = new CDC;
    pDC->Attach(pPD->m_pd.hDC);
    pDC->m_bPrinting = TRUE;
    pPD->m_pd.hDC = nullptr;
    return pDC;
}

void CWinApp::OnFilePrintSetup()
{
    CPrintDialog dlg(TRUE);
    DoPrintDialog(&dlg);
}
