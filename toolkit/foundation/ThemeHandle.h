// Theme data held for drawing: opened on first use and closed when the theme changes (the owner
// calls Close on WM_THEMECHANGED) or when the holder goes, so that nothing draws with the data
// of a theme no longer in use and nothing opens the data anew for every picture.
#pragma once

#include <afxwin.h>

#include <uxtheme.h>

#include <map>
#include <memory>
#include <string>

namespace tarnwick::foundation
{
// The data of one theme class.
class SECThemeHandle
{
public:
    explicit SECThemeHandle(LPCWSTR lpszClass) : m_lpszClass(lpszClass)
    {
    }
    ~SECThemeHandle();
    SECThemeHandle(const SECThemeHandle&) = delete;
    SECThemeHandle& operator=(const SECThemeHandle&) = delete;

    // The data for the window, NULL while the application is not themed.
    HTHEME Get(HWND hWnd);
    void Close();

private:
    LPCWSTR m_lpszClass;
    HTHEME m_hTheme = nullptr;
    UINT m_nGeneration = 0; // of the visual-styles library that opened the data
};

// The data of every theme class that one window's drawing names.
class SECThemeCache
{
public:
    // The data of the class for the window, NULL while the application is not themed.
    HTHEME Get(HWND hWnd, LPCWSTR lpszClass);
    void Close();

private:
    std::map<std::wstring, std::unique_ptr<SECThemeHandle>, std::less<>> m_handles;
};
} // namespace tarnwick::foundation
