// Scrolling: the top row and left column, bringing a cell into view, scrolling by rows or
// columns while repainting only what was uncovered, and the two scroll bars that mirror the
// position. Rows and columns share one implementation through GXGridAxis.
#include <grid/core/GridCore.h>

#include <grid/controls/Control.h>
#include <grid/core/GridAxis.h>
#include <grid/core/GridParam.h>

#include <algorithm>

namespace
{
constexpr UINT_PTR nAutoScrollTimer = 992;
// Scroll-bar modes: the low bits say when the bar shows, bit 8 asks for a proportional thumb.
constexpr int nModeShowMask = 7;
constexpr int nModeAlways = 1;
constexpr int nModeWhenNeeded = 2;
constexpr int nModeKeepRange = 4;
constexpr int nModeProportional = 8;
constexpr int nMaxScrollValue = 32767;
} // namespace

void CGXGridCore::SetTopRow(ROWCOL nRow, UINT flags, BOOL bHint)
{
    SetFirst(TRUE, nRow, flags, bHint);
}

void CGXGridCore::SetLeftCol(ROWCOL nCol, UINT flags, BOOL bHint)
{
    SetFirst(FALSE, nCol, flags, bHint);
}

void CGXGridCore::SetFirst(BOOL bRows, ROWCOL nFirst, UINT flags, BOOL bHint)
{
    const GXGridAxis axis(*this, bRows);
    nFirst = std::max<ROWCOL>(std::min(nFirst, axis.Count()), 1);
    m_nLastVisibleRow = GX_INVALID;
    m_nLastVisibleCol = GX_INVALID;
    if (m_bPrinting)
        axis.PrintFirstField() = nFirst;
    else
    {
        const BOOL bLocked = m_pParam != nullptr && m_pParam->m_bLockUpdate;
        const ROWCOL nFirstScrollable = axis.Frozen() + 1;
        // Under the update lock the hook sees the row as asked; otherwise as raised.
        if (!bLocked)
            nFirst = std::max(nFirst, nFirstScrollable);
        if (bLocked || (flags & GX_UPDATEBITS) == 0)
        {
            if (!axis.CanChangeFirst(nFirst))
                return;
            nFirst = std::max(nFirst, nFirstScrollable);
            axis.FirstField() = nFirst;
            if (!bLocked && (flags & GX_INVALIDATE) != 0)
            {
                UpdateScrollbars(FALSE, FALSE);
                CRect rect;
                if (m_pGridWnd != nullptr && m_pGridWnd->GetSafeHwnd() != nullptr)
                    m_pGridWnd->InvalidateRect(GetGridRect(&rect), TRUE);
            }
            axis.OnFirstChanged();
        }
        else
        {
            const ROWCOL nOld = axis.FirstField();
            if (nFirst != nOld)
                DoScroll(axis.Direction(nFirst < nOld), nFirst < nOld ? nOld - nFirst : nFirst - nOld);
            if ((flags & GX_UPDATENOW) != 0 && m_pGridWnd != nullptr && m_pGridWnd->GetSafeHwnd() != nullptr)
                m_pGridWnd->UpdateWindow();
        }
    }
    if (CGXAbstractGridUpdateHintImp* pHints = HintSender(bHint))
        bRows ? pHints->HintTopRow(this, nFirst, flags) : pHints->HintLeftCol(this, nFirst, flags);
}

BOOL CGXGridCore::ScrollCellInView(ROWCOL nRow, ROWCOL nCol, UINT flags, BOOL bFloatCell)
{
    if (m_bSkipScrollInView)
    {
        m_bSkipScrollInView = FALSE;
        return FALSE;
    }
    CRect rectGrid;
    GetGridRect(&rectGrid);

    // A frozen cell of a block that reaches into the scrollable area scrolls that area instead.
    const ROWCOL nFrozenRows = GetFrozenRows();
    const ROWCOL nFrozenCols = GetFrozenCols();
    auto spanIntoScrollable = [&](CGXRange* pRange) {
        if (pRange == nullptr)
            return;
        if (IsFrozenRow(nRow) && pRange->bottom > nFrozenRows)
            nRow = nFrozenRows + 1;
        if (IsFrozenCol(nCol) && pRange->right > nFrozenCols)
            nCol = nFrozenCols + 1;
    };
    CGXRange range;
    spanIntoScrollable(GetCoveredCellsRowCol(nRow, nCol, range));
    if (bFloatCell)
        spanIntoScrollable(GetFloatedCellsRowCol(nRow, nCol, range));

    const BOOL bRowsChanged = ScrollCellAxisInView(TRUE, nRow, rectGrid, flags);
    const BOOL bColsChanged = ScrollCellAxisInView(FALSE, nCol, rectGrid, flags);
    if ((flags & GX_UPDATEBITS) != 0 && m_pGridWnd != nullptr && m_pGridWnd->GetSafeHwnd() != nullptr)
        m_pGridWnd->UpdateWindow();
    return bRowsChanged || bColsChanged;
}

