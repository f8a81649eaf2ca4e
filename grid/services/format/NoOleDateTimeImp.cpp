#include <grid/services/format/NoOleDateTimeImp.h>

#include <grid/core/AppData.h>
#include <grid/core/LongOperationImp.h>
#include <grid/services/ControlFactory.h>
#include <grid/services/format/OleDateTimeImp.h>

#include <cstring>
#include <cwctype>

namespace
{
constexpr LCID lcidUserDefault = 1024;
constexpr int nOrderUnread = 3;
constexpr int nLocaleBuffer = 128;

// The locale settings, shared by every instance of the plug-in.
int s_nDateOrder = nOrderUnread;
BOOL s_bFourDigitYear = FALSE;
TCHAR s_chDateSeparator = _T('/');
TCHAR s_chTimeSeparator = 0;

// A locale value that cannot be read counts as empty.
CString ReadLocale(LCTYPE type)
{
    WCHAR szValue[nLocaleBuffer] = {};
    if (::GetLocaleInfoW(lcidUserDefault, type, szValue, nLocaleBuffer) == 0)
        szValue[0] = 0;
    return szValue;
}

enum DateField
{
    fieldDay,
    fieldMonth,
    fieldYear
};

// The fields of each date order, front to back.
constexpr DateField fieldOrders[3][3] = {
    {fieldDay, fieldMonth, fieldYear},
    {fieldMonth, fieldDay, fieldYear},
    {fieldYear, fieldMonth, fieldDay},
};

struct FieldRule
{
    int nMaxDigits;
    int nMin;
    int nMax;
};

constexpr FieldRule fieldRules[3] = {{2, 1, 31}, {2, 1, 12}, {4, 0, 9999}};

bool IsDigit(TCHAR ch)
{
    return ch >= _T('0') && ch <= _T('9');
}

int ParseField(CString& strText, DateField field)
{
    if (strText.IsEmpty())
        return -1;
    GXTrimLeadingBlanks(strText);
    if (!strText.IsEmpty() && !IsDigit(strText[0]))
        strText = strText.Mid(1);
    const FieldRule& rule = fieldRules[field];
    int nDigits = 0;
    int nValue = 0;
    while (nDigits < strText.GetLength() && IsDigit(strText[nDigits]))
        nValue = nValue * 10 + (strText[nDigits++] - _T('0'));
    if (nDigits == 0 || nDigits > rule.nMaxDigits || nValue < rule.nMin || nValue > rule.nMax)
        return -1;
    // Two-digit years pivot at 30, so that the plug-in reads back what it writes.
    if (field == fieldYear && nDigits <= 2)
        nValue += nValue < 30 ? 2000 : 1900;
    strText = strText.Mid(nDigits);
    return nValue;
}

bool EndsWithNoCase(const CString& strText, LPCTSTR pszEnd)
{
    const int nEnd = static_cast<int>(std::wcslen(pszEnd));
    return strText.GetLength() >= nEnd && strText.Right(nEnd).CompareNoCase(pszEnd) == 0;
}

// A moment as read, before it goes to either record.
struct ParsedMoment
{
    int nYear = 0;
    int nMonth = 0;
    int nDay = 0;
    int nHour = 0;
    int nMinute = 0;
    int nSecond = 0;
    bool bTime = false;
    bool bDate = false;
};

// The hour, minute and second of a time text; FALSE when one is out of range.
BOOL ParseTime(CString strTime, TCHAR chTimeSeparator, ParsedMoment& moment)
{
    const int nSeparator = strTime.Find(chTimeSeparator);
    const int nNumber = _wtoi(strTime.Left(nSeparator));
    BOOL bResult = TRUE;
    if (EndsWithNoCase(strTime, _T("PM")) || EndsWithNoCase(strTime, _T("P")))
        moment.nHour = nNumber + 12 == 24 ? 12 : nNumber + 12;
    else
    {
        moment.nHour = nNumber;
        if (EndsWithNoCase(strTime, _T("AM")) || EndsWithNoCase(strTime, _T("A")))
        {
            if (moment.nHour > 12)
                bResult = FALSE;
            if (moment.nHour == 12)
                moment.nHour = 0;
        }
    }
    if (moment.nHour < 0 || moment.nHour > 24)
        bResult = FALSE;
    if (!bResult)
        return FALSE;
    strTime = strTime.Mid(nSeparator + 1);
    moment.nMinute = _wtoi(strTime.Left(2));
    if (moment.nMinute < 0 || moment.nMinute >= 60)
        return FALSE;
    if (!strTime.IsEmpty())
    {
        strTime = strTime.Mid(3);
        moment.nSecond = _wtoi(strTime.Left(2));
        if (moment.nSecond < 0 || moment.nSecond >= 60)
            return FALSE;
    }
    return TRUE;
}

// Reads the three date fields in the order's sequence; FALSE when a field is missing or the
// day does not exist in its month.
BOOL ParseDate(CString strDate, int nDateOrder, ParsedMoment& moment)
{
    BOOL bResult = strDate.SpanIncluding(_T("0123456789/-. ")).GetLength() == strDate.GetLength();
    if (strDate.GetLength() == 6 && strDate.SpanIncluding(_T("0123456789")).GetLength() == 6)
        strDate = strDate.Left(2) + _T('/') + strDate.Mid(2, 2) + _T('/') + strDate.Mid(4);
    if (nDateOrder == nOrderUnread)
    {
        BOOL bFourDigitYear = FALSE;
        TCHAR chSeparator = 0;
        nDateOrder = GXGetDateFormatOrder(FALSE, bFourDigitYear, chSeparator);
    }
    if (nDateOrder < 0 || nDateOrder > 2)
        return FALSE;
    moment.bDate = true;
    int* const apField[3] = {&moment.nDay, &moment.nMonth, &moment.nYear};
    for (DateField field : fieldOrders[nDateOrder])
    {
        *apField[field] = ParseField(strDate, field);
        if (*apField[field] < 0)
            return FALSE;
    }
    return bResult && moment.nDay <= GXDaysInMonth(moment.nMonth, moment.nYear);
}

// Splits the text at the blank before its time and reads both parts.
BOOL ParseMoment(LPCTSTR pszText, int nDateOrder, ParsedMoment& moment)
{
    const CString strText = pszText != nullptr ? pszText : _T("");
    const TCHAR chTimeSeparator = GXGetTimeSeparator(FALSE);
    const int nBlank = strText.Find(_T(' '));
    const int nTimeSeparator = strText.Find(chTimeSeparator);
    CString strDate = strText;
    CString strTime;
    if (nBlank >= 0 && nTimeSeparator > nBlank)
    {
        strTime = strText.Mid(nBlank + 1);
        strDate = strText.Left(nBlank);
    }
    else if (nTimeSeparator >= 0)
    {
        strTime = strText;
        strDate.Empty();
    }
    GXTrimLeadingBlanks(strDate);
    GXTrimLeadingBlanks(strTime);

    BOOL bResult = TRUE;
    if (!strTime.IsEmpty())
    {
        moment.bTime = true;
        bResult = ParseTime(strTime, chTimeSeparator, moment);
    }
    if (!strDate.IsEmpty())
        return ParseDate(strDate, nDateOrder, moment) && bResult;
    return bResult;
}

CString FormatDate(const GXDateTimeParts& parts, int nDateOrder, BOOL bFourDigitYear, TCHAR chSeparator)
{
    CString strDate;
    if (nDateOrder < 0 || nDateOrder > 2)
        return strDate;
    for (DateField field : fieldOrders[nDateOrder])
    {
        // A letters-only pattern has no separator: the fields follow each other.
        if (!strDate.IsEmpty() && chSeparator != 0)
            strDate += chSeparator;
        CString strField;
        if (field == fieldYear)
            strField.Format(bFourDigitYear ? _T("%04d") : _T("%02d"), bFourDigitYear ? parts.nYear : parts.nYear % 100);
        else
            strField.Format(_T("%02d"), field == fieldDay ? parts.nDay : parts.nMonth);
        strDate += strField;
    }
    return strDate;
}
} // namespace

