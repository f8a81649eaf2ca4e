// The archive records of styles, fonts, brushes and pens.
#include <grid/services/archive/StyleSerializeImp.h>

#include <grid/core/AppData.h>
#include <grid/core/CollMapDWordToString.h>
#include <grid/core/FontState.h>
#include <grid/core/Style.h>
#include <grid/core/StylesMap.h>
#include <grid/core/UserAttribute.h>
#include <grid/core/UserAttributeMap.h>
#include <grid/core/WordCount.h>
#include <grid/services/ControlFactory.h>
#include <grid/services/archive/RecordDescription.h>

#include <afxwin.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace
{
// The include word as the archive numbers it (FloatCell and FloodCell are swapped against the
// style object's bits).
enum ArchiveBit : DWORD
{
    HorizontalAlignment = 0x00000001,
    VerticalAlignment = 0x00000002,
    ReadOnly = 0x00000004,
    ControlId = 0x00000008,
    Interior = 0x00000010,
    TextColor = 0x00000020,
    WrapText = 0x00000040,
    AllowEnter = 0x00000080,
    Borders = 0x00000100,
    Font = 0x00000200,
    Value = 0x00000400,
    ChoicesList = 0x00000800,
    VerticalScrollbar = 0x00001000,
    MaxLength = 0x00002000,
    BaseStyle = 0x00004000,
    Enabled = 0x00008000,
    TriState = 0x00010000,
    Draw3dFrame = 0x00020000,
    AutoSize = 0x00080000,
    ItemData = 0x00100000,
    FloatCell = 0x00200000,
    FloodCell = 0x00400000,
    MergeCell = 0x00800000,
    Format = 0x01000000,
    Places = 0x02000000
};
static_assert(DWORD{FloatCell} == DWORD{CGXStyle::inclFloodCell} && DWORD{FloodCell} == DWORD{CGXStyle::inclFloatCell});

// The top bit of a style's schema word: its item data is eight bytes long.
constexpr WORD wWideItemData = 0x8000;
constexpr WORD wSchemaMask = 0x7FFF;

// Flags of a version 2 font record.
enum FontFlag : DWORD
{
    fontItalicSet = 0x001,
    fontUnderlineSet = 0x002,
    fontStrikeOutSet = 0x004,
    fontItalic = 0x008,
    fontUnderline = 0x010,
    fontStrikeOut = 0x020,
    fontWeight = 0x040,
    fontSize = 0x080,
    fontOrientation = 0x100,
    fontFace = 0x200
};

// Flags of a version 1 font record's mask: what of its LOGFONT counts as set.
enum OldFontFlag : DWORD
{
    oldWeight = 0x01,
    oldItalic = 0x02,
    oldUnderline = 0x04,
    oldStrikeOut = 0x08,
    oldSize = 0x10,
    oldFace = 0x20,
    oldOrientation = 0x40
};
constexpr int nOldFaceLength = 31;

constexpr int nBorderSides = 4;
constexpr DWORD dwMaxQuarterPoints = 1023;

[[noreturn]] void ThrowBadSchema()
{
    AfxThrowArchiveException(CArchiveException::badSchema);
}

void StoreFont(const CGXFont& font, CArchive& ar)
{
    DWORD dwFlags = 0;
    const struct
    {
        BOOL bSet;
        BOOL bOn;
        DWORD dwSet;
        DWORD dwOn;
    } switches[] = {{font.GetIncludeItalic(), font.GetItalic(), fontItalicSet, fontItalic},
                    {font.GetIncludeUnderline(), font.GetUnderline(), fontUnderlineSet, fontUnderline},
                    {font.GetIncludeStrikeOut(), font.GetStrikeOut(), fontStrikeOutSet, fontStrikeOut}};
    for (const auto& entry : switches)
    {
        if (entry.bSet)
            dwFlags |= entry.dwSet;
        if (entry.bOn)
            dwFlags |= entry.dwOn;
    }
    const GXFaceEntry* pFace =
        font.GetIncludeFaceName() ? GXGetFontState()->GetFaceEntry(font.GetFaceNameIndex()) : nullptr;
    if (font.GetIncludeWeight())
        dwFlags |= fontWeight;
    if (font.GetIncludeSize())
        dwFlags |= fontSize;
    if (font.GetIncludeOrientation())
        dwFlags |= fontOrientation;
    if (pFace != nullptr)
        dwFlags |= fontFace;

    ar << CGXStyleSerializeImp::nFontVersion << dwFlags;
    if (font.GetIncludeWeight())
        ar << static_cast<WORD>(font.GetWeight());
    if (font.GetIncludeSize())
        ar << static_cast<WORD>(font.GetSize() * 10);
    if (font.GetIncludeOrientation())
        ar << static_cast<WORD>(font.GetOrientation());
    if (pFace != nullptr)
        ar << CString(pFace->szName) << pFace->nPitchAndFamily << pFace->nCharSet;
}

// Tenths of a point come back as the nearest quarter point: the writer's truncation to tenths
// never moves a quarter point by half a step, so sizes survive the round trip.
double QuarterPointsOfTenths(WORD wTenths)
{
    const double dQuarters = std::min<double>(std::lround(wTenths * 0.4), dwMaxQuarterPoints);
    return dQuarters / 4;
}

void LoadFontVersion2(CGXFont& font, CArchive& ar)
{
    const DWORD dwFlags = GXReadArchiveValue<DWORD>(ar);
    if (dwFlags & fontItalicSet)
        font.SetItalic((dwFlags & fontItalic) != 0);
    if (dwFlags & fontUnderlineSet)
        font.SetUnderline((dwFlags & fontUnderline) != 0);
    if (dwFlags & fontStrikeOutSet)
        font.SetStrikeOut((dwFlags & fontStrikeOut) != 0);
    if (dwFlags & fontWeight)
        font.SetWeight(GXReadArchiveValue<WORD>(ar));
    if (dwFlags & fontSize)
        font.SetSize(QuarterPointsOfTenths(GXReadArchiveValue<WORD>(ar)));
    if (dwFlags & fontOrientation)
        font.SetOrientation(static_cast<SHORT>(GXReadArchiveValue<WORD>(ar)));
    if (dwFlags & fontFace)
    {
        const CString strFace = GXReadArchiveValue<CString>(ar);
        const BYTE nPitchAndFamily = GXReadArchiveValue<BYTE>(ar);
        const BYTE nCharSet = GXReadArchiveValue<BYTE>(ar);
        const UINT nIndex = GXGetFontState()->LookupFaceName(strFace, nPitchAndFamily, nCharSet);
        if (nIndex != GX_FACE_NONE)
            font.SetFaceNameIndex(nIndex);
    }
}

void LoadFontVersion1(CGXFont& font, CArchive& ar)
{
    LOGFONT lf = {};
    lf.lfHeight = static_cast<LONG>(GXReadArchiveValue<DWORD>(ar));
    lf.lfWeight = static_cast<LONG>(GXReadArchiveValue<DWORD>(ar));
    lf.lfItalic = GXReadArchiveValue<BYTE>(ar);
    lf.lfUnderline = GXReadArchiveValue<BYTE>(ar);
    lf.lfPitchAndFamily = GXReadArchiveValue<BYTE>(ar);
    const CString strFace = GXReadArchiveValue<CString>(ar).Left(nOldFaceLength);
    wcsncpy(lf.lfFaceName, strFace, LF_FACESIZE - 1);
    font.SetLogFont(lf);

    const DWORD dwMask = GXReadArchiveValue<DWORD>(ar);
    // What the mask does not name is taken out again.
    CGXFont unset;
    if (!(dwMask & oldWeight))
        unset.SetWeight(FW_NORMAL);
    if (!(dwMask & oldItalic))
        unset.SetItalic(FALSE);
    if (!(dwMask & oldUnderline))
        unset.SetUnderline(FALSE);
    if (!(dwMask & oldStrikeOut))
        unset.SetStrikeOut(FALSE);
    if (!(dwMask & oldSize))
        unset.SetSize(1);
    if (!(dwMask & oldFace))
        unset.SetFaceNameIndex(0);
    font.ChangeFont(unset, CGXStyle::modeExclude);
    font.SetOrientation((dwMask & oldOrientation) ? static_cast<LONG>(GXReadArchiveValue<DWORD>(ar)) : 0);
}

// A system colour is written as its current value under its marker, so that it comes back.
DWORD StoredColor(const GXColorCode& code)
{
    return GXEncodedColor(code);
}

void StoreBorders(const CGXStyle& style, CArchive& ar)
{
    const BOOL bBorders = style.GetInclude(CGXStyle::inclBorders);
    ar << static_cast<WORD>(bBorders ? 1 : 0);
    if (!bBorders)
        return;
    for (int i = 0; i < nBorderSides; ++i)
    {
        const GXBorder side = static_cast<GXBorder>(i);
        const BOOL bSet = style.HasBorder(side);
        ar << static_cast<WORD>(bSet ? 1 : 0);
        if (bSet)
            ar << GXWriteStyleDescription(style.GetBorders(side));
    }
}

void LoadBorders(CGXStyle& style, CArchive& ar)
{
    if (GXReadArchiveValue<WORD>(ar) == 0)
        return;
    for (int i = 0; i < nBorderSides; ++i)
    {
        if (GXReadArchiveValue<WORD>(ar) == 0)
            continue;
        GXPenRecord pen;
        style.SetBorders(static_cast<GXBorder>(i), GXParseStyleDescription(pen, GXReadArchiveValue<CString>(ar)));
    }
}

void StoreBaseStyle(const CGXStyle& style, CArchive& ar, const CGXStylesMap* pStylesMap)
{
    UINT nResourceId = 0;
    LPCTSTR pszName = pStylesMap != nullptr ? pStylesMap->GetStyleName(style.GetBaseStyle(), nResourceId) : nullptr;
    ar << static_cast<DWORD>(nResourceId);
    if (nResourceId == 0)
        ar << CString(pszName);
}

void LoadBaseStyle(CGXStyle& style, CArchive& ar, const CGXStylesMap* pStylesMap)
{
    const DWORD dwResourceId = GXReadArchiveValue<DWORD>(ar);
    const CString strName = dwResourceId == 0 ? GXReadArchiveValue<CString>(ar) : CString();
    if (pStylesMap == nullptr)
        return;
    WORD nId = 0;
    if (dwResourceId != 0)
        nId = pStylesMap->LookupResourceId(dwResourceId);
    else if (!strName.IsEmpty())
        nId = pStylesMap->LookupStyleId(strName);
    style.SetBaseStyle(nId);
}

// Flags of one byte each, in their order in the record: include bit, getter, setter.
struct ByteAttribute
{
    DWORD dwBit;
    BOOL (CGXStyle::*pGet)() const;
    CGXStyle& (CGXStyle::*pSet)(BOOL);
};

void StoreStyle(const CGXStyle& style, CArchive& ar, const CGXStylesMap* pStylesMap)
{
    const DWORD dwBits = style.GetIncludeBits();
    ar << CGXStyleSerializeImp::nStyleSchema << dwBits;
    if (dwBits & HorizontalAlignment)
        ar << static_cast<DWORD>(style.GetHorizontalAlignment());
    if (dwBits & VerticalAlignment)
        ar << static_cast<DWORD>(style.GetVerticalAlignment());
    if (dwBits & ReadOnly)
        ar << static_cast<BYTE>(style.GetReadOnly());
    if (dwBits & ControlId)
        ar << static_cast<DWORD>(style.GetControl());
    if (dwBits & Interior)
        ar << style.GetInterior();
    if (dwBits & TextColor)
        // The link to a system colour is not kept: its current value goes, with top byte 0.
        ar << static_cast<DWORD>(GXResolveColor(style.GetTextColor()));
    if (dwBits & WrapText)
        ar << static_cast<BYTE>(style.GetWrapText());
    if (dwBits & AllowEnter)
        ar << static_cast<BYTE>(style.GetAllowEnter());
    if (dwBits & Font)
        ar.WriteOwnedObject(&style.GetFont());
    if (dwBits & Value)
        ar << style.GetValue();
    if (dwBits & ChoicesList)
        ar << style.GetChoiceList();
    if (dwBits & VerticalScrollbar)
        ar << static_cast<BYTE>(style.GetVerticalScrollbar());
    if (dwBits & MaxLength)
        ar << style.GetMaxLength();
    if (dwBits & Enabled)
        ar << static_cast<BYTE>(style.GetEnabled());
    if (dwBits & TriState)
        ar << static_cast<BYTE>(style.GetTriState());
    if (dwBits & Draw3dFrame)
        ar << static_cast<BYTE>(style.GetDraw3dFrame());
    if (dwBits & AutoSize)
        ar << static_cast<BYTE>(style.GetAutoSize());
    StoreBorders(style, ar);
    if (dwBits & BaseStyle)
        StoreBaseStyle(style, ar, pStylesMap);
    ar.WriteOwnedObject(style.GetUserAttributeMap());
    if (dwBits & FloatCell)
        ar << static_cast<BYTE>(style.GetFloatCell());
    if (dwBits & FloodCell)
        ar << static_cast<BYTE>(style.GetFloodCell());
    if (dwBits & MergeCell)
        ar << static_cast<BYTE>(style.GetMergeCell());
    if (dwBits & ItemData)
        ar << style.GetItemData();
    if (dwBits & Format)
        ar << static_cast<BYTE>(style.GetFormat());
    if (dwBits & Places)
        ar << static_cast<BYTE>(style.GetPlaces());
    if (dwBits & Value)
        ar << static_cast<BYTE>(style.GetValueType());
}

void LoadUserAttributes(CGXStyle& style, CArchive& ar, WORD wSchema)
{
    if (wSchema <= 4)
    {
        CGXAbstractSerializeTW5CompatibleImp* pImp = GXGetAppDataPtr()->m_pSerializeTW5CompatibleImp;
        if (pImp == nullptr)
            ThrowBadSchema();
        pImp->ReadUserAttributes(style, ar);
        return;
    }
    const std::unique_ptr<CGXUserAttributeMap> pMap(
        static_cast<CGXUserAttributeMap*>(ar.ReadOwnedObject(RUNTIME_CLASS(CGXUserAttributeMap))));
    style.SetUserAttributes(nullptr);
    style.SetUserAttributes(pMap.get());
}

void LoadStyle(CGXStyle& style, CArchive& ar, const CGXStylesMap* pStylesMap)
{
    // Every test against a schema number below takes the whole word, so a word with the top
    // bit set reads as the newest schema.
    const WORD wSchema = GXReadArchiveValue<WORD>(ar);
    if ((wSchema & wSchemaMask) > CGXStyleSerializeImp::nStyleSchema)
        ThrowBadSchema();
    const DWORD dwBits = GXReadArchiveValue<DWORD>(ar);
    if (dwBits == 0)
        style.Free();
    else
        style.SetIncludeBits(dwBits);

    if (dwBits & HorizontalAlignment)
        style.SetHorizontalAlignment(static_cast<int>(GXReadArchiveValue<DWORD>(ar)));
    if (dwBits & VerticalAlignment)
        style.SetVerticalAlignment(static_cast<int>(GXReadArchiveValue<DWORD>(ar)));
    if (dwBits & ReadOnly)
        style.SetReadOnly(GXReadArchiveValue<BYTE>(ar));
    if (dwBits & ControlId)
        style.SetControl(static_cast<WORD>(GXReadArchiveValue<DWORD>(ar)));
    if (dwBits & Interior)
    {
        GXBrushRecord brush;
        ar >> brush;
        style.SetInterior(brush);
    }
    if (dwBits & TextColor)
        style.SetTextColor(GXReadArchiveValue<DWORD>(ar));
    if (dwBits & WrapText)
        style.SetWrapText(GXReadArchiveValue<BYTE>(ar));
    if (dwBits & AllowEnter)
        style.SetAllowEnter(GXReadArchiveValue<BYTE>(ar));
    if (dwBits & Font)
    {
        const std::unique_ptr<CGXFont> pFont(static_cast<CGXFont*>(ar.ReadOwnedObject(RUNTIME_CLASS(CGXFont))));
        if (pFont != nullptr)
            style.SetFont(*pFont, CGXStyle::modeCopy);
        else
            // The bit says nothing without a font.
            style.SetIncludeBits(style.GetIncludeBits() & ~DWORD{Font});
    }
    if (dwBits & Value)
        style.SetValue(GXReadArchiveValue<CString>(ar)).SetValueType(CGXStyle::valueText);
    if (dwBits & ChoicesList)
        style.SetChoiceList(GXReadArchiveValue<CString>(ar));
    if (dwBits & VerticalScrollbar)
        style.SetVerticalScrollbar(GXReadArchiveValue<BYTE>(ar));
    if (dwBits & MaxLength)
        style.SetMaxLength(GXReadArchiveValue<WORD>(ar));
    if (dwBits & Enabled)
        style.SetEnabled(GXReadArchiveValue<BYTE>(ar));
    if (dwBits & TriState)
        style.SetTriState(GXReadArchiveValue<BYTE>(ar));
    if (dwBits & Draw3dFrame)
        style.SetDraw3dFrame(GXReadArchiveValue<BYTE>(ar));
    if (dwBits & AutoSize)
        style.SetAutoSize(GXReadArchiveValue<BYTE>(ar));
    LoadBorders(style, ar);
    if (dwBits & BaseStyle)
        LoadBaseStyle(style, ar, pStylesMap);
    LoadUserAttributes(style, ar, wSchema);

    if (wSchema >= 2)
    {
        if (dwBits & FloatCell)
            style.SetFloatCell(GXReadArchiveValue<BYTE>(ar));
        if (dwBits & FloodCell)
            style.SetFloodCell(GXReadArchiveValue<BYTE>(ar));
        if (dwBits & MergeCell)
            style.SetMergeCell(GXReadArchiveValue<BYTE>(ar));
    }
    if (wSchema >= 3 && (dwBits & ItemData))
    {
        style.SetItemData(GXReadArchiveValue<DWORD>(ar));
        if (wSchema & wWideItemData)
            GXReadArchiveValue<DWORD>(ar); // the high half
    }
    if (wSchema >= 4 && wSchema <= 5)
    {
        // Older records keep the places with the format.
        if (dwBits & Format)
        {
            style.SetFormat(GXReadArchiveValue<BYTE>(ar));
            style.SetPlaces(GXReadArchiveValue<BYTE>(ar));
        }
    }
    else if (wSchema >= 6)
    {
        if (dwBits & Format)
            style.SetFormat(GXReadArchiveValue<BYTE>(ar));
        if (dwBits & Places)
            style.SetPlaces(GXReadArchiveValue<BYTE>(ar));
    }
    if (wSchema >= 4 && (dwBits & Value))
        style.SetValueType(GXReadArchiveValue<BYTE>(ar) & 7);
}
} // namespace

