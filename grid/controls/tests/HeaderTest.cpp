#include "GridTestSupport.h"

#include <grid/controls/Header.h>
#include <grid/core/AbstractImps.h>
#include <grid/core/AppData.h>
#include <grid/core/GridParam.h>
#include <grid/core/Properties.h>
#include <grid/core/Style.h>
#include <testing/MemoryCanvas.h>
#include <toolkit/foundation/VisualStyle.h>

#include <gtest/gtest.h>

namespace
{
constexpr COLORREF rgbFill = RGB(1, 2, 3);
constexpr COLORREF rgbBlack = RGB(0, 0, 0);
constexpr COLORREF rgbGrey = RGB(128, 128, 128);
constexpr COLORREF rgbWhite = RGB(255, 255, 255);

// Tells whether the last font the grid loaded was bold.
class FontRecordingGrid : public TestGrid
{
public:
    CFont* LoadFont(CDC* pDC, const CGXStyle& style, const CGXStyle* pCompare) override
    {
        m_bLastBold = style.GetFont().GetBold();
        return TestGrid::LoadFont(pDC, style, pCompare);
    }
    BOOL m_bLastBold = FALSE;
};

// Keeps the length of each rotated text instead of drawing it.
class RecordingRotatedText : public CGXAbstractDrawRotatedTextImp
{
public:
    int DrawRotatedText(CDC*, LPCTSTR, int nLength, int, int, int, int, UINT, int nOrientation, const CRect*) override
    {
        m_lengths.push_back(nLength);
        m_nOrientation = nOrientation;
        return 0;
    }
    std::vector<int> m_lengths;
    int m_nOrientation = 0;
};

class HeaderTest : public HiddenGridOfTest<FontRecordingGrid>
{
protected:
    void SetUp() override
    {
        HiddenGridOfTest<FontRecordingGrid>::SetUp();
        if (SECIsThemeActive() && SECIsAppThemed())
            GTEST_SKIP() << "the header faces here are those drawn without visual styles";
    }

    // Draws the header (nRow, 0) with its composed style into a fresh canvas.
    void DrawRowHeader(MemoryCanvas& canvas, ROWCOL nRow)
    {
        m_header.Draw(&canvas.Dc(), m_rect, nRow, 0, *m_grid.GetComposedStyle(nRow, 0), nullptr);
    }
    CRect Inner(ROWCOL nRow)
    {
        CRect inner;
        m_grid.CalcCellInnerRect(inner, m_rect, *m_grid.GetComposedStyle(nRow, 0), TRUE);
        return inner;
    }
    void SelectRow(ROWCOL nRow)
    {
        m_grid.GetParam()->m_SelRects.AddTail(new CGXRange(nRow, 1, nRow, 2));
    }

