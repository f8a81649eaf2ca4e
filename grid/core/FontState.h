// The per-thread font state: the display resolution, the table that numbers face names, and
// the LOGFONT entries shared by the thread's fonts.
#pragma once

#include <afx.h>

#include <memory>

// A face name, or a face name with its script in parentheses.
struct GXFaceEntry
{
    static constexpr int nMaxName = 65;

    WCHAR szName[nMaxName + 1];
    BYTE nFaceLength;     // characters of the face part of a name with a script part; else 0
    BYTE nPitchAndFamily; // the LOGFONT value reported for the face
    BYTE nCharSet;
    WORD wFlags; // bits 0-9 face index (1023: none yet), 10-12 font type, 13 enumerated, 14 plain face
};

// A LOGFONT shared by every font of the thread with the same attributes.
struct GXFontData
{
    LONG nRefs;
    LOGFONT lf;
    BOOL bBuilt;
};

class GX_FONT_STATE
{
public:
    static constexpr UINT nMaxFaces = 1023;
    static constexpr UINT nFontDataHashSize = 1001;

    // Enumerates the display's fonts; without a display context the face table starts empty
    // and the resolutions stay 0.
    GX_FONT_STATE();
    ~GX_FONT_STATE();
    GX_FONT_STATE(const GX_FONT_STATE&) = delete;
    GX_FONT_STATE& operator=(const GX_FONT_STATE&) = delete;

    // The index of a face name; an unknown name is added with the two bytes and, for a name
    // with a script part, the length of its face part. 1023 for an empty name or once 1023
    // indexes are given out. Names are cut to 65 characters.
    UINT LookupFaceName(LPCTSTR pszName, BYTE nPitchAndFamily = 0, BYTE nCharSet = 0, BYTE nFaceLength = 0);
    // NULL for an index that is not given out.
    const GXFaceEntry* GetFaceEntry(UINT nIndex) const;
    // The script recorded for a character set during enumeration; empty when none.
    static CString GetScriptName(BYTE nCharSet);

    // Finds or creates the entry of a key; the caller counts its reference.
    GXFontData* LookupFontData(ULONGLONG key);
    // Drops one reference; the entry goes at zero.
    void ReleaseFontData(ULONGLONG key);
    INT_PTR GetFontDataCount() const
    {
        return m_mapFontData.GetCount();
    }

    int m_nLogPixelsY = 0;
    int m_nLogPixelsX = 0;

private:
    struct Enumeration;

    void Enumerate(HDC hDC);
    static int CALLBACK EnumFontProc(const LOGFONT* plf, const TEXTMETRIC* ptm, DWORD dwType, LPARAM lParam);
    void AddEnumerated(LPCTSTR pszName, BYTE nFaceLength, const LOGFONT& lf, DWORD dwType, WORD wKind);
    GXFaceEntry* Find(LPCTSTR pszName);

    CMap<ULONGLONG, ULONGLONG, GXFontData*, GXFontData*> m_mapFontData;
    CArray<GXFaceEntry, const GXFaceEntry&> m_arEnumerated; // sorted by name
    CArray<GXFaceEntry*, GXFaceEntry*> m_arAdded;           // sorted by name, owned
    CArray<GXFaceEntry*, GXFaceEntry*> m_arByIndex;
};

// The calling thread's font state, made on first use.
GX_FONT_STATE* GXGetFontState();
