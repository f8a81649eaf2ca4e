// What the buttons of one manager's toolbars share for drawing: memory DCs for the mask, the
// image and the composed button, scratch bitmaps and the halftone brush.
#pragma once

#include <afxwin.h>

namespace tarnwick::bars
{
class SECBtnDrawData
{
public:
    // Throws the framework's resource exception when a DC or the brush cannot be made.
    SECBtnDrawData();
    ~SECBtnDrawData();
    SECBtnDrawData(const SECBtnDrawData&) = delete;
    SECBtnDrawData& operator=(const SECBtnDrawData&) = delete;

    // Scratch bitmaps of at least this size are selected into the mask and compose DCs.
    void PrepareScratch(int cx, int cy);
    // The image DC shows this bitmap (the store's, not owned).
    void SelectImage(HBITMAP hBitmap);
    HBITMAP GetSelectedImage() const
    {
        return m_hImageSelected;
    }
    // Made again after a system colour change.
    void RefreshBrush();

    // An image background to key out instead of the image's own (SetBkColor with bUse).
    void SetBkColor(COLORREF clr, BOOL bUse)
    {
        m_clrBk = clr;
        m_bUseBk = bUse;
    }
    COLORREF GetBkColor() const
    {
        return m_clrBk;
    }
    BOOL GetBkColorUse() const
    {
        return m_bUseBk;
    }

    CDC m_dcMono;
    CDC m_dcImage;
    CDC m_dcCompose;
    CBrush m_brHalftone;

private:
    CBitmap m_bmpCompose;
    CBitmap m_bmpMono;
    HGDIOBJ m_hOldCompose;
    HGDIOBJ m_hOldMono;
    HGDIOBJ m_hOldImage;
    HBITMAP m_hImageSelected;
    CSize m_sizeScratch;
    COLORREF m_clrBk;
    BOOL m_bUseBk;
};
} // namespace tarnwick::bars
