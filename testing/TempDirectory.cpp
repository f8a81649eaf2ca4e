#include <testing/TempDirectory.h>

#include <gtest/gtest.h>

TempDirectory::TempDirectory()
{
    TCHAR base[MAX_PATH];
    const DWORD length = ::GetTempPath(MAX_PATH, base);
    if (length == 0 || length >= MAX_PATH)
        throw std::runtime_error("no temporary path");

    // Process id and a counter keep parallel test processes and fixtures apart.
    static LONG counter = 0;
    for (;;)
    {
        CString path;
        path.Format(_T("%slumiter-test-%lu-%ld\\"), base, ::GetCurrentProcessId(), ::InterlockedIncrement(&counter));
        if (::CreateDirectory(path, nullptr))
        {
            m_path = path;
            return;
        }
        if (::GetLastError() != ERROR_ALREADY_EXISTS)
            throw std::runtime_error("cannot create a temporary directory");
    }
}

TempDirectory::~TempDirectory()
{
    RemoveDirectoryTree(m_path);
}

void RemoveDirectoryTree(const CString& path)
{
    CString directory = path;
    if (!directory.IsEmpty() && directory[directory.GetLength() - 1] != _T('\\'))
        directory += _T('\\');

    WIN32_FIND_DATA data;
    HANDLE find = ::FindFirstFile(directory + _T("*"), &data);
    if (find != INVALID_HANDLE_VALUE)
    {
        do
        {
            const CString name = data.cFileName;
            if (name == _T(".") || name == _T(".."))
                continue;
            const CString child = directory + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveDirectoryTree(child);
            else
            {
                ::SetFileAttributes(child, FILE_ATTRIBUTE_NORMAL);
                ::DeleteFile(child);
            }
        } while (::FindNextFile(find, &data));
        ::FindClose(find);
    }
    ::RemoveDirectory(directory);
}
