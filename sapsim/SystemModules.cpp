// The modules that describe a system and its instances: RFC_SYSTEM_INFO, TH_SERVER_LIST,
// AUTHORITY_CHECK, GET_SYSTEM_TIME_REMOTE and CONTROL_PERF_REQUEST.
#include <sapsim/CallContext.h>
#include <sapsim/ModuleRegistry.h>

namespace sapsim
{
namespace
{
CString Hex(unsigned value, int digits)
{
    CString text;
    text.Format(L"%0*X", digits, value);
    return text;
}

unsigned IpAddress(const CString& ip)
{
    unsigned address = 0;
    int position = 0;
    for (int part = 0; part < 4; ++part)
        address = (address << 8) | (_wtoi(ip.Tokenize(L".", position)) & 0xFF);
    return address;
}

// Date and time texts of a moment given in seconds since 1970.
void SystemInfo(CCallContext& call)
{
    const CSession& session = call.Session();
    const CHostInfo& host = session.Host();
    const CDatabaseInfo& database = *session.Topology().FindDatabase(session.System().database);
    CRandom random = call.Random(session.InstanceName(), L"RFC_SYSTEM_INFO");
    const long long maximal = 6 + host.cpus;
    CRecordWriter exports = call.Exports();
    exports.Set(L"CURRENT_RESOURCES", random.Range(1, maximal))
        .Set(L"MAXIMAL_RESOURCES", maximal)
        .Set(L"RECOMMENDED_DELAY", 0LL);
    CString timeZone;
    timeZone.Format(L"%6d", host.timeZone);
    exports.Structure(L"RFCSI_EXPORT")
        .Set(L"RFCPROTO", L"011")
        .Set(L"RFCCHARTYP", L"4103")
        .Set(L"RFCINTTYP", L"LIT")
        .Set(L"RFCFLOTYP", L"IE3")
        .Set(L"RFCDEST", session.InstanceName())
        .Set(L"RFCHOST", host.name)
        .Set(L"RFCSYSID", session.System().id)
        .Set(L"RFCDATABS", database.name)
        .Set(L"RFCDBHOST", database.host)
        .Set(L"RFCDBSYS", database.system)
        .Set(L"RFCSAPRL", session.System().release)
        .Set(L"RFCMACH", L"  560")
        .Set(L"RFCOPSYS", host.os)
        .Set(L"RFCTZONE", timeZone)
        .Set(L"RFCDAYST", L"")
        .Set(L"RFCIPADDR", host.ip)
        .Set(L"RFCKERNRL", session.System().kernel)
        .Set(L"RFCHOST2", host.name)
        .Set(L"RFCSI_RESV", L"")
        .Set(L"RFCIPV6ADDR", L"::ffff:" + host.ip);
}

// One row per instance of the system that offers one of the requested services, in both
// the old and the IPv6 form of the list.
void ServerList(CCallContext& call)
{
    const CSystemInfo& system = call.Session().System();
    const unsigned requested = wcstoul(call.Import(L"SERVICES"), nullptr, 16);
    CTableWriter list = call.Result(L"LIST");
    CTableWriter listV6 = call.Result(L"LIST_IPV6");
    for (const CInstanceInfo& instance : system.instances)
    {
        if ((instance.services & requested) == 0)
            continue;
        const CHostInfo& host = *call.Session().Topology().FindHost(instance.host);
        const CString name = system.InstanceName(instance);
        const CString serv = instance.service.IsEmpty() ? L"sapdp" + instance.sysnr : instance.service;
        const CString msgTypes = Hex(instance.services, 2);
        const CString address = Hex(IpAddress(host.ip), 8);
        const CString port = Hex(3200 + _wtoi(instance.sysnr), 4);
        for (CTableWriter* table : {&list, &listV6})
        {
            CRecordWriter row = table->Append();
            row.Set(L"NAME", name)
                .Set(L"HOST", host.name)
                .Set(L"SERV", serv)
                .Set(L"MSGTYPES", msgTypes)
                .Set(L"HOSTADR", address)
                .Set(L"SERVNO", port)
                .Set(L"STATE", 1LL);
            if (table == &listV6)
            {
                row.Set(L"HOSTNAMELONG", host.domain.IsEmpty() ? host.name : host.name + L"." + host.domain)
                    .Set(L"HOSTADDR_V4_STR", host.ip)
                    .Set(L"HOSTADDR_V6_STR", L"::ffff:" + host.ip)
                    .Set(L"SYSSERVICE0", L"00")
                    .Set(L"SYSSERVICE1", L"00")
                    .Set(L"SYSSERVICE2", L"00")
                    .Set(L"SYSSERVICE3", L"00");
            }
        }
    }
}

// The answer is always an exception, as the real module gives it.
void AuthorityCheck(CCallContext& call)
{
    CString userName = call.Import(L"USER");
    if (userName.IsEmpty())
        userName = call.Session().User();
    const CUserInfo* user = call.Session().System().FindUser(userName);
    if (user == nullptr)
        call.Raise(L"USER_DONT_EXIST");
    call.Raise(user->IsAuthorized(call.Import(L"OBJECT")) ? L"USER_IS_AUTHORIZED" : L"USER_NOT_AUTHORIZED");
}

void SystemTime(CCallContext& call)
{
    CRecordWriter exports = call.Exports();
    exports.SetMoment(L"K_DATE", L"K_TIME", call.Now());
    exports.SetMoment(L"L_DATE", L"L_TIME", call.Now() + call.Session().Host().timeZone);
}

CString HardwareFileName(const CHostInfo& host, long requestId)
{
    CString name;
    name.Format(host.os == L"Windows NT" ? L"C:\\usr\\sap\\tmp\\hwinfo_%s_%ld.txt" : L"/usr/sap/tmp/hwinfo_%s_%ld.txt",
                host.name.GetString(), requestId);
    return name;
}

// Type 107 asks a mainframe for its cluster members; type 112 makes a hardware description
// file (mode P starts the request, mode G returns the file name).
void PerfRequest(CCallContext& call)
{
    const CHostInfo& host = call.TargetHost();
    const CString type = call.Import(L"REQUEST_TYP");
    const CString mode = call.Import(L"REQUEST_MODE");
    const CString parameter = call.Import(L"REQUEST_PARAM1");
    const long requestId = _wtoi(call.Import(L"REQUEST_ID"));
    CRecordWriter exports = call.Exports();
    exports.Set(L"REQUEST_PARAM1", L"").Set(L"REQUEST_PARAM2", L"").Set(L"REQUEST_PARAM3", L"");
    if (type == L"107" && parameter == L"CLUSMAR" && host.os == L"KEMRA")
    {
        CString host1 = host.name;
        exports.Set(L"REQUEST_RETURN_CODE", 0LL).Set(L"REQUEST_PARAM1", L"PLEX1;" + host1.MakeUpper() + L";1");
    }
    else if (type == L"112" && mode == L"P")
        exports.Set(L"REQUEST_ID", call.Random(host.name, L"REQUEST_ID").Range(1000, 99999))
            .Set(L"REQUEST_RETURN_CODE", 0LL);
    else if (type == L"112" && mode == L"G" && requestId > 0)
        exports.Set(L"REQUEST_RETURN_CODE", 0LL).Set(L"REQUEST_PARAM1", HardwareFileName(host, requestId));
    else
        exports.Set(L"REQUEST_RETURN_CODE", 8LL);
}
} // namespace

void RegisterSystemModules(CModuleRegistry& registry)
{
    const CStructureType& rfcsi = registry.AddType(
        L"RFCSI", {Char(L"RFCPROTO", 3),   Char(L"RFCCHARTYP", 4), Char(L"RFCINTTYP", 3),   Char(L"RFCFLOTYP", 3),
                   Char(L"RFCDEST", 32),   Char(L"RFCHOST", 8),    Char(L"RFCSYSID", 8),    Char(L"RFCDATABS", 8),
                   Char(L"RFCDBHOST", 32), Char(L"RFCDBSYS", 10),  Char(L"RFCSAPRL", 4),    Char(L"RFCMACH", 5),
                   Char(L"RFCOPSYS", 10),  Char(L"RFCTZONE", 6),   Char(L"RFCDAYST", 1),    Char(L"RFCIPADDR", 15),
                   Char(L"RFCKERNRL", 4),  Char(L"RFCHOST2", 32),  Char(L"RFCSI_RESV", 12), Char(L"RFCIPV6ADDR", 45)});
    registry.AddModule(L"RFC_SYSTEM_INFO",
                       {Export(L"CURRENT_RESOURCES", 11), Export(L"MAXIMAL_RESOURCES", 11),
                        Export(L"RECOMMENDED_DELAY", 11), ExportStructure(L"RFCSI_EXPORT", rfcsi)},
                       SystemInfo);

    std::vector<CFieldDef> serverColumns = {Char(L"NAME", 40),    Char(L"HOST", 32),   Char(L"SERV", 20),
                                            Char(L"MSGTYPES", 2), Char(L"HOSTADR", 8), Char(L"SERVNO", 4),
                                            Char(L"STATE", 2)};
    const CStructureType& msxxlist = registry.AddType(L"MSXXLIST", serverColumns);
    serverColumns.insert(serverColumns.end(),
                         {Char(L"HOSTNAMELONG", 256), Char(L"HOSTADDR_V4_STR", 15), Char(L"HOSTADDR_V6_STR", 45),
                          Char(L"SYSSERVICE0", 2), Char(L"SYSSERVICE1", 2), Char(L"SYSSERVICE2", 2),
                          Char(L"SYSSERVICE3", 2)});
    const CStructureType& msxxlistV6 = registry.AddType(L"MSXXLIST_V6", serverColumns);
    registry.AddModule(L"TH_SERVER_LIST",
                       {Import(L"SERVICES", 2, L"FF"), Import(L"SYSSERVICE", 2, L"00"), Tables(L"LIST", msxxlist),
                        Tables(L"LIST_IPV6", msxxlistV6)},
                       ServerList);

    std::vector<CFieldDef> authority = {Import(L"NEW_BUFFERING", 11, L"3"), Import(L"USER", 12), Import(L"OBJECT", 10)};
    for (int i = 1; i <= 10; ++i)
    {
        CString field, value;
        field.Format(L"FIELD%d", i);
        value.Format(L"VALUE%d", i);
        authority.push_back(Import(field, 10));
        authority.push_back(Import(value, 40));
    }
    registry.AddModule(L"AUTHORITY_CHECK", std::move(authority), AuthorityCheck);

    registry.AddModule(
        L"GET_SYSTEM_TIME_REMOTE",
        {Export(Date(L"K_DATE")), Export(Time(L"K_TIME")), Export(Date(L"L_DATE")), Export(Time(L"L_TIME"))},
        SystemTime);

    registry.AddModule(L"CONTROL_PERF_REQUEST",
                       {Import(L"LOCAL_REMOTE", 6, L"LOCAL"), Import(L"LOGICAL_DESTINATION", 32),
                        Import(L"REQUEST_TYP", 4), Changing(L"REQUEST_ID", 11), Import(L"REQUEST_MODE", 1),
                        Changing(L"REQUEST_PARAM1", 255), Changing(L"REQUEST_PARAM2", 255),
                        Changing(L"REQUEST_PARAM3", 255), Export(L"REQUEST_RETURN_CODE", 11)},
                       PerfRequest);
}

} // namespace sapsim
