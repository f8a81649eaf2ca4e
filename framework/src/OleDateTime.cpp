#include <afxdisp.h>

#include <algorithm>
#include <cmath>

namespace
{
constexpr LONGLONG kSecondsPerDay = 24 * 60 * 60;
constexpr double kHalfSecond = 0.5 / kSecondsPerDay;
// 100-01-01 and 10000-01-01 as linear days.
constexpr double kMinDays = -657434;
constexpr double kEndDays = 2958466;
// Days from 0000-03-01 to 1899-12-30.
constexpr LONG kEpochFromMarch0 = 693899;

const TCHAR kInvalidDateTime[] = _T("Invalid DateTime");
const TCHAR kInvalidDateTimeSpan[] = _T("Invalid DateTimeSpan");

// The statuses of both classes rank by value: null over invalid over valid.
template <class Status> Status Combined(int nStatus1, int nStatus2)
{
    return static_cast<Status>(std::max(nStatus1, nStatus2));
}

CString NotValidText(int nStatus, LPCTSTR lpszInvalid)
{
    return nStatus == COleDateTime::null ? CString() : CString(lpszInvalid);
}

// A DATE before the epoch keeps its time of day as a positive fraction; the linear count
// puts it on one continuous axis (-1.25, 1899-12-29 06:00, becomes -0.75).
double LinearFromDate(DATE dt)
{
    return dt >= 0 ? dt : 2 * std::ceil(dt) - dt;
}

DATE DateFromLinear(double dblDays)
{
    return dblDays >= 0 ? dblDays : 2 * std::floor(dblDays) - dblDays;
}

bool IsInRange(double dblDays)
{
    return dblDays >= kMinDays && dblDays < kEndDays; // false for NaN as well
}

bool IsLeapYear(int nYear)
{
    return (nYear % 4 == 0 && nYear % 100 != 0) || nYear % 400 == 0;
}

int DaysInMonth(int nYear, int nMonth)
{
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return nMonth == 2 && IsLeapYear(nYear) ? 29 : kDays[nMonth - 1];
}

// Days since 1899-12-30 in the proleptic Gregorian calendar, counting years from March so
// that the leap day comes last; valid for years from 1 on.
LONG DaysFromCivil(int nYear, int nMonth, int nDay)
{
    const int nMarchYear = nMonth <= 2 ? nYear - 1 : nYear;
    const int nEra = nMarchYear / 400;
    const int nYearOfEra = nMarchYear - nEra * 400;
    const int nDayOfYear = (153 * (nMonth > 2 ? nMonth - 3 : nMonth + 9) + 2) / 5 + nDay - 1;
    const int nDayOfEra = nYearOfEra * 365 + nYearOfEra / 4 - nYearOfEra / 100 + nDayOfYear;
    return nEra * 146097 + nDayOfEra - kEpochFromMarch0;
}

void CivilFromDays(LONG nDays, SYSTEMTIME& st)
{
    const LONG nFromMarch0 = nDays + kEpochFromMarch0;
    const LONG nEra = nFromMarch0 / 146097;
    const LONG nDayOfEra = nFromMarch0 - nEra * 146097;
    const LONG nYearOfEra = (nDayOfEra - nDayOfEra / 1460 + nDayOfEra / 36524 - nDayOfEra / 146096) / 365;
    const LONG nDayOfYear = nDayOfEra - (365 * nYearOfEra + nYearOfEra / 4 - nYearOfEra / 100);
    const LONG nMonthFromMarch = (5 * nDayOfYear + 2) / 153;
    const LONG nMonth = nMonthFromMarch < 10 ? nMonthFromMarch + 3 : nMonthFromMarch - 9;
    st.wYear = static_cast<WORD>(nEra * 400 + nYearOfEra + (nMonth <= 2 ? 1 : 0));
    st.wMonth = static_cast<WORD>(nMonth);
    st.wDay = static_cast<WORD>(nDayOfYear - (153 * nMonthFromMarch + 2) / 5 + 1);
    // 1899-12-30 was a Saturday.
    st.wDayOfWeek = static_cast<WORD>(((nDays + 6) % 7 + 7) % 7);
}

int DayOfYear(const SYSTEMTIME& st)
{
    return DaysFromCivil(st.wYear, st.wMonth, st.wDay) - DaysFromCivil(st.wYear, 1, 1) + 1;
}

int SystemTimePart(const COleDateTime& date, WORD SYSTEMTIME::*pField, int nOffset)
{
    SYSTEMTIME st;
    return date.GetAsSystemTime(st) ? st.*pField + nOffset : AFX_OLE_DATETIME_ERROR;
}
} // namespace

