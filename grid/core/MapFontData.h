// Pointers by a packed font description (two 32-bit words), in 257 buckets.
#pragma once

#include <grid/core/HashMap.h>

class CGXMapFontData : public CGXHashMap<GXDWORDPAIR, void*, GXHashFirstWord>
{
    DECLARE_SERIAL(CGXMapFontData)
public:
    explicit CGXMapFontData(INT_PTR nBlockSize = 10);
};
