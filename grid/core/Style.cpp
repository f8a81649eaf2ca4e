#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>

#include <grid/core/AppData.h>
#include <grid/core/StylesMap.h>
#include <grid/core/UserAttribute.h>
#include <grid/core/UserAttributeMap.h>

#include <bitset>
#include <algorithm>

IMPLEMENT_SERIAL(CGXStyle, CObject, 0)

namespace
{
// Attributes packed into the flags word.
struct FlagField
{
    int nShift;
    DWORD dwMask;

    DWORD Bits() const
    {
        return dwMask << nShift;
    }
};

constexpr FlagField fieldDraw3dFrame{0, 0x3};
constexpr FlagField fieldReadOnly{2, 0x1};
constexpr FlagField fieldVerticalScrollbar{3, 0x1};
constexpr FlagField fieldWrapText{4, 0x1};
constexpr FlagField fieldAllowEnter{5, 0x1};
constexpr FlagField fieldEnabled{6, 0x1};
constexpr FlagField fieldTriState{7, 0x1};
constexpr FlagField fieldAutoSize{8, 0x1};
constexpr FlagField fieldFloodCell{9, 0x1};
constexpr FlagField fieldFloatCell{10, 0x1};
constexpr FlagField fieldMergeCell{11, 0x7};
constexpr FlagField fieldHorizontalAlignment{14, 0x3};
constexpr FlagField fieldVerticalAlignment{16, 0x3};
constexpr FlagField fieldTextColorKind{18, 0x3};
constexpr FlagField fieldValueType{20, 0x7};

// The attributes that live in the flags word alone, with their include bits.
struct FlagAttribute
{
    DWORD dwInclude;
    FlagField field;
};

constexpr FlagAttribute flagAttributes[] = {
    {CGXStyle::inclHorizontalAlignment, fieldHorizontalAlignment},
    {CGXStyle::inclVerticalAlignment, fieldVerticalAlignment},
    {CGXStyle::inclReadOnly, fieldReadOnly},
    {CGXStyle::inclFloatCell, fieldFloatCell},
    {CGXStyle::inclFloodCell, fieldFloodCell},
    {CGXStyle::inclMergeCell, fieldMergeCell},
    {CGXStyle::inclDraw3dFrame, fieldDraw3dFrame},
    {CGXStyle::inclVerticalScrollbar, fieldVerticalScrollbar},
    {CGXStyle::inclWrapText, fieldWrapText},
    {CGXStyle::inclAutoSize, fieldAutoSize},
    {CGXStyle::inclAllowEnter, fieldAllowEnter},
    {CGXStyle::inclEnabled, fieldEnabled},
    {CGXStyle::inclTriState, fieldTriState},
};

// Text colour word: colour and base style id.
constexpr DWORD dwTextColorBits = 0xFFFFFF;
constexpr int nBaseStyleShift = 24;
constexpr DWORD dwBaseStyleBits = 0xFFu << nBaseStyleShift;
// Number word: format and places.
constexpr DWORD dwFormatMask = 0x1F;
constexpr int nPlacesShift = 5;
constexpr DWORD dwPlacesMask = 0xF;

constexpr int nBorderSides = 4;

// The archive keeps FloatCell and FloodCell the other way round.
DWORD SwapFloatFlood(DWORD dw)
{
    const DWORD dwFlood = dw & CGXStyle::inclFloodCell;
    const DWORD dwFloat = dw & CGXStyle::inclFloatCell;
    return (dw & ~(CGXStyle::inclFloodCell | CGXStyle::inclFloatCell)) | (dwFlood << 1) | (dwFloat >> 1);
}

DWORD CopyBits(DWORD dwTo, DWORD dwFrom, DWORD dwBits)
{
    return (dwTo & ~dwBits) | (dwFrom & dwBits);
}

const GXPenRecord& UnsetPen()
{
    static const GXPenRecord pen;
    return pen;
}
} // namespace

CGXStyle::CGXStyle() = default;

CGXStyle::CGXStyle(const CGXStyle& src) : CObject()
{
    CopyFrom(src);
}

CGXStyle::~CGXStyle()
{
    Free();
}

