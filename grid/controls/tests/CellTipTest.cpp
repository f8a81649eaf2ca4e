#include "GridTestSupport.h"

#include <grid/controls/CellTipStatic.h>
#include <grid/controls/CellTipWnd.h>
#include <grid/core/Font.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>
#include <testing/MemoryCanvas.h>

#include <gtest/gtest.h>

#include <memory>

namespace
{
constexpr WORD idStatic = 52513;
const CString strLong = _T("a text far too long for its narrow cell");

class TipGrid : public TestGrid
{
public:
    using CGXGridCore::m_pCellTipRelay;
};

// Columns 1 to 3 hold single-line static cells whose sizes the tests set; the tip object is the
// static control's.
class CellTipTest : public HiddenGridOfTest<TipGrid>
{
protected:
    void SetUp() override
    {
        HiddenGridOfTest<TipGrid>::SetUp();
        m_grid.SetStyleRangeShort(CGXRange().SetCols(1, 3), CGXStyle().SetControl(idStatic).SetWrapText(FALSE));
        m_pTip = std::make_unique<CGXCellTipStatic>(m_grid.GetRegisteredControl(idStatic));
    }
    CGXStyle Style(ROWCOL nRow, ROWCOL nCol)
    {
        CGXStyle style;
        m_grid.ComposeStyleRowCol(nRow, nCol, &style, TRUE);
        return style;
    }
    DWORD Flags(ROWCOL nRow = 1, ROWCOL nCol = 1)
    {
        return m_pTip->NeedsTip(nRow, nCol, Style(nRow, nCol));
    }
    // Sizes cell (1, 1) so that its text rectangle is cx by cy.
    void FitTextRect(int cx, int cy)
    {
        const CRect rect = m_pTip->ComputeTextRect(1, 1, Style(1, 1));
        m_grid.SetColWidth(1, 1, m_grid.CalcSumOfColWidths(1, 1) + cx - rect.Width());
        m_grid.SetRowHeight(1, 1, m_grid.CalcSumOfRowHeights(1, 1) + cy - rect.Height());
        const CRect fitted = m_pTip->ComputeTextRect(1, 1, Style(1, 1));
        ASSERT_EQ(fitted.Size(), CSize(cx, cy));
    }

