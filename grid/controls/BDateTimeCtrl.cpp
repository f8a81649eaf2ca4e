#include <grid/controls/BDateTimeCtrl.h>

#include <grid/controls/GridCombo.h>

#include <grid/core/ResourceIds.h>
#include <grid/core/SysData.h>

#include <algorithm>
#include <array>

IMPLEMENT_DYNAMIC(CGXBDateTimeCtrl, CWnd)

BEGIN_MESSAGE_MAP(CGXBDateTimeCtrl, CWnd)
ON_WM_PAINT()
ON_WM_SIZE()
ON_MESSAGE(WM_SETFONT, OnSetFont)
ON_WM_ENABLE()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_WM_KEYDOWN()
ON_WM_SYSKEYDOWN()
ON_WM_CHAR()
ON_WM_GETDLGCODE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_CANCELMODE()
ON_WM_SYSCOLORCHANGE()
ON_WM_SETTINGCHANGE()
ON_WM_DESTROY()
ON_MESSAGE(GXB_CAL_CHOSEN, OnCalendarChosen)
ON_MESSAGE(GXB_CAL_CLOSED, OnCalendarClosed)
END_MESSAGE_MAP()

namespace
{
constexpr UINT nBeep = 0xFFFFFFFF;
constexpr int nMinYear = 100;
constexpr int nMaxYear = 9999;
constexpr UINT nAllFields = 0xFFFF;
constexpr UINT nChangedNotification = 0x100;
// The edit's popup: shown, pop-up, with a sizing border, at the anchor's left edge.
constexpr DWORD dwPopupStyle = 0x90040001;
constexpr DWORD dwPopupBehaviour = 0x1000200;
constexpr DWORD dwPopupDayDrawFlags = 0x102;

// Sunday first, as the day-name field counts.
void ReadDayNames(bool bFull, CStringArray& names)
{
    for (int nDay = 1; nDay <= 7; ++nDay)
        names.Add(CGXBCalendar::DayName(nDay, bFull));
}

void ReadMonthNames(bool bFull, CStringArray& names)
{
    for (int nMonth = 1; nMonth <= 12; ++nMonth)
        names.Add(CGXBCalendar::MonthName(nMonth, bFull));
}

// The parts of a date-time, from the largest unit down.
struct DateParts
{
    std::array<int, 6> n{}; // year, month, day, hour, minute, second

    explicit DateParts(const COleDateTime& value)
        : n{value.GetYear(), value.GetMonth(), value.GetDay(), value.GetHour(), value.GetMinute(), value.GetSecond()}
    {
    }
    // Lowers a day past the month's end, not below 28; invalid when it still does not exist.
    COleDateTime ToDate() const
    {
        COleDateTime value;
        for (int nDay = n[2]; nDay >= std::min(n[2], 28); --nDay)
            if (value.SetDateTime(n[0], n[1], nDay, n[3], n[4], n[5]) == COleDateTime::valid)
                return value;
        value.SetStatus(COleDateTime::invalid);
        return value;
    }
};

COleDateTime TimeOfDay(const COleDateTime& value)
{
    return COleDateTime(1899, 12, 30, value.GetHour(), value.GetMinute(), value.GetSecond());
}

COleDateTime DateOnly(const COleDateTime& value)
{
    return COleDateTime(value.GetYear(), value.GetMonth(), value.GetDay(), 0, 0, 0);
}

// What a range mode compares of a value.
COleDateTime RangePart(const COleDateTime& value, int nMode)
{
    return nMode == CGXBDateTimeCtrl::rangeTime   ? TimeOfDay(value)
           : nMode == CGXBDateTimeCtrl::rangeDate ? DateOnly(value)
                                                  : value;
}

// The refresh mask of the fields that show what a field changes.
UINT RefreshMaskOf(int nID)
{
    switch (nID)
    {
    case CGXBDateTimeCtrl::idHour12:
    case CGXBDateTimeCtrl::idHour24:
    case CGXBDateTimeCtrl::idAmPm:
        return CGXBDateTimeCtrl::idHour12 | CGXBDateTimeCtrl::idHour24 | CGXBDateTimeCtrl::idAmPm;
    case CGXBDateTimeCtrl::idMonth:
    case CGXBDateTimeCtrl::idMonthName:
        return CGXBDateTimeCtrl::idMonth | CGXBDateTimeCtrl::idMonthName;
    case CGXBDateTimeCtrl::idYear2:
    case CGXBDateTimeCtrl::idYear4:
        return CGXBDateTimeCtrl::idYear2 | CGXBDateTimeCtrl::idYear4;
    default:
        return static_cast<UINT>(nID);
    }
}
} // namespace

CGXBDateTimeCtrl::CGXBDateTimeCtrl()
    : m_value(COleDateTime::GetCurrentTime()), m_minimum(static_cast<DATE>(-657434)),
      m_maximum(static_cast<DATE>(2958465))
{
}

