// The workbook: an MDI frame that draws one tab per child frame (a worksheet) below the MDI
// client and activates a sheet when its tab is clicked.
#pragma once

#include <toolkit/frames/MDIFrameWnd.h>

#include <uxtheme.h>

#include <toolkit/foundation/ThemeHandle.h>

namespace tarnwick::frames
{
class SECWorkbookClientWnd;
class SECWorksheetWnd;

class SECWorkbookWnd : public SECMDIFrameWnd
{
    DECLARE_DYNCREATE(SECWorkbookWnd)
public:
    SECWorkbookWnd();
    ~SECWorkbookWnd() override;

    // The MDI client's window rectangle in client coordinates, grown by its margins.
    virtual void GetWorkbookRect(CRect& rect);
    virtual BOOL CanActivateTab(SECWorksheetWnd* pSheet);
    virtual void AddTab(SECWorksheetWnd* pSheet);
    // Nothing for a sheet that has no tab.
    virtual void RemoveTab(SECWorksheetWnd* pSheet);
    // The label fits its rectangle in the tab font.
    virtual BOOL IsTabLabelVisible(SECWorksheetWnd* pSheet);
    // Seven points (a new array the caller deletes) of the tab below the MDI client; tabs of
    // hidden sheets take no room.
    virtual void GetTabPolygon(SECWorksheetWnd* pSheet, LPPOINT& lpPoints, int& nCount);
    // The active document's title, else the sheet's window text.
    virtual const CString& GetTabLabel(SECWorksheetWnd* pSheet);
    virtual BOOL GetTabLabelRect(const POINT* lpPoints, int nIconWidth, CRect& rect);
    virtual void DrawTab(CDC* pDC, SECWorksheetWnd* pSheet);
    virtual void DrawClientBorder(CDC* pDC);
    virtual void DrawTabLabel(CDC* pDC, SECWorksheetWnd* pSheet, UINT nFormat);
    virtual HICON GetTabIcon(SECWorksheetWnd* pSheet);
    virtual BOOL SetTabIcon(SECWorksheetWnd* pSheet, HICON hIcon, BOOL bRedraw);

    // 0: 3-D tabs in a bevelled frame; else flat tabs. Sets the client margins and relayouts.
    void SetTabStyle(int nStyle);
    int GetTabStyle() const
    {
        return m_nTabStyle;
    }
    // The widest a tab grows while the tab row has room; takes effect as tabs come and go.
    void SetMaxTabWidth(int nWidth)
    {
        m_nMaxTabWidth = nWidth;
    }
    void SetWorkbookMode(BOOL bOn);
    BOOL GetWorkbookMode() const
    {
        return m_bWorkbookMode;
    }
    afx_msg void OnWorkbookMode();
    afx_msg void OnUpdateWorkbookMode(CCmdUI* pCmdUI);
    // The MDI client's width (+5) shared by the sheets, at most the maximum tab width.
    int CalcTabWidth();
    int GetTabWidth() const
    {
        return m_nTabWidth;
    }
    void InvalidateTab(SECWorksheetWnd* pSheet, BOOL bToRight);
    void InvalidateTabRow();
    INT_PTR GetSheetCount() const
    {
        return m_worksheets.GetSize();
    }
    SECWorksheetWnd* GetSheet(INT_PTR nIndex) const;
    // The tab drawn active last; the number of sheets when that was no worksheet.
    int GetLastActiveTab() const
    {
        return m_nLastActiveTab;
    }
    SECWorkbookClientWnd* GetClientWnd() const
    {
        return m_pClientWnd;
    }

    BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnActiveSheetChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnThemeChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    CObArray m_worksheets;
    BOOL m_bWorkbookMode;
    BOOL m_bShowTabIcons;
    CFont m_fontTab;
    SECWorkbookClientWnd* m_pClientWnd;
    CPen m_penHighlight;
    CPen m_penBlack;
    CPen m_penShadow;
    CPen m_penFace;
    int m_nTabWidth;
    int m_nTabHeight;
    int m_nBevel;
    int m_nActiveExtraWidth;
    int m_nActiveExtraHeight;
    int m_nMaxTabWidth;
    CRect m_rectLastLayout;
    int m_nTabStyle;
    int m_nReserved;
    int m_nLastActiveTab;
    foundation::SECThemeHandle m_tabTheme{L"Tab"};
    CToolTipCtrl* m_pToolTip;
    CString m_strLabel;

    // The MDI client's window rectangle in client coordinates.
    CRect GetClientAreaRect() const;
    BOOL IsSheetActive(SECWorksheetWnd* pSheet);
    // Sheets before the index whose window is hidden.
    int HiddenBefore(INT_PTR nIndex) const;
    BOOL TabRegion(SECWorksheetWnd* pSheet, CRgn& rgn);
    // The tab at a place in the row of shown tabs, with everything to its right.
    void InvalidateTabAt(int nPlace, BOOL bToRight);
    void ApplyMargins();
    void DrawFlatTab(CDC* pDC, SECWorksheetWnd* pSheet, const POINT* pts);
    void Draw3DTab(CDC* pDC, SECWorksheetWnd* pSheet, const POINT* pts);
};
} // namespace tarnwick::frames
