// The visual-style layer: style selection, the colour tables, and the library binding with
// the system's libraries (under Wine: no active visual styles), with libraries that cannot be
// loaded, and with a stand-in library that reports active visual styles.
#include <toolkit/foundation/AuxData.h>
#include <toolkit/foundation/BitmapDraw.h>
#include <toolkit/foundation/Colors.h>
#include <toolkit/foundation/ThemeHandle.h>
#include <toolkit/foundation/VisualStyle.h>

#include <memory>

#include <gtest/gtest.h>

#include <testing/FakeThemeLibrary.h>
#include <testing/MemoryCanvas.h>

namespace
{
constexpr COLORREF WHITE = RGB(255, 255, 255);

TEST(VisualStyleTest, SelectionOfTheToolkitStyleAnswersTheOldFlag)
{
    SECSetVisualStyle(1);
    EXPECT_FALSE(SECSelectVisualStyle(TRUE));
    EXPECT_TRUE(SECSelectVisualStyle(TRUE));
    EXPECT_EQ(SECGetVisualStyle(), 3);
    EXPECT_TRUE(SECIsVisualStyle3());
    EXPECT_FALSE(SECIsVisualStyle2());
    EXPECT_TRUE(SECSelectVisualStyle(FALSE));
    EXPECT_EQ(SECGetVisualStyle(), 1);

    struct Case
    {
        int nStyle;
        BOOL bResult;
        int nSelected;
    };
    // Wine has no active visual styles: style 4 falls back to 1.
    const Case cases[] = {{2, TRUE, 2}, {3, TRUE, 3}, {4, FALSE, 1}, {0, FALSE, 1}, {7, FALSE, 1}};
    for (const Case& c : cases)
    {
        EXPECT_EQ(SECSetVisualStyle(c.nStyle), c.bResult) << c.nStyle;
        EXPECT_EQ(SECGetVisualStyle(), c.nSelected) << c.nStyle;
    }
    EXPECT_FALSE(SECIsThemeActive());
    EXPECT_FALSE(SECIsVisualStyle4());
}

TEST(VisualStyleTest, TablesAreWhiteBeyondTheirEnds)
{
    EXPECT_EQ(SECGetStyleColor(33), WHITE);
    EXPECT_EQ(SECGetStyleColor2(8), WHITE);
    EXPECT_EQ(SECGetStyleColor(28), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(SECGetAuxData()->clrBtnFace, ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(SECGetAuxData()->cxBorder2, 2);
}

TEST(VisualStyleTest, ThemeTableHoldsItsDefaultsWithoutAWindow)
{
    SECComputeThemeColors(nullptr);
    const COLORREF defaults[] = {0xE4AE88, 0xFEEBDC, 0xF5BE9E, 0x5FB4FF, 0x089AF7, 0xBDF0FF, 0xC66931, 0x000000};
    for (UINT i = 0; i < 8; ++i)
        EXPECT_EQ(SECGetStyleColor2(i), defaults[i]) << i;
}

TEST(VisualStyleTest, StyleTableFollowsItsBaseColours)
{
    SECGetAuxData();
    // Texts nearly as light as the faces behind them, so that the contrasts have work to do.
    const SECBaseColors base{RGB(255, 255, 255), RGB(235, 235, 230), RGB(212, 208, 200), RGB(128, 128, 128),
                             RGB(205, 205, 200), RGB(10, 36, 106),   RGB(128, 128, 120), RGB(5, 5, 5)};
    SECComputeStyleColors(base);

    // The table as rows: a colour or a blend of two, then optionally made to contrast with a
    // reference. Sources below 100 are base colours, 100 + i entry i.
    enum Source
    {
        W,
        WT,
        F,
        S,
        T,
        H,
        G,
        WF,
        BLACK,
        F_W_48,
        NONE = -1,
        E = 100
    };
    struct Row
    {
        int a, b, p, ref, d;
    };
    const Row rows[33] = {
        {W, F, 165, NONE, 0},       {S, W, 70, E + 0, 50},       {T, NONE, 0, E + 0, 180},    {E + 0, NONE, 0, NONE, 0},
        {E + 0, NONE, 0, NONE, 0},  {H, W, 30, E + 0, 50},       {H, NONE, 0, E + 0, 100},    {H, W, 50, NONE, 0},
        {H, NONE, 0, NONE, 0},      {E + 0, NONE, 0, NONE, 0},   {E + 0, NONE, 0, NONE, 0},   {H, F_W_48, 7, E + 0, 5},
        {H, NONE, 0, NONE, 0},      {E + 7, NONE, 0, E + 0, 30}, {H, NONE, 0, E + 13, 100},   {F, W, 143, NONE, 0},
        {WT, NONE, 0, E + 15, 180}, {E + 15, NONE, 0, NONE, 0},  {G, W, 70, E + 15, 80},      {E + 5, NONE, 0, NONE, 0},
        {E + 6, NONE, 0, NONE, 0},  {WF, NONE, 0, E + 5, 180},   {E + 15, NONE, 0, NONE, 0},  {G, W, 70, NONE, 0},
        {E + 6, NONE, 0, NONE, 0},  {E + 0, NONE, 0, NONE, 0},   {T, S, 20, E + 0, 100},      {E + 1, NONE, 0, NONE, 0},
        {F, NONE, 0, NONE, 0},      {E + 2, NONE, 0, NONE, 0},   {BLACK, E + 5, 25, NONE, 0}, {S, W, 90, NONE, 0},
        {S, W, 75, E + 0, 85},
    };
    const COLORREF baseValues[] = {base.window,   base.windowText,
                                   base.btnFace,  base.btnShadow,
                                   base.btnText,  base.highlight,
                                   base.grayText, base.windowFrame,
                                   RGB(0, 0, 0),  SECBlendColors(base.btnFace, base.window, 48)};
    COLORREF expected[33] = {};
    const auto value = [&](int source) { return source >= E ? expected[source - E] : baseValues[source]; };
    for (int i = 0; i < 33; ++i)
    {
        const Row& row = rows[i];
        COLORREF clr = row.b == NONE ? value(row.a) : SECBlendColors(value(row.a), value(row.b), row.p);
        if (row.ref != NONE)
            clr = SECEnsureContrast(clr, value(row.ref), row.d);
        expected[i] = clr;
    }
    for (UINT i = 0; i < 33; ++i)
        EXPECT_EQ(SECGetStyleColor(i), expected[i]) << i;
    // Entry 0 by hand: (255·165 + 212·835 + 500) / 1000 = 219, and so on.
    EXPECT_EQ(SECGetStyleColor(0), RGB(219, 216, 209));
    EXPECT_NE(SECGetStyleColor(2), base.btnText);
    EXPECT_NE(SECGetStyleColor(16), base.windowText);
    SECComputeStyleColors();
}

class LibraryBindingTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        SECSetVisualStyle(1);
    }
};

TEST_F(LibraryBindingTest, MissingLibrariesFailSoftly)
{
    const FakeThemeLibrary missing(FakeThemeLibrary::NONE);
    EXPECT_EQ(SECOpenThemeData(nullptr, L"BUTTON"), nullptr);
    TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, nullptr, 0};
    EXPECT_FALSE(SECTrackMouseEvent(&tme));
    EXPECT_EQ(SECCloseThemeData(FakeThemeLibrary::hTheme), E_FAIL);
    EXPECT_FALSE(SECIsAppThemed());
    EXPECT_FALSE(SECLoadThemeLibrary());
    EXPECT_FALSE(SECSetVisualStyle(4));
    EXPECT_EQ(SECGetVisualStyle(), 1);
}

