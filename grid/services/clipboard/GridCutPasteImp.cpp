// The clipboard commands of the grid.
#include <grid/services/clipboard/GridCutPasteImp.h>

#include <afxadv.h>

#include <grid/controls/Control.h>
#include <grid/core/AppData.h>
#include <grid/core/ClipboardScope.h>
#include <grid/core/GridCore.h>
#include <grid/core/GridParam.h>
#include <grid/core/LongOperationImp.h>
#include <grid/core/ResourceIds.h>

namespace
{
constexpr UINT clipboardBlockFlags = GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_SHARE;
static_assert(clipboardBlockFlags == 0x2042);
constexpr UINT clipboardGrowth = 4096;

// A clipboard block locked while the holder lives.
class BlockLock
{
public:
    explicit BlockLock(HANDLE hBlock) : m_hBlock(hBlock), m_pData(::GlobalLock(hBlock))
    {
    }
    ~BlockLock()
    {
        if (m_pData != nullptr)
            ::GlobalUnlock(m_hBlock);
    }
    BlockLock(const BlockLock&) = delete;
    BlockLock& operator=(const BlockLock&) = delete;
    void* Data() const
    {
        return m_pData;
    }
    SIZE_T Size() const
    {
        return ::GlobalSize(m_hBlock);
    }

private:
    HANDLE m_hBlock;
    void* m_pData;
};

BOOL IsClipboardHeldElsewhere()
{
    return ::GetOpenClipboardWindow() != nullptr;
}

BOOL HasSelection(CGXGridCore* pGrid)
{
    return pGrid->GetParam() != nullptr && !pGrid->GetParam()->m_SelRects.IsEmpty();
}

// Whole rows, whole columns and the whole table as cells from the first row and column that
// take part, which leave the headers out unless the clipboard flags take them in.
void ExpandRanges(CGXGridCore* pGrid, CGXRangeList& list)
{
    const WORD wFlags = pGrid->m_nClipboardFlags;
    const ROWCOL nFirstRow = (wFlags & GX_CLIPHEADERROWS) != 0 ? 0 : pGrid->GetHeaderRows() + 1;
    const ROWCOL nFirstCol = (wFlags & GX_CLIPHEADERCOLS) != 0 ? 0 : pGrid->GetHeaderCols() + 1;
    if (nFirstRow == 0 && nFirstCol == 0)
        return;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
    {
        CGXRange* pRange = list.GetNextRange(pos);
        if (!pRange->IsCells())
            pRange->ExpandRange(nFirstRow, nFirstCol, pGrid->GetRowCount(), pGrid->GetColCount());
    }
}

// A direct paste applies: a cut waits for its paste, or a copy may paste directly.
BOOL IsDirectPaste(const CGXGridParam& param)
{
    return param.DirectPasteMode() != 0 &&
           (param.CutPending() ? param.DirectCutPaste() : param.DirectCopyPaste());
}

// Whether the clipboard's direct-copy marker names this grid's parameter object and was put
// there by this process.
BOOL IsOwnDirectCopy(CGXGridCore* pGrid)
{
    const UINT nFormat = CGXGridCutPasteImp::GetDirectCopyFormat();
    if (!::IsClipboardFormatAvailable(nFormat))
        return FALSE;
    const CGXClipboardScope clipboard(pGrid->GridWnd());
    if (!clipboard)
        return FALSE;
    DWORD dwProcess = 0;
    const HWND hOwner = ::GetClipboardOwner();
    if (hOwner == nullptr || ::GetWindowThreadProcessId(hOwner, &dwProcess) == 0 ||
        dwProcess != ::GetCurrentProcessId())
        return FALSE;
    HANDLE hMarker = ::GetClipboardData(nFormat);
    if (hMarker == nullptr)
        return FALSE;
    const BlockLock marker(hMarker);
    return marker.Data() != nullptr && marker.Size() >= sizeof(DWORD) &&
           *static_cast<const DWORD*>(marker.Data()) == pGrid->GetParam()->ClipboardIdentity();
}
} // namespace

UINT CGXGridCutPasteImp::GetDirectCopyFormat()
{
    static UINT s_nFormat = 0xFFFF;
    if (s_nFormat == 0xFFFF)
        s_nFormat = ::RegisterClipboardFormatW(L"GX_DIRECTCOPY");
    return s_nFormat;
}

BOOL CGXGridCutPasteImp::CanCopy(CGXGridCore* pGrid)
{
    if (IsClipboardHeldElsewhere())
        return FALSE;
    if (HasSelection(pGrid))
        return TRUE;
    CGXControl* pControl = pGrid->GetCurrentCellControl();
    return pControl != nullptr && pControl->IsBoundToCell();
}

