// SECToolBarManager: default toolbar definitions, the frame-wide options and the menu bar's
// buttons.
#include <toolkit/bars/ToolBarManager.h>

#include <afxpriv.h>
#include <toolkit/bars/BarsRes.h>
#include <toolkit/bars/BmpMgr.h>
#include <toolkit/bars/CustomToolBar.h>
#include <toolkit/bars/MenuBar.h>
#include <toolkit/frames/FrameDocking.h>

#include <cstdarg>

namespace tarnwick::bars
{
IMPLEMENT_DYNAMIC(SECToolBarManager, SECControlBarManager)

namespace
{
constexpr DWORD BAR_STYLE = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_BORDER_BOTTOM | CBRS_SIZE_DYNAMIC;

UINT BarNotifyMessage()
{
    static const UINT nMessage = ::RegisterWindowMessage(_T("WM_BARNOTIFY"));
    return nMessage;
}
} // namespace

SECToolBarManager::SECCurrentCommand::SECCurrentCommand() : m_nRefs(1), m_rcButton{}, m_bActive(FALSE)
{
}

void SECToolBarManager::SECCurrentCommand::AddRef()
{
    ++m_nRefs;
}

void SECToolBarManager::SECCurrentCommand::Release()
{
    if (--m_nRefs == 0)
        delete this;
}

SECToolBarManager::SECToolBarManager(CFrameWnd* pFrame, CWnd* pOwnerWnd)
    : SECControlBarManager(pFrame), m_pCustomiseWnd(nullptr), m_bCustomiseMode(FALSE), m_bNewBarMode(FALSE),
      m_pFocusBar(nullptr), m_bToolTips(TRUE), m_bFlyBy(TRUE), m_bCoolLook(FALSE),
      m_bLargeButtons(FALSE), m_pButtonMap(nullptr), m_pCurrentCommand(new SECCurrentCommand), m_pBmpMgr(new SECBmpMgr),
      m_pOwnerWnd(pOwnerWnd), m_pToolBarClass(RUNTIME_CLASS(SECCustomToolBar)), m_pMenuBar(nullptr)
{
}

SECToolBarManager::~SECToolBarManager()
{
    m_pBmpMgr->Release();
    m_pCurrentCommand->Release();
}

BOOL SECToolBarManager::LoadToolBarResource(UINT nSmallID, UINT nLargeID)
{
    return m_pBmpMgr->LoadToolBarResource(nSmallID, nLargeID, TRUE);
}

void SECToolBarManager::DefineDefaultToolBar(UINT nBarID, LPCTSTR lpszTitle, UINT nCount, const UINT* pIDs,
                                             DWORD dwDockSides, UINT nDockBarID, UINT nBesideID, BOOL bDocked,
                                             BOOL bVisible)
{
    m_definitions.push_back(std::make_unique<Definition>(
        Definition{nBarID, lpszTitle, nCount, pIDs, dwDockSides, nDockBarID, nBesideID, bDocked, bVisible}));
}

DWORD SECToolBarManager::GetBarStyle() const
{
    return BAR_STYLE | (m_bFlyBy ? CBRS_FLYBY : 0) | (m_bToolTips ? CBRS_TOOLTIPS : 0);
}

DWORD SECToolBarManager::GetBarExStyle() const
{
    return m_bCoolLook ? CBRS_EX_COOLLOOK_BITS : 0;
}

void SECToolBarManager::SetImageSize(SECCustomToolBar* pBar) const
{
    m_pBmpMgr->SetSmallImages(!m_bLargeButtons);
    pBar->RecalcButtonSizes();
}

std::vector<SECCustomToolBar*> SECToolBarManager::GetToolBars() const
{
    std::vector<SECCustomToolBar*> bars;
    CFrameWnd* pFrame = GetFrame();
    if (pFrame == nullptr)
        return bars;
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != nullptr;)
    {
        auto* pBar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
        if (pBar->IsKindOf(RUNTIME_CLASS(SECCustomToolBar)))
            bars.push_back(static_cast<SECCustomToolBar*>(pBar));
    }
    return bars;
}

std::vector<SECCustomToolBar*> SECToolBarManager::ToolBarsOf(SECCustomToolBar* pBar)
{
    if (pBar == nullptr)
        return {};
    if (pBar->GetManager() == nullptr)
        return {pBar};
    return pBar->GetManager()->GetToolBars();
}

