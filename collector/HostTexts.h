// What a host is registered with: the texts that the landscape model keeps for it and that its
// thread takes over when the session starts.
#pragma once

#include <afx.h>

struct CHostTexts
{
    CString m_strHostName;
    CString m_strDestination; // the logical destination of a host reached remotely
    CString m_strIpAddress;
    CString m_strOs;
    CString m_strCharType;
    CString m_strIntType;
    CString m_strFloatType;
    CString m_strMachineType;
    CString m_strTimeZone;
    CString m_strDaylightSaving;
    // As the machine information page enters them.
    CString m_strVendor;
    CString m_strModel;
    CString m_strCpuCount;
    CString m_strCpuSpeed;
    CString m_strMemory;
    CString m_strDisk;
};
