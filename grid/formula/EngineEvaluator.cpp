#include <grid/formula/EngineEvaluator.h>

#include <grid/formula/EngineErrors.h>
#include <grid/formula/EngineReferences.h>

#include <cerrno>
#include <cfenv>
#include <cmath>

namespace
{
const BYTE kRaising = 255;

// The process-wide evaluation state; a nested evaluation saves and restores it.
struct GX_EVAL_STATE
{
    GXEngineSheet* pSheet;
    int nArgs;
    GXEngineOperand* pArgs;
    LONG nRow;
    LONG nCol;
    int nErrorCode;
    LPCWSTR pszErrorDetail;
    const GXEngineExprNode* pNodes;
    BYTE nRaising;
};

GX_EVAL_STATE& EvalState()
{
    static GX_EVAL_STATE state{};
    return state;
}

// The "illegal operand" code of each comparison.
int IllegalOperandCode(int nOperator)
{
    switch (nOperator)
    {
    case GX_OP_EQUAL:
        return 94;
    case GX_OP_NOT_EQUAL:
        return 90;
    case GX_OP_LESS:
        return 93;
    case GX_OP_GREATER:
        return 96;
    case GX_OP_LESS_EQUAL:
        return 92;
    case GX_OP_GREATER_EQUAL:
        return 95;
    default:
        return 91;
    }
}

BOOL SetNumber(GXEngineOperand& result, double dValue)
{
    if (!std::isfinite(dValue))
        return GXEngineRaise(40);
    result.nType = GX_OPERAND_NUMBER;
    result.dNumber = dValue;
    return TRUE;
}

BOOL IsArithmetic(int nOperator)
{
    switch (nOperator)
    {
    case GX_OP_ADD:
    case GX_OP_SUBTRACT:
    case GX_OP_MULTIPLY:
    case GX_OP_DIVIDE:
    case GX_OP_POWER:
    case GX_OP_PLUS:
    case GX_OP_NEGATE:
    case GX_OP_PERCENT:
        return TRUE;
    default:
        return FALSE;
    }
}

// FALSE when the power has no finite real value.
BOOL Power(double dBase, double dExponent, double& dValue)
{
    errno = 0;
    std::feclearexcept(FE_ALL_EXCEPT);
    dValue = std::pow(dBase, dExponent);
    return errno == 0 && !std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW) && std::isfinite(dValue);
}

// The arithmetic operators that take one operand.
BOOL IsUnary(int nOperator)
{
    return nOperator == GX_OP_PLUS || nOperator == GX_OP_NEGATE || nOperator == GX_OP_PERCENT;
}

// Applies an arithmetic operator (a unary one to dLeft); answers 0, or the code of the error the
// result raises.
int Apply(int nOperator, double dLeft, double dRight, double& dValue)
{
    switch (nOperator)
    {
    case GX_OP_PLUS:
        dValue = dLeft;
        break;
    case GX_OP_NEGATE:
        dValue = -dLeft;
        break;
    case GX_OP_PERCENT:
        dValue = dLeft / 100;
        break;
    case GX_OP_ADD:
        dValue = dLeft + dRight;
        break;
    case GX_OP_SUBTRACT:
        dValue = dLeft - dRight;
        break;
    case GX_OP_MULTIPLY:
        dValue = dLeft * dRight;
        break;
    case GX_OP_DIVIDE:
        if (dRight == 0)
            return 70;
        dValue = dLeft / dRight;
        break;
    default:
        if (!Power(dLeft, dRight, dValue))
            return 70;
        break;
    }
    return std::isfinite(dValue) ? 0 : 40;
}

void SetError(GXEngineOperand& result, int nCode)
{
    result.nType = GX_OPERAND_ERROR;
    result.nCode = nCode;
    result.pszDetail = nullptr;
}

class CEvaluator
{
public:
    CEvaluator(GXEngineSheet* pSheet, LONG nRow, LONG nCol, const GXEngineExprNode* pNodes,
               const GXEngineNode* const* ppCells)
        : m_pSheet(pSheet), m_nRow(nRow), m_nCol(nCol), m_pNodes(pNodes), m_ppCells(ppCells)
    {
    }

