// Makes the image class for a file: by the name's extension, or by trying every format on an
// open file.
#pragma once

#include "Image.h"

namespace tarnwick::foundation
{
class SECImageFactory
{
public:
    // The extensions the factory knows, in the order it tries them; only ".dib", ".bmp" and
    // ".jpg" make an image.
    static constexpr int FormatCount = 7;
    static LPCWSTR GetExtension(int nFormat);
    // A new, empty image of the format, owned by the caller; null for a format without one.
    static SECImage* CreateImage(int nFormat);
    // By the extension after the last dot, in any case; null for an unknown one.
    static SECImage* CreateImageForName(LPCTSTR lpszFileName);
    // The first format whose image loads from the file, loaded and owned by the caller; the
    // file is sought back to its start after each failure. Null when none loads.
    static SECImage* LoadImageFromFile(CFile* pFile);
    // Opens the file and loads it as LoadImageFromFile does; null when it cannot be opened.
    static SECImage* LoadImageFromFile(LPCTSTR lpszFileName);
    // Loads the file by its name and makes a device bitmap of it for the screen.
    static BOOL LoadImageIntoBitmap(LPCTSTR lpszFileName, CBitmap& bitmap);
};
} // namespace tarnwick::foundation
