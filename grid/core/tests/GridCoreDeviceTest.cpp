#include "GridTestSupport.h"

#include <afxext.h>

#include <grid/core/Data.h>
#include <grid/core/FontState.h>
#include <grid/core/GridParam.h>
#include <grid/core/Properties.h>

#include <gtest/gtest.h>

namespace
{
using GridCoreDeviceTest = HiddenGridTest;
} // namespace

TEST_F(GridCoreDeviceTest, PrintingMapsScreenPixelsToPrinterPixels)
{
    GX_FONT_STATE* pState = GXGetFontState();
    const CSize saved(pState->m_nLogPixelsX, pState->m_nLogPixelsY);
    pState->m_nLogPixelsX = 72;
    pState->m_nLogPixelsY = 48;

    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CPrintInfo info;
    m_grid.OnGridPrepareDC(&dc, &info);
    pState->m_nLogPixelsX = saved.cx;
    pState->m_nLogPixelsY = saved.cy;

    EXPECT_EQ(dc.GetMapMode(), MM_ANISOTROPIC);
    EXPECT_EQ(dc.GetWindowExt(), CSize(72, 48));
    EXPECT_EQ(dc.GetViewportExt(), CSize(dc.GetDeviceCaps(LOGPIXELSX), dc.GetDeviceCaps(LOGPIXELSY)));
}

TEST_F(GridCoreDeviceTest, TheScreenKeepsItsMappingWithoutPrinterMetrics)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    m_grid.OnGridPrepareDC(&dc, nullptr);
    EXPECT_EQ(dc.GetMapMode(), MM_TEXT);
}

TEST_F(GridCoreDeviceTest, SettingTheCurrentCountChangesNothing)
{
    EXPECT_TRUE(m_grid.SetRowCount(20));
    EXPECT_TRUE(m_grid.SetColCount(5));
    EXPECT_EQ(m_grid.GetRowCount(), 20u);
    EXPECT_EQ(m_grid.GetColCount(), 5u);
}

TEST_F(GridCoreDeviceTest, StoringACountIsRefusedOnlyByALockedReadOnlyGrid)
{
    m_grid.SetParamSetting(TRUE);
    EXPECT_FALSE(m_grid.StoreRowCount(30));
    EXPECT_FALSE(m_grid.StoreColCount(8));
    EXPECT_EQ(m_grid.GetRowCount(), 20u);
    EXPECT_EQ(m_grid.GetColCount(), 5u);

    m_grid.GetParam()->m_bLockReadOnly = FALSE;
    EXPECT_TRUE(m_grid.StoreRowCount(30));
    EXPECT_TRUE(m_grid.StoreColCount(8));
    EXPECT_EQ(m_grid.GetRowCount(), 30u);
    EXPECT_EQ(m_grid.GetColCount(), 8u);
}

TEST_F(GridCoreDeviceTest, FrozenRowsAndColumnsStartAtOne)
{
    m_grid.GetParam()->m_nFrozenRows = 2;
    m_grid.GetParam()->m_nFrozenCols = 1;
    const struct
    {
        ROWCOL n;
        BOOL bRow, bCol;
    } cases[] = {{0, FALSE, FALSE}, {1, TRUE, TRUE}, {2, TRUE, FALSE}, {3, FALSE, FALSE}};
    for (const auto& c : cases)
    {
        EXPECT_EQ(m_grid.IsFrozenRow(c.n), c.bRow) << c.n;
        EXPECT_EQ(m_grid.IsFrozenCol(c.n), c.bCol) << c.n;
    }
}

TEST_F(GridCoreDeviceTest, PrintMarginsShrinkTheDrawingArea)
{
    GX_FONT_STATE* pState = GXGetFontState();
    const CSize saved(pState->m_nLogPixelsX, pState->m_nLogPixelsY);
    pState->m_nLogPixelsX = 100;
    pState->m_nLogPixelsY = 50;
    // Margins in thousandths of an inch: top, left, bottom, right.
    const struct
    {
        int anMargins[4];
        CRect rectExpected;
    } cases[] = {
        {{1000, 500, 2000, 0}, CRect(50, 50, 1000, 900)},
        {{0, 0, 0, 0}, CRect(0, 0, 1000, 1000)},
        {{30000, 30000, 0, 0}, CRect(3000, 1500, 3000, 1500)}, // wider than the page: empty
    };
    for (const auto& c : cases)
    {
        std::copy(std::begin(c.anMargins), std::end(c.anMargins), m_grid.GetProperties()->m_anMargins);
        CPrintInfo info;
        info.m_rectDraw.SetRect(0, 0, 1000, 1000);
        m_grid.ApplyPrintMargins(&info);
        EXPECT_EQ(info.m_rectDraw, c.rectExpected) << c.anMargins[0];
    }
    pState->m_nLogPixelsX = saved.cx;
    pState->m_nLogPixelsY = saved.cy;
}
