// SECMenuBar: the button table from menu resources, the shown subset, and keyboard access.
#include <toolkit/bars/MenuBar.h>

#include <afxpriv.h>
#include <toolkit/bars/TBMenuBtn.h>
#include <toolkit/bars/ToolBarManager.h>
#include <toolkit/frames/DocTemplateUtils.h>
#include <toolkit/foundation/GdiFallback.h>

#include <cstdarg>

namespace tarnwick::bars
{
IMPLEMENT_DYNCREATE(SECMenuBar, SECCustomToolBar)

namespace
{
constexpr WORD MENU_POPUP = 0x10;
constexpr WORD MENU_END = 0x80;

// Walks a menu template's item lists; the template is the resource after its header.
class MenuTemplateReader
{
public:
    MenuTemplateReader(const BYTE* pData, DWORD cbSize) : m_p(pData), m_pEnd(pData + cbSize)
    {
    }
    // Calls visit(text) for each top-level item; FALSE for a template that runs past its end.
    template <class Visit> BOOL ForEachTopLevel(Visit visit)
    {
        for (;;)
        {
            WORD wFlags = 0;
            if (!ReadWord(wFlags))
                return FALSE;
            if (!(wFlags & MENU_POPUP))
            {
                WORD wID = 0;
                if (!ReadWord(wID))
                    return FALSE;
            }
            LPCWSTR lpszText = nullptr;
            if (!ReadText(lpszText))
                return FALSE;
            visit(lpszText);
            if ((wFlags & MENU_POPUP) && !SkipLevel())
                return FALSE;
            if (wFlags & MENU_END)
                return TRUE;
        }
    }

private:
    BOOL ReadWord(WORD& w)
    {
        if (m_pEnd - m_p < 2)
            return FALSE;
        w = static_cast<WORD>(m_p[0] | (m_p[1] << 8));
        m_p += 2;
        return TRUE;
    }
    BOOL ReadText(LPCWSTR& lpsz)
    {
        lpsz = reinterpret_cast<LPCWSTR>(m_p);
        WORD ch = 0;
        do
            if (!ReadWord(ch))
                return FALSE;
        while (ch != 0);
        return TRUE;
    }
    // A popup's nested list, with its own popups.
    BOOL SkipLevel()
    {
        for (;;)
        {
            WORD wFlags = 0;
            WORD wID = 0;
            LPCWSTR lpszText = nullptr;
            if (!ReadWord(wFlags) || (!(wFlags & MENU_POPUP) && !ReadWord(wID)) || !ReadText(lpszText))
                return FALSE;
            if ((wFlags & MENU_POPUP) && !SkipLevel())
                return FALSE;
            if (wFlags & MENU_END)
                return TRUE;
        }
    }

    const BYTE* m_p;
    const BYTE* m_pEnd;
};

// The item list of a menu resource, or null when the menu is missing.
const BYTE* LockMenuItems(UINT nMenuID, DWORD& cbItems)
{
    const HINSTANCE hInst = AfxGetResourceHandle();
    const HRSRC hRsrc = ::FindResource(hInst, MAKEINTRESOURCE(nMenuID), RT_MENU);
    const HGLOBAL hGlobal = hRsrc != nullptr ? ::LoadResource(hInst, hRsrc) : nullptr;
    const auto* pData = hGlobal != nullptr ? static_cast<const BYTE*>(::LockResource(hGlobal)) : nullptr;
    const DWORD cbSize = pData != nullptr ? ::SizeofResource(hInst, hRsrc) : 0;
    if (cbSize < 4)
        return nullptr;
    const DWORD cbHeader = 4u + static_cast<DWORD>(pData[2] | (pData[3] << 8));
    if (cbHeader > cbSize)
        return nullptr;
    cbItems = cbSize - cbHeader;
    return pData + cbHeader;
}
} // namespace

BEGIN_MESSAGE_MAP(SECMenuBar, SECCustomToolBar)
ON_WM_SETTINGCHANGE()
END_MESSAGE_MAP()

SECMenuBar::SECMenuBar()
    : m_bDelayFloatFix(FALSE), m_dwMenuMask(0xFFFFFFFF), m_nCurrentMenuId(0), m_bBorderSpaceMode(FALSE)
{
    m_bMenuLook = TRUE;
    CreateMenuFont();
}

SECMenuBar::~SECMenuBar() = default;

void SECMenuBar::CreateMenuFont()
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    m_fontMenu.DeleteObject();
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        SECCreateFont(m_fontMenu, metrics.lfMenuFont);
}

