// The 8 x 8 checkerboard brush shared by tab controls, toolbar buttons and bitmap menus,
// made from the toolkit's cached button-face and button-highlight colours.
#pragma once

#include <afxwin.h>

namespace tarnwick::tabs
{
// A new pattern brush the caller owns; null when it cannot be made.
HBRUSH CreateHalftoneBrush();

// Replaces the holder's brush by a fresh one (after a system colour change); a holder
// without a brush is left alone.
void RefreshHalftoneBrush(CBrush& holder);
} // namespace tarnwick::tabs
