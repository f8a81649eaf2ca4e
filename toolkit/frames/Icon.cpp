// SECIcon: loading, measuring and drawing an icon handle.
#include <toolkit/frames/Icon.h>

namespace tarnwick::frames
{
IMPLEMENT_DYNAMIC(SECIcon, CObject)

void SECIcon::Attach(HICON hIcon)
{
    m_hIcon = hIcon;
    if (hIcon == nullptr)
        return;
    ICONINFO info{};
    if (!::GetIconInfo(hIcon, &info))
        return;
    m_nWidth = static_cast<int>(info.xHotspot) * 2;
    m_nHeight = static_cast<int>(info.yHotspot) * 2;
    if (info.hbmColor != nullptr)
        ::DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr)
        ::DeleteObject(info.hbmMask);
}

BOOL SECIcon::LoadIcon(UINT nID, int cx, int cy)
{
    return LoadIcon(MAKEINTRESOURCE(nID), cx, cy);
}

BOOL SECIcon::LoadIcon(LPCTSTR lpszResourceName, int cx, int cy)
{
    HINSTANCE hInstance = AfxGetResourceHandle();
    if (hInstance == nullptr)
        return FALSE;
    auto hIcon = static_cast<HICON>(::LoadImage(hInstance, lpszResourceName, IMAGE_ICON, cx, cy, 0));
    if (hIcon == nullptr)
        return FALSE;
    Attach(hIcon);
    m_nWidth = cx;
    m_nHeight = cy;
    return TRUE;
}

BOOL SECIcon::DrawIcon(CDC* pDC, int x, int y, int cx, int cy, CBrush* pBrush)
{
    return ::DrawIconEx(pDC->GetSafeHdc(), x, y, m_hIcon, cx, cy, 0,
                        static_cast<HBRUSH>(pBrush != nullptr ? pBrush->GetSafeHandle() : nullptr), DI_NORMAL);
}

BOOL SECIcon::DrawIcon(CDC* pDC, int x, int y, CBrush* pBrush)
{
    return DrawIcon(pDC, x, y, m_nWidth, m_nHeight, pBrush);
}
} // namespace tarnwick::frames
