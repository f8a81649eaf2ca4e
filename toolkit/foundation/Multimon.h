// The monitor helpers that frames and pop-ups use to stay on screen.
#pragma once

#include <windows.h>

// The monitor of a point; dwFlags as MonitorFromPoint's (MONITOR_DEFAULTTONEAREST 2).
HMONITOR MultimonMonitorFromPoint(POINT pt, DWORD dwFlags);
// Fills the monitor's rectangle and work area; lpmi->cbSize must be set.
BOOL MultimonGetMonitorInfo(HMONITOR hMonitor, LPMONITORINFO lpmi);
