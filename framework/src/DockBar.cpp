// CDockBar: the list of docked bars in rows, docking into it and out of it, and the row layout.
#include <afxpriv.h>

#include <algorithm>

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

namespace
{
// Neighbouring bars overlap by their 2-pixel borders, and the first one starts 2 pixels
// before the dock bar's edge, so that adjacent borders draw as one.
constexpr int BORDER2 = 2;

// A placeholder is a bar's child id kept in the bar's place: an entry of 16 bits only.
bool IsPlaceHolder(const void* pEntry)
{
    return (reinterpret_cast<UINT_PTR>(pEntry) >> 16) == 0;
}

void* PlaceHolderOf(const CControlBar* pBar)
{
    return reinterpret_cast<void*>(static_cast<UINT_PTR>(LOWORD(::GetDlgCtrlID(pBar->m_hWnd))));
}

// Points and sizes along a row and across it.
int Along(CPoint pt, BOOL bHorz)
{
    return bHorz ? pt.x : pt.y;
}
int Across(CPoint pt, BOOL bHorz)
{
    return bHorz ? pt.y : pt.x;
}
int Along(CSize size, BOOL bHorz)
{
    return bHorz ? size.cx : size.cy;
}
int Across(CSize size, BOOL bHorz)
{
    return bHorz ? size.cy : size.cx;
}
CPoint RowPoint(int nAlong, int nAcross, BOOL bHorz)
{
    return bHorz ? CPoint(nAlong, nAcross) : CPoint(nAcross, nAlong);
}
} // namespace

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

CDockBar::CDockBar(BOOL bFloating) : m_bFloating(bFloating), m_bLayoutQuery(FALSE), m_rectLayout(0, 0, 0, 0)
{
    m_bAutoDelete = TRUE;
    m_arrBars.Add(nullptr);
    m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0;
}

CDockBar::~CDockBar()
{
    for (INT_PTR nPos = 0; nPos < m_arrBars.GetSize(); ++nPos)
    {
        CControlBar* pBar = GetDockedControlBar(static_cast<int>(nPos));
        if (pBar != nullptr && pBar->m_pDockBar == this)
            pBar->m_pDockBar = nullptr;
    }
}

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateBar(dwStyle, pParentWnd, nID);
}

BOOL CDockBar::IsDockBar() const
{
    return TRUE;
}

void CDockBar::GetBarInfo(CControlBarInfo* pInfo)
{
    CControlBar::GetBarInfo(pInfo);
    pInfo->m_bDockBar = TRUE;
    pInfo->m_bFloating = m_bFloating;
    if (m_bFloating)
    {
        // The client corner of the floating frame: the frame adds its own borders when placed.
        CRect rect;
        GetWindowRect(&rect);
        pInfo->m_pointPos = rect.TopLeft();
        pInfo->m_bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    }
    pInfo->m_arrBarID.RemoveAll();
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
    {
        void* pEntry = m_arrBars[i];
        if (pEntry == nullptr)
            pInfo->AddBarID(0);
        else if (IsPlaceHolder(pEntry))
            pInfo->AddBarID(static_cast<DWORD>(reinterpret_cast<UINT_PTR>(pEntry)) | CControlBarInfo::placeHolderID);
        else
            pInfo->AddBarID(LOWORD(::GetDlgCtrlID(static_cast<CControlBar*>(pEntry)->m_hWnd)));
    }
}

void CDockBar::SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd)
{
    // The bars docked here now; those the record names are taken off as they are placed.
    CPtrArray arrUnnamed;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
        if (CControlBar* pBar = GetDockedControlBar(static_cast<int>(i)))
            arrUnnamed.Add(pBar);

    CPtrArray arrBars;
    arrBars.Add(nullptr);
    for (INT_PTR i = 0; i < pInfo->m_arrBarID.GetSize(); ++i)
    {
        const DWORD dwID = pInfo->GetBarID(i);
        if (dwID == 0)
        {
            if (arrBars[arrBars.GetUpperBound()] != nullptr)
                arrBars.Add(nullptr);
            continue;
        }
        void* pPlaceHolder = reinterpret_cast<void*>(static_cast<UINT_PTR>(LOWORD(dwID)));
        CControlBar* pBar = (dwID & CControlBarInfo::placeHolderID) != 0 ? nullptr : pFrameWnd->GetControlBar(LOWORD(dwID));
        BOOL bListed = FALSE;
        for (INT_PTR j = 0; j < arrBars.GetSize() && !bListed; ++j)
            bListed = arrBars[j] == pBar;
        if (pBar == nullptr || bListed)
        {
            arrBars.Add(pPlaceHolder);
            continue;
        }
        for (INT_PTR j = 0; j < arrUnnamed.GetSize(); ++j)
            if (arrUnnamed[j] == pBar)
                arrUnnamed.RemoveAt(j--);
        // Out of the dock bar that holds it, child of this one before a floating frame that
        // it leaves empty goes.
        if (pBar->GetParent() != this)
            pBar->SetParent(this);
        if (pBar->m_pDockBar != nullptr && pBar->m_pDockBar != this)
            pBar->m_pDockBar->RemoveControlBar(pBar);
        pBar->m_pDockBar = this;
        arrBars.Add(pBar);
    }
    if (arrBars[arrBars.GetUpperBound()] != nullptr)
        arrBars.Add(nullptr);
    if (arrUnnamed.GetSize() > 0)
    {
        arrBars.Append(arrUnnamed);
        arrBars.Add(nullptr);
    }
    m_arrBars.RemoveAll();
    m_arrBars.Append(arrBars);
    if (CFrameWnd* pFrame = GetDockingFrame())
        pFrame->DelayRecalcLayout();
}

void CDockBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
}

CControlBar* CDockBar::GetDockedControlBar(int nPos) const
{
    void* pEntry = m_arrBars[nPos];
    return IsPlaceHolder(pEntry) ? nullptr : static_cast<CControlBar*>(pEntry);
}

int CDockBar::FindBar(CControlBar* pBar, int nPosExclude)
{
    for (INT_PTR nPos = 0; nPos < m_arrBars.GetSize(); ++nPos)
        if (nPos != nPosExclude && m_arrBars[nPos] == pBar)
            return static_cast<int>(nPos);
    return -1;
}

int CDockBar::GetDockedCount() const
{
    int nCount = 0;
    for (INT_PTR nPos = 0; nPos < m_arrBars.GetSize(); ++nPos)
        if (GetDockedControlBar(static_cast<int>(nPos)) != nullptr)
            ++nCount;
    return nCount;
}

int CDockBar::GetDockedVisibleCount() const
{
    int nCount = 0;
    for (INT_PTR nPos = 0; nPos < m_arrBars.GetSize(); ++nPos)
    {
        const CControlBar* pBar = GetDockedControlBar(static_cast<int>(nPos));
        if (pBar != nullptr && pBar->IsVisible())
            ++nCount;
    }
    return nCount;
}

void CDockBar::ShowAll(BOOL bShow)
{
    for (INT_PTR nPos = 0; nPos < m_arrBars.GetSize(); ++nPos)
        if (CControlBar* pBar = GetDockedControlBar(static_cast<int>(nPos)))
            pBar->GetDockingFrame()->ShowControlBar(pBar, bShow, TRUE);
}

void CDockBar::RemoveEntry(int nPos)
{
    m_arrBars.RemoveAt(nPos);
    if (nPos < m_arrBars.GetSize() && m_arrBars[nPos - 1] == nullptr && m_arrBars[nPos] == nullptr)
        m_arrBars.RemoveAt(nPos);
}

void CDockBar::RemovePlaceHolder(CControlBar* pBar)
{
    void* pEntry = IsPlaceHolder(pBar) ? pBar : PlaceHolderOf(pBar);
    const int nPos = FindBar(static_cast<CControlBar*>(pEntry));
    if (nPos > 0)
        RemoveEntry(nPos);
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar, int nPosExclude, int nAddPlaceHolder)
{
    const int nPos = FindBar(pBar, nPosExclude);
    if (nPos <= 0)
        return FALSE;
    void* pPlaceHolder = PlaceHolderOf(pBar);
    // A bar without an id could only leave a row break behind: it keeps no place.
    if (nAddPlaceHolder == 1 && pPlaceHolder != nullptr)
    {
        m_arrBars[nPos] = pPlaceHolder;
        if (FindBar(static_cast<CControlBar*>(pPlaceHolder), nPos) > 0)
            RemoveEntry(nPos);
    }
    else
    {
        RemoveEntry(nPos);
        if (nAddPlaceHolder != -1)
            RemovePlaceHolder(pBar);
    }

    // A bar being destroyed has given up its dock context: nothing more to lay out.
    if (pBar->m_pDockContext == nullptr)
        return FALSE;
    CFrameWnd* pFrame = GetDockingFrame();
    if (pFrame == nullptr)
        return FALSE;
    if (m_bFloating && GetDockedVisibleCount() == 0)
    {
        if (GetDockedCount() == 0)
        {
            pFrame->DestroyWindow();
            return TRUE;
        }
        pFrame->ShowWindow(SW_HIDE);
    }
    else
        pFrame->DelayRecalcLayout();
    return FALSE;
}

