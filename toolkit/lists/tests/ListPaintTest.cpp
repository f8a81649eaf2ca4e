// The list core's measuring, layout and painting on hidden windows, probed on memory DCs.
#include <toolkit/lists/ListCtrl.h>

#include <gtest/gtest.h>

#include <testing/MemoryCanvas.h>

#include "NotifyLog.h"

#include <map>
#include <utility>

using tarnwick::lists::LHT_NOWHERE;
using tarnwick::lists::LHT_ONROW;
using tarnwick::lists::LVS_SEC_NOLABELWRAP;
using tarnwick::lists::LVS_SEC_NOSCROLL;
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

// Rows of 30, 10, 40, 20, 40, 10, 60, 20, 30 and 10 pixels under a page 100 pixels high: rows 0
// to 3 fill it exactly, row 4 starts at its bottom.
class ListRowsTest : public ListPaintTest
{
protected:
    void SetUp() override
    {
        Create(LVS_SEC_REPORT | LVS_SEC_NOSCROLL, 200, 119);
        m_list.AddColumn(L"Name", 0, 150);
        m_list.AddColumn(L"Size", 0, 150);
        const int heights[] = {30, 10, 40, 20, 40, 10, 60, 20, 30, 10};
        for (int i = 0; i < 10; i++)
        {
            m_list.InsertItemText(i, L"row");
            m_list.MeasureItemAt(i);
            m_list.SetItemHeight(i, heights[i]);
        }
        m_list.GetInsideRect(m_inside);
        ASSERT_EQ(m_inside.Height(), 100);
    }
    void ScrollTo(int nTop)
    {
        m_list.ScrollRows(nTop - m_list.GetTopIndex());
        ASSERT_EQ(m_list.GetTopIndex(), nTop);
    }
    // The row under a point so far below the inside top.
    int Hit(int y, UINT& nFlags)
    {
        int nColumn = -1;
        return m_list.HitTest(CPoint(20, m_inside.top + y), nFlags, nColumn);
    }
    // The region InvalidateRows leaves to paint.
    CRect Invalidated(int nFrom, int nTo)
    {
        m_list.ValidateRect(nullptr);
        EXPECT_TRUE(m_list.InvalidateRows(nFrom, nTo));
        CRect rect;
        m_list.GetUpdateRect(&rect, FALSE);
        return rect;
    }
    CRect m_inside;
};

