// Dates and times read and written by fixed rules: the user's locale supplies only the order of
// day, month and year, the four-digit-year flag and the date and time separators, cached for the
// whole process.
#pragma once

#include <grid/core/AbstractImps.h>

class CGXNoOleDateTimeImp : public CGXAbstractDateTimeImp
{
public:
    // Re-reads the locale settings of the installed plug-in.
    void InitSettings() override;
    // The cached short-date order; the locale is read when nothing is cached or on refresh.
    int GetDateFormatOrder(BOOL bRefresh, BOOL& bFourDigitYear, TCHAR& chSeparator) override;
    // The cached time separator, a colon when the locale names none.
    TCHAR GetTimeSeparator(BOOL bRefresh) override;
    // "date", "time" or "date time"; a time alone gives 1 January of year 70 with month 0. An
    // order of 3 takes the installed plug-in's. After FALSE the record holds what was read.
    BOOL ParseDateTime(GXDateTimeParts& parts, LPCTSTR pszText, int nDateOrder) override;
    // The same into the C library's calendar record; a time alone falls on 1 January 1970.
    BOOL ParseDateTimeTm(struct tm& tmOut, LPCTSTR pszText, int nDateOrder) override;
    // The locale's field order with two-digit fields, the 24-hour clock with seconds.
    void FormatDateTime(CString& strText, const GXDateTimeParts& parts) override;
    void FormatTime(CString& strText, __time64_t time) override;
};

// Installs the plug-in into the application's empty date-time pointer; a set one stays.
void GXInstallNoOleDateTimeImp();

// The days of a month (1-12) in a Gregorian year; 0 for a month outside 1-12.
int GXDaysInMonth(int nMonth, int nYear);

// Field readers: each takes blanks and one separator character before its digits, removes what
// it read from the front of the text and returns the value, or -1 when no valid field is there.
// Years of one or two digits are 2000-2029 (0-29) or 1930-1999 (30-99).
int GXParseDayField(CString& strText);
int GXParseMonthField(CString& strText);
int GXParseYearField(CString& strText);

// Removes leading U+0020 blanks (only those).
void GXTrimLeadingBlanks(CString& strText);
