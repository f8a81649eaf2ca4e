#include <grid/core/Data.h>

#include <grid/core/AppData.h>

#include <algorithm>

IMPLEMENT_SERIAL(CGXData, CObject, 0)

namespace
{
// Deletes and removes the entries nFirst..nLast that the array holds.
void RemoveEntries(CPtrArray& array, ROWCOL nFirst, ROWCOL nLast)
{
    if (nLast < nFirst || nFirst >= static_cast<ROWCOL>(array.GetSize()))
        return;
    const INT_PTR nEnd = std::min<INT_PTR>(nLast, array.GetSize() - 1) + 1;
    for (INT_PTR i = nFirst; i < nEnd; ++i)
        delete static_cast<CObject*>(array[i]);
    array.RemoveAt(nFirst, nEnd - nFirst);
}

// Moves the entries nFirst..nLast so that the first lands at nDest; the entries between make
// room. Entries past the array's end are absent and move as nulls.
void MoveEntries(CPtrArray& array, ROWCOL nFirst, ROWCOL nLast, ROWCOL nDest)
{
    const INT_PTR nSize = array.GetSize();
    if (nDest == nFirst || nLast < nFirst || (nFirst >= nSize && nDest >= nSize))
        return;
    const INT_PTR nCount = static_cast<INT_PTR>(nLast) - nFirst + 1;
    INT_PTR nSource = nFirst;
    INT_PTR nInsert = nDest;
    if (nDest < nFirst)
        nSource += nCount;
    else
        nInsert += nCount;
    array.InsertAt(nInsert, nullptr, nCount);
    for (INT_PTR i = 0; i < nCount && nSource + i < array.GetSize(); ++i)
    {
        if (void* p = array[nSource + i])
            array[nInsert + i] = p;
    }
    if (nSource < array.GetSize())
        array.RemoveAt(nSource, std::min(nCount, array.GetSize() - nSource));
}

// The number of rows (columns) of nFrom..nTo that exist among nCount.
ROWCOL ExistingCount(ROWCOL nFrom, ROWCOL nTo, ROWCOL nCount)
{
    const ROWCOL nLast = std::min(nTo, nCount);
    return nLast < nFrom ? 0 : std::min(nLast - nFrom + 1, nCount);
}
} // namespace

CGXData::CGXData() : m_pAppData(GXGetAppDataPtr())
{
}

CGXData::~CGXData()
{
    DeleteContents();
}

void CGXData::Serialize(CArchive& ar)
{
    if (CGXAbstractGridDocSerializeImp* pImp = m_pAppData->m_pDocSerializeImp)
        pImp->SerializeData(*this, ar);
}

BOOL CGXData::CopyCells(CGXRange range, ROWCOL nDestRow, ROWCOL nDestCol)
{
    CGXAbstractDataCopyMoveCellsImp* pImp = m_pAppData->m_pDataCopyMoveCellsImp;
    return pImp != nullptr && pImp->CopyCells(this, range, nDestRow, nDestCol);
}

BOOL CGXData::MoveCells(CGXRange range, ROWCOL nDestRow, ROWCOL nDestCol, CObject*& pUndoInfo, BOOL bCreateUndoInfo)
{
    CGXAbstractDataCopyMoveCellsImp* pImp = m_pAppData->m_pDataCopyMoveCellsImp;
    return pImp != nullptr && pImp->MoveCells(this, range, nDestRow, nDestCol, pUndoInfo, bCreateUndoInfo);
}

BOOL CGXData::MoveDataRows(const CGXRange& range, const CDWordArray& order)
{
    CGXAbstractGridSortMoveDataImp* pImp = m_pAppData->m_pSortMoveDataImp;
    return pImp != nullptr && pImp->MoveDataRows(this, range, order);
}

BOOL CGXData::MoveDataCols(const CGXRange& range, const CDWordArray& order)
{
    CGXAbstractGridSortMoveDataImp* pImp = m_pAppData->m_pSortMoveDataImp;
    return pImp != nullptr && pImp->MoveDataCols(this, range, order);
}

