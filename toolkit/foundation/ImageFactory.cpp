#include "ImageFactory.h"

#include <memory>

#include "Dib.h"
#include "Jpeg.h"

namespace tarnwick::foundation
{
namespace
{
struct Format
{
    LPCWSTR pszExtension;
    CRuntimeClass* pClass;
};

const Format kFormats[SECImageFactory::FormatCount] = {
    {L".dib", RUNTIME_CLASS(SECDib)}, {L".gif", nullptr}, {L".pcx", nullptr},
    {L".tif", nullptr},               {L".tgs", nullptr}, {L".bmp", RUNTIME_CLASS(SECDib)},
    {L".jpg", RUNTIME_CLASS(SECJpeg)}};
} // namespace

LPCWSTR SECImageFactory::GetExtension(int nFormat)
{
    return nFormat >= 0 && nFormat < FormatCount ? kFormats[nFormat].pszExtension : nullptr;
}

SECImage* SECImageFactory::CreateImage(int nFormat)
{
    if (nFormat < 0 || nFormat >= FormatCount || kFormats[nFormat].pClass == nullptr)
        return nullptr;
    return static_cast<SECImage*>(kFormats[nFormat].pClass->CreateObject());
}

SECImage* SECImageFactory::CreateImageForName(LPCTSTR lpszFileName)
{
    LPCWSTR pszDot = lpszFileName != nullptr ? wcsrchr(lpszFileName, L'.') : nullptr;
    if (pszDot == nullptr)
        return nullptr;
    for (int i = 0; i < FormatCount; i++)
    {
        if (_wcsicmp(pszDot, kFormats[i].pszExtension) == 0)
            return CreateImage(i);
    }
    return nullptr;
}

SECImage* SECImageFactory::LoadImageFromFile(CFile* pFile)
{
    if (pFile == nullptr)
        return nullptr;
    for (int i = 0; i < FormatCount; i++)
    {
        std::unique_ptr<SECImage> pImage(CreateImage(i));
        if (pImage == nullptr)
            continue;
        if (pImage->LoadImage(pFile))
            return pImage.release();
        pFile->SeekToBegin();
    }
    return nullptr;
}

SECImage* SECImageFactory::LoadImageFromFile(LPCTSTR lpszFileName)
{
    CFile file;
    if (!file.Open(lpszFileName, CFile::modeRead | CFile::shareDenyWrite))
        return nullptr;
    try
    {
        return LoadImageFromFile(&file);
    }
    catch (CException* e)
    {
        e->Delete();
        return nullptr;
    }
}

BOOL SECImageFactory::LoadImageIntoBitmap(LPCTSTR lpszFileName, CBitmap& bitmap)
{
    std::unique_ptr<SECImage> pImage(LoadImageFromFile(lpszFileName));
    if (pImage == nullptr)
        return FALSE;
    HDC hdc = ::GetDC(nullptr);
    // From the device-independent bits, so that rows, padding and palette are read right.
    HBITMAP hBitmap = ::CreateDIBitmap(hdc, &pImage->GetBitmapInfo()->bmiHeader, CBM_INIT, pImage->GetBits(),
                                       pImage->GetBitmapInfo(), DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, hdc);
    return hBitmap != nullptr && bitmap.Attach(hBitmap);
}
} // namespace tarnwick::foundation
