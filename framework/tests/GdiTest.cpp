// The OBM_ bitmap ids.
#define OEMRESOURCE
#include <afxwin.h>

#include <cstdlib>
#include <vector>

#include <gtest/gtest.h>

namespace
{
constexpr COLORREF white = RGB(255, 255, 255);
constexpr COLORREF red = RGB(255, 0, 0);
constexpr COLORREF green = RGB(0, 255, 0);
constexpr COLORREF blue = RGB(0, 0, 255);

// A memory DC with a 32-bit bitmap selected, filled white.
class MemoryDC
{
public:
    static constexpr int width = 40;
    static constexpr int height = 30;

    MemoryDC()
    {
        EXPECT_TRUE(m_dc.CreateCompatibleDC(nullptr));
        EXPECT_TRUE(m_bitmap.CreateBitmap(width, height, 1, 32, nullptr));
        m_pOldBitmap = m_dc.SelectObject(&m_bitmap);
        m_dc.FillSolidRect(0, 0, width, height, white);
    }
    ~MemoryDC()
    {
        m_dc.SelectObject(m_pOldBitmap);
    }

    CDC& dc()
    {
        return m_dc;
    }
    // The points where the colour is found.
    std::vector<CPoint> Find(COLORREF color)
    {
        std::vector<CPoint> points;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (m_dc.GetPixel(x, y) == color)
                    points.emplace_back(x, y);
        return points;
    }

private:
    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_pOldBitmap;
};

int ScreenLogPixelsY()
{
    HDC hScreen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(hScreen, LOGPIXELSY);
    ::ReleaseDC(nullptr, hScreen);
    return dpi;
}

TEST(GdiTest, FilledRectangleAndLinePixels)
{
    MemoryDC mem;
    CDC& dc = mem.dc();

    dc.FillSolidRect(CRect(2, 3, 6, 8), red);
    EXPECT_EQ(dc.GetPixel(2, 3), red);
    EXPECT_EQ(dc.GetPixel(5, 7), red);
    EXPECT_EQ(dc.GetPixel(6, 7), white);
    EXPECT_EQ(dc.GetPixel(5, 8), white);
    EXPECT_EQ(mem.Find(red).size(), 4u * 5u);

    // A one-pixel pen frames the rectangle, the brush fills the inside; right and bottom
    // coordinates are outside.
    CPen pen(PS_SOLID, 1, blue);
    CBrush brush(green);
    CPen* pOldPen = dc.SelectObject(&pen);
    CBrush* pOldBrush = dc.SelectObject(&brush);
    EXPECT_TRUE(dc.Rectangle(10, 10, 20, 16));
    EXPECT_EQ(dc.GetPixel(10, 10), blue);
    EXPECT_EQ(dc.GetPixel(19, 15), blue);
    EXPECT_EQ(dc.GetPixel(15, 13), green);
    EXPECT_EQ(dc.GetPixel(20, 13), white);
    EXPECT_EQ(dc.GetPixel(15, 16), white);

    // A line leaves out its last point.
    dc.MoveTo(25, 2);
    EXPECT_TRUE(dc.LineTo(35, 2));
    EXPECT_EQ(dc.GetCurrentPosition(), CPoint(35, 2));
    EXPECT_EQ(dc.GetPixel(25, 2), blue);
    EXPECT_EQ(dc.GetPixel(34, 2), blue);
    EXPECT_EQ(dc.GetPixel(35, 2), white);

    dc.SelectObject(pOldPen);
    dc.SelectObject(pOldBrush);
}

TEST(GdiTest, Draw3dRectColoursTheSides)
{
    MemoryDC mem;
    CDC& dc = mem.dc();
    dc.Draw3dRect(CRect(5, 5, 15, 12), red, blue);
    EXPECT_EQ(dc.GetPixel(5, 5), red);
    EXPECT_EQ(dc.GetPixel(13, 5), red);
    EXPECT_EQ(dc.GetPixel(5, 10), red);
    EXPECT_EQ(dc.GetPixel(14, 5), blue);
    EXPECT_EQ(dc.GetPixel(14, 11), blue);
    EXPECT_EQ(dc.GetPixel(5, 11), blue);
    EXPECT_EQ(dc.GetPixel(10, 8), white);
    EXPECT_EQ(dc.GetPixel(15, 8), white);
    EXPECT_EQ(mem.Find(red).size() + mem.Find(blue).size(), 2u * 10u + 2u * 5u);
}

TEST(GdiTest, DragRectInvertsABandThatTheNextOneErases)
{
    MemoryDC mem;
    CDC& dc = mem.dc();
    const CSize band(2, 3);
    const CRect first(5, 5, 25, 20);
    dc.DrawDragRect(&first, band, nullptr, band);
    // The halftone brush inverts every other pixel of the band, nothing inside or outside it.
    const std::vector<CPoint> inverted = mem.Find(RGB(0, 0, 0));
    EXPECT_NEAR(static_cast<double>(inverted.size()), (20 * 15 - 16 * 9) / 2.0, 2.0);
    for (const CPoint& point : inverted)
    {
        EXPECT_TRUE(first.PtInRect(point));
        EXPECT_FALSE(CRect(7, 8, 23, 17).PtInRect(point));
    }
    const CRect second(10, 8, 30, 22);
    dc.DrawDragRect(&second, band, &first, band);
    for (const CPoint& point : mem.Find(RGB(0, 0, 0)))
        EXPECT_TRUE(second.PtInRect(point));
    dc.DrawDragRect(nullptr, band, &second, band);
    EXPECT_EQ(mem.Find(white).size(), static_cast<size_t>(MemoryDC::width * MemoryDC::height));
}

TEST(GdiTest, SelectObjectReturnsThePreviousObject)
{
    MemoryDC mem;
    CDC& dc = mem.dc();
    CPen pen1(PS_SOLID, 1, red);
    CPen pen2(PS_SOLID, 1, blue);

    CPen* pStock = dc.SelectObject(&pen1);
    ASSERT_NE(pStock, nullptr);
    EXPECT_EQ(pStock->GetSafeHandle(), ::GetStockObject(BLACK_PEN));
    // An attached object comes back as itself.
    EXPECT_EQ(dc.SelectObject(&pen2), &pen1);
    EXPECT_EQ(dc.GetCurrentPen(), &pen2);
    EXPECT_EQ(dc.SelectObject(pStock), &pen2);

    CGdiObject* pOldFont = dc.SelectStockObject(DEFAULT_GUI_FONT);
    ASSERT_NE(pOldFont, nullptr);
    EXPECT_EQ(pOldFont->GetObjectType(), static_cast<UINT>(OBJ_FONT));
    EXPECT_EQ(dc.GetCurrentFont()->GetSafeHandle(), ::GetStockObject(DEFAULT_GUI_FONT));
    dc.SelectObject(pOldFont);
}

TEST(GdiTest, TemporaryWrappersLeaveTheHandleAlone)
{
    HPEN hPen = ::CreatePen(PS_SOLID, 3, red);
    CPen* pTemp = CPen::FromHandle(hPen);
    ASSERT_NE(pTemp, nullptr);
    EXPECT_EQ(pTemp->GetSafeHandle(), hPen);
    EXPECT_EQ(CPen::FromHandle(hPen), pTemp);
    EXPECT_EQ(CGdiObject::FromHandle(nullptr), nullptr);

    AfxDeleteTempGdiMaps();
    EXPECT_EQ(::GetObjectType(hPen), static_cast<DWORD>(OBJ_PEN));

    {
        CPen owner;
        EXPECT_TRUE(owner.Attach(hPen));
        EXPECT_EQ(CPen::FromHandle(hPen), &owner);
        AfxDeleteTempGdiMaps();
        EXPECT_EQ(CPen::FromHandle(hPen), &owner);
        EXPECT_EQ(owner.Detach(), hPen);
        EXPECT_NE(CPen::FromHandle(hPen), &owner);
        EXPECT_TRUE(owner.Attach(hPen));
    }
    // The owner deleted the pen.
    EXPECT_EQ(::GetObjectType(hPen), 0u);
    AfxDeleteTempGdiMaps();

    CFont* pNoFont = nullptr;
    EXPECT_EQ(pNoFont->GetSafeHandle(), nullptr);
    CDC* pNoDC = nullptr;
    EXPECT_EQ(pNoDC->GetSafeHdc(), nullptr);
}

TEST(GdiTest, FailedCreationThrowsResourceException)
{
    CBitmap noBitmap;
    try
    {
        CBrush brush(&noBitmap);
        ADD_FAILURE() << "no exception";
    }
    catch (CResourceException* e)
    {
        e->Delete();
    }
    CBrush brush;
    EXPECT_FALSE(brush.CreatePatternBrush(&noBitmap));
    EXPECT_EQ(brush.GetSafeHandle(), nullptr);
    EXPECT_FALSE(brush.DeleteObject());
}

TEST(GdiTest, PensAndBrushesDescribeThemselves)
{
    CPen pen(PS_DASH, 1, red);
    LOGPEN logPen = {};
    EXPECT_EQ(pen.GetLogPen(&logPen), static_cast<int>(sizeof(LOGPEN)));
    EXPECT_EQ(logPen.lopnStyle, static_cast<UINT>(PS_DASH));
    EXPECT_EQ(logPen.lopnColor, red);

    LOGBRUSH logBrush = {BS_SOLID, green, 0};
    CPen widePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, 4, &logBrush);
    EXTLOGPEN extPen = {};
    EXPECT_GT(widePen.GetExtLogPen(&extPen), 0);
    EXPECT_EQ(extPen.elpWidth, 4u);
    EXPECT_EQ(extPen.elpColor, green);

