#include "GridTestSupport.h"

#include <grid/core/AppData.h>
#include <grid/core/Command.h>
#include <grid/core/CoveredCellPool.h>
#include <grid/core/DelayedRangePool.h>
#include <grid/core/Font.h>
#include <grid/core/SpanCellPool.h>
#include <grid/core/DrawStruct.h>
#include <grid/core/GridParam.h>
#include <grid/core/Properties.h>
#include <grid/core/Style.h>
#include <grid/core/StylesMap.h>
#include <testing/MemoryCanvas.h>

#include <gtest/gtest.h>

namespace
{
constexpr COLORREF rgbWhite = RGB(255, 255, 255);
constexpr COLORREF rgbBlack = RGB(0, 0, 0);
constexpr COLORREF rgbLines = RGB(200, 0, 0);
constexpr COLORREF rgbGreen = RGB(0, 150, 0);
constexpr int nColWidth = 30;
constexpr int nRowHeight = 12;
constexpr WORD idCounting = 30001;

// Fills its rectangle with the style's interior and counts where it was asked to draw.
class CountingControl : public CGXControl
{
public:
    using CGXControl::CGXControl;
    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, const CGXStyle*) override
    {
        m_draws.push_back({nRow, nCol, rect});
        pDC->FillSolidRect(rect, style.GetInterior().GetColor());
    }
    void SetActive(BOOL bActive) override
    {
        m_bActive = bActive;
    }
    BOOL IsActive() override
    {
        return m_bActive;
    }
    BOOL m_bActive = FALSE;
    struct Drawn
    {
        ROWCOL nRow;
        ROWCOL nCol;
        CRect rect;
    };
    std::vector<Drawn> m_draws;
};

// Keeps the flags of the last drawing pass.
class SpanGrid : public TestGrid
{
public:
    void DrawSelectionMarks(DrawStruct& ds) override
    {
        m_rows = ds.anRows;
        m_cols = ds.anCols;
        m_flags = ds.anFlags;
        m_nCols = ds.nColCount;
        TestGrid::DrawSelectionMarks(ds);
    }
    WORD FlagsOf(ROWCOL nRow, ROWCOL nCol) const
    {
        for (size_t i = 0; i + 1 < m_rows.size(); ++i)
            for (size_t j = 0; j + 1 < m_cols.size(); ++j)
                if (m_rows[i] == nRow && m_cols[j] == nCol)
                    return m_flags[i * m_nCols + j];
        return 0xFFFF;
    }
    std::vector<ROWCOL> m_rows;
    std::vector<ROWCOL> m_cols;
    std::vector<WORD> m_flags;
    ROWCOL m_nCols = 0;
};

class GridSpansTest : public HiddenGridOfTest<SpanGrid>
{
protected:
    void SetUp() override
    {
        HiddenGridOfTest::SetUp();
        m_grid.SetColWidth(0, 5, nColWidth);
        m_grid.SetRowHeight(0, 20, nRowHeight);
        m_pControl = new CountingControl(&m_grid);
        m_grid.RegisterControl(idCounting, m_pControl, FALSE, FALSE);
        CGXStyle counting;
        counting.SetControl(idCounting).SetInteriorColor(rgbWhite);
        CGXStylesMap& styles = *m_grid.GetStylesMap();
        for (WORD id : {styles.m_wStyleStandard, styles.m_wStyleRowHeader, styles.m_wStyleColHeader})
            m_grid.ChangeBaseStyle(id, counting, 0);
        CDWordArray& colors = m_grid.GetProperties()->GetColorArray();
        colors[CGXProperties::colorGridLines] = rgbLines;
        colors[CGXProperties::colorFixedLines] = rgbLines;
    }
    CGXRange Covering(ROWCOL nRow, ROWCOL nCol)
    {
        CGXRange range(nRow, nCol);
        return m_grid.GetCoveredCellsRowCol(nRow, nCol, range) != nullptr ? range : CGXRange();
    }
    static CPoint Cell(ROWCOL nRow, ROWCOL nCol)
    {
        return CPoint(static_cast<int>(nCol) * nColWidth, static_cast<int>(nRow) * nRowHeight);
    }
    int DrawsOf(ROWCOL nRow, ROWCOL nCol) const
    {
        int nDraws = 0;
        for (const CountingControl::Drawn& drawn : m_pControl->m_draws)
            nDraws += drawn.nRow == nRow && drawn.nCol == nCol;
        return nDraws;
    }
    void Paint(MemoryCanvas& canvas)
    {
        m_pControl->m_draws.clear();
        m_grid.DrawGrid(&canvas.Dc());
    }

