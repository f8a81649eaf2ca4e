// Undo and redo commands. Each command holds the inverse of one change the grid made: executing
// it (through CGXCommandFactory::ExecuteCommand) calls the grid operation that puts the old state
// back, with the update flags GX_UPDATENOW and the command mode, and that operation records the
// inverse of the inverse. The names are those of the user action the command takes back.
#pragma once

#include <afxwin.h>

#include <grid/core/Range.h>

#include <memory>

class CGXGridCore;
class CGXProperties;
class CGXStyle;
class CGXStylesMap;

// Command modes: a new action, the rollback of an open block (records nothing), undo, redo.
enum : int
{
    gxDo = 0,
    gxRollback = 1,
    gxUndo = 2,
    gxRedo = 3
};

class CGXCommand : public CObject
{
    DECLARE_DYNAMIC(CGXCommand)
public:
    ~CGXCommand() override;
    // What the grid operation answers.
    virtual BOOL Execute(CGXGridCore* pGrid, int nMode) = 0;
    virtual CString GetName() = 0;

    // The current cell when the command was recorded.
    ROWCOL m_nRow = 0;
    ROWCOL m_nCol = 0;
    BOOL m_bCurrentCell = FALSE;
    // The formula engine's own undo record of the change (owned), or null.
    CObject* m_pEngineUndoInfo = nullptr;
};

// Commands run as one step, newest at the head of the list.
class CGXBlockCmd : public CGXCommand
{
    DECLARE_DYNAMIC(CGXBlockCmd)
public:
    // "Block" without a name.
    explicit CGXBlockCmd(LPCTSTR pszName);
    ~CGXBlockCmd() override;
    BOOL Execute(CGXGridCore* pGrid, int nMode) override;
    CString GetName() override;

    CObList m_CommandList;
    CString m_strName;
};

// Declares a command class whose name comes from the string table.
#define GX_DECLARE_COMMAND(class_name)                                                                                 \
    DECLARE_DYNAMIC(class_name)                                                                                        \
public:                                                                                                                \
    BOOL Execute(CGXGridCore* pGrid, int nMode) override;                                                              \
    CString GetName() override;

// The row and column twins keep lines nFrom .. nTo with one owned value per line.
template <class VALUES> class CGXLinesCmd : public CGXCommand
{
public:
    CGXLinesCmd(ROWCOL nFrom, ROWCOL nTo, typename std::unique_ptr<VALUES>::pointer pValues)
        : m_nFrom(nFrom), m_nTo(nTo), m_pValues(pValues)
    {
    }
    ROWCOL m_nFrom, m_nTo;
    std::unique_ptr<VALUES> m_pValues;
};

// Heights and widths.
class CGXSetRowHeightCmd : public CGXLinesCmd<int[]>
{
    GX_DECLARE_COMMAND(CGXSetRowHeightCmd)
    using CGXLinesCmd::CGXLinesCmd;
};

class CGXSetColWidthCmd : public CGXLinesCmd<int[]>
{
    GX_DECLARE_COMMAND(CGXSetColWidthCmd)
    using CGXLinesCmd::CGXLinesCmd;
};

// Hidden states.
class CGXHideRowsCmd : public CGXLinesCmd<CByteArray>
{
    GX_DECLARE_COMMAND(CGXHideRowsCmd)
    using CGXLinesCmd::CGXLinesCmd;
};

class CGXHideColsCmd : public CGXLinesCmd<CByteArray>
{
    GX_DECLARE_COMMAND(CGXHideColsCmd)
    using CGXLinesCmd::CGXLinesCmd;
};

class CGXSetDefaultRowHeightCmd : public CGXCommand
{
    GX_DECLARE_COMMAND(CGXSetDefaultRowHeightCmd)
    explicit CGXSetDefaultRowHeightCmd(int nHeight) : m_nHeight(nHeight)
    {
    }
    int m_nHeight;
};

class CGXSetDefaultColWidthCmd : public CGXCommand
{
    GX_DECLARE_COMMAND(CGXSetDefaultColWidthCmd)
    explicit CGXSetDefaultColWidthCmd(int nWidth) : m_nWidth(nWidth)
    {
    }
    int m_nWidth;
};

