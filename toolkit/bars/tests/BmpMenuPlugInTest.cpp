// Bitmap menus convert a popup's text items into owner-drawn items with records, leave the
// system menu and other components' items alone, answer mnemonics, draw the commands' toolbar
// images and give the text items back when they go.
#include <toolkit/bars/BmpMenuPlugIn.h>

#include <afxpriv.h>

#include <toolkit/bars/BmpMgr.h>
#include <toolkit/foundation/AuxData.h>
#include <toolkit/foundation/VisualStyle.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "PlugInFrame.h"
#include <testing/MemoryCanvas.h>
#include <testing/MessagePump.h>

using namespace tarnwick::bars;

namespace
{
struct ItemState
{
    UINT fType;
    ULONG_PTR data;
    CString strText;
};

ItemState ItemAt(HMENU hMenu, int nPos)
{
    TCHAR sz[64] = {};
    MENUITEMINFO mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_STRING;
    mii.dwTypeData = sz;
    mii.cch = 64;
    ::GetMenuItemInfo(hMenu, static_cast<UINT>(nPos), TRUE, &mii);
    return {mii.fType, mii.dwItemData, (mii.fType & MFT_OWNERDRAW) ? CString() : CString(sz)};
}

class BmpMenuPlugInTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new PlugInFrame;
        ASSERT_TRUE(m_pFrame->Create(nullptr, _T("Menus"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300), nullptr,
                                     MAKEINTRESOURCE(128)));
        m_pPlugIn = new SECBmpMenuPlugIn;
        auto* pStore = new SECBmpMgr;
        ASSERT_TRUE(pStore->LoadToolBarResource(128, 129));
        m_pPlugIn->SetBmpMgr(pStore);
        pStore->Release();
        ASSERT_TRUE(m_pPlugIn->PlugInTo(m_pFrame));
        m_pFrame->m_pPlugIn = m_pPlugIn;
        m_hSystem = ::GetSubMenu(::GetMenu(m_pFrame->m_hWnd), 0);
    }
    void TearDown() override
    {
        DropPlugIn();
        m_pFrame->DestroyWindow();
        PumpPendingMessages();
    }
    void DropPlugIn()
    {
        if (m_pPlugIn == nullptr)
            return;
        m_pFrame->m_pPlugIn = nullptr;
        m_pPlugIn->UnPlug();
        delete m_pPlugIn;
        m_pPlugIn = nullptr;
    }
    void InitPopup(HMENU hMenu, BOOL bSysMenu = FALSE)
    {
        m_pFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hMenu), MAKELPARAM(0, bSysMenu));
    }

    PlugInFrame* m_pFrame = nullptr;
    SECBmpMenuPlugIn* m_pPlugIn = nullptr;
    HMENU m_hSystem = nullptr;
};
} // namespace

TEST_F(BmpMenuPlugInTest, PopupTextItemsBecomeOwnerDrawnWithRecords)
{
    InitPopup(m_hSystem);
    const SECBmpMenuInfo* pMenu = m_pPlugIn->FindMenu(m_hSystem);
    ASSERT_NE(pMenu, nullptr);
    const bool bStyled = SECIsVisualStyle2() || SECIsVisualStyle3() || SECIsVisualStyle4();
    ASSERT_EQ(pMenu->items.size(), bStyled ? 4u : 3u);
    const ItemState exitItem = ItemAt(m_hSystem, 3);
    ASSERT_TRUE(exitItem.fType & MFT_OWNERDRAW);
    const auto* pExit = reinterpret_cast<const SECBmpMenuItemInfo*>(exitItem.data);
    ASSERT_TRUE(pMenu->Holds(pExit));
    EXPECT_EQ(pExit->m_nID, 57665u);
    EXPECT_EQ(pExit->m_strText, _T("E&xit"));
    EXPECT_EQ(pExit->m_chMnemonic, _T('X'));
    // A second popup initialisation converts nothing twice.
    InitPopup(m_hSystem);
    EXPECT_EQ(m_pPlugIn->FindMenu(m_hSystem)->items.size(), bStyled ? 4u : 3u);
}

TEST_F(BmpMenuPlugInTest, SystemMenuAndSystemCommandsAreNeverConverted)
{
    HMENU hSysMenu = ::GetSystemMenu(m_pFrame->m_hWnd, FALSE);
    ASSERT_NE(hSysMenu, nullptr);
    InitPopup(hSysMenu, TRUE);
    EXPECT_EQ(m_pPlugIn->FindMenu(hSysMenu), nullptr);

    // System commands in an ordinary popup stay text items too.
    CMenu popup;
    popup.CreatePopupMenu();
    popup.AppendMenu(MF_STRING, SC_CLOSE, _T("&Close"));
    popup.AppendMenu(MF_STRING, 32779, _T("&Add"));
    InitPopup(popup.m_hMenu);
    EXPECT_FALSE(ItemAt(popup.m_hMenu, 0).fType & MFT_OWNERDRAW);
    EXPECT_TRUE(ItemAt(popup.m_hMenu, 1).fType & MFT_OWNERDRAW);
}

