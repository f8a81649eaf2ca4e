#include "GridTestSupport.h"

#include <grid/core/AppData.h>
#include <grid/services/format/OleDateTimeImp.h>

#include <gtest/gtest.h>

#include <cstring>
#include <ctime>

// Wine's locale is pinned to English (United States) by the test environment.
TEST(DateTimeTest, ParseFailsOnTextThatIsNoDateWithEveryFieldCleared)
{
    CGXOleDateTimeImp imp;
    for (LPCTSTR pszText : {L"", L"not a date", L"32/13/2024"})
    {
        GXDateTimeParts parts;
        std::memset(&parts, 0x5A, sizeof(parts));
        EXPECT_FALSE(imp.ParseDateTime(parts, pszText, 0)) << pszText;
        const GXDateTimeParts cleared = {};
        EXPECT_EQ(std::memcmp(&parts, &cleared, sizeof(parts)), 0) << pszText;
    }
    struct tm tmOut;
    std::memset(&tmOut, 0x5A, sizeof(tmOut));
    EXPECT_FALSE(imp.ParseDateTimeTm(tmOut, L"", 0));
    EXPECT_EQ(tmOut.tm_year, 0);
    EXPECT_EQ(tmOut.tm_isdst, 0);
}

TEST(DateTimeTest, ParseFillsTheFieldsOfBothRecords)
{
    CGXOleDateTimeImp imp;
    GXDateTimeParts parts;
    ASSERT_TRUE(imp.ParseDateTime(parts, L"3/5/2024 14:30:15", 0));
    EXPECT_EQ(parts.nYear, 2024);
    EXPECT_EQ(parts.nMonth, 3);
    EXPECT_EQ(parts.nDay, 5);
    EXPECT_EQ(parts.nHour, 14);
    EXPECT_EQ(parts.nMinute, 30);
    EXPECT_EQ(parts.nSecond, 15);

    struct tm tmOut;
    ASSERT_TRUE(imp.ParseDateTimeTm(tmOut, L"3/5/2024", 0));
    EXPECT_EQ(tmOut.tm_mon, 2);
    EXPECT_EQ(tmOut.tm_year, 124);
    EXPECT_EQ(tmOut.tm_mday, 5);
    EXPECT_EQ(tmOut.tm_hour, 0);
}

TEST(DateTimeTest, FormatShowsDateTimeOrBothByTheFields)
{
    CGXOleDateTimeImp imp;
    struct Case
    {
        GXDateTimeParts parts;
        LPCTSTR pszExpected;
    };
    const Case cases[] = {
        {{2024, 3, 5, 0, 0, 0, 0, 0}, L"3/5/2024"},
        {{2024, 3, 5, 14, 30, 0, 0, 0}, L"3/5/2024 2:30:00 PM"},
        {{2024, 0, 5, 14, 30, 0, 0, 0}, L"2:30:00 PM"},
        {{2024, 13, 5, 0, 0, 0, 0, 0}, L"Invalid DateTime"},
    };
    for (const Case& c : cases)
    {
        CString strText;
        imp.FormatDateTime(strText, c.parts);
        EXPECT_STREQ(strText, c.pszExpected);
    }
}

TEST(DateTimeTest, FormatTimeUsesDateAloneAtMidnight)
{
    CGXOleDateTimeImp imp;
    struct tm local = {};
    local.tm_year = 124;
    local.tm_mon = 2;
    local.tm_mday = 5;
    local.tm_isdst = -1;
    CString strText;
    imp.FormatTime(strText, _mktime64(&local));
    EXPECT_STREQ(strText, L"03/05/24");
    local.tm_hour = 14;
    local.tm_min = 30;
    imp.FormatTime(strText, _mktime64(&local));
    EXPECT_STREQ(strText, L"03/05/24 14:30:00");
    imp.FormatTime(strText, -1);
    EXPECT_STREQ(strText, L"");
}

TEST(DateTimeTest, FactoryInstallsTheVariantDateImplementation)
{
    EnsureGridLibrary();
    EXPECT_NE(dynamic_cast<CGXOleDateTimeImp*>(GXGetAppDataPtr()->m_pDateTimeImp), nullptr);
}
