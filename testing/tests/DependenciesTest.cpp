// The cross-built libraries link into a Windows executable and work: version calls and a
// round trip through each one.
#include <afx.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include <bzlib.h>
#include <jpeglib.h>
#include <zlib.h>

#include <gtest/gtest.h>

namespace
{
std::vector<unsigned char> SampleBytes(size_t count)
{
    std::vector<unsigned char> bytes(count);
    for (size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<unsigned char>((i * 7) % 13 + (i / 100) % 5);
    return bytes;
}
} // namespace

TEST(Dependencies, ZlibMatchesItsHeaderAndRoundTrips)
{
    EXPECT_STREQ(zlibVersion(), ZLIB_VERSION);

    const auto input = SampleBytes(100000);
    uLongf packedSize = compressBound(static_cast<uLong>(input.size()));
    std::vector<unsigned char> packed(packedSize);
    ASSERT_EQ(compress(packed.data(), &packedSize, input.data(), static_cast<uLong>(input.size())), Z_OK);
    EXPECT_LT(packedSize, input.size() / 10);

    uLongf outputSize = static_cast<uLongf>(input.size());
    std::vector<unsigned char> output(outputSize);
    ASSERT_EQ(uncompress(output.data(), &outputSize, packed.data(), packedSize), Z_OK);
    EXPECT_EQ(output, input);
}

TEST(Dependencies, Bzip2ReportsItsVersionAndRoundTrips)
{
    EXPECT_EQ(std::strncmp(BZ2_bzlibVersion(), "1.0.", 4), 0) << BZ2_bzlibVersion();

    auto input = SampleBytes(100000);
    unsigned int packedSize = static_cast<unsigned int>(input.size() + input.size() / 100 + 600);
    std::vector<char> packed(packedSize);
    ASSERT_EQ(BZ2_bzBuffToBuffCompress(packed.data(), &packedSize, reinterpret_cast<char*>(input.data()),
                                       static_cast<unsigned int>(input.size()), 9, 0, 30),
              BZ_OK);
    EXPECT_LT(packedSize, input.size() / 10);

    unsigned int outputSize = static_cast<unsigned int>(input.size());
    std::vector<unsigned char> output(outputSize);
    ASSERT_EQ(BZ2_bzBuffToBuffDecompress(reinterpret_cast<char*>(output.data()), &outputSize, packed.data(), packedSize,
                                         0, 0),
              BZ_OK);
    EXPECT_EQ(output, input);
}

TEST(Dependencies, JpegEncodesAndDecodesAnImage)
{
    // jpeg_CreateCompress checks that the library's version matches the header's.
    EXPECT_GE(JPEG_LIB_VERSION, 62);
    const int width = 32, height = 16;
    std::vector<unsigned char> pixels(width * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            unsigned char* p = &pixels[(y * width + x) * 3];
            p[0] = 200, p[1] = static_cast<unsigned char>(x * 8), p[2] = 40;
        }

    jpeg_compress_struct compress{};
    jpeg_error_mgr compressErrors{};
    compress.err = jpeg_std_error(&compressErrors);
    jpeg_create_compress(&compress);
    unsigned char* encoded = nullptr;
    unsigned long encodedSize = 0;
    jpeg_mem_dest(&compress, &encoded, &encodedSize);
    compress.image_width = width;
    compress.image_height = height;
    compress.input_components = 3;
    compress.in_color_space = JCS_RGB;
    jpeg_set_defaults(&compress);
    jpeg_set_quality(&compress, 95, TRUE);
    jpeg_start_compress(&compress, TRUE);
    while (compress.next_scanline < compress.image_height)
    {
        JSAMPROW row = &pixels[compress.next_scanline * width * 3];
        jpeg_write_scanlines(&compress, &row, 1);
    }
    jpeg_finish_compress(&compress);
    jpeg_destroy_compress(&compress);
    ASSERT_GT(encodedSize, 2u);
    EXPECT_EQ(encoded[0], 0xFF);
    EXPECT_EQ(encoded[1], 0xD8);

    jpeg_decompress_struct decompress{};
    jpeg_error_mgr decompressErrors{};
    decompress.err = jpeg_std_error(&decompressErrors);
    jpeg_create_decompress(&decompress);
    jpeg_mem_src(&decompress, encoded, encodedSize);
    ASSERT_EQ(jpeg_read_header(&decompress, TRUE), JPEG_HEADER_OK);
    jpeg_start_decompress(&decompress);
    EXPECT_EQ(static_cast<int>(decompress.output_width), width);
    EXPECT_EQ(static_cast<int>(decompress.output_height), height);
    std::vector<unsigned char> decoded(width * height * 3);
    while (decompress.output_scanline < decompress.output_height)
    {
        JSAMPROW row = &decoded[decompress.output_scanline * width * 3];
        jpeg_read_scanlines(&decompress, &row, 1);
    }
    jpeg_finish_decompress(&decompress);
    jpeg_destroy_decompress(&decompress);
    std::free(encoded);

    // Lossy, but close: compare the middle of the image within a tolerance.
    for (int x = 0; x < width; ++x)
    {
        const unsigned char* p = &decoded[((height / 2) * width + x) * 3];
        EXPECT_NEAR(p[0], 200, 12);
        EXPECT_NEAR(p[1], x * 8, 12);
        EXPECT_NEAR(p[2], 40, 12);
    }
}
