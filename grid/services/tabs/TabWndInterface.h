// How the grid reaches the tab of its window in a grid tab window.
#pragma once

#include <grid/core/AbstractImps.h>

class CGXTabWndInterface : public CGXAbstractTabWndInterface
{
public:
    // Direction 0 reads the tab's name; any other renames the tab, without telling the sheet.
    void ExchangeTabName(CWnd* pSheet, CString& strName, int nDirection) override;
    // The name of tab nTab of the tab window holding the sheet; "" when none holds it.
    CString GetTabNameAt(CWnd* pSheet, int nTab) override;
};
