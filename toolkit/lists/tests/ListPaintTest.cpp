// The list core's measuring, layout and painting on hidden windows, probed on memory DCs.
#include <toolkit/lists/ListCtrl.h>

#include <gtest/gtest.h>

#include <testing/MemoryCanvas.h>

#include "NotifyLog.h"

using tarnwick::lists::LVS_SEC_NOLABELWRAP;
using tarnwick::lists::LVS_SEC_REPORT;
using tarnwick::lists::LVS_SEC_SHOWSELALWAYS;
using tarnwick::lists::SECListCtrl;
using tarnwick::lists::SECListItem;

namespace
{
constexpr COLORREF kText = RGB(0, 0, 0);
constexpr COLORREF kBack = RGB(255, 255, 255);
constexpr COLORREF kSelText = RGB(255, 255, 0);
constexpr COLORREF kSelBack = RGB(0, 0, 200);
constexpr COLORREF kCanvas = RGB(1, 2, 3);

class ListPaintTest : public ::testing::Test
{
protected:
    CNotifyLog m_parent;
    SECListCtrl m_list;

    void Create(DWORD dwStyle, int cx = 200, int cy = 200)
    {
        ASSERT_TRUE(
            m_list.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | dwStyle, CRect(0, 0, cx, cy), &m_parent, 100));
        m_list.SetColor(SECListCtrl::colorText, kText);
        m_list.SetBkColor(kBack);
        m_list.SetColor(SECListCtrl::colorSelText, kSelText);
        m_list.SetColor(SECListCtrl::colorSelBk, kSelBack);
    }
    void TearDown() override
    {
        m_list.DestroyWindow();
    }
    const SECListItem* Item(int n) const
    {
        return m_list.GetItemAt(n);
    }
};

TEST_F(ListPaintTest, TextSitsAt6And2OrBesideTheIcon)
{
    Create(LVS_SEC_REPORT);
    m_list.AddColumn(L"Name", 0, 150);
    m_list.InsertItemImage(0, L"text", 0);
    m_list.MeasureItemAt(0);
    EXPECT_EQ(Item(0)->m_rcLabel.left, 6);
    EXPECT_EQ(Item(0)->m_rcLabel.top, 2);
    EXPECT_TRUE(CRect(Item(0)->m_rcIcon).IsRectEmpty());

    CImageList images;
    images.Create(16, 16, ILC_COLOR24, 1, 0);
    images.SetImageCount(1);
    m_list.SetImageList(&images, LVSIL_SMALL);
    m_list.RecalcLayout();
    m_list.MeasureItemAt(0);
    EXPECT_EQ(CRect(Item(0)->m_rcIcon), CRect(2, 2, 18, 18));
    EXPECT_EQ(Item(0)->m_rcLabel.left, 23);
    // The row takes the icon in whole, and the text's background leaves it standing.
    EXPECT_GE(Item(0)->m_cyMeasured, 18);
    CImageList red;
    red.Create(16, 16, ILC_COLOR24, 1, 0);
    CBitmap bitmap;
    CClientDC screen(nullptr);
    bitmap.CreateCompatibleBitmap(&screen, 16, 16);
    {
        CDC dc;
        dc.CreateCompatibleDC(&screen);
        CBitmap* pOld = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, 16, 16, RGB(255, 0, 0));
        dc.SelectObject(pOld);
    }
    red.Add(&bitmap, static_cast<CBitmap*>(nullptr));
    m_list.SetImageList(&red, LVSIL_SMALL);
    m_list.RecalcLayout();
    MemoryCanvas canvas(200, 200, kCanvas);
    m_list.DrawControl(&canvas.Dc());
    CRect icon;
    ASSERT_TRUE(m_list.GetCellRect(0, 0, icon, 1));
    EXPECT_EQ(canvas.Pixel(icon.left + 8, icon.top + 8), RGB(255, 0, 0));
    EXPECT_EQ(canvas.Pixel(icon.left + 8, icon.bottom - 1), RGB(255, 0, 0));
}

