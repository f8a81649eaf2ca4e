// Cut, Copy and Paste through Wine's clipboard: the formats a copy puts there, what a paste
// takes, and what another program, in a process of its own, reads and puts.
#include "GridTestSupport.h"

#include <grid/core/AppData.h>
#include <grid/core/Command.h>
#include <grid/core/GridParam.h>
#include <grid/core/Style.h>
#include <grid/services/cells/GridClearCellsImp.h>
#include <grid/services/clipboard/GridCutPasteImp.h>

#include <testing/ChildProcess.h>
#include <testing/MessagePump.h>
#include <testing/TempDirectory.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace
{
// A cell control that says whether it takes what the clipboard holds, as an editing control
// with a format of its own does.
class PastingControl : public CGXControl
{
public:
    using CGXControl::CGXControl;
    BOOL CanPaste() override
    {
        return m_bCanPaste;
    }
    BOOL m_bCanPaste = FALSE;
};

// The peer program in a process of its own; it ends when the test is done with it.
class Peer
{
public:
    explicit Peer(const CString& arguments)
    {
        static int s_nPeer = 0;
        const CString strTag = Format(L"%lu.%d", ::GetCurrentProcessId(), ++s_nPeer);
        m_strReady = L"clipboard_peer_ready." + strTag;
        m_strDone = L"clipboard_peer_done." + strTag;
        m_hReady = ::CreateEventW(nullptr, TRUE, FALSE, m_strReady);
        m_hDone = ::CreateEventW(nullptr, TRUE, FALSE, m_strDone);
        CString command = L"\"" + ExecutableFolder() + L"clipboard_peer.exe\" " + arguments;
        command.Replace(L"<ready>", m_strReady);
        command.Replace(L"<done>", m_strDone);
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        m_bStarted = ::CreateProcessW(nullptr, command.GetBuffer(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                      &startup, &m_process);
        command.ReleaseBuffer();
    }
    ~Peer()
    {
        Finish();
        ::CloseHandle(m_hReady);
        ::CloseHandle(m_hDone);
    }
    // Whether the peer has done its part and waits (TRUE) or has ended.
    bool WaitReady()
    {
        const HANDLE handles[] = {m_hReady, m_process.hProcess};
        return m_bStarted && ::WaitForMultipleObjects(2, handles, FALSE, 20000) == WAIT_OBJECT_0;
    }
    // Lets the peer end; its exit code, or -1.
    long Finish()
    {
        if (!m_bStarted)
            return -1;
        ::SetEvent(m_hDone);
        DWORD dwCode = DWORD(-1);
        if (::WaitForSingleObject(m_process.hProcess, 20000) == WAIT_OBJECT_0)
            ::GetExitCodeProcess(m_process.hProcess, &dwCode);
        ::CloseHandle(m_process.hProcess);
        ::CloseHandle(m_process.hThread);
        m_bStarted = FALSE;
        return static_cast<long>(dwCode);
    }

    static CString Format(LPCTSTR pszFormat, ...)
    {
        CString strText;
        va_list args;
        va_start(args, pszFormat);
        strText.FormatV(pszFormat, args);
        va_end(args);
        return strText;
    }

private:
    CString m_strReady;
    CString m_strDone;
    HANDLE m_hReady;
    HANDLE m_hDone;
    PROCESS_INFORMATION m_process{};
    BOOL m_bStarted = FALSE;
};

std::vector<BYTE> FileBytes(const CString& path)
{
    std::vector<BYTE> bytes;
    if (FILE* pFile = _wfopen(path, L"rb"))
    {
        for (int ch; (ch = fgetc(pFile)) != EOF;)
            bytes.push_back(static_cast<BYTE>(ch));
        fclose(pFile);
    }
    return bytes;
}

class ClipboardTest : public HiddenGridTest
{
protected:
    void SetUp() override
    {
        HiddenGridTest::SetUp();
        for (ROWCOL r = 1; r <= 2; ++r)
            for (ROWCOL c = 1; c <= 2; ++c)
                Set(r, c, CString(static_cast<TCHAR>(_T('a') + (r - 1) * 2 + (c - 1))));
    }
    void Set(ROWCOL nRow, ROWCOL nCol, LPCTSTR pszValue)
    {
        ASSERT_TRUE(m_grid.SetValueRange(CGXRange(nRow, nCol), pszValue));
    }
    CString Value(ROWCOL nRow, ROWCOL nCol)
    {
        return m_grid.GetValueRowCol(nRow, nCol);
    }
    void Select(const CGXRange& range)
    {
        m_grid.SelectRange(range, TRUE, FALSE);
    }
    void ClearSelection()
    {
        m_grid.GetParam()->m_SelRects.DeleteAll();
    }
    HWND Owner()
    {
        return m_grid.GetSafeHwnd();
    }
    // The formats on the clipboard in their order, without those the system makes.
    std::vector<UINT> Formats()
    {
        std::vector<UINT> formats;
        if (!::OpenClipboard(Owner()))
            return formats;
        for (UINT nFormat = 0; (nFormat = ::EnumClipboardFormats(nFormat)) != 0;)
            if (nFormat != CF_TEXT && nFormat != CF_OEMTEXT && nFormat != CF_LOCALE)
                formats.push_back(nFormat);
        ::CloseClipboard();
        return formats;
    }
    void PutText(LPCWSTR pszText, BOOL bEmpty)
    {
        ASSERT_TRUE(::OpenClipboard(Owner()));
        if (bEmpty)
            ::EmptyClipboard();
        const size_t nBytes = (wcslen(pszText) + 1) * sizeof(WCHAR);
        HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE, nBytes);
        memcpy(::GlobalLock(hText), pszText, nBytes);
        ::GlobalUnlock(hText);
        ::SetClipboardData(CF_UNICODETEXT, hText);
        ::CloseClipboard();
    }
    INT_PTR UndoCount()
    {
        return m_grid.GetParam()->GetUndoList()->GetCount();
    }
    UINT StylesFormat()
    {
        return m_grid.GetAppData()->m_uiClipboardFormat;
    }
    // Pastes at the cell while the peer keeps what it put on the clipboard.
    void PasteFromPeer(const CString& arguments, ROWCOL nRow, ROWCOL nCol)
    {
        Peer peer(arguments);
        ASSERT_TRUE(peer.WaitReady());
        m_grid.SetCurrentCell(nRow, nCol);
        EXPECT_TRUE(m_grid.Paste());
        EXPECT_EQ(peer.Finish(), 0);
    }
};
} // namespace

