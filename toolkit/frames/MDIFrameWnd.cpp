// SECMDIFrameWnd: dock bars with their strips, docking at places, the dock cycle, filters and
// the MDI routing of commands.
#include <toolkit/bars/MDIMenuBar.h>
#include <toolkit/bars/MenuBarFeature.h>
#include <toolkit/foundation/ScopedValue.h>
#include <toolkit/foundation/ToolkitRes.h>
#include <toolkit/frames/ControlBarMDIChildWnd.h>
#include <toolkit/frames/DockableFrame.h>
#include <toolkit/frames/DocTemplateUtils.h>
#include <toolkit/frames/FrameWnd.h>
#include <toolkit/frames/MDIFrameWnd.h>
#include <toolkit/frames/MultiDocTemplate.h>
#include <toolkit/frames/SysCommandEx.h>

#include <afxpriv.h>

#include <algorithm>
#include <functional>

namespace tarnwick::frames
{
using bars::SECMDIMenuBar;
using bars::SECMenuBar;
using bars::SECMenuBarFeature;
using nsSysCommandEx::ScxButtonMDIMaxChildMsgFilter;
using nsSysCommandEx::ScxMsgFilter;
using nsSysCommandEx::ScxNCRDBLClkMDIMaxChildMsgFilter;
using nsSysCommandEx::FILTER_CAPTION_LIST;
using nsSysCommandEx::FILTER_MAXCHILD_BUTTON;
using nsSysCommandEx::FILTER_MAXCHILD_DBLCLK;
using nsSysCommandEx::FILTER_SYSCOMMANDEX;

IMPLEMENT_DYNCREATE(SECMDIFrameWnd, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(SECMDIFrameWnd, CMDIFrameWnd)
ON_WM_CREATE()
ON_WM_ACTIVATE()
ON_WM_ENTERIDLE()
ON_WM_DESTROY()
ON_MESSAGE(WM_SEC_BARCONTEXTMENU, OnBarContextMenu)
ON_MESSAGE(WM_SEC_DESTROYFRAME, OnDestroyFrame)
END_MESSAGE_MAP()

namespace
{
constexpr DWORD DOCKBAR_STYLE = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
static_assert(DOCKBAR_STYLE == 0x56000000);
// The strips' bar style beside their side's alignment.
constexpr DWORD STRIP_STYLE = CBRS_SIZE_FIXED;
constexpr float STRIP_SHARE = 1.0f;
constexpr int STRIP_LENGTH = 150;
// The answer when the cycle holds no dock bar.
constexpr SECDockPlacement CYCLE_FALLBACK = {0, 0, DOCKPLACE_NEW_ROW};
constexpr int DOCK_CYCLE_ROUNDS = 6;
constexpr UINT FIRST_SYSTEM_COMMAND = 0xF000;


// Bars floated in the main window without a place cascade from here, by this much, and stay
// this far from the client's far edges.
constexpr int CASCADE_START = 30;
const CSize CASCADE_STEP(20, 23);
constexpr int CLIENT_KEEP = 30;
constexpr DWORD BARCHILD_STYLE = WS_CHILD | WS_CLIPCHILDREN | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE | FWS_SNAPTOBARS;
static_assert(BARCHILD_STYLE == 0x42CFA000);
// The embedded frame keeps its docked styles in these properties while it floats.
constexpr LPCTSTR PROP_DOCKED_STYLE = _T("SECDockableFrame PreFloat Docked Style");
constexpr LPCTSTR PROP_DOCKED_EXSTYLE = _T("SECDockableFrame PreFloat Docked ExStyle");
constexpr DWORD FLOATING_PARENT_STYLE = WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
// Visibility, the overlapped window's frame bits and every control style bit.
constexpr DWORD EMBEDDED_STYLE_MASK = WS_VISIBLE | WS_OVERLAPPEDWINDOW | 0xFFFF;
static_assert(FLOATING_PARENT_STYLE == 0x16000000 && EMBEDDED_STYLE_MASK == 0x10CFFFFF);
constexpr DWORD EMBEDDED_EXSTYLE_MASK = 0x203A9;

// The caption-list descriptor's place in the table.
constexpr int FILTER_CAPTION_LIST_INDEX = 1;

// The strips in member order, with their sides.
struct StripSide
{
    DWORD dwAlign;
    UINT nDockBarID;
};
constexpr StripSide stripSides[] = {
    {CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_LEFT},
    {CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP},
    {CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM},
    {CBRS_ALIGN_RIGHT, AFX_IDW_DOCKBAR_RIGHT},
};

BOOL HasMultiDocTemplate()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return FALSE;
    for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != nullptr;)
        if (pApp->GetNextDocTemplate(pos)->IsKindOf(RUNTIME_CLASS(SECMultiDocTemplate)))
            return TRUE;
    return FALSE;
}
} // namespace

