#include <atlwin.h>

#include <cwchar>
#include <mutex>
#include <unordered_map>

namespace ATL
{
namespace
{
std::mutex& MapMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::unordered_map<HWND, void*>& HandleMap()
{
    static std::unordered_map<HWND, void*> map;
    return map;
}

thread_local void* t_pCreatingObject = nullptr;
} // namespace

ATOM CWndClassInfo::Register()
{
    static std::mutex registerMutex;
    const std::lock_guard<std::mutex> lock(registerMutex);
    if (m_atom != 0)
        return m_atom;
    m_wc.hInstance = ::GetModuleHandle(nullptr);
    if (m_wc.hCursor == nullptr)
        m_wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    if (m_wc.lpszClassName == nullptr)
    {
        _snwprintf(m_szAutoName, sizeof(m_szAutoName) / sizeof(m_szAutoName[0]) - 1, L"ATL:%p",
                   static_cast<void*>(this));
        m_wc.lpszClassName = m_szAutoName;
    }
    m_atom = ::RegisterClassEx(&m_wc);
    return m_atom;
}

void AtlSetCreatingObject(void* pObject)
{
    t_pCreatingObject = pObject;
}

void* AtlClaimCreatingObject(HWND hWnd)
{
    void* pObject = t_pCreatingObject;
    t_pCreatingObject = nullptr;
    if (pObject != nullptr)
    {
        const std::lock_guard<std::mutex> lock(MapMutex());
        HandleMap()[hWnd] = pObject;
    }
    return pObject;
}

void* AtlFindObject(HWND hWnd)
{
    const std::lock_guard<std::mutex> lock(MapMutex());
    const auto it = HandleMap().find(hWnd);
    return it == HandleMap().end() ? nullptr : it->second;
}

void AtlRemoveObject(HWND hWnd)
{
    const std::lock_guard<std::mutex> lock(MapMutex());
    HandleMap().erase(hWnd);
}
} // namespace ATL
