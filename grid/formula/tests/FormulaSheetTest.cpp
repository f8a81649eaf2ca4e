#include <grid/core/AppData.h>
#include <grid/core/GridCore.h>
#include <grid/core/GridParam.h>
#include <grid/core/StylesMap.h>
#include <grid/core/tests/ArchiveBytes.h>
#include <grid/formula/FormulaSheet.h>
#include <grid/services/ControlFactory.h>
#include <grid/services/format/NumberFormattingImp.h>
#include <grid/services/sort/GridSortImp.h>
#include <grid/services/tests/ArchiveInstall.h>

#include "TestSheet.h"

#include <cstring>
#include <memory>

#include <gtest/gtest.h>

namespace
{
// The sheet reads and formats numbers through the grid's number formatting, as in a running grid.
class NumberFormattingEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        GXInstallImp<CGXNumberFormattingImp>(GXGetAppDataPtr()->m_pNumberFormattingImp);
        InstallArchiveFeatures();
    }
};
::testing::Environment* const pNumberFormatting = ::testing::AddGlobalTestEnvironment(new NumberFormattingEnvironment);

CGXStyle ValueStyle(LPCTSTR pszValue)
{
    CGXStyle style;
    style.SetValue(pszValue);
    return style;
}

GXEngineNode* Node(CGXFormulaSheet& sheet, ROWCOL nRow, ROWCOL nCol)
{
    return GXEngineFindCell(sheet.GetEngineSheet(), static_cast<LONG>(nRow), static_cast<LONG>(nCol) - 1);
}

CString Message(CGXFormulaSheet& sheet)
{
    CString strMessage;
    return sheet.GetEngineErrorText(strMessage) ? strMessage : CString(L"(none)");
}

Bytes Double(double dValue)
{
    Bytes bytes(sizeof(double));
    std::memcpy(bytes.data(), &dValue, sizeof(double));
    return bytes;
}

// A cell record of the archive, from its field table.
Bytes CellRecord(BYTE nKind, BYTE nType, BYTE nFlags, DWORD dwRow, DWORD dwCol, const Bytes& tail)
{
    return Join({Bytes{1, nKind, nType, nFlags}, DWord(dwRow), DWord(dwCol), Word(0) /* no style */, tail});
}

// Schema, the (empty) CGXData part, the settings, no names, then the records and the end.
// The data part of a sheet without styles: its record, counts, the rows' and the row and column
// base styles' empty sparse arrays.
Bytes EmptyDataPart(DWORD dwRows = 0, DWORD dwCols = 0)
{
    const Bytes emptyArray = Join({Word(1), DWord(0), DWord(0xFFFFFFFF)});
    return Join({Word(1), DWord(dwRows), DWord(dwCols), emptyArray, emptyArray, emptyArray});
}

Bytes SheetRecord(const Bytes& records, WORD wSchema = 1)
{
    return Join(
        {Word(wSchema), EmptyDataPart(), Word(0), Word(0), Word(0), Word(1), Word(0), Word(0), records, Bytes{0}});
}
} // namespace

TEST(FormulaSheet, EntriesAndTheirTexts)
{
    CGXFormulaSheet sheet;
    struct Case
    {
        ROWCOL nRow;
        LPCTSTR pszEntered;
        LPCTSTR pszValue;
        LPCTSTR pszFormula;
    } cases[] = {
        {1, L"'=1", L"=1", L"'=1"},
        {2, L"12.5", L"12.5", L"12.5"},
        {3, L"=A2*2", L"25", L"=A2*2"},
        {4, L"#n/a", L"#N/A", L"#N/A"},
        {5, L"=1/0", L"Error!", L"=1/0"},
        {6, L"C:\\temp", L"C:\\temp", L"'C:\\temp"},
        {7, L"=1/3", L"0.33333333333333", L"=1/3"},
        {8, L"", L"", L""},
        {9, L" 1e3 ", L"1000", L"1000"},
        {10, L"0x1F", L"0x1F", L"'0x1F"},
    };
    for (const Case& c : cases)
    {
        EXPECT_TRUE(sheet.SetExpressionRowCol(c.nRow, 1, c.pszEntered));
        EXPECT_EQ(CString(c.pszValue), sheet.GetValueRowCol(c.nRow, 1)) << c.nRow;
        EXPECT_EQ(CString(c.pszFormula), sheet.GetFormulaRowCol(c.nRow, 1)) << c.nRow;
    }
    EXPECT_EQ(25, sheet.GetNumberRowCol(3, 1));
    EXPECT_EQ(0, sheet.GetNumberRowCol(1, 1));
    int nFormat = 0;
    int nPlaces = 0;
    ASSERT_TRUE(sheet.GetFormatRowCol(2, 1, nFormat, nPlaces));
    EXPECT_EQ(3, nFormat);
    EXPECT_EQ(15, nPlaces);
    EXPECT_EQ(CString(), sheet.GetValueRowCol(20, 1));

    // A value type the sheet does not know.
    Node(sheet, 2, 1)->SetValueType(7);
    EXPECT_EQ(CString(L"Value?"), sheet.GetValueRowCol(2, 1));
    EXPECT_EQ(CString(L"Value?"), sheet.GetFormulaRowCol(2, 1));
}

