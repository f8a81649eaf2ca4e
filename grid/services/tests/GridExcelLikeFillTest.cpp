// Filling by the selection's corner handle: the fill table, the drag by mouse messages, the
// refusals and the XOR frame.
#include "GridTestSupport.h"

#include <grid/core/GridParam.h>
#include <grid/core/Style.h>
#include <grid/services/mouse/GridExcelLikeFillImp.h>
#include <testing/MemoryCanvas.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace
{
// A grid whose fill-drag hook can refuse.
class HookGrid : public TestGrid
{
public:
    BOOL CanStartFillDrag(const CGXRange& range, CPoint point, UINT flags) override
    {
        return m_bAllowFill && TestGrid::CanStartFillDrag(range, point, flags);
    }
    BOOL m_bAllowFill = TRUE;
};

class ExcelLikeFillTest : public HiddenGridOfTest<HookGrid>
{
protected:
    void SetUp() override
    {
        HiddenGridOfTest::SetUp();
        m_grid.GetParam()->m_anCoreSettings[3] = 1;
        // The source: a, b over c, d in rows 2-3 of columns 2-3; a bold, d italic.
        Put(2, 2, L"a", CGXFont().SetBold(TRUE));
        Put(2, 3, L"b");
        Put(3, 2, L"c");
        Put(3, 3, L"d", CGXFont().SetItalic(TRUE));
    }
    void Put(ROWCOL nRow, ROWCOL nCol, LPCTSTR pszValue, const CGXFont* pFont = nullptr)
    {
        CGXStyle style;
        style.SetValue(pszValue);
        if (pFont != nullptr)
            style.SetFont(*pFont);
        m_grid.GetData()->StoreStyleImpl(nRow, nCol, &style, CGXStyle::modeCopy, 0);
    }
    void Put(ROWCOL nRow, ROWCOL nCol, LPCTSTR pszValue, const CGXFont& font)
    {
        Put(nRow, nCol, pszValue, &font);
    }
    CGXGridExcelLikeFillImp* Fill()
    {
        return static_cast<CGXGridExcelLikeFillImp*>(m_grid.m_pExcelLikeFillImp);
    }
    // The values of a column from row nFrom to nTo, joined.
    CString Column(ROWCOL nCol, ROWCOL nFrom, ROWCOL nTo)
    {
        CString strValues;
        for (ROWCOL r = nFrom; r <= nTo; ++r)
            strValues += CString(m_grid.GetValueRowCol(r, nCol)) + L"|";
        return strValues;
    }
    BOOL IsBold(ROWCOL nRow, ROWCOL nCol)
    {
        CGXStyle style;
        m_grid.ComposeStyleRowCol(nRow, nCol, &style);
        return style.GetFont().GetBold();
    }
    CPoint CellCenter(ROWCOL nRow, ROWCOL nCol)
    {
        return m_grid.CalcRectFromRowCol(nRow, nCol).CenterPoint();
    }
    // The fill handle of the selection's bottom right cell.
    CPoint Handle(ROWCOL nRow, ROWCOL nCol)
    {
        const CRect rect = m_grid.CalcRectFromRowCol(nRow, nCol);
        return CPoint(rect.right - 1, rect.bottom - 1);
    }
    void Mouse(UINT nMessage, CPoint point, UINT flags = MK_LBUTTON)
    {
        m_grid.SendMessage(nMessage, flags, MAKELPARAM(point.x, point.y));
    }
    void Select(const CGXRange& range)
    {
        m_grid.GetParam()->m_SelRects.DeleteAll();
        m_grid.SetCurrentCell(range.top, range.left);
        m_grid.SelectRange(range);
    }
};
} // namespace

