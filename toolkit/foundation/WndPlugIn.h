// A plug-in: an object with a message map of its own that sees a host window's messages and
// commands before the host does, without subclassing it.
#pragma once

#include <afxwin.h>

namespace tarnwick::foundation
{
class SECWndPlugIn : public CWnd
{
    DECLARE_DYNAMIC(SECWndPlugIn)
public:
    SECWndPlugIn();
    // Leaves the host window alone.
    ~SECWndPlugIn() override;

    // Makes OnWndMsg answer TRUE with lResult for the message being handled.
    virtual LRESULT SetMsgHandled(LRESULT lResult);
    // Acts on the host's window from now on (without taking it over); FALSE for NULL.
    virtual BOOL PlugInTo(CWnd* pHost);
    virtual BOOL UnPlug();

    // The host's side: after an offer, a set stop flag means the host leaves the message
    // (or, once cleared, the command) to the plug-in.
    BOOL IsMsgProcessingStopped() const
    {
        return m_bStopMsgProcessing;
    }
    void ClearStopMsgProcessing()
    {
        m_bStopMsgProcessing = FALSE;
    }
    BOOL IsPluggedIn() const
    {
        return m_bActive;
    }

    // Nothing while not plugged in. A message starts with both flags clear.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    // 0 unless a handler allowed the default processing.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // For handlers of derived plug-ins: the host must not process the message further.
    void StopMsgProcessing()
    {
        m_bStopMsgProcessing = TRUE;
    }
    // For handlers that pass the message on to the host window's default processing.
    void AllowDefaultProcessing()
    {
        m_bDefaultAllowed = TRUE;
    }
    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bStopMsgProcessing;
    BOOL m_bDefaultAllowed;
    BOOL m_bMsgHandled;
    LRESULT m_lMsgResult;
    BOOL m_bActive;
};
} // namespace tarnwick::foundation
