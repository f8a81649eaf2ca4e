#include "TabControlBase.h"

#include <algorithm>

namespace tarnwick::tabs
{
IMPLEMENT_DYNAMIC(SECTabControlBase, CWnd)

BEGIN_MESSAGE_MAP(SECTabControlBase, CWnd)
ON_WM_SETCURSOR()
ON_WM_DESTROY()
END_MESSAGE_MAP()

SECTabControlBase::SECTabControlBase() = default;

SECTabControlBase::~SECTabControlBase()
{
    DeleteTabRecords();
}

BOOL SECTabControlBase::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (m_pTabArray == nullptr)
        m_pTabArray = new CObArray;
    m_hcurArrow = ::LoadCursor(nullptr, IDC_ARROW);
    // Fonts and pens first: the window's first WM_SIZE already lays the strip out.
    Initialize(dwStyle);
    return CWnd::CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), nullptr, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

void SECTabControlBase::Initialize(DWORD)
{
}

SECTab* SECTabControlBase::CreateNewTab() const
{
    return new SECTab;
}

void SECTabControlBase::RecalcLayout()
{
}

void SECTabControlBase::OnActivateTab(int)
{
}

void SECTabControlBase::DestroyGdiObjects()
{
}

SECTab* SECTabControlBase::InsertTab(int nIndex, LPCTSTR lpszLabel, void* pClient, DWORD dwUserData, DWORD dwUserData2)
{
    if (m_pTabArray == nullptr)
        m_pTabArray = new CObArray;
    nIndex = std::clamp(nIndex, 0, GetTabCount());
    SECTab* pTab = CreateNewTab();
    pTab->SetLabel(lpszLabel);
    pTab->m_bSelected = FALSE;
    pTab->m_pClient = pClient;
    pTab->m_dwUserData = dwUserData;
    pTab->m_dwUserData2 = dwUserData2;
    m_pTabArray->InsertAt(nIndex, pTab);

    // The active tab keeps its record.
    if (m_bActiveTab && m_nActiveTab >= nIndex)
        ++m_nActiveTab;
    RecalcLayout();
    InvalidateTabsFrom(nIndex);
    return pTab;
}

SECTab* SECTabControlBase::AddTab(LPCTSTR lpszLabel, void* pClient, DWORD dwUserData, DWORD dwUserData2)
{
    return InsertTab(GetTabCount(), lpszLabel, pClient, dwUserData, dwUserData2);
}

void SECTabControlBase::FillSolidRect(CDC* pDC, int x, int y, int cx, int cy, COLORREF clr)
{
    pDC->FillSolidRect(x, y, cx, cy, clr);
}

BOOL SECTabControlBase::ReplaceFont(CFont& font, const LOGFONT& lf)
{
    CFont fresh;
    if (!fresh.CreateFontIndirect(&lf))
        return FALSE;
    font.DeleteObject();
    font.Attach(fresh.Detach());
    return TRUE;
}

void SECTabControlBase::MoveTab(int nFrom, int nTo)
{
    CObject* pTab = m_pTabArray->GetAt(nFrom);
    m_pTabArray->RemoveAt(nFrom);
    m_pTabArray->InsertAt(nTo, pTab);
    m_bActiveTab = FALSE;
}

void SECTabControlBase::InvalidateTabsFrom(int nIndex)
{
    for (int i = std::max(nIndex, 0); i < GetTabCount(); ++i)
        InvalidateTab(i);
}

void SECTabControlBase::DropActiveTab()
{
    m_bActiveTab = FALSE;
}

void SECTabControlBase::SetTabIcon(int, LPCTSTR, int, int)
{
}

void SECTabControlBase::SetTabIcon(int, UINT, int, int)
{
}

void SECTabControlBase::SetTabIcon(int, HICON)
{
}

void SECTabControlBase::DeleteTab(int nIndex)
{
    if (!IsValidTab(nIndex))
        return;
    delete m_pTabArray->GetAt(nIndex);
    m_pTabArray->RemoveAt(nIndex);

    if (m_bActiveTab)
    {
        const int nActive = m_nActiveTab;
        if (GetTabCount() == 0)
            m_bActiveTab = FALSE;
        else if (nActive >= GetTabCount())
        {
            m_bActiveTab = FALSE;
            ActivateTab(GetTabCount() - 1);
        }
        else if (nIndex == nActive)
        {
            m_bActiveTab = FALSE;
            ActivateTab(nIndex);
        }
        else if (nIndex < nActive)
        {
            // The same tab, one place further left; its old index now names its neighbour,
            // whose selection must stay as it is.
            m_bActiveTab = FALSE;
            ActivateTab(nActive - 1);
        }
    }
    InvalidateTabsFrom(nIndex);
    RecalcLayout();
}

void SECTabControlBase::RenameTab(int nIndex, LPCTSTR lpszLabel)
{
    if (!IsValidTab(nIndex))
        return;
    InvalidateTabsFrom(nIndex);
    GetTab(nIndex).SetLabel(lpszLabel);
    RecalcLayout();
    InvalidateTabsFrom(nIndex);
}

