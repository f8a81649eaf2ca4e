// The archive records of the parameter object, styles map, cell data and properties.
#include <grid/services/archive/GridDocSerializeImp.h>

#include <grid/core/AppData.h>
#include <grid/core/Data.h>
#include <grid/core/DelayedRangePool.h>
#include <grid/core/GridParam.h>
#include <grid/core/PrintDevice.h>
#include <grid/core/Properties.h>
#include <grid/core/SpanCellPool.h>
#include <grid/core/SparseArray.h>
#include <grid/core/Style.h>
#include <grid/core/StylePtrArray.h>
#include <grid/core/StylePtrArrayPtrArray.h>
#include <grid/core/StylesMap.h>
#include <grid/core/WordCount.h>
#include <grid/services/ControlFactory.h>
#include <grid/services/archive/StyleSerializeImp.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace
{
// Stores the value in the archive's width, or loads it from that width (zero-extended).
template <class Stored, class T> void Exchange(CArchive& ar, T& value)
{
    if (ar.IsStoring())
        ar << static_cast<Stored>(value);
    else
        value = static_cast<T>(GXReadArchiveValue<Stored>(ar));
}

void CheckSchema(WORD wSchema, WORD wNewest, BOOL bExact)
{
    if (wSchema > wNewest || (bExact && wSchema != wNewest))
        AfxThrowArchiveException(CArchiveException::badSchema);
}

WORD ReadSchema(CArchive& ar, WORD wNewest, BOOL bExact)
{
    const WORD wSchema = GXReadArchiveValue<WORD>(ar);
    CheckSchema(wSchema, wNewest, bExact);
    return wSchema;
}

template <class Entry> std::vector<Entry*> SortedById(const CTypedPtrMap<CMapWordToPtr, WORD, Entry*>& map)
{
    std::vector<Entry*> entries;
    for (POSITION pos = map.GetStartPosition(); pos != nullptr;)
    {
        WORD nId;
        Entry* pEntry;
        map.GetNextAssoc(pos, nId, pEntry);
        entries.push_back(pEntry);
    }
    std::sort(entries.begin(), entries.end(), [](const Entry* a, const Entry* b) { return a->nId < b->nId; });
    return entries;
}

CString ResourceNameOr(UINT nId, LPCTSTR pszFormat)
{
    CString strName;
    if (!strName.LoadString(nId))
        strName.Format(pszFormat, nId);
    return strName;
}
} // namespace

// Styles map.