    BOOL Evaluate(WORD n, GXEngineOperand& result);
    // Evaluates the root of an expression, arithmetic straight to a number.
    BOOL EvaluateRoot(WORD n, GXEngineOperand& result);
    BOOL Arithmetic(const GXEngineExprNode& node, double& dValue);
    // Reads a cell reference; FALSE after a raise, and a type that cannot be read stays.
    BOOL Dereference(GXEngineOperand& operand);

private:
    BOOL ToNumber(WORD n, double& dValue);
    // Applies an arithmetic operator to its left operand's value, reading the right operand.
    BOOL Combine(const GXEngineExprNode& node, double& dValue);
    // What ToNumber does not read straight: the full evaluation and conversion.
    BOOL OtherToNumber(WORD n, double& dValue);
    BOOL OperandToNumber(GXEngineOperand& operand, double& dValue);
    BOOL ToInteger(WORD n, LONG& nValue);
    BOOL Operator(const GXEngineExprNode& node, GXEngineOperand& result);
    BOOL Compare(const GXEngineExprNode& node, GXEngineOperand& result);
    BOOL Concatenate(const GXEngineExprNode& node, GXEngineOperand& result);
    BOOL Call(const GXEngineExprNode& node, GXEngineOperand& result);
    BOOL Relative(const GXEngineExprNode& node, GXEngineOperand& result);

    GXEngineSheet* m_pSheet;
    LONG m_nRow;
    LONG m_nCol;
    const GXEngineExprNode* m_pNodes;
    const GXEngineNode* const* m_ppCells;
};

BOOL CEvaluator::Evaluate(WORD n, GXEngineOperand& result)
{
    const GXEngineExprNode& node = m_pNodes[n];
    switch (node.Kind())
    {
    case GX_EXPR_NUMBER:
        return SetNumber(result, node.u.dNumber);
    case GX_EXPR_STRING:
        result.nType = GX_OPERAND_STRING;
        result.strText = node.u.pszText;
        return TRUE;
    case GX_EXPR_CELL:
        result.nType = GX_OPERAND_CELL;
        result.range = node.u.range;
        return TRUE;
    case GX_EXPR_RANGE:
        result.nType = GX_OPERAND_RANGE;
        result.range = node.u.range;
        return TRUE;
    case GX_EXPR_NAMED_CELL:
    case GX_EXPR_NAMED_RANGE:
        if (node.u.pName == nullptr)
            return GXEngineRaise(283);
        result.range = node.u.pName->range;
        result.nType = result.range.Has(GXEngineRange::singleCell) ? GX_OPERAND_CELL : GX_OPERAND_RANGE;
        return TRUE;
    case GX_EXPR_NAME:
        return GXEngineRaise(283);
    case GX_EXPR_RELATIVE:
        return Relative(node, result);
    case GX_EXPR_FUNCTION:
        return Call(node, result);
    case GX_EXPR_OPERATOR:
        return Operator(node, result);
    default:
        return GXEngineRaise(284);
    }
}

BOOL CEvaluator::EvaluateRoot(WORD n, GXEngineOperand& result)
{
    const GXEngineExprNode& node = m_pNodes[n];
    if (node.Kind() != GX_EXPR_OPERATOR || !IsArithmetic(node.u.nOperator))
        return Evaluate(n, result);
    double dValue = 0;
    if (!Arithmetic(node, dValue))
        return FALSE;
    result.nType = GX_OPERAND_NUMBER;
    result.dNumber = dValue;
    return TRUE;
}

BOOL CEvaluator::Relative(const GXEngineExprNode& node, GXEngineOperand& result)
{
    double dRow = 0;
    double dCol = 0;
    if (node.u.relative.nRowOffset != GX_EXPR_NONE && !ToNumber(node.u.relative.nRowOffset, dRow))
        return FALSE;
    if (node.u.relative.nColOffset != GX_EXPR_NONE && !ToNumber(node.u.relative.nColOffset, dCol))
        return FALSE;
    const double dNewRow = m_nRow + std::trunc(dRow);
    const double dNewCol = m_nCol + std::trunc(dCol);
    if (dNewRow < 1 || dNewRow > GX_ENGINE_MAX_ROW || dNewCol < 0 || dNewCol > GX_ENGINE_MAX_COL)
        return GXEngineRaise(110);
    const LONG nRow = static_cast<LONG>(dNewRow);
    const LONG nCol = static_cast<LONG>(dNewCol);
    result.nType = GX_OPERAND_CELL;
    result.range = GXEngineMakeRange(nRow, nCol, nRow, nCol);
    result.range.Set(GXEngineRange::singleCell, TRUE);
    return TRUE;
}

