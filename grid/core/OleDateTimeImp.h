// Dates and times read and written through the system's variant date functions in the user's
// default locale. The locale itself decides date order and separators.
#pragma once

#include <grid/core/AbstractImps.h>

class CGXOleDateTimeImp : public CGXAbstractDateTimeImp
{
public:
    void InitSettings() override;
    int GetDateFormatOrder(BOOL bRefresh, CString& strOrder, TCHAR& chSeparator) override;
    TCHAR GetTimeSeparator(BOOL bRefresh) override;
    BOOL ParseDateTime(GXDateTimeParts& parts, LPCTSTR pszText, int nDateOrder) override;
    BOOL ParseDateTimeTm(struct tm& tmOut, LPCTSTR pszText, int nDateOrder) override;
    void FormatDateTime(CString& strText, const GXDateTimeParts& parts) override;
    void FormatTime(CString& strText, __time64_t time) override;
};
