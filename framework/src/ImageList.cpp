#include <afxwin.h>
#include <afxcmn.h>

namespace
{
using CImageListMap = CHandleObjectMap<CImageList, HIMAGELIST, &CImageList::m_hImageList>;

// The stream that ImageList_Write and ImageList_Read see: reads and writes go through the
// archive's buffer, so the list's bytes sit in the archive between the caller's own data.
// It lives on the caller's stack for one call; nothing else of a stream is offered.
class CArchiveStream final : public IStream
{
public:
    explicit CArchiveStream(CArchive* pArchive) : m_pArchive(pArchive)
    {
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override
    {
        if (riid == IID_IUnknown || riid == IID_ISequentialStream || riid == IID_IStream)
        {
            *ppvObject = static_cast<IStream*>(this);
            AddRef();
            return S_OK;
        }
        *ppvObject = nullptr;
        return E_NOINTERFACE;
    }
    // Owned by the caller's stack frame: the count is not used to free anything.
    ULONG STDMETHODCALLTYPE AddRef() override
    {
        return ++m_nRefs;
    }
    ULONG STDMETHODCALLTYPE Release() override
    {
        return --m_nRefs;
    }

    // The archive's exceptions must not cross the common controls' C code.
    HRESULT STDMETHODCALLTYPE Read(void* pv, ULONG cb, ULONG* pcbRead) override
    {
        try
        {
            const UINT nRead = m_pArchive->Read(pv, cb);
            if (pcbRead != nullptr)
                *pcbRead = nRead;
            return nRead == cb ? S_OK : S_FALSE;
        }
        catch (CException* e)
        {
            e->Delete();
            return STG_E_READFAULT;
        }
    }
    HRESULT STDMETHODCALLTYPE Write(const void* pv, ULONG cb, ULONG* pcbWritten) override
    {
        try
        {
            m_pArchive->Write(pv, cb);
            if (pcbWritten != nullptr)
                *pcbWritten = cb;
            return S_OK;
        }
        catch (CException* e)
        {
            e->Delete();
            return STG_E_WRITEFAULT;
        }
    }

    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER, DWORD, ULARGE_INTEGER*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Commit(DWORD) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Revert() override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Stat(STATSTG*, DWORD) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Clone(IStream**) override
    {
        return E_NOTIMPL;
    }

private:
    CArchive* m_pArchive;
    ULONG m_nRefs = 1;
};
} // namespace

IMPLEMENT_DYNCREATE(CImageList, CObject)

CImageList::CImageList() : m_hImageList(nullptr)
{
}

CImageList::~CImageList()
{
    DeleteImageList();
}

CImageList* PASCAL CImageList::FromHandle(HIMAGELIST hImageList)
{
    return CImageListMap::ForThread().FromHandle(hImageList);
}

void PASCAL CImageList::DeleteTempMap()
{
    CImageListMap::ForThread().DeleteTemp();
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    if (hImageList == nullptr)
        return FALSE;
    m_hImageList = hImageList;
    CImageListMap::ForThread().SetPermanent(hImageList, this);
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST hImageList = m_hImageList;
    if (hImageList != nullptr)
        CImageListMap::ForThread().RemoveHandle(hImageList);
    m_hImageList = nullptr;
    return hImageList;
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    return Attach(::ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    return Create(MAKEINTRESOURCE(nBitmapID), cx, nGrow, crMask);
}

BOOL CImageList::Create(LPCTSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask)
{
    return Attach(::ImageList_LoadImage(::GetModuleHandle(nullptr), lpszBitmapID, cx, nGrow, crMask, IMAGE_BITMAP, 0));
}

BOOL CImageList::Create(CImageList* pImageList)
{
    return Attach(::ImageList_Duplicate(pImageList->GetSafeHandle()));
}

BOOL CImageList::DeleteImageList()
{
    if (m_hImageList == nullptr)
        return FALSE;
    return ::ImageList_Destroy(Detach());
}

int CImageList::GetImageCount() const
{
    return ::ImageList_GetImageCount(m_hImageList);
}

BOOL CImageList::SetImageCount(UINT uNewCount)
{
    return ::ImageList_SetImageCount(m_hImageList, uNewCount);
}

COLORREF CImageList::SetBkColor(COLORREF cr)
{
    return ::ImageList_SetBkColor(m_hImageList, cr);
}

COLORREF CImageList::GetBkColor() const
{
    return ::ImageList_GetBkColor(m_hImageList);
}

BOOL CImageList::GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const
{
    return ::ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo);
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ::ImageList_Add(m_hImageList, static_cast<HBITMAP>(pbmImage->GetSafeHandle()),
                           static_cast<HBITMAP>(pbmMask->GetSafeHandle()));
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    return ::ImageList_AddMasked(m_hImageList, static_cast<HBITMAP>(pbmImage->GetSafeHandle()), crMask);
}

int CImageList::Add(HICON hIcon)
{
    return Replace(-1, hIcon);
}

BOOL CImageList::Remove(int nImage)
{
    return ::ImageList_Remove(m_hImageList, nImage);
}

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ::ImageList_Replace(m_hImageList, nImage, static_cast<HBITMAP>(pbmImage->GetSafeHandle()),
                               static_cast<HBITMAP>(pbmMask->GetSafeHandle()));
}

