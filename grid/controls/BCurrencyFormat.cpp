// The currency edit's number format: formatting, parsing and the locale's currency settings.
#include <grid/controls/BCurrencyFormat.h>

#include <clocale>
#include <cmath>
#include <cwchar>
#include <iterator>

namespace
{
struct Pattern
{
    LPCTSTR pszPrefix;
    LPCTSTR pszSuffix;
};

// "%s" stands for the currency symbol; the orders are those of the locale's currency formats.
constexpr Pattern positivePatterns[CGXBCurrencyFormat::nPositivePatterns] = {
    {_T("%s"), _T("")},
    {_T(""), _T("%s")},
    {_T("%s "), _T("")},
    {_T(""), _T(" %s")},
};

constexpr Pattern negativePatterns[CGXBCurrencyFormat::nNegativePatterns] = {
    {_T("(%s"), _T(")")}, {_T("-%s"), _T("")},    {_T("%s-"), _T("")},   {_T("%s"), _T("-")},
    {_T("("), _T("%s)")}, {_T("-"), _T("%s")},    {_T(""), _T("-%s")},   {_T(""), _T("%s-")},
    {_T("-"), _T(" %s")}, {_T("-%s "), _T("")},   {_T(""), _T(" %s-")},  {_T("%s "), _T("-")},
    {_T("%s -"), _T("")}, {_T(""), _T("- %s")},   {_T("(%s "), _T(")")}, {_T("("), _T(" %s)")},
};

constexpr int nMaxLimit = 15;
constexpr int nMaxDecimals = 15;

BOOL IsDigit(TCHAR ch)
{
    return ch >= _T('0') && ch <= _T('9');
}

BOOL IsAllDigits(LPCTSTR psz, int nLength)
{
    for (int i = 0; i < nLength; ++i)
        if (!IsDigit(psz[i]))
            return FALSE;
    return TRUE;
}

void AppendPatternPart(CString& strOut, LPCTSTR pszPart, const CString& strSymbol)
{
    for (; *pszPart != 0; ++pszPart)
    {
        if (pszPart[0] == _T('%') && pszPart[1] == _T('s'))
        {
            strOut += strSymbol;
            ++pszPart;
        }
        else
            strOut += *pszPart;
    }
}

CString LocaleText(LCTYPE type)
{
    const int nLength = ::GetLocaleInfoW(LOCALE_USER_DEFAULT, type, nullptr, 0);
    CString strValue;
    if (nLength <= 1)
        return strValue;
    const int nRead = ::GetLocaleInfoW(LOCALE_USER_DEFAULT, type, strValue.GetBuffer(nLength), nLength);
    strValue.ReleaseBuffer(nRead > 0 ? nRead - 1 : 0);
    return strValue;
}

int LocaleInt(LCTYPE type, int nDefault)
{
    const CString strValue = LocaleText(type);
    return strValue.IsEmpty() ? nDefault : _ttoi(strValue);
}

// The group sizes of a grouping text: the sizes in order and whether the last one repeats.
struct Groups
{
    int anSizes[16] = {};
    int nCount = 0;
    BOOL bRepeat = FALSE;
};

Groups ParseGrouping(LPCTSTR pszGrouping)
{
    Groups groups;
    LPCTSTR psz = pszGrouping;
    while (*psz != 0)
    {
        const int nSize = _ttoi(psz);
        if (nSize <= 0)
        {
            groups.bRepeat = groups.nCount > 0;
            break;
        }
        if (groups.nCount < static_cast<int>(std::size(groups.anSizes)))
            groups.anSizes[groups.nCount++] = nSize;
        while (*psz != 0 && *psz != _T(';'))
            ++psz;
        if (*psz == _T(';'))
            ++psz;
    }
    return groups;
}
} // namespace

CGXBCurrencyFormat::CGXBCurrencyFormat() = default;

CGXBCurrencyFormat::CGXBCurrencyFormat(BOOL bFromLocale)
{
    if (bFromLocale)
        LoadFromLocale();
}

CGXBCurrencyFormat::CGXBCurrencyFormat(const CGXBCurrencyFormat& other)
{
    Assign(other);
}

CGXBCurrencyFormat& CGXBCurrencyFormat::operator=(const CGXBCurrencyFormat& other)
{
    Assign(other);
    return *this;
}

CGXBCurrencyFormat::~CGXBCurrencyFormat() = default;

