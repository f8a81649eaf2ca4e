// A child window that owns a tab strip and one page window per tab, and shows the page of the
// active tab. What does not depend on the strip's look lives here.
#pragma once

#include <afxwin.h>

#include "TabControlBase.h"

namespace tarnwick::tabs
{
constexpr UINT SEC_IDW_TABCTRL = 0xEA30;
// Pages created without an id get this plus the tab count.
constexpr UINT SEC_IDW_FIRST_PAGE = 0xEB00;

class SECTabWndBase : public CWnd
{
    DECLARE_DYNCREATE(SECTabWndBase)
public:
    SECTabWndBase();
    ~SECTabWndBase() override;

    // Class name, window name, rectangle and context are not used.
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID, CCreateContext* pContext = nullptr) override;
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE, UINT nID = AFX_IDW_PANE_FIRST);
    virtual BOOL CreateScrollBar(DWORD dwStyle, UINT nID);
    virtual BOOL CreateTabControl(DWORD dwStyle, UINT nID);
    // The new page, or null when it could not be created.
    virtual CWnd* InsertTab(CRuntimeClass* pViewClass, int nIndex, LPCTSTR lpszLabel,
                            CCreateContext* pContext = nullptr, int nID = -1);
    virtual SECTab* InsertTab(CWnd* pWnd, int nIndex, LPCTSTR lpszLabel);
    virtual CWnd* AddTab(CRuntimeClass* pViewClass, LPCTSTR lpszLabel, CCreateContext* pContext = nullptr,
                         int nID = -1);
    virtual SECTab* AddTab(CWnd* pWnd, LPCTSTR lpszLabel);
    virtual void SetTabIcon(int nIndex, LPCTSTR lpszResourceName, int cx, int cy);
    virtual void SetTabIcon(int nIndex, UINT nIDResource, int cx, int cy);
    virtual void SetTabIcon(int nIndex, HICON hIcon);
    // The page's use of the shared scroll bars: WS_HSCROLL, WS_VSCROLL.
    virtual void SetScrollStyle(int nIndex, DWORD dwStyle);
    virtual void RemoveTab(int nIndex);
    virtual BOOL RemoveTab(CWnd* pWnd);
    virtual void RenameTab(int nIndex, LPCTSTR lpszLabel);
    virtual BOOL RenameTab(CWnd* pWnd, LPCTSTR lpszLabel);
    virtual void ActivateTab(int nIndex);
    virtual BOOL ActivateTabOfWindow(CWnd* pWnd);
    virtual BOOL SetActiveTab(CWnd* pWnd, int nIndex);
    virtual void ClearSelection();
    virtual void ScrollToTab(int nIndex);
    virtual BOOL ScrollToTab(CWnd* pWnd);
    // Gives the active page the focus (a view becomes its frame's active view).
    virtual void ActivatePage();
    // Null means the parent.
    virtual CWnd* SetNotifyWnd(CWnd* pWnd);
    virtual CWnd* GetNotifyWnd() const;
    // The page area.
    virtual void GetInsideRect(CRect& rect) const;
    virtual void RecalcLayout();

    int GetTabCount() const;
    BOOL GetTabInfo(int nIndex, LPCTSTR& lpszLabel, BOOL& bSelected, CWnd*& pWnd, DWORD& dwUserData) const;
    BOOL FindTab(const CWnd* pWnd, int& nIndex) const;
    BOOL GetActiveTab(CWnd*& pWnd) const;
    SECTabControlBase* GetTabControl() const;

protected:
    void SetTabControl(SECTabControlBase* pTabControl);
    CWnd* GetActivePage() const;
    // Moves a window unless it stands there already.
    static HDWP DeferMove(HDWP hdwp, CWnd* pWnd, const CRect& rect, UINT nFlags);
    // TCM_TABSEL: the page is shown, then the notify window hears of it with this window's id.
    LRESULT ForwardTabSel(WPARAM wParam, LPARAM lParam);
    // The page itself, or its first tab-stop control, takes the focus.
    void FocusPage(CWnd* pPage);

    afx_msg LRESULT OnTabSel(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTabReactivate(WPARAM wParam, LPARAM lParam);
    afx_msg void OnChildActivate();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    CWnd* CreatePage(CRuntimeClass* pViewClass, CCreateContext* pContext, int nID);
    void ShowPageFocus(CWnd* pPage);

    SECTabControlBase* m_pTabControl = nullptr;
    CWnd* m_pActiveWnd = nullptr;
    CWnd* m_pNotifyWnd = nullptr;
};
} // namespace tarnwick::tabs
