#include <grid/formula/FormulaSheet.h>

#include <grid/core/AppData.h>
#include <grid/core/ColumnLetters.h>
#include <grid/core/DrawingAndFormatting.h>
#include <grid/core/GridCore.h>
#include <grid/core/GridParam.h>
#include <grid/core/StylesMap.h>
#include <grid/formula/EngineCompiler.h>
#include <grid/formula/EngineErrors.h>
#include <grid/formula/EngineEvaluator.h>
#include <grid/formula/EngineRecalc.h>
#include <grid/formula/EngineReferences.h>
#include <grid/services/sort/SortKeys.h>

#include <algorithm>
#include <memory>
#include <cmath>

IMPLEMENT_SERIAL(CGXFormulaSheet, CGXData, 1)
IMPLEMENT_DYNAMIC(CGXUndoEngineCellsInfo, CObject)

namespace
{
const WORD kSchema = 1;
const LPCTSTR kConstraintStyleName = _T("Constraint Violation");
// Flag bits 15-22 travel in the archive's cell records.
const int kArchivedFlagsShift = 15;

LONG EngineRow(ROWCOL nRow)
{
    return nRow == 0 ? 1 : static_cast<LONG>(std::min<ROWCOL>(nRow, GX_ENGINE_MAX_ROW + 1));
}

LONG EngineCol(ROWCOL nCol)
{
    return nCol == 0 ? 0 : static_cast<LONG>(std::min<ROWCOL>(nCol - 1, GX_ENGINE_MAX_COL + 1));
}

GXEngineRange ToEngine(const CGXRange& range)
{
    CGXRange cells(range);
    cells.ExpandRange(1, 1, GX_ENGINE_MAX_ROW, GX_ENGINE_MAX_COL + 1);
    const LONG nTop = std::min(EngineRow(cells.top), GX_ENGINE_MAX_ROW);
    const LONG nBottom = std::min(EngineRow(cells.bottom), GX_ENGINE_MAX_ROW);
    const LONG nLeft = std::min(EngineCol(cells.left), GX_ENGINE_MAX_COL);
    const LONG nRight = std::min(EngineCol(cells.right), GX_ENGINE_MAX_COL);
    GXEngineRange result = GXEngineMakeRange(nTop, nLeft, nBottom, nRight);
    GXEngineNormalizeRange(result);
    return result;
}

// Whether the cell's own style has a date or time format: a number entered into such a cell keeps
// its format, and its formula text is the formatted date rather than the bare number.
BOOL HasDateFormat(const GXEngineNode* pNode)
{
    const CGXStyle* pStyle = pNode != nullptr ? pNode->pStyle : nullptr;
    if (pStyle == nullptr || !pStyle->GetInclude(CGXStyle::inclFormat))
        return FALSE;
    switch (pStyle->GetFormat())
    {
    case 8:
    case 9:
    case 10:
    case 11:
    case 13:
    case 18:
        return TRUE;
    default:
        return FALSE;
    }
}

CString FormatNumber(double dValue)
{
    CString strText;
    strText.Format(_T("%.14g"), dValue);
    return strText;
}

// The editor's text of a number: a date or time as the cell's own style shows it.
CString FormulaNumberText(const GXEngineNode* pNode)
{
    const CString strNumber = FormatNumber(pNode->value.dNumber);
    if (!HasDateFormat(pNode))
        return strNumber;
    CString strText;
    DrawingAndFormattingInstance()->GetFormattedText(strText, *pNode->pStyle, strNumber, CGXStyle::valueNumber);
    return strText;
}

void ThrowDamaged()
{
    AfxThrowArchiveException(CArchiveException::genericException);
}
} // namespace

CGXFormula::CGXFormula() : m_pExpr(static_cast<GXEngineExpr*>(GXEngineAllocZero(sizeof(GXEngineExpr))))
{
    m_pExpr->nRoot = m_pExpr->nConstraint = m_pExpr->nRefList = GX_EXPR_NONE;
}

CGXFormula::~CGXFormula()
{
    GXEngineFreeExpression(m_pExpr);
}

CGXUndoEngineCellsInfo::~CGXUndoEngineCellsInfo()
{
    GXEngineFreeNodeChain(m_pOldCells);
    GXEngineFreeNodeChain(m_pNewCells);
    GXEngineFreeName(m_pRemovedName);
}

CGXFormulaSheet::CGXFormulaSheet() : m_nSheet(GXEngineNewSheet())
{
    GXEngineSheet* pSheet = GXEngineUseSheet(m_nSheet);
    pSheet->pOwner = this;
    // Users type paths and the like: texts are kept as typed, not read for escapes.
    pSheet->bRawText = TRUE;
}

CGXFormulaSheet::~CGXFormulaSheet()
{
    delete m_pUndoInfo;
    GXEngineDeleteSheet(m_nSheet);
}

GXEngineNode* CGXFormulaSheet::FindNode(ROWCOL nRow, ROWCOL nCol) const
{
    return GXEngineFindCell(m_nSheet, EngineRow(nRow), EngineCol(nCol));
}

void CGXFormulaSheet::Refresh(GXEngineNode* pNode)
{
    if (pNode != nullptr && pNode->Kind() == GX_KIND_FORMULA && !pNode->Is(GX_NODE_COMPUTED))
        GXEngineRecalcCell(m_nSheet, pNode);
}

void CGXFormulaSheet::DeleteContents()
{
    CGXData::DeleteContents();
    GXEngineClearSheet(m_nSheet);
}

// Settings.

BOOL CGXFormulaSheet::SetIterationLimit(int nLimit)
{
    return GXEngineSetIterationLimit(m_nSheet, nLimit);
}
int CGXFormulaSheet::GetIterationLimit() const
{
    return GXEngineGetIterationLimit(m_nSheet);
}
BOOL CGXFormulaSheet::SetBlanksAsZero(BOOL bZero)
{
    return GXEngineSetFlagC(m_nSheet, bZero);
}
BOOL CGXFormulaSheet::GetBlanksAsZero() const
{
    return GXEngineGetFlagC(m_nSheet);
}
BOOL CGXFormulaSheet::SetManualRecalc(BOOL bManual)
{
    return GXEngineSetManualRecalc(m_nSheet, bManual);
}
BOOL CGXFormulaSheet::GetManualRecalc() const
{
    return GXEngineGetManualRecalc(m_nSheet);
}
BOOL CGXFormulaSheet::SetEagerRecalc(BOOL bEager)
{
    return GXEngineSetFlagA(m_nSheet, bEager);
}
BOOL CGXFormulaSheet::GetEagerRecalc() const
{
    return GXEngineGetFlagA(m_nSheet);
}
BOOL CGXFormulaSheet::SetConstraintCheck(BOOL bCheck)
{
    ConstraintStyleId();
    return GXEngineSetFlagB(m_nSheet, bCheck);
}

