#include <grid/core/CoveredCellPool.h>

#include <grid/core/AbstractImps.h>
#include <grid/core/AppData.h>
#include <grid/core/RangeList.h>

IMPLEMENT_DYNCREATE(CGXCoveredCellPool, CObject)

namespace
{
POSITION At(const CPtrArray* pColumns, ROWCOL nCol)
{
    return pColumns != nullptr && nCol < static_cast<ROWCOL>(pColumns->GetSize())
               ? static_cast<POSITION>(pColumns->GetAt(nCol))
               : nullptr;
}
} // namespace

POSITION CGXCoveredCellPool::Lookup(ROWCOL nRow, ROWCOL nCol) const
{
    if (nRow >= static_cast<ROWCOL>(m_rows.GetSize()))
        return nullptr;
    return At(static_cast<const CPtrArray*>(m_rows.GetAt(nRow)), nCol);
}

BOOL CGXCoveredCellPool::SetSpan(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight, POSITION pos)
{
    if ((pos != nullptr && nTop == nBottom && nLeft == nRight) || nTop > nBottom || nLeft > nRight)
        return FALSE;
    if (pos != nullptr)
        for (ROWCOL nRow = nTop; nRow <= nBottom; ++nRow)
            for (ROWCOL nCol = nLeft; nCol <= nRight; ++nCol)
                if (const POSITION old = Lookup(nRow, nCol); old != nullptr && old != pos)
                    return FALSE;
    BOOL bChanged = FALSE;
    try
    {
        for (ROWCOL nRow = nTop; nRow <= nBottom; ++nRow)
        {
            CPtrArray* pColumns = nRow < static_cast<ROWCOL>(m_rows.GetSize())
                                      ? static_cast<CPtrArray*>(m_rows.GetAt(nRow))
                                      : nullptr;
            if (pColumns == nullptr && pos == nullptr)
                continue;
            if (pColumns == nullptr)
            {
                pColumns = new CPtrArray;
                try
                {
                    m_rows.SetAtGrow(nRow, pColumns);
                }
                catch (...)
                {
                    delete pColumns;
                    throw;
                }
            }
            const POSITION old = At(pColumns, nLeft);
            INT_PTR nCol = nLeft;
            if (pos != nullptr)
            {
                for (; nCol <= static_cast<INT_PTR>(nRight); ++nCol)
                    pColumns->SetAtGrow(nCol, pos);
            }
            else if (old == nullptr)
                continue;
            // The tail of a former, wider extent of the same range.
            const POSITION tail = pos != nullptr ? pos : old;
            for (; nCol < pColumns->GetSize() && pColumns->GetAt(nCol) == tail; ++nCol)
                pColumns->SetAt(nCol, nullptr);
            bChanged = TRUE;
        }
    }
    catch (CMemoryException* e)
    {
        e->Delete();
        return FALSE;
    }
    return bChanged;
}

CGXCoveredCellPool* CGXCoveredCellPoolImp::CreatePool()
{
    return new CGXCoveredCellPool;
}

void CGXCoveredCellPoolImp::InitPool(CGXCoveredCellPool& pool, const CGXRangeList& list)
{
    pool.DeleteAll();
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
    {
        const POSITION at = pos;
        const CGXRange* pRange = list.GetNextRange(pos);
        pool.SetSpan(pRange->top, pRange->left, pRange->bottom, pRange->right, at);
    }
}

void GXInstallCoveredCellPoolImp()
{
    GXInstallImp<CGXCoveredCellPoolImp>(GXGetAppDataPtr()->m_pCoveredCellPoolImp);
}
