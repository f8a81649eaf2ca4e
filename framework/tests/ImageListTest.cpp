#include <afxwin.h>
#include <afxcmn.h>

#include <gtest/gtest.h>

namespace
{
// GdiTest.rc: 32x16, image 0 red with a magenta top-left 8x8 square, image 1 blue.
constexpr UINT idTwoImages = 63000;
constexpr COLORREF magenta = RGB(255, 0, 255);
constexpr COLORREF red = RGB(255, 0, 0);
constexpr COLORREF blue = RGB(0, 0, 255);
constexpr COLORREF yellow = RGB(255, 255, 0);

// A 16x16 memory DC filled yellow, to draw images on.
class Canvas
{
public:
    Canvas()
    {
        EXPECT_TRUE(m_dc.CreateCompatibleDC(nullptr));
        EXPECT_TRUE(m_bitmap.CreateBitmap(16, 16, 1, 32, nullptr));
        m_pOld = m_dc.SelectObject(&m_bitmap);
        Clear();
    }
    ~Canvas()
    {
        m_dc.SelectObject(m_pOld);
    }
    void Clear()
    {
        m_dc.FillSolidRect(0, 0, 16, 16, yellow);
    }
    CDC* operator->()
    {
        return &m_dc;
    }
    CDC* get()
    {
        return &m_dc;
    }

private:
    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_pOld;
};

// A 32x16 bitmap of two images as GdiTest.rc has it, made in memory.
void MakeTwoImages(CBitmap& bitmap)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    ASSERT_TRUE(bitmap.CreateBitmap(32, 16, 1, 32, nullptr));
    CBitmap* pOld = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, 16, 16, red);
    dc.FillSolidRect(0, 0, 8, 8, magenta);
    dc.FillSolidRect(16, 0, 16, 16, blue);
    dc.SelectObject(pOld);
}

// Draws image 0 and checks the masked square and the red rest.
void ExpectFirstImage(CImageList& list)
{
    Canvas canvas;
    EXPECT_TRUE(list.Draw(canvas.get(), 0, CPoint(0, 0), ILD_TRANSPARENT));
    EXPECT_EQ(canvas->GetPixel(2, 2), yellow);
    EXPECT_EQ(canvas->GetPixel(12, 12), red);
    EXPECT_EQ(canvas->GetPixel(12, 2), red);
}

TEST(ImageListTest, MaskColourMakesPixelsTransparent)
{
    CImageList list;
    ASSERT_TRUE(list.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 4));
    CBitmap bitmap;
    MakeTwoImages(bitmap);
    EXPECT_EQ(list.Add(&bitmap, magenta), 0);
    EXPECT_EQ(list.GetImageCount(), 2);
    ExpectFirstImage(list);

    IMAGEINFO info = {};
    EXPECT_TRUE(list.GetImageInfo(1, &info));
    EXPECT_EQ(CRect(info.rcImage).Size(), CSize(16, 16));
    EXPECT_NE(info.hbmMask, nullptr);

    Canvas canvas;
    EXPECT_TRUE(list.Draw(canvas.get(), 1, CPoint(0, 0), ILD_NORMAL));
    EXPECT_EQ(canvas->GetPixel(0, 0), blue);

    // A background colour fills the masked pixels when drawn normally.
    EXPECT_EQ(list.SetBkColor(RGB(0, 255, 0)), CLR_NONE);
    EXPECT_EQ(list.GetBkColor(), RGB(0, 255, 0));
    canvas.Clear();
    EXPECT_TRUE(list.Draw(canvas.get(), 0, CPoint(0, 0), ILD_NORMAL));
    EXPECT_EQ(canvas->GetPixel(2, 2), RGB(0, 255, 0));
}

TEST(ImageListTest, BitmapResourceMakesAMaskedList)
{
    CImageList list;
    ASSERT_TRUE(list.Create(idTwoImages, 16, 1, magenta));
    EXPECT_EQ(list.GetImageCount(), 2);
    ExpectFirstImage(list);

    CImageList copy;
    ASSERT_TRUE(copy.Create(&list));
    EXPECT_NE(copy.m_hImageList, list.m_hImageList);
    EXPECT_EQ(copy.GetImageCount(), 2);

    CImageList missing;
    EXPECT_FALSE(missing.Create(63098u, 16, 1, magenta));
}

