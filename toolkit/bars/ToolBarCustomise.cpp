// SECCustomToolBar's customisation: the selected button, dragging buttons between bars, onto
// new toolbars and off every bar, drops that move separators, and the deferred hide.
#include <toolkit/bars/CustomToolBar.h>

#include <afxpriv.h>
#include <toolkit/bars/BarsRes.h>
#include <toolkit/bars/ToolBarManager.h>
#include <toolkit/bars/ToolBarRectTracker.h>
#include <toolkit/foundation/ToolkitRes.h>

#include <algorithm>

namespace tarnwick::bars
{
namespace
{
// Set while a drag started with Alt outside customise mode runs: the dropped button is not
// left selected.
BOOL g_bDropNoSelect = FALSE;

// The window style and extended style of a floating frame.
constexpr DWORD FLOAT_FRAME_STYLE = 0x80CC0000;
constexpr DWORD FLOAT_FRAME_EXSTYLE = 0x180;

// The toolbar that a window is, or the first that a floating frame's dock bar holds.
SECCustomToolBar* ToolBarOfWindow(HWND hWnd)
{
    for (; hWnd != nullptr; hWnd = ::GetParent(hWnd))
    {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd == nullptr)
            continue;
        if (pWnd->IsKindOf(RUNTIME_CLASS(SECCustomToolBar)))
            return static_cast<SECCustomToolBar*>(pWnd);
        if (pWnd->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
        {
            const CDockBar& dockBar = static_cast<CMiniDockFrameWnd*>(pWnd)->m_wndDockBar;
            for (int i = 0; i < dockBar.GetDockedCount(); ++i)
                if (CControlBar* pBar = dockBar.GetDockedControlBar(i);
                    pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(SECCustomToolBar)))
                    return static_cast<SECCustomToolBar*>(pBar);
            return nullptr;
        }
    }
    return nullptr;
}

// Without a manager: the toolbar under a corner of the screen rectangle, corners in order.
SECCustomToolBar* ToolBarAtCorners(const CRect& rect)
{
    for (const CPoint& pt : {rect.TopLeft(), CPoint(rect.right, rect.top), CPoint(rect.left, rect.bottom),
                             rect.BottomRight()})
        if (SECCustomToolBar* pBar = ToolBarOfWindow(::WindowFromPoint(pt)))
            return pBar;
    return nullptr;
}
} // namespace

UINT SECCustomToolBar::NoDelayHideMessage()
{
    static const UINT nMessage = ::RegisterWindowMessage(_T("WM_NODELAYHIDE"));
    return nMessage;
}

BOOL SECCustomToolBar::AcceptsDrop() const
{
    return TRUE;
}

void SECCustomToolBar::SetCustomiseMode(BOOL bCustomise)
{
    if (!bCustomise == !m_bCustomiseMode)
        return;
    ClearSelection(FALSE);
    m_bCustomiseMode = bCustomise;
    if (m_hWnd != nullptr)
        Invalidate();
}

int SECCustomToolBar::GetSelectedButton() const
{
    const bool bHolder = m_pManager == nullptr || m_pManager->GetCustomiseFocus() == this;
    return bHolder && m_nPressedBtn >= 0 && m_nPressedBtn < GetBtnCount() &&
                   (GetButton(m_nPressedBtn)->m_nStyle & TBBS_CUSTOMISE)
               ? m_nPressedBtn
               : -1;
}

void SECCustomToolBar::SelectButton(int nIndex, BOOL bRedraw)
{
    if (nIndex < 0 || nIndex >= GetBtnCount())
        return;
    if (m_pManager != nullptr)
    {
        if (SECCustomToolBar* pFocus = m_pManager->GetCustomiseFocus(); pFocus != nullptr && pFocus != this)
            pFocus->ClearSelection(TRUE);
        m_pManager->SetCustomiseFocus(this);
    }
    if (m_nPressedBtn >= 0 && m_nPressedBtn < GetBtnCount() && m_nPressedBtn != nIndex)
    {
        GetButton(m_nPressedBtn)->m_nStyle &= ~TBBS_CUSTOMISE;
        InvalidateButton(m_nPressedBtn);
    }
    m_nPressedBtn = nIndex;
    GetButton(nIndex)->m_nStyle |= TBBS_CUSTOMISE;
    if (bRedraw)
        InvalidateButton(nIndex);
    NotifyManager(barSelectionChanged);
}

void SECCustomToolBar::ClearSelection(BOOL bRedraw)
{
    const bool bHolder = m_pManager == nullptr || m_pManager->GetCustomiseFocus() == this;
    const int nIndex = m_nPressedBtn;
    m_nPressedBtn = -1;
    if (m_pManager != nullptr && bHolder)
        m_pManager->SetCustomiseFocus(nullptr);
    if (!bHolder || nIndex < 0 || nIndex >= GetBtnCount())
        return;
    GetButton(nIndex)->m_nStyle &= ~TBBS_CUSTOMISE;
    if (bRedraw)
        InvalidateButton(nIndex);
    NotifyManager(barSelectionChanged);
}

