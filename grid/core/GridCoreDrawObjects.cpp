// The grid's caches of fonts, brushes and pens, the shared client device context, and the
// flush of those caches together with the composed styles.
#include <grid/core/GridCore.h>

#include <grid/core/DrawingAndFormatting.h>
#include <grid/core/Font.h>
#include <grid/core/Style.h>

#include <cstring>
#include <algorithm>

namespace
{
constexpr UINT cacheBuckets = 257;

// A cached brush: the map's key holds words 0 and 1 of the brush record; brushes that differ
// only in word 2 (the brush style) hang in one chain.
class CGXCachedBrush : public CBrush
{
public:
    DWORD dwStyleWord = 0;
    CGXCachedBrush* pNext = nullptr;
};

template <class RECORD, size_t WORDS> void GetRecordWords(const RECORD& record, DWORD (&adw)[WORDS])
{
    static_assert(sizeof(RECORD) == sizeof(adw));
    std::memcpy(adw, &record, sizeof(adw));
}

void PrepareCache(CMapNdxToOb& cache)
{
    if (cache.IsEmpty() && cache.GetHashTableSize() != cacheBuckets)
        cache.InitHashTable(cacheBuckets);
}

LOGBRUSH MakeLogBrush(const GXBrushRecord& brush)
{
    switch (brush.GetStyle())
    {
    case GX_BRUSH_HOLLOW:
        return {BS_HOLLOW, 0, 0};
    case GX_BRUSH_HATCHED:
        return {BS_HATCHED, brush.GetColor(), brush.GetHatch()};
    case GX_BRUSH_PATTERN:
        // A monochrome pattern: the device context's text and background colours paint it.
        if (CBitmap* pBitmap = DrawingAndFormattingInstance()->GetPatternBitmap(static_cast<int>(brush.GetPattern())))
            return {BS_PATTERN, 0, reinterpret_cast<ULONG_PTR>(pBitmap->GetSafeHandle())};
        return {BS_SOLID, brush.GetFillColor(), 0};
    default:
        return {BS_SOLID, brush.GetColor(), 0};
    }
}
} // namespace

CFont* CGXGridCore::GetFontCached(const CGXFont& font)
{
    PrepareCache(m_FontCache);
    const ULONGLONG nKey = font.GetKey();
    const GXDWORDPAIR key{static_cast<DWORD>(nKey), static_cast<DWORD>(nKey >> 32)};
    CObject* pObject = nullptr;
    auto* pFont = m_FontCache.Lookup(key, pObject) ? static_cast<CFont*>(pObject) : nullptr;
    if (pFont == nullptr)
    {
        pFont = new CFont;
        m_FontCache.SetAt(key, pFont);
    }
    if (pFont->GetSafeHandle() == nullptr)
    {
        LOGFONT lf = font.GetLogFont();
        // A font that cannot be made leaves the system font in its place.
        if (!pFont->CreateFontIndirect(&lf))
            VERIFY(pFont->CreateStockObject(SYSTEM_FONT));
    }
    return pFont;
}

CBrush* CGXGridCore::GetBrushCached(const GXBrushRecord& brush)
{
    PrepareCache(m_BrushCache);
    DWORD adw[3];
    GetRecordWords(brush, adw);
    const GXDWORDPAIR key{adw[0], adw[1]};
    CObject* pObject = nullptr;
    auto* pHead = m_BrushCache.Lookup(key, pObject) ? static_cast<CGXCachedBrush*>(pObject) : nullptr;
    CGXCachedBrush* pBrush = pHead;
    while (pBrush != nullptr && pBrush->dwStyleWord != adw[2])
        pBrush = pBrush->pNext;
    if (pBrush == nullptr)
    {
        pBrush = new CGXCachedBrush;
        pBrush->dwStyleWord = adw[2];
        pBrush->pNext = pHead;
        m_BrushCache.SetAt(key, pBrush);
    }
    if (pBrush->GetSafeHandle() == nullptr)
    {
        const LOGBRUSH lb = MakeLogBrush(brush);
        pBrush->CreateBrushIndirect(&lb);
    }
    return pBrush;
}

