// The root of every cell control: one object per control type and grid, bound to a cell
// while the grid works with it. It keeps the objects drawn inside the cell (buttons), passes
// mouse and keys to them, validates and stores values, and serves the clipboard; concrete
// controls override what they need.
#pragma once

#include <afxwin.h>

#include <grid/controls/CellTipBase.h>
#include <grid/core/Range.h>
#include <toolkit/foundation/ScopedValue.h>

#include <functional>

class CGXGridCore;
class CGXStyle;
class CGXStylesMap;
class CGXChild;
class GX_FR_STATE;

// A control class's record: its name and the record of its base class.
struct GXControlClass
{
    LPCSTR pszClassName;
    const GXControlClass* pBaseClass;
};

// Other parts of the grid name some of these slots differently; an override or call written
// from those names maps by slot, never by spelling (left: the other name, right: the slot here):
//   GetRuntimeClass -> GetControlClass        GetWndRuntimeClass -> GetWindowClass
//   GetWndPtr -> GetControlWindow             IsActiveQuery -> ReservedQuery
//   SetModify -> SetModified                  GetModify -> IsModified
//   Store -> StoreEditedValue                 OnValidate -> ValidateValue
//   OnStartEditing -> RequestEditing          OnModifyCell -> RequestCommit
//   OnCancelEditing -> ReportChange           OnEndEditing -> ReportEditEnd
//   OnGridCellHook -> ForwardHookA            OnGridCellNotifyEx -> ForwardHookB
//   OnDeleteCell -> ForwardHookC              GetCellRect -> GetCellClientRect
//   AddBorders -> AddFrameToSize              CalcSize -> GetPreferredSize
//   CanMergeCell -> CellHasValue              DrawFrame -> DrawCurrentCellFrame
//   GetValue -> GetCurrentText                SetValue -> StoreText
//   GetCurrentText -> GetStyleValue           SetCurrentText -> SetValue
//   GetControlText -> FormatDisplayText       SetControlText -> StoreValue
//   ConvertControlTextToValue -> CanStoreValue  StoreStyle -> RebindToCell
//   GetCurrentCellText -> GetEditedCellText   GetChoiceListItem -> GetChoiceItem
//   FindStringInChoiceList -> FindChoiceItem  Hide -> HideControl
//   Refresh -> RefreshCell                    OnSetCursor -> OnMouseOver
//   OnGridMouseNotify -> ReservedHookA        QueryWindowState -> ReservedHookB
//   ProcessGridKeyMessage -> OnKeyMessage     OnGridKeyDown..OnGridSysDeadChar -> OnKeyDown..OnSysDeadChar
//   OnGridDoubleByteChar -> OnCharText        Copy/Paste/Cut -> CopyToClipboard/PasteFromClipboard/CutToClipboard
//   IsInit -> IsBoundToCell                   GetCopyText -> GetValueForCopy
//   FindText -> ForwardFeatureA               ReplaceAll -> ForwardFeatureB
//   ReplaceSel -> SetCellText                 GetSelectedText -> GetCopyText
//   OnClickedButton -> OnChildClicked         OnCommand -> OnGridCommand
//   OnGridScrollMessage -> OnGridScroll       OnGridCtlColor -> ReservedHookD (CDC*, CWnd*, UINT -> HBRUSH)
//   OnGridWinIniChange -> NotifyChildrenA     OnGridSysColorChange -> NotifyChildrenB
//   IsReadOnly -> IsReadOnlyCell              OnGridCancelMode -> CancelChildTracking
//   CellTipQuery/GetCellTipLimit/ShowCellTip -> QueryTipA/QueryTipB/ShowTip
//   QueryOption -> ReservedQueryB             GetCount -> GetChildCount
//   Get/SetCaptureChild -> Get/SetFocusChild  OnInitChildren -> LayoutChildren
//   Draw3dFrame -> Draw3dEffect               ValidateString -> AcceptText
//   ValidatePaste -> AcceptPasteText          OnInvalidKeyPressed -> ReservedHookE
//   OnGridImpNotify -> ForwardFeatureC
//   CancelEdit -> ReportChange                OnLeftCell(row, col) -> ForwardHookB
//   OnEditReset -> ForwardHookA               ProcessKey -> OnKeyMessage
//   the key-handling parts' store operation -> RebindToCell
//   GetEditState, SetEditState, CanActivate, CanClear follow ForwardFeatureC (no state, nothing,
//   !IsReadOnlyCell() twice).
class CGXControl
{
public:
    explicit CGXControl(CGXGridCore* pGrid);
    // Deletes the cached style, the children and the cell tip.
    virtual ~CGXControl();
    CGXControl(const CGXControl&) = delete;
    CGXControl& operator=(const CGXControl&) = delete;

