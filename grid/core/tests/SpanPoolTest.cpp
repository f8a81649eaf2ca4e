#include <grid/core/CoveredCellPool.h>
#include <grid/core/DelayedRangePool.h>
#include <grid/core/RangeList.h>
#include <grid/core/SpanCellPool.h>

#include <memory>

#include <gtest/gtest.h>

#include "ArchiveBytes.h"

namespace
{
// The span that holds the cell, starting from the cell itself; empty when there is none.
CGXRange SpanAt(const CGXSpanCellPool& pool, ROWCOL nRow, ROWCOL nCol)
{
    CGXRange range(nRow, nCol);
    return pool.GetSpan(nRow, nCol, range) ? range : CGXRange();
}

void ExpectCells(const CGXRange& range, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight)
{
    EXPECT_TRUE(range.IsValid());
    EXPECT_EQ(range.top, nTop);
    EXPECT_EQ(range.left, nLeft);
    EXPECT_EQ(range.bottom, nBottom);
    EXPECT_EQ(range.right, nRight);
}

Bytes DWordArray(std::initializer_list<DWORD> values)
{
    Bytes bytes = Word(static_cast<WORD>(values.size()));
    for (DWORD dw : values)
        bytes = Join({bytes, DWord(dw)});
    return bytes;
}
} // namespace

TEST(SpanCellPool, StoresSpansInBothDirectionsAndLeavesWhatHasNone)
{
    CGXSpanCellPool pool;
    // One cell wide in a direction: that direction stores nothing.
    EXPECT_FALSE(pool.SetSpan(2, 3, 2, 3, TRUE));
    EXPECT_TRUE(pool.SetSpan(2, 3, 2, 6, TRUE));
    ExpectCells(SpanAt(pool, 2, 5), 2, 3, 2, 6);
    EXPECT_FALSE(SpanAt(pool, 3, 4).IsValid());

    // A vertical span leaves left and right as the caller set them.
    EXPECT_TRUE(pool.SetSpan(4, 8, 9, 8, TRUE));
    CGXRange range(7, 8);
    range.left = 100;
    range.right = 200;
    EXPECT_TRUE(pool.GetSpan(7, 8, range));
    EXPECT_EQ(range.top, 4u);
    EXPECT_EQ(range.bottom, 9u);
    EXPECT_EQ(range.left, 100u);
    EXPECT_EQ(range.right, 200u);

    // A shorter span clears the old tail; clearing removes the rest.
    EXPECT_TRUE(pool.SetSpan(2, 3, 2, 4, TRUE));
    ExpectCells(SpanAt(pool, 2, 3), 2, 3, 2, 4);
    EXPECT_FALSE(SpanAt(pool, 2, 5).IsValid());
    EXPECT_FALSE(SpanAt(pool, 2, 6).IsValid());
    EXPECT_TRUE(pool.SetSpan(2, 3, 2, 4, FALSE));
    EXPECT_FALSE(SpanAt(pool, 2, 3).IsValid());
    EXPECT_FALSE(pool.SetSpan(2, 3, 2, 4, FALSE));

    EXPECT_FALSE(pool.SetSpan(0, 0, 0x80000000, 2, TRUE));
    CGXRange beyond(0x80000000, 1);
    EXPECT_FALSE(pool.GetSpan(0x80000000, 1, beyond));
}

