// The grid window's focus, activation, cancel-mode, dialog-code and private messages.
#include <grid/core/GridCore.h>

#include <grid/controls/CellTipWnd.h>
#include <grid/controls/Control.h>
#include <grid/core/AppData.h>
#include <grid/core/GridParam.h>
#include <grid/core/LongOperationImp.h>
#include <grid/core/PluginComponent.h>
#include <grid/core/Style.h>
#include <grid/core/SysData.h>

#include <algorithm>

namespace
{
// The codes of the navigation message and the key move each makes.
constexpr int navigateDirections[] = {7, 1, 3, 8};
constexpr int navigateToRow = 4;
constexpr UINT gridDialogCodes = DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
} // namespace

UINT CGXGridCore::OnGridGetDlgCode(UINT nDefaultCode)
{
    return nDefaultCode | gridDialogCodes;
}

void CGXGridCore::OnGridSetFocus(CWnd* pOldWnd)
{
    if (m_bLockFocus)
        return;
    m_hLastFocusWnd = pOldWnd != nullptr ? pOldWnd->m_hWnd : nullptr;
    if (!IsGridOrChild(pOldWnd) || (pOldWnd != nullptr && pOldWnd->m_hWnd == m_pGridWnd->m_hWnd))
        OnActivateGrid(TRUE);
    if (m_bRefreshControlOnFocus)
    {
        if (CGXControl* pControl = GetCurrentCellControl())
            pControl->RefreshCell();
    }
    m_bRefreshControlOnFocus = FALSE;
}

void CGXGridCore::OnGridKillFocus(CWnd* pNewWnd)
{
    HideCellTip();
    m_bKillingFocus = TRUE;
    if (!m_bLockFocus && !IsGridOrChild(pNewWnd))
        OnActivateGrid(FALSE);
    m_bKillingFocus = FALSE;
}

BOOL CGXGridCore::OnActivateGrid(BOOL bActivate)
{
    if (m_pGridWnd != nullptr && m_pGridWnd->GetSafeHwnd() != nullptr)
        m_pGridWnd->SendMessage(WM_CANCELMODE);
    if (!bActivate && m_bLockFocus)
        return FALSE;
    m_bActive = bActivate;
    if (m_bLockFocus || !m_bMouseReady || m_pParam == nullptr)
        return FALSE;
    if (!bActivate)
        m_pGridWnd->SendMessage(WM_CANCELMODE);
    if (IsActiveCurrentCell())
    {
        if (!bActivate)
            TransferCurrentCell(TRUE, GX_INVALIDATE, TRUE);
        RedrawRowCol(m_nCurrentRow, m_nCurrentCol, GX_INVALIDATE, FALSE);
    }
    return TRUE;
}

void CGXGridCore::OnGridCaptureChanged(CWnd* pNewCapture)
{
    if ((m_wMouseState & GX_FILLDRAGGING) == 0 || m_pExcelLikeFillImp == nullptr ||
        (pNewCapture != nullptr && pNewCapture == m_pGridWnd))
        return;
    m_pExcelLikeFillImp->OnCancelFillDrag(this);
    if (IsMouseTracking())
        StopMouseTracking();
}

BOOL CGXGridCore::OnGridCancelMode()
{
    HideCellTip();
    if ((m_wMouseState & GX_FILLDRAGGING) != 0 && m_pExcelLikeFillImp != nullptr)
        m_pExcelLikeFillImp->OnCancelFillDrag(this);
    if (m_bMouseReady && m_wMouseState != 0)
    {
        if (m_pParam != nullptr && m_pParam->TestSpecialMode(3))
            SetCurrentCell(GX_INVALID, GX_INVALID, GX_MOVECELL);
        m_wMouseState = 0;
    }
    if (m_pParam != nullptr && m_pParam->ClearRangeHighlight())
        RedrawGrid(GX_INVALIDATE, TRUE);
    if (IsMouseTracking())
        StopMouseTracking();
    // A resize or a drag of rows or columns under way is taken back.
    OnCancelTracking();
    CancelDrag();
    if (m_pGridWnd != nullptr && ::GetCapture() == m_pGridWnd->m_hWnd)
        ::ReleaseCapture();
    if (CGXControl* pControl = GetCurrentCellControl())
        pControl->CancelChildTracking();
    return TRUE;
}

// The tab window's rename: the tab's name becomes the parameter's name, and the other views hear
// of it. A replayed notification (wParam 1) goes no further.
void CGXGridCore::OnGridAppNotify(WPARAM wParam)
{
    if (m_pParam != nullptr && m_pAppData->m_pTabWndInterface != nullptr)
        m_pAppData->m_pTabWndInterface->ExchangeTabName(GridWnd(), m_pParam->m_strName, 0);
    if (CGXAbstractGridUpdateHintImp* pHints = HintSender(wParam != 1))
        pHints->HintAppNotify(this);
}