void CGXGridDocSerializeImp::SerializeStylesMap(CGXStylesMap& map, CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << nStylesMapSchema << map.m_strProfileSection;

        std::vector<std::pair<WORD, CString*>> controls;
        for (POSITION pos = map.m_mapControlNames.GetStartPosition(); pos != nullptr;)
        {
            WORD nId;
            CString* pName;
            map.m_mapControlNames.GetNextAssoc(pos, nId, pName);
            controls.emplace_back(nId, pName);
        }
        std::sort(controls.begin(), controls.end());
        GXWriteWordCount(ar, static_cast<INT_PTR>(controls.size()));
        for (const auto& [nId, pName] : controls)
            ar << static_cast<DWORD>(nId) << *pName;

        std::vector<std::pair<WORD, CString>> names;
        for (POSITION pos = map.m_mapNames.GetStartPosition(); pos != nullptr;)
        {
            CString strName;
            WORD nId;
            map.m_mapNames.GetNextAssoc(pos, strName, nId);
            names.emplace_back(nId, strName);
        }
        std::sort(names.begin(), names.end(), [](const auto& a, const auto& b) {
            return a.first != b.first ? a.first < b.first : a.second.Compare(b.second) < 0;
        });
        GXWriteWordCount(ar, static_cast<INT_PTR>(names.size()));
        for (const auto& [nId, strName] : names)
            ar << nId << strName;

        const auto styles = SortedById(map.m_mapStyles);
        GXWriteWordCount(ar, static_cast<INT_PTR>(styles.size()));
        for (const CGXStylesMap::BaseStyleEntry* pEntry : styles)
        {
            ar << pEntry->nId << static_cast<DWORD>(pEntry->nResourceId) << pEntry->strName
               << static_cast<BYTE>(pEntry->dwFlags);
            pEntry->pStyle->Serialize(ar, &map);
        }
        ar << map.m_nNextId;

        const auto attributes = SortedById(map.m_mapUserAttributes);
        GXWriteWordCount(ar, static_cast<INT_PTR>(attributes.size()));
        for (const CGXStylesMap::UserAttributeEntry* pEntry : attributes)
        {
            ar << static_cast<DWORD>(pEntry->nId);
            pEntry->pStyle->Serialize(ar, &map);
        }
        return;
    }

    const WORD wSchema = ReadSchema(ar, nStylesMapSchema, FALSE);
    map.RemoveControls();
    map.RemoveAll();
    map.m_mapResourceIds.RemoveAll();
    map.m_wStyleStandard = map.m_wStyleColHeader = map.m_wStyleRowHeader = 0;
    ar >> map.m_strProfileSection;

    for (WORD nCount = GXReadArchiveValue<WORD>(ar); nCount > 0; --nCount)
    {
        const WORD nId = static_cast<WORD>(GXReadArchiveValue<DWORD>(ar));
        auto pName = std::make_unique<CString>(GXReadArchiveValue<CString>(ar));
        CString* pOld;
        if (map.m_mapControlNames.Lookup(nId, pOld))
            delete pOld;
        map.m_mapControlNames.SetAt(nId, pName.release());
    }
    // The name table is rebuilt from the style entries.
    for (WORD nCount = GXReadArchiveValue<WORD>(ar); nCount > 0; --nCount)
    {
        GXReadArchiveValue<WORD>(ar);
        GXReadArchiveValue<CString>(ar);
    }
    for (WORD nCount = GXReadArchiveValue<WORD>(ar); nCount > 0; --nCount)
    {
        const WORD nId = GXReadArchiveValue<WORD>(ar);
        const UINT nResourceId = GXReadArchiveValue<DWORD>(ar);
        CString strName = GXReadArchiveValue<CString>(ar);
        const BYTE nFlags = GXReadArchiveValue<BYTE>(ar);
        std::unique_ptr<CGXStyle> pStyle(map.CreateStyle());
        pStyle->Serialize(ar, &map);
        if (nResourceId > 0)
        {
            strName = ResourceNameOr(nResourceId, _T("STYLE%u"));
            map.m_mapResourceIds.SetAt(nResourceId, nId);
        }
        map.m_mapNames.SetAt(strName, nId);
        CGXStylesMap::BaseStyleEntry* pOld;
        if (map.m_mapStyles.Lookup(nId, pOld))
        {
            delete pOld->pStyle;
            delete pOld;
        }
        map.m_mapStyles.SetAt(nId, new CGXStylesMap::BaseStyleEntry{nId, nResourceId, strName, pStyle.get(), nFlags});
        pStyle.release();
    }
    ar >> map.m_nNextId;

    if (wSchema >= 2)
    {
        for (WORD nCount = GXReadArchiveValue<WORD>(ar); nCount > 0; --nCount)
        {
            const WORD nId = static_cast<WORD>(GXReadArchiveValue<DWORD>(ar));
            std::unique_ptr<CGXStyle> pStyle(map.CreateStyle());
            pStyle->Serialize(ar, &map);
            CGXStylesMap::UserAttributeEntry* pOld;
            if (map.m_mapUserAttributes.Lookup(nId, pOld))
            {
                delete pOld->pStyle;
                delete pOld;
            }
            map.m_mapUserAttributes.SetAt(
                nId, new CGXStylesMap::UserAttributeEntry{nId, ResourceNameOr(nId, _T("UA%u")), pStyle.get()});
            pStyle.release();
        }
    }
    map.m_wStyleStandard = map.LookupResourceId(CGXStylesMap::idsStandard);
    map.m_wStyleColHeader = map.LookupResourceId(CGXStylesMap::idsColumnHeader);
    map.m_wStyleRowHeader = map.LookupResourceId(CGXStylesMap::idsRowHeader);
}

// Cell data and its style arrays.

