// SECDockBar: the bar list in rows, shares within a row, placement of bars, splitters and the
// dock bar's painting.
#include <toolkit/bars/CustomToolBar.h>
#include <toolkit/bars/MenuBar.h>
#include <toolkit/bars/StatusBar.h>
#include <toolkit/foundation/AuxData.h>
#include <toolkit/foundation/CaptureLoop.h>
#include <toolkit/foundation/VisualStyle.h>
#include <toolkit/frames/ControlBar.h>
#include <toolkit/frames/DockBar.h>
#include <toolkit/frames/DockBarSplitter.h>
#include <toolkit/frames/FrameBar.h>

#include <algorithm>
#include <climits>
#include <cmath>

#include <windowsx.h>

namespace tarnwick::frames
{
IMPLEMENT_DYNAMIC(SECDockBar, CDockBar)

namespace
{
constexpr float MAX_NEW_SHARE = 0.95f;
constexpr float DEFAULT_MINIMUM_SHARE = 0.05f;
constexpr int MINIMUM_BAR_LENGTH = 18;
constexpr int SPLITTER = 6;
constexpr int CLIENT_EDGE = 3;
constexpr int MIN_BAR_LENGTH = 24;
constexpr int MIN_ROW_THICKNESS = 19;
// A mini-frame's title is cut to this length.
constexpr int MAX_TITLE = 260;
BOOL g_bFlatTabs = FALSE;
// The spare words of the colour cache that hold the splitter cursors.
constexpr int CURSOR_VERTICAL = 0;
constexpr int CURSOR_HORIZONTAL = 1;

bool HasOwnRow(const CControlBar* pBar)
{
    const auto* pSized = DYNAMIC_DOWNCAST(SECControlBar, const_cast<CControlBar*>(pBar));
    return pSized != nullptr && (pSized->m_dwExStyle & CBRS_EX_OWNROW);
}

void* PlaceHolderOf(const CControlBar* pBar)
{
    return reinterpret_cast<void*>(static_cast<UINT_PTR>(LOWORD(::GetDlgCtrlID(pBar->m_hWnd))));
}

CRect WindowRectIn(const CWnd* pWnd, const CWnd* pParent)
{
    CRect rect;
    pWnd->GetWindowRect(&rect);
    pParent->ScreenToClient(&rect);
    return rect;
}
} // namespace

BEGIN_MESSAGE_MAP(SECDockBar, CDockBar)
ON_WM_CONTEXTMENU()
ON_COMMAND_RANGE(SECDockBar::ID_FIRST_BAR_COMMAND, SECDockBar::ID_LAST_BAR_COMMAND, OnBarCommand)
ON_WM_CREATE()
ON_WM_SETCURSOR()
ON_WM_MOUSEMOVE()
ON_WM_DESTROY()
ON_WM_LBUTTONDOWN()
ON_WM_ERASEBKGND()
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
ON_MESSAGE(WM_THEMECHANGED, OnThemeChanged)
END_MESSAGE_MAP()

SECDockBar::SECDockBar(BOOL bFloating, BOOL bMDIChild)
    : CDockBar(bFloating), m_bMDIChild(bMDIChild), m_pNewBar(nullptr), m_bRedrawPending(FALSE), m_nNoRedraw(0),
      m_fMinimumShare(DEFAULT_MINIMUM_SHARE)
{
}

SECDockBar::~SECDockBar()
{
    DeleteSplittersAndEdges();
}

BOOL SECDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, BOOL bMDIChild, UINT nID)
{
    m_bMDIChild = bMDIChild;
    return CDockBar::Create(pParentWnd, dwStyle, nID);
}

int SECDockBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CDockBar::OnCreate(lpcs) == -1)
        return -1;
    // The first dock bar loads the splitter cursors for all of them.
    SEC_AUX_DATA* pAux = SECGetAuxData();
    if (pAux->reserved[CURSOR_VERTICAL] == 0)
    {
        HINSTANCE hInst = AfxGetResourceHandle();
        pAux->reserved[CURSOR_VERTICAL] =
            reinterpret_cast<UINT_PTR>(::LoadCursor(hInst, MAKEINTRESOURCE(AFX_IDC_HSPLITBAR)));
        pAux->reserved[CURSOR_HORIZONTAL] =
            reinterpret_cast<UINT_PTR>(::LoadCursor(hInst, MAKEINTRESOURCE(AFX_IDC_VSPLITBAR)));
    }
    return 0;
}

void SECDockBar::OnDestroy()
{
    DeleteSplittersAndEdges();
    CDockBar::OnDestroy();
}

void SECDockBar::DeleteSplittersAndEdges()
{
    for (INT_PTR i = 0; i < m_splitters.GetSize(); ++i)
        delete m_splitters[i];
    m_splitters.RemoveAll();
    for (INT_PTR i = 0; i < m_clientEdges.GetSize(); ++i)
        delete m_clientEdges[i];
    m_clientEdges.RemoveAll();
}

SECDockBar::Splitter* SECDockBar::GetSplitter(int nIndex) const
{
    return static_cast<Splitter*>(m_splitters[nIndex]);
}

SECDockBar::ClientEdge* SECDockBar::GetClientEdge(int nIndex) const
{
    return static_cast<ClientEdge*>(m_clientEdges[nIndex]);
}

SECDockBar::Splitter* SECDockBar::SplitterAt(CPoint point) const
{
    for (int i = GetSplitterCount() - 1; i >= 0; --i)
        if (GetSplitter(i)->GetRect().PtInRect(point))
            return GetSplitter(i);
    return nullptr;
}

BOOL SECDockBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    // The cursor follows the mouse over the splitters (WM_MOUSEMOVE).
    if (nHitTest == HTCLIENT && pWnd == this)
        return TRUE;
    return CDockBar::OnSetCursor(pWnd, nHitTest, message);
}

void SECDockBar::OnMouseMove(UINT, CPoint point)
{
    const SEC_AUX_DATA* pAux = SECGetAuxData();
    HCURSOR hCursor = pAux->hcurArrow;
    if (const Splitter* pSplitter = SplitterAt(point))
        hCursor =
            reinterpret_cast<HCURSOR>(pAux->reserved[pSplitter->IsVertical() ? CURSOR_VERTICAL : CURSOR_HORIZONTAL]);
    ::SetCursor(hCursor);
}

void SECDockBar::OnLButtonDown(UINT, CPoint point)
{
    if (Splitter* pSplitter = SplitterAt(point))
        TrackSplitter(pSplitter, point);
    else
        Default();
}

BOOL SECDockBar::OnEraseBkgnd(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    if (SECIsVisualStyle3())
    {
        pDC->FillSolidRect(&rect, SECGetStyleColor2(2));
        return TRUE;
    }
    if (SECIsVisualStyle4() && m_theme.DrawBackground(m_hWnd, pDC, rect))
        return TRUE;
    return static_cast<BOOL>(Default());
}

LRESULT SECDockBar::OnThemeChanged(WPARAM, LPARAM)
{
    m_theme.Close();
    return Default();
}

BOOL SECDockBar::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_SYSCHAR)
    {
        if (CFrameWnd* pFrame = GetDockingFrame())
        {
            pFrame->PostMessage(WM_SYSCOMMAND, SC_KEYMENU, pMsg->wParam);
            return TRUE;
        }
    }
    return CDockBar::PreTranslateMessage(pMsg);
}

