// The list core's in-place label editing and the client operations its editor and tip ask.
#include "ListBaseC.h"

#include <algorithm>

namespace tarnwick::lists
{
namespace
{
constexpr DWORD kEditStyleWrap = WS_CHILD | WS_BORDER | ES_MULTILINE | ES_AUTOVSCROLL;
constexpr DWORD kEditStyleNoWrap = WS_CHILD | WS_BORDER | ES_MULTILINE | ES_AUTOHSCROLL | ES_WANTRETURN;
static_assert(kEditStyleWrap == 0x40800044 && kEditStyleNoWrap == 0x40801084);
constexpr int kEditLeft = 4;  // the editor starts left of the label
constexpr int kEditRoom = 10; // and reaches right of it, room for the next characters
// The end of an edit hands the text over in a buffer of TextBufferSize with its terminator.
constexpr UINT kEditLimit = SECListBaseC::TextBufferSize - 1;
} // namespace

template <class TWndBase> BOOL SECListBaseT<TWndBase>::EditLabel(int nItem, int nColumn)
{
    // A new edit commits the open one first; a call made while an edit is only being set up
    // (from the begin notification) does nothing.
    if (m_pEdit->GetSafeHwnd() != nullptr && m_pEdit->IsWindowVisible())
        EndLabelEdit(TRUE);
    if (m_pEdit->GetSafeHwnd() != nullptr || GetItemAt(nItem) == nullptr)
        return FALSE;
    m_pTip->Hide();
    const int nSubItem = std::max(GetColumnSubItem(nColumn), 0);
    m_nPendingEditItem = -1;
    m_nEditItem = nItem;
    m_nCurrentColumn = nColumn;

    CRect rect;
    if (!GetCellRect(nItem, nColumn, rect, 2))
    {
        m_nEditItem = -1;
        return FALSE;
    }
    rect.left -= kEditLeft;
    rect.InflateRect(0, 1);
    if (rect.left < 0)
        rect.left = 0;
    CRect inside;
    GetInsideRect(inside);
    rect.right = std::min<LONG>(rect.right + kEditRoom, inside.right);
    const DWORD dwStyle = HasListStyle(LVS_SEC_NOLABELWRAP) ? kEditStyleNoWrap : kEditStyleWrap;
    if (!m_pEdit->Create(dwStyle, rect, this, SEC_LIST_EDIT_ID))
    {
        m_nEditItem = -1;
        return FALSE;
    }
    m_pEdit->SetLimitText(kEditLimit);

    SECListPaintContext& ctx = MeasuringContext();
    ctx.item.iItem = nItem;
    ctx.item.iSubItem = nSubItem;
    ctx.nColumn = nColumn;
    ctx.pColumn = GetColumn(nColumn);
    ctx.pItem = GetItemAt(nItem);
    ctx.pSubItem = ctx.pItem->GetSubItem(nSubItem);
    HFONT hFont = PrepareCell(ctx) ? ctx.hFont : GetItemFont();
    m_pEdit->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(hFont), TRUE);
    const CString strText = GetItemTextString(nItem, nSubItem);
    m_pEdit->SetWindowText(strText);
    m_pEdit->SendMessage(EM_SETSEL, 0, -1);
    m_pEdit->SendMessage(EM_SCROLLCARET, 0, 0);

    BOOL bStarted = FALSE;
    if (NotifyBeginLabelEdit(nItem, nSubItem) == 1)
    {
        m_pEdit->DestroyWindow();
        m_nEditItem = -1;
        m_nPendingEditItem = -1;
    }
    else if (m_pEdit->GetSafeHwnd() != nullptr)
    {
        m_pEdit->ShowWindow(SW_SHOW);
        m_pEdit->SetFocus();
        m_strSavedLabel = strText;
        RedrawItemRows(nItem, FALSE, FALSE, FALSE, FALSE);
        bStarted = TRUE;
    }
    m_bEndEditGuard = FALSE;
    return bStarted;
}

template <class TWndBase> void SECListBaseT<TWndBase>::OnEditUpdate()
{
    if (m_nEditItem == -1 || m_pEdit->GetSafeHwnd() == nullptr)
        return;
    CRect before;
    GetCellRect(m_nEditItem, m_nCurrentColumn, before, 2);
    CString strText;
    m_pEdit->GetWindowText(strText);
    SetItemText(m_nEditItem, std::max(GetColumnSubItem(m_nCurrentColumn), 0), strText);
    MarkForMeasuring(GetItemAt(m_nEditItem));
    MeasureItemAt(m_nEditItem);
    CRect label;
    GetCellRect(m_nEditItem, m_nCurrentColumn, label, 2);
    if (label.Height() != before.Height())
    {
        RecalcLayout();
        RedrawItemRows(m_nEditItem, FALSE, TRUE, FALSE, FALSE);
        GetCellRect(m_nEditItem, m_nCurrentColumn, label, 2);
    }
    label.left -= kEditLeft;
    label.top -= 1;
    if (label.left < 0)
        label.OffsetRect(-label.left, 0);
    CRect inside;
    GetInsideRect(inside);
    const int nLimit = GetColumnCount() <= 1 ? inside.right : GetColumnRight(m_nCurrentColumn);
    label.right = std::min<LONG>(label.right + kEditRoom, nLimit);
    m_pEdit->SetWindowPos(nullptr, 0, 0, label.Width(), label.Height() + 1,
                          SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

template <class TWndBase> void SECListBaseT<TWndBase>::OnEditKillFocus()
{
    EndLabelEdit(TRUE);
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::EndLabelEdit(BOOL bCommit)
{
    if (m_pEdit->GetSafeHwnd() == nullptr || m_bEndEditGuard)
        return FALSE;
    m_bEndEditGuard = TRUE;
    CString strText;
    m_pEdit->GetWindowText(strText);
    const int nItem = m_nEditItem;
    const int nSubItem = std::max(GetColumnSubItem(m_nCurrentColumn), 0);
    if (NotifyEndLabelEdit(nItem, nSubItem, strText, bCommit) && bCommit)
    {
        SetItemText(nItem, nSubItem, strText);
        LabelEditAccepted(nItem, nSubItem);
    }
    else
        SetItemText(nItem, nSubItem, m_strSavedLabel);
    m_pEdit->DestroyWindow();
    m_nEditItem = -1;
    RecalcLayout();
    Invalidate(TRUE);
    return TRUE;
}

template <class TWndBase> void SECListBaseT<TWndBase>::LabelEditAccepted(int, int)
{
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::GetScrollOffsets(CPoint& point) const
{
    point = CPoint(m_nHScrollOffset, 0);
    return TRUE;
}

template <class TWndBase> void SECListBaseT<TWndBase>::ClientToScreen(CPoint& point) const
{
    TWndBase::ClientToScreen(&point);
}

template <class TWndBase> HWND SECListBaseT<TWndBase>::SetCapture(BOOL bOn)
{
    if (!bOn)
        return nullptr;
    ::SetCapture(m_hWnd);
    return m_hWnd;
}

// ---- Editor and tip ----

template <class TWndBase> SECListEdit* SECListBaseT<TWndBase>::GetEditControl() const
{
    return m_pEdit;
}

template <class TWndBase> SECListTip* SECListBaseT<TWndBase>::GetTip() const
{
    return m_pTip;
}

template class SECListBaseT<CWnd>;
template class SECListBaseT<CView>;
} // namespace tarnwick::lists
