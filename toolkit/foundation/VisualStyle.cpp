#include <toolkit/foundation/VisualStyle.h>

#include <toolkit/foundation/AuxData.h>

#include <commctrl.h>

#include <cstdlib>
#include <iterator>

namespace
{
// The entry points, in the order they are bound: all but the last from UXTHEME.DLL.
constexpr const char* entryNames[] = {
    "OpenThemeData",
    "CloseThemeData",
    "DrawThemeBackground",
    "DrawThemeText",
    "GetThemeBackgroundContentRect",
    "GetThemeBackgroundExtent",
    "GetThemePartSize",
    "GetThemeTextExtent",
    "GetThemeTextMetrics",
    "GetThemeBackgroundRegion",
    "HitTestThemeBackground",
    "DrawThemeEdge",
    "DrawThemeIcon",
    "IsThemePartDefined",
    "IsThemeBackgroundPartiallyTransparent",
    "GetThemeColor",
    "GetThemeMetric",
    "GetThemeString",
    "GetThemeBool",
    "GetThemeInt",
    "GetThemeEnumValue",
    "GetThemePosition",
    "GetThemeFont",
    "GetThemeRect",
    "GetThemeMargins",
    "GetThemeIntList",
    "GetThemePropertyOrigin",
    "SetWindowTheme",
    "GetThemeFilename",
    "GetThemeSysColor",
    "GetThemeSysColorBrush",
    "GetThemeSysBool",
    "GetThemeSysSize",
    "GetThemeSysFont",
    "GetThemeSysString",
    "GetThemeSysInt",
    "IsThemeActive",
    "IsAppThemed",
    "GetWindowTheme",
    "EnableThemeDialogTexture",
    "IsThemeDialogTextureEnabled",
    "GetThemeAppProperties",
    "SetThemeAppProperties",
    "GetCurrentThemeName",
    "GetThemeDocumentationProperty",
    "DrawThemeParentBackground",
    "EnableTheming",
    "TrackMouseEvent",
};
constexpr int ENTRY_COUNT = static_cast<int>(std::size(entryNames));
constexpr int USER32_ENTRY = ENTRY_COUNT - 1;
static_assert(ENTRY_COUNT == 48);

// Indexes of the entry points that have wrappers.
enum Entry
{
    eOpenThemeData = 0,
    eCloseThemeData = 1,
    eDrawThemeBackground = 2,
    eDrawThemeEdge = 11,
    eIsThemePartDefined = 13,
    eIsThemeBackgroundPartiallyTransparent = 14,
    eGetThemeColor = 15,
    eIsThemeActive = 36,
    eIsAppThemed = 37,
    eGetCurrentThemeName = 43,
    eDrawThemeParentBackground = 45,
    eTrackMouseEvent = USER32_ENTRY,
};

struct LoaderState
{
    SECLibraryBinding binding;
    HMODULE hUxTheme = nullptr;
    HMODULE hUser32 = nullptr;
    HMODULE hComCtl32 = nullptr;
    BOOL bThemesEnabled = TRUE;
    BOOL bComCtl6 = TRUE;
    UINT nGeneration = 0;
    FARPROC entryPoints[ENTRY_COUNT] = {};
};

LoaderState& Loader()
{
    static LoaderState state{SECSystemLibraryBinding()};
    return state;
}

// Styles 1 to 5; at most one is set.
BOOL g_bVisualStyle[5] = {};

// COMCTL32's version record: size, major, minor, build, platform.
struct ComCtlVersionInfo
{
    DWORD cbSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformID;
};
static_assert(sizeof(ComCtlVersionInfo) == 20);
using DllGetVersionProc = HRESULT(CALLBACK*)(ComCtlVersionInfo*);

template <typename F> F EntryAs(FARPROC pfn)
{
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(pfn));
}

// The three gates of every wrapper; NULL when one fails.
template <typename F> F Bound(Entry entry)
{
    LoaderState& state = Loader();
    if (state.hComCtl32 == nullptr && !SECGetComCtlVersion())
        return nullptr;
    if (state.hUxTheme == nullptr && !SECLoadThemeLibrary())
        return nullptr;
    return EntryAs<F>(state.entryPoints[entry]);
}

void BindEntries(HMODULE hModule, int nFirst, int nEnd)
{
    LoaderState& state = Loader();
    for (int i = nFirst; i < nEnd; ++i)
        state.entryPoints[i] = state.binding.pfnGetProcAddress(hModule, entryNames[i]);
}

void FreeThemeLibraryAtExit()
{
    SECFreeThemeLibrary();
}