TEST_F(ExcelLikeFillTest, FillCellsTable)
{
    const CGXRange source(2, 2, 3, 3);
    struct Case
    {
        const char* pszWhat;
        WORD wOptions;
        CGXRange target;
        ROWCOL nCol;
        ROWCOL nFrom;
        ROWCOL nTo;
        LPCWSTR pszColumn;
        BOOL bFilled;
    };
    const Case cases[] = {
        {"down by 5 repeats the two rows", 3, CGXRange(2, 2, 8, 3), 2, 2, 8, L"a|c|a|c|a|c|a|", TRUE},
        {"up wraps from the source's top", 3, CGXRange(1, 2, 3, 3), 3, 1, 3, L"b|b|d|", TRUE},
        {"leftward wraps the columns", 3, CGXRange(2, 1, 3, 3), 1, 2, 3, L"a|c|", TRUE},
        {"target = source does nothing", 3, source, 2, 2, 4, L"a|c||", FALSE},
        {"no option does nothing", 0, CGXRange(2, 2, 5, 3), 2, 2, 5, L"a|c|||", FALSE},
        {"shrinking clears the rows given up", 3, CGXRange(2, 2, 2, 3), 2, 2, 3, L"a||", TRUE},
    };
    for (const Case& c : cases)
    {
        m_grid.GetParam()->m_wFillOptions = c.wOptions;
        EXPECT_EQ(m_grid.FillCells(c.target, source), c.bFilled) << c.pszWhat;
        EXPECT_EQ(Column(c.nCol, c.nFrom, c.nTo), c.pszColumn) << c.pszWhat;
        // One Undo restores it all.
        if (c.bFilled)
        {
            EXPECT_TRUE(m_grid.Undo()) << c.pszWhat;
        }
        EXPECT_EQ(Column(2, 1, 8), L"|a|c||||||") << c.pszWhat;
        EXPECT_EQ(Column(3, 1, 8), L"|b|d||||||") << c.pszWhat;
        EXPECT_EQ(m_grid.GetParam()->GetUndoList()->GetCount(), 0) << c.pszWhat;
    }
}

TEST_F(ExcelLikeFillTest, ValuesKeepTheTargetsStylesStylesCopyTheComposedStyle)
{
    CGXStyle italic;
    italic.SetFont(CGXFont().SetItalic(TRUE));
    m_grid.GetData()->StoreStyleImpl(4, 2, &italic, CGXStyle::modeCopy, 0);

    m_grid.GetParam()->m_wFillOptions = 1;
    ASSERT_TRUE(m_grid.FillCells(CGXRange(2, 2, 4, 3), CGXRange(2, 2, 3, 3)));
    EXPECT_EQ(m_grid.GetValueRowCol(4, 2), CString(L"a"));
    EXPECT_FALSE(IsBold(4, 2));
    CGXStyle style;
    m_grid.ComposeStyleRowCol(4, 2, &style);
    EXPECT_TRUE(style.GetFont().GetItalic()); // the target's own style stayed
    ASSERT_TRUE(m_grid.Undo());

    m_grid.GetParam()->m_wFillOptions = 2;
    ASSERT_TRUE(m_grid.FillCells(CGXRange(2, 2, 4, 3), CGXRange(2, 2, 3, 3)));
    EXPECT_EQ(m_grid.GetValueRowCol(4, 2), CString(L"a"));
    EXPECT_TRUE(IsBold(4, 2));
}

TEST_F(ExcelLikeFillTest, DragByMessagesFillsAndSelectsTheTarget)
{
    // Wide enough for the handle of column 3 to lie inside the window.
    m_grid.MoveWindow(0, 0, 600, 400);
    Select(CGXRange(2, 2, 3, 3));
    ASSERT_EQ(m_grid.HitTest(Handle(3, 3)), GX_FILLHANDLEHIT);
    Mouse(WM_LBUTTONDOWN, Handle(3, 3));
    EXPECT_EQ(::GetCapture(), m_grid.m_hWnd);

    struct Move
    {
        const char* pszWhere;
        ROWCOL nRow;
        ROWCOL nCol;
        CGXRange target;
    };
    const Move moves[] = {
        {"down", 6, 3, CGXRange(2, 2, 6, 3)},
        {"right", 3, 5, CGXRange(2, 2, 3, 5)},
        {"inside the source", 2, 2, CGXRange(2, 2, 2, 3)},
        {"down again", 7, 3, CGXRange(2, 2, 7, 3)},
    };
    for (const Move& move : moves)
    {
        Mouse(WM_MOUSEMOVE, CellCenter(move.nRow, move.nCol));
        EXPECT_EQ(RangeBounds(Fill()->GetTarget()), RangeBounds(move.target)) << move.pszWhere;
    }
    // A paint takes the frame away but keeps the target for the release.
    m_grid.SendMessage(WM_PAINT);
    EXPECT_EQ(RangeBounds(Fill()->GetTarget()), RangeBounds(CGXRange(2, 2, 7, 3)));
    Mouse(WM_LBUTTONUP, CellCenter(7, 3), 0);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_FALSE(Fill()->GetTarget().IsValid()) << "the frame is gone";
    EXPECT_EQ(Column(2, 1, 8), L"|a|c|a|c|a|c||");
    EXPECT_EQ(Column(3, 1, 8), L"|b|d|b|d|b|d||");
    const CGXRangeList& selection = m_grid.GetParam()->m_SelRects;
    ASSERT_EQ(selection.GetCount(), 1);
    EXPECT_EQ(RangeBounds(*selection.GetRangeAt(selection.GetHeadPosition())), RangeBounds(CGXRange(2, 2, 7, 3)));
    // The drag is over: a further move draws no frame.
    Mouse(WM_MOUSEMOVE, CellCenter(9, 3));
    EXPECT_FALSE(Fill()->GetTarget().IsValid());
    EXPECT_TRUE(m_grid.Undo());
    EXPECT_EQ(Column(2, 1, 8), L"|a|c||||||");
}

