// The Workspace Manager dialog and its list editor, run modeless so that the test drives the
// editor; the message boxes they show are answered by a script.
#include <toolkit/foundation/ToolkitRes.h>
#include <toolkit/workspace/WsMgrDialog.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <testing/MessagePump.h>
#include <testing/ModalScript.h>

using tarnwick::workspace::SECListBoxEditor;
using tarnwick::workspace::SECWsMgrDialogEx;

namespace
{
std::wstring Str(const CString& text)
{
    return std::wstring(static_cast<LPCTSTR>(text));
}

std::vector<std::wstring> Items(const CStringList& list)
{
    std::vector<std::wstring> items;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        items.push_back(Str(list.GetNext(pos)));
    return items;
}

// Answers one message box with the button, keeping its text.
ModalScript::Action Answer(CString& text, int nButton)
{
    return [&text, nButton](ModalWindow& w) {
        text = w.Text();
        w.Press(nButton);
    };
}

class WorkspaceDialogTest : public ::testing::Test
{
protected:
    void Open(BOOL bOpen, BOOL bSave, LPCTSTR lpszCurrent = _T("Beta"))
    {
        for (LPCTSTR name : {_T("Alpha"), _T("Beta"), _T("Gamma")})
        {
            m_mru.AddTail(name);
            m_edited.AddTail(name);
        }
        m_current = lpszCurrent;
        m_pDialog = new SECWsMgrDialogEx(m_mru, m_edited, m_deleted, &m_current, bOpen, bSave, nullptr);
        ASSERT_TRUE(m_pDialog->Create(IDD_SEC_WORKSPACE, nullptr));
        m_pDialog->ShowWindow(SW_SHOW);
        PumpPendingMessages();
    }
    void TearDown() override
    {
        if (m_pDialog != nullptr)
        {
            m_pDialog->DestroyWindow();
            delete m_pDialog;
        }
    }
    SECListBoxEditor& Editor()
    {
        return m_pDialog->GetEditor();
    }
    CListBox& List()
    {
        return *Editor().GetListBox();
    }
    std::vector<std::wstring> ListItems()
    {
        std::vector<std::wstring> items;
        for (int i = 0; i < List().GetCount(); ++i)
        {
            CString text;
            List().GetText(i, text);
            items.push_back(Str(text));
        }
        return items;
    }
    // Types the text into the item as the in-place edit takes it, and ends the edit.
    void EditTo(int nIndex, LPCTSTR lpszText)
    {
        List().SetCurSel(nIndex);
        Editor().BeginEdit(0);
        ASSERT_NE(Editor().GetEdit(), nullptr);
        Editor().GetEdit()->SetWindowText(lpszText);
        Editor().GetEdit()->SendMessage(WM_KEYDOWN, VK_RETURN);
        PumpPendingMessages();
    }
    CString ItemText(int nID)
    {
        CString text;
        m_pDialog->GetDlgItemText(nID, text);
        return text;
    }

    CStringList m_mru, m_edited, m_deleted;
    CString m_current;
    SECWsMgrDialogEx* m_pDialog = nullptr;
};
} // namespace

