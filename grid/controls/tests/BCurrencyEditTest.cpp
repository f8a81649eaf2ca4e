#include "FindPopupCalculator.h"

#include <grid/controls/BCalculator.h>
#include <grid/controls/BCurrencyEdit.h>
#include <grid/core/SysData.h>

#include <testing/FakeThemeLibrary.h>
#include <testing/MemoryCanvas.h>
#include <testing/MessagePump.h>
#include <testing/PrintString.h>
#include <toolkit/foundation/VisualStyle.h>

#include <gtest/gtest.h>

#include <vector>

namespace
{
constexpr UINT idbDropFace = 20036;
constexpr UINT nEditId = 5;

// A parent that keeps the commands its children send.
class CommandParent : public CWnd
{
public:
    CommandParent()
    {
        CreateEx(0, AfxRegisterWndClass(0), _T("parent"), WS_POPUP, CRect(0, 0, 400, 200), nullptr, 0);
    }
    ~CommandParent() override
    {
        DestroyWindow();
    }
    std::vector<std::pair<WPARAM, LPARAM>> m_commands;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        m_commands.emplace_back(wParam, lParam);
        return TRUE;
    }
};

// Holds the keys down in the thread's keyboard state while it lives.
class KeysHeld
{
public:
    explicit KeysHeld(std::initializer_list<int> keys) : m_keys(keys)
    {
        Set(0x80);
    }
    ~KeysHeld()
    {
        Set(0);
    }

private:
    void Set(BYTE nState)
    {
        BYTE state[256];
        ::GetKeyboardState(state);
        for (int nKey : m_keys)
            state[nKey] = nState;
        ::SetKeyboardState(state);
    }
    std::vector<int> m_keys;
};

COLORREF SysColor(int nIndex)
{
    return GXGetSysData()->GetSysColor(nIndex);
}

class DropEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_edit.Create(WS_CHILD, CRect(10, 10, 110, 30), &m_parent, nEditId));
    }
    CPoint ScreenPoint(int x, int y)
    {
        CPoint point(x, y);
        m_parent.ClientToScreen(&point);
        return point;
    }
    LPARAM ScreenLParam(int x, int y)
    {
        const CPoint point = ScreenPoint(x, y);
        return MAKELPARAM(point.x, point.y);
    }

    CommandParent m_parent;
    CGXBDropEdit m_edit;
};

class CurrencyEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_edit.Create(WS_CHILD, CRect(10, 10, 160, 32), &m_parent, nEditId));
        m_edit.SetFormat(CGXBCurrencyFormat());
    }
    CString Text()
    {
        CString strText;
        m_edit.GetWindowText(strText);
        return strText;
    }
    void Type(LPCTSTR pszKeys)
    {
        for (; *pszKeys != 0; ++pszKeys)
            m_edit.SendMessage(WM_CHAR, static_cast<WPARAM>(*pszKeys), 1);
    }
    BOOL SetText(LPCTSTR pszText)
    {
        return static_cast<BOOL>(m_edit.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(pszText)));
    }
    BOOL TakePosted(UINT nMessage)
    {
        MSG msg;
        return ::PeekMessage(&msg, m_edit.m_hWnd, nMessage, nMessage, PM_REMOVE);
    }
    void PutOnClipboard(LPCTSTR pszText)
    {
        ASSERT_TRUE(::OpenClipboard(m_parent.m_hWnd));
        ::EmptyClipboard();
        const SIZE_T nBytes = (_tcslen(pszText) + 1) * sizeof(TCHAR);
        HGLOBAL hBlock = ::GlobalAlloc(GMEM_MOVEABLE, nBytes);
        memcpy(::GlobalLock(hBlock), pszText, nBytes);
        ::GlobalUnlock(hBlock);
        ::SetClipboardData(CF_UNICODETEXT, hBlock);
        ::CloseClipboard();
    }

    CommandParent m_parent;
    CGXBCurrencyEdit m_edit;
};
} // namespace

