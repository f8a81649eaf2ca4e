// Sorting 10,000 and 100,000 stored rows of a hidden grid (a column of numbers and a column of
// words, undo on) by the numeric key, and by the word without case then the number, against a
// plain peer: the same texts in a vector, converted once, a stable sort of the row indices and
// a permutation of a vector of row pointers. The ordering step alone, the grid's record sort
// over its prepared records, is timed inside the sort and set against a stable sort of the same
// converted keys. Prints medians of 5 runs, the ratios, and the ratio at 100,000 rows over the
// ratio at 10,000.
#include "GridBenchHost.h"

#include <grid/core/GridParam.h>
#include <grid/core/GridWnd.h>
#include <grid/core/SortInfoArray.h>
#include <BenchFigures.h>

#include <afxwin.h>
#include <oleauto.h>

#include <cstdio>
#include <cwchar>
#include <numeric>
#include <string>
#include <vector>

namespace
{
constexpr int kRuns = 5;
constexpr ROWCOL anRows[2] = {10000, 100000};
constexpr LCID kLocale = 1024;

struct Row
{
    std::wstring strNumber;
    std::wstring strWord;
};

// Numbers with two places in a scattered order; 500 words, so the second key decides often.
std::vector<Row> MakeRows(ROWCOL nRows)
{
    std::vector<Row> rows(nRows);
    unsigned int nSeed = 12345;
    for (Row& row : rows)
    {
        nSeed = nSeed * 1103515245u + 12345u;
        wchar_t szNumber[32];
        std::swprintf(szNumber, 32, L"%u.%02u", (nSeed >> 8) % 100000, (nSeed >> 4) % 100);
        row.strNumber = szNumber;
        row.strWord = L"Word" + std::to_wstring((nSeed >> 12) % 500);
    }
    return rows;
}

double ToNumber(const std::wstring& strText)
{
    double d = 0.0;
    if (FAILED(::VarR8FromStr(const_cast<LPOLESTR>(strText.c_str()), kLocale, 0, &d)))
        d = 0.0;
    return d;
}

// The peer's keys, converted once.
struct PeerKey
{
    double dNumber;
    const wchar_t* pszWord;
};

bool Before(const PeerKey& a, const PeerKey& b, bool bWordFirst)
{
    if (bWordFirst)
        if (const int n = _wcsicoll(a.pszWord, b.pszWord); n != 0)
            return n < 0;
    return a.dNumber < b.dNumber;
}

std::vector<PeerKey> PeerKeys(const std::vector<const Row*>& rows)
{
    std::vector<PeerKey> keys(rows.size());
    for (size_t n = 0; n < rows.size(); ++n)
        keys[n] = {ToNumber(rows[n]->strNumber), rows[n]->strWord.c_str()};
    return keys;
}

std::vector<size_t> StableOrder(const std::vector<PeerKey>& keys, bool bWordFirst)
{
    std::vector<size_t> order(keys.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return Before(keys[a], keys[b], bWordFirst); });
    return order;
}

// The peer's whole sort: convert, order, permute the row pointers.
std::vector<const Row*> PeerSort(const std::vector<const Row*>& rows, bool bWordFirst)
{
    const std::vector<size_t> order = StableOrder(PeerKeys(rows), bWordFirst);
    std::vector<const Row*> sorted(rows.size());
    for (size_t n = 0; n < order.size(); ++n)
        sorted[n] = rows[order[n]];
    return sorted;
}

// A grid that times its record sort.
class SortGrid : public CGXGridWnd
{
public:
    void SortKeyArray(const CGXSortInfoArray& sortInfo, CPtrArray& keys) override
    {
        const Clock::time_point start = Clock::now();
        CGXGridWnd::SortKeyArray(sortInfo, keys);
        m_dOrdering = Seconds(Clock::now() - start);
    }
    double m_dOrdering = 0.0;
};

void FillGrid(SortGrid& grid, CWnd& parent, const std::vector<Row>& rows)
{
    grid.Create(L"GXWND", nullptr, WS_CHILD, CRect(0, 0, 800, 600), &parent, 1);
    grid.Initialize();
    grid.GetParam()->m_bUndoEnabled = FALSE;
    grid.SetRowCount(static_cast<ROWCOL>(rows.size()), 0);
    grid.SetColCount(2, 0);
    for (ROWCOL r = 0; r < rows.size(); ++r)
    {
        grid.SetValueRange(CGXRange(r + 1, 1), rows[r].strNumber.c_str(), 0, 0);
        grid.SetValueRange(CGXRange(r + 1, 2), rows[r].strWord.c_str(), 0, 0);
    }
    grid.GetParam()->m_bUndoEnabled = TRUE;
}

