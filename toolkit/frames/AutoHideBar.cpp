// SECAutoHideBar: the strip's creation, size, tabs, visibility and background.
#include <toolkit/foundation/AuxData.h>
#include <toolkit/foundation/VisualStyle.h>
#include <toolkit/frames/AutoHideBar.h>

#include <algorithm>

namespace tarnwick::frames
{
namespace
{
constexpr DWORD STRIP_STYLE = CBRS_FLOAT_MULTI | CBRS_HIDE_INPLACE | CBRS_SIZE_DYNAMIC | CBRS_SIZE_FIXED;
constexpr UINT FIRST_STRIP_ID = 0x8000;
// The first tab starts this far into the strip; a tab is this much longer than its contents.
constexpr int FIRST_TAB_OFFSET = 24;
constexpr int TAB_PADDING = 6;
// How far a tab reaches across a strip on the left or right.
constexpr int TAB_ACROSS = 20;
} // namespace

BEGIN_MESSAGE_MAP(SECAutoHideBar, SECControlBar)
ON_WM_CREATE()
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_WM_NCCALCSIZE()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_DESTROY()
END_MESSAGE_MAP()

SECAutoHideBar::SECAutoHideBar()
    : m_nButtons(0), m_clrBackground(0)
{
}

SECAutoHideBar::~SECAutoHideBar()
{
    DestroyWindow();
    DeleteButtons();
}

BOOL SECAutoHideBar::Create(CFrameWnd* pParentFrame, DWORD dwBarStyle)
{
    DWORD dwStyle = STRIP_STYLE | WS_CHILD | WS_VISIBLE;
    if (pParentFrame->GetStyle() & WS_THICKFRAME)
        dwStyle |= CBRS_BORDER_LEFT;
    const UINT nID = FindFreeBarID(pParentFrame, FIRST_STRIP_ID);
    if (!SECControlBar::Create(pParentFrame, nullptr, dwStyle, 0, nID))
        return FALSE;
    // Creation takes the bar style from the window style; the strip keeps its side.
    SetBarStyle(dwBarStyle);
    UpdateVisibility();
    return TRUE;
}

int SECAutoHideBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (SECControlBar::OnCreate(lpcs) == -1)
        return -1;
    m_fonts.Create();
    EnableDocking(CBRS_ALIGN_ANY);
    return 0;
}

void SECAutoHideBar::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle = dwDockStyle;
    if (m_pDockContext == nullptr)
        m_pDockContext = CreateDockContext();
    if (m_pDockSite == nullptr)
        m_pDockSite = DYNAMIC_DOWNCAST(CFrameWnd, GetParent());
}

CDockContext* SECAutoHideBar::CreateDockContext()
{
    return new SECAutoHideBarDockContext(this);
}

