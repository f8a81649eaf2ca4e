#include "Image.h"

#include "Dib.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

namespace tarnwick::foundation
{
namespace
{
// A moveable zeroed block, kept locked for the image's life.
LPVOID AllocLocked(SIZE_T cb, HGLOBAL& hBlock)
{
    hBlock = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, cb);
    return hBlock != nullptr ? ::GlobalLock(hBlock) : nullptr;
}

void FreeLocked(HGLOBAL& hBlock)
{
    if (hBlock == nullptr)
        return;
    ::GlobalUnlock(hBlock);
    ::GlobalFree(hBlock);
    hBlock = nullptr;
}

// Copies cbRow bytes of each of nRows rows between blocks of different row sizes.
void CopyRows(const BYTE* pFrom, DWORD dwFromRowBytes, BYTE* pTo, DWORD dwToRowBytes, DWORD cbRow, DWORD nRows)
{
    for (DWORD y = 0; y < nRows; y++)
        memcpy(pTo + static_cast<size_t>(y) * dwToRowBytes, pFrom + static_cast<size_t>(y) * dwFromRowBytes, cbRow);
}

// The screen's bits per pixel and planes, read through one device context.
struct ScreenDepth
{
    WORD wBitCount;
    WORD wPlanes;
};

ScreenDepth GetScreenDepth()
{
    HDC hdc = ::GetDC(nullptr);
    const ScreenDepth depth = {static_cast<WORD>(::GetDeviceCaps(hdc, BITSPIXEL)),
                               static_cast<WORD>(::GetDeviceCaps(hdc, PLANES))};
    ::ReleaseDC(nullptr, hdc);
    return depth;
}

// The bytes the archive's file holds from the next one to be read on; no bound where the file
// cannot tell (the reader then claims memory only as the data arrives).
ULONGLONG BytesLeftIn(CArchive& ar)
{
    CFile* pFile = ar.GetFile();
    if (pFile == nullptr)
        return ~0ULL;
    try
    {
        // The bytes the archive took ahead go back to the file first.
        ar.Flush();
        const ULONGLONG nLength = pFile->GetLength();
        const ULONGLONG nPosition = pFile->GetPosition();
        return nLength > nPosition ? nLength - nPosition : 0;
    }
    catch (CException* e)
    {
        e->Delete();
        return ~0ULL;
    }
}
} // namespace

IMPLEMENT_DYNAMIC(SECImage, CObject)

SECImage::SECImage()
{
    const ScreenDepth screen = GetScreenDepth();
    m_wBitCount = screen.wBitCount;
    m_wPlanes = screen.wPlanes;
}

SECImage::~SECImage()
{
    FreeImage();
    ReleaseOpenedFiles();
}

void SECImage::ReleaseKeptBits()
{
    FreeLocked(m_hKeptBits);
    m_pKeptBits = nullptr;
    m_cbKeptBits = 0;
}

void SECImage::KeepBitsOf(SECImage& replaced)
{
    ReleaseKeptBits();
    m_cbKeptBits = static_cast<SIZE_T>(replaced.m_dwRowBytes) * replaced.m_dwHeight;
    m_hKeptBits = std::exchange(replaced.m_hBits, nullptr);
    m_pKeptBits = std::exchange(replaced.m_pBits, nullptr);
}

CFile* SECImage::GetFile() const
{
    return m_pFile;
}

void SECImage::ReleaseOpenedFiles()
{
    while (!m_openedFiles.IsEmpty())
    {
        auto* pFile = static_cast<CFile*>(m_openedFiles.RemoveHead());
        if (m_pFile == pFile)
            m_pFile = nullptr;
        pFile->Abort();
        delete pFile;
    }
}

BOOL SECImage::LoadImage(LPCTSTR lpszFileName)
{
    auto* pFile = new CFile;
    if (!pFile->Open(lpszFileName, CFile::modeRead | CFile::shareDenyWrite))
    {
        delete pFile;
        return FALSE;
    }
    m_openedFiles.AddTail(pFile);
    const BOOL bLoaded = LoadImage(pFile);
    ReleaseOpenedFiles();
    return bLoaded;
}

