#include <zip/Sha1.h>

#include <cstring>

namespace
{
UINT32 Rotl(UINT32 x, int n)
{
    return (x << n) | (x >> (32 - n));
}

UINT32 LoadBigEndian(const BYTE* p)
{
    return (UINT32(p[0]) << 24) | (UINT32(p[1]) << 16) | (UINT32(p[2]) << 8) | UINT32(p[3]);
}

void StoreBigEndian(BYTE* p, UINT32 x)
{
    p[0] = BYTE(x >> 24);
    p[1] = BYTE(x >> 16);
    p[2] = BYTE(x >> 8);
    p[3] = BYTE(x);
}
} // namespace

CZipSha1::CZipSha1()
{
    Start();
}

void CZipSha1::Start()
{
    static const UINT32 initial[5] = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476, 0xC3D2E1F0};
    m_uCount = 0;
    memcpy(m_state, initial, sizeof(m_state));
}

void CZipSha1::Hash(const BYTE* pData, UINT uLength)
{
    UINT uUsed = UINT(m_uCount % BlockSize);
    m_uCount += uLength;
    while (uLength > 0)
    {
        const UINT uTake = uLength < BlockSize - uUsed ? uLength : BlockSize - uUsed;
        memcpy(m_buffer + uUsed, pData, uTake);
        uUsed += uTake;
        pData += uTake;
        uLength -= uTake;
        if (uUsed == BlockSize)
        {
            Compress(m_state, m_buffer);
            uUsed = 0;
        }
    }
}

void CZipSha1::End(BYTE digest[DigestSize])
{
    const UINT64 uBits = m_uCount * 8;
    BYTE padding[BlockSize + 8] = {0x80};
    const UINT uUsed = UINT(m_uCount % BlockSize);
    // The padding ends where the 8-byte bit count fills the block exactly.
    const UINT uPad = (uUsed < BlockSize - 8 ? BlockSize - 8 : 2 * BlockSize - 8) - uUsed;
    Hash(padding, uPad);
    BYTE length[8];
    StoreBigEndian(length, UINT32(uBits >> 32));
    StoreBigEndian(length + 4, UINT32(uBits));
    Hash(length, sizeof(length));
    for (int i = 0; i < 5; i++)
        StoreBigEndian(digest + 4 * i, m_state[i]);
}

void CZipSha1::Compress(UINT32 state[5], const BYTE block[BlockSize])
{
    UINT32 w[80];
    for (int i = 0; i < 16; i++)
        w[i] = LoadBigEndian(block + 4 * i);
    for (int i = 16; i < 80; i++)
        w[i] = Rotl(w[i - 3] ^ w[i - 8] ^ w[i - 14] ^ w[i - 16], 1);

    UINT32 a = state[0], b = state[1], c = state[2], d = state[3], e = state[4];
    for (int i = 0; i < 80; i++)
    {
        UINT32 f, k;
        if (i < 20)
        {
            f = (b & c) | (~b & d);
            k = 0x5A827999;
        }
        else if (i < 40)
        {
            f = b ^ c ^ d;
            k = 0x6ED9EBA1;
        }
        else if (i < 60)
        {
            f = (b & c) | (b & d) | (c & d);
            k = 0x8F1BBCDC;
        }
        else
        {
            f = b ^ c ^ d;
            k = 0xCA62C1D6;
        }
        const UINT32 t = Rotl(a, 5) + f + e + k + w[i];
        e = d;
        d = c;
        c = Rotl(b, 30);
        b = a;
        a = t;
    }
    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;
    state[4] += e;
}
