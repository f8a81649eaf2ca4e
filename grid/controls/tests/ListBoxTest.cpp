#include "GridTestSupport.h"

#include <grid/controls/ListBox.h>
#include <grid/core/GridParam.h>
#include <grid/core/Style.h>
#include <testing/MemoryCanvas.h>

#include <gtest/gtest.h>

#include <vector>

namespace
{
constexpr WORD idListBox = 52522;
constexpr COLORREF rgbWhite = RGB(255, 255, 255);
constexpr COLORREF rgbBlack = RGB(0, 0, 0);

// Records the keys that the list box window hands to the grid.
class KeyRecordingGrid : public TestGrid
{
public:
    BOOL ProcessKeys(CWnd* pSender, UINT nMessage, UINT nChar, UINT nRepCnt, UINT flags) override
    {
        if (pSender != this && nMessage == WM_KEYDOWN)
            m_keys.push_back(nChar);
        return TestGrid::ProcessKeys(pSender, nMessage, nChar, nRepCnt, flags);
    }
    std::vector<UINT> m_keys;
};

// Cell (1, 2) is a list box of the lines a to e, white, with a value given by each test.
class ListBoxTest : public HiddenGridOfTest<KeyRecordingGrid>
{
protected:
    void SetUp() override
    {
        HiddenGridOfTest<KeyRecordingGrid>::SetUp();
        m_grid.SetRowHeight(1, 1, 80);
        m_grid.SetColWidth(1, 3, 90);
        m_grid.SetStyleRangeShort(CGXRange().SetCols(2, 2), CGXStyle()
                                                             .SetControl(idListBox)
                                                             .SetChoiceList(_T("a\nb\nc\nd\ne"))
                                                             .SetInteriorColor(rgbWhite)
                                                             .SetTextColor(rgbBlack));
        m_pList = static_cast<CGXListBox*>(m_grid.GetRegisteredControl(idListBox));
    }
    // Makes (1, 2) current with the value and activates its list as a key press does.
    void Activate(LPCTSTR pszValue)
    {
        m_grid.SetValueRange(CGXRange(1, 2), pszValue);
        m_grid.SetCurrentCell(1, 2);
        ASSERT_EQ(m_grid.GetCurrentCellControl(), m_pList);
        ASSERT_TRUE(m_pList->OnKeyMessage(WM_KEYDOWN, VK_SPACE, 1, 0));
        ASSERT_TRUE(m_pList->IsActive());
        MemoryCanvas canvas(400, 300, rgbWhite);
        m_pList->Draw(&canvas.Dc(), m_grid.CalcRectFromRowCol(1, 2), 1, 2, *m_grid.GetComposedStyle(1, 2), nullptr);
    }
    void KeyToList(UINT nChar)
    {
        m_pList->SendMessage(WM_KEYDOWN, nChar, 1);
    }
    int LineHeight()
    {
        CClientDC dc(&m_grid);
        CFont* pOld = m_grid.LoadFont(&dc, *m_grid.GetComposedStyle(1, 2), nullptr);
        TEXTMETRIC tm{};
        dc.GetTextMetrics(&tm);
        dc.SelectObject(pOld);
        return tm.tmHeight + tm.tmExternalLeading;
    }

