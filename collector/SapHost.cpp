#include <collector/SapHost.h>

IMPLEMENT_DYNAMIC(CSapHost, CObject)

CSapHost::~CSapHost()
{
    DeleteInstances(m_instances, m_instanceMutex);
}

CSapInstance* CSapHost::AddInstance(const CRfcClient& source)
{
    return AddInstanceFrom(m_instances, source);
}

void CSapHost::RemoveInstance(CSapInstance* pInstance)
{
    if (pInstance == nullptr)
        return;
    m_instances.RemoveKey(pInstance->m_strInstanceName);
    delete pInstance;
}
