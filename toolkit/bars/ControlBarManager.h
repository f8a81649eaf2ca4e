// The base of a frame's control-bar managers: it holds the frame and gives the do-nothing
// forms of the managers' operations.
#pragma once

#include <afxwin.h>

namespace tarnwick::bars
{
class SECControlBarManager : public CObject
{
    DECLARE_DYNCREATE(SECControlBarManager)
public:
    explicit SECControlBarManager(CFrameWnd* pFrame = nullptr);

    virtual CFrameWnd* GetFrame() const;
    // The type id under which saved bar records name the bar; 0 for bars it does not know.
    virtual UINT GetBarTypeID(CControlBar* pBar) const;

private:
    CFrameWnd* m_pFrame;
};
} // namespace tarnwick::bars
