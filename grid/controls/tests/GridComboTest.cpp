#include "DropDownFlagProbe.h"
#include "GridTestSupport.h"

#include <grid/controls/GridCombo.h>
#include <grid/controls/TabbedLBoxHeader.h>
#include <grid/core/AppData.h>
#include <testing/FakeThemeLibrary.h>
#include <testing/MemoryCanvas.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vsstyle.h>

namespace
{
constexpr COLORREF rgbCanvas = RGB(1, 2, 3);

// A window that records the commands it gets.
class CommandSink : public CWnd
{
public:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        m_commands.emplace_back(wParam, lParam);
        return TRUE;
    }
    std::vector<std::pair<WPARAM, LPARAM>> m_commands;
};

// A list box that tells when it is deleted.
class WatchedList : public CListBox
{
public:
    explicit WatchedList(BOOL* pDeleted) : m_pDeleted(pDeleted)
    {
    }
    ~WatchedList() override
    {
        *m_pDeleted = TRUE;
    }

private:
    BOOL* m_pDeleted;
};

class GridComboTest : public GridWindowTest
{
protected:
    void SetUp() override
    {
        GridWindowTest::SetUp();
        m_owner.CreateEx(0, AfxRegisterWndClass(0), nullptr, WS_CHILD, CRect(0, 0, 10, 10), &Parent(), 1);
    }
    // A list box child of the frame over its client area.
    CListBox* AddList(CGXGridCombo& combo, CListBox* pList)
    {
        CRect rect;
        combo.GetClientRect(rect);
        pList->Create(WS_CHILD | WS_VISIBLE | LBS_NOTIFY | LBS_HASSTRINGS, rect, &combo, 7);
        combo.SetListBox(pList);
        return pList;
    }

    CommandSink m_owner;
};

TEST_F(GridComboTest, TheFrameIsAVisibleSaveBitsToolPopupOnePixelWider)
{
    std::vector<BOOL> flags;
    std::unique_ptr<CGXGridCombo> pCombo;
    {
        const DropDownFlagProbe probe;
        pCombo = std::make_unique<CGXGridCombo>(&m_owner, CRect(100, 50, 200, 150));
        flags = probe.Flags();
    }
    CGXGridCombo& combo = *pCombo;
    ASSERT_FALSE(flags.empty());
    EXPECT_EQ(std::count(flags.begin(), flags.end(), FALSE), 0);
    EXPECT_FALSE(CGXGridCombo::IsDropDownOwner());

    ASSERT_NE(combo.GetSafeHwnd(), nullptr);
    const DWORD dwStyle = combo.GetStyle();
    EXPECT_EQ(dwStyle & (WS_POPUP | WS_VISIBLE | WS_CHILD), DWORD(WS_POPUP | WS_VISIBLE));
    EXPECT_TRUE(combo.GetExStyle() & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(::GetClassLongPtrW(combo.m_hWnd, GCL_STYLE) & CS_SAVEBITS);
    CRect rect;
    combo.GetWindowRect(rect);
    EXPECT_EQ(rect, CRect(99, 50, 200, 150));
}

TEST_F(GridComboTest, OnlyTheListsCommandsReachTheOwnerAndCloseIsIgnored)
{
    CGXGridCombo combo(&m_owner, CRect(0, 0, 100, 100));
    CListBox list;
    AddList(combo, &list);
    CListBox other;
    other.Create(WS_CHILD | LBS_NOTIFY, CRect(0, 0, 10, 10), &combo, 8);

    combo.SendMessage(WM_COMMAND, MAKEWPARAM(7, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list.m_hWnd));
    combo.SendMessage(WM_COMMAND, MAKEWPARAM(8, LBN_SELCHANGE), reinterpret_cast<LPARAM>(other.m_hWnd));
    ASSERT_EQ(m_owner.m_commands.size(), 1u);
    EXPECT_EQ(m_owner.m_commands[0].first, MAKEWPARAM(7, LBN_SELCHANGE));
    EXPECT_EQ(m_owner.m_commands[0].second, reinterpret_cast<LPARAM>(list.m_hWnd));

    combo.SendMessage(WM_SYSCOMMAND, SC_CLOSE);
    combo.SendMessage(WM_SYSCOMMAND, SC_MOVE);
    EXPECT_TRUE(::IsWindow(combo.m_hWnd));
    combo.SetListBox(nullptr);
}

TEST_F(GridComboTest, WithColoursTheListPaintsInTheCellsInterior)
{
    const COLORREF rgbInterior = RGB(0, 128, 0);
    CGXGridCombo combo(&m_owner, CRect(0, 0, 100, 100));
    CListBox* pList = AddList(combo, new CListBox);
    pList->AddString(_T("x"));
    combo.SetColor(RGB(0, 0, 0), rgbInterior);
    MemoryCanvas canvas(100, 100, rgbCanvas);
    pList->SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Hdc()), PRF_CLIENT | PRF_ERASEBKGND);
    EXPECT_EQ(canvas.Pixel(90, 5), rgbInterior) << "the item";
    EXPECT_EQ(canvas.Pixel(50, 80), rgbInterior) << "below the items";
}

