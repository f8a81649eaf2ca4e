// The list core's window messages.
#include "ListBaseC.h"

#include <toolkit/foundation/ToolkitRes.h>
#include <toolkit/foundation/VisualStyle.h>

#include <cstdlib>

namespace tarnwick::lists
{
namespace
{
constexpr UINT kDlgCode = DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTCHARS;
constexpr int kItemDragDistance = 3;   // pixels a press moves before an item drag starts
constexpr int kColumnDragDistance = 1; // the same for a header button
constexpr int kDropBand = 30;          // below the header where a dragged button still drops
constexpr int kLinePixels = 15;        // a horizontal line step
constexpr UINT_PTR kEditDelay = 500;
} // namespace

template <class TWndBase> int SECListBaseT<TWndBase>::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (TWndBase::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_hCursor = ::LoadCursorW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDC_SEC_LIST_CURSOR));
    // Outside report mode the items show in one headerless column.
    const bool bReport = (lpCreateStruct->style & LVS_SEC_VIEWMASK) == LVS_SEC_REPORT ||
                         (m_nListStyle & LVS_SEC_VIEWMASK) == LVS_SEC_REPORT;
    if (!bReport)
    {
        ModifyListStyle(0, LVS_SEC_NOCOLUMNHEADER, FALSE);
        InsertColumn(0, L"", 0, 20, 0, 0, TRUE);
    }
    return 0;
}

template <class TWndBase> void SECListBaseT<TWndBase>::OnDestroy()
{
    DestroyImageLists();
    if (m_pTip->GetSafeHwnd() != nullptr)
        m_pTip->DestroyWindow();
    DeleteAllColumns();
    // The measuring DC belongs to the window.
    ReleaseMeasuringContext();
    TWndBase::OnDestroy();
}

template <class TWndBase> void SECListBaseT<TWndBase>::OnCancelMode()
{
    m_pTip->Hide();
    TWndBase::OnCancelMode();
}

template <class TWndBase> void SECListBaseT<TWndBase>::OnSysColorChange()
{
    LoadColors();
    TWndBase::OnSysColorChange();
}

template <class TWndBase> LRESULT SECListBaseT<TWndBase>::OnThemeChanged(WPARAM, LPARAM)
{
    m_themes.Close();
    return Default();
}

template <class TWndBase> void SECListBaseT<TWndBase>::OnSize(UINT nType, int cx, int cy)
{
    PositionScrollBars();
    if (GetItemCount() > 0)
    {
        AutoFitColumns();
        RecalcLayout();
        Invalidate(FALSE);
    }
    TWndBase::OnSize(nType, cx, cy);
}

template <class TWndBase> void SECListBaseT<TWndBase>::OnPaint()
{
    CPaintDC dc(this);
    DrawControl(&dc);
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::OnEraseBkgnd(CDC*)
{
    return TRUE; // the paint covers the whole inside
}

template <class TWndBase> UINT SECListBaseT<TWndBase>::OnGetDlgCode()
{
    return kDlgCode;
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT && pWnd == this && m_bOverDivider && m_hCursor != nullptr)
    {
        ::SetCursor(m_hCursor);
        return TRUE;
    }
    return TWndBase::OnSetCursor(pWnd, nHitTest, message);
}

// ---- Mouse ----

template <class TWndBase> int SECListBaseT<TWndBase>::HeaderButtonCount() const
{
    return GetColumnCount() - (HasListStyleEx(LVXS_FITCOLUMNS) ? 1 : 0);
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::PressHeader(UINT nHitFlags, int nHit, CPoint point)
{
    if ((nHitFlags & LHT_ONDIVIDER) && nHit + 1 <= HeaderButtonCount())
    {
        ResizeColumnByDivider(point, nHit);
        return TRUE;
    }
    if (!HasListStyle(LVS_SEC_NOSORTHEADER) && (nHitFlags & LHT_ONHEADER))
    {
        m_nPressedHeader = nHit;
        DrawHeaderItem(nHit, TRUE);
        SetCapture();
    }
    return FALSE;
}

template <class TWndBase> void SECListBaseT<TWndBase>::PressItem(CPoint point, int nHit, UINT nHitFlags, UINT nKeyFlags)
{
    BOOL bArm = FALSE;
    BOOL bSelect = FALSE;
    ClassifyClick(point, nHit, nHitFlags, bArm, bSelect);
    m_bDragArmed = bArm;
    if (bSelect && SelectFromInput(nHit, nHitFlags, nKeyFlags, TRUE))
        AfterSelect(nHit, TRUE);
}

template <class TWndBase> void SECListBaseT<TWndBase>::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!HasFocus())
        SetFocus();
    UINT nHitFlags = 0;
    int nColumn = -1;
    const int nHit = HitTest(point, nHitFlags, nColumn);
    m_nCurrentColumn = nColumn;
    m_bDragArmed = FALSE;
    if (!PressHeader(nHitFlags, nHit, point))
        PressItem(point, nHit, nHitFlags, nFlags);
    m_ptPress = point;
    m_bItemDrag = FALSE;
    m_bColumnDrag = FALSE;
    Default();
}

