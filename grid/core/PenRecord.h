// The pen of one border side: 8 bytes, two 32-bit words.
//   word 0: bits 0-2 pen style (LOGPEN styles 0-6; 7 = side not set), bits 3-18 width in
//           pixels, bits 19-20 colour kind
//   word 1: bits 0-23 colour (RGB or system-colour index)
#pragma once

#include <grid/core/Color.h>

constexpr UINT GX_PEN_UNSET = 7;

struct GXPenRecord
{
    GXPenRecord()
    {
        Init();
    }

    // Style unset, width 1, black.
    void Init();

    UINT GetStyle() const;
    GXPenRecord& SetStyle(UINT nStyle);
    UINT GetWidth() const;
    GXPenRecord& SetWidth(UINT nWidth);
    // System colours resolved to their current value.
    COLORREF GetColor() const;
    GXColorCode GetColorCode() const;
    GXPenRecord& SetColor(COLORREF color);

    BOOL IsSet() const
    {
        return GetStyle() != GX_PEN_UNSET;
    }
    // Unsetting makes the style 7; setting turns a style of 7 into solid and keeps any other.
    void SetInclude(BOOL bSet);

    LOGPEN GetLogPen() const;

    bool operator==(const GXPenRecord&) const = default;

private:
    DWORD m_dwStyle;
    DWORD m_dwColor;
};
static_assert(sizeof(GXPenRecord) == 8);
