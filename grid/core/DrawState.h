// The calling thread's drawing state: the pattern bitmaps of pattern brushes, the 3-d radio
// button images and the cell tip window, made on first use and freed with the thread.
#pragma once

#include <afxwin.h>

class GX_DRAW_STATE
{
public:
    static constexpr int nPatterns = 41;

    GX_DRAW_STATE() = default;
    // The bitmaps free themselves; a tip window still open is destroyed.
    ~GX_DRAW_STATE();
    GX_DRAW_STATE(const GX_DRAW_STATE&) = delete;
    GX_DRAW_STATE& operator=(const GX_DRAW_STATE&) = delete;

    // The 3-d radio button images (bitmap 20019), loaded on first 3-d drawing.
    CBitmap m_bmpRadioButton;
    CBitmap m_abmpPattern[nPatterns];
    // The thread's one cell tip window, made by the first grid that shows a tip.
    CWnd* m_pCellTipWnd = nullptr;
};
