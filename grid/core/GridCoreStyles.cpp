// Cell styles and values: composing, looking up and storing them, with undo and progress.
#include <grid/core/GridCore.h>

#include <grid/controls/Control.h>
#include <grid/core/AppData.h>
#include <grid/core/ColumnLetters.h>
#include <grid/core/Command.h>
#include <grid/core/Data.h>
#include <grid/core/GridParam.h>
#include <grid/core/LongOperationImp.h>
#include <grid/core/Properties.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>
#include <grid/core/StylesMap.h>
#include <grid/core/UserAttribute.h>
#include <toolkit/foundation/ScopedValue.h>

#include <functional>
#include <memory>

using tarnwick::foundation::SECScopedValue;

namespace
{
constexpr UINT highlightPattern = 17;
constexpr COLORREF highlightColor = RGB(0xC0, 0xC0, 0xC0);

// The cells a range stores into: rows and columns keep their styles in column 0 and row 0.
struct StoreArea
{
    ROWCOL nTop, nLeft, nBottom, nRight;

    explicit StoreArea(const CGXRange& range)
        : nTop(range.IsCols() || range.IsTable() ? 0 : range.top),
          nLeft(range.IsRows() || range.IsTable() ? 0 : range.left),
          nBottom(range.IsCols() || range.IsTable() ? 0 : range.bottom),
          nRight(range.IsRows() || range.IsTable() ? 0 : range.right)
    {
    }
    ULONGLONG Rows() const
    {
        return ULONGLONG(nBottom) - nTop + 1;
    }
    ULONGLONG Cols() const
    {
        return ULONGLONG(nRight) - nLeft + 1;
    }
    ULONGLONG Cells() const
    {
        return Rows() * Cols();
    }
};

} // namespace

BOOL CGXGridCore::GetStyleRowCol(ROWCOL nRow, ROWCOL nCol, CGXStyle& style, int nMode, int nType)
{
    CGXData* pData = GetData();
    return pData != nullptr && pData->GetStyleImpl(nRow, nCol, style, nMode, nType);
}

BOOL CGXGridCore::ComposeHeaderValue(ROWCOL nRow, ROWCOL nCol, CGXStyle& style)
{
    if (style.GetInclude(CGXStyle::inclValue) || (nRow != 0 && nCol != 0) || (nRow == 0 && nCol == 0))
        return FALSE;
    // Settings block A of the parameter object: row numbers, column letters.
    if (nRow == 0 && m_pParam->m_abSettingsA[1])
        style.SetValue(GXGetColumnLetters(nCol));
    else if (nCol == 0 && m_pParam->m_abSettingsA[0])
        style.SetValueLong(nRow);
    return TRUE;
}

void CGXGridCore::ComposeStyleRowCol(ROWCOL nRow, ROWCOL nCol, CGXStyle* pStyle, BOOL bApplyStandard)
{
    GetStyleRowCol(nRow, nCol, *pStyle, CGXStyle::modeCopy, 0);
    if (m_bValueOnly && pStyle->GetInclude(CGXStyle::inclValue))
        return;

    const ROWCOL nHeaderRows = GetHeaderRows();
    const ROWCOL nHeaderCols = GetHeaderCols();
    if (nCol > nHeaderCols)
        GetStyleRowCol(nRow, 0, *pStyle, CGXStyle::modeApplyNew, -1);
    if (nRow > nHeaderRows)
    {
        GetStyleRowCol(0, nCol, *pStyle, CGXStyle::modeApplyNew, -1);
        if (nCol > nHeaderCols)
            GetStyleRowCol(0, 0, *pStyle, CGXStyle::modeApplyNew, -1);
    }

    if (CGXStylesMap* pStylesMap = GetStylesMap())
        pStyle->LoadBaseStyle(*pStylesMap);
    if (nRow <= nHeaderRows && m_pStyleColHeader != nullptr)
        pStyle->ChangeStyle(*m_pStyleColHeader, CGXStyle::modeApplyNew);
    if (nCol <= nHeaderCols && m_pStyleRowHeader != nullptr)
        pStyle->ChangeStyle(*m_pStyleRowHeader, CGXStyle::modeApplyNew);

    if (m_pParam != nullptr)
        ComposeHeaderValue(nRow, nCol, *pStyle);
    if (bApplyStandard && m_pStyleStandard != nullptr)
        pStyle->ChangeStyle(*m_pStyleStandard, CGXStyle::modeApplyNew);

    if (m_pParam != nullptr && m_pParam->GetRangeHighlight() && m_pParam->m_SelRects.IsCellInList(nRow, nCol))
    {
        GXBrushRecord brush;
        brush.SetColor(highlightColor);
        brush.SetPattern(highlightPattern);
        pStyle->SetInterior(brush);
    }

    if (IsCurrentCell(nRow, nCol) && pStyle->GetInclude(CGXStyle::inclControl))
        if (CGXControl* pControl = GetRegisteredControl(pStyle->GetControl()); pControl && pControl->IsActive())
            return;

    if (pStyle->GetInclude(CGXStyle::inclValue) && pStyle->HasUserAttribute(GX_IDS_UA_NEGATIVE_COLOR) &&
        GXWcsToDouble(pStyle->GetValue()) < 0)
        pStyle->SetTextColor(static_cast<COLORREF>(pStyle->GetUserAttribute(GX_IDS_UA_NEGATIVE_COLOR).GetDWord()));
}