// Binds the libraries and computes the style colours before main.
struct ThemeLibraryStartup
{
    ThemeLibraryStartup()
    {
        SECGetComCtlVersion();
        SECLoadThemeLibrary();
        SECComputeStyleColors();
        std::atexit(FreeThemeLibraryAtExit);
    }
} g_startup;
} // namespace

const SECLibraryBinding& SECSystemLibraryBinding()
{
    static const SECLibraryBinding binding{&::LoadLibraryW, &::GetProcAddress, &::FreeLibrary};
    return binding;
}

void SECSetLibraryBinding(const SECLibraryBinding& binding)
{
    SECFreeThemeLibrary();
    LoaderState& state = Loader();
    state.binding = binding;
    state.bThemesEnabled = TRUE;
    state.bComCtl6 = TRUE;
}

BOOL SECGetComCtlVersion()
{
    LoaderState& state = Loader();
    if (state.hComCtl32 != nullptr)
        return TRUE;
    state.hComCtl32 = state.binding.pfnLoadLibrary(L"COMCTL32.DLL");
    if (state.hComCtl32 == nullptr)
        return FALSE;
    DWORD dwVersion = 0x50000;
    if (auto pfn = EntryAs<DllGetVersionProc>(state.binding.pfnGetProcAddress(state.hComCtl32, "DllGetVersion")))
    {
        ComCtlVersionInfo info{};
        info.cbSize = sizeof(info);
        if (SUCCEEDED(pfn(&info)))
            dwVersion = MAKELONG(info.dwMinorVersion, info.dwMajorVersion);
    }
    state.bComCtl6 = dwVersion >= 0x60000;
    return TRUE;
}

BOOL SECLoadThemeLibrary()
{
    LoaderState& state = Loader();
    if (!state.bThemesEnabled)
        return FALSE;
    if (state.hUxTheme != nullptr && state.hUser32 != nullptr)
        return TRUE;
    ::InitCommonControls();
    state.hUxTheme = state.binding.pfnLoadLibrary(L"UXTHEME.DLL");
    if (state.hUxTheme != nullptr)
        BindEntries(state.hUxTheme, 0, USER32_ENTRY);
    else
        state.bThemesEnabled = FALSE;
    state.hUser32 = state.binding.pfnLoadLibrary(L"USER32.DLL");
    if (state.hUser32 != nullptr)
        BindEntries(state.hUser32, USER32_ENTRY, ENTRY_COUNT);
    else
        state.bThemesEnabled = FALSE;
    SECComputeStyleColors();
    if (HWND hWndDesktop = ::GetDesktopWindow())
        SECComputeThemeColors(hWndDesktop);
    return state.bThemesEnabled;
}

BOOL SECFreeThemeLibrary()
{
    LoaderState& state = Loader();
    for (FARPROC& pfn : state.entryPoints)
        pfn = nullptr;
    for (HMODULE* phModule : {&state.hUxTheme, &state.hUser32, &state.hComCtl32})
    {
        if (*phModule != nullptr)
            state.binding.pfnFreeLibrary(*phModule);
        *phModule = nullptr;
    }
    ++state.nGeneration;
    return TRUE;
}

UINT SECThemeLibraryGeneration()
{
    return Loader().nGeneration;
}

HTHEME SECOpenThemeData(HWND hwnd, LPCWSTR pszClassList)
{
    auto pfn = Bound<HTHEME(WINAPI*)(HWND, LPCWSTR)>(eOpenThemeData);
    return pfn != nullptr ? pfn(hwnd, pszClassList) : nullptr;
}

HRESULT SECCloseThemeData(HTHEME hTheme)
{
    auto pfn = Bound<HRESULT(WINAPI*)(HTHEME)>(eCloseThemeData);
    return pfn != nullptr ? pfn(hTheme) : E_FAIL;
}

HRESULT SECDrawThemeBackground(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, const RECT* pRect,
                               const RECT* pClipRect)
{
    auto pfn = Bound<HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, const RECT*)>(eDrawThemeBackground);
    return pfn != nullptr ? pfn(hTheme, hdc, iPartId, iStateId, pRect, pClipRect) : E_FAIL;
}

HRESULT SECDrawThemeEdge(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, const RECT* pDestRect, UINT uEdge,
                         UINT uFlags, RECT* pContentRect)
{
    auto pfn = Bound<HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, UINT, UINT, RECT*)>(eDrawThemeEdge);
    return pfn != nullptr ? pfn(hTheme, hdc, iPartId, iStateId, pDestRect, uEdge, uFlags, pContentRect) : E_FAIL;
}

