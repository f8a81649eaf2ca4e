// Undo and redo on a grid whose data object is a formula sheet: formulas and their values come
// back with the cells.
#include "GridTestSupport.h"

#include <grid/core/GridParam.h>
#include <grid/core/SortInfoArray.h>
#include <grid/formula/FormulaSheet.h>

#include <gtest/gtest.h>

namespace
{
class FormulaGrid : public TestGrid
{
public:
    FormulaGrid()
    {
        m_pDataClass = RUNTIME_CLASS(CGXFormulaSheet);
    }
    CGXFormulaSheet& Sheet()
    {
        return *static_cast<CGXFormulaSheet*>(GetData());
    }
};

class FormulaUndoTest : public HiddenGridOfTest<FormulaGrid>
{
protected:
    // Formula text (or value) and computed value of a cell.
    CString Cell(ROWCOL nRow, ROWCOL nCol)
    {
        m_grid.Recalc(FALSE);
        return m_grid.Sheet().GetFormulaRowCol(nRow, nCol) + _T(" = ") + m_grid.Sheet().GetValueRowCol(nRow, nCol);
    }
};
} // namespace

TEST_F(FormulaUndoTest, AnEnteredFormulaUndoesAndRedoes)
{
    m_grid.SetValueRange(CGXRange(1, 1), _T("3"));
    m_grid.SetValueRange(CGXRange(1, 2), _T("=A1*2"));
    const CString strAfter = Cell(1, 2);
    EXPECT_STREQ(strAfter, _T("=A1*2 = 6"));
    ASSERT_TRUE(m_grid.Undo());
    EXPECT_STREQ(Cell(1, 2), _T(" = "));
    ASSERT_TRUE(m_grid.Redo());
    EXPECT_STREQ(Cell(1, 2), strAfter);
}

TEST_F(FormulaUndoTest, RemovingARowUnderFormulasUndoesAndRedoes)
{
    m_grid.SetValueRange(CGXRange(1, 1), _T("3"));
    m_grid.SetValueRange(CGXRange(2, 1), _T("4"));
    m_grid.SetValueRange(CGXRange(3, 2), _T("=A1*2"));
    m_grid.SetValueRange(CGXRange(3, 3), _T("=A2+1"));
    const CString strB3 = Cell(3, 2);
    const CString strC3 = Cell(3, 3);
    ASSERT_TRUE(m_grid.RemoveRows(1, 1));
    const CString strRemovedB2 = Cell(2, 2);
    const CString strRemovedC2 = Cell(2, 3);
    EXPECT_STRNE(strRemovedB2, strB3);
    ASSERT_TRUE(m_grid.Undo());
    EXPECT_STREQ(Cell(1, 1), _T("3 = 3"));
    EXPECT_STREQ(Cell(3, 2), strB3);
    EXPECT_STREQ(Cell(3, 3), strC3);
    ASSERT_TRUE(m_grid.Redo());
    EXPECT_STREQ(Cell(2, 2), strRemovedB2);
    EXPECT_STREQ(Cell(2, 3), strRemovedC2);
}

TEST_F(FormulaUndoTest, CellsMovedOntoFilledCellsUndoAndRedo)
{
    m_grid.SetValueRange(CGXRange(1, 1), _T("1"));
    m_grid.SetValueRange(CGXRange(1, 2), _T("=A1*2"));
    m_grid.SetValueRange(CGXRange(2, 1), _T("5"));
    m_grid.SetValueRange(CGXRange(2, 2), _T("=A2+1"));
    m_grid.SetValueRange(CGXRange(5, 3), _T("9"));
    m_grid.SetValueRange(CGXRange(6, 4), _T("=C5*3"));
    CString before[8][5], after[8][5];
    for (ROWCOL r = 1; r <= 7; ++r)
        for (ROWCOL c = 1; c <= 4; ++c)
            before[r][c] = Cell(r, c);
    CObject* pInfo = nullptr;
    ASSERT_TRUE(m_grid.MoveCells(CGXRange(1, 1, 2, 2), 5, 3, pInfo));
    for (ROWCOL r = 1; r <= 7; ++r)
        for (ROWCOL c = 1; c <= 4; ++c)
            after[r][c] = Cell(r, c);
    EXPECT_STREQ(after[5][4], _T("=C5*2 = 2"));
    ASSERT_TRUE(m_grid.Undo());
    for (ROWCOL r = 1; r <= 7; ++r)
        for (ROWCOL c = 1; c <= 4; ++c)
            EXPECT_STREQ(Cell(r, c), before[r][c]) << r << "," << c;
    ASSERT_TRUE(m_grid.Redo());
    for (ROWCOL r = 1; r <= 7; ++r)
        for (ROWCOL c = 1; c <= 4; ++c)
            EXPECT_STREQ(Cell(r, c), after[r][c]) << r << "," << c;
}

