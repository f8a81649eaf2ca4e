// A frame for a document view that sits in a frame bar instead of among the MDI children, with
// the caption filters of an MDI child. While it is active it stands in for the active MDI child.
#pragma once

#include <toolkit/frames/FrameWnd.h>
#include <toolkit/frames/MsgFilter.h>

namespace tarnwick::frames
{
class SECMDIFrameWnd;

class SECDockableFrame : public SECFrameWnd
{
    DECLARE_DYNCREATE(SECDockableFrame)
public:
    SECDockableFrame();
    ~SECDockableFrame() override;

    // A tool-window caption; the document's title alone.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // A child of pParentWnd (its frame bar) with the template's shared menu and accelerators;
    // a child window has no menu line of its own.
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_CAPTION | WS_SYSMENU | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    // The MDI frame's title follows; the frame's own is the document's title with ":n".
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    // Shows the active document's menu, else the shared one, in the MDI frame.
    virtual void OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt);
    // The plug-in first, then the template's accelerators against the main window.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The extended system commands go to the filters.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Only the frame bar that hosts it goes, taking this frame with it.
    BOOL DestroyWindow() override;
    // The state of the hosting bar.
    virtual BOOL IsFloating() const;
    // Bit 0 switches every filter; bit 1 then keeps the caption buttons off, bit 2 the right
    // double-click and bit 3 the context menu.
    virtual void InstallFilters(UINT nMask);
    // The MDI frame it stands in for: its parent frame when that is one, else the main window.
    SECMDIFrameWnd* GetMDIFrame() const;
    CControlBar* GetParentBar() const;
    SECMsgFilter& GetMsgFilter()
    {
        return *m_pMsgFilter;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnParentNotify(UINT message, LPARAM lParam);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    // Taken from the document template when the frame is loaded.
    HMENU m_hMenuShared;
    SECMsgFilter* m_pMsgFilter;
    SECMsgFilter::DescriptorTable m_descriptors;

    void MakeActiveDockedFrame();
};
} // namespace tarnwick::frames
