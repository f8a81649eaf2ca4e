#include <grid/core/Color.h>

#include <grid/core/SysData.h>

namespace
{
constexpr UINT nFirstSystemMarker = 65;
constexpr UINT nLastSystemMarker = 254;
} // namespace

GXColorCode GXEncodeColor(COLORREF color)
{
    const UINT nTop = color >> 24;
    if (nTop >= nFirstSystemMarker && nTop <= nLastSystemMarker)
        return {nLastSystemMarker - nTop, GX_COLORKIND_SYSTEM};
    return {color & 0xFFFFFF, nTop & 3};
}

COLORREF GXDecodeColor(const GXColorCode& code)
{
    if (code.nKind == GX_COLORKIND_SYSTEM)
        return GXGetSysData()->GetSysColor(static_cast<int>(code.dwColor));
    return (code.dwColor & 0xFFFFFF) | (code.nKind << 24);
}

COLORREF GXEncodedColor(const GXColorCode& code)
{
    if (code.nKind == GX_COLORKIND_SYSTEM)
        return (GXDecodeColor(code) & 0xFFFFFF) | ((nLastSystemMarker - code.dwColor) << 24);
    return GXDecodeColor(code);
}

COLORREF GXResolveColor(COLORREF color)
{
    return GXDecodeColor(GXEncodeColor(color));
}