BOOL SECIsThemePartDefined(HTHEME hTheme, int iPartId, int iStateId)
{
    auto pfn = Bound<BOOL(WINAPI*)(HTHEME, int, int)>(eIsThemePartDefined);
    return pfn != nullptr ? pfn(hTheme, iPartId, iStateId) : FALSE;
}

BOOL SECIsThemeBackgroundPartiallyTransparent(HTHEME hTheme, int iPartId, int iStateId)
{
    auto pfn = Bound<BOOL(WINAPI*)(HTHEME, int, int)>(eIsThemeBackgroundPartiallyTransparent);
    return pfn != nullptr ? pfn(hTheme, iPartId, iStateId) : FALSE;
}

HRESULT SECGetThemeColor(HTHEME hTheme, int iPartId, int iStateId, int iPropId, COLORREF* pColor)
{
    auto pfn = Bound<HRESULT(WINAPI*)(HTHEME, int, int, int, COLORREF*)>(eGetThemeColor);
    return pfn != nullptr ? pfn(hTheme, iPartId, iStateId, iPropId, pColor) : E_FAIL;
}

BOOL SECIsThemeActive()
{
    auto pfn = Bound<BOOL(WINAPI*)()>(eIsThemeActive);
    // Visual styles need COMCTL32 6.0, whatever the library says.
    return pfn != nullptr && Loader().bComCtl6 && pfn();
}

BOOL SECIsAppThemed()
{
    auto pfn = Bound<BOOL(WINAPI*)()>(eIsAppThemed);
    return pfn != nullptr && pfn();
}

HRESULT SECGetCurrentThemeName(LPWSTR pszThemeFileName, int cchMaxNameChars, LPWSTR pszColorBuff, int cchMaxColorChars,
                               LPWSTR pszSizeBuff, int cchMaxSizeChars)
{
    auto pfn = Bound<HRESULT(WINAPI*)(LPWSTR, int, LPWSTR, int, LPWSTR, int)>(eGetCurrentThemeName);
    return pfn != nullptr
               ? pfn(pszThemeFileName, cchMaxNameChars, pszColorBuff, cchMaxColorChars, pszSizeBuff, cchMaxSizeChars)
               : E_FAIL;
}

HRESULT SECDrawThemeParentBackground(HWND hwnd, HDC hdc, const RECT* pRect)
{
    auto pfn = Bound<HRESULT(WINAPI*)(HWND, HDC, const RECT*)>(eDrawThemeParentBackground);
    return pfn != nullptr ? pfn(hwnd, hdc, pRect) : E_FAIL;
}

BOOL SECTrackMouseEvent(LPTRACKMOUSEEVENT lpEventTrack)
{
    auto pfn = Bound<BOOL(WINAPI*)(LPTRACKMOUSEEVENT)>(eTrackMouseEvent);
    return pfn != nullptr && pfn(lpEventTrack);
}

DWORD SECWindowsMajorVersion()
{
    return LOBYTE(LOWORD(::GetVersion()));
}

BOOL SECSetVisualStyle(int nStyle)
{
    for (BOOL& bStyle : g_bVisualStyle)
        bStyle = FALSE;
    BOOL bResult = TRUE;
    if (nStyle >= 1 && nStyle <= 3)
        g_bVisualStyle[nStyle - 1] = TRUE;
    else if (nStyle == 4 && SECWindowsMajorVersion() >= 6 && SECIsThemeActive() && SECIsAppThemed())
        g_bVisualStyle[3] = TRUE;
    else
    {
        g_bVisualStyle[0] = TRUE;
        bResult = FALSE;
    }
    SECGetAuxData()->UpdateSysColors();
    return bResult;
}

int SECGetVisualStyle()
{
    for (int nStyle = 1; nStyle <= 4; ++nStyle)
        if (g_bVisualStyle[nStyle - 1])
            return nStyle;
    return 0;
}

BOOL SECIsVisualStyle2()
{
    return g_bVisualStyle[1];
}

BOOL SECIsVisualStyle3()
{
    return g_bVisualStyle[2];
}

BOOL SECIsVisualStyle4()
{
    return g_bVisualStyle[3];
}

BOOL SECSelectVisualStyle(BOOL bToolkitStyle)
{
    const BOOL bWasToolkitStyle = g_bVisualStyle[2];
    SECSetVisualStyle(bToolkitStyle ? 3 : 0);
    return bWasToolkitStyle;
}
