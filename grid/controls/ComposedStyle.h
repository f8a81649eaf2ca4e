// The composed style of a cell in a style of the grid's pool, recycled with the holder.
#pragma once

#include <grid/core/GridCore.h>

struct ComposedStyle
{
    ComposedStyle(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol) : m_pGrid(pGrid), m_pStyle(pGrid->CreateStyle())
    {
        pGrid->ComposeStyleRowCol(nRow, nCol, m_pStyle);
    }
    ~ComposedStyle()
    {
        m_pGrid->RecycleStyle(m_pStyle);
    }
    ComposedStyle(const ComposedStyle&) = delete;
    ComposedStyle& operator=(const ComposedStyle&) = delete;
    CGXGridCore* m_pGrid;
    CGXStyle* m_pStyle;
};
