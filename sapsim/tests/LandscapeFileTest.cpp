#include <sapsim/LandscapeException.h>
#include <sapsim/LandscapeFile.h>

#include <testing/TempDirectory.h>

#include <gtest/gtest.h>

using namespace sapsim;

namespace
{
const wchar_t kLandscape[] = LR"(# two systems
seed 42
host alpha os=Linux release=5.14 ip=10.0.0.1 domain=corp.example cpus=4 memory=8192 model="Xeon E5 v4" disks=sda:1000,sdb:2000 lans=eth0
host beta os="Windows NT" ip=10.0.0.2
database DBA system=ORACLE host=alpha
system AAA release=700 kernel=721 database=DBA clients=000,100
user AAA ADMIN password=secret auth=*
user AAA VIEWER password="two words" auth=S_RFC,S_ADMI_FCD
instance AAA host=alpha sysnr=00 services=dialog,update,background
instance AAA host=beta sysnr=01 services=dialog
table AAA ZBENCH rows=100000 fields=20
)";

CString ErrorOf(const CString& text)
{
    try
    {
        CLandscapeFile::Parse(text, L"test.txt");
    }
    catch (CLandscapeException* e)
    {
        CString message = e->m_message;
        e->Delete();
        return message;
    }
    return L"(no error)";
}
} // namespace

TEST(LandscapeFileTest, ReadsEveryKindOfLine)
{
    const CTopology topology = CLandscapeFile::Parse(kLandscape, L"test.txt");

    EXPECT_EQ(42u, topology.seed);
    ASSERT_EQ(2u, topology.hosts.size());
    const CHostInfo& alpha = topology.hosts[0];
    EXPECT_EQ(CString(L"Xeon E5 v4"), alpha.model);
    EXPECT_EQ(4, alpha.cpus);
    EXPECT_EQ(8192, alpha.memoryMB);
    ASSERT_EQ(2u, alpha.disks.size());
    EXPECT_EQ(CString(L"sdb"), alpha.disks[1].name);
    EXPECT_EQ(2000, alpha.disks[1].capacityMB);
    EXPECT_EQ(CString(L"Windows NT"), topology.hosts[1].os);

    const CSystemInfo* system = topology.FindSystem(L"aaa");
    ASSERT_NE(nullptr, system);
    EXPECT_EQ(CString(L"721"), system->kernel);
    EXPECT_TRUE(system->HasClient(L"100"));
    EXPECT_FALSE(system->HasClient(L"200"));
    ASSERT_EQ(2u, system->instances.size());
    EXPECT_EQ(0x0Bu, system->instances[0].services);
    EXPECT_EQ(CString(L"two words"), system->FindUser(L"viewer")->password);
    EXPECT_TRUE(system->FindUser(L"VIEWER")->IsAuthorized(L"S_RFC"));
    EXPECT_FALSE(system->FindUser(L"VIEWER")->IsAuthorized(L"S_TABU_DIS"));
    EXPECT_TRUE(system->FindUser(L"ADMIN")->IsAuthorized(L"S_TABU_DIS"));
    EXPECT_EQ(100000, system->FindTable(L"ZBENCH")->rows);
    EXPECT_EQ(20, system->FindTable(L"ZBENCH")->fieldCount);
    EXPECT_EQ(CString(L"alpha_AAA_00"), system->InstanceName(system->instances[0]));
}

TEST(LandscapeFileTest, NamesTheFileAndTheLineOfAnError)
{
    // A system that is complete, for the lines that follow it.
    const CString kSystem = L"host a os=Linux\ndatabase D system=ORACLE host=a\nsystem S release=700 database=D "
                            L"clients=000\nuser S U password=p\ninstance S host=a sysnr=00\n";
    const struct
    {
        CString text;
        LPCWSTR message;
    } kCases[] = {
        {L"host a os=Linux\nplanet x", L"Landscape file test.txt, line 2: unknown keyword 'planet'."},
        {L"host a os=Linux cpus=four", L"Landscape file test.txt, line 1: cpus must be a whole number, not 'four'."},
        {L"host a", L"Landscape file test.txt, line 1: the setting os is missing."},
        {L"host a os=Linux colour=red", L"Landscape file test.txt, line 1: 'host' has no setting colour."},
        {L"host a os=\"Linux", L"Landscape file test.txt, line 1: a quote is not closed."},
        {L"user XYZ someone password=x", L"Landscape file test.txt, line 1: the system XYZ is not described above."},
        {kSystem + L"instance S host=a sysnr=01 services=telepathy",
         L"Landscape file test.txt, line 6: 'telepathy' is no service."},
        {L"host a os=Linux\ndatabase D system=ORACLE host=nowhere",
         L"Landscape file test.txt, line 2: the database D is on the unknown host nowhere."},
        {L"host a os=Linux\n# the same again\nhost A os=Linux",
         L"Landscape file test.txt, line 3: the host A is described twice."},
        {kSystem + L"system s release=701 database=D clients=000",
         L"Landscape file test.txt, line 6: the system s is described twice."},
        {L"host a os=Linux\nsystem S release=700 database=D", L"Landscape file test.txt, line 2: the system S uses "
                                                              L"the unknown database D."},
        {kSystem + L"instance S host=a sysnr=0",
         L"Landscape file test.txt, line 6: the system S has an instance with the system number '0'; two digits are "
         L"needed."},
        {kSystem + L"instance S host=b sysnr=01",
         L"Landscape file test.txt, line 6: the system S has an instance on the unknown host b."},
        {kSystem + L"instance S host=A sysnr=00",
         L"Landscape file test.txt, line 6: two instances on host A have the system number 00."},
        {L"host a os=Linux\ndatabase D system=ORACLE host=a\nsystem S release=700 database=D clients=000\n"
         L"instance S host=a sysnr=00",
         L"Landscape file test.txt, line 3: the system S has no user."},
        {L"", L"Landscape file test.txt defines no SAP system."},
        {L"# nothing yet\n\nhost a os=Linux\n", L"Landscape file test.txt defines no SAP system."},
    };
    for (const auto& test : kCases)
        EXPECT_EQ(CString(test.message), ErrorOf(test.text)) << test.text.GetString();
}

