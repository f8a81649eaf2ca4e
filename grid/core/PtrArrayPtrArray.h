// Pointer arrays that own what they hold.
#pragma once

#include <afx.h>

// Deletes every object of the array through its virtual destructor, then empties the array.
void DeletePtrArrayObjects(CPtrArray& array);

// A pointer array of pointer arrays: clearing it, or destroying it, deletes the inner arrays.
class CGXPtrArrayPtrArray : public CPtrArray
{
public:
    CGXPtrArrayPtrArray() = default;
    ~CGXPtrArrayPtrArray() override;

    void DeleteAll();
    // Deletes the objects that each inner array holds, then the arrays.
    void DeleteAllObjects();
};
