// The theme data that bars draw their backgrounds and grippers with ("Rebar"), or that another
// class of window draws with: opened on first use, closed when the theme changes and when the
// window goes.
#pragma once

#include <afxwin.h>
#include <toolkit/foundation/ThemeHandle.h>

namespace tarnwick::frames
{
class SECBarTheme
{
public:
    explicit SECBarTheme(LPCWSTR lpszClass = L"Rebar") : m_handle(lpszClass)
    {
    }
    SECBarTheme(const SECBarTheme&) = delete;
    SECBarTheme& operator=(const SECBarTheme&) = delete;

    // The theme of the window, NULL while the application is not themed.
    HTHEME Get(HWND hWnd)
    {
        return m_handle.Get(hWnd);
    }
    void Close()
    {
        m_handle.Close();
    }
    // Draws the theme's part into rect, the parent's background first where the part lets it
    // show through; FALSE when nothing was drawn.
    BOOL DrawPart(HWND hWnd, CDC* pDC, const CRect& rect, int nPart, int nState);
    // The bars' background part.
    BOOL DrawBackground(HWND hWnd, CDC* pDC, const CRect& rect);

private:
    foundation::SECThemeHandle m_handle;
};
} // namespace tarnwick::frames
