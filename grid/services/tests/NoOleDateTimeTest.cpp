#include "GridTestSupport.h"

#include <grid/core/AppData.h>
#include <grid/core/GridInit.h>
#include <grid/core/LongOperationImp.h>
#include <grid/services/ControlFactory.h>
#include <grid/services/format/NoOleDateTimeImp.h>
#include <grid/services/format/OleDateTimeImp.h>

#include <gtest/gtest.h>

#include <cstring>
#include <ctime>

namespace
{
CString UserLocaleValue(LCTYPE type)
{
    WCHAR szValue[128] = {};
    ::GetLocaleInfoW(LOCALE_USER_DEFAULT, type, szValue, 128);
    return szValue;
}

// Sets the user's short-date pattern and time separator for a test and restores them after it.
class ScopedUserLocale
{
public:
    ScopedUserLocale(LPCWSTR pszShortDate, LPCWSTR pszTime = L":")
        : m_strShortDate(UserLocaleValue(LOCALE_SSHORTDATE)), m_strTime(UserLocaleValue(LOCALE_STIME))
    {
        Set(pszShortDate, pszTime);
    }
    ~ScopedUserLocale()
    {
        Set(m_strShortDate, m_strTime);
    }
    static void Set(LPCWSTR pszShortDate, LPCWSTR pszTime)
    {
        EXPECT_TRUE(::SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, pszShortDate));
        EXPECT_TRUE(::SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIME, pszTime));
        EXPECT_STREQ(UserLocaleValue(LOCALE_SSHORTDATE), pszShortDate);
    }

private:
    CString m_strShortDate;
    CString m_strTime;
};

// The plug-in in force for one test, with its caches read afresh; the previous one comes back.
class ScopedNoOleImp
{
public:
    ScopedNoOleImp()
    {
        EnsureGridLibrary();
        std::swap(m_pPrevious, GXGetAppDataPtr()->m_pDateTimeImp);
        GXInstallNoOleDateTimeImp();
        GXInitDateTimeSettings();
    }
    ~ScopedNoOleImp()
    {
        std::swap(m_pPrevious, GXGetAppDataPtr()->m_pDateTimeImp);
        delete m_pPrevious;
    }
    CGXAbstractDateTimeImp* operator->() const
    {
        return GXGetAppDataPtr()->m_pDateTimeImp;
    }

private:
    CGXAbstractDateTimeImp* m_pPrevious = nullptr;
};

CString Format(const ScopedNoOleImp& imp, GXDateTimeParts parts)
{
    CString strText;
    imp->FormatDateTime(strText, parts);
    return strText;
}

struct ParseCase
{
    LPCWSTR pszText;
    int nOrder;
    BOOL bResult;
    GXDateTimeParts expected;
};

void ExpectParses(const ScopedNoOleImp& imp, const ParseCase& c)
{
    GXDateTimeParts parts;
    std::memset(&parts, 0x5A, sizeof(parts));
    EXPECT_EQ(imp->ParseDateTime(parts, c.pszText, c.nOrder), c.bResult) << c.pszText << " order " << c.nOrder;
    if (c.bResult)
    {
        EXPECT_EQ(std::memcmp(&parts, &c.expected, sizeof(parts)), 0)
            << c.pszText << ": " << parts.nYear << "-" << parts.nMonth << "-" << parts.nDay << " " << parts.nHour << ":"
            << parts.nMinute << ":" << parts.nSecond;
    }
}
} // namespace

TEST(NoOleDateTimeTest, GermanShortDateFormatsDayFirstWithFourDigitsAnd24Hours)
{
    ScopedUserLocale locale(L"dd.MM.yyyy");
    ScopedNoOleImp imp;
    BOOL bFourDigitYear = FALSE;
    TCHAR chSeparator = 0;
    EXPECT_EQ(imp->GetDateFormatOrder(FALSE, bFourDigitYear, chSeparator), 0);
    EXPECT_TRUE(bFourDigitYear);
    EXPECT_EQ(chSeparator, L'.');
    EXPECT_EQ(imp->GetTimeSeparator(FALSE), L':');

    EXPECT_STREQ(Format(imp, {2024, 3, 5, 14, 30, 0, 0, 0}), L"05.03.2024 14:30:00");
    EXPECT_STREQ(Format(imp, {2024, 3, 5, 0, 0, 0, 0, 0}), L"05.03.2024");
    EXPECT_STREQ(Format(imp, {2024, 0, 5, 9, 5, 0, 0, 0}), L"09:05:00");
    EXPECT_STREQ(Format(imp, {2024, 0, 5, 0, 0, 0, 0, 0}), L"");
}

