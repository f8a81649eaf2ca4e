#include <grid/core/PtrArrayPtrArray.h>

void DeletePtrArrayObjects(CPtrArray& array)
{
    for (INT_PTR i = 0; i < array.GetSize(); ++i)
        delete static_cast<CObject*>(array[i]);
    array.RemoveAll();
}

CGXPtrArrayPtrArray::~CGXPtrArrayPtrArray()
{
    DeleteAll();
}

void CGXPtrArrayPtrArray::DeleteAll()
{
    DeletePtrArrayObjects(*this);
}

void CGXPtrArrayPtrArray::DeleteAllObjects()
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        if (CPtrArray* pInner = static_cast<CPtrArray*>(GetAt(i)))
            DeletePtrArrayObjects(*pInner);
    }
    DeleteAll();
}