    CBrush hatch(HS_CROSS, blue);
    EXPECT_EQ(hatch.GetLogBrush(&logBrush), static_cast<int>(sizeof(LOGBRUSH)));
    EXPECT_EQ(logBrush.lbStyle, static_cast<UINT>(BS_HATCHED));
    EXPECT_EQ(logBrush.lbColor, blue);
    EXPECT_EQ(logBrush.lbHatch, static_cast<ULONG_PTR>(HS_CROSS));

    // System colour brushes belong to the system and survive their wrapper.
    HBRUSH hSysBrush = nullptr;
    {
        CBrush sysBrush;
        EXPECT_TRUE(sysBrush.CreateSysColorBrush(COLOR_WINDOW));
        hSysBrush = sysBrush;
        sysBrush.GetLogBrush(&logBrush);
        EXPECT_EQ(logBrush.lbColor, ::GetSysColor(COLOR_WINDOW));
    }
    EXPECT_EQ(::GetSysColorBrush(COLOR_WINDOW), hSysBrush);
    EXPECT_EQ(::GetObjectType(hSysBrush), static_cast<DWORD>(OBJ_BRUSH));
}

TEST(GdiTest, PointFontHeightFollowsTheDevice)
{
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(100, L"Arial"));
    LOGFONT logFont = {};
    EXPECT_EQ(font.GetLogFont(&logFont), static_cast<int>(sizeof(LOGFONT)));
    EXPECT_EQ(logFont.lfHeight, -::MulDiv(10, ScreenLogPixelsY(), 72));
    EXPECT_STREQ(logFont.lfFaceName, L"Arial");

    // In MM_LOENGLISH a logical unit is 1/100 inch: 72 points are 100 units, give or take
    // the rounding through device pixels.
    MemoryDC mem;
    mem.dc().SetMapMode(MM_LOENGLISH);
    CFont inchFont;
    ASSERT_TRUE(inchFont.CreatePointFont(720, L"Arial", &mem.dc()));
    inchFont.GetLogFont(&logFont);
    EXPECT_NEAR(logFont.lfHeight, -100, 2);

    // The other fields of the description are kept.
    LOGFONT bold = {};
    bold.lfHeight = 120;
    bold.lfWeight = FW_BOLD;
    bold.lfItalic = TRUE;
    ::lstrcpy(bold.lfFaceName, L"Arial");
    CFont boldFont;
    ASSERT_TRUE(boldFont.CreatePointFontIndirect(&bold));
    boldFont.GetLogFont(&logFont);
    EXPECT_EQ(logFont.lfHeight, -::MulDiv(12, ScreenLogPixelsY(), 72));
    EXPECT_EQ(logFont.lfWeight, FW_BOLD);
    EXPECT_TRUE(logFont.lfItalic);
}