TEST_F(WorkspaceDialogTest, TheHeaderSitsOverTheListWhichEndsWithAnEmptyItem)
{
    CRect rectTemplateList;
    {
        // The list box's place in the template, measured on a plain dialog of it.
        CDialog plain(IDD_SEC_WORKSPACE);
        ASSERT_TRUE(plain.Create(IDD_SEC_WORKSPACE, nullptr));
        plain.GetDlgItem(IDC_SEC_WS_LIST)->GetWindowRect(rectTemplateList);
        plain.ScreenToClient(rectTemplateList);
        plain.DestroyWindow();
    }
    Open(FALSE, TRUE);
    CString title;
    m_pDialog->GetWindowText(title);
    EXPECT_EQ(Str(title), L"Save Workspace");
    EXPECT_EQ(Str(ItemText(IDC_SEC_WS_ACTIVE)), L"Beta");
    EXPECT_FALSE(m_pDialog->GetDlgItem(IDC_SEC_WS_OPEN)->IsWindowEnabled());
    EXPECT_TRUE(m_pDialog->GetDlgItem(IDC_SEC_WS_SAVE)->IsWindowEnabled());
    EXPECT_EQ(ListItems(), (std::vector<std::wstring>{L"Alpha", L"Beta", L"Gamma", L""}));

    EXPECT_EQ(Editor().GetDlgCtrlID(), 32767);
    CString caption;
    Editor().GetWindowText(caption);
    EXPECT_EQ(Str(caption), L"Workspaces");
    CRect rectHeader;
    CRect rectList;
    Editor().GetWindowRect(rectHeader);
    List().GetWindowRect(rectList);
    m_pDialog->ScreenToClient(rectHeader);
    m_pDialog->ScreenToClient(rectList);
    CClientDC dc(m_pDialog);
    CFont* pOld = dc.SelectObject(m_pDialog->GetFont());
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    dc.SelectObject(pOld);
    const int cyBorder = ::GetSystemMetrics(SM_CYBORDER);
    EXPECT_EQ(rectHeader.Height(), std::max<int>(tm.tmHeight + 4 * cyBorder, 11 + 2));
    EXPECT_EQ(rectHeader.top, rectTemplateList.top);
    EXPECT_EQ(rectHeader.Width(), rectTemplateList.Width());
    EXPECT_EQ(rectList.top, rectHeader.bottom + 2 * cyBorder);
    EXPECT_EQ(rectList.bottom, rectTemplateList.bottom);
    for (int i = 0; i < SECListBoxEditor::buttonCount; ++i)
        EXPECT_TRUE(Editor().IsButtonShown(i)) << i;
    EXPECT_EQ(Editor().GetToolTips().GetToolCount(), 4);
    CString tip;
    Editor().GetToolTips().GetText(tip, &Editor(), IDS_SEC_LBEDIT_UP);
    EXPECT_EQ(Str(tip), L"Move Up (Alt+Up Arrow)");
}

TEST_F(WorkspaceDialogTest, OpeningShowsNoNewButtonNoEmptyItemAndNoneWithoutACurrentWorkspace)
{
    Open(TRUE, FALSE, _T(""));
    CString title;
    m_pDialog->GetWindowText(title);
    EXPECT_EQ(Str(title), L"Open Workspace");
    EXPECT_EQ(Str(ItemText(IDC_SEC_WS_ACTIVE)), L"<None>");
    EXPECT_TRUE(m_pDialog->GetDlgItem(IDC_SEC_WS_OPEN)->IsWindowEnabled());
    EXPECT_FALSE(m_pDialog->GetDlgItem(IDC_SEC_WS_SAVE)->IsWindowEnabled());
    EXPECT_FALSE(Editor().IsButtonShown(SECListBoxEditor::btnNew));
    EXPECT_EQ(ListItems(), (std::vector<std::wstring>{L"Alpha", L"Beta", L"Gamma"}));

    // "&Open" without a selection says so and stays.
    List().SetCurSel(-1);
    CString message;
    {
        ModalScript script({Answer(message, IDOK)});
        m_pDialog->SendMessage(WM_COMMAND, IDC_SEC_WS_OPEN);
        EXPECT_TRUE(script.Done());
    }
    EXPECT_EQ(Str(message), L"You must select an item for this operation");
    EXPECT_TRUE(m_pDialog->IsWindowVisible());
    EXPECT_EQ(Str(m_current), L"");

    // "&Done" keeps the current name; "&Open" with a selection chooses it.
    m_pDialog->SendMessage(WM_COMMAND, IDC_SEC_WS_DONE);
    EXPECT_EQ(Str(m_current), L"");
    List().SetCurSel(2);
    m_pDialog->SendMessage(WM_COMMAND, IDC_SEC_WS_OPEN);
    EXPECT_EQ(Str(m_current), L"Gamma");
}

TEST_F(WorkspaceDialogTest, ANewNameIsOfferedForSavingOrRemoved)
{
    Open(FALSE, TRUE);
    CString question;
    {
        ModalScript script({Answer(question, IDNO)});
        EditTo(3, _T("Delta"));
        EXPECT_TRUE(script.Done());
    }
    EXPECT_EQ(Str(question), L"Save new workspace 'Delta'?\n");
    EXPECT_EQ(ListItems(), (std::vector<std::wstring>{L"Alpha", L"Beta", L"Gamma", L""}));

    CString refusal;
    {
        ModalScript script({Answer(refusal, IDOK)});
        EditTo(3, _T("gamma"));
        EXPECT_TRUE(script.Done());
    }
    EXPECT_EQ(Str(refusal), L"Workspace 'gamma' already exists. Please enter a unique workspace name.");
    EXPECT_EQ(ListItems(), (std::vector<std::wstring>{L"Alpha", L"Beta", L"Gamma", L""}));

    {
        ModalScript script({Answer(refusal, IDOK)});
        EditTo(3, _T("a\\b"));
        EXPECT_TRUE(script.Done());
    }
    EXPECT_EQ(Str(refusal), L"Invalid workspace name.");

    {
        ModalScript script({Answer(question, IDYES)});
        EditTo(3, _T("Delta"));
        EXPECT_TRUE(script.Done());
    }
    EXPECT_EQ(Str(m_current), L"Delta");
    EXPECT_EQ(Items(m_edited), (std::vector<std::wstring>{L"Alpha", L"Beta", L"Gamma"}));
}