CGXStyle& CGXStyle::operator=(const CGXStyle& src)
{
    if (&src == this)
        return *this;
    if (src.m_dwInclude == 0)
        return Free();
    CopyFrom(src);
    return *this;
}

void CGXStyle::CopyFrom(const CGXStyle& src)
{
    m_dwInclude = src.m_dwInclude;
    m_nMaxLength = src.m_nMaxLength;
    m_interior = src.m_interior;
    m_nControl = src.m_nControl;
    m_dwFlags = src.m_dwFlags;
    m_dwTextColor = src.m_dwTextColor;
    m_dwNumber = src.m_dwNumber;
    m_dwItemData = src.m_dwItemData;
    // Texts of attributes that are not included are not carried over.
    m_strValue = src.GetInclude(inclValue) ? src.m_strValue : CString();
    m_strChoiceList = src.GetInclude(inclChoiceList) ? src.m_strChoiceList : CString();

    if (src.m_pUserAttributes != nullptr && !src.m_pUserAttributes->IsEmpty())
    {
        EnsureUserAttributes().ChangeMap(*src.m_pUserAttributes, modeCopy);
    }
    else
    {
        delete m_pUserAttributes;
        m_pUserAttributes = nullptr;
    }

    if (src.GetInclude(inclBorders) && src.m_pBorders != nullptr)
    {
        std::copy(src.m_pBorders, src.m_pBorders + nBorderSides, EnsureBorders());
    }
    else
    {
        delete[] m_pBorders;
        m_pBorders = nullptr;
    }

    if (src.GetInclude(inclFont) && src.m_pFont != nullptr)
    {
        if (m_pFont == nullptr)
            m_pFont = new CGXFont(*src.m_pFont);
        else
            *m_pFont = *src.m_pFont;
    }
    else
    {
        delete m_pFont;
        m_pFont = nullptr;
    }
}

CGXStyle& CGXStyle::Free()
{
    delete[] m_pBorders;
    m_pBorders = nullptr;
    delete m_pFont;
    m_pFont = nullptr;
    delete m_pUserAttributes;
    m_pUserAttributes = nullptr;
    m_strValue.Empty();
    m_strChoiceList.Empty();
    m_dwItemData = 0;
    m_dwInclude = 0;
    return *this;
}

CGXStyle* CGXStyle::Clone() const
{
    return new CGXStyle(*this);
}

void CGXStyle::Serialize(CArchive& ar)
{
    Serialize(ar, nullptr);
}

void CGXStyle::Serialize(CArchive& ar, const CGXStylesMap* pStylesMap)
{
    if (CGXAbstractStyleSerializeImp* pImp = GXGetAppDataPtr()->m_pStyleSerializeImp)
        pImp->SerializeStyle(*this, ar, pStylesMap);
}

BOOL CGXStyle::IsSubSet(const CGXStyle& other) const
{
    CGXAbstractStyleCompareSubsetImp* pImp = GXGetAppDataPtr()->m_pStyleCompareSubsetImp;
    return pImp != nullptr ? pImp->IsSubset(*this, other) : FALSE;
}

BOOL CGXStyle::WriteProfile(LPCTSTR pszSection, const CGXStylesMap* pStylesMap) const
{
    CGXAbstractGridProfileImp* pImp = GXGetAppDataPtr()->m_pGridProfileImp;
    return pImp != nullptr ? pImp->WriteStyleToProfile(*this, pszSection, pStylesMap) : FALSE;
}

BOOL CGXStyle::ReadProfile(LPCTSTR pszSection, const CGXStylesMap* pStylesMap)
{
    CGXAbstractGridProfileImp* pImp = GXGetAppDataPtr()->m_pGridProfileImp;
    return pImp != nullptr ? pImp->ReadStyleFromProfile(*this, pszSection, pStylesMap) : FALSE;
}