template <class TWndBase> void SECListBaseT<TWndBase>::ReleaseColumnDrag()
{
    m_bColumnDrag = FALSE;
    ::ImageList_DragLeave(m_hWnd);
    ::ImageList_EndDrag();
    delete m_pDragImage;
    m_pDragImage = nullptr;
    const int nDrop = m_nDropColumn;
    EraseColumnDropMark();
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    DrawHeaderItem(m_nPressedHeader, FALSE);
    // Dropped on itself or just right of itself, the button stays.
    if (nDrop != -1 && nDrop != m_nPressedHeader && nDrop != m_nPressedHeader + 1)
        MoveColumn(m_nPressedHeader, nDrop, TRUE);
    m_nPressedHeader = -1;
}

template <class TWndBase> void SECListBaseT<TWndBase>::OnLButtonUp(UINT nFlags, CPoint point)
{
    m_bDragArmed = FALSE;
    if (m_bItemDrag)
    {
        m_bItemDrag = FALSE;
        return;
    }
    if (m_bColumnDrag)
    {
        ReleaseColumnDrag();
        return;
    }
    if (!HasListStyle(LVS_SEC_NOSORTHEADER) && m_nPressedHeader != -1)
    {
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        DrawHeaderItem(m_nPressedHeader, FALSE);
        NotifyColumnClick(m_nPressedHeader);
        m_nPressedHeader = -1;
    }
    UINT nHitFlags = 0;
    int nColumn = -1;
    int nHit = HitTest(point, nHitFlags, nColumn);
    if (!(nHitFlags & LHT_ONROW))
        nHit = -1;
    if (nHit != -1)
    {
        if (IsItemSelected(nHit) && GetSelectedCount() > 1 && !(nFlags & (MK_SHIFT | MK_CONTROL)))
        {
            DeselectAllBut(-1);
            SelectFromInput(nHit, nHitFlags, nFlags, TRUE);
        }
        else if (nFlags & MK_CONTROL)
            SelectFromInput(nHit, nHitFlags, nFlags, TRUE); // the toggle the press left for now
    }
    // A second, slow click on a selected label edits it.
    CRect cell;
    const BOOL bOnText =
        (nHitFlags & (LHT_ONICON | LHT_ONLABEL)) || ((nHitFlags & LHT_ONROW) && HasListStyleEx(LVXS_FULLROWSELECT)) ||
        ((nHitFlags & LHT_ROWLEFT) && ForwardToFirstSubItemColumn(nHit, cell, 2) && point.x >= cell.right);
    if (bOnText && nHit != -1 && m_nPendingEditItem == nHit)
    {
        if (m_nEditDelayTimer != 0)
            KillTimer(m_nEditDelayTimer);
        m_nEditDelayTimer = SetTimer(LIST_TIMER_EDIT, kEditDelay, nullptr);
    }
    const BOOL bEditable =
        HasListStyle(LVS_SEC_EDITLABELS) && nHit != -1 && IsItemSelected(nHit) &&
        ((nHitFlags & LHT_ONLABEL) ||
         (HasListStyleEx(LVXS_FULLROWSELECT) && (nHitFlags & LHT_ONROW) && m_nCurrentColumn >= 1 && nColumn >= 1));
    m_nPendingEditItem = bEditable ? nHit : -1;
    Default();
    Notify(static_cast<UINT>(NM_CLICK));
}

