#include <grid/formula/EngineCompiler.h>

#include <grid/core/AppData.h>
#include <grid/formula/EngineErrors.h>
#include <grid/formula/EngineEvaluator.h>
#include <grid/formula/EngineReferences.h>
#include <grid/formula/EngineScanner.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace
{
const int kMaxArguments = 100;
// Nesting deeper than this is refused like a full node array, before the stack runs out.
const int kMaxDepth = 200;

struct BinaryLevel
{
    int nCount;
    int anTokens[4];
    int anOperators[4];
};

// From the lowest precedence up to the product.
const BinaryLevel kBinaryLevels[] = {
    {1, {GX_TOKEN_OR}, {GX_OP_OR}},
    {1, {GX_TOKEN_AND}, {GX_OP_AND}},
    {1, {GX_TOKEN_BAR}, {GX_OP_BIT_OR}},
    {1, {GX_TOKEN_CARET}, {GX_OP_BIT_XOR}},
    {1, {GX_TOKEN_AMPERSAND}, {GX_OP_BIT_AND}},
    {3, {GX_TOKEN_EQUAL, GX_TOKEN_EQUAL_EQUAL, GX_TOKEN_NOT_EQUAL}, {GX_OP_EQUAL, GX_OP_EQUAL, GX_OP_NOT_EQUAL}},
    {4,
     {GX_TOKEN_LESS, GX_TOKEN_GREATER, GX_TOKEN_LESS_EQUAL, GX_TOKEN_GREATER_EQUAL},
     {GX_OP_LESS, GX_OP_GREATER, GX_OP_LESS_EQUAL, GX_OP_GREATER_EQUAL}},
    {2, {GX_TOKEN_SHIFT_LEFT, GX_TOKEN_SHIFT_RIGHT}, {GX_OP_SHIFT_LEFT, GX_OP_SHIFT_RIGHT}},
    {2, {GX_TOKEN_PLUS, GX_TOKEN_MINUS}, {GX_OP_ADD, GX_OP_SUBTRACT}},
    {3, {GX_TOKEN_STAR, GX_TOKEN_SLASH, GX_TOKEN_PERCENT}, {GX_OP_MULTIPLY, GX_OP_DIVIDE, GX_OP_REMAINDER}},
};
const int kLevelCount = static_cast<int>(sizeof(kBinaryLevels) / sizeof(kBinaryLevels[0]));

BOOL StartsOperand(int nClass)
{
    switch (nClass)
    {
    case GX_TOKEN_HASH:
    case GX_TOKEN_LPAREN:
    case GX_TOKEN_CELL:
    case GX_TOKEN_IDENTIFIER:
    case GX_TOKEN_FUNCTION:
    case GX_TOKEN_STRING:
    case GX_TOKEN_NUMBER:
    case GX_TOKEN_HEX:
    case GX_TOKEN_INVALID_REF:
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL OwnsText(const GXEngineExprNode& node)
{
    return node.Kind() == GX_EXPR_STRING || node.Kind() == GX_EXPR_NAME;
}

// Recursive descent over the scanner's tokens; every parse step answers the index of the node
// it made, or -1 after the first failure, which stops the parse.
class CParser
{
public:
    explicit CParser(int nSheet) : m_pSheet(GXEngineUseSheet(nSheet))
    {
    }
    ~CParser()
    {
        for (int i = 0; i < m_nCount; ++i)
        {
            if (OwnsText(m_nodes[i]))
                GXEngineFree(m_nodes[i].u.pszText);
        }
        GXEngineFree(m_pszComment);
    }

    BOOL Parse(LPCWSTR pszText, GXEngineExpr* pExpr);

    int m_nError = 0;
    int m_nErrorPos = 0;

private:
    void Advance()
    {
        if (m_bLookahead)
        {
            m_token = m_next;
            m_bLookahead = FALSE;
        }
        else
            GXEngineScanNext(m_token);
    }
    const GXEngineToken& Peek()
    {
        if (!m_bLookahead)
        {
            GXEngineScanNext(m_next);
            m_bLookahead = TRUE;
        }
        return m_next;
    }
    int Fail(int nCode, int nPos)
    {
        if (!m_bFailed)
        {
            m_bFailed = TRUE;
            m_nError = nCode;
            m_nErrorPos = nPos;
        }
        return -1;
    }
    BOOL Expect(int nClass)
    {
        if (m_token.nClass != nClass)
        {
            Fail(m_token.nClass == GX_TOKEN_ERROR ? m_token.nError : GXEngineExpectedTokenError(nClass), m_token.nPos);
            return FALSE;
        }
        Advance();
        return TRUE;
    }
    int NewNode(DWORD dwKind)
    {
        if (m_nCount >= GX_EXPR_MAX_NODES)
            return Fail(280, m_token.nPos);
        GXEngineExprNode& node = m_nodes[m_nCount];
        std::memset(&node, 0, sizeof(node));
        node.dwWord0 = dwKind;
        node.nIndex1 = node.nIndex2 = GX_EXPR_NONE;
        return m_nCount++;
    }
    int NewOperator(int nOperator, int nLeft, int nRight)
    {
        const int n = NewNode(GX_EXPR_OPERATOR);
        if (n >= 0)
        {
            m_nodes[n].u.nOperator = nOperator;
            m_nodes[n].nIndex1 = static_cast<WORD>(nLeft);
            m_nodes[n].nIndex2 = static_cast<WORD>(nRight);
        }
        return n;
    }
    // Only the newest node can be given back.
    void Release(int n)
    {
        if (n != m_nCount - 1)
        {
            Fail(228, m_token.nPos);
            return;
        }
        if (OwnsText(m_nodes[n]))
            GXEngineFree(m_nodes[n].u.pszText);
        --m_nCount;
    }
    void MarkSubtree(int n, DWORD dwFlag)
    {
        if (n == GX_EXPR_NONE)
            return;
        GXEngineExprNode& node = m_nodes[n];
        node.dwWord0 |= dwFlag;
        switch (node.Kind())
        {
        case GX_EXPR_OPERATOR:
        case GX_EXPR_ARG:
        case GX_EXPR_EXTENSION:
            MarkSubtree(node.nIndex1, dwFlag);
            MarkSubtree(node.nIndex2, dwFlag);
            break;
        case GX_EXPR_RELATIVE:
            MarkSubtree(node.u.relative.nRowOffset, dwFlag);
            MarkSubtree(node.u.relative.nColOffset, dwFlag);
            break;
        case GX_EXPR_FUNCTION:
            MarkSubtree(node.u.function.nFirstArg, dwFlag);
            break;
        default:
            break;
        }
    }

    int Conditional();
    int Binary(int nLevel);
    int Unary();
    int Power();
    int Postfix();
    int Primary();
    int Cell();
    int NamedReference();
    int Call();
    int RangeTail(int nLeft);
    int ReferenceList();

    GXEngineSheet* m_pSheet;
    GXEngineExprNode m_nodes[GX_EXPR_MAX_NODES];
    int m_nCount = 0;
    GXEngineToken m_token;
    GXEngineToken m_next;
    BOOL m_bLookahead = FALSE;
    BOOL m_bFailed = FALSE;
    int m_nDepth = 0;
    LPWSTR m_pszComment = nullptr;
};

int CParser::Conditional()
{
    if (++m_nDepth > kMaxDepth)
        return Fail(280, m_token.nPos);
    int nResult = Binary(0);
    if (nResult >= 0 && m_token.nClass == GX_TOKEN_QUESTION)
    {
        Advance();
        const int nThen = Conditional();
        const int nElse = nThen >= 0 && Expect(GX_TOKEN_COLON) ? Conditional() : -1;
        const int nExtension = nElse >= 0 ? NewNode(GX_EXPR_EXTENSION) : -1;
        const int nQuestion = nExtension >= 0 ? NewOperator(GX_OP_CONDITIONAL, nResult, nExtension) : -1;
        if (nQuestion >= 0)
        {
            m_nodes[nExtension].nIndex1 = static_cast<WORD>(nThen);
            m_nodes[nExtension].nIndex2 = static_cast<WORD>(nElse);
            m_nodes[nExtension].u.nQuestion = static_cast<WORD>(nQuestion);
        }
        nResult = nQuestion;
    }
    --m_nDepth;
    return nResult;
}

int CParser::Binary(int nLevel)
{
    if (nLevel == kLevelCount)
        return Unary();
    const BinaryLevel& level = kBinaryLevels[nLevel];
    int nLeft = Binary(nLevel + 1);
    while (nLeft >= 0)
    {
        int nOperator = -1;
        for (int i = 0; i < level.nCount; ++i)
        {
            if (m_token.nClass == level.anTokens[i])
                nOperator = level.anOperators[i];
        }
        if (nOperator < 0)
            break;
        Advance();
        const int nRight = Binary(nLevel + 1);
        nLeft = nRight >= 0 ? NewOperator(nOperator, nLeft, nRight) : -1;
    }
    return nLeft;
}

int CParser::Unary()
{
    int nOperator = -1;
    switch (m_token.nClass)
    {
    case GX_TOKEN_PLUS:
        nOperator = GX_OP_PLUS;
        break;
    case GX_TOKEN_MINUS:
        nOperator = GX_OP_NEGATE;
        break;
    case GX_TOKEN_EXCLAMATION:
        nOperator = GX_OP_NOT;
        break;
    case GX_TOKEN_TILDE:
        nOperator = GX_OP_BIT_NOT;
        break;
    default:
        return Power();
    }
    Advance();
    // A second prefix operator is no operand: the primary refuses it.
    const int nOperand = Power();
    return nOperand >= 0 ? NewOperator(nOperator, nOperand, GX_EXPR_NONE) : -1;
}

int CParser::Power()
{
    int nLeft = Postfix();
    while (nLeft >= 0 && m_token.nClass == GX_TOKEN_POWER)
    {
        Advance();
        const int nRight = Postfix();
        nLeft = nRight >= 0 ? NewOperator(GX_OP_POWER, nLeft, nRight) : -1;
    }
    return nLeft;
}

int CParser::Postfix()
{
    const int nPrimary = Primary();
    if (nPrimary < 0 || m_token.nClass != GX_TOKEN_PERCENT || StartsOperand(Peek().nClass))
        return nPrimary;
    Advance();
    return NewOperator(GX_OP_PERCENT, nPrimary, GX_EXPR_NONE);
}

int CParser::Primary()
{
    switch (m_token.nClass)
    {
    case GX_TOKEN_STRING: {
        const int n = NewNode(GX_EXPR_STRING);
        if (n >= 0)
        {
            const CString strText = GXEngineDecodeEscapes(m_token.strValue);
            m_nodes[n].u.pszText = GXEngineCopyText(strText, strText.GetLength());
            Advance();
        }
        return n;
    }
    case GX_TOKEN_NUMBER:
    case GX_TOKEN_HEX: {
        double dValue = 0;
        if (m_token.nClass == GX_TOKEN_HEX)
        {
            ULONGLONG nValue = 0;
            for (LPCWSTR psz = m_token.strValue; *psz != 0 && nValue <= 0xFFFFFFFF; ++psz)
                nValue = nValue * 16 + (*psz <= L'9' ? *psz - L'0' : (*psz | 0x20) - L'a' + 10);
            if (nValue > 0xFFFFFFFF)
                return Fail(88, m_token.nPos);
            dValue = static_cast<double>(nValue);
        }
        else
            dValue = GXWcsToDouble(m_token.strValue);
        if (!std::isfinite(dValue))
            return Fail(282, m_token.nPos);
        const int n = NewNode(GX_EXPR_NUMBER);
        if (n >= 0)
        {
            m_nodes[n].u.dNumber = dValue;
            if (m_token.nClass == GX_TOKEN_HEX)
                m_nodes[n].dwWord0 |= GX_EXPR_HEX;
            Advance();
        }
        return n;
    }
    case GX_TOKEN_INVALID_REF: {
        const int n = NewOperator(GX_OP_INVALID_REF, GX_EXPR_NONE, GX_EXPR_NONE);
        if (n >= 0)
            Advance();
        return n;
    }
    case GX_TOKEN_LPAREN: {
        Advance();
        const int n = Conditional();
        if (n < 0 || !Expect(GX_TOKEN_RPAREN))
            return -1;
        m_nodes[n].dwWord0 |= GX_EXPR_PARENTHESES;
        return n;
    }
    case GX_TOKEN_HASH: {
        Advance();
        if (!Expect(GX_TOKEN_LBRACE))
            return -1;
        const int nCol = Conditional();
        int nRow = GX_EXPR_NONE;
        if (nCol >= 0 && m_token.nClass == GX_TOKEN_COMMA)
        {
            Advance();
            nRow = Conditional();
        }
        if (nCol < 0 || nRow < 0 || !Expect(GX_TOKEN_RBRACE))
            return -1;
        const int n = NewNode(GX_EXPR_RELATIVE);
        if (n >= 0)
        {
            m_nodes[n].u.relative.nColOffset = static_cast<WORD>(nCol);
            m_nodes[n].u.relative.nRowOffset = static_cast<WORD>(nRow);
        }
        return n;
    }
    case GX_TOKEN_CELL: {
        const int n = Cell();
        return n >= 0 ? RangeTail(n) : -1;
    }
    case GX_TOKEN_FUNCTION: {
        const int n = Call();
        return n >= 0 ? RangeTail(n) : -1;
    }
    case GX_TOKEN_IDENTIFIER: {
        const int n = Peek().nClass == GX_TOKEN_LPAREN ? Call() : NamedReference();
        return n >= 0 ? RangeTail(n) : -1;
    }
    default:
        return Fail(m_token.nClass == GX_TOKEN_ERROR ? m_token.nError : 274, m_token.nPos);
    }
}

int CParser::Cell()
{
    GXEngineRange range;
    if (!GXEngineParseCellRef(m_token.strValue, range))
        return Fail(226, m_token.nPos);
    const int n = NewNode(GX_EXPR_CELL);
    if (n >= 0)
    {
        m_nodes[n].u.range = range;
        Advance();
    }
    return n;
}

int CParser::NamedReference()
{
    GXEngineName* pName = GXEngineLookupName(m_pSheet, m_token.strValue);
    if (pName == nullptr)
        return Fail(281, m_token.nPos);
    const int n = NewNode(pName->range.Has(GXEngineRange::singleCell) ? GX_EXPR_NAMED_CELL : GX_EXPR_NAMED_RANGE);
    if (n >= 0)
    {
        m_nodes[n].u.pName = pName;
        Advance();
    }
    return n;
}

int CParser::Call()
{
    CString strName = m_token.strValue;
    const int nName = NewNode(GX_EXPR_NAME);
    if (nName < 0)
        return -1;
    m_nodes[nName].u.pszText = GXEngineCopyText(strName, strName.GetLength());
    Advance();
    if (!Expect(GX_TOKEN_LPAREN))
        return -1;
    std::vector<int> arguments;
    if (m_token.nClass != GX_TOKEN_RPAREN)
    {
        for (;;)
        {
            const int nArgument = Conditional();
            if (nArgument < 0)
            {
                // An unknown function or name inside still makes the call's own error.
                if (m_nError == 281)
                    m_nError = 227;
                return -1;
            }
            arguments.push_back(nArgument);
            if (m_token.nClass != GX_TOKEN_COMMA)
                break;
            Advance();
        }
    }
    if (!Expect(GX_TOKEN_RPAREN))
        return -1;
    int nPrevious = GX_EXPR_NONE;
    int nFirst = GX_EXPR_NONE;
    for (int nArgument : arguments)
    {
        const int nArg = NewNode(GX_EXPR_ARG);
        if (nArg < 0)
            return -1;
        m_nodes[nArg].nIndex1 = static_cast<WORD>(nArgument);
        m_nodes[nArg].u.nPrevArg = static_cast<WORD>(nPrevious);
        if (nPrevious != GX_EXPR_NONE)
            m_nodes[nPrevious].nIndex2 = static_cast<WORD>(nArg);
        else
            nFirst = nArg;
        nPrevious = nArg;
    }
    strName.MakeUpper();
    const GXEngineFunction* pFunction = GXEngineFindFunction(strName);
    if (pFunction == nullptr)
        return Fail(227, m_token.nPos);
    const int nArgs = static_cast<int>(arguments.size());
    if (nArgs > kMaxArguments || (pFunction->nMaximum >= 0 && nArgs > pFunction->nMaximum))
        return Fail(229, m_token.nPos);
    if (nArgs < pFunction->nRequired)
        return Fail(230, m_token.nPos);
    for (int i = 0; i < nArgs && i < 32; ++i)
    {
        if (pFunction->dwUnevaluated & (1u << i))
            m_nodes[arguments[i]].dwWord0 |= GX_EXPR_UNEVALUATED;
    }
    if (nArgs > 0 && strName == L"XVALUE")
        MarkSubtree(arguments[0], GX_EXPR_NO_DEPENDENCY);
    GXEngineExprNode& node = m_nodes[nName];
    GXEngineFree(node.u.pszText);
    node.dwWord0 = (node.dwWord0 & ~0xFFu) | GX_EXPR_FUNCTION;
    node.u.function.pFunction = pFunction;
    node.u.function.nFirstArg = static_cast<WORD>(nFirst);
    return nName;
}

int CParser::RangeTail(int nLeft)
{
    if (m_token.nClass != GX_TOKEN_COLON && m_token.nClass != GX_TOKEN_DOTDOT && m_token.nClass != GX_TOKEN_DOT)
        return nLeft;
    Advance();
    int nRight = -1;
    switch (m_token.nClass)
    {
    case GX_TOKEN_CELL:
        nRight = Cell();
        break;
    case GX_TOKEN_IDENTIFIER:
        nRight = Peek().nClass == GX_TOKEN_LPAREN ? Call() : NamedReference();
        break;
    case GX_TOKEN_FUNCTION:
        nRight = Call();
        break;
    default:
        return Fail(275, m_token.nPos);
    }
    if (nRight < 0)
        return -1;
    GXEngineExprNode& left = m_nodes[nLeft];
    if (left.Kind() != GX_EXPR_CELL || m_nodes[nRight].Kind() != GX_EXPR_CELL)
        return NewOperator(GX_OP_RANGE, nLeft, nRight);
    const GXEngineRange second = m_nodes[nRight].u.range;
    left.dwWord0 = (left.dwWord0 & ~0xFFu) | GX_EXPR_RANGE;
    left.u.range.SetBottom(second.Top());
    left.u.range.SetRight(second.Left());
    left.u.range.Set(GXEngineRange::absBottomRow, second.Has(GXEngineRange::absTopRow));
    left.u.range.Set(GXEngineRange::absRightCol, second.Has(GXEngineRange::absLeftCol));
    left.u.range.Set(GXEngineRange::singleCell, FALSE);
    GXEngineNormalizeRange(left.u.range);
    Release(nRight);
    return m_bFailed ? -1 : nLeft;
}

int CParser::ReferenceList()
{
    int nFirst = GX_EXPR_NONE;
    int nPrevious = GX_EXPR_NONE;
    for (;;)
    {
        int nItem = -1;
        if (m_token.nClass == GX_TOKEN_CELL)
        {
            nItem = Cell();
            if (nItem >= 0 && (m_token.nClass == GX_TOKEN_COLON || m_token.nClass == GX_TOKEN_DOTDOT ||
                               m_token.nClass == GX_TOKEN_DOT))
            {
                if (Peek().nClass != GX_TOKEN_CELL)
                    return Fail(GXEngineExpectedTokenError(GX_TOKEN_CELL), Peek().nPos);
                nItem = RangeTail(nItem);
            }
        }
        else if (m_token.nClass == GX_TOKEN_IDENTIFIER)
            nItem = NamedReference();
        else if (m_token.nClass == GX_TOKEN_INVALID_REF)
        {
            // A listed reference that left the sheet reads back as it was written.
            nItem = NewOperator(GX_OP_INVALID_REF, GX_EXPR_NONE, GX_EXPR_NONE);
            if (nItem >= 0)
                Advance();
        }
        else
            return Fail(GXEngineExpectedTokenError(GX_TOKEN_CELL), m_token.nPos);
        if (nItem < 0)
            return -1;
        if (nPrevious != GX_EXPR_NONE)
            m_nodes[nPrevious].nIndex2 = static_cast<WORD>(nItem);
        else
            nFirst = nItem;
        nPrevious = nItem;
        if (m_token.nClass != GX_TOKEN_COMMA)
            return nFirst;
        Advance();
    }
}

BOOL CParser::Parse(LPCWSTR pszText, GXEngineExpr* pExpr)
{
    pExpr->nRoot = pExpr->nConstraint = pExpr->nRefList = GX_EXPR_NONE;
    pExpr->nCount = 0;
    pExpr->pNodes = nullptr;
    pExpr->pszComment = nullptr;
    if (!GXEngineScanStart(pszText))
        return Fail(5, 0), FALSE;
    Advance();
    if (m_token.nClass == GX_TOKEN_EQUAL_EQUAL)
        return Fail(274, 1), FALSE;
    if (!Expect(GX_TOKEN_EQUAL))
        return FALSE;
    const int nRoot = Conditional();
    if (nRoot < 0)
        return FALSE;
    int nConstraint = GX_EXPR_NONE;
    if (m_token.nClass == GX_TOKEN_SEMICOLON)
    {
        Advance();
        if ((nConstraint = Conditional()) < 0)
            return FALSE;
    }
    int nRefList = GX_EXPR_NONE;
    if (m_token.nClass == GX_TOKEN_BACKSLASH)
    {
        Advance();
        if ((nRefList = ReferenceList()) < 0)
            return FALSE;
    }
    if (m_token.nClass == GX_TOKEN_COMMENT)
    {
        m_pszComment = GXEngineCopyText(m_token.strValue, m_token.strValue.GetLength());
        Advance();
    }
    if (!Expect(GX_TOKEN_END))
        return FALSE;
    pExpr->nRoot = static_cast<WORD>(nRoot);
    pExpr->nConstraint = static_cast<WORD>(nConstraint);
    pExpr->nRefList = static_cast<WORD>(nRefList);
    pExpr->nCount = static_cast<WORD>(m_nCount);
    pExpr->pNodes = static_cast<GXEngineExprNode*>(GXEngineAlloc(sizeof(GXEngineExprNode) * m_nCount));
    std::memcpy(pExpr->pNodes, m_nodes, sizeof(GXEngineExprNode) * m_nCount);
    pExpr->pszComment = m_pszComment;
    // The expression owns the strings now.
    m_nCount = 0;
    m_pszComment = nullptr;
    return TRUE;
}
} // namespace

BOOL GXEngineParseFormula(int nSheet, LPCWSTR pszText, GXEngineExpr* pExpr)
{
    CParser parser(nSheet);
    const BOOL bParsed = parser.Parse(pszText, pExpr);
    GXEngineSetLastError(!bParsed, bParsed ? 0 : parser.m_nError, bParsed ? 0 : parser.m_nErrorPos);
    return bParsed;
}

void GXEngineFreeExpression(GXEngineExpr* pExpr)
{
    if (pExpr == nullptr)
        return;
    for (WORD i = 0; i < pExpr->nCount; ++i)
    {
        if (OwnsText(pExpr->pNodes[i]))
            GXEngineFree(pExpr->pNodes[i].u.pszText);
    }
    GXEngineFree(pExpr->pNodes);
    GXEngineFree(pExpr->pszComment);
    GXEngineFree(pExpr);
}

GXEngineExpr* GXEngineCopyExpression(const GXEngineExpr* pExpr)
{
    if (pExpr == nullptr)
        return nullptr;
    GXEngineExpr* pCopy = static_cast<GXEngineExpr*>(GXEngineAlloc(sizeof(GXEngineExpr)));
    *pCopy = *pExpr;
    pCopy->pNodes = static_cast<GXEngineExprNode*>(GXEngineAlloc(sizeof(GXEngineExprNode) * pExpr->nCount));
    std::memcpy(pCopy->pNodes, pExpr->pNodes, sizeof(GXEngineExprNode) * pExpr->nCount);
    for (WORD i = 0; i < pCopy->nCount; ++i)
    {
        GXEngineExprNode& node = pCopy->pNodes[i];
        if (OwnsText(node))
            node.u.pszText = GXEngineCopyText(node.u.pszText, static_cast<int>(wcslen(node.u.pszText)));
    }
    if (pExpr->pszComment != nullptr)
        pCopy->pszComment = GXEngineCopyText(pExpr->pszComment, static_cast<int>(wcslen(pExpr->pszComment)));
    return pCopy;
}

BOOL GXEngineIsNumberConstant(const GXEngineExpr* pExpr)
{
    return pExpr->nCount == 1 && pExpr->nRoot == 0 && pExpr->nConstraint == GX_EXPR_NONE &&
           pExpr->nRefList == GX_EXPR_NONE && pExpr->pszComment == nullptr &&
           pExpr->pNodes[0].dwWord0 == GX_EXPR_NUMBER;
}

BOOL GXEngineHasReferences(const GXEngineExpr* pExpr)
{
    for (WORD i = 0; i < pExpr->nCount; ++i)
    {
        switch (pExpr->pNodes[i].Kind())
        {
        case GX_EXPR_CELL:
        case GX_EXPR_RANGE:
        case GX_EXPR_NAMED_CELL:
        case GX_EXPR_NAMED_RANGE:
        case GX_EXPR_FUNCTION:
            return TRUE;
        default:
            break;
        }
    }
    return FALSE;
}
