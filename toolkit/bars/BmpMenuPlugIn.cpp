// SECBmpMenuPlugIn: converting popup items, measuring and drawing them with toolbar images,
// mnemonics, and giving the items back.
#include <toolkit/bars/BmpMenuPlugIn.h>

#include <afxpriv.h>
#include <toolkit/bars/BarsRes.h>
#include <toolkit/bars/BmpMgr.h>
#include <toolkit/bars/MaskPaint.h>
#include <toolkit/foundation/AuxData.h>
#include <toolkit/foundation/BitmapDraw.h>
#include <toolkit/foundation/Colors.h>
#include <toolkit/foundation/VisualStyle.h>
#include <toolkit/tabs/HalftoneBrush.h>
#include <toolkit/foundation/GdiFallback.h>

#include <algorithm>

namespace tarnwick::bars
{
IMPLEMENT_DYNAMIC(SECBmpMenuPlugIn, SECWndPlugIn)

namespace
{
constexpr UINT SYSCOMMAND_FIRST = 0xF000;
constexpr UINT SYSCOMMAND_LAST = 0xFEFF;
constexpr int TEXT_RIGHT_MARGIN = 23;
constexpr int ITEM_EXTRA_WIDTH = 30;
// The system's check-mark bitmap (OBM_CHECK).
constexpr UINT_PTR SYSTEM_CHECK_BITMAP = 32760;

// The colours the classic drawing uses, cached for the process.
struct MenuColors
{
    COLORREF clrFace;
    COLORREF clrHilite;
    COLORREF clrEtch;
    COLORREF clrShadow;
    COLORREF clrHighlight;
    COLORREF clrMenu;
    COLORREF clrGrayText;
    COLORREF clrHighlightText;
    COLORREF clrMenuText;

    void Refresh()
    {
        clrFace = ::GetSysColor(COLOR_BTNFACE);
        clrHilite = clrEtch = ::GetSysColor(COLOR_3DHILIGHT);
        clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
        clrHighlight = ::GetSysColor(COLOR_HIGHLIGHT);
        clrMenu = ::GetSysColor(COLOR_MENU);
        clrGrayText = ::GetSysColor(COLOR_GRAYTEXT);
        clrHighlightText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
        clrMenuText = ::GetSysColor(COLOR_MENUTEXT);
    }
};
MenuColors g_colors;

// The visual styles' colours of an item; entries of the style tables (negative: of the
// second table, index -1 - n).
struct StyleMenuColors
{
    int nGutter;
    int nGutterEnd; // a gradient when it differs from nGutter
    int nItem;
    int nSelected;
    int nFrame; // -100: no frame
    int nCheckedSelected;
    int nCheckedSelectedFrame;
    int nChecked;
    int nCheckedFrame;
    int nTextOffset;
};
constexpr int NO_FRAME = -100;
const StyleMenuColors kStyleColors[] = {
    // Style 2.
    {25, 25, 15, 19, 20, 13, 14, 11, 12, 4},
    // Style 3: gradients of the second table.
    {-1 - 0, -1 - 1, 15, -1 - 5, 20, -1 - 3, -1 - 7, -1 - 3, -1 - 7, 4},
    // Style 4: the theme draws selection and check.
    {25, 25, 25, 25, NO_FRAME, 25, NO_FRAME, 25, NO_FRAME, 0},
};

COLORREF StyleColor(int n)
{
    return n < 0 ? SECGetStyleColor2(static_cast<UINT>(-1 - n)) : SECGetStyleColor(static_cast<UINT>(n));
}

// The style table of the selected visual style 2, 3 or 4; null in the classic look.
const StyleMenuColors* SelectedStyle()
{
    if (SECIsVisualStyle2())
        return &kStyleColors[0];
    if (SECIsVisualStyle3())
        return &kStyleColors[1];
    if (SECIsVisualStyle4())
        return &kStyleColors[2];
    return nullptr;
}

TCHAR MnemonicOf(const CString& strText)
{
    const int nAmp = strText.Find(_T('&'));
    if (nAmp < 0 || nAmp + 1 >= strText.GetLength())
        return 0;
    return static_cast<TCHAR>(
        reinterpret_cast<UINT_PTR>(::CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(strText[nAmp + 1])))));
}