template <class TWndBase> void SECListBaseT<TWndBase>::OnLButtonDblClk(UINT, CPoint)
{
    m_nPendingEditItem = -1;
    if (m_nEditDelayTimer != 0)
        KillTimer(m_nEditDelayTimer);
    m_nEditDelayTimer = 0;
    Default();
    Notify(static_cast<UINT>(NM_DBLCLK));
}

template <class TWndBase> void SECListBaseT<TWndBase>::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (!HasFocus())
        SetFocus();
    UINT nHitFlags = 0;
    int nColumn = -1;
    const int nHit = HitTest(point, nHitFlags, nColumn);
    m_bDragArmed = FALSE;
    if (!(nHitFlags & LHT_ONDIVIDER))
        PressItem(point, nHit, nHitFlags, nFlags);
    m_ptPress = point;
    m_bItemDrag = FALSE;
    Default();
}

template <class TWndBase> void SECListBaseT<TWndBase>::OnRButtonUp(UINT, CPoint)
{
    m_bDragArmed = FALSE;
    if (m_bItemDrag)
    {
        m_bItemDrag = FALSE;
        return;
    }
    Default();
    Notify(static_cast<UINT>(NM_RCLICK));
}

template <class TWndBase> void SECListBaseT<TWndBase>::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bItemDrag && !m_bColumnDrag)
        return;
    UINT nHitFlags = 0;
    int nColumn = -1;
    const int nHit = HitTest(point, nHitFlags, nColumn);
    const BOOL bButtons = !HasListStyle(LVS_SEC_NOSORTHEADER);
    const BOOL bOnHeader = (nHitFlags & (LHT_ONHEADER | LHT_ONDIVIDER)) != 0;
    if (bButtons && SECIsAppThemed() && SECIsThemeActive())
    {
        const int nHot = bOnHeader ? nHit : -1;
        if (nHot != m_nHotHeader)
        {
            const int nOld = m_nHotHeader;
            m_nHotHeader = nHot;
            DrawHeaderItem(nOld, FALSE);
            DrawHeaderItem(nHot, FALSE);
            TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, m_hWnd, HOVER_DEFAULT};
            SECTrackMouseEvent(&track);
        }
    }
    m_bOverDivider = (nHitFlags & LHT_ONDIVIDER) && nHit < HeaderButtonCount();
    if (bButtons && !(nHitFlags & LHT_ONHEADER) && m_nPressedHeader != -1 && !m_bColumnDrag)
    {
        // Leaving the pressed button abandons the press.
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        DrawHeaderItem(m_nPressedHeader, FALSE);
        m_bDragArmed = FALSE;
        m_nPressedHeader = -1;
    }
    const CSize moved(std::abs(point.x - m_ptPress.x), std::abs(point.y - m_ptPress.y));
    if (GetFocusItem() != -1 && m_bDragArmed && !bOnHeader && (nFlags & (MK_LBUTTON | MK_RBUTTON)) &&
        (moved.cx > kItemDragDistance || moved.cy > kItemDragDistance))
    {
        m_bItemDrag = TRUE;
        m_bDragArmed = FALSE;
    }
    if (m_nPressedHeader > 0 && m_bDragArmed && (nFlags & MK_LBUTTON) &&
        (moved.cx > kColumnDragDistance || moved.cy > kColumnDragDistance))
    {
        m_bColumnDrag = TRUE;
        m_bDragArmed = FALSE;
        if (m_pDragImage == nullptr)
        {
            m_pDragImage = CreateHeaderDragImage(m_nPressedHeader);
            ::ImageList_BeginDrag(m_pDragImage->GetSafeHandle(), 0, point.x - GetColumnLeft(m_nPressedHeader), 0);
            ::ImageList_DragEnter(m_hWnd, point.x, 0);
        }
    }
    if (m_bColumnDrag && (nFlags & MK_LBUTTON))
    {
        if (point.y >= 0 && point.y < m_nHeaderHeight + kDropBand)
        {
            ::ImageList_DragShowNolock(TRUE);
            ::ImageList_DragMove(point.x, 0);
            UpdateColumnDropMark(point.x, point.y, nColumn);
        }
        else
        {
            ::ImageList_DragShowNolock(FALSE);
            EraseColumnDropMark();
        }
    }
    if (HasListStyleEx(LVXS_FLAG100000) && HasListStyle(LVS_SEC_NOLABELWRAP))
    {
        if (!m_bItemDrag && !m_bColumnDrag && nHit != m_nEditItem)
            m_pTip->Show(nHitFlags, nHit, nColumn, point.x, point.y);
        else
            m_pTip->Hide();
    }
    if (m_bItemDrag)
    {
        if (nFlags & MK_LBUTTON)
            BeginDrag(GetFocusItem(), m_ptPress.x, m_ptPress.y);
        else
            BeginRDrag(GetFocusItem(), m_ptPress.x, m_ptPress.y);
    }
    Default();
}

