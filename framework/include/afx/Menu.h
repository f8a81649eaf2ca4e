// Menus. A CMenu owns its menu and destroys it when destroyed unless detached first; a menu
// that belongs to a window is destroyed with the window, so detach it before.
#pragma once

class CWnd;

class CMenu : public CObject
{
    DECLARE_DYNCREATE(CMenu)
public:
    CMenu();
    ~CMenu() override;

    HMENU m_hMenu;

    operator HMENU() const
    {
        return GetSafeHmenu();
    }
    HMENU GetSafeHmenu() const
    {
        return AfxIsNullObject(this) ? nullptr : m_hMenu;
    }

    // The object attached to the menu, else a temporary wrapper that lives until the thread
    // is idle; NULL for a NULL handle.
    static CMenu* PASCAL FromHandle(HMENU hMenu);
    // The attached object only: NULL for menus that no CMenu owns (owner-drawn items are
    // dispatched to their menu's DrawItem this way).
    static CMenu* PASCAL FromHandlePermanent(HMENU hMenu);
    static void PASCAL DeleteTempMap();
    BOOL Attach(HMENU hMenu);
    HMENU Detach();

    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    // Menus of the executable's resources.
    BOOL LoadMenu(LPCTSTR lpszResourceName);
    BOOL LoadMenu(UINT nIDResource);
    BOOL LoadMenuIndirect(const void* lpMenuTemplate);
    BOOL DestroyMenu();

    // nFlags says whether nPosition is a command id (MF_BYCOMMAND) or a position
    // (MF_BYPOSITION). DeleteMenu destroys a pop-up item's submenu, RemoveMenu keeps it.
    BOOL DeleteMenu(UINT nPosition, UINT nFlags);
    BOOL RemoveMenu(UINT nPosition, UINT nFlags);
    // With MF_POPUP, nIDNewItem is the submenu's handle.
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp);
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp);
    BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
    BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp);
    BOOL InsertMenuItem(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos = FALSE);

    // These return the previous state, or (UINT)-1 when the item does not exist.
    UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck);
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable);
    // Checks nIDItem with a radio bullet and clears the others of the range.
    BOOL CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags);
    BOOL SetMenuItemBitmaps(UINT nPosition, UINT nFlags, const CBitmap* pBmpUnchecked, const CBitmap* pBmpChecked);
    BOOL SetDefaultItem(UINT uItem, BOOL fByPos = FALSE);
    UINT GetDefaultItem(UINT gmdiFlags, BOOL fByPos = FALSE);

    // (UINT)-1 when the menu is not valid.
    UINT GetMenuItemCount() const;
    // 0 for a separator, (UINT)-1 for a pop-up item or a position out of range.
    UINT GetMenuItemID(int nPos) const;
    // The MF_ flags of the item; for a pop-up item the high byte is its submenu's item count.
    UINT GetMenuState(UINT nID, UINT nFlags) const;
    // The length copied, without the terminator.
    int GetMenuString(UINT nIDItem, LPTSTR lpString, int nMaxCount, UINT nFlags) const;
    int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
    BOOL GetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos = FALSE);
    BOOL SetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos = FALSE);
    // A temporary object unless the submenu is attached to a CMenu; NULL when the item has
    // no submenu.
    CMenu* GetSubMenu(int nPos) const;
    BOOL GetMenuInfo(LPMENUINFO lpcmi) const;
    BOOL SetMenuInfo(LPCMENUINFO lpcmi);
    DWORD GetMenuContextHelpId() const;
    BOOL SetMenuContextHelpId(DWORD dwContextHelpId);

    // Shows the menu as a pop-up at a screen position; commands go to pWnd. With
    // TPM_RETURNCMD the result is the chosen command id (0 when none).
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = nullptr);
    BOOL TrackPopupMenuEx(UINT fuFlags, int x, int y, CWnd* pWnd, LPTPMPARAMS lptpm);

    // Owner-drawn items (MF_OWNERDRAW) are drawn and measured by these; the menu's owner
    // window calls them. They do nothing here.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);

    BOOL operator==(const CMenu& menu) const
    {
        return m_hMenu == menu.m_hMenu;
    }
    BOOL operator!=(const CMenu& menu) const
    {
        return m_hMenu != menu.m_hMenu;
    }
};
