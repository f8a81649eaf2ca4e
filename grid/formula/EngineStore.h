// The formula engine's state and cell store: C-style structures named by integer sheet
// handles, a pool of cell nodes in blocks of 32, a hash table by row and column, occupancy
// counts with the used extent, the changed ranges that drive recalculation and the undo list.
// Everything runs on the user-interface thread, without locks.
#pragma once

#include <afx.h>

#include <grid/core/Style.h>

#include <cstddef>

constexpr LONG GX_ENGINE_MAX_ROW = 0x7FFFFF;
constexpr LONG GX_ENGINE_MAX_COL = 4095;
constexpr int GX_ENGINE_HASH_SIZE = 32749;
constexpr int GX_ENGINE_BLOCK_NODES = 32;
constexpr int GX_ENGINE_MESSAGE_SIZE = 256;
// Texts longer than this are cut when stored as values and refused as formulas.
constexpr int GX_ENGINE_MAX_TEXT = 511;

// A range of cells packed into three words: rows in 24 bits, columns in 13, four absolute
// bits, a single-cell bit (written without a second part) and a bit kept as it is.
struct GXEngineRange
{
    enum : DWORD
    {
        rowMask = 0xFFFFFF,
        colMask = 0x1FFF,
        absTopRow = 1u << 13,
        absLeftCol = 1u << 14,
        absBottomRow = 1u << 28,
        absRightCol = 1u << 29,
        singleCell = 1u << 30,
        keepBit = 1u << 31
    };

    DWORD dwTop;
    DWORD dwBottom;
    DWORD dwCols;

    LONG Top() const
    {
        return static_cast<LONG>(dwTop & rowMask);
    }
    LONG Bottom() const
    {
        return static_cast<LONG>(dwBottom & rowMask);
    }
    LONG Left() const
    {
        return static_cast<LONG>(dwCols & colMask);
    }
    LONG Right() const
    {
        return static_cast<LONG>((dwCols >> 15) & colMask);
    }
    void SetTop(LONG nRow)
    {
        dwTop = (dwTop & ~rowMask) | (static_cast<DWORD>(nRow) & rowMask);
    }
    void SetBottom(LONG nRow)
    {
        dwBottom = (dwBottom & ~rowMask) | (static_cast<DWORD>(nRow) & rowMask);
    }
    void SetLeft(LONG nCol)
    {
        dwCols = (dwCols & ~colMask) | (static_cast<DWORD>(nCol) & colMask);
    }
    void SetRight(LONG nCol)
    {
        dwCols = (dwCols & ~(colMask << 15)) | ((static_cast<DWORD>(nCol) & colMask) << 15);
    }
    BOOL Has(DWORD dwBit) const
    {
        return (dwCols & dwBit) != 0;
    }
    void Set(DWORD dwBit, BOOL bSet)
    {
        dwCols = bSet ? dwCols | dwBit : dwCols & ~dwBit;
    }
    BOOL Contains(LONG nRow, LONG nCol) const
    {
        return nRow >= Top() && nRow <= Bottom() && nCol >= Left() && nCol <= Right();
    }
    LONGLONG Area() const
    {
        return (static_cast<LONGLONG>(Bottom()) - Top() + 1) * (static_cast<LONGLONG>(Right()) - Left() + 1);
    }
};

// A range of plain cells, without absolute bits.
GXEngineRange GXEngineMakeRange(LONG nTop, LONG nLeft, LONG nBottom, LONG nRight);

struct GXEngineExpr;
struct GXEngineLinks;
struct GXEngineName;
struct GXEngineBlock;
struct GXEngineList;

// Cell kinds (flag bits 0-3) and value types (bits 4-7).
enum : int
{
    GX_KIND_PLACEHOLDER = 0,
    GX_KIND_NUMBER = 1,
    GX_KIND_TEXT = 2,
    GX_KIND_FORMULA = 3,
    GX_KIND_CONST_FORMULA = 4,

    GX_VALUE_EMPTY = 0,
    GX_VALUE_NA = 1,
    GX_VALUE_ERROR = 2,
    GX_VALUE_NUMBER = 3,
    GX_VALUE_STRING = 4,
    GX_VALUE_SHORT_STRING = 5
};

