// CZipAesCryptograph: AES encryption of zip entries in the WinZip AE format: salt and password
// verifier before the data, counter-mode encryption, and a 10-byte authentication code after it.
#pragma once

#include <zip/AesContext.h>
#include <zip/Cryptograph.h>
#include <zip/HmacSha1.h>

#include <memory>

class CZipAesCryptograph : public CZipCryptograph
{
public:
    static const DWORD PasswordVerifierSize = 2;
    static const DWORD AuthenticationCodeSize = 10;

    static bool IsAesMethod(int iEncryptionMethod);
    // Salt and password verifier: 10, 14 or 18 bytes; CZipException 100 for a method that is not AES.
    static DWORD GetEncryptionHeaderSize(int iEncryptionMethod);

    // CZipException 100 for a method that is not AES.
    explicit CZipAesCryptograph(int iEncryptionMethod);

    bool BeginDecode(const CZipAutoBuffer& password, CZipFileHeader* pFile, CZipStorage* pStorage) override;
    void BeginEncode(const CZipAutoBuffer& password, CZipFileHeader* pFile, CZipStorage* pStorage) override;
    void Decode(char* pBuffer, DWORD uSize) override;
    void Encode(char* pBuffer, DWORD uSize) override;
    // Throws CZipException 123 when the code behind the data differs from the one computed.
    void EndDecode(CZipFileHeader* pFile, CZipStorage* pStorage) override;
    void EndEncode(CZipFileHeader* pFile, CZipStorage* pStorage) override;
    bool SupportsMethod(int iEncryptionMethod) const override;

private:
    static const UINT KeyIterations = 1000;

    struct CKeySizes
    {
        UINT uKey;
        UINT uSalt;
    };
    static const CKeySizes& GetKeySizes(int iEncryptionMethod);

    // Derives the AES key, the authentication key and the verifier from the password and salt,
    // and starts the counter mode and the authentication code afresh.
    void DeriveKeys(const CZipAutoBuffer& password, const BYTE* pSalt, BYTE verifier[PasswordVerifierSize]);

    std::unique_ptr<CZipAesContext> m_pAesContext; // null until the keys are derived
    int m_iEncryptionMethod;
    CZipHmacSha1 m_hmac;
};