TEST_F(GridComboTest, DestroyingTheFrameFreesListAndBrush)
{
    BOOL bListDeleted = FALSE;
    HBRUSH hBrush = nullptr;
    {
        CGXGridCombo combo(&m_owner, CRect(0, 0, 100, 100));
        CListBox* pList = AddList(combo, new WatchedList(&bListDeleted));
        combo.SetColor(RGB(0, 0, 0), RGB(10, 20, 30));
        MemoryCanvas canvas(4, 4, rgbCanvas);
        hBrush = reinterpret_cast<HBRUSH>(
            combo.SendMessage(WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(canvas.Hdc()),
                              reinterpret_cast<LPARAM>(pList->m_hWnd)));
        ASSERT_NE(hBrush, nullptr);
        EXPECT_EQ(canvas.Dc().GetBkColor(), RGB(10, 20, 30));
        EXPECT_EQ(::GetObjectType(hBrush), DWORD(OBJ_BRUSH));
    }
    EXPECT_TRUE(bListDeleted);
    EXPECT_EQ(::GetObjectType(hBrush), 0u);
}

// ---- tabbed items and header ----

class TabbedListTest : public GridWindowTest
{
protected:
    MemoryCanvas m_canvas{200, 40, rgbCanvas};
};

TEST_F(TabbedListTest, ATextWithoutTabsIsOneColumnAndBitmapsCountTheirSize)
{
    int anWidths[3] = {0, 5, 6};
    GXMeasureTabbedColumns(&m_canvas.Dc(), _T("abc"), 3, anWidths);
    EXPECT_GT(anWidths[0], 0);
    EXPECT_EQ(anWidths[1], 5);
    EXPECT_EQ(anWidths[2], 6);

    int anBitmap[2] = {0, 0};
    GXMeasureTabbedColumns(&m_canvas.Dc(), _T("x\t#BMP(20024)"), 2, anBitmap);
    EXPECT_EQ(anBitmap[1], 65);
    int nHeight = 4;
    GXMeasureTabbedListItem(&m_canvas.Dc(), nHeight, _T("x\t#BMP(20024)"), FALSE, 0);
    EXPECT_EQ(nHeight, 13);
    nHeight = 4;
    GXMeasureTabbedListItem(&m_canvas.Dc(), nHeight, _T("x\t#BMP(20024)"), TRUE, 0);
    EXPECT_EQ(nHeight, 4) << "the bitmap's column is not shown";
}

TEST_F(TabbedListTest, ItemLinesStandAtTheColumnEdgesOnlyWithSeveralColumns)
{
    const int anEdges[2] = {40, 90};
    const COLORREF rgbLine = RGB(255, 0, 0);
    const COLORREF rgbBack = RGB(0, 0, 255);
    const CRect rect(10, 5, 190, 25);
    GXDrawTabbedListItem(&m_canvas.Dc(), rect, _T("\t"), FALSE, 0, 2, anEdges, rgbLine, 0, rgbBack, 3);
    for (int nEdge : anEdges)
    {
        const int x = rect.left + nEdge - 2 + 3;
        EXPECT_EQ(m_canvas.Pixel(x, 10), rgbLine) << nEdge;
        EXPECT_EQ(m_canvas.Pixel(x + 1, 10), rgbBack) << nEdge;
        EXPECT_EQ(m_canvas.Pixel(x - 1, 10), rgbBack) << nEdge;
    }
    EXPECT_EQ(m_canvas.Pixel(9, 10), rgbCanvas);

    GXDrawTabbedListItem(&m_canvas.Dc(), rect, _T("\t"), TRUE, 0, 2, anEdges, rgbLine, 0, rgbBack, 3);
    for (int nEdge : anEdges)
        EXPECT_EQ(m_canvas.Pixel(rect.left + nEdge + 1, 10), rgbBack) << nEdge;
}

