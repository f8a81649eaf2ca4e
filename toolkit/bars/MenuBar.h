// The menu bar: a frame's menus shown as a row of menu buttons, one per top-level popup of
// every registered menu, of which those of the current menu are shown.
#pragma once

#include <toolkit/bars/CustomToolBar.h>

#include <cstdarg>
#include <map>
#include <memory>

namespace tarnwick::bars
{
class SECMenuBar : public SECCustomToolBar
{
    DECLARE_DYNCREATE(SECMenuBar)
public:
    SECMenuBar();
    ~SECMenuBar() override;

    BOOL CreateEx(DWORD dwExStyle, CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                  UINT nID = AFX_IDW_TOOLBAR, LPCTSTR lpszTitle = nullptr) override;
    int GetButtonHeight() const override;
    CFont* GetFont() const override;

    // The visible menu button with this mnemonic (upper case); -1 when none.
    virtual int FindMnemonic(TCHAR ch) const;
    virtual void ShowMenuButtons(DWORD dwMask, BOOL bRedraw);
    virtual void ResetButtons(BOOL bNoLayout);
    // For a bar without a manager: the table of the menus' popups, and the buttons from it.
    virtual BOOL SetMenuInfo(int nCount, UINT nMenuID, ...);

    // The button table of the menus, one entry per top-level popup, ids from 0x80000001 on;
    // null when no menu gave a popup. The popup texts stay in this bar.
    std::unique_ptr<SECBtnMapEntry[]> BuildMenuTable(const std::vector<UINT>& menuIds);
    // The ids of a SetMenuInfo call: the first and the nCount - 1 that follow it.
    static std::vector<UINT> CollectMenuIds(int nCount, UINT nFirst, va_list args);
    // Shows the buttons of a registered menu; other ids change nothing.
    void SwitchMenu(UINT nMenuID);
    UINT GetCurrentMenuId() const
    {
        return m_nCurrentMenuId;
    }
    DWORD GetMenuMask() const
    {
        return m_dwMenuMask;
    }
    // Set when the frame gave border space to an embedded tool.
    void SetBorderSpaceMode(BOOL bOn)
    {
        m_bBorderSpaceMode = bOn;
    }
    BOOL IsBorderSpaceMode() const
    {
        return m_bBorderSpaceMode;
    }
    // Asks the owner for the frame's system menu.
    void RequestSystemMenu();
    // In keyboard mode: drops the hot button down (or asks for the system menu).
    void OpenHotButton();
    // The next or previous navigable button: dropped down outside keyboard mode, made hot in it.
    void ProdMenu(BOOL bNext);

    static constexpr UINT FIRST_MENU_COMMAND = 0x80000001;
    // The resource id of frames that host a floated bar.
    static constexpr UINT ID_BAR_CHILD_MENU = 20514;
    static constexpr UINT MENU_BUTTON_STYLE = 0x30000000;

protected:
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    DECLARE_MESSAGE_MAP()

    void CreateMenuFont();
    // The buttons' ids from the manager's list, else from the bar's own table.
    std::vector<UINT> MenuButtonIds() const;

    std::map<UINT, DWORD> m_menuMaskMap;
    CStringArray m_menuTexts;
    BOOL m_bDelayFloatFix;
    CFont m_fontMenu;
    DWORD m_dwMenuMask;
    UINT m_nCurrentMenuId;
    BOOL m_bBorderSpaceMode;
};
} // namespace tarnwick::bars
