#include <grid/controls/CellTipWnd.h>

#include <grid/controls/Control.h>
#include <grid/core/DIB.h>
#include <grid/core/DrawState.h>
#include <grid/core/GridCore.h>
#include <grid/core/Style.h>
#include <grid/core/ThreadState.h>

#include <memory>

namespace
{
constexpr DWORD tipExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
constexpr DWORD tipStyle = WS_POPUP | WS_BORDER;
} // namespace

// ---- the tip window ----

IMPLEMENT_DYNAMIC(CGXCellTipWnd, CWnd)

BEGIN_MESSAGE_MAP(CGXCellTipWnd, CWnd)
ON_MESSAGE(WM_NCHITTEST, OnNcHitTest)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CGXCellTipWnd* CGXCellTipWnd::FindTipWnd()
{
    return static_cast<CGXCellTipWnd*>(GXGetThreadState<GX_DRAW_STATE>()->m_pCellTipWnd);
}

CGXCellTipWnd* CGXCellTipWnd::GetTipWnd(CGXGridCore* pGrid)
{
    CWnd* pGridWnd = pGrid->GridWnd();
    if (pGridWnd == nullptr || pGridWnd->GetSafeHwnd() == nullptr)
        return nullptr;
    CGXCellTipWnd* pTip = FindTipWnd();
    if (pTip == nullptr)
    {
        std::unique_ptr<CGXCellTipWnd> pNew(new CGXCellTipWnd);
        const LPCTSTR pszClass = AfxRegisterWndClass(CS_SAVEBITS, ::LoadCursor(nullptr, IDC_ARROW));
        if (!pNew->CreateEx(tipExStyle, pszClass, nullptr, tipStyle, 0, 0, 0, 0, pGridWnd->GetSafeHwnd(), nullptr))
            return nullptr;
        pTip = pNew.release();
        GXGetThreadState<GX_DRAW_STATE>()->m_pCellTipWnd = pTip;
    }
    if (pTip->m_pOwnerGrid != pGrid)
    {
        pTip->Hide();
        pTip->m_pOwnerGrid = pGrid;
        ::SetWindowLongPtr(pTip->m_hWnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(pGridWnd->GetSafeHwnd()));
    }
    return pTip;
}

void CGXCellTipWnd::Hide()
{
    if (GetSafeHwnd() != nullptr && IsWindowVisible())
        ShowWindow(SW_HIDE);
}

LRESULT CGXCellTipWnd::OnNcHitTest(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    return HTTRANSPARENT;
}

BOOL CGXCellTipWnd::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

void CGXCellTipWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rectClient;
    GetClientRect(rectClient);
    dc.FillSolidRect(rectClient, ::GetSysColor(COLOR_INFOBK));
    if (m_nKind == kindBitmap)
    {
        if (m_hDIB != nullptr)
            GXDrawDIB(&dc, m_hDIB, m_rectBitmap, GX_DIB_NOSCALE, 0);
        return;
    }
    CString strText;
    GetWindowText(strText);
    CFont* pOldFont = m_font.GetSafeHandle() != nullptr ? dc.SelectObject(&m_font) : nullptr;
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(::GetSysColor(COLOR_INFOTEXT));
    CRect rectText = m_rectText;
    dc.DrawText(strText, rectText, DT_SINGLELINE | DT_NOPREFIX);
    if (pOldFont != nullptr)
        dc.SelectObject(pOldFont);
}

void CGXCellTipWnd::PostNcDestroy()
{
    GX_DRAW_STATE* pState = GXGetThreadState<GX_DRAW_STATE>();
    if (pState->m_pCellTipWnd == this)
        pState->m_pCellTipWnd = nullptr;
    delete this;
}

// ---- the relay ----

BEGIN_MESSAGE_MAP(CGXCellTipRelay, CWnd)
ON_MESSAGE(WM_MOUSEMOVE, OnRelayMouseMove)
ON_WM_TIMER()
ON_MESSAGE(WM_CANCELMODE, OnRelayCancelMode)
END_MESSAGE_MAP()

