// A month calendar window (a title, a bar of weekday names and six weeks of day boxes) and the
// same calendar as a popup under another control, which reports the chosen date by posted
// messages.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>
#include <afx/OleDateTime.h>

class CGXBCalendar;

// A text setting of the user's default locale; empty when it has none.
CString GXBReadLocaleText(LCTYPE type);

// Messages to the calendar's notify window: wParam the selection flag, lParam the box.
constexpr UINT GXB_CAL_SELECTED = 0x7D5;
constexpr UINT GXB_CAL_MARKED = 0x7D6;
constexpr UINT GXB_CAL_CHOSEN = 0x7D7;
constexpr UINT GXB_CAL_CLOSED = 0x7D8;

// Commands of the title's navigation buttons.
constexpr UINT GXB_ID_NEXTMONTH = 20029;
constexpr UINT GXB_ID_PREVYEAR = 20030;
constexpr UINT GXB_ID_NEXTYEAR = 20031;
constexpr UINT GXB_ID_PREVMONTH = 20032;

// Draw flags of the panels.
constexpr DWORD GXB_DRAW_CENTER = 0x80;
constexpr DWORD GXB_DRAW_GREYOUTSIDE = 0x100;
constexpr DWORD GXB_DRAW_FULLMONTHS = 0x10000000;
constexpr DWORD GXB_DRAW_FULLDAYS = 0x20000000;

// Behaviour flags of the calendar.
constexpr DWORD GXB_BEHAVE_CHOOSEONRELEASE = 0x100;
constexpr DWORD GXB_BEHAVE_OUTSIDESELECTABLE = 0x200;
constexpr DWORD GXB_BEHAVE_SELECTABLE = 0x4000;
constexpr DWORD GXB_BEHAVE_MARKABLE = 0x8000;
constexpr DWORD GXB_BEHAVE_POPUPFONTS = 0x10000;
constexpr DWORD GXB_BEHAVE_POPUP = 0x20000;
constexpr DWORD GXB_BEHAVE_CHOOSEONSELECT = 0x40000;
constexpr DWORD GXB_BEHAVE_YEARBUTTONS = 0x80000;
constexpr DWORD GXB_BEHAVE_MONTHBUTTONS = 0x100000;
constexpr DWORD GXB_BEHAVE_KEYBOARD = 0x200000;
constexpr DWORD GXB_BEHAVE_FIXEDPAGE = 0x400000;
constexpr DWORD GXB_BEHAVE_SIZABLE = 0x800000;
constexpr DWORD GXB_BEHAVE_SELECTONPRESS = 0x1000000;

// A rectangle drawn inside the calendar, not a window.
class CGXBPanel : public CObject
{
    DECLARE_DYNAMIC(CGXBPanel)

public:
    CGXBPanel() = default;

    virtual void SetBehaviour(DWORD dwFlags);
    virtual void DrawFrame(CDC& dc);
    virtual void DrawBackground(CDC& dc);
    virtual void SetDrawFlags(DWORD dwFlags);
    virtual void Invalidate();
    virtual void DrawContent(CDC& dc) = 0;

    void Draw(CDC& dc);
    void Init(CGXBCalendar* pCalendar, const CRect& rect);
    void SetTextColors(COLORREF clrText, COLORREF clrGrey);

    const CRect& GetRect() const
    {
        return m_rect;
    }
    void SetRect(const CRect& rect)
    {
        m_rect = rect;
    }
    DWORD GetBehaviour() const
    {
        return m_dwBehaviour;
    }
    DWORD GetDrawFlags() const
    {
        return m_dwDrawFlags;
    }
    void SetFirstDayOfWeek(int nDay)
    {
        m_nFirstDayOfWeek = nDay;
    }
    const COleDateTime& GetDate() const
    {
        return m_date;
    }
    void SetDate(const COleDateTime& date)
    {
        m_date = date;
    }
    BOOL IsSelected() const
    {
        return m_bSelected;
    }
    void SetSelected(BOOL bSelected);
    BOOL IsMarked() const
    {
        return m_bMarked;
    }
    void SetMarked(BOOL bMarked);
    BOOL IsOutsideMonth() const
    {
        return m_bOutsideMonth;
    }
    void SetOutsideMonth(BOOL bOutside)
    {
        m_bOutsideMonth = bOutside;
    }

protected:
    CGXBCalendar* m_pCalendar = nullptr;
    int m_nFirstDayOfWeek = 2;
    COLORREF m_clrText = 0;
    COLORREF m_clrGrey = 0;

private:
    CRect m_rect;
    DWORD m_dwDrawFlags = 0;
    DWORD m_dwBehaviour = 0;
    COleDateTime m_date;
    BOOL m_bSelected = FALSE;
    BOOL m_bMarked = FALSE;
    BOOL m_bOutsideMonth = FALSE;
};

class CGXBDayBox : public CGXBPanel
{
    DECLARE_DYNAMIC(CGXBDayBox)

public:
    void DrawContent(CDC& dc) override;
};

class CGXBDayBar : public CGXBPanel
{
public:
    // The weekday shown in column 1 to 7, as 1 Sunday to 7 Saturday.
    int WeekdayOfColumn(int nColumn) const;
    void DrawContent(CDC& dc) override;
};

class CGXBCalTitle : public CGXBPanel
{
    DECLARE_DYNAMIC(CGXBCalTitle)

public:
    void DrawContent(CDC& dc) override;
    virtual CString GetTitleText() const;
    // Places the navigation buttons inside the title.
    virtual void Recalculate();
};

class CGXBCalendar : public CWnd
{
    DECLARE_DYNAMIC(CGXBCalendar)

public:
    static constexpr int nBoxes = 42;