void FillGradientOrSolid(CDC* pDC, const CRect& rect, int nStart, int nEnd)
{
    if (nStart == nEnd)
        pDC->FillSolidRect(rect, StyleColor(nStart));
    else
        SECDrawGradientRect(pDC->m_hDC, rect.left, rect.top, rect.Width(), rect.Height(), StyleColor(nEnd),
                            StyleColor(nStart), TRUE);
}

// A 16 x 15 dot of five rows for checked radio items.
HBITMAP CreateRadioDot()
{
    static const WORD rows[15] = {0, 0, 0, 0, 0, 0x0380, 0x07C0, 0x07C0, 0x07C0, 0x0380, 0, 0, 0, 0, 0};
    WORD bits[15];
    for (int i = 0; i < 15; ++i)
        bits[i] = static_cast<WORD>(~rows[i]);
    HBITMAP hBitmap = ::CreateBitmap(16, 15, 1, 1, bits);
    return hBitmap != nullptr ? hBitmap : ::LoadBitmap(nullptr, MAKEINTRESOURCE(SYSTEM_CHECK_BITMAP));
}
} // namespace

BEGIN_MESSAGE_MAP(SECBmpMenuPlugIn, SECWndPlugIn)
ON_WM_INITMENUPOPUP()
ON_WM_MEASUREITEM()
ON_WM_DRAWITEM()
ON_MESSAGE(WM_MENUCHAR, OnMenuChar)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
ON_WM_SETTINGCHANGE()
ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

SECBmpMenuPlugIn::SECBmpMenuPlugIn(BOOL bRadioDot)
    : m_bRadioDot(bRadioDot), m_pBmpMgr(new SECBmpMgr), m_crTransparent(RGB(192, 192, 192)), m_bUseTransparent(FALSE)
{
    g_colors.Refresh();
    if (m_bRadioDot)
        m_bmpRadioDot.Attach(CreateRadioDot());
}

SECBmpMenuPlugIn::~SECBmpMenuPlugIn()
{
    RestoreItems(FALSE);
    m_menuMap.clear();
    m_pBmpMgr->Release();
}

void SECBmpMenuPlugIn::SetBmpMgr(SECBmpMgr* pBmpMgr)
{
    pBmpMgr->AddRef();
    m_pBmpMgr->Release();
    m_pBmpMgr = pBmpMgr;
    m_pBmpMgr->ReloadBitmaps(TRUE);
}

void SECBmpMenuPlugIn::SetTransparentColor(COLORREF clr, BOOL bUse)
{
    m_crTransparent = clr;
    m_bUseTransparent = bUse;
}

COLORREF SECBmpMenuPlugIn::GetTransparentColor() const
{
    return m_crTransparent;
}

const SECBmpMenuInfo* SECBmpMenuPlugIn::FindMenu(HMENU hMenu) const
{
    const auto it = m_menuMap.find(hMenu);
    return it == m_menuMap.end() ? nullptr : it->second.get();
}

SECBmpMenuItemInfo* SECBmpMenuPlugIn::KnownRecord(ULONG_PTR itemData) const
{
    auto* pInfo = reinterpret_cast<SECBmpMenuItemInfo*>(itemData);
    for (const auto& [hMenu, pMenu] : m_menuMap)
        if (pMenu->Holds(pInfo))
            return pInfo;
    return nullptr;
}