    static const GXControlClass classCGXControl;

    virtual const GXControlClass* GetControlClass() const;
    virtual CRuntimeClass* GetWindowClass() const;
    virtual CWnd* GetControlWindow() const;
    virtual void SetActive(BOOL bActive);
    virtual BOOL IsActive();
    virtual BOOL ReservedQuery();
    virtual void SetModified(BOOL bModified);
    virtual BOOL IsModified();
    virtual void Init(ROWCOL nRow, ROWCOL nCol);
    virtual void Reset();
    virtual BOOL StoreEditedValue();
    virtual BOOL ValidateValue();
    virtual BOOL RequestEditing();
    virtual BOOL RequestCommit();
    virtual BOOL ReportChange();
    virtual BOOL ReportEditEnd();
    virtual BOOL ForwardHookA();
    virtual BOOL ForwardHookB(DWORD dwValue1, DWORD dwValue2);
    virtual BOOL ForwardHookC();
    virtual CRect GetCellClientRect(CRect& rectOut, ROWCOL nRow, ROWCOL nCol, const CRect* pRect = nullptr,
                                    const CGXStyle* pStyle = nullptr);
    virtual CSize AddFrameToSize(CSize& size, CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle);
    virtual CSize GetPreferredSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, int nDirection);
    virtual BOOL CanFloatCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, BOOL bFloatOrFlood);
    virtual BOOL CellHasValue(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style);
    virtual void DrawCurrentCellFrame(CDC* pDC, const CRect& rect);
    virtual void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                      const CGXStyle* pStandardStyle);
    virtual void GetCurrentText(CString& strText);
    virtual BOOL StoreText(const CString& strText);
    virtual BOOL GetStyleValue(CString& strText);
    virtual void SetValue(LPCTSTR pszText);
    virtual BOOL FormatDisplayText(CString& strOut, ROWCOL nRow, ROWCOL nCol, LPCTSTR pszText, const CGXStyle& style);
    virtual BOOL StoreValue(ROWCOL nRow, ROWCOL nCol, const CString& strText, const CGXStyle* pStyle);
    // May change the text into the value to store.
    virtual BOOL CanStoreValue(ROWCOL nRow, ROWCOL nCol, CString& strText, const CGXStyle* pStyle);
    // Stores a style into the cell through the grid and keeps the control in step with it.
    virtual BOOL RebindToCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, int nMode, int nType);
    virtual BOOL GetEditedCellText(ROWCOL nRow, ROWCOL nCol, CString& strText);
    virtual BOOL GetChoiceItem(CString& strItem, LPCTSTR pszChoiceList, int nIndex);
    virtual int FindChoiceItem(CString& strItem, LPCTSTR pszText, LPCTSTR pszChoiceList, BOOL bExactOnly);
    virtual void HideControl();
    virtual void RefreshCell();
    virtual BOOL OnMouseMove(UINT nFlags, CPoint point);
    virtual BOOL OnMouseOver(UINT nFlags, CPoint point);
    virtual BOOL OnLButtonDown(UINT nFlags, CPoint point);
    virtual BOOL OnLButtonUp(UINT nFlags, CPoint point);
    virtual BOOL OnLButtonDblClk(UINT nFlags, CPoint point);
    virtual BOOL OnMButtonDown(UINT nFlags, CPoint point);
    virtual BOOL OnMButtonUp(UINT nFlags, CPoint point);
    virtual BOOL OnMButtonDblClk(UINT nFlags, CPoint point);
    virtual BOOL OnRButtonDown(UINT nFlags, CPoint point);
    virtual BOOL OnRButtonUp(UINT nFlags, CPoint point);
    virtual BOOL OnRButtonDblClk(UINT nFlags, CPoint point);
    virtual BOOL ReservedHookA(DWORD dwValue1, DWORD dwValue2, DWORD dwValue3, DWORD dwValue4);
    virtual BOOL ReservedHookB(DWORD dwValue);
    virtual BOOL OnKeyMessage(UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual BOOL OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual BOOL OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual BOOL OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual BOOL OnCharText(const CString& strText);
    virtual BOOL OnDeadChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual BOOL OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual BOOL OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual BOOL OnSysChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual BOOL OnSysDeadChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual BOOL CopyToClipboard();
    virtual BOOL PasteFromClipboard();
    virtual BOOL CutToClipboard();
    virtual BOOL IsBoundToCell();
    virtual BOOL CanCut();
    virtual BOOL CanPaste();
    virtual void GetValueForCopy(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, CString& strText);
    // Find and replace-all in a cell through the thread's find state.
    virtual BOOL ForwardFeatureA(GX_FR_STATE& find, ROWCOL nRow, ROWCOL nCol, BOOL bFromCurrent, BOOL bSelect);
    virtual BOOL ForwardFeatureB(GX_FR_STATE& find, ROWCOL nRow, ROWCOL nCol);
    virtual void SetCellText(const CString& strText);
    virtual void GetCopyText(CString& strText);
    virtual BOOL OnChildClicked(CGXChild* pChild);
    virtual BOOL OnGridCommand(WORD wCommand, HWND hWnd);
    virtual LRESULT OnGridScroll(const MSG& msg);
    // The values carry a device context and a window, the answer a brush.
    virtual LRESULT ReservedHookD(DWORD_PTR dwValue1, DWORD_PTR dwValue2, DWORD dwValue3);
    virtual void NotifyChildrenA(DWORD dwValue);
    virtual void NotifyChildrenB();
    virtual BOOL IsReadOnlyCell();
    virtual void CancelChildTracking();
    virtual DWORD QueryTipA(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style);
    virtual DWORD QueryTipB(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style);
    virtual void ShowTip(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, CWnd* pTipWnd);
    virtual BOOL ReservedQueryB();
    virtual void AddChild(CGXChild* pChild);
    virtual void RemoveChild(CGXChild* pChild);
    virtual CGXChild* GetChild(INT_PTR nIndex);
    virtual INT_PTR GetChildCount();
    virtual CGXChild* GetFocusChild();
    virtual void SetFocusChild(CGXChild* pChild);
    virtual void LayoutChildren(ROWCOL nRow, ROWCOL nCol, const CRect& rect);
    virtual void DrawBackground(CDC* pDC, const CRect& rect, const CGXStyle& style, BOOL bForce);
    virtual BOOL Draw3dEffect(CDC* pDC, const CRect& rect, const CGXStyle& style);
    virtual BOOL AcceptText(LPCTSTR pszText);
    virtual BOOL AcceptPasteText(LPCTSTR pszText);
    virtual void ReservedHookE(DWORD dwValue);
    virtual LRESULT ForwardFeatureC(DWORD dwValue1, DWORD dwValue2, DWORD dwValue3);

    BOOL IsControlKindOf(const GXControlClass* pClass) const;
    BOOL IsWindowKindOf(const CRuntimeClass* pClass) const;
    BOOL IsActiveAt(ROWCOL nRow, ROWCOL nCol) const;
    CGXGridCore* Grid() const
    {
        return m_pGrid;
    }
    CWnd* GetGridWnd() const;
    // The bound cell's composed style, composed on first use.
    CGXStyle* LoadStyle();
    // Drops the cached style; with bNotify the grid's cache forgets the cell's style too.
    void FreeStyle(BOOL bNotify);
    // The active flag of a window control: only a control with a window is active, and one that
    // becomes active composes the bound cell's style afresh (FreeStyle(bNotify)). TRUE when the
    // control has just become active.
    BOOL SetWindowControlActive(BOOL& bIsActive, BOOL bActive, BOOL bWindow, BOOL bNotify);
    // The style's horizontal and vertical alignment as text-drawing flags (0 for what it leaves
    // open).
    static UINT TextAlignment(const CGXStyle& style);
    // Gives the control a cell-tip object when it has none.
    void EnsureCellTip();
    static void RegisterUserAttributes(CGXStylesMap* pStylesMap);
    // Tells the grid that it loses the focus to a window of this control.
    void SetFocusToGridIfNeeded(CWnd* pWnd);
    // While set, the grid ignores losing the focus to a window of the control.
    void LockGridFocus(BOOL bLock);
    // The same lock for the life of the returned object.
    tarnwick::foundation::SECScopedValue<BOOL> ScopedGridFocusLock();
    // Draws a part of a visual-style class over the rectangle with the grid's theme data, with a
    // theme edge when nEdge is not 0; FALSE (nothing drawn) while the application is not drawn
    // with visual styles.
    BOOL DrawThemedPart(CDC* pDC, LPCWSTR pszClass, int nPart, int nState, const CRect& rect, UINT nEdge = 0);
    // A rectangle that the grid's buffered paint leaves to the control.
    void AddRectToGridList(const CRect& rect);
    // The control's window takes the focus when the grid has it, without the grid noticing.
    void TakeFocusFromGrid(CWnd* pWnd);
    // The control's window over a cell partly scrolled out of the scrolling area repaints only
    // what the paint's clip box covers (in the grid window's coordinates).
    void RepaintClipBoxOnly(CWnd* pWnd, const CRect& rectCell, CRect rectClip);
    // Erases a control window: white, then the cached style's interior colour when it has one.
    void EraseControlWindow(CWnd* pWnd, HDC hDC);
    // The value formatted by the style's number format.
    void FormatWithDrawingService(CString& strOut, const CGXStyle& style, LPCTSTR pszValue);
    // The keys every control that edits its text in its window takes alike: Home and End
    // activate the bound cell with placeCaret(bEnd), Delete clears an editable cell with clear(),
    // and the cell is scrolled into view. FALSE for any other key, with Ctrl held, or while the
    // control has no window.
    BOOL ProcessEditKey(UINT nChar, const std::function<void(BOOL bEnd)>& placeCaret,
                        const std::function<void()>& clear);
    // Ctrl+C, V or X as WM_CHAR carries them: copied, pasted or cut, with bClearFirst on an
    // emptied clipboard; FALSE for any other character.
    BOOL ProcessClipboardChar(UINT nChar, BOOL bClearFirst);

private:
    // The value against "Valid: Min. Value" and "Valid: Max. Value"; a failure hands the cell's
    // "Valid: Warning Msg" to the grid.
    BOOL IsWithinLimits(const CString& strText);
    // Lays out the children in the bound cell's client rectangle, which it answers.
    CRect LayoutBoundCell();
    // Asks the children hit at the point: the first one only, or with bAll every one; with
    // bTakeFocus each becomes the focus child before it gets the message.
    BOOL AskChildrenAt(CPoint point, BOOL bAll, BOOL bTakeFocus, BOOL (CGXChild::*pfnMessage)(UINT, CPoint),
                       UINT nFlags);
    // A button release goes to the focus child.
    BOOL ReleaseChild(UINT nFlags, CPoint point, BOOL (CGXChild::*pfnUp)(UINT, CPoint));
    // Every child hit gets the double click; the grid's hook of the button is asked too.
    BOOL DoubleClickChildren(UINT nFlags, CPoint point, BOOL (CGXChild::*pfnDblClk)(UINT, CPoint),
                             BOOL (CGXGridCore::*pfnGridHook)(ROWCOL, ROWCOL, UINT, CPoint));
    // Calls the operation on every child.
    void ForEachChild(void (*pfnTell)(CGXChild*, DWORD), DWORD dwValue);
    // The grid's cached composed styles of the bound cell are composed anew.
    void DropGridStyleCache();
    // The cell's value as a CF_UNICODETEXT clipboard block; FALSE when the clipboard refused.
    BOOL PutTextOnClipboard(const CString& strText);

protected:
    // Whether the grid's styles are on the clipboard and pasted as styles.
    BOOL IsGridStylePasteAvailable() const;
    // Whether the grid honours read-only settings and the grid or the style is read-only.
    BOOL IsLockedReadOnly(const CGXStyle* pStyle);

    DWORD m_dwReserved = 0;
    CGXGridCore* m_pGrid;
    LONG m_nRow = -1;
    LONG m_nCol = -1;
    CGXStyle* m_pStyle = nullptr;
    BOOL m_bIsBound = FALSE;
    CPtrList* m_pChildList = nullptr;
    CGXChild* m_pFocusChild = nullptr;
    BOOL m_bLeadUnitPending = FALSE;
    WCHAR m_chLeadUnit = 0;
    CGXCellTipBase* m_pCellTip = nullptr;
};
