// The toolkit's MDI child frame: its own caption filters and extended system commands, and the
// activation rules that keep the caption and the view's focus in step with the MDI frame.
#pragma once

#include <toolkit/frames/MsgFilter.h>

#include <afxwin.h>

namespace tarnwick::frames
{
class SECMDIFrameWnd;

class SECMDIChildWnd : public CMDIChildWnd
{
    DECLARE_DYNCREATE(SECMDIChildWnd)
public:
    SECMDIChildWnd();
    ~SECMDIChildWnd() override;

    // Bit 0 switches every filter; bit 1 then takes the caption button off again, bit 2 the
    // right double-click, bit 3 the context menu.
    virtual void InstallFilters(UINT nMask);

    BOOL LoadFrame(UINT nIDResource,
                   DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    void OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Mouse and non-client button messages go to the filters first.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // The extended system commands go to the filters.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    SECMsgFilter& GetMsgFilter()
    {
        return *m_pMsgFilter;
    }
    // The menu resource the frame's menu bar shows while this child is active.
    UINT GetMenuId() const
    {
        return m_nMenuId;
    }

protected:

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    afx_msg void OnChildActivate();
    afx_msg void OnParentNotify(UINT message, LPARAM lParam);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

    // The MDI frame when it shows its menus in a menu bar, else null.
    SECMDIFrameWnd* GetMenuBarFrame();

private:
    // The menu resource the frame's menu bar shows while this child is active.
    UINT m_nMenuId;
    BOOL m_bMenuById;
    // The menu last handed to OnUpdateFrameMenu.
    HMENU m_hMenuAlt;
    SECMsgFilter* m_pMsgFilter;
    SECMsgFilter::DescriptorTable m_descriptors;

    // Activates this child among the MDI children, moves the focus into its view and draws
    // it active, as a click into it does.
    void ActivateOnClick();
    // The MDI frame's docked document frame stops standing in for the active child.
    void ClearActiveDockedFrame();
};
} // namespace tarnwick::frames