void SECBmpMenuPlugIn::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu)
{
    const HMENU hMenu = pPopupMenu != nullptr ? pPopupMenu->GetSafeHmenu() : nullptr;
    if (bSysMenu || hMenu == nullptr)
        return;
    auto& pMenuInfo = m_menuMap[hMenu];
    if (pMenuInfo == nullptr)
    {
        pMenuInfo = std::make_unique<SECBmpMenuInfo>();
        pMenuInfo->hMenu = hMenu;
    }
    const bool bStyled = SelectedStyle() != nullptr;
    const int nCount = ::GetMenuItemCount(hMenu);
    UINT nPrevID = 0;
    for (int i = 0; i < nCount; ++i)
    {
        TCHAR szText[256] = {};
        MENUITEMINFO mii{};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_TYPE | MIIM_DATA;
        mii.dwTypeData = szText;
        mii.cch = _countof(szText);
        if (!::GetMenuItemInfo(hMenu, static_cast<UINT>(i), TRUE, &mii))
            continue;
        const UINT nID = mii.hSubMenu != nullptr ? 0 : mii.wID;
        const UINT nThisPrev = nPrevID;
        nPrevID = nID;
        if (mii.fType & MFT_BITMAP)
            continue;
        if (mii.fType & MFT_OWNERDRAW)
        {
            // Someone else draws it: its command stays theirs.
            if (!IsExcluded(nID) && !pMenuInfo->Holds(reinterpret_cast<SECBmpMenuItemInfo*>(mii.dwItemData)))
                m_excludedIds.insert(nID);
            continue;
        }
        if ((nID >= SYSCOMMAND_FIRST && nID <= SYSCOMMAND_LAST) || IsExcluded(nID))
            continue;
        auto pInfo = std::make_unique<SECBmpMenuItemInfo>();
        if (mii.fType & MFT_SEPARATOR)
        {
            if (!bStyled || (nThisPrev >= SYSCOMMAND_FIRST && nThisPrev <= SYSCOMMAND_LAST))
                continue;
        }
        else
        {
            pInfo->m_nID = nID;
            pInfo->m_strText = szText;
            pInfo->m_chMnemonic = MnemonicOf(pInfo->m_strText);
            pInfo->m_bDefault = (mii.fState & MFS_DEFAULT) != 0;
        }
        MENUITEMINFO set{};
        set.cbSize = sizeof(set);
        set.fMask = MIIM_TYPE | MIIM_DATA;
        set.fType = (mii.fType & ~MFT_SEPARATOR) | MFT_OWNERDRAW;
        set.dwTypeData = reinterpret_cast<LPTSTR>(pInfo.get());
        set.dwItemData = reinterpret_cast<ULONG_PTR>(pInfo.get());
        if (::SetMenuItemInfo(hMenu, static_cast<UINT>(i), TRUE, &set))
            pMenuInfo->items.push_back(std::move(pInfo));
    }
}

CSize SECBmpMenuPlugIn::ImageSize() const
{
    return m_pBmpMgr->GetSmallImageSize();
}

CFont* SECBmpMenuPlugIn::CreateMenuFont()
{
    if (m_fontMenu.m_hObject == nullptr)
    {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof(metrics);
        if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
            SECCreateFont(m_fontMenu, metrics.lfMenuFont);
    }
    return &m_fontMenu;
}

CFont* SECBmpMenuPlugIn::CreateBoldMenuFont()
{
    if (m_fontMenuBold.m_hObject == nullptr)
    {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof(metrics);
        if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        {
            metrics.lfMenuFont.lfWeight = FW_BOLD;
            SECCreateFont(m_fontMenuBold, metrics.lfMenuFont);
        }
    }
    return &m_fontMenuBold;
}

