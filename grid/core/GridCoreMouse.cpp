// The grid's mouse protocol: the press gate, the pressed cell and state word, and the reports of
// press, move and release to the per-button cell operations.
#include <grid/core/GridCore.h>

#include <grid/controls/Control.h>
#include <grid/core/GridParam.h>

#include <algorithm>

namespace
{
// The state word and the event flags passed to the cell-level operations.
constexpr WORD actionRunning = 0x0001;
constexpr WORD pressedEvent = 0x0004;
constexpr WORD movedEvent = 0x0008;
constexpr WORD releasedEvent = 0x0010;
constexpr WORD lastAtPressed = 0x0020;
constexpr WORD atPressed = 0x0040;
constexpr WORD ctrlAtPress = 0x0080;
constexpr WORD currentActive = 0x0100;

// Tracking words from this value on make a left press leave the selection as it is.
constexpr WORD noSelectTracking = 128;

enum
{
    leftButton,
    middleButton,
    rightButton
};

// What differs between the three buttons.
struct ButtonTraits
{
    UINT nMask;
    UINT nDownMessage;
    UINT nOthers;
    BOOL (CGXGridCore::*pfnHit)(ROWCOL, ROWCOL, ROWCOL, ROWCOL, int, int, UINT, WORD);
    BOOL (CGXGridCore::*pfnDblClk)(ROWCOL, ROWCOL, UINT, CPoint);
    BOOL (CGXControl::*pfnDown)(UINT, CPoint);
    BOOL (CGXControl::*pfnUp)(UINT, CPoint);
    BOOL (CGXControl::*pfnControlDblClk)(UINT, CPoint);
};

const ButtonTraits buttonTraits[] = {
    {MK_LBUTTON, WM_LBUTTONDOWN, MK_RBUTTON | MK_MBUTTON, &CGXGridCore::OnLButtonHitRowCol, &CGXGridCore::OnLButtonDblClkRowCol,
     &CGXControl::OnLButtonDown, &CGXControl::OnLButtonUp, &CGXControl::OnLButtonDblClk},
    {MK_MBUTTON, WM_MBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, &CGXGridCore::OnMButtonHitRowCol, &CGXGridCore::OnMButtonDblClkRowCol,
     &CGXControl::OnMButtonDown, &CGXControl::OnMButtonUp, &CGXControl::OnMButtonDblClk},
    {MK_RBUTTON, WM_RBUTTONDOWN, MK_LBUTTON | MK_MBUTTON, &CGXGridCore::OnRButtonHitRowCol, &CGXGridCore::OnRButtonDblClkRowCol,
     &CGXControl::OnRButtonDown, &CGXControl::OnRButtonUp, &CGXControl::OnRButtonDblClk},
};

int ButtonOfMask(UINT nMask)
{
    return nMask == MK_MBUTTON ? middleButton : nMask == MK_RBUTTON ? rightButton : leftButton;
}

BOOL IsCellHit(int nHit)
{
    return nHit == GX_CELLHIT || nHit == GX_HEADERHIT;
}

// The borders of headers and of hidden rows and columns, where the resize feature takes over.
BOOL IsResizeHit(int nHit)
{
    return nHit == GX_HORZLINE || nHit == GX_VERTLINE || nHit == GX_HIDDENCOLHIT || nHit == GX_HIDDENROWHIT;
}
} // namespace

BOOL CGXGridCore::BeginMouseButton(UINT nOtherButtons, UINT flags, CPoint point, int& nHit, ROWCOL& nRow, ROWCOL& nCol)
{
    nHit = GX_NOHIT;
    nRow = 0;
    nCol = 0;
    if (!m_bMouseReady || m_pGridWnd == nullptr)
        return FALSE;
    m_bButtonDown = TRUE;
    if (::GetCapture() != m_pGridWnd->m_hWnd && (flags & nOtherButtons) == 0)
    {
        m_pGridWnd->UpdateWindow();
        nHit = HitTest(point, &nRow, &nCol);
        return TRUE;
    }
    m_pGridWnd->SendMessage(WM_CANCELMODE);
    OnGridCancelMode();
    return FALSE;
}

