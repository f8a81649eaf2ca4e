#include <grid/services/archive/RecordDescription.h>

#include <cstdlib>

namespace
{
const int nMaxFields = 9;

struct Fields
{
    long values[nMaxFields] = {};
    int nCount = 0;

    long operator[](int i) const
    {
        return i < nCount ? values[i] : 0;
    }
};

// Blank-separated numbers; a malformed number reads as 0.
Fields ReadFields(LPCTSTR psz)
{
    Fields fields;
    if (psz == nullptr)
        return fields;
    while (*psz == ' ')
        ++psz;
    while (*psz != 0 && fields.nCount < nMaxFields)
    {
        fields.values[fields.nCount++] = _wtol(psz);
        psz = _tcschr(psz, ' ');
        if (psz == nullptr)
            break;
        while (*psz == ' ')
            ++psz;
    }
    return fields;
}

COLORREF ColorOfFields(long nRed, long nGreen, long nBlue, long nTopByte)
{
    return (static_cast<COLORREF>(nTopByte & 0xFF) << 24) |
           RGB(static_cast<BYTE>(nRed), static_cast<BYTE>(nGreen), static_cast<BYTE>(nBlue));
}

// The top byte that names the colour's kind, or the system colour by its marker.
int TopByteOfCode(const GXColorCode& code)
{
    return code.nKind == GX_COLORKIND_SYSTEM ? 254 - static_cast<int>(code.dwColor) : static_cast<int>(code.nKind);
}

// Red, green and blue as written: the current value of a system colour.
COLORREF RgbOfCode(const GXColorCode& code)
{
    return code.nKind == GX_COLORKIND_SYSTEM ? GXDecodeColor(code) : code.dwColor;
}
} // namespace

GXPenRecord& GXParseStyleDescription(GXPenRecord& pen, LPCTSTR pszDescription)
{
    const Fields fields = ReadFields(pszDescription);
    if (fields.nCount < 5)
    {
        pen.SetColor(0);
        pen.SetInclude(FALSE);
        return pen;
    }
    // The style itself says whether the side is set (7: not set).
    pen.SetStyle(static_cast<UINT>(fields[0]) & 7);
    pen.SetWidth(static_cast<UINT>(fields[1]) & 0xFFFF);
    pen.SetColor(ColorOfFields(fields[2], fields[3], fields[4], fields[5]));
    return pen;
}

CString GXWriteStyleDescription(const GXPenRecord& pen)
{
    const GXColorCode code = pen.GetColorCode();
    const COLORREF rgb = RgbOfCode(code);
    CString strDescription;
    strDescription.Format(_T("%lu %ld %d %d %d %d"), static_cast<unsigned long>(pen.GetStyle()),
                          static_cast<long>(pen.GetWidth()), GetRValue(rgb), GetGValue(rgb), GetBValue(rgb),
                          TopByteOfCode(code));
    return strDescription;
}

GXBrushRecord& SetBrushRecordDescription(GXBrushRecord& brush, LPCTSTR pszDescription)
{
    const Fields fields = ReadFields(pszDescription);
    if (fields.nCount < 5)
    {
        brush.SetColor(0);
        brush.SetBkColor(0);
        return brush;
    }
    const UINT nStyle = static_cast<UINT>(fields[0]) & 3;
    if (nStyle == GX_BRUSH_PATTERN)
    {
        // The pattern's bitmap draws the brush: no hatch goes with it.
        brush.SetPattern(static_cast<UINT>(fields[1]) & 0x7F);
        brush.SetHatch(0);
    }
    else
    {
        brush.SetStyle(nStyle);
        brush.SetHatch(static_cast<UINT>(fields[1]) & 7);
    }
    // A palette index (top byte 1) is red + 256 * green.
    const long nTopByte = fields[8];
    brush.SetColor(ColorOfFields(fields[2], fields[3], nTopByte == 1 ? 0 : fields[4], nTopByte));
    brush.SetBkColor(fields.nCount >= 8 ? ColorOfFields(fields[5], fields[6], fields[7], 0) : 0);
    return brush;
}

CString GetBrushRecordDescription(const GXBrushRecord& brush)
{
    const GXColorCode code = brush.GetColorCode();
    const COLORREF rgb = RgbOfCode(code);
    const COLORREF bkRgb = RgbOfCode(brush.GetBkColorCode());
    const UINT nStyle = brush.GetStyle();
    CString strDescription;
    strDescription.Format(_T("%lu %ld %d %d %d %d %d %d %d"), static_cast<unsigned long>(nStyle),
                          static_cast<long>(nStyle == GX_BRUSH_PATTERN ? brush.GetPattern() : brush.GetHatch()),
                          GetRValue(rgb), GetGValue(rgb), GetBValue(rgb), GetRValue(bkRgb), GetGValue(bkRgb),
                          GetBValue(bkRgb), TopByteOfCode(code));
    return strDescription;
}
