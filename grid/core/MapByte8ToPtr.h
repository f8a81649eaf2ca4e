// Pointers by an 8-byte key compared whole.
#pragma once

#include <grid/core/HashMap.h>

class CGXMapByte8ToPtr : public CGXHashMap<GXDWORDPAIR, void*, GXHashFirstWord>
{
    DECLARE_SERIAL(CGXMapByte8ToPtr)
public:
    explicit CGXMapByte8ToPtr(INT_PTR nBlockSize = 10);
};
