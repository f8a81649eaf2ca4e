// SECBtnDrawData: the DCs and bitmaps the button drawing steps compose in.
#include <toolkit/bars/BtnDrawData.h>

#include <toolkit/tabs/HalftoneBrush.h>

#include <algorithm>

namespace tarnwick::bars
{
SECBtnDrawData::SECBtnDrawData()
    : m_hOldCompose(nullptr), m_hOldMono(nullptr), m_hOldImage(nullptr), m_hImageSelected(nullptr), m_sizeScratch(0, 0),
      m_clrBk(RGB(192, 192, 192)), m_bUseBk(FALSE)
{
    CClientDC dcScreen(nullptr);
    if (!m_dcMono.CreateCompatibleDC(&dcScreen) || !m_dcImage.CreateCompatibleDC(&dcScreen) ||
        !m_dcCompose.CreateCompatibleDC(&dcScreen) || !m_brHalftone.Attach(tabs::CreateHalftoneBrush()))
        AfxThrowResourceException();
}

SECBtnDrawData::~SECBtnDrawData()
{
    if (m_hOldCompose != nullptr)
        ::SelectObject(m_dcCompose.m_hDC, m_hOldCompose);
    if (m_hOldMono != nullptr)
        ::SelectObject(m_dcMono.m_hDC, m_hOldMono);
    if (m_hOldImage != nullptr)
        ::SelectObject(m_dcImage.m_hDC, m_hOldImage);
}

void SECBtnDrawData::PrepareScratch(int cx, int cy)
{
    if (cx <= m_sizeScratch.cx && cy <= m_sizeScratch.cy)
        return;
    const CSize size(std::max<int>(cx, m_sizeScratch.cx), std::max<int>(cy, m_sizeScratch.cy));
    CClientDC dcScreen(nullptr);
    CBitmap compose;
    CBitmap mono;
    if (!compose.CreateCompatibleBitmap(&dcScreen, size.cx, size.cy) ||
        !mono.CreateBitmap(size.cx, size.cy, 1, 1, nullptr))
        AfxThrowResourceException();
    const HGDIOBJ hPrevCompose = ::SelectObject(m_dcCompose.m_hDC, compose.m_hObject);
    const HGDIOBJ hPrevMono = ::SelectObject(m_dcMono.m_hDC, mono.m_hObject);
    if (m_hOldCompose == nullptr)
    {
        m_hOldCompose = hPrevCompose;
        m_hOldMono = hPrevMono;
    }
    m_bmpCompose.DeleteObject();
    m_bmpMono.DeleteObject();
    m_bmpCompose.Attach(compose.Detach());
    m_bmpMono.Attach(mono.Detach());
    m_sizeScratch = size;
}

void SECBtnDrawData::SelectImage(HBITMAP hBitmap)
{
    if (hBitmap == m_hImageSelected || (hBitmap == nullptr && m_hOldImage == nullptr))
        return;
    const HGDIOBJ hPrev = ::SelectObject(m_dcImage.m_hDC, hBitmap != nullptr ? hBitmap : m_hOldImage);
    if (m_hOldImage == nullptr)
        m_hOldImage = hPrev;
    m_hImageSelected = hBitmap;
}

void SECBtnDrawData::RefreshBrush()
{
    tabs::RefreshHalftoneBrush(m_brHalftone);
}
} // namespace tarnwick::bars
