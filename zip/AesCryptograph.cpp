#include <zip/AesCryptograph.h>

#include <zip/AutoBuffer.h>
#include <zip/Exception.h>
#include <zip/FileHeader.h>
#include <zip/RandomPool.h>
#include <zip/Storage.h>

#include <cstring>

namespace
{
const UINT MaxKeyLength = 32;
const UINT MaxSaltLength = 16;
} // namespace

bool CZipAesCryptograph::IsAesMethod(int iEncryptionMethod)
{
    return iEncryptionMethod >= CZipFileHeader::encAes128 && iEncryptionMethod <= CZipFileHeader::encAes256;
}

const CZipAesCryptograph::CKeySizes& CZipAesCryptograph::GetKeySizes(int iEncryptionMethod)
{
    // Methods 1, 2 and 3.
    static const CKeySizes sizes[] = {{16, 8}, {24, 12}, {32, 16}};
    if (!IsAesMethod(iEncryptionMethod))
        CZipException::Throw(CZipException::genericError);
    return sizes[iEncryptionMethod - CZipFileHeader::encAes128];
}

DWORD CZipAesCryptograph::GetEncryptionHeaderSize(int iEncryptionMethod)
{
    return GetKeySizes(iEncryptionMethod).uSalt + PasswordVerifierSize;
}

CZipAesCryptograph::CZipAesCryptograph(int iEncryptionMethod) : m_iEncryptionMethod(iEncryptionMethod)
{
    GetKeySizes(iEncryptionMethod);
}

void CZipAesCryptograph::DeriveKeys(const CZipAutoBuffer& password, const BYTE* pSalt,
                                    BYTE verifier[PasswordVerifierSize])
{
    const CKeySizes& sizes = GetKeySizes(m_iEncryptionMethod);
    BYTE derived[2 * MaxKeyLength + PasswordVerifierSize];
    const UINT uDerived = 2 * sizes.uKey + PasswordVerifierSize;
    CZipHmacSha1::Pbkdf2(reinterpret_cast<const BYTE*>(password.GetBuffer()), password.GetSize(), pSalt, sizes.uSalt,
                         KeyIterations, derived, uDerived);
    // AES key, authentication key, password verifier.
    m_pAesContext = std::make_unique<CZipAesContext>(derived, sizes.uKey);
    m_hmac.Start();
    m_hmac.Key(derived + sizes.uKey, sizes.uKey);
    memcpy(verifier, derived + 2 * sizes.uKey, PasswordVerifierSize);
    SecureZeroMemory(derived, sizeof(derived));
}

bool CZipAesCryptograph::BeginDecode(const CZipAutoBuffer& password, CZipFileHeader* /*pFile*/, CZipStorage* pStorage)
{
    m_pAesContext.reset();
    const UINT uSalt = GetKeySizes(m_iEncryptionMethod).uSalt;
    BYTE salt[MaxSaltLength];
    pStorage->Read(salt, uSalt, false);
    BYTE verifier[PasswordVerifierSize];
    DeriveKeys(password, salt, verifier);
    BYTE stored[PasswordVerifierSize];
    pStorage->Read(stored, PasswordVerifierSize, false);
    return memcmp(verifier, stored, PasswordVerifierSize) == 0;
}

void CZipAesCryptograph::BeginEncode(const CZipAutoBuffer& password, CZipFileHeader* pFile, CZipStorage* pStorage)
{
    m_pAesContext.reset();
    const UINT uSalt = GetKeySizes(m_iEncryptionMethod).uSalt;
    BYTE salt[MaxSaltLength];
    CZipRandomPool::Shared().GetRandomBytes(salt, uSalt);
    pStorage->Write(salt, uSalt, false);
    BYTE verifier[PasswordVerifierSize];
    DeriveKeys(password, salt, verifier);
    pFile->m_uComprSize += GetEncryptionHeaderSize(m_iEncryptionMethod);
    pStorage->Write(verifier, PasswordVerifierSize, false);
}

void CZipAesCryptograph::Decode(char* pBuffer, DWORD uSize)
{
    if (!m_pAesContext)
        return;
    // The code covers the encrypted bytes.
    m_hmac.Data(reinterpret_cast<const BYTE*>(pBuffer), uSize);
    m_pAesContext->Transform(reinterpret_cast<BYTE*>(pBuffer), uSize);
}

void CZipAesCryptograph::Encode(char* pBuffer, DWORD uSize)
{
    if (!m_pAesContext)
        return;
    m_pAesContext->Transform(reinterpret_cast<BYTE*>(pBuffer), uSize);
    m_hmac.Data(reinterpret_cast<const BYTE*>(pBuffer), uSize);
}

void CZipAesCryptograph::EndDecode(CZipFileHeader* /*pFile*/, CZipStorage* pStorage)
{
    BYTE computed[AuthenticationCodeSize];
    m_hmac.End(computed, AuthenticationCodeSize);
    BYTE stored[AuthenticationCodeSize];
    pStorage->Read(stored, AuthenticationCodeSize, false);
    if (memcmp(computed, stored, AuthenticationCodeSize) != 0)
        CZipException::Throw(CZipException::badAesAuthCode, pStorage->GetArchivePath());
}

void CZipAesCryptograph::EndEncode(CZipFileHeader* pFile, CZipStorage* pStorage)
{
    BYTE code[AuthenticationCodeSize];
    m_hmac.End(code, AuthenticationCodeSize);
    pStorage->Write(code, AuthenticationCodeSize, false);
    pFile->m_uComprSize += AuthenticationCodeSize;
}

bool CZipAesCryptograph::SupportsMethod(int iEncryptionMethod) const
{
    return IsAesMethod(iEncryptionMethod);
}
