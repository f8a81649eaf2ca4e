#include "GridTestSupport.h"

#include <grid/controls/Header.h>
#include <grid/controls/Static.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/AppData.h>
#include <grid/core/GridParam.h>
#include <grid/core/Properties.h>
#include <grid/core/Style.h>
#include <testing/MemoryCanvas.h>

#include <future>
#include <thread>

#include <gtest/gtest.h>

namespace
{
constexpr COLORREF rgbWhite = RGB(255, 255, 255);
constexpr COLORREF rgbBlack = RGB(0, 0, 0);

class ControlTest : public HiddenGridTest
{
protected:
    CGXControl m_control{&m_grid};
};

TEST_F(ControlTest, FindChoiceItemPrefersAnExactLineToAnEarlierPrefix)
{
    struct Case
    {
        LPCTSTR pszText;
        BOOL bExactOnly;
        int nIndex;
        LPCTSTR pszItem;
    };
    const Case cases[] = {
        {_T("app"), FALSE, 1, _T("app")}, {_T("APP"), TRUE, 1, _T("app")},   {_T("ban"), FALSE, 2, _T("Banana")},
        {_T("ban"), TRUE, -1, _T("")},    {_T("cherry"), FALSE, -1, _T("")}, {_T(""), FALSE, -1, _T("")},
    };
    for (const Case& c : cases)
    {
        CString strItem = _T("stale");
        EXPECT_EQ(m_control.FindChoiceItem(strItem, c.pszText, _T("apple\napp\nBanana"), c.bExactOnly), c.nIndex)
            << CW2A(c.pszText) << c.bExactOnly;
        EXPECT_EQ(strItem, c.pszItem) << CW2A(c.pszText) << c.bExactOnly;
    }
}

TEST_F(ControlTest, GetChoiceItemTakesTheLineAtTheIndex)
{
    CString strItem;
    EXPECT_TRUE(m_control.GetChoiceItem(strItem, _T("a\nb\nc"), 2));
    EXPECT_EQ(strItem, _T("c"));
    EXPECT_FALSE(m_control.GetChoiceItem(strItem, _T("a\nb\nc"), 3));
    EXPECT_EQ(strItem, _T(""));
    EXPECT_FALSE(m_control.GetChoiceItem(strItem, _T("a\nb\nc"), -1));
    EXPECT_FALSE(m_control.GetChoiceItem(strItem, nullptr, 0));
}

TEST_F(ControlTest, WithoutTipObjectTheTipQueriesAnswerTheDefaults)
{
    const CGXStyle style;
    EXPECT_EQ(m_control.QueryTipA(1, 1, style), 0u);
    EXPECT_EQ(m_control.QueryTipB(1, 1, style), 0x7FFFFFFFu);
}

TEST_F(ControlTest, GetChildOutOfRangeThrowsInvalidArgument)
{
    EXPECT_EQ(m_control.GetChildCount(), 0);
    bool bThrown = false;
    try
    {
        m_control.GetChild(0);
    }
    catch (CInvalidArgException* e)
    {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
}

TEST_F(ControlTest, CurrentCellFrameFollowsTheProperty)
{
    CGXProperties& properties = *m_grid.GetProperties();
    const CRect rect(10, 10, 40, 30);
    struct Case
    {
        const CString* pLook;
        int nBlackColumns; // black columns from the left edge inwards
    };
    const Case cases[] = {
        {&properties.m_strFrameInvertThin, 1},
        {&properties.m_strFrameInvertThick, 2},
        {&properties.m_strFrameNoBorder, 0},
        {&properties.m_strFrameThinBorder, 1},
    };
    for (const Case& c : cases)
    {
        CGXStyle look;
        look.SetValue(*c.pLook);
        properties.AddUserProperty(CGXProperties::idCurrentCellProperty, look);
        MemoryCanvas canvas(60, 40, rgbWhite);
        m_control.DrawCurrentCellFrame(&canvas.Dc(), rect);
        for (int x = 0; x < c.nBlackColumns; ++x)
            EXPECT_EQ(canvas.Pixel(rect.left + x, 20), rgbBlack) << CW2A(*c.pLook) << x;
        EXPECT_EQ(canvas.Pixel(rect.left + c.nBlackColumns, 20), rgbWhite) << CW2A(*c.pLook);
        EXPECT_EQ(canvas.Pixel(rect.left - 1, 20), rgbWhite) << CW2A(*c.pLook);
        EXPECT_EQ(canvas.Pixel(25, 20), rgbWhite) << CW2A(*c.pLook);
    }
}

TEST_F(ControlTest, Draw3dEffectDrawsRaisedAndInsetEdges)
{
    const COLORREF rgbLight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const CRect rect(10, 10, 40, 30);
    for (int nKind : {1, 2})
    {
        CGXStyle style;
        style.SetDraw3dFrame(nKind);
        CRect inner;
        m_grid.CalcCellInnerRect(inner, rect, style, TRUE);
        MemoryCanvas canvas(60, 40, RGB(1, 2, 3));
        EXPECT_TRUE(m_control.Draw3dEffect(&canvas.Dc(), rect, style));
        const int y = (inner.top + inner.bottom) / 2;
        EXPECT_EQ(canvas.Pixel(inner.left - 1, y), nKind == 1 ? rgbLight : rgbBlack) << nKind;
        EXPECT_EQ(canvas.Pixel(inner.right - 1, y), nKind == 1 ? rgbBlack : rgbLight) << nKind;
        EXPECT_EQ(canvas.Pixel(inner.left, y), RGB(1, 2, 3)) << nKind;
    }
    CGXStyle flat;
    MemoryCanvas canvas(60, 40, RGB(1, 2, 3));
    EXPECT_FALSE(m_control.Draw3dEffect(&canvas.Dc(), rect, flat));
    m_grid.GetProperties()->m_bBlackWhite = TRUE;
    CGXStyle raised;
    raised.SetDraw3dFrame(1);
    EXPECT_FALSE(m_control.Draw3dEffect(&canvas.Dc(), rect, raised));
}

TEST_F(ControlTest, StaticTextKeepsItsMarginFromTheCellEdges)
{
    CGXStatic control(&m_grid);
    const int m = CGXStatic::TextMargin();
    if (::GetSystemMetrics(SM_CXFRAME) < 6)
    {
        EXPECT_EQ(m, 2);
    }
    const CRect rect(0, 0, 100, 20);
    CGXStyle left;
    left.SetHorizontalAlignment(DT_LEFT);
    CGXStyle right;
    right.SetHorizontalAlignment(DT_RIGHT);
    CRect base;
    m_control.GetCellClientRect(base, 1, 1, &rect, &left);
    CRect text;
    control.GetCellClientRect(text, 1, 1, &rect, &left);
    EXPECT_EQ(text, CRect(base.left + m, base.top, base.right - m / 2, base.bottom));
    const CGXStyle unaligned;
    control.GetCellClientRect(text, 1, 1, &rect, &unaligned);
    EXPECT_EQ(text, CRect(base.left + m, base.top, base.right - m / 2, base.bottom)) << "no alignment as left";
    control.GetCellClientRect(text, 1, 1, &rect, &right);
    EXPECT_EQ(text, CRect(base.left + m, base.top, base.right - m - 1, base.bottom));

    CSize size(10, 10);
    CSize plain(10, 10);
    m_control.AddFrameToSize(plain, nullptr, 1, 1, &left);
    control.AddFrameToSize(size, nullptr, 1, 1, &left);
    EXPECT_EQ(size, CSize(plain.cx + 2 * m + 1, plain.cy));
    EXPECT_FALSE(control.CanFloatCell(1, 1, left, TRUE)) << "no float-cells feature";
    EXPECT_TRUE(control.IsControlKindOf(&CGXControl::classCGXControl));
}
TEST_F(ControlTest, ALongTextStaysInsideItsCellInEveryDrawingPath)
{
    CGXStatic staticText(&m_grid);
    CGXHeader header(&m_grid);
    CGXControl* pEdit = m_grid.GetRegisteredControl(GX_IDS_CTRL_EDIT);
    ASSERT_NE(pEdit, nullptr);
    ASSERT_FALSE(pEdit->IsActive());
    CGXStyle text;
    text.SetValue(_T("PowerEdgePowerEdgePowerEdge")).SetHorizontalAlignment(DT_LEFT);
    CGXStyle number;
    number.SetValue(1234567890123.0).SetFormat(2).SetPlaces(0).SetHorizontalAlignment(DT_RIGHT);
    CGXStyle neighbour;
    neighbour.SetValue(_T("16")).SetHorizontalAlignment(DT_LEFT);
    // The cell in column 2 between its neighbours in columns 1 and 3 of its row.
    const struct
    {
        const char* pszPath;
        CGXControl* pControl;
        const CGXStyle& style;
        ROWCOL nRow;
    } paths[] = {{"static", &staticText, text, 1},
                 {"edit, inactive", pEdit, text, 2},
                 {"number", &staticText, number, 3},
                 {"header", &header, text, 0}};
    const CRect rectCell(30, 0, 60, 20);
    const CRect rectLeft(0, 0, 30, 20);
    const CRect rectRight(60, 0, 120, 20);
    for (const auto& path : paths)
    {
        for (ROWCOL nCol : {1, 3})
            ASSERT_TRUE(m_grid.SetStyleRangeShort(CGXRange(path.nRow, nCol), neighbour));
        ASSERT_TRUE(m_grid.SetStyleRangeShort(CGXRange(path.nRow, 2), path.style));
        const auto draw = [&](CGXControl& control, MemoryCanvas& canvas, const CRect& rect, ROWCOL nCol) {
            control.Draw(&canvas.Dc(), rect, path.nRow, nCol, *m_grid.GetComposedStyle(path.nRow, nCol), nullptr);
        };
        // The neighbours as they are drawn without the cell, then the cell drawn between them.
        MemoryCanvas without(120, 20, rgbWhite);
        MemoryCanvas with(120, 20, rgbWhite);
        for (MemoryCanvas* pCanvas : {&without, &with})
        {
            draw(staticText, *pCanvas, rectLeft, 1);
            draw(staticText, *pCanvas, rectRight, 3);
        }
        draw(*path.pControl, with, rectCell, 2);
        int nDiffering = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 120; ++x)
                if (!rectCell.PtInRect(CPoint(x, y)) && with.Pixel(x, y) != without.Pixel(x, y))
                    ++nDiffering;
        EXPECT_EQ(nDiffering, 0) << path.pszPath;
        // The cell shows the start of its text.
        int nInk = 0;
        for (int y = rectCell.top; y < rectCell.bottom; ++y)
            for (int x = rectCell.left; x < rectCell.right; ++x)
                nInk += with.Pixel(x, y) != with.Pixel(rectCell.left + 1, rectCell.bottom - 1);
        EXPECT_GT(nInk, 0) << path.pszPath;
    }
}

// An active, modified control whose edited text the test sets; it records the texts it gets.
class EditingControl : public CGXControl
{
public:
    using CGXControl::CGXControl;
    BOOL IsActive() override
    {
        return TRUE;
    }
    BOOL IsModified() override
    {
        return TRUE;
    }
    void GetCurrentText(CString& strText) override
    {
        strText = m_strEdited;
    }
    BOOL OnChar(UINT nChar, UINT, UINT) override
    {
        m_texts.push_back(CString(static_cast<WCHAR>(nChar)));
        return TRUE;
    }
    BOOL OnCharText(const CString& strText) override
    {
        m_texts.push_back(_T("pair:") + strText);
        return TRUE;
    }
    CString m_strEdited;
    std::vector<CString> m_texts;
};

TEST_F(ControlTest, ValidateValueChecksTheLimitsOfTheCell)
{
    struct Case
    {
        LPCTSTR pszMin;
        LPCTSTR pszMax;
        LPCTSTR pszText;
        BOOL bValid;
    };
    const Case cases[] = {
        {_T("not a number"), _T("not a number"), _T(""), TRUE}, // an empty text reads no limits
        {_T(""), _T("100"), _T("-5"), TRUE},
        {_T(""), _T("100"), _T("100"), TRUE},
        {_T(""), _T("100"), _T("100.5"), FALSE},
        {_T("10"), _T("100"), _T("10"), TRUE},
        {_T("10"), _T("100"), _T("9.5"), FALSE},
        {_T("10"), _T(""), _T("1e6"), TRUE},
    };
    EditingControl control(&m_grid);
    ROWCOL nRow = 0;
    for (const Case& c : cases)
    {
        CGXStyle limits;
        if (*c.pszMin != 0)
            limits.SetUserAttribute(51011, c.pszMin);
        if (*c.pszMax != 0)
            limits.SetUserAttribute(51012, c.pszMax);
        limits.SetUserAttribute(51013, _T("Out of range"));
        m_grid.SetStyleRangeShort(CGXRange(++nRow, 1), limits);
        m_grid.SetWarningText(_T(""));
        control.Init(nRow, 1);
        control.m_strEdited = c.pszText;
        EXPECT_EQ(control.ValidateValue(), c.bValid) << CW2A(c.pszText);
        EXPECT_EQ(m_grid.GetWarningText(), c.bValid ? _T("") : _T("Out of range")) << CW2A(c.pszText);
    }
}

TEST_F(ControlTest, SurrogatePairReachesOnCharTextAsOneText)
{
    EditingControl control(&m_grid);
    EXPECT_TRUE(control.OnKeyMessage(WM_CHAR, 'a', 1, 0));
    EXPECT_TRUE(control.OnKeyMessage(WM_CHAR, 0xD83D, 1, 0));
    EXPECT_TRUE(control.OnKeyMessage(WM_CHAR, 0xDE00, 1, 0));
    EXPECT_FALSE(control.OnKeyMessage(WM_MOUSEMOVE, 0, 1, 0));
    const WCHAR pair[] = {0xD83D, 0xDE00, 0};
    ASSERT_EQ(control.m_texts.size(), 2u);
    EXPECT_EQ(control.m_texts[0], _T("a"));
    EXPECT_EQ(control.m_texts[1], CString(_T("pair:")) + pair);
}

TEST_F(ControlTest, StoreValueCutsTheTextToTheMaximumLength)
{
    CGXStyle limited;
    limited.SetMaxLength(4);
    m_grid.SetStyleRangeShort(CGXRange(1, 1), limited);
    EXPECT_TRUE(m_control.StoreValue(1, 1, _T("abcdef"), nullptr));
    EXPECT_EQ(m_grid.GetValueRowCol(1, 1), _T("abcd"));

    CGXStyle readOnly;
    readOnly.SetReadOnly(TRUE);
    EXPECT_FALSE(m_control.StoreValue(1, 2, _T("x"), &readOnly));
    EXPECT_EQ(m_grid.GetValueRowCol(1, 2), _T(""));
}

TEST_F(ControlTest, RebindingTheCurrentCellKeepsItsValueWhenOnlyTheControlChanges)
{
    class ValueControl : public CGXControl
    {
    public:
        using CGXControl::CGXControl;
        void SetValue(LPCTSTR pszText) override
        {
            m_values.push_back(pszText);
            CGXControl::SetValue(pszText);
        }
        std::vector<CString> m_values;
    };
    ValueControl control(&m_grid);
    m_grid.SetValueRange(CGXRange(2, 2), _T("kept"));
    ASSERT_TRUE(m_grid.SetCurrentCell(2, 2));
    control.Init(2, 2);
    CGXStyle controlOnly;
    controlOnly.SetControl(52513);
    EXPECT_TRUE(control.RebindToCell(2, 2, &controlOnly, CGXStyle::modeOverride, 0));
    EXPECT_TRUE(control.m_values.empty());
    CString strText;
    EXPECT_TRUE(control.GetStyleValue(strText));
    EXPECT_EQ(strText, _T("kept"));

    CGXStyle withValue;
    withValue.SetControl(52513).SetValue(_T("new"));
    EXPECT_TRUE(control.RebindToCell(2, 2, &withValue, CGXStyle::modeOverride, 0));
    ASSERT_EQ(control.m_values.size(), 1u);
    EXPECT_EQ(control.m_values[0], _T("new"));
    EXPECT_EQ(m_grid.GetValueRowCol(2, 2), _T("new"));
}

// An active control on the current cell whose copy text the test sets.
class ActiveControl : public CGXControl
{
public:
    using CGXControl::CGXControl;
    BOOL IsActive() override
    {
        return TRUE;
    }
    void GetCopyText(CString& strText) override
    {
        strText = m_strCopy;
    }
    CString m_strCopy;
};

// The control bound to the current cell (3, 1) copies the text to the clipboard.
void CopyFromCurrentCell(CGXGridCore& grid, ActiveControl& control, LPCTSTR pszText)
{
    ASSERT_TRUE(grid.SetCurrentCell(3, 1));
    control.Init(3, 1);
    control.m_strCopy = pszText;
    ASSERT_TRUE(control.CopyToClipboard());
}

TEST_F(ControlTest, ClipboardRoundTripAndTheGridStyleFormat)
{
    ActiveControl control(&m_grid);
    CopyFromCurrentCell(m_grid, control, _T("copied \u00e9"));
    EXPECT_EQ(ClipboardText(m_grid.m_hWnd), _T("copied \u00e9"));
    EXPECT_TRUE(control.CanPaste());
    EXPECT_TRUE(control.PasteFromClipboard());
    EXPECT_EQ(m_grid.GetValueRowCol(3, 1), _T("copied \u00e9"));

    // The grid's own styles on the clipboard are pasted as styles, not by the control.
    const UINT nStyleFormat = m_grid.GetAppData()->m_uiClipboardFormat;
    ASSERT_NE(nStyleFormat, 0u);
    ASSERT_TRUE(::OpenClipboard(m_grid.m_hWnd));
    HGLOBAL hStyles = ::GlobalAlloc(GMEM_MOVEABLE, 4);
    ASSERT_NE(::SetClipboardData(nStyleFormat, hStyles), nullptr);
    ::CloseClipboard();
    EXPECT_FALSE(control.CanPaste());
    EXPECT_FALSE(control.PasteFromClipboard());
    m_grid.m_nClipboardFlags &= ~0x10;
    EXPECT_TRUE(control.CanPaste()) << "style pasting off";

    m_grid.GetParam()->m_bReadOnly = TRUE;
    EXPECT_FALSE(control.CanPaste()) << "read-only grid";
}
// The clipboard held open by a window of another thread for the object's life.
class ClipboardHolder
{
public:
    ClipboardHolder()
    {
        m_thread = std::thread([this] {
            HWND hWnd = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
            m_opened.set_value(::OpenClipboard(hWnd) != FALSE);
            m_release.get_future().wait();
            ::CloseClipboard();
            ::DestroyWindow(hWnd);
        });
    }
    ~ClipboardHolder()
    {
        m_release.set_value();
        m_thread.join();
    }
    bool Opened()
    {
        return m_opened.get_future().get();
    }

private:
    std::promise<bool> m_opened;
    std::promise<void> m_release;
    std::thread m_thread;
};

TEST_F(ControlTest, AClipboardHeldOpenElsewhereFailsCopyAndPasteAndChangesNothing)
{
    ActiveControl control(&m_grid);
    CopyFromCurrentCell(m_grid, control, _T("on the clipboard"));
    ASSERT_TRUE(m_grid.SetValueRange(CGXRange(3, 1), _T("kept")));
    {
        ClipboardHolder holder;
        ASSERT_TRUE(holder.Opened());
        EXPECT_FALSE(control.PasteFromClipboard());
        EXPECT_EQ(m_grid.GetValueRowCol(3, 1), _T("kept"));
        control.m_strCopy = _T("lost");
        EXPECT_FALSE(control.CopyToClipboard());
    }
    EXPECT_TRUE(control.PasteFromClipboard());
    EXPECT_EQ(m_grid.GetValueRowCol(3, 1), _T("on the clipboard"));
}
} // namespace