CGXBDateTimeCtrl::~CGXBDateTimeCtrl()
{
    DeleteCalendar();
    if (m_hWnd != nullptr && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    for (INT_PTR i = 0; i < m_gadgets.GetSize(); ++i)
        delete m_gadgets[i];
}

BOOL CGXBDateTimeCtrl::GetAdvanceFlag() const
{
    return m_bAdvance;
}

BOOL CGXBDateTimeCtrl::ValidateDateTime(COleDateTime& value, int nLevel) const
{
    if (value.GetStatus() != COleDateTime::valid)
        return FALSE;
    if (m_nRangeMode == rangeNone)
        return TRUE;
    const COleDateTime compared = RangePart(value, m_nRangeMode);
    const COleDateTimeSpan oneSecond(0, 0, 0, 1);
    const COleDateTime* pBound = nullptr;
    if (compared < m_minimum)
        pBound = &m_minimum;
    else if (compared > m_maximum)
        pBound = &m_maximum;
    if (pBound == nullptr)
        return TRUE;
    const double dblDistance = static_cast<double>(compared - *pBound);
    if (std::abs(dblDistance) < static_cast<double>(oneSecond))
        return TRUE;
    if (nLevel == 0)
        return FALSE;
    COleDateTime clamped = *pBound;
    if (nLevel > 0)
    {
        // The parts above the changed unit must already be the bound's.
        const DateParts parts(compared);
        const DateParts bound(*pBound);
        const int nFirstTaken = 6 - nLevel;
        for (int i = 0; i < nFirstTaken; ++i)
            if (parts.n[i] != bound.n[i])
                return FALSE;
    }
    if (m_nRangeMode == rangeTime)
        clamped = COleDateTime(value.GetYear(), value.GetMonth(), value.GetDay(), clamped.GetHour(),
                               clamped.GetMinute(), clamped.GetSecond());
    else if (m_nRangeMode == rangeDate)
        clamped = COleDateTime(clamped.GetYear(), clamped.GetMonth(), clamped.GetDay(), value.GetHour(),
                               value.GetMinute(), value.GetSecond());
    value = clamped;
    return value.GetStatus() == COleDateTime::valid;
}

BOOL CGXBDateTimeCtrl::OnChanging(const COleDateTime&)
{
    return TRUE;
}

void CGXBDateTimeCtrl::OnChanged()
{
    if ((GetExStyle() & WS_EX_NOPARENTNOTIFY) != 0)
        return;
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), nChangedNotification),
                             reinterpret_cast<LPARAM>(m_hWnd));
}

int CGXBDateTimeCtrl::ResolveTwoDigitYear(int nYear) const
{
    // The locale's own two-digit-year rule decides the century.
    CString strDate = COleDateTime(1999, 1, 1, 0, 0, 0).Format(VAR_DATEVALUEONLY);
    CString strYear;
    strYear.Format(_T("%d"), nYear);
    if (strDate.Replace(_T("1999"), strYear) == 0)
        strDate.Replace(_T("99"), strYear);
    COleDateTime parsed;
    if (!parsed.ParseDateTime(strDate, VAR_DATEVALUEONLY))
        return nYear + 2000;
    return parsed.GetYear();
}

void CGXBDateTimeCtrl::LayoutGadgets()
{
    if (m_hWnd == nullptr)
        return;
    CRect rectClient;
    GetClientRect(rectClient);
    CClientDC dc(this);
    const HGDIOBJ hOldFont = ::SelectObject(dc.m_hDC, m_hFont);
    m_nButtonWidth = 0;
    int x = 1;
    int nRight = rectClient.right;
    for (INT_PTR i = 0; i < m_gadgets.GetSize(); ++i)
    {
        CGXBDTGadget* pGadget = GetGadget(i);
        pGadget->CalculateSize(dc);
        CRect rect = pGadget->GetRect();
        if (rect.bottom == -1)
            rect.bottom = rectClient.Height();
        else
            rect.OffsetRect(0, (rectClient.Height() - rect.Height()) / 2);
        if ((pGadget->GetStyle() & GXBDT_ANCHORRIGHT) != 0)
        {
            nRight -= rect.Width();
            rect.OffsetRect(nRight, 0);
            m_nButtonWidth += rect.Width();
        }
        else
        {
            rect.OffsetRect(x, 0);
            x += rect.Width();
        }
        pGadget->SetRect(rect);
    }
    ::SelectObject(dc.m_hDC, hOldFont);
}

void CGXBDateTimeCtrl::DrawGadgets(CDC& dc)
{
    const HGDIOBJ hOldFont = ::SelectObject(dc.m_hDC, m_hFont);
    for (INT_PTR i = 0; i < m_nFirstField; ++i)
    {
        CGXBDTGadget* pGadget = GetGadget(i);
        const int nSaved = dc.SaveDC();
        dc.IntersectClipRect(pGadget->GetRect());
        pGadget->Draw(dc);
        dc.RestoreDC(nSaved);
    }
    const CPoint ptOldOrigin = dc.SetViewportOrg(-m_nScrollOffset, 0);
    for (INT_PTR i = m_nFirstField; i < m_gadgets.GetSize(); ++i)
        GetGadget(i)->Draw(dc);
    dc.SetViewportOrg(ptOldOrigin);
    ::SelectObject(dc.m_hDC, hOldFont);
}