TEST_F(DropEditTest, TheButtonTakesItsWidthFromTheFrame)
{
    ASSERT_TRUE(m_edit.SetButtonBitmap(idbDropFace));
    BITMAP info{};
    HBITMAP hBitmap = ::LoadBitmap(AfxGetResourceHandle(), MAKEINTRESOURCE(idbDropFace));
    ASSERT_NE(hBitmap, nullptr);
    ::GetObject(hBitmap, sizeof(info), &info);
    ::DeleteObject(hBitmap);
    const int nWidth = info.bmWidth + 6;
    EXPECT_EQ(m_edit.GetButtonRect(), CRect(110 - nWidth, 10, 110, 30));
    CRect rectClient;
    m_edit.GetClientRect(rectClient);
    EXPECT_EQ(rectClient.Width(), 100 - nWidth);
    m_edit.SetButtonOnRight(FALSE);
    EXPECT_EQ(m_edit.GetButtonRect(), CRect(10, 10, 10 + nWidth, 30));

    EXPECT_FALSE(m_edit.SetButtonBitmap(0));
    EXPECT_TRUE(m_edit.GetButtonRect().IsRectEmpty());
    m_edit.GetClientRect(rectClient);
    EXPECT_EQ(rectClient.Width(), 100);
    EXPECT_FALSE(m_edit.SetButtonBitmap(12345));
    EXPECT_EQ(m_edit.GetButtonBitmap(), 0u);
    EXPECT_TRUE(m_edit.GetButtonRect().IsRectEmpty());
}

TEST_F(DropEditTest, APressAndReleaseOverTheButtonDrops)
{
    ASSERT_TRUE(m_edit.SetButtonBitmap(idbDropFace));
    const CPoint ptButton = m_edit.GetButtonRect().CenterPoint();
    EXPECT_EQ(m_edit.SendMessage(WM_NCHITTEST, 0, ScreenLParam(ptButton.x, ptButton.y)), HTBORDER);

    m_edit.SendMessage(WM_NCMOUSEMOVE, HTBORDER, ScreenLParam(ptButton.x, ptButton.y));
    EXPECT_NE(m_edit.GetButtonFlags() & CGXBDropEdit::buttonHot, 0);
    m_edit.SendMessage(0x02A2 /* WM_NCMOUSELEAVE */);
    EXPECT_EQ(m_edit.GetButtonFlags() & CGXBDropEdit::buttonHot, 0);

    // Elsewhere nothing happens.
    m_edit.SendMessage(WM_NCLBUTTONDOWN, HTCLIENT, ScreenLParam(20, 20));
    EXPECT_EQ(m_edit.GetButtonFlags() & CGXBDropEdit::buttonPressed, 0);

    m_edit.SendMessage(WM_NCLBUTTONDOWN, HTBORDER, ScreenLParam(ptButton.x, ptButton.y));
    EXPECT_NE(m_edit.GetButtonFlags() & CGXBDropEdit::buttonPressed, 0);
    EXPECT_EQ(::GetCapture(), m_edit.m_hWnd);
    CPoint ptClient = ScreenPoint(ptButton.x, ptButton.y);
    m_edit.ScreenToClient(&ptClient);
    m_edit.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptClient.x, ptClient.y));
    EXPECT_EQ(m_edit.GetButtonFlags() & (CGXBDropEdit::buttonPressed | CGXBDropEdit::buttonTracking), 0);
    ASSERT_EQ(m_parent.m_commands.size(), 1u);
    EXPECT_EQ(m_parent.m_commands[0].first, MAKEWPARAM(nEditId, 0));
    EXPECT_EQ(m_parent.m_commands[0].second, reinterpret_cast<LPARAM>(m_edit.m_hWnd));

    // Released away from the button, or cancelled: no drop.
    m_edit.SendMessage(WM_NCLBUTTONDOWN, HTBORDER, ScreenLParam(ptButton.x, ptButton.y));
    m_edit.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    m_edit.SendMessage(WM_NCLBUTTONDOWN, HTBORDER, ScreenLParam(ptButton.x, ptButton.y));
    m_edit.SendMessage(WM_CANCELMODE);
    EXPECT_EQ(m_edit.GetButtonFlags() & CGXBDropEdit::buttonPressed, 0);
    EXPECT_NE(::GetCapture(), m_edit.m_hWnd);
    EXPECT_EQ(m_parent.m_commands.size(), 1u);

    m_edit.SendMessage(WM_KEYDOWN, VK_F4, 1);
    m_edit.SendMessage(WM_SYSKEYDOWN, VK_DOWN, 1 | (1 << 29));
    EXPECT_EQ(m_parent.m_commands.size(), 3u);
}

