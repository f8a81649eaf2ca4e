// SHA-1 (FIPS 180-1), used by the AES cryptograph's HMAC and by the random pool.
#pragma once

#include <windows.h>

class CZipSha1
{
public:
    static constexpr UINT BlockSize = 64;
    static constexpr UINT DigestSize = 20;

    CZipSha1();

    void Start();
    void Hash(const BYTE* pData, UINT uLength);
    void End(BYTE digest[DigestSize]);

    // One compression of a 64-byte block into the five chaining words; the random pool calls
    // it directly.
    static void Compress(UINT32 state[5], const BYTE block[BlockSize]);

private:
    UINT64 m_uCount; // bytes hashed so far
    UINT32 m_state[5];
    BYTE m_buffer[BlockSize];
};
