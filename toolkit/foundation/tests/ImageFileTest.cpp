// Images through files: BMP files of every common layout built here from the format's field
// tables, damaged ones, JPEG round trips, the factory and the archive form.
#include <toolkit/foundation/Dib.h>
#include <toolkit/foundation/ImageFactory.h>
#include <toolkit/foundation/Jpeg.h>

#include <algorithm>
#include <exception>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include <testing/MemoryCanvas.h>
#include <testing/PrivateBytes.h>
#include <testing/TempDirectory.h>

using namespace tarnwick::foundation;

namespace
{
constexpr int kWidth = 9;
constexpr int kHeight = 5;

// The pattern: a colour per (x, y) that every depth can hold in its palette.
COLORREF Pattern(int x, int y)
{
    return (x + y) % 2 == 0 ? RGB(255, 0, 0) : RGB(0, 0, 255);
}

void Put16(std::vector<BYTE>& out, WORD w)
{
    out.push_back(static_cast<BYTE>(w));
    out.push_back(static_cast<BYTE>(w >> 8));
}

void Put32(std::vector<BYTE>& out, DWORD dw)
{
    Put16(out, static_cast<WORD>(dw));
    Put16(out, static_cast<WORD>(dw >> 16));
}

// A BMP file with the given header size, depth and compression; pixel rows as given.
struct BmpLayout
{
    DWORD headerSize = 40;
    WORD bits = 24;
    DWORD compression = BI_RGB;
    BOOL topDown = FALSE;
};

std::vector<BYTE> MakeBmp(const BmpLayout& layout, const std::vector<BYTE>& pixels, int nColors,
                          const std::vector<DWORD>& masks = {})
{
    std::vector<BYTE> header;
    if (layout.headerSize == 12)
    {
        Put32(header, 12);
        Put16(header, kWidth);
        Put16(header, kHeight);
        Put16(header, 1);
        Put16(header, layout.bits);
    }
    else
    {
        Put32(header, layout.headerSize);
        Put32(header, kWidth);
        Put32(header, layout.topDown ? static_cast<DWORD>(-kHeight) : kHeight);
        Put16(header, 1);
        Put16(header, layout.bits);
        Put32(header, layout.compression);
        Put32(header, static_cast<DWORD>(pixels.size()));
        Put32(header, 2835);
        Put32(header, 2835);
        Put32(header, static_cast<DWORD>(nColors));
        Put32(header, 0);
        for (DWORD m : masks)
            if (layout.headerSize > 40)
                Put32(header, m);
        header.resize(layout.headerSize, 0);
        if (layout.headerSize == 40)
            for (DWORD m : masks)
                Put32(header, m);
    }
    const int nEntry = layout.headerSize == 12 ? 3 : 4;
    for (int i = 0; i < nColors; i++)
    {
        const COLORREF cr = i == 0 ? RGB(255, 0, 0) : RGB(0, 0, 255);
        header.push_back(GetBValue(cr));
        header.push_back(GetGValue(cr));
        header.push_back(GetRValue(cr));
        if (nEntry == 4)
            header.push_back(0);
    }
    std::vector<BYTE> file;
    Put16(file, 0x4D42);
    Put32(file, static_cast<DWORD>(14 + header.size() + pixels.size()));
    Put32(file, 0);
    Put32(file, static_cast<DWORD>(14 + header.size()));
    file.insert(file.end(), header.begin(), header.end());
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

// Bottom-up (or top-down) rows of the pattern at a depth: indexes 0 (red) and 1 (blue) up to
// 8 bits, else the packed pixel the writer gives.
std::vector<BYTE> PatternRows(int nBits, BOOL bTopDown, DWORD (*pack)(COLORREF) = nullptr)
{
    const int nRowBytes = (kWidth * nBits + 31) / 32 * 4;
    std::vector<BYTE> rows(static_cast<size_t>(nRowBytes) * kHeight, 0);
    for (int y = 0; y < kHeight; y++)
    {
        BYTE* pRow = rows.data() + static_cast<size_t>(bTopDown ? y : kHeight - 1 - y) * nRowBytes;
        for (int x = 0; x < kWidth; x++)
        {
            const COLORREF cr = Pattern(x, y);
            if (nBits <= 8)
            {
                const int nIndex = cr == RGB(255, 0, 0) ? 0 : 1;
                const int nPerByte = 8 / nBits;
                pRow[x / nPerByte] |= static_cast<BYTE>(nIndex << ((nPerByte - 1 - x % nPerByte) * nBits));
            }
            else
            {
                const DWORD dw = pack(cr);
                for (int k = 0; k < nBits / 8; k++)
                    pRow[x * nBits / 8 + k] = static_cast<BYTE>(dw >> (8 * k));
            }
        }
    }
    return rows;
}

DWORD Pack24(COLORREF cr)
{
    return GetBValue(cr) | (GetGValue(cr) << 8) | (GetRValue(cr) << 16);
}

DWORD Pack565(COLORREF cr)
{
    return (GetBValue(cr) >> 3) | ((GetGValue(cr) >> 2) << 5) | ((GetRValue(cr) >> 3) << 11);
}

DWORD Pack555(COLORREF cr)
{
    return (GetBValue(cr) >> 3) | ((GetGValue(cr) >> 3) << 5) | ((GetRValue(cr) >> 3) << 10);
}

// The colour of a held pixel, (0, 0) at the top left.
COLORREF PixelOf(const SECImage& image, int x, int y)
{
    const BYTE* pRow = image.GetBits() + static_cast<size_t>(image.GetHeight() - 1 - y) * image.GetRowBytes();
    const WORD wBits = image.GetBitCount();
    if (wBits <= 8)
    {
        const int nPerByte = 8 / wBits;
        const int nIndex = (pRow[x / nPerByte] >> ((nPerByte - 1 - x % nPerByte) * wBits)) & ((1 << wBits) - 1);
        const RGBQUAD& q = image.GetBitmapInfo()->bmiColors[nIndex];
        return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
    }
    const BYTE* p = pRow + x * 3;
    return RGB(p[2], p[1], p[0]);
}

void ExpectPattern(const SECImage& image, const char* pszWhat, int nTolerance = 0)
{
    ASSERT_EQ(image.GetWidth(), static_cast<DWORD>(kWidth)) << pszWhat;
    ASSERT_EQ(image.GetHeight(), static_cast<DWORD>(kHeight)) << pszWhat;
    for (int y = 0; y < kHeight; y++)
        for (int x = 0; x < kWidth; x++)
        {
            const COLORREF got = PixelOf(image, x, y);
            const COLORREF want = Pattern(x, y);
            EXPECT_NEAR(GetRValue(got), GetRValue(want), nTolerance) << pszWhat << " at " << x << "," << y;
            EXPECT_NEAR(GetGValue(got), GetGValue(want), nTolerance) << pszWhat << " at " << x << "," << y;
            EXPECT_NEAR(GetBValue(got), GetBValue(want), nTolerance) << pszWhat << " at " << x << "," << y;
        }
}

void WriteFile(const CString& path, const std::vector<BYTE>& bytes)
{
    CFile file(path, CFile::modeCreate | CFile::modeWrite);
    if (!bytes.empty())
        file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
}

std::vector<BYTE> ReadFile(const CString& path)
{
    CFile file(path, CFile::modeRead);
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    if (!bytes.empty())
        file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

class ImageFileTest : public ::testing::Test
{
protected:
    TempDirectory m_dir;

    // A held image of the pattern at a depth, loaded from a file built here.
    void LoadPattern(SECImage& image, int nBits)
    {
        const std::vector<BYTE> bmp =
            nBits <= 8 ? MakeBmp({40, static_cast<WORD>(nBits)}, PatternRows(nBits, FALSE), 1 << nBits)
                       : MakeBmp({40, 24}, PatternRows(24, FALSE, Pack24), 0);
        WriteFile(m_dir.File(L"pattern.bmp"), bmp);
        ASSERT_TRUE(image.LoadImage(m_dir.File(L"pattern.bmp"))) << nBits;
    }
    // The image saved as a JPEG file of the name; its bytes.
    std::vector<BYTE> SaveJpeg(const SECImage& image, LPCWSTR pszName)
    {
        SECJpeg jpeg;
        EXPECT_TRUE(jpeg.CopyImage(image));
        EXPECT_TRUE(jpeg.SaveImage(m_dir.File(pszName)));
        return ReadFile(m_dir.File(pszName));
    }
};

TEST_F(ImageFileTest, ForeignLayoutsLoadToThePattern)
{
    struct Case
    {
        const char* pszWhat;
        std::vector<BYTE> file;
    };
    std::vector<BYTE> rle8;
    for (int y = kHeight - 1; y >= 0; y--)
    {
        for (int x = 0; x < kWidth; x++)
        {
            rle8.push_back(1);
            rle8.push_back(Pattern(x, y) == RGB(255, 0, 0) ? 0 : 1);
        }
        rle8.push_back(0);
        rle8.push_back(0);
    }
    rle8.push_back(0);
    rle8.push_back(1);
    const Case cases[] = {
        {"1 bit", MakeBmp({40, 1}, PatternRows(1, FALSE), 2)},
        {"4 bits", MakeBmp({40, 4}, PatternRows(4, FALSE), 16)},
        {"8 bits, 2 colours used", MakeBmp({40, 8}, PatternRows(8, FALSE), 2)},
        {"24 bits", MakeBmp({40, 24}, PatternRows(24, FALSE, Pack24), 0)},
        {"24 bits top-down", MakeBmp({40, 24, BI_RGB, TRUE}, PatternRows(24, TRUE, Pack24), 0)},
        {"32 bits", MakeBmp({40, 32}, PatternRows(32, FALSE, Pack24), 0)},
        {"16 bits 555", MakeBmp({40, 16}, PatternRows(16, FALSE, Pack555), 0)},
        {"16 bits 565 fields",
         MakeBmp({40, 16, BI_BITFIELDS}, PatternRows(16, FALSE, Pack565), 0, {0xF800, 0x07E0, 0x001F})},
        {"32 bits fields, v5 header",
         MakeBmp({124, 32, BI_BITFIELDS}, PatternRows(32, FALSE, Pack24), 0, {0xFF0000, 0xFF00, 0xFF})},
        {"core header", MakeBmp({12, 8}, PatternRows(8, FALSE), 256)},
        {"v4 header 4 bits", MakeBmp({108, 4}, PatternRows(4, FALSE), 16)},
        {"RLE8", MakeBmp({40, 8, BI_RLE8}, rle8, 2)},
    };
    for (const Case& c : cases)
    {
        WriteFile(m_dir.File(L"in.bmp"), c.file);
        SECDib image;
        ASSERT_TRUE(image.LoadImage(m_dir.File(L"in.bmp"))) << c.pszWhat;
        ExpectPattern(image, c.pszWhat);
    }
}

TEST_F(ImageFileTest, SavedBmpsReloadIdentically)
{
    for (int nBits : {1, 4, 8, 24})
    {
        SECDib image;
        LoadPattern(image, nBits);
        const CString path = m_dir.File(L"out.bmp");
        ASSERT_TRUE(image.SaveImage(path)) << nBits;
        const std::vector<BYTE> file = ReadFile(path);
        const DWORD dwTable = nBits <= 8 ? 4u << nBits : 0;
        const DWORD dwRow = (kWidth * nBits + 31) / 32 * 4;
        ASSERT_EQ(file.size(), 14 + 40 + dwTable + dwRow * kHeight) << nBits;
        EXPECT_EQ(file[0], 'B');
        EXPECT_EQ(file[1], 'M');
        EXPECT_EQ(*reinterpret_cast<const DWORD*>(&file[2]), file.size()) << nBits;
        EXPECT_EQ(*reinterpret_cast<const DWORD*>(&file[10]), 14 + 40 + dwTable) << nBits;
        SECDib reloaded;
        ASSERT_TRUE(reloaded.LoadImage(path)) << nBits;
        EXPECT_EQ(reloaded.GetBitCount(), nBits);
        EXPECT_EQ(memcmp(reloaded.GetBits(), image.GetBits(), dwRow * kHeight), 0) << nBits;
        ExpectPattern(reloaded, "reloaded");
    }
}

TEST_F(ImageFileTest, DamagedBmpsAnswerFalseAndKeepTheHeldImage)
{
    const std::vector<BYTE> good = MakeBmp({40, 24}, PatternRows(24, FALSE, Pack24), 0);
    auto with = [&](size_t at, std::vector<BYTE> bytes) {
        std::vector<BYTE> file = good;
        std::copy(bytes.begin(), bytes.end(), file.begin() + static_cast<ptrdiff_t>(at));
        return file;
    };
    std::vector<BYTE> cut = good;
    cut.resize(good.size() - 10);
    const struct
    {
        const char* pszWhat;
        std::vector<BYTE> file;
    } cases[] = {
        {"not BM", with(0, {'B', 'X'})},
        {"offset inside the header", with(10, {20, 0, 0, 0})},
        {"unknown header size", with(14, {64, 0, 0, 0})},
        {"pixels past the end", cut},
        {"zero width", with(18, {0, 0, 0, 0})},
        {"huge width", with(18, {0xFF, 0xFF, 0xFF, 0x7F})},
        {"empty", {}},
    };
    SECDib image;
    LoadPattern(image, 24);
    for (const auto& c : cases)
    {
        WriteFile(m_dir.File(L"bad.bmp"), c.file);
        EXPECT_FALSE(image.LoadImage(m_dir.File(L"bad.bmp"))) << c.pszWhat;
        EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA)) << c.pszWhat;
        ExpectPattern(image, c.pszWhat);
    }
}

// Loads the bytes through a memory file.
BOOL LoadBytes(SECImage& image, std::vector<BYTE> bytes)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    return image.LoadImage(&file);
}