CGXStyle& CGXStyle::SetDefault()
{
    Free();
    SetHorizontalAlignment(DT_LEFT).SetVerticalAlignment(DT_TOP).SetReadOnly(FALSE).SetControl(GX_IDS_CTRL_EDIT);
    SetInteriorColor(GXSysColorRef(COLOR_WINDOW));
    SetBorders(nullptr);
    SetMaxLength(0).SetDraw3dFrame(0).SetVerticalScrollbar(FALSE);
    SetTextColor(GXSysColorRef(COLOR_WINDOWTEXT));
    SetWrapText(TRUE).SetAllowEnter(FALSE).SetEnabled(TRUE).SetTriState(FALSE).SetAutoSize(FALSE);
    SetFont(CGXFont().SetDefaultCellFont(), modeCopy);
    SetValue(_T("")).SetChoiceList(CString());
    SetItemData(0).SetMergeCell(0).SetFloodCell(TRUE).SetFloatCell(TRUE).SetFormat(0).SetPlaces(13);
    return *this;
}

const CGXStyle* CGXStyle::LoadBaseStyle(const CGXStylesMap& stylesMap)
{
    // Base styles come from profiles and archives: a chain may lead back to an earlier style,
    // and then the walk ends where an id repeats. Ids are one byte.
    std::bitset<256> seen;
    const CGXStyle* pCurrent = this;
    while (pCurrent->GetInclude(inclBaseStyle))
    {
        const WORD nId = pCurrent->GetBaseStyle();
        if (seen[nId])
            break;
        seen[nId] = true;
        CGXStyle* pBase;
        if (!stylesMap.LookupStyle(nId, pBase))
            return nullptr;
        ChangeStyle(*pBase, modeApplyNew);
        pCurrent = pBase;
    }
    return pCurrent;
}

CGXStyle& CGXStyle::ChangeStyle(const CGXStyle& other, int nMode)
{
    if (&other == this)
    {
        const CGXStyle copy(other);
        return ChangeStyle(copy, nMode);
    }
    if (nMode == modeCopy)
        return *this = other;
    if (other.m_dwInclude == 0)
        return *this;
    if (nMode == modeExclude)
    {
        ExcludeFrom(other);
        return *this;
    }
    if (m_dwInclude == 0)
        return *this = other;

    // Whether an attribute is taken; taking it includes it here.
    auto take = [&](DWORD dwInclude) {
        if (!other.GetInclude(dwInclude) || (nMode == modeApplyNew && GetInclude(dwInclude)))
            return false;
        m_dwInclude |= dwInclude;
        return true;
    };

    for (const FlagAttribute& a : flagAttributes)
        if (take(a.dwInclude))
            m_dwFlags = CopyBits(m_dwFlags, other.m_dwFlags, a.field.Bits());
    if (take(inclMaxLength))
        m_nMaxLength = other.m_nMaxLength;
    if (take(inclTextColor))
    {
        m_dwTextColor = CopyBits(m_dwTextColor, other.m_dwTextColor, dwTextColorBits);
        m_dwFlags = CopyBits(m_dwFlags, other.m_dwFlags, fieldTextColorKind.Bits());
    }
    if (take(inclControl))
        m_nControl = other.m_nControl;
    if (take(inclInterior))
        m_interior = other.m_interior;
    MergeBorders(other, nMode);
    MergeFont(other, nMode);
    if (take(inclValue))
    {
        m_strValue = other.m_strValue;
        m_dwFlags = CopyBits(m_dwFlags, other.m_dwFlags, fieldValueType.Bits());
    }
    if (take(inclFormat))
        m_dwNumber = CopyBits(m_dwNumber, other.m_dwNumber, dwFormatMask);
    if (take(inclPlaces))
        m_dwNumber = CopyBits(m_dwNumber, other.m_dwNumber, dwPlacesMask << nPlacesShift);
    if (take(inclBaseStyle))
        m_dwTextColor = CopyBits(m_dwTextColor, other.m_dwTextColor, dwBaseStyleBits);
    if (take(inclChoiceList))
        m_strChoiceList = other.m_strChoiceList;
    MergeUserAttributes(other, nMode);
    if (take(inclItemData))
        m_dwItemData = other.m_dwItemData;
    return *this;
}

