#include <afxwin.h>

#include <initializer_list>
#include <vector>

#include <gtest/gtest.h>

namespace
{
// GdiTest.rc: "&File" (Open 63010, separator, Exit 63011), then "&Help" 63012.
constexpr UINT idMenu = 63001;
constexpr UINT idOpen = 63010;
constexpr UINT idExit = 63011;
constexpr UINT idHelp = 63012;

constexpr UINT idFirst = 100;

// A menu bar with a "&View" pop-up of three commands, a separator and a fourth command.
class MenuTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_popup.CreatePopupMenu());
        ASSERT_TRUE(m_popup.AppendMenu(MF_STRING, idFirst, L"&Small"));
        ASSERT_TRUE(m_popup.AppendMenu(MF_STRING, idFirst + 1, L"&Medium"));
        ASSERT_TRUE(m_popup.AppendMenu(MF_STRING, idFirst + 2, L"&Large"));
        ASSERT_TRUE(m_popup.AppendMenu(MF_SEPARATOR));
        ASSERT_TRUE(m_popup.AppendMenu(MF_STRING | MF_GRAYED, idFirst + 3, L"&Refresh"));
        ASSERT_TRUE(m_bar.CreateMenu());
        ASSERT_TRUE(m_bar.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(m_popup.m_hMenu), L"&View"));
    }
    void TearDown() override
    {
        // The bar destroys its pop-up with it.
        m_popup.Detach();
    }

    CMenu m_bar;
    CMenu m_popup;
};