BOOL CGXGridCore::ScrollCellAxisInView(BOOL bRows, ROWCOL nIndex, const CRect& rectGrid, UINT flags)
{
    const GXGridAxis axis(*this, bRows);
    const ROWCOL nFirst = axis.First();
    // A row (column) past the end brings the last one into view.
    nIndex = std::min(nIndex, axis.Count());
    if (nIndex <= axis.Frozen() || nIndex == nFirst)
        return FALSE;
    if (nIndex < nFirst)
    {
        SetFirst(bRows, nIndex, flags, TRUE);
        return axis.First() != nFirst;
    }
    BOOL bPastEnd = FALSE;
    const ROWCOL nLast = bRows ? CalcBottomRowInRectEx(&rectGrid, &bPastEnd) : CalcRightColInRectEx(&rectGrid, &bPastEnd);
    if (nIndex < nLast)
        return FALSE;
    // The grid's last row (column) that ends inside the rectangle is in view already.
    const int nExtent = bRows ? rectGrid.Height() : rectGrid.Width();
    if (nLast == axis.Count() && (bPastEnd || axis.SumOfClientSizes(0, axis.ToVisible(nLast), 0) <= nExtent))
        return FALSE;

    if (CGXControl* pControl = GetCurrentCellControl())
    {
        MSG msg = {};
        msg.hwnd = m_pGridWnd != nullptr ? m_pGridWnd->GetSafeHwnd() : nullptr;
        msg.message = bRows ? WM_VSCROLL : WM_HSCROLL;
        pControl->OnGridScroll(msg);
    }
    // The new first row (column) is the smallest one that still shows the cell whole.
    int nSum = axis.Size(nIndex) + axis.SumOfSizes(0, axis.Frozen(), 0);
    ROWCOL n = nIndex;
    while (nSum < nExtent && n >= 2)
        nSum += axis.Size(--n);
    if (nSum > nExtent && n != nIndex)
        ++n;
    SetFirst(bRows, std::min(n, axis.Count()), flags, TRUE);
    if ((flags & GX_UPDATEBITS) != 0 && m_pGridWnd != nullptr && m_pGridWnd->GetSafeHwnd() != nullptr)
        m_pGridWnd->UpdateWindow();
    return axis.First() != nFirst;
}

BOOL CGXGridCore::DoScroll(int nDirection, ROWCOL nCount)
{
    const BOOL bRows = nDirection == 1 || nDirection == 3;
    const BOOL bBack = nDirection == 1 || nDirection == 2;
    if (nDirection < 1 || nDirection > 4)
        return FALSE;
    m_bScrolling = TRUE;
    const BOOL bScrolled = DoScrollAxis(bRows, bBack, nCount);
    if (!m_bNoUpdateAfterScroll && m_pGridWnd != nullptr && m_pGridWnd->GetSafeHwnd() != nullptr)
        m_pGridWnd->UpdateWindow();
    m_bScrolling = FALSE;
    m_nPrevTopRow = 0;
    m_nPrevLeftCol = 0;
    FreeObjectCache();
    return bScrolled;
}

