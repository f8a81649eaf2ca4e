// The style subset test that merged cells and style comparisons use.
#include <grid/core/StyleCompareSubsetImp.h>

#include <grid/core/AbstractImps.h>
#include <grid/core/AppData.h>
#include <grid/core/Style.h>
#include <grid/core/UserAttributeMap.h>

namespace
{
template <auto pGet> bool SameValue(const CGXStyle& style, const CGXStyle& other)
{
    return (style.*pGet)() == (other.*pGet)();
}

bool SameTextColor(const CGXStyle& style, const CGXStyle& other)
{
    return GXResolveColor(style.GetTextColor()) == GXResolveColor(other.GetTextColor());
}

bool HasBorders(const CGXStyle& style, const CGXStyle& other)
{
    for (GXBorder side : {GXBorder::Top, GXBorder::Left, GXBorder::Bottom, GXBorder::Right})
    {
        if (other.HasBorder(side) && (!style.HasBorder(side) || !(style.GetBorders(side) == other.GetBorders(side))))
            return false;
    }
    return true;
}

bool HasFont(const CGXStyle& style, const CGXStyle& other)
{
    return style.GetFont().IsSubSet(other.GetFont()) != FALSE;
}

// Attributes are found by id, so that maps holding further attributes still compare.
bool HasUserAttributes(const CGXStyle& style, const CGXStyle& other)
{
    const CGXUserAttributeMap* pOther = other.GetUserAttributeMap();
    if (pOther == nullptr || pOther->IsEmpty())
        return true;
    const CGXUserAttributeMap* pMap = style.GetUserAttributeMap();
    if (pMap == nullptr)
        return false;
    for (INT_PTR i = 0; i < pOther->GetSize(); ++i)
    {
        const auto* pAttribute = static_cast<const CGXAbstractUserAttribute*>(pOther->GetAt(i));
        const CGXAbstractUserAttribute* pMine = pMap->GetAttribute(pAttribute->m_nId);
        if (pMine == nullptr || !pMine->IsEqual(*pAttribute))
            return false;
    }
    return true;
}

// In the order of the test; each compares an attribute that both styles include.
const struct
{
    DWORD dwInclude;
    bool (*pfnSame)(const CGXStyle& style, const CGXStyle& other);
} attributes[] = {
    {CGXStyle::inclHorizontalAlignment, SameValue<&CGXStyle::GetHorizontalAlignment>},
    {CGXStyle::inclVerticalAlignment, SameValue<&CGXStyle::GetVerticalAlignment>},
    {CGXStyle::inclReadOnly, SameValue<&CGXStyle::GetReadOnly>},
    {CGXStyle::inclFloatCell, SameValue<&CGXStyle::GetFloatCell>},
    {CGXStyle::inclFloodCell, SameValue<&CGXStyle::GetFloodCell>},
    {CGXStyle::inclMergeCell, SameValue<&CGXStyle::GetMergeCell>},
    {CGXStyle::inclDraw3dFrame, SameValue<&CGXStyle::GetDraw3dFrame>},
    {CGXStyle::inclMaxLength, SameValue<&CGXStyle::GetMaxLength>},
    {CGXStyle::inclVerticalScrollbar, SameValue<&CGXStyle::GetVerticalScrollbar>},
    {CGXStyle::inclTextColor, SameTextColor},
    {CGXStyle::inclWrapText, SameValue<&CGXStyle::GetWrapText>},
    {CGXStyle::inclAutoSize, SameValue<&CGXStyle::GetAutoSize>},
    {CGXStyle::inclAllowEnter, SameValue<&CGXStyle::GetAllowEnter>},
    {CGXStyle::inclEnabled, SameValue<&CGXStyle::GetEnabled>},
    {CGXStyle::inclTriState, SameValue<&CGXStyle::GetTriState>},
    {CGXStyle::inclControl, SameValue<&CGXStyle::GetControl>},
    {CGXStyle::inclInterior, SameValue<&CGXStyle::GetInterior>},
    {CGXStyle::inclBorders, HasBorders},
    {CGXStyle::inclFont, HasFont},
    {CGXStyle::inclValue, SameValue<&CGXStyle::GetValue>},
    {CGXStyle::inclFormat, SameValue<&CGXStyle::GetFormat>},
    {CGXStyle::inclPlaces, SameValue<&CGXStyle::GetPlaces>},
    {CGXStyle::inclBaseStyle, SameValue<&CGXStyle::GetBaseStyle>},
    {CGXStyle::inclChoiceList, SameValue<&CGXStyle::GetChoiceList>},
    {CGXStyle::inclItemData, SameValue<&CGXStyle::GetItemData>},
};
} // namespace

BOOL CGXStyleCompareSubsetImp::IsSubset(const CGXStyle& style, const CGXStyle& other)
{
    for (const auto& attribute : attributes)
    {
        if (!other.GetInclude(attribute.dwInclude))
            continue;
        if (!style.GetInclude(attribute.dwInclude) || !attribute.pfnSame(style, other))
            return FALSE;
    }
    return HasUserAttributes(style, other);
}

void GXInstallStyleCompareSubsetImp()
{
    GXInstallImp<CGXStyleCompareSubsetImp>(GXGetAppDataPtr()->m_pStyleCompareSubsetImp);
}