BOOL SECImage::LoadImage(CFile* pFile)
{
    m_pFile = pFile;
    // The held image steps aside, blocks and all, until the new one has loaded.
    SECDib held;
    TradeImage(held);
    m_dwRefusal = ERROR_SUCCESS;
    BOOL bLoaded = FALSE;
    try
    {
        bLoaded = pFile != nullptr && DoLoadImage() && FinishImage();
    }
    catch (CException* e)
    {
        e->Delete();
        Refuse(ERROR_READ_FAULT);
    }
    catch (const std::bad_alloc&)
    {
        Refuse(ERROR_NOT_ENOUGH_MEMORY);
    }
    if (bLoaded)
    {
        KeepBitsOf(held);
        return TRUE;
    }
    ReleaseImage();
    TradeImage(held);
    ::SetLastError(m_dwRefusal != ERROR_SUCCESS ? m_dwRefusal : ERROR_INVALID_DATA);
    return FALSE;
}

BOOL SECImage::Refuse(DWORD dwReason)
{
    // The first reason stands: later steps only clean up after it.
    if (m_dwRefusal == ERROR_SUCCESS)
        m_dwRefusal = dwReason;
    return FALSE;
}

void SECImage::TradeImage(SECImage& other)
{
    std::swap(m_wBitCount, other.m_wBitCount);
    std::swap(m_wPlanes, other.m_wPlanes);
    std::swap(m_nColors, other.m_nColors);
    std::swap(m_dwWidth, other.m_dwWidth);
    std::swap(m_dwHeight, other.m_dwHeight);
    std::swap(m_dwRowBytes, other.m_dwRowBytes);
    std::swap(m_hInfo, other.m_hInfo);
    std::swap(m_pInfo, other.m_pInfo);
    std::swap(m_hBits, other.m_hBits);
    std::swap(m_pBits, other.m_pBits);
    std::swap(m_bRowsAligned, other.m_bRowsAligned);
    std::swap(m_pPalette, other.m_pPalette);
    std::swap(m_bConvertPalette, other.m_bConvertPalette);
}

BOOL SECImage::SaveImage(LPCTSTR lpszFileName)
{
    const CString strTemp = CString(lpszFileName) + L".saving";
    auto* pFile = new CFile;
    if (!pFile->Open(strTemp, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive))
    {
        delete pFile;
        return FALSE;
    }
    m_openedFiles.AddTail(pFile);
    BOOL bSaved = SaveImage(pFile);
    try
    {
        if (bSaved)
            pFile->Close();
    }
    catch (CException* e)
    {
        e->Delete();
        bSaved = FALSE;
    }
    ReleaseOpenedFiles();
    if (bSaved)
        bSaved = ::MoveFileExW(strTemp, lpszFileName, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!bSaved)
        ::DeleteFileW(strTemp);
    return bSaved;
}

BOOL SECImage::SaveImage(CFile* pFile)
{
    m_pFile = pFile;
    if (pFile == nullptr || m_pBits == nullptr || !AlignRows())
        return FALSE;
    try
    {
        return PreSaveImage() && DoSaveImage() && PostSaveImage();
    }
    catch (CException* e)
    {
        e->Delete();
        return FALSE;
    }
}

void SECImage::SetFileBuffer(UINT nSize)
{
    m_fileBuffer.resize(nSize);
}

BYTE* SECImage::GetFileBuffer()
{
    return m_fileBuffer.data();
}

UINT SECImage::FillFileBuffer()
{
    if (m_pFile == nullptr || m_fileBuffer.empty())
        return 0;
    try
    {
        return m_pFile->Read(m_fileBuffer.data(), static_cast<UINT>(m_fileBuffer.size()));
    }
    catch (CException* e)
    {
        e->Delete();
        return 0;
    }
}