TEST(SpanCellPool, InsertedRemovedAndMovedRowsAndColumnsKeepTheSpans)
{
    CGXSpanCellPool pool;
    pool.SetSpan(3, 2, 3, 4, TRUE); // across columns 2..4 in row 3
    pool.SetSpan(5, 6, 8, 6, TRUE); // down rows 5..8 in column 6

    EXPECT_TRUE(pool.InsertRows(2, 2));
    ExpectCells(SpanAt(pool, 5, 3), 5, 2, 5, 4);
    EXPECT_FALSE(SpanAt(pool, 3, 3).IsValid());
    // Inserted cells read no span; start values are not renumbered.
    EXPECT_TRUE(pool.InsertRows(8, 1));
    EXPECT_FALSE(SpanAt(pool, 8, 6).IsValid());
    CGXRange down(7, 6);
    EXPECT_TRUE(pool.GetSpan(7, 6, down));
    EXPECT_EQ(down.top, 5u);
    EXPECT_EQ(down.bottom, 7u);

    EXPECT_TRUE(pool.RemoveRows(8, 8));
    EXPECT_TRUE(pool.RemoveRows(2, 3));
    ExpectCells(SpanAt(pool, 3, 3), 3, 2, 3, 4);
    ExpectCells(SpanAt(pool, 7, 6), 5, 6, 8, 6);

    EXPECT_TRUE(pool.InsertCols(3, 1));
    EXPECT_FALSE(SpanAt(pool, 3, 3).IsValid()); // the inserted cell
    EXPECT_TRUE(pool.RemoveCols(3, 3));
    ExpectCells(SpanAt(pool, 3, 4), 3, 2, 3, 4);

    // Row 3 moves to row 10 (the rows between move up), then back.
    EXPECT_TRUE(pool.MoveRows(3, 3, 10));
    ExpectCells(SpanAt(pool, 10, 3), 10, 2, 10, 4);
    EXPECT_FALSE(SpanAt(pool, 3, 3).IsValid());
    EXPECT_TRUE(pool.MoveRows(10, 10, 3));
    ExpectCells(SpanAt(pool, 3, 3), 3, 2, 3, 4);
    // Column 6 moves to column 1: its vertical span goes with it.
    EXPECT_TRUE(pool.MoveCols(6, 6, 1));
    ExpectCells(SpanAt(pool, 6, 1), 5, 1, 8, 1);

    CGXSpanCellPool empty;
    EXPECT_FALSE(empty.InsertRows(1, 1));
    EXPECT_FALSE(pool.RemoveRows(5, 2));
    EXPECT_FALSE(pool.MoveRows(1, 2, 0x7FFFFFFF));
}

