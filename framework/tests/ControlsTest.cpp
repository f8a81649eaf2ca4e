#include <afxwin.h>
#include <afxcmn.h>

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace
{
const CRect controlRect(10, 10, 210, 110);

// A hidden top-level window that the controls are children of.
class ControlsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0), L"Controls", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300,
                                      nullptr, nullptr));
    }
    void TearDown() override
    {
        m_parent.DestroyWindow();
        AfxDeleteTempGdiMaps();
    }

    CWnd m_parent;
};

CString WindowText(const CWnd& wnd)
{
    CString text;
    wnd.GetWindowText(text);
    return text;
}

TEST_F(ControlsTest, EditSelectionLinesAndLimits)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, controlRect, &m_parent, 1));
    edit.SetWindowText(L"Hello\r\nworld");
    EXPECT_EQ(edit.GetLineCount(), 2);
    EXPECT_EQ(edit.LineIndex(1), 7);
    EXPECT_EQ(edit.LineFromChar(8), 1);
    EXPECT_EQ(edit.LineLength(7), 5);

    edit.SetSel(1, 3);
    int nStart = 0, nEnd = 0;
    edit.GetSel(nStart, nEnd);
    EXPECT_EQ(nStart, 1);
    EXPECT_EQ(nEnd, 3);
    EXPECT_EQ(edit.GetSel(), static_cast<DWORD>(MAKELONG(1, 3)));

    edit.SetModify(FALSE);
    edit.ReplaceSel(L"EY", TRUE);
    EXPECT_EQ(WindowText(edit), CString(L"HEYlo\r\nworld"));
    EXPECT_TRUE(edit.GetModify());
    EXPECT_TRUE(edit.CanUndo());
    EXPECT_TRUE(edit.Undo());
    EXPECT_EQ(WindowText(edit), CString(L"Hello\r\nworld"));

    // The second line into a buffer that is too short: no terminator is written.
    TCHAR line[8];
    ::wmemset(line, L'#', 8);
    EXPECT_EQ(edit.GetLine(1, line, 3), 3);
    EXPECT_EQ(std::wstring(line, 4), std::wstring(L"wor#"));

    // (0, -1) selects everything; a start of -1 (as a word) removes the selection.
    edit.SetSel(0, -1);
    edit.GetSel(nStart, nEnd);
    EXPECT_EQ(nEnd - nStart, 12);
    edit.SetSel(static_cast<DWORD>(MAKELONG(-1, 0)));
    edit.GetSel(nStart, nEnd);
    EXPECT_EQ(nStart, nEnd);

    edit.SetWindowText(L"");
    edit.LimitText(4);
    EXPECT_EQ(edit.GetLimitText(), 4u);
    edit.ReplaceSel(L"123456");
    EXPECT_EQ(WindowText(edit), CString(L"1234"));

    EXPECT_TRUE(edit.SetReadOnly());
    EXPECT_TRUE(edit.GetStyle() & ES_READONLY);
    EXPECT_TRUE(edit.SetReadOnly(FALSE));
    EXPECT_FALSE(edit.GetStyle() & ES_READONLY);
}

TEST_F(ControlsTest, ListBoxItemsSortAndSearch)
{
    CListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | LBS_SORT | LBS_HASSTRINGS | LBS_NOTIFY, controlRect, &m_parent, 2));
    EXPECT_EQ(list.AddString(L"pear"), 0);
    EXPECT_EQ(list.AddString(L"apple"), 0);
    EXPECT_EQ(list.AddString(L"plum"), 2);
    EXPECT_EQ(list.InsertString(-1, L"aardvark"), 3);
    EXPECT_EQ(list.GetCount(), 4);

    CString text;
    list.GetText(1, text);
    EXPECT_EQ(text, CString(L"pear"));
    list.GetText(9, text);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(list.GetTextLen(9), LB_ERR);

    // A prefix finds the first match after the start, wrapping around.
    EXPECT_EQ(list.FindString(-1, L"p"), 1);
    EXPECT_EQ(list.FindString(1, L"p"), 2);
    EXPECT_EQ(list.FindString(2, L"p"), 1);
    EXPECT_EQ(list.FindStringExact(-1, L"PLUM"), 2);
    EXPECT_EQ(list.FindStringExact(-1, L"pl"), LB_ERR);

    int value = 42;
    EXPECT_NE(list.SetItemDataPtr(2, &value), LB_ERR);
    EXPECT_EQ(list.GetItemDataPtr(2), &value);

    EXPECT_EQ(list.SelectString(-1, L"pl"), 2);
    EXPECT_EQ(list.GetCurSel(), 2);
    EXPECT_EQ(list.SetCurSel(-1), LB_ERR);
    EXPECT_EQ(list.GetCurSel(), LB_ERR);

    EXPECT_EQ(list.DeleteString(0), 3);
    list.ResetContent();
    EXPECT_EQ(list.GetCount(), 0);
}

