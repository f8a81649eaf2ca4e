// SECBmpMgr: loads toolbar resources, registers their ids (first registration wins) and keeps
// the small or large bitmaps (or both) loaded as the toolbars ask.
#include <toolkit/bars/BmpMgr.h>

#include <toolkit/foundation/SysColorBitmap.h>
#include <toolkit/foundation/VisualStyle.h>

namespace tarnwick::bars
{
IMPLEMENT_DYNAMIC(SECBmpMgr, CObject)

namespace
{
constexpr int DEFAULT_SMALL_CX = 16;
constexpr int DEFAULT_SMALL_CY = 15;
constexpr int DEFAULT_LARGE_CX = 22;
constexpr int DEFAULT_LARGE_CY = 24;
} // namespace

BOOL SECToolBarResource::Load(LPCTSTR lpszResource, BOOL bSkipSeparators)
{
    const HINSTANCE hInst = AfxGetResourceHandle();
    const HRSRC hRsrc = ::FindResource(hInst, lpszResource, RT_TOOLBAR);
    if (hRsrc == nullptr)
        return FALSE;
    const HGLOBAL hGlobal = ::LoadResource(hInst, hRsrc);
    const auto* pWords = static_cast<const WORD*>(::LockResource(hGlobal));
    const DWORD cbSize = ::SizeofResource(hInst, hRsrc);
    if (pWords == nullptr || cbSize < 4 * sizeof(WORD))
        return FALSE;
    const WORD nItems = pWords[3];
    if (cbSize < (4u + nItems) * sizeof(WORD))
        return FALSE;
    sizeImage = CSize(pWords[1], pWords[2]);
    ids.clear();
    for (WORD i = 0; i < nItems; ++i)
        if (pWords[4 + i] != 0 || !bSkipSeparators)
            ids.push_back(pWords[4 + i]);
    return TRUE;
}

SECBmpMgr::SECBmpMgr()
    : m_cxSmall(DEFAULT_SMALL_CX), m_cySmall(DEFAULT_SMALL_CY), m_cxLarge(DEFAULT_LARGE_CX),
      m_cyLarge(DEFAULT_LARGE_CY), m_bSmallImages(TRUE), m_bKeepBoth(FALSE), m_nRefs(1)
{
}

SECBmpMgr::~SECBmpMgr()
{
    for (BitmapEntry& entry : m_entries)
    {
        DeleteSmall(entry);
        DeleteLarge(entry);
    }
}

void SECBmpMgr::AddRef()
{
    ++m_nRefs;
}

void SECBmpMgr::Release()
{
    if (--m_nRefs == 0)
        delete this;
}

BOOL SECBmpMgr::LoadToolBarResource(UINT nSmall, UINT nLarge, BOOL bSysColors)
{
    return LoadToolBarResource(MAKEINTRESOURCE(nSmall), nLarge != 0 ? MAKEINTRESOURCE(nLarge) : nullptr, bSysColors);
}

BOOL SECBmpMgr::LoadToolBarResource(LPCTSTR lpszSmall, LPCTSTR lpszLarge, BOOL bSysColors)
{
    SECToolBarResource small;
    if (!small.Load(lpszSmall, TRUE))
        return FALSE;
    if (m_entries.empty())
    {
        if (lpszLarge != nullptr)
        {
            SECToolBarResource large;
            if (!large.Load(lpszLarge, TRUE))
                return FALSE;
            m_cxLarge = large.sizeImage.cx;
            m_cyLarge = large.sizeImage.cy;
        }
        m_cxSmall = small.sizeImage.cx;
        m_cySmall = small.sizeImage.cy;
    }
    return AddBitmap(lpszSmall, lpszLarge, small.ids.data(), static_cast<int>(small.ids.size()), bSysColors);
}

BOOL SECBmpMgr::AddBitmap(LPCTSTR lpszSmall, LPCTSTR lpszLarge, const UINT* pIDs, int nCount, BOOL bSysColors)
{
    BitmapEntry entry;
    entry.lpszSmall = lpszSmall;
    entry.lpszLarge = lpszLarge;
    entry.nImages = nCount;
    entry.bSysColors = bSysColors;
    m_entries.push_back(entry);
    const int nEntry = static_cast<int>(m_entries.size()) - 1;
    for (int i = 0; i < nCount; ++i)
        m_idMap.try_emplace(pIDs[i], ImageItem{nEntry, i});
    return PrepareEntry(m_entries.back(), TRUE);
}

BOOL SECBmpMgr::GetBitmapInfo(UINT nID, HBITMAP& hBitmap, int& nIndex, BOOL bSmall) const
{
    const auto it = m_idMap.find(nID);
    if (it == m_idMap.end())
        return FALSE;
    const BitmapEntry& entry = m_entries[static_cast<size_t>(it->second.nEntry)];
    hBitmap = (!bSmall && !m_bSmallImages) ? entry.hLarge : entry.hSmall;
    nIndex = it->second.nImage;
    return TRUE;
}

HBITMAP SECBmpMgr::GetFirstBitmap() const
{
    if (m_entries.empty())
        return nullptr;
    return m_bSmallImages ? m_entries.front().hSmall : m_entries.front().hLarge;
}

void SECBmpMgr::SetSmallImages(BOOL bSmall)
{
    if (!bSmall == !m_bSmallImages)
        return;
    m_bSmallImages = bSmall;
    ReloadBitmaps(TRUE);
}

void SECBmpMgr::SetKeepBoth(BOOL bKeepBoth)
{
    if (!bKeepBoth == !m_bKeepBoth)
        return;
    m_bKeepBoth = bKeepBoth;
    ReloadBitmaps(FALSE);
}

BOOL SECBmpMgr::ReloadBitmaps(BOOL bReload)
{
    for (BitmapEntry& entry : m_entries)
        PrepareEntry(entry, bReload);
    return 1;
}

void SECBmpMgr::DeleteSmall(BitmapEntry& entry)
{
    if (entry.hSmall != nullptr && !entry.bSmallExternal)
        ::DeleteObject(entry.hSmall);
    if (!entry.bSmallExternal)
        entry.hSmall = nullptr;
}

void SECBmpMgr::DeleteLarge(BitmapEntry& entry)
{
    if (entry.hLarge != nullptr && !entry.bLargeExternal)
        ::DeleteObject(entry.hLarge);
    if (!entry.bLargeExternal)
        entry.hLarge = nullptr;
}

BOOL SECBmpMgr::PrepareEntry(BitmapEntry& entry, BOOL bReload)
{
    if (!entry.bSmallExternal && (m_bSmallImages || m_bKeepBoth))
    {
        if (m_bSmallImages && !m_bKeepBoth)
            DeleteLarge(entry);
        if (bReload)
            DeleteSmall(entry);
        if ((entry.hSmall == nullptr || bReload) && !LoadSmallBitmap(entry))
            return 0;
    }
    if (entry.bLargeExternal || m_bSmallImages)
        return 1;
    if (!m_bKeepBoth)
        DeleteSmall(entry);
    if (bReload)
        DeleteLarge(entry);
    if (entry.hLarge != nullptr)
        return 1;
    return LoadLargeBitmap(entry);
}

HBITMAP SECBmpMgr::LoadEntryBitmap(LPCTSTR lpszResource, BOOL bSysColors)
{
    if (bSysColors && !SECIsVisualStyle2())
    {
        CBitmap bitmap;
        return LoadSysColorBitmap(bitmap, lpszResource) ? static_cast<HBITMAP>(bitmap.Detach()) : nullptr;
    }
    return ::LoadBitmap(AfxGetResourceHandle(), lpszResource);
}

BOOL SECBmpMgr::LoadSmallBitmap(BitmapEntry& entry)
{
    if (entry.bSmallExternal)
        return 1;
    entry.hSmall = LoadEntryBitmap(entry.lpszSmall, entry.bSysColors);
    return entry.hSmall != nullptr;
}

BOOL SECBmpMgr::LoadLargeBitmap(BitmapEntry& entry)
{
    if (entry.bLargeExternal)
        return 1;
    if (entry.lpszLarge != nullptr)
    {
        entry.hLarge = LoadEntryBitmap(entry.lpszLarge, entry.bSysColors);
        return entry.hLarge != nullptr;
    }
    // No large images: the small ones stretched.
    const bool bLoadedHere = entry.hSmall == nullptr;
    if (bLoadedHere && !LoadSmallBitmap(entry))
        return 0;
    CClientDC dcScreen(nullptr);
    CDC dcSrc;
    CDC dcDst;
    CBitmap large;
    const BOOL bMade = dcSrc.CreateCompatibleDC(&dcScreen) && dcDst.CreateCompatibleDC(&dcScreen) &&
                       large.CreateCompatibleBitmap(&dcScreen, entry.nImages * m_cxLarge, m_cyLarge);
    if (bMade)
    {
        HGDIOBJ hOldSrc = ::SelectObject(dcSrc.m_hDC, entry.hSmall);
        HGDIOBJ hOldDst = ::SelectObject(dcDst.m_hDC, large.m_hObject);
        dcDst.SetStretchBltMode(COLORONCOLOR);
        for (int i = 0; i < entry.nImages; ++i)
            dcDst.StretchBlt(i * m_cxLarge, 0, m_cxLarge, m_cyLarge, &dcSrc, i * m_cxSmall, 0, m_cxSmall, m_cySmall,
                             SRCCOPY);
        ::SelectObject(dcSrc.m_hDC, hOldSrc);
        ::SelectObject(dcDst.m_hDC, hOldDst);
        entry.hLarge = static_cast<HBITMAP>(large.Detach());
    }
    if (bLoadedHere)
        DeleteSmall(entry);
    return bMade;
}
} // namespace tarnwick::bars