TAB_SEL_NOTIFY SECTabControlBase::MakeNotify(int nIndex) const
{
    TAB_SEL_NOTIFY notify{};
    notify.nCtrlID = static_cast<UINT>(GetDlgCtrlID());
    notify.nTabIndex = nIndex;
    notify.nPrevTabIndex = m_bActiveTab ? m_nActiveTab : -1;
    notify.pClient = GetTab(nIndex).m_pClient;
    notify.pPrevClient = m_bActiveTab && IsValidTab(m_nActiveTab) ? GetTab(m_nActiveTab).m_pClient : nullptr;
    return notify;
}

LRESULT SECTabControlBase::NotifyParent(UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pParent = GetParent();
    return pParent != nullptr ? pParent->SendMessage(message, wParam, lParam) : 0;
}

LRESULT SECTabControlBase::ActivateTab(int nIndex)
{
    if (!IsValidTab(nIndex))
        return 0;
    TAB_SEL_NOTIFY notify = MakeNotify(nIndex);
    if (m_bActiveTab)
    {
        if (m_nActiveTab == nIndex)
            return 0;
        if (IsValidTab(m_nActiveTab))
        {
            GetTab(m_nActiveTab).m_bSelected = FALSE;
            InvalidateTab(m_nActiveTab);
        }
    }
    m_nActiveTab = nIndex;
    m_bActiveTab = TRUE;
    GetTab(nIndex).m_bSelected = TRUE;
    OnActivateTab(nIndex);
    InvalidateTab(nIndex);
    ScrollToTab(nIndex);
    return NotifyParent(TCM_TABSEL, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&notify));
}

void SECTabControlBase::NotifyReactivate()
{
    NotifyParent(TCM_TABREACTIVATE, static_cast<WPARAM>(m_nActiveTab), 0);
}

void SECTabControlBase::SelectTab(int nIndex)
{
    if (!IsValidTab(nIndex))
        return;
    TAB_SEL_NOTIFY notify = MakeNotify(nIndex);
    GetTab(nIndex).m_bSelected = TRUE;
    InvalidateTab(nIndex);
    NotifyParent(TCM_TABSEL, static_cast<WPARAM>(m_nActiveTab), reinterpret_cast<LPARAM>(&notify));
}

void SECTabControlBase::ClearSelection()
{
    for (int i = 0; i < GetTabCount(); ++i)
    {
        SECTab& tab = GetTab(i);
        if (tab.m_bSelected)
        {
            InvalidateTab(i);
            tab.m_bSelected = FALSE;
        }
    }
    m_bActiveTab = FALSE;
    NotifyParent(TCM_TABSELCLR, 0, 0);
}

void SECTabControlBase::ScrollToTab(int)
{
}

void SECTabControlBase::InvalidateTab(int)
{
}

int SECTabControlBase::GetTabCount() const
{
    return m_pTabArray != nullptr ? static_cast<int>(m_pTabArray->GetSize()) : 0;
}

SECTab& SECTabControlBase::GetTab(int nIndex) const
{
    if (m_pTabArray == nullptr)
        AfxThrowInvalidArgException();
    return *static_cast<SECTab*>(m_pTabArray->GetAt(nIndex));
}

BOOL SECTabControlBase::FindTab(const void* pClient, int& nIndex) const
{
    for (int i = GetTabCount() - 1; i >= 0; --i)
    {
        if (GetTab(i).m_pClient == pClient)
        {
            nIndex = i;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL SECTabControlBase::TabExists(const void* pClient) const
{
    int nIndex = 0;
    return FindTab(pClient, nIndex);
}

BOOL SECTabControlBase::IsValidTab(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetTabCount();
}

BOOL SECTabControlBase::GetActiveTab(int& nIndex) const
{
    nIndex = m_nActiveTab;
    return m_bActiveTab;
}

BOOL SECTabControlBase::GetTabInfo(int nIndex, LPCTSTR& lpszLabel, BOOL& bSelected, void*& pClient, DWORD& dwUserData,
                                   DWORD& dwUserData2) const
{
    if (!IsValidTab(nIndex))
        return FALSE;
    const SECTab& tab = GetTab(nIndex);
    lpszLabel = tab.GetFullLabel();
    bSelected = tab.m_bSelected;
    pClient = tab.m_pClient;
    dwUserData = tab.m_dwUserData;
    dwUserData2 = tab.m_dwUserData2;
    return TRUE;
}

BOOL SECTabControlBase::OnSetCursor(CWnd*, UINT, UINT)
{
    ::SetCursor(m_hcurArrow);
    return TRUE;
}

void SECTabControlBase::OnDestroy()
{
    DeleteTabRecords();
    DestroyGdiObjects();
    CWnd::OnDestroy();
}

void SECTabControlBase::DeleteTabRecords()
{
    if (m_pTabArray == nullptr)
        return;
    for (INT_PTR i = 0; i < m_pTabArray->GetSize(); ++i)
        delete m_pTabArray->GetAt(i);
    delete m_pTabArray;
    m_pTabArray = nullptr;
    m_bActiveTab = FALSE;
}
} // namespace tarnwick::tabs
