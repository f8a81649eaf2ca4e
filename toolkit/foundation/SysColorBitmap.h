// Toolbar bitmaps in the current 3-D colours.
#pragma once

#include <afxwin.h>

// Loads a bitmap resource of the resource module as a screen-compatible bitmap. Up to 8 bits
// per pixel, the colour table's black, dark grey, light grey and white become the button text,
// shadow, face and highlight colours; deeper bitmaps are loaded unchanged. FALSE when the
// resource is missing or malformed.
BOOL LoadSysColorBitmap(CBitmap& bitmap, LPCTSTR lpszResourceName);
