#include <toolkit/foundation/BitmapDraw.h>

#include <toolkit/foundation/Colors.h>
#include <toolkit/foundation/VisualStyle.h>

#include <functional>

namespace
{
// The transparent colour as the device stores it: written to a pixel and read back.
COLORREF DeviceColor(HDC hdc, COLORREF clr)
{
    const COLORREF clrOld = ::GetPixel(hdc, 0, 0);
    const COLORREF clrStored = ::SetPixel(hdc, 0, 0, clr);
    ::SetPixel(hdc, 0, 0, clrOld);
    return clrStored == CLR_INVALID ? clr : clrStored;
}

// Luminance on a scale of 0 to 65280.
int Luminance(COLORREF clr)
{
    return GetRValue(clr) * 77 + GetGValue(clr) * 153 + GetBValue(clr) * 26;
}

// A memory DC over a top-down 32-bit bitmap whose pixels are reachable directly.
class PixelBuffer
{
public:
    PixelBuffer(int cx, int cy) : m_cx(cx), m_cy(cy), m_hdc(::CreateCompatibleDC(nullptr))
    {
        BITMAPINFO bmi{};
        bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
        bmi.bmiHeader.biWidth = cx;
        bmi.bmiHeader.biHeight = -cy;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        void* pBits = nullptr;
        m_hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
        m_pBits = static_cast<DWORD*>(pBits);
        m_hOld = m_hdc != nullptr && m_hBitmap != nullptr ? ::SelectObject(m_hdc, m_hBitmap) : nullptr;
    }
    ~PixelBuffer()
    {
        if (m_hOld != nullptr)
            ::SelectObject(m_hdc, m_hOld);
        if (m_hBitmap != nullptr)
            ::DeleteObject(m_hBitmap);
        if (m_hdc != nullptr)
            ::DeleteDC(m_hdc);
    }
    PixelBuffer(const PixelBuffer&) = delete;
    PixelBuffer& operator=(const PixelBuffer&) = delete;

