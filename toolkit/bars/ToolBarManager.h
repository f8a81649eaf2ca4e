// The frame-wide owner of a frame's customisable toolbars: their default definitions, the
// shared image store and drawing data, the frame-wide options (tool tips, cool look, large
// buttons), the menu bar's button list and the record of the command a button is firing.
#pragma once

#include <afxext.h>
#include <toolkit/bars/BtnDrawData.h>
#include <toolkit/bars/ControlBarManager.h>
#include <toolkit/bars/StdBtn.h>

#include <memory>
#include <vector>

namespace tarnwick::bars
{
class SECBmpMgr;
class SECCustomToolBar;
class SECMenuBar;

// Bar type ids of saved bar records.
constexpr UINT BARTYPE_CUSTOMTOOLBAR = 14946;
constexpr UINT BARTYPE_MENUBAR = 14947;
// The menu bar's control id, and the first and last ids of user toolbars.
constexpr UINT ID_SEC_MENUBAR = 0xE8FF;
constexpr UINT ID_SEC_FIRSTUSERBAR = 0xE820;
constexpr UINT ID_SEC_LASTUSERBAR = 0xE8FF;

// What a bar tells the notification windows through "WM_BARNOTIFY" (the message's lParam).
enum SECBarNotification : int
{
    barShown = 0,
    barHidden = 1,
    barCreated = 2,
    barDestroyed = 3,
    barSelectionChanged = 4
};

class SECToolBarManager : public SECControlBarManager
{
    DECLARE_DYNAMIC(SECToolBarManager)
public:
    // The record of the command a toolbar button is sending; reference counted.
    class SECCurrentCommand
    {
    public:
        SECCurrentCommand();
        void AddRef();
        void Release();

        LONG m_nRefs;
        RECT m_rcButton;
        BOOL m_bActive;

    protected:
        virtual ~SECCurrentCommand() = default;
    };

    SECToolBarManager(CFrameWnd* pFrame, CWnd* pOwnerWnd = nullptr);
    ~SECToolBarManager() override;

    BOOL LoadToolBarResource(UINT nSmallID, UINT nLargeID = 0);
    void SetButtonMap(const SECBtnMapEntry* pMap)
    {
        m_pButtonMap = pMap;
    }
    const SECBtnMapEntry* GetButtonMap() const
    {
        return m_pButtonMap;
    }
    const SECBtnMapEntry* GetSecondButtonMap() const
    {
        return m_pSecondButtonMap.get();
    }
    // The ids must stay valid while the manager lives.
    void DefineDefaultToolBar(UINT nBarID, LPCTSTR lpszTitle, UINT nCount, const UINT* pIDs,
                              DWORD dwDockSides = CBRS_ALIGN_ANY, UINT nDockBarID = AFX_IDW_DOCKBAR_TOP,
                              UINT nBesideID = 0, BOOL bDocked = TRUE, BOOL bVisible = TRUE);
    virtual BOOL CreateDefaultToolBars();
    void EnableToolTips(BOOL bEnable);
    void EnableCoolLook(BOOL bEnable, DWORD dwExStyle = CBRS_EX_COOLLOOK_BITS);
    void EnableLargeButtons(BOOL bEnable);
    BOOL ToolTipsEnabled() const
    {
        return m_bToolTips;
    }
    BOOL CoolLookEnabled() const
    {
        return m_bCoolLook;
    }
    BOOL LargeButtonsEnabled() const
    {
        return m_bLargeButtons;
    }
    virtual BOOL ApplyButtonSizes();
    virtual void AttachToolBars();
    UINT GetBarTypeID(CControlBar* pBar) const override;
    // The options in the section "<name>-ToolBarManager" of the application's profile.
    void SaveProfileState(LPCTSTR lpszSection) override;
    void LoadProfileState(LPCTSTR lpszSection) override;
    // The options as booleans in a child "ToolBarMgr"; without one the options go back to their
    // defaults while the bars keep their looks.
    BOOL SaveNodeState(workspace::SECPTNFactory& factory, workspace::SECPersistentTreeNode* pParent) override;
    BOOL LoadNodeState(workspace::SECPersistentTreeNode* pNode) override;
    // A toolbar record for toolbars and the menu bar only.
    frames::SECControlBarInfoEx* CreateBarInfoEx(frames::SECControlBarInfo* pInfo) override;
    // A saved toolbar, or the frame's menu bar, made again under the record's id.
    CControlBar* CreateBar(frames::SECControlBarInfo* pInfo) override;
    virtual SECCustomToolBar* FindToolBar(UINT nID) const;
    // The visible toolbar whose window (a floating bar's: its frame) meets the screen
    // rectangle; of several, a floating one, the topmost of them.
    virtual SECCustomToolBar* FindToolBarAt(const CRect& rect) const;
    // A new empty toolbar with the first free user id, titled "ToolBar<n>" without a title;
    // NULL when every user id is taken.
    SECCustomToolBar* CreateUserToolBar(LPCTSTR lpszTitle = nullptr);
    // Hands nSet and nClear to the update operation (code 1) of every button of the command.
    void ForwardToButtons(UINT nID, UINT nSet, UINT nClear);
    // Sends "WM_BARNOTIFY" (bar id, code) to the notification windows that still exist.
    void NotifyBars(UINT nBarID, SECBarNotification nCode);
    void AddNotifyWnd(CWnd* pWnd);
    SECCurrentCommand* GetCurrentCommand();
    void SetMenuBarIds(const UINT* pIDs, int nCount);
    const UINT* GetMenuBarIds(int& nCount) const;
    // The menu bar's button table built from menu resources (see SECMenuBar); FALSE when the
    // frame has no menu bar or no button could be made.
    BOOL SetMenuInfo(int nCount, UINT nMenuID, ...);