    CountingControl* m_pControl = nullptr;
};

void ExpectRange(const CGXRange& range, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight)
{
    EXPECT_TRUE(range.IsValid());
    EXPECT_EQ(range.top, nTop);
    EXPECT_EQ(range.left, nLeft);
    EXPECT_EQ(range.bottom, nBottom);
    EXPECT_EQ(range.right, nRight);
}
} // namespace

TEST_F(GridSpansTest, CoveringsAreStoredShrunkAndRemoved)
{
    ASSERT_TRUE(m_grid.SetCoveredCellsRowCol(2, 2, 4, 4));
    ExpectRange(Covering(3, 4), 2, 2, 4, 4);
    EXPECT_FALSE(Covering(5, 2).IsValid());
    EXPECT_FALSE(Covering(100000, 1).IsValid()) << "beyond the pool";
    EXPECT_FALSE(Covering(2, 100000).IsValid());

    // Shrinking frees what the old extent held, in rows and columns.
    ASSERT_TRUE(m_grid.SetCoveredCellsRowCol(2, 2, 3, 3));
    EXPECT_FALSE(Covering(2, 4).IsValid());
    EXPECT_FALSE(Covering(4, 2).IsValid());
    ExpectRange(Covering(3, 3), 2, 2, 3, 3);
    EXPECT_FALSE(m_grid.SetCoveredCellsRowCol(2, 2, 3, 3)) << "unchanged";

    // A one-cell call removes the covering that starts there, and only that.
    EXPECT_FALSE(m_grid.SetCoveredCellsRowCol(3, 3, 3, 3));
    ASSERT_TRUE(m_grid.SetCoveredCellsRowCol(2, 2, 2, 2));
    EXPECT_FALSE(Covering(3, 3).IsValid());
    EXPECT_TRUE(m_grid.GetParam()->m_CoveredCellsList.IsEmpty());
}

