#include <toolkit/foundation/WndPlugIn.h>

namespace tarnwick::foundation
{
IMPLEMENT_DYNAMIC(SECWndPlugIn, CWnd)

BEGIN_MESSAGE_MAP(SECWndPlugIn, CWnd)
END_MESSAGE_MAP()

SECWndPlugIn::SECWndPlugIn()
    : m_bStopMsgProcessing(FALSE), m_bDefaultAllowed(FALSE), m_bMsgHandled(FALSE), m_lMsgResult(0), m_bActive(FALSE)
{
}

SECWndPlugIn::~SECWndPlugIn()
{
    // The handle is the host's: CWnd's destructor must not destroy it.
    m_hWnd = nullptr;
}

LRESULT SECWndPlugIn::SetMsgHandled(LRESULT lResult)
{
    m_bMsgHandled = TRUE;
    m_lMsgResult = lResult;
    return lResult;
}

BOOL SECWndPlugIn::PlugInTo(CWnd* pHost)
{
    if (pHost == nullptr)
        return FALSE;
    // A copy of the handle, not an attachment: the host stays the window's object.
    m_hWnd = pHost->m_hWnd;
    m_bActive = TRUE;
    return TRUE;
}

BOOL SECWndPlugIn::UnPlug()
{
    m_bActive = FALSE;
    m_hWnd = nullptr;
    return FALSE;
}

BOOL SECWndPlugIn::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (!m_bActive)
        return FALSE;
    m_bStopMsgProcessing = FALSE;
    m_bDefaultAllowed = FALSE;
    const BOOL bResult = CWnd::OnWndMsg(message, wParam, lParam, pResult);
    if (!m_bMsgHandled)
        return bResult;
    m_bMsgHandled = FALSE;
    if (pResult != nullptr)
        *pResult = m_lMsgResult;
    return TRUE;
}

BOOL SECWndPlugIn::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    return m_bActive && CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

LRESULT SECWndPlugIn::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_bActive || !m_bDefaultAllowed)
        return 0;
    return CWnd::DefWindowProc(message, wParam, lParam);
}
} // namespace tarnwick::foundation
