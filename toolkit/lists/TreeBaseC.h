// The list core turned into a tree: it keeps a tree of nodes and shows, as rows, exactly the
// nodes whose ancestors are all expanded and none of which is hidden, in pre-order.
#pragma once

#include "ListCtrl.h"
#include "SubItemTextStorage.h"
#include "TreeNode.h"
#include "TreePaintContext.h"

namespace tarnwick::lists
{
constexpr UINT TVS_SEC_STYLEMASK = 0x417;
constexpr UINT TVS_SEC_CREATEMASK = 0x43F;
constexpr UINT TVXS_CREATEMASK = 0x3F00000;
// Tree extended bits.
constexpr UINT TVXS_MULTISELECT = 0x100000;
constexpr UINT TVXS_LABELWRAP = 0x200000;
constexpr UINT TVXS_HEADER = 0x400000;
constexpr UINT TVXS_ITEMTIPS = 0x800000;
constexpr UINT TVXS_ANIMATE = 0x1000000;
constexpr UINT TVXS_HOVEREXPAND = 0x2000000;
constexpr UINT TVXS_HEADERBUTTONS = 0x4000000;
constexpr UINT TVXS_HEADERDRAG = 0x8000000;

// The tree's hover timer, beside the list's timers.
constexpr UINT_PTR TREE_TIMER_HOVER = 4;

// Inserts before the first child that compares less than the new item.
inline const HTREEITEM TVI_SORTDESCENDING = reinterpret_cast<HTREEITEM>(static_cast<ULONG_PTR>(-0x0FFF0));

// The tree logic over a list: the list control for the tree control, the list view for the view.
template <class TListBase> class SECTreeBaseT : public TListBase
{
public:
    using KeyArgs = typename TListBase::KeyArgs;

    SECTreeBaseT();
    ~SECTreeBaseT() override;

    BOOL CreateFromRect(DWORD dwStyle, DWORD dwExStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                        CCreateContext* pContext = nullptr) override;
    void ApplyCreateStyles(CREATESTRUCT& cs) override;

    // Styles: the tree keeps TVS_ bits 0x417; TVS_EDITLABELS and TVS_SHOWSELALWAYS live in the
    // list style, and the extended bits switch list bits as the table in SetTreeExStyle says.
    UINT GetTreeStyle() const;
    void SetTreeStyle(UINT nStyle, BOOL bRedraw = TRUE);
    UINT GetTreeExStyle() const;
    void SetTreeExStyle(UINT nExStyle, BOOL bRedraw = TRUE);
    void ModifyTreeStyle(UINT nRemove, UINT nAdd, BOOL bRedraw = TRUE);
    void ModifyTreeExStyle(UINT nRemove, UINT nAdd, BOOL bRedraw = TRUE);
    void GetTreeStyles(UINT& nStyle, UINT& nExStyle) const;
    void SetTreeStyles(UINT nStyle, UINT nExStyle, BOOL bRedraw = TRUE);
    void ModifyTreeStyles(UINT nRemove, UINT nAdd, UINT nRemoveEx, UINT nAddEx, BOOL bRedraw = TRUE);
    // The list's own switches keep the matching tree extended bits.
    void SetMultiSelect(BOOL bMulti) override;
    void SetLabelWrap(BOOL bWrap) override;
    void SetHeaderFlags(BOOL bShowHeader, BOOL bButtons) override;
    void SetExFlag100000(BOOL bOn) override;
    // A normal image list wider than the indent widens it.
    CImageList* SetImageList(CImageList* pImageList, int nWhich) override;

    // Column texts kept for every node, shown or not. Without the store the rows' own sub-item
    // texts serve, and only nodes with rows have them.
    void EnableSubItemTextStorage(BOOL bEnable);
    BOOL HasSubItemTextStorage() const;
    // Index 0 inserts at 1 (column 0 is the tree's own); with the store every node's texts move
    // with the columns. Expanded states and the selection stay.
    BOOL InsertColumn(int nIndex, LPCWSTR lpszHeading, int nFormat, int nWidth, int nSubItem, int nImage,
                      BOOL bRedraw = TRUE) override;
    // Refused past the last column and for column 0 while others exist.
    BOOL DeleteColumn(int nIndex) override;
    void ColumnMoved(int nFrom, int nTo) override;
    void NotifyGetDispInfo(LVITEMW* pItem) override;

    // One expanded flag per node in pre-order, and back: nodes recorded collapsed are toggled.
    void GetExpandState(CDWordArray& states) const;
    void RestoreExpandState(const CDWordArray& states);

    virtual _Node* CreateNode();
    _Node* HandleToNode(HTREEITEM hItem) const;

    HTREEITEM InsertItem(const TVINSERTSTRUCTW* pInsert);
    HTREEITEM InsertItem(LPCWSTR lpszText, HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST);
    // Deletes the item and its subtree; TVI_ROOT and 0 delete every item.
    BOOL DeleteItem(HTREEITEM hItem);
    BOOL DeleteAllItems() override;

    HTREEITEM GetChildItem(HTREEITEM hItem) const;
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const;
    HTREEITEM GetParentItem(HTREEITEM hItem) const;
    HTREEITEM GetRootItem(HTREEITEM hItem) const;
    HTREEITEM GetSelectedItem() const;
    HTREEITEM GetDropHilightItem() const;
    HTREEITEM GetItemAt(int nRow) const;
    int GetItemRow(HTREEITEM hItem, int nStartRow = 0) const;

    int CountItems(HTREEITEM hItem, BOOL bRecursive, BOOL bExpandedOnly) const;
    int GetCount() const;
    BOOL ItemHasChildren(HTREEITEM hItem) const;
    BOOL HasPendingChildren(HTREEITEM hItem);
    BOOL IsItemExpanded(HTREEITEM hItem) const;
    BOOL IsItemVisible(HTREEITEM hItem) const;
    BOOL IsItemHidden(HTREEITEM hItem) const;

    BOOL GetItem(TVITEMW* pItem, BOOL bCopyText = TRUE, BOOL bAskOwner = TRUE);
    BOOL SetItem(const TVITEMW* pItem);
    BOOL SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask);
    UINT GetItemState(HTREEITEM hItem, UINT nMask) const;
    // The extended word: 0x100 disabled, 0x200 hidden, both for the whole subtree.
    BOOL SetItemEx(HTREEITEM hItem, UINT nState, UINT nMask);
    UINT GetItemEx(HTREEITEM hItem, UINT nMask) const;
    CString GetItemText(HTREEITEM hItem, int nColumn = 0);
    BOOL SetItemText(HTREEITEM hItem, int nColumn, LPCWSTR lpszText);
    // Case-insensitive order of the labels, the order of TVI_SORT.
    virtual int CompareItems(HTREEITEM hItem1, HTREEITEM hItem2);