CPen* CGXGridCore::GetPenCached(const GXPenRecord& pen)
{
    PrepareCache(m_PenCache);
    DWORD adw[2];
    GetRecordWords(pen, adw);
    const GXDWORDPAIR key{adw[0], adw[1]};
    CObject* pObject = nullptr;
    if (m_PenCache.Lookup(key, pObject) && static_cast<CPen*>(pObject)->GetSafeHandle() != nullptr)
        return static_cast<CPen*>(pObject);

    const LOGPEN logPen = pen.GetLogPen();
    const LOGBRUSH lb{BS_SOLID, logPen.lopnColor, 0};
    auto* pNew = new CPen;
    if (!pNew->CreatePen(static_cast<int>((logPen.lopnStyle & 7) | PS_GEOMETRIC | PS_ENDCAP_SQUARE),
                         std::max(1, static_cast<int>(logPen.lopnWidth.x)), &lb))
    {
        delete pNew;
        return nullptr;
    }
    if (pObject != nullptr)
        delete pObject;
    m_PenCache.SetAt(key, pNew);
    return pNew;
}

CFont* CGXGridCore::GetFontScaled(const CGXFont& font)
{
    CGXFont scaled(font);
    scaled.SetSize(GetZoom() * font.GetSize() / 100.0);
    return GetFontCached(scaled);
}

CFont* CGXGridCore::SelectFontScaled(CDC* pDC, const CGXFont& font)
{
    return pDC->SelectObject(GetFontScaled(font));
}

CFont* CGXGridCore::LoadFont(CDC* pDC, const CGXStyle& style, const CGXStyle* pCompare)
{
    if (pCompare != nullptr)
    {
        if (!style.GetInclude(CGXStyle::inclFont))
            return nullptr;
        if (std::memcmp(&style.GetFont().GetLogFont(), &pCompare->GetFont().GetLogFont(), sizeof(LOGFONT)) == 0)
            return nullptr;
    }
    return SelectFontScaled(pDC, style.GetFont());
}

CDC* CGXGridCore::GetClientDC()
{
    if (m_pDrawDC != nullptr)
        return m_pDrawDC;
    if (m_pClientDC == nullptr)
    {
        m_pClientDC = new CClientDC(m_pGridWnd);
        OnGridPrepareDC(m_pClientDC, nullptr);
        CFont* pOld =
            GetStylesMap() != nullptr ? SelectFontScaled(m_pClientDC, GetStandardStyle()->GetFont()) : nullptr;
        m_hClientDCFont = pOld != nullptr ? static_cast<HFONT>(pOld->GetSafeHandle()) : nullptr;
    }
    return m_pClientDC;
}

void CGXGridCore::ReleaseClientDC()
{
    if (m_nDrawingDepth > 0 || m_pClientDC == nullptr)
        return;
    if (m_hClientDCFont != nullptr)
        m_pClientDC->SelectObject(m_hClientDCFont);
    delete m_pClientDC;
    m_pClientDC = nullptr;
    m_hClientDCFont = nullptr;
}

BOOL CGXGridCore::SetKeepGDIObjects(BOOL bKeep)
{
    const BOOL bOld = m_bKeepGDIObjects;
    m_bKeepGDIObjects = bKeep;
    return bOld;
}

void CGXGridCore::FreeGdiCaches()
{
    ReleaseClientDC();
    const auto deleteAll = [](CMapNdxToOb& cache, auto deleteOne) {
        for (POSITION pos = cache.GetStartPosition(); pos != nullptr;)
        {
            GXDWORDPAIR key;
            CObject* pObject;
            cache.GetNextAssoc(pos, key, pObject);
            deleteOne(pObject);
        }
        cache.RemoveAll();
    };
    const auto deleteGdiObject = [](CObject* pObject) {
        static_cast<CGdiObject*>(pObject)->DeleteObject();
        delete pObject;
    };
    deleteAll(m_FontCache, deleteGdiObject);
    deleteAll(m_PenCache, deleteGdiObject);
    deleteAll(m_BrushCache, [&](CObject* pObject) {
        for (auto* pBrush = static_cast<CGXCachedBrush*>(pObject); pBrush != nullptr;)
        {
            CGXCachedBrush* pNext = pBrush->pNext;
            deleteGdiObject(pBrush);
            pBrush = pNext;
        }
    });
}

void CGXGridCore::FreeObjectCache()
{
    if (m_nDrawingDepth > 0)
        return;
    if (!m_bKeepGDIObjects)
        FreeGdiCaches();
    FreeStyleCache();
}