BOOL SECCustomToolBar::DragButton(int nIndex, int x, int y)
{
    if (nIndex < 0 || nIndex >= GetBtnCount() || !GetButton(nIndex)->CanDrag())
        return FALSE;
    const BOOL bCopy = IsCopyKeyDown();
    const BOOL bAltDrag = !m_bCustomiseMode;
    SECToolBarManager* pManager = m_pManager;
    const HWND hWndSelf = m_hWnd;
    g_bDropNoSelect = bAltDrag;
    SelectButton(nIndex);
    SECToolBarRectTracker tracker(GetButtonRect(nIndex));
    HCURSOR hOldCursor = nullptr;
    if (bCopy)
        if (HCURSOR hCopy = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(IDC_SEC_COPYDRAG)))
            hOldCursor = ::SetCursor(hCopy);
    BOOL bResult = FALSE;
    if (tracker.TrackHandle(CRectTracker::hitMiddle, this, CPoint(x, y), CWnd::GetDesktopWindow()))
        bResult = DropDraggedButton(tracker.m_rect, nIndex, bCopy);
    // This bar may be gone now: an emptied user toolbar destroys itself.
    if (hOldCursor != nullptr)
        ::SetCursor(hOldCursor);
    if (bAltDrag)
    {
        if (pManager != nullptr)
        {
            if (SECCustomToolBar* pFocus = pManager->GetCustomiseFocus())
                pFocus->ClearSelection(TRUE);
        }
        else if (CWnd::FromHandlePermanent(hWndSelf) == this)
            ClearSelection(TRUE);
    }
    g_bDropNoSelect = FALSE;
    return bResult;
}

BOOL SECCustomToolBar::DropDraggedButton(const CRect& rectClient, int nIndex, BOOL bCopy)
{
    CRect rect = rectClient;
    ClientToScreen(rect);
    SECCustomToolBar* pTarget = m_pManager != nullptr ? m_pManager->FindToolBarAt(rect) : ToolBarAtCorners(rect);
    if (pTarget == nullptr)
    {
        if (CRect rectHit; m_pManager != nullptr && rectHit.IntersectRect(m_pManager->GetBarRect(), rect))
            return FALSE;
        if (bCopy)
            return CopyToNewToolBar(GetButton(nIndex)->m_nID, rect.TopLeft());
        RemoveDraggedButton(nIndex);
        return TRUE;
    }
    if ((m_dwDragFlags & SEC_TBDRAG_KEEPBUTTONS) && pTarget != this)
        return FALSE;
    if (pTarget->AcceptsDrop())
    {
        pTarget->ScreenToClient(rect);
        return pTarget->DropButton(rect, GetButton(nIndex), bCopy, this);
    }
    if (bCopy)
        return FALSE;
    RemoveDraggedButton(nIndex);
    return TRUE;
}

void SECCustomToolBar::RemoveDraggedButton(int nIndex)
{
    ClearSelection(FALSE);
    RemoveButton(nIndex);
}

BOOL SECCustomToolBar::CopyToNewToolBar(UINT nID, CPoint ptDrop)
{
    SECCustomToolBar* pBar = m_pManager != nullptr ? m_pManager->CreateUserToolBar() : nullptr;
    if (pBar == nullptr)
        return FALSE;
    pBar->InsertButton(0, nID, FALSE, TRUE);
    if (!g_bDropNoSelect)
        pBar->SelectButton(0, FALSE);
    // The floating frame goes where its bar's buttons start at the drop point.
    CRect rectFrame(ptDrop, ptDrop);
    ::AdjustWindowRectEx(rectFrame, FLOAT_FRAME_STYLE, FALSE, FLOAT_FRAME_EXSTYLE);
    const CPoint ptFrame(rectFrame.left - pBar->m_cxLeftBorder - ::GetSystemMetrics(SM_CXBORDER),
                         rectFrame.top - pBar->m_cyTopBorder - ::GetSystemMetrics(SM_CYBORDER));
    m_pManager->GetFrame()->FloatControlBar(pBar, ptFrame, CBRS_ALIGN_TOP);
    return TRUE;
}

std::vector<SECCustomToolBar::DropRow> SECCustomToolBar::DropRows() const
{
    std::vector<DropRow> rows;
    int nFirst = 0;
    while (nFirst < GetBtnCount())
    {
        int nLast = nFirst;
        while (nLast < GetBtnCount() - 1 && !(GetButton(nLast)->m_nStyle & TBBS_WRAPPED))
            ++nLast;
        DropRow row{nFirst, nLast, INT_MAX, INT_MIN};
        int cy = 0;
        for (int i = nFirst; i <= nLast; ++i)
            if (const SECStdBtn* pBtn = GetButton(i); !(pBtn->m_nStyle & TBBS_HIDDEN))
            {
                row.yTop = std::min(row.yTop, pBtn->m_y);
                if (!IsSeparator(pBtn))
                    cy = std::max(cy, pBtn->m_cy);
            }
        if (row.yTop != INT_MAX)
        {
            const SECStdBtn* pEnd = GetButton(nLast);
            const bool bSepEnd = IsSeparator(pEnd) && (pEnd->m_nStyle & TBBS_WRAPPED);
            row.yBottom = row.yTop + cy + (bSepEnd ? m_nSepWidth * 2 / 3 : 0);
            rows.push_back(row);
        }
        nFirst = nLast + 1;
    }
    return rows;
}

