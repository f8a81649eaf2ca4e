#include <grid/core/SpanCellPool.h>

#include <grid/core/AbstractImps.h>
#include <grid/core/AppData.h>
#include <grid/core/SparseArray.h>

#include <algorithm>
#include <memory>
#include <vector>

IMPLEMENT_DYNAMIC(CGXDWordArrayPtrArray, CPtrArray)
IMPLEMENT_SERIAL(CGXSpanCellPool, CObject, 1)

namespace
{
constexpr WORD wArrayVersion = 1;
constexpr ROWCOL nMaxIndex = 0x7FFFFFFF;

// One direction of a span: the outer index runs across it, the inner index along it.
BOOL GetSpanAlong(const CGXDWordArrayPtrArray& spans, ROWCOL nOuter, ROWCOL nInner, ROWCOL& nStart, ROWCOL& nEnd)
{
    const CDWordArray* pInner = spans.GetArray(nOuter);
    if (pInner == nullptr || nInner >= static_cast<ROWCOL>(pInner->GetSize()) || (*pInner)[nInner] == GX_NOSPAN)
        return FALSE;
    const DWORD dwStart = (*pInner)[nInner];
    ROWCOL nLast = nInner;
    while (nLast + 1 < static_cast<ROWCOL>(pInner->GetSize()) && (*pInner)[nLast + 1] == dwStart)
        ++nLast;
    nStart = dwStart;
    nEnd = nLast;
    return TRUE;
}

BOOL SetSpanAlong(CGXDWordArrayPtrArray& spans, ROWCOL nOuterFirst, ROWCOL nOuterLast, ROWCOL nInnerFirst,
                  ROWCOL nInnerLast, BOOL bSet)
{
    if (bSet && nInnerFirst == nInnerLast)
        return FALSE;
    BOOL bChanged = FALSE;
    for (ROWCOL nOuter = nOuterFirst; nOuter <= nOuterLast; ++nOuter)
    {
        CDWordArray* pInner = bSet ? &spans.EnsureArray(nOuter) : spans.GetArray(nOuter);
        if (pInner == nullptr)
            continue;
        const INT_PTR nFirst = nInnerFirst;
        const DWORD dwOld = nFirst < pInner->GetSize() ? (*pInner)[nFirst] : GX_NOSPAN;
        if (!bSet && dwOld == GX_NOSPAN)
            continue;
        INT_PTR nAfter = nFirst;
        if (bSet)
        {
            if (pInner->GetSize() <= static_cast<INT_PTR>(nInnerLast))
            {
                const INT_PTR nOldSize = pInner->GetSize();
                pInner->SetSize(static_cast<INT_PTR>(nInnerLast) + 1);
                std::fill(pInner->GetData() + nOldSize, pInner->GetData() + pInner->GetSize(), GX_NOSPAN);
            }
            std::fill(pInner->GetData() + nFirst, pInner->GetData() + nInnerLast + 1, nInnerFirst);
            nAfter = static_cast<INT_PTR>(nInnerLast) + 1;
        }
        // The tail of a former, longer extent of the same span.
        if (dwOld != GX_NOSPAN)
            for (; nAfter < pInner->GetSize() && (*pInner)[nAfter] == dwOld; ++nAfter)
                (*pInner)[nAfter] = GX_NOSPAN;
        bChanged = TRUE;
    }
    return bChanged;
}

// The outer slots of the span over the changed rows (columns).
void InsertOuter(CGXDWordArrayPtrArray& spans, ROWCOL nFirst, ROWCOL nCount)
{
    if (nFirst < static_cast<ROWCOL>(spans.GetSize()) && nCount <= nMaxIndex - nFirst)
        spans.InsertAt(nFirst, nullptr, nCount);
}

void RemoveOuter(CGXDWordArrayPtrArray& spans, ROWCOL nFirst, ROWCOL nLast)
{
    if (nFirst >= static_cast<ROWCOL>(spans.GetSize()))
        return;
    const INT_PTR nEnd = std::min<INT_PTR>(nLast, spans.GetSize() - 1);
    for (INT_PTR k = nFirst; k <= nEnd; ++k)
        delete spans.GetArray(k);
    spans.RemoveAt(nFirst, nEnd - nFirst + 1);
}

// The slots of every inner array that crosses the changed rows (columns).
void InsertInner(CGXDWordArrayPtrArray& spans, ROWCOL nFirst, ROWCOL nCount)
{
    for (INT_PTR k = 0; k < spans.GetSize(); ++k)
        if (CDWordArray* pInner = spans.GetArray(k); pInner != nullptr && pInner->GetSize() > nFirst)
            pInner->InsertAt(nFirst, GX_NOSPAN, nCount);
}

void RemoveInner(CGXDWordArrayPtrArray& spans, ROWCOL nFirst, ROWCOL nLast)
{
    for (INT_PTR k = 0; k < spans.GetSize(); ++k)
        if (CDWordArray* pInner = spans.GetArray(k); pInner != nullptr && pInner->GetSize() > nFirst)
            pInner->RemoveAt(nFirst, std::min<INT_PTR>(nLast, pInner->GetSize() - 1) - nFirst + 1);
}

// Moves the block nFirst..nLast of the array so that it starts at nDest, padding it with
// the given filler up to where the block and its destination reach.
template <class ARRAY, class VALUE> void MoveBlock(ARRAY& array, ROWCOL nFirst, ROWCOL nLast, ROWCOL nDest, VALUE fill)
{
    const INT_PTR nCount = static_cast<INT_PTR>(nLast) - nFirst + 1;
    const INT_PTR nNeeded = std::max<INT_PTR>(static_cast<INT_PTR>(nLast) + 1, static_cast<INT_PTR>(nDest) + nCount);
    if (array.GetSize() < nNeeded)
        array.InsertAt(array.GetSize(), fill, nNeeded - array.GetSize());
    auto* pData = array.GetData();
    if (nDest < nFirst)
        std::rotate(pData + nDest, pData + nFirst, pData + nLast + 1);
    else if (nDest > nFirst)
        std::rotate(pData + nFirst, pData + nLast + 1, pData + nDest + nCount);
}

void MoveInner(CGXDWordArrayPtrArray& spans, ROWCOL nFirst, ROWCOL nLast, ROWCOL nDest)
{
    for (INT_PTR k = 0; k < spans.GetSize(); ++k)
        if (CDWordArray* pInner = spans.GetArray(k);
            pInner != nullptr && (pInner->GetSize() > nFirst || pInner->GetSize() > nDest))
            MoveBlock(*pInner, nFirst, nLast, nDest, GX_NOSPAN);
}

// Whether every slot holds no span or the start of its run, which begins at that start and
// runs on without a gap: a span is never read past either end of its array.
BOOL IsSpanRun(const CDWordArray& inner)
{
    for (INT_PTR i = 0; i < inner.GetSize(); ++i)
    {
        const DWORD dwStart = inner[i];
        if (dwStart != GX_NOSPAN && (dwStart > static_cast<DWORD>(i) || (dwStart < i && inner[i - 1] != dwStart)))
            return FALSE;
    }
    return TRUE;
}

BOOL IsMoveInRange(ROWCOL nFirst, ROWCOL nLast, ROWCOL nDest)
{
    return nFirst <= nLast && nLast < nMaxIndex && nDest < nMaxIndex && nLast - nFirst < nMaxIndex - nDest;
}
} // namespace

