// CTime, a point in time in seconds since 1970-01-01 UTC, and CTimeSpan, a signed number of
// seconds between two such points.
#pragma once

#include <windows.h>
#include <time.h>

#include <compare>

// winbase.h maps GetCurrentTime() to GetTickCount(), which would rename the static members.
#undef GetCurrentTime

class CTimeSpan
{
public:
    CTimeSpan() noexcept : m_timeSpan(0)
    {
    }
    CTimeSpan(__time64_t time) noexcept : m_timeSpan(time)
    {
    }
    CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs) noexcept;

    // The parts are truncated toward zero: a negative span has negative parts.
    LONGLONG GetDays() const noexcept
    {
        return m_timeSpan / (24 * 3600);
    }
    LONGLONG GetTotalHours() const noexcept
    {
        return m_timeSpan / 3600;
    }
    LONG GetHours() const noexcept
    {
        return static_cast<LONG>(GetTotalHours() - GetDays() * 24);
    }
    LONGLONG GetTotalMinutes() const noexcept
    {
        return m_timeSpan / 60;
    }
    LONG GetMinutes() const noexcept
    {
        return static_cast<LONG>(GetTotalMinutes() - GetTotalHours() * 60);
    }
    LONGLONG GetTotalSeconds() const noexcept
    {
        return m_timeSpan;
    }
    LONG GetSeconds() const noexcept
    {
        return static_cast<LONG>(GetTotalSeconds() - GetTotalMinutes() * 60);
    }
    __time64_t GetTimeSpan() const noexcept
    {
        return m_timeSpan;
    }

    // %D days, %H hours, %M minutes and %S seconds (two digits, or no leading zero with %#H,
    // %#M, %#S) and %% for a percent sign. Any other code makes the result empty.
    CString Format(LPCTSTR pFormat) const;
    CString Format(UINT nFormatID) const;

    CTimeSpan operator+(CTimeSpan span) const noexcept
    {
        return CTimeSpan(m_timeSpan + span.m_timeSpan);
    }
    CTimeSpan operator-(CTimeSpan span) const noexcept
    {
        return CTimeSpan(m_timeSpan - span.m_timeSpan);
    }
    CTimeSpan& operator+=(CTimeSpan span) noexcept
    {
        m_timeSpan += span.m_timeSpan;
        return *this;
    }
    CTimeSpan& operator-=(CTimeSpan span) noexcept
    {
        m_timeSpan -= span.m_timeSpan;
        return *this;
    }
    auto operator<=>(const CTimeSpan&) const noexcept = default;

private:
    __time64_t m_timeSpan;
};

class CTime
{
public:
    CTime() noexcept : m_time(0)
    {
    }
    CTime(__time64_t time) noexcept : m_time(time)
    {
    }
    // Local time. Throws CInvalidArgException for a field out of range, a year before 1900 or
    // a time that the C runtime cannot represent (before 1970 or after 3000).
    CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);
    CTime(const SYSTEMTIME& st, int nDST = -1);
    // A file time is UTC; it is taken to local time first.
    CTime(const FILETIME& ft, int nDST = -1);

    static CTime WINAPI GetCurrentTime() noexcept;

    __time64_t GetTime() const noexcept
    {
        return m_time;
    }

    // The pointer given, or NULL when it is NULL or the time cannot be converted.
    struct tm* GetLocalTm(struct tm* ptm) const noexcept;
    struct tm* GetGmtTm(struct tm* ptm) const noexcept;
    BOOL GetAsSystemTime(SYSTEMTIME& timeDest) const noexcept;

    // Local time; 0 when the time cannot be converted. GetDayOfWeek: 1 is Sunday.
    int GetYear() const noexcept;
    int GetMonth() const noexcept;
    int GetDay() const noexcept;
    int GetHour() const noexcept;
    int GetMinute() const noexcept;
    int GetSecond() const noexcept;
    int GetDayOfWeek() const noexcept;

    // The C runtime's strftime codes (%#d drops the leading zero). An invalid format or a
    // time that cannot be converted gives an empty string.
    CString Format(LPCTSTR pFormat) const;
    CString Format(UINT nFormatID) const;
    CString FormatGmt(LPCTSTR pFormat) const;
    CString FormatGmt(UINT nFormatID) const;

    CTimeSpan operator-(CTime time) const noexcept
    {
        return CTimeSpan(m_time - time.m_time);
    }
    CTime operator+(CTimeSpan span) const noexcept
    {
        return CTime(m_time + span.GetTimeSpan());
    }
    CTime operator-(CTimeSpan span) const noexcept
    {
        return CTime(m_time - span.GetTimeSpan());
    }
    CTime& operator+=(CTimeSpan span) noexcept
    {
        m_time += span.GetTimeSpan();
        return *this;
    }
    CTime& operator-=(CTimeSpan span) noexcept
    {
        m_time -= span.GetTimeSpan();
        return *this;
    }
    auto operator<=>(const CTime&) const noexcept = default;

private:
    __time64_t m_time;
};

// wcsftime of the C runtime into a CString, with Microsoft's codes; empty for an invalid
// format or fields the runtime refuses. CTime and COleDateTime format through it.
CString AFXAPI AfxFormatTm(LPCTSTR pFormat, const struct tm& tmTime);
