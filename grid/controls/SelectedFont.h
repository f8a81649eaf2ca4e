// Selects a font into a device context for a scope and selects the previous one back.
#pragma once

#include <afxwin.h>

class CGXSelectedFont
{
public:
    // pOld is what selecting the font answered; none leaves the context as it is.
    CGXSelectedFont(CDC* pDC, CFont* pOld) : m_pDC(pDC), m_pOld(pOld)
    {
    }
    ~CGXSelectedFont()
    {
        if (m_pOld != nullptr)
            m_pDC->SelectObject(m_pOld);
    }
    CGXSelectedFont(const CGXSelectedFont&) = delete;
    CGXSelectedFont& operator=(const CGXSelectedFont&) = delete;

private:
    CDC* m_pDC;
    CFont* m_pOld;
};