    std::unique_ptr<CGXCellTipStatic> m_pTip;
};

TEST_F(CellTipTest, NeedFlagsOfTextCells)
{
    m_grid.SetValueRange(CGXRange(1, 1), _T("Fits"));
    const CSize size = m_pTip->MeasureTipText(Style(1, 1), _T("Fits"));
    ASSERT_GT(size.cx, 0);
    const CSize wider = m_pTip->MeasureTipText(Style(1, 1), _T("Fitsx"));
    FitTextRect(size.cx, size.cy);
    EXPECT_EQ(Flags(), 0u) << "fitting";
    m_grid.SetValueRange(CGXRange(1, 1), _T("Fitsx"));
    EXPECT_EQ(Flags(), CGXCellTipStatic::needWider);
    FitTextRect(wider.cx, size.cy - 1);
    EXPECT_EQ(Flags(), 0u) << "one pixel short is allowed";
    FitTextRect(wider.cx, size.cy - 2);
    EXPECT_EQ(Flags(), CGXCellTipStatic::needTaller);

    m_grid.SetValueRange(CGXRange(1, 1), strLong);
    m_grid.SetStyleRangeShort(CGXRange(1, 1), CGXStyle().SetWrapText(TRUE));
    EXPECT_EQ(Flags(), 0u) << "wrapping";
    CGXFont rotated;
    rotated.SetOrientation(900);
    m_grid.SetStyleRangeShort(CGXRange(1, 1), CGXStyle().SetWrapText(FALSE).SetFont(rotated));
    EXPECT_EQ(Flags(), 0u) << "rotated";
    EXPECT_EQ(m_pTip->GetTipKind(1, 1, Style(1, 1)), 1u);
}

TEST_F(CellTipTest, ACellCutByTheClientsRightEdgeNeedsATip)
{
    m_grid.SetColWidth(1, 1, 200);
    m_grid.SetColWidth(2, 2, 200);
    m_grid.SetValueRange(CGXRange(1, 2), _T("x"));
    EXPECT_EQ(Flags(1, 2) & ~DWORD{CGXCellTipStatic::needOffScreenX}, DWORD{CGXCellTipStatic::needCutByClientX});
}

TEST_F(CellTipTest, RightAlignedDotsStartWhereTheCellDrawsItsFirstCharacter)
{
    m_grid.SetStyleRangeShort(CGXRange(1, 1), CGXStyle()
                                                  .SetHorizontalAlignment(DT_RIGHT)
                                                  .SetUserAttribute(GX_IDS_UA_ELLIPSIS_TYPE, _T("1"))
                                                  .SetValue(strLong));
    const CGXStyle style = Style(1, 1);
    RecordingDC dc;
    const CRect rectCell = m_grid.CalcRectFromRowCol(1, 1);
    m_grid.GetRegisteredControl(idStatic)->Draw(&dc, rectCell, 1, 1, style, nullptr);
    ASSERT_EQ(dc.m_texts.size(), 1u);
    EXPECT_NE(dc.m_texts[0].Right(1), strLong.Right(1)) << "shortened";
    const CRect rectText = m_pTip->ComputeTextRect(1, 1, style);
    CPoint origin = m_pTip->GetTextOrigin(rectText, style, strLong, m_pTip->MeasureTipText(style, strLong));
    m_grid.ScreenToClient(&origin);
    EXPECT_EQ(origin.x, dc.m_points[0].x);
    EXPECT_EQ(m_pTip->NeedsTip(1, 1, style) & CGXCellTipStatic::needWider, DWORD{CGXCellTipStatic::needWider});
}

TEST_F(CellTipTest, BitmapValuesTipAsBitmapsInStaticCellsOnly)
{
    m_grid.SetValueRange(CGXRange(1, 1), _T("#bmp(20019)"));
    EXPECT_EQ(m_pTip->GetTipKind(1, 1, Style(1, 1)), 2u);
    EXPECT_NE(Flags(), 0u) << "70 x 39 in a small cell";
    CGXCellTipStatic editTip(m_grid.GetRegisteredControl(GX_IDS_CTRL_EDIT));
    m_grid.SetStyleRangeShort(CGXRange(2, 1), CGXStyle().SetControl(GX_IDS_CTRL_EDIT).SetValue(_T("#BMP(20019)")));
    EXPECT_EQ(editTip.GetTipKind(2, 1, Style(2, 1)), 1u);
    m_grid.SetValueRange(CGXRange(1, 1), _T("#BMP(31999)"));
    EXPECT_EQ(Flags(), 0u) << "a missing resource shows nothing";
}

TEST_F(CellTipTest, TipsStayOnTheVirtualScreen)
{
    const CSize screen(::GetSystemMetrics(SM_CXVIRTUALSCREEN), ::GetSystemMetrics(SM_CYVIRTUALSCREEN));
    const CRect rectAtEdge(screen.cx - 40, 10, screen.cx, 30);
    const CRect tip = CGXCellTipStatic::PlaceTip(CPoint(screen.cx - 40, 10), CSize(120, 16), rectAtEdge);
    EXPECT_EQ(tip.right, screen.cx);
    EXPECT_EQ(tip.Width(), 126);
    const CRect left = CGXCellTipStatic::PlaceTip(CPoint(-50, -20), CSize(20, 16), CRect(-50, -20, -10, 0));
    EXPECT_EQ(left.TopLeft(), CPoint(0, 0));
    const CRect small = CGXCellTipStatic::PlaceTip(CPoint(10, 10), CSize(5, 5), CRect(10, 10, 100, 40));
    EXPECT_EQ(small, CRect(7, 9, 100, 40)) << "at least the text area";
}

// A shown grid whose column 1 is too narrow for its text and column 2 wide enough.
class CellTipRelayTest : public CellTipTest
{
protected:
    void SetUp() override
    {
        CellTipTest::SetUp();
        m_grid.SetColWidth(1, 1, 40);
        m_grid.SetColWidth(2, 2, 150);
        m_grid.SetValueRange(CGXRange(1, 1), strLong);
        m_grid.SetValueRange(CGXRange(1, 2), _T("ok"));
        Parent().ShowWindow(SW_SHOWNA);
        m_grid.ShowWindow(SW_SHOWNA);
        ASSERT_NE(m_grid.m_pCellTipRelay, nullptr);
    }
    void TearDown() override
    {
        if (CGXCellTipWnd* pTip = CGXCellTipWnd::FindTipWnd())
            pTip->DestroyWindow();
        CellTipTest::TearDown();
    }
    void Hover(ROWCOL nRow, ROWCOL nCol)
    {
        const CPoint point = m_grid.CalcRectFromRowCol(nRow, nCol).CenterPoint();
        m_grid.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
        m_grid.m_pCellTipRelay->SendMessage(WM_TIMER, CGXCellTipRelay::nHoverTimer);
    }
    BOOL TipShown()
    {
        CGXCellTipWnd* pTip = CGXCellTipWnd::FindTipWnd();
        return pTip != nullptr && pTip->IsWindowVisible();
    }
};

TEST_F(CellTipRelayTest, ACutCellShowsItsWholeTextOverItsOwn)
{
    Hover(1, 1);
    ASSERT_TRUE(TipShown());
    CGXCellTipWnd* pTip = CGXCellTipWnd::FindTipWnd();
    CString strText;
    pTip->GetWindowText(strText);
    EXPECT_EQ(strText, strLong);
    EXPECT_EQ(pTip->GetOwnerGrid(), &m_grid);
    EXPECT_NE(::GetActiveWindow(), pTip->m_hWnd);
    const CGXStyle style = Style(1, 1);
    const CRect rectText = m_pTip->ComputeTextRect(1, 1, style);
    const CPoint origin = m_pTip->GetTextOrigin(rectText, style, strLong, m_pTip->MeasureTipText(style, strLong));
    CRect rectTip;
    pTip->GetWindowRect(rectTip);
    CPoint textAt = pTip->GetTextRect().TopLeft();
    pTip->ClientToScreen(&textAt);
    EXPECT_EQ(textAt, origin);
    EXPECT_GE(rectTip.Width(), m_pTip->MeasureTipText(style, strLong).cx);
    EXPECT_EQ(pTip->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rectTip.left + 2, rectTip.top + 2)), HTTRANSPARENT);
}

