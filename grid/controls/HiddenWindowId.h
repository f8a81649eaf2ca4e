// The ids of the hidden windows that a window-backed cell control keeps beside its own window
// (for measuring, drawing, formatting): above every control id, which is 16 bits, and a few for
// each control id, so that no two children of one parent share an id whatever controls a grid
// registers.
#pragma once

#include <afxwin.h>

constexpr UINT GX_HIDDEN_WINDOWS_PER_CONTROL = 4;

// nWindow counts the control's hidden windows from 0.
inline UINT GXHiddenWindowId(UINT nControlId, UINT nWindow)
{
    ASSERT(nControlId <= 0xFFFF && nWindow < GX_HIDDEN_WINDOWS_PER_CONTROL);
    return 0x10000 + nControlId * GX_HIDDEN_WINDOWS_PER_CONTROL + nWindow;
}
