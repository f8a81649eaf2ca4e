// The old painting path of the cell area: cells row by row, each row clipped to itself, then the
// grid lines; and the frame of the table with the area beyond it.
#pragma once

#include <grid/core/AbstractGridImps.h>

class CGXGridOldDrawingImp : public CGXAbstractGridOldDrawingImp
{
public:
    // FALSE (nothing drawn) unless the grid or its parameter object asks for the old drawing.
    BOOL DrawCells(CGXGridCore* pGrid, CDC* pDC, DrawStruct& ds) override;
    BOOL DrawGridFrame(CGXGridCore* pGrid, DrawStruct& ds) override;
};
