// The tree's buttons and dotted lines, probed on memory DCs.
#include <toolkit/lists/TreeCtrl.h>

#include <gtest/gtest.h>

#include <testing/MemoryCanvas.h>

#include "NotifyLog.h"

using tarnwick::lists::SECTreeCtrl;
using tarnwick::lists::SECTreePaintContext;

namespace
{
constexpr UINT ID_LANDSCAPE_IMAGES = 133;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBack = RGB(250, 250, 240);

class TreePaintTest : public ::testing::Test
{
protected:
    CNotifyLog m_parent;
    SECTreeCtrl m_tree;
    HTREEITEM m_hA = nullptr;
    HTREEITEM m_hA1 = nullptr;
    HTREEITEM m_hB = nullptr;
    COLORREF m_crDot = ::GetSysColor(COLOR_BTNSHADOW);

    void SetUp() override
    {
        // As the application creates its trees.
        ASSERT_TRUE(m_tree.CreateFromRect(0x50000037, 0x02100000, CRect(0, 0, 200, 300), &m_parent, 1037));
        m_tree.SetBkColor(kBack);
        m_hA = Insert(L"A", TVI_ROOT, 0);
        m_hA1 = Insert(L"A1", m_hA, 1);
        Insert(L"A2", m_hA, 2);
        m_hB = Insert(L"B", TVI_ROOT, 0);
        Insert(L"B1", m_hB, 2);
        m_tree.Expand(m_hA, TVE_TOGGLE, TRUE, FALSE);
    }
    void TearDown() override
    {
        m_tree.DestroyWindow();
    }
    HTREEITEM Insert(LPCWSTR pszText, HTREEITEM hParent, int nImage)
    {
        TVINSERTSTRUCTW insert = {};
        insert.hParent = hParent;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
        insert.item.pszText = const_cast<LPWSTR>(pszText);
        insert.item.iImage = nImage;
        insert.item.iSelectedImage = nImage;
        return m_tree.InsertItem(&insert);
    }
    CRect ButtonRect(HTREEITEM hItem)
    {
        m_tree.RecalcLayout();
        const int nRow = m_tree.GetItemRow(hItem);
        CRect row;
        EXPECT_TRUE(m_tree.GetCellRect(nRow, 0, row, 0));
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        SECTreePaintContext ctx(&dc);
        ctx.pNode = m_tree.HandleToNode(hItem);
        CRect button;
        m_tree.GetButtonRect(button, ctx, row);
        return button;
    }
    // Paints the tree and checks a button box: shadow frame, white inside, the minus across.
    void ExpectButtonDrawn(const CRect& box, BOOL bExpanded)
    {
        MemoryCanvas canvas(200, 300, RGB(1, 2, 3));
        m_tree.DrawControl(&canvas.Dc());
        const CPoint centre = box.CenterPoint();
        EXPECT_EQ(canvas.Pixel(box.left, centre.y), m_crDot);
        EXPECT_EQ(canvas.Pixel(box.right - 1, centre.y), m_crDot);
        EXPECT_EQ(canvas.Pixel(box.left + 1, box.top + 1), kWhite);
        EXPECT_EQ(canvas.Pixel(centre.x, centre.y), ::GetSysColor(COLOR_WINDOWTEXT));
        EXPECT_EQ(canvas.Pixel(centre.x, box.top + 2), bExpanded ? kWhite : ::GetSysColor(COLOR_WINDOWTEXT));
    }
};

TEST_F(TreePaintTest, ButtonSizesFollowTheIcons)
{
    // No images: 8 grown to the odd 9.
    EXPECT_EQ(ButtonRect(m_hA).Size(), CSize(9, 9));
    ExpectButtonDrawn(ButtonRect(m_hA), TRUE);
    ExpectButtonDrawn(ButtonRect(m_hB), FALSE);

    CImageList small;
    small.Create(16, 16, ILC_COLOR24, 3, 0);
    small.SetImageCount(3);
    m_tree.SetImageList(&small, LVSIL_NORMAL);
    EXPECT_EQ(ButtonRect(m_hA).Size(), CSize(9, 9)); // 16 / 1.65

    // The landscape trees' 32-pixel images: 19, capped at 15.
    CImageList large;
    large.Create(32, 32, ILC_COLOR24 | ILC_MASK, 4, 0);
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadBitmap(ID_LANDSCAPE_IMAGES));
    large.Add(&bitmap, kWhite);
    ASSERT_EQ(large.GetImageCount(), 4);
    m_tree.SetImageList(&large, LVSIL_NORMAL);
    EXPECT_EQ(m_tree.GetIndent(), 32);
    const CRect box = ButtonRect(m_hA);
    EXPECT_EQ(box.Size(), CSize(15, 15));
    ExpectButtonDrawn(box, TRUE);
    // The icon shows the bitmap's pixels: the system image is dark blue, masked by white.
    MemoryCanvas canvas(200, 300, RGB(1, 2, 3));
    m_tree.DrawControl(&canvas.Dc());
    CRect icon;
    ASSERT_TRUE(m_tree.GetCellRect(m_tree.GetItemRow(m_hA), 0, icon, 1));
    EXPECT_EQ(canvas.Pixel(icon.left + 16, icon.top + 16), RGB(0, 0, 160));
    EXPECT_EQ(canvas.Pixel(icon.left + 1, icon.top + 1), kBack);
}

