// Command state updates: update handlers (ON_UPDATE_COMMAND_UI) set the state of a menu item
// or a control through a CCmdUI, which holds the item being updated.
#pragma once

class CMenu;
class CWnd;

class CCmdUI
{
public:
    CCmdUI();
    virtual ~CCmdUI() = default;

    UINT m_nID;
    // The item's position in m_pMenu, and the item count when the update began.
    UINT m_nIndex;
    UINT m_nIndexMax;
    // The menu form: the menu that holds the item; m_pSubMenu is set for a pop-up item,
    // which takes the state of its first item and is never changed through this object.
    CMenu* m_pMenu;
    CMenu* m_pSubMenu;
    CMenu* m_pParentMenu;
    // The control form: the control (or other window) being updated.
    CWnd* m_pOther;

    // A disabled control that has the focus gives it to the next tab item first.
    virtual void Enable(BOOL bOn = TRUE);
    // 0 unchecked, 1 checked, 2 indeterminate; controls other than buttons ignore it.
    virtual void SetCheck(int nCheck = 1);
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);

    // Called by an update handler: the update goes on to the next command target.
    void ContinueRouting();

    // Asks pTarget's routing for an update handler. When none changes the enabled state
    // and bDisableIfNoHndler is set, the item is enabled only when a command handler exists.
    // TRUE when an update handler took it.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

    BOOL m_bEnableChanged;
    BOOL m_bContinueRouting;
};

// Updates every item of a menu through pTarget's update handlers, as a frame does before the
// menu opens: a pop-up item is updated as its first item and never disabled for want of a
// handler; system commands (0xF000 and up) are not disabled either.
void AFXAPI AfxUpdateMenuCmdUI(CMenu* pMenu, CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