// The lock keeps focus changes during the check from activating or deactivating the grid; it is
// given back afterwards, so that later focus changes are seen again.
BOOL CGXGridCore::OnGridDeactivateCheck(BOOL bActivate)
{
    if (bActivate)
        return TRUE;
    const BOOL bOldLock = m_bLockFocus;
    m_bLockFocus = TRUE;
    BOOL bResult = TRUE;
    if (IsActiveCurrentCell())
    {
        CWnd* pFocus = CWnd::GetFocus();
        DropPendingKeys(pFocus);
        bResult = GetCurrentCellControl()->ValidateValue();
        if (!IsGridOrChild(CWnd::GetFocus()))
            m_pGridWnd->SetFocus();
    }
    m_bLockFocus = bOldLock;
    return bResult;
}

void CGXGridCore::OnGridNavigate(int nCode, int nCount)
{
    if (nCode >= 0 && nCode < navigateToRow)
    {
        MoveCurrentCell(navigateDirections[nCode], 1);
        return;
    }
    if (nCode != navigateToRow)
        return;
    const ROWCOL nRow = std::min(GetHeaderRows() + static_cast<ROWCOL>(std::max(nCount, 0)), GetRowCount());
    const ROWCOL nCol = std::min(GetHeaderCols() + 1, GetColCount());
    SetCurrentCell(nRow, nCol, GX_MOVECELL);
    m_pGridWnd->UpdateWindow();
}

void CGXGridCore::InvalidateGrid(BOOL bErase)
{
    if (m_pGridWnd != nullptr && m_pGridWnd->GetSafeHwnd() != nullptr)
        m_pGridWnd->Invalidate(bErase);
}

BOOL CGXGridCore::SetDoubleBuffering(BOOL bDoubleBuffering)
{
    const BOOL bOld = m_nDoubleBuffering != 0;
    m_nDoubleBuffering = bDoubleBuffering ? 1 : 0;
    return bOld;
}

BOOL CGXGridCore::OnGridSetCursor(CWnd* pWnd, UINT nHitTest, UINT /*nMessage*/)
{
    if (!m_bMouseReady || pWnd != m_pGridWnd || nHitTest != HTCLIENT)
        return FALSE;
    CPoint point;
    ::GetCursorPos(&point);
    m_pGridWnd->ScreenToClient(&point);
    SetGridCursor(point);
    return TRUE;
}

void CGXGridCore::ForEachRegisteredControl(void (*pfnTell)(CGXControl*))
{
    POSITION pos = m_ControlMap.GetStartPosition();
    while (pos != nullptr)
    {
        WORD nId = 0;
        CGXControl* pControl = nullptr;
        m_ControlMap.GetNextAssoc(pos, nId, pControl);
        if (pControl != nullptr)
            pfnTell(pControl);
    }
}

void CGXGridCore::OnGridSysColorChange()
{
    GXGetSysData()->UpdateSysColors();
    ForEachRegisteredControl([](CGXControl* pControl) { pControl->NotifyChildrenB(); });
}

HTHEME CGXGridCore::GetThemeData(LPCWSTR pszClass)
{
    return m_themes.Get(m_pGridWnd != nullptr ? m_pGridWnd->GetSafeHwnd() : ::GetDesktopWindow(), pszClass);
}

void CGXGridCore::OnGridThemeChanged()
{
    m_themes.Close();
    InvalidateGrid(TRUE);
}

void CGXGridCore::OnGridWinIniChange(LPCTSTR /*pszSection*/)
{
    GXGetSysData()->UpdateSysColors();
    m_pAppData->UpdateLocale();
    GXInitDateTimeSettings();
    // The control's text may show numbers and dates in the settings that just changed.
    if (m_pAppData->m_bReloadOnSettingChange && !IsActiveCurrentCell())
        TransferCurrentCell(FALSE);
    ForEachRegisteredControl([](CGXControl* pControl) { pControl->NotifyChildrenA(0); });
    InvalidateGrid(TRUE);
}

CScrollBar* CGXGridCore::GetScrollBarCtrl(int nBar) const
{
    if (m_pGridWnd == nullptr || m_pGridWnd->GetSafeHwnd() == nullptr)
        return nullptr;
    const DWORD dwOwnBar = nBar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
    CWnd* pParent = m_pGridWnd->GetParent();
    if ((m_pGridWnd->GetStyle() & dwOwnBar) != 0 || pParent == nullptr)
        return nullptr;
    return static_cast<CScrollBar*>(
        pParent->GetDlgItem(nBar == SB_VERT ? AFX_IDW_VSCROLL_FIRST : AFX_IDW_HSCROLL_FIRST));
}

