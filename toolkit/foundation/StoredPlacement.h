// Window placements read back from a profile or a workspace, which another program or a damaged
// file may have written.
#pragma once

#include <windows.h>

namespace tarnwick::foundation
{
// Makes a stored placement safe to give the window: a show command other than normal, minimised
// or maximised shows normal, a stored minimised position is dropped, and a normal rectangle that
// is empty or lies off every monitor (for a child window: outside its parent's client area)
// comes back into it, at most as large as it.
void KeepPlacementShown(WINDOWPLACEMENT& wp, HWND hWnd);
} // namespace tarnwick::foundation