void SetKeys(CGXSortInfoArray& sortInfo, bool bWordFirst)
{
    sortInfo.SetSize(bWordFirst ? 2 : 1);
    INT_PTR i = 0;
    if (bWordFirst)
    {
        sortInfo[i].nRowCol = 2;
        sortInfo[i].nType = CGXSortInfoArray::text;
        sortInfo[i].bCase = FALSE;
        ++i;
    }
    sortInfo[i].nRowCol = 1;
    sortInfo[i].nType = CGXSortInfoArray::numeric;
}

struct Figures
{
    double dGrid, dPeer, dOrdering, dPeerOrdering;
};

Figures Measure(CWnd& parent, ROWCOL nRows, bool bWordFirst)
{
    const std::vector<Row> rows = MakeRows(nRows);
    std::vector<const Row*> pointers(rows.size());
    for (size_t n = 0; n < rows.size(); ++n)
        pointers[n] = &rows[n];
    SortGrid grid;
    FillGrid(grid, parent, rows);

    Figures figures{};
    std::vector<double> sorts;
    std::vector<double> orderings;
    CString strFirst;
    for (int run = 0; run < kRuns; ++run)
    {
        CGXSortInfoArray sortInfo;
        SetKeys(sortInfo, bWordFirst);
        const Clock::time_point start = Clock::now();
        grid.SortRows(CGXRange().SetTable(), sortInfo, 0);
        sorts.push_back(Seconds(Clock::now() - start));
        orderings.push_back(grid.m_dOrdering);
        strFirst = grid.GetValueRowCol(1, 1);
        grid.Undo();
    }
    figures.dGrid = Median(sorts);
    figures.dOrdering = Median(orderings);

    std::vector<const Row*> sorted;
    figures.dPeer = MedianSecondsOf(kRuns, [&] { sorted = PeerSort(pointers, bWordFirst); });
    if (strFirst != sorted.front()->strNumber.c_str())
        std::printf("the grid's first row %ls differs from the peer's %ls\n", static_cast<LPCTSTR>(strFirst),
                    sorted.front()->strNumber.c_str());
    const std::vector<PeerKey> keys = PeerKeys(pointers);
    size_t nCheck = 0;
    figures.dPeerOrdering = MedianSecondsOf(kRuns, [&] { nCheck += StableOrder(keys, bWordFirst).front(); });
    grid.DestroyWindow();
    return figures;
}
} // namespace

int main()
{
    GridBenchHost host;
    CWnd& parent = host.Parent();
    std::printf("stored rows of a number and a word, undo on; median of %d runs each\n\n", kRuns);
    std::printf("%-16s %8s %11s %10s %8s %13s %11s %8s\n", "keys", "rows", "sort (ms)", "peer (ms)", "x peer",
                "ordering (ms)", "peer (ms)", "x peer");
    for (const bool bWordFirst : {false, true})
    {
        const char* pszKeys = bWordFirst ? "word, number" : "number";
        double adRatio[2] = {};
        for (int n = 0; n < 2; ++n)
        {
            const Figures f = Measure(parent, anRows[n], bWordFirst);
            adRatio[n] = f.dGrid / f.dPeer;
            std::printf("%-16s %8lu %11.2f %10.2f %8.2f %13.2f %11.2f %8.2f\n", pszKeys,
                        static_cast<unsigned long>(anRows[n]), f.dGrid * 1000, f.dPeer * 1000, adRatio[n],
                        f.dOrdering * 1000, f.dPeerOrdering * 1000, f.dOrdering / f.dPeerOrdering);
        }
        std::printf("%-16s ratio at 100,000 over the ratio at 10,000: %.2f\n\n", pszKeys, adRatio[1] / adRatio[0]);
    }
    std::printf("targets: the whole sort at most 15 x its peer, the ordering step at most 3 x; the ratio at 100,000 "
                "within 1.2 x of that at 10,000\n");
    return 0;
}
