#include <grid/formula/EngineStore.h>

#include <grid/formula/EngineCompiler.h>
#include <grid/formula/EngineEvaluator.h>
#include <grid/formula/EngineReferences.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <unordered_set>

namespace
{
// Every engine allocation, so that what is still recorded is released with the process; what
// recalculation walks is recorded by its own heap, which releases what is left of it.
struct GX_ENGINE_MEMOBJ_STATE
{
    std::unordered_set<void*> allocations;
    HANDLE hWalkedHeap = ::HeapCreate(0, 0, 0);

    ~GX_ENGINE_MEMOBJ_STATE()
    {
        for (void* p : allocations)
            std::free(p);
        if (hWalkedHeap != nullptr)
            ::HeapDestroy(hWalkedHeap);
    }
};

GX_ENGINE_MEMOBJ_STATE& MemState()
{
    static GX_ENGINE_MEMOBJ_STATE state;
    return state;
}

const DWORD kFullMask = 0xFFFFFFFF;

UINT Bucket(LONG nRow, LONG nCol)
{
    return (static_cast<UINT>(nCol + 1) * 0x7FFFFFu + static_cast<UINT>(nRow)) % GX_ENGINE_HASH_SIZE;
}

// A zero-filled node block, owned by the list.
GXEngineBlock* NewBlock(GXEngineList* pList)
{
    GXEngineBlock* pBlock = static_cast<GXEngineBlock*>(GXEngineAllocWalked(sizeof(GXEngineBlock)));
    std::memset(pBlock, 0, sizeof(GXEngineBlock));
    pBlock->pList = pList;
    return pBlock;
}

void RemoveBlock(GXEngineList* pList, GXEngineBlock* pBlock)
{
    (pBlock->pPrev != nullptr ? pBlock->pPrev->pNext : pList->pFirst) = pBlock->pNext;
    (pBlock->pNext != nullptr ? pBlock->pNext->pPrev : pList->pLast) = pBlock->pPrev;
    pBlock->pNext = pBlock->pPrev = nullptr;
}

void PushHead(GXEngineList* pList, GXEngineBlock* pBlock)
{
    pBlock->pPrev = nullptr;
    pBlock->pNext = pList->pFirst;
    (pList->pFirst != nullptr ? pList->pFirst->pPrev : pList->pLast) = pBlock;
    pList->pFirst = pBlock;
}

void PushTail(GXEngineList* pList, GXEngineBlock* pBlock)
{
    pBlock->pNext = nullptr;
    pBlock->pPrev = pList->pLast;
    (pList->pLast != nullptr ? pList->pLast->pNext : pList->pFirst) = pBlock;
    pList->pLast = pBlock;
}

// Grows an occupancy array to hold entry nIndex; new entries are 0.
void EnsureCapacity(LONG*& pnCounts, LONG& nCapacity, LONG nIndex)
{
    if (nIndex < nCapacity)
        return;
    LONG nNew = nIndex + 1;
    if (nCapacity > 0)
        nNew = std::max(nNew, nCapacity + std::max<LONG>(4, std::min<LONG>(nCapacity / 8, 1024)));
    LONG* pnNew = static_cast<LONG*>(GXEngineAllocZero(sizeof(LONG) * nNew));
    if (pnCounts != nullptr)
        std::memcpy(pnNew, pnCounts, sizeof(LONG) * nCapacity);
    GXEngineFree(pnCounts);
    pnCounts = pnNew;
    nCapacity = nNew;
}

LONG CountAt(const LONG* pnCounts, LONG nCapacity, LONG nIndex)
{
    return nIndex >= 0 && nIndex < nCapacity ? pnCounts[nIndex] : 0;
}

// Moves one edge of the extent past the rows (columns) whose count fell to zero.
LONG NextOccupied(const LONG* pnCounts, LONG nCapacity, LONG nFrom, LONG nTo, LONG nStep, LONG nBase)
{
    for (LONG n = nFrom; n != nTo + nStep; n += nStep)
    {
        if (CountAt(pnCounts, nCapacity, n - nBase) != 0)
            return n;
    }
    return nTo;
}

GXEngineNode* NewNode(GXEngineSheet* pSheet, int nKind, LONG nRow, LONG nCol, CGXStyle* pStyle)
{
    GXEngineNode* pNode = GXEngineAllocNode(GXEngineListForKind(pSheet, nKind));
    pNode->nRow = nRow;
    pNode->nCol = nCol;
    pNode->SetKind(nKind);
    pNode->pStyle = pStyle;
    return pNode;
}

// The existing node's style goes to the new one; while collecting undo the old node keeps its
// own and the new one gets a copy.
CGXStyle* TakeStyle(GXEngineSheet* pSheet, GXEngineNode* pOld)
{
    if (pOld == nullptr || pOld->pStyle == nullptr)
        return nullptr;
    if (pSheet->bUndoCollect)
        return pOld->pStyle->Clone();
    CGXStyle* pStyle = pOld->pStyle;
    pOld->pStyle = nullptr;
    return pStyle;
}

// Frees what a node owns, leaving it empty.
void FreeContents(GXEngineNode& node)
{
    delete node.pStyle;
    node.pStyle = nullptr;
    GXEngineFreeExpression(node.pExpr);
    node.pExpr = nullptr;
    GXEngineFreeWalked(node.pLinks);
    node.pLinks = nullptr;
    GXEngineClearValue(&node);
}

BOOL SetSetting(int& nWord, int nValue, int nMax)
{
    if (nValue < 0 || nValue > nMax)
        return FALSE;
    nWord = nValue;
    return TRUE;
}
} // namespace

