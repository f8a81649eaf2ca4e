// A device-independent bitmap held in memory: header and colour table in one moveable global
// block, the pixel rows (padded to 4 bytes, unless packed on request) in another, and a palette
// built from the table.
#pragma once

#include <afxcoll.h>
#include <afxwin.h>

#include <functional>
#include <vector>

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
    // The most bytes an image may hold in its pixel block; a file declaring more is refused
    // before anything is allocated.
    static constexpr ULONGLONG MaxHeldBytes = 256ULL << 20;

    // Loading keeps the held image when the file cannot be read, and answers FALSE with the reason
    // in GetLastError(): ERROR_NOT_ENOUGH_MEMORY for an image over MaxHeldBytes or memory the
    // load could not have, ERROR_INVALID_DATA for a damaged or foreign file. A load that replaces an image
    // keeps that image's pixel block and lays the next image of the same byte size into it: memory
    // touched for the first time can cost more than decoding into it. FreeImage and the destructor
    // release the kept block. Saving by name writes beside the file and replaces it only after a
    // good save, so a failed save loses nothing.
    virtual BOOL LoadImage(LPCTSTR lpszFileName);
    virtual BOOL LoadImage(CFile* pFile);
    virtual BOOL SaveImage(LPCTSTR lpszFileName);
    virtual BOOL SaveImage(CFile* pFile);
    // Buffered access to the image's file: a buffer of nSize bytes in front of it.
    // FillFileBuffer refills the buffer from the file and answers the bytes it holds now (0 at
    // the end of the file or when the file cannot be read); FlushFileBuffer writes the buffer's
    // first nCount bytes in one CFile::Write, throwing as that does.
    void SetFileBuffer(UINT nSize);
    BYTE* GetFileBuffer();
    UINT FillFileBuffer();
    void FlushFileBuffer(UINT nCount);
    // Stores the image as a BMP file, the bytes SECDib's SaveImage writes; loads one back.
    void Serialize(CArchive& ar) override;
    // Gives the held image (not the file) to another image.
    BOOL CopyImage(const SECImage& source);

    // Draws the whole image stretched into the destination rectangle.
    BOOL StretchDIBits(CDC* pDC, int x, int y, int cx, int cy, DWORD dwRop = SRCCOPY);
    virtual void FreeImage();

    // Whether the rows are padded to 4 bytes, as drawing and saving need them; every image is so
    // when loaded or made. PackRows lays the rows out packed (whole bytes, no padding) in a new
    // block, for a caller that wants the pixels tight; AlignRows pads them again in a new block,
    // and drawing and saving do that first. Both answer FALSE, the rows unchanged, when the new
    // block cannot be had.
    BOOL AreRowsAligned() const;
    BOOL AlignRows();
    BOOL PackRows();

    DWORD GetWidth() const;
    DWORD GetHeight() const;
    WORD GetBitCount() const;
    UINT GetColorCount() const;
    // Bytes of one row as the rows are laid out now.
    DWORD GetRowBytes() const;
    const BITMAPINFO* GetBitmapInfo() const;
    const BYTE* GetBits() const;
    CPalette* GetPalette() const;
    BOOL NeedsPaletteConversion() const;

    // Palette colours for a bit count: 2^bits up to 8 bits (only 1, 4 and 8 are kept), 0 above.
    static UINT ColorCountFor(WORD wBitCount);
    // Bytes of one row padded to a multiple of 4; of one packed row.
    static DWORD RowBytesFor(DWORD dwWidth, WORD wBitCount);
    static DWORD PackedRowBytesFor(DWORD dwWidth, WORD wBitCount);

protected:
    virtual BOOL PreSaveImage();
    virtual BOOL PostSaveImage();
    // Writes the held image to GetFile(); reads one from it.
    virtual BOOL DoSaveImage() = 0;
    virtual BOOL DoLoadImage() = 0;
    // Closes and deletes the files the image opened by name.
    virtual void ReleaseOpenedFiles();
    CFile* GetFile() const;
    // Records why the load in progress fails; answers FALSE.
    BOOL Refuse(DWORD dwReason);
    // An empty image of the size and depth, with a colour table of ColorCountFor(bits) entries
    // taken from pColors (nColors of them, the rest black); rows padded to 4 bytes. With
    // bPixelsFilled the caller writes every pixel, and only the rows' padding need be cleared.
    // The caller finishes the image (FinishImage) once the pixels are in. FALSE, with the
    // refusal recorded, for a block over MaxHeldBytes or one that cannot be had.
    BOOL CreateImage(DWORD dwWidth, DWORD dwHeight, WORD wBitCount, const RGBQUAD* pColors, UINT nColors,
                     BOOL bPixelsFilled = FALSE);
    BYTE* GetBitsToFill();
    // The held image as a BMP file.
    BOOL WriteBmp(std::vector<BYTE>& file) const;
    // Reads a BMP file of any common layout through the reader, which answers the bytes it
    // read; nAvailable bounds what the file can hold.
    BOOL ReadBmp(const std::function<UINT(void*, UINT)>& read, ULONGLONG nAvailable);

    // Builds the logical palette from the colour table; FALSE when the image has none.
    virtual BOOL CreatePalette();
    // After the bits and colour table are in place: row size, palette conversion, header.
    virtual BOOL FinishImage();
    // Allocates the header with a table of nColors entries and the bits of the current size,
    // padded rows, zeroed (with bPixelsFilled, a kept block's padding alone).
    BOOL AllocateImage(UINT nColors, BOOL bPixelsFilled = FALSE);

private:
    // Exchanges the held images, blocks and palette included; the files and the kept block stay.
    void TradeImage(SECImage& other);
    // Releases the held image's blocks and palette but not the kept block.
    void ReleaseImage();
    // Keeps the pixel block of the image a load replaced, in place of any kept before.
    void KeepBitsOf(SECImage& replaced);
    void ReleaseKeptBits();
    void ClearRowPadding();
    // Moves the rows into a new block laid out padded or packed.
    BOOL LayOutRows(BOOL bAligned);

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
    BOOL m_bRowsAligned = TRUE;
    HGLOBAL m_hKeptBits = nullptr;
    LPBYTE m_pKeptBits = nullptr;
    SIZE_T m_cbKeptBits = 0;
    CPalette* m_pPalette = nullptr;
    BOOL m_bConvertPalette = FALSE;
    CFile* m_pFile = nullptr;
    DWORD m_dwRefusal = ERROR_SUCCESS;
    std::vector<BYTE> m_fileBuffer;
    CPtrList m_openedFiles;
};
} // namespace tarnwick::foundation
