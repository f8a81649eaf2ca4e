#include <grid/core/Range.h>
#include <grid/core/RangeList.h>

#include <vector>

#include <gtest/gtest.h>

#include "ArchiveBytes.h"

namespace
{
CGXRange Rows(ROWCOL nFirst, ROWCOL nLast)
{
    return CGXRange().SetRows(nFirst, nLast);
}

CGXRange Cols(ROWCOL nFirst, ROWCOL nLast)
{
    return CGXRange().SetCols(nFirst, nLast);
}

CGXRange Table()
{
    return CGXRange().SetTable();
}

struct Expected
{
    int type;
    ROWCOL top, left, bottom, right;
    BOOL valid;
};

void ExpectRange(const CGXRange& r, const Expected& e)
{
    EXPECT_EQ(r.type, e.type);
    EXPECT_EQ(r.top, e.top);
    EXPECT_EQ(r.left, e.left);
    EXPECT_EQ(r.bottom, e.bottom);
    EXPECT_EQ(r.right, e.right);
    EXPECT_EQ(r.valid, e.valid);
}
} // namespace

TEST(RangeTest, ConstructorsNormaliseAndSetTheirType)
{
    ExpectRange(CGXRange(), {CGXRange::cells, 0, 0, 0, 0, FALSE});
    ExpectRange(CGXRange(nullptr), {CGXRange::cells, 0, 0, 0, 0, FALSE});
    ExpectRange(CGXRange(5, 7, 2, 3), {CGXRange::cells, 2, 3, 5, 7, TRUE});
    ExpectRange(CGXRange(4, 9), {CGXRange::cells, 4, 9, 4, 9, TRUE});
    ExpectRange(Rows(8, 3), {CGXRange::rows, 3, 0, 8, 0, TRUE});
    ExpectRange(Cols(6, 2), {CGXRange::cols, 0, 2, 0, 6, TRUE});

    // The table keeps its coordinates.
    CGXRange r(2, 3, 4, 5);
    ExpectRange(r.SetTable(), {CGXRange::table, 2, 3, 4, 5, TRUE});
    const CGXRange copy(&r);
    ExpectRange(copy, {CGXRange::table, 2, 3, 4, 5, TRUE});
}

TEST(RangeTest, ExpandRangeTakesOnlyTheMissingBounds)
{
    const struct
    {
        CGXRange range;
        Expected expected;
    } cases[] = {
        {Rows(2, 4), {CGXRange::cells, 2, 10, 4, 20, TRUE}},
        {Cols(3, 6), {CGXRange::cells, 1, 3, 9, 6, TRUE}},
        {Table(), {CGXRange::cells, 1, 10, 9, 20, TRUE}},
        {CGXRange(5, 5, 6, 6), {CGXRange::cells, 5, 5, 6, 6, TRUE}},
    };
    for (const auto& c : cases)
    {
        CGXRange r(c.range);
        ExpectRange(r.ExpandRange(1, 10, 9, 20), c.expected);
    }
}

TEST(RangeTest, IsCellInRangeByType)
{
    const struct
    {
        CGXRange range;
        ROWCOL nRow, nCol;
        BOOL bIn;
    } cases[] = {
        {CGXRange(2, 2, 4, 4), 3, 3, TRUE}, {CGXRange(2, 2, 4, 4), 5, 3, FALSE}, {CGXRange(2, 2, 4, 4), 3, 1, FALSE},
        {Rows(2, 4), 4, 999, TRUE},         {Rows(2, 4), 1, 3, FALSE},           {Cols(2, 4), 999, 2, TRUE},
        {Cols(2, 4), 3, 5, FALSE},          {Table(), 12345, 678, TRUE},         {CGXRange(), 0, 0, FALSE},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.range.IsCellInRange(c.nRow, c.nCol), c.bIn) << c.nRow << "," << c.nCol;

    ROWCOL nRow = 99, nCol = 99;
    EXPECT_FALSE(CGXRange().GetFirstCell(nRow, nCol));
    EXPECT_TRUE(CGXRange(7, 8, 3, 2).GetFirstCell(nRow, nCol));
    EXPECT_EQ(nRow, 3u);
    EXPECT_EQ(nCol, 2u);
}

