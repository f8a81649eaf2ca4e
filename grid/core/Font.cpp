#include <grid/core/Font.h>

#include <grid/core/AppData.h>
#include <grid/core/FontState.h>

#include <algorithm>
#include <cmath>
#include <cwchar>

IMPLEMENT_SERIAL(CGXFont, CObject, 0)

namespace
{
// Word 1.
constexpr DWORD dwReference = 0x1;
constexpr DWORD dwInclItalic = 0x2;
constexpr DWORD dwInclUnderline = 0x4;
constexpr DWORD dwInclStrikeOut = 0x8;
constexpr int nWeightShift = 4;
constexpr DWORD dwWeightMask = 0xF;
constexpr DWORD dwWeightUnset = 15;
constexpr int nSizeShift = 8;
constexpr DWORD dwSizeMask = 0x3FF;
constexpr DWORD dwItalic = 1u << 18;
constexpr DWORD dwUnderline = 1u << 19;
constexpr DWORD dwStrikeOut = 1u << 20;
constexpr int nOrientationShift = 21;
constexpr DWORD dwOrientationMask = 0x1FF;
constexpr DWORD dwOrientationUnset = 511;
// Word 2.
constexpr DWORD dwFaceMask = 0x3FF;

constexpr DWORD dwEmpty1 = (dwWeightUnset << nWeightShift) | (dwOrientationUnset << nOrientationShift);
constexpr DWORD dwEmpty2 = GX_FACE_NONE;

DWORD GetField(DWORD dw, int nShift, DWORD dwMask)
{
    return (dw >> nShift) & dwMask;
}

void SetField(DWORD& dw, int nShift, DWORD dwMask, DWORD dwValue)
{
    dw = (dw & ~(dwMask << nShift)) | ((dwValue & dwMask) << nShift);
}

void SetFlag(DWORD& dw, DWORD dwFlag, BOOL bSet)
{
    dw = bSet ? (dw | dwFlag) : (dw & ~dwFlag);
}

// The weight field holds 0-14 hundreds; 15 means unset.
DWORD WeightField(LONG nWeight)
{
    return static_cast<DWORD>(std::clamp<LONG>(nWeight / 100, 0, dwWeightUnset - 1));
}

// Whole degrees of an angle in tenths, brought into 0..359.
DWORD OrientationField(LONG nTenths)
{
    LONG n = nTenths % 3600;
    if (n < 0)
        n += 3600;
    return static_cast<DWORD>(n / 10);
}

// The attributes in merge order: the bits that hold each (value and included state), its
// included test, and the bits it takes when unset.
struct Attribute
{
    DWORD dwBits1;
    DWORD dwBits2;
    BOOL (CGXFont::*pfnIncluded)() const;
    DWORD dwUnset1;
    DWORD dwUnset2;
};

const Attribute attributes[] = {
    {dwWeightMask << nWeightShift, 0, &CGXFont::GetIncludeWeight, dwWeightUnset << nWeightShift, 0},
    {dwInclItalic, 0, &CGXFont::GetIncludeItalic, 0, 0},
    {dwInclUnderline, 0, &CGXFont::GetIncludeUnderline, 0, 0},
    {dwInclStrikeOut, 0, &CGXFont::GetIncludeStrikeOut, 0, 0},
    {dwSizeMask << nSizeShift, 0, &CGXFont::GetIncludeSize, 0, 0},
    {dwOrientationMask << nOrientationShift, 0, &CGXFont::GetIncludeOrientation,
     dwOrientationUnset << nOrientationShift, 0},
    {0, dwFaceMask, &CGXFont::GetIncludeFaceName, 0, GX_FACE_NONE},
};

// The value bits that go with an included flag.
DWORD ValueBits(DWORD dwBits1)
{
    return (dwBits1 & dwInclItalic ? dwItalic : 0) | (dwBits1 & dwInclUnderline ? dwUnderline : 0) |
           (dwBits1 & dwInclStrikeOut ? dwStrikeOut : 0);
}
} // namespace

CGXFont::CGXFont() : m_dwBits1(dwEmpty1), m_dwBits2(dwEmpty2)
{
}

CGXFont::CGXFont(const CGXFont& src) : CObject(), m_dwBits1(src.m_dwBits1), m_dwBits2(src.m_dwBits2)
{
    if (m_dwBits1 & dwReference)
        ::InterlockedIncrement(&GXGetFontState()->LookupFontData(GetKey())->nRefs);
}

CGXFont::~CGXFont()
{
    Release();
}

