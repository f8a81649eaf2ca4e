// The links of a tree item, and the node the tree control keeps for each item.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

namespace tarnwick::lists
{
class SECTreeNode
{
public:
    SECTreeNode() = default;
    // Deletes the whole subtree.
    virtual ~SECTreeNode();
    SECTreeNode(const SECTreeNode&) = delete;
    SECTreeNode& operator=(const SECTreeNode&) = delete;

    virtual SECTreeNode* GetParent() const;
    virtual SECTreeNode* GetNextSibling() const;
    virtual SECTreeNode* GetPrevSibling() const;
    virtual SECTreeNode* GetFirstChild() const;
    virtual SECTreeNode* SetParent(SECTreeNode* pNode);
    virtual SECTreeNode* SetNextSibling(SECTreeNode* pNode);
    virtual SECTreeNode* SetPrevSibling(SECTreeNode* pNode);
    virtual SECTreeNode* SetFirstChild(SECTreeNode* pNode);
    virtual BOOL IsExpanded() const;
    virtual void SetExpanded(BOOL bExpanded);

    // Links pNode under pParent: pAfter 0 first, 1 or 2 last, else right after that child.
    // FALSE (nothing linked) when pAfter is not one of pParent's children.
    static BOOL AddChild(SECTreeNode* pParent, SECTreeNode* pNode, SECTreeNode* pAfter);
    static constexpr UINT_PTR AddFirst = 0;
    static constexpr UINT_PTR AddLast = 2;
    void Detach();
    // Deletes the descendants leftmost leaf first, so children go before their parent.
    void DeleteChildren();
    SECTreeNode* GetFirstLeaf() const;
    SECTreeNode* GetLastChild() const;
    SECTreeNode* GetLastDescendant() const;
    SECTreeNode* GetNextNode() const;
    SECTreeNode* GetPrevNode() const;
    int GetDepth() const;
    BOOL IsAncestorOf(const SECTreeNode* pNode) const;

private:
    SECTreeNode* m_pParent = nullptr;
    SECTreeNode* m_pNextSibling = nullptr;
    SECTreeNode* m_pPrevSibling = nullptr;
    SECTreeNode* m_pFirstChild = nullptr;
};

// The tree control's node: the item's description and the toolkit's own words.
class _Node : public SECTreeNode
{
public:
    static constexpr int NoImage = -12;
    static constexpr UINT ExDisabled = 0x100;
    static constexpr UINT ExHidden = 0x200;

    _Node();
    ~_Node() override;

    BOOL IsExpanded() const override;
    void SetExpanded(BOOL bExpanded) override;

    TVITEMW m_item = {};
    CString m_strLabelHead;
    CString m_strLabelTail;
    UINT m_exState = 0;
    int m_nRowHeight = 0;
};
} // namespace tarnwick::lists
