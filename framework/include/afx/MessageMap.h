// Message maps: static tables that bind window messages, commands and notifications to
// member functions. Each entry holds a small thunk made by its macro, which unpacks the
// message for the handler's signature and calls it; the tables of a class chain to those of
// its base class.
#pragma once

#include <type_traits>
#include <utility>

class CCmdTarget;
class CCmdUI;

#define afx_msg
#define AFX_MSG_CALL

// Reflected messages come back to the child as WM_REFLECT_BASE + message.
#define WM_REFLECT_BASE 0xBC00
// The 16-bit colour message: WM_CTLCOLORMSGBOX..WM_CTLCOLORSTATIC reach ON_WM_CTLCOLOR
// handlers as this, with an AFX_CTLCOLOR in lParam.
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif

// Command notification codes given to OnCmdMsg.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))

struct AFX_CTLCOLOR
{
    HWND hWnd;
    HDC hDC;
    UINT nCtlType;
};

// pExtra of WM_NOTIFY commands.
struct AFX_NOTIFY
{
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// What a thunk gets: a window message, or a command's id and extra data (a CCmdUI for
// CN_UPDATE_COMMAND_UI, an AFX_NOTIFY for notifications).
struct AFX_DISPATCH
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    UINT nID;
    void* pExtra;
    // The handler's result for window messages.
    LRESULT lResult;
};

// TRUE when the handler took the message or command. Window-message thunks always do,
// except registered-message thunks for other messages.
typedef BOOL (*AFX_PMSG)(CCmdTarget* pTarget, AFX_DISPATCH& call);

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage; // window message, or WM_COMMAND / WM_NOTIFY (+ WM_REFLECT_BASE) for commands
    UINT nCode;    // control notification code or CN_ code
    UINT nID;      // first and last control or command id
    UINT nLastID;
    AFX_PMSG pfn; // NULL ends the table
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP*(PASCAL* pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Registered messages (ON_REGISTERED_MESSAGE) have this as entry message.
#define AFX_REGISTERED_MESSAGE 0xC000

// The entry of one table for the message, code and id; NULL when the table has none.
const AFX_MSGMAP_ENTRY* AFXAPI AfxFindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg, UINT nCode, UINT nID);

// Calls a window-message handler and gives its result as an LRESULT.
template <class T, class R, class... Params, class... Args>
LRESULT AfxInvokeHandler(CCmdTarget* pTarget, R (T::*pfn)(Params...), Args&&... args)
{
    T* pObject = static_cast<T*>(pTarget);
    if constexpr (std::is_void_v<R>)
    {
        (pObject->*pfn)(std::forward<Args>(args)...);
        return 0;
    }
    else if constexpr (std::is_pointer_v<R>)
        return reinterpret_cast<LRESULT>((pObject->*pfn)(std::forward<Args>(args)...));
    else
        return static_cast<LRESULT>((pObject->*pfn)(std::forward<Args>(args)...));
}

// Command handlers by signature, with MFC's results: ON_COMMAND_EX and the _EX notifications
// return the handler's answer, update handlers answer FALSE when they called ContinueRouting.
BOOL AFXAPI AfxDispatchCmdMsg(CCmdTarget* pTarget, void (CCmdTarget::*pfn)(), AFX_DISPATCH& call);
BOOL AFXAPI AfxDispatchCmdMsg(CCmdTarget* pTarget, BOOL (CCmdTarget::*pfn)(), AFX_DISPATCH& call);
BOOL AFXAPI AfxDispatchCmdMsg(CCmdTarget* pTarget, void (CCmdTarget::*pfn)(UINT), AFX_DISPATCH& call);
BOOL AFXAPI AfxDispatchCmdMsg(CCmdTarget* pTarget, BOOL (CCmdTarget::*pfn)(UINT), AFX_DISPATCH& call);
BOOL AFXAPI AfxDispatchCmdMsg(CCmdTarget* pTarget, void (CCmdTarget::*pfn)(CCmdUI*), AFX_DISPATCH& call);
BOOL AFXAPI AfxDispatchCmdMsg(CCmdTarget* pTarget, void (CCmdTarget::*pfn)(NMHDR*, LRESULT*), AFX_DISPATCH& call);
BOOL AFXAPI AfxDispatchCmdMsg(CCmdTarget* pTarget, BOOL (CCmdTarget::*pfn)(NMHDR*, LRESULT*), AFX_DISPATCH& call);
BOOL AFXAPI AfxDispatchCmdMsg(CCmdTarget* pTarget, void (CCmdTarget::*pfn)(UINT, NMHDR*, LRESULT*), AFX_DISPATCH& call);
BOOL AFXAPI AfxDispatchCmdMsg(CCmdTarget* pTarget, BOOL (CCmdTarget::*pfn)(UINT, NMHDR*, LRESULT*), AFX_DISPATCH& call);

