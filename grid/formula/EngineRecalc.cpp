#include <grid/formula/EngineRecalc.h>

#include <grid/formula/EngineCompiler.h>
#include <grid/formula/EngineEvaluator.h>
#include <grid/formula/EngineReferences.h>

#include <algorithm>
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

} // namespace

// What a formula's references resolve to, for the sheet's layout when they were made: the formulas
// it reads, then its value as steps when it is plain arithmetic, else by expression node index the
// cell of every CELL node. Cells and precedents are linked nodes, so they stay valid until the
// layout changes. One allocation, in the order recalculation reads it.
struct GXEngineLinks
{
    ULONGLONG nLayout;
    int nPrecedents;
    int nCapacity; // bytes
    WORD nSteps;
    WORD nOperands;
    WORD nCells;

    GXEngineNode** Precedents()
    {
        return reinterpret_cast<GXEngineNode**>(this + 1);
    }
    GXEngineStepOperand* Operands()
    {
        return reinterpret_cast<GXEngineStepOperand*>(Precedents() + nPrecedents);
    }
    GXEngineNode** Cells()
    {
        return reinterpret_cast<GXEngineNode**>(Operands() + nOperands);
    }
    BYTE* Steps()
    {
        return reinterpret_cast<BYTE*>(Cells() + nCells);
    }
    size_t Size() const
    {
        return sizeof(GXEngineLinks) + sizeof(GXEngineNode*) * (nPrecedents + nCells) +
               sizeof(GXEngineStepOperand) * nOperands + nSteps;
    }
};

