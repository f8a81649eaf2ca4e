// Finding a text in 100,000 and 1,000,000 rows of a hidden grid whose texts come from an
// overriding GetStyleRowCol, the only hit in the last row: FindNextText from row 1 down the
// first column without case, against a plain loop that makes the same texts, upper-cases them
// and calls wcsstr. Prints medians of 5 runs, the ratio to the peer and the ratio of the costs
// per cell at 1,000,000 and at 100,000.
#include "GridBenchHost.h"
#include "PagingGrid.h"

#include <grid/core/GridParam.h>

#include <cstdio>
#include <cwchar>

namespace
{
constexpr int kRuns = 5;
constexpr ROWCOL anRows[2] = {100000, 1000000};
constexpr LPCTSTR kFind = L"needle";
ROWCOL g_nRows = 0;

CString FindText(ROWCOL nRow, ROWCOL nCol)
{
    CString strText;
    if (nRow == g_nRows && nCol == 1)
        strText = L"the Needle of the haystack";
    else
        strText.Format(L"host%07lu-%lu", static_cast<unsigned long>(nRow), static_cast<unsigned long>(nCol));
    return strText;
}

// The peer: the texts below the first row, upper-cased and searched; the row of the hit.
ROWCOL PeerFind(ROWCOL nRows)
{
    CString strFind(kFind);
    strFind.MakeUpper();
    for (ROWCOL nRow = 2; nRow <= nRows; ++nRow)
    {
        CString strText = FindText(nRow, 1);
        strText.MakeUpper();
        if (std::wcsstr(strText, strFind) != nullptr)
            return nRow;
    }
    return 0;
}

struct Figures
{
    double dGrid, dPeer;
};

Figures Measure(CWnd& parent, ROWCOL nRows)
{
    g_nRows = nRows;
    paging::PagingGrid grid(FindText);
    const CGXStyle groups[5];
    paging::SetUpGrid(grid, parent, nRows, groups, FindText);
    grid.GetParam()->m_bUndoEnabled = FALSE;
    Figures figures{};
    ROWCOL nFound = 0;
    figures.dGrid = MedianSecondsOf(kRuns, [&] {
        grid.SetCurrentCell(1, 1, 0);
        grid.FindNextText(kFind, TRUE, FALSE);
        ROWCOL nCol = 0;
        grid.GetCurrentCell(&nFound, &nCol);
    });
    ROWCOL nPeerFound = 0;
    figures.dPeer = MedianSecondsOf(kRuns, [&] { nPeerFound = PeerFind(nRows); });
    if (nFound != nRows || nPeerFound != nRows)
        std::printf("%lu rows: the grid found row %lu, the peer row %lu\n", static_cast<unsigned long>(nRows),
                    static_cast<unsigned long>(nFound), static_cast<unsigned long>(nPeerFound));
    grid.DestroyWindow();
    return figures;
}
} // namespace

int main()
{
    GridBenchHost host;
    CWnd& parent = host.Parent();
    std::printf("the only hit in the last row, texts made on demand; median of %d runs each\n\n", kRuns);
    std::printf("%10s %12s %12s %8s %12s\n", "rows", "find (ms)", "peer (ms)", "x peer", "us/cell");
    double adCell[2] = {};
    for (int n = 0; n < 2; ++n)
    {
        const Figures f = Measure(parent, anRows[n]);
        adCell[n] = f.dGrid / anRows[n] * 1e6;
        std::printf("%10lu %12.1f %12.1f %8.2f %12.4f\n", static_cast<unsigned long>(anRows[n]), f.dGrid * 1000,
                    f.dPeer * 1000, f.dGrid / f.dPeer, adCell[n]);
    }
    std::printf("\ncost per cell at 1,000,000 over that at 100,000: %.2f\n", adCell[1] / adCell[0]);
    std::printf("targets: at most 25 x the peer; the cost per cell at 1,000,000 within 1.2 x of that at 100,000\n");
    return 0;
}