TEST(GdiTest, AnisotropicMappingConvertsPointsRectsAndSizes)
{
    MemoryDC mem;
    CDC& dc = mem.dc();
    EXPECT_EQ(dc.SetMapMode(MM_ANISOTROPIC), MM_TEXT);
    dc.SetWindowExt(1000, 1000);
    dc.SetViewportExt(100, -50);
    dc.SetViewportOrg(10, 20);
    EXPECT_EQ(dc.GetViewportOrg(), CPoint(10, 20));
    EXPECT_EQ(dc.GetWindowExt(), CSize(1000, 1000));

    CPoint point(500, 200);
    dc.LPtoDP(&point);
    EXPECT_EQ(point, CPoint(60, 10));
    dc.DPtoLP(&point);
    EXPECT_EQ(point, CPoint(500, 200));

    CRect rect(0, 0, 100, 100);
    dc.LPtoDP(&rect);
    EXPECT_EQ(rect, CRect(10, 20, 20, 15));

    // Sizes are distances: no origin, no sign.
    CSize size(10, 10);
    dc.DPtoLP(&size);
    EXPECT_EQ(size, CSize(100, 200));
    dc.LPtoDP(&size);
    EXPECT_EQ(size, CSize(10, 10));

    EXPECT_EQ(dc.OffsetViewportOrg(5, 5), CPoint(10, 20));
    EXPECT_EQ(dc.GetViewportOrg(), CPoint(15, 25));
}

