// A worksheet: the workbook's child frame, which owns a tab of the workbook with a small icon
// and keeps it painted.
#pragma once

#include <toolkit/frames/MDIChildWnd.h>

namespace tarnwick::frames
{
class SECWorkbookWnd;

class SECWorksheetWnd : public SECMDIChildWnd
{
    DECLARE_DYNCREATE(SECWorksheetWnd)
public:
    SECWorksheetWnd();

    // Adds the sheet's tab and takes the icon of the resource id, 16 by 16, for it.
    BOOL LoadFrame(UINT nIDResource,
                   DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    // A sheet shown by menu id has the client refresh the tabs, as a menu change would.
    void OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt) override;

    // The workbook that holds the tab; NULL outside one.
    SECWorkbookWnd* GetWorkbook();
    int GetTabIndex() const
    {
        return m_nTabIndex;
    }
    void SetTabIndex(int nIndex)
    {
        m_nTabIndex = nIndex;
    }
    // Set while a click on the tab is being handled.
    BOOL IsPressed() const
    {
        return m_bPressed;
    }
    void SetPressed(BOOL bPressed)
    {
        m_bPressed = bPressed;
    }
    // The sheet's own visibility, whatever its frame's: a hidden sheet has no tab.
    BOOL IsShown() const
    {
        return (GetStyle() & WS_VISIBLE) != 0;
    }
    HICON GetIcon() const
    {
        return m_hTabIcon;
    }
    // The sheet destroys the icon with its window.
    void SetIcon(HICON hIcon)
    {
        m_hTabIcon = hIcon;
    }

protected:
    afx_msg void OnDestroy();
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()

private:
    HICON m_hTabIcon;
    int m_nTabIndex;
    BOOL m_bPressed;
};
} // namespace tarnwick::frames
