// The parts of the date-time edit window: small windowless gadgets that measure, draw and take
// input inside their owner's client area. Gadgets never change the date themselves: they report
// to the owner with notification codes and the owner decides.
#pragma once

#include <afxwin.h>

// Notification codes from a gadget to its owner.
constexpr int GXBDT_NOTIFY_UP = 1;
constexpr int GXBDT_NOTIFY_DOWN = 2;
constexpr int GXBDT_NOTIFY_SPINUP = 3;
constexpr int GXBDT_NOTIFY_SPINDOWN = 4;
constexpr int GXBDT_NOTIFY_CLICKED = 5;
constexpr int GXBDT_NOTIFY_TEST = 6;
constexpr int GXBDT_NOTIFY_SET = 7;
constexpr int GXBDT_NOTIFY_FIRST = 8;
constexpr int GXBDT_NOTIFY_LAST = 9;
constexpr int GXBDT_NOTIFY_TYPING = 10;
constexpr int GXBDT_NOTIFY_FULL = 11;

// Style bits of a gadget.
enum : UINT
{
    GXBDT_WANTFOCUS = 0x1,
    GXBDT_WANTMOUSE = 0x2,
    GXBDT_ANCHORRIGHT = 0x4
};

// What a gadget needs of its owner window.
class CGXBDTGadgetOwner
{
public:
    virtual ~CGXBDTGadgetOwner() = default;
    virtual HWND GetGadgetWindow() const = 0;
    virtual HFONT GetGadgetFont() const = 0;
    virtual COLORREF GetGadgetBackground() const = 0;
    virtual UINT GetSpinInitialDelay() const = 0;
    virtual UINT GetSpinRepeatDelay() const = 0;
    // Redraws the gadget's part of the window.
    virtual void InvalidateGadget(const CRect& rect) = 0;
    virtual BOOL OnNotifyFromGadget(int nCode, int nID, int nNumber) = 0;
};

// Starts and stops the gadgets' timers; thread timers unless another source is installed.
class CGXBDTTimerSource
{
public:
    virtual ~CGXBDTTimerSource() = default;
    // A non-zero id, which the source's ticks report through CGXBDTGadget::DispatchTimer.
    virtual UINT_PTR StartTimer(UINT nMilliseconds) = 0;
    virtual void StopTimer(UINT_PTR nTimerId) = 0;
};

class CGXBDTGadget : public CObject
{
    DECLARE_DYNAMIC(CGXBDTGadget)

public:
    CGXBDTGadget(CGXBDTGadgetOwner* pOwner, int nID, UINT nStyle);
    // Kills a timer the gadget still owns.
    ~CGXBDTGadget() override;
    CGXBDTGadget(const CGXBDTGadget&) = delete;
    CGXBDTGadget& operator=(const CGXBDTGadget&) = delete;

    // Sets the rectangle's size at (0, 0); a bottom of -1 asks for the owner's client height.
    virtual void CalculateSize(CDC& dc) = 0;
    virtual void Draw(CDC& dc) = 0;
    // False when the gadget does not take the keyboard.
    virtual BOOL SetFocus(BOOL bFocus);
    virtual void OnKeyDown(UINT nChar);
    virtual void OnChar(UINT nChar);
    virtual void OnLButtonDown(CPoint point);
    virtual void OnLButtonUp(CPoint point);
    virtual void OnMouseMove(CPoint point);
    virtual void OnCancelMode();
    virtual void OnTimer();
    virtual void OnSysColorChange();

    const CRect& GetRect() const
    {
        return m_rect;
    }
    void SetRect(const CRect& rect)
    {
        m_rect = rect;
    }
    BOOL HasFocus() const
    {
        return m_bFocus;
    }
    UINT GetStyle() const
    {
        return m_nStyle;
    }
    void SetStyle(UINT nStyle)
    {
        m_nStyle = nStyle;
    }
    int GetID() const
    {
        return m_nID;
    }
    int GetValue() const
    {
        return m_nValue;
    }
    void SetValue(int nValue);

    // Replaces the thread timers (null restores them); tests drive ticks with DispatchTimer.
    static void SetTimerSource(CGXBDTTimerSource* pSource);
    // Routes a tick to the gadget that owns the timer; false for an unknown id.
    static BOOL DispatchTimer(UINT_PTR nTimerId);

protected:
    BOOL Notify(int nCode, int nNumber);
    void Invalidate();
    void StartTimer(UINT nMilliseconds);
    void StopTimer();
    BOOL HasTimer() const
    {
        return m_nTimerId != 0;
    }
    // Text in the field colours: highlighted while focused, else window text, transparent.
    void DrawFieldText(CDC& dc, const CString& strText, UINT nFormat);
    CSize MeasureText(CDC& dc, const CString& strText) const;
    // The navigation keys of number and list fields: Home, End, Up and Down (and keypad +, -).
    BOOL NotifyNavigationKey(UINT nChar);

    CGXBDTGadgetOwner* m_pOwner;

private:
    CRect m_rect;
    BOOL m_bFocus = FALSE;
    UINT m_nStyle;
    int m_nID;
    int m_nValue = 0;
    UINT_PTR m_nTimerId = 0;
};

class CGXBDTNumericGadget : public CGXBDTGadget
{
    DECLARE_DYNAMIC(CGXBDTNumericGadget)

public:
    CGXBDTNumericGadget(CGXBDTGadgetOwner* pOwner, int nID, int nMin, int nMax, BOOL bLeadingZeros);