#define DECLARE_MESSAGE_MAP()                                                                                          \
protected:                                                                                                             \
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();                                                               \
    const AFX_MSGMAP* GetMessageMap() const override;

// The thunks are lambdas in the class's own GetThisMessageMap, so protected handlers are
// reachable; the casts to the documented signatures check each handler's type.
#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                                         \
    const AFX_MSGMAP* theClass::GetMessageMap() const                                                                  \
    {                                                                                                                  \
        return GetThisMessageMap();                                                                                    \
    }                                                                                                                  \
    const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap()                                                             \
    {                                                                                                                  \
        using ThisClass [[maybe_unused]] = theClass;                                                                   \
        using TheBaseClass = baseClass;                                                                                \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                                              \
    {                                                                                                                  \
        0, 0, 0, 0, nullptr                                                                                            \
    }                                                                                                                  \
    }                                                                                                                  \
    ;                                                                                                                  \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]};                      \
    return &messageMap;                                                                                                \
    }

// A window-message entry: the handler of the given type, called with the arguments that
// follow, which read the AFX_DISPATCH "call".
#define AFX_WM_ENTRY(msg, type, memberFxn, ...)                                                                        \
    {(msg), 0, 0, 0, [](CCmdTarget* pTarget, AFX_DISPATCH& call) -> BOOL {                                             \
         call.lResult =                                                                                                \
             AfxInvokeHandler(pTarget, static_cast<type>(&ThisClass::memberFxn) __VA_OPT__(, ) __VA_ARGS__);           \
         return TRUE;                                                                                                  \
     }},

// The same for owner-draw messages, whose senders expect TRUE.
#define AFX_OWNER_ENTRY(msg, type, memberFxn, ...)                                                                     \
    {(msg), 0, 0, 0, [](CCmdTarget* pTarget, AFX_DISPATCH& call) -> BOOL {                                             \
         AfxInvokeHandler(pTarget, static_cast<type>(&ThisClass::memberFxn), __VA_ARGS__);                             \
         call.lResult = TRUE;                                                                                          \
         return TRUE;                                                                                                  \
     }},

#define AFX_CMD_ENTRY(msg, code, id, idLast, type, memberFxn)                                                          \
    {(msg), static_cast<UINT>(code), static_cast<WORD>(id), static_cast<WORD>(idLast),                                 \
     [](CCmdTarget* pTarget, AFX_DISPATCH& call) -> BOOL {                                                             \
         return AfxDispatchCmdMsg(pTarget, static_cast<type>(&ThisClass::memberFxn), call);                            \
     }},

// Argument helpers for the thunks.
#define AFX_LPARAM_POINT CPoint(static_cast<short>(LOWORD(call.lParam)), static_cast<short>(HIWORD(call.lParam)))
#define AFX_WPARAM_WND CWnd::FromHandle(reinterpret_cast<HWND>(call.wParam))
#define AFX_LPARAM_WND CWnd::FromHandle(reinterpret_cast<HWND>(call.lParam))
#define AFX_LPARAM_AS(type) reinterpret_cast<type>(call.lParam)
#define AFX_CTLCOLOR_PARAM reinterpret_cast<AFX_CTLCOLOR*>(call.lParam)

// General messages
#define ON_MESSAGE(message, memberFxn)                                                                                 \
    AFX_WM_ENTRY(message, LRESULT (CWnd::*)(WPARAM, LPARAM), memberFxn, call.wParam, call.lParam)
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                                                             \
    {AFX_REGISTERED_MESSAGE, 0, 0, 0, [](CCmdTarget* pTarget, AFX_DISPATCH& call) -> BOOL {                            \
         if (call.message != (nMessageVariable))                                                                       \
             return FALSE;                                                                                             \
         call.lResult =                                                                                                \
             AfxInvokeHandler(pTarget, static_cast<LRESULT (CWnd::*)(WPARAM, LPARAM)>(&ThisClass::memberFxn),          \
                              call.wParam, call.lParam);                                                               \
         return TRUE;                                                                                                  \
     }},

