// The grid without its window: the link to the shared parameter object, the cell controls
// in use, the feature objects ("Imps"), the caches of composed styles and GDI objects, and the
// virtual operations that every part of the grid builds on.
#pragma once

#include <afxwin.h>

#include <grid/core/AbstractGridImps.h>
#include <grid/core/BorderSide.h>
#include <grid/core/MapCellToOb.h>
#include <grid/core/MapNdxToOb.h>
#include <grid/core/Range.h>
#include <grid/core/RangeList.h>
#include <grid/core/ResourceIds.h>
#include <toolkit/foundation/ThemeHandle.h>

#include <vector>

class CGXAppData;
class CGXControl;
class CGXData;
class CGXFont;
class CGXGridParam;
class CGXProperties;
class CGXStyle;
class CGXStylesMap;
struct GXBrushRecord;
struct GXPenRecord;
struct DrawStruct;
class CFindReplaceDialog;
class CSplitterWnd;
class CView;
class CGXSortInfoArray;
class CGXPluginComponent;

// An object attached to the core that is told after rows or columns were inserted, removed or
// counted anew.
class CGXAbstractUpdateObject
{
public:
    virtual ~CGXAbstractUpdateObject() = default;
    virtual void Update() = 0;
};

// Redraw flags of every change operation and of SetCurrentCell; combinations are ORed. Either
// update bit updates the window at once.
constexpr UINT GX_INVALIDATE = 0x01;
constexpr UINT GX_UPDATENOW = 0x02;
// The update bit that a press of a mouse button passes.
constexpr UINT GX_UPDATEONPRESS = 0x04;
constexpr UINT GX_UPDATEBITS = GX_UPDATENOW | GX_UPDATEONPRESS;
// Flags that only SetCurrentCell reads: scroll the new cell into view; activate its control;
// do not update the window before drawing the new cell; do not tell the other views; do not
// make the selection follow the current cell.
constexpr UINT GX_SCROLLINVIEW = 0x08;
constexpr UINT GX_ACTIVATECELL = 0x10;
constexpr UINT GX_NOUPDATEBEFORE = 0x20;
constexpr UINT GX_NOHINTS = 0x40;
constexpr UINT GX_NOSELECTFOLLOW = 0x80;
// Entering a cell as the mouse and the keys do: scrolled into view and drawn at once.
constexpr UINT GX_MOVECELL = GX_SCROLLINVIEW | GX_UPDATENOW;
// Entering a cell that a control found text in.
constexpr UINT GX_FOUNDCELL = GX_NOUPDATEBEFORE | GX_UPDATEONPRESS;
static_assert(GX_MOVECELL == 0x0A && GX_FOUNDCELL == 0x24 && (GX_NOSELECTFOLLOW | GX_MOVECELL) == 0x8A);

// Resize to fit: sizes only grow.
constexpr UINT GX_GROWONLY = 0x08;

// Hit-test codes.
enum : int
{
    GX_NOHIT = 0,
    GX_HORZLINE = 1, // a column edge: resize the column
    GX_VERTLINE = 2, // a row edge: resize the row
    GX_CELLHIT = 3,
    GX_HEADERHIT = 4,
    GX_SELEDGEHIT = 5,
    GX_FILLHANDLEHIT = 6,
    GX_HIDDENCOLHIT = 7,
    GX_HIDDENROWHIT = 8
};

// The largest unsigned row or column: "none" and "not computed".
constexpr ROWCOL GX_INVALID = ~ROWCOL(0);

// The bit of the core's mouse state word while a fill drag runs.
constexpr WORD GX_FILLDRAGGING = 0x0200;

// Clipboard flags, the bits of the core's m_nClipboardFlags: what copy and paste exchange.
constexpr WORD GX_CLIPHEADERROWS = 0x0001; // whole-row, whole-column and table selections take the header rows
constexpr WORD GX_CLIPHEADERCOLS = 0x0002; // and the header columns
constexpr WORD GX_CLIPTEXT = 0x0008;       // the text format
constexpr WORD GX_CLIPSTYLES = 0x0010;     // the grid's styles format; also what a cut clears
constexpr WORD GX_CLIPCOMPOSED = 0x0020;   // the styles stream carries composed styles
constexpr WORD GX_CLIPASKSIZE = 0x0100;    // ask before pasting styles of another size
constexpr WORD GX_CLIPNONEWROWS = 0x0200;  // paste adds no rows
constexpr WORD GX_CLIPNONEWCOLS = 0x0400;  // paste adds no columns
constexpr WORD GX_CLIPOWNTYPE = 0x0800;    // the styles stream reads with the grid's type word
constexpr WORD GX_CLIPESCAPES = 0x1000;    // text escapes CR, LF and TAB inside a cell
// Text, styles and composed styles.
constexpr WORD GX_CLIPDEFAULT = GX_CLIPTEXT | GX_CLIPSTYLES | GX_CLIPCOMPOSED;
static_assert(GX_CLIPDEFAULT == 0x38);

class CGXGridCore
{
public:
    CGXGridCore(CWnd* pGridWnd = nullptr, CDocument* pGridDoc = nullptr, void* pContext = nullptr);
    virtual ~CGXGridCore();
    CGXGridCore(const CGXGridCore&) = delete;
    CGXGridCore& operator=(const CGXGridCore&) = delete;

    // Window and objects
    CWnd* GridWnd() const
    {
        return m_pGridWnd;
    }
    void SetGridWnd(CWnd* pWnd, CDocument* pDoc, void* pContext);
    CGXAppData* GetAppData() const
    {
        return m_pAppData;
    }
    CGXGridParam* GetParam() const
    {
        return m_pParam;
    }
    CGXStylesMap* GetStylesMap() const;
    CGXProperties* GetProperties() const;
    CGXData* GetData() const;
    BOOL IsInitialized() const
    {
        return m_bInitDone;
    }

    // Construction and initialisation
    virtual void OnGridInitialUpdate();
    virtual void SetParam(CGXGridParam* pParam, BOOL bOwn = TRUE);
    virtual void RegisterControl(WORD nControlId, CGXControl* pControl, BOOL bDefault = FALSE,
                                 BOOL bRegisterName = TRUE);
    virtual CGXControl* GetRegisteredControl(WORD nControlId);
    virtual CGXControl* GetControl(ROWCOL nRow, ROWCOL nCol);
    virtual CGXStyle* GetStandardStyle();
    virtual CGXStyle* GetBaseStyle(WORD nBaseStyleId);
    virtual CWnd* GetRegisteredParent();
    virtual CRect* GetGridRect(CRect* pRect);
    void SetGridRectOverride(const CRect* pRect);
    virtual void SetPrinting(BOOL bPrint, BOOL bClientToDevice = FALSE);
    BOOL IsPrinting() const
    {
        return m_bPrinting;
    }
    virtual BOOL GetParamSetting();
    virtual BOOL StoreParamSetting(BOOL bSetting);
    virtual void SetParamSetting(BOOL bSetting);
    virtual void OnParamSettingChanged(BOOL bOldSetting, BOOL bNotify);
    virtual void GetMarkedHeaders(ROWCOL& nRow, ROWCOL& nCol);
    virtual void AddFindState(void* pState);
    int GetSwapValue() const
    {
        return m_nSwapValue;
    }
    int SwapValue(int nValue);
    virtual BOOL ShowScrollBar(int nBar, BOOL bShow = TRUE);
    virtual void ResetGridCaches();
    // Lets the plug-in components attach to the grid window.
    virtual void AttachPluginComponents();
    // Feature objects that the installers fill.
    void SetExcelLikeFillImp(CGXAbstractGridExcelLikeFillImp* pImp);
    // Undo and redo; copying and moving cells inside the grid (with the application's data
    // copy-and-move feature). Each installs only where nothing is installed yet.
    void InstallCommandFactory();
    void InstallDirectCopyMoveCellsImp();
    // Printing and print preview of the grid (with the application's print device).
    void InstallPrintImp();
    // Cut, copy and paste through the clipboard, and the cells as text and as styles.
    void InstallCutPasteImp();
    void InstallTextDataExchangeImp();
    void InstallStyleDataExchangeImp();
    // Set while a block of undo commands runs: what it records goes into the block's inverse.
    BOOL IsExecutingBlock() const
    {
        return m_bExecutingBlock;
    }

    // Counts
    virtual ROWCOL GetRowCount();
    virtual ROWCOL GetColCount();
    virtual ROWCOL GetHeaderRows();
    virtual ROWCOL GetHeaderCols();
    virtual ROWCOL GetFrozenRows();
    virtual ROWCOL GetFrozenCols();
    virtual BOOL IsReadOnly();

    // Cell styles and values
    virtual BOOL GetStyleRowCol(ROWCOL nRow, ROWCOL nCol, CGXStyle& style, int nMode, int nType);
    virtual void ComposeStyleRowCol(ROWCOL nRow, ROWCOL nCol, CGXStyle* pStyle, BOOL bApplyStandard = TRUE);
    virtual const CString& LookupStyleRowCol(ROWCOL nRow, ROWCOL nCol);
    virtual const CString& GetValueRowCol(ROWCOL nRow, ROWCOL nCol);
    virtual BOOL StoreStyleRowCol(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, int nMode, int nType);
    virtual BOOL SetStyleRange(const CGXRange& range, const CGXStyle* pStyle, int nMode, int nType,
                               const CObArray* pStyles, UINT flags, int nCommandKind);
    BOOL SetStyleRangeShort(const CGXRange& range, const CGXStyle& style, int nMode = 0, int nType = 0,
                            UINT flags = GX_INVALIDATE);
    virtual BOOL SetValueRange(const CGXRange& range, LPCTSTR pszValue, int nMode = 0, UINT flags = GX_INVALIDATE);
    // A new array of the stored styles of the range, row by row (null where a cell has none);
    // the caller deletes the styles and the array.
    virtual CObArray* CopyStyleRange(const CGXRange& range, int nType, BOOL bAbortable);
    virtual BOOL ChangeStylesMap(const CGXStylesMap& stylesMap, UINT flags = GX_INVALIDATE, int nCommandKind = 0);
    virtual BOOL ChangeProperties(const CGXProperties& properties, UINT flags = GX_INVALIDATE, int nCommandKind = 0);
    virtual BOOL ChangeBaseStyle(WORD nBaseStyleId, const CGXStyle& style, int nMode, UINT flags = GX_INVALIDATE,
                                 int nCommandKind = 0);
    virtual void RefreshBaseStyles(UINT flags, BOOL bHint);
    virtual void RefreshAfterBaseStyleChange(WORD nBaseStyleId, UINT flags, BOOL bHint);
    virtual void RedrawRange(const CGXRange& range, UINT flags, BOOL bHint);
    virtual LRESULT CallControlWithStyle(ROWCOL nRow, ROWCOL nCol, DWORD dwValue1, DWORD dwValue2,
                                         const CGXStyle* pStyle);
    virtual void DocumentLinkCall(int nCode);
    // A cell's value text, stored plainly or converted by the cell's control (the composed
    // style when none is given); each store answers FALSE when the value is refused.
    virtual void GetCellValueText(CString& strText, ROWCOL nRow, ROWCOL nCol);
    virtual BOOL StoreCellValue(ROWCOL nRow, ROWCOL nCol, const CString& strText, UINT flags, const CGXStyle* pStyle);
    virtual BOOL SetControlTextRowCol(ROWCOL nRow, ROWCOL nCol, const CString& strText, UINT flags,
                                      const CGXStyle* pStyle);
    // Tell the data object that a range is about to change (it is marked changed) and that the
    // change is over (it recalculates); nothing without a data object.
    virtual void BeginDataChange(const CGXRange& range);
    virtual void EndDataChange();
    // A band that is about to be cleared is repainted afterwards.
    virtual void PrepareRangeUpdate(const CGXRange& range);
    // Whether change operations refuse: the read-only lock of the parameter object is on and
    // the grid is read-only.
    BOOL IsChangeLocked();