BOOL CEvaluator::Dereference(GXEngineOperand& operand)
{
    if (operand.nType == GX_OPERAND_ERROR)
        return GXEngineRaise(operand.nCode);
    if (operand.nType != GX_OPERAND_CELL)
        return TRUE;
    const GXEngineNode* pCell = GXEngineFindCell(m_pSheet, operand.range.Top(), operand.range.Left());
    switch (pCell != nullptr ? pCell->ValueType() : GX_VALUE_EMPTY)
    {
    case GX_VALUE_NUMBER:
        operand.nType = GX_OPERAND_NUMBER;
        operand.dNumber = pCell->value.dNumber;
        return TRUE;
    case GX_VALUE_STRING:
    case GX_VALUE_SHORT_STRING:
        operand.nType = GX_OPERAND_STRING;
        operand.strText = pCell->GetString();
        return TRUE;
    case GX_VALUE_NA:
        operand.nType = GX_OPERAND_NA;
        return TRUE;
    case GX_VALUE_ERROR:
        return GXEngineRaise(133);
    default:
        if (m_pSheet->nBlankZero)
        {
            operand.nType = GX_OPERAND_NUMBER;
            operand.dNumber = 0;
        }
        else
            SetError(operand, 60);
        return TRUE;
    }
}

BOOL CEvaluator::OperandToNumber(GXEngineOperand& operand, double& dValue)
{
    if (operand.nType == GX_OPERAND_ERROR)
        return GXEngineRaise(operand.nCode);
    if (operand.nType == GX_OPERAND_CELL && !Dereference(operand))
        return FALSE;
    if (operand.nType == GX_OPERAND_NUMBER)
    {
        dValue = operand.dNumber;
        return TRUE;
    }
    if (operand.nType == GX_OPERAND_STRING && m_pSheet->nBlankZero && operand.strText.IsEmpty())
    {
        dValue = 0;
        return TRUE;
    }
    return GXEngineRaise(128);
}

inline BOOL CEvaluator::ToNumber(WORD n, double& dValue)
{
    // Numbers, numeric cells and arithmetic go straight to a double: most formulas are sums.
    const GXEngineExprNode& node = m_pNodes[n];
    switch (node.Kind())
    {
    case GX_EXPR_NUMBER:
        dValue = node.u.dNumber;
        return TRUE;
    case GX_EXPR_CELL:
        if (const GXEngineNode* pCell = m_ppCells != nullptr
                                            ? m_ppCells[n]
                                            : GXEngineFindCell(m_pSheet, node.u.range.Top(), node.u.range.Left()))
        {
            if (pCell->ValueType() == GX_VALUE_NUMBER)
            {
                dValue = pCell->value.dNumber;
                return TRUE;
            }
        }
        break;
    case GX_EXPR_OPERATOR:
        if (IsArithmetic(node.u.nOperator))
            return Arithmetic(node, dValue);
        break;
    default:
        break;
    }
    return OtherToNumber(n, dValue);
}

BOOL CEvaluator::OtherToNumber(WORD n, double& dValue)
{
    GXEngineOperand operand;
    return Evaluate(n, operand) && OperandToNumber(operand, dValue);
}

BOOL CEvaluator::Arithmetic(const GXEngineExprNode& node, double& dValue)
{
    // A sum written out nests to the left as deep as it has terms: its left spine is walked in a
    // loop, kSpine levels at a time, rather than by recursion. The order stays: the left operand,
    // then the right one, then the operator.
    const int kSpine = 32;
    const GXEngineExprNode* apSpine[kSpine];
    int nDepth = 0;
    const GXEngineExprNode* pLowest = &node;
    while (nDepth < kSpine)
    {
        const GXEngineExprNode& left = m_pNodes[pLowest->nIndex1];
        if (left.Kind() != GX_EXPR_OPERATOR || !IsArithmetic(left.u.nOperator))
            break;
        apSpine[nDepth++] = pLowest;
        pLowest = &left;
    }
    double dResult = 0;
    if (!ToNumber(pLowest->nIndex1, dResult) || !Combine(*pLowest, dResult))
        return FALSE;
    while (nDepth > 0)
    {
        if (!Combine(*apSpine[--nDepth], dResult))
            return FALSE;
    }
    dValue = dResult;
    return TRUE;
}

BOOL CEvaluator::Combine(const GXEngineExprNode& node, double& dValue)
{
    double dRight = 0;
    if (!IsUnary(node.u.nOperator) && !ToNumber(node.nIndex2, dRight))
        return FALSE;
    const int nCode = Apply(node.u.nOperator, dValue, dRight, dValue);
    return nCode == 0 || GXEngineRaise(nCode);
}