// Window messages, with the handler names and signatures of CWnd.
#define ON_WM_CREATE() AFX_WM_ENTRY(WM_CREATE, int (CWnd::*)(LPCREATESTRUCT), OnCreate, AFX_LPARAM_AS(LPCREATESTRUCT))
#define ON_WM_NCCREATE()                                                                                               \
    AFX_WM_ENTRY(WM_NCCREATE, BOOL (CWnd::*)(LPCREATESTRUCT), OnNcCreate, AFX_LPARAM_AS(LPCREATESTRUCT))
#define ON_WM_DESTROY() AFX_WM_ENTRY(WM_DESTROY, void (CWnd::*)(), OnDestroy)
#define ON_WM_NCDESTROY() AFX_WM_ENTRY(WM_NCDESTROY, void (CWnd::*)(), OnNcDestroy)
#define ON_WM_CLOSE() AFX_WM_ENTRY(WM_CLOSE, void (CWnd::*)(), OnClose)
#define ON_WM_SIZE()                                                                                                   \
    AFX_WM_ENTRY(WM_SIZE, void (CWnd::*)(UINT, int, int), OnSize, static_cast<UINT>(call.wParam), LOWORD(call.lParam), \
                 HIWORD(call.lParam))
#define ON_WM_SIZING()                                                                                                 \
    AFX_WM_ENTRY(WM_SIZING, void (CWnd::*)(UINT, LPRECT), OnSizing, static_cast<UINT>(call.wParam),                    \
                 AFX_LPARAM_AS(LPRECT))
#define ON_WM_MOVE()                                                                                                   \
    AFX_WM_ENTRY(WM_MOVE, void (CWnd::*)(int, int), OnMove, static_cast<short>(LOWORD(call.lParam)),                   \
                 static_cast<short>(HIWORD(call.lParam)))
#define ON_WM_MOVING()                                                                                                 \
    AFX_WM_ENTRY(WM_MOVING, void (CWnd::*)(UINT, LPRECT), OnMoving, static_cast<UINT>(call.wParam),                    \
                 AFX_LPARAM_AS(LPRECT))
#define ON_WM_PAINT() AFX_WM_ENTRY(WM_PAINT, void (CWnd::*)(), OnPaint)
#define ON_WM_ERASEBKGND()                                                                                             \
    AFX_WM_ENTRY(WM_ERASEBKGND, BOOL (CWnd::*)(CDC*), OnEraseBkgnd, CDC::FromHandle(reinterpret_cast<HDC>(call.wParam)))
#define ON_WM_TIMER() AFX_WM_ENTRY(WM_TIMER, void (CWnd::*)(UINT_PTR), OnTimer, call.wParam)
#define ON_WM_SETFOCUS() AFX_WM_ENTRY(WM_SETFOCUS, void (CWnd::*)(CWnd*), OnSetFocus, AFX_WPARAM_WND)
#define ON_WM_KILLFOCUS() AFX_WM_ENTRY(WM_KILLFOCUS, void (CWnd::*)(CWnd*), OnKillFocus, AFX_WPARAM_WND)

#define AFX_MOUSE_ENTRY(msg, memberFxn)                                                                                \
    AFX_WM_ENTRY(msg, void (CWnd::*)(UINT, CPoint), memberFxn, static_cast<UINT>(call.wParam), AFX_LPARAM_POINT)