void CGXBCurrencyFormat::LoadFromLocale()
{
    m_bLeadingZero = LocaleInt(LOCALE_ILZERO, 1) != 0;
    const CString strSymbol = LocaleText(LOCALE_SCURRENCY);
    m_strSymbol = strSymbol.IsEmpty() ? _T("$") : strSymbol;
    const CString strGrouping = LocaleText(LOCALE_SMONGROUPING);
    m_strGrouping = strGrouping.IsEmpty() ? _T("3;0") : strGrouping;
    const CString strThousands = LocaleText(LOCALE_SMONTHOUSANDSEP);
    m_chThousands = strThousands.IsEmpty() ? _T(',') : strThousands[0];
    const CString strDecimal = LocaleText(LOCALE_SMONDECIMALSEP);
    m_chDecimal = strDecimal.IsEmpty() ? _T('.') : strDecimal[0];
    SetPositivePattern(LocaleInt(LOCALE_ICURRENCY, 0));
    SetNegativePattern(LocaleInt(LOCALE_INEGCURR, 0));
    SetDecimalDigits(LocaleInt(LOCALE_ICURRDIGITS, 2));
    // LOCALE_IDIGITS counts the fractional digits of plain numbers, not a limit on the integer
    // part: an amount from the locale shows all its integer digits.
    m_nIntegerDigits = noLimit;
}

TCHAR CGXBCurrencyFormat::RuntimeDecimalPoint()
{
    const lconv* pConv = std::localeconv();
    if (pConv == nullptr || pConv->decimal_point == nullptr || pConv->decimal_point[0] == 0)
        return _T('.');
    return static_cast<TCHAR>(static_cast<unsigned char>(pConv->decimal_point[0]));
}

int CGXBCurrencyFormat::FindLastChar(LPCTSTR pszText, TCHAR ch) const
{
    if (ch == 0)
        ch = m_chDecimal;
    if (ch == 0)
        return -1;
    LPCTSTR pszFound = _tcsrchr(pszText, ch);
    return pszFound != nullptr ? static_cast<int>(pszFound - pszText) : -1;
}

BOOL CGXBCurrencyFormat::FindNumberSpan(LPCTSTR pszText, int& nFirst, int& nLast) const
{
    int i = static_cast<int>(_tcslen(pszText)) - 1;
    while (i >= 0 && !IsDigit(pszText[i]))
        --i;
    if (i < 0)
        return FALSE;
    nLast = i;
    BOOL bDecimalSeen = FALSE;
    for (; i > 0; --i)
    {
        const TCHAR ch = pszText[i - 1];
        if (IsDigit(ch) || (m_chThousands != 0 && ch == m_chThousands))
            continue;
        if (ch == m_chDecimal && m_chDecimal != 0 && !bDecimalSeen)
        {
            bDecimalSeen = TRUE;
            continue;
        }
        break;
    }
    nFirst = i;
    return TRUE;
}

BOOL CGXBCurrencyFormat::ParseValue(LPCTSTR pszText, double& dValue, BOOL& bNegative) const
{
    bNegative = FALSE;
    dValue = 0.0;
    if (pszText == nullptr || *pszText == 0)
        return TRUE;
    CString strText(pszText);
    strText.Trim(_T(' '));
    const int nOpen = strText.Find(_T('('));
    const int nClose = strText.ReverseFind(_T(')'));
    if ((nOpen >= 0 && nClose < nOpen) || (nOpen < 0 && nClose >= 0))
        return FALSE;
    BOOL bNegativeText = nOpen >= 0;
    int nFirst = 0;
    int nLast = 0;
    if (!FindNumberSpan(strText, nFirst, nLast))
        return FALSE;
    LPCTSTR psz = strText;
    if (_tcschr(strText.Left(nFirst), _T('-')) != nullptr || _tcschr(psz + nLast + 1, _T('-')) != nullptr)
        bNegativeText = TRUE;

    // The integer digits without separators, the runtime's point, the fraction.
    const int nSpan = nLast - nFirst + 1;
    int nDecimal = -1;
    for (int i = nSpan - 1; i >= 0 && m_chDecimal != 0; --i)
        if (psz[nFirst + i] == m_chDecimal)
        {
            nDecimal = i;
            break;
        }
    const int nIntegerLength = nDecimal >= 0 ? nDecimal : nSpan;
    CString strNumber;
    LPTSTR pszNumber = strNumber.GetBuffer(nSpan + 1);
    int nOut = 0;
    for (int i = 0; i < nIntegerLength; ++i)
    {
        const TCHAR ch = psz[nFirst + i];
        if (m_chThousands != 0 && ch == m_chThousands)
            continue;
        if (!IsDigit(ch))
        {
            strNumber.ReleaseBuffer(0);
            return FALSE;
        }
        pszNumber[nOut++] = ch;
    }
    if (nDecimal >= 0)
    {
        const int nFraction = nSpan - nDecimal - 1;
        if (!IsAllDigits(psz + nFirst + nDecimal + 1, nFraction))
        {
            strNumber.ReleaseBuffer(0);
            return FALSE;
        }
        pszNumber[nOut++] = RuntimeDecimalPoint();
        wmemcpy(pszNumber + nOut, psz + nFirst + nDecimal + 1, static_cast<size_t>(nFraction));
        nOut += nFraction;
    }
    strNumber.ReleaseBuffer(nOut);
    const double dRead = std::wcstod(strNumber, nullptr);
    // A digit run beyond a double would read as infinity.
    if (!std::isfinite(dRead))
        return FALSE;
    dValue = dRead;
    bNegative = bNegativeText;
    return TRUE;
}

