#include <app/OutputWnd.h>

#include <app/BarMenu.h>
#include <app/resource.h>

#include <collector/Lumiter5Message.h>

#include <memory>
#include <utility>
#include <vector>

IMPLEMENT_DYNCREATE(COutputWnd, SECControlBar)

BEGIN_MESSAGE_MAP(COutputWnd, SECControlBar)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_SIZE()
ON_WM_ERASEBKGND()
ON_WM_CONTEXTMENU()
ON_COMMAND(ID_CLEAR_TABS, OnClearTabs)
ON_MESSAGE(WM_LUMITER5_MESSAGE, OnOutputMessage)
END_MESSAGE_MAP()

namespace
{
constexpr DWORD CATEGORY_TABS_STYLE =
    WS_CHILD | WS_VISIBLE | tarnwick::tabs::TWS_MODERN | tarnwick::tabs::TWS_TABS_BOTTOM;
// The sources' tabs scroll with the full set of buttons, beside their page's scroll bars; bit 0x10
// is the 3-D tabs' bottom placement, which the flat tab window passes over.
constexpr DWORD SOURCE_TABS_STYLE = WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | tarnwick::tabs::TWS_TABS_BOTTOM |
                                    tarnwick::tabs::TCS_TABS_FULLSCROLL;
static_assert(CATEGORY_TABS_STYLE == 0x50000018 && SOURCE_TABS_STYLE == 0x50300012);
constexpr UINT TABS_ID = AFX_IDW_PANE_FIRST;

struct Category
{
    LPCTSTR lpszLabel;
    UINT nIcon;
};
constexpr Category categories[COutputWnd::CategoryCount] = {{_T("Lumiter5"), IDR_MAINFRAME},
                                                            {_T("System"), IDI_SYSTEM},
                                                            {_T("Instance"), IDI_INSTANCE},
                                                            {_T("Host"), IDI_HOST},
                                                            {_T("Database"), IDI_DATABASE}};
} // namespace

COutputWnd::~COutputWnd() = default;

void COutputWnd::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
}

int COutputWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (SECControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndTabs.Create(this, CATEGORY_TABS_STYLE, TABS_ID))
        return -1;
    for (int nCategory = 0; nCategory < CategoryCount; ++nCategory)
    {
        CMessageTabWnd& wndCategory = m_wndCategories[nCategory];
        if (!wndCategory.Create(&m_wndTabs, SOURCE_TABS_STYLE, TABS_ID))
            return -1;
        wndCategory.SetNotifyWnd(this);
        m_wndTabs.AddTab(&wndCategory, categories[nCategory].lpszLabel);
        m_wndTabs.SetTabIcon(nCategory, categories[nCategory].nIcon, 16, 16);
    }
    m_wndTabs.ActivateTab(0);
    return 0;
}

void COutputWnd::OnDestroy()
{
    // Lines posted but not yet delivered would be lost with the window, and their records
    // with them.
    MSG msg;
    while (::PeekMessage(&msg, m_hWnd, WM_LUMITER5_MESSAGE, WM_LUMITER5_MESSAGE, PM_REMOVE))
        delete reinterpret_cast<CLumiter5Message*>(msg.lParam);
    SECControlBar::OnDestroyEx();
}

void COutputWnd::OnSize(UINT nType, int cx, int cy)
{
    if (m_wndTabs.m_hWnd != nullptr)
    {
        CRect rect;
        GetInsideRect(rect);
        m_wndTabs.SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    }
    SECControlBar::OnSize(nType, cx, cy);
}

BOOL COutputWnd::OnEraseBkgnd(CDC* pDC)
{
    CRect rectWindow;
    GetClientRect(&rectWindow);
    CRect rectInside;
    GetInsideRect(rectInside);
    const COLORREF crFace = ::GetSysColor(COLOR_3DFACE);
    pDC->FillSolidRect(CRect(rectWindow.left, rectWindow.top, rectWindow.right, rectInside.top), crFace);
    pDC->FillSolidRect(CRect(rectWindow.left, rectInside.bottom, rectWindow.right, rectWindow.bottom), crFace);
    pDC->FillSolidRect(CRect(rectWindow.left, rectInside.top, rectInside.left, rectInside.bottom), crFace);
    pDC->FillSolidRect(CRect(rectInside.right, rectInside.top, rectWindow.right, rectInside.bottom), crFace);
    return SECControlBar::OnEraseBkgnd(pDC);
}

void COutputWnd::OnContextMenu(CWnd*, CPoint point)
{
    const CPoint ptMenu = ContextMenuPoint(*this, point);
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    menu.AppendMenu(MF_STRING, ID_CLEAR_TABS, _T("Clear Tabs"));
    menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, ptMenu.x, ptMenu.y, this);
}

void COutputWnd::OnClearTabs()
{
    for (CMessageTabWnd& wndCategory : m_wndCategories)
        wndCategory.RemoveAllTabs();
    m_wndTabs.ActivateTab(0);
    CRect rect;
    GetInsideRect(rect);
    InvalidateRect(rect);
}

LRESULT COutputWnd::OnOutputMessage(WPARAM wParam, LPARAM lParam)
{
    // A session's threads post lines in floods. Those already queued are taken along and shown
    // together, so that the queue empties at once and painting is not held behind them.
    std::vector<std::pair<WPARAM, std::unique_ptr<CLumiter5Message>>> queued;
    queued.emplace_back(wParam, reinterpret_cast<CLumiter5Message*>(lParam));
    MSG msg;
    while (::PeekMessage(&msg, m_hWnd, WM_LUMITER5_MESSAGE, WM_LUMITER5_MESSAGE, PM_REMOVE))
        queued.emplace_back(msg.wParam, reinterpret_cast<CLumiter5Message*>(msg.lParam));
    for (WPARAM nCategory = 0; nCategory < CategoryCount; ++nCategory)
    {
        std::vector<const CLumiter5Message*> lines;
        for (const auto& [nLineCategory, pLine] : queued)
            if (nLineCategory == nCategory && pLine != nullptr)
                lines.push_back(pLine.get());
        if (!lines.empty())
            m_wndCategories[nCategory].AddMessages(lines);
    }
    return 0;
}

void COutputWnd::DispatchMessageToTab(WPARAM nCategory, LPCTSTR lpszSource, LPCTSTR lpszTime, LPCTSTR lpszText)
{
    if (nCategory < CategoryCount)
        m_wndCategories[nCategory].AddMessage(lpszSource, lpszTime, lpszText);
}
