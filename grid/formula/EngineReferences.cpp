#include <grid/formula/EngineReferences.h>

#include <grid/core/ColumnLetters.h>
#include <grid/formula/EngineCompiler.h>
#include <grid/formula/EngineEvaluator.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace
{
const int kMaxDecodedInput = 512;

BOOL IsLetter(WCHAR ch)
{
    return (ch >= L'A' && ch <= L'Z') || (ch >= L'a' && ch <= L'z');
}

BOOL IsDigit(WCHAR ch)
{
    return ch >= L'0' && ch <= L'9';
}

BOOL IsOctal(WCHAR ch)
{
    return ch >= L'0' && ch <= L'7';
}

int HexValue(WCHAR ch)
{
    if (IsDigit(ch))
        return ch - L'0';
    if ((ch | 0x20) >= L'a' && (ch | 0x20) <= L'f')
        return (ch | 0x20) - L'a' + 10;
    return -1;
}

// One corner of a reference: "$"? letters "$"? digits. Answers the characters read, 0 when
// the text does not hold one.
int ParseCorner(LPCWSTR psz, LONG& nRow, LONG& nCol, BOOL& bAbsRow, BOOL& bAbsCol)
{
    int n = 0;
    bAbsCol = psz[n] == L'$';
    if (bAbsCol)
        ++n;
    int nLetters = 0;
    nCol = GXEngineColumnNumber(psz + n, &nLetters);
    if (nCol < 0)
        return 0;
    n += nLetters;
    bAbsRow = psz[n] == L'$';
    if (bAbsRow)
        ++n;
    LONGLONG nValue = 0;
    const int nDigitsFrom = n;
    while (IsDigit(psz[n]) && nValue <= GX_ENGINE_MAX_ROW)
        nValue = nValue * 10 + (psz[n++] - L'0');
    if (n == nDigitsFrom || nValue < 1 || nValue > GX_ENGINE_MAX_ROW)
        return 0;
    nRow = static_cast<LONG>(nValue);
    return n;
}

void AppendCorner(CString& strText, LONG nRow, LONG nCol, BOOL bAbsRow, BOOL bAbsCol)
{
    if (bAbsCol)
        strText.AppendChar(L'$');
    strText.Append(GXEngineColumnName(nCol));
    if (bAbsRow)
        strText.AppendChar(L'$');
    CString strRow;
    strRow.Format(L"%ld", nRow);
    strText.Append(strRow);
}

void AppendNumber(CString& strText, LPCWSTR pszFormat, double dValue)
{
    CString strNumber;
    if (pszFormat[0] == L'0')
        strNumber.Format(pszFormat, static_cast<ULONG>(static_cast<ULONGLONG>(dValue)));
    else
        strNumber.Format(pszFormat, dValue);
    strText.Append(strNumber);
}

class CTextMaker
{
public:
    CTextMaker(const GXEngineExpr* pExpr, CString& strText) : m_pNodes(pExpr->pNodes), m_strText(strText)
    {
    }

    void Append(WORD n)
    {
        const GXEngineExprNode& node = m_pNodes[n];
        const BOOL bParentheses = (node.dwWord0 & GX_EXPR_PARENTHESES) != 0;
        if (bParentheses)
            m_strText.AppendChar(L'(');
        switch (node.Kind())
        {
        case GX_EXPR_OPERATOR:
            AppendOperator(node);
            break;
        case GX_EXPR_NUMBER:
            AppendNumber(m_strText, (node.dwWord0 & GX_EXPR_HEX) ? L"0x%X" : L"%.14g", node.u.dNumber);
            break;
        case GX_EXPR_STRING:
            m_strText.AppendChar(L'"');
            m_strText.Append(GXEngineEncodeEscapes(node.u.pszText, TRUE));
            m_strText.AppendChar(L'"');
            break;
        case GX_EXPR_CELL:
        case GX_EXPR_RANGE:
            if (LPCWSTR pszRef = GXEngineCellRefText(node.u.range))
                m_strText.Append(pszRef);
            else
                m_strText.Append(L"??");
            break;
        case GX_EXPR_NAMED_CELL:
        case GX_EXPR_NAMED_RANGE:
            if (node.u.pName != nullptr)
                m_strText.Append(node.u.pName->pszName);
            break;
        case GX_EXPR_NAME:
            m_strText.Append(node.u.pszText);
            break;
        case GX_EXPR_FUNCTION:
            m_strText.Append(node.u.function.pFunction->pszName);
            m_strText.AppendChar(L'(');
            for (WORD nArg = node.u.function.nFirstArg; nArg != GX_EXPR_NONE; nArg = m_pNodes[nArg].nIndex2)
            {
                if (nArg != node.u.function.nFirstArg)
                    m_strText.AppendChar(L',');
                Append(m_pNodes[nArg].nIndex1);
            }
            m_strText.AppendChar(L')');
            break;
        case GX_EXPR_RELATIVE:
            m_strText.AppendChar(L'#');
            if (node.u.relative.nColOffset != GX_EXPR_NONE)
            {
                m_strText.AppendChar(L'{');
                Append(node.u.relative.nColOffset);
                if (node.u.relative.nRowOffset != GX_EXPR_NONE)
                {
                    m_strText.AppendChar(L',');
                    Append(node.u.relative.nRowOffset);
                }
                m_strText.AppendChar(L'}');
            }
            break;
        default:
            break;
        }
        if (bParentheses)
            m_strText.AppendChar(L')');
    }

private:
    void AppendOperator(const GXEngineExprNode& node)
    {
        const int nOperator = node.u.nOperator;
        switch (nOperator)
        {
        case GX_OP_PLUS:
        case GX_OP_NEGATE:
        case GX_OP_NOT:
        case GX_OP_BIT_NOT:
            m_strText.Append(GXEngineOperatorText(nOperator));
            Append(node.nIndex1);
            break;
        case GX_OP_PERCENT:
            Append(node.nIndex1);
            m_strText.AppendChar(L'%');
            break;
        case GX_OP_CONDITIONAL: {
            const GXEngineExprNode& extension = m_pNodes[node.nIndex2];
            Append(node.nIndex1);
            m_strText.AppendChar(L'?');
            Append(extension.nIndex1);
            m_strText.AppendChar(L':');
            Append(extension.nIndex2);
            break;
        }
        case GX_OP_INVALID_REF:
            m_strText.Append(L"??");
            break;
        case GX_OP_RANGE:
            // A name before ".." would read back as one identifier.
            Append(node.nIndex1);
            m_strText.AppendChar(L':');
            Append(node.nIndex2);
            break;
        default:
            Append(node.nIndex1);
            m_strText.Append(GXEngineOperatorText(nOperator));
            Append(node.nIndex2);
            break;
        }
    }

    const GXEngineExprNode* m_pNodes;
    CString& m_strText;
};

// Where a structure operation takes cells: which cells move, where to, and which cells of the
// destination are overwritten. Coordinates that leave the sheet make invalid references.
class CCellMap
{
public:
    virtual ~CCellMap() = default;
    virtual BOOL Moves(LONG nRow, LONG nCol) const = 0;
    virtual void Map(LONG& nRow, LONG& nCol) const = 0;
    virtual BOOL Overwrites(LONG, LONG) const
    {
        return FALSE;
    }
    // Whether a reference follows the cells: by default when a corner moves.
    virtual BOOL MovesReference(const GXEngineRange& range) const
    {
        return Moves(range.Top(), range.Left()) || Moves(range.Bottom(), range.Right());
    }
};

// A block shifted by an offset; the destination cells outside the block are overwritten.
class COffsetMap : public CCellMap
{
public:
    COffsetMap(const GXEngineRange& source, LONG nRows, LONG nCols) : m_source(source), m_nRows(nRows), m_nCols(nCols)
    {
    }
    BOOL Moves(LONG nRow, LONG nCol) const override
    {
        return m_source.Contains(nRow, nCol);
    }
    void Map(LONG& nRow, LONG& nCol) const override
    {
        nRow += m_nRows;
        nCol += m_nCols;
    }
    BOOL Overwrites(LONG nRow, LONG nCol) const override
    {
        return !Moves(nRow, nCol) && Moves(nRow - m_nRows, nCol - m_nCols);
    }

private:
    GXEngineRange m_source;
    LONG m_nRows;
    LONG m_nCols;
};

// Rows (columns) nFrom..nTo land at nDest; those between make room.
class CBlockMoveMap : public CCellMap
{
public:
    CBlockMoveMap(BOOL bRows, LONG nFrom, LONG nTo, LONG nDest)
        : m_bRows(bRows), m_nFrom(nFrom), m_nTo(nTo), m_nDest(nDest)
    {
    }
    BOOL Moves(LONG nRow, LONG nCol) const override
    {
        const LONG n = m_bRows ? nRow : nCol;
        const LONG nSize = m_nTo - m_nFrom + 1;
        return m_nDest < m_nFrom ? n >= m_nDest && n <= m_nTo : n >= m_nFrom && n <= m_nDest + nSize - 1;
    }
    void Map(LONG& nRow, LONG& nCol) const override
    {
        LONG& n = m_bRows ? nRow : nCol;
        const LONG nSize = m_nTo - m_nFrom + 1;
        if (n >= m_nFrom && n <= m_nTo)
            n += m_nDest - m_nFrom;
        else
            n += m_nDest < m_nFrom ? nSize : -nSize;
    }

private:
    BOOL m_bRows;
    LONG m_nFrom;
    LONG m_nTo;
    LONG m_nDest;
};

// The rows (columns) of a range in a new order; only a reference within one of them follows.
class CPermutationMap : public CCellMap
{
public:
    CPermutationMap(BOOL bRows, const GXEngineRange& range, const CDWordArray& order) : m_bRows(bRows), m_range(range)
    {
        m_anNew.assign(order.GetSize(), 0);
        for (INT_PTR i = 0; i < order.GetSize(); ++i)
        {
            if (order[i] < m_anNew.size())
                m_anNew[order[i]] = static_cast<LONG>(i);
        }
    }
    BOOL Moves(LONG nRow, LONG nCol) const override
    {
        const LONG nRelative = m_bRows ? nRow - m_range.Top() : nCol - m_range.Left();
        return m_range.Contains(nRow, nCol) && nRelative < static_cast<LONG>(m_anNew.size());
    }
    void Map(LONG& nRow, LONG& nCol) const override
    {
        LONG& n = m_bRows ? nRow : nCol;
        const LONG nFirst = m_bRows ? m_range.Top() : m_range.Left();
        n = nFirst + m_anNew[n - nFirst];
    }
    BOOL MovesReference(const GXEngineRange& range) const override
    {
        const BOOL bOneLine = m_bRows ? range.Top() == range.Bottom() : range.Left() == range.Right();
        return bOneLine && Moves(range.Top(), range.Left()) && Moves(range.Bottom(), range.Right());
    }

private:
    BOOL m_bRows;
    GXEngineRange m_range;
    std::vector<LONG> m_anNew;
};

enum RefOutcome
{
    refKept,
    refMoved,
    refOverwritten,
    refInvalid
};

RefOutcome MapReference(const CCellMap& map, GXEngineRange& range)
{
    if (!map.MovesReference(range))
    {
        const BOOL bOverwritten =
            map.Overwrites(range.Top(), range.Left()) || map.Overwrites(range.Bottom(), range.Right());
        return bOverwritten ? refOverwritten : refKept;
    }
    LONG nTop = range.Top(), nLeft = range.Left(), nBottom = range.Bottom(), nRight = range.Right();
    if (map.Moves(nTop, nLeft))
        map.Map(nTop, nLeft);
    if (map.Moves(nBottom, nRight))
        map.Map(nBottom, nRight);
    if (!GXEngineInBounds(nTop, nLeft) || !GXEngineInBounds(nBottom, nRight))
        return refInvalid;
    range.SetTop(nTop);
    range.SetLeft(nLeft);
    range.SetBottom(nBottom);
    range.SetRight(nRight);
    GXEngineNormalizeRange(range);
    return refMoved;
}

// The second index stays: in a reference list it chains to the next item.
void MakeInvalid(GXEngineExprNode& node)
{
    node.dwWord0 = (node.dwWord0 & ~0xFFu) | GX_EXPR_OPERATOR;
    node.nIndex1 = GX_EXPR_NONE;
    std::memset(&node.u, 0, sizeof(node.u));
    node.u.nOperator = GX_OP_INVALID_REF;
}

// Keeps a copy of the formula as it was on the undo list.
void KeepForUndo(GXEngineSheet* pSheet, const GXEngineNode* pNode)
{
    GXEngineNode* pCopy = GXEngineCopyCell(GXEngineBlockOf(const_cast<GXEngineNode*>(pNode))->pList, pNode);
    pCopy->pNext = pSheet->pUndo;
    pSheet->pUndo = pCopy;
}

// Rewrites the references of every formula by a rule that answers each reference's outcome
// and may change it in place.
template <class Rule> void RewriteReferences(GXEngineSheet* pSheet, Rule rule)
{
    GXEngineForEachNode(pSheet->lists[GX_LIST_FORMULAS], [&](GXEngineNode* pNode) {
        if (!pNode->Is(GX_NODE_LINKED) || pNode->pExpr == nullptr)
            return;
        GXEngineExpr& expr = *pNode->pExpr;
        BOOL bTouched = FALSE;
        BOOL bKeep = FALSE;
        std::vector<std::pair<WORD, GXEngineRange>> changes;
        std::vector<WORD> invalid;
        for (WORD i = 0; i < expr.nCount; ++i)
        {
            const GXEngineExprNode& node = expr.pNodes[i];
            if (node.Kind() != GX_EXPR_CELL && node.Kind() != GX_EXPR_RANGE)
                continue;
            GXEngineRange range = node.u.range;
            switch (rule(range))
            {
            case refMoved:
                changes.emplace_back(i, range);
                bTouched = TRUE;
                break;
            case refOverwritten:
                bTouched = bKeep = TRUE;
                break;
            case refInvalid:
                invalid.push_back(i);
                bTouched = bKeep = TRUE;
                break;
            case refKept:
                break;
            }
        }
        if (!bTouched)
            return;
        if (bKeep && pSheet->bUndoCollect)
            KeepForUndo(pSheet, pNode);
        for (const auto& change : changes)
            expr.pNodes[change.first].u.range = change.second;
        for (WORD i : invalid)
            MakeInvalid(expr.pNodes[i]);
        pNode->dwFlags |= GX_NODE_NEEDS_RECALC;
        ++pSheet->nLayout;
    });
}

// Takes the cells out of the sheet and puts them where the map says, references first.
// Answers the old places of the moved cells.
std::vector<std::pair<LONG, LONG>> Relocate(GXEngineSheet* pSheet, const CCellMap& map)
{
    const int nDeferred = GXEngineBeginDefer(pSheet, GX_MASK_ALL);
    for (GXEngineName* pName = pSheet->pNames; pName != nullptr; pName = pName->pNext)
    {
        if (!map.MovesReference(pName->range))
            continue;
        LONG nTop = pName->range.Top(), nLeft = pName->range.Left();
        LONG nBottom = pName->range.Bottom(), nRight = pName->range.Right();
        if (map.Moves(nTop, nLeft))
            map.Map(nTop, nLeft);
        if (map.Moves(nBottom, nRight))
            map.Map(nBottom, nRight);
        pName->range.SetTop(std::clamp<LONG>(nTop, 1, GX_ENGINE_MAX_ROW));
        pName->range.SetBottom(std::clamp<LONG>(nBottom, 1, GX_ENGINE_MAX_ROW));
        pName->range.SetLeft(std::clamp<LONG>(nLeft, 0, GX_ENGINE_MAX_COL));
        pName->range.SetRight(std::clamp<LONG>(nRight, 0, GX_ENGINE_MAX_COL));
        GXEngineNormalizeRange(pName->range);
        pSheet->bModified = TRUE;
        ++pSheet->nLayout;
    }
    RewriteReferences(pSheet, [&](GXEngineRange& range) { return MapReference(map, range); });

    std::vector<GXEngineNode*> moved;
    std::vector<GXEngineNode*> overwritten;
    for (GXEngineList& list : pSheet->lists)
    {
        GXEngineForEachNode(list, [&](GXEngineNode* pNode) {
            if (!pNode->Is(GX_NODE_LINKED))
                return;
            if (map.Moves(pNode->nRow, pNode->nCol))
                moved.push_back(pNode);
            else if (map.Overwrites(pNode->nRow, pNode->nCol))
                overwritten.push_back(pNode);
        });
    }
    std::vector<std::pair<LONG, LONG>> oldPlaces;
    for (GXEngineNode* pNode : moved)
    {
        oldPlaces.emplace_back(pNode->nRow, pNode->nCol);
        GXEngineUnlink(pSheet, pNode);
    }
    for (GXEngineNode* pNode : overwritten)
        GXEngineDiscardNode(pSheet, pNode);
    for (GXEngineNode* pNode : moved)
    {
        LONG nRow = pNode->nRow, nCol = pNode->nCol;
        map.Map(nRow, nCol);
        if (!GXEngineInBounds(nRow, nCol))
        {
            GXEngineDiscardNode(pSheet, pNode);
            continue;
        }
        pNode->nRow = nRow;
        pNode->nCol = nCol;
        pNode->dwFlags |= GX_NODE_REFRESH;
        GXEngineReplaceCell(pSheet, pNode);
    }
    GXEngineEndDefer(pSheet, nDeferred);
    return oldPlaces;
}

// Deletes the cells of a band that a removal takes away. A reference wholly inside becomes
// invalid; a range with one corner inside shrinks to the cells that stay.
void ClearBand(GXEngineSheet* pSheet, BOOL bRows, LONG nFrom, LONG nTo)
{
    const GXEngineRange band = bRows ? GXEngineMakeRange(nFrom, 0, nTo, GX_ENGINE_MAX_COL)
                                     : GXEngineMakeRange(1, nFrom, GX_ENGINE_MAX_ROW, nTo);
    const int nDeferred = GXEngineBeginDefer(pSheet, GX_MASK_ALL);
    RewriteReferences(pSheet, [&](GXEngineRange& range) {
        const LONG nFirst = bRows ? range.Top() : range.Left();
        const LONG nLast = bRows ? range.Bottom() : range.Right();
        const BOOL bFirstInside = nFirst >= nFrom && nFirst <= nTo;
        const BOOL bLastInside = nLast >= nFrom && nLast <= nTo;
        if (bFirstInside && bLastInside)
            return refInvalid;
        if (bFirstInside)
            bRows ? range.SetTop(nTo + 1) : range.SetLeft(nTo + 1);
        else if (bLastInside)
            bRows ? range.SetBottom(nFrom - 1) : range.SetRight(nFrom - 1);
        else
            return refKept;
        return refMoved;
    });
    std::vector<GXEngineNode*> cleared;
    GXEngineForEachInRange(pSheet, band, GX_MASK_ALL, [&](GXEngineNode* pNode) { cleared.push_back(pNode); });
    for (GXEngineNode* pNode : cleared)
        GXEngineDiscardNode(pSheet, pNode);
    GXEngineEndDefer(pSheet, nDeferred);
}

// A band from the line to the sheet's end shifted by an offset.
void ShiftBand(GXEngineSheet* pSheet, BOOL bRows, LONG nFrom, LONG nOffset)
{
    const GXEngineRange band = bRows ? GXEngineMakeRange(nFrom, 0, GX_ENGINE_MAX_ROW, GX_ENGINE_MAX_COL)
                                     : GXEngineMakeRange(1, nFrom, GX_ENGINE_MAX_ROW, GX_ENGINE_MAX_COL);
    Relocate(pSheet, COffsetMap(band, bRows ? nOffset : 0, bRows ? 0 : nOffset));
}

// Runs a structure change with the state's flag set and placeholders off.
template <class Change> void StructureChange(GXEngineSheet* pSheet, Change change)
{
    GX_ENGINE_STATE* pState = GXGetEngineState();
    const BOOL bPlaceholders = pSheet->bPlaceholderOnClear;
    pState->bStructureChange = TRUE;
    pSheet->bPlaceholderOnClear = FALSE;
    change();
    pSheet->bPlaceholderOnClear = bPlaceholders;
    pState->bStructureChange = FALSE;
}
} // namespace