BOOL CGXBDateTimeCtrl::OnNotifyFromGadget(int nCode, int nID, int nNumber)
{
    switch (nCode)
    {
    case GXBDT_NOTIFY_TYPING:
        m_nModified = nNumber != 0 ? (m_nModified | modifiedTyping) : (m_nModified & ~modifiedTyping);
        return TRUE;
    case GXBDT_NOTIFY_FULL:
        if (GetAdvanceFlag())
            MoveFocus(1);
        return TRUE;
    case GXBDT_NOTIFY_CLICKED:
        return nID == idDropButton && PopupCalendar();
    default:
        break;
    }
    if (nID == idSpinButton)
    {
        // The spin steps go to the current field.
        CGXBDTGadget* pCurrent = GetCurrentGadget();
        if (pCurrent == nullptr)
            return FALSE;
        if (m_hWnd != nullptr && ::GetFocus() != m_hWnd)
            SetFocus();
        nID = pCurrent->GetID();
    }
    return HandleField(nCode, nID, nNumber);
}

BOOL CGXBDateTimeCtrl::HandleField(int nCode, int nID, int nNumber)
{
    DateParts parts(m_value);
    int& nYear = parts.n[0];
    int& nMonth = parts.n[1];
    int& nDay = parts.n[2];
    int& nHour = parts.n[3];
    const bool bUp = nCode == GXBDT_NOTIFY_UP || nCode == GXBDT_NOTIFY_SPINUP;
    const bool bStep = bUp || nCode == GXBDT_NOTIFY_DOWN || nCode == GXBDT_NOTIFY_SPINDOWN;
    const bool bSpin = nCode == GXBDT_NOTIFY_SPINUP || nCode == GXBDT_NOTIFY_SPINDOWN;
    const bool bValue = nCode == GXBDT_NOTIFY_TEST || nCode == GXBDT_NOTIFY_SET;
    const bool bEnds = nCode == GXBDT_NOTIFY_FIRST || nCode == GXBDT_NOTIFY_LAST;
    const bool bFirst = nCode == GXBDT_NOTIFY_FIRST;
    const int nSmallStep = bSpin ? std::min(nNumber, 2) : 1;
    COleDateTime value;
    int nLevel = 0;

    // A unit that wraps within 0..nLast: hour, minute, second.
    auto wrapUnit = [&](int& nUnit, int nLast) -> bool {
        if (bStep)
        {
            nUnit += bUp ? nSmallStep : -nSmallStep;
            if (nUnit > nLast)
                nUnit = 0;
            else if (nUnit < 0)
                nUnit = nLast;
        }
        else if (bValue)
        {
            if (nNumber < 0 || nNumber > nLast)
                return false;
            nUnit = nNumber;
        }
        else if (bEnds)
            nUnit = bFirst ? 0 : nLast;
        else
            return false;
        return true;
    };

    switch (nID)
    {
    case idHour12:
    case idHour24:
        if (nID == idHour12 && bValue)
        {
            if (nNumber < 1 || nNumber > 12)
                return FALSE;
            const bool bAfternoon = nHour >= 12;
            nHour = nNumber == 12 ? (bAfternoon ? 12 : 0) : (bAfternoon ? nNumber + 12 : nNumber);
        }
        else if (!wrapUnit(nHour, 23))
            return FALSE;
        nLevel = bEnds ? 3 : 2;
        value = parts.ToDate();
        break;
    case idMinute:
    case idSecond:
        if (!wrapUnit(parts.n[nID == idMinute ? 4 : 5], 59))
            return FALSE;
        nLevel = (nID == idMinute ? 1 : 0) + (bEnds ? 2 : 1);
        value = parts.ToDate();
        break;
    case idAmPm:
        if (bStep)
            nHour += nHour < 12 ? 12 : -12;
        else if (bValue)
        {
            if (nNumber == 0 && nHour >= 12)
                nHour -= 12;
            else if (nNumber == 1 && nHour < 12)
                nHour += 12;
            else if (nNumber != 0 && nNumber != 1)
                return FALSE;
        }
        else if (bEnds)
            nHour = bFirst ? nHour % 12 : nHour % 12 + 12;
        else
            return FALSE;
        nLevel = 2;
        value = parts.ToDate();
        break;
    case idDay:
    case idDayName:
        if (bStep)
        {
            nDay += bUp ? nSmallStep : -nSmallStep;
            if (bUp && COleDateTime(nYear, nMonth, nDay, 0, 0, 0).GetStatus() != COleDateTime::valid)
                nDay = 1;
            else if (nDay < 1)
                nDay = 31;
            value = parts.ToDate();
        }
        else if (nID == idDay && bValue)
        {
            nDay = nNumber;
            value.SetDateTime(nYear, nMonth, nDay, nHour, parts.n[4], parts.n[5]);
        }
        else if (nID == idDay && bEnds)
        {
            nDay = bFirst ? 1 : 31;
            value = parts.ToDate();
        }
        else if (nID == idDayName && (bValue || bEnds))
        {
            // Day by day to the chosen weekday of the same week, Sunday to Saturday.
            const int nTarget = bValue ? nNumber : bFirst ? 0 : 6;
            if (nTarget < 0 || nTarget > 6)
                return FALSE;
            value = m_value + COleDateTimeSpan(nTarget - (m_value.GetDayOfWeek() - 1), 0, 0, 0);
        }
        else
            return FALSE;
        nLevel = bEnds ? 4 : 3;
        break;
    case idMonth:
    case idMonthName:
        if (bStep)
            nMonth = bUp ? nMonth % 12 + 1 : (nMonth + 10) % 12 + 1;
        else if (bValue)
            nMonth = nID == idMonth ? nNumber : nNumber + 1;
        else if (bEnds)
            nMonth = bFirst ? 1 : 12;
        else
            return FALSE;
        if (nMonth < 1 || nMonth > 12)
            return FALSE;
        nLevel = bEnds ? 5 : 4;
        value = parts.ToDate();
        break;
    case idYear2:
    case idYear4:
        if (bStep)
            nYear = bUp ? std::min(nYear + (bSpin ? nNumber : 1), nMaxYear)
                        : std::max(nYear - (bSpin ? nNumber : 1), nMinYear);
        else if (bValue && nID == idYear4)
            nYear = nNumber;
        else if (bValue)
        {
            if (nNumber < 0 || nNumber > 99)
                return FALSE;
            nYear =
                (GetStyle() & GXBDT_DS_KEEPCENTURY) != 0 ? nYear / 100 * 100 + nNumber : ResolveTwoDigitYear(nNumber);
        }
        else if (bEnds)
            nYear = (bFirst ? m_minimum : m_maximum).GetYear();
        else
            return FALSE;
        nLevel = 5;
        value = parts.ToDate();
        break;
    default:
        return FALSE;
    }
    if (!ValidateDateTime(value, nLevel))
        return FALSE;
    if (nCode == GXBDT_NOTIFY_TEST)
        return TRUE;
    if (!OnChanging(value))
        return FALSE;
    m_value = value;
    RefreshFields(RefreshMaskOf(nID) | (nID == idDay || nID == idDayName ? idDay | idDayName : 0));
    m_nModified |= modifiedValue;
    OnChanged();
    if (m_hWnd != nullptr)
        UpdateWindow();
    return TRUE;
}

