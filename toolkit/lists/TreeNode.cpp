#include "TreeNode.h"

#include "ListItem.h"

namespace tarnwick::lists
{
SECTreeNode::~SECTreeNode()
{
    DeleteChildren();
}

SECTreeNode* SECTreeNode::GetParent() const
{
    return m_pParent;
}

SECTreeNode* SECTreeNode::GetNextSibling() const
{
    return m_pNextSibling;
}

SECTreeNode* SECTreeNode::GetPrevSibling() const
{
    return m_pPrevSibling;
}

SECTreeNode* SECTreeNode::GetFirstChild() const
{
    return m_pFirstChild;
}

SECTreeNode* SECTreeNode::SetParent(SECTreeNode* pNode)
{
    return m_pParent = pNode;
}

SECTreeNode* SECTreeNode::SetNextSibling(SECTreeNode* pNode)
{
    return m_pNextSibling = pNode;
}

SECTreeNode* SECTreeNode::SetPrevSibling(SECTreeNode* pNode)
{
    return m_pPrevSibling = pNode;
}

SECTreeNode* SECTreeNode::SetFirstChild(SECTreeNode* pNode)
{
    return m_pFirstChild = pNode;
}

BOOL SECTreeNode::IsExpanded() const
{
    return FALSE;
}

void SECTreeNode::SetExpanded(BOOL)
{
}

BOOL SECTreeNode::AddChild(SECTreeNode* pParent, SECTreeNode* pNode, SECTreeNode* pAfter)
{
    SECTreeNode* pFirst = pParent->GetFirstChild();
    if (pFirst == nullptr)
    {
        pNode->SetParent(pParent);
        pNode->SetNextSibling(nullptr);
        pNode->SetPrevSibling(nullptr);
        pParent->SetFirstChild(pNode);
        return TRUE;
    }
    const auto nAfter = reinterpret_cast<UINT_PTR>(pAfter);
    if (nAfter == AddFirst)
    {
        pNode->SetParent(pParent);
        pNode->SetPrevSibling(nullptr);
        pNode->SetNextSibling(pFirst);
        pFirst->SetPrevSibling(pNode);
        pParent->SetFirstChild(pNode);
        return TRUE;
    }
    if (nAfter == 1 || nAfter == AddLast)
        pAfter = pParent->GetLastChild();
    else if (pAfter->GetParent() != pParent)
        return FALSE;
    pNode->SetParent(pParent);
    pNode->SetPrevSibling(pAfter);
    pNode->SetNextSibling(pAfter->GetNextSibling());
    if (pAfter->GetNextSibling() != nullptr)
        pAfter->GetNextSibling()->SetPrevSibling(pNode);
    pAfter->SetNextSibling(pNode);
    return TRUE;
}

void SECTreeNode::Detach()
{
    if (m_pPrevSibling != nullptr)
        m_pPrevSibling->SetNextSibling(m_pNextSibling);
    if (m_pNextSibling != nullptr)
        m_pNextSibling->SetPrevSibling(m_pPrevSibling);
    if (m_pParent != nullptr && m_pParent->GetFirstChild() == this)
        m_pParent->SetFirstChild(m_pNextSibling);
    m_pParent = nullptr;
}

void SECTreeNode::DeleteChildren()
{
    while (GetFirstChild() != nullptr)
    {
        SECTreeNode* pLeaf = GetFirstLeaf();
        pLeaf->Detach();
        delete pLeaf;
    }
}

SECTreeNode* SECTreeNode::GetFirstLeaf() const
{
    const SECTreeNode* pNode = this;
    while (pNode->GetFirstChild() != nullptr)
        pNode = pNode->GetFirstChild();
    return const_cast<SECTreeNode*>(pNode);
}

SECTreeNode* SECTreeNode::GetLastChild() const
{
    SECTreeNode* pChild = GetFirstChild();
    while (pChild != nullptr && pChild->GetNextSibling() != nullptr)
        pChild = pChild->GetNextSibling();
    return pChild;
}

SECTreeNode* SECTreeNode::GetLastDescendant() const
{
    const SECTreeNode* pNode = this;
    while (pNode->GetFirstChild() != nullptr)
        pNode = pNode->GetLastChild();
    return const_cast<SECTreeNode*>(pNode);
}

SECTreeNode* SECTreeNode::GetNextNode() const
{
    if (GetFirstChild() != nullptr)
        return GetFirstChild();
    for (const SECTreeNode* pNode = this; pNode != nullptr; pNode = pNode->GetParent())
    {
        if (pNode->GetNextSibling() != nullptr)
            return pNode->GetNextSibling();
    }
    return nullptr;
}

SECTreeNode* SECTreeNode::GetPrevNode() const
{
    if (GetPrevSibling() != nullptr)
        return GetPrevSibling()->GetLastDescendant();
    return GetParent();
}

int SECTreeNode::GetDepth() const
{
    int nDepth = 0;
    for (SECTreeNode* pNode = GetParent(); pNode != nullptr; pNode = pNode->GetParent())
        nDepth++;
    return nDepth;
}

BOOL SECTreeNode::IsAncestorOf(const SECTreeNode* pNode) const
{
    for (SECTreeNode* pAbove = pNode != nullptr ? pNode->GetParent() : nullptr; pAbove != nullptr;
         pAbove = pAbove->GetParent())
    {
        if (pAbove == this)
            return TRUE;
    }
    return FALSE;
}

_Node::_Node()
{
    m_item.iImage = NoImage;
    m_item.iSelectedImage = NoImage;
}

_Node::~_Node()
{
    FreeListText(m_item.pszText);
}

BOOL _Node::IsExpanded() const
{
    return (m_item.state & TVIS_EXPANDED) != 0;
}

void _Node::SetExpanded(BOOL bExpanded)
{
    if (bExpanded)
        m_item.state |= TVIS_EXPANDED;
    else
        m_item.state &= ~static_cast<UINT>(TVIS_EXPANDED);
}
} // namespace tarnwick::lists