SECMDIFrameWnd::SECMDIFrameWnd()
    : m_pDockBarClass(nullptr), m_pBarChildClass(nullptr), m_ptNextCascade(CASCADE_START, CASCADE_START),
      m_pActiveDockedFrame(nullptr), m_pMsgFilter(new SECMsgFilter(this)),
      m_nDockCycleCursor(0), m_bInActivateFrame(FALSE)
{
    m_descriptors.Add(FILTER_SYSCOMMANDEX, static_cast<UINT>(-1), RUNTIME_CLASS(ScxMsgFilter));
    m_descriptors.Add(FILTER_CAPTION_LIST, static_cast<UINT>(-1), RUNTIME_CLASS(SECCapConLstMDIMaxChildMsgFilter));
    m_descriptors.Add(FILTER_MAXCHILD_BUTTON, FILTER_CAPTION_LIST, RUNTIME_CLASS(ScxButtonMDIMaxChildMsgFilter));
    m_descriptors.Add(FILTER_MAXCHILD_DBLCLK, static_cast<UINT>(-1), RUNTIME_CLASS(ScxNCRDBLClkMDIMaxChildMsgFilter));
    InstallFilters(HasMultiDocTemplate());

    for (int i = 0; i < DOCK_CYCLE_ROUNDS; ++i)
    {
        if (i % 3 == 0)
            m_dockCycle.Add(0);
        m_dockCycle.Add(AFX_IDW_DOCKBAR_BOTTOM);
        for (UINT nSide : {AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT})
        {
            if (i % 2 == 0)
                m_dockCycle.Add(0);
            m_dockCycle.Add(nSide);
        }
    }
}

SECMDIFrameWnd::~SECMDIFrameWnd()
{
    for (POSITION pos = m_mapTemplateMenus.GetStartPosition(); pos != nullptr;)
    {
        UINT nID = 0;
        HMENU hMenu = nullptr;
        m_mapTemplateMenus.GetNextAssoc(pos, nID, hMenu);
        ::DestroyMenu(hMenu);
    }
    delete m_pMsgFilter;
}

int SECMDIFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (SECDockingFrame::OnCreate(lpCreateStruct) == -1)
        return -1;
    // The menu bar draws a maximised child's caption buttons itself.
    if (HasMenuBar())
        m_pMsgFilter->ApplyDescriptor(*m_descriptors[FILTER_CAPTION_LIST_INDEX], FALSE);
    return 0;
}

HMENU SECMDIFrameWnd::GetMenuForId(UINT nID)
{
    if (HMENU hMenu = SECDockingFrame::GetMenuForId(nID))
        return hMenu;
    if (CWinApp* pApp = AfxGetApp())
        for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != nullptr;)
            if (auto* pTemplate = DYNAMIC_DOWNCAST(CMultiDocTemplate, pApp->GetNextDocTemplate(pos)))
                if (pTemplate->m_nIDResource == nID)
                    return pTemplate->m_hMenuShared;
    HMENU hMenu = nullptr;
    return m_mapTemplateMenus.Lookup(nID, hMenu) ? hMenu : nullptr;
}

void SECMDIFrameWnd::SetTemplateMenu(UINT nID, HMENU hMenu)
{
    HMENU hOld = nullptr;
    if (m_mapTemplateMenus.Lookup(nID, hOld) && hOld != hMenu)
        ::DestroyMenu(hOld);
    m_mapTemplateMenus.SetAt(nID, hMenu);
}

void SECMDIFrameWnd::SetMenuBarMenu(UINT nID)
{
    SECMenuBar* pMenuBar = GetMenuBar();
    auto* pFeature = DYNAMIC_DOWNCAST(SECMenuBarFeature, GetDocking().GetMessagePlugIn());
    if (pMenuBar == nullptr || pFeature == nullptr)
        return;
    BOOL bChanged = FALSE;
    if (nID != 0 && nID != static_cast<UINT>(-1))
    {
        pFeature->OnSwitchMenu(nID);
        bChanged = TRUE;
    }
    else
    {
        pFeature->OnSwitchMenu(GetDocking().GetFrameMenuId());
        if (auto* pMDIMenuBar = DYNAMIC_DOWNCAST(SECMDIMenuBar, pMenuBar))
            bChanged = pMDIMenuBar->UpdateMDIButtons(TRUE);
    }
    if (bChanged)
        RelayoutMenuBar();
    SyncWindowMenu();
}

