// The pop-up that shows the full text of a cut-off label. The list control creates the object
// empty; its window is made when a tip first shows.
#pragma once

#include <afxwin.h>

#include "ListClient.h"

namespace tarnwick::lists
{
class SECListTip : public CWnd
{
    DECLARE_DYNAMIC(SECListTip)
public:
    explicit SECListTip(SECListClient* pOwner);

    // Takes the tip away, when it shows, forgets its cell and releases the owner's capture.
    virtual void Hide();
    // Called on every mouse move over the owner: shows the cell's full text over its label when
    // the label is cut off, else hides.
    virtual void Show(UINT nHitFlags, int nItem, int nColumn, int x, int y);
    // Paints the tip again when it shows.
    void Refresh();
    int GetTipItem() const;
    // The window's text is the text the tip shows: the label's first line, at most 259
    // characters. WM_GETFONT answers the font it is drawn in, bold for a bold item.

    // Clicks on the tip are clicks on the owner's cell under it.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Shows while the cursor stays over the owner.
    static constexpr UINT_PTR TimerId = 0xF001;
    static constexpr UINT TimerPeriod = 500;

protected:
    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnGetFont(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    BOOL IsCutOff(UINT nHitFlags, int nItem, int nColumn, int nSubItem, CRect& rcCell, CRect& rcLabel) const;
    // The owner's item font, or a bold copy of it for a bold item.
    HFONT ChooseFont(int nItem);

    int m_nItem = -1;
    int m_nColumn = -1;
    SECListClient* m_pOwner;
    CString m_strText;
    CRect m_rcCell;
    HFONT m_hFont = nullptr;
    CFont m_boldFont;
};
} // namespace tarnwick::lists
