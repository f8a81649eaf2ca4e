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

    // The owner's caption in window coordinates (origin the window's top-left corner), inside
    // its border; empty without an owner window, no height without the whole WS_CAPTION.
    virtual CRect GetCaptionRect();
    // The system metrics less the frame-control margins (2 across, 4 down).
    virtual CSize GetButtonSizeFromMetrics(int nCxMetric, int nCyMetric);
    // Small buttons for a tool window.
    virtual CSize GetButtonSize();
    // The right-most button's top-left corner.
    virtual CPoint GetFirstButtonPos(const CRect& rectCaption, CSize sizeButton);
};

class SECCaptionControlMsgFilterTimer;

// One caption button; its id below 4096 is the caption part (0 close, 1 minimize, 2 maximize,
// 3 restore, 4 help). A click posts the matching WM_SYSCOMMAND to the owner.
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
    // Paints on the caption messages and takes the presses on its square and the mouse while
    // it tracks (answering 7).
    DWORD FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    static constexpr UINT MAX_BUTTON_ID = 4096;
    static BOOL IsValidButtonID(UINT nID)
    {
        return nID < MAX_BUTTON_ID;
    }
    // The answer of a button that took a mouse message.
    static constexpr DWORD BUTTON_TOOK_MOUSE = 7;
    // Execute's kinds: a click, a right click, a hold.
    static constexpr UINT EXECUTE_CLICK = 0;
    static constexpr UINT EXECUTE_RIGHT = 1;
    static constexpr UINT EXECUTE_HOLD = 2;

    // Into the owner's window DC.
    virtual void Draw();
    // ptScreen lies on the button.
    virtual BOOL HitTest(CPoint ptScreen);
    // Points in screen coordinates.
    virtual void OnLButtonDown(int x, int y);
    virtual void OnLButtonUp(int x, int y);
    // The button was held down for the hold delay.
    virtual void OnHold(int x, int y);
    virtual void OnMouseMove(int x, int y);
    // Posts the command GetCommand builds.
    virtual void Execute(UINT nFlags, int x, int y);
    // The message a click makes; FALSE for a right click, a hold or a button without command.
    virtual BOOL GetCommand(UINT nFlags, int x, int y, CWnd*& pTarget, UINT& message, WPARAM& wParam,
                            LPARAM& lParam);
    // Captures the mouse for the owner.
    virtual void BeginTrack(BOOL bPressed, BOOL bRedraw);
    virtual void EndTrack(BOOL bClearPushed, BOOL bRedraw);
    virtual void KillHoldTimer();
    virtual void StartHoldTimer(int x, int y);
    // Whether the owner's style shows the button; bDisabled when it shows it grayed.
    virtual BOOL IsButtonVisible(BOOL& bDisabled);

    // A row's layout: the square (empty when hidden) and whether it is grayed.
    void Place(const CRect& rectButton, BOOL bInactive);
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
    void SetHoldDelay(int nDelay)
    {
        m_nHoldDelay = nDelay;
    }
    BOOL IsTracking() const
    {
        return m_bTracking;
    }

protected:
    // The DrawFrameControl picture of the button.
    virtual void Draw(CDC* pDC);
    // The button's rectangle in screen coordinates.
    CRect GetScreenRect();

    // Window coordinates of the owner.
    CRect m_rectButton;
    UINT m_nType;
    // The caption part with DFCS_INACTIVE and DFCS_PUSHED.
    UINT m_nState;
    BOOL m_bTracking;
    // Milliseconds until a held button acts; 0 at once, below 0 never.
    int m_nHoldDelay;

private:
    friend class SECCaptionControlMsgFilterTimer;
    // Deletes itself with its window.
    SECCaptionControlMsgFilterTimer* m_pHoldTimer;
};

// A row of caption buttons: close, maximize, restore, minimize and help.
class SECCaptionControlListMsgFilter : public SECCaptionMsgFilter
{
    DECLARE_DYNCREATE(SECCaptionControlListMsgFilter)
public:
    explicit SECCaptionControlListMsgFilter(CWnd* pOwner = nullptr, UINT nID = static_cast<UINT>(-1));

    SECMsgFilter* Clone() const override;
    // Lays the row out before the buttons see the message.
    DWORD FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // The visible buttons from the caption's right end leftwards, grayed as the owner says.
    virtual void Layout();

    const DescriptorTable& GetButtonDescriptors() const
    {
        return m_buttons;
    }

private:
    DescriptorTable m_buttons;
};

// The button row of a maximized MDI child, drawn in the MDI frame's menu row with menu-sized
// buttons.
class SECCapConLstMDIMaxChildMsgFilter : public SECCaptionControlListMsgFilter
{
    DECLARE_DYNCREATE(SECCapConLstMDIMaxChildMsgFilter)
public:
    explicit SECCapConLstMDIMaxChildMsgFilter(CWnd* pOwner = nullptr, UINT nID = static_cast<UINT>(-1))
        : SECCaptionControlListMsgFilter(pOwner, nID)
    {
    }
    CSize GetButtonSize() override;
    // One caption lower than the frame's own caption buttons.
    CPoint GetFirstButtonPos(const CRect& rectCaption, CSize sizeButton) override;
    // Only while the frame's active child is zoomed; the system draws that child's own
    // buttons in the menu row, so only the extra buttons beside them see the message.
    DWORD FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

// A hidden child of the button's owner whose timer fires the hold of a pressed button once;
// it deletes itself with its window.
class SECCaptionControlMsgFilterTimer : public CWnd
{
    DECLARE_DYNAMIC(SECCaptionControlMsgFilterTimer)
public:
    SECCaptionControlMsgFilterTimer(SECCaptionControlMsgFilter* pButton, int nDelay, int x, int y);

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    void PostNcDestroy() override;
    DECLARE_MESSAGE_MAP()

private:
    static constexpr UINT_PTR HOLD_TIMER = 1;
    SECCaptionControlMsgFilter* m_pButton;
    int m_nDelay;
    BOOL m_bTimerSet;
    BOOL m_bFired;
    int m_x;
    int m_y;
};
} // namespace tarnwick::frames