TEST_F(MenuTest, ItemsAreCountedAndIdentified)
{
    EXPECT_EQ(m_bar.GetMenuItemCount(), 1u);
    EXPECT_EQ(m_popup.GetMenuItemCount(), 5u);
    EXPECT_EQ(m_popup.GetMenuItemID(1), idFirst + 1);
    EXPECT_EQ(m_popup.GetMenuItemID(3), 0u);
    EXPECT_EQ(m_bar.GetMenuItemID(0), static_cast<UINT>(-1));
    EXPECT_EQ(m_popup.GetMenuItemID(9), static_cast<UINT>(-1));

    // An attached submenu comes back as its own object.
    EXPECT_EQ(m_bar.GetSubMenu(0), &m_popup);
    EXPECT_EQ(m_popup.GetSubMenu(0), nullptr);

    CString text;
    EXPECT_EQ(m_popup.GetMenuString(idFirst + 2, text, MF_BYCOMMAND), 6);
    EXPECT_EQ(text, CString(L"&Large"));
    EXPECT_EQ(m_bar.GetMenuString(0, text, MF_BYPOSITION), 5);
    EXPECT_EQ(text, CString(L"&View"));
    EXPECT_EQ(m_popup.GetMenuString(3, text, MF_BYPOSITION), 0);
    EXPECT_TRUE(text.IsEmpty());
    TCHAR buffer[4];
    EXPECT_EQ(m_popup.GetMenuString(idFirst, buffer, 4, MF_BYCOMMAND), 3);
    EXPECT_STREQ(buffer, L"&Sm");

    EXPECT_TRUE(m_popup.GetMenuState(idFirst + 3, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(m_popup.GetMenuState(3, MF_BYPOSITION) & MF_SEPARATOR);
    // A pop-up item's state carries its submenu's item count in the high byte.
    const UINT popupState = m_bar.GetMenuState(0, MF_BYPOSITION);
    EXPECT_TRUE(popupState & MF_POPUP);
    EXPECT_EQ(HIBYTE(popupState), 5);
    EXPECT_EQ(m_popup.GetMenuState(999, MF_BYCOMMAND), static_cast<UINT>(-1));
}

TEST_F(MenuTest, CheckAndEnableReturnThePreviousState)
{
    EXPECT_EQ(m_popup.CheckMenuItem(idFirst, MF_CHECKED | MF_BYCOMMAND), static_cast<UINT>(MF_UNCHECKED));
    EXPECT_EQ(m_popup.CheckMenuItem(idFirst, MF_UNCHECKED | MF_BYCOMMAND), static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(m_popup.CheckMenuItem(999, MF_CHECKED | MF_BYCOMMAND), static_cast<UINT>(-1));

    EXPECT_EQ(m_popup.EnableMenuItem(idFirst + 3, MF_ENABLED | MF_BYCOMMAND), static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(m_popup.GetMenuState(idFirst + 3, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED), 0u);
    EXPECT_EQ(m_popup.EnableMenuItem(999, MF_GRAYED | MF_BYCOMMAND), static_cast<UINT>(-1));
}

TEST_F(MenuTest, RadioCheckMarksOneItemOfTheRange)
{
    m_popup.CheckMenuItem(idFirst, MF_CHECKED | MF_BYCOMMAND);
    EXPECT_TRUE(m_popup.CheckMenuRadioItem(idFirst, idFirst + 2, idFirst + 1, MF_BYCOMMAND));
    EXPECT_FALSE(m_popup.GetMenuState(idFirst, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(m_popup.GetMenuState(idFirst + 1, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(m_popup.GetMenuState(idFirst + 2, MF_BYCOMMAND) & MF_CHECKED);

    MENUITEMINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE;
    EXPECT_TRUE(m_popup.GetMenuItemInfo(idFirst + 1, &info));
    EXPECT_TRUE(info.fType & MFT_RADIOCHECK);
    EXPECT_TRUE(info.fState & MFS_CHECKED);
}

TEST_F(MenuTest, ItemsAreInsertedModifiedAndRemoved)
{
    EXPECT_TRUE(m_popup.InsertMenu(0, MF_BYPOSITION | MF_STRING, idFirst + 10, L"&Tiny"));
    EXPECT_EQ(m_popup.GetMenuItemID(0), idFirst + 10);
    EXPECT_TRUE(m_popup.ModifyMenu(idFirst + 10, MF_BYCOMMAND | MF_STRING, idFirst + 11, L"T&iny"));
    CString text;
    m_popup.GetMenuString(0, text, MF_BYPOSITION);
    EXPECT_EQ(text, CString(L"T&iny"));
    EXPECT_EQ(m_popup.GetMenuItemID(0), idFirst + 11);

    MENUITEMINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<LPTSTR>(L"Wee");
    EXPECT_TRUE(m_popup.SetMenuItemInfo(0, &info, TRUE));
    m_popup.GetMenuString(idFirst + 11, text, MF_BYCOMMAND);
    EXPECT_EQ(text, CString(L"Wee"));

    EXPECT_TRUE(m_popup.DeleteMenu(idFirst + 11, MF_BYCOMMAND));
    EXPECT_EQ(m_popup.GetMenuItemCount(), 5u);
    EXPECT_FALSE(m_popup.DeleteMenu(idFirst + 11, MF_BYCOMMAND));

    // RemoveMenu keeps a pop-up's submenu alive, DeleteMenu destroys it.
    HMENU hPopup = m_popup.m_hMenu;
    EXPECT_TRUE(m_bar.RemoveMenu(0, MF_BYPOSITION));
    EXPECT_EQ(m_bar.GetMenuItemCount(), 0u);
    EXPECT_TRUE(::IsMenu(hPopup));
    EXPECT_TRUE(m_bar.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(hPopup), L"&View"));
    EXPECT_TRUE(m_bar.DeleteMenu(0, MF_BYPOSITION));
    EXPECT_FALSE(::IsMenu(hPopup));
}

TEST(MenuOwnershipTest, AMenuLivesAsLongAsItsObject)
{
    HMENU hMenu = nullptr;
    {
        CMenu menu;
        ASSERT_TRUE(menu.CreatePopupMenu());
        hMenu = menu;
        EXPECT_EQ(CMenu::FromHandle(hMenu), &menu);
        EXPECT_EQ(CMenu::FromHandlePermanent(hMenu), &menu);
    }
    EXPECT_FALSE(::IsMenu(hMenu));

    CMenu menu;
    ASSERT_TRUE(menu.CreateMenu());
    hMenu = menu.Detach();
    EXPECT_EQ(menu.GetSafeHmenu(), nullptr);
    EXPECT_FALSE(menu.DestroyMenu());
    EXPECT_EQ(CMenu::FromHandlePermanent(hMenu), nullptr);
    CMenu* pTemp = CMenu::FromHandle(hMenu);
    ASSERT_NE(pTemp, nullptr);
    EXPECT_EQ(pTemp->m_hMenu, hMenu);
    AfxDeleteTempGdiMaps();
    // Freeing the temporary wrapper left the menu alone.
    EXPECT_TRUE(::IsMenu(hMenu));
    EXPECT_TRUE(menu.Attach(hMenu));
    EXPECT_TRUE(menu.DestroyMenu());
    EXPECT_FALSE(::IsMenu(hMenu));
}

TEST(MenuResourceTest, LoadMenuReadsTheResource)
{
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(idMenu));
    EXPECT_EQ(menu.GetMenuItemCount(), 2u);
    EXPECT_EQ(menu.GetMenuItemID(1), idHelp);
    CMenu* pFile = menu.GetSubMenu(0);
    ASSERT_NE(pFile, nullptr);
    EXPECT_EQ(pFile->GetMenuItemCount(), 3u);
    EXPECT_EQ(pFile->GetMenuItemID(0), idOpen);
    EXPECT_EQ(pFile->GetMenuItemID(2), idExit);
    CString text;
    pFile->GetMenuString(idExit, text, MF_BYCOMMAND);
    EXPECT_EQ(text, CString(L"E&xit"));
    AfxDeleteTempGdiMaps();

    CMenu missing;
    EXPECT_FALSE(missing.LoadMenu(63097));
}

// Pop-up menus tracked for a hidden window; the menu loop takes keys posted beforehand.
class TrackedMenuTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_owner.CreateEx(0, AfxRegisterWndClass(0), L"Owner", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                                     nullptr));
    }
    void TearDown() override
    {
        m_owner.DestroyWindow();
        AfxDeleteTempGdiMaps();
    }
    void PostKeys(std::initializer_list<WPARAM> keys)
    {
        for (WPARAM key : keys)
            m_owner.PostMessage(WM_KEYDOWN, key, 0);
    }

    CWnd m_owner;
};

TEST_F(TrackedMenuTest, TrackPopupMenuReturnsTheChosenCommand)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, idFirst, L"One");
    menu.AppendMenu(MF_STRING, idFirst + 1, L"Two");
    menu.AppendMenu(MF_STRING, idFirst + 2, L"Three");
    PostKeys({VK_DOWN, VK_DOWN, VK_RETURN});
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD | TPM_NONOTIFY, 10, 10, &m_owner), static_cast<BOOL>(idFirst + 1));
    PostKeys({VK_ESCAPE});
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD | TPM_NONOTIFY, 10, 10, &m_owner), 0);
}