TEST_F(DropEditTest, ButtonFacesOnAMemoryDC)
{
    const FakeThemeLibrary classic(FakeThemeLibrary::NONE);
    ASSERT_TRUE(m_edit.SetButtonBitmap(idbDropFace));
    const CRect rect(0, 0, 15, 20);
    const COLORREF rgbFill = RGB(1, 2, 3);
    // The arrow's top row lies 2 rows into the 8-row image, centred in the face.
    const int yArrow = 2 + (16 - 8) / 2 + 2;
    {
        MemoryCanvas canvas(15, 20, rgbFill);
        m_edit.DrawButton(canvas.Dc(), rect);
        EXPECT_EQ(canvas.Pixel(0, 0), SysColor(COLOR_BTNFACE));
        EXPECT_EQ(canvas.Pixel(14, 19), SysColor(COLOR_WINDOWFRAME));
        EXPECT_EQ(canvas.Pixel(1, 1), SysColor(COLOR_BTNHIGHLIGHT));
        EXPECT_EQ(canvas.Pixel(13, 18), SysColor(COLOR_BTNSHADOW));
        EXPECT_EQ(canvas.Pixel(3, 3), SysColor(COLOR_BTNFACE));
        EXPECT_EQ(canvas.Pixel(7, yArrow), SysColor(COLOR_BTNTEXT));
    }
    {
        MemoryCanvas canvas(15, 20, rgbFill);
        // Pressed through the flags the drop edit keeps while tracking.
        const CPoint ptButton = m_edit.GetButtonRect().CenterPoint();
        m_edit.SendMessage(WM_NCLBUTTONDOWN, HTBORDER, ScreenLParam(ptButton.x, ptButton.y));
        m_edit.DrawButton(canvas.Dc(), rect);
        m_edit.SendMessage(WM_CANCELMODE);
        EXPECT_EQ(canvas.Pixel(0, 0), SysColor(COLOR_BTNSHADOW));
        EXPECT_EQ(canvas.Pixel(14, 19), SysColor(COLOR_BTNSHADOW));
        EXPECT_EQ(canvas.Pixel(1, 1), SysColor(COLOR_BTNFACE));
        EXPECT_EQ(canvas.Pixel(8, yArrow + 1), SysColor(COLOR_BTNTEXT));
        EXPECT_EQ(canvas.Pixel(8, yArrow), SysColor(COLOR_BTNFACE));
    }
    {
        m_edit.EnableWindow(FALSE);
        MemoryCanvas canvas(15, 20, rgbFill);
        m_edit.DrawButton(canvas.Dc(), rect);
        // The arrow's tip, embossed: shadow in place, highlight one pixel down-right.
        EXPECT_EQ(canvas.Pixel(7, yArrow + 3), SysColor(COLOR_BTNSHADOW));
        EXPECT_EQ(canvas.Pixel(8, yArrow + 4), SysColor(COLOR_BTNHIGHLIGHT));
        EXPECT_EQ(canvas.Pixel(7, yArrow), SysColor(COLOR_BTNSHADOW));
    }
}

TEST_F(DropEditTest, ThemedFacesDrawTheButtonPart)
{
    FakeThemeLibrary themed;
    ASSERT_TRUE(m_edit.SetButtonBitmap(idbDropFace));
    MemoryCanvas canvas(15, 20, RGB(1, 2, 3));
    const FakeThemeRecord& record = themed.State();
    m_edit.DrawButton(canvas.Dc(), CRect(0, 0, 15, 20));
    ASSERT_FALSE(record.parts.empty());
    EXPECT_EQ(record.parts.back(), std::make_pair(1, 1));
    EXPECT_EQ(record.classes.back(), L"BUTTON");
    const CPoint ptButton = m_edit.GetButtonRect().CenterPoint();
    m_edit.SendMessage(WM_NCLBUTTONDOWN, HTBORDER, ScreenLParam(ptButton.x, ptButton.y));
    m_edit.DrawButton(canvas.Dc(), CRect(0, 0, 15, 20));
    EXPECT_EQ(record.parts.back(), std::make_pair(1, 3));
    m_edit.SendMessage(WM_CANCELMODE);

    CGXBCalcBtn button(CGXBCalculator::opAdd, _T("+"), _T("+"), 0, 1, FALSE, CGXBCalcBtn::Attributes());
    button.SetRect(CRect(0, 0, 15, 20));
    button.SetState(CGXBCalcBtn::stateHot, TRUE);
    tarnwick::foundation::SECThemeCache themes;
    button.Draw(canvas.Dc(), themes, nullptr);
    EXPECT_EQ(record.parts.back(), std::make_pair(1, 2));
    EXPECT_EQ(record.classes.back(), L"Button");
}