GXEngineRange GXEngineMakeRange(LONG nTop, LONG nLeft, LONG nBottom, LONG nRight)
{
    GXEngineRange range = {};
    range.SetTop(nTop);
    range.SetBottom(nBottom);
    range.SetLeft(nLeft);
    range.SetRight(nRight);
    return range;
}

CString GXEngineNode::GetString() const
{
    if (ValueType() == GX_VALUE_STRING)
        return CString(value.pszString);
    if (ValueType() == GX_VALUE_SHORT_STRING)
        return CString(value.szShort, static_cast<int>(wcsnlen(value.szShort, 4)));
    return CString();
}

GX_ENGINE_STATE::~GX_ENGINE_STATE()
{
    delete pFunctions;
}

GX_ENGINE_STATE* GXGetEngineState()
{
    static GX_ENGINE_STATE state{};
    return &state;
}

void* GXEngineTryAlloc(size_t nBytes)
{
    void* p = std::malloc(nBytes);
    if (p != nullptr)
        MemState().allocations.insert(p);
    return p;
}

void* GXEngineAlloc(size_t nBytes)
{
    void* p = GXEngineTryAlloc(nBytes);
    if (p == nullptr)
        AfxThrowMemoryException();
    return p;
}

void* GXEngineAllocZero(size_t nBytes)
{
    void* p = GXEngineAlloc(nBytes);
    std::memset(p, 0, nBytes);
    return p;
}

void GXEngineFree(void* p)
{
    if (p == nullptr)
        return;
    MemState().allocations.erase(p);
    std::free(p);
}

void* GXEngineAllocWalked(size_t nBytes)
{
    const HANDLE hHeap = MemState().hWalkedHeap;
    void* p = hHeap != nullptr ? ::HeapAlloc(hHeap, 0, nBytes) : nullptr;
    if (p == nullptr)
        AfxThrowMemoryException();
    return p;
}

void GXEngineFreeWalked(void* p)
{
    if (p != nullptr)
        ::HeapFree(MemState().hWalkedHeap, 0, p);
}

LPWSTR GXEngineCopyText(LPCWSTR pszText, int nLength)
{
    LPWSTR pszCopy = static_cast<LPWSTR>(GXEngineAlloc(sizeof(WCHAR) * (nLength + 1)));
    std::memcpy(pszCopy, pszText, sizeof(WCHAR) * nLength);
    pszCopy[nLength] = L'\0';
    return pszCopy;
}

