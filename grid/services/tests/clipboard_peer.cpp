// Another program at the clipboard, for the grid's clipboard tests: it reads what a grid copied
// and puts data of its own, through a window of its own. Wine drops the data a process put on
// the clipboard when that process ends, so the commands that put or hold stay alive until the
// test sets the done event.
//
//   clipboard_peer read <unicode file> <ansi file>     CF_UNICODETEXT and CF_TEXT into files
//   clipboard_peer put-ansi <ready> <done> <text>       only CF_TEXT (the text's low bytes)
//   clipboard_peer put-unicode <ready> <done> <text>    CF_UNICODETEXT
//   clipboard_peer put-marker <ready> <done> <text> <n> CF_UNICODETEXT and a "GX_DIRECTCOPY" of n
//   clipboard_peer hold <ready> <done>                  keeps the clipboard open
//
// In the texts "\t", "\r" and "\n" stand for TAB, CR and LF. Exit code 0 on success.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

namespace
{
std::wstring Unescaped(const wchar_t* psz)
{
    std::wstring text;
    for (; *psz != 0; ++psz)
    {
        if (psz[0] == L'\\' && (psz[1] == L't' || psz[1] == L'r' || psz[1] == L'n'))
        {
            text += psz[1] == L't' ? L'\t' : psz[1] == L'r' ? L'\r' : L'\n';
            ++psz;
        }
        else
            text += *psz;
    }
    return text;
}

HGLOBAL Block(const void* pData, size_t nBytes)
{
    HGLOBAL hBlock = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_SHARE, nBytes);
    if (hBlock != nullptr)
    {
        std::memcpy(::GlobalLock(hBlock), pData, nBytes);
        ::GlobalUnlock(hBlock);
    }
    return hBlock;
}

bool WriteFile(const wchar_t* pszPath, const void* pData, size_t nBytes)
{
    FILE* pFile = _wfopen(pszPath, L"wb");
    if (pFile == nullptr)
        return false;
    const bool bWritten = fwrite(pData, 1, nBytes, pFile) == nBytes;
    return fclose(pFile) == 0 && bWritten;
}

// The text of the format up to its terminator, in bytes.
bool SaveFormat(UINT nFormat, const wchar_t* pszPath, size_t nUnit)
{
    HANDLE hData = ::GetClipboardData(nFormat);
    if (hData == nullptr)
        return false;
    const auto* pBytes = static_cast<const BYTE*>(::GlobalLock(hData));
    const size_t nSize = ::GlobalSize(hData);
    size_t nBytes = 0;
    while (nBytes + nUnit <= nSize && (nUnit == 1 ? pBytes[nBytes] != 0 : (pBytes[nBytes] | pBytes[nBytes + 1]) != 0))
        nBytes += nUnit;
    const bool bSaved = WriteFile(pszPath, pBytes, nBytes);
    ::GlobalUnlock(hData);
    return bSaved;
}

int Read(HWND hWnd, const wchar_t* pszUnicode, const wchar_t* pszAnsi)
{
    if (!::OpenClipboard(hWnd))
        return 2;
    const bool bRead = SaveFormat(CF_UNICODETEXT, pszUnicode, 2) && SaveFormat(CF_TEXT, pszAnsi, 1);
    ::CloseClipboard();
    return bRead ? 0 : 3;
}

int Put(HWND hWnd, const wchar_t* pszCommand, const std::wstring& text, DWORD dwIdentity)
{
    if (!::OpenClipboard(hWnd))
        return 2;
    ::EmptyClipboard();
    bool bPut = true;
    if (wcscmp(pszCommand, L"put-ansi") == 0)
    {
        std::string ansi;
        for (wchar_t ch : text)
            ansi += static_cast<char>(ch);
        bPut = ::SetClipboardData(CF_TEXT, Block(ansi.c_str(), ansi.size() + 1)) != nullptr;
    }
    else
        bPut = ::SetClipboardData(CF_UNICODETEXT, Block(text.c_str(), (text.size() + 1) * sizeof(wchar_t))) != nullptr;
    if (wcscmp(pszCommand, L"put-marker") == 0)
    {
        bPut = bPut &&
               ::SetClipboardData(::RegisterClipboardFormatW(L"GX_DIRECTCOPY"), Block(&dwIdentity, sizeof(dwIdentity))) !=
                   nullptr;
    }
    ::CloseClipboard();
    return bPut ? 0 : 3;
}

// Tells the test that the peer is ready and waits, serving its window, until the test is done.
void WaitForTest(const wchar_t* pszReady, const wchar_t* pszDone)
{
    HANDLE hReady = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, pszReady);
    HANDLE hDone = ::OpenEventW(SYNCHRONIZE, FALSE, pszDone);
    if (hReady != nullptr)
        ::SetEvent(hReady);
    const DWORD dwEnd = ::GetTickCount() + 30000;
    while (hDone != nullptr && ::GetTickCount() < dwEnd &&
           ::MsgWaitForMultipleObjects(1, &hDone, FALSE, 100, QS_ALLINPUT) != WAIT_OBJECT_0)
    {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&msg);
    }
    if (hReady != nullptr)
        ::CloseHandle(hReady);
    if (hDone != nullptr)
        ::CloseHandle(hDone);
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2)
        return 1;
    HWND hWnd = ::CreateWindowExW(0, L"STATIC", L"clipboard peer", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr, nullptr,
                                  nullptr);
    const std::wstring command = argv[1];
    int nResult = 1;
    if (command == L"read" && argc == 4)
        nResult = Read(hWnd, argv[2], argv[3]);
    else if (command == L"hold" && argc == 4)
    {
        if (!::OpenClipboard(hWnd))
            return 2;
        WaitForTest(argv[2], argv[3]);
        ::CloseClipboard();
        nResult = 0;
    }
    else if (command.rfind(L"put-", 0) == 0 && argc >= 5)
    {
        nResult = Put(hWnd, argv[1], Unescaped(argv[4]), argc > 5 ? wcstoul(argv[5], nullptr, 10) : 0);
        WaitForTest(argv[2], argv[3]);
    }
    ::DestroyWindow(hWnd);
    return nResult;
}