LPCWSTR GXEngineColumnName(LONG nCol)
{
    if (nCol < 0 || nCol > GX_ENGINE_MAX_COL)
        return nullptr;
    GX_ENGINE_STATE* pState = GXGetEngineState();
    const CString strLetters = GXGetColumnLetters(static_cast<ROWCOL>(nCol) + 1);
    wcsncpy(pState->szColumnName, strLetters, _countof(pState->szColumnName) - 1);
    return pState->szColumnName;
}

int GXEngineColumnNumber(LPCWSTR pszText, int* pnUsed)
{
    int nValue = 0;
    int n = 0;
    while (IsLetter(pszText[n]))
    {
        nValue = nValue * 26 + ((pszText[n] | 0x20) - L'a' + 1);
        ++n;
        if (nValue > GX_ENGINE_MAX_COL + 1)
            return -1;
    }
    if (pnUsed != nullptr)
        *pnUsed = n;
    return n == 0 ? -1 : nValue - 1;
}

LPCWSTR GXEngineCellRefText(const GXEngineRange& range)
{
    if (!GXEngineInBounds(range.Top(), range.Left()) || !GXEngineInBounds(range.Bottom(), range.Right()))
        return nullptr;
    CString& strText = GXGetEngineState()->strRefText;
    strText.Empty();
    AppendCorner(strText, range.Top(), range.Left(), range.Has(GXEngineRange::absTopRow),
                 range.Has(GXEngineRange::absLeftCol));
    if (!range.Has(GXEngineRange::singleCell))
    {
        strText.Append(L"..");
        AppendCorner(strText, range.Bottom(), range.Right(), range.Has(GXEngineRange::absBottomRow),
                     range.Has(GXEngineRange::absRightCol));
    }
    return strText;
}

