// The growable array of sort keys that the sort feature fills. Its records are fixed-size and
// zero-filled when made; their fields belong to the sort feature.
#pragma once

#include <afx.h>

class CGXSortInfoArray : public CObject
{
    DECLARE_DYNAMIC(CGXSortInfoArray)
public:
    // Key types.
    enum : DWORD
    {
        numeric = 0,
        text = 1,
        date = 2,
        absolute = 3,
        autodetect = 4
    };
    // One sort key: the column (sorting rows) or row (sorting columns) that holds the key, its
    // type, direction and case, a word the sort leaves alone, and the sort's work flags "every
    // value numeric" and "every value a date" of an automatic key.
    struct SortKey
    {
        DWORD nRowCol;
        DWORD nType;
        DWORD bDescending;
        DWORD bCase;
        DWORD dwReserved;
        DWORD bAllNumeric;
        DWORD bAllDates;
    };

    CGXSortInfoArray() = default;
    CGXSortInfoArray(const CGXSortInfoArray&) = delete;
    CGXSortInfoArray& operator=(const CGXSortInfoArray&) = delete;
    ~CGXSortInfoArray() override;

    // nGrowBy -1 keeps the grow step; 0 grows by an eighth of the size, 4 to 1024 records.
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);
    INT_PTR GetSize() const
    {
        return m_nSize;
    }
    INT_PTR GetCapacity() const
    {
        return m_nMaxSize;
    }
    SortKey& operator[](INT_PTR nIndex);
    const SortKey& operator[](INT_PTR nIndex) const;

private:
    static_assert(sizeof(SortKey) == 28);
    SortKey* m_pData = nullptr;
    INT_PTR m_nSize = 0;
    INT_PTR m_nMaxSize = 0;
    INT_PTR m_nGrowBy = 0;
};