void SECMDIFrameWnd::RefreshMDIButtons()
{
    auto* pMDIMenuBar = DYNAMIC_DOWNCAST(SECMDIMenuBar, GetMenuBar());
    if (pMDIMenuBar != nullptr && pMDIMenuBar->UpdateMDIButtons(FALSE))
        RelayoutMenuBar();
}

void SECMDIFrameWnd::RelayoutMenuBar()
{
    SECMenuBar* pMenuBar = GetMenuBar();
    if (pMenuBar->m_hWnd == nullptr)
        return;
    pMenuBar->Invalidate();
    if (CFrameWnd* pFrame = pMenuBar->GetParentFrame())
        pFrame->RecalcLayout(TRUE);
}

void SECMDIFrameWnd::SyncWindowMenu()
{
    SECMenuBar* pMenuBar = GetMenuBar();
    if (pMenuBar == nullptr || pMenuBar->GetCurrentMenuId() == 0 || m_hWndMDIClient == nullptr)
        return;
    HMENU hWindowMenu = GetWindowMenuPopup(GetMenuForId(pMenuBar->GetCurrentMenuId()));
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd != nullptr && ::GetMenu(pMainWnd->m_hWnd) != nullptr)
        return;
    ::SendMessage(m_hWndMDIClient, WM_MDISETMENU, 0, reinterpret_cast<LPARAM>(hWindowMenu));
}

CMenu* SECMDIFrameWnd::GetMenu() const
{
    const SECMenuBar* pMenuBar = GetMenuBar();
    if (pMenuBar == nullptr)
        return CMDIFrameWnd::GetMenu();
    auto* pThis = const_cast<SECMDIFrameWnd*>(this);
    HMENU hMenu = pThis->GetMenuForId(pMenuBar->GetCurrentMenuId());
    if (hMenu == nullptr && pMenuBar->GetCurrentMenuId() == SECMenuBar::ID_BAR_CHILD_MENU)
        hMenu = pThis->GetDocking().GetFrameMenu();
    return CMenu::FromHandle(hMenu);
}

void SECMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    // The framework's child hands its menu here itself; the bar then takes the window popup.
    if (auto* pDocked = DYNAMIC_DOWNCAST(SECDockableFrame, m_pActiveDockedFrame))
        pDocked->OnUpdateFrameMenu(TRUE, pDocked, hMenuAlt);
    else
        CMDIFrameWnd::OnUpdateFrameMenu(hMenuAlt);
    if (HasMenuBar())
        SyncWindowMenu();
}

BOOL SECMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*)
{
    HMENU hWindowMenu = nullptr;
    if (m_hMenuDefault == nullptr && !HasMenuBar())
    {
        const CMenu* pMenu = GetMenu();
        const int nCount = pMenu != nullptr ? pMenu->GetMenuItemCount() : 0;
        if (nCount >= 2)
            hWindowMenu = ::GetSubMenu(pMenu->m_hMenu, nCount - 2);
    }
    return CreateClient(lpcs, CMenu::FromHandle(hWindowMenu));
}

void SECMDIFrameWnd::OnFrameMenuLoaded()
{
    SetMenuBarMenu(static_cast<UINT>(-1));
}

CDockBar* SECMDIFrameWnd::CreateDockBarObject()
{
    // The toolkit's dock bar class record does not make objects.
    if (m_pDockBarClass == RUNTIME_CLASS(SECDockBar) && m_pDockBarClass->m_pfnCreateObject == nullptr)
        return new SECDockBar;
    return static_cast<CDockBar*>(m_pDockBarClass->CreateObject());
}

void SECMDIFrameWnd::EnableDocking(DWORD dwStyle, DWORD dwDockStyle)
{
    GetDocking().SetDefaultFloatingFrameClass();
    if (m_pBarChildClass == nullptr)
        m_pBarChildClass = RUNTIME_CLASS(SECControlBarMDIChildWnd);
    if (m_pDockBarClass == nullptr)
        m_pDockBarClass = RUNTIME_CLASS(SECDockBar);
    for (const SECFrameDocking::DockSide& side : SECFrameDocking::dockSides)
    {
        const DWORD dwAlign = side.dwAlign & CBRS_ALIGN_ANY;
        if (!(dwStyle & dwAlign) || GetControlBar(side.nID) != nullptr)
            continue;
        CDockBar* pDockBar = CreateDockBarObject();
        auto* pToolkitDockBar = DYNAMIC_DOWNCAST(SECDockBar, pDockBar);
        // A dock bar that fails has deleted itself.
        const BOOL bCreated = pToolkitDockBar != nullptr
                                  ? pToolkitDockBar->Create(this, DOCKBAR_STYLE | dwAlign, dwDockStyle, side.nID)
                                  : pDockBar != nullptr && pDockBar->Create(this, DOCKBAR_STYLE | dwAlign, side.nID);
        if (!bCreated)
            AfxThrowResourceException();
        SECAutoHideBar* pStrip = GetAutoHideBar(dwAlign);
        if (!pStrip->Create(this, dwAlign | STRIP_STYLE))
            AfxThrowResourceException();
        pStrip->EnableDocking(dwAlign);
        DockControlBarSized(pStrip, side.nID, 0, 0, STRIP_SHARE, STRIP_LENGTH);
        ShowBar(pStrip, FALSE, FALSE);
    }
}

void SECMDIFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle)
{
    CFrameWnd* pEmbedded = GetEmbeddedFrame(pBar);
    std::function<void(CMiniDockFrameWnd*)> beforeShow;
    if (pEmbedded != nullptr)
        beforeShow = [this, pEmbedded](CMiniDockFrameWnd*) { SwapFloatStyles(pEmbedded, TRUE); };
    GetDocking().FloatControlBar(pBar, point, dwStyle, beforeShow);
    if (pEmbedded != nullptr)
        FitEmbeddedFrame(pEmbedded);
}

void SECMDIFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    RestoreEmbeddedFrame(pBar);
    SECDockingFrame::DockControlBar(pBar, pDockBar, lpRect);
}

void SECMDIFrameWnd::ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    RestoreEmbeddedFrame(pBar);
    SECDockingFrame::ReDockControlBar(pBar, pDockBar, lpRect);
}

void SECMDIFrameWnd::RestoreEmbeddedFrame(CControlBar* pBar)
{
    if (!pBar->IsFloating())
        return;
    if (CFrameWnd* pEmbedded = GetEmbeddedFrame(pBar))
        SwapFloatStyles(pEmbedded, FALSE);
}

CFrameWnd* SECMDIFrameWnd::GetEmbeddedFrame(CControlBar* pBar)
{
    const HWND hChild = pBar->m_hWnd != nullptr ? ::GetWindow(pBar->m_hWnd, GW_CHILD) : nullptr;
    CWnd* pChild = hChild != nullptr ? CWnd::FromHandlePermanent(hChild) : nullptr;
    if (auto* pFrame = DYNAMIC_DOWNCAST(SECFrameWnd, pChild))
        return pFrame;
    return nullptr;
}

void SECMDIFrameWnd::SwapFloatStyles(CFrameWnd* pFrame, BOOL bFloating)
{
    if (!bFloating)
    {
        // Only a frame that floated has docked styles to take back.
        const HANDLE hStyle = ::RemoveProp(pFrame->m_hWnd, PROP_DOCKED_STYLE);
        const HANDLE hExStyle = ::RemoveProp(pFrame->m_hWnd, PROP_DOCKED_EXSTYLE);
        if (hStyle == nullptr)
            return;
        ::SetWindowLong(pFrame->m_hWnd, GWL_STYLE, static_cast<LONG>(reinterpret_cast<UINT_PTR>(hStyle)));
        ::SetWindowLong(pFrame->m_hWnd, GWL_EXSTYLE, static_cast<LONG>(reinterpret_cast<UINT_PTR>(hExStyle)));
        return;
    }
    ::SetProp(pFrame->m_hWnd, PROP_DOCKED_STYLE, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(pFrame->GetStyle())));
    ::SetProp(pFrame->m_hWnd, PROP_DOCKED_EXSTYLE,
              reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(pFrame->GetExStyle())));
    const DWORD dwMainStyle = GetStyle();
    const DWORD dwMainExStyle = GetExStyle();
    if (CFrameWnd* pParentFrame = pFrame->GetParentFrame())
    {
        pParentFrame->ModifyStyle(dwMainStyle, FLOATING_PARENT_STYLE);
        pParentFrame->ModifyStyleEx(dwMainExStyle, 0);
    }
    pFrame->ModifyStyle(0, (dwMainStyle & EMBEDDED_STYLE_MASK) | WS_CAPTION, SWP_FRAMECHANGED);
    pFrame->ModifyStyleEx(0, dwMainExStyle & EMBEDDED_EXSTYLE_MASK, SWP_FRAMECHANGED);
}

