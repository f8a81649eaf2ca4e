// Random sheets under random edits, recalculated after each edit and compared cell by cell with a
// fresh engine that holds the same cells and names and computes everything from scratch. Whatever
// recalculation keeps between passes must never show in a value.
#include "TestSheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace
{
// The cells that formulas refer to; edits reach a little beyond, so that cells move in and out.
const LONG kRows = 9;
const LONG kCols = 5;
const LONG kCheckedRows = 14;
const LONG kCheckedCols = 8;
const LPCWSTR kNames[] = {L"total", L"rate", L"block"};

class CRandomSheet
{
public:
    explicit CRandomSheet(unsigned nSeed) : m_random(nSeed)
    {
        GXEngineSetFlagA(m_sheet, 1);
    }

    int Sheet() const
    {
        return m_sheet;
    }

    ~CRandomSheet()
    {
        DropUndo();
    }

    // One to three random edits, as between two recalculations; answers what they did, for the
    // failure message. Now and then what they take out of the sheet is kept for undo, with its
    // values, until the next edits.
    CString Edits()
    {
        DropUndo();
        const BOOL bUndo = Pick(4) == 0;
        GXEngineSetUndoCollect(m_sheet, bUndo);
        CString strEdits = bUndo ? L"(undo) " + Edit() : Edit();
        for (int nMore = Pick(3); nMore > 0; --nMore)
            strEdits += L"; " + Edit();
        GXEngineSetUndoCollect(m_sheet, FALSE);
        m_pUndo = GXEngineTakeUndoList(m_sheet);
        return strEdits;
    }

    CString Edit()
    {
        switch (Pick(13))
        {
        case 0:
        case 1:
        case 2:
            return SetNumber();
        case 3:
        case 4:
        case 5:
        case 6:
            return SetFormula();
        case 7:
            return SetText();
        case 8:
            return DeleteCell();
        case 9:
            return DefineName();
        case 10:
            return Structure();
        case 11:
            return MoveBlock();
        default:
            return Pick(2) ? CopyBlock() : Reorder();
        }
    }

    CString SetNumber()
    {
        const LONG nRow = Row(), nCol = Col();
        const double dValue = Pick(41) - 20;
        GXEngineSetCellNumber(m_sheet, nRow, nCol, dValue);
        Changed(nRow, nCol);
        CString strEdit;
        strEdit.Format(L"%s%ld = %g", GXEngineColumnName(nCol), nRow, dValue);
        return strEdit;
    }

    CString SetFormula()
    {
        const LONG nRow = Row(), nCol = Col();
        CString strFormula = L"=" + Term();
        static const LPCWSTR kOperators[] = {L"+", L"-", L"*", L"/", L"==", L"<", L"&&", L"%"};
        for (int nTerms = Pick(4); nTerms > 0; --nTerms)
            strFormula += kOperators[Pick(_countof(kOperators))] + Term();
        if (Pick(4) == 0)
            strFormula += L"\\" + Range();
        const BOOL bStored = GXEngineSetCellFormula(m_sheet, nRow, nCol, strFormula);
        Changed(nRow, nCol);
        CString strEdit;
        strEdit.Format(L"%s%ld %s%s", GXEngineColumnName(nCol), nRow, static_cast<LPCWSTR>(strFormula),
                       bStored ? L"" : L" (refused)");
        return strEdit;
    }

    CString SetText()
    {
        const LONG nRow = Row(), nCol = Col();
        GXEngineSetCellText(m_sheet, nRow, nCol, Pick(2) ? L"ab" : L"longer text");
        Changed(nRow, nCol);
        CString strEdit;
        strEdit.Format(L"%s%ld text", GXEngineColumnName(nCol), nRow);
        return strEdit;
    }

    CString DeleteCell()
    {
        const LONG nRow = Row(), nCol = Col();
        GXEngineDeleteCell(m_sheet, GXEngineFindCell(m_sheet, nRow, nCol));
        Changed(nRow, nCol);
        CString strEdit;
        strEdit.Format(L"delete %s%ld", GXEngineColumnName(nCol), nRow);
        return strEdit;
    }

    CString DefineName()
    {
        const LPCWSTR pszName = kNames[Pick(_countof(kNames))];
        if (Pick(4) == 0)
        {
            GXEngineRemoveName(m_sheet, pszName);
            return CString(L"remove name ") + pszName;
        }
        const LONG nRow = Row(), nCol = Col();
        GXEngineRange range = GXEngineMakeRange(nRow, nCol, nRow + Pick(2), nCol + Pick(2));
        range.Set(GXEngineRange::singleCell, range.Area() == 1);
        GXEngineSetName(m_sheet, pszName, range);
        Everything();
        return CString(L"name ") + pszName + L" = " + GXEngineCellRefText(range);
    }

    CString Structure()
    {
        const BOOL bRows = Pick(2);
        const LONG nAt = bRows ? Row() : Col();
        const LONG nCount = 1 + Pick(2);
        CString strEdit;
        switch (Pick(3))
        {
        case 0:
            bRows ? GXEngineInsertRows(m_sheet, nAt, nCount) : GXEngineInsertCols(m_sheet, nAt, nCount);
            strEdit.Format(L"insert %ld %s at %ld", nCount, bRows ? L"rows" : L"columns", nAt);
            break;
        case 1:
            bRows ? GXEngineRemoveRows(m_sheet, nAt, nCount) : GXEngineRemoveCols(m_sheet, nAt, nCount);
            strEdit.Format(L"remove %ld %s at %ld", nCount, bRows ? L"rows" : L"columns", nAt);
            break;
        default: {
            const LONG nDest = bRows ? Row() : Col();
            GXEngineMoveRange(m_sheet, bRows, nAt, nAt + nCount - 1, nDest);
            strEdit.Format(L"move %s %ld..%ld to %ld", bRows ? L"rows" : L"columns", nAt, nAt + nCount - 1, nDest);
            break;
        }
        }
        Everything();
        return strEdit;
    }

    CString MoveBlock()
    {
        const GXEngineRange block = Block();
        const LONG nRow = Row(), nCol = Col();
        GXEngineRangeOperation(m_sheet, block, nRow, nCol);
        Everything();
        CString strEdit;
        strEdit.Format(L"move %s to %s%ld", GXEngineCellRefText(block), GXEngineColumnName(nCol), nRow);
        return strEdit;
    }

    CString CopyBlock()
    {
        const GXEngineRange block = Block();
        const LONG nRow = Row(), nCol = Col();
        GXEngineCopyRangeEx(m_sheet, block, nRow, nCol);
        CString strEdit;
        strEdit.Format(L"copy %s to %s%ld", GXEngineCellRefText(block), GXEngineColumnName(nCol), nRow);
        return strEdit;
    }

    CString Reorder()
    {
        const BOOL bRows = Pick(2);
        const LONG nFirst = bRows ? Row() : Col();
        const int nCount = 2 + Pick(3);
        std::vector<DWORD> permutation(nCount);
        for (int i = 0; i < nCount; ++i)
            permutation[i] = static_cast<DWORD>(i);
        std::shuffle(permutation.begin(), permutation.end(), m_random);
        CDWordArray order;
        for (DWORD n : permutation)
            order.Add(n);
        const GXEngineRange range = bRows ? GXEngineMakeRange(nFirst, 0, nFirst + nCount - 1, kCols)
                                          : GXEngineMakeRange(1, nFirst, kRows, nFirst + nCount - 1);
        GXEngineReorder(m_sheet, bRows, range, order);
        Everything();
        CString strEdit;
        strEdit.Format(L"reorder %s %s", bRows ? L"rows" : L"columns", GXEngineCellRefText(range));
        return strEdit;
    }

    void Recalculate()
    {
        if (m_bEverything)
            GXEngineClearChangedRanges(m_sheet);
        m_bEverything = FALSE;
        GXEngineRecalcSheet(m_sheet);
    }

    // Turns the given cells into numbers: a value on a cycle depends on the history.
    void BreakCycles(const std::vector<std::pair<LONG, LONG>>& cells)
    {
        for (const auto& cell : cells)
        {
            GXEngineSetCellNumber(m_sheet, cell.first, cell.second, 1);
            Changed(cell.first, cell.second);
        }
    }

private:
    int Pick(int nChoices)
    {
        return std::uniform_int_distribution<int>(0, nChoices - 1)(m_random);
    }
    LONG Row()
    {
        return 1 + Pick(kRows);
    }
    LONG Col()
    {
        return Pick(kCols);
    }
    CString Cell()
    {
        const LONG nRow = Row(), nCol = Col();
        CString strCell;
        strCell.Format(Pick(5) == 0 ? L"$%s$%ld" : L"%s%ld", GXEngineColumnName(nCol), nRow);
        return strCell;
    }
    CString Range()
    {
        return Cell() + L".." + Cell();
    }
    GXEngineRange Block()
    {
        const LONG nRow = Row(), nCol = Col();
        return GXEngineMakeRange(nRow, nCol, nRow + Pick(3), nCol + Pick(2));
    }
    // A number, a cell, or a name that exists.
    CString Term()
    {
        const int nChoice = Pick(10);
        if (nChoice < 2)
        {
            CString strNumber;
            strNumber.Format(L"%d", Pick(9) + 1);
            return strNumber;
        }
        if (nChoice == 2)
        {
            const LPCWSTR pszName = kNames[Pick(_countof(kNames))];
            if (GXEngineLookupName(m_sheet, pszName, nullptr) != nullptr)
                return pszName;
        }
        return Cell();
    }
    void Changed(LONG nRow, LONG nCol)
    {
        GXEngineAddChangedRange(m_sheet, GXEngineMakeRange(nRow, nCol, nRow, nCol));
    }
    // After an edit of the structure every formula is computed again, as after a name change.
    void Everything()
    {
        m_bEverything = TRUE;
    }

    void DropUndo()
    {
        GXEngineFreeNodeChain(m_pUndo);
        m_pUndo = nullptr;
        GXEngineFreeName(m_sheet->pRemovedName);
        m_sheet->pRemovedName = nullptr;
    }

    std::mt19937 m_random;
    BOOL m_bEverything = FALSE;
    GXEngineNode* m_pUndo = nullptr;
    CTestSheet m_sheet;
};

// A fresh engine with the cells and names of the sheet, computed from scratch.
class CFreshSheet
{
public:
    explicit CFreshSheet(int nSource)
    {
        GXEngineSheet* pSource = GXEngineUseSheet(nSource);
        GXEngineSetFlagA(m_sheet, 1);
        m_sheet->bRawText = TRUE;
        for (const GXEngineName* pName = pSource->pNames; pName != nullptr; pName = pName->pNext)
            GXEngineSetName(m_sheet, pName->pszName, pName->range);
        for (GXEngineList& list : pSource->lists)
        {
            GXEngineForEachNode(list, [&](GXEngineNode* pNode) {
                if (pNode->Is(GX_NODE_LINKED))
                    Copy(pNode);
            });
        }
        GXEngineRecalcNow(m_sheet);
    }

    int Sheet() const
    {
        return m_sheet;
    }

    std::vector<std::pair<LONG, LONG>> CycleCells() const
    {
        std::vector<std::pair<LONG, LONG>> cells;
        GXEngineForEachNode(m_sheet->lists[GX_LIST_FORMULAS], [&](GXEngineNode* pNode) {
            if (pNode->Is(GX_NODE_LINKED) && pNode->Is(GX_NODE_CYCLE))
                cells.emplace_back(pNode->nRow, pNode->nCol);
        });
        return cells;
    }

private:
    void Copy(const GXEngineNode* pNode)
    {
        switch (pNode->Kind())
        {
        case GX_KIND_NUMBER:
            if (pNode->ValueType() == GX_VALUE_NA)
                GXEngineSetCellNotAvailable(m_sheet, pNode->nRow, pNode->nCol);
            else
                GXEngineSetCellNumber(m_sheet, pNode->nRow, pNode->nCol, pNode->value.dNumber);
            break;
        case GX_KIND_TEXT:
            GXEngineSetCellText(m_sheet, pNode->nRow, pNode->nCol, pNode->GetString());
            break;
        case GX_KIND_FORMULA:
        case GX_KIND_CONST_FORMULA: {
            const CString strFormula = GXEngineExpressionText(GXEngineGetSheet(m_sheet), pNode->pExpr);
            EXPECT_TRUE(GXEngineSetCellFormula(m_sheet, pNode->nRow, pNode->nCol, strFormula))
                << ::testing::PrintToString(strFormula);
            break;
        }
        default:
            break;
        }
    }

    CTestSheet m_sheet;
};

// The value of a cell as text, brought up to date as the formula sheet reads it: type and value,
// "" for no value.
CString ValueOf(int nSheet, LONG nRow, LONG nCol)
{
    GXEngineNode* pNode = GXEngineFindCell(nSheet, nRow, nCol);
    if (pNode != nullptr && pNode->Kind() == GX_KIND_FORMULA && !pNode->Is(GX_NODE_COMPUTED))
        GXEngineRecalcCell(nSheet, pNode);
    CString strValue;
    switch (pNode != nullptr ? pNode->ValueType() : GX_VALUE_EMPTY)
    {
    case GX_VALUE_NA:
        return L"#N/A";
    case GX_VALUE_ERROR:
        strValue.Format(L"error %d", pNode->value.error.nCode);
        return strValue;
    case GX_VALUE_NUMBER:
        strValue.Format(L"%.17g", pNode->value.dNumber);
        return strValue;
    case GX_VALUE_STRING:
    case GX_VALUE_SHORT_STRING:
        return L"'" + pNode->GetString();
    default:
        return strValue;
    }
}

void CheckAgainstFresh(CRandomSheet& sheet, const std::vector<CString>& edits)
{
    // Cycles found from scratch are broken first, then the comparison runs on what is left.
    for (;;)
    {
        CFreshSheet fresh(sheet.Sheet());
        const std::vector<std::pair<LONG, LONG>> cycle = fresh.CycleCells();
        if (!cycle.empty())
        {
            sheet.BreakCycles(cycle);
            sheet.Recalculate();
            continue;
        }
        for (LONG nRow = 1; nRow <= kCheckedRows; ++nRow)
        {
            for (LONG nCol = 0; nCol < kCheckedCols; ++nCol)
            {
                const CString strFresh = ValueOf(fresh.Sheet(), nRow, nCol);
                const CString strKept = ValueOf(sheet.Sheet(), nRow, nCol);
                if (strFresh != strKept)
                {
                    CString strHistory;
                    for (const CString& strEdit : edits)
                        strHistory += strEdit + L"\n";
                    const GXEngineNode* pNode = GXEngineFindCell(sheet.Sheet(), nRow, nCol);
                    FAIL() << "cell " << ::testing::PrintToString(CString(GXEngineColumnName(nCol))) << nRow
                           << " holds " << ::testing::PrintToString(strKept) << ", from scratch "
                           << ::testing::PrintToString(strFresh) << "; formula "
                           << ::testing::PrintToString(GXEngineExpressionText(
                                  GXEngineGetSheet(sheet.Sheet()), pNode != nullptr ? pNode->pExpr : nullptr))
                           << "\nafter:\n"
                           << ::testing::PrintToString(strHistory);
                }
            }
        }
        return;
    }
}
} // namespace

TEST(EngineRandomEdits, RecalculationAgreesWithAFreshEngine)
{
    for (unsigned nSeed = 1; nSeed <= 40; ++nSeed)
    {
        SCOPED_TRACE(nSeed);
        CRandomSheet sheet(nSeed);
        std::vector<CString> edits;
        for (int nEdit = 0; nEdit < 150 && !::testing::Test::HasFailure(); ++nEdit)
        {
            edits.push_back(sheet.Edits());
            sheet.Recalculate();
            CheckAgainstFresh(sheet, edits);
        }
        if (::testing::Test::HasFailure())
            return;
    }
}