#define ON_WM_LBUTTONDOWN() AFX_MOUSE_ENTRY(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_MOUSE_ENTRY(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_MOUSE_ENTRY(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_MOUSE_ENTRY(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_MOUSE_ENTRY(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() AFX_MOUSE_ENTRY(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() AFX_MOUSE_ENTRY(WM_MBUTTONDOWN, OnMButtonDown)
#define ON_WM_MBUTTONUP() AFX_MOUSE_ENTRY(WM_MBUTTONUP, OnMButtonUp)
#define ON_WM_MBUTTONDBLCLK() AFX_MOUSE_ENTRY(WM_MBUTTONDBLCLK, OnMButtonDblClk)
#define ON_WM_MOUSEMOVE() AFX_MOUSE_ENTRY(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_NCLBUTTONDOWN() AFX_MOUSE_ENTRY(WM_NCLBUTTONDOWN, OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP() AFX_MOUSE_ENTRY(WM_NCLBUTTONUP, OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() AFX_MOUSE_ENTRY(WM_NCLBUTTONDBLCLK, OnNcLButtonDblClk)
#define ON_WM_NCRBUTTONDOWN() AFX_MOUSE_ENTRY(WM_NCRBUTTONDOWN, OnNcRButtonDown)
#define ON_WM_NCRBUTTONUP() AFX_MOUSE_ENTRY(WM_NCRBUTTONUP, OnNcRButtonUp)
#define ON_WM_NCMBUTTONDOWN() AFX_MOUSE_ENTRY(WM_NCMBUTTONDOWN, OnNcMButtonDown)
#define ON_WM_NCMBUTTONUP() AFX_MOUSE_ENTRY(WM_NCMBUTTONUP, OnNcMButtonUp)
#define ON_WM_NCMOUSEMOVE() AFX_MOUSE_ENTRY(WM_NCMOUSEMOVE, OnNcMouseMove)
#define ON_WM_MOUSEWHEEL()                                                                                             \
    AFX_WM_ENTRY(WM_MOUSEWHEEL, BOOL (CWnd::*)(UINT, short, CPoint), OnMouseWheel, LOWORD(call.wParam),                \
                 static_cast<short>(HIWORD(call.wParam)), AFX_LPARAM_POINT)

#define AFX_KEY_ENTRY(msg, memberFxn)                                                                                  \
    AFX_WM_ENTRY(msg, void (CWnd::*)(UINT, UINT, UINT), memberFxn, static_cast<UINT>(call.wParam),                     \
                 LOWORD(call.lParam), HIWORD(call.lParam))
#define ON_WM_KEYDOWN() AFX_KEY_ENTRY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() AFX_KEY_ENTRY(WM_KEYUP, OnKeyUp)
#define ON_WM_CHAR() AFX_KEY_ENTRY(WM_CHAR, OnChar)
#define ON_WM_SYSKEYDOWN() AFX_KEY_ENTRY(WM_SYSKEYDOWN, OnSysKeyDown)
#define ON_WM_SYSKEYUP() AFX_KEY_ENTRY(WM_SYSKEYUP, OnSysKeyUp)
#define ON_WM_SYSCHAR() AFX_KEY_ENTRY(WM_SYSCHAR, OnSysChar)

#define ON_WM_SYSCOMMAND()                                                                                             \
    AFX_WM_ENTRY(WM_SYSCOMMAND, void (CWnd::*)(UINT, LPARAM), OnSysCommand, static_cast<UINT>(call.wParam), call.lParam)
#define ON_WM_NCHITTEST() AFX_WM_ENTRY(WM_NCHITTEST, LRESULT (CWnd::*)(CPoint), OnNcHitTest, AFX_LPARAM_POINT)
#define ON_WM_NCPAINT() AFX_WM_ENTRY(WM_NCPAINT, void (CWnd::*)(), OnNcPaint)
#define ON_WM_NCCALCSIZE()                                                                                             \
    AFX_WM_ENTRY(WM_NCCALCSIZE, void (CWnd::*)(BOOL, NCCALCSIZE_PARAMS*), OnNcCalcSize,                                \
                 static_cast<BOOL>(call.wParam), AFX_LPARAM_AS(NCCALCSIZE_PARAMS*))
#define ON_WM_NCACTIVATE()                                                                                             \
    AFX_WM_ENTRY(WM_NCACTIVATE, BOOL (CWnd::*)(BOOL), OnNcActivate, static_cast<BOOL>(call.wParam))
#define ON_WM_SETCURSOR()                                                                                              \
    AFX_WM_ENTRY(WM_SETCURSOR, BOOL (CWnd::*)(CWnd*, UINT, UINT), OnSetCursor, AFX_WPARAM_WND, LOWORD(call.lParam),    \
                 HIWORD(call.lParam))
#define ON_WM_CONTEXTMENU()                                                                                            \
    AFX_WM_ENTRY(WM_CONTEXTMENU, void (CWnd::*)(CWnd*, CPoint), OnContextMenu, AFX_WPARAM_WND, AFX_LPARAM_POINT)
#define ON_WM_HSCROLL()                                                                                                \
    AFX_WM_ENTRY(WM_HSCROLL, void (CWnd::*)(UINT, UINT, CScrollBar*), OnHScroll, LOWORD(call.wParam),                  \
                 HIWORD(call.wParam), reinterpret_cast<CScrollBar*>(AFX_LPARAM_WND))
