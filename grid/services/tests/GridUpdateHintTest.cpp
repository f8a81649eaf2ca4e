#include "GridTestSupport.h"

#include <afxext.h>

#include <grid/core/GridParam.h>
#include <grid/core/RangeList.h>
#include <grid/services/mouse/GridExcelLikeFrameImp.h>
#include <grid/services/mouse/GridUserSelectRangeImp.h>
#include <grid/services/views/GridHint.h>
#include <grid/services/views/GridUpdateHintImp.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace
{
// A document whose views share one grid parameter object, made by the first view.
class HintDocument : public CDocument
{
public:
    ~HintDocument() override
    {
        delete m_pParam;
    }
    CGXGridParam* m_pParam = nullptr;
};

// A grid view of a HintDocument that records the core operations hints replay, with whether
// they were asked to hint again.
class HintView : public CView, public CGXGridCore
{
    DECLARE_DYNCREATE(HintView)
public:
    HintView() : CGXGridCore(this)
    {
    }

    void OnDraw(CDC* /*pDC*/) override
    {
    }
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override
    {
        if (auto* pGridHint = dynamic_cast<CGXGridHint*>(pHint))
            m_kinds.push_back(pGridHint->id);
        OnGridUpdate(pSender, lHint, pHint);
    }
    void OnInitialUpdate() override
    {
        auto* pDoc = static_cast<HintDocument*>(GetDocument());
        if (pDoc->m_pParam == nullptr)
            pDoc->m_pParam = new CGXGridParam;
        SetParam(pDoc->m_pParam, FALSE);
        SetGridWnd(this, pDoc, nullptr);
        OnGridInitialUpdate();
        GetData()->SetRowCount(40);
        GetData()->SetColCount(10);
    }
    CSize GetTextMetricsSize(CDC* /*pDC*/) override
    {
        return CSize(TestGrid::nColUnit, TestGrid::nRowUnit);
    }

    void RedrawGrid(UINT flags, BOOL bHint) override
    {
        Record("RedrawGrid", bHint);
        CGXGridCore::RedrawGrid(flags, bHint);
    }
    void InvalidateRange(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight, UINT flags, BOOL bHint) override
    {
        Record("InvalidateRange", bHint);
        CGXGridCore::InvalidateRange(nTop, nLeft, nBottom, nRight, flags, bHint);
    }
    void UpdateChangedRowCount(ROWCOL nOldCount, UINT flags, BOOL bHint) override
    {
        Record("UpdateChangedRowCount", bHint);
        CGXGridCore::UpdateChangedRowCount(nOldCount, flags, bHint);
    }
    void UpdateChangedColCount(ROWCOL nOldCount, UINT flags, BOOL bHint) override
    {
        Record("UpdateChangedColCount", bHint);
        CGXGridCore::UpdateChangedColCount(nOldCount, flags, bHint);
    }
    void UpdateFrozenRows(ROWCOL nOldFrozen, ROWCOL nOldHeader, UINT flags, BOOL bHint) override
    {
        Record("UpdateFrozenRows", bHint);
        CGXGridCore::UpdateFrozenRows(nOldFrozen, nOldHeader, flags, bHint);
    }
    void UpdateFrozenCols(ROWCOL nOldFrozen, ROWCOL nOldHeader, UINT flags, BOOL bHint) override
    {
        Record("UpdateFrozenCols", bHint);
        CGXGridCore::UpdateFrozenCols(nOldFrozen, nOldHeader, flags, bHint);
    }
    void UpdateInsertRows(ROWCOL nRow, ROWCOL nCount, UINT flags, BOOL bHint) override
    {
        Record("UpdateInsertRows", bHint);
        m_nLastFirst = nRow;
        CGXGridCore::UpdateInsertRows(nRow, nCount, flags, bHint);
    }
    void UpdateInsertCols(ROWCOL nCol, ROWCOL nCount, UINT flags, BOOL bHint) override
    {
        Record("UpdateInsertCols", bHint);
        CGXGridCore::UpdateInsertCols(nCol, nCount, flags, bHint);
    }
    void UpdateRemoveRows(ROWCOL nFrom, ROWCOL nTo, int* pOldHeights, UINT flags, BOOL bHint) override
    {
        Record("UpdateRemoveRows", bHint);
        CGXGridCore::UpdateRemoveRows(nFrom, nTo, pOldHeights, flags, bHint);
    }
    void UpdateRemoveCols(ROWCOL nFrom, ROWCOL nTo, int* pOldWidths, UINT flags, BOOL bHint) override
    {
        Record("UpdateRemoveCols", bHint);
        CGXGridCore::UpdateRemoveCols(nFrom, nTo, pOldWidths, flags, bHint);
    }
    void UpdateHideRows(ROWCOL nFrom, ROWCOL nTo, const BYTE* pOldStates, UINT flags, BOOL bHint) override
    {
        Record("UpdateHideRows", bHint);
        CGXGridCore::UpdateHideRows(nFrom, nTo, pOldStates, flags, bHint);
    }
    void UpdateHideCols(ROWCOL nFrom, ROWCOL nTo, const BYTE* pOldStates, UINT flags, BOOL bHint) override
    {
        Record("UpdateHideCols", bHint);
        CGXGridCore::UpdateHideCols(nFrom, nTo, pOldStates, flags, bHint);
    }
    void UpdateMoveRows(ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest, UINT flags, BOOL bHint) override
    {
        Record("UpdateMoveRows", bHint);
        CGXGridCore::UpdateMoveRows(nFrom, nTo, nDest, flags, bHint);
    }
    void UpdateMoveCols(ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest, UINT flags, BOOL bHint) override
    {
        Record("UpdateMoveCols", bHint);
        CGXGridCore::UpdateMoveCols(nFrom, nTo, nDest, flags, bHint);
    }
    void RedrawRange(const CGXRange& range, UINT flags, BOOL bHint) override
    {
        Record("RedrawRange", bHint);
        CGXGridCore::RedrawRange(range, flags, bHint);
    }
    void RefreshBaseStyles(UINT flags, BOOL bHint) override
    {
        Record("RefreshBaseStyles", bHint);
        CGXGridCore::RefreshBaseStyles(flags, bHint);
    }
    void RefreshAfterBaseStyleChange(WORD nId, UINT flags, BOOL bHint) override
    {
        Record("RefreshAfterBaseStyleChange", bHint);
        CGXGridCore::RefreshAfterBaseStyleChange(nId, flags, bHint);
    }
    void UpdateCoveredCellsRowCol(ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol, UINT flags,
                                  BOOL bHint) override
    {
        Record("UpdateCoveredCellsRowCol", bHint);
        CGXGridCore::UpdateCoveredCellsRowCol(nRow, nCol, nToRow, nToCol, flags, bHint);
    }
    BOOL StoreZoom(int nZoom, BOOL bHint) override
    {
        Record("StoreZoom", bHint);
        return CGXGridCore::StoreZoom(nZoom, bHint);
    }
    void UpdateZoom(int nOldZoom, UINT flags, BOOL bHint) override
    {
        Record("UpdateZoom", bHint);
        CGXGridCore::UpdateZoom(nOldZoom, flags, bHint);
    }
    void OnParamSettingChanged(BOOL bOld, BOOL bNotify) override
    {
        Record("OnParamSettingChanged", bNotify);
        CGXGridCore::OnParamSettingChanged(bOld, bNotify);
    }
    BOOL TransferCurrentCell(BOOL bSaveAndValidate, UINT flags, BOOL bHint) override
    {
        Record("TransferCurrentCell", bHint);
        return !m_bRefuseTransfer && CGXGridCore::TransferCurrentCell(bSaveAndValidate, flags, bHint);
    }
    void SetTopRow(ROWCOL nRow, UINT flags, BOOL bHint) override
    {
        Record("SetTopRow", bHint);
        CGXGridCore::SetTopRow(nRow, flags, bHint);
    }
    void SetLeftCol(ROWCOL nCol, UINT flags, BOOL bHint) override
    {
        Record("SetLeftCol", bHint);
        CGXGridCore::SetLeftCol(nCol, flags, bHint);
    }
    BOOL SetCurrentCell(ROWCOL nRow, ROWCOL nCol, UINT flags) override
    {
        Record("SetCurrentCell", (flags & GX_NOHINTS) == 0);
        return CGXGridCore::SetCurrentCell(nRow, nCol, flags);
    }
    void OnRowsSorted(const CGXRange& range, UINT flags, BOOL bHint) override
    {
        Record("OnRowsSorted", bHint);
        CGXGridCore::OnRowsSorted(range, flags, bHint);
    }
    void OnColsSorted(const CGXRange& range, UINT flags, BOOL bHint) override
    {
        Record("OnColsSorted", bHint);
        CGXGridCore::OnColsSorted(range, flags, bHint);
    }
    void RecalcAndRedraw(BOOL bRecalc, CString* pError, BOOL bHint) override
    {
        Record("RecalcAndRedraw", bHint);
        CGXGridCore::RecalcAndRedraw(bRecalc, pError, bHint);
    }
    void OnGridAppNotify(WPARAM wParam) override
    {
        Record("OnGridAppNotify", wParam != 1);
        CGXGridCore::OnGridAppNotify(wParam);
    }

    CGXGridUpdateHintImp* Hints() const
    {
        return static_cast<CGXGridUpdateHintImp*>(m_pUpdateHintImp);
    }
    // The operations replayed since the last call, as "name" or "name+hint" when asked to hint.
    std::vector<std::string> Take()
    {
        std::vector<std::string> calls;
        calls.swap(m_calls);
        return calls;
    }

    using CGXGridCore::m_bHintsEnabled;
    using CGXGridCore::m_bShowHeadersInPane;
    using CGXGridCore::m_nLeftCol;
    using CGXGridCore::m_nTopRow;
    using CGXGridCore::m_pCellTipRelay;
    using CGXGridCore::m_pExcelLikeFrameImp;
    using CGXGridCore::m_pUpdateHintImp;
    using CGXGridCore::m_pUserSelectRangeImp;
    BOOL m_bRefuseTransfer = FALSE;
    ROWCOL m_nLastFirst = 0;
    // The kinds of the hints that reached this view.
    std::vector<DWORD> m_kinds;

private:
    void Record(const char* pszName, BOOL bHint)
    {
        m_calls.push_back(std::string(pszName) + (bHint ? "+hint" : ""));
    }
    std::vector<std::string> m_calls;
};

IMPLEMENT_DYNCREATE(HintView, CView)

// The selection and frame features of a view, recording the drawing that hints replay.
class RecordingSelection : public CGXGridUserSelectRangeImp
{
public:
    explicit RecordingSelection(std::vector<std::string>& log) : m_log(log)
    {
    }
    void RedrawSelectionChanges(CGXGridCore* pGrid, const CGXRangeList& oldList, BOOL bHint) override
    {
        m_log.push_back("selection changes from " + std::to_string(oldList.GetCount()) + (bHint ? "+hint" : ""));
        CGXGridUserSelectRangeImp::RedrawSelectionChanges(pGrid, oldList, bHint);
    }
    void RedrawRangeChange(CGXGridCore* pGrid, POSITION pos, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight,
                           BOOL bHint) override
    {
        m_log.push_back("range change " + std::to_string(nTop) + "," + std::to_string(nLeft) + "-" +
                        std::to_string(nBottom) + "," + std::to_string(nRight) + (bHint ? "+hint" : ""));
        CGXGridUserSelectRangeImp::RedrawRangeChange(pGrid, pos, nTop, nLeft, nBottom, nRight, bHint);
    }

private:
    std::vector<std::string>& m_log;
};

class RecordingFrame : public CGXGridExcelLikeFrameImp
{
public:
    explicit RecordingFrame(std::vector<std::string>& log) : m_log(log)
    {
    }
    void OnSelectionFrameChanged(CGXGridCore* pGrid, BOOL bState, BOOL bRedraw) override
    {
        m_log.push_back(std::string("frame ") + (bState ? "shown" : "hidden") + (bRedraw ? "+hint" : ""));
        CGXGridExcelLikeFrameImp::OnSelectionFrameChanged(pGrid, bState, bRedraw);
    }

private:
    std::vector<std::string>& m_log;
};

// Views on the test's hidden parent, all of one document, destroyed with their splitter when
// the test ends; the document closes itself as its last view goes.
class UpdateHintTest : public GridWindowTest
{
protected:
    void TearDown() override
    {
        for (HWND hView : m_views)
            if (::IsWindow(hView))
                ::DestroyWindow(hView);
        m_splitter.DestroyWindow();
    }
    HintView& AddView(CWnd* pParent, UINT nId)
    {
        CCreateContext context;
        context.m_pCurrentDoc = &m_document;
        auto* pView = new HintView;
        EXPECT_TRUE(pView->Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 300, 200), pParent, nId, &context));
        m_views.push_back(pView->m_hWnd);
        pView->OnInitialUpdate();
        pView->Take();
        return *pView;
    }
    // A 2 x 2 static splitter whose four panes are views of the document.
    void MakeSplitter()
    {
        ASSERT_TRUE(m_splitter.CreateStatic(&Parent(), 2, 2));
        m_splitter.MoveWindow(0, 0, 600, 400);
        for (int row = 0; row < 2; ++row)
            for (int col = 0; col < 2; ++col)
                AddView(&m_splitter, m_splitter.IdFromRowCol(row, col));
        m_splitter.RecalcLayout();
    }
    HintView& Pane(int row, int col)
    {
        return *static_cast<HintView*>(m_splitter.GetPane(row, col));
    }

    HintDocument& m_document = *new HintDocument;
    CSplitterWnd m_splitter;
    std::vector<HWND> m_views;
};