BOOL GXEngineParseCellRef(LPCWSTR pszText, GXEngineRange& range)
{
    LONG nTop = 0, nLeft = 0;
    BOOL bAbsTop = FALSE, bAbsLeft = FALSE;
    int n = ParseCorner(pszText, nTop, nLeft, bAbsTop, bAbsLeft);
    if (n == 0)
        return FALSE;
    range = GXEngineMakeRange(nTop, nLeft, nTop, nLeft);
    range.Set(GXEngineRange::absTopRow, bAbsTop);
    range.Set(GXEngineRange::absLeftCol, bAbsLeft);
    if (pszText[n] == L'\0')
    {
        range.Set(GXEngineRange::absBottomRow, bAbsTop);
        range.Set(GXEngineRange::absRightCol, bAbsLeft);
        range.Set(GXEngineRange::singleCell, TRUE);
        return TRUE;
    }
    if (pszText[n] == L':')
        ++n;
    else if (pszText[n] == L'.')
        n += pszText[n + 1] == L'.' ? 2 : 1;
    else
        return FALSE;
    LONG nBottom = 0, nRight = 0;
    BOOL bAbsBottom = FALSE, bAbsRight = FALSE;
    const int nSecond = ParseCorner(pszText + n, nBottom, nRight, bAbsBottom, bAbsRight);
    if (nSecond == 0 || pszText[n + nSecond] != L'\0')
        return FALSE;
    range.SetBottom(nBottom);
    range.SetRight(nRight);
    range.Set(GXEngineRange::absBottomRow, bAbsBottom);
    range.Set(GXEngineRange::absRightCol, bAbsRight);
    GXEngineNormalizeRange(range);
    return TRUE;
}