CGXFont& CGXFont::operator=(const CGXFont& src)
{
    if (GetKey() == src.GetKey())
        return *this;
    Release();
    m_dwBits1 = src.m_dwBits1;
    m_dwBits2 = src.m_dwBits2;
    if (m_dwBits1 & dwReference)
        ::InterlockedIncrement(&GXGetFontState()->LookupFontData(GetKey())->nRefs);
    return *this;
}

ULONGLONG CGXFont::GetKey() const
{
    return ((static_cast<ULONGLONG>(m_dwBits2) << 32) | m_dwBits1) >> 1;
}

void CGXFont::Release() const
{
    if (m_dwBits1 & dwReference)
    {
        GXGetFontState()->ReleaseFontData(GetKey());
        m_dwBits1 &= ~dwReference;
    }
}

void CGXFont::Serialize(CArchive& ar)
{
    if (CGXAbstractStyleSerializeImp* pImp = GXGetAppDataPtr()->m_pStyleSerializeImp)
        pImp->SerializeFont(*this, ar);
}

CGXFont& CGXFont::SetDefault()
{
    Release();
    m_dwBits1 = dwEmpty1;
    m_dwBits2 = dwEmpty2;
    return *this;
}

CGXFont& CGXFont::SetDefaultCellFont()
{
    LOGFONT lf{};
    wcscpy(lf.lfFaceName, L"Arial");
    lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    if (::GetSystemMetrics(SM_DBCSENABLED))
    {
        HGDIOBJ hFont = ::GetStockObject(DEFAULT_GUI_FONT);
        if (hFont == nullptr)
            hFont = ::GetStockObject(SYSTEM_FONT);
        ::GetObjectW(hFont, sizeof(lf), &lf);
    }
    lf.lfHeight = -11;
    lf.lfWeight = FW_NORMAL;
    lf.lfItalic = FALSE;
    lf.lfUnderline = FALSE;
    return SetLogFont(lf);
}

CGXFont& CGXFont::SetLogFont(const LOGFONT& lf)
{
    Release();
    GX_FONT_STATE* pState = GXGetFontState();

    // Faces of other character sets are known by their name with the script.
    UINT nFace;
    const CString strScript = lf.lfCharSet == ANSI_CHARSET || lf.lfCharSet == DEFAULT_CHARSET
                                  ? CString()
                                  : pState->GetScriptName(lf.lfCharSet);
    if (strScript.IsEmpty())
    {
        nFace = pState->LookupFaceName(lf.lfFaceName, lf.lfPitchAndFamily, lf.lfCharSet);
    }
    else
    {
        CString strName;
        strName.Format(L"%s (%s)", lf.lfFaceName, strScript.GetString());
        const size_t nFaceLength = std::min<size_t>(wcsnlen(lf.lfFaceName, LF_FACESIZE), GXFaceEntry::nMaxName);
        nFace = pState->LookupFaceName(strName, lf.lfPitchAndFamily, lf.lfCharSet, static_cast<BYTE>(nFaceLength));
    }
    SetField(m_dwBits2, 0, dwFaceMask, nFace);

    DWORD dwQuarterPoints = 0;
    if (lf.lfHeight != 0)
        dwQuarterPoints = static_cast<DWORD>(
            std::clamp(::MulDiv(std::abs(lf.lfHeight), 288, pState->m_nLogPixelsY), 0, static_cast<int>(dwSizeMask)));
    SetField(m_dwBits1, nSizeShift, dwSizeMask, dwQuarterPoints);
    SetField(m_dwBits1, nWeightShift, dwWeightMask, WeightField(lf.lfWeight));
    SetField(m_dwBits1, nOrientationShift, dwOrientationMask, OrientationField(lf.lfOrientation));
    SetFlag(m_dwBits1, dwStrikeOut, lf.lfStrikeOut);
    SetFlag(m_dwBits1, dwUnderline, lf.lfUnderline);
    SetFlag(m_dwBits1, dwItalic, lf.lfItalic);
    m_dwBits1 |= dwInclItalic | dwInclUnderline | dwInclStrikeOut;
    return *this;
}

CGXFont& CGXFont::SetFaceName(LPCTSTR pszFaceName)
{
    return SetFaceNameIndex(GXGetFontState()->LookupFaceName(pszFaceName));
}

CGXFont& CGXFont::SetFaceNameIndex(UINT nIndex)
{
    Release();
    SetField(m_dwBits2, 0, dwFaceMask, nIndex);
    return *this;
}

