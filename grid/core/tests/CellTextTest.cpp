#include "GridTestSupport.h"

#include <grid/core/DrawingAndFormatting.h>
#include <grid/core/Properties.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>
#include <testing/MemoryCanvas.h>

#include <gtest/gtest.h>

namespace
{
constexpr COLORREF rgbText = RGB(255, 0, 0);
constexpr COLORREF rgbInterior = RGB(0, 0, 255);

// A static-text control that shows the style's value two pixels inside the cell, fills the
// background with the interior colour and counts what it is asked to draw.
class TextControl : public CGXControl
{
public:
    using CGXControl::CGXControl;

    BOOL FormatDisplayText(CString& strOut, ROWCOL, ROWCOL, LPCTSTR, const CGXStyle& style) override
    {
        strOut = style.GetValue();
        return !strOut.IsEmpty();
    }
    CRect GetCellClientRect(CRect& rectOut, ROWCOL, ROWCOL, const CRect* pRect, const CGXStyle*) override
    {
        rectOut = *pRect;
        rectOut.DeflateRect(2, 2);
        return rectOut;
    }
    void DrawBackground(CDC* pDC, const CRect& rect, const CGXStyle& style, BOOL) override
    {
        ++m_nBackgrounds;
        GXFillColorRect(pDC, rect, style.GetInterior().GetColor());
    }
    void DrawCurrentCellFrame(CDC*, const CRect&) override
    {
        ++m_nFrames;
    }

    int m_nBackgrounds = 0;
    int m_nFrames = 0;
};

// Records how the cell text reaches the text routines, with the device context's state then.
class RecordingDrawing : public CGXDrawingAndFormatting
{
public:
    struct Call
    {
        CString strRoutine;
        CString strText;
        UINT nFormat;
        int nArgument; // overflow mode or orientation
        CRect rect;
        COLORREF rgbText;
        COLORREF rgbBack;
        int nBkMode;
        UINT nTextAlign;
    };

    void DrawTextPlain(CDC* pDC, LPCTSTR pszText, int nLength, const CRect& rect, UINT nFormat, const CRect&) override
    {
        Record(_T("plain"), pDC, pszText, nLength, rect, nFormat, 0);
    }
    void DrawTextOverflow(CDC* pDC, LPCTSTR pszText, int nLength, const CRect& rect, UINT nFormat, const CRect&,
                          int nMode) override
    {
        Record(_T("overflow"), pDC, pszText, nLength, rect, nFormat, nMode);
    }
    int DrawRotatedText(CDC* pDC, LPCTSTR pszText, int nLength, int nLeft, int nTop, int nRight, int nBottom,
                        UINT nFormat, int nOrientation, const CRect*) override
    {
        Record(_T("rotated"), pDC, pszText, nLength, CRect(nLeft, nTop, nRight, nBottom), nFormat, nOrientation);
        return 0;
    }

    std::vector<Call> m_calls;

private:
    void Record(LPCTSTR pszRoutine, CDC* pDC, LPCTSTR pszText, int nLength, const CRect& rect, UINT nFormat,
                int nArgument)
    {
        m_calls.push_back({pszRoutine, CString(pszText, nLength), nFormat, nArgument, rect, pDC->GetTextColor(),
                           pDC->GetBkColor(), pDC->GetBkMode(), pDC->GetTextAlign()});
    }
};

class CellTextTest : public HiddenGridTest
{
protected:
    void TearDown() override
    {
        m_grid.SetPrinting(FALSE);
        HiddenGridTest::TearDown();
    }
    static CGXStyle TextStyle()
    {
        CGXStyle style;
        style.SetValue(_T("Hello")).SetTextColor(rgbText).SetInteriorColor(rgbInterior).SetWrapText(FALSE);
        return style;
    }
    void Draw(CGXDrawingAndFormatting& drawing, CDC& dc, const CGXStyle& style)
    {
        Draw(drawing, dc, style, m_cell);
    }
    void Draw(CGXDrawingAndFormatting& drawing, CDC& dc, const CGXStyle& style, const CRect& rect)
    {
        drawing.DrawCellText(&m_control, &dc, rect, 1, 1, style, m_grid.GetStandardStyle());
    }

    const CRect m_cell{10, 10, 110, 40};
    TextControl m_control{&m_grid};
};
} // namespace

