// The pop-up frame that a combo-box cell drops down: it carries the cell's list box, passes the
// list's commands on to the cell's edit window and can paint the list in the cell's colours.
// While a drop-down window of a cell is being created the process-wide drop-down flag is set,
// so that the grid does not take the creation's focus and activation changes for the user's.
#pragma once

#include <afxwin.h>

#include <toolkit/foundation/ScopedValue.h>

class CGXGridCombo : public CWnd
{
public:
    // Creates the visible pop-up one pixel left of the rectangle and one pixel wider (screen
    // coordinates); the owner gets the list's commands.
    CGXGridCombo(CWnd* pOwner, const CRect& rect);
    // Destroys the list box, the brush and the window.
    ~CGXGridCombo() override;

    // The list then paints its background in the colour and its text in the text colour.
    void SetColor(COLORREF rgbText, COLORREF rgbBack);
    // Takes ownership of the child list box.
    void SetListBox(CWnd* pListBox);
    CWnd* GetListBox() const
    {
        return m_pListBox;
    }

    static void SetDropDownOwner(BOOL bSet);
    static BOOL IsDropDownOwner();
    // Sets the drop-down flag for the scope of the value returned and restores it after.
    static tarnwick::foundation::SECScopedValue<BOOL> ScopedDropDownOwner();

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    CWnd* m_pListBox = nullptr;
    CWnd* m_pOwner;
    BOOL m_bColor = FALSE;
    CBrush m_brush;
    COLORREF m_rgbText = 0;
    COLORREF m_rgbBack = 0;

    static BOOL s_bDropDownOwner;
};
