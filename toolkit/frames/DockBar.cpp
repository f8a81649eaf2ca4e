// SECDockBar: the bar list in rows, shares within a row and placement of bars.
#include <toolkit/foundation/AuxData.h>
#include <toolkit/frames/ControlBar.h>
#include <toolkit/frames/DockBar.h>

#include <algorithm>
#include <climits>

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

bool HasOwnRow(const SECControlBar* pBar)
{
    return pBar != nullptr && (pBar->m_dwExStyle & CBRS_EX_OWNROW);
}
} // namespace

SECDockBar::SECDockBar(BOOL bFloating, BOOL bMDIChild)
    : CDockBar(bFloating), m_bMDIChild(bMDIChild), m_pNewBar(nullptr), m_nNoRedraw(0),
      m_fMinimumShare(DEFAULT_MINIMUM_SHARE)
{
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

CSize SECDockBar::CalcFixedLayout(BOOL, BOOL)
{
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
        m_splitters.clear();
        m_clientEdges.clear();
    }
    HDWP hdwp = m_bLayoutQuery ? nullptr : ::BeginDeferWindowPos(static_cast<int>(m_arrBars.GetSize()));
    // The side the rows stack away from decides where splitters and edges go.
    const bool bFarSide = (m_dwStyle & (CBRS_ALIGN_BOTTOM | CBRS_ALIGN_RIGHT)) != 0;
    int nOffset = bFarSide ? 1 : 0;
    auto across = [&](int nFrom, int nThickness) {
        return bHorz ? CRect(0, nFrom, nRowLength, nFrom + nThickness)
                     : CRect(nFrom, 0, nFrom + nThickness, nRowLength);
    };
    auto addEdge = [&]() {
        if (!m_bLayoutQuery)
            m_clientEdges.push_back(across(nOffset, CLIENT_EDGE));
        nOffset += CLIENT_EDGE;
    };
    auto addRowSplitter = [&](int nStart) {
        if (!m_bLayoutQuery)
            m_splitters.push_back({across(nOffset, SPLITTER), SPLIT_ROWS, nStart});
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
        const bool bFrame = nSizable > 0 && !m_bFloating;
        if (bFrame)
            bFarSide ? addRowSplitter(nStart) : addEdge();
        nOffset += LayoutRow(nStart, nOffset, nRowLength, hdwp);
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
    if (hdwp != nullptr)
        ::EndDeferWindowPos(hdwp);
    m_pNewBar = nullptr;
    const int nThickness = bAnyBar ? nOffset + 2 : 0;
    return bHorz ? CSize(nRowLength, nThickness) : CSize(nThickness, nRowLength);
}

int SECDockBar::LayoutRow(int nStart, int nOffset, int nRowLength, HDWP& hdwp)
{
    const bool bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    // Lengths run along x in top and bottom dock bars, along y in the others; the thickness
    // is committed in the other direction.
    const DWORD dwMode = bHorz ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK | LM_LENGTHY;
    const int nEnd = RowEnd(nStart);
    int nVisible = 0;
    bool bSizable = false;
    int nLastSizable = -1;
    for (int i = nStart; i < nEnd; ++i)
    {
        if (!IsVisibleEntry(i))
            continue;
        ++nVisible;
        const SECControlBar* pBar = GetSizeableBar(i);
        if (pBar != nullptr && !(pBar->m_dwExStyle & CBRS_EX_FIXEDSIZE))
        {
            bSizable = true;
            nLastSizable = i;
        }
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
        if (bSizable && pSized != nullptr)
        {
            pSized->m_dwExStyle &= ~CBRS_EX_FIXEDROW;
            size = pBar->CalcDynamicLayout(nRowLength - SPLITTER * (nVisible - 1), dwMode | LM_STRETCH | LM_COMMIT);
        }
        else
        {
            if (pSized != nullptr)
                pSized->m_dwExStyle |= CBRS_EX_FIXEDROW;
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
        if (!bFixedSize && bSizable)
            pBar->CalcDynamicLayout(nThickness, (dwMode ^ LM_LENGTHY) | LM_COMMIT);
        const CSize size = pBar->CalcDynamicLayout(-1, dwMode);
        int nLength = bHorz ? size.cx : size.cy;
        const int nAcross = bFixedSize ? (bHorz ? size.cy : size.cx) : nThickness;
        // Rounding goes to the last sizeable bar: the row ends flush.
        if (i == nLastSizable)
            nLength = std::max(nRowLength - nAlong, 0);
        MoveBar(pBar,
                bHorz ? CRect(nAlong, nOffset, nAlong + nLength, nOffset + nAcross)
                      : CRect(nOffset, nAlong, nOffset + nAcross, nAlong + nLength),
                hdwp);
        nAlong += nLength;
        int nNext = i + 1;
        while (nNext < nEnd && !IsVisibleEntry(nNext))
            ++nNext;
        if (bSizable && nNext < nEnd)
        {
            if (!m_bLayoutQuery)
                m_splitters.push_back({bHorz ? CRect(nAlong, nOffset, nAlong + SPLITTER, nOffset + nThickness)
                                             : CRect(nOffset, nAlong, nOffset + nThickness, nAlong + SPLITTER),
                                       SPLIT_BARS, i});
            nAlong += SPLITTER;
        }
    }
    return nThickness;
}

void SECDockBar::MoveBar(CControlBar* pBar, const CRect& rect, HDWP& hdwp)
{
    if (hdwp == nullptr || pBar->m_hWnd == nullptr)
        return;
    CRect rectOld;
    pBar->GetWindowRect(&rectOld);
    ScreenToClient(&rectOld);
    if (rectOld == rect)
        return;
    UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (rectOld.Size() == rect.Size())
        nFlags |= SWP_NOSIZE;
    else
        AddToRedrawList(pBar);
    hdwp = ::DeferWindowPos(hdwp, pBar->m_hWnd, nullptr, rect.left, rect.top, rect.Width(), rect.Height(), nFlags);
}

int SECDockBar::RowLength() const
{
    CRect rect(0, 0, 0, 0);
    if (m_hWnd != nullptr)
        GetClientRect(&rect);
    return (m_dwStyle & CBRS_ORIENT_HORZ) ? rect.Width() : rect.Height();
}

void SECDockBar::CalcSplitterLimits(const SplitterPlace& splitter, int& nMin, int& nMax)
{
    const bool bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    if (splitter.nKind == SPLIT_BARS)
    {
        int nBefore = 0;
        int nAfter = 0;
        for (int i = RowStart(splitter.nIndex), nEnd = RowEnd(splitter.nIndex); i < nEnd; ++i)
            if (IsVisibleEntry(i))
                ++(i <= splitter.nIndex ? nBefore : nAfter);
        nMin = MIN_BAR_LENGTH * nBefore;
        nMax = RowLength() - MIN_BAR_LENGTH * nAfter;
        return;
    }
    int nThickness = 0;
    for (int i = splitter.nIndex, nEnd = RowEnd(splitter.nIndex); i < nEnd; ++i)
        if (IsVisibleEntry(i))
        {
            CRect rect;
            GetDockedControlBar(i)->GetWindowRect(&rect);
            nThickness = std::max<int>(nThickness, bHorz ? rect.Height() : rect.Width());
        }
    const int nAt = bHorz ? splitter.rect.top : splitter.rect.left;
    // The row lies after its splitter in bottom and right dock bars, before it in the others.
    if (m_dwStyle & (CBRS_ALIGN_BOTTOM | CBRS_ALIGN_RIGHT))
    {
        nMin = nAt - INT_MAX / 4;
        nMax = nAt + nThickness - MIN_ROW_THICKNESS + SPLITTER;
    }
    else
    {
        nMin = nAt - nThickness + MIN_ROW_THICKNESS;
        nMax = nAt + INT_MAX / 4;
    }
}

void SECDockBar::MoveSplitter(const SplitterPlace& splitter, int nDelta)
{
    m_nNoRedraw = 1;
    const int nStart = RowStart(splitter.nIndex);
    const int nEnd = RowEnd(splitter.nIndex);
    if (splitter.nKind == SPLIT_ROWS)
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
    const int nLength = RowLength() - SPLITTER * nVisible;
    if (nLength <= 0 || nDelta == 0)
        return;
    // The bar on the side the splitter moves towards gives up its share first, then the
    // next ones; the bar on the other side takes all of it.
    auto nextVisible = [&](int i, int nStep) {
        while (i >= nStart && i < nEnd && (GetSizeableBar(i) == nullptr || !IsVisibleEntry(i)))
            i += nStep;
        return i;
    };
    const int nStep = nDelta > 0 ? 1 : -1;
    SECControlBar* pGainer = GetSizeableBar(nDelta > 0 ? splitter.nIndex : nextVisible(splitter.nIndex + 1, 1));
    if (pGainer == nullptr)
        return;
    const float fDelta = static_cast<float>(std::abs(nDelta)) / static_cast<float>(nLength);
    float fLeft = fDelta;
    for (int i = nextVisible(nDelta > 0 ? splitter.nIndex + 1 : splitter.nIndex, nStep);
         i >= nStart && i < nEnd && fLeft > 0.0f; i = nextVisible(i + nStep, nStep))
    {
        SECControlBar* pBar = GetSizeableBar(i);
        fLeft = -AddPercent(-fLeft, pBar);
        AddToRedrawList(pBar);
    }
    pGainer->m_fPctWidth += fDelta - fLeft;
    AddToRedrawList(pGainer);
}

void SECDockBar::TrackSplitter(const SplitterPlace& splitter, CPoint point)
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame == nullptr)
        return;
    int nMin = 0;
    int nMax = 0;
    CalcSplitterLimits(splitter, nMin, nMax);
    const int nDelta = DragSplitter(splitter, point, nMin, nMax);
    if (nDelta != 0)
    {
        MoveSplitter(splitter, nDelta);
        pFrame->DelayRecalcLayout(TRUE);
    }
}

