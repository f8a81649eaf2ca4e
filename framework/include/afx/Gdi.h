// The GDI object wrappers: CGdiObject and its pens, brushes, fonts, bitmaps, palettes and
// regions. A wrapper owns its handle and deletes it when destroyed unless detached first.
#pragma once

#include <commctrl.h>

#include <unordered_map>

class CDC;

// MFC lets GetSafeHandle and GetSafeHdc be called through a NULL pointer. The compiler takes
// 'this' to be set and would drop a plain test, so the pointer goes through an empty asm.
inline bool AfxIsNullObject(const void* pObject)
{
    asm("" : "+r"(pObject));
    return pObject == nullptr;
}

// Registers a function that AfxTermThread runs when the calling thread ends.
void AFXAPI AfxAtThreadTerm(void (*pfnTerm)());

// Wrapper objects for handles, one map per thread as the wrappers belong to the thread that
// uses them: permanent objects that Attach registers, and temporary objects made by
// FromHandle for handles nobody wrapped, which DeleteTemp frees when the thread is idle.
template <class TObject, class THandle, THandle TObject::*pHandle> class CHandleObjectMap
{
public:
    CHandleObjectMap() = default;
    CHandleObjectMap(const CHandleObjectMap&) = delete;
    CHandleObjectMap& operator=(const CHandleObjectMap&) = delete;
    ~CHandleObjectMap()
    {
        DeleteTemp();
    }

    static CHandleObjectMap& ForThread()
    {
        // A plain pointer freed by AfxTermThread: this runtime destroys thread_local objects
        // after their storage is gone on every thread but the main one.
        thread_local CHandleObjectMap* pMap = nullptr;
        if (pMap == nullptr)
        {
            pMap = new CHandleObjectMap;
            AfxAtThreadTerm([] {
                delete pMap;
                pMap = nullptr;
            });
        }
        return *pMap;
    }

    void SetPermanent(THandle h, TObject* pObject)
    {
        m_permanent[h] = pObject;
    }
    void RemoveHandle(THandle h)
    {
        m_permanent.erase(h);
    }
    TObject* LookupPermanent(THandle h) const
    {
        auto it = m_permanent.find(h);
        return it == m_permanent.end() ? nullptr : it->second;
    }
    // NULL for a NULL handle.
    TObject* FromHandle(THandle h)
    {
        if (h == nullptr)
            return nullptr;
        if (TObject* pObject = LookupPermanent(h))
            return pObject;
        TObject*& pTemp = m_temporary[h];
        if (pTemp == nullptr)
        {
            pTemp = new TObject;
            pTemp->*pHandle = h;
        }
        return pTemp;
    }
    void DeleteTemp()
    {
        for (auto& entry : m_temporary)
        {
            // The handle belongs to someone else: the wrapper must not destroy it.
            entry.second->*pHandle = nullptr;
            delete entry.second;
        }
        m_temporary.clear();
    }

private:
    std::unordered_map<THandle, TObject*> m_permanent;
    std::unordered_map<THandle, TObject*> m_temporary;
};

class CGdiObject : public CObject
{
    DECLARE_DYNCREATE(CGdiObject)
public:
    CGdiObject();
    ~CGdiObject() override;

    HGDIOBJ m_hObject;

    operator HGDIOBJ() const
    {
        return GetSafeHandle();
    }
    HGDIOBJ GetSafeHandle() const
    {
        return AfxIsNullObject(this) ? nullptr : m_hObject;
    }

    // The object attached to the handle, else a temporary wrapper that lives until the
    // thread is idle (DeleteTempMap); NULL for a NULL handle.
    static CGdiObject* PASCAL FromHandle(HGDIOBJ hObject);
    static void PASCAL DeleteTempMap();

    BOOL Attach(HGDIOBJ hObject);
    HGDIOBJ Detach();
    // Deletes the GDI object; FALSE when there is none or it cannot be deleted.
    BOOL DeleteObject();

    int GetObject(int nCount, LPVOID lpObject) const;
    UINT GetObjectType() const;
    BOOL CreateStockObject(int nIndex);
    BOOL UnrealizeObject();

    BOOL operator==(const CGdiObject& obj) const
    {
        return m_hObject == obj.m_hObject;
    }
    BOOL operator!=(const CGdiObject& obj) const
    {
        return m_hObject != obj.m_hObject;
    }
};

class CPen : public CGdiObject
{
    DECLARE_DYNAMIC(CPen)
public:
    CPen() = default;
    // These throw CResourceException when the pen cannot be made.
    CPen(int nPenStyle, int nWidth, COLORREF crColor);
    CPen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount = 0, const DWORD* lpStyle = nullptr);

    static CPen* PASCAL FromHandle(HPEN hPen);

    BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor);
    BOOL CreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount = 0,
                   const DWORD* lpStyle = nullptr);
    BOOL CreatePenIndirect(LPLOGPEN lpLogPen);

    operator HPEN() const
    {
        return static_cast<HPEN>(GetSafeHandle());
    }
    int GetLogPen(LOGPEN* pLogPen);
    int GetExtLogPen(EXTLOGPEN* pLogPen);
};

class CBitmap;

class CBrush : public CGdiObject
{
    DECLARE_DYNAMIC(CBrush)
public:
    CBrush() = default;
    // These throw CResourceException when the brush cannot be made.
    explicit CBrush(COLORREF crColor);
    CBrush(int nIndex, COLORREF crColor);
    explicit CBrush(CBitmap* pBitmap);

