// The keyboard as the grid's key map and the cell controls read it: whether a key is held,
// and the characters that WM_CHAR carries for the Ctrl letters the grid handles.
#pragma once

#include <windows.h>

inline BOOL GXIsKeyDown(int nVirtKey)
{
    return ::GetKeyState(nVirtKey) < 0;
}

// Ctrl with a letter arrives as the letter's place in the alphabet.
constexpr UINT GX_CTRL_C = 'C' - '@';
constexpr UINT GX_CTRL_R = 'R' - '@';
constexpr UINT GX_CTRL_V = 'V' - '@';
constexpr UINT GX_CTRL_X = 'X' - '@';
constexpr UINT GX_CTRL_Z = 'Z' - '@';
static_assert(GX_CTRL_C == 3 && GX_CTRL_R == 18 && GX_CTRL_V == 22 && GX_CTRL_X == 24 && GX_CTRL_Z == 26);