TEST(FormulaSheet, EntriesAreReadAsTheNumberFormattingReadsThem)
{
    CGXFormulaSheet sheet;
    struct Case
    {
        LPCTSTR pszEntered;
        LPCTSTR pszFormula;
        double dNumber;
    } cases[] = {
        {L"$1,234.50", L"1234.5", 1234.5},
        {L"(5)", L"-5", -5},
        {L"1,234,567", L"1234567", 1234567},
        {L"1e999", L"'1e999", 0},
        {L"12abc", L"'12abc", 0},
    };
    ROWCOL nRow = 1;
    for (const Case& c : cases)
    {
        EXPECT_TRUE(sheet.SetExpressionRowCol(nRow, 1, c.pszEntered));
        EXPECT_EQ(CString(c.pszFormula), sheet.GetFormulaRowCol(nRow, 1)) << c.pszEntered;
        EXPECT_EQ(c.dNumber, sheet.GetNumberRowCol(nRow, 1)) << c.pszEntered;
        ++nRow;
    }

    // Without number formatting nothing reads as a number.
    CGXAppData* pAppData = GXGetAppDataPtr();
    CGXAbstractNumberFormattingImp* pImp = pAppData->m_pNumberFormattingImp;
    pAppData->m_pNumberFormattingImp = nullptr;
    EXPECT_TRUE(sheet.SetExpressionRowCol(1, 2, L"12"));
    pAppData->m_pNumberFormattingImp = pImp;
    EXPECT_EQ(CString(L"'12"), sheet.GetFormulaRowCol(1, 2));
    EXPECT_EQ(0, sheet.GetNumberRowCol(1, 2));
}

TEST(FormulaSheet, DateFormattedNumbersShowAsDatesInTheEditor)
{
    CGXFormulaSheet sheet;
    struct Case
    {
        int nFormat;
        LPCTSTR pszFormula; // null: the locale's text, checked for its date and time parts
        bool bDate;
        bool bTime;
    } cases[] = {
        {8, L"01-Jan-08", true, false}, {9, L"01-Jan", true, false}, {10, L"Jan-08", true, false},
        {11, nullptr, true, false},     {13, nullptr, false, true},  {18, nullptr, true, true},
        {2, L"39448.75", false, false},
    };
    ROWCOL nRow = 1;
    for (const Case& c : cases)
    {
        sheet.SetFormatRowCol(nRow, 1, c.nFormat, 0);
        EXPECT_TRUE(sheet.SetExpressionRowCol(nRow, 1, L"39448.75"));
        EXPECT_EQ(CString(L"39448.75"), sheet.GetValueRowCol(nRow, 1)) << c.nFormat;
        const CString strFormula = sheet.GetFormulaRowCol(nRow, 1);
        if (c.pszFormula != nullptr)
            EXPECT_EQ(CString(c.pszFormula), strFormula) << c.nFormat;
        else
        {
            EXPECT_EQ(c.bDate, strFormula.Find(L"2008") >= 0) << c.nFormat << " " << static_cast<LPCTSTR>(strFormula);
            EXPECT_EQ(c.bTime, strFormula.Find(L"18") >= 0 || strFormula.Find(L"6:00") >= 0)
                << c.nFormat << " " << static_cast<LPCTSTR>(strFormula);
        }
        int nFormat = 0;
        int nPlaces = 0;
        ASSERT_TRUE(sheet.GetFormatRowCol(nRow, 1, nFormat, nPlaces));
        // A date keeps its format; any other number becomes format 3 with 15 places.
        EXPECT_EQ(c.nFormat == 2 ? 3 : c.nFormat, nFormat);
        ++nRow;
    }
}

TEST(FormulaSheet, FailedFormulaLeavesItsMessage)
{
    CGXFormulaSheet sheet;
    sheet.SetNumberRowCol(3, 1, 7);
    EXPECT_FALSE(sheet.SetFormulaRowCol(3, 1, L"=1+"));
    EXPECT_FALSE(sheet.SetFormulaRowCol(3, 1, L"1+"));
    EXPECT_EQ(CString(L"Cell A3: ERROR: expected to find an operand here (Pos 3)"), Message(sheet));
    EXPECT_EQ(7, sheet.GetNumberRowCol(3, 1));
    sheet.RecalcEngine();
    EXPECT_EQ(CString(L"(none)"), Message(sheet));
    EXPECT_FALSE(sheet.SetFormulaRowCol(1, 4097, L"=1"));
}

TEST(FormulaSheet, CyclesShowUntilIterationIsOn)
{
    CGXFormulaSheet sheet;
    sheet.SetEagerRecalc(TRUE);
    sheet.SetFormulaRowCol(1, 1, L"=B1+1");
    sheet.SetFormulaRowCol(1, 2, L"=A1");
    sheet.EnableEngineRecalc(TRUE);
    EXPECT_EQ(CString(L"Cycle!"), sheet.GetValueRowCol(1, 1));
    EXPECT_EQ(CString(L"Cycle!"), sheet.GetValueRowCol(1, 2));
    sheet.SetIterationLimit(3);
    sheet.EnableEngineRecalc(TRUE);
    EXPECT_NE(CString(L"Cycle!"), sheet.GetValueRowCol(1, 1));
}