void CGXStyleSerializeImp::SerializeFont(CGXFont& font, CArchive& ar)
{
    if (ar.IsStoring())
    {
        StoreFont(font, ar);
        return;
    }
    const WORD wVersion = GXReadArchiveValue<WORD>(ar);
    if (wVersion > nFontVersion)
        ThrowBadSchema();
    font = CGXFont();
    if (wVersion == 1)
        LoadFontVersion1(font, ar);
    else
        LoadFontVersion2(font, ar);
}

void CGXStyleSerializeImp::SerializeBrush(GXBrushRecord& brush, CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << static_cast<DWORD>(brush.GetStyle()) << StoredColor(brush.GetBkColorCode())
           << static_cast<DWORD>(brush.GetHatch()) << static_cast<DWORD>(brush.GetPattern())
           << StoredColor(brush.GetColorCode());
        return;
    }
    const UINT nStyle = GXReadArchiveValue<DWORD>(ar) & 3;
    const COLORREF bkColor = GXReadArchiveValue<DWORD>(ar);
    const UINT nHatch = GXReadArchiveValue<DWORD>(ar) & 7;
    const UINT nPattern = GXReadArchiveValue<DWORD>(ar) & 0x7F;
    // Only the known patterns have a bitmap to draw with.
    const BOOL bHollow = nStyle == GX_BRUSH_PATTERN && nPattern >= GX_PATTERN_COUNT;
    const COLORREF color = GXReadArchiveValue<DWORD>(ar);
    brush.SetPattern(nPattern).SetStyle(bHollow ? GX_BRUSH_HOLLOW : nStyle).SetHatch(nHatch);
    brush.SetBkColor(bkColor).SetColor(color);
}