BOOL CGXGridCore::ReportToButton(int nButton, ROWCOL nRow, ROWCOL nCol, CPoint point, UINT flags, WORD wEvent)
{
    if (nRow == m_nPressedRow && nCol == m_nPressedCol)
        wEvent |= atPressed;
    else if (m_nLastMouseRow == m_nPressedRow && m_nLastMouseCol == m_nPressedCol)
        wEvent |= lastAtPressed;
    return (this->*buttonTraits[nButton].pfnHit)(m_nPressedRow, m_nPressedCol, nRow, nCol, point.x, point.y, flags,
                                                 static_cast<WORD>(m_wMouseState | wEvent));
}

CPoint CGXGridCore::ClampToGrid(CPoint point)
{
    CRect rectGrid;
    GetGridRect(&rectGrid);
    point.x = std::max(rectGrid.left, std::min(point.x, rectGrid.right - m_nEdgeMargin - 1));
    point.y = std::max(rectGrid.top, std::min(point.y, rectGrid.bottom - m_nEdgeMargin - 1));
    return point;
}

BOOL CGXGridCore::PressButton(int nButton, UINT flags, CPoint point)
{
    HideCellTip();
    const ButtonTraits& traits = buttonTraits[nButton];
    // The current cell's control first closes what it dropped down; the press then goes on.
    ROWCOL nCurrentRow = 0;
    ROWCOL nCurrentCol = 0;
    if (m_bMouseReady && GetCurrentCell(&nCurrentRow, &nCurrentCol))
        CallControlWithStyle(nCurrentRow, nCurrentCol, traits.nDownMessage, MAKELONG(point.x, point.y), nullptr);
    int nHit = GX_NOHIT;
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    if (!BeginMouseButton(traits.nOthers, flags, point, nHit, nRow, nCol))
        return m_bMouseReady;
    m_nPressedButton = traits.nMask;
    if (nHit == GX_FILLHANDLEHIT)
    {
        if (nButton == leftButton && m_pExcelLikeFillImp != nullptr &&
            m_pExcelLikeFillImp->OnStartFillDrag(this, point, flags, nRow, nCol))
        {
            if (m_bAutoScrollSetting)
                StartMouseTracking(FALSE, TRUE, TRUE);
            SetCapture();
        }
        return TRUE;
    }
    if (nHit == GX_SELEDGEHIT)
        nHit = GX_CELLHIT;
    if (!IsCellHit(nHit))
    {
        if (nButton == leftButton && IsResizeHit(nHit))
            OnTrackButtonDown(point, flags);
        return TRUE;
    }
    // A press on a selected header may start dragging the selected rows or columns.
    if (nButton == leftButton && (nRow != 0 || nCol != 0) && m_pUserDragSelectRangeImp != nullptr &&
        m_pUserDragSelectRangeImp->OnStartDrag(this, point, flags, nHit, nRow, nCol))
        return TRUE;

    CGXRange covered;
    ROWCOL nAnchorRow = nRow;
    ROWCOL nAnchorCol = nCol;
    if (GetCoveredCellsRowCol(nRow, nCol, covered) != nullptr)
    {
        nAnchorRow = covered.top;
        nAnchorCol = covered.left;
    }
    m_wMouseState = actionRunning;
    if (flags & MK_CONTROL)
        m_wMouseState |= ctrlAtPress;
    if (IsCurrentCell(nAnchorRow, nAnchorCol) && IsActiveCurrentCell())
        m_wMouseState |= currentActive;
    m_nPressedRow = m_nLastMouseRow = nRow;
    m_nPressedCol = m_nLastMouseCol = nCol;
    if (nButton == leftButton && m_pUserSelectRangeImp != nullptr && m_pParam != nullptr)
        m_pUserSelectRangeImp->OnStartSelection(this, point, flags, nHit, nRow, nCol);
    if (!(this->*traits.pfnHit)(nRow, nCol, nRow, nCol, point.x, point.y, flags,
                                static_cast<WORD>(m_wMouseState | pressedEvent | atPressed)))
    {
        m_pGridWnd->SendMessage(WM_CANCELMODE);
        return TRUE;
    }
    if (::GetCapture() != m_pGridWnd->m_hWnd && m_wMouseState != 0)
    {
        if (nButton == leftButton && m_bAutoScrollSetting)
            StartMouseTracking(FALSE, nRow != 0 && !IsFrozenRow(nRow), nCol != 0 && !IsFrozenCol(nCol));
        SetCapture();
    }
    return TRUE;
}

