// A device-independent bitmap held in memory: header and colour table in one moveable global
// block, the pixel rows (padded to 4 bytes) in another, and a palette built from the table.
#pragma once

#include <afxwin.h>

namespace tarnwick::foundation
{
class SECImage : public CObject
{
    DECLARE_DYNAMIC(SECImage)
public:
    SECImage();
    ~SECImage() override;
    SECImage(const SECImage&) = delete;
    SECImage& operator=(const SECImage&) = delete;

    // Reads the bitmap's pixels through GetDIBits on pDC: depths of 8 bits or fewer keep their
    // colour table, deeper ones become 24-bit rows. FALSE when the bitmap cannot be read.
    BOOL CreateFromBitmap(CDC* pDC, CBitmap* pBitmap);
    // Draws the whole image stretched into the destination rectangle.
    BOOL StretchDIBits(CDC* pDC, int x, int y, int cx, int cy, DWORD dwRop = SRCCOPY) const;
    virtual void FreeImage();

    DWORD GetWidth() const;
    DWORD GetHeight() const;
    WORD GetBitCount() const;
    UINT GetColorCount() const;
    DWORD GetRowBytes() const;
    const BITMAPINFO* GetBitmapInfo() const;
    const BYTE* GetBits() const;
    CPalette* GetPalette() const;
    BOOL NeedsPaletteConversion() const;

    // Palette colours for a bit count: 2^bits up to 8 bits (only 1, 4 and 8 are kept), 0 above.
    static UINT ColorCountFor(WORD wBitCount);
    // Bytes of one row padded to a multiple of 4.
    static DWORD RowBytesFor(DWORD dwWidth, WORD wBitCount);

protected:
    // Builds the logical palette from the colour table; FALSE when the image has none.
    virtual BOOL CreatePalette();
    // After the bits and colour table are in place: row size, palette conversion, header.
    virtual BOOL FinishImage();
    // Allocates the header with a table of nColors entries and the bits of the current size.
    BOOL AllocateImage(UINT nColors);

private:
    WORD m_wBitCount;
    WORD m_wPlanes;
    UINT m_nColors = 0;
    DWORD m_dwWidth = 0;
    DWORD m_dwHeight = 0;
    DWORD m_dwRowBytes = 0;
    HGLOBAL m_hInfo = nullptr;
    LPBITMAPINFO m_pInfo = nullptr;
    HGLOBAL m_hBits = nullptr;
    LPBYTE m_pBits = nullptr;
    CPalette* m_pPalette = nullptr;
    BOOL m_bConvertPalette = FALSE;
};
} // namespace tarnwick::foundation
