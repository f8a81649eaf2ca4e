#include <grid/core/AppData.h>
#include <grid/core/Data.h>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace
{
// Shows the arrays that the store keeps, to check how sparse it is.
class CInspectedData : public CGXData
{
public:
    INT_PTR CellRowsSize() const
    {
        return m_apapCellStyle.GetSize();
    }
    // -1 while the row has no array.
    INT_PTR CellRowSize(ROWCOL nRow) const
    {
        const CGXStylePtrArray* pRow = m_apapCellStyle.GetRow(nRow);
        return pRow != nullptr ? pRow->GetSize() : -1;
    }
    void SetCounts(ROWCOL nRows, ROWCOL nCols)
    {
        m_nRows = nRows;
        m_nCols = nCols;
    }
};

BOOL StoreValue(CGXData& data, ROWCOL nRow, ROWCOL nCol, LPCTSTR pszValue, int nMode = CGXStyle::modeCopy,
                int nType = 0)
{
    CGXStyle style;
    style.SetValue(pszValue);
    return data.StoreStyleImpl(nRow, nCol, &style, nMode, nType);
}

CString Value(CGXData& data, ROWCOL nRow, ROWCOL nCol, int nType = 0)
{
    CGXStyle style;
    return data.GetStyleImpl(nRow, nCol, style, CGXStyle::modeCopy, nType) ? style.GetValue() : CString(_T("-"));
}

// Rows 1..n: cell (r, 1) holds "r", and row r's base style "Rr"; columns likewise in row 1
// and the column base styles.
void Fill(CGXData& data, ROWCOL nCount)
{
    for (ROWCOL n = 1; n <= nCount; ++n)
    {
        CString strText;
        strText.Format(_T("%lu"), n);
        StoreValue(data, n, 1, strText);
        StoreValue(data, 1, n, strText);
        StoreValue(data, n, 0, _T("R") + strText, CGXStyle::modeCopy, -1);
        StoreValue(data, 0, n, _T("C") + strText, CGXStyle::modeCopy, -1);
    }
}

// The values down column 1 and the row styles, or along row 1 and the column styles.
CString Rows(CGXData& data)
{
    CString strText;
    for (ROWCOL n = 1; n <= data.GetRowCount(); ++n)
        strText += Value(data, n, 1) + _T("/") + Value(data, n, 0, -1) + _T(" ");
    return strText.TrimRight();
}

CString Cols(CGXData& data)
{
    CString strText;
    for (ROWCOL n = 1; n <= data.GetColCount(); ++n)
        strText += Value(data, 1, n) + _T("/") + Value(data, 0, n, -1) + _T(" ");
    return strText.TrimRight();
}

struct StructureCase
{
    const char* name;
    std::function<void(CGXData&)> change;
    LPCTSTR rows;
    LPCTSTR cols;
};

class DataStructureTest : public testing::TestWithParam<StructureCase>
{
};

TEST_P(DataStructureTest, StylesFollowTheirRowsAndColumns)
{
    CGXData data;
    Fill(data, 5);
    GetParam().change(data);
    EXPECT_EQ(Rows(data), GetParam().rows);
    EXPECT_EQ(Cols(data), GetParam().cols);
}

const LPCTSTR unchangedRows = _T("1/R1 2/R2 3/R3 4/R4 5/R5");
const LPCTSTR unchangedCols = _T("1/C1 2/C2 3/C3 4/C4 5/C5");

INSTANTIATE_TEST_SUITE_P(
    Data, DataStructureTest,
    testing::Values(
        StructureCase{"InsertRows", [](CGXData& d) { d.InsertRowsImpl(2, 2); }, _T("1/R1 -/- -/- 2/R2 3/R3 4/R4 5/R5"),
                      _T("1/C1 2/C2 3/C3 4/C4 5/C5")},
        StructureCase{"InsertRowsAtTheEnd", [](CGXData& d) { d.InsertRowsImpl(6, 1); },
                      _T("1/R1 2/R2 3/R3 4/R4 5/R5 -/-"), unchangedCols},
        StructureCase{"InsertCols", [](CGXData& d) { d.InsertColsImpl(1, 1); }, _T("-/R1 -/R2 -/R3 -/R4 -/R5"),
                      _T("-/- 1/C1 2/C2 3/C3 4/C4 5/C5")},
        StructureCase{"RemoveRows", [](CGXData& d) { d.RemoveRowsImpl(2, 3); }, _T("1/R1 4/R4 5/R5"), unchangedCols},
        StructureCase{"RemoveLastRows", [](CGXData& d) { d.RemoveRowsImpl(4, 5); }, _T("1/R1 2/R2 3/R3"),
                      unchangedCols},
        StructureCase{"RemoveRowsPastTheEndKeepsTheRowsBefore", [](CGXData& d) { d.RemoveRowsImpl(4, 7); },
                      _T("1/R1 2/R2 3/R3"), unchangedCols},
        StructureCase{"RemoveRowsBeyondTheEndChangesNothing", [](CGXData& d) { d.RemoveRowsImpl(7, 9); }, unchangedRows,
                      unchangedCols},
        StructureCase{"RemoveCols", [](CGXData& d) { d.RemoveColsImpl(1, 2); }, _T("3/R1 -/R2 -/R3 -/R4 -/R5"),
                      _T("3/C3 4/C4 5/C5")},
        StructureCase{"RemoveColsPastTheEndKeepsTheColumnsBefore", [](CGXData& d) { d.RemoveColsImpl(5, 6); },
                      unchangedRows, _T("1/C1 2/C2 3/C3 4/C4")},
        StructureCase{"MoveRowsDown", [](CGXData& d) { d.MoveRowsImpl(2, 3, 4); }, _T("1/R1 4/R4 5/R5 2/R2 3/R3"),
                      unchangedCols},
        StructureCase{"MoveRowsUp", [](CGXData& d) { d.MoveRowsImpl(4, 5, 1); }, _T("4/R4 5/R5 1/R1 2/R2 3/R3"),
                      _T("4/C1 -/C2 -/C3 -/C4 -/C5")},
        StructureCase{"MoveRowsOntoThemselves", [](CGXData& d) { d.MoveRowsImpl(2, 3, 2); }, unchangedRows,
                      unchangedCols},
        StructureCase{"MoveColsDown", [](CGXData& d) { d.MoveColsImpl(1, 1, 3); }, _T("2/R1 -/R2 -/R3 -/R4 -/R5"),
                      _T("2/C2 3/C3 1/C1 4/C4 5/C5")},
        StructureCase{"SetRowCountShrinks", [](CGXData& d) { d.SetRowCount(2); }, _T("1/R1 2/R2"), unchangedCols},
        StructureCase{"SetColCountGrows", [](CGXData& d) { d.SetColCount(6); }, unchangedRows,
                      _T("1/C1 2/C2 3/C3 4/C4 5/C5 -/-")},
        StructureCase{"SetRowCountToItself", [](CGXData& d) { d.SetRowCount(5); }, unchangedRows, unchangedCols}),
    [](const testing::TestParamInfo<StructureCase>& info) { return info.param.name; });

TEST(Data, RemovingPastTheEndCountsOnlyTheRowsThatExisted)
{
    CGXData data;
    data.SetRowCount(10);
    data.SetColCount(10);
    data.RemoveRowsImpl(9, 11);
    EXPECT_EQ(data.GetRowCount(), 8u);
    data.RemoveColsImpl(8, 10);
    EXPECT_EQ(data.GetColCount(), 7u);
    data.RemoveRowsImpl(8, 10);
    EXPECT_EQ(data.GetRowCount(), 7u);
    data.RemoveRowsImpl(12, 14);
    EXPECT_EQ(data.GetRowCount(), 7u);
}

TEST(Data, StoringACellGrowsTheCountsAndOnlyThatRow)
{
    CInspectedData data;
    StoreValue(data, 5, 3, _T("x"));
    EXPECT_EQ(data.GetRowCount(), 5u);
    EXPECT_EQ(data.GetColCount(), 3u);
    EXPECT_EQ(data.CellRowsSize(), 6);
    EXPECT_EQ(data.CellRowSize(5), 4);
    EXPECT_EQ(data.CellRowSize(4), -1);
    EXPECT_EQ(Value(data, 5, 3), _T("x"));
}

TEST(Data, BaseStylesOfColumnsAndRows)
{
    CGXData data;
    StoreValue(data, 0, 4, _T("col"), CGXStyle::modeCopy, -1);
    EXPECT_EQ(data.GetColCount(), 4u);
    EXPECT_EQ(data.GetRowCount(), 0u);
    EXPECT_EQ(Value(data, 0, 4, -1), _T("col"));
    EXPECT_EQ(Value(data, 0, 4), _T("-"));
    data.StoreStyleImpl(0, 4, nullptr, CGXStyle::modeCopy, -1);
    EXPECT_EQ(Value(data, 0, 4, -1), _T("-"));
}

TEST(Data, ANullStyleDeletesAndStillGrowsTheCounts)
{
    CInspectedData data;
    EXPECT_TRUE(data.StoreStyleImpl(3, 2, nullptr, CGXStyle::modeCopy, 0));
    EXPECT_EQ(data.GetRowCount(), 3u);
    EXPECT_EQ(data.GetColCount(), 2u);
    EXPECT_EQ(data.CellRowsSize(), 0);

    StoreValue(data, 3, 2, _T("x"));
    data.StoreStyleImpl(3, 2, nullptr, CGXStyle::modeCopy, 0);
    EXPECT_EQ(Value(data, 3, 2), _T("-"));
}

TEST(Data, StoringMergesByTheMode)
{
    CInspectedData data;
    // Excluding from nothing stores nothing, but the row's array is made.
    StoreValue(data, 3, 2, _T("x"), CGXStyle::modeExclude);
    EXPECT_EQ(Value(data, 3, 2), _T("-"));
    EXPECT_EQ(data.CellRowSize(3), 3);

    CGXStyle readOnly;
    readOnly.SetReadOnly(TRUE).SetValue(_T("y"));
    StoreValue(data, 1, 1, _T("x"));
    data.StoreStyleImpl(1, 1, &readOnly, CGXStyle::modeApplyNew, 0);
    CGXStyle style;
    ASSERT_TRUE(data.GetStyleImpl(1, 1, style, CGXStyle::modeCopy, 0));
    EXPECT_EQ(style.GetValue(), _T("x"));
    EXPECT_TRUE(style.GetReadOnly());

    data.StoreStyleImpl(1, 1, &readOnly, CGXStyle::modeOverride, 0);
    EXPECT_EQ(Value(data, 1, 1), _T("y"));
    StoreValue(data, 1, 1, _T(""), CGXStyle::modeExclude);
    style.Free();
    ASSERT_TRUE(data.GetStyleImpl(1, 1, style, CGXStyle::modeCopy, 0));
    EXPECT_FALSE(style.GetInclude(CGXStyle::inclValue));
    EXPECT_TRUE(style.GetInclude(CGXStyle::inclReadOnly));
}

TEST(Data, GettingMergesIntoTheTargetByTheMode)
{
    CGXData data;
    CGXStyle stored;
    stored.SetValue(_T("stored")).SetReadOnly(TRUE);
    data.StoreStyleImpl(1, 1, &stored, CGXStyle::modeCopy, 0);
    CGXStyle target;
    target.SetValue(_T("target"));
    ASSERT_TRUE(data.GetStyleImpl(1, 1, target, CGXStyle::modeApplyNew, 0));
    EXPECT_EQ(target.GetValue(), _T("target"));
    EXPECT_TRUE(target.GetReadOnly());
    EXPECT_FALSE(data.GetStyleImpl(1, 2, target, CGXStyle::modeCopy, 0));
}

TEST(Data, CellsBeyondTheCountsAreNotFound)
{
    CInspectedData data;
    StoreValue(data, 4, 4, _T("x"));
    data.SetCounts(3, 4);
    EXPECT_EQ(Value(data, 4, 4), _T("-"));
    data.SetCounts(4, 3);
    EXPECT_EQ(Value(data, 4, 4), _T("-"));
}

TEST(Data, AssignmentCopiesDeeply)
{
    CGXData source;
    Fill(source, 3);
    CGXData copy;
    Fill(copy, 5);
    copy = source;
    StoreValue(source, 2, 1, _T("changed"));
    source.DeleteContents();
    EXPECT_EQ(source.GetRowCount(), 3u);
    EXPECT_EQ(Rows(source), _T("-/- -/- -/-"));
    EXPECT_EQ(Rows(copy), _T("1/R1 2/R2 3/R3"));
    EXPECT_EQ(Cols(copy), _T("1/C1 2/C2 3/C3"));
}

TEST(Data, FindsTheFirstGridRegisteredForIt)
{
    CGXData data;
    EXPECT_EQ(data.FindRegisteredHandler(), nullptr);
    // The registry keeps the pointers only: stand-ins do for grids.
    int grids[2];
    CGXGridCore* pFirst = reinterpret_cast<CGXGridCore*>(&grids[0]);
    CGXGridCore* pSecond = reinterpret_cast<CGXGridCore*>(&grids[1]);
    GXGetAppDataPtr()->RegisterGrid(&data, pFirst);
    GXGetAppDataPtr()->RegisterGrid(&data, pSecond);
    EXPECT_EQ(data.FindRegisteredHandler(), pFirst);
    GXGetAppDataPtr()->UnregisterGrid(pFirst);
    GXGetAppDataPtr()->UnregisterGrid(pSecond);
    EXPECT_EQ(data.FindRegisteredHandler(), nullptr);
}
} // namespace

