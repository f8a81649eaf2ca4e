// What the drawing benchmarks paint into: a memory DC over a screen-compatible bitmap, the same
// for the program's controls and their peers.
#pragma once

#include <afxwin.h>

class BenchCanvas
{
public:
    BenchCanvas(int cx, int cy)
    {
        CClientDC dcScreen(nullptr);
        m_dc.CreateCompatibleDC(&dcScreen);
        m_bitmap.CreateCompatibleBitmap(&dcScreen, cx, cy);
        m_pOld = m_dc.SelectObject(&m_bitmap);
    }
    ~BenchCanvas()
    {
        m_dc.SelectObject(m_pOld);
    }
    BenchCanvas(const BenchCanvas&) = delete;
    BenchCanvas& operator=(const BenchCanvas&) = delete;

    CDC& Dc()
    {
        return m_dc;
    }

private:
    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_pOld = nullptr;
};
