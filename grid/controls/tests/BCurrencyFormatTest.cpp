#include <grid/controls/BCurrencyFormat.h>

#include <testing/PrintString.h>

#include <gtest/gtest.h>

#include <clocale>

namespace
{
CString Formatted(const CGXBCurrencyFormat& format, double dValue, BOOL bNegative = FALSE)
{
    CString strText;
    format.FormatValue(dValue, strText, bNegative);
    return strText;
}

// Switches the C runtime's numeric locale for the test's duration.
class NumericLocale
{
public:
    explicit NumericLocale(LPCWSTR pszLocale) : m_strOld(_wsetlocale(LC_NUMERIC, nullptr))
    {
        m_bSet = _wsetlocale(LC_NUMERIC, pszLocale) != nullptr;
    }
    ~NumericLocale()
    {
        _wsetlocale(LC_NUMERIC, m_strOld);
    }
    BOOL IsSet() const
    {
        return m_bSet;
    }

private:
    CString m_strOld;
    BOOL m_bSet = FALSE;
};
} // namespace

TEST(CurrencyFormatTest, ParsesAmounts)
{
    const CGXBCurrencyFormat format;
    struct Case
    {
        LPCTSTR pszText;
        BOOL bOk;
        double dValue;
        BOOL bNegative;
    };
    const Case cases[] = {
        {_T("(1,234.50)"), TRUE, 1234.5, TRUE},
        {_T("(12"), FALSE, 0, FALSE},
        {_T("12)"), FALSE, 0, FALSE},
        {_T(""), TRUE, 0.0, FALSE},
        {_T("1.2.3"), TRUE, 2.3, FALSE},
        {_T("  $1,234.50  "), TRUE, 1234.5, FALSE},
        {_T("-$5"), TRUE, 5.0, TRUE},
        {_T("$5-"), TRUE, 5.0, TRUE},
        {_T("$.50"), TRUE, 0.5, FALSE},
        {_T("abc"), FALSE, 0, FALSE},
        {_T("1x2.50"), TRUE, 2.5, FALSE},
    };
    for (const Case& c : cases)
    {
        double dValue = -1;
        BOOL bNegative = -1;
        EXPECT_EQ(format.ParseValue(c.pszText, dValue, bNegative), c.bOk) << CW2A(c.pszText);
        if (c.bOk)
        {
            EXPECT_DOUBLE_EQ(dValue, c.dValue) << CW2A(c.pszText);
            EXPECT_EQ(bNegative, c.bNegative) << CW2A(c.pszText);
        }
    }
}

TEST(CurrencyFormatTest, ADigitRunBeyondADoubleFails)
{
    const CGXBCurrencyFormat format;
    double dValue = 0;
    BOOL bNegative = FALSE;
    EXPECT_FALSE(format.ParseValue(CString(_T('9'), 400), dValue, bNegative));
    EXPECT_TRUE(format.ParseValue(CString(_T('9'), 300), dValue, bNegative));
}

TEST(CurrencyFormatTest, FormatsAmounts)
{
    CGXBCurrencyFormat format;
    EXPECT_EQ(Formatted(format, 1234567.891), _T("$1,234,567.89"));
    EXPECT_EQ(Formatted(format, 1234567.891, TRUE), _T("($1,234,567.89)"));
    EXPECT_EQ(Formatted(format, 0.5), _T("$0.50"));
    EXPECT_EQ(Formatted(format, 0), _T("$0.00"));
    format.SetLeadingZero(FALSE);
    EXPECT_EQ(Formatted(format, 0.5), _T("$.50"));
    // Without a fraction the zero is the whole number and stays.
    format.SetDecimalDigits(0);
    EXPECT_EQ(Formatted(format, 0.2), _T("$0"));

    CGXBCurrencyFormat padded;
    padded.SetIntegerDigits(4);
    ASSERT_TRUE(padded.SetPaddingChar(_T('*')));
    EXPECT_EQ(Formatted(padded, 12.5), _T("$**12.50"));

    CGXBCurrencyFormat limited;
    limited.SetIntegerDigits(3);
    limited.SetThousandSeparator(0);
    EXPECT_EQ(Formatted(limited, 123456.78), _T("$123.78"));
    limited.SetKeepTrailingDigits(TRUE);
    EXPECT_EQ(Formatted(limited, 123456.78), _T("$456.78"));
}

TEST(CurrencyFormatTest, GroupsAsTheGroupingSays)
{
    CGXBCurrencyFormat format;
    format.SetMonetarySymbol(_T(""));
    format.SetGrouping(_T("3;2;0"));
    EXPECT_EQ(Formatted(format, 1234567), _T("12,34,567.00"));
    format.SetGrouping(_T("3"));
    EXPECT_EQ(Formatted(format, 1234567), _T("1234,567.00"));
    format.SetGrouping(_T("0"));
    EXPECT_EQ(Formatted(format, 1234567), _T("1234567.00"));
    format.SetGrouping(_T("3;0"));
    format.SetThousandSeparator(_T('.'));
    format.SetDecimalSeparator(_T(','));
    EXPECT_EQ(Formatted(format, 1234.5), _T("1.234,50"));
    // Padding before grouping is grouped with the digits.
    format.SetIntegerDigits(6);
    format.SetPaddingChar(_T('0'));
    format.SetPadBeforeGrouping(TRUE);
    EXPECT_EQ(Formatted(format, 1234.5), _T("001.234,50"));
}

