// SECFrameDocking: layout, docking, caption and plug-in routing of the toolkit's frames.
#include <toolkit/bars/BmpMenuPlugIn.h>
#include <toolkit/bars/CustomToolBar.h>
#include <toolkit/bars/MenuBar.h>
#include <toolkit/bars/MenuBarFeature.h>
#include <toolkit/bars/ToolBarManager.h>
#include <toolkit/foundation/AuxData.h>
#include <toolkit/foundation/VisualStyle.h>
#include <toolkit/foundation/WndPlugIn.h>
#include <toolkit/frames/ControlBar.h>
#include <toolkit/frames/DockState.h>
#include <toolkit/frames/FrameDocking.h>
#include <toolkit/frames/FrameWnd.h>
#include <toolkit/frames/MDIFrameWnd.h>
#include <toolkit/frames/MiniDockFrameWnd.h>
#include <toolkit/workspace/WorkspaceManagerEx.h>

#include <afxpriv.h>
#include <windowsx.h>

#include <algorithm>

namespace tarnwick::frames
{
using bars::SECBmpMenuPlugIn;
using bars::SECMenuBarFeature;
using bars::SECToolBarManager;
using foundation::SECWndPlugIn;
using workspace::SECWorkspaceManagerEx;

const SECFrameDocking::DockSide SECFrameDocking::dockSides[4] = {
    {AFX_IDW_DOCKBAR_TOP, 0x2800},
    {AFX_IDW_DOCKBAR_BOTTOM, 0x8200},
    {AFX_IDW_DOCKBAR_LEFT, 0x1400},
    {AFX_IDW_DOCKBAR_RIGHT, 0x4100},
};

namespace
{
constexpr int MAX_GRADIENT_BANDS = 120;
// A floating bar keeps this much of itself on its monitor's work area.
constexpr int FLOAT_KEEP_VISIBLE = 10;
// The NONCLIENTMETRICS of every Windows version since 95.
constexpr UINT NONCLIENTMETRICS_SIZE = 500;
// The italic title part is measured this much wider.
constexpr int ITALIC_OVERHANG = 6;
constexpr int TEXT_INSET = 3;
constexpr UINT CAPTION_TEXT_FORMAT = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;

// One channel of a gradient band: from the start in steps of 8.8 fixed point. The steps are
// truncated, so that the last band stays short of the end, whichever way it runs.
int GradientChannel(int nFrom, int nTo, int nBand, int nBands)
{
    const int nStep = (nTo - nFrom) * 256 / nBands;
    return (nFrom * 256 + nStep * nBand) >> 8;
}

// WS_VISIBLE is taken off the window for the call, so that the system draws no caption.
class CHiddenStyle
{
public:
    explicit CHiddenStyle(HWND hWnd) : m_hWnd(hWnd), m_dwStyle(static_cast<DWORD>(::GetWindowLong(hWnd, GWL_STYLE)))
    {
        ::SetWindowLong(m_hWnd, GWL_STYLE, static_cast<LONG>(m_dwStyle & ~WS_VISIBLE));
    }
    ~CHiddenStyle()
    {
        ::SetWindowLong(m_hWnd, GWL_STYLE, static_cast<LONG>(m_dwStyle));
    }
    CHiddenStyle(const CHiddenStyle&) = delete;
    CHiddenStyle& operator=(const CHiddenStyle&) = delete;

private:
    HWND m_hWnd;
    DWORD m_dwStyle;
};
} // namespace

SECFrameDocking::SECFrameDocking(CFrameWnd& frame)
    : m_frame(frame), m_bNewShell(LOBYTE(LOWORD(::GetVersion())) >= 4), m_rectRemaining(0, 0, 0, 0),
      m_nCaptionTextAlign(0), m_bCaptionStyle(FALSE), m_bCaptionActive(FALSE), m_pWorkspaceManager(nullptr),
      m_pMsgPlugIn(nullptr), m_pMenuBar(nullptr), m_pControlBarManager(nullptr), m_bBitmapMenus(FALSE),
      m_nMenuOption(0), m_crBitmapMenu(RGB(192, 192, 192)), m_nBitmapMenuColorFlag(0), m_hMenuFrame(nullptr),
      m_nFrameMenuId(0)
{
    SECGetAuxData()->UpdateSysColors();
}

SECFrameDocking::~SECFrameDocking()
{
    for (POSITION pos = m_listOwned.GetHeadPosition(); pos != nullptr;)
        delete static_cast<CObject*>(m_listOwned.GetNext(pos));
    delete m_pMsgPlugIn;
    delete m_pWorkspaceManager;
    if (m_hMenuFrame != nullptr)
        ::DestroyMenu(m_hMenuFrame);
}

SECFrameDocking* SECFrameDocking::FromFrame(CWnd* pFrame)
{
    if (auto* pMDIFrame = DYNAMIC_DOWNCAST(SECMDIFrameWnd, pFrame))
        return &pMDIFrame->GetDocking();
    if (auto* pSDIFrame = DYNAMIC_DOWNCAST(SECFrameWnd, pFrame))
        return &pSDIFrame->GetDocking();
    return nullptr;
}

CDockBar* SECFrameDocking::FindDockBarFor(const CControlBar* pBar, BOOL bLast) const
{
    CDockBar* pFound = nullptr;
    for (const DockSide& side : dockSides)
    {
        if ((side.dwAlign & CBRS_ALIGN_ANY) != (pBar->m_dwStyle & CBRS_ALIGN_ANY))
            continue;
        pFound = DYNAMIC_DOWNCAST(CDockBar, m_frame.GetControlBar(side.nID));
        if (!bLast)
            break;
    }
    return pFound;
}

CDockBar* SECFrameDocking::FindDockBar(UINT nDockBarID, const CControlBar* pBar) const
{
    if (auto* pDockBar = DYNAMIC_DOWNCAST(CDockBar, m_frame.GetControlBar(nDockBarID)))
        return pDockBar;
    return FindDockBarFor(pBar);
}

void SECFrameDocking::OnLayoutDone()
{
    if (m_rectRemaining.Width() <= 0 || m_rectRemaining.Height() <= 0)
    {
        m_frame.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    else
    {
        for (HWND hWnd = ::GetTopWindow(m_frame.m_hWnd); hWnd != nullptr; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
            if (auto* pDockBar = DYNAMIC_DOWNCAST(SECDockBar, CWnd::FromHandlePermanent(hWnd)))
                pDockBar->RedrawChangedBars();
    }
    CRect rect;
    m_frame.GetClientRect(&rect);
    m_frame.RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rect, &rect, TRUE);
    m_rectRemaining = rect;
}

void SECFrameDocking::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    auto* pSizeable = DYNAMIC_DOWNCAST(SECControlBar, pBar);
    if (pSizeable != nullptr)
        pSizeable->BeforeDock();
    if (pDockBar == nullptr)
        pDockBar = FindDockBarFor(pBar);
    if (auto* pToolkitDockBar = DYNAMIC_DOWNCAST(SECDockBar, pDockBar))
        pToolkitDockBar->DockControlBarEx(pBar, lpRect);
    else if (pDockBar != nullptr)
        pDockBar->DockControlBar(pBar, lpRect);
    if (pSizeable != nullptr)
        pSizeable->AfterDock();
}

void SECFrameDocking::ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    auto* pSizeable = DYNAMIC_DOWNCAST(SECControlBar, pBar);
    if (pSizeable != nullptr)
        pSizeable->BeforeDock();
    if (pDockBar == nullptr)
    {
        // The dock bar that kept the bar's place (its id), else the last side of its alignment.
        auto* pPlaceHolder = reinterpret_cast<CControlBar*>(static_cast<UINT_PTR>(LOWORD(pBar->GetDlgCtrlID())));
        for (const DockSide& side : dockSides)
        {
            auto* pSide = DYNAMIC_DOWNCAST(CDockBar, m_frame.GetControlBar(side.nID));
            if (pSide != nullptr && (pSide->FindBar(pBar) > 0 || pSide->FindBar(pPlaceHolder) > 0))
            {
                pDockBar = pSide;
                break;
            }
        }
        if (pDockBar == nullptr)
            pDockBar = FindDockBarFor(pBar, TRUE);
    }
    if (auto* pToolkitDockBar = DYNAMIC_DOWNCAST(SECDockBar, pDockBar))
        pToolkitDockBar->ReDockControlBar(pBar, lpRect);
    else if (pDockBar != nullptr)
        pDockBar->DockControlBar(pBar, lpRect);
    if (pSizeable != nullptr)
        pSizeable->AfterDock();
}

