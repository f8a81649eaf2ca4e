// The tree's node model on a hidden window: placement, navigation, counting, the rows of the
// visible nodes, and the deletion notifications a logging parent receives.
#include <toolkit/lists/TreeBaseC.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "NotifyLog.h"

using tarnwick::lists::_Node;
using tarnwick::lists::SECTreeBaseC;
using tarnwick::lists::SECTreeNode;
using tarnwick::lists::TVI_SORTDESCENDING;
using tarnwick::lists::TVXS_HEADER;
using tarnwick::lists::TVXS_MULTISELECT;

namespace
{
class TreeModelTest : public ::testing::Test
{
protected:
    CNotifyLog m_parent;
    SECTreeBaseC* m_pTree = new SECTreeBaseC;

    void SetUp() override
    {
        ASSERT_TRUE(m_pTree->Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 200, 300), &m_parent, 1037));
    }
    void TearDown() override
    {
        if (m_pTree->GetSafeHwnd() != nullptr)
            m_pTree->DestroyWindow();
        delete m_pTree;
    }
    std::vector<std::wstring> Labels(HTREEITEM hParent)
    {
        std::vector<std::wstring> labels;
        for (HTREEITEM h = m_pTree->GetChildItem(hParent); h != nullptr; h = m_pTree->GetNextSiblingItem(h))
            labels.emplace_back(m_pTree->GetItemText(h));
        return labels;
    }
    std::vector<std::wstring> Rows()
    {
        std::vector<std::wstring> rows;
        for (int i = 0; i < m_pTree->GetItemCount(); i++)
            rows.emplace_back(m_pTree->GetItemText(m_pTree->GetItemAt(i)));
        return rows;
    }
};

TEST(TreeNodeTest, NewNodeAndExpandedBit)
{
    _Node node;
    EXPECT_EQ(node.GetParent(), nullptr);
    EXPECT_EQ(node.GetFirstChild(), nullptr);
    EXPECT_EQ(node.GetNextSibling(), nullptr);
    EXPECT_EQ(node.GetPrevSibling(), nullptr);
    EXPECT_FALSE(node.IsExpanded());
    EXPECT_EQ(node.m_item.iImage, -12);
    EXPECT_EQ(node.m_item.iSelectedImage, -12);
    node.m_item.state = TVIS_BOLD;
    node.SetExpanded(TRUE);
    EXPECT_TRUE(node.IsExpanded());
    EXPECT_EQ(node.m_item.state, static_cast<UINT>(TVIS_BOLD | TVIS_EXPANDED));
    node.SetExpanded(FALSE);
    EXPECT_EQ(node.m_item.state, static_cast<UINT>(TVIS_BOLD));
}

TEST(TreeNodeTest, DeletingANodeDeletesItsSubtree)
{
    static int s_nAlive = 0;
    struct CCounted : _Node
    {
        CCounted()
        {
            s_nAlive++;
        }
        ~CCounted() override
        {
            s_nAlive--;
        }
    };
    auto* pTop = new CCounted;
    for (int i = 0; i < 3; i++)
    {
        auto* pChild = new CCounted;
        ASSERT_TRUE(SECTreeNode::AddChild(pTop, pChild, reinterpret_cast<SECTreeNode*>(SECTreeNode::AddLast)));
        ASSERT_TRUE(SECTreeNode::AddChild(pChild, new CCounted, nullptr));
    }
    EXPECT_EQ(s_nAlive, 7);
    delete pTop;
    EXPECT_EQ(s_nAlive, 0);
}

TEST_F(TreeModelTest, EmptyTree)
{
    EXPECT_EQ(m_pTree->GetCount(), 0);
    EXPECT_EQ(m_pTree->GetChildItem(TVI_ROOT), nullptr);
    EXPECT_EQ(m_pTree->GetRootItem(TVI_ROOT), nullptr);
    EXPECT_TRUE(m_pTree->DeleteAllItems());
    // A tree is a report-mode list with shared image lists and one column.
    EXPECT_TRUE(m_pTree->HasListStyle(0x41));
    EXPECT_EQ(m_pTree->GetColumnCount(), 1);
}

