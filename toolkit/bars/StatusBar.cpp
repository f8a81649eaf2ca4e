// SECStatusBar: pane records, their layout in the control and their idle-time update.
#include <toolkit/bars/StatusBar.h>

#include <afxpriv.h>
#include <toolkit/foundation/AuxData.h>
#include <toolkit/foundation/VisualStyle.h>

#include <algorithm>

namespace tarnwick::bars
{
IMPLEMENT_DYNAMIC(SECStatusBar, SECControlBar)

namespace
{
// The bar-style bits that are no window style; 0x4E are the control's layout styles
// (CCS_NOMOVEY, CCS_NORESIZE, CCS_NOPARENTALIGN, CCS_NODIVIDER), which the frame takes over.
constexpr DWORD BAR_ONLY_STYLES = 0x0040FFB1;
constexpr DWORD CONTROL_LAYOUT_STYLES = 0x4E;
constexpr DWORD BOTTOM_WITH_TOP_BORDER = 0x8200;
constexpr DWORD BORDERS_DROPPED_FROM_V4 = 0x0F80;
} // namespace

BEGIN_MESSAGE_MAP(SECStatusBar, SECControlBar)
ON_WM_SIZE()
ON_WM_PAINT()
ON_WM_NCHITTEST()
ON_WM_NCCALCSIZE()
ON_WM_WINDOWPOSCHANGING()
ON_WM_ERASEBKGND()
ON_MESSAGE(WM_SETTEXT, OnSetText)
ON_MESSAGE(WM_GETTEXT, OnGetText)
ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
ON_MESSAGE(SB_SETMINHEIGHT, OnSetMinHeight)
END_MESSAGE_MAP()

SECStatusBar::SECStatusBar() : m_nMinHeight(0)
{
    const int nBorder = SECGetAuxData()->bWin4 ? 0 : 2;
    m_cxLeftBorder = nBorder;
    m_cyTopBorder = m_cyBottomBorder = nBorder;
    m_cxRightBorder = SECGetAuxData()->bWin4 ? 0 : 1;
}

BOOL SECStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, nID);
}

BOOL SECStatusBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    if (SECGetAuxData()->bWin4 && (dwStyle & 0xFF00) == BOTTOM_WITH_TOP_BORDER)
        dwStyle &= ~BORDERS_DROPPED_FROM_V4;
    m_dwStyle = dwStyle & CBRS_ALL;
    DWORD dwWndStyle = (dwStyle & ~BAR_ONLY_STYLES) | CONTROL_LAYOUT_STYLES | dwCtrlStyle;
    if (pParentWnd != nullptr && (pParentWnd->GetStyle() & WS_THICKFRAME))
        dwWndStyle |= SBARS_SIZEGRIP;
    if (!AfxDeferRegisterClass(AFX_WNDCOMMCTLS_REG))
        return FALSE;
    return CWnd::Create(STATUSCLASSNAME, nullptr, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

CFont* SECStatusBar::GetBarFont() const
{
    return CFont::FromHandle(reinterpret_cast<HFONT>(const_cast<SECStatusBar*>(this)->SendMessage(WM_GETFONT)));
}

BOOL SECStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    m_panes.assign(static_cast<size_t>(std::max(nIDCount, 0)), Pane{});
    if (lpIDArray == nullptr)
    {
        UpdateAllPanes(TRUE, FALSE);
        return TRUE;
    }
    CClientDC dcScreen(nullptr);
    HGDIOBJ hOldFont = nullptr;
    if (HFONT hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)))
        hOldFont = dcScreen.SelectObject(hFont);
    BOOL bResult = TRUE;
    for (int i = 0; i < nIDCount && bResult; ++i)
    {
        Pane& pane = PaneAt(i);
        pane.nFlags |= SBPF_UPDATE;
        pane.nID = lpIDArray[i];
        if (pane.nID != 0)
        {
            CString strText;
            if (!strText.LoadString(pane.nID))
                strText = _T("  ");
            pane.cxText = dcScreen.GetTextExtent(strText).cx;
            try
            {
                pane.strText = strText;
            }
            catch (CMemoryException* e)
            {
                e->Delete();
                bResult = FALSE;
            }
        }
        else
        {
            pane.cxText = ::GetSystemMetrics(SM_CXSCREEN) / 4;
            if (i == 0)
                pane.nStyle |= SBPS_NOBORDERS | SBPS_STRETCH;
        }
    }
    if (hOldFont != nullptr)
        dcScreen.SelectObject(hOldFont);
    UpdateAllPanes(TRUE, TRUE);
    return bResult;
}

