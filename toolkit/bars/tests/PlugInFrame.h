// A frame that offers its messages to a plug-in first, as the toolkit's frames do.
#pragma once

#include <afxwin.h>
#include <toolkit/foundation/WndPlugIn.h>

class PlugInFrame : public CFrameWnd
{
public:
    tarnwick::foundation::SECWndPlugIn* m_pPlugIn = nullptr;

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (m_pPlugIn != nullptr && m_pPlugIn->IsPluggedIn() && m_pPlugIn->PreTranslateMessage(pMsg))
            return TRUE;
        return CFrameWnd::PreTranslateMessage(pMsg);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (m_pPlugIn != nullptr && m_pPlugIn->IsPluggedIn())
        {
            LRESULT lResult = 0;
            m_pPlugIn->OnWndMsg(message, wParam, lParam, &lResult);
            if (m_pPlugIn->IsMsgProcessingStopped())
                return lResult;
        }
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }
};