TEST_F(GridSpansTest, BadCoveringsAreRefusedAndKeepWhatWasThere)
{
    ASSERT_TRUE(m_grid.SetCoveredCellsRowCol(5, 2, 7, 3));
    struct Case
    {
        ROWCOL nRow, nCol, nToRow, nToCol;
        const char* what;
    };
    const Case cases[] = {
        {4, 1, 8, 4, "encloses another"},
        {6, 1, 6, 2, "crosses another at its left column"},
        {4, 3, 5, 4, "crosses another right of its left column"},
        {6, 3, 8, 4, "starts inside another"},
        {9, 3, 8, 4, "reversed"},
        {1, 1, 0x7FFFFFFF, 2, "beyond the largest row"},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(m_grid.SetCoveredCellsRowCol(c.nRow, c.nCol, c.nToRow, c.nToCol)) << c.what;
    EXPECT_EQ(m_grid.GetParam()->m_CoveredCellsList.GetCount(), 1);
    ExpectRange(Covering(7, 3), 5, 2, 7, 3);
    EXPECT_FALSE(Covering(4, 1).IsValid());

    // A read-only grid refuses while the parameter object locks it.
    m_grid.GetParam()->m_bReadOnly = TRUE;
    EXPECT_FALSE(m_grid.SetCoveredCellsRowCol(10, 1, 11, 2));
    m_grid.GetParam()->m_bLockReadOnly = FALSE;
    EXPECT_TRUE(m_grid.SetCoveredCellsRowCol(10, 1, 11, 2));
}

TEST_F(GridSpansTest, TheCurrentCellMovesToTheTopLeftOfANewCovering)
{
    ASSERT_TRUE(m_grid.SetCurrentCell(3, 3));
    ASSERT_TRUE(m_grid.SetCoveredCellsRowCol(2, 2, 4, 4));
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    ASSERT_TRUE(m_grid.GetCurrentCell(&nRow, &nCol));
    EXPECT_EQ(nRow, 2u);
    EXPECT_EQ(nCol, 2u);
}

TEST_F(GridSpansTest, MergeCoveredCellsFollowsAGrowingRange)
{
    ASSERT_TRUE(m_grid.SetCoveredCellsRowCol(2, 2, 3, 3));
    ASSERT_TRUE(m_grid.SetCoveredCellsRowCol(3, 4, 6, 4));
    ASSERT_TRUE(m_grid.SetCoveredCellsRowCol(6, 1, 7, 2));
    // (2,2) pulls in (3,4)-(6,4) only through the first covering; that one reaches (6,1).
    CGXRange range(2, 3, 3, 4);
    m_grid.ExpandRangeByCoveredCells(range);
    ExpectRange(range, 2, 1, 7, 4);
    // The same when the list is walked (a range with more cells than there are coverings).
    CGXRange wide(2, 2, 2, 5);
    m_grid.ExpandRangeByCoveredCells(wide);
    ExpectRange(wide, 2, 1, 7, 5);
}

TEST_F(GridSpansTest, RemovingRowsAdjustsTheCoveringsFirst)
{
    ASSERT_TRUE(m_grid.SetCoveredCellsRowCol(2, 1, 5, 2));   // reaches into the removed rows
    ASSERT_TRUE(m_grid.SetCoveredCellsRowCol(6, 1, 7, 2));   // starts inside them
    ASSERT_TRUE(m_grid.SetCoveredCellsRowCol(3, 4, 12, 5));  // encloses them
    ASSERT_TRUE(m_grid.SetCoveredCellsRowCol(10, 1, 11, 1)); // below them
    UINT flags = 4;
    ASSERT_TRUE(m_grid.m_pCoveredCellsImp->AdjustCoveredCellsOnRemoveRows(&m_grid, 5, 7, flags, FALSE));
    EXPECT_EQ(flags, 1u);
    ExpectRange(Covering(2, 1), 2, 1, 4, 2);
    EXPECT_FALSE(Covering(6, 1).IsValid());
    ExpectRange(Covering(3, 4), 3, 4, 12, 5);
    UINT skipped = 4;
    EXPECT_FALSE(m_grid.m_pCoveredCellsImp->AdjustCoveredCellsOnRemoveRows(&m_grid, 1, 20, skipped, TRUE));
    EXPECT_EQ(skipped, 4u);

    // Through the core: the enclosing covering shrinks with the rows, the one below moves up.
    ASSERT_TRUE(m_grid.RemoveRows(5, 7));
    ExpectRange(Covering(3, 4), 3, 4, 9, 5);
    ExpectRange(Covering(8, 1), 7, 1, 8, 1);
    EXPECT_FALSE(Covering(10, 1).IsValid()) << "the covered pool was rebuilt";
    ASSERT_TRUE(m_grid.InsertRows(2, 2));
    ExpectRange(Covering(4, 1), 4, 1, 6, 2);
    ExpectRange(Covering(11, 5), 5, 4, 11, 5);
    ASSERT_TRUE(m_grid.RemoveCols(2, 2));
    ExpectRange(Covering(5, 1), 4, 1, 6, 1);
}

TEST_F(GridSpansTest, CoveringChangesMakeUndoCommandsOfTheirKind)
{
    auto* pFactory = new RecordingCommandFactory;
    delete m_grid.m_pCommandFactory;
    m_grid.m_pCommandFactory = pFactory;
    ASSERT_TRUE(m_grid.SetCoveredCellsRowCol(2, 2, 3, 3, GX_INVALIDATE, 0));
    ASSERT_TRUE(m_grid.SetCoveredCellsRowCol(2, 2, 4, 4, GX_INVALIDATE, 1)); // kind 1: no undo
    ASSERT_TRUE(m_grid.SetCoveredCellsRowCol(2, 2, 2, 2, GX_INVALIDATE, 2));
    ASSERT_EQ(pFactory->m_commands.size(), 2u);
    EXPECT_EQ(pFactory->m_modes[0], 0);
    EXPECT_EQ(pFactory->m_modes[1], 2);
    // Each holds the cell and the extent before the change.
    ExpectRange(static_cast<RecordedCommand*>(pFactory->m_commands[0])->m_range, 2, 2, 2, 2);
    ExpectRange(static_cast<RecordedCommand*>(pFactory->m_commands[1])->m_range, 2, 2, 4, 4);
    EXPECT_EQ(pFactory->m_nShown, 1) << "kind 2 shows the cell";
}

TEST_F(GridSpansTest, UndoAndRedoPutACoveringBackThroughItsCommand)
{
    ASSERT_TRUE(m_grid.SetCoveredCellsRowCol(2, 2, 3, 3, GX_INVALIDATE, 0));
    auto* pCommand = DYNAMIC_DOWNCAST(CGXSetCoveredCellsCmd, m_grid.GetParam()->GetUndoList()->GetHead());
    ASSERT_NE(pCommand, nullptr);
    ExpectRange(CGXRange(pCommand->m_nTop, pCommand->m_nLeft, pCommand->m_nBottom, pCommand->m_nRight), 2, 2, 2, 2);
    ASSERT_TRUE(m_grid.SetCoveredCellsRowCol(2, 2, 4, 4, GX_INVALIDATE, 1)); // kind 1: no undo
    ASSERT_TRUE(m_grid.Undo());
    EXPECT_FALSE(Covering(3, 3).IsValid());
    ASSERT_TRUE(m_grid.Redo());
    ExpectRange(Covering(3, 3), 2, 2, 4, 4);
}

TEST_F(GridSpansTest, ACoveredBlockIsDrawnOnceOverItsSpan)
{
    CGXStyle green;
    green.SetInteriorColor(rgbGreen);
    m_grid.SetStyleRangeShort(CGXRange(2, 2), green);
    ASSERT_TRUE(m_grid.SetCoveredCellsRowCol(2, 2, 3, 4));
    for (BOOL bRightBottom : {FALSE, TRUE})
    {
        m_grid.GetParam()->SetLinesRightBottom(bRightBottom);
        MemoryCanvas canvas(300, 300, rgbBlack);
        Paint(canvas);
        ASSERT_EQ(DrawsOf(2, 2), 1);
        const CRect span(Cell(2, 2), Cell(4, 5));
        for (const CountingControl::Drawn& drawn : m_pControl->m_draws)
        {
            if (drawn.nRow == 2 && drawn.nCol == 2)
            {
                EXPECT_EQ(drawn.rect, span);
            }
        }
        for (ROWCOL nRow = 2; nRow <= 3; ++nRow)
            for (ROWCOL nCol = 2; nCol <= 4; ++nCol)
                EXPECT_EQ(DrawsOf(nRow, nCol), nRow == 2 && nCol == 2 ? 1 : 0);

        // The background over the whole span, no inner grid lines, the outer ones drawn.
        const CPoint inner = Cell(3, 3);
        EXPECT_EQ(canvas.Pixel(inner.x, inner.y + 5), rgbGreen);
        EXPECT_EQ(canvas.Pixel(inner.x + 5, inner.y), rgbGreen);
        EXPECT_EQ(canvas.Pixel(inner.x - 1, inner.y - 1), rgbGreen);
        if (bRightBottom)
        {
            EXPECT_EQ(canvas.Pixel(span.right - 1, span.top + 5), rgbLines);
            EXPECT_EQ(canvas.Pixel(span.left + 5, span.bottom - 1), rgbLines);
        }
        else
        {
            EXPECT_EQ(canvas.Pixel(span.left, span.top + 5), rgbLines);
            EXPECT_EQ(canvas.Pixel(span.left + 5, span.top), rgbLines);
        }
        // The flags: 0xC0 on the anchor, with 0x100 on the others.
        EXPECT_EQ(m_grid.FlagsOf(2, 2) & 0x1C0, 0xC0);
        EXPECT_EQ(m_grid.FlagsOf(3, 4) & 0x1C0, 0x1C0);
        EXPECT_EQ(m_grid.FlagsOf(4, 4) & 0x1C0, 0);
    }
}

TEST_F(GridSpansTest, ASpanAcrossTheFrozenRowsAndColumnsIsDrawnOnce)
{
    m_grid.SetFrozenRows(2, 0);
    m_grid.SetFrozenCols(2, 0);
    ASSERT_TRUE(m_grid.SetCoveredCellsRowCol(1, 1, 4, 4));
    MemoryCanvas canvas(300, 300, rgbBlack);
    Paint(canvas);
    // One draw per pane piece, each laid out over the whole span; the span shows unbroken.
    const CRect span(Cell(1, 1), Cell(5, 5));
    for (const CountingControl::Drawn& drawn : m_pControl->m_draws)
    {
        if (drawn.nRow == 1 && drawn.nCol == 1)
        {
            EXPECT_EQ(drawn.rect, span);
        }
    }
    EXPECT_EQ(DrawsOf(3, 3), 0);
    EXPECT_EQ(m_grid.FlagsOf(2, 2) & (GX_DS_VERT_DIVIDER | GX_DS_HORZ_DIVIDER), 0) << "no divider inside";
}

namespace
{
constexpr int mergeAcross = 0x1;
constexpr int mergeDown = 0x2;
constexpr int mergeValues = 0x4;

// Hides the rows it is told.
class HidingGrid : public TestGrid
{
public:
    BOOL IsRowHidden(ROWCOL nRow) override
    {
        return m_hidden.count(nRow) != 0;
    }
    std::set<ROWCOL> m_hidden;
};

class GridMergeTest : public HiddenGridOfTest<HidingGrid>
{
protected:
    void Values(ROWCOL nRow, ROWCOL nCol, std::initializer_list<LPCTSTR> values, int nMerge, BOOL bAcross = TRUE)
    {
        CGXStyle style;
        style.SetMergeCell(nMerge);
        for (LPCTSTR pszValue : values)
        {
            style.SetValue(pszValue);
            m_grid.SetStyleRangeShort(CGXRange(nRow, nCol), style);
            (bAcross ? nCol : nRow)++;
        }
    }
    CGXRange Merged(ROWCOL nRow, ROWCOL nCol, int nDirection = -1)
    {
        CGXRange range;
        return m_grid.GetMergedCellsRowCol(nRow, nCol, range, nDirection) != nullptr ? range : CGXRange();
    }
    BOOL Eval(ROWCOL nTop, ROWCOL nBottom)
    {
        return m_grid.QueryDelayedMergeCells(nTop, 0, nBottom, m_grid.GetColCount());
    }
};
} // namespace

TEST_F(GridMergeTest, EqualValuesMergeAcrossAndDownThroughTheContinuation)
{
    Values(2, 1, {L"A", L"A", L"A", L"B"}, mergeAcross | mergeValues);
    Values(5, 2, {L"x", L"x", L"x"}, mergeDown | mergeValues, FALSE);
    m_grid.SetMergeCellsMode(1);
    EXPECT_TRUE(Eval(1, 10));
    EXPECT_FALSE(Eval(1, 10)) << "evaluated once";
    ExpectRange(Merged(2, 2), 2, 1, 2, 3);
    EXPECT_FALSE(Merged(2, 4).IsValid());
    ExpectRange(Merged(6, 2), 5, 2, 7, 2);
    EXPECT_FALSE(Merged(6, 2, 0).IsValid()) << "no span across";

    // Evaluating the right cell alone still finds the whole run through the continuation.
    m_grid.SetMergeCellsMode(0);
    m_grid.SetMergeCellsMode(2);
    ExpectRange(Merged(2, 1), 2, 1, 2, 3); // mode 2 evaluates at once
    EXPECT_FALSE(Eval(1, 10)) << "nothing is delayed in mode 2";

    // A covered cell never merges.
    m_grid.SetMergeCellsMode(0);
    ASSERT_TRUE(m_grid.SetCoveredCellsRowCol(2, 2, 3, 2));
    m_grid.SetMergeCellsMode(1);
    Eval(1, 10);
    EXPECT_FALSE(Merged(2, 1).IsValid());
    EXPECT_FALSE(Merged(2, 3).IsValid());
}

TEST_F(GridMergeTest, ModeBitsStopDirectionsAndRecreateThePools)
{
    Values(2, 1, {L"A", L"A"}, mergeAcross | mergeDown | mergeValues);
    Values(3, 1, {L"A", L"A"}, mergeAcross | mergeDown | mergeValues);
    m_grid.SetMergeCellsMode(1 | 8);
    Eval(1, 10);
    EXPECT_FALSE(Merged(2, 1, 0).IsValid()) << "bit 8: none across";
    ExpectRange(Merged(2, 1, 1), 2, 1, 3, 1);
    m_grid.SetMergeCellsMode(1 | 4);
    Eval(1, 10);
    EXPECT_FALSE(Merged(2, 1, 1).IsValid()) << "bit 4: none down";
    ExpectRange(Merged(2, 1, 0), 2, 1, 2, 2);

    // Only bit 16 changes: new pools, the whole table delayed again.
    CGXGridParam* pParam = m_grid.GetParam();
    m_grid.SetMergeCellsMode(1 | 4 | 16);
    EXPECT_FALSE(Merged(2, 1).IsValid());
    EXPECT_TRUE(Eval(1, 10));

    // 3 in bits 0-1 is refused.
    m_grid.SetMergeCellsMode(3);
    EXPECT_EQ(pParam->m_wMergeCellsMode, 1 | 4 | 16);
}

TEST_F(GridMergeTest, WithBit16HiddenRowsTakePartAndTheContinuationEnds)
{
    Values(2, 1, {L"x", L"x", L"y", L"x"}, mergeDown | mergeValues, FALSE);
    m_grid.m_hidden = {4};
    m_grid.SetMergeCellsMode(1);
    Eval(1, 10);
    // Without bit 16 the hidden row is compared like any other: "y" ends the span.
    ExpectRange(Merged(2, 1), 2, 1, 3, 1);
    EXPECT_FALSE(Merged(5, 1).IsValid());
    // With it the hidden row takes part: the span reaches over it.
    m_grid.SetMergeCellsMode(1 | 16);
    Eval(1, 10);
    ExpectRange(Merged(5, 1), 2, 1, 5, 1);

    // A span that starts at a hidden row: walking up from it meets the hidden row as the
    // second cell of a pair, which reports a change without storing. The walk ends.
    m_grid.SetMergeCellsMode(0);
    Values(2, 2, {L"x", L"x", L"y"}, mergeDown | mergeValues, FALSE);
    m_grid.m_hidden = {2};
    m_grid.SetMergeCellsMode(1 | 16);
    Eval(1, 10);
    ExpectRange(Merged(3, 2), 2, 2, 3, 2);
    Values(4, 2, {L"x"}, mergeDown | mergeValues, FALSE);
    m_grid.DelayMergeCells(CGXRange(4, 2));
    EXPECT_TRUE(Eval(4, 4));
    ExpectRange(Merged(4, 2), 2, 2, 4, 2);
}

namespace
{
constexpr WORD idMeasuring = 30002;

// Measures its text at 10 pixels a character and floats as the grid's default says.
class MeasuringControl : public CGXControl
{
public:
    using CGXControl::CGXControl;
    CSize GetPreferredSize(CDC*, ROWCOL, ROWCOL, const CGXStyle& style, int) override
    {
        return CSize(style.GetValue().GetLength() * 10, 12);
    }
    BOOL CanFloatCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, BOOL bFloatOrFlood) override
    {
        return m_pGrid->CanFloatCellRowCol(nRow, nCol, style, bFloatOrFlood, FALSE);
    }
};

// Columns of 30 pixels; every cell measured by the test control.
class GridFloatTest : public HiddenGridOfTest<TestGrid>
{
protected:
    void SetUp() override
    {
        HiddenGridOfTest::SetUp();
        m_grid.SetColCount(8);
        m_grid.SetColWidth(0, 8, nColWidth);
        m_grid.RegisterControl(idMeasuring, new MeasuringControl(&m_grid), FALSE, FALSE);
        CGXStyle measuring;
        measuring.SetControl(idMeasuring).SetFloatCell(TRUE).SetFloodCell(TRUE);
        m_grid.ChangeBaseStyle(m_grid.GetStylesMap()->m_wStyleStandard, measuring, 0);
    }
    void Text(ROWCOL nRow, ROWCOL nCol, LPCTSTR pszText)
    {
        m_grid.SetValueRange(CGXRange(nRow, nCol), pszText);
    }
    // The last column the cell's text floats over (the cell itself when it does not float).
    ROWCOL FloatEnd(ROWCOL nRow, ROWCOL nCol)
    {
        m_grid.QueryDelayedFloatCells(1, 1, m_grid.GetRowCount(), m_grid.GetColCount());
        CGXRange range;
        return m_grid.GetFloatedCellsRowCol(nRow, nCol, range) != nullptr ? range.right : nCol;
    }
};
} // namespace

