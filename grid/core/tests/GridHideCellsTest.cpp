#include "GridTestSupport.h"

#include <grid/core/GridHideCellsImp.h>
#include <grid/core/GridParam.h>
#include <grid/core/Properties.h>

#include <gtest/gtest.h>

#include <cstring>
#include <set>

namespace
{
void SetBits(CByteArray& bits, const std::set<ROWCOL>& rows)
{
    bits.RemoveAll();
    for (ROWCOL n : rows)
        CGXGridHideCellsImp::SetBit(bits, n, TRUE);
}

std::set<ROWCOL> SetBitsOf(const CByteArray& bits)
{
    std::set<ROWCOL> rows;
    for (ROWCOL n = 0; n < static_cast<ROWCOL>(bits.GetSize()) * 8; ++n)
        if (CGXGridHideCellsImp::IsBitSet(bits, n))
            rows.insert(n);
    return rows;
}

} // namespace

TEST(HiddenBitsTest, SettingABitPastTheEndGrowsTheArrayToItsByte)
{
    CByteArray bits;
    CGXGridHideCellsImp::SetBit(bits, 100, TRUE);
    EXPECT_EQ(bits.GetSize(), 13);
    EXPECT_TRUE(CGXGridHideCellsImp::IsBitSet(bits, 100));
    EXPECT_FALSE(CGXGridHideCellsImp::IsBitSet(bits, 99));
    EXPECT_FALSE(CGXGridHideCellsImp::IsBitSet(bits, 5000)); // past the end
    CGXGridHideCellsImp::SetBit(bits, 5000, FALSE);          // clearing past the end grows nothing
    EXPECT_EQ(bits.GetSize(), 13);
}

TEST(HiddenBitsTest, AByteIndexFrom0x7FFFFFFFOnReadsShown)
{
    CByteArray bits;
    bits.SetSize(4);
    memset(bits.GetData(), 0xFF, 4);
    EXPECT_TRUE(CGXGridHideCellsImp::IsBitSet(bits, 31));
    EXPECT_FALSE(CGXGridHideCellsImp::IsBitSet(bits, ROWCOL(0x7FFFFFFF) << 3));
    EXPECT_FALSE(CGXGridHideCellsImp::IsBitSet(bits, GX_INVALID));
}

TEST(HiddenBitsTest, RemovingInsertingAndMovingShiftTheFollowingBits)
{
    struct Case
    {
        const char* name;
        std::set<ROWCOL> before;
        void (*change)(CByteArray&);
        std::set<ROWCOL> after;
    };
    const Case cases[] = {
        {"remove 3..5", {2, 4, 6, 9}, [](CByteArray& b) { CGXGridHideCellsImp::RemoveBits(b, 3, 5); }, {2, 3, 6}},
        {"insert 2 at 3", {2, 4, 9}, [](CByteArray& b) { CGXGridHideCellsImp::InsertBits(b, 3, 2); }, {2, 6, 11}},
        {"move 2..3 to 6", {2, 3, 5}, [](CByteArray& b) { CGXGridHideCellsImp::MoveBits(b, 2, 3, 6); }, {3, 6, 7}},
        {"move 6..7 to 2", {3, 6, 7}, [](CByteArray& b) { CGXGridHideCellsImp::MoveBits(b, 6, 7, 2); }, {2, 3, 5}},
        {"insert 17 across bytes", {1, 7, 8, 20}, [](CByteArray& b) { CGXGridHideCellsImp::InsertBits(b, 7, 17); },
         {1, 24, 25, 37}},
        {"remove 9 across bytes", {1, 7, 16, 30}, [](CByteArray& b) { CGXGridHideCellsImp::RemoveBits(b, 7, 15); },
         {1, 7, 21}},
        {"insert past the end", {2}, [](CByteArray& b) { CGXGridHideCellsImp::InsertBits(b, 40, 3); }, {2}},
        {"insert none", {2}, [](CByteArray& b) { CGXGridHideCellsImp::InsertBits(b, 1, 0); }, {2}},
        {"move onto itself", {2}, [](CByteArray& b) { CGXGridHideCellsImp::MoveBits(b, 2, 3, 2); }, {2}},
        {"move a block past the end", {2, 3}, [](CByteArray& b) { CGXGridHideCellsImp::MoveBits(b, 2, 3, 30); },
         {30, 31}},
    };
    for (const Case& c : cases)
    {
        CByteArray bits;
        SetBits(bits, c.before);
        c.change(bits);
        EXPECT_EQ(SetBitsOf(bits), c.after) << c.name;
    }
}