BOOL CGXBDateTimeCtrl::Create(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    const LPCTSTR pszClass = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW));
    if (!CreateEx(dwExStyle, pszClass, nullptr, dwStyle | WS_CHILD, rect, pParentWnd, nID))
        return FALSE;
    m_hFont = pParentWnd != nullptr ? reinterpret_cast<HFONT>(pParentWnd->SendMessage(WM_GETFONT)) : nullptr;
    if (m_hFont == nullptr)
        m_hFont = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
    if ((dwStyle & GXBDT_DS_CALENDAR) != 0)
    {
        auto* pDrop = new CGXBDTButtonGadget(this, idDropButton, GX_IDB_DROP_ARROW);
        pDrop->SetStyle(pDrop->GetStyle() | GXBDT_ANCHORRIGHT);
        m_gadgets.Add(pDrop);
    }
    if ((dwStyle & GXBDT_DS_SPIN) != 0)
    {
        auto* pSpin = new CGXBDTSpinGadget(this, idSpinButton);
        pSpin->SetStyle(pSpin->GetStyle() | GXBDT_ANCHORRIGHT);
        m_gadgets.Add(pSpin);
    }
    m_nFirstField = m_gadgets.GetSize();
    m_nCurrent = m_nFirstField;
    ParseFormat();
    return TRUE;
}

BOOL CGXBDateTimeCtrl::SetDateTime(const COleDateTime& value)
{
    if (value.GetStatus() != COleDateTime::valid)
        return FALSE;
    m_value = value;
    if (m_hWnd != nullptr)
        RefreshFields(nAllFields);
    return TRUE;
}

BOOL CGXBDateTimeCtrl::SetRange(const COleDateTime& minimum, const COleDateTime& maximum, int nMode)
{
    if (minimum.GetStatus() != COleDateTime::valid || maximum.GetStatus() != COleDateTime::valid || minimum > maximum)
        return FALSE;
    m_minimum = nMode == rangeTime || nMode == rangeDate ? RangePart(minimum, nMode) : minimum;
    m_maximum = nMode == rangeTime || nMode == rangeDate ? RangePart(maximum, nMode) : maximum;
    m_nRangeMode = nMode;
    COleDateTime value = m_value;
    if (ValidateDateTime(value, -1))
    {
        m_value = value;
        if (m_hWnd != nullptr)
            RefreshFields(nAllFields);
    }
    return TRUE;
}

void CGXBDateTimeCtrl::SetFormat(int nKind)
{
    m_nFormatKind = nKind;
    m_strCustomFormat.Empty();
    if (m_hWnd != nullptr)
        ParseFormat();
}

