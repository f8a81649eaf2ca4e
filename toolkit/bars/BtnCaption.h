// The caption boxes of a maximised MDI child (minimise, restore, close) as the last button of
// the MDI menu bar.
#pragma once

#include <toolkit/bars/StdBtn.h>

namespace tarnwick::bars
{
class SECBtnCaption : public SECStdBtn
{
public:
    SECBtnCaption();
    ~SECBtnCaption() override;

    void AdjustSize() override;
    BOOL OnLButtonDown(int x, int y) override;
    void OnMouseMove(int x, int y) override;
    void CancelPress() override;
    // Posts the box's system command to the active child; never a command of its own.
    UINT OnLButtonUp(int x, int y) override;
    INT_PTR OnToolHitTest(int x, int y, TOOLINFO* pTI) const override;
    void Draw(CDC& dc, SECBtnDrawData& data) override;
    BOOL CanDrag() const override;
    void OnThemeChanged() override;

    // The box under a point: 0 minimise, 1 restore, 2 close; -1 for none or a box that
    // does not react.
    int HitTestPart(int x, int y) const;

    DWORD m_dwChildStyle;
    int m_cxBox;
    int m_cyBox;
    int m_nPressedPart;
    foundation::SECThemeHandle m_themeWindow{L"Window"};

private:
    CRect PartRect(int nPart) const;
};
} // namespace tarnwick::bars
