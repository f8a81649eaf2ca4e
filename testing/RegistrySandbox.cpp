#include <testing/RegistrySandbox.h>

#include <stdexcept>

RegistrySandbox::RegistrySandbox()
{
    // Process id and a counter keep parallel test processes and fixtures apart.
    static LONG counter = 0;
    for (;;)
    {
        CString name;
        name.Format(_T("LumiterTest-%lu-%ld"), ::GetCurrentProcessId(), ::InterlockedIncrement(&counter));
        HKEY hKey = nullptr;
        DWORD disposition = 0;
        if (::RegCreateKeyEx(HKEY_CURRENT_USER, _T("Software\\") + name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ,
                             nullptr, &hKey, &disposition) != ERROR_SUCCESS)
            throw std::runtime_error("cannot create a registry key");
        ::RegCloseKey(hKey);
        if (disposition == REG_CREATED_NEW_KEY)
        {
            m_name = name;
            return;
        }
    }
}

RegistrySandbox::~RegistrySandbox()
{
    ::RegDeleteTree(HKEY_CURRENT_USER, Path());
}
