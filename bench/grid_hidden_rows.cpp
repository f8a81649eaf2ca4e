// Hidden rows at 100,000 and 1,000,000 rows of 10 columns. (a) One HideRows over all rows that
// hides every second one from a state array (no undo, no repaint) against a plain loop that reads
// and sets the same bits in a byte array and keeps the former states; per row. (b) 1,000 page
// scrolls, each drawn into an 800 x 600 memory DC, with half the rows hidden against none hidden;
// per page. Prints the medians, their ratios and the per-row (per-page) ratio across the sizes.
#include <grid/core/GridInit.h>
#include <grid/core/GridWnd.h>
#include <BenchCanvas.h>
#include <BenchFigures.h>

#include <afxwin.h>

#include <cstdio>
#include <vector>

namespace
{
const CRect kRect(0, 0, 800, 600);
constexpr ROWCOL kCols = 10;
constexpr int kRuns = 5;
constexpr int kPages = 1000;

struct Figures
{
    double dHidePerRow;
    double dLoopPerRow;
    double dPageHidden;
    double dPageShown;
};

void SetUp(CGXGridWnd& grid, CWnd& parent, ROWCOL nRows)
{
    grid.Create(L"GXWND", nullptr, WS_CHILD, kRect, &parent, 1);
    grid.Initialize();
    grid.SetRowCount(nRows, 0);
    grid.SetColCount(kCols, 0);
    for (ROWCOL nCol = 1; nCol <= kCols; ++nCol)
        grid.SetValueRange(CGXRange(0, nCol), L"Column");
}

// The plain peer: the same bits read and set in a byte array, the former states kept.
double LoopPerRow(ROWCOL nRows, const CByteArray& states)
{
    std::vector<BYTE> bits((nRows >> 3) + 1);
    std::vector<BYTE> former(nRows);
    return MedianSecondsOf(kRuns, [&] {
               for (ROWCOL n = 1; n <= nRows; ++n)
               {
                   BYTE& byte = bits[n >> 3];
                   const BYTE mask = static_cast<BYTE>(1u << (n & 7));
                   former[n - 1] = (byte & mask) != 0;
                   byte = static_cast<BYTE>(states[n - 1] ? byte | mask : byte & ~mask);
               }
           }) /
           nRows;
}

double PageSeconds(CGXGridWnd& grid)
{
    BenchCanvas target(kRect.Width(), kRect.Height());
    grid.SetTopRow(1, 0, FALSE);
    grid.DrawGrid(&target.Dc());
    std::vector<double> pages;
    for (int nPage = 0; nPage < kPages; ++nPage)
    {
        const Clock::time_point start = Clock::now();
        const ROWCOL nNext = grid.GetLastVisibleRow();
        grid.SetTopRow(nNext < grid.GetRowCount() ? nNext : 1, 0, FALSE);
        grid.DrawGrid(&target.Dc());
        pages.push_back(Seconds(Clock::now() - start));
    }
    return Median(pages);
}

Figures Measure(CWnd& parent, ROWCOL nRows)
{
    CByteArray states;
    states.SetSize(nRows);
    for (ROWCOL n = 1; n <= nRows; ++n)
        states[n - 1] = static_cast<BYTE>(n % 2 == 0);
    Figures figures{};
    figures.dLoopPerRow = LoopPerRow(nRows, states);

    CGXGridWnd shown;
    SetUp(shown, parent, nRows);
    figures.dPageShown = PageSeconds(shown);
    shown.DestroyWindow();

    std::vector<double> runs;
    for (int run = 0; run < kRuns; ++run)
    {
        CGXGridWnd grid;
        SetUp(grid, parent, nRows);
        const Clock::time_point start = Clock::now();
        grid.HideRows(1, nRows, FALSE, &states, 0, 1);
        runs.push_back(Seconds(Clock::now() - start));
        if (run + 1 == kRuns)
            figures.dPageHidden = PageSeconds(grid);
        grid.DestroyWindow();
    }
    figures.dHidePerRow = Median(runs) / nRows;
    return figures;
}

} // namespace

int main()
{
    GXInitLibraryDefault();
    CWnd parent;
    parent.CreateEx(0, nullptr, L"", WS_POPUP, 0, 0, kRect.Width(), kRect.Height(), nullptr, nullptr);
    const Figures small = Measure(parent, 100000);
    const Figures large = Measure(parent, 1000000);
    std::printf("hiding every second row by a state array, %lu columns (median of %d)\n",
                static_cast<unsigned long>(kCols), kRuns);
    std::printf("  HideRows,   100,000 rows: %8.2f ns per row\n", small.dHidePerRow * 1e9);
    std::printf("  plain loop, 100,000 rows: %8.2f ns per row\n", small.dLoopPerRow * 1e9);
    std::printf("  HideRows, 1,000,000 rows: %8.2f ns per row\n", large.dHidePerRow * 1e9);
    std::printf("  plain loop, 1,000,000 rows: %6.2f ns per row\n", large.dLoopPerRow * 1e9);
    std::printf("  ratio at 100,000:         %8.2f (target at most 20)\n", small.dHidePerRow / small.dLoopPerRow);
    std::printf("  ratio at 1,000,000:       %8.2f (target at most 20)\n", large.dHidePerRow / large.dLoopPerRow);
    std::printf("  per row 1,000,000 / 100,000: %5.2f (target at most 1.2)\n",
                large.dHidePerRow / small.dHidePerRow);
    std::printf("%d page scrolls into an 800 x 600 memory DC (median per page)\n", kPages);
    std::printf("  half hidden, 100,000 rows:   %8.3f ms\n", small.dPageHidden * 1000);
    std::printf("  none hidden, 100,000 rows:   %8.3f ms\n", small.dPageShown * 1000);
    std::printf("  half hidden, 1,000,000 rows: %8.3f ms\n", large.dPageHidden * 1000);
    std::printf("  none hidden, 1,000,000 rows: %8.3f ms\n", large.dPageShown * 1000);
    std::printf("  ratio hidden / shown, 100,000:   %5.2f (target at most 1.3)\n",
                small.dPageHidden / small.dPageShown);
    std::printf("  ratio hidden / shown, 1,000,000: %5.2f (target at most 1.3)\n",
                large.dPageHidden / large.dPageShown);
    std::printf("  per page 1,000,000 / 100,000 (hidden): %5.2f (target at most 1.2)\n",
                large.dPageHidden / small.dPageHidden);
    parent.DestroyWindow();
    return 0;
}
