#include <grid/core/FontState.h>

#include <afxmt.h>

#include <grid/core/ThreadState.h>

#include <algorithm>
#include <array>
#include <cwchar>

namespace
{
constexpr WORD wIndexMask = 0x3FF; // all bits set: no index yet
constexpr int nTypeShift = 10;
constexpr WORD wEnumerated = 0x2000;
constexpr WORD wPlainFace = 0x4000;
// Faces found at start are kept in blocks of 256, at most 256 blocks.
constexpr INT_PTR nMaxEnumerated = 256 * 256;

// The script names seen for each character set, shared by all threads.
constexpr int nScriptLength = 32;
std::array<std::array<WCHAR, nScriptLength>, 256> g_aScripts{};
CCriticalSection g_scriptLock;

void CopyName(WCHAR* pszDest, size_t nSize, LPCTSTR pszSrc)
{
    wcsncpy(pszDest, pszSrc, nSize - 1);
    pszDest[nSize - 1] = 0;
}

bool NameLess(const GXFaceEntry& a, const GXFaceEntry& b)
{
    return wcscmp(a.szName, b.szName) < 0;
}
} // namespace

struct GX_FONT_STATE::Enumeration
{
    GX_FONT_STATE* pState;
    BOOL bExtended;
    WCHAR szLastFace[LF_FACESIZE];
};

GX_FONT_STATE::GX_FONT_STATE()
{
    HDC hDC = ::CreateICW(L"DISPLAY", nullptr, nullptr, nullptr);
    if (hDC != nullptr)
    {
        Enumerate(hDC);
        std::sort(m_arEnumerated.GetData(), m_arEnumerated.GetData() + m_arEnumerated.GetSize(), NameLess);
        LookupFaceName(_T("Arial"));
        m_nLogPixelsX = ::GetDeviceCaps(hDC, LOGPIXELSX);
        m_nLogPixelsY = ::GetDeviceCaps(hDC, LOGPIXELSY);
        ::DeleteDC(hDC);
    }
    m_mapFontData.InitHashTable(nFontDataHashSize);
}

GX_FONT_STATE::~GX_FONT_STATE()
{
    for (POSITION pos = m_mapFontData.GetStartPosition(); pos != nullptr;)
    {
        ULONGLONG key;
        GXFontData* pData;
        m_mapFontData.GetNextAssoc(pos, key, pData);
        delete pData;
    }
    for (INT_PTR i = 0; i < m_arAdded.GetSize(); ++i)
        delete m_arAdded[i];
}

void GX_FONT_STATE::Enumerate(HDC hDC)
{
    Enumeration e{this, TRUE, {}};
    LOGFONT lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    ::EnumFontFamiliesExW(hDC, &lf, EnumFontProc, reinterpret_cast<LPARAM>(&e), 0);
    if (m_arEnumerated.IsEmpty())
    {
        e.bExtended = FALSE;
        ::EnumFontFamiliesW(hDC, nullptr, EnumFontProc, reinterpret_cast<LPARAM>(&e));
    }
}

int CALLBACK GX_FONT_STATE::EnumFontProc(const LOGFONT* plf, const TEXTMETRIC*, DWORD dwType, LPARAM lParam)
{
    auto& e = *reinterpret_cast<Enumeration*>(lParam);
    GX_FONT_STATE& state = *e.pState;
    if (wcscmp(plf->lfFaceName, e.szLastFace) != 0)
    {
        CopyName(e.szLastFace, LF_FACESIZE, plf->lfFaceName);
        state.AddEnumerated(plf->lfFaceName, 0, *plf, dwType, wPlainFace);
    }
    if (e.bExtended)
    {
        // The extended enumeration hands over an ENUMLOGFONTEX, which names the script.
        LPCWSTR pszScript = reinterpret_cast<const ENUMLOGFONTEXW*>(plf)->elfScript;
        {
            CSingleLock lock(&g_scriptLock, TRUE);
            CopyName(g_aScripts[plf->lfCharSet].data(), nScriptLength, pszScript);
        }
        CString strName;
        strName.Format(L"%s (%s)", plf->lfFaceName, pszScript);
        const int nFace = std::min<int>(static_cast<int>(wcslen(plf->lfFaceName)), GXFaceEntry::nMaxName);
        state.AddEnumerated(strName, static_cast<BYTE>(nFace), *plf, dwType, 0);
    }
    return state.m_arEnumerated.GetSize() < nMaxEnumerated;
}