    CGXBCalendar();
    ~CGXBCalendar() override;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // The moves: nMove 0 moves the page only, 1 the selection.
    virtual void NextDay(int nMove);
    virtual void PreviousDay(int nMove);
    virtual void NextWeek(int nMove);
    virtual void PreviousWeek(int nMove);
    virtual void NextMonth(int nMove);
    virtual void PreviousMonth(int nMove);
    virtual void NextYear(int nMove);
    virtual void PreviousYear(int nMove);
    virtual void MoveSelection(const COleDateTimeSpan& span);
    virtual void MovePage(const COleDateTimeSpan& span);
    virtual BOOL MarkDate(const COleDateTime& date, BOOL bMark);
    virtual void SelectDate(const COleDateTime& date, BOOL bSelect);
    virtual void ToggleSelection(const COleDateTime& date);
    virtual void ToggleMark(const COleDateTime& date);
    // False for months before February 100 and after November 9999.
    virtual BOOL IsMonthInRange(int nYear, int nMonth) const;
    virtual void SetColors();
    virtual void Refuse();
    virtual UINT GetClassStyle() const;

    // Shows the month of the date; false (with a beep) when the page may not change there.
    BOOL SetPage(const COleDateTime& date, BOOL bRedraw = TRUE);
    const COleDateTime& GetPage() const
    {
        return m_page;
    }
    // The date of the selected box; invalid without one.
    COleDateTime GetSelectedDate() const;
    const COleDateTime& GetLastSelected() const
    {
        return m_selected;
    }
    BOOL IsMarked(const COleDateTime& date) const;
    DWORD GetBehaviour() const
    {
        return m_dwBehaviour;
    }
    void SetBehaviour(DWORD dwFlags);
    DWORD GetDayDrawFlags() const
    {
        return m_dwDayDrawFlags;
    }
    void SetDayDrawFlags(DWORD dwFlags);
    DWORD GetBarDrawFlags() const
    {
        return m_dwBarDrawFlags;
    }
    void SetChooseOnDeactivate(int nChoose)
    {
        m_bChooseOnDeactivate = nChoose == 1;
    }
    BOOL GetChooseOnDeactivate() const
    {
        return m_bChooseOnDeactivate;
    }
    int GetFirstDayOfWeek() const
    {
        return m_nFirstDayOfWeek;
    }
    void SetFirstDayOfWeek(int nDay);
    const CGXBDayBox& GetBox(int nIndex) const
    {
        return m_boxes[nIndex];
    }
    const CGXBDayBar& GetDayBar() const
    {
        return m_dayBar;
    }
    const CGXBCalTitle& GetTitle() const
    {
        return m_title;
    }
    CFont& GetTitleFont()
    {
        return m_fontTitle;
    }
    CFont& GetBarFont()
    {
        return m_fontBar;
    }
    CFont& GetBoxFont()
    {
        return m_fontBox;
    }
    // The calendar's size for its fonts.
    CSize CalculateSize();

    // The locale's name of a weekday (1 Sunday to 7 Saturday) and of a month (1 to 12).
    static CString DayName(int nDay, BOOL bFull);
    static CString MonthName(int nMonth, BOOL bFull);

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnSysColorChange();
    afx_msg void OnNextMonth();
    afx_msg void OnPrevMonth();
    afx_msg void OnNextYear();
    afx_msg void OnPrevYear();
    DECLARE_MESSAGE_MAP()

    // Posts one of the calendar messages once the window exists; 0x7D7 and 0x7D8 hide a popup.
    void Report(UINT nMessage);
    BOOL CreateCalendarWindow(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    CWnd* m_pNotifyWnd = nullptr;

private:
    void SetupFonts();
    void FillBoxes();
    void Layout();
    void CreateNavigationButtons();
    // Moves the selection (nMove 1) or the page (0) to the date, beeping when it cannot.
    void MoveTo(const COleDateTime& date, int nMove);
    COleDateTime MonthStep(const COleDateTime& date, int nDirection) const;
    COleDateTime YearStep(const COleDateTime& date, int nDirection) const;
    int BoxFromPoint(CPoint point) const;
    void RestoreRememberedSelection();

    CGXBDayBar m_dayBar;
    CGXBCalTitle m_title;
    int m_nFirstDayOfWeek = 2;
    BOOL m_bCreated = FALSE;
    COleDateTime m_page;
    COleDateTime m_selected;
    COleDateTime m_anchor;
    CGXBDayBox m_boxes[nBoxes];
    CGXBDayBox* m_pSelectedBox = nullptr;
    BOOL m_bTracking = FALSE;
    BOOL m_bRemembered = FALSE;
    COleDateTime m_remembered;
    CList<COleDateTime, const COleDateTime&> m_marked;
    CFont m_fontTitle;
    CFont m_fontBar;
    CFont m_fontBox;
    COLORREF m_clrText = 0;
    COLORREF m_clrGrey = 0;
    DWORD m_dwDayDrawFlags = 0x101;
    DWORD m_dwBarDrawFlags = 0x1000017F;
    DWORD m_dwBehaviour = 0x39C000;
    BOOL m_bChooseOnDeactivate = FALSE;
    CButton m_buttons[4];
};

class CGXBPopupCalendar : public CGXBCalendar
{
    DECLARE_DYNAMIC(CGXBPopupCalendar)

public:
    CGXBPopupCalendar();

    // Opens the calendar under (or above) the anchor rectangle in screen coordinates; style bit
    // 0x1 aligns it to the anchor's left edge, else to its right edge.
    virtual BOOL CreatePopup(DWORD dwStyle, const RECT& rectAnchor, CWnd* pOwner);
    UINT GetClassStyle() const override;

protected:
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    DECLARE_MESSAGE_MAP()
};
