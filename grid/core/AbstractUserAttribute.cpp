#include <grid/core/AbstractUserAttribute.h>

#include <grid/core/AppData.h>

#include <cstdlib>

IMPLEMENT_SERIAL(CGXAbstractUserAttribute, CObject, 0)

void CGXAbstractUserAttribute::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << GetValue();
    }
    else
    {
        CString strValue;
        ar >> strValue;
        SetValue(strValue);
    }
}

CGXAbstractUserAttribute& CGXAbstractUserAttribute::SetValue(LPCTSTR)
{
    return *this;
}

CString CGXAbstractUserAttribute::GetValue() const
{
    return CString();
}

LONG CGXAbstractUserAttribute::GetLong() const
{
    return _wtol(GetValue());
}

DWORD CGXAbstractUserAttribute::GetDWord() const
{
    return static_cast<DWORD>(_wtol(GetValue()));
}

double CGXAbstractUserAttribute::GetDouble() const
{
    return GXWcsToDouble(GetValue());
}

CGXAbstractUserAttribute* CGXAbstractUserAttribute::Clone() const
{
    return nullptr;
}

BOOL CGXAbstractUserAttribute::IsEqual(const CGXAbstractUserAttribute& other) const
{
    return m_nId == other.m_nId && GetValue() == other.GetValue();
}

BOOL CGXAbstractUserAttribute::IsEmpty() const
{
    return GetValue().IsEmpty();
}
