// The list core's answers to the user: hit testing, the selection rules, key actions,
// type-ahead, header dividers and buttons, and the notifications they send.
#include "ListBaseC.h"

#include <toolkit/foundation/CaptureLoop.h>

#include <algorithm>

namespace tarnwick::lists
{
namespace
{
constexpr int kDividerSlop = 4;      // pixels either side of a header divider
constexpr int kMinDividerWidth = 10; // a column dragged by its divider keeps this much
constexpr int kTinyColumn = 6;       // narrower columns become 5 pixels wide after a resize
constexpr UINT kKeyHitFlags = 0x46;  // the hit flags the keyboard selects with
constexpr COLORREF kDropMarkColor = 0xFF0000;
} // namespace

// ---- Hit testing ----

template <class TWndBase> int SECListBaseT<TWndBase>::HitTest(CPoint point, UINT& nFlags, int& nColumn)
{
    nFlags = 0;
    nColumn = -1;
    CRect client;
    GetListClientRect(client);
    if (point.y < client.top)
        nFlags |= LHT_ABOVE;
    if (point.y >= client.bottom)
        nFlags |= LHT_BELOW;
    if (point.x < client.left)
        nFlags |= LHT_TOLEFT;
    if (point.x >= client.right)
        nFlags |= LHT_TORIGHT;
    if (nFlags != 0)
        return -1;
    const int nColumns = GetColumnCount();
    if (nColumns == 0)
    {
        nFlags = LHT_NOWHERE;
        return -1;
    }
    if (nColumns == 1)
        nColumn = 0;
    for (int i = 0; i < nColumns && nColumn == -1; i++)
    {
        if (point.x >= GetColumnLeft(i) && point.x < GetColumnRight(i))
            nColumn = i;
    }
    CRect inside;
    GetInsideRect(inside);
    if (point.y < inside.top)
    {
        const int nButtons = nColumns - (HasListStyleEx(LVXS_FITCOLUMNS) ? 1 : 0);
        for (int i = 0; i < nButtons; i++)
        {
            const int nRight = GetColumnRight(i);
            if (point.x >= nRight - kDividerSlop && point.x <= nRight + kDividerSlop)
            {
                nFlags = LHT_ONDIVIDER;
                return i;
            }
            if (point.x >= GetColumnLeft(i) && point.x < nRight)
            {
                nFlags = LHT_ONHEADER;
                return i;
            }
        }
        nFlags = LHT_NOWHERE;
        return -1;
    }
    // The row under the point is the last of those it takes to pass the point's height.
    int nResult = m_nTopIndex + RowsInHeight(point.y - inside.top + 1, m_nTopIndex, TRUE) - 1;
    const int y = inside.top + RowDistance(m_nTopIndex, nResult, FALSE);
    const CRect row(GetColumnLeft(0), y, inside.right, y + GetRowPitch(nResult));
    if (nResult < m_nTopIndex || !row.PtInRect(point))
        nResult = -1;
    else
    {
        nFlags |= LHT_ONROW;
        if (nColumn != -1 && GetColumn(nColumn)->iSubItem == 0)
        {
            const SECListItem* pItem = GetItemAt(nResult);
            const CPoint origin(GetColumnLeft(nColumn), y);
            if ((CRect(pItem->m_rcLabel) + origin).PtInRect(point))
                nFlags |= LHT_ONLABEL;
            else if ((CRect(pItem->m_rcIcon) + origin).PtInRect(point))
                nFlags |= LHT_ONICON;
            else if ((CRect(pItem->m_rcThird) + origin).PtInRect(point))
                nFlags |= LHT_ONSTATEICON;
            else if (point.x < origin.x + pItem->m_rcLabel.left)
                nFlags |= LHT_ROWLEFT;
            else
                nFlags |= LHT_ROWRIGHT;
        }
    }
    if (nFlags == 0)
        nFlags = LHT_NOWHERE;
    return nResult;
}

template <class TWndBase>
void SECListBaseT<TWndBase>::ClassifyClick(CPoint point, int nItem, UINT nFlags, BOOL& bArm, BOOL& bSelect)
{
    bArm = FALSE;
    bSelect = FALSE;
    if (nFlags & (LHT_ONICON | LHT_ONLABEL))
    {
        bArm = bSelect = TRUE;
        return;
    }
    if (HasListStyleEx(LVXS_HEADERDRAG) && (nFlags & LHT_ONHEADER))
    {
        // The first header button never moves.
        bArm = nItem > 0;
        return;
    }
    if ((nFlags & LHT_ONROW) && !(nFlags & LHT_ONSTATEICON))
    {
        if (HasListStyleEx(LVXS_FULLROWSELECT))
            bSelect = TRUE;
        else if (nFlags & LHT_ROWLEFT)
        {
            CRect rect;
            bSelect = ForwardToFirstSubItemColumn(nItem, rect, 2) && point.x >= rect.right;
        }
        bArm = bSelect;
    }
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::ForwardToFirstSubItemColumn(int nItem, CRect& rect, int nPart)
{
    for (int i = 0; i < GetColumnCount(); i++)
    {
        if (GetColumn(i)->iSubItem == 0)
            return GetCellRect(nItem, i, rect, nPart);
    }
    return FALSE;
}

// ---- Selection ----

template <class TWndBase>
BOOL SECListBaseT<TWndBase>::SelectFromInput(int nItem, UINT /*nHitFlags*/, UINT nKeyFlags, BOOL bByMouse)
{
    if (GetItemAt(nItem) == nullptr)
        return FALSE;
    const int nOldFocus = GetFocusItem();
    if (IsMultiSelect() && (nKeyFlags & (MK_SHIFT | MK_CONTROL)))
    {
        if (m_bSelVetoed)
            return TRUE;
        if (!(nKeyFlags & MK_SHIFT))
        {
            if (!bByMouse)
            {
                const int nAnchor = m_nAnchorItem;
                FocusItem(nItem);
                m_nAnchorItem = nAnchor;
                if (nItem != nOldFocus)
                {
                    RedrawItemRows(nOldFocus, FALSE, FALSE, FALSE, FALSE);
                    RedrawItemRows(nItem, FALSE, FALSE, FALSE, FALSE);
                    return TRUE;
                }
            }
            m_pTip->Hide();
            if (m_bDragArmed)
                return TRUE; // the toggle waits for the button's release
            m_bSelVetoed = SelChanging(nItem, nOldFocus, bByMouse);
            if (m_bSelVetoed)
                return FALSE;
            SelectItem(nItem, !IsItemSelected(nItem));
        }
        else
        {
            if (!((!bByMouse && nItem == nOldFocus) || (m_nAnchorItem != -1 && nItem != nOldFocus)))
                return TRUE;
            m_bSelVetoed = SelChanging(nItem, nOldFocus, bByMouse);
            if (m_bSelVetoed)
                return FALSE;
            const int nAnchor = m_nAnchorItem;
            // Only the rows that change look are redrawn: the new range and the rows that lose
            // their selection or the focus.
            int nFrom = std::min({nAnchor, nItem, nOldFocus == -1 ? nItem : nOldFocus});
            int nTo = std::max({nAnchor, nItem, nOldFocus});
            if (m_selection.GetSize() > 0)
            {
                nFrom = std::min(nFrom, static_cast<int>(m_selection[0]));
                nTo = std::max(nTo, static_cast<int>(m_selection[m_selection.GetSize() - 1]));
            }
            m_pTip->Hide();
            DeselectAllBut(-1);
            SelectRange(nAnchor, nItem, TRUE);
            SelectItem(nItem, TRUE);
            m_nAnchorItem = nAnchor;
            InvalidateRows(nFrom, nTo);
            SelChanged(nItem, nOldFocus, bByMouse);
            return TRUE;
        }
    }
    else
    {
        if (nItem == nOldFocus && IsItemSelected(nItem))
            return TRUE;
        // A right click keeps the selection for the context menu; only the focus moves.
        if ((nKeyFlags & MK_RBUTTON) && IsItemSelected(nItem))
        {
            m_pTip->Hide();
            const int nAnchor = m_nAnchorItem;
            FocusItem(nItem);
            m_nAnchorItem = nAnchor;
            Invalidate(FALSE);
            return TRUE;
        }
        // A press on one of several keeps them for a drag: the selection collapses at the
        // button's release. Keys have no release, so they select at once.
        if (bByMouse && IsItemSelected(nItem) && GetSelectedCount() > 1)
            return TRUE;
        m_bSelVetoed = SelChanging(nItem, nOldFocus, bByMouse);
        if (m_bSelVetoed)
            return FALSE;
        m_pTip->Hide();
        DeselectAllBut(nItem);
        SelectItem(nItem, TRUE);
    }
    Invalidate(FALSE);
    SelChanged(nItem, nOldFocus, bByMouse);
    return TRUE;
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::SelChanging(int, int, int)
{
    return FALSE;
}

template <class TWndBase> void SECListBaseT<TWndBase>::SelChanged(int, int, int)
{
}

template <class TWndBase> void SECListBaseT<TWndBase>::AfterSelect(int, BOOL)
{
}

template <class TWndBase> void SECListBaseT<TWndBase>::BeginDrag(int, int, int)
{
}

template <class TWndBase> void SECListBaseT<TWndBase>::BeginRDrag(int, int, int)
{
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::IsItemDragging() const
{
    return m_bItemDrag;
}

template <class TWndBase> void SECListBaseT<TWndBase>::SelectFromKeyboard(int nItem, const KeyArgs& key)
{
    const UINT nKeyFlags = (key.bShift ? MK_SHIFT : 0) | (key.bCtrl ? MK_CONTROL : 0);
    if (SelectFromInput(nItem, kKeyHitFlags, nKeyFlags, FALSE))
    {
        AfterSelect(nItem, FALSE);
        EnsureVisible(nItem);
    }
}

// ---- Keys ----

template <class TWndBase>
typename SECListBaseT<TWndBase>::KeyArgs SECListBaseT<TWndBase>::MakeKeyArgs(UINT nRepeat, UINT nFlags) const
{
    const int nSubItem = GetColumnSubItem(m_nCurrentColumn);
    return KeyArgs{GetFocusItem(),
                   nSubItem < 0 ? 0 : nSubItem,
                   (::GetKeyState(VK_SHIFT) & 0x8000) != 0,
                   (::GetKeyState(VK_CONTROL) & 0x8000) != 0,
                   nRepeat,
                   nFlags};
}

template <class TWndBase> void SECListBaseT<TWndBase>::KeySpace(const KeyArgs& key)
{
    if (key.nItem != -1)
        SelectFromKeyboard(key.nItem, key);
}

template <class TWndBase> void SECListBaseT<TWndBase>::KeyUp(const KeyArgs& key)
{
    if (key.nItem > 0)
        SelectFromKeyboard(key.nItem - 1, key);
}

template <class TWndBase> void SECListBaseT<TWndBase>::KeyDown(const KeyArgs& key)
{
    if (key.nItem < GetItemCount() - 1)
        SelectFromKeyboard(key.nItem + 1, key);
}

template <class TWndBase> void SECListBaseT<TWndBase>::KeyF2(const KeyArgs& key)
{
    if (key.nItem != -1 && HasListStyle(LVS_SEC_EDITLABELS))
        EditLabel(key.nItem, m_nCurrentColumn);
}

template <class TWndBase> void SECListBaseT<TWndBase>::KeyReturn(const KeyArgs&)
{
    Notify(static_cast<UINT>(NM_RETURN));
}

template <class TWndBase> void SECListBaseT<TWndBase>::SendScroll(UINT nCode)
{
    CScrollBar* pBar = GetScrollBarCtrl(SB_VERT);
    SendMessage(WM_VSCROLL, nCode, reinterpret_cast<LPARAM>(pBar != nullptr ? pBar->m_hWnd : nullptr));
}

template <class TWndBase> void SECListBaseT<TWndBase>::KeyHome(const KeyArgs& key)
{
    if (GetItemCount() == 0)
        return;
    if (m_nScrollBarFlags & WS_VSCROLL)
        SendScroll(SB_TOP);
    SelectFromKeyboard(0, key);
    Invalidate(TRUE);
}

template <class TWndBase> void SECListBaseT<TWndBase>::KeyEnd(const KeyArgs& key)
{
    if (GetItemCount() == 0)
        return;
    if (m_nScrollBarFlags & WS_VSCROLL)
        SendScroll(SB_BOTTOM);
    SelectFromKeyboard(GetItemCount() - 1, key);
    Invalidate(TRUE);
}

template <class TWndBase> void SECListBaseT<TWndBase>::KeyPageUp(const KeyArgs& key)
{
    if (!(m_nScrollBarFlags & WS_VSCROLL))
    {
        KeyHome(key);
        return;
    }
    // The first press goes to the page's edge, the next one turns the page.
    if (key.nItem == m_nTopIndex)
        SendScroll(SB_PAGEUP);
    SelectFromKeyboard(m_nTopIndex, key);
}

template <class TWndBase> void SECListBaseT<TWndBase>::KeyPageDown(const KeyArgs& key)
{
    if (!(m_nScrollBarFlags & WS_VSCROLL))
    {
        KeyEnd(key);
        return;
    }
    if (key.nItem == GetLastVisibleIndex())
        SendScroll(SB_PAGEDOWN);
    SelectFromKeyboard(GetLastVisibleIndex(), key);
}

template <class TWndBase> void SECListBaseT<TWndBase>::KeyLeft(const KeyArgs&)
{
}

template <class TWndBase> void SECListBaseT<TWndBase>::KeyBack(const KeyArgs&)
{
}

template <class TWndBase> void SECListBaseT<TWndBase>::KeyRight(const KeyArgs&)
{
}

template <class TWndBase> void SECListBaseT<TWndBase>::KeyMultiply(const KeyArgs&)
{
}

// ---- Type-ahead ----

template <class TWndBase> BOOL SECListBaseT<TWndBase>::SelectByPrefix(int nStart)
{
    const int nFound = FindItemPrefix(nStart, m_strTypeAhead);
    if (nFound == -1)
        return FALSE;
    if (SelectFromInput(nFound, kKeyHitFlags, 0, FALSE))
    {
        AfterSelect(nFound, FALSE);
        EnsureVisible(nFound);
    }
    return TRUE;
}

template <class TWndBase> void SECListBaseT<TWndBase>::OnTypeAheadChar(UINT nChar)
{
    if (m_nTypeAheadState & TypeAheadFailed)
    {
        m_nTypeAheadState |= TypeAheadKey;
        return;
    }
    if (!(m_nTypeAheadState & TypeAheadRunning))
    {
        m_nTypeAheadState |= TypeAheadRunning;
        m_strTypeAhead.Empty();
        if (m_nTypeAheadTimer != 0)
            KillTimer(m_nTypeAheadTimer);
        m_nTypeAheadTimer = SetTimer(LIST_TIMER_TYPEAHEAD, static_cast<UINT>(m_nTypeAheadInterval), nullptr);
    }
    m_strTypeAhead += static_cast<wchar_t>(nChar);
    int nStart = GetFocusItem();
    if (m_strTypeAhead.GetLength() == 1)
    {
        nStart = GetNextItem(nStart, LVNI_BELOW);
        if (nStart == -1)
            nStart = 0;
    }
    if (SelectByPrefix(nStart))
        m_nTypeAheadState |= TypeAheadKey;
    else
    {
        ::MessageBeep(0xFFFFFFFF);
        m_nTypeAheadState |= TypeAheadFailed | TypeAheadKey;
    }
}

template <class TWndBase> void SECListBaseT<TWndBase>::OnTypeAheadTick()
{
    if ((m_nTypeAheadState & (TypeAheadRunning | TypeAheadKey)) == (TypeAheadRunning | TypeAheadKey))
    {
        m_nTypeAheadState &= ~TypeAheadKey;
        return;
    }
    if (m_nTypeAheadTimer != 0)
        KillTimer(m_nTypeAheadTimer);
    m_nTypeAheadTimer = 0;
    m_nTypeAheadState &= TypeAheadOff;
    m_strTypeAhead.Empty();
}

// ---- Timers ----

template <class TWndBase> void SECListBaseT<TWndBase>::StartTimer(UINT nPeriod)
{
    StopTimer();
    if (nPeriod != 0)
        m_nDragTimer = SetTimer(LIST_TIMER_DRAGSCROLL, nPeriod, nullptr);
}

template <class TWndBase> void SECListBaseT<TWndBase>::StopTimer()
{
    if (m_hWnd != nullptr)
        KillTimer(LIST_TIMER_DRAGSCROLL);
    m_nDragTimer = 0;
}

template <class TWndBase> void SECListBaseT<TWndBase>::OnListTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == LIST_TIMER_EDIT && m_nEditDelayTimer != 0)
    {
        KillTimer(m_nEditDelayTimer);
        m_nEditDelayTimer = 0;
        if (m_nPendingEditItem != -1 && m_nPendingEditItem == GetFocusItem())
            EditLabel(m_nPendingEditItem, m_nCurrentColumn);
    }
    else if (nIDEvent == LIST_TIMER_DRAGSCROLL && m_bItemDrag)
    {
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        UINT nFlags = 0;
        int nColumn = -1;
        const int nHit = HitTest(point, nFlags, nColumn);
        if (nHit != -1 && GetItemCount() > 2)
        {
            const int nLast = GetLastVisibleIndex();
            if (m_nTopIndex > 0 && nHit <= m_nTopIndex)
            {
                SetDropHilite(-1);
                ScrollRows(-1);
            }
            else if (nHit >= nLast && nLast < GetItemCount() - 1)
            {
                SetDropHilite(-1);
                ScrollRows(1);
            }
        }
    }
    else if (nIDEvent == LIST_TIMER_TYPEAHEAD)
        OnTypeAheadTick();
}

// ---- Header dividers and buttons ----

template <class TWndBase> int SECListBaseT<TWndBase>::TrackColumnDivider(int, int, int nColumn)
{
    if (::GetCapture() != nullptr || GetColumn(nColumn) == nullptr)
        return 0;
    foundation::SECCaptureLoop loop(this);
    UpdateWindow();
    CRect client;
    GetListClientRect(client);
    const int nLeft = GetColumnLeft(nColumn);
    const int nOldEdge = GetColumnRight(nColumn);
    int nEdge = nOldEdge;
    CClientDC dc(this);
    const auto invertLine = [&](int x) { dc.InvertRect(CRect(x - 1, client.top, x + 1, client.bottom)); };
    invertLine(nEdge);
    const auto result = loop.Run([&](const MSG& msg) {
        if (msg.message != WM_MOUSEMOVE && msg.message != WM_LBUTTONUP)
            return foundation::SECCaptureLoop::dispatch;
        const int x = std::max<int>(static_cast<short>(LOWORD(msg.lParam)), nLeft + kMinDividerWidth);
        invertLine(nEdge);
        nEdge = x;
        invertLine(nEdge);
        return msg.message == WM_LBUTTONUP ? foundation::SECCaptureLoop::finish : foundation::SECCaptureLoop::handled;
    });
    invertLine(nEdge);
    return result == foundation::SECCaptureLoop::cancelled ? 0 : nEdge - nOldEdge;
}

template <class TWndBase> void SECListBaseT<TWndBase>::ResizeColumnByDivider(CPoint point, int nColumn)
{
    const int nChange = TrackColumnDivider(point.x, point.y, nColumn);
    if (nChange == 0)
        return;
    GetColumn(nColumn)->cx += nChange;
    if (HasListStyleEx(LVXS_FITCOLUMNS))
    {
        if (SECListColumn* pNext = GetColumn(nColumn + 1))
            pNext->cx -= nChange;
        int nTotal = 0;
        for (int i = 0; i < GetColumnCount(); i++)
        {
            SECListColumn* pColumn = GetColumn(i);
            if (pColumn->cx < kTinyColumn)
                pColumn->cx = kTinyColumn - 1;
            nTotal += pColumn->cx;
        }
        CRect inside;
        GetInsideRect(inside);
        if (nTotal < inside.Width())
            GetColumn(0)->cx += inside.Width() - nTotal;
    }
    RecalcLayout();
    Invalidate(TRUE);
}

template <class TWndBase> void SECListBaseT<TWndBase>::UpdateColumnDropMark(int x, int, int nColumn)
{
    int nTarget = nColumn == -1 ? GetColumnCount() - 1 : (nColumn == 0 ? 1 : nColumn);
    if (GetColumn(nTarget) == nullptr)
        return;
    const int nLeft = GetColumnLeft(nTarget);
    const int nRight = GetColumnRight(nTarget);
    int nMarkX;
    int nDrop;
    if (x < (nLeft + nRight) / 2)
    {
        if (x < GetColumnLeft(0) + GetColumn(0)->cx / 2)
            return;
        nMarkX = nLeft;
        nDrop = nTarget;
    }
    else
    {
        nMarkX = nRight;
        nDrop = nTarget + 1;
    }
    if (nDrop != m_nDropColumn)
        EraseColumnDropMark();
    m_nDropColumn = nDrop;
    CClientDC dc(this);
    dc.FillSolidRect(CRect(nMarkX, 0, nMarkX + 1, m_nHeaderHeight), kDropMarkColor);
}

template <class TWndBase> void SECListBaseT<TWndBase>::EraseColumnDropMark()
{
    // The buttons either side of the mark draw over it.
    for (int i = m_nDropColumn - 1; i <= m_nDropColumn; i++)
    {
        if (GetColumn(i) != nullptr)
            DrawHeaderItem(i, FALSE);
    }
    m_nDropColumn = -1;
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::MoveColumn(int nFrom, int nTo, BOOL bRedraw)
{
    if (nFrom <= 0 || nTo <= 0 || GetColumn(nFrom) == nullptr)
        return FALSE;
    const BOOL bClamped = nTo > GetColumnCount() - 1;
    nTo = std::min(nTo, GetColumnCount() - 1);
    void* pColumn = m_columns[nFrom];
    m_columns.RemoveAt(nFrom);
    const int nAt = nFrom < nTo && !bClamped ? nTo - 1 : nTo;
    m_columns.InsertAt(nAt, pColumn);
    for (int i = 1; i < GetColumnCount(); i++)
        GetColumn(i)->iSubItem = i;
    ColumnMoved(nFrom, nAt);
    if (bRedraw && m_hWnd != nullptr)
    {
        RecalcLayout();
        Invalidate(TRUE);
    }
    return TRUE;
}

template <class TWndBase> void SECListBaseT<TWndBase>::ColumnMoved(int, int)
{
}

// ---- Notifications ----

template <class TWndBase> CWnd* SECListBaseT<TWndBase>::GetNotifyWnd() const
{
    if (m_pNotifyWnd != nullptr)
        return m_pNotifyWnd;
    return m_hWnd != nullptr ? GetParent() : nullptr;
}

template <class TWndBase> LRESULT SECListBaseT<TWndBase>::Notify(NMHDR* pHdr) const
{
    CWnd* pTarget = GetNotifyWnd();
    if (pTarget == nullptr || pTarget->m_hWnd == nullptr)
        return 0;
    pHdr->hwndFrom = m_hWnd;
    pHdr->idFrom = m_hWnd != nullptr ? static_cast<UINT_PTR>(GetDlgCtrlID()) : 0;
    return pTarget->SendMessage(WM_NOTIFY, pHdr->idFrom, reinterpret_cast<LPARAM>(pHdr));
}

template <class TWndBase> LRESULT SECListBaseT<TWndBase>::Notify(UINT nCode)
{
    CWnd* pTarget = GetNotifyWnd();
    if (pTarget == nullptr || pTarget->m_hWnd == nullptr)
        return m_nLastNotifyAnswer;
    NMHDR hdr = {};
    hdr.code = nCode;
    m_nLastNotifyAnswer = Notify(&hdr);
    return m_nLastNotifyAnswer;
}

template <class TWndBase> LRESULT SECListBaseT<TWndBase>::GetLastNotifyAnswer() const
{
    return m_nLastNotifyAnswer;
}

template <class TWndBase> void SECListBaseT<TWndBase>::NotifyDeleteItem(int nItem)
{
    NotifyItem(LVN_DELETEITEM, nItem);
}

template <class TWndBase> void SECListBaseT<TWndBase>::NotifyInsertItem(int nItem)
{
    NotifyItem(LVN_INSERTITEM, nItem);
}

template <class TWndBase> void SECListBaseT<TWndBase>::NotifyColumnClick(int nColumn)
{
    NMLISTVIEW nm = {};
    nm.hdr.code = LVN_COLUMNCLICK;
    nm.iItem = -1;
    nm.iSubItem = nColumn;
    Notify(&nm.hdr);
}

template <class TWndBase> void SECListBaseT<TWndBase>::NotifyKeyDown(UINT nKey)
{
    NMLVKEYDOWN nm = {};
    nm.hdr.code = LVN_KEYDOWN;
    nm.wVKey = static_cast<WORD>(nKey);
    Notify(&nm.hdr);
}

template <class TWndBase>
NMLVDISPINFOW SECListBaseT<TWndBase>::MakeLabelEditRecord(UINT nCode, int nItem, int nSubItem) const
{
    NMLVDISPINFOW info = {};
    info.hdr.code = nCode;
    info.item.mask = LVIF_TEXT;
    info.item.iItem = nItem;
    info.item.iSubItem = nSubItem;
    if (const SECListItem* pItem = GetItemAt(nItem))
        info.item.lParam = pItem->m_lParam;
    return info;
}

template <class TWndBase> LRESULT SECListBaseT<TWndBase>::NotifyBeginLabelEdit(int nItem, int nSubItem)
{
    NMLVDISPINFOW info = MakeLabelEditRecord(LVN_BEGINLABELEDITW, nItem, nSubItem);
    return Notify(&info.hdr);
}

template <class TWndBase>
BOOL SECListBaseT<TWndBase>::NotifyEndLabelEdit(int nItem, int nSubItem, CString& strText, BOOL bCommit)
{
    NMLVDISPINFOW info = MakeLabelEditRecord(LVN_ENDLABELEDITW, nItem, nSubItem);
    return SendEndLabelEdit(info.hdr, info.item.pszText, info.item.cchTextMax, strText, bCommit);
}

template <class TWndBase>
BOOL SECListBaseT<TWndBase>::SendEndLabelEdit(NMHDR& hdr, LPWSTR& pszText, int& cchTextMax, CString& strText,
                                              BOOL bCommit)
{
    if (!bCommit)
    {
        Notify(&hdr);
        return FALSE;
    }
    // The owner may change the text in place: a buffer of its own, always terminated.
    auto* pszBuffer = new WCHAR[TextBufferSize];
    CopyTextTerminated(pszBuffer, TextBufferSize, strText);
    pszText = pszBuffer;
    cchTextMax = TextBufferSize;
    const BOOL bAccepted = Notify(&hdr) != 0;
    if (bAccepted)
    {
        pszBuffer[TextBufferSize - 1] = L'\0';
        strText = pszBuffer;
    }
    delete[] pszBuffer;
    return bAccepted;
}
template class SECListBaseT<CWnd>;
template class SECListBaseT<CView>;
} // namespace tarnwick::lists