class CGXMoveRowsCmd : public CGXCommand
{
    GX_DECLARE_COMMAND(CGXMoveRowsCmd)
    CGXMoveRowsCmd(ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest) : m_nFrom(nFrom), m_nTo(nTo), m_nDest(nDest)
    {
    }
    ROWCOL m_nFrom, m_nTo, m_nDest;
};

class CGXMoveColsCmd : public CGXCommand
{
    GX_DECLARE_COMMAND(CGXMoveColsCmd)
    CGXMoveColsCmd(ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest) : m_nFrom(nFrom), m_nTo(nTo), m_nDest(nDest)
    {
    }
    ROWCOL m_nFrom, m_nTo, m_nDest;
};

class CGXRemoveRowsCmd : public CGXCommand
{
    GX_DECLARE_COMMAND(CGXRemoveRowsCmd)
    CGXRemoveRowsCmd(ROWCOL nFrom, ROWCOL nTo) : m_nFrom(nFrom), m_nTo(nTo)
    {
    }
    ROWCOL m_nFrom, m_nTo;
};

class CGXRemoveColsCmd : public CGXCommand
{
    GX_DECLARE_COMMAND(CGXRemoveColsCmd)
    CGXRemoveColsCmd(ROWCOL nFrom, ROWCOL nTo) : m_nFrom(nFrom), m_nTo(nTo)
    {
    }
    ROWCOL m_nFrom, m_nTo;
};

// The style arrays of the insert and style commands hold one style per cell, row by row; an
// element past the last cell holds the formula engine's record of the cells (owned).
// Inserting puts back nCount removed lines from nFirst: their sizes, cell styles (nOtherCount
// per line) and base styles, all owned.
class CGXInsertLinesCmd : public CGXCommand
{
public:
    CGXInsertLinesCmd(ROWCOL nFirst, ROWCOL nCount, int* pSizes, CObArray* pCellStyles, CObArray* pLineStyles,
                      ROWCOL nOtherCount)
        : m_nFirst(nFirst), m_nCount(nCount), m_pSizes(pSizes), m_pCellStyles(pCellStyles), m_pLineStyles(pLineStyles),
          m_nOtherCount(nOtherCount)
    {
    }
    ~CGXInsertLinesCmd() override;
    ROWCOL m_nFirst, m_nCount;
    std::unique_ptr<int[]> m_pSizes;
    CObArray* m_pCellStyles;
    CObArray* m_pLineStyles;
    ROWCOL m_nOtherCount;
};

class CGXInsertRowsCmd : public CGXInsertLinesCmd
{
    GX_DECLARE_COMMAND(CGXInsertRowsCmd)
    using CGXInsertLinesCmd::CGXInsertLinesCmd;
};

class CGXInsertColsCmd : public CGXInsertLinesCmd
{
    GX_DECLARE_COMMAND(CGXInsertColsCmd)
    using CGXInsertLinesCmd::CGXInsertLinesCmd;
};

class CGXSetCoveredCellsCmd : public CGXCommand
{
    GX_DECLARE_COMMAND(CGXSetCoveredCellsCmd)
    CGXSetCoveredCellsCmd(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight)
        : m_nTop(nTop), m_nLeft(nLeft), m_nBottom(nBottom), m_nRight(nRight)
    {
    }
    ROWCOL m_nTop, m_nLeft, m_nBottom, m_nRight;
};

class CGXSetStyleRangeCmd : public CGXCommand
{
    GX_DECLARE_COMMAND(CGXSetStyleRangeCmd)
    CGXSetStyleRangeCmd(const CGXRange& range, int nType, CObArray* pStyles);
    ~CGXSetStyleRangeCmd() override;
    CGXRange m_range;
    int m_nType;
    CObArray* m_pStyles;
};

class CGXSetFrozenRowsCmd : public CGXCommand
{
    GX_DECLARE_COMMAND(CGXSetFrozenRowsCmd)
    CGXSetFrozenRowsCmd(ROWCOL nFrozen, ROWCOL nHeader) : m_nFrozen(nFrozen), m_nHeader(nHeader)
    {
    }
    ROWCOL m_nFrozen, m_nHeader;
};

