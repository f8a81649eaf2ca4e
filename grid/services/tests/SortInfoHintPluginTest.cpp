#include "GridTestSupport.h"

#include <grid/core/PluginComponent.h>
#include <grid/core/SortInfoArray.h>
#include <grid/services/views/GridHint.h>

#include <gtest/gtest.h>

namespace
{
TEST(SortInfoArrayTest, GrowsByAnEighthClampedToFourThenZeroFills)
{
    CGXSortInfoArray keys;
    keys.SetSize(1);
    EXPECT_EQ(keys.GetSize(), 1);
    EXPECT_EQ(keys.GetCapacity(), 1);
    keys[0].nRowCol = 7;
    keys.SetSize(2, 0);
    EXPECT_EQ(keys.GetSize(), 2);
    EXPECT_EQ(keys.GetCapacity(), 5);
    EXPECT_EQ(keys[0].nRowCol, 7u);
    EXPECT_EQ(keys[1].nRowCol, 0u);
    keys[1].bCase = 9;
    keys.SetSize(1);
    keys.SetSize(2);
    EXPECT_EQ(keys.GetCapacity(), 5) << "shrinking keeps the records";
    EXPECT_EQ(keys[1].bCase, 0u) << "records that come back are zero-filled";
    keys.SetSize(0);
    EXPECT_EQ(keys.GetCapacity(), 0);
}

TEST(GridHintTest, ConstructorSetsKindAndViewAndClearsTheRest)
{
    const CGXGridHint hint(17, CGXGridHint::allViews);
    EXPECT_EQ(hint.id, 17u);
    EXPECT_EQ(hint.viewId, 0xFFFFFFFFu);
    EXPECT_EQ(hint.style, nullptr);
    EXPECT_EQ(hint.value1 + hint.value2 + hint.flags + hint.row1 + hint.col3, 0u);
    EXPECT_TRUE(hint.IsKindOf(RUNTIME_CLASS(CGXGridHint)));
}

using PluginComponentTest = HiddenGridTest;

TEST_F(PluginComponentTest, DestroyedComponentLeavesItsWindowAlive)
{
    const HWND hGrid = m_grid.GetSafeHwnd();
    {
        CGXPluginComponent plugin;
        EXPECT_TRUE(plugin.PlugIn(&m_grid));
        EXPECT_EQ(plugin.GetSafeHwnd(), hGrid);
    }
    EXPECT_TRUE(::IsWindow(hGrid));
    CGXPluginComponent empty;
    EXPECT_TRUE(empty.PlugIn(nullptr));
    EXPECT_EQ(empty.GetSafeHwnd(), nullptr);
}
} // namespace