COleDateTimeSpan::COleDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs) noexcept
{
    SetDateTimeSpan(lDays, nHours, nMins, nSecs);
}

void COleDateTimeSpan::SetDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs) noexcept
{
    m_span = lDays + (nHours * 3600.0 + nMins * 60.0 + nSecs) / kSecondsPerDay;
    m_status = valid;
}

LONGLONG COleDateTimeSpan::RoundedTotal(double dblUnitsPerDay) const noexcept
{
    return static_cast<LONGLONG>((m_span + (m_span < 0 ? -kHalfSecond : kHalfSecond)) * dblUnitsPerDay);
}

double COleDateTimeSpan::GetTotalDays() const noexcept
{
    return static_cast<double>(RoundedTotal(1));
}

double COleDateTimeSpan::GetTotalHours() const noexcept
{
    return static_cast<double>(RoundedTotal(24));
}

double COleDateTimeSpan::GetTotalMinutes() const noexcept
{
    return static_cast<double>(RoundedTotal(24 * 60));
}

double COleDateTimeSpan::GetTotalSeconds() const noexcept
{
    return static_cast<double>(RoundedTotal(kSecondsPerDay));
}

LONG COleDateTimeSpan::GetDays() const noexcept
{
    return static_cast<LONG>(RoundedTotal(1));
}

LONG COleDateTimeSpan::GetHours() const noexcept
{
    return static_cast<LONG>(RoundedTotal(24) % 24);
}

LONG COleDateTimeSpan::GetMinutes() const noexcept
{
    return static_cast<LONG>(RoundedTotal(24 * 60) % 60);
}

LONG COleDateTimeSpan::GetSeconds() const noexcept
{
    return static_cast<LONG>(RoundedTotal(kSecondsPerDay) % 60);
}

CString COleDateTimeSpan::Format(LPCTSTR pFormat) const
{
    if (m_status != valid)
        return NotValidText(m_status, kInvalidDateTimeSpan);
    return CTimeSpan(GetDays(), GetHours(), GetMinutes(), GetSeconds()).Format(pFormat);
}

CString COleDateTimeSpan::Format(UINT nFormatID) const
{
    return Format(CString(MAKEINTRESOURCE(nFormatID)));
}

COleDateTimeSpan COleDateTimeSpan::operator+(const COleDateTimeSpan& dateSpan) const noexcept
{
    COleDateTimeSpan result(*this);
    return result += dateSpan;
}

COleDateTimeSpan COleDateTimeSpan::operator-(const COleDateTimeSpan& dateSpan) const noexcept
{
    COleDateTimeSpan result(*this);
    return result -= dateSpan;
}

COleDateTimeSpan& COleDateTimeSpan::operator+=(const COleDateTimeSpan& dateSpan) noexcept
{
    m_status = Combined<DateTimeSpanStatus>(m_status, dateSpan.m_status);
    m_span = m_status == valid ? m_span + dateSpan.m_span : 0;
    return *this;
}

COleDateTimeSpan& COleDateTimeSpan::operator-=(const COleDateTimeSpan& dateSpan) noexcept
{
    return *this += -dateSpan;
}

COleDateTimeSpan COleDateTimeSpan::operator-() const noexcept
{
    COleDateTimeSpan result(*this);
    result.m_span = -m_span;
    return result;
}

bool COleDateTimeSpan::operator==(const COleDateTimeSpan& dateSpan) const noexcept
{
    return m_status == dateSpan.m_status && m_span == dateSpan.m_span;
}

std::partial_ordering COleDateTimeSpan::operator<=>(const COleDateTimeSpan& dateSpan) const noexcept
{
    if (m_status != valid || dateSpan.m_status != valid)
        return std::partial_ordering::unordered;
    return m_span <=> dateSpan.m_span;
}

COleDateTime::COleDateTime(__time64_t timeSrc) noexcept : COleDateTime()
{
    SYSTEMTIME st;
    if (CTime(timeSrc).GetAsSystemTime(st))
        *this = COleDateTime(st);
    else
        m_status = invalid;
}