// Node flags above the kind and value type.
enum : DWORD
{
    GX_NODE_LINKED = 0x100,
    GX_NODE_NEEDS_RECALC = 0x8000,
    GX_NODE_COMPUTED = 0x10000,
    GX_NODE_COMPUTING = 0x20000,
    GX_NODE_REFRESH = 0x40000,
    GX_NODE_CYCLE = 0x80000,
    GX_NODE_VIOLATED = 0x100000
};

struct GXEngineNode
{
    GXEngineNode* pNext;
    LONG nRow;
    LONG nCol;
    // The reserved word: what recalculation resolved the formula's references to, kept next to
    // what it reads with them; owned, never copied.
    GXEngineLinks* pLinks;
    union {
        double dNumber;
        LPWSTR pszString;
        WCHAR szShort[4]; // not terminated when four characters long
        struct
        {
            int nCode;
            int nPos;
        } error;
    } value;
    GXEngineExpr* pExpr;
    DWORD dwPass;
    DWORD dwFlags;
    // The cell's own style without its value; owned.
    CGXStyle* pStyle;

    int Kind() const
    {
        return static_cast<int>(dwFlags & 0xF);
    }
    int ValueType() const
    {
        return static_cast<int>((dwFlags >> 4) & 0xF);
    }
    int Slot() const
    {
        return static_cast<int>((dwFlags >> 9) & 0x3F);
    }
    BOOL Is(DWORD dwFlag) const
    {
        return (dwFlags & dwFlag) != 0;
    }
    void SetKind(int nKind)
    {
        dwFlags = (dwFlags & ~0xFu) | static_cast<DWORD>(nKind);
    }
    void SetValueType(int nType)
    {
        dwFlags = (dwFlags & ~0xF0u) | (static_cast<DWORD>(nType) << 4);
    }
    // The text of a string value (copied out of the inline form), else empty.
    CString GetString() const;
};

struct GXEngineBlock
{
    DWORD dwMask;
    BOOL bFreedDeferred;
    GXEngineBlock* pNext;
    GXEngineBlock* pPrev;
    GXEngineList* pList;
    GXEngineNode nodes[GX_ENGINE_BLOCK_NODES];
};

struct GXEngineList
{
    GXEngineBlock* pFirst;
    GXEngineBlock* pLast;
    LONG nCount;
    BOOL bDeferred;
    BOOL bCompact;
};

// The three node lists, by index and by deferral mask bit.
enum : int
{
    GX_LIST_VALUES = 0,
    GX_LIST_FORMULAS = 1,
    GX_LIST_PLACEHOLDERS = 2,
    GX_LIST_COUNT = 3,

    GX_MASK_VALUES = 1,
    GX_MASK_FORMULAS = 2,
    GX_MASK_PLACEHOLDERS = 4,
    GX_MASK_ALL = 7
};

struct GXEngineChange
{
    GXEngineChange* pNext;
    GXEngineRange range;
};

// Recalculation state bits.
enum : DWORD
{
    GX_RECALC_RUNNING = 1,
    GX_RECALC_FORCED = 2,
    GX_RECALC_ITERATING = 64
};

struct GXEngineSheet
{
    GXEngineNode* apHash[GX_ENGINE_HASH_SIZE];
    GXEngineList lists[GX_LIST_COUNT];
    GXEngineName* pNames;
    // A name removed while undo was being collected, until the formula sheet takes it.
    GXEngineName* pRemovedName;
    int nManualRecalc;
    int nEagerRecalc;
    int nConstraintCheck;
    int nIterationLimit;
    int nBlankZero;
    // Moving cells away leaves placeholders marked for refresh.
    BOOL bPlaceholderOnClear;
    LONG nCells;
    BOOL bModified;
    DWORD dwPass;
    LONG* pnRowCounts;
    LONG nRowCapacity;
    LONG* pnColCounts;
    LONG nColCapacity;
    GXEngineRange extent;
    BOOL bExtentValid;
    GXEngineChange* pChanges;
    DWORD dwRecalcState;
    BOOL bMessageFree;
    WCHAR szMessage[GX_ENGINE_MESSAGE_SIZE];
    // While set, nodes taken out of the sheet are chained on the undo list instead of freed.
    BOOL bUndoCollect;
    GXEngineNode* pUndo;
    // Texts are stored as given; otherwise their backslash escapes are decoded.
    BOOL bRawText;
    BOOL bCycleSeen;
    // Grows with every change of which node is at a cell, of a name's range and of the references
    // in a linked formula: what was resolved under an older value is out of date.
    ULONGLONG nLayout;
    // The object that owns the sheet (the formula sheet), or null.
    void* pOwner;
};

