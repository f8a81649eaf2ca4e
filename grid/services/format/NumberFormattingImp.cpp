#include <grid/services/format/NumberFormattingImp.h>

#include <afx/OleDateTime.h>

#include <grid/core/AppData.h>
#include <grid/core/Style.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cwchar>

namespace
{
constexpr int idText = 15;
constexpr int idHidden = 12;
constexpr LCID lcidUserDefault = 1024;
constexpr double dPercentLimit = 1.7976931348623156e306;
constexpr int nMaxParsedLength = 257;
constexpr int nMaxThousandSeparators = 19;

TCHAR DecimalSeparator()
{
    return GXGetAppDataPtr()->m_szDecimalSeparator[0];
}

TCHAR ThousandSeparator()
{
    return GXGetAppDataPtr()->m_szThousandSeparator[0];
}

// Conversions of doubles outside the 32-bit range to an integer are undefined: clamp first.
int ClampToInt(double dValue)
{
    return static_cast<int>(std::clamp(dValue, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}

// A printf pattern with the places filled in, e.g. "%.2lf" from "%%.%dlf".
CString PlacesPattern(LPCTSTR pszTemplate, int nPlaces)
{
    CString strPattern;
    strPattern.Format(pszTemplate, nPlaces);
    return strPattern;
}

CString FormatWithPlaces(LPCTSTR pszTemplate, int nPlaces, double dValue)
{
    CString strText;
    strText.Format(PlacesPattern(pszTemplate, nPlaces), dValue);
    return strText;
}

// A thousands separator after each integer digit that leaves a multiple of three to come.
CString InsertThousandSeparators(const CString& strText)
{
    int nIntegerDigits = strText.Find(DecimalSeparator());
    if (nIntegerDigits < 0)
        nIntegerDigits = strText.GetLength();
    CString strResult;
    for (int i = 0; i < strText.GetLength(); ++i)
    {
        strResult += strText[i];
        const int nRemaining = nIntegerDigits - 1 - i;
        if (i < nIntegerDigits && nRemaining > 0 && nRemaining % 3 == 0)
            strResult += ThousandSeparator();
    }
    return strResult;
}

double ValueOfText(const CString& strValue)
{
    CString strText = strValue;
    if (DecimalSeparator() != '.')
    {
        const int nPos = strText.Find('.');
        if (nPos >= 0)
            strText.SetAt(nPos, DecimalSeparator());
    }
    char szAnsi[64] = {};
    ::WideCharToMultiByte(CP_ACP, 0, strText, std::min(strText.GetLength(), 63), szAnsi, 63, nullptr, nullptr);
    return std::atof(szAnsi);
}

struct DatePattern
{
    int nFormat;
    LPCTSTR pszPattern;
};

const DatePattern datePatterns[] = {
    {8, _T("%d-%b-%y")},  {9, _T("%d-%b")},     {10, _T("%b-%y")},       {16, _T("%d.%m.%Y")},
    {17, _T("%Y-%m-%d")}, {25, _T("%I:%M %p")}, {26, _T("%I:%M:%S %p")}, {27, _T("%H:%M")},
};

LPCTSTR DatePatternOf(int nFormat)
{
    for (const DatePattern& entry : datePatterns)
        if (entry.nFormat == nFormat)
            return entry.pszPattern;
    return nullptr;
}

bool IsBlank(TCHAR ch)
{
    return ch == ' ';
}
} // namespace

CString CGXNumberFormattingImp::FormatValue(const CGXStyle& style, LPCTSTR pszValue, UINT nValueType)
{
    CString strValue = pszValue != nullptr ? CString(pszValue) : style.GetValue();
    if (pszValue == nullptr)
        nValueType = style.GetValueType();
    if (!style.GetInclude(CGXStyle::inclFormat))
        return strValue;
    int nFormat = style.GetFormat();
    if (nFormat == idHidden)
        return CString();
    if (nValueType != CGXStyle::valueNumber)
        nFormat = idText;
    switch (nFormat)
    {
    case 0:
    case idText:
    case 19:
    case 20:
    case 21:
    case 22:
        return strValue;
    default:
        return FormatNumber(nFormat, style.GetPlaces(), ValueOfText(strValue));
    }
}

CString CGXNumberFormattingImp::FormatNumber(int nFormat, int nPlaces, double dValue)
{
    if (LPCTSTR pszPattern = DatePatternOf(nFormat))
        return COleDateTime(dValue).Format(pszPattern);
    CString strText;
    switch (nFormat)
    {
    case 1:
        return FormatWithPlaces(_T("%%.%dle"), nPlaces, dValue);
    case 2:
        return FormatWithPlaces(_T("%%.%dlf"), nPlaces, dValue);
    case 3:
        return FormatWithPlaces(_T("%%.%dlg"), nPlaces, dValue);
    case 4:
        return FormatGrouped(dValue, nPlaces, _T("$%s "), _T("($%s)"));
    case 5:
        return FormatGrouped(dValue, nPlaces, _T("%s "), _T("(%s)"));
    case 6:
        strText.Format(_T("0x%X"), static_cast<unsigned>(ClampToInt(std::trunc(std::fabs(dValue)))));
        return strText;
    case 7:
        return dValue >= 0 && dValue < 1 ? _T("0") : dValue >= 1 && dValue < 2 ? _T("1") : _T("?");
    case 11:
        return COleDateTime(std::floor(dValue)).Format(0, lcidUserDefault);
    case 13:
        return COleDateTime(std::fmod(dValue, 1.0)).Format(0, lcidUserDefault);
    case 14:
        if (dValue >= dPercentLimit)
            return _T(" Percent! ");
        return FormatWithPlaces(_T("%%.%dlf%%%%"), nPlaces, dValue * 100);
    case 18:
        return COleDateTime(dValue).Format(0, lcidUserDefault);
    case 23:
        return FormatGrouped(dValue, nPlaces, _T(" %s "), _T("(%s)"));
    case 24:
        return FormatFraction(nPlaces, dValue);
    case 28:
        return FormatLocaleNumber(nPlaces, dValue);
    default:
        return _T(" Format? ");
    }
}

CString CGXNumberFormattingImp::FormatGrouped(double dValue, int nPlaces, LPCTSTR pszPositive, LPCTSTR pszNegative)
{
    const CString strDigits = InsertThousandSeparators(FormatWithPlaces(_T("%%.%dlf"), nPlaces, std::fabs(dValue)));
    CString strText;
    strText.Format(dValue >= 0 ? pszPositive : pszNegative, static_cast<LPCTSTR>(strDigits));
    return strText;
}

CString CGXNumberFormattingImp::FormatFraction(int nPlaces, double dValue)
{
    static const int primes[] = {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37};
    if (nPlaces == 0 || nPlaces > 6)
        nPlaces = 3;
    const double dAbs = std::fabs(dValue);
    double dWhole = std::floor(dAbs);
    const int nDenominatorBase = static_cast<int>(std::pow(10.0, nPlaces + 2));
    int nDenominator = nDenominatorBase;
    // Rounded, not truncated: 2.3 would otherwise show 29999/100000.
    int nNumerator = static_cast<int>(std::lround((dAbs - dWhole) * nDenominator));
    if (nNumerator >= nDenominator)
    {
        dWhole += 1;
        nNumerator -= nDenominator;
    }
    for (int nPrime : primes)
    {
        if (nPrime * nPrime > nNumerator)
            break;
        while (nNumerator % nPrime == 0 && nDenominator % nPrime == 0)
        {
            nNumerator /= nPrime;
            nDenominator /= nPrime;
        }
    }
    CString strText;
    strText.Format(_T(" %d/%d"), nNumerator, nDenominator);
    if (dWhole >= 1)
    {
        CString strWhole;
        strWhole.Format(_T("%d"), ClampToInt(dWhole));
        strText = strWhole + strText;
    }
    return (dValue < 0 ? _T("-") : _T(" ")) + strText;
}

CString CGXNumberFormattingImp::FormatLocaleNumber(int nPlaces, double dValue)
{
    CString strNumber;
    strNumber.Format(_T("%.14g"), dValue);
    TCHAR szResult[256];
    if (::GetNumberFormatW(lcidUserDefault, 0, strNumber, nullptr, szResult, 256) == 0)
        return FormatGrouped(dValue, nPlaces, _T("%s "), _T("(%s)"));
    CString strText = szResult;
    if (!strText.IsEmpty() && std::iswdigit(strText[strText.GetLength() - 1]))
        strText += ' ';
    return strText;
}

BOOL CGXNumberFormattingImp::ParseNumber(LPCTSTR pszText, double& dValue, int* pnFormat, int* pnPlaces)
{
    if (pszText == nullptr)
        return FALSE;
    const TCHAR chDecimal = DecimalSeparator();
    const TCHAR chThousand = ThousandSeparator();
    LPCTSTR p = pszText;
    while (IsBlank(*p))
        ++p;
    const bool bParentheses = *p == '(';
    if (bParentheses)
        ++p;
    const bool bCurrency = *p == '$';
    if (bCurrency)
        ++p;

    CString strKept;
    int anSeparators[nMaxThousandSeparators];
    int nSeparators = 0;
    int nDecimalPos = -1, nExponentPos = -1, nClosePos = -1, nEndPos = -1;
    int nDigits = 0, nDecimals = 0;
    int nPos = 0;
    for (; p[nPos] != 0; ++nPos)
    {
        const TCHAR ch = p[nPos];
        if (nPos >= nMaxParsedLength)
            return FALSE;
        if (nEndPos >= 0)
        {
            if (!IsBlank(ch))
                return FALSE;
            continue;
        }
        if (ch == chThousand)
        {
            if (nSeparators == nMaxThousandSeparators)
                return FALSE;
            anSeparators[nSeparators++] = nPos;
            continue;
        }
        if (ch == chDecimal)
        {
            if (nDecimalPos >= 0)
                return FALSE;
            nDecimalPos = nPos;
        }
        else if (ch == 'e' || ch == 'E')
        {
            if (nExponentPos >= 0 || bParentheses)
                return FALSE;
            nExponentPos = nPos;
        }
        else if (ch == '+' || ch == '-')
        {
            if (bParentheses)
                return FALSE;
        }
        else if (ch >= '0' && ch <= '9')
        {
            if (nExponentPos < 0)
            {
                ++nDigits;
                if (nDecimalPos >= 0)
                    ++nDecimals;
            }
        }
        else if (ch == ')' && bParentheses)
        {
            nClosePos = nPos;
            nEndPos = nPos + 1;
            continue;
        }
        else if (IsBlank(ch))
        {
            nEndPos = nPos;
            continue;
        }
        else
            return FALSE;
        // The C runtime reads the number: its decimal point is '.' whatever the locale's is.
        strKept += ch == chDecimal ? _T('.') : ch;
    }
    if (nEndPos < 0)
        nEndPos = nPos;
    if (bParentheses && nClosePos < 0)
        return FALSE;

    const int nReference = nDecimalPos >= 0    ? nDecimalPos
                           : nClosePos >= 0    ? nClosePos
                           : nExponentPos >= 0 ? nExponentPos
                                               : nEndPos;
    for (int i = 0; i < nSeparators; ++i)
        if (anSeparators[i] > nReference || (nReference - anSeparators[i]) % 4 != 0)
            return FALSE;

    if (strKept.IsEmpty() || (strKept.GetLength() == 1 && !std::iswdigit(strKept[0])))
        return FALSE;
    LPTSTR pszEnd = nullptr;
    double dParsed = std::wcstod(strKept, &pszEnd);
    if (pszEnd == nullptr || *pszEnd != 0)
        return FALSE;
    if (bParentheses)
        dParsed = -dParsed;

    nDecimals = std::min(nDecimals, 15);
    nDigits = std::min(nDigits, 16);
    dValue = dParsed;
    const bool bExponent = nExponentPos >= 0;
    if (pnFormat != nullptr)
        *pnFormat = bExponent ? 1 : bCurrency ? 4 : (nSeparators > 0 || bParentheses) ? 5 : 2;
    if (pnPlaces != nullptr)
        *pnPlaces = bExponent ? std::max(nDigits - 1, 0) : nDecimals;
    return TRUE;
}