TEST(SpanCellPool, AssignmentCopiesDeeplyAndTheArchiveRoundTrips)
{
    CGXSpanCellPool pool;
    pool.SetSpan(1, 1, 2, 3, TRUE);
    CGXSpanCellPool copy;
    copy = pool;
    pool.SetSpan(1, 1, 2, 3, FALSE);
    ExpectCells(SpanAt(copy, 2, 2), 1, 1, 2, 3);

    const Bytes bytes = Stored([&](CArchive& ar) { copy.Serialize(ar); });
    CGXSpanCellPool loaded;
    Loaded(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    ExpectCells(SpanAt(loaded, 2, 3), 1, 1, 2, 3);
    EXPECT_EQ(Stored([&](CArchive& ar) { loaded.Serialize(ar); }), bytes);
}

TEST(DWordArrayPtrArray, ArchiveIsByteExactAndRefusesDamage)
{
    CGXDWordArrayPtrArray array;
    array.SetSize(3);
    array.EnsureArray(1).Add(5);
    array.GetArray(1)->Add(5);
    const Bytes golden = {0x01, 0x00, 0x03, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x02, 0x00,
                          0x05, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(Stored([&](CArchive& ar) { array.Serialize(ar); }), golden);

    CGXDWordArrayPtrArray loaded;
    Loaded(golden, [&](CArchive& ar) { loaded.Serialize(ar); });
    // As long as its arrays need, never as long as the count alone claims.
    ASSERT_EQ(loaded.GetSize(), 2);
    EXPECT_EQ(loaded.GetArray(0), nullptr);
    ASSERT_NE(loaded.GetArray(1), nullptr);
    EXPECT_EQ(loaded.GetArray(1)->GetSize(), 2);

    Bytes badVersion = golden;
    badVersion[0] = 2;
    EXPECT_EQ(ArchiveCause([&] { Loaded(badVersion, [&](CArchive& ar) { loaded.Serialize(ar); }); }),
              CArchiveException::badSchema);

    // Index 1 is read, then index 3 of a count of 3 is refused; what was read stays, and the
    // array is only as long as it needs.
    const Bytes badIndex =
        Join({Word(1), DWord(3), DWord(1), DWordArray({7}), DWord(3), DWordArray({9}), DWord(0xFFFFFFFF)});
    CGXDWordArrayPtrArray damaged;
    EXPECT_EQ(ArchiveCause([&] { Loaded(badIndex, [&](CArchive& ar) { damaged.Serialize(ar); }); }),
              CArchiveException::badIndex);
    ASSERT_EQ(damaged.GetSize(), 2);
    ASSERT_NE(damaged.GetArray(1), nullptr);
    EXPECT_EQ(damaged.GetArray(1)->GetAt(0), 7u);

    // A pool's slots each hold no span or the start of a run that reaches them without a gap.
    const Bytes noCols = Join({Word(1), DWord(0), DWord(0xFFFFFFFF)});
    const struct
    {
        const char* name;
        std::initializer_list<DWORD> values;
        int cause;
    } pools[] = {
        {"two runs", {0xFFFFFFFF, 1, 1, 3, 3}, -1},
        {"a start after its slot", {0xFFFFFFFF, 2, 2}, CArchiveException::badIndex},
        {"a start past the array", {0x7FFFFFFF}, CArchiveException::badIndex},
        {"a gap in a run", {0, 0xFFFFFFFF, 0}, CArchiveException::badIndex},
    };
    for (const auto& c : pools)
    {
        CGXSpanCellPool pool;
        const Bytes bytes = Join({Word(1), DWord(1), DWord(0), DWordArray(c.values), DWord(0xFFFFFFFF), noCols});
        EXPECT_EQ(ArchiveCause([&] { Loaded(bytes, [&](CArchive& ar) { pool.Serialize(ar); }); }), c.cause) << c.name;
    }
}

TEST(DelayedRangePool, DelayReusesContainedEntriesAndExtendsAdjoiningOnes)
{
    CGXDelayedRangePool pool;
    pool.DelayRange(CGXRange(1, 1, 5, 5));
    ASSERT_EQ(pool.GetCount(), 1);
    // A range containing the entry frees it and is stored in it.
    pool.DelayRange(CGXRange(1, 1, 10, 10));
    ASSERT_EQ(pool.GetCount(), 1);
    ExpectCells(pool.GetAt(0)->m_range, 1, 1, 10, 10);
    // The rows right below an unevaluated entry extend it; nothing new is stored.
    pool.DelayRange(CGXRange(11, 1, 20, 10));
    ASSERT_EQ(pool.GetCount(), 1);
    ExpectCells(pool.GetAt(0)->m_range, 1, 1, 20, 10);
    // A separate range goes to a new entry at the front.
    pool.DelayRange(CGXRange(30, 3, 31, 4));
    ASSERT_EQ(pool.GetCount(), 2);
    ExpectCells(pool.GetAt(0)->m_range, 30, 3, 31, 4);
}

TEST(DelayedRangePool, EvalRangesAnswersEachRowOnceAndDropsFinishedEntries)
{
    CGXDelayedRangePool pool;
    pool.DelayRange(CGXRange(1, 1, 10, 8));
    CDWordArray starts;
    CDWordArray ends;
    EXPECT_TRUE(pool.EvalRanges(CGXRange(3, 2, 4, 5), starts, ends));
    ASSERT_EQ(starts.GetSize(), 2);
    EXPECT_EQ(starts[0], 2u);
    EXPECT_EQ(ends[1], 5u);
    // The entry was split at columns 2..5; the parts left and right stay delayed.
    EXPECT_EQ(pool.GetCount(), 3);
    EXPECT_FALSE(pool.EvalRanges(CGXRange(3, 2, 4, 5), starts, ends));

    // Rows 1..4 of columns 2..5: only those not yet evaluated come back.
    EXPECT_TRUE(pool.EvalRanges(CGXRange(1, 2, 4, 5), starts, ends));
    EXPECT_EQ(starts[0], 2u);
    EXPECT_EQ(starts[2], 0xFFFFFFFFu);
    EXPECT_EQ(pool.GetCount(), 3);
    // The last rows finish the entry: it is removed.
    EXPECT_TRUE(pool.EvalRanges(CGXRange(5, 2, 10, 5), starts, ends));
    EXPECT_EQ(starts[5], 2u);
    EXPECT_EQ(pool.GetCount(), 2);
    EXPECT_FALSE(pool.EvalRanges(CGXRange(5, 5, 2, 2), starts, ends));

    pool.ClampRows(4);
    pool.ClampCols(6);
    for (INT_PTR k = 0; k < pool.GetCount(); ++k)
    {
        EXPECT_LE(pool.GetAt(k)->m_range.bottom, 4u);
        EXPECT_LE(pool.GetAt(k)->m_range.right, 6u);
    }
    pool.ClearRanges();
    EXPECT_EQ(pool.GetCount(), 0);
}

TEST(DelayedRangePool, AssignmentAndArchiveKeepEntriesWithoutTheFreeFlag)
{
    CGXDelayedRangePool pool;
    pool.DelayRange(CGXRange(1, 1, 10, 3));
    CDWordArray starts;
    CDWordArray ends;
    pool.EvalRanges(CGXRange(2, 1, 3, 3), starts, ends);

    CGXDelayedRange entry(*pool.GetAt(0));
    entry.m_bFree = 1;
    // The range, the starts, the ends; no free flag.
    const Bytes expected = Join({DWord(1), DWord(1), DWord(10), DWord(3), {0, 1}, DWordArray({2}), DWordArray({3})});
    EXPECT_EQ(Stored([&](CArchive& ar) { entry.Serialize(ar); }), expected);

    const Bytes bytes = Stored([&](CArchive& ar) { pool.Serialize(ar); });
    CGXDelayedRangePool loaded;
    Loaded(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    ASSERT_EQ(loaded.GetCount(), 1);
    EXPECT_FALSE(loaded.EvalRanges(CGXRange(2, 1, 3, 3), starts, ends));
    EXPECT_TRUE(loaded.EvalRanges(CGXRange(4, 1, 4, 3), starts, ends));

    CGXDelayedRangePool copy;
    copy.DelayRange(CGXRange(50, 1, 50, 1));
    copy.GetAt(0)->Reset();
    copy = pool;
    ASSERT_EQ(copy.GetCount(), 1);
    ExpectCells(copy.GetAt(0)->m_range, 1, 1, 10, 3);
}

TEST(CoveredCellPool, LooksUpSetsShrinksAndRefusesOverlaps)
{
    CGXRangeList list;
    list.AddTail(new CGXRange(2, 2, 4, 5));
    list.AddTail(new CGXRange(10, 1, 11, 2));
    CGXCoveredCellPoolImp imp;
    CGXCoveredCellPool* pPool = imp.CreatePool();
    imp.InitPool(*pPool, list);
    const POSITION first = list.GetHeadPosition();
    EXPECT_EQ(pPool->Lookup(3, 4), first);
    EXPECT_EQ(pPool->Lookup(3, 6), nullptr);
    EXPECT_EQ(pPool->Lookup(100, 1), nullptr);
    EXPECT_EQ(pPool->Lookup(10, 50), nullptr);
    EXPECT_NE(pPool->Lookup(11, 2), nullptr);

    // Shrinking clears the old tail of every remaining row.
    EXPECT_TRUE(pPool->SetSpan(2, 2, 4, 3, first));
    EXPECT_EQ(pPool->Lookup(4, 4), nullptr);
    EXPECT_EQ(pPool->Lookup(4, 3), first);

    // A one-cell rectangle stores nothing; any cell held by another range refuses it all.
    const POSITION other = list.GetTailPosition();
    EXPECT_FALSE(pPool->SetSpan(7, 7, 7, 7, other));
    EXPECT_FALSE(pPool->SetSpan(1, 1, 3, 2, other));
    EXPECT_EQ(pPool->Lookup(1, 1), nullptr);
    EXPECT_TRUE(pPool->SetSpan(2, 2, 4, 3, nullptr));
    EXPECT_EQ(pPool->Lookup(2, 2), nullptr);
    delete pPool;
    list.DeleteAll();
}

// A range of any extent (an archive may state one) costs what a small one costs; ranges beside,
// above and inside its rows keep their own cells.
TEST(CoveredCellPool, HugeRangesCostNoMoreThanSmallOnes)
{
    constexpr ROWCOL nFar = 0x7FFFFFFE;
    CGXRangeList list;
    const POSITION huge = list.AddTail(new CGXRange(3, 1, nFar, nFar - 10));
    const POSITION beside = list.AddTail(new CGXRange(5, nFar - 9, 7, nFar));
    const POSITION above = list.AddTail(new CGXRange(1, 1, 2, nFar));
    CGXCoveredCellPoolImp imp;
    const std::unique_ptr<CGXCoveredCellPool> pPool(imp.CreatePool());
    imp.InitPool(*pPool, list);
    const struct
    {
        ROWCOL nRow, nCol;
        POSITION expected;
    } cells[] = {{3, 1, huge},           {nFar, nFar - 10, huge}, {nFar, nFar - 9, nullptr}, {6, nFar, beside},
                 {8, nFar - 9, nullptr}, {2, nFar, above},        {nFar + 1, 1, nullptr},     {4, nFar - 9, nullptr}};
    for (const auto& cell : cells)
        EXPECT_EQ(pPool->Lookup(cell.nRow, cell.nCol), cell.expected) << cell.nRow << "," << cell.nCol;
    // An overlap is refused across the whole extent.
    EXPECT_FALSE(pPool->SetSpan(nFar - 1, nFar - 10, nFar, nFar - 5, beside));
    // Clearing the range frees all its cells and no others.
    EXPECT_TRUE(pPool->SetSpan(3, 1, nFar, nFar - 10, nullptr));
    EXPECT_EQ(pPool->Lookup(1000000, 1000000), nullptr);
    EXPECT_EQ(pPool->Lookup(6, nFar), beside);
    EXPECT_EQ(pPool->Lookup(1, 1), above);
    list.DeleteAll();
}
