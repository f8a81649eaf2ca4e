// A registered host and the instances through which it is reached.
#pragma once

#include <collector/HostTexts.h>
#include <collector/SapInstance.h>

class CSapHost : public CObject, public CHostTexts
{
    DECLARE_DYNAMIC(CSapHost)
public:
    CSapHost() = default;
    ~CSapHost() override;

    // The host's instance of the source's name; a new one is made from the source's logon data.
    CSapInstance* AddInstance(const CRfcClient& source);
    // Removes the instance from the map and deletes it.
    void RemoveInstance(CSapInstance* pInstance);

    CSapInstanceMap m_instances;
    CMutex m_instanceMutex;
};