TEST(CurrencyFormatTest, EveryPatternShowsAndReadsBack)
{
    const LPCTSTR positive[] = {_T("$1.50"), _T("1.50$"), _T("$ 1.50"), _T("1.50 $")};
    const LPCTSTR negative[] = {_T("($1.50)"), _T("-$1.50"), _T("$-1.50"),  _T("$1.50-"),
                                _T("(1.50$)"), _T("-1.50$"), _T("1.50-$"),  _T("1.50$-"),
                                _T("-1.50 $"), _T("-$ 1.50"), _T("1.50 $-"), _T("$ 1.50-"),
                                _T("$ -1.50"), _T("1.50- $"), _T("($ 1.50)"), _T("(1.50 $)")};
    CGXBCurrencyFormat format;
    for (int i = 0; i < 4; ++i)
    {
        ASSERT_TRUE(format.SetPositivePattern(i));
        EXPECT_EQ(Formatted(format, 1.5), positive[i]) << i;
    }
    for (int i = 0; i < 16; ++i)
    {
        ASSERT_TRUE(format.SetNegativePattern(i));
        const CString strText = Formatted(format, 1.5, TRUE);
        EXPECT_EQ(strText, negative[i]) << i;
        double dValue = 0;
        BOOL bNegative = FALSE;
        EXPECT_TRUE(format.ParseValue(strText, dValue, bNegative)) << i;
        EXPECT_DOUBLE_EQ(dValue, 1.5) << i;
        EXPECT_TRUE(bNegative) << i;
    }
    EXPECT_FALSE(format.SetPositivePattern(4));
    EXPECT_FALSE(format.SetNegativePattern(16));
    EXPECT_EQ(format.GetNegativePattern(), 15);
}

TEST(CurrencyFormatTest, SettersRefuseWhatCannotShow)
{
    CGXBCurrencyFormat format;
    EXPECT_FALSE(format.SetPaddingChar(_T('5')));
    EXPECT_EQ(format.GetPaddingChar(), _T(' '));
    EXPECT_TRUE(format.SetPaddingChar(_T('0')));
    EXPECT_EQ(format.GetPaddingChar(), _T('0'));
    EXPECT_FALSE(format.SetDecimalDigits(-1));
    EXPECT_FALSE(format.SetDecimalDigits(16));
    EXPECT_EQ(format.GetDecimalDigits(), 2);
    EXPECT_FALSE(format.SetIntegerDigits(1000000000));
    EXPECT_TRUE(format.SetIntegerDigits(0));
    EXPECT_EQ(format.GetIntegerDigits(), CGXBCurrencyFormat::noLimit);

    COLORREF rgb = 0;
    EXPECT_FALSE(format.GetNegativeColor(rgb));
    format.SetNegativeColor(RGB(255, 0, 0));
    EXPECT_TRUE(format.GetNegativeColor(rgb));
    EXPECT_EQ(rgb, RGB(255, 0, 0));
    EXPECT_FALSE(format.GetPositiveColor(rgb));
    EXPECT_FALSE(format.GetBackgroundColor(rgb));
}

TEST(CurrencyFormatTest, AssignsAndCompares)
{
    CGXBCurrencyFormat format;
    format.SetMonetarySymbol(_T("EUR"));
    format.SetNegativePattern(8);
    format.SetBackgroundColor(RGB(1, 2, 3));
    format.Assign(format);
    EXPECT_EQ(format.GetMonetarySymbol(), _T("EUR"));
    CGXBCurrencyFormat other;
    EXPECT_FALSE(other.IsEqual(format));
    other.Assign(format);
    EXPECT_TRUE(other.IsEqual(format));
    other.SetPaddingChar(_T('*'));
    EXPECT_FALSE(other.IsEqual(format));
    EXPECT_TRUE(CGXBCurrencyFormat().IsEqual(CGXBCurrencyFormat(FALSE)));
}

TEST(CurrencyFormatTest, TheLocaleFormatHasNoDigitLimit)
{
    WCHAR szName[LOCALE_NAME_MAX_LENGTH] = {};
    ::GetUserDefaultLocaleName(szName, LOCALE_NAME_MAX_LENGTH);
    ASSERT_STREQ(szName, L"en-US") << "the tests pin the user's locale to en-US";
    const CGXBCurrencyFormat format(TRUE);
    EXPECT_EQ(format.GetIntegerDigits(), CGXBCurrencyFormat::noLimit);
    EXPECT_EQ(Formatted(format, 1234.5), _T("$1,234.50"));
    EXPECT_EQ(Formatted(format, 1234567.5), _T("$1,234,567.50"));
}

TEST(CurrencyFormatTest, NumbersPassTheRuntimesDecimalPoint)
{
    NumericLocale locale(L"German");
    ASSERT_TRUE(locale.IsSet());
    ASSERT_EQ(CGXBCurrencyFormat::RuntimeDecimalPoint(), _T(','));
    const CGXBCurrencyFormat format;
    EXPECT_EQ(Formatted(format, 1234.5), _T("$1,234.50"));
    double dValue = 0;
    BOOL bNegative = FALSE;
    ASSERT_TRUE(format.ParseValue(_T("$1,234.50"), dValue, bNegative));
    EXPECT_DOUBLE_EQ(dValue, 1234.5);
}
