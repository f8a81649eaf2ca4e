#include <afx.h>

#include <cstdlib>
#include <ctime>
#include <cwchar>
#include <iterator>

#include <gtest/gtest.h>

namespace
{
// 2026-03-05 07:09:00 UTC, a Thursday: in seconds since 1970 and in 100 ns units since 1601.
constexpr __time64_t kInstant = 1772694540;
constexpr ULONGLONG kInstantFileTime = 134171681400000000ULL;

// Ids of StringTest.rc in the same executable: a text without codes, and no string at all.
constexpr UINT IDS_GREETING = 61008;
constexpr UINT IDS_ABSENT = 61087;

template <class F> bool ThrowsInvalidArg(F f)
{
    try
    {
        f();
    }
    catch (CInvalidArgException* e)
    {
        e->Delete();
        return true;
    }
    return false;
}
} // namespace

TEST(CTime, InvalidDateOrTimeThrows)
{
    struct Fields
    {
        int year, month, day, hour, minute, second;
    };
    const Fields cases[] = {
        {2026, 13, 1, 0, 0, 0},
        {2026, 0, 1, 0, 0, 0},
        {2026, 3, 0, 0, 0, 0},
        {2026, 3, 32, 0, 0, 0},
        {2026, 3, 5, 24, 0, 0},
        {2026, 3, 5, -1, 0, 0},
        {2026, 3, 5, 0, 60, 0},
        {2026, 3, 5, 0, 0, 60},
        {1899, 12, 31, 0, 0, 0},
        // Years the C runtime's 64-bit time cannot hold.
        {1960, 1, 1, 0, 0, 0},
        {3001, 1, 2, 0, 0, 0},
    };
    for (const Fields& f : cases)
    {
        SCOPED_TRACE(testing::Message() << f.year << '-' << f.month << '-' << f.day << ' ' << f.hour << ':' << f.minute
                                        << ':' << f.second);
        EXPECT_TRUE(ThrowsInvalidArg([&] { CTime(f.year, f.month, f.day, f.hour, f.minute, f.second); }));
    }
    SYSTEMTIME st = {2026, 13, 0, 5, 7, 9, 0, 0};
    EXPECT_TRUE(ThrowsInvalidArg([&] { CTime{st}; }));
    // 1601-01-01 UTC is before 1900 in every time zone.
    EXPECT_TRUE(ThrowsInvalidArg([] { CTime{FILETIME{}}; }));
}

TEST(CTime, LocalFieldsRoundTrip)
{
    const CTime time(2026, 3, 5, 7, 9, 10);
    EXPECT_EQ(time.GetYear(), 2026);
    EXPECT_EQ(time.GetMonth(), 3);
    EXPECT_EQ(time.GetDay(), 5);
    EXPECT_EQ(time.GetHour(), 7);
    EXPECT_EQ(time.GetMinute(), 9);
    EXPECT_EQ(time.GetSecond(), 10);
    EXPECT_EQ(time.GetDayOfWeek(), 5); // Sunday is 1

    struct tm tmLocal;
    ASSERT_EQ(time.GetLocalTm(&tmLocal), &tmLocal);
    EXPECT_EQ(tmLocal.tm_yday, 63);
    EXPECT_EQ(tmLocal.tm_wday, 4);

    SYSTEMTIME st;
    ASSERT_TRUE(time.GetAsSystemTime(st));
    EXPECT_EQ(st.wYear, 2026);
    EXPECT_EQ(st.wMonth, 3);
    EXPECT_EQ(st.wDay, 5);
    EXPECT_EQ(st.wDayOfWeek, 4);
    EXPECT_EQ(st.wHour, 7);
    EXPECT_EQ(st.wMinute, 9);
    EXPECT_EQ(st.wSecond, 10);
    EXPECT_EQ(st.wMilliseconds, 0);
    EXPECT_EQ(CTime(st), time);

    EXPECT_STREQ(time.Format(L"%Y-%m-%d %H:%M:%S"), L"2026-03-05 07:09:10");
}

