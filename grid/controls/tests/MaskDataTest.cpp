#include <grid/controls/MaskData.h>

#include <gtest/gtest.h>

#include <climits>

namespace
{
// A mask with its display reset and, when given, the entered characters put in.
struct Mask
{
    explicit Mask(LPCTSTR pszMask, LPCTSTR pszInput = nullptr)
    {
        data.SetMask(pszMask);
        data.ResetDisplay();
        if (pszInput != nullptr)
            nPut = data.PutInput(pszInput, -1, FALSE);
    }
    CString Display() const
    {
        CString strText;
        data.GetDisplayString(strText);
        return strText;
    }
    CString Data(BOOL bTrimRight = FALSE) const
    {
        CString strText;
        data.GetData(strText, 0, -1, bTrimRight);
        return strText;
    }

    CGXMaskData data;
    int nPut = 0;
};

int InputPositions(const CGXMaskData& data)
{
    int nCount = 0;
    for (int nPos = data.GetNextInputPos(-1); nPos >= 0; nPos = data.GetNextInputPos(nPos))
        ++nCount;
    return nCount;
}
} // namespace

TEST(MaskDataTest, GrammarMakesOnePositionPerCharacter)
{
    struct Case
    {
        LPCTSTR pszMask;
        int nPositions;
        int nInputs;
        LPCTSTR pszDisplay;
    };
    const Case cases[] = {
        {L"(###) ###-####", 14, 10, L"(___) ___-____"},
        {L"\\\\#", 2, 1, L"\\_"},
        {L"\\#", 1, 0, L"#"},
        {L"\\##", 2, 1, L"#_"},
        {L"&?AaLlUu", 8, 5, L"___a_l_u"},
        {L"##\\", 2, 2, L"__"},
        {L"\\\\\\&", 2, 0, L"\\&"},
    };
    for (const Case& c : cases)
    {
        Mask mask(c.pszMask);
        EXPECT_EQ(mask.data.GetDisplayLength(), c.nPositions) << c.pszMask;
        EXPECT_EQ(InputPositions(mask.data), c.nInputs) << c.pszMask;
        EXPECT_STREQ(mask.Display(), c.pszDisplay) << c.pszMask;
        EXPECT_FALSE(mask.data.IsMaskEmpty());
    }
    CGXMaskData data;
    for (LPCTSTR p = L"#&?ALU"; *p != 0; ++p)
        EXPECT_TRUE(data.IsMaskChar(*p)) << static_cast<int>(*p);
    for (LPCTSTR p = L"alu\\-9 "; *p != 0; ++p)
        EXPECT_FALSE(data.IsMaskChar(*p)) << static_cast<int>(*p);
}

TEST(MaskDataTest, InputIsCheckedAndConvertedByPosition)
{
    struct Case
    {
        LPCTSTR pszMask;
        LPCTSTR pszInput;
        int nResult;
        LPCTSTR pszDisplay;
        LPCTSTR pszData;
    };
    const Case cases[] = {
        {L"LLL", L"aBc", 3, L"abc", L"abc"},
        {L"UUU", L"aBc", 3, L"ABC", L"ABC"},
        {L"LLL", L"a1c", 1, L"a__", L"a  "},
        {L"UUU", L"ab3", 2, L"AB_", L"AB "},
        {L"##/##", L"1234", 5, L"12/34", L"1234"},
        {L"##/##", L"12/34", 3, L"12/__", L"12  "},
        {L"(###) ###-####", L"5551234567", 14, L"(555) 123-4567", L"5551234567"},
        {L"A?&", L"1x%", 3, L"1x%", L"1x%"},
        {L"A?&", L"%", 0, L"___", L"   "},
        {L"###", L"1 3", 3, L"1_3", L"1 3"},
        {L"###", L"12345", 3, L"123", L"123"},
        {L"-##", L"12", 3, L"-12", L"12"},
        {L"##-", L"123", 2, L"12-", L"12"},
    };
    for (const Case& c : cases)
    {
        Mask mask(c.pszMask, c.pszInput);
        EXPECT_EQ(mask.nPut, c.nResult) << c.pszMask << " " << c.pszInput;
        EXPECT_STREQ(mask.Display(), c.pszDisplay) << c.pszMask << " " << c.pszInput;
        EXPECT_STREQ(mask.Data(), c.pszData) << c.pszMask << " " << c.pszInput;
    }

    Mask blanks(L"####", L"1 3 ");
    EXPECT_STREQ(blanks.Display(), L"1_3_");
    EXPECT_STREQ(blanks.Data(), L"1 3 ");
    EXPECT_STREQ(blanks.Data(TRUE), L"1 3");
    CString strPart;
    blanks.data.GetData(strPart, 1, 2);
    EXPECT_STREQ(strPart, L" 3");

    Mask literal(L"#-#");
    TCHAR ch = L'-';
    EXPECT_FALSE(literal.data.IsValidInput(1, ch));
    EXPECT_FALSE(literal.data.IsValidInput(3, ch));
    EXPECT_FALSE(literal.data.IsValidInput(-1, ch));
    ch = L'_';
    EXPECT_TRUE(literal.data.IsValidInput(0, ch));
    EXPECT_EQ(literal.data.PutInput(L"1", 7, FALSE), -1);
}

