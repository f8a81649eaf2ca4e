// Deep copies of a grid's parameter object, styles map and properties.
#pragma once

#include <grid/core/AbstractImps.h>

class CGXGridParamCopyOperatorImp : public CGXAbstractGridParamCopyOperatorImp
{
public:
    // The destination gets its own copy of every object the source points to, owned or not;
    // the own-flags are copied as they are, and what the copy made is deleted with the
    // destination all the same. The undo and redo lists stay the destination's.
    void CopyParam(CGXGridParam& dest, const CGXGridParam& src) override;
    void CopyStylesMap(CGXStylesMap& dest, const CGXStylesMap& src) override;
    // A source with colour names but fewer colour values throws CInvalidArgException before
    // anything changes.
    void CopyProperties(CGXProperties& dest, const CGXProperties& src) override;
};

void GXInstallGridParamCopyOperatorImp();