int CDockBar::Insert(CControlBar* pBarIns, const CRect& rect, CPoint ptMid)
{
    const BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    int nPosInsAfter = 0;
    int nRowThickness = 0;
    int nRowsEnd = 0;
    for (int nPos = 0; nPos < m_arrBars.GetSize(); ++nPos)
    {
        if (m_arrBars[nPos] != nullptr)
        {
            // Hidden bars and placeholders neither widen the row nor end it.
            CControlBar* pBar = GetDockedControlBar(nPos);
            if (pBar == nullptr || !pBar->IsVisible())
                continue;
            CRect rectBar;
            pBar->GetWindowRect(&rectBar);
            ScreenToClient(&rectBar);
            nRowThickness = std::max(nRowThickness, Across(rectBar.Size(), bHorz));
            if (Along(rect.TopLeft(), bHorz) > Along(rectBar.TopLeft(), bHorz))
                nPosInsAfter = nPos;
            continue;
        }
        // A row ends here: the bar goes into it when its middle lies within the row.
        nRowsEnd += nRowThickness - BORDER2;
        nRowThickness = 0;
        if (Across(ptMid, bHorz) < nRowsEnd)
        {
            // In front of every row: a new first row.
            if (nPos == 0)
                m_arrBars.InsertAt(nPosInsAfter + 1, static_cast<void*>(nullptr));
            m_arrBars.InsertAt(nPosInsAfter + 1, pBarIns);
            return nPosInsAfter + 1;
        }
        nPosInsAfter = nPos;
    }
    // Beyond every row: a new last row.
    m_arrBars.InsertAt(nPosInsAfter + 1, static_cast<void*>(nullptr));
    m_arrBars.InsertAt(nPosInsAfter + 1, pBarIns);
    return nPosInsAfter + 1;
}

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    Dock(pBar, lpRect, FALSE);
}

void CDockBar::ReDockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    Dock(pBar, lpRect, TRUE);
}

