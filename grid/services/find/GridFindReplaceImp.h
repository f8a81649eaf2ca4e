// Find and replace in a grid through the thread's find state and the framework's find dialog:
// the search walks the current cell's column from the cell next to it and looks at the texts
// the cells show; Replace All from the dialog is one undo step.
#pragma once

#include <grid/core/AbstractGridImps.h>

class CGXGridFindReplaceImp : public CGXAbstractGridFindReplaceImp
{
public:
    void OnShowFindReplaceDialog(CGXGridCore* pGrid, BOOL bFindOnly) override;
    // An empty text finds nothing.
    void Find(CGXGridCore* pGrid, LPCTSTR pszFind, BOOL bDown, BOOL bCase) override;
    BOOL FindTextInCell(CGXGridCore* pGrid, CGXControl* pControl, GX_FR_STATE& find, ROWCOL nRow, ROWCOL nCol,
                        BOOL bFromCurrent, BOOL bSelect) override;
    // Disabled cells are skipped; an abort ends the search with FALSE.
    BOOL FindInColumn(CGXGridCore* pGrid, ROWCOL& nRow, ROWCOL nCol, BOOL bSelect) override;
    BOOL FindNext(CGXGridCore* pGrid, BOOL bSelect) override;
    void Replace(CGXGridCore* pGrid, LPCTSTR pszFind, BOOL bDown, BOOL bCase, LPCTSTR pszReplace) override;
    // FALSE when nothing was replaced or the replacing was aborted; an abort from the dialog
    // that asked for a rollback undoes what was replaced.
    BOOL ReplaceAll(CGXGridCore* pGrid, LPCTSTR pszFind, LPCTSTR pszReplace, BOOL bCase, BOOL bFromDialog) override;
    // A message of the dialog goes to the grid that opened it.
    void OnFindReplace(CGXGridCore* pGrid, CFindReplaceDialog* pDialog) override;
    // The result grows as it needs; the case outside the hits stays.
    BOOL ReplaceAllInCell(CGXGridCore* pGrid, CGXControl* pControl, GX_FR_STATE& find, ROWCOL nRow,
                          ROWCOL nCol) override;
    void OnGridDestroyed(CGXGridCore* pGrid) override;

private:
    static void StoreOptions(LPCTSTR pszFind, BOOL bDown, BOOL bCase);
    static CString CellText(CGXGridCore* pGrid, CGXControl* pControl, const GX_FR_STATE& find, ROWCOL nRow,
                            ROWCOL nCol);

    CGXGridCore* m_pGrid = nullptr;
};
