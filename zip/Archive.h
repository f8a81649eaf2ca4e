// CZipArchive: writes a zip archive entry by entry and closes it with its central directory.
#pragma once

#include <zip/ActionCallback.h>
#include <zip/AddRequest.h>
#include <zip/CentralDir.h>
#include <zip/Compressor.h>
#include <zip/Storage.h>

#include <afxtempl.h>

class CZipCryptograph;

class CZipArchive
{
public:
    // Modes of Close.
    enum CloseMode
    {
        afNoException = 0,
        afAfterException = 1, // nothing more is written
        afWriteDir = 2,       // after an exception, but the central directory is still written
    };

    // Commit modes.
    enum CommitMode
    {
        cmManual = 0,   // changed headers wait for Close
        cmOnChange = 1, // a changed header is committed at once
    };

    // Kinds of PredictFileNameInZip.
    enum PredictKind
    {
        prDir = 0,
        prFile = 1,
    };

    CZipArchive();
    CZipArchive(const CZipArchive&) = delete;
    CZipArchive& operator=(const CZipArchive&) = delete;
    virtual ~CZipArchive();

    // Creates the archive file at the path; false when the archive is open already.
    bool Open(LPCTSTR lpszPath);
    // After the storage was opened by the caller.
    void ResetAfterOpen(int iSystemCompatibility);
    CZipStorage& GetStorage()
    {
        return m_storage;
    }
    CZipCentralDir& GetCentralDir()
    {
        return m_centralDir;
    }

    bool AddNewFile(LPCTSTR lpszFilePath, int iComprLevel = -1, bool bFullPath = true,
                    int iSmartness = CZipAddRequest::smDefault, DWORD nBufSize = 65536);
    // The request's replace index and name may be changed by the call.
    bool AddFileByRequest(CZipAddRequest& request);

    bool OpenNewFile(CZipFileHeader& header, int iLevel = -1, ULONGLONG uReplaceIndex = CZipCentralDir::s_uNoIndex);
    bool CloseNewFile(bool bAfterException = false);
    // Copies the first entry of another archive, compressed as it is, to the end or in place of
    // the entry at uReplaceIndex. False when refused.
    bool CopyFirstFile(CZipArchive& source, ULONGLONG uReplaceIndex, CZipActionCallback* pCallback);
    // Without bRemoveAnyway, only an entry whose compression did not pay.
    bool RemoveLastFile(bool bRemoveAnyway = false);
    // Returns the archive's path, or an empty string when it was not open.
    CString Close(int iAfterException = afNoException);
    // Writes the central directory now when auto-finalize is on.
    void Finalize();
    // Rewrites the local headers of renamed entries, moving the data between them. False when the
    // archive cannot be changed now. On failure the archive is left as it was, with its central
    // directory written, and the names go back to those on disk.
    bool CommitChanges();

    CString PredictFileNameInZip(LPCTSTR lpszFilePath, bool bFullPath, int iWhat) const;

    bool SetPassword(LPCTSTR lpszPassword = nullptr);
    CString GetPassword() const;
    bool SetSystemCompatibility(int iSystemCompatibility);
    int GetSystemCompatibility() const
    {
        return m_iArchiveSystCompatib;
    }
    // 0xFF none, 0 traditional, 1-3 AES.
    void SetEncryptionMethod(int iEncryptionMethod);
    // Stored, deflate or bzip2.
    void SetCompressionMethod(WORD uMethod);
    void SetRootPath(LPCTSTR lpszPath = nullptr);
    void SetAutoFinalize(bool bAutoFinalize)
    {
        m_bAutoFinalize = bAutoFinalize;
    }
    void SetCommitMode(int iCommitMode)
    {
        m_iCommitMode = iCommitMode;
    }
    int GetCommitMode() const
    {
        return m_iCommitMode;
    }
    // Kept for the compressors of the options' type: applied whenever such a compressor is chosen.
    void SetCompressionOptions(const CZipCompressor::COptions& options);
    // The compressor of the last entry opened, or null.
    const CZipCompressor* GetCurrentCompressor() const
    {
        return m_pCompressor;
    }
    CString GetArchivePath() const;
    // Registers the callback under every callback type sharing a bit with the mask; null removes.
    void SetCallback(CZipActionCallback* pCallback, int iWhich);
    // The callback of the type, told which type it serves; null when none.
    CZipActionCallback* GetCallback(int iType);
    ULONGLONG GetCount() const
    {
        return m_centralDir.GetCount();
    }
    // Whether headers of entries already written may change now.
    bool CanModify() const;
    [[noreturn]] void ThrowError(int iCode) const;

protected:
    virtual void CreateCryptograph(int iEncryptionMethod);
    virtual void CreateCompressor(WORD uMethod);

