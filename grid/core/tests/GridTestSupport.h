// What the grid core's tests share: an application that answers message boxes from a script,
// the library's start-up, and a hidden grid window whose fields the tests may reach.
#pragma once

#include <afxwin.h>

#include <grid/controls/Control.h>
#include <grid/core/Data.h>
#include <grid/core/AbstractGridImps.h>
#include <grid/core/Range.h>
#include <grid/core/GridWnd.h>

#include <deque>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

#include <testing/MessagePump.h>

// Records each message box and answers from m_answers (IDOK once they are used up).
class GridTestApp : public CWinApp
{
public:
    struct Box
    {
        CString strText;
        UINT nType;
    };

    GridTestApp() : CWinApp(_T("GridCoreTest"))
    {
    }
    int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt) override;

    std::vector<Box> m_boxes;
    std::deque<int> m_answers;
};

// The library with the standard factory, started once for the test program.
void EnsureGridLibrary();

// A grid window with font units of 10 (columns) by 15 (rows) pixels, whatever the fonts.
class TestGrid : public CGXGridWnd
{
public:
    static constexpr int nColUnit = 10;
    static constexpr int nRowUnit = 15;

    // A hidden child of the parent with the rectangle (and further styles), initialised.
    void CreateHidden(CWnd* pParent, const CRect& rect, DWORD dwStyle = 0);
    CSize GetTextMetricsSize(CDC* pDC) override;

    using CGXGridCore::m_bHintsEnabled;
    using CGXGridCore::m_bKeepCurrentCellStyle;
    using CGXGridCore::m_bPrinting;
    using CGXGridCore::m_nDrawingDepth;
    using CGXGridCore::m_nLeftCol;
    using CGXGridCore::m_nRowUnit;
    using CGXGridCore::m_nTopRow;
    using CGXGridCore::m_pClearCellsImp;
    using CGXGridCore::m_pCommandFactory;
    using CGXGridCore::m_pCoveredCellsImp;
    using CGXGridCore::m_nDefaultType;
    using CGXGridCore::m_pCutPasteImp;
    using CGXGridCore::m_pStyleDataExchangeImp;
    using CGXGridCore::m_pTextDataExchangeImp;
    using CGXGridCore::m_pDirectCopyMoveCellsImp;
    using CGXGridCore::m_pExcelLikeFillImp;
    using CGXGridCore::m_pExcelLikeFrameImp;
    using CGXGridCore::m_pFindReplaceImp;
    using CGXGridCore::m_pFloatCellsImp;
    using CGXGridCore::m_pHideCellsImp;
    using CGXGridCore::m_pMergeCellsImp;
    using CGXGridCore::m_pMoveRowsColsImp;
    using CGXGridCore::m_pOptimizedUpdateImp;
    using CGXGridCore::m_pResizeToFitImp;
    using CGXGridCore::m_pSortImp;
    using CGXGridCore::m_pUserDragSelectRangeImp;
    using CGXGridCore::m_pUpdateHintImp;
    using CGXGridCore::m_pUpdateObject;
    using CGXGridCore::m_pUserResizeCellsImp;
};

// A test grid whose chosen cells are disabled and that tells its current cell.
class DisablingGrid : public TestGrid
{
public:
    void ComposeStyleRowCol(ROWCOL nRow, ROWCOL nCol, CGXStyle* pStyle, BOOL bApplyStandard) override;
    // (GX_INVALID, GX_INVALID) without a current cell.
    std::pair<ROWCOL, ROWCOL> Current();

    std::set<std::pair<ROWCOL, ROWCOL>> m_disabled;
};

// A cell control that counts the live objects of its kind.
class CountedControl : public CGXControl
{
public:
    explicit CountedControl(CGXGridCore* pGrid) : CGXControl(pGrid)
    {
        ++s_nLive;
    }
    ~CountedControl() override
    {
        --s_nLive;
    }
    static inline int s_nLive = 0;
};

// A range as (type, top, left, bottom, right), for comparing ranges in expectations.
inline std::tuple<int, ROWCOL, ROWCOL, ROWCOL, ROWCOL> RangeBounds(const CGXRange& range)
{
    return {range.type, range.top, range.left, range.bottom, range.right};
}

// A clock for the long operations that moves on by a second at every look, so that every step
// is due for feedback.
DWORD WINAPI FastTicks();

// The clipboard's CF_UNICODETEXT, "<not opened>" when the clipboard stays closed.
CString ClipboardText(HWND hWnd);

// Holds a key down in the thread's keyboard state while it lives.
class HeldKey
{
public:
    explicit HeldKey(int nVirtKey);
    ~HeldKey();
    HeldKey(const HeldKey&) = delete;
    HeldKey& operator=(const HeldKey&) = delete;

private:
    int m_nVirtKey;
};

