// CZipCryptograph: encrypts the data of one zip entry while it is written and decrypts it while
// it is read.
#pragma once

#include <windows.h>

class CZipAutoBuffer;
class CZipFileHeader;
class CZipStorage;

class CZipCryptograph
{
public:
    // A new cryptograph for an encryption method of CZipFileHeader, owned by the caller: none
    // for encNone, AES for the AES methods, traditional encryption for every other value.
    static CZipCryptograph* CreateCryptograph(int iEncryptionMethod);

    CZipCryptograph() = default;
    CZipCryptograph(const CZipCryptograph&) = delete;
    CZipCryptograph& operator=(const CZipCryptograph&) = delete;
    virtual ~CZipCryptograph() = default;

    // Reads the encryption header behind the local header; true when the password fits.
    virtual bool BeginDecode(const CZipAutoBuffer& password, CZipFileHeader* pFile, CZipStorage* pStorage) = 0;
    // Writes the encryption header behind the local header and counts it in the compressed size.
    virtual void BeginEncode(const CZipAutoBuffer& password, CZipFileHeader* pFile, CZipStorage* pStorage) = 0;
    // In place.
    virtual void Decode(char* pBuffer, DWORD uSize) = 0;
    virtual void Encode(char* pBuffer, DWORD uSize) = 0;
    virtual void EndDecode(CZipFileHeader* pFile, CZipStorage* pStorage);
    virtual void EndEncode(CZipFileHeader* pFile, CZipStorage* pStorage);
    virtual bool SupportsMethod(int iEncryptionMethod) const;
};
