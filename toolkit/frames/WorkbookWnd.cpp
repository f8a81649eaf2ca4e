// SECWorkbookWnd: the tab row below the MDI client, its painting, clicks and tips.
#include <toolkit/foundation/AuxData.h>
#include <toolkit/foundation/BitmapDraw.h>
#include <toolkit/foundation/ChildClip.h>
#include <toolkit/foundation/VisualStyle.h>
#include <toolkit/frames/WorkbookClientWnd.h>
#include <toolkit/frames/ControlBarWorksheet.h>
#include <toolkit/frames/WorkbookWnd.h>
#include <toolkit/frames/WorksheetWnd.h>
#include <toolkit/foundation/GdiFallback.h>

#include <afxcmn.h>

#include <algorithm>
#include <memory>
#include <tchar.h>

#include <vssym32.h>

namespace tarnwick::frames
{
IMPLEMENT_DYNCREATE(SECWorkbookWnd, SECMDIFrameWnd)

BEGIN_MESSAGE_MAP(SECWorkbookWnd, SECMDIFrameWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_DESTROY()
ON_MESSAGE(WM_SECWORKBOOK_ACTIVESHEET, OnActiveSheetChanged)
ON_MESSAGE(WM_THEMECHANGED, OnThemeChanged)
END_MESSAGE_MAP()

namespace
{
constexpr int TAB_POINTS = 7;
// The tab row starts this far below the MDI client.
constexpr int TAB_ROW_OFFSET = 4;
constexpr int LABEL_GAP = 3;
constexpr int ICON_SIZE = 16;
constexpr int CLIENT_BEVEL = 5;
constexpr UINT LABEL_FORMAT = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
// The MDI client's width is shared with this much slack.
constexpr int TAB_WIDTH_SLACK = 5;

// Client margins (left, top, right, bottom) for flat and 3-D tabs.
constexpr RECT FLAT_MARGINS = {3, 3, 5, 30};
constexpr RECT BEVEL_MARGINS = {13, 13, 13, 33};

void Line(CDC* pDC, CPen& pen, int x1, int y1, int x2, int y2)
{
    CPen* pOld = pDC->SelectObject(&pen);
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
    pDC->SelectObject(pOld);
}
} // namespace

SECWorkbookWnd::SECWorkbookWnd()
    : m_bWorkbookMode(FALSE), m_bShowTabIcons(TRUE), m_pClientWnd(nullptr), m_nTabWidth(100), m_nTabHeight(23),
      m_nBevel(2), m_nActiveExtraWidth(4), m_nActiveExtraHeight(2), m_nMaxTabWidth(90), m_rectLastLayout(0, 0, 0, 0),
      m_nTabStyle(0), m_nReserved(0), m_nLastActiveTab(0), m_pToolTip(nullptr)
{
    // Bars floated in the main window become worksheets with tabs.
    SetBarChildClass(RUNTIME_CLASS(SECControlBarWorksheet));
}

SECWorkbookWnd::~SECWorkbookWnd()
{
    delete m_pToolTip;
}

SECWorksheetWnd* SECWorkbookWnd::GetSheet(INT_PTR nIndex) const
{
    return static_cast<SECWorksheetWnd*>(m_worksheets[nIndex]);
}

CRect SECWorkbookWnd::GetClientAreaRect() const
{
    CRect rect(0, 0, 0, 0);
    if (m_hWndMDIClient == nullptr)
        return rect;
    ::GetWindowRect(m_hWndMDIClient, &rect);
    ScreenToClient(&rect);
    return rect;
}

void SECWorkbookWnd::GetWorkbookRect(CRect& rect)
{
    rect = GetClientAreaRect();
    if (m_pClientWnd != nullptr)
    {
        const CRect& margins = m_pClientWnd->GetMargins();
        rect.InflateRect(margins.left, margins.top, margins.right, margins.bottom);
    }
}

BOOL SECWorkbookWnd::CanActivateTab(SECWorksheetWnd*)
{
    return TRUE;
}

int SECWorkbookWnd::CalcTabWidth()
{
    if (m_worksheets.IsEmpty())
        return m_nTabWidth;
    const int nShare = (GetClientAreaRect().Width() + TAB_WIDTH_SLACK) / static_cast<int>(m_worksheets.GetSize());
    return std::min(nShare, m_nMaxTabWidth);
}

void SECWorkbookWnd::AddTab(SECWorksheetWnd* pSheet)
{
    pSheet->SetTabIndex(static_cast<int>(m_worksheets.GetSize()));
    m_worksheets.Add(pSheet);
    const int nWidth = CalcTabWidth();
    if (nWidth != m_nTabWidth)
    {
        m_nTabWidth = nWidth;
        if (m_bWorkbookMode)
            InvalidateTabRow();
    }
    else if (m_bWorkbookMode)
    {
        if (m_worksheets.GetSize() == 1)
            Invalidate();
        else
            InvalidateTab(pSheet, TRUE);
    }
    if (m_pToolTip == nullptr && m_worksheets.GetSize() == 1)
    {
        m_pToolTip = new CToolTipCtrl;
        if (m_pToolTip->Create(this))
        {
            m_pToolTip->Activate(TRUE);
            EnableToolTips(TRUE);
        }
        else
        {
            delete m_pToolTip;
            m_pToolTip = nullptr;
        }
    }
}

void SECWorkbookWnd::RemoveTab(SECWorksheetWnd* pSheet)
{
    INT_PTR nIndex = 0;
    while (nIndex < m_worksheets.GetSize() && m_worksheets[nIndex] != pSheet)
        ++nIndex;
    if (nIndex == m_worksheets.GetSize())
        return;
    m_worksheets.RemoveAt(nIndex);
    if (m_pClientWnd == nullptr)
        return;
    for (INT_PTR i = nIndex; i < m_worksheets.GetSize(); ++i)
        GetSheet(i)->SetTabIndex(static_cast<int>(i));
    if (!m_worksheets.IsEmpty())
    {
        const int nWidth = CalcTabWidth();
        if (nWidth != m_nTabWidth)
        {
            m_nTabWidth = nWidth;
            if (m_bWorkbookMode)
                InvalidateTabRow();
            return;
        }
    }
    if (!m_bWorkbookMode)
        return;
    if (m_worksheets.IsEmpty())
        Invalidate();
    else
        InvalidateTabAt(static_cast<int>(nIndex - HiddenBefore(nIndex)), TRUE);
}

int SECWorkbookWnd::HiddenBefore(INT_PTR nIndex) const
{
    int nHidden = 0;
    for (INT_PTR i = 0; i < nIndex && i < m_worksheets.GetSize(); ++i)
        if (!GetSheet(i)->IsShown())
            ++nHidden;
    return nHidden;
}

BOOL SECWorkbookWnd::IsSheetActive(SECWorksheetWnd* pSheet)
{
    return pSheet == GetActiveFrame() || pSheet->IsPressed();
}

void SECWorkbookWnd::GetTabPolygon(SECWorksheetWnd* pSheet, LPPOINT& lpPoints, int& nCount)
{
    const CRect rectClient = GetClientAreaRect();
    const int nActive = IsSheetActive(pSheet) ? 1 : 0;
    // Flat tabs are all of one size.
    const int ew = m_nTabStyle != 0 ? 0 : m_nActiveExtraWidth;
    const int w = m_nTabWidth;
    const int h = m_nTabHeight;
    const int b = m_nBevel;
    const int eh = m_nActiveExtraHeight;
    const int nPlace = pSheet->GetTabIndex() - HiddenBefore(pSheet->GetTabIndex());
    lpPoints = new POINT[TAB_POINTS];
    nCount = TAB_POINTS;
    lpPoints[0] = {nPlace * w - (ew / 2) * nActive + rectClient.left, rectClient.bottom + TAB_ROW_OFFSET};
    lpPoints[1] = {lpPoints[0].x, lpPoints[0].y + h - b};
    lpPoints[2] = {lpPoints[1].x + b, lpPoints[1].y + b + eh * nActive};
    lpPoints[3] = {lpPoints[2].x - 2 * b + ew * nActive + w, lpPoints[2].y};
    lpPoints[4] = {lpPoints[3].x + b, lpPoints[1].y};
    lpPoints[5] = {lpPoints[4].x, lpPoints[0].y};
    lpPoints[6] = lpPoints[0];
}

BOOL SECWorkbookWnd::TabRegion(SECWorksheetWnd* pSheet, CRgn& rgn)
{
    LPPOINT lpPoints = nullptr;
    int nCount = 0;
    GetTabPolygon(pSheet, lpPoints, nCount);
    const std::unique_ptr<POINT[]> points(lpPoints);
    return rgn.CreatePolygonRgn(points.get(), nCount, ALTERNATE);
}

const CString& SECWorkbookWnd::GetTabLabel(SECWorksheetWnd* pSheet)
{
    if (CDocument* pDoc = pSheet->GetActiveDocument())
        m_strLabel = pDoc->GetTitle();
    else
        pSheet->GetWindowText(m_strLabel);
    return m_strLabel;
}

BOOL SECWorkbookWnd::GetTabLabelRect(const POINT* lpPoints, int nIconWidth, CRect& rect)
{
    if (lpPoints == nullptr)
    {
        rect.SetRectEmpty();
        return FALSE;
    }
    rect.SetRect(lpPoints[2].x + nIconWidth + LABEL_GAP, lpPoints[0].y, lpPoints[4].x - 2, lpPoints[3].y);
    return TRUE;
}

BOOL SECWorkbookWnd::IsTabLabelVisible(SECWorksheetWnd* pSheet)
{
    LPPOINT lpPoints = nullptr;
    int nCount = 0;
    GetTabPolygon(pSheet, lpPoints, nCount);
    const std::unique_ptr<POINT[]> points(lpPoints);
    CRect rectLabel;
    GetTabLabelRect(points.get(), GetTabIcon(pSheet) != nullptr ? ICON_SIZE : 0, rectLabel);
    CClientDC dc(this);
    CFont* pOldFont = dc.SelectObject(&m_fontTab);
    const int cxText = dc.GetTextExtent(GetTabLabel(pSheet)).cx;
    dc.SelectObject(pOldFont);
    return cxText <= rectLabel.Width();
}

HICON SECWorkbookWnd::GetTabIcon(SECWorksheetWnd* pSheet)
{
    return m_bShowTabIcons ? pSheet->GetIcon() : nullptr;
}

BOOL SECWorkbookWnd::SetTabIcon(SECWorksheetWnd* pSheet, HICON hIcon, BOOL bRedraw)
{
    if (pSheet == nullptr)
        return FALSE;
    pSheet->SetIcon(hIcon);
    if (bRedraw)
        InvalidateTab(pSheet, FALSE);
    return TRUE;
}

void SECWorkbookWnd::ApplyMargins()
{
    if (m_pClientWnd == nullptr)
        return;
    const RECT margins = !m_bWorkbookMode ? RECT{0, 0, 0, 0} : (m_nTabStyle != 0 ? FLAT_MARGINS : BEVEL_MARGINS);
    m_pClientWnd->SetMargins(margins.left, margins.top, margins.right, margins.bottom);
}

void SECWorkbookWnd::SetTabStyle(int nStyle)
{
    m_nTabStyle = nStyle;
    ApplyMargins();
    SECDockBar::SetFlatTabsFlag(nStyle != 0 ? FALSE : m_bWorkbookMode);
    if (m_hWnd != nullptr)
        RecalcLayout(TRUE);
}

void SECWorkbookWnd::SetWorkbookMode(BOOL bOn)
{
    m_bWorkbookMode = bOn;
    SetTabStyle(m_nTabStyle);
}

void SECWorkbookWnd::OnWorkbookMode()
{
    SetWorkbookMode(!m_bWorkbookMode);
}

void SECWorkbookWnd::OnUpdateWorkbookMode(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_bWorkbookMode);
}

void SECWorkbookWnd::InvalidateTab(SECWorksheetWnd* pSheet, BOOL bToRight)
{
    InvalidateTabAt(pSheet->GetTabIndex() - HiddenBefore(pSheet->GetTabIndex()), bToRight);
}

void SECWorkbookWnd::InvalidateTabAt(int nPlace, BOOL bToRight)
{
    const CRect rectClient = GetClientAreaRect();
    const int x = nPlace * m_nTabWidth + rectClient.left - 2;
    const int y = rectClient.bottom + (m_nTabStyle != 0 ? 3 : 4);
    CRect rectFrame;
    GetClientRect(&rectFrame);
    InvalidateRect(CRect(x, y, bToRight ? rectFrame.right : x + m_nTabWidth + 4, y + m_nTabHeight + 4));
}

void SECWorkbookWnd::InvalidateTabRow()
{
    const int y = GetClientAreaRect().bottom + TAB_ROW_OFFSET;
    CRect rectFrame;
    GetClientRect(&rectFrame);
    InvalidateRect(CRect(rectFrame.left, y, rectFrame.right, y + m_nTabHeight + 4));
}

BOOL SECWorkbookWnd::CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu)
{
    if (!SECMDIFrameWnd::CreateClient(lpCreateStruct, pWindowMenu))
        return FALSE;
    m_pClientWnd = new SECWorkbookClientWnd;
    if (!m_pClientWnd->SubclassWindow(m_hWndMDIClient))
    {
        delete m_pClientWnd;
        m_pClientWnd = nullptr;
        return TRUE;
    }
    if (!m_fontTab.CreateStockObject(DEFAULT_GUI_FONT))
        m_fontTab.CreateStockObject(ANSI_VAR_FONT);
    SECCreatePen(m_penHighlight, PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    SECCreatePen(m_penBlack, PS_SOLID, 1, RGB(0, 0, 0));
    SECCreatePen(m_penShadow, PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    SECCreatePen(m_penFace, PS_SOLID, 1, ::GetSysColor(COLOR_BTNFACE));
    ApplyMargins();
    return TRUE;
}

void SECWorkbookWnd::RecalcLayout(BOOL bNotify)
{
    SECMDIFrameWnd::RecalcLayout(bNotify);
    if (!m_bWorkbookMode)
        return;
    const CRect& rect = GetDocking().GetRemainingClientRect();
    if (rect == m_rectLastLayout)
        return;
    if (!m_worksheets.IsEmpty())
        m_nTabWidth = CalcTabWidth();
    Invalidate();
    m_rectLastLayout = rect;
}

void SECWorkbookWnd::DrawClientBorder(CDC* pDC)
{
    const CRect rectClient = GetClientAreaRect();
    if (m_nTabStyle != 0)
    {
        CRect rectLine = rectClient;
        rectLine.InflateRect(1, 1);
        CBrush brush(::GetSysColor(COLOR_BTNSHADOW));
        pDC->FrameRect(&rectLine, &brush);
        return;
    }
    CRect rectBevel = rectClient;
    rectBevel.InflateRect(CLIENT_BEVEL, CLIENT_BEVEL);
    Line(pDC, m_penHighlight, rectBevel.left, rectBevel.bottom - 1, rectBevel.left, rectBevel.top);
    Line(pDC, m_penHighlight, rectBevel.left, rectBevel.top, rectBevel.right - 1, rectBevel.top);
    Line(pDC, m_penShadow, rectBevel.left + 1, rectBevel.bottom - 2, rectBevel.right - 2, rectBevel.bottom - 2);
    Line(pDC, m_penShadow, rectBevel.right - 2, rectBevel.top + 1, rectBevel.right - 2, rectBevel.bottom - 1);
    Line(pDC, m_penBlack, rectBevel.left, rectBevel.bottom - 1, rectBevel.right, rectBevel.bottom - 1);
    Line(pDC, m_penBlack, rectBevel.right - 1, rectBevel.top, rectBevel.right - 1, rectBevel.bottom);
    CRect rectWorkbook;
    GetWorkbookRect(rectWorkbook);
    Line(pDC, m_penShadow, rectWorkbook.left, rectWorkbook.top, rectWorkbook.right, rectWorkbook.top);
    Line(pDC, m_penHighlight, rectWorkbook.left, rectWorkbook.top + 1, rectWorkbook.right, rectWorkbook.top + 1);
}

void SECWorkbookWnd::DrawFlatTab(CDC* pDC, SECWorksheetWnd* pSheet, const POINT* pts)
{
    if (!IsSheetActive(pSheet))
    {
        CPen pen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
        Line(pDC, pen, pts[4].x - 1, pts[0].y + 3, pts[4].x - 1, pts[4].y - 3);
        return;
    }
    CRect rectBody(pts[0].x, pts[0].y - 1, pts[4].x - (SECIsVisualStyle4() ? 0 : 1), pts[4].y);
    if (SECIsVisualStyle3())
    {
        SECDrawGradientRect(pDC->m_hDC, rectBody.left, rectBody.top, rectBody.Width(), rectBody.Height(),
                            SECGetStyleColor2(2), SECGetStyleColor2(1), FALSE);
        return;
    }
    if (SECIsVisualStyle4())
    {
        HTHEME hTheme = m_tabTheme.Get(m_hWnd);
        if (hTheme != nullptr && SECIsThemePartDefined(hTheme, TABP_TOPTABITEM, 3))
            SECDrawThemeBackground(hTheme, pDC->m_hDC, TABP_TOPTABITEM, 3, &rectBody, nullptr);
        else
            pDC->FillSolidRect(rectBody, ::GetSysColor(COLOR_BTNFACE));
        return;
    }
    pDC->FillSolidRect(rectBody, ::GetSysColor(COLOR_BTNFACE));
    CPen penHighlight(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    CPen penFrame(PS_SOLID, 1, ::GetSysColor(COLOR_WINDOWFRAME));
    Line(pDC, penHighlight, rectBody.left, rectBody.top, rectBody.left, rectBody.bottom);
    Line(pDC, penFrame, rectBody.left, rectBody.bottom - 1, rectBody.right - 1, rectBody.bottom - 1);
    Line(pDC, penFrame, rectBody.right - 1, rectBody.bottom - 1, rectBody.right - 1, rectBody.top - 1);
}

void SECWorkbookWnd::Draw3DTab(CDC* pDC, SECWorksheetWnd* pSheet, const POINT* pts)
{
    CRgn rgn;
    // Without a region the face stays unfilled; the outline is drawn all the same.
    if (rgn.CreatePolygonRgn(const_cast<LPPOINT>(pts), TAB_POINTS, ALTERNATE))
    {
        CBrush brushFace(::GetSysColor(COLOR_BTNFACE));
        pDC->FillRgn(&rgn, &brushFace);
    }
    // Left and lower-left in light, bottom and right in shadow with a black rim.
    Line(pDC, m_penHighlight, pts[0].x, pts[0].y, pts[1].x, pts[1].y);
    Line(pDC, m_penHighlight, pts[1].x, pts[1].y, pts[2].x, pts[2].y);
    Line(pDC, m_penBlack, pts[2].x, pts[2].y, pts[3].x, pts[3].y);
    Line(pDC, m_penShadow, pts[2].x, pts[2].y - 1, pts[3].x, pts[3].y - 1);
    Line(pDC, m_penBlack, pts[3].x, pts[3].y, pts[4].x, pts[4].y);
    Line(pDC, m_penBlack, pts[4].x, pts[4].y, pts[5].x, pts[5].y);
    Line(pDC, m_penShadow, pts[4].x - 1, pts[4].y, pts[5].x - 1, pts[5].y);
    // An inactive tab is closed at the top; the active one stays open towards the client.
    if (!IsSheetActive(pSheet))
        Line(pDC, m_penBlack, pts[5].x, pts[5].y, pts[6].x, pts[6].y);
    else
        Line(pDC, m_penFace, pts[0].x + 1, pts[0].y, pts[5].x - 1, pts[5].y);
}

void SECWorkbookWnd::DrawTab(CDC* pDC, SECWorksheetWnd* pSheet)
{
    LPPOINT lpPoints = nullptr;
    int nCount = 0;
    GetTabPolygon(pSheet, lpPoints, nCount);
    const std::unique_ptr<POINT[]> points(lpPoints);
    if (m_nTabStyle != 0)
        DrawFlatTab(pDC, pSheet, points.get());
    else
        Draw3DTab(pDC, pSheet, points.get());
}

void SECWorkbookWnd::DrawTabLabel(CDC* pDC, SECWorksheetWnd* pSheet, UINT nFormat)
{
    LPPOINT lpPoints = nullptr;
    int nCount = 0;
    GetTabPolygon(pSheet, lpPoints, nCount);
    const std::unique_ptr<POINT[]> points(lpPoints);
    HICON hIcon = GetTabIcon(pSheet);
    CRect rectLabel;
    GetTabLabelRect(points.get(), hIcon != nullptr ? ICON_SIZE : 0, rectLabel);
    if (hIcon != nullptr)
        ::DrawIconEx(pDC->m_hDC, rectLabel.left - ICON_SIZE, rectLabel.top + (rectLabel.Height() - ICON_SIZE) / 2,
                     hIcon, ICON_SIZE, ICON_SIZE, 0, nullptr, DI_NORMAL);
    CFont* pOldFont = pDC->SelectObject(&m_fontTab);
    pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    pDC->DrawText(GetTabLabel(pSheet), &rectLabel, nFormat);
    pDC->SelectObject(pOldFont);
}

BOOL SECWorkbookWnd::OnEraseBkgnd(CDC*)
{
    return FALSE;
}

void SECWorkbookWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rectFrame;
    GetClientRect(&rectFrame);
    dc.ExcludeClipRect(GetClientAreaRect());
    // The frame's paint DC reaches under its windows: drawing there would cover the bars in
    // the dock bars, which the frame's invalidation does not reach.
    SECExcludeChildWindows(dc.m_hDC, m_hWnd);
    if (m_nTabStyle != 0 && SECIsVisualStyle3())
        SECDrawGradientRect(dc.m_hDC, rectFrame.left, rectFrame.top, rectFrame.Width(), rectFrame.Height(),
                            SECGetStyleColor2(2), SECGetStyleColor2(1), FALSE);
    else if (HTHEME hTheme = m_nTabStyle != 0 && SECIsVisualStyle4() ? m_tabTheme.Get(m_hWnd) : nullptr)
        SECDrawThemeBackground(hTheme, dc.m_hDC, TABP_PANE, 0, &rectFrame, nullptr);
    else
        dc.FillSolidRect(rectFrame, ::GetSysColor(COLOR_BTNFACE));
    if (!m_bWorkbookMode || rectFrame.IsRectEmpty())
        return;
    dc.SetBkMode(TRANSPARENT);
    for (INT_PTR i = 0; i < m_worksheets.GetSize(); ++i)
    {
        SECWorksheetWnd* pSheet = GetSheet(i);
        if (!pSheet->IsShown())
            continue;
        DrawTab(&dc, pSheet);
        DrawTabLabel(&dc, pSheet, LABEL_FORMAT);
    }
    DrawClientBorder(&dc);
    // The active tab lies on top of its neighbours.
    auto* pActive = DYNAMIC_DOWNCAST(SECWorksheetWnd, GetActiveFrame());
    if (pActive != nullptr && pActive->IsShown())
    {
        DrawTab(&dc, pActive);
        DrawTabLabel(&dc, pActive, LABEL_FORMAT);
    }
    const CRect& rectLeft = GetDocking().GetRemainingClientRect();
    if (rectLeft != m_rectLastLayout)
    {
        m_rectLastLayout = rectLeft;
        Invalidate();
    }
}

void SECWorkbookWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_bWorkbookMode)
    {
        CFrameWnd* pActive = GetActiveFrame();
        for (INT_PTR i = 0; i < m_worksheets.GetSize(); ++i)
        {
            SECWorksheetWnd* pSheet = GetSheet(i);
            CRgn rgn;
            if (pSheet == pActive || !pSheet->IsShown() || !TabRegion(pSheet, rgn) || !rgn.PtInRegion(point))
                continue;
            if (CanActivateTab(pSheet))
            {
                pSheet->SetPressed(TRUE);
                InvalidateTab(pSheet, FALSE);
                UpdateWindow();
                pSheet->SendMessage(WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(m_hWnd),
                                    MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
            }
            break;
        }
    }
    SECMDIFrameWnd::OnLButtonDown(nFlags, point);
}

void SECWorkbookWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    for (INT_PTR i = 0; i < m_worksheets.GetSize(); ++i)
        GetSheet(i)->SetPressed(FALSE);
    SECMDIFrameWnd::OnLButtonUp(nFlags, point);
}

