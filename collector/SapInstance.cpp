#include <collector/SapInstance.h>
#include <rfc/RfcSystemInfo.h>

IMPLEMENT_DYNCREATE(CSapInstance, CRfcClient)

void CSapInstance::CopySystemInfo()
{
    GetSystemInfo();
    if (m_pRfcSystemInfo == nullptr)
        return;
    const CRfcSystemInfo& info = *m_pRfcSystemInfo;
    m_strSystemId = info.RFCSYSID;
    m_strSapRelease = info.RFCSAPRL;
    m_strKernelRelease = info.RFCKERNRL;
    m_strOs = info.RFCOPSYS;
    m_strIpAddress = info.RFCIPADDR;
    m_strCharType = info.RFCCHARTYP;
    m_strIntType = info.RFCINTTYP;
    m_strFloatType = info.RFCFLOTYP;
    m_strMachineType = info.RFCMACH;
    m_strTimeZone = info.RFCTZONE;
    m_strDaylightSaving = info.RFCDAYST;
    m_strDatabaseName = info.RFCDATABS;
    m_strDatabaseHost = info.RFCDBHOST;
    m_strDatabaseSystem = info.RFCDBSYS;
}

void CSapInstance::Describe()
{
    if (!GetStopFlag())
    {
        if (HasConnectionHandle())
            Reconnect();
        else
            Connect();
    }
    CopySystemInfo();
    Disconnect();
}

void DeleteInstances(CSapInstanceMap& instances, CMutex& mutex)
{
    CSingleLock lock(&mutex, TRUE);
    CString strName;
    CSapInstance* pInstance = nullptr;
    for (POSITION pos = instances.GetStartPosition(); pos != nullptr;)
    {
        instances.GetNextAssoc(pos, strName, pInstance);
        delete pInstance;
    }
    instances.RemoveAll();
}

CSapInstance* AddInstanceFrom(CSapInstanceMap& instances, const CRfcClient& source)
{
    CSapInstance* pInstance = nullptr;
    if (instances.Lookup(source.m_strInstanceName, pInstance))
        return pInstance;
    pInstance = new CSapInstance;
    instances.SetAt(source.m_strInstanceName, pInstance);
    CString strRouter, strHost, strDomain, strSysNr, strClient, strUser, strPasswd, strLang;
    source.GetLogonData(strRouter, strHost, strDomain, strSysNr, strClient, strUser, strPasswd, strLang);
    pInstance->SetLogonData(strRouter, strHost, strDomain, strSysNr, strClient, strUser, strPasswd, strLang, _T("0"));
    // A failed logon leaves the instance in the map, without facts.
    pInstance->Describe();
    pInstance->m_strInstanceName = source.m_strInstanceName;
    pInstance->m_strHostName = source.m_strHostName;
    pInstance->m_strServices = source.m_strServices;
    return pInstance;
}
