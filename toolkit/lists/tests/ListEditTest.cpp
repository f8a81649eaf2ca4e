// In-place label editing on a hidden report-mode list and tree, with a parent that answers.
#include <toolkit/lists/ListCtrl.h>
#include <toolkit/lists/TreeCtrl.h>

#include <gtest/gtest.h>

#include "NotifyLog.h"
#include "SentInput.h"

using namespace tarnwick::lists;

namespace
{
class ListEditTest : public ::testing::Test
{
protected:
    CNotifyLog m_parent;
    SECListCtrl m_list;
    LRESULT m_nBeginAnswer = 0;
    LRESULT m_nEndAnswer = 1;
    CString m_strReplace; // what an accepting parent leaves in the buffer
    std::vector<BOOL> m_endHadText;

    void SetUp() override
    {
        m_parent.ShowWindow(SW_SHOWNA);
        m_parent.m_answer = [this](NMHDR* pHdr) -> LRESULT {
            if (pHdr->code == LVN_BEGINLABELEDITW)
                return m_nBeginAnswer;
            if (pHdr->code != LVN_ENDLABELEDITW)
                return 0;
            auto* pInfo = reinterpret_cast<NMLVDISPINFOW*>(pHdr);
            m_endHadText.push_back(pInfo->item.pszText != nullptr);
            if (pInfo->item.pszText != nullptr && !m_strReplace.IsEmpty())
                wcscpy_s(pInfo->item.pszText, pInfo->item.cchTextMax, m_strReplace);
            return m_nEndAnswer;
        };
        Create(0);
    }
    void Create(UINT nStyle)
    {
        if (m_list.GetSafeHwnd() != nullptr)
            m_list.DestroyWindow();
        ASSERT_TRUE(m_list.Create(nullptr, nullptr,
                                  WS_CHILD | WS_VISIBLE | LVS_SEC_REPORT | LVS_SEC_EDITLABELS | nStyle,
                                  CRect(0, 0, 300, 200), &m_parent, 100));
        m_list.AddColumn(L"Name", 0, 100);
        m_list.AddColumn(L"Size", 0, 80);
        for (const wchar_t* psz : {L"alpha", L"beta", L"gamma"})
            m_list.InsertItemText(m_list.GetItemCount(), psz);
        LVITEMW cell = {};
        cell.mask = LVIF_TEXT | LVIF_DI_SETITEM;
        cell.iSubItem = 1;
        cell.pszText = const_cast<LPWSTR>(L"12");
        m_list.SetItem(&cell);
        m_list.RecalcLayout();
    }
    void TearDown() override
    {
        m_list.DestroyWindow();
    }
    CEdit* Editor()
    {
        CEdit* pEdit = m_list.GetEditControl();
        return pEdit->GetSafeHwnd() != nullptr ? pEdit : nullptr;
    }
    CString EditorText()
    {
        CString str;
        Editor()->GetWindowText(str);
        return str;
    }
    // Replaces the editor's selection as typing or pasting would.
    void Type(LPCWSTR psz)
    {
        Editor()->SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(psz));
    }
};

TEST_F(ListEditTest, BeginAnswerOneVetoesAndTwoStarts)
{
    m_nBeginAnswer = 1;
    EXPECT_FALSE(m_list.EditLabel(0, 0));
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_EQ(m_list.GetItemText(0, 0), L"alpha");
    m_nBeginAnswer = 2;
    EXPECT_TRUE(m_list.EditLabel(0, 0));
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->GetDlgCtrlID(), 1);
    EXPECT_TRUE(Editor()->IsWindowVisible());
}

TEST_F(ListEditTest, EditorStyleFollowsLabelWrap)
{
    struct Case
    {
        UINT nListStyle;
        DWORD dwEditStyle;
    } cases[] = {{0, 0x40800044}, {LVS_SEC_NOLABELWRAP, 0x40801084}};
    for (const Case& c : cases)
    {
        Create(c.nListStyle);
        ASSERT_TRUE(m_list.EditLabel(1, 0));
        // The edit control draws its border itself and drops the bit from its style.
        EXPECT_EQ((Editor()->GetStyle() & ~WS_VISIBLE) | WS_BORDER, c.dwEditStyle) << c.nListStyle;
        m_list.EndLabelEdit(FALSE);
    }
}