void GXInstallNoOleDateTimeImp()
{
    GXInstallImp<CGXNoOleDateTimeImp>(GXGetAppDataPtr()->m_pDateTimeImp);
}

int GXDaysInMonth(int nMonth, int nYear)
{
    static constexpr int anDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (nMonth < 1 || nMonth > 12)
        return 0;
    const bool bLeap = (nYear % 4 == 0 && nYear % 100 != 0) || nYear % 400 == 0;
    return anDays[nMonth - 1] + (nMonth == 2 && bLeap ? 1 : 0);
}

int GXParseDayField(CString& strText)
{
    return ParseField(strText, fieldDay);
}

int GXParseMonthField(CString& strText)
{
    return ParseField(strText, fieldMonth);
}

int GXParseYearField(CString& strText)
{
    return ParseField(strText, fieldYear);
}

void GXTrimLeadingBlanks(CString& strText)
{
    strText.TrimLeft(_T(' '));
}

void CGXNoOleDateTimeImp::InitSettings()
{
    BOOL bFourDigitYear = FALSE;
    TCHAR chSeparator = 0;
    GXGetDateFormatOrder(TRUE, bFourDigitYear, chSeparator);
    GXGetTimeSeparator(TRUE);
}

int CGXNoOleDateTimeImp::GetDateFormatOrder(BOOL bRefresh, BOOL& bFourDigitYear, TCHAR& chSeparator)
{
    if (s_nDateOrder == nOrderUnread || bRefresh)
    {
        CString strPattern = ReadLocale(LOCALE_SSHORTDATE);
        s_nDateOrder = 1;
        if (!strPattern.IsEmpty())
        {
            strPattern.MakeUpper();
            static constexpr TCHAR szOrderLetters[] = _T("DMY");
            if (LPCTSTR pszLetter = std::wcschr(szOrderLetters, strPattern[0]))
                s_nDateOrder = static_cast<int>(pszLetter - szOrderLetters);
            s_bFourDigitYear = strPattern.Find(_T("YYYY")) >= 0;
            s_chDateSeparator = 0;
            for (int i = 0; i < strPattern.GetLength() && s_chDateSeparator == 0; ++i)
                if (!std::iswalpha(strPattern[i]))
                    s_chDateSeparator = strPattern[i];
        }
    }
    bFourDigitYear = s_bFourDigitYear;
    chSeparator = s_chDateSeparator;
    return s_nDateOrder;
}

