// The remembered password's scrambling: each unit moves by the text's length plus its index.
#include <app/Password.h>

#include <gtest/gtest.h>

namespace
{
TEST(PasswordTest, EncodesAndDecodesByLengthPlusIndex)
{
    CPassword password;
    const struct
    {
        CString strPlain;
        CString strStored;
    } cases[] = {
        {_T("abc"), _T("dfh")},
        {CString(), CString()},
        // 9 units: 'L' + 9 = 'U', 'u' + 10, ... '!' + 17 = '2'.
        {_T("Lumiter5!"), CString(L"\x55\x7f\x78\x75\x81\x73\x81\x45\x32")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.strStored, password.Encode(c.strPlain)) << CW2A(c.strPlain);
    for (const auto& c : cases)
        EXPECT_EQ(c.strPlain, password.Decode(c.strStored)) << CW2A(c.strPlain);
}

TEST(PasswordTest, UnitWrappingToZeroEndsTheText)
{
    CPassword password;
    // Length 3: the middle unit 0xFFFC + 4 wraps to 0, so only the first unit is stored.
    EXPECT_EQ(CString(L"\x0044"), password.Encode(CString(L"\x0041\xFFFC\x0041")));
    // Decoding the same way: a unit that becomes 0 ends the text.
    EXPECT_EQ(CString(), password.Decode(CString(L"\x0001")));
    EXPECT_EQ(CString(L"\x0061"), password.Decode(CString(L"\x0063\x0003")));
    // Wrapping below zero: 0x0001 - 2 is 0xFFFF.
    EXPECT_EQ(CString(L"\xFFFF\x0061"), password.Decode(CString(L"\x0001\x0064")));
}
} // namespace
