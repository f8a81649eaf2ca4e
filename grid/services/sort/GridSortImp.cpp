// Sorting rows and columns: reading and converting the keys, ordering the records, moving the
// data into the order with undo, and the sort by a header double-click.
#include <grid/services/sort/GridSortImp.h>

#include <grid/controls/ComposedStyle.h>
#include <grid/controls/Control.h>
#include <grid/core/AppData.h>
#include <grid/core/Data.h>
#include <grid/core/GridCore.h>
#include <grid/core/GridParam.h>
#include <grid/core/LongOperationImp.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/SortInfoArray.h>
#include <grid/core/Style.h>
#include <grid/services/ControlFactory.h>
#include <grid/services/sort/SortKeys.h>

#include <oleauto.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace
{
// The locale of reading numbers and dates: the user's.
constexpr LCID sortLocale = 1024;
// The characters of a text an automatic key may still take as a number.
constexpr LPCTSTR numericChars = _T("0123456789,.-e ");

// One row (column) of the range: its key texts, the converted values and where it stood.
struct SortRecord
{
    CStringArray keys;
    GXSortKeyValue* values = nullptr; // the record's part of the sort's values
    DWORD nFirst = 0;
    const CGXSortInfoArray* pSortInfo = nullptr;
};

int CompareNumbers(double a, double b)
{
    return a == b ? 0 : a > b ? 1 : -1;
}

int CompareTexts(LPCTSTR a, LPCTSTR b, DWORD bCase)
{
    return bCase ? wcscoll(a, b) : _wcsicoll(a, b);
}

// The order of two records by the keys in priority order from the given one, then by their
// first position.
int CompareSortRows(const SortRecord& a, const SortRecord& b, INT_PTR nFromKey = 0)
{
    const CGXSortInfoArray& sortInfo = *a.pSortInfo;
    for (INT_PTR i = nFromKey; i < sortInfo.GetSize(); ++i)
    {
        const CGXSortInfoArray::SortKey& key = sortInfo[i];
        int nResult = 0;
        switch (key.nType)
        {
        case CGXSortInfoArray::numeric:
            nResult = CompareNumbers(a.values[i].value, b.values[i].value);
            break;
        case CGXSortInfoArray::absolute:
            nResult = CompareNumbers(GXFabs(a.values[i].value), GXFabs(b.values[i].value));
            break;
        case CGXSortInfoArray::date:
        {
            const GXSortKeyValue& va = a.values[i];
            const GXSortKeyValue& vb = b.values[i];
            // What is no date (an empty cell) is equal to its kind and follows every date,
            // whichever the direction.
            if (va.nKind != 0 || vb.nKind != 0)
            {
                if (va.nKind != 0 && vb.nKind != 0)
                    continue;
                return va.nKind != 0 ? 1 : -1;
            }
            if (!CompareSortKeys(va, vb))
                nResult = CompareSortKeysNumeric(va, vb) ? 1 : -1;
            break;
        }
        default:
            nResult = CompareTexts(a.keys[i], b.keys[i], key.bCase);
            break;
        }
        if (nResult != 0)
            return key.bDescending ? -nResult : nResult;
    }
    return a.nFirst < b.nFirst ? -1 : a.nFirst > b.nFirst ? 1 : 0;
}

// An automatic key's view of one more non-empty text.
void ObserveAutomaticKey(CGXSortInfoArray::SortKey& key, CString& strText)
{
    if (key.bAllDates)
    {
        GXSortKeyValue value;
        key.bAllDates = GXParseNumber(strText, 0, sortLocale, value);
    }
    if (key.bAllNumeric)
    {
        key.bAllNumeric = GXSpanCharsEnd(strText, numericChars) == nullptr;
        strText.TrimLeft();
        if (strText.ReverseFind(_T('-')) > 0)
            key.bAllNumeric = FALSE;
    }
}

// Converts the keys of numbers and dates once; their texts are no longer needed.
void ConvertValues(std::vector<SortRecord>& records, const CGXSortInfoArray& sortInfo)
{
    for (INT_PTR i = 0; i < sortInfo.GetSize(); ++i)
    {
        const DWORD nType = sortInfo[i].nType;
        if (nType == CGXSortInfoArray::text)
            continue;
        for (SortRecord& record : records)
        {
            GXSortKeyValue& value = record.values[i];
            CString& strText = record.keys[i];
            if (nType == CGXSortInfoArray::date)
                GXParseNumber(strText, 0, sortLocale, value);
            else
            {
                // Empty texts, and texts that are no number, sort as 0.
                double d = 0.0;
                if (strText.IsEmpty() ||
                    FAILED(::VarR8FromStr(const_cast<LPOLESTR>(static_cast<LPCTSTR>(strText)), sortLocale, 0, &d)))
                    d = 0.0;
                value.value = d;
                value.nKind = 0;
            }
            strText.Empty();
        }
    }
}

// Reorders entries nFirst + order[i] of the array into nFirst + i; entries past the end are
// empty, and trailing empty entries the array grew by are dropped again.
void ReorderPointers(CPtrArray& array, ROWCOL nFirst, const CDWordArray& order)
{
    const INT_PTR nCount = order.GetSize();
    const INT_PTR nSize = array.GetSize();
    std::vector<void*> moved(static_cast<size_t>(nCount));
    for (INT_PTR i = 0; i < nCount; ++i)
    {
        const INT_PTR nFrom = static_cast<INT_PTR>(nFirst) + order[i];
        moved[static_cast<size_t>(i)] = nFrom < nSize ? array.GetAt(nFrom) : nullptr;
    }
    const INT_PTR nEnd = static_cast<INT_PTR>(nFirst) + nCount;
    if (array.GetSize() < nEnd)
        array.SetSize(nEnd);
    INT_PTR nHighest = -1;
    for (INT_PTR i = 0; i < nCount; ++i)
    {
        array.SetAt(static_cast<INT_PTR>(nFirst) + i, moved[static_cast<size_t>(i)]);
        if (moved[static_cast<size_t>(i)] != nullptr)
            nHighest = static_cast<INT_PTR>(nFirst) + i;
    }
    // Entries before the range stay, whatever the range holds.
    if (array.GetSize() == nEnd && nHighest + 1 != nEnd)
        array.SetSize(std::max(nHighest + 1, static_cast<INT_PTR>(nFirst)));
}

// Whether record a comes before record b, given their first keys; ties compare the records
// from their second key. The order is total (the first position decides last), so an in-place
// sort and a merge give the same result.
template <typename Key, typename CompareKeys>
bool RecordBefore(Key a, Key b, const SortRecord& recordA, const SortRecord& recordB, CompareKeys compareKeys)
{
    const int nResult = compareKeys(a, b);
    return nResult != 0 ? nResult < 0 : CompareSortRows(recordA, recordB, 1) < 0;
}

// Numbers compare cheaply: the records are sorted in place, with nothing to allocate or fill.
void SortByNumber(SortRecord** pRecords, size_t nCount, const CGXSortInfoArray::SortKey& first)
{
    // Descending numbers are read negated, so one comparison serves both directions.
    const BOOL bAbsolute = first.nType == CGXSortInfoArray::absolute;
    const double dSign = first.bDescending ? -1.0 : 1.0;
    const auto number = [=](const SortRecord* pRecord) {
        const double d = pRecord->values[0].value;
        return dSign * (bAbsolute ? GXFabs(d) : d);
    };
    std::sort(pRecords, pRecords + nCount, [&](const SortRecord* a, const SortRecord* b) {
        return RecordBefore(number(a), number(b), *a, *b, CompareNumbers);
    });
}

// Texts compare dearly: a merge compares least often. Its buffer holds record pointers only.
void SortByText(SortRecord** pRecords, size_t nCount, const CGXSortInfoArray::SortKey& first)
{
    const DWORD bCase = first.bCase;
    const int nSign = first.bDescending ? -1 : 1;
    const auto compareTexts = [=](LPCTSTR a, LPCTSTR b) { return nSign * CompareTexts(a, b, bCase); };
    std::stable_sort(pRecords, pRecords + nCount, [&](const SortRecord* a, const SortRecord* b) {
        return RecordBefore<LPCTSTR>(a->keys[0], b->keys[0], *a, *b, compareTexts);
    });
}
} // namespace

