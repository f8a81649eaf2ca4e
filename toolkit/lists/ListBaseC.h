// The owner-drawn list control every list and tree window stands on: it keeps its own items,
// sub-items and columns and speaks to its parent with the list-view notifications.
#pragma once

#include <afxcmn.h>
#include <afxcoll.h>
#include <afxwin.h>

#include <toolkit/foundation/ThemeHandle.h>

#include "ListClient.h"
#include "ListEdit.h"
#include "ListItem.h"
#include "ListPaintContext.h"
#include "ListTip.h"

namespace tarnwick::lists
{
// List style bits (low word of the window style at creation).
constexpr UINT LVS_SEC_VIEWMASK = 0x0003;
constexpr UINT LVS_SEC_REPORT = 0x0001;
constexpr UINT LVS_SEC_SINGLESEL = 0x0004;
constexpr UINT LVS_SEC_SHOWSELALWAYS = 0x0008;
constexpr UINT LVS_SEC_SHAREIMAGELISTS = 0x0040;
constexpr UINT LVS_SEC_NOLABELWRAP = 0x0080;
constexpr UINT LVS_SEC_EDITLABELS = 0x0200;
constexpr UINT LVS_SEC_NOSCROLL = 0x2000;
constexpr UINT LVS_SEC_NOCOLUMNHEADER = 0x4000;
constexpr UINT LVS_SEC_NOSORTHEADER = 0x8000;
constexpr UINT LVS_SEC_STYLEMASK = 0xf3ff;
// Extended bits, taken from the window's extended style.
constexpr UINT LVXS_HEADERDRAG = 0x10;
constexpr UINT LVXS_FLAG100000 = 0x100000;
constexpr UINT LVXS_HORZGRID = 0x400000;
constexpr UINT LVXS_VERTGRID = 0x800000;
constexpr UINT LVXS_FULLROWSELECT = 0x2000000;
constexpr UINT LVXS_FITCOLUMNS = 0x4000000;
constexpr UINT LVXS_NOWIDENMAIN = 0x8000000;    // a deleted column's width is not given to the main one
constexpr UINT LVXS_BLENDSELECTED = 0x10000000; // selected tree icons are drawn blended
constexpr UINT LVXS_STYLEMASK = 0x1ff00000;

// The image list of the header buttons, beside LVSIL_NORMAL, LVSIL_SMALL and LVSIL_STATE.
constexpr int LVSIL_SEC_HEADER = 3;

// The list's timers.
constexpr UINT_PTR LIST_TIMER_EDIT = 1;
constexpr UINT_PTR LIST_TIMER_DRAGSCROLL = 2;
constexpr UINT_PTR LIST_TIMER_TYPEAHEAD = 3;

// Where HitTest found a point.
constexpr UINT LHT_NOWHERE = 0x0001;
constexpr UINT LHT_ONICON = 0x0002;
constexpr UINT LHT_ONLABEL = 0x0004;
constexpr UINT LHT_ONSTATEICON = 0x0008; // inside a row
constexpr UINT LHT_ABOVE = 0x0008;       // outside the client area
constexpr UINT LHT_BELOW = 0x0010;
constexpr UINT LHT_TORIGHT = 0x0020;
constexpr UINT LHT_TOLEFT = 0x0040;
constexpr UINT LHT_ONDIVIDER = 0x0800;
constexpr UINT LHT_ONHEADER = 0x1000;
constexpr UINT LHT_ONROW = 0x2000;
constexpr UINT LHT_ROWLEFT = 0x4000;
constexpr UINT LHT_ROWRIGHT = 0x8000;

// The list logic over a window base: CWnd for the control, CView for the view.
template <class TWndBase> class SECListBaseT : public TWndBase, public SECListClient
{
public:
    // The window base's own, where the system's functions of the same names would be found.
    using TWndBase::ClientToScreen;
    using TWndBase::EnableWindow;
    using TWndBase::GetClientRect;
    using TWndBase::GetDlgCtrlID;
    using TWndBase::GetDlgItem;
    using TWndBase::GetParent;
    using TWndBase::GetWindowRect;
    using TWndBase::Invalidate;
    using TWndBase::InvalidateRect;
    using TWndBase::IsWindowEnabled;
    using TWndBase::IsWindowVisible;
    using TWndBase::KillTimer;
    using TWndBase::m_hWnd;
    using TWndBase::PostMessage;
    using TWndBase::RedrawWindow;
    using TWndBase::ScreenToClient;
    using TWndBase::SendMessage;
    using TWndBase::SetCapture;
    using TWndBase::SetFocus;
    using TWndBase::SetTimer;
    using TWndBase::ShowWindow;
    using TWndBase::UpdateWindow;

    enum Color
    {
        colorText,
        colorTextBk,
        colorSelText,
        colorSelBk,
        colorGrayText,
        colorInactiveBk,
        colorFocusBk,
        colorTipBk,
        colorTipText,
        colorBk,
        colorCount
    };

    // The scratch buffer through which item texts are asked.
    static constexpr int TextBufferSize = 2048;

    SECListBaseT();
    ~SECListBaseT() override;

    // Creation and teardown.
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID, CCreateContext* pContext = nullptr) override;
    virtual BOOL CreateFromRect(DWORD dwStyle, DWORD dwExStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                                CCreateContext* pContext = nullptr);
    // Takes the place of a dialog item: its id, style (bordered), extended style and rectangle.
    virtual BOOL CreateFromDlgItem(UINT nID, CWnd* pParentWnd);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    virtual void ApplyCreateStyles(CREATESTRUCT& cs);