BOOL CEvaluator::ToInteger(WORD n, LONG& nValue)
{
    double dValue = 0;
    if (!ToNumber(n, dValue))
        return FALSE;
    if (!(dValue > -2147483649.0 && dValue < 4294967296.0))
        return GXEngineRaise(136);
    nValue = static_cast<LONG>(static_cast<ULONG>(static_cast<LONGLONG>(dValue)));
    return TRUE;
}

BOOL CEvaluator::Operator(const GXEngineExprNode& node, GXEngineOperand& result)
{
    const int nOperator = node.u.nOperator;
    double dLeft = 0;
    double dRight = 0;
    LONG nLeft = 0;
    LONG nRight = 0;
    if (IsArithmetic(nOperator))
        return Arithmetic(node, dLeft) && SetNumber(result, dLeft);
    switch (nOperator)
    {
    case GX_OP_REMAINDER:
        if (!ToInteger(node.nIndex1, nLeft) || !ToInteger(node.nIndex2, nRight))
            return FALSE;
        if (nRight == 0)
            return GXEngineRaise(122);
        // INT_MIN % -1 traps; its remainder is 0.
        return SetNumber(result, nRight == -1 ? 0 : nLeft % nRight);
    case GX_OP_AND:
    case GX_OP_OR: {
        if (!ToNumber(node.nIndex1, dLeft))
            return FALSE;
        const BOOL bLeft = dLeft != 0;
        if (bLeft == (nOperator == GX_OP_OR))
            return SetNumber(result, bLeft ? 1 : 0);
        if (!ToNumber(node.nIndex2, dRight))
            return FALSE;
        return SetNumber(result, dRight != 0 ? 1 : 0);
    }
    case GX_OP_NOT:
        if (!ToNumber(node.nIndex1, dLeft))
            return FALSE;
        return SetNumber(result, dLeft == 0 ? 1 : 0);
    case GX_OP_BIT_AND:
        return Concatenate(node, result);
    case GX_OP_BIT_OR:
    case GX_OP_BIT_XOR:
    case GX_OP_SHIFT_LEFT:
    case GX_OP_SHIFT_RIGHT: {
        if (!ToInteger(node.nIndex1, nLeft) || !ToInteger(node.nIndex2, nRight))
            return FALSE;
        const ULONG nShift = static_cast<ULONG>(nRight) & 31;
        switch (nOperator)
        {
        case GX_OP_BIT_OR:
            return SetNumber(result, nLeft | nRight);
        case GX_OP_BIT_XOR:
            return SetNumber(result, nLeft ^ nRight);
        case GX_OP_SHIFT_LEFT:
            return SetNumber(result, static_cast<LONG>(static_cast<ULONG>(nLeft) << nShift));
        default:
            return SetNumber(result, nLeft >> nShift);
        }
    }
    case GX_OP_BIT_NOT:
        if (!ToInteger(node.nIndex1, nLeft))
            return FALSE;
        return SetNumber(result, ~nLeft);
    case GX_OP_EQUAL:
    case GX_OP_NOT_EQUAL:
    case GX_OP_LESS:
    case GX_OP_GREATER:
    case GX_OP_LESS_EQUAL:
    case GX_OP_GREATER_EQUAL:
        return Compare(node, result);
    case GX_OP_CONDITIONAL: {
        if (!ToNumber(node.nIndex1, dLeft))
            return FALSE;
        const GXEngineExprNode& extension = m_pNodes[node.nIndex2];
        return Evaluate(dLeft != 0 ? extension.nIndex1 : extension.nIndex2, result);
    }
    case GX_OP_RANGE: {
        GXEngineOperand left;
        GXEngineOperand right;
        if (!Evaluate(node.nIndex1, left) || !Evaluate(node.nIndex2, right))
            return FALSE;
        if (left.nType != GX_OPERAND_CELL || right.nType != GX_OPERAND_CELL)
            return GXEngineRaise(141);
        result.nType = GX_OPERAND_RANGE;
        result.range = GXEngineMakeRange(left.range.Top(), left.range.Left(), right.range.Top(), right.range.Left());
        GXEngineNormalizeRange(result.range);
        return TRUE;
    }
    case GX_OP_INVALID_REF:
        SetError(result, 89);
        return TRUE;
    default:
        return GXEngineRaise(278);
    }
}

