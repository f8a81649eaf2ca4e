#include <afxdisp.h>

#include <cmath>

#include <gtest/gtest.h>

namespace
{
// 2026-03-05 07:09:10 as a DATE: 46086 days after 1899-12-30 plus 25750 of 86400 seconds.
constexpr DATE kMarch5 = 46086.29803240741;
// 2026-03-05 07:09:00 UTC in 100 ns units since 1601.
constexpr ULONGLONG kInstantFileTime = 134171681400000000ULL;
constexpr LCID kEnglishUS = MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);
// An id of StringTest.rc in the same executable: a text without codes.
constexpr UINT IDS_GREETING = 61008;

const wchar_t kIso[] = L"%Y-%m-%d %H:%M:%S";

COleDateTime Status(COleDateTime::DateTimeStatus status)
{
    COleDateTime date(kMarch5);
    date.SetStatus(status);
    return date;
}

COleDateTimeSpan SpanStatus(COleDateTimeSpan::DateTimeSpanStatus status)
{
    COleDateTimeSpan span(1.0);
    span.SetStatus(status);
    return span;
}
} // namespace

TEST(COleDateTime, FieldsToDateAndBack)
{
    struct Case
    {
        int year, month, day, hour, minute, second;
        DATE expected;
    };
    const Case cases[] = {
        {2026, 3, 5, 7, 9, 10, kMarch5},
        {1899, 12, 30, 0, 0, 0, 0.0},
        // Before the epoch the whole part counts back and the fraction stays the time of day.
        {1899, 12, 29, 12, 0, 0, -1.5},
        {1899, 12, 28, 6, 0, 0, -2.25},
        {2000, 2, 29, 0, 0, 0, 36585.0},
        {1066, 10, 14, 0, 0, 0, -304324.0},
        {100, 1, 1, 0, 0, 0, -657434.0},
        {9999, 12, 31, 23, 59, 59, 2958465.0 + 86399.0 / 86400},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.expected);
        COleDateTime date(c.year, c.month, c.day, c.hour, c.minute, c.second);
        EXPECT_EQ(date.GetStatus(), COleDateTime::valid);
        EXPECT_DOUBLE_EQ(date.m_dt, c.expected);
        EXPECT_EQ(date.GetYear(), c.year);
        EXPECT_EQ(date.GetMonth(), c.month);
        EXPECT_EQ(date.GetDay(), c.day);
        EXPECT_EQ(date.GetHour(), c.hour);
        EXPECT_EQ(date.GetMinute(), c.minute);
        EXPECT_EQ(date.GetSecond(), c.second);
        EXPECT_EQ(COleDateTime().SetDateTime(c.year, c.month, c.day, c.hour, c.minute, c.second), 0);
    }
}

TEST(COleDateTime, InvalidFieldsMakeAnInvalidDate)
{
    struct Fields
    {
        int year, month, day, hour, minute, second;
    };
    const Fields cases[] = {
        {2026, 0, 1, 0, 0, 0},  {2026, 13, 1, 0, 0, 0}, {2026, 3, 0, 0, 0, 0},  {2026, 3, 32, 0, 0, 0},
        {2026, 4, 31, 0, 0, 0}, {2025, 2, 29, 0, 0, 0}, {1900, 2, 29, 0, 0, 0}, {2026, 3, 5, 24, 0, 0},
        {2026, 3, 5, -1, 0, 0}, {2026, 3, 5, 0, 60, 0}, {2026, 3, 5, 0, 0, 60}, {99, 12, 31, 0, 0, 0},
        {10000, 1, 1, 0, 0, 0},
    };
    for (const Fields& f : cases)
    {
        SCOPED_TRACE(testing::Message() << f.year << '-' << f.month << '-' << f.day << ' ' << f.hour << ':' << f.minute
                                        << ':' << f.second);
        const COleDateTime date(f.year, f.month, f.day, f.hour, f.minute, f.second);
        EXPECT_EQ(date.GetStatus(), COleDateTime::invalid);
        EXPECT_EQ(date.GetYear(), AFX_OLE_DATETIME_ERROR);
        EXPECT_EQ(date.GetSecond(), AFX_OLE_DATETIME_ERROR);
        EXPECT_EQ(date.GetDayOfWeek(), AFX_OLE_DATETIME_ERROR);
        EXPECT_EQ(date.GetDayOfYear(), AFX_OLE_DATETIME_ERROR);
        SYSTEMTIME st;
        EXPECT_FALSE(date.GetAsSystemTime(st));
        COleDateTime other(kMarch5);
        EXPECT_EQ(other.SetDateTime(f.year, f.month, f.day, f.hour, f.minute, f.second), 1);
        EXPECT_EQ(other.GetStatus(), COleDateTime::invalid);
    }
}

