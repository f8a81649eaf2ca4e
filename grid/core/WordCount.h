// The 16-bit element counts of the grid's older archive records.
#pragma once

#include <afx.h>

// Writes nCount as a 16-bit word. The field cannot hold more: rather than write a wrapped count
// that would mislead the reader, storing fails with the framework's archive exception.
inline void GXWriteWordCount(CArchive& ar, INT_PTR nCount)
{
    if (nCount < 0 || nCount > 0xFFFF)
        AfxThrowArchiveException(CArchiveException::genericException, ar.m_strFileName);
    ar << static_cast<WORD>(nCount);
}

// Reads one value of the archive's width for T.
template <class T> T GXReadArchiveValue(CArchive& ar)
{
    T value{};
    ar >> value;
    return value;
}