TEST_F(TreeModelTest, Placement)
{
    HTREEITEM hTop = m_pTree->InsertItem(L"top");
    for (const wchar_t* psz : {L"b", L"A", L"a"})
        m_pTree->InsertItem(psz, hTop, TVI_SORT);
    EXPECT_EQ(Labels(hTop), (std::vector<std::wstring>{L"A", L"a", L"b"}));

    HTREEITEM hDown = m_pTree->InsertItem(L"down");
    for (const wchar_t* psz : {L"b", L"C", L"a"})
        m_pTree->InsertItem(psz, hDown, TVI_SORTDESCENDING);
    EXPECT_EQ(Labels(hDown), (std::vector<std::wstring>{L"C", L"b", L"a"}));

    HTREEITEM hFirst = m_pTree->InsertItem(L"first", TVI_ROOT, TVI_FIRST);
    EXPECT_EQ(Labels(TVI_ROOT), (std::vector<std::wstring>{L"first", L"top", L"down"}));
    // After a named sibling; a sibling of another parent is refused.
    m_pTree->InsertItem(L"after-first", TVI_ROOT, hFirst);
    EXPECT_EQ(Labels(TVI_ROOT)[1], L"after-first");
    EXPECT_EQ(m_pTree->InsertItem(L"foreign", hTop, hDown), nullptr);
    EXPECT_EQ(m_pTree->GetCount(), 10);
}

TEST_F(TreeModelTest, NavigationAndCounting)
{
    HTREEITEM hTop = m_pTree->InsertItem(L"top");
    HTREEITEM hChild = m_pTree->InsertItem(L"child", hTop);
    HTREEITEM hGrand = m_pTree->InsertItem(L"grand", hChild);
    m_pTree->InsertItem(L"second", hTop);
    HTREEITEM hOther = m_pTree->InsertItem(L"other");

    EXPECT_EQ(m_pTree->GetParentItem(hTop), nullptr);
    EXPECT_EQ(m_pTree->GetParentItem(hGrand), hChild);
    EXPECT_EQ(m_pTree->GetRootItem(hGrand), hTop);
    EXPECT_EQ(m_pTree->GetRootItem(hTop), hTop);
    EXPECT_EQ(m_pTree->GetRootItem(TVI_ROOT), hTop);
    EXPECT_EQ(m_pTree->GetNextSiblingItem(hTop), hOther);

    EXPECT_EQ(m_pTree->CountItems(hTop, FALSE, FALSE), 2);
    EXPECT_EQ(m_pTree->CountItems(hTop, TRUE, FALSE), 3);
    EXPECT_EQ(m_pTree->CountItems(hTop, TRUE, TRUE), 2); // child is collapsed
    m_pTree->SetItemState(hChild, TVIS_EXPANDED, TVIS_EXPANDED);
    EXPECT_EQ(m_pTree->CountItems(hTop, TRUE, TRUE), 3);
    EXPECT_EQ(m_pTree->GetCount(), 5);
    EXPECT_TRUE(m_pTree->ItemHasChildren(hChild));
    EXPECT_FALSE(m_pTree->ItemHasChildren(hGrand));
}

