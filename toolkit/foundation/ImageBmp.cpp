// The BMP file format of SECImage: the writer of the held image and a reader of every common
// layout (core and info headers, bit fields, run-length coding, top-down rows).
#include "Image.h"

#include <algorithm>
#include <cstring>

namespace tarnwick::foundation
{
namespace
{
constexpr WORD kBmpType = 0x4D42; // "BM"
constexpr DWORD kFileHeaderSize = 14;
constexpr DWORD kCoreHeaderSize = 12;
constexpr DWORD kInfoHeaderSize = 40;
// The header sizes the reader knows: core, info, and the info header's later versions.
constexpr DWORD kHeaderSizes[] = {kCoreHeaderSize, kInfoHeaderSize, 52, 56, 108, 124};
constexpr LONG kMaxSide = 0x10000;               // pixels on a side
constexpr size_t kReadBlock = 1 << 20;           // compressed pixels are read this much at a time

DWORD Le32(const BYTE* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<DWORD>(p[3]) << 24);
}

WORD Le16(const BYTE* p)
{
    return static_cast<WORD>(p[0] | (p[1] << 8));
}

void Put32(std::vector<BYTE>& out, DWORD dw)
{
    for (int i = 0; i < 4; i++)
        out.push_back(static_cast<BYTE>(dw >> (8 * i)));
}

void Put16(std::vector<BYTE>& out, WORD w)
{
    out.push_back(static_cast<BYTE>(w));
    out.push_back(static_cast<BYTE>(w >> 8));
}

// A channel of a bit-field pixel scaled to 8 bits.
BYTE FieldValue(DWORD dwPixel, DWORD dwMask)
{
    if (dwMask == 0)
        return 0;
    int nShift = 0;
    while (!(dwMask & (1u << nShift)))
        nShift++;
    int nBits = 0;
    while (nShift + nBits < 32 && (dwMask & (1u << (nShift + nBits))))
        nBits++;
    // Wide in 64 bits: a 32-bit channel times 255 does not fit 32.
    const ULONGLONG nValue = (dwPixel & dwMask) >> nShift;
    const ULONGLONG nMax = (1ULL << nBits) - 1;
    return static_cast<BYTE>((nValue * 255 + nMax / 2) / nMax);
}

// Decodes run-length rows (8 or 4 bits) into bottom-up rows of rowBytes. Pixels right of a row
// are dropped (writers pad runs to even widths) and a move past the last row ends the image, so
// the position stays inside the block; FALSE for data that ends inside a code.
BOOL DecodeRle(const std::vector<BYTE>& data, BOOL b4Bit, LONG cx, LONG cy, DWORD dwRowBytes, BYTE* pBits)
{
    size_t i = 0;
    LONG x = 0;
    LONG y = 0;
    auto put = [&](BYTE value) {
        if (x >= cx || y >= cy)
            return;
        BYTE* pRow = pBits + static_cast<size_t>(y) * dwRowBytes;
        if (b4Bit)
            pRow[x / 2] |= (x % 2 == 0) ? static_cast<BYTE>(value << 4) : static_cast<BYTE>(value & 0xF);
        else
            pRow[x] = value;
        x++;
    };
    while (i + 1 < data.size())
    {
        const BYTE n = data[i++];
        const BYTE v = data[i++];
        if (n > 0)
        {
            for (int k = 0; k < n; k++)
            {
                put(b4Bit ? ((k % 2 == 0) ? v >> 4 : v & 0xF) : v);
            }
            continue;
        }
        if (v == 0) // end of line
        {
            x = 0;
            if (++y >= cy)
                return TRUE;
        }
        else if (v == 1) // end of bitmap
            return TRUE;
        else if (v == 2) // delta
        {
            if (i + 1 >= data.size())
                return FALSE;
            x = std::min<LONG>(x + data[i++], cx);
            y += data[i++];
            if (y >= cy)
                return TRUE;
        }
        else // literal run
        {
            const size_t nBytes = b4Bit ? (v + 1) / 2 : v;
            if (i + nBytes > data.size())
                return FALSE;
            for (int k = 0; k < v; k++)
            {
                put(b4Bit ? ((k % 2 == 0) ? data[i + k / 2] >> 4 : data[i + k / 2] & 0xF) : data[i + k]);
            }
            i += (nBytes + 1) & ~static_cast<size_t>(1); // runs keep 16-bit alignment
        }
    }
    return TRUE; // a file without the end marker keeps what it held
}
} // namespace