int SECDockBar::DragSplitter(const SplitterPlace& splitter, CPoint point, int nMin, int nMax)
{
    if (::GetCapture() != nullptr)
        return 0;
    // A vertical splitter parts bars of a top or bottom row and is dragged along x.
    const bool bAlongX = (splitter.nKind == SPLIT_BARS) == ((m_dwStyle & CBRS_ORIENT_HORZ) != 0);
    const int nStartAt = bAlongX ? splitter.rect.left : splitter.rect.top;
    const int nGrab = (bAlongX ? point.x : point.y) - nStartAt;
    int nAt = nStartAt;
    SetCapture();
    bool bDone = false;
    bool bCancelled = false;
    MSG msg;
    while (!bDone && ::GetCapture() == m_hWnd && ::GetMessage(&msg, nullptr, 0, 0))
    {
        switch (msg.message)
        {
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE)
                bDone = bCancelled = true;
            break;
        case WM_RBUTTONDOWN:
            bDone = bCancelled = true;
            break;
        case WM_TIMER:
            break;
        case WM_MOUSEMOVE: {
            CPoint pt(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
            ::MapWindowPoints(msg.hwnd, m_hWnd, &pt, 1);
            nAt = std::clamp(static_cast<int>(bAlongX ? pt.x : pt.y) - nGrab, nMin, std::max(nMin, nMax - SPLITTER));
            break;
        }
        case WM_LBUTTONUP:
            bDone = true;
            break;
        default:
            ::DispatchMessage(&msg);
            break;
        }
    }
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    return bCancelled ? 0 : nAt - nStartAt;
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

int SECDockBar::InsertBarAt(int nIndex, SECControlBar* pBar)
{
    m_arrBars.InsertAt(nIndex, pBar);
    const bool bOwnRow = HasOwnRow(pBar);
    const CControlBar* pNext = nIndex + 1 < m_arrBars.GetSize() ? GetDockedControlBar(nIndex + 1) : nullptr;
    const CControlBar* pPrev = nIndex > 0 ? GetDockedControlBar(nIndex - 1) : nullptr;
    const auto* pNextSized = DYNAMIC_DOWNCAST(SECControlBar, const_cast<CControlBar*>(pNext));
    const auto* pPrevSized = DYNAMIC_DOWNCAST(SECControlBar, const_cast<CControlBar*>(pPrev));
    // A bar that keeps a row of its own is parted from any neighbour; another bar only from
    // such a bar.
    if (pNext != nullptr && (bOwnRow || HasOwnRow(pNextSized)))
        m_arrBars.InsertAt(nIndex + 1, static_cast<void*>(nullptr));
    if (pPrev != nullptr && (bOwnRow || HasOwnRow(pPrevSized)))
        m_arrBars.InsertAt(nIndex++, static_cast<void*>(nullptr));
    return nIndex;
}

int SECDockBar::InsertBarAsFirstRow(SECControlBar* pBar)
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
    if (pBar != nullptr)
        m_arrRedraw.Add(pBar);
}

void SECDockBar::AddRunToRedrawList(int nIndex)
{
    const int nSize = static_cast<int>(m_arrBars.GetSize());
    const bool bTopLeft = m_dwStyle < CBRS_ALIGN_RIGHT;
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