void SECStatusBar::UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText)
{
    if (m_hWnd == nullptr)
        return;
    if (bUpdateRects)
    {
        CRect rect;
        GetClientRect(rect);
        CalcInsideRect(rect, TRUE);
        int borders[3] = {0, 0, 0};
        SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
        const int nSpacing = borders[2];
        int nFree = rect.Width() + nSpacing;
        int nStretch = 0;
        for (const Pane& pane : m_panes)
        {
            nFree -= pane.cxText + CX_PANE_BORDER + nSpacing;
            if (pane.nStyle & SBPS_STRETCH)
                ++nStretch;
        }
        std::vector<int> edges;
        edges.reserve(m_panes.size());
        int nRight = borders[0];
        for (const Pane& pane : m_panes)
        {
            nRight += CX_PANE_BORDER + pane.cxText;
            if ((pane.nStyle & SBPS_STRETCH) && nFree > 0)
            {
                const int nShare = nFree / nStretch;
                nRight += nShare;
                nFree -= nShare;
                --nStretch;
            }
            edges.push_back(nRight);
            nRight += nSpacing;
        }
        SendMessage(SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    }
    if (bUpdateText)
        for (int i = 0; i < GetCount(); ++i)
            if (PaneAt(i).nFlags & SBPF_UPDATE)
                SendPaneText(i);
}

void SECStatusBar::SendPaneText(int nIndex)
{
    Pane& pane = PaneAt(nIndex);
    pane.nFlags &= ~SBPF_UPDATE;
    const LPCTSTR lpszText = (pane.nStyle & SBPS_DISABLED) ? nullptr : static_cast<LPCTSTR>(pane.strText);
    SendMessage(SB_SETTEXT, static_cast<WPARAM>(nIndex) | (pane.nStyle & 0xFFFF), reinterpret_cast<LPARAM>(lpszText));
}

int SECStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (PaneAt(i).nID == nIDFind)
            return i;
    return -1;
}

UINT SECStatusBar::GetItemID(int nIndex) const
{
    return PaneAt(nIndex).nID;
}

void SECStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (!const_cast<SECStatusBar*>(this)->SendMessage(SB_GETRECT, nIndex, reinterpret_cast<LPARAM>(lpRect)))
        ::SetRectEmpty(lpRect);
}

void SECStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    const Pane& pane = PaneAt(nIndex);
    nID = pane.nID;
    nStyle = pane.nStyle;
    cxWidth = pane.cxText;
}

void SECStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    Pane& pane = PaneAt(nIndex);
    pane.nID = nID;
    const bool bRelayout = pane.cxText != cxWidth || ((pane.nStyle ^ nStyle) & SBPS_STRETCH);
    pane.cxText = cxWidth;
    SetPaneStyle(nIndex, nStyle);
    if (bRelayout)
        UpdateAllPanes(TRUE, FALSE);
}

UINT SECStatusBar::GetPaneStyle(int nIndex) const
{
    return PaneAt(nIndex).nStyle;
}

void SECStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    Pane& pane = PaneAt(nIndex);
    if (pane.nStyle == nStyle)
        return;
    if ((pane.nStyle ^ nStyle) & SBPS_STRETCH)
    {
        pane.nStyle = nStyle;
        UpdateAllPanes(TRUE, FALSE);
    }
    pane.nStyle = nStyle;
    pane.nFlags |= SBPF_UPDATE;
    SendPaneText(nIndex);
}

CString SECStatusBar::GetPaneText(int nIndex) const
{
    return PaneAt(nIndex).strText;
}

void SECStatusBar::GetPaneText(int nIndex, CString& rString) const
{
    rString = PaneAt(nIndex).strText;
}

BOOL SECStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate)
{
    Pane& pane = PaneAt(nIndex);
    const LPCTSTR lpszText = lpszNewText != nullptr ? lpszNewText : _T("");
    if (!(pane.nFlags & SBPF_UPDATE) && pane.strText == lpszText)
        return TRUE;
    try
    {
        pane.strText = lpszText;
    }
    catch (CMemoryException* e)
    {
        e->Delete();
        return FALSE;
    }
    if (bUpdate)
    {
        SendPaneText(nIndex);
        return TRUE;
    }
    // Shown at the next paint, which the pane asks for.
    pane.nFlags |= SBPF_UPDATE;
    CRect rect;
    GetItemRect(nIndex, rect);
    InvalidateRect(rect, FALSE);
    return TRUE;
}

CSize SECStatusBar::CalcFixedLayout(BOOL, BOOL bHorz)
{
    if (!bHorz)
        return CSize(0, 0);
    CClientDC dc(nullptr);
    HGDIOBJ hOldFont = nullptr;
    if (HFONT hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)))
        hOldFont = dc.SelectObject(hFont);
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    if (hOldFont != nullptr)
        dc.SelectObject(hOldFont);
    int borders[3] = {0, 0, 0};
    SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    CRect rectEmpty(0, 0, 0, 0);
    SECControlBar::CalcInsideRect(rectEmpty, TRUE, FALSE);
    const int cy = 2 * (::GetSystemMetrics(SM_CYBORDER) + borders[1]) - rectEmpty.Height() - tm.tmInternalLeading +
                   tm.tmHeight - 1;
    return CSize(32767, std::max(cy, m_nMinHeight));
}

