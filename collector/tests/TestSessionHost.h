// The application's side of a session as the tests and the benchmark play it: landscape maps
// that it fills as the add-system command does and owns, profile values, an output window of
// the caller's own and a clock the caller sets.
#pragma once

#include <collector/SessionHost.h>

#include <atomic>
#include <map>

class TestSessionHost : public CSessionHost
{
public:
    TestSessionHost() = default;
    TestSessionHost(const TestSessionHost&) = delete;
    TestSessionHost& operator=(const TestSessionHost&) = delete;
    ~TestSessionHost() override
    {
        RemoveAll();
    }

    // What the add-system command does: log on, describe, discover, then enter every instance
    // with its host and the system's database.
    void AddSystem(LPCWSTR lpszHost, LPCWSTR lpszSysnr, LPCWSTR lpszUser, LPCWSTR lpszPassword);
    // Deletes the systems, hosts and databases entered.
    void RemoveAll();

    HWND GetOutputWindow() const override
    {
        return m_hOutput;
    }
    const CSapSystemMap& GetSystems() const override
    {
        return m_systems;
    }
    const CSapHostMap& GetHosts() const override
    {
        return m_hosts;
    }
    const CSapDatabaseMap& GetDatabases() const override
    {
        return m_databases;
    }
    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault) const override;
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault) const override;
    const CPcInfo& GetPcInfo() const override;
    __time64_t Now() const override
    {
        return m_now != 0 ? m_now.load() : _time64(nullptr);
    }

    // "Section\\Entry" to value.
    std::map<CString, CString> m_profile;
    HWND m_hOutput = nullptr;
    const CPcInfo* m_pc = nullptr;
    std::atomic<__time64_t> m_now = 0;
    CSapSystemMap m_systems;
    CSapHostMap m_hosts;
    CSapDatabaseMap m_databases;
};
