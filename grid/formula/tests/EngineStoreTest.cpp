#include "TestSheet.h"

#include <gtest/gtest.h>

namespace
{
int BlockCount(const GXEngineList& list)
{
    int nBlocks = 0;
    for (const GXEngineBlock* pBlock = list.pFirst; pBlock != nullptr; pBlock = pBlock->pNext)
        ++nBlocks;
    return nBlocks;
}
} // namespace

TEST(EngineStore, StoresRefuseCellsOutsideTheSheet)
{
    CTestSheet sheet;
    struct Case
    {
        LONG nRow;
        LONG nCol;
        BOOL bStored;
    } cases[] = {{0, 0, FALSE}, {0x800000, 0, FALSE}, {1, 4096, FALSE}, {1, -1, FALSE}, {0x7FFFFF, 4095, TRUE}};
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.bStored, GXEngineSetCellNumber(sheet, c.nRow, c.nCol, 1)) << c.nRow << "," << c.nCol;
        EXPECT_EQ(c.bStored, GXEngineSetCellText(sheet, c.nRow, c.nCol, L"x")) << c.nRow << "," << c.nCol;
        EXPECT_EQ(c.bStored, GXEngineSetCellFormula(sheet, c.nRow, c.nCol, L"=1+2")) << c.nRow << "," << c.nCol;
    }
    EXPECT_EQ(1, sheet->nCells);
}

TEST(EngineStore, CellsOfOneBucketAreChainedNewestFirst)
{
    CTestSheet sheet;
    GXEngineSetCellNumber(sheet, 1, 0, 1);
    GXEngineSetCellNumber(sheet, 32750, 0, 2);
    GXEngineNode* pFirst = GXEngineFindCell(sheet, 1, 0);
    GXEngineNode* pSecond = GXEngineFindCell(sheet, 32750, 0);
    ASSERT_NE(nullptr, pFirst);
    ASSERT_NE(nullptr, pSecond);
    EXPECT_EQ(1, pFirst->value.dNumber);
    EXPECT_EQ(2, pSecond->value.dNumber);
    EXPECT_EQ(pSecond->pNext, pFirst);
    EXPECT_EQ(2, sheet->nCells);
}

TEST(EngineStore, ExtentFollowsTheCells)
{
    CTestSheet sheet;
    GXEngineRange extent;
    EXPECT_FALSE(GXEngineGetExtent(sheet, extent));
    GXEngineSetCellNumber(sheet, 2, 3, 1);
    GXEngineSetCellNumber(sheet, 5, 1, 1);
    GXEngineSetCellNumber(sheet, 9, 7, 1);
    ASSERT_TRUE(GXEngineGetExtent(sheet, extent));
    EXPECT_EQ(2, extent.Top());
    EXPECT_EQ(9, extent.Bottom());
    EXPECT_EQ(1, extent.Left());
    EXPECT_EQ(7, extent.Right());

    GXEngineDeleteCell(sheet, GXEngineFindCell(sheet, 2, 3));
    ASSERT_TRUE(GXEngineGetExtent(sheet, extent));
    EXPECT_EQ(5, extent.Top());
    GXEngineDeleteCell(sheet, GXEngineFindCell(sheet, 9, 7));
    ASSERT_TRUE(GXEngineGetExtent(sheet, extent));
    EXPECT_EQ(5, extent.Bottom());
    EXPECT_EQ(1, extent.Right());
    GXEngineDeleteCell(sheet, GXEngineFindCell(sheet, 5, 1));
    EXPECT_FALSE(GXEngineGetExtent(sheet, extent));
    EXPECT_EQ(0, sheet->pnRowCounts[5 - 1]);
}

TEST(EngineStore, NodesArePooledInBlocksOf32)
{
    CTestSheet sheet;
    const GXEngineList& values = sheet->lists[GX_LIST_VALUES];
    for (LONG nRow = 1; nRow <= 32; ++nRow)
        GXEngineSetCellNumber(sheet, nRow, 0, nRow);
    EXPECT_EQ(1, BlockCount(values));
    GXEngineSetCellNumber(sheet, 33, 0, 33);
    EXPECT_EQ(2, BlockCount(values));
    EXPECT_EQ(33, values.nCount);
    // The new block went to the head; emptying the full one frees it.
    for (LONG nRow = 1; nRow <= 32; ++nRow)
        GXEngineDeleteCell(sheet, GXEngineFindCell(sheet, nRow, 0));
    EXPECT_EQ(1, BlockCount(values));
    EXPECT_EQ(1, values.nCount);
    EXPECT_EQ(33, GXEngineFindCell(sheet, 33, 0)->value.dNumber);
}

