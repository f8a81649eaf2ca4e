// SECWorkbookClientWnd: margins and the active-sheet notice.
#include <toolkit/frames/WorkbookClientWnd.h>

namespace tarnwick::frames
{
BEGIN_MESSAGE_MAP(SECWorkbookClientWnd, CWnd)
ON_MESSAGE(WM_MDISETMENU, OnMDISetMenu)
ON_MESSAGE(WM_SECWORKBOOK_REFRESHTABS, OnMDISetMenu)
END_MESSAGE_MAP()

SECWorkbookClientWnd::SECWorkbookClientWnd() : m_rectMargins(0, 0, 0, 0)
{
}

void SECWorkbookClientWnd::SetMargins(int nLeft, int nTop, int nRight, int nBottom)
{
    m_rectMargins.SetRect(nLeft, nTop, nRight, nBottom);
}

void SECWorkbookClientWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    lpClientRect->left += m_rectMargins.left;
    lpClientRect->top += m_rectMargins.top;
    lpClientRect->right -= m_rectMargins.right;
    lpClientRect->bottom -= m_rectMargins.bottom;
    CWnd::CalcWindowRect(lpClientRect, nAdjustType);
}

LRESULT SECWorkbookClientWnd::OnMDISetMenu(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    // (-1, -1) only asks the tabs to follow.
    if (wParam != static_cast<WPARAM>(-1) || lParam != static_cast<LPARAM>(-1))
        lResult = DefWindowProc(WM_MDISETMENU, wParam, lParam);
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_SECWORKBOOK_ACTIVESHEET);
    return lResult;
}
} // namespace tarnwick::frames
