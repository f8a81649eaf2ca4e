// CMiniFrameWnd: a frame with the system's small tool-window caption.
#include <afxpriv.h>

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

CMiniFrameWnd::CMiniFrameWnd() = default;

BOOL CMiniFrameWnd::Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                           UINT nID)
{
    return CreateEx(0, lpClassName, lpWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
                             const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    m_strTitle = lpWindowName;
    // The frame style is not a window style: it becomes the sizing border.
    if (dwStyle & MFS_THICKFRAME)
        dwStyle = (dwStyle & ~MFS_THICKFRAME) | WS_THICKFRAME;
    return CWnd::CreateEx(dwExStyle | WS_EX_TOOLWINDOW, lpClassName, lpWindowName, dwStyle, rect.left, rect.top,
                          rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                          reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)));
}

void PASCAL CMiniFrameWnd::CalcBorders(LPRECT lpClientRect, DWORD dwStyle, DWORD dwExStyle)
{
    // The small caption of a tool window.
    ::AdjustWindowRectEx(lpClientRect, dwStyle & (WS_THICKFRAME | WS_CAPTION | WS_BORDER), FALSE,
                         dwExStyle | WS_EX_TOOLWINDOW);
}
