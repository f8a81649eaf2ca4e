// The list core's model on hidden windows: items, focus, selection, columns and the
// notifications a logging parent receives.
#include <toolkit/foundation/ToolkitRes.h>
#include <toolkit/lists/ListCtrl.h>
#include <toolkit/lists/TreeBaseC.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "NotifyLog.h"

using tarnwick::lists::SECListColumn;
using tarnwick::lists::SECListCtrl;
using tarnwick::lists::LVS_SEC_NOLABELWRAP;
using tarnwick::lists::LVS_SEC_REPORT;
using tarnwick::lists::LVXS_HORZGRID;
using tarnwick::lists::LVXS_VERTGRID;

namespace
{
class ListModelTest : public ::testing::Test
{
protected:
    CNotifyLog m_parent;
    SECListCtrl m_list;

    void SetUp() override
    {
        ASSERT_TRUE(m_list.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 200, 200), &m_parent, 100));
    }
    void TearDown() override
    {
        m_list.DestroyWindow();
    }
    void Fill(std::initializer_list<const wchar_t*> texts)
    {
        for (const wchar_t* psz : texts)
            m_list.InsertItemText(m_list.GetItemCount(), psz);
    }
    std::vector<int> Selection() const
    {
        std::vector<int> sel;
        for (int i = m_list.GetNextItem(-1, LVNI_SELECTED); i != -1; i = m_list.GetNextItem(i, LVNI_SELECTED))
            sel.push_back(i);
        return sel;
    }
};

TEST_F(ListModelTest, OutsideReportModeOneHeaderlessColumnInReportModeNone)
{
    EXPECT_TRUE(m_list.HasListStyle(0x4000));
    ASSERT_EQ(m_list.GetColumnCount(), 1);
    EXPECT_EQ(m_list.GetColumnWidth(0), 20);
    EXPECT_EQ(m_list.GetColumnHeading(0), L"");

    SECListCtrl report;
    ASSERT_TRUE(report.Create(nullptr, nullptr, WS_CHILD | 0x0001 | 0x0004, CRect(0, 0, 100, 100), &m_parent, 101));
    EXPECT_EQ(report.GetColumnCount(), 0);
    EXPECT_FALSE(report.HasListStyle(0x4000));
    // The list bits moved from the window style into the list style.
    EXPECT_EQ(report.GetListStyle(), 0x0005u);
    EXPECT_EQ(report.GetStyle() & 0xf3ff, 0u);
    report.DestroyWindow();
}

TEST_F(ListModelTest, FirstInsertTakesFocusAndSelection)
{
    EXPECT_EQ(m_list.GetFocusItem(), -1);
    Fill({L"a"});
    EXPECT_EQ(m_list.GetFocusItem(), 0);
    EXPECT_EQ(Selection(), std::vector<int>{0});
}

TEST_F(ListModelTest, InsertingBeforeTheFocusMovesFocusAndLaterSelectionsUp)
{
    Fill({L"a", L"b", L"c", L"d"});
    m_list.SelectItem(2, TRUE);
    m_list.SetItemSelected(0, TRUE);
    m_list.SetItemSelected(3, TRUE);
    m_list.InsertItemText(1, L"new");
    EXPECT_EQ(m_list.GetFocusItem(), 3);
    EXPECT_EQ(Selection(), (std::vector<int>{0, 3, 4}));
    EXPECT_EQ(m_list.GetItemText(3, 0), L"c");
}

TEST_F(ListModelTest, DeletingTheFocusedLastItemMovesTheFocusBackAndSelectsIt)
{
    Fill({L"a", L"b", L"c"});
    m_list.SelectItem(2, TRUE);
    m_list.SetItemSelected(0, FALSE);
    ASSERT_TRUE(m_list.DeleteItem(2, 1));
    EXPECT_EQ(m_list.GetFocusItem(), 1);
    // Every selected item went: the focused one is selected.
    EXPECT_EQ(Selection(), std::vector<int>{1});
}

TEST_F(ListModelTest, DeletingSelectedItemsSelectsTheFocusedOne)
{
    Fill({L"a", L"b", L"c", L"d"});
    m_list.FocusItem(0);
    m_list.SetItemSelected(0, FALSE);
    m_list.SetItemSelected(2, TRUE);
    m_list.SetItemSelected(3, TRUE);
    ASSERT_TRUE(m_list.DeleteItem(2, 2));
    EXPECT_EQ(m_list.GetItemCount(), 2);
    EXPECT_EQ(Selection(), std::vector<int>{0});
    // A run before later selections moves them back.
    Fill({L"e", L"f"});
    m_list.SetItemSelected(3, TRUE);
    ASSERT_TRUE(m_list.DeleteItem(1, 2));
    EXPECT_EQ(Selection(), (std::vector<int>{0, 1}));
    EXPECT_EQ(m_list.GetItemText(1, 0), L"f");
}

