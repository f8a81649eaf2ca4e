// The small "..." button beside a browse edit: a click opens the edit's chooser. It deletes
// itself when its window is destroyed.
#pragma once

#include <afxwin.h>

namespace tarnwick::tabs
{
class SECBrowseEditBase;

class SECBrowseButton : public CButton
{
    DECLARE_DYNAMIC(SECBrowseButton)
public:
    explicit SECBrowseButton(SECBrowseEditBase* pEdit);

    BOOL Create(CWnd* pDialog, const RECT& rect, UINT nID);
    // The edit goes before its button: it must no longer be called.
    void DetachEdit();

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void PostNcDestroy() override;

private:
    SECBrowseEditBase* m_pEdit;
    UINT m_nID = 0;
};
} // namespace tarnwick::tabs
