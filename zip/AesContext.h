// The AES block cipher (FIPS 197) with its key schedule and the counter-mode state of the
// WinZip AE format.
#pragma once

#include <windows.h>

class CZipAesContext
{
public:
    static constexpr UINT BlockSize = 16;

    // Builds the encryption schedule of a key of 16, 24 or 32 bytes; any other length throws
    // CZipException 100. The counter starts at zero with no keystream left.
    CZipAesContext(const BYTE* pKey, UINT uKeyLength);

    void EncryptBlock(const BYTE in[BlockSize], BYTE out[BlockSize]) const;

    // Encrypts or decrypts in place; the keystream position carries over between calls.
    void Transform(BYTE* pBuffer, UINT uLength);

private:
    BYTE m_counter[BlockSize];
    BYTE m_keystream[BlockSize];
    UINT m_uPosition; // next keystream byte; BlockSize when none is left
    UINT32 m_roundKeys[4 * 15];
    int m_nRounds;
};
