#include <grid/core/SysColorBitmap.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace
{
struct ColorMap
{
    COLORREF rgbFrom;
    int nSysColor;
};

const ColorMap colorMap[] = {
    {RGB(0, 0, 0), COLOR_BTNTEXT},
    {RGB(128, 128, 128), COLOR_BTNSHADOW},
    {RGB(192, 192, 192), COLOR_BTNFACE},
    {RGB(255, 255, 255), COLOR_BTNHIGHLIGHT},
};

DWORD ColorTableSize(const BITMAPINFOHEADER& bih)
{
    if (bih.biClrUsed != 0)
        return bih.biClrUsed;
    return bih.biBitCount <= 8 ? 1u << bih.biBitCount : 0;
}
} // namespace

HBITMAP GXLoadSysColorBitmap(HINSTANCE hInstance, UINT nResourceId)
{
    HRSRC hResource = ::FindResourceW(hInstance, MAKEINTRESOURCEW(nResourceId), RT_BITMAP);
    if (hResource == nullptr)
        return nullptr;
    const DWORD cbResource = ::SizeofResource(hInstance, hResource);
    HGLOBAL hData = ::LoadResource(hInstance, hResource);
    const auto* pbResource = static_cast<const BYTE*>(hData != nullptr ? ::LockResource(hData) : nullptr);
    if (pbResource == nullptr || cbResource < sizeof(BITMAPINFOHEADER))
        return nullptr;

    const auto& bihResource = *reinterpret_cast<const BITMAPINFOHEADER*>(pbResource);
    const DWORD nColors = ColorTableSize(bihResource);
    const DWORD cbMasks = bihResource.biCompression == BI_BITFIELDS ? 3 * sizeof(DWORD) : 0;
    const DWORD cbHeader = bihResource.biSize + cbMasks + nColors * sizeof(RGBQUAD);
    if (bihResource.biSize < sizeof(BITMAPINFOHEADER) || cbHeader > cbResource)
        return nullptr;
    const int cx = bihResource.biWidth;
    const int cy = std::abs(bihResource.biHeight);
    const bool bPlain = bihResource.biCompression == BI_RGB || bihResource.biCompression == BI_BITFIELDS;
    const ULONGLONG cbBits =
        bPlain ? (static_cast<ULONGLONG>(cx) * bihResource.biBitCount + 31) / 32 * 4 * cy : bihResource.biSizeImage;
    if (cx <= 0 || cbBits > cbResource - cbHeader)
        return nullptr;

    // The resource is read-only: map the colours in a copy of its header and colour table.
    std::vector<BYTE> header(pbResource, pbResource + cbHeader);
    auto* pColors = reinterpret_cast<RGBQUAD*>(header.data() + bihResource.biSize + cbMasks);
    for (DWORD i = 0; i < nColors; ++i)
    {
        RGBQUAD& q = pColors[i];
        const COLORREF rgb = RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
        const auto* pMap = std::find_if(std::begin(colorMap), std::end(colorMap),
                                        [rgb](const ColorMap& m) { return m.rgbFrom == rgb; });
        if (pMap == std::end(colorMap))
            continue;
        const COLORREF sys = ::GetSysColor(pMap->nSysColor);
        q.rgbRed = GetRValue(sys);
        q.rgbGreen = GetGValue(sys);
        q.rgbBlue = GetBValue(sys);
    }

    const auto* pbmi = reinterpret_cast<const BITMAPINFO*>(header.data());
    HDC hdcScreen = ::GetDC(nullptr);
    HBITMAP hbm = ::CreateCompatibleBitmap(hdcScreen, cx, cy);
    HDC hdcMem = ::CreateCompatibleDC(hdcScreen);
    if (hbm != nullptr && hdcMem != nullptr)
    {
        HGDIOBJ hOld = ::SelectObject(hdcMem, hbm);
        ::StretchDIBits(hdcMem, 0, 0, cx, cy, 0, 0, cx, cy, pbResource + cbHeader, pbmi, DIB_RGB_COLORS, SRCCOPY);
        ::SelectObject(hdcMem, hOld);
    }
    if (hdcMem != nullptr)
        ::DeleteDC(hdcMem);
    ::ReleaseDC(nullptr, hdcScreen);
    return hbm;
}