namespace
{
// Resolves the references of a formula for the sheet's layout now.
GXEngineLinks& Resolve(GXEngineSheet* pSheet, GXEngineNode* pFormula)
{
    const GXEngineExpr& expr = *pFormula->pExpr;
    static std::vector<GXEngineNode*> s_cells;
    static std::vector<GXEngineNode*> s_precedents;
    static std::vector<BYTE> s_steps;
    static std::vector<GXEngineStepOperand> s_operands;
    s_cells.assign(expr.nCount, nullptr);
    s_precedents.clear();
    for (WORD i = 0; i < expr.nCount; ++i)
    {
        const GXEngineExprNode& node = expr.pNodes[i];
        if (node.Kind() == GX_EXPR_CELL)
            s_cells[i] = GXEngineFindCell(pSheet, node.u.range.Top(), node.u.range.Left());
    }
    ForEachReference(expr, [&](WORD nIndex, const GXEngineRange& range, BOOL bCell) {
        if (bCell)
        {
            GXEngineNode* pCell = expr.pNodes[nIndex].Kind() == GX_EXPR_CELL
                                      ? s_cells[nIndex]
                                      : GXEngineFindCell(pSheet, range.Top(), range.Left());
            if (pCell != nullptr && pCell->pExpr != nullptr)
                s_precedents.push_back(pCell);
            return;
        }
        GXEngineForEachInRange(pSheet, range, GX_MASK_FORMULAS, [&](GXEngineNode* pCell) {
            if (pCell->pExpr != nullptr)
                s_precedents.push_back(pCell);
        });
    });
    s_steps.resize(expr.nCount);
    s_operands.resize(expr.nCount);
    int nOperands = 0;
    const int nSteps = GXEngineMakeSteps(expr, s_cells.data(), s_steps.data(), s_operands.data(), nOperands);
    // Formulas with steps find their cells again only when the steps cannot compute them.
    GXEngineLinks shape = {pSheet->nLayout,
                           static_cast<int>(s_precedents.size()),
                           0,
                           static_cast<WORD>(nSteps),
                           static_cast<WORD>(nOperands),
                           static_cast<WORD>(nSteps > 0 ? 0 : expr.nCount)};
    const size_t nBytes = shape.Size();
    GXEngineLinks*& pLinks = pFormula->pLinks;
    if (pLinks == nullptr || static_cast<size_t>(pLinks->nCapacity) < nBytes)
    {
        GXEngineFreeWalked(pLinks);
        pLinks = nullptr;
        pLinks = static_cast<GXEngineLinks*>(GXEngineAllocWalked(nBytes));
        shape.nCapacity = static_cast<int>(nBytes);
    }
    else
        shape.nCapacity = pLinks->nCapacity;
    GXEngineLinks& links = *pLinks;
    links = shape;
    std::copy(s_precedents.begin(), s_precedents.end(), links.Precedents());
    std::copy(s_operands.begin(), s_operands.begin() + nOperands, links.Operands());
    std::copy(s_cells.begin(), s_cells.begin() + links.nCells, links.Cells());
    std::copy(s_steps.begin(), s_steps.begin() + nSteps, links.Steps());
    return links;
}

// The links of a formula, resolved again when the layout changed since they were made.
inline GXEngineLinks& Links(GXEngineSheet* pSheet, GXEngineNode* pFormula)
{
    if (pFormula->pLinks != nullptr && pFormula->pLinks->nLayout == pSheet->nLayout)
        return *pFormula->pLinks;
    return Resolve(pSheet, pFormula);
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

// A formula being brought up to date and how far it got through its precedents.
struct Frame
{
    GXEngineNode* pNode;
    int nNext;
    BOOL bMustCompute;
};
} // namespace

void GXEngineRecalcCell(GXEngineSheet* pSheet, GXEngineNode* pNode)
{
    if (pNode->Is(GX_NODE_COMPUTED))
        return;
    // An explicit stack: a chain of dependent formulas is as long as the user makes it. The
    // formula being worked on is held apart, the ones waiting for it are on the stack, which is
    // shared and kept; a nested call works above the frames it found.
    static std::vector<Frame> s_waiting;
    struct Unwind
    {
        size_t nBase;
        ~Unwind()
        {
            s_waiting.resize(nBase);
        }
    } unwind{s_waiting.size()};
    auto enter = [](GXEngineNode* pEntered) {
        pEntered->dwFlags |= GX_NODE_COMPUTED | GX_NODE_COMPUTING;
        return Frame{pEntered, 0, pEntered->Is(GX_NODE_NEEDS_RECALC)};
    };
    Frame frame = enter(pNode);
    for (;;)
    {
        GXEngineNode* pCurrent = frame.pNode;
        GXEngineLinks& links = Links(pSheet, pCurrent);
        GXEngineNode* const* ppPrecedents = links.Precedents();
        GXEngineNode* pDescend = nullptr;
        BOOL bStopped = FALSE;
        for (; frame.nNext < links.nPrecedents; ++frame.nNext)
        {
            GXEngineNode* pPrecedent = ppPrecedents[frame.nNext];
            if (pPrecedent->Is(GX_NODE_COMPUTING))
            {
                // Every formula from the precedent up to this one is on the cycle.
                pCurrent->dwFlags |= GX_NODE_CYCLE;
                for (size_t i = s_waiting.size(); pCurrent != pPrecedent && i-- > unwind.nBase;)
                {
                    s_waiting[i].pNode->dwFlags |= GX_NODE_CYCLE;
                    if (s_waiting[i].pNode == pPrecedent)
                        break;
                }
            }
            else if (!pPrecedent->Is(GX_NODE_COMPUTED))
            {
                pDescend = pPrecedent;
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
        }
        if (pDescend != nullptr)
        {
            // The precedent is revisited when this formula resumes, then computed.
            s_waiting.push_back(frame);
            frame = enter(pDescend);
            continue;
        }
        if (!bStopped && frame.bMustCompute)
        {
            if (links.nSteps == 0)
                GXEngineComputeCell(pSheet, pCurrent, links.Cells());
            else if (!GXEngineComputeSteps(pCurrent, links.Steps(), links.nSteps, links.Operands()))
                GXEngineComputeCell(pSheet, pCurrent);
            pCurrent->dwFlags &= ~GX_NODE_NEEDS_RECALC;
            pCurrent->dwPass = pSheet->dwPass;
        }
        pCurrent->dwFlags &= ~GX_NODE_COMPUTING;
        if (s_waiting.size() == unwind.nBase)
            return;
        frame = s_waiting.back();
        s_waiting.pop_back();
    }
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