class CGXEngineFunctionLibrary;

// Process-wide state of the engine, made on first use.
struct GX_ENGINE_STATE
{
    // The last compile result.
    BOOL bCompileFailed;
    int nCompileError;
    int nCompileErrorPos;
    // Set while rows or columns are being inserted or removed.
    BOOL bStructureChange;
    WCHAR szColumnName[8];
    CString strRefText;
    CPtrArray sheets;
    // Finds worksheet functions by upper-case name; nothing installs one here.
    CGXEngineFunctionLibrary* pFunctions;

    ~GX_ENGINE_STATE();
};

GX_ENGINE_STATE* GXGetEngineState();

// Every engine allocation goes through these and is recorded until freed, except what
// recalculation walks (below), which its own heap records. The try form gives null when memory is
// short; the others throw the framework's memory exception.
void* GXEngineTryAlloc(size_t nBytes);
void* GXEngineAlloc(size_t nBytes);
void* GXEngineAllocZero(size_t nBytes);
void GXEngineFree(void* p);
// What recalculation walks, node blocks and the links of formulas, comes from a heap of its own so
// that it lies together in memory, not each piece between the expressions made along with it: a
// walk then reads few pages. The heap releases what is left of it with the process. Throws the
// framework's memory exception when memory is short.
void* GXEngineAllocWalked(size_t nBytes);
void GXEngineFreeWalked(void* p);
LPWSTR GXEngineCopyText(LPCWSTR pszText, int nLength);

// Sheets: handles are index + 1 and never 0.
int GXEngineNewSheet();
// The context of a handle; a handle outside the sheet array throws the framework's
// invalid-argument exception, a deleted one gives null.
GXEngineSheet* GXEngineGetSheet(int nSheet);
// As above, and a deleted handle throws the invalid-argument exception too.
GXEngineSheet* GXEngineUseSheet(int nSheet);
// Frees every cell, name, changed range and the undo list; the settings stay.
void GXEngineClearSheet(int nSheet);
void GXEngineDeleteSheet(int nSheet);

// Settings; the setters refuse other values with 0.
BOOL GXEngineSetManualRecalc(int nSheet, int nValue);
int GXEngineGetManualRecalc(int nSheet);
BOOL GXEngineSetFlagA(int nSheet, int nValue); // eager recalculation
int GXEngineGetFlagA(int nSheet);
BOOL GXEngineSetFlagB(int nSheet, int nValue); // constraint checking
int GXEngineGetFlagB(int nSheet);
BOOL GXEngineSetFlagC(int nSheet, int nValue); // blank cells count as zero
int GXEngineGetFlagC(int nSheet);
BOOL GXEngineSetIterationLimit(int nSheet, int nValue);
int GXEngineGetIterationLimit(int nSheet);

int GXEngineGetLastError();
int GXEngineGetLastErrorPos();
void GXEngineSetLastError(BOOL bFailed, int nCode, int nPos);

BOOL GXEngineInBounds(LONG nRow, LONG nCol);

// Cells, engine coordinates.
GXEngineNode* GXEngineFindCell(int nSheet, LONG nRow, LONG nCol);
GXEngineNode* GXEngineFindCell(GXEngineSheet* pSheet, LONG nRow, LONG nCol);
BOOL GXEngineSetCellNumber(int nSheet, LONG nRow, LONG nCol, double dValue);
BOOL GXEngineSetCellText(int nSheet, LONG nRow, LONG nCol, LPCWSTR pszText);
// A constant holding the not-available value.
BOOL GXEngineSetCellNotAvailable(int nSheet, LONG nRow, LONG nCol);
// Compiles the text; kind-3 formulas take the initial value when one is given.
BOOL GXEngineSetCellFormula(int nSheet, LONG nRow, LONG nCol, LPCWSTR pszText, const double* pInitialValue = nullptr);
GXEngineNode* GXEngineNewPlaceholder(int nSheet, LONG nRow, LONG nCol);
void GXEngineDeleteCell(int nSheet, GXEngineNode* pNode);
GXEngineNode* GXEngineCopyCell(GXEngineList* pList, const GXEngineNode* pNode);