    // Composed styles and their cache
    virtual CGXStyle* GetComposedStyle(ROWCOL nRow, ROWCOL nCol);
    virtual CGXStyle* CreateStyle();
    virtual void RecycleStyle(CGXStyle* pStyle);
    BOOL LookupCachedStyle(ROWCOL nRow, ROWCOL nCol, CGXStyle*& pStyle);
    INT_PTR GetFreeStyleCount() const
    {
        return static_cast<INT_PTR>(m_FreeStyles.size());
    }
    void SetKeptRowsCols(ROWCOL nRow1, ROWCOL nRow2, ROWCOL nCol1, ROWCOL nCol2);

    // Drawing objects
    virtual CFont* LoadFont(CDC* pDC, const CGXStyle& style, const CGXStyle* pCompare);
    CFont* SelectFontScaled(CDC* pDC, const CGXFont& font);
    // The cached font at the grid's zoom.
    CFont* GetFontScaled(const CGXFont& font);
    CFont* GetFontCached(const CGXFont& font);
    CBrush* GetBrushCached(const GXBrushRecord& brush);
    CPen* GetPenCached(const GXPenRecord& pen);
    CDC* GetClientDC();
    void ReleaseClientDC();
    virtual void FreeObjectCache();
    BOOL SetKeepGDIObjects(BOOL bKeep);

    // Grid lines, cell borders, fills and selection marking
    enum : int
    {
        gridLineVertical = 1,
        gridLineHorizontal = 2
    };
    enum : UINT
    {
        gridLineFilled = 0x1,
        gridLinePatterned = 0x2,
        gridLineInverted = 0x4 | 0x8 // either bit
    };
    virtual void DrawGridLine(CDC* pDC, int x, int y, int cx, int cy, int nKind, ROWCOL nIndex, UINT flags);
    // The line of the kind before visible column or row nIndex, across the grid.
    void DrawDividerLine(CDC* pDC, int nKind, ROWCOL nIndex, UINT flags);
    CRect CalcDividerRect(int nKind, ROWCOL nIndex);
    void DrawBorderLine(const GXPenRecord& pen, const CRect& rect, GXDrawSide side, CDC* pDC,
                        const GXBrushRecord& interior);
    virtual void DrawCellBorders(CDC* pDC, const CRect& rect, const CGXStyle& style);
    virtual void FillBrushRect(CDC* pDC, const CRect& rect, const GXBrushRecord& brush);
    // The grid lines and borders of one column (row) of a drawing pass, equal segments merged.
    void DrawColumnLines(DrawStruct& ds, ROWCOL nCol);
    void DrawRowLines(DrawStruct& ds, ROWCOL nRow);
    virtual void DrawSelectedCell(CDC* pDC, ROWCOL nRow, ROWCOL nCol, int left, int top, int right, int bottom);
    virtual CRect CalcCellInnerRect(CRect& rectOut, const CRect& rectCell, const CGXStyle& style, BOOL bGridLines);
    virtual CSize AddBorderSize(CSize& sizeOut, int cx, int cy, const CGXStyle& style);
    // FALSE when the point lies before the grid or past its last row or column.
    BOOL CalcCellFromPoint(CPoint pt, ROWCOL* pnVisRow, ROWCOL* pnVisCol, CRect* pRect);
    void SetPatternedLineStyle(UINT nPenStyle)
    {
        m_nPatternedLineStyle = nPenStyle;
    }

    // Current cell (the position the current-cell code keeps). GetCurrentCell writes the kept
    // position always and answers whether a cell is current: none past the row or column count,
    // and none while printing unless asked for. GX_INVALID in IsCurrentCell matches any row or
    // column.
    virtual BOOL GetCurrentCell(ROWCOL* pRow, ROWCOL* pCol, BOOL bAlsoWhilePrinting = FALSE);
    virtual BOOL IsCurrentCell(ROWCOL nRow, ROWCOL nCol, BOOL bAlsoWhilePrinting = FALSE);
    virtual void SetCurrentCellPosition(BOOL bValid, ROWCOL nRow, ROWCOL nCol);
    virtual CGXControl* GetCurrentCellControl();
    virtual BOOL IsActiveCurrentCell();
    virtual BOOL SetCurrentCell(ROWCOL nRow, ROWCOL nCol, UINT flags = GX_MOVECELL);
    virtual BOOL MoveCurrentCell(int nDirection, UINT nCount = 1, BOOL bSelect = FALSE);
    virtual BOOL ResetCurrentCell(BOOL bStoreIfModified = TRUE);
    virtual BOOL TransferCurrentCell(BOOL bSaveAndValidate = TRUE, UINT flags = GX_UPDATENOW, BOOL bCreateHint = TRUE);
    virtual BOOL ProcessKeys(CWnd* pSender, UINT nMessage, UINT nChar, UINT nRepCnt = 1, UINT flags = 0);

    // Recalculation and invalidation
    virtual BOOL IsCellDirty(ROWCOL nRow, ROWCOL nCol);
    virtual void OnCellDrawn(ROWCOL nRow, ROWCOL nCol, BOOL bSet);
    virtual void OnDataNotify();
    virtual void Recalc(BOOL bAll);
    virtual void ResetRecalc();
    virtual BOOL GetRecalcError(CString& strError);
    virtual void RecalcAndRedraw(BOOL bRecalc, CString* pError, BOOL bHint);
    virtual void InvalidateRange(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight, UINT flags, BOOL bHint);
    void InvalidateRangeEx(const CGXRange& range, UINT flags, BOOL bHint);
    virtual void RedrawGrid(UINT flags = GX_INVALIDATE, BOOL bHint = TRUE);
    virtual void UpdateScrollbars(BOOL bRedraw = TRUE, BOOL bOnlyIfDimensionChanged = FALSE);
    virtual void SetTopRow(ROWCOL nRow, UINT flags = GX_UPDATENOW, BOOL bHint = TRUE);
    virtual void SetLeftCol(ROWCOL nCol, UINT flags = GX_UPDATENOW, BOOL bHint = TRUE);

    // Visible area
    virtual ROWCOL GetTopRow();
    virtual ROWCOL GetLeftCol();
    virtual ROWCOL GetLastVisibleRow(BOOL* pbPartial = nullptr);
    virtual ROWCOL GetLastVisibleCol(BOOL* pbPartial = nullptr);
    virtual void RedrawRowCol(ROWCOL nRow, ROWCOL nCol, UINT flags = GX_INVALIDATE, BOOL bHint = TRUE);
    virtual CRect CalcRectFromRowCol(ROWCOL nRow, ROWCOL nCol);
    virtual BOOL ScrollCells(int nDirection, UINT nCount);
    virtual BOOL DoScroll(int nDirection, ROWCOL nCount);

    // Row heights, column widths, coordinates and hit tests
    virtual int GetRowHeight(ROWCOL nRow);
    virtual int GetColWidth(ROWCOL nCol);
    virtual int GetDefaultRowHeight();
    virtual int GetDefaultColWidth();
    virtual BOOL StoreDefaultRowHeight(int nHeight);
    virtual BOOL StoreDefaultColWidth(int nWidth);
    virtual BOOL StoreRowHeight(ROWCOL nRow, int nHeight);
    virtual BOOL StoreColWidth(ROWCOL nCol, int nWidth);
    virtual BOOL SetRowHeight(ROWCOL nFrom, ROWCOL nTo, int nHeight, const int* pHeights = nullptr,
                              UINT flags = GX_INVALIDATE, int nCommandKind = 0);
    virtual BOOL SetColWidth(ROWCOL nFrom, ROWCOL nTo, int nWidth, const int* pWidths = nullptr,
                             UINT flags = GX_INVALIDATE, int nCommandKind = 0);
    virtual BOOL SetDefaultRowHeight(int nHeight, UINT flags = GX_INVALIDATE, int nCommandKind = 0);
    virtual BOOL SetDefaultColWidth(int nWidth, UINT flags = GX_INVALIDATE, int nCommandKind = 0);
    virtual void UpdateChangedRowHeights(ROWCOL nFrom, ROWCOL nTo, const int* pOldHeights, UINT flags, BOOL bHint);
    virtual void UpdateChangedColWidths(ROWCOL nFrom, ROWCOL nTo, const int* pOldWidths, UINT flags, BOOL bHint);
    void GetRowHeightsArray(ROWCOL nFrom, ROWCOL nTo, int* pHeights);
    void GetColWidthsArray(ROWCOL nFrom, ROWCOL nTo, int* pWidths);
    virtual int CalcSumOfRowHeights(ROWCOL nFrom, ROWCOL nTo, int nLimit = 0);
    virtual int CalcSumOfColWidths(ROWCOL nFrom, ROWCOL nTo, int nLimit = 0);
    virtual int CalcSumOfClientRowHeights(ROWCOL nFrom, ROWCOL nTo, int nLimit = 0);
    virtual int CalcSumOfClientColWidths(ROWCOL nFrom, ROWCOL nTo, int nLimit = 0);
    int GetClientRowTop(ROWCOL nClientRow);
    int GetClientColLeft(ROWCOL nClientCol);
    virtual ROWCOL CalcClientRowFromPoint(const POINT& pt, int* pRowTop = nullptr);
    virtual ROWCOL CalcClientColFromPoint(const POINT& pt, int* pColLeft = nullptr);
    virtual ROWCOL CalcBottomRowInRect(const RECT* pRect);
    virtual ROWCOL CalcRightColInRect(const RECT* pRect);
    ROWCOL CalcBottomRowInRectEx(const RECT* pRect, BOOL* pbPastEnd);
    ROWCOL CalcRightColInRectEx(const RECT* pRect, BOOL* pbPastEnd);
    void CalcBottomRightInRect(const RECT* pRect, ROWCOL* pRow, ROWCOL* pCol);
    RECT* CalcClientRowRect(RECT* pRect, ROWCOL nRow);
    RECT* CalcClientColRect(RECT* pRect, ROWCOL nCol);
    virtual RECT* CalcRectFromRowColEx(RECT* pRect, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight,
                                       BOOL bUnbounded = FALSE);
    virtual RECT* CalcRectFromRange(RECT* pRect, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight);
    virtual RECT* CalcRectFromRangeWithSpans(RECT* pRect, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight);
    RECT* CalcRectFromCell(RECT* pRect, ROWCOL nRow, ROWCOL nCol);
    RECT* CalcRectFromCellWithSpans(RECT* pRect, ROWCOL nRow, ROWCOL nCol);
    virtual ROWCOL AbsRowToVisible(ROWCOL nRow);
    virtual ROWCOL AbsColToVisible(ROWCOL nCol);
    virtual ROWCOL VisibleRowToAbs(ROWCOL nClientRow);
    virtual ROWCOL VisibleColToAbs(ROWCOL nClientCol);
    virtual int HitTest(const POINT& pt, ROWCOL* pRow = nullptr, ROWCOL* pCol = nullptr, RECT* pCell = nullptr);
    virtual int HitTestSelectionFrame(ROWCOL nRow, ROWCOL nCol, const POINT& pt, const RECT& rectCell);
    virtual void SetGridCursor(const POINT& pt);
    // The cursor resource that the hit-test code at the point asks for (0: the grid's own).
    UINT GetCursorIdAt(const POINT& pt, LPCTSTR* ppszFallback = nullptr);
    void SetCursorResource(UINT nResourceId, LPCTSTR pszSystemCursor);
    virtual void SetOverrideCursor(UINT nResourceId);
    virtual int GetZoom();
    virtual BOOL StoreZoom(int nZoom, BOOL bHint = TRUE);
    virtual void SetZoom(int nZoom, UINT flags = GX_INVALIDATE);
    virtual void UpdateZoom(int nOldZoom, UINT flags, BOOL bHint);
    virtual void UpdateFontUnits();
    virtual CSize GetTextMetricsSize(CDC* pDC);
    int GetRowUnit() const;
    int GetColUnit() const;
    int GetHitTestTolerance() const
    {
        return m_nHitTolerance;
    }