void GXEngineNormalizeRange(GXEngineRange& range)
{
    if (range.Bottom() < range.Top())
    {
        const LONG nTop = range.Top();
        const BOOL bAbsTop = range.Has(GXEngineRange::absTopRow);
        range.SetTop(range.Bottom());
        range.Set(GXEngineRange::absTopRow, range.Has(GXEngineRange::absBottomRow));
        range.SetBottom(nTop);
        range.Set(GXEngineRange::absBottomRow, bAbsTop);
    }
    if (range.Right() < range.Left())
    {
        const LONG nLeft = range.Left();
        const BOOL bAbsLeft = range.Has(GXEngineRange::absLeftCol);
        range.SetLeft(range.Right());
        range.Set(GXEngineRange::absLeftCol, range.Has(GXEngineRange::absRightCol));
        range.SetRight(nLeft);
        range.Set(GXEngineRange::absRightCol, bAbsLeft);
    }
}

BOOL GXEngineRangesIntersect(const GXEngineRange& a, const GXEngineRange& b)
{
    return a.Top() <= b.Bottom() && b.Top() <= a.Bottom() && a.Left() <= b.Right() && b.Left() <= a.Right();
}

BOOL GXEngineRangesEqual(const GXEngineRange& a, const GXEngineRange& b)
{
    return a.Top() == b.Top() && a.Bottom() == b.Bottom() && a.Left() == b.Left() && a.Right() == b.Right();
}