TEST_F(GridFloatTest, LongTextFloatsOverEmptyFloodCellsAsFarAsItNeeds)
{
    Text(2, 1, L"0123456789"); // 100 pixels: four columns of 30
    Text(3, 1, L"0123456789");
    Text(3, 3, L"x");
    Text(4, 1, L"0123456789");
    CGXStyle noFlood;
    noFlood.SetFloodCell(FALSE);
    m_grid.SetStyleRangeShort(CGXRange(4, 3), noFlood);
    Text(5, 6, L"0123456789"); // runs into the end of the table
    Text(6, 1, L"0123456789");
    ASSERT_TRUE(m_grid.SetCoveredCellsRowCol(6, 3, 7, 3));
    Text(8, 2, L"0123456789");
    CGXStyle rotated;
    rotated.SetFont(CGXFont().SetOrientation(900));
    m_grid.SetStyleRangeShort(CGXRange(8, 2), rotated);
    m_grid.SetFloatCellsMode(1);

    EXPECT_EQ(FloatEnd(2, 1), 4u);
    EXPECT_EQ(FloatEnd(2, 3), 4u) << "a flooded cell belongs to the span";
    EXPECT_EQ(FloatEnd(3, 1), 2u) << "stops at a cell with text";
    EXPECT_EQ(FloatEnd(4, 1), 2u) << "stops at a cell that may not be flooded";
    EXPECT_EQ(FloatEnd(5, 6), 8u) << "stops at the end of the table";
    EXPECT_EQ(FloatEnd(6, 1), 2u) << "stops at a covered cell";
    EXPECT_EQ(FloatEnd(8, 2), 2u) << "rotated text does not float";

    // Text wider than 32,767 pixels floats to the end, never wraps to a negative width.
    Text(9, 1, CString(L'w', 4000));
    m_grid.DelayFloatCells(CGXRange(9, 1, 9, 8));
    EXPECT_EQ(FloatEnd(9, 1), 8u);
}