void CGXStyleSerializeImp::SerializePen(GXPenRecord& pen, CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << static_cast<DWORD>(pen.GetStyle()) << static_cast<WORD>(pen.GetWidth())
           << static_cast<WORD>(pen.IsSet() ? 1 : 0) << StoredColor(pen.GetColorCode());
        return;
    }
    const UINT nStyle = GXReadArchiveValue<DWORD>(ar) & 7;
    const WORD wWidth = GXReadArchiveValue<WORD>(ar);
    const WORD wSet = GXReadArchiveValue<WORD>(ar);
    pen.SetStyle(wSet != 0 ? nStyle : GX_PEN_UNSET).SetWidth(wWidth).SetColor(GXReadArchiveValue<DWORD>(ar));
}

void CGXStyleSerializeImp::SerializeStyle(CGXStyle& style, CArchive& ar, const CGXStylesMap* pStylesMap)
{
    if (pStylesMap == nullptr)
        pStylesMap = GXStylesMapOfArchive(ar);
    if (ar.IsStoring())
        StoreStyle(style, ar, pStylesMap);
    else
        LoadStyle(style, ar, pStylesMap);
}

void CGXSerializeTW5CompatibleImp::ReadUserAttributes(CGXStyle& style, CArchive& ar)
{
    const std::unique_ptr<CGXCollMapDWordToString> pOld(
        static_cast<CGXCollMapDWordToString*>(ar.ReadOwnedObject(RUNTIME_CLASS(CGXCollMapDWordToString))));
    if (pOld == nullptr)
        return;
    CGXUserAttributeMap map;
    for (POSITION pos = pOld->GetStartPosition(); pos != nullptr;)
    {
        DWORD dwId = 0;
        CString strText;
        pOld->GetNextAssoc(pos, dwId, strText);
        map.SetAttribute(static_cast<WORD>(dwId), new CGXUserAttribute(strText));
    }
    map.Sort();
    style.SetUserAttributes(nullptr);
    style.SetUserAttributes(&map);
}