// Both operands read; answers FALSE after a raise, with the operator's own code for an
// operand that cannot be compared.
BOOL ReadBoth(CEvaluator& evaluator, GXEngineOperand& left, GXEngineOperand& right, int nIllegal)
{
    for (GXEngineOperand* pOperand : {&left, &right})
    {
        if (!evaluator.Dereference(*pOperand))
            return FALSE;
        if (pOperand->nType == GX_OPERAND_ERROR)
            return GXEngineRaise(pOperand->nCode);
        if (pOperand->nType != GX_OPERAND_NUMBER && pOperand->nType != GX_OPERAND_STRING)
            return GXEngineRaise(nIllegal);
    }
    return TRUE;
}

BOOL CEvaluator::Compare(const GXEngineExprNode& node, GXEngineOperand& result)
{
    GXEngineOperand left;
    GXEngineOperand right;
    if (!Evaluate(node.nIndex1, left) || !Evaluate(node.nIndex2, right) ||
        !ReadBoth(*this, left, right, IllegalOperandCode(node.u.nOperator)))
        return FALSE;
    // Below zero: left is less. A string is less than any number.
    int nOrder = 0;
    if (left.nType != right.nType)
        nOrder = left.nType == GX_OPERAND_STRING ? -1 : 1;
    else if (left.nType == GX_OPERAND_NUMBER)
        nOrder = left.dNumber < right.dNumber ? -1 : left.dNumber > right.dNumber ? 1 : 0;
    else
    {
        left.strText.TrimRight();
        right.strText.TrimRight();
        nOrder = wcscmp(left.strText, right.strText);
    }
    const BOOL bEqualTypes = left.nType == right.nType;
    BOOL bResult = FALSE;
    switch (node.u.nOperator)
    {
    case GX_OP_EQUAL:
        bResult = bEqualTypes && nOrder == 0;
        break;
    case GX_OP_NOT_EQUAL:
        bResult = !bEqualTypes || nOrder != 0;
        break;
    case GX_OP_LESS:
        bResult = nOrder < 0;
        break;
    case GX_OP_GREATER:
        bResult = nOrder > 0;
        break;
    case GX_OP_LESS_EQUAL:
        bResult = nOrder <= 0;
        break;
    default:
        bResult = nOrder >= 0;
        break;
    }
    return SetNumber(result, bResult ? 1 : 0);
}

BOOL CEvaluator::Concatenate(const GXEngineExprNode& node, GXEngineOperand& result)
{
    GXEngineOperand left;
    GXEngineOperand right;
    if (!Evaluate(node.nIndex1, left) || !Evaluate(node.nIndex2, right) || !ReadBoth(*this, left, right, 91))
        return FALSE;
    if (left.nType != right.nType)
        return GXEngineRaise(140);
    if (left.nType == GX_OPERAND_STRING)
    {
        if (left.strText.GetLength() + right.strText.GetLength() > GX_ENGINE_MAX_TEXT)
            return GXEngineRaise(150);
        result.nType = GX_OPERAND_STRING;
        result.strText = left.strText + right.strText;
        return TRUE;
    }
    for (GXEngineOperand* pOperand : {&left, &right})
    {
        if (!(pOperand->dNumber > -2147483649.0 && pOperand->dNumber < 4294967296.0))
            return GXEngineRaise(136);
    }
    const LONG nLeft = static_cast<LONG>(static_cast<ULONG>(static_cast<LONGLONG>(left.dNumber)));
    const LONG nRight = static_cast<LONG>(static_cast<ULONG>(static_cast<LONGLONG>(right.dNumber)));
    return SetNumber(result, nLeft & nRight);
}

BOOL CEvaluator::Call(const GXEngineExprNode& node, GXEngineOperand& result)
{
    int nArgs = 0;
    for (WORD nArg = node.u.function.nFirstArg; nArg != GX_EXPR_NONE; nArg = m_pNodes[nArg].nIndex2)
        ++nArgs;
    GXEngineOperand* pArgs = new GXEngineOperand[nArgs > 0 ? nArgs : 1];
    BOOL bEvaluated = TRUE;
    int i = 0;
    for (WORD nArg = node.u.function.nFirstArg; bEvaluated && nArg != GX_EXPR_NONE; nArg = m_pNodes[nArg].nIndex2, ++i)
    {
        const WORD nExpr = m_pNodes[nArg].nIndex1;
        if (m_pNodes[nExpr].dwWord0 & GX_EXPR_UNEVALUATED)
        {
            pArgs[i].nType = GX_OPERAND_UNEVALUATED;
            pArgs[i].pNodes = m_pNodes;
            pArgs[i].nIndex = nExpr;
        }
        else
            bEvaluated = Evaluate(nExpr, pArgs[i]);
    }
    GX_EVAL_STATE& state = EvalState();
    state.nArgs = nArgs;
    state.pArgs = pArgs;
    const BOOL bCalled = bEvaluated && node.u.function.pFunction->pfnCall(nArgs, pArgs, result);
    state.nArgs = 0;
    state.pArgs = nullptr;
    delete[] pArgs;
    return bCalled;
}

