// The store of column texts and a tree that keeps every node's texts in their columns.
#include <toolkit/lists/TreeCtrl.h>

#include <gtest/gtest.h>

#include "NotifyLog.h"
#include "SentInput.h"

using namespace tarnwick::lists;

namespace
{
HTREEITEM Handle(INT_PTR n)
{
    return reinterpret_cast<HTREEITEM>(n);
}

CString Text(const SECSubItemTextStorage& store, HTREEITEM hItem, int nColumn, BOOL* pFound = nullptr)
{
    WCHAR sz[64];
    const BOOL bFound = store.GetSubItemText(hItem, nColumn, sz, 64);
    if (pFound != nullptr)
        *pFound = bFound;
    return sz;
}

TEST(SubItemTextStorageTest, SetReadInsertAndMove)
{
    SECSubItemTextStorage store;
    store.SetSubItemText(Handle(1), 3, L"three");
    BOOL bFound = FALSE;
    EXPECT_EQ(Text(store, Handle(1), 1, &bFound), L"");
    EXPECT_TRUE(bFound);
    EXPECT_EQ(Text(store, Handle(1), 2), L"");
    EXPECT_EQ(Text(store, Handle(1), 3), L"three");
    EXPECT_EQ(Text(store, Handle(1), 4, &bFound), L"");
    EXPECT_FALSE(bFound);
    EXPECT_EQ(Text(store, Handle(2), 1, &bFound), L"");
    EXPECT_FALSE(bFound);

    store.SetSubItemText(Handle(2), 1, L"a");
    EXPECT_TRUE(store.InsertColumn(1));
    EXPECT_EQ(Text(store, Handle(1), 4), L"three");
    EXPECT_EQ(Text(store, Handle(2), 1), L"");
    EXPECT_EQ(Text(store, Handle(2), 2), L"a");
    EXPECT_FALSE(store.GetSubItemText(Handle(3), 1, nullptr, 0)); // items without texts stay without

    SECSubItemTextStorage moved;
    for (int i = 1; i <= 3; i++)
        moved.SetSubItemText(Handle(5), i, CString(L'0' + i, 1));
    moved.MoveColumn(Handle(5), 1, 3);
    EXPECT_EQ(Text(moved, Handle(5), 1) + Text(moved, Handle(5), 2) + Text(moved, Handle(5), 3), L"231");

    moved.RemoveItem(Handle(5));
    EXPECT_FALSE(moved.GetSubItemText(Handle(5), 1, nullptr, 0));
}

TEST(SubItemTextStorageTest, ShortBufferIsTerminated)
{
    SECSubItemTextStorage store;
    store.SetSubItemText(Handle(1), 1, L"abcdefgh");
    WCHAR sz[5];
    wmemset(sz, L'#', 5);
    EXPECT_TRUE(store.GetSubItemText(Handle(1), 1, sz, 5));
    EXPECT_STREQ(sz, L"abcd");
}

class TreeColumnsTest : public ::testing::Test
{
protected:
    CNotifyLog m_parent;
    SECTreeCtrl m_tree;
    HTREEITEM m_hRoot = nullptr;
    HTREEITEM m_hCollapsed = nullptr;
    HTREEITEM m_hUnder = nullptr;
    HTREEITEM m_hHidden = nullptr;