TEST(GdiTest, LoEnglishMappingFlipsTheVerticalAxis)
{
    MemoryDC mem;
    CDC& dc = mem.dc();
    dc.SetMapMode(MM_LOENGLISH);
    EXPECT_EQ(dc.GetMapMode(), MM_LOENGLISH);

    // One inch right and down on the device is +100, -100 in hundredths of an inch.
    CPoint point(dc.GetDeviceCaps(LOGPIXELSX), dc.GetDeviceCaps(LOGPIXELSY));
    dc.DPtoLP(&point);
    EXPECT_GT(point.x, 0);
    EXPECT_LT(point.y, 0);
    CPoint back = point;
    dc.LPtoDP(&back);
    EXPECT_NEAR(back.x, dc.GetDeviceCaps(LOGPIXELSX), 1);
    EXPECT_NEAR(back.y, dc.GetDeviceCaps(LOGPIXELSY), 1);

    // An inch in logical units is 2540 HIMETRIC, to a device pixel's precision.
    CSize inch(100, 100);
    dc.LPtoHIMETRIC(&inch);
    const int pixelInHimetric = 2540 / dc.GetDeviceCaps(LOGPIXELSX) + 1;
    EXPECT_NEAR(inch.cx, 2540, pixelInHimetric);
    EXPECT_NEAR(inch.cy, 2540, pixelInHimetric);
    dc.HIMETRICtoLP(&inch);
    EXPECT_NEAR(inch.cx, 100, 2);
    EXPECT_EQ(dc.GetMapMode(), MM_LOENGLISH);
}

TEST(GdiTest, HimetricInTextModeUsesTheLogicalInch)
{
    MemoryDC mem;
    CDC& dc = mem.dc();
    CSize size(dc.GetDeviceCaps(LOGPIXELSX), 2 * dc.GetDeviceCaps(LOGPIXELSY));
    dc.DPtoHIMETRIC(&size);
    EXPECT_EQ(size, CSize(2540, 5080));
    dc.HIMETRICtoDP(&size);
    EXPECT_EQ(size, CSize(dc.GetDeviceCaps(LOGPIXELSX), 2 * dc.GetDeviceCaps(LOGPIXELSY)));
}

TEST(GdiTest, SeparateAttributeDCAnswersQueriesAndOutputDCDraws)
{
    MemoryDC output;
    MemoryDC attributes;
    CDC dc;
    dc.SetOutputDC(output.dc().m_hDC);
    dc.SetAttribDC(attributes.dc().m_hDC);

    dc.SetTextColor(red);
    EXPECT_EQ(::GetTextColor(output.dc().m_hDC), red);
    EXPECT_EQ(::GetTextColor(attributes.dc().m_hDC), red);
    attributes.dc().SetTextColor(blue);
    EXPECT_EQ(dc.GetTextColor(), blue);

    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetViewportOrg(7, 0);
    EXPECT_EQ(output.dc().GetViewportOrg(), CPoint(7, 0));
    attributes.dc().SetViewportOrg(3, 0);
    CPoint point(0, 0);
    dc.LPtoDP(&point);
    EXPECT_EQ(point, CPoint(3, 0));

    // Drawing goes to the output DC, through its own mapping.
    dc.FillSolidRect(CRect(0, 0, 5, 5), green);
    output.dc().SetViewportOrg(0, 0);
    attributes.dc().SetViewportOrg(0, 0);
    EXPECT_EQ(output.dc().GetPixel(7, 0), green);
    EXPECT_EQ(output.dc().GetPixel(6, 0), white);
    EXPECT_TRUE(attributes.Find(green).empty());

    // Both DCs saved together restore together, through -1.
    EXPECT_EQ(dc.SaveDC(), -1);
    dc.SetBkMode(TRANSPARENT);
    EXPECT_TRUE(dc.RestoreDC(-1));
    EXPECT_EQ(output.dc().GetBkMode(), OPAQUE);
    EXPECT_EQ(attributes.dc().GetBkMode(), OPAQUE);

    dc.ReleaseOutputDC();
    dc.ReleaseAttribDC();
    EXPECT_EQ(dc.GetSafeHdc(), nullptr);
}

