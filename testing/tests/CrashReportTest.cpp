// A test program that crashes ends at once and says where, instead of waiting in Wine's debugger.
#include <testing/ChildProcess.h>
#include <testing/TempDirectory.h>

#include <gtest/gtest.h>

#include <string>

namespace
{
constexpr LPCTSTR kChildVariable = _T("LUMITER_CRASH_CHILD");
// In the first page, which is never mapped.
constexpr ULONG_PTR kBadAddress = 0x10;
// The faulting write is within the first bytes of the function.
constexpr DWORD64 kFunctionReach = 64;

__attribute__((noinline)) void WriteToBadAddress()
{
    // Read back from a volatile, so that the compiler knows nothing of the address.
    volatile ULONG_PTR address = kBadAddress;
    *reinterpret_cast<volatile int*>(address) = 1;
}

std::string FileText(const CString& strPath)
{
    CFile file(strPath, CFile::modeRead | CFile::shareDenyNone);
    std::string text(static_cast<size_t>(file.GetLength()), '\0');
    file.Read(text.data(), static_cast<UINT>(text.size()));
    return text;
}

// The module offset of the stack line "#<frame> <address> testing_tests.exe+0x<offset>", or 0.
DWORD64 FrameOffset(const std::string& output, const char* pszFrame)
{
    const size_t nLine = output.find(pszFrame);
    const size_t nOffset = nLine == std::string::npos ? nLine : output.find("testing_tests.exe+0x", nLine);
    if (nOffset == std::string::npos || output.find('\n', nLine) < nOffset)
        return 0;
    return std::stoull(output.substr(nOffset + strlen("testing_tests.exe+0x")), nullptr, 16);
}
} // namespace

TEST(CrashReportTest, AnAccessViolationEndsTheProgramWithItsAddressAndStack)
{
    if (::GetEnvironmentVariable(kChildVariable, nullptr, 0) != 0)
    {
        WriteToBadAddress();
        return;
    }
    TempDirectory directory;
    const CString strOutput = directory.File(_T("output.txt"));
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE hOutput = ::CreateFile(strOutput, GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(hOutput, INVALID_HANDLE_VALUE);
    ::SetEnvironmentVariable(kChildVariable, _T("1"));
    // Far more than a crash takes to report, far less than the run's time-out that a waiting
    // debugger would reach.
    const long nExit = RunChildProcess(ExecutableFolder() + _T("testing_tests.exe"),
                                       _T("--gtest_filter=CrashReportTest.*"), 60000, hOutput);
    ::SetEnvironmentVariable(kChildVariable, nullptr);
    ::CloseHandle(hOutput);

    EXPECT_EQ(static_cast<DWORD>(nExit), static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));
    const std::string output = FileText(strOutput);
    EXPECT_NE(output.find("Crash: exception C0000005 at address "), std::string::npos) << output;
    EXPECT_NE(output.find("write access to 0000000000000010"), std::string::npos) << output;
    // The faulting instruction is the first frame, in the function that wrote; the module is
    // the same file in both processes.
    const DWORD64 function =
        reinterpret_cast<DWORD64>(&WriteToBadAddress) - reinterpret_cast<DWORD64>(::GetModuleHandle(nullptr));
    const DWORD64 offset = FrameOffset(output, "#00 ");
    EXPECT_GE(offset, function) << output;
    EXPECT_LT(offset, function + kFunctionReach) << output;
    // The caller, this test, comes next.
    EXPECT_NE(FrameOffset(output, "#01 "), 0u) << output;
}