TEST_F(ListModelTest, RangesAreClampedAndNotifiedOncePerCall)
{
    Fill({L"a", L"b", L"c"});
    // An index past the end appends; one before the start inserts first.
    EXPECT_EQ(m_list.InsertItemText(99, L"z"), 3);
    EXPECT_EQ(m_list.InsertItemText(-5, L"first"), 0);
    EXPECT_EQ(m_list.GetItemText(4, 0), L"z");
    m_parent.m_codes.clear();
    EXPECT_TRUE(m_list.DeleteItem(2, 100));
    EXPECT_EQ(m_list.GetItemCount(), 2);
    EXPECT_EQ(m_parent.m_deletedRows, std::vector<int>{2});
    EXPECT_EQ(m_parent.m_codes, std::vector<UINT>{LVN_DELETEITEM});
    EXPECT_FALSE(m_list.DeleteItem(2, 1));
    EXPECT_FALSE(m_list.DeleteItem(-1, 1));
    EXPECT_EQ(m_parent.m_codes.size(), 1u);
}

TEST_F(ListModelTest, NoParentAndNoOwnerGetsNoNotification)
{
    SECListCtrl list;
    ASSERT_TRUE(list.CreateFromRect(WS_POPUP, 0, CRect(0, 0, 50, 50), nullptr, 0));
    list.InsertItemText(0, L"a");
    EXPECT_TRUE(list.DeleteItem(0, 1));
    list.DestroyWindow();
    // An owner window takes the notifications instead of the parent.
    CNotifyLog owner;
    Fill({L"a"});
    m_list.SetOwnerData(&owner);
    m_list.DeleteItem(0, 1);
    EXPECT_EQ(owner.m_codes, std::vector<UINT>{LVN_DELETEITEM});
    EXPECT_TRUE(m_parent.m_codes.empty());
}

TEST_F(ListModelTest, ColumnInsertionAssignsSubItemsAndKeepsCellsWithTheirColumns)
{
    m_list.AddColumn(L"B", LVCFMT_RIGHT, -1);
    Fill({L"x"});
    LVITEMW cell = {};
    cell.mask = LVIF_TEXT | LVIF_DI_SETITEM;
    cell.iSubItem = 1;
    cell.pszText = const_cast<LPWSTR>(L"b-cell");
    ASSERT_TRUE(m_list.SetItem(&cell));
    EXPECT_EQ(m_list.GetColumnWidth(1), 10); // width -1 becomes 10
    // A column between existing ones: one blank sub-item per item, later columns renumbered.
    m_list.InsertColumn(1, L"M", 0, 40, 0, -1);
    EXPECT_EQ(m_list.GetColumn(1)->iSubItem, 1);
    EXPECT_EQ(m_list.GetColumn(2)->iSubItem, 2);
    EXPECT_EQ(m_list.GetItemAt(0)->m_subItems.GetSize(), 2);
    EXPECT_STREQ(m_list.GetItemText(0, 1), L"");
    EXPECT_STREQ(m_list.GetItemText(0, 2), L"b-cell");
    EXPECT_EQ(m_list.GetColumnLeft(2), 60);
    EXPECT_EQ(m_list.GetColumnRight(2), 70);
    int nIndex = -1;
    int nSubItem = -1;
    EXPECT_TRUE(m_list.FindColumn(L"B", nIndex, nSubItem));
    EXPECT_EQ(nIndex, 2);
    EXPECT_EQ(nSubItem, 2);
    EXPECT_FALSE(m_list.HasColumn(L"b"));

    // At position 0 format and sub-item are forced to 0.
    SECListCtrl report;
    ASSERT_TRUE(report.Create(nullptr, nullptr, WS_CHILD | 0x0001, CRect(0, 0, 100, 100), &m_parent, 101));
    report.InsertColumn(0, L"A", LVCFMT_CENTER, 30, 5, -1);
    EXPECT_EQ(report.GetColumnFormat(0), 0);
    EXPECT_EQ(report.GetColumn(0)->iSubItem, 0);
    EXPECT_EQ(report.GetSubItemColumnCount(), 0);
    report.DestroyWindow();
}