void CDockBar::Dock(CControlBar* pBar, LPCRECT lpRect, BOOL bReDock)
{
    CRect rectBar;
    pBar->GetWindowRect(&rectBar);
    if (pBar->m_pDockBar == this && (lpRect == nullptr || rectBar == *lpRect))
        return;

    if (m_bFloating && (pBar->m_dwDockStyle & CBRS_FLOAT_MULTI))
        m_dwStyle |= CBRS_FLOAT_MULTI;
    m_dwStyle = (m_dwStyle & ~(CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC)) |
                (pBar->m_dwStyle & (CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC));
    // A dock bar that holds one bar only takes its title (a floating frame shows it).
    if (!(m_dwStyle & CBRS_FLOAT_MULTI))
    {
        CString strTitle;
        pBar->GetWindowText(strTitle);
        AfxSetWindowText(m_hWnd, strTitle);
    }

    // The bar takes this side's alignment and all borders.
    DWORD dwStyle = (pBar->GetBarStyle() & ~CBRS_ALIGN_ANY) | (m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY;
    dwStyle = m_bFloating ? (dwStyle | CBRS_FLOATING) : (dwStyle & ~CBRS_FLOATING);
    pBar->SetBarStyle(dwStyle);

    // Hidden while it moves to another dock bar, so that it does not flash.
    const BOOL bShow = pBar->m_pDockBar != this && pBar->IsWindowVisible();
    if (bShow)
        pBar->SetWindowPos(nullptr, 0, 0, 0, 0,
                           SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);

    // A bar docked back takes the place its id kept.
    void* pPlaceHolder = bReDock ? PlaceHolderOf(pBar) : nullptr;
    int nPos = pPlaceHolder != nullptr ? FindBar(static_cast<CControlBar*>(pPlaceHolder)) : -1;
    if (nPos > 0)
        m_arrBars[nPos] = pBar;
    if (lpRect != nullptr)
    {
        CRect rect(lpRect);
        ScreenToClient(&rect);
        if (nPos <= 0)
            nPos = Insert(pBar, rect, rect.CenterPoint());
        pBar->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    }
    else
    {
        // A new last row; the layout moves it in from beyond the edge.
        if (nPos <= 0)
        {
            m_arrBars.Add(pBar);
            m_arrBars.Add(nullptr);
        }
        pBar->SetWindowPos(nullptr, -BORDER2, -BORDER2, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    }

    if (pBar->GetParent() != this)
        pBar->SetParent(this);
    // Out of its old place: here, or in the dock bar it came from (where a bar that goes
    // floating keeps a placeholder).
    if (pBar->m_pDockBar == this)
        RemoveControlBar(pBar, nPos);
    else if (pBar->m_pDockBar != nullptr)
        pBar->m_pDockBar->RemoveControlBar(pBar, -1, m_bFloating && !pBar->m_pDockBar->m_bFloating);
    pBar->m_pDockBar = this;

    if (bShow)
        pBar->SetWindowPos(nullptr, 0, 0, 0, 0,
                           SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    RemovePlaceHolder(pBar);
    if (CFrameWnd* pFrame = GetDockingFrame())
        pFrame->DelayRecalcLayout();
}

CSize CDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize sizeFixed = CControlBar::CalcFixedLayout(bStretch, bHorz);
    CSize sizeMax = m_rectLayout.Size();
    if (m_rectLayout.IsRectEmpty())
    {
        CRect rectFrame;
        if (CFrameWnd* pFrame = GetParentFrame())
            pFrame->GetClientRect(&rectFrame);
        sizeMax = rectFrame.Size();
    }
    const int nMaxAlong = Along(sizeMax, bHorz);

    AFX_SIZEPARENTPARAMS layout{};
    layout.hDWP = m_bLayoutQuery ? nullptr : ::BeginDeferWindowPos(static_cast<int>(m_arrBars.GetSize()));
    int nAlong = -BORDER2;
    int nAcross = -BORDER2;
    int nRowThickness = 0;
    int nFixedAlong = Along(sizeFixed, bHorz);
    int nFixedAcross = Across(sizeFixed, bHorz);
    bool bWrapped = false;
    for (int nPos = 0; nPos < m_arrBars.GetSize(); ++nPos)
    {
        CControlBar* pBar = GetDockedControlBar(nPos);
        if (pBar != nullptr && pBar->IsVisible())
        {
            const CSize sizeBar = pBar->CalcDynamicLayout(-1, AfxBarLayoutMode(pBar->m_dwStyle));
            CRect rectBar;
            pBar->GetWindowRect(&rectBar);
            ScreenToClient(&rectBar);
            int nStart = nAlong;
            if (!m_bFloating)
            {
                // A bar keeps the place it was put at further along the row, but is pulled
                // back to end inside the dock bar as far as the bars before it allow.
                nStart = std::max(nStart, Along(rectBar.TopLeft(), bHorz));
                if (nStart + Along(sizeBar, bHorz) > nMaxAlong)
                    nStart = std::max(nMaxAlong - (Along(sizeBar, bHorz) - BORDER2), nAlong);
            }
            if (bWrapped)
            {
                bWrapped = false;
                nStart = -BORDER2;
            }
            else if (nStart >= nMaxAlong - BORDER2 && nPos > 0 && m_arrBars[nPos - 1] != nullptr)
            {
                // Beyond the end: the bar begins a new row, laid out on the next pass.
                m_arrBars.InsertAt(nPos, static_cast<void*>(nullptr));
                pBar = nullptr;
                bWrapped = true;
            }
            if (!bWrapped)
            {
                const CRect rect(RowPoint(nStart, nAcross, bHorz), sizeBar);
                if (rect != rectBar)
                {
                    if (!m_bLayoutQuery && !(pBar->m_dwStyle & CBRS_FLOATING) && pBar->m_pDockContext != nullptr)
                        pBar->m_pDockContext->m_rectMRUDockPos = rect;
                    AfxRepositionWindow(&layout, pBar->m_hWnd, &rect);
                }
                nAlong = nStart + Along(sizeBar, bHorz) - BORDER2;
                nRowThickness = std::max(nRowThickness, Across(sizeBar, bHorz));
            }
        }
        if (pBar != nullptr && !bWrapped)
            pBar->RecalcDelayShow(&layout);
        if (m_arrBars[nPos] == nullptr && nRowThickness != 0)
        {
            // The row ends: the next one starts below (or beside) it.
            nAcross += nRowThickness - BORDER2;
            nFixedAlong = std::max(nFixedAlong, nAlong);
            nFixedAcross = std::max(nFixedAcross, nAcross);
            nAlong = -BORDER2;
            nRowThickness = 0;
        }
    }
    if (layout.hDWP != nullptr)
        ::EndDeferWindowPos(layout.hDWP);
    sizeFixed = bHorz ? CSize(nFixedAlong, nFixedAcross) : CSize(nFixedAcross, nFixedAlong);

    // The dock bar's own borders come on top of its rows.
    CRect rectInside(0, 0, 0, 0);
    CalcInsideRect(rectInside, bHorz);
    if ((!bStretch || !bHorz) && sizeFixed.cx != 0)
        sizeFixed.cx += rectInside.left - rectInside.right;
    if ((!bStretch || bHorz) && sizeFixed.cy != 0)
        sizeFixed.cy += rectInside.top - rectInside.bottom;
    return sizeFixed;
}

LRESULT CDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
    auto* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    // The layout's rectangle and kind hold while the bars are laid out, then the old ones.
    const BOOL bLayoutQuery = m_bLayoutQuery;
    const CRect rectLayout = m_rectLayout;
    m_bLayoutQuery = lpLayout->hDWP == nullptr;
    m_rectLayout = lpLayout->rect;
    const LRESULT lResult = CControlBar::OnSizeParent(wParam, lParam);
    m_bLayoutQuery = bLayoutQuery;
    m_rectLayout = rectLayout;
    return lResult;
}
