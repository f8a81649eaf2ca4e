#include "TestSheet.h"

#include <grid/core/ColumnLetters.h>

#include <gtest/gtest.h>

TEST(EngineReferences, ColumnNames)
{
    struct Case
    {
        LONG nCol;
        LPCWSTR pszName;
    } cases[] = {{0, L"A"}, {25, L"Z"}, {26, L"AA"}, {701, L"ZZ"}, {702, L"AAA"}, {4095, L"FAN"}};
    for (const Case& c : cases)
    {
        EXPECT_STREQ(c.pszName, GXEngineColumnName(c.nCol));
        EXPECT_EQ(c.nCol, GXEngineColumnNumber(c.pszName));
        EXPECT_EQ(GXGetColumnLetters(c.nCol + 1), GXEngineColumnName(c.nCol));
    }
    EXPECT_EQ(nullptr, GXEngineColumnName(4096));
    EXPECT_EQ(-1, GXEngineColumnNumber(L"FAO"));
    EXPECT_EQ(-1, GXEngineColumnNumber(L"1A"));
    EXPECT_EQ(27, GXEngineColumnNumber(L"ab"));
}

TEST(EngineReferences, ReferenceTextsParseAndPrint)
{
    struct Case
    {
        LPCWSTR pszText;
        LPCWSTR pszPrinted; // null: refused
    } cases[] = {
        {L"A1", L"A1"},        {L"$A$1", L"$A$1"},        {L"B$7", L"B$7"},
        {L"A1:B2", L"A1..B2"}, {L"A1.B2", L"A1..B2"},     {L"A1..B2", L"A1..B2"},
        {L"B2:A1", L"A1..B2"}, {L"$B2:A$1", L"A$1..$B2"}, {L"FAN8388607", L"FAN8388607"},
        {L"A0", nullptr},      {L"A1:", nullptr},         {L"A8388608", nullptr},
        {L"FAO1", nullptr},    {L"A1...B2", nullptr},     {L"1A", nullptr},
    };
    for (const Case& c : cases)
    {
        GXEngineRange range;
        const BOOL bParsed = GXEngineParseCellRef(c.pszText, range);
        EXPECT_EQ(c.pszPrinted != nullptr, bParsed) << ::testing::PrintToString(CString(c.pszText));
        if (bParsed && c.pszPrinted != nullptr)
        {
            EXPECT_STREQ(c.pszPrinted, GXEngineCellRefText(range));
        }
    }
    GXEngineRange range;
    ASSERT_TRUE(GXEngineParseCellRef(L"$A$1", range));
    EXPECT_TRUE(range.Has(GXEngineRange::absTopRow));
    EXPECT_TRUE(range.Has(GXEngineRange::absLeftCol));
    EXPECT_TRUE(range.Has(GXEngineRange::singleCell));
}

TEST(EngineReferences, EscapeCodingRoundTrip)
{
    struct Case
    {
        LPCWSTR pszText;
        LPCWSTR pszEncoded;
    } cases[] = {
        {L"plain", L"plain"},
        {L"a\tb\r\n", L"a\\tb\\r\\n"},
        {L"\a\b\v\f", L"\\a\\b\\v\\f"},
        {L"back\\slash \"q\"", L"back\\\\slash \\\"q\\\""},
        {L"\x01"
         L"x",
         L"\\1x"},
        {L"\x01"
         L"7",
         L"\\0017"},
        {L"\x7F\xA0\xA1", L"\\177\\240\xA1"},
        {L"\x1FF", L"\\777"},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(CString(c.pszEncoded), GXEngineEncodeEscapes(c.pszText, TRUE));
        EXPECT_EQ(CString(c.pszText), GXEngineDecodeEscapes(c.pszEncoded));
    }
    EXPECT_EQ(CString(L"\"q\""), GXEngineEncodeEscapes(L"\"q\"", FALSE));
    EXPECT_EQ(CString(L"A\x41z"), GXEngineDecodeEscapes(L"\\x41\\x41\\z"));
}

