// A registered SAP system: the connection through which it was added, the details the
// administrator entered, and its application-server instances.
#pragma once

#include <collector/SapInstance.h>
#include <collector/SystemProfileTexts.h>

class CSapSystem : public CRfcClient, public CSystemProfileTexts
{
    DECLARE_DYNCREATE(CSapSystem)
public:
    CSapSystem();
    ~CSapSystem() override;

    // RFC_SYSTEM_INFO into the client's facts.
    void GetSystemInfo();
    // The authorizations that collecting needs; the first one missing throws its
    // CRfcException.
    void CheckAuthorizations();
    // Enters an instance for every server of TH_SERVER_LIST that the map does not hold yet,
    // each described over its own connection.
    void DiscoverInstances();

    CSapInstanceMap m_instances;
    CMutex m_instanceMutex;
};
