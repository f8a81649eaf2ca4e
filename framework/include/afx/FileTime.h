// CFileTime, a FILETIME (100 ns units since 1601-01-01) with arithmetic, and CFileTimeSpan,
// a signed distance in the same units.
#pragma once

#include <windows.h>

#include <compare>

// winbase.h maps GetCurrentTime() to GetTickCount(), which would rename the static member.
#undef GetCurrentTime

class CFileTimeSpan
{
public:
    CFileTimeSpan() noexcept : m_nSpan(0)
    {
    }
    CFileTimeSpan(LONGLONG nSpan) noexcept : m_nSpan(nSpan)
    {
    }

    LONGLONG GetTimeSpan() const noexcept
    {
        return m_nSpan;
    }
    void SetTimeSpan(LONGLONG nSpan) noexcept
    {
        m_nSpan = nSpan;
    }

    CFileTimeSpan operator+(CFileTimeSpan span) const noexcept
    {
        return CFileTimeSpan(m_nSpan + span.m_nSpan);
    }
    CFileTimeSpan operator-(CFileTimeSpan span) const noexcept
    {
        return CFileTimeSpan(m_nSpan - span.m_nSpan);
    }
    CFileTimeSpan& operator+=(CFileTimeSpan span) noexcept
    {
        m_nSpan += span.m_nSpan;
        return *this;
    }
    CFileTimeSpan& operator-=(CFileTimeSpan span) noexcept
    {
        m_nSpan -= span.m_nSpan;
        return *this;
    }
    auto operator<=>(const CFileTimeSpan&) const noexcept = default;

private:
    LONGLONG m_nSpan;
};

class CFileTime : public FILETIME
{
public:
    static constexpr ULONGLONG Millisecond = 10000;
    static constexpr ULONGLONG Second = Millisecond * 1000;
    static constexpr ULONGLONG Minute = Second * 60;
    static constexpr ULONGLONG Hour = Minute * 60;
    static constexpr ULONGLONG Day = Hour * 24;
    static constexpr ULONGLONG Week = Day * 7;

    CFileTime() noexcept : CFileTime(0ULL)
    {
    }
    CFileTime(const FILETIME& ft) noexcept : FILETIME(ft)
    {
    }
    CFileTime(ULONGLONG nTime) noexcept
    {
        SetTime(nTime);
    }

    // The system time (UTC).
    static CFileTime WINAPI GetCurrentTime() noexcept;

    ULONGLONG GetTime() const noexcept
    {
        return ULONGLONG{dwHighDateTime} << 32 | dwLowDateTime;
    }
    void SetTime(ULONGLONG nTime) noexcept
    {
        dwLowDateTime = static_cast<DWORD>(nTime);
        dwHighDateTime = static_cast<DWORD>(nTime >> 32);
    }

    // Throw CInvalidArgException when the system cannot convert the time.
    CFileTime UTCToLocal() const;
    CFileTime LocalToUTC() const;

    CFileTimeSpan operator-(CFileTime ft) const noexcept
    {
        return CFileTimeSpan(static_cast<LONGLONG>(GetTime() - ft.GetTime()));
    }
    CFileTime operator+(CFileTimeSpan span) const noexcept
    {
        return CFileTime(GetTime() + span.GetTimeSpan());
    }
    CFileTime operator-(CFileTimeSpan span) const noexcept
    {
        return CFileTime(GetTime() - span.GetTimeSpan());
    }
    CFileTime& operator+=(CFileTimeSpan span) noexcept
    {
        SetTime(GetTime() + span.GetTimeSpan());
        return *this;
    }
    CFileTime& operator-=(CFileTimeSpan span) noexcept
    {
        SetTime(GetTime() - span.GetTimeSpan());
        return *this;
    }
    bool operator==(const CFileTime& ft) const noexcept
    {
        return GetTime() == ft.GetTime();
    }
    std::strong_ordering operator<=>(const CFileTime& ft) const noexcept
    {
        return GetTime() <=> ft.GetTime();
    }
};