TEST_F(UpdateHintTest, EverySenderReplaysOnceInTheOtherViewWithoutHintingAgain)
{
    HintView& a = AddView(&Parent(), 1);
    HintView& b = AddView(&Parent(), 2);
    CGXGridUpdateHintImp* pHints = a.Hints();
    ASSERT_NE(pHints, nullptr);
    const BYTE states[2] = {0, 0};
    int heights[2] = {20, 20};
    CString strError;
    const CGXRange range(2, 2, 3, 3);
    struct Case
    {
        const char* pszSender;
        std::function<BOOL()> send;
        std::vector<std::string> replayed;
    };
    const std::vector<Case> cases = {
        {"param", [&] { return pHints->HintParamSettingChanged(&a, 1); }, {"OnParamSettingChanged"}},
        {"current", [&] { return pHints->HintSetCurrentCell(&a, 2, 3, GX_NOHINTS); }, {"SetCurrentCell"}},
        {"row count", [&] { return pHints->HintChangedRowCount(&a, 50, GX_INVALIDATE); }, {"UpdateChangedRowCount"}},
        {"col count", [&] { return pHints->HintChangedColCount(&a, 12, GX_INVALIDATE); }, {"UpdateChangedColCount"}},
        {"frozen cols", [&] { return pHints->HintFrozenCols(&a, 0, 0, 0); }, {"UpdateFrozenCols"}},
        {"frozen rows", [&] { return pHints->HintFrozenRows(&a, 0, 0, 0); }, {"UpdateFrozenRows"}},
        {"insert rows", [&] { return pHints->HintInsertRows(&a, 5, 1, 0); }, {"UpdateInsertRows"}},
        {"insert cols", [&] { return pHints->HintInsertCols(&a, 5, 1, 0); }, {"UpdateInsertCols"}},
        {"invalidate", [&] { return pHints->HintInvalidateRange(&a, 1, 1, 2, 2, 0); }, {"InvalidateRange"}},
        {"redraw", [&] { return pHints->HintRedraw(&a, 0); }, {"RedrawGrid"}},
        {"recalc", [&] { return pHints->HintRecalc(&a, &strError); }, {"RecalcAndRedraw"}},
        {"app notify", [&] { return pHints->HintAppNotify(&a); }, {"OnGridAppNotify"}},
        {"hide rows", [&] { return pHints->HintHideRows(&a, 3, 4, states, 0); }, {"UpdateHideRows"}},
        {"hide cols", [&] { return pHints->HintHideCols(&a, 3, 4, states, 0); }, {"UpdateHideCols"}},
        {"redraw range", [&] { return pHints->HintRedrawRange(&a, range, 0); }, {"RedrawRange"}},
        {"base styles", [&] { return pHints->HintRefreshBaseStyles(&a, 0); }, {"RefreshBaseStyles"}},
        {"redraw grid", [&] { return pHints->HintRedrawGrid(&a, 0); }, {"RedrawGrid"}},
        {"base style", [&] { return pHints->HintBaseStyleChange(&a, 1, 0); }, {"RefreshAfterBaseStyleChange"}},
        {"covered", [&] { return pHints->HintCoveredCells(&a, 2, 2, 3, 3, 0); }, {"UpdateCoveredCellsRowCol"}},
        {"rows sorted", [&] { return pHints->HintRowsSorted(&a, range, 0); }, {"OnRowsSorted"}},
        {"cols sorted", [&] { return pHints->HintColsSorted(&a, range, 0); }, {"OnColsSorted"}},
        {"remove rows", [&] { return pHints->HintRemoveRows(&a, 5, 6, heights, 0); }, {"UpdateRemoveRows"}},
        {"remove cols", [&] { return pHints->HintRemoveCols(&a, 5, 6, heights, 0); }, {"UpdateRemoveCols"}},
        {"move rows", [&] { return pHints->HintMoveRows(&a, 2, 3, 6, 0); }, {"UpdateMoveRows"}},
        {"move cols", [&] { return pHints->HintMoveCols(&a, 2, 3, 6, 0); }, {"UpdateMoveCols"}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszSender);
        EXPECT_TRUE(c.send());
        std::vector<std::string> calls = b.Take();
        // The replayed operation comes first; what it does in turn may follow, never hinting.
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls.front(), c.replayed.front());
        for (const std::string& call : calls)
            EXPECT_EQ(call.find("+hint"), std::string::npos) << call;
        EXPECT_TRUE(a.Take().empty()) << "the sender hears nothing of its own hint";
    }
}

