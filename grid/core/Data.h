// The grid's store of cell contents: the style of every cell and the base style of every row
// and column, kept sparse, with the row and column counts. The grid reads and writes them
// through the virtual operations; the formula sheet derives from it.
#pragma once

#include <afx.h>

#include <grid/core/Range.h>
#include <grid/core/Style.h>
#include <grid/core/StylePtrArrayPtrArray.h>

class CGXAppData;
class CGXGridCore;
class CGXGridParam;

class CGXData : public CObject
{
    DECLARE_SERIAL(CGXData)
public:
    CGXData();
    CGXData(const CGXData&) = delete;
    ~CGXData() override;

    // Through the application's document-serialize feature; nothing without it.
    void Serialize(CArchive& ar) override;
    // Deletes every style; the counts stay.
    virtual void DeleteContents();
    // Deep copies of the styles, then the counts.
    virtual CGXData& operator=(const CGXData& source);
    // Called by a grid that made this object for its parameter object.
    virtual void InitParam(CGXGridParam* pParam);

    virtual ROWCOL GetRowCount();
    virtual ROWCOL GetColCount();
    // Through the remove and insert operations, so that a derived store sees every change.
    virtual BOOL SetRowCount(ROWCOL nRows);
    virtual BOOL SetColCount(ROWCOL nCols);
    virtual BOOL InsertRowsImpl(ROWCOL nRow, ROWCOL nCount);
    virtual BOOL InsertColsImpl(ROWCOL nCol, ROWCOL nCount);
    // Rows (columns) past the count do not exist: only those up to the count are removed.
    virtual BOOL RemoveRowsImpl(ROWCOL nFromRow, ROWCOL nToRow);
    virtual BOOL RemoveColsImpl(ROWCOL nFromCol, ROWCOL nToCol);
    // nDestRow is where the first moved row ends up.
    virtual BOOL MoveRowsImpl(ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow);
    virtual BOOL MoveColsImpl(ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol);

    // Done by the application's copy/move-cells and sort-move features; FALSE without them.
    virtual BOOL CopyCells(CGXRange range, ROWCOL nDestRow, ROWCOL nDestCol);
    virtual BOOL MoveCells(CGXRange range, ROWCOL nDestRow, ROWCOL nDestCol, CObject*& pUndoInfo, BOOL bCreateUndoInfo);
    virtual BOOL MoveDataRows(const CGXRange& range, const CDWordArray& order);
    virtual BOOL MoveDataCols(const CGXRange& range, const CDWordArray& order);

    // nType -1 addresses the base style of row nRow, or with row 0 of column nCol; any other
    // type the cell. A null style deletes what is stored. The counts grow to cover the cell.
    virtual BOOL StoreStyleImpl(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, int nMode, int nType);
    // Merges the stored style into style by the mode (2 copies it); FALSE when none is stored.
    virtual BOOL GetStyleImpl(ROWCOL nRow, ROWCOL nCol, CGXStyle& style, int nMode, int nType);

    // Hooks of the formula sheet, with the defaults of a store without formulas. What each
    // does in the formula sheet:
    //   GetEngineCellFlag      whether the cell needs a refresh
    //   SetEngineCellFlag      sets or clears the cell's refresh flag
    //   UpdateEngineRange      adds a changed range
    //   EnableEngineRecalc     recalculates (TRUE: forced)
    //   RecalcEngine           clears the waiting message
    //   GetEngineErrorText     gets the waiting message; FALSE when there is none
    //   DetachEngineUndoInfo   takes the collected undo information
    //   ApplyEngineUndoInfo    applies it (undo mode, redo flag)
    //   ExchangeEngineMode     sets the undo mode, answers the old one
    //   EngineCellsHook        defines a range name (with undo information: puts it back)
    //   GetEngineNamedRange    gets a range name's range
    //   SetEngineExpression    removes a range name, optionally collecting undo information
    virtual BOOL GetEngineCellFlag(ROWCOL nRow, ROWCOL nCol);
    virtual void SetEngineCellFlag(ROWCOL nRow, ROWCOL nCol, BOOL bFlag);
    virtual void UpdateEngineRange(const CGXRange& range);
    virtual void EnableEngineRecalc(BOOL bEnable);
    virtual void RecalcEngine();
    virtual BOOL GetEngineErrorText(CString& strText);
    virtual CObject* DetachEngineUndoInfo();
    virtual BOOL ApplyEngineUndoInfo(CObject* pUndoInfo, DWORD dwValue1, DWORD dwValue2);
    virtual int ExchangeEngineMode(int nMode);
    virtual BOOL EngineCellsHook(LPCTSTR pszName, const CGXRange& range, CObject* pUndoInfo);
    virtual BOOL GetEngineNamedRange(LPCTSTR pszName, CGXRange& range);
    virtual BOOL SetEngineExpression(LPCTSTR pszText, CObject*& pUndoInfo, BOOL bFlag);

    // The first grid registered for this object, or null.
    CGXGridCore* FindRegisteredHandler();

protected:
    // Copies and moves cells inside the store.
    friend class CGXDataCopyMoveCellsImp;
    // Archives the counts and the style arrays.
    friend class CGXGridDocSerializeImp;
    // Puts rows and columns into a sort order.
    friend class CGXGridSortMoveDataImp;
    ROWCOL m_nRows = 0;
    ROWCOL m_nCols = 0;
    CGXStylePtrArray m_apRowBaseStyle;
    CGXStylePtrArray m_apColBaseStyle;
    CGXStylePtrArrayPtrArray m_apapCellStyle;
    // Work objects of derived stores.
    CGXStyle m_styleScratch1;
    CGXStyle m_styleScratch2;
    CGXAppData* m_pAppData;

private:
    // Where a style is kept; the array is null while the cell's row has none.
    struct Slot
    {
        CGXStylePtrArray* pArray;
        INT_PTR nIndex;

        CGXStyle* GetStyle() const
        {
            return pArray != nullptr ? pArray->GetStyle(nIndex) : nullptr;
        }
    };
    Slot FindSlot(ROWCOL nRow, ROWCOL nCol, int nType);
};
