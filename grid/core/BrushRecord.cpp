#include <grid/core/BrushRecord.h>

#include <grid/core/AppData.h>

namespace
{
// Word 0.
constexpr DWORD dwHatchMask = 0x7;
constexpr int nColorKindShift = 3;
constexpr int nBkColorKindShift = 5;
constexpr DWORD dwKindMask = 0x3;
constexpr int nColorShift = 7;
constexpr DWORD dwColorMask = 0xFFFFFF;
// Word 1.
constexpr int nPatternShift = 24;
constexpr DWORD dwPatternMask = 0x7F;
// Word 2.
constexpr DWORD dwStyleMask = 0x3;

void SetField(DWORD& dw, int nShift, DWORD dwMask, DWORD dwValue)
{
    dw = (dw & ~(dwMask << nShift)) | ((dwValue & dwMask) << nShift);
}

DWORD GetField(DWORD dw, int nShift, DWORD dwMask)
{
    return (dw >> nShift) & dwMask;
}

// Pattern numbers of the dashed and dotted pen styles 1-4.
constexpr UINT nFirstHorizontalPattern = 33;
constexpr UINT nFirstVerticalPattern = 37;
} // namespace

void GXBrushRecord::Init()
{
    m_dw[0] &= 0x80000000;
    m_dw[1] = (m_dw[1] & 0x80000000) | (GX_PATTERN_NONE << nPatternShift) | 0xFFFFFF;
    m_dw[2] &= ~dwStyleMask;
}

GXBrushRecord& GXBrushRecord::Set(UINT nStyle, COLORREF color, UINT nHatch)
{
    SetStyle(nStyle);
    SetColor(color);
    SetHatch(nHatch);
    SetBkColor(RGB(255, 255, 255));
    SetField(m_dw[1], nPatternShift, dwPatternMask, GX_PATTERN_NONE);
    return *this;
}

UINT GXBrushRecord::GetStyle() const
{
    return GetField(m_dw[2], 0, dwStyleMask);
}

GXBrushRecord& GXBrushRecord::SetStyle(UINT nStyle)
{
    SetField(m_dw[2], 0, dwStyleMask, nStyle);
    return *this;
}

UINT GXBrushRecord::GetHatch() const
{
    return GetField(m_dw[0], 0, dwHatchMask);
}

GXBrushRecord& GXBrushRecord::SetHatch(UINT nHatch)
{
    SetField(m_dw[0], 0, dwHatchMask, nHatch);
    return *this;
}

UINT GXBrushRecord::GetPattern() const
{
    return GetField(m_dw[1], nPatternShift, dwPatternMask);
}

GXBrushRecord& GXBrushRecord::SetPattern(UINT nPattern)
{
    SetField(m_dw[1], nPatternShift, dwPatternMask, nPattern);
    return SetStyle(GX_BRUSH_PATTERN);
}

GXColorCode GXBrushRecord::GetColorCode() const
{
    return {GetField(m_dw[0], nColorShift, dwColorMask), GetField(m_dw[0], nColorKindShift, dwKindMask)};
}

GXColorCode GXBrushRecord::GetBkColorCode() const
{
    return {GetField(m_dw[1], 0, dwColorMask), GetField(m_dw[0], nBkColorKindShift, dwKindMask)};
}

COLORREF GXBrushRecord::GetColor() const
{
    return GXDecodeColor(GetColorCode());
}

COLORREF GXBrushRecord::GetBkColor() const
{
    return GXDecodeColor(GetBkColorCode());
}

GXBrushRecord& GXBrushRecord::SetColor(COLORREF color)
{
    SetColorCode(GXEncodeColor(color));
    return *this;
}

GXBrushRecord& GXBrushRecord::SetBkColor(COLORREF color)
{
    SetBkColorCode(GXEncodeColor(color));
    return *this;
}

void GXBrushRecord::SetColorCode(const GXColorCode& code)
{
    SetField(m_dw[0], nColorShift, dwColorMask, code.dwColor);
    SetField(m_dw[0], nColorKindShift, dwKindMask, code.nKind);
}

void GXBrushRecord::SetBkColorCode(const GXColorCode& code)
{
    SetField(m_dw[1], 0, dwColorMask, code.dwColor);
    SetField(m_dw[0], nBkColorKindShift, dwKindMask, code.nKind);
}

GXColorCode GXBrushRecord::GetFillColorCode() const
{
    return GetStyle() == GX_BRUSH_SOLID ? GetColorCode() : GetBkColorCode();
}

COLORREF GXBrushRecord::GetFillColor() const
{
    return GXDecodeColor(GetFillColorCode());
}

BOOL GXBrushRecord::SetBorderPattern(const GXPenRecord& pen, const GXBrushRecord& background, BOOL bHorizontal,
                                     BOOL bBlackWhite)
{
    const UINT nPenStyle = pen.GetStyle();
    if (nPenStyle == PS_NULL)
    {
        *this = background;
        return TRUE;
    }
    if (nPenStyle < PS_DASH || nPenStyle > PS_DASHDOTDOT)
        return FALSE;

    const UINT nFirst = bHorizontal ? nFirstHorizontalPattern : nFirstVerticalPattern;
    Set(GX_BRUSH_PATTERN, RGB(0, 0, 0), 0);
    if (bBlackWhite)
    {
        SetBkColor(RGB(255, 255, 255));
    }
    else
    {
        SetColorCode(pen.GetColorCode());
        SetBkColorCode(background.GetFillColorCode());
    }
    SetPattern(nFirst + nPenStyle - PS_DASH);
    return TRUE;
}

CArchive& operator<<(CArchive& ar, const GXBrushRecord& brush)
{
    if (CGXAbstractStyleSerializeImp* pImp = GXGetAppDataPtr()->m_pStyleSerializeImp)
    {
        GXBrushRecord stored = brush;
        pImp->SerializeBrush(stored, ar);
    }
    return ar;
}

CArchive& operator>>(CArchive& ar, GXBrushRecord& brush)
{
    if (CGXAbstractStyleSerializeImp* pImp = GXGetAppDataPtr()->m_pStyleSerializeImp)
        pImp->SerializeBrush(brush, ar);
    return ar;
}
