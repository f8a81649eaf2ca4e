// Pasting 10,000 and 100,000 cells (10 columns of numbers and words) as tab-separated text into
// an empty hidden grid with undo on, against a plain loop that splits the same text into a
// vector of rows of strings; and copying the same cells as text (CopyText) against a plain loop
// that joins them. Prints the median of 5 runs of each, the ratios to the peers and the ratio
// of the costs per cell at 100,000 and at 10,000. Then pastes one line of 100,000 fields, which
// grows the columns instead of the rows (the user is asked and says OK), and prints its cost per
// cell against that of the 10-column paste of 100,000 cells. Each measured paste runs in a process
// of its own after one unmeasured paste of the same text, the sizes taking turns round after
// round: under Wine the heap keeps some of the memory that an earlier paste freed, so that a paste
// after one of another size would be spared (or charged) page faults that it pays on its own, and
// the machine's speed changes from minute to minute.
#include <grid/core/GridInit.h>
#include <grid/core/GridParam.h>
#include <grid/core/GridWnd.h>
#include <grid/core/RangeList.h>
#include <BenchFigures.h>
#include <testing/ChildProcess.h>
#include <testing/TempDirectory.h>

#include <afxwin.h>
#include <shellapi.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace
{
const ROWCOL kCols = 10;
const ROWCOL anRows[2] = {10000, 1000}; // 100,000 and 10,000 cells
const ROWCOL kWideFields = 100000;
const int kRuns = 5;

// Says OK to the question a paste of more columns than a styles copy takes asks.
class BenchApp : public CWinApp
{
public:
    int DoMessageBox(LPCTSTR, UINT, UINT) override
    {
        return IDOK;
    }
};

using Rows = std::vector<std::vector<std::wstring>>;

Rows MakeCells(ROWCOL nRows)
{
    Rows rows(nRows);
    for (ROWCOL r = 0; r < nRows; ++r)
        for (ROWCOL c = 0; c < kCols; ++c)
            rows[r].push_back(c % 2 == 0 ? std::to_wstring(r * 37 + c) : L"word" + std::to_wstring(r % 97 + c));
    return rows;
}

std::wstring Join(const Rows& rows)
{
    std::wstring text;
    for (const auto& row : rows)
    {
        for (size_t c = 0; c < row.size(); ++c)
        {
            if (c > 0)
                text += L'\t';
            text += row[c];
        }
        text += L"\r\n";
    }
    return text;
}

Rows Split(const std::wstring& text)
{
    Rows rows;
    size_t nPos = 0;
    while (nPos < text.size())
    {
        const size_t nEnd = text.find(L"\r\n", nPos);
        const std::wstring line = text.substr(nPos, nEnd - nPos);
        std::vector<std::wstring> cells;
        for (size_t nStart = 0;;)
        {
            const size_t nTab = line.find(L'\t', nStart);
            cells.push_back(line.substr(nStart, nTab - nStart));
            if (nTab == std::wstring::npos)
                break;
            nStart = nTab + 1;
        }
        rows.push_back(std::move(cells));
        nPos = nEnd + 2;
    }
    return rows;
}

// A hidden grid under the parent, empty or filled with the cells, undo on.
std::unique_ptr<CGXGridWnd> MakeGrid(CWnd& parent, const Rows* pCells)
{
    auto grid = std::make_unique<CGXGridWnd>();
    grid->Create(L"GXWND", nullptr, WS_CHILD, CRect(0, 0, 800, 600), &parent, 1);
    grid->Initialize();
    grid->SetColCount(kCols);
    if (pCells != nullptr)
    {
        grid->GetParam()->m_bUndoEnabled = FALSE;
        grid->SetRowCount(static_cast<ROWCOL>(pCells->size()));
        for (ROWCOL r = 0; r < pCells->size(); ++r)
            for (ROWCOL c = 0; c < kCols; ++c)
                grid->SetValueRange(CGXRange(r + 1, c + 1), (*pCells)[r][c].c_str());
    }
    grid->GetParam()->m_bUndoEnabled = TRUE;
    return grid;
}

// The time of pasting the text into an empty grid after a first paste of it, unmeasured; the grid
// must then hold nRows rows and nCols columns with the last cell last.
double PasteSeconds(CWnd& parent, const std::wstring& text, ROWCOL nRows, ROWCOL nCols, const std::wstring& last)
{
    double dSeconds = 0;
    for (int paste = 0; paste < 2; ++paste)
    {
        std::unique_ptr<CGXGridWnd> grid = MakeGrid(parent, nullptr);
        const Clock::time_point start = Clock::now();
        grid->PasteTextToCells(text.c_str(), 1, 1);
        dSeconds = Seconds(Clock::now() - start);
        if (grid->GetRowCount() != nRows || grid->GetColCount() != nCols ||
            grid->GetValueRowCol(nRows, nCols) != last.c_str())
            std::printf("the paste of %lu x %lu cells is wrong\n", static_cast<unsigned long>(nRows),
                        static_cast<unsigned long>(nCols));
        grid->DestroyWindow();
    }
    return dSeconds;
}

struct Figures
{
    double dPaste, dSplit, dCopy, dJoin;
};

Figures Measure(CWnd& parent, ROWCOL nRows)
{
    const Rows cells = MakeCells(nRows);
    const std::wstring text = Join(cells);
    Figures figures{};

    figures.dPaste = PasteSeconds(parent, text, nRows, kCols, cells.back().back());
    size_t nSplit = 0;
    figures.dSplit = MedianSecondsOf(kRuns, [&] { nSplit += Split(text).size(); });

    std::unique_ptr<CGXGridWnd> filled = MakeGrid(parent, &cells);
    CGXRangeList list;
    list.AddTail(new CGXRange(1, 1, nRows, kCols));
    CString strCopied;
    figures.dCopy = MedianSecondsOf(kRuns, [&] { filled->CopyTextFromRangeList(list, strCopied); });
    if (std::wstring(strCopied) != text)
        std::printf("the copy of %lu rows is wrong\n", static_cast<unsigned long>(nRows));
    filled->DestroyWindow();
    size_t nJoined = 0;
    figures.dJoin = MedianSecondsOf(kRuns, [&] { nJoined += Join(cells).size(); });
    return figures;
}
// One line of the fields as a paste of it measures; the copy figures stay 0.
Figures MeasureWide(CWnd& parent, ROWCOL nFields)
{
    Rows line(1);
    for (ROWCOL c = 0; c < nFields; ++c)
        line[0].push_back(c % 2 == 0 ? std::to_wstring(c * 37) : L"word" + std::to_wstring(c % 97));
    const std::wstring text = Join(line);
    Figures figures{};
    figures.dPaste = PasteSeconds(parent, text, 1, nFields, line[0].back());
    return figures;
}

// Measures the size (nRows rows of 10 columns, or with bWide one line of nRows fields) in this
// process and writes the figures to the file.
int MeasureHere(ROWCOL nRows, BOOL bWide, const CString& file)
{
    BenchApp app;
    GXInitLibraryDefault();
    CWnd parent;
    parent.CreateEx(0, nullptr, L"", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr);
    const Figures figures = bWide ? MeasureWide(parent, nRows) : Measure(parent, nRows);
    parent.DestroyWindow();
    CStdioFile out(file, CFile::modeCreate | CFile::modeWrite | CFile::typeText);
    CString line;
    line.Format(L"%.9f %.9f %.9f %.9f\n", figures.dPaste, figures.dSplit, figures.dCopy, figures.dJoin);
    out.WriteString(line);
    return 0;
}

// Starts this program to measure the size.
bool MeasureInProcess(ROWCOL nRows, BOOL bWide, const CString& file, Figures& figures)
{
    wchar_t program[MAX_PATH];
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    CString arguments;
    arguments.Format(L"%s %lu \"%s\"", bWide ? L"wide" : L"measure", static_cast<unsigned long>(nRows),
                     file.GetString());
    CStdioFile in;
    CString line;
    return RunChildProcess(program, arguments, 600000) == 0 && in.Open(file, CFile::modeRead | CFile::typeText) &&
           in.ReadString(line) &&
           swscanf(line, L"%lf %lf %lf %lf", &figures.dPaste, &figures.dSplit, &figures.dCopy, &figures.dJoin) == 4;
}
} // namespace

