#include "GridTestSupport.h"

#include <grid/core/Data.h>
#include <grid/core/GridParam.h>
#include <grid/core/LongOperationImp.h>
#include <grid/core/Style.h>
#include <grid/core/WaitState.h>

#include <memory>

#include <gtest/gtest.h>

namespace
{
class GridCoreStylesTest : public GridWindowTest
{
protected:
    void SetUp() override
    {
        GridWindowTest::SetUp();
        m_grid.CreateHidden(&Parent(), CRect(0, 0, 300, 200));
        m_grid.GetData()->SetRowCount(50);
        m_grid.GetData()->SetColCount(20);
    }
    void TearDown() override
    {
        CGXLongOperationImp::s_pfnGetTickCount = ::GetTickCount;
        m_grid.DestroyWindow();
    }
    void SetValue(ROWCOL nRow, ROWCOL nCol, LPCTSTR pszValue)
    {
        ASSERT_TRUE(m_grid.SetValueRange(CGXRange(nRow, nCol), pszValue));
    }

    TestGrid m_grid;
};
} // namespace

TEST_F(GridCoreStylesTest, HeadersReadLettersAndNumbersUnlessAValueIsStored)
{
    const struct
    {
        ROWCOL nRow, nCol;
        LPCWSTR pszText;
    } cases[] = {
        {0, 1, L"A"}, {0, 26, L"Z"}, {0, 27, L"AA"}, {0, 702, L"ZZ"}, {0, 703, L"AAA"}, {1, 0, L"1"}, {42, 0, L"42"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(m_grid.LookupStyleRowCol(c.nRow, c.nCol), c.pszText) << c.nRow << "," << c.nCol;

    SetValue(7, 0, L"Total");
    SetValue(0, 3, L"Amount");
    EXPECT_STREQ(m_grid.LookupStyleRowCol(7, 0), L"Total");
    EXPECT_STREQ(m_grid.LookupStyleRowCol(0, 3), L"Amount");
}

TEST_F(GridCoreStylesTest, LookupComposesWhileGetValueReadsTheCellAlone)
{
    CGXStyle rowStyle;
    rowStyle.SetValue(L"from the row");
    ASSERT_TRUE(m_grid.SetStyleRangeShort(CGXRange().SetRows(3, 3), rowStyle));
    SetValue(4, 2, L"own");

    EXPECT_STREQ(m_grid.LookupStyleRowCol(3, 2), L"from the row");
    EXPECT_STREQ(m_grid.GetValueRowCol(3, 2), L"");
    EXPECT_STREQ(m_grid.LookupStyleRowCol(0, 2), L"B");
    EXPECT_STREQ(m_grid.GetValueRowCol(0, 2), L"");
    EXPECT_STREQ(m_grid.LookupStyleRowCol(4, 2), L"own");
    EXPECT_STREQ(m_grid.GetValueRowCol(4, 2), L"own");
}

TEST_F(GridCoreStylesTest, NegativeNumbersTakeTheAttributeColour)
{
    constexpr COLORREF red = RGB(255, 0, 0);
    for (LPCWSTR pszValue : {L"-3", L"3", L"-0.5"})
    {
        CGXStyle style;
        style.SetValue(pszValue).SetUserAttribute(52797, CString(L"255"));
        ASSERT_TRUE(m_grid.SetStyleRangeShort(CGXRange(2, 2), style, CGXStyle::modeCopy));
        CGXStyle composed;
        m_grid.ComposeStyleRowCol(2, 2, &composed, TRUE);
        EXPECT_EQ(composed.GetTextColor() == red, pszValue[0] == L'-') << static_cast<LPCSTR>(CW2A(pszValue));
    }
}

TEST_F(GridCoreStylesTest, TheChangeLockRefusesStoring)
{
    m_grid.SetParamSetting(TRUE);
    CGXStyle style;
    style.SetValue(L"x");
    EXPECT_FALSE(m_grid.SetStyleRangeShort(CGXRange(1, 1), style));
    EXPECT_FALSE(m_grid.StoreStyleRowCol(1, 1, &style, CGXStyle::modeOverride, 0));
    EXPECT_STREQ(m_grid.GetValueRowCol(1, 1), L"");

    m_grid.GetParam()->m_bLockReadOnly = FALSE; // read-only, but not locked
    EXPECT_TRUE(m_grid.SetStyleRangeShort(CGXRange(1, 1), style));
    EXPECT_STREQ(m_grid.GetValueRowCol(1, 1), L"x");
}

TEST_F(GridCoreStylesTest, ARangeTooLargeForUndoAsksFirst)
{
    auto* pFactory = new RecordingCommandFactory;
    m_grid.m_pCommandFactory = pFactory;
    m_grid.GetData()->SetRowCount(40000);
    CGXStyle style;
    style.SetValue(L"v");
    const CGXRange range(1, 1, 40000, 1);

    m_app.m_answers = {IDCANCEL};
    EXPECT_FALSE(m_grid.SetStyleRangeShort(range, style));
    ASSERT_EQ(m_app.m_boxes.size(), 1u);
    EXPECT_STREQ(m_app.m_boxes[0].strText, L"Operation is too large for the undo buffer. Do you want to continue?");
    EXPECT_EQ(m_app.m_boxes[0].nType & MB_TYPEMASK, static_cast<UINT>(MB_OKCANCEL));
    EXPECT_STREQ(m_grid.GetValueRowCol(1, 1), L"");
    EXPECT_EQ(GXLongOpGetLevel(), -1);

    m_app.m_answers = {IDOK};
    EXPECT_TRUE(m_grid.SetStyleRangeShort(range, style));
    EXPECT_STREQ(m_grid.GetValueRowCol(40000, 1), L"v");
    EXPECT_TRUE(pFactory->m_commands.empty()); // stored without undo

    // A range that fits is recorded with the styles it had.
    EXPECT_TRUE(m_grid.SetStyleRangeShort(CGXRange(1, 2, 3, 2), style));
    ASSERT_EQ(pFactory->m_commands.size(), 1u);
    EXPECT_EQ(static_cast<RecordedCommand*>(pFactory->m_commands[0])->m_pOldStyles->GetSize(), 3);
    EXPECT_EQ(m_app.m_boxes.size(), 2u);

    m_grid.GetParam()->m_bUndoEnabled = FALSE;
    EXPECT_TRUE(m_grid.SetStyleRangeShort(range, style));
    EXPECT_EQ(m_app.m_boxes.size(), 2u);
}

TEST_F(GridCoreStylesTest, AnAbortThrowsAndKeepsWhatWasStored)
{
    CGXLongOperationImp::s_pfnGetTickCount = FastTicks;
    ASSERT_TRUE(::PostThreadMessageW(::GetCurrentThreadId(), WM_KEYDOWN, VK_ESCAPE, 0));
    m_app.m_answers = {IDYES};
    m_grid.GetParam()->m_bUndoEnabled = FALSE; // the abort comes while storing, not while keeping undo
    CGXStyle style;
    style.SetValue(L"done");
    bool bThrown = false;
    try
    {
        m_grid.SetStyleRangeShort(CGXRange(1, 1, 10, 1), style);
    }
    catch (CUserException* e)
    {
        e->Delete();
        bThrown = true;
    }
    EXPECT_TRUE(bThrown);
    ASSERT_EQ(m_app.m_boxes.size(), 1u);
    EXPECT_STREQ(m_app.m_boxes[0].strText, L"Do you want to abort the operation?");
    EXPECT_STREQ(m_grid.GetValueRowCol(1, 1), L"done");
    EXPECT_STREQ(m_grid.GetValueRowCol(10, 1), L"");
    EXPECT_EQ(GXLongOpGetLevel(), -1);
}

namespace
{
// A grid whose store of one cell fails with an exception, as a store into a full or broken data
// source may.
class ThrowingStoreGrid : public TestGrid
{
public:
    BOOL StoreStyleRowCol(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, int nMode, int nType) override
    {
        if (nRow == 3 && nType >= 0)
            AfxThrowMemoryException();
        return TestGrid::StoreStyleRowCol(nRow, nCol, pStyle, nMode, nType);
    }
    BOOL UpdateLocked() const
    {
        return m_bLockUpdate;
    }
};
} // namespace

TEST_F(GridCoreStylesTest, AStoreThatThrowsLeavesTheGridUnlocked)
{
    ThrowingStoreGrid grid;
    grid.CreateHidden(&Parent(), CRect(0, 0, 300, 200));
    grid.GetData()->SetRowCount(5);
    grid.GetData()->SetColCount(2);
    CGXStyle style;
    style.SetValue(L"x");
    bool bThrown = false;
    try
    {
        grid.SetStyleRangeShort(CGXRange(1, 1, 5, 1), style);
    }
    catch (CMemoryException* e)
    {
        e->Delete();
        bThrown = true;
    }
    EXPECT_TRUE(bThrown);
    EXPECT_FALSE(grid.UpdateLocked());
    EXPECT_STREQ(grid.GetValueRowCol(2, 1), L"x") << "the cells before the failing one are stored";
    grid.DestroyWindow();
}

TEST(GridCoreProgressTest, PercentOfManyCellsIsComputedIn64Bits)
{
    EXPECT_EQ(GXPercentDone(30000000, 40000000), 75);
    EXPECT_EQ(GXPercentDone(0x7FFFFFFF, 0xFFFFFFFF), 49);
    EXPECT_EQ(GXPercentDone(5, 0), 0);
}

TEST_F(GridCoreStylesTest, ComposedStylesAreCachedPerPass)
{
    SetValue(3, 3, L"old");
    CGXStyle* pFirst = m_grid.GetComposedStyle(3, 3);
    EXPECT_EQ(m_grid.GetComposedStyle(3, 3), pFirst);
    SetValue(3, 3, L"new");
    EXPECT_STREQ(m_grid.GetComposedStyle(3, 3)->GetValue(), L"old"); // until the cache is freed
    m_grid.FreeObjectCache();
    EXPECT_STREQ(m_grid.GetComposedStyle(3, 3)->GetValue(), L"new");

    // The current cell is composed afresh, never cached.
    m_grid.SetCurrentCellPosition(TRUE, 2, 2);
    SetValue(2, 2, L"before");
    EXPECT_STREQ(m_grid.GetComposedStyle(2, 2)->GetValue(), L"before");
    CGXStyle* pCached = nullptr;
    EXPECT_FALSE(m_grid.LookupCachedStyle(2, 2, pCached));
    SetValue(2, 2, L"after");
    EXPECT_STREQ(m_grid.GetComposedStyle(2, 2)->GetValue(), L"after");

    m_grid.SetParamSetting(TRUE);
    m_grid.FreeObjectCache();
    CGXStyle* pReadOnly = m_grid.GetComposedStyle(5, 5);
    EXPECT_TRUE(pReadOnly->GetInclude(CGXStyle::inclReadOnly));
    EXPECT_TRUE(pReadOnly->GetReadOnly());
}

TEST_F(GridCoreStylesTest, NothingIsFreedDuringDrawingAndTheFreeListIsBounded)
{
    m_grid.GetComposedStyle(4, 4);
    m_grid.m_nDrawingDepth = 1;
    m_grid.FreeObjectCache();
    CGXStyle* pStyle = nullptr;
    EXPECT_TRUE(m_grid.LookupCachedStyle(4, 4, pStyle));
    m_grid.m_nDrawingDepth = 0;
    m_grid.FreeObjectCache();
    EXPECT_FALSE(m_grid.LookupCachedStyle(4, 4, pStyle));

    std::vector<CGXStyle*> styles;
    for (int i = 0; i < 600; ++i)
        styles.push_back(new CGXStyle);
    for (CGXStyle* p : styles)
        m_grid.RecycleStyle(p);
    EXPECT_EQ(m_grid.GetFreeStyleCount(), 501);
}

TEST_F(GridCoreStylesTest, DrawingObjectsAreCachedByTheirWholeRecord)
{
    GXBrushRecord solid;
    solid.Set(GX_BRUSH_SOLID, RGB(200, 0, 0), 0);
    GXBrushRecord hatched = solid;
    hatched.SetStyle(GX_BRUSH_HATCHED);
    CBrush* pSolid = m_grid.GetBrushCached(solid);
    CBrush* pHatched = m_grid.GetBrushCached(hatched);
    EXPECT_NE(pSolid, pHatched);
    EXPECT_EQ(m_grid.GetBrushCached(solid), pSolid);
    LOGBRUSH lb{};
    ASSERT_TRUE(::GetObjectW(pHatched->GetSafeHandle(), sizeof(lb), &lb));
    EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_HATCHED));
    ASSERT_TRUE(::GetObjectW(pSolid->GetSafeHandle(), sizeof(lb), &lb));
    EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(lb.lbColor, RGB(200, 0, 0));

    CGXFont font;
    font.SetSize(10);
    CGXFont same(font);
    EXPECT_EQ(m_grid.GetFontCached(font), m_grid.GetFontCached(same));

    CGXStyle style;
    style.SetFont(font);
    CClientDC dc(&m_grid);
    EXPECT_EQ(m_grid.LoadFont(&dc, style, &style), nullptr);
}
