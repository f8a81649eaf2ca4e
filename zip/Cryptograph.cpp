#include <zip/Cryptograph.h>

#include <zip/AesCryptograph.h>
#include <zip/Crc32Cryptograph.h>
#include <zip/FileHeader.h>

CZipCryptograph* CZipCryptograph::CreateCryptograph(int iEncryptionMethod)
{
    if (iEncryptionMethod == CZipFileHeader::encNone)
        return nullptr;
    if (CZipAesCryptograph::IsAesMethod(iEncryptionMethod))
        return new CZipAesCryptograph(iEncryptionMethod);
    return new CZipCrc32Cryptograph;
}

void CZipCryptograph::EndDecode(CZipFileHeader* /*pFile*/, CZipStorage* /*pStorage*/)
{
}

void CZipCryptograph::EndEncode(CZipFileHeader* /*pFile*/, CZipStorage* /*pStorage*/)
{
}

bool CZipCryptograph::SupportsMethod(int /*iEncryptionMethod*/) const
{
    return false;
}
