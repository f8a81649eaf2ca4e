// The edit cell with a small hot-spot button in its top right corner; a press of the button
// is reported to the grid as a button click of the cell.
#pragma once

#include <grid/controls/EditControl.h>

class CGXHotSpotButton;

class CGXHotSpotEdit : public CGXEditControl
{
    DECLARE_DYNAMIC(CGXHotSpotEdit)
public:
    CGXHotSpotEdit(CGXGridCore* pGrid, UINT nID);

    static const GXControlClass ctlClassCGXHotSpotEdit;
    static CGXControl* Create(CGXGridCore* pGrid);
    // The strip at the cell's right that the button takes from the text.
    static constexpr int nButtonStrip = 13;

    CRect GetCellClientRect(CRect& rectOut, ROWCOL nRow, ROWCOL nCol, const CRect* pRect = nullptr,
                            const CGXStyle* pStyle = nullptr) override;
    CSize AddFrameToSize(CSize& size, CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle) override;
    void Init(ROWCOL nRow, ROWCOL nCol) override;
    void LayoutChildren(ROWCOL nRow, ROWCOL nCol, const CRect& rect) override;
    const GXControlClass* GetControlClass() const override;

    CGXHotSpotButton* HotSpot() const
    {
        return m_pHotSpot;
    }

private:
    CGXHotSpotButton* m_pHotSpot;
};
