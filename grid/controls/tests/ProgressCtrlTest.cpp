#include "GridTestSupport.h"

#include <grid/controls/ProgressCtrl.h>
#include <grid/core/AbstractUserAttribute.h>
#include <grid/core/AppData.h>
#include <grid/core/GridParam.h>
#include <grid/core/Properties.h>
#include <grid/core/Style.h>
#include <testing/FakeThemeLibrary.h>
#include <testing/MemoryCanvas.h>

#include <gtest/gtest.h>

namespace
{
constexpr WORD idProgress = 52536;
constexpr WORD idsLower = 51025;
constexpr WORD idsUpper = 51026;
constexpr WORD idsCaption = 51027;
constexpr COLORREF rgbBar = RGB(0, 0, 200);
constexpr COLORREF rgbRest = RGB(250, 250, 0);
constexpr COLORREF rgbFill = RGB(1, 2, 3);

// Column 2 holds progress bars from 0 to 100, blue on yellow.
class ProgressCtrlTest : public HiddenGridTest
{
protected:
    void SetUp() override
    {
        HiddenGridTest::SetUp();
        m_grid.SetStyleRangeShort(CGXRange().SetCols(2, 2), CGXStyle()
                                                                .SetControl(idProgress)
                                                                .SetUserAttribute(idsLower, _T("0"))
                                                                .SetUserAttribute(idsUpper, _T("100"))
                                                                .SetTextColor(rgbBar)
                                                                .SetInteriorColor(rgbRest));
        m_pProgress = static_cast<CGXProgressCtrl*>(m_grid.GetRegisteredControl(idProgress));
    }
    CString StoreAndRead(LPCTSTR pszValue)
    {
        m_grid.SetValueRange(CGXRange(1, 2), pszValue);
        return m_grid.GetValueRowCol(1, 2);
    }
    // Draws a 200 x 20 cell at (0, 0) with the style.
    void Draw(MemoryCanvas& canvas, const CGXStyle& style)
    {
        CGXStyle composed(*m_grid.GetComposedStyle(1, 2));
        composed.ChangeStyle(style, CGXStyle::modeOverride);
        m_pProgress->Draw(&canvas.Dc(), CRect(0, 0, 200, 20), 1, 2, composed, nullptr);
    }