void CGXGridCore::AttachPluginComponents()
{
    for (POSITION pos = m_PluginComponents.GetHeadPosition(); pos != nullptr;)
        static_cast<CGXPluginComponent*>(m_PluginComponents.GetNext(pos))->PlugIn(m_pGridWnd);
}

// A component that handled the message ends the routing with TRUE; one that keeps the message
// to itself ends it with FALSE.
BOOL CGXGridCore::RouteToPlugins(UINT nMessage, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (!m_bMouseReady)
        return FALSE;
    for (POSITION pos = m_PluginComponents.GetHeadPosition(); pos != nullptr;)
    {
        auto* pComponent = static_cast<CGXPluginComponent*>(m_PluginComponents.GetNext(pos));
        if (pComponent->GetSafeHwnd() == nullptr)
            continue;
        pComponent->OnWndMsg(nMessage, wParam, lParam, pResult);
        if (pComponent->m_bHandled)
            return TRUE;
        if (pComponent->m_bSkipDefault)
            return FALSE;
    }
    return FALSE;
}

void CGXGridCore::OnGridTimer(UINT_PTR /*nIDEvent*/)
{
}

BOOL CGXGridCore::OnGridShowTips(BOOL bShow)
{
    m_bShowTips = bShow;
    if (!bShow)
        HideCellTip();
    return TRUE;
}

void CGXGridCore::HideCellTip()
{
    if (m_pCellTipRelay != nullptr && m_pCellTipRelay->GetSafeHwnd() != nullptr)
        m_pCellTipRelay->SendMessage(WM_CANCELMODE);
}

BOOL CGXGridCore::OnGridDestroy()
{
    ReleaseWindowCompanions();
    return FALSE;
}

// The relay is a message-only window, not a child, so it goes only when told; the thread's tip
// window closes when this grid owns it. The find state forgets the grid and its dialog.
void CGXGridCore::ReleaseWindowCompanions()
{
    if (m_pFindReplaceImp != nullptr)
        m_pFindReplaceImp->OnGridDestroyed(this);
    if (m_pCellTipRelay != nullptr)
        m_pCellTipRelay->DestroyWindow();
    CGXCellTipWnd* pTip = CGXCellTipWnd::FindTipWnd();
    if (pTip != nullptr && pTip->GetOwnerGrid() == this)
        pTip->SendMessage(WM_CLOSE);
}

BOOL CGXGridCore::OnGridMouseActivate(CWnd* /*pDesktopWnd*/, UINT /*nHitTest*/, UINT nMessage, LRESULT* pResult)
{
    if (m_pParam == nullptr || !m_pParam->m_bCheckViewActivation || nMessage != WM_LBUTTONDOWN || m_pGridWnd == nullptr)
        return FALSE;
    CFrameWnd* pFrame = m_pGridWnd->GetParentFrame();
    if (pFrame == nullptr || !::IsWindow(m_hLastFocusWnd) || m_hLastFocusWnd == m_pGridWnd->m_hWnd ||
        !::IsChild(m_pGridWnd->m_hWnd, m_hLastFocusWnd))
        return FALSE;
    CWnd* pFocus = CWnd::GetFocus();
    CFrameWnd* pFocusFrame = pFocus != nullptr ? pFocus->GetParentFrame() : nullptr;
    if (pFocusFrame == pFrame)
        return FALSE;
    m_pGridWnd->SetFocus();
    m_hLastFocusWnd = m_pGridWnd->m_hWnd;
    *pResult = MA_ACTIVATEANDEAT;
    return TRUE;
}

BOOL CGXGridCore::OnGridSize(UINT nType, int cx, int cy)
{
    m_nLastVisibleRow = GX_INVALID;
    m_nLastVisibleCol = GX_INVALID;
    if (nType == SIZE_MAXHIDE)
        UpdateScrollbars(TRUE, FALSE);
    CFrameWnd* pFrame = m_pGridWnd != nullptr ? m_pGridWnd->GetParentFrame() : nullptr;
    const BOOL bIconic = pFrame != nullptr && pFrame->IsIconic();
    if (nType != SIZE_RESTORED)
    {
        m_bFrameIconic = bIconic;
        return FALSE;
    }
    if (m_bSizeLock)
    {
        if (bIconic == m_bFrameIconic)
            m_pGridWnd->ValidateRect(nullptr);
        return TRUE;
    }
    CRect rectWindow;
    m_pGridWnd->GetWindowRect(&rectWindow);
    const BOOL bPartial = m_pParam != nullptr && m_pParam->m_bPartialRepaint;
    if (bPartial && !m_bGridFrame && m_sizeLastClient.cx > 0 && m_sizeLastClient.cy > 0 &&
        rectWindow.TopLeft() == m_rectLastWindow.TopLeft() && !m_bUpdateScrollbarsBusy && bIconic == m_bFrameIconic)
        RepaintGainedStrips(cx, cy);
    else
    {
        m_pGridWnd->Invalidate(TRUE);
        m_pGridWnd->UpdateWindow();
    }
    if (m_bMouseReady)
    {
        if (m_pCellTipRelay != nullptr)
            m_pCellTipRelay->SendMessage(WM_SIZE, nType, MAKELPARAM(cx, cy));
        if (!m_bUpdateScrollbarsBusy)
        {
            UpdateFontUnits();
            if (bPartial)
                m_pGridWnd->UpdateWindow();
            UpdateScrollbars(TRUE, FALSE);
        }
    }
    // The size without the bars, so that a bar that goes away counts as a gained strip.
    const BOOL bVisible = (m_pGridWnd->GetStyle() & WS_VISIBLE) != 0;
    m_sizeLastClient =
        bVisible ? CSize(cx - ::GetSystemMetrics(SM_CXVSCROLL), cy - ::GetSystemMetrics(SM_CYHSCROLL)) : CSize(0, 0);
    m_rectLastWindow = bVisible ? rectWindow : CRect();
    m_bFrameIconic = bIconic;
    return TRUE;
}

