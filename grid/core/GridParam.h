// Everything of a grid that is not tied to one window, shared by all views of one document:
// the data store, properties and styles map (each possibly owned), selection and covered
// cells, undo and redo, row heights and column widths, hidden rows and columns, and the
// permission masks that the mouse and keyboard code test. Archiving and copying go through
// the application's feature objects.
#pragma once

#include <afxcoll.h>

#include <grid/core/MapDWordToLong.h>
#include <grid/core/RangeList.h>

class CGXAppData;
class CGXCoveredCellPool;
class CGXData;
class CGXDelayedRangePool;
class CGXSpanCellPool;
class CGXPrintDevice;
class CGXProperties;
class CGXStylesMap;

// Bits of the parameter's activation flags: a cell control becomes active by itself on a release
// of the left button on the cell's text, anywhere in the cell, or anywhere in the current cell
// when its control agrees to edit; on a double click.
constexpr WORD GX_ACTIVATEONTEXT = 0x1;
constexpr WORD GX_ACTIVATEONCLICK = 0x2;
constexpr WORD GX_ACTIVATEONCURRENT = 0x4;
constexpr WORD GX_ACTIVATEONDBLCLK = 0x8;
constexpr WORD GX_ACTIVATEONRELEASE = GX_ACTIVATEONTEXT | GX_ACTIVATEONCLICK | GX_ACTIVATEONCURRENT;

// List-box modes of the special-mode word: whole rows selected one range at a time, or several.
constexpr WORD GX_SINGLELISTBOX = 0x01;
constexpr WORD GX_MULTIPLELISTBOX = 0x02;

class CGXGridParam : public CObject
{
    DECLARE_SERIAL(CGXGridParam)
public:
    CGXGridParam();
    CGXGridParam(const CGXGridParam&) = delete;
    // Deletes the commands, the pools and what the parameter owns.
    ~CGXGridParam() override;

    // Through the application's document-serialize feature; nothing without it.
    void Serialize(CArchive& ar) override;
    // Through the application's parameter-copy feature; nothing is copied without it.
    virtual CGXGridParam& operator=(const CGXGridParam& source);

    CObList* GetUndoList()
    {
        return &m_UndoList;
    }
    // Set while a block of more than one command runs; neither archived nor copied.
    BOOL m_bSeveralCommands = FALSE;

    // Pasting inside one grid: a copy (a cut) pastes its cells directly; a paste mode above 1
    // makes the whole paste one undo step (0 never pastes directly); a cut waits for its paste;
    // the ranges of the last copy or cut.
    BOOL DirectCopyPaste() const
    {
        return m_adwSettingsC[10] != 0;
    }
    void SetDirectCopyPaste(BOOL bSet)
    {
        m_adwSettingsC[10] = bSet != FALSE;
    }
    BOOL DirectCutPaste() const
    {
        return m_adwSettingsC[11] != 0;
    }
    void SetDirectCutPaste(BOOL bSet)
    {
        m_adwSettingsC[11] = bSet != FALSE;
    }
    DWORD DirectPasteMode() const
    {
        return m_adwSettingsC[12];
    }
    void SetDirectPasteMode(DWORD nMode)
    {
        m_adwSettingsC[12] = nMode;
    }
    BOOL CutPending() const
    {
        return m_adwSettingsC[13] != 0;
    }
    void SetCutPending(BOOL bSet)
    {
        m_adwSettingsC[13] = bSet != FALSE;
    }
    CGXRangeList& ClipboardRangeList()
    {
        return m_RangeList2;
    }
    // What a copy's direct-copy marker names: a number no other parameter object of the
    // process has; neither archived nor copied.
    DWORD ClipboardIdentity() const
    {
        return m_dwClipboardIdentity;
    }
    CObList* GetRedoList()
    {
        return &m_RedoList;
    }
    void EmptyRedoList();

    // The covered-cell pool made by the application's covered-cell pool feature, when missing;
    // none without the feature.
    void EnsureCoveredCellsPool();
    // Fills the covered-cell pool anew from the list of covered ranges.
    void RebuildCoveredCellsPool();
    // Deletes the styles map, data, properties and print device where the parameter owns them
    // or a copy made them, and clears their pointers.
    void DeleteOwnedObjects();