void SECBmpMenuPlugIn::OnMeasureItem(int, LPMEASUREITEMSTRUCT lpMIS)
{
    if (lpMIS->CtlType != ODT_MENU || IsExcluded(lpMIS->itemID))
        return;
    const SECBmpMenuItemInfo* pInfo = KnownRecord(lpMIS->itemData);
    if (pInfo == nullptr)
        return;
    CClientDC dc(nullptr);
    CFont* pOld = dc.SelectObject(pInfo->m_bDefault ? CreateBoldMenuFont() : CreateMenuFont());
    CRect rect(0, 0, 0, 0);
    dc.DrawText(pInfo->m_strText, rect, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
    dc.SelectObject(pOld);
    const CSize sizeImage = ImageSize();
    const int cyMin = std::max<int>(::GetSystemMetrics(SM_CYMENU), sizeImage.cy + 4);
    lpMIS->itemWidth = static_cast<UINT>(rect.Width() + sizeImage.cx + ITEM_EXTRA_WIDTH);
    lpMIS->itemHeight = static_cast<UINT>(rect.Height() > cyMin ? rect.Height() : cyMin);
    if (pInfo->m_nID == static_cast<UINT>(-1))
        lpMIS->itemHeight /= 4;
    StopMsgProcessing();
    SetMsgHandled(TRUE);
}

void SECBmpMenuPlugIn::OnDrawItem(int, LPDRAWITEMSTRUCT lpDIS)
{
    if (lpDIS->CtlType != ODT_MENU || IsExcluded(lpDIS->itemID))
        return;
    const SECBmpMenuInfo* pMenu = FindMenu(reinterpret_cast<HMENU>(lpDIS->hwndItem));
    const auto* pInfo = reinterpret_cast<const SECBmpMenuItemInfo*>(lpDIS->itemData);
    if (pMenu == nullptr || !pMenu->Holds(pInfo))
        return;
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const int nSaved = pDC->SaveDC();
    const CRect rectItem(lpDIS->rcItem);
    const bool bSelected = (lpDIS->itemState & ODS_SELECTED) != 0;
    const bool bDisabled = (lpDIS->itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    const StyleMenuColors* pStyle = SelectedStyle();
    const CSize sizeImage = ImageSize();
    CRect rectCell(rectItem.left, rectItem.top + (rectItem.Height() - sizeImage.cy - 4) / 2,
                   rectItem.left + sizeImage.cx + 4,
                   rectItem.top + (rectItem.Height() - sizeImage.cy - 4) / 2 + sizeImage.cy + 4);

    if (pInfo->m_nID == static_cast<UINT>(-1))
    {
        // A separator: only the visual styles convert them.
        if (pStyle != nullptr)
        {
            pDC->FillSolidRect(rectItem, StyleColor(pStyle->nItem));
            FillGradientOrSolid(pDC,
                                CRect(rectItem.left, rectItem.top, rectItem.left + sizeImage.cx + 5, rectItem.bottom),
                                pStyle->nGutter, pStyle->nGutterEnd);
        }
        const int y = rectItem.top + rectItem.Height() / 2;
        pDC->FillSolidRect(rectItem.left + sizeImage.cx + 8, y, rectItem.right - rectItem.left - sizeImage.cx - 8, 1,
                           pStyle != nullptr ? SECGetStyleColor(27) : g_colors.clrShadow);
        pDC->RestoreDC(nSaved);
        StopMsgProcessing();
        SetMsgHandled(TRUE);
        return;
    }

    CRect rectText = rectItem;
    rectText.left = rectCell.right;
    if (pStyle == nullptr)
    {
        pDC->FillSolidRect(rectText, bSelected ? g_colors.clrHighlight : g_colors.clrMenu);
        pDC->FillSolidRect(rectCell.left, rectItem.top, rectCell.Width(), rectItem.Height(),
                           bSelected && SECIsAppThemed() ? g_colors.clrHighlight : g_colors.clrMenu);
    }
    else
    {
        pDC->FillSolidRect(rectItem, StyleColor(pStyle->nItem));
        FillGradientOrSolid(pDC, CRect(rectItem.left, rectItem.top, rectCell.right, rectItem.bottom), pStyle->nGutter,
                            pStyle->nGutterEnd);
        if (bSelected)
        {
            const CRect rectSel = rectItem;
            pDC->FillSolidRect(rectSel, bDisabled ? SECGetStyleColor(15) : StyleColor(pStyle->nSelected));
            if (SECIsVisualStyle4() && !bDisabled)
                pDC->FillSolidRect(rectSel, g_colors.clrHighlight);
            if (pStyle->nFrame != NO_FRAME && !bDisabled)
                pDC->Draw3dRect(rectSel, StyleColor(pStyle->nFrame), StyleColor(pStyle->nFrame));
        }
        rectText.left += pStyle->nTextOffset;
    }
    DrawItemImage(pDC, lpDIS, pInfo, rectCell);
    DrawItemText(pDC, lpDIS, pInfo, rectText);
    pDC->RestoreDC(nSaved);
    StopMsgProcessing();
    SetMsgHandled(TRUE);
}

HBITMAP SECBmpMenuPlugIn::CheckMarkBitmap()
{
    if (m_bmpCheckMark.m_hObject != nullptr)
        return static_cast<HBITMAP>(m_bmpCheckMark.m_hObject);
    if (SECIsVisualStyle2())
    {
        m_bmpCheckMark.Attach(::LoadBitmap(AfxGetResourceHandle(), MAKEINTRESOURCE(IDB_SEC_MENUCHECK)));
        return static_cast<HBITMAP>(m_bmpCheckMark.m_hObject);
    }
    // The common controls map the bitmap's standard colours to the system's.
    using CreateMappedBitmapFn = HBITMAP(WINAPI*)(HINSTANCE, INT_PTR, UINT, LPCOLORMAP, int);
    const HMODULE hComCtl = ::GetModuleHandle(_T("comctl32.dll")) != nullptr ? ::GetModuleHandle(_T("comctl32.dll"))
                                                                             : ::LoadLibrary(_T("comctl32.dll"));
    const auto pfnCreate = hComCtl != nullptr ? reinterpret_cast<CreateMappedBitmapFn>(reinterpret_cast<void (*)()>(
                                                    ::GetProcAddress(hComCtl, "CreateMappedBitmap")))
                                              : nullptr;
    if (pfnCreate == nullptr)
        AfxThrowInvalidArgException();
    m_bmpCheckMark.Attach(pfnCreate(AfxGetResourceHandle(), IDB_SEC_MENUCHECK, 0, nullptr, 0));
    return static_cast<HBITMAP>(m_bmpCheckMark.m_hObject);
}

void SECBmpMenuPlugIn::DrawItemImage(CDC* pDC, const DRAWITEMSTRUCT* pDIS, const SECBmpMenuItemInfo* pInfo,
                                     const CRect& rectCell)
{
    const bool bSelected = (pDIS->itemState & ODS_SELECTED) != 0;
    const bool bDisabled = (pDIS->itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    const bool bChecked = (pDIS->itemState & ODS_CHECKED) != 0;
    const StyleMenuColors* pStyle = SelectedStyle();
    const bool bClassic = pStyle == nullptr;
    const bool bThemed = SECIsAppThemed() != FALSE;
    const CSize sizeImage = ImageSize();

    HBITMAP hBitmap = nullptr;
    int nImage = 0;
    const bool bHasImage = m_pBmpMgr->GetBitmapInfo(pInfo->m_nID, hBitmap, nImage, TRUE) && hBitmap != nullptr;
    CDC dcImage;
    // Without a memory DC nothing is selected into it, and the cell shows the empty frame.
    const BOOL bImageDC = dcImage.CreateCompatibleDC(pDC);
    HGDIOBJ hOld = nullptr;
    int xSrc = 0;
    CSize sizeDraw = sizeImage;
    if (bImageDC && bHasImage)
    {
        hOld = ::SelectObject(dcImage.m_hDC, hBitmap);
        xSrc = nImage * sizeImage.cx;
    }
    else if (bImageDC)
    {
        MENUITEMINFO mii{};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_CHECKMARKS;
        ::GetMenuItemInfo(reinterpret_cast<HMENU>(pDIS->hwndItem), pDIS->itemID, FALSE, &mii);
        HBITMAP hCheck = bChecked ? mii.hbmpChecked : mii.hbmpUnchecked;
        if (hCheck == nullptr && bChecked)
            hCheck = m_bRadioDot ? CheckMarkBitmap() : nullptr;
        if (hCheck == nullptr && bChecked)
        {
            static CBitmap s_check;
            if (s_check.m_hObject == nullptr)
                s_check.Attach(::LoadBitmap(nullptr, MAKEINTRESOURCE(SYSTEM_CHECK_BITMAP)));
            hCheck = static_cast<HBITMAP>(s_check.m_hObject);
        }
        if (hCheck != nullptr)
        {
            BITMAP bm{};
            ::GetObject(hCheck, sizeof(bm), &bm);
            sizeDraw = CSize(std::min<int>(bm.bmWidth, sizeImage.cx), std::min<int>(bm.bmHeight, sizeImage.cy));
            hOld = ::SelectObject(dcImage.m_hDC, hCheck);
        }
    }

    if (bClassic && !bThemed)
    {
        CRect rectEdge = rectCell;
        if (bChecked)
            pDC->DrawEdge(rectEdge, BDR_SUNKENOUTER, BF_RECT);
        else if (bSelected && !bDisabled && hOld != nullptr)
            pDC->DrawEdge(rectEdge, BDR_RAISEDINNER, BF_RECT);
    }
    else if (!bClassic && bChecked)
    {
        FillGradientOrSolid(pDC, rectCell, bSelected ? pStyle->nCheckedSelected : pStyle->nChecked,
                            bSelected ? pStyle->nCheckedSelected : pStyle->nChecked);
        const int nFrame = bSelected ? pStyle->nCheckedSelectedFrame : pStyle->nCheckedFrame;
        if (nFrame != NO_FRAME)
            pDC->Draw3dRect(rectCell, StyleColor(nFrame), StyleColor(nFrame));
    }

    if (hOld == nullptr)
    {
        // No image: an empty frame.
        pDC->Draw3dRect(rectCell, g_colors.clrShadow, g_colors.clrHilite);
        return;
    }
    const int x = rectCell.left + 2;
    const int y = rectCell.top + 2;
    const COLORREF clrTransparent = m_bUseTransparent ? m_crTransparent : dcImage.GetPixel(xSrc, 0);
    if (bClassic && bDisabled)
        DrawDisabledImage(pDC, x, y, sizeDraw.cx, sizeDraw.cy, &dcImage, xSrc);
    else
    {
        if (bClassic && bChecked && !bSelected && bHasImage)
        {
            pDC->FillSolidRect(x, y, sizeDraw.cx, sizeDraw.cy, g_colors.clrMenu);
            DrawCheckedImageBackground(pDC, x, y, sizeDraw.cx, sizeDraw.cy, &dcImage, xSrc);
        }
        SECDrawMaskedBitmap(pDC->m_hDC, x, y, sizeDraw.cx, sizeDraw.cy, dcImage.m_hDC, xSrc, 0, sizeDraw.cx,
                            sizeDraw.cy, clrTransparent);
    }
    ::SelectObject(dcImage.m_hDC, hOld);
}

void SECBmpMenuPlugIn::CreateImageMask(CDC* pImageDC, CDC* pMaskDC, CBitmap* pMaskBitmap, CBitmap** ppOldBitmap, int cx,
                                       int cy, int xSrc)
{
    // Without the DC or the bitmap no mask is made and *ppOldBitmap stays null.
    if (!pMaskDC->CreateCompatibleDC(pImageDC) || !pMaskBitmap->CreateBitmap(cx, cy, 1, 1, nullptr))
        return;
    *ppOldBitmap = pMaskDC->SelectObject(pMaskBitmap);
    pMaskDC->PatBlt(0, 0, cx, cy, WHITENESS);
    const COLORREF clrOldBk = pImageDC->SetBkColor(g_colors.clrFace);
    pMaskDC->BitBlt(0, 0, cx, cy, pImageDC, xSrc, 0, SRCCOPY);
    pImageDC->SetBkColor(g_colors.clrHilite);
    pMaskDC->BitBlt(0, 0, cx, cy, pImageDC, xSrc, 0, SRCPAINT);
    pImageDC->SetBkColor(clrOldBk);
}

void SECBmpMenuPlugIn::DrawDisabledImage(CDC* pDC, int x, int y, int cx, int cy, CDC* pImageDC, int xSrc)
{
    CDC dcMask;
    CBitmap bmpMask;
    CBitmap* pOld = nullptr;
    CreateImageMask(pImageDC, &dcMask, &bmpMask, &pOld, cx, cy, xSrc);
    if (pOld == nullptr)
        return;
    PaintEmbossed(pDC->m_hDC, x, y, cx, cy, dcMask.m_hDC, 0, 0, g_colors.clrHilite, g_colors.clrShadow);
    dcMask.SelectObject(pOld);
}

void SECBmpMenuPlugIn::DrawCheckedImageBackground(CDC* pDC, int x, int y, int cx, int cy, CDC* pImageDC, int xSrc)
{
    if (SECIsVisualStyle2() || SECIsVisualStyle3() || SECIsVisualStyle4() || SECIsAppThemed())
        return;
    if (m_brDither.m_hObject == nullptr)
        m_brDither.Attach(tabs::CreateHalftoneBrush());
    CDC dcMask;
    CBitmap bmpMask;
    CBitmap* pOld = nullptr;
    CreateImageMask(pImageDC, &dcMask, &bmpMask, &pOld, cx, cy, xSrc);
    if (pOld == nullptr)
        return;
    PaintThroughMask(pDC->m_hDC, x, y, cx, cy, dcMask.m_hDC, 0, 0, static_cast<HBRUSH>(m_brDither.m_hObject),
                     ROP_DSPDXAX);
    dcMask.SelectObject(pOld);
}

void SECBmpMenuPlugIn::DrawItemText(CDC* pDC, const DRAWITEMSTRUCT* pDIS, const SECBmpMenuItemInfo* pInfo,
                                    CRect rectText)
{
    const bool bSelected = (pDIS->itemState & ODS_SELECTED) != 0;
    const bool bDisabled = (pDIS->itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    const StyleMenuColors* pStyle = SelectedStyle();
    CFont* pOld = pDC->SelectObject((pDIS->itemState & ODS_DEFAULT) ? CreateBoldMenuFont() : CreateMenuFont());
    pDC->SetBkMode(TRANSPARENT);
    rectText.right -= TEXT_RIGHT_MARGIN;
    rectText.left += 2;
    CString strLabel = pInfo->m_strText;
    CString strAccel;
    if (const int nTab = strLabel.Find(_T('\t')); nTab >= 0)
    {
        strAccel = strLabel.Mid(nTab + 1);
        strLabel = strLabel.Left(nTab);
    }
    const auto drawText = [&](const CRect& rect, COLORREF clr) {
        pDC->SetTextColor(clr);
        CRect rectLabel = rect;
        pDC->DrawText(strLabel, rectLabel, DT_SINGLELINE | DT_VCENTER);
        CRect rectAccel = rect;
        pDC->DrawText(strAccel, rectAccel, DT_RIGHT | DT_SINGLELINE | DT_VCENTER);
    };
    const COLORREF clrNormal = pStyle != nullptr ? SECGetStyleColor(16) : g_colors.clrMenuText;
    // The styles highlight an item in a light colour, which the normal text reads well on. Their
    // table's selected text follows the window frame's colour, a mid grey on current systems,
    // which made a hot item look disabled.
    const COLORREF clrSelected = pStyle != nullptr ? clrNormal : g_colors.clrHighlightText;
    const COLORREF clrDisabled = pStyle != nullptr ? SECGetStyleColor(18) : g_colors.clrGrayText;
    if (bDisabled && !bSelected && !SECIsVisualStyle2())
    {
        // Etched: the highlight one pixel down and right, then the shadow in place.
        CRect rectEtch = rectText;
        rectEtch.OffsetRect(1, 1);
        drawText(rectEtch, g_colors.clrEtch);
        drawText(rectText, g_colors.clrShadow);
    }
    else
        drawText(rectText, bDisabled ? clrDisabled : bSelected ? clrSelected : clrNormal);
    pDC->SelectObject(pOld);
}

LRESULT SECBmpMenuPlugIn::OnMenuChar(WPARAM wParam, LPARAM lParam)
{
    const auto hMenu = reinterpret_cast<HMENU>(lParam);
    const SECBmpMenuInfo* pMenu = FindMenu(hMenu);
    if (pMenu == nullptr)
        return 0;
    const TCHAR ch = static_cast<TCHAR>(
        reinterpret_cast<UINT_PTR>(::CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(LOWORD(wParam))))));
    std::vector<int> matches;
    int nHilite = -1;
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i)
    {
        MENUITEMINFO mii{};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_STATE | MIIM_DATA | MIIM_FTYPE;
        if (!::GetMenuItemInfo(hMenu, static_cast<UINT>(i), TRUE, &mii))
            continue;
        if (mii.fState & MFS_HILITE)
            nHilite = i;
        const auto* pInfo = reinterpret_cast<const SECBmpMenuItemInfo*>(mii.dwItemData);
        if ((mii.fType & MFT_OWNERDRAW) && pMenu->Holds(pInfo) && pInfo->m_chMnemonic == ch && ch != 0)
            matches.push_back(i);
    }
    if (matches.empty())
        return 0;
    StopMsgProcessing();
    if (matches.size() == 1)
        return SetMsgHandled(MAKELRESULT(matches.front(), MNC_EXECUTE));
    const auto next = std::find_if(matches.begin(), matches.end(), [nHilite](int i) { return i > nHilite; });
    return SetMsgHandled(MAKELRESULT(next != matches.end() ? *next : matches.front(), MNC_SELECT));
}

LRESULT SECBmpMenuPlugIn::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    PruneMenus();
    AllowDefaultProcessing();
    return 0;
}

