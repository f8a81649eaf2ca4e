#include <toolkit/bars/MaskPaint.h>

namespace tarnwick::bars
{
void PaintThroughMask(HDC hdcDst, int x, int y, int cx, int cy, HDC hdcMask, int xMask, int yMask, HBRUSH hBrush,
                      DWORD dwRop)
{
    const COLORREF clrOldText = ::SetTextColor(hdcDst, RGB(0, 0, 0));
    const COLORREF clrOldBk = ::SetBkColor(hdcDst, RGB(255, 255, 255));
    const HGDIOBJ hOldBrush = ::SelectObject(hdcDst, hBrush);
    ::BitBlt(hdcDst, x, y, cx, cy, hdcMask, xMask, yMask, dwRop);
    ::SelectObject(hdcDst, hOldBrush);
    ::SetTextColor(hdcDst, clrOldText);
    ::SetBkColor(hdcDst, clrOldBk);
}

void PaintEmbossed(HDC hdcDst, int x, int y, int cx, int cy, HDC hdcMask, int xMask, int yMask, COLORREF clrHilite,
                   COLORREF clrShadow)
{
    const HBRUSH hHilite = ::CreateSolidBrush(clrHilite);
    const HBRUSH hShadow = ::CreateSolidBrush(clrShadow);
    // A colour that GDI cannot give is left out.
    if (hHilite != nullptr)
    {
        PaintThroughMask(hdcDst, x + 1, y + 1, cx, cy, hdcMask, xMask, yMask, hHilite, ROP_PSDPXAX);
        ::DeleteObject(hHilite);
    }
    if (hShadow != nullptr)
    {
        PaintThroughMask(hdcDst, x, y, cx, cy, hdcMask, xMask, yMask, hShadow, ROP_PSDPXAX);
        ::DeleteObject(hShadow);
    }
}
} // namespace tarnwick::bars