BOOL CGXGridCore::ReleaseButton(int nButton, UINT flags, CPoint point)
{
    if (nButton == leftButton)
        m_bButtonUpSeen = TRUE;
    if (m_pGridWnd == nullptr || ::GetCapture() != m_pGridWnd->m_hWnd)
        return FALSE;
    const CPoint pt = ClampToGrid(point);
    if (nButton == leftButton && (m_wMouseState & GX_FILLDRAGGING) != 0 && m_pExcelLikeFillImp != nullptr)
    {
        // The drag ends before the capture goes, so that losing it does not cancel the fill.
        StopMouseTracking();
        m_pExcelLikeFillImp->OnEndFillDrag(this, pt, flags);
        ::ReleaseCapture();
        return TRUE;
    }
    if (nButton == leftButton && m_pUserDragSelectRangeImp != nullptr &&
        m_pUserDragSelectRangeImp->OnDragEnd(this, pt, flags))
        return TRUE;
    if (m_wMouseState == 0)
    {
        if (nButton == leftButton)
            OnTrackButtonUp(point, flags);
        return TRUE;
    }
    ::ReleaseCapture();
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    HitTest(pt, &nRow, &nCol);
    nRow = std::min(nRow, GetRowCount());
    nCol = std::min(nCol, GetColCount());
    if (nButton == leftButton && m_pUserSelectRangeImp != nullptr && m_pParam != nullptr)
        m_pUserSelectRangeImp->OnEndSelection(this, pt, flags, nRow, nCol);
    ReportToButton(nButton, nRow, nCol, pt, flags, releasedEvent);
    m_wMouseState = 0;
    return TRUE;
}

BOOL CGXGridCore::DoubleClickButton(int nButton, UINT flags, CPoint point)
{
    const ButtonTraits& traits = buttonTraits[nButton];
    int nHit = GX_NOHIT;
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    if (!BeginMouseButton(traits.nOthers, flags, point, nHit, nRow, nCol))
        return m_bMouseReady;
    if (nButton == leftButton && IsResizeHit(nHit) && m_pUserResizeCellsImp != nullptr &&
        m_pUserResizeCellsImp->OnTrackDoubleClick(this, point, flags, nHit, nRow, nCol))
        return TRUE;
    if (IsCellHit(nHit))
    {
        CGXRange covered;
        if (GetCoveredCellsRowCol(nRow, nCol, covered) != nullptr)
        {
            nRow = covered.top;
            nCol = covered.left;
        }
        SetCurrentCell(nRow, nCol, GX_MOVECELL);
        CGXControl* pControl = IsCurrentCell(nRow, nCol) && IsActiveCurrentCell() ? GetCurrentCellControl() : nullptr;
        if (pControl != nullptr ? (pControl->*traits.pfnControlDblClk)(flags, point)
                                : (this->*traits.pfnDblClk)(nRow, nCol, flags, point))
            return TRUE;
    }
    return PressButton(nButton, flags, point);
}

BOOL CGXGridCore::OnGridLButtonDown(UINT flags, CPoint point)
{
    return PressButton(leftButton, flags, point);
}

BOOL CGXGridCore::OnGridLButtonUp(UINT flags, CPoint point)
{
    return ReleaseButton(leftButton, flags, point);
}

BOOL CGXGridCore::OnGridLButtonDblClk(UINT flags, CPoint point)
{
    return DoubleClickButton(leftButton, flags, point);
}

BOOL CGXGridCore::OnGridMButtonDown(UINT flags, CPoint point)
{
    return PressButton(middleButton, flags, point);
}

BOOL CGXGridCore::OnGridMButtonUp(UINT flags, CPoint point)
{
    return ReleaseButton(middleButton, flags, point);
}

BOOL CGXGridCore::OnGridMButtonDblClk(UINT flags, CPoint point)
{
    return DoubleClickButton(middleButton, flags, point);
}

BOOL CGXGridCore::OnGridRButtonDown(UINT flags, CPoint point)
{
    return PressButton(rightButton, flags, point);
}

BOOL CGXGridCore::OnGridRButtonUp(UINT flags, CPoint point)
{
    return ReleaseButton(rightButton, flags, point);
}