TEST_F(ListPaintTest, HeightsAndWidthsSetByTheCaller)
{
    Create(LVS_SEC_REPORT);
    m_list.AddColumn(L"Name", 0, 40);
    m_list.InsertItemText(0, L"words that wrap in a narrow column");
    m_list.MeasureItemAt(0);
    const int cyNarrow = Item(0)->m_cyMeasured;
    EXPECT_TRUE(m_list.SetItemHeight(0, 40));
    EXPECT_EQ(m_list.GetRowPitch(0), 40);
    EXPECT_FALSE(m_list.SetItemHeight(5, 40));
    // A new width with wrapping labels measures the rows again.
    m_list.SetColumnWidthRemeasure(0, 400);
    EXPECT_EQ(m_list.GetColumnWidth(0), 400);
    EXPECT_LT(m_list.GetRowPitch(0), cyNarrow);
}

TEST_F(ListPaintTest, NoLabelWrapMeasuresTheFirstLineOnly)
{
    Create(LVS_SEC_REPORT);
    m_list.AddColumn(L"Name", 0, 150);
    m_list.InsertItemText(0, L"one");
    m_list.InsertItemText(1, L"one\ntwo\nthree");
    m_list.MeasureItemAt(0);
    m_list.MeasureItemAt(1);
    // Wrapping labels: three lines.
    const int cyLine = Item(0)->m_cyMeasured;
    EXPECT_GT(Item(1)->m_cyMeasured, 2 * cyLine);
    m_list.ModifyListStyle(0, LVS_SEC_NOLABELWRAP);
    m_list.MeasureItemAt(1);
    EXPECT_EQ(Item(1)->m_cyMeasured, cyLine);
}

TEST_F(ListPaintTest, RowsScrollAndStayVisible)
{
    Create(LVS_SEC_REPORT, 200, 20 + 101);
    m_list.AddColumn(L"Name", 0, 150);
    for (int i = 0; i < 50; i++)
        m_list.InsertItemText(i, L"row");
    m_list.RecalcLayout();
    const int cyRow = m_list.GetRowPitch(0);
    ASSERT_GT(cyRow, 0);
    // A vertical bar shows; its page is the rows that fit.
    CScrollBar* pBar = m_list.GetScrollBarCtrl(SB_VERT);
    ASSERT_NE(pBar, nullptr);
    EXPECT_TRUE(pBar->GetStyle() & WS_VISIBLE);
    const int nPage = 101 / cyRow;
    EXPECT_EQ(m_list.RowsOnPage(), nPage);
    EXPECT_EQ(m_list.GetLastVisibleIndex(), nPage - 1);

    m_list.EnsureVisible(30);
    EXPECT_EQ(m_list.GetLastVisibleIndex(), 30);
    EXPECT_EQ(m_list.GetTopIndex(), 30 - nPage + 1);
    // A visible row does not move the rows.
    m_list.EnsureVisible(m_list.GetTopIndex());
    EXPECT_EQ(m_list.GetTopIndex(), 30 - nPage + 1);
    m_list.ScrollToTop(45);
    // The last page stays full.
    EXPECT_EQ(m_list.GetTopIndex(), 50 - nPage);
    CRect cell;
    EXPECT_FALSE(m_list.GetCellRect(0, 0, cell, 0)); // above the top
    ASSERT_TRUE(m_list.GetCellRect(50 - nPage, 0, cell, 0));
    EXPECT_EQ(cell.top, 20);
}