// Stores a result in the node; answers whether it differs from the stored value.
BOOL StoreResult(GXEngineNode* pNode, const GXEngineOperand& result)
{
    switch (result.nType)
    {
    case GX_OPERAND_NUMBER:
        if (pNode->ValueType() == GX_VALUE_NUMBER && pNode->value.dNumber == result.dNumber)
            return FALSE;
        GXEngineClearValue(pNode);
        pNode->value.dNumber = result.dNumber;
        pNode->SetValueType(GX_VALUE_NUMBER);
        return TRUE;
    case GX_OPERAND_STRING:
        if ((pNode->ValueType() == GX_VALUE_STRING || pNode->ValueType() == GX_VALUE_SHORT_STRING) &&
            pNode->GetString() == result.strText.Left(GX_ENGINE_MAX_TEXT))
            return FALSE;
        GXEngineSetNodeString(pNode, result.strText, result.strText.GetLength());
        return TRUE;
    case GX_OPERAND_NA:
        GXEngineClearValue(pNode);
        pNode->SetValueType(GX_VALUE_NA);
        return FALSE;
    default:
        if (pNode->ValueType() == GX_VALUE_ERROR && pNode->value.error.nCode == result.nCode)
            return FALSE;
        GXEngineClearValue(pNode);
        pNode->value.error.nCode = result.nCode;
        pNode->SetValueType(GX_VALUE_ERROR);
        return TRUE;
    }
}

// Stores a computed number in its cell, marking it for refresh when it changed.
void StoreNumber(GXEngineNode* pNode, double dValue)
{
    if (pNode->ValueType() == GX_VALUE_NUMBER && pNode->value.dNumber == dValue)
        return;
    GXEngineClearValue(pNode);
    pNode->value.dNumber = dValue;
    pNode->SetValueType(GX_VALUE_NUMBER);
    pNode->dwFlags |= GX_NODE_REFRESH;
}

// Appends the operand of a number or cell node; answers where its step takes it from, the stack
// when the node is neither.
BYTE AppendOperand(const GXEngineExprNode& node, const GXEngineNode* pCell, GXEngineStepOperand* pOperands,
                   int& nOperands)
{
    switch (node.Kind())
    {
    case GX_EXPR_NUMBER:
        pOperands[nOperands++].dNumber = node.u.dNumber;
        return GX_STEP_FROM_NUMBER;
    case GX_EXPR_CELL:
        pOperands[nOperands++].pCell = pCell;
        return GX_STEP_FROM_CELL;
    default:
        return GX_STEP_FROM_STACK;
    }
}

// Appends the steps of the subtree at node n; FALSE when it holds anything but numbers, cells and
// arithmetic operators. A number or cell right of an operator becomes that operator's operand.
BOOL AppendSteps(const GXEngineExprNode* pNodes, WORD n, const GXEngineNode* const* ppCells, BYTE* pSteps,
                 int& nSteps, GXEngineStepOperand* pOperands, int& nOperands)
{
    const GXEngineExprNode& node = pNodes[n];
    const BYTE nSource = AppendOperand(node, ppCells[n], pOperands, nOperands);
    if (nSource != GX_STEP_FROM_STACK)
    {
        pSteps[nSteps++] = GX_STEP_PUSH | nSource;
        return TRUE;
    }
    if (node.Kind() != GX_EXPR_OPERATOR || !IsArithmetic(node.u.nOperator) ||
        !AppendSteps(pNodes, node.nIndex1, ppCells, pSteps, nSteps, pOperands, nOperands))
        return FALSE;
    const int nOperator = node.u.nOperator;
    BYTE nRight = GX_STEP_FROM_STACK;
    if (!IsUnary(nOperator))
    {
        nRight = AppendOperand(pNodes[node.nIndex2], ppCells[node.nIndex2], pOperands, nOperands);
        if (nRight == GX_STEP_FROM_STACK &&
            !AppendSteps(pNodes, node.nIndex2, ppCells, pSteps, nSteps, pOperands, nOperands))
            return FALSE;
    }
    pSteps[nSteps++] = static_cast<BYTE>(nOperator | nRight);
    return TRUE;
}

