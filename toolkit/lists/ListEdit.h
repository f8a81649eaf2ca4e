// The in-place label editor a list control owns. The control creates the object empty; its
// window is made when a label edit starts.
#pragma once

#include <afxwin.h>

#include "ListClient.h"

namespace tarnwick::lists
{
class SECListEdit : public CEdit
{
    DECLARE_DYNAMIC(SECListEdit)
public:
    explicit SECListEdit(SECListClient* pOwner);

    SECListClient* GetOwner() const;

protected:
    // Enter and Esc must reach the editor inside dialogs too.
    afx_msg UINT OnGetDlgCode();
    DECLARE_MESSAGE_MAP()

private:
    SECListClient* m_pOwner;
};
} // namespace tarnwick::lists