TEST_F(TreeModelTest, RowsFollowTheVisibleNodes)
{
    HTREEITEM hA = m_pTree->InsertItem(L"A");
    HTREEITEM hB = m_pTree->InsertItem(L"B");
    m_pTree->InsertItem(L"A1", hA);
    m_pTree->InsertItem(L"A2", hA);
    // Under a collapsed parent: no rows.
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"A", L"B"}));
    m_pTree->SetItemState(hA, TVIS_EXPANDED, TVIS_EXPANDED);
    m_pTree->RebuildRows();
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"A", L"A1", L"A2", L"B"}));
    // Under an expanded parent a new child gets its row at once, in place.
    HTREEITEM hFirst = m_pTree->InsertItem(L"A0", hA, TVI_FIRST);
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"A", L"A0", L"A1", L"A2", L"B"}));
    EXPECT_EQ(m_pTree->GetItemRow(hFirst), 1);
    EXPECT_EQ(m_pTree->GetItemRow(hB), 4);

    // The hidden bit takes the rows of the whole subtree, whatever is expanded.
    m_pTree->SetItemEx(hA, 0x200, 0x200);
    EXPECT_EQ(Rows(), std::vector<std::wstring>{L"B"});
    EXPECT_TRUE(m_pTree->IsItemHidden(hFirst));
    EXPECT_EQ(m_pTree->GetItemEx(hFirst, 0x200), 0x200u);
    EXPECT_EQ(m_pTree->GetItemRow(hFirst), -1);
    m_pTree->SetItemEx(hA, 0, 0x200);
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"A", L"A0", L"A1", L"A2", L"B"}));
    EXPECT_EQ(m_pTree->GetItemAt(99), nullptr);
}

TEST_F(TreeModelTest, ExpandingAndCollapsing)
{
    HTREEITEM hA = m_pTree->InsertItem(L"A");
    HTREEITEM hA1 = m_pTree->InsertItem(L"A1", hA);
    m_pTree->InsertItem(L"A1x", hA1);
    m_pTree->InsertItem(L"A2", hA);
    m_pTree->InsertItem(L"B");

    // A vetoed expansion changes nothing and sends no TVN_ITEMEXPANDEDW.
    m_parent.m_nVetoCode = TVN_ITEMEXPANDINGW;
    EXPECT_FALSE(m_pTree->Expand(hA, TVE_TOGGLE, TRUE, FALSE));
    EXPECT_FALSE(m_pTree->IsItemExpanded(hA));
    EXPECT_TRUE(m_parent.m_expandedStates.empty());
    m_parent.m_nVetoCode = 0;

    ASSERT_TRUE(m_pTree->Expand(hA, TVE_TOGGLE, TRUE, FALSE));
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"A", L"A1", L"A2", L"B"}));
    ASSERT_TRUE(m_pTree->Expand(hA1, TVE_EXPAND, TRUE, FALSE));
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"A", L"A1", L"A1x", L"A2", L"B"}));

    // Collapsing over the selection moves it to the item, wrapped in the change pair.
    m_pTree->SelectItem(2, TRUE);
    ASSERT_TRUE(m_pTree->Expand(hA, TVE_TOGGLE, TRUE, FALSE));
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"A", L"B"}));
    EXPECT_EQ(m_pTree->GetSelectedItem(), hA);
    EXPECT_EQ(m_parent.m_selActions, (std::vector<UINT>{TVC_BYMOUSE, TVC_BYMOUSE}));
    EXPECT_EQ(m_parent.m_expandedStates, (std::vector<UINT>{TVIS_EXPANDED, TVIS_EXPANDED, 0}));

    // Expanding again shows the children as they were left, A1 still open.
    m_pTree->ExpandAll(hA);
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"A", L"A1", L"A1x", L"A2", L"B"}));

    // Collapse-reset deletes the children.
    ASSERT_TRUE(m_pTree->Expand(hA, TVE_COLLAPSE | TVE_COLLAPSERESET, TRUE, FALSE));
    EXPECT_FALSE(m_pTree->ItemHasChildren(hA));
    EXPECT_EQ(m_pTree->GetCount(), 2);
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"A", L"B"}));
}

