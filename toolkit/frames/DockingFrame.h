// One implementation of the docking services for both frame bases: the toolkit's frame derives
// from it over CFrameWnd, the MDI frame over CMDIFrameWnd.
#pragma once

#include <afxpriv.h>

#include <toolkit/bars/MenuBarMessages.h>
#include <toolkit/frames/DockState.h>
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
    void DockControlBar(CControlBar* pBar, CDockBar* pDockBar = nullptr, LPCRECT lpRect = nullptr) override
    {
        m_docking.DockControlBar(pBar, pDockBar, lpRect);
    }
    void DockControlBarById(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect = nullptr)
    {
        DockControlBar(pBar, DYNAMIC_DOWNCAST(CDockBar, this->GetControlBar(nDockBarID)), lpRect);
    }
    void ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar = nullptr, LPCRECT lpRect = nullptr) override
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

    void SetMenuBar(bars::SECMenuBar* pMenuBar)
    {
        m_docking.SetMenuBar(pMenuBar);
    }
    bars::SECMenuBar* GetMenuBar() const
    {
        return m_docking.GetMenuBar();
    }
    BOOL HasMenuBar() const
    {
        return GetMenuBar() != nullptr;
    }
    bars::SECControlBarManager* SetControlBarManager(bars::SECControlBarManager* pManager)
    {
        return m_docking.SetControlBarManager(pManager);
    }
    bars::SECControlBarManager* GetControlBarManager() const
    {
        return m_docking.GetControlBarManager();
    }
    // The docking layout in the profile under lpszProfileName: loaded and applied (the frame
    // becomes the thread's main window when it has none), or captured and saved.
    virtual void LoadDockState(LPCTSTR lpszProfileName)
    {
        m_docking.LoadDockState(lpszProfileName);
    }
    virtual void SaveDockState(LPCTSTR lpszProfileName)
    {
        m_docking.SaveDockState(lpszProfileName);
    }
    // Applies a state to this frame, or fills it from this frame.
    virtual void SetDockState(SECDockState& state)
    {
        state.SetState(this);
    }
    virtual void GetDockState(SECDockState& state)
    {
        state.GetState(this);
    }
    void SetMenuOptions(BOOL bBitmapMenus, int nOption)
    {
        m_docking.SetMenuOptions(bBitmapMenus, nOption);
    }
    int SetBitmapMenuColor(COLORREF crColor, int nFlag)
    {
        return m_docking.SetBitmapMenuColor(crColor, nFlag);
    }
    COLORREF GetBitmapMenuColor() const
    {
        return m_docking.GetBitmapMenuColor();
    }
    virtual HMENU GetMenuForId(UINT nID)
    {
        return m_docking.GetFrameMenuForId(nID);
    }
    // The frame menu in menu-bar mode, else the framework's default menu.
    virtual HMENU GetDefaultMenu()
    {
        return HasMenuBar() ? m_docking.GetFrameMenu() : this->m_hMenuDefault;
    }

    // With a menu bar the window has no menu line: the resource's menu becomes the frame menu.
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override
    {
        if (!HasMenuBar())
            return TBase::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext);
        LPCTSTR lpszClass = this->LoadTitleAndIconClass(nIDResource);
        const CString strTitle = this->m_strTitle;
        if (!this->Create(lpszClass, strTitle, dwDefaultStyle, CFrameWnd::rectDefault, pParentWnd, nullptr, 0,
                          pContext))
            return FALSE;
        this->m_hMenuDefault = nullptr;
        m_docking.LoadFrameMenu(nIDResource);
        if (this->m_hAccelTable == nullptr)
            this->LoadAccelTable(MAKEINTRESOURCE(nIDResource));
        if (pContext == nullptr)
            this->SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
        OnFrameMenuLoaded();
        return TRUE;
    }

    void RecalcLayout(BOOL bNotify = TRUE) override
    {
        TBase::RecalcLayout(bNotify);
        m_docking.OnLayoutDone();
    }
    // A print preview keeps its keys from the message plug-in.
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        const CView* pView = this->GetActiveView();
        const BOOL bPreview = pView != nullptr && pView->IsKindOf(RUNTIME_CLASS(CPreviewView));
        return (!bPreview && m_docking.PreTranslateThroughPlugIn(pMsg)) || TBase::PreTranslateMessage(pMsg);
    }
    // Leaving the preview repaints the whole frame, whose bars come back.
    void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override
    {
        TBase::OnSetPreviewMode(bPreview, pState);
        if (!bPreview)
            this->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    BOOL ProcessHelpMsg(MSG& msg, DWORD* pContext) override
    {
        BOOL bGoOn = TRUE;
        if (m_docking.HelpClickOnMenuBar(msg, pContext, bGoOn))
            return bGoOn;
        return TBase::ProcessHelpMsg(msg, pContext);
    }
    // The message plug-in first, then the owner-drawn caption.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_INITMENUPOPUP && m_docking.GetMessagePlugIn() != nullptr && m_docking.AreBitmapMenusOn())
            return InitMenuPopupWithBitmaps(wParam, lParam);
        LRESULT lResult = 0;
        if (m_docking.OfferToPlugIn(message, wParam, lParam, lResult))
            return lResult;
        // While the toolbars are customised the frame stays inactive and its frame inert.
        if (m_docking.IsCustomising())
        {
            if (message == WM_NCHITTEST)
                return HTERROR;
            if (message == WM_NCACTIVATE || message == WM_ENABLE)
                this->m_nFlags &= ~WF_STAYACTIVE;
        }
        if (m_docking.HandleCaptionMessage(message, wParam, lParam, lResult))
            return lResult;
        if (message == bars::SECMenuBarMessages::GetMenuMessage())
            return reinterpret_cast<LRESULT>(
                ::GetSubMenu(GetMenuForId(static_cast<UINT>(wParam)), static_cast<int>(lParam)));
        lResult = TBase::WindowProc(message, wParam, lParam);
        if (message == WM_SYSCOLORCHANGE)
            m_docking.RefreshFloatingToolBars();
        return lResult;
    }

