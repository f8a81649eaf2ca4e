// The tree control window: the tree on the list control, with its message map and its themed
// border.
#pragma once

#include "TreeBaseC.h"

namespace tarnwick::lists
{
class SECTreeCtrl : public SECTreeBaseC
{
    DECLARE_DYNAMIC(SECTreeCtrl)
public:
    SECTreeCtrl() = default;

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The themed border; without a theme nothing is drawn.
    void OnNcPaint();
    DECLARE_MESSAGE_MAP()
};
} // namespace tarnwick::lists
