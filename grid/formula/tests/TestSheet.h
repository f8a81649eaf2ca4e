// An engine sheet for one test, with short forms of what the tests read.
#pragma once

#include <cmath>
#include <ostream>

#include <grid/formula/EngineCompiler.h>
#include <grid/formula/EngineEvaluator.h>
#include <grid/formula/EngineRecalc.h>
#include <grid/formula/EngineReferences.h>
#include <grid/formula/EngineStore.h>

// Failures show texts, not addresses.
inline void PrintTo(const CString& strText, std::ostream* pStream)
{
    *pStream << '"';
    for (int i = 0; i < strText.GetLength(); ++i)
        *pStream << (strText[i] < 128 ? static_cast<char>(strText[i]) : '?');
    *pStream << '"';
}

class CTestSheet
{
public:
    CTestSheet() : m_nSheet(GXEngineNewSheet())
    {
    }
    ~CTestSheet()
    {
        GXEngineDeleteSheet(m_nSheet);
    }
    CTestSheet(const CTestSheet&) = delete;
    CTestSheet& operator=(const CTestSheet&) = delete;

    operator int() const
    {
        return m_nSheet;
    }
    GXEngineSheet* operator->() const
    {
        return GXEngineGetSheet(m_nSheet);
    }

    // A1-style cell address to the node there, or null.
    GXEngineNode* Cell(LPCWSTR pszCell) const
    {
        GXEngineRange range;
        return GXEngineParseCellRef(pszCell, range) ? GXEngineFindCell(m_nSheet, range.Top(), range.Left()) : nullptr;
    }
    BOOL Formula(LPCWSTR pszCell, LPCWSTR pszText) const
    {
        GXEngineRange range;
        GXEngineParseCellRef(pszCell, range);
        return GXEngineSetCellFormula(m_nSheet, range.Top(), range.Left(), pszText);
    }
    void Number(LPCWSTR pszCell, double dValue) const
    {
        GXEngineRange range;
        GXEngineParseCellRef(pszCell, range);
        GXEngineSetCellNumber(m_nSheet, range.Top(), range.Left(), dValue);
    }
    // The number of a cell after bringing it up to date; NaN when it holds no number.
    double Value(LPCWSTR pszCell) const
    {
        GXEngineNode* pNode = Current(pszCell);
        return pNode != nullptr && pNode->ValueType() == GX_VALUE_NUMBER ? pNode->value.dNumber : std::nan("");
    }
    // The error code of a cell, 0 when it holds none.
    int Error(LPCWSTR pszCell) const
    {
        GXEngineNode* pNode = Current(pszCell);
        return pNode != nullptr && pNode->ValueType() == GX_VALUE_ERROR ? pNode->value.error.nCode : 0;
    }
    CString Text(LPCWSTR pszCell) const
    {
        GXEngineNode* pNode = Cell(pszCell);
        return pNode != nullptr ? GXEngineExpressionText(GXEngineGetSheet(m_nSheet), pNode->pExpr) : CString();
    }

private:
    // The node brought up to date, as the formula sheet reads it.
    GXEngineNode* Current(LPCWSTR pszCell) const
    {
        GXEngineNode* pNode = Cell(pszCell);
        if (pNode != nullptr && pNode->Kind() == GX_KIND_FORMULA && !pNode->Is(GX_NODE_COMPUTED))
            GXEngineRecalcCell(m_nSheet, pNode);
        return pNode;
    }

    int m_nSheet;
};
