// The grid tab window: sheets, the shared scroll bars, the strip and its splitter box, and the
// renaming of tabs.
#include <grid/services/tabs/TabWnd.h>

#include <afxext.h>

#include <grid/core/GridInit.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/SysData.h>
#include <grid/services/tabs/EditLabelPopup.h>
#include <grid/services/tabs/TabBeam.h>
#include <toolkit/foundation/CaptureLoop.h>

#include <algorithm>

IMPLEMENT_DYNAMIC(CGXTabWnd, CWnd)

namespace
{
// The label editor's width in letters "W".
constexpr int nEditorLetters = 15;
// A bar's state is saved with range, page, position and track position, and restored with the
// bar kept visible while not needed.
constexpr UINT nSavedScrollMask = SIF_ALL;
constexpr UINT nRestoredScrollMask = SIF_ALL | SIF_DISABLENOSCROLL;
static_assert(nSavedScrollMask == 0x17 && nRestoredScrollMask == 0x1F);
// The child style of a tab window made by RecalcLayout before Create.
constexpr DWORD dwLateChildStyle = 0x40300000;
static_assert(dwLateChildStyle == (WS_CHILD | WS_HSCROLL | WS_VSCROLL));

int FrameStyle()
{
    return GXGetSysData()->m_bWin4 ? 1 : 0;
}

BOOL HasSizingFrame(const CWnd* pWnd)
{
    const CFrameWnd* pFrame = pWnd->GetParentFrame();
    return pFrame != nullptr && (pFrame->GetStyle() & WS_THICKFRAME) != 0;
}
} // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CGXTabWnd, CWnd)
    ON_WM_SIZE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_CAPTURECHANGED()
    ON_WM_CANCELMODE()
    ON_WM_SETCURSOR()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_NCPAINT()
    ON_WM_SETFOCUS()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
    ON_MESSAGE(WM_GX_TABSELECTED, OnTabSelected)
    ON_MESSAGE(WM_GX_TABRENAME, OnTabRename)
    ON_MESSAGE(WM_GX_TABCANSELECT, OnTabCanSelect)
    ON_MESSAGE(WM_GX_ENDRENAME, OnEndRename)
    ON_MESSAGE(WM_GX_CANCELRENAME, OnCancelRename)
END_MESSAGE_MAP()
// clang-format on

CGXTabWnd::CGXTabWnd(CRuntimeClass* pBeamClass)
    : m_pBeamClass(pBeamClass != nullptr ? pBeamClass : RUNTIME_CLASS(CGXTabBeam)),
      m_cxVScroll(::GetSystemMetrics(SM_CXVSCROLL)), m_cyHScroll(::GetSystemMetrics(SM_CYHSCROLL)),
      m_nStripHeight(::GetSystemMetrics(SM_CYHSCROLL) + 2 * FrameStyle())
{
    m_brBackground.CreateSolidBrush(::GetSysColor(COLOR_3DFACE));
}

CGXTabWnd::~CGXTabWnd() = default;

LRESULT CALLBACK CGXTabWnd::ClassWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GXAttachToClassWindow(hWnd, message, wParam, lParam, []() -> CWnd* { return new CGXTabWnd; });
}

void CGXTabWnd::RegisterClass(HINSTANCE hInstance)
{
    GXRegisterWndClass(hInstance, L"CGXTabWnd", ClassWndProc, ::LoadCursorW(nullptr, IDC_ARROW));
}

void CGXTabWnd::UnregisterClass(HINSTANCE hInstance)
{
    ::UnregisterClassW(L"CGXTabWnd", hInstance);
}

void CGXTabWnd::PostNcDestroy()
{
    delete this;
}

