// Keeping base styles and grid properties in the application's profile.
#include <grid/services/archive/GridProfileImp.h>

#include <grid/core/AppData.h>
#include <grid/core/Font.h>
#include <grid/core/Properties.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>
#include <grid/core/StylesMap.h>
#include <grid/core/UserAttributeMap.h>
#include <grid/services/ControlFactory.h>
#include <grid/services/archive/RecordDescription.h>

#include <cwchar>
#include <memory>
#include <vector>

namespace
{
// Registry keys closed when their holder goes.
class RegKey
{
public:
    explicit RegKey(HKEY hKey = nullptr) : m_hKey(hKey)
    {
    }
    ~RegKey()
    {
        if (m_hKey != nullptr)
            ::RegCloseKey(m_hKey);
    }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    HKEY* operator&()
    {
        return &m_hKey;
    }
    operator HKEY() const
    {
        return m_hKey;
    }

private:
    HKEY m_hKey;
};

BOOL IsRegistry()
{
    return AfxGetApp()->m_pszRegistryKey != nullptr;
}

// Without an application there is no profile: nothing is read or written.
BOOL HasProfile()
{
    return AfxGetApp() != nullptr;
}

CString GetValue(LPCTSTR pszSection, LPCTSTR pszEntry)
{
    return AfxGetApp()->GetProfileString(pszSection, pszEntry, _T(""));
}

void WriteValue(LPCTSTR pszSection, LPCTSTR pszEntry, LPCTSTR pszValue)
{
    AfxGetApp()->WriteProfileString(pszSection, pszEntry, pszValue);
}

CString Number(LPCTSTR pszFormat, DWORD dwValue)
{
    CString strText;
    strText.Format(pszFormat, dwValue);
    return strText;
}

// The names of the sub-keys of the section's key; FALSE without the application's key or the
// section's key.
BOOL RegistrySubKeys(LPCTSTR pszSection, CStringArray* pNames)
{
    const RegKey appKey(AfxGetApp()->GetAppRegistryKey());
    if (appKey == nullptr)
        return FALSE;
    RegKey sectionKey;
    if (::RegOpenKeyExW(appKey, pszSection, 0, KEY_READ, &sectionKey) != ERROR_SUCCESS)
        return FALSE;
    WCHAR szName[1024];
    for (DWORD i = 0; pNames != nullptr && ::RegEnumKeyW(sectionKey, i, szName, 1024) == ERROR_SUCCESS; ++i)
        pNames->Add(szName);
    return TRUE;
}

// The value names of an INI section, read after the framework's cache is flushed; the buffer
// grows until the names fit.
void IniValueNames(LPCTSTR pszSection, CStringArray& names)
{
    LPCTSTR pszFile = AfxGetApp()->m_pszProfileName;
    ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, pszFile);
    std::vector<WCHAR> buffer(1024);
    for (;;)
    {
        const DWORD nSize = static_cast<DWORD>(buffer.size());
        const DWORD nRead = ::GetPrivateProfileStringW(pszSection, nullptr, L"", buffer.data(), nSize, pszFile);
        if (nRead + 2 < nSize)
            break;
        buffer.resize(buffer.size() * 2);
    }
    for (LPCWSTR p = buffer.data(); *p != 0; p += wcslen(p) + 1)
        names.Add(p);
}

// "#<string id>" or the name.
CString StyleKey(const CString& strName, UINT nResourceId)
{
    return nResourceId != 0 ? Number(_T("#%u"), nResourceId) : strName;
}

CString StyleSection(const CString& strSection, const CString& strKey)
{
    return strSection + (IsRegistry() ? _T("\\") : _T(".")) + strKey;
}

// A choice list on one line: CR dropped, LF as "\n", backslashes doubled.
CString EscapeChoices(const CString& strChoices)
{
    CString strOut;
    for (int i = 0; i < strChoices.GetLength(); ++i)
    {
        const TCHAR ch = strChoices[i];
        if (ch == _T('\n'))
            strOut += _T("\\n");
        else if (ch == _T('\\'))
            strOut += _T("\\\\");
        else if (ch != _T('\r'))
            strOut += ch;
    }
    return strOut;
}

