// Keeps a parent's drawing off its shown child windows, for a window without WS_CLIPCHILDREN
// whose paint DC reaches under them.
#pragma once

#include <windows.h>

// Excludes the rectangle of every child of hwndParent that has WS_VISIBLE from the DC's clip
// region; the DC's coordinates are hwndParent's client coordinates.
void SECExcludeChildWindows(HDC hdc, HWND hwndParent);