BOOL CGXTabWnd::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_bHorzBar = (dwStyle & WS_HSCROLL) != 0 || (dwStyle & WS_VSCROLL) == 0;
    m_bVertBar = (dwStyle & WS_VSCROLL) != 0 || (dwStyle & WS_HSCROLL) == 0;
    if (!CWnd::Create(L"GxMdiFrame", nullptr, (dwStyle & ~(WS_HSCROLL | WS_VSCROLL)) | WS_CHILD | WS_CLIPCHILDREN,
                      CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    CreateChildren();
    return TRUE;
}

void CGXTabWnd::CreateChildren()
{
    if (m_bCreated)
        return;
    const CRect rectNone(0, 0, 0, 0);
    if (!m_wndHScroll.Create(WS_CHILD | SBS_HORZ | (m_bHorzBar ? WS_VISIBLE : 0), rectNone, this, idHorzBar) ||
        !m_wndVScroll.Create(WS_CHILD | SBS_VERT | (m_bVertBar ? WS_VISIBLE : 0), rectNone, this, idVertBar))
        AfxThrowResourceException();
    if (FrameStyle() != 0 && (m_bHorzBar || m_bVertBar) && HasSizingFrame(this) &&
        !m_wndSizeBox.Create(WS_CHILD | WS_VISIBLE | SBS_SIZEBOX | SBS_SIZEBOXBOTTOMRIGHTALIGN, rectNone, this,
                             idSizeBox))
        AfxThrowResourceException();
    m_pBeam = static_cast<CGXTabBeam*>(m_pBeamClass->CreateObject());
    if (m_pBeam == nullptr || !m_pBeam->Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), this, idBeam))
        AfxThrowResourceException();
    m_bCreated = TRUE;
    RecalcLayout(FALSE);
}

CScrollBar* CGXTabWnd::GetScrollBarCtrl(int nBar) const
{
    const CScrollBar& bar = nBar == SB_HORZ ? m_wndHScroll : m_wndVScroll;
    return bar.GetSafeHwnd() != nullptr ? const_cast<CScrollBar*>(&bar) : nullptr;
}

CRect CGXTabWnd::SplitterBoxRect() const
{
    CRect rect;
    GetClientRect(&rect);
    return CRect(m_nStripWidth, rect.bottom - m_nStripHeight, m_nStripWidth + nSplitterBoxWidth, rect.bottom);
}

CRect CGXTabWnd::SheetRect() const
{
    CRect rect;
    GetClientRect(&rect);
    rect.bottom -= m_nStripHeight;
    if (m_bVertBar)
        rect.right -= m_cxVScroll;
    rect.DeflateRect(1, 1);
    rect.right = std::max(rect.right, rect.left);
    rect.bottom = std::max(rect.bottom, rect.top);
    return rect;
}

void CGXTabWnd::RecalcLayout(BOOL bLayoutOnly)
{
    if (GetSafeHwnd() == nullptr)
        return;
    if (!m_bCreated)
        CreateChildren();
    CRect client;
    GetClientRect(&client);
    if (m_nStripWidth == 0)
    {
        m_nStripWidth = client.Width() / 2;
        m_nStripWidth100 = m_nStripWidth * 100;
        m_nLastWidth = client.Width();
    }
    const int yBottomRow = client.bottom - m_nStripHeight;
    const int xRightBars = client.right - (m_bVertBar ? m_cxVScroll : 0);
    struct Placement
    {
        CWnd* pWnd;
        CRect rect;
    };
    const Placement placements[] = {
        {&m_wndHScroll, CRect(m_nStripWidth + nSplitterBoxWidth, client.bottom - m_cyHScroll, xRightBars, client.bottom)},
        {&m_wndVScroll, CRect(xRightBars, client.top, client.right, yBottomRow)},
        {&m_wndSizeBox, CRect(xRightBars, yBottomRow, client.right, client.bottom)},
        {m_pBeam, CRect(0, yBottomRow, m_nStripWidth, client.bottom)},
    };
    HDWP hDwp = ::BeginDeferWindowPos(5);
    for (const Placement& placement : placements)
    {
        CWnd* pWnd = placement.pWnd;
        if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr || (bLayoutOnly && pWnd == &m_wndVScroll))
            continue;
        const BOOL bWanted = pWnd == &m_wndHScroll ? m_bHorzBar : pWnd == &m_wndVScroll ? m_bVertBar : TRUE;
        const BOOL bShow = bWanted && placement.rect.Width() >= 2 && placement.rect.Height() >= 2;
        CRect rectNow;
        pWnd->GetWindowRect(&rectNow);
        ScreenToClient(&rectNow);
        UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE;
        if (rectNow == placement.rect)
            nFlags |= SWP_NOMOVE | SWP_NOSIZE;
        if (bShow != ((pWnd->GetStyle() & WS_VISIBLE) != 0))
            nFlags |= bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
        if ((nFlags & (SWP_NOMOVE | SWP_SHOWWINDOW | SWP_HIDEWINDOW)) != SWP_NOMOVE)
            hDwp = ::DeferWindowPos(hDwp, pWnd->GetSafeHwnd(), nullptr, placement.rect.left, placement.rect.top,
                                    placement.rect.Width(), placement.rect.Height(), nFlags);
    }
    ::EndDeferWindowPos(hDwp);
    InvalidateRect(SplitterBoxRect(), FALSE);
    if (!bLayoutOnly && m_pActivePane != nullptr && m_pActivePane->GetSafeHwnd() != nullptr)
    {
        const CRect rectSheet = SheetRect();
        m_pActivePane->MoveWindow(rectSheet, TRUE);
        CRect rectClient;
        m_pActivePane->GetClientRect(&rectClient);
        m_pActivePane->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(rectClient.Width(), rectClient.Height()));
    }
}