// While it lives, every abort check of a long operation is due (the clock runs two seconds per
// reading), and Escape is pressed on the window: the next check asks the user, whose answer
// comes from the application's script.
class EscapeAbort
{
public:
    explicit EscapeAbort(CWnd* pWnd);
    ~EscapeAbort();
    EscapeAbort(const EscapeAbort&) = delete;
    EscapeAbort& operator=(const EscapeAbort&) = delete;
};

// A hidden parent, the scripted application and the library for each test of a grid.
class GridWindowTest : public HiddenWindowTest
{
protected:
    // Before the fixture's grid is made, so that the factory installs its features.
    GridWindowTest()
    {
        EnsureGridLibrary();
    }
    void SetUp() override
    {
        EnsureGridLibrary();
    }

    GridTestApp m_app;
};

// A hidden grid window of 20 rows and 5 columns under the test's parent.
template <class GRID> class HiddenGridOfTest : public GridWindowTest
{
protected:
    void SetUp() override
    {
        GridWindowTest::SetUp();
        m_grid.CreateHidden(&Parent(), CRect(0, 0, 300, 200));
        m_grid.GetData()->SetRowCount(20);
        m_grid.GetData()->SetColCount(5);
    }
    void TearDown() override
    {
        m_grid.DestroyWindow();
    }

    GRID m_grid;
};
using HiddenGridTest = HiddenGridOfTest<TestGrid>;

// A memory DC with the system font that records the text outputs instead of drawing them.
class RecordingDC : public CDC
{
public:
    RecordingDC()
    {
        CreateCompatibleDC(nullptr);
        SelectStockObject(SYSTEM_FONT);
    }
    BOOL TextOut(int x, int y, LPCTSTR lpszString, int nCount) override
    {
        m_points.emplace_back(x, y);
        m_texts.emplace_back(lpszString, nCount);
        return TRUE;
    }
    std::vector<CPoint> m_points;
    std::vector<CString> m_texts;
};

// Counts the hints that the core sends.
class RecordingHints : public CGXAbstractGridUpdateHintImp
{
public:
    void OnHint(CGXGridCore*, CObject*) override
    {
    }
    BOOL HintParamSettingChanged(CGXGridCore*, DWORD) override
    {
        return Count();
    }
    BOOL HintSetCurrentCell(CGXGridCore*, ROWCOL, ROWCOL, UINT) override
    {
        return Count();
    }
    BOOL HintTransferCurrentCell(CGXGridCore*, BOOL, UINT) override
    {
        return Count();
    }
    BOOL HintChangedRowCount(CGXGridCore*, ROWCOL nOldCount, UINT) override
    {
        m_nOldCount = nOldCount;
        return Count();
    }
    BOOL HintChangedColCount(CGXGridCore*, ROWCOL nOldCount, UINT) override
    {
        m_nOldCount = nOldCount;
        return Count();
    }
    BOOL HintFrozenCols(CGXGridCore*, ROWCOL, ROWCOL, UINT) override
    {
        return Count();
    }
    BOOL HintFrozenRows(CGXGridCore*, ROWCOL, ROWCOL, UINT) override
    {
        return Count();
    }
    BOOL HintTopRow(CGXGridCore*, ROWCOL, UINT) override
    {
        return Count();
    }
    BOOL HintLeftCol(CGXGridCore*, ROWCOL, UINT) override
    {
        return Count();
    }
    BOOL HintInsertRows(CGXGridCore*, ROWCOL, ROWCOL, UINT) override
    {
        return Count();
    }
    BOOL HintInsertCols(CGXGridCore*, ROWCOL, ROWCOL, UINT) override
    {
        return Count();
    }
    BOOL HintInvalidateRange(CGXGridCore*, ROWCOL, ROWCOL, ROWCOL, ROWCOL, UINT) override
    {
        return Count();
    }
    BOOL HintRedraw(CGXGridCore*, UINT) override
    {
        return Count();
    }
    BOOL HintRecalc(CGXGridCore*, CString*) override
    {
        ++m_nRecalcHints;
        return Count();
    }
    BOOL HintAppNotify(CGXGridCore*) override
    {
        return Count();
    }
    BOOL HintScroll(CGXGridCore*, int) override
    {
        return Count();
    }
    BOOL HintSelectionChanges(CGXGridCore*, const CGXRange&, const CGXRangeList*) override
    {
        return Count();
    }
    BOOL HintSelectionFrame(CGXGridCore*, BOOL) override
    {
        return Count();
    }
    BOOL HintRangeChange(CGXGridCore*, POSITION, ROWCOL, ROWCOL, ROWCOL, ROWCOL) override
    {
        return Count();
    }
    BOOL HintUpdateWindow(CGXGridCore*) override
    {
        return Count();
    }
    BOOL HintHideRows(CGXGridCore*, ROWCOL, ROWCOL, const BYTE*, UINT) override
    {
        return Count();
    }
    BOOL HintHideCols(CGXGridCore*, ROWCOL, ROWCOL, const BYTE*, UINT) override
    {
        return Count();
    }
    BOOL HintStoreZoom(CGXGridCore*, int) override
    {
        return Count();
    }
    BOOL HintUpdateZoom(CGXGridCore*, int, UINT) override
    {
        return Count();
    }
    BOOL HintRedrawRange(CGXGridCore*, const CGXRange&, UINT) override
    {
        return Count();
    }
    BOOL HintRefreshBaseStyles(CGXGridCore*, UINT) override
    {
        return Count();
    }
    BOOL HintRedrawGrid(CGXGridCore*, UINT) override
    {
        return Count();
    }
    BOOL HintBaseStyleChange(CGXGridCore*, WORD, UINT) override
    {
        return Count();
    }
    BOOL HintCoveredCells(CGXGridCore*, ROWCOL, ROWCOL, ROWCOL, ROWCOL, UINT) override
    {
        ++m_nSpanHints;
        return Count();
    }
    BOOL HintFloatedCells(CGXGridCore*, ROWCOL, ROWCOL, ROWCOL, ROWCOL, UINT) override
    {
        ++m_nSpanHints;
        return Count();
    }
    BOOL HintMergedCells(CGXGridCore*, ROWCOL, ROWCOL, ROWCOL, ROWCOL, UINT) override
    {
        ++m_nSpanHints;
        return Count();
    }
    BOOL HintRowsSorted(CGXGridCore*, const CGXRange&, UINT) override
    {
        return Count();
    }
    BOOL HintColsSorted(CGXGridCore*, const CGXRange&, UINT) override
    {
        return Count();
    }
    BOOL HintRemoveRows(CGXGridCore*, ROWCOL, ROWCOL, const int*, UINT) override
    {
        return Count();
    }
    BOOL HintRemoveCols(CGXGridCore*, ROWCOL, ROWCOL, const int*, UINT) override
    {
        return Count();
    }
    BOOL HintMoveRows(CGXGridCore*, ROWCOL, ROWCOL, ROWCOL, UINT) override
    {
        return Count();
    }
    BOOL HintMoveCols(CGXGridCore*, ROWCOL, ROWCOL, ROWCOL, UINT) override
    {
        return Count();
    }
    int m_nHints = 0;
    int m_nRecalcHints = 0;
    int m_nSpanHints = 0;
    ROWCOL m_nOldCount = 0;

private:
    BOOL Count()
    {
        ++m_nHints;
        return TRUE;
    }
};