int GXEngineNewSheet()
{
    CPtrArray& sheets = GXGetEngineState()->sheets;
    INT_PTR nIndex = 0;
    while (nIndex < sheets.GetSize() && sheets[nIndex] != nullptr)
        ++nIndex;
    GXEngineSheet* pSheet = static_cast<GXEngineSheet*>(GXEngineAllocZero(sizeof(GXEngineSheet)));
    pSheet->bMessageFree = TRUE;
    sheets.SetAtGrow(nIndex, pSheet);
    return static_cast<int>(nIndex + 1);
}

GXEngineSheet* GXEngineGetSheet(int nSheet)
{
    return static_cast<GXEngineSheet*>(GXGetEngineState()->sheets.GetAt(nSheet - 1));
}

GXEngineSheet* GXEngineUseSheet(int nSheet)
{
    GXEngineSheet* pSheet = GXEngineGetSheet(nSheet);
    if (pSheet == nullptr)
        AfxThrowInvalidArgException();
    return pSheet;
}

void GXEngineClearSheet(int nSheet)
{
    GXEngineSheet* pSheet = GXEngineUseSheet(nSheet);
    GXEngineClearChangedRanges(nSheet);
    GXEngineFreeNodeChain(pSheet->pUndo);
    pSheet->pUndo = nullptr;
    for (GXEngineList& list : pSheet->lists)
    {
        for (GXEngineBlock* pBlock = list.pFirst; pBlock != nullptr;)
        {
            GXEngineBlock* pNext = pBlock->pNext;
            for (int nSlot = 0; nSlot < GX_ENGINE_BLOCK_NODES; ++nSlot)
            {
                if (pBlock->dwMask & (1u << nSlot))
                    FreeContents(pBlock->nodes[nSlot]);
            }
            GXEngineFreeWalked(pBlock);
            pBlock = pNext;
        }
        list = GXEngineList{};
    }
    GXEngineFreeNames(nSheet);
    GXEngineFree(pSheet->pnRowCounts);
    GXEngineFree(pSheet->pnColCounts);
    pSheet->pnRowCounts = pSheet->pnColCounts = nullptr;
    pSheet->nRowCapacity = pSheet->nColCapacity = 0;
    std::memset(pSheet->apHash, 0, sizeof(pSheet->apHash));
    pSheet->nCells = 0;
    pSheet->bExtentValid = FALSE;
    pSheet->bModified = TRUE;
    ++pSheet->nLayout;
}

void GXEngineDeleteSheet(int nSheet)
{
    GXEngineClearSheet(nSheet);
    GXEngineFree(GXEngineGetSheet(nSheet));
    GXGetEngineState()->sheets.SetAt(nSheet - 1, nullptr);
}

BOOL GXEngineSetManualRecalc(int nSheet, int nValue)
{
    return SetSetting(GXEngineUseSheet(nSheet)->nManualRecalc, nValue, 1);
}
int GXEngineGetManualRecalc(int nSheet)
{
    return GXEngineUseSheet(nSheet)->nManualRecalc;
}
BOOL GXEngineSetFlagA(int nSheet, int nValue)
{
    return SetSetting(GXEngineUseSheet(nSheet)->nEagerRecalc, nValue, 1);
}
int GXEngineGetFlagA(int nSheet)
{
    return GXEngineUseSheet(nSheet)->nEagerRecalc;
}
BOOL GXEngineSetFlagB(int nSheet, int nValue)
{
    return SetSetting(GXEngineUseSheet(nSheet)->nConstraintCheck, nValue, 1);
}
int GXEngineGetFlagB(int nSheet)
{
    return GXEngineUseSheet(nSheet)->nConstraintCheck;
}
BOOL GXEngineSetFlagC(int nSheet, int nValue)
{
    return SetSetting(GXEngineUseSheet(nSheet)->nBlankZero, nValue, 1);
}
int GXEngineGetFlagC(int nSheet)
{
    return GXEngineUseSheet(nSheet)->nBlankZero;
}
BOOL GXEngineSetIterationLimit(int nSheet, int nValue)
{
    return SetSetting(GXEngineUseSheet(nSheet)->nIterationLimit, nValue, 100);
}
int GXEngineGetIterationLimit(int nSheet)
{
    return GXEngineUseSheet(nSheet)->nIterationLimit;
}

