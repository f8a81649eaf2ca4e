// The cell styles of a data store: at index r the owned style array of row r, or null.
#pragma once

#include <grid/core/StylePtrArray.h>

class CGXStylePtrArrayPtrArray : public CPtrArray
{
    DECLARE_DYNAMIC(CGXStylePtrArrayPtrArray)
public:
    CGXStylePtrArrayPtrArray() = default;
    CGXStylePtrArrayPtrArray(const CGXStylePtrArrayPtrArray&) = delete;
    ~CGXStylePtrArrayPtrArray() override;
    // Copies of the source's rows, nulls kept.
    CGXStylePtrArrayPtrArray& operator=(const CGXStylePtrArrayPtrArray& source);

    // Deletes every row with its styles and empties the array.
    void DeleteAll();
    // Through the application's document-serialize feature; nothing without it.
    void Serialize(CArchive& ar) override;

    // Null past the end.
    CGXStylePtrArray* GetRow(INT_PTR nIndex) const
    {
        return nIndex < GetSize() ? static_cast<CGXStylePtrArray*>(GetAt(nIndex)) : nullptr;
    }
};
