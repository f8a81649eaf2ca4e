// The grid of the paging benchmarks: 20 columns (four each of text, two-place numbers, dates
// in date-time cells, 3-D check boxes and static text; headers on) whose values are made on
// demand, paged from top to bottom into an 800 x 600 memory DC. Other column styles and values
// may take their place.
#pragma once

#include <grid/core/GridWnd.h>
#include <grid/core/Style.h>
#include <BenchCanvas.h>
#include <BenchFigures.h>

#include <afxwin.h>

#include <algorithm>
#include <vector>

namespace paging
{
inline const CRect kRect(0, 0, 800, 600);
inline constexpr ROWCOL kCols = 20;
inline constexpr WORD kControls[] = {52512, 0, 52543, 52523, 52513};
inline constexpr int kNumberFormat = 2;

// The cell texts of both peers, made on demand from the row and the column.
inline CString CellText(ROWCOL nRow, ROWCOL nCol)
{
    CString strText;
    switch ((nCol - 1) / 4)
    {
    case 0:
        strText.Format(L"host%05lu-%lu", static_cast<unsigned long>(nRow), static_cast<unsigned long>(nCol));
        break;
    case 1:
        strText.Format(L"%.2f", nRow * 1.25 + nCol);
        break;
    case 2:
        strText.Format(L"%lu", 36526UL + (nRow * 7 + nCol) % 9000);
        break;
    case 3:
        strText = (nRow + nCol) % 2 != 0 ? L"1" : L"0";
        break;
    default:
        strText.Format(L"static %lu", static_cast<unsigned long>(nRow));
        break;
    }
    return strText;
}

// The value of a cell, made from its row and column.
using CellTextFunction = CString (*)(ROWCOL nRow, ROWCOL nCol);

// A grid whose cells take their values from a text function, as an owner-data list does.
class PagingGrid : public CGXGridWnd
{
public:
    explicit PagingGrid(CellTextFunction pfnText = CellText) : m_pfnText(pfnText)
    {
    }
    BOOL GetStyleRowCol(ROWCOL nRow, ROWCOL nCol, CGXStyle& style, int nMode, int nType) override
    {
        const BOOL bStored = CGXGridWnd::GetStyleRowCol(nRow, nCol, style, nMode, nType);
        if (nType < 0 || nRow == 0 || nCol == 0 || nRow == GX_INVALID || nCol == GX_INVALID || nCol > kCols)
            return bStored;
        style.SetValue(m_pfnText(nRow, nCol));
        return TRUE;
    }

private:
    CellTextFunction m_pfnText;
};

// The grid's columns, their widths, each group of four columns' style and the titles, the
// first value's first four characters.
inline void SetUpGrid(CGXGridWnd& grid, CWnd& parent, ROWCOL nRows, const CGXStyle (&groups)[5],
                      CellTextFunction pfnText)
{
    grid.Create(L"GXWND", nullptr, WS_CHILD, kRect, &parent, 1);
    grid.Initialize();
    grid.SetRowCount(nRows);
    grid.SetColCount(kCols);
    for (ROWCOL nCol = 1; nCol <= kCols; ++nCol)
    {
        grid.SetStyleRangeShort(CGXRange().SetCols(nCol, nCol), groups[(nCol - 1) / 4]);
        grid.SetValueRange(CGXRange(0, nCol), pfnText(1, nCol).Left(4));
        grid.SetColWidth(nCol, nCol, 80);
    }
}

// The grid of CellText's values with the controls of each group of four columns (0: two-place
// numbers in the standard control).
inline void SetUpGrid(CGXGridWnd& grid, CWnd& parent, ROWCOL nRows, const WORD (&controls)[5] = kControls)
{
    CGXStyle groups[5];
    for (int nKind = 0; nKind < 5; ++nKind)
    {
        if (controls[nKind] != 0)
            groups[nKind].SetControl(controls[nKind]);
        else
            groups[nKind].SetFormat(kNumberFormat).SetPlaces(2).SetValueType(CGXStyle::valueNumber);
    }
    SetUpGrid(grid, parent, nRows, groups, CellText);
}

// The median time per page of drawing the grid from top to bottom once; the number of draws,
// the first one before the timed pages included.
inline double PageSeconds(CGXGridWnd& grid, size_t* pDraws = nullptr)
{
    BenchCanvas target(kRect.Width(), kRect.Height());
    grid.SetTopRow(1, 0, FALSE);
    grid.DrawGrid(&target.Dc());
    const ROWCOL nRows = grid.GetRowCount();
    const ROWCOL nPage = std::max<ROWCOL>(1, grid.GetLastVisibleRow() - grid.GetTopRow());
    std::vector<double> pages;
    for (ROWCOL nTop = 1; nTop <= nRows; nTop += nPage)
    {
        const Clock::time_point start = Clock::now();
        grid.SetTopRow(nTop, 0, FALSE);
        grid.DrawGrid(&target.Dc());
        pages.push_back(Seconds(Clock::now() - start));
    }
    if (pDraws != nullptr)
        *pDraws = pages.size() + 1;
    return Median(pages);
}
} // namespace paging
