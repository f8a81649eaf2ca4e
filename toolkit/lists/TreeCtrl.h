// The tree control window: the tree on the list control, with its message map and its themed
// border.
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
    afx_msg LRESULT OnThemeChanged(WPARAM wParam, LPARAM lParam);
    // The themed border; without a theme nothing is drawn.
    void OnNcPaint();
    DECLARE_MESSAGE_MAP()

private:
    HTHEME m_hBorderTheme = nullptr;
};
} // namespace tarnwick::lists