DWORD SECFrameDocking::AdjustFloatStyle(const CControlBar* pBar, DWORD dwStyle)
{
    if (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC)
    {
        dwStyle |= CBRS_SIZE_DYNAMIC;
        if (dwStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT))
            dwStyle = (dwStyle & ~(CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT | CBRS_ALIGN_BOTTOM)) | CBRS_ALIGN_TOP |
                      CBRS_SIZE_DYNAMIC;
    }
    return dwStyle;
}

void SECFrameDocking::SetDefaultFloatingFrameClass()
{
    if (m_frame.m_pFloatingFrameClass == nullptr || m_frame.m_pFloatingFrameClass == RUNTIME_CLASS(CMiniDockFrameWnd))
        m_frame.m_pFloatingFrameClass = RUNTIME_CLASS(SECMiniDockFrameWnd);
}

void SECFrameDocking::LoadDockState(LPCTSTR lpszProfileName)
{
    SECDockState state(m_pControlBarManager);
    state.SetCreatedBarList(&m_listOwned);
    state.LoadState(lpszProfileName);
    CWinThread* pThread = AfxGetThread();
    if (pThread != nullptr && pThread->m_pMainWnd == nullptr)
        pThread->m_pMainWnd = &m_frame;
    state.SetState(&m_frame);
}