TEST(EngineReferences, RangeNames)
{
    CTestSheet sheet;
    GXEngineRange range;
    GXEngineParseCellRef(L"B2:C3", range);
    const CString strLong(L'n', 40);
    EXPECT_TRUE(GXEngineSetName(sheet, strLong, range));
    EXPECT_NE(nullptr, GXEngineLookupName(sheet, CString(L'N', 32), nullptr));
    EXPECT_EQ(32, static_cast<int>(wcslen(sheet->pNames->pszName)));

    EXPECT_TRUE(GXEngineSetName(sheet, L"sales", range));
    GXEngineRange cell;
    GXEngineParseCellRef(L"D4", cell);
    EXPECT_TRUE(GXEngineSetName(sheet, L"SALES", cell));
    GXEngineRange found;
    ASSERT_NE(nullptr, GXEngineLookupName(sheet, L"Sales", &found));
    EXPECT_STREQ(L"D4", GXEngineCellRefText(found));
    EXPECT_STREQ(L"sales", GXEngineLookupName(sheet, L"Sales", nullptr)->pszName);

    EXPECT_FALSE(GXEngineSetName(sheet, L"1abc", range));
    EXPECT_FALSE(GXEngineSetName(sheet, L"a b", range));
    EXPECT_FALSE(GXEngineSetName(sheet, L"", range));
    EXPECT_TRUE(GXEngineSetName(sheet, L"_x.1$", range));
}

TEST(EngineReferences, RemovingANameWritesItsRangeIntoFormulas)
{
    CTestSheet sheet;
    GXEngineRange cell;
    GXEngineParseCellRef(L"A1", cell);
    GXEngineSetName(sheet, L"rate", cell);
    sheet.Number(L"A1", 4);
    ASSERT_TRUE(sheet.Formula(L"B1", L"=rate*2"));
    EXPECT_EQ(GX_EXPR_NAMED_CELL, sheet.Cell(L"B1")->pExpr->pNodes[0].Kind());
    EXPECT_TRUE(GXEngineRemoveName(sheet, L"RATE"));
    EXPECT_FALSE(GXEngineRemoveName(sheet, L"rate"));
    EXPECT_EQ(CString(L"=A1*2"), sheet.Text(L"B1"));
    GXEngineRecalcNow(sheet);
    EXPECT_EQ(8, sheet.Value(L"B1"));

    // A name redefined after the formula was entered is written in as it reads now.
    GXEngineSetName(sheet, L"rate", cell);
    ASSERT_TRUE(sheet.Formula(L"C1", L"=rate==1"));
    GXEngineRange block;
    GXEngineParseCellRef(L"A1:A2", block);
    GXEngineSetName(sheet, L"rate", block);
    GXEngineRecalcNow(sheet);
    const int nError = sheet.Error(L"C1");
    EXPECT_NE(0, nError);
    GXEngineRemoveName(sheet, L"rate");
    EXPECT_EQ(CString(L"=A1..A2==1"), sheet.Text(L"C1"));
    GXEngineRecalcNow(sheet);
    EXPECT_EQ(nError, sheet.Error(L"C1"));
}

TEST(EngineReferences, StructureChangesKeepReferences)
{
    CTestSheet sheet;
    sheet.Number(L"A5", 5);
    sheet.Formula(L"B1", L"=A5+1");
    sheet.Formula(L"B2", L"=A1..A9");
    sheet.Formula(L"C1", L"=A2");
    GXEngineRemoveRows(sheet, 2, 1);
    EXPECT_EQ(CString(L"=A4+1"), sheet.Text(L"B1"));
    EXPECT_EQ(nullptr, sheet.Cell(L"A5"));
    EXPECT_EQ(5, sheet.Cell(L"A4")->value.dNumber);
    // The formula of the removed row is gone; a reference into it is invalid.
    EXPECT_EQ(CString(), sheet.Text(L"B2"));
    EXPECT_EQ(CString(L"=??"), sheet.Text(L"C1"));
    GXEngineRecalcNow(sheet);
    EXPECT_EQ(89, sheet.Error(L"C1"));

    sheet.Formula(L"D1", L"=A1..A9");
    GXEngineRemoveRows(sheet, 9, 1);
    EXPECT_EQ(CString(L"=A1..A8"), sheet.Text(L"D1"));
    GXEngineInsertRows(sheet, 1, 2);
    EXPECT_EQ(CString(L"=A6+1"), sheet.Text(L"B3"));
    EXPECT_EQ(CString(L"=A3..A10"), sheet.Text(L"D3"));

    GXEngineInsertCols(sheet, 0, 1);
    EXPECT_EQ(CString(L"=B6+1"), sheet.Text(L"C3"));
    GXEngineRemoveCols(sheet, 0, 1);
    EXPECT_EQ(CString(L"=A6+1"), sheet.Text(L"B3"));
}

