// Wrappers of the common controls (list view, tree view, tool tips, up-down, progress bar)
// and of the rich edit control: thin CWnd classes over their window classes and messages.
#pragma once

class CListCtrl : public CWnd
{
    DECLARE_DYNAMIC(CListCtrl)
public:
    CListCtrl() = default;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    COLORREF GetBkColor() const;
    BOOL SetBkColor(COLORREF cr);
    COLORREF GetTextColor() const;
    BOOL SetTextColor(COLORREF cr);
    COLORREF GetTextBkColor() const;
    BOOL SetTextBkColor(COLORREF cr);
    // nImageList: LVSIL_NORMAL, LVSIL_SMALL or LVSIL_STATE. The lists come back as
    // temporary objects unless attached.
    CImageList* GetImageList(int nImageList) const;
    CImageList* SetImageList(CImageList* pImageList, int nImageListType);
    DWORD GetExtendedStyle() const;
    DWORD SetExtendedStyle(DWORD dwNewStyle);

    int GetItemCount() const;
    // Reserves room for nItems items (or sets the count of a virtual list).
    void SetItemCount(int nItems);
    BOOL GetItem(LVITEM* pItem) const;
    BOOL SetItem(const LVITEM* pItem);
    BOOL SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage, UINT nState, UINT nStateMask,
                 LPARAM lParam);
    // The text may be of any length.
    CString GetItemText(int nItem, int nSubItem) const;
    int GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const;
    BOOL SetItemText(int nItem, int nSubItem, LPCTSTR lpszText);
    DWORD_PTR GetItemData(int nItem) const;
    BOOL SetItemData(int nItem, DWORD_PTR dwData);
    UINT GetItemState(int nItem, UINT nMask) const;
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;
    BOOL GetItemPosition(int nItem, LPPOINT lpPoint) const;
    int GetNextItem(int nItem, int nFlags) const;
    UINT GetSelectedCount() const;
    // Selected items in order: a NULL position when there are no more.
    POSITION GetFirstSelectedItemPosition() const;
    int GetNextSelectedItem(POSITION& pos) const;
    int GetSelectionMark() const;
    int SetSelectionMark(int iIndex);
    int GetTopIndex() const;
    int GetCountPerPage() const;
    int GetStringWidth(LPCTSTR lpsz) const;
    // The edit control of the label being edited, as a temporary object; NULL when none.
    CEdit* GetEditControl() const;

    BOOL GetColumn(int nCol, LVCOLUMN* pColumn) const;
    BOOL SetColumn(int nCol, const LVCOLUMN* pColumn);
    int GetColumnWidth(int nCol) const;
    // cx may be LVSCW_AUTOSIZE or LVSCW_AUTOSIZE_USEHEADER.
    BOOL SetColumnWidth(int nCol, int cx);
    // Return the new column's index, or -1.
    int InsertColumn(int nCol, const LVCOLUMN* pColumn);
    // nWidth -1 and nSubItem -1 leave those out of the column's description.
    int InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                     int nSubItem = -1);
    BOOL DeleteColumn(int nCol);

    // Return the new item's index, or -1.
    int InsertItem(const LVITEM* pItem);
    int InsertItem(int nItem, LPCTSTR lpszItem);
    int InsertItem(int nItem, LPCTSTR lpszItem, int nImage);
    int InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask, int nImage, LPARAM lParam);
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();
    int FindItem(LVFINDINFO* pFindInfo, int nStart = -1) const;
    int HitTest(LVHITTESTINFO* pHitTestInfo) const;
    int HitTest(CPoint pt, UINT* pFlags = nullptr) const;
    int SubItemHitTest(LPLVHITTESTINFO pInfo);
    BOOL EnsureVisible(int nItem, BOOL bPartialOK);
    BOOL Scroll(CSize size);
    BOOL RedrawItems(int nFirst, int nLast);
    BOOL Update(int nItem);
    BOOL Arrange(UINT nCode);
    CEdit* EditLabel(int nItem);
    // A new image list that the caller deletes; NULL on failure.
    CImageList* CreateDragImage(int nItem, LPPOINT lpPoint);
    BOOL SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData);

    // LVS_OWNERDRAWFIXED lists draw here; nothing is drawn by default.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class CTreeCtrl : public CWnd
{
    DECLARE_DYNAMIC(CTreeCtrl)
public:
    CTreeCtrl() = default;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    UINT GetCount() const;
    UINT GetIndent() const;
    void SetIndent(UINT nIndent);
    // nImageList: TVSIL_NORMAL or TVSIL_STATE.
    CImageList* GetImageList(int nImageList) const;
    CImageList* SetImageList(CImageList* pImageList, int nImageListType);
    COLORREF GetBkColor() const;
    COLORREF SetBkColor(COLORREF clr);
    COLORREF GetTextColor() const;
    COLORREF SetTextColor(COLORREF clr);
    SHORT GetItemHeight() const;
    SHORT SetItemHeight(SHORT cyHeight);
    UINT GetVisibleCount() const;
    CEdit* GetEditControl() const;

    // nCode is a TVGN_ code.
    HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const;
    HTREEITEM GetChildItem(HTREEITEM hItem) const;
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const;
    HTREEITEM GetPrevSiblingItem(HTREEITEM hItem) const;
    HTREEITEM GetParentItem(HTREEITEM hItem) const;
    HTREEITEM GetFirstVisibleItem() const;
    HTREEITEM GetNextVisibleItem(HTREEITEM hItem) const;
    HTREEITEM GetPrevVisibleItem(HTREEITEM hItem) const;
    HTREEITEM GetSelectedItem() const;
    HTREEITEM GetDropHilightItem() const;
    HTREEITEM GetRootItem() const;

    BOOL GetItem(TVITEM* pItem) const;
    BOOL SetItem(TVITEM* pItem);
    BOOL SetItem(HTREEITEM hItem, UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                 UINT nStateMask, LPARAM lParam);
    // The text may be of any length.
    CString GetItemText(HTREEITEM hItem) const;
    BOOL SetItemText(HTREEITEM hItem, LPCTSTR lpszItem);
    BOOL GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const;
    BOOL SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage);
    UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const;
    BOOL SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask);
    DWORD_PTR GetItemData(HTREEITEM hItem) const;
    BOOL SetItemData(HTREEITEM hItem, DWORD_PTR dwData);
    BOOL ItemHasChildren(HTREEITEM hItem) const;
    BOOL GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const;
    // The check box state of TVS_CHECKBOXES trees.
    BOOL GetCheck(HTREEITEM hItem) const;
    BOOL SetCheck(HTREEITEM hItem, BOOL fCheck = TRUE);

    HTREEITEM InsertItem(LPTVINSERTSTRUCT lpInsertStruct);
    HTREEITEM InsertItem(UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState, UINT nStateMask,
                         LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter);
    HTREEITEM InsertItem(LPCTSTR lpszItem, HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST);
    HTREEITEM InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent = TVI_ROOT,
                         HTREEITEM hInsertAfter = TVI_LAST);
    BOOL DeleteItem(HTREEITEM hItem);
    BOOL DeleteAllItems();
    // nCode: TVE_EXPAND, TVE_COLLAPSE, TVE_TOGGLE ...
    BOOL Expand(HTREEITEM hItem, UINT nCode);
    BOOL Select(HTREEITEM hItem, UINT nCode);
    BOOL SelectItem(HTREEITEM hItem);
    BOOL SelectDropTarget(HTREEITEM hItem);
    BOOL SelectSetFirstVisible(HTREEITEM hItem);
    CEdit* EditLabel(HTREEITEM hItem);
    HTREEITEM HitTest(CPoint pt, UINT* pFlags = nullptr) const;
    HTREEITEM HitTest(TVHITTESTINFO* pHitTestInfo) const;
    // A new image list that the caller deletes; NULL on failure.
    CImageList* CreateDragImage(HTREEITEM hItem);
    BOOL SortChildren(HTREEITEM hItem);
    BOOL SortChildrenCB(LPTVSORTCB pSort);
    BOOL EnsureVisible(HTREEITEM hItem);
};

