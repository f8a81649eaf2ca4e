// Copying and moving blocks of cells inside a data store, with the undo information of a move.
#include <grid/services/cells/DataCopyMoveCellsImp.h>

#include <grid/core/AppData.h>
#include <grid/core/Data.h>
#include <grid/core/Style.h>
#include <grid/services/ControlFactory.h>

#include <afxmt.h>

#include <algorithm>
#include <new>
#include <utility>

IMPLEMENT_DYNAMIC(CGXDataUndoMoveCellsInfo, CObject)

// The blocks that emptied lists gave back, kept for the next move to fill. A block given back
// to the heap goes back to the system, and the next large move then faults every page of it in
// again, which costs more than the move itself: a move, its undo and its redo of 100,000 cells
// would cost several times as much per cell as those of 10,000. Up to kMaxBlocks (4 MB) are
// kept, for every grid of the process; never destroyed, as lists can be freed until the
// process ends.
class CGXDataUndoMoveCellsInfo::CSpareBlocks
{
public:
    static CSpareBlocks& Get()
    {
        alignas(CSpareBlocks) static BYTE storage[sizeof(CSpareBlocks)];
        static CSpareBlocks* pSpare = new (storage) CSpareBlocks;
        return *pSpare;
    }

    Block Take()
    {
        CSingleLock lock(&m_lock, TRUE);
        if (m_blocks.empty())
            return Block(new SavedCell[kBlockCells]);
        Block block = std::move(m_blocks.back());
        m_blocks.pop_back();
        return block;
    }

    // Keeps the block while there is room, else frees it.
    void GiveBack(Block block) noexcept
    {
        CSingleLock lock(&m_lock, TRUE);
        if (m_blocks.size() < kMaxBlocks)
            m_blocks.push_back(std::move(block)); // within the reserved room: cannot throw
    }

private:
    static constexpr size_t kMaxBlocks = 256;

    CSpareBlocks()
    {
        m_blocks.reserve(kMaxBlocks);
    }

    CCriticalSection m_lock;
    std::vector<Block> m_blocks;
};

CGXDataUndoMoveCellsInfo::~CGXDataUndoMoveCellsInfo()
{
    Empty([](ROWCOL, ROWCOL, CGXStyle* pStyle) { delete pStyle; });
}

CGXDataUndoMoveCellsInfo::Block CGXDataUndoMoveCellsInfo::TakeBlock()
{
    return CSpareBlocks::Get().Take();
}

void CGXDataUndoMoveCellsInfo::GiveBack(Block block) noexcept
{
    CSpareBlocks::Get().GiveBack(std::move(block));
}

void CGXDataUndoMoveCellsInfo::Push(ROWCOL nRow, ROWCOL nCol, CGXStyle* pStyle)
{
    if (m_nCells % kBlockCells == 0)
        m_blocks.push_back(TakeBlock());
    m_blocks.back()[m_nCells % kBlockCells] = {nRow, nCol, pStyle};
    ++m_nCells;
}

void CGXDataUndoMoveCellsInfo::Swap(CGXDataUndoMoveCellsInfo& other) noexcept
{
    m_blocks.swap(other.m_blocks);
    std::swap(m_nCells, other.m_nCells);
}

namespace
{
// Visits every cell of a block that lands at (nDestRow, nDestCol), as visit(source row, source
// column, destination row, destination column), in the order that reads each source cell
// before the block writes over it, as an overlapping memory move does: rows from the far side
// when the block goes down, columns from the far side when it goes right.
template <class Visit> void ForEachCellFromFarSide(const CGXRange& range, ROWCOL nDestRow, ROWCOL nDestCol, Visit visit)
{
    ASSERT(range.top <= range.bottom && range.left <= range.right);
    const ROWCOL nRows = range.bottom - range.top + 1;
    const ROWCOL nCols = range.right - range.left + 1;
    const bool bRowsBackward = nDestRow > range.top;
    const bool bColsBackward = nDestCol > range.left;
    for (ROWCOL i = 0; i < nRows; ++i)
    {
        const ROWCOL r = bRowsBackward ? nRows - 1 - i : i;
        for (ROWCOL j = 0; j < nCols; ++j)
        {
            const ROWCOL c = bColsBackward ? nCols - 1 - j : j;
            visit(range.top + r, range.left + c, nDestRow + r, nDestCol + c);
        }
    }
}
} // namespace