TEST_F(CurrencyEditTest, SetTextParsesTheAmount)
{
    EXPECT_EQ(Text(), _T("$0.00"));
    EXPECT_TRUE(SetText(_T("1234.5")));
    EXPECT_EQ(Text(), _T("$1,234.50"));
    EXPECT_FALSE(SetText(_T("abc")));
    EXPECT_EQ(Text(), _T("$1,234.50"));
    EXPECT_TRUE(SetText(_T("(12)")));
    EXPECT_DOUBLE_EQ(m_edit.GetValue(), -12.0);
    m_edit.SetWindowTextQuiet(_T("as it stands"));
    EXPECT_EQ(Text(), _T("as it stands"));
}

TEST_F(CurrencyEditTest, TypingEditsTheNumber)
{
    SetText(_T("5"));
    m_edit.SetSel(0, -1);
    Type(_T("123"));
    EXPECT_EQ(Text(), _T("$123.00"));
    EXPECT_DOUBLE_EQ(m_edit.GetValue(), 123.0);
    // Letters are not taken.
    Type(_T("x"));
    EXPECT_EQ(Text(), _T("$123.00"));

    // The separator moves the caret behind the decimal separator.
    SetText(_T("1234.5"));
    m_edit.SetSel(2, 2);
    Type(_T("."));
    EXPECT_EQ(m_edit.GetCaretIndex(), 7);
    Type(_T("7"));
    EXPECT_EQ(Text(), _T("$1,234.75"));

    Type(_T("-"));
    EXPECT_EQ(Text(), _T("($1,234.75)"));
    EXPECT_DOUBLE_EQ(m_edit.GetValue(), -1234.75);
    Type(_T("-"));
    EXPECT_EQ(Text(), _T("$1,234.75"));

    // Backspace steps over the separator and takes the digit before it.
    m_edit.SetSel(3, 3);
    m_edit.SendMessage(WM_KEYDOWN, VK_BACK, 1);
    EXPECT_EQ(Text(), _T("$234.75"));
    const size_t nNotices = m_parent.m_commands.size();
    ASSERT_GE(nNotices, 2u);
    EXPECT_EQ(HIWORD(m_parent.m_commands[nNotices - 2].first), EN_UPDATE);
    EXPECT_EQ(HIWORD(m_parent.m_commands[nNotices - 1].first), EN_CHANGE);
}

TEST_F(CurrencyEditTest, UndoTwiceRedoes)
{
    SetText(_T("5"));
    m_edit.SetSel(0, -1);
    Type(_T("7"));
    EXPECT_EQ(Text(), _T("$7.00"));
    EXPECT_TRUE(m_edit.SendMessage(EM_CANUNDO));
    m_edit.SendMessage(WM_UNDO);
    EXPECT_EQ(Text(), _T("$5.00"));
    EXPECT_DOUBLE_EQ(m_edit.GetValue(), 5.0);
    m_edit.SendMessage(WM_UNDO);
    EXPECT_EQ(Text(), _T("$7.00"));
    EXPECT_DOUBLE_EQ(m_edit.GetValue(), 7.0);
    m_edit.SendMessage(EM_EMPTYUNDOBUFFER);
    EXPECT_FALSE(m_edit.SendMessage(EM_CANUNDO));
}

TEST_F(CurrencyEditTest, DeleteWithoutSelectionClearsTheAmount)
{
    SetText(_T("-42"));
    m_edit.SetSel(-1, 0);
    m_edit.SendMessage(WM_COMMAND, ID_EDIT_CLEAR);
    EXPECT_EQ(Text(), _T("$0.00"));
    EXPECT_FALSE(m_edit.IsNegative());
}