CWnd* CGXTabWnd::AttachWnd(CWnd* pSheet, LPCTSTR pszName)
{
    if (!m_bCreated)
        CreateChildren();
    pSheet->MoveWindow(SheetRect(), FALSE);
    m_pBeam->InsertTab(FALSE, pszName, pSheet, FALSE, -1, nullptr);
    const int nTab = m_pBeam->GetCount() - 1;
    pSheet->ShowScrollBar(SB_BOTH, FALSE);
    if (m_pActivePane == nullptr)
    {
        m_pActivePane = pSheet;
        m_pBeam->SetCurrentTab(nTab);
        pSheet->ShowWindow(SW_SHOW);
        pSheet->SetFocus();
    }
    else
        pSheet->ShowWindow(SW_HIDE);
    pSheet->SendMessage(WM_GX_TABINDEX, static_cast<WPARAM>(nTab));
    SaveScrollState(nTab);
    return pSheet;
}

void CGXTabWnd::SaveScrollState(int nTab)
{
    CGXTabInfo& tab = m_pBeam->GetTab(nTab);
    for (auto [pBar, pInfo] : {std::pair{&m_wndVScroll, &tab.sbVert}, std::pair{&m_wndHScroll, &tab.sbHorz}})
    {
        *pInfo = SCROLLINFO{};
        pInfo->cbSize = sizeof(SCROLLINFO);
        pInfo->fMask = nSavedScrollMask;
        if (!pBar->GetScrollInfo(pInfo, nSavedScrollMask))
        {
            pBar->GetScrollRange(&pInfo->nMin, &pInfo->nMax);
            pInfo->nPos = pBar->GetScrollPos();
        }
    }
}

void CGXTabWnd::RestoreScrollState(int nTab)
{
    CGXTabInfo& tab = m_pBeam->GetTab(nTab);
    for (auto [pBar, pInfo] : {std::pair{&m_wndVScroll, &tab.sbVert}, std::pair{&m_wndHScroll, &tab.sbHorz}})
    {
        if (pInfo->nMax <= pInfo->nMin)
            continue;
        pBar->EnableScrollBar(ESB_ENABLE_BOTH);
        SCROLLINFO info = *pInfo;
        info.fMask = nRestoredScrollMask;
        if (!pBar->SetScrollInfo(&info, TRUE))
        {
            pBar->SetScrollRange(info.nMin, info.nMax, FALSE);
            pBar->SetScrollPos(info.nPos, TRUE);
        }
    }
}