WORD CGXFormulaSheet::ConstraintStyleId()
{
    if (m_nConstraintStyleId != 0)
        return m_nConstraintStyleId;
    CGXGridCore* pGrid = FindRegisteredHandler();
    CGXStylesMap* pStylesMap = pGrid != nullptr ? pGrid->GetStylesMap() : nullptr;
    if (pStylesMap == nullptr)
        return 0;
    // A style of that name that the user keeps in the map stays as it is.
    m_nConstraintStyleId = pStylesMap->LookupStyleId(kConstraintStyleName);
    if (m_nConstraintStyleId == 0)
    {
        CGXStyle style;
        style.SetInteriorColor(RGB(255, 0, 0));
        m_nConstraintStyleId = pStylesMap->RegisterStyleByName(kConstraintStyleName, style, 0);
    }
    return m_nConstraintStyleId;
}
BOOL CGXFormulaSheet::GetConstraintCheck() const
{
    return GXEngineGetFlagB(m_nSheet);
}

// Entering cells.

BOOL CGXFormulaSheet::SetFormulaRowCol(ROWCOL nRow, ROWCOL nCol, LPCTSTR pszText)
{
    if (pszText == nullptr || pszText[0] != _T('='))
        return FALSE;
    const LONG nEngineRow = EngineRow(nRow);
    const LONG nEngineCol = EngineCol(nCol);
    if (!GXEngineInBounds(nEngineRow, nEngineCol))
        return FALSE;
    if (!GXEngineSetCellFormula(m_nSheet, nEngineRow, nEngineCol, pszText))
    {
        CString strError;
        strError.Format(_T("ERROR: %s (Pos %d)"), GXEngineErrorText(GXEngineGetLastError()), GXEngineGetLastErrorPos());
        CString strMessage;
        strMessage.Format(_T("Cell %s%lu: %s"), GXEngineColumnName(nEngineCol), static_cast<ULONG>(nEngineRow),
                          static_cast<LPCTSTR>(strError));
        GXEngineSheet* pSheet = GXEngineUseSheet(m_nSheet);
        wcsncpy(pSheet->szMessage, strMessage, GX_ENGINE_MESSAGE_SIZE - 1);
        pSheet->szMessage[GX_ENGINE_MESSAGE_SIZE - 1] = L'\0';
        pSheet->bMessageFree = FALSE;
        return FALSE;
    }
    GXEngineNode* pNode = GXEngineFindCell(m_nSheet, nEngineRow, nEngineCol);
    if (pNode->Kind() == GX_KIND_FORMULA)
    {
        GXEngineComputeCell(m_nSheet, pNode);
        pNode->dwFlags = (pNode->dwFlags & ~GX_NODE_NEEDS_RECALC) | GX_NODE_COMPUTED;
        pNode->dwPass = GXEngineUseSheet(m_nSheet)->dwPass;
    }
    CollectUndo(GXEngineMakeRange(nEngineRow, nEngineCol, nEngineRow, nEngineCol), TRUE);
    m_nRows = std::max(m_nRows, nRow);
    m_nCols = std::max(m_nCols, nCol);
    return TRUE;
}

BOOL CGXFormulaSheet::SetTextRowCol(ROWCOL nRow, ROWCOL nCol, LPCTSTR pszText)
{
    if (!GXEngineSetCellText(m_nSheet, EngineRow(nRow), EngineCol(nCol), pszText))
        return FALSE;
    if (pszText[0] == _T('\0'))
        GXEngineClearValue(FindNode(nRow, nCol));
    m_nRows = std::max(m_nRows, nRow);
    m_nCols = std::max(m_nCols, nCol);
    return TRUE;
}

BOOL CGXFormulaSheet::SetNumberRowCol(ROWCOL nRow, ROWCOL nCol, double dValue)
{
    if (!GXEngineSetCellNumber(m_nSheet, EngineRow(nRow), EngineCol(nCol), dValue))
        return FALSE;
    m_nRows = std::max(m_nRows, nRow);
    m_nCols = std::max(m_nCols, nCol);
    return TRUE;
}

CGXStyle& CGXFormulaSheet::OwnStyle(GXEngineNode* pNode)
{
    if (pNode->pStyle == nullptr)
        pNode->pStyle = new CGXStyle;
    return *pNode->pStyle;
}

BOOL CGXFormulaSheet::SetFormatRowCol(ROWCOL nRow, ROWCOL nCol, int nFormat, int nPlaces)
{
    GXEngineNode* pNode = FindNode(nRow, nCol);
    if (pNode == nullptr)
    {
        if (!SetTextRowCol(nRow, nCol, _T("")))
            return FALSE;
        pNode = FindNode(nRow, nCol);
    }
    OwnStyle(pNode).SetFormat(nFormat).SetPlaces(nPlaces);
    return TRUE;
}

BOOL CGXFormulaSheet::GetFormatRowCol(ROWCOL nRow, ROWCOL nCol, int& nFormat, int& nPlaces)
{
    const GXEngineNode* pNode = FindNode(nRow, nCol);
    if (pNode == nullptr || pNode->pStyle == nullptr || !pNode->pStyle->GetInclude(CGXStyle::inclFormat))
        return FALSE;
    nFormat = pNode->pStyle->GetFormat();
    nPlaces = pNode->pStyle->GetPlaces();
    return TRUE;
}

