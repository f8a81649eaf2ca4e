// Copies of parameter objects, styles maps and properties.
#include <grid/services/archive/GridParamCopyOperatorImp.h>

#include <grid/core/AppData.h>
#include <grid/core/Data.h>
#include <grid/core/DelayedRangePool.h>
#include <grid/core/GridParam.h>
#include <grid/core/PrintDevice.h>
#include <grid/core/Properties.h>
#include <grid/core/SpanCellPool.h>
#include <grid/core/Style.h>
#include <grid/core/StylesMap.h>
#include <grid/services/ControlFactory.h>
#include <grid/services/archive/GridDocSerializeImp.h>

#include <memory>

namespace
{
template <class Pool, class Imp> Pool* PoolCopy(const Pool* pSource, Imp* pImp)
{
    return pSource != nullptr && pImp != nullptr ? pImp->CreatePoolCopy(*pSource) : nullptr;
}

// Sets each of the source's associations in the destination, in the source's order.
template <class Map> void CopyAssociations(Map& dest, const Map& src)
{
    for (auto* pPair = src.PGetFirstAssoc(); pPair != nullptr; pPair = src.PGetNextAssoc(pPair))
        dest.SetAt(pPair->key, pPair->value);
}

// Copies a map of entries that each own a style: every copied entry owns a clone of its style.
template <class Entry> void CopyEntriesOwningStyles(CMapWordToPtr& dest, const CMapWordToPtr& src)
{
    for (auto* pPair = src.PGetFirstAssoc(); pPair != nullptr; pPair = src.PGetNextAssoc(pPair))
    {
        const auto& entry = *static_cast<const Entry*>(pPair->value);
        std::unique_ptr<CGXStyle> pStyle(entry.pStyle->Clone());
        auto pCopy = std::make_unique<Entry>(entry);
        pCopy->pStyle = pStyle.get();
        dest.SetAt(pPair->key, pCopy.get());
        pCopy.release();
        pStyle.release();
    }
}
} // namespace

void CGXGridParamCopyOperatorImp::CopyParam(CGXGridParam& dest, const CGXGridParam& src)
{
    if (&dest == &src)
        return;
    dest.DeleteOwnedObjects();
    GXVisitParamRecordSettings([&](auto, auto member) { member(dest) = member(src); });

    if (src.m_pStylesMap != nullptr)
    {
        dest.m_pStylesMap = new CGXStylesMap;
        dest.m_bCopiedStylesMap = TRUE;
        CopyStylesMap(*dest.m_pStylesMap, *src.m_pStylesMap);
    }
    if (src.m_pData != nullptr)
    {
        // The same kind of store as the source's, so a formula sheet stays one.
        auto* pData = static_cast<CGXData*>(src.m_pData->GetRuntimeClass()->CreateObject());
        if (pData == nullptr)
            AfxThrowMemoryException();
        dest.m_pData = pData;
        dest.m_bCopiedData = TRUE;
        *pData = *src.m_pData;
    }
    if (src.m_pProperties != nullptr)
    {
        dest.m_pProperties = new CGXProperties;
        dest.m_bCopiedProperties = TRUE;
        CopyProperties(*dest.m_pProperties, *src.m_pProperties);
    }
    if (src.m_pPrintDevice != nullptr)
    {
        dest.m_pPrintDevice = new CGXPrintDevice;
        dest.m_bCopiedPrintDevice = TRUE;
        *dest.m_pPrintDevice = *src.m_pPrintDevice;
    }

    dest.m_SelRects = src.m_SelRects;
    dest.m_CoveredCellsList = src.m_CoveredCellsList;
    dest.RebuildCoveredCellsPool();
    dest.m_RowHeights = src.m_RowHeights;
    dest.m_ColWidths = src.m_ColWidths;
    dest.m_hiddenRows.Copy(src.m_hiddenRows);
    dest.m_hiddenCols.Copy(src.m_hiddenCols);

    dest.m_bUndoEnabled = src.m_bUndoEnabled;
    for (int i = 0; i < 3; ++i)
        dest.m_adwSettings3[i] = src.m_adwSettings3[i];
    dest.m_wSpecialMode = src.m_wSpecialMode;
    dest.m_bNoZoom = src.m_bNoZoom;
    dest.m_wCoreSetting = src.m_wCoreSetting;
    dest.m_nMaxUndo = src.m_nMaxUndo;
    for (int i = 0; i < 4; ++i)
        dest.m_adwSettingsB[i] = src.m_adwSettingsB[i];
    dest.m_dwAppDataSetting = src.m_dwAppDataSetting;
    dest.m_wFloatCellsMode = src.m_wFloatCellsMode;
    dest.m_anCoreSettings[3] = src.m_anCoreSettings[3];

    GXDeleteSpanCellPools(dest);
    CGXAbstractSpanCellPoolImp* pSpanImp = dest.m_pAppData->m_pSpanCellPoolImp;
    CGXAbstractDelayedRangePoolImp* pDelayedImp = dest.m_pAppData->m_pDelayedRangePoolImp;
    dest.m_pFloatCellsWork = PoolCopy(src.m_pFloatCellsWork, pDelayedImp);
    dest.m_pFloatCellsPool = PoolCopy(src.m_pFloatCellsPool, pSpanImp);
    dest.m_wMergeCellsMode = src.m_wMergeCellsMode;
    dest.m_pMergeCellsWork = PoolCopy(src.m_pMergeCellsWork, pDelayedImp);
    dest.m_pMergeCellsPool = PoolCopy(src.m_pMergeCellsPool, pSpanImp);
    dest.m_pMergeCellsPool2 = PoolCopy(src.m_pMergeCellsPool2, pSpanImp);
    dest.m_wAppDataSetting = src.m_wAppDataSetting;

    for (int i = 0; i < 3; ++i)
        dest.m_anCoreSettings[i] = src.m_anCoreSettings[i];
}