TEST(RangeTest, IntersectRangeTable)
{
    const struct
    {
        CGXRange a, b;
        Expected expected;
    } cases[] = {
        {Rows(2, 4), Cols(3, 6), {CGXRange::cells, 2, 3, 4, 6, TRUE}},
        {Cols(3, 6), Rows(2, 4), {CGXRange::cells, 2, 3, 4, 6, TRUE}},
        {Table(), CGXRange(1, 2, 3, 4), {CGXRange::cells, 1, 2, 3, 4, TRUE}},
        {Cols(1, 2), Table(), {CGXRange::cols, 0, 1, 0, 2, TRUE}},
        {CGXRange(1, 1, 2, 2), CGXRange(5, 5, 6, 6), {CGXRange::cells, 5, 5, 2, 2, FALSE}},
        {CGXRange(1, 1, 5, 5), CGXRange(3, 4, 9, 9), {CGXRange::cells, 3, 4, 5, 5, TRUE}},
        // Columns with cells: the columns are narrowed, the rows are the cells'.
        {Cols(2, 8), CGXRange(1, 5, 3, 10), {CGXRange::cells, 1, 5, 3, 8, TRUE}},
        {Cols(2, 4), Cols(3, 9), {CGXRange::cols, 0, 3, 0, 4, TRUE}},
        {Cols(2, 3), Cols(5, 9), {CGXRange::cols, 0, 5, 0, 3, FALSE}},
        // Rows with cells: the rows are narrowed, the columns are the cells'.
        {CGXRange(3, 5, 9, 6), Rows(1, 4), {CGXRange::cells, 3, 5, 4, 6, TRUE}},
        {Rows(1, 2), Rows(4, 5), {CGXRange::rows, 4, 0, 2, 0, FALSE}},
    };
    for (const auto& c : cases)
    {
        CGXRange r = Rows(1, 1); // the type of the target does not matter
        EXPECT_EQ(r.IntersectRange(c.a, c.b), c.expected.valid);
        ExpectRange(r, c.expected);
    }

    // The target may be one of the arguments.
    CGXRange a(1, 1, 5, 5);
    a.IntersectRange(a, CGXRange(3, 3, 8, 8));
    ExpectRange(a, {CGXRange::cells, 3, 3, 5, 5, TRUE});
}

TEST(RangeTest, UnionRangeTable)
{
    const struct
    {
        CGXRange a, b;
        Expected expected;
    } cases[] = {
        {Rows(2, 3), Cols(4, 5), {CGXRange::table, 0, 0, 0, 0, TRUE}},
        {CGXRange(1, 1, 2, 2), Table(), {CGXRange::table, 0, 0, 0, 0, TRUE}},
        {CGXRange(1, 7, 2, 9), Cols(3, 4), {CGXRange::cols, 0, 3, 0, 9, TRUE}},
        {CGXRange(1, 7, 2, 9), CGXRange(5, 2, 6, 3), {CGXRange::cells, 1, 2, 6, 9, TRUE}},
        {CGXRange(4, 7, 6, 9), Rows(1, 2), {CGXRange::rows, 1, 0, 6, 0, TRUE}},
    };
    for (const auto& c : cases)
    {
        CGXRange r;
        EXPECT_TRUE(r.UnionRange(c.a, c.b));
        ExpectRange(r, c.expected);
    }
}

TEST(RangeTest, ArchiveFormIsFourDWordsThenTypeAndValidBytes)
{
    const CGXRange r = Cols(0x102, 0x304);
    const Bytes expected = Join({DWord(0), DWord(0x102), DWord(0), DWord(0x304), Bytes{2, 1}});
    EXPECT_EQ(Stored([&](CArchive& ar) { ar << r; }), expected);

    CGXRange loaded;
    Loaded(expected, [&](CArchive& ar) { ar >> loaded; });
    ExpectRange(loaded, {CGXRange::cols, 0, 0x102, 0, 0x304, TRUE});
}

