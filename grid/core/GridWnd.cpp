#include <grid/core/GridWnd.h>

#include <afxdlgs.h>

#include <grid/core/GridInit.h>
#include <grid/core/SysData.h>

namespace
{
const UINT findReplaceMessage = ::RegisterWindowMessageW(FINDMSGSTRING);

// The grid windows that the class "CGXGridWnd" made objects for.
CMapPtrToWord& SelfCreatedWindows()
{
    static CMapPtrToWord map;
    return map;
}
} // namespace

IMPLEMENT_DYNCREATE(CGXGridWnd, CWnd)

// clang-format off
BEGIN_MESSAGE_MAP(CGXGridWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_NCPAINT()
    ON_WM_CTLCOLOR()
    ON_WM_DESTROY()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_SIZE()
    ON_WM_SETCURSOR()
    ON_MESSAGE(WM_KEYDOWN, OnKeyMessage)
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_MESSAGE(WM_KEYUP, OnKeyMessage)
    ON_MESSAGE(WM_CHAR, OnKeyMessage)
    ON_MESSAGE(WM_SYSKEYDOWN, OnKeyMessage)
    ON_MESSAGE(WM_SYSKEYUP, OnKeyMessage)
    ON_MESSAGE(WM_SYSCHAR, OnKeyMessage)
    ON_WM_LBUTTONDOWN()
    ON_WM_MBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MBUTTONUP()
    ON_WM_MBUTTONDBLCLK()
    ON_WM_RBUTTONUP()
    ON_WM_RBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_SHOWWINDOW()
    ON_WM_CANCELMODE()
    ON_WM_CAPTURECHANGED()
    ON_WM_GETDLGCODE()
    ON_WM_MOUSEACTIVATE()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
    ON_MESSAGE(WM_THEMECHANGED, OnThemeChanged)
    ON_WM_TIMER()
    ON_REGISTERED_MESSAGE(findReplaceMessage, OnFindReplaceMessage)
    ON_MESSAGE(WM_GX_QUERYPARAM, OnQueryParam)
    ON_MESSAGE(WM_GX_APPNOTIFY, OnAppNotify)
    ON_MESSAGE(WM_GX_DEACTIVATECHECK, OnDeactivateCheck)
    ON_MESSAGE(WM_GX_NAVIGATE, OnNavigate)
    ON_MESSAGE(WM_GX_SIZELOCK, OnSizeLock)
END_MESSAGE_MAP()
// clang-format on

CGXGridWnd::CGXGridWnd()
{
    SetGridWnd(this, nullptr, nullptr);
}

CGXGridWnd::~CGXGridWnd() = default;

void CGXGridWnd::Initialize()
{
    if (GetRegisteredParent() != nullptr)
        SetScrollBarMode(SB_BOTH, 12, FALSE);
    else
    {
        const DWORD dwStyle = GetStyle();
        SetScrollBarMode(SB_VERT, (dwStyle & WS_VSCROLL) != 0 ? 10 : 0, FALSE);
        SetScrollBarMode(SB_HORZ, (dwStyle & WS_HSCROLL) != 0 ? 10 : 0, FALSE);
    }
    OnGridInitialize();
}

void CGXGridWnd::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    OnGridBeginPrinting(pDC, pInfo);
}

void CGXGridWnd::OnEndPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    OnGridEndPrinting(pDC, pInfo);
}

void CGXGridWnd::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    OnGridPrint(pDC, pInfo);
}

void CGXGridWnd::OnGridInitialize()
{
    OnGridInitialUpdate();
}

BOOL CGXGridWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    return OnGridCommand(wParam, lParam) || CWnd::OnCommand(wParam, lParam);
}

BOOL CGXGridWnd::PreTranslateMessage(MSG* pMsg)
{
    return OnGridPreTranslateMessage(pMsg) || CWnd::PreTranslateMessage(pMsg);
}

LRESULT CGXGridWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (OnGridWindowProc(message, wParam, lParam, &lResult))
        return lResult;
    return CWnd::WindowProc(message, wParam, lParam);
}

CScrollBar* CGXGridWnd::GetScrollBarCtrl(int nBar) const
{
    if (CScrollBar* pScrollBar = CGXGridCore::GetScrollBarCtrl(nBar))
        return pScrollBar;
    return CWnd::GetScrollBarCtrl(nBar);
}