#define ON_WM_VSCROLL()                                                                                                \
    AFX_WM_ENTRY(WM_VSCROLL, void (CWnd::*)(UINT, UINT, CScrollBar*), OnVScroll, LOWORD(call.wParam),                  \
                 HIWORD(call.wParam), reinterpret_cast<CScrollBar*>(AFX_LPARAM_WND))
#define ON_WM_GETMINMAXINFO()                                                                                          \
    AFX_WM_ENTRY(WM_GETMINMAXINFO, void (CWnd::*)(MINMAXINFO*), OnGetMinMaxInfo, AFX_LPARAM_AS(MINMAXINFO*))
#define ON_WM_WINDOWPOSCHANGING()                                                                                      \
    AFX_WM_ENTRY(WM_WINDOWPOSCHANGING, void (CWnd::*)(WINDOWPOS*), OnWindowPosChanging, AFX_LPARAM_AS(WINDOWPOS*))
#define ON_WM_WINDOWPOSCHANGED()                                                                                       \
    AFX_WM_ENTRY(WM_WINDOWPOSCHANGED, void (CWnd::*)(WINDOWPOS*), OnWindowPosChanged, AFX_LPARAM_AS(WINDOWPOS*))
#define ON_WM_STYLECHANGING()                                                                                          \
    AFX_WM_ENTRY(WM_STYLECHANGING, void (CWnd::*)(int, LPSTYLESTRUCT), OnStyleChanging, static_cast<int>(call.wParam), \
                 AFX_LPARAM_AS(LPSTYLESTRUCT))
#define ON_WM_STYLECHANGED()                                                                                           \
    AFX_WM_ENTRY(WM_STYLECHANGED, void (CWnd::*)(int, LPSTYLESTRUCT), OnStyleChanged, static_cast<int>(call.wParam),   \
                 AFX_LPARAM_AS(LPSTYLESTRUCT))
#define ON_WM_SHOWWINDOW()                                                                                             \
    AFX_WM_ENTRY(WM_SHOWWINDOW, void (CWnd::*)(BOOL, UINT), OnShowWindow, static_cast<BOOL>(call.wParam),              \
                 static_cast<UINT>(call.lParam))
#define ON_WM_ACTIVATE()                                                                                               \
    AFX_WM_ENTRY(WM_ACTIVATE, void (CWnd::*)(UINT, CWnd*, BOOL), OnActivate, LOWORD(call.wParam), AFX_LPARAM_WND,      \
                 HIWORD(call.wParam))
#define ON_WM_ACTIVATEAPP()                                                                                            \
    AFX_WM_ENTRY(WM_ACTIVATEAPP, void (CWnd::*)(BOOL, DWORD), OnActivateApp, static_cast<BOOL>(call.wParam),           \
                 static_cast<DWORD>(call.lParam))
#define ON_WM_MOUSEACTIVATE()                                                                                          \
    AFX_WM_ENTRY(WM_MOUSEACTIVATE, int (CWnd::*)(CWnd*, UINT, UINT), OnMouseActivate, AFX_WPARAM_WND,                  \
                 LOWORD(call.lParam), HIWORD(call.lParam))
#define ON_WM_CHILDACTIVATE() AFX_WM_ENTRY(WM_CHILDACTIVATE, void (CWnd::*)(), OnChildActivate)
#define ON_WM_SETTINGCHANGE()                                                                                          \
    AFX_WM_ENTRY(WM_SETTINGCHANGE, void (CWnd::*)(UINT, LPCTSTR), OnSettingChange, static_cast<UINT>(call.wParam),     \
                 AFX_LPARAM_AS(LPCTSTR))
#define ON_WM_SYSCOLORCHANGE() AFX_WM_ENTRY(WM_SYSCOLORCHANGE, void (CWnd::*)(), OnSysColorChange)
#define ON_WM_CTLCOLOR()                                                                                               \
    AFX_WM_ENTRY(WM_CTLCOLOR, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor,                                         \
                 CDC::FromHandle(AFX_CTLCOLOR_PARAM->hDC), CWnd::FromHandle(AFX_CTLCOLOR_PARAM->hWnd),                 \
                 AFX_CTLCOLOR_PARAM->nCtlType)
#define ON_WM_DRAWITEM()                                                                                               \
    AFX_OWNER_ENTRY(WM_DRAWITEM, void (CWnd::*)(int, LPDRAWITEMSTRUCT), OnDrawItem, static_cast<int>(call.wParam),     \
                    AFX_LPARAM_AS(LPDRAWITEMSTRUCT))