TEST(CTime, FileTimeIsUtc)
{
    EXPECT_EQ(CTime(CFileTime(kInstantFileTime)).GetTime(), kInstant);
    // Whole seconds: the fraction is dropped.
    EXPECT_EQ(CTime(CFileTime(kInstantFileTime + 9999999)).GetTime(), kInstant);
}

TEST(CTime, CurrentTimeAgreesWithSystemClock)
{
    const CTime now = CTime::GetCurrentTime();
    const CTime fromFileTime(CFileTime::GetCurrentTime());
    EXPECT_LE(std::llabs((fromFileTime - now).GetTotalSeconds()), 2);
}

TEST(CTime, FormatGmtUsesMicrosoftCodesInEnglish)
{
    const CTime time(kInstant);
    EXPECT_STREQ(time.FormatGmt(L"%H:%M UTC  %a, %b %#d, %Y"), L"07:09 UTC  Thu, Mar 5, 2026");
    EXPECT_STREQ(time.FormatGmt(L"%A %B %d %j %#j %I%p %y 100%%"), L"Thursday March 05 064 64 07AM 26 100%");
    // Text outside the C locale's code page survives.
    EXPECT_STREQ(time.FormatGmt(L"%#d. März → Ω %Y"), L"5. März → Ω 2026");
    EXPECT_STREQ(time.FormatGmt(IDS_GREETING), L"Grüße Ω");
    EXPECT_STREQ(time.FormatGmt(IDS_ABSENT), L"");

    // Longer than a fixed buffer of 128 characters.
    CString format, expected;
    for (int i = 0; i < 40; ++i)
    {
        format += L"%A ";
        expected += L"Thursday ";
    }
    EXPECT_STREQ(time.FormatGmt(format), expected);
}

TEST(CTime, NumberCodesReadAsTheRuntimeWritesThem)
{
    // The numbers are written without the runtime; it still decides for fields out of range.
    struct tm parts[] = {
        {0, 0, 0, 1, 0, 70, 4, 0, 0},        {59, 59, 23, 31, 11, 8099, 0, 364, 0}, {5, 7, 9, 3, 4, 126, 0, 0, 0},
        {61, 60, 24, 32, 12, 8100, 0, 0, 0}, {-1, -1, -1, 0, -1, -1901, 0, 0, 0},
    };
    for (const struct tm& part : parts)
    {
        for (LPCTSTR format : {L"%Y%m%d%H%M%S", L"%#Y-%#m-%#d %#H:%#M:%#S"})
        {
            wchar_t szExpected[64] = L"";
            std::wcsftime(szExpected, std::size(szExpected), format, &part);
            EXPECT_STREQ(AfxFormatTm(format, part), szExpected) << format << " " << part.tm_year;
        }
    }
}

TEST(CTime, GetGmtTm)
{
    const CTime time(kInstant);
    struct tm tmGmt;
    ASSERT_EQ(time.GetGmtTm(&tmGmt), &tmGmt);
    EXPECT_EQ(tmGmt.tm_year, 126);
    EXPECT_EQ(tmGmt.tm_mon, 2);
    EXPECT_EQ(tmGmt.tm_mday, 5);
    EXPECT_EQ(tmGmt.tm_hour, 7);
    EXPECT_EQ(tmGmt.tm_min, 9);
    EXPECT_EQ(tmGmt.tm_sec, 0);
    EXPECT_EQ(tmGmt.tm_wday, 4);
    EXPECT_EQ(tmGmt.tm_yday, 63);
    EXPECT_EQ(tmGmt.tm_isdst, 0);
    EXPECT_EQ(time.GetGmtTm(nullptr), nullptr);
    EXPECT_EQ(time.GetLocalTm(nullptr), nullptr);
}