int GXEngineGetLastError()
{
    return GXGetEngineState()->nCompileError;
}

int GXEngineGetLastErrorPos()
{
    return GXGetEngineState()->nCompileErrorPos;
}

void GXEngineSetLastError(BOOL bFailed, int nCode, int nPos)
{
    GX_ENGINE_STATE* pState = GXGetEngineState();
    pState->bCompileFailed = bFailed;
    pState->nCompileError = nCode;
    pState->nCompileErrorPos = nPos;
}

BOOL GXEngineInBounds(LONG nRow, LONG nCol)
{
    return nRow >= 1 && nRow <= GX_ENGINE_MAX_ROW && nCol >= 0 && nCol <= GX_ENGINE_MAX_COL;
}

GXEngineList* GXEngineListForKind(GXEngineSheet* pSheet, int nKind)
{
    switch (nKind)
    {
    case GX_KIND_PLACEHOLDER:
        return &pSheet->lists[GX_LIST_PLACEHOLDERS];
    case GX_KIND_FORMULA:
        return &pSheet->lists[GX_LIST_FORMULAS];
    default:
        return &pSheet->lists[GX_LIST_VALUES];
    }
}

GXEngineBlock* GXEngineBlockOf(GXEngineNode* pNode)
{
    GXEngineNode* pFirst = pNode - pNode->Slot();
    return reinterpret_cast<GXEngineBlock*>(reinterpret_cast<BYTE*>(pFirst) - offsetof(GXEngineBlock, nodes));
}

GXEngineNode* GXEngineAllocNode(GXEngineList* pList)
{
    GXEngineBlock* pBlock = pList->pFirst;
    if (pList->bDeferred)
    {
        while (pBlock != nullptr && (pBlock->dwMask == kFullMask || pBlock->bFreedDeferred))
            pBlock = pBlock->pNext;
    }
    else if (pBlock != nullptr && pBlock->dwMask == kFullMask)
        pBlock = nullptr;
    if (pBlock == nullptr)
    {
        pBlock = NewBlock(pList);
        PushHead(pList, pBlock);
    }
    int nSlot = 0;
    while (pBlock->dwMask & (1u << nSlot))
        ++nSlot;
    pBlock->dwMask |= 1u << nSlot;
    if (pBlock->dwMask == kFullMask && pBlock != pList->pLast)
    {
        if (pList->bDeferred)
            pList->bCompact = TRUE;
        else
        {
            RemoveBlock(pList, pBlock);
            PushTail(pList, pBlock);
        }
    }
    GXEngineNode* pNode = &pBlock->nodes[nSlot];
    std::memset(pNode, 0, sizeof(GXEngineNode));
    pNode->dwFlags = static_cast<DWORD>(nSlot) << 9;
    ++pList->nCount;
    return pNode;
}

void GXEngineFreeNode(GXEngineNode* pNode)
{
    GXEngineBlock* pBlock = GXEngineBlockOf(pNode);
    GXEngineList* pList = pBlock->pList;
    if (pNode->pExpr != nullptr && pList->bDeferred)
        pBlock->bFreedDeferred = TRUE;
    FreeContents(*pNode);
    pBlock->dwMask &= ~(1u << pNode->Slot());
    --pList->nCount;
    if (pBlock->dwMask != 0)
    {
        if (pBlock != pList->pFirst)
        {
            if (pList->bDeferred)
                pList->bCompact = TRUE;
            else
            {
                RemoveBlock(pList, pBlock);
                PushHead(pList, pBlock);
            }
        }
    }
    else if (pList->bDeferred)
        pList->bCompact = TRUE;
    else
    {
        RemoveBlock(pList, pBlock);
        GXEngineFreeWalked(pBlock);
    }
}