CGXFont& CGXFont::SetWeight(LONG nWeight)
{
    Release();
    SetField(m_dwBits1, nWeightShift, dwWeightMask, WeightField(nWeight));
    return *this;
}

CGXFont& CGXFont::SetBold(BOOL bBold)
{
    return SetWeight(bBold ? FW_BOLD : FW_NORMAL);
}

CGXFont& CGXFont::SetItalic(BOOL bItalic)
{
    Release();
    SetFlag(m_dwBits1, dwItalic, bItalic);
    m_dwBits1 |= dwInclItalic;
    return *this;
}

CGXFont& CGXFont::SetUnderline(BOOL bUnderline)
{
    Release();
    SetFlag(m_dwBits1, dwUnderline, bUnderline);
    m_dwBits1 |= dwInclUnderline;
    return *this;
}

CGXFont& CGXFont::SetStrikeOut(BOOL bStrikeOut)
{
    Release();
    SetFlag(m_dwBits1, dwStrikeOut, bStrikeOut);
    m_dwBits1 |= dwInclStrikeOut;
    return *this;
}

CGXFont& CGXFont::SetIncludeItalic(BOOL bInclude)
{
    Release();
    SetFlag(m_dwBits1, dwInclItalic, bInclude);
    return *this;
}

CGXFont& CGXFont::SetIncludeUnderline(BOOL bInclude)
{
    Release();
    SetFlag(m_dwBits1, dwInclUnderline, bInclude);
    return *this;
}

CGXFont& CGXFont::SetIncludeStrikeOut(BOOL bInclude)
{
    Release();
    SetFlag(m_dwBits1, dwInclStrikeOut, bInclude);
    return *this;
}

CGXFont& CGXFont::SetSize(double dPoints)
{
    Release();
    const double dQuarters = std::fabs(std::trunc(dPoints * 4));
    SetField(m_dwBits1, nSizeShift, dwSizeMask, static_cast<DWORD>(std::min<double>(dQuarters, dwSizeMask)));
    return *this;
}

CGXFont& CGXFont::SetOrientation(LONG nTenths)
{
    Release();
    SetField(m_dwBits1, nOrientationShift, dwOrientationMask, OrientationField(nTenths));
    return *this;
}

BOOL CGXFont::GetIncludeWeight() const
{
    return GetField(m_dwBits1, nWeightShift, dwWeightMask) != dwWeightUnset;
}

BOOL CGXFont::GetIncludeItalic() const
{
    return (m_dwBits1 & dwInclItalic) != 0;
}

BOOL CGXFont::GetIncludeUnderline() const
{
    return (m_dwBits1 & dwInclUnderline) != 0;
}

BOOL CGXFont::GetIncludeStrikeOut() const
{
    return (m_dwBits1 & dwInclStrikeOut) != 0;
}

BOOL CGXFont::GetIncludeSize() const
{
    return GetField(m_dwBits1, nSizeShift, dwSizeMask) != 0;
}

BOOL CGXFont::GetIncludeOrientation() const
{
    return GetField(m_dwBits1, nOrientationShift, dwOrientationMask) != dwOrientationUnset;
}

BOOL CGXFont::GetIncludeFaceName() const
{
    return (m_dwBits2 & dwFaceMask) != GX_FACE_NONE;
}

LPCTSTR CGXFont::GetFaceName() const
{
    return GXGetFaceNameByIndex(GetFaceNameIndex());
}

UINT CGXFont::GetFaceNameIndex() const
{
    return m_dwBits2 & dwFaceMask;
}

LONG CGXFont::GetWeight() const
{
    return GetIncludeWeight() ? static_cast<LONG>(GetField(m_dwBits1, nWeightShift, dwWeightMask)) * 100 : 0;
}

BOOL CGXFont::GetBold() const
{
    return GetWeight() >= FW_BOLD;
}

BOOL CGXFont::GetItalic() const
{
    return (m_dwBits1 & dwItalic) != 0;
}

BOOL CGXFont::GetUnderline() const
{
    return (m_dwBits1 & dwUnderline) != 0;
}

BOOL CGXFont::GetStrikeOut() const
{
    return (m_dwBits1 & dwStrikeOut) != 0;
}

double CGXFont::GetSize() const
{
    return GetField(m_dwBits1, nSizeShift, dwSizeMask) / 4.0;
}

LONG CGXFont::GetOrientation() const
{
    return GetIncludeOrientation() ? static_cast<LONG>(GetField(m_dwBits1, nOrientationShift, dwOrientationMask)) * 10
                                   : 0;
}