LRESULT SECWorkbookWnd::OnActiveSheetChanged(WPARAM, LPARAM)
{
    if (m_nLastActiveTab < m_worksheets.GetSize())
        InvalidateTab(GetSheet(m_nLastActiveTab), FALSE);
    auto* pActive = DYNAMIC_DOWNCAST(SECWorksheetWnd, GetActiveFrame());
    if (pActive != nullptr)
        InvalidateTab(pActive, FALSE);
    m_nLastActiveTab = pActive != nullptr ? pActive->GetTabIndex() : static_cast<int>(m_worksheets.GetSize());
    return 0;
}

LRESULT SECWorkbookWnd::OnThemeChanged(WPARAM, LPARAM)
{
    m_tabTheme.Close();
    return Default();
}

INT_PTR SECWorkbookWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    // The label helpers measure with the frame's DC and shared label string.
    auto* pThis = const_cast<SECWorkbookWnd*>(this);
    for (INT_PTR i = 0; i < m_worksheets.GetSize(); ++i)
    {
        SECWorksheetWnd* pSheet = GetSheet(i);
        CRgn rgn;
        if (!pSheet->IsShown() || !pThis->TabRegion(pSheet, rgn) || !rgn.PtInRegion(point))
            continue;
        if (pThis->IsTabLabelVisible(pSheet))
            return -1;
        const INT_PTR nID = i + 1;
        if (pTI != nullptr)
        {
            CRect rectBox;
            rgn.GetRgnBox(&rectBox);
            pTI->hwnd = m_hWnd;
            pTI->uId = static_cast<UINT_PTR>(nID);
            pTI->rect = rectBox;
            pTI->lpszText = _tcsdup(pThis->GetTabLabel(pSheet));
        }
        return nID;
    }
    return -1;
}

void SECWorkbookWnd::OnDestroy()
{
    SECMDIFrameWnd::OnDestroy();
    if (m_pClientWnd != nullptr)
    {
        m_pClientWnd->UnsubclassWindow();
        delete m_pClientWnd;
        m_pClientWnd = nullptr;
    }
    m_tabTheme.Close();
}
} // namespace tarnwick::frames
