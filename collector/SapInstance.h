// The connection to one application server of a registered system, with the server's facts.
#pragma once

#include <collector/RfcClient.h>

#include <afxcoll.h>
#include <afxtempl.h>

class CSapInstance : public CRfcClient
{
    DECLARE_DYNCREATE(CSapInstance)
public:
    // RFC_SYSTEM_INFO over the instance's own connection, into the client's facts.
    void CopySystemInfo();
    // Opens the connection (Connect the first time, else Reconnect) unless stopped, copies the
    // system information and closes it again.
    void Describe();
};

// Instance name to instance; each owner deletes its instances under the map's mutex.
using CSapInstanceMap = CTypedPtrMap<CMapStringToPtr, CString, CSapInstance*>;

// Deletes every instance of the map under the mutex and empties the map.
void DeleteInstances(CSapInstanceMap& instances, CMutex& mutex);
// The instance of the map for the source's instance name, made from the source's logon data
// and described over its own connection when it is new.
CSapInstance* AddInstanceFrom(CSapInstanceMap& instances, const CRfcClient& source);
