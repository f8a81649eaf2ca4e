// A fresh directory under the temporary path, removed with all its contents at the end of
// the test.
#pragma once

#include <afx.h>

class TempDirectory
{
public:
    TempDirectory();
    ~TempDirectory();
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    // The directory's path, ending in a backslash.
    const CString& Path() const
    {
        return m_path;
    }
    CString File(LPCTSTR lpszName) const
    {
        return m_path + lpszName;
    }

private:
    CString m_path;
};

// Removes a directory tree; used by TempDirectory and by tests that make their own trees.
void RemoveDirectoryTree(const CString& path);
