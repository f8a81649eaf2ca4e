// The main of every test executable: GoogleTest with GoogleMock, run on a desktop of the
// process's own, and a listener that prints the text of a framework exception that escaped a
// test, which GoogleTest reports as unknown.
#include <afx.h>

#include <gmock/gmock.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <exception>

namespace
{
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
    if (!::CreateProcessW(nullptr, command.GetBuffer(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                          &process))
    {
        fprintf(stderr, "cannot run the tests on their desktop (error %lu)\n", ::GetLastError());
        ::CloseDesktop(hDesktop);
        return 1;
    }
    DWORD exitCode = 1;
    ::WaitForSingleObject(process.hProcess, INFINITE);
    ::GetExitCodeProcess(process.hProcess, &exitCode);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    ::CloseDesktop(hDesktop);
    return static_cast<int>(exitCode);
}
} // namespace

int main(int argc, char** argv)
{
    if (!RunsOnOwnDesktop())
        return RunOnOwnDesktop();
    ::testing::InitGoogleMock(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new CExceptionPrinter);
    return RUN_ALL_TESTS();
}