COleDateTime::COleDateTime(const SYSTEMTIME& systimeSrc) noexcept : COleDateTime()
{
    SetFields(systimeSrc.wYear, systimeSrc.wMonth, systimeSrc.wDay, systimeSrc.wHour, systimeSrc.wMinute,
              systimeSrc.wSecond, systimeSrc.wMilliseconds);
}

COleDateTime::COleDateTime(const FILETIME& filetimeSrc) noexcept : COleDateTime()
{
    FILETIME ftLocal;
    SYSTEMTIME st;
    if (::FileTimeToLocalFileTime(&filetimeSrc, &ftLocal) && ::FileTimeToSystemTime(&ftLocal, &st))
        *this = COleDateTime(st);
    else
        m_status = invalid;
}

COleDateTime::COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec) noexcept : COleDateTime()
{
    SetDateTime(nYear, nMonth, nDay, nHour, nMin, nSec);
}

COleDateTime WINAPI COleDateTime::GetCurrentTime() noexcept
{
    return COleDateTime(_time64(nullptr));
}

int COleDateTime::SetFields(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nMilliseconds) noexcept
{
    if (nYear < 100 || nYear > 9999 || nMonth < 1 || nMonth > 12 || nDay < 1 || nDay > DaysInMonth(nYear, nMonth) ||
        nHour < 0 || nHour > 23 || nMin < 0 || nMin > 59 || nSec < 0 || nSec > 59 || nMilliseconds < 0 ||
        nMilliseconds > 999)
    {
        m_dt = 0;
        m_status = invalid;
        return m_status;
    }
    const double dblSeconds = nHour * 3600.0 + nMin * 60.0 + nSec + nMilliseconds / 1000.0;
    m_dt = DateFromLinear(DaysFromCivil(nYear, nMonth, nDay) + dblSeconds / kSecondsPerDay);
    m_status = valid;
    return m_status;
}

int COleDateTime::SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec) noexcept
{
    return SetFields(nYear, nMonth, nDay, nHour, nMin, nSec, 0);
}

int COleDateTime::SetDate(int nYear, int nMonth, int nDay) noexcept
{
    return SetDateTime(nYear, nMonth, nDay, 0, 0, 0);
}

int COleDateTime::SetTime(int nHour, int nMin, int nSec) noexcept
{
    return SetDateTime(1899, 12, 30, nHour, nMin, nSec);
}

BOOL COleDateTime::GetAsSystemTime(SYSTEMTIME& sysTime) const noexcept
{
    const double dblDays = LinearFromDate(m_dt);
    if (m_status != valid || !IsInRange(dblDays))
        return FALSE;
    const auto nSeconds = static_cast<LONGLONG>(std::floor(dblDays * kSecondsPerDay + 0.5));
    LONGLONG nDays = nSeconds / kSecondsPerDay;
    LONGLONG nTimeOfDay = nSeconds % kSecondsPerDay;
    if (nTimeOfDay < 0)
    {
        nTimeOfDay += kSecondsPerDay;
        --nDays;
    }
    // The last half second of 9999 rounds into the year 10000.
    if (nDays >= kEndDays)
        return FALSE;
    CivilFromDays(static_cast<LONG>(nDays), sysTime);
    sysTime.wHour = static_cast<WORD>(nTimeOfDay / 3600);
    sysTime.wMinute = static_cast<WORD>(nTimeOfDay / 60 % 60);
    sysTime.wSecond = static_cast<WORD>(nTimeOfDay % 60);
    sysTime.wMilliseconds = 0;
    return TRUE;
}

int COleDateTime::GetYear() const noexcept
{
    return SystemTimePart(*this, &SYSTEMTIME::wYear, 0);
}

int COleDateTime::GetMonth() const noexcept
{
    return SystemTimePart(*this, &SYSTEMTIME::wMonth, 0);
}

int COleDateTime::GetDay() const noexcept
{
    return SystemTimePart(*this, &SYSTEMTIME::wDay, 0);
}

int COleDateTime::GetHour() const noexcept
{
    return SystemTimePart(*this, &SYSTEMTIME::wHour, 0);
}

