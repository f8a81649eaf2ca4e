// The tree control's keys, clicks, hit testing, selection and hover expansion as sent messages.
#include <toolkit/lists/TreeCtrl.h>

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include <testing/MessagePump.h>

#include "NotifyLog.h"
#include "SentInput.h"

using tarnwick::lists::SECTreeCtrl;
using tarnwick::lists::TVXS_HEADER;
using tarnwick::lists::TVXS_HOVEREXPAND;

namespace
{
class TreeInputTest : public ::testing::Test
{
protected:
    CNotifyLog m_parent;
    SECTreeCtrl m_tree;
    HTREEITEM m_hA = nullptr;
    HTREEITEM m_hA1 = nullptr;
    HTREEITEM m_hB = nullptr;
    HTREEITEM m_hB2 = nullptr;
    HTREEITEM m_hB2a = nullptr;

    void Create(DWORD dwStyle, DWORD dwExStyle = 0)
    {
        m_parent.ShowWindow(SW_SHOWNA);
        ASSERT_TRUE(
            m_tree.CreateFromRect(WS_CHILD | WS_VISIBLE | dwStyle, dwExStyle, CRect(0, 0, 300, 300), &m_parent, 1037));
        m_hA = m_tree.InsertItem(L"A");
        m_hA1 = m_tree.InsertItem(L"A1", m_hA);
        m_tree.InsertItem(L"A2", m_hA);
        m_hB = m_tree.InsertItem(L"B");
        m_tree.InsertItem(L"B1", m_hB);
        m_hB2 = m_tree.InsertItem(L"B2", m_hB);
        m_hB2a = m_tree.InsertItem(L"B2a", m_hB2);
        m_tree.RecalcLayout();
        m_tree.SetFocus();
        m_parent.m_codes.clear();
    }
    void TearDown() override
    {
        if (m_tree.GetSafeHwnd() != nullptr)
            m_tree.DestroyWindow();
    }
    CPoint Label(HTREEITEM hItem)
    {
        CRect rect;
        EXPECT_TRUE(m_tree.GetCellRect(m_tree.GetItemRow(hItem), 0, rect, 2));
        return rect.CenterPoint();
    }
    // The first point left of the item's label that hits the given part.
    CPoint LeftOfLabel(HTREEITEM hItem, UINT nPart)
    {
        const CPoint label = Label(hItem);
        for (int x = 0; x < label.x; x++)
        {
            UINT nFlags = 0;
            m_tree.HitTest(CPoint(x, label.y), &nFlags);
            if (nFlags & nPart)
                return CPoint(x, label.y);
        }
        ADD_FAILURE() << "no part " << nPart;
        return CPoint(-1, -1);
    }
    size_t Count(UINT nCode) const
    {
        return static_cast<size_t>(std::count(m_parent.m_codes.begin(), m_parent.m_codes.end(), nCode));
    }
};

TEST_F(TreeInputTest, KeysExpandCollapseAndMoveBetweenLevels)
{
    Create(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT);
    ASSERT_TRUE(m_tree.Select(m_hA, TVGN_CARET));
    // "+" typed is no type-ahead and expands nothing; the key VK_ADD expands.
    SendChar(m_tree, L'+');
    EXPECT_FALSE(m_tree.IsItemExpanded(m_hA));
    EXPECT_EQ(m_tree.GetSelectedItem(), m_hA);
    SendKey(m_tree, VK_ADD);
    EXPECT_TRUE(m_tree.IsItemExpanded(m_hA));
    SendKey(m_tree, VK_RIGHT);
    EXPECT_EQ(m_tree.GetSelectedItem(), m_hA1);
    SendKey(m_tree, VK_LEFT);
    EXPECT_EQ(m_tree.GetSelectedItem(), m_hA);
    SendKey(m_tree, VK_LEFT);
    EXPECT_FALSE(m_tree.IsItemExpanded(m_hA));
    // "*" expands the whole subtree.
    m_tree.Select(m_hB, TVGN_CARET);
    SendKey(m_tree, VK_MULTIPLY);
    EXPECT_TRUE(m_tree.IsItemExpanded(m_hB));
    EXPECT_TRUE(m_tree.IsItemExpanded(m_hB2));
    // Type-ahead still finds items by their labels.
    SendChar(m_tree, L'a');
    EXPECT_EQ(m_tree.GetSelectedItem(), m_hA);
    // Each key is told first, before Escape acts.
    m_parent.m_codes.clear();
    SendKey(m_tree, VK_ESCAPE);
    PumpPendingMessages();
    // Only the key's notification and what the dialog did count: focus notifications come and go
    // with the other windows of the desktop.
    std::erase_if(m_parent.m_codes, [](UINT n) {
        return n != static_cast<UINT>(TVN_KEYDOWN) && n != CNotifyLog::Cancel && n != CNotifyLog::NextDlgCtl;
    });
    EXPECT_EQ(m_parent.m_codes, (std::vector<UINT>{static_cast<UINT>(TVN_KEYDOWN), CNotifyLog::Cancel}));
}

TEST_F(TreeInputTest, ButtonClicksToggleWithoutSelectingAndDoubleClicksToggle)
{
    Create(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT);
    m_tree.Select(m_hA, TVGN_CARET);
    SendClick(m_tree, LeftOfLabel(m_hB, TVHT_ONITEMBUTTON));
    EXPECT_TRUE(m_tree.IsItemExpanded(m_hB));
    EXPECT_TRUE(m_tree.GetItemState(m_hA, TVIS_SELECTED) == 0 ? m_tree.IsItemSelected(m_tree.GetItemRow(m_hA)) : TRUE);
    EXPECT_FALSE(m_tree.IsItemSelected(m_tree.GetItemRow(m_hB)));
    SendClick(m_tree, LeftOfLabel(m_hB, TVHT_ONITEMBUTTON));
    EXPECT_FALSE(m_tree.IsItemExpanded(m_hB));

    SendMouse(m_tree, WM_LBUTTONDBLCLK, Label(m_hB), MK_LBUTTON);
    EXPECT_TRUE(m_tree.IsItemExpanded(m_hB));
    EXPECT_EQ(m_parent.m_codes.back() == static_cast<UINT>(TVN_ITEMEXPANDEDW), true);
    SendMouse(m_tree, WM_LBUTTONDBLCLK, Label(m_hB), MK_LBUTTON | MK_CONTROL);
    EXPECT_TRUE(m_tree.IsItemExpanded(m_hB));
}

TEST_F(TreeInputTest, HitTestTranslatesTheListFlags)
{
    Create(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, TVXS_HEADER);
    // Created with items to come, the one column fills the window: its heading shows.
    EXPECT_EQ(m_tree.GetColumnWidth(0), 300);
    CImageList images;
    images.Create(16, 16, ILC_COLOR24, 1, 0);
    images.SetImageCount(1);
    m_tree.SetImageList(&images, LVSIL_NORMAL);
    TVITEMW item = {};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
    item.hItem = m_hA;
    m_tree.SetItem(&item);
    m_tree.RecalcLayout();
    CRect icon;
    ASSERT_TRUE(m_tree.GetCellRect(m_tree.GetItemRow(m_hA), 0, icon, 1));
    CRect label;
    m_tree.GetCellRect(m_tree.GetItemRow(m_hA), 0, label, 2);
    CRect client;
    m_tree.GetClientRect(&client);
    struct Case
    {
        CPoint point;
        UINT nFlags;
        HTREEITEM hItem;
    };
    const Case cases[] = {
        {label.CenterPoint(), 0x4000 | TVHT_ONITEMLABEL, m_hA},
        {icon.CenterPoint(), 0x4000 | TVHT_ONITEMICON, m_hA},
        {CPoint(label.right + 20, label.CenterPoint().y), 0x4000 | TVHT_ONITEMRIGHT, m_hA},
        {LeftOfLabel(m_hA, TVHT_ONITEMBUTTON), 0x4000 | TVHT_ONITEMBUTTON, m_hA},
        {CPoint(1, label.CenterPoint().y), 0x4000 | TVHT_ONITEMINDENT, m_hA},
        {CPoint(50, 10), 0x2000, nullptr}, // a header button
        {CPoint(50, client.bottom - 5), TVHT_NOWHERE, nullptr},
        {CPoint(50, client.bottom + 5), TVHT_BELOW, nullptr},
        {CPoint(client.right + 5, 50), TVHT_TORIGHT, nullptr},
    };
    for (const Case& c : cases)
    {
        UINT nFlags = 0;
        EXPECT_EQ(m_tree.HitTest(c.point, &nFlags), c.hItem) << c.point.x << "," << c.point.y;
        EXPECT_EQ(nFlags, c.nFlags) << c.point.x << "," << c.point.y;
    }
}

TEST_F(TreeInputTest, SingleExpandFollowsTheSelection)
{
    Create(TVS_HASBUTTONS | TVS_SINGLEEXPAND);
    m_tree.Expand(m_hA, TVE_EXPAND, TRUE, FALSE);
    m_tree.Select(m_hA, TVGN_CARET);
    SendClick(m_tree, Label(m_hB));
    EXPECT_FALSE(m_tree.IsItemExpanded(m_hA));
    EXPECT_TRUE(m_tree.IsItemExpanded(m_hB));
    // A child of the open item keeps it open.
    SendClick(m_tree, Label(m_hB2));
    EXPECT_TRUE(m_tree.IsItemExpanded(m_hB));
    EXPECT_TRUE(m_tree.IsItemExpanded(m_hB2));
    EXPECT_EQ(m_tree.GetSelectedItem(), m_hB2);
}

TEST_F(TreeInputTest, DragsAreNotifiedUnlessDisabledAndEndEitherWay)
{
    for (const DWORD dwStyle : {DWORD(0), DWORD(TVS_DISABLEDRAGDROP)})
    {
        Create(TVS_HASBUTTONS | dwStyle);
        SendMouse(m_tree, WM_LBUTTONDOWN, Label(m_hA), MK_LBUTTON);
        SendMouse(m_tree, WM_MOUSEMOVE, Label(m_hA) + CPoint(10, 0), MK_LBUTTON);
        EXPECT_FALSE(m_tree.IsItemDragging());
        EXPECT_EQ(Count(TVN_BEGINDRAGW), dwStyle == 0 ? 1u : 0u);
        SendMouse(m_tree, WM_LBUTTONUP, Label(m_hA) + CPoint(10, 0));
        m_tree.DestroyWindow();
    }
}

TEST_F(TreeInputTest, SelectMakesTheItemVisibleAndNotifies)
{
    Create(TVS_HASBUTTONS);
    m_parent.m_selActions.clear();
    // Expanding an item under a collapsed one leaves the collapsed one as it is.
    ASSERT_TRUE(m_tree.Expand(m_hB2, TVE_EXPAND, TRUE, FALSE));
    EXPECT_FALSE(m_tree.IsItemExpanded(m_hB));
    EXPECT_EQ(m_tree.GetItemRow(m_hB2a), -1);
    m_tree.Expand(m_hB2, TVE_COLLAPSE, TRUE, FALSE);
    ASSERT_TRUE(m_tree.Select(m_hB2a, TVGN_CARET));
    EXPECT_TRUE(m_tree.IsItemExpanded(m_hB));
    EXPECT_TRUE(m_tree.IsItemExpanded(m_hB2));
    EXPECT_EQ(m_tree.GetSelectedItem(), m_hB2a);
    EXPECT_EQ(m_parent.m_selActions, (std::vector<UINT>{TVC_UNKNOWN, TVC_UNKNOWN}));
    // A vetoed change keeps the selection.
    m_parent.m_nVetoCode = TVN_SELCHANGINGW;
    EXPECT_FALSE(m_tree.Select(m_hA, TVGN_CARET));
    EXPECT_EQ(m_tree.GetSelectedItem(), m_hB2a);
    // A click is by mouse.
    m_parent.m_nVetoCode = 0;
    m_parent.m_selActions.clear();
    SendClick(m_tree, Label(m_hA));
    EXPECT_EQ(m_parent.m_selActions, (std::vector<UINT>{TVC_BYMOUSE, TVC_BYMOUSE}));
}

TEST_F(TreeInputTest, AHeldDropTargetExpandsWhenItsTimerFires)
{
    Create(TVS_HASBUTTONS, TVXS_HOVEREXPAND);
    m_tree.SetHoverDelay(60000);
    ASSERT_TRUE(m_tree.Select(m_hA, TVGN_DROPHILITE));
    EXPECT_EQ(m_tree.GetDropHilightItem(), m_hA);
    m_tree.SendMessage(WM_TIMER, tarnwick::lists::TREE_TIMER_HOVER);
    EXPECT_TRUE(m_tree.IsItemExpanded(m_hA));
    ASSERT_TRUE(m_tree.Select(nullptr, TVGN_DROPHILITE));
    EXPECT_EQ(m_tree.GetDropHilightItem(), nullptr);
}
} // namespace

