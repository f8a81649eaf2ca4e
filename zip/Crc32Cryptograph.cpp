#include <zip/Crc32Cryptograph.h>

#include <zip/AutoBuffer.h>
#include <zip/FileHeader.h>
#include <zip/RandomPool.h>
#include <zip/Storage.h>

#include <zlib.h>

namespace
{
// The CRC-32 of the zip format, one byte at a time.
DWORD Crc32Step(DWORD uCrc, BYTE c)
{
    return get_crc_table()[(uCrc ^ c) & 0xFF] ^ (uCrc >> 8);
}
} // namespace

bool CZipCrc32Cryptograph::BeginDecode(const CZipAutoBuffer& password, CZipFileHeader* pFile, CZipStorage* pStorage)
{
    InitKeys(password);
    char header[EncryptionHeaderSize];
    pStorage->Read(header, EncryptionHeaderSize, false);
    Decode(header, EncryptionHeaderSize);
    // The last byte checks the password: the high byte of the time when the CRC follows the data.
    const BYTE uCheck = pFile->IsDataDescriptor() ? HIBYTE(pFile->m_uModTime) : HIBYTE(HIWORD(pFile->m_uCrc32));
    return static_cast<BYTE>(header[EncryptionHeaderSize - 1]) == uCheck;
}

void CZipCrc32Cryptograph::BeginEncode(const CZipAutoBuffer& password, CZipFileHeader* pFile, CZipStorage* pStorage)
{
    InitKeys(password);
    char header[EncryptionHeaderSize];
    CZipRandomPool::Shared().GetRandomBytes(reinterpret_cast<BYTE*>(header), EncryptionHeaderSize - 2);
    header[EncryptionHeaderSize - 2] = static_cast<char>(LOBYTE(pFile->m_uModTime));
    header[EncryptionHeaderSize - 1] = static_cast<char>(HIBYTE(pFile->m_uModTime));
    Encode(header, EncryptionHeaderSize);
    pStorage->Write(header, EncryptionHeaderSize, false);
    pFile->m_uComprSize += EncryptionHeaderSize;
}

void CZipCrc32Cryptograph::Decode(char* pBuffer, DWORD uSize)
{
    for (DWORD i = 0; i < uSize; i++)
    {
        const BYTE c = static_cast<BYTE>(pBuffer[i]) ^ DecryptByte();
        UpdateKeys(c);
        pBuffer[i] = static_cast<char>(c);
    }
}

void CZipCrc32Cryptograph::Encode(char* pBuffer, DWORD uSize)
{
    for (DWORD i = 0; i < uSize; i++)
    {
        const BYTE c = static_cast<BYTE>(pBuffer[i]);
        pBuffer[i] = static_cast<char>(c ^ DecryptByte());
        UpdateKeys(c);
    }
}

bool CZipCrc32Cryptograph::SupportsMethod(int iEncryptionMethod) const
{
    return iEncryptionMethod == CZipFileHeader::encStandard;
}

void CZipCrc32Cryptograph::InitKeys(const CZipAutoBuffer& password)
{
    m_keys[0] = 0x12345678;
    m_keys[1] = 0x23456789;
    m_keys[2] = 0x34567890;
    for (DWORD i = 0; i < password.GetSize(); i++)
        UpdateKeys(static_cast<BYTE>(password.GetBuffer()[i]));
}

void CZipCrc32Cryptograph::UpdateKeys(BYTE c)
{
    m_keys[0] = Crc32Step(m_keys[0], c);
    m_keys[1] = (m_keys[1] + (m_keys[0] & 0xFF)) * 134775813 + 1;
    m_keys[2] = Crc32Step(m_keys[2], static_cast<BYTE>(m_keys[1] >> 24));
}

BYTE CZipCrc32Cryptograph::DecryptByte() const
{
    const DWORD t = (m_keys[2] & 0xFFFF) | 2;
    return static_cast<BYTE>((t * (t ^ 1)) >> 8);
}