TEST_F(BmpMenuPlugInTest, ForeignOwnerDrawnItemsStayExcluded)
{
    CMenu popup;
    popup.CreatePopupMenu();
    popup.AppendMenu(MF_OWNERDRAW, 500, reinterpret_cast<LPCTSTR>(0x1234));
    popup.AppendMenu(MF_STRING, 501, _T("&Other"));
    InitPopup(popup.m_hMenu);
    EXPECT_TRUE(m_pPlugIn->IsExcluded(500));
    EXPECT_EQ(ItemAt(popup.m_hMenu, 0).data, 0x1234u);
    EXPECT_TRUE(ItemAt(popup.m_hMenu, 1).fType & MFT_OWNERDRAW);
    // Measuring and drawing leave the foreign item to its owner.
    MEASUREITEMSTRUCT mis{};
    mis.CtlType = ODT_MENU;
    mis.itemID = 500;
    mis.itemData = 0x1234;
    m_pFrame->SendMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
    EXPECT_EQ(mis.itemWidth, 0u);
    InitPopup(popup.m_hMenu);
    EXPECT_TRUE(m_pPlugIn->IsExcluded(500));
    EXPECT_EQ(ItemAt(popup.m_hMenu, 0).data, 0x1234u);
}

TEST_F(BmpMenuPlugInTest, MenuCharExecutesASingleMatchAndSelectsAmongSeveral)
{
    CMenu popup;
    popup.CreatePopupMenu();
    popup.AppendMenu(MF_STRING, 601, _T("&Add"));
    popup.AppendMenu(MF_STRING, 602, _T("&Apply"));
    popup.AppendMenu(MF_STRING, 603, _T("&Remove"));
    InitPopup(popup.m_hMenu);
    const auto menuChar = [&](TCHAR ch) {
        return m_pFrame->SendMessage(WM_MENUCHAR, MAKEWPARAM(ch, MF_POPUP), reinterpret_cast<LPARAM>(popup.m_hMenu));
    };
    EXPECT_EQ(menuChar(_T('r')), MAKELRESULT(2, MNC_EXECUTE));
    EXPECT_EQ(menuChar(_T('a')), MAKELRESULT(0, MNC_SELECT));
    // After the highlighted item comes the next match, and after the last the first again.
    MENUITEMINFO mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_STATE;
    mii.fState = MFS_HILITE;
    ::SetMenuItemInfo(popup.m_hMenu, 0, TRUE, &mii);
    EXPECT_EQ(menuChar(_T('A')), MAKELRESULT(1, MNC_SELECT));
    mii.fState = 0;
    ::SetMenuItemInfo(popup.m_hMenu, 0, TRUE, &mii);
    mii.fState = MFS_HILITE;
    ::SetMenuItemInfo(popup.m_hMenu, 1, TRUE, &mii);
    EXPECT_EQ(menuChar(_T('A')), MAKELRESULT(0, MNC_SELECT));
    // No match: the system's default answer.
    EXPECT_EQ(menuChar(_T('z')), 0);
}

TEST_F(BmpMenuPlugInTest, ItemDrawsItsCommandsToolbarImage)
{
    InitPopup(m_hSystem);
    const ItemState add = ItemAt(m_hSystem, 0);
    MemoryCanvas canvas(160, 24, RGB(1, 2, 3));
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_MENU;
    dis.itemID = 32779;
    dis.itemData = add.data;
    dis.hwndItem = reinterpret_cast<HWND>(m_hSystem);
    dis.hDC = canvas.Hdc();
    dis.rcItem = {0, 0, 160, 24};
    m_pFrame->SendMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
    // The cell is the image plus 4, centred; the image 2 pixels in: image 0 is a monitor with a
    // dark blue screen in a grey bezel.
    const int yImage = (24 - 19) / 2 + 2;
    EXPECT_EQ(canvas.Pixel(2 + 7, yImage + 7), RGB(0, 0, 160));
    EXPECT_EQ(canvas.Pixel(2 + 2, yImage + 9), RGB(52, 52, 68));
    // The image's background shows the menu, not the bitmap's grey.
    EXPECT_NE(canvas.Pixel(2 + 1, yImage + 1), RGB(192, 192, 192));

    MEASUREITEMSTRUCT mis{};
    mis.CtlType = ODT_MENU;
    mis.itemID = 32779;
    mis.itemData = add.data;
    m_pFrame->SendMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
    EXPECT_GT(mis.itemWidth, 16u + 30u);
    EXPECT_GE(mis.itemHeight, 15u + 4u);
}