const CString& CGXGridCore::LookupStyleRowCol(ROWCOL nRow, ROWCOL nCol)
{
    CreateScratchStyles();
    m_pStyleValue->Free();
    m_bValueOnly = TRUE;
    ComposeStyleRowCol(nRow, nCol, m_pStyleValue, TRUE);
    m_bValueOnly = FALSE;
    return m_pStyleValue->GetValue();
}

const CString& CGXGridCore::GetValueRowCol(ROWCOL nRow, ROWCOL nCol)
{
    CreateScratchStyles();
    m_pStyleStored->Free();
    m_bValueOnly = TRUE;
    GetStyleRowCol(nRow, nCol, *m_pStyleStored, CGXStyle::modeCopy, m_nDefaultType);
    m_bValueOnly = FALSE;
    return m_pStyleStored->GetValue();
}

BOOL CGXGridCore::StoreStyleRowCol(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, int nMode, int nType)
{
    CGXData* pData = GetData();
    if (IsChangeLocked() || pData == nullptr)
        return FALSE;
    const BOOL bStored = pData->StoreStyleImpl(nRow, nCol, pStyle, nMode, nType);
    if (!m_bLockUpdate)
        InvalidateRange(nRow, nCol, nRow, nCol, GX_INVALIDATE, FALSE);
    if (IsCurrentCell(nRow, nCol) && m_pCurrentCellStyle != nullptr)
        m_pCurrentCellStyle->Free();
    return bStored;
}

BOOL CGXGridCore::SetStyleRangeShort(const CGXRange& range, const CGXStyle& style, int nMode, int nType, UINT flags)
{
    return SetStyleRange(range, &style, nMode, nType, nullptr, flags, 0);
}

BOOL CGXGridCore::SetValueRange(const CGXRange& range, LPCTSTR pszValue, int nMode, UINT flags)
{
    CGXStyle style;
    style.SetValue(pszValue);
    return SetStyleRange(range, &style, nMode, 0, nullptr, flags, 0);
}

void CGXGridCore::GetCellValueText(CString& strText, ROWCOL nRow, ROWCOL nCol)
{
    strText = GetValueRowCol(nRow, nCol);
}

BOOL CGXGridCore::StoreCellValue(ROWCOL nRow, ROWCOL nCol, const CString& strText, UINT flags,
                                 const CGXStyle* /*pStyle*/)
{
    return SetValueRange(CGXRange(nRow, nCol), strText, CGXStyle::modeOverride, flags);
}

BOOL CGXGridCore::SetControlTextRowCol(ROWCOL nRow, ROWCOL nCol, const CString& strText, UINT /*flags*/,
                                       const CGXStyle* pStyle)
{
    // A style of its own: storing may free the cache of composed styles.
    std::unique_ptr<CGXStyle, std::function<void(CGXStyle*)>> composed(nullptr,
                                                                       [this](CGXStyle* p) { RecycleStyle(p); });
    if (pStyle == nullptr)
    {
        composed.reset(CreateStyle());
        ComposeStyleRowCol(nRow, nCol, composed.get());
        pStyle = composed.get();
    }
    CGXControl* pControl = GetRegisteredControl(pStyle->GetControl());
    return pControl != nullptr && pControl->StoreValue(nRow, nCol, strText, pStyle);
}