BOOL CGXGridCore::DoScrollAxis(BOOL bRows, BOOL bBack, ROWCOL nCount)
{
    const GXGridAxis axis(*this, bRows);
    const ROWCOL nFirst = axis.First();
    const ROWCOL nFirstScrollable = axis.Frozen() + 1;
    m_nLastVisibleRow = GX_INVALID;
    m_nLastVisibleCol = GX_INVALID;
    CGXControl* pControl = nullptr;
    CRect rectCurrent;
    if (m_bCurrentCell)
    {
        pControl = GetControl(m_nCurrentRow, m_nCurrentCol);
        rectCurrent = CalcRectFromRowCol(m_nCurrentRow, m_nCurrentCol);
    }

    // The scrolling area: the grid rectangle less the headers and the frozen rows (columns).
    CRect rectArea;
    GetGridRect(&rectArea);
    axis.Start(rectArea) += axis.SumOfSizes(0, axis.Frozen(), 0);
    const int nAreaExtent = std::max(0, static_cast<int>(axis.End(rectArea) - axis.Start(rectArea)));

    ROWCOL nNewFirst;
    int nDistance = 0;
    if (bBack)
    {
        const ROWCOL nTarget = nCount < nFirst ? std::max(nFirst - nCount, nFirstScrollable) : nFirstScrollable;
        if (nTarget >= nFirst)
            return FALSE;
        // Hidden rows (columns) right above the target go along with it.
        ROWCOL n = nFirst;
        while (n > nFirstScrollable && nDistance < nAreaExtent && !(n <= nTarget && axis.Size(n - 1) != 0))
            nDistance += axis.Size(--n);
        nNewFirst = std::max<ROWCOL>(std::min(n, nTarget), 1);
    }
    else
    {
        const ROWCOL nLastUseful = CalcLastUsefulFirst(bRows);
        const ROWCOL nMax = nLastUseful > nFirst ? nLastUseful - nFirst : 0;
        if (nMax == 0 || nCount == 0)
            return FALSE;
        // A hidden last row (column) of the scrolled-out ones takes the next one along.
        for (ROWCOL n = nFirst + nCount - 1; nCount < nMax && axis.Size(n) == 0; ++n)
            ++nCount;
        nCount = std::min(nCount, nMax);
        nDistance = axis.SumOfSizes(nFirst, nFirst + nCount - 1, nAreaExtent);
        nNewFirst = nFirst + nCount;
    }

    OnBeforeScroll(0, 0, TRUE, 0);
    if (!axis.CanChangeFirst(nNewFirst))
        return FALSE;

    // Merged blocks that cross the frozen edge are repainted whole after the move.
    CArray<CRect, const CRect&> mergedRects;
    if (m_pParam != nullptr && m_pParam->m_wMergeCellsMode != 0 && m_pMergeCellsImp != nullptr)
    {
        const ROWCOL nOtherFirst = bRows ? GetLeftCol() : GetTopRow();
        const ROWCOL nOtherLast = bRows ? GetLastVisibleCol() : GetLastVisibleRow();
        for (ROWCOL n = nOtherFirst; n <= nOtherLast && n != GX_INVALID; ++n)
        {
            CGXRange merged;
            if (GetMergedCellsRowCol(bRows ? nNewFirst : n, bRows ? n : nNewFirst, merged) == nullptr ||
                (bRows ? merged.top : merged.left) >= nNewFirst)
                continue;
            CRect rect;
            CalcRectFromRowColEx(&rect, merged.top, merged.left, merged.bottom, merged.right, TRUE);
            CRect rectGrid;
            GetGridRect(&rectGrid);
            axis.Start(rect) = axis.Start(rectArea);
            axis.End(rect) = axis.End(rectGrid);
            mergedRects.Add(rect);
            n = bRows ? merged.right : merged.bottom;
        }
    }

    RefreshExcelLikeFrame();
    axis.PrevFirstField() = nFirst;
    (m_bPrinting ? axis.PrintFirstField() : axis.FirstField()) = nNewFirst;

    // An active control whose cell left the area hides unless it asks to stay.
    if (pControl != nullptr && pControl->IsActive() &&
        !(bRows ? IsFrozenRow(m_nCurrentRow) : IsFrozenCol(m_nCurrentCol)) &&
        !rectArea.PtInRect(rectCurrent.TopLeft()) && !pControl->ReservedQuery())
        pControl->HideControl();

    CWnd* pWnd = m_pGridWnd != nullptr && m_pGridWnd->GetSafeHwnd() != nullptr ? m_pGridWnd : nullptr;
    if (pWnd != nullptr)
    {
        if (nDistance < nAreaExtent)
        {
            const int nShift = bBack ? nDistance : -nDistance;
            ScrollWindow(bRows ? 0 : nShift, bRows ? nShift : 0, &rectArea, &rectArea);
        }
        else
        {
            pWnd->InvalidateRect(&rectArea, TRUE);
            mergedRects.RemoveAll();
        }
    }

    SetScrollPos(axis.Bar(), axis.First(), TRUE);
    if (bBack && (GetScrollBarMode(axis.Bar()) & nModeWhenNeeded) != 0 && axis.First() == nFirstScrollable)
        UpdateScrollbars(TRUE, FALSE);
    RefreshExcelLikeFrame();
    axis.OnFirstChanged();
    for (INT_PTR i = 0; pWnd != nullptr && i < mergedRects.GetSize(); ++i)
        pWnd->InvalidateRect(&mergedRects[i], TRUE);
    return TRUE;
}