void CGXGridSortImp::QuickSort(CGXGridCore* /*pGrid*/, const CGXSortInfoArray& sortInfo, CPtrArray& records)
{
    if (sortInfo.GetSize() == 0)
        return;
    const CGXSortInfoArray::SortKey& first = sortInfo[0];
    auto* const pRecords = reinterpret_cast<SortRecord**>(records.GetData());
    const size_t nCount = static_cast<size_t>(records.GetSize());
    switch (first.nType)
    {
    case CGXSortInfoArray::numeric:
    case CGXSortInfoArray::absolute:
        SortByNumber(pRecords, nCount, first);
        break;
    case CGXSortInfoArray::text:
        SortByText(pRecords, nCount, first);
        break;
    default:
        std::stable_sort(pRecords, pRecords + nCount,
                         [](const SortRecord* a, const SortRecord* b) { return CompareSortRows(*a, *b) < 0; });
        break;
    }
}

void CGXGridSortImp::GetSortKeys(CGXGridCore* pGrid, BOOL bRows, ROWCOL nIndex, const CGXSortInfoArray& sortInfo,
                                 CStringArray& keys)
{
    keys.SetSize(sortInfo.GetSize());
    for (INT_PTR i = 0; i < sortInfo.GetSize(); ++i)
    {
        const ROWCOL nRow = bRows ? nIndex : sortInfo[i].nRowCol;
        const ROWCOL nCol = bRows ? sortInfo[i].nRowCol : nIndex;
        const ComposedStyle composed(pGrid, nRow, nCol);
        CString strText;
        if (CGXControl* pControl = pGrid->GetRegisteredControl(composed.m_pStyle->GetControl()))
            pControl->FormatDisplayText(strText, nRow, nCol, nullptr, *composed.m_pStyle);
        keys[i] = strText;
    }
}