TEST_F(UpdateHintTest, CoreOperationsSendTheirKindsOnlyWhileTheSwitchIsOn)
{
    HintView& a = AddView(&Parent(), 1);
    HintView& b = AddView(&Parent(), 2);
    ASSERT_TRUE(a.HideRows(5, 6, TRUE));
    std::vector<std::string> calls = b.Take();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front(), "UpdateHideRows");
    EXPECT_TRUE(b.IsRowHidden(6)) << "the views share the parameter object";

    ASSERT_TRUE(a.InsertRows(3, 2));
    calls = b.Take();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "UpdateInsertRows"), calls.end());
    EXPECT_EQ(b.m_nLastFirst, 3u);

    a.SetCurrentCell(4, 2, GX_MOVECELL);
    calls = b.Take();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "SetCurrentCell"), calls.end());
    ROWCOL nRow = 0, nCol = 0;
    ASSERT_TRUE(b.GetCurrentCell(&nRow, &nCol));
    EXPECT_EQ(std::make_pair(nRow, nCol), std::make_pair(ROWCOL(4), ROWCOL(2)));

    // GX_NOHINTS keeps the move to this view; the switch off keeps every change here.
    a.SetCurrentCell(5, 2, GX_NOHINTS);
    EXPECT_TRUE(b.Take().empty());
    a.m_bHintsEnabled = FALSE;
    a.RedrawGrid(GX_INVALIDATE, TRUE);
    EXPECT_TRUE(b.Take().empty());
}