    // Code TVE_COLLAPSE, TVE_EXPAND or TVE_TOGGLE, with TVE_COLLAPSERESET to delete the
    // children; bForce skips the test for an item without children.
    virtual BOOL Expand(HTREEITEM hItem, UINT nCode, BOOL bRedraw = TRUE, BOOL bForce = FALSE);
    void ExpandAll(HTREEITEM hItem, BOOL bRedraw = TRUE);

    // Gives every visible node a row and takes the rows of the others.
    void RebuildRows();
    int GetIndent() const;
    void SetIndent(int nIndent);

    // Selection, visibility and hit testing: TVGN_CARET, TVGN_DROPHILITE, TVGN_FIRSTVISIBLE.
    BOOL Select(HTREEITEM hItem, UINT nCode);
    BOOL SelectDropTarget(HTREEITEM hItem);
    BOOL EnsureItemVisible(HTREEITEM hItem, BOOL bRange);
    void ScrollItemToTop(HTREEITEM hItem);
    // The list's hit flags as TVHT_ flags, 0x4000 on every row.
    HTREEITEM HitTest(CPoint point, UINT* pFlags);
    using TListBase::HitTest;
    void SetHoverDelay(UINT nMilliseconds);
    // The item's icon and label as one image for dragging, owned by the caller; NULL without
    // a normal image list.
    CImageList* CreateDragImage(HTREEITEM hItem);

    // The list core's view of a row's column 0 is the node.
    using TListBase::GetItem;
    using TListBase::SetItem;
    BOOL GetItem(LVITEMW* pItem, BOOL bCopyText = TRUE, BOOL bAskOwner = TRUE) override;
    BOOL SetItem(const LVITEMW* pItem, BOOL bRedraw = TRUE) override;
    BOOL UsesCallbacks(int nRow) const override;

    // Painting of column 0: indent, lines, button, state image, icon and label.
    SECListPaintContext* CreatePaintContext(CDC* pDC) override;
    BOOL PrepareCell(SECListPaintContext& ctx) override;
    void LayoutItemForPaint(SECListPaintContext& ctx) override;
    void MeasureSubItem(SECListPaintContext& ctx, int& cyCell) override;
    void DrawSubItem(SECListPaintContext& ctx) override;
    virtual void MeasureLabel(CDC* pDC, SECTreePaintContext& ctx, LPCWSTR pszText, CRect& rect);
    virtual void DrawLines(SECTreePaintContext& ctx);
    virtual void DrawButton(SECTreePaintContext& ctx);
    virtual void GetButtonRect(CRect& rect, const SECTreePaintContext& ctx, const CRect& rcRow);
    virtual void DrawHorzLine(CDC* pDC, int x1, int x2, int y);
    virtual void DrawVertLine(CDC* pDC, int x, int y1, int y2);
    virtual HFONT GetBoldFont(HFONT hFont);

