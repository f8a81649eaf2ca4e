// CFileFind: the files that match a name with wildcards, one at a time.
#pragma once

class CTime;

class CFileFind : public CObject
{
    DECLARE_DYNAMIC(CFileFind)
public:
    CFileFind();
    ~CFileFind() override;

    // Starts a search ("*.*" in the current directory by default). FALSE, with the reason in
    // GetLastError(), when nothing matches. Call FindNextFile before reading the first file.
    virtual BOOL FindFile(LPCTSTR pstrName = nullptr, DWORD dwUnused = 0);
    // Moves to the next file; FALSE when that file is the last one, which is still readable.
    virtual BOOL FindNextFile();
    void Close();

    virtual CString GetFileName() const;
    // The root joined with the file name.
    virtual CString GetFilePath() const;
    // The file name without its extension.
    virtual CString GetFileTitle() const;
    // The full path of the directory searched, without a trailing separator.
    virtual CString GetRoot() const;
    ULONGLONG GetLength() const;

    virtual BOOL GetLastWriteTime(FILETIME* pTimeStamp) const;
    virtual BOOL GetLastAccessTime(FILETIME* pTimeStamp) const;
    virtual BOOL GetCreationTime(FILETIME* pTimeStamp) const;
    virtual BOOL GetLastWriteTime(CTime& refTime) const;
    virtual BOOL GetLastAccessTime(CTime& refTime) const;
    virtual BOOL GetCreationTime(CTime& refTime) const;

    // Whether the file has any of the FILE_ATTRIBUTE_* bits in dwMask.
    virtual BOOL MatchesMask(DWORD dwMask) const;
    // "." or "..": the directory itself or its parent.
    virtual BOOL IsDots() const;
    BOOL IsReadOnly() const;
    BOOL IsDirectory() const;
    BOOL IsCompressed() const;
    BOOL IsSystem() const;
    BOOL IsHidden() const;
    BOOL IsTemporary() const;
    BOOL IsNormal() const;
    BOOL IsArchived() const;

protected:
    virtual void CloseContext();

    // The file the caller reads, and the one FindNextFile will hand over next.
    WIN32_FIND_DATA* m_pFoundInfo;
    WIN32_FIND_DATA* m_pNextInfo;
    HANDLE m_hContext;
    CString m_strRoot;
    TCHAR m_chDirSeparator;
};