BOOL CGXFormulaSheet::SetExpressionRowCol(ROWCOL nRow, ROWCOL nCol, LPCTSTR pszText)
{
    const CString strText(pszText);
    if (strText.IsEmpty())
        return SetTextRowCol(nRow, nCol, strText);
    double dValue = 0;
    // An overflowing entry such as "1e999" stays text rather than becoming an infinite value.
    if (DrawingAndFormattingInstance()->ParseNumber(strText, dValue, nullptr, nullptr) && std::isfinite(dValue))
    {
        if (!SetNumberRowCol(nRow, nCol, dValue))
            return FALSE;
        if (!HasDateFormat(FindNode(nRow, nCol)))
            SetFormatRowCol(nRow, nCol, 3, 15);
        return TRUE;
    }
    if (strText.CompareNoCase(_T("#N/A")) == 0)
    {
        if (!GXEngineSetCellNotAvailable(m_nSheet, EngineRow(nRow), EngineCol(nCol)))
            return FALSE;
        m_nRows = std::max(m_nRows, nRow);
        m_nCols = std::max(m_nCols, nCol);
        return TRUE;
    }
    if (strText[0] == _T('\''))
        return SetTextRowCol(nRow, nCol, strText.Mid(1));
    if (strText[0] == _T('='))
        return SetFormulaRowCol(nRow, nCol, strText);
    GXSortKeyValue date;
    if (GXParseNumber(strText, 0, 1024, date))
    {
        if (!SetNumberRowCol(nRow, nCol, date.value))
            return FALSE;
        // A date or time format of the cell stays; else the value chooses date, date and time,
        // or time.
        int nFormat = 0;
        int nPlaces = 0;
        if (!GetFormatRowCol(nRow, nCol, nFormat, nPlaces) || nFormat == 13 || !HasDateFormat(FindNode(nRow, nCol)))
        {
            const double dWhole = std::trunc(date.value);
            SetFormatRowCol(nRow, nCol, date.value == dWhole ? 11 : dWhole != 0 ? 18 : 13, 0);
        }
        return TRUE;
    }
    return SetTextRowCol(nRow, nCol, strText);
}

double CGXFormulaSheet::GetNumberRowCol(ROWCOL nRow, ROWCOL nCol)
{
    GXEngineNode* pNode = FindNode(nRow, nCol);
    Refresh(pNode);
    return pNode != nullptr && pNode->ValueType() == GX_VALUE_NUMBER ? pNode->value.dNumber : 0.0;
}

CString CGXFormulaSheet::GetValueRowCol(ROWCOL nRow, ROWCOL nCol)
{
    return GetNodeValueText(FindNode(nRow, nCol));
}

CString CGXFormulaSheet::GetFormulaRowCol(ROWCOL nRow, ROWCOL nCol)
{
    return GetNodeFormulaText(FindNode(nRow, nCol));
}

CString CGXFormulaSheet::GetNodeValueText(GXEngineNode* pNode)
{
    if (pNode == nullptr)
        return CString();
    Refresh(pNode);
    if (pNode->pExpr != nullptr && pNode->Is(GX_NODE_CYCLE) && GetIterationLimit() == 0)
        return _T("Cycle!");
    switch (pNode->ValueType())
    {
    case GX_VALUE_EMPTY:
        return CString();
    case GX_VALUE_NA:
        return _T("#N/A");
    case GX_VALUE_ERROR:
        return _T("Error!");
    case GX_VALUE_NUMBER:
        return FormatNumber(pNode->value.dNumber);
    case GX_VALUE_STRING:
    case GX_VALUE_SHORT_STRING:
        return pNode->GetString();
    default:
        return _T("Value?");
    }
}

CString CGXFormulaSheet::GetNodeFormulaText(GXEngineNode* pNode)
{
    if (pNode == nullptr)
        return CString();
    if (pNode->Kind() == GX_KIND_FORMULA || pNode->Kind() == GX_KIND_CONST_FORMULA)
        return GXEngineExpressionText(GXEngineUseSheet(m_nSheet), pNode->pExpr);
    switch (pNode->ValueType())
    {
    case GX_VALUE_EMPTY:
        return CString();
    case GX_VALUE_NA:
        return _T("#N/A");
    case GX_VALUE_ERROR:
        return _T("Error!");
    case GX_VALUE_NUMBER:
        return FormulaNumberText(pNode);
    case GX_VALUE_STRING:
    case GX_VALUE_SHORT_STRING:
        return _T("'") + pNode->GetString();
    default:
        return _T("Value?");
    }
}

BOOL CGXFormulaSheet::CompileFormula(LPCTSTR pszText, CGXFormula& formula)
{
    GXEngineExpr* pExpr = formula.GetExpression();
    GXEngineExpr* pCompiled = static_cast<GXEngineExpr*>(GXEngineAllocZero(sizeof(GXEngineExpr)));
    const BOOL bCompiled = GXEngineParseFormula(m_nSheet, pszText, pCompiled);
    if (bCompiled)
    {
        // The formula keeps its header; the old nodes go.
        GXEngineFree(pExpr->pNodes);
        GXEngineFree(pExpr->pszComment);
        *pExpr = *pCompiled;
        pCompiled->nCount = 0;
        pCompiled->pNodes = nullptr;
        pCompiled->pszComment = nullptr;
    }
    GXEngineFreeExpression(pCompiled);
    return bCompiled;
}

BOOL CGXFormulaSheet::EvaluateFormula(CString& strResult, const CGXFormula& formula)
{
    GXEngineSheet* pSheet = GXEngineUseSheet(m_nSheet);
    GXEngineNode* pNode = GXEngineAllocNode(&pSheet->lists[GX_LIST_VALUES]);
    pNode->nRow = 1;
    pNode->pExpr = formula.GetExpression();
    GXEngineComputeCell(pSheet, pNode);
    strResult = GetNodeValueText(pNode);
    const BOOL bValue = pNode->ValueType() != GX_VALUE_ERROR;
    // The expression stays with the formula.
    pNode->pExpr = nullptr;
    GXEngineFreeNode(pNode);
    return bValue;
}

BOOL CGXFormulaSheet::EvaluateFormulaText(CString& strResult, LPCTSTR pszText)
{
    RecalcEngine();
    CGXFormula formula;
    if (!CompileFormula(pszText, formula))
    {
        strResult.Format(_T("ERROR: %s (Pos %d)"), GXEngineErrorText(GXEngineGetLastError()),
                         GXEngineGetLastErrorPos());
        return FALSE;
    }
    return EvaluateFormula(strResult, formula);
}

// Styles.

