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
// Evaluates the node's constraint, if any, and keeps its violated flag.
void GXEngineCheckConstraint(GXEngineSheet* pSheet, GXEngineNode* pNode);