namespace
{
// How far an array of one slot per row or column (the headers' included) may reach.
DWORD SlotLimit(ROWCOL nCount)
{
    return nCount < GX_SPARSE_END ? static_cast<DWORD>(nCount) + 1 : GX_SPARSE_END;
}

void LoadStyleArray(CGXStylePtrArray& styles, CArchive& ar, DWORD dwLimit)
{
    ReadSchema(ar, CGXGridDocSerializeImp::nStyleArraySchema, TRUE);
    styles.DeleteAll();
    GXLoadSparse(
        ar, styles,
        [&]() {
            return std::unique_ptr<CGXStyle>(static_cast<CGXStyle*>(ar.ReadOwnedObject(RUNTIME_CLASS(CGXStyle))));
        },
        dwLimit);
}

void LoadStyleRows(CGXStylePtrArrayPtrArray& rows, CArchive& ar, DWORD dwRowLimit, DWORD dwColLimit)
{
    ReadSchema(ar, CGXGridDocSerializeImp::nStyleRowsSchema, TRUE);
    rows.DeleteAll();
    GXLoadSparse(
        ar, rows,
        [&]() {
            auto pRow = std::make_unique<CGXStylePtrArray>();
            LoadStyleArray(*pRow, ar, dwColLimit);
            return pRow;
        },
        dwRowLimit);
}
} // namespace

void CGXGridDocSerializeImp::SerializeData(CGXData& data, CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << nDataSchema << static_cast<DWORD>(data.m_nRows) << static_cast<DWORD>(data.m_nCols);
        SerializeStyleRows(data.m_apapCellStyle, ar);
        SerializeStyleArray(data.m_apRowBaseStyle, ar);
        SerializeStyleArray(data.m_apColBaseStyle, ar);
        return;
    }
    ReadSchema(ar, nDataSchema, TRUE);
    data.m_nRows = GXReadArchiveValue<DWORD>(ar);
    data.m_nCols = GXReadArchiveValue<DWORD>(ar);
    // A style beyond the rows and columns the record states is damage.
    const DWORD dwRowLimit = SlotLimit(data.m_nRows);
    const DWORD dwColLimit = SlotLimit(data.m_nCols);
    LoadStyleRows(data.m_apapCellStyle, ar, dwRowLimit, dwColLimit);
    LoadStyleArray(data.m_apRowBaseStyle, ar, dwRowLimit);
    LoadStyleArray(data.m_apColBaseStyle, ar, dwColLimit);
}

void CGXGridDocSerializeImp::SerializeStyleRows(CGXStylePtrArrayPtrArray& rows, CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << nStyleRowsSchema;
        GXStoreSparse(ar, rows, [&](void* p) { SerializeStyleArray(*static_cast<CGXStylePtrArray*>(p), ar); });
    }
    else
    {
        LoadStyleRows(rows, ar, GX_SPARSE_END, GX_SPARSE_END);
    }
}

void CGXGridDocSerializeImp::SerializeStyleArray(CGXStylePtrArray& styles, CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << nStyleArraySchema;
        GXStoreSparse(ar, styles, [&](void* p) { ar.WriteOwnedObject(static_cast<CGXStyle*>(p)); });
    }
    else
    {
        LoadStyleArray(styles, ar, GX_SPARSE_END);
    }
}

// Properties.

