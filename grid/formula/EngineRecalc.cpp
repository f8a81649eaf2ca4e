#include <grid/formula/EngineRecalc.h>

#include <grid/formula/EngineCompiler.h>
#include <grid/formula/EngineEvaluator.h>
#include <grid/formula/EngineReferences.h>

#include <vector>

namespace
{
const DWORD kPassFlags = GX_NODE_COMPUTED | GX_NODE_COMPUTING | GX_NODE_CYCLE;

// Calls visit with the range of every reference that recalculation follows: outside the
// constraint and not under a node that is no dependency.
template <class Visit> void ForEachReference(const GXEngineExpr& expr, Visit visit)
{
    const bool bConstraint = expr.nConstraint != GX_EXPR_NONE;
    std::vector<bool> constraint;
    if (bConstraint)
    {
        constraint.assign(expr.nCount, false);
        std::vector<WORD> pending{expr.nConstraint};
        while (!pending.empty())
        {
            const WORD n = pending.back();
            pending.pop_back();
            if (n == GX_EXPR_NONE || constraint[n])
                continue;
            constraint[n] = true;
            const GXEngineExprNode& node = expr.pNodes[n];
            pending.push_back(node.nIndex1);
            pending.push_back(node.nIndex2);
            if (node.Kind() == GX_EXPR_RELATIVE)
            {
                pending.push_back(node.u.relative.nRowOffset);
                pending.push_back(node.u.relative.nColOffset);
            }
            else if (node.Kind() == GX_EXPR_FUNCTION)
                pending.push_back(node.u.function.nFirstArg);
        }
    }
    for (WORD i = 0; i < expr.nCount; ++i)
    {
        const GXEngineExprNode& node = expr.pNodes[i];
        if ((node.dwWord0 & GX_EXPR_NO_DEPENDENCY) || (bConstraint && constraint[i]))
            continue;
        switch (node.Kind())
        {
        case GX_EXPR_CELL:
        case GX_EXPR_RANGE:
            visit(i, node.u.range, node.Kind() == GX_EXPR_CELL);
            break;
        case GX_EXPR_NAMED_CELL:
        case GX_EXPR_NAMED_RANGE:
            if (node.u.pName != nullptr)
                visit(i, node.u.pName->range, node.Kind() == GX_EXPR_NAMED_CELL);
            break;
        default:
            break;
        }
    }
}

BOOL IsAffected(GXEngineSheet* pSheet, const GXEngineNode* pNode)
{
    if (pSheet->pChanges == nullptr)
        return TRUE;
    for (const GXEngineChange* pChange = pSheet->pChanges; pChange != nullptr; pChange = pChange->pNext)
    {
        if (pChange->range.Contains(pNode->nRow, pNode->nCol))
            return TRUE;
    }
    BOOL bAffected = FALSE;
    ForEachReference(*pNode->pExpr, [&](WORD, const GXEngineRange& range, BOOL) {
        for (const GXEngineChange* pChange = pSheet->pChanges; pChange != nullptr && !bAffected;
             pChange = pChange->pNext)
            bAffected = GXEngineRangesIntersect(range, pChange->range);
    });
    return bAffected;
}

// The formulas that a formula reads, and by expression node index the single cells it reads,
// so that computing it looks none of them up again.
void CollectPrecedents(GXEngineSheet* pSheet, const GXEngineNode* pNode, std::vector<GXEngineNode*>& precedents,
                       std::vector<const GXEngineNode*>& cells)
{
    const size_t nFirstCell = cells.size();
    cells.resize(nFirstCell + pNode->pExpr->nCount, nullptr);
    ForEachReference(*pNode->pExpr, [&](WORD nIndex, const GXEngineRange& range, BOOL bCell) {
        if (bCell)
        {
            GXEngineNode* pCell = GXEngineFindCell(pSheet, range.Top(), range.Left());
            cells[nFirstCell + nIndex] = pCell;
            if (pCell != nullptr && pCell->pExpr != nullptr)
                precedents.push_back(pCell);
            return;
        }
        GXEngineForEachInRange(pSheet, range, GX_MASK_FORMULAS, [&](GXEngineNode* pCell) {
            if (pCell->pExpr != nullptr)
                precedents.push_back(pCell);
        });
    });
}

int CountViolations(GXEngineSheet* pSheet, GXEngineList& list)
{
    int nViolations = 0;
    GXEngineForEachNode(list, [&](GXEngineNode* pNode) {
        if (!pNode->Is(GX_NODE_LINKED))
            return;
        GXEngineCheckConstraint(pSheet, pNode);
        if (pNode->Is(GX_NODE_VIOLATED))
            ++nViolations;
    });
    return nViolations;
}

// A formula being brought up to date: its precedents in the shared array and how far it got.
struct Frame
{
    GXEngineNode* pNode;
    size_t nFirst;
    size_t nNext;
    size_t nFirstCell;
    BOOL bMustCompute;
};
} // namespace

