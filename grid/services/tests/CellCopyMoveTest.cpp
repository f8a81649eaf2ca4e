// Copying and moving cells: in the data store with the undo information of a move, and
// directly inside a grid with undo and the direct paste.
#include "GridTestSupport.h"

#include <grid/core/Command.h>
#include <grid/core/GridParam.h>
#include <grid/core/Style.h>
#include <grid/services/cells/DataCopyMoveCellsImp.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <utility>

namespace
{
using Cells = std::map<std::pair<ROWCOL, ROWCOL>, CString>;

// A data store whose row arrays a test may count.
class CountedData : public CGXData
{
public:
    INT_PTR RowArrays() const
    {
        INT_PTR n = 0;
        for (INT_PTR i = 0; i < m_apapCellStyle.GetSize(); ++i)
            n += m_apapCellStyle.GetAt(i) != nullptr;
        return n;
    }
};

void Put(CGXData& data, ROWCOL nRow, ROWCOL nCol, LPCTSTR pszValue)
{
    CGXStyle style;
    style.SetValue(pszValue);
    data.StoreStyleImpl(nRow, nCol, &style, CGXStyle::modeCopy, 0);
}

// Every stored value of the area as (row, column) → value.
Cells Values(CGXData& data, ROWCOL nRows = 60, ROWCOL nCols = 12)
{
    Cells cells;
    for (ROWCOL r = 1; r <= nRows; ++r)
        for (ROWCOL c = 1; c <= nCols; ++c)
        {
            CGXStyle style;
            if (data.GetStyleImpl(r, c, style, CGXStyle::modeCopy, 0))
                cells[{r, c}] = style.GetValue();
        }
    return cells;
}

// A block of values named by their cell, from (nTop, nLeft).
void Fill(CGXData& data, ROWCOL nTop, ROWCOL nLeft, ROWCOL nRows, ROWCOL nCols, LPCTSTR pszPrefix)
{
    for (ROWCOL r = 0; r < nRows; ++r)
        for (ROWCOL c = 0; c < nCols; ++c)
        {
            CString strValue;
            strValue.Format(_T("%s%u.%u"), pszPrefix, nTop + r, nLeft + c);
            Put(data, nTop + r, nLeft + c, strValue);
        }
}
} // namespace

