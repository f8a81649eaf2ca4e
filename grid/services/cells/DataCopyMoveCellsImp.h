// Copying and moving blocks of cells inside a data store, for every grid of the application
// (installed by GXInstallDataCopyMoveCellsImp). A move can keep the cells it overwrote; moving
// back with them restores the destination exactly.
#pragma once

#include <grid/core/AbstractImps.h>

#include <memory>
#include <vector>

class CGXStyle;
class CGXStylePtrArray;

// The cells a move overwrote: a list of (row, column, style), styles owned.
class CGXDataUndoMoveCellsInfo : public CObject
{
    DECLARE_DYNAMIC(CGXDataUndoMoveCellsInfo)
public:
    CGXDataUndoMoveCellsInfo() = default;
    CGXDataUndoMoveCellsInfo(const CGXDataUndoMoveCellsInfo&) = delete;
    CGXDataUndoMoveCellsInfo& operator=(const CGXDataUndoMoveCellsInfo&) = delete;
    ~CGXDataUndoMoveCellsInfo() override;

    // Puts a saved cell at the head of the list.
    void Push(ROWCOL nRow, ROWCOL nCol, CGXStyle* pStyle);
    // Hands every saved cell, head first, to put(row, column, style), which takes the style,
    // and leaves the list empty.
    template <class Put> void Empty(Put put);
    void Swap(CGXDataUndoMoveCellsInfo& other) noexcept;

private:
    struct SavedCell
    {
        ROWCOL nRow;
        ROWCOL nCol;
        CGXStyle* pStyle;
    };
    using Block = std::unique_ptr<SavedCell[]>;
    static constexpr size_t kBlockCells = 1024;
    class CSpareBlocks;
    static Block TakeBlock();
    static void GiveBack(Block block) noexcept;

    // The saved cells in the order pushed, kBlockCells (16 KB) to a block: no heap node per
    // cell, and the blocks come from the spare ones that emptied lists gave back.
    std::vector<Block> m_blocks;
    size_t m_nCells = 0;
};

template <class Put> void CGXDataUndoMoveCellsInfo::Empty(Put put)
{
    while (m_nCells > 0)
    {
        --m_nCells;
        const SavedCell cell = m_blocks.back()[m_nCells % kBlockCells];
        if (m_nCells % kBlockCells == 0)
        {
            GiveBack(std::move(m_blocks.back()));
            m_blocks.pop_back();
        }
        put(cell.nRow, cell.nCol, cell.pStyle);
    }
}

class CGXDataCopyMoveCellsImp : public CGXAbstractDataCopyMoveCellsImp
{
public:
    // The destination takes clones of the source's styles (empty where the source is); every
    // source cell is read before anything is written over it, so overlapping blocks copy as
    // through a scratch store. The store grows to cover the destination.
    BOOL CopyCells(CGXData* pData, CGXRange range, ROWCOL nDestRow, ROWCOL nDestCol) override;
    // Moves the styles; the destination's former styles go to the undo information with
    // bCreateUndoInfo (into the one passed in, or a new one handed back), else are deleted.
    // Undo information passed in puts back the cells it holds and is left empty.
    BOOL MoveCells(CGXData* pData, CGXRange range, ROWCOL nDestRow, ROWCOL nDestCol, CObject*& pUndoInfo,
                   BOOL bCreateUndoInfo) override;

private:
    static CGXStyle* StyleAt(CGXData* pData, ROWCOL nRow, ROWCOL nCol);
    static CGXStyle* TakeStyle(CGXData* pData, ROWCOL nRow, ROWCOL nCol);
    // Puts the style into the cell (the cell's former style is deleted); null empties it.
    static void PutStyle(CGXData* pData, ROWCOL nRow, ROWCOL nCol, CGXStyle* pStyle);
};

void GXInstallDataCopyMoveCellsImp();