void SECStatusBar::CalcInsideRect(CRect& rect, BOOL bHorz, BOOL bWithGripper) const
{
    SECControlBar::CalcInsideRect(rect, bHorz, bWithGripper);
    CFrameWnd* pFrame = GetParentFrame();
    if ((GetStyle() & SBARS_SIZEGRIP) && (pFrame == nullptr || !pFrame->IsZoomed()))
    {
        int borders[3] = {0, 0, 0};
        const_cast<SECStatusBar*>(this)->SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
        rect.right -= 2 * ::GetSystemMetrics(SM_CXBORDER) + borders[0] + ::GetSystemMetrics(SM_CXVSCROLL);
    }
}

void SECStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    SECStatusCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(GetCount());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex)
    {
        state.m_nID = PaneAt(static_cast<int>(state.m_nIndex)).nID;
        if (!OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, nullptr))
            state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

void SECStatusBar::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle)
{
    if (m_hWnd != nullptr && ((dwOldStyle ^ dwNewStyle) & CBRS_BORDER_ANY))
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

void SECStatusBar::OnSize(UINT nType, int cx, int cy)
{
    SECControlBar::OnSize(nType, cx, cy);
    UpdateAllPanes(TRUE, FALSE);
}

void SECStatusBar::OnPaint()
{
    UpdateAllPanes(FALSE, TRUE);
    Default();
}

LRESULT SECStatusBar::OnNcHitTest(CPoint)
{
    return Default() == HTBOTTOMRIGHT ? HTBOTTOMRIGHT : HTCLIENT;
}

void SECStatusBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    CRect rect(0, 0, 0, 0);
    SECControlBar::CalcInsideRect(rect, TRUE, FALSE);
    rect.top -= 2;
    // The inside-border deltas, turned into the non-client frame.
    lpncsp->rgrc[0].left += rect.left;
    lpncsp->rgrc[0].top += rect.top;
    lpncsp->rgrc[0].right += rect.right;
    lpncsp->rgrc[0].bottom += rect.bottom;
}

void SECStatusBar::OnWindowPosChanging(WINDOWPOS* lpWndPos)
{
    // The base handling must not see the border bits: the control draws its own.
    const DWORD dwStyle = m_dwStyle;
    m_dwStyle &= ~CBRS_BORDER_ANY;
    SECControlBar::OnWindowPosChanging(lpWndPos);
    m_dwStyle = dwStyle;
}

BOOL SECStatusBar::OnEraseBkgnd(CDC* pDC)
{
    if (!SECIsVisualStyle3())
        return static_cast<BOOL>(Default());
    CRect rect;
    GetClientRect(rect);
    pDC->FillSolidRect(rect, SECGetStyleColor(0));
    return TRUE;
}

LRESULT SECStatusBar::OnSetText(WPARAM, LPARAM lParam)
{
    const int nIndex = CommandToIndex(0);
    if (nIndex < 0)
        return -1;
    return SetPaneText(nIndex, reinterpret_cast<LPCTSTR>(lParam)) ? 0 : -1;
}

LRESULT SECStatusBar::OnGetText(WPARAM wParam, LPARAM lParam)
{
    const int nIndex = CommandToIndex(0);
    if (nIndex < 0 || wParam == 0)
        return 0;
    const CString& strText = PaneAt(nIndex).strText;
    const int nLen = std::min(strText.GetLength(), static_cast<int>(wParam) - 1);
    auto* lpszDest = reinterpret_cast<LPTSTR>(lParam);
    std::copy_n(static_cast<LPCTSTR>(strText), nLen, lpszDest);
    lpszDest[nLen] = 0;
    // The characters copied, as GetWindowText expects (the terminating zero not counted).
    return nLen;
}

LRESULT SECStatusBar::OnGetTextLength(WPARAM, LPARAM)
{
    const int nIndex = CommandToIndex(0);
    return nIndex < 0 ? 0 : PaneAt(nIndex).strText.GetLength();
}

LRESULT SECStatusBar::OnSetMinHeight(WPARAM wParam, LPARAM)
{
    const LRESULT lResult = Default();
    m_nMinHeight = static_cast<int>(wParam);
    return lResult;
}

void SECStatusCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    auto* pBar = static_cast<SECStatusBar*>(m_pOther);
    const UINT nOld = pBar->GetPaneStyle(static_cast<int>(m_nIndex));
    pBar->SetPaneStyle(static_cast<int>(m_nIndex), bOn ? (nOld & ~SBPS_DISABLED) : (nOld | SBPS_DISABLED));
}

void SECStatusCmdUI::SetCheck(int nCheck)
{
    auto* pBar = static_cast<SECStatusBar*>(m_pOther);
    const UINT nOld = pBar->GetPaneStyle(static_cast<int>(m_nIndex));
    pBar->SetPaneStyle(static_cast<int>(m_nIndex), nCheck != 0 ? (nOld | SBPS_POPOUT) : (nOld & ~SBPS_POPOUT));
}

void SECStatusCmdUI::SetText(LPCTSTR lpszText)
{
    static_cast<SECStatusBar*>(m_pOther)->SetPaneText(static_cast<int>(m_nIndex), lpszText, TRUE);
}
} // namespace tarnwick::bars
