// Cell values as display text by the style's format id and places, and typed numbers read back
// with the format and places their form suggests. Separators are the application data's.
#pragma once

#include <grid/core/AbstractImps.h>

class CGXNumberFormattingImp : public CGXAbstractNumberFormattingImp
{
public:
    CString FormatValue(const CGXStyle& style, LPCTSTR pszValue, UINT nValueType) override;
    BOOL ParseNumber(LPCTSTR pszText, double& dValue, int* pnFormat, int* pnPlaces) override;

private:
    static CString FormatNumber(int nFormat, int nPlaces, double dValue);
    static CString FormatFraction(int nPlaces, double dValue);
    // Ids 4, 5 and 23: the absolute value with separators, between the sign texts.
    static CString FormatGrouped(double dValue, int nPlaces, LPCTSTR pszPositive, LPCTSTR pszNegative);
    static CString FormatLocaleNumber(int nPlaces, double dValue);
};
