// Browse edits on a hidden dialog driven by posted messages: the button's place, id, tab order
// and state, and the directory chooser in both its modes, acted on from inside its modal loop.
#include <toolkit/tabs/BrowseDirEdit.h>
#include <toolkit/tabs/DirSelectDlg.h>

#include <commctrl.h>

#include <functional>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include <testing/MessagePump.h>
#include <testing/ModalScript.h>
#include <testing/TempDirectory.h>

using tarnwick::tabs::SECBrowseDirEdit;
using tarnwick::tabs::SECDirSelectDlg;

namespace
{
constexpr UINT IDD_DIRECTORIES = 65100;
constexpr int IDC_DIRECTORY = 1030;
constexpr int IDC_DISABLED_DIRECTORY = 1031;
constexpr int IDC_HIGHEST = 32767;
constexpr int IDC_CURRENT_FOLDER = 1088;
constexpr int IDC_FILE_NAME = 1152;
constexpr int IDC_FOLDER_LIST = 1121;
constexpr int HiddenFileControls[] = {1090, 1152, 1120, 1089, 1136};

CString ItemText(HWND hDlg, int nID)
{
    CString strText;
    CWnd::FromHandle(hDlg)->GetDlgItemText(nID, strText);
    return strText;
}

// The paths' long forms agree, whatever case and short names the dialog uses.
bool SamePath(const CString& strA, const CString& strB)
{
    auto longForm = [](const CString& str) {
        TCHAR sz[MAX_PATH] = {};
        return ::GetLongPathName(str, sz, MAX_PATH) != 0 ? CString(sz) : str;
    };
    return longForm(strA).CompareNoCase(longForm(strB)) == 0;
}

// The header and the item ids of a DIALOG (not DIALOGEX) template.
struct DialogTemplate
{
    DWORD dwStyle = 0;
    SIZE size = {};
    CString strCaption;
    WORD wPointSize = 0;
    CString strFont;
    std::vector<WORD> ids;
};

// Skips a name-or-ordinal field or a string and returns what it held as text.
CString ReadField(const WORD*& p)
{
    CString str;
    if (*p == 0xFFFF)
    {
        str.Format(_T("#%u"), p[1]);
        p += 2;
        return str;
    }
    str = reinterpret_cast<LPCWSTR>(p);
    p += str.GetLength() + 1;
    return str;
}

DialogTemplate ReadDialogTemplate(UINT nID)
{
    DialogTemplate result;
    const HMODULE hModule = ::GetModuleHandle(nullptr);
    const HRSRC hResource = ::FindResource(hModule, MAKEINTRESOURCE(nID), RT_DIALOG);
    if (hResource == nullptr)
        return result;
    const auto* pHeader = static_cast<const DLGTEMPLATE*>(::LockResource(::LoadResource(hModule, hResource)));
    result.dwStyle = pHeader->style;
    result.size = {pHeader->cx, pHeader->cy};
    const WORD* p = reinterpret_cast<const WORD*>(pHeader + 1);
    ReadField(p); // menu
    ReadField(p); // class
    result.strCaption = ReadField(p);
    if (pHeader->style & DS_SETFONT)
    {
        result.wPointSize = *p++;
        result.strFont = ReadField(p);
    }
    for (WORD i = 0; i < pHeader->cdit; ++i)
    {
        const auto* pItem =
            reinterpret_cast<const DLGITEMTEMPLATE*>((reinterpret_cast<UINT_PTR>(p) + 3) & ~UINT_PTR(3));
        result.ids.push_back(pItem->id);
        p = reinterpret_cast<const WORD*>(pItem + 1);
        ReadField(p);               // class
        ReadField(p);               // text
        p += 1 + *p / sizeof(WORD); // creation data
    }
    return result;
}

TEST(DirSelectResourcesTest, TitleStringAndReducedDialogTemplate)
{
    CString strTitle;
    ASSERT_TRUE(strTitle.LoadString(20625));
    EXPECT_EQ(CString(_T("Select Directory")), strTitle);
    CString strName;
    ASSERT_TRUE(strName.LoadString(20624));
    EXPECT_EQ(CString(_T("noclose")), strName);

    const DialogTemplate dialog = ReadDialogTemplate(2000);
    EXPECT_EQ(CString(_T("Select Directory")), dialog.strCaption);
    EXPECT_EQ(8, dialog.wPointSize);
    EXPECT_EQ(CString(_T("Helv")), dialog.strFont);
    EXPECT_EQ(187, dialog.size.cx);
    EXPECT_EQ(138, dialog.size.cy);
    const WORD expected[] = {1090, 1152, 1120, WORD(-1), 1088, 1121, 1089, 1136,
                             1091, 1137, IDOK, IDCANCEL, 1038, 1040, 1037};
    EXPECT_EQ(std::vector<WORD>(std::begin(expected), std::end(expected)), dialog.ids);
}

class BrowseDirEditTest : public HiddenWindowTest
{
protected:
    void SetUp() override
    {
        ::GetCurrentDirectory(MAX_PATH, m_szCurrentDirectory);
        ASSERT_TRUE(m_dialog.Create(IDD_DIRECTORIES, &Parent()));
        m_rectBefore = WindowRect(m_dialog.GetDlgItem(IDC_DIRECTORY));
        ASSERT_TRUE(m_edit.Initialize(IDC_DIRECTORY, &m_dialog));
        ASSERT_TRUE(m_disabledEdit.Initialize(IDC_DISABLED_DIRECTORY, &m_dialog));
        ::CreateDirectory(m_temp.File(_T("sub")), nullptr);
        ::CloseHandle(::CreateFile(m_temp.File(_T("file.txt")), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    // The classic dialog leaves the process in the folder it chose, which the test removes.
    void TearDown() override
    {
        m_dialog.DestroyWindow();
        ::SetCurrentDirectory(m_szCurrentDirectory);
    }

    CRect WindowRect(CWnd* pWnd) const
    {
        CRect rect;
        pWnd->GetWindowRect(rect);
        m_dialog.ScreenToClient(rect);
        return rect;
    }
    CWnd* Button(CWnd& edit) const
    {
        return edit.GetWindow(GW_HWNDNEXT);
    }
    // Clicks the edit's button by a posted notification and lets the chooser run the action.
    void Browse(const std::function<void(HWND)>& action)
    {
        CWnd* pButton = Button(m_edit);
        ModalScript script({[&](ModalWindow& chooser) { action(chooser.Handle()); }});
        m_dialog.PostMessage(WM_COMMAND, MAKEWPARAM(pButton->GetDlgCtrlID(), BN_CLICKED),
                             reinterpret_cast<LPARAM>(pButton->m_hWnd));
        ASSERT_TRUE(PumpMessagesUntil([&] { return script.Done(); }));
        PumpPendingMessages();
    }
    CString EditText() const
    {
        CString strText;
        m_edit.GetWindowText(strText);
        return strText;
    }

    TCHAR m_szCurrentDirectory[MAX_PATH] = {};
    TempDirectory m_temp;
    CDialog m_dialog;
    SECBrowseDirEdit m_edit;
    SECBrowseDirEdit m_disabledEdit;
    CRect m_rectBefore;
};

TEST_F(BrowseDirEditTest, ButtonTakesTheEditsRightEndAndFollowsItInTabOrder)
{
    const CRect rectEdit = WindowRect(&m_edit);
    EXPECT_EQ(m_rectBefore.Width() - 26, rectEdit.Width());
    EXPECT_EQ(m_rectBefore.TopLeft(), rectEdit.TopLeft());
    EXPECT_EQ(m_rectBefore.Height(), rectEdit.Height());

    CWnd* pButton = Button(m_edit);
    ASSERT_NE(nullptr, pButton);
    EXPECT_EQ(CRect(m_rectBefore.right - 25, m_rectBefore.top, m_rectBefore.right, m_rectBefore.bottom),
              WindowRect(pButton));
    CString strCaption;
    pButton->GetWindowText(strCaption);
    EXPECT_EQ(CString(_T("...")), strCaption);
    EXPECT_TRUE(pButton->GetStyle() & WS_TABSTOP);
    // 32767 is taken; the second edit's button takes the next free id below.
    EXPECT_EQ(IDC_HIGHEST - 1, pButton->GetDlgCtrlID());
    EXPECT_EQ(IDC_HIGHEST - 2, Button(m_disabledEdit)->GetDlgCtrlID());
}

TEST_F(BrowseDirEditTest, ButtonFollowsTheEditsEnablingAndShowing)
{
    CWnd* pButton = Button(m_edit);
    EXPECT_TRUE(pButton->IsWindowEnabled());
    EXPECT_FALSE(Button(m_disabledEdit)->IsWindowEnabled());

    m_edit.EnableWindow(FALSE);
    EXPECT_FALSE(pButton->IsWindowEnabled());
    m_edit.EnableWindow(TRUE);
    EXPECT_TRUE(pButton->IsWindowEnabled());

    m_edit.ShowWindow(SW_HIDE);
    EXPECT_FALSE(pButton->GetStyle() & WS_VISIBLE);
    m_edit.ShowWindow(SW_SHOW);
    EXPECT_TRUE(pButton->GetStyle() & WS_VISIBLE);
}

TEST_F(BrowseDirEditTest, ChooserIsTheReducedFileDialog)
{
    m_edit.SetWindowText(m_temp.Path());
    Browse([](HWND hDlg) {
        CString strTitle;
        CWnd::FromHandle(hDlg)->GetWindowText(strTitle);
        EXPECT_EQ(CString(_T("Select Directory")), strTitle);
        for (const int nID : HiddenFileControls)
            EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(hDlg, nID))) << nID;
        EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(hDlg, IDC_FOLDER_LIST)));
        EXPECT_EQ(CString(_T("noclose")), ItemText(hDlg, IDC_FILE_NAME));
        // Test programs running beside this one share the desktop and may have taken the
        // activation: the dialog gives the focus back to the control it chose when reactivated.
        ::SetForegroundWindow(hDlg);
        EXPECT_EQ(::GetDlgItem(hDlg, IDC_FOLDER_LIST), ::GetFocus());
        ::PostMessage(hDlg, WM_COMMAND, IDCANCEL, 0);
    });
}