// The evaluation state of one expression; the state of an evaluation around it comes back after,
// else the idle state.
class CEvalScope
{
public:
    CEvalScope(GXEngineSheet* pSheet, LONG nRow, LONG nCol, const GXEngineExprNode* pNodes)
        : m_bNested(EvalState().nRaising != 0)
    {
        if (m_bNested)
            m_saved = EvalState();
        EvalState() = GX_EVAL_STATE{pSheet, 0, nullptr, nRow, nCol, 0, nullptr, pNodes, kRaising};
    }
    CEvalScope(const CEvalScope&) = delete;
    CEvalScope& operator=(const CEvalScope&) = delete;
    ~CEvalScope()
    {
        EvalState() = m_bNested ? m_saved : GX_EVAL_STATE{};
    }

    // The error raised, as the result.
    static void Raised(GXEngineOperand& result)
    {
        result = GXEngineOperand();
        result.nType = GX_OPERAND_ERROR;
        result.nCode = EvalState().nErrorCode;
        result.pszDetail = EvalState().pszErrorDetail;
    }

private:
    const BOOL m_bNested;
    GX_EVAL_STATE m_saved;
};

// Stores a computed result in its cell: a reference as a result is an error, and an error
// leaves its message when the slot is free.
void StoreComputed(GXEngineSheet* pSheet, GXEngineNode* pNode, GXEngineOperand& result)
{
    if (result.nType == GX_OPERAND_RANGE || result.nType == GX_OPERAND_CELL || result.nType == GX_OPERAND_UNEVALUATED)
        SetError(result, 149);
    if (!StoreResult(pNode, result))
        return;
    pNode->dwFlags |= GX_NODE_REFRESH;
    if (result.nType == GX_OPERAND_ERROR && pSheet->bMessageFree)
    {
        CString strError;
        strError.Format(L"ERROR: %s %s ", GXEngineErrorText(result.nCode),
                        result.pszDetail != nullptr ? result.pszDetail : L"");
        CString strMessage;
        strMessage.Format(L"Cell %s%ld: %s", GXEngineColumnName(pNode->nCol), pNode->nRow,
                          static_cast<LPCWSTR>(strError));
        wcsncpy(pSheet->szMessage, strMessage, GX_ENGINE_MESSAGE_SIZE - 1);
        pSheet->szMessage[GX_ENGINE_MESSAGE_SIZE - 1] = L'\0';
        pSheet->bMessageFree = FALSE;
    }
}
} // namespace

LPCWSTR GXEngineOperatorText(int nOperator)
{
    static const LPCWSTR kTexts[GX_OP_COUNT] = {L"+",  L"-", L"+", L"-",  L"*",  L"/", L"**", L"%",  L"&&",
                                                L"||", L"!", L"&", L"|",  L"^",  L"~", L"<<", L">>", L"==",
                                                L"!=", L"<", L">", L"<=", L">=", L"?", L"..", L"%",  L"??"};
    return nOperator >= 0 && nOperator < GX_OP_COUNT ? kTexts[nOperator] : L"";
}

const GXEngineFunction* GXEngineFindFunction(LPCWSTR pszUpperName)
{
    const CGXEngineFunctionLibrary* pLibrary = GXGetEngineState()->pFunctions;
    return pLibrary != nullptr ? pLibrary->Lookup(pszUpperName) : nullptr;
}

BOOL GXEngineRaise(int nCode)
{
    GX_EVAL_STATE& state = EvalState();
    state.nErrorCode = nCode;
    state.pszErrorDetail = nullptr;
    return FALSE;
}

GXEngineOperand GXEngineEvaluateExpression(GXEngineSheet* pSheet, LONG nRow, LONG nCol, const GXEngineExprNode* pNodes,
                                           WORD nRoot, const GXEngineNode* const* ppCells)
{
    const CEvalScope scope(pSheet, nRow, nCol, pNodes);
    GXEngineOperand result;
    CEvaluator evaluator(pSheet, nRow, nCol, pNodes, ppCells);
    if (!evaluator.EvaluateRoot(nRoot, result))
        CEvalScope::Raised(result);
    else if (result.nType == GX_OPERAND_CELL && !evaluator.Dereference(result))
        SetError(result, EvalState().nErrorCode);
    return result;
}

