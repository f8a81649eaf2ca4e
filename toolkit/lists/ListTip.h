// The pop-up that shows the full text of a cut-off label. The list control creates the object
// empty; its window is made when a tip shows.
#pragma once

#include <afxwin.h>

#include "ListClient.h"

namespace tarnwick::lists
{
class SECListTip : public CWnd
{
    DECLARE_DYNAMIC(SECListTip)
public:
    explicit SECListTip(SECListClient* pOwner);

    // Takes the tip away, when it shows, and forgets its cell.
    virtual void Hide();
    int GetTipItem() const;

private:
    int m_nItem = -1;
    int m_nColumn = -1;
    SECListClient* m_pOwner;
};
} // namespace tarnwick::lists
