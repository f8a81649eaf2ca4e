#include <toolkit/foundation/ChildClip.h>

void SECExcludeChildWindows(HDC hdc, HWND hwndParent)
{
    for (HWND hChild = ::GetWindow(hwndParent, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        if (!(::GetWindowLongW(hChild, GWL_STYLE) & WS_VISIBLE))
            continue;
        RECT rect;
        ::GetWindowRect(hChild, &rect);
        ::MapWindowPoints(nullptr, hwndParent, reinterpret_cast<LPPOINT>(&rect), 2);
        ::ExcludeClipRect(hdc, rect.left, rect.top, rect.right, rect.bottom);
    }
}