TEST(DataCopyMoveCells, MovesAndCopiesKeepEveryCellWhereItBelongs)
{
    CGXDataCopyMoveCellsImp imp;
    struct Case
    {
        const char* pszWhat;
        std::function<void(CountedData&)> prepare;
        std::function<void(CountedData&)> act;
        std::function<void(CountedData&, const Cells&)> check;
    };
    const Case cases[] = {
        {"a move onto styled cells and back restores both",
         [](CountedData& d) {
             Fill(d, 1, 1, 2, 2, _T("a"));
             Fill(d, 2, 3, 2, 2, _T("b"));
         },
         [&](CountedData& d) {
             CObject* pInfo = nullptr;
             imp.MoveCells(&d, CGXRange(1, 1, 2, 2), 2, 2, pInfo, TRUE); // overlaps itself and b
             EXPECT_STREQ(Values(d)[std::make_pair(ROWCOL(3), ROWCOL(3))], _T("a2.2"));
             EXPECT_STREQ(Values(d)[std::make_pair(ROWCOL(3), ROWCOL(4))], _T("b3.4"));
             EXPECT_EQ(Values(d).count(std::make_pair(ROWCOL(1), ROWCOL(1))), 0u);
             CObject* pBack = pInfo;
             imp.MoveCells(&d, CGXRange(2, 2, 3, 3), 1, 1, pBack, TRUE);
             delete pBack;
         },
         [](CountedData& d, const Cells& before) { EXPECT_EQ(Values(d), before); }},
        {"a partly empty block leaves the matching destination cells empty",
         [](CountedData& d) {
             Fill(d, 1, 1, 2, 2, _T("a"));
             Put(d, 1, 2, _T(""));
             d.StoreStyleImpl(1, 2, nullptr, CGXStyle::modeCopy, 0);
             Fill(d, 10, 1, 2, 2, _T("d"));
         },
         [&](CountedData& d) {
             CObject* pInfo = nullptr;
             imp.MoveCells(&d, CGXRange(1, 1, 2, 2), 10, 1, pInfo, FALSE);
             EXPECT_EQ(pInfo, nullptr);
         },
         [](CountedData& d, const Cells&) {
             const Cells expected = {{{10, 1}, _T("a1.1")}, {{11, 1}, _T("a2.1")}, {{11, 2}, _T("a2.2")}};
             EXPECT_EQ(Values(d), expected);
         }},
        {"a copy from missing source rows clears only existing destination rows",
         [](CountedData& d) {
             Fill(d, 2, 1, 1, 3, _T("x"));
             d.SetRowCount(30);
         },
         [&](CountedData& d) {
             EXPECT_EQ(d.RowArrays(), 1);
             imp.CopyCells(&d, CGXRange(20, 1, 22, 3), 1, 1); // rows 1 and 3 have no array
         },
         [](CountedData& d, const Cells&) {
             EXPECT_TRUE(Values(d).empty());
             EXPECT_EQ(d.RowArrays(), 1);
         }},
        {"a move past the stored rows grows the store", [](CountedData& d) { Fill(d, 1, 1, 2, 2, _T("a")); },
         [&](CountedData& d) {
             CObject* pInfo = nullptr;
             imp.MoveCells(&d, CGXRange(1, 1, 2, 2), 40, 9, pInfo, TRUE);
             delete pInfo;
         },
         [](CountedData& d, const Cells&) {
             EXPECT_EQ(d.GetRowCount(), 41u);
             EXPECT_EQ(d.GetColCount(), 10u);
             const Cells expected = {
                 {{40, 9}, _T("a1.1")}, {{40, 10}, _T("a1.2")}, {{41, 9}, _T("a2.1")}, {{41, 10}, _T("a2.2")}};
             EXPECT_EQ(Values(d), expected);
         }},
        {"a copy 50 rows past the count", [](CountedData& d) { Fill(d, 1, 1, 1, 2, _T("a")); },
         [&](CountedData& d) { imp.CopyCells(&d, CGXRange(1, 1, 1, 2), d.GetRowCount() + 50, 3); },
         [](CountedData& d, const Cells&) {
             EXPECT_EQ(d.GetRowCount(), 51u);
             EXPECT_STREQ(Values(d)[std::make_pair(ROWCOL(51), ROWCOL(4))], _T("a1.2"));
         }},
        {"a copy onto itself changes nothing", [](CountedData& d) { Fill(d, 1, 1, 3, 3, _T("a")); },
         [&](CountedData& d) { imp.CopyCells(&d, CGXRange(1, 1, 3, 3), 1, 1); },
         [](CountedData& d, const Cells& before) { EXPECT_EQ(Values(d), before); }},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszWhat);
        CountedData data;
        c.prepare(data);
        const Cells before = Values(data);
        c.act(data);
        c.check(data, before);
    }
}

TEST(DataCopyMoveCells, OverlappingCopiesEqualACopyThroughAScratchStore)
{
    CGXDataCopyMoveCellsImp imp;
    const std::pair<int, int> offsets[] = {{1, 0}, {-1, 0}, {0, 1}, {1, 1}, {-2, -1}};
    for (auto [dr, dc] : offsets)
    {
        SCOPED_TRACE(std::to_string(dr) + "," + std::to_string(dc));
        CountedData data;
        Fill(data, 5, 5, 4, 4, _T("v"));
        const CGXRange source(5, 5, 8, 8);
        Cells expected = Values(data);
        for (ROWCOL r = 0; r < 4; ++r)
            for (ROWCOL c = 0; c < 4; ++c)
                expected[{5 + dr + r, 5 + dc + c}] = Values(data)[{5 + r, 5 + c}];
        imp.CopyCells(&data, source, 5 + dr, 5 + dc);
        EXPECT_EQ(Values(data), expected);
    }
}

