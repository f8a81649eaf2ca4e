#include <collector/SapDatabase.h>

IMPLEMENT_DYNAMIC(CSapDatabase, CObject)

CSapDatabase::~CSapDatabase()
{
    DeleteInstances(m_instances, m_instanceMutex);
}

CSapInstance* CSapDatabase::AddInstance(const CRfcClient& source)
{
    return AddInstanceFrom(m_instances, source);
}