void CGXTabWnd::ActivateSheet(CWnd* pSheet)
{
    const int nTab = m_pBeam->FindTab(pSheet);
    if (nTab < 0)
        return;
    CView* pView = DYNAMIC_DOWNCAST(CView, pSheet);
    CFrameWnd* pFrame = GetParentFrame();
    if (pSheet == m_pActivePane)
    {
        MSG msg;
        if (!::PeekMessageW(&msg, GetSafeHwnd(), WM_GX_TABRENAME, WM_GX_TABRENAME, PM_NOREMOVE))
        {
            pSheet->SetFocus();
            if (pView != nullptr && pFrame != nullptr)
                pFrame->SetActiveView(pView);
        }
        return;
    }
    if (m_pActivePane != nullptr)
    {
        const int nOld = m_pBeam->FindTab(m_pActivePane);
        if (nOld >= 0)
            SaveScrollState(nOld);
        m_pActivePane->ShowWindow(SW_HIDE);
    }
    m_pBeam->SetCurrentTab(nTab);
    m_pActivePane = pSheet;
    pSheet->ShowWindow(SW_SHOW);
    pSheet->SetFocus();
    if (pView != nullptr && pFrame != nullptr)
        pFrame->SetActiveView(pView);
    RestoreScrollState(nTab);
    RecalcLayout(FALSE);
}

void CGXTabWnd::RenameTab(int nTab, LPCTSTR pszName, BOOL bNotify)
{
    if (nTab < 0 || nTab >= m_pBeam->GetCount())
        return;
    m_pBeam->SetTabName(nTab, pszName);
    m_pBeam->Invalidate(FALSE);
    if (bNotify)
        SendMessage(WM_GX_TABRENAMED, static_cast<WPARAM>(nTab));
}

CString CGXTabWnd::GetTabName(const CWnd* pSheet) const
{
    const int nTab = m_pBeam != nullptr ? m_pBeam->FindTab(pSheet) : -1;
    return nTab >= 0 ? m_pBeam->GetTab(nTab).sLabel : CString();
}

CEdit* CGXTabWnd::GetLabelEditor() const
{
    return m_pLabelEditor;
}

void CGXTabWnd::DeleteLabelEditor()
{
    CGXEditLabelPopup* pEditor = m_pLabelEditor;
    m_pLabelEditor = nullptr;
    m_nRenamedTab = -1;
    if (pEditor == nullptr)
        return;
    // The editor may be inside its own key handler: it goes once that returned.
    pEditor->ShowWindow(SW_HIDE);
    pEditor->PostMessage(WM_CLOSE);
}

LRESULT CGXTabWnd::OnTabSelected(WPARAM wParam, LPARAM /*lParam*/)
{
    const int nTab = static_cast<int>(wParam);
    if (nTab >= 0 && nTab < m_pBeam->GetCount() && m_pBeam->GetTab(nTab).pExtra != nullptr)
        ActivateSheet(m_pBeam->GetTab(nTab).pExtra);
    return 0;
}

LRESULT CGXTabWnd::OnTabCanSelect(WPARAM wParam, LPARAM /*lParam*/)
{
    const int nTab = static_cast<int>(wParam);
    if (nTab < 0 || nTab >= m_pBeam->GetCount())
        return 1;
    CWnd* pSheet = m_pBeam->GetTab(nTab).pExtra;
    if (pSheet == m_pActivePane || m_pActivePane == nullptr)
        return 0;
    if (m_pActivePane->SendMessage(WM_GX_TABCANACTIVATE, 0) == 0 &&
        (pSheet == nullptr || pSheet->SendMessage(WM_GX_TABCANACTIVATE, 1) == 0))
        return 0;
    m_pActivePane->SetFocus();
    return 1;
}

