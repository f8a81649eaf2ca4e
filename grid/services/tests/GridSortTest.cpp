// Sorting: the key values and their comparisons, the automatic key type, sorting rows and
// columns with undo, the header double-click and the reordering of the data store.
#include "GridTestSupport.h"

#include <grid/core/Data.h>
#include <grid/core/GridParam.h>
#include <grid/core/SortInfoArray.h>
#include <grid/core/Style.h>
#include <grid/services/sort/GridSortImp.h>
#include <grid/services/sort/SortKeys.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{
// A data store that can refuse to move and tells how many row arrays it holds.
class RefusingData : public CGXData
{
public:
    BOOL MoveDataRows(const CGXRange& range, const CDWordArray& order) override
    {
        return !m_bRefuse && CGXData::MoveDataRows(range, order);
    }
    INT_PTR RowArrays() const
    {
        return m_apapCellStyle.GetSize();
    }
    BOOL m_bRefuse = FALSE;
};

class GridSortTest : public HiddenGridTest
{
protected:
    void SetUp() override
    {
        HiddenGridTest::SetUp();
        m_grid.GetParam()->m_bUndoEnabled = TRUE;
    }
    // Column nCol of rows 1.. from the texts.
    void Column(ROWCOL nCol, const std::vector<CString>& texts)
    {
        for (size_t i = 0; i < texts.size(); ++i)
        {
            CGXStyle style;
            style.SetValue(texts[i]);
            m_grid.GetData()->StoreStyleImpl(static_cast<ROWCOL>(i + 1), nCol, &style, CGXStyle::modeCopy, 0);
        }
    }
    void Reset()
    {
        m_grid.GetData()->DeleteContents();
        m_grid.GetData()->SetRowCount(20);
        m_grid.GetData()->SetColCount(5);
    }
    CString Joined(ROWCOL nCol, ROWCOL nRows)
    {
        CString strText;
        for (ROWCOL r = 1; r <= nRows; ++r)
            strText += CString(m_grid.GetValueRowCol(r, nCol)) + L"|";
        return strText;
    }
    void SortBy(ROWCOL nCol, DWORD nType, BOOL bDescending = FALSE, ROWCOL nRows = 0)
    {
        CGXSortInfoArray sortInfo;
        sortInfo.SetSize(1);
        sortInfo[0].nRowCol = nCol;
        sortInfo[0].nType = nType;
        sortInfo[0].bDescending = bDescending;
        m_grid.SortRows(nRows != 0 ? CGXRange().SetRows(1, nRows) : CGXRange().SetTable(), sortInfo);
    }
};
} // namespace

TEST(SortKeysTest, FunctionTables)
{
    EXPECT_EQ(GXRoundDouble(-1.5), -0.5);
    EXPECT_EQ(GXRoundDouble(2.25), 2.25);
    EXPECT_EQ(GXRoundDouble(-2.0), -2.0);
    EXPECT_EQ(GXFabs(-3.5), 3.5);
    EXPECT_EQ(GXFabs(2.0), 2.0);

    const LPCTSTR digits = L"0123456789";
    EXPECT_EQ(GXSpanCharsEnd(nullptr, digits), nullptr);
    EXPECT_EQ(GXSpanCharsEnd(L"123", digits), nullptr);
    const LPCTSTR pszMixed = L"12a3";
    EXPECT_EQ(GXSpanCharsEnd(pszMixed, digits), pszMixed + 2);

    struct KeyCase
    {
        GXSortKeyValue a;
        GXSortKeyValue b;
        BOOL bEqual;
        BOOL bGreater;
    };
    const KeyCase keyCases[] = {
        {{1.0, 0}, {1.0, 0}, TRUE, FALSE},   {{2.0, 0}, {1.0, 0}, FALSE, TRUE},  {{1.0, 0}, {2.0, 0}, FALSE, FALSE},
        {{0.0, 1}, {0.0, 1}, FALSE, FALSE},  {{0.0, 2}, {0.0, 2}, TRUE, FALSE},  {{1.0, 0}, {1.0, 1}, FALSE, FALSE},
        {{-1.25, 0}, {-1.75, 0}, FALSE, FALSE}, // -1.25 rounds to -0.75, -1.75 to -0.25
    };
    for (const KeyCase& c : keyCases)
    {
        EXPECT_EQ(CompareSortKeys(c.a, c.b), c.bEqual) << c.a.value << " " << c.b.value;
        EXPECT_EQ(CompareSortKeysNumeric(c.a, c.b), c.bGreater) << c.a.value << " " << c.b.value;
    }

    GXSortKeyValue key;
    EXPECT_TRUE(GXParseNumber(L"1/2/2024", 0, 1024, key));
    EXPECT_EQ(key.nKind, 0);
    EXPECT_EQ(key.value, 45293.0);
    EXPECT_FALSE(GXParseNumber(L"abc", 0, 1024, key));
    EXPECT_EQ(key.nKind, 1);
    EXPECT_EQ(key.value, 0.0);
}

