#include "TestSheet.h"

#include <gtest/gtest.h>

namespace
{
// A sheet that computes every affected formula during a pass.
class EngineRecalc : public ::testing::Test
{
protected:
    EngineRecalc()
    {
        GXEngineSetFlagA(m_sheet, 1);
    }

    void Change(LPCWSTR pszRange)
    {
        GXEngineRange range;
        GXEngineParseCellRef(pszRange, range);
        GXEngineAddChangedRange(m_sheet, range);
    }
    double Stored(LPCWSTR pszCell)
    {
        return m_sheet.Cell(pszCell)->value.dNumber;
    }

    CTestSheet m_sheet;
};
} // namespace

TEST_F(EngineRecalc, ChangedRangesSelectTheFormulas)
{
    m_sheet.Number(L"A1", 1);
    m_sheet.Number(L"A2", 2);
    m_sheet.Formula(L"B1", L"=A1*10");
    m_sheet.Formula(L"B2", L"=A2*10");
    m_sheet.Formula(L"B3", L"=B1+B2");
    EXPECT_TRUE(GXEngineRecalcSheet(m_sheet));
    EXPECT_EQ(30, Stored(L"B3"));

    m_sheet.Number(L"A1", 5);
    m_sheet.Number(L"A2", 6);
    Change(L"A1");
    GXEngineRecalcSheet(m_sheet);
    EXPECT_EQ(50, Stored(L"B1"));
    EXPECT_EQ(20, Stored(L"B2")); // not affected by A1
    EXPECT_EQ(70, Stored(L"B3")); // its precedent was computed in a later pass
    EXPECT_EQ(nullptr, m_sheet->pChanges);

    // No changed range: every formula.
    GXEngineRecalcSheet(m_sheet);
    EXPECT_EQ(60, Stored(L"B2"));
    EXPECT_EQ(110, Stored(L"B3"));
}

TEST_F(EngineRecalc, ManualModeWaitsForAForcedRun)
{
    m_sheet.Number(L"A1", 1);
    m_sheet.Formula(L"B1", L"=A1+1");
    GXEngineSetManualRecalc(m_sheet, 1);
    Change(L"A1");
    EXPECT_FALSE(GXEngineRecalcSheet(m_sheet));
    EXPECT_EQ(GX_VALUE_EMPTY, m_sheet.Cell(L"B1")->ValueType());
    EXPECT_EQ(nullptr, m_sheet->pChanges);
    GXEngineRecalcNow(m_sheet);
    EXPECT_EQ(2, Stored(L"B1"));
    EXPECT_EQ(1, GXEngineGetManualRecalc(m_sheet));
    EXPECT_EQ(0u, m_sheet->dwRecalcState);
}

TEST_F(EngineRecalc, CyclesAreFlaggedAndIterated)
{
    m_sheet.Formula(L"A1", L"=B1+1");
    m_sheet.Formula(L"B1", L"=A1");
    m_sheet.Formula(L"C1", L"=A1*0");
    const DWORD dwPass = m_sheet->dwPass;
    GXEngineRecalcSheet(m_sheet);
    EXPECT_TRUE(m_sheet.Cell(L"A1")->Is(GX_NODE_CYCLE));
    EXPECT_TRUE(m_sheet.Cell(L"B1")->Is(GX_NODE_CYCLE));
    EXPECT_FALSE(m_sheet.Cell(L"C1")->Is(GX_NODE_CYCLE));
    EXPECT_EQ(dwPass + 1, m_sheet->dwPass);

    GXEngineSetIterationLimit(m_sheet, 3);
    const DWORD dwBefore = m_sheet->dwPass;
    GXEngineRecalcSheet(m_sheet);
    EXPECT_EQ(dwBefore + 4, m_sheet->dwPass);
}

TEST_F(EngineRecalc, ConstraintViolationsAreCounted)
{
    GXEngineSetFlagB(m_sheet, 1);
    m_sheet.Formula(L"A1", L"=5;A1<3");
    m_sheet.Formula(L"A2", L"=B1;A2>0");
    m_sheet.Formula(L"A3", L"=1;A3==1");
    m_sheet.Number(L"B1", 0);
    EXPECT_EQ(2, GXEngineRecalcPass(m_sheet));
    EXPECT_STREQ(L"There are 2 constraint violations!", m_sheet->szMessage);
    EXPECT_FALSE(m_sheet->bMessageFree);
    EXPECT_TRUE(m_sheet.Cell(L"A1")->Is(GX_NODE_VIOLATED));
    EXPECT_FALSE(m_sheet.Cell(L"A3")->Is(GX_NODE_VIOLATED));
    EXPECT_EQ(0, GXEngineRecalcPass(m_sheet));

    m_sheet->bMessageFree = TRUE;
    m_sheet.Number(L"B1", 1);
    EXPECT_EQ(1, GXEngineRecalcPass(m_sheet));
    EXPECT_STREQ(L"There is 1 constraint violation!", m_sheet->szMessage);
}

