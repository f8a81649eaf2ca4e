#include <app/SessionPropertySheet.h>

BEGIN_MESSAGE_MAP(CSessionPropertySheet, CIdleUpdateSheet)
ON_COMMAND(ID_APPLY_NOW, OnApplyNow)
END_MESSAGE_MAP()

CSessionPropertySheet::CSessionPropertySheet(CWnd* pParentWnd) : CIdleUpdateSheet(_T("Properties"), pParentWnd)
{
    AddPage(&m_programPage);
    AddPage(&m_rfcPage);
}

void CSessionPropertySheet::OnApplyNow()
{
    CPropertyPage* pPage = GetActivePage();
    if (pPage != nullptr && pPage->UpdateData(TRUE))
        pPage->OnApply();
}