TEST(GdiTest, ClippingLimitsOutput)
{
    MemoryDC mem;
    CDC& dc = mem.dc();
    EXPECT_EQ(dc.IntersectClipRect(CRect(5, 5, 15, 15)), SIMPLEREGION);
    EXPECT_EQ(dc.ExcludeClipRect(8, 8, 10, 10), COMPLEXREGION);
    CRect box;
    EXPECT_EQ(dc.GetClipBox(&box), COMPLEXREGION);
    EXPECT_EQ(box, CRect(5, 5, 15, 15));
    EXPECT_TRUE(dc.PtVisible(5, 5));
    EXPECT_FALSE(dc.PtVisible(9, 9));
    EXPECT_FALSE(dc.RectVisible(CRect(20, 20, 30, 30)));

    dc.FillSolidRect(0, 0, MemoryDC::width, MemoryDC::height, red);
    EXPECT_EQ(mem.Find(red).size(), 10u * 10u - 2u * 2u);
    EXPECT_EQ(dc.GetPixel(9, 9), white);

    CRgn region;
    ASSERT_TRUE(region.CreateRectRgn(30, 20, 35, 25));
    EXPECT_EQ(dc.SelectClipRgn(&region), SIMPLEREGION);
    dc.FillSolidRect(0, 0, MemoryDC::width, MemoryDC::height, blue);
    EXPECT_EQ(mem.Find(blue).size(), 25u);

    // No region: no clipping.
    EXPECT_EQ(dc.SelectClipRgn(nullptr), SIMPLEREGION);
    dc.FillSolidRect(0, 0, MemoryDC::width, MemoryDC::height, green);
    EXPECT_EQ(mem.Find(green).size(), static_cast<size_t>(MemoryDC::width * MemoryDC::height));
}

TEST(GdiTest, RegionsCombineAndAnswerHitTests)
{
    CRgn left, right, both;
    ASSERT_TRUE(left.CreateRectRgn(0, 0, 10, 10));
    ASSERT_TRUE(right.CreateRectRgnIndirect(CRect(20, 0, 30, 10)));
    ASSERT_TRUE(both.CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(both.CombineRgn(&left, &right, RGN_OR), COMPLEXREGION);
    EXPECT_TRUE(both.PtInRegion(5, 5));
    EXPECT_FALSE(both.PtInRegion(CPoint(15, 5)));
    EXPECT_TRUE(both.PtInRegion(29, 9));
    CRect box;
    EXPECT_EQ(both.GetRgnBox(&box), COMPLEXREGION);
    EXPECT_EQ(box, CRect(0, 0, 30, 10));
    EXPECT_EQ(both.CombineRgn(&left, &right, RGN_AND), NULLREGION);

    EXPECT_EQ(both.CopyRgn(&left), SIMPLEREGION);
    EXPECT_TRUE(both.EqualRgn(&left));
    both.SetRectRgn(CRect(1, 2, 3, 4));
    both.GetRgnBox(&box);
    EXPECT_EQ(box, CRect(1, 2, 3, 4));
    EXPECT_EQ(both.OffsetRgn(CPoint(10, 10)), SIMPLEREGION);
    EXPECT_TRUE(both.PtInRegion(11, 12));

    // Round corners leave the corner pixel out.
    CRgn round;
    ASSERT_TRUE(round.CreateRoundRectRgn(0, 0, 40, 40, 20, 20));
    EXPECT_FALSE(round.PtInRegion(0, 0));
    EXPECT_TRUE(round.PtInRegion(20, 0));
    EXPECT_TRUE(round.PtInRegion(20, 20));
}

TEST(GdiTest, BitmapBitsAndBlits)
{
    // A 2x2, 32-bit bitmap: blue, green / red, white, as BGRA words.
    const DWORD bits[] = {0x000000FF, 0x0000FF00, 0x00FF0000, 0x00FFFFFF};
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(2, 2, 1, 32, bits));
    BITMAP info = {};
    EXPECT_EQ(bitmap.GetBitmap(&info), static_cast<int>(sizeof(BITMAP)));
    EXPECT_EQ(info.bmWidth, 2);
    EXPECT_EQ(info.bmHeight, 2);
    EXPECT_EQ(info.bmBitsPixel, 32);
    DWORD copy[4] = {};
    EXPECT_EQ(bitmap.GetBitmapBits(sizeof(copy), copy), sizeof(copy));
    EXPECT_EQ(copy[2], bits[2]);

    CDC source;
    ASSERT_TRUE(source.CreateCompatibleDC(nullptr));
    CBitmap* pOld = source.SelectObject(&bitmap);
    EXPECT_EQ(source.GetPixel(0, 0), blue);
    EXPECT_EQ(source.GetPixel(0, 1), red);

    MemoryDC mem;
    EXPECT_TRUE(mem.dc().BitBlt(10, 10, 2, 2, &source, 0, 0, SRCCOPY));
    EXPECT_EQ(mem.dc().GetPixel(11, 10), green);
    EXPECT_EQ(mem.dc().GetPixel(10, 11), red);
    EXPECT_TRUE(mem.dc().StretchBlt(20, 20, 4, 4, &source, 0, 0, 2, 2, SRCCOPY));
    EXPECT_EQ(mem.dc().GetPixel(21, 21), blue);
    EXPECT_EQ(mem.dc().GetPixel(23, 21), green);
    EXPECT_EQ(mem.dc().GetPixel(21, 23), red);
    EXPECT_TRUE(mem.dc().PatBlt(0, 0, 3, 3, BLACKNESS));
    EXPECT_EQ(mem.dc().GetPixel(2, 2), RGB(0, 0, 0));
    EXPECT_EQ(mem.dc().SetPixel(CPoint(3, 3), red), red);
    EXPECT_EQ(mem.dc().GetPixel(3, 3), red);

    source.SelectObject(pOld);
    const DWORD black[4] = {};
    EXPECT_EQ(bitmap.SetBitmapBits(sizeof(black), black), sizeof(black));
    source.SelectObject(&bitmap);
    EXPECT_EQ(source.GetPixel(1, 1), RGB(0, 0, 0));
    source.SelectObject(pOld);
}