void SECDockBar::DoPaint(CDC* pDC)
{
    for (int i = 0; i < GetClientEdgeCount(); ++i)
        GetClientEdge(i)->Draw(pDC);
    for (int i = 0; i < GetSplitterCount(); ++i)
        GetSplitter(i)->Draw(pDC);
    if (m_bRedrawPending)
    {
        for (INT_PTR i = 0; i < m_arrRedraw.GetSize(); ++i)
        {
            auto* pBar = static_cast<CControlBar*>(m_arrRedraw[i]);
            if (::IsWindow(pBar->m_hWnd))
                ::RedrawWindow(pBar->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
        }
        m_arrRedraw.RemoveAll();
        m_nNoRedraw = 0;
    }
    if (!SECIsVisualStyle3())
        CDockBar::DoPaint(pDC);
}

void SECDockBar::RedrawChangedBars()
{
    if (m_arrRedraw.IsEmpty())
        return;
    m_bRedrawPending = TRUE;
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    m_bRedrawPending = FALSE;
}

LRESULT SECDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
    // Bars moved after a splitter drag are repainted with the drag's redraw, not by the move.
    const int nGlobalFlag = SECControlBar::GetControlBarGlobalFlag();
    const auto globalFlag = SECControlBar::ScopedControlBarGlobalFlag(nGlobalFlag > 0 ? m_nNoRedraw : nGlobalFlag);
    return CDockBar::OnSizeParent(wParam, lParam);
}

void SECDockBar::SetFlatTabsFlag(BOOL bFlatTabs)
{
    g_bFlatTabs = bFlatTabs;
}

SECControlBar* SECDockBar::GetSizeableBar(int nPos) const
{
    return DYNAMIC_DOWNCAST(SECControlBar, GetDockedControlBar(nPos));
}

BOOL SECDockBar::IsVisibleEntry(int nPos) const
{
    const CControlBar* pBar = GetDockedControlBar(nPos);
    return pBar != nullptr && pBar->IsVisible();
}

int SECDockBar::RowStart(int nPos) const
{
    while (nPos > 0 && m_arrBars[nPos - 1] != nullptr)
        --nPos;
    return nPos;
}

int SECDockBar::RowEnd(int nPos) const
{
    const int nSize = static_cast<int>(m_arrBars.GetSize());
    while (nPos < nSize && m_arrBars[nPos] != nullptr)
        ++nPos;
    return nPos;
}

int SECDockBar::RowCount() const
{
    int nRows = 0;
    for (INT_PTR nPos = 1; nPos < m_arrBars.GetSize(); ++nPos)
        if (m_arrBars[nPos - 1] == nullptr)
            ++nRows;
    return nRows;
}

int SECDockBar::NthRowStart(int nRow) const
{
    for (INT_PTR nPos = 1; nPos < m_arrBars.GetSize(); ++nPos)
        if (m_arrBars[nPos - 1] == nullptr && nRow-- == 0)
            return static_cast<int>(nPos);
    return static_cast<int>(m_arrBars.GetSize());
}

void SECDockBar::DelayLayout()
{
    if (m_hWnd == nullptr)
        return;
    if (CFrameWnd* pFrame = GetDockingFrame())
        pFrame->DelayRecalcLayout(TRUE);
}

void SECDockBar::RegisterSplitter(const CRect& rect, SplitterKind nKind, int nRowIndex)
{
    // A splitter between the bars of a top or bottom row stands upright.
    const BOOL bVertical = (nKind == SPLIT_BARS) == ((m_dwStyle & CBRS_ORIENT_HORZ) != 0);
    for (int i = 0; i < GetSplitterCount(); ++i)
        if (GetSplitter(i)->GetRect() == rect)
        {
            GetSplitter(i)->Reuse(bVertical, nKind, nRowIndex);
            return;
        }
    m_splitters.Add(new Splitter(rect, bVertical, nKind, nRowIndex));
}

void SECDockBar::RegisterClientEdge(const CRect& rect)
{
    const BOOL bVertical = (m_dwStyle & CBRS_ORIENT_HORZ) == 0;
    for (int i = 0; i < GetClientEdgeCount(); ++i)
        if (GetClientEdge(i)->GetRect() == rect)
        {
            GetClientEdge(i)->Reuse(bVertical);
            return;
        }
    m_clientEdges.Add(new ClientEdge(rect, bVertical));
}

void SECDockBar::SweepUnmarked()
{
    for (INT_PTR i = m_splitters.GetSize() - 1; i >= 0; --i)
        if (!GetSplitter(static_cast<int>(i))->IsMarked())
        {
            delete m_splitters[i];
            m_splitters.RemoveAt(i);
        }
    for (INT_PTR i = m_clientEdges.GetSize() - 1; i >= 0; --i)
        if (!GetClientEdge(static_cast<int>(i))->IsMarked())
        {
            delete m_clientEdges[i];
            m_clientEdges.RemoveAt(i);
        }
}

CSize SECDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorzLayout)
{
    // A floating frame sizes itself to its bars: each keeps its own floating size.
    if (m_bFloating)
        return CDockBar::CalcFixedLayout(bStretch, bHorzLayout);
    const bool bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    CSize sizeMax = m_rectLayout.Size();
    if (m_rectLayout.IsRectEmpty())
    {
        CRect rectFrame(0, 0, 0, 0);
        if (CFrameWnd* pFrame = GetParentFrame())
            pFrame->GetClientRect(&rectFrame);
        sizeMax = rectFrame.Size();
    }
    const int nRowLength = bHorz ? sizeMax.cx : sizeMax.cy;
    if (!m_bLayoutQuery)
    {
        for (int i = 0; i < GetSplitterCount(); ++i)
            GetSplitter(i)->Unmark();
        for (int i = 0; i < GetClientEdgeCount(); ++i)
            GetClientEdge(i)->Unmark();
    }
    AFX_SIZEPARENTPARAMS layout{};
    layout.hDWP = m_bLayoutQuery ? nullptr : ::BeginDeferWindowPos(static_cast<int>(m_arrBars.GetSize()));
    // The side the rows stack away from decides where splitters and edges go.
    const bool bFarSide = (m_dwStyle & (CBRS_ALIGN_BOTTOM | CBRS_ALIGN_RIGHT)) != 0;
    int nOffset = bFarSide ? 1 : 0;
    auto across = [&](int nFrom, int nThickness) {
        return bHorz ? CRect(0, nFrom, nRowLength, nFrom + nThickness)
                     : CRect(nFrom, 0, nFrom + nThickness, nRowLength);
    };
    auto addEdge = [&]() {
        if (!m_bLayoutQuery)
            RegisterClientEdge(across(nOffset, CLIENT_EDGE));
        nOffset += CLIENT_EDGE;
    };
    auto addRowSplitter = [&](int nStart) {
        if (!m_bLayoutQuery)
            RegisterSplitter(across(nOffset, SPLITTER), SPLIT_ROWS, nStart);
        nOffset += SPLITTER;
    };
    bool bAnyBar = false;
    for (int nStart = 1; nStart < m_arrBars.GetSize(); nStart = RowEnd(nStart) + 1)
    {
        int nSizable = 0;
        int nFixed = 0;
        NormalizeRowPercentages(nStart, m_pNewBar, &nSizable, &nFixed);
        if (nSizable + nFixed == 0)
            continue;
        bAnyBar = true;
        if (nSizable == 0)
        {
            nOffset += LayoutFixedRow(nStart, nOffset, nRowLength, layout.hDWP);
            continue;
        }
        const bool bFrame = !m_bFloating;
        if (bFrame)
            bFarSide ? addRowSplitter(nStart) : addEdge();
        nOffset += LayoutSizableRow(nStart, nOffset, nRowLength, layout.hDWP);
        if (bFrame)
        {
            if (bFarSide)
            {
                addEdge();
            }
            else
            {
                addRowSplitter(nStart);
                if (!bHorz)
                    addEdge();
            }
        }
    }
    // Shows and hides asked for with a delay happen with this layout.
    for (int nPos = 0; nPos < m_arrBars.GetSize(); ++nPos)
        if (CControlBar* pBar = GetDockedControlBar(nPos))
            pBar->RecalcDelayShow(&layout);
    if (layout.hDWP != nullptr)
        ::EndDeferWindowPos(layout.hDWP);
    if (!m_bLayoutQuery)
        SweepUnmarked();
    m_pNewBar = nullptr;
    int nThickness = bAnyBar ? nOffset + 2 : 0;
    if (bAnyBar && g_bFlatTabs && (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_LEFT)))
        nThickness += SECGetAuxData()->bWin4 ? 2 : 1;
    return bHorz ? CSize(nRowLength, nThickness) : CSize(nThickness, nRowLength);
}