TEST_F(ClipboardTest, CopyPutsTextThenStylesThenTheDirectCopyMarker)
{
    Select(CGXRange(1, 1, 2, 2));
    EXPECT_TRUE(m_grid.CanCopy());
    ASSERT_TRUE(m_grid.Copy());
    EXPECT_EQ(Formats(), (std::vector<UINT>{CF_UNICODETEXT, StylesFormat()}));
    EXPECT_STREQ(ClipboardText(Owner()), L"a\tb\r\nc\td\r\n");

    m_grid.GetParam()->SetDirectCopyPaste(TRUE);
    ASSERT_TRUE(m_grid.Copy());
    const UINT nMarker = CGXGridCutPasteImp::GetDirectCopyFormat();
    EXPECT_EQ(Formats(), (std::vector<UINT>{CF_UNICODETEXT, StylesFormat(), nMarker}));
    ASSERT_TRUE(::OpenClipboard(Owner()));
    HANDLE hMarker = ::GetClipboardData(nMarker);
    ASSERT_NE(hMarker, nullptr);
    EXPECT_EQ(::GlobalSize(hMarker), 4u);
    EXPECT_EQ(*static_cast<const DWORD*>(::GlobalLock(hMarker)), m_grid.GetParam()->ClipboardIdentity());
    ::GlobalUnlock(hMarker);
    ::CloseClipboard();
}

TEST_F(ClipboardTest, CopyTakesTheCurrentCellOrWholeColumnsBelowTheHeaders)
{
    m_grid.SetCurrentCell(2, 2);
    ASSERT_TRUE(m_grid.Copy());
    EXPECT_STREQ(ClipboardText(Owner()), L"d");

    m_grid.GetData()->SetRowCount(3);
    Select(CGXRange().SetCols(1, 1));
    ASSERT_TRUE(m_grid.Copy());
    EXPECT_STREQ(ClipboardText(Owner()), L"a\r\nc\r\n\r\n");
    m_grid.m_nClipboardFlags |= 0x0001;
    ASSERT_TRUE(m_grid.Copy());
    EXPECT_STREQ(ClipboardText(Owner()), L"A\r\na\r\nc\r\n\r\n");

    // Only empty cells: FALSE, and no text goes on the clipboard.
    m_grid.m_nClipboardFlags = 0x0008;
    ClearSelection();
    Select(CGXRange(3, 3, 3, 4));
    EXPECT_FALSE(m_grid.Copy());
    EXPECT_TRUE(Formats().empty());
}

