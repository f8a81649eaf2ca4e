#include "TabWndBase.h"

namespace tarnwick::tabs
{
IMPLEMENT_DYNCREATE(SECTabWndBase, CWnd)

BEGIN_MESSAGE_MAP(SECTabWndBase, CWnd)
ON_MESSAGE(TCM_TABSEL, OnTabSel)
ON_MESSAGE(TCM_TABREACTIVATE, OnTabReactivate)
ON_WM_CHILDACTIVATE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

SECTabWndBase::SECTabWndBase() = default;

SECTabWndBase::~SECTabWndBase()
{
    delete m_pTabControl;
}

BOOL SECTabWndBase::Create(LPCTSTR, LPCTSTR, DWORD dwStyle, const RECT&, CWnd* pParentWnd, UINT nID, CCreateContext*)
{
    return Create(pParentWnd, dwStyle, nID);
}

BOOL SECTabWndBase::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_pNotifyWnd = pParentWnd;
    const DWORD dwWndStyle = dwStyle & ~(WS_HSCROLL | WS_VSCROLL);
    if (m_hWnd == nullptr &&
        !CWnd::CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), nullptr, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    try
    {
        if (!CreateTabControl(dwWndStyle, SEC_IDW_TABCTRL))
            AfxThrowResourceException();
    }
    catch (CException* e)
    {
        e->Delete();
        // No half-made tab window stays behind.
        DestroyWindow();
        return FALSE;
    }
    return TRUE;
}

BOOL SECTabWndBase::CreateScrollBar(DWORD dwStyle, UINT nID)
{
    return ::CreateWindowEx(0, _T("SCROLLBAR"), nullptr, dwStyle | WS_CHILD, 0, 0, 1, 1, m_hWnd,
                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), AfxGetInstanceHandle(),
                            nullptr) != nullptr;
}

BOOL SECTabWndBase::CreateTabControl(DWORD, UINT)
{
    return FALSE;
}

void SECTabWndBase::SetTabControl(SECTabControlBase* pTabControl)
{
    delete m_pTabControl;
    m_pTabControl = pTabControl;
}

SECTabControlBase* SECTabWndBase::GetTabControl() const
{
    return m_pTabControl;
}

CWnd* SECTabWndBase::GetActivePage() const
{
    return m_pActiveWnd;
}

CWnd* SECTabWndBase::CreatePage(CRuntimeClass* pViewClass, CCreateContext* pContext, int nID)
{
    if (nID == -1)
        nID = static_cast<int>(SEC_IDW_FIRST_PAGE) + GetTabCount();
    CObject* pObject = pViewClass != nullptr ? pViewClass->CreateObject() : nullptr;
    if (pObject == nullptr)
        AfxThrowMemoryException();
    CWnd* pWnd = DYNAMIC_DOWNCAST(CWnd, pObject);
    if (pWnd == nullptr)
    {
        delete pObject;
        return nullptr;
    }
    if (!pWnd->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, static_cast<UINT>(nID),
                      pContext))
        return nullptr;
    return pWnd;
}

CWnd* SECTabWndBase::InsertTab(CRuntimeClass* pViewClass, int nIndex, LPCTSTR lpszLabel, CCreateContext* pContext,
                               int nID)
{
    CWnd* pWnd = CreatePage(pViewClass, pContext, nID);
    if (pWnd != nullptr)
        InsertTab(pWnd, nIndex, lpszLabel);
    return pWnd;
}

SECTab* SECTabWndBase::InsertTab(CWnd* pWnd, int nIndex, LPCTSTR lpszLabel)
{
    ASSERT(pWnd != nullptr);
    SECTab* pTab = m_pTabControl->InsertTab(nIndex, lpszLabel, pWnd, 0, 0);
    SetScrollStyle(nIndex, 0);
    return pTab;
}

CWnd* SECTabWndBase::AddTab(CRuntimeClass* pViewClass, LPCTSTR lpszLabel, CCreateContext* pContext, int nID)
{
    CWnd* pWnd = CreatePage(pViewClass, pContext, nID);
    if (pWnd != nullptr)
        AddTab(pWnd, lpszLabel);
    return pWnd;
}

SECTab* SECTabWndBase::AddTab(CWnd* pWnd, LPCTSTR lpszLabel)
{
    SECTab* pTab = m_pTabControl->AddTab(lpszLabel, pWnd, 0, 0);
    SetScrollStyle(GetTabCount() - 1, 0);
    return pTab;
}

