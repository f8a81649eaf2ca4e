// The grid's edit lock: while the parameter's setting is set, the grid clears cells on Delete
// itself and pastes nothing into an active cell; the cell controls leave those keys.
#pragma once

#include <grid/core/GridParam.h>

inline BOOL GXIsEditLocked(const CGXGridParam* pParam)
{
    return pParam == nullptr || pParam->GetEditLock();
}
