// Whole sessions in processes of their own, each choosing its RFC library afresh: the stand-in
// library writes what the built-in landscape writes, and a library or landscape file that cannot
// be used stops the session's logons with its reason, so that nothing is collected.
#include <nwrfc/tests/StandIn.h>
#include <testing/ChildProcess.h>
#include <testing/PrintString.h>
#include <testing/TempDirectory.h>

#include <afx.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace
{
// The systems that the session process logs on to: PRD on saplx01/00 and saplx02/01, QAS on
// saplx02/02, user TESTER.
const char kLandscape[] =
    "seed 5072\n"
    "host saplx01 os=Linux release=5.14.21 ip=10.20.1.11 domain=corp.example cpus=4 model=\"Test CPU\" "
    "disks=sda:1048576 lans=eth0\n"
    "host saplx02 os=Linux release=5.14.21 ip=10.20.1.12 domain=corp.example cpus=8 disks=sda:2097152 lans=eth0\n"
    "database PRD system=ORACLE host=saplx01 release=10.2.0\n"
    "database QAS system=ORACLE host=saplx02 release=10.2.0\n"
    "system PRD release=700 kernel=721 database=PRD clients=100\n"
    "user PRD TESTER password=secret auth=*\n"
    "instance PRD host=saplx01 sysnr=00 services=dialog,update,enqueue,background,spool\n"
    "instance PRD host=saplx02 sysnr=01 services=dialog,update,enqueue,background,spool\n"
    "system QAS release=701 kernel=721 database=QAS clients=100\n"
    "user QAS TESTER password=secret auth=*\n"
    "instance QAS host=saplx02 sysnr=02 services=dialog,update,enqueue,background,spool\n";

// What a session process left: its files (name to content) and the lines of its report and of
// its collector's log.
struct CSession
{
    std::map<CString, std::string> files; // the session files, logs and report left out
    std::vector<CString> report;
    std::vector<CString> collectorLog;
};

std::vector<CString> Lines(const std::string& bytes)
{
    std::vector<CString> lines;
    const CString text(CA2W(bytes.c_str(), CP_UTF8));
    int position = 0;
    for (CString line = text.Tokenize(L"\r\n", position); position >= 0; line = text.Tokenize(L"\r\n", position))
        lines.push_back(line);
    return lines;
}

// Runs the session process in a new folder with the RFC library and landscape file given (null
// for none).
CSession RunSession(const CString& folder, LPCWSTR library, LPCWSTR landscape,
                    const CString& program = ExecutableFolder() + L"collector_session_process.exe")
{
    CreateDirectoryW(folder, nullptr);
    SetEnvironmentVariableW(L"LUMITER_TEST_SESSION", folder);
    SetEnvironmentVariableW(L"LUMITER_RFC_LIBRARY", library);
    SetEnvironmentVariableW(L"LUMITER_LANDSCAPE", landscape);
    const long exitCode = RunChildProcess(program, L"");
    for (LPCWSTR name : {L"LUMITER_TEST_SESSION", L"LUMITER_RFC_LIBRARY", L"LUMITER_LANDSCAPE"})
        SetEnvironmentVariableW(name, nullptr);
    EXPECT_EQ(0, exitCode);
    CSession session;
    CFileFind find;
    for (BOOL more = find.FindFile(folder + L"\\*"); more;)
    {
        more = find.FindNextFile();
        if (find.IsDirectory())
            continue;
        const CString name = find.GetFileName();
        if (name == L"report.txt")
            session.report = Lines(ReadBytes(find.GetFilePath()));
        else if (name.Left(10) == L"collector(")
            session.collectorLog = Lines(ReadBytes(find.GetFilePath()));
        else if (name.Right(4) != L".log")
            session.files[name] = ReadBytes(find.GetFilePath());
    }
    return session;
}

CString Last(const std::vector<CString>& lines)
{
    return lines.empty() ? CString(L"(none)") : lines.back();
}

// Whether a line of the log ends in the text.
bool Logged(const std::vector<CString>& log, const CString& text)
{
    for (const CString& line : log)
    {
        if (line.Right(text.GetLength()) == text)
            return true;
    }
    return false;
}

// A session that collected nothing: no system was added, each logon failed with the message,
// and the files are control files without records.
void ExpectNothingCollected(const CSession& session, const CString& message)
{
    ASSERT_EQ(3u, session.report.size());
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(message, session.report[i].Right(message.GetLength())) << session.report[i].GetString();
    for (const auto& [name, bytes] : session.files)
    {
        EXPECT_EQ(CString(L".ctl"), name.Right(4)) << name.GetString();
        if (name == L"system.ctl" || name == L"instance.ctl" || name == L"host.ctl" || name == L"database.ctl")
        {
            EXPECT_EQ(0u, bytes.size()) << name.GetString();
        }
    }
}
} // namespace