TEST_F(CurrencyEditTest, PasteKeepsTheDigitsOfOtherText)
{
    SetText(_T("5"));
    PutOnClipboard(_T("x1y2z3"));
    m_edit.SetSel(0, -1);
    m_edit.SendMessage(WM_PASTE);
    EXPECT_EQ(Text(), _T("$123.00"));
    PutOnClipboard(_T("($4.50)"));
    m_edit.SetSel(0, -1);
    m_edit.SendMessage(WM_PASTE);
    EXPECT_DOUBLE_EQ(m_edit.GetValue(), -4.5);
    const auto Clipboard = [&] {
        CString strText;
        EXPECT_TRUE(::OpenClipboard(m_parent.m_hWnd));
        HANDLE hText = ::GetClipboardData(CF_UNICODETEXT);
        strText = static_cast<LPCTSTR>(::GlobalLock(hText));
        ::GlobalUnlock(hText);
        ::CloseClipboard();
        return strText;
    };
    m_edit.SetSel(2, 3);
    m_edit.SendMessage(WM_CUT);
    EXPECT_DOUBLE_EQ(m_edit.GetValue(), -0.5);
    EXPECT_EQ(Clipboard(), _T("4"));
    // A cut that would leave no amount cuts nothing.
    m_edit.SetSel(0, 3);
    m_edit.SendMessage(WM_CUT);
    EXPECT_DOUBLE_EQ(m_edit.GetValue(), -0.5);
    EXPECT_EQ(Clipboard(), _T("4"));
}

TEST_F(CurrencyEditTest, ClipboardKeysPostTheirMessages)
{
    struct Case
    {
        std::initializer_list<int> held;
        UINT nKey;
        UINT nPosted;
    };
    const Case cases[] = {
        {{VK_CONTROL}, 'C', WM_COPY},    {{VK_CONTROL}, 'V', WM_PASTE},      {{VK_CONTROL}, 'X', WM_CUT},
        {{VK_CONTROL}, 'Z', WM_UNDO},    {{VK_CONTROL}, VK_INSERT, WM_COPY}, {{VK_SHIFT}, VK_INSERT, WM_PASTE},
        {{VK_SHIFT}, VK_DELETE, WM_CUT},
    };
    for (const Case& c : cases)
    {
        {
            KeysHeld held(c.held);
            m_edit.SendMessage(WM_KEYDOWN, c.nKey, 1);
        }
        EXPECT_TRUE(TakePosted(c.nPosted)) << c.nKey;
    }
    {
        KeysHeld held({VK_SHIFT});
        m_edit.SendMessage(WM_SYSKEYDOWN, VK_F10, 1);
    }
    EXPECT_TRUE(TakePosted(WM_RBUTTONUP));
    m_edit.SendMessage(WM_SYSKEYDOWN, VK_BACK, 1 | (1 << 29));
    EXPECT_TRUE(TakePosted(WM_UNDO));
    EXPECT_FALSE(m_edit.IsOverwriteMode());
    m_edit.SendMessage(WM_KEYDOWN, VK_INSERT, 1);
    EXPECT_TRUE(m_edit.IsOverwriteMode());
    m_edit.SendMessage(WM_KEYDOWN, VK_INSERT, 1);
    EXPECT_FALSE(m_edit.IsOverwriteMode());
}

TEST_F(CurrencyEditTest, GetSelAnswersTheStoredPositions)
{
    SetText(_T("1234"));
    m_edit.SetSel(1, 3);
    EXPECT_EQ(m_edit.SendMessage(EM_GETSEL), MAKELRESULT(1, 3));
    m_edit.SetSel(2, 2);
    EXPECT_EQ(m_edit.SendMessage(EM_GETSEL), MAKELRESULT(2, 2));
    EXPECT_FALSE(m_edit.HasSelection());
    m_edit.SetSel(-1, 0);
    EXPECT_EQ(m_edit.SendMessage(EM_GETSEL), -1);
    EXPECT_EQ(m_edit.SendMessage(WM_GETDLGCODE), DLGC_WANTARROWS | DLGC_WANTCHARS);
}

