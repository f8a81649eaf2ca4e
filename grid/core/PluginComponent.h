// The base of window-message plug-ins: it takes an existing window's handle to dispatch that
// window's messages through its own message map, without subclassing or owning the window.
#pragma once

#include <afxwin.h>

class CGXPluginComponent : public CWnd
{
    DECLARE_DYNAMIC(CGXPluginComponent)
public:
    CGXPluginComponent() = default;
    // Lets go of the handle first: the window stays alive.
    ~CGXPluginComponent() override;

    BOOL PlugIn(CWnd* pWnd);
    // Clears both flags, then dispatches through the component's message map.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // Set by a derived plug-in while it handles a message: handled, and no default handling.
    BOOL m_bHandled = FALSE;
    BOOL m_bSkipDefault = FALSE;
};