    // Selection, frame and find support
    virtual BOOL CopyRangeList(CGXRangeList& list, BOOL bCurrentCell);
    virtual BOOL GetSelectedRowRanges(CDWordArray& awFrom, CDWordArray& awTo, BOOL bRangeRowsOnly,
                                      BOOL bCanUseCurrentCell);
    virtual int GetSelectedRows(CDWordArray& awRows, BOOL bRangeRowsOnly, BOOL bCanUseCurrentCell);
    // Adds (removes) a range to (from) the selection and, with bUpdate, draws the change;
    // nothing without the selection feature.
    virtual BOOL SelectRange(const CGXRange& range, BOOL bSelect = TRUE, BOOL bUpdate = TRUE);
    BOOL IsRangeInList(ROWCOL nRow, ROWCOL nCol, const CGXRangeList* pList);
    virtual CGXRange* GetCellRangeRowCol(ROWCOL nRow, ROWCOL nCol, CGXRange& range);
    virtual void GetSelectedText(CString& strText);
    virtual void OnTextNotFound(LPCTSTR pszText);
    virtual BOOL OnAfterSelectRange(const CGXRange& range, BOOL bFlag1, BOOL bFlag2);
    virtual void OnSelectRangeDone(const CGXRange& range, BOOL bFlag1, BOOL bFlag2);
    virtual BOOL CanSelectCurrentCell(BOOL bSelect, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight);
    virtual void RefreshHeaders(DWORD dwValue1, DWORD dwValue2, DWORD dwValue3);
    // The selection frame of a painting pass, drawn into its device context.
    virtual void DrawSelectionFrame(CDC* pDC);
    virtual void RefreshExcelLikeFrame();

    // Feature forwarders
    virtual BOOL IsRowHidden(ROWCOL nRow);
    virtual BOOL IsColHidden(ROWCOL nCol);
    // nTo 0: nFrom alone. pOldStates receives the former hidden states.
    virtual BOOL HideRows(ROWCOL nFrom, ROWCOL nTo, BOOL bHide = TRUE, CByteArray* pOldStates = nullptr,
                          UINT flags = GX_INVALIDATE, int nCommandKind = 0);
    virtual BOOL HideCols(ROWCOL nFrom, ROWCOL nTo, BOOL bHide = TRUE, CByteArray* pOldStates = nullptr,
                          UINT flags = GX_INVALIDATE, int nCommandKind = 0);
    // The refresh after rows (columns) nFrom..nTo were hidden or shown; pOldStates holds their
    // former states, one byte each.
    virtual void UpdateHideRows(ROWCOL nFrom, ROWCOL nTo, const BYTE* pOldStates, UINT flags, BOOL bHint);
    virtual void UpdateHideCols(ROWCOL nFrom, ROWCOL nTo, const BYTE* pOldStates, UINT flags, BOOL bHint);
    // Named ranges and the edit controls' text drag: no feature does them in this grid.
    virtual BOOL SetRangeName(LPCTSTR pszName, const CGXRange& range, CObject* pValue, UINT flags, int nCommandKind);
    virtual BOOL GetRangeName(LPCTSTR pszName, CGXRange& range);
    virtual BOOL DeleteRangeName(LPCTSTR pszName, UINT flags, int nCommandKind);
    BOOL StartDragText(ROWCOL nRow, ROWCOL nCol);
    virtual CGXRange* GetCoveredCellsRowCol(ROWCOL nRow, ROWCOL nCol, CGXRange& range);
    virtual void ExpandRangeByCoveredCells(CGXRange& range);
    CGXRange* GetFloatedCellsRowCol(ROWCOL nRow, ROWCOL nCol, CGXRange& range);
    void ExpandRangeByFloatedCells(CGXRange& range);
    // nDirection: 0 across columns, 1 across rows, -1 both.
    CGXRange* GetMergedCellsRowCol(ROWCOL nRow, ROWCOL nCol, CGXRange& range, int nDirection = -1);
    void ExpandRangeByMergedCells(CGXRange& range);
    virtual BOOL Undo();
    virtual BOOL Redo();
    virtual BOOL UpdateUndoCommandUI(CCmdUI* pCmdUI);
    virtual BOOL UpdateRedoCommandUI(CCmdUI* pCmdUI);
    virtual void BeginUndoBlock(LPCTSTR pszDescription);
    virtual void EndUndoBlock();
    virtual void RollbackUndoBlock();
    virtual BOOL CopyRangeListToClipboard(const CGXRangeList& list);
    BOOL CopyRangeToClipboard(const CGXRange& range);
    virtual BOOL CutRangeList(const CGXRangeList& list, BOOL bFlag);
    virtual BOOL PasteRangeList(const CGXRange& range);
    virtual BOOL PasteStylesFromClipboard(const CGXRange& range);
    virtual BOOL IsGridClipboardFormatAvailable();
    virtual BOOL ConfirmClipboardAction();
    BOOL CopyTextToClipboard(const CGXRangeList& list);
    BOOL CopyDataToClipboard(const CGXRangeList& list, BOOL bFlag);
    virtual BOOL Copy();
    virtual BOOL Paste();
    virtual BOOL Cut();
    virtual BOOL CanCopy();
    virtual BOOL CanCut();
    virtual BOOL CanPaste();
    virtual BOOL CanClear();
    // bStyles clears the cells' styles, else only their values.
    virtual BOOL ClearSelection(BOOL bStyles);
    virtual BOOL ClearRangeList(const CGXRangeList& list, BOOL bStyles);
    virtual LRESULT GetControlCopyText(CGXControl* pControl, ROWCOL nRow, ROWCOL nCol, LPCTSTR pszValue,
                                       const CGXStyle& style, CString& strText);
    // ClipboardFlags, what copy and paste exchange: GX_CLIP* bits.
    WORD m_nClipboardFlags = GX_CLIPDEFAULT;
    // CopySeparator, written between two copied cells, and PasteSeparators, the characters that
    // end a pasted cell besides CR and LF; empty: TAB.
    CString m_strCopySeparator;
    CString m_strPasteSeparators;
    // The rows and the columns that the last copy wrote.
    DWORD m_nCopiedRows = 0;
    DWORD m_nCopiedCols = 0;

    // Printing through the print feature; nothing without it.
    virtual void OnGridBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnGridPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnGridEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    // The print feature, which also draws the properties' header and footer; none without it.
    CGXAbstractGridPrintImp* GetPrintImp() const
    {
        return m_pPrintImp;
    }

