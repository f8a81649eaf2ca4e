// A parent's drawing kept off its shown child windows.
#include <toolkit/foundation/ChildClip.h>

#include <gtest/gtest.h>

#include <testing/MemoryCanvas.h>
#include <testing/MessagePump.h>

namespace
{
class ChildClipTest : public HiddenWindowTest
{
protected:
    HWND AddChild(const RECT& rect, DWORD dwStyle)
    {
        return ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | dwStyle, rect.left, rect.top,
                                 rect.right - rect.left, rect.bottom - rect.top, Parent().m_hWnd, nullptr, nullptr,
                                 nullptr);
    }
};

TEST_F(ChildClipTest, ShownChildrenAreLeftAloneAndHiddenOnesPaintedOver)
{
    const COLORREF clrChild = RGB(1, 2, 3);
    const COLORREF clrParent = RGB(200, 100, 50);
    ASSERT_NE(AddChild({10, 10, 30, 30}, WS_VISIBLE), nullptr);
    ASSERT_NE(AddChild({40, 10, 60, 30}, 0), nullptr);
    ASSERT_NE(AddChild({70, 10, 90, 30}, WS_VISIBLE), nullptr);
    MemoryCanvas canvas(100, 40, clrChild);
    SECExcludeChildWindows(canvas.Hdc(), Parent().m_hWnd);
    canvas.Fill(0, 0, 100, 40, clrParent);
    const struct
    {
        int x;
        int y;
        COLORREF clr;
    } probes[] = {{5, 5, clrParent},   {10, 10, clrChild},  {29, 29, clrChild}, {30, 20, clrParent},
                  {50, 20, clrParent}, {70, 10, clrChild},  {89, 29, clrChild}, {95, 35, clrParent}};
    for (const auto& probe : probes)
        EXPECT_EQ(canvas.Pixel(probe.x, probe.y), probe.clr) << probe.x << "," << probe.y;
}
} // namespace
