// The workbook's MDI client: it sits inside margins that leave room for the tab row and the
// border, and tells the frame when the active sheet may have changed.
#pragma once

#include <afxwin.h>

namespace tarnwick::frames
{
// Sent to the workbook frame when the active sheet may have changed.
constexpr UINT WM_SECWORKBOOK_ACTIVESHEET = 0x84D;
// Sent to the MDI client by a worksheet so that the tabs follow its activation.
constexpr UINT WM_SECWORKBOOK_REFRESHTABS = 0x84E;

class SECWorkbookClientWnd : public CWnd
{
public:
    SECWorkbookClientWnd();

    void SetMargins(int nLeft, int nTop, int nRight, int nBottom);
    const CRect& GetMargins() const
    {
        return m_rectMargins;
    }

    // The client's place shrinks by the margins.
    void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = adjustBorder) override;

protected:
    afx_msg LRESULT OnMDISetMenu(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    CRect m_rectMargins;
};
} // namespace tarnwick::frames
