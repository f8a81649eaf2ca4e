// The docking bar "Output": the lines that the collector threads and the frame's commands
// report, sorted into five category tabs and, inside each, into one tab per source.
#pragma once

#include <app/MessageTabWnd.h>

#include <toolkit/frames/ControlBar.h>
#include <toolkit/tabs/3DTabWnd.h>

class COutputWnd : public tarnwick::frames::SECControlBar
{
    DECLARE_DYNCREATE(COutputWnd)
public:
    static constexpr int CategoryCount = 5;

    COutputWnd() = default;
    ~COutputWnd() override;

    // Adds the line to the category's tab window; categories beyond the last are dropped.
    void DispatchMessageToTab(WPARAM nCategory, LPCTSTR lpszSource, LPCTSTR lpszTime, LPCTSTR lpszText);
    // The caption does not follow the focus.
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnClearTabs();
    // WM_LUMITER5_MESSAGE: wParam the category, lParam the record, which is deleted here; the
    // lines queued behind it are shown with it.
    afx_msg LRESULT OnOutputMessage(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    tarnwick::tabs::SEC3DTabWnd m_wndTabs;
    // Lumiter5, System, Instance, Host, Database: in the order of the categories' numbers.
    CMessageTabWnd m_wndCategories[CategoryCount];
};
