#include "GridTestSupport.h"

#include <grid/controls/HotSpotButton.h>
#include <grid/controls/HotSpotEdit.h>
#include <grid/controls/PasswordControl.h>
#include <grid/controls/SpinEdit.h>
#include <grid/controls/VScrollEdit.h>
#include <grid/core/Style.h>

#include <gtest/gtest.h>

#include <optional>

namespace
{
class EditVariantsTest : public HiddenGridTest
{
protected:
    void SetUp() override
    {
        HiddenGridTest::SetUp();
        m_grid.SetColWidth(1, 1, 120);
    }
    template <class CONTROL> CONTROL* ControlAt(ROWCOL nRow, ROWCOL nCol, CGXStyle style)
    {
        EXPECT_TRUE(m_grid.SetStyleRangeShort(CGXRange(nRow, nCol), style));
        EXPECT_TRUE(m_grid.SetCurrentCell(nRow, nCol));
        auto* pControl = dynamic_cast<CONTROL*>(m_grid.GetCurrentCellControl());
        EXPECT_NE(pControl, nullptr);
        return pControl;
    }
    static CString Text(CWnd* pWnd)
    {
        CString strText;
        pWnd->GetWindowText(strText);
        return strText;
    }
};

TEST_F(EditVariantsTest, SpinArrowsStepWithinTheBoundsAndWrap)
{
    struct Case
    {
        LPCTSTR pszMin;
        LPCTSTR pszMax;
        LPCTSTR pszWrap;
        LPCTSTR pszStart;
        LPCTSTR pszValue;
        BOOL bUp;
        LPCTSTR pszShown;
    };
    const Case cases[] = {
        {_T("1"), _T("10"), _T("1"), _T(""), _T("10"), TRUE, _T("1")},
        {_T("1"), _T("10"), _T("1"), _T(""), _T("1"), FALSE, _T("10")},
        {_T("1"), _T("10"), _T("0"), _T(""), _T("10"), TRUE, _T("10")},
        {_T(""), _T("10"), _T("1"), _T(""), _T("10"), TRUE, _T("10")},
        {_T("1"), _T(""), _T("1"), _T(""), _T("1"), FALSE, _T("1")},
        {_T("1"), _T("10"), _T("0"), _T("5"), _T(""), TRUE, _T("5")},
        {_T("1"), _T("10"), _T("0"), _T("50"), _T(""), TRUE, _T("10")},
        {_T("1"), _T("10"), _T("0"), _T(""), _T("abc"), TRUE, _T("1")},
        {_T("1"), _T("10"), _T("0"), _T(""), _T("40"), FALSE, _T("10")},
        {_T("1"), _T("10"), _T("0"), _T(""), _T("-7"), TRUE, _T("1")},
        {_T(""), _T(""), _T("0"), _T(""), _T("41"), TRUE, _T("42")},
    };
    for (const Case& c : cases)
    {
        CGXStyle style;
        style.SetControl(52519)
            .SetValue(c.pszValue)
            .SetUserAttribute(51014, c.pszMin)
            .SetUserAttribute(51015, c.pszMax)
            .SetUserAttribute(51016, c.pszWrap)
            .SetUserAttribute(51021, c.pszStart);
        auto* pSpin = ControlAt<CGXSpinEdit>(1, 1, style);
        pSpin->OnLButtonDown(0, CPoint(-100, -100));
        pSpin->OnChildClicked(c.bUp ? pSpin->UpArrow() : pSpin->DownArrow());
        EXPECT_EQ(Text(pSpin), c.pszShown)
            << CW2A(c.pszValue) << " " << c.bUp << " min " << CW2A(c.pszMin) << " max " << CW2A(c.pszMax);
        EXPECT_TRUE(pSpin->IsModified());
        pSpin->Init(1, 1);
    }
}

TEST_F(EditVariantsTest, SpinArrowsShareTheStripRightOfTheText)
{
    CGXStyle style;
    style.SetControl(52519);
    auto* pSpin = ControlAt<CGXSpinEdit>(1, 1, style);
    const CRect rectCell = m_grid.CalcRectFromRowCol(1, 1);
    CRect rectText;
    pSpin->GetCellClientRect(rectText, 1, 1, &rectCell);
    pSpin->LayoutChildren(1, 1, rectText);
    CRect rectUp;
    CRect rectDown;
    pSpin->UpArrow()->GetRect(rectUp);
    pSpin->DownArrow()->GetRect(rectDown);
    EXPECT_GE(rectUp.left, rectText.right - 1);
    EXPECT_EQ(rectUp.bottom, rectDown.top);
    EXPECT_EQ(rectUp.right, rectDown.right);
    EXPECT_LE(rectDown.bottom, rectCell.bottom);
}

TEST_F(EditVariantsTest, AHotSpotButtonInALowCellIsClippedNotMoved)
{
    CGXStyle style;
    style.SetControl(52518);
    auto* pHotSpot = ControlAt<CGXHotSpotEdit>(1, 1, style);
    struct Case
    {
        int nHeight;
        int nTop;
        int nBottom;
    };
    // The text rectangle of a cell from y = 10: its button is one pixel down only with room.
    const Case cases[] = {{10, 10, 20}, {13, 10, 23}, {14, 10, 23}, {20, 11, 24}};
    for (const Case& c : cases)
    {
        const CRect rectText(0, 10, 80, 10 + c.nHeight);
        pHotSpot->LayoutChildren(1, 1, rectText);
        CRect rect;
        pHotSpot->HotSpot()->GetRect(rect);
        EXPECT_EQ(rect.top, c.nTop) << c.nHeight;
        EXPECT_EQ(rect.bottom, c.nBottom) << c.nHeight;
        EXPECT_EQ(rect.right, 80 + CGXHotSpotEdit::nButtonStrip - 1) << c.nHeight;
    }
    CRect rectWide;
    CRect rectNarrow;
    const CRect rectCell = m_grid.CalcRectFromRowCol(1, 1);
    pHotSpot->CGXEditControl::GetCellClientRect(rectWide, 1, 1, &rectCell);
    pHotSpot->GetCellClientRect(rectNarrow, 1, 1, &rectCell);
    EXPECT_EQ(rectWide.right - rectNarrow.right, 13);
}

TEST_F(EditVariantsTest, TheScrollBarEditNarrowsTheTextOnlyWhileItsFlagIsSet)
{
    CGXStyle style;
    style.SetControl(52521).SetWrapText(TRUE);
    auto* pEdit = ControlAt<CGXVScrollEdit>(1, 1, style);
    const CRect rectCell = m_grid.CalcRectFromRowCol(1, 1);
    const CGXStyle* pStyle = m_grid.GetComposedStyle(1, 1);
    CRect rectPlain;
    pEdit->CGXEditControl::GetCellClientRect(rectPlain, 1, 1, &rectCell, pStyle);
    CRect rect;
    ASSERT_FALSE(pEdit->HasScrollBar());
    EXPECT_EQ(pEdit->GetCellClientRect(rect, 1, 1, &rectCell, pStyle).right, rectPlain.right);

    pEdit->CalcEditStyle(nullptr, nullptr);
    ASSERT_TRUE(pEdit->HasScrollBar());
    EXPECT_EQ(pEdit->GetCellClientRect(rect, 1, 1, &rectCell, pStyle).right,
              rectPlain.right - ::GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(pEdit->GetCellClientRect(rect, 1, 1, &rectCell, nullptr).right, rectPlain.right) << "no style given";
}

TEST_F(EditVariantsTest, APasswordDrawsMaskedAndKeepsTheClipboard)
{
    CGXStyle style;
    style.SetControl(52537).SetValue(_T("secret7"));
    auto* pPassword = ControlAt<CGXPasswordControl>(2, 1, style);
    ASSERT_EQ(pPassword->GetMaskChar(), _T('*'));
    RecordingDC dc;
    pPassword->Draw(&dc, m_grid.CalcRectFromRowCol(2, 1), 2, 1, *m_grid.GetComposedStyle(2, 1), nullptr);
    CString strDrawn;
    for (const CString& strText : dc.m_texts)
        strDrawn += strText;
    EXPECT_EQ(strDrawn, _T("*******"));
    EXPECT_EQ(Text(pPassword), _T("secret7")) << "the window holds the clear text";
    EXPECT_EQ(pPassword->GetPasswordChar(), _T('*'));

    ASSERT_TRUE(::OpenClipboard(m_grid.m_hWnd));
    ::EmptyClipboard();
    HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(L"before"));
    memcpy(::GlobalLock(hText), L"before", sizeof(L"before"));
    ::GlobalUnlock(hText);
    ::SetClipboardData(CF_UNICODETEXT, hText);
    ::CloseClipboard();
    pPassword->SetActive(TRUE);
    pPassword->SetSel(0, -1);
    {
        const HeldKey ctrl(VK_CONTROL);
        pPassword->SendMessage(WM_CHAR, 3, 1);
    }
    EXPECT_TRUE(pPassword->CopyToClipboard());
    EXPECT_TRUE(pPassword->CutToClipboard());
    EXPECT_EQ(ClipboardText(m_grid.m_hWnd), _T("before"));
    EXPECT_EQ(m_grid.GetValueRowCol(2, 1), _T("secret7"));
}
} // namespace