int SECDockBar::LayoutSizableRow(int nStart, int nOffset, int nRowLength, HDWP& hdwp)
{
    const bool bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    // Lengths run along x in top and bottom dock bars, along y in the others; the thickness
    // is committed in the other direction.
    const DWORD dwMode = bHorz ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK | LM_LENGTHY;
    const int nEnd = RowEnd(nStart);
    int nVisible = 0;
    int nLastSizable = -1;
    for (int i = nStart; i < nEnd; ++i)
    {
        if (!IsVisibleEntry(i))
            continue;
        ++nVisible;
        const SECControlBar* pBar = GetSizeableBar(i);
        if (pBar != nullptr && !(pBar->m_dwExStyle & CBRS_EX_FIXEDSIZE))
            nLastSizable = i;
    }

    // Lengths first: each sizeable bar its share of what the splitters leave.
    int nThickness = 0;
    for (int i = nStart; i < nEnd; ++i)
    {
        if (!IsVisibleEntry(i))
            continue;
        CControlBar* pBar = GetDockedControlBar(i);
        SECControlBar* pSized = GetSizeableBar(i);
        CSize size;
        if (pSized != nullptr)
        {
            pSized->m_dwExStyle &= ~CBRS_EX_FIXEDROW;
            size = pBar->CalcDynamicLayout(nRowLength - SPLITTER * (nVisible - 1), dwMode | LM_STRETCH | LM_COMMIT);
        }
        else
        {
            size = pBar->CalcDynamicLayout(-1, dwMode);
        }
        nThickness = std::max<int>(nThickness, bHorz ? size.cy : size.cx);
    }

    int nAlong = 0;
    for (int i = nStart; i < nEnd; ++i)
    {
        if (!IsVisibleEntry(i))
            continue;
        CControlBar* pBar = GetDockedControlBar(i);
        const SECControlBar* pSized = GetSizeableBar(i);
        const bool bFixedSize = pSized == nullptr || (pSized->m_dwExStyle & CBRS_EX_FIXEDSIZE);
        if (!bFixedSize)
            pBar->CalcDynamicLayout(nThickness, (dwMode ^ LM_LENGTHY) | LM_COMMIT);
        const CSize size = pBar->CalcDynamicLayout(-1, dwMode);
        int nLength = bHorz ? size.cx : size.cy;
        const int nAcross = bFixedSize ? (bHorz ? size.cy : size.cx) : nThickness;
        // Rounding goes to the last sizeable bar: the row ends flush.
        if (i == nLastSizable)
            nLength = std::max(nRowLength - nAlong, 0);
        MoveBar(pBar, i,
                bHorz ? CRect(nAlong, nOffset, nAlong + nLength, nOffset + nAcross)
                      : CRect(nOffset, nAlong, nOffset + nAcross, nAlong + nLength),
                hdwp);
        nAlong += nLength;
        int nNext = i + 1;
        while (nNext < nEnd && !IsVisibleEntry(nNext))
            ++nNext;
        if (nNext < nEnd)
        {
            if (!m_bLayoutQuery)
                RegisterSplitter(bHorz ? CRect(nAlong, nOffset, nAlong + SPLITTER, nOffset + nThickness)
                                       : CRect(nOffset, nAlong, nOffset + nThickness, nAlong + SPLITTER),
                                 SPLIT_BARS, i);
            nAlong += SPLITTER;
        }
    }
    return nThickness;
}

int SECDockBar::LayoutFixedRow(int nStart, int nOffset, int nRowLength, HDWP& hdwp)
{
    const bool bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    const int nEnd = RowEnd(nStart);
    int nAlong = 0;
    int nThickness = 0;
    for (int i = nStart; i < nEnd; ++i)
    {
        if (!IsVisibleEntry(i))
            continue;
        CControlBar* pBar = GetDockedControlBar(i);
        if (SECControlBar* pSized = GetSizeableBar(i))
            pSized->m_dwExStyle |= CBRS_EX_FIXEDROW;
        DWORD dwMode = bHorz ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK | LM_LENGTHY;
        if ((pBar->m_dwStyle & (CBRS_SIZE_DYNAMIC | CBRS_FLOATING)) == (CBRS_SIZE_DYNAMIC | CBRS_FLOATING))
            dwMode = LM_HORZ | LM_MRUWIDTH;
        const CSize size = pBar->CalcDynamicLayout(-1, dwMode);
        int nLength = bHorz ? size.cx : size.cy;
        const int nAcross = bHorz ? size.cy : size.cx;
        int nAt = nAlong;
        if (HasOwnRow(pBar))
        {
            nAt = 0;
            nLength = nRowLength;
        }
        else
        {
            // A bar keeps the offset it was put at, but is pulled back to end inside the dock
            // bar as far as the bars before it allow.
            const CRect rectOld = WindowRectIn(pBar, this);
            nAt = std::max(nAt, static_cast<int>(bHorz ? rectOld.left : rectOld.top));
            if (!m_bFloating && nAt + nLength > nRowLength)
                nAt = std::max(nRowLength - nLength, nAlong);
        }
        MoveBar(pBar, i,
                bHorz ? CRect(nAt, nOffset, nAt + nLength, nOffset + nAcross)
                      : CRect(nOffset, nAt, nOffset + nAcross, nAt + nLength),
                hdwp);
        nAlong = nAt + nLength;
        nThickness = std::max(nThickness, nAcross);
    }
    return nThickness;
}

void SECDockBar::MoveBar(CControlBar* pBar, int nPos, const CRect& rect, HDWP& hdwp)
{
    if (hdwp == nullptr || pBar->m_hWnd == nullptr)
        return;
    const CRect rectOld = WindowRectIn(pBar, this);
    if (rectOld == rect)
        return;
    if (!m_bFloating && pBar->m_pDockContext != nullptr)
        pBar->m_pDockContext->m_rectMRUDockPos = rect;
    UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (SECControlBar::GetControlBarGlobalFlag() > 0)
        nFlags |= SWP_NOREDRAW;
    if (rectOld.Size() == rect.Size())
        nFlags |= SWP_NOSIZE;
    const bool bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    if ((bHorz ? rectOld.Width() != rect.Width() : rectOld.Height() != rect.Height()))
        AddRunToRedrawList(nPos);
    hdwp = ::DeferWindowPos(hdwp, pBar->m_hWnd, nullptr, rect.left, rect.top, rect.Width(), rect.Height(), nFlags);
}

int SECDockBar::RowLength() const
{
    CRect rect(0, 0, 0, 0);
    if (m_hWnd != nullptr)
        GetClientRect(&rect);
    return (m_dwStyle & CBRS_ORIENT_HORZ) ? rect.Width() : rect.Height();
}

