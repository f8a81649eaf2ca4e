#include <grid/core/CollMapDWordToString.h>
#include <grid/core/MapByte8ToPtr.h>
#include <grid/core/MapCellToOb.h>
#include <grid/core/MapDWordToLong.h>
#include <grid/core/MapNdxToOb.h>
#include <grid/core/PtrArrayPtrArray.h>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "ArchiveBytes.h"

namespace
{
typedef std::vector<std::pair<DWORD, LONG>> Pairs;

// The pairs in iteration order.
Pairs IterationOrder(const CGXCollMapDWordToLong& map)
{
    Pairs pairs;
    POSITION pos = map.GetStartPosition();
    while (pos != nullptr)
    {
        DWORD key = 0;
        LONG value = 0;
        map.GetNextAssoc(pos, key, value);
        pairs.emplace_back(key, value);
    }
    return pairs;
}

Pairs Sorted(Pairs pairs)
{
    std::sort(pairs.begin(), pairs.end());
    return pairs;
}

// Each key holds its own number as value, so that the renumbering shows where it went.
void Fill(CGXCollMapDWordToLong& map, const std::vector<DWORD>& keys)
{
    for (DWORD key : keys)
        map.SetAt(key, static_cast<LONG>(key));
}

// Counts the live objects, so that a test sees what a helper deleted.
class CCounted : public CObject
{
public:
    CCounted()
    {
        ++s_nLive;
    }
    ~CCounted() override
    {
        --s_nLive;
    }
    static int s_nLive;
};
int CCounted::s_nLive = 0;

struct RenumberCase
{
    const char* name;
    std::vector<DWORD> keys;
    std::function<void(CGXCollMapDWordToLong&)> renumber;
    Pairs expected; // new key, old key
};

class RenumberTest : public testing::TestWithParam<RenumberCase>
{
};

TEST_P(RenumberTest, KeysFollowTheRows)
{
    CGXCollMapDWordToLong map;
    Fill(map, GetParam().keys);
    GetParam().renumber(map);
    EXPECT_EQ(Sorted(IterationOrder(map)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(CollMapDWordToLong, RenumberTest,
                         testing::Values(RenumberCase{"RemoveKeysDropsAndCloses",
                                                      {1, 3, 4, 6, 9},
                                                      [](CGXCollMapDWordToLong& m) { m.RemoveKeys(3, 5); },
                                                      {{1, 1}, {3, 6}, {6, 9}}},
                                         RenumberCase{"InsertKeysMovesTheRest",
                                                      {1, 4, 7},
                                                      [](CGXCollMapDWordToLong& m) { m.InsertKeys(4, 2); },
                                                      {{1, 1}, {6, 4}, {9, 7}}},
                                         RenumberCase{"MoveKeysDown",
                                                      {1, 2, 3, 4, 5, 6, 7},
                                                      [](CGXCollMapDWordToLong& m) { m.MoveKeys(2, 3, 5); },
                                                      {{1, 1}, {2, 4}, {3, 5}, {4, 6}, {5, 2}, {6, 3}, {7, 7}}},
                                         RenumberCase{"MoveKeysUp",
                                                      {1, 2, 3, 4, 5, 6, 7},
                                                      [](CGXCollMapDWordToLong& m) { m.MoveKeys(5, 6, 2); },
                                                      {{1, 1}, {2, 5}, {3, 6}, {4, 2}, {5, 3}, {6, 4}, {7, 7}}},
                                         RenumberCase{"MoveKeysOntoItself",
                                                      {2, 3, 4},
                                                      [](CGXCollMapDWordToLong& m) { m.MoveKeys(3, 4, 3); },
                                                      {{2, 2}, {3, 3}, {4, 4}}},
                                         RenumberCase{"MoveKeysIntoTheBlock",
                                                      {1, 2, 3, 4, 5, 6},
                                                      [](CGXCollMapDWordToLong& m) { m.MoveKeys(2, 4, 3); },
                                                      {{1, 1}, {2, 5}, {3, 2}, {4, 3}, {5, 4}, {6, 6}}}),
                         [](const testing::TestParamInfo<RenumberCase>& info) { return info.param.name; });

TEST(CollMapDWordToLong, IteratesBucketsInOrderEachChainFromItsHead)
{
    CGXCollMapDWordToLong map;
    // 0x20 and 0x21 share bucket 2; the later one heads the chain. Key 3 is in bucket 0.
    map.SetAt(0x20, 1);
    map.SetAt(0x21, 2);
    map.SetAt(3, -1);
    EXPECT_EQ(IterationOrder(map), (Pairs{{3, -1}, {0x21, 2}, {0x20, 1}}));
    EXPECT_EQ(map.GetCount(), 3);
}

TEST(CollMapDWordToLong, IndexingInsertsZeroAndRemovingTheLastElementEmptiesTheMap)
{
    CGXCollMapDWordToLong map;
    EXPECT_EQ(map.GetStartPosition(), nullptr);
    EXPECT_EQ(map[7], 0);
    map[7] = 12;
    LONG value = 0;
    ASSERT_TRUE(map.Lookup(7, value));
    EXPECT_EQ(value, 12);
    EXPECT_TRUE(map.RemoveKey(7));
    EXPECT_FALSE(map.RemoveKey(7));
    EXPECT_EQ(map.GetStartPosition(), nullptr);
    // The next insertion takes a fresh block.
    map.SetAt(8, 3);
    EXPECT_EQ(IterationOrder(map), (Pairs{{8, 3}}));
}

TEST(CollMapDWordToLong, ANewBucketCountKeepsTheElements)
{
    CGXCollMapDWordToLong map;
    Fill(map, {1, 17, 40, 1000});
    map.InitHashTable(1021);
    EXPECT_EQ(map.GetHashTableSize(), 1021u);
    EXPECT_EQ(Sorted(IterationOrder(map)), (Pairs{{1, 1}, {17, 17}, {40, 40}, {1000, 1000}}));
}

TEST(CollMapDWordToLong, ArchivesA16BitCountAndThePairsInIterationOrder)
{
    CGXCollMapDWordToLong map;
    map.SetAt(0x20, 1);
    map.SetAt(0x21, 2);
    map.SetAt(3, -1);
    const Bytes expected = Join({Word(3), DWord(3), DWord(0xFFFFFFFF), DWord(0x21), DWord(2), DWord(0x20), DWord(1)});
    EXPECT_EQ(Stored([&](CArchive& ar) { map.Serialize(ar); }), expected);

    CGXCollMapDWordToLong loaded;
    Loaded(expected, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(Sorted(IterationOrder(loaded)), (Pairs{{3, -1}, {0x20, 1}, {0x21, 2}}));
}

TEST(CollMapDWordToLong, RefusesToStoreMoreElementsThanTheCountHolds)
{
    CGXCollMapDWordToLong map;
    for (DWORD key = 0; key < 0xFFFF; ++key)
        map.SetAt(key, 1);
    EXPECT_EQ(Stored([&](CArchive& ar) { map.Serialize(ar); }).size(), 2 + 0xFFFFu * 8);

    map.SetAt(0xFFFF, 1);
    EXPECT_EQ(ArchiveCause([&] { Stored([&](CArchive& ar) { map.Serialize(ar); }); }),
              CArchiveException::genericException);
}

TEST(MapDWordToLong, AssignmentReplacesTheContents)
{
    CGXMapDWordToLong source;
    Fill(source, {1, 2});
    CGXMapDWordToLong target;
    Fill(target, {5});
    target = source;
    EXPECT_EQ(Sorted(IterationOrder(target)), (Pairs{{1, 1}, {2, 2}}));
    target = target;
    EXPECT_EQ(target.GetCount(), 2);
}

TEST(MapNdxToOb, ArchivesBothKeysAndTheObject)
{
    CMapNdxToOb map;
    CDWordArray array;
    array.Add(9);
    map.SetAt({5, 6}, &array);
    const Bytes expected = Join({Word(1), DWord(5), DWord(6), NewClassTag(0, "CDWordArray"), Word(1), DWord(9)});
    EXPECT_EQ(Stored([&](CArchive& ar) { map.Serialize(ar); }), expected);

    CMapNdxToOb loaded;
    Loaded(expected, [&](CArchive& ar) { loaded.Serialize(ar); });
    CObject* pObject = nullptr;
    ASSERT_TRUE(loaded.Lookup({5, 6}, pObject));
    ASSERT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CDWordArray)));
    EXPECT_EQ(static_cast<CDWordArray*>(pObject)->GetAt(0), 9u);
    DeleteMapObjects(loaded);
    EXPECT_EQ(loaded.GetCount(), 0);
}

TEST(GridMaps, TwoWordKeysCompareWhole)
{
    CGXMapCellToOb cells;
    CCounted a, b;
    cells.SetAt({3, 4}, &a);
    cells.SetAt({4, 3}, &b);
    CObject* pObject = nullptr;
    ASSERT_TRUE(cells.Lookup({3, 4}, pObject));
    EXPECT_EQ(pObject, &a);
    EXPECT_FALSE(cells.Lookup({3, 5}, pObject));

    CGXMapByte8ToPtr pointers;
    int n1 = 0, n2 = 0;
    pointers.SetAt({1, 2}, &n1);
    pointers.SetAt({1, 3}, &n2);
    void* p = nullptr;
    ASSERT_TRUE(pointers.Lookup({1, 3}, p));
    EXPECT_EQ(p, &n2);
    EXPECT_EQ(pointers.GetCount(), 2);
}

TEST(GridMaps, OwnedContentsAreDeleted)
{
    CCounted::s_nLive = 0;
    CPtrArray array;
    array.Add(new CCounted);
    array.Add(nullptr);
    DeletePtrArrayObjects(array);
    EXPECT_EQ(array.GetSize(), 0);

    CMapPtrToPtr map;
    map.SetAt(&map, new CCounted);
    DeleteMapObjects(map);
    EXPECT_EQ(map.GetCount(), 0);
    EXPECT_EQ(CCounted::s_nLive, 0);

    {
        CGXPtrArrayPtrArray rows;
        CPtrArray* pRow = new CPtrArray;
        pRow->Add(new CCounted);
        rows.SetAtGrow(2, pRow);
        rows.DeleteAllObjects();
        EXPECT_EQ(CCounted::s_nLive, 0);
        EXPECT_EQ(rows.GetSize(), 0);
        // The destructor deletes the inner arrays; what they point to is not theirs.
        CCounted kept;
        pRow = new CPtrArray;
        pRow->Add(&kept);
        rows.Add(pRow);
    }
    EXPECT_EQ(CCounted::s_nLive, 0);
}

TEST(CollMapDWordToString, KeysOfOneBucketAreAllFound)
{
    CGXCollMapDWordToString map;
    // (0x10 >> 4) % 17 and (0x120 >> 4) % 17 are both 1.
    map.SetAt(0x10, _T("ten"));
    map.SetAt(0x120, _T("more"));
    CString value;
    ASSERT_TRUE(map.Lookup(0x10, value));
    EXPECT_EQ(value, _T("ten"));
    ASSERT_TRUE(map.Lookup(0x120, value));
    EXPECT_EQ(value, _T("more"));
    EXPECT_EQ(map[0x30], _T(""));
    EXPECT_EQ(map.GetCount(), 3);
}

TEST(CollMapDWordToString, ArchivesKeysAndTexts)
{
    CGXCollMapDWordToString empty;
    EXPECT_EQ(Stored([&](CArchive& ar) { empty.Serialize(ar); }), Word(0));

    CGXCollMapDWordToString map;
    map.SetAt(0x10, _T("ten"));
    map.SetAt(0x120, _T("more"));
    const Bytes expected = Join({Word(2), DWord(0x120), ArchiveString(L"more"), DWord(0x10), ArchiveString(L"ten")});
    EXPECT_EQ(Stored([&](CArchive& ar) { map.Serialize(ar); }), expected);
}

TEST(CollMapDWordToString, LoadingOverwritesEqualKeysAndKeepsTheOthers)
{
    CGXCollMapDWordToString map;
    map.SetAt(5, _T("old"));
    map.SetAt(6, _T("kept"));
    Loaded(Join({Word(1), DWord(5), ArchiveString(L"new")}), [&](CArchive& ar) { map.Serialize(ar); });
    CString value;
    ASSERT_TRUE(map.Lookup(5, value));
    EXPECT_EQ(value, _T("new"));
    ASSERT_TRUE(map.Lookup(6, value));
    EXPECT_EQ(value, _T("kept"));
    EXPECT_EQ(map.GetCount(), 2);
}

TEST(CollMapDWordToString, RefusesToStoreMoreElementsThanTheCountHolds)
{
    CGXCollMapDWordToString map;
    for (DWORD key = 0; key <= 0xFFFF; ++key)
        map.SetAt(key, _T("x"));
    EXPECT_EQ(ArchiveCause([&] { Stored([&](CArchive& ar) { map.Serialize(ar); }); }),
              CArchiveException::genericException);
}
} // namespace
