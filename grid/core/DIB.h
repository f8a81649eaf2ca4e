// Device-independent bitmaps for cells: a packed DIB in global memory, the per-thread pool that
// loads each "#BMP(...)" resource once, and the function that fits one into a rectangle.
#pragma once

#include <afxwin.h>
#include <afxcoll.h>

class CGXDIB : public CObject
{
    DECLARE_DYNCREATE(CGXDIB)

public:
    CGXDIB() = default;
    ~CGXDIB() override;
    CGXDIB(const CGXDIB&) = delete;
    CGXDIB& operator=(const CGXDIB&) = delete;

    // Takes a global block holding a packed DIB, which Release then frees with GlobalFree.
    // 0 for a null handle or a block whose header cannot be read.
    BOOL Attach(HANDLE hDIB);
    HANDLE Detach();
    void Release();

    HANDLE GetHandle() const
    {
        return m_hDIB;
    }
    UINT GetColorCount() const
    {
        return m_nColors;
    }
    LONG GetWidth() const
    {
        return m_nWidth;
    }
    LONG GetHeight() const
    {
        return m_nHeight;
    }

private:
    HANDLE m_hDIB = nullptr;
    UINT m_nColors = 0;
    LONG m_nWidth = 0;
    LONG m_nHeight = 0;
    BOOL m_bReleaseAsGdiObject = TRUE;
};

class CGXDIBPool : public CObject
{
    DECLARE_DYNAMIC(CGXDIBPool)

public:
    CGXDIBPool();
    ~CGXDIBPool() override;
    CGXDIBPool(const CGXDIBPool&) = delete;
    CGXDIBPool& operator=(const CGXDIBPool&) = delete;

    // The DIB of a "#BMP(id)" or "#BMP(\"name\")" value, loaded on the first request; null for
    // other values and for resources that do not load.
    virtual HANDLE GetDIB(LPCTSTR pszValue);
    // The resource id (MAKEINTRESOURCE) or name (pointing into strKey) of a bitmap value, with
    // its pool key; null when the value names no bitmap.
    virtual LPCTSTR ParseBitmapValue(LPCTSTR pszValue, CString& strKey);
    virtual HANDLE LoadDIBResource(LPCTSTR pszValue, LPCTSTR pszResource);
    virtual void FormatNamedBitmapValue(LPCTSTR pszName, CString& strValue);
    virtual void FormatBitmapValue(UINT nResourceId, CString& strValue);

    void Empty();
    // The calling thread's pool, made on first use.
    static CGXDIBPool* GetPool();

private:
    CMapStringToPtr m_mapDIBs;
};

// The per-thread slot of the pool; the pool lives until its thread ends.
class GX_DIB_STATE
{
public:
    GX_DIB_STATE() = default;
    ~GX_DIB_STATE();
    GX_DIB_STATE(const GX_DIB_STATE&) = delete;
    GX_DIB_STATE& operator=(const GX_DIB_STATE&) = delete;

    CGXDIBPool* m_pDIBPool = nullptr;
};

// Fit modes of GXDrawDIB.
enum : int
{
    GX_DIB_NOSCALE = 0,
    GX_DIB_STRETCH = 1,
    GX_DIB_KEEPASPECT = 2
};

// Alignment flags of GXDrawDIB: 0x1 centre and 0x2 right horizontally, 0x4 centre and 0x8
// bottom vertically; none is left and top.
enum : UINT
{
    GX_DIB_HCENTER = 0x1,
    GX_DIB_RIGHT = 0x2,
    GX_DIB_VCENTER = 0x4,
    GX_DIB_BOTTOM = 0x8
};

// Draws the DIB (or its source rectangle) into the destination; a DIB with no pixels to show
// draws nothing.
void GXDrawDIB(CDC* pDC, HANDLE hDIB, CRect rectDest, int nMode, UINT nFlags, const CRect* pRectSource = nullptr);

// Copies a bitmap resource into a movable global block as a packed DIB. A null instance looks
// for the module that holds it. Null for a missing resource or one whose header, colour table
// or bits do not fit.
HGLOBAL GXLoadResourceDIB(HINSTANCE hInstance, LPCTSTR pszResource);