TEST(FormulaSheet, StylesSplitIntoValueAndOwnStyle)
{
    CGXFormulaSheet sheet;
    CGXStyle value;
    value.SetValue(5.0);
    EXPECT_TRUE(sheet.StoreStyleImpl(1, 1, &value, CGXStyle::modeCopy, 0));
    EXPECT_EQ(nullptr, Node(sheet, 1, 1)->pStyle);

    CGXStyle bold = ValueStyle(L"text");
    CGXFont font;
    font.SetWeight(700);
    bold.SetFont(font);
    EXPECT_TRUE(sheet.StoreStyleImpl(2, 1, &bold, CGXStyle::modeCopy, 0));
    const CGXStyle* pOwn = Node(sheet, 2, 1)->pStyle;
    ASSERT_NE(nullptr, pOwn);
    EXPECT_TRUE(pOwn->GetInclude(CGXStyle::inclFont));
    EXPECT_FALSE(pOwn->GetInclude(CGXStyle::inclValue));

    CGXStyle read;
    ASSERT_TRUE(sheet.GetStyleImpl(2, 1, read, CGXStyle::modeCopy, 0));
    EXPECT_EQ(CString(L"text"), read.GetValue());
    EXPECT_EQ(700, read.GetFont().GetWeight());
    // Type 1 asks for the formula text.
    sheet.SetFormulaRowCol(3, 1, L"=A1+1");
    ASSERT_TRUE(sheet.GetStyleImpl(3, 1, read, CGXStyle::modeCopy, 1));
    EXPECT_EQ(CString(L"=A1+1"), read.GetValue());
    EXPECT_EQ(static_cast<UINT>(CGXStyle::valueFormula), read.GetValueType());
    ASSERT_TRUE(sheet.GetStyleImpl(3, 1, read, CGXStyle::modeCopy, 0));
    EXPECT_EQ(CString(L"6"), read.GetValue());
    EXPECT_EQ(static_cast<UINT>(CGXStyle::valueNumber), read.GetValueType());
    EXPECT_FALSE(sheet.GetStyleImpl(9, 9, read, CGXStyle::modeCopy, 0));

    // Type 1 reads the value as the user typed it.
    const CGXStyle typed = ValueStyle(L"=A1*3");
    sheet.StoreStyleImpl(4, 1, &typed, CGXStyle::modeCopy, 1);
    EXPECT_EQ(15, sheet.GetNumberRowCol(4, 1));

    // Removing the value of a cell without an own style removes the cell.
    sheet.StoreStyleImpl(1, 1, &value, CGXStyle::modeExclude, 0);
    EXPECT_EQ(nullptr, Node(sheet, 1, 1));
    const CGXStyle nothing;
    sheet.StoreStyleImpl(2, 1, &nothing, CGXStyle::modeCopy, 0);
    EXPECT_EQ(nullptr, Node(sheet, 2, 1));

    // Row and column styles stay in the data part.
    const CGXStyle header = ValueStyle(L"Head");
    EXPECT_TRUE(sheet.StoreStyleImpl(0, 1, &header, CGXStyle::modeCopy, 0));
    ASSERT_TRUE(sheet.GetStyleImpl(0, 1, read, CGXStyle::modeCopy, 0));
    EXPECT_EQ(CString(L"Head"), read.GetValue());
}

TEST(FormulaSheet, CopyFromPlainDataMovesValuesIntoTheEngine)
{
    CGXData data;
    const CGXStyle header = ValueStyle(L"Name");
    data.StoreStyleImpl(0, 1, &header, CGXStyle::modeCopy, 0);
    data.StoreStyleImpl(1, 0, &header, CGXStyle::modeCopy, 0);
    const CGXStyle number = ValueStyle(L"12");
    data.StoreStyleImpl(1, 1, &number, CGXStyle::modeCopy, 0);
    CGXStyle bold = ValueStyle(L"=A1*2");
    CGXFont font;
    font.SetWeight(700);
    bold.SetFont(font);
    data.StoreStyleImpl(2, 3, &bold, CGXStyle::modeCopy, 0);

    CGXFormulaSheet sheet;
    sheet = data;
    EXPECT_EQ(12, sheet.GetNumberRowCol(1, 1));
    EXPECT_EQ(24, sheet.GetNumberRowCol(2, 3));
    EXPECT_EQ(CString(L"=A1*2"), sheet.GetFormulaRowCol(2, 3));
    ASSERT_NE(nullptr, Node(sheet, 2, 3)->pStyle);
    EXPECT_EQ(700, Node(sheet, 2, 3)->pStyle->GetFont().GetWeight());
    // Only the header column is left in the cell arrays.
    CGXStyle read;
    EXPECT_TRUE(sheet.GetStyleImpl(0, 1, read, CGXStyle::modeCopy, 0));
    EXPECT_EQ(CString(L"Name"), read.GetValue());
    EXPECT_TRUE(sheet.GetStyleImpl(1, 0, read, CGXStyle::modeCopy, 0));
    EXPECT_TRUE(sheet.CGXData::GetStyleImpl(0, 1, read, CGXStyle::modeCopy, 0));
    EXPECT_FALSE(sheet.CGXData::GetStyleImpl(1, 1, read, CGXStyle::modeCopy, 0));
    EXPECT_FALSE(sheet.CGXData::GetStyleImpl(2, 3, read, CGXStyle::modeCopy, 0));
    EXPECT_EQ(2u, sheet.GetRowCount());
    EXPECT_EQ(3u, sheet.GetColCount());
}

TEST(FormulaSheet, CopyFromAnotherSheetKeepsCellsNamesAndSettings)
{
    CGXFormulaSheet source;
    source.SetIterationLimit(7);
    source.SetBlanksAsZero(TRUE);
    source.SetNumberRowCol(1, 1, 3);
    source.EngineCellsHook(L"base", CGXRange(1, 1), nullptr);
    source.SetFormulaRowCol(2, 1, L"=base*2");
    CGXFormulaSheet copy;
    copy.SetNumberRowCol(5, 5, 1);
    copy = source;
    EXPECT_EQ(7, copy.GetIterationLimit());
    EXPECT_TRUE(copy.GetBlanksAsZero());
    EXPECT_EQ(CString(), copy.GetValueRowCol(5, 5));
    EXPECT_EQ(CString(L"=base*2"), copy.GetFormulaRowCol(2, 1));
    // The copy's formula reads the copy's own name.
    CObject* pUndo = nullptr;
    EXPECT_TRUE(source.SetEngineExpression(L"base", pUndo, FALSE));
    copy.EngineCellsHook(L"base", CGXRange(1, 2), nullptr);
    copy.SetNumberRowCol(1, 2, 10);
    copy.EnableEngineRecalc(TRUE);
    EXPECT_EQ(20, copy.GetNumberRowCol(2, 1));
    EXPECT_EQ(CString(L"=A1*2"), source.GetFormulaRowCol(2, 1));
}

