// Image files shared with other programs, in the directory IMAGE_CHECK_DIR names: the files
// ImageMagick and PIL wrote load to the pixels those programs read back, and the files saved
// here are left for them (and the JPEG library's own tools) to check afterwards.
#include <toolkit/foundation/Dib.h>
#include <toolkit/foundation/ImageFactory.h>
#include <toolkit/foundation/Jpeg.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

using namespace tarnwick::foundation;

namespace
{
std::vector<BYTE> ReadAll(const CString& path)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead))
        return {};
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    if (!bytes.empty())
        file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

void WriteAll(const CString& path, const std::vector<BYTE>& bytes)
{
    CFile file(path, CFile::modeCreate | CFile::modeWrite);
    file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
}

// The held pixels top row first, three bytes (red, green, blue) a pixel.
std::vector<BYTE> Rgb(const SECImage& image)
{
    std::vector<BYTE> rgb;
    const WORD wBits = image.GetBitCount();
    for (DWORD y = 0; y < image.GetHeight(); y++)
    {
        const BYTE* pRow = image.GetBits() + static_cast<size_t>(image.GetHeight() - 1 - y) * image.GetRowBytes();
        for (DWORD x = 0; x < image.GetWidth(); x++)
        {
            if (wBits <= 8)
            {
                const DWORD nPerByte = 8u / wBits;
                const int nIndex = (pRow[x / nPerByte] >> ((nPerByte - 1 - x % nPerByte) * wBits)) & ((1 << wBits) - 1);
                const RGBQUAD& q = image.GetBitmapInfo()->bmiColors[nIndex];
                rgb.insert(rgb.end(), {q.rgbRed, q.rgbGreen, q.rgbBlue});
            }
            else
                rgb.insert(rgb.end(), {pRow[3 * x + 2], pRow[3 * x + 1], pRow[3 * x]});
        }
    }
    return rgb;
}

// A BMP file's two headers followed by zeroed room up to its size.
#pragma pack(push, 1)
struct BmpHeaderPair
{
    BITMAPFILEHEADER file;
    BITMAPINFOHEADER info;
};
#pragma pack(pop)
static_assert(sizeof(BmpHeaderPair) == 54);

std::vector<BYTE> BmpHeaders(const BITMAPFILEHEADER& fh, const BITMAPINFOHEADER& ih)
{
    const BmpHeaderPair headers = {fh, ih};
    const auto* p = reinterpret_cast<const BYTE*>(&headers);
    std::vector<BYTE> file(std::max<size_t>(fh.bfSize, sizeof(headers)), 0);
    std::copy(p, p + sizeof(headers), file.begin());
    return file;
}

