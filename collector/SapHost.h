// A registered host and the instances through which it is reached.
#pragma once

#include <collector/SapInstance.h>

class CSapHost : public CObject
{
    DECLARE_DYNAMIC(CSapHost)
public:
    CSapHost() = default;
    ~CSapHost() override;

    // The host's instance of the source's name; a new one is made from the source's logon data.
    CSapInstance* AddInstance(const CRfcClient& source);
    // Removes the instance from the map and deletes it.
    void RemoveInstance(CSapInstance* pInstance);

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
    CSapInstanceMap m_instances;
    CMutex m_instanceMutex;
};