void SECTabWndBase::SetTabIcon(int nIndex, LPCTSTR lpszResourceName, int cx, int cy)
{
    m_pTabControl->SetTabIcon(nIndex, lpszResourceName, cx, cy);
}

void SECTabWndBase::SetTabIcon(int nIndex, UINT nIDResource, int cx, int cy)
{
    m_pTabControl->SetTabIcon(nIndex, nIDResource, cx, cy);
}

void SECTabWndBase::SetTabIcon(int nIndex, HICON hIcon)
{
    m_pTabControl->SetTabIcon(nIndex, hIcon);
}

void SECTabWndBase::SetScrollStyle(int, DWORD)
{
}

void SECTabWndBase::RemoveTab(int nIndex)
{
    if (!m_pTabControl->IsValidTab(nIndex))
        return;
    if (m_pTabControl->GetTab(nIndex).m_pClient == m_pActiveWnd)
    {
        // The page goes with its tab: it must not stay over the page shown next.
        if (m_pActiveWnd != nullptr && ::IsWindow(m_pActiveWnd->m_hWnd))
            m_pActiveWnd->ShowWindow(SW_HIDE);
        m_pActiveWnd = nullptr;
    }
    m_pTabControl->DeleteTab(nIndex);
}

BOOL SECTabWndBase::RemoveTab(CWnd* pWnd)
{
    int nIndex = 0;
    if (!FindTab(pWnd, nIndex))
        return FALSE;
    RemoveTab(nIndex);
    return TRUE;
}

void SECTabWndBase::RenameTab(int nIndex, LPCTSTR lpszLabel)
{
    m_pTabControl->RenameTab(nIndex, lpszLabel);
}

BOOL SECTabWndBase::RenameTab(CWnd* pWnd, LPCTSTR lpszLabel)
{
    int nIndex = 0;
    if (!FindTab(pWnd, nIndex))
        return FALSE;
    RenameTab(nIndex, lpszLabel);
    return TRUE;
}

void SECTabWndBase::ActivateTab(int nIndex)
{
    if (m_pTabControl->IsValidTab(nIndex))
        SetActiveTab(static_cast<CWnd*>(m_pTabControl->GetTab(nIndex).m_pClient), nIndex);
}

BOOL SECTabWndBase::ActivateTabOfWindow(CWnd* pWnd)
{
    int nIndex = 0;
    return FindTab(pWnd, nIndex) && SetActiveTab(pWnd, nIndex);
}

BOOL SECTabWndBase::SetActiveTab(CWnd* pWnd, int nIndex)
{
    int nTab = 0;
    if (pWnd == nullptr || !FindTab(pWnd, nTab))
        return FALSE;
    CWnd* pOldWnd = m_pActiveWnd;
    m_pActiveWnd = pWnd;
    int nActive = 0;
    // The control answers with TCM_TABSEL, whose nested call finds the tab active already.
    if (!m_pTabControl->GetActiveTab(nActive) || nActive != nIndex)
        m_pTabControl->ActivateTab(nIndex);
    if (pOldWnd != nullptr && pOldWnd != pWnd && ::IsWindow(pOldWnd->m_hWnd))
        pOldWnd->ShowWindow(SW_HIDE);
    pWnd->ShowWindow(SW_SHOW);
    ShowPageFocus(pWnd);
    RecalcLayout();
    Invalidate(TRUE);
    return TRUE;
}

void SECTabWndBase::ShowPageFocus(CWnd* pPage)
{
    if (auto* pView = DYNAMIC_DOWNCAST(CView, pPage))
    {
        if (CFrameWnd* pFrame = GetParentFrame())
            pFrame->SetActiveView(pView, TRUE);
        if (CFrameWnd* pTopFrame = GetTopLevelFrame())
            pTopFrame->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
        return;
    }
    SetFocus();
    pPage->SetFocus();
}

void SECTabWndBase::FocusPage(CWnd* pPage)
{
    CWnd* pFirst = pPage->GetNextDlgTabItem(nullptr);
    (pFirst != nullptr && pPage->IsChild(pFirst) ? pFirst : pPage)->SetFocus();
}

void SECTabWndBase::ClearSelection()
{
    m_pTabControl->ClearSelection();
}

