// A tab of the 3-D tab control: its rectangle, icon and enabled state, and its full label
// beside the label shown, which fitting may have shortened.
#pragma once

#include "Tab.h"

namespace tarnwick::tabs
{
class SEC3DTab : public SECTab
{
    DECLARE_DYNCREATE(SEC3DTab)
public:
    SEC3DTab();
    ~SEC3DTab() override;
    SEC3DTab(const SEC3DTab&) = delete;
    SEC3DTab& operator=(const SEC3DTab&) = delete;

    const CString& GetFullLabel() const override;
    void SetLabel(const CString& label) override;
    // Takes the icon over, destroying the one it replaces.
    void SetIcon(HICON hIcon);

    CRect m_rect;
    HICON m_hIcon = nullptr;
    BOOL m_bEnabled = TRUE;
    CString m_csFullLabel;
    BOOL m_bToolTip = FALSE;
    // The full label's width in the active font; -1 until measured.
    int m_nFullLabelWidth = -1;
};
} // namespace tarnwick::tabs