TEST(FormulaSheet, RangeNamesWithUndo)
{
    CGXFormulaSheet sheet;
    sheet.SetNumberRowCol(1, 1, 4);
    EXPECT_TRUE(sheet.EngineCellsHook(L"rate", CGXRange(1, 1), nullptr));
    EXPECT_TRUE(sheet.EngineCellsHook(L"area", CGXRange(1, 1, 3, 2), nullptr));
    EXPECT_FALSE(sheet.EngineCellsHook(L"9lives", CGXRange(1, 1), nullptr));
    CGXRange range;
    ASSERT_TRUE(sheet.GetEngineNamedRange(L"AREA", range));
    EXPECT_EQ(1u, range.top);
    EXPECT_EQ(1u, range.left);
    EXPECT_EQ(3u, range.bottom);
    EXPECT_EQ(2u, range.right);
    EXPECT_FALSE(sheet.GetEngineNamedRange(L"none", range));

    sheet.SetFormulaRowCol(1, 3, L"=rate+1");
    CObject* pUndo = nullptr;
    EXPECT_TRUE(sheet.SetEngineExpression(L"rate", pUndo, TRUE));
    ASSERT_NE(nullptr, pUndo);
    EXPECT_EQ(CString(L"=A1+1"), sheet.GetFormulaRowCol(1, 3));
    EXPECT_FALSE(sheet.GetEngineNamedRange(L"rate", range));
    // Undo: the name and the formulas that used it come back.
    EXPECT_TRUE(sheet.EngineCellsHook(L"rate", CGXRange(1, 1), pUndo));
    EXPECT_EQ(CString(L"=rate+1"), sheet.GetFormulaRowCol(1, 3));
    EXPECT_TRUE(sheet.GetEngineNamedRange(L"rate", range));
    sheet.EnableEngineRecalc(TRUE);
    EXPECT_EQ(5, sheet.GetNumberRowCol(1, 3));
    delete pUndo;
}

TEST(FormulaSheet, StructureChangesWithUndo)
{
    CGXFormulaSheet sheet;
    sheet.SetEagerRecalc(TRUE);
    sheet.SetNumberRowCol(1, 1, 1);
    sheet.SetNumberRowCol(2, 1, 2);
    sheet.SetFormulaRowCol(3, 1, L"=A2*10");
    sheet.SetFormulaRowCol(4, 1, L"=A1+A3");

    sheet.ExchangeEngineMode(1);
    sheet.RemoveRowsImpl(2, 2);
    std::unique_ptr<CObject> pUndo(sheet.DetachEngineUndoInfo());
    sheet.ExchangeEngineMode(0);
    ASSERT_NE(nullptr, pUndo);
    EXPECT_EQ(CString(L"=??*10"), sheet.GetFormulaRowCol(2, 1));
    EXPECT_EQ(CString(L"=A1+A2"), sheet.GetFormulaRowCol(3, 1));

    // The command's inverse, then the cells it took.
    sheet.InsertRowsImpl(2, 1);
    EXPECT_TRUE(sheet.ApplyEngineUndoInfo(pUndo.get(), 0, FALSE));
    sheet.EnableEngineRecalc(TRUE);
    EXPECT_EQ(2, sheet.GetNumberRowCol(2, 1));
    EXPECT_EQ(CString(L"=A2*10"), sheet.GetFormulaRowCol(3, 1));
    EXPECT_EQ(CString(L"=A1+A3"), sheet.GetFormulaRowCol(4, 1));
    EXPECT_EQ(21, sheet.GetNumberRowCol(4, 1));

    // Inserting keeps every cell; the inverse removal brings the sheet back.
    sheet.InsertRowsImpl(1, 2);
    EXPECT_EQ(CString(L"=A3+A5"), sheet.GetFormulaRowCol(6, 1));
    sheet.RemoveRowsImpl(1, 2);
    EXPECT_EQ(CString(L"=A1+A3"), sheet.GetFormulaRowCol(4, 1));

    // Moving row 4 to the top and back.
    sheet.MoveRowsImpl(4, 4, 1);
    EXPECT_EQ(CString(L"=A2+A4"), sheet.GetFormulaRowCol(1, 1));
    EXPECT_EQ(CString(L"=A3*10"), sheet.GetFormulaRowCol(4, 1));
    sheet.MoveRowsImpl(1, 1, 4);
    EXPECT_EQ(CString(L"=A1+A3"), sheet.GetFormulaRowCol(4, 1));

    // Columns move the same way.
    sheet.SetFormulaRowCol(1, 2, L"=A1");
    sheet.InsertColsImpl(1, 1);
    EXPECT_EQ(CString(L"=B1"), sheet.GetFormulaRowCol(1, 3));
    sheet.RemoveColsImpl(1, 1);
    EXPECT_EQ(CString(L"=A1"), sheet.GetFormulaRowCol(1, 2));
}

