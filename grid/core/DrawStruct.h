// One drawing pass over a block of visible rows and columns: the block's geometry, every
// cell's composed style and its drawing flags. Lives on the stack of the pass that fills it.
#pragma once

#include <afxwin.h>

#include <grid/core/BrushRecord.h>
#include <grid/core/Range.h>

#include <vector>

class CGXControl;
class CGXStyle;

// Drawing flags of a cell.
enum : WORD
{
    GX_DS_BORDER_LEFT = 0x0001, // the style has its own border on that side
    GX_DS_BORDER_RIGHT = 0x0002,
    GX_DS_BORDER_TOP = 0x0004,
    GX_DS_BORDER_BOTTOM = 0x0008,
    GX_DS_SELECTED = 0x0010,
    GX_DS_BACKGROUND = 0x0020, // the control fills the background
    GX_DS_SPANNED = 0x0040,    // part of a span, drawn by the span's anchor
    GX_DS_SPAN_COVERED = 0x0080, // with GX_DS_SPANNED: the span is a covered range
    GX_DS_SPAN_INNER = 0x0100,   // a cell of a span other than its anchor
    GX_DS_HORZ_GRIDLINE = 0x0200, // no own border where the horizontal grid line goes
    GX_DS_VERT_GRIDLINE = 0x0400,
    GX_DS_VERT_DIVIDER = 0x0800, // the trailing frozen divider of the last frozen column
    GX_DS_HORZ_DIVIDER = 0x1000,
    GX_DS_SPAN_REQUEST = 0x2000,     // the anchor of a span that the pass asked to mark
    GX_DS_SPAN_RIGHT_END = 0x4000,   // the span ends at the last drawn column, no right border
    GX_DS_SPAN_BOTTOM_END = 0x8000   // likewise for the bottom and the last drawn row
};

struct DrawStruct
{
    ROWCOL nRowCount = 0;
    ROWCOL nColCount = 0;
    ROWCOL nTopRow = 0;
    ROWCOL nLeftCol = 0;
    ROWCOL nFrozenCols = 0;
    ROWCOL nFrozenRows = 0;
    ROWCOL nHeaderCols = 0;
    ROWCOL nHeaderRows = 0;
    CRect rectCurrentCell;
    CRect rectCell;
    CPoint ptOrigin;
    CPoint ptRunning;
    std::vector<int> anRowHeights;
    std::vector<int> anColWidths;
    std::vector<int> anRowTops;
    std::vector<int> anColLefts;
    // The grid row and column at each position; one extra entry for what follows the block.
    std::vector<ROWCOL> anRows;
    std::vector<ROWCOL> anCols;
    // Row-major, nColCount per row.
    std::vector<CGXStyle*> apStyles;
    std::vector<WORD> anFlags;
    CGXControl* pDeferredControl = nullptr;
    BOOL bMarkSelection = FALSE;
    BOOL bColor = TRUE;
    COLORREF rgbBackground = RGB(255, 255, 255);
    // Visible positions of the block's top, left, bottom and right.
    ROWCOL nBlockTop = 0;
    ROWCOL nBlockLeft = 0;
    ROWCOL nBlockBottom = 0;
    ROWCOL nBlockRight = 0;
    CDC* pDC = nullptr;
    CRect rectClip;
    // Spans were marked in this pass; the anchors of marked spans get GX_DS_SPAN_REQUEST.
    BOOL bSpans = FALSE;
    BOOL bRequestSpans = FALSE;
    GXBrushRecord brushRun[2];

    CGXStyle* Style(ROWCOL i, ROWCOL j) const
    {
        return apStyles[i * nColCount + j];
    }
    WORD& Flags(ROWCOL i, ROWCOL j)
    {
        return anFlags[i * nColCount + j];
    }
    CRect CellRect(ROWCOL i, ROWCOL j) const
    {
        return CRect(anColLefts[j], anRowTops[i], anColLefts[j] + anColWidths[j], anRowTops[i] + anRowHeights[i]);
    }
};