TEST_F(TreeModelTest, AnnouncedChildrenWithoutNodesDoNotExpand)
{
    TVINSERTSTRUCTW insert = {};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_CHILDREN;
    insert.item.pszText = const_cast<LPWSTR>(L"pending");
    insert.item.cChildren = 1;
    HTREEITEM h = m_pTree->InsertItem(&insert);
    EXPECT_TRUE(m_pTree->HasPendingChildren(h));
    EXPECT_FALSE(m_pTree->Expand(h, TVE_EXPAND, TRUE, FALSE));
    // An owner that fills the item while it is asked lets it open.
    m_parent.m_onExpanding = [&] { m_pTree->InsertItem(L"filled", h); };
    EXPECT_TRUE(m_pTree->Expand(h, TVE_EXPAND, TRUE, FALSE));
    EXPECT_TRUE(m_pTree->IsItemExpanded(h));
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"pending", L"filled"}));
    m_parent.m_onExpanding = nullptr;
    // Without announced children there is nothing to do, and that is no failure.
    HTREEITEM hLeaf = m_pTree->InsertItem(L"leaf");
    EXPECT_TRUE(m_pTree->Expand(hLeaf, TVE_EXPAND, TRUE, FALSE));
    EXPECT_FALSE(m_pTree->IsItemExpanded(hLeaf));
}

TEST_F(TreeModelTest, DeletionNotifiesChildrenBeforeTheirParent)
{
    HTREEITEM hParent = m_pTree->InsertItem(L"parent");
    HTREEITEM hChild1 = m_pTree->InsertItem(L"child1", hParent);
    HTREEITEM hChild2 = m_pTree->InsertItem(L"child2", hParent);
    HTREEITEM hOther = m_pTree->InsertItem(L"other");
    ASSERT_TRUE(m_pTree->DeleteItem(hParent));
    EXPECT_EQ(m_parent.m_deletedItems, (std::vector<HTREEITEM>{hChild1, hChild2, hParent}));
    EXPECT_EQ(Rows(), std::vector<std::wstring>{L"other"});

    m_parent.m_deletedItems.clear();
    HTREEITEM hLast = m_pTree->InsertItem(L"last");
    ASSERT_TRUE(m_pTree->DeleteAllItems());
    EXPECT_EQ(m_parent.m_deletedItems, (std::vector<HTREEITEM>{hOther, hLast}));
    EXPECT_EQ(m_pTree->GetItemCount(), 0);
    EXPECT_EQ(m_pTree->GetCount(), 0);

    // Destroying the window deletes every item with a notification.
    m_parent.m_deletedItems.clear();
    HTREEITEM hTop = m_pTree->InsertItem(L"top");
    HTREEITEM hLeaf = m_pTree->InsertItem(L"leaf", hTop);
    m_pTree->DestroyWindow();
    EXPECT_EQ(m_parent.m_deletedItems, (std::vector<HTREEITEM>{hLeaf, hTop}));
}

TEST(TreeStyleTest, CreationStylesAsTheApplicationUsesThem)
{
    CNotifyLog parent;
    auto* pTree = new SECTreeBaseC;
    ASSERT_TRUE(pTree->CreateFromRect(0x50000037, 0x02100000, CRect(0, 0, 100, 100), &parent, 1037));
    EXPECT_EQ(pTree->GetTreeStyle(), 0x37u);
    EXPECT_TRUE(pTree->HasListStyle(0x8)); // TVS_SHOWSELALWAYS
    EXPECT_EQ(pTree->GetTreeExStyle(), 0x02100000u);
    EXPECT_TRUE(pTree->IsMultiSelect());
    EXPECT_FALSE(pTree->IsHeaderShown());
    // None of the tree's bits reached the window.
    EXPECT_EQ(pTree->GetStyle() & 0xFFFF, 0u);
    EXPECT_EQ(pTree->GetExStyle() & 0x3F00000, 0u);

    pTree->ModifyTreeExStyle(TVXS_MULTISELECT, TVXS_HEADER);
    EXPECT_FALSE(pTree->IsMultiSelect());
    EXPECT_TRUE(pTree->IsHeaderShown());
    // The list's own switches keep the tree's bits.
    pTree->SetMultiSelect(TRUE);
    pTree->SetLabelWrap(TRUE);
    pTree->SetHeaderFlags(TRUE, TRUE);
    pTree->SetExFlag100000(TRUE);
    EXPECT_EQ(pTree->GetTreeExStyle() & 0x4F00000u, 0x4F00000u);
    EXPECT_TRUE(pTree->IsMultiSelect());
    EXPECT_TRUE(pTree->GetExFlag100000());
    pTree->SetTreeStyle(TVS_EDITLABELS | TVS_HASBUTTONS);
    EXPECT_TRUE(pTree->HasListStyle(0x200));
    EXPECT_FALSE(pTree->HasListStyle(0x8));
    EXPECT_EQ(pTree->GetTreeStyle(), static_cast<UINT>(TVS_EDITLABELS | TVS_HASBUTTONS));
    pTree->DestroyWindow();
    delete pTree;
}