TEST_F(UpdateHintTest, AnotherViewIdentityAnUnknownKindOrNoFeatureChangesNothing)
{
    HintView& a = AddView(&Parent(), 1);
    HintView& b = AddView(&Parent(), 2);
    a.SetViewId(7);
    a.RedrawGrid(GX_INVALIDATE, TRUE);
    EXPECT_TRUE(b.Take().empty());
    b.SetViewId(7);
    a.RedrawGrid(GX_INVALIDATE, TRUE);
    EXPECT_EQ(b.Take(), std::vector<std::string>{"RedrawGrid"});

    for (DWORD nKind : {0u, 37u, 1000u})
    {
        CGXGridHint hint(nKind, CGXGridHint::allViews);
        b.OnGridUpdate(&a, 0, &hint);
        EXPECT_TRUE(b.Take().empty()) << nKind;
    }
    CByteArray notAHint;
    b.OnGridUpdate(&a, 0, &notAHint);
    b.OnGridUpdate(&a, 0, nullptr);
    EXPECT_TRUE(b.Take().empty());

    // Without the feature a view neither sends nor replays.
    delete b.Hints();
    b.m_pUpdateHintImp = nullptr;
    a.RedrawGrid(GX_INVALIDATE, TRUE);
    EXPECT_TRUE(b.Take().empty());
    a.Take();
    b.RedrawGrid(GX_INVALIDATE, TRUE);
    EXPECT_EQ(a.Take(), std::vector<std::string>{});
}