TEST(FormulaSheet, FormulaEntryUndoAndRedo)
{
    CGXFormulaSheet sheet;
    sheet.SetNumberRowCol(1, 1, 5);
    sheet.ExchangeEngineMode(1);
    sheet.SetFormulaRowCol(1, 1, L"=2+2");
    std::unique_ptr<CObject> pUndo(sheet.DetachEngineUndoInfo());
    ASSERT_NE(nullptr, pUndo);
    EXPECT_TRUE(sheet.ApplyEngineUndoInfo(pUndo.get(), 1, FALSE));
    EXPECT_EQ(CString(L"5"), sheet.GetFormulaRowCol(1, 1));
    EXPECT_TRUE(sheet.ApplyEngineUndoInfo(pUndo.get(), 1, TRUE));
    EXPECT_EQ(CString(L"=2+2"), sheet.GetFormulaRowCol(1, 1));
    EXPECT_TRUE(sheet.ApplyEngineUndoInfo(pUndo.get(), 1, FALSE));
    EXPECT_EQ(CString(L"5"), sheet.GetFormulaRowCol(1, 1));
    sheet.ExchangeEngineMode(0);
    EXPECT_FALSE(sheet.ApplyEngineUndoInfo(nullptr, 0, FALSE));
}

namespace
{
// Rows 1-3: A = 10, 20, 30 and B = A * 2; A5 refers to A1, A6 to A1..A3. The order that moves
// row 3 first.
void FillDoublingRows(CGXFormulaSheet& sheet, CDWordArray& order)
{
    for (ROWCOL nRow = 1; nRow <= 3; ++nRow)
    {
        sheet.SetNumberRowCol(nRow, 1, nRow * 10.0);
        CString strFormula;
        strFormula.Format(L"=A%lu*2", nRow);
        sheet.SetFormulaRowCol(nRow, 2, strFormula);
    }
    sheet.SetFormulaRowCol(5, 1, L"=A1");
    sheet.SetFormulaRowCol(6, 1, L"=A1..A3 ? 1 : 0");
    order.RemoveAll();
    order.Add(2);
    order.Add(0);
    order.Add(1);
}
} // namespace

TEST(FormulaSheet, ARefusedReorderLeavesTheEngineCellsBesideTheirStyles)
{
    CGXAppData* pAppData = GXGetAppDataPtr();
    CGXAbstractGridSortMoveDataImp* pInstalled = pAppData->m_pSortMoveDataImp;
    pAppData->m_pSortMoveDataImp = nullptr;
    CGXFormulaSheet sheet;
    CDWordArray order;
    FillDoublingRows(sheet, order);
    EXPECT_FALSE(sheet.MoveDataRows(CGXRange(1, 1, 3, 2), order));
    pAppData->m_pSortMoveDataImp = pInstalled;
    for (ROWCOL nRow = 1; nRow <= 3; ++nRow)
    {
        EXPECT_EQ(nRow * 10.0, sheet.GetNumberRowCol(nRow, 1));
        EXPECT_EQ(nRow * 20.0, sheet.GetNumberRowCol(nRow, 2));
    }
    EXPECT_EQ(CString(L"=A3*2"), sheet.GetFormulaRowCol(3, 2));
    EXPECT_EQ(CString(L"=A1"), sheet.GetFormulaRowCol(5, 1));
}

TEST(FormulaSheet, ReorderTakesReferencesAlongWithTheirRows)
{
    GXInstallGridSortMoveDataImp();
    CGXFormulaSheet sheet;
    CDWordArray order;
    FillDoublingRows(sheet, order);
    EXPECT_TRUE(sheet.MoveDataRows(CGXRange(1, 1, 3, 2), order));
    const double adExpected[] = {30, 10, 20};
    for (ROWCOL nRow = 1; nRow <= 3; ++nRow)
    {
        EXPECT_EQ(adExpected[nRow - 1], sheet.GetNumberRowCol(nRow, 1));
        EXPECT_EQ(adExpected[nRow - 1] * 2, sheet.GetNumberRowCol(nRow, 2));
    }
    EXPECT_EQ(CString(L"=A2*2"), sheet.GetFormulaRowCol(2, 2));
    EXPECT_EQ(CString(L"=A2"), sheet.GetFormulaRowCol(5, 1));
    EXPECT_EQ(CString(L"=A1..A3?1:0"), sheet.GetFormulaRowCol(6, 1));
}

