// Sparse pointer arrays in the grid's archive records: the size, then the index and element of
// every non-null entry in index order, then 0xFFFFFFFF.
#pragma once

#include <grid/core/WordCount.h>

#include <afx.h>

constexpr DWORD GX_SPARSE_END = 0xFFFFFFFF;

// storeElement(p) writes the element p.
template <class StoreElement> void GXStoreSparse(CArchive& ar, const CPtrArray& array, StoreElement storeElement)
{
    ar << static_cast<DWORD>(array.GetSize());
    for (INT_PTR i = 0; i < array.GetSize(); ++i)
    {
        if (void* p = array.GetAt(i))
        {
            ar << static_cast<DWORD>(i);
            storeElement(p);
        }
    }
    ar << GX_SPARSE_END;
}

// loadElement() reads one element and returns it as a std::unique_ptr. The array, emptied by the
// caller, takes each element once it is read whole, and grows only up to the highest index read
// so: never to a size that a count or an index alone claims. What was read stays with the array
// whatever fails. An index at or past the count, or at or past dwLimit where the caller knows
// how far the array may reach, throws CArchiveException::badIndex.
template <class LoadElement>
void GXLoadSparse(CArchive& ar, CPtrArray& array, LoadElement loadElement, DWORD dwLimit = GX_SPARSE_END)
{
    ASSERT(array.GetSize() == 0);
    const DWORD dwSize = GXReadArchiveValue<DWORD>(ar);
    for (DWORD dwIndex = GXReadArchiveValue<DWORD>(ar); dwIndex != GX_SPARSE_END;
         dwIndex = GXReadArchiveValue<DWORD>(ar))
    {
        if (dwIndex >= dwSize || dwIndex >= dwLimit)
            AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
        auto pElement = loadElement();
        using Element = typename decltype(pElement)::element_type;
        if (static_cast<INT_PTR>(dwIndex) >= array.GetSize())
            array.SetSize(static_cast<INT_PTR>(dwIndex) + 1);
        delete static_cast<Element*>(array[dwIndex]);
        array[dwIndex] = pElement.release();
    }
}
