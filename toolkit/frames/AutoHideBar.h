// The strip along one side of a frame that holds the tabs of the bars unpinned on that side.
#pragma once

#include <toolkit/frames/ControlBar.h>

namespace tarnwick::frames
{
class SECAutoHideBar : public SECControlBar
{
public:
    SECAutoHideBar();

    // A child of the frame with the first free id from 0x8000.
    virtual BOOL Create(CFrameWnd* pParent, DWORD dwBarStyle);
    // Takes the parent as dock site when none is set.
    virtual void EnableDocking(DWORD dwDockStyle);

    // The docked strip is this thick across its side.
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;

    static constexpr int DEFAULT_THICKNESS = 24;

private:
    int m_nThickness;
};
} // namespace tarnwick::frames