void SECFrameDocking::SaveDockState(LPCTSTR lpszProfileName)
{
    SECDockState state(m_pControlBarManager);
    if (state.GetState(&m_frame))
        state.SaveState(lpszProfileName);
}

CPoint SECFrameDocking::KeepOnWorkArea(CPoint point, CSize size)
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfo(::MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), &monitor);
    const CRect rectWork(monitor.rcWork);
    point.x = std::min<LONG>(point.x, rectWork.right - FLOAT_KEEP_VISIBLE);
    point.y = std::min<LONG>(point.y, rectWork.bottom - FLOAT_KEEP_VISIBLE);
    point.x = std::max<LONG>(point.x, rectWork.left + FLOAT_KEEP_VISIBLE - size.cx);
    point.y = std::max<LONG>(point.y, rectWork.top + FLOAT_KEEP_VISIBLE - size.cy);
    return point;
}

void SECFrameDocking::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle,
                                      const std::function<void(CMiniDockFrameWnd*)>& beforeShow)
{
    CRect rectBar;
    pBar->GetWindowRect(&rectBar);
    point = KeepOnWorkArea(point, rectBar.Size());

    CDockBar* pOldDockBar = pBar->m_pDockBar;
    if (pBar->m_pDockSite != nullptr && pOldDockBar != nullptr && pOldDockBar->m_bFloating &&
        pOldDockBar->GetDockedCount() == 1 && (pOldDockBar->m_dwStyle & dwStyle & CBRS_ALIGN_ANY))
    {
        if (auto* pOldFrame = DYNAMIC_DOWNCAST(CMiniDockFrameWnd, pOldDockBar->GetParent()))
        {
            pOldFrame->RecalcWindowSize(point.x, point.y);
            pOldFrame->UpdateWindow();
            return;
        }
    }
    auto* pSizeable = DYNAMIC_DOWNCAST(SECControlBar, pBar);
    if (pSizeable != nullptr)
        pSizeable->BeforeFloat();
    CMiniDockFrameWnd* pDockFrame = m_frame.CreateFloatingFrame(AdjustFloatStyle(pBar, dwStyle));
    if (pDockFrame->m_hWndOwner == nullptr)
        pDockFrame->m_hWndOwner = pBar->m_hWnd;
    if (auto* pToolkitDockBar = DYNAMIC_DOWNCAST(SECDockBar, &pDockFrame->m_wndDockBar))
        pToolkitDockBar->DockControlBarEx(pBar);
    else
        pDockFrame->m_wndDockBar.DockControlBar(pBar);
    if (pSizeable != nullptr && !(pSizeable->m_dwExStyle & CBRS_EX_FIXEDSIZE))
        pDockFrame->ModifyStyle(MFS_4THICKFRAME, WS_THICKFRAME | MFS_THICKFRAME, SWP_NOSIZE | SWP_NOMOVE);
    if (beforeShow)
        beforeShow(pDockFrame);
    pDockFrame->RecalcWindowSize(point.x, point.y);
    if (pBar->GetStyle() & WS_VISIBLE)
    {
        pDockFrame->ShowWindow(SW_SHOWNA);
        pDockFrame->UpdateWindow();
    }
    if (pSizeable != nullptr)
        pSizeable->AfterFloat();
}