#define ON_WM_MEASUREITEM()                                                                                            \
    AFX_OWNER_ENTRY(WM_MEASUREITEM, void (CWnd::*)(int, LPMEASUREITEMSTRUCT), OnMeasureItem,                           \
                    static_cast<int>(call.wParam), AFX_LPARAM_AS(LPMEASUREITEMSTRUCT))
#define ON_WM_COMPAREITEM()                                                                                            \
    AFX_WM_ENTRY(WM_COMPAREITEM, int (CWnd::*)(int, LPCOMPAREITEMSTRUCT), OnCompareItem,                               \
                 static_cast<int>(call.wParam), AFX_LPARAM_AS(LPCOMPAREITEMSTRUCT))
#define ON_WM_DELETEITEM()                                                                                             \
    AFX_OWNER_ENTRY(WM_DELETEITEM, void (CWnd::*)(int, LPDELETEITEMSTRUCT), OnDeleteItem,                              \
                    static_cast<int>(call.wParam), AFX_LPARAM_AS(LPDELETEITEMSTRUCT))
#define ON_WM_CHARTOITEM()                                                                                             \
    AFX_WM_ENTRY(WM_CHARTOITEM, int (CWnd::*)(UINT, CListBox*, UINT), OnCharToItem, LOWORD(call.wParam),               \
                 reinterpret_cast<CListBox*>(AFX_LPARAM_WND), HIWORD(call.wParam))
#define ON_WM_VKEYTOITEM()                                                                                             \
    AFX_WM_ENTRY(WM_VKEYTOITEM, int (CWnd::*)(UINT, CListBox*, UINT), OnVKeyToItem, LOWORD(call.wParam),               \
                 reinterpret_cast<CListBox*>(AFX_LPARAM_WND), HIWORD(call.wParam))
#define ON_WM_PARENTNOTIFY()                                                                                           \
    AFX_WM_ENTRY(WM_PARENTNOTIFY, void (CWnd::*)(UINT, LPARAM), OnParentNotify, static_cast<UINT>(call.wParam),        \
                 call.lParam)
#define ON_WM_GETDLGCODE() AFX_WM_ENTRY(WM_GETDLGCODE, UINT (CWnd::*)(), OnGetDlgCode)
#define ON_WM_CANCELMODE() AFX_WM_ENTRY(WM_CANCELMODE, void (CWnd::*)(), OnCancelMode)
#define ON_WM_CAPTURECHANGED() AFX_WM_ENTRY(WM_CAPTURECHANGED, void (CWnd::*)(CWnd*), OnCaptureChanged, AFX_LPARAM_WND)
#define ON_WM_ENABLE() AFX_WM_ENTRY(WM_ENABLE, void (CWnd::*)(BOOL), OnEnable, static_cast<BOOL>(call.wParam))
#define ON_WM_INITMENU()                                                                                               \
    AFX_WM_ENTRY(WM_INITMENU, void (CWnd::*)(CMenu*), OnInitMenu,                                                      \
                 CMenu::FromHandle(reinterpret_cast<HMENU>(call.wParam)))
#define ON_WM_INITMENUPOPUP()                                                                                          \
    AFX_WM_ENTRY(WM_INITMENUPOPUP, void (CWnd::*)(CMenu*, UINT, BOOL), OnInitMenuPopup,                                \
                 CMenu::FromHandle(reinterpret_cast<HMENU>(call.wParam)), LOWORD(call.lParam), HIWORD(call.lParam))
#define ON_WM_MENUSELECT()                                                                                             \
    AFX_WM_ENTRY(WM_MENUSELECT, void (CWnd::*)(UINT, UINT, HMENU), OnMenuSelect, LOWORD(call.wParam),                  \
                 HIWORD(call.wParam), AFX_LPARAM_AS(HMENU))
#define ON_WM_ENTERIDLE()                                                                                              \
    AFX_WM_ENTRY(WM_ENTERIDLE, void (CWnd::*)(UINT, CWnd*), OnEnterIdle, static_cast<UINT>(call.wParam), AFX_LPARAM_WND)
#define ON_WM_ENTERMENULOOP()                                                                                          \
    AFX_WM_ENTRY(WM_ENTERMENULOOP, void (CWnd::*)(BOOL), OnEnterMenuLoop, static_cast<BOOL>(call.wParam))
