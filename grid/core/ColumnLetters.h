// The letters of a column header: 1 is "A", 26 "Z", 27 "AA", 702 "ZZ", 703 "AAA" (bijective
// base 26). The header labels and the formula engine's references share this one spelling.
#pragma once

#include <grid/core/Range.h>

// Column 0 (the row headers) has no letters and gives an empty text. Any ROWCOL fits in seven
// letters, within the nine a header label may take.
CString GXGetColumnLetters(ROWCOL nCol);
