#include <grid/core/UserAttributeMap.h>

#include <grid/core/WordCount.h>

#include <afxwin.h>

#include <algorithm>

IMPLEMENT_SERIAL(CGXUserAttributeMap, CObArray, 0)

CGXUserAttributeMap::~CGXUserAttributeMap()
{
    Empty();
}

INT_PTR CGXUserAttributeMap::FindIndex(WORD nId) const
{
    return FindInSorted(nId, GetSize());
}

INT_PTR CGXUserAttributeMap::FindInSorted(WORD nId, INT_PTR nCount) const
{
    INT_PTR nLow = 0;
    INT_PTR nHigh = nCount - 1;
    while (nLow <= nHigh)
    {
        const INT_PTR nMiddle = nLow + (nHigh - nLow) / 2;
        const WORD nMiddleId = AttributeAt(nMiddle)->m_nId;
        if (nMiddleId == nId)
            return nMiddle;
        if (nMiddleId < nId)
            nLow = nMiddle + 1;
        else
            nHigh = nMiddle - 1;
    }
    return -1;
}

void CGXUserAttributeMap::Sort()
{
    std::sort(GetData(), GetData() + GetSize(), [](CObject* p1, CObject* p2) {
        return static_cast<CGXAbstractUserAttribute*>(p1)->m_nId < static_cast<CGXAbstractUserAttribute*>(p2)->m_nId;
    });
}

void CGXUserAttributeMap::SetAttribute(WORD nId, CGXAbstractUserAttribute* pAttribute)
{
    pAttribute->m_nId = nId;
    const INT_PTR nIndex = FindIndex(nId);
    if (nIndex >= 0)
    {
        delete AttributeAt(nIndex);
        SetAt(nIndex, pAttribute);
    }
    else
    {
        Add(pAttribute);
        Sort();
    }
}

void CGXUserAttributeMap::SetAttributeClone(WORD nId, const CGXAbstractUserAttribute& attribute)
{
    if (CGXAbstractUserAttribute* pClone = attribute.Clone())
        SetAttribute(nId, pClone);
}

void CGXUserAttributeMap::RemoveAttribute(WORD nId)
{
    const INT_PTR nIndex = FindIndex(nId);
    if (nIndex >= 0)
    {
        delete AttributeAt(nIndex);
        RemoveAt(nIndex);
    }
}

CGXAbstractUserAttribute* CGXUserAttributeMap::GetAttribute(WORD nId) const
{
    const INT_PTR nIndex = FindIndex(nId);
    return nIndex >= 0 ? AttributeAt(nIndex) : nullptr;
}

void CGXUserAttributeMap::Empty()
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        delete AttributeAt(i);
    SetSize(0);
}

void CGXUserAttributeMap::ChangeMap(const CGXUserAttributeMap& other, int nMode)
{
    if (&other == this)
        return;
    if (nMode == 3)
    {
        for (INT_PTR i = 0; i < other.GetSize(); ++i)
            RemoveAttribute(other.AttributeAt(i)->m_nId);
        return;
    }
    if (nMode == 2)
        Empty();
    // New ids are appended and sorted once at the end.
    const INT_PTR nOldSize = GetSize();
    for (INT_PTR i = 0; i < other.GetSize(); ++i)
    {
        const CGXAbstractUserAttribute* pSource = other.AttributeAt(i);
        const INT_PTR nIndex = FindInSorted(pSource->m_nId, nOldSize);
        if (nMode == 1 && nIndex >= 0)
            continue;
        CGXAbstractUserAttribute* pClone = pSource->Clone();
        if (pClone == nullptr)
            continue;
        pClone->m_nId = pSource->m_nId;
        if (nIndex >= 0)
        {
            delete AttributeAt(nIndex);
            SetAt(nIndex, pClone);
        }
        else
        {
            Add(pClone);
        }
    }
    if (GetSize() != nOldSize)
        Sort();
}

void CGXUserAttributeMap::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        GXWriteWordCount(ar, GetSize());
        for (INT_PTR i = 0; i < GetSize(); ++i)
        {
            ar.WriteOwnedObject(AttributeAt(i));
            ar << AttributeAt(i)->m_nId;
        }
    }
    else
    {
        Empty();
        WORD nCount = 0;
        ar >> nCount;
        for (; nCount > 0; --nCount)
        {
            // In the map at once, so that it is freed with the map if the rest fails.
            auto* pAttribute =
                static_cast<CGXAbstractUserAttribute*>(ar.ReadOwnedObject(RUNTIME_CLASS(CGXAbstractUserAttribute)));
            if (pAttribute != nullptr)
                Add(pAttribute);
            WORD nId = 0;
            ar >> nId;
            if (pAttribute != nullptr)
                pAttribute->m_nId = nId;
        }
    }
}

void CGXUserAttributeMap::WriteProfile(LPCTSTR pszSection) const
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return;
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        CString strKey;
        strKey.Format(_T("UA%lu"), static_cast<DWORD>(AttributeAt(i)->m_nId));
        pApp->WriteProfileString(pszSection, strKey, AttributeAt(i)->GetValue());
    }
}