class CGXSetFrozenColsCmd : public CGXCommand
{
    GX_DECLARE_COMMAND(CGXSetFrozenColsCmd)
    CGXSetFrozenColsCmd(ROWCOL nFrozen, ROWCOL nHeader) : m_nFrozen(nFrozen), m_nHeader(nHeader)
    {
    }
    ROWCOL m_nFrozen, m_nHeader;
};

// The order that puts the rows (columns) of the range back (owned).
class CGXMoveDataCmd : public CGXCommand
{
public:
    CGXMoveDataCmd(CDWordArray* pOrder, const CGXRange& range) : m_pOrder(pOrder), m_range(range)
    {
    }
    std::unique_ptr<CDWordArray> m_pOrder;
    CGXRange m_range;
};

class CGXMoveDataRowsCmd : public CGXMoveDataCmd
{
    GX_DECLARE_COMMAND(CGXMoveDataRowsCmd)
    using CGXMoveDataCmd::CGXMoveDataCmd;
};

class CGXMoveDataColsCmd : public CGXMoveDataCmd
{
    GX_DECLARE_COMMAND(CGXMoveDataColsCmd)
    using CGXMoveDataCmd::CGXMoveDataCmd;
};

class CGXChangeStylesMapCmd : public CGXCommand
{
    GX_DECLARE_COMMAND(CGXChangeStylesMapCmd)
    explicit CGXChangeStylesMapCmd(const CGXStylesMap& stylesMap);
    ~CGXChangeStylesMapCmd() override;
    CGXStylesMap* m_pStylesMap;
};

class CGXChangePropertiesCmd : public CGXCommand
{
    GX_DECLARE_COMMAND(CGXChangePropertiesCmd)
    explicit CGXChangePropertiesCmd(const CGXProperties& properties);
    ~CGXChangePropertiesCmd() override;
    CGXProperties* m_pProperties;
};

// Named by the base style it restores.
class CGXChangeBaseStyleCmd : public CGXCommand
{
    GX_DECLARE_COMMAND(CGXChangeBaseStyleCmd)
    CGXChangeBaseStyleCmd(const CGXStyle& style, LPCTSTR pszName, WORD nBaseStyleId);
    ~CGXChangeBaseStyleCmd() override;
    CGXStyle* m_pStyle;
    CString m_strName;
    WORD m_nBaseStyleId;
};

// Moves the cells back from the destination; the move's undo information (owned until it is
// handed to a move that succeeds) restores the cells the move overwrote.
class CGXMoveCellsCmd : public CGXCommand
{
    GX_DECLARE_COMMAND(CGXMoveCellsCmd)
    CGXMoveCellsCmd(const CGXRange& source, ROWCOL nDestRow, ROWCOL nDestCol, CObject* pUndoInfo)
        : m_source(source), m_nDestRow(nDestRow), m_nDestCol(nDestCol), m_pUndoInfo(pUndoInfo)
    {
    }
    ~CGXMoveCellsCmd() override;
    CGXRange m_source;
    ROWCOL m_nDestRow, m_nDestCol;
    CObject* m_pUndoInfo;
};

class CGXSetRangeNameCmd : public CGXCommand
{
    GX_DECLARE_COMMAND(CGXSetRangeNameCmd)
    CGXSetRangeNameCmd(LPCTSTR pszName, BOOL bHadRange, const CGXRange& oldRange)
        : m_strName(pszName), m_bHadRange(bHadRange), m_oldRange(oldRange)
    {
    }
    CString m_strName;
    BOOL m_bHadRange;
    CGXRange m_oldRange;
};

class CGXDeleteRangeNameCmd : public CGXCommand
{
    GX_DECLARE_COMMAND(CGXDeleteRangeNameCmd)
    CGXDeleteRangeNameCmd(LPCTSTR pszName, const CGXRange& range, CObject* pInfo)
        : m_strName(pszName), m_range(range), m_pInfo(pInfo)
    {
    }
    ~CGXDeleteRangeNameCmd() override;
    CString m_strName;
    CGXRange m_range;
    CObject* m_pInfo;
};

#undef GX_DECLARE_COMMAND

// Deletes the styles of an undo style array (and the objects of an element past the cells that
// is a list), then the array.
void GXDeleteUndoStyles(CObArray* pStyles);