BOOL SECToolBarManager::CreateDefaultToolBars()
{
    CFrameWnd* pFrame = GetFrame();
    SECMenuBar* pMenuBar = GetMenuBar();
    if (pMenuBar != nullptr && pMenuBar->m_hWnd == nullptr)
    {
        pMenuBar->SetManager(this);
        pMenuBar->SetBmpMgr(m_pBmpMgr);
        CString strTitle;
        strTitle.LoadString(IDS_SEC_MENUBAR);
        if (pMenuBar->CreateEx(GetBarExStyle(), pFrame, GetBarStyle(), ID_SEC_MENUBAR, strTitle))
        {
            SetImageSize(pMenuBar);
            pMenuBar->SetButtons(m_menuBarIds.data(), static_cast<int>(m_menuBarIds.size()));
            pMenuBar->EnableDocking(CBRS_ALIGN_ANY);
            pFrame->DockControlBar(pMenuBar, AFX_IDW_DOCKBAR_TOP);
        }
    }
    std::vector<SECCustomToolBar*> made;
    for (const auto& def : m_definitions)
    {
        CObject* pObject = m_pToolBarClass->CreateObject();
        auto* pBar = dynamic_cast<SECCustomToolBar*>(pObject);
        if (pBar == nullptr)
        {
            delete pObject;
            return 0;
        }
        if (m_pOwnerWnd != nullptr)
            pBar->SetOwner(m_pOwnerWnd);
        pBar->SetManager(this);
        pBar->SetBmpMgr(m_pBmpMgr);
        if (!pBar->CreateEx(GetBarExStyle(), pFrame, GetBarStyle(), def->nBarID, def->strTitle))
        {
            delete pBar;
            return 0;
        }
        SetImageSize(pBar);
        pBar->SetButtons(def->pIDs, static_cast<int>(def->nCount));
        pBar->EnableDocking(def->dwDockSides);
        pBar->m_bAutoDelete = TRUE;
        if (def->nBesideID != 0)
            DockBeside(pBar, *def);
        else
            pFrame->DockControlBar(pBar, def->nDockBarID);
        made.push_back(pBar);
    }
    pFrame->RecalcLayout();
    for (size_t i = 0; i < made.size(); ++i)
        if (!m_definitions[i]->bVisible)
            pFrame->ShowControlBar(made[i], FALSE, FALSE);
    return TRUE;
}

void SECToolBarManager::DockBeside(SECCustomToolBar* pBar, const Definition& def)
{
    CFrameWnd* pFrame = GetFrame();
    const Definition* pBeside = m_definitions.back().get();
    for (const auto& other : m_definitions)
        if (other->nBarID == def.nBesideID)
        {
            pBeside = other.get();
            break;
        }
    pFrame->RecalcLayout();
    CRect rect(0, 0, 0, 0);
    if (CControlBar* pBesideBar = pFrame->GetControlBar(pBeside->nBarID))
        pBesideBar->GetWindowRect(rect);
    // Just past the other bar, along the dock bar's row.
    if (def.nDockBarID == AFX_IDW_DOCKBAR_TOP || def.nDockBarID == AFX_IDW_DOCKBAR_BOTTOM)
        rect.OffsetRect(1, 0);
    else
        rect.OffsetRect(0, 1);
    pFrame->DockControlBar(pBar, def.nDockBarID, rect);
}

void SECToolBarManager::EnableToolTips(BOOL bEnable)
{
    if (!bEnable == !m_bToolTips)
        return;
    m_bToolTips = bEnable;
    for (SECCustomToolBar* pBar : GetToolBars())
        pBar->SetBarStyle(bEnable ? (pBar->GetBarStyle() | CBRS_TOOLTIPS) : (pBar->GetBarStyle() & ~CBRS_TOOLTIPS));
}