int GXEngineBeginDefer(GXEngineSheet* pSheet, int nMask)
{
    int nStarted = 0;
    for (int i = 0; i < GX_LIST_COUNT; ++i)
    {
        if ((nMask & (1 << i)) && !pSheet->lists[i].bDeferred)
        {
            pSheet->lists[i].bDeferred = TRUE;
            nStarted |= 1 << i;
        }
    }
    return nStarted;
}

void GXEngineEndDefer(GXEngineSheet* pSheet, int nMask)
{
    for (int i = 0; i < GX_LIST_COUNT; ++i)
    {
        if (!(nMask & (1 << i)))
            continue;
        GXEngineList& list = pSheet->lists[i];
        list.bDeferred = FALSE;
        if (!list.bCompact)
            continue;
        if (list.pFirst != nullptr)
        {
            list.pFirst->bFreedDeferred = FALSE;
            for (GXEngineBlock* pBlock = list.pFirst->pNext; pBlock != nullptr;)
            {
                GXEngineBlock* pNext = pBlock->pNext;
                pBlock->bFreedDeferred = FALSE;
                if (pBlock->dwMask == 0)
                {
                    RemoveBlock(&list, pBlock);
                    GXEngineFreeWalked(pBlock);
                }
                else if (pBlock->dwMask != kFullMask)
                {
                    RemoveBlock(&list, pBlock);
                    PushHead(&list, pBlock);
                }
                pBlock = pNext;
            }
            // The head may be the empty block that compaction started from.
            if (list.pFirst->dwMask == 0)
            {
                GXEngineBlock* pEmpty = list.pFirst;
                RemoveBlock(&list, pEmpty);
                GXEngineFreeWalked(pEmpty);
            }
        }
        list.bCompact = FALSE;
    }
}

GXEngineNode* GXEngineFindCell(GXEngineSheet* pSheet, LONG nRow, LONG nCol)
{
    if (!GXEngineInBounds(nRow, nCol))
        return nullptr;
    for (GXEngineNode* pNode = pSheet->apHash[Bucket(nRow, nCol)]; pNode != nullptr; pNode = pNode->pNext)
    {
        if (pNode->nRow == nRow && pNode->nCol == nCol)
            return pNode;
    }
    return nullptr;
}

GXEngineNode* GXEngineFindCell(int nSheet, LONG nRow, LONG nCol)
{
    return GXEngineFindCell(GXEngineUseSheet(nSheet), nRow, nCol);
}

void GXEngineLink(GXEngineSheet* pSheet, GXEngineNode* pNode)
{
    GXEngineNode*& pHead = pSheet->apHash[Bucket(pNode->nRow, pNode->nCol)];
    pNode->pNext = pHead;
    pHead = pNode;
    pNode->dwFlags |= GX_NODE_LINKED;
    ++pSheet->nLayout;
    ++pSheet->nCells;
    EnsureCapacity(pSheet->pnRowCounts, pSheet->nRowCapacity, pNode->nRow - 1);
    EnsureCapacity(pSheet->pnColCounts, pSheet->nColCapacity, pNode->nCol);
    ++pSheet->pnRowCounts[pNode->nRow - 1];
    ++pSheet->pnColCounts[pNode->nCol];
    GXEngineRange& extent = pSheet->extent;
    if (!pSheet->bExtentValid)
    {
        extent = GXEngineMakeRange(pNode->nRow, pNode->nCol, pNode->nRow, pNode->nCol);
        pSheet->bExtentValid = TRUE;
    }
    else
    {
        extent = GXEngineMakeRange(std::min(extent.Top(), pNode->nRow), std::min(extent.Left(), pNode->nCol),
                                   std::max(extent.Bottom(), pNode->nRow), std::max(extent.Right(), pNode->nCol));
    }
    pSheet->bModified = TRUE;
}

