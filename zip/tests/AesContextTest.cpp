#include <zip/AesContext.h>
#include <zip/Exception.h>

#include "Hex.h"

#include <gtest/gtest.h>

namespace
{
const std::vector<BYTE> key128 = FromHex("000102030405060708090a0b0c0d0e0f");
} // namespace

// FIPS-197 appendix C.
TEST(AesContextTest, EncryptsTheFips197Examples)
{
    struct
    {
        const char* key;
        const char* cipher;
    } const cases[] = {
        {"000102030405060708090a0b0c0d0e0f", "69c4e0d86a7b0430d8cdb78070b4c55a"},
        {"000102030405060708090a0b0c0d0e0f1011121314151617", "dda97ca4864cdfe06eaf70a0ec0d7191"},
        {"000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f", "8ea2b7ca516745bfeafc49904b496089"},
    };
    const std::vector<BYTE> plain = FromHex("00112233445566778899aabbccddeeff");
    for (const auto& c : cases)
    {
        const std::vector<BYTE> key = FromHex(c.key);
        CZipAesContext aes(key.data(), UINT(key.size()));
        BYTE out[16];
        aes.EncryptBlock(plain.data(), out);
        EXPECT_EQ(c.cipher, ToHex(out, sizeof(out))) << key.size() * 8 << "-bit key";
    }
}

TEST(AesContextTest, RefusesOtherKeyLengths)
{
    const BYTE key[33] = {};
    for (UINT uLength : {0u, 8u, 15u, 17u, 20u, 33u})
    {
        try
        {
            CZipAesContext aes(key, uLength);
            ADD_FAILURE() << "key of " << uLength << " bytes accepted";
        }
        catch (CZipException* e)
        {
            EXPECT_EQ(CZipException::genericError, e->m_iCause);
            e->Delete();
        }
    }
}

// Counter mode: the keystream is the encryption of the little-endian counter 1, 2, ... in the
// first 8 bytes (expected blocks from an independent AES in ECB mode).
TEST(AesContextTest, CounterModeStartsAtOneAndCarriesItsPositionAcrossCalls)
{
    const std::string keystream = "e37cd363dd7c87a09aff0e3e60e09c82"  // E(01 00 .. 00)
                                  "fb8ae31ba5db9cad97364d8722d47326"; // E(02 00 .. 00)
    {
        CZipAesContext aes(key128.data(), UINT(key128.size()));
        std::vector<BYTE> data(32, 0);
        aes.Transform(data.data(), UINT(data.size()));
        EXPECT_EQ(keystream, ToHex(data));
    }
    for (UINT uFirst : {1u, 5u, 16u, 17u})
    {
        CZipAesContext aes(key128.data(), UINT(key128.size()));
        std::vector<BYTE> data(32, 0);
        aes.Transform(data.data(), uFirst);
        aes.Transform(data.data() + uFirst, UINT(data.size()) - uFirst);
        EXPECT_EQ(keystream, ToHex(data)) << "first call of " << uFirst << " bytes";
    }
}

TEST(AesContextTest, CounterModeDecryptsWhatItEncrypted)
{
    std::vector<BYTE> data(100);
    for (size_t i = 0; i < data.size(); i++)
        data[i] = BYTE(i * 7);
    const std::vector<BYTE> original = data;
    CZipAesContext encrypt(key128.data(), UINT(key128.size()));
    encrypt.Transform(data.data(), UINT(data.size()));
    EXPECT_NE(original, data);
    CZipAesContext decrypt(key128.data(), UINT(key128.size()));
    decrypt.Transform(data.data(), 5);
    decrypt.Transform(data.data() + 5, 11);
    decrypt.Transform(data.data() + 16, UINT(data.size()) - 16);
    EXPECT_EQ(original, data);
}