LRESULT CGXTabWnd::OnTabRename(WPARAM wParam, LPARAM /*lParam*/)
{
    const int nTab = static_cast<int>(wParam);
    if (nTab < 0 || nTab >= m_pBeam->GetCount())
        return 0;
    CWnd* pSheet = m_pBeam->GetTab(nTab).pExtra;
    if (pSheet != nullptr && pSheet->SendMessage(WM_GX_TABCANRENAME, wParam) == 0)
        return 0;
    DeleteLabelEditor();

    CClientDC dc(m_pBeam);
    CFont* pOld = dc.SelectObject(&m_pBeam->GetNormalFont());
    const CSize sizeW = dc.GetTextExtent(_T("W"), 1);
    dc.SelectObject(pOld);
    CRect client;
    GetClientRect(&client);
    CRect rectBeam;
    m_pBeam->GetWindowRect(&rectBeam);
    ScreenToClient(&rectBeam);
    const int cx = nEditorLetters * sizeW.cx;
    int x = rectBeam.left + m_pBeam->GetButtonAreaWidth() + 1 + m_pBeam->GetTabOffset(nTab);
    if (x + cx > client.right)
        x = client.right - cx;
    const CRect rect(x, rectBeam.top, x + cx, rectBeam.top + std::max<int>(rectBeam.Height(), sizeW.cy + 4));

    auto* pEditor = new CGXEditLabelPopup;
    if (!pEditor->Create(rect, this, idLabelEditor, FrameStyle() != 0))
        return 0; // PostNcDestroy deleted it
    pEditor->SetFont(&m_pBeam->GetNormalFont());
    pEditor->SetWindowText(m_pBeam->GetTab(nTab).sLabel);
    pEditor->SetSel(0, -1);
    m_pLabelEditor = pEditor;
    m_nRenamedTab = nTab;
    pEditor->SetFocus();
    return 0;
}

LRESULT CGXTabWnd::OnEndRename(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    if (m_pLabelEditor == nullptr)
        return 0;
    CString strName;
    m_pLabelEditor->GetWindowText(strName);
    const int nTab = m_nRenamedTab;
    DeleteLabelEditor();
    if (nTab < 0 || nTab >= m_pBeam->GetCount())
        return 0;
    m_pBeam->SetTabName(nTab, strName);
    CWnd* pSheet = m_pBeam->GetTab(nTab).pExtra;
    if (pSheet != nullptr)
    {
        pSheet->SetFocus();
        pSheet->SendMessage(WM_GX_TABRENAMED, static_cast<WPARAM>(nTab));
    }
    return 0;
}

LRESULT CGXTabWnd::OnCancelRename(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    DeleteLabelEditor();
    return 0;
}

void CGXTabWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    DeleteLabelEditor();
    if (m_pActivePane != nullptr)
        m_pActivePane->SendMessage(WM_GX_SIZELOCK, 1);
    if (nType != SIZE_MINIMIZED && cx >= 1 && cx <= 32766 && cy >= 1 && cy <= 32766)
    {
        if (m_nStripWidth100 / 100 != m_nStripWidth)
            m_nStripWidth100 = m_nStripWidth * 100;
        int nValue = m_nStripWidth100;
        if (m_pBeam != nullptr && m_nLastWidth != 0 && nValue != 0)
        {
            // The strip keeps its share of the width beyond its smallest size.
            const int nFixed100 = (m_pBeam->GetButtonAreaWidth() - nMinStripBeyondButtons) * 100;
            nValue = static_cast<int>(static_cast<long long>(nValue - nFixed100) * cx / m_nLastWidth) + nFixed100;
        }
        if (nValue == 0)
            nValue = cx * 100 / 2;
        m_nStripWidth100 = nValue;
        m_nStripWidth = nValue / 100;
        m_nLastWidth = cx;
        if (m_bCreated)
            RecalcLayout(FALSE);
    }
    if (m_pActivePane != nullptr)
    {
        m_pActivePane->SendMessage(WM_GX_SIZELOCK, 0);
        CRect rect;
        m_pActivePane->GetClientRect(&rect);
        m_pActivePane->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(rect.Width(), rect.Height()));
    }
}

void CGXTabWnd::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (m_pActivePane != nullptr)
        m_pActivePane->SendMessage(WM_HSCROLL, MAKEWPARAM(nSBCode, nPos),
                                   reinterpret_cast<LPARAM>(pScrollBar != nullptr ? pScrollBar->GetSafeHwnd() : nullptr));
}

void CGXTabWnd::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (m_pActivePane != nullptr)
        m_pActivePane->SendMessage(WM_VSCROLL, MAKEWPARAM(nSBCode, nPos),
                                   reinterpret_cast<LPARAM>(pScrollBar != nullptr ? pScrollBar->GetSafeHwnd() : nullptr));
}