void CGXGridDocSerializeImp::SerializeProperties(CGXProperties& properties, CArchive& ar)
{
    WORD wSchema = nPropertiesSchema;
    if (ar.IsStoring())
        ar << wSchema;
    else
        wSchema = ReadSchema(ar, nPropertiesSchema, FALSE);

    properties.m_adwColors.Serialize(ar);
    // A string array that no longer holds anything.
    CStringArray unused;
    unused.Serialize(ar);
    if (ar.IsLoading())
        // The names are the program's, not the archive's.
        properties.m_adwColors.SetSize(properties.m_asColorNames.GetSize());

    BOOL* const apDisplay[] = {&properties.m_bVerticalLines, &properties.m_bHorizontalLines, &properties.m_b3dHeader,
                               &properties.m_bMarkRowHeader, &properties.m_bMarkColHeader};
    for (BOOL* pSetting : apDisplay)
        Exchange<BYTE>(ar, *pSetting);
    Exchange<CString>(ar, properties.m_strSection);
    Exchange<DWORD>(ar, properties.m_nZoom);

    if (ar.IsStoring())
    {
        std::vector<const CGXProperties::UserPropertyInfo*> infos;
        for (POSITION pos = properties.m_mapUserProperties.GetStartPosition(); pos != nullptr;)
        {
            WORD nId;
            void* p;
            properties.m_mapUserProperties.GetNextAssoc(pos, nId, p);
            infos.push_back(static_cast<const CGXProperties::UserPropertyInfo*>(p));
        }
        std::sort(infos.begin(), infos.end(), [](const auto* a, const auto* b) { return a->nId < b->nId; });
        for (const CGXProperties::UserPropertyInfo* pInfo : infos)
        {
            ar << static_cast<DWORD>(pInfo->nId) << pInfo->strName;
            ar.WriteOwnedObject(pInfo->pStyle);
        }
        ar << static_cast<DWORD>(0);
    }
    else
    {
        for (WORD nId = static_cast<WORD>(GXReadArchiveValue<DWORD>(ar)); nId != 0;
             nId = static_cast<WORD>(GXReadArchiveValue<DWORD>(ar)))
        {
            const CString strName = GXReadArchiveValue<CString>(ar);
            std::unique_ptr<CGXStyle> pStyle(static_cast<CGXStyle*>(ar.ReadOwnedObject(RUNTIME_CLASS(CGXStyle))));
            void* p;
            if (properties.m_mapUserProperties.Lookup(nId, p))
            {
                auto* pInfo = static_cast<CGXProperties::UserPropertyInfo*>(p);
                delete pInfo->pStyle;
                pInfo->pStyle = pStyle.release();
            }
            else
            {
                properties.m_mapUserProperties.SetAt(
                    nId, new CGXProperties::UserPropertyInfo{nId, strName, pStyle.release()});
            }
        }
    }

    // The margins go first, second, fourth, third.
    int* const apPrint[] = {
        &properties.m_bPrintVertLines,   &properties.m_bPrintHorzLines,  &properties.m_nPageOrder,
        &properties.m_bPrintBlackWhite,  &properties.m_bPrintRowHeaders, &properties.m_bCenterVertical,
        &properties.m_bCenterHorizontal, &properties.m_anMargins[0],     &properties.m_anMargins[1],
        &properties.m_anMargins[3],      &properties.m_anMargins[2],     &properties.m_bPrintFrame,
        &properties.m_nHeaderDistance,   &properties.m_nFooterDistance,  &properties.m_nFirstPage};
    for (int* pSetting : apPrint)
        Exchange<DWORD>(ar, *pSetting);
    for (WORD& wSetting : properties.m_awSettings)
        Exchange<WORD>(ar, wSetting);
    if (wSchema >= 3)
    {
        properties.m_awColBreaks.Serialize(ar);
        properties.m_awRowBreaks.Serialize(ar);
    }
    SerializeData(properties.m_dataFooter, ar);
    SerializeData(properties.m_dataHeader, ar);
    if (wSchema == 2 || wSchema >= 4)
        Exchange<DWORD>(ar, properties.m_bPrintColHeaders);
}

// Parameter object.

