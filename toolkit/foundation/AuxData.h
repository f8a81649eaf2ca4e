// The process's colour cache: the system colours the toolkit draws with, and the two colour
// tables derived from them and from the current theme.
#pragma once

#include <afx/SysColors.h>

class SEC_AUX_DATA : public AFX_SYS_COLORS
{
public:
    SEC_AUX_DATA();
    virtual ~SEC_AUX_DATA() = default;

    // Refreshes both colour tables and the colours below.
    void UpdateSysColors();

    // Borders of 2 pixels since Windows 95, else 1.
    int cxBorder2;
    int cyBorder2;
    HCURSOR hcurArrow;
    // Spare words for handles that the toolkit loads once (the dock bars' splitter cursors).
    UINT_PTR reserved[3];
    BOOL bWin4;
};

// The colour cache, filled on first use.
SEC_AUX_DATA* SECGetAuxData();

// The system colours that the style table is derived from.
struct SECBaseColors
{
    COLORREF window;
    COLORREF windowText;
    COLORREF btnFace;
    COLORREF btnShadow;
    COLORREF btnText;
    COLORREF highlight;
    COLORREF grayText;
    COLORREF windowFrame;
};
constexpr UINT SEC_STYLE_COLORS = 33;
constexpr UINT SEC_THEME_COLORS = 8;

// Entry i of the style table (33 entries) and of the theme table (8); white beyond them.
COLORREF SECGetStyleColor(UINT i);
COLORREF SECGetStyleColor2(UINT i);
// Recomputes the style table from the current system colours, or from the given ones.
void SECComputeStyleColors();
void SECComputeStyleColors(const SECBaseColors& base);
// Recomputes the theme table for a window's theme; the defaults without one.
void SECComputeThemeColors(HWND hwnd);