#define ON_WM_EXITMENULOOP()                                                                                           \
    AFX_WM_ENTRY(WM_EXITMENULOOP, void (CWnd::*)(BOOL), OnExitMenuLoop, static_cast<BOOL>(call.wParam))
#define ON_WM_DROPFILES()                                                                                              \
    AFX_WM_ENTRY(WM_DROPFILES, void (CWnd::*)(HDROP), OnDropFiles, reinterpret_cast<HDROP>(call.wParam))
#define ON_WM_HELPINFO() AFX_WM_ENTRY(WM_HELP, BOOL (CWnd::*)(HELPINFO*), OnHelpInfo, AFX_LPARAM_AS(HELPINFO*))
#define ON_WM_QUERYENDSESSION() AFX_WM_ENTRY(WM_QUERYENDSESSION, BOOL (CWnd::*)(), OnQueryEndSession)
#define ON_WM_ENDSESSION()                                                                                             \
    AFX_WM_ENTRY(WM_ENDSESSION, void (CWnd::*)(BOOL), OnEndSession, static_cast<BOOL>(call.wParam))

// Messages reflected to the control that sent them, with the control-side handler names.
#define ON_WM_CTLCOLOR_REFLECT()                                                                                       \
    AFX_WM_ENTRY(WM_REFLECT_BASE + WM_CTLCOLOR, HBRUSH(CWnd::*)(CDC*, UINT), CtlColor,                                 \
                 CDC::FromHandle(AFX_CTLCOLOR_PARAM->hDC), AFX_CTLCOLOR_PARAM->nCtlType)
#define ON_WM_DRAWITEM_REFLECT()                                                                                       \
    AFX_WM_ENTRY(WM_REFLECT_BASE + WM_DRAWITEM, void(CWnd::*)(LPDRAWITEMSTRUCT), DrawItem,                             \
                 AFX_LPARAM_AS(LPDRAWITEMSTRUCT))
#define ON_WM_MEASUREITEM_REFLECT()                                                                                    \
    AFX_WM_ENTRY(WM_REFLECT_BASE + WM_MEASUREITEM, void(CWnd::*)(LPMEASUREITEMSTRUCT), MeasureItem,                    \
                 AFX_LPARAM_AS(LPMEASUREITEMSTRUCT))
#define ON_WM_COMPAREITEM_REFLECT()                                                                                    \
    AFX_WM_ENTRY(WM_REFLECT_BASE + WM_COMPAREITEM, int(CWnd::*)(LPCOMPAREITEMSTRUCT), CompareItem,                     \
                 AFX_LPARAM_AS(LPCOMPAREITEMSTRUCT))
#define ON_WM_DELETEITEM_REFLECT()                                                                                     \
    AFX_WM_ENTRY(WM_REFLECT_BASE + WM_DELETEITEM, void(CWnd::*)(LPDELETEITEMSTRUCT), DeleteItem,                       \
                 AFX_LPARAM_AS(LPDELETEITEMSTRUCT))
#define ON_WM_CHARTOITEM_REFLECT()                                                                                     \
    AFX_WM_ENTRY(WM_REFLECT_BASE + WM_CHARTOITEM, int(CWnd::*)(UINT, UINT), CharToItem, LOWORD(call.wParam),           \
                 HIWORD(call.wParam))
#define ON_WM_VKEYTOITEM_REFLECT()                                                                                     \
    AFX_WM_ENTRY(WM_REFLECT_BASE + WM_VKEYTOITEM, int(CWnd::*)(UINT, UINT), VKeyToItem, LOWORD(call.wParam),           \
                 HIWORD(call.wParam))
#define ON_WM_HSCROLL_REFLECT()                                                                                        \
    AFX_WM_ENTRY(WM_REFLECT_BASE + WM_HSCROLL, void(CWnd::*)(UINT, UINT), HScroll, LOWORD(call.wParam),                \
                 HIWORD(call.wParam))
#define ON_WM_VSCROLL_REFLECT()                                                                                        \
    AFX_WM_ENTRY(WM_REFLECT_BASE + WM_VSCROLL, void(CWnd::*)(UINT, UINT), VScroll, LOWORD(call.wParam),                \
                 HIWORD(call.wParam))
