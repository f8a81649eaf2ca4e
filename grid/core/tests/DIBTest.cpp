#include <grid/core/DIB.h>

#include <testing/MemoryCanvas.h>
#include <testing/PrintString.h>

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace
{
constexpr COLORREF clrPaper = RGB(255, 255, 255);
constexpr COLORREF clrRed = RGB(255, 0, 0);
constexpr COLORREF clrBlue = RGB(0, 0, 255);

// A packed 24-bit DIB, bottom-up, built field by field: the header of the given size (12 for
// the core kind, 40 or more for the info kinds), then the rows. Rows from the top take the
// first colour up to nSplitRow, the second after it.
HGLOBAL MakeDIB(DWORD cbHeader, LONG cx, LONG cy, COLORREF clrTop, COLORREF clrBottom, LONG nSplitRow = -1)
{
    const size_t cbStride = (static_cast<size_t>(cx) * 3 + 3) / 4 * 4;
    std::vector<BYTE> block(cbHeader + cbStride * cy);
    if (cbHeader == sizeof(BITMAPCOREHEADER))
    {
        BITMAPCOREHEADER core{sizeof(core), static_cast<WORD>(cx), static_cast<WORD>(cy), 1, 24};
        memcpy(block.data(), &core, sizeof(core));
    }
    else
    {
        BITMAPINFOHEADER info{};
        info.biSize = cbHeader;
        info.biWidth = cx;
        info.biHeight = cy;
        info.biPlanes = 1;
        info.biBitCount = 24;
        memcpy(block.data(), &info, sizeof(info));
    }
    for (LONG nRowFromBottom = 0; nRowFromBottom < cy; ++nRowFromBottom)
    {
        const LONG nRowFromTop = cy - 1 - nRowFromBottom;
        const COLORREF clr = nSplitRow >= 0 && nRowFromTop >= nSplitRow ? clrBottom : clrTop;
        BYTE* pRow = block.data() + cbHeader + cbStride * nRowFromBottom;
        for (LONG x = 0; x < cx; ++x)
        {
            pRow[3 * x] = GetBValue(clr);
            pRow[3 * x + 1] = GetGValue(clr);
            pRow[3 * x + 2] = GetRValue(clr);
        }
    }
    const HGLOBAL hDIB = ::GlobalAlloc(GMEM_MOVEABLE, block.size());
    memcpy(::GlobalLock(hDIB), block.data(), block.size());
    ::GlobalUnlock(hDIB);
    return hDIB;
}

// The bounding box of the pixels that are no longer paper.
CRect PaintedBox(const MemoryCanvas& canvas, int cx, int cy)
{
    CRect box(cx, cy, 0, 0);
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x)
            if (canvas.Pixel(x, y) != clrPaper)
                box = CRect(std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                            std::max<LONG>(box.bottom, y + 1));
    return box;
}

class DIBDrawTest : public ::testing::Test
{
protected:
    CRect Draw(HGLOBAL hDIB, CRect rectDest, int nMode, UINT nFlags, const CRect* pSource = nullptr)
    {
        m_dib.Attach(hDIB);
        GXDrawDIB(&m_canvas.Dc(), hDIB, rectDest, nMode, nFlags, pSource);
        return PaintedBox(m_canvas, 120, 80);
    }

    MemoryCanvas m_canvas{120, 80, clrPaper};
    CGXDIB m_dib;
};
} // namespace

