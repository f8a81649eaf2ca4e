// A progress bar that draws itself: a solid or themed bar, an optional percentage or text in
// two colours so that it reads over both parts of the bar, vertical and reversed layouts and a
// timer-driven marquee; or, in native mode, the common control's own painting.
#pragma once

#include <afxcmn.h>
#include <uxtheme.h>

#include <toolkit/foundation/ThemeHandle.h>

namespace tarnwick::bars
{
// Progress styles.
constexpr DWORD PBS_SEC_VERTICAL = 0x00000001;
constexpr DWORD PBS_SEC_RIGHTTOLEFT = 0x00000010;
constexpr DWORD PBS_SEC_TOPTOBOTTOM = 0x00000020;
constexpr DWORD PBS_SEC_PERCENT = 0x00000100;
constexpr DWORD PBS_SEC_TEXT = 0x00000200;
constexpr DWORD PBS_SEC_TEXTLEFT = 0x00001000;
constexpr DWORD PBS_SEC_TEXTRIGHT = 0x00002000;
constexpr DWORD PBS_SEC_NATIVE = 0x00010000;
constexpr DWORD PBS_SEC_MARQUEE = 0x00020000;
constexpr DWORD PBS_SEC_STATEPAUSED = 0x00040000;
constexpr DWORD PBS_SEC_STATEERROR = 0x00500000;

class SECProgressCtrl : public CProgressCtrl
{
    DECLARE_DYNAMIC(SECProgressCtrl)
public:
    SECProgressCtrl();
    ~SECProgressCtrl() override;

    // FALSE when the window exists already.
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwProgressStyle = 0x4100);
    virtual BOOL SubclassCtrl(UINT nID, CWnd* pParent);
    virtual void SetRange(int nLower, int nUpper);
    // Answers the previous position (the control's answer in native mode); with bPump the
    // waiting paint messages of the thread are dispatched, so that the bar shows during long
    // work on the user-interface thread.
    virtual int SetPos(int nPos, BOOL bPump = FALSE);
    virtual int OffsetPos(int nDelta, BOOL bPump = FALSE);
    virtual int SetStep(int nStep);
    virtual void SetColors(COLORREF crBar, COLORREF crBk);
    virtual void SetTextFont(CFont* pFont, BOOL bRedraw = TRUE);
    virtual void SetText(LPCTSTR lpszText);
    virtual CString GetText() const;
    virtual int StepIt(BOOL bPump = FALSE);
    virtual void Reset();
    // Runs the stepping timer; FALSE (the timer stopped) once there is nothing left to step.
    virtual BOOL StartTimer(UINT nElapse);
    virtual void StartMarquee();
    virtual void SetMarqueeRunning(BOOL bRunning);
    virtual int OnInitCtrl();
    virtual void DrawBar(CDC* pDC, const CRect& rectBar);
    virtual void DrawBackground(CDC* pDC, const CRect& rectRest);
    virtual void DrawText(CDC* pDC, float fPercent, const CRect& rectRest, const CRect& rectBar);
    // A hook that may change the text about to be drawn.
    virtual void FormatText(CString& strText);
    virtual void OnDraw(CDC* pDC);
    virtual void CalcRects(float fPercent, CRect& rectBar, CRect& rectRest) const;
    virtual void DrawBuffered(float fPercent, const CRect& rectBar, const CRect& rectRest, CDC* pDC);
    // The clamped position's share of the range, 0 to 100; 0 for an empty range.
    virtual float GetPercent() const;

    void SetProgressStyle(DWORD dwStyle);
    DWORD GetProgressStyle() const
    {
        return m_dwStyle;
    }
    int GetPos() const
    {
        return m_nPos;
    }
    int GetStep() const
    {
        return m_nStep;
    }
    void GetRange(int& nLower, int& nUpper) const
    {
        nLower = m_nLower;
        nUpper = m_nUpper;
    }
    BOOL IsMarqueeRunning() const
    {
        return m_bMarqueeRunning;
    }
    static constexpr UINT_PTR ID_TIMER_PROGRESS = 256;

protected:
    BOOL IsNative() const
    {
        return (m_dwStyle & PBS_SEC_NATIVE) != 0;
    }
    BOOL IsVertical() const
    {
        return (m_dwStyle & PBS_SEC_VERTICAL) != 0;
    }
    // The theme of the progress bar when themes are on, opened once.
    HTHEME GetTheme();
    BOOL IsThemedStyle();
    void InvalidateIfCreated();

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnThemeChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    int m_nPos;
    int m_nStep;
    int m_nLower;
    int m_nUpper;
    COLORREF m_crBar;
    COLORREF m_crBk;
    CFont* m_pFont;
    BOOL m_bVisible;
    BOOL m_bCreated;
    CString m_strText;
    DWORD m_dwStyle;
    CRect m_rcClient;
    UINT_PTR m_nTimerId;
    foundation::SECThemeHandle m_theme{L"Progress"};
    BOOL m_bMarqueeRunning;
};
} // namespace tarnwick::bars