// An owner-drawn item of a menu bar's pop-up: its CMenu measures and draws it.
class OwnerDrawnMenu : public CMenu
{
public:
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override
    {
        m_measuredData.push_back(lpMeasureItemStruct->itemData);
        lpMeasureItemStruct->itemWidth = 60;
        lpMeasureItemStruct->itemHeight = 20;
    }
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
    {
        m_drawnIDs.push_back(lpDrawItemStruct->itemID);
    }

    std::vector<ULONG_PTR> m_measuredData;
    std::vector<UINT> m_drawnIDs;
};

TEST_F(TrackedMenuTest, OwnerDrawnItemsAreMeasuredAndDrawnByTheirMenu)
{
    OwnerDrawnMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    ASSERT_TRUE(popup.AppendMenu(MF_OWNERDRAW, idFirst, reinterpret_cast<LPCTSTR>(7)));
    ASSERT_TRUE(popup.AppendMenu(MF_STRING, idFirst + 1, L"Plain"));
    CMenu bar;
    ASSERT_TRUE(bar.CreateMenu());
    ASSERT_TRUE(bar.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(popup.m_hMenu), L"&File"));
    ASSERT_TRUE(m_owner.SetMenu(&bar));

    PostKeys({VK_DOWN, VK_RETURN});
    EXPECT_EQ(popup.TrackPopupMenu(TPM_RETURNCMD | TPM_NONOTIFY, 10, 10, &m_owner), static_cast<BOOL>(idFirst));
    EXPECT_EQ(popup.m_measuredData, std::vector<ULONG_PTR>({7}));
    ASSERT_FALSE(popup.m_drawnIDs.empty());
    EXPECT_EQ(popup.m_drawnIDs[0], idFirst);

    m_owner.SetMenu(nullptr);
    // The bar destroys its pop-up.
    popup.Detach();
}
} // namespace
