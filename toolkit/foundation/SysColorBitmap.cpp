#include <toolkit/foundation/SysColorBitmap.h>

#include <cstring>
#include <vector>

namespace
{
struct SysColorMap
{
    COLORREF clrFrom; // 0xRRGGBB
    int nSysColor;
};
constexpr SysColorMap sysColorMap[] = {
    {0x000000, COLOR_BTNTEXT},
    {0x808080, COLOR_BTNSHADOW},
    {0xC0C0C0, COLOR_BTNFACE},
    {0xFFFFFF, COLOR_BTNHIGHLIGHT},
};

// The colour table's entries: biClrUsed when given, else the full table of the depth; bit
// masks after a plain header.
DWORD ColorTableEntries(const BITMAPINFOHEADER& header)
{
    if (header.biBitCount <= 8)
        return header.biClrUsed != 0 ? header.biClrUsed : 1u << header.biBitCount;
    const DWORD dwMasks = header.biCompression == BI_BITFIELDS && header.biSize == sizeof(BITMAPINFOHEADER) ? 3 : 0;
    return header.biClrUsed + dwMasks;
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

BOOL LoadSysColorBitmap(CBitmap& bitmap, LPCTSTR lpszResourceName)
{
    const HINSTANCE hInst = AfxGetResourceHandle();
    const HRSRC hResource = ::FindResource(hInst, lpszResourceName, RT_BITMAP);
    const HGLOBAL hGlobal = hResource != nullptr ? ::LoadResource(hInst, hResource) : nullptr;
    const auto* pData = hGlobal != nullptr ? static_cast<const BYTE*>(::LockResource(hGlobal)) : nullptr;
    if (pData == nullptr)
        return FALSE;
    const DWORD dwSize = ::SizeofResource(hInst, hResource);
    BITMAPINFOHEADER header;
    if (dwSize < sizeof(header))
        return FALSE;
    std::memcpy(&header, pData, sizeof(header));
    // The header and table must lie inside the resource, whatever their fields say.
    const DWORD dwEntries = ColorTableEntries(header);
    if (header.biSize < sizeof(header) || header.biSize > dwSize || header.biWidth <= 0 || header.biHeight == 0 ||
        (header.biBitCount <= 8 && dwEntries > 256u) || dwEntries > (dwSize - header.biSize) / sizeof(RGBQUAD))
        return FALSE;
    const DWORD dwInfoSize = header.biSize + dwEntries * sizeof(RGBQUAD);
    const BYTE* pBits = pData + dwInfoSize;

    // Through a copy of the header and table, recoloured up to 8 bits per pixel.
    std::vector<BYTE> info(pData, pData + dwInfoSize);
    if (header.biBitCount <= 8)
        RecolorTable(reinterpret_cast<RGBQUAD*>(info.data() + header.biSize), dwEntries);

    const int cx = header.biWidth;
    const int cy = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    CDC dcScreen;
    dcScreen.Attach(::GetDC(nullptr));
    CDC dcMem;
    const BOOL bMade = dcMem.CreateCompatibleDC(&dcScreen) && bitmap.CreateCompatibleBitmap(&dcScreen, cx, cy);
    ::ReleaseDC(nullptr, dcScreen.Detach());
    if (!bMade)
        return FALSE;
    CBitmap* pOld = dcMem.SelectObject(&bitmap);
    ::StretchDIBits(dcMem.m_hDC, 0, 0, cx, cy, 0, 0, cx, cy, pBits, reinterpret_cast<const BITMAPINFO*>(info.data()),
                    DIB_RGB_COLORS, SRCCOPY);
    dcMem.SelectObject(pOld);
    return TRUE;
}
