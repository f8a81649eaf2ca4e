#include "HalftoneBrush.h"

#include <toolkit/foundation/AuxData.h>

namespace tarnwick::tabs
{
namespace
{
RGBQUAD Quad(COLORREF color)
{
    return {GetBValue(color), GetGValue(color), GetRValue(color), 0};
}
} // namespace

HBRUSH CreateHalftoneBrush()
{
    struct
    {
        BITMAPINFOHEADER header;
        RGBQUAD colors[2];
    } info = {};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = 8;
    info.header.biHeight = 8;
    info.header.biPlanes = 1;
    info.header.biBitCount = 1;
    info.header.biCompression = BI_RGB;
    const SEC_AUX_DATA* pAux = SECGetAuxData();
    info.colors[0] = Quad(pAux->clrBtnFace);
    info.colors[1] = Quad(pAux->clrBtnHilite);

    // Rows of a 1-bit bitmap are padded to 32 bits.
    DWORD rows[8];
    for (int i = 0; i < 8; ++i)
        rows[i] = (i % 2 == 0) ? 0xAA : 0x55;

    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hBitmap = ::CreateDIBitmap(hScreen, &info.header, CBM_INIT, rows,
                                       reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, hScreen);
    if (hBitmap == nullptr)
        return nullptr;
    HBRUSH hBrush = ::CreatePatternBrush(hBitmap);
    ::DeleteObject(hBitmap);
    return hBrush;
}

void RefreshHalftoneBrush(CBrush& holder)
{
    if (holder.GetSafeHandle() == nullptr)
        return;
    holder.DeleteObject();
    holder.Attach(CreateHalftoneBrush());
}
} // namespace tarnwick::tabs
