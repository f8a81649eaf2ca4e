// The row and column header cells: a raised or flat button face, a pressed look for the headers
// of selected rows and columns, the current row's or column's header in bold in the flat look,
// pictures, rotated and ellipsis texts.
#pragma once

#include <grid/controls/Static.h>

class CGXHeader : public CGXStatic
{
public:
    explicit CGXHeader(CGXGridCore* pGrid);

    static const GXControlClass classCGXHeader;
    static CGXControl* Create(CGXGridCore* pGrid);

    virtual BOOL GetHighlightSelected();
    virtual void SetHighlightSelected(BOOL bHighlight);
    virtual COLORREF GetHighlightColor();
    virtual void SetHighlightColor(COLORREF rgbHighlight);

    const GXControlClass* GetControlClass() const override;
    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
              const CGXStyle* pStandardStyle) override;
    // A focus rectangle over the rectangle.
    void DrawCurrentCellFrame(CDC* pDC, const CRect& rect) override;
    // The toolkit's visual-style colours follow the system colours.
    void NotifyChildrenB() override;
    // Whether the header (row, col) is marked: the base's answer, or, while the grid marks the
    // headers of selected rows or columns, whether the selection covers its row or column.
    LRESULT ForwardFeatureC(DWORD dwRow, DWORD dwCol, DWORD dwValue3) override;

private:
    // The face: raised, pressed (marked) or the flat look's lines.
    void DrawFace(CDC* pDC, const CRect& rectInner, BOOL bMarked, BOOL bFlat, BOOL bThemed);
    // While printing, the frozen rows' and columns' edges of a header cell without a border.
    void DrawPrintedEdges(CDC* pDC, const CRect& rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style);
    void DrawText(CDC* pDC, const CRect& rectText, const CRect& rectCell, const CGXStyle& style, const CString& strText);

    COLORREF m_rgbHighlight = RGB(255, 180, 95);
    BOOL m_bHighlightSelected = FALSE;
};
