#include <toolkit/foundation/AuxData.h>

#include <toolkit/foundation/Colors.h>
#include <toolkit/foundation/ThemeHandle.h>
#include <toolkit/foundation/VisualStyle.h>

#include <algorithm>
#include <cwctype>
#include <iterator>
#include <string>

namespace
{
constexpr COLORREF WHITE = RGB(255, 255, 255);
constexpr COLORREF BLACK = RGB(0, 0, 0);

constexpr COLORREF defaultThemeColors[SEC_THEME_COLORS] = {0xE4AE88, 0xFEEBDC, 0xF5BE9E, 0x5FB4FF,
                                                           0x089AF7, 0xBDF0FF, 0xC66931, 0x000000};
COLORREF g_styleColors[SEC_STYLE_COLORS] = {};
COLORREF g_themeColors[SEC_THEME_COLORS] = {};
bool g_bColorsFilled = false;

// The colour schemes of the Windows XP theme, by their lower-cased names.
struct LunaScheme
{
    const wchar_t* pszName;
    COLORREF clr0;
    COLORREF clr1;
};
constexpr LunaScheme lunaSchemes[] = {
    {L"normalcolor", 0xE4AE88, 0xFEEBDC},
    {L"homestead", 0x95CABB, 0xCAEDE6},
    {L"metallic", 0xBFA5A6, 0xF6EFEE},
};

// The theme class and part whose colours the theme table takes.
constexpr int TASKBAND_PART = 2;
constexpr int TMT_EDGEFILL = 3823;
constexpr int TMT_EDGEHIGHLIGHT = 3808;
constexpr int TMT_EDGELIGHT = 3807;

std::wstring Lower(const wchar_t* psz)
{
    std::wstring text(psz);
    std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return std::towlower(c); });
    return text;
}

COLORREF Mean(COLORREF a, COLORREF b)
{
    return RGB((GetRValue(a) + GetRValue(b)) / 2, (GetGValue(a) + GetGValue(b)) / 2, (GetBValue(a) + GetBValue(b)) / 2);
}

void WriteDefaultThemeColors()
{
    std::copy(std::begin(defaultThemeColors), std::end(defaultThemeColors), g_themeColors);
}

// Entries 0 and 1 from the inactive caption's colours.
void TakeCaptionThemeColors()
{
    g_themeColors[0] = ::GetSysColor(COLOR_GRADIENTINACTIVECAPTION);
    g_themeColors[1] = ::GetSysColor(COLOR_INACTIVECAPTIONTEXT);
}

// Entries 0 to 2 from the name of the theme and its colour scheme.
void TakeSchemeThemeColors()
{
    wchar_t szFile[MAX_PATH] = {};
    wchar_t szColor[MAX_PATH] = {};
    if (FAILED(SECGetCurrentThemeName(szFile, MAX_PATH, szColor, MAX_PATH, nullptr, 0)) ||
        Lower(szFile).find(L"luna.msstyles") == std::wstring::npos)
        TakeCaptionThemeColors();
    else
    {
        const std::wstring strScheme = Lower(szColor);
        const auto it = std::find_if(std::begin(lunaSchemes), std::end(lunaSchemes),
                                     [&](const LunaScheme& scheme) { return strScheme == scheme.pszName; });
        if (it != std::end(lunaSchemes))
        {
            g_themeColors[0] = it->clr0;
            g_themeColors[1] = it->clr1;
        }
        else
        {
            WriteDefaultThemeColors();
            TakeCaptionThemeColors();
        }
    }
    g_themeColors[2] = Mean(g_themeColors[0], g_themeColors[1]);
}
} // namespace

SEC_AUX_DATA::SEC_AUX_DATA()
    : cxBorder2(1), cyBorder2(1), hcurArrow(nullptr), reserved{}, bWin4(SECWindowsMajorVersion() >= 4)
{
    hcurArrow = ::LoadCursorW(nullptr, IDC_ARROW);
    if (bWin4)
        cxBorder2 = cyBorder2 = 2;
}

void SEC_AUX_DATA::UpdateSysColors()
{
    SECComputeStyleColors();
    if (HWND hWndDesktop = ::GetDesktopWindow())
        SECComputeThemeColors(hWndDesktop);
    ReadSysColors();
    g_bColorsFilled = true;
}