void CGXGridCore::BeginDataChange(const CGXRange& range)
{
    if (CGXData* pData = GetData())
        pData->UpdateEngineRange(range);
}

void CGXGridCore::EndDataChange()
{
    if (CGXData* pData = GetData())
        pData->EnableEngineRecalc(FALSE);
}

void CGXGridCore::PrepareRangeUpdate(const CGXRange& range)
{
    RedrawRange(range, GX_INVALIDATE, FALSE);
}

BOOL CGXGridCore::SetStyleRange(const CGXRange& range, const CGXStyle* pStyle, int nMode, int nType,
                                const CObArray* pStyles, UINT flags, int nCommandKind)
{
    if (IsChangeLocked())
        return FALSE;
    if (nType == 0)
        nType = range.IsCells() ? m_nDefaultType : -1;
    const StoreArea area(range);

    CGXLongOperationScope operation;
    GXSetLongOperationStatus(operation.Record(), m_pAppData->m_sGenUndo);
    GXLongOpSetRollback(nCommandKind == 0);

    std::unique_ptr<CObArray, decltype(&GXDeleteUndoStyles)> oldStyles(nullptr, GXDeleteUndoStyles);
    if (m_pCommandFactory != nullptr && nCommandKind != 1 && m_pParam->m_bUndoEnabled)
    {
        if (area.Cells() < 0x7FFFFFFF && area.Rows() < 0x8000 && area.Cols() < 0x8000)
            oldStyles.reset(CopyStyleRange(range, nType, nCommandKind == 0));
        else if (AfxMessageBox(GXLoadResourceString(GX_IDS_UNDO_TOO_LARGE), MB_OKCANCEL | MB_ICONQUESTION) == IDCANCEL)
            return FALSE;
    }

    GXSetLongOperationStatus(operation.Record(),
                             nCommandKind == 0 ? m_pAppData->m_sStoringCells : m_pAppData->m_sRestoringCells);
    GXLongOpSetRollback(nCommandKind == 0 && oldStyles != nullptr);
    const SECScopedValue<BOOL> lockUpdate(m_bLockUpdate, TRUE);

    BOOL bChanged = FALSE;
    BOOL bAborted = FALSE;
    const ULONGLONG nCells = area.Cells();
    const ULONGLONG nEntries = pStyles != nullptr ? static_cast<ULONGLONG>(pStyles->GetSize()) : nCells;
    ULONGLONG nIndex = 0;
    for (ULONGLONG nRow = area.nTop; nRow <= area.nBottom && nIndex < nEntries && !bAborted; ++nRow)
        for (ULONGLONG nCol = area.nLeft; nCol <= area.nRight && nIndex < nEntries && !bAborted; ++nCol, ++nIndex)
        {
            const CGXStyle* pCellStyle = pStyle;
            int nCellMode = nMode;
            if (pStyles != nullptr)
            {
                pCellStyle = static_cast<const CGXStyle*>(pStyles->GetAt(static_cast<INT_PTR>(nIndex)));
                if (pCellStyle == nullptr)
                    nCellMode = 4;
            }
            bChanged |=
                StoreCellStyle(static_cast<ROWCOL>(nRow), static_cast<ROWCOL>(nCol), pCellStyle, nCellMode, nType);
            bAborted = GXLongOpReportProgress(operation.Record(), nIndex, nCells);
        }

    // An element past the last cell holds the data object's record of the cells (a direct
    // copy's formulas): it goes back over the stored styles.
    if (pStyles != nullptr && !bAborted && nEntries > nCells)
        if (CObject* pEngineInfo = pStyles->GetAt(static_cast<INT_PTR>(nCells)))
            bChanged |= RestoreDataObjectUndoInfo(pEngineInfo, 0, 0);
    if (bChanged)
    {
        DelaySpansAround(range);
        RedrawRange(range, flags, TRUE);
        DocumentLinkCall(1);
        if (oldStyles != nullptr)
            m_pCommandFactory->AddCommand(
                this, m_pCommandFactory->CreateSetStyleRangeCmd(range, nType, oldStyles.release(), nCommandKind),
                nCommandKind);
        if (nCommandKind == 2 || nCommandKind == 3)
            ShowCommandCell(area.nTop, area.nLeft, TRUE);
    }
    if (bAborted)
        AfxThrowUserException();
    return bChanged;
}

