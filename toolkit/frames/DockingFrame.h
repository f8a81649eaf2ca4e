// One implementation of the docking services for both frame bases: the toolkit's frame derives
// from it over CFrameWnd, the MDI frame over CMDIFrameWnd.
#pragma once

#include <toolkit/frames/FrameDocking.h>

namespace tarnwick::frames
{
template <class TBase> class SECDockingFrame : public TBase
{
public:
    SECDockingFrame() : m_docking(*this)
    {
    }

    SECFrameDocking& GetDocking()
    {
        return m_docking;
    }

    virtual BOOL CreateItalicCaptionFont(CFont& font)
    {
        return m_docking.CreateItalicCaptionFont(font);
    }
    virtual BOOL CreateCaptionFont(CFont& font)
    {
        return m_docking.CreateCaptionFont(font);
    }
    virtual void PaintCaption()
    {
        m_docking.PaintCaption();
    }
    virtual foundation::SECWndPlugIn* CreateWorkspaceManager(LPCTSTR lpszKey, BOOL bRegistry, CRuntimeClass* pClass,
                                                             BOOL bApplicationKey)
    {
        return m_docking.CreateWorkspaceManager(lpszKey, bRegistry, pClass, bApplicationKey);
    }

    // pDockBar NULL: the dock bar of the bar's alignment.
    void DockControlBar(CControlBar* pBar, CDockBar* pDockBar = nullptr, LPCRECT lpRect = nullptr)
    {
        m_docking.DockControlBar(pBar, pDockBar, lpRect);
    }
    void DockControlBarById(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect = nullptr)
    {
        DockControlBar(pBar, DYNAMIC_DOWNCAST(CDockBar, this->GetControlBar(nDockBarID)), lpRect);
    }
    void ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar = nullptr, LPCRECT lpRect = nullptr)
    {
        m_docking.ReDockControlBar(pBar, pDockBar, lpRect);
    }
    // The previous setting; 0 and no change without the new shell or under visual styles.
    BOOL SetCaptionStyle(BOOL bOn, BOOL bRepaint)
    {
        return m_docking.SetCaptionStyle(bOn, bRepaint);
    }
    void CalcCaptionRect(CRect& rect)
    {
        m_docking.CalcCaptionRect(rect);
    }

    void RecalcLayout(BOOL bNotify = TRUE) override
    {
        TBase::RecalcLayout(bNotify);
        m_docking.OnLayoutDone();
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        return m_docking.PreTranslateThroughPlugIn(pMsg) || TBase::PreTranslateMessage(pMsg);
    }
    // The message plug-in first, then the owner-drawn caption.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        LRESULT lResult = 0;
        if (m_docking.OfferToPlugIn(message, wParam, lParam, lResult) ||
            m_docking.HandleCaptionMessage(message, wParam, lParam, lResult))
            return lResult;
        return TBase::WindowProc(message, wParam, lParam);
    }

protected:
    // The frames' WM_ACTIVATE: the caption stays active while this frame or one of its floating
    // windows is the active window.
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
    {
        TBase::OnActivate(nState, pWndOther, bMinimized);
        m_docking.UpdateStayActive(nState, pWndOther);
    }
    // The frames' WM_DESTROY: the bars go first, the message plug-in before the window.
    void OnDestroy()
    {
        SECFrameDocking::DestroyDockBars(*this);
        m_docking.DeleteMessagePlugIn();
        TBase::OnDestroy();
    }

private:
    SECFrameDocking m_docking;
};
} // namespace tarnwick::frames