void SECDockBar::CalcSplitterLimits(Splitter* pSplitter, int& nMin, int& nMax)
{
    const bool bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    const int nIndex = pSplitter->GetRowIndex();
    if (pSplitter->GetKind() == SPLIT_BARS)
    {
        // Every bar keeps 24 pixels, and the splitters between them their 6.
        int nBefore = 0;
        int nAfter = 0;
        for (int i = RowStart(nIndex), nEnd = RowEnd(nIndex); i < nEnd; ++i)
            if (IsVisibleEntry(i))
                ++(i <= nIndex ? nBefore : nAfter);
        nMin = MIN_BAR_LENGTH * nBefore + SPLITTER * std::max(nBefore - 1, 0);
        nMax = RowLength() - MIN_BAR_LENGTH * nAfter - SPLITTER * std::max(nAfter - 1, 0);
        return;
    }
    int nThickness = 0;
    for (int i = nIndex, nEnd = RowEnd(nIndex); i < nEnd; ++i)
        if (IsVisibleEntry(i))
        {
            const CRect rect = WindowRectIn(GetDockedControlBar(i), this);
            nThickness = std::max<int>(nThickness, bHorz ? rect.Height() : rect.Width());
        }
    // Growing the row takes from the frame's client area, which keeps 19 pixels too.
    int nRoom = INT_MAX / 4;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != nullptr && !m_bFloating)
    {
        CRect rectPane(0, 0, 0, 0);
        pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rectPane);
        nRoom = std::max(0, (bHorz ? rectPane.Height() : rectPane.Width()) - MIN_ROW_THICKNESS);
    }
    const CRect& rect = pSplitter->GetRect();
    const int nAt = bHorz ? rect.top : rect.left;
    // The row lies after its splitter in bottom and right dock bars, before it in the others.
    if (m_dwStyle & (CBRS_ALIGN_BOTTOM | CBRS_ALIGN_RIGHT))
    {
        nMin = nAt - nRoom;
        nMax = nAt + nThickness - MIN_ROW_THICKNESS + SPLITTER;
    }
    else
    {
        nMin = nAt - nThickness + MIN_ROW_THICKNESS;
        nMax = nAt + nRoom + SPLITTER;
    }
}

void SECDockBar::MoveSplitter(Splitter* pSplitter, int nDelta)
{
    m_nNoRedraw = 1;
    const int nIndex = pSplitter->GetRowIndex();
    const int nStart = RowStart(nIndex);
    const int nEnd = RowEnd(nIndex);
    if (pSplitter->GetKind() == SPLIT_ROWS)
    {
        const bool bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
        const DWORD dwMode = bHorz ? LM_HORZ | LM_HORZDOCK | LM_LENGTHY | LM_COMMIT : LM_VERTDOCK | LM_COMMIT;
        if (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_LEFT))
            nDelta = -nDelta;
        for (int i = nStart; i < nEnd; ++i)
            if (IsVisibleEntry(i))
            {
                CControlBar* pBar = GetDockedControlBar(i);
                const CSize size = pBar->CalcDynamicLayout(-1, dwMode & ~LM_COMMIT);
                pBar->CalcDynamicLayout((bHorz ? size.cy : size.cx) - nDelta, dwMode);
                AddToRedrawList(pBar);
            }
        return;
    }
    int nVisible = 0;
    for (int i = nStart; i < nEnd; ++i)
        nVisible += IsVisibleEntry(i) ? 1 : 0;
    // The length the layout shares out: the row less the splitters between its bars.
    const int nLength = RowLength() - SPLITTER * (nVisible - 1);
    if (nLength <= 0 || nDelta == 0)
        return;
    // The bar on the side the splitter moves towards gives up its share first, down to 24
    // pixels, then the next ones; the bar on the other side takes all of it.
    auto nextVisible = [&](int i, int nStep) {
        while (i >= nStart && i < nEnd && (GetSizeableBar(i) == nullptr || !IsVisibleEntry(i)))
            i += nStep;
        return i;
    };
    const int nStep = nDelta > 0 ? 1 : -1;
    SECControlBar* pGainer = GetSizeableBar(nDelta > 0 ? nextVisible(nIndex, -1) : nextVisible(nIndex + 1, 1));
    if (pGainer == nullptr)
        return;
    // Half a pixel more than 24, so that truncating the share to pixels still leaves 24.
    const float fFloor =
        std::max(m_fMinimumShare, (static_cast<float>(MIN_BAR_LENGTH) + 0.5f) / static_cast<float>(nLength));
    const float fDelta = static_cast<float>(std::abs(nDelta)) / static_cast<float>(nLength);
    float fLeft = fDelta;
    for (int i = nextVisible(nDelta > 0 ? nIndex + 1 : nIndex, nStep); i >= nStart && i < nEnd && fLeft > 0.0f;
         i = nextVisible(i + nStep, nStep))
    {
        SECControlBar* pBar = GetSizeableBar(i);
        const float fGive = std::min(fLeft, std::max(pBar->m_fPctWidth - fFloor, 0.0f));
        AddPercent(-fGive, pBar);
        fLeft -= fGive;
        AddToRedrawList(pBar);
    }
    pGainer->m_fPctWidth += fDelta - fLeft;
    AddToRedrawList(pGainer);
}

void SECDockBar::TrackSplitter(Splitter* pSplitter, CPoint point)
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame == nullptr)
        return;
    // Bars that lose the focus to the drag stay out meanwhile.
    int nDelta = 0;
    {
        const auto noSlide = SECControlBar::ScopedNoSlide();
        int nMin = 0;
        int nMax = 0;
        CalcSplitterLimits(pSplitter, nMin, nMax);
        nDelta = DragSplitter(pSplitter, point, nMin, nMax);
    }
    if (nDelta != 0)
    {
        MoveSplitter(pSplitter, nDelta);
        pFrame->DelayRecalcLayout(TRUE);
    }
}

