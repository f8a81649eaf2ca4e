// The combo cell whose dropped list has a check box before each entry. The cell shows the
// choice list's first line as a caption and stores the checked entries as one number, bit i
// for entry i. The number holds 31 entries; entries past them cannot be checked.
#pragma once

#include <grid/controls/ComboBox.h>

class CGXCheckListComboBox : public CGXComboBox
{
    DECLARE_DYNAMIC(CGXCheckListComboBox)
public:
    CGXCheckListComboBox(CGXGridCore* pGrid, UINT nEditID, UINT nListBoxID);

    static const GXControlClass ctlClassCGXCheckListComboBox;
    // The factory's maker for a control id; edit and list take the id.
    template <UINT nId> static CGXControl* Create(CGXGridCore* pGrid)
    {
        return new CGXCheckListComboBox(pGrid, nId, nId);
    }
    // The entries that the stored number can hold.
    static constexpr int nMaxCheckable = 31;

    BOOL ProcessChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    DWORD CalcEditStyle(CRect* pRect, const int* pLineHeight) override;
    CListBox* CreateListBox(CGXGridCombo* pPopup) override;
    void OnFillDroppedList(CListBox* pList) override;
    void OnStoreDroppedList(CListBox* pList) override;

    const GXControlClass* GetControlClass() const override;
    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
              const CGXStyle* pStandardStyle) override;
    BOOL FormatDisplayText(CString& strOut, ROWCOL nRow, ROWCOL nCol, LPCTSTR pszText, const CGXStyle& style) override;
    BOOL OnLButtonUp(UINT nFlags, CPoint point) override;
    BOOL OnKeyMessage(UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags) override;

protected:
    // The checks of a value: its bits, 0 for an empty or foreign text.
    static unsigned ParseChecks(const CString& strValue);

    afx_msg LRESULT OnWndSetFocus(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnListClose(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnListSelChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnListKillFocus(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    int m_nItems = 0;
};

class CGXCheckListComboLBox : public CCheckListBox
{
public:
    explicit CGXCheckListComboLBox(CWnd* pOwner);

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;

protected:
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bKeyUsed = FALSE;
    BOOL m_bLButtonDown = FALSE;
    CWnd* m_pOwner;
    int m_nSelAtKey = LB_ERR;
    BOOL m_bAlphaNumericKey = FALSE;
};
