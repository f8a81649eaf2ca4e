// Dock bars: the strips along a frame's sides (and inside floating frames) that hold docked
// control bars in rows.
#pragma once

class CDockBar : public CControlBar
{
    DECLARE_DYNAMIC(CDockBar)
public:
    explicit CDockBar(BOOL bFloating = FALSE);
    // Docked bars that still point here forget their dock bar.
    ~CDockBar() override;

    // The docked bars in rows: entry 0 is NULL, a NULL entry ends a row, and an entry of 16
    // bits only is the id of a hidden bar that keeps its place there.
    CPtrArray m_arrBars;
    BOOL m_bFloating;
    // The rectangle and kind of the layout in progress (a query moves no window).
    BOOL m_bLayoutQuery;
    CRect m_rectLayout;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);

    // Lays the rows out: each visible bar takes its docked size next to the one before it,
    // or further on where it was put; a bar that no longer fits starts a new row.
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    BOOL IsDockBar() const override;
    // Adds the floating frame's position and orientation and the ids of the rows.
    void GetBarInfo(CControlBarInfo* pInfo) override;
    // Rebuilds the rows from the record's ids: a marked id or one whose bar is gone keeps a
    // place, a named bar moves here from wherever it is docked, and a bar docked here but not
    // named keeps a row after the restored ones.
    void SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd) override;

    // Docks the bar: into the row under lpRect (screen coordinates), else as a new last row.
    void DockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
    // Docks the bar in the place its placeholder keeps, else as DockControlBar does.
    void ReDockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
    // Takes the bar's entry out, leaving its id in its place with nAddPlaceHolder 1; 0 also
    // drops an old placeholder of it, -1 keeps that. TRUE when a floating frame went with it.
    BOOL RemoveControlBar(CControlBar* pBar, int nPosExclude = -1, int nAddPlaceHolder = 0);
    void RemovePlaceHolder(CControlBar* pBar);
    // The index of the entry (a bar or a placeholder id), -1 when absent.
    int FindBar(CControlBar* pBar, int nPosExclude = -1);
    // The bar at an index; NULL for a row break or a placeholder.
    CControlBar* GetDockedControlBar(int nPos) const;
    int GetDockedCount() const;
    int GetDockedVisibleCount() const;
    // Shows or hides every docked bar at the next layout.
    void ShowAll(BOOL bShow);

protected:
    // Inserts the bar in the row that holds ptMid (client), after the bars that start before
    // rect; answers its index.
    int Insert(CControlBar* pBarIns, const CRect& rect, CPoint ptMid);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // Docking into the placeholder's entry when bReDock and there is one.
    void Dock(CControlBar* pBar, LPCRECT lpRect, BOOL bReDock);
    // Removes the entry at nPos, and the row break that would follow an empty row.
    void RemoveEntry(int nPos);
};