TEST(ImageListTest, ReplaceRemoveAndIcons)
{
    CImageList list;
    ASSERT_TRUE(list.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 4));
    CBitmap bitmap;
    MakeTwoImages(bitmap);
    ASSERT_EQ(list.Add(&bitmap, magenta), 0);

    // An icon made of image 1 goes in as image 2 and comes out blue.
    HICON hIcon = list.ExtractIcon(1);
    ASSERT_NE(hIcon, nullptr);
    EXPECT_EQ(list.Add(hIcon), 2);
    Canvas canvas;
    EXPECT_TRUE(canvas->DrawIcon(0, 0, hIcon));
    EXPECT_EQ(canvas->GetPixel(8, 8), blue);
    ::DestroyIcon(hIcon);

    // Image 0 replaced with a mask that hides nothing: the magenta square shows.
    CBitmap plain;
    MakeTwoImages(plain);
    const WORD opaqueRows[16] = {};
    CBitmap opaque;
    ASSERT_TRUE(opaque.CreateBitmap(16, 16, 1, 1, opaqueRows));
    EXPECT_TRUE(list.Replace(0, &plain, &opaque));
    canvas.Clear();
    list.Draw(canvas.get(), 0, CPoint(0, 0), ILD_NORMAL);
    EXPECT_EQ(canvas->GetPixel(2, 2), magenta);

    EXPECT_TRUE(list.Remove(0));
    EXPECT_EQ(list.GetImageCount(), 2);
    EXPECT_FALSE(list.Remove(5));
    EXPECT_TRUE(list.Remove(-1));
    EXPECT_EQ(list.GetImageCount(), 0);
}

TEST(ImageListTest, WriteAndReadThroughAnArchive)
{
    CImageList original;
    ASSERT_TRUE(original.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 4));
    CBitmap bitmap;
    MakeTwoImages(bitmap);
    ASSERT_EQ(original.Add(&bitmap, magenta), 0);

    // The list's bytes sit between other values of the same archive.
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << 0x12345678L;
        EXPECT_TRUE(original.Write(&ar));
        ar << CString(L"after");
    }
    EXPECT_GT(file.GetLength(), 16u * 16u * 2u);

    file.SeekToBegin();
    CImageList copy;
    {
        CArchive ar(&file, CArchive::load);
        LONG before = 0;
        ar >> before;
        EXPECT_EQ(before, 0x12345678L);
        ASSERT_TRUE(copy.Read(&ar));
        CString after;
        ar >> after;
        EXPECT_EQ(after, CString(L"after"));
    }
    EXPECT_EQ(copy.GetImageCount(), 2);
    int cx = 0, cy = 0;
    EXPECT_TRUE(::ImageList_GetIconSize(copy, &cx, &cy));
    EXPECT_EQ(CSize(cx, cy), CSize(16, 16));
    ExpectFirstImage(copy);
    Canvas canvas;
    copy.Draw(canvas.get(), 1, CPoint(0, 0), ILD_NORMAL);
    EXPECT_EQ(canvas->GetPixel(15, 15), blue);
}

TEST(ImageListTest, ReadingSomethingElseFails)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << CString(L"not an image list at all, but long enough to fill a header");
    }
    file.SeekToBegin();
    CImageList list;
    ASSERT_TRUE(list.Create(16, 16, ILC_COLOR32, 0, 1));
    CArchive ar(&file, CArchive::load);
    EXPECT_FALSE(list.Read(&ar));
    EXPECT_EQ(list.m_hImageList, nullptr);
}

TEST(ImageListTest, AttachDetachAndTemporaryWrappers)
{
    HIMAGELIST hList = ::ImageList_Create(8, 8, ILC_COLOR32, 1, 1);
    ASSERT_NE(hList, nullptr);
    CImageList* pTemp = CImageList::FromHandle(hList);
    ASSERT_NE(pTemp, nullptr);
    EXPECT_EQ(pTemp->GetSafeHandle(), hList);
    AfxDeleteTempGdiMaps();
    EXPECT_EQ(::ImageList_GetImageCount(hList), 0);

    {
        CImageList owner;
        EXPECT_TRUE(owner.Attach(hList));
        EXPECT_EQ(CImageList::FromHandle(hList), &owner);
        EXPECT_EQ(owner.Detach(), hList);
    }
    // Detached, the list outlived its wrapper.
    CImageList owner;
    EXPECT_TRUE(owner.Attach(hList));
    EXPECT_TRUE(owner.DeleteImageList());
    EXPECT_EQ(owner.GetSafeHandle(), nullptr);
    EXPECT_FALSE(owner.DeleteImageList());
}

TEST(ImageListTest, DrawIndirectDrawsAPartOfTheImage)
{
    CImageList list;
    ASSERT_TRUE(list.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 4));
    CBitmap bitmap;
    MakeTwoImages(bitmap);
    ASSERT_EQ(list.Add(&bitmap, magenta), 0);

    // The lower right 8x8 of image 0, drawn at 0,0: red only.
    Canvas canvas;
    EXPECT_TRUE(list.DrawIndirect(canvas.get(), 0, CPoint(0, 0), CSize(8, 8), CPoint(8, 8), ILD_TRANSPARENT));
    EXPECT_EQ(canvas->GetPixel(0, 0), red);
    EXPECT_EQ(canvas->GetPixel(7, 7), red);
    EXPECT_EQ(canvas->GetPixel(8, 8), yellow);
}
} // namespace
