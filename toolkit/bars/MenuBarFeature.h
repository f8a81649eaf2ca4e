// The frame's menu-bar plug-in: the bitmap menus and the menu tracking in one, routing the
// frame's messages to the menu bar's tracking.
#pragma once

#include <toolkit/bars/BmpMenuPlugIn.h>
#include <toolkit/bars/MenuBarMessages.h>

namespace tarnwick::bars
{
class SECMenuBarFeature : public SECBmpMenuPlugIn, public SECMenuBarMessages
{
    DECLARE_DYNAMIC(SECMenuBarFeature)
public:
    SECMenuBarFeature();

    // The frame the plug-in is attached to.
    CWnd* GetTargetWnd() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The menu bar's notifications; others go on to the frame.
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // The frame's menu-bar options.
    DWORD m_dwMenuBarOptions;

protected:
    afx_msg LRESULT OnMenuSelectMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMenuProdMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnInitMenuPopupMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSysCommandMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcActivateMessage(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // Marks the message handled with its result, for the frame to return.
    LRESULT Handled(LRESULT lResult);
};
} // namespace tarnwick::bars