    // Further feature forwarders
    // Fit the rows (columns) of the range to their contents; flags GX_GROWONLY never lowers.
    virtual BOOL ResizeRowHeightsToFit(CGXRange range, BOOL bUseCovered = TRUE, UINT flags = GX_INVALIDATE);
    virtual BOOL ResizeColWidthsToFit(CGXRange range, BOOL bUseCovered = TRUE, UINT flags = GX_INVALIDATE);
    virtual BOOL IsRowHiddenFlagSet(ROWCOL nRow, BOOL bFlag = FALSE);
    virtual BOOL IsColHiddenFlagSet(ROWCOL nCol, BOOL bFlag = FALSE);
    // Resizing by mouse: the press (hit-tested here), moves and the release of the mouse, each
    // TRUE when the resize feature took it; the tracking steps that the feature runs (mode 1
    // rows, 2 columns); nothing without the feature.
    virtual BOOL OnTrackButtonDown(CPoint point, UINT flags);
    virtual BOOL OnTrackMouseMove(CPoint point, UINT flags);
    virtual BOOL OnTrackButtonUp(CPoint point, UINT flags);
    virtual void OnCancelTracking();
    virtual BOOL OnStartTracking(ROWCOL nRow, ROWCOL nCol, int nMode);
    virtual void OnMoveTracking(ROWCOL nRow, ROWCOL nCol, int nMode, int nSize);
    virtual void OnEndTracking(ROWCOL nRow, ROWCOL nCol, int nMode, int nSize);
    virtual BOOL SetCoveredCellsRowCol(ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol,
                                       UINT flags = GX_INVALIDATE, int nCommandKind = 0);
    virtual BOOL StoreCoveredCellsRowCol(ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol, BOOL bSet);
    virtual void UpdateCoveredCellsRowCol(ROWCOL nRow, ROWCOL nCol, ROWCOL nOldToRow, ROWCOL nOldToCol, UINT flags,
                                          BOOL bCreateHint);
    virtual BOOL CanFloatCellRowCol(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, BOOL bFloatOrFlood, BOOL bFlag);
    virtual BOOL CanMergeCellRowCol(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, int nDirection, BOOL bFlag);
    virtual BOOL AreCellValuesMergeable(const CGXStyle& style1, const CGXStyle& style2);
    virtual void FindNextText(LPCTSTR pszFind, BOOL bNext, BOOL bCase);
    virtual void ReplaceFoundText(LPCTSTR pszFind, LPCTSTR pszReplace, BOOL bNext, BOOL bCase);
    virtual void ReplaceAllText(LPCTSTR pszFind, LPCTSTR pszReplace, BOOL bCase);
    virtual void ShowFindReplaceDialog(BOOL bFindOnly);
    virtual void OnFindReplaceMessage(CFindReplaceDialog* pDialog);
    virtual void RecordCommand(CObject* pCommand, int nMode);
    virtual void DiscardLastCommand(int nMode);
    virtual void ShowCommandCell(ROWCOL nRow, ROWCOL nCol, BOOL bMakeCurrent);
    virtual int SetDataObjectUndoState(int nState);
    virtual CObject* GetDataObjectUndoInfo();
    virtual BOOL RestoreDataObjectUndoInfo(CObject* pUndoInfo, DWORD dwValue1, DWORD dwValue2);
    virtual void DiscardDataObjectUndoInfo();
    // The text of the ranges' cells as a copy writes it (without its zero unit).
    virtual BOOL CopyTextFromRangeList(const CGXRangeList& list, CString& strText);
    virtual void GetCellTextForCopy(ROWCOL nRow, ROWCOL nCol, CString& strText);
    // Pastes the text from the cell on.
    virtual BOOL PasteTextToCells(const CString& strText, ROWCOL nRow, ROWCOL nCol);
    virtual void SplitPasteLine(const CString& strLine, CStringArray& fields);
    virtual BOOL StorePastedCellText(ROWCOL nRow, ROWCOL nCol, const CString& strText, UINT flags,
                                     const CGXStyle* pStyle);
    virtual void CalcTextDimension(LPCTSTR pszText, SIZE_T nLength, ROWCOL& nRows, ROWCOL& nCols);
    virtual BOOL CopyStylesFromRangeList(const CGXRangeList& list, CArchive& ar, BOOL bAllStyles);
    virtual BOOL GetCellStyleForCopy(ROWCOL nRow, ROWCOL nCol, CGXStyle& style, BOOL bComposed);
    virtual BOOL PasteStylesFromArchive(CArchive& ar, const CGXRange& target, BOOL bNoSizeCheck);
    virtual BOOL CopyCellsData(CGXRange range, ROWCOL nDestRow, ROWCOL nDestCol);
    virtual BOOL MoveCellsData(CGXRange range, ROWCOL nDestRow, ROWCOL nDestCol, CObject*& pUndoInfo,
                               BOOL bCreateUndoInfo, int nCommandKind);
    virtual BOOL CopyCells(CGXRange range, ROWCOL nDestRow, ROWCOL nDestCol, UINT flags = GX_INVALIDATE);
    virtual BOOL MoveCells(CGXRange range, ROWCOL nDestRow, ROWCOL nDestCol, CObject*& pUndoInfo,
                           UINT flags = GX_INVALIDATE, int nCommandKind = 0);