CString UnescapeChoices(const CString& strText)
{
    CString strOut;
    for (int i = 0; i < strText.GetLength(); ++i)
    {
        const TCHAR ch = strText[i];
        const TCHAR chNext = i + 1 < strText.GetLength() ? strText[i + 1] : 0;
        if (ch == _T('\\') && chNext == _T('\\'))
            strOut += _T('\\'), ++i;
        else if (ch == _T('\\') && chNext == _T('n'))
            strOut += _T("\r\n"), ++i;
        else
            strOut += ch;
    }
    return strOut;
}

// Up to nMax blank-separated numbers; how many were found.
int ParseNumbers(LPCTSTR psz, long* pnValues, int nMax, TCHAR chSeparator)
{
    int n = 0;
    while (*psz == _T(' '))
        ++psz;
    while (n < nMax)
    {
        LPTSTR pszEnd = nullptr;
        const long nValue = wcstol(psz, &pszEnd, 10);
        if (pszEnd == psz)
            break;
        pnValues[n++] = nValue;
        psz = pszEnd;
        if (chSeparator != _T(' '))
        {
            if (*psz != chSeparator)
                break;
            ++psz;
        }
        while (*psz == _T(' '))
            ++psz;
    }
    return n;
}

// The base style's key, or empty when the styles map does not know it.
CString BaseStyleText(const CGXStyle& style, const CGXStylesMap& stylesMap)
{
    UINT nResourceId = 0;
    LPCTSTR pszName = stylesMap.GetStyleName(style.GetBaseStyle(), nResourceId);
    if (pszName == nullptr)
        return CString();
    return nResourceId != 0 ? Number(_T("#%lu"), nResourceId) : CString(pszName);
}

WORD LookupBaseStyle(const CString& strText, const CGXStylesMap& stylesMap)
{
    if (strText[0] == _T('#'))
        return stylesMap.LookupResourceId(static_cast<UINT>(_wtol(static_cast<LPCTSTR>(strText) + 1)));
    return stylesMap.LookupStyleId(strText);
}

// The style attributes kept as one value each, in the order in which they are written.
struct StyleValue
{
    LPCTSTR pszName;
    DWORD dwInclude;
    CString (*pfnWrite)(const CGXStyle& style);
    void (*pfnRead)(CGXStyle& style, const CString& strText);
};

// One number, of the bits a mask keeps.
#define GX_NUMBER_VALUE(name, incl, getter, setter, mask, type)                                                       \
    {                                                                                                                  \
        _T(name), CGXStyle::incl,                                                                                      \
            [](const CGXStyle& s) { return Number(_T("%lu"), static_cast<DWORD>(s.getter())); },                      \
            [](CGXStyle& s, const CString& t) { s.setter(static_cast<type>(_wtol(t) & (mask))); }                      \
    }

