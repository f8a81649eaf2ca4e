// Objects drawn inside a cell by their control: no windows, but a rectangle in the grid
// window, a caption, and the mouse and key messages that the control passes on. CGXButton adds
// the pressed and tracking states and a push-button face.
#pragma once

#include <afxwin.h>
#include <uxtheme.h>

#include <toolkit/foundation/ThemeHandle.h>

class CGXControl;
class CGXStyle;

class CGXChild
{
public:
    explicit CGXChild(CGXControl* pComposite);
    virtual ~CGXChild();
    CGXChild(const CGXChild&) = delete;
    CGXChild& operator=(const CGXChild&) = delete;

    virtual void SetRect(const CRect& rect);
    virtual CRect& GetRect(CRect& rect) const;
    virtual BOOL HitTest(CPoint point) const;
    virtual BOOL HasFocus() const;
    virtual void SetText(LPCTSTR pszText);
    virtual CString& GetText(CString& strText) const;
    virtual void Draw(CDC* pDC, BOOL bFocus, const CGXStyle* pStyle);
    virtual void DrawDefault(CDC* pDC, BOOL bFocus) = 0;
    virtual void Refresh();
    virtual BOOL OnMouseMove(UINT nFlags, CPoint point);
    virtual BOOL OnLButtonDown(UINT nFlags, CPoint point);
    virtual BOOL OnLButtonUp(UINT nFlags, CPoint point);
    virtual BOOL OnLButtonDblClk(UINT nFlags, CPoint point);
    virtual BOOL OnMButtonDown(UINT nFlags, CPoint point);
    virtual BOOL OnMButtonUp(UINT nFlags, CPoint point);
    virtual BOOL OnMButtonDblClk(UINT nFlags, CPoint point);
    virtual BOOL OnRButtonDown(UINT nFlags, CPoint point);
    virtual BOOL OnRButtonUp(UINT nFlags, CPoint point);
    virtual BOOL OnRButtonDblClk(UINT nFlags, CPoint point);
    virtual BOOL OnSetCursor(UINT nFlags, CPoint point);
    virtual BOOL OnKeyMessage(UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual BOOL OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual BOOL OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual BOOL OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual BOOL OnCharText(const CString& strText);
    virtual BOOL OnDeadChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual BOOL OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual BOOL OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual BOOL OnSysChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual BOOL OnSysDeadChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnNotifyA(DWORD dwValue);
    virtual void OnNotifyB();
    virtual void CancelTracking();

    CGXControl* Composite() const
    {
        return m_pComposite;
    }

protected:
    CGXControl* m_pComposite;
    CRect m_rect;
    CString m_strText;
    BOOL m_bLeadUnitPending = FALSE;
    WCHAR m_chLeadUnit = 0;
};

class CGXButton : public CGXChild
{
public:
    explicit CGXButton(CGXControl* pComposite);

    void Draw(CDC* pDC, BOOL bFocus, const CGXStyle* pStyle) override;
    void DrawDefault(CDC* pDC, BOOL bFocus) override;
    BOOL OnMouseMove(UINT nFlags, CPoint point) override;
    BOOL OnLButtonDown(UINT nFlags, CPoint point) override;
    BOOL OnLButtonUp(UINT nFlags, CPoint point) override;
    BOOL OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    BOOL OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void CancelTracking() override;

    BOOL IsPressed() const
    {
        return m_bPressed;
    }
    BOOL IsTracking() const
    {
        return m_bTracking;
    }

    // The part drawn with the theme data; FALSE without data.
    static BOOL DrawPartWith(HTHEME hTheme, CDC* pDC, int nPart, int nState, const CRect& rect, UINT nEdge);
    // Draws a part of a visual-style class over the rectangle with the data that the window's
    // cache holds, with a theme edge when nEdge is not 0; FALSE (nothing drawn) while the
    // application is not drawn with visual styles. Cells draw with their grid's data instead
    // (CGXControl::DrawThemedPart).
    static BOOL DrawPartWith(tarnwick::foundation::SECThemeCache& themes, HWND hWnd, CDC* pDC, LPCWSTR pszClass,
                             int nPart, int nState, const CRect& rect, UINT nEdge = 0);
    // The classic face: filled in the colour, with a raised edge or a sunken one when pressed.
    static void DrawClassicFace(CDC* pDC, const CRect& rect, COLORREF rgbFace, BOOL bPressed);
    // A system-coloured bitmap centred in the rectangle (offsets at least 0).
    static void DrawCentredBitmap(CDC* pDC, HBITMAP hBitmap, const CRect& rect);

protected:
    // Drawing state: 1 for a focused button when the focus flag is given, plus 4 when pressed.
    UINT DrawingState(BOOL bFocus) const;
    void DrawCaption(CDC* pDC, BOOL bFocus);
    // Redraws when the state changed and redrawing on change is set.
    void SetPressed(BOOL bPressed);

    BOOL m_bPressed = FALSE;
    BOOL m_bTracking = FALSE;
    BOOL m_bRedrawOnChange = TRUE;
};