TCHAR CGXNoOleDateTimeImp::GetTimeSeparator(BOOL bRefresh)
{
    if (s_chTimeSeparator == 0 || bRefresh)
    {
        const CString strSeparator = ReadLocale(LOCALE_STIME);
        s_chTimeSeparator = strSeparator.IsEmpty() ? _T(':') : strSeparator[0];
    }
    return s_chTimeSeparator;
}

BOOL CGXNoOleDateTimeImp::ParseDateTime(GXDateTimeParts& parts, LPCTSTR pszText, int nDateOrder)
{
    parts = {};
    ParsedMoment moment;
    const BOOL bResult = ParseMoment(pszText, nDateOrder, moment);
    if (moment.bTime)
    {
        parts.nYear = 70;
        parts.nDay = 1;
        parts.nHour = static_cast<WORD>(moment.nHour);
        parts.nMinute = static_cast<WORD>(moment.nMinute);
        parts.nSecond = static_cast<WORD>(moment.nSecond);
    }
    if (moment.bDate)
    {
        parts.nYear = static_cast<short>(moment.nYear);
        parts.nMonth = static_cast<WORD>(moment.nMonth);
        parts.nDay = static_cast<WORD>(moment.nDay);
    }
    return bResult;
}

BOOL CGXNoOleDateTimeImp::ParseDateTimeTm(struct tm& tmOut, LPCTSTR pszText, int nDateOrder)
{
    std::memset(&tmOut, 0, sizeof(tmOut));
    ParsedMoment moment;
    const BOOL bResult = ParseMoment(pszText, nDateOrder, moment);
    if (moment.bTime)
    {
        tmOut.tm_year = 70;
        tmOut.tm_mday = 1;
        tmOut.tm_hour = moment.nHour;
        tmOut.tm_min = moment.nMinute;
        tmOut.tm_sec = moment.nSecond;
    }
    if (moment.bDate)
    {
        tmOut.tm_mday = moment.nDay;
        tmOut.tm_mon = moment.nMonth - 1;
        tmOut.tm_year = moment.nYear >= 1900 ? moment.nYear - 1900
                        : moment.nYear <= 37 ? moment.nYear + 100
                                             : moment.nYear;
    }
    return bResult;
}

void CGXNoOleDateTimeImp::FormatDateTime(CString& strText, const GXDateTimeParts& parts)
{
    const bool bTime = parts.nHour != 0 || parts.nMinute != 0 || parts.nSecond != 0;
    const bool bDate = parts.nMonth != 0;
    BOOL bFourDigitYear = FALSE;
    TCHAR chDateSeparator = 0;
    const int nDateOrder = GXGetDateFormatOrder(FALSE, bFourDigitYear, chDateSeparator);
    const TCHAR chTimeSeparator = GXGetTimeSeparator(FALSE);

    strText = bDate ? FormatDate(parts, nDateOrder, bFourDigitYear, chDateSeparator) : CString();
    if (bTime)
    {
        CString strTime;
        strTime.Format(_T("%02d%c%02d%c%02d"), parts.nHour, chTimeSeparator, parts.nMinute, chTimeSeparator,
                       parts.nSecond);
        strText = bDate ? strText + _T(' ') + strTime : strTime;
    }
}

void CGXNoOleDateTimeImp::FormatTime(CString& strText, __time64_t time)
{
    GXFormatLocalTime(strText, time);
}
