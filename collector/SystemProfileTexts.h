// What the administrator entered for a system, kept for the control files under the profile
// names "InstallDate", "UserCount", "Sap64Addr", "Db64Addr", "Network" and "CEN"; the system's
// thread takes them over when the session starts.
#pragma once

#include <afx.h>

struct CSystemProfileTexts
{
    CString m_strInstallDate;
    CString m_strUserCount;
    CString m_strSap64Addr;
    CString m_strDb64Addr;
    CString m_strNetwork;
    CString m_strCen;
};