    // Items.
    virtual int InsertItem(const LVITEMW* pItem);
    virtual int InsertItemEx(UINT nMask, int nItem, LPCWSTR lpszItem, UINT nState, UINT nStateMask, int nImage,
                             LPARAM lParam);
    virtual int InsertItemImage(int nItem, LPCWSTR lpszItem, int nImage);
    virtual int InsertItemText(int nItem, LPCWSTR lpszItem);
    virtual int InsertItemAfter(SECListItem* pAfter, LVITEMW* pItem);
    virtual int InsertItemBeforeRecord(SECListItem* pBefore, LVITEMW* pItem);
    virtual int InsertItemRecord(int nIndex, SECListItem* pItem);
    virtual SECListItem* CreateItem();
    virtual void InitItem(SECListItem* pItem);
    virtual void AddSubItems(SECListItem* pItem);
    virtual BOOL DeleteItem(int nIndex, int nCount = 1);
    virtual BOOL DeleteItemRecord(SECListItem* pItem);
    virtual BOOL DeleteAllItems();
    // An owner's answer with LVIF_DI_SETITEM becomes the item's own text and image (no redraw).
    virtual BOOL GetItem(LVITEMW* pItem, BOOL bCopyText = TRUE, BOOL bAskOwner = TRUE);
    virtual BOOL SetItem(const LVITEMW* pItem, BOOL bRedraw = TRUE);
    virtual BOOL SetItemText(int nItem, int nSubItem, LPCWSTR lpszText);
    virtual BOOL SetItemFields(int nItem, int nSubItem, UINT nMask, LPCWSTR lpszText, int nImage, UINT nState,
                               UINT nStateMask, LPARAM lParam);
    // The item's extended state word (the tree keeps its disabled and hidden bits there).
    virtual BOOL SetItemExState(int nItem, UINT nState, UINT nMask);
    virtual UINT GetItemExState(int nItem, UINT nMask) const;
    // Removes the item's sub-item records, the first remaining one each time.
    BOOL DeleteAllSubItems(SECListItem* pItem);
    virtual int GetItemText(int nItem, int nSubItem, LPWSTR lpszText, int nLen);
    CString GetItemText(int nItem, int nSubItem);
    virtual LPARAM GetItemParam(const SECListItem* pItem) const;
    virtual int GetItemCount() const;
    SECListItem* GetItemAt(int nIndex) const;
    int FindItemIndex(const SECListItem* pItem) const;
    virtual int GetSubItemColumnCount() const;
    virtual BOOL SetItemImage(int nIndex, int nImage);
    virtual int GetItemImage(int nIndex) const;
    virtual BOOL SetItemStateByIndex(int nIndex, UINT nState, UINT nMask);
    virtual UINT GetItemStateByIndex(int nIndex, UINT nMask) const;
    virtual BOOL SetItemSelected(int nIndex, BOOL bSelect);
    virtual int GetNextItem(int nStart, UINT nFlags) const;
    // Whether painting the item asks the owner for anything.
    virtual BOOL UsesCallbacks(int nItem) const;
    int FindItemPrefix(int nStart, LPCWSTR lpszPrefix);
    virtual UINT GetCallbackMask() const;
    virtual void SetCallbackMask(UINT nMask);
    virtual UINT GetExCallbackMask() const;
    virtual void SetExCallbackMask(UINT nMask);

