// CStdioFile: a file read and written through a C run-time stream, in text mode by default
// (typeBinary for binary mode). Text lines travel in the C locale's code page, with CR LF.
#pragma once

#include <cstdio>

class CStdioFile : public CFile
{
    DECLARE_DYNAMIC(CStdioFile)
public:
    CStdioFile();
    // The stream stays the caller's: the destructor does not close it (Close() does).
    explicit CStdioFile(FILE* pOpenStream);
    // Throws CFileException when the file cannot be opened.
    CStdioFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    ~CStdioFile() override;

    // Opens the file as CFile does (sharing, creation) and puts a stream over its handle.
    BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;

    void WriteString(LPCTSTR lpsz);
    // Up to nMax - 1 characters of the next line, keeping its "\n"; NULL at the end.
    LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
    // The next line without its "\n"; FALSE at the end.
    BOOL ReadString(CString& rString);

    ULONGLONG GetPosition() const override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetLength() const override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    void Flush() override;
    void Close() override;
    void Abort() override;

    // A stream cannot be shared or locked: these throw CNotSupportedException.
    CFile* Duplicate() const override;
    void LockRange(ULONGLONG dwPos, ULONGLONG dwCount) override;
    void UnlockRange(ULONGLONG dwPos, ULONGLONG dwCount) override;

    FILE* m_pStream;
};
