// The landscape trees filled from the frame's maps, and their context menus.
#include "StartedApp.h"

#include <app/resource.h>

#include <collector/SapDatabase.h>
#include <collector/SapHost.h>
#include <collector/SapSystem.h>
#include <testing/MessagePump.h>

namespace
{
template <class TOwner> void AddInstances(TOwner& owner, std::initializer_list<LPCTSTR> names)
{
    for (LPCTSTR lpszName : names)
        owner.m_instances.SetAt(lpszName, new CSapInstance);
}

class LandscapeTreeTest : public ShownApp
{
protected:
    // PRD with two instances on two hosts, OLD with one; saplx01 serves PRD_00, sapwin01 both
    // others, dbhost01 holds only a database; databases PRD and OLD.
    void RegisterLandscape()
    {
        CMainFrame& frame = Frame();
        auto* pPrd = new CSapSystem;
        AddInstances(*pPrd, {_T("saplx01_PRD_00"), _T("sapwin01_PRD_01")});
        auto* pOld = new CSapSystem;
        AddInstances(*pOld, {_T("sapwin01_OLD_10")});
        frame.GetSystems().SetAt(_T("PRD"), pPrd);
        frame.GetSystems().SetAt(_T("OLD"), pOld);
        const struct
        {
            LPCTSTR lpszName;
            std::initializer_list<LPCTSTR> instances;
        } hosts[] = {{_T("saplx01"), {_T("saplx01_PRD_00")}},
                     {_T("sapwin01"), {_T("sapwin01_PRD_01"), _T("sapwin01_OLD_10")}},
                     {_T("dbhost01"), {}}};
        for (const auto& h : hosts)
        {
            auto* pHost = new CSapHost;
            AddInstances(*pHost, h.instances);
            frame.GetHosts().SetAt(h.lpszName, pHost);
        }
        auto* pDatabase = new CSapDatabase;
        AddInstances(*pDatabase, {_T("saplx01_PRD_00"), _T("sapwin01_PRD_01")});
        frame.GetDatabases().SetAt(_T("PRD"), pDatabase);
        frame.GetDatabases().SetAt(_T("OLD"), new CSapDatabase);
        FillTrees();
    }
    void FillTrees()
    {
        CLandscapeWnd& landscape = Frame().GetLandscapeWnd();
        landscape.GetSystemTree().Refresh();
        landscape.GetHostTree().AddItems();
        landscape.GetDatabaseTree().AddItems();
    }
};

std::vector<std::pair<CString, UINT>> MenuItems(CMenu& menu)
{
    std::vector<std::pair<CString, UINT>> items;
    for (int i = 0; i < static_cast<int>(menu.GetMenuItemCount()); ++i)
    {
        CString strLabel;
        menu.GetMenuString(i, strLabel, MF_BYPOSITION);
        if (CMenu* pSub = menu.GetSubMenu(i))
        {
            items.emplace_back(strLabel, 0);
            for (const auto& sub : MenuItems(*pSub))
                items.emplace_back(_T("> ") + sub.first, sub.second);
        }
        else
            items.emplace_back(strLabel, menu.GetMenuItemID(i));
    }
    return items;
}

using Items = std::vector<std::pair<CString, UINT>>;

Items BuildMenu(CLandscapeTree& tree, CPoint point, BOOL& bBuilt)
{
    CMenu menu;
    menu.CreatePopupMenu();
    bBuilt = tree.BuildContextMenu(menu, point);
    return MenuItems(menu);
}

TEST_F(LandscapeTreeTest, TreesShowTheMapsWithEveryEntryExpanded)
{
    RegisterLandscape();
    CLandscapeWnd& landscape = Frame().GetLandscapeWnd();
    const std::vector<CString> systems = {_T("PRD"), _T("  saplx01_PRD_00 #1 image 1"),
                                          _T("  sapwin01_PRD_01 #2 image 1"), _T("OLD"),
                                          _T("  sapwin01_OLD_10 #1 image 1")};
    EXPECT_EQ(TreeLines(landscape.GetSystemTree()), systems);
    const std::vector<CString> hosts = {_T("saplx01"),
                                        _T("  saplx01_PRD_00 #1 image 1"),
                                        _T("sapwin01"),
                                        _T("  sapwin01_PRD_01 #1 image 1"),
                                        _T("  sapwin01_OLD_10 #2 image 1"),
                                        _T("dbhost01")};
    EXPECT_EQ(TreeLines(landscape.GetHostTree()), hosts);
    const std::vector<CString> databases = {_T("PRD"), _T("  saplx01_PRD_00 #1 image 1"),
                                            _T("  sapwin01_PRD_01 #2 image 1"), _T("OLD")};
    EXPECT_EQ(TreeLines(landscape.GetDatabaseTree()), databases);

    const struct
    {
        CLandscapeTree& tree;
        int nImage;
    } tops[] = {{landscape.GetSystemTree(), CLandscapeTree::imageSystem},
                {landscape.GetHostTree(), CLandscapeTree::imageHost},
                {landscape.GetDatabaseTree(), CLandscapeTree::imageDatabase}};
    for (const auto& t : tops)
    {
        TVITEMW item = {};
        item.hItem = t.tree.GetChildItem(TVI_ROOT);
        item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
        ASSERT_TRUE(t.tree.GetItem(&item));
        EXPECT_EQ(item.iImage, t.nImage);
        EXPECT_EQ(item.iSelectedImage, t.nImage);
        EXPECT_EQ(item.lParam, 0);
        EXPECT_EQ(t.tree.GetImageList(LVSIL_NORMAL)->GetImageCount(), 4);
    }

    // A refill follows the maps: nothing stays of what they no longer hold.
    Frame().DeleteAllSystems();
    landscape.GetSystemTree().Refresh();
    EXPECT_EQ(landscape.GetSystemTree().GetCount(), 0);
}

TEST_F(LandscapeTreeTest, EmptyTreesOfferNoContextMenu)
{
    CLandscapeWnd& landscape = Frame().GetLandscapeWnd();
    for (CLandscapeTree* pTree : std::initializer_list<CLandscapeTree*>{
             &landscape.GetSystemTree(), &landscape.GetHostTree(), &landscape.GetDatabaseTree()})
    {
        BOOL bBuilt = TRUE;
        EXPECT_TRUE(BuildMenu(*pTree, CPoint(5, 5), bBuilt).empty());
        EXPECT_FALSE(bBuilt);
    }
}

TEST_F(LandscapeTreeTest, SystemAndDatabaseTreesOfferRemoveSelections)
{
    RegisterLandscape();
    CLandscapeWnd& landscape = Frame().GetLandscapeWnd();
    BOOL bBuilt = FALSE;
    EXPECT_EQ(BuildMenu(landscape.GetSystemTree(), CPoint(5, 5), bBuilt),
              (Items{{_T("&Remove Selections"), ID_SYSTEM_REMOVE}}));
    EXPECT_TRUE(bBuilt);
    EXPECT_EQ(BuildMenu(landscape.GetDatabaseTree(), CPoint(5, 5), bBuilt),
              (Items{{_T("&Remove Selections"), ID_DATABASE_REMOVE}}));
}

TEST_F(LandscapeTreeTest, TheHostTreesMenuDependsOnWhatWasClicked)
{
    RegisterLandscape();
    ShowTab(1);
    CHostTree& tree = Frame().GetLandscapeWnd().GetHostTree();
    const auto label = [&](HTREEITEM hItem) { return LabelPoint(tree, hItem); };
    const HTREEITEM hSaplx01 = tree.GetChildItem(TVI_ROOT);
    const HTREEITEM hDbHost = tree.GetNextSiblingItem(tree.GetNextSiblingItem(hSaplx01));
    ASSERT_EQ(tree.GetItemText(hDbHost), _T("dbhost01"));
    CRect client;
    tree.GetClientRect(&client);
    ASSERT_FALSE(client.IsRectEmpty());

    const Items remove = {{_T("&Remove Selections"), ID_HOST_REMOVE}};
    const Items addInstance = {{_T("&Add Instance"), 0},
                               {_T("> Remote SAPOSCOL"), ID_HOST_ADD_INSTANCE},
                               {_T("&Remove Selections"), ID_HOST_REMOVE}};
    const Items addHost = {{_T("&Add Host"), ID_HOST_ADD}, {_T("&Remove Selections"), ID_HOST_REMOVE}};
    const struct
    {
        const char* what;
        CPoint point;
        const Items& expected;
    } cases[] = {{"host without instances", label(hDbHost), addInstance},
                 {"host with instances", label(hSaplx01), remove},
                 {"instance", label(tree.GetChildItem(hSaplx01)), remove},
                 {"below the entries", CPoint(client.left + 5, client.bottom - 3), addHost}};
    for (const auto& c : cases)
    {
        BOOL bBuilt = FALSE;
        EXPECT_EQ(BuildMenu(tree, c.point, bBuilt), c.expected) << c.what;
        EXPECT_TRUE(bBuilt) << c.what;
    }
}
} // namespace