class CToolTipCtrl : public CWnd
{
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    CToolTipCtrl() = default;

    // A pop-up tip window owned by pParentWnd.
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
    virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwStyle = 0, DWORD dwStyleEx = 0);

    // A tool is a window (nIDTool 0: pWnd itself, identified by its handle) or an id within
    // pWnd's client area, with lpRectTool as its area. LPSTR_TEXTCALLBACK asks pWnd's
    // parent for the text through TTN_NEEDTEXT.
    BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText = LPSTR_TEXTCALLBACK, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
    void UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void UpdateTipText(UINT nIDText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    // lpToolInfo's text buffer, when it asks for the text, holds INFOTIPSIZE characters.
    BOOL GetToolInfo(LPTOOLINFO lpToolInfo, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    void SetToolInfo(LPTOOLINFO lpToolInfo);
    void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);
    int GetToolCount() const;
    BOOL HitTest(CWnd* pWnd, CPoint pt, LPTOOLINFO lpToolInfo) const;

    void Activate(BOOL bActivate);
    // Mouse messages of the tools' windows that the tip should see.
    void RelayEvent(LPMSG lpMsg);
    // The initial, pop-up and reshow delays together, in milliseconds.
    void SetDelayTime(UINT nDelay);
    // One of them: dwDuration is TTDT_INITIAL, TTDT_AUTOPOP, TTDT_RESHOW or TTDT_AUTOMATIC.
    void SetDelayTime(DWORD dwDuration, int iTime);
    int GetDelayTime(DWORD dwDuration) const;
    // -1 lets the tip be as wide as its text; a width breaks the text into lines.
    int SetMaxTipWidth(int iWidth);
    int GetMaxTipWidth() const;
    void SetTipBkColor(COLORREF clr);
    COLORREF GetTipBkColor() const;
    void SetTipTextColor(COLORREF clr);
    COLORREF GetTipTextColor() const;
    void SetMargin(LPRECT lprc);
    void GetMargin(LPRECT lprc) const;
    void Pop();
    void Update();

protected:
    // The tool record of one tool, in the size that every comctl32 version takes.
    static void FillInToolInfo(TOOLINFO& ti, CWnd* pWnd, UINT_PTR nIDTool);
};