const StyleValue styleValues[] = {
    GX_NUMBER_VALUE("HorizontalAlignment", inclHorizontalAlignment, GetHorizontalAlignment, SetHorizontalAlignment,
                    0xFFFFFFFF, int),
    GX_NUMBER_VALUE("VerticalAlignment", inclVerticalAlignment, GetVerticalAlignment, SetVerticalAlignment, 0xFFFFFFFF,
                    int),
    GX_NUMBER_VALUE("ReadOnly", inclReadOnly, GetReadOnly, SetReadOnly, 1, BOOL),
    GX_NUMBER_VALUE("FloatCell", inclFloatCell, GetFloatCell, SetFloatCell, 1, BOOL),
    GX_NUMBER_VALUE("FloodCell", inclFloodCell, GetFloodCell, SetFloodCell, 1, BOOL),
    GX_NUMBER_VALUE("MergeCell", inclMergeCell, GetMergeCell, SetMergeCell, 7, int),
    GX_NUMBER_VALUE("Draw3dFrame", inclDraw3dFrame, GetDraw3dFrame, SetDraw3dFrame, 3, int),
    GX_NUMBER_VALUE("ControlId", inclControl, GetControl, SetControl, 0xFFFF, WORD),
    GX_NUMBER_VALUE("MaxLength", inclMaxLength, GetMaxLength, SetMaxLength, 0xFFFF, WORD),
    GX_NUMBER_VALUE("VerticalScrollbar", inclVerticalScrollbar, GetVerticalScrollbar, SetVerticalScrollbar, 1, BOOL),
    {_T("BaseStyle"), CGXStyle::inclBaseStyle, nullptr, nullptr},
    {_T("TextColor"), CGXStyle::inclTextColor,
     [](const CGXStyle& s) {
         const COLORREF color = s.GetTextColor();
         CString strText;
         strText.Format(_T("%d %d %d"), GetRValue(color), GetGValue(color), GetBValue(color));
         return strText;
     },
     [](CGXStyle& s, const CString& t) {
         long anRgb[3];
         if (ParseNumbers(t, anRgb, 3, _T(' ')) == 3)
             s.SetTextColor(RGB(anRgb[0], anRgb[1], anRgb[2]));
     }},
    GX_NUMBER_VALUE("WrapText", inclWrapText, GetWrapText, SetWrapText, 1, BOOL),
    GX_NUMBER_VALUE("AutoSize", inclAutoSize, GetAutoSize, SetAutoSize, 1, BOOL),
    GX_NUMBER_VALUE("AllowEnter", inclAllowEnter, GetAllowEnter, SetAllowEnter, 1, BOOL),
    GX_NUMBER_VALUE("Enabled", inclEnabled, GetEnabled, SetEnabled, 1, BOOL),
    GX_NUMBER_VALUE("TriState", inclTriState, GetTriState, SetTriState, 1, BOOL),
    {_T("Value"), CGXStyle::inclValue, [](const CGXStyle& s) { return s.GetValue(); },
     [](CGXStyle& s, const CString& t) { s.SetValue(t); }},
    {_T("Interior"), CGXStyle::inclInterior, [](const CGXStyle& s) { return GetBrushRecordDescription(s.GetInterior()); },
     [](CGXStyle& s, const CString& t) {
         GXBrushRecord brush;
         s.SetInterior(SetBrushRecordDescription(brush, t));
     }},
    GX_NUMBER_VALUE("Format", inclFormat, GetFormat, SetFormat, 31, int),
    GX_NUMBER_VALUE("Places", inclPlaces, GetPlaces, SetPlaces, 15, int),
    {_T("ChoicesList"), CGXStyle::inclChoiceList, [](const CGXStyle& s) { return EscapeChoices(s.GetChoiceList()); },
     [](CGXStyle& s, const CString& t) { s.SetChoiceList(UnescapeChoices(t)); }},
};

#undef GX_NUMBER_VALUE

const struct
{
    LPCTSTR pszName;
    GXBorder side;
} borderValues[] = {
    {_T("Top"), GXBorder::Top},
    {_T("Left"), GXBorder::Left},
    {_T("Bottom"), GXBorder::Bottom},
    {_T("Right"), GXBorder::Right},
};

// The display settings and the print settings, each as "%ld".
using PropertySetting = std::pair<LPCTSTR, int CGXProperties::*>;
const PropertySetting displaySettings[] = {
    {_T("MarkColumnHeader"), &CGXProperties::m_bMarkColHeader}, {_T("MarkRowHeader"), &CGXProperties::m_bMarkRowHeader},
    {_T("3dHeader"), &CGXProperties::m_b3dHeader},            {_T("HorizontalLines"), &CGXProperties::m_bHorizontalLines},
    {_T("VerticalLines"), &CGXProperties::m_bVerticalLines},
};
const PropertySetting printSettings[] = {
    {_T("Page Order"), &CGXProperties::m_nPageOrder},
    {_T("Print Vertical Lines"), &CGXProperties::m_bPrintVertLines},
    {_T("Print Horizontal Lines"), &CGXProperties::m_bPrintHorzLines},
    {_T("Print Only Black&White"), &CGXProperties::m_bPrintBlackWhite},
    {_T("Print Row Headers"), &CGXProperties::m_bPrintRowHeaders},
    {_T("Print Column Headers"), &CGXProperties::m_bPrintColHeaders},
    {_T("Center Vertical"), &CGXProperties::m_bCenterVertical},
    {_T("Center Horizontal"), &CGXProperties::m_bCenterHorizontal},
    {_T("Print Frame"), &CGXProperties::m_bPrintFrame},
};

void WriteSettings(const CGXProperties& properties, const PropertySetting* pSettings, size_t nCount)
{
    for (size_t i = 0; i < nCount; ++i)
        WriteValue(properties.m_strSection, pSettings[i].first,
                   Number(_T("%ld"), static_cast<DWORD>(properties.*pSettings[i].second)));
}