    // Messages of the grid window
    virtual BOOL OnGridDraw(CDC* pDC, const CRect* pRect);
    virtual void OnGridPrepareDC(CDC* pDC, CPrintInfo* pInfo);
    // Called last by OnGridPrepareDC; does nothing here.
    virtual void OnGridPrepareDCHook(CDC* pDC);
    virtual void DrawGrid(CDC* pDC);
    virtual void AfterPaint(CDC* pDC);
    virtual HBRUSH OnGridCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    virtual BOOL OnGridDestroy();
    virtual BOOL OnGridHScroll(UINT nSBCode, UINT nPos);
    virtual BOOL OnGridVScroll(UINT nSBCode, UINT nPos);
    virtual BOOL OnGridSize(UINT nType, int cx, int cy);
    virtual BOOL OnGridSetCursor(CWnd* pWnd, UINT nHitTest, UINT nMessage);
    virtual BOOL OnGridLButtonDown(UINT flags, CPoint point);
    virtual BOOL OnGridLButtonUp(UINT flags, CPoint point);
    virtual BOOL OnGridLButtonDblClk(UINT flags, CPoint point);
    virtual BOOL OnGridMButtonDown(UINT flags, CPoint point);
    virtual BOOL OnGridMButtonUp(UINT flags, CPoint point);
    virtual BOOL OnGridMButtonDblClk(UINT flags, CPoint point);
    virtual BOOL OnGridRButtonDown(UINT flags, CPoint point);
    virtual BOOL OnGridRButtonUp(UINT flags, CPoint point);
    virtual BOOL OnGridRButtonDblClk(UINT flags, CPoint point);
    virtual BOOL OnGridMouseMove(UINT flags, CPoint point);
    virtual void OnGridSetFocus(CWnd* pOldWnd);
    virtual void OnGridKillFocus(CWnd* pNewWnd);
    virtual void OnGridShowWindow(BOOL bShow, UINT nStatus);
    virtual BOOL OnGridCancelMode();
    // Another window took the mouse: a fill drag under way ends as if cancelled.
    virtual void OnGridCaptureChanged(CWnd* pNewCapture);
    virtual UINT OnGridGetDlgCode(UINT nDefaultCode);
    virtual BOOL OnGridMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT nMessage, LRESULT* pResult);
    virtual void OnGridSysColorChange();
    // The grid window's theme data of a class, kept until the theme changes; NULL while the
    // application is not themed. The cell controls draw with it.
    HTHEME GetThemeData(LPCWSTR pszClass);
    // Closes the kept theme data and repaints: the theme changed.
    void OnGridThemeChanged();
    virtual void OnGridWinIniChange(LPCTSTR pszSection);
    virtual void OnGridTimer(UINT_PTR nIDEvent);
    virtual BOOL OnGridCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnGridPreTranslateMessage(MSG* pMsg);
    virtual BOOL OnGridWindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL RouteToPlugins(UINT nMessage, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual CScrollBar* GetScrollBarCtrl(int nBar) const;
    virtual void OnFindReplace(CFindReplaceDialog* pDialog);
    virtual void SetScrollBarMode(int nBar, int nMode, BOOL bRedraw = TRUE);
    int GetScrollBarMode(int nBar) const;
    virtual void SetSizeLock(BOOL bLock);
    BOOL IsSizeLocked() const
    {
        return m_bSizeLock;
    }
    // The grid's private messages: the parameter object's option; a tab notification; may the
    // grid be deactivated (TRUE allows); a navigation request.
    virtual BOOL GetParamOption();
    virtual void OnGridAppNotify(WPARAM wParam);
    virtual BOOL OnGridDeactivateCheck(BOOL bActivate);
    virtual void OnGridNavigate(int nCode, int nCount);

    // Editing notifications of the cell controls; each allows by default.
    virtual BOOL OnStartEditing(ROWCOL nRow, ROWCOL nCol);
    virtual BOOL OnModifyCell(ROWCOL nRow, ROWCOL nCol);
    virtual BOOL OnCanceledEditing(ROWCOL nRow, ROWCOL nCol);
    virtual BOOL OnEndEditing(ROWCOL nRow, ROWCOL nCol);
    virtual BOOL OnDeleteCell(ROWCOL nRow, ROWCOL nCol);
    virtual BOOL OnValidateCell(ROWCOL nRow, ROWCOL nCol);
    virtual void OnClickedButtonRowCol(ROWCOL nRow, ROWCOL nCol);
    // The text shown when a cell's validation fails.
    void SetWarningText(LPCTSTR pszText);
    const CString& GetWarningText() const
    {
        return m_strWarningText;
    }
    void SetCapture();
    // Forgets the visible area after the frozen counts changed.
    virtual void OnFrozenCountChanged();

    // Current cell and keys
    virtual BOOL StoreCurrentCell(BOOL bSaveAndValidate = TRUE, UINT flags = GX_UPDATENOW, BOOL bCreateHint = TRUE);
    // With bStore, a modified control that passes its validation stores its value; the control
    // is told that editing ended in any case.
    virtual void SaveCurrentCell(BOOL bStore);
    virtual void HideCurrentCell();
    // SaveCurrentCell, then the control leaves editing and reloads the cell.
    virtual void ResetCurrentCellControl(BOOL bStore = TRUE);
    virtual void UpdateCurrentCellState(UINT nState, BOOL bValue1, BOOL bValue2);
    // Current cell, key moves and key handlers: validation, the warning box and the key map.
    virtual BOOL CanChangeCurrentCell(BOOL bEnter, ROWCOL nRow, ROWCOL nCol, ROWCOL nOldRow, ROWCOL nOldCol);
    virtual void DisplayWarningText();
    virtual BOOL FindNextEnabledCell(int nDirection, ROWCOL& nRow, ROWCOL& nCol);
    virtual BOOL MoveCurrentCellByKey(int nDirection, UINT nCount);
    virtual BOOL OnGridKeyDown(UINT nChar, UINT nRepCnt, UINT flags);
    virtual BOOL OnGridChar(UINT nChar, UINT nRepCnt, UINT flags);
    virtual BOOL OnGridSysKeyDown(UINT nChar, UINT nRepCnt, UINT flags);
    virtual void OnF2Key();
    BOOL IsMessageShown() const
    {
        return m_bMessageShown;
    }

    // Scrolling and scroll bars (with SetTopRow, SetLeftCol, DoScroll, UpdateScrollbars above)
    virtual BOOL ScrollCellInView(ROWCOL nRow, ROWCOL nCol, UINT flags = GX_UPDATENOW, BOOL bFloatCell = FALSE);
    // One shot: the next ScrollCellInView does nothing.
    virtual BOOL SetSkipScrollInView(BOOL bSkip);
    virtual BOOL GetSkipScrollInView();
    virtual BOOL LockScrollbars(BOOL bLock);
    // Asked before the top row (left column) changes, told after; allow and do nothing here.
    virtual BOOL CanChangeTopRow(ROWCOL nRow);
    virtual BOOL CanChangeLeftCol(ROWCOL nCol);
    virtual void OnTopRowChanged();
    virtual void OnLeftColChanged();
    virtual BOOL ScrollAndHint(int nDirection, ROWCOL nCount);
    // Scroll-bar values pass through the bar's scale, so that no window value exceeds 32767.
    virtual void SetScrollRange(int nBar, int nMin, int nMax, BOOL bRedraw = TRUE);
    virtual int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE);
    virtual int GetScrollPos(int nBar);
    virtual void GetScrollRange(int nBar, int* pMin, int* pMax);
    virtual int ScrollWindow(int dx, int dy, const RECT* pScroll, const RECT* pClip);
    int GetScrollScale(int nBar) const
    {
        return m_anScrollScale[nBar == SB_VERT ? 1 : 0];
    }
    BOOL IsScrolling() const
    {
        return m_bScrolling;
    }
    // The auto-scroll state that StartMouseTracking sets and the timer handling reads and ends.
    BOOL IsMouseTrackingPending() const
    {
        return m_bAutoScroll;
    }
    // Whether a started tracking has its timer or waits for its first step.
    BOOL IsMouseTracking() const
    {
        return m_bAutoScroll || m_nAutoScrollTimer != 0;
    }
    // Ends the tracking: no timer, mouse tracking mode, no key tracking, the stop flag set.
    void StopMouseTracking();

    // Mouse, selection and tracking
    virtual BOOL OnLButtonHitRowCol(ROWCOL nStartRow, ROWCOL nStartCol, ROWCOL nRow, ROWCOL nCol, int x, int y,
                                    UINT flags, WORD nHitState);
    virtual BOOL OnMButtonHitRowCol(ROWCOL nStartRow, ROWCOL nStartCol, ROWCOL nRow, ROWCOL nCol, int x, int y,
                                    UINT flags, WORD nHitState);
    virtual BOOL OnRButtonHitRowCol(ROWCOL nStartRow, ROWCOL nStartCol, ROWCOL nRow, ROWCOL nCol, int x, int y,
                                    UINT flags, WORD nHitState);
    virtual BOOL OnLButtonDblClkRowCol(ROWCOL nRow, ROWCOL nCol, UINT flags, CPoint point);
    virtual BOOL OnMButtonDblClkRowCol(ROWCOL nRow, ROWCOL nCol, UINT flags, CPoint point);
    virtual BOOL OnRButtonDblClkRowCol(ROWCOL nRow, ROWCOL nCol, UINT flags, CPoint point);
    virtual BOOL StartMouseTracking(BOOL bCapture, BOOL bScrollRows, BOOL bScrollCols);
    virtual BOOL CanStartSelection(ROWCOL nRow, ROWCOL nCol, UINT flags, CPoint point);
    virtual BOOL CanChangeSelection(CGXRange* pRange, BOOL bIsDragging, BOOL bKey);
    virtual void OnSelectionChanged(const CGXRange* pRange, BOOL bIsDragging, BOOL bKey);
    virtual BOOL OnChangingSelection(POSITION pos, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight, BOOL bKey);
    virtual void SetSelection(POSITION pos, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight);
    // The mouse went to another cell (GX_INVALID outside the cells): the hover hook hears of
    // it, once per cell.
    virtual void OnCellUnderMouseChanged(ROWCOL nRow, ROWCOL nCol);
    virtual void OnHoverCell(ROWCOL nRow, ROWCOL nCol);
    // A left click on a cell whose bound control did not take it; the selection feature's
    // Ctrl-click on a selected header.
    virtual BOOL OnLeftClickedCell(ROWCOL nRow, ROWCOL nCol, UINT flags, CPoint point);

    // Painting
    virtual void DrawGridBuffered(CDC* pDC);
    virtual void DrawGridToDC(CDC* pDC);
    virtual void DrawCellRange(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight, CDC* pDC);
    virtual CRect CalcVisibleCellRect(ROWCOL nClientRow, ROWCOL nClientCol);
    virtual BOOL CalcVisibleRowColFromPoint(CPoint point, ROWCOL* pClientRow, ROWCOL* pClientCol);

    // Activation and the window's other messages
    virtual BOOL OnActivateGrid(BOOL bActivate);
    virtual void InvalidateGrid(BOOL bErase);
    virtual BOOL SetDoubleBuffering(BOOL bDoubleBuffering);
    virtual LRESULT OnGridControlMessage(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnGridTimerRelay();
    // FALSE hides the cell tip and keeps tips off until TRUE.
    virtual BOOL OnGridShowTips(BOOL bShow);
    BOOL IsShowingTips() const
    {
        return m_bShowTips;
    }
    // Hides the cell tip of this grid, if one shows, and forgets the cell it waits on.
    void HideCellTip();

    // Counts, frozen areas and structure
    virtual BOOL SetRowCount(ROWCOL nRows, UINT flags = GX_INVALIDATE);
    virtual BOOL SetColCount(ROWCOL nCols, UINT flags = GX_INVALIDATE);
    virtual BOOL StoreRowCount(ROWCOL nRows);
    virtual BOOL StoreColCount(ROWCOL nCols);
    virtual BOOL SetFrozenRows(ROWCOL nFrozenRows, ROWCOL nHeaderRows, UINT flags = GX_INVALIDATE);
    virtual BOOL SetFrozenCols(ROWCOL nFrozenCols, ROWCOL nHeaderCols, UINT flags = GX_INVALIDATE);
    virtual BOOL IsFrozenRow(ROWCOL nRow);
    virtual BOOL IsFrozenCol(ROWCOL nCol);
    // TRUE while neither Ctrl nor Shift is held.
    virtual BOOL IsSelectionKeyFree(ROWCOL nRow, ROWCOL nCol);
    virtual void UpdateAllViews(CWnd* pSender, LPARAM lHint, CObject* pHint);
    // A view of the grid's document hears of a change (its OnUpdate): a grid hint is replayed.
    virtual void OnGridUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    // Hints reach only views of the same identity; 0xFFFFFFFF, the default, is every view's.
    DWORD GetViewId() const
    {
        return m_nViewId;
    }
    void SetViewId(DWORD nViewId)
    {
        m_nViewId = nViewId;
    }
    // The splitter window whose pane the grid's window is, with the pane's row and column; null
    // when the grid is no pane.
    CSplitterWnd* GetSplitterParent(int* pPaneRow = nullptr, int* pPaneCol = nullptr) const;
    // Sets the frozen and header counts with undo (ctCmd 1 replays an undo and records none).
    virtual BOOL FreezeRows(ROWCOL nFrozenRows, ROWCOL nHeaderRows, UINT flags = GX_INVALIDATE, int nCommandKind = 0);
    virtual BOOL FreezeCols(ROWCOL nFrozenCols, ROWCOL nHeaderCols, UINT flags = GX_INVALIDATE, int nCommandKind = 0);
    virtual void UpdateFrozenRows(ROWCOL nOldFrozenRows, ROWCOL nOldHeaderRows, UINT flags, BOOL bHint);
    virtual void UpdateFrozenCols(ROWCOL nOldFrozenCols, ROWCOL nOldHeaderCols, UINT flags, BOOL bHint);
    // The store steps of inserting and removing: the data store, the sizes and the range lists.
    virtual BOOL StoreInsertRows(ROWCOL nRow, ROWCOL nCount, BOOL bProcessed);
    virtual BOOL StoreInsertCols(ROWCOL nCol, ROWCOL nCount, BOOL bProcessed);
    virtual BOOL StoreRemoveRows(ROWCOL nFromRow, ROWCOL nToRow, BOOL bProcessed);
    virtual BOOL StoreRemoveCols(ROWCOL nFromCol, ROWCOL nToCol, BOOL bProcessed);
    // The update steps: current cell, top row (left column), repaint, scroll bars, hints.
    virtual void UpdateInsertRows(ROWCOL nRow, ROWCOL nCount, UINT flags, BOOL bHint);
    virtual void UpdateInsertCols(ROWCOL nCol, ROWCOL nCount, UINT flags, BOOL bHint);
    virtual void UpdateRemoveRows(ROWCOL nFromRow, ROWCOL nToRow, int* pOldHeights, UINT flags, BOOL bHint);
    virtual void UpdateRemoveCols(ROWCOL nFromCol, ROWCOL nToCol, int* pOldWidths, UINT flags, BOOL bHint);
    virtual BOOL InsertRows(ROWCOL nRow, ROWCOL nCount, int* pHeights = nullptr, CObArray* pCellStyles = nullptr,
                            CObArray* pRowStyles = nullptr, ROWCOL nColCount = 0, UINT flags = GX_INVALIDATE,
                            int nCommandKind = 0);
    virtual BOOL InsertCols(ROWCOL nCol, ROWCOL nCount, int* pWidths = nullptr, CObArray* pCellStyles = nullptr,
                            CObArray* pColStyles = nullptr, ROWCOL nRowCount = 0, UINT flags = GX_INVALIDATE,
                            int nCommandKind = 0);
    virtual BOOL RemoveRows(ROWCOL nFromRow, ROWCOL nToRow, UINT flags = GX_INVALIDATE, int nCommandKind = 0);
    virtual BOOL RemoveCols(ROWCOL nFromCol, ROWCOL nToCol, UINT flags = GX_INVALIDATE, int nCommandKind = 0);
    virtual BOOL MoveRows(ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow, UINT flags = GX_INVALIDATE,
                          int nCommandKind = 0);
    virtual BOOL MoveCols(ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol, UINT flags = GX_INVALIDATE,
                          int nCommandKind = 0);

    // Moving rows and columns, the drag of selected rows and columns, and the freeze commands;
    // each forwards to its feature object and answers 0 without it.
    virtual BOOL StoreMoveRows(ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow, BOOL bProcessed);
    virtual BOOL StoreMoveCols(ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol, BOOL bProcessed);
    virtual void UpdateMoveRows(ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow, UINT flags, BOOL bHint);
    virtual void UpdateMoveCols(ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol, UINT flags, BOOL bHint);
    virtual BOOL DoMoveRows(ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow, UINT flags = GX_INVALIDATE,
                            int nCommandKind = 0);
    virtual BOOL DoMoveCols(ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol, UINT flags = GX_INVALIDATE,
                            int nCommandKind = 0);
    virtual BOOL StartDragRowsCols(ROWCOL nRow, ROWCOL nCol);
    virtual void OnDragFeedback(ROWCOL nStartRow, ROWCOL nStartCol, ROWCOL nTargetRow, ROWCOL nTargetCol);
    virtual BOOL OnDropRowsCols(ROWCOL nStartRow, ROWCOL nStartCol, ROWCOL nTargetRow, ROWCOL nTargetCol);
    virtual void CancelDrag();
    virtual BOOL CanFreezeCols();
    virtual void FreezeColsCmd();
    virtual BOOL CanUnfreezeCols();
    virtual void UnfreezeColsCmd();
    virtual BOOL CanFreezeRows();
    virtual void FreezeRowsCmd();
    virtual BOOL CanUnfreezeRows();
    virtual void UnfreezeRowsCmd();
    // Hooks of resizing and dragging rows and columns; each allows by default.
    virtual BOOL CanResizeRow(ROWCOL nRow);
    virtual BOOL CanResizeCol(ROWCOL nCol);
    virtual BOOL OnTrackRowHeight(ROWCOL nRow, int nHeight);
    virtual BOOL OnTrackColWidth(ROWCOL nCol, int nWidth);
    virtual BOOL OnTrackRowHeightEnd(ROWCOL nRow, int nHeight);
    virtual BOOL OnTrackColWidthEnd(ROWCOL nCol, int nWidth);
    virtual BOOL CanDragRows(ROWCOL nFromRow, ROWCOL nToRow);
    virtual BOOL CanDragCols(ROWCOL nFromCol, ROWCOL nToCol);
    virtual BOOL CanDropRows(ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nTargetRow);
    virtual BOOL CanDropCols(ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nTargetCol);
    virtual BOOL OnDropRows(ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nTargetRow);
    virtual BOOL OnDropCols(ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nTargetCol);
    // Told after rows (columns) moved, before a cell is prepared for drawing; nothing by default.
    virtual void OnRowsColsMoved(BOOL bRows, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest);
    virtual void OnPrepareCell(ROWCOL nRow, ROWCOL nCol);
    // Keeps the window from repainting while set; answers the former state.
    virtual BOOL LockRedraw(BOOL bLock);

    // Printing, old drawing, header marking, hints and the application-wide features
    virtual void OnPrintHeaderFooter(CDC* pDC, CPrintInfo* pInfo);
    virtual void ApplyPrintMargins(CPrintInfo* pInfo);
    virtual BOOL OnOldDrawing(DrawStruct& ds);
    virtual void MarkEditHeader(ROWCOL nRow, ROWCOL nCol, int nWhich, UINT flags);
    virtual void OnHintUpdate();
    virtual void NotifyAppFeatures();

    // Changed counts of the structure
    virtual void UpdateChangedRowCount(ROWCOL nOldCount, UINT flags, BOOL bHint);
    virtual void UpdateChangedColCount(ROWCOL nOldCount, UINT flags, BOOL bHint);

    // Sorting, through the sort feature
    virtual void SortRows(CGXRange sortRange, CGXSortInfoArray& sortInfo, UINT flags = GX_UPDATENOW);
    virtual BOOL MoveRowsToSortOrder(const CGXRange& range, const CDWordArray& order, UINT flags = GX_UPDATENOW,
                                     int nCommandKind = 0);
    virtual BOOL MoveRowDataToSortOrder(const CGXRange& range, const CDWordArray& order);
    virtual void OnRowsSorted(const CGXRange& range, UINT flags, BOOL bHint);
    virtual void GetRowSortKeyTexts(ROWCOL nRow, const CGXSortInfoArray& sortInfo, CStringArray& keys);
    virtual void SortCols(CGXRange sortRange, CGXSortInfoArray& sortInfo, UINT flags = GX_UPDATENOW);
    virtual BOOL MoveColsToSortOrder(const CGXRange& range, const CDWordArray& order, UINT flags = GX_UPDATENOW,
                                     int nCommandKind = 0);
    virtual BOOL MoveColDataToSortOrder(const CGXRange& range, const CDWordArray& order);
    virtual void OnColsSorted(const CGXRange& range, UINT flags, BOOL bHint);
    virtual void GetColSortKeyTexts(ROWCOL nCol, const CGXSortInfoArray& sortInfo, CStringArray& keys);
    virtual void SortKeyArray(const CGXSortInfoArray& sortInfo, CPtrArray& keys);

    // Further forwarders: clearing, commands, the spare features, floating and merged cells, find
    virtual BOOL ClearRange(const CGXRange& range, BOOL bStyles);
    // Filling by the selection's corner handle: the fill itself, the target joining the
    // selection, and the hook asked before a fill drag starts (allows by default).
    virtual BOOL FillCells(const CGXRange& target, const CGXRange& source);
    virtual BOOL SelectFillRange(const CGXRange& range);
    virtual BOOL CanStartFillDrag(const CGXRange& range, CPoint point, UINT flags);
    // A double-click on a header sorts by it when the parameter object allows that.
    virtual BOOL SortOnHeaderDblClk(ROWCOL nRow, ROWCOL nCol);
    virtual BOOL ExecuteCommand(CObject* pCommand, CGXGridCore* pGrid, int nMode);
    // The second and third spare features have no installer: these always answer 0.
    virtual BOOL SpareCallA(DWORD dwValue1, DWORD dwValue2, DWORD dwValue3);
    virtual BOOL SpareCallB(DWORD dwValue1);
    virtual BOOL SpareCallC(DWORD dwValue1, DWORD dwValue2, DWORD dwValue3);
    virtual BOOL SpareCallD(DWORD dwValue1, DWORD dwValue2, DWORD dwValue3, DWORD dwValue4);
    virtual BOOL SpareCallE(DWORD dwValue1, DWORD dwValue2, DWORD dwValue3, DWORD dwValue4);
    virtual BOOL SpareCallF();
    virtual BOOL SpareCallG(DWORD dwValue1, DWORD dwValue2, DWORD dwValue3, DWORD dwValue4);
    virtual BOOL SpareCallH(DWORD dwValue1, DWORD dwValue2, DWORD dwValue3, DWORD dwValue4, DWORD dwValue5);
    virtual void SpareCallI(DWORD dwValue1, DWORD dwValue2, DWORD dwValue3);
    virtual BOOL SpareCallJ(DWORD dwValue1, DWORD dwValue2, DWORD dwValue3, DWORD dwValue4);
    virtual void OnBeforeScroll(DWORD dwValue1, DWORD dwValue2, BOOL bFlag, DWORD dwValue4);
    void DelayFloatCells(const CGXRange& range, ROWCOL nMaxCols = GX_INVALID);
    BOOL QueryDelayedFloatCells(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight);
    BOOL EvalFloatCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, BOOL bUpdate, BOOL bHint);
    void RedrawFloatCell(ROWCOL nRow, ROWCOL nCol, const CGXRange& oldRange, const CGXRange& newRange, UINT flags,
                         BOOL bHint);
    void DelayMergeCells(const CGXRange& range, ROWCOL nMaxRows = GX_INVALID, ROWCOL nMaxCols = GX_INVALID);
    BOOL QueryDelayedMergeCells(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight);
    BOOL EvalMergeCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, int nDirection, BOOL bUpdate, BOOL bHint);
    void RedrawMergeCell(ROWCOL nRow, ROWCOL nCol, const CGXRange& oldRange, const CGXRange& newRange, UINT flags,
                         BOOL bHint);
    BOOL FindNext(BOOL bSetCell);
    // nRow ends where the search stopped.
    BOOL SearchCells(ROWCOL& nRow, ROWCOL nCol, BOOL bSetCell);
    BOOL SingleRangeListCallA(const CGXRange& range, BOOL bFlag);
    BOOL SingleRangeListCallB(const CGXRange& range, BOOL bFlag);
    // The parameter object's float-mode word, or its merge-mode word while a merge evaluation
    // runs.
    ROWCOL GetFloatOrMergeLimit() const;
    // Installs the drawing of covered, merged and floating cells (once).
    void ImplementDrawSpannedCells();
    // Installs the moving of rows and columns (once).
    void ImplementMoveRowsCols();
    // Installs the size calculation of the cells (once); resize to fit with it.
    void ImplementCalcSize();
    void InstallResizeToFitImp();
    // The size the cell needs for its whole text or bitmap (see CGXAbstractCalcSizeImp); 0, 0
    // without the size calculation.
    virtual CSize CalcSize(CGXControl* pControl, CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                           const CGXStyle* pStandardStyle, BOOL bVertical);
    // Switch merged and floating cells on (delayed 1, immediate 2) or off (0); nothing without
    // the features.
    void SetMergeCellsMode(WORD wMode, BOOL bRedraw = TRUE);
    void SetFloatCellsMode(WORD wMode, BOOL bRedraw = TRUE);

    // Locks the excel-like frame for its lifetime and restores the former lock.
    class HintImpScope
    {
    public:
        explicit HintImpScope(CGXGridCore* pGrid);
        ~HintImpScope();
        HintImpScope(const HintImpScope&) = delete;
        HintImpScope& operator=(const HintImpScope&) = delete;

    private:
        CGXGridCore* m_pGrid;
        BOOL m_bKept = FALSE;
        BOOL m_bOldLock = FALSE;
    };

    // Painting steps of one block
    virtual void PrepareDrawCell(DrawStruct& ds, unsigned i, unsigned j);
    void DrawCell(DrawStruct& ds, unsigned i, unsigned j);
    virtual void DrawCellItem(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CRect& rect, const CGXStyle& style);
    // The merged passes over a block: backgrounds of row i and the marks of the selected cells
    // (the lines are drawn by DrawColumnLines and DrawRowLines above).
    void DrawRowBackgrounds(DrawStruct& ds, unsigned i);
    virtual void DrawSelectionMarks(DrawStruct& ds);
    void NotifyDrawRange(DrawStruct& ds);
    virtual BOOL OnDrawRange(const CGXRange& range);
    // Paint path: the parameter object's painting switches, the hook told how far the paint
    // reaches, the colours prepared for a pass, one whole-grid pass, the rows of a block and
    // the area beyond the last row and column.
    BOOL IsPaintLocked() const;
    BOOL IsTransparentBackground() const;
    // Inside a pass, a cell's background is the control's only while the pass says so.
    BOOL IsBackgroundDrawnByGrid() const
    {
        return m_nDrawingDepth > 0 && !m_bDrawBackground;
    }
    BOOL AreGridLinesShown(BOOL bVertical) const;
    virtual void PrepareRowsUpTo(ROWCOL nRow, ROWCOL nCol);
    virtual void PrepareColors(CDC* pDC);
    void DrawGridPass(CDC* pDC, CDC* pTargetDC, const CRect& rectClipBox);
    BOOL IsCellInBlock(const DrawStruct& ds, ROWCOL nRow, ROWCOL nCol) const;
    void DrawBlockRow(DrawStruct& ds, unsigned i, BOOL& bFrameDrawn);
    void FillBeyondGrid(DrawStruct& ds);
    // A one-pixel black frame just outside the grid rectangle.
    void SetGridFrame(BOOL bFrame)
    {
        m_bGridFrame = bFrame;
    }
    // Gate of every mouse press; nOtherButtons masks the buttons that cancel it.
    BOOL BeginMouseButton(UINT nOtherButtons, UINT flags, CPoint point, int& nHit, ROWCOL& nRow, ROWCOL& nCol);

    // Combo cells: a cell's list is dropped down; a list's closing handler runs; a list hands
    // the focus back through the grid window; a cancelled list keeps its cell editing.
    BOOL m_bDropDownOpen = FALSE;
    BOOL m_bInDropDown = FALSE;
    BOOL m_bDropDownBusy = FALSE;
    BOOL m_bKeepEditing = FALSE;