// Run-length codes that move the position past the right edge or the last row, as often as it
// takes a 32-bit position to wrap: the pixels after such a move are dropped, nothing is written
// outside the image.
TEST_F(ImageFileTest, RunLengthMovesPastTheEdgesStayInTheImage)
{
    // Moves of 255 until a 32-bit position would have wrapped below zero.
    constexpr size_t nMoves = (1u << 31) / 255 + 2;
    const struct
    {
        const char* pszWhat;
        BmpLayout layout;
        BYTE blue; // index 1 in the depth
        BYTE dx;
        BYTE dy;
    } cases[] = {
        {"RLE8 right", {40, 8, BI_RLE8}, 0x01, 255, 0},
        {"RLE4 right", {40, 4, BI_RLE4}, 0x11, 255, 0},
        {"RLE8 down", {40, 8, BI_RLE8}, 0x01, 0, 255},
        {"RLE4 down", {40, 4, BI_RLE4}, 0x11, 0, 255},
    };
    for (const auto& c : cases)
    {
        std::vector<BYTE> codes = {1, c.blue}; // the one pixel that stays, at the bottom left
        codes.reserve(nMoves * 4 + 16);
        for (size_t i = 0; i < nMoves; i++)
            codes.insert(codes.end(), {0, 2, c.dx, c.dy});
        codes.insert(codes.end(), {2, c.blue, 0, 1});
        SECDib image;
        ASSERT_TRUE(LoadBytes(image, MakeBmp(c.layout, codes, 2))) << c.pszWhat;
        for (int y = 0; y < kHeight; y++)
            for (int x = 0; x < kWidth; x++)
                EXPECT_EQ(PixelOf(image, x, y), x == 0 && y == kHeight - 1 ? RGB(0, 0, 255) : RGB(255, 0, 0))
                    << c.pszWhat << " at " << x << "," << y;
    }
}

