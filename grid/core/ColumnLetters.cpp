#include <grid/core/ColumnLetters.h>

CString GXGetColumnLetters(ROWCOL nCol)
{
    WCHAR letters[10];
    int first = _countof(letters) - 1;
    letters[first] = L'\0';
    // Bijective base 26 has no zero digit: take one off before each division.
    for (ULONGLONG n = nCol; n > 0; n = (n - 1) / 26)
        letters[--first] = static_cast<WCHAR>(L'A' + (n - 1) % 26);
    return CString(letters + first);
}