void SECBmpMenuPlugIn::PruneMenus()
{
    for (auto it = m_menuMap.begin(); it != m_menuMap.end();)
    {
        if (!::IsMenu(it->first))
        {
            it = m_menuMap.erase(it);
            continue;
        }
        std::set<ULONG_PTR> owned;
        const int nCount = ::GetMenuItemCount(it->first);
        for (int i = 0; i < nCount; ++i)
        {
            MENUITEMINFO mii{};
            mii.cbSize = sizeof(mii);
            mii.fMask = MIIM_FTYPE | MIIM_DATA;
            if (::GetMenuItemInfo(it->first, static_cast<UINT>(i), TRUE, &mii) && (mii.fType & MFT_OWNERDRAW))
                owned.insert(mii.dwItemData);
        }
        std::erase_if(it->second->items, [&owned](const auto& pInfo) {
            return owned.count(reinterpret_cast<ULONG_PTR>(pInfo.get())) == 0;
        });
        ++it;
    }
}

void SECBmpMenuPlugIn::RestoreItems(BOOL bReconvert)
{
    for (const auto& [hMenu, pMenu] : m_menuMap)
    {
        if (!::IsMenu(hMenu))
            continue;
        const int nCount = ::GetMenuItemCount(hMenu);
        for (int i = 0; i < nCount; ++i)
        {
            MENUITEMINFO mii{};
            mii.cbSize = sizeof(mii);
            mii.fMask = MIIM_FTYPE | MIIM_DATA;
            if (!::GetMenuItemInfo(hMenu, static_cast<UINT>(i), TRUE, &mii) || !(mii.fType & MFT_OWNERDRAW))
                continue;
            auto* pInfo = reinterpret_cast<SECBmpMenuItemInfo*>(mii.dwItemData);
            if (!pMenu->Holds(pInfo))
                continue;
            const bool bSeparator = pInfo->m_nID == static_cast<UINT>(-1);
            MENUITEMINFO set{};
            set.cbSize = sizeof(set);
            set.fMask = MIIM_TYPE | MIIM_DATA;
            set.fType = (mii.fType & ~MFT_OWNERDRAW) | (bSeparator ? MFT_SEPARATOR : MFT_STRING);
            set.dwTypeData = bSeparator ? nullptr : const_cast<LPTSTR>(static_cast<LPCTSTR>(pInfo->m_strText));
            set.dwItemData = 0;
            ::SetMenuItemInfo(hMenu, static_cast<UINT>(i), TRUE, &set);
            if (!bReconvert)
                continue;
            // Back to owner-drawn, so that the menu measures it again.
            set.fType = mii.fType;
            set.dwTypeData = reinterpret_cast<LPTSTR>(pInfo);
            set.dwItemData = reinterpret_cast<ULONG_PTR>(pInfo);
            ::SetMenuItemInfo(hMenu, static_cast<UINT>(i), TRUE, &set);
        }
    }
}

void SECBmpMenuPlugIn::OnSettingChange(UINT, LPCTSTR)
{
    m_fontMenu.DeleteObject();
    m_fontMenuBold.DeleteObject();
    m_pBmpMgr->ReloadBitmaps(TRUE);
    PruneMenus();
    RestoreItems(TRUE);
    AllowDefaultProcessing();
}

void SECBmpMenuPlugIn::OnSysColorChange()
{
    g_colors.Refresh();
    m_brDither.DeleteObject();
    m_bmpCheckMark.DeleteObject();
    m_pBmpMgr->ReloadBitmaps(TRUE);
    AllowDefaultProcessing();
}
} // namespace tarnwick::bars
