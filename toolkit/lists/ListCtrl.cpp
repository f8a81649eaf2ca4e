#include "ListCtrl.h"

namespace tarnwick::lists
{
IMPLEMENT_DYNAMIC(SECListCtrl, SECListBaseC)

BEGIN_MESSAGE_MAP(SECListCtrl, SECListBaseC)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_SYSCOLORCHANGE()
ON_WM_SIZE()
ON_WM_CANCELMODE()
END_MESSAGE_MAP()

int SECListCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (SECListBaseC::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_hCursor = ::LoadCursorW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDC_SEC_LIST_CURSOR));
    // Outside report mode the items show in one headerless column.
    const bool bReport = (lpCreateStruct->style & LVS_SEC_VIEWMASK) == LVS_SEC_REPORT ||
                         (m_nListStyle & LVS_SEC_VIEWMASK) == LVS_SEC_REPORT;
    if (!bReport)
    {
        ModifyListStyle(0, LVS_SEC_NOCOLUMNHEADER, FALSE);
        InsertColumn(0, L"", 0, 20, 0, 0, TRUE);
    }
    return 0;
}

void SECListCtrl::OnDestroy()
{
    DestroyImageLists();
    if (m_pTip->GetSafeHwnd() != nullptr)
        m_pTip->DestroyWindow();
    DeleteAllColumns();
    SECListBaseC::OnDestroy();
}

void SECListCtrl::OnCancelMode()
{
    m_pTip->Hide();
    SECListBaseC::OnCancelMode();
}

void SECListCtrl::OnSysColorChange()
{
    LoadColors();
    SECListBaseC::OnSysColorChange();
}

void SECListCtrl::OnSize(UINT nType, int cx, int cy)
{
    PositionScrollBars();
    if (GetItemCount() > 0)
    {
        AutoFitColumns();
        Invalidate(TRUE);
    }
    SECListBaseC::OnSize(nType, cx, cy);
}
} // namespace tarnwick::lists