BOOL CGXGridCore::StoreCellStyle(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, int nMode, int nType)
{
    if (nType < 0)
        return StoreStyleRowCol(nRow, nCol, pStyle, nMode, nType);
    std::unique_ptr<CGXStyle> composed(CreateStyle());
    ComposeStyleRowCol(nRow, nCol, composed.get(), TRUE);
    const WORD nControlId =
        pStyle != nullptr && pStyle->GetInclude(CGXStyle::inclControl) ? pStyle->GetControl() : composed->GetControl();
    CGXControl* pControl = GetRegisteredControl(nControlId);
    RecycleStyle(composed.release());
    if (pControl == nullptr)
        return StoreStyleRowCol(nRow, nCol, pStyle, nMode, nType);
    return pControl->RebindToCell(nRow, nCol, pStyle, nMode, nType);
}

CObArray* CGXGridCore::CopyStyleRange(const CGXRange& range, int nType, BOOL bAbortable)
{
    const StoreArea area(range);
    std::unique_ptr<CObArray, decltype(&GXDeleteUndoStyles)> styles(new CObArray, GXDeleteUndoStyles);
    const ULONGLONG nCells = area.Cells();
    // One allocation at the final size: a cell's undo record must not cost a page.
    styles->SetSize(static_cast<INT_PTR>(nCells));
    CGXLongOperationScope operation;
    GXSetLongOperationStatus(operation.Record(), m_pAppData->m_sGenUndo);
    ULONGLONG nIndex = 0;
    // From the grid's pool: a cell without a style of its own keeps the style for the next cell,
    // and the last one goes back.
    std::unique_ptr<CGXStyle, std::function<void(CGXStyle*)>> style(nullptr, [this](CGXStyle* p) { RecycleStyle(p); });
    for (ULONGLONG nRow = area.nTop; nRow <= area.nBottom; ++nRow)
        for (ULONGLONG nCol = area.nLeft; nCol <= area.nRight; ++nCol, ++nIndex)
        {
            if (style == nullptr)
                style.reset(CreateStyle());
            else
                style->Free();
            if (GetStyleRowCol(static_cast<ROWCOL>(nRow), static_cast<ROWCOL>(nCol), *style, CGXStyle::modeCopy, nType))
                styles->SetAt(static_cast<INT_PTR>(nIndex), style.release());
            if (bAbortable && GXLongOpReportProgress(operation.Record(), nIndex, nCells))
                AfxThrowUserException();
        }
    return styles.release();
}

BOOL CGXGridCore::ChangeStylesMap(const CGXStylesMap& stylesMap, UINT flags, int nCommandKind)
{
    CGXStylesMap* pStylesMap = GetStylesMap();
    if (IsChangeLocked() || pStylesMap == nullptr)
        return FALSE;
    if (IsUndoRecorded(nCommandKind))
        m_pCommandFactory->AddCommand(this, m_pCommandFactory->CreateStylesMapCmd(this, *pStylesMap), nCommandKind);
    *pStylesMap = stylesMap;
    DocumentLinkCall(1);
    RefreshBaseStyles(flags, TRUE);
    return TRUE;
}

BOOL CGXGridCore::ChangeProperties(const CGXProperties& properties, UINT flags, int nCommandKind)
{
    CGXProperties* pProperties = GetProperties();
    if (IsChangeLocked() || pProperties == nullptr)
        return FALSE;
    if (IsUndoRecorded(nCommandKind))
        m_pCommandFactory->AddCommand(this, m_pCommandFactory->CreatePropertiesCmd(this, *pProperties), nCommandKind);
    if (CGXAbstractGridParamCopyOperatorImp* pCopy = m_pAppData->m_pParamCopyOperatorImp)
        pCopy->CopyProperties(*pProperties, properties);
    DocumentLinkCall(1);
    RefreshBaseStyles(flags, TRUE);
    return TRUE;
}