class CSpinButtonCtrl : public CWnd
{
    DECLARE_DYNAMIC(CSpinButtonCtrl)
public:
    CSpinButtonCtrl() = default;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    BOOL SetAccel(int nAccel, UDACCEL* pAccel);
    UINT GetAccel(int nAccel, UDACCEL* pAccel) const;
    // 10 or 16.
    int SetBase(int nBase);
    UINT GetBase() const;
    // Returns the previous buddy.
    CWnd* SetBuddy(CWnd* pWndBuddy);
    CWnd* GetBuddy() const;
    // Returns the previous position.
    int SetPos(int nPos);
    // The position in the low word; the high word is not 0 when the buddy's text is no number.
    int GetPos() const;
    int SetPos32(int nPos);
    int GetPos32(LPBOOL lpbError = nullptr) const;
    // The 16-bit range; lower may be above upper.
    void SetRange(short nLower, short nUpper);
    void SetRange32(int nLower, int nUpper);
    // Lower in the high word, upper in the low word.
    DWORD GetRange() const;
    void GetRange(int& lower, int& upper) const;
    void GetRange32(int& lower, int& upper) const;
};

class CProgressCtrl : public CWnd
{
    DECLARE_DYNAMIC(CProgressCtrl)
public:
    CProgressCtrl() = default;

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    void SetRange(short nLower, short nUpper);
    void SetRange32(int nLower, int nUpper);
    void GetRange(int& nLower, int& nUpper) const;
    int GetPos() const;
    // These return the previous position.
    int SetPos(int nPos);
    int OffsetPos(int nPos);
    int SetStep(int nStep);
    int GetStep() const;
    int StepIt();
    COLORREF SetBkColor(COLORREF clrNew);
    COLORREF GetBkColor() const;
    COLORREF SetBarColor(COLORREF clrBar);
    COLORREF GetBarColor() const;
    // PBS_MARQUEE bars: animate every nInterval milliseconds while bOn.
    BOOL SetMarquee(BOOL bOn, UINT nInterval);
};

// Loads the rich edit 2.0 library once for the process; FALSE when it cannot be loaded.
BOOL AFXAPI AfxInitRichEdit2();

class CRichEditCtrl : public CWnd
{
    DECLARE_DYNAMIC(CRichEditCtrl)
public:
    CRichEditCtrl() = default;