TEST_F(TreePaintTest, DottedLinesStayOnTheEvenGridWhenScrolled)
{
    // A long label makes the content wider than the window.
    TVITEMW item = {};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = m_hA1;
    item.pszText = const_cast<LPWSTR>(L"a label far wider than the tree's window, to scroll it sideways");
    m_tree.SetItem(&item);
    m_tree.RecalcLayout();
    CRect row;
    ASSERT_TRUE(m_tree.GetCellRect(m_tree.GetItemRow(m_hA1), 0, row, 0));
    CRect label;
    m_tree.GetCellRect(m_tree.GetItemRow(m_hA1), 0, label, 2);
    for (const int nScroll : {0, 1})
    {
        m_tree.ScrollHorz(-nScroll);
        ASSERT_EQ(m_tree.GetHScrollOffset(), nScroll);
        MemoryCanvas canvas(200, 300, RGB(1, 2, 3));
        m_tree.DrawControl(&canvas.Dc());
        // The horizontal line into A1: dots where offset + x is even, gaps between.
        int y = row.top + row.Height() / 2;
        y += y & 1;
        const int xEnd = label.left - nScroll - 4;
        int nDots = 0;
        for (int x = xEnd - 8; x < xEnd; x++)
        {
            const BOOL bDot = ((nScroll + x) & 1) == 0;
            EXPECT_EQ(canvas.Pixel(x, y), bDot ? m_crDot : kBack) << nScroll << " x " << x;
            nDots += bDot;
        }
        EXPECT_EQ(nDots, 4);
        // The vertical line of A's children: dots on even rows.
        const CRect box = ButtonRect(m_hA);
        const int x = box.CenterPoint().x + m_tree.GetIndent();
        for (int yy = row.top; yy < row.top + 6; yy++)
            EXPECT_EQ(canvas.Pixel(x, yy), (yy & 1) == 0 ? m_crDot : kBack) << nScroll << " y " << yy;
    }
}

TEST_F(TreePaintTest, HiddenChildrenLeaveNoButton)
{
    const CRect box = ButtonRect(m_hB);
    m_tree.SetItemEx(m_tree.GetChildItem(m_hB), 0x200, 0x200);
    MemoryCanvas canvas(200, 300, RGB(1, 2, 3));
    m_tree.DrawControl(&canvas.Dc());
    // No frame, no white box; only the line down from the item above crosses the place.
    for (const CPoint corner : {box.TopLeft(), CPoint(box.right - 1, box.top), CPoint(box.left, box.bottom - 1)})
        EXPECT_EQ(canvas.Pixel(corner.x, corner.y), kBack) << corner.x << "," << corner.y;
    EXPECT_EQ(canvas.Pixel(box.left + 1, box.top + 1), kBack);
}
} // namespace