namespace
{
// Records what the data store hands to the copy/move-cells and sort-move features.
class CRecordingImps : public CGXAbstractDataCopyMoveCellsImp, public CGXAbstractGridSortMoveDataImp
{
public:
    std::vector<std::string> m_calls;

    BOOL CopyCells(CGXData*, CGXRange range, ROWCOL nDestRow, ROWCOL nDestCol) override
    {
        return Record("copy", range, nDestRow, nDestCol);
    }
    BOOL MoveCells(CGXData*, CGXRange range, ROWCOL nDestRow, ROWCOL nDestCol, CObject*& pUndoInfo,
                   BOOL bCreateUndoInfo) override
    {
        pUndoInfo = bCreateUndoInfo ? &m_undoInfo : nullptr;
        return Record("move", range, nDestRow, nDestCol);
    }
    BOOL MoveDataRows(CGXData*, const CGXRange& range, const CDWordArray& order) override
    {
        return Record("rows", range, order.GetSize(), order[0]);
    }
    BOOL MoveDataCols(CGXData*, const CGXRange& range, const CDWordArray& order) override
    {
        return Record("cols", range, order.GetSize(), order[0]);
    }

    CDWordArray m_undoInfo; // any object stands for the undo information

private:
    BOOL Record(const char* pszWhat, const CGXRange& range, ROWCOL n1, ROWCOL n2)
    {
        m_calls.push_back(std::string(pszWhat) + " " + std::to_string(range.top) + "," + std::to_string(range.left) +
                          "-" + std::to_string(range.bottom) + "," + std::to_string(range.right) + " " +
                          std::to_string(n1) + " " + std::to_string(n2));
        return TRUE;
    }
};
} // namespace