BOOL CGXFormulaSheet::StoreValueOf(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, int nType)
{
    if (style.GetValueType() == CGXStyle::valueNumber)
        return SetNumberRowCol(nRow, nCol, GXWcsToDouble(style.GetValue()));
    if (nType == 1 && !style.GetValue().IsEmpty())
        return SetExpressionRowCol(nRow, nCol, style.GetValue());
    return SetTextRowCol(nRow, nCol, style.GetValue());
}

BOOL CGXFormulaSheet::StoreStyleImpl(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, int nMode, int nType)
{
    if (nRow == 0 || nCol == 0 || nType < 0)
        return CGXData::StoreStyleImpl(nRow, nCol, pStyle, nMode, nType);
    if (!GXEngineInBounds(EngineRow(nRow), EngineCol(nCol)))
        return FALSE;
    GXEngineNode* pNode = FindNode(nRow, nCol);
    const CGXStyle empty;
    const CGXStyle& style = pStyle != nullptr ? *pStyle : empty;
    const DWORD dwAttributes = style.GetIncludeBits() & CGXStyle::inclAttributeBits;
    const BOOL bHasValue = style.GetInclude(CGXStyle::inclValue);
    const BOOL bValueOnly = dwAttributes == CGXStyle::inclValue;
    const BOOL bEmpty = dwAttributes == 0;
    const int kModeRemove = 4;
    if (nMode == kModeRemove || (nMode == CGXStyle::modeCopy && bEmpty))
    {
        GXEngineDeleteCell(m_nSheet, pNode);
        return TRUE;
    }
    if (nMode == CGXStyle::modeCopy && bValueOnly && pNode != nullptr)
    {
        delete pNode->pStyle;
        pNode->pStyle = nullptr;
    }
    if (nMode == CGXStyle::modeExclude)
    {
        if (pNode == nullptr)
            return TRUE;
        if (bHasValue && pNode->pStyle == nullptr)
        {
            GXEngineDeleteCell(m_nSheet, pNode);
            return TRUE;
        }
        if (bHasValue)
            GXEngineClearValue(pNode);
    }
    BOOL bStored = FALSE;
    if (nMode != CGXStyle::modeExclude && bHasValue)
    {
        if (!StoreValueOf(nRow, nCol, style, nType))
            return FALSE;
        bStored = TRUE;
    }
    if (bValueOnly || bEmpty)
        return TRUE;
    if (!bStored && FindNode(nRow, nCol) == nullptr && !SetTextRowCol(nRow, nCol, _T("")))
        return FALSE;
    pNode = FindNode(nRow, nCol);
    CGXStyle* pRest = style.Clone();
    pRest->SetIncludeValue(FALSE);
    if (pNode->pStyle != nullptr)
    {
        pNode->pStyle->ChangeStyle(*pRest, nMode);
        delete pRest;
    }
    else
        pNode->pStyle = pRest;
    return TRUE;
}

BOOL CGXFormulaSheet::GetStyleImpl(ROWCOL nRow, ROWCOL nCol, CGXStyle& style, int nMode, int nType)
{
    if (nRow == 0 || nCol == 0 || nType < 0)
        return CGXData::GetStyleImpl(nRow, nCol, style, nMode, nType);
    GXEngineNode* pNode = FindNode(nRow, nCol);
    if (pNode == nullptr)
        return FALSE;
    if (nMode == CGXStyle::modeCopy)
    {
        if (pNode->pStyle != nullptr)
            style = *pNode->pStyle;
        else
            style.Free();
    }
    else if (pNode->pStyle != nullptr)
        style.ChangeStyle(*pNode->pStyle, nMode);
    if (nType == 1)
    {
        style.SetValue(GetNodeFormulaText(pNode));
        style.SetValueType(CGXStyle::valueFormula);
    }
    else
    {
        style.SetValue(GetNodeValueText(pNode));
        switch (pNode->ValueType())
        {
        case GX_VALUE_NUMBER:
            style.SetValueType(CGXStyle::valueNumber);
            break;
        case GX_VALUE_EMPTY:
        case GX_VALUE_NA:
        case GX_VALUE_STRING:
        case GX_VALUE_SHORT_STRING:
            break;
        default:
            style.SetValueType(CGXStyle::valueError);
            break;
        }
    }
    if (GetConstraintCheck() && pNode->Is(GX_NODE_VIOLATED))
    {
        if (const WORD nStyleId = ConstraintStyleId())
            style.SetBaseStyle(nStyleId);
        pNode->dwFlags |= GX_NODE_REFRESH;
    }
    return TRUE;
}

// Structure.

BOOL CGXFormulaSheet::InsertRowsImpl(ROWCOL nRow, ROWCOL nCount)
{
    GXEngineInsertRows(m_nSheet, EngineRow(nRow), static_cast<LONG>(std::min<ROWCOL>(nCount, GX_ENGINE_MAX_ROW)));
    CollectUndo(ToEngine(CGXRange().SetRows(nRow, nRow + nCount - 1)), FALSE);
    return CGXData::InsertRowsImpl(nRow, nCount);
}

BOOL CGXFormulaSheet::InsertColsImpl(ROWCOL nCol, ROWCOL nCount)
{
    GXEngineInsertCols(m_nSheet, EngineCol(nCol), static_cast<LONG>(std::min<ROWCOL>(nCount, GX_ENGINE_MAX_COL + 1)));
    CollectUndo(ToEngine(CGXRange().SetCols(nCol, nCol + nCount - 1)), FALSE);
    return CGXData::InsertColsImpl(nCol, nCount);
}

BOOL CGXFormulaSheet::RemoveRowsImpl(ROWCOL nFromRow, ROWCOL nToRow)
{
    const LONG nFrom = EngineRow(nFromRow);
    const LONG nTo = std::min(EngineRow(nToRow), GX_ENGINE_MAX_ROW);
    if (nFrom <= nTo)
        GXEngineRemoveRows(m_nSheet, nFrom, nTo - nFrom + 1);
    CollectUndo(ToEngine(CGXRange().SetRows(nFromRow, nToRow)), FALSE);
    return CGXData::RemoveRowsImpl(nFromRow, nToRow);
}