class TabbedHeaderTest : public TabbedListTest
{
protected:
    void SetUp() override
    {
        TabbedListTest::SetUp();
        ASSERT_TRUE(m_header.CreateHeader());
        m_header.SetWindowPos(nullptr, 0, 0, 150, 20, SWP_NOZORDER | SWP_NOACTIVATE);
        m_header.m_nColumns = 3;
        m_header.m_pColumnEdges = m_anEdges;
    }
    void TearDown() override
    {
        m_header.DestroyWindow();
    }
    void Print(MemoryCanvas& canvas)
    {
        m_header.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Hdc()), PRF_CLIENT);
    }

    const int m_anEdges[3] = {50, 100, 150};
    CGXTabbedLBoxHeader m_header;
};

TEST_F(TabbedHeaderTest, IsAToolWindowChildOfTheDesktop)
{
    EXPECT_TRUE(m_header.GetExStyle() & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(m_header.GetStyle() & WS_CHILD);
    EXPECT_EQ(::GetParent(m_header.m_hWnd), ::GetDesktopWindow());
}

TEST_F(TabbedHeaderTest, ClassicFramesPerColumnOrOneAcross)
{
    const FakeThemeLibrary classic(FakeThemeLibrary::NONE);
    const COLORREF rgbDark = ::GetSysColor(COLOR_3DDKSHADOW);
    const int xFirstRight = m_anEdges[0] - 2;
    m_header.m_bAllColumns = TRUE;
    MemoryCanvas columns(150, 20, rgbCanvas);
    Print(columns);
    EXPECT_EQ(columns.Pixel(xFirstRight, 10), rgbDark);
    EXPECT_EQ(columns.Pixel(149, 10), rgbDark) << "the last column runs to the right edge";

    m_header.m_bAllColumns = FALSE;
    MemoryCanvas across(150, 20, rgbCanvas);
    Print(across);
    EXPECT_EQ(across.Pixel(xFirstRight, 10), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(across.Pixel(149, 10), rgbDark);
}

TEST_F(TabbedHeaderTest, WithAllColumnsAndDisplayColumnOneTheTitlesStartAfterTheFirst)
{
    const FakeThemeLibrary classic(FakeThemeLibrary::NONE);
    m_header.m_bAllColumns = TRUE;
    m_header.m_strHeaderText = _T("Key\tName\tCity");
    m_header.m_nDisplayCol = 1;
    MemoryCanvas shifted(150, 20, rgbCanvas);
    Print(shifted);
    m_header.m_strHeaderText = _T("Name\tCity");
    m_header.m_nDisplayCol = 0;
    MemoryCanvas reference(150, 20, rgbCanvas);
    Print(reference);
    m_header.m_strHeaderText = _T("Key\tName\tCity");
    MemoryCanvas unshifted(150, 20, rgbCanvas);
    Print(unshifted);

    int nDiffering = 0;
    for (int x = 0; x < 48; ++x)
        for (int y = 0; y < 20; ++y)
        {
            EXPECT_EQ(shifted.Pixel(x, y), reference.Pixel(x, y)) << x << "," << y;
            nDiffering += shifted.Pixel(x, y) != unshifted.Pixel(x, y);
        }
    EXPECT_GT(nDiffering, 0) << "the first column shows another title";
}

TEST_F(TabbedHeaderTest, AThemeDrawsTheDisplayColumnHot)
{
    FakeThemeLibrary themed;
    m_header.m_bAllColumns = TRUE;
    m_header.m_nDisplayCol = 1;
    MemoryCanvas canvas(150, 20, rgbCanvas);
    Print(canvas);
    const std::vector<std::pair<int, int>> expected = {
        {HP_HEADERITEM, HIS_NORMAL}, {HP_HEADERITEM, HIS_HOT}, {HP_HEADERITEM, HIS_NORMAL}};
    EXPECT_EQ(themed.State().parts, expected);
    ASSERT_FALSE(themed.State().classes.empty());
    EXPECT_EQ(themed.State().classes.front(), L"HEADER");
}
} // namespace
