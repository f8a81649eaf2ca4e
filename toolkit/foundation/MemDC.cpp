#include <toolkit/foundation/MemDC.h>

namespace tarnwick::foundation
{
IMPLEMENT_DYNAMIC(SECMemDC, CDC)

SECMemDC::SECMemDC(CDC* pDC, int left, int top, int right, int bottom, BOOL bCreateNow, BOOL bCopyMapping)
    : m_pDC(pDC), m_hOldBitmap(nullptr), m_rect(left, top, right, bottom), m_ptViewportOrg(0, 0), m_ptWindowOrg(0, 0),
      m_sizeViewportExt(0, 0), m_sizeWindowExt(0, 0), m_bCopyMapping(bCopyMapping)
{
    if (pDC == nullptr)
        AfxThrowResourceException();
    if (bCreateNow)
        Create();
}

void SECMemDC::Create()
{
    if (m_hDC != nullptr)
        return;
    const HDC hAttribDC = m_pDC->m_hAttribDC;
    if (m_bCopyMapping)
    {
        ::GetViewportOrgEx(hAttribDC, &m_ptViewportOrg);
        ::GetWindowOrgEx(hAttribDC, &m_ptWindowOrg);
        ::GetViewportExtEx(hAttribDC, &m_sizeViewportExt);
        ::GetWindowExtEx(hAttribDC, &m_sizeWindowExt);
    }
    if (!Attach(::CreateCompatibleDC(m_pDC->m_hDC)))
        AfxThrowResourceException();
    if (!m_bCopyMapping)
        ::LPtoDP(hAttribDC, reinterpret_cast<LPPOINT>(&m_rect), 2);
    if (!m_bitmap.Attach(::CreateCompatibleBitmap(m_pDC->m_hDC, m_rect.Width(), m_rect.Height())))
    {
        ::DeleteDC(Detach());
        AfxThrowResourceException();
    }
    m_hOldBitmap = ::SelectObject(m_hDC, m_bitmap.m_hObject);

    // Extents take effect in the target's mapping mode only.
    SetMapMode(::GetMapMode(hAttribDC));
    if (m_bCopyMapping)
    {
        ApplySavedMapping();
        return;
    }
    CSize size;
    ::GetWindowExtEx(hAttribDC, &size);
    SetWindowExt(size);
    ::GetViewportExtEx(hAttribDC, &size);
    SetViewportExt(size);
    DPtoLP(&m_rect);
    SetWindowOrg(m_rect.left, m_rect.top);
}

void SECMemDC::ApplySavedMapping()
{
    SetViewportOrg(m_ptViewportOrg);
    SetWindowOrg(m_ptWindowOrg);
    SetViewportExt(m_sizeViewportExt);
    SetWindowExt(m_sizeWindowExt);
}

SECMemDC::~SECMemDC()
{
    if (m_hDC == nullptr)
        return;
    if (m_bCopyMapping)
        ApplySavedMapping();
    ::BitBlt(m_pDC->m_hDC, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_hDC, m_rect.left, m_rect.top,
             SRCCOPY);
    ::SelectObject(m_hDC, m_hOldBitmap);
    m_bitmap.DeleteObject();
}
} // namespace tarnwick::foundation
