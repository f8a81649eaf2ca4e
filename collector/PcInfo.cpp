#include <collector/PcInfo.h>

#include <ctime>
#include <iterator>
#include <type_traits>

IMPLEMENT_DYNCREATE(CPcInfo, CObject)

namespace
{
struct CodeName
{
    UINT nCode;
    LPCTSTR lpszName;
};

constexpr CodeName kArchitectures[] = {
    {0, _T("Intel")}, {1, _T("MIPS")},  {2, _T("Alpha")},        {3, _T("Merlade")},
    {4, _T("SHX")},   {5, _T("ARM")},   {6, _T("IA64")},         {7, _T("Alpha64")},
    {8, _T("MSIL")},  {9, _T("AMD64")}, {10, _T("Intel EM64T")}, {0xFFFF, _T("Unknown")},
};

constexpr CodeName kProcessors[] = {
    {386, _T("Intel 386")},   {486, _T("Intel 486")},   {586, _T("Intel Pentium")}, {601, _T("Merlade 601")},
    {603, _T("Merlade 603")}, {604, _T("Merlade 604")}, {620, _T("Merlade 620")},   {2200, _T("Intel IA64")},
    {4000, _T("MIPS")},       {8664, _T("AMD x86_64")}, {21064, _T("Alpha")},
};

// Names of the NT versions after NT 4, by major and minor version.
struct NtName
{
    DWORD dwMajor;
    DWORD dwMinor;
    LPCTSTR lpszName;
};

constexpr NtName kNtNames[] = {
    {5, 0, _T("Microsoft Windows 2000 ")},
    {5, 1, _T("Microsoft Windows XP ")},
    {5, 2, _T("Microsoft Windows Server 2003 ")},
    {6, 0, _T("Microsoft Windows Vista ")},
};

// The system metrics and display capabilities recorded, in the order of the record.
constexpr int kMetricRanges[][2] = {{0, 23}, {28, 63}, {67, 84}, {86, 90}, {0x1000, 0x1000}, {0x2000, 0x2002}};
constexpr size_t MetricCount()
{
    size_t nCount = 0;
    for (const auto& range : kMetricRanges)
        nCount += static_cast<size_t>(range[1] - range[0] + 1);
    return nCount;
}
static_assert(MetricCount() == std::extent_v<decltype(CPcInfo::m_Metrics)>);
constexpr int kDeviceCaps[] = {0,  2,  4,  6,  8,  10,  12,  14,  16,  18,  22,  24,  28,  30,  32,  34,  36,  38,
                               40, 42, 44, 88, 90, 104, 106, 108, 110, 111, 112, 113, 114, 115, 116, 117, 118, 119};
static_assert(std::size(kDeviceCaps) == std::extent_v<decltype(CPcInfo::m_DeviceCaps)>);

LPCTSTR NameOf(const CodeName* pBegin, const CodeName* pEnd, UINT nCode, LPCTSTR lpszOther)
{
    for (const CodeName* p = pBegin; p != pEnd; ++p)
        if (p->nCode == nCode)
            return p->lpszName;
    return lpszOther;
}

CString TrimmedRight(LPCTSTR lpsz)
{
    CString str = lpsz;
    str.TrimRight();
    return str;
}

// GetVersionEx is deprecated, yet it is the call that answers with the service-pack text.
BOOL ReadVersion(OSVERSIONINFOEX& version)
{
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    version = OSVERSIONINFOEX{};
    version.dwOSVersionInfoSize = sizeof(version);
    if (::GetVersionEx(reinterpret_cast<OSVERSIONINFO*>(&version)))
        return TRUE;
    version.dwOSVersionInfoSize = sizeof(OSVERSIONINFO);
    return ::GetVersionEx(reinterpret_cast<OSVERSIONINFO*>(&version));
#pragma GCC diagnostic pop
}
} // namespace

CPcInfo::CPcInfo()
    : m_nProcessors(0), m_nMHz(0), m_nMemoryLoad(0), m_nTotalPhys(0), m_nAvailPhys(0), m_nTotalPageFile(0),
      m_nAvailPageFile(0), m_nTotalVirtual(0), m_nAvailVirtual(0),
      m_nUtcOffset(0), m_Metrics{}, m_DeviceCaps{}, m_Reserved{}
{
}

void CPcInfo::GetOsVersion()
{
    OSVERSIONINFOEX version;
    if (!ReadVersion(version))
        return;
    m_strOs += DescribeOs(version);
    m_strOs.TrimRight();
}