void SECFrameDocking::DockControlBarAt(CControlBar* pBar, CDockBar* pDockBar, const SECDockPlacement& place,
                                       float fPercent, int nLength, DWORD dwLayoutMode)
{
    auto* pSizeable = DYNAMIC_DOWNCAST(SECControlBar, pBar);
    if (pSizeable != nullptr)
    {
        pSizeable->BeforeDock();
        pSizeable->m_fPctWidth = fPercent;
    }
    pBar->CalcDynamicLayout(nLength, dwLayoutMode | LM_COMMIT);
    auto* pToolkitDockBar = DYNAMIC_DOWNCAST(SECDockBar, pDockBar);
    if (pToolkitDockBar != nullptr && pSizeable != nullptr)
        pToolkitDockBar->DockControlBarSized(pSizeable, place);
    else if (pDockBar != nullptr)
        pDockBar->DockControlBar(pBar);
    if (pSizeable != nullptr)
        pSizeable->AfterDock();
}

BOOL SECFrameDocking::SetCaptionStyle(BOOL bOn, BOOL bRepaint)
{
    if (!m_bNewShell || (SECIsAppThemed() && SECIsThemeActive()))
        return FALSE;
    const BOOL bOld = m_bCaptionStyle;
    m_bCaptionStyle = bOn;
    if (bRepaint)
        m_frame.PostMessage(WM_NCPAINT);
    if (m_frame.m_hWnd != nullptr)
        m_frame.PostMessage(WM_NCACTIVATE, 0, 0);
    return bOld;
}

void SECFrameDocking::CalcCaptionRect(CRect& rect) const
{
    const DWORD dwStyle = m_frame.GetStyle();
    const CPoint ptInset = (dwStyle & WS_THICKFRAME)
                               ? CPoint(::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME))
                               : CPoint(::GetSystemMetrics(SM_CXBORDER), ::GetSystemMetrics(SM_CYBORDER) + 1);
    CRect rectWindow;
    m_frame.GetWindowRect(&rectWindow);
    rect.SetRect(ptInset.x, ptInset.y, rectWindow.Width() - ptInset.x, ptInset.y + ::GetSystemMetrics(SM_CYSIZE));
    if (!m_bNewShell)
        return;
    int nButtons = 0;
    const BOOL bMinMax = (dwStyle & WS_SYSMENU) && (dwStyle & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    if (dwStyle & WS_SYSMENU)
    {
        nButtons += (dwStyle & WS_MAXIMIZEBOX) ? 1 : 0;
        nButtons += (dwStyle & WS_MINIMIZEBOX) ? 1 : 0;
    }
    HMENU hSysMenu = (dwStyle & WS_SYSMENU) ? ::GetSystemMenu(m_frame.m_hWnd, FALSE) : nullptr;
    if (hSysMenu != nullptr)
    {
        const UINT nState = ::GetMenuState(hSysMenu, SC_CLOSE, MF_BYCOMMAND);
        if (nState != static_cast<UINT>(-1) && !(nState & (MF_GRAYED | MF_DISABLED)))
            ++nButtons;
    }
    rect.right -= nButtons * ::GetSystemMetrics(SM_CXSIZE) + (bMinMax ? ::GetSystemMetrics(SM_CXBORDER) : 0);
}

BOOL SECFrameDocking::CreateCaptionFont(CFont& font) const
{
    NONCLIENTMETRICS metrics{};
    metrics.cbSize = NONCLIENTMETRICS_SIZE;
    if (!::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, NONCLIENTMETRICS_SIZE, &metrics, 0))
        return FALSE;
    return font.CreateFontIndirect(&metrics.lfCaptionFont);
}

BOOL SECFrameDocking::CreateItalicCaptionFont(CFont& font) const
{
    NONCLIENTMETRICS metrics{};
    metrics.cbSize = NONCLIENTMETRICS_SIZE;
    if (!::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, NONCLIENTMETRICS_SIZE, &metrics, 0))
        return FALSE;
    metrics.lfCaptionFont.lfItalic = 1;
    return font.CreateFontIndirect(&metrics.lfCaptionFont);
}

