// Printing a grid of 10,000 and 100,000 rows by 10 columns on an A4 page (its 96-dpi extent,
// 794 x 1123, default margins). (a) OnGridBeginPrinting, which breaks the table into pages,
// against a plain loop that cuts the same GetRowHeight and GetColWidth sums into pages of the
// same print rectangle; per row, and the per-row ratio across the sizes. (b) OnGridPrint of the
// first page into a memory DC against DrawGrid of the same cells in a window of the printed
// cells' size. Medians of 5 runs.
#include <grid/core/GridInit.h>
#include <grid/core/GridWnd.h>
#include <grid/core/Style.h>
#include <BenchCanvas.h>
#include <BenchFigures.h>

#include <afxdlgs.h>
#include <afxext.h>
#include <afxwin.h>

#include <cstdio>

namespace
{
const CSize kPage(794, 1123);
constexpr ROWCOL kCols = 10;
constexpr int kRuns = 5;
// Pages drawn in one timed run, so that a run lasts long enough for the clock.
constexpr int kDrawsPerRun = 10;

// Printing shows the application's wait cursor.
CWinApp g_app(L"Grid Paginate Bench");

// A memory DC that reports the page's extent as its printable area, as a printer DC does.
class PageCanvas : public CDC
{
public:
    PageCanvas()
    {
        CClientDC dcScreen(nullptr);
        CreateCompatibleDC(&dcScreen);
        m_bitmap.CreateCompatibleBitmap(&dcScreen, kPage.cx, kPage.cy);
        m_pOld = SelectObject(&m_bitmap);
    }
    ~PageCanvas() override
    {
        SelectObject(m_pOld);
    }
    PageCanvas(const PageCanvas&) = delete;
    PageCanvas& operator=(const PageCanvas&) = delete;

    int GetDeviceCaps(int nIndex) const override
    {
        return nIndex == HORZRES ? kPage.cx : nIndex == VERTRES ? kPage.cy : CDC::GetDeviceCaps(nIndex);
    }

private:
    CBitmap m_bitmap;
    CBitmap* m_pOld = nullptr;
};

// Cells whose texts are made from their row and column; the print rectangle readable.
class PrintedGrid : public CGXGridWnd
{
public:
    using CGXGridCore::m_awPageFirstCol;
    using CGXGridCore::m_awPageFirstRow;
    using CGXGridCore::m_rectPrint;

