// The main of every test executable: GoogleTest with GoogleMock, run on a desktop of the
// process's own, a listener that prints the text of a framework exception that escaped a test,
// which GoogleTest reports as unknown, and a crash report that ends a crashing program at once.
#include <afx.h>

#include <gmock/gmock.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <exception>

namespace
{
// A crash ends the program at once, saying where: the exception's code and address, the data
// address of an access violation, and the stack as module+offset lines, which addr2line turns
// into source lines. Left to Wine, a crash starts its debugger, whose dialog on the null
// graphics driver waits for a click that never comes, until ctest's time-out ends the run.
constexpr int kMaxCrashFrames = 48;

void PrintCrashFrame(int nFrame, DWORD64 address)
{
    HMODULE hModule = nullptr;
    wchar_t szPath[MAX_PATH] = L"?";
    if (::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                             reinterpret_cast<LPCWSTR>(address), &hModule))
        ::GetModuleFileNameW(hModule, szPath, MAX_PATH);
    const wchar_t* pszName = wcsrchr(szPath, L'\\');
    fprintf(stderr, "  #%02d %016llX %ls+0x%llX\n", nFrame, address, pszName != nullptr ? pszName + 1 : szPath,
            address - reinterpret_cast<DWORD64>(hModule));
}

// Unwinds from the faulting instruction by the modules' unwind tables. A function without
// one is a leaf: its return address is on top of the stack.
void PrintCrashStack(CONTEXT context)
{
    for (int nFrame = 0; nFrame < kMaxCrashFrames && context.Rip != 0; ++nFrame)
    {
        PrintCrashFrame(nFrame, context.Rip);
        DWORD64 imageBase = 0;
        PRUNTIME_FUNCTION pFunction = ::RtlLookupFunctionEntry(context.Rip, &imageBase, nullptr);
        if (pFunction == nullptr)
        {
            context.Rip = *reinterpret_cast<const DWORD64*>(context.Rsp);
            context.Rsp += sizeof(DWORD64);
            continue;
        }
        PVOID pHandlerData = nullptr;
        DWORD64 establisherFrame = 0;
        ::RtlVirtualUnwind(UNW_FLAG_NHANDLER, imageBase, context.Rip, pFunction, &context, &pHandlerData,
                           &establisherFrame, nullptr);
    }
}