void CGXCellTipRelay::Install(CGXGridCore* pGrid)
{
    CWnd* pGridWnd = pGrid->GridWnd();
    if (pGrid->m_pCellTipRelay != nullptr || pGridWnd == nullptr || pGridWnd->GetSafeHwnd() == nullptr)
        return;
    std::unique_ptr<CGXCellTipRelay> pRelay(new CGXCellTipRelay(pGrid));
    if (!pRelay->CreateEx(0, AfxRegisterWndClass(0), nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr))
        return;
    pGrid->m_pCellTipRelay = pRelay.release();
}

void CGXCellTipRelay::PostNcDestroy()
{
    if (m_pGrid->m_pCellTipRelay == this)
        m_pGrid->m_pCellTipRelay = nullptr;
    delete this;
}

BOOL CGXCellTipRelay::CellAt(CPoint point, ROWCOL& nRow, ROWCOL& nCol) const
{
    const int nHit = m_pGrid->HitTest(point, &nRow, &nCol);
    return (nHit == GX_CELLHIT || nHit == GX_HEADERHIT) && nRow <= m_pGrid->GetRowCount() &&
           nCol <= m_pGrid->GetColCount();
}

LRESULT CGXCellTipRelay::OnRelayMouseMove(WPARAM /*wParam*/, LPARAM lParam)
{
    m_ptLast = CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    ROWCOL nRow = GX_INVALID;
    ROWCOL nCol = GX_INVALID;
    if (!CellAt(m_ptLast, nRow, nCol))
        nRow = nCol = GX_INVALID;
    if (nRow == m_nRow && nCol == m_nCol)
        return 0;
    HideTip();
    m_nRow = nRow;
    m_nCol = nCol;
    if (m_nRow != GX_INVALID)
    {
        UINT nHoverTime = 400;
        ::SystemParametersInfo(SPI_GETMOUSEHOVERTIME, 0, &nHoverTime, 0);
        SetTimer(nHoverTimer, nHoverTime, nullptr);
    }
    return 0;
}

void CGXCellTipRelay::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != nHoverTimer)
        return;
    KillTimer(nHoverTimer);
    ShowTipOfCell();
}

void CGXCellTipRelay::ShowTipOfCell()
{
    ROWCOL nRow = GX_INVALID;
    ROWCOL nCol = GX_INVALID;
    if (m_nRow == GX_INVALID || !CellAt(m_ptLast, nRow, nCol) || nRow != m_nRow || nCol != m_nCol ||
        !m_pGrid->IsShowingTips())
        return;
    if (m_pGrid->IsCurrentCell(nRow, nCol) && m_pGrid->IsActiveCurrentCell())
        return;
    CGXControl* pControl = m_pGrid->GetControl(nRow, nCol);
    if (pControl == nullptr)
        return;
    CGXStyle style;
    m_pGrid->ComposeStyleRowCol(nRow, nCol, &style, TRUE);
    if (pControl->QueryTipA(nRow, nCol, style) == 0)
        return;
    CGXCellTipWnd* pTip = CGXCellTipWnd::GetTipWnd(m_pGrid);
    if (pTip == nullptr)
        return;
    pControl->ShowTip(nRow, nCol, style, pTip);
    pTip->ShowWindow(SW_SHOWNOACTIVATE);
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, m_pGrid->GridWnd()->GetSafeHwnd(), 0};
    ::TrackMouseEvent(&track);
}

void CGXCellTipRelay::HideTip()
{
    KillTimer(nHoverTimer);
    CGXCellTipWnd* pTip = CGXCellTipWnd::FindTipWnd();
    if (pTip != nullptr && pTip->GetOwnerGrid() == m_pGrid)
        pTip->Hide();
}

LRESULT CGXCellTipRelay::OnRelayCancelMode(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    HideTip();
    m_nRow = m_nCol = GX_INVALID;
    return 0;
}