CString GXEngineExpressionText(GXEngineSheet*, const GXEngineExpr* pExpr)
{
    CString strText;
    if (pExpr == nullptr || pExpr->nRoot == GX_EXPR_NONE)
        return strText;
    CTextMaker maker(pExpr, strText);
    strText.AppendChar(L'=');
    maker.Append(pExpr->nRoot);
    if (pExpr->nConstraint != GX_EXPR_NONE)
    {
        strText.AppendChar(L';');
        maker.Append(pExpr->nConstraint);
    }
    if (pExpr->nRefList != GX_EXPR_NONE)
    {
        strText.AppendChar(L'\\');
        for (WORD n = pExpr->nRefList; n != GX_EXPR_NONE; n = pExpr->pNodes[n].nIndex2)
        {
            if (n != pExpr->nRefList)
                strText.AppendChar(L',');
            maker.Append(n);
        }
    }
    if (pExpr->pszComment != nullptr)
    {
        strText.Append(L"//");
        strText.Append(pExpr->pszComment);
    }
    return strText;
}

CString GXEngineEncodeEscapes(LPCWSTR pszText, BOOL bQuotes)
{
    static const WCHAR kLetters[] = L"abtnvfr";
    CString strText;
    for (LPCWSTR psz = pszText; *psz != L'\0'; ++psz)
    {
        const WCHAR ch = *psz;
        if (ch >= 7 && ch <= 13)
        {
            strText.AppendChar(L'\\');
            strText.AppendChar(kLetters[ch - 7]);
        }
        else if (ch == L'\\' || (ch == L'"' && bQuotes))
        {
            strText.AppendChar(L'\\');
            strText.AppendChar(ch);
        }
        else if (ch < 32 || (ch >= 127 && ch <= 160) || ch > 255)
        {
            CString strOctal;
            if (ch < 64 && !IsOctal(psz[1]))
                strOctal.Format(L"\\%o", static_cast<unsigned>(ch));
            else
                strOctal.Format(L"\\%03o", static_cast<unsigned>(ch & 0x1FF));
            strText.Append(strOctal);
        }
        else
            strText.AppendChar(ch);
    }
    return strText;
}