BOOL SECImage::WriteBmp(std::vector<BYTE>& file) const
{
    if (m_pInfo == nullptr || m_pBits == nullptr)
        return FALSE;
    const DWORD dwTable = m_nColors * sizeof(RGBQUAD);
    const DWORD dwBits = m_dwRowBytes * m_dwHeight;
    file.clear();
    file.reserve(kFileHeaderSize + kInfoHeaderSize + dwTable + dwBits);
    Put16(file, kBmpType);
    Put32(file, kInfoHeaderSize + dwTable + dwBits + kFileHeaderSize);
    Put32(file, 0);
    Put32(file, kFileHeaderSize + kInfoHeaderSize + dwTable);
    const BYTE* pInfo = reinterpret_cast<const BYTE*>(m_pInfo);
    file.insert(file.end(), pInfo, pInfo + kInfoHeaderSize + dwTable);
    file.insert(file.end(), m_pBits, m_pBits + dwBits);
    return TRUE;
}

BOOL SECImage::ReadBmp(const std::function<UINT(void*, UINT)>& read, ULONGLONG nAvailable)
{
    auto readAll = [&](void* pBuffer, DWORD cb) {
        if (cb > nAvailable || read(pBuffer, cb) != cb)
            return FALSE;
        nAvailable -= cb;
        return TRUE;
    };
    BYTE fileHeader[kFileHeaderSize];
    BYTE header[124] = {};
    if (!readAll(fileHeader, kFileHeaderSize) || Le16(fileHeader) != kBmpType || !readAll(header, 4))
        return FALSE;
    const DWORD dwHeaderSize = Le32(header);
    if (std::find(std::begin(kHeaderSizes), std::end(kHeaderSizes), dwHeaderSize) == std::end(kHeaderSizes) ||
        !readAll(header + 4, dwHeaderSize - 4))
        return FALSE;
    const DWORD dwOffBits = Le32(fileHeader + 10);
    const BOOL bCore = dwHeaderSize == kCoreHeaderSize;
    const LONG cx = bCore ? Le16(header + 4) : static_cast<LONG>(Le32(header + 4));
    // The core header's sides are unsigned words: its rows are always bottom-up.
    const LONG cyStored = bCore ? Le16(header + 6) : static_cast<LONG>(Le32(header + 8));
    const WORD wBits = bCore ? Le16(header + 10) : Le16(header + 14);
    const DWORD dwCompression = bCore ? BI_RGB : Le32(header + 16);
    const DWORD dwSizeImage = bCore ? 0 : Le32(header + 20);
    const DWORD dwClrUsed = bCore ? 0 : Le32(header + 32);
    const BOOL bTopDown = cyStored < 0;
    const LONG cy = bTopDown ? -cyStored : cyStored;
    if (cx <= 0 || cy <= 0 || cx > kMaxSide || cy > kMaxSide)
        return FALSE;
    const BOOL bRle = dwCompression == BI_RLE8 || dwCompression == BI_RLE4;
    const BOOL bFields = dwCompression == BI_BITFIELDS;
    const BOOL bKnown = (dwCompression == BI_RGB && (wBits == 1 || wBits == 4 || wBits == 8 || wBits == 16 ||
                                                     wBits == 24 || wBits == 32)) ||
                        (dwCompression == BI_RLE8 && wBits == 8) || (dwCompression == BI_RLE4 && wBits == 4) ||
                        (bFields && (wBits == 16 || wBits == 32));
    if (!bKnown || (bTopDown && bRle))
        return FALSE;

    // Bit fields follow a 40-byte header; the later headers hold them.
    DWORD masks[3] = {0x7C00, 0x03E0, 0x001F};
    if (wBits == 32)
        masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
    DWORD dwRead = kFileHeaderSize + dwHeaderSize;
    if (bFields)
    {
        BYTE fields[12];
        if (dwHeaderSize == kInfoHeaderSize)
        {
            if (!readAll(fields, sizeof(fields)))
                return FALSE;
            dwRead += sizeof(fields);
        }
        else
            memcpy(fields, header + 40, sizeof(fields));
        for (int i = 0; i < 3; i++)
            masks[i] = Le32(fields + 4 * i);
    }

    const UINT nTableMax = ColorCountFor(wBits);
    UINT nTable = wBits <= 8 ? (dwClrUsed != 0 ? dwClrUsed : nTableMax) : 0;
    if (nTable > nTableMax)
        return FALSE;
    const DWORD dwEntry = bCore ? 3 : 4;
    std::vector<BYTE> table(static_cast<size_t>(nTable) * dwEntry);
    if (!table.empty() && !readAll(table.data(), static_cast<DWORD>(table.size())))
        return FALSE;
    dwRead += static_cast<DWORD>(table.size());
    if (dwOffBits < dwRead || dwOffBits - dwRead > nAvailable)
        return FALSE; // the pixels would start inside the headers or past the end of the data
    // The gap before the pixels is passed in small steps, so that a damaged offset meets the end
    // of the data before it can claim memory.
    for (DWORD dwGap = dwOffBits - dwRead; dwGap > 0;)
    {
        BYTE gap[4096];
        const DWORD cb = std::min<DWORD>(dwGap, sizeof(gap));
        if (!readAll(gap, cb))
            return FALSE;
        dwGap -= cb;
    }

    const DWORD dwSrcRow = RowBytesFor(static_cast<DWORD>(cx), wBits);
    const ULONGLONG nData = bRle ? dwSizeImage : static_cast<ULONGLONG>(dwSrcRow) * cy;
    if (nData == 0 || nData > nAvailable)
        return FALSE;
    std::vector<BYTE> data;
    if (bRle)
        while (data.size() < nData)
        {
            const size_t nAt = data.size();
            data.resize(nAt + static_cast<size_t>(std::min<ULONGLONG>(nData - nAt, kReadBlock)));
            if (!readAll(data.data() + nAt, static_cast<DWORD>(data.size() - nAt)))
                return FALSE;
        }

    std::vector<RGBQUAD> colors(nTable);
    for (UINT i = 0; i < nTable; i++)
        colors[i] = {table[i * dwEntry], table[i * dwEntry + 1], table[i * dwEntry + 2], 0};
    const WORD wHeld = wBits > 8 ? 24 : wBits;
    // Run-length codes may skip pixels, which stay zero.
    if (!CreateImage(static_cast<DWORD>(cx), static_cast<DWORD>(cy), wHeld, colors.data(), nTable, !bRle))
        return FALSE;
    BYTE* pBits = GetBitsToFill();
    const DWORD dwRowBytes = GetRowBytes();
    if (bRle)
        return DecodeRle(data, dwCompression == BI_RLE4, cx, cy, dwRowBytes, pBits);
    // Rows are read one at a time: only the held image is as large as the picture.
    std::vector<BYTE> row(dwSrcRow);
    for (LONG nRow = 0; nRow < cy; nRow++)
    {
        if (!readAll(row.data(), dwSrcRow))
            return FALSE;
        const BYTE* pSrc = row.data();
        BYTE* pDst = pBits + static_cast<size_t>(bTopDown ? cy - 1 - nRow : nRow) * dwRowBytes;
        if (wBits <= 8 || wBits == 24)
        {
            memcpy(pDst, pSrc, std::min(dwSrcRow, dwRowBytes));
            continue;
        }
        for (LONG x = 0; x < cx; x++)
        {
            const DWORD dwPixel = wBits == 16 ? Le16(pSrc + 2 * x) : Le32(pSrc + 4 * x);
            pDst[3 * x] = FieldValue(dwPixel, masks[2]);
            pDst[3 * x + 1] = FieldValue(dwPixel, masks[1]);
            pDst[3 * x + 2] = FieldValue(dwPixel, masks[0]);
        }
    }
    return TRUE;
}
} // namespace tarnwick::foundation