// A minimal JPEG of one grey component declaring a frame of cx by cy, cut at 200 bytes.
std::vector<BYTE> TinyJpeg(WORD cx, WORD cy)
{
    std::vector<BYTE> file = {0xFF, 0xD8, 0xFF, 0xDB, 0x00, 0x43, 0x00};
    file.resize(file.size() + 64, 1);
    file.insert(file.end(), {0xFF, 0xC0, 0x00, 0x0B, 0x08, static_cast<BYTE>(cy >> 8), static_cast<BYTE>(cy),
                             static_cast<BYTE>(cx >> 8), static_cast<BYTE>(cx), 0x01, 0x01, 0x11, 0x00});
    file.insert(file.end(), {0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x00, 0x00, 0x3F, 0x00});
    file.resize(200, 0);
    return file;
}

// Sizes from the headers are weighed against the data and the cap before memory is claimed: the
// load fails at once with its reason, the held image stays, and the process's private bytes do
// not grow past a small margin.
TEST_F(ImageFileTest, HeaderSizesAreRefusedBeforeMemoryIsClaimed)
{
    std::vector<BYTE> farPixels = MakeBmp({40, 24}, {}, 0);
    farPixels.resize(60, 0);
    farPixels[10] = 0xF0, farPixels[11] = farPixels[12] = farPixels[13] = 0xFF;
    std::vector<BYTE> hugeRle = MakeBmp({40, 8, BI_RLE8}, {0, 1}, 1);
    hugeRle[18] = hugeRle[19] = hugeRle[22] = hugeRle[23] = 0xFF; // 65,535 x 65,535
    const struct
    {
        const char* pszWhat;
        std::vector<BYTE> file;
        BOOL bJpeg;
        DWORD dwReason;
    } cases[] = {
        {"pixels at 0xFFFFFFF0", farPixels, FALSE, ERROR_INVALID_DATA},
        {"60-byte RLE of 65,535 x 65,535", hugeRle, FALSE, ERROR_NOT_ENOUGH_MEMORY},
        {"200-byte JPEG of 65,000 x 65,000", TinyJpeg(65000, 65000), TRUE, ERROR_NOT_ENOUGH_MEMORY},
    };
    constexpr size_t nMargin = 64 << 20;
    SECDib source;
    LoadPattern(source, 24);
    for (const auto& c : cases)
    {
        SECDib dib;
        SECJpeg jpeg;
        SECImage& image = c.bJpeg ? static_cast<SECImage&>(jpeg) : dib;
        ASSERT_TRUE(image.CopyImage(source));
        const PrivateBytes before = ReadPrivateBytes();
        EXPECT_FALSE(LoadBytes(image, c.file)) << c.pszWhat;
        EXPECT_EQ(::GetLastError(), c.dwReason) << c.pszWhat;
        EXPECT_LE(ReadPrivateBytes().nPeak, std::max(before.nPeak, before.nCurrent + nMargin)) << c.pszWhat;
        ExpectPattern(image, c.pszWhat);
        if (c.bJpeg)
            continue;
        // The archive form, whose length the reader does not know, refuses the same bytes.
        CMemFile file(const_cast<BYTE*>(c.file.data()), static_cast<UINT>(c.file.size()));
        CArchive ar(&file, CArchive::load);
        BOOL bThrown = FALSE;
        try
        {
            dib.Serialize(ar);
        }
        catch (CArchiveException* e)
        {
            e->Delete();
            bThrown = TRUE;
        }
        EXPECT_TRUE(bThrown) << c.pszWhat;
        EXPECT_LE(ReadPrivateBytes().nPeak, std::max(before.nPeak, before.nCurrent + nMargin)) << c.pszWhat;
    }
}