TEST(LandscapeFileTest, ReadsUtf8AndUtf16WithTheirMarksAndRefusesOtherEncodings)
{
    const std::string kLines = "host h\xC3\xB6st os=Linux\n"
                               "database D system=ORACLE host=h\xC3\xB6st\n"
                               "system S release=700 database=D clients=000\n"
                               "user S U password=p\n"
                               "instance S host=h\xC3\xB6st sysnr=00\n";
    // The same text in UTF-16, of the given byte order.
    const auto utf16 = [&](bool littleEndian) {
        const CString text(CA2W(kLines.c_str(), CP_UTF8));
        std::string bytes = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
        for (int i = 0; i < text.GetLength(); ++i)
        {
            const char low = static_cast<char>(text[i] & 0xFF), high = static_cast<char>(text[i] >> 8);
            bytes += littleEndian ? std::string{low, high} : std::string{high, low};
        }
        return bytes;
    };
    std::string latin1 = kLines;
    latin1.replace(latin1.find("h\xC3\xB6st", 10), 5, "h\xF6st"); // on line 2
    const struct
    {
        std::string bytes;
        LPCWSTR message; // after "Landscape file <path>, "; empty when the file is read
    } kCases[] = {
        {kLines, L""},
        {"\xEF\xBB\xBF" + kLines, L""},
        {utf16(true), L""},
        {utf16(false), L""},
        {utf16(true).substr(2), L"line 1: the file holds zero bytes, as UTF-16 text does without its byte-order "
                                L"mark; save it as UTF-8."},
        {utf16(true) + "\n", L"line 6: the file ends inside a UTF-16 character."},
        {utf16(true) + std::string("#\0\0", 4), L"line 6: the file holds a zero character."},
        {latin1, L"line 2: byte 0xF6 is not UTF-8; save the file as UTF-8."},
        {kLines + "# \xC0\xAF overlong\n", L"line 6: byte 0xC0 is not UTF-8; save the file as UTF-8."},
        {kLines + "# \xED\xA0\x80 surrogate\n", L"line 6: byte 0xED is not UTF-8; save the file as UTF-8."},
        {kLines + "# cut \xE2\x82", L"line 6: byte 0xE2 is not UTF-8; save the file as UTF-8."},
    };
    TempDirectory directory;
    const CString path = directory.File(L"landscape.txt");
    for (const auto& test : kCases)
    {
        SCOPED_TRACE(test.message);
        CFile file(path, CFile::modeCreate | CFile::modeWrite);
        file.Write(test.bytes.data(), static_cast<UINT>(test.bytes.size()));
        file.Close();
        try
        {
            const CTopology topology = CLandscapeFile::Read(path);
            EXPECT_STREQ(L"", test.message);
            ASSERT_EQ(1u, topology.hosts.size());
            EXPECT_EQ(CString(L"h\u00F6st"), topology.hosts[0].name);
        }
        catch (CLandscapeException* e)
        {
            EXPECT_EQ(L"Landscape file " + path + L", " + test.message, e->m_message);
            e->Delete();
        }
    }
}

TEST(LandscapeFileTest, MissingFileThrowsFileException)
{
    TempDirectory directory;
    try
    {
        CLandscapeFile::Read(directory.File(L"none.txt"));
        ADD_FAILURE() << "a missing file was read";
    }
    catch (CFileException* e)
    {
        EXPECT_EQ(CFileException::fileNotFound, e->m_cause);
        e->Delete();
    }
}