BOOL CGXFormulaSheet::RemoveColsImpl(ROWCOL nFromCol, ROWCOL nToCol)
{
    const LONG nFrom = EngineCol(nFromCol);
    const LONG nTo = std::min(EngineCol(nToCol), GX_ENGINE_MAX_COL);
    if (nFrom <= nTo)
        GXEngineRemoveCols(m_nSheet, nFrom, nTo - nFrom + 1);
    CollectUndo(ToEngine(CGXRange().SetCols(nFromCol, nToCol)), FALSE);
    return CGXData::RemoveColsImpl(nFromCol, nToCol);
}

BOOL CGXFormulaSheet::MoveRowsImpl(ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow)
{
    GXEngineMoveRange(m_nSheet, TRUE, EngineRow(nFromRow), EngineRow(nToRow), EngineRow(nDestRow));
    CollectUndo(ToEngine(CGXRange().SetRows(nFromRow, nToRow)), FALSE);
    return CGXData::MoveRowsImpl(nFromRow, nToRow, nDestRow);
}

BOOL CGXFormulaSheet::MoveColsImpl(ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol)
{
    GXEngineMoveRange(m_nSheet, FALSE, EngineCol(nFromCol), EngineCol(nToCol), EngineCol(nDestCol));
    CollectUndo(ToEngine(CGXRange().SetCols(nFromCol, nToCol)), FALSE);
    return CGXData::MoveColsImpl(nFromCol, nToCol, nDestCol);
}

BOOL CGXFormulaSheet::CopyCells(CGXRange range, ROWCOL nDestRow, ROWCOL nDestCol)
{
    const GXEngineRange source = ToEngine(range);
    GXEngineCopyRangeEx(m_nSheet, source, EngineRow(nDestRow), EngineCol(nDestCol));
    const LONG nDestTop = EngineRow(nDestRow);
    const LONG nDestLeft = EngineCol(nDestCol);
    CollectUndo(GXEngineMakeRange(nDestTop, nDestLeft,
                                  std::min(nDestTop + source.Bottom() - source.Top(), GX_ENGINE_MAX_ROW),
                                  std::min(nDestLeft + source.Right() - source.Left(), GX_ENGINE_MAX_COL)),
                TRUE);
    return TRUE;
}

BOOL CGXFormulaSheet::MoveCells(CGXRange range, ROWCOL nDestRow, ROWCOL nDestCol, CObject*& pUndoInfo,
                                BOOL bCreateUndoInfo)
{
    const int nOldMode = bCreateUndoInfo ? ExchangeEngineMode(1) : m_nUndoMode;
    GXEngineRangeOperation(m_nSheet, ToEngine(range), EngineRow(nDestRow), EngineCol(nDestCol));
    CollectUndo(ToEngine(range), FALSE);
    // Moving back: the cells the first move overwrote return to their places.
    std::unique_ptr<CObject> given(pUndoInfo);
    pUndoInfo = nullptr;
    if (given != nullptr)
        ApplyEngineUndoInfo(given.get(), static_cast<DWORD>(m_nUndoMode), 0);
    if (bCreateUndoInfo)
    {
        ExchangeEngineMode(nOldMode);
        pUndoInfo = DetachEngineUndoInfo();
    }
    return TRUE;
}

void CGXFormulaSheet::ReorderData(BOOL bRows, const CGXRange& range, const CDWordArray& order)
{
    GXEngineReorder(m_nSheet, bRows, ToEngine(range), order);
}

BOOL CGXFormulaSheet::MoveDataRows(const CGXRange& range, const CDWordArray& order)
{
    return MoveData(TRUE, range, order);
}

BOOL CGXFormulaSheet::MoveDataCols(const CGXRange& range, const CDWordArray& order)
{
    return MoveData(FALSE, range, order);
}

BOOL CGXFormulaSheet::MoveData(BOOL bRows, const CGXRange& range, const CDWordArray& order)
{
    ReorderData(bRows, range, order);
    if (bRows ? CGXData::MoveDataRows(range, order) : CGXData::MoveDataCols(range, order))
        return TRUE;
    // The styles stayed where they were: the engine's cells go back beside them.
    CDWordArray inverse;
    GXInverseSortOrder(order, inverse);
    ReorderData(bRows, range, inverse);
    return FALSE;
}

// Engine hooks.

BOOL CGXFormulaSheet::GetEngineCellFlag(ROWCOL nRow, ROWCOL nCol)
{
    const GXEngineNode* pNode = FindNode(nRow, nCol);
    if (pNode == nullptr)
        return FALSE;
    if (pNode->Kind() == GX_KIND_FORMULA && !pNode->Is(GX_NODE_COMPUTED))
        return TRUE;
    return pNode->Is(GX_NODE_REFRESH);
}

void CGXFormulaSheet::SetEngineCellFlag(ROWCOL nRow, ROWCOL nCol, BOOL bFlag)
{
    if (GXEngineNode* pNode = FindNode(nRow, nCol))
        pNode->dwFlags = bFlag ? pNode->dwFlags | GX_NODE_REFRESH : pNode->dwFlags & ~GX_NODE_REFRESH;
}

void CGXFormulaSheet::UpdateEngineRange(const CGXRange& range)
{
    GXEngineAddChangedRange(m_nSheet, ToEngine(range));
}

void CGXFormulaSheet::EnableEngineRecalc(BOOL bForced)
{
    // While undo is collected every affected formula is computed now, within the command.
    const int nEager = GetEagerRecalc();
    if (m_nUndoMode != 0)
        SetEagerRecalc(TRUE);
    if (bForced)
        GXEngineRecalcNow(m_nSheet);
    else
        GXEngineRecalcSheet(m_nSheet);
    SetEagerRecalc(nEager);
}

void CGXFormulaSheet::InitParam(CGXGridParam* pParam)
{
    // Cells of a data store computing its values are copied and moved inside the store, their
    // formulas with them, and a paste of the grid's own cells is one undo step.
    pParam->SetDirectCopyPaste(TRUE);
    pParam->SetDirectCutPaste(TRUE);
    pParam->SetDirectPasteMode(1);
    pParam->m_wValueDisplay = 1;
}

void CGXFormulaSheet::RecalcEngine()
{
    GXEngineUseSheet(m_nSheet)->bMessageFree = TRUE;
}

