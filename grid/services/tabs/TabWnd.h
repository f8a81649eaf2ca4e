// A window that shows several sheets (as a rule grid windows) one at a time, with a strip of
// renamable sheet tabs at the bottom left and the shared horizontal scroll bar beside it, split by
// a box that the user drags. Sheets take part through the messages below; each answers 0 to a
// message it does not know, which allows what the message asks.
#pragma once

#include <afxwin.h>

#include <grid/core/GridWnd.h>

class CGXTabBeam;
class CGXEditLabelPopup;

// Strip to tab window: tab wParam was selected (posted); rename tab wParam (posted); may tab
// wParam become current (sent; 0 allows).
constexpr UINT WM_GX_TABSELECTED = 0x0785;
constexpr UINT WM_GX_TABRENAME = 0x0786;
constexpr UINT WM_GX_TABCANSELECT = 0x0787;
// Tab window to sheet: its tab index after it was added; may tab wParam get a new name (non-zero
// allows, the grid's WM_GX_QUERYPARAM); tab wParam has a new name (the grid's WM_GX_APPNOTIFY);
// may it be deactivated (0) or activated (1) (0 allows, WM_GX_DEACTIVATECHECK); wParam 1 before
// and 0 after the tab window is resized (WM_GX_SIZELOCK).
constexpr UINT WM_GX_TABINDEX = 0x078F;
constexpr UINT WM_GX_TABCANRENAME = WM_GX_QUERYPARAM;
constexpr UINT WM_GX_TABRENAMED = WM_GX_APPNOTIFY;
constexpr UINT WM_GX_TABCANACTIVATE = WM_GX_DEACTIVATECHECK;
// Label editor to tab window: end renaming and take the text, or without taking it.
constexpr UINT WM_GX_ENDRENAME = 0x0799;
constexpr UINT WM_GX_CANCELRENAME = 0x079A;
static_assert(WM_GX_TABCANRENAME == 0x0790 && WM_GX_TABRENAMED == 0x0791 && WM_GX_TABCANACTIVATE == 0x0792 &&
              WM_GX_SIZELOCK == 0x07CB);

class CGXTabWnd : public CWnd
{
    DECLARE_DYNAMIC(CGXTabWnd)
public:
    // Child ids inside the tab window.
    static constexpr UINT idHorzBar = 0xEA00;
    static constexpr UINT idBeam = 0xEA01;
    static constexpr UINT idVertBar = 0xEA10;
    static constexpr UINT idSizeBox = 0xEA20;
    static constexpr UINT idFirstSheet = 0xE900;
    static constexpr UINT idLabelEditor = 23001;
    static constexpr int nSplitterBoxWidth = 6;
    // The strip may not be narrower than its buttons and this much.
    static constexpr int nMinStripBeyondButtons = 20;

    // The strip is made from pBeamClass (a CGXTabBeam), CGXTabBeam when none.
    explicit CGXTabWnd(CRuntimeClass* pBeamClass = nullptr);
    ~CGXTabWnd() override;

    // Adds a tab for the sheet, a child of this window; the first sheet is shown with the focus.
    virtual CWnd* AttachWnd(CWnd* pSheet, LPCTSTR pszName);
    // Places strip, scroll bars, size box and (unless bLayoutOnly) the active sheet.
    virtual void RecalcLayout(BOOL bLayoutOnly = FALSE);

    // WS_HSCROLL and WS_VSCROLL choose the shared bars (both when neither is given); the window
    // itself has none. CResourceException when a bar or the size box cannot be made.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL,
                UINT nID = AFX_IDW_PANE_FIRST);
    void ActivateSheet(CWnd* pSheet);
    // With bNotify the tab window gets WM_GX_TABRENAMED for the tab.
    void RenameTab(int nTab, LPCTSTR pszName, BOOL bNotify);
    CString GetTabName(const CWnd* pSheet) const;

    CGXTabBeam& GetBeam() const
    {
        return *m_pBeam;
    }
    CWnd* GetActivePane() const
    {
        return m_pActivePane;
    }
    int GetStripWidth() const
    {
        return m_nStripWidth;
    }
    CEdit* GetLabelEditor() const;
    CRect GetSplitterBoxRect() const
    {
        return SplitterBoxRect();
    }
    // The splitter box: five vertical lines between strip and scroll bar.
    void PaintSplitterBox(CDC* pDC) const;
    CScrollBar* GetScrollBarCtrl(int nBar) const override;

    // Registers the class "CGXTabWnd": windows made by class name (a dialog template's control)
    // get an object of their own that is deleted with the window.
    static void RegisterClass(HINSTANCE hInstance);
    static void UnregisterClass(HINSTANCE hInstance);

protected:
    void PostNcDestroy() override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnCancelMode();
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnNcPaint();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg LRESULT OnTabSelected(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTabRename(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTabCanSelect(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnEndRename(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCancelRename(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    // The bars, the size box and the strip, once.
    void CreateChildren();
    CRect SplitterBoxRect() const;
    // Ends a drag of the splitter box: at the button's release, and when the capture is lost
    // (a message box or a switch to another program mid-drag).
    void EndSplitterDrag();
    CRect SheetRect() const;
    void SaveScrollState(int nTab);
    void RestoreScrollState(int nTab);
    void DeleteLabelEditor();
    static LRESULT CALLBACK ClassWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    CRuntimeClass* m_pBeamClass;
    CGXTabBeam* m_pBeam = nullptr;
    CWnd* m_pActivePane = nullptr;
    int m_nStripWidth = 0;
    int m_nStripWidth100 = 0;
    int m_nLastWidth = 0;
    int m_cxVScroll;
    int m_cyHScroll;
    int m_nStripHeight;
    BOOL m_bHorzBar = TRUE;
    BOOL m_bVertBar = TRUE;
    BOOL m_bDragging = FALSE;
    CGXEditLabelPopup* m_pLabelEditor = nullptr;
    int m_nRenamedTab = -1;
    BOOL m_bCreated = FALSE;
    CBrush m_brBackground;
    CScrollBar m_wndHScroll;
    CScrollBar m_wndVScroll;
    CScrollBar m_wndSizeBox;
};
