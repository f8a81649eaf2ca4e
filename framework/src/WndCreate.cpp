// Windows and their objects: handle maps, the window procedure, the creation hook,
// subclassing, destruction and the framework's window classes.
#include <afxcmn.h>
#include <afxpriv.h>

#include <iterator>
#include <utility>

namespace
{
using CWndMap = CHandleObjectMap<CWnd, HWND, &CWnd::m_hWnd>;

CWndMap& ThreadWndMap()
{
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_pmapHWND == nullptr)
        pState->m_pmapHWND = new CWndMap;
    return *pState->m_pmapHWND;
}

LRESULT CALLBACK CbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (code == HCBT_CREATEWND && pState->m_pWndInit != nullptr)
    {
        // The first window created after AfxHookWindowCreate is the object's; windows that
        // its creation makes come later and are left alone.
        CWnd* pWndInit = pState->m_pWndInit;
        pState->m_pWndInit = nullptr;
        const auto hWnd = reinterpret_cast<HWND>(wParam);
        pWndInit->Attach(hWnd);
        pWndInit->PreSubclassWindow();
        const auto oldWndProc =
            reinterpret_cast<WNDPROC>(::SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
        if (oldWndProc != &AfxWndProc)
            *pWndInit->GetSuperWndProcAddr() = oldWndProc;
    }
    return ::CallNextHookEx(pState->m_hHookOldCbtFilter, code, wParam, lParam);
}

// A dialog that neither moved nor showed itself in WM_INITDIALOG, and whose owner cannot be
// used meanwhile, is centred.
void PostInitDialog(CWnd* pWnd, const RECT& rectOld, DWORD dwStyleOld)
{
    if ((dwStyleOld & WS_VISIBLE) || (pWnd->GetStyle() & (WS_VISIBLE | WS_CHILD)))
        return;
    CRect rect;
    pWnd->GetWindowRect(rect);
    if (rect.left != rectOld.left || rect.top != rectOld.top)
        return;
    CWnd* pOwner = pWnd->GetWindow(GW_OWNER);
    if (pOwner != nullptr && pOwner->IsWindowEnabled())
        return;
    if (pWnd->CheckAutoCenter())
        pWnd->CenterWindow();
}

BOOL RegisterFrameworkClass(WNDCLASS& wndcls, LPCTSTR lpszClassName, UINT nStyle, HBRUSH hbrBackground)
{
    wndcls.lpszClassName = lpszClassName;
    wndcls.style = nStyle;
    wndcls.hbrBackground = hbrBackground;
    return AfxRegisterClass(&wndcls);
}
} // namespace

// The remaining parts of the framework's dialog procedure: dialogs handle WM_INITDIALOG in
// their message maps, so here it only asks for the default focus.
INT_PTR CALLBACK AfxDlgProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

const TCHAR _afxWnd[] = _T("AfxWnd80u");
const TCHAR _afxWndControlBar[] = _T("AfxControlBar80u");
const TCHAR _afxWndMDIFrame[] = _T("AfxMDIFrame80u");
const TCHAR _afxWndFrameOrView[] = _T("AfxFrameOrView80u");

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

CWnd::CWnd() : CWnd(static_cast<HWND>(nullptr))
{
}

CWnd::CWnd(HWND hWnd) : m_hWnd(hWnd), m_hWndOwner(nullptr), m_nFlags(0), m_pfnSuper(nullptr), m_nModalResult(0)
{
}

CWnd::~CWnd()
{
    const bool bInsertAfterMarker =
        this == &wndTop || this == &wndBottom || this == &wndTopMost || this == &wndNoTopMost;
    if (m_hWnd != nullptr && !bInsertAfterMarker)
        DestroyWindow();
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd)
{
    return ThreadWndMap().FromHandle(hWnd);
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd)
{
    return hWnd == nullptr ? nullptr : ThreadWndMap().LookupPermanent(hWnd);
}

void PASCAL CWnd::DeleteTempMap()
{
    ThreadWndMap().DeleteTemp();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (hWndNew == nullptr || FromHandlePermanent(hWndNew) != nullptr)
        return FALSE;
    m_hWnd = hWndNew;
    ThreadWndMap().SetPermanent(hWndNew, this);
    return TRUE;
}

