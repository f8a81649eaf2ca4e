#include <grid/core/EllipseUserAttribute.h>

IMPLEMENT_SERIAL(CGXEllipseUserAttribute, CGXAbstractUserAttribute, 0)

CGXEllipseUserAttribute::CGXEllipseUserAttribute(DWORD nKind) : m_nKind(nKind)
{
}

void CGXEllipseUserAttribute::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << static_cast<WORD>(m_nKind);
    }
    else
    {
        WORD nKind = 0;
        ar >> nKind;
        m_nKind = nKind;
    }
}

LONG CGXEllipseUserAttribute::GetLong() const
{
    return static_cast<LONG>(m_nKind);
}

DWORD CGXEllipseUserAttribute::GetDWord() const
{
    return m_nKind;
}

double CGXEllipseUserAttribute::GetDouble() const
{
    return m_nKind;
}

CGXAbstractUserAttribute* CGXEllipseUserAttribute::Clone() const
{
    CGXEllipseUserAttribute* pClone = new CGXEllipseUserAttribute(m_nKind);
    pClone->m_nId = m_nId;
    return pClone;
}

BOOL CGXEllipseUserAttribute::IsEqual(const CGXAbstractUserAttribute& other) const
{
    return other.IsKindOf(RUNTIME_CLASS(CGXEllipseUserAttribute)) &&
           static_cast<const CGXEllipseUserAttribute&>(other).m_nKind == m_nKind;
}
