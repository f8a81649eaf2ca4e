// The visual-style layer: the visual-styles library bound at run time by name, with wrappers
// that fail softly where it, an entry point or an active theme is missing; and the process's
// choice of the toolkit's visual style (1 classic, 2 flat, 3 the toolkit's own, 4 the system's
// visual styles).
#pragma once

#include <windows.h>
#include <uxtheme.h>

// The calls through which the libraries are bound. Tests stand in for the system here.
struct SECLibraryBinding
{
    HMODULE(WINAPI* pfnLoadLibrary)(LPCWSTR lpLibFileName);
    FARPROC(WINAPI* pfnGetProcAddress)(HMODULE hModule, LPCSTR lpProcName);
    BOOL(WINAPI* pfnFreeLibrary)(HMODULE hLibModule);
};
// Frees what the old binding loaded and starts again as at start-up, themes enabled.
void SECSetLibraryBinding(const SECLibraryBinding& binding);
// The system's LoadLibraryW, GetProcAddress and FreeLibrary.
const SECLibraryBinding& SECSystemLibraryBinding();

// Loads COMCTL32.DLL once and notes whether it is 6.0 or later; FALSE when it cannot be loaded.
BOOL SECGetComCtlVersion();
// Loads UXTHEME.DLL and USER32.DLL and their entry points once; the themes-enabled flag,
// which a failed load clears for good.
BOOL SECLoadThemeLibrary();
BOOL SECFreeThemeLibrary();
// Changes whenever the libraries are freed: theme data opened before is no longer valid and is
// not to be closed.
UINT SECThemeLibraryGeneration();

HTHEME SECOpenThemeData(HWND hwnd, LPCWSTR pszClassList);
HRESULT SECCloseThemeData(HTHEME hTheme);
HRESULT SECDrawThemeBackground(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, const RECT* pRect,
                               const RECT* pClipRect);
HRESULT SECDrawThemeEdge(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, const RECT* pDestRect, UINT uEdge,
                         UINT uFlags, RECT* pContentRect);
BOOL SECIsThemePartDefined(HTHEME hTheme, int iPartId, int iStateId);
BOOL SECIsThemeBackgroundPartiallyTransparent(HTHEME hTheme, int iPartId, int iStateId);
HRESULT SECGetThemeColor(HTHEME hTheme, int iPartId, int iStateId, int iPropId, COLORREF* pColor);
// FALSE too while COMCTL32 is older than 6.0.
BOOL SECIsThemeActive();
BOOL SECIsAppThemed();
HRESULT SECGetCurrentThemeName(LPWSTR pszThemeFileName, int cchMaxNameChars, LPWSTR pszColorBuff, int cchMaxColorChars,
                               LPWSTR pszSizeBuff, int cchMaxSizeChars);
HRESULT SECDrawThemeParentBackground(HWND hwnd, HDC hdc, const RECT* pRect);
// Bound like the theme functions: it fails where the visual-styles library is missing.
BOOL SECTrackMouseEvent(LPTRACKMOUSEEVENT lpEventTrack);

// The major version of Windows that the program runs on.
DWORD SECWindowsMajorVersion();

// Selects a style: 1 to 3 always, 4 only with active visual styles on Windows 6 or later;
// anything else (or a refused 4) selects 1 and answers FALSE. The colours are refreshed.
BOOL SECSetVisualStyle(int nStyle);
// The style selected, 0 when none.
int SECGetVisualStyle();
BOOL SECIsVisualStyle2();
BOOL SECIsVisualStyle3();
BOOL SECIsVisualStyle4();
// TRUE selects style 3, FALSE style 1; answers whether style 3 was selected before.
BOOL SECSelectVisualStyle(BOOL bToolkitStyle);