TEST_F(CurrencyEditTest, ReadOnlyRefusesEditsAndShowsTheFace)
{
    SetText(_T("5"));
    m_edit.SendMessage(EM_SETREADONLY, TRUE);
    EXPECT_TRUE(m_edit.IsReadOnly());
    m_edit.SetSel(0, -1);
    Type(_T("9-"));
    m_edit.SendMessage(WM_KEYDOWN, VK_DELETE, 1);
    EXPECT_EQ(Text(), _T("$5.00"));
    MemoryCanvas canvas(150, 22, RGB(1, 2, 3));
    m_edit.PaintText(canvas.Dc());
    EXPECT_EQ(canvas.Pixel(149, 21), SysColor(COLOR_BTNFACE));
    m_edit.SendMessage(EM_SETREADONLY, FALSE);
    m_edit.PaintText(canvas.Dc());
    EXPECT_EQ(canvas.Pixel(149, 21), SysColor(COLOR_WINDOW));
}

TEST_F(CurrencyEditTest, ANegativeAmountShowsInTheNegativeColour)
{
    const COLORREF rgbNegative = RGB(255, 0, 0);
    CGXBCurrencyFormat format;
    format.SetNegativeColor(rgbNegative);
    m_edit.SetFormat(format);
    const auto CountNegative = [&] {
        MemoryCanvas canvas(150, 22, RGB(1, 2, 3));
        m_edit.PaintText(canvas.Dc());
        int nCount = 0;
        for (int y = 0; y < 22; ++y)
            for (int x = 0; x < 150; ++x)
                nCount += canvas.Pixel(x, y) == rgbNegative;
        return nCount;
    };
    m_edit.SetSel(-1, 0);
    SetText(_T("12"));
    EXPECT_EQ(CountNegative(), 0);
    SetText(_T("-12"));
    EXPECT_GT(CountNegative(), 10);
}

TEST_F(CurrencyEditTest, TheContextMenuEnablesWhatCanBeDone)
{
    const UINT ids[] = {ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_CLEAR, ID_EDIT_SELECT_ALL};
    const auto Enabled = [&] {
        HMENU hMenu = m_edit.CreateContextMenu();
        std::vector<bool> enabled;
        for (UINT nId : ids)
            enabled.push_back((::GetMenuState(hMenu, nId, MF_BYCOMMAND) & MF_GRAYED) == 0);
        m_edit.DestroyContextMenu(hMenu);
        return enabled;
    };
    PutOnClipboard(_T("$5.00"));
    SetText(_T("5"));
    m_edit.SetSel(-1, 0);
    EXPECT_EQ(Enabled(), (std::vector<bool>{false, false, false, true, false, true}));
    m_edit.SetSel(0, -1);
    Type(_T("7"));
    m_edit.SetSel(0, 2);
    EXPECT_EQ(Enabled(), (std::vector<bool>{true, true, true, true, true, true}));
    PutOnClipboard(_T("no amount"));
    m_edit.SendMessage(EM_SETREADONLY, TRUE);
    EXPECT_EQ(Enabled(), (std::vector<bool>{false, false, true, false, false, true}));
}

TEST_F(CurrencyEditTest, F2OpensTheCalculatorUnderTheWindow)
{
    SetText(_T("12.5"));
    m_edit.SendMessage(WM_KEYDOWN, VK_F2, 1);
    EXPECT_EQ(FindPopupCalculator(), nullptr) << "no button, no calculator";
    ASSERT_TRUE(m_edit.SetButtonBitmap(idbDropFace));
    m_edit.SendMessage(WM_KEYDOWN, VK_F2, 1);
    CGXBPopupCalculator* pPopup = FindPopupCalculator();
    ASSERT_NE(pPopup, nullptr);
    EXPECT_FALSE(CGXBCurrencyEdit::IsOpeningCalculator());
    CRect rectEdit;
    CRect rectPopup;
    m_edit.GetWindowRect(rectEdit);
    pPopup->GetWindowRect(rectPopup);
    EXPECT_EQ(rectPopup.TopLeft(), CPoint(rectEdit.left, rectEdit.bottom));
    EXPECT_EQ(pPopup->GetDisplayText(), _T("12.5"));
    pPopup->DestroyWindow();
    EXPECT_EQ(FindPopupCalculator(), nullptr);
}
