// CZipCrc32Cryptograph: the traditional encryption of the zip format, with its 12-byte header.
#pragma once

#include <zip/Cryptograph.h>

class CZipCrc32Cryptograph : public CZipCryptograph
{
public:
    static const DWORD EncryptionHeaderSize = 12;

    bool BeginDecode(const CZipAutoBuffer& password, CZipFileHeader* pFile, CZipStorage* pStorage) override;
    void BeginEncode(const CZipAutoBuffer& password, CZipFileHeader* pFile, CZipStorage* pStorage) override;
    void Decode(char* pBuffer, DWORD uSize) override;
    void Encode(char* pBuffer, DWORD uSize) override;
    bool SupportsMethod(int iEncryptionMethod) const override;

private:
    void InitKeys(const CZipAutoBuffer& password);
    void UpdateKeys(BYTE c);
    BYTE DecryptByte() const;

    DWORD m_keys[3] = {};
};
