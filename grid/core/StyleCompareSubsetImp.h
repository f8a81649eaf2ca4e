// Whether one style specifies everything another does, with equal values.
#pragma once

#include <grid/core/AbstractImps.h>

class CGXStyleCompareSubsetImp : public CGXAbstractStyleCompareSubsetImp
{
public:
    // TRUE when every attribute that other includes is included by style with an equal value:
    // text colours after system colours are resolved, the borders side by side, the font by
    // the font subset test, user attributes by id.
    BOOL IsSubset(const CGXStyle& style, const CGXStyle& other) override;
};

void GXInstallStyleCompareSubsetImp();
