#include <grid/core/StylePtrArray.h>

#include <grid/core/AppData.h>
#include <grid/core/PtrArrayPtrArray.h>
#include <grid/core/Style.h>

IMPLEMENT_DYNAMIC(CGXStylePtrArray, CPtrArray)

CGXStylePtrArray::CGXStylePtrArray(const CGXStylePtrArray& source) : CPtrArray()
{
    *this = source;
}

CGXStylePtrArray::~CGXStylePtrArray()
{
    DeleteAll();
}

CGXStylePtrArray& CGXStylePtrArray::operator=(const CGXStylePtrArray& source)
{
    if (&source == this)
        return *this;
    DeleteAll();
    SetSize(source.GetSize());
    for (INT_PTR i = 0; i < source.GetSize(); ++i)
    {
        if (const CGXStyle* pStyle = source.GetStyle(i))
            SetAt(i, pStyle->Clone());
    }
    return *this;
}

void CGXStylePtrArray::DeleteAll()
{
    DeletePtrArrayObjects(*this);
}

void CGXStylePtrArray::Serialize(CArchive& ar)
{
    if (CGXAbstractGridDocSerializeImp* pImp = GXGetAppDataPtr()->m_pDocSerializeImp)
        pImp->SerializeStyleArray(*this, ar);
}
