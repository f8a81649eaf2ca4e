// The system colours that drawing code reads most, cached by the toolkit's and the grid's
// colour data so that painting does not ask the system for each of them every time.
#pragma once

#include <windows.h>

struct AFX_SYS_COLORS
{
    COLORREF clrBtnFace = 0;
    COLORREF clrBtnShadow = 0;
    COLORREF clrBtnHilite = 0;
    COLORREF clrWindowFrame = 0;
    COLORREF clr3DLight = 0;
    COLORREF clr3DDkShadow = 0;
    COLORREF clrWindowText = 0;
    COLORREF clrWindow = 0;
    COLORREF clrHighlight = 0;
    COLORREF clrHighlightText = 0;

    // Takes the system's current colours (after WM_SYSCOLORCHANGE, say).
    void ReadSysColors()
    {
        clrBtnFace = ::GetSysColor(COLOR_BTNFACE);
        clrBtnShadow = ::GetSysColor(COLOR_BTNSHADOW);
        clrBtnHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
        clrWindowFrame = ::GetSysColor(COLOR_WINDOWFRAME);
        clr3DLight = ::GetSysColor(COLOR_3DLIGHT);
        clr3DDkShadow = ::GetSysColor(COLOR_3DDKSHADOW);
        clrWindowText = ::GetSysColor(COLOR_WINDOWTEXT);
        clrWindow = ::GetSysColor(COLOR_WINDOW);
        clrHighlight = ::GetSysColor(COLOR_HIGHLIGHT);
        clrHighlightText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    }
};

// Loads a bitmap resource as a bitmap compatible with the screen. Up to 8 bits per pixel the
// colour table's black, dark grey, light grey and white become the button text, shadow, face
// and highlight colours; deeper bitmaps are loaded unchanged. NULL when the resource is missing
// or its header, colour table or pixels do not lie inside it.
HBITMAP AfxLoadSysColorBitmap(HINSTANCE hInst, HRSRC hRsrc);