CGXStyle* CGXDataCopyMoveCellsImp::StyleAt(CGXData* pData, ROWCOL nRow, ROWCOL nCol)
{
    CGXStylePtrArray* pRow = pData->m_apapCellStyle.GetRow(nRow);
    return pRow != nullptr ? pRow->GetStyle(nCol) : nullptr;
}

CGXStyle* CGXDataCopyMoveCellsImp::TakeStyle(CGXData* pData, ROWCOL nRow, ROWCOL nCol)
{
    CGXStyle* pStyle = StyleAt(pData, nRow, nCol);
    if (pStyle != nullptr)
        pData->m_apapCellStyle.GetRow(nRow)->SetAt(nCol, nullptr);
    return pStyle;
}

void CGXDataCopyMoveCellsImp::PutStyle(CGXData* pData, ROWCOL nRow, ROWCOL nCol, CGXStyle* pStyle)
{
    CGXStylePtrArray* pRow = pData->m_apapCellStyle.GetRow(nRow);
    if (pStyle == nullptr)
    {
        // An empty cell needs no row and no slot.
        if (pRow != nullptr && pRow->GetStyle(nCol) != nullptr)
        {
            delete pRow->GetStyle(nCol);
            pRow->SetAt(nCol, nullptr);
        }
        return;
    }
    pData->m_nRows = std::max(pData->m_nRows, nRow);
    pData->m_nCols = std::max(pData->m_nCols, nCol);
    if (pRow == nullptr)
    {
        // The rows array grows to the destination; the count covers it.
        if (pData->m_apapCellStyle.GetSize() <= static_cast<INT_PTR>(nRow))
            pData->m_apapCellStyle.SetSize(static_cast<INT_PTR>(pData->m_nRows) + 1);
        pRow = new CGXStylePtrArray;
        pData->m_apapCellStyle.SetAt(nRow, pRow);
    }
    if (pRow->GetSize() <= static_cast<INT_PTR>(nCol))
        pRow->SetSize(static_cast<INT_PTR>(pData->m_nCols) + 1);
    delete pRow->GetStyle(nCol);
    pRow->SetAt(nCol, pStyle);
}

BOOL CGXDataCopyMoveCellsImp::CopyCells(CGXData* pData, CGXRange range, ROWCOL nDestRow, ROWCOL nDestCol)
{
    if (nDestRow == range.top && nDestCol == range.left)
        return TRUE; // onto itself
    // The walk reads every source cell before an overlapping destination replaces it. An empty
    // source empties its destination; where neither row exists there is nothing to do.
    ForEachCellFromFarSide(range, nDestRow, nDestCol, [pData](ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol) {
        const CGXStyle* pSource = StyleAt(pData, nRow, nCol);
        PutStyle(pData, nToRow, nToCol, pSource != nullptr ? pSource->Clone() : nullptr);
    });
    return TRUE;
}

BOOL CGXDataCopyMoveCellsImp::MoveCells(CGXData* pData, CGXRange range, ROWCOL nDestRow, ROWCOL nDestCol,
                                        CObject*& pUndoInfo, BOOL bCreateUndoInfo)
{
    // The walk empties every destination cell inside the source before it is written, so a
    // destination cell that still holds a style lies outside the source and is overwritten.
    CGXDataUndoMoveCellsInfo overwritten;
    ForEachCellFromFarSide(range, nDestRow, nDestCol, [&](ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol) {
        CGXStyle* pMoving = TakeStyle(pData, nRow, nCol);
        if (CGXStyle* pStyle = TakeStyle(pData, nToRow, nToCol))
        {
            if (bCreateUndoInfo)
                overwritten.Push(nToRow, nToCol, pStyle);
            else
                delete pStyle;
        }
        if (pMoving != nullptr)
            PutStyle(pData, nToRow, nToCol, pMoving);
    });
    // The cells that the move being undone had overwritten come back.
    auto* pGiven = DYNAMIC_DOWNCAST(CGXDataUndoMoveCellsInfo, pUndoInfo);
    if (pGiven != nullptr)
        pGiven->Empty([pData](ROWCOL nRow, ROWCOL nCol, CGXStyle* pStyle) { PutStyle(pData, nRow, nCol, pStyle); });
    if (bCreateUndoInfo)
    {
        if (pGiven == nullptr)
        {
            pGiven = new CGXDataUndoMoveCellsInfo;
            pUndoInfo = pGiven;
        }
        pGiven->Swap(overwritten);
    }
    return TRUE;
}

void GXInstallDataCopyMoveCellsImp()
{
    GXInstallImp<CGXDataCopyMoveCellsImp>(GXGetAppDataPtr()->m_pDataCopyMoveCellsImp);
}
