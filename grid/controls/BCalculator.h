// A small four-function calculator window: a display line over a grid of buttons, driven by
// mouse and keyboard and evaluating strictly from left to right. The popup variant drops down
// under a currency edit, sends its result to its owner and closes.
#pragma once

#include <afxwin.h>

#include <toolkit/foundation/ThemeHandle.h>

#include <vector>

// The message the popup calculator sends its owner with its display text in lParam.
constexpr UINT GXB_CALC_RESULT = 0x7E3;

// Every beep of the calculator goes through this function; tests count them.
using GXBBeepFunction = void (*)();
// Replaces the beep (nullptr: the system's MessageBeep(-1)); answers the previous one.
GXBBeepFunction GXBSetBeepFunction(GXBBeepFunction pfnBeep);

class CGXBCalcBtn
{
public:
    // How the face looks.
    struct Attributes
    {
        CFont* pFont = nullptr;
        HBITMAP hBitmap = nullptr;
        COLORREF rgbLabel = 0;
        DWORD dwReserved = 0;
    };

    enum : DWORD
    {
        statePressed = 1,
        stateNewRow = 2,
        stateHot = 4,
    };

    CGXBCalcBtn(int nOperation, LPCTSTR pszLabel, LPCTSTR pszKeys, UINT nVirtKey, int nSpan, BOOL bNewRow,
                const Attributes& attributes);
    virtual ~CGXBCalcBtn();
    CGXBCalcBtn(const CGXBCalcBtn& other) = default;
    CGXBCalcBtn& operator=(const CGXBCalcBtn& other) = default;

    // Themed with the data that the window's cache holds when visual styles are in use, else a
    // classic 3-D face; then the bitmap or label.
    virtual void Draw(CDC& dc, tarnwick::foundation::SECThemeCache& themes, HWND hWnd);
    // Takes over the other button's face attributes.
    virtual void CopyAttributes(const CGXBCalcBtn& other);

    BOOL HasKey(TCHAR chLower) const
    {
        return chLower != 0 && m_strKeys.Find(chLower) >= 0;
    }
    UINT GetVirtKey() const
    {
        return m_nVirtKey;
    }
    int GetOperation() const
    {
        return m_nOperation;
    }
    int GetSpan() const
    {
        return m_nSpan;
    }
    const CString& GetLabel() const
    {
        return m_strLabel;
    }
    const CRect& GetRect() const
    {
        return m_rect;
    }
    void SetRect(const CRect& rect)
    {
        m_rect = rect;
    }
    BOOL IsState(DWORD dwState) const
    {
        return (m_dwState & dwState) != 0;
    }
    void SetState(DWORD dwState, BOOL bOn)
    {
        m_dwState = bOn ? m_dwState | dwState : m_dwState & ~dwState;
    }

private:
    Attributes m_attributes;
    CString m_strLabel;
    CString m_strKeys;
    UINT m_nVirtKey;
    int m_nSpan;
    CRect m_rect;
    DWORD m_dwState;
    int m_nOperation;
};

class CGXBCalculator : public CWnd
{
    DECLARE_DYNAMIC(CGXBCalculator)
public:
    // Operation codes of the buttons.
    enum Operation
    {
        opNone = 0,
        opMultiply = 1,
        opAdd = 2,
        opSubtract = 3,
        opDivide = 4,
        opPercent = 5,
        opEquals = 6,
        opClear = 7,
        opClearEntry = 8,
        opDigit0 = 9,
        opDigit9 = 18,
        opDecimal = 19,
        opBackspace = 20,
    };
    // Calculator style bit (the low word of the style): a 3-D line under the display.
    static constexpr DWORD styleDisplayLine = 0x0004;

    CGXBCalculator();
    ~CGXBCalculator() override;

    // Builds the buttons and fonts (the parent's font, else the system font, unless one is
    // given), lays them out and creates the window sized to the layout with its top left at the
    // point; the low word of the style holds calculator style bits.
    virtual BOOL Create(DWORD dwStyle, CPoint ptTopLeft, CWnd* pParentWnd, UINT nID, CFont* pFont = nullptr);
    // The display font from the window's font (the system font without one) at normal weight,
    // and the display height.
    virtual void CreateDisplayFont(CWnd* pWnd);
    // Runs the operation of a button code; FALSE for an unknown code or an operand that does
    // not read as a number.
    virtual BOOL DispatchOperation(int nOperation);
    virtual void GetDecimalSeparator(CString& strSeparator) const;
    virtual DWORD GetPopupFlags() const;
    virtual void Paint(CDC& dc);
    virtual void NotifyOwner();

