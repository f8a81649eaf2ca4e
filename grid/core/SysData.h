// The per-thread cache of system colours and of the grid's system-coloured bitmaps.
#pragma once

#include <afxcoll.h>
#include <afx/SysColors.h>

#include <grid/core/ResourceIds.h>

class GX_SYS_DATA : public AFX_SYS_COLORS
{
public:
    static constexpr int nCachedColors = 24;
    static constexpr UINT idbDropArrow = GX_IDB_DROP_ARROW;
    static constexpr UINT idb20211 = GX_IDB_RAISE_ARROW;

    GX_SYS_DATA();
    ~GX_SYS_DATA();
    GX_SYS_DATA(const GX_SYS_DATA&) = delete;
    GX_SYS_DATA& operator=(const GX_SYS_DATA&) = delete;

    // Caches system colours 0-23 and the named colours, and reloads the two bitmaps.
    void UpdateSysColors();
    // The cached colour while the index is cached, else the system's current one.
    COLORREF GetSysColor(int nIndex) const;

    CDWordArray m_arSysColors;
    int m_nSysColors = 0;
    int m_cxBorder;
    int m_cyBorder;
    HCURSOR m_hcurArrow;
    BOOL m_bWin4;
    HBITMAP m_hbmDropArrow = nullptr;
    HBITMAP m_hbm20211 = nullptr;
};

// The calling thread's system data, made on first use.
GX_SYS_DATA* GXGetSysData();