void CGXGridParamCopyOperatorImp::CopyStylesMap(CGXStylesMap& dest, const CGXStylesMap& src)
{
    if (&dest == &src)
        return;
    dest.Empty();
    dest.m_mapResourceIds.RemoveAll();
    dest.m_pStyleClass = src.m_pStyleClass;

    if (!src.m_mapStyles.IsEmpty())
    {
        CopyEntriesOwningStyles<CGXStylesMap::BaseStyleEntry>(dest.m_mapStyles, src.m_mapStyles);
        CopyAssociations(dest.m_mapNames, src.m_mapNames);
        CopyAssociations(dest.m_mapResourceIds, src.m_mapResourceIds);
    }
    dest.m_nNextId = src.m_nNextId;
    for (auto* pPair = src.m_mapControlNames.PGetFirstAssoc(); pPair != nullptr;
         pPair = src.m_mapControlNames.PGetNextAssoc(pPair))
        dest.m_mapControlNames.SetAt(pPair->key, new CString(*static_cast<const CString*>(pPair->value)));
    CopyEntriesOwningStyles<CGXStylesMap::UserAttributeEntry>(dest.m_mapUserAttributes, src.m_mapUserAttributes);
    dest.m_strProfileSection = src.m_strProfileSection;
    dest.m_wStyleStandard = dest.LookupResourceId(CGXStylesMap::idsStandard);
    dest.m_wStyleColHeader = dest.LookupResourceId(CGXStylesMap::idsColumnHeader);
    dest.m_wStyleRowHeader = dest.LookupResourceId(CGXStylesMap::idsRowHeader);
}

void CGXGridParamCopyOperatorImp::CopyProperties(CGXProperties& dest, const CGXProperties& src)
{
    if (&dest == &src)
        return;
    const INT_PTR nColors = src.m_asColorNames.GetSize();
    if (src.m_adwColors.GetSize() < nColors)
        AfxThrowInvalidArgException();

    dest.ResetUserProperties();
    dest.m_b3dHeader = src.m_b3dHeader;
    dest.m_bVerticalLines = src.m_bVerticalLines;
    dest.m_bHorizontalLines = src.m_bHorizontalLines;
    dest.m_bMarkRowHeader = src.m_bMarkRowHeader;
    dest.m_bMarkColHeader = src.m_bMarkColHeader;
    dest.m_bBlackWhite = src.m_bBlackWhite;
    dest.m_strSection = src.m_strSection;
    dest.m_nZoom = src.m_nZoom;

    if (nColors > 0)
    {
        dest.m_asColorNames.InsertAt(0, CString(), nColors);
        dest.m_adwColors.InsertAt(0, 0, nColors);
        for (INT_PTR i = 0; i < nColors; ++i)
        {
            dest.m_asColorNames[i] = src.m_asColorNames[i];
            dest.m_adwColors[i] = src.m_adwColors[i];
        }
    }
    CopyEntriesOwningStyles<CGXProperties::UserPropertyInfo>(dest.m_mapUserProperties, src.m_mapUserProperties);

    dest.m_bCenterVertical = src.m_bCenterVertical;
    dest.m_bCenterHorizontal = src.m_bCenterHorizontal;
    dest.m_bPrintVertLines = src.m_bPrintVertLines;
    dest.m_bPrintHorzLines = src.m_bPrintHorzLines;
    dest.m_bPrintRowHeaders = src.m_bPrintRowHeaders;
    dest.m_bPrintColHeaders = src.m_bPrintColHeaders;
    dest.m_nPageOrder = src.m_nPageOrder;
    dest.m_bPrintFrame = src.m_bPrintFrame;
    dest.m_bPrintBlackWhite = src.m_bPrintBlackWhite;
    for (int i = 0; i < 4; ++i)
        dest.m_anMargins[i] = src.m_anMargins[i];
    dest.m_nHeaderDistance = src.m_nHeaderDistance;
    dest.m_nFooterDistance = src.m_nFooterDistance;
    dest.m_nFirstPage = src.m_nFirstPage;

    dest.m_dataHeader = src.m_dataHeader;
    dest.m_dataFooter = src.m_dataFooter;
}

void GXInstallGridParamCopyOperatorImp()
{
    GXInstallImp<CGXGridParamCopyOperatorImp>(GXGetAppDataPtr()->m_pParamCopyOperatorImp);
}
