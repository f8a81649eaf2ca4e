// What makes the menu bar behave like a menu: Alt and F10 enter menu mode, arrows move between
// its buttons, letters open popups by mnemonic, popups open below their buttons and hand over
// to their neighbours, and the frame's system menu opens from the bar. Thread hooks are
// installed while the bar is in menu mode or a popup is open.
#pragma once

#include <afxwin.h>

namespace tarnwick::bars
{
class SECMenuBar;

// A drop-down request as the toolbar sends it; the button rectangle holds the button index,
// the menu id, the popup index (-1 with menu id 0: the frame's system menu; -2: the active MDI
// child's) and whether the record is a heap copy that the receiver deletes.
struct SECMenuRequest
{
    NMTOOLBARW nm;

    int ButtonIndex() const
    {
        return static_cast<int>(nm.rcButton.left);
    }
    UINT MenuID() const
    {
        return static_cast<UINT>(nm.rcButton.top);
    }
    int PopupIndex() const
    {
        return static_cast<int>(nm.rcButton.right);
    }
    BOOL IsOwned() const
    {
        return static_cast<BOOL>(nm.rcButton.bottom);
    }
    void SetOwned(BOOL bOwned)
    {
        nm.rcButton.bottom = bOwned;
    }
};

class SECMenuBarMessages
{
public:
    SECMenuBarMessages();
    virtual ~SECMenuBarMessages();
    SECMenuBarMessages(const SECMenuBarMessages&) = delete;
    SECMenuBarMessages& operator=(const SECMenuBarMessages&) = delete;

    void SetMenuBar(SECMenuBar* pMenuBar)
    {
        m_pMenuBar = pMenuBar;
    }
    SECMenuBar* GetMenuBar() const
    {
        return m_pMenuBar;
    }

    virtual void PostMenuProd(BOOL bNext);
    virtual void CancelMenu();
    // The frame changed its menu.
    virtual void OnSwitchMenu(UINT nMenuID);
    virtual void OpenHotMenu();
    virtual void TrackMouse(CPoint point);
    virtual void ConsumeAltUp();
    // A click during the system menu on the frame's system icon; TRUE when it was one.
    virtual BOOL OnSysMenuClick(const MSG* pMsg);
    virtual CWnd* GetTargetWnd() = 0;
    virtual void TrackPopup(SECMenuBar* pBar, HMENU hMenu, const SECMenuRequest& request);
    virtual void TrackSystemMenu(SECMenuBar* pBar, HMENU hMenu, const SECMenuRequest& request);
    virtual void HookMsgFilter(BOOL bHook);
    virtual void HookKeyboardAndMouse(BOOL bHook);
    // TRUE when the message was used and must not be translated further.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL OnMenuSelect();
    virtual BOOL OnMenuProd();
    // TRUE when the notification was the menu bar's.
    virtual BOOL OnNotify(NMHDR* pNMHDR);
    virtual BOOL OnInitMenuPopup();
    virtual BOOL OnSysCommand(UINT nID);
    virtual BOOL OnNcActivate(BOOL bActive);

    // The registered messages of menu tracking.
    static UINT MenuProdMessage();
    static UINT GetMenuMessage();
    // The object that owns the open popup or the menu mode; null when none.
    static SECMenuBarMessages* GetTrackingObject();
    // TRUE while the frame's system menu is tracked from the bar.
    static BOOL IsTrackingSystemMenu();

protected:
    // The popup a request names; null when it cannot be resolved. bSystem tells a system menu.
    HMENU ResolvePopup(const SECMenuRequest& request, BOOL& bSystem);
    // Leaves menu mode when it is on.
    void LeaveMenuMode();
    // The key's letter is the mnemonic of a control in the active view.
    BOOL IsViewMnemonic(UINT nKey);
    // F10 is an accelerator of the active frame with the modifiers held now.
    BOOL IsF10Accelerator();
    BOOL DropDownMnemonic(UINT nKey);

    static LRESULT CALLBACK MsgFilterHook(int nCode, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK KeyboardHook(int nCode, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK MouseHook(int nCode, WPARAM wParam, LPARAM lParam);

    SECMenuBar* m_pMenuBar;
    BOOL m_bKeyboardOpen;
    BOOL m_bMenuSelected;
    BOOL m_bProdNext;
    BOOL m_bAltConsumed;
};
} // namespace tarnwick::bars