void CGXData::DeleteContents()
{
    m_apapCellStyle.DeleteAll();
    m_apRowBaseStyle.DeleteAll();
    m_apColBaseStyle.DeleteAll();
}

CGXData& CGXData::operator=(const CGXData& source)
{
    if (&source == this)
        return *this;
    m_apapCellStyle = source.m_apapCellStyle;
    m_apRowBaseStyle = source.m_apRowBaseStyle;
    m_apColBaseStyle = source.m_apColBaseStyle;
    m_nRows = source.m_nRows;
    m_nCols = source.m_nCols;
    return *this;
}

void CGXData::InitParam(CGXGridParam*)
{
}

ROWCOL CGXData::GetRowCount()
{
    return m_nRows;
}

ROWCOL CGXData::GetColCount()
{
    return m_nCols;
}

BOOL CGXData::SetRowCount(ROWCOL nRows)
{
    if (nRows < m_nRows)
        RemoveRowsImpl(nRows + 1, m_nRows);
    else if (nRows > m_nRows)
        InsertRowsImpl(m_nRows + 1, nRows - m_nRows);
    return TRUE;
}

BOOL CGXData::SetColCount(ROWCOL nCols)
{
    if (nCols < m_nCols)
        RemoveColsImpl(nCols + 1, m_nCols);
    else if (nCols > m_nCols)
        InsertColsImpl(m_nCols + 1, nCols - m_nCols);
    return TRUE;
}

BOOL CGXData::InsertRowsImpl(ROWCOL nRow, ROWCOL nCount)
{
    m_apRowBaseStyle.InsertAt(nRow, nullptr, nCount);
    m_apapCellStyle.InsertAt(nRow, nullptr, nCount);
    m_nRows += nCount;
    return TRUE;
}

BOOL CGXData::InsertColsImpl(ROWCOL nCol, ROWCOL nCount)
{
    m_apColBaseStyle.InsertAt(nCol, nullptr, nCount);
    for (INT_PTR nRow = 0; nRow < m_apapCellStyle.GetSize(); ++nRow)
    {
        if (CGXStylePtrArray* pRow = m_apapCellStyle.GetRow(nRow))
            pRow->InsertAt(nCol, nullptr, nCount);
    }
    m_nCols += nCount;
    return TRUE;
}

BOOL CGXData::RemoveRowsImpl(ROWCOL nFromRow, ROWCOL nToRow)
{
    if (nFromRow > m_nRows)
        return TRUE;
    const ROWCOL nRemoved = ExistingCount(nFromRow, nToRow, m_nRows);
    nToRow = std::min(nToRow, m_nRows);
    RemoveEntries(m_apRowBaseStyle, nFromRow, nToRow);
    RemoveEntries(m_apapCellStyle, nFromRow, nToRow);
    m_nRows -= nRemoved;
    return TRUE;
}

BOOL CGXData::RemoveColsImpl(ROWCOL nFromCol, ROWCOL nToCol)
{
    if (nFromCol > m_nCols)
        return TRUE;
    const ROWCOL nRemoved = ExistingCount(nFromCol, nToCol, m_nCols);
    nToCol = std::min(nToCol, m_nCols);
    RemoveEntries(m_apColBaseStyle, nFromCol, nToCol);
    for (INT_PTR nRow = 0; nRow < m_apapCellStyle.GetSize(); ++nRow)
    {
        if (CGXStylePtrArray* pRow = m_apapCellStyle.GetRow(nRow))
            RemoveEntries(*pRow, nFromCol, nToCol);
    }
    m_nCols -= nRemoved;
    return TRUE;
}

BOOL CGXData::MoveRowsImpl(ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow)
{
    MoveEntries(m_apRowBaseStyle, nFromRow, nToRow, nDestRow);
    MoveEntries(m_apapCellStyle, nFromRow, nToRow, nDestRow);
    return TRUE;
}

