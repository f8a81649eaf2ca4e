// Dates and times read and written through the system's variant date functions in the user's
// default locale. The locale itself decides date order and separators.
#pragma once

#include <grid/core/AbstractImps.h>

class CGXOleDateTimeImp : public CGXAbstractDateTimeImp
{
public:
    void InitSettings() override;
    int GetDateFormatOrder(BOOL bRefresh, BOOL& bFourDigitYear, TCHAR& chSeparator) override;
    TCHAR GetTimeSeparator(BOOL bRefresh) override;
    BOOL ParseDateTime(GXDateTimeParts& parts, LPCTSTR pszText, int nDateOrder) override;
    BOOL ParseDateTimeTm(struct tm& tmOut, LPCTSTR pszText, int nDateOrder) override;
    void FormatDateTime(CString& strText, const GXDateTimeParts& parts) override;
    void FormatTime(CString& strText, __time64_t time) override;
};

// A time in seconds since 1970 as the C library's local date and time: the date alone at
// midnight, empty where local time cannot convert it. Both date-time plug-ins format so.
void GXFormatLocalTime(CString& strText, __time64_t time);