TEST_F(ExcelLikeFillTest, EscapeOrALostCaptureCancelsTheDrag)
{
    m_grid.MoveWindow(0, 0, 600, 400);
    struct Case
    {
        const char* pszWhat;
        std::function<void()> cancel;
    };
    const Case cases[] = {
        {"Escape", [this] { m_grid.SendMessage(WM_KEYDOWN, VK_ESCAPE, 0); }},
        {"another window takes the capture", [this] { Parent().SetCapture(); }},
    };
    for (const Case& c : cases)
    {
        Select(CGXRange(2, 2, 3, 3));
        Mouse(WM_LBUTTONDOWN, Handle(3, 3));
        Mouse(WM_MOUSEMOVE, CellCenter(6, 3));
        ASSERT_TRUE(Fill()->GetTarget().IsValid()) << c.pszWhat;
        c.cancel();
        EXPECT_FALSE(Fill()->GetTarget().IsValid()) << c.pszWhat;
        Mouse(WM_MOUSEMOVE, CellCenter(7, 3));
        EXPECT_FALSE(Fill()->GetTarget().IsValid()) << c.pszWhat << ": no frame after the cancel";
        Mouse(WM_LBUTTONUP, CellCenter(7, 3), 0);
        ::ReleaseCapture();
        EXPECT_EQ(Column(2, 1, 8), L"|a|c||||||") << c.pszWhat;
        EXPECT_EQ(m_grid.GetParam()->GetUndoList()->GetCount(), 0) << c.pszWhat;
    }
}

TEST_F(ExcelLikeFillTest, NoStartOnWholeRowsAboveTheTopRowOrWhenTheHookRefuses)
{
    struct Case
    {
        const char* pszWhat;
        CGXRange selected;
        ROWCOL nRow;
        ROWCOL nCol;
        ROWCOL nTopRow;
        BOOL bAllow;
    };
    const Case cases[] = {
        {"whole rows", CGXRange().SetRows(2, 3), 3, 3, 1, TRUE},
        {"above the top row", CGXRange(2, 2, 3, 3), 3, 3, 5, TRUE},
        {"the hook refuses", CGXRange(2, 2, 3, 3), 3, 3, 1, FALSE},
    };
    for (const Case& c : cases)
    {
        Select(c.selected);
        m_grid.m_nTopRow = c.nTopRow;
        m_grid.m_bAllowFill = c.bAllow;
        EXPECT_FALSE(Fill()->OnStartFillDrag(&m_grid, CPoint(0, 0), 0, c.nRow, c.nCol)) << c.pszWhat;
        EXPECT_FALSE(m_grid.GetParam() == nullptr);
    }
    m_grid.m_nTopRow = 1;
    m_grid.m_bAllowFill = TRUE;
    Select(CGXRange(2, 2, 3, 3));
    EXPECT_TRUE(Fill()->OnStartFillDrag(&m_grid, CPoint(0, 0), 0, 3, 3));
    Fill()->OnCancelFillDrag(&m_grid);
}

TEST_F(ExcelLikeFillTest, TheFrameDrawnTwiceLeavesThePixelsAsBefore)
{
    MemoryCanvas canvas(300, 200, RGB(255, 255, 255));
    canvas.Dc().FillSolidRect(40, 30, 50, 40, RGB(10, 120, 200));
    std::vector<COLORREF> before;
    for (int y = 0; y < 200; y += 3)
        for (int x = 0; x < 300; x += 3)
            before.push_back(canvas.Dc().GetPixel(x, y));
    const CGXRange target(2, 2, 6, 3);
    Fill()->DrawFillFrameOn(&m_grid, &canvas.Dc(), target, TRUE, TRUE);
    const CRect rect = m_grid.CalcRectFromRowCol(2, 2);
    int nChanged = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        nChanged += canvas.Dc().GetPixel(rect.left, y) != RGB(255, 255, 255);
    EXPECT_GT(nChanged, 0) << "the frame shows";
    Fill()->DrawFillFrameOn(&m_grid, &canvas.Dc(), CGXRange(), TRUE, FALSE);
    std::vector<COLORREF> after;
    for (int y = 0; y < 200; y += 3)
        for (int x = 0; x < 300; x += 3)
            after.push_back(canvas.Dc().GetPixel(x, y));
    EXPECT_EQ(before, after);
}

