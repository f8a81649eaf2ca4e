// An edit window with an optional button in its non-client area. The button, F4 and Alt+Down
// raise a drop request, which by default goes to the parent as WM_COMMAND.
#pragma once

#include <afxwin.h>

#include <toolkit/foundation/ThemeHandle.h>

class CGXBDropEdit : public CEdit
{
    DECLARE_DYNAMIC(CGXBDropEdit)
public:
    enum : WORD
    {
        buttonPressed = 1,
        buttonTracking = 2,
        buttonRight = 4,
        buttonHot = 8,
    };

    CGXBDropEdit();
    ~CGXBDropEdit() override;

    // Whether the point (client coordinates when bClient, else screen coordinates) lies on the
    // button.
    virtual BOOL HitTestButton(int x, int y, BOOL bClient);
    // Sends WM_COMMAND (id, 0, window) to the parent.
    virtual void OnDropButton();
    // The button's face and image in the rectangle.
    virtual void DrawButton(CDC& dc, CRect rect);

    // The button's face from a bitmap resource; 0 or a bitmap that does not load removes the
    // button. FALSE when no button remains.
    BOOL SetButtonBitmap(UINT nBitmapId);
    UINT GetButtonBitmap() const
    {
        return m_nBitmapId;
    }
    // The button on the right edge (the default) or on the left.
    void SetButtonOnRight(BOOL bRight);
    // The button in the parent's client coordinates (empty without a button).
    const CRect& GetButtonRect() const
    {
        return m_rectButton;
    }
    WORD GetButtonFlags() const
    {
        return m_wButtonFlags;
    }

protected:
    // The button as the window shows it now, painted into the window's frame.
    void PaintButton();
    // The bitmap in the button, embossed while the window is disabled.
    void DrawButtonImage(CDC& dc, const CRect& rect, BOOL bPressed);
    void SetButtonFlag(WORD wFlag, BOOL bOn);
    BOOL HasButton() const
    {
        return m_bmpButton.GetSafeHandle() != nullptr;
    }

    afx_msg LRESULT OnNcCalcSizeMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcHitTestMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcLButtonDownMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcMouseMoveMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcMouseLeaveMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMouseMoveMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLButtonUpMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCancelModeMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnEnableMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnKeyDownMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSysKeyDownMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcPaintMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSysColorChangeMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnThemeChangedMsg(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void LoadButtonBitmap();

    CRect m_rectButton;
    CBitmap m_bmpButton;
    tarnwick::foundation::SECThemeCache m_themes;
    UINT m_nBitmapId = 0;
    WORD m_wButtonFlags = buttonRight;
    WORD m_nImageLeft = 1;
    WORD m_nExtraWidth = 1;
};