TEST_F(FormulaUndoTest, ADirectCopyOfAFormulaMovesItsReferences)
{
    m_grid.SetValueRange(CGXRange(1, 1), _T("3"));
    m_grid.SetValueRange(CGXRange(5, 1), _T("7"));
    m_grid.SetValueRange(CGXRange(1, 2), _T("=A1*2"));
    CGXGridParam& param = *m_grid.GetParam();
    EXPECT_TRUE(param.DirectCopyPaste()); // the sheet keeps formulas when pasting
    param.ClipboardRangeList().AddTail(new CGXRange(1, 2));
    ASSERT_TRUE(m_grid.m_pDirectCopyMoveCellsImp->PasteDirect(&m_grid, CGXRange(5, 2)));
    EXPECT_STREQ(Cell(5, 2), _T("=A5*2 = 14"));
    ASSERT_TRUE(m_grid.Undo());
    EXPECT_STREQ(Cell(5, 2), _T(" = "));
}

TEST_F(FormulaUndoTest, SortingMovesFormulasWithTheirRowsAndUndoes)
{
    const LPCTSTR values[] = {_T("3"), _T("1"), _T("4"), _T("2")};
    for (ROWCOL r = 1; r <= 4; ++r)
    {
        m_grid.SetValueRange(CGXRange(r, 1), values[r - 1]);
        CString strFormula;
        strFormula.Format(_T("=A%u*2"), r);
        m_grid.SetValueRange(CGXRange(r, 2), strFormula);
    }
    m_grid.SetValueRange(CGXRange(6, 4), _T("=B3*10")); // outside the sorted rows, into row 3
    m_grid.GetParam()->GetUndoList()->RemoveAll();
    CGXSortInfoArray sortInfo;
    sortInfo.SetSize(1);
    sortInfo[0].nRowCol = 1;
    sortInfo[0].nType = CGXSortInfoArray::numeric;
    sortInfo[0].bDescending = TRUE;
    m_grid.SortRows(CGXRange().SetRows(1, 4), sortInfo);

    const LPCTSTR sorted[] = {_T("4"), _T("3"), _T("2"), _T("1")};
    for (ROWCOL r = 1; r <= 4; ++r)
    {
        EXPECT_STREQ(m_grid.Sheet().GetValueRowCol(r, 1), sorted[r - 1]);
        CString strTwice;
        strTwice.Format(_T("%d"), 2 * _ttoi(sorted[r - 1]));
        EXPECT_STREQ(m_grid.Sheet().GetValueRowCol(r, 2), strTwice) << r;
    }
    EXPECT_STREQ(Cell(6, 4), _T("=B1*10 = 80"));

    ASSERT_TRUE(m_grid.Undo());
    EXPECT_STREQ(Cell(1, 1), _T("3 = 3"));
    EXPECT_STREQ(Cell(1, 2), _T("=A1*2 = 6"));
    EXPECT_STREQ(Cell(3, 2), _T("=A3*2 = 8"));
    EXPECT_STREQ(Cell(6, 4), _T("=B3*10 = 80"));
}

TEST_F(FormulaUndoTest, SmartEntryReadsDatesAndTimes)
{
    struct Case
    {
        LPCTSTR pszText;
        double dValue;
        int nFormat;
    };
    const Case cases[] = {
        {_T("1/2/2024"), 45293.0, 11},
        {_T("1/2/2024 12:00"), 45293.5, 18},
        {_T("12:00"), 0.5, 13},
    };
    ROWCOL nRow = 1;
    for (const Case& c : cases)
    {
        ++nRow; // a cell of its own: a date format once set stays
        ASSERT_TRUE(m_grid.Sheet().SetExpressionRowCol(nRow, 2, c.pszText)) << c.pszText;
        EXPECT_EQ(m_grid.Sheet().GetNumberRowCol(nRow, 2), c.dValue) << c.pszText;
        int nFormat = 0;
        int nPlaces = -1;
        ASSERT_TRUE(m_grid.Sheet().GetFormatRowCol(nRow, 2, nFormat, nPlaces)) << c.pszText;
        EXPECT_EQ(nFormat, c.nFormat) << c.pszText;
        EXPECT_EQ(nPlaces, 0) << c.pszText;
    }
}
