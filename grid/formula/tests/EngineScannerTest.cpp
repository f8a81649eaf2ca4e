#include <grid/formula/EngineScanner.h>

#include "TestSheet.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace
{
struct Token
{
    int nClass;
    CString strValue;
    int nPos;
};

std::vector<Token> Scan(LPCWSTR pszText)
{
    std::vector<Token> tokens;
    EXPECT_TRUE(GXEngineScanStart(pszText));
    for (;;)
    {
        GXEngineToken token;
        GXEngineScanNext(token);
        if (token.nClass == GX_TOKEN_END)
            return tokens;
        tokens.push_back(Token{token.nClass, token.strValue, token.nPos});
        if (token.nClass == GX_TOKEN_ERROR)
        {
            EXPECT_EQ(223, token.nError);
            return tokens;
        }
    }
}

// Class, value and position of each token, as one text: "33:A1@0 32@2 33:B2@4".
std::string Describe(LPCWSTR pszText)
{
    std::string result;
    for (const Token& token : Scan(pszText))
    {
        if (!result.empty())
            result += ' ';
        result += std::to_string(token.nClass);
        if (!token.strValue.IsEmpty())
        {
            result += ':';
            for (int i = 0; i < token.strValue.GetLength(); ++i)
                result += static_cast<char>(token.strValue[i]);
        }
        result += '@' + std::to_string(token.nPos);
    }
    return result;
}
} // namespace

TEST(EngineScanner, TokensByLongestMatchAndRuleOrder)
{
    struct Case
    {
        LPCWSTR pszText;
        const char* pszTokens;
    } cases[] = {
        {L"A1", "33:A1@0"},
        {L"$A$1", "33:$A$1@0"},
        {L"ABCD1", "34:ABCD1@0"},
        {L"A12345678", "34:A12345678@0"},
        {L"ZZZ1", "34:ZZZ1@0"},
        {L"A0", "33:A0@0"},
        {L"A1..B2", "33:A1@0 32@2 33:B2@4"},
        {L"A1.B2", "33:A1@0 42@2 33:B2@3"},
        {L"A1:B2", "33:A1@0 1@2 33:B2@3"},
        {L"a.b", "34:a.b@0"},
        {L"sales_2", "34:sales_2@0"},
        {L"1e3", "37:1e3@0"},
        {L"1.5e-3", "37:1.5e-3@0"},
        {L".5", "37:.5@0"},
        {L"1E3", "37:1@0 33:E3@1"},
        {L"0x1F", "38:1F@0"},
        {L"0x", "37:0@0 34:x@1"},
        {L"<>", "30@0"},
        {L"!=", "30@0"},
        {L"#and#", "24@0"},
        {L"#Or#", "25@0"},
        {L"#NOT#", "14@0"},
        {L"**", "23@0"},
        {L"<<=", "26@0 22@2"},
        {L"??", "43@0"},
        {L"@sum(", "35:sum@0 18@4"},
        {L"\"a\\\"b\"", "36:a\\\"b@0"},
        {L"1//note", "37:1@0 39:note@1"},
        {L"  +\t1", "6@2 37:1@4"},
        {L"1\n+", "37:1@0 6@1"},
        {L"\"open", "41@0"},
        {L"1 'x", "37:1@0 41@2"},
        {L"\x20AC", "41@0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.pszTokens, Describe(c.pszText)) << ::testing::PrintToString(CString(c.pszText));
}