// Bit-field channels as wide as 32 bits scale to 8 bits; a core header's height is unsigned.
TEST_F(ImageFileTest, WideFieldsAndTallCoreHeaders)
{
    const struct
    {
        DWORD dwMask;
        DWORD dwPixel;
        BYTE red;
    } fields[] = {
        {0xFFFFFFFF, 0xFFFFFFFF, 255},
        {0xFFFFFFFF, 0x80000000, 128},
        {0x01FFFFFF, 0x01FFFFFF, 255},
        {0xFFFFFF00, 0x00000000, 0},
    };
    for (const auto& f : fields)
    {
        std::vector<BYTE> rows;
        for (int i = 0; i < kWidth * kHeight; i++)
            Put32(rows, f.dwPixel);
        SECDib image;
        ASSERT_TRUE(LoadBytes(image, MakeBmp({40, 32, BI_BITFIELDS}, rows, 0, {f.dwMask, 0, 0})));
        EXPECT_EQ(PixelOf(image, 3, 2), RGB(f.red, 0, 0)) << std::hex << f.dwMask << " " << f.dwPixel;
    }

    // 32,769 rows of one 1-bit pixel, the first row in the file (the bottom one) blue.
    constexpr WORD cy = 0x8001;
    std::vector<BYTE> core;
    Put16(core, 0x4D42);
    Put32(core, 14 + 12 + 6 + 4 * cy);
    Put32(core, 0);
    Put32(core, 14 + 12 + 6);
    for (WORD w : std::initializer_list<WORD>{12, 0, 1, cy, 1, 1})
        Put16(core, w);
    core.insert(core.end(), {0, 0, 255, 255, 0, 0}); // red, blue
    core.resize(core.size() + 4 * cy, 0);
    core[14 + 12 + 6] = 0x80;
    SECDib tall;
    ASSERT_TRUE(LoadBytes(tall, core));
    ASSERT_EQ(tall.GetHeight(), static_cast<DWORD>(cy));
    EXPECT_EQ(PixelOf(tall, 0, cy - 1), RGB(0, 0, 255));
    EXPECT_EQ(PixelOf(tall, 0, 0), RGB(255, 0, 0));
}

