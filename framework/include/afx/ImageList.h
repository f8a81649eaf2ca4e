// Image lists of the common controls. A CImageList owns its list and destroys it when
// destroyed unless detached first.
#pragma once

class CImageList : public CObject
{
    DECLARE_DYNCREATE(CImageList)
public:
    CImageList();
    ~CImageList() override;

    HIMAGELIST m_hImageList;

    operator HIMAGELIST() const
    {
        return GetSafeHandle();
    }
    HIMAGELIST GetSafeHandle() const
    {
        return AfxIsNullObject(this) ? nullptr : m_hImageList;
    }

    // The object attached to the list, else a temporary wrapper that lives until the thread
    // is idle; NULL for a NULL handle.
    static CImageList* PASCAL FromHandle(HIMAGELIST hImageList);
    static void PASCAL DeleteTempMap();
    BOOL Attach(HIMAGELIST hImageList);
    HIMAGELIST Detach();

    // nFlags are the ILC_ flags: colour depth, ILC_MASK for a list with masks.
    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    // A masked list of the bitmap resource cut into images cx wide; crMask is the
    // transparent colour (CLR_NONE for none).
    BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
    BOOL Create(LPCTSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask);
    // A copy of another list.
    BOOL Create(CImageList* pImageList);
    BOOL DeleteImageList();

    int GetImageCount() const;
    BOOL SetImageCount(UINT uNewCount);
    COLORREF SetBkColor(COLORREF cr);
    COLORREF GetBkColor() const;
    BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const;

    // Add returns the index of the first new image, or -1. A bitmap wider than one image adds
    // as many images as it holds.
    int Add(CBitmap* pbmImage, CBitmap* pbmMask);
    int Add(CBitmap* pbmImage, COLORREF crMask);
    int Add(HICON hIcon);
    // -1 removes every image.
    BOOL Remove(int nImage);
    BOOL Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask);
    // Returns the index of the image, or -1; nImage -1 appends the icon.
    int Replace(int nImage, HICON hIcon);
    // A new icon that the caller destroys.
    HICON ExtractIcon(int nImage);
    BOOL SetOverlayImage(int nImage, int nOverlay);

    BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
    BOOL DrawEx(CDC* pDC, int nImage, POINT pt, SIZE sz, COLORREF clrBk, COLORREF clrFg, UINT nStyle);
    // The record's cbSize and himl are filled in here.
    BOOL DrawIndirect(IMAGELISTDRAWPARAMS* pimldp);
    BOOL DrawIndirect(CDC* pDC, int nImage, POINT pt, SIZE sz, POINT ptOrigin, UINT fStyle = ILD_NORMAL,
                      DWORD dwRop = SRCCOPY, COLORREF rgbBack = CLR_DEFAULT, COLORREF rgbFore = CLR_DEFAULT,
                      DWORD fState = ILS_NORMAL, DWORD Frame = 0, COLORREF crEffect = CLR_DEFAULT);

    // The common controls' image list stream format, through the archive's buffer. Read
    // replaces the list this object holds.
    BOOL Read(CArchive* pArchive);
    BOOL Write(CArchive* pArchive);
};
