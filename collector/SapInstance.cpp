#include <collector/ForEachValue.h>
#include <collector/SapInstance.h>
#include <rfc/RfcSystemInfo.h>

IMPLEMENT_DYNCREATE(CSapInstance, CRfcClient)

void CSapInstance::CopySystemInfo()
{
    GetSystemInfo();
    if (m_pRfcSystemInfo == nullptr)
        return;
    const CRfcSystemInfo& info = *m_pRfcSystemInfo;
    CopySystemFacts(info);
    m_strIpAddress = info.RFCIPADDR;
    m_strCharType = info.RFCCHARTYP;
    m_strIntType = info.RFCINTTYP;
    m_strFloatType = info.RFCFLOTYP;
    m_strMachineType = info.RFCMACH;
    m_strTimeZone = info.RFCTZONE;
    m_strDaylightSaving = info.RFCDAYST;
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
    ForEachValue(instances, [](CSapInstance* pInstance) { delete pInstance; });
    instances.RemoveAll();
}

CSapInstance* AddInstanceFrom(CSapInstanceMap& instances, const CRfcClient& source)
{
    CSapInstance* pInstance = nullptr;
    if (instances.Lookup(source.m_strInstanceName, pInstance))
        return pInstance;
    pInstance = new CSapInstance;
    instances.SetAt(source.m_strInstanceName, pInstance);
    pInstance->CopyLogonData(source);
    // A failed logon leaves the instance in the map, without facts.
    pInstance->Describe();
    pInstance->m_strInstanceName = source.m_strInstanceName;
    pInstance->m_strHostName = source.m_strHostName;
    pInstance->m_strServices = source.m_strServices;
    return pInstance;
}
