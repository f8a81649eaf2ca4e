// The freeze and unfreeze commands: the one selected block of whole rows (columns) moves to the
// top (left) after the headers and is frozen; unfreezing moves it back. Each is one undo step.
#pragma once

#include <grid/core/AbstractGridImps.h>

class CGXGridFreezeMenuHelperImp : public CGXAbstractGridFreezeMenuHelperImp
{
public:
    BOOL CanFreezeCols(CGXGridCore* pGrid) override;
    BOOL CanUnfreezeCols(CGXGridCore* pGrid) override;
    void FreezeCols(CGXGridCore* pGrid) override;
    void UnfreezeCols(CGXGridCore* pGrid) override;
    BOOL CanFreezeRows(CGXGridCore* pGrid) override;
    BOOL CanUnfreezeRows(CGXGridCore* pGrid) override;
    void FreezeRows(CGXGridCore* pGrid) override;
    void UnfreezeRows(CGXGridCore* pGrid) override;

private:
    BOOL CanFreeze(CGXGridCore* pGrid, BOOL bRows);
    BOOL CanUnfreeze(CGXGridCore* pGrid, BOOL bRows);
    void Freeze(CGXGridCore* pGrid, BOOL bRows);
    void Unfreeze(CGXGridCore* pGrid, BOOL bRows);
};