void SECImage::FlushFileBuffer(UINT nCount)
{
    nCount = std::min(nCount, static_cast<UINT>(m_fileBuffer.size()));
    if (m_pFile != nullptr && nCount > 0)
        m_pFile->Write(m_fileBuffer.data(), nCount);
}

BOOL SECImage::PreSaveImage()
{
    return TRUE;
}

BOOL SECImage::PostSaveImage()
{
    return TRUE;
}

void SECImage::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        std::vector<BYTE> file;
        if (!AlignRows() || !WriteBmp(file))
            AfxThrowArchiveException(CArchiveException::genericException);
        ar.Write(file.data(), static_cast<UINT>(file.size()));
        return;
    }
    auto read = [&ar](void* pBuffer, UINT nCount) { return ar.Read(pBuffer, nCount); };
    const ULONGLONG nAvailable = BytesLeftIn(ar);
    FreeImage();
    BOOL bLoaded = FALSE;
    try
    {
        bLoaded = ReadBmp(read, nAvailable) && FinishImage();
    }
    catch (const std::bad_alloc&)
    {
    }
    if (!bLoaded)
    {
        FreeImage();
        AfxThrowArchiveException(CArchiveException::badSchema);
    }
}

BOOL SECImage::CopyImage(const SECImage& source)
{
    if (&source == this)
        return TRUE;
    FreeImage();
    if (source.m_pInfo == nullptr || source.m_pBits == nullptr ||
        !CreateImage(source.m_dwWidth, source.m_dwHeight, source.m_wBitCount, source.m_pInfo->bmiColors,
                     source.m_nColors))
    {
        FreeImage();
        return FALSE;
    }
    CopyRows(source.m_pBits, source.m_dwRowBytes, m_pBits, m_dwRowBytes, std::min(source.m_dwRowBytes, m_dwRowBytes),
             m_dwHeight);
    if (!FinishImage())
    {
        FreeImage();
        return FALSE;
    }
    return TRUE;
}

BOOL SECImage::CreateImage(DWORD dwWidth, DWORD dwHeight, WORD wBitCount, const RGBQUAD* pColors, UINT nColors,
                           BOOL bPixelsFilled)
{
    ReleaseImage();
    const ULONGLONG nRowBytes = (static_cast<ULONGLONG>(dwWidth) * wBitCount + 31) / 32 * 4;
    if (nRowBytes * dwHeight > MaxHeldBytes)
        return Refuse(ERROR_NOT_ENOUGH_MEMORY);
    m_dwWidth = dwWidth;
    m_dwHeight = dwHeight;
    m_wBitCount = wBitCount;
    m_wPlanes = 1;
    m_nColors = ColorCountFor(wBitCount);
    m_dwRowBytes = RowBytesFor(dwWidth, wBitCount);
    if (!AllocateImage(m_nColors, bPixelsFilled))
    {
        ReleaseImage();
        return Refuse(ERROR_NOT_ENOUGH_MEMORY);
    }
    if (pColors != nullptr)
        memcpy(m_pInfo->bmiColors, pColors, std::min(nColors, m_nColors) * sizeof(RGBQUAD));
    return TRUE;
}

BYTE* SECImage::GetBitsToFill()
{
    return m_pBits;
}