TEST_F(WorkspaceDialogTest, RenamesAreCheckedAndFollowedByTheLists)
{
    Open(FALSE, TRUE);
    CString message;
    struct Case
    {
        LPCTSTR lpszNew;
        LPCTSTR lpszMessage;
    };
    const Case refused[] = {
        {_T("Alpha"), _T("Workspace 'Alpha' already exists. Please enter a unique workspace name.")},
        {_T("ALPHA"), _T("Workspace 'ALPHA' already exists. Please enter a unique workspace name.")},
        {_T(""), _T("Invalid workspace name.")},
        {_T("x\\y"), _T("Invalid workspace name.")},
    };
    for (const Case& c : refused)
    {
        ModalScript script({Answer(message, IDOK)});
        EditTo(1, c.lpszNew);
        EXPECT_TRUE(script.Done()) << Str(c.lpszNew);
        EXPECT_EQ(Str(message), std::wstring(c.lpszMessage));
        EXPECT_EQ(ListItems()[1], L"Beta");
    }
    EXPECT_EQ(Items(m_edited), (std::vector<std::wstring>{L"Alpha", L"Beta", L"Gamma"}));

    EditTo(1, _T("beta"));
    EditTo(2, _T("Omega"));
    EXPECT_EQ(Items(m_edited), (std::vector<std::wstring>{L"Alpha", L"beta", L"Omega"}));
    EXPECT_EQ(Items(m_mru), (std::vector<std::wstring>{L"Alpha", L"Beta", L"Gamma"}));

    // Escape keeps the old text.
    List().SetCurSel(0);
    Editor().BeginEdit(0);
    Editor().GetEdit()->SetWindowText(_T("Changed"));
    Editor().GetEdit()->SendMessage(WM_KEYDOWN, VK_ESCAPE);
    PumpPendingMessages();
    EXPECT_EQ(ListItems()[0], L"Alpha");
    EXPECT_EQ(Editor().GetEdit(), nullptr);
}

TEST_F(WorkspaceDialogTest, MovesAndDeletesKeepTheListsInStep)
{
    Open(FALSE, TRUE);
    List().SetCurSel(0);
    EXPECT_FALSE(Editor().OnMoveUp());
    List().SetCurSel(2);
    EXPECT_FALSE(Editor().OnMoveDown());
    List().SetCurSel(3);
    EXPECT_FALSE(Editor().DeleteItem(3));
    EXPECT_EQ(List().GetCount(), 4);

    List().SetCurSel(0);
    ASSERT_TRUE(Editor().OnMoveDown());
    EXPECT_EQ(List().GetCurSel(), 1);
    EXPECT_EQ(Items(m_mru), (std::vector<std::wstring>{L"Beta", L"Alpha", L"Gamma"}));
    EXPECT_EQ(Items(m_edited), (std::vector<std::wstring>{L"Beta", L"Alpha", L"Gamma"}));

    // Renamed, then deleted: the stored name goes to the deleted list and both lists lose it.
    EditTo(1, _T("Renamed"));
    ASSERT_TRUE(Editor().DeleteItem(1));
    EXPECT_EQ(Items(m_deleted), (std::vector<std::wstring>{L"Alpha"}));
    EXPECT_EQ(Items(m_mru), (std::vector<std::wstring>{L"Beta", L"Gamma"}));
    EXPECT_EQ(Items(m_edited), (std::vector<std::wstring>{L"Beta", L"Gamma"}));
    List().SetCurSel(1);
    ASSERT_TRUE(Editor().OnMoveUp());
    EXPECT_EQ(Items(m_mru), (std::vector<std::wstring>{L"Gamma", L"Beta"}));
    EXPECT_EQ(ListItems(), (std::vector<std::wstring>{L"Gamma", L"Beta", L""}));
}

