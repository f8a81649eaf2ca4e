#include "TestSessionHost.h"

#include <collector/ForEachValue.h>
#include <collector/PcInfo.h>
#include <collector/SapDatabase.h>
#include <collector/SapHost.h>
#include <collector/SapSystem.h>

namespace
{
template <class T> void DeleteAll(CTypedPtrMap<CMapStringToPtr, CString, T*>& map)
{
    ForEachValue(map, [](T* value) { delete value; });
    map.RemoveAll();
}
} // namespace

void TestSessionHost::AddSystem(LPCWSTR lpszHost, LPCWSTR lpszSysnr, LPCWSTR lpszUser, LPCWSTR lpszPassword)
{
    auto* system = new CSapSystem;
    system->SetLogonData(L"", lpszHost, L"", lpszSysnr, L"100", lpszUser, lpszPassword, L"EN");
    system->Connect();
    system->GetSystemInfo();
    system->DiscoverInstances();
    system->Disconnect();
    system->m_strCen = L"0";
    m_systems.SetAt(system->m_strSystemId, system);
    ForEachValue(system->m_instances, [this](CSapInstance* instance) {
        CSapHost* host = nullptr;
        if (!m_hosts.Lookup(instance->m_strHostName, host))
        {
            host = new CSapHost;
            host->m_strHostName = instance->m_strHostName;
            host->m_strIpAddress = instance->m_strIpAddress;
            host->m_strOs = instance->m_strOs;
            host->m_strTimeZone = instance->m_strTimeZone;
            host->m_strCpuSpeed = L"2400";
            m_hosts.SetAt(host->m_strHostName, host);
        }
        host->AddInstance(*instance);
        CSapDatabase* database = nullptr;
        if (!m_databases.Lookup(instance->m_strDatabaseName, database))
        {
            database = new CSapDatabase;
            database->m_strSystemId = instance->m_strSystemId;
            database->m_strDatabaseName = instance->m_strDatabaseName;
            database->m_strDatabaseSystem = instance->m_strDatabaseSystem;
            m_databases.SetAt(database->m_strDatabaseName, database);
        }
        database->AddInstance(*instance);
    });
}

void TestSessionHost::RemoveAll()
{
    DeleteAll(m_systems);
    DeleteAll(m_hosts);
    DeleteAll(m_databases);
}

UINT TestSessionHost::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault) const
{
    const auto found = m_profile.find(CString(lpszSection) + L"\\" + lpszEntry);
    return found == m_profile.end() ? static_cast<UINT>(nDefault) : static_cast<UINT>(_wtoi(found->second));
}

CString TestSessionHost::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault) const
{
    const auto found = m_profile.find(CString(lpszSection) + L"\\" + lpszEntry);
    return found == m_profile.end() ? CString(lpszDefault) : found->second;
}

const CPcInfo& TestSessionHost::GetPcInfo() const
{
    static const CPcInfo kNothingGathered;
    return m_pc != nullptr ? *m_pc : kNothingGathered;
}
