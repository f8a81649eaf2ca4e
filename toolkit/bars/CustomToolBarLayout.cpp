// SECCustomToolBar's layout: the buttons wrapped into balanced rows, the sizes the bar takes
// docked, floating and in a rebar, and hit tests.
#include <toolkit/bars/CustomToolBar.h>

#include <afxpriv.h>
#include <toolkit/frames/ReBar.h>

#include <algorithm>
#include <vector>

namespace tarnwick::bars
{
using frames::SECReBar;

namespace
{
// What a band takes of the rebar's width beside its child: the gripper and the band's edges.
constexpr int REBAR_BAND_INSET = 12;
constexpr int NO_WIDTH_LIMIT = 32767;
} // namespace

SECCustomToolBar::SECBtnArray SECCustomToolBar::VisibleButtons() const
{
    SECBtnArray btns;
    btns.reserve(m_btns.size());
    for (SECStdBtn* pBtn : m_btns)
        if (!(pBtn->m_nStyle & TBBS_HIDDEN))
            btns.push_back(pBtn);
    return btns;
}

int SECCustomToolBar::SumWidths(const SECBtnArray& btns, int nFirst, int nLast)
{
    int cx = 0;
    for (int i = nFirst; i <= nLast; ++i)
        cx += btns[static_cast<size_t>(i)]->m_cx;
    return cx;
}

int SECCustomToolBar::RowHeight(const SECBtnArray& btns, int nFirst, int nLast) const
{
    int cy = 0;
    for (int i = nFirst; i <= nLast; ++i)
        if (!IsSeparator(btns[static_cast<size_t>(i)]))
            cy = std::max(cy, btns[static_cast<size_t>(i)]->m_cy);
    return cy;
}

void SECCustomToolBar::FillRow(const SECBtnArray& btns, Row& row, int nFirst, int nLast, BOOL bSepEnd) const
{
    const int nLastCounted = bSepEnd ? nLast - 1 : nLast;
    row.nLast = nLast;
    row.bSepEnd = bSepEnd;
    row.cx = SumWidths(btns, nFirst, nLastCounted);
    row.cy = RowHeight(btns, nFirst, nLastCounted);
}

int SECCustomToolBar::WrapButtons(int nWidth, Row* pRows)
{
    const SECBtnArray btns = VisibleButtons();
    const int nCount = static_cast<int>(btns.size());
    int nRows = 0;
    int nStart = 0;
    int x = 0;
    for (int i = 0; i < nCount; ++i)
    {
        const int cx = btns[static_cast<size_t>(i)]->m_cx;
        bool bConsumed = false;
        while (x + cx > nWidth + 2)
        {
            int nSep = -1;
            for (int j = i; j >= nStart && nSep < 0; --j)
                if (IsSeparator(btns[static_cast<size_t>(j)]))
                    nSep = j;
            if (nSep >= 0)
            {
                // The separator ends the row and is not counted in its width.
                FillRow(btns, pRows[nRows++], nStart, nSep, TRUE);
                nStart = nSep + 1;
                if (nSep == i)
                {
                    bConsumed = true;
                    x = 0;
                    break;
                }
                x = SumWidths(btns, nStart, i - 1);
                continue;
            }
            if (i > nStart)
            {
                FillRow(btns, pRows[nRows++], nStart, i - 1, FALSE);
                nStart = i;
                x = 0;
            }
            break;
        }
        if (!bConsumed)
            x += cx;
    }
    if (nStart < nCount)
        FillRow(btns, pRows[nRows++], nStart, nCount - 1, FALSE);
    return nRows;
}

BOOL SECCustomToolBar::TrailingGroup(const SECBtnArray& btns, const Row* pRows, int nRow, int& nFirst, int& cx) const
{
    const Row& row = pRows[nRow];
    const int nRowStart = nRow == 0 ? 0 : pRows[nRow - 1].nLast + 1;
    for (int j = row.nLast - 1; j >= nRowStart; --j)
        if (IsSeparator(btns[static_cast<size_t>(j)]))
        {
            // The buttons after the earlier separator, up to and with the ending one, go on.
            nFirst = j + 1;
            cx = SumWidths(btns, nFirst, row.nLast);
            return j > nRowStart;
        }
    return FALSE;
}

BOOL SECCustomToolBar::CanPassOn(const SECBtnArray& btns, const Row* pRows, int nCount, int nRow, int cxLimit) const
{
    if (nRow + 1 >= nCount || !pRows[nRow].bSepEnd)
        return FALSE;
    int nFirst = 0;
    int cx = 0;
    if (!TrailingGroup(btns, pRows, nRow, nFirst, cx))
        return FALSE;
    return pRows[nRow + 1].cx + cx < cxLimit || CanPassOn(btns, pRows, nCount, nRow + 1, cxLimit);
}

void SECCustomToolBar::BalanceRows(Row* pRows, int nCount)
{
    const SECBtnArray btns = VisibleButtons();
    // Each pass moves buttons down a row; the bound keeps rare ties from cycling.
    for (int nPass = 0; nPass < static_cast<int>(btns.size()) * nCount + 1; ++nPass)
    {
        int nWidest = 0;
        for (int i = 1; i < nCount; ++i)
            if (pRows[i].cx >= pRows[nWidest].cx)
                nWidest = i;
        if (nWidest == nCount - 1)
            return;
        Row& row = pRows[nWidest];
        Row& next = pRows[nWidest + 1];
        const int nRowStart = nWidest == 0 ? 0 : pRows[nWidest - 1].nLast + 1;
        if (row.bSepEnd)
        {
            int nFirst = 0;
            int cxGroup = 0;
            if (!TrailingGroup(btns, pRows, nWidest, nFirst, cxGroup))
                return;
            if (next.cx + cxGroup >= row.cx && !CanPassOn(btns, pRows, nCount, nWidest + 1, row.cx))
                return;
            const int cyGroup = RowHeight(btns, nFirst, row.nLast);
            row.nLast = nFirst - 1;
            row.cx = SumWidths(btns, nRowStart, row.nLast - 1);
            row.cy = std::min(row.cy, RowHeight(btns, nRowStart, row.nLast - 1));
            next.cx += cxGroup;
            next.cy = std::max(next.cy, cyGroup);
            continue;
        }
        if (row.nLast - nRowStart + 1 < 2)
            return;
        const SECStdBtn* pLast = btns[static_cast<size_t>(row.nLast)];
        if (next.cx + pLast->m_cx >= row.cx)
        {
            bool bLaterFits = false;
            for (int k = nWidest + 2; k < nCount && !bLaterFits; ++k)
                bLaterFits = pRows[k].bSepEnd && pRows[k].cx + pLast->m_cx < row.cx;
            if (!bLaterFits)
                return;
        }
        --row.nLast;
        row.cx -= pLast->m_cx;
        row.cy = std::min(row.cy, RowHeight(btns, nRowStart, row.nLast));
        next.cx += pLast->m_cx;
        next.cy = std::max(next.cy, pLast->m_cy);
        return;
    }
}

CSize SECCustomToolBar::CalcSize(int nLength, BOOL bVertical)
{
    const SECBtnArray btns = VisibleButtons();
    const int nCount = static_cast<int>(btns.size());
    std::vector<Row> rows(static_cast<size_t>(std::max(nCount, 1)));
    int cxWidest = 0;
    int cxNarrowest = NO_WIDTH_LIMIT;
    for (const SECStdBtn* pBtn : btns)
    {
        cxWidest = std::max(cxWidest, pBtn->m_cx);
        cxNarrowest = std::min(cxNarrowest, pBtn->m_cx);
    }
    const auto totalHeight = [&rows](int nRows) {
        int cy = 0;
        for (int i = 0; i < nRows; ++i)
            cy += rows[static_cast<size_t>(i)].cy;
        return cy;
    };
    int nRows = 0;
    if (!bVertical)
        nRows = WrapButtons(std::max(nLength, cxWidest), rows.data());
    else
    {
        const int nWantRows = std::max(1, nLength / std::max(1, GetButtonHeight()));
        int cxTry = NO_WIDTH_LIMIT;
        if (GetButtonWidth() * nCount / nWantRows > cxNarrowest)
            cxTry = GetButtonWidth() * nCount / nWantRows;
        nRows = WrapButtons(cxTry, rows.data());
        if (cxWidest < nLength)
        {
            // Narrower while the height still fits.
            while (cxTry > GetButtonWidth())
            {
                std::vector<Row> trial(rows.size());
                const int nTrialRows = WrapButtons(cxTry - GetButtonWidth(), trial.data());
                int cy = 0;
                for (int i = 0; i < nTrialRows; ++i)
                    cy += trial[static_cast<size_t>(i)].cy;
                if (cy > nLength)
                    break;
                cxTry -= GetButtonWidth();
                rows = trial;
                nRows = nTrialRows;
            }
        }
        else
        {
            while (totalHeight(nRows) > nLength && nRows > 1 && cxTry < NO_WIDTH_LIMIT)
            {
                cxTry += GetButtonWidth();
                nRows = WrapButtons(cxTry, rows.data());
            }
        }
    }
    if (nRows > 1)
        BalanceRows(rows.data(), nRows);
    for (SECStdBtn* pBtn : btns)
        pBtn->m_nStyle &= ~TBBS_WRAPPED;
    CSize size(0, 0);
    for (int i = 0; i < nRows; ++i)
    {
        const Row& row = rows[static_cast<size_t>(i)];
        if (i < nRows - 1)
            btns[static_cast<size_t>(row.nLast)]->m_nStyle |= TBBS_WRAPPED;
        size.cx = std::max<LONG>(size.cx, row.cx);
        size.cy += row.cy + (row.bSepEnd ? m_nSepWidth : 0);
    }
    return size;
}

void SECCustomToolBar::PositionButtons(const SECBtnArray& btns, const CPoint& ptOrigin, BOOL bVertDock)
{
    int x = ptOrigin.x;
    int y = ptOrigin.y;
    size_t nRowStart = 0;
    // Buttons centred vertically sit lower in a taller row.
    const auto alignRow = [&btns](size_t nFirst, size_t nLast, int cyRow) {
        for (size_t j = nFirst; j <= nLast && j < btns.size(); ++j)
            if ((btns[j]->m_nStyle & TBBS_VCENTER) && btns[j]->m_cy < cyRow)
                btns[j]->m_y += (cyRow - btns[j]->m_cy) / 2;
    };
    for (size_t i = 0; i < btns.size(); ++i)
    {
        SECStdBtn* pBtn = btns[i];
        pBtn->SetVertical(m_bVertical);
        if (!(pBtn->m_nStyle & TBBS_WRAPPED))
        {
            pBtn->SetPos(x, y);
            x += pBtn->m_cx;
            continue;
        }
        const int cyRow = i > nRowStart ? RowHeight(btns, static_cast<int>(nRowStart), static_cast<int>(i) - 1) : 0;
        if (IsSeparator(pBtn) && bVertDock)
        {
            // A separator of a vertical bar has a line of its own.
            alignRow(nRowStart, i - 1, cyRow);
            y += cyRow;
            pBtn->SetPos(ptOrigin.x, y);
            y += pBtn->m_cx;
        }
        else
        {
            pBtn->SetPos(x, y);
            alignRow(nRowStart, i, std::max(cyRow, IsSeparator(pBtn) ? 0 : pBtn->m_cy));
            y += std::max(cyRow, IsSeparator(pBtn) ? 0 : pBtn->m_cy);
            if (IsSeparator(pBtn))
                y += m_nSepWidth * 2 / 3;
        }
        x = ptOrigin.x;
        nRowStart = i + 1;
    }
    if (nRowStart < btns.size())
        alignRow(nRowStart, btns.size() - 1,
                 RowHeight(btns, static_cast<int>(nRowStart), static_cast<int>(btns.size()) - 1));
}

CSize SECCustomToolBar::CalcLayout(int nLength, DWORD dwMode)
{
    const BOOL bHorz = (dwMode & LM_HORZ) != 0;
    const BOOL bVertDock = (dwMode & LM_VERTDOCK) != 0;
    CRect rectBorder(0, 0, 0, 0);
    CalcInsideRect(rectBorder, bHorz, TRUE);
    const CSize sizeBorder(-rectBorder.Width(), -rectBorder.Height());
    CSize* pCache = (dwMode & LM_HORZDOCK) ? &m_sizeHorz : bVertDock ? &m_sizeVert : &m_sizeFloat;
    BOOL* pDirty = (dwMode & LM_HORZDOCK) ? &m_bDirtyHorz : bVertDock ? &m_bDirtyVert : &m_bDirtyFloat;
    const BOOL bFullLength = (m_dwExStyle & CBRS_EX_FULLLENGTH) != 0;
    // A band's bar always lays out anew: the rebar sizes the band from the answer.
    SECReBar* pReBar = GetOwnerReBar();
    if (pReBar != nullptr)
        dwMode |= LM_COMMIT;

    if (bFullLength && m_hWnd != nullptr)
    {
        CFrameWnd* pFrame = GetDockingFrame();
        if ((dwMode & LM_HORZDOCK) && pReBar != nullptr)
        {
            // Before the frame gives the rebar its width the bar keeps to one row.
            CRect rectClient;
            pReBar->GetClientRect(rectClient);
            if (rectClient.Width() > REBAR_BAND_INSET)
                nLength = rectClient.Width() - REBAR_BAND_INSET;
        }
        else if ((dwMode & LM_HORZDOCK) && pFrame != nullptr)
        {
            CRect rectClient;
            pFrame->GetClientRect(rectClient);
            nLength = rectClient.Width();
        }
        else if (bVertDock && nLength == 0 && pFrame != nullptr)
        {
            CWnd* pDock = pFrame->GetDlgItem(AFX_IDW_DOCKBAR_LEFT);
            if (pDock == nullptr)
                pDock = pFrame->GetDlgItem(AFX_IDW_DOCKBAR_RIGHT);
            if (pDock != nullptr)
            {
                CRect rectDock;
                pDock->GetClientRect(rectDock);
                nLength = rectDock.Height();
            }
        }
    }

    CSize size;
    if (!(dwMode & LM_COMMIT))
        size = *pCache;
    else
    {
        const SECBtnArray btns = VisibleButtons();
        m_bVertical = (m_dwStyle & CBRS_ORIENT_VERT) != 0 && !(m_dwStyle & CBRS_FLOATING);
        if (btns.empty())
        {
            size = CSize(GetButtonWidth(), GetButtonHeight()) + sizeBorder;
            if (bFullLength && nLength > 0)
                (bHorz ? size.cx : size.cy) = nLength;
        }
        else
        {
            const BOOL bLengthY = (dwMode & LM_LENGTHY) != 0;
            int nWrap = nLength;
            BOOL bVerticalWrap = FALSE;
            if (m_dwStyle & CBRS_SIZE_FIXED)
                nWrap = NO_WIDTH_LIMIT;
            if (!(m_dwStyle & CBRS_SIZE_DYNAMIC))
                nWrap = m_bVertical ? 0 : NO_WIDTH_LIMIT;
            else if (dwMode & LM_MRUWIDTH)
                nWrap = m_nMRUWidth;
            else if (nLength == -1 && !IsFloating())
                nWrap = bVertDock ? 0 : NO_WIDTH_LIMIT;
            else if (bLengthY)
            {
                bVerticalWrap = TRUE;
                nWrap = nLength - sizeBorder.cy;
            }
            else if (nLength >= 0)
                nWrap = nLength - sizeBorder.cx;
            size = CalcSize(std::max(nWrap, 0), bVerticalWrap);
            PositionButtons(btns, CPoint(rectBorder.left, rectBorder.top), bVertDock);
            size += sizeBorder;
            if (m_dwExStyle & CBRS_EX_EXTRALENGTH)
                (bHorz ? size.cx : size.cy) += 2;
        }
        if (bFullLength && nLength > 0)
        {
            if (bHorz)
                size.cx = nLength;
            else
                size.cy = nLength;
            // The frame-control buttons stand at the far end.
            SECStdBtn* pLast = m_btns.empty() ? nullptr : m_btns.back();
            if (pLast != nullptr && pLast->m_nType == SECStdBtn::KindFrameControl && !(pLast->m_nStyle & TBBS_HIDDEN))
            {
                if (bHorz)
                    pLast->SetPos(size.cx - pLast->m_cx - 2 - (-rectBorder.right), pLast->m_y);
                else
                    pLast->SetPos(pLast->m_x, size.cy - pLast->m_cy - 2 - (-rectBorder.bottom));
            }
        }
        *pCache = size;
        *pDirty = FALSE;
        if ((m_dwStyle & CBRS_FLOATING) && !(dwMode & LM_LENGTHY) && nLength > 0)
            m_nMRUWidth = nLength;
    }
    if (m_dwStyle & CBRS_FLOATING)
        size -= CSize(2, 2);
    if (pReBar != nullptr)
        UpdateRebarBand(pReBar, size);
    return size;
}

SECReBar* SECCustomToolBar::GetOwnerReBar() const
{
    return m_hWnd != nullptr ? DYNAMIC_DOWNCAST(SECReBar, GetOwner()) : nullptr;
}

void SECCustomToolBar::UpdateRebarBand(SECReBar* pReBar, CSize size)
{
    const int nBand = pReBar->FindBand(m_hWnd);
    if (nBand < 0)
        return;
    REBARBANDINFOW info{};
    info.fMask = RBBIM_CHILDSIZE;
    if (!pReBar->GetBandInfo(nBand, info))
        return;
    const REBARBANDINFOW old = info;
    info.cyMinChild = static_cast<UINT>(size.cy);
    if ((m_dwExStyle & CBRS_EX_FULLLENGTH) && size.cx >= 1)
        info.cxMinChild = static_cast<UINT>(size.cx);
    if (info.cyMinChild != old.cyMinChild || info.cxMinChild != old.cxMinChild)
        pReBar->SetBandInfo(nBand, info);
}

CSize SECCustomToolBar::CalcFixedLayout(BOOL, BOOL bHorz)
{
    return CalcLayout(-1, bHorz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK);
}

CSize SECCustomToolBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    CSize size = CalcDynamicLayoutOfButtons(nLength, dwMode);
    // A bar outside any dock bar spans its parent (SizeToParent).
    if (m_pDockContext == nullptr && m_nParentLength > 0)
    {
        if (m_dwStyle & CBRS_ORIENT_HORZ)
            size.cx = std::max<LONG>(size.cx, m_nParentLength);
        else if (m_dwStyle & CBRS_ORIENT_VERT)
            size.cy = std::max<LONG>(size.cy, m_nParentLength);
    }
    return size;
}