TEST_F(ControlsTest, MultipleSelectionListBox)
{
    CListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | LBS_EXTENDEDSEL | LBS_HASSTRINGS, controlRect, &m_parent, 3));
    for (LPCTSTR item : {L"a", L"b", L"c", L"d", L"e"})
        list.AddString(item);
    EXPECT_NE(list.SelItemRange(TRUE, 1, 3), LB_ERR);
    EXPECT_NE(list.SetSel(2, FALSE), LB_ERR);
    EXPECT_EQ(list.GetSelCount(), 2);
    int selected[5] = {};
    EXPECT_EQ(list.GetSelItems(5, selected), 2);
    EXPECT_EQ(selected[0], 1);
    EXPECT_EQ(selected[1], 3);
    EXPECT_TRUE(list.GetSel(3) > 0);
    EXPECT_EQ(list.GetSel(2), 0);
}

TEST_F(ControlsTest, ComboBoxSelectionAndEditPart)
{
    CComboBox dropList;
    ASSERT_TRUE(dropList.Create(WS_CHILD | CBS_DROPDOWNLIST | CBS_HASSTRINGS, controlRect, &m_parent, 4));
    EXPECT_EQ(dropList.AddString(L"red"), 0);
    EXPECT_EQ(dropList.AddString(L"green"), 1);
    EXPECT_EQ(dropList.InsertString(0, L"blue"), 0);
    EXPECT_EQ(dropList.GetCount(), 3);
    EXPECT_EQ(dropList.GetCurSel(), CB_ERR);
    EXPECT_EQ(dropList.SetCurSel(2), 2);
    CString text;
    dropList.GetLBText(dropList.GetCurSel(), text);
    EXPECT_EQ(text, CString(L"green"));
    EXPECT_EQ(WindowText(dropList), CString(L"green"));
    EXPECT_EQ(dropList.SelectString(-1, L"r"), 1);
    EXPECT_EQ(WindowText(dropList), CString(L"red"));
    EXPECT_EQ(dropList.FindStringExact(-1, L"blue"), 0);
    EXPECT_EQ(dropList.SetItemData(0, 7), 1);
    EXPECT_EQ(dropList.GetItemData(0), 7u);
    dropList.GetLBText(5, text);
    EXPECT_TRUE(text.IsEmpty());

    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWN | CBS_AUTOHSCROLL, controlRect, &m_parent, 5));
    combo.SetWindowText(L"abcdef");
    EXPECT_TRUE(combo.SetEditSel(1, 3));
    EXPECT_EQ(combo.GetEditSel(), static_cast<DWORD>(MAKELONG(1, 3)));

    // The limit holds for what is typed or replaced in the edit part.
    COMBOBOXINFO info;
    ASSERT_TRUE(combo.GetComboBoxInfo(&info));
    ASSERT_NE(info.hwndItem, nullptr);
    combo.LimitText(5);
    combo.SetWindowText(L"");
    ::SendMessage(info.hwndItem, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L"abcdefgh"));
    EXPECT_EQ(WindowText(combo), CString(L"abcde"));
}

