// The edit cell that masks its text: every character shows as the password character in the
// cell and in the edit window, and nothing reaches the clipboard. The stored value stays clear.
#pragma once

#include <grid/controls/EditControl.h>

class CGXPasswordControl : public CGXEditControl
{
    DECLARE_DYNAMIC(CGXPasswordControl)
public:
    CGXPasswordControl(CGXGridCore* pGrid, UINT nID);

    static const GXControlClass ctlClassCGXPasswordControl;
    static CGXControl* Create(CGXGridCore* pGrid);

    BOOL FormatDisplayText(CString& strOut, ROWCOL nRow, ROWCOL nCol, LPCTSTR pszText, const CGXStyle& style) override;
    void SetValue(LPCTSTR pszText) override;
    DWORD CalcEditStyle(CRect* pRect, const int* pLineHeight) override;
    BOOL CopyToClipboard() override;
    BOOL CutToClipboard() override;
    BOOL CanFloatCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, BOOL bFloatOrFlood) override;
    BOOL ReservedHookA(DWORD dwValue1, DWORD dwValue2, DWORD dwValue3, DWORD dwValue4) override;
    const GXControlClass* GetControlClass() const override;

    TCHAR GetMaskChar() const
    {
        return m_chPassword;
    }

protected:
    afx_msg LRESULT OnWndLButtonDownDefault(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bMasking = TRUE;
    TCHAR m_chPassword;
};