    // A menu bar for a frame that is not one of the toolkit's; those keep their own.
    void SetMenuBar(SECMenuBar* pMenuBar)
    {
        m_pMenuBar = pMenuBar;
    }
    // The toolkit frame's menu bar, else the one set here.
    SECMenuBar* GetMenuBar() const;
    SECBmpMgr* GetBmpMgr() const
    {
        return m_pBmpMgr;
    }
    SECBtnDrawData& GetDrawData()
    {
        return m_drawData;
    }
    void SetToolBarClass(CRuntimeClass* pClass)
    {
        m_pToolBarClass = pClass;
    }
    BOOL GetCustomiseMode() const
    {
        return m_bCustomiseMode;
    }
    void SetCustomiseMode(BOOL bCustomise)
    {
        m_bCustomiseMode = bCustomise;
    }
    // The customise mode that user toolbars start with.
    void SetNewBarMode(BOOL bMode)
    {
        m_bNewBarMode = bMode;
    }
    // The customisation window, which buttons dropped on it do not leave.
    void SetCustomiseWnd(CWnd* pWnd)
    {
        m_pCustomiseWnd = pWnd;
    }
    // Its screen rectangle, or an empty one.
    CRect GetBarRect() const;
    // The toolbar holding the selected button, or NULL.
    SECCustomToolBar* GetCustomiseFocus() const
    {
        return m_pFocusBar;
    }
    void SetCustomiseFocus(SECCustomToolBar* pBar)
    {
        m_pFocusBar = pBar;
    }

    // The style and toolkit extended style of every bar the manager creates.
    DWORD GetBarStyle() const;
    DWORD GetBarExStyle() const;
    // The customisable toolbars of the frame (the menu bar among them), in list order.
    std::vector<SECCustomToolBar*> GetToolBars() const;
    // The toolbars that share a bar's commands: its manager's, or the bar alone.
    static std::vector<SECCustomToolBar*> ToolBarsOf(SECCustomToolBar* pBar);

    static constexpr DWORD CBRS_EX_COOLLOOK_BITS = 0x300;

private:
    struct Definition
    {
        UINT nBarID;
        CString strTitle;
        UINT nCount;
        const UINT* pIDs;
        DWORD dwDockSides;
        UINT nDockBarID;
        UINT nBesideID;
        BOOL bDocked;
        BOOL bVisible;
    };
    void SetImageSize(SECCustomToolBar* pBar) const;
    // A toolbar of the manager's class, style and images, dockable everywhere; NULL when its
    // window cannot be made.
    SECCustomToolBar* NewToolBar(UINT nID, LPCTSTR lpszTitle);
    // The three options, each applied through its switch, then the bars attached.
    void ApplyOptions(BOOL bToolTips, BOOL bCoolLook, BOOL bLargeButtons);
    void DockBeside(SECCustomToolBar* pBar, const Definition& def);

    std::vector<std::unique_ptr<Definition>> m_definitions;
    std::vector<HWND> m_notifyWnds;
    CWnd* m_pCustomiseWnd;
    BOOL m_bCustomiseMode;
    BOOL m_bNewBarMode;
    SECCustomToolBar* m_pFocusBar;
    BOOL m_bToolTips;
    BOOL m_bFlyBy;
    BOOL m_bCoolLook;
    BOOL m_bLargeButtons;
    const SECBtnMapEntry* m_pButtonMap;
    // The menu bar's buttons, one per popup of its menus (SetMenuInfo).
    std::unique_ptr<SECBtnMapEntry[]> m_pSecondButtonMap;
    SECCurrentCommand* m_pCurrentCommand;
    std::vector<UINT> m_menuBarIds;
    SECBmpMgr* m_pBmpMgr;
    SECBtnDrawData m_drawData;
    CWnd* m_pOwnerWnd;
    CRuntimeClass* m_pToolBarClass;
    SECMenuBar* m_pMenuBar;
};
} // namespace tarnwick::bars
