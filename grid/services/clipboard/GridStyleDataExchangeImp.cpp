// Copying cells with their styles into an archive and pasting them back.
#include <grid/services/clipboard/GridStyleDataExchangeImp.h>

#include <grid/core/AppData.h>
#include <grid/core/GridCore.h>
#include <grid/core/LongOperationImp.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>
#include <grid/services/archive/StyleSerializeImp.h>
#include <grid/services/clipboard/CopySpans.h>

#include <memory>
#include <set>

namespace
{
constexpr DWORD maxLines = 0x8000;
constexpr ULONGLONG maxCells = 0x3FFFFFFF;

// The styles array of a stream, read element by element so that a damaged count or element is
// found before much is allocated or anything else is read: NULL unless the stream holds an
// object array of exactly R × C entries, each a style or null. A class other than a style is
// refused before anything of it is created. The entries are deleted with the reader, each
// once, also when a damaged stream names one style in several places.
class StyleArrayReader
{
public:
    ~StyleArrayReader()
    {
        std::set<CObject*> objects;
        for (INT_PTR i = 0; i < m_array.GetSize(); ++i)
            objects.insert(m_array.GetAt(i));
        objects.erase(nullptr);
        for (CObject* pEntry : objects)
            delete pEntry;
    }

    const CObArray* Read(CArchive& ar, ULONGLONG nEntries)
    {
        if (ar.ReadClass(RUNTIME_CLASS(CObArray)) != RUNTIME_CLASS(CObArray))
            return nullptr;
        ar.MapObject(&m_array);
        if (ar.ReadCount() != nEntries)
            return nullptr;
        for (ULONGLONG i = 0; i < nEntries; ++i)
        {
            std::unique_ptr<CObject> pEntry(ar.ReadObject(RUNTIME_CLASS(CGXStyle)));
            m_array.Add(pEntry.get());
            pEntry.release();
        }
        return &m_array;
    }

private:
    CObArray m_array;
};
} // namespace

BOOL GXIsCopyableSize(ULONGLONG nRows, ULONGLONG nCols)
{
    return nRows < maxLines && nCols < maxLines && nRows * nCols < maxCells;
}

BOOL CGXGridStyleDataExchangeImp::GetCellStyleForCopy(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, CGXStyle& style,
                                                      BOOL bComposed)
{
    if (bComposed)
    {
        pGrid->ComposeStyleRowCol(nRow, nCol, &style);
        return TRUE;
    }
    const int nType = (pGrid->m_nClipboardFlags & GX_CLIPOWNTYPE) != 0 ? pGrid->m_nDefaultType : 0;
    return pGrid->GetStyleRowCol(nRow, nCol, style, CGXStyle::modeCopy, nType);
}

BOOL CGXGridStyleDataExchangeImp::CopyStyles(CGXGridCore* pGrid, CArchive& ar, const CGXRangeList& list,
                                             BOOL bComposed)
{
    const CGXCopySpans spans(pGrid, list);
    const ULONGLONG nRows = spans.Rows().size();
    const ULONGLONG nCols = spans.Cols().size();
    CGXLongOperationScope operation;
    GXSetLongOperationStatus(operation.Record(), pGrid->GetAppData()->m_sCopyingInternal);
    const CGXArchiveStylesMapScope stylesMap(ar, pGrid->GetStylesMap());
    ar << static_cast<DWORD>(nRows) << static_cast<DWORD>(nCols);
    if (!GXIsCopyableSize(nRows, nCols))
    {
        AfxMessageBox(GXLoadResourceString(GX_IDS_RANGE_TOO_BIG), MB_OK);
        return FALSE;
    }

    CObArray styles;
    styles.SetSize(static_cast<INT_PTR>(nRows * nCols));
    // The styles go back to the grid's pool whatever happens.
    const auto recycle = [pGrid, &styles]() {
        for (INT_PTR i = 0; i < styles.GetSize(); ++i)
            if (CObject* pStyle = styles.GetAt(i))
                pGrid->RecycleStyle(static_cast<CGXStyle*>(pStyle));
    };
    BOOL bAborted = FALSE;
    try
    {
        INT_PTR nIndex = 0;
        for (ROWCOL nRow : spans.Rows())
            for (ROWCOL nCol : spans.Cols())
            {
                if (bAborted)
                    break;
                CGXStyle* pStyle = pGrid->CreateStyle();
                if (GetCellStyleForCopy(pGrid, nRow, nCol, *pStyle, bComposed))
                    styles.SetAt(nIndex, pStyle);
                else
                    pGrid->RecycleStyle(pStyle);
                bAborted = GXLongOpReportProgress(operation.Record(), ++nIndex, nRows * nCols);
            }
        if (!bAborted)
            ar << &styles;
    }
    catch (CException*)
    {
        recycle();
        throw;
    }
    recycle();
    pGrid->m_nCopiedRows = static_cast<DWORD>(nRows);
    pGrid->m_nCopiedCols = static_cast<DWORD>(nCols);
    return !bAborted;
}

