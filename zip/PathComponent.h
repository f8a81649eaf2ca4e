// CZipPathComponent: splits a path into prefix, drive, directory, title and extension.
#pragma once

#include <afx.h>

class CZipPathComponent
{
public:
    CZipPathComponent() = default;
    explicit CZipPathComponent(LPCTSTR lpszFullPath);

    void SetFullPath(LPCTSTR lpszFullPath);

    // The "\\", "\\?\" or "\\?\unc\" the path began with, else empty.
    const CString& GetPrefix() const
    {
        return m_szPrefix;
    }
    const CString& GetFileDrive() const
    {
        return m_szDrive;
    }
    // Without leading and trailing separators.
    const CString& GetFileDir() const
    {
        return m_szDirectory;
    }
    const CString& GetFileTitle() const
    {
        return m_szFileTitle;
    }
    // Without the dot.
    const CString& GetFileExt() const
    {
        return m_szFileExt;
    }
    // The title, plus a dot and the extension when there is one.
    CString GetFileName() const;
    // The directory and the file name, joined by one backslash when both are present.
    CString GetPathWithoutDrive() const;

private:
    CString m_szDrive;
    CString m_szDirectory;
    CString m_szFileTitle;
    CString m_szFileExt;
    CString m_szPrefix;
};
