#include <grid/core/SysData.h>

#include <grid/core/SysColorBitmap.h>
#include <grid/core/ThreadState.h>

namespace
{
void ReloadBitmap(HBITMAP& hbm, UINT nResourceId)
{
    if (hbm != nullptr)
        ::DeleteObject(hbm);
    hbm = GXLoadSysColorBitmap(::GetModuleHandleW(nullptr), nResourceId);
}

BOOL IsNewShell()
{
    return LOBYTE(LOWORD(::GetVersion())) >= 4;
}
} // namespace

GX_SYS_DATA::GX_SYS_DATA()
    : m_cxBorder(IsNewShell() ? 2 : 1), m_cyBorder(m_cxBorder), m_hcurArrow(::LoadCursorW(nullptr, IDC_ARROW)),
      m_bWin4(IsNewShell())
{
}

GX_SYS_DATA::~GX_SYS_DATA()
{
    if (m_hbmDropArrow != nullptr)
        ::DeleteObject(m_hbmDropArrow);
    if (m_hbm20211 != nullptr)
        ::DeleteObject(m_hbm20211);
}

void GX_SYS_DATA::UpdateSysColors()
{
    m_nSysColors = nCachedColors;
    m_arSysColors.SetSize(nCachedColors);
    for (int i = 0; i < nCachedColors; ++i)
        m_arSysColors[i] = ::GetSysColor(i);

    ReadSysColors();

    ReloadBitmap(m_hbmDropArrow, idbDropArrow);
    ReloadBitmap(m_hbm20211, idb20211);
}

COLORREF GX_SYS_DATA::GetSysColor(int nIndex) const
{
    if (nIndex >= 0 && nIndex < m_nSysColors)
        return m_arSysColors[nIndex];
    return ::GetSysColor(nIndex);
}

GX_SYS_DATA* GXGetSysData()
{
    return GXGetThreadState<GX_SYS_DATA>();
}
