// Keys and mouse buttons as sent messages, with the shift and ctrl keys the controls read.
#pragma once

#include <afxwin.h>

// Holds a key down in the thread's keyboard state while the object lives.
class HeldKey
{
public:
    explicit HeldKey(int nVirtKey) : m_nVirtKey(nVirtKey)
    {
        Set(0x80);
    }
    ~HeldKey()
    {
        Set(0);
    }
    HeldKey(const HeldKey&) = delete;
    HeldKey& operator=(const HeldKey&) = delete;

private:
    void Set(BYTE nState) const
    {
        BYTE keys[256];
        ::GetKeyboardState(keys);
        keys[m_nVirtKey] = nState;
        ::SetKeyboardState(keys);
    }
    int m_nVirtKey;
};

inline void SendKey(CWnd& wnd, UINT nVirtKey)
{
    wnd.SendMessage(WM_KEYDOWN, nVirtKey, 1);
}

inline void SendChar(CWnd& wnd, wchar_t ch)
{
    wnd.SendMessage(WM_CHAR, ch, 1);
}

inline void SendMouse(CWnd& wnd, UINT message, CPoint point, UINT nKeys = 0)
{
    wnd.SendMessage(message, nKeys, MAKELPARAM(point.x, point.y));
}

// A press and release at one point.
inline void SendClick(CWnd& wnd, CPoint point, UINT nKeys = 0)
{
    SendMouse(wnd, WM_LBUTTONDOWN, point, nKeys | MK_LBUTTON);
    SendMouse(wnd, WM_LBUTTONUP, point, nKeys);
}