UINT SECImage::ColorCountFor(WORD wBitCount)
{
    switch (wBitCount)
    {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

DWORD SECImage::RowBytesFor(DWORD dwWidth, WORD wBitCount)
{
    return (dwWidth * wBitCount + 31) / 32 * 4;
}

DWORD SECImage::PackedRowBytesFor(DWORD dwWidth, WORD wBitCount)
{
    return (dwWidth * wBitCount + 7) / 8;
}

void SECImage::FreeImage()
{
    ReleaseImage();
    ReleaseKeptBits();
}

void SECImage::ReleaseImage()
{
    FreeLocked(m_hInfo);
    m_pInfo = nullptr;
    FreeLocked(m_hBits);
    m_pBits = nullptr;
    delete m_pPalette;
    m_pPalette = nullptr;
    m_dwWidth = 0;
    m_dwHeight = 0;
    m_dwRowBytes = 0;
    m_bRowsAligned = TRUE;
    m_wBitCount = 0;
    m_nColors = 0;
}

BOOL SECImage::AllocateImage(UINT nColors, BOOL bPixelsFilled)
{
    m_pInfo = static_cast<LPBITMAPINFO>(AllocLocked(sizeof(BITMAPINFOHEADER) + nColors * sizeof(RGBQUAD), m_hInfo));
    m_bRowsAligned = TRUE;
    const SIZE_T cbBits = static_cast<SIZE_T>(m_dwRowBytes) * m_dwHeight;
    if (m_hKeptBits != nullptr && m_cbKeptBits == cbBits)
    {
        m_hBits = std::exchange(m_hKeptBits, nullptr);
        m_pBits = std::exchange(m_pKeptBits, nullptr);
        m_cbKeptBits = 0;
        // Cleared as a new block comes, but for pixels that are about to be written.
        if (bPixelsFilled)
            ClearRowPadding();
        else
            memset(m_pBits, 0, cbBits);
    }
    else
    {
        ReleaseKeptBits();
        m_pBits = static_cast<LPBYTE>(AllocLocked(cbBits, m_hBits));
    }
    return m_pInfo != nullptr && m_pBits != nullptr;
}

void SECImage::ClearRowPadding()
{
    const DWORD dwPixelBytes = PackedRowBytesFor(m_dwWidth, m_wBitCount);
    if (dwPixelBytes == m_dwRowBytes)
        return;
    for (DWORD y = 0; y < m_dwHeight; y++)
        memset(m_pBits + static_cast<size_t>(y) * m_dwRowBytes + dwPixelBytes, 0, m_dwRowBytes - dwPixelBytes);
}

BOOL SECImage::CreateFromBitmap(CDC* pDC, CBitmap* pBitmap)
{
    BITMAP bm = {};
    if (pDC == nullptr || pBitmap == nullptr || pBitmap->GetObject(sizeof(bm), &bm) == 0 || bm.bmWidth <= 0 ||
        bm.bmHeight <= 0)
        return FALSE;
    FreeImage();
    const int nDepth = bm.bmBitsPixel * bm.bmPlanes;
    m_wBitCount = static_cast<WORD>(nDepth > 8 ? 24 : nDepth);
    m_wPlanes = 1;
    m_nColors = ColorCountFor(m_wBitCount);
    if (m_nColors == 0 && m_wBitCount <= 8)
        m_wBitCount = 0; // a depth this image cannot hold
    if (m_wBitCount == 0)
        return FALSE;
    m_dwWidth = static_cast<DWORD>(bm.bmWidth);
    m_dwHeight = static_cast<DWORD>(bm.bmHeight);
    m_dwRowBytes = RowBytesFor(m_dwWidth, m_wBitCount);
    if (!AllocateImage(m_nColors))
    {
        FreeImage();
        return FALSE;
    }
    BITMAPINFOHEADER& header = m_pInfo->bmiHeader;
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = bm.bmWidth;
    header.biHeight = bm.bmHeight;
    header.biPlanes = 1;
    header.biBitCount = m_wBitCount;
    header.biCompression = BI_RGB;
    if (::GetDIBits(pDC->GetSafeHdc(), static_cast<HBITMAP>(pBitmap->GetSafeHandle()), 0, m_dwHeight, m_pBits, m_pInfo,
                    DIB_RGB_COLORS) == 0 ||
        !FinishImage())
    {
        FreeImage();
        return FALSE;
    }
    return TRUE;
}

BOOL SECImage::FinishImage()
{
    m_dwRowBytes = m_bRowsAligned ? RowBytesFor(m_dwWidth, m_wBitCount) : PackedRowBytesFor(m_dwWidth, m_wBitCount);
    m_bConvertPalette = m_wBitCount != GetScreenDepth().wBitCount;
    BITMAPINFOHEADER& header = m_pInfo->bmiHeader;
    header = {};
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = static_cast<LONG>(m_dwWidth);
    header.biHeight = static_cast<LONG>(m_dwHeight);
    header.biPlanes = m_wPlanes;
    header.biBitCount = m_wBitCount;
    header.biCompression = BI_RGB;
    return m_nColors == 0 || CreatePalette();
}

BOOL SECImage::CreatePalette()
{
    if (m_nColors == 0 || m_pInfo == nullptr)
        return FALSE;
    std::vector<BYTE> buffer(sizeof(LOGPALETTE) + m_nColors * sizeof(PALETTEENTRY));
    auto* pLog = reinterpret_cast<LPLOGPALETTE>(buffer.data());
    pLog->palVersion = 0x300;
    pLog->palNumEntries = static_cast<WORD>(m_nColors);
    for (UINT i = 0; i < m_nColors; i++)
    {
        const RGBQUAD& quad = m_pInfo->bmiColors[i];
        pLog->palPalEntry[i] = {quad.rgbRed, quad.rgbGreen, quad.rgbBlue, 0};
    }
    delete m_pPalette;
    m_pPalette = new CPalette;
    return m_pPalette->CreatePalette(pLog);
}

BOOL SECImage::StretchDIBits(CDC* pDC, int x, int y, int cx, int cy, DWORD dwRop)
{
    if (pDC == nullptr || m_pInfo == nullptr || m_pBits == nullptr || !AlignRows())
        return FALSE;
    return ::StretchDIBits(pDC->GetSafeHdc(), x, y, cx, cy, 0, 0, static_cast<int>(m_dwWidth),
                           static_cast<int>(m_dwHeight), m_pBits, m_pInfo, DIB_RGB_COLORS, dwRop) > 0;
}

BOOL SECImage::AreRowsAligned() const
{
    return m_bRowsAligned;
}

BOOL SECImage::AlignRows()
{
    return LayOutRows(TRUE);
}

BOOL SECImage::PackRows()
{
    return LayOutRows(FALSE);
}

BOOL SECImage::LayOutRows(BOOL bAligned)
{
    if (m_pBits == nullptr || m_bRowsAligned == bAligned)
        return TRUE;
    const DWORD dwRowBytes = bAligned ? RowBytesFor(m_dwWidth, m_wBitCount) : PackedRowBytesFor(m_dwWidth, m_wBitCount);
    HGLOBAL hBits = nullptr;
    auto* pBits = static_cast<LPBYTE>(AllocLocked(static_cast<SIZE_T>(dwRowBytes) * m_dwHeight, hBits));
    if (pBits == nullptr)
    {
        FreeLocked(hBits);
        return FALSE;
    }
    CopyRows(m_pBits, m_dwRowBytes, pBits, dwRowBytes, std::min(m_dwRowBytes, dwRowBytes), m_dwHeight);
    FreeLocked(m_hBits);
    m_hBits = hBits;
    m_pBits = pBits;
    m_dwRowBytes = dwRowBytes;
    m_bRowsAligned = bAligned;
    return TRUE;
}

DWORD SECImage::GetWidth() const
{
    return m_dwWidth;
}

DWORD SECImage::GetHeight() const
{
    return m_dwHeight;
}

WORD SECImage::GetBitCount() const
{
    return m_wBitCount;
}

UINT SECImage::GetColorCount() const
{
    return m_nColors;
}

DWORD SECImage::GetRowBytes() const
{
    return m_dwRowBytes;
}

const BITMAPINFO* SECImage::GetBitmapInfo() const
{
    return m_pInfo;
}

const BYTE* SECImage::GetBits() const
{
    return m_pBits;
}

CPalette* SECImage::GetPalette() const
{
    return m_pPalette;
}

BOOL SECImage::NeedsPaletteConversion() const
{
    return m_bConvertPalette;
}
} // namespace tarnwick::foundation
