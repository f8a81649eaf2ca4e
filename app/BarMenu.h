// Shared pieces of the docking bars and trees: where a context menu opens.
#pragma once

#include <afxwin.h>

// The screen point of a context menu: the mouse's point, or for the keyboard (-1, -1) the
// window's client top-left corner moved by (5, 5).
CPoint ContextMenuPoint(CWnd& wnd, CPoint point);
