// The windows of the cell controls that draw visual-style parts keep the theme data they open
// for their pictures, and drop it when the theme changes.
#include <grid/controls/BCalculator.h>
#include <grid/controls/BDropEdit.h>
#include <grid/controls/TabbedLBoxHeader.h>

#include <testing/FakeThemeLibrary.h>
#include <testing/MemoryCanvas.h>
#include <testing/MessagePump.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{
class ThemedWindowsTest : public HiddenWindowTest
{
protected:
    // Three pictures draw with the classes opened once; a theme change closes them, and the next
    // picture opens them again.
    void ExpectDataKeptUntilThemeChange(CWnd& wnd, const std::function<void(CDC&)>& paint,
                                        const std::vector<std::wstring>& classes)
    {
        const FakeThemeRecord& record = m_themes.State();
        MemoryCanvas canvas(200, 100, RGB(1, 2, 3));
        for (int i = 0; i < 3; ++i)
            paint(canvas.Dc());
        EXPECT_FALSE(record.parts.empty());
        EXPECT_EQ(record.classes, classes);
        EXPECT_EQ(record.nThemesClosed, 0);

        wnd.SendMessage(WM_THEMECHANGED);
        EXPECT_EQ(record.nThemesClosed, static_cast<int>(classes.size()));
        paint(canvas.Dc());
        EXPECT_EQ(record.classes.size(), 2 * classes.size());
    }

    FakeThemeLibrary m_themes;
};

TEST_F(ThemedWindowsTest, DropEditButton)
{
    CGXBDropEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD, CRect(0, 0, 100, 20), &Parent(), 1));
    ExpectDataKeptUntilThemeChange(edit, [&](CDC& dc) { edit.DrawButton(dc, CRect(0, 0, 15, 20)); }, {L"BUTTON"});
}

TEST_F(ThemedWindowsTest, CalculatorDisplayAndButtons)
{
    CGXBCalculator calc;
    ASSERT_TRUE(calc.Create(WS_CHILD, CPoint(0, 0), &Parent(), 1));
    ExpectDataKeptUntilThemeChange(calc, [&](CDC& dc) { calc.Paint(dc); }, {L"Edit", L"Button"});
}

TEST_F(ThemedWindowsTest, TabbedListTitles)
{
    CGXTabbedLBoxHeader header;
    // A plain child window: the header's own class belongs to the grid's start-up.
    ASSERT_TRUE(header.CreateEx(0, AfxRegisterWndClass(0), nullptr, WS_CHILD, CRect(0, 0, 120, 18), &Parent(), 0));
    header.m_strHeaderText = _T("Code\tName");
    ExpectDataKeptUntilThemeChange(
        header, [&](CDC& dc) { header.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.m_hDC), PRF_CLIENT); },
        {L"HEADER"});
    header.DestroyWindow();
}
} // namespace
