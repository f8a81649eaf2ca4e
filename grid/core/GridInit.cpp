#include <grid/core/GridInit.h>

#include <grid/core/AppData.h>
#include <grid/core/LongOperationImp.h>
#include <grid/core/SysData.h>
#include <grid/core/ThreadState.h>

namespace
{
struct SystemClassCopy
{
    LPCWSTR pszName;
    LPCWSTR pszSystemClass;
};

const SystemClassCopy systemClassCopies[] = {
    {L"GXEDIT", L"edit"},
    {L"GXLISTBOX", L"listbox"},
    {L"GXCOMBOBOX", L"combobox"},
};

struct PlainClass
{
    LPCWSTR pszName;
    UINT nStyle;
};

const PlainClass plainClasses[] = {
    {L"GXWND", CS_GLOBALCLASS | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW},
    {L"GXNDBLCLKSWND", CS_GLOBALCLASS | CS_HREDRAW | CS_VREDRAW},
    {L"GxMdiFrame", CS_GLOBALCLASS | CS_DBLCLKS},
};

} // namespace

BOOL GXIsWndClassRegistered(HINSTANCE hInstance, LPCWSTR pszName)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    return ::GetClassInfoExW(hInstance, pszName, &wc);
}

void GXRegisterWndClass(HINSTANCE hInstance, LPCWSTR pszName, WNDPROC pfnWndProc, HCURSOR hCursor)
{
    if (GXIsWndClassRegistered(hInstance, pszName))
        return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
    wc.lpfnWndProc = pfnWndProc;
    wc.hInstance = hInstance;
    wc.hCursor = hCursor;
    wc.lpszClassName = pszName;
    if (!::RegisterClassExW(&wc))
        AfxThrowResourceException();
}

LRESULT GXAttachToClassWindow(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, CWnd* (*pfnMake)())
{
    if (CWnd::FromHandlePermanent(hWnd) != nullptr)
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    pfnMake()->Attach(hWnd);
    ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxGetAfxWndProc()));
    return ::CallWindowProcW(AfxGetAfxWndProc(), hWnd, message, wParam, lParam);
}

void GXInit(CGXAbstractControlFactory* pFactory)
{
    CGXAppData* pAppData = GXGetAppDataPtr();
    pAppData->Initialize(pFactory);
    const HINSTANCE hResource = AfxGetResourceHandle();
    pAppData->LoadStrings();
    pAppData->m_sSaveBitsClassName = AfxRegisterWndClass(CS_SAVEBITS);
    GXRegisterWndClasses(::GetModuleHandleW(nullptr));
    AfxSetResourceHandle(hResource);
    GXGetSysData()->UpdateSysColors();
    GXInitDateTimeSettings();
    pAppData->m_bInitDone = TRUE;
}

void GXRegisterWndClasses(HINSTANCE hInstance)
{
    if (CGXAbstractControlFactory* pFactory = GXGetAppDataPtr()->m_pControlFactory)
        pFactory->RegisterWndClasses(hInstance);

    for (const SystemClassCopy& copy : systemClassCopies)
    {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        if (GXIsWndClassRegistered(hInstance, copy.pszName) || !::GetClassInfoExW(nullptr, copy.pszSystemClass, &wc))
            continue;
        wc.style |= CS_GLOBALCLASS;
        wc.hInstance = hInstance;
        wc.lpszClassName = copy.pszName;
        ::RegisterClassExW(&wc);
    }
    for (const PlainClass& plain : plainClasses)
    {
        if (GXIsWndClassRegistered(hInstance, plain.pszName))
            continue;
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.style = plain.nStyle;
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = hInstance;
        wc.lpszClassName = plain.pszName;
        ::RegisterClassExW(&wc);
    }
    GXGetThreadState<CGXClassRegState>();
}

CView* GXGetActiveView()
{
    auto* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
    if (pFrame == nullptr)
        return nullptr;
    if (CView* pView = pFrame->GetActiveView())
        return pView;
    CFrameWnd* pChild = pFrame->GetActiveFrame();
    return pChild != nullptr && pChild != pFrame ? pChild->GetActiveView() : nullptr;
}

CWnd* GXGetParentOfKind(const CWnd* pWnd, CRuntimeClass* pClass, BOOL bAllowIconic)
{
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return nullptr;
    CWnd* pParent = pWnd->GetParent();
    if (pParent == nullptr || !pParent->IsKindOf(pClass))
        return nullptr;
    if (!bAllowIconic)
        for (HWND hWnd = pWnd->GetSafeHwnd(); hWnd != nullptr; hWnd = ::GetParent(hWnd))
            if (::IsIconic(hWnd))
                return nullptr;
    return pParent;
}
