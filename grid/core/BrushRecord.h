// The brush of a cell interior and of patterned border lines: 12 bytes, three 32-bit words.
//   word 0: bits 0-2 hatch, 3-4 foreground colour kind, 5-6 background colour kind,
//           7-30 foreground colour (24 bits); bit 31 kept
//   word 1: bits 0-23 background colour, 24-30 pattern number (63 = none); bit 31 kept
//   word 2: bits 0-1 brush style (0 solid, 1 hollow, 2 hatched, 3 pattern); bits 2-31 kept
#pragma once

#include <grid/core/PenRecord.h>

constexpr UINT GX_BRUSH_SOLID = 0;
constexpr UINT GX_BRUSH_HOLLOW = 1;
constexpr UINT GX_BRUSH_HATCHED = 2;
constexpr UINT GX_BRUSH_PATTERN = 3;
constexpr UINT GX_PATTERN_NONE = 63;
constexpr UINT GX_PATTERN_COUNT = 41;

struct GXBrushRecord
{
    GXBrushRecord() : m_dw{}
    {
        Init();
    }

    // Solid, hatch 0, black on white, no pattern.
    void Init();
    // Also resets the background to white and the pattern to none.
    GXBrushRecord& Set(UINT nStyle, COLORREF color, UINT nHatch);

    UINT GetStyle() const;
    GXBrushRecord& SetStyle(UINT nStyle);
    UINT GetHatch() const;
    GXBrushRecord& SetHatch(UINT nHatch);
    UINT GetPattern() const;
    // Makes the brush a pattern brush.
    GXBrushRecord& SetPattern(UINT nPattern);

    // System colours resolved to their current value.
    COLORREF GetColor() const;
    COLORREF GetBkColor() const;
    GXColorCode GetColorCode() const;
    GXColorCode GetBkColorCode() const;
    GXBrushRecord& SetColor(COLORREF color);
    GXBrushRecord& SetBkColor(COLORREF color);

    // The colour that shows behind a patterned line: the foreground of a solid brush, else
    // the background.
    COLORREF GetFillColor() const;

    // The pattern brush that draws a dashed or dotted border (pen styles 1-4) over this
    // background; pen style 5 (no line) gives the background itself. FALSE for the pen styles
    // that need no brush.
    BOOL SetBorderPattern(const GXPenRecord& pen, const GXBrushRecord& background, BOOL bHorizontal, BOOL bBlackWhite);

    bool operator==(const GXBrushRecord&) const = default;

private:
    GXColorCode GetFillColorCode() const;
    void SetColorCode(const GXColorCode& code);
    void SetBkColorCode(const GXColorCode& code);

    DWORD m_dw[3];
};
static_assert(sizeof(GXBrushRecord) == 12);

class CArchive;

// The brush's archive record, through the application's style-serialize feature; nothing is
// written or read without it.
CArchive& operator<<(CArchive& ar, const GXBrushRecord& brush);
CArchive& operator>>(CArchive& ar, GXBrushRecord& brush);