    void SetUp() override
    {
        ASSERT_TRUE(m_tree.Create(nullptr, nullptr, WS_CHILD | TVS_HASBUTTONS, CRect(0, 0, 300, 200), &m_parent, 5));
        m_tree.EnableSubItemTextStorage(TRUE);
        m_tree.InsertColumn(1, L"A", 0, 60, 1, -1);
        m_tree.InsertColumn(2, L"B", 0, 60, 2, -1);
        m_hRoot = m_tree.InsertItem(L"root");
        m_hCollapsed = m_tree.InsertItem(L"collapsed", m_hRoot);
        m_hUnder = m_tree.InsertItem(L"under", m_hCollapsed);
        m_hHidden = m_tree.InsertItem(L"hidden", m_hRoot);
        m_tree.Expand(m_hRoot, TVE_EXPAND);
        m_tree.SetItemEx(m_hHidden, 0x200, 0x200);
        for (HTREEITEM h : {m_hRoot, m_hCollapsed, m_hUnder, m_hHidden})
        {
            m_tree.SetItemText(h, 1, m_tree.GetItemText(h) + L"-a");
            m_tree.SetItemText(h, 2, m_tree.GetItemText(h) + L"-b");
        }
    }
    void TearDown() override
    {
        m_tree.DestroyWindow();
    }
    void ExpectTexts(HTREEITEM h, std::initializer_list<const wchar_t*> texts)
    {
        int nColumn = 1;
        for (const wchar_t* psz : texts)
            EXPECT_EQ(m_tree.GetItemText(h, nColumn++), psz) << m_tree.GetItemText(h).GetString();
    }
};

TEST_F(TreeColumnsTest, InsertingColumnZeroShiftsEveryNodesTexts)
{
    m_tree.Select(m_hRoot, TVGN_CARET);
    ASSERT_TRUE(m_tree.InsertColumn(0, L"New", 0, 40, 1, -1));
    EXPECT_EQ(m_tree.GetColumnHeading(1), L"New");
    ExpectTexts(m_hRoot, {L"", L"root-a", L"root-b"});
    ExpectTexts(m_hUnder, {L"", L"under-a", L"under-b"});
    ExpectTexts(m_hHidden, {L"", L"hidden-a", L"hidden-b"});
    EXPECT_TRUE(m_tree.IsItemExpanded(m_hRoot));
    EXPECT_FALSE(m_tree.IsItemExpanded(m_hCollapsed));
    EXPECT_EQ(m_tree.GetSelectedItem(), m_hRoot);
    // What the rows paint comes from the store too.
    EXPECT_EQ(static_cast<SECListCtrl&>(m_tree).GetItemText(0, 2), L"root-a");
}

TEST_F(TreeColumnsTest, DeletingMovesTextsLeftAndColumnZeroOfSeveralFails)
{
    EXPECT_FALSE(m_tree.DeleteColumn(0));
    EXPECT_FALSE(m_tree.DeleteColumn(3));
    ASSERT_TRUE(m_tree.DeleteColumnByHeading(L"A"));
    EXPECT_EQ(m_tree.GetColumnCount(), 2);
    ExpectTexts(m_hUnder, {L"under-b"});
    ExpectTexts(m_hHidden, {L"hidden-b"});
    ASSERT_TRUE(m_tree.InsertColumn(2, L"C", 0, 40, 2, -1));
    ExpectTexts(m_hUnder, {L"under-b", L""}); // the deleted text does not come back
}

TEST_F(TreeColumnsTest, MovingAColumnMovesEveryNodesTexts)
{
    ASSERT_TRUE(m_tree.MoveColumn(1, 3));
    ExpectTexts(m_hRoot, {L"root-b", L"root-a"});
    ExpectTexts(m_hUnder, {L"under-b", L"under-a"});
    ExpectTexts(m_hHidden, {L"hidden-b", L"hidden-a"});
}

TEST_F(TreeColumnsTest, DeletedItemLeavesTheStore)
{
    const HTREEITEM hGone = m_hUnder;
    m_parent.m_deletedItems.clear();
    ASSERT_TRUE(m_tree.DeleteItem(hGone));
    ASSERT_EQ(m_parent.m_deletedItems.size(), 1u);
    EXPECT_EQ(m_parent.m_deletedItems[0], hGone);
    EXPECT_STREQ(m_tree.GetItemText(hGone, 1), L"");
}

TEST(TreeColumnsWithoutStoreTest, RowTextsMoveOnce)
{
    CNotifyLog parent;
    SECTreeCtrl tree;
    ASSERT_TRUE(tree.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 300, 200), &parent, 5));
    tree.InsertColumn(1, L"A", 0, 60, 1, -1);
    tree.InsertColumn(2, L"B", 0, 60, 2, -1);
    const HTREEITEM hItem = tree.InsertItem(L"item");
    LVITEMW cell = {};
    cell.mask = LVIF_TEXT | LVIF_DI_SETITEM;
    cell.iSubItem = 1;
    cell.pszText = const_cast<LPWSTR>(L"one");
    ASSERT_TRUE(tree.SetItem(&cell));
    cell.iSubItem = 2;
    cell.pszText = const_cast<LPWSTR>(L"two");
    ASSERT_TRUE(tree.SetItem(&cell));
    ASSERT_TRUE(tree.InsertColumn(1, L"New", 0, 40, 1, -1));
    EXPECT_EQ(tree.GetItemText(hItem, 2), L"one");
    EXPECT_EQ(tree.GetItemText(hItem, 3), L"two");
    tree.DestroyWindow();
}
} // namespace