// A block with a hole, moved by every kind of offset over filled cells around it, lands as if
// lifted whole first; moving it back with the undo information restores every cell.
TEST(DataCopyMoveCells, OverlappingMovesEqualAMoveThroughAScratchStoreAndMoveBackExactly)
{
    CGXDataCopyMoveCellsImp imp;
    const std::pair<int, int> offsets[] = {{1, 0},  {-1, 0}, {0, 1}, {0, -1}, {1, 1}, {-1, -1},
                                           {2, -1}, {-1, 3}, {3, 3}, {4, 0},  {0, 0}};
    for (auto [dr, dc] : offsets)
    {
        SCOPED_TRACE(std::to_string(dr) + "," + std::to_string(dc));
        CountedData data;
        Fill(data, 1, 1, 12, 12, _T("b"));
        Fill(data, 5, 5, 4, 4, _T("v"));
        data.StoreStyleImpl(6, 6, nullptr, CGXStyle::modeCopy, 0);
        const Cells before = Values(data);
        Cells expected = before;
        for (ROWCOL r = 5; r <= 8; ++r)
            for (ROWCOL c = 5; c <= 8; ++c)
                expected.erase({r, c});
        for (ROWCOL r = 5; r <= 8; ++r)
            for (ROWCOL c = 5; c <= 8; ++c)
            {
                const auto found = before.find({r, c});
                if (found != before.end())
                    expected[{r + dr, c + dc}] = found->second;
                else
                    expected.erase({r + dr, c + dc});
            }
        CObject* pInfo = nullptr;
        imp.MoveCells(&data, CGXRange(5, 5, 8, 8), 5 + dr, 5 + dc, pInfo, TRUE);
        EXPECT_EQ(Values(data), expected);
        imp.MoveCells(&data, CGXRange(5 + dr, 5 + dc, 8 + dr, 8 + dc), 5, 5, pInfo, TRUE);
        EXPECT_EQ(Values(data), before);
        delete pInfo;
    }
}
// A move that overwrites thousands of cells (2,399: more than the undo information keeps in one
// block) moves back exactly, a hole in the destination included; so does a second move, which
// fills the blocks the first gave back.
TEST(DataCopyMoveCells, AMoveOverwritingThousandsOfCellsMovesBackExactly)
{
    CGXDataCopyMoveCellsImp imp;
    CountedData data;
    Fill(data, 1, 1, 90, 60, _T("b"));
    data.StoreStyleImpl(70, 7, nullptr, CGXStyle::modeCopy, 0);
    const Cells before = Values(data, 90, 60);
    Cells expected;
    for (const auto& [cell, value] : before)
        if (cell.first > 40)
            expected[cell] = value;
    for (ROWCOL r = 1; r <= 40; ++r)
        for (ROWCOL c = 1; c <= 60; ++c)
            expected[{r + 50, c}] = before.at({r, c});
    for (int pass = 0; pass < 2; ++pass)
    {
        SCOPED_TRACE(pass);
        CObject* pInfo = nullptr;
        imp.MoveCells(&data, CGXRange(1, 1, 40, 60), 51, 1, pInfo, TRUE);
        EXPECT_EQ(Values(data, 90, 60), expected);
        imp.MoveCells(&data, CGXRange(51, 1, 90, 60), 1, 1, pInfo, TRUE);
        EXPECT_EQ(Values(data, 90, 60), before);
        delete pInfo;
    }
}

namespace
{
// A grid whose data object can refuse a move or run out of memory on a chosen copy.
class RefusingGrid : public TestGrid
{
public:
    BOOL MoveCellsData(CGXRange range, ROWCOL nDestRow, ROWCOL nDestCol, CObject*& pUndoInfo, BOOL bCreateUndoInfo,
                       int nCommandKind) override
    {
        if (m_bRefuseMove)
            return FALSE;
        return TestGrid::MoveCellsData(range, nDestRow, nDestCol, pUndoInfo, bCreateUndoInfo, nCommandKind);
    }
    BOOL CopyCellsData(CGXRange range, ROWCOL nDestRow, ROWCOL nDestCol) override
    {
        if (++m_nCopies == m_nThrowOnCopy)
            AfxThrowMemoryException();
        return TestGrid::CopyCellsData(range, nDestRow, nDestCol);
    }
    BOOL m_bRefuseMove = FALSE;
    int m_nCopies = 0;
    int m_nThrowOnCopy = 0;
};

class DirectCopyMoveTest : public HiddenGridOfTest<RefusingGrid>
{
protected:
    void SetUp() override
    {
        HiddenGridOfTest::SetUp();
        for (ROWCOL r = 1; r <= 6; ++r)
            for (ROWCOL c = 1; c <= 2; ++c)
            {
                CString strValue;
                strValue.Format(_T("%u.%u"), r, c);
                m_grid.SetValueRange(CGXRange(r, c), strValue);
            }
        Clear(m_grid.GetParam()->GetUndoList());
    }
    static void Clear(CObList* pList)
    {
        while (!pList->IsEmpty())
            delete pList->RemoveHead();
    }
    CGXGridParam& Param()
    {
        return *m_grid.GetParam();
    }
    BOOL PasteDirect(ROWCOL nRow, ROWCOL nCol)
    {
        return m_grid.m_pDirectCopyMoveCellsImp->PasteDirect(&m_grid, CGXRange(nRow, nCol));
    }
    void Clip(std::initializer_list<CGXRange> ranges)
    {
        Param().ClipboardRangeList().DeleteAll();
        for (const CGXRange& range : ranges)
            Param().ClipboardRangeList().AddTail(new CGXRange(range));
    }
};
} // namespace

