// The archive form of cell styles and of the records they carry: fonts, interior brushes,
// border pens and user attributes. Every record starts with its schema; the writer writes the
// newest, the reader takes that and every older one.
#pragma once

#include <grid/core/AbstractImps.h>

class CGXStyleSerializeImp : public CGXAbstractStyleSerializeImp
{
public:
    // Newest schemas of the style and font records.
    static constexpr WORD nStyleSchema = 6;
    static constexpr WORD nFontVersion = 2;

    // Fonts of version 1 (a LOGFONT-like layout) and 0 or 2 are read; above 2 throws
    // CArchiveException (bad schema).
    void SerializeFont(CGXFont& font, CArchive& ar) override;
    // Five 32-bit values; system colours survive. A pattern number past the known patterns
    // reads as a hollow brush.
    void SerializeBrush(GXBrushRecord& brush, CArchive& ar) override;
    void SerializePen(GXPenRecord& pen, CArchive& ar) override;
    // Base styles are written by string id or name from pStylesMap; without one, from the
    // styles map that the archive's document pointer holds, if any. A record of a newer
    // schema throws CArchiveException (bad schema) before anything is read; so does one of
    // schema 4 or older without the compatibility feature, after the fields before its user
    // attributes were read.
    void SerializeStyle(CGXStyle& style, CArchive& ar, const CGXStylesMap* pStylesMap) override;
};

// Reads the user attributes of style records up to schema 4: a map from attribute id to text.
class CGXSerializeTW5CompatibleImp : public CGXAbstractSerializeTW5CompatibleImp
{
public:
    void ReadUserAttributes(CGXStyle& style, CArchive& ar) override;
};

// Makes the style-serialize feature application-wide, once.
void GXInstallStyleSerializeImp();
void GXInstallSerializeTW5CompatibleImp();

// The styles map that styles inside a record find their base styles in rides in the archive's
// document pointer. Null when the pointer holds no styles map.
const CGXStylesMap* GXStylesMapOfArchive(CArchive& ar);

// Puts a styles map into the archive's document pointer for the scope's life; the former
// pointer comes back also when an exception leaves the scope.
class CGXArchiveStylesMapScope
{
public:
    CGXArchiveStylesMapScope(CArchive& ar, const CGXStylesMap* pStylesMap);
    ~CGXArchiveStylesMapScope();
    CGXArchiveStylesMapScope(const CGXArchiveStylesMapScope&) = delete;
    CGXArchiveStylesMapScope& operator=(const CGXArchiveStylesMapScope&) = delete;

private:
    CArchive& m_ar;
    CDocument* m_pOldDocument;
};