    bool IsValid() const
    {
        return m_hOld != nullptr && m_pBits != nullptr;
    }
    HDC Dc() const
    {
        return m_hdc;
    }
    BOOL CopyFrom(HDC hdc, int x, int y)
    {
        return ::BitBlt(m_hdc, 0, 0, m_cx, m_cy, hdc, x, y, SRCCOPY);
    }
    BOOL CopyTo(HDC hdc, int x, int y, DWORD dwRop = SRCCOPY) const
    {
        return ::BitBlt(hdc, x, y, m_cx, m_cy, m_hdc, 0, 0, dwRop);
    }
    int Count() const
    {
        return m_cx * m_cy;
    }
    // Pixels are stored blue, green, red: the reverse of a COLORREF.
    COLORREF Get(int i) const
    {
        const DWORD v = m_pBits[i];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    void Set(int i, COLORREF clr)
    {
        m_pBits[i] = (GetRValue(clr) << 16) | (GetGValue(clr) << 8) | GetBValue(clr);
    }
    void Flush() const
    {
        ::GdiFlush();
    }

private:
    int m_cx;
    int m_cy;
    HDC m_hdc;
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOld = nullptr;
    DWORD* m_pBits = nullptr;
};

// Copies each non-transparent source pixel, changed by transform, onto the destination.
void DrawPixels(HDC hdcDst, int x, int y, int cx, int cy, HDC hdcSrc, int xSrc, int ySrc, COLORREF clrTransparent,
                const std::function<COLORREF(COLORREF)>& transform)
{
    if (cx <= 0 || cy <= 0)
        return;
    PixelBuffer dst(cx, cy);
    PixelBuffer src(cx, cy);
    if (!dst.IsValid() || !src.IsValid())
        return;
    dst.CopyFrom(hdcDst, x, y);
    src.CopyFrom(hdcSrc, xSrc, ySrc);
    const COLORREF clrKey = DeviceColor(src.Dc(), clrTransparent);
    src.Flush();
    for (int i = 0; i < src.Count(); ++i)
    {
        const COLORREF clr = src.Get(i);
        if (clr != clrKey)
            dst.Set(i, transform(clr));
    }
    dst.CopyTo(hdcDst, x, y);
}

// Paints clrPaint through a mask that is black where isPainted holds for a source pixel.
void DrawMaskPaint(HDC hdcDst, int x, int y, int cx, int cy, HDC hdcSrc, int xSrc, int ySrc, COLORREF clrTransparent,
                   COLORREF clrPaint, const std::function<bool(COLORREF)>& isPainted)
{
    if (cx <= 0 || cy <= 0)
        return;
    PixelBuffer mask(cx, cy);
    if (!mask.IsValid())
        return;
    mask.CopyFrom(hdcSrc, xSrc, ySrc);
    const COLORREF clrKey = DeviceColor(mask.Dc(), clrTransparent);
    mask.Flush();
    // The raster operation takes the brush where its source is white and the destination
    // elsewhere: the mask (black where painted) goes in inverted.
    for (int i = 0; i < mask.Count(); ++i)
    {
        const COLORREF clr = mask.Get(i);
        mask.Set(i, clr != clrKey && isPainted(clr) ? RGB(255, 255, 255) : RGB(0, 0, 0));
    }
    constexpr DWORD ROP_PAINT_THROUGH_MASK = 0xE20746;
    HBRUSH hBrush = ::CreateSolidBrush(clrPaint);
    if (hBrush == nullptr)
        return;
    HGDIOBJ hOldBrush = ::SelectObject(hdcDst, hBrush);
    mask.CopyTo(hdcDst, x, y, ROP_PAINT_THROUGH_MASK);
    ::SelectObject(hdcDst, hOldBrush);
    ::DeleteObject(hBrush);
}
} // namespace

BOOL SECDrawMaskedBitmap(HDC hdcDst, int x, int y, int cx, int cy, HDC hdcSrc, int xSrc, int ySrc, int cxSrc,
                         int ySrcBottom, COLORREF clrTransparent)
{
    const int cySrc = ySrcBottom - ySrc;
    HDC hdcMask = ::CreateCompatibleDC(hdcDst);
    HBITMAP hMask = ::CreateBitmap(cxSrc, cySrc, 1, 1, nullptr);
    if (hdcMask == nullptr || hMask == nullptr)
    {
        if (hMask != nullptr)
            ::DeleteObject(hMask);
        if (hdcMask != nullptr)
            ::DeleteDC(hdcMask);
        return FALSE;
    }
    HGDIOBJ hOldMask = ::SelectObject(hdcMask, hMask);
    // White where the source has the transparent colour.
    const COLORREF clrOldSrcBk = ::SetBkColor(hdcSrc, clrTransparent);
    ::BitBlt(hdcMask, 0, 0, cxSrc, cySrc, hdcSrc, xSrc, ySrc, SRCCOPY);
    ::SetBkColor(hdcSrc, clrOldSrcBk);

    // dst ^ src, then cleared where opaque, then ^ src: the destination where transparent,
    // the source elsewhere.
    const COLORREF clrOldText = ::SetTextColor(hdcDst, RGB(0, 0, 0));
    const COLORREF clrOldBk = ::SetBkColor(hdcDst, RGB(255, 255, 255));
    ::BitBlt(hdcDst, x, y, cx, cy, hdcSrc, xSrc, ySrc, SRCINVERT);
    ::BitBlt(hdcDst, x, y, cx, cy, hdcMask, 0, 0, SRCAND);
    const BOOL bResult = ::BitBlt(hdcDst, x, y, cx, cy, hdcSrc, xSrc, ySrc, SRCINVERT);
    ::SetTextColor(hdcDst, clrOldText);
    ::SetBkColor(hdcDst, clrOldBk);

    ::SelectObject(hdcMask, hOldMask);
    ::DeleteObject(hMask);
    ::DeleteDC(hdcMask);
    return bResult;
}

HRESULT SECDrawThemedBitmap(HTHEME hTheme, HDC hdc, HBITMAP hbmp, int iPartId, int iStateId, int x, int y, int cx,
                            int cy, int dx, int dy, int cxBmp, int cyBmp, COLORREF clrTransparent)
{
    if (hTheme == nullptr || !SECIsAppThemed() || !SECIsThemeActive())
        return E_FAIL;
    const RECT rect{x, y, x + cx, y + cy};
    HRESULT hr = SECDrawThemeBackground(hTheme, hdc, iPartId, iStateId, &rect, nullptr);
    if (SUCCEEDED(hr))
    {
        HDC hdcBitmap = ::CreateCompatibleDC(hdc);
        if (hdcBitmap == nullptr)
            hr = E_FAIL;
        else
        {
            HGDIOBJ hOld = ::SelectObject(hdcBitmap, hbmp);
            hr = SECDrawMaskedBitmap(hdc, x + dx, y + dy, cxBmp, cyBmp, hdcBitmap, 0, 0, cxBmp, cyBmp, clrTransparent)
                     ? S_OK
                     : E_FAIL;
            ::SelectObject(hdcBitmap, hOld);
            ::DeleteDC(hdcBitmap);
        }
    }
    return hr;
}

void SECDrawBitmapPixels(HDC hdcDst, int x, int y, int cx, int cy, HDC hdcSrc, int xSrc, int ySrc,
                         COLORREF clrTransparent, BOOL bSwapExtremes)
{
    constexpr int LUMINANCE_LIGHT = 64768;
    constexpr int LUMINANCE_DARK = 25600;
    DrawPixels(hdcDst, x, y, cx, cy, hdcSrc, xSrc, ySrc, clrTransparent, [bSwapExtremes](COLORREF clr) {
        if (!bSwapExtremes)
            return clr;
        const int nLuminance = Luminance(clr);
        if (nLuminance > LUMINANCE_LIGHT)
            clr = RGB(0, 0, 0);
        else if (nLuminance < LUMINANCE_DARK)
            clr = RGB(255, 255, 255);
        return SECLightenColor(clr, 32);
    });
}

void SECDrawBlendedBitmap(HDC hdcDst, int x, int y, int cx, int cy, HDC hdcSrc, int xSrc, int ySrc,
                          COLORREF clrTransparent, COLORREF clrBlend, BYTE alpha)
{
    DrawPixels(hdcDst, x, y, cx, cy, hdcSrc, xSrc, ySrc, clrTransparent, [clrBlend, alpha](COLORREF clr) {
        const auto mix = [alpha](int a, int b) { return static_cast<BYTE>((a * alpha + b * (255 - alpha)) / 256); };
        return RGB(mix(GetRValue(clr), GetRValue(clrBlend)), mix(GetGValue(clr), GetGValue(clrBlend)),
                   mix(GetBValue(clr), GetBValue(clrBlend)));
    });
}

void SECDrawMonochromeBitmap(HDC hdcDst, int x, int y, int cx, int cy, HDC hdcSrc, int xSrc, int ySrc,
                             COLORREF clrTransparent, COLORREF clrPaint)
{
    constexpr int LUMINANCE_WHITE = 46080;
    DrawMaskPaint(hdcDst, x, y, cx, cy, hdcSrc, xSrc, ySrc, clrTransparent, clrPaint,
                  [](COLORREF clr) { return Luminance(clr) <= LUMINANCE_WHITE; });
}

void SECDrawSilhouetteBitmap(HDC hdcDst, int x, int y, int cx, int cy, HDC hdcSrc, int xSrc, int ySrc,
                             COLORREF clrTransparent, COLORREF clrPaint)
{
    DrawMaskPaint(hdcDst, x, y, cx, cy, hdcSrc, xSrc, ySrc, clrTransparent, clrPaint, [](COLORREF) { return true; });
}

BOOL SECDrawGradientRect(HDC hdc, int x, int y, int cx, int cy, COLORREF clrEnd, COLORREF clrStart, BOOL bHorizontal)
{
    constexpr int BANDS = 255;
    const double step = (bHorizontal ? cx : cy) / static_cast<double>(BANDS);
    const auto channel = [](int nStart, int nEnd, int i) {
        return static_cast<BYTE>(nStart + (nEnd - nStart) * i / BANDS);
    };
    for (int i = 0; i < BANDS; ++i)
    {
        const int nFrom = static_cast<int>(i * step);
        const int nTo = static_cast<int>((i + 1) * step);
        const RECT band = bHorizontal ? RECT{x + nFrom, y, x + nTo, y + cy} : RECT{x, y + nFrom, x + cx, y + nTo};
        HBRUSH hBrush = ::CreateSolidBrush(RGB(channel(GetRValue(clrStart), GetRValue(clrEnd), i),
                                               channel(GetGValue(clrStart), GetGValue(clrEnd), i),
                                               channel(GetBValue(clrStart), GetBValue(clrEnd), i)));
        if (hBrush == nullptr)
            return FALSE;
        ::FillRect(hdc, &band, hBrush);
        ::DeleteObject(hBrush);
    }
    return TRUE;
}
