#include <app/SessionPropertySheet.h>

#include <afxpriv.h>

BEGIN_MESSAGE_MAP(CSessionPropertySheet, CPropertySheet)
ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
ON_COMMAND(ID_APPLY_NOW, OnApplyNow)
END_MESSAGE_MAP()

CSessionPropertySheet::CSessionPropertySheet(CWnd* pParentWnd) : CPropertySheet(_T("Properties"), pParentWnd)
{
    AddPage(&m_programPage);
    AddPage(&m_rfcPage);
}

LRESULT CSessionPropertySheet::OnKickIdle(WPARAM, LPARAM)
{
    UpdateDialogControls(this, FALSE);
    SendMessageToDescendants(WM_IDLEUPDATECMDUI, 0, 0, TRUE, TRUE);
    return 0;
}

void CSessionPropertySheet::OnApplyNow()
{
    CPropertyPage* pPage = GetActivePage();
    if (pPage != nullptr && pPage->UpdateData(TRUE))
        pPage->OnApply();
}