TEST(HiddenBitsTest, RemovingCutsTheArrayToTheBytesInUse)
{
    CByteArray bits;
    SetBits(bits, {2, 40});
    CGXGridHideCellsImp::RemoveBits(bits, 40, 40);
    EXPECT_EQ(bits.GetSize(), 1);
}

class HideCellsTest : public HiddenGridOfTest<TestGrid>
{
};

TEST_F(HideCellsTest, ALastOfZeroHidesTheFirstAloneAndAHiddenRowHasNoHeight)
{
    ASSERT_NE(m_grid.m_pHideCellsImp, nullptr);
    const int nTop6 = m_grid.CalcSumOfRowHeights(0, 5);
    EXPECT_TRUE(m_grid.HideRows(5, 0));
    EXPECT_TRUE(m_grid.IsRowHidden(5));
    EXPECT_FALSE(m_grid.IsRowHidden(4));
    EXPECT_FALSE(m_grid.IsRowHidden(6));
    EXPECT_EQ(m_grid.GetRowHeight(5), 0);
    EXPECT_EQ(m_grid.CalcSumOfRowHeights(0, 5), nTop6 - m_grid.GetRowHeight(4));
    EXPECT_TRUE(m_grid.IsRowHiddenFlagSet(5));
    EXPECT_FALSE(m_grid.HideRows(5, 0)); // nothing changed
    EXPECT_TRUE(m_grid.HideCols(2, 3));
    EXPECT_TRUE(m_grid.IsColHidden(3));
    EXPECT_EQ(m_grid.GetColWidth(2), 0);
}

TEST_F(HideCellsTest, AFirstIndexPastTheCountIsRefusedAndTheLastStopsAtIt)
{
    EXPECT_FALSE(m_grid.HideRows(21, 21));
    EXPECT_FALSE(m_grid.HideRows(0x7FFFFFF0, 0x7FFFFFFF));
    EXPECT_EQ(m_grid.GetParam()->m_hiddenRows.GetSize(), 0);
    EXPECT_TRUE(m_grid.HideRows(19, GX_INVALID - 1));
    EXPECT_TRUE(m_grid.IsRowHidden(20));
    EXPECT_EQ(m_grid.GetParam()->m_hiddenRows.GetSize(), 3);
}

TEST_F(HideCellsTest, HiddenStatesFollowInsertedAndRemovedRows)
{
    m_grid.HideRows(4, 0);
    m_grid.HideRows(9, 0);
    ASSERT_TRUE(m_grid.InsertRows(3, 2));
    EXPECT_TRUE(m_grid.IsRowHidden(6));
    EXPECT_TRUE(m_grid.IsRowHidden(11));
    EXPECT_FALSE(m_grid.IsRowHidden(3));
    ASSERT_TRUE(m_grid.RemoveRows(5, 7));
    EXPECT_FALSE(m_grid.IsRowHidden(5));
    EXPECT_TRUE(m_grid.IsRowHidden(8));
}

TEST_F(HideCellsTest, AStateArrayGivesEachRowItsStateAndUndoRestoresTheFormerOnes)
{
    m_grid.HideRows(3, 0);
    CByteArray states;
    states.Add(0); // row 3 shown again
    states.Add(1);
    states.Add(1);
    ASSERT_TRUE(m_grid.HideRows(3, 5, FALSE, &states));
    EXPECT_FALSE(m_grid.IsRowHidden(3));
    EXPECT_TRUE(m_grid.IsRowHidden(4));
    EXPECT_TRUE(m_grid.IsRowHidden(5));

    ASSERT_TRUE(m_grid.Undo());
    EXPECT_TRUE(m_grid.IsRowHidden(3));
    EXPECT_FALSE(m_grid.IsRowHidden(4));
    EXPECT_FALSE(m_grid.IsRowHidden(5));
    ASSERT_TRUE(m_grid.Redo());
    EXPECT_FALSE(m_grid.IsRowHidden(3));
    EXPECT_TRUE(m_grid.IsRowHidden(5));
}

TEST_F(HideCellsTest, PrintingLeavesOutTheHeadersThatAreNotPrinted)
{
    m_grid.GetProperties()->m_bPrintColHeaders = FALSE;
    EXPECT_FALSE(m_grid.IsRowHidden(0));
    m_grid.m_bPrinting = TRUE;
    EXPECT_TRUE(m_grid.IsRowHidden(0));
    EXPECT_FALSE(m_grid.IsColHidden(0));
    m_grid.m_bPrinting = FALSE;
}