TEST_F(BmpMenuPlugInTest, DestroyingThePlugInRestoresTheTextItems)
{
    InitPopup(m_hSystem);
    ASSERT_TRUE(ItemAt(m_hSystem, 0).fType & MFT_OWNERDRAW);
    DropPlugIn();
    const ItemState add = ItemAt(m_hSystem, 0);
    EXPECT_FALSE(add.fType & MFT_OWNERDRAW);
    EXPECT_EQ(add.strText, _T("&Add"));
    EXPECT_EQ(add.data, 0u);
    EXPECT_EQ(ItemAt(m_hSystem, 3).strText, _T("E&xit"));
    EXPECT_TRUE(ItemAt(m_hSystem, 2).fType & MFT_SEPARATOR);
}

TEST_F(BmpMenuPlugInTest, PruningDropsRecordsOfGoneMenusAndItems)
{
    CMenu* pPopup = new CMenu;
    pPopup->CreatePopupMenu();
    pPopup->AppendMenu(MF_STRING, 601, _T("&Add"));
    pPopup->AppendMenu(MF_STRING, 602, _T("&Apply"));
    const HMENU hPopup = pPopup->m_hMenu;
    InitPopup(hPopup);
    ASSERT_EQ(m_pPlugIn->FindMenu(hPopup)->items.size(), 2u);
    pPopup->DeleteMenu(0, MF_BYPOSITION);
    m_pFrame->SendMessage(WM_IDLEUPDATECMDUI);
    ASSERT_NE(m_pPlugIn->FindMenu(hPopup), nullptr);
    EXPECT_EQ(m_pPlugIn->FindMenu(hPopup)->items.size(), 1u);
    pPopup->DestroyMenu();
    delete pPopup;
    m_pFrame->SendMessage(WM_IDLEUPDATECMDUI);
    EXPECT_EQ(m_pPlugIn->FindMenu(hPopup), nullptr);
}

// The pixel of the item's text area that lies farthest from its background.
COLORREF TextColorOf(const MemoryCanvas& canvas, int xFrom, int cx, int cy)
{
    const COLORREF clrBack = canvas.Pixel(cx - 2, 1);
    COLORREF clrText = clrBack;
    int nFarthest = 0;
    for (int y = 0; y < cy; ++y)
        for (int x = xFrom; x < cx; ++x)
        {
            const COLORREF clr = canvas.Pixel(x, y);
            const int nDistance = std::abs(GetRValue(clr) - GetRValue(clrBack)) +
                                  std::abs(GetGValue(clr) - GetGValue(clrBack)) +
                                  std::abs(GetBValue(clr) - GetBValue(clrBack));
            if (nDistance > nFarthest)
            {
                nFarthest = nDistance;
                clrText = clr;
            }
        }
    return clrText;
}

TEST_F(BmpMenuPlugInTest, AHotItemKeepsItsTextColourAndOnlyADisabledOneIsGrey)
{
    const int nOldStyle = SECGetVisualStyle();
    InitPopup(m_hSystem);
    const ItemState add = ItemAt(m_hSystem, 0);
    const int cx = 160, cy = 24, xText = 30;
    const auto textColor = [&](UINT nState) {
        MemoryCanvas canvas(cx, cy, RGB(1, 2, 3));
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_MENU;
        dis.itemID = 32779;
        dis.itemState = nState;
        dis.itemData = add.data;
        dis.hwndItem = reinterpret_cast<HWND>(m_hSystem);
        dis.hDC = canvas.Hdc();
        dis.rcItem = {0, 0, cx, cy};
        m_pFrame->SendMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
        return TextColorOf(canvas, xText, cx, cy);
    };
    for (int nStyle : {1, 2, 3})
    {
        SECSetVisualStyle(nStyle);
        const COLORREF clrNormal = textColor(0);
        const COLORREF clrHot = textColor(ODS_SELECTED);
        const COLORREF clrHotDisabled = textColor(ODS_SELECTED | ODS_GRAYED);
        if (nStyle == 1)
            EXPECT_EQ(clrHot, ::GetSysColor(COLOR_HIGHLIGHTTEXT));
        else
            EXPECT_EQ(clrHot, clrNormal) << nStyle;
        EXPECT_NE(clrHot, clrHotDisabled) << nStyle;
        EXPECT_EQ(clrHotDisabled, nStyle == 1 ? ::GetSysColor(COLOR_GRAYTEXT) : SECGetStyleColor(18)) << nStyle;
    }
    SECSetVisualStyle(nOldStyle);
}