// Node pool and hash table.
GXEngineNode* GXEngineAllocNode(GXEngineList* pList);
void GXEngineFreeNode(GXEngineNode* pNode);
GXEngineBlock* GXEngineBlockOf(GXEngineNode* pNode);
void GXEngineLink(GXEngineSheet* pSheet, GXEngineNode* pNode);
void GXEngineUnlink(GXEngineSheet* pSheet, GXEngineNode* pNode);
// The list a node of that kind belongs to.
GXEngineList* GXEngineListForKind(GXEngineSheet* pSheet, int nKind);
// Links the node at its cell; the node there before is deleted or, while undo is being
// collected, put on the undo list.
void GXEngineReplaceCell(GXEngineSheet* pSheet, GXEngineNode* pNode);
// Takes a linked or unlinked node out of the sheet: onto the undo list while collecting,
// else freed.
void GXEngineDiscardNode(GXEngineSheet* pSheet, GXEngineNode* pNode);

// Deferral of the lists of a mask; returns the bits to pass to the matching end.
int GXEngineBeginDefer(GXEngineSheet* pSheet, int nMask);
void GXEngineEndDefer(GXEngineSheet* pSheet, int nMask);

// Visits every node of one list, linked or not, block by block and slot by slot.
template <class Visit> void GXEngineForEachNode(GXEngineList& list, Visit visit)
{
    for (GXEngineBlock* pBlock = list.pFirst; pBlock != nullptr; pBlock = pBlock->pNext)
    {
        for (int nSlot = 0; nSlot < GX_ENGINE_BLOCK_NODES; ++nSlot)
        {
            if (pBlock->dwMask & (1u << nSlot))
                visit(&pBlock->nodes[nSlot]);
        }
    }
}

// Visits the linked nodes of the lists of the mask inside the range: by walking the lists
// when they hold no more nodes than the range has cells, else by probing each cell.
template <class Visit>
void GXEngineForEachInRange(GXEngineSheet* pSheet, const GXEngineRange& range, int nMask, Visit visit)
{
    LONGLONG nNodes = 0;
    for (int i = 0; i < GX_LIST_COUNT; ++i)
    {
        if (nMask & (1 << i))
            nNodes += pSheet->lists[i].nCount;
    }
    if (range.Area() >= nNodes)
    {
        for (int i = 0; i < GX_LIST_COUNT; ++i)
        {
            if (nMask & (1 << i))
            {
                GXEngineForEachNode(pSheet->lists[i], [&](GXEngineNode* pNode) {
                    if (pNode->Is(GX_NODE_LINKED) && range.Contains(pNode->nRow, pNode->nCol))
                        visit(pNode);
                });
            }
        }
        return;
    }
    for (LONG nCol = range.Left(); nCol <= range.Right(); ++nCol)
    {
        for (LONG nRow = range.Top(); nRow <= range.Bottom(); ++nRow)
        {
            GXEngineNode* pNode = GXEngineFindCell(pSheet, nRow, nCol);
            if (pNode != nullptr && (nMask & (1 << static_cast<int>(GXEngineBlockOf(pNode)->pList - pSheet->lists))))
                visit(pNode);
        }
    }
}

// String values: four characters or fewer inline, longer ones owned (cut to 511).
void GXEngineSetNodeString(GXEngineNode* pNode, LPCWSTR pszText, int nLength);
void GXEngineClearValue(GXEngineNode* pNode);

void GXEngineAddChangedRange(int nSheet, const GXEngineRange& range);
void GXEngineClearChangedRanges(int nSheet);
BOOL GXEngineGetExtent(int nSheet, GXEngineRange& range);

// The undo list: nodes taken out of the sheet while collecting. Answers the old setting.
int GXEngineSetUndoCollect(int nSheet, int nCollect);
GXEngineNode* GXEngineTakeUndoList(int nSheet);
void GXEngineFreeNodeChain(GXEngineNode* pChain);