CGXDWordArrayPtrArray::~CGXDWordArrayPtrArray()
{
    DeleteAll();
}

void CGXDWordArrayPtrArray::DeleteAll()
{
    for (INT_PTR k = 0; k < GetSize(); ++k)
        delete GetArray(k);
    RemoveAll();
}

CGXDWordArrayPtrArray& CGXDWordArrayPtrArray::operator=(const CGXDWordArrayPtrArray& source)
{
    if (&source == this)
        return *this;
    DeleteAll();
    SetSize(source.GetSize());
    for (INT_PTR k = 0; k < source.GetSize(); ++k)
    {
        CDWordArray* pCopy = new CDWordArray;
        SetAt(k, pCopy);
        if (const CDWordArray* pInner = source.GetArray(k))
            pCopy->Copy(*pInner);
    }
    return *this;
}

CDWordArray& CGXDWordArrayPtrArray::EnsureArray(INT_PTR nIndex)
{
    if (CDWordArray* pInner = GetArray(nIndex))
        return *pInner;
    CDWordArray* pInner = new CDWordArray;
    try
    {
        SetAtGrow(nIndex, pInner);
    }
    catch (...)
    {
        delete pInner;
        throw;
    }
    return *pInner;
}

void CGXDWordArrayPtrArray::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << wArrayVersion;
        GXStoreSparse(ar, *this, [&](void* p) { static_cast<CDWordArray*>(p)->Serialize(ar); });
        return;
    }
    if (GXReadArchiveValue<WORD>(ar) != wArrayVersion)
        AfxThrowArchiveException(CArchiveException::badSchema, ar.m_strFileName);
    DeleteAll();
    GXLoadSparse(ar, *this, [&]() {
        auto pInner = std::make_unique<CDWordArray>();
        pInner->Serialize(ar);
        return pInner;
    });
}

