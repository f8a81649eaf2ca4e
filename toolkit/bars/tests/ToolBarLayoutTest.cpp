// Rows of a toolbar from synthetic button widths: wrapping, separators that end rows, and the
// balancing of the rows.
#include <toolkit/bars/CustomToolBar.h>

#include <gtest/gtest.h>

#include <vector>

using tarnwick::bars::SECCustomToolBar;

namespace
{

class LayoutBar : public SECCustomToolBar
{
public:
    // Buttons of the given widths; separators where the width is negative.
    explicit LayoutBar(const std::vector<int>& widths)
    {
        std::vector<UINT> ids;
        for (size_t i = 0; i < widths.size(); ++i)
            ids.push_back(widths[i] < 0 ? 0 : static_cast<UINT>(100 + i));
        SetButtons(ids.data(), static_cast<int>(ids.size()));
        for (size_t i = 0; i < widths.size(); ++i)
        {
            GetButton(static_cast<int>(i))->m_cx = std::abs(widths[i]);
            GetButton(static_cast<int>(i))->m_cy = 22;
        }
    }
    std::vector<Row> Wrap(int nWidth)
    {
        std::vector<Row> rows(static_cast<size_t>(GetBtnCount()));
        rows.resize(static_cast<size_t>(WrapButtons(nWidth, rows.data())));
        return rows;
    }
};

struct ExpectedRow
{
    int nLast;
    BOOL bSepEnd;
    int cx;
};

void ExpectRows(const std::vector<SECCustomToolBar::Row>& rows, const std::vector<ExpectedRow>& expected)
{
    ASSERT_EQ(rows.size(), expected.size());
    for (size_t i = 0; i < rows.size(); ++i)
    {
        EXPECT_EQ(rows[i].nLast, expected[i].nLast) << "row " << i;
        EXPECT_EQ(rows[i].bSepEnd, expected[i].bSepEnd) << "row " << i;
        EXPECT_EQ(rows[i].cx, expected[i].cx) << "row " << i;
    }
}
} // namespace

TEST(ToolBarLayoutTest, WrapTable)
{
    const struct
    {
        std::vector<int> widths;
        int nWidth;
        std::vector<ExpectedRow> rows;
    } cases[] = {
        // Two buttons a row.
        {{23, 23, 23, 23}, 50, {{1, FALSE, 46}, {3, FALSE, 46}}},
        // The separator that would pass the width ends the row, uncounted.
        {{23, 23, -8, 23, 23}, 50, {{2, TRUE, 46}, {4, FALSE, 46}}},
        // A break falls at the last separator before the button that does not fit.
        {{40, -8, 23, -8, 23}, 80, {{3, TRUE, 71}, {4, FALSE, 23}}},
        // Everything fits.
        {{23, -8, 23}, 1000, {{2, FALSE, 54}}},
    };
    for (const auto& c : cases)
    {
        LayoutBar bar(c.widths);
        ExpectRows(bar.Wrap(c.nWidth), c.rows);
    }
}

TEST(ToolBarLayoutTest, NarrowWidthPutsTheWidestButtonAlone)
{
    LayoutBar bar({23, 60, 23});
    const CSize size = bar.CalcSize(10, FALSE);
    EXPECT_EQ(size, CSize(60, 66));
    EXPECT_TRUE(bar.GetButton(0)->m_nStyle & tarnwick::bars::TBBS_WRAPPED);
    EXPECT_TRUE(bar.GetButton(1)->m_nStyle & tarnwick::bars::TBBS_WRAPPED);
    EXPECT_FALSE(bar.GetButton(2)->m_nStyle & tarnwick::bars::TBBS_WRAPPED);
}

TEST(ToolBarLayoutTest, RowEndingSeparatorAddsItsWidthToTheHeight)
{
    LayoutBar bar({23, 23, -8, 23, 23});
    // Two rows of 22 and the separator's 8 between them; the separator is not in the width.
    EXPECT_EQ(bar.CalcSize(50, FALSE), CSize(46, 52));
}

TEST(ToolBarLayoutTest, BalanceMovesTheTrailingGroupOfASeparatorRow)
{
    LayoutBar bar({40, -8, 23, -8, 23});
    std::vector<SECCustomToolBar::Row> rows = bar.Wrap(80);
    bar.BalanceRows(rows.data(), static_cast<int>(rows.size()));
    // The row now ends at its earlier separator; the group and the old separator lead the next.
    ExpectRows(rows, {{1, TRUE, 40}, {4, FALSE, 54}});
}

TEST(ToolBarLayoutTest, BalanceMovesTheLastButtonAloneOnce)
{
    LayoutBar bar({23, 23, 23, 23, 23});
    std::vector<SECCustomToolBar::Row> rows = bar.Wrap(98);
    ExpectRows(rows, {{3, FALSE, 92}, {4, FALSE, 23}});
    bar.BalanceRows(rows.data(), static_cast<int>(rows.size()));
    ExpectRows(rows, {{2, FALSE, 69}, {4, FALSE, 46}});
}

TEST(ToolBarLayoutTest, BalanceKeepsRowsThatWouldOnlyGrowTheNext)
{
    // Moving the last button would make the next row as wide: nothing moves.
    LayoutBar bar({23, 23, 23, 23, 23});
    std::vector<SECCustomToolBar::Row> rows = bar.Wrap(75);
    ExpectRows(rows, {{2, FALSE, 69}, {4, FALSE, 46}});
    bar.BalanceRows(rows.data(), static_cast<int>(rows.size()));
    ExpectRows(rows, {{2, FALSE, 69}, {4, FALSE, 46}});
}
