// The toolkit's rebar bar: a control bar over the system's rebar control, whose bands hold
// other bars. A bar in a band is created as a child of the rebar and reports its size changes
// to the band that holds it.
#pragma once

#include <afxcmn.h>
#include <afxext.h>

namespace tarnwick::frames
{
class SECReBar : public CControlBar
{
    DECLARE_DYNAMIC(SECReBar)
public:
    // The rebar control as a bar of the parent frame; dwCtrlStyle adds the control's own
    // styles (RBS_*).
    BOOL Create(CWnd* pParentWnd, DWORD dwCtrlStyle = RBS_BANDBORDERS,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP,
                UINT nID = AFX_IDW_REBAR);
    // Adds pBar, a child of this rebar, as the last band at the bar's own size, with an optional
    // label. FALSE when the control refuses the band.
    BOOL AddBar(CWnd* pBar, LPCTSTR lpszText = nullptr, UINT fBandStyle = RBBS_GRIPPERALWAYS);
    int GetBandCount() const;
    // The band's fields that info.fMask asks for; cbSize is filled in.
    BOOL GetBandInfo(int nBand, REBARBANDINFOW& info) const;
    BOOL SetBandInfo(int nBand, REBARBANDINFOW& info);
    // The band whose child is hWndChild, -1 for none.
    int FindBand(HWND hWndChild) const;

    // The bands' bars lay themselves out first (and so report their sizes to their bands);
    // the rebar is then as high as its bands.
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    // The bars in the bands update themselves.
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    // The control draws itself and its bands.
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    // A row more or less: the frame gives the rebar its new height.
    afx_msg void OnHeightChange(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};
} // namespace tarnwick::frames