TEST_F(ImageFileTest, FailedSaveByNameKeepsTheOldFile)
{
    const CString path = m_dir.File(L"keep.bmp");
    WriteFile(path, {'o', 'l', 'd'});
    SECDib empty;
    EXPECT_FALSE(empty.SaveImage(path));
    EXPECT_EQ(ReadFile(path), (std::vector<BYTE>{'o', 'l', 'd'}));
    EXPECT_EQ(::GetFileAttributesW(path + L".saving"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ImageFileTest, JpegSavesEveryDepthAsTheSamePixels)
{
    SECDib source;
    LoadPattern(source, 24);
    const std::vector<BYTE> reference = SaveJpeg(source, L"24.jpg");
    for (int nBits : {1, 4, 8})
    {
        SECDib palette;
        LoadPattern(palette, nBits);
        EXPECT_EQ(SaveJpeg(palette, L"palette.jpg"), reference) << nBits; // expanded through the palette
    }
    SECJpeg loaded;
    ASSERT_TRUE(loaded.LoadImage(m_dir.File(L"24.jpg")));
    EXPECT_EQ(loaded.GetBitCount(), 24);
    EXPECT_EQ(loaded.GetWidth(), static_cast<DWORD>(kWidth));
    EXPECT_EQ(loaded.GetHeight(), static_cast<DWORD>(kHeight));
}

TEST_F(ImageFileTest, DamagedAndTruncatedJpegs)
{
    SECDib source;
    LoadPattern(source, 24);
    const CString path = m_dir.File(L"whole.jpg");
    const std::vector<BYTE> whole = SaveJpeg(source, L"whole.jpg");

    std::vector<BYTE> truncated(whole.begin(), whole.end() - 6); // into the scan data
    WriteFile(m_dir.File(L"cut.jpg"), truncated);
    SECJpeg cut;
    EXPECT_TRUE(cut.LoadImage(m_dir.File(L"cut.jpg")));
    EXPECT_EQ(cut.GetWidth(), static_cast<DWORD>(kWidth));

    SECJpeg held;
    ASSERT_TRUE(held.LoadImage(path));
    WriteFile(m_dir.File(L"empty.jpg"), {});
    EXPECT_FALSE(held.LoadImage(m_dir.File(L"empty.jpg")));
    std::vector<BYTE> garbage(whole);
    for (size_t i = 2; i < garbage.size(); i++)
        garbage[i] = static_cast<BYTE>(i * 7);
    WriteFile(m_dir.File(L"garbage.jpg"), garbage);
    EXPECT_FALSE(held.LoadImage(m_dir.File(L"garbage.jpg")));
    EXPECT_EQ(held.GetWidth(), static_cast<DWORD>(kWidth)); // the held image stays
}

TEST_F(ImageFileTest, FactoryPicksTheClass)
{
    const struct
    {
        LPCWSTR pszName;
        CRuntimeClass* pClass;
    } names[] = {{L"a.JPG", RUNTIME_CLASS(SECJpeg)},
                 {L"b.dib", RUNTIME_CLASS(SECDib)},
                 {L"c.bmp", RUNTIME_CLASS(SECDib)},
                 {L"d.gif", nullptr},
                 {L"e.jpeg", nullptr},
                 {L"noext", nullptr}};
    for (const auto& n : names)
    {
        std::unique_ptr<SECImage> pImage(SECImageFactory::CreateImageForName(n.pszName));
        EXPECT_EQ(pImage != nullptr ? pImage->GetRuntimeClass() : nullptr, n.pClass) << static_cast<int>(&n - names);
    }

    SECDib source;
    LoadPattern(source, 24);
    SaveJpeg(source, L"photo.bmp");
    const CString misnamed = m_dir.File(L"photo.bmp");
    std::unique_ptr<SECImage> pLoaded(SECImageFactory::LoadImageFromFile(misnamed));
    ASSERT_NE(pLoaded, nullptr);
    EXPECT_EQ(pLoaded->GetRuntimeClass(), RUNTIME_CLASS(SECJpeg));
    EXPECT_EQ(SECImageFactory::LoadImageFromFile(m_dir.File(L"missing.bmp")), nullptr);

    CBitmap bitmap;
    ASSERT_TRUE(SECImageFactory::LoadImageIntoBitmap(m_dir.File(L"pattern.bmp"), bitmap));
    HDC hdc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hdc, bitmap.GetSafeHandle());
    EXPECT_EQ(::GetPixel(hdc, 0, 0), Pattern(0, 0)); // the right way up
    EXPECT_EQ(::GetPixel(hdc, 1, 0), Pattern(1, 0));
    EXPECT_EQ(::GetPixel(hdc, 0, kHeight - 1), Pattern(0, kHeight - 1));
    ::SelectObject(hdc, hOld);
    ::DeleteDC(hdc);
}

TEST_F(ImageFileTest, SerializeStoresTheSavedBytes)
{
    SECDib image;
    LoadPattern(image, 8);
    ASSERT_TRUE(image.SaveImage(m_dir.File(L"saved.bmp")));
    CMemFile memory;
    {
        CArchive ar(&memory, CArchive::store);
        image.Serialize(ar);
    }
    const UINT nLength = static_cast<UINT>(memory.GetLength());
    BYTE* pData = memory.Detach();
    const std::vector<BYTE> stored(pData, pData + nLength);
    free(pData);
    EXPECT_EQ(stored, ReadFile(m_dir.File(L"saved.bmp")));

    CMemFile back(const_cast<BYTE*>(stored.data()), static_cast<UINT>(stored.size()));
    CArchive ar(&back, CArchive::load);
    SECDib loaded;
    loaded.Serialize(ar);
    ExpectPattern(loaded, "serialized");
}

// Where the archive's file tells its length, an offset past it is refused before the reader
// walks the rest of the file.
TEST_F(ImageFileTest, SerializeStopsAtAnOffsetPastTheArchivesEnd)
{
    std::vector<BYTE> bytes = MakeBmp({40, 24}, {}, 0);
    bytes.resize(60, 0);
    bytes[10] = 0xF0, bytes[11] = bytes[12] = 0xFF; // pixels at 16 MiB
    bytes.resize(bytes.size() + (1 << 20), 0);     // what the archive holds after the image
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    SECDib dib;
    BOOL bRefused = FALSE;
    try
    {
        dib.Serialize(ar);
    }
    catch (CArchiveException* e)
    {
        e->Delete();
        bRefused = TRUE;
    }
    EXPECT_TRUE(bRefused);
    EXPECT_LT(file.GetPosition(), 64u << 10);
}

// A file whose reads run out of memory.
class FailingFile : public CMemFile
{
public:
    using CMemFile::CMemFile;
    UINT Read(void*, UINT) override
    {
        throw std::bad_alloc();
    }
};

TEST_F(ImageFileTest, RunningOutOfMemoryWhileLoadingKeepsTheImage)
{
    SECDib image;
    LoadPattern(image, 24);
    std::vector<BYTE> bytes = MakeBmp({40, 24}, {}, 0);
    FailingFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    EXPECT_FALSE(image.LoadImage(&file));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
    ExpectPattern(image, "after the failed load");
}

// Packed rows hold the same pixels without the padding; drawing, saving and copying see padded
// rows again.
TEST_F(ImageFileTest, PackedRowsDrawSaveAndCopyAsPaddedOnes)
{
    for (int nBits : {1, 4, 8, 24})
    {
        SECDib image;
        LoadPattern(image, nBits);
        ASSERT_TRUE(image.AreRowsAligned());
        const DWORD dwPadded = image.GetRowBytes();
        const std::vector<BYTE> padded(image.GetBits(), image.GetBits() + dwPadded * kHeight);
        CMemFile savedPadded;
        ASSERT_TRUE(image.SaveImage(&savedPadded)) << nBits;

        ASSERT_TRUE(image.PackRows()) << nBits;
        EXPECT_FALSE(image.AreRowsAligned());
        const DWORD dwPacked = (kWidth * nBits + 7) / 8;
        ASSERT_EQ(image.GetRowBytes(), dwPacked) << nBits;
        ASSERT_LT(dwPacked, dwPadded);
        for (int y = 0; y < kHeight; y++)
            EXPECT_EQ(memcmp(image.GetBits() + y * dwPacked, padded.data() + y * dwPadded, dwPacked), 0) << nBits;
        ExpectPattern(image, "packed");
        SECDib copy;
        ASSERT_TRUE(copy.CopyImage(image));
        EXPECT_TRUE(copy.AreRowsAligned());
        ExpectPattern(copy, "copied from packed rows");

        CMemFile savedPacked;
        ASSERT_TRUE(image.SaveImage(&savedPacked)) << nBits;
        EXPECT_TRUE(image.AreRowsAligned());
        ASSERT_EQ(savedPacked.GetLength(), savedPadded.GetLength()) << nBits;
        const UINT nLength = static_cast<UINT>(savedPadded.GetLength());
        BYTE* pPadded = savedPadded.Detach();
        BYTE* pPacked = savedPacked.Detach();
        EXPECT_EQ(memcmp(pPacked, pPadded, nLength), 0) << nBits;
        free(pPadded);
        free(pPacked);

        ASSERT_TRUE(image.PackRows());
        MemoryCanvas canvas(kWidth, kHeight, RGB(0, 255, 0));
        ASSERT_TRUE(image.StretchDIBits(&canvas.Dc(), 0, 0, kWidth, kHeight)) << nBits;
        EXPECT_TRUE(image.AreRowsAligned());
        for (int y = 0; y < kHeight; y++)
            for (int x = 0; x < kWidth; x++)
                EXPECT_EQ(canvas.Pixel(x, y), Pattern(x, y)) << nBits << " at " << x << "," << y;
    }
}
} // namespace

