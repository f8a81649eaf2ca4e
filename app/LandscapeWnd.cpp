#include <app/LandscapeWnd.h>

#include <app/resource.h>

IMPLEMENT_DYNCREATE(CLandscapeWnd, SECControlBar)

BEGIN_MESSAGE_MAP(CLandscapeWnd, SECControlBar)
ON_WM_CREATE()
ON_WM_SIZE()
END_MESSAGE_MAP()

namespace
{
constexpr DWORD TABS_STYLE = WS_CHILD | WS_VISIBLE | tarnwick::tabs::TWS_MODERN | tarnwick::tabs::TWS_TABS_BOTTOM;
constexpr DWORD TREE_STYLE =
    WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_DISABLEDRAGDROP | TVS_SHOWSELALWAYS;
// Several entries can be selected; a dragged item opens the entry it hovers over.
constexpr DWORD TREE_EX_STYLE = tarnwick::lists::TVXS_MULTISELECT | tarnwick::lists::TVXS_HOVEREXPAND;
static_assert(TABS_STYLE == 0x50000018 && TREE_STYLE == 0x50000037 && TREE_EX_STYLE == 0x02100000);
} // namespace

CLandscapeWnd::~CLandscapeWnd() = default;

void CLandscapeWnd::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
}

int CLandscapeWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (SECControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndTabs.Create(this, TABS_STYLE, AFX_IDW_PANE_FIRST))
        return -1;
    const struct
    {
        CLandscapeTree& tree;
        LPCTSTR lpszLabel;
        UINT nIcon;
        UINT nID;
    } trees[] = {{m_wndSystemTree, _T("System"), IDI_SYSTEM, IDC_SYSTEM_TREE},
                 {m_wndHostTree, _T("Host"), IDI_HOST, IDC_HOST_TREE},
                 {m_wndDatabaseTree, _T("Database"), IDI_DATABASE, IDC_DATABASE_TREE}};
    int nTab = 0;
    for (const auto& t : trees)
    {
        if (!t.tree.CreateFromRect(TREE_STYLE, TREE_EX_STYLE, CRect(0, 0, 0, 0), &m_wndTabs, t.nID))
            return -1;
        m_wndTabs.AddTab(&t.tree, t.lpszLabel);
        m_wndTabs.SetTabIcon(nTab++, t.nIcon, 16, 16);
    }
    m_wndTabs.ActivateTab(0);
    return 0;
}

void CLandscapeWnd::OnSize(UINT nType, int cx, int cy)
{
    if (m_wndTabs.m_hWnd != nullptr)
    {
        CRect rect;
        GetInsideRect(rect);
        m_wndTabs.SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                               SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SECControlBar::OnSize(nType, cx, cy);
}