void SECMDIFrameWnd::FitEmbeddedFrame(CFrameWnd* pFrame)
{
    CFrameWnd* pParentFrame = pFrame->GetParentFrame();
    CWnd* pParent = pFrame->GetParent();
    if (pParentFrame == nullptr || pParent == nullptr)
        return;
    CRect rect;
    pParentFrame->GetWindowRect(&rect);
    pParent->ScreenToClient(&rect);
    pFrame->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

CMDIChildWnd* SECMDIFrameWnd::CreateBarChildFrame()
{
    auto* pChild = static_cast<CMDIChildWnd*>(m_pBarChildClass->CreateObject());
    if (pChild == nullptr)
        AfxThrowMemoryException();
    // A child that fails to load has deleted itself.
    if (!pChild->LoadFrame(IDR_SEC_BARCHILD, BARCHILD_STYLE, this, nullptr))
        return nullptr;
    return pChild;
}

void SECMDIFrameWnd::FloatControlBarInMDIChild(CControlBar* pBar, CPoint point, DWORD dwStyle)
{
    auto* pSizeable = DYNAMIC_DOWNCAST(SECControlBar, pBar);
    if (pSizeable != nullptr)
        pSizeable->BeforeMDIFloat();
    CRect rectClient;
    ::GetClientRect(m_hWndMDIClient, &rectClient);
    if (point.x < 0 || point.y < 0)
    {
        point = m_ptNextCascade;
        m_ptNextCascade += CASCADE_STEP;
        if (m_ptNextCascade.x > rectClient.Width() - CLIENT_KEEP)
            m_ptNextCascade.x = CASCADE_START;
        if (m_ptNextCascade.y > rectClient.Height() - CLIENT_KEEP)
            m_ptNextCascade.y = CASCADE_START;
    }
    else
        ::ScreenToClient(m_hWndMDIClient, &point);
    // The child's corner stays inside the client, clear of its far edges.
    point.x = std::clamp<LONG>(point.x, 0, std::max<LONG>(rectClient.Width() - CLIENT_KEEP, 0));
    point.y = std::clamp<LONG>(point.y, 0, std::max<LONG>(rectClient.Height() - CLIENT_KEEP, 0));

    CDockBar* pOldDockBar = pBar->m_pDockBar;
    CFrameWnd* pOldChild = pOldDockBar != nullptr ? pOldDockBar->GetParentFrame() : nullptr;
    if (pOldChild != nullptr && pOldChild->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)) &&
        pOldDockBar->GetDockedCount() == 1 && (pOldDockBar->m_dwStyle & dwStyle & CBRS_ALIGN_ANY))
    {
        pOldChild->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        pOldChild->RecalcLayout();
        pOldChild->UpdateWindow();
        return;
    }
    CMDIChildWnd* pChild = CreateBarChildFrame();
    if (pChild == nullptr)
        return;
    // The child's dock bar is listed by the main frame, which made it.
    const HWND hDockBar = ::GetDlgItem(pChild->m_hWnd, AFX_IDW_DOCKBAR_FLOAT);
    if (auto* pDockBar = DYNAMIC_DOWNCAST(SECDockBar, CWnd::FromHandlePermanent(hDockBar)))
        pDockBar->DockControlBarEx(pBar);
    pChild->RecalcLayout();
    pChild->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    pChild->ShowWindow(SW_SHOWNA);
    pChild->UpdateWindow();
    if (const auto hIcon = reinterpret_cast<HICON>(pBar->SendMessage(WM_GETICON, ICON_BIG)))
        pChild->SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(hIcon));
    if (pSizeable != nullptr)
        pSizeable->AfterMDIFloat();
}

LRESULT SECMDIFrameWnd::OnBarContextMenu(WPARAM wParam, LPARAM lParam)
{
    auto* pBar = reinterpret_cast<CControlBar*>(wParam);
    auto* pMenu = reinterpret_cast<CMenu*>(lParam);
    if (pBar == nullptr || pMenu == nullptr)
        return 0;
    auto* pSizeable = DYNAMIC_DOWNCAST(SECControlBar, pBar);
    const BOOL bInChild = pSizeable != nullptr && pSizeable->IsMDIChildDocked();
    if (bInChild)
        pMenu->EnableMenuItem(ID_SEC_ALLOW_DOCKING, MF_BYCOMMAND | MF_GRAYED);
    if (pSizeable != nullptr && (pSizeable->m_dwExStyle & CBRS_EX_FLOATINMAIN))
    {
        pMenu->AppendMenu(MF_SEPARATOR);
        pMenu->AppendMenu(MF_STRING | (bInChild ? MF_CHECKED : MF_UNCHECKED), ID_SEC_FLOAT_IN_MAIN,
                          _T("Float In Main Window"));
    }
    return 0;
}

