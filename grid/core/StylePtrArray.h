// A sparse array of owned styles: the base styles of rows or columns, or the cells of one row.
#pragma once

#include <afxcoll.h>

class CGXStyle;

class CGXStylePtrArray : public CPtrArray
{
    DECLARE_DYNAMIC(CGXStylePtrArray)
public:
    CGXStylePtrArray() = default;
    // Clones of the source's styles, nulls kept.
    CGXStylePtrArray(const CGXStylePtrArray& source);
    ~CGXStylePtrArray() override;
    CGXStylePtrArray& operator=(const CGXStylePtrArray& source);

    // Deletes every style and empties the array.
    void DeleteAll();
    // Through the application's document-serialize feature; nothing without it.
    void Serialize(CArchive& ar) override;

    // Null past the end.
    CGXStyle* GetStyle(INT_PTR nIndex) const
    {
        return nIndex < GetSize() ? static_cast<CGXStyle*>(GetAt(nIndex)) : nullptr;
    }
};