TEST(COleDateTime, DateToFields)
{
    struct Case
    {
        DATE date;
        LPCTSTR expected;
        int dayOfWeek, dayOfYear;
    };
    const Case cases[] = {
        {kMarch5, L"2026-03-05 07:09:10", 5, 64},
        {-1.25, L"1899-12-29 06:00:00", 6, 363},
        {-1.75, L"1899-12-29 18:00:00", 6, 363},
        {45657.5, L"2024-12-31 12:00:00", 3, 366},
        {584390.0, L"3500-01-01 00:00:00", 2, 1},
        // Rounded to the nearest second.
        {46086.0 + 10.6 / 86400, L"2026-03-05 00:00:11", 5, 64},
        {46086.0 + 59.7 / 86400, L"2026-03-05 00:01:00", 5, 64},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.expected);
        const COleDateTime date(c.date);
        EXPECT_STREQ(date.Format(kIso), c.expected);
        EXPECT_EQ(date.GetDayOfWeek(), c.dayOfWeek);
        EXPECT_EQ(date.GetDayOfYear(), c.dayOfYear);
    }

    SYSTEMTIME st;
    ASSERT_TRUE(COleDateTime(kMarch5).GetAsSystemTime(st));
    EXPECT_EQ(st.wYear, 2026);
    EXPECT_EQ(st.wMonth, 3);
    EXPECT_EQ(st.wDay, 5);
    EXPECT_EQ(st.wDayOfWeek, 4);
    EXPECT_EQ(st.wHour, 7);
    EXPECT_EQ(st.wMinute, 9);
    EXPECT_EQ(st.wSecond, 10);
    EXPECT_EQ(st.wMilliseconds, 0);

    // Valid status, but outside the years 100..9999.
    for (DATE outside : {-657435.0, 2958466.0, 2958465.0 + 86399.7 / 86400})
    {
        SCOPED_TRACE(outside);
        EXPECT_EQ(COleDateTime(outside).GetYear(), AFX_OLE_DATETIME_ERROR);
        EXPECT_STREQ(COleDateTime(outside).Format(kIso), L"Invalid DateTime");
    }
}

