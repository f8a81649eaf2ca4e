#include "GridTestSupport.h"

#include <grid/core/AppData.h>
#include <grid/core/DrawingAndFormatting.h>
#include <grid/core/Style.h>
#include <grid/services/format/NumberFormattingImp.h>

#include <gtest/gtest.h>

namespace
{
struct FormatCase
{
    int nFormat;
    int nPlaces;
    LPCTSTR pszValue;
    LPCTSTR pszExpected;
};

// Number values: each row is shown with its format id and places.
const FormatCase numberCases[] = {
    {4, 2, L"1234.5", L"$1,234.50 "},
    {4, 2, L"-1234.5", L"($1,234.50)"},
    {5, 2, L"1234567.891", L"1,234,567.89 "},
    {5, 0, L"123456", L"123,456 "},
    {23, 1, L"-1000", L"(1,000.0)"},
    {23, 1, L"999", L" 999.0 "},
    {6, 0, L"-255.7", L"0xFF"},
    {6, 0, L"-1e20", L"0x7FFFFFFF"},
    {7, 0, L"1.9", L"1"},
    {7, 0, L"0.5", L"0"},
    {7, 0, L"2", L"?"},
    {7, 0, L"-0.5", L"?"},
    {14, 1, L"0.125", L"12.5%"},
    {14, 1, L"1.8e306", L" Percent! "},
    {24, 3, L"0.3333333333333", L"  33333/100000"},
    {24, 3, L"0.25", L"  1/4"},
    {24, 3, L"-2.5", L"-2 1/2"},
    {24, 3, L"2.3", L" 2 3/10"},
    {24, 0, L"1e20", L" 2147483647 0/100000"},
    {2, 0, L"2.5", L"3"},
    {2, 0, L"3.7", L"4"},
    {1, 2, L"1234.5", L"1.23e+003"},
    {3, 3, L"1234.5", L"1.23e+003"},
    {16, 0, L"39448", L"01.01.2008"},
    {17, 0, L"39448", L"2008-01-01"},
    {27, 0, L"39448.75", L"18:00"},
    {8, 0, L"39448", L"01-Jan-08"},
    {12, 0, L"42", L""},
    {0, 0, L"1.50", L"1.50"},
    {29, 0, L"1", L" Format? "},
    {28, 2, L"1234.5", L"1,234.50 "},
};

CGXStyle NumberStyle(int nFormat, int nPlaces, LPCTSTR pszValue)
{
    CGXStyle style;
    style.SetFormat(nFormat).SetPlaces(nPlaces);
    style.SetValue(pszValue).SetValueType(CGXStyle::valueNumber);
    return style;
}
} // namespace

TEST(NumberFormattingTest, FormatsNumberValuesByFormatIdAndPlaces)
{
    EnsureGridLibrary();
    CGXNumberFormattingImp imp;
    for (const FormatCase& c : numberCases)
    {
        const CGXStyle style = NumberStyle(c.nFormat, c.nPlaces, c.pszValue);
        EXPECT_STREQ(imp.FormatValue(style, nullptr, 0), c.pszExpected)
            << "id " << c.nFormat << " places " << c.nPlaces << " of " << c.pszValue;
    }
}

TEST(NumberFormattingTest, TextValuesAndUnformattedStylesKeepTheirText)
{
    EnsureGridLibrary();
    CGXNumberFormattingImp imp;
    CGXStyle style;
    style.SetFormat(4).SetPlaces(2).SetValue(L"1234.5");
    EXPECT_STREQ(imp.FormatValue(style, nullptr, 0), L"1234.5");
    // An explicit value and type win over the style's.
    EXPECT_STREQ(imp.FormatValue(style, L"10", CGXStyle::valueNumber), L"$10.00 ");
    // Hidden applies to text too.
    style.SetFormat(12);
    EXPECT_STREQ(imp.FormatValue(style, L"secret", CGXStyle::valueText), L"");

    CGXStyle plain;
    plain.SetValue(L"1234.5").SetValueType(CGXStyle::valueNumber);
    EXPECT_STREQ(imp.FormatValue(plain, nullptr, 0), L"1234.5");
}

