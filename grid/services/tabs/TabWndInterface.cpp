// The tab names of sheets in a grid tab window.
#include <grid/services/tabs/TabWndInterface.h>

#include <grid/services/tabs/TabBeam.h>
#include <grid/services/tabs/TabWnd.h>

namespace
{
CGXTabWnd* HoldingTabWnd(CWnd* pSheet)
{
    return pSheet != nullptr && pSheet->GetSafeHwnd() != nullptr ? DYNAMIC_DOWNCAST(CGXTabWnd, pSheet->GetParent())
                                                                  : nullptr;
}
} // namespace

void CGXTabWndInterface::ExchangeTabName(CWnd* pSheet, CString& strName, int nDirection)
{
    CGXTabWnd* pTabWnd = HoldingTabWnd(pSheet);
    const int nTab = pTabWnd != nullptr ? pTabWnd->GetBeam().FindTab(pSheet) : -1;
    if (nTab < 0)
        return;
    if (nDirection == 0)
        strName = pTabWnd->GetBeam().GetTab(nTab).sLabel;
    else
        pTabWnd->RenameTab(nTab, strName, FALSE);
}

CString CGXTabWndInterface::GetTabNameAt(CWnd* pSheet, int nTab)
{
    CGXTabWnd* pTabWnd = HoldingTabWnd(pSheet);
    if (pTabWnd == nullptr || nTab < 0 || nTab >= pTabWnd->GetBeam().GetCount())
        return CString();
    return pTabWnd->GetBeam().GetTab(nTab).sLabel;
}