protected:
    // The popup's commands update first, then the plug-in turns its items into bitmap items;
    // the system menu tracked from the menu bar is marked as such so that it stays as it is.
    LRESULT InitMenuPopupWithBitmaps(WPARAM wParam, LPARAM lParam)
    {
        if (bars::SECMenuBarMessages::IsTrackingSystemMenu())
            lParam = MAKELPARAM(LOWORD(lParam), TRUE);
        const LRESULT lResult = TBase::WindowProc(WM_INITMENUPOPUP, wParam, lParam);
        LRESULT lPlugIn = 0;
        m_docking.OfferToPlugIn(WM_INITMENUPOPUP, wParam, lParam, lPlugIn);
        return lResult;
    }
    // LoadFrame's last step in menu-bar mode.
    virtual void OnFrameMenuLoaded()
    {
    }
    // The frames' WM_CREATE: the message plug-in once the window is up.
    int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (TBase::OnCreate(lpCreateStruct) == -1)
            return -1;
        m_docking.CreateMenuPlugIn();
        return 0;
    }
    // The frames' WM_ACTIVATE: the caption stays active while this frame or one of its floating
    // windows is the active window.
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
    {
        TBase::OnActivate(nState, pWndOther, bMinimized);
        m_docking.UpdateStayActive(nState, pWndOther);
    }
    // The frames' WM_ENTERIDLE: while the toolbars are customised in a dialog the thread's idle
    // work waits for the dialog to close, so a layout asked for meanwhile is carried out here.
    void OnEnterIdle(UINT nWhy, CWnd* pWho)
    {
        if (nWhy == MSGF_DIALOGBOX && m_docking.IsCustomising() && (this->m_nIdleFlags & TBase::idleLayout))
        {
            this->RecalcLayout((this->m_nIdleFlags & TBase::idleNotify) != 0);
            this->UpdateWindow();
        }
        TBase::OnEnterIdle(nWhy, pWho);
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