CSize SECCustomToolBar::CalcDynamicLayoutOfButtons(int nLength, DWORD dwMode)
{
    if (!(dwMode & LM_COMMIT))
    {
        const bool bDirty = ((dwMode & LM_HORZDOCK) && (dwMode & LM_HORZ) && m_bDirtyHorz) ||
                            ((dwMode & LM_VERTDOCK) && m_bDirtyVert) || ((dwMode & LM_MRUWIDTH) && m_bDirtyFloat);
        if (bDirty)
            return CalcLayout((dwMode & LM_VERTDOCK) ? 0 : NO_WIDTH_LIMIT, dwMode | LM_COMMIT);
        return CalcLayout(nLength, dwMode);
    }
    const bool bHorzByHeight = (dwMode & LM_HORZDOCK) && (dwMode & LM_LENGTHY);
    const bool bVertByWidth = (dwMode & LM_VERTDOCK) && !(dwMode & LM_LENGTHY);
    if (!bHorzByHeight && !bVertByWidth)
        return CalcLayout(nLength, dwMode);
    return CalcLayout(nLength, dwMode & ~LM_COMMIT);
}

int SECCustomToolBar::HitTest(int x, int y, LPCRECT) const
{
    int nRowFirst = 0;
    while (nRowFirst < GetBtnCount())
    {
        int nRowLast = nRowFirst;
        while (nRowLast < GetBtnCount() - 1 && !(GetButton(nRowLast)->m_nStyle & TBBS_WRAPPED))
            ++nRowLast;
        int yTop = INT_MAX;
        int yBottom = INT_MIN;
        for (int i = nRowFirst; i <= nRowLast; ++i)
            if (const SECStdBtn* pBtn = GetButton(i); !(pBtn->m_nStyle & TBBS_HIDDEN))
            {
                yTop = std::min(yTop, pBtn->m_y);
                yBottom = std::max(yBottom, pBtn->m_y + pBtn->m_cy);
            }
        if (y >= yTop && y <= yBottom)
            for (int i = nRowFirst; i <= nRowLast; ++i)
            {
                const SECStdBtn* pBtn = GetButton(i);
                if (!(pBtn->m_nStyle & TBBS_HIDDEN) && pBtn->GetRect().PtInRect(CPoint(x, y)))
                    return IsSeparator(pBtn) ? -1 : i;
            }
        nRowFirst = nRowLast + 1;
    }
    return -1;
}

INT_PTR SECCustomToolBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    const INT_PTR nBase = SECControlBar::OnToolHitTest(point, pTI);
    if (nBase != -1)
        return nBase;
    const int nIndex = HitTest(point.x, point.y);
    return nIndex < 0 ? -1 : GetButton(nIndex)->OnToolHitTest(point.x, point.y, pTI);
}
} // namespace tarnwick::bars
