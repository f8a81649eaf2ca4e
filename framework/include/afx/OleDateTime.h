// COleDateTime, an OLE automation DATE (days since 1899-12-30, years 100 to 9999) with a
// status, and COleDateTimeSpan, a distance in days.
//
// A DATE before 1899-12-30 has a negative whole part and a positive time of day: -1.25 is
// 1899-12-29 06:00. Arithmetic and comparisons go through a linear day count instead.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <compare>

// What the field getters return for a date that is not valid.
#define AFX_OLE_DATETIME_ERROR (-1)

class COleDateTimeSpan
{
public:
    enum DateTimeSpanStatus
    {
        valid = 0,
        invalid = 1,
        null = 2
    };

    COleDateTimeSpan() noexcept : m_span(0), m_status(valid)
    {
    }
    COleDateTimeSpan(double dblSpanSrc) noexcept : m_span(dblSpanSrc), m_status(valid)
    {
    }
    COleDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs) noexcept;

    void SetDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs) noexcept;
    DateTimeSpanStatus GetStatus() const noexcept
    {
        return m_status;
    }
    void SetStatus(DateTimeSpanStatus status) noexcept
    {
        m_status = status;
    }

    // Whole units, rounded at the half second and truncated toward zero, even though the
    // totals are doubles: 1 day 23:59:59.6 has 2 total days.
    double GetTotalDays() const noexcept;
    double GetTotalHours() const noexcept;
    double GetTotalMinutes() const noexcept;
    double GetTotalSeconds() const noexcept;
    // The parts of the same rounded span; negative for a negative span.
    LONG GetDays() const noexcept;
    LONG GetHours() const noexcept;
    LONG GetMinutes() const noexcept;
    LONG GetSeconds() const noexcept;

    operator double() const noexcept
    {
        return m_span;
    }

    // CTimeSpan's codes (%D, %H, %M, %S, %%). A null span gives empty text and an invalid
    // one "Invalid DateTimeSpan".
    CString Format(LPCTSTR pFormat) const;
    CString Format(UINT nFormatID) const;

    // A null operand makes the result null, else an invalid one makes it invalid.
    COleDateTimeSpan operator+(const COleDateTimeSpan& dateSpan) const noexcept;
    COleDateTimeSpan operator-(const COleDateTimeSpan& dateSpan) const noexcept;
    COleDateTimeSpan& operator+=(const COleDateTimeSpan& dateSpan) noexcept;
    COleDateTimeSpan& operator-=(const COleDateTimeSpan& dateSpan) noexcept;
    COleDateTimeSpan operator-() const noexcept;

    // Equal when status and value are equal; only valid spans are ordered.
    bool operator==(const COleDateTimeSpan& dateSpan) const noexcept;
    std::partial_ordering operator<=>(const COleDateTimeSpan& dateSpan) const noexcept;

    double m_span;
    DateTimeSpanStatus m_status;

private:
    LONGLONG RoundedTotal(double dblUnitsPerDay) const noexcept;
};

class COleDateTime
{
public:
    enum DateTimeStatus
    {
        valid = 0,
        invalid = 1,
        null = 2
    };

    COleDateTime() noexcept : m_dt(0), m_status(valid)
    {
    }
    COleDateTime(DATE dtSrc) noexcept : m_dt(dtSrc), m_status(valid)
    {
    }
    // Local time; invalid when the C runtime cannot convert the time.
    COleDateTime(__time64_t timeSrc) noexcept;
    COleDateTime(const SYSTEMTIME& systimeSrc) noexcept;
    // A file time is UTC; it is taken to local time first.
    COleDateTime(const FILETIME& filetimeSrc) noexcept;
    COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec) noexcept;

    static COleDateTime WINAPI GetCurrentTime() noexcept;

    // Each returns the new status: 0 (valid), or 1 (invalid) for a field out of range or a
    // year outside 100..9999. SetDate sets midnight; SetTime sets the date to 1899-12-30.
    int SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec) noexcept;
    int SetDate(int nYear, int nMonth, int nDay) noexcept;
    int SetTime(int nHour, int nMin, int nSec) noexcept;

    DateTimeStatus GetStatus() const noexcept
    {
        return m_status;
    }
    void SetStatus(DateTimeStatus status) noexcept
    {
        m_status = status;
    }

    // Rounded to the nearest second. FALSE, or AFX_OLE_DATETIME_ERROR, unless the date is
    // valid and in range. GetDayOfWeek: 1 is Sunday; GetDayOfYear: 1 is January 1.
    BOOL GetAsSystemTime(SYSTEMTIME& sysTime) const noexcept;
    int GetYear() const noexcept;
    int GetMonth() const noexcept;
    int GetDay() const noexcept;
    int GetHour() const noexcept;
    int GetMinute() const noexcept;
    int GetSecond() const noexcept;
    int GetDayOfWeek() const noexcept;
    int GetDayOfYear() const noexcept;

    operator DATE() const noexcept
    {
        return m_dt;
    }

    // VarDateFromStr in the given locale; VAR_DATEVALUEONLY and VAR_TIMEVALUEONLY keep one
    // part. Text it cannot read leaves the date invalid and zero.
    bool ParseDateTime(LPCTSTR lpszDate, DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT) noexcept;

    // A null date gives empty text and an invalid one "Invalid DateTime".
    // VarBstrFromDate in the given locale.
    CString Format(DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT) const;
    // The C runtime's strftime codes, as CTime::Format, for any year in range. The runtime
    // has no two-digit year before 1900: a format with %y, %c or %x then gives empty text.
    CString Format(LPCTSTR pFormat) const;
    CString Format(UINT nFormatID) const;

    // A null operand makes the result null, else an invalid one makes it invalid; a result
    // outside the years 100..9999 is invalid.
    COleDateTime operator+(const COleDateTimeSpan& dateSpan) const noexcept;
    COleDateTime operator-(const COleDateTimeSpan& dateSpan) const noexcept;
    COleDateTime& operator+=(const COleDateTimeSpan& dateSpan) noexcept;
    COleDateTime& operator-=(const COleDateTimeSpan& dateSpan) noexcept;
    COleDateTimeSpan operator-(const COleDateTime& date) const noexcept;

    // Equal when status and moment are equal; only valid dates are ordered.
    bool operator==(const COleDateTime& date) const noexcept;
    std::partial_ordering operator<=>(const COleDateTime& date) const noexcept;

    DATE m_dt;
    DateTimeStatus m_status;

private:
    int SetFields(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nMilliseconds) noexcept;
};
