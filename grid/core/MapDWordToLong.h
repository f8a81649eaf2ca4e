// The row-height and column-width maps of the parameter object, which can be assigned.
#pragma once

#include <grid/core/CollMapDWordToLong.h>

class CGXMapDWordToLong : public CGXCollMapDWordToLong
{
    DECLARE_SERIAL(CGXMapDWordToLong)
public:
    explicit CGXMapDWordToLong(INT_PTR nBlockSize = 10);

    // Empties this map and inserts every pair of the source.
    CGXMapDWordToLong& operator=(const CGXMapDWordToLong& source);
};