void ReadSettings(CGXProperties& properties, const PropertySetting* pSettings, size_t nCount)
{
    for (size_t i = 0; i < nCount; ++i)
    {
        const CString strText = GetValue(properties.m_strSection, pSettings[i].first);
        if (!strText.IsEmpty())
            properties.*pSettings[i].second = static_cast<int>(_wtol(strText));
    }
}

// "a,b,...": the numbers up to the first missing comma replace the first values.
void ReadNumberList(const CString& strText, int* pnValues, int nCount)
{
    long anRead[4];
    const int nRead = ParseNumbers(strText, anRead, nCount, _T(','));
    for (int i = 0; i < nRead; ++i)
        pnValues[i] = static_cast<int>(anRead[i]);
}
} // namespace

void GXInstallGridProfileImp()
{
    GXInstallImp<CGXGridProfileImp>(GXGetAppDataPtr()->m_pGridProfileImp);
}

BOOL CGXGridProfileImp::WriteStylesMapToProfile(const CGXStylesMap& stylesMap)
{
    if (!HasProfile())
        return FALSE;
    const CString& strSection = stylesMap.m_strProfileSection;
    CStringArray oldKeys;
    if (IsRegistry())
    {
        // Collected first: deleting while enumerating would skip every second key.
        RegistrySubKeys(strSection, &oldKeys);
        const RegKey appKey(AfxGetApp()->GetAppRegistryKey());
        for (INT_PTR i = 0; appKey != nullptr && i < oldKeys.GetSize(); ++i)
            ::RegDeleteKeyW(appKey, StyleSection(strSection, oldKeys[i]));
    }
    else
    {
        IniValueNames(strSection, oldKeys);
        for (INT_PTR i = 0; i < oldKeys.GetSize(); ++i)
            WriteValue(StyleSection(strSection, oldKeys[i]), nullptr, nullptr);
        WriteValue(strSection, nullptr, nullptr);
    }

    for (POSITION pos = stylesMap.GetStartPosition(); pos != nullptr;)
    {
        WORD nId = 0;
        CString strName;
        CGXStyle* pStyle = nullptr;
        UINT nResourceId = 0;
        stylesMap.GetNextStyle(pos, nId, strName, pStyle, nResourceId);
        const CString strKey = StyleKey(strName, nResourceId);
        if (!IsRegistry())
            WriteValue(strSection, strKey, _T("1"));
        WriteStyleToProfile(*pStyle, StyleSection(strSection, strKey), &stylesMap);
    }
    return TRUE;
}

void CGXGridProfileImp::WriteFontToProfile(const CGXFont& font, LPCTSTR pszSection, LPCTSTR pszEntry)
{
    if (pszSection != nullptr && pszEntry != nullptr && HasProfile())
        WriteValue(pszSection, pszEntry, font.GetDescription());
}

BOOL CGXGridProfileImp::WriteStyleToProfile(const CGXStyle& style, LPCTSTR pszSection, const CGXStylesMap* pStylesMap)
{
    if (pszSection == nullptr || !HasProfile())
        return FALSE;
    for (const StyleValue& value : styleValues)
    {
        CString strText;
        BOOL bWrite = style.GetInclude(value.dwInclude);
        if (bWrite && value.pfnWrite != nullptr)
            strText = value.pfnWrite(style);
        else if (bWrite && pStylesMap != nullptr)
            strText = BaseStyleText(style, *pStylesMap);
        // A base style goes without a styles map, or when the map does not know it.
        if (value.pfnWrite == nullptr && strText.IsEmpty())
            bWrite = FALSE;
        WriteValue(pszSection, value.pszName, bWrite ? static_cast<LPCTSTR>(strText) : nullptr);
    }
    if (style.GetInclude(CGXStyle::inclFont))
        WriteFontToProfile(style.GetFont(), pszSection, _T("Font"));
    else
        WriteValue(pszSection, _T("Font"), nullptr);
    if (style.GetInclude(CGXStyle::inclBorders))
    {
        WriteValue(pszSection, _T("Borders"), _T("1"));
        for (const auto& border : borderValues)
            WriteValue(pszSection, border.pszName,
                       style.HasBorder(border.side) ? static_cast<LPCTSTR>(GXWriteStyleDescription(style.GetBorders(border.side)))
                                                   : nullptr);
    }
    else
        WriteValue(pszSection, _T("Borders"), nullptr);
    if (const CGXUserAttributeMap* pAttributes = style.GetUserAttributeMap())
        pAttributes->WriteProfile(pszSection);
    return TRUE;
}