TEST(NumberFormattingTest, ParseNumberGuessesFormatAndPlaces)
{
    EnsureGridLibrary();
    struct ParseCase
    {
        LPCTSTR pszText;
        double dValue;
        int nFormat;
        int nPlaces;
    };
    const ParseCase cases[] = {
        {L"(1,234.50)", -1234.5, 5, 2},
        {L"$12", 12, 4, 0},
        {L"1.5e3", 1500, 1, 1},
        {L"  42  ", 42, 2, 0},
        {L"-3.25", -3.25, 2, 2},
        {L"1,234,567", 1234567, 5, 0},
        {L"($5)", -5, 4, 0},
        {L"7", 7, 2, 0},
        {L"2e-2", 0.02, 1, 0},
    };
    CGXNumberFormattingImp imp;
    for (const ParseCase& c : cases)
    {
        double dValue = 0;
        int nFormat = -1, nPlaces = -1;
        ASSERT_TRUE(imp.ParseNumber(c.pszText, dValue, &nFormat, &nPlaces)) << c.pszText;
        EXPECT_DOUBLE_EQ(dValue, c.dValue) << c.pszText;
        EXPECT_EQ(nFormat, c.nFormat) << c.pszText;
        EXPECT_EQ(nPlaces, c.nPlaces) << c.pszText;
    }
}

TEST(NumberFormattingTest, ParseNumberRejectsMalformedTextAndLeavesOutputs)
{
    EnsureGridLibrary();
    const LPCTSTR bad[] = {L"12,34", L"",     L"   ",   L"-",     L"1.2.3",  L"(-5)", L"(5",   L"5)", L"1 2",
                           L"abc",   L"0x1F", L"1e2e3", L"(1e3)", L"1,2345", L"inf",  L"(5)x", L"$",  L"1-"};
    CGXNumberFormattingImp imp;
    for (LPCTSTR pszText : bad)
    {
        double dValue = 99;
        int nFormat = 99, nPlaces = 99;
        EXPECT_FALSE(imp.ParseNumber(pszText, dValue, &nFormat, &nPlaces)) << pszText;
        EXPECT_EQ(dValue, 99);
        EXPECT_EQ(nFormat, 99);
        EXPECT_EQ(nPlaces, 99);
    }
    CString strLong(L'1', 300);
    double dValue = 0;
    EXPECT_FALSE(imp.ParseNumber(strLong, dValue, nullptr, nullptr));
}

TEST(NumberFormattingTest, ParseNumberReadsTheLocaleDecimalComma)
{
    EnsureGridLibrary();
    CGXAppData* pAppData = GXGetAppDataPtr();
    pAppData->m_szDecimalSeparator[0] = L',';
    pAppData->m_szThousandSeparator[0] = L'.';
    CGXNumberFormattingImp imp;
    double dComma = 0;
    double dPoint = 0;
    int nPlaces = 0;
    const BOOL bComma = imp.ParseNumber(L"1.234,5", dComma, nullptr, &nPlaces);
    const BOOL bPoint = imp.ParseNumber(L"1,5.2", dPoint, nullptr, nullptr);
    pAppData->m_szDecimalSeparator[0] = L'.';
    pAppData->m_szThousandSeparator[0] = L',';
    EXPECT_TRUE(bComma);
    EXPECT_EQ(dComma, 1234.5);
    EXPECT_EQ(nPlaces, 1);
    EXPECT_FALSE(bPoint);
}

TEST(NumberFormattingTest, DrawingObjectForwardsToTheInstalledFormatting)
{
    EnsureGridLibrary();
    CGXDrawingAndFormatting* pDraw = DrawingAndFormattingInstance();
    EXPECT_EQ(pDraw, DrawingAndFormattingInstance());
    CGXStyle style = NumberStyle(4, 2, L"1234.5");
    CString strText;
    pDraw->GetFormattedText(strText, style, nullptr, 0);
    EXPECT_STREQ(strText, L"$1,234.50 ");
    double dValue = 0;
    int nFormat = 0;
    EXPECT_TRUE(pDraw->ParseNumber(L"$12", dValue, &nFormat, nullptr));
    EXPECT_EQ(nFormat, 4);

    // Without the feature: the given text, else the style's value, else nothing.
    CGXAppData* pAppData = GXGetAppDataPtr();
    CGXAbstractNumberFormattingImp* pImp = pAppData->m_pNumberFormattingImp;
    pAppData->m_pNumberFormattingImp = nullptr;
    pDraw->GetFormattedText(strText, style, L"given", 0);
    EXPECT_STREQ(strText, L"given");
    pDraw->GetFormattedText(strText, style, nullptr, 0);
    EXPECT_STREQ(strText, L"1234.5");
    pDraw->GetFormattedText(strText, CGXStyle(), nullptr, 0);
    EXPECT_STREQ(strText, L"");
    EXPECT_FALSE(pDraw->ParseNumber(L"12", dValue, nullptr, nullptr));
    pAppData->m_pNumberFormattingImp = pImp;
}
