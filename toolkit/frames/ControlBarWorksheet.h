// The worksheet that hosts a control bar floated in the workbook: a tab with the bar's title
// and icon, with the hosting rules of SECControlBarMDIChildWnd.
#pragma once

#include <toolkit/frames/ControlBarMDIChildWnd.h>
#include <toolkit/frames/WorksheetWnd.h>

namespace tarnwick::frames
{
class SECControlBarWorksheet : public SECWorksheetWnd
{
    DECLARE_DYNCREATE(SECControlBarWorksheet)
public:
    SECControlBarWorksheet();
    SECDockBar& GetDockBar()
    {
        return m_host.GetDockBar();
    }
    // The tab takes the bar's icon, not the resource's.
    BOOL LoadFrame(UINT nIDResource,
                   DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;
    // The title stays the bar's; without an icon the tab takes the big icon of the first bar
    // that has one.
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnClose();
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()

private:
    SECBarChildHost m_host;
};
} // namespace tarnwick::frames
