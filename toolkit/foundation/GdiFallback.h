// Drawing objects that a window keeps. When GDI cannot make the one asked for, a stock object
// stands in (the black pen, the white brush, the default GUI font), so that the window still
// draws, plainly, instead of drawing with whatever the device context holds. Each answers
// whether the object asked for was made.
#pragma once

#include <afxwin.h>

BOOL SECCreatePen(CPen& pen, int nStyle, int nWidth, COLORREF clr);
BOOL SECCreateSolidBrush(CBrush& brush, COLORREF clr);
BOOL SECCreateFont(CFont& font, const LOGFONT& lf);
