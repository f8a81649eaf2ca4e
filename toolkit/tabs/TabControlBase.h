// The window behind every tab strip: an ordered array of tab records, one active tab, a
// multiple selection, and the notifications to the parent. Derived controls supply geometry,
// painting, hit-testing and scrolling.
#pragma once

#include <afxcoll.h>
#include <afxwin.h>

#include "Tab.h"

namespace tarnwick::tabs
{
// Messages a tab control sends to its parent.
constexpr UINT TCM_TABSEL = WM_USER + 1000;        // wParam active index, lParam TAB_SEL_NOTIFY*
constexpr UINT TCM_TABDBLCLK = WM_USER + 1001;     // wParam index of the tab hit
constexpr UINT TCM_TABSELCLR = WM_USER + 1002;     // the selection was cleared
constexpr UINT TCM_TABREACTIVATE = WM_USER + 1003; // wParam active index: the active tab was clicked again

struct TAB_SEL_NOTIFY
{
    UINT nCtrlID;
    int nTabIndex;
    int nPrevTabIndex; // -1 when no tab was active
    void* pClient;
    void* pPrevClient; // null when no tab was active
};

class SECTabControlBase : public CWnd
{
    DECLARE_DYNAMIC(SECTabControlBase)
public:
    SECTabControlBase();
    ~SECTabControlBase() override;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual void Initialize(DWORD dwStyle);
    virtual SECTab* CreateNewTab() const;
    virtual void RecalcLayout();
    virtual void OnActivateTab(int nIndex);
    virtual void DestroyGdiObjects();
    virtual SECTab* InsertTab(int nIndex, LPCTSTR lpszLabel, void* pClient = nullptr, DWORD dwUserData = 0,
                              DWORD dwUserData2 = 0);
    virtual SECTab* AddTab(LPCTSTR lpszLabel, void* pClient = nullptr, DWORD dwUserData = 0, DWORD dwUserData2 = 0);
    virtual void SetTabIcon(int nIndex, LPCTSTR lpszResourceName, int cx, int cy);
    virtual void SetTabIcon(int nIndex, UINT nIDResource, int cx, int cy);
    virtual void SetTabIcon(int nIndex, HICON hIcon);
    virtual void DeleteTab(int nIndex);
    virtual void RenameTab(int nIndex, LPCTSTR lpszLabel);
    // The parent's answer to TCM_TABSEL; 0 when the tab was active already.
    virtual LRESULT ActivateTab(int nIndex);
    virtual void NotifyReactivate();
    virtual void SelectTab(int nIndex);
    virtual void ClearSelection();
    virtual void ScrollToTab(int nIndex);
    virtual void InvalidateTab(int nIndex);

    int GetTabCount() const;
    // Throws CInvalidArgException for an index out of range.
    SECTab& GetTab(int nIndex) const;
    // The last tab whose client is pClient.
    BOOL FindTab(const void* pClient, int& nIndex) const;
    BOOL TabExists(const void* pClient) const;
    BOOL IsValidTab(int nIndex) const;
    BOOL GetActiveTab(int& nIndex) const;
    BOOL GetTabInfo(int nIndex, LPCTSTR& lpszLabel, BOOL& bSelected, void*& pClient, DWORD& dwUserData,
                    DWORD& dwUserData2) const;

protected:
    virtual void FillSolidRect(CDC* pDC, int x, int y, int cx, int cy, COLORREF clr);
    // Makes the font anew from lf; FALSE, with the old font kept, when that fails.
    static BOOL ReplaceFont(CFont& font, const LOGFONT& lf);

    void InvalidateTabsFrom(int nIndex);
    // Moves a record; the active tab is dropped (the caller activates it again).
    void MoveTab(int nFrom, int nTo);
    // Forgets the active tab without touching the records' flags.
    void DropActiveTab();

    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    TAB_SEL_NOTIFY MakeNotify(int nIndex) const;
    LRESULT NotifyParent(UINT message, WPARAM wParam, LPARAM lParam);
    void DeleteTabRecords();

    CObArray* m_pTabArray = nullptr;
    int m_nActiveTab = 0;
    BOOL m_bActiveTab = FALSE;
    HCURSOR m_hcurArrow = nullptr;
};
} // namespace tarnwick::tabs