void GXEngineUnlink(GXEngineSheet* pSheet, GXEngineNode* pNode)
{
    for (GXEngineNode** ppLink = &pSheet->apHash[Bucket(pNode->nRow, pNode->nCol)]; *ppLink != nullptr;
         ppLink = &(*ppLink)->pNext)
    {
        if (*ppLink != pNode)
            continue;
        *ppLink = pNode->pNext;
        pNode->pNext = nullptr;
        pNode->dwFlags &= ~GX_NODE_LINKED;
        ++pSheet->nLayout;
        --pSheet->nCells;
        pSheet->bModified = TRUE;
        const LONG nRowCount = --pSheet->pnRowCounts[pNode->nRow - 1];
        const LONG nColCount = --pSheet->pnColCounts[pNode->nCol];
        GXEngineRange& extent = pSheet->extent;
        if (pSheet->nCells == 0)
        {
            pSheet->bExtentValid = FALSE;
            return;
        }
        if (nRowCount == 0 && pNode->nRow == extent.Top())
            extent.SetTop(NextOccupied(pSheet->pnRowCounts, pSheet->nRowCapacity, extent.Top(), extent.Bottom(), 1, 1));
        else if (nRowCount == 0 && pNode->nRow == extent.Bottom())
            extent.SetBottom(
                NextOccupied(pSheet->pnRowCounts, pSheet->nRowCapacity, extent.Bottom(), extent.Top(), -1, 1));
        if (nColCount == 0 && pNode->nCol == extent.Left())
            extent.SetLeft(
                NextOccupied(pSheet->pnColCounts, pSheet->nColCapacity, extent.Left(), extent.Right(), 1, 0));
        else if (nColCount == 0 && pNode->nCol == extent.Right())
            extent.SetRight(
                NextOccupied(pSheet->pnColCounts, pSheet->nColCapacity, extent.Right(), extent.Left(), -1, 0));
        return;
    }
}

void GXEngineDiscardNode(GXEngineSheet* pSheet, GXEngineNode* pNode)
{
    if (pNode->Is(GX_NODE_LINKED))
        GXEngineUnlink(pSheet, pNode);
    if (pSheet->bUndoCollect)
    {
        pNode->pNext = pSheet->pUndo;
        pSheet->pUndo = pNode;
    }
    else
        GXEngineFreeNode(pNode);
}

void GXEngineReplaceCell(GXEngineSheet* pSheet, GXEngineNode* pNode)
{
    if (GXEngineNode* pOld = GXEngineFindCell(pSheet, pNode->nRow, pNode->nCol))
        GXEngineDiscardNode(pSheet, pOld);
    GXEngineLink(pSheet, pNode);
}

void GXEngineDeleteCell(int nSheet, GXEngineNode* pNode)
{
    if (pNode != nullptr)
        GXEngineDiscardNode(GXEngineUseSheet(nSheet), pNode);
}

void GXEngineClearValue(GXEngineNode* pNode)
{
    if (pNode->ValueType() == GX_VALUE_STRING)
        GXEngineFree(pNode->value.pszString);
    pNode->value = {};
    pNode->SetValueType(GX_VALUE_EMPTY);
}

void GXEngineSetNodeString(GXEngineNode* pNode, LPCWSTR pszText, int nLength)
{
    GXEngineClearValue(pNode);
    if (nLength <= 4)
    {
        std::memcpy(pNode->value.szShort, pszText, sizeof(WCHAR) * nLength);
        pNode->SetValueType(GX_VALUE_SHORT_STRING);
        return;
    }
    pNode->value.pszString = GXEngineCopyText(pszText, std::min<int>(nLength, GX_ENGINE_MAX_TEXT));
    pNode->SetValueType(GX_VALUE_STRING);
}