BOOL CGXGridStyleDataExchangeImp::PasteStyles(CGXGridCore* pGrid, CArchive& ar, const CGXRange& target,
                                              BOOL bNoSizeCheck)
{
    const int nType = pGrid->m_nDefaultType;
    const CGXArchiveStylesMapScope stylesMap(ar, pGrid->GetStylesMap());
    StyleArrayReader reader;
    const CObArray* pRead = nullptr;
    DWORD nRows = 0;
    DWORD nCols = 0;
    CGXLongOperationScope operation;
    try
    {
        ar >> nRows >> nCols;
        if (nRows == 0 || nCols == 0 || !GXIsCopyableSize(nRows, nCols))
            return FALSE;
        pRead = reader.Read(ar, ULONGLONG(nRows) * nCols);
        if (pRead == nullptr)
            return FALSE;
    }
    catch (CException* e)
    {
        e->Delete();
        return FALSE;
    }

    CGXRange paste;
    paste.SetCells(target.top, target.left, target.top + nRows - 1, target.left + nCols - 1);
    if (!bNoSizeCheck && (paste.bottom != target.bottom || paste.right != target.right) &&
        !pGrid->ConfirmClipboardAction())
        return FALSE;

    pGrid->BeginUndoBlock(pGrid->GetAppData()->m_sPaste);
    GXSetLongOperationStatus(operation.Record(), pGrid->GetAppData()->m_sPastingData);
    GXLongOpSetRollback(TRUE);
    BOOL bPasted = FALSE;
    try
    {
        pGrid->StoreCurrentCell();
        const WORD wFlags = pGrid->m_nClipboardFlags;
        if (paste.bottom > pGrid->GetRowCount() &&
            ((wFlags & GX_CLIPNONEWROWS) != 0 || !pGrid->SetRowCount(paste.bottom, GX_UPDATENOW)))
            paste.bottom = pGrid->GetRowCount();
        CObArray clipped;
        const CObArray* pStyles = pRead;
        if (paste.right > pGrid->GetColCount() &&
            ((wFlags & GX_CLIPNONEWCOLS) != 0 || !pGrid->SetColCount(paste.right, GX_UPDATENOW)))
        {
            paste.right = pGrid->GetColCount();
            const ROWCOL nKept = paste.right >= paste.left ? paste.right - paste.left + 1 : 0;
            for (DWORD i = 0; i < nRows; ++i)
                for (ROWCOL j = 0; j < nKept; ++j)
                    clipped.Add(pRead->GetAt(static_cast<INT_PTR>(i) * nCols + j));
            pStyles = &clipped;
        }
        if (paste.top <= pGrid->GetRowCount() && paste.left <= pGrid->GetColCount() && paste.top <= paste.bottom &&
            paste.left <= paste.right)
            bPasted = pGrid->SetStyleRange(paste, nullptr, CGXStyle::modeCopy, nType, pStyles, GX_UPDATENOW, 0);
    }
    catch (CUserException* e)
    {
        e->Delete();
    }
    catch (CException*)
    {
        pGrid->RollbackUndoBlock();
        throw;
    }
    if (bPasted)
        pGrid->EndUndoBlock();
    else
        pGrid->RollbackUndoBlock();
    return bPasted;
}
