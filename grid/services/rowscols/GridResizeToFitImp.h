// Resize to fit: row heights and column widths become what the cells' contents need, each cell
// measured by its own control, never past the visible area.
#pragma once

#include <grid/core/AbstractGridImps.h>

class CGXGridResizeToFitImp : public CGXAbstractGridResizeToFitImp
{
public:
    // TRUE when the fit ran to its end; FALSE when the user aborted it (its changes undone).
    BOOL ResizeRowHeightsToFit(CGXGridCore* pGrid, const CGXRange& range, BOOL bUseCovered, UINT flags) override;
    BOOL ResizeColWidthsToFit(CGXGridCore* pGrid, const CGXRange& range, BOOL bUseCovered, UINT flags) override;

private:
    BOOL Fit(CGXGridCore* pGrid, BOOL bRows, const CGXRange& range, BOOL bUseCovered, UINT flags);
};
