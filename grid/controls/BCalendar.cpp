#include <grid/controls/BCalendar.h>

#include <grid/core/SysData.h>

#include <algorithm>
#include <utility>

IMPLEMENT_DYNAMIC(CGXBPanel, CObject)
IMPLEMENT_DYNAMIC(CGXBDayBox, CGXBPanel)
IMPLEMENT_DYNAMIC(CGXBCalTitle, CGXBPanel)
IMPLEMENT_DYNAMIC(CGXBCalendar, CWnd)
IMPLEMENT_DYNAMIC(CGXBPopupCalendar, CGXBCalendar)

BEGIN_MESSAGE_MAP(CGXBCalendar, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_KEYDOWN()
ON_WM_GETDLGCODE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_MOUSEMOVE()
ON_WM_NCHITTEST()
ON_WM_SYSCOLORCHANGE()
ON_COMMAND(GXB_ID_NEXTMONTH, OnNextMonth)
ON_COMMAND(GXB_ID_PREVMONTH, OnPrevMonth)
ON_COMMAND(GXB_ID_NEXTYEAR, OnNextYear)
ON_COMMAND(GXB_ID_PREVYEAR, OnPrevYear)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CGXBPopupCalendar, CGXBCalendar)
ON_WM_ACTIVATE()
END_MESSAGE_MAP()

namespace
{
constexpr UINT nRefuseBeep = 0x30;
constexpr DWORD dwPopupBehaviour = 0x39C100;
constexpr double adblColumns[] = {0, 0.143, 0.286, 0.429, 0.572, 0.715, 0.858, 1.0};

COleDateTime Noon(const COleDateTime& date)
{
    return COleDateTime(date.GetYear(), date.GetMonth(), date.GetDay(), 12, 0, 0);
}

bool SameDay(const COleDateTime& a, const COleDateTime& b)
{
    return a.GetStatus() == COleDateTime::valid && b.GetStatus() == COleDateTime::valid && a.GetYear() == b.GetYear() &&
           a.GetMonth() == b.GetMonth() && a.GetDay() == b.GetDay();
}

COleDateTime Invalid()
{
    COleDateTime date;
    date.SetStatus(COleDateTime::invalid);
    return date;
}

const COleDateTimeSpan oneDay(1, 0, 0, 0);

} // namespace

CString GXBReadLocaleText(LCTYPE type)
{
    WCHAR szValue[128];
    return ::GetLocaleInfoW(LOCALE_USER_DEFAULT, type, szValue, static_cast<int>(std::size(szValue))) > 0
               ? CString(szValue)
               : CString();
}

// ---- panels

void CGXBPanel::SetBehaviour(DWORD dwFlags)
{
    m_dwBehaviour = dwFlags;
}