TEST_F(CellTipRelayTest, FittingAndActiveCellsShowNone)
{
    Hover(1, 2);
    EXPECT_FALSE(TipShown());
    m_grid.SetStyleRangeShort(CGXRange(1, 1), CGXStyle().SetControl(GX_IDS_CTRL_EDIT));
    m_grid.SetCurrentCell(1, 1);
    m_grid.GetCurrentCellControl()->SetActive(TRUE);
    ASSERT_TRUE(m_grid.IsActiveCurrentCell());
    Hover(2, 1);
    Hover(1, 1);
    EXPECT_FALSE(TipShown()) << "the active current cell";
}

TEST_F(CellTipRelayTest, AnotherCellHidesTheTipAndWaitsAgain)
{
    Hover(1, 1);
    ASSERT_TRUE(TipShown());
    const CPoint point = m_grid.CalcRectFromRowCol(2, 2).CenterPoint();
    m_grid.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
    EXPECT_FALSE(TipShown());
    auto* pRelay = static_cast<CGXCellTipRelay*>(m_grid.m_pCellTipRelay);
    EXPECT_EQ(pRelay->GetRow(), 2u);
    EXPECT_EQ(pRelay->GetCol(), 2u);
}

TEST_F(CellTipRelayTest, PressesKeysScrollingFocusCancelAndLeavingHideIt)
{
    const CPoint point = m_grid.CalcRectFromRowCol(1, 1).CenterPoint();
    const LPARAM lPoint = MAKELPARAM(point.x, point.y);
    const struct
    {
        UINT nMessage;
        WPARAM wParam;
        LPARAM lParam;
    } hiders[] = {{WM_LBUTTONDOWN, MK_LBUTTON, lPoint}, {WM_KEYDOWN, VK_DOWN, 0}, {WM_VSCROLL, SB_LINEDOWN, 0},
                  {WM_KILLFOCUS, 0, 0},                 {WM_CANCELMODE, 0, 0},   {WM_MOUSELEAVE, 0, 0}};
    for (const auto& hider : hiders)
    {
        m_grid.SetTopRow(1);
        m_grid.SendMessage(WM_LBUTTONUP, 0, lPoint);
        Hover(2, 2);
        Hover(1, 1);
        ASSERT_TRUE(TipShown()) << hider.nMessage;
        m_grid.SendMessage(hider.nMessage, hider.wParam, hider.lParam);
        EXPECT_FALSE(TipShown()) << hider.nMessage;
    }
}

TEST_F(CellTipRelayTest, TipsOffStayOffUntilOn)
{
    m_grid.OnGridShowTips(FALSE);
    Hover(1, 1);
    EXPECT_FALSE(TipShown());
    m_grid.OnGridShowTips(TRUE);
    Hover(2, 2);
    Hover(1, 1);
    EXPECT_TRUE(TipShown());
    m_grid.OnGridShowTips(FALSE);
    EXPECT_FALSE(TipShown());
}

TEST_F(CellTipRelayTest, DestroyingTheOwnerDestroysTheTip)
{
    Hover(1, 1);
    ASSERT_NE(CGXCellTipWnd::FindTipWnd(), nullptr);
    m_grid.DestroyWindow();
    EXPECT_EQ(CGXCellTipWnd::FindTipWnd(), nullptr);
}
} // namespace