    // The user's decimal separator ("." when the locale has none), which the display shows.
    static CString LocaleDecimalSeparator();
    // Puts a value into the accumulator and the display.
    void SetValue(double dValue);
    double GetValue() const
    {
        return m_dAccumulator;
    }
    // What the display shows: the entry, "0" for an empty one, the error text in error.
    CString GetDisplayText() const;
    BOOL IsInError() const
    {
        return (m_dwState & stateError) != 0;
    }
    const std::vector<CGXBCalcBtn>& GetButtons() const
    {
        return m_buttons;
    }
    CSize GetUnitSize() const
    {
        return CSize(m_nUnitWidth, m_nUnitHeight);
    }
    const CRect& GetDisplayRect() const
    {
        return m_rectDisplay;
    }

protected:
    enum : DWORD
    {
        stateMouseDown = 1,
        stateLeadPending = 2,
        stateError = 8,
    };

    // The size of one button unit from the font (dialog base units without one).
    void ComputeUnits(CFont* pFont);
    void CreateButtons();
    // Places the display and the buttons; answers the client size.
    CSize Layout();
    // Presses the button: drawn pressed while its operation runs.
    void PressButton(size_t nButton);
    int HitTestButton(CPoint point) const;
    void RedrawButton(size_t nButton);
    void Beep() const;
    // The accumulator in the entry, cut to the display; the error state when it does not fit.
    void ShowAccumulator();
    void ClearAll();

    // Beeps in error (FALSE); else empties the entry when a new one starts.
    BOOL BeginEntry();
    // The handlers of DispatchOperation, each given the code.
    BOOL EnterDigit(int nOperation);
    BOOL EnterDecimal(int nOperation);
    BOOL Backspace(int nOperation);
    BOOL ApplyOperator(int nOperation);
    BOOL Clear(int nOperation);
    BOOL ClearEntry(int nOperation);

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg UINT OnGetDlgCode();
    afx_msg LRESULT OnThemeChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    double m_dAccumulator = 0.0;
    DWORD m_dwState = 0;
    WCHAR m_chLeadUnit = 0;
    int m_nPending = opNone;
    BOOL m_bStartNewEntry = TRUE;
    int m_nDecimals = 15;
    int m_nCapacity = 0;
    CRect m_rectDisplay;
    CString m_strEntry;
    CString m_strDecimal;
    CFont m_displayFont;
    CFont m_buttonFont;
    int m_nDisplayHeight = 0;
    int m_nUnitWidth = 0;
    int m_nUnitHeight = 0;
    int m_nTopMargin = 1;
    int m_nLeftMargin = 4;
    int m_nVertGap = 1;
    int m_nHorzGap = 0;
    DWORD m_dwCalcStyle = 0;
    std::vector<CGXBCalcBtn> m_buttons;
    int m_nPressed = -1;
    CBitmap m_bmpEquals;
    tarnwick::foundation::SECThemeCache m_themes;
};

class CGXBPopupCalculator : public CGXBCalculator
{
    DECLARE_DYNAMIC(CGXBPopupCalculator)
public:
    // bAutoDelete: the object deletes itself after its window is destroyed.
    explicit CGXBPopupCalculator(BOOL bAutoDelete = TRUE);

    // Opens the calculator as a bordered popup under the rectangle (screen coordinates) with
    // the owner; the low word of the style holds calculator style bits.
    BOOL CreatePopup(DWORD dwStyle, const RECT& rectUnder, CWnd* pOwner, CFont* pFont = nullptr);
    DWORD GetPopupFlags() const override;
    // Sends GXB_CALC_RESULT with the display text to the owner, unless in error.
    void NotifyOwner() override;

protected:
    void PostNcDestroy() override;
    // "=" and the result to the owner, then closed.
    void Finish();
    void Close();

    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    DECLARE_MESSAGE_MAP()

private:
    HWND m_hOwner = nullptr;
    BOOL m_bAutoDelete;
};