TEST(LibraryChoiceTest, TheStandInLibraryWritesTheFilesThatTheBuiltInLandscapeWrites)
{
    TempDirectory directory;
    const CString landscape = directory.File(L"landscape.txt");
    WriteBytes(landscape, kLandscape);
    const CSession builtIn = RunSession(directory.File(L"builtin"), nullptr, landscape);
    const CSession standIn = RunSession(directory.File(L"standin"), StandInPath(), landscape);

    EXPECT_EQ(std::vector<CString>{L"simulated calls: 0"}, standIn.report) << "the stand-in served every call";
    ASSERT_EQ(1u, builtIn.report.size()) << Last(builtIn.report).GetString();
    EXPECT_NE(CString(L"simulated calls: 0"), builtIn.report[0]);
    EXPECT_TRUE(Logged(builtIn.collectorLog, L" : RFC library: built-in simulated SAP landscape (" + landscape + L")"));
    EXPECT_TRUE(Logged(standIn.collectorLog, L" : RFC library: " + StandInPath() + L", version 1.0.0"));

    // Control files, system and host files, and the data of two ticks on three instances.
    EXPECT_LE(40u, builtIn.files.size());
    for (LPCWSTR file : {L"saplx01.cpu", L"saplx02.mem", L"PRD.ors", L"QAS.ors", L"saplx02_QAS_02.sos"})
        EXPECT_LT(0u, builtIn.files.count(file) == 0 ? 0 : builtIn.files.at(file).size()) << file;
    std::vector<CString> names, standInNames;
    for (const auto& [name, bytes] : builtIn.files)
        names.push_back(name);
    for (const auto& [name, bytes] : standIn.files)
        standInNames.push_back(name);
    ASSERT_EQ(names, standInNames);
    for (const auto& [name, bytes] : builtIn.files)
    {
        // A host's environment comes through whichever of its instance threads answers first,
        // and each system's instance tells its own (SAPSYSTEMNAME, SAPSYSTEM).
        if (name.Mid(name.ReverseFind(L'.')) == L".env")
            EXPECT_EQ(bytes.empty(), standIn.files.at(name).empty()) << name.GetString();
        else
            EXPECT_TRUE(bytes == standIn.files.at(name)) << name.GetString() << " differs";
    }
}

TEST(LibraryChoiceTest, TheLibraryBesideTheProgramIsFoundUnlessAnotherIsNamed)
{
    TempDirectory directory;
    const CString landscape = directory.File(L"landscape.txt");
    WriteBytes(landscape, kLandscape);
    const CString program = directory.File(L"session.exe");
    ASSERT_TRUE(CopyFileW(ExecutableFolder() + L"collector_session_process.exe", program, FALSE));
    ASSERT_TRUE(CopyFileW(StandInPath(), directory.File(L"sapnwrfc.dll"), FALSE));

    const CSession found = RunSession(directory.File(L"found"), nullptr, landscape, program);
    EXPECT_TRUE(Logged(found.collectorLog, L" : RFC library: " + directory.File(L"sapnwrfc.dll") + L", version 1.0.0"));
    EXPECT_EQ(CString(L"simulated calls: 0"), Last(found.report));
    EXPECT_LT(0u, found.files.count(L"saplx01.cpu"));

    const CSession named = RunSession(directory.File(L"named"), directory.File(L"missing.dll"), landscape, program);
    EXPECT_TRUE(Logged(named.collectorLog, L" : RFC library: " + directory.File(L"missing.dll") + L" does not exist"));
}