TEST_F(ControlsTest, ButtonChecksStatesAndImages)
{
    CButton check;
    ASSERT_TRUE(check.Create(L"&Check", WS_CHILD | BS_AUTO3STATE, controlRect, &m_parent, 6));
    EXPECT_EQ(check.GetButtonStyle(), static_cast<UINT>(BS_AUTO3STATE));
    EXPECT_EQ(check.GetCheck(), BST_UNCHECKED);
    check.SetCheck(BST_INDETERMINATE);
    EXPECT_EQ(check.GetCheck(), BST_INDETERMINATE);
    EXPECT_TRUE(check.GetState() & BST_INDETERMINATE);
    // A click moves an automatic three-state box on: indeterminate, then unchecked.
    check.SendMessage(BM_CLICK);
    EXPECT_EQ(check.GetCheck(), BST_UNCHECKED);
    check.SendMessage(BM_CLICK);
    EXPECT_EQ(check.GetCheck(), BST_CHECKED);

    check.SetState(TRUE);
    EXPECT_TRUE(check.GetState() & BST_PUSHED);
    check.SetState(FALSE);
    EXPECT_FALSE(check.GetState() & BST_PUSHED);

    check.SetButtonStyle(BS_AUTOCHECKBOX);
    EXPECT_EQ(check.GetButtonStyle(), static_cast<UINT>(BS_AUTOCHECKBOX));

    CButton picture;
    ASSERT_TRUE(picture.Create(nullptr, WS_CHILD | BS_PUSHBUTTON | BS_BITMAP, controlRect, &m_parent, 7));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(8, 8, 1, 32, nullptr));
    EXPECT_EQ(picture.SetBitmap(bitmap), nullptr);
    EXPECT_EQ(picture.GetBitmap(), static_cast<HBITMAP>(bitmap));
    EXPECT_EQ(picture.SetBitmap(nullptr), static_cast<HBITMAP>(bitmap));
}

TEST_F(ControlsTest, StaticImages)
{
    CStatic label;
    ASSERT_TRUE(label.Create(L"Label", WS_CHILD | SS_LEFT, controlRect, &m_parent));
    EXPECT_EQ(label.GetDlgCtrlID(), 0xFFFF);
    EXPECT_EQ(WindowText(label), CString(L"Label"));

    CStatic icon;
    ASSERT_TRUE(icon.Create(nullptr, WS_CHILD | SS_ICON, controlRect, &m_parent, 8));
    HICON hIcon = ::LoadIcon(nullptr, IDI_APPLICATION);
    icon.SetIcon(hIcon);
    EXPECT_EQ(icon.GetIcon(), hIcon);

    CStatic picture;
    ASSERT_TRUE(picture.Create(nullptr, WS_CHILD | SS_BITMAP, controlRect, &m_parent, 9));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(8, 8, 1, 32, nullptr));
    EXPECT_EQ(picture.SetBitmap(bitmap), nullptr);
    EXPECT_EQ(picture.GetBitmap(), static_cast<HBITMAP>(bitmap));
    picture.SetBitmap(nullptr);
}

TEST_F(ControlsTest, ScrollBarPositionAndLimit)
{
    CScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | SBS_HORZ, CRect(0, 0, 200, 16), &m_parent, 10));
    bar.SetScrollRange(0, 100, FALSE);
    EXPECT_EQ(bar.SetScrollPos(30, FALSE), 0);
    EXPECT_EQ(bar.GetScrollPos(), 30);
    int nMin = -1, nMax = -1;
    bar.GetScrollRange(&nMin, &nMax);
    EXPECT_EQ(nMin, 0);
    EXPECT_EQ(nMax, 100);

    SCROLLINFO info = {};
    info.fMask = SIF_PAGE;
    info.nPage = 10;
    EXPECT_TRUE(bar.SetScrollInfo(&info, FALSE));
    EXPECT_EQ(bar.GetScrollLimit(), 91);
    // Positions beyond the limit are pulled back to it.
    bar.SetScrollPos(200, FALSE);
    EXPECT_EQ(bar.GetScrollPos(), 91);
    EXPECT_TRUE(bar.GetScrollInfo(&info, SIF_ALL));
    EXPECT_EQ(info.nPos, 91);
}

// Owner-drawn controls get the parent's WM_DRAWITEM, WM_MEASUREITEM and WM_COMPAREITEM.
class OwnerDrawButton : public CButton
{
public:
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
    {
        m_drawnActions.push_back(lpDrawItemStruct->itemAction);
    }
    std::vector<UINT> m_drawnActions;
};

