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
        CLandscapeFile::Parse(text);
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
    const CTopology topology = CLandscapeFile::Parse(kLandscape);

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

TEST(LandscapeFileTest, NamesTheLineOfAnError)
{
    const struct
    {
        LPCWSTR text;
        LPCWSTR message;
    } kCases[] = {
        {L"host a os=Linux\nplanet x", L"Landscape file, line 2: unknown keyword 'planet'."},
        {L"host a os=Linux cpus=four", L"Landscape file, line 1: cpus must be a whole number, not 'four'."},
        {L"host a", L"Landscape file, line 1: the setting os is missing."},
        {L"host a os=Linux colour=red", L"Landscape file, line 1: 'host' has no setting colour."},
        {L"host a os=\"Linux", L"Landscape file, line 1: a quote is not closed."},
        {L"user XYZ someone password=x", L"Landscape file, line 1: the system XYZ is not described above."},
        {L"host a os=Linux\ndatabase D system=ORACLE host=a\nsystem S release=700 database=D clients=000\n"
         L"user S U password=p\ninstance S host=a sysnr=00 services=telepathy",
         L"Landscape file, line 5: 'telepathy' is no service."},
        {L"host a os=Linux\ndatabase D system=ORACLE host=nowhere", L"The database D is on the unknown host nowhere."},
        {L"host a os=Linux\nhost A os=Linux", L"The host A is described twice."},
        {L"host a os=Linux\ndatabase D system=ORACLE host=a\nsystem S release=700 database=D clients=000\n"
         L"user S U password=p\ninstance S host=a sysnr=0",
         L"The system S has an instance with the system number '0'; two digits are needed."},
    };
    for (const auto& test : kCases)
        EXPECT_EQ(CString(test.message), ErrorOf(test.text)) << CString(test.text).GetString();
}

TEST(LandscapeFileTest, ReadsUtf8FileWithByteOrderMark)
{
    TempDirectory directory;
    const CString path = directory.File(L"landscape.txt");
    const char text[] = "\xEF\xBB\xBFhost h\xC3\xB6st os=Linux\n";
    CFile file(path, CFile::modeCreate | CFile::modeWrite);
    file.Write(text, sizeof(text) - 1);
    file.Close();

    const CTopology topology = CLandscapeFile::Read(path);
    ASSERT_EQ(1u, topology.hosts.size());
    EXPECT_EQ(CString(L"h\u00F6st"), topology.hosts[0].name);
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