namespace
{
// The ranges of a list in order, as (type, first, last) along one axis or as cells.
std::vector<CGXRange> RangesOf(const CGXRangeList& list)
{
    std::vector<CGXRange> ranges;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        ranges.push_back(*list.GetNextRange(pos));
    return ranges;
}

void Add(CGXRangeList& list, const CGXRange& r)
{
    list.AddTail(new CGXRange(r));
}

std::vector<ROWCOL> Tops(const CGXRangeList& list)
{
    std::vector<ROWCOL> tops;
    for (const CGXRange& r : RangesOf(list))
        tops.push_back(r.top);
    return tops;
}
} // namespace

TEST(RangeListTest, FindsCellsAndSkipsAPosition)
{
    CGXRangeList list;
    Add(list, CGXRange(1, 1, 2, 2));
    Add(list, Rows(5, 6));
    Add(list, CGXRange(2, 2, 3, 3));

    const POSITION posFirst = list.GetHeadPosition();
    EXPECT_EQ(list.FindRange(2, 2), posFirst);
    EXPECT_EQ(list.FindRange(3, 3), list.GetTailPosition());
    EXPECT_EQ(list.FindRange(4, 4), nullptr);
    EXPECT_TRUE(list.IsCellInList(2, 2, posFirst));  // the third range holds it too
    EXPECT_FALSE(list.IsCellInList(1, 1, posFirst)); // only the skipped one does
    EXPECT_TRUE(list.IsCellInList(6, 100));
}

TEST(RangeListTest, DeleteAtNullThrowsInvalidArgument)
{
    CGXRangeList list;
    Add(list, Rows(1, 1));
    EXPECT_THROW(
        {
            try
            {
                list.DeleteAt(nullptr);
            }
            catch (CInvalidArgException* e)
            {
                e->Delete();
                throw 1;
            }
        },
        int);
    EXPECT_EQ(list.GetCount(), 1);
    list.DeleteAt(list.GetHeadPosition());
    EXPECT_TRUE(list.IsEmpty());
}

TEST(RangeListTest, InsertRowsMovesBoundsAtOrBelowTheInsertion)
{
    CGXRangeList list;
    Add(list, CGXRange(2, 1, 4, 1));
    Add(list, Rows(5, 7));
    CGXRange invalid(6, 1, 6, 1);
    invalid.valid = FALSE;
    Add(list, invalid);
    list.InsertRows(4, 2);

    const auto ranges = RangesOf(list);
    ExpectRange(ranges[0], {CGXRange::cells, 2, 1, 6, 1, TRUE});
    ExpectRange(ranges[1], {CGXRange::rows, 7, 0, 9, 0, TRUE});
    ExpectRange(ranges[2], {CGXRange::cells, 8, 1, 8, 1, FALSE}); // invalid ones move too

    CGXRangeList cols;
    Add(cols, Cols(3, 5));
    cols.InsertCols(3, 1);
    ExpectRange(RangesOf(cols)[0], {CGXRange::cols, 0, 4, 0, 6, TRUE});
}

