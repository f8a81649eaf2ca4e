#include <afx/SysColors.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace
{
struct SysColorMap
{
    COLORREF clrFrom; // 0xRRGGBB, as a colour table holds it
    int nSysColor;
};
constexpr SysColorMap sysColorMap[] = {
    {0x000000, COLOR_BTNTEXT},
    {0x808080, COLOR_BTNSHADOW},
    {0xC0C0C0, COLOR_BTNFACE},
    {0xFFFFFF, COLOR_BTNHIGHLIGHT},
};

// The colour table's entries: biClrUsed when given, else the full table of the depth; the
// three bit masks that follow a plain header count as entries.
DWORD ColorTableEntries(const BITMAPINFOHEADER& header)
{
    if (header.biBitCount <= 8)
        return header.biClrUsed != 0 ? header.biClrUsed : 1u << header.biBitCount;
    const DWORD dwMasks = header.biCompression == BI_BITFIELDS && header.biSize == sizeof(BITMAPINFOHEADER) ? 3 : 0;
    return header.biClrUsed + dwMasks;
}

ULONGLONG PixelBytes(const BITMAPINFOHEADER& header)
{
    if (header.biCompression != BI_RGB && header.biCompression != BI_BITFIELDS)
        return header.biSizeImage;
    const ULONGLONG cbRow = (static_cast<ULONGLONG>(header.biWidth) * header.biBitCount + 31) / 32 * 4;
    return cbRow * static_cast<ULONGLONG>(std::llabs(header.biHeight));
}

void RecolorTable(RGBQUAD* pTable, DWORD dwEntries)
{
    for (DWORD i = 0; i < dwEntries; ++i)
    {
        RGBQUAD& entry = pTable[i];
        const COLORREF clr = (entry.rgbRed << 16) | (entry.rgbGreen << 8) | entry.rgbBlue;
        for (const SysColorMap& map : sysColorMap)
            if (clr == map.clrFrom)
            {
                const COLORREF clrSys = ::GetSysColor(map.nSysColor);
                entry.rgbRed = GetRValue(clrSys);
                entry.rgbGreen = GetGValue(clrSys);
                entry.rgbBlue = GetBValue(clrSys);
                break;
            }
    }
}
} // namespace

HBITMAP AfxLoadSysColorBitmap(HINSTANCE hInst, HRSRC hRsrc)
{
    const HGLOBAL hGlobal = hRsrc != nullptr ? ::LoadResource(hInst, hRsrc) : nullptr;
    const auto* pData = hGlobal != nullptr ? static_cast<const BYTE*>(::LockResource(hGlobal)) : nullptr;
    if (pData == nullptr)
        return nullptr;
    const DWORD dwSize = ::SizeofResource(hInst, hRsrc);
    BITMAPINFOHEADER header;
    if (dwSize < sizeof(header))
        return nullptr;
    std::memcpy(&header, pData, sizeof(header));
    // Header, table and pixels must lie inside the resource, whatever its fields say.
    const DWORD dwEntries = ColorTableEntries(header);
    if (header.biSize < sizeof(header) || header.biSize > dwSize || header.biWidth <= 0 || header.biHeight == 0 ||
        (header.biBitCount <= 8 && dwEntries > 256u) || dwEntries > (dwSize - header.biSize) / sizeof(RGBQUAD))
        return nullptr;
    const DWORD dwInfoSize = header.biSize + dwEntries * sizeof(RGBQUAD);
    if (PixelBytes(header) > dwSize - dwInfoSize)
        return nullptr;
    const BYTE* pBits = pData + dwInfoSize;

    // The resource is read-only: recolour a copy of its header and table.
    std::vector<BYTE> info(pData, pData + dwInfoSize);
    if (header.biBitCount <= 8)
        RecolorTable(reinterpret_cast<RGBQUAD*>(info.data() + header.biSize), dwEntries);

    const int cx = header.biWidth;
    const int cy = std::abs(header.biHeight);
    HDC hdcScreen = ::GetDC(nullptr);
    HBITMAP hbm = ::CreateCompatibleBitmap(hdcScreen, cx, cy);
    HDC hdcMem = ::CreateCompatibleDC(hdcScreen);
    ::ReleaseDC(nullptr, hdcScreen);
    if (hbm == nullptr || hdcMem == nullptr)
    {
        if (hbm != nullptr)
            ::DeleteObject(hbm);
        if (hdcMem != nullptr)
            ::DeleteDC(hdcMem);
        return nullptr;
    }
    HGDIOBJ hOld = ::SelectObject(hdcMem, hbm);
    ::StretchDIBits(hdcMem, 0, 0, cx, cy, 0, 0, cx, cy, pBits, reinterpret_cast<const BITMAPINFO*>(info.data()),
                    DIB_RGB_COLORS, SRCCOPY);
    ::SelectObject(hdcMem, hOld);
    ::DeleteDC(hdcMem);
    return hbm;
}
