#include "TestSheet.h"

#include <gtest/gtest.h>

namespace
{
// What a formula gives in cell C1 of a sheet where A1 is 4, A2 is "text", A3 is empty, A5
// and A6 hold 300 characters each, the name "rate" is A1 and "block" A1:A2: a value, an evaluation error or a compile
// error with its position.
struct Outcome
{
    LPCWSTR pszFormula;
    double dValue;
    int nEvalError;
    int nCompileError;
    int nPos;
};

const double kNone = -12345;

Outcome Value(LPCWSTR pszFormula, double dValue)
{
    return {pszFormula, dValue, 0, 0, 0};
}
Outcome EvalError(LPCWSTR pszFormula, int nCode)
{
    return {pszFormula, kNone, nCode, 0, 0};
}
Outcome CompileError(LPCWSTR pszFormula, int nCode, int nPos)
{
    return {pszFormula, kNone, 0, nCode, nPos};
}

class EngineFormula : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_sheet.Number(L"A1", 4);
        GXEngineSetCellText(m_sheet, 2, 0, L"text");
        GXEngineSetCellText(m_sheet, 5, 0, CString(L'x', 300));
        GXEngineSetCellText(m_sheet, 6, 0, CString(L'y', 300));
        GXEngineRange cell;
        GXEngineParseCellRef(L"A1", cell);
        GXEngineSetName(m_sheet, L"rate", cell);
        GXEngineRange range;
        GXEngineParseCellRef(L"A1:A2", range);
        GXEngineSetName(m_sheet, L"block", range);
    }

    void Check(const Outcome& outcome)
    {
        const CString strFormula(outcome.pszFormula);
        SCOPED_TRACE(::testing::PrintToString(strFormula));
        const BOOL bCompiled = m_sheet.Formula(L"C1", outcome.pszFormula);
        if (outcome.nCompileError != 0)
        {
            EXPECT_FALSE(bCompiled);
            EXPECT_EQ(outcome.nCompileError, GXEngineGetLastError());
            EXPECT_EQ(outcome.nPos, GXEngineGetLastErrorPos());
            return;
        }
        ASSERT_TRUE(bCompiled) << GXEngineGetLastError() << " at " << GXEngineGetLastErrorPos();
        if (outcome.nEvalError != 0)
            EXPECT_EQ(outcome.nEvalError, m_sheet.Error(L"C1"));
        else
            EXPECT_EQ(outcome.dValue, m_sheet.Value(L"C1"));
    }

    CTestSheet m_sheet;
};
} // namespace