BOOL CGXFormulaSheet::GetEngineErrorText(CString& strText)
{
    const GXEngineSheet* pSheet = GXEngineUseSheet(m_nSheet);
    if (pSheet->bMessageFree)
        return FALSE;
    strText = pSheet->szMessage;
    return TRUE;
}

CObject* CGXFormulaSheet::DetachEngineUndoInfo()
{
    CObject* pInfo = m_pUndoInfo;
    m_pUndoInfo = nullptr;
    return pInfo;
}

int CGXFormulaSheet::ExchangeEngineMode(int nMode)
{
    const int nOld = m_nUndoMode;
    m_nUndoMode = nMode;
    GXEngineSetUndoCollect(m_nSheet, nMode);
    return nOld;
}

CGXUndoEngineCellsInfo& CGXFormulaSheet::PendingUndo()
{
    if (m_pUndoInfo == nullptr)
        m_pUndoInfo = new CGXUndoEngineCellsInfo;
    return *m_pUndoInfo;
}

namespace
{
// Puts a chain at the end of another.
void AppendChain(GXEngineNode*& pChain, GXEngineNode* pMore)
{
    GXEngineNode** ppEnd = &pChain;
    while (*ppEnd != nullptr)
        ppEnd = &(*ppEnd)->pNext;
    *ppEnd = pMore;
}
} // namespace

void CGXFormulaSheet::CollectUndo(const GXEngineRange& range, BOOL bClearRange)
{
    if (m_nUndoMode == 0)
        return;
    CGXUndoEngineCellsInfo& info = PendingUndo();
    AppendChain(info.m_pOldCells, GXEngineTakeUndoList(m_nSheet));
    info.m_range = range;
    info.m_bClearRange = bClearRange;
}

void CGXFormulaSheet::PutBack(GXEngineNode*& pChain)
{
    GXEngineSheet* pSheet = GXEngineUseSheet(m_nSheet);
    while (GXEngineNode* pNode = pChain)
    {
        pChain = pNode->pNext;
        pNode->pNext = nullptr;
        pNode->dwFlags = (pNode->dwFlags & ~GX_NODE_COMPUTED) | GX_NODE_REFRESH;
        if (pNode->pExpr != nullptr)
            pNode->dwFlags |= GX_NODE_NEEDS_RECALC;
        GXEngineReplaceCell(pSheet, pNode);
    }
}

BOOL CGXFormulaSheet::ApplyEngineUndoInfo(CObject* pUndoInfo, DWORD dwMode, DWORD dwRedo)
{
    CGXUndoEngineCellsInfo* pInfo = DYNAMIC_DOWNCAST(CGXUndoEngineCellsInfo, pUndoInfo);
    if (pInfo == nullptr)
        return FALSE;
    ExchangeEngineMode(static_cast<int>(dwMode));
    GXEngineSheet* pSheet = GXEngineUseSheet(m_nSheet);
    const int nDeferred = GXEngineBeginDefer(pSheet, GX_MASK_ALL);
    if (pInfo->m_bClearRange)
    {
        std::vector<GXEngineNode*> cleared;
        GXEngineForEachInRange(pSheet, pInfo->m_range, GX_MASK_ALL,
                               [&](GXEngineNode* pNode) { cleared.push_back(pNode); });
        for (GXEngineNode* pNode : cleared)
            GXEngineDiscardNode(pSheet, pNode);
    }
    PutBack(dwRedo ? pInfo->m_pNewCells : pInfo->m_pOldCells);
    GXEngineEndDefer(pSheet, nDeferred);
    GXEngineAddChangedRange(m_nSheet, pInfo->m_range);
    if (m_nUndoMode != 0)
        AppendChain(dwRedo ? pInfo->m_pOldCells : pInfo->m_pNewCells, GXEngineTakeUndoList(m_nSheet));
    return TRUE;
}

BOOL CGXFormulaSheet::EngineCellsHook(LPCTSTR pszName, const CGXRange& range, CObject* pUndoInfo)
{
    CGXUndoEngineCellsInfo* pInfo = DYNAMIC_DOWNCAST(CGXUndoEngineCellsInfo, pUndoInfo);
    if (pInfo != nullptr && pInfo->m_pRemovedName != nullptr)
    {
        GXEngineRestoreName(m_nSheet, pInfo->m_pRemovedName);
        pInfo->m_pRemovedName = nullptr;
    }
    else
    {
        GXEngineRange engineRange = ToEngine(range);
        engineRange.Set(GXEngineRange::singleCell, engineRange.Area() == 1);
        if (!GXEngineSetName(m_nSheet, pszName, engineRange))
            return FALSE;
        GXEngineRecalcNow(m_nSheet);
    }
    if (pInfo != nullptr)
        PutBack(pInfo->m_pOldCells);
    return TRUE;
}

BOOL CGXFormulaSheet::GetEngineNamedRange(LPCTSTR pszName, CGXRange& range)
{
    GXEngineRange engineRange;
    if (GXEngineLookupName(m_nSheet, pszName, &engineRange) == nullptr)
        return FALSE;
    range.SetCells(engineRange.Top(), engineRange.Left() + 1, engineRange.Bottom(), engineRange.Right() + 1);
    return TRUE;
}

BOOL CGXFormulaSheet::SetEngineExpression(LPCTSTR pszName, CObject*& pUndoInfo, BOOL bCollect)
{
    const int nOldCollect = GXEngineSetUndoCollect(m_nSheet, bCollect ? 1 : m_nUndoMode);
    const BOOL bExisted = GXEngineRemoveName(m_nSheet, pszName);
    GXEngineSheet* pSheet = GXEngineUseSheet(m_nSheet);
    if (bCollect && bExisted)
    {
        CGXUndoEngineCellsInfo* pInfo = DYNAMIC_DOWNCAST(CGXUndoEngineCellsInfo, pUndoInfo);
        if (pInfo == nullptr)
        {
            pInfo = new CGXUndoEngineCellsInfo;
            pUndoInfo = pInfo;
        }
        AppendChain(pInfo->m_pOldCells, GXEngineTakeUndoList(m_nSheet));
        GXEngineFreeName(pInfo->m_pRemovedName);
        pInfo->m_pRemovedName = pSheet->pRemovedName;
        pSheet->pRemovedName = nullptr;
    }
    GXEngineSetUndoCollect(m_nSheet, nOldCollect);
    return bExisted;
}

