// CFile: unbuffered binary access to a file through a Win32 handle, and CFileStatus.
#pragma once

struct CFileStatus
{
    CTime m_ctime; // creation
    CTime m_mtime; // last write
    CTime m_atime; // last access
    ULONGLONG m_size;
    BYTE m_attribute; // CFile::Attribute bits
    BYTE m_padding;
    TCHAR m_szFullName[_MAX_PATH];
};

// A file time as a CTime, or CTime() (0) for a time that CTime cannot hold, such as an unset one.
CTime AFXAPI AfxTimeFromFileTime(const FILETIME& ft);
// The absolute form of a path, or the path itself when the system cannot make one.
CString AFXAPI AfxGetFullPath(LPCTSTR lpszFileName);

class CFile : public CObject
{
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags
    {
        modeRead = 0x00000,
        modeWrite = 0x00001,
        modeReadWrite = 0x00002,
        shareCompat = 0x00000,
        shareExclusive = 0x00010,
        shareDenyWrite = 0x00020,
        shareDenyRead = 0x00030,
        shareDenyNone = 0x00040,
        modeNoInherit = 0x00080,
        modeCreate = 0x01000,
        modeNoTruncate = 0x02000,
        typeText = 0x04000,
        typeBinary = 0x08000,
        osNoBuffer = 0x10000,
        osWriteThrough = 0x20000,
        osRandomAccess = 0x40000,
        osSequentialScan = 0x80000,
    };

    enum Attribute
    {
        normal = 0x00,
        readOnly = 0x01,
        hidden = 0x02,
        system = 0x04,
        volume = 0x08,
        directory = 0x10,
        archive = 0x20,
    };

    enum SeekPosition
    {
        begin = 0x0,
        current = 0x1,
        end = 0x2
    };

    // GetBufferPtr commands and the flags that bufferCheck returns.
    enum BufferCommand
    {
        bufferRead,
        bufferWrite,
        bufferCommit,
        bufferCheck
    };
    enum BufferFlags
    {
        bufferDirect = 0x01,
        bufferBlocking = 0x02
    };

    static const HANDLE hFileNull;

    CFile();
    // The handle stays the caller's: the destructor does not close it (Close() does).
    explicit CFile(HANDLE hFile);
    // Throws CFileException when the file cannot be opened.
    CFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    // Closes an opened file; errors are ignored here.
    ~CFile() override;

    operator HANDLE() const
    {
        return m_hFile;
    }

    // FALSE on failure, with pError (if given) holding the cause, OS error and file name.
    virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);

    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    void SeekToBegin();
    ULONGLONG SeekToEnd();
    virtual ULONGLONG GetLength() const;
    // Moves the position to the new length, as SetEndOfFile needs.
    virtual void SetLength(ULONGLONG dwNewLen);

    // Returns the number of bytes read: less than nCount only at the end of the file.
    virtual UINT Read(void* lpBuf, UINT nCount);
    // All bytes or an exception (diskFull on a short write).
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual void Flush();

    // Close throws on failure and does nothing on a closed file; Abort never throws.
    virtual void Close();
    virtual void Abort();
    // A second object on a duplicated handle at the same position; NULL for a closed file.
    virtual CFile* Duplicate() const;

    virtual void LockRange(ULONGLONG dwPos, ULONGLONG dwCount);
    virtual void UnlockRange(ULONGLONG dwPos, ULONGLONG dwCount);

    // Direct access to a file's memory (see CMemFile). A plain file has none: bufferCheck
    // answers 0 and the other commands throw CNotSupportedException.
    virtual UINT GetBufferPtr(UINT nCommand, UINT nCount = 0, void** ppBufStart = nullptr, void** ppBufMax = nullptr);

    // The full path given to Open, its last component, and that component without extension.
    virtual CString GetFilePath() const;
    virtual CString GetFileName() const;
    virtual CString GetFileTitle() const;
    virtual void SetFilePath(LPCTSTR lpszNewName);

    // The open file's times, size and attributes, and the path it was opened by. FALSE when
    // the system cannot tell them.
    BOOL GetStatus(CFileStatus& rStatus) const;
    // The same for a file by name (without wildcards); FALSE when it does not exist.
    static BOOL PASCAL GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus);

    static void PASCAL Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName);
    static void PASCAL Remove(LPCTSTR lpszFileName);

    HANDLE m_hFile;

protected:
    // For the constructors that open: Open as the derived class does it, or throw its error.
    void OpenOrThrow(LPCTSTR lpszFileName, UINT nOpenFlags);

    BOOL m_bCloseOnDelete;
    CString m_strFileName;
};
