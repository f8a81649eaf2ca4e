// The calling thread's drawing state: the pattern bitmaps of pattern brushes, made on first use
// and freed with the thread.
#pragma once

#include <afxwin.h>

class GX_DRAW_STATE
{
public:
    static constexpr int nPatterns = 41;

    GX_DRAW_STATE() = default;
    ~GX_DRAW_STATE()
    {
        for (CBitmap* pBitmap : m_apPatternBitmaps)
            delete pBitmap;
    }
    GX_DRAW_STATE(const GX_DRAW_STATE&) = delete;
    GX_DRAW_STATE& operator=(const GX_DRAW_STATE&) = delete;

    CBitmap* m_apPatternBitmaps[nPatterns] = {};
};
