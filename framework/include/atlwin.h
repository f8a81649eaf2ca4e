// The window-implementation template: a C++ object behind a window of its own class, whose
// messages reach the object's ProcessWindowMessage. The object is found from the window handle
// through a process-wide handle map; the window class is registered on the first Create.
#pragma once

#include <windows.h>

namespace ATL
{
// A window handle with the few operations that implementations call on themselves.
class CWindow
{
public:
    HWND m_hWnd;

    CWindow(HWND hWnd = nullptr) : m_hWnd(hWnd)
    {
    }
    operator HWND() const
    {
        return m_hWnd;
    }
    BOOL IsWindow() const
    {
        return ::IsWindow(m_hWnd);
    }
    BOOL DestroyWindow()
    {
        if (!::DestroyWindow(m_hWnd))
            return FALSE;
        m_hWnd = nullptr;
        return TRUE;
    }
    BOOL GetClientRect(LPRECT lpRect) const
    {
        return ::GetClientRect(m_hWnd, lpRect);
    }
    BOOL SetWindowPos(HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
    {
        return ::SetWindowPos(m_hWnd, hWndInsertAfter, x, y, cx, cy, nFlags);
    }
    BOOL Invalidate(BOOL bErase = TRUE)
    {
        return ::InvalidateRect(m_hWnd, nullptr, bErase);
    }
};

// The styles a window class gets when Create is given none.
template <DWORD t_dwStyle = 0, DWORD t_dwExStyle = 0> class CWinTraits
{
public:
    static DWORD GetWndStyle(DWORD dwStyle)
    {
        return dwStyle == 0 ? t_dwStyle : dwStyle;
    }
    static DWORD GetWndExStyle(DWORD dwExStyle)
    {
        return dwExStyle == 0 ? t_dwExStyle : dwExStyle;
    }
};

typedef CWinTraits<WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0> CControlWinTraits;

// What receives a window's messages: answers TRUE with lResult set when it handled one.
class CMessageMap
{
public:
    virtual BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                                      DWORD dwMsgMapID = 0) = 0;
};

// A window class registered once per implementation class; a class without a name gets one made
// from the record's address.
struct CWndClassInfo
{
    WNDCLASSEX m_wc;
    ATOM m_atom;
    TCHAR m_szAutoName[32];

    ATOM Register();
};

#define DECLARE_WND_CLASS(WndClassName)                                                                                \
    static ATL::CWndClassInfo& GetWndClassInfo()                                                                       \
    {                                                                                                                  \
        static ATL::CWndClassInfo wc = {{sizeof(WNDCLASSEX), CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, StartWindowProc, 0, \
                                         0, nullptr, nullptr, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1),     \
                                         nullptr, WndClassName, nullptr},                                              \
                                        0,                                                                             \
                                        {}};                                                                           \
        return wc;                                                                                                     \
    }

// The handle map that leads a window's messages to its object. The object that the calling
// thread is creating a window for is kept until the window's first message claims it.
void AtlSetCreatingObject(void* pObject);
void* AtlClaimCreatingObject(HWND hWnd);
void* AtlFindObject(HWND hWnd);
void AtlRemoveObject(HWND hWnd);

template <class TBase = CWindow> class CWindowImplRoot : public TBase, public CMessageMap
{
public:
    // A window that outlives its object gets no more messages through the map.
    virtual ~CWindowImplRoot()
    {
        if (this->m_hWnd != nullptr)
            AtlRemoveObject(this->m_hWnd);
    }
};

template <class TBase = CWindow, class TWinTraits = CControlWinTraits>
class CWindowImplBaseT : public CWindowImplRoot<TBase>
{
public:
    virtual WNDPROC GetWindowProc()
    {
        return WindowProc;
    }
    // Called after the window's last message (WM_NCDESTROY), when the handle is detached.
    virtual void OnFinalMessage(HWND)
    {
    }

    LRESULT DefWindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam)
    {
        return ::DefWindowProc(this->m_hWnd, uMsg, wParam, lParam);
    }

    // The class's procedure for a window's first message: enters the window into the handle
    // map, then hands every message to the object's own procedure.
    static LRESULT CALLBACK StartWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
    {
        auto* pThis = static_cast<CWindowImplBaseT*>(AtlClaimCreatingObject(hWnd));
        if (pThis == nullptr)
            return ::DefWindowProc(hWnd, uMsg, wParam, lParam);
        pThis->m_hWnd = hWnd;
        const WNDPROC pfnProc = pThis->GetWindowProc();
        ::SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pfnProc));
        return pfnProc(hWnd, uMsg, wParam, lParam);
    }

    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
    {
        auto* pThis = static_cast<CWindowImplBaseT*>(AtlFindObject(hWnd));
        if (pThis == nullptr)
            return ::DefWindowProc(hWnd, uMsg, wParam, lParam);
        LRESULT lResult = 0;
        if (!pThis->ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult, 0))
            lResult = ::DefWindowProc(hWnd, uMsg, wParam, lParam);
        if (uMsg == WM_NCDESTROY)
        {
            AtlRemoveObject(hWnd);
            pThis->m_hWnd = nullptr;
            pThis->OnFinalMessage(hWnd);
        }
        return lResult;
    }

protected:
    HWND Create(HWND hWndParent, RECT& rect, LPCTSTR szWindowName, DWORD dwStyle, DWORD dwExStyle, UINT nID, ATOM atom,
                LPVOID lpCreateParam)
    {
        if (atom == 0)
            return nullptr;
        AtlSetCreatingObject(this);
        const HWND hWnd = ::CreateWindowEx(dwExStyle, MAKEINTATOM(atom), szWindowName, dwStyle, rect.left, rect.top,
                                           rect.right - rect.left, rect.bottom - rect.top, hWndParent,
                                           reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)),
                                           ::GetModuleHandle(nullptr), lpCreateParam);
        AtlSetCreatingObject(nullptr);
        return hWnd;
    }
};

template <class T, class TBase = CWindow, class TWinTraits = CControlWinTraits>
class CWindowImpl : public CWindowImplBaseT<TBase, TWinTraits>
{
public:
    using CWindowImplBaseT<TBase, TWinTraits>::StartWindowProc;
    DECLARE_WND_CLASS(nullptr)

    virtual HWND Create(HWND hWndParent, RECT& rect, LPCTSTR szWindowName = nullptr, DWORD dwStyle = 0,
                        DWORD dwExStyle = 0, UINT nID = 0, LPVOID lpCreateParam = nullptr)
    {
        const ATOM atom = T::GetWndClassInfo().Register();
        return CWindowImplBaseT<TBase, TWinTraits>::Create(
            hWndParent, rect, szWindowName, TWinTraits::GetWndStyle(dwStyle), TWinTraits::GetWndExStyle(dwExStyle), nID,
            atom, lpCreateParam);
    }
};
} // namespace ATL