    CGXHeader m_header{&m_grid};
    const CRect m_rect{0, 0, 60, 30};
};

TEST_F(HeaderTest, AHeaderOnePixelWideOrHighDrawsNothing)
{
    for (const CRect& rect : {CRect(10, 0, 11, 30), CRect(0, 10, 60, 11)})
    {
        MemoryCanvas canvas(70, 40, rgbFill);
        m_header.Draw(&canvas.Dc(), rect, 3, 0, *m_grid.GetComposedStyle(3, 0), nullptr);
        for (int y = 0; y < 40; y += 3)
            for (int x = 0; x < 70; x += 3)
                ASSERT_EQ(canvas.Pixel(x, y), rgbFill) << x << "," << y;
    }
}

TEST_F(HeaderTest, SelectedRowsMarkTheirHeadersAsTheirPropertySays)
{
    SelectRow(3);
    EXPECT_NE(m_header.ForwardFeatureC(3, 0, 0), 0);
    EXPECT_EQ(m_header.ForwardFeatureC(4, 0, 0), 0);
    EXPECT_NE(m_header.ForwardFeatureC(0, 2, 0), 0);
    EXPECT_EQ(m_header.ForwardFeatureC(0, 3, 0), 0);
    m_grid.GetProperties()->m_bMarkRowHeader = FALSE;
    EXPECT_EQ(m_header.ForwardFeatureC(3, 0, 0), 0);
    EXPECT_NE(m_header.ForwardFeatureC(0, 2, 0), 0);
}

TEST_F(HeaderTest, RaisedLookPressesMarkedHeadersAndFillsThemWhenHighlighting)
{
    SelectRow(3);
    const CRect i = Inner(3);
    const int y = i.top + 2;
    {
        MemoryCanvas canvas(70, 40, rgbFill);
        DrawRowHeader(canvas, 4);
        EXPECT_EQ(canvas.Pixel(i.left, y), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        EXPECT_EQ(canvas.Pixel(i.right - 2, y), rgbBlack);
    }
    {
        MemoryCanvas canvas(70, 40, rgbFill);
        DrawRowHeader(canvas, 3);
        EXPECT_EQ(canvas.Pixel(i.right - 1, y), rgbBlack);
        EXPECT_EQ(canvas.Pixel(i.left + 1, i.bottom - 1), rgbBlack);
        EXPECT_NE(canvas.Pixel(i.left + 1, y), 0x005FB4FFu);
    }
    m_header.SetHighlightSelected(TRUE);
    ASSERT_EQ(m_header.GetHighlightColor(), 0x005FB4FFu);
    MemoryCanvas canvas(70, 40, rgbFill);
    DrawRowHeader(canvas, 3);
    EXPECT_EQ(canvas.Pixel(i.left + 1, y), 0x005FB4FFu);
    EXPECT_EQ(canvas.Pixel(i.right - 1, y), rgbBlack);
    m_header.SetHighlightColor(RGB(0, 0, 200));
    DrawRowHeader(canvas, 3);
    EXPECT_EQ(canvas.Pixel(i.left + 1, y), RGB(0, 0, 200));
}

TEST_F(HeaderTest, FlatLookInvertsMarkingAndBoldsTheCurrentRowsHeader)
{
    m_grid.GetParam()->m_bFlatHeaders = TRUE;
    m_grid.SetCurrentCell(3, 2);
    SelectRow(3);
    const CRect i = Inner(3);
    const int y = i.top + 2;

    MemoryCanvas unselected(70, 40, rgbFill);
    DrawRowHeader(unselected, 4);
    EXPECT_FALSE(m_grid.m_bLastBold);
    EXPECT_EQ(unselected.Pixel(i.left, y), rgbWhite);
    EXPECT_EQ(unselected.Pixel(i.right - 1, y), rgbGrey);

    MemoryCanvas current(70, 40, rgbFill);
    DrawRowHeader(current, 3);
    EXPECT_TRUE(m_grid.m_bLastBold);
    EXPECT_EQ(current.Pixel(i.left, y), rgbWhite);
    EXPECT_EQ(current.Pixel(i.right - 1, y), rgbBlack);
    EXPECT_EQ(current.Pixel(i.right - 2, y), rgbGrey);

    m_grid.GetParam()->m_bFlatHeaders = FALSE;
    DrawRowHeader(current, 3);
    EXPECT_FALSE(m_grid.m_bLastBold);
}

TEST_F(HeaderTest, ARotatedTextIsCutTo2048Characters)
{
    RecordingRotatedText recorder;
    CGXAbstractDrawRotatedTextImp*& pImp = GXGetAppDataPtr()->m_pDrawRotatedTextImp;
    CGXAbstractDrawRotatedTextImp* pOld = pImp;
    pImp = &recorder;
    CGXStyle style(*m_grid.GetComposedStyle(0, 1));
    CGXFont font(style.GetFont());
    font.SetOrientation(900);
    style.SetFont(font);
    for (int nLength : {3000, 20})
    {
        style.SetValue(CString(_T('x'), nLength));
        MemoryCanvas canvas(70, 40, rgbFill);
        m_header.Draw(&canvas.Dc(), m_rect, 0, 1, style, nullptr);
    }
    pImp = pOld;
    EXPECT_EQ(recorder.m_lengths, (std::vector<int>{2048, 20}));
    EXPECT_EQ(recorder.m_nOrientation, 900);
}

TEST_F(HeaderTest, PrintingDrawsNoFace)
{
    const CRect i = Inner(4);
    m_grid.m_bPrinting = TRUE;
    MemoryCanvas canvas(70, 40, rgbFill);
    DrawRowHeader(canvas, 4);
    m_grid.m_bPrinting = FALSE;
    const COLORREF rgbBackground = canvas.Pixel(i.left + 2, i.top + 2);
    EXPECT_EQ(canvas.Pixel(i.left, i.top + 2), rgbBackground);
    EXPECT_EQ(canvas.Pixel(i.right - 2, i.top + 2), rgbBackground);
    EXPECT_EQ(canvas.Pixel(i.left + 2, i.bottom - 2), rgbBackground);
}

TEST_F(HeaderTest, FactoryMakesHeadersForTheHeaderStyles)
{
    CGXControl* pControl = m_grid.GetControl(0, 1);
    ASSERT_NE(pControl, nullptr);
    EXPECT_TRUE(pControl->IsControlKindOf(&CGXHeader::classCGXHeader));
    EXPECT_TRUE(m_grid.GetControl(2, 0)->IsControlKindOf(&CGXHeader::classCGXHeader));
}
} // namespace