TEST(NoOleDateTimeTest, GermanShortDateParsesDatesAndTimes)
{
    ScopedUserLocale locale(L"dd.MM.yyyy");
    ScopedNoOleImp imp;
    const ParseCase cases[] = {
        {L"05.03.2024 14:30", 0, TRUE, {2024, 3, 5, 14, 30, 0, 0, 0}},
        {L"05.03.2024 14:30", 3, TRUE, {2024, 3, 5, 14, 30, 0, 0, 0}},
        {L"050324", 0, TRUE, {2024, 3, 5, 0, 0, 0, 0, 0}},
        {L"5 3 2024", 0, TRUE, {2024, 3, 5, 0, 0, 0, 0, 0}},
        {L"  5.3.2024", 0, TRUE, {2024, 3, 5, 0, 0, 0, 0, 0}},
        {L"5. 3. 2024", 0, FALSE, {}},
        {L"2024-03-05", 0, FALSE, {}},
        {L"2024-03-05", 2, TRUE, {2024, 3, 5, 0, 0, 0, 0, 0}},
        {L"31.04.2024", 0, FALSE, {}},
        {L"29.02.1900", 0, FALSE, {}},
        {L"29.02.2000", 0, TRUE, {2000, 2, 29, 0, 0, 0, 0, 0}},
        {L"29.02.24", 0, TRUE, {2024, 2, 29, 0, 0, 0, 0, 0}},
        {L"29.02.23", 0, FALSE, {}},
        {L"5.3.2024x", 0, FALSE, {}},
        {L"05.03.2024", 4, FALSE, {}},
        {L"05.03.2024", -1, FALSE, {}},
        // Two-digit years pivot at 30.
        {L"05.03.29", 0, TRUE, {2029, 3, 5, 0, 0, 0, 0, 0}},
        {L"05.03.30", 0, TRUE, {1930, 3, 5, 0, 0, 0, 0, 0}},
        {L"05.03.0", 0, TRUE, {2000, 3, 5, 0, 0, 0, 0, 0}},
        {L"05.03.024", 0, TRUE, {24, 3, 5, 0, 0, 0, 0, 0}},
        // A month that fails leaves nothing to look the day up under.
        {L"31.13.2024", 0, FALSE, {}},
        {L"31.", 0, FALSE, {}},
        {L"2:30 PM", 0, TRUE, {70, 0, 1, 14, 30, 0, 0, 0}},
        {L"12:15 AM", 0, TRUE, {70, 0, 1, 0, 15, 0, 0, 0}},
        {L"12:15 PM", 0, TRUE, {70, 0, 1, 12, 15, 0, 0, 0}},
        {L"2:30:15 PM", 0, TRUE, {70, 0, 1, 14, 30, 15, 0, 0}},
        {L"2:30 p", 0, TRUE, {70, 0, 1, 14, 30, 0, 0, 0}},
        {L"13:00 AM", 0, FALSE, {}},
        {L"24:00", 0, TRUE, {70, 0, 1, 24, 0, 0, 0, 0}},
        {L"25:00", 0, FALSE, {}},
        {L"12:60", 0, FALSE, {}},
        {L"12:30:60", 0, FALSE, {}},
        {L"-1:30", 0, FALSE, {}},
        {L"14:", 0, TRUE, {70, 0, 1, 14, 0, 0, 0, 0}},
        // A bad time spoils a good date, and the other way round.
        {L"05.03.2024 14:60", 0, FALSE, {}},
        {L"05.03.20x4 14:30", 0, FALSE, {}},
        {L"", 0, TRUE, {}},
        {L"   ", 0, TRUE, {}},
    };
    for (const ParseCase& c : cases)
        ExpectParses(imp, c);
}

