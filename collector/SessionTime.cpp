#include <collector/SessionTime.h>

namespace
{
// Year the first four characters, month the fifth and sixth, day the last two; hour, minute
// and second the first, middle and last two.
struct tm CalendarOf(const CString& strDate, const CString& strTime)
{
    struct tm fields = {};
    fields.tm_year = _wtoi(strDate.Left(4)) - 1900;
    fields.tm_mon = _wtoi(strDate.Mid(4, 2)) - 1;
    fields.tm_mday = _wtoi(strDate.Right(2));
    fields.tm_hour = _wtoi(strTime.Left(2));
    fields.tm_min = _wtoi(strTime.Mid(2, 2));
    fields.tm_sec = _wtoi(strTime.Right(2));
    fields.tm_isdst = -1;
    if (fields.tm_year < 0 || fields.tm_mon < 0 || fields.tm_mon > 11 || fields.tm_mday < 1 || fields.tm_mday > 31 ||
        fields.tm_hour < 0 || fields.tm_hour > 23 || fields.tm_min < 0 || fields.tm_min > 59 || fields.tm_sec < 0 ||
        fields.tm_sec > 59)
        AfxThrowInvalidArgException();
    return fields;
}

__time64_t Checked(__time64_t nTime)
{
    if (nTime == -1)
        AfxThrowInvalidArgException();
    return nTime;
}
} // namespace

__time64_t LocalDateTime(const CString& strDate, const CString& strTime)
{
    struct tm fields = CalendarOf(strDate, strTime);
    return Checked(_mktime64(&fields));
}

__time64_t UtcDateTime(const CString& strDate, const CString& strTime)
{
    struct tm fields = CalendarOf(strDate, strTime);
    return Checked(_mkgmtime64(&fields));
}
