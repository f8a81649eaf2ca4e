// The edit cell holding a whole number, with up and down arrows at the cell's right edge that
// step it within optional bounds, wrapping around when the cell asks for it.
#pragma once

#include <grid/controls/EditControl.h>

class CGXUpArrowButton;
class CGXDownArrowButton;

class CGXSpinEdit : public CGXEditControl
{
    DECLARE_DYNAMIC(CGXSpinEdit)
public:
    CGXSpinEdit(CGXGridCore* pGrid, UINT nID);

    static const GXControlClass ctlClassCGXSpinEdit;
    static CGXControl* Create(CGXGridCore* pGrid);
    // The user attributes of the bounds, their wrapping and an empty cell's value.
    static void RegisterUserAttributes(CGXStylesMap* pStylesMap);
    static constexpr int nButtonStrip = 14;

    CRect GetCellClientRect(CRect& rectOut, ROWCOL nRow, ROWCOL nCol, const CRect* pRect = nullptr,
                            const CGXStyle* pStyle = nullptr) override;
    CSize AddFrameToSize(CSize& size, CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle) override;
    void Init(ROWCOL nRow, ROWCOL nCol) override;
    void LayoutChildren(ROWCOL nRow, ROWCOL nCol, const CRect& rect) override;
    BOOL OnLButtonDown(UINT nFlags, CPoint point) override;
    BOOL OnChildClicked(CGXChild* pChild) override;
    const GXControlClass* GetControlClass() const override;

    CGXChild* UpArrow() const;
    CGXChild* DownArrow() const;

private:
    // The bounds of the bound cell from its cached style.
    void ReadBounds();
    // One step of the value up or down, wrapped or held within the bounds.
    long Step(long nValue, BOOL bUp) const;

    CGXUpArrowButton* m_pUpArrow;
    CGXDownArrowButton* m_pDownArrow;
    BOOL m_bWrap = FALSE;
    long m_nMin = 0;
    long m_nMax = 0;
    BOOL m_bHasMin = FALSE;
    BOOL m_bHasMax = FALSE;
    BOOL m_bHasStart = FALSE;
    long m_nStart = 0;
};
