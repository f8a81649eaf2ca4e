// Keyboard messages of the grid window and of the cell controls' windows, and the grid's key map.
#include <grid/core/GridCore.h>

#include <grid/controls/Control.h>
#include <grid/core/GridParam.h>
#include <grid/core/KeyState.h>

namespace
{

// The move of an arrow key, plain and with Ctrl.
struct ArrowMove
{
    UINT nKey;
    int nDirection;
    int nCtrlDirection;
};

constexpr ArrowMove arrowMoves[] = {
    {VK_UP, 1, 7},
    {VK_DOWN, 3, 8},
    {VK_LEFT, 2, 9},
    {VK_RIGHT, 4, 10},
};

constexpr UINT storeFlags = 1;
constexpr UINT editKeyFlags = 2;
} // namespace

BOOL CGXGridCore::ProcessKeys(CWnd* pSender, UINT nMessage, UINT nChar, UINT nRepCnt, UINT flags)
{
    if (m_pGridWnd != nullptr && ::GetCapture() == m_pGridWnd->m_hWnd)
    {
        if (nMessage == WM_KEYDOWN && nChar == VK_ESCAPE)
            m_pGridWnd->SendMessage(WM_CANCELMODE);
        return TRUE;
    }
    // Esc ends the highlight even when the current cell's control takes the key.
    if (nMessage == WM_KEYDOWN && nChar == VK_ESCAPE && m_pParam != nullptr && m_pParam->ClearRangeHighlight())
        RedrawGrid(GX_INVALIDATE, TRUE);
    if (m_bCurrentCell && pSender == m_pGridWnd)
    {
        CGXControl* pControl = GetCurrentCellControl();
        if (pControl != nullptr)
        {
            if (!pControl->IsBoundToCell())
                pControl->Init(m_nCurrentRow, m_nCurrentCol);
            if (pControl->OnKeyMessage(nMessage, nChar, nRepCnt, flags))
            {
                ScrollCellInView(m_nCurrentRow, m_nCurrentCol, GX_UPDATENOW);
                m_pGridWnd->UpdateWindow();
                return TRUE;
            }
        }
    }
    switch (nMessage)
    {
    case WM_KEYDOWN:
        return OnGridKeyDown(nChar, nRepCnt, flags);
    case WM_CHAR:
        return OnGridChar(nChar, nRepCnt, flags);
    case WM_SYSKEYDOWN:
        return OnGridSysKeyDown(nChar, nRepCnt, flags);
    default:
        return FALSE;
    }
}

