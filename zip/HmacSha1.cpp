#include <zip/HmacSha1.h>

#include <afx.h>

#include <cstring>

namespace
{
const BYTE InnerPad = 0x36;
const BYTE OuterPad = 0x5C;
} // namespace

CZipHmacSha1::CZipHmacSha1()
{
    Start();
}

void CZipHmacSha1::Start()
{
    memset(m_keyBlock, 0, sizeof(m_keyBlock));
    m_uKeyLength = 0;
}

void CZipHmacSha1::Key(const BYTE* pKey, UINT uLength)
{
    ASSERT(m_uKeyLength != DataPhase);
    if (m_uKeyLength + uLength > CZipSha1::BlockSize)
    {
        // The key no longer fits a block: from now on it is collected in the hash.
        if (m_uKeyLength <= CZipSha1::BlockSize)
        {
            m_sha1.Start();
            m_sha1.Hash(m_keyBlock, m_uKeyLength);
        }
        m_sha1.Hash(pKey, uLength);
    }
    else
        memcpy(m_keyBlock + m_uKeyLength, pKey, uLength);
    m_uKeyLength += uLength;
}

void CZipHmacSha1::Data(const BYTE* pData, UINT uLength)
{
    if (m_uKeyLength != DataPhase)
    {
        if (m_uKeyLength > CZipSha1::BlockSize)
        {
            m_sha1.End(m_keyBlock);
            m_uKeyLength = CZipSha1::DigestSize;
        }
        memset(m_keyBlock + m_uKeyLength, 0, CZipSha1::BlockSize - m_uKeyLength);
        for (BYTE& b : m_keyBlock)
            b ^= InnerPad;
        m_sha1.Start();
        m_sha1.Hash(m_keyBlock, CZipSha1::BlockSize);
        m_uKeyLength = DataPhase;
    }
    m_sha1.Hash(pData, uLength);
}

void CZipHmacSha1::End(BYTE* pMac, UINT uLength)
{
    ASSERT(uLength <= CZipSha1::DigestSize);
    if (m_uKeyLength != DataPhase)
        Data(nullptr, 0);
    BYTE digest[CZipSha1::DigestSize];
    m_sha1.End(digest);
    for (BYTE& b : m_keyBlock)
        b ^= InnerPad ^ OuterPad;
    m_sha1.Start();
    m_sha1.Hash(m_keyBlock, CZipSha1::BlockSize);
    m_sha1.Hash(digest, sizeof(digest));
    m_sha1.End(digest);
    memcpy(pMac, digest, uLength);
}

void CZipHmacSha1::Pbkdf2(const BYTE* pPassword, UINT uPasswordLength, const BYTE* pSalt, UINT uSaltLength,
                          UINT uIterations, BYTE* pKey, UINT uKeyLength)
{
    // Keyed once; every HMAC below starts from a copy with the inner pad already hashed.
    CZipHmacSha1 keyed;
    keyed.Key(pPassword, uPasswordLength);
    keyed.Data(nullptr, 0);

    for (UINT32 uBlock = 1; uKeyLength > 0; uBlock++)
    {
        const BYTE index[4] = {BYTE(uBlock >> 24), BYTE(uBlock >> 16), BYTE(uBlock >> 8), BYTE(uBlock)};
        BYTE u[CZipSha1::DigestSize];
        CZipHmacSha1 hmac = keyed;
        hmac.Data(pSalt, uSaltLength);
        hmac.Data(index, sizeof(index));
        hmac.End(u, sizeof(u));

        BYTE t[CZipSha1::DigestSize];
        memcpy(t, u, sizeof(t));
        for (UINT i = 1; i < uIterations; i++)
        {
            hmac = keyed;
            hmac.Data(u, sizeof(u));
            hmac.End(u, sizeof(u));
            for (UINT j = 0; j < sizeof(t); j++)
                t[j] ^= u[j];
        }

        const UINT uTake = uKeyLength < sizeof(t) ? uKeyLength : UINT(sizeof(t));
        memcpy(pKey, t, uTake);
        pKey += uTake;
        uKeyLength -= uTake;
    }
}