CString GXEngineDecodeEscapes(LPCWSTR pszText)
{
    static const WCHAR kLetters[] = L"abtnvfr";
    CString strText;
    LPCWSTR psz = pszText;
    while (*psz != L'\0' && psz - pszText < kMaxDecodedInput)
    {
        if (*psz != L'\\' || psz[1] == L'\0')
        {
            strText.AppendChar(*psz++);
            continue;
        }
        ++psz;
        if (const WCHAR* pLetter = wcschr(kLetters, *psz))
        {
            strText.AppendChar(static_cast<WCHAR>(7 + (pLetter - kLetters)));
            ++psz;
        }
        else if (*psz == L'x' && HexValue(psz[1]) >= 0)
        {
            int nValue = HexValue(psz[1]);
            psz += 2;
            if (HexValue(*psz) >= 0)
                nValue = nValue * 16 + HexValue(*psz++);
            strText.AppendChar(static_cast<WCHAR>(nValue));
        }
        else if (IsOctal(*psz))
        {
            int nValue = 0;
            for (int nDigits = 0; nDigits < 3 && IsOctal(*psz); ++nDigits)
                nValue = nValue * 8 + (*psz++ - L'0');
            strText.AppendChar(static_cast<WCHAR>(nValue));
        }
        else
            strText.AppendChar(*psz++);
    }
    return strText;
}

BOOL GXEngineIsValidName(LPCWSTR pszName)
{
    if (!(IsLetter(pszName[0]) || pszName[0] == L'_' || pszName[0] == L'$'))
        return FALSE;
    for (LPCWSTR psz = pszName + 1; *psz != L'\0'; ++psz)
    {
        if (!(IsLetter(*psz) || IsDigit(*psz) || *psz == L'.' || *psz == L'_' || *psz == L'$'))
            return FALSE;
    }
    return TRUE;
}

BOOL GXEngineSetName(int nSheet, LPCWSTR pszName, const GXEngineRange& range)
{
    GXEngineSheet* pSheet = GXEngineUseSheet(nSheet);
    const CString strName(pszName, static_cast<int>(wcsnlen(pszName, GX_ENGINE_MAX_NAME)));
    if (!GXEngineIsValidName(strName))
        return FALSE;
    pSheet->bModified = TRUE;
    ++pSheet->nLayout;
    if (GXEngineName* pName = GXEngineLookupName(pSheet, strName))
    {
        pName->range = range;
        return TRUE;
    }
    GXEngineName* pName = static_cast<GXEngineName*>(GXEngineAllocZero(sizeof(GXEngineName)));
    pName->pszName = GXEngineCopyText(strName, strName.GetLength());
    pName->range = range;
    GXEngineName** ppLink = &pSheet->pNames;
    while (*ppLink != nullptr)
        ppLink = &(*ppLink)->pNext;
    *ppLink = pName;
    return TRUE;
}

