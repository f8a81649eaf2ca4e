// Pages the grid of grid_paging with spans: a covered 2 x 3 block every 10 rows, the last two
// columns merged across and down where their texts are equal (compare values only, delayed
// evaluation) and delayed floating on. The peer is the same grid in the same run without
// covered ranges and with both modes off. Prints each one's median page time on a first pass
// (which evaluates the spans) and a second pass at 100,000 rows, their ratios, and the spans
// grid's page time at 1,000 rows.
#include "PagingGrid.h"

#include <grid/core/GridInit.h>

#include <cstdio>

namespace
{
using namespace paging;

constexpr int nMergeAll = 0x1 | 0x2 | 0x4;
constexpr ROWCOL nFirstMerged = kCols - 1;

// The last two columns hold runs of equal texts: four rows down, and across every third row.
class SpansGrid : public PagingGrid
{
public:
    BOOL GetStyleRowCol(ROWCOL nRow, ROWCOL nCol, CGXStyle& style, int nMode, int nType) override
    {
        const BOOL bStored = PagingGrid::GetStyleRowCol(nRow, nCol, style, nMode, nType);
        if (nType < 0 || nRow == 0 || nRow == GX_INVALID || nCol < nFirstMerged || nCol > kCols)
            return bStored;
        CString strText;
        if (nCol == nFirstMerged || nRow % 3 == 0)
            strText.Format(L"group %lu", static_cast<unsigned long>(nRow / 4));
        else
            strText.Format(L"row %lu", static_cast<unsigned long>(nRow));
        style.SetValue(strText);
        return TRUE;
    }
};

struct Passes
{
    double dFirst;
    double dSecond;
};

Passes Measure(CWnd& parent, ROWCOL nRows, BOOL bSpans)
{
    SpansGrid grid;
    SetUpGrid(grid, parent, nRows);
    if (bSpans)
    {
        grid.SetStyleRangeShort(CGXRange().SetCols(nFirstMerged, kCols), CGXStyle().SetMergeCell(nMergeAll));
        for (ROWCOL nRow = 1; nRow + 1 <= nRows; nRow += 10)
            grid.SetCoveredCellsRowCol(nRow, 2, nRow + 1, 4, 0);
        grid.SetMergeCellsMode(1, FALSE);
        grid.SetFloatCellsMode(1, FALSE);
    }
    Passes passes;
    passes.dFirst = PageSeconds(grid);
    passes.dSecond = PageSeconds(grid);
    grid.DestroyWindow();
    return passes;
}
} // namespace

int main()
{
    GXInitLibraryDefault();
    CWnd parent;
    parent.CreateEx(0, nullptr, L"", WS_POPUP, 0, 0, kRect.Width(), kRect.Height(), nullptr, nullptr);

    const Passes small = Measure(parent, 1000, TRUE);
    const Passes spans = Measure(parent, 100000, TRUE);
    const Passes peer = Measure(parent, 100000, FALSE);
    std::printf("paging %lu columns with spans into an 800 x 600 memory DC (median per page)\n",
                static_cast<unsigned long>(kCols));
    std::printf("  spans, 100,000 rows, first pass:  %8.3f ms\n", spans.dFirst * 1000);
    std::printf("  peer,  100,000 rows, first pass:  %8.3f ms\n", peer.dFirst * 1000);
    std::printf("  ratio first pass:                 %8.2f (target at most 2)\n", spans.dFirst / peer.dFirst);
    std::printf("  spans, 100,000 rows, second pass: %8.3f ms\n", spans.dSecond * 1000);
    std::printf("  peer,  100,000 rows, second pass: %8.3f ms\n", peer.dSecond * 1000);
    std::printf("  ratio second pass:                %8.2f (target at most 1.3)\n", spans.dSecond / peer.dSecond);
    std::printf("  spans, 1,000 rows, second pass:   %8.3f ms\n", small.dSecond * 1000);
    std::printf("  ratio 100,000 / 1,000:            %8.2f (target at most 1.2)\n", spans.dSecond / small.dSecond);
    parent.DestroyWindow();
    return 0;
}
