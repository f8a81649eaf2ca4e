#include "Jpeg.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

namespace tarnwick::foundation
{
namespace
{
constexpr UINT kBufferSize = 4096;
// What the library may always have for its tables and row buffers.
constexpr ULONGLONG kLibraryReserve = 4ULL << 20;
const JOCTET kFakeEoi[] = {0xFF, JPEG_EOI};

// The library reports errors here: back to the caller's setjmp instead of ending the process.
struct ErrorManager
{
    jpeg_error_mgr pub;
    jmp_buf jump;
};

void OnError(j_common_ptr pInfo)
{
    longjmp(reinterpret_cast<ErrorManager*>(pInfo->err)->jump, 1);
}

void OnMessage(j_common_ptr)
{
}

// The image's file through its buffer.
struct Source
{
    jpeg_source_mgr pub;
    SECJpeg* pImage;
    BOOL bStarted;
};

void InitSource(j_decompress_ptr pInfo)
{
    reinterpret_cast<Source*>(pInfo->src)->bStarted = FALSE;
}

boolean FillInput(j_decompress_ptr pInfo)
{
    auto* pSource = reinterpret_cast<Source*>(pInfo->src);
    const UINT nRead = pSource->pImage->FillFileBuffer();
    if (nRead == 0)
    {
        if (!pSource->bStarted)
            ERREXIT(pInfo, JERR_INPUT_EMPTY);
        WARNMS(pInfo, JWRN_JPEG_EOF);
        pSource->pub.next_input_byte = kFakeEoi;
        pSource->pub.bytes_in_buffer = sizeof(kFakeEoi);
        return TRUE;
    }
    pSource->bStarted = TRUE;
    pSource->pub.next_input_byte = pSource->pImage->GetFileBuffer();
    pSource->pub.bytes_in_buffer = nRead;
    return TRUE;
}

void SkipInput(j_decompress_ptr pInfo, long nBytes)
{
    jpeg_source_mgr* pSource = pInfo->src;
    while (nBytes > static_cast<long>(pSource->bytes_in_buffer))
    {
        nBytes -= static_cast<long>(pSource->bytes_in_buffer);
        FillInput(pInfo);
    }
    if (nBytes > 0)
    {
        pSource->next_input_byte += nBytes;
        pSource->bytes_in_buffer -= static_cast<size_t>(nBytes);
    }
}

void TermSource(j_decompress_ptr)
{
}

struct Destination
{
    jpeg_destination_mgr pub;
    SECJpeg* pImage;
};

void InitDestination(j_compress_ptr pInfo)
{
    auto* pDest = reinterpret_cast<Destination*>(pInfo->dest);
    pDest->pub.next_output_byte = pDest->pImage->GetFileBuffer();
    pDest->pub.free_in_buffer = kBufferSize;
}

// A write failure becomes the library's error, which unwinds to the saver.
void WriteOut(j_compress_ptr pInfo, UINT nCount)
{
    auto* pDest = reinterpret_cast<Destination*>(pInfo->dest);
    BOOL bWritten = TRUE;
    try
    {
        pDest->pImage->FlushFileBuffer(nCount);
    }
    catch (CException* e)
    {
        e->Delete();
        bWritten = FALSE;
    }
    // The jump leaves only after the handler has ended: a longjmp out of a catch block skips
    // the exception's clean-up.
    if (!bWritten)
        ERREXIT(pInfo, JERR_FILE_WRITE);
}

boolean EmptyOutput(j_compress_ptr pInfo)
{
    auto* pDest = reinterpret_cast<Destination*>(pInfo->dest);
    WriteOut(pInfo, kBufferSize);
    pDest->pub.next_output_byte = pDest->pImage->GetFileBuffer();
    pDest->pub.free_in_buffer = kBufferSize;
    return TRUE;
}

void TermDestination(j_compress_ptr pInfo)
{
    auto* pDest = reinterpret_cast<Destination*>(pInfo->dest);
    const UINT nCount = kBufferSize - static_cast<UINT>(pDest->pub.free_in_buffer);
    if (nCount > 0)
        WriteOut(pInfo, nCount);
}
} // namespace

IMPLEMENT_DYNCREATE(SECJpeg, SECImage)

const int SECJpeg::EmptyInputCode = JERR_INPUT_EMPTY;
const int SECJpeg::EarlyEndCode = JWRN_JPEG_EOF;

BOOL SECJpeg::DoLoadImage()
{
    jpeg_decompress_struct info = {};
    ErrorManager error = {};
    Source source = {};
    info.err = jpeg_std_error(&error.pub);
    error.pub.error_exit = OnError;
    error.pub.output_message = OnMessage;
    if (setjmp(error.jump))
    {
        jpeg_destroy_decompress(&info);
        return FALSE;
    }
    jpeg_create_decompress(&info);
    SetFileBuffer(kBufferSize);
    source.pImage = this;
    source.pub.init_source = InitSource;
    source.pub.fill_input_buffer = FillInput;
    source.pub.skip_input_data = SkipInput;
    source.pub.resync_to_restart = jpeg_resync_to_restart;
    source.pub.term_source = TermSource;
    info.src = &source.pub;
    jpeg_read_header(&info, TRUE);
    const BOOL bGrey = info.num_components == 1;
    if (!bGrey && !(info.num_components == 3 && info.jpeg_color_space == JCS_YCbCr) &&
        !(info.num_components == 3 && info.jpeg_color_space == JCS_RGB))
    {
        jpeg_destroy_decompress(&info);
        return FALSE;
    }
    // Colour comes out in the image's own byte order, so the rows are decoded in place.
    info.out_color_space = bGrey ? JCS_GRAYSCALE : JCS_EXT_BGR;
    // The held image is made before decoding starts, so that a frame too large for the cap is
    // refused before the library allocates for it.
    jpeg_calc_output_dimensions(&info);
    RGBQUAD grey[256];
    for (int i = 0; i < 256; i++)
        grey[i] = {static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i), 0};
    if (!CreateImage(info.output_width, info.output_height, bGrey ? 8 : 24, grey, bGrey ? 256 : 0, TRUE))
    {
        jpeg_destroy_decompress(&info);
        return FALSE;
    }
    // The library's working memory (a progressive file's coefficients) gets what the held image
    // leaves of the cap; a file that needs more fails as the library asks for a backing store.
    const ULONGLONG nHeld = static_cast<ULONGLONG>(GetRowBytes()) * GetHeight();
    info.mem->max_memory_to_use = static_cast<long>(std::max(MaxHeldBytes - nHeld, kLibraryReserve));
    jpeg_start_decompress(&info);
    BYTE* pBits = GetBitsToFill();
    const DWORD dwRowBytes = GetRowBytes();
    while (info.output_scanline < info.output_height)
    {
        const DWORD y = info.output_height - 1 - info.output_scanline; // bottom-up
        JSAMPROW pRow = pBits + static_cast<size_t>(y) * dwRowBytes;
        jpeg_read_scanlines(&info, &pRow, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return TRUE;
}

BOOL SECJpeg::DoSaveImage()
{
    const BITMAPINFO* pInfo = GetBitmapInfo();
    const BYTE* pBits = GetBits();
    const WORD wBits = GetBitCount();
    if (pInfo == nullptr || pBits == nullptr ||
        !(wBits == 1 || wBits == 4 || wBits == 8 || wBits == 24 || wBits == 32))
        return FALSE;
    jpeg_compress_struct info = {};
    ErrorManager error = {};
    Destination dest = {};
    std::vector<JOCTET> row(static_cast<size_t>(GetWidth()) * 3);
    info.err = jpeg_std_error(&error.pub);
    error.pub.error_exit = OnError;
    error.pub.output_message = OnMessage;
    if (setjmp(error.jump))
    {
        jpeg_destroy_compress(&info);
        return FALSE;
    }
    jpeg_create_compress(&info);
    SetFileBuffer(kBufferSize);
    dest.pImage = this;
    dest.pub.init_destination = InitDestination;
    dest.pub.empty_output_buffer = EmptyOutput;
    dest.pub.term_destination = TermDestination;
    info.dest = &dest.pub;
    info.image_width = GetWidth();
    info.image_height = GetHeight();
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_start_compress(&info, TRUE);
    const DWORD dwRowBytes = GetRowBytes();
    while (info.next_scanline < info.image_height)
    {
        const BYTE* pSrc = pBits + static_cast<size_t>(info.image_height - 1 - info.next_scanline) * dwRowBytes;
        for (DWORD x = 0; x < info.image_width; x++)
        {
            BYTE* pDst = &row[3 * x];
            if (wBits <= 8)
            {
                const UINT nPerByte = 8 / wBits;
                const UINT nShift = (nPerByte - 1 - x % nPerByte) * wBits;
                const BYTE index = static_cast<BYTE>((pSrc[x / nPerByte] >> nShift) & ((1u << wBits) - 1));
                const RGBQUAD& color = pInfo->bmiColors[index];
                pDst[0] = color.rgbRed;
                pDst[1] = color.rgbGreen;
                pDst[2] = color.rgbBlue;
            }
            else
            {
                const BYTE* pPixel = pSrc + static_cast<size_t>(x) * (wBits / 8);
                pDst[0] = pPixel[2];
                pDst[1] = pPixel[1];
                pDst[2] = pPixel[0];
            }
        }
        JSAMPROW pRow = row.data();
        jpeg_write_scanlines(&info, &pRow, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return TRUE;
}
} // namespace tarnwick::foundation