TEST_F(UpdateHintTest, TheQueryAnswersTrueAloneAndFalseWithARefusingView)
{
    HintView& a = AddView(&Parent(), 1);
    EXPECT_TRUE(a.Hints()->HintTransferCurrentCell(&a, TRUE, GX_UPDATENOW));
    HintView& b = AddView(&Parent(), 2);
    EXPECT_TRUE(a.Hints()->HintTransferCurrentCell(&a, TRUE, GX_UPDATENOW));
    EXPECT_EQ(b.Take(), std::vector<std::string>{"TransferCurrentCell"});
    b.m_bRefuseTransfer = TRUE;
    EXPECT_FALSE(a.Hints()->HintTransferCurrentCell(&a, TRUE, GX_UPDATENOW));
    // The core's own transfer ANDs the answer in.
    a.SetCurrentCell(3, 3, GX_MOVECELL);
    EXPECT_FALSE(a.TransferCurrentCell(TRUE, GX_UPDATENOW, TRUE));
    EXPECT_TRUE(a.TransferCurrentCell(TRUE, GX_UPDATENOW, FALSE));
}

TEST_F(UpdateHintTest, TopRowsFollowOnlyInTheSplitterRowAndLeftColumnsOnlyInTheColumn)
{
    MakeSplitter();
    HintView& topLeft = Pane(0, 0);
    int nRow = -1, nCol = -1;
    EXPECT_EQ(Pane(1, 0).GetSplitterParent(&nRow, &nCol), &m_splitter);
    EXPECT_EQ(std::make_pair(nRow, nCol), std::make_pair(1, 0));

    topLeft.SetTopRow(12, 0, TRUE);
    EXPECT_EQ(Pane(0, 1).GetTopRow(), 12u);
    EXPECT_EQ(Pane(1, 0).GetTopRow(), 1u);
    EXPECT_EQ(Pane(1, 1).GetTopRow(), 1u);

    topLeft.SetLeftCol(4, 0, TRUE);
    EXPECT_EQ(Pane(1, 0).GetLeftCol(), 4u);
    EXPECT_EQ(Pane(0, 1).GetLeftCol(), 1u);
    EXPECT_EQ(Pane(1, 1).GetLeftCol(), 1u);

    // Scrolling tells the pane beside of the new top row.
    ASSERT_TRUE(Pane(1, 1).ScrollAndHint(3, 2));
    EXPECT_EQ(Pane(1, 0).GetTopRow(), 3u);
    EXPECT_EQ(Pane(0, 1).GetTopRow(), 12u);

    // Outside a splitter the top row stays a view's own.
    HintView& loose = AddView(&Parent(), 1);
    EXPECT_FALSE(loose.Hints()->HintTopRow(&loose, 9, 0));
    loose.SetTopRow(9, 0, TRUE);
    EXPECT_EQ(topLeft.GetTopRow(), 12u);
}

