// A cell style: any subset of some thirty attributes, each with an include bit. Only included
// attributes take part in merging, comparing, storing and drawing. A style may name a base
// style by a one-byte id; the chain of base styles is resolved through the styles map.
#pragma once

#include <afx.h>

#include <grid/core/BorderSide.h>
#include <grid/core/BrushRecord.h>
#include <grid/core/Font.h>
#include <grid/core/PenRecord.h>

class CGXStylesMap;
class CGXUserAttributeMap;
class CGXAbstractUserAttribute;

class CGXStyle : public CObject
{
    DECLARE_SERIAL(CGXStyle)
public:
    // Include bits of the attributes. Bits 26-31 are not attribute bits.
    enum : DWORD
    {
        inclHorizontalAlignment = 0x1,
        inclVerticalAlignment = 0x2,
        inclReadOnly = 0x4,
        inclControl = 0x8,
        inclInterior = 0x10,
        inclTextColor = 0x20,
        inclWrapText = 0x40,
        inclAllowEnter = 0x80,
        inclBorders = 0x100,
        inclFont = 0x200,
        inclValue = 0x400,
        inclChoiceList = 0x800,
        inclVerticalScrollbar = 0x1000,
        inclMaxLength = 0x2000,
        inclBaseStyle = 0x4000,
        inclEnabled = 0x8000,
        inclTriState = 0x10000,
        inclDraw3dFrame = 0x20000,
        inclUserAttributes = 0x40000,
        inclAutoSize = 0x80000,
        inclItemData = 0x100000,
        inclFloodCell = 0x200000,
        inclFloatCell = 0x400000,
        inclMergeCell = 0x800000,
        inclFormat = 0x1000000,
        inclPlaces = 0x2000000,
        inclAttributeBits = 0x3FFFFFF
    };

    // Merge modes of ChangeStyle.
    enum : int
    {
        modeOverride = 0,
        modeApplyNew = 1,
        modeCopy = 2,
        modeExclude = 3
    };

    // Value types.
    enum : UINT
    {
        valueText = 0,
        valueNumber = 1,
        valueFormula = 2,
        valueError = 3
    };

    CGXStyle();
    CGXStyle(const CGXStyle& src);
    ~CGXStyle() override;

    // Serialize (archive) stores through the two-argument form with no styles map. Both,
    // IsSubSet and the profile operations forward to the application's feature objects and
    // do nothing (0) without them.
    void Serialize(CArchive& ar) override;
    virtual CGXStyle* Clone() const;
    virtual CGXStyle& SetValue(LPCTSTR pszValue);
    virtual CGXStyle& operator=(const CGXStyle& src);
    // The attributes of the standard style.
    virtual CGXStyle& SetDefault();
    virtual BOOL IsSubSet(const CGXStyle& other) const;
    virtual void Serialize(CArchive& ar, const CGXStylesMap* pStylesMap);
    virtual BOOL WriteProfile(LPCTSTR pszSection, const CGXStylesMap* pStylesMap) const;
    virtual BOOL ReadProfile(LPCTSTR pszSection, const CGXStylesMap* pStylesMap);
    // Merges the chain of base styles in with mode 1. Returns this style when it has no base
    // style, NULL when an id of the chain is not in the map, else the last base style reached.
    virtual const CGXStyle* LoadBaseStyle(const CGXStylesMap& stylesMap);
    virtual CGXStyle& ChangeStyle(const CGXStyle& other, int nMode);
    // Removes every attribute.
    virtual CGXStyle& Free();

    // Whether the attribute of an include bit is included.
    BOOL GetInclude(DWORD dwIncludeBit) const
    {
        return (m_dwInclude & dwIncludeBit) != 0;
    }
    // The include bits in their archive form (FloatCell 0x200000, FloodCell 0x400000).
    DWORD GetIncludeBits() const;
    // Sets the attribute bits from their archive form; bits 26-31 stay.
    void SetIncludeBits(DWORD dwArchiveBits);