TEST_F(GridSortTest, AutomaticKeyTypeTable)
{
    struct Case
    {
        const char* pszWhat;
        std::vector<CString> texts;
        DWORD nType;
        LPCWSTR pszSorted;
    };
    const Case cases[] = {
        {"numbers", {L"2e3", L"1,5", L"-3", L"7"}, 4, L"-3|7|1,5|2e3|"},
        {"a minus inside makes text", {L"3-4", L"10", L"2"}, 4, L"10|2|3-4|"},
        {"blank before a minus counts as numeric", {L"5", L" -3", L"1"}, 4, L" -3|1|5|"},
        {"dates when every text is a date", {L"3/1/2024", L"1/15/2024", L"2/1/2024"}, 4,
         L"1/15/2024|2/1/2024|3/1/2024|"},
        {"empty cells sort as 0 in a numeric key", {L"5", L"", L"-1", L"2"}, 4, L"-1||2|5|"},
        {"letters in an explicit numeric key sort as 0", {L"5", L"x", L"-1", L"2"}, 0, L"-1|x|2|5|"},
        {"equal keys keep their order", {L"b1", L"a", L"B2", L"b3"}, 1, L"a|b1|B2|b3|"},
        {"empty cells follow the dates", {L"3/1/2024", L"", L"1/15/2024", L""}, 2, L"1/15/2024|3/1/2024|||"},
    };
    for (const Case& c : cases)
    {
        Reset();
        Column(1, c.texts);
        SortBy(1, c.nType, FALSE, static_cast<ROWCOL>(c.texts.size()));
        EXPECT_EQ(Joined(1, static_cast<ROWCOL>(c.texts.size())), c.pszSorted) << c.pszWhat;
    }
    // Dates descending: the empty cells still come last.
    Reset();
    Column(1, {L"", L"3/1/2024", L"1/15/2024"});
    SortBy(1, 2, TRUE, 3);
    EXPECT_EQ(Joined(1, 3), L"3/1/2024|1/15/2024||");
}

// Enough rows that the order is not found by insertion alone: equal numbers, and numbers of
// equal size, keep their first order in either direction.
TEST_F(GridSortTest, ManyEqualNumbersKeepTheirOrder)
{
    constexpr ROWCOL nRows = 90;
    std::vector<CString> numbers;
    std::vector<CString> positions;
    for (ROWCOL r = 0; r < nRows; ++r)
    {
        numbers.push_back(CString(std::to_wstring(static_cast<int>(r * 7 % 5) - 2).c_str()));
        positions.push_back(CString(std::to_wstring(r).c_str()));
    }
    struct Case
    {
        DWORD nType;
        BOOL bDescending;
    };
    for (const Case c : {Case{CGXSortInfoArray::numeric, FALSE}, Case{CGXSortInfoArray::numeric, TRUE},
                         Case{CGXSortInfoArray::absolute, FALSE}, Case{CGXSortInfoArray::absolute, TRUE}})
    {
        std::vector<ROWCOL> expected(nRows);
        for (ROWCOL r = 0; r < nRows; ++r)
            expected[r] = r;
        const auto key = [&](ROWCOL r) {
            const int n = _wtoi(numbers[r]);
            const int nKey = c.nType == CGXSortInfoArray::absolute ? std::abs(n) : n;
            return c.bDescending ? -nKey : nKey;
        };
        std::stable_sort(expected.begin(), expected.end(), [&](ROWCOL a, ROWCOL b) { return key(a) < key(b); });
        CString strExpected;
        for (const ROWCOL r : expected)
            strExpected += positions[r] + L"|";

        m_grid.GetData()->DeleteContents();
        m_grid.GetData()->SetRowCount(nRows);
        m_grid.GetData()->SetColCount(2);
        Column(1, numbers);
        Column(2, positions);
        SortBy(1, c.nType, c.bDescending);
        EXPECT_EQ(Joined(2, nRows), strExpected) << c.nType << " " << c.bDescending;
    }
}