class NumberListBox : public CListBox
{
public:
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override
    {
        lpMeasureItemStruct->itemHeight = 10 + static_cast<UINT>(lpMeasureItemStruct->itemData);
    }
    // Descending by item data.
    int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct) override
    {
        const auto a = lpCompareItemStruct->itemData1;
        const auto b = lpCompareItemStruct->itemData2;
        return a > b ? -1 : a < b ? 1 : 0;
    }
};

TEST_F(ControlsTest, OwnerDrawMessagesReachTheControl)
{
    OwnerDrawButton button;
    ASSERT_TRUE(button.Create(L"Owner", WS_CHILD | BS_OWNERDRAW, controlRect, &m_parent, 11));
    DRAWITEMSTRUCT draw = {};
    draw.CtlType = ODT_BUTTON;
    draw.CtlID = 11;
    draw.itemAction = ODA_DRAWENTIRE;
    draw.hwndItem = button.m_hWnd;
    m_parent.SendMessage(WM_DRAWITEM, 11, reinterpret_cast<LPARAM>(&draw));
    ASSERT_EQ(button.m_drawnActions.size(), 1u);
    EXPECT_EQ(button.m_drawnActions[0], static_cast<UINT>(ODA_DRAWENTIRE));

    // The list box asks its parent to measure and to compare while items are added.
    NumberListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | LBS_OWNERDRAWVARIABLE | LBS_SORT, controlRect, &m_parent, 12));
    for (LPARAM value : {3, 9, 1, 5})
        list.AddString(reinterpret_cast<LPCTSTR>(value));
    ASSERT_EQ(list.GetCount(), 4);
    const DWORD_PTR expected[] = {9, 5, 3, 1};
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ(list.GetItemData(i), expected[i]);
        EXPECT_EQ(list.GetItemHeight(i), 10 + static_cast<int>(expected[i]));
    }
}

// A check list box whose parent hears of the changed checks.
class CheckListTest : public ControlsTest
{
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY,
                                  controlRect, &m_parent, 21));
        for (LPCTSTR pszItem : {L"alpha", L"beta", L"gamma"})
            m_list.AddString(pszItem);
    }
    void Click(int nIndex, int x)
    {
        CRect rect;
        m_list.GetItemRect(nIndex, rect);
        const LPARAM lParam = MAKELPARAM(x, rect.CenterPoint().y);
        m_list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lParam);
        m_list.SendMessage(WM_LBUTTONUP, 0, lParam);
    }
    void Space()
    {
        m_list.SendMessage(WM_KEYDOWN, VK_SPACE, 1);
        m_list.SendMessage(WM_CHAR, L' ', 1);
        m_list.SendMessage(WM_KEYUP, VK_SPACE, 1);
    }
    std::vector<int> Checks() const
    {
        return {m_list.GetCheck(0), m_list.GetCheck(1), m_list.GetCheck(2)};
    }

    CCheckListBox m_list;
};

