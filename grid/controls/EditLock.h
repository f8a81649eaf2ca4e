// While a direct cut waits for its paste, the grid clears cells on Delete itself and pastes
// nothing into an active cell: the cell controls leave those keys to it.
#pragma once

#include <grid/core/GridParam.h>

inline BOOL GXIsEditLocked(const CGXGridParam* pParam)
{
    return pParam == nullptr || pParam->CutPending();
}