void CGXBCurrencyFormat::FormatValue(double dValue, CString& strText, BOOL bNegative) const
{
    const int nLimit = m_nIntegerDigits;
    if (dValue != 0 && !m_bKeepTrailingDigits && nLimit > 0)
    {
        // The integer part keeps its leading nLimit digits and the fraction stays.
        const int nExponent = static_cast<int>(std::log10(dValue));
        const int nCut = nExponent - (nLimit - 1);
        if (nExponent != 0 && nCut > 0)
        {
            double dInteger = 0;
            const double dFraction = std::modf(dValue, &dInteger);
            dValue = dFraction + std::floor(dInteger / std::pow(10.0, nCut));
        }
    }

    // %.15f of the largest double is some 330 characters.
    WCHAR szNumber[400];
    int nLength = _snwprintf(szNumber, std::size(szNumber) - 1, L"%.*f", m_nDecimals, dValue);
    if (nLength < 0)
        nLength = 0;
    szNumber[nLength] = 0;
    LPCWSTR pszNumber = szNumber;
    const TCHAR chPoint = RuntimeDecimalPoint();
    // A lone leading zero before the fraction goes when the format has no leading zero.
    if (dValue < 1.0 && !m_bLeadingZero && nLength > 1 && szNumber[0] == L'0' && szNumber[1] == chPoint)
    {
        ++pszNumber;
        --nLength;
    }
    int nIntegerLength = nLength;
    for (int i = nLength - 1; i >= 0; --i)
        if (pszNumber[i] == chPoint)
        {
            const_cast<LPWSTR>(pszNumber)[i] = m_chDecimal != 0 ? m_chDecimal : _T(' ');
            nIntegerLength = i;
            break;
        }

    int nPadding = 0;
    if (nLimit > 0)
    {
        if (nIntegerLength > nLimit)
        {
            pszNumber += nIntegerLength - nLimit;
            nLength -= nIntegerLength - nLimit;
            nIntegerLength = nLimit;
        }
        nPadding = nLimit - nIntegerLength;
    }

    CString strNumber;
    if (nPadding > 0 && m_bPadBeforeGrouping)
    {
        strNumber = CString(m_chPadding, nPadding);
        nIntegerLength += nPadding;
    }
    strNumber.Append(pszNumber, nLength);
    if (m_chThousands != 0 && nIntegerLength >= 2)
        GroupIntegerPart(strNumber, nIntegerLength);
    if (nPadding > 0 && !m_bPadBeforeGrouping)
        strNumber.Insert(0, CString(m_chPadding, nPadding));

    const Pattern& pattern = bNegative ? negativePatterns[m_nNegativePattern] : positivePatterns[m_nPositivePattern];
    strText.Empty();
    strText.Preallocate(strNumber.GetLength() + m_strSymbol.GetLength() + 4);
    AppendPatternPart(strText, pattern.pszPrefix, m_strSymbol);
    strText += strNumber;
    AppendPatternPart(strText, pattern.pszSuffix, m_strSymbol);
}

void CGXBCurrencyFormat::GroupIntegerPart(CString& strNumber, int nIntegerLength) const
{
    const Groups groups = ParseGrouping(m_strGrouping);
    if (groups.nCount == 0)
        return;
    // Written from the right into a buffer large enough for a separator after every digit.
    const int nLength = strNumber.GetLength();
    CString strGrouped;
    LPTSTR pszOut = strGrouped.GetBuffer(2 * nLength + 1);
    int nOut = 2 * nLength;
    LPCTSTR psz = strNumber;
    for (int i = nLength - 1; i >= nIntegerLength; --i)
        pszOut[--nOut] = psz[i];
    int nGroup = 0;
    int nSize = groups.anSizes[0];
    int nInGroup = 0;
    for (int i = nIntegerLength - 1; i >= 0; --i)
    {
        if (nInGroup == nSize)
        {
            pszOut[--nOut] = m_chThousands;
            nInGroup = 0;
            if (nGroup + 1 < groups.nCount)
                nSize = groups.anSizes[++nGroup];
            else if (!groups.bRepeat)
                nSize = nIntegerLength;
        }
        pszOut[--nOut] = psz[i];
        ++nInGroup;
    }
    const int nGrouped = 2 * nLength - nOut;
    wmemmove(pszOut, pszOut + nOut, static_cast<size_t>(nGrouped));
    strGrouped.ReleaseBuffer(nGrouped);
    strNumber = strGrouped;
}