TEST_F(GridFloatTest, FrozenEdgesAndHeadersStopFloating)
{
    m_grid.SetFrozenCols(2, 0);
    Text(2, 1, L"0123456789");
    Text(0, 2, L"0123456789");
    m_grid.SetFloatCellsMode(1);
    EXPECT_EQ(FloatEnd(2, 1), 2u) << "never over the frozen edge";
    EXPECT_EQ(FloatEnd(0, 2), 2u) << "headers never float";
}

TEST_F(GridFloatTest, PrintingUsesItsOwnPools)
{
    Text(2, 1, L"0123456789");
    m_grid.SetFloatCellsMode(1);
    CGXGridParam* pParam = m_grid.GetParam();
    pParam->m_pFloatCellsPool2 = GXGetAppDataPtr()->m_pSpanCellPoolImp->CreatePool();
    pParam->m_pFloatCellsWork2 = GXGetAppDataPtr()->m_pDelayedRangePoolImp->CreatePool();
    pParam->m_pFloatCellsWork2->DelayRange(CGXRange(1, 1, m_grid.GetRowCount(), m_grid.GetColCount()));
    m_grid.m_bPrinting = TRUE;
    EXPECT_EQ(FloatEnd(2, 1), 4u);
    m_grid.m_bPrinting = FALSE;
    CGXRange range;
    EXPECT_EQ(pParam->m_pFloatCellsPool->GetSpan(2, 1, range), FALSE) << "the screen pool is untouched";
    EXPECT_EQ(FloatEnd(2, 1), 4u);
}