TEST_F(EngineFormula, ValuesAndErrors)
{
    // 100 numbers and 99 operators; one more of each makes 201 nodes.
    CString strNodes = L"=1";
    for (int i = 0; i < 99; ++i)
        strNodes += L"+1";
    const CString strTooMany = strNodes + L"+1";
    const CString strDeep = L"=" + CString(L'(', 300) + L"1" + CString(L')', 300);
    // Long sums report the leftmost error.
    CString strTerms = L"=A1";
    for (int i = 0; i < 40; ++i)
        strTerms += L"+A1";
    const CString strTextFirst = strTerms + L"+A2+1/0";
    const CString strZeroFirst = strTerms + L"+1/0+A2";
    const Outcome outcomes[] = {
        CompileError(L"1+2", 253, 0),
        CompileError(L"==1", 274, 1),
        CompileError(L"=--2", 274, 2),
        CompileError(L"=1+", 274, 3),
        CompileError(L"=(1", 250, 3),
        CompileError(L"=1 2", 271, 3),
        CompileError(L"=A0", 226, 1),
        CompileError(L"=A1:3", 275, 4),
        CompileError(L"=1+'", 223, 3),
        CompileError(L"=@sum(1)", 227, 8),
        CompileError(L"=sum(A1)", 227, 8),
        CompileError(L"=sum(nobody)", 227, 5),
        CompileError(L"=nobody+1", 281, 1),
        CompileError(L"=0x1FFFFFFFF", 88, 1),
        CompileError(strTooMany, 280, 202),
        CompileError(strDeep, 280, 201),
        Value(strNodes, 100),
        Value(strTerms, 4 * 41),
        EvalError(strTextFirst, 128),
        EvalError(strZeroFirst, 70),
        Value(L"=2**3**2", 64),
        Value(L"=-2**2", -4),
        Value(L"=10 % 3", 1),
        Value(L"=50%", 0.5),
        Value(L"=50%-1", -0.5),
        Value(L"=-7 % 3", -1),
        Value(L"=7 % 3", 1),
        Value(L"=(-2147483648) % (-1)", 0),
        CompileError(L"=1+1e999", 282, 3),
        Value(L"=1+2*3", 7),
        Value(L"=(1+2)*3", 9),
        Value(L"=1<2==1", 1),
        Value(L"=0 ? 1 : 0 ? 2 : 3", 3),
        Value(L"=1 ? 1/1 : 1/0", 1),
        Value(L"=0 ? 1/0 : 2", 2),
        Value(L"=0 && 1/0", 0),
        Value(L"=1 || 1/0", 1),
        Value(L"=!0 + ~0", 0),
        Value(L"=#not#0 #and# 1", 1),
        Value(L"=4294967295 & 4294967295", -1),
        Value(L"=1 << 33", 2),
        Value(L"=-8 >> 1", -4),
        Value(L"=6 | 9 ^ 3", 6 | (9 ^ 3)),
        Value(L"=0x1F + 0x1f", 62),
        Value(L"=\"a \" == \"a\"", 1),
        Value(L"=\"a\" < 1", 1),
        Value(L"=\"b\" > \"a\"", 1),
        Value(L"=\"a\" != 1", 1),
        Value(L"=A1*2", 8),
        Value(L"=rate*2", 8),
        Value(L"=A1+#{-2,0}", 4 + 4),
        Value(L"=A1;A1>0", 4),
        EvalError(L"=rate:A2", 149),
        Value(L"=A1\\A1,B1..B2//note", 4),
        EvalError(L"=1/0", 70),
        EvalError(L"=7 % 0", 122),
        EvalError(L"=A3", 60),
        EvalError(L"=A3+1", 128),
        EvalError(L"=A2+1", 128),
        EvalError(L"=5e9 | 1", 136),
        EvalError(L"=A5&A6", 150),
        EvalError(L"=A5&A6 == A5", 140),
        EvalError(L"=\"a\" & 1", 140),
        EvalError(L"=A1..A2", 149),
        EvalError(L"=block", 149),
        EvalError(L"=A1:A2 + 1", 128),
        EvalError(L"=??", 89),
        EvalError(L"=??+1", 89),
        EvalError(L"=(-8)**0.5", 70),
        EvalError(L"=1e308*10", 40),
        EvalError(L"=#{0,-5}", 110),
        EvalError(L"=rate:block", 141),
        EvalError(L"=A1..B1 == 1", 94),
    };
    for (const Outcome& outcome : outcomes)
        Check(outcome);
}

TEST_F(EngineFormula, BlankCellsCountAsZeroOnRequest)
{
    GXEngineSetFlagC(m_sheet, 1);
    Check(Value(L"=A3", 0));
    Check(Value(L"=A3+1", 1));
    GXEngineSetCellText(m_sheet, 4, 0, L"");
    Check(Value(L"=A4+1", 1));
}

TEST_F(EngineFormula, NamesAndRangesCompileToTheirNodes)
{
    ASSERT_TRUE(m_sheet.Formula(L"C1", L"=rate"));
    const GXEngineExpr* pExpr = m_sheet.Cell(L"C1")->pExpr;
    EXPECT_EQ(GX_EXPR_NAMED_CELL, pExpr->pNodes[pExpr->nRoot].Kind());
    ASSERT_TRUE(m_sheet.Formula(L"C1", L"=block"));
    pExpr = m_sheet.Cell(L"C1")->pExpr;
    EXPECT_EQ(GX_EXPR_NAMED_RANGE, pExpr->pNodes[pExpr->nRoot].Kind());
    for (LPCWSTR pszRange : {L"=A1:B2", L"=A1..B2", L"=A1.B2", L"=B2:A1"})
    {
        ASSERT_TRUE(m_sheet.Formula(L"C1", pszRange));
        pExpr = m_sheet.Cell(L"C1")->pExpr;
        ASSERT_EQ(1, pExpr->nCount);
        EXPECT_EQ(GX_EXPR_RANGE, pExpr->pNodes[0].Kind());
        EXPECT_STREQ(L"A1..B2", GXEngineCellRefText(pExpr->pNodes[0].u.range));
    }
    ASSERT_TRUE(m_sheet.Formula(L"C1", L"=A1+B1"));
    pExpr = m_sheet.Cell(L"C1")->pExpr;
    const GXEngineExprNode& root = pExpr->pNodes[pExpr->nRoot];
    EXPECT_EQ(GX_EXPR_OPERATOR, root.Kind());
    EXPECT_EQ(GX_OP_ADD, root.u.nOperator);
    EXPECT_EQ(GX_EXPR_CELL, pExpr->pNodes[root.nIndex1].Kind());
    EXPECT_EQ(GX_EXPR_CELL, pExpr->pNodes[root.nIndex2].Kind());
}