BOOL CGXGridCore::ChangeBaseStyle(WORD nBaseStyleId, const CGXStyle& style, int nMode, UINT flags, int nCommandKind)
{
    if (IsChangeLocked())
        return FALSE;
    CGXStyle* pBaseStyle = GetBaseStyle(nBaseStyleId);
    if (IsUndoRecorded(nCommandKind))
        m_pCommandFactory->AddCommand(this, m_pCommandFactory->CreateBaseStyleCmd(this, nBaseStyleId, *pBaseStyle),
                                      nCommandKind);
    pBaseStyle->ChangeStyle(style, nMode);
    DocumentLinkCall(1);
    RefreshAfterBaseStyleChange(nBaseStyleId, flags, TRUE);
    return TRUE;
}

BOOL CGXGridCore::IsUndoRecorded(int nCommandKind) const
{
    return m_pCommandFactory != nullptr && nCommandKind != 1 && m_pParam != nullptr && m_pParam->m_bUndoEnabled;
}

void CGXGridCore::RefreshBaseStyles(UINT flags, BOOL bHint)
{
    if (CGXStylesMap* pStylesMap = GetStylesMap())
    {
        m_pStyleStandard = m_pStyleRowHeader = m_pStyleColHeader = nullptr;
        pStylesMap->LookupStyle(pStylesMap->m_wStyleStandard, m_pStyleStandard);
        pStylesMap->LookupStyle(pStylesMap->m_wStyleRowHeader, m_pStyleRowHeader);
        pStylesMap->LookupStyle(pStylesMap->m_wStyleColHeader, m_pStyleColHeader);
    }
    RedrawGrid(flags, FALSE);
    if (CGXAbstractGridUpdateHintImp* pHints = HintSender(bHint))
        pHints->HintRefreshBaseStyles(this, flags);
}

void CGXGridCore::RefreshAfterBaseStyleChange(WORD nBaseStyleId, UINT flags, BOOL bHint)
{
    if (!m_bInitDone)
        return;
    FreeObjectCache();
    RefreshBaseStyles(flags, FALSE);
    if (CGXAbstractGridUpdateHintImp* pHints = HintSender(bHint))
        pHints->HintBaseStyleChange(this, nBaseStyleId, flags);
}

void CGXGridCore::RedrawRange(const CGXRange& range, UINT flags, BOOL bHint)
{
    CGXRange area(range);
    ExpandRangeByCoveredCells(area);
    ExpandRangeByFloatedCells(area);
    InvalidateRangeEx(area, flags, FALSE);
    if (CGXAbstractGridUpdateHintImp* pHints = HintSender(bHint))
        pHints->HintRedrawRange(this, range, flags);
}

LRESULT CGXGridCore::CallControlWithStyle(ROWCOL nRow, ROWCOL nCol, DWORD dwValue1, DWORD dwValue2,
                                          const CGXStyle* pStyle)
{
    std::unique_ptr<CGXStyle> composed;
    if (pStyle == nullptr)
    {
        composed.reset(new CGXStyle);
        ComposeStyleRowCol(nRow, nCol, composed.get(), TRUE);
        pStyle = composed.get();
    }
    CGXControl* pControl = GetRegisteredControl(pStyle->GetControl());
    return pControl != nullptr && pControl->ReservedHookA(nRow, nCol, dwValue1, dwValue2);
}

void CGXGridCore::DocumentLinkCall(int nCode)
{
    if (m_pGridDoc != nullptr && nCode == 1)
        m_pGridDoc->SetModifiedFlag(TRUE);
}