namespace
{
// The parameter record's fields and the members that hold them, matched by order, width and
// default (the defaults in brackets):
//   step 1: the schema
//   step 2, one byte each: m_abSettingsA[0] [1], m_abSettingsA[1] [1], m_bCheckViewActivation [0],
//       m_bDragSelectCols [1], m_bDragSelectRows [1], m_bLockReadOnly [1], then the third and
//       second once more, m_bReadOnlySetting [1], m_bCoreSetting [1], m_bOwnData, m_bOwnPrintDevice,
//       m_bOwnProperties, m_bOwnStylesMap, m_bViewSetting [0], m_bReadOnly [0], m_nTrackingMode [1],
//       m_nOption [1]
//   step 3, words: m_wAllowSelection [0xFF], m_wAllowTrackRowHeight [0xB2], m_wAllowTrackColWidth [0xB2]
//   step 4, values: m_nHeaderRows [0], m_nHeaderCols [0], m_nDefaultWidth [10000], m_nDefaultHeight [1200]
//   step 5: m_strName [empty]
//   step 6, words: m_wActivateCell [1], m_awCoreSettings[0] [2], m_nFrozenRows [0] and m_nFrozenCols [0]
//       (values kept in words), m_awCoreSettings[1] [0]
//   step 7, values: m_nMinTrackRowHeight [0], m_nMinTrackColWidth [0]
//   step 8: the owned styles map, data, properties and print device
//   step 9: m_SelRects, m_CoveredCellsList; step 10: m_RowHeights, m_ColWidths, m_hiddenRows, m_hiddenCols
//   step 11 (schema 2), byte: m_bUndoEnabled [1]
//   step 12 (schema 3): bytes m_abSettings3 [0, 0], values m_adwSettings3 [0, 0, 0]
//   step 13 (schema 4), word: m_wSpecialMode [0]
//   step 14 (schema 5): byte m_bNoZoom [0], word m_wCoreSetting [4], value m_nMaxUndo [512]
//   step 15 (schema 6): bytes m_adwSettingsB[0..3] [0], m_dwAppDataSetting [application data],
//       word m_wFloatCellsMode [0], the pools m_pFloatCellsWork and m_pFloatCellsPool, word
//       m_wMergeCellsMode [0], the pools m_pMergeCellsWork, m_pMergeCellsPool and
//       m_pMergeCellsPool2, word m_wAppDataSetting [application data]
//   step 16 (schema 8), bytes: m_anCoreSettings[0..2] [0]
//   step 17 (schema 9), word: m_wValueDisplay [0]
//   step 18 (schema 10), byte: m_anCoreSettings[3] [0]
//   step 19 (schema 11): byte m_bSetting11 [0], values m_adwSettings11 [0, 0]
template <class T> void ExchangeObject(CArchive& ar, T*& pObject, CRuntimeClass* pClass)
{
    if (ar.IsStoring())
    {
        ar.WriteOwnedObject(pObject);
        return;
    }
    // The old object goes first, so that a failed read leaves no dangling pointer.
    delete pObject;
    pObject = nullptr;
    pObject = static_cast<T*>(ar.ReadOwnedObject(pClass));
}

void ExchangeOwnedObjects(CGXGridParam& param, CArchive& ar)
{
    if (ar.IsLoading())
        param.DeleteOwnedObjects();
    if (param.m_bOwnStylesMap)
        ExchangeObject(ar, param.m_pStylesMap, RUNTIME_CLASS(CGXStylesMap));
    // Styles inside the data and the properties find their base styles in this styles map.
    const CGXArchiveStylesMapScope scope(ar, param.m_pStylesMap);
    if (param.m_bOwnData)
        ExchangeObject(ar, param.m_pData, RUNTIME_CLASS(CGXData));
    if (param.m_bOwnProperties)
        ExchangeObject(ar, param.m_pProperties, RUNTIME_CLASS(CGXProperties));
    if (param.m_bOwnPrintDevice)
        ExchangeObject(ar, param.m_pPrintDevice, RUNTIME_CLASS(CGXPrintDevice));
}

void ExchangePools(CGXGridParam& param, CArchive& ar)
{
    if (ar.IsLoading())
        GXDeleteSpanCellPools(param);
    ExchangeObject(ar, param.m_pFloatCellsWork, RUNTIME_CLASS(CGXDelayedRangePool));
    ExchangeObject(ar, param.m_pFloatCellsPool, RUNTIME_CLASS(CGXSpanCellPool));
    Exchange<WORD>(ar, param.m_wMergeCellsMode);
    ExchangeObject(ar, param.m_pMergeCellsWork, RUNTIME_CLASS(CGXDelayedRangePool));
    ExchangeObject(ar, param.m_pMergeCellsPool, RUNTIME_CLASS(CGXSpanCellPool));
    ExchangeObject(ar, param.m_pMergeCellsPool2, RUNTIME_CLASS(CGXSpanCellPool));
    if (ar.IsLoading())
    {
        // Stored spans are not trusted: records of schema 6 kept spans that are no longer valid,
        // and any may contradict the cells they come with. Everything is worked out anew from
        // the cells: later through the work pool where there is one, else by the first grid
        // that shows the object.
        const auto restart = [](CGXDelayedRangePool* pWork, std::initializer_list<CGXSpanCellPool*> pools) {
            for (CGXSpanCellPool* pPool : pools)
                if (pPool != nullptr)
                    *pPool = CGXSpanCellPool();
            if (pWork == nullptr)
                return;
            pWork->ClearRanges();
            pWork->DelayRange(CGXRange(0, 0, static_cast<ROWCOL>(-2), static_cast<ROWCOL>(-2)));
        };
        restart(param.m_pFloatCellsWork, {param.m_pFloatCellsPool});
        restart(param.m_pMergeCellsWork, {param.m_pMergeCellsPool, param.m_pMergeCellsPool2});
    }
}
} // namespace