#define ON_WM_PARENTNOTIFY_REFLECT()                                                                                   \
    AFX_WM_ENTRY(WM_REFLECT_BASE + WM_PARENTNOTIFY, void(CWnd::*)(UINT, LPARAM), ParentNotify,                         \
                 static_cast<UINT>(call.wParam), call.lParam)

// Commands from menus, accelerators and controls.
#define ON_COMMAND(id, memberFxn) AFX_CMD_ENTRY(WM_COMMAND, CN_COMMAND, id, id, void (CCmdTarget::*)(), memberFxn)
// The handler answers whether it handled the command; FALSE routes it on.
#define ON_COMMAND_EX(id, memberFxn)                                                                                   \
    AFX_CMD_ENTRY(WM_COMMAND, CN_COMMAND, id, id, BOOL (CCmdTarget::*)(UINT), memberFxn)
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                                                                        \
    AFX_CMD_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast, void (CCmdTarget::*)(UINT), memberFxn)
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn)                                                                     \
    AFX_CMD_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast, BOOL (CCmdTarget::*)(UINT), memberFxn)
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                                                            \
    AFX_CMD_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, id, void (CCmdTarget::*)(CCmdUI*), memberFxn)
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn)                                                              \
    AFX_CMD_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, idLast, void (CCmdTarget::*)(CCmdUI*), memberFxn)
// A control's own update handler, which UpdateDialogControls asks first.
#define ON_UPDATE_COMMAND_UI_REFLECT(memberFxn)                                                                        \
    AFX_CMD_ENTRY(WM_COMMAND + WM_REFLECT_BASE, 0xFFFF, 0, 0, void(CCmdTarget::*)(CCmdUI*), memberFxn)

// Control notifications through WM_COMMAND.
#define ON_CONTROL(wNotifyCode, id, memberFxn)                                                                         \
    AFX_CMD_ENTRY(WM_COMMAND, static_cast<WORD>(wNotifyCode), id, id, void (CCmdTarget::*)(), memberFxn)
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn)                                                           \
    AFX_CMD_ENTRY(WM_COMMAND, static_cast<WORD>(wNotifyCode), id, idLast, void (CCmdTarget::*)(UINT), memberFxn)
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn)                                                                     \
    AFX_CMD_ENTRY(WM_COMMAND + WM_REFLECT_BASE, static_cast<WORD>(wNotifyCode), 0, 0, void(CCmdTarget::*)(), memberFxn)
// FALSE from the handler lets the parent handle the notification too.
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn)                                                                  \
    AFX_CMD_ENTRY(WM_COMMAND + WM_REFLECT_BASE, static_cast<WORD>(wNotifyCode), 0, 0, BOOL(CCmdTarget::*)(), memberFxn)

// Notifications through WM_NOTIFY.
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                                                          \
    AFX_CMD_ENTRY(WM_NOTIFY, static_cast<WORD>(wNotifyCode), id, id, void (CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn)
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn)                                                            \
    AFX_CMD_ENTRY(WM_NOTIFY, static_cast<WORD>(wNotifyCode), id, idLast, void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*), \
                  memberFxn)
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn)                                                                       \
    AFX_CMD_ENTRY(WM_NOTIFY, static_cast<WORD>(wNotifyCode), id, id, BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*),     \
                  memberFxn)
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn)                                                         \
    AFX_CMD_ENTRY(WM_NOTIFY, static_cast<WORD>(wNotifyCode), id, idLast, BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*), \
                  memberFxn)
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                                                                      \
    AFX_CMD_ENTRY(WM_NOTIFY + WM_REFLECT_BASE, static_cast<WORD>(wNotifyCode), 0, 0,                                   \
                  void(CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn)
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn)                                                                   \
    AFX_CMD_ENTRY(WM_NOTIFY + WM_REFLECT_BASE, static_cast<WORD>(wNotifyCode), 0, 0,                                   \
                  BOOL(CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn)

// Control notifications by control kind.
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_EN_ERRSPACE(id, memberFxn) ON_CONTROL(EN_ERRSPACE, id, memberFxn)
#define ON_EN_HSCROLL(id, memberFxn) ON_CONTROL(EN_HSCROLL, id, memberFxn)
#define ON_EN_VSCROLL(id, memberFxn) ON_CONTROL(EN_VSCROLL, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn) ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn) ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn) ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
#define ON_LBN_SELCANCEL(id, memberFxn) ON_CONTROL(LBN_SELCANCEL, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn) ON_CONTROL(STN_DBLCLK, id, memberFxn)