TEST(LibraryChoiceTest, ALibraryThatCannotServeStopsEveryLogonAndNothingIsCollected)
{
    TempDirectory directory;
    const CString landscape = directory.File(L"landscape.txt");
    WriteBytes(landscape, kLandscape);
    WriteBytes(directory.File(L"notes.txt"), "not a library\r\n");
    std::string old = ReadBytes(StandInPath());
    old[old.find(std::string("\0RfcGetChars\0", 13)) + 11] = '_';
    WriteBytes(directory.File(L"old.dll"), old);
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);

    const struct
    {
        CString library;
        LPCWSTR problem;
    } kCases[] = {
        {directory.File(L"missing.dll"), L"does not exist"},
        {directory.File(L"notes.txt"), L"is not a 64-bit DLL (it is no Windows program file)"},
        {CString(system) + L"\\version.dll", L"is not an RFC library: it exports none of the RFC functions"},
        {directory.File(L"old.dll"), L"lacks the function RfcGetChars"},
    };
    int run = 0;
    for (const auto& test : kCases)
    {
        SCOPED_TRACE(test.library.GetString());
        CString folder;
        folder.Format(L"session%d", run++);
        const CSession session = RunSession(directory.File(folder), test.library, landscape);
        const CString reason = L"RFC library: " + test.library + L" " + test.problem;
        ExpectNothingCollected(session, L"| Code: RFC_EXTERNAL_FAILURE | Group: EXTERNAL_RUNTIME_FAILURE | Key: "
                                        L"RFC_LIBRARY | Message : " +
                                            reason + L".");
        EXPECT_EQ(CString(L"simulated calls: 0"), Last(session.report)) << "never the simulation instead";
        EXPECT_TRUE(Logged(session.collectorLog, L" : " + reason));
    }
}

TEST(LibraryChoiceTest, ABadLandscapeFileStopsEveryLogonWithItsLineAndNothingIsCollected)
{
    const std::string kUsable(kLandscape);
    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = kUsable;
        return text.replace(text.find(from), from.size(), to);
    };
    std::string utf16;
    for (const char c : kUsable)
        utf16 += std::string{c, '\0'};
    const struct
    {
        std::string bytes;
        LPCWSTR problem; // after "Landscape file <path>"
    } kCases[] = {
        {utf16, L", line 1: the file holds zero bytes, as UTF-16 text does without its byte-order mark; save it as "
                L"UTF-8"},
        {replaced("model=\"Test CPU\"", "model=\"Test CPU \xAE\""),
         L", line 2: byte 0xAE is not UTF-8; save the file as "
         L"UTF-8"},
        {"", L" defines no SAP system"},
        {"# a landscape\n# to come\n", L" defines no SAP system"},
        {kUsable + "system prd release=700 database=PRD clients=100\n",
         L", line 13: the system prd is described twice"},
        {replaced("host saplx02", "host SAPLX01"), L", line 3: the host SAPLX01 is described twice"},
        {replaced("sysnr=01", "sysnr=1"), L", line 9: the system PRD has an instance with the system number '1'; two "
                                          L"digits are needed"},
        {replaced("host=saplx02 sysnr=01", "host=saplx03 sysnr=01"),
         L", line 9: the system PRD has an instance on the unknown host saplx03"},
    };
    TempDirectory directory;
    int run = 0;
    for (const auto& test : kCases)
    {
        CString name;
        name.Format(L"landscape%d.txt", run++);
        const CString landscape = directory.File(name);
        SCOPED_TRACE(test.problem);
        WriteBytes(landscape, test.bytes);
        const CSession session = RunSession(directory.File(name + L".session"), nullptr, landscape);
        // One period: the landscape's message is quoted in the exception's sentence.
        ExpectNothingCollected(session, L"| Key: RFC_ERROR_LANDSCAPE | Message : Landscape file " + landscape +
                                            test.problem + L".");
    }
}