BOOL CGXGridCore::OnGridKeyDown(UINT nChar, UINT nRepCnt, UINT flags)
{
    const BOOL bCtrl = GXIsKeyDown(VK_CONTROL);
    const BOOL bShift = GXIsKeyDown(VK_SHIFT);
    const BOOL bAlt = GXIsKeyDown(VK_MENU);
    const UINT nCount = nRepCnt == 0 ? 1 : nRepCnt;
    BOOL bHandled = TRUE;
    BOOL bMoved = FALSE;
    switch (nChar)
    {
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT:
        for (const ArrowMove& move : arrowMoves)
            if (move.nKey == nChar)
                bMoved = MoveCurrentCellByKey(bCtrl ? move.nCtrlDirection : move.nDirection, nCount);
        break;
    case VK_PRIOR:
        bMoved = MoveCurrentCellByKey(6, nCount);
        break;
    case VK_NEXT:
        bMoved = MoveCurrentCellByKey(5, nCount);
        break;
    case VK_HOME:
    case VK_END:
        bHandled = bCtrl;
        if (bCtrl)
            bMoved = MoveCurrentCellByKey(nChar == VK_HOME ? 11 : 12, 1);
        break;
    case VK_TAB:
        bHandled = !bCtrl && !bAlt;
        if (bHandled && TransferCurrentCell(TRUE, storeFlags, TRUE))
            MoveCurrentCell(bShift ? 2 : 4, 1, TRUE);
        break;
    case VK_RETURN:
        bHandled = !bCtrl && !bShift && !bAlt;
        if (bHandled && TransferCurrentCell(TRUE, storeFlags, TRUE) && m_pParam->m_wEnterKeyDirection != 0)
            MoveCurrentCellByKey(m_pParam->m_wEnterKeyDirection, 1);
        break;
    case VK_ESCAPE:
        if (CGXControl* pControl = GetCurrentCellControl())
        {
            if (pControl->ReportChange())
            {
                pControl->Init(m_nCurrentRow, m_nCurrentCol);
                pControl->RefreshCell();
                pControl->ForwardHookA();
            }
            else
                pControl->RefreshCell();
            ScrollCellInView(m_nCurrentRow, m_nCurrentCol, GX_UPDATENOW);
        }
        if (!m_pParam->m_bSelectionFollowsCell && !m_pParam->m_SelRects.IsEmpty())
        {
            SetSelection(nullptr, 0, 0, 0, 0);
            RedrawGrid(GX_INVALIDATE, FALSE);
        }
        break;
    case VK_INSERT:
        bHandled = bCtrl || bShift;
        if (bCtrl && CanCopy())
            Copy();
        else if (bShift && !bCtrl && CanPaste())
            Paste();
        break;
    case VK_DELETE:
        if (bShift)
        {
            if (CanCut())
                Cut();
        }
        else if (CGXControl* pControl = GetCurrentCellControl();
                 pControl != nullptr && !pControl->IsActive() && CanClear() && !pControl->IsReadOnlyCell())
            ClearSelection(bCtrl);
        break;
    case VK_F2:
        OnF2Key();
        break;
    case VK_BACK:
        bHandled = bCtrl;
        if (bCtrl)
            Redo();
        break;
    default:
        bHandled = FALSE;
        break;
    }
    if (bHandled && m_pGridWnd != nullptr)
        m_pGridWnd->UpdateWindow();
    // A held key repeats through the tracking timer.
    if (m_bKeyTracking && bMoved && !m_bMessageShown && !IsMouseTracking())
    {
        m_nTrackedKey = nChar;
        m_nTrackedKeyFlags = flags;
        StartMouseTracking(FALSE, FALSE, FALSE);
    }
    return bHandled;
}

// F2 starts editing the current cell, or stores the edit that runs.
void CGXGridCore::OnF2Key()
{
    CGXControl* pControl = GetCurrentCellControl();
    if (pControl == nullptr)
    {
        if (TransferCurrentCell(TRUE, storeFlags, TRUE) && m_pParam->m_wEnterKeyDirection != 0)
            MoveCurrentCellByKey(m_pParam->m_wEnterKeyDirection, 1);
        return;
    }
    if (pControl->IsActive())
    {
        TransferCurrentCell(TRUE, editKeyFlags, TRUE);
        return;
    }
    TransferCurrentCell(FALSE, editKeyFlags, TRUE);
    if (!pControl->IsReadOnlyCell())
    {
        pControl->SetActive(TRUE);
        pControl->RefreshCell();
    }
}

BOOL CGXGridCore::OnGridChar(UINT nChar, UINT /*nRepCnt*/, UINT /*flags*/)
{
    switch (nChar)
    {
    case GX_CTRL_C:
        if (CanCopy())
            Copy();
        return TRUE;
    case GX_CTRL_V:
        if (CanPaste())
            Paste();
        return TRUE;
    case GX_CTRL_X:
        if (CanCut())
            Cut();
        return TRUE;
    case GX_CTRL_Z:
        Undo();
        return TRUE;
    case GX_CTRL_R:
        Redo();
        return TRUE;
    default:
        // Tab, Enter and Delete arrive as characters after their key-down did the work.
        return nChar == VK_TAB || nChar == VK_RETURN || nChar == 127;
    }
}

BOOL CGXGridCore::OnGridSysKeyDown(UINT nChar, UINT /*nRepCnt*/, UINT /*flags*/)
{
    if (nChar != VK_BACK || !GXIsKeyDown(VK_MENU))
        return FALSE;
    Undo();
    return TRUE;
}