TEST_F(ClipboardTest, PasteTakesTheStylesBeforeTheText)
{
    ASSERT_TRUE(m_grid.SetStyleRangeShort(CGXRange(1, 1), CGXStyle().SetFont(CGXFont().SetWeight(700))));
    Select(CGXRange(1, 1));
    ASSERT_TRUE(m_grid.Copy());
    PutText(L"other", FALSE); // the text beside the styles no longer matches them
    ClearSelection();

    m_grid.SetCurrentCell(5, 5);
    EXPECT_TRUE(m_grid.CanPaste());
    ASSERT_TRUE(m_grid.Paste());
    EXPECT_STREQ(Value(5, 5), L"a");
    CGXStyle style;
    m_grid.ComposeStyleRowCol(5, 5, &style);
    EXPECT_EQ(style.GetFont().GetWeight(), 700);

    m_grid.m_nClipboardFlags &= ~0x0010;
    m_grid.SetCurrentCell(6, 5);
    ASSERT_TRUE(m_grid.Paste());
    EXPECT_STREQ(Value(6, 5), L"other");
}

TEST_F(ClipboardTest, TwoSelectedAreasCannotBePastedInto)
{
    PutText(L"x", TRUE);
    Select(CGXRange(5, 1));
    Select(CGXRange(7, 1));
    const INT_PTR nUndo = UndoCount();
    EXPECT_FALSE(m_grid.Paste());
    ASSERT_EQ(m_app.m_boxes.size(), 1u);
    EXPECT_STREQ(m_app.m_boxes[0].strText, L"Pasting is not possible for multi-area selections.");
    EXPECT_STREQ(Value(5, 1), L"");
    EXPECT_STREQ(Value(7, 1), L"");
    EXPECT_EQ(UndoCount(), nUndo);
}

TEST_F(ClipboardTest, CutCopiesThenClearsInOneUndoStep)
{
    // Without the clear-cells feature nothing is cleared: the cut is undone and answers FALSE.
    delete m_grid.m_pClearCellsImp;
    m_grid.m_pClearCellsImp = nullptr;
    Select(CGXRange(1, 1, 1, 2));
    const INT_PTR nUndo = UndoCount();
    EXPECT_FALSE(m_grid.Cut());
    EXPECT_STREQ(ClipboardText(Owner()), L"a\tb\r\n");
    EXPECT_STREQ(Value(1, 1), L"a");
    EXPECT_EQ(UndoCount(), nUndo);

    m_grid.m_pClearCellsImp = new CGXGridClearCellsImp;
    EXPECT_TRUE(m_grid.Cut());
    EXPECT_STREQ(ClipboardText(Owner()), L"a\tb\r\n");
    EXPECT_STREQ(Value(1, 1), L"");
    EXPECT_STREQ(Value(1, 2), L"");
    ASSERT_EQ(UndoCount(), nUndo + 1);
    EXPECT_STREQ(static_cast<CGXCommand*>(m_grid.GetParam()->GetUndoList()->GetHead())->GetName(), L"Cut Data.");
    EXPECT_TRUE(m_grid.Undo());
    EXPECT_STREQ(Value(1, 1), L"a");
    EXPECT_STREQ(Value(1, 2), L"b");

    // A direct cut only marks the cells; the next Copy forgets the mark.
    m_grid.GetParam()->SetDirectCutPaste(TRUE);
    EXPECT_TRUE(m_grid.Cut());
    EXPECT_STREQ(Value(1, 1), L"a");
    EXPECT_TRUE(m_grid.GetParam()->CutPending());
    EXPECT_TRUE(m_grid.Copy());
    EXPECT_FALSE(m_grid.GetParam()->CutPending());
}