void GXEngineRecalcCell(GXEngineSheet* pSheet, GXEngineNode* pNode)
{
    if (pNode->Is(GX_NODE_COMPUTED))
        return;
    // An explicit stack: a chain of dependent formulas is as long as the user makes it.
    static std::vector<Frame> s_frames;
    static std::vector<GXEngineNode*> s_precedents;
    static std::vector<const GXEngineNode*> s_cells;
    std::vector<Frame> frames;
    std::vector<GXEngineNode*> precedents;
    std::vector<const GXEngineNode*> cells;
    frames.swap(s_frames);
    precedents.swap(s_precedents);
    cells.swap(s_cells);
    auto enter = [&](GXEngineNode* pEntered) {
        pEntered->dwFlags |= GX_NODE_COMPUTED | GX_NODE_COMPUTING;
        const size_t nFirst = precedents.size();
        const size_t nFirstCell = cells.size();
        CollectPrecedents(pSheet, pEntered, precedents, cells);
        frames.push_back(Frame{pEntered, nFirst, nFirst, nFirstCell, pEntered->Is(GX_NODE_NEEDS_RECALC)});
    };
    enter(pNode);
    while (!frames.empty())
    {
        Frame& frame = frames.back();
        GXEngineNode* pCurrent = frame.pNode;
        BOOL bDescended = FALSE;
        BOOL bStopped = FALSE;
        while (frame.nNext < precedents.size())
        {
            GXEngineNode* pPrecedent = precedents[frame.nNext];
            if (pPrecedent->Is(GX_NODE_COMPUTING))
            {
                // Every formula from the precedent up to this one is on the cycle.
                for (size_t i = frames.size(); i-- > 0;)
                {
                    frames[i].pNode->dwFlags |= GX_NODE_CYCLE;
                    if (frames[i].pNode == pPrecedent)
                        break;
                }
            }
            else if (!pPrecedent->Is(GX_NODE_COMPUTED))
            {
                bDescended = TRUE;
                break;
            }
            if (pPrecedent->Is(GX_NODE_CYCLE))
                pSheet->bCycleSeen = TRUE;
            if (!pCurrent->Is(GX_NODE_LINKED))
            {
                bStopped = TRUE;
                break;
            }
            if (pCurrent->dwPass < pPrecedent->dwPass)
                frame.bMustCompute = TRUE;
            ++frame.nNext;
        }
        if (bDescended)
        {
            // The precedent is revisited when this frame resumes, then computed.
            enter(precedents[frame.nNext]);
            continue;
        }
        if (!bStopped && frame.bMustCompute)
        {
            GXEngineComputeCell(pSheet, pCurrent, cells.data() + frame.nFirstCell);
            pCurrent->dwFlags &= ~GX_NODE_NEEDS_RECALC;
            pCurrent->dwPass = pSheet->dwPass;
        }
        pCurrent->dwFlags &= ~GX_NODE_COMPUTING;
        precedents.resize(frame.nFirst);
        cells.resize(frame.nFirstCell);
        frames.pop_back();
    }
    frames.swap(s_frames);
    precedents.swap(s_precedents);
    cells.swap(s_cells);
}

void GXEngineRecalcCell(int nSheet, GXEngineNode* pNode)
{
    GXEngineRecalcCell(GXEngineUseSheet(nSheet), pNode);
}

int GXEngineRecalcPass(int nSheet)
{
    GXEngineSheet* pSheet = GXEngineUseSheet(nSheet);
    GXEngineList& formulas = pSheet->lists[GX_LIST_FORMULAS];
    const int nDeferred = GXEngineBeginDefer(pSheet, GX_MASK_FORMULAS);
    BOOL bChanged = FALSE;
    GXEngineForEachNode(formulas, [&](GXEngineNode* pNode) {
        if (!pNode->Is(GX_NODE_LINKED))
            return;
        pNode->dwFlags &= ~kPassFlags;
        if (IsAffected(pSheet, pNode))
        {
            pNode->dwFlags |= GX_NODE_NEEDS_RECALC;
            bChanged = TRUE;
        }
    });
    if (bChanged)
    {
        ++pSheet->dwPass;
        if (pSheet->nEagerRecalc)
        {
            GXEngineForEachNode(formulas, [&](GXEngineNode* pNode) {
                if (pNode->Is(GX_NODE_LINKED) && !pNode->Is(GX_NODE_COMPUTED))
                    GXEngineRecalcCell(pSheet, pNode);
            });
        }
    }
    GXEngineEndDefer(pSheet, nDeferred);
    if (!pSheet->nConstraintCheck || !pSheet->bMessageFree)
        return 0;
    const int nViolations = CountViolations(pSheet, pSheet->lists[GX_LIST_VALUES]) + CountViolations(pSheet, formulas);
    if (nViolations == 1)
        wcscpy(pSheet->szMessage, L"There is 1 constraint violation!");
    else if (nViolations > 1)
    {
        CString strMessage;
        strMessage.Format(L"There are %d constraint violations!", nViolations);
        wcsncpy(pSheet->szMessage, strMessage, GX_ENGINE_MESSAGE_SIZE - 1);
    }
    if (nViolations > 0)
        pSheet->bMessageFree = FALSE;
    return nViolations;
}

BOOL GXEngineRecalcSheet(int nSheet)
{
    GXEngineSheet* pSheet = GXEngineUseSheet(nSheet);
    if (pSheet->nManualRecalc)
    {
        GXEngineClearChangedRanges(nSheet);
        return FALSE;
    }
    pSheet->dwRecalcState |= GX_RECALC_RUNNING;
    pSheet->bCycleSeen = FALSE;
    GXEngineRecalcPass(nSheet);
    if (pSheet->bCycleSeen)
    {
        pSheet->dwRecalcState |= GX_RECALC_ITERATING;
        for (int i = 0; i < pSheet->nIterationLimit; ++i)
        {
            const int nViolations = GXEngineRecalcPass(nSheet);
            if (pSheet->nConstraintCheck && nViolations == 0)
                break;
        }
    }
    GXEngineClearChangedRanges(nSheet);
    pSheet->dwRecalcState = 0;
    return TRUE;
}

void GXEngineRecalcNow(int nSheet)
{
    GXEngineSheet* pSheet = GXEngineUseSheet(nSheet);
    const int nManual = pSheet->nManualRecalc;
    pSheet->nManualRecalc = 0;
    pSheet->dwRecalcState |= GX_RECALC_FORCED;
    GXEngineRecalcSheet(nSheet);
    pSheet->dwRecalcState = 0;
    pSheet->nManualRecalc = nManual;
}