TEST_F(ListPaintTest, SelectedRowsTakeTheSelectionColoursByFocusAndStyle)
{
    Create(LVS_SEC_REPORT);
    m_list.AddColumn(L"Name", 0, 100);
    m_list.AddColumn(L"Size", 0, 80);
    m_list.InsertItemText(0, L"a");
    m_list.InsertItemText(1, L"b");
    m_list.SetItemText(1, 1, L"x");
    m_list.DeselectAllBut(-1);
    m_list.SelectItem(1, TRUE);
    m_list.RecalcLayout();
    CRect main;
    CRect sub;
    ASSERT_TRUE(m_list.GetCellRect(1, 0, main, 0));
    ASSERT_TRUE(m_list.GetCellRect(1, 1, sub, 0));
    const CPoint inMain(main.right - 3, main.CenterPoint().y);
    const CPoint inSub(sub.right - 3, sub.CenterPoint().y);

    struct Case
    {
        BOOL bFocus;
        UINT nStyle;
        UINT nStyleEx;
        COLORREF crMain;
        COLORREF crSub;
    };
    const COLORREF inactive = ::GetSysColor(COLOR_3DLIGHT);
    const Case cases[] = {
        {TRUE, 0, 0, kSelBack, kBack},
        {FALSE, 0, 0, kBack, kBack},
        {FALSE, LVS_SEC_SHOWSELALWAYS, 0, inactive, kBack},
        {TRUE, 0, tarnwick::lists::LVXS_FULLROWSELECT, kSelBack, kSelBack},
    };
    m_parent.ShowWindow(SW_SHOWNA);
    for (const Case& c : cases)
    {
        m_list.SetListStyle((m_list.GetListStyle() & ~LVS_SEC_SHOWSELALWAYS) | c.nStyle, FALSE);
        m_list.SetListStyleEx(c.nStyleEx, FALSE);
        if (c.bFocus)
            m_list.SetFocus();
        else
            m_parent.SetFocus();
        ASSERT_EQ(::GetFocus() == m_list.m_hWnd, c.bFocus);
        MemoryCanvas canvas(200, 200, kCanvas);
        m_list.DrawControl(&canvas.Dc());
        EXPECT_EQ(canvas.Pixel(inMain.x, inMain.y), c.crMain) << c.bFocus << " " << c.nStyle << " " << c.nStyleEx;
        EXPECT_EQ(canvas.Pixel(inSub.x, inSub.y), c.crSub) << c.bFocus << " " << c.nStyle << " " << c.nStyleEx;
        // Row 0 is not selected.
        EXPECT_EQ(canvas.Pixel(inMain.x, main.top - 2), kBack);
    }
    // A disabled list paints its background in the disabled colour and its text grey.
    m_list.EnableWindow(FALSE);
    MemoryCanvas canvas(200, 200, kCanvas);
    m_list.DrawControl(&canvas.Dc());
    EXPECT_EQ(canvas.Pixel(inMain.x, inMain.y), inactive);
    EXPECT_EQ(canvas.Pixel(190, 190), inactive);
}

TEST_F(ListPaintTest, HeaderButtonsMoveWithTheColumns)
{
    Create(LVS_SEC_REPORT);
    m_list.AddColumn(L"Name", 0, 150);
    m_list.AddColumn(L"Size", 0, 150);
    m_list.InsertItemText(0, L"a");
    m_list.RecalcLayout();
    // Wider than the window: a horizontal bar, and the header scrolls with the rows.
    ASSERT_NE(m_list.GetScrollBarCtrl(SB_HORZ), nullptr);
    EXPECT_TRUE(m_list.GetScrollBarCtrl(SB_HORZ)->GetStyle() & WS_VISIBLE);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    MemoryCanvas before(200, 200, kCanvas);
    m_list.DrawControl(&before.Dc());
    EXPECT_EQ(before.Pixel(75, 10), face);
    m_list.SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
    EXPECT_EQ(m_list.GetHScrollOffset(), 15);
    MemoryCanvas after(200, 200, kCanvas);
    m_list.DrawControl(&after.Dc());
    // The divider between the two buttons moved 15 pixels left with everything else.
    for (int y = 3; y < 17; y++)
        EXPECT_EQ(after.Pixel(150 - 15 - 1, y), before.Pixel(150 - 1, y)) << y;
}
} // namespace
