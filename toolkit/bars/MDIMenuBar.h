// The menu bar of an MDI frame: a maximised child's system-menu button first and its caption
// boxes last, around the menu buttons.
#pragma once

#include <toolkit/bars/BtnCaption.h>
#include <toolkit/bars/CapMenuBtn.h>
#include <toolkit/bars/MenuBar.h>

namespace tarnwick::bars
{
class SECMDIMenuBar : public SECMenuBar
{
    DECLARE_DYNCREATE(SECMDIMenuBar)
public:
    SECMDIMenuBar();
    ~SECMDIMenuBar() override;

    int GetButtonHeight() const override;
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount) override;
    // The system-menu and caption buttons belong to the maximised child, not to the record.
    BOOL IsRecordedButton(const SECStdBtn* pBtn) const override;
    BOOL RemoveButton(int nIndex, BOOL bNoRecalc = FALSE) override;
    void InsertButton(int nIndex, UINT nID, BOOL bSeparator = FALSE, BOOL bNoRecalc = FALSE) override;

    // TRUE hides both buttons; FALSE shows them for an active maximised child with a system
    // menu and hides them otherwise. Answers whether the layout changed.
    virtual BOOL UpdateMDIButtons(BOOL bHide);
    virtual void ApplyMenuMask(DWORD dwMask);

    SECBtnCaption m_btnCaption;
    SECCapMenuBtn m_btnSysMenu;
    HICON m_hChildIcon;
    DWORD m_dwPressTick;

protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    // The embedded buttons out of the array, and back at its ends.
    void TakeOutMDIButtons();
    void PutBackMDIButtons();
};
} // namespace tarnwick::bars
