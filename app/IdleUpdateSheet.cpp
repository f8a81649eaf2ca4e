#include <app/IdleUpdateSheet.h>

#include <afxpriv.h>

BEGIN_MESSAGE_MAP(CIdleUpdateSheet, CPropertySheet)
ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

LRESULT CIdleUpdateSheet::OnKickIdle(WPARAM, LPARAM)
{
    UpdateDialogControls(this, FALSE);
    SendMessageToDescendants(WM_IDLEUPDATECMDUI, 0, 0, TRUE, TRUE);
    return 0;
}