void SECCustomToolBar::MoveSeparatorBefore(int nIndex, const CRect& rectDrop)
{
    const CRect rectOwn = GetButtonRect(nIndex);
    const bool bSepBefore = nIndex > 0 && IsSeparator(GetButton(nIndex - 1));
    if (rectDrop.left > rectOwn.left + 2 && !bSepBefore)
        InsertButton(nIndex, 0, TRUE);
    else if (rectDrop.right < rectOwn.right - 2 && bSepBefore)
        RemoveButton(nIndex - 1);
}

BOOL SECCustomToolBar::InsertDroppedButton(int nIndex, UINT nID)
{
    InsertButton(nIndex, nID);
    if (!g_bDropNoSelect)
        SelectButton(nIndex);
    return TRUE;
}

BOOL SECCustomToolBar::DropButton(const CRect& rect, SECStdBtn* pBtn, BOOL bCopy, SECCustomToolBar* pSource)
{
    const UINT nID = pBtn->m_nID;
    const int nSourceIndex = pSource != nullptr ? pSource->IndexOf(pBtn) : -1;
    const bool bOwnBar = pSource == this && nSourceIndex >= 0;
    // A move from another bar takes the button from there first; an emptied user toolbar
    // goes with it.
    const auto takeFromSource = [&] {
        if (!bCopy && pSource != nullptr && pSource != this && nSourceIndex >= 0)
            pSource->RemoveDraggedButton(nSourceIndex);
    };
    if (m_btns.empty())
    {
        takeFromSource();
        return InsertDroppedButton(0, nID);
    }
    const CPoint ptDrop = rect.CenterPoint();
    const std::vector<DropRow> rows = DropRows();
    int nInsert = GetBtnCount();
    if (!rows.empty() && ptDrop.y < rows.front().yTop)
        nInsert = 0;
    else if (!rows.empty() && ptDrop.y < rows.back().yBottom)
    {
        const DropRow& row =
            *std::find_if(rows.begin(), rows.end(), [&](const DropRow& r) { return r.yBottom > ptDrop.y; });
        if (bOwnBar && nSourceIndex >= row.nFirst && nSourceIndex <= row.nLast &&
            ptDrop.x >= pBtn->m_x && ptDrop.x < pBtn->m_x + pBtn->m_cx)
        {
            MoveSeparatorBefore(nSourceIndex, rect);
            return TRUE;
        }
        nInsert = row.nLast + 1;
        for (int i = row.nFirst; i <= row.nLast; ++i)
            if (const SECStdBtn* pAt = GetButton(i); !(pAt->m_nStyle & TBBS_HIDDEN) && pAt->m_x + pAt->m_cx > ptDrop.x)
            {
                nInsert = i;
                break;
            }
    }
    if (bOwnBar && !bCopy)
    {
        // Out of its old place first; the place it goes to is found again afterwards.
        const SECStdBtn* pAt = nInsert < GetBtnCount() ? GetButton(nInsert) : nullptr;
        if (pAt == pBtn)
            pAt = nInsert + 1 < GetBtnCount() ? GetButton(nInsert + 1) : nullptr;
        const int nFallback = nInsert > nSourceIndex ? nInsert - 1 : nInsert;
        // Without the bar's recalculation: a user toolbar must not go while its button moves.
        ClearSelection(FALSE);
        RemoveButton(nSourceIndex, TRUE);
        const int nAt = pAt != nullptr ? IndexOf(pAt) : GetBtnCount();
        nInsert = std::min(nAt >= 0 ? nAt : nFallback, GetBtnCount());
    }
    else
        takeFromSource();
    if (nInsert < GetBtnCount())
        if (const SECStdBtn* pSep = GetButton(nInsert); IsSeparator(pSep) && !(pSep->m_nStyle & TBBS_WRAPPED))
            if (CRect rectHit; rectHit.IntersectRect(pSep->GetRect(), rect))
                RemoveButton(nInsert, TRUE);
    return InsertDroppedButton(nInsert, nID);
}

void SECCustomToolBar::DelayShow(BOOL bShow)
{
    if (!bShow && m_pManager != nullptr && m_pManager->GetCustomiseMode() && IsFloating() &&
        (GetStyle() & WS_VISIBLE))
    {
        m_bDelayedHide = TRUE;
        PostMessage(NoDelayHideMessage());
        return;
    }
    m_bDelayedHide = FALSE;
    SECControlBar::DelayShow(bShow);
}

LRESULT SECCustomToolBar::OnNoDelayHide(WPARAM, LPARAM)
{
    const BOOL bHide = m_bDelayedHide && m_bCustomiseMode;
    m_bDelayedHide = FALSE;
    if (bHide)
        if (CFrameWnd* pFrame = GetDockingFrame())
            pFrame->ShowControlBar(this, FALSE, FALSE);
    return 0;
}
} // namespace tarnwick::bars