// Side by side; in mode 1 a side this style has stays.
void CGXStyle::MergeBorders(const CGXStyle& other, int nMode)
{
    if (!other.GetInclude(inclBorders) || other.m_pBorders == nullptr)
        return;
    if (!GetInclude(inclBorders))
        SetIncludeBorders(GXBorder::All, FALSE);
    GXPenRecord* pBorders = EnsureBorders();
    for (int i = 0; i < nBorderSides; ++i)
        if (other.m_pBorders[i].IsSet() && (nMode == modeOverride || !pBorders[i].IsSet()))
            pBorders[i] = other.m_pBorders[i];
    m_dwInclude |= inclBorders;
}

void CGXStyle::MergeFont(const CGXStyle& other, int nMode)
{
    if (!other.GetInclude(inclFont) || other.m_pFont == nullptr)
        return;
    if (!GetInclude(inclFont) || m_pFont == nullptr)
    {
        delete m_pFont;
        m_pFont = nullptr;
        m_pFont = new CGXFont(*other.m_pFont);
    }
    else
    {
        m_pFont->ChangeFont(*other.m_pFont, nMode);
    }
    m_dwInclude |= inclFont;
}

void CGXStyle::MergeUserAttributes(const CGXStyle& other, int nMode)
{
    if (other.m_pUserAttributes == nullptr || other.m_pUserAttributes->IsEmpty())
        return;
    EnsureUserAttributes().ChangeMap(*other.m_pUserAttributes, nMode);
    m_dwInclude |= inclUserAttributes;
}

void CGXStyle::ExcludeFrom(const CGXStyle& other)
{
    constexpr DWORD dwMerged = inclBorders | inclFont | inclUserAttributes;
    if (other.GetInclude(inclValue))
        SetIncludeValue(FALSE);
    m_dwInclude &= ~(other.m_dwInclude & inclAttributeBits & ~dwMerged);

    if (GetInclude(inclBorders) && other.GetInclude(inclBorders) && other.m_pBorders != nullptr)
        for (int i = 0; i < nBorderSides; ++i)
            if (other.m_pBorders[i].IsSet())
                SetIncludeBorders(static_cast<GXBorder>(i), FALSE);
    if (GetInclude(inclFont) && other.GetInclude(inclFont) && m_pFont != nullptr && other.m_pFont != nullptr)
        m_pFont->ChangeFont(*other.m_pFont, modeExclude);
    if (m_pUserAttributes != nullptr && other.m_pUserAttributes != nullptr && !other.m_pUserAttributes->IsEmpty())
        m_pUserAttributes->ChangeMap(*other.m_pUserAttributes, modeExclude);
}

DWORD CGXStyle::GetIncludeBits() const
{
    return SwapFloatFlood(m_dwInclude & inclAttributeBits);
}

void CGXStyle::SetIncludeBits(DWORD dwArchiveBits)
{
    m_dwInclude = (m_dwInclude & ~inclAttributeBits) | SwapFloatFlood(dwArchiveBits & inclAttributeBits);
}

DWORD CGXStyle::GetFlags(int nShift, DWORD dwMask) const
{
    return (m_dwFlags >> nShift) & dwMask;
}

CGXStyle& CGXStyle::SetFlags(DWORD dwIncludeBit, int nShift, DWORD dwMask, DWORD dwValue)
{
    m_dwFlags = (m_dwFlags & ~(dwMask << nShift)) | ((dwValue & dwMask) << nShift);
    m_dwInclude |= dwIncludeBit;
    return *this;
}

CGXStyle& CGXStyle::SetHorizontalAlignment(int nAlign)
{
    const DWORD dwValue = nAlign == DT_CENTER ? 1 : nAlign == DT_RIGHT ? 2 : 0;
    return SetFlags(inclHorizontalAlignment, fieldHorizontalAlignment.nShift, fieldHorizontalAlignment.dwMask, dwValue);
}

int CGXStyle::GetHorizontalAlignment() const
{
    switch (GetFlags(fieldHorizontalAlignment.nShift, fieldHorizontalAlignment.dwMask))
    {
    case 1:
        return DT_CENTER;
    case 2:
        return DT_RIGHT;
    default:
        return DT_LEFT;
    }
}