void SECToolBarManager::EnableCoolLook(BOOL bEnable, DWORD dwExStyle)
{
    if (!bEnable == !m_bCoolLook)
        return;
    m_bCoolLook = bEnable;
    for (SECCustomToolBar* pBar : GetToolBars())
    {
        pBar->ModifyBarStyleEx(bEnable ? 0 : dwExStyle, bEnable ? dwExStyle : 0, FALSE);
        if (dwExStyle & CBRS_EX_COOLBORDERS)
            pBar->Invalidate();
    }
    if (CFrameWnd* pFrame = GetFrame(); pFrame != nullptr && pFrame->m_hWnd != nullptr)
        pFrame->DelayRecalcLayout(TRUE);
}

void SECToolBarManager::EnableLargeButtons(BOOL bEnable)
{
    if (!bEnable == !m_bLargeButtons)
        return;
    m_bLargeButtons = bEnable;
    ApplyButtonSizes();
}

BOOL SECToolBarManager::ApplyButtonSizes()
{
    m_pBmpMgr->SetSmallImages(!m_bLargeButtons);
    const std::vector<SECCustomToolBar*> bars = GetToolBars();
    for (SECCustomToolBar* pBar : bars)
    {
        pBar->RecalcButtonSizes();
        if (pBar->IsFloating())
            if (CFrameWnd* pMiniFrame = pBar->GetParentFrame())
                pMiniFrame->RecalcLayout();
    }
    if (!bars.empty())
        GetFrame()->DelayRecalcLayout(TRUE);
    return 1;
}

void SECToolBarManager::AttachToolBars()
{
    const std::vector<SECCustomToolBar*> bars = GetToolBars();
    if (bars.empty())
    {
        CreateDefaultToolBars();
        return;
    }
    for (SECCustomToolBar* pBar : bars)
    {
        pBar->SetManager(this);
        pBar->SetBmpMgr(m_pBmpMgr);
        pBar->Invalidate();
    }
}

UINT SECToolBarManager::GetBarTypeID(CControlBar* pBar) const
{
    if (pBar->IsKindOf(RUNTIME_CLASS(SECMenuBar)))
        return BARTYPE_MENUBAR;
    if (pBar->IsKindOf(RUNTIME_CLASS(SECCustomToolBar)))
        return BARTYPE_CUSTOMTOOLBAR;
    return SECControlBarManager::GetBarTypeID(pBar);
}

SECCustomToolBar* SECToolBarManager::FindToolBar(UINT nID) const
{
    for (SECCustomToolBar* pBar : GetToolBars())
        if (static_cast<UINT>(pBar->GetDlgCtrlID()) == nID)
            return pBar;
    return nullptr;
}