    // Selection bookkeeping.
    virtual int GetSelectedCount() const;
    BOOL FindSelected(int nIndex, INT_PTR& nPos) const;
    virtual void DeselectAllBut(int nIndex);
    virtual void SelectRange(int nFrom, int nTo, BOOL bSelect);
    virtual BOOL SelectItem(int nIndex, BOOL bSelect);
    virtual void FocusItem(int nIndex);
    virtual int GetFocusItem() const;
    virtual void SetDropHilite(int nIndex);
    virtual int GetDropHilite() const;
    int GetAnchorItem() const;
    int GetTopIndex() const;

    // Columns.
    virtual BOOL InsertColumn(int nIndex, LPCWSTR lpszHeading, int nFormat, int nWidth, int nSubItem, int nImage,
                              BOOL bRedraw = TRUE);
    virtual BOOL InsertColumnByLV(int nIndex, const LVCOLUMNW* pColumn, BOOL bRedraw = TRUE);
    virtual BOOL InsertColumnRecord(int nIndex, SECListColumn* pColumn, BOOL bRedraw = TRUE);
    virtual BOOL AddColumn(LPCWSTR lpszHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1, int nSubItem = -1,
                           int nImage = -1);
    virtual BOOL AddColumnRecord(SECListColumn* pColumn);
    virtual BOOL AddColumnByLV(const LVCOLUMNW* pColumn);
    virtual BOOL GetColumnByLV(int nIndex, LVCOLUMNW* pColumn) const;
    virtual BOOL SetColumnByLV(int nIndex, const LVCOLUMNW* pColumn, BOOL bRedraw = TRUE);
    virtual SECListColumn* GetColumn(int nIndex) const;
    virtual int GetColumnCount() const;
    virtual int GetColumnWidth(int nIndex) const;
    virtual BOOL SetColumnWidth(int nIndex, int nWidth);
    virtual int GetColumnFormat(int nIndex) const;
    virtual BOOL SetColumnHeading(int nIndex, LPCWSTR lpszHeading);
    virtual CString GetColumnHeading(int nIndex) const;
    virtual int GetColumnLeft(int nIndex) const;
    virtual int GetColumnRight(int nIndex) const;
    virtual BOOL FindColumn(LPCWSTR lpszHeading, int& nIndex, int& nSubItem) const;
    virtual BOOL HasColumn(LPCWSTR lpszHeading) const;
    // Column 0 goes only when it is the last; deleting the last column deletes every item.
    virtual BOOL DeleteColumn(int nIndex);
    virtual BOOL DeleteColumnByHeading(LPCWSTR lpszHeading);
    virtual BOOL DeleteAllColumns();