CGXStyle& CGXStyle::SetVerticalAlignment(int nAlign)
{
    const DWORD dwValue = nAlign == DT_VCENTER ? 1 : nAlign == DT_BOTTOM ? 2 : 0;
    return SetFlags(inclVerticalAlignment, fieldVerticalAlignment.nShift, fieldVerticalAlignment.dwMask, dwValue);
}

int CGXStyle::GetVerticalAlignment() const
{
    switch (GetFlags(fieldVerticalAlignment.nShift, fieldVerticalAlignment.dwMask))
    {
    case 1:
        return DT_VCENTER;
    case 2:
        return DT_BOTTOM;
    default:
        return DT_TOP;
    }
}

#define GX_FLAG_ACCESSORS(Name, field, Type)                                                                           \
    CGXStyle& CGXStyle::Set##Name(Type value)                                                                          \
    {                                                                                                                  \
        return SetFlags(incl##Name, field.nShift, field.dwMask, static_cast<DWORD>(value));                            \
    }                                                                                                                  \
    Type CGXStyle::Get##Name() const                                                                                   \
    {                                                                                                                  \
        return static_cast<Type>(GetFlags(field.nShift, field.dwMask));                                                \
    }

GX_FLAG_ACCESSORS(ReadOnly, fieldReadOnly, BOOL)
GX_FLAG_ACCESSORS(WrapText, fieldWrapText, BOOL)
GX_FLAG_ACCESSORS(AllowEnter, fieldAllowEnter, BOOL)
GX_FLAG_ACCESSORS(VerticalScrollbar, fieldVerticalScrollbar, BOOL)
GX_FLAG_ACCESSORS(Enabled, fieldEnabled, BOOL)
GX_FLAG_ACCESSORS(TriState, fieldTriState, BOOL)
GX_FLAG_ACCESSORS(Draw3dFrame, fieldDraw3dFrame, int)
GX_FLAG_ACCESSORS(AutoSize, fieldAutoSize, BOOL)
GX_FLAG_ACCESSORS(FloodCell, fieldFloodCell, BOOL)
GX_FLAG_ACCESSORS(FloatCell, fieldFloatCell, BOOL)
GX_FLAG_ACCESSORS(MergeCell, fieldMergeCell, int)

#undef GX_FLAG_ACCESSORS

CGXStyle& CGXStyle::SetControl(WORD nControlId)
{
    m_nControl = nControlId;
    m_dwInclude |= inclControl;
    return *this;
}

WORD CGXStyle::GetControl() const
{
    return m_nControl;
}

CGXStyle& CGXStyle::SetInterior(const GXBrushRecord& brush)
{
    m_interior = brush;
    m_dwInclude |= inclInterior;
    return *this;
}

CGXStyle& CGXStyle::SetInteriorColor(COLORREF color)
{
    return SetInterior(GXBrushRecord().Set(GX_BRUSH_SOLID, color, 0));
}

const GXBrushRecord& CGXStyle::GetInterior() const
{
    return m_interior;
}

CGXStyle& CGXStyle::SetTextColor(COLORREF color)
{
    const GXColorCode code = GXEncodeColor(color);
    m_dwTextColor = (m_dwTextColor & ~dwTextColorBits) | code.dwColor;
    return SetFlags(inclTextColor, fieldTextColorKind.nShift, fieldTextColorKind.dwMask, code.nKind);
}

COLORREF CGXStyle::GetTextColor() const
{
    return GXEncodedColor(
        {m_dwTextColor & dwTextColorBits, GetFlags(fieldTextColorKind.nShift, fieldTextColorKind.dwMask)});
}

CGXStyle& CGXStyle::SetMaxLength(WORD nLength)
{
    m_nMaxLength = nLength;
    m_dwInclude |= inclMaxLength;
    return *this;
}

WORD CGXStyle::GetMaxLength() const
{
    return m_nMaxLength;
}

CGXStyle& CGXStyle::SetBaseStyle(WORD nBaseStyleId)
{
    m_dwTextColor = (m_dwTextColor & ~dwBaseStyleBits) | (static_cast<DWORD>(nBaseStyleId & 0xFF) << nBaseStyleShift);
    m_dwInclude |= inclBaseStyle;
    return *this;
}

WORD CGXStyle::GetBaseStyle() const
{
    return static_cast<WORD>(m_dwTextColor >> nBaseStyleShift);
}

CGXStyle& CGXStyle::SetItemData(DWORD dwItemData)
{
    m_dwItemData = dwItemData;
    m_dwInclude |= inclItemData;
    return *this;
}

DWORD CGXStyle::GetItemData() const
{
    return m_dwItemData;
}

CGXStyle& CGXStyle::SetFormat(int nFormat)
{
    m_dwNumber = (m_dwNumber & ~dwFormatMask) | (static_cast<DWORD>(nFormat) & dwFormatMask);
    m_dwInclude |= inclFormat;
    return *this;
}

int CGXStyle::GetFormat() const
{
    return static_cast<int>(m_dwNumber & dwFormatMask);
}

CGXStyle& CGXStyle::SetPlaces(int nPlaces)
{
    m_dwNumber =
        (m_dwNumber & ~(dwPlacesMask << nPlacesShift)) | ((static_cast<DWORD>(nPlaces) & dwPlacesMask) << nPlacesShift);
    m_dwInclude |= inclPlaces;
    return *this;
}

int CGXStyle::GetPlaces() const
{
    return static_cast<int>((m_dwNumber >> nPlacesShift) & dwPlacesMask);
}

CGXStyle& CGXStyle::SetValue(LPCTSTR pszValue)
{
    m_strValue = pszValue;
    return SetFlags(inclValue, fieldValueType.nShift, fieldValueType.dwMask, valueText);
}

CGXStyle& CGXStyle::SetValue(const CString& strValue)
{
    return SetValue(static_cast<LPCTSTR>(strValue));
}

CGXStyle& CGXStyle::SetValue(double dValue)
{
    CString strValue;
    strValue.Format(L"%.13g", dValue);
    GXGetAppDataPtr()->FixDecimalSeparator(strValue);
    m_strValue = strValue;
    return SetFlags(inclValue, fieldValueType.nShift, fieldValueType.dwMask, valueNumber);
}

CGXStyle& CGXStyle::SetValueLong(DWORD dwValue)
{
    m_strValue.Format(L"%lu", dwValue);
    return SetFlags(inclValue, fieldValueType.nShift, fieldValueType.dwMask, valueNumber);
}

UINT CGXStyle::GetValueType() const
{
    return GetFlags(fieldValueType.nShift, fieldValueType.dwMask);
}

CGXStyle& CGXStyle::SetValueType(UINT nType)
{
    m_dwFlags = (m_dwFlags & ~(fieldValueType.dwMask << fieldValueType.nShift)) |
                ((nType & fieldValueType.dwMask) << fieldValueType.nShift);
    return *this;
}

CGXStyle& CGXStyle::SetIncludeValue(BOOL bInclude)
{
    if (bInclude)
    {
        m_dwInclude |= inclValue;
    }
    else
    {
        m_dwInclude &= ~inclValue;
        m_strValue.Empty();
    }
    return *this;
}

CGXStyle& CGXStyle::SetChoiceList(const CString& strChoices)
{
    m_strChoiceList = strChoices;
    m_dwInclude |= inclChoiceList;
    return *this;
}

GXPenRecord* CGXStyle::EnsureBorders()
{
    if (m_pBorders == nullptr)
        m_pBorders = new GXPenRecord[nBorderSides];
    return m_pBorders;
}

CGXStyle& CGXStyle::SetBorders(GXBorder side, const GXPenRecord& pen)
{
    GXPenRecord* pBorders = EnsureBorders();
    if (side == GXBorder::All)
        std::fill(pBorders, pBorders + nBorderSides, pen);
    else
        pBorders[static_cast<int>(side)] = pen;
    m_dwInclude |= inclBorders;
    return *this;
}

CGXStyle& CGXStyle::SetBorders(const GXPenRecord* pFourPens)
{
    if (pFourPens == nullptr)
    {
        delete[] m_pBorders;
        m_pBorders = nullptr;
        m_dwInclude &= ~inclBorders;
        return *this;
    }
    std::copy(pFourPens, pFourPens + nBorderSides, EnsureBorders());
    m_dwInclude |= inclBorders;
    return *this;
}

CGXStyle& CGXStyle::SetIncludeBorders(GXBorder side, BOOL bSet)
{
    GXPenRecord* pBorders = EnsureBorders();
    if (side == GXBorder::All)
    {
        for (int i = 0; i < nBorderSides; ++i)
            pBorders[i].SetInclude(bSet);
    }
    else
    {
        pBorders[static_cast<int>(side)].SetInclude(bSet);
    }
    const bool bAnySide =
        std::any_of(pBorders, pBorders + nBorderSides, [](const GXPenRecord& p) { return p.IsSet(); });
    m_dwInclude = bAnySide ? (m_dwInclude | inclBorders) : (m_dwInclude & ~inclBorders);
    return *this;
}

BOOL CGXStyle::HasBorder(GXBorder side) const
{
    if (!GetInclude(inclBorders) || m_pBorders == nullptr)
        return FALSE;
    if (side == GXBorder::All)
        return std::any_of(m_pBorders, m_pBorders + nBorderSides, [](const GXPenRecord& p) { return p.IsSet(); });
    return m_pBorders[static_cast<int>(side)].IsSet();
}

const GXPenRecord& CGXStyle::GetBorders(GXBorder side) const
{
    if (m_pBorders == nullptr || side == GXBorder::All)
        return UnsetPen();
    return m_pBorders[static_cast<int>(side)];
}

CGXStyle& CGXStyle::SetFont(const CGXFont& font, int nMode)
{
    if (nMode == modeExclude)
    {
        if (GetInclude(inclFont) && m_pFont != nullptr)
            m_pFont->ChangeFont(font, modeExclude);
        return *this;
    }
    if (m_pFont == nullptr)
        m_pFont = new CGXFont(font);
    else
        m_pFont->ChangeFont(font, nMode);
    m_dwInclude |= inclFont;
    return *this;
}

const CGXFont& CGXStyle::GetFont() const
{
    static const CGXFont emptyFont;
    return m_pFont != nullptr ? *m_pFont : emptyFont;
}

CGXUserAttributeMap& CGXStyle::EnsureUserAttributes()
{
    if (m_pUserAttributes == nullptr)
        m_pUserAttributes = new CGXUserAttributeMap;
    return *m_pUserAttributes;
}

CGXStyle& CGXStyle::SetUserAttribute(WORD nId, const CString& strValue)
{
    CGXUserAttributeMap& map = EnsureUserAttributes();
    if (CGXAbstractUserAttribute* pAttribute = map.GetAttribute(nId))
        pAttribute->SetValue(strValue);
    else
        map.SetAttribute(nId, new CGXUserAttribute(strValue));
    m_dwInclude |= inclUserAttributes;
    return *this;
}

CGXStyle& CGXStyle::SetUserAttribute(WORD nId, const CGXAbstractUserAttribute& attribute)
{
    EnsureUserAttributes().SetAttributeClone(nId, attribute);
    m_dwInclude |= inclUserAttributes;
    return *this;
}

BOOL CGXStyle::HasUserAttribute(WORD nId) const
{
    return m_pUserAttributes != nullptr && m_pUserAttributes->FindIndex(nId) >= 0;
}

const CGXAbstractUserAttribute& CGXStyle::GetUserAttribute(WORD nId) const
{
    static const CGXUserAttribute emptyAttribute;
    const CGXAbstractUserAttribute* pAttribute =
        m_pUserAttributes != nullptr ? m_pUserAttributes->GetAttribute(nId) : nullptr;
    return pAttribute != nullptr ? *pAttribute : emptyAttribute;
}

CGXStyle& CGXStyle::SetUserAttributes(const CGXUserAttributeMap* pMap)
{
    if (pMap != nullptr && !pMap->IsEmpty())
    {
        EnsureUserAttributes().ChangeMap(*pMap, modeCopy);
        m_dwInclude |= inclUserAttributes;
        return *this;
    }
    delete m_pUserAttributes;
    m_pUserAttributes = nullptr;
    m_dwInclude &= ~inclUserAttributes;
    return *this;
}