    BOOL GetStyleRowCol(ROWCOL nRow, ROWCOL nCol, CGXStyle& style, int nMode, int nType) override
    {
        const BOOL bStored = CGXGridWnd::GetStyleRowCol(nRow, nCol, style, nMode, nType);
        if (nType < 0 || nRow == 0 || nCol == 0 || nRow == GX_INVALID || nCol == GX_INVALID || nCol > kCols)
            return bStored;
        CString strText;
        strText.Format(L"r%lu c%lu", static_cast<unsigned long>(nRow), static_cast<unsigned long>(nCol));
        style.SetValue(strText);
        return TRUE;
    }
};

struct Figures
{
    double dPaginatePerRow = 0;
    double dLoopPerRow = 0;
    INT_PTR nPages = 0;
    INT_PTR nLoopPages = 0;
    double dPrintPage = 0;
    double dScreenPage = 0;
};

// The number of pages that the sizes from nFirst to nLast make in nSpace (at least one size a
// page; a size cut at the edge starts the next page).
template <typename SizeOf> INT_PTR CountPages(ROWCOL nFirst, ROWCOL nLast, int nSpace, SizeOf sizeOf)
{
    INT_PTR nPages = 0;
    for (ROWCOL n = nFirst; n <= nLast;)
    {
        int nUsed = sizeOf(n++);
        while (n <= nLast && nUsed + sizeOf(n) <= nSpace)
            nUsed += sizeOf(n++);
        ++nPages;
    }
    return nPages;
}

Figures Measure(CWnd& parent, ROWCOL nRows)
{
    PrintedGrid grid;
    grid.Create(L"GXWND", nullptr, WS_CHILD, CRect(CPoint(0, 0), kPage), &parent, 1);
    grid.Initialize();
    grid.SetRowCount(nRows, 0);
    grid.SetColCount(kCols, 0);
    PageCanvas page;
    Figures figures;

    std::vector<double> runs;
    for (int run = 0; run < kRuns; ++run)
    {
        CPrintInfo info;
        const Clock::time_point start = Clock::now();
        grid.OnGridBeginPrinting(&page, &info);
        runs.push_back(Seconds(Clock::now() - start));
        figures.nPages = static_cast<INT_PTR>(info.GetMaxPage());
        grid.OnGridEndPrinting(&page, &info);
    }
    figures.dPaginatePerRow = Median(runs) / nRows;

    // The loop cuts what lies under the header row and beside the header column.
    const CRect rectPrint = grid.m_rectPrint;
    const int nHeight = rectPrint.Height() - grid.GetRowHeight(0);
    const int nWidth = rectPrint.Width() - grid.GetColWidth(0);
    figures.dLoopPerRow =
        MedianSecondsOf(kRuns,
                        [&] {
                            figures.nLoopPages =
                                CountPages(1, nRows, nHeight, [&](ROWCOL n) { return grid.GetRowHeight(n); }) *
                                CountPages(1, kCols, nWidth, [&](ROWCOL n) { return grid.GetColWidth(n); });
                        }) /
        nRows;

    // One page printed, then the same cells drawn on screen.
    CPrintInfo info;
    grid.OnGridBeginPrinting(&page, &info);
    grid.OnGridPrint(&page, &info);
    figures.dPrintPage = MedianSecondsOf(kRuns,
                                         [&] {
                                             for (int n = 0; n < kDrawsPerRun; ++n)
                                             {
                                                 info.m_nCurPage = 1;
                                                 grid.OnGridPrint(&page, &info);
                                             }
                                         }) /
                         kDrawsPerRun;
    const CRect rectCells = grid.m_rectPrint;
    grid.OnGridEndPrinting(&page, &info);

    grid.MoveWindow(0, 0, rectCells.Width(), rectCells.Height(), FALSE);
    grid.SetTopRow(1, 0, FALSE);
    grid.SetLeftCol(1, 0, FALSE);
    BenchCanvas screen(rectCells.Width(), rectCells.Height());
    grid.DrawGrid(&screen.Dc());
    figures.dScreenPage = MedianSecondsOf(kRuns,
                                          [&] {
                                              for (int n = 0; n < kDrawsPerRun; ++n)
                                                  grid.DrawGrid(&screen.Dc());
                                          }) /
                          kDrawsPerRun;
    grid.DestroyWindow();
    return figures;
}

void PrintSize(const char* pszRows, const Figures& figures)
{
    std::printf("  %s rows: %lld pages (the loop: %lld)\n", pszRows, static_cast<long long>(figures.nPages),
                static_cast<long long>(figures.nLoopPages));
    std::printf("    OnGridBeginPrinting: %8.1f ns per row\n", figures.dPaginatePerRow * 1e9);
    std::printf("    plain loop:          %8.1f ns per row\n", figures.dLoopPerRow * 1e9);
    std::printf("    ratio:               %8.2f (target at most 2)\n", figures.dPaginatePerRow / figures.dLoopPerRow);
    std::printf("    OnGridPrint, page 1: %8.3f ms\n", figures.dPrintPage * 1000);
    std::printf("    DrawGrid, same cells:%8.3f ms\n", figures.dScreenPage * 1000);
    std::printf("    ratio:               %8.2f (target at most 1.5)\n", figures.dPrintPage / figures.dScreenPage);
}

} // namespace

int main()
{
    GXInitLibraryDefault();
    CWnd parent;
    parent.CreateEx(0, nullptr, L"", WS_POPUP, 0, 0, kPage.cx, kPage.cy, nullptr, nullptr);
    const Figures small = Measure(parent, 10000);
    const Figures large = Measure(parent, 100000);
    std::printf("printing %lu columns on a %ld x %ld page (median of %d)\n", static_cast<unsigned long>(kCols),
                static_cast<long>(kPage.cx), static_cast<long>(kPage.cy), kRuns);
    PrintSize("10,000", small);
    PrintSize("100,000", large);
    std::printf("  pagination per row 100,000 / 10,000: %5.2f (target at most 1.2)\n",
                large.dPaginatePerRow / small.dPaginatePerRow);
    parent.DestroyWindow();
    return 0;
}
