// The tree control's keys, clicks, hit testing, selection and hover expansion as sent messages.
#include <toolkit/lists/TreeCtrl.h>
#include <toolkit/lists/TreeView.h>

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include <testing/MessagePump.h>

#include "NotifyLog.h"
#include "SentInput.h"

using tarnwick::lists::SECTreeCtrl;
using tarnwick::lists::SECTreeView;
using tarnwick::lists::TVXS_HEADER;
using tarnwick::lists::TVXS_HOVEREXPAND;

namespace
{
// The tree control, made straight under the logging parent.
class ControlHost
{
public:
    ~ControlHost()
    {
        Destroy();
    }
    void Destroy()
    {
        if (m_tree.GetSafeHwnd() != nullptr)
            m_tree.DestroyWindow();
    }
    SECTreeCtrl& Tree()
    {
        return m_tree;
    }
    BOOL Create(DWORD dwStyle, DWORD dwExStyle, CNotifyLog& parent)
    {
        return m_tree.CreateFromRect(dwStyle, dwExStyle, CRect(0, 0, 300, 300), &parent, 1037);
    }

private:
    SECTreeCtrl m_tree;
};

// A frame that hands what its pane sends it to the logging parent.
class ForwardingFrame : public CFrameWnd
{
public:
    explicit ForwardingFrame(CNotifyLog& log) : m_log(log)
    {
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY || message == WM_NEXTDLGCTL || (message == WM_COMMAND && wParam == IDCANCEL))
            return m_log.SendMessage(message, wParam, lParam);
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }

private:
    CNotifyLog& m_log;
};

// The tree view as a view is used: the pane of a frame, which owns and deletes it.
class ViewHost
{
public:
    ViewHost() : m_pView(new SECTreeView)
    {
    }
    ~ViewHost()
    {
        Destroy();
        delete m_pView;
    }
    // Destroying the frame deletes it and its view; a new view stands ready.
    void Destroy()
    {
        if (m_pFrame == nullptr)
            return;
        m_pFrame->DestroyWindow();
        m_pFrame = nullptr;
        m_pView = new SECTreeView;
    }
    ViewHost(const ViewHost&) = delete;
    ViewHost& operator=(const ViewHost&) = delete;
    SECTreeView& Tree()
    {
        return *m_pView;
    }
    BOOL Create(DWORD dwStyle, DWORD dwExStyle, CNotifyLog& parent)
    {
        m_pFrame = new ForwardingFrame(parent);
        // The frame's client area is the control's 300 x 300.
        CRect rect(0, 0, 300, 300);
        ::AdjustWindowRectEx(&rect, WS_OVERLAPPEDWINDOW, FALSE, 0);
        if (!m_pFrame->Create(nullptr, _T("Tree"), WS_OVERLAPPEDWINDOW, CRect(CPoint(0, 0), rect.Size())))
            return FALSE;
        if (!m_pView->CreateFromRect(dwStyle, dwExStyle, CRect(0, 0, 300, 300), m_pFrame, AFX_IDW_PANE_FIRST))
            return FALSE;
        m_pFrame->SetActiveView(m_pView);
        m_pFrame->ShowWindow(SW_SHOWNA);
        return TRUE;
    }

private:
    SECTreeView* m_pView;
    ForwardingFrame* m_pFrame = nullptr;
};