TEST(Data, CopyMoveAndSortMoveGoToTheirFeaturesAndFailWithoutThem)
{
    CGXData data;
    CDWordArray order;
    order.Add(2);
    order.Add(1);
    CObject* pUndoInfo = nullptr;
    const CGXRange range(1, 2, 3, 4);
    CGXAppData* pAppData = GXGetAppDataPtr();
    CGXAbstractDataCopyMoveCellsImp* pInstalled = pAppData->m_pDataCopyMoveCellsImp;
    pAppData->m_pDataCopyMoveCellsImp = nullptr;
    CGXAbstractGridSortMoveDataImp* pInstalledSort = pAppData->m_pSortMoveDataImp;
    pAppData->m_pSortMoveDataImp = nullptr;

    EXPECT_FALSE(data.CopyCells(range, 5, 6));
    EXPECT_FALSE(data.MoveCells(range, 5, 6, pUndoInfo, TRUE));
    EXPECT_FALSE(data.MoveDataRows(range, order));
    EXPECT_FALSE(data.MoveDataCols(range, order));
    EXPECT_EQ(pUndoInfo, nullptr);

    CRecordingImps imps;
    pAppData->m_pDataCopyMoveCellsImp = &imps;
    pAppData->m_pSortMoveDataImp = &imps;
    EXPECT_TRUE(data.CopyCells(range, 5, 6));
    EXPECT_TRUE(data.MoveCells(range, 7, 8, pUndoInfo, TRUE));
    EXPECT_TRUE(data.MoveDataRows(range, order));
    EXPECT_TRUE(data.MoveDataCols(range, order));
    pAppData->m_pDataCopyMoveCellsImp = pInstalled;
    pAppData->m_pSortMoveDataImp = pInstalledSort;

    EXPECT_EQ(pUndoInfo, &imps.m_undoInfo);
    const std::vector<std::string> expected = {"copy 1,2-3,4 5 6", "move 1,2-3,4 7 8", "rows 1,2-3,4 2 2",
                                               "cols 1,2-3,4 2 2"};
    EXPECT_EQ(imps.m_calls, expected);
}