BOOL SECMenuBar::CreateEx(DWORD dwExStyle, CWnd* pParentWnd, DWORD dwStyle, UINT nID, LPCTSTR lpszTitle)
{
    // The menu bar spans its dock side and leaves the frame's in-place activation alone.
    return SECCustomToolBar::CreateEx(dwExStyle | CBRS_EX_FULLLENGTH, pParentWnd, dwStyle | CBRS_HIDE_INPLACE, nID,
                                      lpszTitle);
}

int SECMenuBar::GetButtonHeight() const
{
    return GetImageHeight() + 7;
}

CFont* SECMenuBar::GetFont() const
{
    return m_fontMenu.m_hObject != nullptr ? const_cast<CFont*>(&m_fontMenu) : SECCustomToolBar::GetFont();
}

std::unique_ptr<SECBtnMapEntry[]> SECMenuBar::BuildMenuTable(const std::vector<UINT>& menuIds)
{
    m_menuTexts.RemoveAll();
    m_menuMaskMap.clear();
    // First pass: how many popups, so that the texts never move once pointed to.
    int nTotal = 0;
    for (UINT nMenuID : menuIds)
    {
        DWORD cbItems = 0;
        if (const BYTE* pItems = LockMenuItems(nMenuID, cbItems))
            MenuTemplateReader(pItems, cbItems).ForEachTopLevel([&nTotal](LPCWSTR) { ++nTotal; });
    }
    if (nTotal == 0)
        return nullptr;
    auto pTable = std::make_unique<SECBtnMapEntry[]>(static_cast<size_t>(nTotal) + 1);
    m_menuTexts.SetSize(nTotal);
    int nRecord = 0;
    DWORD dwBit = 1;
    for (UINT nMenuID : menuIds)
    {
        DWORD cbItems = 0;
        const BYTE* pItems = LockMenuItems(nMenuID, cbItems);
        if (pItems == nullptr)
            continue;
        const int nFirst = nRecord;
        int nPopup = 0;
        MenuTemplateReader(pItems, cbItems).ForEachTopLevel([&](LPCWSTR lpszText) {
            if (nRecord >= nTotal)
                return;
            m_menuTexts[nRecord] = lpszText;
            SECBtnMapEntry& entry = pTable[static_cast<size_t>(nRecord)];
            entry.pClass = &SECTBMenuBtn::classTBMenuBtn;
            entry.nID = FIRST_MENU_COMMAND + static_cast<UINT>(nRecord);
            entry.nStyle = MENU_BUTTON_STYLE;
            entry.params[0] = nMenuID;
            entry.params[1] = static_cast<UINT_PTR>(nPopup++);
            entry.params[2] = reinterpret_cast<UINT_PTR>(static_cast<LPCTSTR>(m_menuTexts[nRecord]));
            entry.params[3] = dwBit;
            ++nRecord;
        });
        if (nRecord > nFirst)
        {
            m_menuMaskMap[nMenuID] = dwBit;
            dwBit <<= 1;
        }
    }
    return pTable;
}

std::vector<UINT> SECMenuBar::CollectMenuIds(int nCount, UINT nFirst, va_list args)
{
    std::vector<UINT> menuIds{nFirst};
    for (int i = 1; i < nCount; ++i)
        menuIds.push_back(va_arg(args, UINT));
    return menuIds;
}

BOOL SECMenuBar::SetMenuInfo(int nCount, UINT nMenuID, ...)
{
    va_list args;
    va_start(args, nMenuID);
    const std::vector<UINT> menuIds = SECMenuBar::CollectMenuIds(nCount, nMenuID, args);
    va_end(args);
    std::unique_ptr<SECBtnMapEntry[]> pTable = BuildMenuTable(menuIds);
    if (pTable == nullptr)
    {
        SetSecondButtonMap(nullptr);
        ResetButtons(TRUE);
        return FALSE;
    }
    SetSecondButtonMap(pTable.release());
    ResetButtons(m_hWnd == nullptr);
    return TRUE;
}