TEST(MaskDataTest, NavigationSkipsLiterals)
{
    Mask mask(L"##/##", L"12");
    EXPECT_STREQ(mask.Display(), L"12/__");
    const int anNext[][2] = {{-1, 0}, {0, 1}, {1, 3}, {2, 3}, {3, 4}, {4, -1}, {5, 5}};
    for (const auto& n : anNext)
        EXPECT_EQ(mask.data.GetNextInputPos(n[0]), n[1]) << n[0];
    const int anPrev[][2] = {{0, -1}, {1, 0}, {3, 1}, {2, 1}, {4, 3}, {5, 4}};
    for (const auto& p : anPrev)
        EXPECT_EQ(mask.data.GetPrevInputPos(p[0]), p[1]) << p[0];

    struct EndCase
    {
        LPCTSTR pszInput;
        int nPos;
        int nEnd;
    };
    const EndCase ends[] = {
        {L"", 0, 0},    {L"", 5, 0},    {L"1", 5, 1},    {L"12", 5, 2},   {L"12", 2, 2},   {L"12", 3, 2},
        {L"123", 5, 4}, {L"123", 2, 2}, {L"1234", 5, 5}, {L"1234", 0, 0}, {L"1234", 2, 2},
    };
    for (const EndCase& e : ends)
    {
        Mask m(L"##/##", e.pszInput);
        EXPECT_EQ(m.data.GetEndOfInput(e.nPos), e.nEnd) << e.pszInput << " at " << e.nPos;
    }
    Mask leading(L"(##)");
    EXPECT_EQ(leading.data.GetEndOfInput(4), 1);
}

TEST(MaskDataTest, InsertShiftsAndRefusesWhatWouldNotFit)
{
    Mask mask(L"##/##", L"12");
    int nNext = 0;
    ASSERT_TRUE(mask.data.InsertAt(0, L'9', nNext));
    EXPECT_EQ(nNext, 1);
    EXPECT_STREQ(mask.Display(), L"91/2_");
    ASSERT_TRUE(mask.data.InsertAt(1, L'8', nNext));
    EXPECT_EQ(nNext, 3);
    EXPECT_STREQ(mask.Display(), L"98/12");
    // Full: nothing shifts out of the mask.
    EXPECT_FALSE(mask.data.InsertAt(0, L'7', nNext));
    EXPECT_EQ(nNext, -1);
    EXPECT_STREQ(mask.Display(), L"98/12");

    // A letter shifted onto a digit position would be data the cell refuses.
    Mask mixed(L"&#", L"a");
    EXPECT_FALSE(mixed.data.InsertAt(0, L'b', nNext));
    EXPECT_STREQ(mixed.Display(), L"a_");
    EXPECT_TRUE(mixed.data.IsValidData());
    Mask digits(L"&#", L"1");
    EXPECT_TRUE(digits.data.InsertAt(0, L'b', nNext));
    EXPECT_STREQ(digits.Display(), L"b1");

    // Inserted through PutInput from the start, the rest moves right.
    Mask put(L"####", L"12");
    EXPECT_EQ(put.data.PutInput(L"9", 0, TRUE), 1);
    EXPECT_STREQ(put.Display(), L"912_");
}

TEST(MaskDataTest, DeleteMovesTheRestLeftOverInputPositions)
{
    struct Case
    {
        LPCTSTR pszInput;
        int nEnd;
        int nStart;
        LPCTSTR pszDisplay;
    };
    const Case cases[] = {
        {L"1234", 2, 0, L"34/__"}, {L"1234", 1, 0, L"23/4_"}, {L"1234", 5, 3, L"12/__"}, {L"1234", 4, 2, L"12/4_"},
        {L"1234", 6, 0, L"12/34"}, {L"1234", 0, 0, L"12/34"}, {L"1234", 5, 0, L"__/__"},
    };
    for (const Case& c : cases)
    {
        Mask mask(L"##/##", c.pszInput);
        mask.data.DeleteRange(c.nEnd, c.nStart);
        EXPECT_STREQ(mask.Display(), c.pszDisplay) << c.nStart << ".." << c.nEnd;
    }
    Mask trailing(L"##-", L"12");
    trailing.data.DeleteRange(3, 2);
    EXPECT_STREQ(trailing.Display(), L"12-");
}

