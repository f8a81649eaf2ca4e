// The toolkit's frame window: the framework's frame with the toolkit's dock bars, docking with a
// size and a share, an owner-drawn caption, plug-ins that see messages and commands first and
// a workspace manager.
#pragma once

#include <toolkit/frames/DockingFrame.h>

namespace tarnwick::frames
{
class SECFrameWnd : public SECDockingFrame<CFrameWnd>
{
    DECLARE_DYNCREATE(SECFrameWnd)
public:
    // The toolkit's dock bars on the sides that dwDockStyle names; bars float in the toolkit's
    // floating frames unless the frame chose others.
    virtual void EnableDocking(DWORD dwDockStyle);
    // Kept 10 pixels on the work area; a bar alone in its floating frame only moves it.
    void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP) override;
    // Into the dock bar of that id (else the side of the bar's alignment) at row placeB,
    // column placeA, with the share and the length.
    virtual void DockControlBarSized(CControlBar* pBar, UINT nDockBarID, int nPlaceA, int nPlaceB, float fPercent,
                                     int nLength);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    DECLARE_MESSAGE_MAP()
};
} // namespace tarnwick::frames