void CGXSpanCellPool::Serialize(CArchive& ar)
{
    m_rowSpans.Serialize(ar);
    m_colSpans.Serialize(ar);
    if (ar.IsStoring())
        return;
    for (const CGXDWordArrayPtrArray* pSpans : {&m_rowSpans, &m_colSpans})
        for (INT_PTR k = 0; k < pSpans->GetSize(); ++k)
            if (const CDWordArray* pInner = pSpans->GetArray(k); pInner != nullptr && !IsSpanRun(*pInner))
                AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
}

BOOL CGXSpanCellPool::GetSpan(ROWCOL nRow, ROWCOL nCol, CGXRange& range) const
{
    if (nRow > nMaxIndex || nCol > nMaxIndex)
        return FALSE;
    const BOOL bAcross = GetSpanAlong(m_rowSpans, nRow, nCol, range.left, range.right);
    const BOOL bDown = GetSpanAlong(m_colSpans, nCol, nRow, range.top, range.bottom);
    return bAcross || bDown;
}

BOOL CGXSpanCellPool::SetSpan(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight, BOOL bSet)
{
    if (nBottom > nMaxIndex || nRight > nMaxIndex || nTop > nBottom || nLeft > nRight)
        return FALSE;
    try
    {
        const BOOL bAcross = SetSpanAlong(m_rowSpans, nTop, nBottom, nLeft, nRight, bSet);
        const BOOL bDown = SetSpanAlong(m_colSpans, nLeft, nRight, nTop, nBottom, bSet);
        return bAcross || bDown;
    }
    catch (CMemoryException* e)
    {
        e->Delete();
        return FALSE;
    }
}

BOOL CGXSpanCellPool::InsertRows(ROWCOL nFirst, ROWCOL nCount)
{
    return InsertAlong(m_rowSpans, m_colSpans, nFirst, nCount);
}

BOOL CGXSpanCellPool::RemoveRows(ROWCOL nFirst, ROWCOL nLast)
{
    return RemoveAlong(m_rowSpans, m_colSpans, nFirst, nLast);
}

BOOL CGXSpanCellPool::MoveRows(ROWCOL nFirst, ROWCOL nLast, ROWCOL nDest)
{
    return MoveAlong(m_rowSpans, m_colSpans, nFirst, nLast, nDest);
}

BOOL CGXSpanCellPool::InsertCols(ROWCOL nFirst, ROWCOL nCount)
{
    return InsertAlong(m_colSpans, m_rowSpans, nFirst, nCount);
}

BOOL CGXSpanCellPool::RemoveCols(ROWCOL nFirst, ROWCOL nLast)
{
    return RemoveAlong(m_colSpans, m_rowSpans, nFirst, nLast);
}

BOOL CGXSpanCellPool::MoveCols(ROWCOL nFirst, ROWCOL nLast, ROWCOL nDest)
{
    return MoveAlong(m_colSpans, m_rowSpans, nFirst, nLast, nDest);
}