// The same input tables for the control and for the view.
template <class THost> class TreeInputTest : public ::testing::Test
{
protected:
    CNotifyLog m_parent;
    THost m_host;

    auto& Tree()
    {
        return m_host.Tree();
    }
    HTREEITEM m_hA = nullptr;
    HTREEITEM m_hA1 = nullptr;
    HTREEITEM m_hB = nullptr;
    HTREEITEM m_hB2 = nullptr;
    HTREEITEM m_hB2a = nullptr;

    void Create(DWORD dwStyle, DWORD dwExStyle = 0)
    {
        m_parent.ShowWindow(SW_SHOWNA);
        ASSERT_TRUE(m_host.Create(WS_CHILD | WS_VISIBLE | dwStyle, dwExStyle, m_parent));
        m_hA = Tree().InsertItem(L"A");
        m_hA1 = Tree().InsertItem(L"A1", m_hA);
        Tree().InsertItem(L"A2", m_hA);
        m_hB = Tree().InsertItem(L"B");
        Tree().InsertItem(L"B1", m_hB);
        m_hB2 = Tree().InsertItem(L"B2", m_hB);
        m_hB2a = Tree().InsertItem(L"B2a", m_hB2);
        Tree().RecalcLayout();
        Tree().SetFocus();
        m_parent.m_codes.clear();
    }
    CPoint Label(HTREEITEM hItem)
    {
        CRect rect;
        EXPECT_TRUE(Tree().GetCellRect(Tree().GetItemRow(hItem), 0, rect, 2));
        return rect.CenterPoint();
    }
    // The first point left of the item's label that hits the given part.
    CPoint LeftOfLabel(HTREEITEM hItem, UINT nPart)
    {
        const CPoint label = Label(hItem);
        for (int x = 0; x < label.x; x++)
        {
            UINT nFlags = 0;
            Tree().HitTest(CPoint(x, label.y), &nFlags);
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

using TreeHosts = ::testing::Types<ControlHost, ViewHost>;
TYPED_TEST_SUITE(TreeInputTest, TreeHosts);

TYPED_TEST(TreeInputTest, KeysExpandCollapseAndMoveBetweenLevels)
{
    this->Create(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT);
    ASSERT_TRUE(this->Tree().Select(this->m_hA, TVGN_CARET));
    // "+" typed is no type-ahead and expands nothing; the key VK_ADD expands.
    SendChar(this->Tree(), L'+');
    EXPECT_FALSE(this->Tree().IsItemExpanded(this->m_hA));
    EXPECT_EQ(this->Tree().GetSelectedItem(), this->m_hA);
    SendKey(this->Tree(), VK_ADD);
    EXPECT_TRUE(this->Tree().IsItemExpanded(this->m_hA));
    SendKey(this->Tree(), VK_RIGHT);
    EXPECT_EQ(this->Tree().GetSelectedItem(), this->m_hA1);
    SendKey(this->Tree(), VK_LEFT);
    EXPECT_EQ(this->Tree().GetSelectedItem(), this->m_hA);
    SendKey(this->Tree(), VK_LEFT);
    EXPECT_FALSE(this->Tree().IsItemExpanded(this->m_hA));
    // "*" expands the whole subtree.
    this->Tree().Select(this->m_hB, TVGN_CARET);
    SendKey(this->Tree(), VK_MULTIPLY);
    EXPECT_TRUE(this->Tree().IsItemExpanded(this->m_hB));
    EXPECT_TRUE(this->Tree().IsItemExpanded(this->m_hB2));
    // Type-ahead still finds items by their labels.
    SendChar(this->Tree(), L'a');
    EXPECT_EQ(this->Tree().GetSelectedItem(), this->m_hA);
    // Each key is told first, before Escape acts.
    this->m_parent.m_codes.clear();
    SendKey(this->Tree(), VK_ESCAPE);
    PumpPendingMessages();
    // Only the key's notification and what the dialog did count: focus notifications come and go
    // with the other windows of the desktop.
    std::erase_if(this->m_parent.m_codes, [](UINT n) {
        return n != static_cast<UINT>(TVN_KEYDOWN) && n != CNotifyLog::Cancel && n != CNotifyLog::NextDlgCtl;
    });
    EXPECT_EQ(this->m_parent.m_codes, (std::vector<UINT>{static_cast<UINT>(TVN_KEYDOWN), CNotifyLog::Cancel}));
}

TYPED_TEST(TreeInputTest, ButtonClicksToggleWithoutSelectingAndDoubleClicksToggle)
{
    this->Create(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT);
    this->Tree().Select(this->m_hA, TVGN_CARET);
    SendClick(this->Tree(), this->LeftOfLabel(this->m_hB, TVHT_ONITEMBUTTON));
    EXPECT_TRUE(this->Tree().IsItemExpanded(this->m_hB));
    EXPECT_TRUE(this->Tree().GetItemState(this->m_hA, TVIS_SELECTED) == 0
                    ? this->Tree().IsItemSelected(this->Tree().GetItemRow(this->m_hA))
                    : TRUE);
    EXPECT_FALSE(this->Tree().IsItemSelected(this->Tree().GetItemRow(this->m_hB)));
    SendClick(this->Tree(), this->LeftOfLabel(this->m_hB, TVHT_ONITEMBUTTON));
    EXPECT_FALSE(this->Tree().IsItemExpanded(this->m_hB));

    SendMouse(this->Tree(), WM_LBUTTONDBLCLK, this->Label(this->m_hB), MK_LBUTTON);
    EXPECT_TRUE(this->Tree().IsItemExpanded(this->m_hB));
    EXPECT_EQ(this->m_parent.m_codes.back() == static_cast<UINT>(TVN_ITEMEXPANDEDW), true);
    SendMouse(this->Tree(), WM_LBUTTONDBLCLK, this->Label(this->m_hB), MK_LBUTTON | MK_CONTROL);
    EXPECT_TRUE(this->Tree().IsItemExpanded(this->m_hB));
}

TYPED_TEST(TreeInputTest, HitTestTranslatesTheListFlags)
{
    this->Create(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, TVXS_HEADER);
    // Created with items to come, the one column fills the window: its heading shows.
    EXPECT_EQ(this->Tree().GetColumnWidth(0), 300);
    CImageList images;
    images.Create(16, 16, ILC_COLOR24, 1, 0);
    images.SetImageCount(1);
    this->Tree().SetImageList(&images, LVSIL_NORMAL);
    TVITEMW item = {};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
    item.hItem = this->m_hA;
    this->Tree().SetItem(&item);
    this->Tree().RecalcLayout();
    CRect icon;
    ASSERT_TRUE(this->Tree().GetCellRect(this->Tree().GetItemRow(this->m_hA), 0, icon, 1));
    CRect label;
    this->Tree().GetCellRect(this->Tree().GetItemRow(this->m_hA), 0, label, 2);
    CRect client;
    this->Tree().GetClientRect(&client);
    struct Case
    {
        CPoint point;
        UINT nFlags;
        HTREEITEM hItem;
    };
    const Case cases[] = {
        {label.CenterPoint(), 0x4000 | TVHT_ONITEMLABEL, this->m_hA},
        {icon.CenterPoint(), 0x4000 | TVHT_ONITEMICON, this->m_hA},
        {CPoint(label.right + 20, label.CenterPoint().y), 0x4000 | TVHT_ONITEMRIGHT, this->m_hA},
        {this->LeftOfLabel(this->m_hA, TVHT_ONITEMBUTTON), 0x4000 | TVHT_ONITEMBUTTON, this->m_hA},
        {CPoint(1, label.CenterPoint().y), 0x4000 | TVHT_ONITEMINDENT, this->m_hA},
        {CPoint(50, 10), 0x2000, nullptr}, // a header button
        {CPoint(50, client.bottom - 5), TVHT_NOWHERE, nullptr},
        {CPoint(50, client.bottom + 5), TVHT_BELOW, nullptr},
        {CPoint(client.right + 5, 50), TVHT_TORIGHT, nullptr},
    };
    for (const Case& c : cases)
    {
        UINT nFlags = 0;
        EXPECT_EQ(this->Tree().HitTest(c.point, &nFlags), c.hItem) << c.point.x << "," << c.point.y;
        EXPECT_EQ(nFlags, c.nFlags) << c.point.x << "," << c.point.y;
    }
}

TYPED_TEST(TreeInputTest, SingleExpandFollowsTheSelection)
{
    this->Create(TVS_HASBUTTONS | TVS_SINGLEEXPAND);
    this->Tree().Expand(this->m_hA, TVE_EXPAND, TRUE, FALSE);
    this->Tree().Select(this->m_hA, TVGN_CARET);
    SendClick(this->Tree(), this->Label(this->m_hB));
    EXPECT_FALSE(this->Tree().IsItemExpanded(this->m_hA));
    EXPECT_TRUE(this->Tree().IsItemExpanded(this->m_hB));
    // A child of the open item keeps it open.
    SendClick(this->Tree(), this->Label(this->m_hB2));
    EXPECT_TRUE(this->Tree().IsItemExpanded(this->m_hB));
    EXPECT_TRUE(this->Tree().IsItemExpanded(this->m_hB2));
    EXPECT_EQ(this->Tree().GetSelectedItem(), this->m_hB2);
}

TYPED_TEST(TreeInputTest, DragsAreNotifiedUnlessDisabledAndEndEitherWay)
{
    for (const DWORD dwStyle : {DWORD(0), DWORD(TVS_DISABLEDRAGDROP)})
    {
        this->Create(TVS_HASBUTTONS | dwStyle);
        SendMouse(this->Tree(), WM_LBUTTONDOWN, this->Label(this->m_hA), MK_LBUTTON);
        SendMouse(this->Tree(), WM_MOUSEMOVE, this->Label(this->m_hA) + CPoint(10, 0), MK_LBUTTON);
        EXPECT_FALSE(this->Tree().IsItemDragging());
        EXPECT_EQ(this->Count(TVN_BEGINDRAGW), dwStyle == 0 ? 1u : 0u);
        SendMouse(this->Tree(), WM_LBUTTONUP, this->Label(this->m_hA) + CPoint(10, 0));
        this->m_host.Destroy();
    }
}

TYPED_TEST(TreeInputTest, SelectMakesTheItemVisibleAndNotifies)
{
    this->Create(TVS_HASBUTTONS);
    this->m_parent.m_selActions.clear();
    // Expanding an item under a collapsed one leaves the collapsed one as it is.
    ASSERT_TRUE(this->Tree().Expand(this->m_hB2, TVE_EXPAND, TRUE, FALSE));
    EXPECT_FALSE(this->Tree().IsItemExpanded(this->m_hB));
    EXPECT_EQ(this->Tree().GetItemRow(this->m_hB2a), -1);
    this->Tree().Expand(this->m_hB2, TVE_COLLAPSE, TRUE, FALSE);
    ASSERT_TRUE(this->Tree().Select(this->m_hB2a, TVGN_CARET));
    EXPECT_TRUE(this->Tree().IsItemExpanded(this->m_hB));
    EXPECT_TRUE(this->Tree().IsItemExpanded(this->m_hB2));
    EXPECT_EQ(this->Tree().GetSelectedItem(), this->m_hB2a);
    EXPECT_EQ(this->m_parent.m_selActions, (std::vector<UINT>{TVC_UNKNOWN, TVC_UNKNOWN}));
    // A vetoed change keeps the selection.
    this->m_parent.m_nVetoCode = TVN_SELCHANGINGW;
    EXPECT_FALSE(this->Tree().Select(this->m_hA, TVGN_CARET));
    EXPECT_EQ(this->Tree().GetSelectedItem(), this->m_hB2a);
    // A click is by mouse.
    this->m_parent.m_nVetoCode = 0;
    this->m_parent.m_selActions.clear();
    SendClick(this->Tree(), this->Label(this->m_hA));
    EXPECT_EQ(this->m_parent.m_selActions, (std::vector<UINT>{TVC_BYMOUSE, TVC_BYMOUSE}));
}

TYPED_TEST(TreeInputTest, AHeldDropTargetExpandsWhenItsTimerFires)
{
    this->Create(TVS_HASBUTTONS, TVXS_HOVEREXPAND);
    this->Tree().SetHoverDelay(60000);
    ASSERT_TRUE(this->Tree().Select(this->m_hA, TVGN_DROPHILITE));
    EXPECT_EQ(this->Tree().GetDropHilightItem(), this->m_hA);
    this->Tree().SendMessage(WM_TIMER, tarnwick::lists::TREE_TIMER_HOVER);
    EXPECT_TRUE(this->Tree().IsItemExpanded(this->m_hA));
    ASSERT_TRUE(this->Tree().Select(nullptr, TVGN_DROPHILITE));
    EXPECT_EQ(this->Tree().GetDropHilightItem(), nullptr);
}
} // namespace

namespace
{
TYPED_TEST(TreeInputTest, AnimatedExpandingGivesTheSameRows)
{
    this->Create(TVS_HASBUTTONS, tarnwick::lists::TVXS_ANIMATE);
    ASSERT_TRUE(this->Tree().Expand(this->m_hB, TVE_EXPAND, TRUE, FALSE));
    ASSERT_TRUE(this->Tree().Expand(this->m_hB2, TVE_EXPAND, TRUE, FALSE));
    EXPECT_EQ(this->Tree().GetItemCount(), 5);
    EXPECT_EQ(this->Tree().GetItemAt(4), this->m_hB2a);
    ASSERT_TRUE(this->Tree().Expand(this->m_hB, TVE_COLLAPSE, TRUE, FALSE));
    EXPECT_EQ(this->Tree().GetItemCount(), 2);
    EXPECT_EQ(this->Tree().GetItemAt(1), this->m_hB);
}

TYPED_TEST(TreeInputTest, DragImageJoinsIconAndLabel)
{
    this->Create(TVS_HASBUTTONS);
    EXPECT_EQ(this->Tree().CreateDragImage(this->m_hA), nullptr); // no normal image list
    CImageList images;
    images.Create(16, 16, ILC_COLOR24, 1, 0);
    images.SetImageCount(1);
    this->Tree().SetImageList(&images, LVSIL_NORMAL);
    TVITEMW item = {};
    item.mask = TVIF_IMAGE | TVIF_HANDLE;
    item.hItem = this->m_hA;
    this->Tree().SetItem(&item);
    CImageList* pDrag = this->Tree().CreateDragImage(this->m_hA);
    ASSERT_NE(pDrag, nullptr);
    IMAGEINFO info = {};
    ASSERT_TRUE(pDrag->GetImageInfo(0, &info));
    CClientDC dc(&this->Tree());
    ::SelectObject(dc.m_hDC, this->Tree().GetItemFont());
    EXPECT_EQ(info.rcImage.right - info.rcImage.left, 16 + 6 + dc.GetTextExtent(L"A").cx);
    delete pDrag;
}
} // namespace