// Copying.

void CGXFormulaSheet::GetNameTexts(CStringArray& names) const
{
    for (const GXEngineName* pName = GXEngineUseSheet(m_nSheet)->pNames; pName != nullptr; pName = pName->pNext)
    {
        CString strText;
        strText.Format(_T("%s=%s"), pName->pszName, GXEngineCellRefText(pName->range));
        names.Add(strText);
    }
}

void CGXFormulaSheet::LoadNames(const CStringArray& names)
{
    for (INT_PTR i = 0; i < names.GetSize(); ++i)
    {
        const CString& strText = names[i];
        const int nEqual = strText.Find(_T('='));
        GXEngineRange range;
        if (nEqual > 0 && GXEngineParseCellRef(strText.Mid(nEqual + 1), range))
            GXEngineSetName(m_nSheet, strText.Left(nEqual), range);
    }
}

void CGXFormulaSheet::CopyEngineFrom(const CGXFormulaSheet& source)
{
    GXEngineClearSheet(m_nSheet);
    SetIterationLimit(source.GetIterationLimit());
    SetBlanksAsZero(source.GetBlanksAsZero());
    SetManualRecalc(source.GetManualRecalc());
    SetEagerRecalc(source.GetEagerRecalc());
    SetConstraintCheck(source.GetConstraintCheck());
    CStringArray names;
    source.GetNameTexts(names);
    LoadNames(names);
    GXEngineSheet* pSheet = GXEngineUseSheet(m_nSheet);
    GXEngineSheet* pSource = GXEngineUseSheet(source.m_nSheet);
    for (int nList : {GX_LIST_PLACEHOLDERS, GX_LIST_VALUES, GX_LIST_FORMULAS})
    {
        GXEngineForEachNode(pSource->lists[nList], [&](GXEngineNode* pNode) {
            if (!pNode->Is(GX_NODE_LINKED))
                return;
            GXEngineNode* pCopy = GXEngineCopyCell(&pSheet->lists[nList], pNode);
            // Names point at this sheet's own entries.
            for (WORD i = 0; pCopy->pExpr != nullptr && i < pCopy->pExpr->nCount; ++i)
            {
                GXEngineExprNode& node = pCopy->pExpr->pNodes[i];
                if ((node.Kind() == GX_EXPR_NAMED_CELL || node.Kind() == GX_EXPR_NAMED_RANGE) &&
                    node.u.pName != nullptr)
                    node.u.pName = GXEngineLookupName(pSheet, node.u.pName->pszName);
            }
            GXEngineLink(pSheet, pCopy);
        });
    }
}

void CGXFormulaSheet::MoveValuesIntoEngine()
{
    // The header row stays in the data part, as its styles are stored there.
    for (INT_PTR nRow = 1; nRow < m_apapCellStyle.GetSize(); ++nRow)
    {
        CGXStylePtrArray* pRow = m_apapCellStyle.GetRow(nRow);
        if (pRow == nullptr)
            continue;
        for (INT_PTR nCol = 1; nCol < pRow->GetSize(); ++nCol)
        {
            CGXStyle* pStyle = pRow->GetStyle(nCol);
            if (pStyle == nullptr)
                continue;
            const ROWCOL nGridRow = static_cast<ROWCOL>(nRow);
            const ROWCOL nGridCol = static_cast<ROWCOL>(nCol);
            const BOOL bStored = pStyle->GetValue().IsEmpty()
                                     ? SetTextRowCol(nGridRow, nGridCol, _T(""))
                                     : SetExpressionRowCol(nGridRow, nGridCol, pStyle->GetValue());
            const DWORD dwAttributes = pStyle->GetIncludeBits() & CGXStyle::inclAttributeBits;
            if (bStored && dwAttributes != CGXStyle::inclValue)
            {
                pStyle->SetIncludeValue(FALSE);
                GXEngineNode* pNode = FindNode(nGridRow, nGridCol);
                if (pNode->pStyle != nullptr)
                    pNode->pStyle->ChangeStyle(*pStyle, CGXStyle::modeOverride);
                else
                {
                    pNode->pStyle = pStyle;
                    pRow->SetAt(nCol, nullptr);
                }
            }
        }
        // The header column stays in the arrays.
        for (INT_PTR nCol = 1; nCol < pRow->GetSize(); ++nCol)
            delete pRow->GetStyle(nCol);
        if (pRow->GetSize() > 1)
            pRow->SetSize(1);
    }
}

CGXData& CGXFormulaSheet::operator=(const CGXData& source)
{
    if (&source == this)
        return *this;
    if (const CGXFormulaSheet* pSheet = DYNAMIC_DOWNCAST(CGXFormulaSheet, const_cast<CGXData*>(&source)))
    {
        CopyEngineFrom(*pSheet);
        CGXData::operator=(source);
        return *this;
    }
    GXEngineClearSheet(m_nSheet);
    CGXData::operator=(source);
    MoveValuesIntoEngine();
    return *this;
}

// Archives.

void CGXFormulaSheet::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << kSchema;
        CGXData::Serialize(ar);
        ar << static_cast<WORD>(GetIterationLimit()) << static_cast<WORD>(GetBlanksAsZero())
           << static_cast<WORD>(GetManualRecalc()) << static_cast<WORD>(GetEagerRecalc())
           << static_cast<WORD>(GetConstraintCheck());
        CStringArray names;
        GetNameTexts(names);
        names.Serialize(ar);
        SerializeCells(ar);
        return;
    }
    WORD nSchema = 0;
    ar >> nSchema;
    if (nSchema != kSchema)
        AfxThrowArchiveException(CArchiveException::badSchema);
    CGXData::Serialize(ar);
    GXEngineClearSheet(m_nSheet);
    try
    {
        WORD awSettings[5] = {};
        for (WORD& wSetting : awSettings)
            ar >> wSetting;
        SetIterationLimit(awSettings[0]);
        SetBlanksAsZero(awSettings[1]);
        SetManualRecalc(awSettings[2]);
        SetEagerRecalc(awSettings[3]);
        SetConstraintCheck(awSettings[4]);
        CStringArray names;
        names.Serialize(ar);
        LoadNames(names);
        LoadCells(ar);
    }
    catch (CException*)
    {
        // A damaged record leaves no half-read sheet behind.
        GXEngineClearSheet(m_nSheet);
        throw;
    }
}