    // A rich edit 2.0 control; loads the library first.
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    BOOL CanUndo() const;
    BOOL CanRedo() const;
    BOOL CanPaste(UINT nFormat = 0) const;
    int GetLineCount() const;
    BOOL GetModify() const;
    void SetModify(BOOL bModified = TRUE);
    void GetRect(LPRECT lpRect) const;
    void SetRect(LPCRECT lpRect);
    CPoint GetCharPos(long lChar) const;
    int CharFromPos(CPoint pt) const;
    CPoint PosFromChar(UINT nChar) const;
    // The caller stores the buffer's size in characters in its first word.
    int GetLine(int nIndex, LPTSTR lpszBuffer) const;
    int GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const;
    int GetFirstVisibleLine() const;
    long GetTextLength() const;
    // GTL_ flags; nCodePage 1200 counts UTF-16 units.
    long GetTextLengthEx(DWORD dwFlags, UINT nCodePage = 1200) const;
    // The characters from nFirst to before nLast (-1: the end); returns their count.
    int GetTextRange(int nFirst, int nLast, CString& refString) const;
    CString GetSelText() const;
    WORD GetSelectionType() const;
    long GetLimitText() const;
    void LimitText(long nChars = 0);
    // ENM_ flags of the notifications that the parent receives; returns the previous mask.
    DWORD SetEventMask(DWORD dwEventMask);
    DWORD GetEventMask() const;
    UINT GetOptions() const;
    void SetOptions(WORD wOp, DWORD dwFlags);
    BOOL SetReadOnly(BOOL bReadOnly = TRUE);
    // Returns the previous background colour.
    COLORREF SetBackgroundColor(BOOL bSysColor, COLORREF cr);
    BOOL SetTargetDevice(HDC hDC, long lLineWidth);
    BOOL SetTargetDevice(CDC& dc, long lLineWidth);
    UINT SetUndoLimit(UINT nLimit);
    BOOL SetAutoURLDetect(BOOL bEnable = TRUE);

    // Character formats: the Get functions set cbSize, the Set functions too.
    DWORD GetDefaultCharFormat(CHARFORMAT& cf) const;
    DWORD GetDefaultCharFormat(CHARFORMAT2& cf) const;
    DWORD GetSelectionCharFormat(CHARFORMAT& cf) const;
    DWORD GetSelectionCharFormat(CHARFORMAT2& cf) const;
    BOOL SetDefaultCharFormat(CHARFORMAT& cf);
    BOOL SetDefaultCharFormat(CHARFORMAT2& cf);
    BOOL SetSelectionCharFormat(CHARFORMAT& cf);
    BOOL SetSelectionCharFormat(CHARFORMAT2& cf);
    BOOL SetWordCharFormat(CHARFORMAT& cf);
    BOOL SetWordCharFormat(CHARFORMAT2& cf);
    DWORD GetParaFormat(PARAFORMAT& pf) const;
    DWORD GetParaFormat(PARAFORMAT2& pf) const;
    BOOL SetParaFormat(PARAFORMAT& pf);
    BOOL SetParaFormat(PARAFORMAT2& pf);

    void GetSel(CHARRANGE& cr) const;
    void GetSel(long& nStartChar, long& nEndChar) const;
    void SetSel(long nStartChar, long nEndChar);
    void SetSel(CHARRANGE& cr);
    void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE);
    void HideSelection(BOOL bHide, BOOL bPerm);
    long LineFromChar(long nIndex) const;
    int LineIndex(int nLine = -1) const;
    int LineLength(int nLine = -1) const;
    void LineScroll(int nLines, int nChars = 0);
    long FindText(DWORD dwFlags, FINDTEXTEX* pFindText) const;

    // Sends EN_REQUESTRESIZE with the size the contents need (ENM_REQUESTRESIZE).
    void RequestResize();
    // Formats (bDisplay FALSE: measures) a range for a device; a NULL record frees the
    // control's cached format information. Returns the first character that did not fit.
    long FormatRange(FORMATRANGE* pfr, BOOL bDisplay = TRUE);
    BOOL DisplayBand(LPRECT pDisplayRect);
    // nFormat: SF_TEXT or SF_RTF, optionally with SFF_SELECTION. The callback in es moves the
    // bytes; returns the number of characters read or written.
    long StreamIn(int nFormat, EDITSTREAM& es);
    long StreamOut(int nFormat, EDITSTREAM& es);

    void EmptyUndoBuffer();
    BOOL Undo();
    BOOL Redo();
    void StopGroupTyping();
    void Clear();
    void Copy();
    void Cut();
    void Paste();
};
