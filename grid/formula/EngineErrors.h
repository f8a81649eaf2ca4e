// The formula engine reports every failure as an integer code; this is the one table that
// turns a code into the text the user sees.
#pragma once

#include <afx.h>

enum : int
{
    GX_ENGINE_ERROR_COUNT = 382
};

// The message of a code: "unknown error" for 0 and any code above 381, the empty text for a
// code of the range that has no message. Points into a constant table.
LPCTSTR GXEngineErrorText(int nCode);

// The "expected to find ..." code for a token class 0 to 42; any other class gives 225.
int GXEngineExpectedTokenError(int nTokenClass);
