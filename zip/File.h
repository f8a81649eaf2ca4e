// CZipFile: a disk file that serves both as the archive's file and as a framework CFile.
#pragma once

#include <zip/AbstractFile.h>

class CZipFile : public CZipAbstractFile, public CFile
{
    DECLARE_DYNAMIC(CZipFile)
public:
    // The framework's open flags the library uses.
    enum ZipOpenFlags : UINT
    {
        modeCreateArchive = modeCreate | modeReadWrite | shareDenyWrite,         // 0x1022
        modeReadExisting = modeNoTruncate | modeRead | shareDenyWrite,           // 0x2020
        modeReadWriteExisting = modeNoTruncate | modeReadWrite | shareDenyWrite, // 0x2022
        modeReadSize = modeRead | shareDenyWrite,                                // 0x0020
    };

    CZipFile() = default;

    // Throws the framework's CFileException when bThrow is set, else returns false.
    bool Open(LPCTSTR lpszFileName, UINT nOpenFlags, bool bThrow) override;
    void Close() override;
    void Flush() override;
    ULONGLONG GetPosition() const override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetLength() const override;
    void SetLength(ULONGLONG uNewLen) override;
    using CZipAbstractFile::SeekToBegin;
    using CZipAbstractFile::SeekToEnd;
    CString GetFilePath() const override;
    // Refuses a null path with CInvalidArgException.
    void SetFilePath(LPCTSTR lpszNewName) override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    bool IsClosed() const override;
};
