// Images built from bitmaps: the header, row size and colour count for each depth, the pixels
// drawn back onto a memory DC, and the palette of a colour table.
#include <toolkit/foundation/Dib.h>

#include <gtest/gtest.h>

#include <testing/MemoryCanvas.h>

using tarnwick::foundation::SECDib;

namespace
{
constexpr COLORREF WHITE = RGB(255, 255, 255);
constexpr COLORREF RED = RGB(255, 0, 0);
constexpr COLORREF BLUE = RGB(0, 0, 255);

// A top-down DIB section of the given depth, painted red with a blue pixel at (4, 2).
HBITMAP MakeBitmap(int cx, int cy, WORD wBits)
{
    struct
    {
        BITMAPINFOHEADER header;
        RGBQUAD colors[256];
    } info = {};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = cx;
    info.header.biHeight = -cy;
    info.header.biPlanes = 1;
    info.header.biBitCount = wBits;
    info.colors[0] = {0, 0, 255, 0}; // red
    info.colors[1] = {255, 0, 0, 0}; // blue
    void* pBits = nullptr;
    HBITMAP hBitmap =
        ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &pBits, nullptr, 0);
    HDC hdc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hdc, hBitmap);
    RECT rc = {0, 0, cx, cy};
    HBRUSH hRed = ::CreateSolidBrush(RED);
    ::FillRect(hdc, &rc, hRed);
    ::DeleteObject(hRed);
    ::SetPixel(hdc, 4, 2, BLUE);
    ::SelectObject(hdc, hOld);
    ::DeleteDC(hdc);
    return hBitmap;
}

TEST(DibImageTest, HeaderRowSizeAndColoursFollowTheDepth)
{
    struct Case
    {
        WORD bitmapBits;
        WORD imageBits;
        UINT colors;
        DWORD rowBytes;
    };
    const Case cases[] = {
        {1, 1, 2, 4}, {4, 4, 16, 4}, {8, 8, 256, 8}, {16, 24, 0, 16}, {24, 24, 0, 16}, {32, 24, 0, 16},
    };
    MemoryCanvas screen(1, 1, WHITE);
    for (const Case& c : cases)
    {
        CBitmap bitmap;
        bitmap.Attach(MakeBitmap(5, 3, c.bitmapBits));
        SECDib image;
        ASSERT_TRUE(image.CreateFromBitmap(&screen.Dc(), &bitmap)) << c.bitmapBits;
        EXPECT_EQ(image.GetBitCount(), c.imageBits) << c.bitmapBits;
        EXPECT_EQ(image.GetColorCount(), c.colors) << c.bitmapBits;
        EXPECT_EQ(image.GetRowBytes(), c.rowBytes) << c.bitmapBits;
        const BITMAPINFOHEADER& header = image.GetBitmapInfo()->bmiHeader;
        EXPECT_EQ(header.biSize, 40u);
        EXPECT_EQ(header.biWidth, 5);
        EXPECT_EQ(header.biHeight, 3);
        EXPECT_EQ(header.biPlanes, 1);
        EXPECT_EQ(header.biBitCount, c.imageBits);
        EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
        EXPECT_EQ(image.GetPalette() != nullptr, c.colors != 0) << c.bitmapBits;
    }
}

TEST(DibImageTest, DrawsTheBitmapsPixels)
{
    for (WORD wBits : {WORD(8), WORD(24)})
    {
        MemoryCanvas screen(20, 20, WHITE);
        CBitmap bitmap;
        bitmap.Attach(MakeBitmap(6, 4, wBits));
        SECDib image;
        ASSERT_TRUE(image.CreateFromBitmap(&screen.Dc(), &bitmap));
        ASSERT_TRUE(image.StretchDIBits(&screen.Dc(), 10, 10, 6, 4));
        EXPECT_EQ(screen.Pixel(10, 10), RED) << wBits;
        EXPECT_EQ(screen.Pixel(14, 12), BLUE) << wBits;
        EXPECT_EQ(screen.Pixel(15, 13), RED) << wBits;
        EXPECT_EQ(screen.Pixel(16, 10), WHITE) << wBits;
        EXPECT_EQ(screen.Pixel(9, 9), WHITE) << wBits;
    }
}

TEST(DibImageTest, PaletteHoldsTheColourTable)
{
    MemoryCanvas screen(1, 1, WHITE);
    CBitmap bitmap;
    bitmap.Attach(MakeBitmap(4, 4, 8));
    SECDib image;
    ASSERT_TRUE(image.CreateFromBitmap(&screen.Dc(), &bitmap));
    ASSERT_NE(image.GetPalette(), nullptr);
    EXPECT_EQ(image.GetPalette()->GetEntryCount(), 256);
    PALETTEENTRY entries[2] = {};
    ASSERT_EQ(image.GetPalette()->GetPaletteEntries(0, 2, entries), 2u);
    EXPECT_EQ(RGB(entries[0].peRed, entries[0].peGreen, entries[0].peBlue), RED);
    EXPECT_EQ(RGB(entries[1].peRed, entries[1].peGreen, entries[1].peBlue), BLUE);
}

TEST(DibImageTest, FreeImageAndUnreadableBitmaps)
{
    MemoryCanvas screen(1, 1, WHITE);
    CBitmap bitmap;
    bitmap.Attach(MakeBitmap(4, 4, 24));
    SECDib image;
    ASSERT_TRUE(image.CreateFromBitmap(&screen.Dc(), &bitmap));
    image.FreeImage();
    EXPECT_EQ(image.GetWidth(), 0u);
    EXPECT_EQ(image.GetHeight(), 0u);
    EXPECT_EQ(image.GetRowBytes(), 0u);
    EXPECT_EQ(image.GetBitCount(), 0);
    EXPECT_EQ(image.GetBits(), nullptr);
    EXPECT_FALSE(image.StretchDIBits(&screen.Dc(), 0, 0, 4, 4));

    CBitmap empty;
    EXPECT_FALSE(image.CreateFromBitmap(&screen.Dc(), &empty));
    EXPECT_FALSE(image.CreateFromBitmap(nullptr, &bitmap));
    EXPECT_TRUE(image.IsKindOf(RUNTIME_CLASS(SECDib)));
}
} // namespace