BOOL CGXGridCutPasteImp::Copy(CGXGridCore* pGrid)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr)
        return FALSE;
    // Open once for the whole copy, so that no other program's data lands between the formats.
    const CGXClipboardScope clipboard(pGrid->GridWnd());
    if (!clipboard || !::EmptyClipboard())
        return FALSE;

    CGXRangeList& list = pParam->ClipboardRangeList();
    BOOL bHasList = pGrid->CopyRangeList(list, FALSE);
    CGXControl* pControl = pGrid->GetCurrentCellControl();
    BOOL bCopied = FALSE;
    if ((!bHasList || pGrid->IsActiveCurrentCell()) && pControl != nullptr && pControl->CopyToClipboard())
        bCopied = TRUE;
    else if (bHasList || pGrid->CopyRangeList(list, TRUE))
    {
        const CGXLongOperationScope operation;
        ExpandRanges(pGrid, list);
        bCopied = pGrid->CopyRangeListToClipboard(list);
    }
    if (pParam->CutPending())
    {
        pParam->SetCutPending(FALSE);
        pGrid->RedrawGrid(GX_UPDATENOW);
    }
    return bCopied;
}

BOOL CGXGridCutPasteImp::CopyRangeList(CGXGridCore* pGrid, const CGXRangeList& list)
{
    const CGXLongOperationScope operation;
    const WORD wFlags = pGrid->m_nClipboardFlags;
    BOOL bCopied = FALSE;
    if ((wFlags & GX_CLIPTEXT) != 0)
        bCopied |= CopyTextToClipboard(pGrid, list);
    if ((wFlags & GX_CLIPSTYLES) != 0)
        bCopied |= CopyStylesToClipboard(pGrid, list, (wFlags & GX_CLIPCOMPOSED) != 0);

    const CGXGridParam* pParam = pGrid->GetParam();
    if (pParam != nullptr && (pParam->DirectCopyPaste() || pParam->DirectCutPaste()))
        if (HGLOBAL hMarker = ::GlobalAlloc(clipboardBlockFlags, sizeof(DWORD)))
        {
            *static_cast<DWORD*>(::GlobalLock(hMarker)) = pParam->ClipboardIdentity();
            ::GlobalUnlock(hMarker);
            const CGXClipboardScope clipboard(pGrid->GridWnd());
            if (clipboard)
                CGXClipboardScope::SetData(GetDirectCopyFormat(), hMarker);
            else
                ::GlobalFree(hMarker);
        }
    return bCopied;
}

BOOL CGXGridCutPasteImp::CopyTextToClipboard(CGXGridCore* pGrid, const CGXRangeList& list)
{
    if (pGrid->m_pTextDataExchangeImp == nullptr)
        return FALSE;
    CSharedFile file(clipboardBlockFlags, clipboardGrowth);
    if (!pGrid->m_pTextDataExchangeImp->CopyText(pGrid, file, list))
        return FALSE;
    const CGXClipboardScope clipboard(pGrid->GridWnd());
    if (!clipboard)
        return FALSE;
    ::EmptyClipboard();
    CGXClipboardScope::SetData(CF_UNICODETEXT, file.Detach());
    return TRUE;
}

BOOL CGXGridCutPasteImp::CopyStylesToClipboard(CGXGridCore* pGrid, const CGXRangeList& list, BOOL bComposed)
{
    CSharedFile file(clipboardBlockFlags, clipboardGrowth);
    {
        CArchive ar(&file, CArchive::store, clipboardGrowth);
        if (!pGrid->CopyStylesFromRangeList(list, ar, bComposed))
        {
            ar.Abort();
            return FALSE;
        }
        ar.Close();
    }
    const CGXClipboardScope clipboard(pGrid->GridWnd());
    if (!clipboard)
        return FALSE;
    CGXClipboardScope::SetData(pGrid->GetAppData()->m_uiClipboardFormat, file.Detach());
    return TRUE;
}

BOOL CGXGridCutPasteImp::CanCut(CGXGridCore* pGrid)
{
    if (IsClipboardHeldElsewhere() || pGrid->IsReadOnly())
        return FALSE;
    if (HasSelection(pGrid))
        return TRUE;
    CGXControl* pControl = pGrid->GetCurrentCellControl();
    return pControl != nullptr && pControl->CanCut();
}

BOOL CGXGridCutPasteImp::Cut(CGXGridCore* pGrid)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr)
        return FALSE;
    const CGXClipboardScope clipboard(pGrid->GridWnd());
    if (clipboard)
        ::EmptyClipboard();
    const CGXLongOperationScope operation;
    CGXRangeList& list = pParam->ClipboardRangeList();
    const BOOL bHasList = pGrid->CopyRangeList(list, FALSE);
    CGXControl* pControl = pGrid->GetCurrentCellControl();
    if ((!bHasList || pGrid->IsActiveCurrentCell()) && pControl != nullptr && pControl->CutToClipboard())
        return TRUE;
    if (pParam->DirectCutPaste())
    {
        const BOOL bCopied = Copy(pGrid);
        pParam->SetCutPending(TRUE);
        pGrid->RedrawGrid(GX_UPDATENOW);
        return bCopied;
    }
    const CGXLongOperationScope cut;
    if (!pGrid->CopyRangeList(list, TRUE))
        return FALSE;
    ExpandRanges(pGrid, list);
    return pGrid->CutRangeList(list, (pGrid->m_nClipboardFlags & GX_CLIPSTYLES) != 0);
}