TEST(NoOleDateTimeTest, CalendarRecordCountsYearsFrom1900)
{
    ScopedUserLocale locale(L"dd.MM.yyyy");
    ScopedNoOleImp imp;
    struct Case
    {
        LPCWSTR pszText;
        int nYears, nMonth, nDay, nHour, nMinute;
    };
    const Case cases[] = {
        {L"05.03.24", 124, 2, 5, 0, 0},    {L"05.03.0024", 124, 2, 5, 0, 0}, {L"05.03.00", 100, 2, 5, 0, 0},
        {L"05.03.1850", 1850, 2, 5, 0, 0}, {L"05.03.1999", 99, 2, 5, 0, 0},  {L"14:30", 70, 0, 1, 14, 30},
    };
    for (const Case& c : cases)
    {
        struct tm tmOut;
        std::memset(&tmOut, 0x5A, sizeof(tmOut));
        ASSERT_TRUE(imp->ParseDateTimeTm(tmOut, c.pszText, 0)) << c.pszText;
        EXPECT_EQ(tmOut.tm_year, c.nYears) << c.pszText;
        EXPECT_EQ(tmOut.tm_mon, c.nMonth) << c.pszText;
        EXPECT_EQ(tmOut.tm_mday, c.nDay) << c.pszText;
        EXPECT_EQ(tmOut.tm_hour, c.nHour) << c.pszText;
        EXPECT_EQ(tmOut.tm_min, c.nMinute) << c.pszText;
        EXPECT_EQ(tmOut.tm_sec, 0) << c.pszText;
        EXPECT_EQ(tmOut.tm_wday | tmOut.tm_yday | tmOut.tm_isdst, 0) << c.pszText;
    }
    struct tm tmOut;
    EXPECT_FALSE(imp->ParseDateTimeTm(tmOut, L"31.04.2024", 0));
}

TEST(NoOleDateTimeTest, UsShortDateWritesTwoDigitYearsThatReadBack)
{
    ScopedUserLocale locale(L"M/d/yy");
    ScopedNoOleImp imp;
    BOOL bFourDigitYear = TRUE;
    TCHAR chSeparator = 0;
    EXPECT_EQ(imp->GetDateFormatOrder(FALSE, bFourDigitYear, chSeparator), 1);
    EXPECT_FALSE(bFourDigitYear);
    EXPECT_EQ(chSeparator, L'/');

    const CString strText = Format(imp, {2024, 3, 5, 14, 30, 0, 0, 0});
    EXPECT_STREQ(strText, L"03/05/24 14:30:00");
    ExpectParses(imp, {strText, 3, TRUE, {2024, 3, 5, 14, 30, 0, 0, 0}});
    ExpectParses(imp, {L"03/05/1999", 3, TRUE, {1999, 3, 5, 0, 0, 0, 0, 0}});
}

TEST(NoOleDateTimeTest, YearFirstAndLettersOnlyPatterns)
{
    ScopedNoOleImp imp;
    {
        ScopedUserLocale locale(L"yyyy-MM-dd");
        imp->InitSettings();
        EXPECT_STREQ(Format(imp, {2024, 3, 5, 0, 0, 0, 0, 0}), L"2024-03-05");
        ExpectParses(imp, {L"2024-03-05", 3, TRUE, {2024, 3, 5, 0, 0, 0, 0, 0}});
    }
    {
        // Without a separator the fields follow each other.
        ScopedUserLocale locale(L"ddMMyy");
        imp->InitSettings();
        BOOL bFourDigitYear = TRUE;
        TCHAR chSeparator = L'?';
        EXPECT_EQ(imp->GetDateFormatOrder(FALSE, bFourDigitYear, chSeparator), 0);
        EXPECT_FALSE(bFourDigitYear);
        EXPECT_EQ(chSeparator, 0);
        EXPECT_STREQ(Format(imp, {2024, 3, 5, 14, 30, 0, 0, 0}), L"050324 14:30:00");
        ExpectParses(imp, {L"050324", 3, TRUE, {2024, 3, 5, 0, 0, 0, 0, 0}});
    }
}

TEST(NoOleDateTimeTest, EmptyPatternMeansMonthFirstAndKeepsTheRest)
{
    ScopedNoOleImp imp;
    {
        ScopedUserLocale locale(L"dd.MM.yyyy");
        imp->InitSettings();
    }
    ScopedUserLocale locale(L"");
    BOOL bFourDigitYear = FALSE;
    TCHAR chSeparator = 0;
    EXPECT_EQ(imp->GetDateFormatOrder(TRUE, bFourDigitYear, chSeparator), 1);
    EXPECT_TRUE(bFourDigitYear);
    EXPECT_EQ(chSeparator, L'.');
    EXPECT_STREQ(Format(imp, {2024, 3, 5, 0, 0, 0, 0, 0}), L"03.05.2024");
}

