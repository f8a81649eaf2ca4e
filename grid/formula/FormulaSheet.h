// The grid's data store with formulas: cell values live in a formula-engine sheet, while row
// and column styles and the headers stay in the CGXData part. The sheet converts grid
// coordinates (engine row = grid row, engine column = grid column - 1), shows values and
// formulas as text, keeps the engine's undo information for the grid's commands and reads
// and writes itself in archives.
#pragma once

#include <grid/core/Data.h>
#include <grid/formula/EngineStore.h>

struct GXEngineExpr;
struct GXEngineName;

// One compiled expression, owned.
class CGXFormula : public CObject
{
public:
    CGXFormula();
    CGXFormula(const CGXFormula&) = delete;
    CGXFormula& operator=(const CGXFormula&) = delete;
    ~CGXFormula() override;

    GXEngineExpr* GetExpression() const
    {
        return m_pExpr;
    }

private:
    GXEngineExpr* m_pExpr;
};

// What an engine operation took out of the sheet and put in, to be applied back by undo.
class CGXUndoEngineCellsInfo : public CObject
{
    DECLARE_DYNAMIC(CGXUndoEngineCellsInfo)
public:
    CGXUndoEngineCellsInfo() = default;
    CGXUndoEngineCellsInfo(const CGXUndoEngineCellsInfo&) = delete;
    CGXUndoEngineCellsInfo& operator=(const CGXUndoEngineCellsInfo&) = delete;
    ~CGXUndoEngineCellsInfo() override;

    // Nodes chained through their next pointers.
    GXEngineNode* m_pOldCells = nullptr;
    GXEngineNode* m_pNewCells = nullptr;
    GXEngineRange m_range = {};
    // The range is cleared before the cells are put back.
    BOOL m_bClearRange = FALSE;
    GXEngineName* m_pRemovedName = nullptr;
};

class CGXFormulaSheet : public CGXData
{
    DECLARE_SERIAL(CGXFormulaSheet)
public:
    CGXFormulaSheet();
    CGXFormulaSheet(const CGXFormulaSheet&) = delete;
    ~CGXFormulaSheet() override;

    void Serialize(CArchive& ar) override;
    void DeleteContents() override;
    // From another formula sheet: cells, settings and names. From a plain store: its values
    // move into the engine.
    CGXData& operator=(const CGXData& source) override;
    CGXFormulaSheet& operator=(const CGXFormulaSheet& source)
    {
        operator=(static_cast<const CGXData&>(source));
        return *this;
    }

    void InitParam(CGXGridParam* pParam) override;

    BOOL InsertRowsImpl(ROWCOL nRow, ROWCOL nCount) override;
    BOOL InsertColsImpl(ROWCOL nCol, ROWCOL nCount) override;
    BOOL RemoveRowsImpl(ROWCOL nFromRow, ROWCOL nToRow) override;
    BOOL RemoveColsImpl(ROWCOL nFromCol, ROWCOL nToCol) override;
    BOOL MoveRowsImpl(ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow) override;
    BOOL MoveColsImpl(ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol) override;
    BOOL CopyCells(CGXRange range, ROWCOL nDestRow, ROWCOL nDestCol) override;
    BOOL MoveCells(CGXRange range, ROWCOL nDestRow, ROWCOL nDestCol, CObject*& pUndoInfo,
                   BOOL bCreateUndoInfo) override;
    // Entry i of the order is the old position, relative to the range's first row (column), of
    // the row (column) that ends at position i.
    BOOL MoveDataRows(const CGXRange& range, const CDWordArray& order) override;
    BOOL MoveDataCols(const CGXRange& range, const CDWordArray& order) override;

    BOOL StoreStyleImpl(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, int nMode, int nType) override;
    BOOL GetStyleImpl(ROWCOL nRow, ROWCOL nCol, CGXStyle& style, int nMode, int nType) override;

    BOOL GetEngineCellFlag(ROWCOL nRow, ROWCOL nCol) override;
    void SetEngineCellFlag(ROWCOL nRow, ROWCOL nCol, BOOL bFlag) override;
    void UpdateEngineRange(const CGXRange& range) override;
    void EnableEngineRecalc(BOOL bForced) override;
    void RecalcEngine() override;
    BOOL GetEngineErrorText(CString& strText) override;
    CObject* DetachEngineUndoInfo() override;
    BOOL ApplyEngineUndoInfo(CObject* pUndoInfo, DWORD dwMode, DWORD dwRedo) override;
    int ExchangeEngineMode(int nMode) override;
    BOOL EngineCellsHook(LPCTSTR pszName, const CGXRange& range, CObject* pUndoInfo) override;
    BOOL GetEngineNamedRange(LPCTSTR pszName, CGXRange& range) override;
    BOOL SetEngineExpression(LPCTSTR pszName, CObject*& pUndoInfo, BOOL bCollect) override;