CString CPcInfo::DescribeOs(const OSVERSIONINFOEX& version)
{
    CString strOs;
    const CString strServicePack = TrimmedRight(version.szCSDVersion);
    const UINT nBuild = LOWORD(version.dwBuildNumber);
    const TCHAR chRelease = version.szCSDVersion[0] != 0 ? version.szCSDVersion[1] : 0;
    switch (version.dwPlatformId)
    {
    case VER_PLATFORM_WIN32_NT:
        if (version.dwMajorVersion <= 4)
        {
            strOs = _T("Microsoft Windows NT ");
            strOs.AppendFormat(_T("version: %I32u.%I32u %s (Build: %I32u)"), version.dwMajorVersion,
                               version.dwMinorVersion, static_cast<LPCTSTR>(strServicePack), nBuild);
            break;
        }
        for (const NtName& name : kNtNames)
            if (name.dwMajor == version.dwMajorVersion && name.dwMinor == version.dwMinorVersion)
                strOs = name.lpszName;
        strOs.AppendFormat(_T("%s (Build: %I32u)"), static_cast<LPCTSTR>(strServicePack), nBuild);
        break;
    case VER_PLATFORM_WIN32_WINDOWS:
        if (version.dwMajorVersion != 4)
            break;
        if (version.dwMinorVersion == 0)
        {
            strOs = _T("Microsoft Windows 95 ");
            if (chRelease == _T('C'))
                strOs += _T("OSR2 ");
            else if (chRelease != 0)
            {
                strOs += chRelease;
                strOs += _T(' ');
            }
        }
        else if (version.dwMinorVersion == 10)
        {
            strOs = _T("Microsoft Windows 98 ");
            if (chRelease == _T('A'))
                strOs += _T("SE ");
        }
        else if (version.dwMinorVersion == 90)
            strOs = _T("Microsoft Windows Me ");
        break;
    case VER_PLATFORM_WIN32s:
        strOs = _T("Microsoft Win32s ");
        break;
    default:
        break;
    }
    return strOs;
}

void CPcInfo::GetProcessorInfo()
{
    SYSTEM_INFO info;
    ::GetSystemInfo(&info);
    m_strArchitecture =
        NameOf(std::begin(kArchitectures), std::end(kArchitectures), info.wProcessorArchitecture, _T(""));
    m_strProcessor = NameOf(std::begin(kProcessors), std::end(kProcessors), info.dwProcessorType, _T("Unknown"));
    m_nProcessors = info.dwNumberOfProcessors;

    HKEY hKey = nullptr;
    if (::RegOpenKeyEx(HKEY_LOCAL_MACHINE, _T("Hardware\\Description\\System\\CentralProcessor\\0"), 0, KEY_QUERY_VALUE,
                       &hKey) != ERROR_SUCCESS)
        return;
    DWORD dwMHz = 0;
    DWORD dwType = 0;
    DWORD cbData = sizeof(dwMHz);
    if (::RegQueryValueEx(hKey, _T("~MHz"), nullptr, &dwType, reinterpret_cast<BYTE*>(&dwMHz), &cbData) ==
            ERROR_SUCCESS &&
        dwType == REG_DWORD && cbData == sizeof(dwMHz))
        m_nMHz = dwMHz;
    ::RegCloseKey(hKey);
}

void CPcInfo::GetMemoryInfo()
{
    // The extended record: the old one stops at 4 GB.
    MEMORYSTATUSEX status = {};
    status.dwLength = sizeof(status);
    if (!::GlobalMemoryStatusEx(&status))
        return;
    m_nMemoryLoad = status.dwMemoryLoad;
    m_nTotalPhys = status.ullTotalPhys;
    m_nAvailPhys = status.ullAvailPhys;
    m_nTotalPageFile = status.ullTotalPageFile;
    m_nAvailPageFile = status.ullAvailPageFile;
    m_nTotalVirtual = status.ullTotalVirtual;
    m_nAvailVirtual = status.ullAvailVirtual;
}

void CPcInfo::GetCurrentTime()
{
    UtcOffsetAt(_time64(nullptr), m_nUtcOffset);
}

BOOL CPcInfo::UtcOffsetAt(__time64_t tNow, LONGLONG& nOffset)
{
    // The UTC fields read as local time; their daylight flag is 0, so standard time counts.
    tm fields = {};
    if (_gmtime64_s(&fields, &tNow) != 0)
        return FALSE;
    const __time64_t tAsLocal = _mktime64(&fields);
    if (tAsLocal == -1)
        return FALSE;
    nOffset = tNow - tAsLocal;
    return TRUE;
}

void CPcInfo::GetSystemMetrics()
{
    int nPosition = 0;
    for (const auto& range : kMetricRanges)
        for (int nIndex = range[0]; nIndex <= range[1]; ++nIndex)
            m_Metrics[nPosition++] = ::GetSystemMetrics(nIndex);
}

void CPcInfo::GetDisplayInfo()
{
    const HDC hDC = ::CreateDC(_T("Display"), nullptr, nullptr, nullptr);
    if (hDC == nullptr)
        return;
    for (size_t i = 0; i < std::size(kDeviceCaps); ++i)
        m_DeviceCaps[i] = ::GetDeviceCaps(hDC, kDeviceCaps[i]);
    ::DeleteDC(hDC);
}