TEST(CTime, BadFormatOrTimeGivesEmptyText)
{
    const CTime time(kInstant);
    for (LPCTSTR format : {L"%Q", L"%", L"50%", L"%#", L"%e", L"%Y-%D"})
    {
        SCOPED_TRACE(format);
        EXPECT_STREQ(time.Format(format), L"");
        EXPECT_STREQ(time.FormatGmt(format), L"");
    }
    EXPECT_STREQ(time.Format(static_cast<LPCTSTR>(nullptr)), L"");

    // Before 1970 the C runtime has no broken-down time.
    const CTime early(-1);
    struct tm tmLocal;
    EXPECT_EQ(early.GetLocalTm(&tmLocal), nullptr);
    EXPECT_EQ(early.GetYear(), 0);
    SYSTEMTIME st;
    EXPECT_FALSE(early.GetAsSystemTime(st));
    EXPECT_STREQ(early.Format(L"%Y"), L"");
}

TEST(CTime, ArithmeticWithSpans)
{
    const CTime start(kInstant);
    const CTimeSpan span(30, 2, 3, 4);
    const CTime end = start + span;
    EXPECT_EQ(end.GetTime(), kInstant + 30 * 86400 + 2 * 3600 + 3 * 60 + 4);
    EXPECT_STREQ(end.FormatGmt(L"%Y-%m-%d %H:%M:%S"), L"2026-04-04 09:12:04");
    EXPECT_EQ(end - start, span);
    EXPECT_EQ((start - end).GetTotalSeconds(), -(30 * 86400 + 2 * 3600 + 3 * 60 + 4));
    EXPECT_EQ(end - span, start);

    CTime moving = start;
    moving += span;
    EXPECT_EQ(moving, end);
    moving -= span;
    EXPECT_EQ(moving, start);

    EXPECT_LT(start, end);
    EXPECT_GT(end, start);
    EXPECT_LE(start, start);
    EXPECT_NE(start, end);
}

TEST(CTimeSpan, PartsAndTotals)
{
    struct Case
    {
        CTimeSpan span;
        LONGLONG days;
        LONG hours, minutes, seconds;
        LONGLONG totalHours, totalMinutes, totalSeconds;
    };
    const Case cases[] = {
        {CTimeSpan(3, 4, 5, 6), 3, 4, 5, 6, 76, 4565, 273906},
        // Fields beyond their range carry over.
        {CTimeSpan(0, 25, 61, 61), 1, 2, 2, 1, 26, 1562, 93721},
        // Negative spans truncate toward zero.
        {CTimeSpan(-93784), -1, -2, -3, -4, -26, -1563, -93784},
        {CTimeSpan(0, 0, 0, 59), 0, 0, 0, 59, 0, 0, 59},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.totalSeconds);
        EXPECT_EQ(c.span.GetDays(), c.days);
        EXPECT_EQ(c.span.GetHours(), c.hours);
        EXPECT_EQ(c.span.GetMinutes(), c.minutes);
        EXPECT_EQ(c.span.GetSeconds(), c.seconds);
        EXPECT_EQ(c.span.GetTotalHours(), c.totalHours);
        EXPECT_EQ(c.span.GetTotalMinutes(), c.totalMinutes);
        EXPECT_EQ(c.span.GetTotalSeconds(), c.totalSeconds);
        EXPECT_EQ(c.span.GetTimeSpan(), c.totalSeconds);
    }
}

TEST(CTimeSpan, Format)
{
    struct Case
    {
        CTimeSpan span;
        LPCTSTR format;
        LPCTSTR expected;
    };
    const Case cases[] = {
        {CTimeSpan(3, 4, 5, 6), L"%D days, %H:%M:%S", L"3 days, 04:05:06"},
        {CTimeSpan(3, 4, 5, 6), L"%#H:%#M:%#S", L"4:5:6"},
        {CTimeSpan(400, 0, 0, 0), L"%D", L"400"},
        {CTimeSpan(0, 0, 0, 7), L"100%% after %S s", L"100% after 07 s"},
        {CTimeSpan(1, 0, 0, 0), L"%D %Y", L""},
        {CTimeSpan(1, 0, 0, 0), L"%D %", L""},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.format);
        EXPECT_STREQ(c.span.Format(c.format), c.expected);
    }
    EXPECT_STREQ(CTimeSpan(1, 0, 0, 0).Format(IDS_GREETING), L"Grüße Ω");
}

