// SECThemeHandle and SECThemeCache: theme data opened once and closed on a theme change.
#include <toolkit/foundation/ThemeHandle.h>
#include <toolkit/foundation/VisualStyle.h>

#include <string_view>

namespace tarnwick::foundation
{
SECThemeHandle::~SECThemeHandle()
{
    Close();
}

HTHEME SECThemeHandle::Get(HWND hWnd)
{
    if (m_hTheme != nullptr && m_nGeneration != SECThemeLibraryGeneration())
        m_hTheme = nullptr; // went with the library that opened it
    if (m_hTheme == nullptr && SECIsAppThemed())
    {
        m_hTheme = SECOpenThemeData(hWnd, m_lpszClass);
        m_nGeneration = SECThemeLibraryGeneration();
    }
    return m_hTheme;
}

void SECThemeHandle::Close()
{
    if (m_hTheme != nullptr && m_nGeneration == SECThemeLibraryGeneration())
        SECCloseThemeData(m_hTheme);
    m_hTheme = nullptr;
}

HTHEME SECThemeCache::Get(HWND hWnd, LPCWSTR lpszClass)
{
    ASSERT(lpszClass != nullptr);
    auto it = m_handles.find(std::wstring_view(lpszClass));
    if (it == m_handles.end())
    {
        it = m_handles.emplace(lpszClass, nullptr).first;
        it->second = std::make_unique<SECThemeHandle>(it->first.c_str());
    }
    return it->second->Get(hWnd);
}

void SECThemeCache::Close()
{
    for (auto& [strClass, pHandle] : m_handles)
        pHandle->Close();
}
} // namespace tarnwick::foundation
