// Cells as text that any program reads and writes: UTF-16 without a byte-order mark, cells
// separated by the copy separator (TAB), rows by CR LF, ended by a zero unit.
#pragma once

#include <grid/core/AbstractGridImps.h>

class CGXGridTextDataExchangeImp : public CGXAbstractGridTextDataExchangeImp
{
public:
    // Clipboard flag 0x1000 writes CR, LF and TAB inside a cell as "\r", "\n" and "\t" (else a
    // line break is one blank and a TAB "\t"). The core keeps the rows written and the cells of
    // the last row. FALSE when only empty cells were copied or the user aborted.
    BOOL CopyText(CGXGridCore* pGrid, CFile& file, const CGXRangeList& list) override;
    // What the cell's control shows, else its value.
    CString GetCopyTextRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol) override;
    // One undo block "Paste."; rows and columns grow unless the flags 0x0200 (then the paste
    // stops below the last row) and 0x0400 (cells beyond the last column are dropped) forbid
    // it. A cell its control refuses ends the paste, keeping the cells before it; an abort
    // undoes the block.
    BOOL PasteText(CGXGridCore* pGrid, LPCTSTR pszText, SIZE_T nBytes, const CGXRange& target) override;
    BOOL SetPasteTextRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, const CString& strText, UINT nMode,
                            const CGXStyle* pStyle) override;
    void CalcTextDimension(CGXGridCore* pGrid, LPCTSTR pszText, SIZE_T nLength, ROWCOL& nRows, ROWCOL& nCols) override;
    void SplitPasteLine(CGXGridCore* pGrid, const CString& strLine, CStringArray& fields) override;
};