    // Layout.
    // The rectangle the list lays out, paints and hit-tests in: the client rectangle, and the
    // one way to it, so that a variant may lay the list out elsewhere (a printed page).
    virtual void GetListClientRect(CRect& rect) const;
    // The DC rows are measured on: a new client DC, which the caller deletes (*pbDelete TRUE).
    virtual CDC* GetMeasureDC(BOOL* pbDelete);
    // The client rectangle less the header strip (report mode) and the shown scroll bars.
    void GetInsideRect(CRect& rect) const override;
    CScrollBar* GetScrollBarCtrl(int nBar) const override;
    virtual BOOL CreateScrollBarCtrl(DWORD dwBarStyle, UINT nID);
    // SB_HORZ, SB_VERT or SB_BOTH; style 0x2000 always hides.
    virtual void ShowScrollBar(int nBar, BOOL bShow, SCROLLINFO* pInfo = nullptr);
    virtual void PositionScrollBars();
    // One column, or the fit bit: the columns fill the inside width.
    virtual BOOL AutoFitColumns();
    virtual void FitColumnsToWidth();
    // Marks every item for measuring and updates the scroll bars.
    virtual void RecalcLayout();
    // The content width (cx) and the item count (cy).
    virtual CSize GetContentExtent();
    virtual void UpdateScrollState();
    virtual BOOL EnsureVisible(int nItem);
    virtual BOOL EnsureRangeVisible(int nFirst, int nLast);
    virtual void ScrollToTop(int nRow);
    // By pixels, the distance becomes the rows it takes from the last visible row first.
    virtual void ScrollRows(int nRows, BOOL bByPixels = FALSE);
    virtual void ScrollHorz(int nPixels);
    virtual void ScrollBarUpdateV(int nRowsFit);
    virtual void ScrollBarUpdateH(int nContentWidth);
    int GetHScrollOffset() const;

    // Measuring: a cell's icon and text rectangles and an item's row height.
    virtual SECListPaintContext* CreatePaintContext(CDC* pDC);
    virtual BOOL PrepareCell(SECListPaintContext& ctx);
    virtual void LayoutItemForPaint(SECListPaintContext& ctx);
    virtual void MeasureSubItem(SECListPaintContext& ctx, int& cyCell);
    virtual int GetIconRect(SECListPaintContext& ctx, CRect& rect);
    virtual void GetTextRect(SECListPaintContext& ctx, CRect& rect);
    static UINT FormatToAlign(int nFormat);
    // Measures the item now; with no context a measuring context of the control serves.
    void MeasureItemAt(int nItem, SECListPaintContext* pCtx = nullptr);
    void MarkAllForMeasuring();
    static void MarkForMeasuring(SECListItem* pItem);
    BOOL SetItemHeight(int nItem, int cy);
    void SetColumnWidthRemeasure(int nColumn, int nWidth);

    // Rows of individual heights.
    virtual int GetRowSpacing() const;
    int GetRowPitch(int nItem);
    int GetLastVisibleIndex();
    int RowsOnPage();
    int RowsAbovePage();
    int FirstRowOfLastPage();
    // The first row from the top index that starts at or below the inside bottom; the count when none.
    int FirstRowBelowPage();
    // Walking back from the top row itself, the row at which the rows passed fill the inside
    // height; -1 when they never do, 0 at the top.
    int FirstRowOfPreviousPage();
    // The first row whose distance from row 0 reaches y; the count when none does.
    int RowFromY(CPoint point);
    // The pitches from min(a, b) up to max(a, b), the last one only when inclusive; negative when b < a.
    int RowDistance(int nFrom, int nTo, BOOL bInclusive);
    // How many rows, from nRow on forward or backward, it takes to reach the height; all there
    // are when they fall short.
    int RowsInHeight(int nHeight, int nRow, BOOL bForward);
    // Invalidates, erasing, the band of rows a to b (from the inside top when a row is above the top).
    BOOL InvalidateRows(int nFrom, int nTo);
    int GetContentWidth();
    BOOL GetCellRect(int nItem, int nColumn, CRect& rect, int nPart) override;
    virtual void RedrawItemRows(int nItem, BOOL bLabelOnly, BOOL bErase, BOOL bUpdate, BOOL bNow);
    void InvalidateItem(int nItem);