TEST(COleDateTime, SetDateAndSetTime)
{
    COleDateTime date;
    EXPECT_EQ(date.SetDate(2026, 3, 5), 0);
    EXPECT_DOUBLE_EQ(date.m_dt, 46086.0);
    EXPECT_EQ(date.SetTime(7, 9, 10), 0);
    EXPECT_DOUBLE_EQ(date.m_dt, 25750.0 / 86400);
    EXPECT_STREQ(date.Format(kIso), L"1899-12-30 07:09:10");
    EXPECT_EQ(date.SetTime(24, 0, 0), 1);
    EXPECT_EQ(date.GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(date.SetDate(2026, 2, 29), 1);
}

TEST(COleDateTime, ConversionsFromOtherTimes)
{
    SYSTEMTIME st = {2026, 3, 0, 5, 7, 9, 10, 600};
    COleDateTime fromSystemTime(st);
    EXPECT_DOUBLE_EQ(fromSystemTime.m_dt, 46086.0 + 25750.6 / 86400);
    EXPECT_EQ(fromSystemTime.GetSecond(), 11);
    st.wMilliseconds = 1000;
    EXPECT_EQ(COleDateTime(st).GetStatus(), COleDateTime::invalid);

    // Local time, as CTime sees it.
    const CTime time(2026, 3, 5, 7, 9, 10);
    EXPECT_EQ(COleDateTime(time.GetTime()), COleDateTime(2026, 3, 5, 7, 9, 10));
    EXPECT_EQ(COleDateTime(static_cast<__time64_t>(-1)).GetStatus(), COleDateTime::invalid);

    const CFileTime utc(kInstantFileTime);
    EXPECT_STREQ(COleDateTime(utc).Format(kIso), CTime(utc).Format(kIso));

    const COleDateTimeSpan drift = COleDateTime::GetCurrentTime() - COleDateTime(CTime::GetCurrentTime().GetTime());
    EXPECT_LE(std::fabs(drift.GetTotalSeconds()), 2.0);
}

TEST(COleDateTime, ArithmeticAcrossTheEpoch)
{
    struct Case
    {
        DATE start;
        double days;
        DATE expected;
        LPCTSTR text;
    };
    const Case cases[] = {
        {-1.5, 1.0, 0.5, L"1899-12-30 12:00:00"},     {-1.25, 0.5, -1.75, L"1899-12-29 18:00:00"},
        {-1.75, 0.5, 0.25, L"1899-12-30 06:00:00"},   {0.25, -0.5, -1.75, L"1899-12-29 18:00:00"},
        {-2.25, -1.0, -3.25, L"1899-12-27 06:00:00"}, {kMarch5, 1.0, kMarch5 + 1, L"2026-03-06 07:09:10"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text);
        const COleDateTime start(c.start);
        const COleDateTime sum = start + COleDateTimeSpan(c.days);
        EXPECT_EQ(sum.GetStatus(), COleDateTime::valid);
        EXPECT_DOUBLE_EQ(sum.m_dt, c.expected);
        EXPECT_STREQ(sum.Format(kIso), c.text);
        EXPECT_DOUBLE_EQ((sum - start).m_span, c.days);
        EXPECT_EQ(sum - COleDateTimeSpan(c.days), start);

        COleDateTime moving = start;
        moving += COleDateTimeSpan(c.days);
        EXPECT_EQ(moving, sum);
        moving -= COleDateTimeSpan(c.days);
        EXPECT_EQ(moving, start);
    }

    const COleDateTimeSpan between = COleDateTime(1899, 12, 30, 6, 0, 0) - COleDateTime(1899, 12, 29, 18, 0, 0);
    EXPECT_EQ(between.GetDays(), 0);
    EXPECT_EQ(between.GetHours(), 12);
    EXPECT_EQ(COleDateTime(1899, 12, 29, 12, 0, 0) + COleDateTimeSpan(1, 0, 0, 0),
              COleDateTime(1899, 12, 30, 12, 0, 0));
}

TEST(COleDateTime, ComparisonsFollowTheTimeLine)
{
    const COleDateTime morning(1899, 12, 29, 6, 0, 0);  // -1.25
    const COleDateTime evening(1899, 12, 29, 18, 0, 0); // -1.75
    EXPECT_LT(morning, evening);
    EXPECT_GT(evening, morning);
    EXPECT_LE(morning, morning);
    EXPECT_NE(morning, evening);
    EXPECT_LT(evening, COleDateTime(0.0));

    // An invalid date is neither before nor after anything.
    const COleDateTime invalid = Status(COleDateTime::invalid);
    EXPECT_FALSE(invalid < morning);
    EXPECT_FALSE(invalid > morning);
    EXPECT_FALSE(invalid >= invalid);
    EXPECT_NE(invalid, COleDateTime(kMarch5));
}

TEST(COleDateTime, StatusPropagatesThroughArithmetic)
{
    const COleDateTimeSpan day(1.0);
    EXPECT_EQ((Status(COleDateTime::invalid) + day).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ((COleDateTime(kMarch5) + SpanStatus(COleDateTimeSpan::invalid)).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ((Status(COleDateTime::null) - day).GetStatus(), COleDateTime::null);
    EXPECT_EQ((Status(COleDateTime::null) + SpanStatus(COleDateTimeSpan::invalid)).GetStatus(), COleDateTime::null);
    EXPECT_EQ((Status(COleDateTime::invalid) - COleDateTime(kMarch5)).GetStatus(), COleDateTimeSpan::invalid);
    EXPECT_EQ((COleDateTime(kMarch5) - Status(COleDateTime::null)).GetStatus(), COleDateTimeSpan::null);

    // Results outside the years 100..9999.
    EXPECT_EQ((COleDateTime(9999, 12, 31, 12, 0, 0) + day).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ((COleDateTime(100, 1, 1, 12, 0, 0) - day).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ((COleDateTime(100, 1, 2, 0, 0, 0) - day).GetStatus(), COleDateTime::valid);
}

TEST(COleDateTime, ParseDateTime)
{
    COleDateTime date;
    EXPECT_TRUE(date.ParseDateTime(L"2026-03-05 07:09:10"));
    EXPECT_EQ(date.GetStatus(), COleDateTime::valid);
    EXPECT_DOUBLE_EQ(date.m_dt, kMarch5);
    EXPECT_EQ(date.GetYear(), 2026);
    EXPECT_EQ(date.GetHour(), 7);
    EXPECT_EQ(date.GetSecond(), 10);

    EXPECT_TRUE(date.ParseDateTime(L"2026-03-05 07:09:10", VAR_DATEVALUEONLY));
    EXPECT_DOUBLE_EQ(date.m_dt, 46086.0);
    EXPECT_TRUE(date.ParseDateTime(L"2026-03-05 07:09:10", VAR_TIMEVALUEONLY));
    EXPECT_DOUBLE_EQ(date.m_dt, 25750.0 / 86400);

    for (LPCTSTR text : {L"garbage", L"", static_cast<LPCTSTR>(nullptr)})
    {
        SCOPED_TRACE(text != nullptr ? text : L"(null)");
        COleDateTime parsed(kMarch5);
        EXPECT_FALSE(parsed.ParseDateTime(text));
        EXPECT_EQ(parsed.GetStatus(), COleDateTime::invalid);
        EXPECT_EQ(parsed.GetYear(), AFX_OLE_DATETIME_ERROR);
    }
}

TEST(COleDateTime, FormatInALocale)
{
    const COleDateTime date(kMarch5);
    EXPECT_STREQ(date.Format(0, kEnglishUS), L"3/5/2026 7:09:10 AM");
    EXPECT_STREQ(date.Format(VAR_DATEVALUEONLY, kEnglishUS), L"3/5/2026");
    EXPECT_STREQ(date.Format(VAR_TIMEVALUEONLY, kEnglishUS), L"7:09:10 AM");
    EXPECT_STREQ(COleDateTime(-1.5).Format(0, kEnglishUS), L"12/29/1899 12:00:00 PM");
    EXPECT_STREQ(Status(COleDateTime::null).Format(), L"");
    EXPECT_STREQ(Status(COleDateTime::invalid).Format(), L"Invalid DateTime");
}

TEST(COleDateTime, FormatWithCodes)
{
    EXPECT_STREQ(COleDateTime(kMarch5).Format(L"%Y-%m-%d %H:%M:%S %A %#d %j"), L"2026-03-05 07:09:10 Thursday 5 064");
    // Years the C runtime's time_t cannot hold.
    EXPECT_STREQ(COleDateTime(1066, 10, 14, 0, 0, 0).Format(L"%A, %B %#d, %Y"), L"Sunday, October 14, 1066");
    EXPECT_STREQ(COleDateTime(3500, 1, 1, 0, 0, 0).Format(L"%a %Y-%m-%d %j %#x"),
                 L"Mon 3500-01-01 001 Monday, January 01, 3500");
    EXPECT_STREQ(COleDateTime(1066, 10, 14, 0, 0, 0).Format(L"%Y %y"), L"");
    EXPECT_STREQ(COleDateTime(kMarch5).Format(L"%Q"), L"");
    EXPECT_STREQ(COleDateTime(kMarch5).Format(IDS_GREETING), L"Grüße Ω");
    EXPECT_STREQ(Status(COleDateTime::null).Format(kIso), L"");
    EXPECT_STREQ(Status(COleDateTime::invalid).Format(kIso), L"Invalid DateTime");
}

TEST(COleDateTimeSpan, PartsAndTotals)
{
    struct Case
    {
        COleDateTimeSpan span;
        LONG days, hours, minutes, seconds;
        double totalHours, totalMinutes, totalSeconds;
    };
    const Case cases[] = {
        {COleDateTimeSpan(1, 2, 3, 4), 1, 2, 3, 4, 26, 1563, 93784},
        {-COleDateTimeSpan(1, 2, 3, 4), -1, -2, -3, -4, -26, -1563, -93784},
        {COleDateTimeSpan(0, 36, 0, 0), 1, 12, 0, 0, 36, 2160, 129600},
        // 1 day 23:59:59.6 rounds to the second before it is cut into units.
        {COleDateTimeSpan(2.0 - 0.4 / 86400), 2, 0, 0, 0, 48, 2880, 172800},
        {COleDateTimeSpan(-0.4 / 86400), 0, 0, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.totalSeconds);
        EXPECT_EQ(c.span.GetDays(), c.days);
        EXPECT_EQ(c.span.GetHours(), c.hours);
        EXPECT_EQ(c.span.GetMinutes(), c.minutes);
        EXPECT_EQ(c.span.GetSeconds(), c.seconds);
        EXPECT_EQ(c.span.GetTotalDays(), c.days);
        EXPECT_EQ(c.span.GetTotalHours(), c.totalHours);
        EXPECT_EQ(c.span.GetTotalMinutes(), c.totalMinutes);
        EXPECT_EQ(c.span.GetTotalSeconds(), c.totalSeconds);
    }

    COleDateTimeSpan span;
    span.SetDateTimeSpan(0, 6, 0, 0);
    EXPECT_DOUBLE_EQ(span.m_span, 0.25);
    EXPECT_EQ(span.GetStatus(), COleDateTimeSpan::valid);
}

TEST(COleDateTimeSpan, Format)
{
    EXPECT_STREQ(COleDateTimeSpan(1, 2, 3, 4).Format(L"%D days %H:%M:%S"), L"1 days 02:03:04");
    EXPECT_STREQ(COleDateTimeSpan(1, 2, 3, 4).Format(L"%#H h %#M min"), L"2 h 3 min");
    EXPECT_STREQ(COleDateTimeSpan(1.0).Format(IDS_GREETING), L"Grüße Ω");
    EXPECT_STREQ(SpanStatus(COleDateTimeSpan::null).Format(L"%D"), L"");
    EXPECT_STREQ(SpanStatus(COleDateTimeSpan::invalid).Format(L"%D"), L"Invalid DateTimeSpan");
}

TEST(COleDateTimeSpan, ArithmeticAndComparisons)
{
    const COleDateTimeSpan day(1, 0, 0, 0);
    const COleDateTimeSpan quarter(0, 6, 0, 0);
    EXPECT_DOUBLE_EQ((day + quarter).m_span, 1.25);
    EXPECT_DOUBLE_EQ((quarter - day).m_span, -0.75);
    EXPECT_DOUBLE_EQ((-quarter).m_span, -0.25);

    COleDateTimeSpan span = day;
    span += quarter;
    span -= COleDateTimeSpan(2.0);
    EXPECT_DOUBLE_EQ(span.m_span, -0.75);

    EXPECT_LT(quarter, day);
    EXPECT_GT(day, -day);
    EXPECT_EQ(day, COleDateTimeSpan(1.0));
    EXPECT_NE(day, quarter);

    const COleDateTimeSpan invalid = SpanStatus(COleDateTimeSpan::invalid);
    const COleDateTimeSpan null = SpanStatus(COleDateTimeSpan::null);
    EXPECT_EQ((day + invalid).GetStatus(), COleDateTimeSpan::invalid);
    EXPECT_EQ((invalid - day).GetStatus(), COleDateTimeSpan::invalid);
    EXPECT_EQ((invalid + null).GetStatus(), COleDateTimeSpan::null);
    EXPECT_EQ((-null).GetStatus(), COleDateTimeSpan::null);
    EXPECT_FALSE(invalid < day);
    EXPECT_FALSE(invalid > day);
    EXPECT_NE(invalid, day);
}
