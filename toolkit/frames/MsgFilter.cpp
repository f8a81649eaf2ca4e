// SECMsgFilter: the filter tree, its descriptors and cloning.
#include <toolkit/frames/MsgFilter.h>

namespace tarnwick::frames
{
IMPLEMENT_DYNCREATE(SECMsgFilter, CObject)
IMPLEMENT_DYNCREATE(SECNcMsgFilter, SECMsgFilter)

SECMsgFilter::DescriptorTable::DescriptorTable(const DescriptorTable& other) : CArray<Descriptor*, Descriptor*>()
{
    for (INT_PTR i = 0; i < other.GetSize(); ++i)
        CArray::Add(new Descriptor(*other[i]));
}

SECMsgFilter::DescriptorTable::~DescriptorTable()
{
    RemoveAll();
}

void SECMsgFilter::DescriptorTable::Add(UINT nID, UINT nParentID, CRuntimeClass* pClass, DWORD dwFlags)
{
    CArray::Add(new Descriptor{nID, nParentID, pClass, dwFlags});
}

void SECMsgFilter::DescriptorTable::RemoveAll()
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        delete GetAt(i);
    CArray::RemoveAll();
}

SECMsgFilter::SECMsgFilter(CWnd* pOwner, UINT nID)
    : m_nID(nID), m_bEnabled(TRUE), m_bOwnsChildren(TRUE), m_pOwner(pOwner)
{
}

SECMsgFilter::~SECMsgFilter()
{
    if (m_bOwnsChildren)
        for (INT_PTR i = 0; i < m_children.GetSize(); ++i)
            delete m_children[i];
}

SECMsgFilter* SECMsgFilter::Clone() const
{
    auto* pClone = static_cast<SECMsgFilter*>(GetRuntimeClass()->CreateObject());
    if (pClone == nullptr)
        return nullptr;
    pClone->m_nID = m_nID;
    pClone->m_bEnabled = m_bEnabled;
    pClone->m_bOwnsChildren = TRUE;
    // A class may make children of its own at construction: the clone takes this one's.
    for (INT_PTR i = 0; i < pClone->m_children.GetSize(); ++i)
        delete pClone->m_children[i];
    pClone->m_children.RemoveAll();
    for (INT_PTR i = 0; i < m_children.GetSize(); ++i)
        pClone->m_children.Add(m_children[i] != nullptr ? m_children[i]->Clone() : nullptr);
    pClone->SetWnd(m_pOwner, TRUE);
    return pClone;
}

CWnd* SECMsgFilter::GetWnd() const
{
    return m_pOwner;
}

void SECMsgFilter::SetWnd(CWnd* pOwner, BOOL bRecursive)
{
    m_pOwner = pOwner;
    if (!bRecursive)
        return;
    for (INT_PTR i = 0; i < m_children.GetSize(); ++i)
        if (m_children[i] != nullptr)
            m_children[i]->SetWnd(pOwner, TRUE);
}

DWORD SECMsgFilter::Filter(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return m_bEnabled ? FilterMessage(message, wParam, lParam, pResult) : 0;
}

DWORD SECMsgFilter::FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return FilterChildren(message, wParam, lParam, pResult);
}

DWORD SECMsgFilter::FilterChildren(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    DWORD dwAnswer = 0;
    for (INT_PTR i = 0; i < m_children.GetSize(); ++i)
    {
        SECMsgFilter* pChild = m_children[i];
        if (pChild == nullptr || !pChild->m_bEnabled)
            continue;
        const DWORD dwChild = pChild->Filter(message, wParam, lParam, pResult);
        dwAnswer |= dwChild;
        if (dwChild & FILTER_STOP)
            break;
    }
    return dwAnswer;
}

SECMsgFilter* SECMsgFilter::FindFilter(UINT nID, CRuntimeClass* pClass, int nDepth)
{
    for (INT_PTR i = 0; i < m_children.GetSize(); ++i)
        if (m_children[i] != nullptr && m_children[i]->m_nID == nID)
            return m_children[i];
    if (nDepth != 0)
        for (INT_PTR i = 0; i < m_children.GetSize(); ++i)
            if (m_children[i] != nullptr)
                if (SECMsgFilter* pFound = m_children[i]->FindFilter(nID, nullptr, nDepth - 1))
                    return pFound;
    if (pClass == nullptr || !pClass->IsDerivedFrom(RUNTIME_CLASS(SECMsgFilter)))
        return nullptr;
    auto* pNew = static_cast<SECMsgFilter*>(pClass->CreateObject());
    if (pNew == nullptr)
        return nullptr;
    pNew->SetWnd(m_pOwner, TRUE);
    pNew->m_nID = nID;
    m_children.Add(pNew);
    return pNew;
}

SECMsgFilter* SECMsgFilter::ApplyDescriptor(const Descriptor& descriptor, BOOL bOn)
{
    SECMsgFilter* pParent =
        descriptor.nParentID == static_cast<UINT>(-1) ? this : FindFilter(descriptor.nParentID, nullptr, -1);
    if (pParent == nullptr)
        return nullptr;
    SECMsgFilter* pFilter = pParent->FindFilter(descriptor.nID, bOn ? descriptor.pClass : nullptr, -1);
    if (pFilter != nullptr && (bOn || !(descriptor.dwFlags & DESCRIPTOR_KEEP_ON)))
        pFilter->m_bEnabled = bOn;
    return pFilter;
}

void SECMsgFilter::ApplyDescriptors(const DescriptorTable& table, const BOOL* pbOn)
{
    for (INT_PTR i = 0; i < table.GetSize(); ++i)
        ApplyDescriptor(*table[i], pbOn[i]);
}

void SECMsgFilter::ApplyDescriptorsAll(const DescriptorTable& table, BOOL bOn)
{
    for (INT_PTR i = 0; i < table.GetSize(); ++i)
        ApplyDescriptor(*table[i], bOn);
}

void SECMsgFilter::AddChild(SECMsgFilter* pChild)
{
    m_children.Add(pChild);
}

BOOL SECMsgFilter::Offer(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    if (!(Filter(message, wParam, lParam, &lResult) & FILTER_HANDLED))
        return FALSE;
    if (pResult != nullptr)
        *pResult = lResult;
    return TRUE;
}
} // namespace tarnwick::frames