TEST(EngineReferences, ReferenceToTheLastRowBecomesInvalidWhenPushedOff)
{
    CTestSheet sheet;
    sheet.Formula(L"A1", L"=B8388607");
    sheet.Number(L"B8388607", 1);
    GXEngineInsertRows(sheet, 5, 1);
    EXPECT_EQ(CString(L"=??"), sheet.Text(L"A1"));
    EXPECT_EQ(nullptr, sheet.Cell(L"B8388607"));
}

TEST(EngineReferences, AListedReferenceThatLeavesTheSheetKeepsTheRestOfTheList)
{
    CTestSheet sheet;
    sheet.Formula(L"A1", L"=1+A2\\B5,C7..C9");
    GXEngineRemoveRows(sheet, 5, 1);
    const CString strText = sheet.Text(L"A1");
    EXPECT_EQ(CString(L"=1+A2\\??,C6..C8"), strText);
    // The text compiles back, so the formula survives an archive.
    EXPECT_TRUE(sheet.Formula(L"B1", strText));
    EXPECT_EQ(strText, sheet.Text(L"B1"));
}

TEST(EngineReferences, MovingRowsAndBlocks)
{
    CTestSheet sheet;
    for (int nRow = 1; nRow <= 5; ++nRow)
        GXEngineSetCellNumber(sheet, nRow, 0, nRow);
    sheet.Formula(L"B1", L"=A2+A4");
    // Rows 2-3 land at row 4; rows 4-5 make room above them.
    GXEngineMoveRange(sheet, TRUE, 2, 3, 4);
    const double adExpected[] = {1, 4, 5, 2, 3};
    for (int nRow = 1; nRow <= 5; ++nRow)
        EXPECT_EQ(adExpected[nRow - 1], GXEngineFindCell(sheet, nRow, 0)->value.dNumber) << nRow;
    EXPECT_EQ(CString(L"=A4+A2"), sheet.Text(L"B1"));

    GXEngineRange block;
    GXEngineParseCellRef(L"A1:A2", block);
    GXEngineRangeOperation(sheet, block, 1, 3);
    EXPECT_EQ(nullptr, sheet.Cell(L"A1"));
    EXPECT_EQ(4, sheet.Cell(L"D2")->value.dNumber);
    EXPECT_EQ(CString(L"=A4+D2"), sheet.Text(L"B1"));
}

TEST(EngineReferences, CopiesShiftRelativeReferences)
{
    CTestSheet sheet;
    sheet.Formula(L"B1", L"=A1+$A$1+A$1+$A1");
    sheet.Formula(L"C1", L"=A1");
    GXEngineRange source;
    GXEngineParseCellRef(L"B1:C1", source);
    GXEngineCopyRangeEx(sheet, source, 2, 1);
    EXPECT_EQ(CString(L"=A2+$A$1+A$1+$A2"), sheet.Text(L"B2"));
    EXPECT_EQ(CString(L"=A2"), sheet.Text(L"C2"));
    EXPECT_EQ(CString(L"=A1+$A$1+A$1+$A1"), sheet.Text(L"B1"));
    // Copied up and left past the sheet's edge.
    GXEngineParseCellRef(L"C2", source);
    GXEngineCopyRangeEx(sheet, source, 2, 1);
    EXPECT_EQ(CString(L"=??"), sheet.Text(L"B2"));
}