    // Setters include the attribute and return the style so that calls chain.
    CGXStyle& SetHorizontalAlignment(int nAlign); // 0 left, 1 centre, 2 right
    int GetHorizontalAlignment() const;
    CGXStyle& SetVerticalAlignment(int nAlign); // 0 top, 4 centre, 8 bottom
    int GetVerticalAlignment() const;
    CGXStyle& SetReadOnly(BOOL b);
    BOOL GetReadOnly() const;
    CGXStyle& SetControl(WORD nControlId);
    WORD GetControl() const;
    CGXStyle& SetInterior(const GXBrushRecord& brush);
    // A solid interior of that colour.
    CGXStyle& SetInteriorColor(COLORREF color);
    const GXBrushRecord& GetInterior() const;
    CGXStyle& SetTextColor(COLORREF color);
    // A system colour comes back as its current value with its marker top byte.
    COLORREF GetTextColor() const;
    CGXStyle& SetWrapText(BOOL b);
    BOOL GetWrapText() const;
    CGXStyle& SetAllowEnter(BOOL b);
    BOOL GetAllowEnter() const;
    CGXStyle& SetVerticalScrollbar(BOOL b);
    BOOL GetVerticalScrollbar() const;
    CGXStyle& SetMaxLength(WORD nLength);
    WORD GetMaxLength() const;
    CGXStyle& SetBaseStyle(WORD nBaseStyleId); // one byte is kept
    WORD GetBaseStyle() const;
    CGXStyle& SetEnabled(BOOL b);
    BOOL GetEnabled() const;
    CGXStyle& SetTriState(BOOL b);
    BOOL GetTriState() const;
    CGXStyle& SetDraw3dFrame(int nFrame); // 2 bits
    int GetDraw3dFrame() const;
    CGXStyle& SetAutoSize(BOOL b);
    BOOL GetAutoSize() const;
    CGXStyle& SetItemData(DWORD dwItemData);
    DWORD GetItemData() const;
    CGXStyle& SetFloodCell(BOOL b);
    BOOL GetFloodCell() const;
    CGXStyle& SetFloatCell(BOOL b);
    BOOL GetFloatCell() const;
    CGXStyle& SetMergeCell(int nMode); // 3 bits
    int GetMergeCell() const;
    CGXStyle& SetFormat(int nFormat); // 5 bits
    int GetFormat() const;
    CGXStyle& SetPlaces(int nPlaces); // 4 bits
    int GetPlaces() const;

    // Value texts. The text forms set value type text; the number forms value type number.
    CGXStyle& SetValue(const CString& strValue);
    // "%.13g", with "." as the decimal separator.
    CGXStyle& SetValue(double dValue);
    // "%lu".
    CGXStyle& SetValueLong(DWORD dwValue);
    const CString& GetValue() const
    {
        return m_strValue;
    }
    UINT GetValueType() const;
    // Tells what the value text holds; the text stays.
    CGXStyle& SetValueType(UINT nType);
    // Excluding the value also empties it.
    CGXStyle& SetIncludeValue(BOOL bInclude);

    CGXStyle& SetChoiceList(const CString& strChoices);
    const CString& GetChoiceList() const
    {
        return m_strChoiceList;
    }

    // Borders, kept as four pens (top, left, bottom, right).
    CGXStyle& SetBorders(GXBorder side, const GXPenRecord& pen);
    // NULL removes the borders; otherwise the four pens in GXBorder order.
    CGXStyle& SetBorders(const GXPenRecord* pFourPens);
    // Marks a side (or all) set or unset; Borders stays included while any side is set.
    CGXStyle& SetIncludeBorders(GXBorder side, BOOL bSet);
    BOOL HasBorder(GXBorder side) const;
    // An unset pen when the side has none.
    const GXPenRecord& GetBorders(GXBorder side) const;

    // Mode 3 removes the given font's attributes from this style's font; other modes make a
    // copy when the style has no font yet, else merge by the mode.
    CGXStyle& SetFont(const CGXFont& font, int nMode = modeOverride);
    // An empty font when the style has none.
    const CGXFont& GetFont() const;

    CGXStyle& SetUserAttribute(WORD nId, const CString& strValue);
    CGXStyle& SetUserAttribute(WORD nId, const CGXAbstractUserAttribute& attribute);
    BOOL HasUserAttribute(WORD nId) const;
    // A shared empty attribute when the style has none of that id; never NULL.
    const CGXAbstractUserAttribute& GetUserAttribute(WORD nId) const;
    // A non-empty map replaces the style's attributes of the same ids; NULL or an empty map
    // removes all of them.
    CGXStyle& SetUserAttributes(const CGXUserAttributeMap* pMap);
    const CGXUserAttributeMap* GetUserAttributeMap() const
    {
        return m_pUserAttributes;
    }

private:
    DWORD GetFlags(int nShift, DWORD dwMask) const;
    CGXStyle& SetFlags(DWORD dwIncludeBit, int nShift, DWORD dwMask, DWORD dwValue);
    GXPenRecord* EnsureBorders();
    void CopyFrom(const CGXStyle& src);
    void MergeBorders(const CGXStyle& other, int nMode);
    void MergeFont(const CGXStyle& other, int nMode);
    void MergeUserAttributes(const CGXStyle& other, int nMode);
    void ExcludeFrom(const CGXStyle& other);
    CGXUserAttributeMap& EnsureUserAttributes();

    DWORD m_dwInclude = 0;
    WORD m_nMaxLength = 0;
    GXBrushRecord m_interior;
    WORD m_nControl = 0;
    DWORD m_dwFlags = 0;
    DWORD m_dwTextColor = 0; // bits 0-23 colour, 24-31 base style id
    DWORD m_dwNumber = 0;    // bits 0-4 format, 5-8 places
    GXPenRecord* m_pBorders = nullptr;
    CGXFont* m_pFont = nullptr;
    CString m_strValue;
    CString m_strChoiceList;
    CGXUserAttributeMap* m_pUserAttributes = nullptr;
    DWORD m_dwItemData = 0;
};