std::vector<CString> Files(const CString& dir, LPCWSTR pszPattern)
{
    std::vector<CString> names;
    WIN32_FIND_DATAW data = {};
    HANDLE hFind = ::FindFirstFileW(dir + L"\\" + pszPattern, &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return names;
    do
        names.emplace_back(data.cFileName);
    while (::FindNextFileW(hFind, &data));
    ::FindClose(hFind);
    return names;
}

class ImageCheckTest : public ::testing::Test
{
protected:
    CString m_dir;

    void SetUp() override
    {
        const char* pszDir = std::getenv("IMAGE_CHECK_DIR");
        if (pszDir == nullptr)
            GTEST_SKIP() << "IMAGE_CHECK_DIR is not set";
        m_dir = pszDir;
    }
};

TEST_F(ImageCheckTest, ForeignFilesLoadAsTheirWritersReadThem)
{
    const std::vector<CString> names = Files(m_dir, L"*.rgb");
    ASSERT_FALSE(names.empty()) << "make_images.py wrote nothing";
    for (const CString& rgbName : names)
    {
        const CString name = rgbName.Left(rgbName.GetLength() - 4);
        std::unique_ptr<SECImage> pImage(SECImageFactory::LoadImageFromFile(m_dir + L"\\" + name));
        ASSERT_NE(pImage, nullptr) << CW2A(name);
        const std::vector<BYTE> want = ReadAll(m_dir + L"\\" + rgbName);
        const std::vector<BYTE> got = Rgb(*pImage);
        ASSERT_EQ(got.size(), want.size()) << CW2A(name);
        // PIL and the library decode JPEG with the same tables but may round differently.
        const int nTolerance = name.Right(4) == L".jpg" ? 2 : 0;
        int nWorst = 0;
        for (size_t i = 0; i < got.size(); i++)
            nWorst = std::max(nWorst, std::abs(got[i] - want[i]));
        EXPECT_LE(nWorst, nTolerance) << CW2A(name);
        if (name.Find(L"grey") >= 0)
        {
            EXPECT_EQ(pImage->GetBitCount(), 8);
            EXPECT_EQ(pImage->GetBitmapInfo()->bmiColors[200].rgbGreen, 200);
        }
    }
    for (const CString& name : Files(m_dir, L"bad-*"))
    {
        SECJpeg image;
        EXPECT_FALSE(image.LoadImage(m_dir + L"\\" + name)) << CW2A(name);
    }
}

TEST_F(ImageCheckTest, SavesForOtherReaders)
{
    // A picture with smooth gradients and a sharp edge, in every depth the saver takes.
    constexpr int cx = 37;
    constexpr int cy = 23;
    std::vector<BYTE> ppm;
    const std::string header = "P6\n37 23\n255\n";
    ppm.insert(ppm.end(), header.begin(), header.end());
    SECDib image;
    {
        CString bmpPath = m_dir + L"\\source24.tmp";
        const DWORD dwSize = 54 + SECImage::RowBytesFor(cx, 24) * cy;
        std::vector<BYTE> file = BmpHeaders({0x4D42, dwSize, 0, 0, 54}, {40, cx, cy, 1, 24, BI_RGB, 0, 0, 0, 0, 0});
        for (int y = 0; y < cy; y++)
            for (int x = 0; x < cx; x++)
            {
                const BYTE r = static_cast<BYTE>(x * 255 / (cx - 1));
                const BYTE g = static_cast<BYTE>(y * 255 / (cy - 1));
                const BYTE b = x < cx / 2 ? 40 : 220;
                BYTE* p = file.data() + 54 + static_cast<size_t>(cy - 1 - y) * SECImage::RowBytesFor(cx, 24) + 3 * x;
                p[0] = b, p[1] = g, p[2] = r;
                ppm.insert(ppm.end(), {r, g, b});
            }
        WriteAll(bmpPath, file);
        ASSERT_TRUE(image.LoadImage(bmpPath));
        ::DeleteFileW(bmpPath);
    }
    WriteAll(m_dir + L"\\ours.ppm", ppm);
    ASSERT_TRUE(image.SaveImage(m_dir + L"\\ours-24.bmp"));
    SECJpeg jpeg;
    ASSERT_TRUE(jpeg.CopyImage(image));
    ASSERT_TRUE(jpeg.SaveImage(m_dir + L"\\ours.jpg"));
    SECJpeg decoded;
    ASSERT_TRUE(decoded.LoadImage(m_dir + L"\\ours.jpg"));
    std::vector<BYTE> decodedPpm(header.begin(), header.end());
    const std::vector<BYTE> rgb = Rgb(decoded);
    decodedPpm.insert(decodedPpm.end(), rgb.begin(), rgb.end());
    WriteAll(m_dir + L"\\ours-decoded.ppm", decodedPpm);

    // Palette depths from files made here with two and four colours.
    for (int nBits : {1, 4, 8})
    {
        const int nColors = 1 << nBits;
        const DWORD dwRow = SECImage::RowBytesFor(cx, static_cast<WORD>(nBits));
        const DWORD dwOffset = 54 + 4 * nColors;
        std::vector<BYTE> file = BmpHeaders({0x4D42, dwOffset + dwRow * cy, 0, 0, dwOffset},
                                            {40, cx, cy, 1, static_cast<WORD>(nBits), BI_RGB, 0, 0, 0, 0, 0});
        const RGBQUAD table[] = {{0, 0, 255, 0}, {255, 0, 0, 0}};
        memcpy(file.data() + 54, table, sizeof(table));
        for (int y = 0; y < cy; y++)
            for (int x = 0; x < cx; x++)
                if ((x / 4 + y / 3) % 2)
                {
                    const int nPerByte = 8 / nBits;
                    file[54 + 4 * nColors + static_cast<size_t>(cy - 1 - y) * dwRow + x / nPerByte] |=
                        static_cast<BYTE>(1 << ((nPerByte - 1 - x % nPerByte) * nBits));
                }
        const CString source = m_dir + L"\\source.tmp";
        WriteAll(source, file);
        SECDib palette;
        ASSERT_TRUE(palette.LoadImage(source)) << nBits;
        ::DeleteFileW(source);
        CString name;
        name.Format(L"\\ours-%d.bmp", nBits);
        ASSERT_TRUE(palette.SaveImage(m_dir + name)) << nBits;
    }
}
} // namespace