TEST(ListBoxEditorTest, KeysActOnlyWithTheirStyleBits)
{
    struct Result
    {
        bool bMoved, bDeleted, bNewEdit, bTypedEdit, bF2Edit;
    };
    auto run = [](DWORD dwStyle) {
        CDialog dialog(IDD_SEC_WORKSPACE);
        EXPECT_TRUE(dialog.Create(IDD_SEC_WORKSPACE, nullptr));
        auto* pList = static_cast<CListBox*>(dialog.GetDlgItem(IDC_SEC_WS_LIST));
        for (LPCTSTR name : {_T("A"), _T("B"), _T("C")})
            pList->AddString(name);
        Result result{};
        {
            SECListBoxEditor editor;
            EXPECT_TRUE(editor.Initialize(&dialog, IDC_SEC_WS_LIST, dwStyle));
            auto endEdit = [&]() {
                const bool bEditing = editor.GetEdit() != nullptr;
                if (bEditing)
                    editor.GetEdit()->SendMessage(WM_KEYDOWN, VK_ESCAPE);
                PumpPendingMessages();
                return bEditing;
            };
            pList->SetCurSel(0);
            pList->SendMessage(WM_SYSKEYDOWN, VK_DOWN, 1 << 29);
            CString text;
            pList->GetText(1, text);
            result.bMoved = text == _T("A");
            pList->SetCurSel(0);
            pList->SendMessage(WM_SYSKEYDOWN, VK_UP, 1 << 29);
            pList->SetCurSel(2);
            pList->SendMessage(WM_KEYDOWN, VK_DELETE);
            result.bDeleted = editor.GetRealCount() == 2;
            pList->SendMessage(WM_KEYDOWN, VK_INSERT);
            result.bNewEdit = endEdit();
            pList->SetCurSel(0);
            pList->SendMessage(WM_CHAR, 'Q');
            if (editor.GetEdit() != nullptr)
            {
                editor.GetEdit()->GetWindowText(text);
                EXPECT_EQ(Str(text), L"Q");
            }
            result.bTypedEdit = endEdit();
            pList->SetCurSel(0);
            pList->SendMessage(WM_KEYDOWN, VK_F2);
            result.bF2Edit = endEdit();
        }
        dialog.DestroyWindow();
        return result;
    };
    const Result all = run(0x1F | SECListBoxEditor::LBE_NEWBUTTON);
    EXPECT_TRUE(all.bMoved && all.bDeleted && all.bNewEdit && all.bTypedEdit && all.bF2Edit);
    const Result none = run(0);
    EXPECT_FALSE(none.bMoved || none.bDeleted || none.bNewEdit || none.bTypedEdit || none.bF2Edit);
    const Result saveStyle = run(SECWsMgrDialogEx::EDITOR_STYLE_SAVE);
    EXPECT_TRUE(saveStyle.bMoved && saveStyle.bDeleted && saveStyle.bNewEdit && saveStyle.bTypedEdit);
    EXPECT_FALSE(saveStyle.bF2Edit);
}

TEST_F(WorkspaceDialogTest, ADragMovesOnlyPastTheDragDistanceAndAfterTheDelay)
{
    Open(FALSE, TRUE);
    CRect rectFirst;
    CRect rectThird;
    List().GetItemRect(0, rectFirst);
    List().GetItemRect(2, rectThird);
    const CPoint press = rectFirst.CenterPoint();
    const CPoint below(rectThird.left + 5, rectThird.bottom - 2);
    // The press, the move and the release, lasting that long by the editor's clock.
    auto drag = [&](CPoint to, ULONGLONG ullLasting) {
        List().SetCurSel(0);
        List().PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
        List().PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
        bool bStarted = false;
        Editor().SetTickSource([bStarted, ullLasting]() mutable -> ULONGLONG {
            if (bStarted)
                return 1000 + ullLasting;
            bStarted = true;
            return 1000;
        });
        Editor().DragItem(0, press);
    };
    // Too short in time.
    drag(below, 100);
    EXPECT_EQ(ListItems()[0], L"Alpha");
    // Long enough, but within the drag distance.
    drag(press + CSize(1, 1), 400);
    EXPECT_EQ(ListItems()[0], L"Alpha");
    // Far and long enough: Alpha goes below Gamma, and the lists follow.
    drag(below, 400);
    EXPECT_EQ(ListItems(), (std::vector<std::wstring>{L"Beta", L"Gamma", L"Alpha", L""}));
    EXPECT_EQ(Items(m_edited), (std::vector<std::wstring>{L"Beta", L"Gamma", L"Alpha"}));
}