// The smallest first row (column) from which every row (column) to the end fits the area.
ROWCOL CGXGridCore::CalcLastUsefulFirst(BOOL bRows)
{
    const GXGridAxis axis(*this, bRows);
    const ROWCOL nFirstScrollable = axis.Frozen() + 1;
    const ROWCOL nCount = axis.Count();
    if (nCount <= nFirstScrollable)
        return nFirstScrollable;
    CRect rect;
    GetGridRect(&rect);
    const int nAvailable = axis.End(rect) - axis.Start(rect) - axis.SumOfSizes(0, axis.Frozen(), 0);
    ROWCOL n = nCount;
    int nSum = axis.Size(n);
    while (n > nFirstScrollable && nSum + axis.Size(n - 1) <= nAvailable)
        nSum += axis.Size(--n);
    return n;
}

BOOL CGXGridCore::ScrollAndHint(int nDirection, ROWCOL nCount)
{
    if (!DoScroll(nDirection, nCount))
        return FALSE;
    if (CGXAbstractGridUpdateHintImp* pHints = HintSender(TRUE))
        pHints->HintScroll(this, nDirection);
    return TRUE;
}

void CGXGridCore::UpdateScrollbars(BOOL bNoRepaint, BOOL bOnlyIfCountChanged)
{
    CWnd* pWnd = m_pGridWnd != nullptr && m_pGridWnd->GetSafeHwnd() != nullptr ? m_pGridWnd : nullptr;
    if (pWnd == nullptr || !m_bInitDone || m_bUpdateScrollbarsBusy || m_bLockScrollbars ||
        (m_pParam != nullptr && m_pParam->m_bLockUpdate))
        return;
    if (!m_bUpdateScrollbarsHidden && !pWnd->IsWindowVisible() && GetRegisteredParent() != nullptr)
        return;
    if (m_bPrinting)
    {
        ShowScrollBar(SB_HORZ, FALSE);
        ShowScrollBar(SB_VERT, FALSE);
        return;
    }
    CRect rectClient;
    pWnd->GetClientRect(&rectClient);
    const ROWCOL nRows = GetScrollBarMode(SB_VERT) != 0 ? GetRowCount() : 0;
    const ROWCOL nCols = GetScrollBarMode(SB_HORZ) != 0 ? GetColCount() : 0;
    if ((GetScrollBarMode(SB_VERT) == 0 && GetScrollBarMode(SB_HORZ) == 0) || rectClient.IsRectEmpty() ||
        (bOnlyIfCountChanged && nRows == m_nLastRowCount && nCols == m_nLastColCount))
        return;

    m_nLastVisibleRow = GX_INVALID;
    m_nLastVisibleCol = GX_INVALID;
    ROWCOL anLastUseful[2];
    for (const BOOL bRows : {TRUE, FALSE})
    {
        const GXGridAxis axis(*this, bRows);
        const ROWCOL nLastUseful = CalcLastUsefulFirst(bRows);
        anLastUseful[bRows] = nLastUseful;
        // A proportional bar pulls back a first row (column) that shows empty space at the end.
        if ((GetScrollBarMode(axis.Bar()) & nModeProportional) != 0 && axis.First() > axis.Frozen() + 1 &&
            axis.First() > nLastUseful)
        {
            SetFirst(bRows, nLastUseful, GX_UPDATENOW, TRUE);
            pWnd->UpdateWindow();
        }
    }

    m_bUpdateScrollbarsBusy = TRUE;
    BOOL abChanged[2] = {FALSE, FALSE};
    for (const BOOL bRows : {TRUE, FALSE})
        UpdateScrollbar(bRows, anLastUseful[bRows], abChanged[bRows]);
    if (!bNoRepaint)
    {
        pWnd->UpdateWindow();
        for (const BOOL bRows : {FALSE, TRUE})
        {
            if (!abChanged[bRows])
                continue;
            m_sizeClientCache = CSize(0, 0);
            pWnd->GetClientRect(&rectClient);
            CRect rectStrip(rectClient);
            if (bRows)
                rectStrip.left = rectStrip.right - 2 * ::GetSystemMetrics(SM_CXVSCROLL);
            else
                rectStrip.top = rectStrip.bottom - 2 * ::GetSystemMetrics(SM_CYHSCROLL);
            pWnd->InvalidateRect(&rectStrip, TRUE);
            pWnd->UpdateWindow();
        }
    }
    if (GetScrollBarMode(SB_VERT) != 0)
        SetScrollPos(SB_VERT, GetTopRow(), TRUE);
    if (GetScrollBarMode(SB_HORZ) != 0)
        SetScrollPos(SB_HORZ, GetLeftCol(), TRUE);
    m_nLastRowCount = nRows;
    m_nLastColCount = nCols;
    m_bUpdateScrollbarsBusy = FALSE;
}

