#include <grid/core/GridParam.h>

#include <grid/core/AppData.h>
#include <grid/core/CoveredCellPool.h>
#include <grid/core/Data.h>
#include <grid/core/DelayedRangePool.h>
#include <grid/core/HashMap.h>
#include <grid/core/PrintDevice.h>
#include <grid/core/Properties.h>
#include <grid/core/PtrArrayPtrArray.h>
#include <grid/core/SpanCellPool.h>
#include <grid/core/StylesMap.h>

#include <atomic>

IMPLEMENT_SERIAL(CGXGridParam, CObject, 1)

namespace
{
const UINT nRowHeightBuckets = 1021;
const UINT nColWidthBuckets = 257;
const LONG nHeaderRowHeight = 1400;
const LONG nHeaderColWidth = 6000;

void DeleteCommands(CObList& list)
{
    while (!list.IsEmpty())
        delete list.RemoveHead();
}

template <class T> void DeleteOwned(BOOL bOwned, T*& p)
{
    if (bOwned)
        delete p;
    p = nullptr;
}

template <class T> void DeleteOwned(BOOL bOwned, BOOL& bCopied, T*& p)
{
    DeleteOwned(bOwned || bCopied, p);
    bCopied = FALSE;
}
} // namespace

namespace
{
DWORD NextClipboardIdentity()
{
    static std::atomic<DWORD> s_nLast{0};
    return ++s_nLast;
}
} // namespace

CGXGridParam::CGXGridParam() : m_pAppData(GXGetAppDataPtr()), m_dwClipboardIdentity(NextClipboardIdentity())
{
    m_RowHeights.InitHashTable(nRowHeightBuckets);
    m_RowHeights.SetAt(0, nHeaderRowHeight);
    m_ColWidths.InitHashTable(nColWidthBuckets);
    m_ColWidths.SetAt(0, nHeaderColWidth);
    EnsureCoveredCellsPool();
}

CGXGridParam::~CGXGridParam()
{
    DeleteCommands(m_UndoList);
    DeleteCommands(m_RedoList);
    DeleteOwned(TRUE, m_pCoveredCellPool);
    for (CGXSpanCellPool** ppPool : {&m_pFloatCellsPool, &m_pFloatCellsPool2, &m_pMergeCellsPool, &m_pMergeCellsPool2})
        DeleteOwned(TRUE, *ppPool);
    for (CGXDelayedRangePool** ppPool : {&m_pFloatCellsWork, &m_pFloatCellsWork2, &m_pMergeCellsWork})
        DeleteOwned(TRUE, *ppPool);
    DeletePtrArrayObjects(m_apChoiceListKeys);
    DeletePtrArrayObjects(m_apChoiceListTexts);
    DeleteOwnedObjects();
    m_strName.Empty();
    DeleteMapObjects(m_mapObjects);
}

void CGXGridParam::Serialize(CArchive& ar)
{
    if (CGXAbstractGridDocSerializeImp* pImp = m_pAppData->m_pDocSerializeImp)
        pImp->SerializeParam(*this, ar);
}

CGXGridParam& CGXGridParam::operator=(const CGXGridParam& source)
{
    CGXAbstractGridParamCopyOperatorImp* pImp = m_pAppData->m_pParamCopyOperatorImp;
    if (pImp != nullptr && &source != this)
        pImp->CopyParam(*this, source);
    return *this;
}

void CGXGridParam::EmptyRedoList()
{
    DeleteCommands(m_RedoList);
}

void CGXGridParam::EnsureCoveredCellsPool()
{
    if (m_pCoveredCellPool == nullptr && m_pAppData->m_pCoveredCellPoolImp != nullptr)
        m_pCoveredCellPool = m_pAppData->m_pCoveredCellPoolImp->CreatePool();
}

void CGXGridParam::RebuildCoveredCellsPool()
{
    if (m_pAppData->m_pCoveredCellPoolImp != nullptr && m_pCoveredCellPool != nullptr)
        m_pAppData->m_pCoveredCellPoolImp->InitPool(*m_pCoveredCellPool, m_CoveredCellsList);
}

void CGXGridParam::DeleteOwnedObjects()
{
    DeleteOwned(m_bOwnStylesMap, m_bCopiedStylesMap, m_pStylesMap);
    DeleteOwned(m_bOwnProperties, m_bCopiedProperties, m_pProperties);
    DeleteOwned(m_bOwnData, m_bCopiedData, m_pData);
    DeleteOwned(m_bOwnPrintDevice, m_bCopiedPrintDevice, m_pPrintDevice);
}
