// A memory DC over a 32-bit bitmap filled with one colour, for drawing and probing pixels.
#pragma once

#include <afxwin.h>

class MemoryCanvas
{
public:
    MemoryCanvas(int cx, int cy, COLORREF clrFill)
    {
        m_dc.CreateCompatibleDC(nullptr);
        BITMAPINFO bmi{};
        bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
        bmi.bmiHeader.biWidth = cx;
        bmi.bmiHeader.biHeight = -cy;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        void* pBits = nullptr;
        m_bitmap.Attach(::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0));
        m_pOld = m_dc.SelectObject(&m_bitmap);
        m_dc.FillSolidRect(0, 0, cx, cy, clrFill);
    }
    ~MemoryCanvas()
    {
        m_dc.SelectObject(m_pOld);
    }
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    CDC& Dc()
    {
        return m_dc;
    }
    HDC Hdc() const
    {
        return m_dc.m_hDC;
    }
    COLORREF Pixel(int x, int y) const
    {
        return ::GetPixel(m_dc.m_hDC, x, y);
    }
    void Fill(int x, int y, int cx, int cy, COLORREF clr)
    {
        m_dc.FillSolidRect(x, y, cx, cy, clr);
    }

private:
    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_pOld = nullptr;
};