namespace
{
// A memory file that records the size of every write it gets.
class WriteCountingFile : public CMemFile
{
public:
    std::vector<UINT> m_writes;

    void Write(const void* lpBuf, UINT nCount) override
    {
        m_writes.push_back(nCount);
        CMemFile::Write(lpBuf, nCount);
    }
};

// A memory file that records the size of every read it is asked for.
class ReadCountingFile : public CMemFile
{
public:
    std::vector<UINT> m_reads;

    UINT Read(void* lpBuf, UINT nCount) override
    {
        m_reads.push_back(nCount);
        return CMemFile::Read(lpBuf, nCount);
    }
};

// A memory file that runs out of room after the given bytes.
class FullFile : public CMemFile
{
public:
    explicit FullFile(UINT nRoom) : m_nRoom(nRoom)
    {
    }
    void Write(const void* lpBuf, UINT nCount) override
    {
        if (nCount > m_nRoom)
            AfxThrowFileException(CFileException::diskFull);
        m_nRoom -= nCount;
        CMemFile::Write(lpBuf, nCount);
    }

private:
    UINT m_nRoom;
};

// A 24-bit BMP of noise, too large to fit one buffer as a JPEG.
std::vector<BYTE> NoiseBmp(int cx, int cy)
{
    const DWORD dwRow = SECImage::RowBytesFor(cx, 24);
    const BITMAPFILEHEADER file = {0x4D42, 14 + 40 + dwRow * cy, 0, 0, 14 + 40};
    const BITMAPINFOHEADER info = {40, cx, cy, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<BYTE> bytes(file.bfSize);
    memcpy(bytes.data(), &file, sizeof(file));
    memcpy(bytes.data() + sizeof(file), &info, sizeof(info));
    UINT nSeed = 12345;
    for (size_t i = 54; i < bytes.size(); i++)
        bytes[i] = static_cast<BYTE>((nSeed = nSeed * 1103515245 + 12345) >> 16);
    return bytes;
}

TEST_F(ImageFileTest, BufferedAccessWritesOncePerFlushAndRefillsWholeBuffers)
{
    WriteFile(m_dir.File(L"noise.bmp"), NoiseBmp(200, 150));
    SECDib dib;
    ASSERT_TRUE(dib.LoadImage(m_dir.File(L"noise.bmp")));

    // The JPEG writer flushes its 4096-byte buffer whole, and the rest at the end.
    SECJpeg jpeg;
    ASSERT_TRUE(jpeg.CopyImage(dib));
    WriteCountingFile jpegFile;
    ASSERT_TRUE(jpeg.SaveImage(&jpegFile));
    const UINT nLength = static_cast<UINT>(jpegFile.GetLength());
    ASSERT_GT(nLength, 3 * 4096u);
    ASSERT_EQ(jpegFile.m_writes.size(), (nLength + 4095) / 4096);
    for (size_t i = 0; i + 1 < jpegFile.m_writes.size(); i++)
        EXPECT_EQ(jpegFile.m_writes[i], 4096u) << i;
    EXPECT_EQ(jpegFile.m_writes.back(), nLength - 4096 * (jpegFile.m_writes.size() - 1));

    // The BMP writer builds the file and writes it once.
    WriteCountingFile bmpFile;
    ASSERT_TRUE(dib.SaveImage(&bmpFile));
    EXPECT_EQ(bmpFile.m_writes, std::vector<UINT>{static_cast<UINT>(bmpFile.GetLength())});

    // The JPEG reader refills its whole buffer from the file, read after read.
    ReadCountingFile jpegIn;
    BYTE* pData = jpegFile.Detach();
    jpegIn.Write(pData, nLength);
    free(pData);
    jpegIn.SeekToBegin();
    SECJpeg loaded;
    ASSERT_TRUE(loaded.LoadImage(&jpegIn));
    EXPECT_EQ(loaded.GetWidth(), 200u);
    ASSERT_GE(jpegIn.m_reads.size(), (nLength + 4095) / 4096);
    for (UINT nCount : jpegIn.m_reads)
        EXPECT_EQ(nCount, 4096u);
}

// A write that fails inside the JPEG library ends the save with FALSE once the file's exception
// has been handled: none is left behind as being handled, and the next save works.
TEST_F(ImageFileTest, AFailedJpegWriteEndsTheSaveCleanly)
{
    WriteFile(m_dir.File(L"noise.bmp"), NoiseBmp(200, 150));
    SECDib dib;
    ASSERT_TRUE(dib.LoadImage(m_dir.File(L"noise.bmp")));
    SECJpeg jpeg;
    ASSERT_TRUE(jpeg.CopyImage(dib));
    for (UINT nRoom : {0u, 5000u})
    {
        FullFile full(nRoom);
        EXPECT_FALSE(jpeg.SaveImage(&full)) << nRoom;
        EXPECT_EQ(std::current_exception(), nullptr) << nRoom;
    }
    CMemFile room;
    EXPECT_TRUE(jpeg.SaveImage(&room));
    EXPECT_GT(room.GetLength(), 5000u);
}

// A load into an image that holds one lays the next image of the same size into the pixel block
// it replaced, cleared as a new one: the rows' padding is zero whatever the block held.
TEST_F(ImageFileTest, ALoadReusesThePixelBlockOfTheImageItReplaced)
{
    // Rows of 39 bytes of pixels and one of padding; blocks of pages of their own.
    constexpr int cx = 13;
    constexpr int cy = 30000;
    WriteFile(m_dir.File(L"noise.bmp"), NoiseBmp(cx, cy));
    SECDib noise; // noise in the padding too
    ASSERT_TRUE(noise.LoadImage(m_dir.File(L"noise.bmp")));
    SaveJpeg(noise, L"noise.jpg");
    WriteFile(m_dir.File(L"wide.bmp"), NoiseBmp(cx + 1, 7));
    SECDib wide;
    ASSERT_TRUE(wide.LoadImage(m_dir.File(L"wide.bmp")));
    SaveJpeg(wide, L"wide.jpg");

    SECJpeg image;
    auto bits = [&image] { return std::vector<BYTE>(image.GetBits(), image.GetBits() + image.GetRowBytes() * cy); };
    auto paddingIsZero = [&image] {
        for (int y = 0; y < cy; y++)
            if (image.GetBits()[y * 40 + 39] != 0)
                return false;
        return true;
    };
    ASSERT_TRUE(image.CopyImage(noise));
    ASSERT_FALSE(paddingIsZero());
    const BYTE* pFirstBlock = image.GetBits();
    ASSERT_TRUE(image.LoadImage(m_dir.File(L"noise.jpg")));
    ASSERT_NE(image.GetBits(), pFirstBlock);
    ASSERT_EQ(image.GetRowBytes(), 40u);
    EXPECT_TRUE(paddingIsZero());
    const std::vector<BYTE> decoded = bits();
    // A block of the size, which takes the pages of a first block that was freed.
    const HGLOBAL hPlug = ::GlobalAlloc(GMEM_MOVEABLE, decoded.size());

    ASSERT_TRUE(image.LoadImage(m_dir.File(L"noise.jpg")));
    EXPECT_EQ(image.GetBits(), pFirstBlock);
    EXPECT_TRUE(bits() == decoded);
    WriteFile(m_dir.File(L"bad.jpg"), {0xFF, 0xD8, 0xFF});
    EXPECT_FALSE(image.LoadImage(m_dir.File(L"bad.jpg")));
    EXPECT_TRUE(bits() == decoded);
    ASSERT_TRUE(image.LoadImage(m_dir.File(L"wide.jpg")));
    EXPECT_EQ(image.GetWidth(), static_cast<DWORD>(cx + 1));
    ::GlobalFree(hPlug);
}
} // namespace
