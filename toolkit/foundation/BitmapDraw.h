// Blits of button images: through a mask of the transparent colour, pixel by pixel with
// colour changes, or as a one-colour shape; and gradient fills. Each makes and frees its own
// memory DCs and bitmaps.
#pragma once

#include <windows.h>
#include <uxtheme.h>

// Draws the source except its transparent pixels; the mask is cxSrc wide and from ySrc down
// to ySrcBottom. The result of the last blit.
BOOL SECDrawMaskedBitmap(HDC hdcDst, int x, int y, int cx, int cy, HDC hdcSrc, int xSrc, int ySrc, int cxSrc,
                         int ySrcBottom, COLORREF clrTransparent);
// The theme part's background over the rectangle, drawn with the data of the caller's theme
// holder, then the bitmap masked at (x + dx, y + dy); E_FAIL without data or active visual styles.
HRESULT SECDrawThemedBitmap(HTHEME hTheme, HDC hdc, HBITMAP hbmp, int iPartId, int iStateId, int x, int y, int cx,
                            int cy, int dx, int dy, int cxBmp, int cyBmp, COLORREF clrTransparent);
// Copies the non-transparent pixels; with bSwapExtremes very light ones turn black and very
// dark ones white, and all are lightened by 32.
void SECDrawBitmapPixels(HDC hdcDst, int x, int y, int cx, int cy, HDC hdcSrc, int xSrc, int ySrc,
                         COLORREF clrTransparent, BOOL bSwapExtremes);
// Copies the non-transparent pixels mixed with clrBlend: alpha 255 keeps the pixel.
void SECDrawBlendedBitmap(HDC hdcDst, int x, int y, int cx, int cy, HDC hdcSrc, int xSrc, int ySrc,
                          COLORREF clrTransparent, COLORREF clrBlend, BYTE alpha);
// Paints clrPaint where the source is dark, leaving the rest of the destination.
void SECDrawMonochromeBitmap(HDC hdcDst, int x, int y, int cx, int cy, HDC hdcSrc, int xSrc, int ySrc,
                             COLORREF clrTransparent, COLORREF clrPaint);
// Paints clrPaint wherever the source is not transparent.
void SECDrawSilhouetteBitmap(HDC hdcDst, int x, int y, int cx, int cy, HDC hdcSrc, int xSrc, int ySrc,
                             COLORREF clrTransparent, COLORREF clrPaint);
// 255 bands from clrStart towards clrEnd, across the width when bHorizontal, else down.
BOOL SECDrawGradientRect(HDC hdc, int x, int y, int cx, int cy, COLORREF clrEnd, COLORREF clrStart, BOOL bHorizontal);
