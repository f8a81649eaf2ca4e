// A borderless popup centred on the screen that shows a bitmap resource for a while, then
// closes itself. It deletes its own object: allocate it with new and never delete it.
#pragma once

#include <afxwin.h>

#include <toolkit/foundation/Dib.h>

namespace tarnwick::tabs
{
constexpr UINT IDS_SEC_SPLASHWND = 20661;
constexpr UINT IDS_SEC_SPLASHWND_PARENT = 20662;

class SECSplashWnd : public CWnd
{
    DECLARE_DYNAMIC(SECSplashWnd)
public:
    static constexpr UINT_PTR TimerId = 1245;

    SECSplashWnd(UINT nBitmapID, UINT nTimeout, BOOL bDeferStart = FALSE, BOOL bTopMost = TRUE);
    ~SECSplashWnd() override;

    virtual BOOL Create(CWnd* pParent, DWORD dwStyle = WS_POPUP | WS_VISIBLE, DWORD dwExStyle = 0);
    virtual void SetTitle(LPCTSTR lpszTitle);
    virtual void Close();
    virtual BOOL StartTimeout();
    virtual BOOL SetTimeout(UINT nMilliseconds);
    virtual void DisableParent(BOOL bDisable);
    virtual void SetTopMost(BOOL bTopMost);
    virtual void SetCloseOnInput(BOOL bClose);
    // A hook for drawing over the bitmap.
    virtual void DrawOverlay(CDC* pDC, const CRect& rect);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The tool window made to own the splash when nothing else could; null otherwise.
    HWND GetHiddenOwner() const;

protected:
    void PostNcDestroy() override;
    // The bitmap at its full size, then the overlay.
    void Paint(CDC* pDC);
    // Realises the image's palette; TRUE (after invalidating) when a colour changed.
    BOOL RealizeSplashPalette(BOOL bBackground);

    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnClose();
    afx_msg void OnPaint();
    afx_msg LRESULT OnQueryNewPalette(WPARAM, LPARAM);
    afx_msg LRESULT OnPaletteChanged(WPARAM wParam, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    HWND m_hWndHiddenOwner = nullptr;
    CWnd* m_pOwner = nullptr;
    BOOL m_bCloseOnInput = TRUE;
    BOOL m_bOwnerDisabled = FALSE;
    UINT_PTR m_nTimer = 0;
    BOOL m_bTopMost;
    int m_cyBitmap = 0;
    int m_cxBitmap = 0;
    BOOL m_bDeferStart;
    UINT m_nTimeout;
    UINT m_nBitmapID;
    BOOL m_bCustomTitle = FALSE;
    CString m_strTitle;
    foundation::SECDib m_image;
};
} // namespace tarnwick::tabs
