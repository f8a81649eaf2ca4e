#include <grid/services/mouse/AutoScrollPlugin.h>

#include <grid/core/GridCore.h>

#include <algorithm>
#include <cstdlib>

namespace
{
constexpr UINT_PTR autoScrollTimer = 992;
constexpr int startInterval = 80;
constexpr int movedRepeatInterval = 100;
constexpr int fastInterval = 40;
constexpr int maxAcceleration = 80;
constexpr int stillPixels = 6;
constexpr int mouseTracking = -1;
} // namespace

IMPLEMENT_DYNAMIC(CGXAutoScrollPlugin, CGXPluginComponent)

DWORD(WINAPI* CGXAutoScrollPlugin::s_pfnGetTickCount)() = ::GetTickCount;
BOOL(WINAPI* CGXAutoScrollPlugin::s_pfnGetCursorPos)(LPPOINT) = ::GetCursorPos;

// clang-format off
BEGIN_MESSAGE_MAP(CGXAutoScrollPlugin, CGXPluginComponent)
    ON_WM_TIMER()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONUP()
    ON_WM_MBUTTONUP()
    ON_WM_KEYUP()
    ON_WM_KEYDOWN()
    ON_WM_CANCELMODE()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()
// clang-format on

CGXAutoScrollPlugin::CGXAutoScrollPlugin(CGXGridCore* pGrid) : m_pGrid(pGrid)
{
}

CPoint CGXAutoScrollPlugin::CursorPoint() const
{
    CPoint point;
    s_pfnGetCursorPos(&point);
    ::ScreenToClient(m_hWnd, &point);
    return point;
}

ROWCOL CGXAutoScrollPlugin::ScrollCount() const
{
    return static_cast<ROWCOL>(std::max(1, m_nAcceleration / 10));
}

void CGXAutoScrollPlugin::Begin()
{
    CGXGridCore* pGrid = m_pGrid;
    m_bRows = pGrid->m_nAutoScrollRows != 0;
    m_bCols = pGrid->m_nAutoScrollCols != 0;
    m_nMode = pGrid->m_nAutoScrollDirection;
    m_nKey = pGrid->m_nTrackedKey;
    m_nKeyFlags = pGrid->m_nTrackedKeyFlags;
    m_nTimerId = pGrid->m_nAutoScrollTimer;
    pGrid->GetGridRect(&m_rectArea);
    m_rectArea.top += pGrid->CalcSumOfRowHeights(0, pGrid->GetFrozenRows());
    m_rectArea.left += pGrid->CalcSumOfColWidths(0, pGrid->GetFrozenCols());
    m_dwStart = m_dwLastRepeat = s_pfnGetTickCount();
    m_dwLastScroll = 0;
    m_nLastDistance = 0;
    m_nScrollInterval = m_nRepeatInterval = startInterval;
    m_nAcceleration = 1;
    m_ptStart = CursorPoint();
    pGrid->m_bAutoScroll = FALSE;
}

void CGXAutoScrollPlugin::Reset()
{
    m_nScrollInterval = startInterval;
    m_nAcceleration = 1;
}

void CGXAutoScrollPlugin::Accelerate(int nDistance, int nDivisor, BOOL bMouse, CPoint point)
{
    if (nDistance >= m_nLastDistance && nDistance > 1)
    {
        m_nScrollInterval -= nDistance / nDivisor / 2;
        if (m_nScrollInterval < 0)
        {
            m_nScrollInterval = 0;
            m_nAcceleration = std::min(maxAcceleration, m_nAcceleration + 2);
        }
    }
    else
        Reset();
    m_nLastDistance = nDistance;
    if (bMouse)
        SendMessage(WM_MOUSEMOVE, m_pGrid->m_nPressedButton, MAKELPARAM(point.x, point.y));
}