void SECAutoHideBar::AddBar(SECControlBar* pBar)
{
    ASSERT(pBar != nullptr);
    const UINT nSide = AutoHideSideDockBarID(pBar->GetAutoHideSide());
    CString strLabel;
    pBar->GetWindowText(strLabel);
    auto* pButton = new SECAutoHideBarBtn;
    if (!pButton->Create(strLabel, WS_VISIBLE, CRect(0, 0, 0, 0), this, nSide, pBar->m_hWnd))
    {
        delete pButton;
        return;
    }
    pButton->SetIcon(reinterpret_cast<HICON>(pBar->SendMessage(WM_GETICON, ICON_SMALL)));
    pButton->SetOwnerStrip(this);
    m_buttons.Add(pButton);
    if (++m_nButtons == 1)
        pButton->SetSelected(TRUE);
    LayoutButtons();
    UpdateVisibility();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void SECAutoHideBar::RemoveBar(SECControlBar* pBar)
{
    for (INT_PTR i = 0; i < m_buttons.GetSize(); ++i)
    {
        auto* pButton = static_cast<SECAutoHideBarBtn*>(m_buttons[i]);
        if (pButton->GetBarHandle() != pBar->m_hWnd)
            continue;
        pButton->DestroyWindow();
        delete pButton;
        m_buttons.RemoveAt(i);
        --m_nButtons;
        break;
    }
    if (m_nButtons == 1)
        GetButton(0)->SetSelected(TRUE);
    UpdateVisibility();
    LayoutButtons();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

int SECAutoHideBar::GetButtonCount() const
{
    return m_nButtons;
}

SECAutoHideBarBtn* SECAutoHideBar::GetButton(int nIndex) const
{
    return static_cast<SECAutoHideBarBtn*>(m_buttons[nIndex]);
}

SECAutoHideBarBtn* SECAutoHideBar::FindButton(const SECControlBar* pBar) const
{
    for (int i = 0; i < m_nButtons; ++i)
        if (GetButton(i)->GetBarHandle() == pBar->m_hWnd)
            return GetButton(i);
    return nullptr;
}

void SECAutoHideBar::SelectButton(SECAutoHideBarBtn* pButton)
{
    for (int i = 0; i < m_nButtons; ++i)
    {
        GetButton(i)->SetSelected(GetButton(i) == pButton);
        GetButton(i)->Invalidate();
    }
    LayoutButtons();
}

void SECAutoHideBar::LayoutButtons()
{
    if (m_hWnd == nullptr || m_nButtons == 0)
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    const int nIcon = SECAutoHideBarBtn::ICON_SIZE;
    int nFullExtent = 0;
    {
        CClientDC dc(this);
        for (int i = 0; i < m_nButtons; ++i)
        {
            SECAutoHideBarBtn* pButton = GetButton(i);
            CFont* pOldFont = dc.SelectObject(&pButton->GetLabelFont());
            nFullExtent = std::max<int>(nFullExtent, dc.GetTextExtent(pButton->GetLabel()).cx + 2 * nIcon + TAB_PADDING);
            dc.SelectObject(pOldFont);
        }
    }
    int nOffset = FIRST_TAB_OFFSET;
    for (int i = 0; i < m_nButtons; ++i)
    {
        SECAutoHideBarBtn* pButton = GetButton(i);
        const int nSpan = (pButton->IsSelected() || !pButton->HasIcon() ? nFullExtent : nIcon) + TAB_PADDING;
        CRect rect;
        switch (pButton->GetSide())
        {
        case AFX_IDW_DOCKBAR_LEFT:
            rect.SetRect(0, nOffset, rectClient.left + TAB_ACROSS, nOffset + nSpan);
            break;
        case AFX_IDW_DOCKBAR_RIGHT:
            rect.SetRect(rectClient.right - TAB_ACROSS, nOffset, rectClient.right, nOffset + nSpan);
            break;
        case AFX_IDW_DOCKBAR_TOP:
            rect.SetRect(nOffset, rectClient.top, nOffset + nSpan, rectClient.bottom - 2);
            break;
        default:
            rect.SetRect(nOffset, rectClient.top + 4, nOffset + nSpan, rectClient.Height() + 4);
            break;
        }
        pButton->MoveWindow(&rect, TRUE);
        pButton->UpdateWindow();
        nOffset += nSpan;
    }
}

void SECAutoHideBar::DeleteButtons()
{
    for (INT_PTR i = 0; i < m_buttons.GetSize(); ++i)
    {
        auto* pButton = static_cast<SECAutoHideBarBtn*>(m_buttons[i]);
        pButton->DestroyWindow();
        delete pButton;
    }
    m_buttons.RemoveAll();
    m_nButtons = 0;
}

CSize SECAutoHideBar::CalcFixedLayout(BOOL, BOOL bHorz)
{
    CRect rectFrame(0, 0, 0, 0);
    if (CFrameWnd* pFrame = GetDockingFrame())
        pFrame->GetWindowRect(&rectFrame);
    return bHorz ? CSize(rectFrame.Width(), THICKNESS) : CSize(THICKNESS, rectFrame.Height());
}

void SECAutoHideBar::UpdateVisibility()
{
    const bool bShow = m_nButtons > 0;
    if (bShow != ((GetStyle() & WS_VISIBLE) != 0))
        ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

void SECAutoHideBar::FillBackground(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    if (SECIsVisualStyle4() && m_theme.DrawBackground(m_hWnd, pDC, rect))
        return;
    m_clrBackground = SECIsVisualStyle3() ? SECGetStyleColor2(2) : SECGetStyleColor(3);
    pDC->FillSolidRect(&rect, m_clrBackground);
}

BOOL SECAutoHideBar::OnEraseBkgnd(CDC* pDC)
{
    FillBackground(pDC);
    return TRUE;
}

void SECAutoHideBar::OnPaint()
{
    if (SECIsVisualStyle4())
    {
        SECControlBar::OnPaint();
    }
    else
    {
        CPaintDC dc(this);
        FillBackground(&dc);
    }
    LayoutButtons();
    UpdateVisibility();
}

void SECAutoHideBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*)
{
    UpdateVisibility();
    Default();
}

void SECAutoHideBar::OnMouseMove(UINT, CPoint)
{
    Default();
}

void SECAutoHideBar::OnLButtonDown(UINT, CPoint)
{
}

void SECAutoHideBar::OnLButtonDblClk(UINT, CPoint)
{
}

void SECAutoHideBar::OnDestroy()
{
    DeleteButtons();
    SECControlBar::OnDestroyEx();
}
} // namespace tarnwick::frames
