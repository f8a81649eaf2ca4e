// The bitmap store maps command ids to images of their first toolbar resource, takes its image
// sizes from the first resource, and stretches large images from small ones when it must.
#include <toolkit/bars/BmpMgr.h>

#include <gtest/gtest.h>

using tarnwick::bars::SECBmpMgr;

namespace
{
// The store deletes itself through Release.
struct StoreHolder
{
    SECBmpMgr* p = new SECBmpMgr;
    ~StoreHolder()
    {
        p->Release();
    }
};

CSize BitmapSize(HBITMAP hBitmap)
{
    BITMAP bm{};
    ::GetObject(hBitmap, sizeof(bm), &bm);
    return CSize(bm.bmWidth, bm.bmHeight);
}

COLORREF BitmapPixel(HBITMAP hBitmap, int x, int y)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(dc.m_hDC, hBitmap);
    const COLORREF clr = dc.GetPixel(x, y);
    ::SelectObject(dc.m_hDC, hOld);
    return clr;
}
} // namespace

TEST(BmpMgrTest, ImagesOfTheToolbarResourceWithoutSeparators)
{
    StoreHolder store;
    ASSERT_TRUE(store.p->LoadToolBarResource(128, 129));
    EXPECT_EQ(store.p->GetSmallImageSize(), CSize(16, 15));
    EXPECT_EQ(store.p->GetLargeImageSize(), CSize(24, 23));
    const struct
    {
        UINT nID;
        int nIndex;
    } cases[] = {{0x800B, 0}, {0x800D, 1}, {0xE100, 2}, {0x8018, 4}, {0xE140, 6}};
    for (const auto& c : cases)
    {
        HBITMAP hBitmap = nullptr;
        int nIndex = -1;
        ASSERT_TRUE(store.p->GetBitmapInfo(c.nID, hBitmap, nIndex)) << c.nID;
        EXPECT_EQ(nIndex, c.nIndex) << c.nID;
        EXPECT_EQ(BitmapSize(hBitmap), CSize(7 * 16, 15));
    }
    HBITMAP hBitmap = nullptr;
    int nIndex = -1;
    EXPECT_FALSE(store.p->GetBitmapInfo(0x1234, hBitmap, nIndex));
}

TEST(BmpMgrTest, FirstRegistrationAndFirstSizesWin)
{
    StoreHolder store;
    ASSERT_TRUE(store.p->LoadToolBarResource(128, 0));
    // The 24-pixel resource second: its ids are known already and its sizes are not taken.
    ASSERT_TRUE(store.p->LoadToolBarResource(129, 0));
    EXPECT_EQ(store.p->GetSmallImageSize(), CSize(16, 15));
    const UINT ids[] = {0x9000, 0xE100};
    ASSERT_TRUE(store.p->AddBitmap(MAKEINTRESOURCE(128), nullptr, ids, 2, TRUE));
    HBITMAP hBitmap = nullptr;
    int nIndex = -1;
    ASSERT_TRUE(store.p->GetBitmapInfo(0xE100, hBitmap, nIndex));
    EXPECT_EQ(hBitmap, store.p->GetEntry(0).hSmall);
    EXPECT_EQ(nIndex, 2);
    ASSERT_TRUE(store.p->GetBitmapInfo(0x9000, hBitmap, nIndex));
    EXPECT_EQ(hBitmap, store.p->GetEntry(2).hSmall);
    EXPECT_EQ(nIndex, 0);
}

TEST(BmpMgrTest, MissingResourceAddsNothing)
{
    StoreHolder store;
    EXPECT_FALSE(store.p->LoadToolBarResource(4711, 0));
    EXPECT_FALSE(store.p->LoadToolBarResource(128, 4711));
    HBITMAP hBitmap = nullptr;
    int nIndex = -1;
    EXPECT_FALSE(store.p->GetBitmapInfo(0x800B, hBitmap, nIndex));
}

TEST(BmpMgrTest, LargeImagesStretchFromTheSmallAndGoAgainUnlessKeepBoth)
{
    StoreHolder store;
    ASSERT_TRUE(store.p->LoadToolBarResource(128, 0));
    EXPECT_EQ(store.p->GetLargeImageSize(), CSize(22, 24));
    const COLORREF clrSmallCentre = BitmapPixel(store.p->GetEntry(0).hSmall, 16 + 8, 7);

    store.p->SetSmallImages(FALSE);
    const SECBmpMgr::BitmapEntry& entry = store.p->GetEntry(0);
    ASSERT_NE(entry.hLarge, nullptr);
    EXPECT_EQ(entry.hSmall, nullptr);
    EXPECT_EQ(BitmapSize(entry.hLarge), CSize(7 * 22, 24));
    // The centre of image 1 stays the centre of its stretched copy.
    EXPECT_EQ(BitmapPixel(entry.hLarge, 22 + 11, 12), clrSmallCentre);
    HBITMAP hBitmap = nullptr;
    int nIndex = -1;
    ASSERT_TRUE(store.p->GetBitmapInfo(0x800D, hBitmap, nIndex));
    EXPECT_EQ(hBitmap, entry.hLarge);

    store.p->SetSmallImages(TRUE);
    EXPECT_NE(entry.hSmall, nullptr);
    EXPECT_EQ(entry.hLarge, nullptr);

    store.p->SetKeepBoth(TRUE);
    store.p->SetSmallImages(FALSE);
    EXPECT_NE(entry.hSmall, nullptr);
    EXPECT_NE(entry.hLarge, nullptr);
    store.p->SetSmallImages(TRUE);
    EXPECT_NE(entry.hLarge, nullptr);
}

TEST(BmpMgrTest, BuildStepWritesTheToolbarResourceWordByWord)
{
    // Version, image width and height, item count, then the items, separators as 0.
    const WORD expected16[] = {1, 16, 15, 9, 0x800B, 0x800D, 0, 0xE100, 0xE102, 0x8018, 0, 0xE143, 0xE140};
    const WORD expected24[] = {1, 24, 23, 9, 0x800B, 0x800D, 0, 0xE100, 0xE102, 0x8018, 0, 0xE143, 0xE140};
    const struct
    {
        UINT nID;
        const WORD* pWords;
    } cases[] = {{128, expected16}, {129, expected24}};
    for (const auto& c : cases)
    {
        const HRSRC hRsrc = ::FindResource(nullptr, MAKEINTRESOURCE(c.nID), RT_TOOLBAR);
        ASSERT_NE(hRsrc, nullptr) << c.nID;
        ASSERT_EQ(::SizeofResource(nullptr, hRsrc), sizeof(expected16)) << c.nID;
        const auto* pWords = static_cast<const WORD*>(::LockResource(::LoadResource(nullptr, hRsrc)));
        for (size_t i = 0; i < std::size(expected16); ++i)
            EXPECT_EQ(pWords[i], c.pWords[i]) << c.nID << " word " << i;
    }
}