void SECFrameDocking::FillGradient(CDC& dc, const CRect& rect, COLORREF crFrom, COLORREF crTo)
{
    const int nWidth = rect.Width();
    if (nWidth <= 0 || rect.Height() <= 0)
        return;
    const int nBands = std::min(MAX_GRADIENT_BANDS, nWidth);
    const int nBandWidth = nWidth / nBands;
    for (int nBand = 0; nBand < nBands; ++nBand)
    {
        const int nLeft = rect.left + nBand * nBandWidth;
        const int nRight = nBand == nBands - 1 ? rect.right : nLeft + nBandWidth;
        const COLORREF cr = RGB(GradientChannel(GetRValue(crFrom), GetRValue(crTo), nBand, nBands),
                                GradientChannel(GetGValue(crFrom), GetGValue(crTo), nBand, nBands),
                                GradientChannel(GetBValue(crFrom), GetBValue(crTo), nBand, nBands));
        CBrush brush(cr);
        CRect rectBand(nLeft, rect.top, nRight, rect.bottom);
        dc.FillRect(&rectBand, &brush);
    }
}

void SECFrameDocking::PaintCaption()
{
    CRect rectCaption;
    CalcCaptionRect(rectCaption);
    // A window too small for a caption has nothing to draw.
    if (rectCaption.IsRectEmpty())
        return;
    CString strTitle;
    m_frame.GetWindowText(strTitle);
    CWindowDC dcWindow(&m_frame);
    CDC dcMem;
    CBitmap bitmap;
    if (!dcMem.CreateCompatibleDC(&dcWindow) ||
        !bitmap.CreateCompatibleBitmap(&dcWindow, rectCaption.Width(), rectCaption.Height()))
    {
        SetCaptionStyle(FALSE, TRUE);
        return;
    }
    CBitmap* pOldBitmap = dcMem.SelectObject(&bitmap);
    const BOOL bActive = m_bCaptionActive;
    CRect rectText(0, 0, rectCaption.Width(), rectCaption.Height());
    if (m_frame.GetStyle() & WS_SYSMENU)
    {
        const int cxSize = ::GetSystemMetrics(SM_CXSIZE);
        const int cySize = ::GetSystemMetrics(SM_CYSIZE);
        dcMem.FillSolidRect(CRect(0, 0, cxSize, rectText.Height()),
                            ::GetSysColor(bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
        const auto hIcon =
            reinterpret_cast<HICON>(::GetClassLongPtr(m_frame.m_hWnd, cxSize < 30 ? GCLP_HICONSM : GCLP_HICON));
        if (hIcon != nullptr)
            ::DrawIconEx(dcMem.m_hDC, 2, 1, hIcon, std::min(cxSize - 4, cySize - 2), std::min(cxSize - 4, cySize - 2),
                         0, nullptr, DI_NORMAL);
        rectText.left += cxSize;
    }
    const COLORREF crActive = ::GetSysColor(COLOR_ACTIVECAPTION);
    const COLORREF crInactive = ::GetSysColor(COLOR_INACTIVECAPTION);
    if (bActive)
    {
        const COLORREF crGradient = ::GetSysColor(COLOR_GRADIENTACTIVECAPTION);
        crGradient == 0 ? FillGradient(dcMem, rectText, 0, crActive)
                        : FillGradient(dcMem, rectText, crActive, crGradient);
    }
    else
    {
        const COLORREF crGradient = ::GetSysColor(COLOR_GRADIENTINACTIVECAPTION);
        crGradient == 0 ? dcMem.FillSolidRect(rectText, crInactive)
                        : FillGradient(dcMem, rectText, crInactive, crGradient);
    }
    dcMem.SetTextColor(::GetSysColor(bActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    dcMem.SetBkMode(TRANSPARENT);
    rectText.left += TEXT_INSET;
    DrawCaptionText(dcMem, rectText, strTitle);
    dcWindow.BitBlt(rectCaption.left, rectCaption.top, rectCaption.Width(), rectCaption.Height(), &dcMem, 0, 0,
                    SRCCOPY);
    dcMem.SelectObject(pOldBitmap);
}

void SECFrameDocking::DrawCaptionText(CDC& dc, CRect rect, const CString& strTitle)
{
    CFont fontPlain;
    CFont fontItalic;
    if (!CreateCaptionFont(fontPlain) || !CreateItalicCaptionFont(fontItalic))
        return;
    // The application's part of the title in italics, the document's from the '-' on upright.
    const int nDash = strTitle.Find(_T('-'));
    const CString strFirst = nDash < 0 ? strTitle : strTitle.Left(nDash);
    const CString strRest = nDash < 0 ? CString() : strTitle.Mid(nDash);
    CFont* pOldFont = dc.SelectObject(&fontItalic);
    const int cxFirst = dc.GetTextExtent(strFirst).cx + ITALIC_OVERHANG;
    dc.SelectObject(&fontPlain);
    const int cxRest = strRest.IsEmpty() ? 0 : dc.GetTextExtent(strRest).cx;
    const BOOL bRoomForRest = rect.Width() >= cxFirst + dc.GetTextExtent(CString(_T("W..."))).cx;
    const int cxText = cxFirst + (bRoomForRest ? cxRest : 0);
    if (cxText <= rect.Width() && m_nCaptionTextAlign == 1)
        rect.left += (rect.Width() - cxText) / 2;
    else if (cxText <= rect.Width() && m_nCaptionTextAlign != 0)
        rect.left = rect.right - 1 - cxText;
    dc.SelectObject(&fontItalic);
    CRect rectFirst = rect;
    dc.DrawText(strFirst, &rectFirst, CAPTION_TEXT_FORMAT);
    if (bRoomForRest && !strRest.IsEmpty())
    {
        dc.SelectObject(&fontPlain);
        CRect rectRest(rect.left + cxFirst, rect.top, rect.right, rect.bottom);
        dc.DrawText(strRest, &rectRest, CAPTION_TEXT_FORMAT);
    }
    dc.SelectObject(pOldFont);
}

LRESULT SECFrameDocking::DefaultWithoutCaption(UINT message, WPARAM wParam, LPARAM lParam)
{
    CHiddenStyle hidden(m_frame.m_hWnd);
    return m_frame.DefWindowProc(message, wParam, lParam);
}

BOOL SECFrameDocking::HandleCaptionMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& lResult)
{
    if (!m_bCaptionStyle)
        return FALSE;
    switch (message)
    {
    case WM_NCACTIVATE: {
        BOOL bActive = (m_frame.m_nFlags & WF_STAYACTIVE) ? TRUE : static_cast<BOOL>(wParam);
        if (!m_frame.IsWindowEnabled())
            bActive = FALSE;
        m_bCaptionActive = bActive;
        CFrameWnd* pActive = m_frame.GetActiveFrame();
        if (pActive != nullptr && pActive != &m_frame)
        {
            pActive->SendMessage(WM_NCACTIVATE, bActive);
            pActive->SendMessage(WM_NCPAINT);
        }
        lResult = DefaultWithoutCaption(WM_NCACTIVATE, bActive, 0);
        m_frame.SendMessage(WM_NCPAINT);
        return TRUE;
    }
    case WM_SETTEXT:
        DefaultWithoutCaption(message, wParam, lParam);
        PaintCaption();
        lResult = 1;
        return TRUE;
    case WM_NCPAINT: {
        CRect rectWindow;
        m_frame.GetWindowRect(&rectWindow);
        CRect rectCaption;
        CalcCaptionRect(rectCaption);
        rectCaption.OffsetRect(rectWindow.TopLeft());
        const auto hRgnUpdate = reinterpret_cast<HRGN>(wParam);
        if (reinterpret_cast<UINT_PTR>(hRgnUpdate) > 1 && !::RectInRegion(hRgnUpdate, &rectCaption))
        {
            lResult = m_frame.DefWindowProc(message, wParam, lParam);
            return TRUE;
        }
        CRgn rgnUpdate;
        CRgn rgnCaption;
        const BOOL bRegions =
            (reinterpret_cast<UINT_PTR>(hRgnUpdate) > 1
                 ? rgnUpdate.CreateRectRgn(0, 0, 0, 0) &&
                       ::CombineRgn(static_cast<HRGN>(rgnUpdate.m_hObject), hRgnUpdate, nullptr, RGN_COPY) != ERROR
                 : rgnUpdate.CreateRectRgnIndirect(&rectWindow)) &&
            rgnCaption.CreateRectRgnIndirect(&rectCaption) &&
            rgnUpdate.CombineRgn(&rgnUpdate, &rgnCaption, RGN_DIFF) != ERROR;
        // Without the regions the frame paints all it was asked to, and the caption over it.
        lResult =
            m_frame.DefWindowProc(message, bRegions ? reinterpret_cast<WPARAM>(rgnUpdate.m_hObject) : wParam, lParam);
        PaintCaption();
        return TRUE;
    }
    default:
        return FALSE;
    }
}

void SECFrameDocking::UpdateStayActive(UINT nState, CWnd* pWndOther)
{
    CFrameWnd* pTopLevel = (m_frame.GetStyle() & WS_CHILD) ? &m_frame : m_frame.GetTopLevelFrame();
    if (pTopLevel == nullptr)
        return;
    CWnd* pActive = nState == WA_INACTIVE ? pWndOther : &m_frame;
    const BOOL bStayActive =
        pActive != nullptr && (pActive == pTopLevel || (pActive->GetTopLevelFrame() == pTopLevel &&
                                                        pActive->SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE) != 0));
    pTopLevel->m_nFlags &= ~WF_STAYACTIVE;
    if (bStayActive)
        pTopLevel->m_nFlags |= WF_STAYACTIVE;
}

SECWndPlugIn* SECFrameDocking::CreateWorkspaceManager(LPCTSTR lpszKey, BOOL bRegistry, CRuntimeClass* pClass,
                                                      BOOL bApplicationKey)
{
    if (pClass == nullptr)
        return nullptr;
    CObject* pObject = pClass->CreateObject();
    auto* pManager = DYNAMIC_DOWNCAST(SECWorkspaceManagerEx, pObject);
    if (pManager == nullptr)
    {
        delete pObject;
        return nullptr;
    }
    delete m_pWorkspaceManager;
    m_pWorkspaceManager = pManager;
    pManager->Initialize(lpszKey, bRegistry, HKEY_CURRENT_USER, bApplicationKey);
    if (!pManager->PlugInTo(&m_frame))
    {
        delete pManager;
        m_pWorkspaceManager = nullptr;
    }
    return m_pWorkspaceManager;
}

BOOL SECFrameDocking::RouteToWorkspaceManager(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo,
                                              BOOL& bResult)
{
    SECWndPlugIn* pManager = m_pWorkspaceManager;
    if (pManager == nullptr)
        if (SECFrameDocking* pTop = FromFrame(m_frame.GetTopLevelFrame()))
            pManager = pTop->m_pWorkspaceManager;
    if (pManager == nullptr)
        return FALSE;
    bResult = pManager->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    if (!pManager->IsMsgProcessingStopped())
        return FALSE;
    pManager->ClearStopMsgProcessing();
    return TRUE;
}

BOOL SECFrameDocking::OfferToPlugIn(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& lResult)
{
    if (m_pMsgPlugIn == nullptr)
        return FALSE;
    LRESULT lPlugIn = 0;
    m_pMsgPlugIn->OnWndMsg(message, wParam, lParam, &lPlugIn);
    if (!m_pMsgPlugIn->IsMsgProcessingStopped())
        return FALSE;
    m_pMsgPlugIn->ClearStopMsgProcessing();
    lResult = lPlugIn;
    return TRUE;
}

BOOL SECFrameDocking::PreTranslateThroughPlugIn(MSG* pMsg)
{
    return m_pMsgPlugIn != nullptr && m_pMsgPlugIn->PreTranslateMessage(pMsg);
}

BOOL SECFrameDocking::HelpClickOnMenuBar(const MSG& msg, DWORD* pContext, BOOL& bGoOn)
{
    // The help ids of the maximised child's minimise, restore and close boxes in the bar: the
    // prompts of the matching system commands.
    static const struct
    {
        INT_PTR nHit;
        DWORD dwContext;
    } captionBoxes[] = {{HTMINBUTTON, 0x1EF02}, {HTMAXBUTTON, 0x1EF12}, {HTCLOSE, 0x1EF06}};

    if (msg.message != WM_LBUTTONDOWN || m_pMenuBar == nullptr || m_pMenuBar->m_hWnd == nullptr)
        return FALSE;
    CPoint pt(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
    ::ClientToScreen(msg.hwnd, &pt);
    if (::WindowFromPoint(pt) != m_pMenuBar->m_hWnd ||
        m_pMenuBar->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)) != HTCLIENT)
        return FALSE;
    MSG taken;
    ::PeekMessage(&taken, nullptr, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE);
    m_pMenuBar->ScreenToClient(&pt);
    const INT_PTR nHit = m_pMenuBar->OnToolHitTest(pt, nullptr);
    bGoOn = TRUE;
    if (nHit == 0)
    {
        // A menu title: its menu opens, and help mode goes on in it.
        m_pMenuBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        return TRUE;
    }
    if (nHit == -1)
        return TRUE;
    *pContext = HID_BASE_NCAREAS + static_cast<DWORD>(nHit);
    for (const auto& box : captionBoxes)
        if (box.nHit == nHit)
            *pContext = box.dwContext;
    bGoOn = FALSE;
    return TRUE;
}

void SECFrameDocking::SetMessagePlugIn(SECWndPlugIn* pPlugIn)
{
    delete m_pMsgPlugIn;
    m_pMsgPlugIn = pPlugIn;
}

void SECFrameDocking::DeleteMessagePlugIn()
{
    SetMessagePlugIn(nullptr);
}

void SECFrameDocking::DestroyDockBars(CFrameWnd& frame)
{
    // Destroying changes the list: collect the handles first.
    CList<HWND, HWND> listDockBars;
    CList<HWND, HWND> listOthers;
    for (POSITION pos = frame.m_listControlBars.GetHeadPosition(); pos != nullptr;)
    {
        auto* pBar = static_cast<CControlBar*>(frame.m_listControlBars.GetNext(pos));
        (pBar->IsDockBar() ? listDockBars : listOthers).AddTail(pBar->m_hWnd);
    }
    for (POSITION pos = listDockBars.GetHeadPosition(); pos != nullptr;)
    {
        auto* pDockBar = DYNAMIC_DOWNCAST(CDockBar, CWnd::FromHandlePermanent(listDockBars.GetNext(pos)));
        if (pDockBar == nullptr)
            continue;
        if (pDockBar->m_bFloating)
        {
            if (CWnd* pMiniFrame = pDockBar->GetParent())
                pMiniFrame->DestroyWindow();
        }
        else
        {
            pDockBar->DestroyWindow();
        }
    }
    for (POSITION pos = listOthers.GetHeadPosition(); pos != nullptr;)
        if (CWnd* pBar = CWnd::FromHandlePermanent(listOthers.GetNext(pos)))
            pBar->DestroyWindow();
}

BOOL SECFrameDocking::IsCustomising() const
{
    const auto* pManager = DYNAMIC_DOWNCAST(SECToolBarManager, m_pControlBarManager);
    return pManager != nullptr && pManager->GetCustomiseMode();
}

int SECFrameDocking::SetBitmapMenuColor(COLORREF crColor, int nFlag)
{
    m_crBitmapMenu = crColor;
    m_nBitmapMenuColorFlag = nFlag;
    return nFlag;
}

void SECFrameDocking::LoadFrameMenu(UINT nIDResource)
{
    if (m_hMenuFrame != nullptr)
        ::DestroyMenu(m_hMenuFrame);
    m_nFrameMenuId = nIDResource;
    m_hMenuFrame = ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(nIDResource));
}