TEST(GdiTest, SystemBitmapsLoad)
{
    CBitmap check;
    ASSERT_TRUE(check.LoadOEMBitmap(OBM_CHECK));
    BITMAP info = {};
    check.GetBitmap(&info);
    EXPECT_GT(info.bmWidth, 0);
    CBitmap missing;
    EXPECT_FALSE(missing.LoadBitmap(63099));
}

TEST(GdiTest, TextIsDrawnAndMeasured)
{
    MemoryDC mem;
    CDC& dc = mem.dc();
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(120, L"Arial"));
    CFont* pOldFont = dc.SelectObject(&font);

    const CString shortText(L"Hi");
    const CString longText(L"Hi there, world");
    const CSize shortSize = dc.GetTextExtent(shortText);
    EXPECT_GT(shortSize.cx, 0);
    EXPECT_LT(shortSize.cx, dc.GetTextExtent(longText).cx);
    EXPECT_EQ(dc.GetOutputTextExtent(shortText), shortSize);
    TEXTMETRIC metrics = {};
    EXPECT_TRUE(dc.GetTextMetrics(&metrics));
    EXPECT_EQ(shortSize.cy, metrics.tmHeight);
    CString face;
    EXPECT_GT(dc.GetTextFace(face), 0);
    EXPECT_FALSE(face.IsEmpty());

    // DT_CALCRECT measures without drawing.
    CRect rect(0, 0, 0, 0);
    const int height = dc.DrawText(longText, rect, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(height, metrics.tmHeight);
    EXPECT_EQ(rect.Width(), dc.GetTextExtent(longText).cx);
    EXPECT_TRUE(mem.Find(RGB(0, 0, 0)).empty());

    dc.SetTextColor(red);
    dc.SetBkMode(TRANSPARENT);
    CRect target(0, 0, MemoryDC::width, MemoryDC::height);
    EXPECT_GT(dc.DrawText(L"WW", -1, target, DT_LEFT | DT_TOP), 0);
    const size_t drawn = mem.Find(red).size();
    EXPECT_GT(drawn, 0u);
    EXPECT_TRUE(dc.TextOut(0, 15, shortText));
    EXPECT_GT(mem.Find(red).size(), drawn);

    // DrawTextEx draws a copy: the caller's string is left as it was.
    CString ellipsis(L"A long text that cannot fit");
    CRect narrow(0, 0, 30, 20);
    dc.DrawTextEx(ellipsis, narrow, DT_END_ELLIPSIS | DT_MODIFYSTRING | DT_SINGLELINE, nullptr);
    EXPECT_EQ(ellipsis, CString(L"A long text that cannot fit"));

    dc.SelectObject(pOldFont);
}
} // namespace
