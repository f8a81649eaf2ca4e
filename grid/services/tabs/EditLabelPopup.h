// The in-place editor of a sheet tab's name: Enter tells the tab window to take the text,
// Escape and a loss of the focus to drop it.
#pragma once

#include <afxwin.h>

class CGXEditLabelPopup : public CEdit
{
public:
    // Bordered with a dialog frame, or without it in the flat look; auto-scrolling.
    static constexpr DWORD dwStyleFramed = 0x10C00080;
    static constexpr DWORD dwStyleFlat = 0x10800080;
    static_assert(dwStyleFramed == (WS_VISIBLE | WS_CAPTION | ES_AUTOHSCROLL) &&
                  dwStyleFlat == (WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL));

    // A child of the tab window (the styles above lack WS_CHILD, which would place a top-level
    // window at screen coordinates, away from its tab).
    BOOL Create(const CRect& rect, CWnd* pTabWnd, UINT nID, BOOL bFlat);

protected:
    void PostNcDestroy() override;

    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg UINT OnGetDlgCode();

    DECLARE_MESSAGE_MAP()
};
