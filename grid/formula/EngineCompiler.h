// Compiles formula text into an expression: a flat array of nodes forming a tree, with the
// roots of the value, the constraint and the reference list, and a comment.
#pragma once

#include <grid/formula/EngineStore.h>

struct GXEngineName;
struct GXEngineFunction;

// Expression node kinds (bits 0-7 of the first word) and flags.
enum : DWORD
{
    GX_EXPR_OPERATOR = 0,
    GX_EXPR_NUMBER = 1,
    GX_EXPR_STRING = 2,
    GX_EXPR_CELL = 3,
    GX_EXPR_RANGE = 4,
    GX_EXPR_NAME = 5,
    GX_EXPR_NAMED_CELL = 6,
    GX_EXPR_NAMED_RANGE = 7,
    GX_EXPR_FUNCTION = 8,
    GX_EXPR_ARG = 9,
    GX_EXPR_RELATIVE = 10,
    GX_EXPR_EXTENSION = 11,

    GX_EXPR_PARENTHESES = 0x100,
    GX_EXPR_HEX = 0x200,
    GX_EXPR_UNEVALUATED = 0x400,
    GX_EXPR_NO_DEPENDENCY = 0x1000
};

enum : WORD
{
    GX_EXPR_NONE = 0xFFFF,
    GX_EXPR_MAX_NODES = 200
};

struct GXEngineExprNode
{
    DWORD dwWord0;
    // By kind: the operands of an operator, the argument and the next ARG, the branches of an
    // extension; a reference-list item chains to the next through nIndex2.
    WORD nIndex1;
    WORD nIndex2;
    union {
        int nOperator;
        double dNumber;
        LPWSTR pszText; // STRING (escapes decoded) and NAME
        GXEngineRange range;
        GXEngineName* pName;
        struct
        {
            const GXEngineFunction* pFunction;
            WORD nFirstArg;
        } function;
        WORD nPrevArg;
        struct
        {
            WORD nRowOffset;
            WORD nColOffset;
        } relative;
        WORD nQuestion;
    } u;

    DWORD Kind() const
    {
        return dwWord0 & 0xFF;
    }
};

struct GXEngineExpr
{
    WORD nRoot;
    WORD nConstraint;
    WORD nRefList;
    WORD nCount;
    GXEngineExprNode* pNodes;
    LPWSTR pszComment;
};

// Compiles into the header; records the result as the engine's last compile result.
BOOL GXEngineParseFormula(int nSheet, LPCWSTR pszText, GXEngineExpr* pExpr);
// Frees the node array, its strings, the comment and the header; null is ignored.
void GXEngineFreeExpression(GXEngineExpr* pExpr);
GXEngineExpr* GXEngineCopyExpression(const GXEngineExpr* pExpr);

// A formula of one decimal number and nothing else.
BOOL GXEngineIsNumberConstant(const GXEngineExpr* pExpr);
// Whether a reference, a name or a function call occurs anywhere in it.
BOOL GXEngineHasReferences(const GXEngineExpr* pExpr);
