// The composed style of a cell in a style of the grid's pool, recycled with the holder.
#pragma once

#include <grid/core/GridCore.h>

#include <memory>

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

// The given style, or else the cell's composed style, which the holder keeps alive.
inline const CGXStyle* GXStyleOrComposed(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle,
                                         std::unique_ptr<ComposedStyle>& composed)
{
    if (pStyle != nullptr)
        return pStyle;
    composed = std::make_unique<ComposedStyle>(pGrid, nRow, nCol);
    return composed->m_pStyle;
}