TEST_F(ListModelTest, DeleteColumnRenumbersAndTheLastOneTakesTheItems)
{
    m_list.AddColumn(L"B", 0, 30);
    m_list.AddColumn(L"C", 0, 40);
    Fill({L"x", L"y"});
    LVITEMW cell = {};
    cell.mask = LVIF_TEXT | LVIF_DI_SETITEM;
    cell.iSubItem = 2;
    cell.pszText = const_cast<LPWSTR>(L"c-cell");
    ASSERT_TRUE(m_list.SetItem(&cell));
    EXPECT_FALSE(m_list.DeleteColumn(0)); // not while others exist
    ASSERT_TRUE(m_list.DeleteColumn(1));
    EXPECT_EQ(m_list.GetColumn(1)->iSubItem, 1);
    EXPECT_STREQ(m_list.GetItemText(0, 1), L"c-cell");
    EXPECT_EQ(m_list.GetColumnWidth(0), 50); // the main column takes the width
    ASSERT_TRUE(m_list.DeleteColumn(1));
    EXPECT_EQ(m_list.GetItemCount(), 2);
    ASSERT_TRUE(m_list.DeleteColumn(0));
    EXPECT_EQ(m_list.GetColumnCount(), 0);
    EXPECT_EQ(m_list.GetItemCount(), 0);
}

TEST_F(ListModelTest, GetNextItemDirectionsAndFilters)
{
    Fill({L"a", L"b", L"c", L"d"});
    m_list.SetItemSelected(2, TRUE); // 0 was selected by the first insert
    m_list.SetDropHilite(3);
    m_list.SetItemStateByIndex(1, LVIS_CUT, LVIS_CUT);
    struct Case
    {
        int start;
        UINT flags;
        int expected;
    };
    const Case cases[] = {
        {1, LVNI_ALL, 2},
        {3, LVNI_ALL, -1},
        {0, LVNI_ABOVE, -1},
        {2, LVNI_TOLEFT, 1},
        {-1, LVNI_SELECTED, 0},
        {0, LVNI_SELECTED | LVNI_BELOW, 2},
        {3, LVNI_SELECTED | LVNI_ABOVE, 2},
        {-1, LVNI_FOCUSED, 0},
        {-1, LVNI_DROPHILITED, 3},
        {-1, LVNI_CUT, 1},
        {0, LVNI_TORIGHT, 1},
        {0, 0x1000, -1}, // no known direction
    };
    for (const Case& c : cases)
        EXPECT_EQ(m_list.GetNextItem(c.start, c.flags), c.expected) << c.start << " " << std::hex << c.flags;
}

TEST_F(ListModelTest, FindItemPrefix)
{
    Fill({L"ABC", L"xyz", L"abd", L"\u00c4rger"});
    struct Case
    {
        int start;
        const wchar_t* prefix;
        int expected;
    };
    const Case cases[] = {
        {0, L"ab", 0},      // the start item itself
        {1, L"ab", 2},      // the next match, any case
        {3, L"abc", 0},     // wraps past the last item
        {0, L"q", -1},      // no match
        {-1, L"xy", 1},     // a start of -1 counts as the first and ends
        {42, L"ab", 0},     // so does one past the items
        {0, L"\u00e4r", 3}, // non-ASCII letters fold too
    };
    for (const Case& c : cases)
        EXPECT_EQ(m_list.FindItemPrefix(c.start, c.prefix), c.expected) << c.start;
}

TEST_F(ListModelTest, CopiesAreAlwaysTerminated)
{
    Fill({L"abcdef"});
    m_list.SetColumnHeading(0, L"Heading");
    wchar_t buffer[8];
    struct Case
    {
        int cch;
        const wchar_t* expected;
    };
    for (const Case& c : {Case{4, L"abc"}, Case{1, L""}, Case{8, L"abcdef"}})
    {
        wmemset(buffer, L'#', 8);
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.pszText = buffer;
        item.cchTextMax = c.cch;
        ASSERT_TRUE(m_list.GetItem(&item));
        EXPECT_STREQ(buffer, c.expected);

        wmemset(buffer, L'#', 8);
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT;
        column.pszText = buffer;
        column.cchTextMax = c.cch;
        ASSERT_TRUE(m_list.GetColumnByLV(0, &column));
        EXPECT_EQ(std::wstring(buffer), std::wstring(L"Heading").substr(0, c.cch - 1));
    }
    // A size of 0 writes nothing.
    wmemset(buffer, L'#', 8);
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.pszText = buffer;
    ASSERT_TRUE(m_list.GetItem(&item));
    EXPECT_EQ(buffer[0], L'#');
}