TEST_F(EngineFormula, FormulaTextsComeBackInTheStandardSpelling)
{
    struct Case
    {
        LPCWSTR pszEntered;
        LPCWSTR pszShown;
    } cases[] = {
        {L"= A1 + 2 * ( B$3 - $C4 )", L"=A1+2*(B$3-$C4)"},
        {L"=A1:B2", L"=A1..B2"},
        {L"=a1 <> 0x1f #and# !rate", L"=A1!=0x1F&&!rate"},
        {L"=1?\"x\\ty\\\"\":-2%", L"=1?\"x\\ty\\\"\":-2%"},
        {L"=A1;A1>1\\A1,B1:C2//checked", L"=A1;A1>1\\A1,B1..C2//checked"},
        {L"=#{1,2}+1.5e-3", L"=#{1,2}+0.0015"},
        {L"=??+rate:A1", L"=??+rate:A1"},
        {L"=1/3", L"=1/3"},
        {L"=0.5e1*2", L"=5*2"},
    };
    for (const Case& c : cases)
    {
        ASSERT_TRUE(m_sheet.Formula(L"C1", c.pszEntered)) << ::testing::PrintToString(CString(c.pszEntered));
        const CString strShown = m_sheet.Text(L"C1");
        EXPECT_EQ(CString(c.pszShown), strShown);
        // What is shown compiles to the same text again.
        ASSERT_TRUE(m_sheet.Formula(L"D1", strShown));
        EXPECT_EQ(strShown, m_sheet.Text(L"D1"));
    }
}

TEST_F(EngineFormula, FormulasWhoseTextWouldNotSurviveAnArchiveAreRefused)
{
    // 52 references of ten characters each print as 572 characters.
    CString strFormula = L"=FAN8388607";
    for (int i = 1; i < 52; ++i)
        strFormula += L"+FAN8388607";
    EXPECT_FALSE(m_sheet.Formula(L"C1", strFormula));
    EXPECT_EQ(280, GXEngineGetLastError());
    EXPECT_EQ(0, GXEngineGetLastErrorPos());
    EXPECT_EQ(nullptr, m_sheet.Cell(L"C1"));
}

TEST_F(EngineFormula, ErrorResultsLeaveTheirMessage)
{
    ASSERT_TRUE(m_sheet.Formula(L"B7", L"=1/0"));
    EXPECT_FALSE(m_sheet->bMessageFree);
    EXPECT_STREQ(L"Cell B7: ERROR: divide by zero  ", m_sheet->szMessage);
    // The slot stays taken until the message is read.
    ASSERT_TRUE(m_sheet.Formula(L"B8", L"=7%0"));
    EXPECT_STREQ(L"Cell B7: ERROR: divide by zero  ", m_sheet->szMessage);
}

namespace
{
BOOL Twice(int nArgs, GXEngineOperand* pArgs, GXEngineOperand& result)
{
    if (nArgs != 1 || pArgs[0].nType != GX_OPERAND_NUMBER)
        return GXEngineRaise(56);
    result.nType = GX_OPERAND_NUMBER;
    result.dNumber = pArgs[0].dNumber * 2;
    return TRUE;
}

class CTestLibrary : public CGXEngineFunctionLibrary
{
public:
    const GXEngineFunction* Lookup(LPCWSTR pszName) const override
    {
        static const GXEngineFunction twice = {L"TWICE", 1, 1, 0, Twice};
        return wcscmp(pszName, L"TWICE") == 0 ? &twice : nullptr;
    }
};
} // namespace

TEST_F(EngineFormula, CallsReachAnInstalledLibrary)
{
    GX_ENGINE_STATE* pState = GXGetEngineState();
    pState->pFunctions = new CTestLibrary;
    Check(Value(L"=twice(4)+@Twice(1)", 10));
    EXPECT_EQ(CString(L"=TWICE(4)+TWICE(1)"), m_sheet.Text(L"C1"));
    Check(CompileError(L"=twice()", 230, 8));
    Check(CompileError(L"=twice(1,2)", 229, 11));
    Check(EvalError(L"=twice(\"a\")", 56));
    delete pState->pFunctions;
    pState->pFunctions = nullptr;
    Check(CompileError(L"=twice(1)", 227, 9));
}