TEST(MaskDataTest, DisplayTextsKeepLiteralsInPlace)
{
    Mask mask(L"##/##");
    EXPECT_EQ(mask.data.SetDisplayString(L"12/34", -1, FALSE), 5);
    EXPECT_STREQ(mask.Data(), L"1234");
    EXPECT_EQ(mask.data.SetDisplayString(L"1234", -1, FALSE), -1);
    EXPECT_EQ(mask.data.SetDisplayString(L"12/34/56", -1, FALSE), 5);
    EXPECT_STREQ(mask.Display(), L"12/34");
    EXPECT_EQ(mask.data.SetDisplayString(L"9", -1, FALSE), 1);
    EXPECT_STREQ(mask.Display(), L"9_/__");
    EXPECT_EQ(mask.data.SetDisplayString(L"ab/cd", -1, FALSE), -1);
}

TEST(MaskDataTest, ValidDataAllowsPromptsButNotForeignCharacters)
{
    Mask mask(L"##/##", L"12");
    EXPECT_TRUE(mask.data.IsValidData());
    CGXMaskData empty;
    EXPECT_TRUE(empty.IsValidData());
    // A display made before the mask changed no longer agrees with it.
    mask.data.SetMask(L"?\?/??");
    EXPECT_FALSE(mask.data.IsValidData());
    mask.data.SetMask(L"##-##");
    EXPECT_FALSE(mask.data.IsValidData());
    mask.data.SetMask(L"##/##");
    EXPECT_TRUE(mask.data.IsValidData());
}

TEST(MaskDataTest, PromptReplacesShownPrompts)
{
    Mask mask(L"#-#", L"1");
    EXPECT_FALSE(mask.data.SetPromptChar(L"ab", TRUE));
    EXPECT_STREQ(mask.Display(), L"1-_");
    EXPECT_TRUE(mask.data.SetPromptChar(L"*", FALSE));
    EXPECT_STREQ(mask.Display(), L"1-_");
    EXPECT_TRUE(mask.data.SetPromptChar(L"_", FALSE));
    EXPECT_TRUE(mask.data.SetPromptChar(L"*", TRUE));
    EXPECT_STREQ(mask.Display(), L"1-*");
    EXPECT_STREQ(mask.Data(), L"1 ");
    EXPECT_TRUE(mask.data.SetPromptChar(L"", TRUE));
    EXPECT_STREQ(mask.Display(), L"1-_");
}

TEST(MaskDataTest, WithoutMaskATextBufferLimitedByMaxLength)
{
    CGXMaskData data;
    EXPECT_TRUE(data.IsMaskEmpty());
    EXPECT_EQ(data.GetMaxLength(), INT_MAX);
    data.SetMaxLength(5);
    EXPECT_EQ(data.SetDisplayString(L"abcdefg", 0, FALSE), 7);
    CString strText;
    data.GetDisplayString(strText);
    EXPECT_STREQ(strText, L"abcde");
    data.GetData(strText, 1, 2);
    EXPECT_STREQ(strText, L"bc");
    EXPECT_FALSE(data.IsLiteral(3));
    TCHAR ch = L'#';
    EXPECT_TRUE(data.IsValidInput(99, ch));
    int nNext = 0;
    EXPECT_FALSE(data.InsertAt(0, L'x', nNext));
    data.DeleteRange(3, 1);
    data.GetDisplayString(strText);
    EXPECT_STREQ(strText, L"ade");
    EXPECT_TRUE(data.InsertAt(1, L'x', nNext));
    EXPECT_EQ(nNext, 2);
    EXPECT_EQ(data.PutInput(L"12", 4, FALSE), 6);
    data.GetDisplayString(strText);
    EXPECT_STREQ(strText, L"axde1");
    EXPECT_EQ(data.GetEndOfInput(9), 5);
    EXPECT_EQ(data.GetNextInputPos(4), -1);
    EXPECT_EQ(data.GetPrevInputPos(9), 5);
    EXPECT_TRUE(data.IsValidData());
    data.ResetDisplay();
    EXPECT_EQ(data.GetDisplayLength(), 0);

    // An empty mask lifts the limit again.
    data.SetMask(L"");
    EXPECT_EQ(data.GetMaxLength(), INT_MAX);
    EXPECT_EQ(data.DataPosToEditPos(3), 3);
    EXPECT_EQ(data.EditPosToDataPos(4), 4);
}

TEST(MaskDataTest, CreatedFromItsRuntimeClass)
{
    CObject* pObject = RUNTIME_CLASS(CGXMaskData)->CreateObject();
    ASSERT_NE(pObject, nullptr);
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CGXMaskData)));
    delete pObject;
}