TEST_F(UpdateHintTest, ZoomFollowsOnlyWithinTheSplitterOrInFloatMode)
{
    MakeSplitter();
    HintView& loose = AddView(&Parent(), 1);
    Pane(0, 0).Take();
    Pane(1, 1).SetZoom(150, 0);
    EXPECT_EQ(Pane(0, 0).GetZoom(), 150);
    EXPECT_EQ(loose.GetZoom(), 100);

    loose.SetZoom(80, 0);
    EXPECT_EQ(Pane(0, 0).GetZoom(), 150);
    loose.GetParam()->m_wFloatCellsMode = 1;
    loose.SetZoom(80, 0);
    EXPECT_EQ(Pane(0, 0).GetZoom(), 80);
}

TEST_F(UpdateHintTest, APaneWithoutHeadersReadsItsHeaderRowsAndColumnsHidden)
{
    MakeSplitter();
    HintView& pane = Pane(1, 1);
    HintView& loose = AddView(&Parent(), 1);
    pane.m_bShowHeadersInPane = FALSE;
    loose.m_bShowHeadersInPane = FALSE;
    EXPECT_TRUE(pane.IsRowHidden(0));
    EXPECT_TRUE(pane.IsColHidden(0));
    EXPECT_FALSE(pane.IsRowHidden(1));
    EXPECT_FALSE(loose.IsRowHidden(0)) << "only a pane hides them";
    EXPECT_FALSE(Pane(0, 0).IsRowHidden(0));
}
// Kinds 23, 13, 30 and 14 have no core operation of their own: the other view's selection and frame
// features redraw what the hint carries, without hinting back; 14 updates the window.
TEST_F(UpdateHintTest, SelectionRangeFrameAndWindowKindsReachTheOtherViewsFeatures)
{
    HintView& a = AddView(&Parent(), 1);
    HintView& b = AddView(&Parent(), 2);
    std::vector<std::string> log;
    delete b.m_pUserSelectRangeImp;
    b.m_pUserSelectRangeImp = new RecordingSelection(log);
    delete b.m_pExcelLikeFrameImp;
    b.m_pExcelLikeFrameImp = new RecordingFrame(log);

    // 23: the list before the change travels with the hint.
    ASSERT_TRUE(a.SelectRange(CGXRange(2, 2, 3, 3), TRUE, TRUE));
    ASSERT_TRUE(a.SelectRange(CGXRange(6, 1, 6, 4), TRUE, TRUE));
    EXPECT_EQ(log, (std::vector<std::string>{"selection changes from 0", "selection changes from 1"}));
    EXPECT_EQ(b.m_kinds, (std::vector<DWORD>{23, 23}));

    // 13: the edited range's new corners.
    log.clear();
    b.m_kinds.clear();
    CGXAbstractGridUserSelectRangeImp* pSelection = a.m_pUserSelectRangeImp;
    pSelection->RedrawRangeChange(&a, a.GetParam()->m_SelRects.GetTailPosition(), 6, 1, 8, 5, TRUE);
    EXPECT_EQ(log, std::vector<std::string>{"range change 6,1-8,5"});
    EXPECT_EQ(b.m_kinds, std::vector<DWORD>{13});

    // 30: only a change of the frame's state is told, and only while the frame is on.
    log.clear();
    b.m_kinds.clear();
    CGXAbstractGridExcelLikeFrameImp* pFrame = a.m_pExcelLikeFrameImp;
    pFrame->OnSelectionFrameChanged(&a, FALSE, TRUE);
    EXPECT_TRUE(b.m_kinds.empty()) << "the frame is off";
    a.GetParam()->m_anCoreSettings[3] = 1;
    pFrame->OnSelectionFrameChanged(&a, FALSE, TRUE);
    pFrame->OnSelectionFrameChanged(&a, TRUE, TRUE);
    pFrame->OnSelectionFrameChanged(&a, TRUE, TRUE);
    EXPECT_EQ(b.m_kinds, std::vector<DWORD>(log.size(), 30));
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), "frame shown");

    // 14.
    b.m_kinds.clear();
    a.OnHintUpdate();
    EXPECT_EQ(b.m_kinds, std::vector<DWORD>{14});
    EXPECT_EQ(std::count(a.m_kinds.begin(), a.m_kinds.end(), 14), 0) << "the sender hears nothing of its own hint";
}