TEST_F(ListRowsTest, WalksAddTheRowsPitches)
{
    EXPECT_EQ(m_list.GetLastVisibleIndex(), 3);
    EXPECT_EQ(m_list.FirstRowBelowPage(), 4);
    EXPECT_EQ(m_list.FirstRowOfPreviousPage(), 0);
    // From row 0, whatever the top index.
    for (const auto& [y, nRow] : {std::pair{0, 0}, {35, 2}, {40, 2}, {41, 3}, {260, 9}, {261, 10}})
        EXPECT_EQ(m_list.RowFromY(CPoint(5, y)), nRow) << y;
    EXPECT_EQ(m_list.RowDistance(1, 4, FALSE), 70);
    EXPECT_EQ(m_list.RowDistance(1, 4, TRUE), 110);
    EXPECT_EQ(m_list.RowDistance(4, 1, FALSE), -70);
    struct Case
    {
        int nHeight;
        int nRow;
        BOOL bForward;
        int nRows;
    };
    const Case cases[] = {{60, 2, TRUE, 2},   {61, 2, TRUE, 3},    {60, 2, FALSE, 3},
                          {1000, 2, TRUE, 8}, {1000, 2, FALSE, 3}, {0, 2, TRUE, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(m_list.RowsInHeight(c.nHeight, c.nRow, c.bForward), c.nRows) << c.nHeight << " " << c.nRow;
    EXPECT_EQ(m_list.GetContentExtent(), CSize(300, 10));

    ScrollTo(6);
    EXPECT_EQ(m_list.FirstRowBelowPage(), 9);
    EXPECT_EQ(m_list.FirstRowOfPreviousPage(), 4); // 60 + 10 + 40 reaches 100
    ScrollTo(1);
    EXPECT_EQ(m_list.FirstRowOfPreviousPage(), -1);

    m_list.DeleteAllItems();
    EXPECT_EQ(m_list.FirstRowBelowPage(), 0);
    EXPECT_EQ(m_list.FirstRowOfPreviousPage(), 0);
    EXPECT_EQ(m_list.RowFromY(CPoint(0, 50)), 0);
    EXPECT_EQ(m_list.RowDistance(0, 5, TRUE), 0);
    EXPECT_EQ(m_list.RowsInHeight(50, 0, TRUE), 0);
    EXPECT_EQ(m_list.GetContentExtent().cy, 0);
}

TEST_F(ListRowsTest, HitsAndScrollingFollowTheHeights)
{
    UINT nFlags = 0;
    EXPECT_EQ(Hit(45, nFlags), 2);
    EXPECT_TRUE(nFlags & LHT_ONROW);
    EXPECT_EQ(Hit(40, nFlags), 2);
    EXPECT_EQ(Hit(39, nFlags), 1);
    ScrollTo(6);
    EXPECT_EQ(Hit(65, nFlags), 7);
    ScrollTo(9);
    EXPECT_EQ(Hit(50, nFlags), -1); // below the last row
    EXPECT_EQ(nFlags, LHT_NOWHERE);

    // The rows before the range fill what it leaves of the page, whole ones only.
    ASSERT_TRUE(m_list.EnsureRangeVisible(3, 4));
    EXPECT_EQ(m_list.GetTopIndex(), 2); // 40 fits the 40 left exactly
    ASSERT_TRUE(m_list.EnsureRangeVisible(7, 8));
    EXPECT_EQ(m_list.GetTopIndex(), 7); // row 6 is taller than the 50 left
    ASSERT_TRUE(m_list.EnsureRangeVisible(1, 2));
    EXPECT_EQ(m_list.GetTopIndex(), 0);
    EXPECT_FALSE(m_list.EnsureRangeVisible(2, 1));

    // By pixels: the rows it takes from the last visible row (3) on; back from it (4 at top 2).
    m_list.ScrollRows(30, TRUE);
    EXPECT_EQ(m_list.GetTopIndex(), 2);
    m_list.ScrollRows(-25, TRUE);
    EXPECT_EQ(m_list.GetTopIndex(), 1);
}

TEST_F(ListRowsTest, InvalidatedBandRunsFromTheFirstRowToTheLastOnThePage)
{
    m_parent.ShowWindow(SW_SHOWNA);
    CRect client;
    m_list.GetClientRect(client);
    // Scrolled left, the band still reaches the inside right edge.
    m_list.ScrollHorz(-50);
    ASSERT_EQ(m_list.GetHScrollOffset(), 50);
    EXPECT_EQ(Invalidated(5, 1), CRect(0, m_inside.top + 30, m_inside.right, client.bottom));
    EXPECT_EQ(Invalidated(2, 2), CRect(0, m_inside.top + 40, m_inside.right, m_inside.top + 80));
    ScrollTo(6);
    EXPECT_EQ(Invalidated(2, 7), CRect(0, m_inside.top, m_inside.right, m_inside.top + 80));
    EXPECT_TRUE(Invalidated(1, 3).IsRectEmpty());
    m_parent.ShowWindow(SW_HIDE);
}

TEST_F(ListPaintTest, AnOwnerThatKeepsItsAnswerIsAskedOnce)
{
    Create(LVS_SEC_REPORT);
    m_list.AddColumn(L"Name", 0, 100);
    m_list.AddColumn(L"Size", 0, 80);
    for (int i = 0; i < 5; i++)
        m_list.InsertItemText(i, LPSTR_TEXTCALLBACKW);
    m_list.RecalcLayout();
    // An owner that keeps nothing first: a kept answer stays kept.
    for (const BOOL bKeep : {FALSE, TRUE})
    {
        // The owner answers every text and counts the questions per cell.
        std::map<std::pair<int, int>, int> asked;
        m_parent.m_answer = [&](NMHDR* pHdr) -> LRESULT {
            if (pHdr->code != LVN_GETDISPINFOW)
                return 0;
            LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(pHdr)->item;
            asked[{item.iItem, item.iSubItem}]++;
            CString strText;
            strText.Format(L"%d.%d", item.iItem, item.iSubItem);
            if (item.mask & LVIF_TEXT)
                lstrcpynW(item.pszText, strText, item.cchTextMax);
            if (bKeep)
                item.mask |= LVIF_DI_SETITEM;
            return 0;
        };
        for (int nPaint = 0; nPaint < 3; nPaint++)
        {
            MemoryCanvas canvas(200, 200, kCanvas);
            m_list.DrawControl(&canvas.Dc());
        }
        for (int i = 0; i < 5; i++)
        {
            for (int nSubItem = 0; nSubItem < 2; nSubItem++)
            {
                if (bKeep)
                    EXPECT_EQ(asked[std::pair(i, nSubItem)], 1) << i << "." << nSubItem;
                else
                    EXPECT_GE(asked[std::pair(i, nSubItem)], 3) << i << "." << nSubItem;
            }
        }
    }
    // The kept answers are the items' own texts now.
    EXPECT_EQ(m_list.GetItemText(3, 1), L"3.1");
    EXPECT_FALSE(m_list.UsesCallbacks(3));
    m_parent.m_answer = nullptr;
}
} // namespace