TEST_F(ClipboardTest, CanPasteFollowsTheLockTheDirectModesAndTheFormats)
{
    CGXGridParam& param = *m_grid.GetParam();
    auto* pControl = new PastingControl(&m_grid);
    m_grid.RegisterControl(m_grid.GetStandardStyle()->GetControl(), pControl, FALSE, FALSE);
    m_grid.SetCurrentCellPosition(TRUE, 2, 2);
    ASSERT_EQ(m_grid.GetCurrentCellControl(), pControl);
    struct Case
    {
        const char* pszWhat;
        std::function<void()> prepare;
        BOOL bCanPaste;
    };
    const Case cases[] = {
        {"an empty clipboard", [] {}, FALSE},
        {"the current cell's control takes it", [&] { pControl->m_bCanPaste = TRUE; }, TRUE},
        {"the control, read-only with the lock",
         [&] {
             pControl->m_bCanPaste = TRUE;
             param.m_bReadOnly = TRUE;
         },
         FALSE},
        {"text", [&] { PutText(L"t", TRUE); }, TRUE},
        {"the grid's styles alone",
         [&] {
             Select(CGXRange(1, 1));
             m_grid.m_nClipboardFlags = 0x10;
             m_grid.Copy();
         },
         TRUE},
        {"read-only with the lock", [&] {
             PutText(L"t", TRUE);
             param.m_bReadOnly = TRUE;
         },
         FALSE},
        {"read-only without the lock",
         [&] {
             PutText(L"t", TRUE);
             param.m_bReadOnly = TRUE;
             param.m_bLockReadOnly = FALSE;
         },
         TRUE},
        {"a pending direct cut",
         [&] {
             param.SetDirectPasteMode(1);
             param.SetDirectCutPaste(TRUE);
             param.SetCutPending(TRUE);
         },
         TRUE},
        {"a direct copy", [&] {
             param.SetDirectPasteMode(1);
             param.SetDirectCopyPaste(TRUE);
         },
         TRUE},
        {"a direct copy in paste mode 0", [&] { param.SetDirectCopyPaste(TRUE); }, FALSE},
        {"a cut pending without the direct cut", [&] {
             param.SetDirectPasteMode(1);
             param.SetDirectCopyPaste(TRUE);
             param.SetCutPending(TRUE);
         },
         FALSE},
    };
    for (const Case& c : cases)
    {
        ASSERT_TRUE(::OpenClipboard(Owner()));
        ::EmptyClipboard();
        ::CloseClipboard();
        param.m_bReadOnly = FALSE;
        param.m_bLockReadOnly = TRUE;
        pControl->m_bCanPaste = FALSE;
        param.SetDirectPasteMode(0);
        param.SetDirectCopyPaste(FALSE);
        param.SetDirectCutPaste(FALSE);
        param.SetCutPending(FALSE);
        m_grid.m_nClipboardFlags = 0x38;
        c.prepare();
        EXPECT_EQ(m_grid.CanPaste(), c.bCanPaste) << c.pszWhat;
    }
}

TEST_F(ClipboardTest, AnotherProgramReadsTheCopyAsUnicodeAndAsItsOwnText)
{
    Select(CGXRange(1, 1, 2, 2));
    ASSERT_TRUE(m_grid.Copy());
    const TempDirectory directory;
    const CString unicode = directory.File(L"unicode.bin");
    const CString ansi = directory.File(L"ansi.bin");
    {
        Peer peer(L"read \"" + unicode + L"\" \"" + ansi + L"\"");
        EXPECT_EQ(peer.Finish(), 0);
    }
    const std::string expected = "a\tb\r\nc\td\r\n";
    std::vector<BYTE> wide;
    for (char ch : expected)
        wide.insert(wide.end(), {static_cast<BYTE>(ch), 0});
    EXPECT_EQ(FileBytes(unicode), wide);
    EXPECT_EQ(FileBytes(ansi), std::vector<BYTE>(expected.begin(), expected.end()));
}

TEST_F(ClipboardTest, TextThatAnotherProgramPutsIsPasted)
{
    PasteFromPeer(L"put-ansi <ready> <done> 1\\t2\\r\\n3\\r\\n", 5, 1);
    EXPECT_STREQ(Value(5, 1), L"1");
    EXPECT_STREQ(Value(5, 2), L"2");
    EXPECT_STREQ(Value(6, 1), L"3");
    EXPECT_STREQ(Value(7, 1), L"");

    PasteFromPeer(L"put-unicode <ready> <done> Z\u00fcrich\\t\u6771\u4eac", 8, 1);
    EXPECT_STREQ(Value(8, 1), L"Z\u00fcrich");
    EXPECT_STREQ(Value(8, 2), L"\u6771\u4eac");

    // A marker with this grid's own number, put there by another program, is not this grid's.
    CGXGridParam& param = *m_grid.GetParam();
    param.SetDirectPasteMode(1);
    param.SetDirectCopyPaste(TRUE);
    PasteFromPeer(Peer::Format(L"put-marker <ready> <done> theirs %lu", param.ClipboardIdentity()), 9, 1);
    EXPECT_STREQ(Value(9, 1), L"theirs");
}

