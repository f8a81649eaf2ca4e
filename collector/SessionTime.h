// Dates and times of SAP results ("yyyymmdd" and "hhmmss" texts) as seconds since 1970.
#pragma once

#include <afx.h>

#include <string_view>

// The texts as a calendar time of this computer's time zone, daylight saving decided by the C
// library. Throws CInvalidArgException for a year before 1900, a month outside 1-12, a day
// outside 1-31, an hour above 23, a minute or second above 59, or a time that cannot be held.
__time64_t LocalDateTime(std::wstring_view date, std::wstring_view time);
// The texts as a UTC calendar time, with the same checks.
__time64_t UtcDateTime(std::wstring_view date, std::wstring_view time);

inline __time64_t LocalDateTime(const CString& strDate, const CString& strTime)
{
    return LocalDateTime(std::wstring_view(strDate.GetString(), strDate.GetLength()),
                         std::wstring_view(strTime.GetString(), strTime.GetLength()));
}
inline __time64_t UtcDateTime(const CString& strDate, const CString& strTime)
{
    return UtcDateTime(std::wstring_view(strDate.GetString(), strDate.GetLength()),
                       std::wstring_view(strTime.GetString(), strTime.GetLength()));
}