    CGXProgressCtrl* m_pProgress = nullptr;
};

TEST_F(ProgressCtrlTest, HalfTheRangeFillsHalfTheCell)
{
    ASSERT_NE(m_pProgress, nullptr);
    MemoryCanvas canvas(220, 30, rgbFill);
    Draw(canvas, CGXStyle().SetValue(_T("50")));
    EXPECT_EQ(canvas.Pixel(0, 10), rgbBar);
    EXPECT_EQ(canvas.Pixel(99, 10), rgbBar);
    EXPECT_EQ(canvas.Pixel(100, 10), rgbRest);
    EXPECT_EQ(canvas.Pixel(199, 10), rgbRest);
    EXPECT_EQ(canvas.Pixel(200, 10), rgbFill);
    CRect rectBar;
    m_pProgress->CalcBarRect(rectBar, 150, CRect(0, 0, 200, 20), *m_grid.GetComposedStyle(1, 2));
    EXPECT_EQ(rectBar, CRect(0, 0, 200, 20)) << "a value above the range fills the cell";
}

TEST_F(ProgressCtrlTest, EqualOrMissingBoundsDrawAnEmptyBar)
{
    MemoryCanvas canvas(220, 30, rgbFill);
    for (LPCTSTR pszBound : {_T("100"), _T("")})
    {
        Draw(canvas, CGXStyle().SetValue(_T("100")).SetUserAttribute(idsLower, pszBound).SetUserAttribute(idsUpper,
                                                                                                          pszBound));
        EXPECT_EQ(canvas.Pixel(0, 10), rgbRest) << CW2A(pszBound);
        EXPECT_EQ(canvas.Pixel(199, 10), rgbRest);
    }
}

TEST_F(ProgressCtrlTest, StoredValuesAreClampedToTheBoundsThatAreSet)
{
    EXPECT_EQ(StoreAndRead(_T("150")), _T("100"));
    EXPECT_EQ(StoreAndRead(_T("-5")), _T("0"));
    EXPECT_EQ(StoreAndRead(_T("40")), _T("40"));
    m_grid.SetStyleRangeShort(CGXRange(1, 2),
                              CGXStyle().SetUserAttribute(idsLower, _T("10")).SetUserAttribute(idsUpper, _T("0")));
    EXPECT_EQ(StoreAndRead(_T("5")), _T("10"));
    EXPECT_EQ(StoreAndRead(_T("50")), _T("10"));
    // Bounds given with the value count before the cell's.
    m_grid.SetStyleRangeShort(CGXRange(1, 2), CGXStyle().SetValue(_T("500")).SetUserAttribute(idsUpper, _T("300")));
    EXPECT_EQ(m_grid.GetValueRowCol(1, 2), _T("300"));
    m_grid.SetStyleRangeShort(CGXRange(2, 3), CGXStyle().SetControl(idProgress));
    m_grid.SetValueRange(CGXRange(2, 3), _T("1234"));
    EXPECT_EQ(m_grid.GetValueRowCol(2, 3), _T("1234")) << "no bounds, nothing lost";
}

TEST_F(ProgressCtrlTest, CaptionsTakeOneIntegerConversionOnly)
{
    const struct
    {
        LPCTSTR pszCaption;
        long nValue;
        LPCTSTR pszExpected;
    } cases[] = {
        {_T("%d %%"), 42, _T("42 %")},  {_T("%ld of 100"), 7, _T("7 of 100")}, {_T("%3i|"), 5, _T("  5|")},
        {_T("%u"), 9, _T("9")},         {_T("%s%n"), 1, _T("%s%n")},          {_T("%d %d"), 1, _T("%d %d")},
        {_T("50%"), 1, _T("50%")},      {_T("plain"), 3, _T("plain")},        {_T("%x"), 3, _T("%x")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CGXProgressCtrl::FormatCaption(c.pszCaption, c.nValue), c.pszExpected) << CW2A(c.pszCaption);
}

TEST_F(ProgressCtrlTest, TheCaptionIsInvertedOverTheBarAndLeftOutWhenTooWide)
{
    MemoryCanvas canvas(220, 30, rgbFill);
    // A caption of block characters centred over a bar that ends at x 100.
    Draw(canvas, CGXStyle().SetValue(_T("50")).SetUserAttribute(idsCaption, _T("%d %%")));
    int nOnBar = 0;
    int nOnRest = 0;
    for (int x = 0; x < 200; ++x)
        for (int y = 0; y < 20; ++y)
        {
            const COLORREF rgb = canvas.Pixel(x, y);
            nOnBar += x < 100 && rgb == rgbRest;
            nOnRest += x >= 100 && rgb == rgbBar;
        }
    EXPECT_GT(nOnBar, 0) << "caption pixels in the rest colour over the bar";
    EXPECT_GT(nOnRest, 0) << "caption pixels in the bar colour over the rest";

    MemoryCanvas wide(220, 30, rgbFill);
    Draw(wide, CGXStyle().SetValue(_T("0")).SetUserAttribute(idsCaption, CString(_T('W'), 100)));
    for (int x = 0; x < 200; x += 3)
        ASSERT_EQ(wide.Pixel(x, 10), rgbRest) << x;
}

TEST_F(ProgressCtrlTest, APrintedCaptionIsUnclippedOnlyWithTheApplicationsSetting)
{
    const struct
    {
        BOOL bPrinting, bNoClip, bClipped;
    } cases[] = {{FALSE, FALSE, TRUE}, {FALSE, TRUE, TRUE}, {TRUE, FALSE, TRUE}, {TRUE, TRUE, FALSE}};
    for (const auto& c : cases)
    {
        m_grid.m_bPrinting = c.bPrinting;
        m_grid.GetAppData()->m_bNoClipWhilePrinting = c.bNoClip;
        MemoryCanvas canvas(220, 30, rgbFill);
        Draw(canvas, CGXStyle().SetValue(_T("50")).SetUserAttribute(idsCaption, _T("%d %%")));
        // Unclipped, the caption's second drawing covers its first right of the bar too, in the
        // colour of the rest.
        int nOnRest = 0;
        for (int x = 100; x < 200; ++x)
            for (int y = 0; y < 20; ++y)
                nOnRest += canvas.Pixel(x, y) == rgbBar;
        EXPECT_EQ(nOnRest > 0, c.bClipped) << c.bPrinting << c.bNoClip;
    }
    m_grid.m_bPrinting = FALSE;
    m_grid.GetAppData()->m_bNoClipWhilePrinting = FALSE;
}

TEST_F(ProgressCtrlTest, BlackAndWhiteAndEdges)
{
    m_grid.GetProperties()->m_bBlackWhite = TRUE;
    MemoryCanvas canvas(220, 30, rgbFill);
    Draw(canvas, CGXStyle().SetValue(_T("50")));
    EXPECT_EQ(canvas.Pixel(50, 10), RGB(0, 0, 0));
    EXPECT_EQ(canvas.Pixel(150, 10), RGB(255, 255, 255));
    m_grid.GetProperties()->m_bBlackWhite = FALSE;
    for (int nFrame : {1, 2})
    {
        Draw(canvas, CGXStyle().SetValue(_T("50")).SetDraw3dFrame(nFrame));
        EXPECT_NE(canvas.Pixel(0, 10), rgbBar) << nFrame;
        EXPECT_NE(canvas.Pixel(0, 10), canvas.Pixel(99, 10)) << "raised and sunken edges differ by side";
        EXPECT_EQ(canvas.Pixel(50, 10), rgbBar);
    }
}

TEST_F(ProgressCtrlTest, VisualStylesDrawTheBarAndTheChunk)
{
    FakeThemeLibrary themed;
    MemoryCanvas canvas(220, 30, rgbFill);
    Draw(canvas, CGXStyle().SetValue(_T("50")));
    EXPECT_EQ(themed.State().classes, std::vector<std::wstring>{L"PROGRESS"});
    EXPECT_EQ(themed.State().parts, (std::vector<std::pair<int, int>>{{1, 0}, {3, 0}}));
}
} // namespace