GXEngineName* GXEngineLookupName(GXEngineSheet* pSheet, LPCWSTR pszName)
{
    for (GXEngineName* pName = pSheet->pNames; pName != nullptr; pName = pName->pNext)
    {
        if (_wcsicmp(pName->pszName, pszName) == 0)
            return pName;
    }
    return nullptr;
}

GXEngineName* GXEngineLookupName(int nSheet, LPCWSTR pszName, GXEngineRange* pRange)
{
    GXEngineName* pName = GXEngineLookupName(GXEngineUseSheet(nSheet), pszName);
    if (pName != nullptr && pRange != nullptr)
        *pRange = pName->range;
    return pName;
}

BOOL GXEngineRemoveName(int nSheet, LPCWSTR pszName)
{
    GXEngineSheet* pSheet = GXEngineUseSheet(nSheet);
    GXEngineName** ppLink = &pSheet->pNames;
    while (*ppLink != nullptr && _wcsicmp((*ppLink)->pszName, pszName) != 0)
        ppLink = &(*ppLink)->pNext;
    GXEngineName* pName = *ppLink;
    if (pName == nullptr)
        return FALSE;
    const int nDeferred = GXEngineBeginDefer(pSheet, GX_MASK_ALL);
    GXEngineForEachNode(pSheet->lists[GX_LIST_FORMULAS], [&](GXEngineNode* pNode) {
        if (!pNode->Is(GX_NODE_LINKED) || pNode->pExpr == nullptr)
            return;
        BOOL bKept = FALSE;
        for (WORD i = 0; i < pNode->pExpr->nCount; ++i)
        {
            GXEngineExprNode& node = pNode->pExpr->pNodes[i];
            if ((node.Kind() != GX_EXPR_NAMED_CELL && node.Kind() != GX_EXPR_NAMED_RANGE) || node.u.pName != pName)
                continue;
            if (!bKept && pSheet->bUndoCollect)
                KeepForUndo(pSheet, pNode);
            bKept = TRUE;
            // The name reads as a cell or a range by its range now, whatever it was when the
            // formula was entered: the formula keeps its value.
            const DWORD dwKind = pName->range.Has(GXEngineRange::singleCell) ? GX_EXPR_CELL : GX_EXPR_RANGE;
            node.dwWord0 = (node.dwWord0 & ~0xFFu) | dwKind;
            node.u.range = pName->range;
            node.u.range.Set(GXEngineRange::singleCell, dwKind == GX_EXPR_CELL);
        }
    });
    GXEngineEndDefer(pSheet, nDeferred);
    *ppLink = pName->pNext;
    pName->pNext = nullptr;
    pSheet->bModified = TRUE;
    ++pSheet->nLayout;
    if (pSheet->bUndoCollect)
    {
        GXEngineFreeName(pSheet->pRemovedName);
        pSheet->pRemovedName = pName;
    }
    else
        GXEngineFreeName(pName);
    return TRUE;
}

void GXEngineRestoreName(int nSheet, GXEngineName* pName)
{
    GXEngineSheet* pSheet = GXEngineUseSheet(nSheet);
    GXEngineName** ppLink = &pSheet->pNames;
    while (*ppLink != nullptr && _wcsicmp((*ppLink)->pszName, pName->pszName) != 0)
        ppLink = &(*ppLink)->pNext;
    if (GXEngineName* pOld = *ppLink)
    {
        pName->pNext = pOld->pNext;
        GXEngineFreeName(pOld);
    }
    else
        pName->pNext = nullptr;
    *ppLink = pName;
    pSheet->bModified = TRUE;
    ++pSheet->nLayout;
}

void GXEngineFreeName(GXEngineName* pName)
{
    if (pName == nullptr)
        return;
    GXEngineFree(pName->pszName);
    GXEngineFree(pName);
}

void GXEngineFreeNames(int nSheet)
{
    GXEngineSheet* pSheet = GXEngineUseSheet(nSheet);
    while (GXEngineName* pName = pSheet->pNames)
    {
        pSheet->pNames = pName->pNext;
        GXEngineFreeName(pName);
    }
    GXEngineFreeName(pSheet->pRemovedName);
    pSheet->pRemovedName = nullptr;
    ++pSheet->nLayout;
}

namespace
{
void InsertLines(int nSheet, BOOL bRows, LONG nAt, LONG nCount)
{
    GXEngineSheet* pSheet = GXEngineUseSheet(nSheet);
    StructureChange(pSheet, [&] { ShiftBand(pSheet, bRows, nAt, nCount); });
}

void RemoveLines(int nSheet, BOOL bRows, LONG nFrom, LONG nCount)
{
    GXEngineSheet* pSheet = GXEngineUseSheet(nSheet);
    StructureChange(pSheet, [&] {
        ClearBand(pSheet, bRows, nFrom, nFrom + nCount - 1);
        ShiftBand(pSheet, bRows, nFrom + nCount, -nCount);
    });
}
} // namespace

void GXEngineInsertRows(int nSheet, LONG nRow, LONG nCount)
{
    InsertLines(nSheet, TRUE, nRow, nCount);
}