SEC_AUX_DATA* SECGetAuxData()
{
    static SEC_AUX_DATA auxData;
    if (!g_bColorsFilled)
        auxData.UpdateSysColors();
    return &auxData;
}

COLORREF SECGetStyleColor(UINT i)
{
    SECGetAuxData();
    return i < SEC_STYLE_COLORS ? g_styleColors[i] : WHITE;
}

COLORREF SECGetStyleColor2(UINT i)
{
    SECGetAuxData();
    return i < SEC_THEME_COLORS ? g_themeColors[i] : WHITE;
}

void SECComputeStyleColors()
{
    SECComputeStyleColors({::GetSysColor(COLOR_WINDOW), ::GetSysColor(COLOR_WINDOWTEXT), ::GetSysColor(COLOR_BTNFACE),
                           ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNTEXT), ::GetSysColor(COLOR_HIGHLIGHT),
                           ::GetSysColor(COLOR_GRAYTEXT), ::GetSysColor(COLOR_WINDOWFRAME)});
}

void SECComputeStyleColors(const SECBaseColors& base)
{
    const COLORREF W = base.window;
    const COLORREF WT = base.windowText;
    const COLORREF F = base.btnFace;
    const COLORREF S = base.btnShadow;
    const COLORREF T = base.btnText;
    const COLORREF H = base.highlight;
    const COLORREF G = base.grayText;
    const COLORREF WF = base.windowFrame;
    COLORREF* c = g_styleColors;
    const auto blend = SECBlendColors;
    const auto contrast = SECEnsureContrast;
    c[0] = blend(W, F, 165);
    c[1] = contrast(blend(S, W, 70), c[0], 50);
    c[2] = contrast(T, c[0], 180);
    c[3] = c[0];
    c[4] = c[0];
    c[5] = contrast(blend(H, W, 30), c[0], 50);
    c[6] = contrast(H, c[0], 100);
    c[7] = blend(H, W, 50);
    c[8] = H;
    c[9] = c[0];
    c[10] = c[0];
    c[11] = contrast(blend(H, blend(F, W, 48), 7), c[0], 5);
    c[12] = H;
    c[13] = contrast(c[7], c[0], 30);
    c[14] = contrast(H, c[13], 100);
    c[15] = blend(F, W, 143);
    c[16] = contrast(WT, c[15], 180);
    c[17] = c[15];
    c[18] = contrast(blend(G, W, 70), c[15], 80);
    c[19] = c[5];
    c[20] = c[6];
    c[21] = contrast(WF, c[5], 180);
    c[22] = c[15];
    c[23] = blend(G, W, 70);
    c[24] = c[6];
    c[25] = c[0];
    c[26] = contrast(blend(T, S, 20), c[0], 100);
    c[27] = c[1];
    c[28] = F;
    c[29] = c[2];
    c[30] = blend(BLACK, c[5], 25);
    c[31] = blend(S, W, 90);
    c[32] = contrast(blend(S, W, 75), c[0], 85);
}

void SECComputeThemeColors(HWND hwnd)
{
    // Only the Windows XP theme has colours of its own here; later systems and classic
    // drawing take the defaults.
    tarnwick::foundation::SECThemeHandle taskBand(L"TASKBAND");
    HTHEME hTheme = nullptr;
    if (SECWindowsMajorVersion() < 6 && SECIsAppThemed() && SECIsThemeActive())
    {
        TakeSchemeThemeColors();
        if (hwnd != nullptr)
            hTheme = taskBand.Get(hwnd);
    }
    if (hTheme == nullptr)
    {
        WriteDefaultThemeColors();
        return;
    }
    COLORREF clr = 0;
    if (SUCCEEDED(SECGetThemeColor(hTheme, TASKBAND_PART, 0, TMT_EDGEFILL, &clr)))
        g_themeColors[3] = clr;
    g_themeColors[4] = SECSolveContrastColor(g_themeColors[3], g_themeColors[3], -0.45);
    g_themeColors[5] = 0xBDF0FF;
    if (SUCCEEDED(SECGetThemeColor(hTheme, TASKBAND_PART, 0, TMT_EDGEHIGHLIGHT, &clr)))
        g_themeColors[6] = clr;
    if (SUCCEEDED(SECGetThemeColor(hTheme, TASKBAND_PART, 0, TMT_EDGELIGHT, &clr)))
        g_themeColors[7] = clr;
}
