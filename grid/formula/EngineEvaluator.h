// Computes a compiled expression for one cell and stores the result in the cell's node. It
// never computes another cell: a reference reads the stored value, and recalculation computes
// precedents first.
#pragma once

#include <grid/formula/EngineCompiler.h>

// Operand types.
enum : int
{
    GX_OPERAND_NUMBER = 0,
    GX_OPERAND_STRING = 1,
    GX_OPERAND_RANGE = 2,
    GX_OPERAND_CELL = 3,
    GX_OPERAND_UNEVALUATED = 4,
    GX_OPERAND_NA = 5,
    GX_OPERAND_ERROR = 6
};

// Operator codes of operator nodes.
enum : int
{
    GX_OP_ADD = 0,
    GX_OP_SUBTRACT = 1,
    GX_OP_PLUS = 2,
    GX_OP_NEGATE = 3,
    GX_OP_MULTIPLY = 4,
    GX_OP_DIVIDE = 5,
    GX_OP_POWER = 6,
    GX_OP_REMAINDER = 7,
    GX_OP_AND = 8,
    GX_OP_OR = 9,
    GX_OP_NOT = 10,
    GX_OP_BIT_AND = 11,
    GX_OP_BIT_OR = 12,
    GX_OP_BIT_XOR = 13,
    GX_OP_BIT_NOT = 14,
    GX_OP_SHIFT_LEFT = 15,
    GX_OP_SHIFT_RIGHT = 16,
    GX_OP_EQUAL = 17,
    GX_OP_NOT_EQUAL = 18,
    GX_OP_LESS = 19,
    GX_OP_GREATER = 20,
    GX_OP_LESS_EQUAL = 21,
    GX_OP_GREATER_EQUAL = 22,
    GX_OP_CONDITIONAL = 23,
    GX_OP_RANGE = 24,
    GX_OP_PERCENT = 25,
    GX_OP_INVALID_REF = 26,
    GX_OP_COUNT = 27
};

struct GXEngineOperand
{
    int nType = GX_OPERAND_NUMBER;
    double dNumber = 0;
    CString strText;
    GXEngineRange range = {};
    const GXEngineExprNode* pNodes = nullptr; // unevaluated argument
    int nIndex = 0;
    int nCode = 0; // error
    LPCWSTR pszDetail = nullptr;
};

// A worksheet function as the compiler and the evaluator see it. The call answers FALSE
// after raising an error through GXEngineRaise.
struct GXEngineFunction
{
    LPCWSTR pszName;
    int nRequired;
    int nMaximum;
    DWORD dwUnevaluated; // bit i: argument i is passed unevaluated
    BOOL (*pfnCall)(int nArgs, GXEngineOperand* pArgs, GXEngineOperand& result);
};

class CGXEngineFunctionLibrary
{
public:
    virtual ~CGXEngineFunctionLibrary() = default;
    // The function of an upper-case name, or null.
    virtual const GXEngineFunction* Lookup(LPCWSTR pszName) const = 0;
};

const GXEngineFunction* GXEngineFindFunction(LPCWSTR pszUpperName);

// The operator's text when formulas are shown.
LPCWSTR GXEngineOperatorText(int nOperator);

// Records an error code; inside a cell evaluation the caller then ends it. Always FALSE.
BOOL GXEngineRaise(int nCode);

// Evaluates and stores the node's value; 0 for a null node or one without an expression.
BOOL GXEngineComputeCell(int nSheet, GXEngineNode* pNode);
// ppCells, when given, holds by expression node index the cell of every CELL node (null: no cell
// there), as recalculation found them.
BOOL GXEngineComputeCell(GXEngineSheet* pSheet, GXEngineNode* pNode, const GXEngineNode* const* ppCells = nullptr);
// The guarded evaluation of one expression for a cell: a raised error becomes the result.
GXEngineOperand GXEngineEvaluateExpression(GXEngineSheet* pSheet, LONG nRow, LONG nCol, const GXEngineExprNode* pNodes,
                                           WORD nRoot, const GXEngineNode* const* ppCells = nullptr);
// A formula whose value is numbers and cells combined by arithmetic operators, as a flat list of
// steps taken in order over a stack of numbers. Recalculation makes them once with the cells its
// references resolve to, and computes the formula from them without walking its tree. A step is
// one byte: an operator, or GX_STEP_PUSH, in the low bits, and in the high bits where its operand
// comes from: the top of the stack, or the next of the operands, a number or a cell's number. An
// operator with an operand takes it as its right one.
enum : BYTE
{
    GX_STEP_PUSH = 0x1F,
    GX_STEP_OPERATOR_MASK = 0x1F,
    GX_STEP_FROM_STACK = 0x00,
    GX_STEP_FROM_NUMBER = 0x20,
    GX_STEP_FROM_CELL = 0x40
};

union GXEngineStepOperand {
    double dNumber;
    const GXEngineNode* pCell; // null: no cell there
};

// Writes the steps of an expression's value and their operands (each at most its node count),
// its cells by node index as in ppCells; answers the number of steps, or 0 when the value holds
// anything else.
int GXEngineMakeSteps(const GXEngineExpr& expr, const GXEngineNode* const* ppCells, BYTE* pSteps,
                      GXEngineStepOperand* pOperands, int& nOperands);
// Computes a formula from its steps and stores the number. Answers FALSE, storing nothing, when a
// cell holds no number or the result is not a finite number: the full evaluation then gives the
// value or the error.
BOOL GXEngineComputeSteps(GXEngineNode* pNode, const BYTE* pSteps, int nSteps, const GXEngineStepOperand* pOperands);
// Evaluates the node's constraint, if any, and keeps its violated flag.
void GXEngineCheckConstraint(GXEngineSheet* pSheet, GXEngineNode* pNode);