    // The list core's hooks, answered with tree notifications.
    BOOL SelChanging(int nItem, int nOldFocus, int nCause) override;
    void SelChanged(int nItem, int nOldFocus, int nCause) override;
    void BeginDrag(int nItem, int x, int y) override;
    void BeginRDrag(int nItem, int x, int y) override;
    void NotifyKeyDown(UINT nKey) override;
    LRESULT NotifyBeginLabelEdit(int nItem, int nSubItem) override;
    BOOL NotifyEndLabelEdit(int nItem, int nSubItem, CString& strText, BOOL bCommit) override;
    // An accepted edit of a label sends the registered end-edit message (control id, item).
    void LabelEditAccepted(int nItem, int nSubItem) override;
    // The node's own state bits, the bold one among them.
    UINT QueryItemState(int nRow, UINT nMask) const override;
    void KeyLeft(const KeyArgs& key) override;
    void KeyBack(const KeyArgs& key) override;
    void KeyRight(const KeyArgs& key) override;
    void KeyMultiply(const KeyArgs& key) override;

protected:
    // The window messages; the concrete windows bind them in their message maps.
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);

    void CreateRoot();
    BOOL IsNodeVisible(const SECTreeNode* pNode) const;
    BOOL IsHiddenInherited(const SECTreeNode* pNode) const;
    BOOL IsDisabledInherited(const SECTreeNode* pNode) const;
    // Whether the node or one of its ancestors carries the extended bit.
    static BOOL HasInheritedExBit(const SECTreeNode* pNode, UINT nBit);
    int FindItemRow(const SECTreeNode* pNode, int nStart) const;
    void InsertRow(_Node* pNode);
    SECListItem* CreateRowRecord(_Node* pNode);
    void SetNodeFields(const TVITEMW& item, _Node* pNode);
    SECTreeNode* ResolveInsertAfter(SECTreeNode* pParent, HTREEITEM hInsertAfter, HTREEITEM hNew);
    BOOL DeleteLeaf(SECTreeNode* pLeaf, BOOL bRemoveRow);
    // Rows for the visible children after nRow (advanced past them), the expanded ones deeply.
    void InsertChildRows(SECTreeNode* pNode, int& nRow);
    void RemoveChildRows(SECTreeNode* pNode, int nRow);
    LRESULT NotifyExpand(UINT nCode, HTREEITEM hItem, UINT nAction) const;
    LRESULT NotifyDrag(UINT nCode, int nRow, int x, int y);
    void KeepTreeExBit(UINT nBit, BOOL bOn);
    BOOL IsAnimated() const;
    CImageList* CreateLabelImage(CDC* pDC, LPCWSTR pszText);
    CImageList* CreateIconImage(int nImage);
    static CImageList* MergeImages(CImageList* pIcon, CImageList* pLabel);
    // The tree's hover timer: expands the drop target it was started for.
    void OnHoverTimer(UINT_PTR nIDEvent);
    _Node* GetRowNode(int nRow) const;
    BOOL HasVisibleChild(const SECTreeNode* pNode) const;
    // Left of column 0's cell by the node's depth, in the tree's indent grid.
    int GetLevelX(const SECTreePaintContext& ctx, int nHalfWidth) const;
    LRESULT NotifySelChange(UINT nCode, int nNewRow, int nOldRow, UINT nAction) const;
    LRESULT NotifyTree(UINT nCode, NMTREEVIEWW& nm) const;
    // The tree's notifications, each to the notify window.
    // TVN_DELETEITEMW for a node about to go.
    virtual void NotifyDeleteTreeItem(HTREEITEM hItem);
    // TVN_GETDISPINFOW: the owner fills the fields the item's mask asks for.
    virtual void NotifyGetTreeDispInfo(TVITEMW* pItem);
    // TVN_SETDISPINFOW: the owner keeps the fields it supplies.
    virtual void NotifySetTreeDispInfo(const TVITEMW* pItem);
    // TVN_ITEMEXPANDINGW, whose answer 1 vetoes; TVN_ITEMEXPANDEDW after the change.
    virtual LRESULT NotifyItemExpanding(HTREEITEM hItem, UINT nCode);
    virtual void NotifyItemExpanded(HTREEITEM hItem, UINT nCode);
    // Edited sub-item texts go to the store when there is one.
    void SetDispInfoHook(const LVITEMW& item) override;

private:
    SECSubItemTextStorage* m_pTextStorage = nullptr;
    _Node* m_pRoot = nullptr;
    int m_nIndent = 20;
    UINT m_nTreeStyle = 0;
    UINT m_nTreeStyleEx = 0;
    mutable int m_nRowHint = 0;
    UINT_PTR m_nHoverTimer = 0;
    UINT m_nHoverDelay = 1000;
    BOOL m_bScrollOnExpand = TRUE;
    int m_nAnimationSteps = 5;
    int m_nAnimationCount = 0;
};

// The window messages every tree window maps to the tree's handlers, beside the list's.
#define SEC_TREE_MESSAGE_ENTRIES() \
    ON_WM_LBUTTONDOWN() \
    ON_WM_LBUTTONDBLCLK() \
    ON_WM_TIMER() \
    ON_WM_CHAR() \
    ON_WM_DESTROY() \
    ON_WM_SIZE()

extern template class SECTreeBaseT<SECListCtrl>;

// The tree on the list control.
class SECTreeBaseC : public SECTreeBaseT<SECListCtrl>
{
    DECLARE_DYNAMIC(SECTreeBaseC)
};
} // namespace tarnwick::lists