void GX_FONT_STATE::AddEnumerated(LPCTSTR pszName, BYTE nFaceLength, const LOGFONT& lf, DWORD dwType, WORD wKind)
{
    if (m_arEnumerated.GetSize() >= nMaxEnumerated)
        return;
    GXFaceEntry entry{};
    CopyName(entry.szName, std::size(entry.szName), pszName);
    entry.nFaceLength = nFaceLength;
    entry.nPitchAndFamily = lf.lfPitchAndFamily;
    entry.nCharSet = lf.lfCharSet;
    entry.wFlags = static_cast<WORD>(wIndexMask | ((dwType & 7) << nTypeShift) | wEnumerated | wKind);
    m_arEnumerated.Add(entry);
}

GXFaceEntry* GX_FONT_STATE::Find(LPCTSTR pszName)
{
    GXFaceEntry key{};
    CopyName(key.szName, std::size(key.szName), pszName);

    GXFaceEntry* pFirst = m_arEnumerated.GetData();
    GXFaceEntry* pLast = pFirst + m_arEnumerated.GetSize();
    GXFaceEntry* pFound = std::lower_bound(pFirst, pLast, key, NameLess);
    if (pFound != pLast && wcscmp(pFound->szName, key.szName) == 0)
        return pFound;

    GXFaceEntry** ppFirst = m_arAdded.GetData();
    GXFaceEntry** ppLast = ppFirst + m_arAdded.GetSize();
    GXFaceEntry** ppFound = std::lower_bound(
        ppFirst, ppLast, &key, [](const GXFaceEntry* a, const GXFaceEntry* b) { return NameLess(*a, *b); });
    if (ppFound != ppLast && wcscmp((*ppFound)->szName, key.szName) == 0)
        return *ppFound;
    return nullptr;
}

UINT GX_FONT_STATE::LookupFaceName(LPCTSTR pszName, BYTE nPitchAndFamily, BYTE nCharSet, BYTE nFaceLength)
{
    if (pszName == nullptr || *pszName == 0)
        return nMaxFaces;

    GXFaceEntry* pEntry = Find(pszName);
    if (pEntry == nullptr)
    {
        if (m_arByIndex.GetSize() >= nMaxFaces)
            return nMaxFaces;
        pEntry = new GXFaceEntry{};
        CopyName(pEntry->szName, std::size(pEntry->szName), pszName);
        pEntry->nFaceLength = std::min<BYTE>(nFaceLength, GXFaceEntry::nMaxName);
        pEntry->nPitchAndFamily = nPitchAndFamily;
        pEntry->nCharSet = nCharSet;
        pEntry->wFlags = wIndexMask;
        m_arAdded.Add(pEntry);
        std::sort(m_arAdded.GetData(), m_arAdded.GetData() + m_arAdded.GetSize(),
                  [](const GXFaceEntry* a, const GXFaceEntry* b) { return NameLess(*a, *b); });
    }

    if ((pEntry->wFlags & wIndexMask) == wIndexMask)
    {
        if (m_arByIndex.GetSize() >= nMaxFaces)
            return nMaxFaces;
        pEntry->wFlags = static_cast<WORD>((pEntry->wFlags & ~wIndexMask) | m_arByIndex.GetSize());
        m_arByIndex.Add(pEntry);
    }
    return pEntry->wFlags & wIndexMask;
}

const GXFaceEntry* GX_FONT_STATE::GetFaceEntry(UINT nIndex) const
{
    return nIndex < static_cast<UINT>(m_arByIndex.GetSize()) ? m_arByIndex[nIndex] : nullptr;
}

CString GX_FONT_STATE::GetScriptName(BYTE nCharSet)
{
    CSingleLock lock(&g_scriptLock, TRUE);
    return CString(g_aScripts[nCharSet].data());
}

GXFontData* GX_FONT_STATE::LookupFontData(ULONGLONG key)
{
    GXFontData*& pData = m_mapFontData[key];
    if (pData == nullptr)
        pData = new GXFontData{0, {}, FALSE};
    return pData;
}

void GX_FONT_STATE::ReleaseFontData(ULONGLONG key)
{
    GXFontData* pData;
    if (m_mapFontData.Lookup(key, pData) && ::InterlockedDecrement(&pData->nRefs) <= 0)
    {
        m_mapFontData.RemoveKey(key);
        delete pData;
    }
}

GX_FONT_STATE* GXGetFontState()
{
    return GXGetThreadState<GX_FONT_STATE>();
}