void CGXBCurrencyFormat::Assign(const CGXBCurrencyFormat& other)
{
    if (&other == this)
        return;
    m_bLeadingZero = other.m_bLeadingZero;
    m_bKeepTrailingDigits = other.m_bKeepTrailingDigits;
    m_bPadBeforeGrouping = other.m_bPadBeforeGrouping;
    m_strSymbol = other.m_strSymbol;
    m_strGrouping = other.m_strGrouping;
    m_chThousands = other.m_chThousands;
    m_chDecimal = other.m_chDecimal;
    m_chPadding = other.m_chPadding;
    m_rgbBackground = other.m_rgbBackground;
    m_rgbNegative = other.m_rgbNegative;
    m_rgbPositive = other.m_rgbPositive;
    m_dwColorFlags = other.m_dwColorFlags;
    m_nPositivePattern = other.m_nPositivePattern;
    m_nNegativePattern = other.m_nNegativePattern;
    m_nIntegerDigits = other.m_nIntegerDigits;
    m_nDecimals = other.m_nDecimals;
}

BOOL CGXBCurrencyFormat::IsEqual(const CGXBCurrencyFormat& other) const
{
    return m_bLeadingZero == other.m_bLeadingZero && m_bKeepTrailingDigits == other.m_bKeepTrailingDigits &&
           m_bPadBeforeGrouping == other.m_bPadBeforeGrouping && m_strSymbol == other.m_strSymbol &&
           m_strGrouping == other.m_strGrouping && m_chThousands == other.m_chThousands &&
           m_chDecimal == other.m_chDecimal && m_chPadding == other.m_chPadding &&
           m_rgbBackground == other.m_rgbBackground && m_rgbNegative == other.m_rgbNegative &&
           m_rgbPositive == other.m_rgbPositive && m_dwColorFlags == other.m_dwColorFlags &&
           m_nPositivePattern == other.m_nPositivePattern && m_nNegativePattern == other.m_nNegativePattern &&
           m_nIntegerDigits == other.m_nIntegerDigits && m_nDecimals == other.m_nDecimals;
}

void CGXBCurrencyFormat::SetGrouping(LPCTSTR pszGrouping)
{
    m_strGrouping = pszGrouping;
}

BOOL CGXBCurrencyFormat::SetPaddingChar(TCHAR ch)
{
    if (ch >= _T('1') && ch <= _T('9'))
        return FALSE;
    m_chPadding = ch;
    return TRUE;
}

BOOL CGXBCurrencyFormat::SetPositivePattern(int nPattern)
{
    if (nPattern < 0 || nPattern >= nPositivePatterns)
        return FALSE;
    m_nPositivePattern = nPattern;
    return TRUE;
}

BOOL CGXBCurrencyFormat::SetNegativePattern(int nPattern)
{
    if (nPattern < 0 || nPattern >= nNegativePatterns)
        return FALSE;
    m_nNegativePattern = nPattern;
    return TRUE;
}

BOOL CGXBCurrencyFormat::SetIntegerDigits(int nDigits)
{
    if (nDigits > nMaxLimit)
        return FALSE;
    m_nIntegerDigits = nDigits < 1 ? noLimit : nDigits;
    return TRUE;
}

BOOL CGXBCurrencyFormat::SetDecimalDigits(int nDigits)
{
    if (nDigits < 0 || nDigits > nMaxDecimals)
        return FALSE;
    m_nDecimals = nDigits;
    return TRUE;
}

void CGXBCurrencyFormat::SetBackgroundColor(COLORREF rgb)
{
    m_rgbBackground = rgb;
    m_dwColorFlags |= colorBackground;
}

BOOL CGXBCurrencyFormat::GetBackgroundColor(COLORREF& rgb) const
{
    rgb = m_rgbBackground;
    return (m_dwColorFlags & colorBackground) != 0;
}

void CGXBCurrencyFormat::SetNegativeColor(COLORREF rgb)
{
    m_rgbNegative = rgb;
    m_dwColorFlags |= colorNegative;
}

BOOL CGXBCurrencyFormat::GetNegativeColor(COLORREF& rgb) const
{
    rgb = m_rgbNegative;
    return (m_dwColorFlags & colorNegative) != 0;
}

void CGXBCurrencyFormat::SetPositiveColor(COLORREF rgb)
{
    m_rgbPositive = rgb;
    m_dwColorFlags |= colorPositive;
}

BOOL CGXBCurrencyFormat::GetPositiveColor(COLORREF& rgb) const
{
    rgb = m_rgbPositive;
    return (m_dwColorFlags & colorPositive) != 0;
}