    // Settings, forwarded to the engine; the setters refuse other values with FALSE.
    BOOL SetIterationLimit(int nLimit);
    int GetIterationLimit() const;
    BOOL SetBlanksAsZero(BOOL bZero);
    BOOL GetBlanksAsZero() const;
    BOOL SetManualRecalc(BOOL bManual);
    BOOL GetManualRecalc() const;
    BOOL SetEagerRecalc(BOOL bEager);
    BOOL GetEagerRecalc() const;
    // Also registers the base style "Constraint Violation" with the grid that uses the sheet.
    BOOL SetConstraintCheck(BOOL bCheck);
    BOOL GetConstraintCheck() const;

    // Text not starting with "=" is refused; a formula that does not compile leaves the
    // message "Cell %s%d: ERROR: %s (Pos %d)".
    BOOL SetFormulaRowCol(ROWCOL nRow, ROWCOL nCol, LPCTSTR pszText);
    BOOL SetTextRowCol(ROWCOL nRow, ROWCOL nCol, LPCTSTR pszText);
    BOOL SetNumberRowCol(ROWCOL nRow, ROWCOL nCol, double dValue);
    BOOL SetFormatRowCol(ROWCOL nRow, ROWCOL nCol, int nFormat, int nPlaces);
    // FALSE when the cell has no own style with a format.
    BOOL GetFormatRowCol(ROWCOL nRow, ROWCOL nCol, int& nFormat, int& nPlaces);
    // The smart entry: numbers as the grid's number formatting reads them, "#N/A", "'" for text, "="
    // for formulas, else text.
    BOOL SetExpressionRowCol(ROWCOL nRow, ROWCOL nCol, LPCTSTR pszText);
    // 0 when the cell holds no number.
    double GetNumberRowCol(ROWCOL nRow, ROWCOL nCol);
    // What the grid shows, and what the editor shows.
    CString GetValueRowCol(ROWCOL nRow, ROWCOL nCol);
    CString GetFormulaRowCol(ROWCOL nRow, ROWCOL nCol);
    CString GetNodeValueText(GXEngineNode* pNode);
    CString GetNodeFormulaText(GXEngineNode* pNode);

    // The value text of an expression evaluated apart from the cells; FALSE for an error.
    BOOL EvaluateFormula(CString& strResult, const CGXFormula& formula);
    // Compiles and evaluates; a compile failure leaves its message in the result.
    BOOL EvaluateFormulaText(CString& strResult, LPCTSTR pszText);
    BOOL CompileFormula(LPCTSTR pszText, CGXFormula& formula);

    int GetEngineSheet() const
    {
        return m_nSheet;
    }

private:
    GXEngineNode* FindNode(ROWCOL nRow, ROWCOL nCol) const;
    // Brings a formula not computed in this pass up to date.
    void Refresh(GXEngineNode* pNode);
    // Moves the engine's undo list into the pending information.
    void CollectUndo(const GXEngineRange& range, BOOL bClearRange);
    CGXUndoEngineCellsInfo& PendingUndo();
    void PutBack(GXEngineNode*& pChain);
    void ReorderData(BOOL bRows, const CGXRange& range, const CDWordArray& order);
    // Reorders the engine cells, then the styles; a refused move of the styles puts the engine
    // cells back and answers FALSE.
    BOOL MoveData(BOOL bRows, const CGXRange& range, const CDWordArray& order);
    void CopyEngineFrom(const CGXFormulaSheet& source);
    void MoveValuesIntoEngine();
    void SerializeCells(CArchive& ar);
    void LoadCells(CArchive& ar);
    void LoadNames(const CStringArray& names);
    void GetNameTexts(CStringArray& names) const;
    BOOL StoreValueOf(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, int nType);
    // The own style of the cell, made when needed.
    CGXStyle& OwnStyle(GXEngineNode* pNode);
    // The id of the base style shown on a violated constraint, registered in the styles map of
    // the grid that uses the sheet on first use; 0 while no grid has a styles map.
    WORD ConstraintStyleId();

    WORD m_nConstraintStyleId = 0;
    int m_nSheet;
    int m_nUndoMode = 0;
    CGXUndoEngineCellsInfo* m_pUndoInfo = nullptr;
};
