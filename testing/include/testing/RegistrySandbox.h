// A company key of its own under HKCU\Software for tests of registry settings, removed with
// everything below it at the end of the test.
#pragma once

#include <afx.h>

class RegistrySandbox
{
public:
    RegistrySandbox();
    ~RegistrySandbox();
    RegistrySandbox(const RegistrySandbox&) = delete;
    RegistrySandbox& operator=(const RegistrySandbox&) = delete;

    // The key's name, as CWinApp::SetRegistryKey takes it.
    const CString& Name() const
    {
        return m_name;
    }
    // The key's path under HKEY_CURRENT_USER.
    CString Path() const
    {
        return _T("Software\\") + m_name;
    }

private:
    CString m_name;
};