TEST_F(CheckListTest, ChecksAreZeroToTwoAndStartUnchecked)
{
    EXPECT_EQ(Checks(), (std::vector<int>{0, 0, 0}));
    m_list.SetCheck(0, 1);
    m_list.SetCheck(1, 2);
    m_list.SetCheck(2, 3);
    EXPECT_EQ(Checks(), (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(m_list.GetCheck(7), 0);
    EXPECT_GE(m_list.GetItemHeight(0), 15);
}

TEST_F(CheckListTest, AClickOnTheBoxTogglesOnTheTextItOnlySelects)
{
    Click(1, 5);
    EXPECT_EQ(Checks(), (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(m_list.GetCurSel(), 1);
    Click(2, 100);
    EXPECT_EQ(Checks(), (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(m_list.GetCurSel(), 2);
    Click(1, 5);
    EXPECT_EQ(Checks(), (std::vector<int>{0, 0, 0}));
}

TEST_F(CheckListTest, SpaceTogglesTheCurrentEntryButNotADisabledOne)
{
    m_list.SetCurSel(2);
    Space();
    EXPECT_EQ(Checks(), (std::vector<int>{0, 0, 1}));
    Space();
    EXPECT_EQ(Checks(), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(m_list.GetCurSel(), 2) << "the space bar does not search";

    m_list.Enable(0, FALSE);
    EXPECT_FALSE(m_list.IsEnabled(0));
    EXPECT_TRUE(m_list.IsEnabled(1));
    m_list.SetCurSel(0);
    Space();
    Click(0, 5);
    EXPECT_EQ(Checks(), (std::vector<int>{0, 0, 0}));
    m_list.Enable(0, TRUE);
    Space();
    EXPECT_EQ(Checks(), (std::vector<int>{1, 0, 0}));
}

TEST_F(CheckListTest, ThreeStateTogglesCycleThroughIndeterminate)
{
    m_list.SetCheckStyle(BS_AUTO3STATE);
    m_list.SetCurSel(0);
    std::vector<int> seen;
    for (int i = 0; i < 3; ++i)
    {
        Space();
        seen.push_back(m_list.GetCheck(0));
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 0}));
}

TEST_F(ControlsTest, ListCtrlColumnsItemsAndSelection)
{
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | LVS_REPORT, controlRect, &m_parent, 20));
    EXPECT_EQ(list.InsertColumn(0, L"Time", LVCFMT_LEFT, 60), 0);
    EXPECT_EQ(list.InsertColumn(1, L"Message"), 1);
    LVCOLUMN column = {};
    column.mask = LVCF_WIDTH;
    EXPECT_TRUE(list.GetColumn(0, &column));
    EXPECT_EQ(column.cx, 60);

    list.SetItemCount(200);
    for (int i = 0; i < 3; ++i)
    {
        CString time;
        time.Format(L"12:0%d", i);
        EXPECT_EQ(list.InsertItem(list.GetItemCount(), time), i);
    }
    // A text longer than any first guess of the buffer.
    const CString longText(L'x', 700);
    EXPECT_TRUE(list.SetItemText(1, 1, longText));
    EXPECT_EQ(list.GetItemText(1, 1), longText);
    EXPECT_EQ(list.GetItemText(2, 0), CString(L"12:02"));
    EXPECT_TRUE(list.SetColumnWidth(1, LVSCW_AUTOSIZE));

    EXPECT_TRUE(list.SetItemData(2, 99));
    EXPECT_EQ(list.GetItemData(2), 99u);

    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(list.GetSelectedCount(), 2u);
    std::vector<int> selected;
    for (POSITION pos = list.GetFirstSelectedItemPosition(); pos != nullptr;)
        selected.push_back(list.GetNextSelectedItem(pos));
    EXPECT_EQ(selected, std::vector<int>({0, 2}));

    // The oldest line goes when the list is full.
    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_EQ(list.GetItemCount(), 2);
    EXPECT_EQ(list.GetItemText(0, 0), CString(L"12:01"));
    EXPECT_TRUE(list.EnsureVisible(1, FALSE));

    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR32, 1, 1));
    EXPECT_EQ(list.SetImageList(&images, LVSIL_SMALL), nullptr);
    EXPECT_EQ(list.GetImageList(LVSIL_SMALL), &images);
    list.SetImageList(nullptr, LVSIL_SMALL);

    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(list.GetItemCount(), 0);
}

TEST_F(ControlsTest, TreeCtrlHierarchy)
{
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, controlRect, &m_parent, 21));
    HTREEITEM hSystems = tree.InsertItem(L"Systems");
    HTREEITEM hPrd = tree.InsertItem(L"PRD", hSystems);
    HTREEITEM hDev = tree.InsertItem(L"DEV", hSystems);
    HTREEITEM hQas = tree.InsertItem(L"QAS", hSystems, hPrd);
    ASSERT_NE(hQas, nullptr);
    EXPECT_EQ(tree.GetCount(), 4u);
    EXPECT_EQ(tree.GetRootItem(), hSystems);
    EXPECT_EQ(tree.GetChildItem(hSystems), hPrd);
    EXPECT_EQ(tree.GetNextSiblingItem(hPrd), hQas);
    EXPECT_EQ(tree.GetNextSiblingItem(hQas), hDev);
    EXPECT_EQ(tree.GetPrevSiblingItem(hDev), hQas);
    EXPECT_EQ(tree.GetParentItem(hDev), hSystems);
    EXPECT_EQ(tree.GetParentItem(hSystems), nullptr);
    EXPECT_TRUE(tree.ItemHasChildren(hSystems));
    EXPECT_FALSE(tree.ItemHasChildren(hDev));

    EXPECT_EQ(tree.GetItemText(hQas), CString(L"QAS"));
    const CString longName(L'n', 600);
    EXPECT_TRUE(tree.SetItemText(hQas, longName));
    EXPECT_EQ(tree.GetItemText(hQas), longName);
    EXPECT_TRUE(tree.SetItemData(hDev, 1234));
    EXPECT_EQ(tree.GetItemData(hDev), 1234u);
    EXPECT_TRUE(tree.SetItemImage(hDev, 2, 3));
    int nImage = 0, nSelected = 0;
    EXPECT_TRUE(tree.GetItemImage(hDev, nImage, nSelected));
    EXPECT_EQ(nImage, 2);
    EXPECT_EQ(nSelected, 3);

    EXPECT_TRUE(tree.Expand(hSystems, TVE_EXPAND));
    EXPECT_TRUE(tree.GetItemState(hSystems, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_TRUE(tree.SelectItem(hDev));
    EXPECT_EQ(tree.GetSelectedItem(), hDev);

    EXPECT_TRUE(tree.DeleteItem(hPrd));
    EXPECT_EQ(tree.GetChildItem(hSystems), hQas);
    EXPECT_TRUE(tree.DeleteAllItems());
    EXPECT_EQ(tree.GetCount(), 0u);
}

TEST_F(ControlsTest, ToolTipToolsAndSettings)
{
    CButton button;
    ASSERT_TRUE(button.Create(L"Tool", WS_CHILD | WS_VISIBLE, controlRect, &m_parent, 30));
    CToolTipCtrl tips;
    ASSERT_TRUE(tips.Create(&m_parent));
    EXPECT_TRUE(tips.GetStyle() & WS_POPUP);
    EXPECT_EQ(tips.GetOwner(), &m_parent);

    EXPECT_TRUE(tips.AddTool(&button, L"Press me"));
    EXPECT_TRUE(tips.AddTool(&m_parent, L"Corner", CRect(0, 0, 5, 5), 77));
    EXPECT_EQ(tips.GetToolCount(), 2);
    CString text;
    tips.GetText(text, &button);
    EXPECT_EQ(text, CString(L"Press me"));
    tips.UpdateTipText(L"Pressed", &button);
    tips.GetText(text, &button);
    EXPECT_EQ(text, CString(L"Pressed"));
    tips.GetText(text, &m_parent, 77);
    EXPECT_EQ(text, CString(L"Corner"));

    TOOLINFO info = {};
    EXPECT_TRUE(tips.GetToolInfo(&info, &m_parent, 77));
    EXPECT_EQ(CRect(info.rect), CRect(0, 0, 5, 5));
    tips.SetToolRect(&m_parent, 77, CRect(1, 1, 9, 9));
    EXPECT_TRUE(tips.GetToolInfo(&info, &m_parent, 77));
    EXPECT_EQ(CRect(info.rect), CRect(1, 1, 9, 9));

    tips.DelTool(&button);
    EXPECT_EQ(tips.GetToolCount(), 1);

    // One delay sets all three: the pop-up lasts ten times, the reshow a fifth of it.
    tips.SetDelayTime(500);
    EXPECT_EQ(tips.GetDelayTime(TTDT_INITIAL), 500);
    EXPECT_EQ(tips.GetDelayTime(TTDT_AUTOPOP), 5000);
    EXPECT_EQ(tips.GetDelayTime(TTDT_RESHOW), 100);
    tips.SetDelayTime(TTDT_AUTOPOP, 1234);
    EXPECT_EQ(tips.GetDelayTime(TTDT_AUTOPOP), 1234);

    EXPECT_EQ(tips.SetMaxTipWidth(300), -1);
    EXPECT_EQ(tips.GetMaxTipWidth(), 300);
    tips.SetTipTextColor(RGB(1, 2, 3));
    EXPECT_EQ(tips.GetTipTextColor(), RGB(1, 2, 3));

    tips.Activate(FALSE);
    MSG msg = {};
    msg.hwnd = m_parent.m_hWnd;
    msg.message = WM_MOUSEMOVE;
    msg.lParam = MAKELPARAM(3, 3);
    tips.RelayEvent(&msg);
    EXPECT_FALSE(tips.IsWindowVisible());
    tips.DestroyWindow();
}

TEST_F(ControlsTest, SpinButtonDrivesItsBuddy)
{
    CEdit buddy;
    ASSERT_TRUE(buddy.Create(WS_CHILD | ES_NUMBER, CRect(0, 0, 50, 20), &m_parent, 40));
    CSpinButtonCtrl spin;
    ASSERT_TRUE(spin.Create(WS_CHILD | UDS_SETBUDDYINT | UDS_ALIGNRIGHT, CRect(50, 0, 66, 20), &m_parent, 41));
    EXPECT_EQ(spin.SetBuddy(&buddy), nullptr);
    EXPECT_EQ(spin.GetBuddy(), &buddy);

    spin.SetRange(-5, 10);
    int lower = 0, upper = 0;
    spin.GetRange(lower, upper);
    EXPECT_EQ(lower, -5);
    EXPECT_EQ(upper, 10);
    spin.SetPos(7);
    EXPECT_EQ(WindowText(buddy), CString(L"7"));
    EXPECT_EQ(LOWORD(spin.GetPos()), 7);
    EXPECT_EQ(HIWORD(spin.GetPos()), 0);
    EXPECT_EQ(spin.SetPos(-3), 7);
    EXPECT_EQ(WindowText(buddy), CString(L"-3"));

    spin.SetRange32(0, 100000);
    spin.GetRange32(lower, upper);
    EXPECT_EQ(upper, 100000);
    spin.SetPos32(70000);
    BOOL bError = TRUE;
    EXPECT_EQ(spin.GetPos32(&bError), 70000);
    EXPECT_FALSE(bError);
    EXPECT_EQ(spin.SetBase(16), 10);
    EXPECT_EQ(spin.GetBase(), 16u);
}

TEST_F(ControlsTest, ProgressPositionAndSteps)
{
    CProgressCtrl progress;
    ASSERT_TRUE(progress.Create(WS_CHILD | PBS_SMOOTH, CRect(0, 0, 200, 20), &m_parent, 50));
    progress.SetRange32(0, 200);
    int nLower = -1, nUpper = -1;
    progress.GetRange(nLower, nUpper);
    EXPECT_EQ(nLower, 0);
    EXPECT_EQ(nUpper, 200);
    EXPECT_EQ(progress.SetPos(50), 0);
    EXPECT_EQ(progress.OffsetPos(10), 50);
    EXPECT_EQ(progress.GetPos(), 60);
    EXPECT_EQ(progress.SetStep(5), 10);
    EXPECT_EQ(progress.StepIt(), 60);
    EXPECT_EQ(progress.GetPos(), 65);
    // Positions stay in the range.
    progress.SetPos(500);
    EXPECT_EQ(progress.GetPos(), 200);
}

// Streams bytes in from, and out to, a std::string.
struct StreamBuffer
{
    std::string bytes;
    size_t offset = 0;

    static DWORD CALLBACK In(DWORD_PTR dwCookie, LPBYTE pbBuff, LONG cb, LONG* pcb)
    {
        auto* pBuffer = reinterpret_cast<StreamBuffer*>(dwCookie);
        const size_t n = std::min<size_t>(static_cast<size_t>(cb), pBuffer->bytes.size() - pBuffer->offset);
        std::copy_n(pBuffer->bytes.data() + pBuffer->offset, n, pbBuff);
        pBuffer->offset += n;
        *pcb = static_cast<LONG>(n);
        return 0;
    }
    static DWORD CALLBACK Out(DWORD_PTR dwCookie, LPBYTE pbBuff, LONG cb, LONG* pcb)
    {
        reinterpret_cast<StreamBuffer*>(dwCookie)->bytes.append(reinterpret_cast<const char*>(pbBuff), cb);
        *pcb = cb;
        return 0;
    }
};

TEST_F(ControlsTest, RichEditStreamsAndFormats)
{
    CRichEditCtrl rich;
    ASSERT_TRUE(rich.Create(WS_CHILD | ES_MULTILINE, controlRect, &m_parent, 60));

    StreamBuffer in;
    in.bytes = "{\\rtf1\\ansi Hello {\\b bold} world}";
    EDITSTREAM stream = {reinterpret_cast<DWORD_PTR>(&in), 0, StreamBuffer::In};
    EXPECT_GT(rich.StreamIn(SF_RTF, stream), 0);
    EXPECT_EQ(stream.dwError, 0u);

    CString text;
    EXPECT_EQ(rich.GetTextRange(0, -1, text), 16);
    EXPECT_EQ(text, CString(L"Hello bold world"));
    EXPECT_EQ(rich.GetTextRange(6, 10, text), 4);
    EXPECT_EQ(text, CString(L"bold"));

    rich.SetSel(6, 10);
    EXPECT_EQ(rich.GetSelText(), CString(L"bold"));
    CHARFORMAT format = {};
    format.dwMask = CFM_BOLD;
    rich.GetSelectionCharFormat(format);
    EXPECT_TRUE(format.dwEffects & CFE_BOLD);
    // Italic for the first word only.
    rich.SetSel(0, 5);
    format.dwMask = CFM_ITALIC;
    format.dwEffects = CFE_ITALIC;
    EXPECT_TRUE(rich.SetSelectionCharFormat(format));
    format.dwEffects = 0;
    rich.GetSelectionCharFormat(format);
    EXPECT_TRUE(format.dwEffects & CFE_ITALIC);
    rich.SetSel(11, 16);
    rich.GetSelectionCharFormat(format);
    EXPECT_FALSE(format.dwEffects & CFE_ITALIC);

    StreamBuffer out;
    stream = {reinterpret_cast<DWORD_PTR>(&out), 0, StreamBuffer::Out};
    EXPECT_EQ(rich.StreamOut(SF_TEXT, stream), 16);
    EXPECT_EQ(out.bytes, "Hello bold world");

    rich.SetSel(16, 16);
    rich.ReplaceSel(L"!");
    long nStart = 0, nEnd = 0;
    rich.GetSel(nStart, nEnd);
    EXPECT_EQ(nStart, 17);
    EXPECT_EQ(rich.GetTextLengthEx(GTL_NUMCHARS), 17);

    EXPECT_EQ(rich.SetEventMask(ENM_CHANGE | ENM_REQUESTRESIZE), 0u);
    EXPECT_EQ(rich.GetEventMask(), static_cast<DWORD>(ENM_CHANGE | ENM_REQUESTRESIZE));
}

// Paints with a CPaintDC and notes what it was asked to paint.
class PaintedWnd : public CWnd
{
public:
    CRect m_rcPaint;
    COLORREF m_paintedPixel = CLR_INVALID;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_PAINT)
            return CWnd::WindowProc(message, wParam, lParam);
        CPaintDC dc(this);
        m_rcPaint = dc.m_ps.rcPaint;
        dc.FillSolidRect(m_rcPaint, RGB(0, 0, 255));
        m_paintedPixel = dc.GetPixel(m_rcPaint.TopLeft());
        return 0;
    }
};

