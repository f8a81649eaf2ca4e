// The simulated SAP landscape that the RFC library talks to: the topology, switchable faults,
// the clock, and counters and a log of every call. Tests drive it through this class; the
// program gets the landscape file named by LUMITER_LANDSCAPE, or the default landscape.
#pragma once

#include <sapsim/Fault.h>
#include <sapsim/FunctionData.h>
#include <sapsim/Session.h>
#include <sapsim/Topology.h>

#include <afxmt.h>

#include <atomic>
#include <map>
#include <memory>
#include <set>
#include <vector>

namespace sapsim
{

struct CLogonParameters
{
    CString ashost;
    CString sysnr;
    CString client;
    CString user;
    CString passwd;
    CString lang;
};

enum class Operation
{
    Logon,
    Ping,
    Describe,
    Invoke,
};

struct CCallRecord
{
    __time64_t time = 0;
    Operation operation = Operation::Logon;
    CString system; // empty when the logon found no system
    CString instance;
    CString user;
    CString module;
    CString result; // "OK", or the failure's key
};

class CLandscape
{
public:
    // The landscape behind the RFC library, loaded on first use.
    static CLandscape& Active();

    CLandscape();
    CLandscape(const CLandscape&) = delete;
    CLandscape& operator=(const CLandscape&) = delete;

    // Validates and installs a topology (open sessions keep theirs), and clears faults, the
    // fixed time, counters and the call log. Throws CLandscapeException for a bad topology.
    void Load(CTopology topology);
    // Loads the file named by LUMITER_LANDSCAPE, or the default landscape when it is not set.
    // A file that cannot be used is kept as an error that every logon reports.
    void LoadFromEnvironment();
    std::shared_ptr<const CTopology> Topology() const;
    // The landscape file that LoadFromEnvironment read, or tried to; empty for a landscape
    // loaded by code or the default.
    CString File() const;
    // Why the landscape file could not be used, as every logon then reports it; empty when it
    // could.
    CString LoadError() const;

    // 0 returns to the computer's clock.
    void SetTime(__time64_t time);
    __time64_t Now() const;

    void AddFault(const CFault& fault);
    void ClearFaults();
    // Breaks the open connections in the scope (empty texts match all); returns how many.
    int DropConnections(LPCWSTR system, LPCWSTR instance = nullptr);

    // Calls since the last Load, failed ones included; module nullptr counts every module.
    unsigned long long Count(Operation operation, LPCWSTR module = nullptr) const;
    // The latest calls, oldest first (at most kCallLogSize).
    std::vector<CCallRecord> CallLog() const;
    static constexpr size_t kCallLogSize = 10000;
    // CPU time that the simulated systems spent answering calls and pings since the last Load,
    // in 100 ns units: the calling threads' own time, so that a benchmark can tell the
    // simulation's share of a process from the caller's.
    unsigned long long HandlerCpuTime() const
    {
        return m_handlerCpuTime;
    }

    // For the RFC library. Failures throw CFailure.
    std::shared_ptr<CSession> Logon(const CLogonParameters& parameters);
    const CFunctionModule& Describe(const CSession& session, LPCWSTR module);
    void Ping(const CSession& session);
    void Invoke(CSession& session, CFunctionData& function);

private:
    const CInstanceInfo* FindInstance(const CTopology& topology, const CString& ashost, const CString& sysnr,
                                      const CSystemInfo*& system) const;
    std::vector<CFault> Faults(const CSession& session, LPCWSTR module) const;
    bool IsHostDown(const CSession& session) const;
    void CheckConnected(const CSession& session) const;
    void Record(Operation operation, const CSession* session, LPCWSTR module, LPCWSTR result);
    void RecordFailure(Operation operation, const CSession* session, LPCWSTR module, CException* failure);

    mutable CCriticalSection m_lock;
    std::shared_ptr<const CTopology> m_topology;
    CString m_loadError;
    CString m_file;
    __time64_t m_fixedTime = 0;
    std::vector<CFault> m_faults;
    std::vector<std::weak_ptr<CSession>> m_sessions;
    std::map<CString, unsigned long long> m_counts;
    // A call as the log keeps it: its texts are the log's own copies, one of each text (the
    // names of systems, instances, users and modules, and the results), so that a call allocates
    // nothing and the log's blocks do not lie among those of a long session's work.
    struct CLoggedCall
    {
        __time64_t time;
        Operation operation;
        const CString* system;
        const CString* instance;
        const CString* user;
        const CString* module;
        const CString* result;
    };
    const CString* LogText(LPCWSTR text);

    // A ring of the latest calls, m_logNext the oldest once it is full.
    std::vector<CLoggedCall> m_log;
    size_t m_logNext = 0;
    std::set<CString> m_logTexts;
    std::atomic<unsigned long long> m_handlerCpuTime = 0;
};

} // namespace sapsim
