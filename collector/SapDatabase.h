// A registered database and the instances through which it is reached.
#pragma once

#include <collector/SapInstance.h>

class CSapDatabase : public CObject
{
    DECLARE_DYNAMIC(CSapDatabase)
public:
    CSapDatabase() = default;
    ~CSapDatabase() override;

    // The database's instance of the source's name; a new one is made from the source's logon
    // data.
    CSapInstance* AddInstance(const CRfcClient& source);

    CString m_strSystemId;
    CString m_strDatabaseName;   // RFCDATABS
    CString m_strDatabaseSystem; // RFCDBSYS
    CSapInstanceMap m_instances;
    CMutex m_instanceMutex;
};