LRESULT SECMDIFrameWnd::OnDestroyFrame(WPARAM wParam, LPARAM)
{
    const auto hWnd = reinterpret_cast<HWND>(wParam);
    if (auto* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(hWnd)))
        pFrame->DestroyWindow();
    RecalcLayout();
    return 0;
}

SECAutoHideBar* SECMDIFrameWnd::GetAutoHideBar(DWORD dwAlign)
{
    for (int i = 0; i < 4; ++i)
        if (stripSides[i].dwAlign == dwAlign)
            return &m_autoHideBars[i];
    return nullptr;
}

void SECMDIFrameWnd::DockControlBarAt(CControlBar* pBar, const SECDockPlacement& position, UINT nDockBarID,
                                      const SECDockLayout& layout)
{
    DWORD dwMode = LM_HORZ | LM_MRUWIDTH | LM_LENGTHY;
    if (nDockBarID == AFX_IDW_DOCKBAR_TOP || nDockBarID == AFX_IDW_DOCKBAR_BOTTOM)
        dwMode = LM_HORZ | LM_HORZDOCK | LM_LENGTHY;
    else if (nDockBarID == AFX_IDW_DOCKBAR_LEFT || nDockBarID == AFX_IDW_DOCKBAR_RIGHT)
        dwMode = LM_VERTDOCK;
    GetDocking().DockControlBarAt(pBar, GetDocking().FindDockBar(nDockBarID, pBar), position, layout.fPercent,
                                  layout.nLength, dwMode);
}

void SECMDIFrameWnd::DockControlBarSized(CControlBar* pBar, UINT nDockBarID, int nPlaceA, int nPlaceB, float fPercent,
                                         int nLength)
{
    DockControlBarAt(pBar, {nPlaceB, nPlaceA, 0}, nDockBarID, {fPercent, nLength, 0});
}

void SECMDIFrameWnd::InstallFilters(BOOL bCaptionList)
{
    // One switch per descriptor: only the caption button row follows the argument.
    BOOL switches[] = {TRUE, bCaptionList & 1, TRUE, TRUE};
    static_assert(sizeof(switches) / sizeof(switches[0]) == 4);
    m_pMsgFilter->ApplyDescriptors(m_descriptors, switches);
    nsSysCommandEx::LayoutCaptionRow(*m_pMsgFilter);
}

void SECMDIFrameWnd::NextDockPosition(UINT& nDockBarID, SECDockPlacement& flags, SECDockLayout& layout)
{
    layout = DEFAULT_DOCK_LAYOUT;
    const int nCount = static_cast<int>(m_dockCycle.GetSize());
    for (int nStep = 0; nStep < nCount; ++nStep)
    {
        const int nIndex = m_nDockCycleCursor;
        m_nDockCycleCursor = (m_nDockCycleCursor + 1) % nCount;
        const UINT nEntry = m_dockCycle[nIndex];
        if (nEntry == 0)
            continue;
        nDockBarID = nEntry;
        flags = {0, 1, 2};
        if (nEntry == AFX_IDW_DOCKBAR_TOP || nEntry == AFX_IDW_DOCKBAR_LEFT)
            flags.nFlags += 1;
        // The first bar after a row break opens that row.
        if (nCount > 1 && m_dockCycle[nIndex == 0 ? nCount - 1 : nIndex - 1] == 0)
        {
            flags.nFlags += 4;
            if (flags.nFlags & 2)
                flags.nRow = 1;
        }
        return;
    }
    nDockBarID = AFX_IDW_DOCKBAR_BOTTOM;
    flags = CYCLE_FALLBACK;
}

