// HMAC over SHA-1 (RFC 2104) and PBKDF2 over it (RFC 2898), for the AES cryptograph's keys
// and authentication code.
#pragma once

#include <zip/Sha1.h>

class CZipHmacSha1
{
public:
    CZipHmacSha1();

    void Start();
    // May be called repeatedly before the first Data; a key longer than a block is hashed.
    void Key(const BYTE* pKey, UINT uLength);
    // The first call completes the key and begins the inner hash.
    void Data(const BYTE* pData, UINT uLength);
    // Writes the first uLength (at most 20) bytes of the result.
    void End(BYTE* pMac, UINT uLength);

    static void Pbkdf2(const BYTE* pPassword, UINT uPasswordLength, const BYTE* pSalt, UINT uSaltLength,
                       UINT uIterations, BYTE* pKey, UINT uKeyLength);

private:
    static const UINT32 DataPhase = 0xFFFFFFFF;

    BYTE m_keyBlock[CZipSha1::BlockSize];
    UINT32 m_uKeyLength; // DataPhase once the key is complete
    CZipSha1 m_sha1;
};