TEST_F(ClipboardTest, AReadOnlyCellRefusesPastedTextAndEndsThePaste)
{
    Set(1, 2, L"kept");
    Set(1, 3, L"x");
    Set(2, 1, L"y");
    CGXStyle readOnly;
    readOnly.SetReadOnly(TRUE);
    // Read-only cells are made with the lock off, as they refuse every change with it on.
    m_grid.GetParam()->m_bLockReadOnly = FALSE;
    ASSERT_TRUE(m_grid.SetStyleRange(CGXRange(1, 2), &readOnly, CGXStyle::modeApplyNew, 0, nullptr, GX_INVALIDATE, 0));
    m_grid.GetParam()->m_bLockReadOnly = TRUE;
    Peer peer(L"put-unicode <ready> <done> A\\tB\\tC\\r\\nD");
    ASSERT_TRUE(peer.WaitReady());
    m_grid.SetCurrentCell(1, 1);
    EXPECT_FALSE(m_grid.Paste());
    EXPECT_EQ(peer.Finish(), 0);
    // The cells before the refused one keep the paste; the paste goes no further.
    EXPECT_STREQ(Value(1, 1), L"A");
    EXPECT_STREQ(Value(1, 2), L"kept");
    EXPECT_STREQ(Value(1, 3), L"x");
    EXPECT_STREQ(Value(2, 1), L"y");
}

TEST_F(ClipboardTest, AClipboardHeldOpenElsewhereRefusesCopyAndCut)
{
    Select(CGXRange(1, 1));
    Peer peer(L"hold <ready> <done>");
    ASSERT_TRUE(peer.WaitReady());
    EXPECT_FALSE(m_grid.CanCopy());
    EXPECT_FALSE(m_grid.CanCut());
    EXPECT_FALSE(m_grid.Copy());
    EXPECT_EQ(peer.Finish(), 0);
    EXPECT_TRUE(m_grid.CanCopy());
}

namespace
{
// Counts the clipboard's changes, which the system reports each time the clipboard is closed
// after one.
class ClipboardListener
{
public:
    ClipboardListener()
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"ClipboardListener";
        ::RegisterClassW(&windowClass);
        m_hWnd = ::CreateWindowExW(0, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                   windowClass.hInstance, nullptr);
        ::AddClipboardFormatListener(m_hWnd);
    }
    ~ClipboardListener()
    {
        ::RemoveClipboardFormatListener(m_hWnd);
        ::DestroyWindow(m_hWnd);
    }
    // The changes reported since the last call.
    int TakeChanges()
    {
        PumpPendingMessages();
        return std::exchange(s_nChanges, 0);
    }

private:
    static LRESULT CALLBACK Proc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
    {
        if (nMessage == WM_CLIPBOARDUPDATE)
            ++s_nChanges;
        return ::DefWindowProcW(hWnd, nMessage, wParam, lParam);
    }
    HWND m_hWnd;
    static int s_nChanges;
};

int ClipboardListener::s_nChanges = 0;
} // namespace

TEST_F(ClipboardTest, ACopyOpensTheClipboardOnceForAllItsFormats)
{
    ClipboardListener listener;
    listener.TakeChanges();
    Select(CGXRange(1, 1, 2, 2));
    m_grid.GetParam()->SetDirectCopyPaste(TRUE);
    ASSERT_TRUE(m_grid.Copy());
    EXPECT_EQ(listener.TakeChanges(), 1);
    EXPECT_EQ(Formats(),
              (std::vector<UINT>{CF_UNICODETEXT, StylesFormat(), CGXGridCutPasteImp::GetDirectCopyFormat()}));
    ASSERT_TRUE(m_grid.Cut());
    EXPECT_EQ(listener.TakeChanges(), 1);
    EXPECT_STREQ(ClipboardText(Owner()), L"a\tb\r\nc\td\r\n");
}
