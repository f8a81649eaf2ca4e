// What one paint or measuring pass knows about the cell it is on.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

#include "ListItem.h"

namespace tarnwick::lists
{
struct SECListPaintContext
{
    explicit SECListPaintContext(CDC* pDC) : pDC(pDC)
    {
    }
    virtual ~SECListPaintContext() = default;
    SECListPaintContext(const SECListPaintContext&) = delete;
    SECListPaintContext& operator=(const SECListPaintContext&) = delete;

    // Extra-state bit: the text is drawn grey.
    static constexpr DWORD GrayText = 0x100;
    // The pass flag of a pass that only measures: no colours are chosen.
    static constexpr int MeasurePass = 1;

    LVITEMW item = {};
    DWORD extraState[3] = {};
    CDC* pDC;
    CRect rcCell;
    CRect rcRow;
    int nColumn = 0;
    UINT nViewMode = 0;
    int nFlag = 0;
    HFONT hFont = nullptr;
    // Whether the list had the focus when the paint began: asked once per paint, since every
    // question about the focus is a round trip to the window system.
    BOOL bFocus = FALSE;
    SECListItem* pItem = nullptr;
    SECListSubItem* pSubItem = nullptr;
    SECListColumn* pColumn = nullptr;
    COLORREF crText = 0;
    COLORREF crCellBk = 0;
    COLORREF crRowBk = 0;
    COLORREF crLine = 0;
};
} // namespace tarnwick::lists
