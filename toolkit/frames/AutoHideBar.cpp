// SECAutoHideBar: the strip's creation, docking and thickness.
#include <toolkit/frames/AutoHideBar.h>

namespace tarnwick::frames
{
namespace
{
constexpr UINT FIRST_STRIP_ID = 0x8000;
constexpr DWORD STRIP_WINDOW_STYLE = 0x4E;
constexpr DWORD STRIP_WINDOW_STYLE_SIZING = 0x14E;
} // namespace

SECAutoHideBar::SECAutoHideBar() : m_nThickness(DEFAULT_THICKNESS)
{
}

BOOL SECAutoHideBar::Create(CFrameWnd* pParent, DWORD dwBarStyle)
{
    SetBarStyle(dwBarStyle);
    const DWORD dwWindowStyle = (pParent->GetStyle() & WS_THICKFRAME) ? STRIP_WINDOW_STYLE_SIZING : STRIP_WINDOW_STYLE;
    return SECControlBar::Create(pParent, nullptr, dwWindowStyle | dwBarStyle | WS_CHILD | WS_VISIBLE, 0,
                                 FindFreeBarID(pParent, FIRST_STRIP_ID));
}

void SECAutoHideBar::EnableDocking(DWORD dwDockStyle)
{
    SECControlBar::EnableDocking(dwDockStyle);
    if (m_pDockSite == nullptr)
        m_pDockSite = GetParentFrame();
}

CSize SECAutoHideBar::CalcDynamicLayout(int nLength, DWORD nMode)
{
    const CSize size = SECControlBar::CalcDynamicLayout(nLength, nMode);
    if (nMode & LM_VERTDOCK)
        return CSize(m_nThickness, size.cy);
    if (nMode & LM_HORZDOCK)
        return CSize(size.cx, m_nThickness);
    return size;
}
} // namespace tarnwick::frames
