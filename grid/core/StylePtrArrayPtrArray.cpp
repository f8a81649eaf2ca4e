#include <grid/core/StylePtrArrayPtrArray.h>

#include <grid/core/AppData.h>
#include <grid/core/PtrArrayPtrArray.h>

IMPLEMENT_DYNAMIC(CGXStylePtrArrayPtrArray, CPtrArray)

CGXStylePtrArrayPtrArray::~CGXStylePtrArrayPtrArray()
{
    DeleteAll();
}

CGXStylePtrArrayPtrArray& CGXStylePtrArrayPtrArray::operator=(const CGXStylePtrArrayPtrArray& source)
{
    if (&source == this)
        return *this;
    DeleteAll();
    SetSize(source.GetSize());
    for (INT_PTR i = 0; i < source.GetSize(); ++i)
    {
        if (const CGXStylePtrArray* pRow = source.GetRow(i))
            SetAt(i, new CGXStylePtrArray(*pRow));
    }
    return *this;
}

void CGXStylePtrArrayPtrArray::DeleteAll()
{
    DeletePtrArrayObjects(*this);
}

void CGXStylePtrArrayPtrArray::Serialize(CArchive& ar)
{
    if (CGXAbstractGridDocSerializeImp* pImp = GXGetAppDataPtr()->m_pDocSerializeImp)
        pImp->SerializeStyleRows(*this, ar);
}
