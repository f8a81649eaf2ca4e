// The menu button: a toolbar button that shows a text label with a mnemonic and opens its
// menu when pressed (the buttons of the menu bar).
#pragma once

#include <toolkit/bars/StdBtn.h>

namespace tarnwick::bars
{
class SECTBMenuBtn : public SECStdBtn
{
public:
    static const SECButtonClass classTBMenuBtn;

    SECTBMenuBtn();
    ~SECTBMenuBtn() override;
    void OnThemeChanged() override;

    // Parameters: the menu id and popup index handed back when the menu opens, the label, and
    // the menu mask.
    void Init(SECCustomToolBar* pToolBar, const UINT_PTR* pParams) override;
    // Presses and opens the menu at once.
    BOOL OnLButtonDown(int x, int y) override;
    void AdjustSize() override;
    const SECButtonClass* GetFactory() const override;

    // Asks the bar to drop the button's menu down.
    virtual void TrackMenu();
    // The upper-case letter after the first '&' of the label; 0 when none.
    virtual void ParseMnemonic();

    CString m_strLabel;
    UINT_PTR m_nMenuID;
    UINT_PTR m_nPopupIndex;
    TCHAR m_chMnemonic;
    UINT_PTR m_dwMenuMask;

protected:
    // Sends the bar the drop-down request of this button for a menu and popup.
    void RequestMenu(int nMenuID, int nPopupIndex);
    void DrawFace(SECBtnDrawData& data, BOOL bCustomise, CRect& rect) override;
    // The label is the face: no toolbar image is drawn over it.
    BOOL SelectImage(SECBtnDrawData& data, int& nImage) override;

    foundation::SECThemeHandle m_themeTaskBand{L"TASKBAND"};
    foundation::SECThemeHandle m_themeMenu{L"Menu"};
};
} // namespace tarnwick::bars
