// Resize to fit over 10,000 (and 1,000) rows of 5 static columns: ResizeColWidthsToFit over all
// columns and ResizeRowHeightsToFit with one wrapping column, against a plain loop that measures
// the same texts with the same font and DC (GetTextExtentPoint32; the wrapping column through
// DrawText with DT_CALCRECT | DT_WORDBREAK). Prints the medians per row, their ratios and the
// per-row ratio of 10,000 rows to 1,000.
#include <grid/core/GridInit.h>
#include <grid/core/GridParam.h>
#include <grid/core/GridWnd.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>
#include <grid/core/StylesMap.h>
#include <BenchFigures.h>

#include <afxwin.h>

#include <cstdio>
#include <vector>

namespace
{
const CRect kRect(0, 0, 800, 600);
constexpr ROWCOL kCols = 5;
constexpr int kRuns = 5;
constexpr int kWrapWidth = 120;

CString CellText(ROWCOL nRow, ROWCOL nCol)
{
    CString strText;
    if (nCol == kCols)
        strText.Format(L"note %lu on the instance and its work processes, kept for the report",
                       static_cast<unsigned long>(nRow));
    else
        strText.Format(L"value %lu.%lu", static_cast<unsigned long>(nRow * 13 % 9973),
                       static_cast<unsigned long>(nCol));
    return strText;
}

class FitGrid : public CGXGridWnd
{
public:
    BOOL GetStyleRowCol(ROWCOL nRow, ROWCOL nCol, CGXStyle& style, int nMode, int nType) override
    {
        const BOOL bStored = CGXGridWnd::GetStyleRowCol(nRow, nCol, style, nMode, nType);
        if (nType < 0 || nRow == 0 || nCol == 0 || nRow == GX_INVALID || nCol == GX_INVALID || nCol > kCols)
            return bStored;
        style.SetValue(CellText(nRow, nCol));
        return TRUE;
    }
};

void SetUp(FitGrid& grid, CWnd& parent, ROWCOL nRows)
{
    grid.Create(L"GXWND", nullptr, WS_CHILD, kRect, &parent, 1);
    grid.Initialize();
    grid.ChangeBaseStyle(grid.GetStylesMap()->m_wStyleStandard, CGXStyle().SetControl(GX_IDS_CTRL_STATIC), 0);
    grid.SetRowCount(nRows, 0);
    grid.SetColCount(kCols, 0);
    grid.SetStyleRangeShort(CGXRange().SetCols(kCols, kCols), CGXStyle().SetWrapText(TRUE));
    grid.SetColWidth(kCols, kCols, kWrapWidth, nullptr, 0);
    grid.GetParam()->m_bUndoEnabled = FALSE;
}

struct Figures
{
    double dWidths;
    double dHeights;
    double dPeerWidths;
    double dPeerHeights;
};

Figures Measure(CWnd& parent, ROWCOL nRows)
{
    FitGrid grid;
    SetUp(grid, parent, nRows);
    // The peer measures the same texts with the grid's font in a client DC of the same window. The
    // grid and its peer take turns, so that a change in the machine's load falls on both alike.
    CClientDC dc(&grid);
    CFont* pOld = grid.LoadFont(&dc, *grid.GetStandardStyle(), nullptr);
    volatile int nSink = 0;
    const std::vector<double> widths = MedianSecondsOfEach(
        kRuns, {[&] {
                    grid.SetColWidth(1, kCols - 1, 10, nullptr, 0);
                    grid.ResizeColWidthsToFit(CGXRange().SetCols(1, kCols - 1), TRUE, 0);
                },
                [&] {
                    for (ROWCOL nCol = 1; nCol < kCols; ++nCol)
                        for (ROWCOL nRow = 1; nRow <= nRows; ++nRow)
                        {
                            const CString strText = CellText(nRow, nCol);
                            SIZE size;
                            ::GetTextExtentPoint32(dc.GetSafeHdc(), strText, strText.GetLength(), &size);
                            nSink = nSink + size.cx;
                        }
                }});
    const std::vector<double> heights =
        MedianSecondsOfEach(kRuns, {[&] {
                                        grid.SetRowHeight(1, nRows, 10, nullptr, 0);
                                        grid.ResizeRowHeightsToFit(CGXRange(1, kCols, nRows, kCols), TRUE, 0);
                                    },
                                    [&] {
                                        for (ROWCOL nRow = 1; nRow <= nRows; ++nRow)
                                        {
                                            const CString strText = CellText(nRow, kCols);
                                            CRect rect(0, 0, kWrapWidth, 0);
                                            dc.DrawText(strText, &rect, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
                                            nSink = nSink + rect.Height();
                                        }
                                    }});
    if (pOld != nullptr)
        dc.SelectObject(pOld);
    grid.DestroyWindow();
    return Figures{widths[0] / nRows, heights[0] / nRows, widths[1] / nRows, heights[1] / nRows};
}

} // namespace

int main()
{
    GXInitLibraryDefault();
    CWnd parent;
    parent.CreateEx(0, nullptr, L"", WS_POPUP, 0, 0, kRect.Width(), kRect.Height(), nullptr, nullptr);
    const Figures small = Measure(parent, 1000);
    const Figures large = Measure(parent, 10000);
    std::printf("resize to fit, %lu static columns (median of %d, per row; 10,000 rows, growth against 1,000)\n",
                static_cast<unsigned long>(kCols), kRuns);
    std::printf(
        "  widths:  grid %8.2f us, plain %8.2f us, ratio %5.2f (target at most 4), growth %5.2f (at most 1.2)\n",
        large.dWidths * 1e6, large.dPeerWidths * 1e6, large.dWidths / large.dPeerWidths, large.dWidths / small.dWidths);
    std::printf(
        "  heights: grid %8.2f us, plain %8.2f us, ratio %5.2f (target at most 4), growth %5.2f (at most 1.2)\n",
        large.dHeights * 1e6, large.dPeerHeights * 1e6, large.dHeights / large.dPeerHeights,
        large.dHeights / small.dHeights);
    parent.DestroyWindow();
    return 0;
}
