#include <grid/core/DIB.h>

#include <grid/core/ThreadState.h>

#include <algorithm>
#include <cwchar>

IMPLEMENT_DYNCREATE(CGXDIB, CObject)
IMPLEMENT_DYNAMIC(CGXDIBPool, CObject)

namespace
{
constexpr TCHAR szBitmapPrefix[] = _T("#BMP(");
constexpr size_t nBitmapPrefix = _countof(szBitmapPrefix) - 1;

// Where the parts of a packed DIB lie: both header kinds (12-byte core and 40-byte or longer
// info headers) and their colour-entry sizes.
struct DIBLayout
{
    LONG nWidth = 0;
    LONG nHeight = 0;
    UINT nColors = 0;
    SIZE_T cbHeader = 0;
    SIZE_T cbColorTable = 0;
    SIZE_T cbBits = 0;

    SIZE_T BitsOffset() const
    {
        return cbHeader + cbColorTable;
    }
};

// False when the block is too small for its header or the header is of no known kind.
bool ReadDIBLayout(const BYTE* pBlock, SIZE_T cbBlock, DIBLayout& layout)
{
    if (cbBlock < sizeof(DWORD))
        return false;
    const DWORD cbHeader = *reinterpret_cast<const DWORD*>(pBlock);
    if (cbBlock < cbHeader)
        return false;
    UINT nBitCount = 0;
    UINT nColorsUsed = 0;
    SIZE_T cbEntry = sizeof(RGBQUAD);
    DWORD dwCompression = BI_RGB;
    DWORD cbImage = 0;
    if (cbHeader == sizeof(BITMAPCOREHEADER))
    {
        const auto* pCore = reinterpret_cast<const BITMAPCOREHEADER*>(pBlock);
        layout.nWidth = pCore->bcWidth;
        layout.nHeight = pCore->bcHeight;
        nBitCount = pCore->bcBitCount;
        cbEntry = sizeof(RGBTRIPLE);
    }
    else if (cbHeader >= sizeof(BITMAPINFOHEADER))
    {
        const auto* pInfo = reinterpret_cast<const BITMAPINFOHEADER*>(pBlock);
        layout.nWidth = pInfo->biWidth;
        layout.nHeight = pInfo->biHeight;
        nBitCount = pInfo->biBitCount;
        nColorsUsed = pInfo->biClrUsed;
        dwCompression = pInfo->biCompression;
        cbImage = pInfo->biSizeImage;
    }
    else
        return false;
    if (nColorsUsed != 0)
        layout.nColors = nColorsUsed;
    else if (nBitCount == 1 || nBitCount == 4 || nBitCount == 8)
        layout.nColors = 1U << nBitCount;
    else
        layout.nColors = 0;
    layout.cbHeader = cbHeader;
    layout.cbColorTable = layout.nColors * cbEntry;
    // The three channel masks of a 40-byte header follow it as if they were colours.
    if (cbHeader == sizeof(BITMAPINFOHEADER) && dwCompression == BI_BITFIELDS)
        layout.cbColorTable += 3 * sizeof(DWORD);
    if (dwCompression == BI_RGB || dwCompression == BI_BITFIELDS)
    {
        const ULONGLONG cbStride = (static_cast<ULONGLONG>(std::max<LONG>(layout.nWidth, 0)) * nBitCount + 31) / 32 * 4;
        layout.cbBits = static_cast<SIZE_T>(cbStride * static_cast<ULONGLONG>(std::abs(layout.nHeight)));
    }
    else
        layout.cbBits = cbImage;
    return true;
}

// A locked global DIB block; empty when the handle does not lock.
class LockedDIB
{
public:
    explicit LockedDIB(HANDLE hDIB) : m_hDIB(hDIB), m_pBlock(static_cast<const BYTE*>(::GlobalLock(hDIB)))
    {
        m_bValid = m_pBlock != nullptr && ReadDIBLayout(m_pBlock, ::GlobalSize(hDIB), m_layout);
    }
    ~LockedDIB()
    {
        if (m_pBlock != nullptr)
            ::GlobalUnlock(m_hDIB);
    }
    LockedDIB(const LockedDIB&) = delete;
    LockedDIB& operator=(const LockedDIB&) = delete;

