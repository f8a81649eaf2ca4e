#include <testing/ChildProcess.h>

#include <vector>

CString ExecutableFolder()
{
    std::vector<wchar_t> path(MAX_PATH);
    while (::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())) == path.size())
        path.resize(path.size() * 2);
    CString folder(path.data());
    return folder.Left(folder.ReverseFind(L'\\') + 1);
}

long RunChildProcess(const CString& program, const CString& arguments, DWORD timeoutMs, HANDLE hOutput)
{
    CString command = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (hOutput != nullptr)
    {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = hOutput;
        startup.hStdError = hOutput;
    }
    PROCESS_INFORMATION process{};
    const BOOL started = ::CreateProcessW(program, command.GetBuffer(), nullptr, nullptr, hOutput != nullptr, 0,
                                          nullptr, nullptr, &startup, &process);
    command.ReleaseBuffer();
    if (!started)
        return -1;
    DWORD exitCode = 0;
    const bool ended = ::WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0 &&
                       ::GetExitCodeProcess(process.hProcess, &exitCode);
    if (!ended)
        ::TerminateProcess(process.hProcess, 1);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return ended ? static_cast<long>(exitCode) : -1;
}