void CGXBPanel::DrawFrame(CDC& dc)
{
    CRect rect = m_rect;
    dc.DrawEdge(rect, m_bSelected ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
}

void CGXBPanel::DrawBackground(CDC& dc)
{
    CRect rect = m_rect;
    rect.DeflateRect(2, 2);
    dc.FillSolidRect(rect, ::GetSysColor(COLOR_BTNFACE));
}

void CGXBPanel::SetDrawFlags(DWORD dwFlags)
{
    m_dwDrawFlags = dwFlags;
}

void CGXBPanel::Invalidate()
{
    if (m_pCalendar != nullptr && m_pCalendar->m_hWnd != nullptr)
        m_pCalendar->InvalidateRect(m_rect, FALSE);
}

void CGXBPanel::Draw(CDC& dc)
{
    DrawBackground(dc);
    DrawFrame(dc);
    DrawContent(dc);
}

void CGXBPanel::Init(CGXBCalendar* pCalendar, const CRect& rect)
{
    m_pCalendar = pCalendar;
    m_rect = rect;
}

void CGXBPanel::SetTextColors(COLORREF clrText, COLORREF clrGrey)
{
    m_clrText = clrText;
    m_clrGrey = clrGrey;
}

void CGXBPanel::SetSelected(BOOL bSelected)
{
    if (m_bSelected != bSelected)
    {
        m_bSelected = bSelected;
        Invalidate();
    }
}

void CGXBPanel::SetMarked(BOOL bMarked)
{
    if (m_bMarked != bMarked)
    {
        m_bMarked = bMarked;
        Invalidate();
    }
}

void CGXBDayBox::DrawContent(CDC& dc)
{
    CString strDay;
    strDay.Format(_T("%d"), GetDate().GetDay());
    CFont* pOldFont = dc.SelectObject(&m_pCalendar->GetBoxFont());
    dc.SetBkMode(TRANSPARENT);
    const bool bGrey = IsOutsideMonth() && (GetDrawFlags() & GXB_DRAW_GREYOUTSIDE) != 0;
    dc.SetTextColor(bGrey ? m_clrGrey : m_clrText);
    CRect rect = GetRect();
    if ((GetDrawFlags() & GXB_DRAW_CENTER) != 0)
        dc.DrawText(strDay, rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    else
        dc.TextOut(rect.left + rect.Width() / 10, rect.top + rect.Height() / 10, strDay);
    if (IsMarked())
    {
        // A marked day is underlined.
        CRect rectMark(rect.left + 3, rect.bottom - 4, rect.right - 3, rect.bottom - 3);
        dc.FillSolidRect(rectMark, m_clrText);
    }
    dc.SelectObject(pOldFont);
}

int CGXBDayBar::WeekdayOfColumn(int nColumn) const
{
    return (nColumn - 2 + m_nFirstDayOfWeek + 7) % 7 + 1;
}

void CGXBDayBar::DrawContent(CDC& dc)
{
    CFont* pOldFont = dc.SelectObject(&m_pCalendar->GetBarFont());
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(m_clrText);
    const CRect& rect = GetRect();
    for (int nColumn = 1; nColumn <= 7; ++nColumn)
    {
        CRect rectColumn(rect.left + static_cast<int>(rect.Width() * adblColumns[nColumn - 1]), rect.top,
                         rect.left + static_cast<int>(rect.Width() * adblColumns[nColumn]), rect.bottom);
        dc.DrawText(CGXBCalendar::DayName(WeekdayOfColumn(nColumn), (GetDrawFlags() & GXB_DRAW_FULLDAYS) != 0),
                    rectColumn, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    dc.SelectObject(pOldFont);
}

CString CGXBCalTitle::GetTitleText() const
{
    CString strTitle;
    strTitle.Format(_T("%s %d"),
                    static_cast<LPCTSTR>(
                        CGXBCalendar::MonthName(GetDate().GetMonth(), (GetDrawFlags() & GXB_DRAW_FULLMONTHS) != 0)),
                    GetDate().GetYear());
    return strTitle;
}

void CGXBCalTitle::DrawContent(CDC& dc)
{
    CFont* pOldFont = dc.SelectObject(&m_pCalendar->GetTitleFont());
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(m_clrText);
    CRect rect = GetRect();
    dc.DrawText(GetTitleText(), rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    dc.SelectObject(pOldFont);
}

void CGXBCalTitle::Recalculate()
{
    Invalidate();
}

// ---- CGXBCalendar

CGXBCalendar::CGXBCalendar() : m_page(1970, 1, 1, 12, 0, 0), m_selected(Invalid()), m_anchor(Invalid())
{
    SetColors();
    SetupFonts();
    FillBoxes();
}

CGXBCalendar::~CGXBCalendar()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

CString CGXBCalendar::DayName(int nDay, BOOL bFull)
{
    // The locale lists Monday first: Sunday is its seventh item.
    const int nItem = nDay == 1 ? 6 : nDay - 2;
    return GXBReadLocaleText((bFull ? LOCALE_SDAYNAME1 : LOCALE_SABBREVDAYNAME1) + nItem);
}

CString CGXBCalendar::MonthName(int nMonth, BOOL bFull)
{
    return GXBReadLocaleText((bFull ? LOCALE_SMONTHNAME1 : LOCALE_SABBREVMONTHNAME1) + nMonth - 1);
}

BOOL CGXBCalendar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateCalendarWindow(0, dwStyle | WS_CHILD | WS_CLIPCHILDREN, rect, pParentWnd, nID);
}

BOOL CGXBCalendar::CreateCalendarWindow(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    m_pNotifyWnd = pParentWnd;
    const LPCTSTR pszClass =
        AfxRegisterWndClass(GetClassStyle(), ::LoadCursor(nullptr, IDC_ARROW), ::GetSysColorBrush(COLOR_BTNFACE));
    if (!CreateEx(dwExStyle, pszClass, _T("CGXBCalendar"), dwStyle, rect, pParentWnd,
                  (dwStyle & WS_CHILD) != 0 ? nID : 0))
        return FALSE;
    CreateNavigationButtons();
    FillBoxes();
    Layout();
    m_bCreated = TRUE;
    return TRUE;
}

void CGXBCalendar::CreateNavigationButtons()
{
    const struct
    {
        UINT nID;
        LPCTSTR pszText;
        DWORD dwNeeded;
    } buttons[] = {{GXB_ID_PREVYEAR, _T("<<"), GXB_BEHAVE_YEARBUTTONS},
                   {GXB_ID_PREVMONTH, _T("<"), GXB_BEHAVE_MONTHBUTTONS},
                   {GXB_ID_NEXTMONTH, _T(">"), GXB_BEHAVE_MONTHBUTTONS},
                   {GXB_ID_NEXTYEAR, _T(">>"), GXB_BEHAVE_YEARBUTTONS}};
    for (int i = 0; i < 4; ++i)
        if ((m_dwBehaviour & buttons[i].dwNeeded) != 0)
            m_buttons[i].Create(buttons[i].pszText, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 0, 0), this,
                                buttons[i].nID);
}

void CGXBCalendar::SetupFonts()
{
    LOGFONT lf{};
    ::GetObject(::GetStockObject(SYSTEM_FONT), sizeof(lf), &lf);
    _tcscpy_s(lf.lfFaceName, _T("Arial"));
    lf.lfQuality = 1;
    LOGFONT lfTitle = lf;
    lfTitle.lfHeight *= 2;
    lfTitle.lfWidth *= 2;
    lfTitle.lfOutPrecision = 2;
    lfTitle.lfPitchAndFamily = VARIABLE_PITCH;
    lf.lfOutPrecision = 7;
    for (CFont* pFont : {&m_fontTitle, &m_fontBar, &m_fontBox})
        pFont->DeleteObject();
    // A font that cannot be made leaves the system font in its place.
    const std::pair<CFont*, const LOGFONT*> fonts[] = {{&m_fontTitle, &lfTitle}, {&m_fontBar, &lf}, {&m_fontBox, &lf}};
    for (const auto& [pFont, pLogFont] : fonts)
        if (!pFont->CreateFontIndirect(pLogFont))
            VERIFY(pFont->CreateStockObject(SYSTEM_FONT));
}

CSize CGXBCalendar::CalculateSize()
{
    CDC dc;
    if (!dc.CreateCompatibleDC(nullptr))
        return CSize(0, 0);
    CFont* pOldFont = dc.SelectObject(&m_fontTitle);
    const bool bButtons = (m_dwBehaviour & (GXB_BEHAVE_YEARBUTTONS | GXB_BEHAVE_MONTHBUTTONS)) != 0;
    const CSize sizeSample =
        dc.GetTextExtent((m_dwBarDrawFlags & GXB_DRAW_FULLMONTHS) != 0 ? _T("September, 2000") : _T("Sep, 2000"));
    const CSize sizeTitle(static_cast<int>(sizeSample.cx * (bButtons ? 2.2 : 1.2)),
                          static_cast<int>(sizeSample.cy * 1.2));
    dc.SelectObject(&m_fontBox);
    const CSize sizeDigits = dc.GetTextExtent(_T("88"));
    const double dblScale = 1.25 * ((m_dwDayDrawFlags & GXB_DRAW_CENTER) != 0 ? 1.0 : 1.5);
    const CSize sizeBox(std::max(static_cast<int>(sizeDigits.cx * dblScale), static_cast<int>(sizeDigits.cx) + 4),
                        std::max(static_cast<int>(sizeDigits.cy * dblScale), static_cast<int>(sizeDigits.cy) + 4));
    dc.SelectObject(&m_fontBar);
    int cxBar = 0;
    int cyBar = 0;
    for (int nDay = 1; nDay <= 7; ++nDay)
    {
        const CSize sizeName = dc.GetTextExtent(DayName(nDay, (m_dwBarDrawFlags & GXB_DRAW_FULLDAYS) != 0));
        cxBar = std::max(cxBar, static_cast<int>(sizeName.cx) + 4);
        cyBar = std::max(cyBar, static_cast<int>(sizeName.cy) + 4);
    }
    dc.SelectObject(pOldFont);
    return CSize(std::max({static_cast<int>(sizeBox.cx) * 7, cxBar * 7, static_cast<int>(sizeTitle.cx)}),
                 sizeTitle.cy + cyBar + 6 * sizeBox.cy);
}

void CGXBCalendar::Layout()
{
    if (m_hWnd == nullptr)
        return;
    CRect rectClient;
    GetClientRect(rectClient);
    const int cyUnit = std::max(1, static_cast<int>(rectClient.Height()) / 9);
    const int cyTitle = rectClient.Height() - 8 * cyUnit + cyUnit / 2;
    m_title.Init(this, CRect(0, 0, rectClient.Width(), cyTitle));
    m_dayBar.Init(this, CRect(0, cyTitle, rectClient.Width(), cyTitle + cyUnit));
    const int cyBox = (rectClient.Height() - cyTitle - cyUnit) / 6;
    const int cxBox = rectClient.Width() / 7;
    for (int i = 0; i < nBoxes; ++i)
    {
        const int x = rectClient.Width() * (i % 7) / 7;
        const int y = cyTitle + cyUnit + cyBox * (i / 7);
        m_boxes[i].Init(this, CRect(x, y, x + cxBox, y + cyBox));
    }
    // The buttons sit at the ends of the title, a fifth of its height in from its edges.
    const int nMargin = std::max(1, cyTitle / 5);
    const int cxButton = cyTitle - 2 * nMargin;
    const int xButtons[4] = {nMargin, nMargin + cxButton, rectClient.Width() - nMargin - 2 * cxButton,
                             rectClient.Width() - nMargin - cxButton};
    for (int i = 0; i < 4; ++i)
        if (m_buttons[i].m_hWnd != nullptr)
            m_buttons[i].MoveWindow(xButtons[i], nMargin, cxButton, cxButton);
    m_title.Recalculate();
    Invalidate(FALSE);
}

void CGXBCalendar::FillBoxes()
{
    COleDateTime date = Noon(m_page);
    while (date.GetDay() != 1)
        date -= oneDay;
    while (date.GetDayOfWeek() != m_nFirstDayOfWeek)
        date -= oneDay;
    m_pSelectedBox = nullptr;
    m_title.SetDate(m_page);
    m_title.SetDrawFlags(m_dwBarDrawFlags);
    m_dayBar.SetDrawFlags(m_dwBarDrawFlags);
    m_dayBar.SetFirstDayOfWeek(m_nFirstDayOfWeek);
    for (CGXBPanel* pPanel : std::initializer_list<CGXBPanel*>{&m_title, &m_dayBar})
        pPanel->SetTextColors(m_clrText, m_clrGrey);
    for (CGXBDayBox& box : m_boxes)
    {
        const bool bInside = date.GetMonth() == m_page.GetMonth() && date.GetYear() == m_page.GetYear();
        box.SetDate(date);
        box.SetTextColors(m_clrText, m_clrGrey);
        box.SetOutsideMonth(!bInside);
        box.SetDrawFlags(bInside ? m_dwDayDrawFlags : m_dwBarDrawFlags);
        DWORD dwBoxBehaviour = GXB_BEHAVE_SELECTABLE | GXB_BEHAVE_MARKABLE;
        if (!bInside)
            dwBoxBehaviour = (m_dwBehaviour & GXB_BEHAVE_OUTSIDESELECTABLE) != 0 ? DWORD{GXB_BEHAVE_SELECTABLE} : 0;
        box.SetBehaviour(dwBoxBehaviour);
        box.SetMarked(IsMarked(date));
        const BOOL bSelected = SameDay(date, m_selected) && (dwBoxBehaviour & GXB_BEHAVE_SELECTABLE) != 0;
        box.SetSelected(bSelected);
        if (bSelected)
            m_pSelectedBox = &box;
        date += oneDay;
    }
}

BOOL CGXBCalendar::SetPage(const COleDateTime& date, BOOL bRedraw)
{
    if (date.GetStatus() != COleDateTime::valid || (m_bCreated && (m_dwBehaviour & GXB_BEHAVE_FIXEDPAGE) != 0) ||
        !IsMonthInRange(date.GetYear(), date.GetMonth()))
    {
        Refuse();
        return FALSE;
    }
    m_page = Noon(date);
    FillBoxes();
    if (m_hWnd != nullptr)
    {
        Invalidate(FALSE);
        if (bRedraw)
            UpdateWindow();
    }
    return TRUE;
}

COleDateTime CGXBCalendar::GetSelectedDate() const
{
    return m_pSelectedBox != nullptr ? m_pSelectedBox->GetDate() : Invalid();
}

BOOL CGXBCalendar::IsMarked(const COleDateTime& date) const
{
    for (POSITION pos = m_marked.GetHeadPosition(); pos != nullptr;)
        if (SameDay(m_marked.GetNext(pos), date))
            return TRUE;
    return FALSE;
}

void CGXBCalendar::SetBehaviour(DWORD dwFlags)
{
    m_dwBehaviour = dwFlags;
    FillBoxes();
}

void CGXBCalendar::SetDayDrawFlags(DWORD dwFlags)
{
    m_dwDayDrawFlags = dwFlags;
    FillBoxes();
}

void CGXBCalendar::SetFirstDayOfWeek(int nDay)
{
    if (nDay < 1 || nDay > 7)
        return;
    m_nFirstDayOfWeek = nDay;
    FillBoxes();
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void CGXBCalendar::Report(UINT nMessage)
{
    if (!m_bCreated || m_pNotifyWnd == nullptr)
        return;
    m_pNotifyWnd->PostMessage(nMessage, m_pSelectedBox != nullptr ? TRUE : FALSE,
                              reinterpret_cast<LPARAM>(m_pSelectedBox));
    if ((nMessage == GXB_CAL_CHOSEN || nMessage == GXB_CAL_CLOSED) && (GetStyle() & WS_POPUP) != 0)
        ShowWindow(SW_HIDE);
}

void CGXBCalendar::MoveTo(const COleDateTime& date, int nMove)
{
    if (date.GetStatus() != COleDateTime::valid || !IsMonthInRange(date.GetYear(), date.GetMonth()))
    {
        Refuse();
        return;
    }
    if (nMove == 0)
    {
        SetPage(date);
        return;
    }
    if (date.GetMonth() != m_page.GetMonth() || date.GetYear() != m_page.GetYear())
        if (!SetPage(date))
            return;
    SelectDate(date, TRUE);
}

COleDateTime CGXBCalendar::MonthStep(const COleDateTime& date, int nDirection) const
{
    // From noon of the first, 27 days on (or back), then day by day to a first.
    COleDateTime step = COleDateTime(date.GetYear(), date.GetMonth(), 1, 12, 0, 0);
    if (nDirection > 0)
    {
        step += COleDateTimeSpan(27, 0, 0, 0);
        while (step.GetStatus() == COleDateTime::valid && step.GetDay() != 1)
            step += oneDay;
    }
    else
    {
        step -= oneDay;
        while (step.GetStatus() == COleDateTime::valid && step.GetDay() != 1)
            step -= oneDay;
    }
    return step;
}

COleDateTime CGXBCalendar::YearStep(const COleDateTime& date, int nDirection) const
{
    const int nYear = date.GetYear() + nDirection;
    COleDateTime step(nYear, date.GetMonth(), date.GetDay(), 12, 0, 0);
    if (step.GetStatus() != COleDateTime::valid && date.GetMonth() == 2 && date.GetDay() == 29)
        step = COleDateTime(nYear, 2, 28, 12, 0, 0);
    if (nYear < 100 || nYear > 9999)
        step.SetStatus(COleDateTime::invalid);
    return step;
}

void CGXBCalendar::NextDay(int nMove)
{
    MoveSelection(COleDateTimeSpan(nMove != 0 ? 1 : 0, 0, 0, 0));
}

void CGXBCalendar::PreviousDay(int nMove)
{
    MoveSelection(COleDateTimeSpan(nMove != 0 ? -1 : 0, 0, 0, 0));
}

void CGXBCalendar::NextWeek(int nMove)
{
    MoveSelection(COleDateTimeSpan(nMove != 0 ? 7 : 0, 0, 0, 0));
}

void CGXBCalendar::PreviousWeek(int nMove)
{
    MoveSelection(COleDateTimeSpan(nMove != 0 ? -7 : 0, 0, 0, 0));
}

void CGXBCalendar::NextMonth(int nMove)
{
    if (nMove != 0 && m_pSelectedBox == nullptr)
        return Refuse();
    MoveTo(MonthStep(nMove != 0 ? GetSelectedDate() : m_page, 1), nMove);
}

void CGXBCalendar::PreviousMonth(int nMove)
{
    if (nMove != 0 && m_pSelectedBox == nullptr)
        return Refuse();
    MoveTo(MonthStep(nMove != 0 ? GetSelectedDate() : m_page, -1), nMove);
}

void CGXBCalendar::NextYear(int nMove)
{
    if (nMove != 0 && m_pSelectedBox == nullptr)
        return Refuse();
    MoveTo(YearStep(nMove != 0 ? GetSelectedDate() : m_page, 1), nMove);
}

void CGXBCalendar::PreviousYear(int nMove)
{
    if (nMove != 0 && m_pSelectedBox == nullptr)
        return Refuse();
    MoveTo(YearStep(nMove != 0 ? GetSelectedDate() : m_page, -1), nMove);
}

void CGXBCalendar::MoveSelection(const COleDateTimeSpan& span)
{
    if (m_pSelectedBox == nullptr)
        return Refuse();
    MoveTo(GetSelectedDate() + span, 1);
}

void CGXBCalendar::MovePage(const COleDateTimeSpan& span)
{
    MoveTo(m_page + span, 0);
}

BOOL CGXBCalendar::MarkDate(const COleDateTime& date, BOOL bMark)
{
    if (date.GetStatus() != COleDateTime::valid)
        return FALSE;
    // The list stays ascending and without duplicates.
    const COleDateTime day = Noon(date);
    POSITION pos = m_marked.GetHeadPosition();
    while (pos != nullptr && m_marked.GetAt(pos) < day)
        m_marked.GetNext(pos);
    const bool bFound = pos != nullptr && SameDay(m_marked.GetAt(pos), day);
    if (bFound && !bMark)
        m_marked.RemoveAt(pos);
    else if (!bFound && bMark)
        pos != nullptr ? static_cast<void>(m_marked.InsertBefore(pos, day)) : static_cast<void>(m_marked.AddTail(day));
    for (CGXBDayBox& box : m_boxes)
        if (SameDay(box.GetDate(), day) && box.IsMarked() != bMark)
        {
            box.SetMarked(bMark);
            Report(GXB_CAL_MARKED);
        }
    return TRUE;
}

void CGXBCalendar::SelectDate(const COleDateTime& date, BOOL bSelect)
{
    const COleDateTime day = Noon(date);
    if (bSelect)
    {
        m_selected = day;
        m_anchor = day;
    }
    m_pSelectedBox = nullptr;
    for (CGXBDayBox& box : m_boxes)
    {
        const BOOL bMatch = SameDay(box.GetDate(), m_selected) && (box.GetBehaviour() & GXB_BEHAVE_SELECTABLE) != 0;
        box.SetSelected(bMatch);
        if (bMatch)
            m_pSelectedBox = &box;
    }
    Report(GXB_CAL_SELECTED);
    if ((m_dwBehaviour & GXB_BEHAVE_CHOOSEONSELECT) != 0)
        Report(GXB_CAL_CHOSEN);
}

void CGXBCalendar::ToggleSelection(const COleDateTime& date)
{
    if (SameDay(date, m_selected))
    {
        m_selected = Invalid();
        SelectDate(date, FALSE);
    }
    else
        SelectDate(date, TRUE);
}

void CGXBCalendar::ToggleMark(const COleDateTime& date)
{
    MarkDate(date, !IsMarked(date));
}

BOOL CGXBCalendar::IsMonthInRange(int nYear, int nMonth) const
{
    const int nMonths = nYear * 12 + nMonth;
    return nMonths >= 100 * 12 + 2 && nMonths <= 9999 * 12 + 11;
}

void CGXBCalendar::SetColors()
{
    GX_SYS_DATA* pSysData = GXGetSysData();
    m_clrText = pSysData->GetSysColor(COLOR_WINDOWTEXT);
    m_clrGrey = pSysData->GetSysColor(COLOR_GRAYTEXT);
}

void CGXBCalendar::Refuse()
{
    ::MessageBeep(nRefuseBeep);
}

UINT CGXBCalendar::GetClassStyle() const
{
    return CS_DBLCLKS;
}

void CGXBCalendar::OnPaint()
{
    CPaintDC dc(this);
    CRect rectClient;
    GetClientRect(rectClient);
    dc.FillSolidRect(rectClient, ::GetSysColor(COLOR_BTNFACE));
    m_title.Draw(dc);
    m_dayBar.Draw(dc);
    for (CGXBDayBox& box : m_boxes)
        box.Draw(dc);
}

BOOL CGXBCalendar::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CGXBCalendar::OnSize(UINT, int, int)
{
    Layout();
}

void CGXBCalendar::OnKeyDown(UINT nChar, UINT, UINT)
{
    if ((m_dwBehaviour & GXB_BEHAVE_KEYBOARD) == 0)
        return;
    const bool bCtrl = ::GetKeyState(VK_CONTROL) < 0;
    switch (nChar)
    {
    case VK_RIGHT:
    case VK_NUMPAD6:
        bCtrl ? NextMonth(1) : NextDay(1);
        break;
    case VK_LEFT:
    case VK_NUMPAD4:
        bCtrl ? PreviousMonth(1) : PreviousDay(1);
        break;
    case VK_DOWN:
    case VK_NUMPAD2:
        bCtrl ? NextYear(1) : NextWeek(1);
        break;
    case VK_UP:
    case VK_NUMPAD8:
        bCtrl ? PreviousYear(1) : PreviousWeek(1);
        break;
    case VK_NEXT:
        bCtrl ? NextYear(1) : NextMonth(1);
        break;
    case VK_PRIOR:
        bCtrl ? PreviousYear(1) : PreviousMonth(1);
        break;
    case VK_HOME:
    case VK_END:
        if (m_pSelectedBox == nullptr)
            return Refuse();
        {
            const COleDateTime selected = GetSelectedDate();
            COleDateTime target(selected.GetYear(), selected.GetMonth(), 1, 12, 0, 0);
            if (nChar == VK_END)
            {
                target =
                    COleDateTime(selected.GetYear(), selected.GetMonth(), 28, 12, 0, 0) + COleDateTimeSpan(4, 0, 0, 0);
                while (target.GetMonth() != selected.GetMonth())
                    target -= oneDay;
            }
            MoveTo(target, 1);
        }
        break;
    case VK_SPACE:
        if (m_pSelectedBox == nullptr)
            return Refuse();
        SelectDate(m_selected, TRUE);
        break;
    case VK_RETURN:
        Report(m_pSelectedBox != nullptr ? GXB_CAL_CHOSEN : GXB_CAL_CLOSED);
        break;
    case VK_ESCAPE:
    case VK_CANCEL:
        Report(GXB_CAL_CLOSED);
        break;
    default:
        break;
    }
}

UINT CGXBCalendar::OnGetDlgCode()
{
    return DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTALLKEYS;
}

int CGXBCalendar::BoxFromPoint(CPoint point) const
{
    for (int i = 0; i < nBoxes; ++i)
        if (m_boxes[i].GetRect().PtInRect(point))
            return i;
    return -1;
}

void CGXBCalendar::RestoreRememberedSelection()
{
    if (m_bRemembered)
        SelectDate(m_remembered, TRUE);
}

void CGXBCalendar::OnLButtonDown(UINT, CPoint point)
{
    const int nBox = BoxFromPoint(point);
    if (nBox < 0)
        return;
    const COleDateTime date = m_boxes[nBox].GetDate();
    m_bRemembered = !m_boxes[nBox].IsOutsideMonth() && m_selected.GetStatus() == COleDateTime::valid;
    m_remembered = m_selected;
    if (m_boxes[nBox].IsOutsideMonth() && (m_dwBehaviour & GXB_BEHAVE_OUTSIDESELECTABLE) == 0 && !SetPage(date))
        return;
    if ((m_dwBehaviour & GXB_BEHAVE_SELECTONPRESS) != 0)
    {
        SelectDate(date, TRUE);
        m_bTracking = TRUE;
        SetCapture();
    }
    else
        ToggleSelection(date);
}

void CGXBCalendar::OnMouseMove(UINT, CPoint point)
{
    if (!m_bTracking)
        return;
    CRect rectClient;
    GetClientRect(rectClient);
    if (!rectClient.PtInRect(point))
    {
        RestoreRememberedSelection();
        return;
    }
    const int nBox = BoxFromPoint(point);
    if (nBox >= 0 && !SameDay(m_boxes[nBox].GetDate(), m_selected))
        SelectDate(m_boxes[nBox].GetDate(), TRUE);
}

void CGXBCalendar::OnLButtonUp(UINT, CPoint point)
{
    if (!m_bTracking)
        return;
    m_bTracking = FALSE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    CRect rectClient;
    GetClientRect(rectClient);
    if (!rectClient.PtInRect(point))
        RestoreRememberedSelection();
    else if ((m_dwBehaviour & GXB_BEHAVE_CHOOSEONRELEASE) != 0)
        Report(GXB_CAL_CHOSEN);
}

void CGXBCalendar::OnLButtonDblClk(UINT, CPoint point)
{
    const int nBox = BoxFromPoint(point);
    if (nBox < 0)
        return;
    if (!m_boxes[nBox].IsSelected())
        SelectDate(m_boxes[nBox].GetDate(), TRUE);
    if ((m_dwBehaviour & GXB_BEHAVE_CHOOSEONRELEASE) != 0)
        Report(GXB_CAL_CHOSEN);
}

LRESULT CGXBCalendar::OnNcHitTest(CPoint point)
{
    const LRESULT nHit = CWnd::OnNcHitTest(point);
    if ((m_dwBehaviour & GXB_BEHAVE_SIZABLE) == 0 && nHit >= HTSIZEFIRST && nHit <= HTSIZELAST)
        return HTCLIENT;
    return nHit;
}

void CGXBCalendar::OnSysColorChange()
{
    GXGetSysData()->UpdateSysColors();
    SetColors();
    FillBoxes();
    Invalidate(FALSE);
}

void CGXBCalendar::OnNextMonth()
{
    NextMonth(0);
}

void CGXBCalendar::OnPrevMonth()
{
    PreviousMonth(0);
}

void CGXBCalendar::OnNextYear()
{
    NextYear(0);
}

void CGXBCalendar::OnPrevYear()
{
    PreviousYear(0);
}

// ---- CGXBPopupCalendar

CGXBPopupCalendar::CGXBPopupCalendar()
{
    SetBehaviour(dwPopupBehaviour);
}

UINT CGXBPopupCalendar::GetClassStyle() const
{
    return CS_DBLCLKS | CS_SAVEBITS;
}

BOOL CGXBPopupCalendar::CreatePopup(DWORD dwStyle, const RECT& rectAnchor, CWnd* pOwner)
{
    CRect rect(CPoint(0, 0), CalculateSize());
    const DWORD dwWindowStyle = dwStyle & ~DWORD{0xFFFF};
    ::AdjustWindowRectEx(rect, dwWindowStyle, FALSE, WS_EX_TOOLWINDOW);
    const CSize size = rect.Size();
    CPoint ptTopLeft((dwStyle & 0x1) != 0 ? rectAnchor.left : rectAnchor.right - size.cx, rectAnchor.bottom);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (::GetMonitorInfo(::MonitorFromRect(&rectAnchor, MONITOR_DEFAULTTONEAREST), &monitor))
    {
        const CRect rectWork = monitor.rcWork;
        if (ptTopLeft.x + size.cx > rectWork.right)
            ptTopLeft.x = (dwStyle & 0x1) != 0 ? rectAnchor.right - size.cx : rectAnchor.left;
        if (ptTopLeft.y + size.cy > rectWork.bottom)
            ptTopLeft.y = rectAnchor.top - size.cy;
    }
    if (!CreateCalendarWindow(WS_EX_TOOLWINDOW, dwWindowStyle, CRect(ptTopLeft, size), pOwner, 0))
        return FALSE;
    return TRUE;
}

void CGXBPopupCalendar::OnActivate(UINT nState, CWnd*, BOOL)
{
    if (nState == WA_INACTIVE && IsWindowVisible())
        Report(GetChooseOnDeactivate() && GetSelectedDate().GetStatus() == COleDateTime::valid ? GXB_CAL_CHOSEN
                                                                                               : GXB_CAL_CLOSED);
}
