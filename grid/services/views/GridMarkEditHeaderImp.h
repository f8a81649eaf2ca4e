// Marked headers: the row and column headers of the current cell, and the headers of selected
// whole rows and columns, show as marked; moving the current cell redraws the headers.
#pragma once

#include <grid/core/AbstractGridImps.h>

class CGXGridMarkEditHeaderImp : public CGXAbstractGridMarkEditHeaderImp
{
public:
    // which 0: both headers, 1: the column header, 2: the row header.
    void RefreshMarkedHeaders(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, int nWhich, UINT flags) override;
    BOOL IsHeaderMarked(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol) override;
};