TEST(RangeListTest, RemoveRowsTable)
{
    const struct
    {
        CGXRange range;
        ROWCOL nFirst, nLast, nNewCount;
        Expected expected;
    } cases[] = {
        {Rows(3, 5), 3, 5, 20, {CGXRange::rows, 3, 0, 5, 0, FALSE}},
        {Rows(2, 8), 3, 5, 20, {CGXRange::rows, 2, 0, 5, 0, TRUE}},
        {Rows(4, 10), 3, 5, 20, {CGXRange::rows, 3, 0, 7, 0, TRUE}},
        {Rows(7, 9), 3, 5, 20, {CGXRange::rows, 4, 0, 6, 0, TRUE}},
        {Rows(1, 2), 3, 5, 20, {CGXRange::rows, 1, 0, 2, 0, TRUE}},
        {Rows(2, 30), 3, 5, 20, {CGXRange::rows, 2, 0, 20, 0, TRUE}}, // clamped to the new count
        {CGXRange(4, 2, 6, 3), 4, 4, 20, {CGXRange::cells, 4, 2, 5, 3, TRUE}},
    };
    for (const auto& c : cases)
    {
        CGXRangeList list;
        Add(list, c.range);
        list.RemoveRows(c.nFirst, c.nLast, c.nNewCount);
        ExpectRange(RangesOf(list)[0], c.expected);
    }

    CGXRangeList cols;
    Add(cols, Cols(2, 8));
    cols.RemoveCols(3, 5, 20);
    ExpectRange(RangesOf(cols)[0], {CGXRange::cols, 0, 2, 0, 5, TRUE});
}

TEST(RangeListTest, MoveRowsDownAndUp)
{
    CGXRangeList list;
    for (ROWCOL nRow = 2; nRow <= 7; ++nRow)
        Add(list, Rows(nRow, nRow));
    list.MoveRows(2, 3, 5, 100);
    EXPECT_EQ(Tops(list), (std::vector<ROWCOL>{5, 6, 2, 3, 4, 7}));

    // And back up: rows 5..6 to 2 restores the order.
    list.MoveRows(5, 6, 2, 100);
    EXPECT_EQ(Tops(list), (std::vector<ROWCOL>{2, 3, 4, 5, 6, 7}));

    // The destination is where the first moved row ends up: one inside the block still moves
    // it (rows 3..5 to 4..6, row 6 to 3), as the grid moves its rows.
    list.MoveRows(3, 5, 3, 100);
    EXPECT_EQ(Tops(list), (std::vector<ROWCOL>{2, 3, 4, 5, 6, 7}));
    list.MoveRows(3, 5, 4, 100);
    EXPECT_EQ(Tops(list), (std::vector<ROWCOL>{2, 4, 5, 6, 3, 7}));

    // The bottom moves with the top and is clamped.
    CGXRangeList block;
    Add(block, Rows(2, 3));
    block.MoveRows(2, 3, 9, 10);
    ExpectRange(RangesOf(block)[0], {CGXRange::rows, 9, 0, 10, 0, TRUE});

    CGXRangeList cols;
    Add(cols, Cols(4, 4));
    cols.MoveCols(4, 4, 1, 100);
    ExpectRange(RangesOf(cols)[0], {CGXRange::cols, 0, 1, 0, 1, TRUE});
}

TEST(RangeListTest, AnyCellFromRowOrColumn)
{
    CGXRangeList list;
    Add(list, CGXRange(2, 3, 4, 5));
    EXPECT_TRUE(list.IsAnyCellFromRow(3));
    EXPECT_FALSE(list.IsAnyCellFromRow(5));
    EXPECT_TRUE(list.IsAnyCellFromCol(5));
    EXPECT_FALSE(list.IsAnyCellFromCol(6));

    // A rows range touches every column; a columns range every row.
    Add(list, Rows(10, 10));
    EXPECT_TRUE(list.IsAnyCellFromCol(999));
    EXPECT_FALSE(list.IsAnyCellFromRow(999));
    Add(list, Cols(20, 20));
    EXPECT_TRUE(list.IsAnyCellFromRow(999));

    // Invalid ranges count for nothing.
    CGXRangeList invalid;
    CGXRange table = Table();
    table.valid = FALSE;
    Add(invalid, table);
    EXPECT_FALSE(invalid.IsAnyCellFromRow(1));
}