void CGXAutoScrollPlugin::Step()
{
    CGXGridCore* pGrid = m_pGrid;
    if (!pGrid->IsMouseTracking())
        return; // a timer message left from an ended tracking
    if (pGrid->m_bAutoScrollStop)
    {
        Stop();
        return;
    }
    if (pGrid->m_bAutoScroll)
        Begin();
    const DWORD dwNow = s_pfnGetTickCount();
    const CPoint point = CursorPoint();
    const BOOL bKey = pGrid->m_bKeyTracking;
    const BOOL bMouse = !bKey && m_nMode == mouseTracking;

    if (dwNow - m_dwLastScroll < static_cast<DWORD>(m_nScrollInterval))
    {
        if (!bMouse)
            return;
        const BOOL bStill = std::abs(point.x - m_ptStart.x) + std::abs(point.y - m_ptStart.y) < stillPixels;
        if (bStill && dwNow - m_dwLastRepeat >= static_cast<DWORD>(m_nRepeatInterval))
        {
            SendMessage(WM_MOUSEMOVE, pGrid->m_nPressedButton, MAKELPARAM(point.x, point.y));
            m_nRepeatInterval = std::max(0, m_nRepeatInterval - 3);
            m_dwLastRepeat = dwNow;
        }
        else if (!bStill)
        {
            SendMessage(WM_MOUSEMOVE, pGrid->m_nPressedButton, MAKELPARAM(point.x, point.y));
            m_nRepeatInterval = movedRepeatInterval;
            m_dwLastRepeat = dwNow;
        }
        return;
    }

    m_dwLastScroll = dwNow;
    if (bKey)
    {
        if (m_nScrollInterval < fastInterval)
            SendMessage(WM_KEYDOWN, m_nKey,
                        MAKELPARAM(std::max(1, m_nAcceleration / 5), static_cast<WORD>(m_nKeyFlags)));
        Accelerate(8, 1, FALSE, point);
        return;
    }
    if (m_nMode >= 1 && m_nMode <= 4)
    {
        if (m_nScrollInterval < fastInterval)
            pGrid->DoScroll(m_nMode, ScrollCount());
        Accelerate(2, 1, FALSE, point);
        return;
    }
    if (m_bRows && (point.y < m_rectArea.top || point.y >= m_rectArea.bottom))
    {
        const BOOL bUp = point.y < m_rectArea.top;
        if (pGrid->DoScroll(bUp ? 1 : 3, ScrollCount()))
        {
            Accelerate(bUp ? m_rectArea.top - point.y : point.y - m_rectArea.bottom + 1, 5, TRUE, point);
            return;
        }
    }
    if (!m_bCols)
    {
        Reset();
        return;
    }
    if (point.x < m_rectArea.left || point.x >= m_rectArea.right)
    {
        const BOOL bLeft = point.x < m_rectArea.left;
        if (pGrid->DoScroll(bLeft ? 2 : 4, ScrollCount()))
        {
            Accelerate(bLeft ? m_rectArea.left - point.x : point.x - m_rectArea.right + 1, 10, TRUE, point);
            return;
        }
    }
    Reset();
}

void CGXAutoScrollPlugin::Stop()
{
    m_pGrid->StopMouseTracking();
    m_nMode = mouseTracking;
}

void CGXAutoScrollPlugin::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != autoScrollTimer)
        return;
    m_bHandled = TRUE;
    Step();
}

void CGXAutoScrollPlugin::OnLButtonUp(UINT /*nFlags*/, CPoint /*point*/)
{
    Stop();
}

void CGXAutoScrollPlugin::OnRButtonUp(UINT /*nFlags*/, CPoint /*point*/)
{
    Stop();
}

void CGXAutoScrollPlugin::OnMButtonUp(UINT /*nFlags*/, CPoint /*point*/)
{
    Stop();
}

void CGXAutoScrollPlugin::OnKeyUp(UINT /*nChar*/, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    Stop();
}

void CGXAutoScrollPlugin::OnKeyDown(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    if (nChar != m_pGrid->m_nTrackedKey || nChar == VK_ESCAPE)
        Stop();
}

void CGXAutoScrollPlugin::OnCancelMode()
{
    Stop();
}

void CGXAutoScrollPlugin::OnKillFocus(CWnd* /*pNewWnd*/)
{
    if (!m_pGrid->m_bUpdatingForNewCell)
        Stop();
}
