// Bitmap menus: a frame's plug-in that turns the text items of its popups into owner-drawn
// items showing each command's toolbar image, draws and measures them, and answers mnemonics.
#pragma once

#include <toolkit/bars/BmpMenuItemInfo.h>
#include <toolkit/foundation/WndPlugIn.h>

#include <map>
#include <set>
#include <uxtheme.h>

namespace tarnwick::bars
{
using foundation::SECWndPlugIn;

class SECBmpMgr;

class SECBmpMenuPlugIn : public SECWndPlugIn
{
    DECLARE_DYNAMIC(SECBmpMenuPlugIn)
public:
    explicit SECBmpMenuPlugIn(BOOL bRadioDot = FALSE);
    // Every converted item of every menu that still exists becomes a text item again.
    ~SECBmpMenuPlugIn() override;

    void SetBmpMgr(SECBmpMgr* pBmpMgr);
    SECBmpMgr* GetBmpMgr() const
    {
        return m_pBmpMgr;
    }

    virtual void SetTransparentColor(COLORREF clr, BOOL bUse = TRUE);
    virtual COLORREF GetTransparentColor() const;
    // Frees the records of menus that are gone and of items no longer owner-drawn.
    virtual void PruneMenus();

    // The popup's text items become owner-drawn; the system menu is never touched.
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);

    // The record of a converted item, or null.
    const SECBmpMenuInfo* FindMenu(HMENU hMenu) const;
    BOOL IsExcluded(UINT nID) const
    {
        return m_excludedIds.count(nID) != 0;
    }

protected:
    virtual CFont* CreateMenuFont();
    virtual CFont* CreateBoldMenuFont();
    // A mask of the image's cell: 1 where the image shows the face or the highlight colour.
    virtual void CreateImageMask(CDC* pImageDC, CDC* pMaskDC, CBitmap* pMaskBitmap, CBitmap** ppOldBitmap, int cx,
                                 int cy, int xSrc);
    virtual void DrawCheckedImageBackground(CDC* pDC, int x, int y, int cx, int cy, CDC* pImageDC, int xSrc);
    virtual void DrawDisabledImage(CDC* pDC, int x, int y, int cx, int cy, CDC* pImageDC, int xSrc);
    virtual void DrawItemImage(CDC* pDC, const DRAWITEMSTRUCT* pDIS, const SECBmpMenuItemInfo* pInfo,
                               const CRect& rectCell);

    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMIS);
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDIS);
    afx_msg LRESULT OnMenuChar(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg void OnSysColorChange();
    DECLARE_MESSAGE_MAP()

    // The record of an owner-drawn item that this plug-in converted, else null.
    SECBmpMenuItemInfo* KnownRecord(ULONG_PTR itemData) const;
    // Sets every converted item to a text item (and back to owner-drawn when bReconvert).
    void RestoreItems(BOOL bReconvert);
    void DrawItemText(CDC* pDC, const DRAWITEMSTRUCT* pDIS, const SECBmpMenuItemInfo* pInfo, CRect rectText);
    CSize ImageSize() const;
    HBITMAP CheckMarkBitmap();

    std::map<HMENU, std::unique_ptr<SECBmpMenuInfo>> m_menuMap;
    std::set<UINT> m_excludedIds;
    BOOL m_bRadioDot;
    SECBmpMgr* m_pBmpMgr;
    CFont m_fontMenu;
    CFont m_fontMenuBold;
    CBrush m_brDither;
    COLORREF m_crTransparent;
    BOOL m_bUseTransparent;
    CBitmap m_bmpRadioDot;
    CBitmap m_bmpCheckMark;
};
} // namespace tarnwick::bars
