#include <collector/SessionTime.h>

#include <algorithm>

namespace
{
// The part of the text as _wtoi reads it; a part beyond the text is empty and reads as 0. A
// part of ASCII characters is read here (it is too short to overflow); others go to _wtoi,
// which also knows the digits of other scripts.
int NumberOf(std::wstring_view text, size_t nStart, size_t nCount)
{
    wchar_t szPart[8] = {};
    if (nStart < text.size())
        text.copy(szPart, std::min<size_t>(nCount, std::size(szPart) - 1), nStart);
    const wchar_t* p = szPart;
    if (std::any_of(szPart, std::end(szPart), [](wchar_t ch) { return ch >= 0x80; }))
        return _wtoi(szPart);
    while (AfxIsSpace(*p))
        ++p;
    const bool bNegative = *p == L'-';
    if (*p == L'-' || *p == L'+')
        ++p;
    int nValue = 0;
    for (; *p >= L'0' && *p <= L'9'; ++p)
        nValue = nValue * 10 + (*p - L'0');
    return bNegative ? -nValue : nValue;
}

// Year the first four characters, month the fifth and sixth, day the last two; hour, minute
// and second the first, middle and last two.
struct tm CalendarOf(std::wstring_view date, std::wstring_view time)
{
    const auto last2 = [](std::wstring_view text) { return text.size() >= 2 ? text.size() - 2 : 0; };
    struct tm fields = {};
    fields.tm_year = NumberOf(date, 0, 4) - 1900;
    fields.tm_mon = NumberOf(date, 4, 2) - 1;
    fields.tm_mday = NumberOf(date, last2(date), std::min<size_t>(2, date.size()));
    fields.tm_hour = NumberOf(time, 0, 2);
    fields.tm_min = NumberOf(time, 2, 2);
    fields.tm_sec = NumberOf(time, last2(time), std::min<size_t>(2, time.size()));
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

__time64_t LocalDateTime(std::wstring_view date, std::wstring_view time)
{
    struct tm fields = CalendarOf(date, time);
    return Checked(_mktime64(&fields));
}

__time64_t UtcDateTime(std::wstring_view date, std::wstring_view time)
{
    struct tm fields = CalendarOf(date, time);
    return Checked(_mkgmtime64(&fields));
}
