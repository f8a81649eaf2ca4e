// The tree control window: the tree on the list control, with its own mouse, key, timer and
// border handling.
#pragma once

#include "TreeBaseC.h"

#include <uxtheme.h>

namespace tarnwick::lists
{
class SECTreeCtrl : public SECTreeBaseC
{
    DECLARE_DYNAMIC(SECTreeCtrl)
public:
    SECTreeCtrl() = default;
    ~SECTreeCtrl() override;

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnThemeChanged(WPARAM wParam, LPARAM lParam);
    // The themed border; without a theme nothing is drawn.
    void OnNcPaint();
    DECLARE_MESSAGE_MAP()

private:
    HTHEME m_hBorderTheme = nullptr;
};
} // namespace tarnwick::lists