void GXEngineInsertCols(int nSheet, LONG nCol, LONG nCount)
{
    InsertLines(nSheet, FALSE, nCol, nCount);
}

void GXEngineRemoveRows(int nSheet, LONG nRow, LONG nCount)
{
    RemoveLines(nSheet, TRUE, nRow, nCount);
}

void GXEngineRemoveCols(int nSheet, LONG nCol, LONG nCount)
{
    RemoveLines(nSheet, FALSE, nCol, nCount);
}

void GXEngineMoveRange(int nSheet, BOOL bRows, LONG nFrom, LONG nTo, LONG nDest)
{
    if (nDest == nFrom || nTo < nFrom)
        return;
    Relocate(GXEngineUseSheet(nSheet), CBlockMoveMap(bRows, nFrom, nTo, nDest));
}

void GXEngineRangeOperation(int nSheet, const GXEngineRange& range, LONG nDestRow, LONG nDestCol)
{
    GXEngineSheet* pSheet = GXEngineUseSheet(nSheet);
    const LONG nRows = nDestRow - range.Top();
    const LONG nCols = nDestCol - range.Left();
    if (nRows == 0 && nCols == 0)
        return;
    const std::vector<std::pair<LONG, LONG>> oldPlaces = Relocate(pSheet, COffsetMap(range, nRows, nCols));
    if (!pSheet->bPlaceholderOnClear)
        return;
    for (const auto& place : oldPlaces)
    {
        if (GXEngineFindCell(pSheet, place.first, place.second) == nullptr)
            GXEngineNewPlaceholder(nSheet, place.first, place.second)->dwFlags |= GX_NODE_REFRESH;
    }
}

void GXEngineCopyRangeEx(int nSheet, const GXEngineRange& range, LONG nDestRow, LONG nDestCol)
{
    GXEngineSheet* pSheet = GXEngineUseSheet(nSheet);
    const LONG nRows = nDestRow - range.Top();
    const LONG nCols = nDestCol - range.Left();
    const int nDeferred = GXEngineBeginDefer(pSheet, GX_MASK_ALL);
    std::vector<GXEngineNode*> copies;
    GXEngineForEachInRange(pSheet, range, GX_MASK_ALL, [&](GXEngineNode* pNode) {
        copies.push_back(GXEngineCopyCell(GXEngineBlockOf(pNode)->pList, pNode));
    });
    for (GXEngineNode* pCopy : copies)
    {
        pCopy->nRow += nRows;
        pCopy->nCol += nCols;
        if (!GXEngineInBounds(pCopy->nRow, pCopy->nCol))
        {
            GXEngineFreeNode(pCopy);
            continue;
        }
        if (GXEngineExpr* pExpr = pCopy->pExpr)
        {
            for (WORD i = 0; i < pExpr->nCount; ++i)
            {
                GXEngineExprNode& node = pExpr->pNodes[i];
                if (node.Kind() != GX_EXPR_CELL && node.Kind() != GX_EXPR_RANGE)
                    continue;
                GXEngineRange& ref = node.u.range;
                const LONG nTop = ref.Top() + (ref.Has(GXEngineRange::absTopRow) ? 0 : nRows);
                const LONG nLeft = ref.Left() + (ref.Has(GXEngineRange::absLeftCol) ? 0 : nCols);
                const LONG nBottom = ref.Bottom() + (ref.Has(GXEngineRange::absBottomRow) ? 0 : nRows);
                const LONG nRight = ref.Right() + (ref.Has(GXEngineRange::absRightCol) ? 0 : nCols);
                if (!GXEngineInBounds(nTop, nLeft) || !GXEngineInBounds(nBottom, nRight))
                {
                    MakeInvalid(node);
                    continue;
                }
                ref.SetTop(nTop);
                ref.SetLeft(nLeft);
                ref.SetBottom(nBottom);
                ref.SetRight(nRight);
                GXEngineNormalizeRange(ref);
            }
            pCopy->dwFlags = (pCopy->dwFlags & ~GX_NODE_COMPUTED) | GX_NODE_NEEDS_RECALC;
        }
        pCopy->dwFlags |= GX_NODE_REFRESH;
        GXEngineReplaceCell(pSheet, pCopy);
    }
    GXEngineEndDefer(pSheet, nDeferred);
    GXEngineRange destination = GXEngineMakeRange(std::clamp<LONG>(range.Top() + nRows, 1, GX_ENGINE_MAX_ROW),
                                                  std::clamp<LONG>(range.Left() + nCols, 0, GX_ENGINE_MAX_COL),
                                                  std::clamp<LONG>(range.Bottom() + nRows, 1, GX_ENGINE_MAX_ROW),
                                                  std::clamp<LONG>(range.Right() + nCols, 0, GX_ENGINE_MAX_COL));
    GXEngineAddChangedRange(nSheet, destination);
}

void GXEngineReorder(int nSheet, BOOL bRows, const GXEngineRange& range, const CDWordArray& order)
{
    Relocate(GXEngineUseSheet(nSheet), CPermutationMap(bRows, range, order));
}