BOOL CGXGridWnd::ShowScrollBar(int nBar, BOOL bShow)
{
    return ::ShowScrollBar(m_hWnd, nBar, bShow);
}

void CGXGridWnd::PostNcDestroy()
{
    WORD wMark;
    if (SelfCreatedWindows().Lookup(this, wMark))
    {
        SelfCreatedWindows().RemoveKey(this);
        delete this;
    }
}

LRESULT CALLBACK CGXGridWnd::ClassWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GXAttachToClassWindow(hWnd, message, wParam, lParam, []() -> CWnd* {
        auto* pWnd = new CGXGridWnd;
        SelfCreatedWindows().SetAt(pWnd, 1);
        return pWnd;
    });
}

void CGXGridWnd::RegisterClass(HINSTANCE hInstance)
{
    GXRegisterWndClass(hInstance, L"CGXGridWnd", ClassWndProc);
}

void CGXGridWnd::UnregisterClass(HINSTANCE hInstance)
{
    ::UnregisterClassW(L"CGXGridWnd", hInstance);
}

void CGXGridWnd::OnPaint()
{
    if (!IsInitialized())
        AfxThrowNotSupportedException();
    // The fill frame is drawn by XOR: it goes before the paint and comes back at the next move.
    if ((m_wMouseState & GX_FILLDRAGGING) != 0 && m_pExcelLikeFillImp != nullptr)
        m_pExcelLikeFillImp->HideFillFrame(this);
    CPaintDC dc(this);
    OnGridDraw(&dc, nullptr);
    AfterPaint(&dc);
}

BOOL CGXGridWnd::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

void CGXGridWnd::OnNcPaint()
{
    Default();
    if (!m_bDraw3dFrame && (GetStyle() & 0x200) == 0)
        return;
    CWnd* pParent = GetParent();
    if (pParent == nullptr)
        return;
    CRect rect;
    GetWindowRect(&rect);
    pParent->ScreenToClient(&rect);
    rect.InflateRect(2, 2, 3, 3);
    CClientDC dc(pParent);
    const GX_SYS_DATA* pSysData = GXGetSysData();
    dc.Draw3dRect(&rect, pSysData->clrBtnShadow, pSysData->clrBtnHilite);
}

HBRUSH CGXGridWnd::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    return OnGridCtlColor(pDC, pWnd, nCtlColor);
}

void CGXGridWnd::OnDestroy()
{
    if (!OnGridDestroy())
        CWnd::OnDestroy();
}

LRESULT CGXGridWnd::OnMouseLeave(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    HideCellTip();
    return 0;
}

void CGXGridWnd::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    HideCellTip();
    if (!OnGridHScroll(nSBCode, nPos))
        CWnd::OnHScroll(nSBCode, nPos, pScrollBar);
}

void CGXGridWnd::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    HideCellTip();
    if (!OnGridVScroll(nSBCode, nPos))
        CWnd::OnVScroll(nSBCode, nPos, pScrollBar);
}

void CGXGridWnd::OnSize(UINT nType, int cx, int cy)
{
    if (!OnGridSize(nType, cx, cy))
        Default();
}

BOOL CGXGridWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    return OnGridSetCursor(pWnd, nHitTest, message) || CWnd::OnSetCursor(pWnd, nHitTest, message);
}

LRESULT CGXGridWnd::OnKeyMessage(WPARAM wParam, LPARAM lParam)
{
    HideCellTip();
    const MSG& msg = *GetCurrentMessage();
    if (!ProcessKeys(this, msg.message, static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)))
        return Default();
    return 0;
}

void CGXGridWnd::TakeFocus()
{
    const HWND hFocus = ::GetFocus();
    if (hFocus != m_hWnd && !::IsChild(m_hWnd, hFocus))
        SetFocus();
}

void CGXGridWnd::OnButtonMessage(BOOL (CGXGridCore::*pfnCore)(UINT, CPoint), UINT nFlags, CPoint point, BOOL bFocus)
{
    if (bFocus)
        TakeFocus();
    if (!(this->*pfnCore)(nFlags, point))
        Default();
}

void CGXGridWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    OnButtonMessage(&CGXGridCore::OnGridLButtonDown, nFlags, point, TRUE);
}

void CGXGridWnd::OnMButtonDown(UINT nFlags, CPoint point)
{
    OnButtonMessage(&CGXGridCore::OnGridMButtonDown, nFlags, point, TRUE);
}