TEST_F(BrowseDirEditTest, ChooserStartsAtTheEditsDirectoryOrTheCurrentOne)
{
    const CString strCurrent = m_temp.File(_T("current\\"));
    ASSERT_TRUE(::CreateDirectory(strCurrent, nullptr));

    const CString strSub = m_temp.File(_T("sub"));
    const struct
    {
        CString strText;
        CString strChosen; // OK at once chooses the folder it started at
    } cases[] = {
        {_T("C:\\"), _T("C:\\")},
        {_T("C:"), _T("C:\\")},
        {_T("R:\\"), strCurrent}, // no such drive
        {strSub, strSub + _T('\\')},
        {strSub + _T('\\'), strSub + _T('\\')},
        {m_temp.File(_T("missing")), strCurrent},
        {m_temp.File(_T("file.txt")), strCurrent},
        {CString(), strCurrent},
    };
    for (const auto& c : cases)
    {
        ASSERT_TRUE(::SetCurrentDirectory(strCurrent));
        m_edit.SetWindowText(c.strText);
        Browse([](HWND hDlg) { ::PostMessage(hDlg, WM_COMMAND, IDOK, 0); });
        const CString strChosen = EditText();
        EXPECT_TRUE(SamePath(c.strChosen, strChosen)) << CW2A(c.strText) << " gave " << CW2A(strChosen);
        EXPECT_EQ(CString(_T("\\")), strChosen.Right(1));
    }
}

