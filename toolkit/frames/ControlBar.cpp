// SECControlBar: sizes, shares and the extended style word.
#include <toolkit/frames/ControlBar.h>

#include <algorithm>

namespace tarnwick::frames
{
IMPLEMENT_DYNCREATE(SECControlBar, CControlBar)

namespace
{
// The size every bar starts with in each docking state.
const CSize DEFAULT_BAR_SIZE(300, 180);
constexpr UINT MAX_ID_PROBES = 1000;
int g_nControlBarGlobalFlag = 1;

UINT ChildMoveFlags()
{
    return g_nControlBarGlobalFlag > 0 ? SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE : SWP_NOZORDER | SWP_NOACTIVATE;
}
} // namespace

BEGIN_MESSAGE_MAP(SECControlBar, CControlBar)
ON_WM_SIZE()
END_MESSAGE_MAP()

SECControlBar::SECControlBar()
    : m_szMRUHorzDock(0, 0), m_szMRUVertDock(0, 0), m_szMRUFloat(0, 0), m_fPctWidth(1.0f), m_dwExStyle(0),
      m_rcMargins(10, 10, 10, 10), m_bShareSettled(TRUE)
{
}

BOOL SECControlBar::Create(CWnd* pParentWnd, LPCTSTR lpszWindowName, DWORD dwStyle, DWORD dwExStyle, UINT nID)
{
    m_dwExStyle = dwExStyle;
    if (!CreateBar(dwStyle, pParentWnd, nID, lpszWindowName))
        return FALSE;
    m_szMRUHorzDock = m_szMRUVertDock = m_szMRUFloat = DEFAULT_BAR_SIZE;
    m_nMRUWidth = DEFAULT_BAR_SIZE.cx;
    if (m_dwExStyle & CBRS_EX_PROPORTIONAL)
        CollectChildRects();
    EnableToolTips(TRUE);
    return TRUE;
}

CSize SECControlBar::CalcFixedLayout(BOOL, BOOL bHorz)
{
    return bHorz ? m_szMRUHorzDock : m_szMRUVertDock;
}

CSize SECControlBar::CalcDynamicLayout(int nLength, DWORD nMode)
{
    if (nMode & LM_COMMIT)
    {
        const int nValue = (nMode & LM_STRETCH) ? static_cast<int>(m_fPctWidth * static_cast<float>(nLength)) : nLength;
        const bool bLengthY = (nMode & LM_LENGTHY) != 0;
        if (nMode & LM_HORZDOCK)
            (bLengthY ? m_szMRUHorzDock.cy : m_szMRUHorzDock.cx) = nValue;
        else if (nMode & LM_VERTDOCK)
            (bLengthY ? m_szMRUVertDock.cy : m_szMRUVertDock.cx) = nValue;
        else if (bLengthY)
            m_szMRUFloat.cy = nValue;
        else
            m_szMRUFloat.cx = m_nMRUWidth = nValue;
    }
    if (nMode & (LM_HORZDOCK | LM_VERTDOCK))
        return CalcFixedLayout(nMode & LM_STRETCH, (nMode & LM_HORZ) != 0);
    return m_szMRUFloat;
}

void SECControlBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
}

BOOL SECControlBar::HasDockedGripper() const
{
    return (m_dwExStyle & CBRS_EX_GRIPPER) && !IsFloating();
}

void SECControlBar::GetInsideRect(CRect& rect) const
{
    GetClientRect(&rect);
    if (HasDockedGripper())
    {
        if (m_dwStyle & CBRS_ORIENT_HORZ)
            rect.DeflateRect(GRIPPER_WIDTH, GRIPPER_MARGIN, GRIPPER_MARGIN, GRIPPER_MARGIN);
        else
            rect.DeflateRect(GRIPPER_MARGIN, GRIPPER_WIDTH, GRIPPER_MARGIN, GRIPPER_MARGIN);
    }
    else if (m_dwExStyle & CBRS_EX_MARGINS)
    {
        rect.DeflateRect(m_rcMargins.left, m_rcMargins.top, m_rcMargins.right, m_rcMargins.bottom);
    }
}

void SECControlBar::SetExBarStyle(DWORD dwExStyle, BOOL bRedraw)
{
    const DWORD dwOld = m_dwExStyle;
    if (!(dwOld & dwExStyle & CBRS_EX_PROPORTIONAL))
    {
        if (dwExStyle & CBRS_EX_PROPORTIONAL)
            CollectChildRects();
        else
            m_childRects.clear();
    }
    m_dwExStyle = dwExStyle | (dwOld & CBRS_EX_THEMEDGRIPPER);
    if (m_dwExStyle != dwOld && bRedraw && m_hWnd != nullptr)
        SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOMOVE);
}

void SECControlBar::ModifyBarStyleEx(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw)
{
    SetExBarStyle((m_dwExStyle & ~dwRemove) | dwAdd, bRedraw);
}