void CGXGridWnd::OnRButtonDown(UINT nFlags, CPoint point)
{
    OnButtonMessage(&CGXGridCore::OnGridRButtonDown, nFlags, point, TRUE);
}

void CGXGridWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    OnButtonMessage(&CGXGridCore::OnGridLButtonUp, nFlags, point, FALSE);
}

void CGXGridWnd::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    OnButtonMessage(&CGXGridCore::OnGridLButtonDblClk, nFlags, point, FALSE);
}

void CGXGridWnd::OnMButtonUp(UINT nFlags, CPoint point)
{
    OnButtonMessage(&CGXGridCore::OnGridMButtonUp, nFlags, point, FALSE);
}

void CGXGridWnd::OnMButtonDblClk(UINT nFlags, CPoint point)
{
    OnButtonMessage(&CGXGridCore::OnGridMButtonDblClk, nFlags, point, FALSE);
}

void CGXGridWnd::OnRButtonUp(UINT nFlags, CPoint point)
{
    OnButtonMessage(&CGXGridCore::OnGridRButtonUp, nFlags, point, FALSE);
}

void CGXGridWnd::OnRButtonDblClk(UINT nFlags, CPoint point)
{
    OnButtonMessage(&CGXGridCore::OnGridRButtonDblClk, nFlags, point, FALSE);
}

void CGXGridWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    OnButtonMessage(&CGXGridCore::OnGridMouseMove, nFlags, point, FALSE);
}

void CGXGridWnd::OnSetFocus(CWnd* pOldWnd)
{
    CWnd::OnSetFocus(pOldWnd);
    OnGridSetFocus(pOldWnd);
}

void CGXGridWnd::OnKillFocus(CWnd* pNewWnd)
{
    Default();
    OnGridKillFocus(pNewWnd);
}

void CGXGridWnd::OnShowWindow(BOOL bShow, UINT nStatus)
{
    Default();
    OnGridShowWindow(bShow, nStatus);
}

void CGXGridWnd::OnCancelMode()
{
    OnGridCancelMode();
}

void CGXGridWnd::OnCaptureChanged(CWnd* pWnd)
{
    Default();
    OnGridCaptureChanged(pWnd);
}

UINT CGXGridWnd::OnGetDlgCode()
{
    return OnGridGetDlgCode(static_cast<UINT>(Default()));
}

int CGXGridWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    LRESULT lResult = 0;
    if (OnGridMouseActivate(pDesktopWnd, nHitTest, message, &lResult))
        return static_cast<int>(lResult);
    return CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
}

void CGXGridWnd::OnSysColorChange()
{
    OnGridSysColorChange();
    CWnd::OnSysColorChange();
}

LRESULT CGXGridWnd::OnThemeChanged(WPARAM, LPARAM)
{
    OnGridThemeChanged();
    return Default();
}

void CGXGridWnd::OnSettingChange(UINT /*uFlags*/, LPCTSTR lpszSection)
{
    OnGridWinIniChange(lpszSection);
    Default();
}

void CGXGridWnd::OnTimer(UINT_PTR nIDEvent)
{
    OnGridTimer(nIDEvent);
    Default();
}

LRESULT CGXGridWnd::OnFindReplaceMessage(WPARAM /*wParam*/, LPARAM lParam)
{
    OnFindReplace(CFindReplaceDialog::GetNotifier(lParam));
    return 0;
}

LRESULT CGXGridWnd::OnQueryParam(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    return GetParamOption();
}

LRESULT CGXGridWnd::OnAppNotify(WPARAM wParam, LPARAM /*lParam*/)
{
    OnGridAppNotify(wParam);
    return 0;
}

LRESULT CGXGridWnd::OnDeactivateCheck(WPARAM wParam, LPARAM /*lParam*/)
{
    return !OnGridDeactivateCheck(static_cast<BOOL>(wParam));
}

LRESULT CGXGridWnd::OnNavigate(WPARAM wParam, LPARAM lParam)
{
    SetFocus();
    OnGridNavigate(static_cast<int>(wParam), static_cast<int>(lParam));
    return 0;
}

LRESULT CGXGridWnd::OnSizeLock(WPARAM wParam, LPARAM /*lParam*/)
{
    SetSizeLock(static_cast<BOOL>(wParam));
    return 0;
}
