// The in-place label editor a list control owns. The control creates the object empty; its
// window is made when a label edit starts.
#pragma once

#include <afxwin.h>

#include "ListClient.h"

namespace tarnwick::lists
{
// The editor's control id among the list's children.
constexpr UINT SEC_LIST_EDIT_ID = 1;

class SECListEdit : public CEdit
{
    DECLARE_DYNAMIC(SECListEdit)
public:
    explicit SECListEdit(SECListClient* pOwner);

    SECListClient* GetOwner() const;

protected:
    // Enter and Esc must reach the editor inside dialogs too.
    afx_msg UINT OnGetDlgCode();
    // Enter commits unless labels wrap (then it breaks the line); Esc cancels.
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()

private:
    SECListClient* m_pOwner;
};
} // namespace tarnwick::lists