std::vector<UINT> SECMenuBar::MenuButtonIds() const
{
    std::vector<UINT> ids;
    if (m_pManager != nullptr)
    {
        int nCount = 0;
        const UINT* pIDs = m_pManager->GetMenuBarIds(nCount);
        ids.assign(pIDs, pIDs + nCount);
    }
    else
        for (const SECBtnMapEntry* pEntry = m_pSecondButtonMap; pEntry != nullptr && pEntry->pClass != nullptr;
             ++pEntry)
            ids.push_back(pEntry->nID);
    return ids;
}

void SECMenuBar::ResetButtons(BOOL bNoLayout)
{
    const std::vector<UINT> ids = MenuButtonIds();
    SetButtons(ids.data(), static_cast<int>(ids.size()));
    ShowMenuButtons(m_dwMenuMask, FALSE);
    if (!bNoLayout && m_hWnd != nullptr)
        RecalcAndRepaint();
}

void SECMenuBar::ShowMenuButtons(DWORD dwMask, BOOL bRedraw)
{
    m_dwMenuMask = dwMask;
    for (SECStdBtn* pBtn : m_btns)
    {
        if (pBtn->m_nType != SECStdBtn::KindMenu)
            continue;
        const auto* pMenuBtn = static_cast<const SECTBMenuBtn*>(pBtn);
        if (pMenuBtn->m_dwMenuMask & dwMask)
            pBtn->m_nStyle &= ~TBBS_HIDDEN;
        else
            pBtn->m_nStyle |= TBBS_HIDDEN;
    }
    m_bDirtyFloat = m_bDirtyHorz = m_bDirtyVert = TRUE;
    if (bRedraw && m_hWnd != nullptr)
    {
        RecalcAndRepaint();
        UpdateWindow();
    }
}

int SECMenuBar::FindMnemonic(TCHAR ch) const
{
    for (int i = 0; i < GetBtnCount(); ++i)
    {
        const SECStdBtn* pBtn = GetButton(i);
        if (pBtn->m_nType == SECStdBtn::KindMenu && !(pBtn->m_nStyle & TBBS_HIDDEN) &&
            static_cast<const SECTBMenuBtn*>(pBtn)->m_chMnemonic == ch)
            return i;
    }
    return -1;
}

void SECMenuBar::SwitchMenu(UINT nMenuID)
{
    auto it = m_menuMaskMap.find(nMenuID);
    // A frame hosting a floated bar shows the main window's menu under its own id.
    if (it == m_menuMaskMap.end() && nMenuID == ID_BAR_CHILD_MENU)
        it = m_menuMaskMap.find(
            frames::SECDocTemplateUtils().GetFrameResourceID(dynamic_cast<CFrameWnd*>(AfxGetMainWnd())));
    if (it == m_menuMaskMap.end())
        return;
    ShowMenuButtons(it->second, FALSE);
    m_nCurrentMenuId = nMenuID;
}

void SECMenuBar::RequestSystemMenu()
{
    if (m_nPressedBtn >= 0 && m_nPressedBtn < GetBtnCount())
        GetButton(m_nPressedBtn)->CancelPress();
    m_nPressedBtn = -1;
    const int nOwned = 0;
    SendBtnNotify(TBN_SEC_DROPDOWN, -1, CPoint(0, -1), &nOwned, 1);
}

void SECMenuBar::OpenHotButton()
{
    if (!IsKeyboardMode())
        return;
    const int nHot = m_nKeyboardBtn;
    EndKeyboardMode();
    if (nHot < 0)
        RequestSystemMenu();
    else
        ActivateButton(nHot);
}

void SECMenuBar::ProdMenu(BOOL bNext)
{
    const int nNext = NextKeyboardButton(bNext);
    if (IsKeyboardMode())
    {
        if (nNext >= 0)
            SetKeyboardButton(nNext);
        return;
    }
    if (nNext < 0)
    {
        RequestSystemMenu();
        return;
    }
    m_nKeyboardBtn = nNext;
    ActivateButton(nNext);
}

void SECMenuBar::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CreateMenuFont();
    for (SECStdBtn* pBtn : m_btns)
        pBtn->AdjustSize();
    m_bDirtyFloat = m_bDirtyHorz = m_bDirtyVert = TRUE;
    RecalcAndRepaint();
    SECCustomToolBar::OnSettingChange(uFlags, lpszSection);
}
} // namespace tarnwick::bars