TEST_F(GridMergeTest, MergedSpansFollowInsertedAndRemovedRows)
{
    Values(3, 1, {L"x", L"x", L"x"}, mergeDown | mergeValues, FALSE);
    m_grid.SetMergeCellsMode(1);
    Eval(1, 20);
    ExpectRange(Merged(4, 1), 3, 1, 5, 1);
    ASSERT_TRUE(m_grid.InsertRows(1, 2)); // above the span
    Eval(1, 22);
    ExpectRange(Merged(6, 1), 5, 1, 7, 1);
    EXPECT_FALSE(Merged(3, 1).IsValid());
    ASSERT_TRUE(m_grid.InsertRows(6, 1)); // inside it: the new empty row splits it
    Eval(1, 23);
    EXPECT_FALSE(Merged(5, 1).IsValid());
    ExpectRange(Merged(7, 1), 7, 1, 8, 1);
    ASSERT_TRUE(m_grid.RemoveRows(6, 6)); // and out again
    Eval(1, 22);
    ExpectRange(Merged(6, 1), 5, 1, 7, 1);
}

TEST_F(GridFloatTest, FloatSpansFollowInsertedRowsAndTheLimitIsTheFloatMode)
{
    Text(2, 1, L"0123456789");
    m_grid.SetFloatCellsMode(1);
    EXPECT_EQ(FloatEnd(2, 1), 4u);
    EXPECT_EQ(m_grid.GetFloatOrMergeLimit(), 1u);
    ASSERT_TRUE(m_grid.InsertRows(1, 1));
    EXPECT_EQ(FloatEnd(3, 1), 4u);
    EXPECT_EQ(FloatEnd(2, 1), 1u);
    ASSERT_TRUE(m_grid.RemoveRows(1, 2));
    EXPECT_EQ(FloatEnd(1, 1), 4u);
}

