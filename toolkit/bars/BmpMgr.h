// The shared store of toolbar images: toolbar resources (small and large bitmaps with the
// command ids whose images they hold) and the map from a command id to its bitmap and image.
#pragma once

#include <afxwin.h>

#include <map>
#include <vector>

namespace tarnwick::bars
{
// RT_TOOLBAR: version, image width, image height, item count, then one command id per item
// (0 a separator), all 16-bit little-endian words.
constexpr WORD RT_TOOLBAR_ID = 241;
#define RT_TOOLBAR MAKEINTRESOURCE(241)

class SECBmpMgr : public CObject
{
    DECLARE_DYNAMIC(SECBmpMgr)
public:
    struct BitmapEntry
    {
        LPCTSTR lpszSmall = nullptr;
        LPCTSTR lpszLarge = nullptr;
        HBITMAP hSmall = nullptr;
        HBITMAP hLarge = nullptr;
        int nImages = 0;
        BOOL bSysColors = FALSE;
        BOOL bSmallExternal = FALSE;
        BOOL bLargeExternal = FALSE;
    };

    SECBmpMgr();

    void AddRef();
    void Release();

    BOOL LoadToolBarResource(LPCTSTR lpszSmall, LPCTSTR lpszLarge = nullptr, BOOL bSysColors = TRUE);
    BOOL LoadToolBarResource(UINT nSmall, UINT nLarge = 0, BOOL bSysColors = TRUE);
    BOOL AddBitmap(LPCTSTR lpszSmall, LPCTSTR lpszLarge, const UINT* pIDs, int nCount, BOOL bSysColors);
    // The command's bitmap (large unless small is asked or the store shows small images) and
    // the image's position in it.
    BOOL GetBitmapInfo(UINT nID, HBITMAP& hBitmap, int& nIndex, BOOL bSmall = FALSE) const;

    void SetSmallImages(BOOL bSmall);
    BOOL GetSmallImages() const
    {
        return m_bSmallImages;
    }
    void SetKeepBoth(BOOL bKeepBoth);
    BOOL ReloadBitmaps(BOOL bReload = TRUE);

    CSize GetSmallImageSize() const
    {
        return CSize(m_cxSmall, m_cySmall);
    }
    CSize GetLargeImageSize() const
    {
        return CSize(m_cxLarge, m_cyLarge);
    }
    CSize GetImageSize() const
    {
        return m_bSmallImages ? GetSmallImageSize() : GetLargeImageSize();
    }
    // The bitmap of the first entry as GetBitmapInfo would give it: image 0 stands in for
    // unknown commands.
    HBITMAP GetFirstBitmap() const;
    const BitmapEntry& GetEntry(int nIndex) const
    {
        return m_entries[static_cast<size_t>(nIndex)];
    }

protected:
    // Deleted through Release.
    ~SECBmpMgr() override;

    virtual BOOL PrepareEntry(BitmapEntry& entry, BOOL bReload);
    virtual BOOL LoadSmallBitmap(BitmapEntry& entry);
    virtual BOOL LoadLargeBitmap(BitmapEntry& entry);

private:
    struct ImageItem
    {
        int nEntry;
        int nImage;
    };
    // A bitmap resource as the entry's colours ask; null when it cannot be loaded.
    static HBITMAP LoadEntryBitmap(LPCTSTR lpszResource, BOOL bSysColors);
    void DeleteSmall(BitmapEntry& entry);
    void DeleteLarge(BitmapEntry& entry);

    std::map<UINT, ImageItem> m_idMap;
    std::vector<BitmapEntry> m_entries;
    int m_cxSmall;
    int m_cySmall;
    int m_cxLarge;
    int m_cyLarge;
    BOOL m_bSmallImages;
    BOOL m_bKeepBoth;
    LONG m_nRefs;
};

// A toolbar resource read: its image size and its command ids (separators left out when asked).
struct SECToolBarResource
{
    CSize sizeImage;
    std::vector<UINT> ids;
    BOOL Load(LPCTSTR lpszResource, BOOL bSkipSeparators);
};
} // namespace tarnwick::bars
