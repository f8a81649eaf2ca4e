// The caption filters: the caption's geometry, one caption button drawn in the non-client area
// and a row of them, with the hidden window that times a held button.
#pragma once

#include <toolkit/frames/MsgFilter.h>

namespace tarnwick::frames
{
class SECCaptionMsgFilter : public SECNcMsgFilter
{
    DECLARE_DYNCREATE(SECCaptionMsgFilter)
public:
    explicit SECCaptionMsgFilter(CWnd* pOwner = nullptr, UINT nID = static_cast<UINT>(-1)) : SECNcMsgFilter(pOwner, nID)
    {
    }
};

class SECCaptionControlMsgFilterTimer;

// One caption button; its id below 4096 is the caption part (0 close, 1 minimize, 2 maximize,
// 3 restore, 4 help).
class SECCaptionControlMsgFilter : public SECCaptionMsgFilter
{
    DECLARE_DYNCREATE(SECCaptionControlMsgFilter)
public:
    explicit SECCaptionControlMsgFilter(CWnd* pOwner = nullptr, UINT nID = static_cast<UINT>(-1), UINT nStateFlags = 0,
                                        UINT nType = DFC_CAPTION);
    ~SECCaptionControlMsgFilter() override;

    // The button's rectangle, type, state and hold delay go with it; tracking and a hold
    // timer do not.
    SECMsgFilter* Clone() const override;

    static constexpr UINT MAX_BUTTON_ID = 4096;
    static BOOL IsValidButtonID(UINT nID)
    {
        return nID < MAX_BUTTON_ID;
    }

    const CRect& GetButtonRect() const
    {
        return m_rectButton;
    }
    UINT GetType() const
    {
        return m_nType;
    }
    UINT GetState() const
    {
        return m_nState;
    }
    int GetHoldDelay() const
    {
        return m_nHoldDelay;
    }

protected:
    // Window coordinates of the owner.
    CRect m_rectButton;
    UINT m_nType;
    // The caption part with DFCS_INACTIVE and DFCS_PUSHED.
    UINT m_nState;
    BOOL m_bTracking;
    // Milliseconds until a held button acts; 0 at once, below 0 never.
    int m_nHoldDelay;
    SECCaptionControlMsgFilterTimer* m_pHoldTimer;
};

// A row of caption buttons: close, maximize, restore, minimize and help.
class SECCaptionControlListMsgFilter : public SECCaptionMsgFilter
{
    DECLARE_DYNCREATE(SECCaptionControlListMsgFilter)
public:
    explicit SECCaptionControlListMsgFilter(CWnd* pOwner = nullptr, UINT nID = static_cast<UINT>(-1));

    SECMsgFilter* Clone() const override;

    const DescriptorTable& GetButtonDescriptors() const
    {
        return m_buttons;
    }

private:
    DescriptorTable m_buttons;
};

// The button row of a maximized MDI child, drawn in the MDI frame's menu row.
class SECCapConLstMDIMaxChildMsgFilter : public SECCaptionControlListMsgFilter
{
    DECLARE_DYNCREATE(SECCapConLstMDIMaxChildMsgFilter)
public:
    explicit SECCapConLstMDIMaxChildMsgFilter(CWnd* pOwner = nullptr, UINT nID = static_cast<UINT>(-1))
        : SECCaptionControlListMsgFilter(pOwner, nID)
    {
    }
};

// A hidden child of the button's owner whose timer fires the hold of a pressed button.
class SECCaptionControlMsgFilterTimer : public CWnd
{
    DECLARE_DYNAMIC(SECCaptionControlMsgFilterTimer)
public:
    SECCaptionControlMsgFilterTimer(SECCaptionControlMsgFilter* pButton, int nDelay, int x, int y);

private:
    SECCaptionControlMsgFilter* m_pButton;
    int m_nDelay;
    BOOL m_bTimerSet;
    BOOL m_bFired;
    int m_x;
    int m_y;
};
} // namespace tarnwick::frames
