#include "SimCall.h"

#include <sapsim/LandscapeFile.h>

#include <testing/TempDirectory.h>

namespace
{
class LandscapeTest : public SimFixture
{
protected:
    // A few columns of several modules' results, as one text.
    CString Snapshot(sapsim::CLandscape& landscape)
    {
        auto session = landscape.Logon({L"saplx01", L"00", L"100", L"LUMITER", L"Lumiter5!", L"EN"});
        const struct
        {
            LPCWSTR module;
            LPCWSTR table;
            LPCWSTR field;
        } kColumns[] = {
            {L"GET_CPU_ALL", L"TF_CPU_ALL", L"USR_TOTAL"},      {L"GET_CPU_ALL", L"TF_CPU_ALL", L"INT_SEC"},
            {L"GET_DISK_SINGLE", L"TF_DISK_SINGLE", L"OP_SEC"}, {L"GET_LAN_SINGLE", L"TF_LAN_SINGLE", L"IN_PACKETS"},
            {L"GET_TOP_SINGLE", L"TF_TOP_SINGLE", L"CPU_UTIL"}, {L"RFC_READ_TABLE", L"DATA", L"WA"}};
        CString text;
        for (const auto& column : kColumns)
        {
            CSimCall call(landscape, session, column.module);
            if (CString(column.module) == L"RFC_READ_TABLE")
                call.Set(L"QUERY_TABLE", L"TRDIR").Set(L"ROWCOUNT", L"3");
            EXPECT_EQ(CString(), call.Invoke());
            for (const CString& value : call.Column(column.table, column.field))
                text += value + L";";
        }
        return text;
    }
};

TEST_F(LandscapeTest, DataDependOnlyOnSeedAndTime)
{
    sapsim::CLandscape second;
    second.Load(sapsim::CTopology::Default());
    second.SetTime(kMonday2pm);
    const CString reference = Snapshot(m_landscape);
    EXPECT_EQ(reference, Snapshot(second));

    second.SetTime(kMonday2pm + 59);
    EXPECT_EQ(reference, Snapshot(second)) << "the same minute";
    second.SetTime(kMonday2pm + 60);
    EXPECT_NE(reference, Snapshot(second)) << "the next minute";

    sapsim::CTopology reseeded = sapsim::CTopology::Default();
    reseeded.seed = 7;
    second.Load(reseeded);
    second.SetTime(kMonday2pm);
    EXPECT_NE(reference, Snapshot(second));
}

TEST_F(LandscapeTest, EveryModuleRunsOnTheDefaultLandscape)
{
    // Modules that need import values answer with their own exceptions; none may end with a
    // runtime error, which would mean a field that its generator does not know.
    for (const sapsim::CFunctionModule& module : sapsim::CModuleRegistry::Instance().Modules())
    {
        for (auto session : {Logon(), Logon(L"sapwin01", L"10", L"200")})
        {
            CSimCall call = Call(module.Name(), session);
            if (!call.Invoke().IsEmpty())
            {
                EXPECT_EQ(sapsim::FailureKind::AbapException, call.Kind()) << module.Name().GetString();
            }
        }
    }
    EXPECT_NE(nullptr, sapsim::CModuleRegistry::Instance().Find(L"get_cpu_all"));
}

TEST_F(LandscapeTest, CountsAndLogsEveryCall)
{
    auto session = Logon();
    try
    {
        Logon(L"saplx01", L"00", L"100", L"LUMITER", L"wrong");
        ADD_FAILURE() << "a wrong password was accepted";
    }
    catch (sapsim::CFailure* failure)
    {
        failure->Delete();
    }
    CSimCall call = Call(L"GET_CPU_ALL", session);
    call.Invoke();
    call.Invoke();
    m_landscape.Ping(*session);

    EXPECT_EQ(2u, m_landscape.Count(sapsim::Operation::Logon));
    EXPECT_EQ(2u, m_landscape.Count(sapsim::Operation::Invoke, L"GET_CPU_ALL"));
    EXPECT_EQ(0u, m_landscape.Count(sapsim::Operation::Invoke, L"GET_MEM_ALL"));
    const std::vector<sapsim::CCallRecord> log = m_landscape.CallLog();
    ASSERT_EQ(6u, log.size());
    EXPECT_EQ(CString(L"RFC_ERROR_LOGON_FAILURE"), log[1].result);
    EXPECT_EQ(CString(L"GET_CPU_ALL"), log[3].module);
    EXPECT_EQ(CString(L"saplx01_PRD_00"), log[3].instance);
    EXPECT_EQ(CString(L"LUMITER"), log[3].user);
    EXPECT_EQ(kMonday2pm, log[3].time);
    EXPECT_EQ(sapsim::Operation::Ping, log[5].operation);

    m_landscape.Load(sapsim::CTopology::Default());
    EXPECT_EQ(0u, m_landscape.Count(sapsim::Operation::Logon));
    EXPECT_TRUE(m_landscape.CallLog().empty());

    // The log keeps the latest calls, oldest first; a call without a session leaves no texts of
    // the call it replaced.
    session = Logon();
    for (size_t i = 0; i < sapsim::CLandscape::kCallLogSize + 2; ++i)
    {
        m_landscape.SetTime(kMonday2pm + static_cast<__time64_t>(i));
        m_landscape.Ping(*session);
    }
    try
    {
        Logon(L"nohost", L"00", L"100", L"LUMITER", L"secret");
    }
    catch (sapsim::CFailure* failure)
    {
        failure->Delete();
    }
    const std::vector<sapsim::CCallRecord> latest = m_landscape.CallLog();
    ASSERT_EQ(sapsim::CLandscape::kCallLogSize, latest.size());
    EXPECT_EQ(kMonday2pm + 3, latest.front().time); // the logon and three pings went
    EXPECT_EQ(sapsim::Operation::Ping, latest.front().operation);
    EXPECT_EQ(sapsim::Operation::Logon, latest.back().operation);
    EXPECT_EQ(CString(), latest.back().instance);
    EXPECT_EQ(CString(), latest.back().user);
}

// The user and kernel time of the calling thread, in 100 ns units.
unsigned long long ThreadCpuTime()
{
    FILETIME creation, exit, kernel, user;
    EXPECT_TRUE(GetThreadTimes(GetCurrentThread(), &creation, &exit, &kernel, &user));
    return (static_cast<unsigned long long>(kernel.dwHighDateTime) << 32 | kernel.dwLowDateTime) +
           (static_cast<unsigned long long>(user.dwHighDateTime) << 32 | user.dwLowDateTime);
}

TEST_F(LandscapeTest, CountsTheCpuTimeOfTheModuleHandlers)
{
    sapsim::CTopology topology = sapsim::CTopology::Default();
    topology.systems[0].tables.push_back({L"ZSLOW", 200000, 20});
    m_landscape.Load(topology);
    EXPECT_EQ(0u, m_landscape.HandlerCpuTime());

    // A handler that generates 200,000 rows works long enough for the thread clock to move.
    CSimCall call = Call(L"RFC_READ_TABLE");
    call.Set(L"QUERY_TABLE", L"ZSLOW");
    const unsigned long long before = ThreadCpuTime();
    ASSERT_EQ(CString(), call.Invoke());
    const unsigned long long spent = ThreadCpuTime() - before;
    ASSERT_GT(spent, 0u);
    EXPECT_LE(m_landscape.HandlerCpuTime(), spent);
    EXPECT_GE(m_landscape.HandlerCpuTime(), spent / 2) << "most of the call is the handler's";

    m_landscape.Load(topology);
    EXPECT_EQ(0u, m_landscape.HandlerCpuTime());
}

TEST_F(LandscapeTest, LandscapeFileFromTheEnvironment)
{
    TempDirectory directory;
    const CString path = directory.File(L"landscape.txt");
    const char text[] = "host one os=Linux\n"
                        "database DB system=DB6 host=one\n"
                        "system ONE release=701 database=DB clients=300\n"
                        "user ONE ME password=pw auth=*\n"
                        "instance ONE host=one sysnr=42 services=dialog\n";
    CFile file(path, CFile::modeCreate | CFile::modeWrite);
    file.Write(text, sizeof(text) - 1);
    file.Close();

    SetEnvironmentVariableW(L"LUMITER_LANDSCAPE", path);
    m_landscape.LoadFromEnvironment();
    auto session = m_landscape.Logon({L"one", L"42", L"300", L"me", L"pw", L""});
    EXPECT_EQ(CString(L"701"), session->System().release);

    // A broken file is reported by every logon, not replaced by the default.
    SetEnvironmentVariableW(L"LUMITER_LANDSCAPE", directory.File(L"missing.txt"));
    m_landscape.LoadFromEnvironment();
    try
    {
        Logon();
        ADD_FAILURE() << "logged on without a landscape";
    }
    catch (sapsim::CFailure* failure)
    {
        EXPECT_EQ(sapsim::FailureKind::Communication, failure->m_kind);
        EXPECT_NE(-1, failure->m_message.Find(L"missing.txt")) << failure->m_message.GetString();
        failure->Delete();
    }

    SetEnvironmentVariableW(L"LUMITER_LANDSCAPE", nullptr);
    m_landscape.LoadFromEnvironment();
    EXPECT_EQ(2u, m_landscape.Topology()->systems.size());
}
} // namespace