TEST_F(GridSortTest, TwoKeysTextWithoutCaseThenNumericDescending)
{
    Column(1, {L"b", L"A", L"a", L"B"});
    Column(2, {L"1", L"1", L"3", L"2"});
    CGXSortInfoArray sortInfo;
    sortInfo.SetSize(2);
    sortInfo[0] = {1, CGXSortInfoArray::text, FALSE, FALSE, 0, 0, 0};
    sortInfo[1] = {2, CGXSortInfoArray::numeric, TRUE, FALSE, 0, 0, 0};
    m_grid.SortRows(CGXRange().SetRows(1, 4), sortInfo);
    EXPECT_EQ(Joined(1, 4), L"a|A|B|b|");
    EXPECT_EQ(Joined(2, 4), L"3|1|2|1|");
}

TEST_F(GridSortTest, UndoRestoresTheOrderAndRedoSortsAgain)
{
    Column(1, {L"3", L"1", L"2"});
    Column(2, {L"c", L"a", L"b"});
    SortBy(1, 4, FALSE, 3);
    EXPECT_EQ(Joined(2, 3), L"a|b|c|");
    ASSERT_TRUE(m_grid.Undo());
    EXPECT_EQ(Joined(2, 3), L"c|a|b|");
    ASSERT_TRUE(m_grid.Redo());
    EXPECT_EQ(Joined(2, 3), L"a|b|c|");
}

TEST_F(GridSortTest, HeaderDoubleClicksSortAscendingThenDescending)
{
    m_grid.GetData()->SetRowCount(3);
    Column(1, {L"2", L"3", L"1"});
    CGXGridParam* pParam = m_grid.GetParam();
    const auto dblClk = [this](ROWCOL nRow, ROWCOL nCol) {
        return m_grid.OnLButtonDblClkRowCol(nRow, nCol, 0, CPoint(0, 0));
    };
    EXPECT_FALSE(dblClk(0, 1)) << "flags off";
    EXPECT_EQ(Joined(1, 3), L"2|3|1|");
    pParam->m_bSortRowsByHeader = TRUE;
    pParam->m_bSortColsByHeader = TRUE;
    EXPECT_FALSE(dblClk(0, 0)) << "the corner";
    EXPECT_FALSE(dblClk(2, 2)) << "a cell";
    EXPECT_EQ(Joined(1, 3), L"2|3|1|");
    EXPECT_TRUE(dblClk(0, 1));
    EXPECT_EQ(Joined(1, 3), L"1|2|3|");
    EXPECT_TRUE(dblClk(0, 1));
    EXPECT_EQ(Joined(1, 3), L"3|2|1|");

    // A row header sorts the columns by that row.
    CGXStyle style;
    for (ROWCOL c = 1; c <= 5; ++c)
    {
        style.SetValue(CString(static_cast<TCHAR>(L'f' - c)));
        m_grid.GetData()->StoreStyleImpl(3, c, &style, CGXStyle::modeCopy, 0);
    }
    EXPECT_TRUE(dblClk(3, 0));
    EXPECT_EQ(CString(m_grid.GetValueRowCol(3, 1)), L"a");
    EXPECT_EQ(CString(m_grid.GetValueRowCol(3, 5)), L"e");
}