TEST_F(LibraryBindingTest, FailedThemeLibraryLoadIsNotRetried)
{
    FakeThemeLibrary comCtlOnly(FakeThemeLibrary::COMCTL_ONLY);
    ASSERT_TRUE(SECGetComCtlVersion());
    int& nLoads = comCtlOnly.State().nLoads;
    nLoads = 0;
    EXPECT_FALSE(SECLoadThemeLibrary());
    const int nLoadsOfFirstTry = nLoads;
    EXPECT_GT(nLoadsOfFirstTry, 0);
    EXPECT_EQ(SECOpenThemeData(nullptr, L"BUTTON"), nullptr);
    EXPECT_FALSE(SECIsThemeActive());
    EXPECT_FALSE(SECLoadThemeLibrary());
    EXPECT_EQ(nLoads, nLoadsOfFirstTry);
}

TEST_F(LibraryBindingTest, ActiveVisualStylesNeedComCtl6)
{
    struct Case
    {
        DWORD dwComCtlMajor;
        BOOL bThemeActive;
    };
    for (const Case& c : {Case{6, TRUE}, Case{5, FALSE}})
    {
        FakeThemeLibrary library;
        library.State().dwComCtlMajor = c.dwComCtlMajor;
        EXPECT_EQ(SECIsThemeActive(), c.bThemeActive) << c.dwComCtlMajor;
        EXPECT_TRUE(SECIsAppThemed());
        EXPECT_EQ(SECSetVisualStyle(4), c.bThemeActive) << c.dwComCtlMajor;
        EXPECT_EQ(SECGetVisualStyle(), c.bThemeActive ? 4 : 1);
    }
    const FakeThemeLibrary library;
    TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, nullptr, 0};
    EXPECT_TRUE(SECTrackMouseEvent(&tme));
    // A missing entry point fails by itself.
    COLORREF clr = 0;
    EXPECT_EQ(SECGetThemeColor(FakeThemeLibrary::hTheme, 1, 1, 3823, &clr), E_FAIL);
}

