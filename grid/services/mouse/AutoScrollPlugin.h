// Scrolls the grid while the mouse is held outside its scrolling area, and repeats a held key,
// on the grid window's timer 992; it stops at a button or key release, cancel mode, another key
// or focus loss.
#pragma once

#include <grid/core/PluginComponent.h>
#include <grid/core/Range.h>

class CGXGridCore;

class CGXAutoScrollPlugin : public CGXPluginComponent
{
    DECLARE_DYNAMIC(CGXAutoScrollPlugin)
public:
    explicit CGXAutoScrollPlugin(CGXGridCore* pGrid);

    int GetScrollInterval() const
    {
        return m_nScrollInterval;
    }
    int GetRepeatInterval() const
    {
        return m_nRepeatInterval;
    }
    int GetAcceleration() const
    {
        return m_nAcceleration;
    }

    // The clock and the cursor that a step reads (the system's by default).
    static DWORD(WINAPI* s_pfnGetTickCount)();
    static BOOL(WINAPI* s_pfnGetCursorPos)(LPPOINT);

protected:
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnCancelMode();
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    DECLARE_MESSAGE_MAP()

private:
    void Begin();
    void Step();
    void Stop();
    void Reset();
    // After a scroll: faster while the distance outside grows, back to the start otherwise.
    void Accelerate(int nDistance, int nDivisor, BOOL bMouse, CPoint point);
    ROWCOL ScrollCount() const;
    CPoint CursorPoint() const;

    CGXGridCore* m_pGrid;
    BOOL m_bRows = FALSE;
    BOOL m_bCols = FALSE;
    CRect m_rectArea;
    DWORD m_dwStart = 0;
    DWORD m_dwLastScroll = 0;
    DWORD m_dwLastRepeat = 0;
    int m_nScrollInterval = 80;
    int m_nRepeatInterval = 80;
    int m_nLastDistance = 0;
    int m_nAcceleration = 1;
    CPoint m_ptStart;
    int m_nMode = -1;
    UINT m_nKey = 0;
    UINT m_nKeyFlags = 0;
    UINT_PTR m_nTimerId = 0;
};
