// CZipAbstractFile: the file interface an archive lives in, on disk or in memory.
#pragma once

#include <afx.h>

class CZipAbstractFile
{
public:
    enum
    {
        begin = 0,
        current = 1,
        end = 2
    };

    virtual bool Open(LPCTSTR lpszFileName, UINT nOpenFlags, bool bThrow);
    virtual void Close() = 0;
    virtual void Flush() = 0;
    virtual ULONGLONG GetPosition() const = 0;
    // Returns the new position.
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom) = 0;
    virtual ULONGLONG GetLength() const = 0;
    virtual void SetLength(ULONGLONG uNewLen) = 0;
    virtual void SeekToBegin();
    virtual ULONGLONG SeekToEnd();
    virtual CString GetFilePath() const = 0;
    // Returns the bytes read.
    virtual UINT Read(void* lpBuf, UINT nCount) = 0;
    virtual void Write(const void* lpBuf, UINT nCount) = 0;
    virtual bool IsClosed() const = 0;
    virtual ~CZipAbstractFile() = default;

    // An offset too large for a signed seek is taken from the other end.
    ULONGLONG SafeSeek(ULONGLONG uOffset, bool bFromBeginning = true);
};