void CGXGridCore::UpdateScrollbar(BOOL bRows, ROWCOL nLastUseful, BOOL& bChanged)
{
    const GXGridAxis axis(*this, bRows);
    const int nBar = axis.Bar();
    const ROWCOL nFirstScrollable = axis.Frozen() + 1;
    const BOOL bShown = (m_pGridWnd->GetStyle() & (bRows ? WS_VSCROLL : WS_HSCROLL)) != 0;
    int nShow = GetScrollBarMode(nBar) & nModeShowMask;
    if (nShow == nModeWhenNeeded)
        nShow = axis.First() <= nFirstScrollable && nLastUseful <= nFirstScrollable ? 0 : nModeAlways;
    if (nShow == 0)
    {
        if (bShown)
        {
            ShowScrollBar(nBar, FALSE);
            bChanged = TRUE;
        }
        return;
    }
    SetScrollRange(nBar, static_cast<int>(nFirstScrollable), static_cast<int>(nLastUseful), FALSE);
    if (nShow == nModeKeepRange)
    {
        SetScrollPos(nBar, static_cast<int>(axis.First()), TRUE);
        return;
    }
    SetScrollPos(nBar, static_cast<int>(axis.First()), FALSE);
    if (!bShown)
    {
        ShowScrollBar(nBar, TRUE);
        bChanged = TRUE;
    }
}

void CGXGridCore::SetScrollBarMode(int nBar, int nMode, BOOL bApply)
{
    for (const int nOne : {SB_HORZ, SB_VERT})
    {
        if (nBar != nOne && nBar != SB_BOTH)
            continue;
        m_anScrollBarMode[nOne == SB_VERT ? 1 : 0] = nMode;
        if (!bApply)
            continue;
        if (nMode == 0)
            ShowScrollBar(nOne, FALSE);
        else if ((nMode & nModeAlways) != 0)
            ShowScrollBar(nOne, TRUE);
        else if ((nMode & nModeWhenNeeded) != 0)
            UpdateScrollbars(TRUE, FALSE);
    }
}

int CGXGridCore::GetScrollBarMode(int nBar) const
{
    if (nBar != SB_VERT && nBar != SB_HORZ)
        return 0;
    return m_anScrollBarMode[nBar == SB_VERT ? 1 : 0];
}

void CGXGridCore::SetScrollRange(int nBar, int nMin, int nMax, BOOL bRedraw)
{
    const int nMode = GetScrollBarMode(nBar);
    if (nMode == 0 || m_pGridWnd == nullptr || m_pGridWnd->GetSafeHwnd() == nullptr)
        return;
    const HWND hWnd = m_pGridWnd->GetSafeHwnd();
    SCROLLINFO info = {};
    info.cbSize = sizeof(SCROLLINFO);
    info.fMask = SIF_ALL;
    const BOOL bRead = ::GetScrollInfo(hWnd, nBar, &info);

    const int nScale = nMax / nMaxScrollValue + 1;
    m_anScrollScale[nBar == SB_VERT ? 1 : 0] = nScale;
    UINT nPage = 0;
    if ((nMode & nModeProportional) != 0 && bRead)
    {
        const int nCount = static_cast<int>(std::min<ROWCOL>(nBar == SB_VERT ? GetRowCount() : GetColCount(), INT_MAX - 1));
        nPage = static_cast<UINT>(std::max(0, nCount + 1 - nMax) / nScale);
        nMax = nCount;
    }
    nMax /= nScale;
    if (nMax < nMin)
    {
        nMin = nMax;
        nPage = 1;
    }
    info.fMask = SIF_RANGE | SIF_PAGE;
    info.nMin = nMin;
    info.nMax = nMax;
    info.nPage = nPage;
    if (bRead)
        ::SetScrollInfo(hWnd, nBar, &info, bRedraw);
    else
        ::SetScrollRange(hWnd, nBar, nMin, nMax, bRedraw);
    m_bScrollRangeSet = TRUE;
}