void CGXGridProfileImp::WritePropertiesToProfile(const CGXProperties& properties)
{
    if (!HasProfile())
        return;
    const CString& strSection = properties.m_strSection;
    for (INT_PTR i = 0; i < properties.m_asColorNames.GetSize() && i < properties.m_adwColors.GetSize(); ++i)
        WriteValue(strSection, properties.m_asColorNames[i], Number(_T("%lu"), properties.m_adwColors[i]));
    WriteSettings(properties, displaySettings, std::size(displaySettings));
    for (POSITION pos = properties.m_mapUserProperties.GetStartPosition(); pos != nullptr;)
    {
        WORD nId = 0;
        void* pInfo = nullptr;
        properties.m_mapUserProperties.GetNextAssoc(pos, nId, pInfo);
        const auto* pProperty = static_cast<const CGXProperties::UserPropertyInfo*>(pInfo);
        if (pProperty->pStyle != nullptr && pProperty->pStyle->GetInclude(CGXStyle::inclValue))
            WriteValue(strSection, Number(_T("UP%u"), nId), pProperty->pStyle->GetValue());
    }
    WriteSettings(properties, printSettings, std::size(printSettings));
    CString strText;
    strText.Format(_T("%ld,%ld,%ld,%ld"), static_cast<long>(properties.m_anMargins[0]),
                   static_cast<long>(properties.m_anMargins[1]), static_cast<long>(properties.m_anMargins[2]),
                   static_cast<long>(properties.m_anMargins[3]));
    WriteValue(strSection, _T("Margins"), strText);
    WriteValue(strSection, _T("Start Page Numbering"), Number(_T("%ld"), static_cast<DWORD>(properties.m_nFirstPage)));
    strText.Format(_T("%ld,%ld"), static_cast<long>(properties.m_nHeaderDistance),
                   static_cast<long>(properties.m_nFooterDistance));
    WriteValue(strSection, _T("Distances"), strText);
}

BOOL CGXGridProfileImp::ReadStylesMapFromProfile(CGXStylesMap& stylesMap)
{
    if (!HasProfile())
        return FALSE;
    const CString& strSection = stylesMap.m_strProfileSection;
    CStringArray keys;
    if (IsRegistry())
    {
        if (!RegistrySubKeys(strSection, &keys))
            return FALSE;
    }
    else
        IniValueNames(strSection, keys);
    if (keys.IsEmpty())
        return FALSE;

    for (INT_PTR i = 0; i < keys.GetSize(); ++i)
    {
        const CString& strKey = keys[i];
        const std::unique_ptr<CGXStyle> pStyle(stylesMap.CreateStyle());
        ReadStyleFromProfile(*pStyle, StyleSection(strSection, strKey), &stylesMap);
        if (strKey[0] == _T('#'))
            stylesMap.RegisterStyleByResourceId(static_cast<UINT>(_wtol(static_cast<LPCTSTR>(strKey) + 1)), *pStyle, 0);
        else
            stylesMap.RegisterStyleByName(strKey, *pStyle, 0);
    }
    stylesMap.m_wStyleStandard = stylesMap.LookupResourceId(GX_IDS_STYLE_STANDARD);
    stylesMap.m_wStyleColHeader = stylesMap.LookupResourceId(GX_IDS_STYLE_COLUMN_HEADER);
    stylesMap.m_wStyleRowHeader = stylesMap.LookupResourceId(GX_IDS_STYLE_ROW_HEADER);
    CGXStyle* pStandard = nullptr;
    if (stylesMap.LookupStyle(stylesMap.m_wStyleStandard, pStandard) && pStandard != nullptr)
    {
        const std::unique_ptr<CGXStyle> pDefaults(stylesMap.CreateStyle());
        pDefaults->SetDefault();
        pStandard->ChangeStyle(*pDefaults, CGXStyle::modeApplyNew);
    }
    return TRUE;
}

