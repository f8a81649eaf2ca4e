#include <grid/formula/EngineErrors.h>

#include <gtest/gtest.h>

TEST(EngineErrors, MessageByCode)
{
    struct Case
    {
        int nCode;
        LPCWSTR pszText;
    } cases[] = {
        {0, L"unknown error"},
        {382, L"unknown error"},
        {-1, L"unknown error"},
        {1, L""},
        {21, L""},
        {167, L""},
        {5, L"out of memory"},
        {60, L"cell operand contains error condition"},
        {210, L"iterative calculcation not supported with \"As Needed\""},
        {236, L"expected to find \"\\\" here"},
        {256, L"expected to find \"||\" here"},
        {381, L"precompiled regular expression is invalid"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.pszText, GXEngineErrorText(c.nCode)) << c.nCode;
}

TEST(EngineErrors, ExpectedTokenCodes)
{
    EXPECT_EQ(231, GXEngineExpectedTokenError(0));
    EXPECT_EQ(273, GXEngineExpectedTokenError(42));
    EXPECT_EQ(225, GXEngineExpectedTokenError(43));
    EXPECT_EQ(225, GXEngineExpectedTokenError(-1));
    EXPECT_STREQ(L"expected to find \";\" here", GXEngineErrorText(GXEngineExpectedTokenError(0)));
}
