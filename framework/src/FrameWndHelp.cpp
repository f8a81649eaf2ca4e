// CFrameWnd's help mode: the help cursor and prompt while the user picks what to get help on.
#include <afxpriv.h>

#include <windowsx.h>

namespace
{
bool IsMouseMessage(UINT message)
{
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}

// The screen point of a mouse message, from its own coordinates.
CPoint MessagePoint(const MSG& msg)
{
    CPoint pt(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
    const bool bClient = msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST;
    if (bClient && msg.hwnd != nullptr)
        ::ClientToScreen(msg.hwnd, &pt);
    return pt;
}

HCURSOR HelpCursor()
{
    static HCURSOR hcurHelp = nullptr;
    if (hcurHelp == nullptr)
        hcurHelp = ::LoadCursor(nullptr, IDC_HELP);
    if (hcurHelp == nullptr)
        hcurHelp = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(AFX_IDC_CONTEXTHELP));
    return hcurHelp;
}

// The help context of a client point: the first window from hWnd up that answers
// WM_HELPHITTEST, else the control's id, else the frame's help id.
DWORD MapClientArea(HWND hWnd, CPoint pt, HWND hWndFrame, UINT nIDHelp)
{
    for (HWND hWndHit = hWnd; hWndHit != nullptr && hWndHit != hWndFrame; hWndHit = ::GetParent(hWndHit))
    {
        CPoint ptClient = pt;
        ::ScreenToClient(hWndHit, &ptClient);
        if (const LRESULT lContext = ::SendMessage(hWndHit, WM_HELPHITTEST, 0, MAKELPARAM(ptClient.x, ptClient.y)))
            return static_cast<DWORD>(lContext);
    }
    if (hWnd != hWndFrame)
        if (const int nID = ::GetDlgCtrlID(hWnd))
            return HID_BASE_CONTROL + static_cast<DWORD>(nID);
    return HID_BASE_RESOURCE + nIDHelp;
}
} // namespace

void CFrameWnd::WinHelp(DWORD_PTR, UINT)
{
}

void CFrameWnd::OnHelp()
{
    WinHelp(HID_BASE_RESOURCE + m_nIDHelp, HELP_CONTEXT);
}

void CFrameWnd::OnHelpFinder()
{
    WinHelp(0, HELP_FINDER);
}

BOOL CFrameWnd::CanEnterHelpMode()
{
    if (HelpCursor() == nullptr)
        return FALSE;
    AFX_CMDHANDLERINFO info{};
    return OnCmdMsg(ID_CONTEXT_HELP, CN_COMMAND, nullptr, &info);
}

void CFrameWnd::OnContextHelp()
{
    // The command reaches an MDI child frame first; help mode belongs to the main window, which
    // holds the capture and knows the bars.
    if (CFrameWnd* pTop = GetTopLevelFrame(); pTop != nullptr && pTop != this)
    {
        pTop->OnContextHelp();
        return;
    }
    MSG msg;
    if (m_bHelpMode || !CanEnterHelpMode() ||
        ::PeekMessage(&msg, m_hWnd, WM_EXITHELPMODE, WM_EXITHELPMODE, PM_REMOVE | PM_NOYIELD))
        return;
    m_bHelpMode = TRUE;
    SendMessage(WM_SETMESSAGESTRING, AFX_IDS_HELPMODEMESSAGE);
    SetCapture();
    ::SetCursor(HelpCursor());

    DWORD dwContext = 0;
    while (m_bHelpMode)
    {
        if (::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE))
        {
            if (msg.message == WM_QUIT || !ProcessHelpMsg(msg, &dwContext))
                break;
        }
        else
            ::WaitMessage();
    }
    m_bHelpMode = FALSE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    if (dwContext != 0)
        WinHelp(dwContext);
}

BOOL CFrameWnd::ProcessHelpMsg(MSG& msg, DWORD* pContext)
{
    if (msg.message == WM_EXITHELPMODE || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE))
    {
        ::PeekMessage(&msg, nullptr, msg.message, msg.message, PM_REMOVE);
        return FALSE;
    }
    if (!::PeekMessage(&msg, nullptr, msg.message, msg.message, PM_REMOVE))
        return TRUE;
    if (!IsMouseMessage(msg.message))
    {
        // Everything else goes on as usual, keys without their accelerators.
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
        return TRUE;
    }
    ::SetCursor(HelpCursor());
    // Clicks on this frame and its windows name what to get help on; other mouse input waits.
    const CPoint pt = MessagePoint(msg);
    const HWND hWndHit = ::WindowFromPoint(pt);
    if (msg.message != WM_LBUTTONDOWN || hWndHit == nullptr ||
        (hWndHit != m_hWnd && !::IsChild(m_hWnd, hWndHit) && ::GetAncestor(hWndHit, GA_ROOTOWNER) != m_hWnd))
        return TRUE;
    const int nHit = static_cast<int>(::SendMessage(hWndHit, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)));
    *pContext = nHit == HTCLIENT ? MapClientArea(hWndHit, pt, m_hWnd, m_nIDHelp) : HID_BASE_NCAREAS + nHit;
    return FALSE;
}