TEST(TreeWithoutWindowTest, DeletedItemsLeaveNoRows)
{
    SECTreeBaseC tree;
    HTREEITEM hA = tree.InsertItem(L"A");
    tree.InsertItem(L"B");
    ASSERT_EQ(tree.GetItemCount(), 2);
    ASSERT_TRUE(tree.DeleteItem(hA));
    EXPECT_EQ(tree.GetItemCount(), 1);
    EXPECT_STREQ(tree.GetItemText(tree.GetItemAt(0)), L"B");
}

TEST_F(TreeModelTest, ExpandStateRoundTrip)
{
    HTREEITEM hA = m_pTree->InsertItem(L"A");
    HTREEITEM hA1 = m_pTree->InsertItem(L"A1", hA);
    m_pTree->InsertItem(L"A1x", hA1);
    HTREEITEM hB = m_pTree->InsertItem(L"B");
    m_pTree->InsertItem(L"B1", hB);
    m_pTree->Expand(hB, TVE_EXPAND);
    CDWordArray states;
    m_pTree->GetExpandState(states);
    ASSERT_EQ(states.GetSize(), 5);
    m_pTree->ExpandAll(TVI_ROOT);
    EXPECT_EQ(m_pTree->GetItemCount(), 5);
    m_pTree->RestoreExpandState(states);
    EXPECT_FALSE(m_pTree->IsItemExpanded(hA));
    EXPECT_FALSE(m_pTree->IsItemExpanded(hA1));
    EXPECT_TRUE(m_pTree->IsItemExpanded(hB));
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"A", L"B", L"B1"}));
}

TEST_F(TreeModelTest, TextsAreTerminatedAndIndentStaysEven)
{
    HTREEITEM h = m_pTree->InsertItem(L"abcdef");
    wchar_t buffer[8];
    wmemset(buffer, L'#', 8);
    TVITEMW item = {};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = h;
    item.pszText = buffer;
    item.cchTextMax = 4;
    ASSERT_TRUE(m_pTree->GetItem(&item));
    EXPECT_STREQ(buffer, L"abc");
    EXPECT_TRUE(m_pTree->SetItemText(h, 0, L"renamed"));
    EXPECT_STREQ(m_pTree->GetItemText(h), L"renamed");

    m_pTree->SetIndent(15);
    EXPECT_EQ(m_pTree->GetIndent(), 16);
    m_pTree->SetIndent(20);
    CImageList images;
    images.Create(23, 16, ILC_COLOR32, 1, 1);
    CBitmap bitmap;
    bitmap.CreateBitmap(23, 16, 1, 32, nullptr);
    images.Add(&bitmap, static_cast<CBitmap*>(nullptr));
    m_pTree->SetImageList(&images, LVSIL_NORMAL);
    EXPECT_EQ(m_pTree->GetIndent(), 24);
}
} // namespace