TEST(CTimeSpan, Arithmetic)
{
    const CTimeSpan day(1, 0, 0, 0);
    const CTimeSpan halfDay(0, 12, 0, 0);
    EXPECT_EQ(day + halfDay, CTimeSpan(1, 12, 0, 0));
    EXPECT_EQ(day - halfDay, halfDay);
    EXPECT_EQ((halfDay - day).GetTotalHours(), -12);

    CTimeSpan span = day;
    span += halfDay;
    EXPECT_EQ(span.GetTotalHours(), 36);
    span -= day;
    EXPECT_EQ(span, halfDay);

    EXPECT_LT(halfDay, day);
    EXPECT_GE(day, halfDay);
    EXPECT_NE(day, halfDay);
}

TEST(CFileTime, HalvesAndUnits)
{
    CFileTime ft(0x0123456789ABCDEFULL);
    EXPECT_EQ(ft.dwHighDateTime, 0x01234567u);
    EXPECT_EQ(ft.dwLowDateTime, 0x89ABCDEFu);
    EXPECT_EQ(CFileTime(FILETIME{0x89ABCDEF, 0x01234567}).GetTime(), 0x0123456789ABCDEFULL);
    ft.SetTime(0x00000001FFFFFFFFULL);
    EXPECT_EQ(ft.dwHighDateTime, 1u);
    EXPECT_EQ(ft.dwLowDateTime, 0xFFFFFFFFu);
    EXPECT_EQ(CFileTime().GetTime(), 0u);

    EXPECT_EQ(CFileTime::Millisecond, 10000u);
    EXPECT_EQ(CFileTime::Second, 10000000u);
    EXPECT_EQ(CFileTime::Minute, 600000000u);
    EXPECT_EQ(CFileTime::Hour, 36000000000u);
    EXPECT_EQ(CFileTime::Day, 864000000000u);
    EXPECT_EQ(CFileTime::Week, 6048000000000u);
}

TEST(CFileTime, ArithmeticWithSpans)
{
    const CFileTime start(kInstantFileTime);
    const CFileTimeSpan week(CFileTime::Week);
    const CFileTime later = start + week;
    EXPECT_EQ(CTime(later).GetTime(), kInstant + 7 * 86400);
    EXPECT_EQ(later - start, week);
    EXPECT_EQ((start - later).GetTimeSpan(), -static_cast<LONGLONG>(CFileTime::Week));
    EXPECT_EQ(later - week, start);

    // The carry crosses from the low into the high half.
    EXPECT_EQ(CFileTime(0xFFFFFFFFULL) + CFileTimeSpan(1), CFileTime(FILETIME{0, 1}));

    CFileTime moving = start;
    moving += CFileTimeSpan(CFileTime::Day);
    moving -= CFileTimeSpan(CFileTime::Hour);
    EXPECT_EQ(moving.GetTime(), kInstantFileTime + 23 * CFileTime::Hour);

    EXPECT_LT(start, later);
    EXPECT_GT(later, moving);
    EXPECT_NE(start, later);

    CFileTimeSpan span(CFileTime::Day);
    span += CFileTimeSpan(CFileTime::Hour);
    span -= CFileTimeSpan(CFileTime::Minute);
    EXPECT_EQ(span.GetTimeSpan(), static_cast<LONGLONG>(CFileTime::Day + CFileTime::Hour - CFileTime::Minute));
    EXPECT_EQ(span + CFileTimeSpan(1) - CFileTimeSpan(1), span);
    EXPECT_LT(CFileTimeSpan(-1), CFileTimeSpan());
    span.SetTimeSpan(5);
    EXPECT_EQ(span.GetTimeSpan(), 5);
}

TEST(CFileTime, LocalConversionsMatchLocalTime)
{
    const CFileTime utc(kInstantFileTime);
    const CFileTime local = utc.UTCToLocal();
    EXPECT_EQ(local.LocalToUTC(), utc);

    SYSTEMTIME st;
    ASSERT_TRUE(::FileTimeToSystemTime(&local, &st));
    const CTime time(kInstant);
    EXPECT_EQ(st.wDay, time.GetDay());
    EXPECT_EQ(st.wHour, time.GetHour());
    EXPECT_EQ(st.wMinute, time.GetMinute());
}
