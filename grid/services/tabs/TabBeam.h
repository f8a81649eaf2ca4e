// The strip of sheet tabs at the bottom of a grid tab window: draws the tabs as trapezoids
// hanging from its top line, scrolls them with arrow buttons (auto-repeating while held), selects
// tabs by mouse (Shift marks a run, Ctrl toggles a mark) and asks for a rename on a double-click
// of the current tab. The strip tells its notification window (the parent unless set) by the
// messages of TabWnd.h.
#pragma once

#include <afxwin.h>

#include <toolkit/foundation/ThemeHandle.h>

// One sheet tab.
class CGXTabInfo : public CObject
{
    DECLARE_DYNAMIC(CGXTabInfo)
public:
    CGXTabInfo();
    // Deletes the sheet window when the tab owns it.
    ~CGXTabInfo() override;
    CGXTabInfo(const CGXTabInfo&) = delete;
    CGXTabInfo& operator=(const CGXTabInfo&) = delete;

    // The name's width plus the tab spacing; 60 until measured.
    int nWidth = 60;
    CString sLabel;
    // Part of the group selection.
    BOOL bSel = FALSE;
    CWnd* pExtra = nullptr;
    BOOL bDeleteExtra = FALSE;
    void* pData = nullptr;
    // The sheet's scroll bars while another sheet is shown (mask 0x17 once saved).
    SCROLLINFO sbVert{};
    SCROLLINFO sbHorz{};
    // Fills of the tab of its own instead of the system colours, normal and selected; not owned.
    HBRUSH hbrBack = nullptr;
    HBRUSH hbrSelBack = nullptr;
    // The mouse is over the tab (hot tracking).
    BOOL bHover = FALSE;
};

class CGXTabBeam : public CWnd
{
    DECLARE_DYNCREATE(CGXTabBeam)
public:
    // Actions of the arrow buttons and of ScrollTabs.
    enum : int
    {
        scrollFirst = 0,
        scrollPrevious = 1,
        scrollNext = 2,
        scrollLast = 3
    };

    CGXTabBeam();
    ~CGXTabBeam() override;

    // A child strip; makes its fonts and takes the button height as its height.
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    virtual void DrawTab(CDC* pDC, int nTab, const CRect& rect, BOOL bCurrent);
    virtual void DrawButton(CDC* pDC, int nButton, BOOL bPressed);
    // The tab's x offset from the first visible tab (negative for tabs before it).
    virtual int GetTabOffset(int nTab);
    // The tab under x, or -1.
    virtual int TabFromPoint(int x);
    virtual int GetLastVisibleTab();
    // Repeats the pressed button while it is held, until nEndMessage (WM_LBUTTONUP).
    virtual void OnButton(UINT nEndMessage);
    // Makes the tab under x current when the tab window allows it, and tells it to show the tab.
    virtual void SelectTabAt(int x, UINT nFlags);
    // The arrow action under the point (0 first, 1 previous, 2 next, 3 last) when it can
    // scroll now, else -1; with nMatch other than -1 only that action answers; with bPress the
    // action scrolls.
    virtual int ButtonFromPoint(int x, int y, int nMatch, BOOL bPress);
    virtual void ScrollTabs(int nAction);
    // Adds a tab after the last (or before the current one); nWidth -1 measures the name.
    virtual void InsertTab(BOOL bInsertBeforeCurrent, LPCTSTR pszName, CWnd* pWnd, BOOL bOwnsWindow, int nWidth,
                           void* pData);
    // Without a current tab when the current one goes; the first visible tab moves back when a
    // tab at or before it goes. An owned window goes with its tab.
    virtual void DeleteTab(int nTab);
    virtual void SetTabName(int nTab, LPCTSTR pszName);
    virtual int FindTab(const CWnd* pWnd) const;

    int GetCount() const
    {
        return m_nTabs;
    }
    int GetCurrentTab() const
    {
        return m_nCurrent;
    }
    int GetFirstVisibleTab() const
    {
        return m_nFirstTab;
    }
    CGXTabInfo& GetTab(int nTab) const
    {
        return *static_cast<CGXTabInfo*>(m_TabInfo[nTab]);
    }
    // Makes the tab current and scrolls it into view; repaints when it changed.
    void SetCurrentTab(int nTab);
    void ScrollToTab(int nTab);
    int GetButtonAreaWidth() const
    {
        return m_bButtons ? m_nButtonAreaWidth : 0;
    }
    CFont& GetNormalFont()
    {
        return m_fontNormal;
    }
    // Draws the strip: background, buttons, tabs (the current one last, on top). The window's
    // paint draws through a bitmap with it.
    void Paint(CDC* pDC);
    // The window told of selections; the parent when none.
    void SetNotifyWnd(CWnd* pWnd)
    {
        m_pNotifyWnd = pWnd;
    }
    CWnd* GetNotifyWnd() const;

    // Registers the class "CGXTabBeam": windows made by class name get an object of their own.
    static void RegisterClass(HINSTANCE hInstance);
    static void UnregisterClass(HINSTANCE hInstance);

protected:
    // The clock and the wait of the held button's repeat; tests give their own.
    virtual DWORD GetTicks();
    virtual void WaitForInput(DWORD dwMilliseconds);

    void PostNcDestroy() override;

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg LRESULT OnThemeChanged(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

    CObArray m_TabInfo;
    int m_nTabs = 0;
    int m_nCurrent = -1;
    int m_nFirstTab = 0;
    int m_nTabSpacing = 7;
    int m_nButtonAreaWidth;
    int m_nButtonHeight;
    int m_nButtonWidth;
    BOOL m_bButtons = TRUE;
    int m_nButtons = 2;
    int m_nPressedButton = -1;
    CFont m_fontNormal;
    CFont m_fontBold;
    CWnd* m_pNotifyWnd = nullptr;
    int m_nMarkSplitter = -1;

    // The strip's normal font: Arial of the height, in the character set that the grid's font
    // table gives the face; where characters may take two bytes, the stock user-interface font
    // (or the system font) at that height instead.
    static LOGFONT StripLogFont(int nHeight, BOOL bDoubleByte);

private:
    void CreateFonts();
    // The text width of a name in the normal font, plus the tab spacing.
    int MeasureTab(LPCTSTR pszName);
    // x of the first tab's left end.
    int TabsLeft() const
    {
        return GetButtonAreaWidth() + (m_bButtons ? 1 : 0);
    }
    // The first visible tab that leaves no space right of the last tab.
    int GetLastFirstTab();
    BOOL CanScrollBack() const
    {
        return m_nFirstTab > 0;
    }
    BOOL CanScrollOn();
    CPoint m_ptButton;
    // Redraws what the mouse entered or left; asks for WM_MOUSELEAVE.
    void TrackHover(CPoint point);
    int m_nHoverButton = -1;
    // The "HEADER" theme data, while visual styles are active.
    tarnwick::foundation::SECThemeHandle m_theme{L"HEADER"};
};