TEST_F(DirectCopyMoveTest, ACopyTakesEverythingACellHoldsAndUndoEmptiesTheDestination)
{
    CGXStyle style;
    style.SetFont(CGXFont().SetBold(TRUE)).SetControl(52513);
    m_grid.SetStyleRangeShort(CGXRange(1, 1, 2, 2), style);
    ASSERT_TRUE(m_grid.CopyCells(CGXRange(1, 1, 2, 2), 10, 5));
    CGXStyle copied;
    ASSERT_TRUE(m_grid.GetStyleRowCol(11, 6, copied, CGXStyle::modeCopy, 0));
    EXPECT_STREQ(copied.GetValue(), _T("2.2"));
    EXPECT_TRUE(copied.GetFont().GetBold());
    EXPECT_EQ(copied.GetControl(), 52513);
    ASSERT_TRUE(m_grid.Undo());
    for (ROWCOL r = 10; r <= 11; ++r)
        for (ROWCOL c = 5; c <= 6; ++c)
        {
            CGXStyle empty;
            EXPECT_FALSE(m_grid.GetStyleRowCol(r, c, empty, CGXStyle::modeCopy, 0)) << r << "," << c;
        }
}

TEST_F(DirectCopyMoveTest, APendingCutMovesOnceAndLeavesNothingToPasteAgain)
{
    Param().SetDirectCutPaste(TRUE);
    Param().SetDirectPasteMode(1);
    Param().SetCutPending(TRUE);
    Clip({CGXRange(1, 1, 2, 2)});
    ASSERT_TRUE(PasteDirect(10, 1));
    EXPECT_STREQ(m_grid.GetValueRowCol(10, 1), _T("1.1"));
    EXPECT_STREQ(m_grid.GetValueRowCol(11, 2), _T("2.2"));
    EXPECT_STREQ(m_grid.GetValueRowCol(1, 1), _T(""));
    EXPECT_FALSE(Param().CutPending());
    EXPECT_TRUE(Param().ClipboardRangeList().IsEmpty());

    m_grid.SetValueRange(CGXRange(1, 1), _T("new"));
    ASSERT_TRUE(PasteDirect(15, 1)); // not a direct paste any more: nothing happens
    EXPECT_STREQ(m_grid.GetValueRowCol(15, 1), _T(""));
    EXPECT_STREQ(m_grid.GetValueRowCol(1, 1), _T("new"));
}

TEST_F(DirectCopyMoveTest, SeparateRangesPasteSideBySideAndOwnBlockUndoesInOneStep)
{
    Param().SetDirectCopyPaste(TRUE);
    Param().SetDirectPasteMode(2);
    Clip({CGXRange(1, 1, 2, 2), CGXRange(5, 1, 6, 2)});
    ASSERT_TRUE(PasteDirect(10, 3));
    const LPCTSTR expected[4][2] = {
        {_T("1.1"), _T("1.2")}, {_T("2.1"), _T("2.2")}, {_T("5.1"), _T("5.2")}, {_T("6.1"), _T("6.2")}};
    for (ROWCOL r = 0; r < 4; ++r)
        for (ROWCOL c = 0; c < 2; ++c)
            EXPECT_STREQ(m_grid.GetValueRowCol(10 + r, 3 + c), expected[r][c]);
    EXPECT_EQ(Param().GetUndoList()->GetCount(), 1);
    ASSERT_TRUE(m_grid.Undo());
    for (ROWCOL r = 10; r <= 13; ++r)
        EXPECT_STREQ(m_grid.GetValueRowCol(r, 3), _T(""));
}

