#include <toolkit/foundation/Multimon.h>

HMONITOR MultimonMonitorFromPoint(POINT pt, DWORD dwFlags)
{
    return ::MonitorFromPoint(pt, dwFlags);
}

BOOL MultimonGetMonitorInfo(HMONITOR hMonitor, LPMONITORINFO lpmi)
{
    return ::GetMonitorInfoW(hMonitor, lpmi);
}