// Only the strips right of the former last column and below the former last row are painted.
void CGXGridCore::RepaintGainedStrips(int cx, int cy)
{
    m_pGridWnd->ValidateRect(nullptr);
    const CPoint ptOldCorner(m_sizeLastClient.cx - 1, m_sizeLastClient.cy - 1);
    if (cx > m_sizeLastClient.cx)
    {
        const ROWCOL nClientCol = CalcClientColFromPoint(ptOldCorner);
        const int x = nClientCol != GX_INVALID ? GetClientColLeft(nClientCol) : m_sizeLastClient.cx;
        m_pGridWnd->InvalidateRect(CRect(x, 0, cx, std::max<int>(cy, m_sizeLastClient.cy)), TRUE);
        m_pGridWnd->UpdateWindow();
    }
    if (cy > m_sizeLastClient.cy)
    {
        const ROWCOL nClientRow = CalcClientRowFromPoint(ptOldCorner);
        const int y = nClientRow != GX_INVALID ? GetClientRowTop(nClientRow) : m_sizeLastClient.cy;
        m_pGridWnd->InvalidateRect(CRect(0, y, std::max<int>(cx, m_sizeLastClient.cx), cy), TRUE);
        m_pGridWnd->UpdateWindow();
    }
}

// A child window of the current cell asks for its colours: the control may answer itself,
// else the child takes the cell's interior and text colour.
HBRUSH CGXGridCore::OnGridCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (!m_bCurrentCell)
        return nullptr;
    const CGXStyle* pStyle = GetComposedStyle(m_nCurrentRow, m_nCurrentCol);
    CGXControl* pControl = GetCurrentCellControl();
    if (pStyle == nullptr || pControl == nullptr)
        return nullptr;
    if (const LRESULT lAnswer = pControl->ReservedHookD(reinterpret_cast<DWORD_PTR>(pDC),
                                                        reinterpret_cast<DWORD_PTR>(pWnd), nCtlColor))
        return reinterpret_cast<HBRUSH>(lAnswer);
    const GXBrushRecord& interior = pStyle->GetInterior();
    pDC->SetBkColor(interior.GetFillColor());
    pDC->SetTextColor(pStyle->GetTextColor());
    CBrush* pBrush = GetBrushCached(interior);
    return pBrush != nullptr ? static_cast<HBRUSH>(pBrush->GetSafeHandle()) : nullptr;
}

// Notifications of the current cell's windows (an edit's EN_CHANGE) reach its control.
BOOL CGXGridCore::OnGridCommand(WPARAM wParam, LPARAM lParam)
{
    CGXControl* pControl = GetCurrentCellControl();
    return pControl != nullptr &&
           pControl->OnGridCommand(HIWORD(wParam), reinterpret_cast<HWND>(lParam));
}

// The message being handled goes on to the current cell's control window.
LRESULT CGXGridCore::OnGridControlMessage(WPARAM wParam, LPARAM lParam)
{
    CGXControl* pControl = GetCurrentCellControl();
    CWnd* pWnd = pControl != nullptr ? pControl->GetControlWindow() : nullptr;
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return 0;
    return pWnd->SendMessage(CWnd::GetCurrentMessage()->message, wParam, lParam);
}

LRESULT CGXGridCore::OnGridTimerRelay()
{
    if (!m_bInitDone || m_pGridWnd == nullptr || !m_pGridWnd->IsWindowVisible())
        return 0;
    const MSG* pMsg = CWnd::GetCurrentMessage();
    if (m_pCellTipRelay != nullptr)
        m_pCellTipRelay->SendMessage(pMsg->message, pMsg->wParam, pMsg->lParam);
    return OnGridControlMessage(pMsg->wParam, pMsg->lParam);
}