TEST_F(ControlsTest, PaintDCPaintsTheInvalidRectangleAndValidatesIt)
{
    PaintedWnd wnd;
    ASSERT_TRUE(
        wnd.CreateEx(0, AfxRegisterWndClass(0), L"Painted", WS_POPUP | WS_VISIBLE, 0, 0, 100, 80, nullptr, nullptr));
    wnd.UpdateWindow();
    const CRect invalid(10, 20, 30, 40);
    wnd.InvalidateRect(invalid, FALSE);
    wnd.UpdateWindow();
    EXPECT_EQ(wnd.m_rcPaint, invalid);
    EXPECT_EQ(wnd.m_paintedPixel, RGB(0, 0, 255));
    CRect update;
    EXPECT_FALSE(wnd.GetUpdateRect(&update));
    wnd.DestroyWindow();
}

TEST_F(ControlsTest, WindowDCsOfAHiddenWindow)
{
    {
        CClientDC dc(&m_parent);
        EXPECT_NE(dc.GetSafeHdc(), nullptr);
        EXPECT_EQ(dc.GetWindow(), &m_parent);
        EXPECT_EQ(CDC::FromHandle(dc.m_hDC), &dc);
    }
    CWindowDC windowDC(&m_parent);
    EXPECT_NE(windowDC.GetSafeHdc(), nullptr);
    // No window: the screen.
    CClientDC screen(nullptr);
    EXPECT_GT(screen.GetDeviceCaps(LOGPIXELSY), 0);
}
} // namespace