    bool IsValid() const
    {
        return m_bValid;
    }
    const DIBLayout& Layout() const
    {
        return m_layout;
    }
    const BITMAPINFO* Info() const
    {
        return reinterpret_cast<const BITMAPINFO*>(m_pBlock);
    }
    const BYTE* Bits() const
    {
        return m_pBlock + m_layout.BitsOffset();
    }

private:
    HANDLE m_hDIB;
    const BYTE* m_pBlock;
    DIBLayout m_layout;
    bool m_bValid = false;
};

// Fits a source extent into a destination extent along one axis without scaling.
void FitAxisUnscaled(LONG& nDestFirst, LONG& nDestLast, LONG& nSourceFirst, LONG& nSourceLast, bool bCentre, bool bFar,
                     bool bCutAtFirst)
{
    const LONG nDiff = (nDestLast - nDestFirst) - (nSourceLast - nSourceFirst);
    if (nDiff > 0)
    {
        if (bCentre)
        {
            nDestFirst += nDiff / 2;
            nDestLast -= nDiff - nDiff / 2;
        }
        else if (bFar)
            nDestFirst += nDiff;
        else
            nDestLast -= nDiff;
    }
    else if (nDiff < 0)
    {
        if (bCutAtFirst)
            nSourceLast = nSourceFirst + (nDestLast - nDestFirst);
        else
            nSourceFirst = nSourceLast - (nDestLast - nDestFirst);
    }
}
} // namespace

CGXDIB::~CGXDIB()
{
    Release();
}

BOOL CGXDIB::Attach(HANDLE hDIB)
{
    Release();
    if (hDIB == nullptr)
        return FALSE;
    const LockedDIB dib(hDIB);
    if (!dib.IsValid())
        return FALSE;
    m_hDIB = hDIB;
    m_bReleaseAsGdiObject = FALSE;
    m_nColors = dib.Layout().nColors;
    m_nWidth = dib.Layout().nWidth;
    m_nHeight = dib.Layout().nHeight;
    return TRUE;
}

HANDLE CGXDIB::Detach()
{
    const HANDLE hDIB = m_hDIB;
    m_hDIB = nullptr;
    m_bReleaseAsGdiObject = TRUE;
    return hDIB;
}

void CGXDIB::Release()
{
    if (m_hDIB != nullptr)
    {
        if (m_bReleaseAsGdiObject)
            ::DeleteObject(m_hDIB);
        else
            ::GlobalFree(m_hDIB);
        m_hDIB = nullptr;
    }
    m_bReleaseAsGdiObject = TRUE;
}

CGXDIBPool::CGXDIBPool() : m_mapDIBs(10)
{
}

CGXDIBPool::~CGXDIBPool()
{
    Empty();
}

HANDLE CGXDIBPool::GetDIB(LPCTSTR pszValue)
{
    CString strKey;
    const LPCTSTR pszResource = ParseBitmapValue(pszValue, strKey);
    if (pszResource == nullptr)
        return nullptr;
    void* pDIB = nullptr;
    if (m_mapDIBs.Lookup(strKey, pDIB))
        return pDIB;
    // A resource that does not load is remembered as null, so it is not tried again.
    pDIB = LoadDIBResource(pszValue, pszResource);
    m_mapDIBs.SetAt(strKey, pDIB);
    return pDIB;
}

LPCTSTR CGXDIBPool::ParseBitmapValue(LPCTSTR pszValue, CString& strKey)
{
    // Most values are no bitmaps; their first character tells without the slower case-blind compare.
    if (pszValue == nullptr || pszValue[0] != szBitmapPrefix[0] ||
        _tcsnicmp(pszValue, szBitmapPrefix, nBitmapPrefix) != 0)
        return nullptr;
    const LPCTSTR pszArgument = pszValue + nBitmapPrefix;
    const LPCTSTR pszQuote = _tcschr(pszArgument, _T('"'));
    if (pszQuote == nullptr)
    {
        const unsigned long nId = _tcstoul(pszArgument, nullptr, 10);
        // Resource ids are 16-bit: a larger number would load another resource under its key.
        if (nId == 0 || nId > 0xFFFF)
            return nullptr;
        strKey.Format(_T("#%u"), static_cast<UINT>(nId));
        return MAKEINTRESOURCE(nId);
    }
    const LPCTSTR pszName = pszQuote + 1;
    const LPCTSTR pszEnd = _tcschr(pszName, _T('"'));
    strKey = pszEnd != nullptr ? CString(pszName, static_cast<int>(pszEnd - pszName)) : CString(pszName);
    return strKey;
}

HANDLE CGXDIBPool::LoadDIBResource(LPCTSTR, LPCTSTR pszResource)
{
    return GXLoadResourceDIB(nullptr, pszResource);
}

void CGXDIBPool::FormatNamedBitmapValue(LPCTSTR pszName, CString& strValue)
{
    strValue = szBitmapPrefix;
    strValue += _T('"');
    strValue += pszName;
    strValue += _T("\")");
}

void CGXDIBPool::FormatBitmapValue(UINT nResourceId, CString& strValue)
{
    strValue.Format(_T("%s%u)"), szBitmapPrefix, nResourceId);
}