// A grid view's window does not pass its destruction on to the grid core: the grid itself lets go
// of the message-only tip relay, which would otherwise call the deleted grid.
TEST_F(UpdateHintTest, ViewsAndTheirDocumentComeAndGoInEitherOrder)
{
    for (int nRound = 0; nRound < 6; ++nRound)
    {
        SCOPED_TRACE(nRound);
        auto* pDocument = new HintDocument;
        pDocument->m_bAutoDelete = FALSE;
        std::vector<HWND> views;
        std::vector<HWND> relays;
        for (UINT nId = 1; nId <= 2; ++nId)
        {
            CCreateContext context;
            context.m_pCurrentDoc = pDocument;
            auto* pView = new HintView;
            ASSERT_TRUE(pView->Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 300, 200), &Parent(), nId, &context));
            pView->OnInitialUpdate();
            pView->HideRows(3, 4, TRUE);
            pView->SetCurrentCell(2, 2, GX_MOVECELL);
            views.push_back(pView->m_hWnd);
            ASSERT_NE(pView->m_pCellTipRelay, nullptr);
            relays.push_back(pView->m_pCellTipRelay->m_hWnd);
        }
        // Every second round the document and the parameter object it owns go first.
        const BOOL bDocumentFirst = nRound % 2 != 0;
        if (bDocumentFirst)
            delete pDocument;
        for (HWND hView : views)
            ASSERT_TRUE(::DestroyWindow(hView));
        if (!bDocumentFirst)
            delete pDocument;
        for (HWND hRelay : relays)
            EXPECT_FALSE(::IsWindow(hRelay));
    }
}
} // namespace
