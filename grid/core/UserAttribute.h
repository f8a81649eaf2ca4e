// The general user-attribute value: empty, an integer, a text, a number or a 64-bit value.
#pragma once

#include <grid/core/AbstractUserAttribute.h>

class CGXUserAttribute : public CGXAbstractUserAttribute
{
    DECLARE_SERIAL(CGXUserAttribute)
public:
    enum ValueType : DWORD
    {
        vtEmpty = 0,
        vtDWord = 1,
        vtLong = 2,
        vtShortText = 3, // up to four characters in place
        vtLongText = 4,
        vtDouble = 5,
        vtInt64 = 6
    };

    CGXUserAttribute();
    CGXUserAttribute(const CGXUserAttribute& source);
    // As SetValue, except that an empty text is an empty short text rather than no value.
    explicit CGXUserAttribute(LPCTSTR pszValue);
    explicit CGXUserAttribute(const CString& strValue);
    explicit CGXUserAttribute(DWORD dwValue);
    explicit CGXUserAttribute(LONG lValue);
    explicit CGXUserAttribute(double dValue);
    explicit CGXUserAttribute(ULONGLONG ullValue);
    ~CGXUserAttribute() override;
    CGXUserAttribute& operator=(const CGXUserAttribute&) = delete;

    // The type byte, then the text for the text types and the 8 value bytes for the others.
    void Serialize(CArchive& ar) override;

    using CGXAbstractUserAttribute::SetValue;
    // Empty: no value; a number: a number; else a text.
    CGXAbstractUserAttribute& SetValue(LPCTSTR pszValue) override;
    CString GetValue() const override;
    LONG GetLong() const override;
    DWORD GetDWord() const override;
    double GetDouble() const override;
    CGXAbstractUserAttribute* Clone() const override;
    BOOL IsEqual(const CGXAbstractUserAttribute& other) const override;

    DWORD GetValueType() const
    {
        return m_vtType;
    }

private:
    // Frees a long text and zeroes the value, so that no stale byte is ever archived.
    void SetType(DWORD vtType);
    // A text of up to four characters in place, a longer one as an owned copy.
    void SetText(LPCTSTR pszText);
    LPCTSTR GetText(int& nLength) const;

    DWORD m_vtType = vtEmpty;
    union {
        DWORD dwValue;
        LONG lValue;
        WCHAR szShort[4];
        LPWSTR pszLong;
        double dValue;
        DWORD dwHalves[2]; // low, high
        BYTE bytes[8];
    } m_value;
    static_assert(sizeof(m_value) == 8, "the archive holds 8 value bytes");
};
