#include <app/MessageWnd.h>

IMPLEMENT_DYNCREATE(CMessageWnd, CListCtrl)

BOOL CMessageWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= LVS_REPORT;
    return CListCtrl::PreCreateWindow(cs);
}
