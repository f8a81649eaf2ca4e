// The drawn check box cell: a 13-pixel box from a bitmap strip (or the platform theme) with the
// style's choice list as its label. The cell's value says checked, unchecked or, in a
// three-state box, indeterminate; a click in the box or the space bar toggles it.
#pragma once

#include <grid/controls/Control.h>
#include <grid/core/ResourceIds.h>

#include <uxtheme.h>

class CGXCheckBox : public CGXControl
{
public:
    CGXCheckBox(CGXGridCore* pGrid, BOOL bDraw3d = FALSE, UINT nBitmapResourceId = 0, UINT nPrintResourceId = 0);
    // Frees both strips.
    ~CGXCheckBox() override;

    static const GXControlClass classCGXCheckBox;
    static CGXControl* CreateFlat(CGXGridCore* pGrid);
    static CGXControl* Create3d(CGXGridCore* pGrid);
    // "Checkbox: Checked Value" and "Checkbox: Unchecked Value".
    static void RegisterUserAttributes(CGXStylesMap* pStylesMap);

    // State bits of a drawing.
    enum : UINT
    {
        stateCurrent = 0x01,
        stateGrey = 0x02,
        stateChecked = 0x04,
        stateUnchecked = 0x08
    };
    // The strips' images, 13 pixels apart.
    enum : int
    {
        imageUnchecked = 0,
        imageChecked = 1,
        imageUncheckedGrey = 2,
        imageCheckedGrey = 3,
        imageIndeterminate = 4
    };
    static constexpr UINT idStrip3d = GX_IDB_CHECKBOX_3D;
    static constexpr UINT idStrip3dOld = GX_IDB_CHECKBOX_3D_OLD;
    static constexpr UINT idStripFlat = GX_IDB_CHECKBOX_FLAT;

    virtual UINT GetState(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style);
    virtual void DrawCheckBox(CDC* pDC, CRect rect, UINT nState, UINT nAlign, LPCTSTR pszText);
    virtual CRect ComputeCheckBoxRect(CDC* pDC, CRect rect, LPCTSTR pszText, UINT nAlign);
    virtual COLORREF TranslateColor(COLORREF rgb, int nStrip);
    virtual void DrawThemedCheckBox(HTHEME hTheme, CDC* pDC, CRect rect, UINT nState, UINT nAlign, LPCTSTR pszText);
    virtual BOOL LoadBitmaps();

    const GXControlClass* GetControlClass() const override;
    CSize GetPreferredSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, int nDirection) override;
    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
              const CGXStyle* pStandardStyle) override;
    // In a three-state box a text that is neither value becomes empty (indeterminate).
    BOOL CanStoreValue(ROWCOL nRow, ROWCOL nCol, CString& strText, const CGXStyle* pStyle) override;
    BOOL OnMouseMove(UINT nFlags, CPoint point) override;
    BOOL OnLButtonDown(UINT nFlags, CPoint point) override;
    BOOL OnLButtonUp(UINT nFlags, CPoint point) override;
    BOOL OnLButtonDblClk(UINT nFlags, CPoint point) override;
    // The space character toggles; the key-down of the space bar does not.
    BOOL OnKeyMessage(UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags) override;
    // The toggle: checked, unchecked, (indeterminate in a three-state box), checked.
    BOOL OnChildClicked(CGXChild* pChild) override;
    // The strips are recoloured for the new system colours.
    void NotifyChildrenB() override;
    // A pressed box is released.
    void CancelChildTracking() override;

    // The image of a state.
    static int ImageOfState(UINT nState);
    BOOL IsPressed() const
    {
        return m_bScope;
    }

protected:
    // The style a press in the box reads: the grid's style of the bound cell.
    virtual const CGXStyle* GetPressStyle();
    // The value after the style's one in the toggle's cycle.
    static CString NextValue(const CGXStyle& style);
    // The cell's checked and unchecked texts, "1" and "0" when their attributes are empty.
    static CString CheckedValue(const CGXStyle& style);
    static CString UncheckedValue(const CGXStyle& style);
    static BOOL IsThreeState(const CGXStyle& style);
    static BOOL IsStyleReadOnly(const CGXStyle& style);
    static CString LabelOf(const CGXStyle& style);

private:
    // Frees both strips.
    void FreeBitmaps();
    // Writes TranslateColor's answers into a loaded strip's colour table.
    void RecolorStrip(HGLOBAL hStrip, int nStrip);
    // Stores the pressed look and redraws the cell when it changes.
    void SetPressed(BOOL bPressed);

    BOOL m_bDraw3d;
    HGLOBAL m_hbmNormal = nullptr;
    HGLOBAL m_hbmPrint = nullptr;
    UINT m_nBitmapResourceId;
    UINT m_nPrintResourceId;
    int m_nCheckBoxSize = 13;
    BOOL m_bScope = FALSE;
    CRect m_rectBox;
};
