// The font attribute of a cell style. Every attribute sits in a few bits of two words and has
// an included state, so that fonts merge as styles do. Faces are numbers in the thread's face
// table; the LOGFONT is built on demand and shared by all equal fonts of the thread.
//   word 1: bit 0 holds a shared LOGFONT entry; bits 1-3 italic, underline, strike-out
//           included; 4-7 weight in hundreds (15 = unset); 8-17 size in quarter points
//           (0 = unset); 18-20 italic, underline, strike-out; 21-29 orientation in degrees
//           (511 = unset)
//   word 2: bits 0-9 face index (1023 = unset)
#pragma once

#include <afx.h>

constexpr UINT GX_FACE_NONE = 1023;

class CGXFont : public CObject
{
    DECLARE_SERIAL(CGXFont)
public:
    CGXFont();
    CGXFont(const CGXFont& src);
    // An empty font with the description applied (see GetDescription).
    explicit CGXFont(LPCTSTR pszDescription);
    ~CGXFont() override;
    CGXFont& operator=(const CGXFont& src);

    // Forwards to the application's style-serialize feature; nothing without it.
    void Serialize(CArchive& ar) override;

    // Every setter returns the font so that calls chain.
    CGXFont& SetDefault();
    // Arial, 8.25 points at 96 dots per inch, weight 400: the font of the standard style.
    CGXFont& SetDefaultCellFont();
    CGXFont& SetLogFont(const LOGFONT& lf);

    CGXFont& SetFaceName(LPCTSTR pszFaceName);
    CGXFont& SetFaceNameIndex(UINT nIndex);
    CGXFont& SetWeight(LONG nWeight);
    CGXFont& SetBold(BOOL bBold);
    CGXFont& SetItalic(BOOL bItalic);
    CGXFont& SetUnderline(BOOL bUnderline);
    CGXFont& SetStrikeOut(BOOL bStrikeOut);
    CGXFont& SetIncludeItalic(BOOL bInclude);
    CGXFont& SetIncludeUnderline(BOOL bInclude);
    CGXFont& SetIncludeStrikeOut(BOOL bInclude);
    // Points, kept in quarter points (0 to 1023).
    CGXFont& SetSize(double dPoints);
    // Tenths of a degree; negative angles are brought into 0..3599.
    CGXFont& SetOrientation(LONG nTenths);

    BOOL GetIncludeFaceName() const;
    BOOL GetIncludeWeight() const;
    BOOL GetIncludeItalic() const;
    BOOL GetIncludeUnderline() const;
    BOOL GetIncludeStrikeOut() const;
    BOOL GetIncludeSize() const;
    BOOL GetIncludeOrientation() const;

    // NULL when no face is set or the index is not in the table.
    LPCTSTR GetFaceName() const;
    UINT GetFaceNameIndex() const;
    LONG GetWeight() const;
    BOOL GetBold() const;
    BOOL GetItalic() const;
    BOOL GetUnderline() const;
    BOOL GetStrikeOut() const;
    double GetSize() const;
    // Tenths of a degree.
    LONG GetOrientation() const;

    // The shared LOGFONT of these attributes; the font keeps its reference until it changes.
    const LOGFONT& GetLogFont() const;
    // A copy whose height is scaled by nPercent / 100.
    void GetLogFontScaled(LOGFONT& lf, int nPercent) const;

    // Mode 0 takes every attribute the other font includes, 1 only those this font lacks,
    // 2 copies, 3 removes those the other font includes.
    CGXFont& ChangeFont(const CGXFont& other, int nMode);
    // TRUE when this font includes every attribute of the other with the same value.
    BOOL IsSubSet(const CGXFont& other) const;

    // The comma-separated text form: face, size, weight, italic, underline, strike-out,
    // orientation, each empty when not included. Defined with the text forms of pens and
    // brushes.
    CString GetDescription() const;
    CGXFont& SetDescription(LPCTSTR pszDescription);

    // The attribute words without the reference bit: equal keys mean equal fonts.
    ULONGLONG GetKey() const;

private:
    void Release() const;

    // The reference bit changes when a const font fetches its LOGFONT.
    mutable DWORD m_dwBits1;
    DWORD m_dwBits2;
};

// The thread's face table.
UINT GXGetFaceNameIndex(LPCTSTR pszFaceName);
LPCTSTR GXGetFaceNameByIndex(UINT nIndex);
BYTE GXGetFaceCharSet(UINT nIndex);
