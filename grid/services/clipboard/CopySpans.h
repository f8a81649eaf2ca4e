// The cells a copy visits: every row of the list's row spans crossed with every column of its
// column spans, each span bounded by the grid's count.
#pragma once

#include <grid/core/GridCore.h>
#include <grid/core/RangeList.h>

#include <vector>

class CGXCopySpans
{
public:
    CGXCopySpans(CGXGridCore* pGrid, const CGXRangeList& list)
    {
        Collect(list, pGrid->GetRowCount(), TRUE, m_rows);
        Collect(list, pGrid->GetColCount(), FALSE, m_cols);
    }

    const std::vector<ROWCOL>& Rows() const
    {
        return m_rows;
    }
    const std::vector<ROWCOL>& Cols() const
    {
        return m_cols;
    }
    ULONGLONG Cells() const
    {
        return ULONGLONG(m_rows.size()) * m_cols.size();
    }

private:
    static void Collect(const CGXRangeList& list, ROWCOL nCount, BOOL bRows, std::vector<ROWCOL>& indexes)
    {
        CDWordArray starts, ends;
        if (bRows)
            list.GetRowArray(nCount, starts, ends, FALSE);
        else
            list.GetColArray(nCount, starts, ends, FALSE);
        for (INT_PTR i = 0; i < starts.GetSize(); ++i)
            for (ULONGLONG n = starts[i]; n <= ends[i]; ++n)
                indexes.push_back(static_cast<ROWCOL>(n));
    }

    std::vector<ROWCOL> m_rows;
    std::vector<ROWCOL> m_cols;
};