LONG WINAPI ReportCrash(EXCEPTION_POINTERS* pException)
{
    // A second fault, in this report or on another thread, ends the program without one.
    static std::atomic<bool> bReporting{false};
    const EXCEPTION_RECORD& record = *pException->ExceptionRecord;
    if (bReporting.exchange(true))
        ::TerminateProcess(::GetCurrentProcess(), record.ExceptionCode);
    fflush(stdout);
    fprintf(stderr, "\nCrash: exception %08lX at address %p on thread %04lX", record.ExceptionCode,
            record.ExceptionAddress, ::GetCurrentThreadId());
    if (record.ExceptionCode == EXCEPTION_ACCESS_VIOLATION && record.NumberParameters >= 2)
        fprintf(stderr, ", %s access to %016llX", record.ExceptionInformation[0] == 0 ? "read" : "write",
                static_cast<DWORD64>(record.ExceptionInformation[1]));
    fprintf(stderr, "\n");
    PrintCrashStack(*pException->ContextRecord);
    fflush(stderr);
    // Terminated, not exited: the crashed thread may hold locks that exiting would wait for.
    ::TerminateProcess(::GetCurrentProcess(), record.ExceptionCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

class CExceptionPrinter : public ::testing::EmptyTestEventListener
{
    void OnTestPartResult(const ::testing::TestPartResult& result) override
    {
        // GoogleTest reports an unknown exception from inside its catch: the exception is still
        // the one being handled.
        const std::exception_ptr pCurrent = std::current_exception();
        if (!result.failed() || pCurrent == nullptr || strstr(result.message(), "Unknown C++ exception") == nullptr)
            return;
        try
        {
            std::rethrow_exception(pCurrent);
        }
        catch (CException* e)
        {
            TCHAR szMessage[1024] = {};
            e->GetErrorMessage(szMessage, _countof(szMessage));
            printf("The exception was %s: %s\n", e->GetRuntimeClass()->m_lpszClassName,
                   static_cast<const char*>(CW2A(szMessage, CP_UTF8)));
            fflush(stdout);
        }
        catch (...)
        {
        }
    }
};

// ctest runs the test executables side by side in one Wine server. The foreground window, and
// with it activation and mouse capture, belong to a desktop: on a shared one, another test
// process taking the foreground could end a drag loop or deactivate a window in the middle of
// a test. So the process ctest starts makes a desktop and runs itself again on it, and every
// thread of that run works there.
const wchar_t szDesktopPrefix[] = L"lumiter-test-";

bool RunsOnOwnDesktop()
{
    wchar_t szName[64] = {};
    DWORD nNeeded = 0;
    ::GetUserObjectInformationW(::GetThreadDesktop(::GetCurrentThreadId()), UOI_NAME, szName, sizeof(szName),
                                &nNeeded);
    return wcsncmp(szName, szDesktopPrefix, wcslen(szDesktopPrefix)) == 0;
}

// A job that ends its processes when its last handle closes: when this process ends, however it
// ends. ctest's time-out kills the process it started, and Wine starts a child detached from
// it, so the run on the test desktop would otherwise go on, holding ctest's output pipe open.
HANDLE CreateKillOnCloseJob()
{
    const HANDLE hJob = ::CreateJobObjectW(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (hJob != nullptr &&
        !::SetInformationJobObject(hJob, JobObjectExtendedLimitInformation, &limits, sizeof(limits)))
    {
        ::CloseHandle(hJob);
        return nullptr;
    }
    return hJob;
}

// Runs this executable with the same command line on a new desktop: its exit code.
int RunOnOwnDesktop()
{
    CString name;
    name.Format(L"%s%lu", szDesktopPrefix, ::GetCurrentProcessId());
    HDESK hDesktop = ::CreateDesktopW(name, nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    if (hDesktop == nullptr)
    {
        fprintf(stderr, "cannot create the test desktop (error %lu)\n", ::GetLastError());
        return 1;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.lpDesktop = name.GetBuffer();
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = ::GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    CString command(::GetCommandLineW());
    PROCESS_INFORMATION process{};
    fflush(stdout);
    const HANDLE hJob = CreateKillOnCloseJob();
    if (hJob == nullptr || !::CreateProcessW(nullptr, command.GetBuffer(), nullptr, nullptr, TRUE, CREATE_SUSPENDED,
                                             nullptr, nullptr, &startup, &process))
    {
        fprintf(stderr, "cannot run the tests on their desktop (error %lu)\n", ::GetLastError());
        if (hJob != nullptr)
            ::CloseHandle(hJob);
        ::CloseDesktop(hDesktop);
        return 1;
    }
    // Suspended until it is in the job, so that none of its own children escapes it.
    if (!::AssignProcessToJobObject(hJob, process.hProcess))
        fprintf(stderr, "the tests run outside their job (error %lu)\n", ::GetLastError());
    ::ResumeThread(process.hThread);
    DWORD exitCode = 1;
    ::WaitForSingleObject(process.hProcess, INFINITE);
    ::GetExitCodeProcess(process.hProcess, &exitCode);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    ::CloseHandle(hJob);
    ::CloseDesktop(hDesktop);
    return static_cast<int>(exitCode);
}
} // namespace

int main(int argc, char** argv)
{
    ::SetUnhandledExceptionFilter(ReportCrash);
    if (!RunsOnOwnDesktop())
        return RunOnOwnDesktop();
    ::testing::InitGoogleMock(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new CExceptionPrinter);
    return RUN_ALL_TESTS();
}