TEST(NoOleDateTimeTest, TimeSeparatorComesFromTheLocale)
{
    ScopedUserLocale locale(L"dd.MM.yyyy", L".");
    ScopedNoOleImp imp;
    EXPECT_EQ(imp->GetTimeSeparator(FALSE), L'.');
    EXPECT_STREQ(Format(imp, {2024, 0, 0, 9, 5, 7, 0, 0}), L"09.05.07");
    ExpectParses(imp, {L"9.05", 0, TRUE, {70, 0, 1, 9, 5, 0, 0, 0}});
}

TEST(NoOleDateTimeTest, FieldReadersTakeBlanksAndOneSeparator)
{
    struct Case
    {
        int (*pfnRead)(CString&);
        LPCWSTR pszText;
        int nValue;
        LPCWSTR pszRest;
    };
    const Case cases[] = {
        {GXParseDayField, L"05.03", 5, L".03"},     {GXParseDayField, L"  /31x", 31, L"x"},
        {GXParseDayField, L"32", -1, L"32"},        {GXParseDayField, L"0", -1, L"0"},
        {GXParseDayField, L"123", -1, L"123"},      {GXParseDayField, L"", -1, L""},
        {GXParseDayField, L".", -1, L""},           {GXParseMonthField, L"-12", 12, L""},
        {GXParseMonthField, L"13", -1, L"13"},      {GXParseMonthField, L"./3", -1, L"/3"},
        {GXParseYearField, L".2024", 2024, L""},    {GXParseYearField, L"24", 2024, L""},
        {GXParseYearField, L"99", 1999, L""},       {GXParseYearField, L"0024", 24, L""},
        {GXParseYearField, L"12345", -1, L"12345"},
    };
    for (const Case& c : cases)
    {
        CString strText = c.pszText;
        EXPECT_EQ(c.pfnRead(strText), c.nValue) << c.pszText;
        if (c.nValue >= 0)
        {
            EXPECT_STREQ(strText, c.pszRest) << c.pszText;
        }
    }
    CString strBlanks = L"  \t x";
    GXTrimLeadingBlanks(strBlanks);
    EXPECT_STREQ(strBlanks, L"\t x");

    const int anDays[][3] = {{2, 2024, 29},  {2, 1900, 28}, {2, 2000, 29}, {2, 2023, 28}, {4, 2024, 30},
                             {12, 2024, 31}, {0, 2024, 0},  {13, 2024, 0}, {-1, 2024, 0}};
    for (const auto& d : anDays)
        EXPECT_EQ(GXDaysInMonth(d[0], d[1]), d[2]) << d[0] << "/" << d[1];
}

TEST(NoOleDateTimeTest, InstalledBeforeInitItStaysOtherwiseTheVariantOneDoes)
{
    EnsureGridLibrary();
    CGXAppData* pAppData = GXGetAppDataPtr();
    CGXAbstractDateTimeImp* pPrevious = pAppData->m_pDateTimeImp;

    pAppData->m_pDateTimeImp = nullptr;
    GXInstallNoOleDateTimeImp();
    CGXAbstractDateTimeImp* pNoOle = pAppData->m_pDateTimeImp;
    ASSERT_NE(dynamic_cast<CGXNoOleDateTimeImp*>(pNoOle), nullptr);
    GXInstallNoOleDateTimeImp();
    GXInit(new CGXControlFactory);
    EXPECT_EQ(pAppData->m_pDateTimeImp, pNoOle);
    delete pNoOle;

    pAppData->m_pDateTimeImp = nullptr;
    GXInit(new CGXControlFactory);
    EXPECT_NE(dynamic_cast<CGXOleDateTimeImp*>(pAppData->m_pDateTimeImp), nullptr);
    delete pAppData->m_pDateTimeImp;
    pAppData->m_pDateTimeImp = pPrevious;
}

TEST_F(HiddenGridTest, SettingChangeMakesTheNextFormatUseTheNewShortDate)
{
    ScopedUserLocale locale(L"dd.MM.yyyy");
    ScopedNoOleImp imp;
    EXPECT_STREQ(Format(imp, {2024, 3, 5, 0, 0, 0, 0, 0}), L"05.03.2024");
    ScopedUserLocale::Set(L"yyyy/MM/dd", L":");
    EXPECT_STREQ(Format(imp, {2024, 3, 5, 0, 0, 0, 0, 0}), L"05.03.2024");
    m_grid.SendMessage(WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"intl"));
    EXPECT_STREQ(Format(imp, {2024, 3, 5, 0, 0, 0, 0, 0}), L"2024/03/05");
}