TEST_F(CellTextTest, FlagsColoursAndRoutineComeFromTheStyle)
{
    struct Case
    {
        const char* pszName;
        void (*pfnPrepare)(CGXStyle& style, CGXGridCore& grid);
        LPCTSTR pszRoutine;
        UINT nFormat;
        int nArgument;
        COLORREF rgbText, rgbBack;
    };
    const Case cases[] = {
        {"single line", [](CGXStyle&, CGXGridCore&) {}, _T("plain"), 0x820, 0, rgbText, rgbInterior},
        {"wrapped, right, centred vertically",
         [](CGXStyle& s, CGXGridCore&) {
             s.SetWrapText(TRUE).SetHorizontalAlignment(DT_RIGHT).SetVerticalAlignment(DT_VCENTER);
         },
         _T("plain"), 0x810 | DT_RIGHT | DT_VCENTER, 0, rgbText, rgbInterior},
        {"centred, printed in black and white",
         [](CGXStyle& s, CGXGridCore& grid) {
             s.SetHorizontalAlignment(DT_CENTER);
             grid.GetProperties()->m_bBlackWhite = TRUE;
             grid.GetProperties()->m_bPrintBlackWhite = TRUE;
             grid.SetPrinting(TRUE);
         },
         _T("plain"), 0x820 | DT_CENTER, 0, RGB(0, 0, 0), RGB(255, 255, 255)},
        {"ellipsis", [](CGXStyle& s, CGXGridCore&) { s.SetUserAttribute(GX_IDS_UA_ELLIPSIS_TYPE, _T("1")); },
         _T("overflow"), 0x820, 1, rgbText, rgbInterior},
        {"rotated", [](CGXStyle& s, CGXGridCore&) { s.SetFont(CGXFont().SetOrientation(900)); }, _T("rotated"), 0x820,
         900, rgbText, rgbInterior},
    };
    for (const Case& c : cases)
    {
        m_grid.SetPrinting(FALSE);
        m_grid.GetProperties()->m_bBlackWhite = FALSE;
        CGXStyle style = TextStyle();
        c.pfnPrepare(style, m_grid);
        MemoryCanvas canvas(120, 50, RGB(255, 255, 255));
        RecordingDrawing drawing;
        Draw(drawing, canvas.Dc(), style);

        ASSERT_EQ(drawing.m_calls.size(), 1u) << c.pszName;
        const RecordingDrawing::Call& call = drawing.m_calls[0];
        EXPECT_EQ(call.strRoutine, c.pszRoutine) << c.pszName;
        EXPECT_EQ(call.strText, _T("Hello")) << c.pszName;
        EXPECT_EQ(call.nFormat, c.nFormat) << c.pszName;
        EXPECT_EQ(call.nArgument, c.nArgument) << c.pszName;
        EXPECT_EQ(call.rect, CRect(12, 12, 108, 38)) << c.pszName;
        EXPECT_EQ(call.rgbText, c.rgbText) << c.pszName;
        EXPECT_EQ(call.rgbBack, c.rgbBack) << c.pszName;
        EXPECT_EQ(call.nBkMode, TRANSPARENT) << c.pszName;
    }
}

TEST_F(CellTextTest, RightToLeftReadingIsSetForTheTextOnly)
{
    CGXStyle style = TextStyle();
    style.SetUserAttribute(GX_IDS_UA_RTL_READING, _T("1"));
    MemoryCanvas canvas(120, 50, RGB(255, 255, 255));
    RecordingDrawing drawing;
    Draw(drawing, canvas.Dc(), style);
    ASSERT_EQ(drawing.m_calls.size(), 1u);
    EXPECT_TRUE(drawing.m_calls[0].nTextAlign & TA_RTLREADING);
    EXPECT_FALSE(canvas.Dc().GetTextAlign() & TA_RTLREADING);
}

TEST_F(CellTextTest, EmptyCellGetsItsBackgroundButNoText)
{
    CGXStyle style = TextStyle();
    style.SetValue(_T(""));
    MemoryCanvas canvas(120, 50, RGB(255, 255, 255));
    RecordingDrawing drawing;
    Draw(drawing, canvas.Dc(), style);
    EXPECT_TRUE(drawing.m_calls.empty());
    EXPECT_EQ(m_control.m_nBackgrounds, 1);
    EXPECT_EQ(canvas.Pixel(50, 20), rgbInterior);

    Draw(drawing, canvas.Dc(), TextStyle(), CRect(10, 10, 11, 40));
    EXPECT_TRUE(drawing.m_calls.empty()) << "a cell narrower than 2 pixels is not drawn";
    EXPECT_EQ(m_control.m_nBackgrounds, 1);
}

TEST_F(CellTextTest, TextIsDrawnInItsColourOverTheInteriorAndFramedOnTheControlsCell)
{
    MemoryCanvas canvas(120, 50, RGB(255, 255, 255));
    canvas.Dc().SelectStockObject(SYSTEM_FONT);
    Draw(*DrawingAndFormattingInstance(), canvas.Dc(), TextStyle());

    int nInk = 0;
    for (int y = m_cell.top; y < m_cell.bottom; ++y)
        for (int x = m_cell.left; x < m_cell.right; ++x)
            nInk += canvas.Pixel(x, y) == rgbText;
    EXPECT_GT(nInk, 10);
    EXPECT_EQ(canvas.Pixel(m_cell.left, m_cell.top), rgbInterior);
    EXPECT_EQ(canvas.Pixel(m_cell.right, m_cell.top), RGB(255, 255, 255));
    EXPECT_EQ(m_control.m_nFrames, 0);

    // The frame is the current cell's: a control bound to a cell that is not current draws none.
    m_control.Init(1, 1);
    Draw(*DrawingAndFormattingInstance(), canvas.Dc(), TextStyle());
    EXPECT_EQ(m_control.m_nFrames, 0);
    m_grid.SetCurrentCellPosition(TRUE, 1, 1);
    Draw(*DrawingAndFormattingInstance(), canvas.Dc(), TextStyle());
    EXPECT_EQ(m_control.m_nFrames, 1);
}