void SECTabWndBase::ScrollToTab(int nIndex)
{
    m_pTabControl->ScrollToTab(nIndex);
}

BOOL SECTabWndBase::ScrollToTab(CWnd* pWnd)
{
    int nIndex = 0;
    if (!FindTab(pWnd, nIndex))
        return FALSE;
    ScrollToTab(nIndex);
    return TRUE;
}

void SECTabWndBase::ActivatePage()
{
    int nActive = 0;
    if (m_pTabControl != nullptr && m_pTabControl->GetActiveTab(nActive) && m_pActiveWnd != nullptr)
        ShowPageFocus(m_pActiveWnd);
}

CWnd* SECTabWndBase::SetNotifyWnd(CWnd* pWnd)
{
    m_pNotifyWnd = pWnd != nullptr ? pWnd : GetParent();
    return m_pNotifyWnd;
}

CWnd* SECTabWndBase::GetNotifyWnd() const
{
    return m_pNotifyWnd;
}

void SECTabWndBase::GetInsideRect(CRect& rect) const
{
    GetClientRect(&rect);
}

void SECTabWndBase::RecalcLayout()
{
}

int SECTabWndBase::GetTabCount() const
{
    return m_pTabControl != nullptr ? m_pTabControl->GetTabCount() : 0;
}

BOOL SECTabWndBase::GetTabInfo(int nIndex, LPCTSTR& lpszLabel, BOOL& bSelected, CWnd*& pWnd, DWORD& dwUserData) const
{
    void* pClient = nullptr;
    DWORD dwUserData1 = 0;
    if (m_pTabControl == nullptr ||
        !m_pTabControl->GetTabInfo(nIndex, lpszLabel, bSelected, pClient, dwUserData1, dwUserData))
        return FALSE;
    pWnd = static_cast<CWnd*>(pClient);
    return TRUE;
}

BOOL SECTabWndBase::FindTab(const CWnd* pWnd, int& nIndex) const
{
    return m_pTabControl != nullptr && m_pTabControl->FindTab(pWnd, nIndex);
}

BOOL SECTabWndBase::GetActiveTab(CWnd*& pWnd) const
{
    int nActive = 0;
    if (m_pTabControl == nullptr || !m_pTabControl->GetActiveTab(nActive) || !m_pTabControl->IsValidTab(nActive))
        return FALSE;
    pWnd = static_cast<CWnd*>(m_pTabControl->GetTab(nActive).m_pClient);
    return TRUE;
}

HDWP SECTabWndBase::DeferMove(HDWP hdwp, CWnd* pWnd, const CRect& rect, UINT nFlags)
{
    if (hdwp == nullptr || pWnd == nullptr || pWnd->m_hWnd == nullptr)
        return hdwp;
    CRect rcOld;
    pWnd->GetWindowRect(&rcOld);
    if (CWnd* pParent = pWnd->GetParent())
        pParent->ScreenToClient(&rcOld);
    if (rcOld == rect)
        return hdwp;
    return ::DeferWindowPos(hdwp, pWnd->m_hWnd, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                            nFlags | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT SECTabWndBase::OnTabSel(WPARAM wParam, LPARAM)
{
    ActivateTab(static_cast<int>(wParam));
    return 0;
}

LRESULT SECTabWndBase::ForwardTabSel(WPARAM wParam, LPARAM lParam)
{
    if (lParam != 0)
        reinterpret_cast<TAB_SEL_NOTIFY*>(lParam)->nCtrlID = static_cast<UINT>(GetDlgCtrlID());
    ActivateTab(static_cast<int>(wParam));
    if (m_pNotifyWnd != nullptr && ::IsWindow(m_pNotifyWnd->m_hWnd))
        m_pNotifyWnd->SendMessage(TCM_TABSEL, wParam, lParam);
    return 0;
}

LRESULT SECTabWndBase::OnTabReactivate(WPARAM, LPARAM)
{
    ActivatePage();
    return 0;
}

void SECTabWndBase::OnChildActivate()
{
    ActivatePage();
}

void SECTabWndBase::OnDestroy()
{
    if (m_pTabControl != nullptr)
    {
        m_pTabControl->DestroyWindow();
        delete m_pTabControl;
        m_pTabControl = nullptr;
    }
    m_pActiveWnd = nullptr;
    CWnd::OnDestroy();
}
} // namespace tarnwick::tabs