TEST_F(BrowseDirEditTest, ChosenSubfolderEndsWithABackslash)
{
    m_edit.SetWindowText(m_temp.Path());
    Browse([](HWND hDlg) {
        const HWND hList = ::GetDlgItem(hDlg, IDC_FOLDER_LIST);
        const int nCount = static_cast<int>(::SendMessage(hList, LB_GETCOUNT, 0, 0));
        int nSub = -1;
        for (int i = 0; i < nCount && nSub < 0; ++i)
        {
            TCHAR szItem[MAX_PATH] = {};
            ::SendMessage(hList, LB_GETTEXT, i, reinterpret_cast<LPARAM>(szItem));
            if (CString(szItem).CompareNoCase(_T("[sub]")) == 0 || CString(szItem).CompareNoCase(_T("sub")) == 0)
                nSub = i;
        }
        ASSERT_LE(0, nSub) << "the folder list lacks sub";
        ::SendMessage(hList, LB_SETCURSEL, nSub, 0);
        ::SendMessage(hDlg, WM_COMMAND, MAKEWPARAM(IDC_FOLDER_LIST, LBN_DBLCLK), reinterpret_cast<LPARAM>(hList));
        EXPECT_TRUE(ItemText(hDlg, IDC_CURRENT_FOLDER).Right(3).CompareNoCase(_T("sub")) == 0)
            << CW2A(ItemText(hDlg, IDC_CURRENT_FOLDER));
        ::PostMessage(hDlg, WM_COMMAND, IDOK, 0);
    });
    EXPECT_TRUE(SamePath(m_temp.File(_T("sub\\")), EditText())) << CW2A(EditText());
}

TEST_F(BrowseDirEditTest, CancelLeavesTheText)
{
    const CString strText = m_temp.File(_T("sub"));
    m_edit.SetWindowText(strText);
    Browse([](HWND hDlg) { ::PostMessage(hDlg, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(strText, EditText());
}

// The label of the folder selected in a folder browser's tree.
CString SelectedFolder(HWND hDlg)
{
    const HWND hTree = ::FindWindowEx(hDlg, nullptr, WC_TREEVIEW, nullptr);
    const auto hItem = reinterpret_cast<HTREEITEM>(::SendMessage(hTree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    TCHAR szText[MAX_PATH] = {};
    TVITEM item{};
    item.mask = TVIF_TEXT;
    item.hItem = hItem;
    item.pszText = szText;
    item.cchTextMax = _countof(szText);
    if (hTree == nullptr || hItem == nullptr || !::SendMessage(hTree, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&item)))
        return CString();
    return szText;
}

TEST_F(BrowseDirEditTest, FolderBrowserModeAnswersTheSelectedFolder)
{
    for (const INT_PTR nAnswer : {IDOK, IDCANCEL})
    {
        SECDirSelectDlg dlg(0, _T("Pick a folder"), m_temp.File(_T("sub")), &Parent());
        ModalScript script({[&](ModalWindow& chooser) {
            // The folder tree is filled and the start folder selected as the shell gets to it.
            EXPECT_TRUE(PumpMessagesUntil([&] { return SelectedFolder(chooser.Handle()).CompareNoCase(_T("sub")) == 0; },
                                          10000));
            chooser.Press(static_cast<int>(nAnswer));
        }});
        EXPECT_EQ(nAnswer, dlg.DoModal());
        EXPECT_TRUE(script.Done());
        if (nAnswer == IDOK)
        {
            CString strPath;
            dlg.GetPath(strPath);
            EXPECT_TRUE(SamePath(m_temp.File(_T("sub\\")), strPath)) << CW2A(strPath);
        }
    }
}
} // namespace
