// A value that a cell style carries under a 16-bit attribute id (a string-resource id) for the
// cell controls. The base knows the value only as text.
#pragma once

#include <afx.h>

class CGXAbstractUserAttribute : public CObject
{
    DECLARE_SERIAL(CGXAbstractUserAttribute)
public:
    CGXAbstractUserAttribute() = default;

    // The text value as a framework string.
    void Serialize(CArchive& ar) override;

    virtual CGXAbstractUserAttribute& SetValue(LPCTSTR pszValue);
    CGXAbstractUserAttribute& SetValue(const CString& strValue)
    {
        return SetValue(static_cast<LPCTSTR>(strValue));
    }
    virtual CString GetValue() const;
    virtual LONG GetLong() const;
    virtual DWORD GetDWord() const;
    virtual double GetDouble() const;
    // A new copy owned by the caller; null when the class has no value to copy.
    virtual CGXAbstractUserAttribute* Clone() const;
    virtual BOOL IsEqual(const CGXAbstractUserAttribute& other) const;
    virtual BOOL IsEmpty() const;

    WORD m_nId = 0;
};
