// Copying, moving and setting values over 1,000 rows × 100 columns of a hidden grid with undo
// on, each followed by its Undo and its Redo. The grid has 2,000 rows of text and number values
// (every tenth cell bold) in a plain data object. The peer clones the same 100,000 styles into
// a vector. Prints the median of 5 runs of each, its ratio to the peer, the cost per cell at
// 10,000 cells (100 rows, the mean of ten in a row per run) and the ratio of the costs per cell.
#include <grid/core/GridInit.h>
#include <grid/core/GridParam.h>
#include <grid/core/GridWnd.h>
#include <grid/core/Style.h>
#include <BenchFigures.h>

#include <afxwin.h>

#include <cstdio>
#include <functional>
#include <vector>

namespace
{
const ROWCOL kRows = 2000;
const ROWCOL kCols = 100;
const ROWCOL kDest = 1001;
const ROWCOL kLargeRows = 1000;
const ROWCOL kSmallRows = 100;
const int kSmallRepeats = 10;
const int kRuns = 5;

struct Timing
{
    const char* pszName;
    double dLarge; // 1,000 rows
    double dSmall; // 100 rows
};

void FillGrid(CGXGridWnd& grid)
{
    grid.GetParam()->m_bUndoEnabled = FALSE;
    grid.SetRowCount(kRows);
    grid.SetColCount(kCols);
    for (ROWCOL r = 1; r <= kRows; ++r)
        for (ROWCOL c = 1; c <= kCols; ++c)
        {
            CGXStyle style;
            CString strValue;
            if ((r + c) % 2 == 0)
                strValue.Format(L"text %lu.%lu", static_cast<unsigned long>(r), static_cast<unsigned long>(c));
            else
                strValue.Format(L"%lu", static_cast<unsigned long>(r * 1000 + c));
            style.SetValue(strValue);
            if ((r * kCols + c) % 10 == 0)
                style.SetFont(CGXFont().SetBold(TRUE));
            grid.StoreStyleRowCol(r, c, &style, CGXStyle::modeCopy, 0);
        }
    grid.GetParam()->m_bUndoEnabled = TRUE;
}

// The medians of a change, its Undo and its Redo over 1,000 rows (adLarge) and over 100 rows
// (adSmall). The two sizes take turns, so that both meet the same load of the machine; a sample
// of the small size is the mean of ten in a row, so that it spans about as much time as one of
// the large size. The grid is as before after each.
void Measure(CGXGridWnd& grid, const std::function<void(ROWCOL)>& change, double adLarge[3], double adSmall[3])
{
    const ROWCOL anRows[2] = {kLargeRows, kSmallRows};
    const int anRepeats[2] = {1, kSmallRepeats};
    std::vector<double> runs[2][3];
    for (int run = 0; run < kRuns; ++run)
        for (int size = 0; size < 2; ++size)
        {
            double adSeconds[3] = {};
            for (int repeat = 0; repeat < anRepeats[size]; ++repeat)
            {
                Clock::time_point start = Clock::now();
                change(anRows[size]);
                adSeconds[0] += Seconds(Clock::now() - start);
                start = Clock::now();
                grid.Undo();
                adSeconds[1] += Seconds(Clock::now() - start);
                start = Clock::now();
                grid.Redo();
                adSeconds[2] += Seconds(Clock::now() - start);
                grid.Undo();
            }
            for (int i = 0; i < 3; ++i)
                runs[size][i].push_back(adSeconds[i] / anRepeats[size]);
        }
    for (int i = 0; i < 3; ++i)
    {
        adLarge[i] = Median(runs[0][i]);
        adSmall[i] = Median(runs[1][i]);
    }
}

double PeerSeconds(CGXGridWnd& grid, ROWCOL nRows)
{
    std::vector<CGXStyle*> sources;
    for (ROWCOL r = 1; r <= nRows; ++r)
        for (ROWCOL c = 1; c <= kCols; ++c)
        {
            auto* pStyle = new CGXStyle;
            grid.GetStyleRowCol(r, c, *pStyle, CGXStyle::modeCopy, 0);
            sources.push_back(pStyle);
        }
    const double dSeconds = MedianSecondsOf(kRuns, [&] {
        std::vector<CGXStyle*> clones;
        clones.reserve(sources.size());
        for (const CGXStyle* pStyle : sources)
            clones.push_back(pStyle->Clone());
        for (CGXStyle* pClone : clones)
            delete pClone;
    });
    for (CGXStyle* pStyle : sources)
        delete pStyle;
    return dSeconds;
}
} // namespace

int main()
{
    GXInitLibraryDefault();
    CWnd parent;
    parent.CreateEx(0, nullptr, L"", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr);
    CGXGridWnd grid;
    grid.Create(L"GXWND", nullptr, WS_CHILD, CRect(0, 0, 800, 600), &parent, 1);
    grid.Initialize();
    FillGrid(grid);

    const std::function<void(ROWCOL)> changes[] = {
        [&](ROWCOL n) { grid.CopyCells(CGXRange(1, 1, n, kCols), kDest, 1); },
        [&](ROWCOL n) {
            CObject* pInfo = nullptr;
            grid.MoveCells(CGXRange(1, 1, n, kCols), kDest, 1, pInfo);
        },
        [&](ROWCOL n) { grid.SetValueRange(CGXRange(1, 1, n, kCols), L"value"); },
    };
    const char* const apszNames[3][3] = {{"CopyCells", "  its Undo", "  its Redo"},
                                         {"MoveCells", "  its Undo", "  its Redo"},
                                         {"SetValueRange", "  its Undo", "  its Redo"}};
    const double adTarget[3] = {20, 3, 20};
    std::vector<Timing> timings;
    std::vector<double> targets;
    for (int i = 0; i < 3; ++i)
    {
        double adLarge[3], adSmall[3];
        Measure(grid, changes[i], adLarge, adSmall);
        for (int j = 0; j < 3; ++j)
        {
            timings.push_back({apszNames[i][j], adLarge[j], adSmall[j]});
            targets.push_back(adTarget[i]);
        }
    }
    const double dPeer = PeerSeconds(grid, kLargeRows);

    std::printf("2,000 x 100 grid, plain data object, undo on; median of %d runs each\n", kRuns);
    std::printf("peer: cloning 100,000 styles into a vector: %8.3f ms\n\n", dPeer * 1000);
    std::printf("%-16s %12s %10s %8s %16s %16s %8s\n", "operation", "100,000 (ms)", "x peer", "target",
                "us/cell 100,000", "us/cell 10,000", "ratio");
    for (size_t i = 0; i < timings.size(); ++i)
    {
        const Timing& t = timings[i];
        const double dLargeCell = t.dLarge / 100000 * 1e6;
        const double dSmallCell = t.dSmall / 10000 * 1e6;
        std::printf("%-16s %12.3f %10.2f %8.0f %16.4f %16.4f %8.2f\n", t.pszName, t.dLarge * 1000, t.dLarge / dPeer,
                    targets[i], dLargeCell, dSmallCell, dLargeCell / dSmallCell);
    }
    std::printf("\ntargets: move and its undo and redo at most 3 x the peer, copy and value range with theirs "
                "at most 20 x; per-cell cost at 100,000 within 1.2 x of that at 10,000\n");
    grid.DestroyWindow();
    parent.DestroyWindow();
    return 0;
}