TEST_F(ListEditTest, EditorCoversTheWidenedLabelInTheItemFontAllSelected)
{
    CRect label;
    ASSERT_TRUE(m_list.GetCellRect(1, 0, label, 2));
    ASSERT_TRUE(m_list.EditLabel(1, 0));
    CRect rect;
    Editor()->GetWindowRect(&rect);
    m_list.ScreenToClient(&rect);
    CRect inside;
    m_list.GetInsideRect(inside);
    EXPECT_EQ(rect.left, std::max<LONG>(label.left - 4, 0));
    EXPECT_EQ(rect.top, label.top - 1);
    EXPECT_EQ(rect.bottom, label.bottom + 1);
    EXPECT_EQ(rect.right, std::min<LONG>(label.right + 10, inside.right));
    EXPECT_EQ(reinterpret_cast<HFONT>(Editor()->SendMessage(WM_GETFONT)), m_list.GetItemFont());
    EXPECT_EQ(EditorText(), L"beta");
    EXPECT_EQ(Editor()->GetSel(), MAKELONG(0, 4));
}

TEST_F(ListEditTest, TypingChangesTextAndHeightLiveAndEscRestores)
{
    const int cyBefore = m_list.GetRowPitch(0);
    ASSERT_TRUE(m_list.EditLabel(0, 0));
    Type(L"one two three four five six seven eight nine ten");
    EXPECT_EQ(m_list.GetItemText(0, 0), L"one two three four five six seven eight nine ten");
    EXPECT_GT(m_list.GetRowPitch(0), cyBefore); // the label wraps in its 100-pixel column
    SendKey(*Editor(), VK_ESCAPE);
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_EQ(m_list.GetItemText(0, 0), L"alpha");
    EXPECT_EQ(m_list.GetRowPitch(0), cyBefore);
    ASSERT_EQ(m_endHadText.size(), 1u);
    EXPECT_FALSE(m_endHadText[0]);
}

TEST_F(ListEditTest, EnterBreaksWrappingLabelsAndCommitsOthers)
{
    ASSERT_TRUE(m_list.EditLabel(0, 0));
    SendKey(*Editor(), VK_RETURN);
    EXPECT_NE(Editor(), nullptr);
    m_list.EndLabelEdit(FALSE);

    Create(LVS_SEC_NOLABELWRAP);
    ASSERT_TRUE(m_list.EditLabel(0, 0));
    Type(L"omega");
    SendKey(*Editor(), VK_RETURN);
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_EQ(m_list.GetItemText(0, 0), L"omega");
}

TEST_F(ListEditTest, ParentAnswerDecidesTheText)
{
    ASSERT_TRUE(m_list.EditLabel(0, 0));
    Type(L"typed");
    m_strReplace = L"changed by parent";
    EXPECT_TRUE(m_list.EndLabelEdit(TRUE));
    EXPECT_EQ(m_list.GetItemText(0, 0), L"changed by parent");

    m_strReplace.Empty();
    m_nEndAnswer = 0;
    ASSERT_TRUE(m_list.EditLabel(0, 0));
    Type(L"refused");
    EXPECT_TRUE(m_list.EndLabelEdit(TRUE));
    EXPECT_EQ(m_list.GetItemText(0, 0), L"changed by parent");
    EXPECT_FALSE(m_list.EndLabelEdit(TRUE)); // none open
}