BOOL CGXGridProfileImp::ReadFontFromProfile(CGXFont& font, LPCTSTR pszSection, LPCTSTR pszEntry)
{
    if (pszSection == nullptr || pszEntry == nullptr || !HasProfile())
        return FALSE;
    const CString strText = GetValue(pszSection, pszEntry);
    if (strText.IsEmpty())
        return FALSE;
    font = CGXFont(strText);
    return TRUE;
}

BOOL CGXGridProfileImp::ReadStyleFromProfile(CGXStyle& style, LPCTSTR pszSection, const CGXStylesMap* pStylesMap)
{
    if (pszSection == nullptr || !HasProfile())
        return FALSE;
    style.Free();
    for (const StyleValue& value : styleValues)
    {
        const CString strText = GetValue(pszSection, value.pszName);
        if (strText.IsEmpty())
            continue;
        if (value.pfnRead != nullptr)
            value.pfnRead(style, strText);
        else if (pStylesMap != nullptr)
            style.SetBaseStyle(LookupBaseStyle(strText, *pStylesMap));
    }
    CGXFont font;
    if (ReadFontFromProfile(font, pszSection, _T("Font")))
        style.SetFont(font);
    if (GetValue(pszSection, _T("Borders")) == _T("1"))
        for (const auto& border : borderValues)
        {
            const CString strText = GetValue(pszSection, border.pszName);
            GXPenRecord pen;
            if (!strText.IsEmpty())
                style.SetBorders(border.side, GXParseStyleDescription(pen, strText));
        }
    if (pStylesMap != nullptr)
        for (POSITION pos = pStylesMap->m_mapUserAttributes.GetStartPosition(); pos != nullptr;)
        {
            WORD nId = 0;
            CGXStylesMap::UserAttributeEntry* pEntry = nullptr;
            pStylesMap->m_mapUserAttributes.GetNextAssoc(pos, nId, pEntry);
            const CString strText = GetValue(pszSection, Number(_T("UA%lu"), nId));
            if (!strText.IsEmpty())
                style.SetUserAttribute(nId, strText);
        }
    return TRUE;
}

BOOL CGXGridProfileImp::ReadPropertiesFromProfile(CGXProperties& properties)
{
    if (!HasProfile())
        return FALSE;
    const CString& strSection = properties.m_strSection;
    if (IsRegistry())
    {
        if (!RegistrySubKeys(strSection, nullptr))
            return FALSE;
    }
    else
    {
        CStringArray names;
        IniValueNames(strSection, names);
        if (names.IsEmpty())
            return FALSE;
    }

    for (INT_PTR i = 0; i < properties.m_asColorNames.GetSize() && i < properties.m_adwColors.GetSize(); ++i)
    {
        const CString strText = GetValue(strSection, properties.m_asColorNames[i]);
        if (!strText.IsEmpty())
            properties.m_adwColors[i] = static_cast<DWORD>(wcstoul(strText, nullptr, 0));
    }
    ReadSettings(properties, displaySettings, std::size(displaySettings));
    for (POSITION pos = properties.m_mapUserProperties.GetStartPosition(); pos != nullptr;)
    {
        WORD nId = 0;
        void* pInfo = nullptr;
        properties.m_mapUserProperties.GetNextAssoc(pos, nId, pInfo);
        auto* pProperty = static_cast<CGXProperties::UserPropertyInfo*>(pInfo);
        if (pProperty->pStyle != nullptr)
            pProperty->pStyle->SetValue(GetValue(strSection, Number(_T("UP%u"), nId)));
    }
    ReadSettings(properties, printSettings, std::size(printSettings));
    ReadNumberList(GetValue(strSection, _T("Margins")), properties.m_anMargins, 4);
    const CString strFirstPage = GetValue(strSection, _T("Start Page Numbering"));
    if (!strFirstPage.IsEmpty())
        properties.m_nFirstPage = static_cast<int>(_wtol(strFirstPage));
    int anDistances[2] = {properties.m_nHeaderDistance, properties.m_nFooterDistance};
    ReadNumberList(GetValue(strSection, _T("Distances")), anDistances, 2);
    properties.m_nHeaderDistance = anDistances[0];
    properties.m_nFooterDistance = anDistances[1];
    return TRUE;
}