TEST(FormulaSheet, ArchiveRoundTrip)
{
    CGXFormulaSheet sheet;
    sheet.SetIterationLimit(5);
    sheet.SetBlanksAsZero(TRUE);
    sheet.SetManualRecalc(TRUE);
    sheet.SetEagerRecalc(TRUE);
    sheet.SetConstraintCheck(TRUE);
    sheet.EngineCellsHook(L"total", CGXRange(1, 1, 2, 2), nullptr);
    sheet.EngineCellsHook(L"one", CGXRange(3, 1), nullptr);
    sheet.SetNumberRowCol(1, 1, 2.5);
    sheet.SetTextRowCol(2, 1, L"abc");
    sheet.SetTextRowCol(2, 2, L"a longer text");
    sheet.SetFormulaRowCol(3, 1, L"=A1*2;A3>0//doubled");
    sheet.SetFormulaRowCol(4, 1, L"=one+1");
    sheet.SetFormulaRowCol(5, 1, L"=1/0");
    sheet.SetExpressionRowCol(6, 1, L"#N/A");
    GXEngineNewPlaceholder(sheet.GetEngineSheet(), 7, 0);

    const Bytes bytes = Stored([&](CArchive& ar) { sheet.Serialize(ar); });
    CGXFormulaSheet loaded;
    Loaded(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(5, loaded.GetIterationLimit());
    EXPECT_TRUE(loaded.GetBlanksAsZero());
    EXPECT_TRUE(loaded.GetManualRecalc());
    EXPECT_TRUE(loaded.GetEagerRecalc());
    EXPECT_TRUE(loaded.GetConstraintCheck());
    CGXRange range;
    ASSERT_TRUE(loaded.GetEngineNamedRange(L"total", range));
    EXPECT_EQ(2u, range.bottom);
    EXPECT_EQ(2u, range.right);
    ASSERT_TRUE(loaded.GetEngineNamedRange(L"one", range));
    for (ROWCOL nRow = 1; nRow <= 7; ++nRow)
    {
        for (ROWCOL nCol = 1; nCol <= 2; ++nCol)
        {
            EXPECT_EQ(sheet.GetValueRowCol(nRow, nCol), loaded.GetValueRowCol(nRow, nCol)) << nRow << "," << nCol;
            EXPECT_EQ(sheet.GetFormulaRowCol(nRow, nCol), loaded.GetFormulaRowCol(nRow, nCol)) << nRow << "," << nCol;
        }
    }
    EXPECT_EQ(CString(L"5"), loaded.GetValueRowCol(3, 1));
    EXPECT_EQ(CString(L"=A1*2;A3>0//doubled"), loaded.GetFormulaRowCol(3, 1));
    EXPECT_EQ(GX_KIND_PLACEHOLDER, Node(loaded, 7, 1)->Kind());
    EXPECT_EQ(Stored([&](CArchive& ar) { loaded.Serialize(ar); }), bytes);
}

TEST(FormulaSheet, ArchiveRecordsFollowTheFieldTable)
{
    CGXFormulaSheet sheet;
    sheet.SetNumberRowCol(1, 1, 2.5);
    sheet.SetFormulaRowCol(1, 2, L"=A1*2");
    sheet.SetEngineCellFlag(1, 2, FALSE);
    const Bytes expected = Join({
        Word(1), // schema
        EmptyDataPart(1, 2),
        Word(0),
        Word(0),
        Word(0),
        Word(0),
        Word(0),                                                                  // settings
        Word(0),                                                                  // no names
        CellRecord(1, 3, 0x00, 1, 0, Double(2.5)),                                // number
        CellRecord(3, 3, 0x02, 1, 1, Join({ArchiveString(L"=A1*2"), Double(5)})), // computed formula
        Bytes{0},
    });
    EXPECT_EQ(expected, Stored([&](CArchive& ar) { sheet.Serialize(ar); }));
}

TEST(FormulaSheet, ArchiveLoadingChecksEveryRecord)
{
    // A formula whose function is unknown comes back as its text.
    const Bytes unknown = SheetRecord(Join({
        CellRecord(1, 3, 0, 1, 0, Double(4)),
        CellRecord(3, 3, 0, 2, 0, Join({ArchiveString(L"=FOO(A1)"), Double(1)})),
        CellRecord(2, 5, 0, 3, 0, ArchiveString(L"abcd")),
    }));
    CGXFormulaSheet sheet;
    Loaded(unknown, [&](CArchive& ar) { sheet.Serialize(ar); });
    EXPECT_EQ(CString(L"=FOO(A1)"), sheet.GetValueRowCol(2, 1));
    EXPECT_EQ(GX_KIND_TEXT, Node(sheet, 2, 1)->Kind());
    EXPECT_EQ(CString(L"abcd"), sheet.GetValueRowCol(3, 1));
    EXPECT_TRUE(sheet.GetEagerRecalc());

    EXPECT_EQ(CArchiveException::badSchema,
              ArchiveCause([&] { Loaded(SheetRecord({}, 2), [&](CArchive& ar) { sheet.Serialize(ar); }); }));

    const Bytes damaged[] = {
        SheetRecord(CellRecord(1, 3, 0, 0, 0, Double(1))),
        SheetRecord(CellRecord(1, 3, 0, 0x800000, 0, Double(1))),
        SheetRecord(CellRecord(1, 3, 0, 1, 4096, Double(1))),
        SheetRecord(CellRecord(5, 3, 0, 1, 0, Double(1))),
        SheetRecord(CellRecord(1, 6, 0, 1, 0, {})),
        SheetRecord(CellRecord(2, 5, 0, 1, 0, ArchiveString(L"abcde"))),
    };
    for (const Bytes& bytes : damaged)
    {
        CGXFormulaSheet target;
        target.SetNumberRowCol(9, 9, 1);
        EXPECT_EQ(CArchiveException::genericException,
                  ArchiveCause([&] { Loaded(bytes, [&](CArchive& ar) { target.Serialize(ar); }); }));
        EXPECT_EQ(0, GXEngineGetSheet(target.GetEngineSheet())->nCells);
    }
}

TEST(FormulaSheet, EvaluatesFormulasApartFromTheCells)
{
    CGXFormulaSheet sheet;
    sheet.SetNumberRowCol(1, 1, 6);
    CString strResult;
    EXPECT_TRUE(sheet.EvaluateFormulaText(strResult, L"=A1*7"));
    EXPECT_EQ(CString(L"42"), strResult);
    EXPECT_FALSE(sheet.EvaluateFormulaText(strResult, L"=1/0"));
    EXPECT_EQ(CString(L"Error!"), strResult);
    EXPECT_FALSE(sheet.EvaluateFormulaText(strResult, L"=(1"));
    EXPECT_EQ(CString(L"ERROR: expected to find \")\" here (Pos 3)"), strResult);
    CGXFormula formula;
    ASSERT_TRUE(sheet.CompileFormula(L"=\"a\"&\"b\"", formula));
    EXPECT_TRUE(sheet.EvaluateFormula(strResult, formula));
    EXPECT_EQ(CString(L"ab"), strResult);
    EXPECT_EQ(0, GXEngineGetSheet(sheet.GetEngineSheet())->nCells - 1);
}

TEST(FormulaSheet, RefreshFlagsAndChangedRanges)
{
    CGXFormulaSheet sheet;
    sheet.SetNumberRowCol(1, 1, 1);
    sheet.SetFormulaRowCol(1, 2, L"=A1+1");
    sheet.SetEngineCellFlag(1, 2, FALSE);
    EXPECT_FALSE(sheet.GetEngineCellFlag(1, 2));
    sheet.SetNumberRowCol(1, 1, 5);
    sheet.UpdateEngineRange(CGXRange(1, 1));
    sheet.SetEagerRecalc(TRUE);
    sheet.EnableEngineRecalc(FALSE);
    EXPECT_TRUE(sheet.GetEngineCellFlag(1, 2));
    EXPECT_EQ(6, sheet.GetNumberRowCol(1, 2));
    EXPECT_FALSE(sheet.GetEngineCellFlag(9, 9));
}

TEST(FormulaSheet, RecalculationWhileUndoIsCollectedComputesAtOnce)
{
    CGXFormulaSheet sheet;
    sheet.SetNumberRowCol(1, 1, 2);
    GXEngineSetCellFormula(sheet.GetEngineSheet(), 1, 1, L"=A1*3");
    // As needed, a recalculation leaves the formula to its first reading.
    sheet.EnableEngineRecalc(FALSE);
    EXPECT_EQ(GX_VALUE_EMPTY, Node(sheet, 1, 2)->ValueType());
    sheet.ExchangeEngineMode(1);
    sheet.EnableEngineRecalc(FALSE);
    EXPECT_EQ(GX_VALUE_NUMBER, Node(sheet, 1, 2)->ValueType());
    EXPECT_EQ(6, Node(sheet, 1, 2)->value.dNumber);
    EXPECT_FALSE(sheet.GetEagerRecalc());
    sheet.ExchangeEngineMode(0);
    delete sheet.DetachEngineUndoInfo();
}

TEST(FormulaSheet, PreparesTheGridParameter)
{
    CGXFormulaSheet sheet;
    CGXGridParam param;
    sheet.InitParam(&param);
    for (int i = 0; i < 14; ++i)
        EXPECT_EQ(i >= 10 && i <= 12 ? 1u : 0u, param.m_adwSettingsC[i]) << i;
    EXPECT_EQ(1, param.m_wValueDisplay);
}

TEST(FormulaSheet, ViolatedConstraintsShowTheConstraintViolationStyle)
{
    auto violated = [](CGXFormulaSheet& sheet) {
        sheet.SetFormulaRowCol(1, 1, L"=5;A1<3");
        sheet.SetFormulaRowCol(2, 1, L"=1;A2==1");
        sheet.SetEagerRecalc(TRUE);
        sheet.EnableEngineRecalc(TRUE);
    };
    // Without a grid the cell is only marked for refresh.
    CGXFormulaSheet alone;
    alone.SetConstraintCheck(TRUE);
    violated(alone);
    CGXStyle style;
    ASSERT_TRUE(alone.GetStyleImpl(1, 1, style, CGXStyle::modeCopy, 0));
    EXPECT_FALSE(style.GetInclude(CGXStyle::inclBaseStyle));
    EXPECT_TRUE(Node(alone, 1, 1)->Is(GX_NODE_REFRESH));

    CGXFormulaSheet sheet;
    CGXGridParam param;
    param.m_pStylesMap = new CGXStylesMap;
    param.m_pStylesMap->CreateStandardStyles();
    param.m_bOwnStylesMap = TRUE;
    CGXGridCore grid;
    grid.SetParam(&param, FALSE);
    GXGetAppDataPtr()->RegisterGrid(&sheet, &grid);
    sheet.SetConstraintCheck(TRUE);
    const WORD nId = param.m_pStylesMap->LookupStyleId(L"Constraint Violation");
    ASSERT_NE(0, nId);
    CGXStyle* pBase = nullptr;
    ASSERT_TRUE(param.m_pStylesMap->LookupStyle(nId, pBase));
    EXPECT_EQ(RGB(255, 0, 0), pBase->GetInterior().GetColor());

    violated(sheet);
    style.Free();
    ASSERT_TRUE(sheet.GetStyleImpl(1, 1, style, CGXStyle::modeCopy, 0));
    EXPECT_EQ(nId, style.GetBaseStyle());
    style.Free();
    ASSERT_TRUE(sheet.GetStyleImpl(2, 1, style, CGXStyle::modeCopy, 0));
    EXPECT_FALSE(style.GetInclude(CGXStyle::inclBaseStyle));
    GXGetAppDataPtr()->UnregisterGrid(&grid);
}

namespace
{
Bytes StoredSheet(CGXData& sheet)
{
    return Stored([&](CArchive& ar) { sheet.Serialize(ar); });
}

CGXStyle CellStyle(CGXData& sheet, ROWCOL nRow, ROWCOL nCol, int nType = 0)
{
    CGXStyle style;
    EXPECT_TRUE(sheet.GetStyleImpl(nRow, nCol, style, CGXStyle::modeCopy, nType)) << nRow << "," << nCol;
    return style;
}
} // namespace

TEST(FormulaSheet, ArchiveKeepsTheDataPartAndTheCellsOwnStyles)
{
    CGXFormulaSheet sheet;
    sheet.SetRowCount(8);
    sheet.SetColCount(4);
    sheet.SetIterationLimit(3);
    sheet.EngineCellsHook(L"area", CGXRange(1, 1, 2, 2), nullptr);
    CGXStyle style;
    sheet.StoreStyleImpl(0, 2, &style.SetValue(_T("Header")).SetFont(CGXFont().SetBold(TRUE)), CGXStyle::modeCopy, 0);
    sheet.StoreStyleImpl(3, 0, &style.Free().SetInteriorColor(RGB(255, 255, 0)), CGXStyle::modeCopy, -1);
    sheet.StoreStyleImpl(1, 1, &style.Free().SetValue(_T("4")).SetFont(CGXFont().SetBold(TRUE)), CGXStyle::modeCopy, 1);
    sheet.StoreStyleImpl(2, 1, &style.Free().SetValue(_T("=A1*3")).SetInteriorColor(RGB(0, 0, 255)), CGXStyle::modeCopy,
                         1);
    sheet.SetTextRowCol(2, 2, L"text");

    const Bytes bytes = StoredSheet(sheet);
    CGXFormulaSheet loaded;
    ASSERT_TRUE(LoadsExactly(bytes, [&](CArchive& ar) { loaded.Serialize(ar); }));
    EXPECT_EQ(loaded.GetRowCount(), 8u);
    EXPECT_EQ(loaded.GetColCount(), 4u);
    EXPECT_EQ(loaded.GetIterationLimit(), 3);
    CGXRange range;
    EXPECT_TRUE(loaded.GetEngineNamedRange(L"area", range));
    EXPECT_STREQ(CellStyle(loaded, 0, 2).GetValue(), L"Header");
    EXPECT_TRUE(CellStyle(loaded, 0, 2).GetFont().GetBold());
    EXPECT_EQ(CellStyle(loaded, 3, 0, -1).GetInterior(), CellStyle(sheet, 3, 0, -1).GetInterior());
    EXPECT_TRUE(CellStyle(loaded, 1, 1).GetFont().GetBold());
    EXPECT_EQ(CellStyle(loaded, 2, 1).GetInterior(), CellStyle(sheet, 2, 1).GetInterior());
    EXPECT_EQ(loaded.GetValueRowCol(2, 1), CString(L"12"));
    EXPECT_EQ(loaded.GetValueRowCol(2, 2), CString(L"text"));
    // The style arrays come back only as long as their styles need; from then on a sheet stores
    // what it loaded.
    const Bytes again = StoredSheet(loaded);
    CGXFormulaSheet reloaded;
    ASSERT_TRUE(LoadsExactly(again, [&](CArchive& ar) { reloaded.Serialize(ar); }));
    EXPECT_EQ(StoredSheet(reloaded), again);
}

TEST(FormulaSheet, ARecordBuiltFromTheFieldTableWithACellStyleLoads)
{
    // The cell's own style holds only a font of weight 700.
    const Bytes fontStyle = Join({NewClassTag(0, "CGXStyle"), Word(6), DWord(0x200), NewClassTag(0, "CGXFont"), Word(2),
                                  DWord(0x40), Word(700), Word(0), Word(0)});
    const Bytes record = Join({Word(1), EmptyDataPart(5, 3), Word(0), Word(0), Word(0), Word(1), Word(0), Word(0),
                               Bytes{1, 1, 3, 0}, DWord(2), DWord(1), fontStyle, Double(7.5), Bytes{0}});
    CGXFormulaSheet sheet;
    ASSERT_TRUE(LoadsExactly(record, [&](CArchive& ar) { sheet.Serialize(ar); }));
    EXPECT_EQ(sheet.GetRowCount(), 5u);
    EXPECT_EQ(sheet.GetValueRowCol(2, 2), CString(L"7.5"));
    EXPECT_EQ(CellStyle(sheet, 2, 2).GetFont().GetWeight(), 700);
    EXPECT_EQ(StoredSheet(sheet), record);
}

TEST(FormulaSheet, AParameterKeepsItsFormulaSheetThroughArchivesAndCopies)
{
    CGXGridParam param;
    auto* pSheet = new CGXFormulaSheet;
    pSheet->SetRowCount(4);
    pSheet->SetColCount(2);
    pSheet->SetNumberRowCol(1, 1, 6);
    pSheet->SetFormulaRowCol(2, 1, L"=A1*7");
    param.m_pData = pSheet;
    param.m_bOwnData = TRUE;

    const Bytes bytes = Stored([&](CArchive& ar) { param.Serialize(ar); });
    CGXGridParam loaded;
    ASSERT_TRUE(LoadsExactly(bytes, [&](CArchive& ar) { loaded.Serialize(ar); }));
    auto* pLoaded = DYNAMIC_DOWNCAST(CGXFormulaSheet, loaded.m_pData);
    ASSERT_NE(pLoaded, nullptr);
    EXPECT_EQ(pLoaded->GetValueRowCol(2, 1), CString(L"42"));

    CGXGridParam copy;
    copy = param;
    auto* pCopy = DYNAMIC_DOWNCAST(CGXFormulaSheet, copy.m_pData);
    ASSERT_NE(pCopy, nullptr);
    EXPECT_NE(pCopy, pSheet);
    EXPECT_EQ(pCopy->GetValueRowCol(2, 1), CString(L"42"));
    pSheet->SetNumberRowCol(1, 1, 1);
    pSheet->EnableEngineRecalc(TRUE);
    pCopy->EnableEngineRecalc(TRUE);
    EXPECT_EQ(pSheet->GetValueRowCol(2, 1), CString(L"7"));
    EXPECT_EQ(pCopy->GetValueRowCol(2, 1), CString(L"42"));
    EXPECT_EQ(pCopy->GetFormulaRowCol(2, 1), CString(L"=A1*7"));
}