SECCustomToolBar* SECToolBarManager::FindToolBarAt(const CRect& rect) const
{
    std::vector<SECCustomToolBar*> hits;
    for (SECCustomToolBar* pBar : GetToolBars())
    {
        if (!pBar->IsWindowVisible())
            continue;
        CRect rectBar;
        CWnd* pWnd = pBar->IsFloating() ? static_cast<CWnd*>(pBar->GetParentFrame()) : pBar;
        pWnd->GetWindowRect(rectBar);
        if (CRect rectHit; rectHit.IntersectRect(rectBar, rect))
            hits.push_back(pBar);
    }
    if (hits.size() < 2)
        return hits.empty() ? nullptr : hits.front();
    for (size_t i = 0; i < hits.size() && hits.size() >= 2;)
        if (!hits[i]->IsFloating())
            hits.erase(hits.begin() + static_cast<std::ptrdiff_t>(i));
        else
            ++i;
    // The topmost of the floating frames.
    for (HWND hWnd = hits.front()->GetParentFrame()->m_hWnd; hWnd != nullptr; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
        for (SECCustomToolBar* pBar : hits)
            if (pBar->GetParentFrame()->m_hWnd == hWnd)
                return pBar;
    return nullptr;
}

SECCustomToolBar* SECToolBarManager::CreateUserToolBar(LPCTSTR lpszTitle)
{
    UINT nID = ID_SEC_FIRSTUSERBAR;
    while (nID <= ID_SEC_LASTUSERBAR && FindToolBar(nID) != nullptr)
        ++nID;
    if (nID > ID_SEC_LASTUSERBAR)
        return nullptr;
    CString strTitle = lpszTitle;
    if (lpszTitle == nullptr)
    {
        CString strFormat;
        strFormat.LoadString(IDS_SEC_USERTOOLBAR);
        strTitle.Format(strFormat, nID - (ID_SEC_FIRSTUSERBAR - 1));
    }
    SECCustomToolBar* pBar = NewToolBar(nID, strTitle);
    if (pBar != nullptr)
        pBar->SetCustomiseMode(m_bNewBarMode);
    return pBar;
}

SECCustomToolBar* SECToolBarManager::NewToolBar(UINT nID, LPCTSTR lpszTitle)
{
    CObject* pObject = m_pToolBarClass->CreateObject();
    auto* pBar = dynamic_cast<SECCustomToolBar*>(pObject);
    if (pBar == nullptr)
    {
        delete pObject;
        return nullptr;
    }
    if (m_pOwnerWnd != nullptr)
        pBar->SetOwner(m_pOwnerWnd);
    pBar->SetManager(this);
    pBar->SetBmpMgr(m_pBmpMgr);
    if (!pBar->CreateEx(GetBarExStyle(), GetFrame(), GetBarStyle(), nID, lpszTitle))
    {
        delete pBar;
        return nullptr;
    }
    SetImageSize(pBar);
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    pBar->m_bAutoDelete = TRUE;
    return pBar;
}

CRect SECToolBarManager::GetBarRect() const
{
    CRect rect(0, 0, 0, 0);
    if (m_pCustomiseWnd != nullptr && m_pCustomiseWnd->m_hWnd != nullptr)
        m_pCustomiseWnd->GetWindowRect(rect);
    return rect;
}

void SECToolBarManager::ForwardToButtons(UINT nID, UINT nSet, UINT nClear)
{
    for (SECCustomToolBar* pBar : GetToolBars())
        for (int i = 0; i < pBar->GetBtnCount(); ++i)
            if (SECStdBtn* pBtn = pBar->GetButton(i); pBtn->m_nID == nID)
                pBtn->OnUpdate(1, nSet, nClear);
}

void SECToolBarManager::AddNotifyWnd(CWnd* pWnd)
{
    m_notifyWnds.push_back(pWnd->GetSafeHwnd());
}

void SECToolBarManager::NotifyBars(UINT nBarID, SECBarNotification nCode)
{
    for (HWND hWnd : m_notifyWnds)
        if (hWnd != nullptr && ::IsWindow(hWnd))
            ::SendMessage(hWnd, BarNotifyMessage(), nBarID, nCode);
}

SECToolBarManager::SECCurrentCommand* SECToolBarManager::GetCurrentCommand()
{
    m_pCurrentCommand->AddRef();
    return m_pCurrentCommand;
}

void SECToolBarManager::SetMenuBarIds(const UINT* pIDs, int nCount)
{
    m_menuBarIds.assign(pIDs, pIDs + nCount);
}

const UINT* SECToolBarManager::GetMenuBarIds(int& nCount) const
{
    nCount = static_cast<int>(m_menuBarIds.size());
    return m_menuBarIds.data();
}

BOOL SECToolBarManager::SetMenuInfo(int nCount, UINT nMenuID, ...)
{
    SECMenuBar* pMenuBar = GetMenuBar();
    if (pMenuBar == nullptr)
        return FALSE;
    va_list args;
    va_start(args, nMenuID);
    const std::vector<UINT> menuIds = SECMenuBar::CollectMenuIds(nCount, nMenuID, args);
    va_end(args);
    m_pSecondButtonMap.reset();
    std::unique_ptr<SECBtnMapEntry[]> pTable = pMenuBar->BuildMenuTable(menuIds);
    if (pTable == nullptr)
        return FALSE;
    std::vector<UINT> ids;
    for (const SECBtnMapEntry* pEntry = pTable.get(); pEntry->pClass != nullptr; ++pEntry)
        ids.push_back(pEntry->nID);
    m_pSecondButtonMap = std::move(pTable);
    SetMenuBarIds(ids.data(), static_cast<int>(ids.size()));
    if (pMenuBar->m_hWnd != nullptr)
        pMenuBar->ResetButtons(FALSE);
    return TRUE;
}
SECMenuBar* SECToolBarManager::GetMenuBar() const
{
    if (const frames::SECFrameDocking* pDocking = frames::SECFrameDocking::FromFrame(GetFrame()))
        return pDocking->GetMenuBar();
    return m_pMenuBar;
}
} // namespace tarnwick::bars