TEST_F(DIBDrawTest, FitsAndAlignsAsItsModeAndFlagsSay)
{
    struct Case
    {
        LONG cx, cy;
        CRect rectDest;
        int nMode;
        UINT nFlags;
        CRect expected;
    };
    const Case cases[] = {
        {10, 10, CRect(0, 0, 30, 20), GX_DIB_NOSCALE, GX_DIB_HCENTER | GX_DIB_VCENTER, CRect(10, 5, 20, 15)},
        {10, 10, CRect(0, 0, 30, 20), GX_DIB_NOSCALE, 0, CRect(0, 0, 10, 10)},
        {10, 10, CRect(0, 0, 30, 20), GX_DIB_NOSCALE, GX_DIB_RIGHT | GX_DIB_BOTTOM, CRect(20, 10, 30, 20)},
        {11, 11, CRect(0, 0, 30, 20), GX_DIB_NOSCALE, GX_DIB_HCENTER | GX_DIB_VCENTER, CRect(9, 4, 20, 15)},
        {40, 30, CRect(5, 5, 25, 15), GX_DIB_NOSCALE, 0, CRect(5, 5, 25, 15)},
        {10, 10, CRect(0, 0, 30, 20), GX_DIB_STRETCH, 0, CRect(0, 0, 30, 20)},
        {100, 50, CRect(0, 0, 50, 50), GX_DIB_KEEPASPECT, 0, CRect(0, 0, 50, 25)},
        {100, 50, CRect(0, 0, 50, 50), GX_DIB_KEEPASPECT, GX_DIB_BOTTOM, CRect(0, 25, 50, 50)},
        {100, 50, CRect(0, 0, 50, 50), GX_DIB_KEEPASPECT, GX_DIB_VCENTER, CRect(0, 12, 50, 37)},
        {50, 100, CRect(0, 0, 50, 50), GX_DIB_KEEPASPECT, GX_DIB_RIGHT, CRect(25, 0, 50, 50)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(::testing::Message() << c.cx << "x" << c.cy << " mode " << c.nMode << " flags " << c.nFlags);
        m_canvas.Fill(0, 0, 120, 80, clrPaper);
        EXPECT_EQ(Draw(MakeDIB(40, c.cx, c.cy, clrRed, clrRed), c.rectDest, c.nMode, c.nFlags), c.expected);
        EXPECT_EQ(m_canvas.Pixel(c.expected.left, c.expected.top), clrRed);
    }
}

TEST_F(DIBDrawTest, ATallerSourceIsCutFromTheSideItIsAlignedTo)
{
    // Top 20 rows red, bottom 20 blue, shown in 20 rows.
    Draw(MakeDIB(40, 10, 40, clrRed, clrBlue, 20), CRect(0, 0, 10, 20), GX_DIB_NOSCALE, GX_DIB_BOTTOM);
    EXPECT_EQ(m_canvas.Pixel(5, 10), clrBlue);
    Draw(MakeDIB(40, 10, 40, clrRed, clrBlue, 20), CRect(0, 0, 10, 20), GX_DIB_NOSCALE, 0);
    EXPECT_EQ(m_canvas.Pixel(5, 10), clrRed);
}

TEST_F(DIBDrawTest, AnEmptySourceDrawsNothing)
{
    const CRect empty(3, 3, 3, 8);
    EXPECT_TRUE(
        Draw(MakeDIB(40, 10, 10, clrRed, clrRed), CRect(0, 0, 50, 50), GX_DIB_KEEPASPECT, 0, &empty).IsRectEmpty());
    EXPECT_TRUE(
        Draw(MakeDIB(40, 10, 10, clrRed, clrRed), CRect(0, 0, 50, 50), GX_DIB_NOSCALE, 0, &empty).IsRectEmpty());
}

TEST_F(DIBDrawTest, TheBitsFollowTheHeaderOfItsOwnSize)
{
    // A core header (12 bytes) and a fifth-version header (124 bytes): with a fixed 40-byte
    // header the colours would come from the wrong bytes.
    for (const DWORD cbHeader : {DWORD{sizeof(BITMAPCOREHEADER)}, DWORD{sizeof(BITMAPV5HEADER)}})
    {
        SCOPED_TRACE(cbHeader);
        m_canvas.Fill(0, 0, 120, 80, clrPaper);
        EXPECT_EQ(Draw(MakeDIB(cbHeader, 8, 8, clrBlue, clrBlue), CRect(0, 0, 8, 8), GX_DIB_NOSCALE, 0),
                  CRect(0, 0, 8, 8));
        EXPECT_EQ(m_canvas.Pixel(0, 0), clrBlue);
        EXPECT_EQ(m_canvas.Pixel(7, 7), clrBlue);
    }
}

TEST(DIBTest, AttachReadsTheHeaderAndReleaseFreesTheBlock)
{
    CGXDIB dib;
    EXPECT_FALSE(dib.Attach(nullptr));
    const HGLOBAL hDIB = MakeDIB(40, 7, 5, clrRed, clrRed);
    ASSERT_TRUE(dib.Attach(hDIB));
    EXPECT_EQ(dib.GetWidth(), 7);
    EXPECT_EQ(dib.GetHeight(), 5);
    EXPECT_EQ(dib.GetColorCount(), 0U);
    dib.Release();
    EXPECT_EQ(dib.GetHandle(), nullptr);
    EXPECT_EQ(::GlobalFlags(hDIB), GMEM_INVALID_HANDLE);

    const HGLOBAL hKept = MakeDIB(12, 3, 3, clrRed, clrRed);
    ASSERT_TRUE(dib.Attach(hKept));
    EXPECT_EQ(dib.Detach(), hKept);
    EXPECT_NE(::GlobalFlags(hKept), GMEM_INVALID_HANDLE);
    ::GlobalFree(hKept);
}

TEST(DIBPoolTest, ParsesBitmapValuesIntoKeys)
{
    CGXDIBPool pool;
    struct Case
    {
        LPCTSTR pszValue;
        LPCTSTR pszKey; // null: no bitmap
    };
    const Case cases[] = {
        {_T("#bmp(120)"), _T("#120")},      {_T("#BMP(120)"), _T("#120")},
        {_T("#BMP(0)"), nullptr},           {_T("#BMP()"), nullptr},
        {_T("#BMP(70000)"), nullptr},       {_T("120"), nullptr},
        {_T("#BMP(\"LOGO\")"), _T("LOGO")}, {_T("#BMP(\"LOGO"), _T("LOGO")},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(static_cast<LPCSTR>(CW2A(c.pszValue)));
        CString strKey;
        const LPCTSTR pszResource = pool.ParseBitmapValue(c.pszValue, strKey);
        if (c.pszKey == nullptr)
            EXPECT_EQ(pszResource, nullptr);
        else
            EXPECT_EQ(strKey, c.pszKey);
    }
    CString strKey;
    EXPECT_EQ(pool.ParseBitmapValue(_T("#BMP(120)"), strKey), MAKEINTRESOURCE(120));
    EXPECT_EQ(CString(pool.ParseBitmapValue(_T("#BMP(\"LOGO\")"), strKey)), L"LOGO");

    CString strValue;
    pool.FormatBitmapValue(120, strValue);
    EXPECT_EQ(strValue, L"#BMP(120)");
    pool.FormatNamedBitmapValue(_T("LOGO"), strValue);
    EXPECT_EQ(strValue, L"#BMP(\"LOGO\")");
}

namespace
{
// Counts the loads that reach the resources.
class CountingPool : public CGXDIBPool
{
public:
    HANDLE LoadDIBResource(LPCTSTR pszValue, LPCTSTR pszResource) override
    {
        ++m_nLoads;
        return CGXDIBPool::LoadDIBResource(pszValue, pszResource);
    }
    int m_nLoads = 0;
};

COLORREF FirstPixelOf(HANDLE hDIB)
{
    MemoryCanvas canvas(4, 3, clrPaper);
    GXDrawDIB(&canvas.Dc(), hDIB, CRect(0, 0, 4, 3), GX_DIB_NOSCALE, 0);
    return canvas.Pixel(0, 0);
}
} // namespace

TEST(DIBPoolTest, LoadsEachResourceOnceAndRemembersMissingOnes)
{
    CountingPool pool;
    const HANDLE hRed = pool.GetDIB(_T("#bmp(120)"));
    ASSERT_NE(hRed, nullptr);
    EXPECT_EQ(pool.GetDIB(_T("#BMP(120)")), hRed);
    EXPECT_EQ(pool.m_nLoads, 1);
    EXPECT_EQ(FirstPixelOf(hRed), clrRed);

    const HANDLE hLogo = pool.GetDIB(_T("#BMP(\"LOGO\")"));
    ASSERT_NE(hLogo, nullptr);
    EXPECT_EQ(FirstPixelOf(hLogo), clrBlue);

    EXPECT_EQ(pool.GetDIB(_T("#BMP(999)")), nullptr);
    EXPECT_EQ(pool.GetDIB(_T("#BMP(999)")), nullptr);
    EXPECT_EQ(pool.m_nLoads, 3);
    EXPECT_EQ(pool.GetDIB(_T("#BMP(0)")), nullptr);
    EXPECT_EQ(pool.GetDIB(_T("plain text")), nullptr);
    EXPECT_EQ(pool.m_nLoads, 3);
}

TEST(DIBPoolTest, EachThreadHasItsOwnPool)
{
    CGXDIBPool* pMain = CGXDIBPool::GetPool();
    EXPECT_EQ(CGXDIBPool::GetPool(), pMain);
    CGXDIBPool* pOther = nullptr;
    std::thread([&] { pOther = CGXDIBPool::GetPool(); }).join();
    EXPECT_NE(pOther, nullptr);
    EXPECT_NE(pOther, pMain);
}

TEST(DIBLoaderTest, CopiesAWholeResourceAndRefusesATruncatedOne)
{
    const HGLOBAL hDIB = GXLoadResourceDIB(nullptr, MAKEINTRESOURCE(120));
    ASSERT_NE(hDIB, nullptr);
    EXPECT_EQ(::GlobalSize(hDIB), 40U + 3 * 12U);
    CGXDIB dib;
    ASSERT_TRUE(dib.Attach(hDIB));
    EXPECT_EQ(dib.GetWidth(), 4);
    EXPECT_EQ(dib.GetHeight(), 3);

    EXPECT_EQ(GXLoadResourceDIB(nullptr, MAKEINTRESOURCE(121)), nullptr);
    EXPECT_EQ(GXLoadResourceDIB(::GetModuleHandle(nullptr), MAKEINTRESOURCE(121)), nullptr);
    EXPECT_EQ(GXLoadResourceDIB(nullptr, MAKEINTRESOURCE(999)), nullptr);
}