    // Painting.
    virtual void DrawControl(CDC* pDC);
    virtual void PaintItems(SECListPaintContext& ctx);
    virtual void DrawRow(SECListPaintContext& ctx);
    virtual void DrawHeader(SECListPaintContext& ctx);
    virtual void DrawHeaderItem(int nColumn, BOOL bPressed);
    virtual void DrawHeaderImage(CDC* pDC, int nColumn, CRect& rect, UINT& nAlign);
    virtual CImageList* CreateHeaderDragImage(int nColumn);
    virtual void SetBkColorOf(SECListPaintContext& ctx);
    virtual void SetLineColor(SECListPaintContext& ctx);
    virtual void SetCellColors(SECListPaintContext& ctx);
    virtual void SetCellFont(SECListPaintContext& ctx);
    // Colours and font of a prepared cell; a measuring pass takes the font only.
    void SetCellStyle(SECListPaintContext& ctx);
    virtual void DrawSubItem(SECListPaintContext& ctx);
    virtual void DrawItemImage(SECListPaintContext& ctx);
    virtual void DrawCellText(SECListPaintContext& ctx);
    virtual void DrawRowLine(CDC* pDC, int nRow, const CRect& rect);
    virtual void DrawGridLines(CDC* pDC, int nRow, const CRect& rect);

    // Input.
    virtual int HitTest(CPoint point, UINT& nFlags, int& nColumn);
    virtual void ClassifyClick(CPoint point, int nItem, UINT nFlags, BOOL& bArm, BOOL& bSelect);
    virtual BOOL SelectFromInput(int nItem, UINT nHitFlags, UINT nKeyFlags, BOOL bByMouse);
    virtual BOOL SelChanging(int nItem, int nOldFocus, int nCause);
    virtual void SelChanged(int nItem, int nOldFocus, int nCause);
    virtual void AfterSelect(int nItem, BOOL bByMouse);
    virtual void BeginDrag(int nItem, int x, int y);
    virtual void BeginRDrag(int nItem, int x, int y);
    BOOL SelectByPrefix(int nStart);
    virtual BOOL MoveColumn(int nFrom, int nTo, BOOL bRedraw = TRUE);
    virtual void ColumnMoved(int nFrom, int nTo);
    virtual int TrackColumnDivider(int x, int y, int nColumn);
    virtual void UpdateColumnDropMark(int x, int y, int nColumn);
    // Key actions: the focus item, the current column's sub-item, the shift and ctrl keys.
    struct KeyArgs
    {
        int nItem;
        int nSubItem;
        BOOL bShift;
        BOOL bCtrl;
        UINT nRepeat;
        UINT nFlags;
    };
    virtual void KeySpace(const KeyArgs& key);
    virtual void KeyUp(const KeyArgs& key);
    virtual void KeyDown(const KeyArgs& key);
    virtual void KeyF2(const KeyArgs& key);
    virtual void KeyReturn(const KeyArgs& key);
    virtual void KeyHome(const KeyArgs& key);
    virtual void KeyEnd(const KeyArgs& key);
    virtual void KeyLeft(const KeyArgs& key);
    virtual void KeyBack(const KeyArgs& key);
    virtual void KeyRight(const KeyArgs& key);
    virtual void KeyMultiply(const KeyArgs& key);
    virtual void KeyPageUp(const KeyArgs& key);
    virtual void KeyPageDown(const KeyArgs& key);
    virtual void StartTimer(UINT nPeriod);
    virtual void StopTimer();
    BOOL IsItemDragging() const;

    // Notifications to the owner window, else the parent: nothing without either.
    LRESULT Notify(UINT nCode);
    LRESULT GetLastNotifyAnswer() const;
    virtual void NotifyDeleteItem(int nItem);
    virtual void NotifyInsertItem(int nItem);
    virtual void NotifyKeyDown(UINT nKey);
    virtual void NotifyColumnClick(int nColumn);
    // Asks the owner for the fields marked in the item's mask; its answer comes back in the item.
    virtual void NotifyGetDispInfo(LVITEMW* pItem);
    virtual LRESULT NotifyBeginLabelEdit(int nItem, int nSubItem);
    // The text the owner leaves in the 2048-character buffer replaces strText when it accepts.
    virtual BOOL NotifyEndLabelEdit(int nItem, int nSubItem, CString& strText, BOOL bCommit);
    virtual CWnd* GetNotifyWnd() const;
    // Finds the column that shows the item itself and asks for its cell part.
    virtual BOOL ForwardToFirstSubItemColumn(int nItem, CRect& rect, int nPart);

