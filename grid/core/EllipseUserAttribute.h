// The ellipsis setting of a cell: which kind of ellipsis marks a text cut at the cell's edge.
#pragma once

#include <grid/core/AbstractUserAttribute.h>

class CGXEllipseUserAttribute : public CGXAbstractUserAttribute
{
    DECLARE_SERIAL(CGXEllipseUserAttribute)
public:
    explicit CGXEllipseUserAttribute(DWORD nKind = 0);

    // The kind as a 16-bit word.
    void Serialize(CArchive& ar) override;

    void SetEllipseKind(DWORD nKind)
    {
        m_nKind = nKind;
    }
    DWORD GetEllipseKind() const
    {
        return m_nKind;
    }

    LONG GetLong() const override;
    DWORD GetDWord() const override;
    double GetDouble() const override;
    CGXAbstractUserAttribute* Clone() const override;
    // Compares the kinds alone.
    BOOL IsEqual(const CGXAbstractUserAttribute& other) const override;

private:
    DWORD m_nKind;
};