void SECMDIFrameWnd::ShowBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    // A show or hide still waiting for the idle layout does not count.
    if (((pBar->GetStyle() & WS_VISIBLE) != 0) == (bShow != FALSE))
        return;
    CFrameWnd* pDockingFrame = pBar->GetDockingFrame();
    if (pDockingFrame == nullptr)
        pDockingFrame = this;
    if (bDelay)
    {
        pBar->DelayShow(bShow);
        pDockingFrame->m_nIdleFlags |= idleLayout | idleNotify;
    }
    else
    {
        pBar->SetWindowPos(nullptr, 0, 0, 0, 0,
                           SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                               (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
        pBar->DelayShow(bShow);
        if (bShow || !pBar->IsFloating())
            pDockingFrame->RecalcLayout();
    }
    if (!pBar->IsFloating())
        return;
    // The floating frame follows the number of its visible bars.
    CDockBar* pDockBar = pBar->m_pDockBar;
    const int nVisible = pDockBar != nullptr ? pDockBar->GetDockedVisibleCount() : (bShow ? 1 : 0);
    CFrameWnd* pFloatingFrame = pBar->GetParentFrame();
    if (pFloatingFrame == nullptr || pFloatingFrame == this)
        return;
    if (nVisible == 0)
        pFloatingFrame->ShowWindow(SW_HIDE);
    else if (nVisible == 1 && bShow)
        pFloatingFrame->ShowWindow(SW_SHOWNA);
    else
        pFloatingFrame->RecalcLayout();
}

void SECMDIFrameWnd::ActivateFrameView(CFrameWnd* pFrame)
{
    CView* pView = pFrame != nullptr ? pFrame->GetActiveView() : nullptr;
    if (pView == nullptr || pView->m_hWnd == nullptr)
        return;
    const HWND hFocus = ::GetFocus();
    if (hFocus == pView->m_hWnd || ::IsChild(pView->m_hWnd, hFocus))
        return;
    pView->SetFocus();
    pView->OnActivateView(TRUE, pView, pView);
}

void SECMDIFrameWnd::SetActiveDockedFrame(CFrameWnd* pFrame, BOOL bForce)
{
    if (pFrame == m_pActiveDockedFrame && !bForce)
        return;
    ClearActiveDockedFrame(pFrame == nullptr);
    // The view that has the focus gives up its activity.
    CFrameWnd* pCurrent = CMDIFrameWnd::GetActiveFrame();
    if (CView* pView = pCurrent != nullptr ? pCurrent->GetActiveView() : nullptr)
    {
        const HWND hFocus = ::GetFocus();
        if (pView->m_hWnd != nullptr && (hFocus == pView->m_hWnd || ::IsChild(pView->m_hWnd, hFocus)))
            pView->OnActivateView(FALSE, pView, pView);
    }
    if (pFrame != nullptr)
    {
        pFrame->SendMessage(WM_NCACTIVATE, TRUE);
        m_pActiveDockedFrame = pFrame;
        // The client passes the inactive caption on to its active child.
        ::SendMessage(m_hWndMDIClient, WM_MDIACTIVATE, 0, 0);
        ::SendMessage(m_hWndMDIClient, WM_NCACTIVATE, FALSE, 0);
    }
    ActivateFrameView(GetActiveFrame());
    OnUpdateFrameTitle(TRUE);
    if (HasMenuBar())
        ShowActiveFrameMenu();
    else
    {
        OnUpdateFrameMenu(nullptr);
        DrawMenuBar();
    }
}

void SECMDIFrameWnd::ClearActiveDockedFrame(BOOL bRestoreMDI)
{
    CFrameWnd* pOld = m_pActiveDockedFrame;
    m_pActiveDockedFrame = nullptr;
    if (pOld != nullptr && pOld->m_hWnd != nullptr)
    {
        if (CView* pView = pOld->GetActiveView())
            pView->OnActivateView(FALSE, pView, pView);
        pOld->SendMessage(WM_NCACTIVATE, FALSE);
        const HWND hFocus = ::GetFocus();
        if (hFocus == pOld->m_hWnd || ::IsChild(pOld->m_hWnd, hFocus))
            ::SetFocus(nullptr);
    }
    if (bRestoreMDI && m_hWndMDIClient != nullptr)
    {
        ::SendMessage(m_hWndMDIClient, WM_MDIACTIVATE, 0, 0);
        ::SendMessage(m_hWndMDIClient, WM_NCACTIVATE, TRUE, 0);
    }
}

void SECMDIFrameWnd::ShowActiveFrameMenu()
{
    UINT nID = static_cast<UINT>(-1);
    CFrameWnd* pActive = GetActiveFrame();
    if (pActive != nullptr && pActive != this)
        if (CDocTemplate* pTemplate =
                SECDocTemplateUtils().FindTemplate(pActive->GetActiveDocument(), pActive->GetActiveView(), pActive))
            nID = pTemplate->m_nIDResource;
    SetMenuBarMenu(nID);
}

void SECMDIFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    SECDockingFrame::OnActivate(nState, pWndOther, bMinimized);
    OnActivateFrame(nState, pWndOther, bMinimized);
}