    // Styles.
    virtual UINT GetListStyle() const;
    virtual UINT GetListStyleEx() const;
    virtual BOOL SetListStyle(UINT nStyle, BOOL bRedraw = TRUE);
    virtual BOOL SetListStyleEx(UINT nStyleEx, BOOL bRedraw = TRUE);
    virtual BOOL ModifyListStyle(UINT nRemove, UINT nAdd, BOOL bRedraw = TRUE);
    virtual BOOL ModifyListStyleEx(UINT nRemove, UINT nAdd, BOOL bRedraw = TRUE);
    virtual BOOL ModifyListStyles(UINT nRemove, UINT nAdd, BOOL bRedraw, UINT nRemoveEx, UINT nAddEx, BOOL bRedrawEx);
    virtual void GetListStyles(UINT& nStyle, UINT& nStyleEx) const;
    virtual BOOL SetListStyles(UINT nStyle, UINT nStyleEx, BOOL bRedraw = TRUE);
    virtual BOOL HasListStyle(UINT nBits) const;
    virtual BOOL HasListStyleEx(UINT nBits) const;
    virtual void SetLabelWrap(BOOL bWrap);
    virtual void SetHeaderFlags(BOOL bShowHeader, BOOL bButtons);
    virtual BOOL IsHeaderShown() const;
    virtual void SetMultiSelect(BOOL bMulti);
    virtual BOOL IsMultiSelect() const;
    // Extended bit 0x100000, which switches item tips on.
    virtual void SetExFlag100000(BOOL bOn);
    virtual BOOL GetExFlag100000() const;
    virtual void SetRedrawFlag(BOOL bRedraw);
    virtual BOOL GetRedrawFlag() const;
    virtual void SetTrackSysColors(BOOL bTrack);
    virtual BOOL GetTrackSysColors() const;

    // Label editing: one cell at a time in a child editor; a parent answering 1 to the begin
    // notification vetoes. TRUE when the edit started.
    virtual BOOL EditLabel(int nItem, int nColumn);
    // TRUE when an edit was ended; commit keeps the typed text when the parent accepts it,
    // anything else restores the text the edit started with.
    BOOL EndLabelEdit(BOOL bCommit) override;
    // Called after an accepted edit has been stored.
    virtual void LabelEditAccepted(int nItem, int nSubItem);
    virtual SECListEdit* GetEditControl() const;
    SECListTip* GetTip() const;

    // Colours, image lists, owner.
    COLORREF GetColor(Color color) const;
    void SetColor(Color color, COLORREF cr);
    virtual COLORREF GetBkColor() const;
    virtual void SetBkColor(COLORREF cr);
    virtual COLORREF GetGrayTextColor() const;
    virtual COLORREF GetInactiveBkColor() const;
    virtual COLORREF GetFocusBkColor() const;
    // The colour setters answer TRUE.
    virtual BOOL SetSelTextColor(COLORREF cr);
    virtual BOOL SetSelBkColor(COLORREF cr);
    virtual BOOL SetGrayTextColor(COLORREF cr);
    virtual BOOL SetInactiveBkColor(COLORREF cr);
    virtual BOOL SetFocusBkColor(COLORREF cr);
    virtual BOOL SetTipBkColor(COLORREF cr);
    virtual CImageList* GetImageList(int nWhich) const;
    virtual CImageList* SetImageList(CImageList* pImageList, int nWhich);
    // A copy of the list through its stored form, owned by the caller; null when it fails.
    virtual CImageList* CopyImageList(CImageList* pSource);
    virtual CWnd* GetOwnerData() const;
    virtual void SetOwnerData(CWnd* pWnd);
    virtual void SetItemFont(CFont* pFont);
    virtual void SetHeaderFont(CFont* pFont);
    HFONT GetHeaderFont() const;