BOOL CGXGridCore::OnGridRButtonDblClk(UINT flags, CPoint point)
{
    return DoubleClickButton(rightButton, flags, point);
}

BOOL CGXGridCore::OnGridMouseMove(UINT flags, CPoint point)
{
    if (!m_bMouseReady || m_pGridWnd == nullptr)
        return FALSE;
    ROWCOL nClientRow = 0;
    ROWCOL nClientCol = 0;
    if (CalcCellFromPoint(point, &nClientRow, &nClientCol, nullptr))
        OnCellUnderMouseChanged(VisibleRowToAbs(nClientRow), VisibleColToAbs(nClientCol));
    else
        OnCellUnderMouseChanged(GX_INVALID, GX_INVALID);
    const BOOL bCaptured = ::GetCapture() == m_pGridWnd->m_hWnd;
    if (m_pCellTipRelay != nullptr && !bCaptured)
        m_pCellTipRelay->SendMessage(WM_MOUSEMOVE, flags, MAKELPARAM(point.x, point.y));
    if (bCaptured && (m_wMouseState & GX_FILLDRAGGING) != 0 && m_pExcelLikeFillImp != nullptr)
    {
        ROWCOL nRow = 0;
        ROWCOL nCol = 0;
        HitTest(ClampToGrid(point), &nRow, &nCol);
        nRow = std::max(std::min(nRow, GetRowCount()), std::min(GetHeaderRows() + 1, GetRowCount()));
        nCol = std::max(std::min(nCol, GetColCount()), std::min(GetHeaderCols() + 1, GetColCount()));
        m_pExcelLikeFillImp->OnFillDragMove(this, point, flags, nRow, nCol);
        return TRUE;
    }
    if (bCaptured && m_pUserDragSelectRangeImp != nullptr &&
        m_pUserDragSelectRangeImp->OnDragMove(this, ClampToGrid(point), flags))
        return TRUE;
    if (m_wMouseState == 0 || !bCaptured)
    {
        if (m_wMouseState != 0 || !OnTrackMouseMove(point, flags))
            SetGridCursor(point);
        return TRUE;
    }
    const CPoint pt = ClampToGrid(point);
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    HitTest(pt, &nRow, &nCol);
    nRow = std::max(std::min(nRow, GetRowCount()), std::min(GetHeaderRows() + 1, GetRowCount()));
    nCol = std::max(std::min(nCol, GetColCount()), std::min(GetHeaderCols() + 1, GetColCount()));
    ReportToButton(ButtonOfMask(m_nPressedButton), nRow, nCol, pt, flags, movedEvent);
    if ((nRow != m_nLastMouseRow || nCol != m_nLastMouseCol) && m_pUserSelectRangeImp != nullptr && m_pParam != nullptr)
        m_pUserSelectRangeImp->OnMoveSelection(this, pt, flags, nRow, nCol);
    m_nLastMouseRow = nRow;
    m_nLastMouseCol = nCol;
    return TRUE;
}

