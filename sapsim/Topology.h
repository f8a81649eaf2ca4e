// The simulated landscape's fixed facts: hosts, databases and SAP systems with their users and
// instances. A topology is built once (by code, from a landscape file or as the default) and
// not changed afterwards; sessions keep the one they logged on to.
#pragma once

#include <afx.h>

#include <vector>

namespace sapsim
{

struct CDiskInfo
{
    CString name;
    int capacityMB = 0;
};

struct CHostInfo
{
    CString name; // short name, as instances and logons name it
    CString domain;
    CString os;        // "Linux", "Windows NT", "SunOS", "HP-UX", "HOX", "KEMRA", ...
    CString osRelease; // "5.14", "6.1", ...
    CString ip;
    CString model; // processor model text
    int cpus = 1;
    int cpuMHz = 2000;
    int memoryMB = 4096;
    int swapMB = 8192;
    int timeZone = 0; // seconds east of UTC
    std::vector<CDiskInfo> disks;
    std::vector<CString> lans;
};

struct CDatabaseInfo
{
    CString name;    // RFCDATABS
    CString system;  // RFCDBSYS: "ORACLE", "DB6", "QUORV", "XAQ", ...
    CString host;    // RFCDBHOST
    CString release; // "10.2.0", ...
};

struct CUserInfo
{
    CString name; // compared without regard to case
    CString password;
    // Authorization objects the user holds; "*" holds all.
    std::vector<CString> authorizations;

    bool IsAuthorized(LPCWSTR object) const;
};

struct CInstanceInfo
{
    CString host;
    CString sysnr;         // two digits
    unsigned services = 0; // message-type bits: 1 dialog, 2 update, 4 enqueue, 8 background, 16 spool, ...
    CString service{};     // the dispatcher service as TH_SERVER_LIST names it; empty: "sapdp" and sysnr
    // Statistic records that the instance writes per minute, and each of its distributed
    // statistics components.
    unsigned statRecordsPerMinute = 20;
};

// A generated database table that RFC_READ_TABLE reads. Known names (TRDIR, RSDDSTAT_OLAP,
// RSDDSTAT_DM) have their fields; any other has fieldCount fields F01, F02, ...
struct CTableInfo
{
    CString name;
    int rows = 0;
    int fieldCount = 10;
};

struct CSystemInfo
{
    CString id;
    CString release; // "700", "640", ...
    CString kernel;  // kernel release
    CString database;
    std::vector<CString> clients;
    std::vector<CUserInfo> users;
    std::vector<CInstanceInfo> instances;
    std::vector<CTableInfo> tables;

    bool HasClient(LPCWSTR client) const;
    const CUserInfo* FindUser(LPCWSTR user) const;
    const CTableInfo* FindTable(LPCWSTR table) const;
    // "host_SID_NN", as TH_SERVER_LIST names the instance.
    CString InstanceName(const CInstanceInfo& instance) const;
};

class CTopology
{
public:
    std::vector<CHostInfo> hosts;
    std::vector<CDatabaseInfo> databases;
    std::vector<CSystemInfo> systems;
    // Data are the same for the same seed and time.
    UINT64 seed = 5072;

    // Without regard to case.
    const CHostInfo* FindHost(LPCWSTR name) const;
    const CDatabaseInfo* FindDatabase(LPCWSTR name) const;
    const CSystemInfo* FindSystem(LPCWSTR id) const;

    // What is wrong with an entry in the light of the entries before it (hosts come before
    // what is on them, databases before their systems), in words that fit after "line N: ";
    // empty when nothing is. The landscape file asks as it reads each line.
    CString HostProblem(size_t host) const;
    CString DatabaseProblem(size_t database) const;
    CString SystemProblem(size_t system) const;
    CString InstanceProblem(size_t system, size_t instance) const;
    // A system needs a client, a user and an instance.
    CString CompletenessProblem(size_t system) const;

    // Throws CLandscapeException with the first problem of any entry.
    void Validate() const;

    // Two systems (releases 700 and 640) on two hosts with three instances and one database.
    static CTopology Default();
};

} // namespace sapsim