void SECControlBar::CalcInsideRect(CRect& rect, BOOL bHorz, BOOL bWithGripper) const
{
    if (!(m_dwExStyle & CBRS_EX_BORDERS))
    {
        CControlBar::CalcInsideRect(rect, bHorz);
        return;
    }
    rect.left += (m_dwStyle & CBRS_BORDER_LEFT) ? 1 : 0;
    rect.top += (m_dwStyle & CBRS_BORDER_TOP) ? 1 : 0;
    rect.right -= (m_dwStyle & CBRS_BORDER_RIGHT) ? 1 : 0;
    rect.bottom -= (m_dwStyle & CBRS_BORDER_BOTTOM) ? 1 : 0;
    if (bHorz)
    {
        rect.left += HasDockedGripper() ? GRIPPER_WIDTH : m_cxLeftBorder;
        rect.top += m_cyTopBorder;
        rect.right -= m_cxRightBorder;
        rect.bottom -= m_cyBottomBorder;
    }
    else
    {
        rect.left += m_cyTopBorder;
        rect.top += (bWithGripper && HasDockedGripper()) ? GRIPPER_WIDTH : m_cxLeftBorder;
        rect.right -= m_cyBottomBorder;
        rect.bottom -= m_cxRightBorder;
    }
}

UINT SECControlBar::FindFreeBarID(CFrameWnd* pFrame, UINT nStart)
{
    CMap<UINT, UINT, BOOL, BOOL> used;
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != nullptr;)
    {
        auto* pBar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
        used[LOWORD(pBar->GetDlgCtrlID())] = TRUE;
    }
    BOOL bUsed = FALSE;
    for (UINT nID = nStart, nProbes = 0; nProbes < MAX_ID_PROBES; ++nID, ++nProbes)
        if (!used.Lookup(nID, bUsed))
            return nID;
    return 0;
}
void SECControlBar::SetControlBarGlobalFlag(int nFlag)
{
    g_nControlBarGlobalFlag = nFlag;
}

void SECControlBar::CollectChildRects()
{
    m_childRects.clear();
    if (m_hWnd == nullptr)
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    m_childRects.push_back({nullptr, rectClient});
    for (HWND hChild = ::GetTopWindow(m_hWnd); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        CRect rect;
        ::GetWindowRect(hChild, &rect);
        ScreenToClient(&rect);
        m_childRects.push_back({hChild, rect});
    }
}

void SECControlBar::OnSize(UINT nType, int cx, int cy)
{
    if (nType != SIZE_MINIMIZED && cx > 0 && cy > 0)
        LayoutChildren(cx, cy);
    Default();
}

void SECControlBar::LayoutChildren(int cx, int cy)
{
    CPoint origin(0, 0);
    CSize size(cx, cy);
    if (m_dwExStyle & CBRS_EX_GRIPPER)
    {
        if (m_dwStyle & CBRS_ORIENT_HORZ)
        {
            origin = CPoint(GRIPPER_WIDTH, GRIPPER_MARGIN);
            size = CSize(cx - GRIPPER_WIDTH - GRIPPER_MARGIN, cy - 2 * GRIPPER_MARGIN);
        }
        else
        {
            origin = CPoint(GRIPPER_MARGIN, GRIPPER_WIDTH);
            size = CSize(cx - 2 * GRIPPER_MARGIN, cy - GRIPPER_MARGIN - GRIPPER_WIDTH);
        }
    }
    else if (m_dwExStyle & CBRS_EX_MARGINS)
    {
        origin = m_rcMargins.TopLeft();
        size = CSize(cx - m_rcMargins.left - m_rcMargins.right, cy - m_rcMargins.top - m_rcMargins.bottom);
    }
    size.cx = std::max<LONG>(size.cx, 0);
    size.cy = std::max<LONG>(size.cy, 0);

    if ((m_dwExStyle & CBRS_EX_PROPORTIONAL) && !m_childRects.empty())
    {
        // Recorded while the bar had no size there is nothing to scale from: the places the
        // children have now become the record.
        const CSize recorded = m_childRects.front().rect.Size();
        if (recorded.cx <= 0 || recorded.cy <= 0)
        {
            CollectChildRects();
            return;
        }
        HDWP hdwp = ::BeginDeferWindowPos(static_cast<int>(m_childRects.size()));
        for (auto it = m_childRects.begin() + 1; it != m_childRects.end() && hdwp != nullptr; ++it)
        {
            CRect rect(
                it->rect.left * size.cx / recorded.cx + origin.x, it->rect.top * size.cy / recorded.cy + origin.y,
                it->rect.right * size.cx / recorded.cx + origin.x, it->rect.bottom * size.cy / recorded.cy + origin.y);
            if (m_dwExStyle & CBRS_EX_MARGINS)
                rect.OffsetRect(m_rcMargins.left, m_rcMargins.top);
            hdwp = ::DeferWindowPos(hdwp, it->hWnd, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                                    ChildMoveFlags());
        }
        if (hdwp != nullptr)
            ::EndDeferWindowPos(hdwp);
        if (IsFloating())
            Invalidate();
    }
    else if (m_dwExStyle & CBRS_EX_STRETCHCHILD)
    {
        if (IsFloating() && (m_dwExStyle & CBRS_EX_GRIPPER))
        {
            // A floating bar draws no gripper: its child takes the strip back.
            origin = CPoint(0, 0);
            size = CSize(cx, cy);
        }
        if (HWND hChild = ::GetTopWindow(m_hWnd))
            ::SetWindowPos(hChild, nullptr, origin.x, origin.y, size.cx, size.cy, ChildMoveFlags());
    }
}
} // namespace tarnwick::frames