TEST_F(DirectCopyMoveTest, PastingOverTheCurrentCellShowsTheNewTextInItsEditor)
{
    Param().SetDirectCopyPaste(TRUE);
    Param().SetDirectPasteMode(1);
    Clip({CGXRange(2, 2)});
    m_grid.SetCurrentCell(9, 4);
    ASSERT_TRUE(PasteDirect(9, 4));
    CGXControl* pControl = m_grid.GetCurrentCellControl();
    ASSERT_NE(pControl, nullptr);
    CString strText;
    pControl->GetCurrentText(strText);
    EXPECT_STREQ(strText, _T("2.2"));
}

TEST_F(DirectCopyMoveTest, ACopyTooLargeToUndoAsksWhetherToCopyWithoutUndo)
{
    m_grid.SetRowCount(80001);
    Clear(Param().GetUndoList());
    m_app.m_answers = {IDCANCEL};
    EXPECT_FALSE(m_grid.CopyCells(CGXRange(1, 1, 40000, 1), 40001, 1));
    ASSERT_EQ(m_app.m_boxes.size(), 1u);
    EXPECT_STREQ(m_app.m_boxes[0].strText, _T("Operation is too large for the undo buffer. Do you want to continue?"));
    EXPECT_STREQ(m_grid.GetValueRowCol(40001, 1), _T(""));
    EXPECT_TRUE(Param().GetUndoList()->IsEmpty());

    m_app.m_answers = {IDOK};
    EXPECT_TRUE(m_grid.CopyCells(CGXRange(1, 1, 40000, 1), 40001, 1));
    EXPECT_STREQ(m_grid.GetValueRowCol(40001, 1), _T("1.1"));
    EXPECT_TRUE(Param().GetUndoList()->IsEmpty());
}

TEST_F(DirectCopyMoveTest, RunningOutOfMemorySaysSoAndUndoesThePastesOwnBlock)
{
    Param().SetDirectCopyPaste(TRUE);
    Param().SetDirectPasteMode(2);
    Clip({CGXRange(1, 1, 2, 2), CGXRange(5, 1, 6, 2)});
    m_grid.m_nThrowOnCopy = 2;
    EXPECT_FALSE(PasteDirect(10, 3));
    ASSERT_EQ(m_app.m_boxes.size(), 1u);
    EXPECT_STREQ(m_app.m_boxes[0].strText, _T("Range too big."));
    EXPECT_STREQ(m_grid.GetValueRowCol(10, 3), _T(""));
    EXPECT_TRUE(Param().GetUndoList()->IsEmpty());
    EXPECT_TRUE(Param().GetRedoList()->IsEmpty());
    EXPECT_EQ(Param().m_nUndoBlockLevel, 0);
}

// A move that the data object refuses answers so and records nothing.
TEST_F(DirectCopyMoveTest, ARefusedMoveAnswersFalseAndRecordsNothing)
{
    m_grid.m_bRefuseMove = TRUE;
    CObject* pInfo = nullptr;
    EXPECT_FALSE(m_grid.MoveCells(CGXRange(1, 1, 2, 2), 10, 1, pInfo));
    EXPECT_TRUE(Param().GetUndoList()->IsEmpty());
    EXPECT_STREQ(m_grid.GetValueRowCol(1, 1), _T("1.1"));
}

TEST_F(DirectCopyMoveTest, AMoveOntoFilledCellsUndoesAndRedoesExactly)
{
    CObject* pInfo = nullptr;
    ASSERT_TRUE(m_grid.MoveCells(CGXRange(1, 1, 2, 2), 4, 1, pInfo));
    EXPECT_EQ(pInfo, nullptr);
    EXPECT_STREQ(m_grid.GetValueRowCol(5, 2), _T("2.2"));
    EXPECT_STREQ(m_grid.GetValueRowCol(6, 1), _T("6.1"));
    ASSERT_TRUE(m_grid.Undo());
    EXPECT_STREQ(m_grid.GetValueRowCol(1, 1), _T("1.1"));
    EXPECT_STREQ(m_grid.GetValueRowCol(4, 1), _T("4.1"));
    EXPECT_STREQ(m_grid.GetValueRowCol(5, 2), _T("5.2"));
    ASSERT_TRUE(m_grid.Redo());
    EXPECT_STREQ(m_grid.GetValueRowCol(4, 1), _T("1.1"));
    EXPECT_STREQ(m_grid.GetValueRowCol(1, 1), _T(""));
    ASSERT_TRUE(m_grid.Undo());
    EXPECT_STREQ(m_grid.GetValueRowCol(5, 2), _T("5.2"));
    EXPECT_STREQ(m_grid.GetValueRowCol(2, 2), _T("2.2"));
}