CGXStyle* CGXGridCore::GetComposedStyle(ROWCOL nRow, ROWCOL nCol)
{
    const BOOL bCurrent = IsCurrentCell(nRow, nCol) && nRow != 0 && nCol != 0;
    if (bCurrent && m_bCurrentCellStyleValid && m_pCurrentCellStyle != nullptr &&
        m_pCurrentCellStyle->GetIncludeBits() != 0)
        return m_pCurrentCellStyle;

    CGXStyle* pStyle = nullptr;
    if (bCurrent && !m_bKeepCurrentCellStyle)
        pStyle = nullptr;
    else
        LookupCachedStyle(nRow, nCol, pStyle);

    if (pStyle == nullptr)
    {
        pStyle = CreateStyle();
        ComposeStyleRowCol(nRow, nCol, pStyle, TRUE);
        if (IsReadOnly())
            pStyle->SetReadOnly(TRUE);
        if (!bCurrent || m_bKeepCurrentCellStyle)
            m_StyleCache.SetAt(GXDWORDPAIR{nRow, nCol}, pStyle);
        else
            m_StylesToDelete.AddTail(pStyle);
    }
    if (bCurrent)
    {
        m_pCurrentControl = GetRegisteredControl(pStyle->GetControl());
        if (m_pCurrentCellStyle != nullptr)
            m_pCurrentCellStyle->ChangeStyle(*pStyle, CGXStyle::modeCopy);
    }
    return pStyle;
}

CGXStyle* CGXGridCore::CreateStyle()
{
    if (!m_FreeStyles.empty())
    {
        CGXStyle* pStyle = m_FreeStyles.back();
        m_FreeStyles.pop_back();
        return pStyle;
    }
    return new CGXStyle;
}

void CGXGridCore::RecycleStyle(CGXStyle* pStyle)
{
    if (pStyle == nullptr)
        return;
    if (static_cast<INT_PTR>(m_FreeStyles.size()) < nMaxFreeStyles)
    {
        pStyle->Free();
        m_FreeStyles.push_back(pStyle);
    }
    else
        delete pStyle;
}

BOOL CGXGridCore::LookupCachedStyle(ROWCOL nRow, ROWCOL nCol, CGXStyle*& pStyle)
{
    CObject* pObject = nullptr;
    if (!m_StyleCache.Lookup(GXDWORDPAIR{nRow, nCol}, pObject))
        return FALSE;
    pStyle = static_cast<CGXStyle*>(pObject);
    return TRUE;
}

void CGXGridCore::SetKeptRowsCols(ROWCOL nRow1, ROWCOL nRow2, ROWCOL nCol1, ROWCOL nCol2)
{
    m_anKeptRows[0] = nRow1;
    m_anKeptRows[1] = nRow2;
    m_anKeptCols[0] = nCol1;
    m_anKeptCols[1] = nCol2;
}

BOOL CGXGridCore::IsKeptCell(ROWCOL nRow, ROWCOL nCol) const
{
    const auto isKept = [](const ROWCOL(&anKept)[2], ROWCOL n) { return n != 0 && (n == anKept[0] || n == anKept[1]); };
    return isKept(m_anKeptRows, nRow) || isKept(m_anKeptCols, nCol) ||
           (m_bCurrentCell && nRow == m_nCurrentRow && nCol == m_nCurrentCol);
}

void CGXGridCore::FreeStyleCache()
{
    const BOOL bPartial = m_anKeptRows[0] != 0 || m_anKeptRows[1] != 0 || m_anKeptCols[0] != 0 || m_anKeptCols[1] != 0;
    CArray<GXDWORDPAIR> freed;
    for (POSITION pos = m_StyleCache.GetStartPosition(); pos != nullptr;)
    {
        GXDWORDPAIR cell;
        CObject* pObject;
        m_StyleCache.GetNextAssoc(pos, cell, pObject);
        if (bPartial && IsKeptCell(cell.nFirst, cell.nSecond))
            continue;
        RecycleStyle(static_cast<CGXStyle*>(pObject));
        freed.Add(cell);
    }
    if (!bPartial)
    {
        m_StyleCache.RemoveAll();
        if (!m_bKeepCurrentCellStyle)
        {
            if (m_pCurrentCellStyle != nullptr)
                m_pCurrentCellStyle->Free();
            m_pCurrentControl = nullptr;
        }
    }
    else
        for (INT_PTR i = 0; i < freed.GetSize(); ++i)
            m_StyleCache.RemoveKey(freed[i]);

    while (!m_StylesToDelete.IsEmpty())
        delete static_cast<CGXStyle*>(m_StylesToDelete.RemoveHead());
}