void CGXTabWnd::OnLButtonDown(UINT /*nFlags*/, CPoint point)
{
    if (!SplitterBoxRect().PtInRect(point))
        return;
    SetCapture();
    m_bDragging = TRUE;
}

void CGXTabWnd::OnMouseMove(UINT /*nFlags*/, CPoint point)
{
    if (!m_bDragging || m_pBeam == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    if (point.x < m_pBeam->GetButtonAreaWidth() + nMinStripBeyondButtons ||
        point.x > client.Width() - 2 * m_nStripHeight)
        return;
    InvalidateRect(SplitterBoxRect(), FALSE);
    m_nStripWidth = point.x;
    m_nStripWidth100 = point.x * 100;
    RecalcLayout(TRUE);
}

void CGXTabWnd::OnLButtonUp(UINT /*nFlags*/, CPoint /*point*/)
{
    EndSplitterDrag();
}

void CGXTabWnd::OnCaptureChanged(CWnd* /*pWnd*/)
{
    EndSplitterDrag();
}

void CGXTabWnd::OnCancelMode()
{
    CWnd::OnCancelMode();
    EndSplitterDrag();
}

void CGXTabWnd::EndSplitterDrag()
{
    if (tarnwick::foundation::SECEndCapturedDrag(this, m_bDragging) && m_pBeam != nullptr)
        m_pBeam->Invalidate(FALSE);
}

BOOL CGXTabWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    if (pWnd == this && nHitTest == HTCLIENT && (m_bDragging || SplitterBoxRect().PtInRect(point)))
    {
        HCURSOR hCursor = ::LoadCursorW(AfxGetResourceHandle(), MAKEINTRESOURCEW(GX_IDC_TABSPLITTER));
        ::SetCursor(hCursor != nullptr ? hCursor : ::LoadCursorW(nullptr, IDC_SIZEWE));
        return TRUE;
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

BOOL CGXTabWnd::OnEraseBkgnd(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    pDC->FillRect(&rect, &m_brBackground);
    return TRUE;
}

void CGXTabWnd::OnPaint()
{
    CPaintDC dc(this);
    PaintSplitterBox(&dc);
}

void CGXTabWnd::PaintSplitterBox(CDC* pDC) const
{
    CDC& dc = *pDC;
    const CRect box = SplitterBoxRect();
    const COLORREF lines[nSplitterBoxWidth - 1] = {RGB(0, 0, 0), ::GetSysColor(COLOR_BTNHIGHLIGHT),
                                                   ::GetSysColor(COLOR_3DFACE), ::GetSysColor(COLOR_BTNSHADOW),
                                                   RGB(0, 0, 0)};
    for (int i = 0; i < nSplitterBoxWidth - 1; ++i)
        dc.FillSolidRect(box.left + i, box.top, 1, box.Height(), lines[i]);
    dc.FillSolidRect(box.left + nSplitterBoxWidth - 1, box.top, 1, box.Height(), ::GetSysColor(COLOR_3DFACE));
    if (FrameStyle() != 0)
        dc.FillSolidRect(box.left, box.top, nSplitterBoxWidth, 1, RGB(0, 0, 0));
}

void CGXTabWnd::OnNcPaint()
{
    Default();
}

void CGXTabWnd::OnSetFocus(CWnd* /*pOldWnd*/)
{
    if (m_pActivePane != nullptr && m_pActivePane->GetSafeHwnd() != nullptr)
        m_pActivePane->SetFocus();
}

void CGXTabWnd::OnSysColorChange()
{
    m_brBackground.DeleteObject();
    m_brBackground.CreateSolidBrush(::GetSysColor(COLOR_3DFACE));
    Invalidate();
}

void CGXTabWnd::OnSettingChange(UINT /*uFlags*/, LPCTSTR /*lpszSection*/)
{
    m_cxVScroll = ::GetSystemMetrics(SM_CXVSCROLL);
    m_cyHScroll = ::GetSystemMetrics(SM_CYHSCROLL);
    m_nStripHeight = m_cyHScroll + 2 * FrameStyle();
    RecalcLayout(FALSE);
}