int SECDockBar::DragSplitter(Splitter* pSplitter, CPoint point, int nMin, int nMax)
{
    if (::GetCapture() != nullptr)
        return 0;
    const bool bAlongX = pSplitter->IsVertical() != FALSE;
    const CRect& rect = pSplitter->GetRect();
    const int nStartAt = bAlongX ? rect.left : rect.top;
    const int nGrab = (bAlongX ? point.x : point.y) - nStartAt;
    int nAt = nStartAt;
    foundation::SECCaptureLoop loop(this);
    // The outline is drawn over the frame, whose client area the dock bar's points are
    // shifted into.
    CWnd* pDrawWnd = GetParentFrame();
    if (pDrawWnd == nullptr)
        pDrawWnd = this;
    CPoint ptOrigin(0, 0);
    ::MapWindowPoints(m_hWnd, pDrawWnd->m_hWnd, &ptOrigin, 1);
    foundation::SECDragDC dc(pDrawWnd);
    dc.SetViewportOrg(ptOrigin);
    pSplitter->DrawDragRect(&dc, nAt);
    const auto result = loop.Run([&](const MSG& msg) {
        switch (msg.message)
        {
        case WM_KEYDOWN:
        case WM_TIMER:
        case WM_KEYUP:
        case WM_CHAR:
            return foundation::SECCaptureLoop::handled;
        case WM_MOUSEMOVE: {
            CPoint pt(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
            ::MapWindowPoints(msg.hwnd, m_hWnd, &pt, 1);
            nAt = std::clamp(static_cast<int>(bAlongX ? pt.x : pt.y) - nGrab, nMin, std::max(nMin, nMax - SPLITTER));
            pSplitter->DrawDragRect(&dc, nAt);
            return foundation::SECCaptureLoop::handled;
        }
        case WM_LBUTTONUP:
            return foundation::SECCaptureLoop::finish;
        default:
            return foundation::SECCaptureLoop::dispatch;
        }
    });
    pSplitter->EraseDragRect(&dc);
    return result == foundation::SECCaptureLoop::cancelled ? 0 : nAt - nStartAt;
}

int SECDockBar::GetVisibleBarCount()
{
    int nCount = 0;
    for (INT_PTR nPos = 0; nPos < m_arrBars.GetSize(); ++nPos)
    {
        const CControlBar* pBar = GetDockedControlBar(static_cast<int>(nPos));
        if (pBar != nullptr && pBar->m_hWnd != nullptr && pBar->IsVisible())
            ++nCount;
    }
    return nCount;
}

BOOL SECDockBar::IsBarExpanded(SECControlBar* pBar)
{
    const int nPos = FindBar(pBar);
    if (nPos <= 0 || !pBar->IsVisible() || pBar->m_fPctWidth <= m_fMinimumShare)
        return FALSE;
    int nAbove = 0;
    for (int i = RowStart(nPos), nEnd = RowEnd(nPos); i < nEnd; ++i)
    {
        const SECControlBar* pOther = GetSizeableBar(i);
        if (pOther != nullptr && pOther->IsVisible() && pOther->m_fPctWidth > m_fMinimumShare)
            ++nAbove;
    }
    return nAbove < 2;
}

BOOL SECDockBar::IsAloneInRow(SECControlBar* pBar)
{
    const int nPos = pBar != nullptr ? FindBar(pBar) : -1;
    if (nPos <= 0)
        return FALSE;
    const int nStart = RowStart(nPos);
    const int nEnd = RowEnd(nPos);
    for (int i = nStart; i < nEnd; ++i)
        if (i != nPos && IsVisibleEntry(i))
            return FALSE;
    return TRUE;
}

void SECDockBar::GetRowBars(CPtrList& list, SECControlBar* pBar)
{
    list.RemoveAll();
    const int nPos = FindBar(pBar);
    if (nPos <= 0)
        return;
    for (int i = nPos - 1; i > 0 && m_arrBars[i] != nullptr; --i)
        if (CControlBar* pOther = GetDockedControlBar(i))
            list.AddTail(pOther);
    for (int i = nPos, nEnd = RowEnd(nPos); i < nEnd; ++i)
        if (CControlBar* pOther = GetDockedControlBar(i))
            list.AddTail(pOther);
}

void SECDockBar::RedrawRowToolBars(SECControlBar* pBar)
{
    using bars::SECCustomToolBar;
    CPtrList list;
    GetRowBars(list, pBar);
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        if (auto* pToolBar = DYNAMIC_DOWNCAST(SECCustomToolBar, static_cast<CObject*>(list.GetNext(pos))))
            AddToRedrawList(pToolBar);
}

void SECDockBar::ExpandBar(SECControlBar* pBar, int nMode)
{
    const int nPos = FindBar(pBar);
    if (nPos <= 0)
        return;
    const int nStart = RowStart(nPos);
    const int nEnd = RowEnd(nPos);
    for (int i = nStart; i < nEnd; ++i)
        if (SECControlBar* pOther = GetSizeableBar(i))
            pOther->m_fPctWidth = nMode == EXPAND_BAR ? (pOther == pBar ? 1.0f : 0.0f) : 0.1f;
    int nSizable = 0;
    int nFixed = 0;
    // Contracting: all settled at one share, so that the row divides evenly.
    NormalizeRowPercentages(nStart, nMode == EXPAND_BAR ? pBar : nullptr, &nSizable, &nFixed);
    if (nMode == EXPAND_BAR)
    {
        // The others were raised to the minimum share: the expanded bar takes what they leave,
        // so that the row still adds up to one.
        float fOthers = 0.0f;
        for (int i = nStart; i < nEnd; ++i)
        {
            const SECControlBar* pOther = GetSizeableBar(i);
            if (pOther != nullptr && pOther != pBar && pOther->IsVisible())
                fOthers += pOther->m_fPctWidth;
        }
        pBar->m_fPctWidth = std::max(1.0f - fOthers, m_fMinimumShare);
    }
    AddRunToRedrawList(1);
    DelayLayout();
}

void SECDockBar::OnBarInserted(SECControlBar* pBar)
{
    const int nPos = FindBar(pBar);
    if (nPos > 0 && m_arrBars[nPos - 1] == nullptr &&
        (nPos + 1 >= m_arrBars.GetSize() || m_arrBars[nPos + 1] == nullptr))
        AddRunToRedrawList(nPos);
    AddToRedrawList(pBar);
    m_pNewBar = pBar;
}

BOOL SECDockBar::RemoveControlBar(CControlBar* pBar, int nPosExclude, int nAddPlaceHolder)
{
    const int nPos = FindBar(pBar, nPosExclude);
    if (nPos <= 0)
        return FALSE;
    if (m_arrBars[nPos - 1] == nullptr && (nPos + 1 >= m_arrBars.GetSize() || m_arrBars[nPos + 1] == nullptr))
    {
        AddRunToRedrawList(nPos);
        m_nNoRedraw = 1;
    }
    RemoveFromRedrawList(pBar);
    return CDockBar::RemoveControlBar(pBar, nPosExclude, nAddPlaceHolder);
}

float SECDockBar::MinimumShareFor(int nRowLength)
{
    if (nRowLength < 1)
        return DEFAULT_MINIMUM_SHARE;
    return std::min(1.0f, static_cast<float>(MINIMUM_BAR_LENGTH) / static_cast<float>(nRowLength));
}

void SECDockBar::UpdateMinimumShare()
{
    CRect rect(0, 0, 0, 0);
    if (m_hWnd != nullptr)
        GetClientRect(&rect);
    m_fMinimumShare = MinimumShareFor((m_dwStyle & CBRS_ORIENT_HORZ) ? rect.Width() : rect.Height());
}

void SECDockBar::NormalizeRowPercentages(int nFirst, SECControlBar* pNewBar, int* pnSizable, int* pnFixed)
{
    *pnSizable = 0;
    *pnFixed = 0;
    UpdateMinimumShare();
    if (pNewBar != nullptr && pNewBar->IsVisible() && pNewBar->m_fPctWidth > MAX_NEW_SHARE)
        pNewBar = nullptr;
    const int nEnd = RowEnd(nFirst);
    auto isNew = [pNewBar](const SECControlBar* pBar) { return pBar == pNewBar || !pBar->IsShareSettled(); };

    float fNew = 0.0f;
    float fSettled = 0.0f;
    for (int i = nFirst; i < nEnd; ++i)
    {
        SECControlBar* pBar = GetSizeableBar(i);
        if (pBar == nullptr)
            continue;
        if (!pBar->IsVisible())
        {
            pBar->SetShareSettled(FALSE);
            continue;
        }
        if (isNew(pBar))
        {
            pBar->m_fPctWidth = std::min(std::max(pBar->m_fPctWidth, m_fMinimumShare), MAX_NEW_SHARE);
            fNew += pBar->m_fPctWidth;
        }
        else
        {
            fSettled += pBar->m_fPctWidth;
        }
        ++*((pBar->m_dwExStyle & CBRS_EX_FIXEDSIZE) ? pnFixed : pnSizable);
    }
    if (fNew > 0.0f)
    {
        float fFactor = 1.0f / fNew;
        if (fSettled > 0.0f)
        {
            fNew = std::min(fNew, MAX_NEW_SHARE);
            fFactor = fSettled == fNew ? 1.0f : fSettled / (fSettled - fNew);
        }
        for (int i = nFirst; i < nEnd; ++i)
        {
            SECControlBar* pBar = GetSizeableBar(i);
            if (pBar == nullptr || !pBar->IsVisible() || !isNew(pBar))
                continue;
            pBar->m_fPctWidth = std::max(pBar->m_fPctWidth * fFactor, m_fMinimumShare);
            pBar->SetShareSettled(TRUE);
            fSettled += pBar->m_fPctWidth;
        }
    }
    if (fSettled > 0.0f)
    {
        for (int i = nFirst; i < nEnd; ++i)
        {
            SECControlBar* pBar = GetSizeableBar(i);
            if (pBar != nullptr && pBar->IsVisible())
                pBar->m_fPctWidth = std::max(pBar->m_fPctWidth / fSettled, m_fMinimumShare);
        }
    }
}

float SECDockBar::AddPercent(float fDelta, SECControlBar* pBar)
{
    const float fShare = pBar->m_fPctWidth + fDelta;
    if (fShare < m_fMinimumShare)
    {
        pBar->m_fPctWidth = m_fMinimumShare;
        return fShare - m_fMinimumShare;
    }
    pBar->m_fPctWidth = fShare;
    return 0.0f;
}

int SECDockBar::InsertBarAt(int nIndex, CControlBar* pBar)
{
    m_arrBars.InsertAt(nIndex, pBar);
    const bool bOwnRow = HasOwnRow(pBar);
    const CControlBar* pNext = nIndex + 1 < m_arrBars.GetSize() ? GetDockedControlBar(nIndex + 1) : nullptr;
    const CControlBar* pPrev = nIndex > 0 ? GetDockedControlBar(nIndex - 1) : nullptr;
    // A bar that keeps a row of its own is parted from any neighbour; another bar only from
    // such a bar.
    if (pNext != nullptr && (bOwnRow || HasOwnRow(pNext)))
        m_arrBars.InsertAt(nIndex + 1, static_cast<void*>(nullptr));
    if (pPrev != nullptr && (bOwnRow || HasOwnRow(pPrev)))
        m_arrBars.InsertAt(nIndex++, static_cast<void*>(nullptr));
    return nIndex;
}

int SECDockBar::InsertBarAsFirstRow(CControlBar* pBar)
{
    int nIndex = 0;
    while (nIndex < m_arrBars.GetSize() && m_arrBars[nIndex] == nullptr)
        ++nIndex;
    m_arrBars.InsertAt(nIndex, static_cast<void*>(nullptr));
    m_arrBars.InsertAt(nIndex, pBar);
    return nIndex;
}

int SECDockBar::ColumnIndex(int nStart, int nColumn, BOOL bFromEnd) const
{
    const int nEnd = RowEnd(nStart);
    if (!bFromEnd)
    {
        if (nColumn <= 0)
            return nStart;
        int nBefore = 0;
        for (int i = nStart; i < nEnd; ++i)
            if (IsVisibleEntry(i) && nBefore++ == nColumn)
                return i;
        return nEnd;
    }
    if (nColumn > 0)
        return nEnd;
    int nFromEnd = 1 - nColumn;
    for (int i = nEnd - 1; i >= nStart; --i)
        if (IsVisibleEntry(i) && --nFromEnd == 0)
            return i;
    return nStart;
}

int SECDockBar::InsertBarAtPlace(SECControlBar* pBar, const SECDockPlacement& place)
{
    const int nRows = RowCount();
    const bool bFromLast = (place.nFlags & DOCKPLACE_ROW_FROM_LAST) != 0;
    int nIndex = 1;
    int nBreaksBefore = 0;
    int nBreaksAfter = 0;
    if (m_arrBars.GetSize() <= 1)
    {
        if (m_arrBars.IsEmpty())
            m_arrBars.Add(nullptr);
        nBreaksAfter = 1;
    }
    else if (!bFromLast && place.nRow < 0)
    {
        nBreaksAfter = -place.nRow - 1;
    }
    else if (!bFromLast && place.nRow >= nRows)
    {
        return InsertBarAtPlace(pBar, {place.nRow - nRows + 1, 0, DOCKPLACE_ROW_FROM_LAST});
    }
    else if (bFromLast && place.nRow > 0)
    {
        nIndex = static_cast<int>(m_arrBars.GetSize()) + place.nRow - 1;
        nBreaksBefore = place.nRow - 1;
        nBreaksAfter = 1;
    }
    else if (bFromLast && -place.nRow >= nRows)
    {
        return InsertBarAtPlace(pBar, {place.nRow + nRows - 1, 0, 0});
    }
    else
    {
        const int nStart = NthRowStart(bFromLast ? nRows - 1 + place.nRow : place.nRow);
        if (place.nFlags & DOCKPLACE_NEW_ROW)
        {
            nIndex = nStart;
            nBreaksAfter = 1;
        }
        else
        {
            nIndex = m_arrBars[nStart] == nullptr
                         ? nStart
                         : ColumnIndex(nStart, place.nColumn, (place.nFlags & DOCKPLACE_COLUMN_FROM_END) != 0);
        }
    }

    AddToRedrawList(pBar);
    if (nIndex < m_arrBars.GetSize())
        AddToRedrawList(GetDockedControlBar(nIndex));
    for (int i = 0; i < nBreaksBefore; ++i)
        m_arrBars.InsertAt(nIndex - nBreaksBefore, static_cast<void*>(nullptr));
    m_arrBars.InsertAt(nIndex, pBar);
    for (int i = 0; i < nBreaksAfter; ++i)
        m_arrBars.InsertAt(nIndex + 1, static_cast<void*>(nullptr));
    return nIndex;
}

int SECDockBar::InsertBarAtPlaceAt(SECControlBar* pBar, int nColumn, int nRow)
{
    return InsertBarAtPlace(pBar, {nRow, nColumn, 0});
}

int SECDockBar::InsertBarAtRect(CControlBar* pBar, const CRect& rect, CPoint ptCentre)
{
    AddToRedrawList(pBar);
    const bool bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    const int nCentreAcross = bHorz ? ptCentre.y : ptCentre.x;
    const int nLeading = bHorz ? rect.left : rect.top;
    bool bFirstRow = true;
    for (int nStart = 1; nStart < m_arrBars.GetSize(); nStart = RowEnd(nStart) + 1)
    {
        const int nEnd = RowEnd(nStart);
        int nBandStart = INT_MAX;
        int nBandEnd = INT_MIN;
        for (int i = nStart; i < nEnd; ++i)
        {
            CControlBar* pOther = GetDockedControlBar(i);
            if (pOther == nullptr || pOther == pBar || !pOther->IsVisible())
                continue;
            const CRect rectOther = WindowRectIn(pOther, this);
            nBandStart = std::min<int>(nBandStart, bHorz ? rectOther.top : rectOther.left);
            nBandEnd = std::max<int>(nBandEnd, bHorz ? rectOther.bottom : rectOther.right);
        }
        if (nBandStart > nBandEnd)
            continue;
        if (bFirstRow && nCentreAcross < nBandStart)
            return InsertBarAsFirstRow(pBar);
        bFirstRow = false;
        if (nCentreAcross >= nBandEnd)
            continue;
        int nIndex = nEnd;
        for (int i = nStart; i < nEnd; ++i)
        {
            CControlBar* pOther = GetDockedControlBar(i);
            if (pOther == nullptr || pOther == pBar || !pOther->IsVisible())
                continue;
            const CPoint ptOther = WindowRectIn(pOther, this).CenterPoint();
            if ((bHorz ? ptOther.x : ptOther.y) > nLeading)
            {
                nIndex = i;
                break;
            }
        }
        AddRunToRedrawList(nIndex);
        return InsertBarAt(nIndex, pBar);
    }
    // Beyond every row: a new last row.
    m_nNoRedraw = 1;
    return AppendRow(pBar);
}

int SECDockBar::AppendRow(CControlBar* pBar)
{
    if (m_arrBars.IsEmpty() || m_arrBars[m_arrBars.GetSize() - 1] != nullptr)
        m_arrBars.Add(nullptr);
    const int nIndex = static_cast<int>(m_arrBars.Add(pBar));
    m_arrBars.Add(nullptr);
    return nIndex;
}

void SECDockBar::AdoptBar(CControlBar* pBar)
{
    if (m_bFloating && (pBar->m_dwDockStyle & CBRS_FLOAT_MULTI))
        m_dwStyle |= CBRS_FLOAT_MULTI;
    m_dwStyle = (m_dwStyle & ~(CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC)) |
                (pBar->m_dwStyle & (CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC));
    // A mini-frame that holds one bar shows its title.
    if (m_bFloating && !(m_dwStyle & CBRS_FLOAT_MULTI))
        if (CFrameWnd* pMiniFrame = GetParentFrame())
        {
            CString strTitle;
            pBar->GetWindowText(strTitle);
            AfxSetWindowText(pMiniFrame->m_hWnd, strTitle.Left(MAX_TITLE));
            // The dock bar keeps the title for frames that take it from there.
            AfxSetWindowText(m_hWnd, strTitle.Left(MAX_TITLE));
        }
    DWORD dwStyle = (pBar->GetBarStyle() & ~CBRS_ALIGN_ANY) | (m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY;
    dwStyle = m_bFloating ? (dwStyle | CBRS_FLOATING) : (dwStyle & ~CBRS_FLOATING);
    pBar->SetBarStyle(dwStyle);
    if (pBar->GetParent() != this)
        pBar->SetParent(this);
}

void SECDockBar::ReleaseFromOldDockBar(CControlBar* pBar, int nPosExclude)
{
    CDockBar* pOld = pBar->m_pDockBar;
    if (pOld == this)
        RemoveControlBar(pBar, nPosExclude);
    else if (auto* pOldSized = DYNAMIC_DOWNCAST(SECDockBar, pOld))
        pOldSized->RemoveControlBar(pBar, -1, m_bFloating && !pOld->m_bFloating);
    else if (pOld != nullptr)
        pOld->RemoveControlBar(pBar, -1, m_bFloating && !pOld->m_bFloating);
    pBar->m_pDockBar = this;
    // A placeholder left here by an earlier float stands for nothing now.
    RemovePlaceHolder(pBar);
    AddToRedrawList(pBar);
}

void SECDockBar::DockControlBarEx(CControlBar* pBar, const RECT* lpRect)
{
    ASSERT(pBar != nullptr);
    CRect rectBar;
    pBar->GetWindowRect(&rectBar);
    const auto* pSized = DYNAMIC_DOWNCAST(SECControlBar, pBar);
    const bool bFixed = pSized == nullptr || (pSized->m_dwExStyle & CBRS_EX_FIXEDSIZE);
    CRect rect(0, 0, 0, 0);
    CPoint ptCentre(0, 0);
    if (lpRect != nullptr)
    {
        rect = *lpRect;
        ScreenToClient(&rect);
        ptCentre = CPoint(rect.left + rect.Width() / 2, rect.top + rect.Height() / 2);
    }
    if (pBar->m_pDockBar == this)
    {
        if (lpRect == nullptr ? bFixed : rectBar == *lpRect)
            return;
        if (lpRect != nullptr && !bFixed)
        {
            // Dropped where it already is: it stays put.
            const int nPos = FindBar(pBar);
            const int nInsert = FindInsertIndex(rect, ptCentre);
            if (nInsert == nPos || nInsert == nPos + 1)
                return;
        }
    }
    if (CDockBar* pOld = pBar->m_pDockBar)
    {
        CRect rectOld = rectBar;
        pOld->ScreenToClient(&rectOld);
        pOld->InvalidateRect(&rectOld);
    }
    AdoptBar(pBar);
    int nPos = 0;
    if (lpRect == nullptr)
    {
        nPos = AppendRow(pBar);
        pBar->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    else
    {
        nPos = InsertBarAtRect(pBar, rect, ptCentre);
        pBar->SetWindowPos(nullptr, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ReleaseFromOldDockBar(pBar, nPos);
    DelayLayout();
}

void SECDockBar::DockControlBarSized(SECControlBar* pBar, const SECDockPlacement& place)
{
    ASSERT(pBar != nullptr);
    AdoptBar(pBar);
    ReleaseFromOldDockBar(pBar, InsertBarAtPlace(pBar, place));
    int nSizable = 0;
    int nFixed = 0;
    NormalizeRowPercentages(RowStart(FindBar(pBar)), pBar, &nSizable, &nFixed);
    DelayLayout();
}

void SECDockBar::DockControlBarSizedAt(SECControlBar* pBar, int nColumn, int nRow)
{
    DockControlBarSized(pBar, {nRow, nColumn, 0});
}

void SECDockBar::ReDockControlBar(CControlBar* pBar, const RECT* lpRect)
{
    ASSERT(pBar != nullptr);
    const int nPos = pBar->m_hWnd != nullptr ? FindBar(static_cast<CControlBar*>(PlaceHolderOf(pBar))) : -1;
    if (nPos <= 0)
    {
        DockControlBarEx(pBar, lpRect);
        return;
    }
    AdoptBar(pBar);
    m_arrBars[nPos] = pBar;
    ReleaseFromOldDockBar(pBar, nPos);
    DelayLayout();
}

CRect SECDockBar::CalcDragDockRect(SECControlBar* pBar, const CRect& rect, CPoint point, int* pnRow,
                                   RECT* pLastRect, POINT* pLastPoint)
{
    CRect rectClient = rect;
    ScreenToClient(&rectClient);
    const CPoint ptCentre(rectClient.left + rectClient.Width() / 2, rectClient.top + rectClient.Height() / 2);

    // The start of the row the bar would enter; 0 and the list's end stand for new rows.
    int nRow = FindInsertIndex(rectClient, ptCentre);
    while (nRow > 0 && m_arrBars[nRow - 1] != nullptr)
        --nRow;
    const int nSize = static_cast<int>(m_arrBars.GetSize());
    int nOthers = 0;
    for (int nPos = nRow; nPos >= 0 && nPos < nSize; ++nPos)
    {
        CControlBar* pOther = GetDockedControlBar(nPos);
        if (pOther != nullptr && pOther != pBar)
            ++nOthers;
        if (m_arrBars[nPos] == nullptr)
            break;
    }

    CRect rectAnswer = rect;
    if (nOthers > 0 && nRow == *pnRow)
    {
        rectAnswer = *pLastRect;
        rectAnswer.OffsetRect(point.x - pLastPoint->x, point.y - pLastPoint->y);
    }
    else if (!(pBar->m_dwExStyle & CBRS_EX_FIXEDSIZE))
        FitDragDockRect(pBar, nOthers > 0 ? nRow : -1, point, rectAnswer);
    *pnRow = nRow;
    *pLastRect = rectAnswer;
    *pLastPoint = point;
    return rectAnswer;
}

void SECDockBar::FitDragDockRect(SECControlBar* pBar, int nRow, CPoint point, CRect& rect)
{
    const BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    CRect rectDock;
    GetWindowRect(&rectDock);
    if (nRow < 0)
    {
        // A row of its own spans the dock bar.
        if (bHorz)
            rect.left = rectDock.left, rect.right = rectDock.right;
        else
            rect.top = rectDock.top, rect.bottom = rectDock.bottom;
        return;
    }
    const DWORD dwMode = bHorz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK;
    const auto thickness = [&](SECControlBar* pRowBar) {
        const CSize size = pRowBar->CalcDynamicLayout(-1, dwMode);
        return static_cast<int>(bHorz ? size.cy : size.cx);
    };
    float fSum = 0.0f;
    int nThickness = 0;
    for (int nPos = nRow; nPos < m_arrBars.GetSize() && m_arrBars[nPos] != nullptr; ++nPos)
    {
        auto* pRowBar = DYNAMIC_DOWNCAST(SECControlBar, GetDockedControlBar(nPos));
        if (pRowBar == nullptr || !pRowBar->IsVisible())
            continue;
        // Over its own row the bar keeps its outline.
        if (pRowBar == pBar)
            return;
        fSum += pRowBar->m_fPctWidth;
        nThickness = std::max(nThickness, thickness(pRowBar));
    }
    if (fSum <= 0.0f)
        return;
    fSum += pBar->m_fPctWidth;
    nThickness = std::max(nThickness, thickness(pBar));
    const float fShare = pBar->m_fPctWidth / fSum;
    const int nLength = static_cast<int>(fShare * static_cast<float>(bHorz ? rectDock.Width() : rectDock.Height()));
    // The outline shrinks or grows about the mouse, which keeps its relative place.
    const auto fit = [](LONG& nLead, LONG& nTrail, int nPoint, int nExtent) {
        const int nOld = nTrail - nLead;
        const float f = nOld != 0 ? static_cast<float>(nPoint - nLead) / static_cast<float>(nOld) : 0.0f;
        const float fSlack = static_cast<float>(nOld - nExtent);
        nLead += static_cast<int>(fSlack * f);
        nTrail -= static_cast<int>((1.0f - f) * fSlack);
    };
    if (bHorz)
    {
        fit(rect.left, rect.right, point.x, nLength);
        fit(rect.top, rect.bottom, point.y, nThickness);
    }
    else
    {
        fit(rect.top, rect.bottom, point.y, nLength);
        fit(rect.left, rect.right, point.x, nThickness);
    }
}

int SECDockBar::FindInsertIndex(const CRect& rect, CPoint ptCentre)
{
    const bool bHorz = (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
    const int nBorder = SECGetAuxData()->cyBorder2;
    int nBand = 0;
    int nTotal = 0;
    int nAnswer = 0;
    for (int nPos = 0; nPos < m_arrBars.GetSize(); ++nPos)
    {
        CControlBar* pBar = GetDockedControlBar(nPos);
        if (pBar != nullptr && pBar->IsVisible())
        {
            CRect rectBar;
            pBar->GetWindowRect(&rectBar);
            ScreenToClient(&rectBar);
            nBand = std::max(nBand, bHorz ? rectBar.Height() : rectBar.Width() - 1);
            const CPoint ptBar = rectBar.CenterPoint();
            if (bHorz ? rect.left > ptBar.x : rect.top > ptBar.y)
                nAnswer = nPos;
            continue;
        }
        nTotal += nBand - nBorder;
        nBand = 0;
        if ((bHorz ? ptCentre.y : ptCentre.x) < nTotal)
            return nPos == 0 ? 0 : nAnswer + 1;
        nAnswer = nPos;
    }
    return nAnswer + 1;
}

void SECDockBar::AddToRedrawList(CControlBar* pBar)
{
    if (pBar != nullptr && !IsInRedrawList(pBar))
        m_arrRedraw.Add(pBar);
}

void SECDockBar::AddRunToRedrawList(int nIndex)
{
    const int nSize = static_cast<int>(m_arrBars.GetSize());
    const bool bTopLeft = (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_LEFT)) != 0;
    for (int i = bTopLeft ? nIndex : 0, nEnd = bTopLeft ? nSize : std::min(nIndex + 1, nSize); i < nEnd; ++i)
        AddToRedrawList(GetDockedControlBar(i));
}

BOOL SECDockBar::IsInRedrawList(CControlBar* pBar) const
{
    for (INT_PTR i = 0; i < m_arrRedraw.GetSize(); ++i)
        if (m_arrRedraw[i] == pBar)
            return TRUE;
    return FALSE;
}

void SECDockBar::RemoveFromRedrawList(CControlBar* pBar)
{
    for (INT_PTR i = m_arrRedraw.GetSize() - 1; i >= 0; --i)
        if (m_arrRedraw[i] == pBar)
            m_arrRedraw.RemoveAt(i);
}
} // namespace tarnwick::frames

namespace tarnwick::frames
{
using bars::SECCustomToolBar;
using bars::SECMenuBar;
using bars::SECStatusBar;

namespace
{
int g_nToolkitFrameFlag = 1;

// Bars the menu does not offer: they are part of the frame, not windows to show or hide.
bool IsFrameFixture(const CControlBar* pBar)
{
    return pBar->IsDockBar() || pBar->IsKindOf(RUNTIME_CLASS(SECStatusBar)) ||
           pBar->IsKindOf(RUNTIME_CLASS(SECMenuBar)) || pBar->IsKindOf(RUNTIME_CLASS(SECFrameBar));
}

bool IsToolBar(const CControlBar* pBar)
{
    return pBar->IsKindOf(RUNTIME_CLASS(SECToolBar)) || pBar->IsKindOf(RUNTIME_CLASS(SECCustomToolBar));
}
} // namespace

void SECDockBar::SetToolkitFrameFlag(int nFlag)
{
    g_nToolkitFrameFlag = nFlag;
}

int SECDockBar::GetToolkitFrameFlag()
{
    return g_nToolkitFrameFlag;
}

void SECDockBar::BuildBarMenu(CMenu& menu)
{
    m_mapBarCommands.RemoveAll();
    CFrameWnd* pFrame = m_pDockSite != nullptr ? m_pDockSite : GetParentFrame();
    if (pFrame == nullptr)
        return;
    UINT nNextID = ID_FIRST_BAR_COMMAND;
    UINT nFront = 0;
    menu.AppendMenu(MF_SEPARATOR);
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != nullptr && nNextID <= ID_LAST_BAR_COMMAND;)
    {
        auto* pBar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
        CString strTitle;
        pBar->GetWindowText(strTitle);
        if (strTitle.IsEmpty() || IsFrameFixture(pBar))
            continue;
        const UINT nFlags = MF_STRING | ((pBar->GetStyle() & WS_VISIBLE) ? MF_CHECKED : MF_UNCHECKED);
        if (IsToolBar(pBar))
            menu.AppendMenu(nFlags, nNextID, strTitle);
        else
            menu.InsertMenu(nFront++, nFlags | MF_BYPOSITION, nNextID, strTitle);
        m_mapBarCommands.SetAt(nNextID++, DYNAMIC_DOWNCAST(SECControlBar, pBar));
    }
    // The separator parts the two groups only when both have bars.
    const UINT nCount = menu.GetMenuItemCount();
    if (nCount > 0 && (menu.GetMenuState(nCount - 1, MF_BYPOSITION) & MF_SEPARATOR))
        menu.DeleteMenu(nCount - 1, MF_BYPOSITION);
    else if (menu.GetMenuItemCount() > 0 && (menu.GetMenuState(0, MF_BYPOSITION) & MF_SEPARATOR))
        menu.DeleteMenu(0, MF_BYPOSITION);
}

void SECDockBar::OnContextMenu(CWnd*, CPoint point)
{
    if (g_nToolkitFrameFlag == 0)
    {
        Default();
        return;
    }
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    BuildBarMenu(menu);
    if (menu.GetMenuItemCount() > 0)
        menu.TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, this);
}

void SECDockBar::OnBarCommand(UINT nID)
{
    SECControlBar* pBar = nullptr;
    if (m_mapBarCommands.Lookup(nID, pBar) && pBar != nullptr)
        pBar->ToggleVisible();
    m_mapBarCommands.RemoveAll();
}
} // namespace tarnwick::frames