    // The client interface.
    HWND GetWnd() const override;
    BOOL IsLabelWrap() const override;
    int GetColumnSubItem(int iColumn) const override;
    BOOL GetScrollOffsets(CPoint& point) const override;
    void ClientToScreen(CPoint& point) const override;
    HWND SetCapture(BOOL bOn) override;
    CString GetItemTextString(int iItem, int iSubItem) override;
    BOOL IsItemSelected(int iItem) const override;
    COLORREF GetSelTextColor() const override;
    COLORREF GetSelBkColor() const override;
    COLORREF GetTipTextColor() const override;
    COLORREF GetTipBkColor() const override;
    HFONT GetItemFont() const override;

protected:
    using TWndBase::Default;

    // The window messages; the concrete windows bind them in their message maps.
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnSysColorChange();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnCancelMode();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint point);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg UINT OnGetDlgCode();
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnThemeChanged(WPARAM wParam, LPARAM lParam);
    // The label editor's text changed: the cell takes it at once and the editor follows the
    // label's new size.
    afx_msg void OnEditUpdate();
    afx_msg void OnEditKillFocus();
    // The first press in the header strip: a divider resizes, a button is held down.
    BOOL PressHeader(UINT nHitFlags, int nHit, CPoint point);
    // A press that may select the item under it and arm a drag.
    void PressItem(CPoint point, int nHit, UINT nHitFlags, UINT nKeyFlags);
    void ReleaseColumnDrag();
    int HeaderButtonCount() const;

    // Sends a list-view notification to the owner window, else the parent; 0 when neither.
    LRESULT Notify(NMHDR* pHdr) const;
    // The three colours all lists share: disabled background, inactive selection text and the
    // scroll bars' corner.
    static COLORREF GetSharedColor(int nIndex);
    enum
    {
        sharedDisabledBk,
        sharedInactiveSelText,
        sharedCorner
    };
    BOOL HasFocus() const;
    BOOL IsReportMode() const;
    KeyArgs MakeKeyArgs(UINT nRepeat, UINT nFlags) const;
    void SendScroll(UINT nCode);
    void SelectFromKeyboard(int nItem, const KeyArgs& key);
    void OnTypeAheadChar(UINT nChar);
    void OnTypeAheadTick();
    // Timers 1 to 3: the delayed label edit, the drag scrolling and the type-ahead prefix.
    void OnListTimer(UINT_PTR nIDEvent);
    void ResizeColumnByDivider(CPoint point, int nColumn);
    void EraseColumnDropMark();
    NMLVDISPINFOW MakeLabelEditRecord(UINT nCode, int nItem, int nSubItem) const;
    // Sends an end-of-edit record with the text in a buffer of its own; TRUE when accepted.
    BOOL SendEndLabelEdit(NMHDR& hdr, LPWSTR& pszText, int& cchTextMax, CString& strText, BOOL bCommit);
    // The measuring context, made on first use over a memory DC.
    SECListPaintContext& MeasuringContext();
    // The next measuring asks GetMeasureDC again.
    void ReleaseMeasuringContext();
    // Text up to and including the first line feed when labels do not wrap.
    int LabelLength(LPCWSTR pszText) const;
    LRESULT NotifyItem(UINT nCode, int nItem, int nSubItem = 0) const;
    void LoadColors();
    void DestroyImageLists();
    // Receives the fields a caller tried to set that the owner supplies.
    virtual void SetDispInfoHook(const LVITEMW& item);
    // The drop-target, focus and selection indexes follow an insertion at nIndex.
    void ShiftIndexesForInsert(int nIndex);
    void RepaintIfRedrawing();

    int m_nTopIndex = 0;
    int m_nHeaderHeight = 20;
    int m_nSubItemColumns = 0;
    int m_nFocusItem = -1;
    int m_nDropItem = -1;
    int m_nAnchorItem = -1;
    UINT m_nCallbackMask = 0;
    UINT m_nExCallbackMask = 0;
    UINT_PTR m_nEditDelayTimer = 0;
    UINT m_nListStyle = 0;
    UINT m_nScrollBarFlags = 0;
    UINT m_nListStyleEx = 0;
    COLORREF m_colors[colorCount] = {};
    BOOL m_bRedraw = FALSE;
    BOOL m_bTrackSysColors = FALSE;
    HCURSOR m_hCursor = nullptr;
    LPWSTR m_pszTextBuffer;
    CImageList* m_pImageLists[4] = {};
    int m_nHScrollOffset = 0;
    CPtrArray m_columns;
    CPtrArray m_items;
    CDWordArray m_selection;
    CWnd* m_pNotifyWnd = nullptr;
    SECListTip* m_pTip;
    SECListEdit* m_pEdit;
    CFont* m_pItemFont = nullptr;
    CFont* m_pHeaderFont = nullptr;

    // Input state.
    int m_nTypeAheadInterval = 250;
    int m_nWheelDelta = 0;
    int m_nCurrentColumn = 0;
    int m_nPendingEditItem = -1;
    int m_nEditItem = -1;
    CString m_strSavedLabel;
    // Set while an edit ends and until the next starts: the editor's destruction ends nothing.
    BOOL m_bEndEditGuard = FALSE;
    int m_nHotHeader = -1;
    LRESULT m_nLastNotifyAnswer = 0;
    UINT_PTR m_nDragTimer = 0;
    UINT_PTR m_nTypeAheadTimer = 0;
    enum
    {
        TypeAheadRunning = 1,
        TypeAheadKey = 2,
        TypeAheadFailed = 4,
        TypeAheadOff = 8
    };
    UINT m_nTypeAheadState = 0;
    CString m_strTypeAhead;
    BOOL m_bOverDivider = FALSE;
    BOOL m_bSelVetoed = FALSE;
    BOOL m_bItemDrag = FALSE;
    BOOL m_bColumnDrag = FALSE;
    BOOL m_bDragArmed = FALSE;
    CPoint m_ptPress;
    CImageList* m_pDragImage = nullptr;
    int m_nPressedHeader = -1;
    int m_nDropColumn = -1;
    // The header's and the tree's theme data, closed when the theme changes.
    foundation::SECThemeCache m_themes;