void CGXGridSortImp::GetSortKeyRow(CGXGridCore* pGrid, ROWCOL nRow, const CGXSortInfoArray& sortInfo,
                                   CStringArray& keys)
{
    GetSortKeys(pGrid, TRUE, nRow, sortInfo, keys);
}

void CGXGridSortImp::GetSortKeyCol(CGXGridCore* pGrid, ROWCOL nCol, const CGXSortInfoArray& sortInfo,
                                   CStringArray& keys)
{
    GetSortKeys(pGrid, FALSE, nCol, sortInfo, keys);
}

void CGXGridSortImp::SortRows(CGXGridCore* pGrid, const CGXRange* pRange, CGXSortInfoArray& sortInfo, UINT flags)
{
    Sort(pGrid, TRUE, pRange, sortInfo, flags);
}

void CGXGridSortImp::SortCols(CGXGridCore* pGrid, const CGXRange* pRange, CGXSortInfoArray& sortInfo, UINT flags)
{
    Sort(pGrid, FALSE, pRange, sortInfo, flags);
}

void CGXGridSortImp::Sort(CGXGridCore* pGrid, BOOL bRows, const CGXRange* pRange, CGXSortInfoArray& sortInfo,
                          UINT flags)
{
    const ROWCOL nCount = bRows ? pGrid->GetRowCount() : pGrid->GetColCount();
    const ROWCOL nHeaders = bRows ? pGrid->GetHeaderRows() : pGrid->GetHeaderCols();
    if (nCount < 2 || sortInfo.GetSize() == 0 || pGrid->GetParam() == nullptr)
        return;
    CGXRange range = pRange != nullptr ? *pRange : CGXRange().SetTable();
    if (!range.IsValid() || range.IsTable())
        range = bRows ? CGXRange().SetRows(nHeaders + 1, nCount) : CGXRange().SetCols(nHeaders + 1, nCount);
    const ROWCOL nFirst = bRows ? range.top : range.left;
    const ROWCOL nLast = std::min(bRows ? range.bottom : range.right, nCount);
    if (nFirst > nLast || nLast - nFirst >= 0x7FFFFFFF)
        return;

    pGrid->UpdateCurrentCellState(7, TRUE, TRUE);
    pGrid->StoreCurrentCell(TRUE, GX_UPDATENOW, TRUE);
    std::vector<SortRecord> records(static_cast<size_t>(nLast - nFirst) + 1);
    // The converted keys of all records, side by side.
    std::vector<GXSortKeyValue> values(records.size() * static_cast<size_t>(sortInfo.GetSize()));
    {
        CGXLongOperationScope operation;
        GXSetLongOpStatusText(operation.Record(), bRows ? GX_IDS_SORT_ROWS : GX_IDS_SORT_COLS);
        GXLongOpSetRollback(FALSE);
        GXSetLongOpAbortable(TRUE);
        for (INT_PTR i = 0; i < sortInfo.GetSize(); ++i)
            sortInfo[i].bAllNumeric = sortInfo[i].bAllDates = TRUE;
        try
        {
            for (size_t n = 0; n < records.size(); ++n)
            {
                SortRecord& record = records[n];
                GetSortKeys(pGrid, bRows, nFirst + static_cast<ROWCOL>(n), sortInfo, record.keys);
                record.nFirst = static_cast<DWORD>(n);
                record.pSortInfo = &sortInfo;
                record.values = &values[n * static_cast<size_t>(sortInfo.GetSize())];
                for (INT_PTR i = 0; i < sortInfo.GetSize(); ++i)
                    if (sortInfo[i].nType == CGXSortInfoArray::autodetect && !record.keys[i].IsEmpty())
                        ObserveAutomaticKey(sortInfo[i], record.keys[i]);
                BOOL bAborted = FALSE;
                if (GXLongOpIsFeedbackDue(operation.Record()) && GXGetLongOperationAbort(operation.Record(), bAborted) &&
                    bAborted)
                    AfxThrowUserException();
            }
        }
        catch (CUserException* e)
        {
            // Aborted while the keys were read: nothing moves.
            e->Delete();
            return;
        }
    }
    for (INT_PTR i = 0; i < sortInfo.GetSize(); ++i)
    {
        CGXSortInfoArray::SortKey& key = sortInfo[i];
        if (key.nType == CGXSortInfoArray::autodetect)
            key.nType = key.bAllDates    ? CGXSortInfoArray::date
                        : key.bAllNumeric ? CGXSortInfoArray::numeric
                                          : CGXSortInfoArray::text;
    }
    ConvertValues(records, sortInfo);

    CPtrArray sorted;
    sorted.SetSize(static_cast<INT_PTR>(records.size()));
    for (size_t n = 0; n < records.size(); ++n)
        sorted.SetAt(static_cast<INT_PTR>(n), &records[n]);
    pGrid->SortKeyArray(sortInfo, sorted);
    CDWordArray order;
    order.SetSize(sorted.GetSize());
    for (INT_PTR n = 0; n < sorted.GetSize(); ++n)
        order[n] = static_cast<const SortRecord*>(sorted[n])->nFirst;

    CGXGridParam* pParam = pGrid->GetParam();
    pParam->m_nLastSortKeyRow = bRows ? GX_INVALID : sortInfo[0].nRowCol;
    pParam->m_nLastSortKeyCol = bRows ? sortInfo[0].nRowCol : GX_INVALID;
    pParam->m_bLastSortAscending = !sortInfo[0].bDescending;
    const CGXRange moved = bRows ? CGXRange().SetRows(nFirst, nLast) : CGXRange().SetCols(nFirst, nLast);
    if (bRows)
        pGrid->MoveRowsToSortOrder(moved, order, flags, 0);
    else
        pGrid->MoveColsToSortOrder(moved, order, flags, 0);
    records.clear();
    ::SetProcessWorkingSetSize(::GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
}

BOOL CGXGridSortImp::MoveDataRows(CGXGridCore* pGrid, const CGXRange& range, const CDWordArray& order, UINT flags,
                                  int nCommandKind)
{
    return MoveData(pGrid, TRUE, range, order, flags, nCommandKind);
}

BOOL CGXGridSortImp::MoveDataCols(CGXGridCore* pGrid, const CGXRange& range, const CDWordArray& order, UINT flags,
                                  int nCommandKind)
{
    return MoveData(pGrid, FALSE, range, order, flags, nCommandKind);
}

BOOL CGXGridSortImp::MoveData(CGXGridCore* pGrid, BOOL bRows, const CGXRange& range, const CDWordArray& order,
                              UINT flags, int nCommandKind)
{
    if (!(bRows ? pGrid->MoveRowDataToSortOrder(range, order) : pGrid->MoveColDataToSortOrder(range, order)))
        return FALSE;
    pGrid->SetSelection(nullptr, 0, 0, 0, 0);
    const CGXRange table = CGXRange().SetTable();
    pGrid->DelayFloatCells(table, GX_INVALID);
    pGrid->DelayMergeCells(table, GX_INVALID, GX_INVALID);
    pGrid->DocumentLinkCall(1);
    if (bRows)
        pGrid->OnRowsSorted(range, flags, TRUE);
    else
        pGrid->OnColsSorted(range, flags, TRUE);
    CGXAbstractCommandFactory* pFactory = pGrid->m_pCommandFactory;
    if (pFactory != nullptr && nCommandKind != 1 && pGrid->GetParam()->m_bUndoEnabled)
    {
        auto pInverse = std::make_unique<CDWordArray>();
        GXInverseSortOrder(order, *pInverse);
        pFactory->AddCommand(pGrid, pFactory->CreateMoveDataCmd(bRows, pInverse.release(), range), nCommandKind);
    }
    return TRUE;
}

BOOL CGXGridSortImp::MoveDataRowsInData(CGXGridCore* pGrid, const CGXRange& range, const CDWordArray& order)
{
    CGXData* pData = pGrid->GetData();
    return pData != nullptr && pData->MoveDataRows(range, order);
}

BOOL CGXGridSortImp::MoveDataColsInData(CGXGridCore* pGrid, const CGXRange& range, const CDWordArray& order)
{
    CGXData* pData = pGrid->GetData();
    return pData != nullptr && pData->MoveDataCols(range, order);
}

// The core's sort notification sends the other views their hint; a replayed sort (bHint FALSE)
// stores the current cell without hinting back.
void CGXGridSortImp::OnMovedDataRows(CGXGridCore* pGrid, const CGXRange& /*range*/, UINT flags, BOOL bHint)
{
    pGrid->StoreCurrentCell(FALSE, 0, bHint);
    if (!pGrid->GetParam()->m_bSeveralCommands)
        pGrid->RedrawGrid(flags, FALSE);
}

void CGXGridSortImp::OnMovedDataCols(CGXGridCore* pGrid, const CGXRange& range, UINT flags, BOOL bHint)
{
    OnMovedDataRows(pGrid, range, flags, bHint);
}

BOOL CGXGridSortImp::SortOnHeaderDblClk(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr)
        return FALSE;
    const BOOL bSortCols = nRow > 0 && nCol == 0 && pParam->m_bSortColsByHeader;
    const BOOL bSortRows = nRow == 0 && nCol > 0 && pParam->m_bSortRowsByHeader;
    if (!bSortCols && !bSortRows)
        return FALSE;
    CGXSortInfoArray sortInfo;
    sortInfo.SetSize(1);
    sortInfo[0].nRowCol = bSortCols ? nRow : nCol;
    sortInfo[0].nType = CGXSortInfoArray::autodetect;
    const ROWCOL nLastKey = bSortCols ? pParam->m_nLastSortKeyRow : pParam->m_nLastSortKeyCol;
    sortInfo[0].bDescending = nLastKey == sortInfo[0].nRowCol && pParam->m_bLastSortAscending;
    if (bSortCols)
        pGrid->SortCols(CGXRange().SetTable(), sortInfo, GX_UPDATENOW);
    else
        pGrid->SortRows(CGXRange().SetTable(), sortInfo, GX_UPDATENOW);
    pGrid->UpdateCurrentCellState(bSortCols ? 2 : 7, TRUE, TRUE);
    return TRUE;
}

BOOL CGXGridSortMoveDataImp::MoveDataRows(CGXData* pData, const CGXRange& range, const CDWordArray& order)
{
    ReorderPointers(pData->m_apapCellStyle, range.top, order);
    ReorderPointers(pData->m_apRowBaseStyle, range.top, order);
    return TRUE;
}

BOOL CGXGridSortMoveDataImp::MoveDataCols(CGXData* pData, const CGXRange& range, const CDWordArray& order)
{
    for (INT_PTR i = 0; i < pData->m_apapCellStyle.GetSize(); ++i)
        if (auto* pRow = static_cast<CPtrArray*>(pData->m_apapCellStyle.GetAt(i)))
            ReorderPointers(*pRow, range.left, order);
    ReorderPointers(pData->m_apColBaseStyle, range.left, order);
    return TRUE;
}

void GXInstallGridSortMoveDataImp()
{
    GXInstallImp<CGXGridSortMoveDataImp>(GXGetAppDataPtr()->m_pSortMoveDataImp);
}
