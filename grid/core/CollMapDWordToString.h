// Texts by a 32-bit key: the form in which older archives hold a style's user attributes.
#pragma once

#include <grid/core/HashMap.h>

class CGXCollMapDWordToString : public CGXHashMap<DWORD, CString, GXHashDWordKey>
{
    DECLARE_SERIAL(CGXCollMapDWordToString)
public:
    explicit CGXCollMapDWordToString(INT_PTR nBlockSize = 10);
};