BOOL CGXData::MoveColsImpl(ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol)
{
    MoveEntries(m_apColBaseStyle, nFromCol, nToCol, nDestCol);
    for (INT_PTR nRow = 0; nRow < m_apapCellStyle.GetSize(); ++nRow)
    {
        if (CGXStylePtrArray* pRow = m_apapCellStyle.GetRow(nRow))
            MoveEntries(*pRow, nFromCol, nToCol, nDestCol);
    }
    return TRUE;
}

CGXData::Slot CGXData::FindSlot(ROWCOL nRow, ROWCOL nCol, int nType)
{
    if (nType == -1)
        return nRow != 0 ? Slot{&m_apRowBaseStyle, nRow} : Slot{&m_apColBaseStyle, nCol};
    return Slot{m_apapCellStyle.GetRow(nRow), nCol};
}

BOOL CGXData::StoreStyleImpl(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, int nMode, int nType)
{
    m_nRows = std::max(m_nRows, nRow);
    m_nCols = std::max(m_nCols, nCol);
    Slot slot = FindSlot(nRow, nCol, nType);
    CGXStyle* pEntry = slot.GetStyle();
    if (pStyle == nullptr)
    {
        if (pEntry != nullptr)
        {
            slot.pArray->SetAt(slot.nIndex, nullptr);
            delete pEntry;
        }
        return TRUE;
    }
    if (nType != -1)
    {
        // Arrays grow to the counts at once, not one cell at a time.
        if (m_apapCellStyle.GetSize() < static_cast<INT_PTR>(nRow) + 1)
            m_apapCellStyle.SetSize(static_cast<INT_PTR>(m_nRows) + 1);
        if (slot.pArray == nullptr)
        {
            slot.pArray = new CGXStylePtrArray;
            m_apapCellStyle.SetAt(nRow, slot.pArray);
        }
        if (slot.pArray->GetSize() < static_cast<INT_PTR>(nCol) + 1)
            slot.pArray->SetSize(static_cast<INT_PTR>(m_nCols) + 1);
    }
    if (pEntry != nullptr)
        pEntry->ChangeStyle(*pStyle, nMode);
    else if (nMode != CGXStyle::modeExclude)
        slot.pArray->SetAtGrow(slot.nIndex, pStyle->Clone());
    return TRUE;
}

BOOL CGXData::GetStyleImpl(ROWCOL nRow, ROWCOL nCol, CGXStyle& style, int nMode, int nType)
{
    if (nRow > m_nRows || nCol > m_nCols)
        return FALSE;
    const CGXStyle* pEntry = FindSlot(nRow, nCol, nType).GetStyle();
    if (pEntry == nullptr)
        return FALSE;
    if (nMode == CGXStyle::modeCopy)
        style = *pEntry;
    else
        style.ChangeStyle(*pEntry, nMode);
    return TRUE;
}

BOOL CGXData::GetEngineCellFlag(ROWCOL, ROWCOL)
{
    m_styleScratch1.SetValue(_T(""));
    return FALSE;
}

void CGXData::SetEngineCellFlag(ROWCOL, ROWCOL, BOOL)
{
}

void CGXData::UpdateEngineRange(const CGXRange&)
{
}

void CGXData::EnableEngineRecalc(BOOL)
{
}

void CGXData::RecalcEngine()
{
}

BOOL CGXData::GetEngineErrorText(CString&)
{
    return FALSE;
}

CObject* CGXData::DetachEngineUndoInfo()
{
    return nullptr;
}

BOOL CGXData::ApplyEngineUndoInfo(CObject*, DWORD, DWORD)
{
    return FALSE;
}

int CGXData::ExchangeEngineMode(int)
{
    return 0;
}

BOOL CGXData::EngineCellsHook(LPCTSTR, const CGXRange&, CObject*)
{
    return FALSE;
}

BOOL CGXData::GetEngineNamedRange(LPCTSTR, CGXRange&)
{
    return FALSE;
}

BOOL CGXData::SetEngineExpression(LPCTSTR, CObject*&, BOOL)
{
    return FALSE;
}

CGXGridCore* CGXData::FindRegisteredHandler()
{
    return m_pAppData->LookupGridList(this);
}