// A press, move or release on a cell: a press makes the cell current, and the current cell's
// bound control sees the button.
BOOL CGXGridCore::OnButtonHitRowCol(int nButton, ROWCOL nStartRow, ROWCOL nStartCol, ROWCOL nRow, ROWCOL nCol, int x,
                                    int y, UINT flags, WORD nHitState)
{
    const ButtonTraits& traits = buttonTraits[nButton];
    CGXRange covered;
    if (GetCoveredCellsRowCol(nRow, nCol, covered) != nullptr)
    {
        nRow = covered.top;
        nCol = covered.left;
    }
    m_bMouseAtPressed = (nHitState & atPressed) != 0;
    const CPoint point(x, y);
    auto boundControl = [&]() -> CGXControl* {
        CGXControl* pControl = IsCurrentCell(nRow, nCol) ? GetCurrentCellControl() : nullptr;
        return pControl != nullptr && pControl->IsBoundToCell() ? pControl : nullptr;
    };
    if (nHitState & pressedEvent)
    {
        // A press in the headers selects; it does not make a header cell current.
        const BOOL bHeader = nRow <= GetHeaderRows() || nCol <= GetHeaderCols();
        if (!(nHitState & currentActive) && !bHeader)
        {
            const UINT nFlags = nButton == leftButton && m_wSelectTracking >= noSelectTracking
                                    ? GX_UPDATEONPRESS | GX_NOSELECTFOLLOW
                                    : GX_UPDATEONPRESS;
            SetCurrentCell(nRow, nCol, nFlags);
            if (m_bMessageShown || nRow > GetRowCount() || nCol > GetColCount())
                return FALSE;
        }
        if (CGXControl* pControl = boundControl())
            (pControl->*traits.pfnDown)(LOWORD(flags), point);
        m_bMouseMoved = FALSE;
        return TRUE;
    }
    if (nHitState & releasedEvent)
    {
        CGXControl* pControl = boundControl();
        if (pControl != nullptr)
            (pControl->*traits.pfnUp)(LOWORD(flags), point);
        else if (nButton == leftButton)
            OnLeftClickedCell(nRow, nCol, flags, point);
        if (!m_bMouseMoved && IsCurrentCell(nRow, nCol))
        {
            if (ScrollCellInView(nRow, nCol, GX_UPDATENOW) && (pControl = GetCurrentCellControl()) != nullptr)
                pControl->RefreshCell();
            return TRUE;
        }
        // A list box makes the row where the press began current, wherever the pointer went.
        if (m_pParam != nullptr && m_pParam->TestSpecialMode(GX_SINGLELISTBOX | GX_MULTIPLELISTBOX))
            return SetCurrentCell(nStartRow, nStartCol, GX_UPDATEONPRESS);
        return TRUE;
    }
    if (nHitState & movedEvent)
    {
        if (CGXControl* pControl = boundControl())
            pControl->OnMouseMove(LOWORD(flags), point);
        if (nRow != nStartRow || nCol != nStartCol)
            m_bMouseMoved = TRUE;
        return TRUE;
    }
    return FALSE;
}

void CGXGridCore::OnCellUnderMouseChanged(ROWCOL nRow, ROWCOL nCol)
{
    if (nRow == m_nHoverRow && nCol == m_nHoverCol)
        return;
    m_nHoverRow = nRow;
    m_nHoverCol = nCol;
    OnHoverCell(nRow, nCol);
}

void CGXGridCore::OnHoverCell(ROWCOL /*nRow*/, ROWCOL /*nCol*/)
{
}

BOOL CGXGridCore::OnLButtonHitRowCol(ROWCOL nStartRow, ROWCOL nStartCol, ROWCOL nRow, ROWCOL nCol, int x, int y,
                                     UINT flags, WORD nHitState)
{
    return OnButtonHitRowCol(leftButton, nStartRow, nStartCol, nRow, nCol, x, y, flags, nHitState);
}

BOOL CGXGridCore::OnMButtonHitRowCol(ROWCOL nStartRow, ROWCOL nStartCol, ROWCOL nRow, ROWCOL nCol, int x, int y,
                                     UINT flags, WORD nHitState)
{
    return OnButtonHitRowCol(middleButton, nStartRow, nStartCol, nRow, nCol, x, y, flags, nHitState);
}

BOOL CGXGridCore::OnRButtonHitRowCol(ROWCOL nStartRow, ROWCOL nStartCol, ROWCOL nRow, ROWCOL nCol, int x, int y,
                                     UINT flags, WORD nHitState)
{
    return OnButtonHitRowCol(rightButton, nStartRow, nStartCol, nRow, nCol, x, y, flags, nHitState);
}

// A double-click on a row or column header sorts by it (when the parameter object allows).
BOOL CGXGridCore::OnLButtonDblClkRowCol(ROWCOL nRow, ROWCOL nCol, UINT /*flags*/, CPoint /*point*/)
{
    return (nRow == 0) != (nCol == 0) && SortOnHeaderDblClk(nRow, nCol);
}

BOOL CGXGridCore::OnMButtonDblClkRowCol(ROWCOL /*nRow*/, ROWCOL /*nCol*/, UINT /*flags*/, CPoint /*point*/)
{
    return FALSE;
}

BOOL CGXGridCore::OnRButtonDblClkRowCol(ROWCOL /*nRow*/, ROWCOL /*nCol*/, UINT /*flags*/, CPoint /*point*/)
{
    return FALSE;
}