BOOL CGXGridCutPasteImp::CutRangeList(CGXGridCore* pGrid, const CGXRangeList& list, BOOL bStyles)
{
    pGrid->BeginUndoBlock(pGrid->GetAppData()->m_sCutData);
    try
    {
        if (pGrid->CopyRangeListToClipboard(list) && pGrid->ClearRangeList(list, bStyles))
        {
            pGrid->EndUndoBlock();
            return TRUE;
        }
    }
    catch (CException*)
    {
        pGrid->RollbackUndoBlock();
        throw;
    }
    pGrid->RollbackUndoBlock();
    return FALSE;
}

BOOL CGXGridCutPasteImp::CanPaste(CGXGridCore* pGrid)
{
    const CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr || (pGrid->IsReadOnly() && pParam->m_bLockReadOnly))
        return FALSE;
    if (IsDirectPaste(*pParam))
        return TRUE;
    CGXControl* pControl = pGrid->GetCurrentCellControl();
    if (pControl != nullptr && pControl->CanPaste())
        return TRUE;
    return IsClipboardDataAvailable(pGrid);
}

BOOL CGXGridCutPasteImp::IsClipboardDataAvailable(CGXGridCore* pGrid)
{
    const UINT nStyles = pGrid->GetAppData()->m_uiClipboardFormat;
    return ::IsClipboardFormatAvailable(CF_UNICODETEXT) || (nStyles != 0 && ::IsClipboardFormatAvailable(nStyles));
}

BOOL CGXGridCutPasteImp::Paste(CGXGridCore* pGrid)
{
    if (!CanPaste(pGrid))
        return FALSE;
    CGXRangeList list;
    if (!pGrid->CopyRangeList(list, TRUE))
        return FALSE;
    CGXControl* pControl = pGrid->GetCurrentCellControl();
    if (pControl != nullptr && pControl->CanPaste() && pControl->PasteFromClipboard())
        return TRUE;
    pGrid->ResetCurrentCellControl(TRUE);
    if (list.GetCount() > 1)
    {
        AfxMessageBox(GXLoadResourceString(GX_IDS_MULTI_AREA_PASTE), MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    ExpandRanges(pGrid, list);
    const CGXRange target = *list.GetHeadRange();
    const CGXGridParam& param = *pGrid->GetParam();
    if (IsDirectPaste(param) && (param.CutPending() || IsOwnDirectCopy(pGrid)))
        return pGrid->PasteRangeList(target);

    const CGXClipboardScope clipboard(pGrid->GridWnd());
    return clipboard && pGrid->PasteStylesFromClipboard(target);
}

BOOL CGXGridCutPasteImp::PasteDirect(CGXGridCore* pGrid, const CGXRange& target)
{
    return pGrid->m_pDirectCopyMoveCellsImp != nullptr && pGrid->m_pDirectCopyMoveCellsImp->PasteDirect(pGrid, target);
}

BOOL CGXGridCutPasteImp::PasteFromClipboard(CGXGridCore* pGrid, const CGXRange& target)
{
    const WORD wFlags = pGrid->m_nClipboardFlags;
    CGXRange clipped = target;
    if ((wFlags & GX_CLIPHEADERROWS) == 0)
        clipped.top = std::max(clipped.top, pGrid->GetHeaderRows() + 1);
    if ((wFlags & GX_CLIPHEADERCOLS) == 0)
        clipped.left = std::max(clipped.left, pGrid->GetHeaderCols() + 1);

    const UINT nStyles = pGrid->GetAppData()->m_uiClipboardFormat;
    HANDLE hBlock = nullptr;
    if ((wFlags & GX_CLIPSTYLES) != 0 && nStyles != 0 && (hBlock = ::GetClipboardData(nStyles)) != nullptr)
    {
        const BlockLock block(hBlock);
        if (block.Data() == nullptr)
            return FALSE;
        CMemFile file(static_cast<BYTE*>(block.Data()), static_cast<UINT>(block.Size()));
        CArchive ar(&file, CArchive::load, clipboardGrowth);
        const BOOL bPasted = pGrid->PasteStylesFromArchive(ar, clipped, (wFlags & GX_CLIPASKSIZE) == 0);
        ar.Abort();
        return bPasted;
    }
    if ((wFlags & GX_CLIPTEXT) != 0 && pGrid->m_pTextDataExchangeImp != nullptr &&
        (hBlock = ::GetClipboardData(CF_UNICODETEXT)) != nullptr)
    {
        const BlockLock block(hBlock);
        return block.Data() != nullptr && pGrid->m_pTextDataExchangeImp->PasteText(
                                              pGrid, static_cast<LPCTSTR>(block.Data()), block.Size(), clipped);
    }
    return FALSE;
}

BOOL CGXGridCutPasteImp::ConfirmPasteSizeMismatch(CGXGridCore* pGrid)
{
    return AfxMessageBox(pGrid->GetAppData()->m_sClipboardSizeDiffers, MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}