    // Whether the mask shares a bit with the permission.
    BOOL IsAllowSelection(WORD wMask) const
    {
        return (m_wAllowSelection & wMask) != 0;
    }
    BOOL IsAllowTrackRowHeight(WORD wMask) const
    {
        return (m_wAllowTrackRowHeight & wMask) != 0;
    }
    BOOL IsAllowTrackColWidth(WORD wMask) const
    {
        return (m_wAllowTrackColWidth & wMask) != 0;
    }
    BOOL TestSpecialMode(WORD wMask) const
    {
        return (m_wSpecialMode & wMask) != 0;
    }
    BOOL GetDragSelectSetting() const
    {
        return m_bDragSelectCols;
    }
    int GetTrackingMode() const
    {
        return m_nTrackingMode;
    }
    int GetOption() const
    {
        return m_nOption;
    }

    // The drawing settings that the core's line and selection drawing reads, kept in settings
    // block B: grid lines on the right and bottom edges of cells instead of the left and top;
    // the pen style of grid lines; a frame instead of inversion for the current cell inside
    // the selection; the selection mode (1 inverts the current cell too).
    BOOL GetLinesRightBottom() const
    {
        return m_adwSettingsB[0] != 0;
    }
    void SetLinesRightBottom(BOOL bSet)
    {
        m_adwSettingsB[0] = bSet != FALSE;
    }
    UINT GetGridLineStyle() const
    {
        return m_adwSettingsB[1];
    }
    void SetGridLineStyle(UINT nPenStyle)
    {
        m_adwSettingsB[1] = nPenStyle;
    }
    BOOL GetCurrentCellFrame() const
    {
        return m_adwSettingsB[2] != 0;
    }
    void SetCurrentCellFrame(BOOL bSet)
    {
        m_adwSettingsB[2] = bSet != FALSE;
    }
    int GetSelectionMode() const
    {
        return static_cast<int>(m_adwSettingsB[3]);
    }
    void SetSelectionMode(int nMode)
    {
        m_adwSettingsB[3] = static_cast<DWORD>(nMode);
    }

    // Settings block C: two selection-highlight settings (the parameter's range list is
    // highlighted while both are on); 10-13 are the direct paste's settings above.
    BOOL GetRangeHighlight() const
    {
        return m_adwSettingsC[0] != 0 && m_adwSettingsC[1] != 0;
    }
    void SetRangeHighlight(BOOL bFirst, BOOL bSecond)
    {
        m_adwSettingsC[0] = bFirst != FALSE;
        m_adwSettingsC[1] = bSecond != FALSE;
    }
    // Esc and a cancelled mouse mode switch the highlight off: TRUE when it was on.
    BOOL ClearRangeHighlight()
    {
        const BOOL bWasOn = m_adwSettingsC[1] != 0;
        m_adwSettingsC[1] = 0;
        return bWasOn;
    }