TEST_F(EngineRecalc, AsNeededComputesOnReading)
{
    GXEngineSetFlagA(m_sheet, 0);
    m_sheet.Number(L"A1", 2);
    m_sheet.Formula(L"B1", L"=A1*3");
    GXEngineRecalcSheet(m_sheet);
    EXPECT_EQ(GX_VALUE_EMPTY, m_sheet.Cell(L"B1")->ValueType());
    EXPECT_EQ(6, m_sheet.Value(L"B1"));
}

TEST_F(EngineRecalc, RangesOverConstantsAddNoPrecedents)
{
    // Only a formula inside makes a precedent, and so
    // a cycle.
    m_sheet.Number(L"A1", 1);
    m_sheet.Number(L"B1", 2);
    m_sheet.Formula(L"C1", L"=A1..B1 ? 0 : 0");
    m_sheet.Formula(L"A2", L"=C2");
    m_sheet.Formula(L"C2", L"=A2..B2 ? 0 : 0");
    GXEngineRecalcSheet(m_sheet);
    EXPECT_FALSE(m_sheet.Cell(L"C1")->Is(GX_NODE_CYCLE));
    EXPECT_TRUE(m_sheet.Cell(L"C2")->Is(GX_NODE_CYCLE));
    EXPECT_TRUE(m_sheet.Cell(L"A2")->Is(GX_NODE_CYCLE));
}

TEST_F(EngineRecalc, LongChainsRecalculate)
{
    const LONG nChain = 100000;
    GXEngineSetCellNumber(m_sheet, 1, 0, 0);
    for (LONG nRow = 2; nRow <= nChain; ++nRow)
    {
        CString strFormula;
        strFormula.Format(L"=A%ld+1", nRow - 1);
        ASSERT_TRUE(GXEngineSetCellFormula(m_sheet, nRow, 0, strFormula));
    }
    GXEngineRecalcNow(m_sheet);
    EXPECT_EQ(nChain - 1, GXEngineFindCell(m_sheet, nChain, 0)->value.dNumber);
    // Reading the end of a chain that is not computed yet walks it from the end as well.
    GXEngineSetFlagA(m_sheet, 0);
    GXEngineSetCellNumber(m_sheet, 1, 0, 1);
    GXEngineRecalcNow(m_sheet);
    EXPECT_EQ(nChain, m_sheet.Value(L"A100000"));
}

TEST_F(EngineRecalc, ArithmeticOverCellsKeepsTheEvaluatorsResults)
{
    // Plain arithmetic is computed from the cells its references resolved to; a cell without a
    // number or an error on the way gives what the full evaluation gives.
    m_sheet.Number(L"A1", 3);
    m_sheet.Number(L"B1", 8);
    GXEngineSetCellText(m_sheet, 1, 2, L"text"); // C1
    m_sheet.Number(L"E1", 0);
    m_sheet.Number(L"F1", 1e308);
    const struct
    {
        LPCWSTR pszCell;
        LPCWSTR pszFormula;
        double dValue; // when no error
        int nError;
    } kCases[] = {
        {L"G1", L"=A1*2+B1/4-(-A1)", 11, 0},
        {L"G2", L"=+A1-B1%**A1", 3 - 0.000512, 0},
        {L"G3", L"=A1-(B1-(A1-(B1-A1)))", 3 - (8 - (3 - (8 - 3))), 0},
        {L"G4", L"=A1+C1", 0, 128},
        {L"G5", L"=A1+D1", 0, 128},
        {L"G6", L"=A1/E1", 0, 70},
        {L"G7", L"=F1*10", 0, 40},
        {L"G8", L"=B1/E1+C1", 0, 70},
        {L"G9", L"=(-8)**(1/3)+A1", 0, 70},
    };
    for (const auto& test : kCases)
        ASSERT_TRUE(m_sheet.Formula(test.pszCell, test.pszFormula)) << test.pszFormula;
    GXEngineRecalcNow(m_sheet);
    for (const auto& test : kCases)
    {
        EXPECT_EQ(test.nError, m_sheet.Error(test.pszCell)) << test.pszFormula;
        if (test.nError == 0)
        {
            EXPECT_DOUBLE_EQ(test.dValue, m_sheet.Value(test.pszCell)) << test.pszFormula;
        }
    }

    // Cells given numbers, one taken away: the formulas follow the cells now there.
    m_sheet.Number(L"C1", 5);
    m_sheet.Number(L"E1", 4);
    GXEngineDeleteCell(m_sheet, m_sheet.Cell(L"A1"));
    GXEngineSetFlagC(m_sheet, 1);
    GXEngineRecalcNow(m_sheet);
    EXPECT_EQ(5, m_sheet.Value(L"G4"));
    EXPECT_EQ(0, m_sheet.Value(L"G6"));
    EXPECT_EQ(7, m_sheet.Value(L"G8"));
    GXEngineSetFlagC(m_sheet, 0);
    GXEngineRecalcNow(m_sheet);
    EXPECT_EQ(128, m_sheet.Error(L"G4"));
}
