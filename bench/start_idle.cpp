// Starts Lumiter5.exe (beside the benchmarks' directory, in ../app) and the system's notepad in
// turn, 5 times each, and measures each from CreateProcess until the process first waits for
// input with its main window shown: WaitForInputIdle, then a visible top-level window of the
// process titled as its main window. The program's splash closes by itself later and is not
// waited for. Prints the medians and their ratio.
#include <BenchFigures.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace
{
const int kRuns = 5;
const DWORD kTimeoutMs = 60000;

struct Search
{
    DWORD dwProcessId;
    const wchar_t* pszTitleStart;
    bool bFound;
};

BOOL CALLBACK FindMainWindow(HWND hWnd, LPARAM lParam)
{
    auto* pSearch = reinterpret_cast<Search*>(lParam);
    DWORD dwProcessId = 0;
    ::GetWindowThreadProcessId(hWnd, &dwProcessId);
    if (dwProcessId != pSearch->dwProcessId || !::IsWindowVisible(hWnd))
        return TRUE;
    wchar_t szTitle[256] = {};
    ::GetWindowTextW(hWnd, szTitle, 256);
    if (std::wstring(szTitle).find(pSearch->pszTitleStart) == std::wstring::npos)
        return TRUE;
    pSearch->bFound = true;
    return FALSE;
}

// The seconds from start to idle with the main window shown; negative when that never came.
double StartToIdle(const std::wstring& strCommand, const wchar_t* pszDirectory, const wchar_t* pszTitle)
{
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    std::vector<wchar_t> command(strCommand.begin(), strCommand.end());
    command.push_back(0);
    const Clock::time_point start = Clock::now();
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, pszDirectory, &startup,
                          &process))
        return -1;
    double dSeconds = -1;
    if (::WaitForInputIdle(process.hProcess, kTimeoutMs) == 0)
    {
        Search search = {process.dwProcessId, pszTitle, false};
        while (Seconds(Clock::now() - start) * 1000 < kTimeoutMs)
        {
            ::EnumWindows(&FindMainWindow, reinterpret_cast<LPARAM>(&search));
            if (search.bFound)
                break;
            ::Sleep(1);
        }
        if (search.bFound)
            dSeconds = Seconds(Clock::now() - start);
    }
    ::TerminateProcess(process.hProcess, 0);
    ::WaitForSingleObject(process.hProcess, kTimeoutMs);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return dSeconds;
}

std::wstring ProgramDirectory()
{
    wchar_t szPath[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, szPath, MAX_PATH);
    std::wstring strPath(szPath);
    strPath.erase(strPath.find_last_of(L'\\'));         // bench
    strPath.erase(strPath.find_last_of(L'\\') + 1);     // the build directory
    return strPath + L"app";
}
} // namespace

int main()
{
    const std::wstring strAppDirectory = ProgramDirectory();
    const std::wstring strProgram = L"\"" + strAppDirectory + L"\\Lumiter5.exe\"";
    std::vector<double> program, notepad;
    for (int run = 0; run < kRuns; ++run)
    {
        program.push_back(StartToIdle(strProgram, strAppDirectory.c_str(), L"Lumiter5"));
        notepad.push_back(StartToIdle(L"notepad.exe", nullptr, L"Notepad"));
        if (program.back() < 0 || notepad.back() < 0)
        {
            std::printf("a program did not reach idle with its main window within %lu s\n", kTimeoutMs / 1000);
            return 1;
        }
    }
    const double dProgram = Median(program);
    const double dNotepad = Median(notepad);
    std::printf("start to first idle with the main window shown (median of %d interleaved runs)\n", kRuns);
    std::printf("  Lumiter5: %8.1f ms\n", dProgram * 1000);
    std::printf("  notepad:  %8.1f ms\n", dNotepad * 1000);
    std::printf("  ratio:    %8.2f\n", dProgram / dNotepad);
    return 0;
}
