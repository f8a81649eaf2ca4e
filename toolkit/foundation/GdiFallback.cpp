// Drawing objects with stock stand-ins.
#include <toolkit/foundation/GdiFallback.h>

namespace
{
template <class Object> BOOL MadeOrStock(Object& object, BOOL bMade, int nStock)
{
    if (!bMade)
        object.CreateStockObject(nStock);
    return bMade;
}
} // namespace

BOOL SECCreatePen(CPen& pen, int nStyle, int nWidth, COLORREF clr)
{
    return MadeOrStock(pen, pen.CreatePen(nStyle, nWidth, clr), BLACK_PEN);
}

BOOL SECCreateSolidBrush(CBrush& brush, COLORREF clr)
{
    return MadeOrStock(brush, brush.CreateSolidBrush(clr), WHITE_BRUSH);
}

BOOL SECCreateFont(CFont& font, const LOGFONT& lf)
{
    return MadeOrStock(font, font.CreateFontIndirect(&lf), DEFAULT_GUI_FONT);
}