const LOGFONT& CGXFont::GetLogFont() const
{
    GX_FONT_STATE* pState = GXGetFontState();
    GXFontData* pData = pState->LookupFontData(GetKey());
    if (!(m_dwBits1 & dwReference))
    {
        ::InterlockedIncrement(&pData->nRefs);
        m_dwBits1 |= dwReference;
    }
    if (pData->bBuilt)
        return pData->lf;

    LOGFONT& lf = pData->lf;
    lf = LOGFONT{};
    if (m_dwBits1 & dwInclItalic)
        lf.lfItalic = GetItalic();
    if (m_dwBits1 & dwInclUnderline)
        lf.lfUnderline = GetUnderline();
    if (m_dwBits1 & dwInclStrikeOut)
        lf.lfStrikeOut = GetStrikeOut();
    if (const DWORD dwQuarters = GetField(m_dwBits1, nSizeShift, dwSizeMask))
        lf.lfHeight = -::MulDiv(static_cast<int>(dwQuarters), pState->m_nLogPixelsY, 288);
    if (GetIncludeWeight())
        lf.lfWeight = GetWeight();
    if (GetIncludeOrientation())
        lf.lfEscapement = lf.lfOrientation = GetOrientation();
    if (const GXFaceEntry* pFace = pState->GetFaceEntry(GetFaceNameIndex()))
    {
        // The face part alone of a name with a script part, cut to the LOGFONT's field.
        const size_t nLength = pFace->nFaceLength != 0 ? pFace->nFaceLength : wcslen(pFace->szName);
        wcsncpy(lf.lfFaceName, pFace->szName, std::min<size_t>(nLength, LF_FACESIZE - 1));
        lf.lfCharSet = pFace->nCharSet;
        lf.lfPitchAndFamily = pFace->nPitchAndFamily;
        if (GetOrientation() >= 10)
            lf.lfPitchAndFamily |= 4;
    }
    pData->bBuilt = TRUE;
    return lf;
}

void CGXFont::GetLogFontScaled(LOGFONT& lf, int nPercent) const
{
    lf = GetLogFont();
    lf.lfHeight = lf.lfHeight * nPercent / 100;
}

CGXFont& CGXFont::ChangeFont(const CGXFont& other, int nMode)
{
    if (nMode == 2)
        return *this = other;

    // The shared entry belongs to the attributes as they are now.
    Release();
    for (const Attribute& a : attributes)
    {
        if (!(other.*a.pfnIncluded)())
            continue;
        if (nMode == 3)
        {
            m_dwBits1 = (m_dwBits1 & ~a.dwBits1) | a.dwUnset1;
            m_dwBits2 = (m_dwBits2 & ~a.dwBits2) | a.dwUnset2;
        }
        else if (nMode == 0 || !(this->*a.pfnIncluded)())
        {
            const DWORD dwTake1 = a.dwBits1 | ValueBits(a.dwBits1);
            m_dwBits1 = (m_dwBits1 & ~dwTake1) | (other.m_dwBits1 & dwTake1);
            m_dwBits2 = (m_dwBits2 & ~a.dwBits2) | (other.m_dwBits2 & a.dwBits2);
        }
    }
    return *this;
}

BOOL CGXFont::IsSubSet(const CGXFont& other) const
{
    for (const Attribute& a : attributes)
    {
        if (!(other.*a.pfnIncluded)())
            continue;
        const DWORD dwCompare1 = a.dwBits1 | ValueBits(a.dwBits1);
        if (!(this->*a.pfnIncluded)() || (m_dwBits1 & dwCompare1) != (other.m_dwBits1 & dwCompare1) ||
            (m_dwBits2 & a.dwBits2) != (other.m_dwBits2 & a.dwBits2))
            return FALSE;
    }
    return TRUE;
}

UINT GXGetFaceNameIndex(LPCTSTR pszFaceName)
{
    return GXGetFontState()->LookupFaceName(pszFaceName);
}

LPCTSTR GXGetFaceNameByIndex(UINT nIndex)
{
    const GXFaceEntry* pFace = GXGetFontState()->GetFaceEntry(nIndex);
    return pFace != nullptr ? pFace->szName : nullptr;
}

BYTE GXGetFaceCharSet(UINT nIndex)
{
    const GXFaceEntry* pFace = GXGetFontState()->GetFaceEntry(nIndex);
    return pFace != nullptr ? pFace->nCharSet : 0;
}