HMENU SECFrameDocking::GetFrameMenuForId(UINT nID) const
{
    return m_hMenuFrame != nullptr && m_nFrameMenuId == nID ? m_hMenuFrame : nullptr;
}

void SECFrameDocking::CreateMenuPlugIn()
{
    auto* pManager = DYNAMIC_DOWNCAST(SECToolBarManager, m_pControlBarManager);
    SECBmpMenuPlugIn* pPlugIn = nullptr;
    if (m_pMenuBar != nullptr)
    {
        auto* pFeature = new SECMenuBarFeature;
        pFeature->SetMenuBar(m_pMenuBar);
        pFeature->m_dwMenuBarOptions = static_cast<DWORD>(m_nMenuOption);
        pPlugIn = pFeature;
    }
    else if (m_bBitmapMenus)
    {
        pPlugIn = new SECBmpMenuPlugIn(TRUE);
        if (m_nBitmapMenuColorFlag != 0)
            pPlugIn->SetTransparentColor(m_crBitmapMenu, m_nBitmapMenuColorFlag);
    }
    if (pPlugIn == nullptr)
        return;
    if (!pPlugIn->PlugInTo(&m_frame))
    {
        delete pPlugIn;
        return;
    }
    SetMessagePlugIn(pPlugIn);
    if (m_bBitmapMenus && pManager != nullptr)
        pPlugIn->SetBmpMgr(pManager->GetBmpMgr());
}

void SECFrameDocking::RefreshFloatingToolBars()
{
    using bars::SECCustomToolBar;
    for (POSITION pos = m_frame.m_listControlBars.GetHeadPosition(); pos != nullptr;)
    {
        auto* pToolBar =
            DYNAMIC_DOWNCAST(SECCustomToolBar, static_cast<CObject*>(m_frame.m_listControlBars.GetNext(pos)));
        if (pToolBar != nullptr && pToolBar->m_hWnd != nullptr && !::IsChild(m_frame.m_hWnd, pToolBar->m_hWnd))
            pToolBar->SendMessage(WM_SYSCOLORCHANGE);
    }
}
} // namespace tarnwick::frames