void GXInstallStyleSerializeImp()
{
    GXInstallImp<CGXStyleSerializeImp>(GXGetAppDataPtr()->m_pStyleSerializeImp);
}

void GXInstallSerializeTW5CompatibleImp()
{
    GXInstallImp<CGXSerializeTW5CompatibleImp>(GXGetAppDataPtr()->m_pSerializeTW5CompatibleImp);
}

const CGXStylesMap* GXStylesMapOfArchive(CArchive& ar)
{
    // The pointer holds either a real document or a styles map put there by the scope below.
    CObject* pObject = reinterpret_cast<CObject*>(ar.m_pDocument);
    return pObject != nullptr && pObject->IsKindOf(RUNTIME_CLASS(CGXStylesMap)) ? static_cast<CGXStylesMap*>(pObject)
                                                                                : nullptr;
}

CGXArchiveStylesMapScope::CGXArchiveStylesMapScope(CArchive& ar, const CGXStylesMap* pStylesMap)
    : m_ar(ar), m_pOldDocument(ar.m_pDocument)
{
    ar.m_pDocument = reinterpret_cast<CDocument*>(const_cast<CObject*>(static_cast<const CObject*>(pStylesMap)));
}

CGXArchiveStylesMapScope::~CGXArchiveStylesMapScope()
{
    m_ar.m_pDocument = m_pOldDocument;
}