void CGXBDateTimeCtrl::SetCustomFormat(LPCTSTR pszFormat)
{
    m_nFormatKind = formatCustom;
    m_strCustomFormat = pszFormat;
    if (m_hWnd != nullptr)
        ParseFormat();
}

void CGXBDateTimeCtrl::SetNoEditMask(UINT nMask)
{
    m_nNoEditMask = nMask;
    if (m_hWnd != nullptr)
        ParseFormat();
}

void CGXBDateTimeCtrl::RefreshFields(UINT nMask)
{
    const int nHour = m_value.GetHour();
    m_bPM = nHour >= 12;
    for (INT_PTR i = m_nFirstField; i < m_gadgets.GetSize(); ++i)
    {
        CGXBDTGadget* pGadget = GetGadget(i);
        const int nID = pGadget->GetID();
        if (nID < 0 || (static_cast<UINT>(nID) & nMask) == 0)
            continue;
        int nValue = 0;
        switch (nID)
        {
        case idHour12:
            nValue = nHour % 12 == 0 ? 12 : nHour % 12;
            break;
        case idHour24:
            nValue = nHour;
            break;
        case idMinute:
            nValue = m_value.GetMinute();
            break;
        case idSecond:
            nValue = m_value.GetSecond();
            break;
        case idAmPm:
            nValue = m_bPM ? 1 : 0;
            break;
        case idDay:
            nValue = m_value.GetDay();
            break;
        case idDayName:
            nValue = m_value.GetDayOfWeek() - 1;
            break;
        case idMonth:
            nValue = m_value.GetMonth();
            break;
        case idMonthName:
            nValue = m_value.GetMonth() - 1;
            break;
        case idYear2:
            nValue = m_value.GetYear() % 100;
            break;
        default:
            nValue = m_value.GetYear();
            break;
        }
        pGadget->SetValue(nValue);
    }
}

CGXBDTGadget* CGXBDateTimeCtrl::GetCurrentGadget() const
{
    return m_nCurrent < m_gadgets.GetSize() ? GetGadget(m_nCurrent) : nullptr;
}

COLORREF CGXBDateTimeCtrl::GetGadgetBackground() const
{
    return GXGetSysData()->GetSysColor(m_hWnd != nullptr && !IsWindowEnabled() ? COLOR_BTNFACE : COLOR_WINDOW);
}

