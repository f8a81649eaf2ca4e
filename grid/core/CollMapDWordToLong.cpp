#include <grid/core/CollMapDWordToLong.h>

IMPLEMENT_SERIAL(CGXCollMapDWordToLong, CObject, 0)

CGXCollMapDWordToLong::CGXCollMapDWordToLong(INT_PTR nBlockSize) : CGXHashMap(nBlockSize)
{
}

// newKey(key, rNewKey) answers FALSE for a key that is dropped.
template <class FN> void CGXCollMapDWordToLong::Renumber(FN newKey)
{
    // Rows added below the last key change nothing: the map is then not rebuilt.
    BOOL bChanges = FALSE;
    for (POSITION pos = GetStartPosition(); pos != nullptr && !bChanges;)
    {
        DWORD key = 0;
        LONG value = 0;
        GetNextAssoc(pos, key, value);
        DWORD nNewKey = 0;
        bChanges = !newKey(key, nNewKey) || nNewKey != key;
    }
    if (!bChanges)
        return;
    CGXCollMapDWordToLong renumbered;
    renumbered.InitHashTable(GetHashTableSize(), FALSE);
    POSITION pos = GetStartPosition();
    while (pos != nullptr)
    {
        DWORD key = 0;
        LONG value = 0;
        GetNextAssoc(pos, key, value);
        DWORD nNewKey = 0;
        if (newKey(key, nNewKey))
            renumbered.SetAt(nNewKey, value);
    }
    Assign(renumbered);
}

void CGXCollMapDWordToLong::InsertKeys(DWORD nFrom, DWORD nCount)
{
    Renumber([=](DWORD key, DWORD& rNewKey) {
        rNewKey = key >= nFrom ? key + nCount : key;
        return TRUE;
    });
}

void CGXCollMapDWordToLong::RemoveKeys(DWORD nFrom, DWORD nTo)
{
    Renumber([=](DWORD key, DWORD& rNewKey) {
        rNewKey = key > nTo ? key - (nTo - nFrom + 1) : key;
        return key < nFrom || key > nTo;
    });
}

void CGXCollMapDWordToLong::MoveKeys(DWORD nFrom, DWORD nTo, DWORD nDest)
{
    if (nDest == nFrom || nTo < nFrom)
        return;
    const DWORD nLength = nTo - nFrom + 1;
    Renumber([=](DWORD key, DWORD& rNewKey) {
        if (key >= nFrom && key <= nTo)
            rNewKey = key - nFrom + nDest;
        else if (nDest < nFrom && key >= nDest && key < nFrom)
            rNewKey = key + nLength;
        else if (nDest > nFrom && key > nTo && key < nDest + nLength)
            rNewKey = key - nLength;
        else
            rNewKey = key;
        return TRUE;
    });
}
