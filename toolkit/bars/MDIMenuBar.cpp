// SECMDIMenuBar: the maximised child's buttons at the ends of the menu bar.
#include <toolkit/bars/MDIMenuBar.h>

#include <algorithm>

namespace tarnwick::bars
{
IMPLEMENT_DYNCREATE(SECMDIMenuBar, SECMenuBar)

namespace
{
constexpr UINT MDI_BUTTON_ID = 0x80000000;
constexpr DWORD CAPTION_STYLE_BITS = WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
} // namespace

BEGIN_MESSAGE_MAP(SECMDIMenuBar, SECMenuBar)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

SECMDIMenuBar::SECMDIMenuBar() : m_hChildIcon(nullptr), m_dwPressTick(0)
{
    m_btnSysMenu.m_nStyle = TBBS_HIDDEN;
    m_btnCaption.m_nStyle = TBBS_HIDDEN;
    PutBackMDIButtons();
}

SECMDIMenuBar::~SECMDIMenuBar()
{
    // The embedded buttons are no heap buttons.
    TakeOutMDIButtons();
}

int SECMDIMenuBar::GetButtonHeight() const
{
    LOGFONT lf{};
    if (m_fontMenu.m_hObject != nullptr)
        const_cast<CFont&>(m_fontMenu).GetLogFont(&lf);
    return std::abs(lf.lfHeight) + 12;
}

void SECMDIMenuBar::TakeOutMDIButtons()
{
    std::erase_if(m_btns, [this](SECStdBtn* p) { return p == &m_btnCaption || p == &m_btnSysMenu; });
}

void SECMDIMenuBar::PutBackMDIButtons()
{
    m_btns.insert(m_btns.begin(), &m_btnSysMenu);
    m_btns.push_back(&m_btnCaption);
}

BOOL SECMDIMenuBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    TakeOutMDIButtons();
    SECMenuBar::SetButtons(lpIDArray, nIDCount);
    for (SECStdBtn* pBtn : {static_cast<SECStdBtn*>(&m_btnSysMenu), static_cast<SECStdBtn*>(&m_btnCaption)})
    {
        pBtn->m_nID = MDI_BUTTON_ID;
        pBtn->m_nStyle = MENU_BUTTON_STYLE | (pBtn->m_nStyle & TBBS_HIDDEN);
        pBtn->Init(this, nullptr);
    }
    PutBackMDIButtons();
    UpdateMDIButtons(FALSE);
    return TRUE;
}

BOOL SECMDIMenuBar::IsRecordedButton(const SECStdBtn* pBtn) const
{
    return pBtn != &m_btnCaption && pBtn != &m_btnSysMenu;
}

BOOL SECMDIMenuBar::RemoveButton(int nIndex, BOOL bNoRecalc)
{
    if (nIndex < 0 || nIndex >= GetBtnCount() || GetButton(nIndex) == &m_btnCaption ||
        GetButton(nIndex) == &m_btnSysMenu)
        return 0;
    TakeOutMDIButtons();
    const BOOL bResult = SECMenuBar::RemoveButton(nIndex - 1, TRUE);
    PutBackMDIButtons();
    if (!bNoRecalc)
        RecalcAndRepaint();
    return bResult;
}

void SECMDIMenuBar::InsertButton(int nIndex, UINT nID, BOOL bSeparator, BOOL bNoRecalc)
{
    TakeOutMDIButtons();
    SECMenuBar::InsertButton(std::max(0, nIndex - 1), nID, bSeparator, TRUE);
    PutBackMDIButtons();
    if (!bNoRecalc)
        RecalcAndRepaint();
}

BOOL SECMDIMenuBar::UpdateMDIButtons(BOOL bHide)
{
    CMDIChildWnd* pChild = nullptr;
    BOOL bMaximized = FALSE;
    if (auto* pFrame = dynamic_cast<CMDIFrameWnd*>(GetTopLevelFrame()))
        pChild = pFrame->MDIGetActive(&bMaximized);
    if (!bHide && pChild != nullptr && bMaximized && (pChild->GetStyle() & WS_SYSMENU))
    {
        BOOL bChanged = FALSE;
        if (m_btnSysMenu.m_nStyle & TBBS_HIDDEN)
        {
            m_btnSysMenu.m_nStyle &= ~TBBS_HIDDEN;
            bChanged = TRUE;
        }
        auto hIcon = reinterpret_cast<HICON>(pChild->SendMessage(WM_GETICON, ICON_BIG));
        if (hIcon == nullptr)
            hIcon = reinterpret_cast<HICON>(pChild->SendMessage(WM_GETICON, ICON_SMALL));
        if (hIcon == nullptr)
            hIcon = reinterpret_cast<HICON>(::GetClassLongPtr(pChild->m_hWnd, GCLP_HICONSM));
        if (hIcon != m_hChildIcon)
        {
            m_hChildIcon = m_btnSysMenu.m_hIcon = hIcon;
            m_btnSysMenu.Invalidate();
        }
        const DWORD dwBits = pChild->GetStyle() & CAPTION_STYLE_BITS;
        if (!(m_btnCaption.m_nStyle & TBBS_HIDDEN) && m_btnCaption.m_dwChildStyle == dwBits)
        {
            if (bChanged)
                m_bDirtyFloat = m_bDirtyHorz = m_bDirtyVert = TRUE;
            return bChanged;
        }
        m_btnCaption.m_nStyle &= ~TBBS_HIDDEN;
        m_btnCaption.m_dwChildStyle = dwBits;
        m_btnCaption.Invalidate();
        m_bDirtyFloat = m_bDirtyHorz = m_bDirtyVert = TRUE;
        return TRUE;
    }
    if (m_btnCaption.m_nStyle & TBBS_HIDDEN)
        return FALSE;
    m_btnSysMenu.m_nStyle |= TBBS_HIDDEN;
    m_btnCaption.m_nStyle |= TBBS_HIDDEN;
    m_btnSysMenu.Invalidate();
    m_btnCaption.Invalidate();
    m_bDirtyFloat = m_bDirtyHorz = m_bDirtyVert = TRUE;
    return TRUE;
}

void SECMDIMenuBar::ApplyMenuMask(DWORD dwMask)
{
    ShowMenuButtons(dwMask, FALSE);
    UpdateMDIButtons(FALSE);
}

void SECMDIMenuBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_dwPressTick = ::GetTickCount();
    SECMenuBar::OnLButtonDown(nFlags, point);
    m_dwPressTick = 0;
}

void SECMDIMenuBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    const int nIndex = HitTest(point.x, point.y);
    if (nIndex < 0 || GetButton(nIndex) != &m_btnSysMenu)
    {
        SECMenuBar::OnLButtonDblClk(nFlags, point);
        return;
    }
    auto* pFrame = dynamic_cast<CMDIFrameWnd*>(GetTopLevelFrame());
    if (CMDIChildWnd* pChild = pFrame != nullptr ? pFrame->MDIGetActive() : nullptr)
    {
        CMenu* pSysMenu = pChild->GetSystemMenu(FALSE);
        UINT nDefault = pSysMenu != nullptr ? pSysMenu->GetDefaultItem(0, FALSE) : static_cast<UINT>(-1);
        if (nDefault == static_cast<UINT>(-1))
            nDefault = SC_CLOSE;
        pChild->SendMessage(WM_SYSCOMMAND, nDefault);
    }
    SECMenuBar::OnLButtonDblClk(nFlags, point);
}
} // namespace tarnwick::bars