namespace
{
TEST_F(TreeInputTest, AnimatedExpandingGivesTheSameRows)
{
    Create(TVS_HASBUTTONS, tarnwick::lists::TVXS_ANIMATE);
    ASSERT_TRUE(m_tree.Expand(m_hB, TVE_EXPAND, TRUE, FALSE));
    ASSERT_TRUE(m_tree.Expand(m_hB2, TVE_EXPAND, TRUE, FALSE));
    EXPECT_EQ(m_tree.GetItemCount(), 5);
    EXPECT_EQ(m_tree.GetItemAt(4), m_hB2a);
    ASSERT_TRUE(m_tree.Expand(m_hB, TVE_COLLAPSE, TRUE, FALSE));
    EXPECT_EQ(m_tree.GetItemCount(), 2);
    EXPECT_EQ(m_tree.GetItemAt(1), m_hB);
}

TEST_F(TreeInputTest, DragImageJoinsIconAndLabel)
{
    Create(TVS_HASBUTTONS);
    EXPECT_EQ(m_tree.CreateDragImage(m_hA), nullptr); // no normal image list
    CImageList images;
    images.Create(16, 16, ILC_COLOR24, 1, 0);
    images.SetImageCount(1);
    m_tree.SetImageList(&images, LVSIL_NORMAL);
    TVITEMW item = {};
    item.mask = TVIF_IMAGE | TVIF_HANDLE;
    item.hItem = m_hA;
    m_tree.SetItem(&item);
    CImageList* pDrag = m_tree.CreateDragImage(m_hA);
    ASSERT_NE(pDrag, nullptr);
    IMAGEINFO info = {};
    ASSERT_TRUE(pDrag->GetImageInfo(0, &info));
    CClientDC dc(&m_tree);
    ::SelectObject(dc.m_hDC, m_tree.GetItemFont());
    EXPECT_EQ(info.rcImage.right - info.rcImage.left, 16 + 6 + dc.GetTextExtent(L"A").cx);
    delete pDrag;
}
} // namespace
