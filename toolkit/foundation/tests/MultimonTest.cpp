// The monitor helpers on Wine's single display.
#include <toolkit/foundation/Multimon.h>

#include <gtest/gtest.h>

namespace
{
TEST(MultimonTest, NearestMonitorHasAWorkArea)
{
    HMONITOR hMonitor = MultimonMonitorFromPoint(POINT{-10000, -10000}, MONITOR_DEFAULTTONEAREST);
    ASSERT_NE(hMonitor, nullptr);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_EQ(sizeof(info), 40u);
    ASSERT_TRUE(MultimonGetMonitorInfo(hMonitor, &info));
    EXPECT_GT(info.rcWork.right - info.rcWork.left, 0);
    EXPECT_TRUE(::PtInRect(&info.rcMonitor, POINT{info.rcWork.left, info.rcWork.top}));
    EXPECT_EQ(MultimonMonitorFromPoint(POINT{-10000, -10000}, MONITOR_DEFAULTTONULL), nullptr);
}
} // namespace