TEST(EngineStore, FormulaKindsByContent)
{
    CTestSheet sheet;
    ASSERT_TRUE(sheet.Formula(L"A1", L"=5"));
    ASSERT_TRUE(sheet.Formula(L"A2", L"=1+2"));
    ASSERT_TRUE(sheet.Formula(L"A3", L"=A1"));
    ASSERT_TRUE(sheet.Formula(L"A4", L"=0x5"));
    EXPECT_EQ(GX_KIND_NUMBER, sheet.Cell(L"A1")->Kind());
    EXPECT_EQ(nullptr, sheet.Cell(L"A1")->pExpr);
    EXPECT_EQ(5, sheet.Cell(L"A1")->value.dNumber);

    GXEngineNode* pSum = sheet.Cell(L"A2");
    EXPECT_EQ(GX_KIND_CONST_FORMULA, pSum->Kind());
    EXPECT_EQ(GX_VALUE_NUMBER, pSum->ValueType());
    EXPECT_EQ(3, pSum->value.dNumber);
    EXPECT_EQ(&sheet->lists[GX_LIST_VALUES], GXEngineBlockOf(pSum)->pList);

    GXEngineNode* pReference = sheet.Cell(L"A3");
    EXPECT_EQ(GX_KIND_FORMULA, pReference->Kind());
    EXPECT_EQ(GX_VALUE_EMPTY, pReference->ValueType());
    EXPECT_EQ(&sheet->lists[GX_LIST_FORMULAS], GXEngineBlockOf(pReference)->pList);

    // A hex number keeps its spelling, so it stays a formula.
    EXPECT_EQ(GX_KIND_CONST_FORMULA, sheet.Cell(L"A4")->Kind());
    EXPECT_EQ(L"=0x5", sheet.Text(L"A4"));

    // A formula that does not compile leaves the old cell.
    EXPECT_FALSE(sheet.Formula(L"A1", L"=1+"));
    EXPECT_EQ(5, sheet.Cell(L"A1")->value.dNumber);
}

TEST(EngineStore, ShortTextsInlineLongerOnesCopied)
{
    CTestSheet sheet;
    GXEngineSetCellText(sheet, 1, 0, L"abcd");
    GXEngineSetCellText(sheet, 2, 0, L"abcde");
    GXEngineSetCellText(sheet, 3, 0, CString(L'x', 600));
    EXPECT_EQ(GX_VALUE_SHORT_STRING, GXEngineFindCell(sheet, 1, 0)->ValueType());
    EXPECT_EQ(L"abcd", GXEngineFindCell(sheet, 1, 0)->GetString());
    EXPECT_EQ(GX_VALUE_STRING, GXEngineFindCell(sheet, 2, 0)->ValueType());
    EXPECT_EQ(L"abcde", GXEngineFindCell(sheet, 2, 0)->GetString());
    EXPECT_EQ(511, GXEngineFindCell(sheet, 3, 0)->GetString().GetLength());
}

TEST(EngineStore, TextEscapesDecodeUnlessRaw)
{
    CTestSheet sheet;
    GXEngineSetCellText(sheet, 1, 0, L"a\\tb");
    EXPECT_EQ(L"a\tb", GXEngineFindCell(sheet, 1, 0)->GetString());
    sheet->bRawText = TRUE;
    GXEngineSetCellText(sheet, 1, 0, L"C:\\temp");
    EXPECT_EQ(L"C:\\temp", GXEngineFindCell(sheet, 1, 0)->GetString());
}

TEST(EngineStore, HandlesAreReusedAndCheckedAndSettingsRefuseOtherValues)
{
    const int nFirst = GXEngineNewSheet();
    const int nSecond = GXEngineNewSheet();
    EXPECT_NE(0, nFirst);
    EXPECT_NE(nFirst, nSecond);
    GXEngineDeleteSheet(nFirst);
    EXPECT_EQ(nullptr, GXEngineGetSheet(nFirst));
    EXPECT_EQ(nFirst, GXEngineNewSheet());
    EXPECT_FALSE(GXEngineSetIterationLimit(nFirst, 101));
    EXPECT_TRUE(GXEngineSetIterationLimit(nFirst, 100));
    EXPECT_FALSE(GXEngineSetFlagC(nFirst, 2));
    EXPECT_EQ(100, GXEngineGetIterationLimit(nFirst));
    EXPECT_EQ(0, GXEngineGetFlagC(nFirst));
    GXEngineDeleteSheet(nFirst);
    GXEngineDeleteSheet(nSecond);
    bool bThrown = false;
    try
    {
        GXEngineGetSheet(1000);
    }
    catch (CException* e)
    {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
}

TEST(EngineStore, CopiedCellOwnsItsStringExpressionAndStyle)
{
    CTestSheet sheet;
    sheet.Formula(L"B1", L"=A1&\"suffix\"");
    GXEngineNode* pNode = sheet.Cell(L"B1");
    pNode->pStyle = new CGXStyle;
    pNode->pStyle->SetFormat(3);
    GXEngineSetNodeString(pNode, L"a long value", 12);
    GXEngineNode* pCopy = GXEngineCopyCell(&sheet->lists[GX_LIST_FORMULAS], pNode);
    GXEngineDeleteCell(sheet, pNode);
    EXPECT_FALSE(pCopy->Is(GX_NODE_LINKED));
    EXPECT_EQ(L"a long value", pCopy->GetString());
    EXPECT_EQ(L"=A1&\"suffix\"", GXEngineExpressionText(sheet.operator->(), pCopy->pExpr));
    EXPECT_EQ(3, pCopy->pStyle->GetFormat());
    GXEngineFreeNode(pCopy);
}
