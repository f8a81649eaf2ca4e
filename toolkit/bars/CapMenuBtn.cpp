// SECCapMenuBtn: the child's icon and its system menu.
#include <toolkit/bars/CapMenuBtn.h>

#include <toolkit/bars/CustomToolBar.h>
#include <toolkit/foundation/AuxData.h>
#include <toolkit/foundation/VisualStyle.h>

namespace tarnwick::bars
{
SECCapMenuBtn::SECCapMenuBtn() : m_hIcon(nullptr)
{
    m_nType = KindCapMenu;
    m_cx = m_cy = ICON_SIZE;
}

BOOL SECCapMenuBtn::CanDrag() const
{
    return FALSE;
}

void SECCapMenuBtn::AdjustSize()
{
    m_cx = m_cy = ICON_SIZE;
}

void SECCapMenuBtn::Draw(CDC& dc, SECBtnDrawData&)
{
    if (!dc.RectVisible(GetRect()))
        return;
    if (!SECIsVisualStyle3() && !SECIsVisualStyle4())
        dc.FillSolidRect(GetRect(), SECGetAuxData()->clrBtnFace);
    if (m_hIcon != nullptr)
        ::DrawIconEx(dc.m_hDC, m_x, m_y, m_hIcon, ICON_SIZE, ICON_SIZE, 0, nullptr, DI_NORMAL);
}

void SECCapMenuBtn::TrackMenu()
{
    RequestMenu(0, CHILD_SYSTEM_MENU);
}
} // namespace tarnwick::bars
