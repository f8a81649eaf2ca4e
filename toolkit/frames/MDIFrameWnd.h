// The toolkit's MDI main frame: the shared docking services of the toolkit's frames, four
// auto-hide strips made with the dock bars, message filters for caption buttons and extended
// system commands, and a cycle of default dock positions.
#pragma once

#include <toolkit/frames/AutoHideBar.h>
#include <toolkit/frames/DockingFrame.h>
#include <toolkit/frames/MsgFilter.h>

#include <afxtempl.h>

namespace tarnwick::frames
{
// How a bar is docked: its share of the row and its length across the dock bar.
struct SECDockLayout
{
    float fPercent;
    int nLength;
    int nReserved;
};

class SECMDIFrameWnd : public SECDockingFrame<CMDIFrameWnd>
{
    DECLARE_DYNCREATE(SECMDIFrameWnd)
public:
    SECMDIFrameWnd();
    ~SECMDIFrameWnd() override;

    virtual CDockBar* CreateDockBarObject();
    // Into the dock bar of that id (else the side of the bar's alignment) at the placement,
    // committing the layout's length along the side's orientation.
    virtual void DockControlBarAt(CControlBar* pBar, const SECDockPlacement& position, UINT nDockBarID,
                                  const SECDockLayout& layout);
    // DockControlBarAt at row placeB, column placeA.
    virtual void DockControlBarSized(CControlBar* pBar, UINT nDockBarID, int nPlaceA, int nPlaceB, float fPercent,
                                     int nLength);
    // The filters of the descriptor table, the caption button row only with bCaptionList.
    virtual void InstallFilters(BOOL bCaptionList);
    // The next default dock position of the cycle: bottom, left, right, with row breaks; the
    // layout is a full share 150 pixels long.
    virtual void NextDockPosition(UINT& nDockBarID, SECDockPlacement& flags, SECDockLayout& layout);

    // The dock bars of the sides in dwStyle, each with its auto-hide strip docked and hidden;
    // dwDockStyle is the dock bars' MDI-child flag.
    void EnableDocking(DWORD dwStyle, DWORD dwDockStyle = 0);
    // Nothing when the bar already is as asked; with bDelay at the next idle layout.
    void ShowBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    void SetMenuOptions(BOOL bBitmapMenus, int nOption);
    // The strip of a side (CBRS_ALIGN_LEFT, _TOP, _BOTTOM or _RIGHT); NULL for others.
    SECAutoHideBar* GetAutoHideBar(DWORD dwAlign);

    CFrameWnd* GetActiveFrame() override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // After the base, WM_NCACTIVATE and WM_SETTEXT go to the filters too.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Mouse moves and non-client button messages go to the filters first.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // The extended system commands go to the filters.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    SECMsgFilter& GetMsgFilter()
    {
        return *m_pMsgFilter;
    }
    SECMsgFilter::DescriptorTable& GetDescriptorTable()
    {
        return m_descriptors;
    }

    DECLARE_MESSAGE_MAP()

private:
    CRuntimeClass* m_pDockBarClass;
    // A document frame that stands in for the active MDI child.
    CFrameWnd* m_pActiveDockedFrame;
    SECMsgFilter* m_pMsgFilter;
    SECMsgFilter::DescriptorTable m_descriptors;
    // Left, top, bottom, right.
    SECAutoHideBar m_autoHideBars[4];
    BOOL m_bBitmapMenus;
    int m_nMenuOption;
    // Dock-bar ids with 0 as row breaks.
    CArray<UINT, UINT> m_dockCycle;
    int m_nDockCycleCursor;

    // The active docked frame, else the active MDI child.
    CFrameWnd* GetCommandTarget() const;
};
} // namespace tarnwick::frames
