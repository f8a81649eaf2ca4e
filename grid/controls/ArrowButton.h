// The arrow buttons of a spin cell: a held arrow clicks at once, again after 500 ms, then
// every 150 ms and 5 ms faster with each repeat down to 50 ms.
#pragma once

#include <grid/controls/Child.h>

class CGXArrowButton : public CGXButton
{
public:
    explicit CGXArrowButton(CGXControl* pComposite);

    BOOL OnMouseMove(UINT nFlags, CPoint point) override;
    BOOL OnLButtonDown(UINT nFlags, CPoint point) override;
    BOOL OnLButtonUp(UINT nFlags, CPoint point) override;

    // The clock of the repeats in milliseconds; null restores the system's tick count.
    using TickSource = DWORD (*)();
    static void SetTickSource(TickSource pfnTicks);

    static constexpr DWORD nFirstDelay = 500;
    static constexpr DWORD nRepeatDelay = 150;
    static constexpr DWORD nDelayStep = 5;
    static constexpr DWORD nShortestDelay = 50;

protected:
    // Both arrows: the classic face with a filled triangle, or the spin part of the theme.
    void DrawArrow(CDC* pDC, int nThemePart, BOOL bUp);

    DWORD m_dwLastRepeat = 0;
    DWORD m_dwRepeatDelay = nFirstDelay;

private:
    static DWORD Now();
    static TickSource s_pfnTicks;
};

class CGXUpArrowButton : public CGXArrowButton
{
public:
    using CGXArrowButton::CGXArrowButton;
    void DrawDefault(CDC* pDC, BOOL bFocus) override;
};

class CGXDownArrowButton : public CGXArrowButton
{
public:
    using CGXArrowButton::CGXArrowButton;
    void DrawDefault(CDC* pDC, BOOL bFocus) override;
};