GXEngineNode* GXEngineNewPlaceholder(int nSheet, LONG nRow, LONG nCol)
{
    GXEngineSheet* pSheet = GXEngineUseSheet(nSheet);
    if (!GXEngineInBounds(nRow, nCol))
        return nullptr;
    GXEngineNode* pNode = NewNode(pSheet, GX_KIND_PLACEHOLDER, nRow, nCol, nullptr);
    GXEngineReplaceCell(pSheet, pNode);
    return pNode;
}

namespace
{
// A constant node linked at the cell in place of what was there; null outside the sheet.
GXEngineNode* NewConstant(int nSheet, LONG nRow, LONG nCol, int nKind)
{
    GXEngineSheet* pSheet = GXEngineUseSheet(nSheet);
    if (!GXEngineInBounds(nRow, nCol))
        return nullptr;
    GXEngineNode* pNode = NewNode(pSheet, nKind, nRow, nCol, TakeStyle(pSheet, GXEngineFindCell(pSheet, nRow, nCol)));
    GXEngineReplaceCell(pSheet, pNode);
    return pNode;
}
} // namespace

BOOL GXEngineSetCellNumber(int nSheet, LONG nRow, LONG nCol, double dValue)
{
    GXEngineNode* pNode = NewConstant(nSheet, nRow, nCol, GX_KIND_NUMBER);
    if (pNode == nullptr)
        return FALSE;
    pNode->value.dNumber = dValue;
    pNode->SetValueType(GX_VALUE_NUMBER);
    return TRUE;
}

BOOL GXEngineSetCellNotAvailable(int nSheet, LONG nRow, LONG nCol)
{
    GXEngineNode* pNode = NewConstant(nSheet, nRow, nCol, GX_KIND_NUMBER);
    if (pNode == nullptr)
        return FALSE;
    pNode->SetValueType(GX_VALUE_NA);
    return TRUE;
}

BOOL GXEngineSetCellText(int nSheet, LONG nRow, LONG nCol, LPCWSTR pszText)
{
    const CString strText = GXEngineUseSheet(nSheet)->bRawText ? CString(pszText) : GXEngineDecodeEscapes(pszText);
    GXEngineNode* pNode = NewConstant(nSheet, nRow, nCol, GX_KIND_TEXT);
    if (pNode == nullptr)
        return FALSE;
    GXEngineSetNodeString(pNode, strText, strText.GetLength());
    return TRUE;
}

BOOL GXEngineSetCellFormula(int nSheet, LONG nRow, LONG nCol, LPCWSTR pszText, const double* pInitialValue)
{
    GXEngineSheet* pSheet = GXEngineUseSheet(nSheet);
    if (!GXEngineInBounds(nRow, nCol))
        return FALSE;
    GXEngineExpr* pExpr = static_cast<GXEngineExpr*>(GXEngineAllocZero(sizeof(GXEngineExpr)));
    if (!GXEngineParseFormula(nSheet, pszText, pExpr))
    {
        GXEngineFreeExpression(pExpr);
        return FALSE;
    }
    // Every stored formula must come back whole from an archive, which keeps 511 characters.
    if (GXEngineExpressionText(pSheet, pExpr).GetLength() > GX_ENGINE_MAX_TEXT)
    {
        GXEngineFreeExpression(pExpr);
        GXEngineSetLastError(TRUE, 280, 0);
        return FALSE;
    }
    pSheet->bModified = TRUE;
    CGXStyle* pStyle = TakeStyle(pSheet, GXEngineFindCell(pSheet, nRow, nCol));
    if (GXEngineIsNumberConstant(pExpr))
    {
        GXEngineNode* pNode = NewNode(pSheet, GX_KIND_NUMBER, nRow, nCol, pStyle);
        pNode->value.dNumber = pExpr->pNodes[pExpr->nRoot].u.dNumber;
        pNode->SetValueType(GX_VALUE_NUMBER);
        GXEngineFreeExpression(pExpr);
        GXEngineReplaceCell(pSheet, pNode);
        return TRUE;
    }
    const int nKind = GXEngineHasReferences(pExpr) ? GX_KIND_FORMULA : GX_KIND_CONST_FORMULA;
    GXEngineNode* pNode = NewNode(pSheet, nKind, nRow, nCol, pStyle);
    pNode->pExpr = pExpr;
    pNode->dwPass = pSheet->dwPass;
    if (nKind == GX_KIND_FORMULA && pInitialValue != nullptr)
    {
        pNode->value.dNumber = *pInitialValue;
        pNode->SetValueType(GX_VALUE_NUMBER);
        pNode->dwFlags |= GX_NODE_COMPUTED | GX_NODE_REFRESH;
    }
    else if (nKind == GX_KIND_FORMULA)
        pNode->dwFlags |= GX_NODE_NEEDS_RECALC;
    GXEngineReplaceCell(pSheet, pNode);
    if (nKind == GX_KIND_CONST_FORMULA)
        GXEngineComputeCell(nSheet, pNode);
    return TRUE;
}