void CGXDIBPool::Empty()
{
    POSITION pos = m_mapDIBs.GetStartPosition();
    while (pos != nullptr)
    {
        CString strKey;
        void* pDIB = nullptr;
        m_mapDIBs.GetNextAssoc(pos, strKey, pDIB);
        if (pDIB != nullptr)
            ::GlobalFree(pDIB);
    }
    m_mapDIBs.RemoveAll();
}

CGXDIBPool* CGXDIBPool::GetPool()
{
    GX_DIB_STATE* pState = GXGetThreadState<GX_DIB_STATE>();
    if (pState->m_pDIBPool == nullptr)
        pState->m_pDIBPool = new CGXDIBPool;
    return pState->m_pDIBPool;
}

GX_DIB_STATE::~GX_DIB_STATE()
{
    delete m_pDIBPool;
}

void GXDrawDIB(CDC* pDC, HANDLE hDIB, CRect rectDest, int nMode, UINT nFlags, const CRect* pRectSource)
{
    const LockedDIB dib(hDIB);
    if (!dib.IsValid())
        return;
    CRect rectSource =
        pRectSource != nullptr ? *pRectSource : CRect(0, 0, dib.Layout().nWidth, std::abs(dib.Layout().nHeight));
    if (rectSource.Width() <= 0 || rectSource.Height() <= 0 || rectDest.Width() <= 0 || rectDest.Height() <= 0)
        return;
    if (nMode == GX_DIB_NOSCALE)
    {
        FitAxisUnscaled(rectDest.left, rectDest.right, rectSource.left, rectSource.right,
                        (nFlags & GX_DIB_HCENTER) != 0, (nFlags & GX_DIB_RIGHT) != 0, true);
        FitAxisUnscaled(rectDest.top, rectDest.bottom, rectSource.top, rectSource.bottom,
                        (nFlags & GX_DIB_VCENTER) != 0, (nFlags & GX_DIB_BOTTOM) != 0, (nFlags & GX_DIB_BOTTOM) != 0);
    }
    else if (nMode == GX_DIB_KEEPASPECT)
    {
        const LONGLONG nScale = std::min(static_cast<LONGLONG>(rectDest.Width()) * 1000 / rectSource.Width(),
                                         static_cast<LONGLONG>(rectDest.Height()) * 1000 / rectSource.Height());
        const LONG cx = static_cast<LONG>(rectSource.Width() * nScale / 1000);
        const LONG cy = static_cast<LONG>(rectSource.Height() * nScale / 1000);
        LONG nOffsetX = rectDest.Width() - cx;
        LONG nOffsetY = rectDest.Height() - cy;
        nOffsetX = (nFlags & GX_DIB_HCENTER) != 0 ? nOffsetX / 2 : (nFlags & GX_DIB_RIGHT) != 0 ? nOffsetX : 0;
        nOffsetY = (nFlags & GX_DIB_VCENTER) != 0 ? nOffsetY / 2 : (nFlags & GX_DIB_BOTTOM) != 0 ? nOffsetY : 0;
        rectDest = CRect(rectDest.left + nOffsetX, rectDest.top + nOffsetY, rectDest.left + nOffsetX + cx,
                         rectDest.top + nOffsetY + cy);
    }
    ::StretchDIBits(pDC != nullptr ? pDC->m_hDC : nullptr, rectDest.left, rectDest.top, rectDest.Width(),
                    rectDest.Height(), rectSource.left, rectSource.top, rectSource.Width(), rectSource.Height(),
                    dib.Bits(), dib.Info(), DIB_RGB_COLORS, SRCCOPY);
}

HGLOBAL GXLoadResourceDIB(HINSTANCE hInstance, LPCTSTR pszResource)
{
    if (hInstance == nullptr)
        hInstance = AfxFindResourceHandle(pszResource, RT_BITMAP);
    const HRSRC hResource = ::FindResource(hInstance, pszResource, RT_BITMAP);
    const HGLOBAL hLoaded = hResource != nullptr ? ::LoadResource(hInstance, hResource) : nullptr;
    const auto* pResource = static_cast<const BYTE*>(hLoaded != nullptr ? ::LockResource(hLoaded) : nullptr);
    if (pResource == nullptr)
        return nullptr;
    const SIZE_T cbResource = ::SizeofResource(hInstance, hResource);
    DIBLayout layout;
    if (!ReadDIBLayout(pResource, cbResource, layout) || layout.BitsOffset() + layout.cbBits > cbResource)
        return nullptr;
    const HGLOBAL hDIB = ::GlobalAlloc(GMEM_MOVEABLE, cbResource);
    void* pDIB = hDIB != nullptr ? ::GlobalLock(hDIB) : nullptr;
    if (pDIB == nullptr)
    {
        if (hDIB != nullptr)
            ::GlobalFree(hDIB);
        return nullptr;
    }
    memcpy(pDIB, pResource, cbResource);
    ::GlobalUnlock(hDIB);
    return hDIB;
}
