#include <grid/core/GridOldDrawingImp.h>

#include <grid/core/DrawStruct.h>
#include <grid/core/GridCore.h>
#include <grid/core/GridParam.h>
#include <grid/core/Properties.h>

BOOL CGXGridOldDrawingImp::DrawCells(CGXGridCore* pGrid, CDC* pDC, DrawStruct& ds)
{
    const CGXGridParam* pParam = pGrid->GetParam();
    if (!pGrid->m_bOldDrawing && (pParam == nullptr || !pParam->m_bOldDrawing))
        return FALSE;
    // A metafile without an attribute context keeps no clipping.
    const BOOL bClip = pDC->m_hAttribDC != nullptr;
    for (unsigned i = 0; i < ds.nRowCount; ++i)
    {
        if (bClip)
            pDC->IntersectClipRect(ds.rectClip.left, ds.anRowTops[i], ds.rectClip.right,
                                   ds.anRowTops[i] + ds.anRowHeights[i]);
        pGrid->DrawRowBackgrounds(ds, i);
        for (unsigned j = 0; j < ds.nColCount; ++j)
        {
            ds.rectCell = ds.CellRect(i, j);
            pGrid->DrawCell(ds, i, j);
        }
        if (bClip)
        {
            pDC->SelectClipRgn(nullptr);
            pDC->IntersectClipRect(ds.rectClip);
        }
    }
    for (unsigned j = 0; j < ds.nColCount; ++j)
        pGrid->DrawColumnLines(ds, j);
    for (unsigned i = 0; i < ds.nRowCount; ++i)
        pGrid->DrawRowLines(ds, i);
    DrawGridFrame(pGrid, ds);
    return TRUE;
}

// Past the last column (row) the area is filled; the table's own lines were drawn with the cells.
BOOL CGXGridOldDrawingImp::DrawGridFrame(CGXGridCore* pGrid, DrawStruct& ds)
{
    if (pGrid->IsPrinting())
        return FALSE;
    pGrid->FillBeyondGrid(ds);
    return TRUE;
}
