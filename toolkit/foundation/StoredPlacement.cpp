#include "StoredPlacement.h"

#include <algorithm>
#include <iterator>

namespace tarnwick::foundation
{
namespace
{
const UINT shownCommands[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};

// Where the window's normal rectangle belongs: the parent's client area for a child window,
// else the work area of the monitor nearest the rectangle.
RECT AreaFor(HWND hWnd, const RECT& rect)
{
    RECT area = {};
    const HWND hParent = (::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD) != 0 ? ::GetParent(hWnd) : nullptr;
    if (hParent != nullptr)
    {
        ::GetClientRect(hParent, &area);
        return area;
    }
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &monitor);
    return monitor.rcWork;
}

// A side of the area: the stored one when it fits, half the area's when the stored one is empty.
LONG SideWithin(LONG nFrom, LONG nTo, LONG nArea)
{
    const LONGLONG nStored = static_cast<LONGLONG>(nTo) - nFrom; // a damaged value may not fit a LONG
    return nStored <= 0 ? nArea / 2 : static_cast<LONG>(std::min<LONGLONG>(nStored, nArea));
}
} // namespace

void KeepPlacementShown(WINDOWPLACEMENT& wp, HWND hWnd)
{
    wp.length = sizeof(wp);
    if (std::find(std::begin(shownCommands), std::end(shownCommands), wp.showCmd) == std::end(shownCommands))
        wp.showCmd = SW_SHOWNORMAL;
    wp.flags &= WPF_RESTORETOMAXIMIZED;
    RECT& rect = wp.rcNormalPosition;
    const RECT area = AreaFor(hWnd, rect);
    RECT common = {};
    if (::IntersectRect(&common, &rect, &area))
        return;
    const LONG cx = SideWithin(rect.left, rect.right, area.right - area.left);
    const LONG cy = SideWithin(rect.top, rect.bottom, area.bottom - area.top);
    rect = {area.left, area.top, area.left + cx, area.top + cy};
}
} // namespace tarnwick::foundation
