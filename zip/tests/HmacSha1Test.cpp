#include <zip/HmacSha1.h>

#include "Hex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace
{
std::string HmacHex(const std::vector<BYTE>& key, const std::string& data, UINT uMacLength = 20, size_t keyChunk = 1000)
{
    CZipHmacSha1 hmac;
    for (size_t i = 0; i < key.size(); i += keyChunk)
        hmac.Key(key.data() + i, UINT(std::min(keyChunk, key.size() - i)));
    hmac.Data(reinterpret_cast<const BYTE*>(data.data()), UINT(data.size()));
    BYTE mac[CZipSha1::DigestSize] = {};
    hmac.End(mac, uMacLength);
    return ToHex(mac, uMacLength);
}
} // namespace

// RFC 2202 test cases 1 to 7.
TEST(HmacSha1Test, Rfc2202Vectors)
{
    struct
    {
        std::vector<BYTE> key;
        std::string data;
        const char* mac;
    } const cases[] = {
        {std::vector<BYTE>(20, 0x0B), "Hi There", "b617318655057264e28bc0b6fb378c8ef146be00"},
        {{'J', 'e', 'f', 'e'}, "what do ya want for nothing?", "effcdf6ae5eb2fa2d27416d5f184df9c259a7c79"},
        {std::vector<BYTE>(20, 0xAA), std::string(50, '\xdd'), "125d7342b9ac11cd91a39af48aa17b4f63f175d3"},
        {FromHex("0102030405060708090a0b0c0d0e0f10111213141516171819"), std::string(50, '\xcd'),
         "4c9007f4026250c6bc8414f9bf50c86c2d7235da"},
        {std::vector<BYTE>(20, 0x0C), "Test With Truncation", "4c1a03424b55e07fe7f27be1d58bb9324a9a5a04"},
        {std::vector<BYTE>(80, 0xAA), "Test Using Larger Than Block-Size Key - Hash Key First",
         "aa4ae5e15272d00e95705637ce8a3b55ed402112"},
        {std::vector<BYTE>(80, 0xAA), "Test Using Larger Than Block-Size Key and Larger Than One Block-Size Data",
         "e8e99d0f45237d786d6bbaa7965c7808bbff1a91"},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.mac, HmacHex(c.key, c.data)) << c.data;
        // A key given in pieces is the same key, also when the pieces cross the block size.
        EXPECT_EQ(c.mac, HmacHex(c.key, c.data, 20, 7)) << c.data;
    }
}

TEST(HmacSha1Test, EndWritesOnlyTheRequestedLength)
{
    // RFC 2202 case 5 truncated to 96 bits; the bytes behind stay untouched.
    CZipHmacSha1 hmac;
    const std::vector<BYTE> key(20, 0x0C);
    hmac.Key(key.data(), UINT(key.size()));
    const std::string data = "Test With Truncation";
    hmac.Data(reinterpret_cast<const BYTE*>(data.data()), UINT(data.size()));
    BYTE mac[20];
    memset(mac, 0xEE, sizeof(mac));
    hmac.End(mac, 12);
    EXPECT_EQ("4c1a03424b55e07fe7f27be1eeeeeeeeeeeeeeee", ToHex(mac, sizeof(mac)));
}

// RFC 6070, without the vector of 16777216 iterations.
TEST(HmacSha1Test, Pbkdf2Rfc6070Vectors)
{
    struct
    {
        std::string password;
        std::string salt;
        UINT uIterations;
        const char* key;
    } const cases[] = {
        {"password", "salt", 1, "0c60c80f961f0e71f3a9b524af6012062fe037a6"},
        {"password", "salt", 2, "ea6c014dc72d6f8ccd1ed92ace1d41f0d8de8957"},
        {"password", "salt", 4096, "4b007901b765489abead49d926f721d065a429c1"},
        {"passwordPASSWORDpassword", "saltSALTsaltSALTsaltSALTsaltSALTsalt", 4096,
         "3d2eec4fe41c849b80c8d83662c0e44a8b291a964cf2f07038"},
        {std::string("pass\0word", 9), std::string("sa\0lt", 5), 4096, "56fa6aa75548099dcc37d7f03425e0c3"},
    };
    for (const auto& c : cases)
    {
        std::vector<BYTE> key(strlen(c.key) / 2);
        CZipHmacSha1::Pbkdf2(reinterpret_cast<const BYTE*>(c.password.data()), UINT(c.password.size()),
                             reinterpret_cast<const BYTE*>(c.salt.data()), UINT(c.salt.size()), c.uIterations,
                             key.data(), UINT(key.size()));
        EXPECT_EQ(c.key, ToHex(key)) << c.password << " " << c.uIterations;
    }
}
