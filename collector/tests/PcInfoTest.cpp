// The PC facts: the Windows description by version, the processor and its clock, the memory
// status above 4 GB, the offset from UTC under a given time zone, and a few recorded metric and
// capability positions against direct calls.
#include <collector/PcInfo.h>

#include <cstdlib>
#include <ctime>

#include <gtest/gtest.h>

namespace
{
OSVERSIONINFOEX Version(DWORD dwPlatform, DWORD dwMajor, DWORD dwMinor, DWORD dwBuild, LPCTSTR lpszServicePack)
{
    OSVERSIONINFOEX version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    version.dwPlatformId = dwPlatform;
    version.dwMajorVersion = dwMajor;
    version.dwMinorVersion = dwMinor;
    version.dwBuildNumber = dwBuild;
    ::lstrcpyn(version.szCSDVersion, lpszServicePack, _countof(version.szCSDVersion));
    return version;
}

TEST(PcInfoTest, DescribesWindowsByPlatformAndVersion)
{
    const struct
    {
        OSVERSIONINFOEX version;
        LPCTSTR lpszText; // after the right trim of GetOsVersion
    } cases[] = {
        {Version(VER_PLATFORM_WIN32_NT, 5, 1, 2600, _T("Service Pack 3")),
         _T("Microsoft Windows XP Service Pack 3 (Build: 2600)")},
        {Version(VER_PLATFORM_WIN32_NT, 4, 0, 1381, _T("Service Pack 6  ")),
         _T("Microsoft Windows NT version: 4.0 Service Pack 6 (Build: 1381)")},
        {Version(VER_PLATFORM_WIN32_NT, 5, 0, 2195, _T("Service Pack 4")),
         _T("Microsoft Windows 2000 Service Pack 4 (Build: 2195)")},
        {Version(VER_PLATFORM_WIN32_NT, 5, 2, 3790, _T("")), _T("Microsoft Windows Server 2003  (Build: 3790)")},
        {Version(VER_PLATFORM_WIN32_NT, 6, 0, 6002, _T("Service Pack 2")),
         _T("Microsoft Windows Vista Service Pack 2 (Build: 6002)")},
        // Later versions have no name; the build keeps its low 16 bits.
        {Version(VER_PLATFORM_WIN32_NT, 6, 1, 0x10001DB1, _T("Service Pack 1")), _T("Service Pack 1 (Build: 7601)")},
        {Version(VER_PLATFORM_WIN32_WINDOWS, 4, 0, 950, _T(" C")), _T("Microsoft Windows 95 OSR2")},
        {Version(VER_PLATFORM_WIN32_WINDOWS, 4, 0, 950, _T(" B")), _T("Microsoft Windows 95 B")},
        {Version(VER_PLATFORM_WIN32_WINDOWS, 4, 0, 950, _T("")), _T("Microsoft Windows 95")},
        {Version(VER_PLATFORM_WIN32_WINDOWS, 4, 10, 2222, _T(" A")), _T("Microsoft Windows 98 SE")},
        {Version(VER_PLATFORM_WIN32_WINDOWS, 4, 10, 1998, _T("")), _T("Microsoft Windows 98")},
        {Version(VER_PLATFORM_WIN32_WINDOWS, 4, 90, 3000, _T("")), _T("Microsoft Windows Me")},
        {Version(VER_PLATFORM_WIN32s, 1, 30, 0, _T("")), _T("Microsoft Win32s")},
        {Version(7, 1, 0, 0, _T("")), _T("")},
    };
    for (const auto& c : cases)
    {
        CString strText = CPcInfo::DescribeOs(c.version);
        strText.TrimRight();
        EXPECT_EQ(CString(c.lpszText), strText);
    }
}

TEST(PcInfoTest, OsTextOfThisSystem)
{
    OSVERSIONINFOEX version = {};
    version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    ASSERT_TRUE(::GetVersionEx(reinterpret_cast<OSVERSIONINFO*>(&version)));
#pragma GCC diagnostic pop
    CPcInfo pc;
    pc.GetOsVersion();
    CString strBuild;
    strBuild.Format(_T("(Build: %u)"), LOWORD(version.dwBuildNumber));
    EXPECT_EQ(strBuild, pc.m_strOs.Right(strBuild.GetLength())) << CW2A(pc.m_strOs);
    EXPECT_EQ(pc.m_strOs.TrimRight(), pc.m_strOs);
}

TEST(PcInfoTest, ProcessorAndItsClockFromTheRegistry)
{
    CPcInfo pc;
    pc.GetProcessorInfo();
    SYSTEM_INFO info;
    ::GetSystemInfo(&info);
    ASSERT_EQ(PROCESSOR_ARCHITECTURE_AMD64, info.wProcessorArchitecture);
    EXPECT_EQ(CString(_T("AMD64")), pc.m_strArchitecture);
    EXPECT_EQ(CString(info.dwProcessorType == 8664 ? _T("AMD x86_64") : _T("Unknown")), pc.m_strProcessor);
    EXPECT_EQ(info.dwNumberOfProcessors, pc.m_nProcessors);

    DWORD dwMHz = 0;
    DWORD cbData = sizeof(dwMHz);
    const LSTATUS status = ::RegGetValue(HKEY_LOCAL_MACHINE, _T("Hardware\\Description\\System\\CentralProcessor\\0"),
                                         _T("~MHz"), RRF_RT_REG_DWORD, nullptr, &dwMHz, &cbData);
    EXPECT_EQ(status == ERROR_SUCCESS ? dwMHz : 0u, pc.m_nMHz);
}

TEST(PcInfoTest, MemoryAsTheExtendedStatusGivesIt)
{
    CPcInfo pc;
    pc.GetMemoryInfo();
    MEMORYSTATUSEX status = {};
    status.dwLength = sizeof(status);
    ASSERT_TRUE(::GlobalMemoryStatusEx(&status));
    EXPECT_EQ(status.ullTotalPhys, pc.m_nTotalPhys);
    EXPECT_EQ(status.ullTotalPageFile, pc.m_nTotalPageFile);
    EXPECT_EQ(status.ullTotalVirtual, pc.m_nTotalVirtual);
    // A 64-bit process's address space is far above 4 GB: a 32-bit record could not hold it.
    EXPECT_GT(pc.m_nTotalVirtual, 0xFFFFFFFFull);
    EXPECT_LE(pc.m_nMemoryLoad, 100u);
    EXPECT_GT(pc.m_nAvailPhys, 0u);
    EXPECT_LE(pc.m_nAvailPhys, pc.m_nTotalPhys);
    EXPECT_LE(pc.m_nAvailVirtual, pc.m_nTotalVirtual);
}

// Sets TZ for the test's duration.
class TimeZone
{
public:
    explicit TimeZone(const char* pszZone)
    {
        if (const char* pszOld = getenv("TZ"))
            m_strOld = pszOld;
        _putenv_s("TZ", pszZone);
        _tzset();
    }
    ~TimeZone()
    {
        _putenv_s("TZ", m_strOld.c_str());
        _tzset();
    }
    TimeZone(const TimeZone&) = delete;
    TimeZone& operator=(const TimeZone&) = delete;

private:
    std::string m_strOld;
};

__time64_t UtcTime(int nYear, int nMonth, int nDay)
{
    tm fields = {};
    fields.tm_year = nYear - 1900;
    fields.tm_mon = nMonth - 1;
    fields.tm_mday = nDay;
    fields.tm_hour = 12;
    return _mkgmtime64(&fields);
}

// The C library's TZ: the offset counts standard time only, summer or winter, with or without a
// daylight name.
TEST(PcInfoTest, OffsetTwoHoursEastFromTheLibrarysZone)
{
    for (const char* pszZone : {"EET-2", "EET-2EEST"})
    {
        const TimeZone zone(pszZone);
        for (const __time64_t tNow : {UtcTime(2026, 7, 15), UtcTime(2026, 1, 15)})
        {
            LONGLONG nOffset = 0;
            ASSERT_TRUE(CPcInfo::UtcOffsetAt(tNow, nOffset));
            EXPECT_EQ(7200, nOffset) << pszZone;
        }
        CPcInfo pc;
        pc.GetCurrentTime();
        EXPECT_EQ(7200, pc.m_nUtcOffset) << pszZone;
    }
}

TEST(PcInfoTest, MetricAndCapabilityPositionsAgainstDirectCalls)
{
    CPcInfo pc;
    pc.GetSystemMetrics();
    pc.GetDisplayInfo();
    const struct
    {
        int nPosition;
        int nIndex;
    } metrics[] = {{0, SM_CXSCREEN},         {1, SM_CYSCREEN},   {23, SM_SWAPBUTTON},
                   {24, SM_CXMIN},           {60, SM_CLEANBOOT}, {65, SM_CYMENUCHECK},
                   {71, SM_CXVIRTUALSCREEN}, {78, SM_TABLETPC},  {82, 90},
                   {83, SM_REMOTESESSION},   {84, 0x2000},       {86, 0x2002}};
    for (const auto& m : metrics)
        EXPECT_EQ(::GetSystemMetrics(m.nIndex), pc.m_Metrics[m.nPosition]) << m.nPosition;
    EXPECT_GT(pc.m_Metrics[0], 0);

    const HDC hDC = ::CreateDC(_T("DISPLAY"), nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hDC);
    const struct
    {
        int nPosition;
        int nIndex;
    } caps[] = {{0, DRIVERVERSION},   {4, HORZRES},     {6, BITSPIXEL},    {10, NUMFONTS},
                {11, NUMCOLORS},      {21, LOGPIXELSX}, {22, LOGPIXELSY},  {26, PHYSICALWIDTH},
                {31, SCALINGFACTORY}, {32, VREFRESH},   {35, BLTALIGNMENT}};
    for (const auto& c : caps)
        EXPECT_EQ(::GetDeviceCaps(hDC, c.nIndex), pc.m_DeviceCaps[c.nPosition]) << c.nPosition;
    ::DeleteDC(hDC);
    EXPECT_GT(pc.m_DeviceCaps[4], 0);
    for (const INT32 nReserved : pc.m_Reserved)
        EXPECT_EQ(0, nReserved);
}
} // namespace