TEST_F(ListModelTest, CallbackTextStaysUnlessTheCallerStoresIt)
{
    m_list.InsertItemText(0, LPSTR_TEXTCALLBACKW);
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    ASSERT_TRUE(m_list.GetItem(&item, FALSE, FALSE));
    EXPECT_EQ(item.pszText, LPSTR_TEXTCALLBACKW);

    m_list.SetItemText(0, 0, L"text");
    ASSERT_TRUE(m_list.GetItem(&item, FALSE, FALSE));
    EXPECT_EQ(item.pszText, LPSTR_TEXTCALLBACKW);

    item.mask = LVIF_TEXT | LVIF_DI_SETITEM;
    item.pszText = const_cast<LPWSTR>(L"stored");
    m_list.SetItem(&item);
    EXPECT_EQ(m_list.GetItemText(0, 0), L"stored");
}

TEST_F(ListModelTest, SingleSelectionKeepsOneAndImageListsOutsideTheRange)
{
    m_list.SetMultiSelect(FALSE);
    Fill({L"a", L"b", L"c"});
    m_list.SetItemSelected(2, TRUE);
    EXPECT_EQ(Selection(), std::vector<int>{2});
    m_list.SetMultiSelect(TRUE);
    m_list.SelectRange(2, 0, TRUE);
    EXPECT_EQ(m_list.GetSelectedCount(), 3);
    m_list.SetMultiSelect(FALSE);
    EXPECT_EQ(m_list.GetSelectedCount(), 0);

    EXPECT_EQ(m_list.GetImageList(4), nullptr);
    EXPECT_EQ(m_list.GetImageList(-1), nullptr);
    CImageList first;
    CImageList second;
    first.Create(16, 16, ILC_COLOR32, 1, 1);
    second.Create(16, 16, ILC_COLOR32, 1, 1);
    m_list.ModifyListStyle(0, 0x40);
    EXPECT_EQ(m_list.SetImageList(&first, 1), nullptr);
    EXPECT_EQ(m_list.SetImageList(&second, 1), &first);
    EXPECT_EQ(m_list.GetImageList(1), &second);
    EXPECT_NE(first.GetSafeHandle(), nullptr);
    EXPECT_EQ(m_list.SetImageList(&first, 4), nullptr);
}

TEST_F(ListModelTest, InsideRectLeavesRoomForHeaderAndBars)
{
    SECListCtrl report;
    ASSERT_TRUE(report.Create(nullptr, nullptr, WS_CHILD | 0x0001, CRect(0, 0, 200, 150), &m_parent, 101));
    const int cxBar = ::GetSystemMetrics(SM_CXVSCROLL);
    const int cyBar = ::GetSystemMetrics(SM_CYHSCROLL);
    CRect inside;
    report.GetInsideRect(inside);
    EXPECT_EQ(inside, CRect(0, 20, 200, 151));
    report.ShowScrollBar(SB_BOTH, TRUE);
    report.GetInsideRect(inside);
    EXPECT_EQ(inside, CRect(0, 20, 200 - cxBar + 1, 151 - cyBar + 1));
    // The bars sit along the inside rectangle; the vertical one beside the header too.
    CRect bar;
    report.GetScrollBarCtrl(SB_VERT)->GetWindowRect(&bar);
    report.ScreenToClient(&bar);
    EXPECT_EQ(bar, CRect(inside.right, 0, inside.right + cxBar, inside.Height() + 1 + 20));
    report.GetScrollBarCtrl(SB_HORZ)->GetWindowRect(&bar);
    report.ScreenToClient(&bar);
    EXPECT_EQ(bar, CRect(0, inside.bottom - 1, inside.Width() + 1, inside.bottom - 1 + cyBar));
    // A style change lays the empty list out again: nothing to scroll, no bars. Without the
    // header, and with style 0x2000 no bar shows whatever is asked.
    report.SetHeaderFlags(FALSE, FALSE);
    report.ModifyListStyle(0, 0x2000);
    report.ShowScrollBar(SB_VERT, TRUE);
    report.GetInsideRect(inside);
    EXPECT_EQ(inside, CRect(0, 0, 200, 151));
    EXPECT_FALSE(report.GetScrollBarCtrl(SB_VERT)->IsWindowVisible() && report.IsWindowVisible());
    report.DestroyWindow();
}