HWND CWnd::Detach()
{
    const HWND hWnd = m_hWnd;
    if (hWnd != nullptr && FromHandlePermanent(hWnd) == this)
        ThreadWndMap().RemoveHandle(hWnd);
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    const auto oldWndProc =
        reinterpret_cast<WNDPROC>(::SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    WNDPROC* lplpfn = GetSuperWndProcAddr();
    if (*lplpfn == nullptr)
        *lplpfn = oldWndProc;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    const HWND hWndControl = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID));
    return hWndControl != nullptr && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    WNDPROC* lplpfn = GetSuperWndProcAddr();
    ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(*lplpfn));
    *lplpfn = nullptr;
    return Detach();
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, pParentWnd->GetSafeHwnd(), reinterpret_cast<HMENU>(UINT_PTR(nID)),
                    pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, pParentWnd->GetSafeHwnd(), reinterpret_cast<HMENU>(UINT_PTR(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    CREATESTRUCT cs{};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = static_cast<LONG>(dwStyle);
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs))
    {
        PostNcDestroy();
        return FALSE;
    }

    AfxHookWindowCreate(this);
    const HWND hWnd = ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x,
                                       cs.y, cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    // A window that was never attached gets no WM_NCDESTROY: clean up here instead.
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();
    return hWnd != nullptr;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr)
    {
        if (!AfxDeferRegisterClass(AFX_WND_REG))
            return FALSE;
        cs.lpszClass = _afxWnd;
    }
    return TRUE;
}

BOOL CWnd::CreateDlg(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    const HINSTANCE hInst = AfxGetResourceHandle();
    const HRSRC hResource = ::FindResource(hInst, lpszTemplateName, RT_DIALOG);
    const HGLOBAL hTemplate = hResource != nullptr ? ::LoadResource(hInst, hResource) : nullptr;
    if (hTemplate == nullptr)
        return FALSE;
    return CreateDlgIndirect(static_cast<LPCDLGTEMPLATE>(::LockResource(hTemplate)), pParentWnd, hInst);
}

BOOL CWnd::CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst)
{
    if (hInst == nullptr)
        hInst = AfxGetResourceHandle();
    // EndModalLoop during WM_INITDIALOG clears the flag: the dialog is then not kept.
    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirect(hInst, lpDialogTemplate, pParentWnd->GetSafeHwnd(), &AfxDlgProc);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();
    if (hWnd != nullptr && !(m_nFlags & WF_CONTINUEMODAL))
    {
        ::DestroyWindow(hWnd);
        hWnd = nullptr;
    }
    return hWnd != nullptr;
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    const HWND hWndOrig = m_hWnd;
    const bool bPermanent = FromHandlePermanent(hWndOrig) == this;
    const BOOL bResult = ::DestroyWindow(hWndOrig);
    // A permanent object was detached by WM_NCDESTROY and may be deleted by now.
    if (!bPermanent)
        Detach();
    return bResult;
}

void AFXAPI AfxHookWindowCreate(CWnd* pWnd)
{
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_hHookOldCbtFilter == nullptr)
    {
        pState->m_hHookOldCbtFilter = ::SetWindowsHookEx(WH_CBT, &CbtFilterHook, nullptr, ::GetCurrentThreadId());
        if (pState->m_hHookOldCbtFilter == nullptr)
            AfxThrowMemoryException();
    }
    pState->m_pWndInit = pWnd;
}

BOOL AFXAPI AfxUnhookWindowCreate()
{
    // Windows created inside the creation (children made in OnCreate) have hooked and
    // unhooked in between; the hook is only needed until the object is attached.
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_hHookOldCbtFilter != nullptr)
    {
        ::UnhookWindowsHookEx(pState->m_hHookOldCbtFilter);
        pState->m_hHookOldCbtFilter = nullptr;
    }
    if (pState->m_pWndInit != nullptr)
    {
        pState->m_pWndInit = nullptr;
        return FALSE;
    }
    return TRUE;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_QUERYAFXWNDPROC)
        return 1;
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr || pWnd->m_hWnd != hWnd)
        return ::DefWindowProc(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

WNDPROC AFXAPI AfxGetAfxWndProc()
{
    return &AfxWndProc;
}

LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    const MSG oldState = pState->m_lastSentMsg;
    pState->m_lastSentMsg.hwnd = hWnd;
    pState->m_lastSentMsg.message = nMsg;
    pState->m_lastSentMsg.wParam = wParam;
    pState->m_lastSentMsg.lParam = lParam;

    LRESULT lResult;
    try
    {
        CRect rectOld;
        DWORD dwStyleOld = 0;
        if (nMsg == WM_INITDIALOG)
        {
            pWnd->GetWindowRect(rectOld);
            dwStyleOld = pWnd->GetStyle();
        }
        lResult = pWnd->WindowProc(nMsg, wParam, lParam);
        if (nMsg == WM_INITDIALOG)
            PostInitDialog(pWnd, rectOld, dwStyleOld);
    }
    catch (CException* e)
    {
        // Exceptions must not unwind through the system's frames; the message loop goes on.
        lResult = AfxProcessWndProcException(e, &pState->m_lastSentMsg);
        e->Delete();
    }
    pState->m_lastSentMsg = oldState;
    return lResult;
}

BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass)
{
    WNDCLASS existing;
    if (::GetClassInfo(lpWndClass->hInstance, lpWndClass->lpszClassName, &existing))
        return TRUE;
    // Another thread may have registered it meanwhile.
    return ::RegisterClass(lpWndClass) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    const HINSTANCE hInst = AfxGetInstanceHandle();
    CString name;
    if (hCursor == nullptr && hbrBackground == nullptr && hIcon == nullptr)
        name.Format(_T("Afx:%p:%x"), hInst, nClassStyle);
    else
        name.Format(_T("Afx:%p:%x:%p:%p:%p"), hInst, nClassStyle, hCursor, hbrBackground, hIcon);
    LPTSTR lpszName = AfxGetThreadState()->m_szTempClassName;
    ::lstrcpyn(lpszName, name, static_cast<int>(std::size(AfxGetThreadState()->m_szTempClassName)));

    WNDCLASS wndcls{};
    wndcls.style = nClassStyle;
    wndcls.lpfnWndProc = &::DefWindowProc;
    wndcls.hInstance = hInst;
    wndcls.hIcon = hIcon;
    wndcls.hCursor = hCursor;
    wndcls.hbrBackground = hbrBackground;
    wndcls.lpszClassName = lpszName;
    if (!AfxRegisterClass(&wndcls))
        AfxThrowResourceException();
    return lpszName;
}

BOOL AFXAPI AfxDeferRegisterClass(LONG fToRegister)
{
    // The framework's classes use DefWindowProc: AfxWndProc comes with the creation hook.
    WNDCLASS wndcls{};
    wndcls.lpfnWndProc = &::DefWindowProc;
    wndcls.hInstance = AfxGetInstanceHandle();
    wndcls.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    BOOL bResult = TRUE;
    if (fToRegister & AFX_WND_REG)
        bResult &= RegisterFrameworkClass(wndcls, _afxWnd, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, nullptr);
    if (fToRegister & AFX_WNDCONTROLBAR_REG)
        bResult &= RegisterFrameworkClass(wndcls, _afxWndControlBar, 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    if (fToRegister & (AFX_WNDMDIFRAME_REG | AFX_WNDFRAMEORVIEW_REG))
        wndcls.hIcon = ::LoadIcon(nullptr, IDI_APPLICATION);
    if (fToRegister & AFX_WNDMDIFRAME_REG)
        bResult &= RegisterFrameworkClass(wndcls, _afxWndMDIFrame, CS_DBLCLKS, nullptr);
    if (fToRegister & AFX_WNDFRAMEORVIEW_REG)
        bResult &= RegisterFrameworkClass(wndcls, _afxWndFrameOrView, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                          reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    // The common controls' classes come from their library.
    for (const auto& [lFlag, dwICC] : {std::pair<LONG, DWORD>{AFX_WNDCOMMCTLS_REG, ICC_WIN95_CLASSES},
                                       std::pair<LONG, DWORD>{AFX_WNDCOMMCTL_COOL_REG, ICC_COOL_CLASSES}})
        if (fToRegister & lFlag)
        {
            INITCOMMONCONTROLSEX init{sizeof(init), dwICC};
            bResult &= ::InitCommonControlsEx(&init);
        }
    return bResult;
}

void AFXAPI AfxLockTempMaps()
{
    ++AfxGetThreadState()->m_nTempMapLock;
}

BOOL AFXAPI AfxUnlockTempMaps(BOOL bDeleteTemps)
{
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_nTempMapLock != 0 && --pState->m_nTempMapLock == 0 && bDeleteTemps)
    {
        CWnd::DeleteTempMap();
        AfxDeleteTempGdiMaps();
    }
    return pState->m_nTempMapLock != 0;
}

void AFXAPI AfxTermThread()
{
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_pToolTip != nullptr)
    {
        pState->m_pToolTip->DestroyWindow();
        delete pState->m_pToolTip;
        pState->m_pToolTip = nullptr;
    }
    // Deleting the map frees its temporary objects; permanent ones belong to their owners.
    delete pState->m_pmapHWND;
    pState->m_pmapHWND = nullptr;
    while (_AFX_THREAD_STATE::TermFunc* pTerm = pState->m_pTermFuncs)
    {
        pState->m_pTermFuncs = pTerm->pNext;
        pTerm->pfn();
        delete pTerm;
    }
}