protected:
    // The feature objects, in the order the control factory may install them.
    friend class CGXControlFactory;
    friend class GXGridAxis;
    friend class CGXGridUserSelectRangeImp;
    friend class CGXAutoScrollPlugin;
    // Undo and redo keep their state of a running block in the core.
    friend class CGXBlockCmd;
    friend class CGXCommandFactory;
    friend class CGXGridDirectCopyMoveCellsImp;
    friend class CGXGridCoveredCellsImp;
    friend class CGXGridMergeCellsImp;
    friend class CGXGridFloatCellsImp;
    friend class CGXDrawSpannedCellsImp;
    friend class CGXGridHideCellsImp;
    friend class CGXGridMoveRowsColsImp;
    friend class CGXGridResizeToFitImp;
    friend class CGXGridFreezeMenuHelperImp;
    friend class CGXGridUserResizeCellsImp;
    friend class CGXGridUserDragSelectRangeImp;
    friend class CGXGridOptimizedUpdateImp;
    friend class CGXGridMarkEditHeaderImp;
    friend class CGXGridOldDrawingImp;
    friend class CGXGridExcelLikeFrameImp;
    friend class CGXGridUpdateHintImp;
    friend class CGXGridPrintImp;
    friend class CGXGridClearCellsImp;
    friend class CGXGridExcelLikeFillImp;
    friend class CGXGridSortImp;
    friend class CGXGridFindReplaceImp;
    friend class CGXGridCutPasteImp;
    friend class CGXGridStyleDataExchangeImp;
    friend class CGXGridTextDataExchangeImp;
    // The control base reads the focus, update and style-store state and adds its rectangles.
    friend class CGXControl;
    friend class CGXCellTipRelay;
    void* m_pUnassignedImp = nullptr;
    CGXAbstractGridPrintImp* m_pPrintImp = nullptr;
    CGXAbstractGridSortImp* m_pSortImp = nullptr;
    CGXAbstractGridOldDrawingImp* m_pOldDrawingImp = nullptr;
    CGXAbstractGridCoveredCellsImp* m_pCoveredCellsImp = nullptr;
    CGXAbstractDrawSpannedCellsImp* m_pDrawSpannedCellsImp = nullptr;
    CGXAbstractGridFloatCellsImp* m_pFloatCellsImp = nullptr;
    CGXAbstractGridMergeCellsImp* m_pMergeCellsImp = nullptr;
    CGXAbstractCommandFactory* m_pCommandFactory = nullptr;
    CGXAbstractCalcSizeImp* m_pCalcSizeImp = nullptr;
    CGXAbstractGridUpdateHintImp* m_pUpdateHintImp = nullptr;
    CGXAbstractGridResizeToFitImp* m_pResizeToFitImp = nullptr;
    CGXAbstractGridHideCellsImp* m_pHideCellsImp = nullptr;
    CGXAbstractGridFindReplaceImp* m_pFindReplaceImp = nullptr;
    CGXAbstractGridUserSelectRangeImp* m_pUserSelectRangeImp = nullptr;
    CGXAbstractGridExcelLikeFrameImp* m_pExcelLikeFrameImp = nullptr;
    CGXAbstractGridExcelLikeFillImp* m_pExcelLikeFillImp = nullptr;
    CGXAbstractGridUserDragSelectRangeImp* m_pUserDragSelectRangeImp = nullptr;
    CGXAbstractGridMoveRowsColsImp* m_pMoveRowsColsImp = nullptr;
    CGXAbstractGridUserResizeCellsImp* m_pUserResizeCellsImp = nullptr;
    CGXAbstractGridOptimizedUpdateImp* m_pOptimizedUpdateImp = nullptr;
    CGXAbstractGridMarkEditHeaderImp* m_pMarkEditHeaderImp = nullptr;
    CGXAbstractGridFreezeMenuHelperImp* m_pFreezeMenuHelperImp = nullptr;
    CGXAbstractGridDirectCopyMoveCellsImp* m_pDirectCopyMoveCellsImp = nullptr;
    CGXAbstractGridTextDataExchangeImp* m_pTextDataExchangeImp = nullptr;
    CGXAbstractGridStyleDataExchangeImp* m_pStyleDataExchangeImp = nullptr;
    CGXAbstractGridCutPasteImp* m_pCutPasteImp = nullptr;
    CGXAbstractGridClearCellsImp* m_pClearCellsImp = nullptr;
    // No installer fills these; their forwarders always take the empty path.
    CGXAbstractSpareImp* m_apSpareImp[5] = {};
    CGXPluginComponent* m_pAutoScrollPlugin = nullptr;

    CPtrList m_FindStates;
    CPtrList m_PluginComponents;
    CGXAppData* m_pAppData;
    CWnd* m_pGridWnd;
    CDocument* m_pGridDoc;
    void* m_pContext;
    // Hints go out only while the switch is on; it is set at initialisation for a grid with a
    // document.
    BOOL m_bHintsEnabled = FALSE;
    DWORD m_nViewId = 0xFFFFFFFF;
    // A splitter pane shows its header rows and columns only while this is set.
    BOOL m_bShowHeadersInPane = TRUE;
    // The update-hint feature when the caller asked for a hint and the switch is on, else null.
    CGXAbstractGridUpdateHintImp* HintSender(BOOL bHint) const
    {
        return bHint && m_bHintsEnabled ? m_pUpdateHintImp : nullptr;
    }
    BOOL m_bLockUpdate = FALSE;
    int m_nDefaultType;

    // Undo and redo: set while a block of commands runs; the cell to show when it is over; the
    // name of the open block; the menu texts, loaded when first shown.
    BOOL m_bExecutingBlock = FALSE;
    BOOL m_bDeferredCellPending = FALSE;
    ROWCOL m_nDeferredRow = 0;
    ROWCOL m_nDeferredCol = 0;
    BOOL m_bDeferredCellFlag = FALSE;
    CString m_strBlockName;
    CString m_strUndoMenuText;
    CString m_strRedoMenuText;

    CGXStyle* m_pStyleValue = nullptr;  // LookupStyleRowCol's
    CGXStyle* m_pStyleStored = nullptr; // GetValueRowCol's
    CRuntimeClass* m_pStyleClass = nullptr;
    CGXStyle* m_pCurrentCellStyle = nullptr;

    CMap<WORD, WORD, CGXControl*, CGXControl*> m_ControlMap;
    CGXControl* m_pDefaultControl = nullptr;
    WORD m_nLastControlId = 0;
    CGXControl* m_pLastControl = nullptr;

    CGXStyle* m_pStyleColHeader = nullptr;
    CGXStyle* m_pStyleRowHeader = nullptr;
    CGXStyle* m_pStyleStandard = nullptr;
    CRuntimeClass* m_pDataClass;
    CGXGridParam* m_pParam = nullptr;
    BOOL m_bOwnParam = FALSE;
    BOOL m_bInitDone = FALSE;
    int m_cxBorder;
    int m_cyBorder;
    int m_cxFrame;
    int m_cyFrame;
    HCURSOR m_hcurArrow;

    BOOL m_bPrinting = FALSE;
    // A redraw asked for while printing: the window is redrawn whole once printing ends, as the
    // rows, columns and rectangle of the request were the page's.
    BOOL m_bRedrawAfterPrinting = FALSE;
    CRect m_rectPrint;
    BOOL m_bGridRectOverride = FALSE;
    CRect m_rectGridOverride;
    ROWCOL m_nPrintRowCount = 0;
    ROWCOL m_nPrintColCount = 0;
    int m_nSwapValue = 0;
    int m_anScrollBarMode[2] = {};
    // Scrolling: the scroll-bar scales, the counts the bars were last set for, the locks.
    int m_anScrollScale[2] = {1, 1};
    ROWCOL m_nPrevTopRow = 0;
    ROWCOL m_nPrevLeftCol = 0;
    BOOL m_bScrolling = FALSE;
    ROWCOL m_nLastRowCount = 0;
    ROWCOL m_nLastColCount = 0;
    BOOL m_bLockScrollbars = FALSE;
    BOOL m_bUpdateScrollbarsBusy = FALSE;
    BOOL m_bScrollRangeSet = FALSE;
    BOOL m_bSkipScrollInView = FALSE;
    // Scroll bars are kept up while the window of a grid with a registered parent is hidden.
    BOOL m_bUpdateScrollbarsHidden = FALSE;
    // The fill frame leaves the window before its contents move.
    BOOL m_bHideFillFrameOnScroll = FALSE;
    // DoScroll leaves the repaint to the next paint message.
    BOOL m_bNoUpdateAfterScroll = FALSE;
    CSize m_sizeClientCache;
    BOOL m_bAutoScroll = FALSE;
    UINT m_nAutoScrollRows = 0;
    UINT m_nAutoScrollCols = 0;
    UINT m_nAutoScrollCount = 0;
    UINT_PTR m_nAutoScrollTimer = 0;
    // The tracking mode: a fixed scroll direction 1-4, or -1 for mouse tracking.
    int m_nAutoScrollDirection = -1;
    BOOL m_bAutoScrollStop = FALSE;
    // A held key that the timer repeats: the flag, the key and its key flags.
    BOOL m_bKeyTracking = FALSE;
    UINT m_nTrackedKey = 0;
    UINT m_nTrackedKeyFlags = 0;
    // A press in the cells starts auto-scroll tracking.
    BOOL m_bAutoScrollSetting = TRUE;

    // Selection: the node of the selection list that the mouse or the keys build, where it
    // started and where it ends now; bit 0x02 of the tracking word while the mouse selects,
    // bit 0x80 when a plain click selects its cell.
    POSITION m_posEditedRange = nullptr;
    ROWCOL m_nAnchorRow = 0;
    ROWCOL m_nAnchorCol = 0;
    ROWCOL m_nEndRow = 0;
    ROWCOL m_nEndCol = 0;
    WORD m_wSelectTracking = 0;
    BOOL m_bDrawingSelection = FALSE;
    // Told after rows or columns were inserted, removed or counted anew.
    CGXAbstractUpdateObject* m_pUpdateObject = nullptr;

    // Painting: the innermost pass, the deferred and pending paints, the rectangles that a
    // dirty-only pass left clean.
    DrawStruct* m_pDrawStruct = nullptr;
    BOOL m_bPaintPending = FALSE;
    BOOL m_bDeferPainting = FALSE;
    BOOL m_bInvalidatedWhileDeferred = FALSE;
    BOOL m_bScrollPending = FALSE;
    BOOL m_bDrawBackground = FALSE;
    int m_nDoubleBuffering = 0;
    CPtrList m_CleanRects;
    CRect m_rectCurrentCellFrame;
    BOOL m_bGridFrame = FALSE;
    // This grid paints its cells through the old drawing feature.
    BOOL m_bOldDrawing = FALSE;
    CRect m_rectLastVisibleCell; // CalcVisibleCellRect's last answer, for the hit tests

    // Mouse: the action that a press started.
    BOOL m_bMouseReady = FALSE;
    UINT m_nPressedButton = 0;
    BOOL m_bButtonDown = FALSE;
    BOOL m_bButtonUpSeen = FALSE;
    WORD m_wMouseState = 0;
    ROWCOL m_nPressedRow = 0;
    ROWCOL m_nPressedCol = 0;
    ROWCOL m_nLastMouseRow = 0;
    ROWCOL m_nLastMouseCol = 0;
    // The pointer left the pressed cell since the press; the last report came at the pressed cell.
    BOOL m_bMouseMoved = FALSE;
    BOOL m_bMouseAtPressed = FALSE;
    // The cell the mouse was last over.
    ROWCOL m_nHoverRow = GX_INVALID;
    ROWCOL m_nHoverCol = GX_INVALID;
    int m_nEdgeMargin = 0;
    CWnd* m_pCellTipRelay = nullptr;

    // Window messages: focus and activation.
    HWND m_hLastFocusWnd = nullptr;
    BOOL m_bLockFocus = FALSE;
    BOOL m_bKillingFocus = FALSE;
    BOOL m_bRefreshControlOnFocus = FALSE;
    BOOL m_bActive = FALSE;
    BOOL m_bSizeLock = FALSE;
    BOOL m_bValueOnly = FALSE;
    // Size handling: the client size and window rectangle of the last WM_SIZE, and whether the
    // parent frame was iconic then.
    CSize m_sizeLastClient;
    CRect m_rectLastWindow;
    BOOL m_bFrameIconic = FALSE;
    // Cell tips show until OnGridShowTips(FALSE).
    BOOL m_bShowTips = TRUE;

    // Current cell
    BOOL m_bCurrentCell = FALSE;
    ROWCOL m_nCurrentRow = 0;
    ROWCOL m_nCurrentCol = 0;
    CGXControl* m_pCurrentControl = nullptr;
    BOOL m_bMessageShown = FALSE;
    BOOL m_bInSetCurrentCell = FALSE;
    // Set while SetCurrentCell updates the window before it draws the new cell.
    BOOL m_bUpdatingForNewCell = FALSE;
    BOOL m_bMovingCurrentCell = FALSE;

    // Spans: while an evaluation of merged or floating cells runs, further requests are
    // refused; storing a span does not redraw while the no-redraw flag is set. The span the
    // merge evaluation stored last (valid flag cleared before each pair), and the floating
    // text widths of one row by column.
    BOOL m_bSpanEvalRunning = FALSE;
    BOOL m_bMergeEvalRunning = FALSE;
    BOOL m_bSpanNoRedraw = FALSE;
    CGXRange m_lastMergedRange;
    ROWCOL m_nFloatWidthsRow = GX_INVALID;
    CArray<int, int> m_anFloatWidths;

    // Style cache
    CGXMapCellToOb m_StyleCache;
    // A stack that keeps its storage: taking the last style and giving it back allocates nothing.
    std::vector<CGXStyle*> m_FreeStyles;
    CPtrList m_StylesToDelete;
    BOOL m_bCurrentCellStyleValid = TRUE;
    BOOL m_bKeepCurrentCellStyle = FALSE;
    ROWCOL m_anKeptRows[2] = {};
    ROWCOL m_anKeptCols[2] = {};

    // Drawing objects
    CMapNdxToOb m_FontCache;
    CMapNdxToOb m_BrushCache;
    CMapNdxToOb m_PenCache;
    BOOL m_bKeepGDIObjects = FALSE;
    UINT m_nPatternedLineStyle = PS_DOT; // the pen of DrawGridLine's patterned lines
    CClientDC* m_pClientDC = nullptr;
    HFONT m_hClientDCFont = nullptr;
    int m_nDrawingDepth = 0;
    CDC* m_pDrawDC = nullptr;
    BOOL m_bNotifyLock = FALSE;
    BOOL m_bDirtyOnly = FALSE;

    // Visible area and geometry
    ROWCOL m_nTopRow = 1;
    ROWCOL m_nLeftCol = 1;
    ROWCOL m_nPrintTopRow = 1;
    ROWCOL m_nPrintLeftCol = 1;
    // Printed pages: the first row (column) of each page row (column), then one past the last
    // printed; the page row and column holding the top-left cell on screen, for the preview.
    CDWordArray m_awPageFirstRow;
    CDWordArray m_awPageFirstCol;
    int m_nPreviewRowPage = 0;
    int m_nPreviewColPage = 0;
    ROWCOL m_nLastVisibleRow = GX_INVALID;
    ROWCOL m_nLastVisibleRowTop = 0;
    BOOL m_bLastVisibleRowPartial = FALSE;
    ROWCOL m_nLastVisibleCol = GX_INVALID;
    ROWCOL m_nLastVisibleColLeft = 0;
    BOOL m_bLastVisibleColPartial = FALSE;
    int m_nRowUnit = 15;
    int m_nColUnit = 10;
    int m_nPrintRowUnit = 15;
    int m_nPrintColUnit = 10;
    int m_nHitTolerance = 8;
    BOOL m_bLimitRowHeight = FALSE;
    BOOL m_bLimitColWidth = FALSE;
    int m_nZoom = 100;
    UINT m_nOverrideCursor = 0;
    BOOL m_bReadyState = TRUE;
    CString m_strWarningText;