TEST_F(ListModelTest, ColumnsFitTheInsideWidth)
{
    // One column follows the window's width.
    Fill({L"a"});
    m_list.MoveWindow(0, 0, 150, 100);
    EXPECT_EQ(m_list.GetColumnWidth(0), 150);

    // With the fit bit, too narrow a window gives the main column 20 and scales the others.
    m_list.AddColumn(L"B", 0, 100);
    m_list.AddColumn(L"C", 0, 300);
    m_list.MoveWindow(0, 0, 220, 100);
    EXPECT_EQ(m_list.GetColumnWidth(0), 150); // no fitting yet
    m_list.ModifyListStyleEx(0, 0x4000000);   // fits at once
    EXPECT_EQ(m_list.GetColumnWidth(0), 20);
    EXPECT_EQ(m_list.GetColumnWidth(1), 50);  // 100 / 400 of 200
    EXPECT_EQ(m_list.GetColumnWidth(2), 150); // the rest
    // Wide enough: the main column takes what the others leave.
    m_list.MoveWindow(0, 0, 500, 100);
    EXPECT_EQ(m_list.GetColumnWidth(0), 300);
}

TEST_F(ListModelTest, LabelEditorBelongsToTheList)
{
    ASSERT_NE(m_list.GetEditControl(), nullptr);
    EXPECT_EQ(m_list.GetEditControl()->GetOwner(), static_cast<tarnwick::lists::SECListClient*>(&m_list));
    EXPECT_EQ(m_list.GetEditControl()->GetSafeHwnd(), nullptr);
}

TEST(ListResourcesTest, DragCursorIsLinked)
{
    EXPECT_NE(::LoadCursorW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_SEC_LIST_CURSOR)),
              nullptr);
}
} // namespace

namespace
{
// Reads the edited text it is handed and replaces it with its own.
class CEditOwner : public CNotifyLog
{
public:
    size_t m_nLength = 0;
    int m_cchTextMax = 0;
    BOOL m_bNullText = FALSE;

protected:
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) override
    {
        const auto* pHdr = reinterpret_cast<const NMHDR*>(lParam);
        if (pHdr->code != LVN_ENDLABELEDITW && pHdr->code != TVN_ENDLABELEDITW)
            return FALSE;
        LPWSTR pszText = pHdr->code == LVN_ENDLABELEDITW ? reinterpret_cast<NMLVDISPINFOW*>(lParam)->item.pszText
                                                         : reinterpret_cast<NMTVDISPINFOW*>(lParam)->item.pszText;
        m_cchTextMax = pHdr->code == LVN_ENDLABELEDITW ? reinterpret_cast<NMLVDISPINFOW*>(lParam)->item.cchTextMax
                                                       : reinterpret_cast<NMTVDISPINFOW*>(lParam)->item.cchTextMax;
        m_bNullText = pszText == nullptr;
        if (pszText != nullptr)
        {
            m_nLength = wcsnlen(pszText, 4096);
            wcscpy(pszText, L"owner's");
        }
        *pResult = 1;
        return TRUE;
    }
};
} // namespace

TEST(LabelEditNotifyTest, TheOwnersBufferHoldsAtMost2047CharactersAndAlwaysEnds)
{
    CEditOwner owner;
    SECListCtrl list;
    ASSERT_TRUE(list.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 100, 100), &owner, 1));
    list.InsertItemText(0, L"a");
    tarnwick::lists::SECTreeBaseC tree;
    ASSERT_TRUE(tree.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 100, 100), &owner, 2));
    tree.InsertItem(L"a");
    for (tarnwick::lists::SECListBaseC* pList :
         {static_cast<tarnwick::lists::SECListBaseC*>(&list), static_cast<tarnwick::lists::SECListBaseC*>(&tree)})
    {
        CString strText(L'x', 3000);
        EXPECT_TRUE(pList->NotifyEndLabelEdit(0, 0, strText, TRUE));
        EXPECT_EQ(owner.m_nLength, 2047u);
        EXPECT_EQ(owner.m_cchTextMax, 2048);
        EXPECT_EQ(strText, L"owner's");
        // A cancel hands no text, and the answer changes nothing.
        strText = L"kept";
        EXPECT_FALSE(pList->NotifyEndLabelEdit(0, 0, strText, FALSE));
        EXPECT_TRUE(owner.m_bNullText);
        EXPECT_EQ(strText, L"kept");
    }
    tree.DestroyWindow();
    list.DestroyWindow();
}

