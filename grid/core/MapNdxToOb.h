// Objects by a key of two 32-bit words: the grid's caches of fonts, brushes and pens.
#pragma once

#include <grid/core/HashMap.h>

class CMapNdxToOb : public CGXHashMap<GXDWORDPAIR, CObject*, GXHashFirstWord>
{
    DECLARE_SERIAL(CMapNdxToOb)
public:
    explicit CMapNdxToOb(INT_PTR nBlockSize = 10);
};
