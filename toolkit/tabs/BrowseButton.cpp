#include "BrowseButton.h"

#include "BrowseEditBase.h"

namespace tarnwick::tabs
{
IMPLEMENT_DYNAMIC(SECBrowseButton, CButton)

SECBrowseButton::SECBrowseButton(SECBrowseEditBase* pEdit) : m_pEdit(pEdit)
{
}

BOOL SECBrowseButton::Create(CWnd* pDialog, const RECT& rect, UINT nID)
{
    m_nID = nID;
    if (!CButton::Create(_T("..."), WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect, pDialog, nID))
        return FALSE;
    SetFont(pDialog->GetFont(), FALSE);
    return TRUE;
}

void SECBrowseButton::DetachEdit()
{
    m_pEdit = nullptr;
}

BOOL SECBrowseButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND && LOWORD(wParam) == m_nID && HIWORD(wParam) == BN_CLICKED)
    {
        if (m_pEdit != nullptr)
            m_pEdit->OnBrowse();
        return TRUE;
    }
    return CButton::OnChildNotify(message, wParam, lParam, pResult);
}

void SECBrowseButton::PostNcDestroy()
{
    if (m_pEdit != nullptr)
        m_pEdit->ButtonDestroyed();
    delete this;
}
} // namespace tarnwick::tabs
