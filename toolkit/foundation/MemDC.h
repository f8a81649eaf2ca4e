// An off-screen DC: drawing goes into a bitmap the size of a rectangle of the target, which is
// copied to the target in one blit when the object goes away.
#pragma once

#include <afxwin.h>

namespace tarnwick::foundation
{
class SECMemDC : public CDC
{
    DECLARE_DYNAMIC(SECMemDC)
public:
    // The rectangle is in the target's logical units. bCopyMapping gives the memory DC the
    // target's whole mapping (origins included) instead of placing the rectangle's corner at
    // the bitmap's origin. A NULL target, or a DC or bitmap that cannot be made, throws
    // CResourceException.
    SECMemDC(CDC* pDC, int left, int top, int right, int bottom, BOOL bCreateNow = TRUE, BOOL bCopyMapping = FALSE);
    // Copies the picture to the target.
    ~SECMemDC() override;
    SECMemDC(const SECMemDC&) = delete;
    SECMemDC& operator=(const SECMemDC&) = delete;

    // Sets up the off-screen DC, when the constructor was told to leave it.
    void Create();

private:
    CDC* m_pDC;
    CBitmap m_bitmap;
    HGDIOBJ m_hOldBitmap;
    CRect m_rect;
    // The target's mapping, kept in copy-mapping mode.
    CPoint m_ptViewportOrg;
    CPoint m_ptWindowOrg;
    CSize m_sizeViewportExt;
    CSize m_sizeWindowExt;
    BOOL m_bCopyMapping;

    void ApplySavedMapping();
};
} // namespace tarnwick::foundation
