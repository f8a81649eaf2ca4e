// The system-menu button of a maximised MDI child: its small icon as the first button of the
// MDI menu bar, dropping the child's system menu down.
#pragma once

#include <toolkit/bars/TBMenuBtn.h>

namespace tarnwick::bars
{
class SECCapMenuBtn : public SECTBMenuBtn
{
public:
    SECCapMenuBtn();

    void AdjustSize() override;
    void Draw(CDC& dc, SECBtnDrawData& data) override;
    BOOL CanDrag() const override;
    // Asks for the active child's system menu (menu id 0, popup index -2).
    void TrackMenu() override;

    // The child's icon, not owned.
    HICON m_hIcon;

    static constexpr int ICON_SIZE = 16;
    static constexpr int CHILD_SYSTEM_MENU = -2;
};
} // namespace tarnwick::bars
