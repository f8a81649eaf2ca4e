// The update hint that a grid sends to the other views of its document; every view replays
// it through the same core operation.
#pragma once

#include <afx.h>

#include <grid/core/Range.h>

class CGXStyle;

class CGXGridHint : public CObject
{
    DECLARE_DYNAMIC(CGXGridHint)
public:
    // The view identity of a hint meant for every view.
    static constexpr DWORD allViews = 0xFFFFFFFF;

    CGXGridHint(DWORD id, DWORD viewId);

    DWORD id;
    CGXRange range;
    const CGXStyle* style = nullptr;
    DWORD styleMode = 0;
    ROWCOL row1 = 0;
    ROWCOL row2 = 0;
    ROWCOL row3 = 0;
    ROWCOL col1 = 0;
    ROWCOL col2 = 0;
    ROWCOL col3 = 0;
    DWORD value1 = 0;
    DWORD value2 = 0;
    void* object = nullptr;
    UINT flags = 0;
    DWORD viewId;
};