void CGXBDateTimeCtrl::InvalidateGadget(const CRect&)
{
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

CString CGXBDateTimeCtrl::FormatString() const
{
    switch (m_nFormatKind)
    {
    case formatTime:
        return GXBReadLocaleText(LOCALE_STIMEFORMAT);
    case formatLongDate:
        return GXBReadLocaleText(LOCALE_SLONGDATE);
    case formatCustom:
        return m_strCustomFormat;
    case formatDateTime:
        return GXBReadLocaleText(LOCALE_SSHORTDATE) + _T(" ") + GXBReadLocaleText(LOCALE_STIMEFORMAT);
    default:
        return GXBReadLocaleText(LOCALE_SSHORTDATE);
    }
}

void CGXBDateTimeCtrl::ParseFormat()
{
    DeleteFields();
    m_bHasDateFields = FALSE;
    const CString strFormat = FormatString();
    const int nLength = strFormat.GetLength();
    CString strLiteral;
    for (int i = 0; i < nLength;)
    {
        const TCHAR ch = strFormat[i];
        if (ch == _T('\'') || ch == _T('"'))
        {
            AddLiteral(strLiteral);
            int nEnd = strFormat.Find(ch, i + 1);
            if (nEnd < 0)
                nEnd = nLength;
            CString strQuoted = strFormat.Mid(i + 1, nEnd - i - 1);
            AddLiteral(strQuoted);
            if (ch == _T('\''))
                m_bHasDateFields = TRUE;
            i = nEnd + 1;
            continue;
        }
        if (_tcschr(_T("hHmstdMyg"), ch) == nullptr)
        {
            strLiteral += ch;
            ++i;
            continue;
        }
        int nRun = 1;
        while (i + nRun < nLength && strFormat[i + nRun] == ch)
            ++nRun;
        i += nRun;
        AddLiteral(strLiteral);
        const BOOL bZeros = nRun >= 2;
        switch (ch)
        {
        case _T('h'):
            AddField(new CGXBDTNumericGadget(this, idHour12, 1, 12, bZeros), noEditHour);
            break;
        case _T('H'):
            AddField(new CGXBDTNumericGadget(this, idHour24, 0, 23, bZeros), noEditHour);
            break;
        case _T('m'):
            AddField(new CGXBDTNumericGadget(this, idMinute, 0, 59, bZeros), noEditMinute);
            break;
        case _T('s'):
            AddField(new CGXBDTNumericGadget(this, idSecond, 0, 59, bZeros), noEditSecond);
            break;
        case _T('t'): {
            CStringArray designators;
            designators.Add(GXBReadLocaleText(LOCALE_S1159));
            designators.Add(GXBReadLocaleText(LOCALE_S2359));
            if (nRun == 1)
                for (INT_PTR n = 0; n < designators.GetSize(); ++n)
                    designators[n] = designators[n].Left(1);
            AddField(new CGXBDTListGadget(this, idAmPm, designators), noEditHour);
            break;
        }
        case _T('d'):
            m_bHasDateFields = TRUE;
            if (nRun <= 2)
                AddField(new CGXBDTNumericGadget(this, idDay, 1, 31, bZeros), noEditDay);
            else
            {
                CStringArray names;
                ReadDayNames(nRun >= 4, names);
                AddField(new CGXBDTListGadget(this, idDayName, names), noEditDay);
            }
            break;
        case _T('M'):
            m_bHasDateFields = TRUE;
            if (nRun <= 2)
                AddField(new CGXBDTNumericGadget(this, idMonth, 1, 12, bZeros), noEditMonth);
            else
            {
                CStringArray names;
                ReadMonthNames(nRun >= 4, names);
                AddField(new CGXBDTListGadget(this, idMonthName, names), noEditMonth);
            }
            break;
        case _T('y'):
            m_bHasDateFields = TRUE;
            if (nRun <= 2)
                AddField(new CGXBDTNumericGadget(this, idYear2, 0, 99, bZeros), noEditYear);
            else
                AddField(new CGXBDTNumericGadget(this, idYear4, 0, 9999, FALSE), noEditYear);
            break;
        default: // g, gg: the era is not shown
            m_bHasDateFields = TRUE;
            break;
        }
    }
    AddLiteral(strLiteral);
    RefreshFields(nAllFields);
    const INT_PTR nFirst = FindField(m_nFirstField, 1);
    m_nCurrent = nFirst >= 0 ? nFirst : m_gadgets.GetSize();
    if (m_hWnd != nullptr && ::GetFocus() == m_hWnd && GetCurrentGadget() != nullptr)
        GetCurrentGadget()->SetFocus(TRUE);
    LayoutGadgets();
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void CGXBDateTimeCtrl::AddField(CGXBDTGadget* pGadget, UINT nNoEditBit)
{
    if ((m_nNoEditMask & nNoEditBit) != 0)
        pGadget->SetStyle(pGadget->GetStyle() & ~GXBDT_WANTFOCUS);
    m_gadgets.Add(pGadget);
}

void CGXBDateTimeCtrl::AddLiteral(CString& strLiteral)
{
    if (strLiteral.IsEmpty())
        return;
    m_gadgets.Add(new CGXBDTStaticGadget(this, strLiteral));
    strLiteral.Empty();
}

void CGXBDateTimeCtrl::DeleteFields()
{
    for (INT_PTR i = m_nFirstField; i < m_gadgets.GetSize(); ++i)
    {
        if (m_pCaptureGadget == m_gadgets[i])
            m_pCaptureGadget = nullptr;
        delete m_gadgets[i];
    }
    m_gadgets.SetSize(m_nFirstField);
    m_nCurrent = m_nFirstField;
    m_nScrollOffset = 0;
}

INT_PTR CGXBDateTimeCtrl::FindField(INT_PTR nFrom, int nDirection) const
{
    for (INT_PTR i = nFrom; i >= m_nFirstField && i < m_gadgets.GetSize(); i += nDirection)
        if ((GetGadget(i)->GetStyle() & GXBDT_WANTFOCUS) != 0)
            return i;
    return -1;
}

BOOL CGXBDateTimeCtrl::MoveFocus(int nDirection)
{
    const INT_PTR nField = FindField(m_nCurrent + nDirection, nDirection);
    if (nField < 0)
        return FALSE;
    SetCurrentGadget(nField);
    return TRUE;
}

void CGXBDateTimeCtrl::SetCurrentGadget(INT_PTR nIndex)
{
    if (nIndex == m_nCurrent)
        return;
    if (CGXBDTGadget* pOld = GetCurrentGadget())
        pOld->SetFocus(FALSE);
    m_nCurrent = nIndex;
    if (m_hWnd != nullptr && ::GetFocus() == m_hWnd)
        GetGadget(nIndex)->SetFocus(TRUE);
    ScrollIntoView(nIndex);
}

void CGXBDateTimeCtrl::ScrollIntoView(INT_PTR nIndex)
{
    if (m_hWnd == nullptr)
        return;
    CRect rectView;
    GetClientRect(rectView);
    rectView.DeflateRect(1, 1);
    rectView.right -= m_nButtonWidth;
    rectView.OffsetRect(m_nScrollOffset, 0);
    const CRect& rect = GetGadget(nIndex)->GetRect();
    if (rect.left < rectView.left)
        m_nScrollOffset = rect.left;
    else if (rect.right > rectView.right)
        m_nScrollOffset = rect.Width() > rectView.Width() ? rect.left : m_nScrollOffset + rect.right - rectView.right;
    Invalidate(FALSE);
}

INT_PTR CGXBDateTimeCtrl::GadgetFromPoint(CPoint point) const
{
    if (m_gadgets.GetSize() == 0)
        return -1;
    for (INT_PTR i = 0; i < m_nFirstField; ++i)
        if (GetGadget(i)->GetRect().PtInRect(point))
            return i;
    const int x = point.x + m_nScrollOffset;
    for (INT_PTR i = m_nFirstField; i < m_gadgets.GetSize(); ++i)
        if (x < GetGadget(i)->GetRect().right)
            return i;
    return m_gadgets.GetSize() - 1;
}

CPoint CGXBDateTimeCtrl::ToGadget(const CGXBDTGadget* pGadget, CPoint point) const
{
    if ((pGadget->GetStyle() & GXBDT_ANCHORRIGHT) == 0)
        point.x += m_nScrollOffset;
    return point;
}

void CGXBDateTimeCtrl::OnPaint()
{
    CPaintDC dcPaint(this);
    CRect rectClient;
    GetClientRect(rectClient);
    CDC dc;
    CBitmap bitmap;
    if (!dc.CreateCompatibleDC(&dcPaint) ||
        !bitmap.CreateCompatibleBitmap(&dcPaint, rectClient.Width(), rectClient.Height()))
    {
        // No memory for the off-screen picture: the fields are drawn on the screen itself.
        dcPaint.FillSolidRect(rectClient, GetGadgetBackground());
        DrawGadgets(dcPaint);
        return;
    }
    CBitmap* pOldBitmap = dc.SelectObject(&bitmap);
    dc.FillSolidRect(rectClient, GetGadgetBackground());
    DrawGadgets(dc);
    dcPaint.BitBlt(0, 0, rectClient.Width(), rectClient.Height(), &dc, 0, 0, SRCCOPY);
    dc.SelectObject(pOldBitmap);
}

void CGXBDateTimeCtrl::OnSize(UINT, int, int)
{
    LayoutGadgets();
    Invalidate(FALSE);
}

LRESULT CGXBDateTimeCtrl::OnSetFont(WPARAM wParam, LPARAM)
{
    m_hFont = reinterpret_cast<HFONT>(wParam);
    if (m_hFont == nullptr)
        m_hFont = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
    LayoutGadgets();
    Invalidate(FALSE);
    return 0;
}

void CGXBDateTimeCtrl::OnEnable(BOOL)
{
    Invalidate(FALSE);
}

void CGXBDateTimeCtrl::OnSetFocus(CWnd*)
{
    if (::GetKeyState(VK_TAB) < 0)
    {
        // Tabbing in backwards starts at the last field.
        const bool bBack = ::GetKeyState(VK_SHIFT) < 0;
        const INT_PTR nField = bBack ? FindField(m_gadgets.GetSize() - 1, -1) : FindField(m_nFirstField, 1);
        if (nField >= 0)
            m_nCurrent = nField;
    }
    if (CGXBDTGadget* pCurrent = GetCurrentGadget())
        pCurrent->SetFocus(TRUE);
}

void CGXBDateTimeCtrl::OnKillFocus(CWnd*)
{
    if (CGXBDTGadget* pCurrent = GetCurrentGadget())
        pCurrent->SetFocus(FALSE);
}

void CGXBDateTimeCtrl::OnKeyDown(UINT nChar, UINT, UINT)
{
    CGXBDTGadget* pCurrent = GetCurrentGadget();
    if (pCurrent == nullptr)
    {
        Default();
        return;
    }
    switch (nChar)
    {
    case VK_LEFT:
        MoveFocus(-1);
        break;
    case VK_RIGHT:
        MoveFocus(1);
        break;
    case VK_TAB:
        MoveFocus(::GetKeyState(VK_SHIFT) < 0 ? -1 : 1);
        break;
    case VK_F4:
        if ((GetStyle() & GXBDT_DS_CALENDAR) != 0)
            PopupCalendar();
        break;
    default:
        pCurrent->OnKeyDown(nChar);
        break;
    }
}

void CGXBDateTimeCtrl::OnSysKeyDown(UINT nChar, UINT, UINT)
{
    if (nChar == VK_DOWN && (GetStyle() & GXBDT_DS_CALENDAR) != 0)
        PopupCalendar();
    else
        Default();
}

void CGXBDateTimeCtrl::OnChar(UINT nChar, UINT, UINT)
{
    CGXBDTGadget* pCurrent = GetCurrentGadget();
    if (pCurrent == nullptr || nChar == _T('\t'))
        return;
    if (m_nCurrent + 1 < m_gadgets.GetSize())
    {
        // Typing the separator that follows the field moves on to the next field.
        if (const auto* pLiteral = dynamic_cast<const CGXBDTStaticGadget*>(GetGadget(m_nCurrent + 1)))
        {
            CString strTrimmed = pLiteral->GetText();
            strTrimmed.Trim();
            const TCHAR szChar[2] = {static_cast<TCHAR>(nChar), 0};
            if ((nChar == _T(' ') && strTrimmed.IsEmpty()) || strTrimmed == szChar)
            {
                MoveFocus(1);
                return;
            }
        }
    }
    pCurrent->OnChar(nChar);
}

UINT CGXBDateTimeCtrl::OnGetDlgCode()
{
    return DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
}

void CGXBDateTimeCtrl::OnLButtonDown(UINT, CPoint point)
{
    if (m_gadgets.GetSize() == 0)
        return;
    const INT_PTR nHit = GadgetFromPoint(point);
    CGXBDTGadget* pHit = GetGadget(nHit);
    const bool bTakesKeyboard = (pHit->GetStyle() & GXBDT_WANTFOCUS) != 0;
    if (::GetFocus() != m_hWnd)
    {
        if (bTakesKeyboard)
            m_nCurrent = nHit;
        SetFocus();
    }
    else if (bTakesKeyboard && nHit != m_nCurrent)
        SetCurrentGadget(nHit);
    if ((pHit->GetStyle() & GXBDT_WANTMOUSE) != 0)
    {
        m_pCaptureGadget = pHit;
        pHit->OnLButtonDown(ToGadget(pHit, point));
    }
}

void CGXBDateTimeCtrl::OnLButtonUp(UINT, CPoint point)
{
    if (CGXBDTGadget* pGadget = std::exchange(m_pCaptureGadget, nullptr))
        pGadget->OnLButtonUp(ToGadget(pGadget, point));
}

void CGXBDateTimeCtrl::OnMouseMove(UINT, CPoint point)
{
    if (m_pCaptureGadget != nullptr)
        m_pCaptureGadget->OnMouseMove(ToGadget(m_pCaptureGadget, point));
}

void CGXBDateTimeCtrl::OnCancelMode()
{
    if (CGXBDTGadget* pGadget = std::exchange(m_pCaptureGadget, nullptr))
        pGadget->OnCancelMode();
    if (CGXBDTGadget* pCurrent = GetCurrentGadget())
        pCurrent->OnCancelMode();
}

void CGXBDateTimeCtrl::OnSysColorChange()
{
    GXGetSysData()->UpdateSysColors();
    for (INT_PTR i = 0; i < m_gadgets.GetSize(); ++i)
        GetGadget(i)->OnSysColorChange();
    Default();
}

void CGXBDateTimeCtrl::OnSettingChange(UINT, LPCTSTR)
{
    ParseFormat();
}

void CGXBDateTimeCtrl::OnDestroy()
{
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    m_pCaptureGadget = nullptr;
    DeleteCalendar();
    m_nCurrent = m_nFirstField;
    m_nScrollOffset = 0;
    CWnd::OnDestroy();
}

BOOL CGXBDateTimeCtrl::PopupCalendar()
{
    if (m_pCalendar != nullptr || m_hWnd == nullptr)
        return FALSE;
    if (CGXBDTGadget* pCurrent = GetCurrentGadget())
        pCurrent->OnCancelMode();
    CreatePopupCalendar();
    m_pCalendar->SetChooseOnDeactivate(0);
    m_pCalendar->SetBehaviour(m_pCalendar->GetBehaviour() | dwPopupBehaviour);
    m_pCalendar->SetDayDrawFlags(m_pCalendar->GetDayDrawFlags() | dwPopupDayDrawFlags);
    m_pCalendar->SetPage(m_value, FALSE);
    m_pCalendar->SelectDate(m_value, TRUE);
    CRect rectWindow;
    GetWindowRect(rectWindow);
    BOOL bCreated = FALSE;
    {
        const auto dropDown = CGXGridCombo::ScopedDropDownOwner();
        bCreated = m_pCalendar->CreatePopup(dwPopupStyle, rectWindow, this);
    }
    if (!bCreated)
    {
        DeleteCalendar();
        return FALSE;
    }
    return TRUE;
}

void CGXBDateTimeCtrl::CreatePopupCalendar()
{
    DeleteCalendar();
    m_pCalendar = new CGXBPopupCalendar;
}

void CGXBDateTimeCtrl::DeleteCalendar()
{
    delete std::exchange(m_pCalendar, nullptr);
}

LRESULT CGXBDateTimeCtrl::OnCalendarChosen(WPARAM, LPARAM)
{
    if (m_pCalendar == nullptr)
        return 0;
    const COleDateTime chosen = m_pCalendar->GetSelectedDate();
    DeleteCalendar();
    if (chosen.GetStatus() != COleDateTime::valid)
        return 0;
    // The calendar gives the day; the time of day stays.
    COleDateTime value(chosen.GetYear(), chosen.GetMonth(), chosen.GetDay(), m_value.GetHour(), m_value.GetMinute(),
                       m_value.GetSecond());
    if (!ValidateDateTime(value, 0) || !OnChanging(value))
        return 0;
    m_value = value;
    m_nModified |= modifiedValue;
    RefreshFields(nAllFields);
    OnChanged();
    return 0;
}

LRESULT CGXBDateTimeCtrl::OnCalendarClosed(WPARAM, LPARAM)
{
    DeleteCalendar();
    return 0;
}