int CImageList::Replace(int nImage, HICON hIcon)
{
    return ::ImageList_ReplaceIcon(m_hImageList, nImage, hIcon);
}

HICON CImageList::ExtractIcon(int nImage)
{
    return ::ImageList_GetIcon(m_hImageList, nImage, ILD_NORMAL);
}

BOOL CImageList::SetOverlayImage(int nImage, int nOverlay)
{
    return ::ImageList_SetOverlayImage(m_hImageList, nImage, nOverlay);
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    return ::ImageList_Draw(m_hImageList, nImage, pDC->GetSafeHdc(), pt.x, pt.y, nStyle);
}

BOOL CImageList::DrawEx(CDC* pDC, int nImage, POINT pt, SIZE sz, COLORREF clrBk, COLORREF clrFg, UINT nStyle)
{
    return ::ImageList_DrawEx(m_hImageList, nImage, pDC->GetSafeHdc(), pt.x, pt.y, sz.cx, sz.cy, clrBk, clrFg, nStyle);
}

BOOL CImageList::DrawIndirect(IMAGELISTDRAWPARAMS* pimldp)
{
    pimldp->cbSize = sizeof(IMAGELISTDRAWPARAMS);
    pimldp->himl = m_hImageList;
    return ::ImageList_DrawIndirect(pimldp);
}

BOOL CImageList::DrawIndirect(CDC* pDC, int nImage, POINT pt, SIZE sz, POINT ptOrigin, UINT fStyle, DWORD dwRop,
                              COLORREF rgbBack, COLORREF rgbFore, DWORD fState, DWORD Frame, COLORREF crEffect)
{
    IMAGELISTDRAWPARAMS drawing = {};
    drawing.i = nImage;
    drawing.hdcDst = pDC->GetSafeHdc();
    drawing.x = pt.x;
    drawing.y = pt.y;
    drawing.cx = sz.cx;
    drawing.cy = sz.cy;
    drawing.xBitmap = ptOrigin.x;
    drawing.yBitmap = ptOrigin.y;
    drawing.rgbBk = rgbBack;
    drawing.rgbFg = rgbFore;
    drawing.fStyle = fStyle;
    drawing.dwRop = dwRop;
    drawing.fState = fState;
    drawing.Frame = Frame;
    drawing.crEffect = crEffect;
    return DrawIndirect(&drawing);
}

BOOL CImageList::Read(CArchive* pArchive)
{
    DeleteImageList();
    CArchiveStream stream(pArchive);
    return Attach(::ImageList_Read(&stream));
}

BOOL CImageList::Write(CArchive* pArchive)
{
    CArchiveStream stream(pArchive);
    return ::ImageList_Write(m_hImageList, &stream);
}