GXEngineNode* GXEngineCopyCell(GXEngineList* pList, const GXEngineNode* pNode)
{
    GXEngineNode* pCopy = GXEngineAllocNode(pList);
    const DWORD dwSlot = pCopy->dwFlags;
    *pCopy = *pNode;
    pCopy->pNext = nullptr;
    pCopy->pLinks = nullptr;
    pCopy->dwFlags = (pNode->dwFlags & ~(GX_NODE_LINKED | (0x3Fu << 9))) | dwSlot;
    if (pNode->ValueType() == GX_VALUE_STRING)
        pCopy->value.pszString =
            GXEngineCopyText(pNode->value.pszString, static_cast<int>(wcslen(pNode->value.pszString)));
    pCopy->pExpr = GXEngineCopyExpression(pNode->pExpr);
    pCopy->pStyle = pNode->pStyle != nullptr ? pNode->pStyle->Clone() : nullptr;
    return pCopy;
}

void GXEngineAddChangedRange(int nSheet, const GXEngineRange& range)
{
    GXEngineSheet* pSheet = GXEngineUseSheet(nSheet);
    GXEngineChange** ppLink = &pSheet->pChanges;
    for (; *ppLink != nullptr; ppLink = &(*ppLink)->pNext)
    {
        if (GXEngineRangesEqual((*ppLink)->range, range))
            return;
    }
    GXEngineChange* pChange = static_cast<GXEngineChange*>(GXEngineAllocZero(sizeof(GXEngineChange)));
    pChange->range = range;
    *ppLink = pChange;
}

void GXEngineClearChangedRanges(int nSheet)
{
    GXEngineSheet* pSheet = GXEngineUseSheet(nSheet);
    while (GXEngineChange* pChange = pSheet->pChanges)
    {
        pSheet->pChanges = pChange->pNext;
        GXEngineFree(pChange);
    }
}

BOOL GXEngineGetExtent(int nSheet, GXEngineRange& range)
{
    GXEngineSheet* pSheet = GXEngineUseSheet(nSheet);
    if (pSheet->nCells == 0 || !pSheet->bExtentValid)
        return FALSE;
    range = pSheet->extent;
    return TRUE;
}

int GXEngineSetUndoCollect(int nSheet, int nCollect)
{
    GXEngineSheet* pSheet = GXEngineUseSheet(nSheet);
    const int nOld = pSheet->bUndoCollect;
    pSheet->bUndoCollect = nCollect;
    return nOld;
}

GXEngineNode* GXEngineTakeUndoList(int nSheet)
{
    GXEngineSheet* pSheet = GXEngineUseSheet(nSheet);
    GXEngineNode* pChain = pSheet->pUndo;
    pSheet->pUndo = nullptr;
    return pChain;
}

void GXEngineFreeNodeChain(GXEngineNode* pChain)
{
    while (pChain != nullptr)
    {
        GXEngineNode* pNext = pChain->pNext;
        GXEngineFreeNode(pChain);
        pChain = pNext;
    }
}
