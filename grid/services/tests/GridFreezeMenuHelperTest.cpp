#include "GridTestSupport.h"

#include <grid/core/GridParam.h>

#include <gtest/gtest.h>

namespace
{
class FreezeMenuHelperTest : public HiddenGridOfTest<TestGrid>
{
protected:
    void SetUp() override
    {
        HiddenGridOfTest::SetUp();
        for (ROWCOL n = 1; n <= 20; ++n)
        {
            CString strValue;
            strValue.Format(_T("r%u"), n);
            m_grid.SetValueRange(CGXRange(n, 1), strValue);
        }
    }
    CString Value(ROWCOL nRow)
    {
        return m_grid.GetValueRowCol(nRow, 1);
    }
};

} // namespace

TEST_F(FreezeMenuHelperTest, OnlyOneBlockOfWholeRowsCanBeFrozen)
{
    EXPECT_FALSE(m_grid.CanFreezeRows());
    m_grid.SelectRange(CGXRange().SetRows(4, 5));
    EXPECT_TRUE(m_grid.CanFreezeRows());
    EXPECT_FALSE(m_grid.CanFreezeCols());
    m_grid.SelectRange(CGXRange().SetRows(8, 9));
    EXPECT_FALSE(m_grid.CanFreezeRows()); // two blocks
    EXPECT_FALSE(m_grid.CanUnfreezeRows());
}

TEST_F(FreezeMenuHelperTest, FreezingAndUnfreezingRoundTripsWithAndWithoutHeaderRows)
{
    for (ROWCOL nHeaders : {0u, 1u})
    {
        ASSERT_TRUE(m_grid.SetFrozenRows(nHeaders, nHeaders));
        m_grid.SelectRange(CGXRange().SetRows(6, 7));
        ASSERT_TRUE(m_grid.CanFreezeRows()) << nHeaders;
        m_grid.FreezeRowsCmd();
        EXPECT_EQ(m_grid.GetFrozenRows(), nHeaders + 2) << nHeaders;
        EXPECT_EQ(Value(nHeaders + 1), _T("r6")) << nHeaders;
        EXPECT_EQ(Value(nHeaders + 2), _T("r7")) << nHeaders;
        EXPECT_TRUE(m_grid.CanUnfreezeRows());
        EXPECT_FALSE(m_grid.CanFreezeRows()); // frozen already, selection cleared

        m_grid.UnfreezeRowsCmd();
        EXPECT_EQ(m_grid.GetFrozenRows(), nHeaders) << nHeaders;
        for (ROWCOL n = 1; n <= 10; ++n)
        {
            CString strValue;
            strValue.Format(_T("r%u"), n);
            EXPECT_EQ(Value(n), strValue) << nHeaders << " row " << n;
        }
    }
}

TEST_F(FreezeMenuHelperTest, OneUndoTakesBackTheWholeFreeze)
{
    m_grid.SelectRange(CGXRange().SetCols(3, 3));
    m_grid.SetValueRange(CGXRange(1, 3), _T("c3"));
    m_grid.FreezeColsCmd();
    EXPECT_EQ(m_grid.GetFrozenCols(), 1u);
    EXPECT_EQ(m_grid.GetValueRowCol(1, 1), _T("c3"));
    ASSERT_TRUE(m_grid.Undo());
    EXPECT_EQ(m_grid.GetFrozenCols(), 0u);
    EXPECT_EQ(m_grid.GetValueRowCol(1, 3), _T("c3"));
    EXPECT_EQ(m_grid.GetValueRowCol(1, 1), _T("r1"));
}