TEST_F(LibraryBindingTest, ThemedBitmapDrawsThePartThenTheMaskedImage)
{
    auto library = std::make_unique<FakeThemeLibrary>();
    FakeThemeLibrary::Record& record = library->State();
    record.clrBackground = RGB(0, 0, 255);
    MemoryCanvas image(4, 4, RGB(255, 0, 255));
    image.Fill(1, 1, 2, 2, RGB(255, 0, 0));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&image.Dc(), 4, 4));
    {
        CDC dc;
        dc.CreateCompatibleDC(&image.Dc());
        CBitmap* pOld = dc.SelectObject(&bitmap);
        dc.BitBlt(0, 0, 4, 4, &image.Dc(), 0, 0, SRCCOPY);
        dc.SelectObject(pOld);
    }
    tarnwick::foundation::SECThemeHandle toolbar(L"TOOLBAR");
    const auto draw = [&](MemoryCanvas& target) {
        return SECDrawThemedBitmap(toolbar.Get(nullptr), target.Hdc(), static_cast<HBITMAP>(bitmap.m_hObject), 1, 1, 2,
                                   2, 10, 10, 3, 3, 4, 4, RGB(255, 0, 255));
    };
    MemoryCanvas target(20, 20, WHITE);
    EXPECT_EQ(draw(target), S_OK);
    EXPECT_EQ(target.Pixel(0, 0), WHITE);
    EXPECT_EQ(target.Pixel(3, 3), RGB(0, 0, 255)); // the part's background
    EXPECT_EQ(target.Pixel(5, 5), RGB(0, 0, 255)); // a transparent pixel of the image
    EXPECT_EQ(target.Pixel(6, 6), RGB(255, 0, 0)); // an opaque one

    // A part that cannot be drawn: its failure, nothing drawn.
    record.hrBackground = E_INVALIDARG;
    MemoryCanvas failed(20, 20, WHITE);
    EXPECT_EQ(draw(failed), E_INVALIDARG);
    EXPECT_EQ(failed.Pixel(6, 6), WHITE);
    // Both pictures drew with the data the holder opened once.
    EXPECT_EQ(record.classes, std::vector<std::wstring>{L"TOOLBAR"});
    EXPECT_EQ(record.nThemesClosed, 0);

    // Without visual styles: nothing drawn.
    library.reset();
    MemoryCanvas plain(20, 20, WHITE);
    EXPECT_EQ(draw(plain), E_FAIL);
    EXPECT_EQ(plain.Pixel(6, 6), WHITE);
}
} // namespace
