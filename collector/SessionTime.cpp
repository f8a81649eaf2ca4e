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
    // The usual texts, of eight and six digits, read each part as its digits.
    const auto digits = [](std::wstring_view text) {
        return std::all_of(text.begin(), text.end(), [](wchar_t ch) { return ch >= L'0' && ch <= L'9'; });
    };
    const bool bUsual = date.size() == 8 && time.size() == 6 && digits(date) && digits(time);
    const auto part = [bUsual](std::wstring_view text, size_t nStart, size_t nCount) {
        if (!bUsual)
            return NumberOf(text, nStart, nCount);
        int nValue = 0;
        for (const wchar_t ch : text.substr(nStart, nCount))
            nValue = nValue * 10 + (ch - L'0');
        return nValue;
    };
    const auto last2 = [](std::wstring_view text) { return text.size() >= 2 ? text.size() - 2 : 0; };
    struct tm fields = {};
    fields.tm_year = part(date, 0, 4) - 1900;
    fields.tm_mon = part(date, 4, 2) - 1;
    fields.tm_mday = part(date, last2(date), std::min<size_t>(2, date.size()));
    fields.tm_hour = part(time, 0, 2);
    fields.tm_min = part(time, 2, 2);
    fields.tm_sec = part(time, last2(time), std::min<size_t>(2, time.size()));
    fields.tm_isdst = -1;
    if (fields.tm_year < 0 || fields.tm_mon < 0 || fields.tm_mon > 11 || fields.tm_mday < 1 || fields.tm_mday > 31 ||
        fields.tm_hour < 0 || fields.tm_hour > 23 || fields.tm_min < 0 || fields.tm_min > 59 || fields.tm_sec < 0 ||
        fields.tm_sec > 59)
        AfxThrowInvalidArgException();
    return fields;
}

// The seconds since 1970 of checked UTC calendar fields, as _mkgmtime64 gives them without its
// call: a day beyond its month's end runs into the next month, and a time before 1970 or after
// the end of the year 3000 cannot be held (-1).
__time64_t GmtSeconds(const struct tm& fields)
{
    const long long kLatest = 32535215999; // 3000-12-31 23:59:59
    // Days from 1970-01-01 to the first of the month, counting years from March so that the
    // leap day comes last.
    const long long nYear = 1900LL + fields.tm_year - (fields.tm_mon < 2 ? 1 : 0);
    const long long nMonthFromMarch = (fields.tm_mon + 10) % 12;
    const long long nDays = nYear * 365 + nYear / 4 - nYear / 100 + nYear / 400 + (153 * nMonthFromMarch + 2) / 5 -
                            719468 + (fields.tm_mday - 1);
    const long long nSeconds = nDays * 86400 + fields.tm_hour * 3600 + fields.tm_min * 60 + fields.tm_sec;
    return nSeconds < 0 || nSeconds > kLatest ? -1 : nSeconds;
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
    return Checked(GmtSeconds(CalendarOf(date, time)));
}