BOOL GXEngineComputeCell(GXEngineSheet* pSheet, GXEngineNode* pNode, const GXEngineNode* const* ppCells)
{
    if (pNode == nullptr || pNode->pExpr == nullptr)
        return FALSE;
    const GXEngineExpr& expr = *pNode->pExpr;
    const GXEngineExprNode& root = expr.pNodes[expr.nRoot];
    if (root.Kind() != GX_EXPR_OPERATOR || !IsArithmetic(root.u.nOperator))
    {
        GXEngineOperand result =
            GXEngineEvaluateExpression(pSheet, pNode->nRow, pNode->nCol, expr.pNodes, expr.nRoot, ppCells);
        StoreComputed(pSheet, pNode, result);
        return TRUE;
    }
    // Most formulas are arithmetic: the number goes straight into the cell.
    const CEvalScope scope(pSheet, pNode->nRow, pNode->nCol, expr.pNodes);
    CEvaluator evaluator(pSheet, pNode->nRow, pNode->nCol, expr.pNodes, ppCells);
    double dValue = 0;
    if (!evaluator.Arithmetic(root, dValue))
    {
        GXEngineOperand result;
        CEvalScope::Raised(result);
        StoreComputed(pSheet, pNode, result);
    }
    else
        StoreNumber(pNode, dValue);
    return TRUE;
}

int GXEngineMakeSteps(const GXEngineExpr& expr, const GXEngineNode* const* ppCells, BYTE* pSteps,
                      GXEngineStepOperand* pOperands, int& nOperands)
{
    int nSteps = 0;
    nOperands = 0;
    if (AppendSteps(expr.pNodes, expr.nRoot, ppCells, pSteps, nSteps, pOperands, nOperands))
        return nSteps;
    nOperands = 0;
    return 0;
}

BOOL GXEngineComputeSteps(GXEngineNode* pNode, const BYTE* pSteps, int nSteps, const GXEngineStepOperand* pOperands)
{
    // The top of the stack is held apart, the numbers below it in a buffer: a value of n nodes
    // never stacks more than n numbers.
    double adBelow[GX_EXPR_MAX_NODES];
    int nDepth = 0;
    double dTop = 0;
    for (const BYTE* pStep = pSteps; pStep != pSteps + nSteps; ++pStep)
    {
        const BYTE nOperator = *pStep & GX_STEP_OPERATOR_MASK;
        const BYTE nSource = *pStep & ~GX_STEP_OPERATOR_MASK;
        double dOperand = 0;
        if (nSource == GX_STEP_FROM_NUMBER)
            dOperand = (pOperands++)->dNumber;
        else if (nSource == GX_STEP_FROM_CELL)
        {
            const GXEngineNode* pCell = (pOperands++)->pCell;
            if (pCell == nullptr || pCell->ValueType() != GX_VALUE_NUMBER)
                return FALSE;
            dOperand = pCell->value.dNumber;
        }
        if (nOperator == GX_STEP_PUSH)
        {
            if (nDepth++ > 0)
                adBelow[nDepth - 2] = dTop;
            dTop = dOperand;
            continue;
        }
        double dLeft = dTop;
        if (nSource == GX_STEP_FROM_STACK && !IsUnary(nOperator))
        {
            dOperand = dTop;
            dLeft = adBelow[--nDepth - 1];
        }
        if (Apply(nOperator, dLeft, dOperand, dTop) != 0)
            return FALSE;
    }
    if (nDepth != 1 || !std::isfinite(dTop))
        return FALSE;
    StoreNumber(pNode, dTop);
    return TRUE;
}

BOOL GXEngineComputeCell(int nSheet, GXEngineNode* pNode)
{
    return GXEngineComputeCell(GXEngineUseSheet(nSheet), pNode);
}

void GXEngineCheckConstraint(GXEngineSheet* pSheet, GXEngineNode* pNode)
{
    if (pNode->pExpr == nullptr || pNode->pExpr->nConstraint == GX_EXPR_NONE || pNode->ValueType() == GX_VALUE_ERROR)
        return;
    const GXEngineOperand result =
        GXEngineEvaluateExpression(pSheet, pNode->nRow, pNode->nCol, pNode->pExpr->pNodes, pNode->pExpr->nConstraint);
    const BOOL bViolated = result.nType == GX_OPERAND_NUMBER && result.dNumber == 0;
    if (bViolated != pNode->Is(GX_NODE_VIOLATED))
        pNode->dwFlags = (pNode->dwFlags ^ GX_NODE_VIOLATED) | GX_NODE_REFRESH;
}