// An undo command that keeps what the core hands it.
class RecordedCommand : public CObject
{
public:
    RecordedCommand(const CGXRange& range, CObArray* pOldStyles) : m_range(range), m_pOldStyles(pOldStyles)
    {
    }
    ~RecordedCommand() override
    {
        for (INT_PTR i = 0; i < m_pOldStyles->GetSize(); ++i)
            delete m_pOldStyles->GetAt(i);
        delete m_pOldStyles;
    }
    CGXRange m_range;
    CObArray* m_pOldStyles;
};

// An undo command of the row and column structure, with its two numbers.
class RecordedStructureCommand : public CObject
{
public:
    enum Kind
    {
        freeze,
        insert,
        remove
    };
    RecordedStructureCommand(Kind kind, BOOL bRows, ROWCOL n1, ROWCOL n2)
        : m_kind(kind), m_bRows(bRows), m_n1(n1), m_n2(n2)
    {
    }
    Kind m_kind;
    BOOL m_bRows;
    ROWCOL m_n1;
    ROWCOL m_n2;
    std::vector<int> m_oldSizes;
};

// Records the undo commands that the core makes; the other commands are not asked for here.
class RecordingCommandFactory : public CGXAbstractCommandFactory
{
public:
    ~RecordingCommandFactory() override
    {
        for (CObject* pCommand : m_commands)
            delete pCommand;
    }
    CObject* CreateSetStyleRangeCmd(const CGXRange& range, int, CObArray* pOldStyles, int) override
    {
        return new RecordedCommand(range, pOldStyles);
    }
    CObject* CreateStylesMapCmd(CGXGridCore*, const CGXStylesMap&) override
    {
        return nullptr;
    }
    CObject* CreatePropertiesCmd(CGXGridCore*, const CGXProperties&) override
    {
        return nullptr;
    }
    CObject* CreateBaseStyleCmd(CGXGridCore*, WORD, const CGXStyle&) override
    {
        return nullptr;
    }
    CObject* CreateSizesCmd(CGXGridCore*, BOOL, ROWCOL, ROWCOL, int* pOldSizes) override
    {
        delete[] pOldSizes;
        return nullptr;
    }
    CObject* CreateDefaultSizeCmd(CGXGridCore*, BOOL, int) override
    {
        return nullptr;
    }
    void AddCommand(CGXGridCore*, CObject* pCommand, int nMode) override
    {
        m_commands.push_back(pCommand);
        m_modes.push_back(nMode);
    }
    BOOL Undo(CGXGridCore*) override
    {
        return FALSE;
    }
    BOOL Redo(CGXGridCore*) override
    {
        return FALSE;
    }
    BOOL UpdateUndoCommandUI(CGXGridCore*, CCmdUI*) override
    {
        return FALSE;
    }
    BOOL UpdateRedoCommandUI(CGXGridCore*, CCmdUI*) override
    {
        return FALSE;
    }
    void BeginUndoBlock(CGXGridCore*, LPCTSTR) override
    {
    }
    void EndUndoBlock(CGXGridCore*) override
    {
    }
    void RollbackUndoBlock(CGXGridCore*) override
    {
    }
    void RecordCommand(CGXGridCore*, CObject*, int) override
    {
    }
    void DiscardLastCommand(CGXGridCore*, int) override
    {
    }
    void ShowCommandCell(CGXGridCore*, ROWCOL, ROWCOL, BOOL) override
    {
        ++m_nShown;
    }
    int SetDataObjectUndoState(CGXGridCore*, int) override
    {
        return 0;
    }
    CObject* GetDataObjectUndoInfo(CGXGridCore*) override
    {
        return nullptr;
    }
    BOOL RestoreDataObjectUndoInfo(CGXGridCore*, CObject* pUndoInfo, DWORD, DWORD) override
    {
        m_pRestoredUndoInfo = pUndoInfo;
        return FALSE;
    }
    void DiscardDataObjectUndoInfo(CGXGridCore*) override
    {
        ++m_nDiscarded;
    }
    BOOL ExecuteCommand(CObject*, CGXGridCore*, int) override
    {
        return FALSE;
    }
    CObject* CreateFreezeCmd(CGXGridCore*, BOOL bRows, ROWCOL nOldFrozen, ROWCOL nOldHeader) override
    {
        return new RecordedStructureCommand(RecordedStructureCommand::freeze, bRows, nOldFrozen, nOldHeader);
    }
    CObject* CreateInsertCmd(CGXGridCore*, BOOL bRows, ROWCOL nFrom, ROWCOL nCount) override
    {
        return new RecordedStructureCommand(RecordedStructureCommand::insert, bRows, nFrom, nCount);
    }
    CObject* CreateRemoveCmd(CGXGridCore*, BOOL bRows, ROWCOL nFrom, ROWCOL nCount, int* pOldSizes, CObject* pOldStyles,
                             ROWCOL) override
    {
        auto* pCommand = new RecordedStructureCommand(RecordedStructureCommand::remove, bRows, nFrom, nCount);
        pCommand->m_oldSizes.assign(pOldSizes, pOldSizes + nCount);
        delete[] pOldSizes;
        delete pOldStyles;
        return pCommand;
    }
    BOOL SaveRemovedStyles(CGXGridCore*, BOOL, ROWCOL, ROWCOL, ROWCOL, CObject*& pOldStyles) override
    {
        pOldStyles = nullptr;
        return m_bSaveStyles;
    }
    CObject* CreateBlockCmd(LPCTSTR) override
    {
        return nullptr;
    }
    CObject* CreateCoveredCellsCmd(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight) override
    {
        return new RecordedCommand(CGXRange(nTop, nLeft, nBottom, nRight), new CObArray);
    }
    CObject* CreateHideCmd(BOOL, ROWCOL, ROWCOL, CByteArray* pOldStates) override
    {
        delete pOldStates;
        return nullptr;
    }
    CObject* CreateMoveRowsColsCmd(BOOL, ROWCOL, ROWCOL, ROWCOL) override
    {
        return nullptr;
    }
    CObject* CreateMoveDataCmd(BOOL, CDWordArray* pOrder, const CGXRange&) override
    {
        delete pOrder;
        return nullptr;
    }
    CObject* CreateMoveCellsCmd(const CGXRange&, ROWCOL, ROWCOL, CObject* pUndoInfo) override
    {
        delete pUndoInfo;
        return nullptr;
    }
    CObject* CreateSetRangeNameCmd(LPCTSTR, BOOL, const CGXRange&) override
    {
        return nullptr;
    }
    CObject* CreateDeleteRangeNameCmd(LPCTSTR, const CGXRange&, CObject* pInfo) override
    {
        delete pInfo;
        return nullptr;
    }
    std::vector<CObject*> m_commands;
    std::vector<int> m_modes;
    int m_nShown = 0;
    BOOL m_bSaveStyles = TRUE;
    int m_nDiscarded = 0;
    CObject* m_pRestoredUndoInfo = nullptr;
};
