#include <zip/Sha1.h>

#include "Hex.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
std::string Sha1Hex(const std::string& text, size_t chunk)
{
    CZipSha1 sha1;
    for (size_t i = 0; i < text.size(); i += chunk)
    {
        const std::string part = text.substr(i, chunk);
        sha1.Hash(reinterpret_cast<const BYTE*>(part.data()), UINT(part.size()));
    }
    BYTE digest[CZipSha1::DigestSize];
    sha1.End(digest);
    return ToHex(digest, sizeof(digest));
}
} // namespace

// FIPS 180-1 vectors, fed whole and in pieces that straddle the 64-byte blocks.
TEST(Sha1Test, PublishedVectors)
{
    struct
    {
        std::string text;
        const char* digest;
    } const cases[] = {
        {"abc", "a9993e364706816aba3e25717850c26c9cd0d89d"},
        {"", "da39a3ee5e6b4b0d3255bfef95601890afd80709"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq", "84983e441c3bd26ebaae4aa1f95129e5e54670f1"},
        {std::string(1000000, 'a'), "34aa973cd4c4daa4f61eeb2bdbad27316534016f"},
    };
    for (const auto& c : cases)
        for (size_t chunk : {size_t(1000000), size_t(1), size_t(63), size_t(65)})
            EXPECT_EQ(c.digest, Sha1Hex(c.text, chunk)) << c.text.substr(0, 10) << " in pieces of " << chunk;
}
