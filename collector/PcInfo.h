// Facts about the PC that runs the collection, gathered once when the program starts and
// written into every session's PC control file.
#pragma once

#include <afx.h>

class CPcInfo : public CObject
{
    DECLARE_DYNCREATE(CPcInfo)
public:
    CPcInfo();

    // The gathering steps, run once at start-up in this order. Each leaves its fields as they
    // were when the system call it rests on fails.
    void GetOsVersion();
    void GetProcessorInfo();
    void GetMemoryInfo();
    void GetCurrentTime();
    void GetSystemMetrics();
    void GetDisplayInfo();

    // The Windows description of a version record, as GetOsVersion appends it.
    static CString DescribeOs(const OSVERSIONINFOEX& version);
    // Seconds that local standard time is ahead of UTC at the given time; FALSE when the C
    // library cannot convert it.
    static BOOL UtcOffsetAt(__time64_t tNow, LONGLONG& nOffset);

    CString m_strOs; // Windows name, version and build
    CString m_strArchitecture;
    CString m_strProcessor;
    UINT32 m_nProcessors;
    UINT32 m_nMHz; // 0 when the registry does not tell
    // The memory status: percent in use, then bytes.
    ULONGLONG m_nMemoryLoad;
    ULONGLONG m_nTotalPhys;
    ULONGLONG m_nAvailPhys;
    ULONGLONG m_nTotalPageFile;
    ULONGLONG m_nAvailPageFile;
    ULONGLONG m_nTotalVirtual;
    ULONGLONG m_nAvailVirtual;
    LONGLONG m_nUtcOffset; // seconds that local standard time is ahead of UTC
    INT32 m_Metrics[87];
    INT32 m_DeviceCaps[36];
    INT32 m_Reserved[36];
};