    static CBrush* PASCAL FromHandle(HBRUSH hBrush);

    BOOL CreateSolidBrush(COLORREF crColor);
    BOOL CreateHatchBrush(int nIndex, COLORREF crColor);
    BOOL CreateBrushIndirect(const LOGBRUSH* lpLogBrush);
    BOOL CreatePatternBrush(CBitmap* pBitmap);
    BOOL CreateDIBPatternBrush(HGLOBAL hPackedDIB, UINT nUsage);
    BOOL CreateDIBPatternBrush(const void* lpPackedDIB, UINT nUsage);
    // A system colour brush is shared by the system: deleting it does nothing.
    BOOL CreateSysColorBrush(int nIndex);

    operator HBRUSH() const
    {
        return static_cast<HBRUSH>(GetSafeHandle());
    }
    int GetLogBrush(LOGBRUSH* pLogBrush);
};

class CFont : public CGdiObject
{
    DECLARE_DYNAMIC(CFont)
public:
    CFont() = default;

    static CFont* PASCAL FromHandle(HFONT hFont);

    BOOL CreateFontIndirect(const LOGFONT* lpLogFont);
    BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                    BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                    BYTE nQuality, BYTE nPitchAndFamily, LPCTSTR lpszFacename);
    // nPointSize is in tenths of a point. The height is converted for pDC's mapping mode, or
    // for the screen when pDC is NULL.
    BOOL CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC = nullptr);
    // lfHeight is in tenths of a point here.
    BOOL CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC = nullptr);

    operator HFONT() const
    {
        return static_cast<HFONT>(GetSafeHandle());
    }
    int GetLogFont(LOGFONT* pLogFont);
};

class CBitmap : public CGdiObject
{
    DECLARE_DYNAMIC(CBitmap)
public:
    CBitmap() = default;

    static CBitmap* PASCAL FromHandle(HBITMAP hBitmap);

    // Resources of the executable's module.
    BOOL LoadBitmap(LPCTSTR lpszResourceName);
    BOOL LoadBitmap(UINT nIDResource);
    BOOL LoadOEMBitmap(UINT nIDBitmap);
    // Maps the bitmap's standard button colours to the current system colours.
    BOOL LoadMappedBitmap(UINT nIDBitmap, UINT nFlags = 0, LPCOLORMAP lpColorMap = nullptr, int nMapSize = 0);
    BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits);
    BOOL CreateBitmapIndirect(LPBITMAP lpBitmap);
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);

    operator HBITMAP() const
    {
        return static_cast<HBITMAP>(GetSafeHandle());
    }
    int GetBitmap(BITMAP* pBitMap);
    DWORD SetBitmapBits(DWORD dwCount, const void* lpBits);
    DWORD GetBitmapBits(DWORD dwCount, LPVOID lpBits) const;
};

class CPalette : public CGdiObject
{
    DECLARE_DYNAMIC(CPalette)
public:
    CPalette() = default;

    static CPalette* PASCAL FromHandle(HPALETTE hPalette);

    BOOL CreatePalette(LPLOGPALETTE lpLogPalette);
    BOOL CreateHalftonePalette(CDC* pDC);

    operator HPALETTE() const
    {
        return static_cast<HPALETTE>(GetSafeHandle());
    }
    int GetEntryCount();
    UINT GetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) const;
    UINT SetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors);
    UINT GetNearestPaletteIndex(COLORREF crColor) const;
};

class CRgn : public CGdiObject
{
    DECLARE_DYNAMIC(CRgn)
public:
    CRgn() = default;

    static CRgn* PASCAL FromHandle(HRGN hRgn);

    BOOL CreateRectRgn(int x1, int y1, int x2, int y2);
    BOOL CreateRectRgnIndirect(LPCRECT lpRect);
    BOOL CreateEllipticRgn(int x1, int y1, int x2, int y2);
    BOOL CreateEllipticRgnIndirect(LPCRECT lpRect);
    BOOL CreatePolygonRgn(LPPOINT lpPoints, int nCount, int nMode);
    BOOL CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3);

    operator HRGN() const
    {
        return static_cast<HRGN>(GetSafeHandle());
    }
    // These return the region's type: NULLREGION, SIMPLEREGION, COMPLEXREGION or ERROR.
    // The region must exist already; it receives the combination.
    int CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode);
    int CopyRgn(const CRgn* pRgnSrc);
    int OffsetRgn(int x, int y);
    int OffsetRgn(POINT point);
    int GetRgnBox(LPRECT lpRect) const;

    BOOL EqualRgn(const CRgn* pRgn) const;
    void SetRectRgn(int x1, int y1, int x2, int y2);
    void SetRectRgn(LPCRECT lpRect);
    BOOL PtInRegion(int x, int y) const;
    BOOL PtInRegion(POINT point) const;
    BOOL RectInRegion(LPCRECT lpRect) const;
    int GetRegionData(LPRGNDATA lpRgnData, int nCount) const;
};

// Frees the calling thread's temporary GDI, device context, menu and image list wrappers
// that FromHandle made. The thread's idle processing calls it; pointers that FromHandle
// returned before are invalid afterwards.
void AFXAPI AfxDeleteTempGdiMaps();
