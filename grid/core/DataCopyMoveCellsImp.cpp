// Copying and moving blocks of cells inside a data store, with the undo information of a move.
#include <grid/core/DataCopyMoveCellsImp.h>

#include <grid/core/AppData.h>
#include <grid/core/ControlFactory.h>
#include <grid/core/Data.h>
#include <grid/core/Style.h>

#include <algorithm>
#include <memory>
#include <vector>

IMPLEMENT_DYNAMIC(CGXDataUndoMoveCellsInfo, CObject)

CGXDataUndoMoveCellsInfo::~CGXDataUndoMoveCellsInfo()
{
    while (Node* pNode = m_pHead)
    {
        m_pHead = pNode->pNext;
        delete pNode->pStyle;
        delete pNode;
    }
}

namespace
{
using Node = CGXDataUndoMoveCellsInfo::Node;

void Push(Node*& pHead, ROWCOL nRow, ROWCOL nCol, CGXStyle* pStyle)
{
    pHead = new Node{pHead, nRow, nCol, pStyle};
}
} // namespace

CGXStyle* CGXDataCopyMoveCellsImp::TakeStyle(CGXData* pData, ROWCOL nRow, ROWCOL nCol)
{
    CGXStylePtrArray* pRow = pData->m_apapCellStyle.GetRow(nRow);
    CGXStyle* pStyle = pRow != nullptr ? pRow->GetStyle(nCol) : nullptr;
    if (pStyle != nullptr)
        pRow->SetAt(nCol, nullptr);
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
    const ROWCOL nRows = range.bottom - range.top + 1;
    const ROWCOL nCols = range.right - range.left + 1;
    // Clones of the sources first: an overlapping destination must not feed the copy.
    std::vector<std::unique_ptr<CGXStyle>> sources(static_cast<size_t>(nRows) * nCols);
    std::vector<bool> rowExists(nRows);
    for (ROWCOL r = 0; r < nRows; ++r)
    {
        const CGXStylePtrArray* pRow = pData->m_apapCellStyle.GetRow(range.top + r);
        rowExists[r] = pRow != nullptr;
        for (ROWCOL c = 0; pRow != nullptr && c < nCols; ++c)
            if (const CGXStyle* pStyle = pRow->GetStyle(range.left + c))
                sources[static_cast<size_t>(r) * nCols + c].reset(pStyle->Clone());
    }
    for (ROWCOL r = 0; r < nRows; ++r)
    {
        // A missing source row only clears a destination row that exists.
        if (!rowExists[r] && pData->m_apapCellStyle.GetRow(nDestRow + r) == nullptr)
            continue;
        for (ROWCOL c = 0; c < nCols; ++c)
            PutStyle(pData, nDestRow + r, nDestCol + c, sources[static_cast<size_t>(r) * nCols + c].release());
    }
    return TRUE;
}

BOOL CGXDataCopyMoveCellsImp::MoveCells(CGXData* pData, CGXRange range, ROWCOL nDestRow, ROWCOL nDestCol,
                                        CObject*& pUndoInfo, BOOL bCreateUndoInfo)
{
    const ROWCOL nRows = range.bottom - range.top + 1;
    const ROWCOL nCols = range.right - range.left + 1;
    // Lift the moving cells, then clear the destination, then drop them.
    std::vector<Node> moving;
    for (ROWCOL r = 0; r < nRows; ++r)
        for (ROWCOL c = 0; c < nCols; ++c)
            if (CGXStyle* pStyle = TakeStyle(pData, range.top + r, range.left + c))
                moving.push_back({nullptr, nDestRow + r, nDestCol + c, pStyle});
    Node* pOverwritten = nullptr;
    for (ROWCOL r = 0; r < nRows; ++r)
        for (ROWCOL c = 0; c < nCols; ++c)
            if (CGXStyle* pStyle = TakeStyle(pData, nDestRow + r, nDestCol + c))
            {
                if (bCreateUndoInfo)
                    Push(pOverwritten, nDestRow + r, nDestCol + c, pStyle);
                else
                    delete pStyle;
            }
    for (const Node& node : moving)
        PutStyle(pData, node.nRow, node.nCol, node.pStyle);
    // The cells that the move being undone had overwritten come back.
    auto* pGiven = DYNAMIC_DOWNCAST(CGXDataUndoMoveCellsInfo, pUndoInfo);
    if (pGiven != nullptr)
        while (Node* pNode = pGiven->m_pHead)
        {
            pGiven->m_pHead = pNode->pNext;
            PutStyle(pData, pNode->nRow, pNode->nCol, pNode->pStyle);
            delete pNode;
        }
    if (bCreateUndoInfo)
    {
        if (pGiven == nullptr)
        {
            pGiven = new CGXDataUndoMoveCellsInfo;
            pUndoInfo = pGiven;
        }
        pGiven->m_pHead = pOverwritten;
    }
    return TRUE;
}

void GXInstallDataCopyMoveCellsImp()
{
    GXInstallImp<CGXDataCopyMoveCellsImp>(GXGetAppDataPtr()->m_pDataCopyMoveCellsImp);
}