TEST_F(ListEditTest, ScrollingColumnInsertionAndNewEditCommit)
{
    ASSERT_TRUE(m_list.EditLabel(0, 0));
    Type(L"scrolled");
    m_list.SendMessage(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_EQ(m_list.GetItemText(0, 0), L"scrolled");
    m_list.SendMessage(WM_VSCROLL, SB_TOP);

    ASSERT_TRUE(m_list.EditLabel(1, 0));
    Type(L"inserted");
    m_list.InsertColumn(1, L"New", 0, 40, 2, -1);
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_EQ(m_list.GetItemText(1, 0), L"inserted");

    ASSERT_TRUE(m_list.EditLabel(2, 0));
    Type(L"first");
    ASSERT_TRUE(m_list.EditLabel(0, 0));
    EXPECT_EQ(m_list.GetItemText(2, 0), L"first");
    EXPECT_EQ(EditorText(), L"scrolled");
}

TEST_F(ListEditTest, LongPasteKeepsTheBufferLimit)
{
    ASSERT_TRUE(m_list.EditLabel(0, 0));
    const CString strLong(L'x', 3000);
    Type(strLong);
    EXPECT_EQ(EditorText().GetLength(), 2047);
    ASSERT_TRUE(m_list.EndLabelEdit(TRUE));
    EXPECT_EQ(m_list.GetItemText(0, 0).GetLength(), 2047);
}

TEST_F(ListEditTest, SubItemEditStoresTheSubItemText)
{
    ASSERT_TRUE(m_list.EditLabel(0, 1));
    EXPECT_EQ(EditorText(), L"12");
    Type(L"34");
    ASSERT_TRUE(m_list.EndLabelEdit(TRUE));
    EXPECT_EQ(m_list.GetItemText(0, 1), L"34");
    EXPECT_EQ(m_list.GetItemText(0, 0), L"alpha");
}

TEST_F(ListEditTest, F2AndASlowSecondClickStart)
{
    m_list.SetFocus();
    m_list.SelectItem(1, TRUE);
    m_list.FocusItem(1);
    SendKey(m_list, VK_F2);
    ASSERT_NE(Editor(), nullptr);
    m_list.EndLabelEdit(FALSE);

    CRect label;
    ASSERT_TRUE(m_list.GetCellRect(1, 0, label, 2));
    SendClick(m_list, label.CenterPoint()); // selects: arms the edit
    SendClick(m_list, label.CenterPoint()); // the second click starts the delay
    EXPECT_EQ(Editor(), nullptr);
    m_list.SendMessage(WM_TIMER, LIST_TIMER_EDIT);
    EXPECT_NE(Editor(), nullptr);
}

class TreeEditTest : public ::testing::Test
{
protected:
    CNotifyLog m_parent;
    SECTreeCtrl m_tree;
    std::vector<UINT> m_codes;

    void SetUp() override
    {
        m_parent.ShowWindow(SW_SHOWNA);
        ASSERT_TRUE(m_tree.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | TVS_EDITLABELS, CRect(0, 0, 300, 200),
                                  &m_parent, 77));
        m_tree.EnableSubItemTextStorage(TRUE);
        m_tree.InsertColumn(1, L"Extra", 0, 80, 1, -1);
        m_parent.m_answer = [](NMHDR* pHdr) -> LRESULT { return pHdr->code == TVN_ENDLABELEDITW ||
                                                                 pHdr->code == LVN_ENDLABELEDITW; };
    }
    void TearDown() override
    {
        m_tree.DestroyWindow();
    }
};

TEST_F(TreeEditTest, LabelEditsSendTreeNotificationsAndTheRegisteredMessage)
{
    const HTREEITEM hItem = m_tree.InsertItem(L"root");
    m_tree.RecalcLayout();
    m_parent.m_codes.clear();
    ASSERT_TRUE(m_tree.EditLabel(0, 0));
    m_tree.GetEditControl()->SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"renamed"));
    ASSERT_TRUE(m_tree.EndLabelEdit(TRUE));
    EXPECT_EQ(m_tree.GetItemText(hItem), L"renamed");
    EXPECT_NE(std::find(m_parent.m_codes.begin(), m_parent.m_codes.end(), UINT(TVN_BEGINLABELEDITW)),
              m_parent.m_codes.end());
    EXPECT_NE(std::find(m_parent.m_codes.begin(), m_parent.m_codes.end(), UINT(TVN_ENDLABELEDITW)),
              m_parent.m_codes.end());
    ASSERT_EQ(m_parent.m_registered.size(), 1u);
    EXPECT_EQ(m_parent.m_registered[0].first, 77u);
    EXPECT_EQ(m_parent.m_registered[0].second, reinterpret_cast<LPARAM>(hItem));

    // A refused edit and a column-1 edit send no registered message.
    m_parent.m_answer = [](NMHDR* pHdr) -> LRESULT { return pHdr->code == LVN_ENDLABELEDITW; };
    ASSERT_TRUE(m_tree.EditLabel(0, 0));
    ASSERT_TRUE(m_tree.EndLabelEdit(TRUE));
    ASSERT_TRUE(m_tree.EditLabel(0, 1));
    m_tree.GetEditControl()->SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"x"));
    ASSERT_TRUE(m_tree.EndLabelEdit(TRUE));
    EXPECT_EQ(m_tree.GetItemText(hItem, 1), L"x"); // into the text store
    EXPECT_EQ(m_parent.m_registered.size(), 1u);
}
} // namespace