private:
    CDC* m_pMeasureDC = nullptr;
    BOOL m_bDeleteMeasureDC = FALSE;
    SECListPaintContext* m_pMeasureContext = nullptr;
};

// The window messages every list window maps to the list's handlers; each window adds its paint.
#define SEC_LIST_MESSAGE_ENTRIES() \
    ON_WM_CREATE() \
    ON_WM_DESTROY() \
    ON_WM_SYSCOLORCHANGE() \
    ON_WM_SIZE() \
    ON_WM_CANCELMODE() \
    ON_WM_ERASEBKGND() \
    ON_WM_SETCURSOR() \
    ON_WM_MOUSEMOVE() \
    ON_WM_LBUTTONDOWN() \
    ON_WM_LBUTTONUP() \
    ON_WM_LBUTTONDBLCLK() \
    ON_WM_RBUTTONDOWN() \
    ON_WM_RBUTTONUP() \
    ON_WM_MOUSEWHEEL() \
    ON_WM_HSCROLL() \
    ON_WM_VSCROLL() \
    ON_WM_TIMER() \
    ON_WM_KEYDOWN() \
    ON_WM_SYSKEYDOWN() \
    ON_WM_CHAR() \
    ON_WM_SETFOCUS() \
    ON_WM_KILLFOCUS() \
    ON_WM_ENABLE() \
    ON_WM_GETDLGCODE() \
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave) \
    ON_MESSAGE(WM_THEMECHANGED, OnThemeChanged) \
    ON_EN_UPDATE(SEC_LIST_EDIT_ID, OnEditUpdate) \
    ON_EN_KILLFOCUS(SEC_LIST_EDIT_ID, OnEditKillFocus)

extern template class SECListBaseT<CWnd>;

// The list core as a plain window.
class SECListBaseC : public SECListBaseT<CWnd>
{
    DECLARE_DYNAMIC(SECListBaseC)
};
} // namespace tarnwick::lists
