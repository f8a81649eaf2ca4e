#include <zip/AesContext.h>

#include <zip/Exception.h>

#include <cstring>

namespace
{
// Words hold the four bytes of a column with row 0 in the low byte.
UINT32 Rotl(UINT32 x, int n)
{
    return (x << n) | (x >> (32 - n));
}

UINT32 Load(const BYTE* p)
{
    return UINT32(p[0]) | (UINT32(p[1]) << 8) | (UINT32(p[2]) << 16) | (UINT32(p[3]) << 24);
}

void Store(BYTE* p, UINT32 x)
{
    p[0] = BYTE(x);
    p[1] = BYTE(x >> 8);
    p[2] = BYTE(x >> 16);
    p[3] = BYTE(x >> 24);
}

// The S-box, the round constants and the combined SubBytes-MixColumns tables, derived from the
// field polynomial 0x11B once at start-up.
struct CAesTables
{
    BYTE sbox[256];
    BYTE rcon[10];
    UINT32 round[4][256];

    CAesTables()
    {
        // Powers and logarithms of the generator 3 make the inverses.
        BYTE power[256], log[256] = {};
        BYTE x = 1;
        for (int i = 0; i < 256; i++)
        {
            power[i] = x;
            log[x] = BYTE(i);
            x ^= Times2(x);
        }
        for (int i = 0; i < 256; i++)
        {
            const BYTE inverse = i == 0 ? 0 : power[255 - log[i]];
            BYTE s = inverse;
            for (int shift = 1; shift <= 4; shift++)
                s ^= BYTE((inverse << shift) | (inverse >> (8 - shift)));
            sbox[i] = s ^ 0x63;
        }
        BYTE r = 1;
        for (BYTE& c : rcon)
        {
            c = r;
            r = Times2(r);
        }
        for (int i = 0; i < 256; i++)
        {
            const BYTE s = sbox[i];
            const BYTE s2 = Times2(s);
            round[0][i] = UINT32(s2) | (UINT32(s) << 8) | (UINT32(s) << 16) | (UINT32(s2 ^ s) << 24);
            for (int t = 1; t < 4; t++)
                round[t][i] = Rotl(round[0][i], 8 * t);
        }
    }

    static BYTE Times2(BYTE x)
    {
        return BYTE((x << 1) ^ (x & 0x80 ? 0x1B : 0));
    }

    UINT32 SubWord(UINT32 w) const
    {
        return UINT32(sbox[w & 0xFF]) | (UINT32(sbox[(w >> 8) & 0xFF]) << 8) | (UINT32(sbox[(w >> 16) & 0xFF]) << 16) |
               (UINT32(sbox[w >> 24]) << 24);
    }
};

const CAesTables tables;
} // namespace

CZipAesContext::CZipAesContext(const BYTE* pKey, UINT uKeyLength)
{
    if (uKeyLength != 16 && uKeyLength != 24 && uKeyLength != 32)
        CZipException::Throw(CZipException::genericError);

    const int nKeyWords = int(uKeyLength / 4);
    m_nRounds = nKeyWords + 6;
    const int nWords = 4 * (m_nRounds + 1);
    UINT32* w = m_roundKeys;
    for (int i = 0; i < nKeyWords; i++)
        w[i] = Load(pKey + 4 * i);
    for (int i = nKeyWords; i < nWords; i++)
    {
        UINT32 t = w[i - 1];
        if (i % nKeyWords == 0)
            t = tables.SubWord(Rotl(t, 24)) ^ tables.rcon[i / nKeyWords - 1];
        else if (nKeyWords > 6 && i % nKeyWords == 4)
            t = tables.SubWord(t);
        w[i] = w[i - nKeyWords] ^ t;
    }
    memset(m_counter, 0, sizeof(m_counter));
    memset(m_keystream, 0, sizeof(m_keystream));
    m_uPosition = BlockSize;
}

void CZipAesContext::EncryptBlock(const BYTE in[BlockSize], BYTE out[BlockSize]) const
{
    const UINT32* rk = m_roundKeys;
    UINT32 s[4], t[4];
    for (int c = 0; c < 4; c++)
        s[c] = Load(in + 4 * c) ^ rk[c];
    for (int r = 1; r < m_nRounds; r++)
    {
        rk += 4;
        for (int c = 0; c < 4; c++)
            t[c] = tables.round[0][s[c] & 0xFF] ^ tables.round[1][(s[(c + 1) & 3] >> 8) & 0xFF] ^
                   tables.round[2][(s[(c + 2) & 3] >> 16) & 0xFF] ^ tables.round[3][s[(c + 3) & 3] >> 24] ^ rk[c];
        memcpy(s, t, sizeof(s));
    }
    rk += 4;
    for (int c = 0; c < 4; c++)
    {
        const UINT32 shifted =
            (s[c] & 0xFF) | (s[(c + 1) & 3] & 0xFF00) | (s[(c + 2) & 3] & 0xFF0000) | (s[(c + 3) & 3] & 0xFF000000);
        Store(out + 4 * c, tables.SubWord(shifted) ^ rk[c]);
    }
}

void CZipAesContext::Transform(BYTE* pBuffer, UINT uLength)
{
    for (UINT i = 0; i < uLength; i++)
    {
        if (m_uPosition == BlockSize)
        {
            // The counter is the little-endian number in the first 8 bytes; the rest stays zero.
            for (int j = 0; j < 8 && ++m_counter[j] == 0; j++)
            {
            }
            EncryptBlock(m_counter, m_keystream);
            m_uPosition = 0;
        }
        pBuffer[i] ^= m_keystream[m_uPosition++];
    }
}
