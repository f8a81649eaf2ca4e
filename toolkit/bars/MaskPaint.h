// Painting a brush through a monochrome mask, as the button and menu images do for their
// embossed, dithered and checked looks.
#pragma once

#include <windows.h>

namespace tarnwick::bars
{
// Where the mask is black, the brush (else the destination stays).
constexpr DWORD ROP_PSDPXAX = 0x00B8074A;
// Where the mask is white, the brush (else the destination stays).
constexpr DWORD ROP_DSPDXAX = 0x00E20746;

// Blits the mask at (xMask, yMask) to (x, y) with the brush and raster operation, the
// destination's text black and background white for the time of the blit.
void PaintThroughMask(HDC hdcDst, int x, int y, int cx, int cy, HDC hdcMask, int xMask, int yMask, HBRUSH hBrush,
                      DWORD dwRop);

// The shape where the mask is black, embossed: the highlight one pixel down and right, then
// the shadow in place.
void PaintEmbossed(HDC hdcDst, int x, int y, int cx, int cy, HDC hdcMask, int xMask, int yMask, COLORREF clrHilite,
                   COLORREF clrShadow);
} // namespace tarnwick::bars