TEST_F(GridMergeTest, ChangedCellsAreMergedAnew)
{
    Values(2, 1, {L"a", L"a", L"b"}, mergeAcross | mergeValues);
    m_grid.SetMergeCellsMode(1);
    Eval(1, 20);
    ExpectRange(Merged(2, 1), 2, 1, 2, 2);
    Values(2, 3, {L"a"}, mergeAcross | mergeValues);
    EXPECT_TRUE(Eval(1, 20));
    ExpectRange(Merged(2, 1), 2, 1, 2, 3);
}

TEST_F(GridSpansTest, AMergedSpanIsDrawnOnceAndItsActiveCurrentCellDrawsItself)
{
    CGXStyle merged;
    merged.SetMergeCell(mergeAcross | mergeValues).SetValue(L"same");
    m_grid.SetStyleRangeShort(CGXRange(2, 1, 2, 4), merged);
    m_grid.SetMergeCellsMode(1);
    {
        MemoryCanvas canvas(300, 300, rgbBlack);
        Paint(canvas);
        EXPECT_EQ(DrawsOf(2, 1), 1);
        EXPECT_EQ(DrawsOf(2, 3), 0);
        EXPECT_EQ(m_grid.FlagsOf(2, 1) & 0x1C0, 0x40);
        EXPECT_EQ(m_grid.FlagsOf(2, 4) & 0x1C0, 0x140);
    }
    ASSERT_TRUE(m_grid.SetCurrentCell(2, 3));
    m_pControl->SetActive(TRUE);
    {
        MemoryCanvas canvas(300, 300, rgbBlack);
        Paint(canvas);
        EXPECT_EQ(DrawsOf(2, 3), 1) << "the active current cell draws itself";
        EXPECT_EQ(DrawsOf(2, 1), 1);
        EXPECT_EQ(m_grid.FlagsOf(2, 3) & 0x40, 0);
    }
    m_pControl->SetActive(FALSE);
}