int main()
{
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc == 4 && (wcscmp(argv[1], L"measure") == 0 || wcscmp(argv[1], L"wide") == 0))
        return MeasureHere(static_cast<ROWCOL>(_wtoi(argv[2])), wcscmp(argv[1], L"wide") == 0, argv[3]);
    LocalFree(argv);

    TempDirectory directory;
    const struct
    {
        ROWCOL nCount;
        BOOL bWide;
    } sizes[] = {{anRows[0], FALSE}, {anRows[1], FALSE}, {kWideFields, TRUE}};
    std::vector<Figures> rounds[std::size(sizes)];
    for (int run = 0; run < kRuns; ++run)
        for (size_t i = 0; i < std::size(sizes); ++i)
        {
            Figures figures{};
            if (!MeasureInProcess(sizes[i].nCount, sizes[i].bWide, directory.File(L"figures.txt"), figures))
            {
                std::fprintf(stderr, "a measurement failed\n");
                return 1;
            }
            rounds[i].push_back(figures);
        }
    const auto median = [&](size_t i) {
        const auto of = [&](double Figures::*pFigure) {
            std::vector<double> values;
            for (const Figures& figures : rounds[i])
                values.push_back(figures.*pFigure);
            return Median(values);
        };
        return Figures{of(&Figures::dPaste), of(&Figures::dSplit), of(&Figures::dCopy), of(&Figures::dJoin)};
    };
    const Figures large = median(0), small = median(1), wide = median(2);

    std::printf("10 columns of numbers and words, undo on; median of %d runs each, each paste after one of its size in "
                "a process of its own\n",
                kRuns);
    std::printf("10,000 cells: paste %.3f ms (split %.3f ms), copy %.3f ms (join %.3f ms)\n", small.dPaste * 1000,
                small.dSplit * 1000, small.dCopy * 1000, small.dJoin * 1000);
    std::printf("targets: paste at most 30 x its peer, copy at most 10 x; per-cell cost at 100,000 within 1.2 x of "
                "that at 10,000\n\n");
    std::printf("%-22s %12s %12s %10s %8s %14s %14s %8s\n", "operation", "100,000 (ms)", "peer (ms)", "x peer",
                "target", "us/cell 100k", "us/cell 10k", "ratio");
    const struct
    {
        const char* pszName;
        double dLarge, dLargePeer, dSmall, dTarget;
    } rows[] = {
        {"PasteText", large.dPaste, large.dSplit, small.dPaste, 30},
        {"CopyText", large.dCopy, large.dJoin, small.dCopy, 10},
    };
    for (const auto& row : rows)
    {
        const double dLargeCell = row.dLarge / 100000 * 1e6;
        const double dSmallCell = row.dSmall / 10000 * 1e6;
        std::printf("%-22s %12.3f %12.3f %10.2f %8.0f %14.4f %14.4f %8.2f\n", row.pszName, row.dLarge * 1000,
                    row.dLargePeer * 1000, row.dLarge / row.dLargePeer, row.dTarget, dLargeCell, dSmallCell,
                    dLargeCell / dSmallCell);
    }
    const double dWideCell = wide.dPaste / kWideFields * 1e6;
    const double dTallCell = large.dPaste / 100000 * 1e6;
    std::printf("\none line of 100,000 fields: paste %.3f ms, %.4f us/cell, %.2f x the 10-column paste of 100,000 "
                "cells (target at most 1.2)\n",
                wide.dPaste * 1000, dWideCell, dWideCell / dTallCell);
    return 0;
}