TEST_F(ListModelTest, NamedAccessorsAndSubItemClearing)
{
    m_list.AddColumn(L"B", 0, 30);
    m_list.AddColumn(L"C", 0, 30);
    m_list.AddColumn(L"D", 0, 30);
    Fill({L"x", L"y"});
    for (int nSubItem = 1; nSubItem <= 3; nSubItem++)
        ASSERT_TRUE(m_list.SetItemFields(1, nSubItem, LVIF_TEXT | LVIF_DI_SETITEM, L"t", 0, 0, 0, 0));
    EXPECT_STREQ(m_list.GetItemText(1, 3), L"t");
    EXPECT_TRUE(m_list.DeleteAllSubItems(m_list.GetItemAt(1)));
    EXPECT_EQ(m_list.GetItemAt(1)->m_subItems.GetSize(), 0);
    EXPECT_TRUE(m_list.DeleteAllSubItems(m_list.GetItemAt(1)));
    for (int nSubItem = 1; nSubItem <= 3; nSubItem++)
        EXPECT_STREQ(m_list.GetItemText(1, nSubItem), L"") << nSubItem;
    EXPECT_STREQ(m_list.GetItemText(1, 0), L"y");

    EXPECT_TRUE(m_list.SetSelTextColor(RGB(1, 2, 3)));
    EXPECT_TRUE(m_list.SetGrayTextColor(RGB(4, 5, 6)));
    EXPECT_TRUE(m_list.SetInactiveBkColor(RGB(7, 8, 9)));
    EXPECT_TRUE(m_list.SetTipBkColor(RGB(10, 11, 12)));
    EXPECT_EQ(m_list.GetSelTextColor(), RGB(1, 2, 3));
    EXPECT_EQ(m_list.GetGrayTextColor(), RGB(4, 5, 6));
    EXPECT_EQ(m_list.GetInactiveBkColor(), RGB(7, 8, 9));
    EXPECT_EQ(m_list.GetTipBkColor(), RGB(10, 11, 12));

    ASSERT_TRUE(m_list.SetListStyles(LVS_SEC_REPORT | LVS_SEC_NOLABELWRAP, LVXS_VERTGRID, FALSE));
    UINT nStyle = 0;
    UINT nStyleEx = 0;
    m_list.GetListStyles(nStyle, nStyleEx);
    EXPECT_EQ(nStyle, LVS_SEC_REPORT | LVS_SEC_NOLABELWRAP);
    EXPECT_EQ(nStyleEx, LVXS_VERTGRID);
    m_list.ModifyListStyles(LVS_SEC_NOLABELWRAP, 0, FALSE, 0, LVXS_HORZGRID, FALSE);
    m_list.GetListStyles(nStyle, nStyleEx);
    EXPECT_EQ(nStyle, LVS_SEC_REPORT);
    EXPECT_EQ(nStyleEx, LVXS_VERTGRID | LVXS_HORZGRID);
}

TEST_F(ListModelTest, CopiedImageListKeepsTheImages)
{
    CImageList source;
    ASSERT_TRUE(source.Create(16, 16, ILC_COLOR24, 2, 0));
    CBitmap bitmap;
    CClientDC dc(&m_parent);
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&dc, 32, 16));
    source.Add(&bitmap, static_cast<CBitmap*>(nullptr));
    std::unique_ptr<CImageList> pCopy(m_list.CopyImageList(&source));
    ASSERT_NE(pCopy, nullptr);
    EXPECT_EQ(pCopy->GetImageCount(), 2);
    EXPECT_NE(pCopy->GetSafeHandle(), source.GetSafeHandle());
}

TEST_F(ListModelTest, TakesThePlaceOfADialogItem)
{
    CWnd item;
    ASSERT_TRUE(item.CreateEx(WS_EX_CLIENTEDGE, L"STATIC", L"", WS_CHILD | 0x8, CRect(10, 20, 110, 70), &m_parent, 321));
    SECListCtrl list;
    ASSERT_TRUE(list.CreateFromDlgItem(321, &m_parent));
    EXPECT_EQ(::IsWindow(item.m_hWnd), FALSE);
    item.Detach();
    EXPECT_EQ(list.GetDlgCtrlID(), 321);
    CRect rect;
    list.GetWindowRect(&rect);
    m_parent.ScreenToClient(&rect);
    EXPECT_EQ(rect, CRect(10, 20, 110, 70));
    EXPECT_TRUE(list.GetStyle() & WS_BORDER);
    list.DestroyWindow();
}