int CGXGridCore::SetScrollPos(int nBar, int nPos, BOOL bRedraw)
{
    if (GetScrollBarMode(nBar) == 0 || m_pGridWnd == nullptr || m_pGridWnd->GetSafeHwnd() == nullptr)
        return 0;
    const int nScale = GetScrollScale(nBar);
    return ::SetScrollPos(m_pGridWnd->GetSafeHwnd(), nBar, nPos / nScale, bRedraw) * nScale;
}

int CGXGridCore::GetScrollPos(int nBar)
{
    if (m_pGridWnd == nullptr || m_pGridWnd->GetSafeHwnd() == nullptr)
        return 0;
    return ::GetScrollPos(m_pGridWnd->GetSafeHwnd(), nBar) * GetScrollScale(nBar);
}

void CGXGridCore::GetScrollRange(int nBar, int* pMin, int* pMax)
{
    *pMin = 0;
    *pMax = 0;
    if (m_pGridWnd == nullptr || m_pGridWnd->GetSafeHwnd() == nullptr)
        return;
    ::GetScrollRange(m_pGridWnd->GetSafeHwnd(), nBar, pMin, pMax);
    *pMin *= GetScrollScale(nBar);
    *pMax *= GetScrollScale(nBar);
}

BOOL CGXGridCore::LockScrollbars(BOOL bLock)
{
    const BOOL bOld = m_bLockScrollbars;
    m_bLockScrollbars = bLock;
    if (!bLock)
        UpdateScrollbars(TRUE, FALSE);
    return bOld;
}