void CGXGridDocSerializeImp::SerializeParam(CGXGridParam& param, CArchive& ar)
{
    WORD wSchema = nParamSchema;
    if (ar.IsStoring())
        ar << wSchema;
    else
        wSchema = ReadSchema(ar, nParamSchema, FALSE);

    GXVisitParamRecordSettings([&](auto width, auto member) { Exchange<decltype(width)>(ar, member(param)); });
    if (ar.IsLoading())
        // Whatever the object held before, no grid has shown what it holds now.
        param.m_bInitDone = FALSE;
    ExchangeOwnedObjects(param, ar);
    if (ar.IsLoading())
    {
        // The lists and maps take what they load in addition: a load replaces them.
        param.m_SelRects.DeleteAll();
        param.m_CoveredCellsList.DeleteAll();
        param.m_RowHeights.RemoveAll();
        param.m_ColWidths.RemoveAll();
    }
    param.m_SelRects.Serialize(ar);
    param.m_CoveredCellsList.Serialize(ar);
    if (ar.IsLoading())
        param.RebuildCoveredCellsPool();
    param.m_RowHeights.Serialize(ar);
    param.m_ColWidths.Serialize(ar);
    param.m_hiddenRows.Serialize(ar);
    param.m_hiddenCols.Serialize(ar);

    if (wSchema >= 2)
        Exchange<BYTE>(ar, param.m_bUndoEnabled);
    if (wSchema >= 3)
    {
        for (BYTE& bSetting : param.m_abSettings3)
            Exchange<BYTE>(ar, bSetting);
        for (DWORD& dwSetting : param.m_adwSettings3)
            Exchange<DWORD>(ar, dwSetting);
    }
    if (wSchema >= 4)
        Exchange<WORD>(ar, param.m_wSpecialMode);
    if (wSchema >= 5)
    {
        Exchange<BYTE>(ar, param.m_bNoZoom);
        Exchange<WORD>(ar, param.m_wCoreSetting);
        Exchange<DWORD>(ar, param.m_nMaxUndo);
    }
    if (wSchema >= 6)
    {
        for (int i = 0; i < 4; ++i)
            Exchange<BYTE>(ar, param.m_adwSettingsB[i]);
        Exchange<BYTE>(ar, param.m_dwAppDataSetting);
        Exchange<WORD>(ar, param.m_wFloatCellsMode);
        ExchangePools(param, ar);
        Exchange<WORD>(ar, param.m_wAppDataSetting);
    }
    if (wSchema >= 8)
    {
        for (int i = 0; i < 3; ++i)
            Exchange<BYTE>(ar, param.m_anCoreSettings[i]);
    }
    if (wSchema >= 9)
        Exchange<WORD>(ar, param.m_wValueDisplay);
    if (wSchema >= 10)
        Exchange<BYTE>(ar, param.m_anCoreSettings[3]);
    if (wSchema >= 11)
    {
        Exchange<BYTE>(ar, param.m_bSetting11);
        for (DWORD& dwSetting : param.m_adwSettings11)
            Exchange<DWORD>(ar, dwSetting);
    }
}

void GXInstallGridDocSerializeImp()
{
    CGXAppData* pAppData = GXGetAppDataPtr();
    if (pAppData->m_pDocSerializeImp != nullptr)
        return;
    pAppData->m_pDocSerializeImp = new CGXGridDocSerializeImp;
    GXInstallStyleSerializeImp();
    GXInstallSpanCellPoolImp();
    GXInstallDelayedRangePoolImp();
}

void GXDeleteSpanCellPools(CGXGridParam& param)
{
    for (CGXSpanCellPool** ppPool : {&param.m_pFloatCellsPool, &param.m_pMergeCellsPool, &param.m_pMergeCellsPool2})
    {
        delete *ppPool;
        *ppPool = nullptr;
    }
    for (CGXDelayedRangePool** ppPool : {&param.m_pFloatCellsWork, &param.m_pMergeCellsWork})
    {
        delete *ppPool;
        *ppPool = nullptr;
    }
}
