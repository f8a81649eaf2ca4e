// The colour encoding of grid styles: a colour is kept as 24 bits and a 2-bit kind. Kinds 0-2
// hold RGB (the kind is the colour's top byte); kind 3 holds the index of a system colour.
#pragma once

#include <windows.h>

constexpr UINT GX_COLORKIND_SYSTEM = 3;

// A colour as the style records store it.
struct GXColorCode
{
    DWORD dwColor; // 24 bits: RGB, or the system-colour index for GX_COLORKIND_SYSTEM
    UINT nKind;    // 0-3

    bool operator==(const GXColorCode&) const = default;
};

// The colour value that names system colour nIndex.
constexpr COLORREF GXSysColorRef(int nIndex)
{
    return static_cast<COLORREF>(254 - nIndex) << 24;
}

// A top byte from 65 to 254 names the system colour 254 minus that byte; any other top byte
// keeps its low two bits as the kind.
GXColorCode GXEncodeColor(COLORREF color);

// Kinds 0-2: the RGB with the kind in the top byte. System colours: the thread's cached value
// of that colour, without a marker.
COLORREF GXDecodeColor(const GXColorCode& code);

// The colour as callers pass it in: a system colour comes back with its marker top byte.
COLORREF GXEncodedColor(const GXColorCode& code);

// The colour to draw with: a system colour becomes its current value, any other stays.
COLORREF GXResolveColor(COLORREF color);