    void CalculateSize(CDC& dc) override;
    void Draw(CDC& dc) override;
    BOOL SetFocus(BOOL bFocus) override;
    void OnKeyDown(UINT nChar) override;
    void OnChar(UINT nChar) override;

    int GetDigitCount() const
    {
        return m_nDigits;
    }
    // Digits typed and not yet committed.
    int GetTypedDigitCount() const
    {
        return m_nTypedDigits;
    }
    int GetTypedValue() const
    {
        return m_nTypedValue;
    }
    BOOL HasLeadingZeros() const
    {
        return m_bLeadingZeros;
    }

private:
    // Offers the typed value to the owner; false when refused.
    BOOL CommitTyped();
    void DropTyped();

    int m_nMin;
    int m_nMax;
    int m_nDigits;
    int m_nTypedValue = 0;
    int m_nTypedDigits = 0;
    BOOL m_bLeadingZeros;
};

class CGXBDTListGadget : public CGXBDTGadget
{
    DECLARE_DYNAMIC(CGXBDTListGadget)

public:
    static constexpr UINT nTypeAheadDelay = 2000;

    CGXBDTListGadget(CGXBDTGadgetOwner* pOwner, int nID, const CStringArray& choices);

    void CalculateSize(CDC& dc) override;
    void Draw(CDC& dc) override;
    void OnKeyDown(UINT nChar) override;
    void OnChar(UINT nChar) override;
    void OnTimer() override;

    const CString& GetTypedPrefix() const
    {
        return m_strPrefix;
    }
    // The entry at the index, empty outside the list.
    CString GetChoice(int nIndex) const
    {
        return nIndex >= 0 && nIndex < m_choices.GetSize() ? m_choices[nIndex] : CString();
    }
    // The first entry after nStart that begins with the text (case ignored), or -1.
    int FindString(LPCTSTR pszText, int nStart) const;

private:
    // The first choice from nStart on (wrapping) that starts with the prefix and that the owner
    // accepts, which is then set; false when there is none.
    BOOL SelectMatch(int nStart);
    void ClearPrefix();

    CStringArray m_choices;
    CString m_strPrefix;
};

class CGXBDTStaticGadget : public CGXBDTGadget
{
    DECLARE_DYNAMIC(CGXBDTStaticGadget)

public:
    CGXBDTStaticGadget(CGXBDTGadgetOwner* pOwner, const CString& strText);

    void CalculateSize(CDC& dc) override;
    void Draw(CDC& dc) override;

    const CString& GetText() const
    {
        return m_strText;
    }

private:
    CString m_strText;
};

class CGXBDTButtonGadget : public CGXBDTGadget
{
    DECLARE_DYNAMIC(CGXBDTButtonGadget)

public:
    static constexpr int nWidth = 16;

    CGXBDTButtonGadget(CGXBDTGadgetOwner* pOwner, int nID, UINT nBitmapId);
    ~CGXBDTButtonGadget() override;

    void CalculateSize(CDC& dc) override;
    void Draw(CDC& dc) override;
    void OnLButtonDown(CPoint point) override;
    void OnLButtonUp(CPoint point) override;
    void OnMouseMove(CPoint point) override;
    void OnCancelMode() override;
    void OnSysColorChange() override;

    BOOL IsDrawnPressed() const
    {
        return (m_nState & stateDrawnPressed) != 0;
    }
    // The button's bitmap centred in the rectangle, a pixel right and down while pressed.
    void DrawBitmap(CDC& dc, const CRect& rect) const;

private:
    enum : UINT
    {
        stateCaptured = 0x1,
        stateDrawnPressed = 0x2
    };

    void LoadBitmap();
    void EndCapture();

    UINT m_nState = 0;
    HBITMAP m_hBitmap = nullptr;
    UINT m_nBitmapId;
};

class CGXBDTSpinGadget : public CGXBDTGadget
{
    DECLARE_DYNAMIC(CGXBDTSpinGadget)

public:
    static constexpr int nWidth = 16;

    CGXBDTSpinGadget(CGXBDTGadgetOwner* pOwner, int nID);

    void CalculateSize(CDC& dc) override;
    void Draw(CDC& dc) override;
    void OnLButtonDown(CPoint point) override;
    void OnLButtonUp(CPoint point) override;
    void OnMouseMove(CPoint point) override;
    void OnCancelMode() override;
    void OnTimer() override;

    BOOL IsUpPressed() const
    {
        return (m_nState & stateUpPressed) != 0;
    }
    BOOL IsDownPressed() const
    {
        return (m_nState & stateDownPressed) != 0;
    }

    // One half of a spin button with the 3-D colours and a solid triangle.
    static void DrawSpinHalf(CDC& dc, const CRect& rect, BOOL bUp, BOOL bPressed);

private:
    enum : UINT
    {
        stateUpPressed = 0x1,
        stateDownPressed = 0x2,
        stateUpCaptured = 0x4,
        stateDownCaptured = 0x8,
        stateTimer = 0x10,
        stateFirstDelay = 0x20
    };

    CRect UpperHalf() const;
    CRect LowerHalf() const;
    int SpinCode() const;
    void EndCapture();

    UINT m_nState = 0;
    int m_nRepeats = 0;
};
