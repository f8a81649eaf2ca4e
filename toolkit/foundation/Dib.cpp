#include "Dib.h"

namespace tarnwick::foundation
{
IMPLEMENT_DYNCREATE(SECDib, SECImage)

BOOL SECDib::DoLoadImage()
{
    CFile* pFile = GetFile();
    const ULONGLONG nLength = pFile->GetLength();
    const ULONGLONG nPosition = pFile->GetPosition();
    auto read = [pFile](void* pBuffer, UINT nCount) { return pFile->Read(pBuffer, nCount); };
    return ReadBmp(read, nLength > nPosition ? nLength - nPosition : 0);
}

BOOL SECDib::DoSaveImage()
{
    std::vector<BYTE> file;
    if (!WriteBmp(file))
        return FALSE;
    GetFile()->Write(file.data(), static_cast<UINT>(file.size()));
    return TRUE;
}
} // namespace tarnwick::foundation