private:
    static constexpr INT_PTR nMaxFreeStyles = 501;

    // Row and column twins of the scrolling operations.
    void SetFirst(BOOL bRows, ROWCOL nFirst, UINT flags, BOOL bHint);
    BOOL ScrollCellAxisInView(BOOL bRows, ROWCOL nIndex, const CRect& rectGrid, UINT flags);
    BOOL DoScrollAxis(BOOL bRows, BOOL bBack, ROWCOL nCount);
    ROWCOL CalcLastUsefulFirst(BOOL bRows);
    void UpdateScrollbar(BOOL bRows, ROWCOL nLastUseful, BOOL& bChanged);
    BOOL OnGridScroll(BOOL bRows, UINT nSBCode, UINT nPos);
    void UpdateChangedCount(BOOL bRows, ROWCOL nOldCount, UINT flags);
    // The current cell's control stores (validates) or reloads its value; no hint.
    BOOL TransferCurrentCellControl(BOOL bSaveAndValidate, UINT flags);
    void TellUpdateObject();

    void CreateScratchStyles();
    // One cell of SetStyleRange: by the data store for a negative type, else through the
    // cell's control.
    BOOL StoreCellStyle(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, int nMode, int nType);
    BOOL IsUndoRecorded(int nCommandKind) const;
    // A read-only grid whose parameter object locks it refuses changes of its structure.
    BOOL IsReadOnlyLocked();
    // Row and column twins of the structure operations.
    BOOL Freeze(BOOL bRows, ROWCOL nFrozen, ROWCOL nHeader, UINT flags, int nCommandKind);
    void UpdateFrozen(BOOL bRows, ROWCOL nOldFrozen, UINT flags);
    BOOL StoreInsert(BOOL bRows, ROWCOL nFrom, ROWCOL nCount, BOOL bProcessed);
    BOOL StoreRemove(BOOL bRows, ROWCOL nFrom, ROWCOL nTo, BOOL bProcessed);
    BOOL RunStoreStep(BOOL bRecord, BOOL bRows, BOOL bInsert, ROWCOL nFrom, ROWCOL nArg);
    BOOL Insert(BOOL bRows, ROWCOL nFrom, ROWCOL nCount, const int* pSizes, const CObArray* pCellStyles,
                const CObArray* pLineStyles, ROWCOL nOtherCount, UINT flags, int nCommandKind);
    BOOL Remove(BOOL bRows, ROWCOL nFrom, ROWCOL nTo, UINT flags, int nCommandKind);
    void AddStructureCommand(BOOL bRows, ROWCOL nFirst, CObject* pCommand, int nCommandKind);
    void UpdateInsert(BOOL bRows, ROWCOL nFrom, ROWCOL nCount, UINT flags);
    void UpdateRemove(BOOL bRows, ROWCOL nFrom, ROWCOL nTo, const int* pOldSizes, UINT flags);
    void RepaintFrom(BOOL bRows, ROWCOL nFrom, UINT flags);
    void MoveCurrentCellPosition(ROWCOL nRow, ROWCOL nCol);
    // Current cell, keys and mouse helpers.
    BOOL IsGridOrChild(CWnd* pWnd) const;
    static void DropPendingKeys(CWnd* pWnd);
    BOOL LeaveCurrentCell(CGXControl* pControl, ROWCOL nOldRow, ROWCOL nOldCol, ROWCOL nRow, ROWCOL nCol, UINT flags);
    BOOL ReturnToCell(ROWCOL nRow, ROWCOL nCol);
    void FollowWithSelection(ROWCOL nRow, ROWCOL nCol, UINT flags);
    BOOL FindMoveTarget(int nDirection, UINT nCount, ROWCOL& nRow, ROWCOL& nCol, ROWCOL& nScrollBack);
    BOOL StepBack(BOOL bRows, UINT nCount, ROWCOL& nRow, ROWCOL& nCol, ROWCOL& nScrollBack);
    BOOL StepForward(BOOL bRows, UINT nCount, ROWCOL& nRow, ROWCOL& nCol);
    BOOL PageUp(ROWCOL& nRow, ROWCOL& nCol);
    BOOL PageDown(ROWCOL& nRow, ROWCOL& nCol);
    BOOL JumpToEdge(int nDirection, ROWCOL& nRow, ROWCOL& nCol);
    BOOL OnButtonHitRowCol(int nButton, ROWCOL nStartRow, ROWCOL nStartCol, ROWCOL nRow, ROWCOL nCol, int x, int y,
                           UINT flags, WORD nHitState);
    BOOL PressButton(int nButton, UINT flags, CPoint point);
    BOOL ReleaseButton(int nButton, UINT flags, CPoint point);
    BOOL DoubleClickButton(int nButton, UINT flags, CPoint point);
    BOOL ReportToButton(int nButton, ROWCOL nRow, ROWCOL nCol, CPoint point, UINT flags, WORD wEvent);
    CPoint ClampToGrid(CPoint point);
    void ForEachRegisteredControl(void (*pfnTell)(CGXControl*));
    void RepaintGainedStrips(int cx, int cy);
    void RefreshFrameAfterStructure();
    void FollowStructureInSpans(BOOL bRows, BOOL bInsert, ROWCOL nFrom, ROWCOL nArg);
    void DelaySpansAround(const CGXRange& range);
    BOOL SetSizes(BOOL bRows, ROWCOL nFrom, ROWCOL nTo, int nSize, const int* pSizes, UINT flags, int nCommandKind);
    void CreateParamObjects();
    void DeleteControls();
    // Lets go of what outlives the grid's window: the find state, the tip relay and the tip.
    void ReleaseWindowCompanions();
    int PixelsToStored(int nPixels, int nUnit) const;
    int StoredToPixels(int nStored, int nUnit) const;
    BOOL ComposeHeaderValue(ROWCOL nRow, ROWCOL nCol, CGXStyle& style);
    void FreeStyleCache();
    void FreeGdiCaches();
    BOOL IsKeptCell(ROWCOL nRow, ROWCOL nCol) const;
    int HitTestColEdge(const POINT& pt, const CRect& rectCell, ROWCOL nRow, ROWCOL nCol, ROWCOL& nHitCol,
                       BOOL& bSuppressed);
    int HitTestRowEdge(const POINT& pt, const CRect& rectCell, ROWCOL nRow, ROWCOL nCol, ROWCOL& nHitRow,
                       BOOL& bSuppressed);

    tarnwick::foundation::SECThemeCache m_themes;
};
