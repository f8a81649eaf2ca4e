// The fixed-size records of the session data files. A layout is a table of fields of one
// reader's texts, checked at compile time against the record size; a record is a zero-filled
// buffer that the fields are written into at their byte offsets, little-endian, unpadded.
#pragma once

#include <afx.h>

#include <span>
#include <vector>

enum class FieldType
{
    Time,   // the sample time of the tick, 64-bit seconds since 1970 UTC
    Int32,  // the text as _wtoi reads it
    Int64,  // the text as _wtoi64 reads it
    Double, // the text as _wtof reads it
    Text,   // UTF-16LE code units, cut to the field, zero-padded, no terminator
};

template <class R> struct RecordField
{
    unsigned nOffset;
    unsigned nBytes;
    FieldType type;
    CString R::*pText; // null for the time field

    constexpr bool HasValidWidth() const
    {
        switch (type)
        {
        case FieldType::Int32:
            return nBytes == 4;
        case FieldType::Text:
            return nBytes > 0 && nBytes % 2 == 0;
        default:
            return nBytes == 8;
        }
    }
};

template <class R> struct RecordLayout
{
    unsigned nSize;
    std::span<const RecordField<R>> fields;

    // Every field fits, has the width of its type, follows the one before without overlap and
    // (but for the time) names a text.
    constexpr bool IsValid() const
    {
        unsigned nEnd = 0;
        for (const RecordField<R>& field : fields)
        {
            if (field.nOffset < nEnd || !field.HasValidWidth() ||
                (field.type != FieldType::Time) != (field.pText != nullptr))
                return false;
            nEnd = field.nOffset + field.nBytes;
        }
        return nEnd <= nSize;
    }
};

// One field of a layout table: RECORD_FIELD(CThWpInfo, 8, 4, Text, WP_NO).
#define RECORD_FIELD(reader, offset, bytes, type, field)                                                               \
    RecordField<reader>                                                                                                \
    {                                                                                                                  \
        offset, bytes, FieldType::type, &reader::field                                                                 \
    }
#define RECORD_TIME(reader, offset)                                                                                    \
    RecordField<reader>                                                                                                \
    {                                                                                                                  \
        offset, 8, FieldType::Time, nullptr                                                                            \
    }

class CSessionRecord
{
public:
    explicit CSessionRecord(unsigned nSize);

    void Clear();
    void SetInt32(unsigned nOffset, int nValue);
    void SetInt64(unsigned nOffset, __int64 nValue);
    void SetDouble(unsigned nOffset, double dValue);
    // At most nBytes / 2 code units; a cut never splits a surrogate pair.
    void SetText(unsigned nOffset, unsigned nBytes, const CString& strText);
    // The text converted to the field's type.
    void SetValue(unsigned nOffset, unsigned nBytes, FieldType type, const CString& strText, __time64_t nSampleTime);

    // Clears the record and writes every field of the layout from the reader's texts.
    template <class R> void Fill(const R& reader, const RecordLayout<R>& layout, __time64_t nSampleTime)
    {
        static const CString strNone;
        Clear();
        for (const RecordField<R>& field : layout.fields)
        {
            SetValue(field.nOffset, field.nBytes, field.type, field.pText != nullptr ? reader.*field.pText : strNone,
                     nSampleTime);
        }
    }

    const BYTE* GetData() const
    {
        return m_bytes.data();
    }
    unsigned GetSize() const
    {
        return static_cast<unsigned>(m_bytes.size());
    }

private:
    void Put(unsigned nOffset, const void* pValue, unsigned nBytes);

    std::vector<BYTE> m_bytes;
};

// The text as _wtof reads it. Plain whole numbers, the usual statistics figures, are read
// without the C library's scanner; anything else is left to it.
double TextToDouble(LPCTSTR lpszText);