    // Members in their order, with their defaults. Those without a named role are read by the
    // grid core and its features.
    CGXAppData* m_pAppData;
    BOOL m_abSettingsA[2] = {TRUE, TRUE};
    // Pixels that a dropped list reaches below its cell.
    int m_nDropDownHeight = 100;
    // While set, a view shows its special cursors only while it is the active view.
    BOOL m_bCheckViewActivation = FALSE;
    BOOL m_bViewSetting = FALSE;
    // What undo keeps of removed rows and columns: bit 0 base styles, bit 1 cell styles.
    WORD m_wRowUndoFlags = 3;
    WORD m_wColUndoFlags = 3;
    // How a double-clicked or dragged hidden column comes back: 0 through the core's show
    // operation, else by its width.
    WORD m_wShowHiddenCols = 0;
    // The selection frame lies one pixel further right and down.
    BOOL m_bFramePixelOffset = FALSE;
    // Cells and their grid lines are painted by the old drawing feature.
    BOOL m_bOldDrawing = FALSE;
    // The smallest row height and column width that resizing by mouse gives, in pixels.
    int m_nMinTrackRowHeight = 0;
    int m_nMinTrackColWidth = 0;
    // When a cell control becomes active by itself (GX_ACTIVATEON... bits).
    WORD m_wActivateCell = 1;
    WORD m_wAllowSelection = 255;
    BOOL m_bDragSelectCols = TRUE;
    BOOL m_bDragSelectRows = TRUE;
    WORD m_wAllowTrackRowHeight = 178;
    WORD m_wAllowTrackColWidth = 178;
    WORD m_wSpecialMode = 0;
    int m_nTrackingMode = 1;
    // LockReadOnly: while set, a read-only grid refuses the changes that test it.
    BOOL m_bLockReadOnly = TRUE;
    BOOL m_bReadOnlySetting = TRUE;
    WORD m_wFloatCellsMode = 0;
    WORD m_wMergeCellsMode = 0;
    // While set, the zoom is 100 whatever was stored.
    BOOL m_bNoZoom = FALSE;
    WORD m_awCoreSettings[2] = {2, 0};
    ROWCOL m_nHeaderRows = 0;
    ROWCOL m_nHeaderCols = 0;
    BOOL m_bCoreSetting = TRUE;
    // The sheet name, shown on the grid's tab.
    CString m_strName;
    ROWCOL m_nFrozenRows = 0;
    ROWCOL m_nFrozenCols = 0;
    DWORD m_adwSettingsB[6] = {};
    // The block that the last row (column) freeze moved: where it starts now, how many rows
    // (columns) it holds, and where it started before.
    struct FreezeRecord
    {
        ROWCOL freezeFirst = 0;
        ROWCOL freezeCount = 0;
        ROWCOL freezeOrigin = 0;
    };
    FreezeRecord m_freezeRows;
    FreezeRecord m_freezeCols;
    // With the flag set, initialisation makes this cell current when the grid has it.
    BOOL m_bRestoreCell = FALSE;
    ROWCOL m_nRestoreRow = 1;
    ROWCOL m_nRestoreCol = 1;
    // The move of the current cell after Enter stored it (0 stays, else a key-move direction).
    WORD m_wEnterKeyDirection = 0;
    // An up (left) key move from the top row (left column) scrolls instead of entering the
    // frozen rows (columns).
    BOOL m_bScrollAtFrozenEdge = FALSE;
    // The most commands that the undo list keeps.
    UINT m_nMaxUndo = 512;
    WORD m_wCoreSetting = 4;
    CGXRangeList m_SelRects;
    CGXRangeList m_CoveredCellsList;
    // Owned pools: the covered cells by cell; the float spans and their delayed ranges, on
    // screen and (the second pair) while printing; the merged spans over columns and over rows
    // and their delayed ranges.
    CGXCoveredCellPool* m_pCoveredCellPool = nullptr;
    CGXSpanCellPool* m_pFloatCellsPool = nullptr;
    CGXDelayedRangePool* m_pFloatCellsWork = nullptr;
    CGXSpanCellPool* m_pFloatCellsPool2 = nullptr;
    CGXDelayedRangePool* m_pFloatCellsWork2 = nullptr;
    CGXSpanCellPool* m_pMergeCellsPool = nullptr;
    CGXSpanCellPool* m_pMergeCellsPool2 = nullptr;
    CGXDelayedRangePool* m_pMergeCellsWork = nullptr;
    // Each deleted with the parameter object only while its flag says it is owned.
    BOOL m_bOwnProperties = FALSE;
    CGXProperties* m_pProperties = nullptr;
    BOOL m_bOwnStylesMap = FALSE;
    CGXStylesMap* m_pStylesMap = nullptr;
    BOOL m_bOwnData = FALSE;
    CGXData* m_pData = nullptr;
    // The printer the grid prints to.
    BOOL m_bOwnPrintDevice = FALSE;
    CGXPrintDevice* m_pPrintDevice = nullptr;
    BOOL m_bReadOnly = FALSE;
    // Draws on screen in the printer's resolution, so the screen shows the printed layout.
    BOOL m_bDisplayPrinterMetrics = FALSE;
    int m_nOption = 1;
    CObList m_UndoList;
    CObList m_RedoList;
    // How deep undo blocks are open.
    int m_nUndoBlockLevel = 0;
    // Undo records are made only while this is set.
    BOOL m_bUndoEnabled = TRUE;
    // Hidden rows and columns as bit sets: bit r & 7 of byte r >> 3.
    CByteArray m_hiddenRows;
    CByteArray m_hiddenCols;
    // Stored heights and widths, in thousandths of the core's row-height and column-width unit.
    CGXMapDWordToLong m_RowHeights;
    CGXMapDWordToLong m_ColWidths;
    int m_nDefaultHeight = 1200;
    int m_nDefaultWidth = 10000;
    // LockUpdate: while set, size and zoom changes and block changes (a paste) do not repaint.
    BOOL m_bLockUpdate = FALSE;
    DWORD m_dwAppDataSetting = 0;
    WORD m_wAppDataSetting = 0;
    // The fourth is the excel-like frame option.
    int m_anCoreSettings[9] = {0, 0, 0, 0, 0, 0, -1, -1, 0};
    // Set by every grid that initialises with this object.
    BOOL m_bInitDone = FALSE;
    // Settings that archives keep for the grid's features: two bytes and three values of
    // schema 3, a byte and two values of schema 11.
    BYTE m_abSettings3[2] = {0, 0};
    DWORD m_adwSettings3[3] = {0, 0, 0};
    BYTE m_bSetting11 = 0;
    DWORD m_adwSettings11[2] = {0, 0};
    // 10-13: DirectCopyPaste, DirectCutPaste, DirectPasteMode, CutPending (see their accessors).
    DWORD m_adwSettingsC[14] = {};
    // The cells a dirty-only paint pass drew, until it is over.
    CGXRangeList m_RangeList1;
    // Bit 0x1 read by the edit control; bit 0x2 makes size calculation measure the value.
    WORD m_wValueDisplay = 0;
    CGXRangeList m_RangeList2;
    const DWORD m_dwClipboardIdentity;
    // Shared choice-list tables of the tabbed drop-down controls by choice-list id: key to
    // line, and text to line. Owned.
    CPtrArray m_apChoiceListKeys;
    CPtrArray m_apChoiceListTexts;
    int m_nChoiceListVersion = 0;
    CMapPtrToPtr m_mapObjects;
    // Painting: no paint at all; selected cells marked; a block's styles composed before its
    // cells are prepared; no backgrounds drawn.
    BOOL m_bLockDrawing = FALSE;
    BOOL m_bMarkSelection = TRUE;
    BOOL m_bLoadStylesAhead = FALSE;
    BOOL m_bTransparentBackground = FALSE;
    // The current cell's frame: hidden; with mode 4 not drawn over a window-backed control;
    // drawn always (0), only while the grid has the focus (2) or never (other values).
    BOOL m_bHideCurrentCellFrame = FALSE;
    int m_nCurrentCellFrameMode = 0;
    int m_nCurrentCellFrameWhen = 0;
    // The selection follows the current cell: entering a cell selects it alone.
    BOOL m_bSelectionFollowsCell = FALSE;
    // A grid window that grows repaints only the strips it gained.
    BOOL m_bPartialRepaint = FALSE;
    // Headers in the flat look: thin lines instead of a raised face, the current row's and
    // column's headers in bold and the headers of selected rows and columns drawn raised.
    BOOL m_bFlatHeaders = FALSE;
    // Sorting by a header double-click: the rows by a column header, the columns by a row
    // header; the last sort's key row and key column (~0 for none) and its direction.
    BOOL m_bSortRowsByHeader = FALSE;
    BOOL m_bSortColsByHeader = FALSE;
    ROWCOL m_nLastSortKeyRow = ~ROWCOL(0);
    ROWCOL m_nLastSortKeyCol = ~ROWCOL(0);
    BOOL m_bLastSortAscending = FALSE;
    // What a fill drag copies: bit 0 the values, bit 1 the whole styles; neither does nothing.
    WORD m_wFillOptions = 3;

private:
    // Objects that a copy made although the source did not own them: the own-flags stay as
    // copied, yet these are deleted as owned ones. Neither archived nor copied.
    friend class CGXGridParamCopyOperatorImp;
    BOOL m_bCopiedProperties = FALSE;
    BOOL m_bCopiedStylesMap = FALSE;
    BOOL m_bCopiedData = FALSE;
    BOOL m_bCopiedPrintDevice = FALSE;
};