TEST(RangeListTest, RowArrayMergesSortsAndJoinsIntervals)
{
    CGXRangeList list;
    Add(list, Rows(10, 12));
    Add(list, CGXRange(2, 1, 3, 1));
    Add(list, Rows(11, 15));
    Add(list, Rows(4, 5)); // touches 2..3: joined
    Add(list, Rows(20, 20));

    CDWordArray starts, ends;
    EXPECT_TRUE(list.GetRowArray(100, starts, ends, FALSE));
    ASSERT_EQ(starts.GetSize(), 3);
    EXPECT_EQ((std::vector<DWORD>{starts[0], starts[1], starts[2]}), (std::vector<DWORD>{2, 10, 20}));
    EXPECT_EQ((std::vector<DWORD>{ends[0], ends[1], ends[2]}), (std::vector<DWORD>{5, 15, 20}));

    // Whole rows only: the cells range does not count.
    EXPECT_TRUE(list.GetRowArray(100, starts, ends, TRUE));
    EXPECT_EQ(starts[0], 4u);

    // A columns range covers every row up to the count.
    CGXRangeList cols;
    Add(cols, Cols(3, 4));
    EXPECT_TRUE(cols.GetRowArray(50, starts, ends, FALSE));
    ASSERT_EQ(starts.GetSize(), 1);
    EXPECT_EQ(starts[0], 0u);
    EXPECT_EQ(ends[0], 50u);
    EXPECT_FALSE(cols.GetRowArray(50, starts, ends, TRUE));
    EXPECT_TRUE(starts.IsEmpty());

    EXPECT_TRUE(cols.GetColArray(50, starts, ends, FALSE));
    EXPECT_EQ(starts[0], 3u);
    EXPECT_EQ(ends[0], 4u);
}

TEST(RangeListTest, AssignmentCopiesValidRangesInReverseOrder)
{
    CGXRangeList source;
    Add(source, Rows(1, 1));
    CGXRange invalid(2, 2);
    invalid.valid = FALSE;
    Add(source, invalid);
    Add(source, Rows(3, 3));

    CGXRangeList copy;
    Add(copy, Rows(9, 9));
    copy = source;
    EXPECT_EQ(Tops(copy), (std::vector<ROWCOL>{3, 1}));
    EXPECT_NE(copy.GetHeadRange(), source.GetTailRange()); // new objects

    copy = copy;
    EXPECT_EQ(Tops(copy), (std::vector<ROWCOL>{3, 1}));
}

TEST(RangeListTest, SerializeDropsInvalidRangesAndChecksTheVersion)
{
    CGXRangeList list;
    Add(list, CGXRange(1, 2, 3, 4));
    CGXRange invalid(5, 5);
    invalid.valid = FALSE;
    Add(list, invalid);
    Add(list, Rows(7, 8));

    const Bytes expected = Join({Word(1), DWord(2), DWord(1), DWord(2), DWord(3), DWord(4), Bytes{0, 1}, DWord(7),
                                 DWord(0), DWord(8), DWord(0), Bytes{1, 1}});
    EXPECT_EQ(Stored([&](CArchive& ar) { list.Serialize(ar); }), expected);
    EXPECT_EQ(list.GetCount(), 2);

    // Loading appends to what the list holds.
    CGXRangeList loaded;
    Add(loaded, Cols(1, 1));
    Loaded(expected, [&](CArchive& ar) { loaded.Serialize(ar); });
    const auto ranges = RangesOf(loaded);
    ASSERT_EQ(ranges.size(), 3u);
    ExpectRange(ranges[1], {CGXRange::cells, 1, 2, 3, 4, TRUE});
    ExpectRange(ranges[2], {CGXRange::rows, 7, 0, 8, 0, TRUE});

    CGXRangeList bad;
    EXPECT_EQ(ArchiveCause([&] {
                  Loaded(Join({Word(2), DWord(0)}), [&](CArchive& ar) { bad.Serialize(ar); });
              }),
              CArchiveException::badSchema);
    EXPECT_EQ(ArchiveCause([&] {
                  Loaded(Join({Word(1), DWord(1), DWord(1)}), [&](CArchive& ar) { bad.Serialize(ar); });
              }),
              CArchiveException::endOfFile);
    EXPECT_TRUE(bad.IsEmpty());
}