    // Extracting. The system never reads its archives back; a reader derived from the archive
    // opens an entry of an archive not segmented, reads it, and Close finishes it.
    // False when the archive is segmented, an entry is open or there is no such entry; a local
    // header that does not match its entry or a wrong password throws.
    bool OpenFile(ULONGLONG uIndex);
    // Returns the bytes produced; 0 at the end of the entry or when none is open for extracting.
    DWORD ReadFile(void* pBuffer, DWORD uSize);
    // 1, or -1 when not all data was read; 0 when no entry was open for extracting. Unless after
    // an exception, a CRC that differs throws badCrc and, with its check on, a data descriptor
    // that differs badZipFile. The entry is forgotten also when it throws.
    int CloseFile(bool bAfterException = false);

private:
    enum OpenFileType
    {
        extract = -1,
        nothing = 0,
        compress = 1,
    };

    bool IsWritable() const
    {
        return m_storage.IsOpen() && !m_storage.IsExistingSegmented();
    }
    bool IsEncryptionActive() const
    {
        return m_pszPassword.GetSize() != 0 && m_iEncryptionMethod != CZipFileHeader::encNone;
    }
    void ClearCryptograph();
    // Reads the source through the compressor into the opened entry. False when the callback
    // stopped it; bLastChunk then tells whether the source had no more data.
    bool CompressSource(CZipAbstractFile& source, DWORD nBufSize, CZipActionCallback* pCallback, bool& bLastChunk);
    // Closes the entry whose data is complete after the callback stopped, and throws.
    [[noreturn]] void CloseStoppedFile();
    bool AddDirectory(CZipFileHeader& header, LPCTSTR lpszPath);
    // Adds the source to a temporary archive first; false when no temporary file can be made.
    bool AddThroughTempArchive(CZipAddRequest& request, bool bCheckEfficiency, ULONGLONG uSize, bool& bResult);
    // Resizes the space of the entry whose local header was at uOffset to uNeeded bytes.
    void MakeSpaceForReplace(ULONGLONG uOffset, ULONGLONG uNeeded, LPCTSTR lpszFileName);
    // Moves the bytes from uStart to uEnd by iShift through the general buffer; with bLastMove the
    // callback's last request follows. On failure the bytes are moved back.
    void MovePackedFiles(ULONGLONG uStart, ULONGLONG uEnd, LONGLONG iShift, CZipActionCallback* pCallback,
                         bool bLastMove = false);
    // Moves chunk by chunk, counting in uMoved the bytes that reached their new place.
    void MoveRange(ULONGLONG uStart, ULONGLONG uEnd, LONGLONG iShift, CZipActionCallback* pCallback, ULONGLONG& uMoved);
    void CopyData(CZipArchive& source, ULONGLONG uSize, CZipActionCallback* pCallback, bool& bStopped,
                  ULONGLONG& uCopied);
    // The entry opened for extracting is forgotten and the file goes back to where writing
    // goes on.
    void ForgetExtractedFile();
    // After a failure in the data: the entry is closed unfinished and removed.
    void AbandonNewFile();
    // Removes an unfinished entry that was to replace another, with its space.
    void RemoveReplacingFile(CZipFileHeader* pHeader);

    bool m_bRemoveDriveLetter = true;
    CMap<int, int, CZipActionCallback*, CZipActionCallback*> m_callbacks;
    CZipStorage m_storage;
    CZipCentralDir m_centralDir;
    int m_iFileOpened = nothing;
    bool m_bAutoFinalize = false;
    int m_iCommitMode = cmOnChange;
    CString m_szRootPath;
    int m_iArchiveSystCompatib = 0;
    CZipAutoBuffer m_pszPassword;
    CZipCryptograph* m_pCryptograph = nullptr;
    CZipCompressor* m_pCompressor = nullptr;
    int m_iEncryptionMethod = CZipFileHeader::encStandard;
    WORD m_uCompressionMethod = 8;
    CZipAutoBuffer m_pBuffer; // the general buffer, only during copies and moves
    DWORD m_iBufferSize = 65536;
    CZipCompressor::COptionsMap m_compressorsOptions;
    ULONGLONG m_uWritePosition = 0; // where the file was when an entry was opened for extracting
};