TEST_F(GridSortTest, ARefusedMoveRecordsNothingAndAnAbortMovesNothing)
{
    auto* pData = new RefusingData;
    delete m_grid.GetParam()->m_pData;
    m_grid.GetParam()->m_pData = pData;
    pData->SetRowCount(20);
    pData->SetColCount(5);
    Column(1, {L"3", L"1", L"2"});
    pData->m_bRefuse = TRUE;
    SortBy(1, 4, FALSE, 3);
    EXPECT_EQ(Joined(1, 3), L"3|1|2|");
    EXPECT_EQ(m_grid.GetParam()->GetUndoList()->GetCount(), 0);
    pData->m_bRefuse = FALSE;

    m_app.m_answers = {IDYES};
    {
        const EscapeAbort abort(&m_grid);
        SortBy(1, 4, FALSE, 3);
    }
    EXPECT_EQ(m_app.m_boxes.size(), 1u);
    EXPECT_EQ(Joined(1, 3), L"3|1|2|");
    EXPECT_EQ(m_grid.GetParam()->GetUndoList()->GetCount(), 0);
}

TEST(GridSortMoveDataTest, StoreTable)
{
    CGXGridSortMoveDataImp imp;
    RefusingData data;
    data.SetRowCount(6);
    data.SetColCount(3);
    const auto put = [&data](ROWCOL nRow, ROWCOL nCol, LPCTSTR pszValue) {
        CGXStyle style;
        style.SetValue(pszValue);
        data.StoreStyleImpl(nRow, nCol, &style, CGXStyle::modeCopy, nCol == 0 ? -1 : 0);
    };
    const auto value = [&data](ROWCOL nRow, ROWCOL nCol) {
        CGXStyle style;
        return data.GetStyleImpl(nRow, nCol, style, CGXStyle::modeCopy, nCol == 0 ? -1 : 0) ? style.GetValue()
                                                                                            : CString(L"-");
    };
    put(1, 1, L"r1");
    put(2, 1, L"r2");
    put(3, 1, L"r3");
    put(1, 0, L"base1"); // a row base style
    CDWordArray order;
    order.Add(2); // rows 1-4 become old 3, 4 (empty), 1, 2
    order.Add(3);
    order.Add(0);
    order.Add(1);
    ASSERT_TRUE(imp.MoveDataRows(&data, CGXRange().SetRows(1, 4), order));
    EXPECT_EQ(value(1, 1), L"r3");
    EXPECT_EQ(value(2, 1), L"-");
    EXPECT_EQ(value(3, 1), L"r1");
    EXPECT_EQ(value(4, 1), L"r2");
    EXPECT_EQ(value(3, 0), L"base1") << "the row base style follows its row";
    EXPECT_EQ(value(1, 0), L"-");

    // Rows that end up empty at the end of the store are dropped: r2, r1, -, r3, then r3, r2, r1, -.
    CDWordArray reverse;
    for (DWORD n : {3, 2, 1, 0})
        reverse.Add(n);
    ASSERT_TRUE(imp.MoveDataRows(&data, CGXRange().SetRows(1, 4), reverse));
    CDWordArray rotate;
    for (DWORD n : {3, 0, 1, 2})
        rotate.Add(n);
    ASSERT_TRUE(imp.MoveDataRows(&data, CGXRange().SetRows(1, 4), rotate));
    EXPECT_EQ(value(1, 1), L"r3");
    EXPECT_EQ(value(3, 1), L"r1");
    // A move that reaches the end of the store drops the empty rows it leaves there.
    ASSERT_EQ(data.RowArrays(), 7);
    CDWordArray same;
    for (DWORD n : {0, 1, 2, 3, 4, 5})
        same.Add(n);
    ASSERT_TRUE(imp.MoveDataRows(&data, CGXRange().SetRows(1, 6), same));
    EXPECT_EQ(data.RowArrays(), 4);

    // Columns move in every row.
    put(2, 2, L"x");
    CDWordArray swap;
    swap.Add(1);
    swap.Add(0);
    ASSERT_TRUE(imp.MoveDataCols(&data, CGXRange().SetCols(1, 2), swap));
    EXPECT_EQ(value(1, 2), L"r3");
    EXPECT_EQ(value(2, 1), L"x");
    EXPECT_EQ(value(3, 2), L"r1");
}