    CGXListBox* m_pList = nullptr;
};

TEST_F(ListBoxTest, AThreeLineCellShowsTheValuesLineLastAndInverted)
{
    ASSERT_NE(m_pList, nullptr);
    const int h = LineHeight();
    const CRect cell(0, 0, 90, 3 * h);
    CGXStyle style(*m_grid.GetComposedStyle(1, 2));
    style.SetValue(_T("e"));
    RecordingDC recording;
    m_pList->Draw(&recording, cell, 1, 2, style, nullptr);
    EXPECT_EQ(recording.m_texts, (std::vector<CString>{_T("c"), _T("d"), _T("e")}));

    MemoryCanvas canvas(200, 100, RGB(1, 2, 3));
    m_pList->Draw(&canvas.Dc(), cell, 1, 2, style, nullptr);
    const int x = cell.right - 8;
    EXPECT_EQ(canvas.Pixel(x, h / 2), rgbWhite);
    EXPECT_EQ(canvas.Pixel(x, h + h / 2), rgbWhite);
    EXPECT_EQ(canvas.Pixel(x, 2 * h + h / 2), rgbBlack) << "e inverted";

    style.SetValue(_T("B"));
    m_pList->Draw(&canvas.Dc(), cell, 1, 2, style, nullptr);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(canvas.Pixel(x, i * h + h / 2), rgbWhite) << "no line equals B: line " << i;
}

TEST_F(ListBoxTest, TheLiveWindowSelectsByPrefixAndDownMovesIt)
{
    Activate(_T("B"));
    EXPECT_EQ(m_pList->GetCurSel(), 1);
    EXPECT_FALSE(m_pList->IsModified()) << "drawing marks nothing";
    KeyToList(VK_DOWN);
    EXPECT_EQ(m_pList->GetCurSel(), 2);
    EXPECT_TRUE(m_pList->IsModified());
    EXPECT_TRUE(m_grid.m_keys.empty());
    CString strText;
    m_pList->GetCurrentText(strText);
    EXPECT_EQ(strText, _T("c"));
}

TEST_F(ListBoxTest, LeavingStoresThePickedLineOnlyAfterAChange)
{
    Activate(_T("B"));
    KeyToList(VK_RIGHT);
    EXPECT_TRUE(m_grid.IsCurrentCell(1, 3)) << "Right moves the current cell";
    EXPECT_EQ(m_grid.GetValueRowCol(1, 2), _T("B")) << "nothing picked, nothing lost";

    Activate(_T("a"));
    EXPECT_EQ(m_pList->GetCurSel(), 0);
    KeyToList(VK_DOWN);
    EXPECT_TRUE(m_pList->IsModified());
    KeyToList(VK_RIGHT);
    EXPECT_EQ(CString(m_grid.GetValueRowCol(1, 2)), _T("b"));
}

TEST_F(ListBoxTest, GridKeysAndControlKeysReachTheGrid)
{
    for (UINT nChar : {VK_TAB, VK_RETURN, VK_ESCAPE, VK_DELETE, VK_F1, VK_LEFT})
    {
        Activate(_T("a"));
        m_grid.m_keys.clear();
        KeyToList(nChar);
        EXPECT_EQ(m_grid.m_keys, std::vector<UINT>{nChar}) << nChar;
    }
    Activate(_T("a"));
    m_grid.m_keys.clear();
    {
        const HeldKey ctrl(VK_CONTROL);
        KeyToList('C');
    }
    EXPECT_EQ(m_grid.m_keys, std::vector<UINT>{'C'});
    EXPECT_EQ(m_pList->SendMessage(WM_GETDLGCODE) & 0x83, 0x83);
}

TEST_F(ListBoxTest, AReadOnlyCellNeitherMarksNorStores)
{
    m_grid.GetParam()->m_bLockReadOnly = FALSE;
    m_grid.SetStyleRangeShort(CGXRange(1, 2), CGXStyle().SetReadOnly(TRUE));
    m_grid.GetParam()->m_bLockReadOnly = TRUE;
    Activate(_T("a"));
    KeyToList(VK_DOWN);
    EXPECT_FALSE(m_pList->IsModified());
    EXPECT_FALSE(m_pList->StoreText(_T("c")));
    m_grid.SetCurrentCell(1, 3);
    EXPECT_EQ(m_grid.GetValueRowCol(1, 2), _T("a"));
}

TEST_F(ListBoxTest, StoreTextSelectsByPrefixOrRefuses)
{
    Activate(_T("a"));
    EXPECT_FALSE(m_pList->StoreText(_T("x")));
    EXPECT_FALSE(m_pList->IsModified());
    EXPECT_EQ(m_pList->GetCurSel(), 0);
    EXPECT_TRUE(m_pList->StoreText(_T("D")));
    EXPECT_EQ(m_pList->GetCurSel(), 3);
    EXPECT_TRUE(m_pList->IsModified());
    m_grid.SetCurrentCell(1, 3);
    EXPECT_EQ(m_grid.GetValueRowCol(1, 2), _T("d"));
}

TEST_F(ListBoxTest, PreferredSizeIsTheWidestLineAndAllLines)
{
    m_grid.SetStyleRangeShort(CGXRange(2, 2), CGXStyle().SetChoiceList(_T("x\nwide line\ny")));
    const CGXStyle& style = *m_grid.GetComposedStyle(2, 2);
    CClientDC dc(&m_grid);
    CFont* pOld = m_grid.LoadFont(&dc, style, nullptr);
    const CSize wide = dc.GetTextExtent(_T("wide line"));
    const int nHeight = dc.GetTextExtent(_T("x")).cy + wide.cy + dc.GetTextExtent(_T("y")).cy;
    dc.SelectObject(pOld);
    const int b = std::max(2, ::GetSystemMetrics(SM_CXFRAME) / 2);
    CSize borders(0, 0);
    CGXControl(&m_grid).AddFrameToSize(borders, &dc, 2, 2, &style);
    const CSize size = m_pList->GetPreferredSize(&dc, 2, 2, style, 0);
    EXPECT_EQ(size, CSize(wide.cx + 4 + b + b / 2, nHeight + 4) + borders);
}
} // namespace
