#include <grid/core/ColumnLetters.h>

#include <gtest/gtest.h>

TEST(ColumnLettersTest, BijectiveBase26)
{
    const struct
    {
        ROWCOL nCol;
        const wchar_t* letters;
    } cases[] = {
        {0, L""},     {1, L"A"},     {2, L"B"},     {26, L"Z"},         {27, L"AA"},     {52, L"AZ"},
        {53, L"BA"},  {702, L"ZZ"},  {703, L"AAA"}, {4096, L"FAN"},     {18278, L"ZZZ"}, {18279, L"AAAA"},
        {0xFFFFFFFF, L"MWLQKWU"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.letters, GXGetColumnLetters(c.nCol).GetString()) << c.nCol;
}