void CGXFormulaSheet::SerializeCells(CArchive& ar)
{
    GXEngineSheet* pSheet = GXEngineUseSheet(m_nSheet);
    const int nDeferred = GXEngineBeginDefer(pSheet, GX_MASK_ALL);
    for (int nList : {GX_LIST_PLACEHOLDERS, GX_LIST_VALUES, GX_LIST_FORMULAS})
    {
        GXEngineForEachNode(pSheet->lists[nList], [&](GXEngineNode* pNode) {
            if (!pNode->Is(GX_NODE_LINKED))
                return;
            Refresh(pNode);
            ar << static_cast<BYTE>(1) << static_cast<BYTE>(pNode->Kind()) << static_cast<BYTE>(pNode->ValueType())
               << static_cast<BYTE>(pNode->dwFlags >> kArchivedFlagsShift) << static_cast<DWORD>(pNode->nRow)
               << static_cast<DWORD>(pNode->nCol);
            ar.WriteOwnedObject(pNode->pStyle);
            if (pNode->Kind() == GX_KIND_FORMULA || pNode->Kind() == GX_KIND_CONST_FORMULA)
                ar << GXEngineExpressionText(pSheet, pNode->pExpr);
            switch (pNode->ValueType())
            {
            case GX_VALUE_ERROR:
                ar << static_cast<WORD>(pNode->value.error.nCode);
                break;
            case GX_VALUE_NUMBER:
                ar << pNode->value.dNumber;
                break;
            case GX_VALUE_STRING:
            case GX_VALUE_SHORT_STRING:
                ar << pNode->GetString();
                break;
            default:
                break;
            }
        });
    }
    GXEngineEndDefer(pSheet, nDeferred);
    ar << static_cast<BYTE>(0);
}

void CGXFormulaSheet::LoadCells(CArchive& ar)
{
    GXEngineSheet* pSheet = GXEngineUseSheet(m_nSheet);
    const int nDeferred = GXEngineBeginDefer(pSheet, GX_MASK_ALL);
    GXEngineNode* pNode = nullptr;
    try
    {
        for (;;)
        {
            BYTE nMarker = 0;
            ar >> nMarker;
            if (nMarker == 0)
                break;
            BYTE nKind = 0, nType = 0, nFlags = 0;
            DWORD dwRow = 0, dwCol = 0;
            ar >> nKind >> nType >> nFlags >> dwRow >> dwCol;
            if (nKind > GX_KIND_CONST_FORMULA || nType > GX_VALUE_SHORT_STRING || dwRow < 1 ||
                dwRow > static_cast<DWORD>(GX_ENGINE_MAX_ROW) || dwCol > static_cast<DWORD>(GX_ENGINE_MAX_COL))
                ThrowDamaged();
            CGXStyle* pStyle = static_cast<CGXStyle*>(ar.ReadOwnedObject(RUNTIME_CLASS(CGXStyle)));
            pNode = GXEngineAllocNode(GXEngineListForKind(pSheet, nKind));
            pNode->pStyle = pStyle;
            pNode->nRow = static_cast<LONG>(dwRow);
            pNode->nCol = static_cast<LONG>(dwCol);
            // The running-state bit of a computation in progress does not come back.
            pNode->dwFlags |= (static_cast<DWORD>(nFlags) << kArchivedFlagsShift) & ~GX_NODE_COMPUTING;
            pNode->SetKind(nKind);
            pNode->SetValueType(nType);
            CString strFormula;
            if (nKind == GX_KIND_FORMULA || nKind == GX_KIND_CONST_FORMULA)
                ar >> strFormula;
            switch (nType)
            {
            case GX_VALUE_ERROR: {
                WORD wCode = 0;
                ar >> wCode;
                pNode->value.error.nCode = wCode;
                break;
            }
            case GX_VALUE_NUMBER:
                ar >> pNode->value.dNumber;
                break;
            case GX_VALUE_STRING:
            case GX_VALUE_SHORT_STRING: {
                CString strValue;
                ar >> strValue;
                if (nType == GX_VALUE_SHORT_STRING && strValue.GetLength() > 4)
                    ThrowDamaged();
                pNode->SetValueType(GX_VALUE_EMPTY);
                GXEngineSetNodeString(pNode, strValue, std::min(strValue.GetLength(), GX_ENGINE_MAX_TEXT));
                break;
            }
            default:
                break;
            }
            if (nKind == GX_KIND_FORMULA || nKind == GX_KIND_CONST_FORMULA)
            {
                strFormula = strFormula.Left(GX_ENGINE_MAX_TEXT);
                GXEngineExpr* pExpr = static_cast<GXEngineExpr*>(GXEngineAllocZero(sizeof(GXEngineExpr)));
                if (GXEngineParseFormula(m_nSheet, strFormula, pExpr))
                    pNode->pExpr = pExpr;
                else
                {
                    // A formula that no longer compiles is kept as its text.
                    GXEngineFreeExpression(pExpr);
                    GXEngineNode* pText = GXEngineAllocNode(GXEngineListForKind(pSheet, GX_KIND_TEXT));
                    pText->nRow = pNode->nRow;
                    pText->nCol = pNode->nCol;
                    pText->pStyle = pNode->pStyle;
                    pNode->pStyle = nullptr;
                    pText->SetKind(GX_KIND_TEXT);
                    GXEngineSetNodeString(pText, strFormula, strFormula.GetLength());
                    GXEngineFreeNode(pNode);
                    pNode = pText;
                }
            }
            GXEngineNode* pExisting = GXEngineFindCell(pSheet, pNode->nRow, pNode->nCol);
            if (pExisting != nullptr && pNode->Kind() == GX_KIND_PLACEHOLDER)
                GXEngineFreeNode(pNode);
            else
                GXEngineReplaceCell(pSheet, pNode);
            pNode = nullptr;
        }
    }
    catch (CException*)
    {
        if (pNode != nullptr)
            GXEngineFreeNode(pNode);
        GXEngineEndDefer(pSheet, nDeferred);
        throw;
    }
    GXEngineEndDefer(pSheet, nDeferred);
}