int COleDateTime::GetMinute() const noexcept
{
    return SystemTimePart(*this, &SYSTEMTIME::wMinute, 0);
}

int COleDateTime::GetSecond() const noexcept
{
    return SystemTimePart(*this, &SYSTEMTIME::wSecond, 0);
}

int COleDateTime::GetDayOfWeek() const noexcept
{
    return SystemTimePart(*this, &SYSTEMTIME::wDayOfWeek, 1);
}

int COleDateTime::GetDayOfYear() const noexcept
{
    SYSTEMTIME st;
    return GetAsSystemTime(st) ? DayOfYear(st) : AFX_OLE_DATETIME_ERROR;
}

bool COleDateTime::ParseDateTime(LPCTSTR lpszDate, DWORD dwFlags, LCID lcid) noexcept
{
    DATE dt;
    if (FAILED(::VarDateFromStr(const_cast<LPOLESTR>(lpszDate != nullptr ? lpszDate : L""), lcid, dwFlags, &dt)))
    {
        m_dt = 0;
        m_status = invalid;
        return false;
    }
    m_dt = dt;
    m_status = valid;
    return true;
}

CString COleDateTime::Format(DWORD dwFlags, LCID lcid) const
{
    BSTR bstr = nullptr;
    if (m_status != valid || FAILED(::VarBstrFromDate(m_dt, lcid, dwFlags, &bstr)))
        return NotValidText(m_status, kInvalidDateTime);
    CString text(bstr, static_cast<int>(::SysStringLen(bstr)));
    ::SysFreeString(bstr);
    return text;
}

CString COleDateTime::Format(LPCTSTR pFormat) const
{
    SYSTEMTIME st;
    if (!GetAsSystemTime(st))
        return NotValidText(m_status, kInvalidDateTime);
    struct tm tmDate = {};
    tmDate.tm_year = st.wYear - 1900;
    tmDate.tm_mon = st.wMonth - 1;
    tmDate.tm_mday = st.wDay;
    tmDate.tm_hour = st.wHour;
    tmDate.tm_min = st.wMinute;
    tmDate.tm_sec = st.wSecond;
    tmDate.tm_wday = st.wDayOfWeek;
    tmDate.tm_yday = DayOfYear(st) - 1;
    return AfxFormatTm(pFormat, tmDate);
}

CString COleDateTime::Format(UINT nFormatID) const
{
    return Format(CString(MAKEINTRESOURCE(nFormatID)));
}

COleDateTime COleDateTime::operator+(const COleDateTimeSpan& dateSpan) const noexcept
{
    COleDateTime result(*this);
    return result += dateSpan;
}

COleDateTime COleDateTime::operator-(const COleDateTimeSpan& dateSpan) const noexcept
{
    COleDateTime result(*this);
    return result -= dateSpan;
}

COleDateTime& COleDateTime::operator+=(const COleDateTimeSpan& dateSpan) noexcept
{
    m_status = Combined<DateTimeStatus>(m_status, dateSpan.m_status);
    const double dblDays = LinearFromDate(m_dt) + dateSpan.m_span;
    if (m_status == valid && !IsInRange(dblDays))
        m_status = invalid;
    m_dt = m_status == valid ? DateFromLinear(dblDays) : 0;
    return *this;
}

COleDateTime& COleDateTime::operator-=(const COleDateTimeSpan& dateSpan) noexcept
{
    return *this += -dateSpan;
}

COleDateTimeSpan COleDateTime::operator-(const COleDateTime& date) const noexcept
{
    COleDateTimeSpan span;
    span.SetStatus(Combined<COleDateTimeSpan::DateTimeSpanStatus>(m_status, date.m_status));
    if (span.GetStatus() == COleDateTimeSpan::valid)
        span.m_span = LinearFromDate(m_dt) - LinearFromDate(date.m_dt);
    return span;
}

bool COleDateTime::operator==(const COleDateTime& date) const noexcept
{
    return m_status == date.m_status && LinearFromDate(m_dt) == LinearFromDate(date.m_dt);
}

std::partial_ordering COleDateTime::operator<=>(const COleDateTime& date) const noexcept
{
    if (m_status != valid || date.m_status != valid)
        return std::partial_ordering::unordered;
    return LinearFromDate(m_dt) <=> LinearFromDate(date.m_dt);
}