BOOL CGXSpanCellPool::IsEmpty() const
{
    return m_rowSpans.IsEmpty() && m_colSpans.IsEmpty();
}

BOOL CGXSpanCellPool::InsertAlong(CGXDWordArrayPtrArray& outer, CGXDWordArrayPtrArray& inner, ROWCOL nFirst,
                                  ROWCOL nCount)
{
    if (IsEmpty() || nFirst > nMaxIndex || nCount > nMaxIndex - nFirst)
        return FALSE;
    InsertOuter(outer, nFirst, nCount);
    InsertInner(inner, nFirst, nCount);
    return TRUE;
}

BOOL CGXSpanCellPool::RemoveAlong(CGXDWordArrayPtrArray& outer, CGXDWordArrayPtrArray& inner, ROWCOL nFirst,
                                  ROWCOL nLast)
{
    if (IsEmpty() || nFirst > nLast || nLast > nMaxIndex)
        return FALSE;
    RemoveOuter(outer, nFirst, nLast);
    RemoveInner(inner, nFirst, nLast);
    return TRUE;
}

BOOL CGXSpanCellPool::MoveAlong(CGXDWordArrayPtrArray& outer, CGXDWordArrayPtrArray& inner, ROWCOL nFirst,
                                ROWCOL nLast, ROWCOL nDest)
{
    if (IsEmpty() || !IsMoveInRange(nFirst, nLast, nDest))
        return FALSE;
    MoveBlock(outer, nFirst, nLast, nDest, static_cast<void*>(nullptr));
    MoveInner(inner, nFirst, nLast, nDest);
    return TRUE;
}

CGXSpanCellPool& CGXSpanCellPool::operator=(const CGXSpanCellPool& source)
{
    m_colSpans = source.m_colSpans;
    m_rowSpans = source.m_rowSpans;
    return *this;
}

CGXSpanCellPool* CGXSpanCellPoolImp::CreatePoolCopy(const CGXSpanCellPool& source)
{
    CGXSpanCellPool* pPool = new CGXSpanCellPool;
    *pPool = source;
    return pPool;
}

CGXSpanCellPool* CGXSpanCellPoolImp::CreatePool()
{
    return new CGXSpanCellPool;
}

void CGXSpanCellPoolImp::AssignPool(CGXSpanCellPool& target, const CGXSpanCellPool& source)
{
    target = source;
}

void CGXSpanCellPoolImp::InsertRows(CGXSpanCellPool* pPool, ROWCOL nFirst, ROWCOL nCount)
{
    if (pPool != nullptr)
        pPool->InsertRows(nFirst, nCount);
}

void CGXSpanCellPoolImp::RemoveRows(CGXSpanCellPool* pPool, ROWCOL nFirst, ROWCOL nLast)
{
    if (pPool != nullptr)
        pPool->RemoveRows(nFirst, nLast);
}

void CGXSpanCellPoolImp::MoveRows(CGXSpanCellPool* pPool, ROWCOL nFirst, ROWCOL nLast, ROWCOL nDest)
{
    if (pPool != nullptr)
        pPool->MoveRows(nFirst, nLast, nDest);
}

void CGXSpanCellPoolImp::InsertCols(CGXSpanCellPool* pPool, ROWCOL nFirst, ROWCOL nCount)
{
    if (pPool != nullptr)
        pPool->InsertCols(nFirst, nCount);
}

void CGXSpanCellPoolImp::RemoveCols(CGXSpanCellPool* pPool, ROWCOL nFirst, ROWCOL nLast)
{
    if (pPool != nullptr)
        pPool->RemoveCols(nFirst, nLast);
}

void CGXSpanCellPoolImp::MoveCols(CGXSpanCellPool* pPool, ROWCOL nFirst, ROWCOL nLast, ROWCOL nDest)
{
    if (pPool != nullptr)
        pPool->MoveCols(nFirst, nLast, nDest);
}

void GXInstallSpanCellPoolImp()
{
    GXInstallImp<CGXSpanCellPoolImp>(GXGetAppDataPtr()->m_pSpanCellPoolImp);
}
