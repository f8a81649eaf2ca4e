#include <grid/services/format/OleDateTimeImp.h>

#include <afx/OleDateTime.h>

#include <cstring>

namespace
{
constexpr LCID lcidUserDefault = 1024;
constexpr int nNoFixedOrder = 3;

// The parsed moment; invalid for text that is no date.
COleDateTime ParseText(LPCTSTR pszText)
{
    COleDateTime date;
    if (pszText == nullptr || !date.ParseDateTime(pszText, 0, lcidUserDefault))
        date.SetStatus(COleDateTime::invalid);
    return date;
}
} // namespace

void CGXOleDateTimeImp::InitSettings()
{
}

int CGXOleDateTimeImp::GetDateFormatOrder(BOOL /*bRefresh*/, BOOL& /*bFourDigitYear*/, TCHAR& /*chSeparator*/)
{
    return nNoFixedOrder;
}

TCHAR CGXOleDateTimeImp::GetTimeSeparator(BOOL /*bRefresh*/)
{
    return 0;
}

BOOL CGXOleDateTimeImp::ParseDateTime(GXDateTimeParts& parts, LPCTSTR pszText, int /*nDateOrder*/)
{
    parts = {};
    const COleDateTime date = ParseText(pszText);
    if (date.GetStatus() != COleDateTime::valid)
        return FALSE;
    parts.nYear = static_cast<short>(date.GetYear());
    parts.nMonth = static_cast<WORD>(date.GetMonth());
    parts.nDay = static_cast<WORD>(date.GetDay());
    parts.nHour = static_cast<WORD>(date.GetHour());
    parts.nMinute = static_cast<WORD>(date.GetMinute());
    parts.nSecond = static_cast<WORD>(date.GetSecond());
    return TRUE;
}

BOOL CGXOleDateTimeImp::ParseDateTimeTm(struct tm& tmOut, LPCTSTR pszText, int nDateOrder)
{
    std::memset(&tmOut, 0, sizeof(tmOut));
    GXDateTimeParts parts;
    if (!ParseDateTime(parts, pszText, nDateOrder))
        return FALSE;
    tmOut.tm_sec = parts.nSecond;
    tmOut.tm_min = parts.nMinute;
    tmOut.tm_hour = parts.nHour;
    tmOut.tm_mday = parts.nDay;
    tmOut.tm_mon = parts.nMonth - 1;
    tmOut.tm_year = parts.nYear - 1900;
    return TRUE;
}

void CGXOleDateTimeImp::FormatDateTime(CString& strText, const GXDateTimeParts& parts)
{
    const bool bTime = parts.nHour != 0 || parts.nMinute != 0 || parts.nSecond != 0;
    // Month 0 means a time of day alone, which no calendar date could carry.
    COleDateTime date;
    if (bTime && parts.nMonth == 0)
        date.SetTime(parts.nHour, parts.nMinute, parts.nSecond);
    else
        date.SetDateTime(parts.nYear, parts.nMonth, parts.nDay, parts.nHour, parts.nMinute, parts.nSecond);
    const DWORD dwFlags = LOCALE_NOUSEROVERRIDE | (!bTime              ? VAR_DATEVALUEONLY
                                                   : parts.nMonth == 0 ? VAR_TIMEVALUEONLY
                                                                       : 0);
    strText = date.Format(dwFlags, lcidUserDefault);
}

void CGXOleDateTimeImp::FormatTime(CString& strText, __time64_t time)
{
    GXFormatLocalTime(strText, time);
}

void GXFormatLocalTime(CString& strText, __time64_t time)
{
    strText.Empty();
    struct tm local;
    if (_localtime64_s(&local, &time) != 0)
        return;
    // Local time always knows its month, so a time of day shows with its date.
    const bool bTime = local.tm_hour != 0 || local.tm_min != 0 || local.tm_sec != 0;
    LPCTSTR pszPattern = bTime ? _T("%c") : _T("%x");
    TCHAR szText[128];
    if (std::wcsftime(szText, 128, pszPattern, &local) > 0)
        strText = szText;
}
