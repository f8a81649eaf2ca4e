#include <grid/core/PenRecord.h>

namespace
{
constexpr DWORD dwStyleMask = 0x7;
constexpr int nWidthShift = 3;
constexpr DWORD dwWidthMask = 0xFFFF;
constexpr int nKindShift = 19;
constexpr DWORD dwKindMask = 0x3;
} // namespace

void GXPenRecord::Init()
{
    m_dwStyle = GX_PEN_UNSET | (1 << nWidthShift);
    m_dwColor = 0;
}

UINT GXPenRecord::GetStyle() const
{
    return m_dwStyle & dwStyleMask;
}

GXPenRecord& GXPenRecord::SetStyle(UINT nStyle)
{
    m_dwStyle = (m_dwStyle & ~dwStyleMask) | (nStyle & dwStyleMask);
    return *this;
}

UINT GXPenRecord::GetWidth() const
{
    return (m_dwStyle >> nWidthShift) & dwWidthMask;
}

GXPenRecord& GXPenRecord::SetWidth(UINT nWidth)
{
    m_dwStyle = (m_dwStyle & ~(dwWidthMask << nWidthShift)) | ((nWidth & dwWidthMask) << nWidthShift);
    return *this;
}

GXColorCode GXPenRecord::GetColorCode() const
{
    return {m_dwColor & 0xFFFFFF, (m_dwStyle >> nKindShift) & dwKindMask};
}

COLORREF GXPenRecord::GetColor() const
{
    return GXDecodeColor(GetColorCode());
}

GXPenRecord& GXPenRecord::SetColor(COLORREF color)
{
    const GXColorCode code = GXEncodeColor(color);
    m_dwColor = (m_dwColor & ~0xFFFFFFu) | code.dwColor;
    m_dwStyle = (m_dwStyle & ~(dwKindMask << nKindShift)) | (code.nKind << nKindShift);
    return *this;
}

void GXPenRecord::SetInclude(BOOL bSet)
{
    if (!bSet)
        SetStyle(GX_PEN_UNSET);
    else if (GetStyle() == GX_PEN_UNSET)
        SetStyle(PS_SOLID);
}

LOGPEN GXPenRecord::GetLogPen() const
{
    LOGPEN lp{};
    lp.lopnStyle = GetStyle();
    lp.lopnWidth.x = static_cast<LONG>(GetWidth());
    lp.lopnColor = GetColor();
    return lp;
}
