// Decodes and encodes a 24-bit JPEG file of 4000 x 3000 and of 1265 x 949 pixels through the
// toolkit's image (LoadImage and SaveImage by name, one image loaded again and again) and through
// a plain library loop over the same file (scanlines into and out of one buffer, the library's
// standard file source and destination), and prints the median time of 7 runs of each, taking
// turns after a first unmeasured round, their ratios and the cost per pixel of the large image
// against the small one.
#include <toolkit/foundation/Jpeg.h>
#include <BenchFigures.h>

#include <afxwin.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include <jpeglib.h>

using tarnwick::foundation::SECJpeg;

namespace
{
const int kRuns = 7;

struct Size
{
    JDIMENSION cx;
    JDIMENSION cy;
};

// A photograph-like picture: smooth gradients with rings and some noise, so that the coder has
// detail to keep.
std::vector<JSAMPLE> MakePicture(const Size& size)
{
    std::vector<JSAMPLE> pixels(static_cast<size_t>(size.cx) * size.cy * 3);
    unsigned nNoise = 12345;
    for (JDIMENSION y = 0; y < size.cy; ++y)
        for (JDIMENSION x = 0; x < size.cx; ++x)
        {
            nNoise = nNoise * 1103515245 + 12345;
            const double dRing = std::sin(std::hypot(x - size.cx / 2.0, y - size.cy / 3.0) / 23.0);
            JSAMPLE* pPixel = &pixels[(static_cast<size_t>(y) * size.cx + x) * 3];
            pPixel[0] = static_cast<JSAMPLE>(255 * x / size.cx);
            pPixel[1] = static_cast<JSAMPLE>(128 + 100 * dRing);
            pPixel[2] = static_cast<JSAMPLE>((255 * y / size.cy + (nNoise >> 27)) & 0xFF);
        }
    return pixels;
}

// The plain loop's encoding: the buffer's rows written as RGB with the library's defaults.
void PlainEncode(const std::vector<JSAMPLE>& pixels, const Size& size, const std::string& strPath)
{
    FILE* pFile = std::fopen(strPath.c_str(), "wb");
    jpeg_compress_struct info = {};
    jpeg_error_mgr error = {};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, pFile);
    info.image_width = size.cx;
    info.image_height = size.cy;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height)
    {
        auto pRow = const_cast<JSAMPROW>(&pixels[static_cast<size_t>(info.next_scanline) * size.cx * 3]);
        jpeg_write_scanlines(&info, &pRow, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(pFile);
}

// The plain loop's decoding: every scanline into one buffer, the same from decode to decode.
void PlainDecode(const std::string& strPath, std::vector<JSAMPLE>& pixels)
{
    FILE* pFile = std::fopen(strPath.c_str(), "rb");
    jpeg_decompress_struct info = {};
    jpeg_error_mgr error = {};
    info.err = jpeg_std_error(&error);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, pFile);
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    const size_t nRowBytes = static_cast<size_t>(info.output_width) * info.output_components;
    pixels.resize(nRowBytes * info.output_height);
    while (info.output_scanline < info.output_height)
    {
        JSAMPROW pRow = &pixels[info.output_scanline * nRowBytes];
        jpeg_read_scanlines(&info, &pRow, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(pFile);
}

struct Figures
{
    double dLoad;
    double dPlainDecode;
    double dSave;
    double dPlainEncode;
};

Figures Measure(const Size& size, const std::string& strDir)
{
    const std::string strSource = strDir + "jpeg_codec_source.jpg";
    const std::string strSaved = strDir + "jpeg_codec_saved.jpg";
    const std::string strPlain = strDir + "jpeg_codec_plain.jpg";
    const std::vector<JSAMPLE> picture = MakePicture(size);
    PlainEncode(picture, size, strSource);

    SECJpeg image;
    const CString strSourceW(strSource.c_str());
    std::vector<JSAMPLE> decoded;
    const std::vector<double> decodes =
        MedianSecondsOfEach(kRuns, {[&] { image.LoadImage(strSourceW); }, [&] { PlainDecode(strSource, decoded); }});
    const CString strSavedW(strSaved.c_str());
    const std::vector<double> encodes = MedianSecondsOfEach(
        kRuns, {[&] { image.SaveImage(strSavedW); }, [&] { PlainEncode(decoded, size, strPlain); }});
    const Figures figures = {decodes[0], decodes[1], encodes[0], encodes[1]};
    if (image.GetWidth() != size.cx || image.GetHeight() != size.cy || decoded.size() != picture.size())
        std::printf("  the image did not load\n");
    for (const std::string& strPath : {strSource, strSaved, strPlain})
        std::remove(strPath.c_str());
    return figures;
}

// One line per size: both codecs' medians and their ratios (targets at most 1.25).
void Print(const Size& size, const Figures& figures)
{
    std::printf("%4lu x %4lu: LoadImage %7.1f ms, plain decode %7.1f ms, ratio %4.2f; SaveImage %7.1f ms, plain encode "
                "%7.1f ms, ratio %4.2f (targets at most 1.25)\n",
                static_cast<unsigned long>(size.cx), static_cast<unsigned long>(size.cy), figures.dLoad * 1000,
                figures.dPlainDecode * 1000, figures.dLoad / figures.dPlainDecode, figures.dSave * 1000,
                figures.dPlainEncode * 1000, figures.dSave / figures.dPlainEncode);
}
} // namespace

int main()
{
    char szTemp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szTemp);
    const Size large = {4000, 3000};
    const Size small = {1265, 949};
    const Figures largeFigures = Measure(large, szTemp);
    const Figures smallFigures = Measure(small, szTemp);
    Print(large, largeFigures);
    Print(small, smallFigures);
    const double dPixelRatio = static_cast<double>(large.cx) * large.cy / (static_cast<double>(small.cx) * small.cy);
    std::printf("24 bits, median of %d runs; cost per pixel at 4000 x 3000 against 1265 x 949: LoadImage %4.2f, "
                "SaveImage %4.2f (target at most 1.2)\n",
                kRuns, largeFigures.dLoad / smallFigures.dLoad / dPixelRatio,
                largeFigures.dSave / smallFigures.dSave / dPixelRatio);
    return 0;
}