void SECMDIFrameWnd::OnActivateFrame(UINT nState, CWnd*, BOOL bMinimized)
{
    if (m_bInActivateFrame)
        return;
    const foundation::SECScopedValue<BOOL> inActivate(m_bInActivateFrame, TRUE);
    CFrameWnd* pFrame = GetActiveView() != nullptr ? static_cast<CFrameWnd*>(this) : GetActiveFrame();
    CView* pView = pFrame != nullptr ? pFrame->GetActiveView() : nullptr;
    if (pView == nullptr)
        return;
    const HWND hForeground = ::GetForegroundWindow();
    if (nState != WA_INACTIVE && !bMinimized)
        ActivateFrameView(pFrame);
    // Giving the view the focus must not take the foreground from the window that had it.
    if (::GetForegroundWindow() != hForeground)
    {
        const HWND hBack = ::IsWindow(hForeground) ? hForeground : m_hWnd;
        ::SetActiveWindow(hBack);
        ::SetForegroundWindow(hBack);
    }
    pView->OnActivateFrame(nState, this);
}

BOOL SECMDIFrameWnd::NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder)
{
    // The rectangle holds four border widths: any of them non-zero asks for space.
    if (SECMenuBar* pMenuBar = GetMenuBar();
        pMenuBar != nullptr && lpRectBorder != nullptr && !CRect(lpRectBorder).IsRectNull())
        pMenuBar->SetBorderSpaceMode(TRUE);
    return CMDIFrameWnd::NegotiateBorderSpace(nBorderCmd, lpRectBorder);
}

CFrameWnd* SECMDIFrameWnd::GetActiveFrame()
{
    return m_pActiveDockedFrame != nullptr ? m_pActiveDockedFrame : CMDIFrameWnd::GetActiveFrame();
}

CFrameWnd* SECMDIFrameWnd::GetCommandTarget() const
{
    return m_pActiveDockedFrame != nullptr ? m_pActiveDockedFrame : MDIGetActive();
}

BOOL SECMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    CFrameWnd* pRoutingFrame = pState->m_pRoutingFrame;
    BOOL bResult = FALSE;
    CFrameWnd* pTarget = GetCommandTarget();
    if (pTarget != nullptr)
        bResult = pTarget->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    pState->m_pRoutingFrame = pRoutingFrame;
    if (bResult)
        return TRUE;
    if (!GetDocking().RouteToWorkspaceManager(nID, nCode, pExtra, pHandlerInfo, bResult))
        bResult = CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    pState->m_pRoutingFrame = pRoutingFrame;
    return bResult;
}

BOOL SECMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    CFrameWnd* pTarget = GetCommandTarget();
    if (pTarget != nullptr && AfxCallWndProc(pTarget, pTarget->m_hWnd, WM_COMMAND, wParam, lParam) != 0)
        return TRUE;
    if (CFrameWnd::OnCommand(wParam, lParam))
        return TRUE;
    // System commands that came as menu commands go to the MDI frame procedure.
    if (lParam == 0 && LOWORD(wParam) >= FIRST_SYSTEM_COMMAND)
    {
        DefWindowProc(WM_COMMAND, wParam, lParam);
        return TRUE;
    }
    return FALSE;
}

LRESULT SECMDIFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A docked document frame keeps the caption active while this frame or one of its own
    // windows is in the foreground.
    if (message == WM_NCACTIVATE && !wParam && m_pActiveDockedFrame != nullptr)
    {
        const HWND hForeground = ::GetForegroundWindow();
        if (hForeground == m_hWnd || (hForeground != nullptr && ::GetWindow(hForeground, GW_OWNER) == m_hWnd))
            wParam = TRUE;
    }
    const LRESULT lResult = SECDockingFrame::WindowProc(message, wParam, lParam);
    // Without the owner-drawn caption the caption buttons draw after the system.
    if ((message == WM_NCACTIVATE || message == WM_SETTEXT) && !GetDocking().IsCaptionStyleOn())
    {
        LRESULT lFiltered = 0;
        m_pMsgFilter->Filter(message, wParam, lParam, &lFiltered);
    }
    return lResult;
}

BOOL SECMDIFrameWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    // The release too: a caption button in the menu row tracks the mouse between them.
    const BOOL bOffered =
        message == WM_MOUSEMOVE || message == WM_LBUTTONUP || SECMsgFilter::IsNcButtonMessage(message);
    if (bOffered && m_pMsgFilter->Offer(message, wParam, lParam, pResult))
        return TRUE;
    return CMDIFrameWnd::OnWndMsg(message, wParam, lParam, pResult);
}

LRESULT SECMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (nsSysCommandEx::DispatchSysCommandEx(*m_pMsgFilter, message, wParam, lParam, lResult))
        return lResult;
    return CMDIFrameWnd::DefWindowProc(message, wParam, lParam);
}
} // namespace tarnwick::frames