int CGXGridCore::ScrollWindow(int dx, int dy, const RECT* pScroll, const RECT* pClip)
{
    if ((dx != 0 || dy != 0) && m_bHideFillFrameOnScroll && m_pParam != nullptr &&
        m_pParam->m_anCoreSettings[3] != 0 && m_pExcelLikeFillImp != nullptr)
        m_pExcelLikeFillImp->HideFillFrame(this);
    return ::ScrollWindowEx(m_pGridWnd->GetSafeHwnd(), dx, dy, pScroll, pClip, nullptr, nullptr,
                            SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
}

BOOL CGXGridCore::StartMouseTracking(BOOL bCapture, BOOL bScrollRows, BOOL bScrollCols)
{
    m_bAutoScroll = TRUE;
    m_bAutoScrollStop = FALSE;
    m_nAutoScrollRows = bScrollRows;
    m_nAutoScrollCols = bScrollCols;
    m_nAutoScrollCount = 0;
    if (bCapture)
        SetCapture();
    m_nAutoScrollTimer = m_pGridWnd != nullptr && m_pGridWnd->GetSafeHwnd() != nullptr
                             ? m_pGridWnd->SetTimer(nAutoScrollTimer, 10, nullptr)
                             : 0;
    if (m_nAutoScrollTimer == 0)
    {
        m_bAutoScroll = FALSE;
        return FALSE;
    }
    m_pGridWnd->PostMessage(WM_TIMER, nAutoScrollTimer, 0);
    return TRUE;
}

void CGXGridCore::StopMouseTracking()
{
    if (m_nAutoScrollTimer != 0 && m_pGridWnd->GetSafeHwnd() != nullptr)
        m_pGridWnd->KillTimer(nAutoScrollTimer);
    m_nAutoScrollTimer = 0;
    m_bAutoScroll = FALSE;
    m_nAutoScrollDirection = -1;
    m_bKeyTracking = FALSE;
    m_bAutoScrollStop = TRUE;
}

BOOL CGXGridCore::SetSkipScrollInView(BOOL bSkip)
{
    const BOOL bOld = m_bSkipScrollInView;
    m_bSkipScrollInView = bSkip;
    return bOld;
}

BOOL CGXGridCore::GetSkipScrollInView()
{
    return m_bSkipScrollInView;
}

BOOL CGXGridCore::CanChangeTopRow(ROWCOL /*nRow*/)
{
    return TRUE;
}

BOOL CGXGridCore::CanChangeLeftCol(ROWCOL /*nCol*/)
{
    return TRUE;
}

void CGXGridCore::OnTopRowChanged()
{
}

void CGXGridCore::OnLeftColChanged()
{
}

BOOL CGXGridCore::OnGridVScroll(UINT nSBCode, UINT nPos)
{
    return OnGridScroll(TRUE, nSBCode, nPos);
}

BOOL CGXGridCore::OnGridHScroll(UINT nSBCode, UINT nPos)
{
    return OnGridScroll(FALSE, nSBCode, nPos);
}

BOOL CGXGridCore::OnGridScroll(BOOL bRows, UINT nSBCode, UINT nPos)
{
    if (!m_bInitDone || m_nDrawingDepth > 0)
        return FALSE;
    if (CGXControl* pControl = GetCurrentCellControl())
    {
        MSG msg = {};
        msg.hwnd = m_pGridWnd->GetSafeHwnd();
        msg.message = bRows ? WM_VSCROLL : WM_HSCROLL;
        msg.wParam = MAKEWPARAM(nSBCode, nPos);
        pControl->OnGridScroll(msg);
    }
    const GXGridAxis axis(*this, bRows);
    const ROWCOL nCount = axis.Count();
    const ROWCOL nFirstScrollable = axis.Frozen() + 1;
    if (nCount == 0 || nCount <= nFirstScrollable)
        return FALSE;
    const ROWCOL nFirst = axis.First();
    const ROWCOL nThumb =
        nFirstScrollable + (std::max<ROWCOL>(nPos, nFirstScrollable) - nFirstScrollable) * GetScrollScale(axis.Bar());
    CRect rectGrid;
    GetGridRect(&rectGrid);
    const int nAreaExtent = axis.End(rectGrid) - axis.Start(rectGrid) - axis.SumOfSizes(0, axis.Frozen(), 0);

    switch (nSBCode)
    {
    case SB_LINEUP:
    case SB_LINEDOWN: {
        const int nDirection = axis.Direction(nSBCode == SB_LINEUP);
        DoScroll(nDirection, 1);
        // Auto-scroll that runs the other way starts over in this direction.
        if (IsMouseTracking() && m_nAutoScrollDirection != nDirection)
        {
            StartMouseTracking(FALSE, m_nAutoScrollRows, m_nAutoScrollCols);
            m_nAutoScrollDirection = nDirection;
        }
        break;
    }
    case SB_PAGEUP:
        if (nFirst > nFirstScrollable)
        {
            // As many rows (columns) as fill the area, ending right above the first one.
            ROWCOL n = nFirst;
            int nSum = 0;
            while (n > nFirstScrollable && nSum + axis.Size(n - 1) <= nAreaExtent)
                nSum += axis.Size(--n);
            DoScroll(axis.Direction(TRUE), std::max<ROWCOL>(nFirst - n, 1));
        }
        break;
    case SB_PAGEDOWN:
        if (nFirst < nCount)
        {
            BOOL bPartial = FALSE;
            ROWCOL nLast = bRows ? GetLastVisibleRow(&bPartial) : GetLastVisibleCol(&bPartial);
            if (bPartial && nLast > nFirst)
                --nLast;
            DoScroll(axis.Direction(FALSE), nLast > nFirst ? nLast - nFirst + 1 : 1);
        }
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        if (nSBCode == SB_THUMBTRACK && (m_pParam == nullptr || m_pParam->GetTrackingMode() == 0))
            break;
        if (nThumb < nFirst && axis.SumOfSizes(nThumb, nFirst - 1, 0) > 0)
            DoScroll(axis.Direction(TRUE), nFirst - nThumb);
        else if (nThumb > nFirst)
            DoScroll(axis.Direction(FALSE), nThumb - nFirst);
        break;
    case SB_TOP:
        if (nFirst > 1)
            DoScroll(axis.Direction(TRUE), nFirst - 1);
        break;
    case SB_BOTTOM:
        if (nFirst < nCount)
            DoScroll(axis.Direction(FALSE), nCount - nFirst);
        break;
    case SB_ENDSCROLL:
        if (IsMouseTracking())
            StopMouseTracking();
        break;
    }
    return TRUE;
}
