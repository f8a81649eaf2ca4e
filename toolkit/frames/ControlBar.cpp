// SECControlBar: sizes, shares and the extended style word.
#include <toolkit/frames/ControlBar.h>

namespace tarnwick::frames
{
IMPLEMENT_DYNCREATE(SECControlBar, CControlBar)

namespace
{
// The size every bar starts with in each docking state.
const CSize DEFAULT_BAR_SIZE(300, 180);
constexpr UINT MAX_ID_PROBES = 1000;
} // namespace

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
} // namespace tarnwick::frames