template <class TWndBase> LRESULT SECListBaseT<TWndBase>::OnMouseLeave(WPARAM, LPARAM)
{
    const int nOld = m_nHotHeader;
    m_nHotHeader = -1;
    DrawHeaderItem(nOld, FALSE);
    return 0;
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::OnMouseWheel(UINT, short zDelta, CPoint)
{
    m_nWheelDelta += zDelta;
    const int nNotches = m_nWheelDelta / WHEEL_DELTA;
    if (nNotches == 0)
        return TRUE;
    m_pTip->Hide();
    if (m_nScrollBarFlags & WS_VSCROLL)
    {
        if ((nNotches > 0 && m_nTopIndex > 0) || (nNotches < 0 && GetLastVisibleIndex() < GetItemCount() - 1))
            ScrollRows(-nNotches);
    }
    else if (m_nScrollBarFlags & WS_HSCROLL)
        ScrollHorz(kLinePixels * nNotches);
    m_nWheelDelta = 0;
    return TRUE;
}

// ---- Scroll bars ----

template <class TWndBase> void SECListBaseT<TWndBase>::OnVScroll(UINT nSBCode, UINT, CScrollBar*)
{
    EndLabelEdit(TRUE);
    m_pTip->Hide();
    SCROLLINFO info = {sizeof(info), SIF_ALL, 0, 0, 0, 0, 0};
    if (CScrollBar* pBar = GetScrollBarCtrl(SB_VERT))
        pBar->GetScrollInfo(&info, SIF_ALL);
    const int nPage = static_cast<int>(info.nPage);
    switch (nSBCode)
    {
    case SB_LINEUP:
        if (m_nTopIndex > 0)
            ScrollRows(-1);
        break;
    case SB_LINEDOWN:
        if (m_nTopIndex + nPage <= info.nMax)
            ScrollRows(1);
        break;
    case SB_PAGEUP:
        ScrollRows(-RowsAbovePage());
        break;
    case SB_PAGEDOWN:
        ScrollRows(std::min(m_nTopIndex + nPage, info.nMax - nPage + 1) - m_nTopIndex);
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        ScrollRows(info.nTrackPos - info.nPos);
        break;
    case SB_TOP:
        ScrollRows(-m_nTopIndex);
        break;
    case SB_BOTTOM:
        // Rows of different heights: the last page is found by walking up from the end.
        ScrollRows(IsLabelWrap() ? FirstRowOfLastPage() - m_nTopIndex : info.nMax - nPage - info.nPos + 1);
        break;
    default:
        break;
    }
}

template <class TWndBase> void SECListBaseT<TWndBase>::OnHScroll(UINT nSBCode, UINT, CScrollBar*)
{
    EndLabelEdit(TRUE);
    m_pTip->Hide();
    CRect inside;
    GetInsideRect(inside);
    SCROLLINFO info = {sizeof(info), SIF_ALL, 0, 0, 0, 0, 0};
    if (CScrollBar* pBar = GetScrollBarCtrl(SB_HORZ))
        pBar->GetScrollInfo(&info, SIF_ALL);
    switch (nSBCode)
    {
    case SB_LINELEFT:
        ScrollHorz(kLinePixels);
        break;
    case SB_LINERIGHT:
        ScrollHorz(-kLinePixels);
        break;
    case SB_PAGELEFT:
        ScrollHorz(inside.Width());
        break;
    case SB_PAGERIGHT:
        ScrollHorz(-inside.Width());
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        ScrollHorz(m_nHScrollOffset - info.nTrackPos);
        break;
    case SB_LEFT:
        ScrollHorz(m_nHScrollOffset);
        break;
    case SB_RIGHT:
        ScrollHorz(-GetContentWidth());
        break;
    default:
        break;
    }
}

template <class TWndBase> void SECListBaseT<TWndBase>::OnTimer(UINT_PTR nIDEvent)
{
    OnListTimer(nIDEvent);
    Default();
}

// ---- Keyboard ----

template <class TWndBase> void SECListBaseT<TWndBase>::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    NotifyKeyDown(nChar);
    const KeyArgs key = MakeKeyArgs(nRepCnt, nFlags);
    switch (nChar)
    {
    case VK_SPACE:
        KeySpace(key);
        break;
    case VK_UP:
        KeyUp(key);
        break;
    case VK_DOWN:
        KeyDown(key);
        break;
    case VK_HOME:
        KeyHome(key);
        break;
    case VK_END:
        KeyEnd(key);
        break;
    case VK_PRIOR:
        KeyPageUp(key);
        break;
    case VK_NEXT:
        KeyPageDown(key);
        break;
    case VK_F2:
        KeyF2(key);
        break;
    case VK_RETURN:
        KeyReturn(key);
        break;
    case VK_TAB:
        if (CWnd* pParent = GetParent())
            pParent->PostMessage(WM_NEXTDLGCTL, key.bShift ? 1 : 0, 0);
        break;
    case VK_ESCAPE:
        if (CWnd* pParent = GetParent())
            pParent->PostMessage(WM_COMMAND, IDCANCEL, 0);
        break;
    case VK_LEFT:
    case VK_SUBTRACT:
    case VK_OEM_MINUS:
        KeyLeft(key);
        break;
    case VK_RIGHT:
    case VK_ADD:
    case VK_OEM_PLUS:
        KeyRight(key);
        break;
    case VK_MULTIPLY:
        KeyMultiply(key);
        break;
    case VK_BACK:
        KeyBack(key);
        break;
    default:
        break;
    }
    Default();
}

template <class TWndBase> void SECListBaseT<TWndBase>::OnSysKeyDown(UINT nChar, UINT, UINT)
{
    NotifyKeyDown(nChar);
    Default();
}

template <class TWndBase> void SECListBaseT<TWndBase>::OnChar(UINT nChar, UINT, UINT)
{
    if ((m_nTypeAheadState & TypeAheadOff) || nChar == VK_ESCAPE || nChar == VK_RETURN || nChar == L' ' ||
        GetItemCount() == 0)
    {
        Default();
        return;
    }
    OnTypeAheadChar(nChar);
}

// ---- Focus and enabling ----

template <class TWndBase> void SECListBaseT<TWndBase>::OnSetFocus(CWnd* pOldWnd)
{
    TWndBase::OnSetFocus(pOldWnd);
    if (!IsMultiSelect() && GetFocusItem() != -1)
        RedrawItemRows(GetFocusItem(), FALSE, FALSE, FALSE, FALSE);
    else
        Invalidate(FALSE);
    Notify(static_cast<UINT>(NM_SETFOCUS));
}

template <class TWndBase> void SECListBaseT<TWndBase>::OnKillFocus(CWnd* pNewWnd)
{
    TWndBase::OnKillFocus(pNewWnd);
    if (pNewWnd != nullptr && pNewWnd->m_hWnd != nullptr && pNewWnd->m_hWnd == m_pEdit->GetSafeHwnd())
        return;
    EndLabelEdit(TRUE);
    if (!IsMultiSelect() && GetFocusItem() != -1)
        RedrawItemRows(GetFocusItem(), FALSE, FALSE, FALSE, FALSE);
    else
        Invalidate(FALSE);
    Notify(static_cast<UINT>(NM_KILLFOCUS));
}

template <class TWndBase> void SECListBaseT<TWndBase>::OnEnable(BOOL bEnable)
{
    if (!bEnable)
        m_pTip->Hide();
    Invalidate(TRUE);
}
template class SECListBaseT<CWnd>;
template class SECListBaseT<CView>;
} // namespace tarnwick::lists
