// CZipStorage: the buffered byte stream under an archive, in one file or spread over volumes.
#pragma once

#include <zip/AutoBuffer.h>
#include <zip/Collections.h>
#include <zip/File.h>

#include <memory>

class CZipVolumeCallback;
class CZipSplitNamesHandler;

class CZipStorage
{
public:
    enum Mode
    {
        modeOpened = 0x01,
        modeOwnsFile = 0x04,
        modeExisting = 0x08,
        modeSegmented = 0x10,
        modeSplit = 0x20,   // with modeSegmented
        modeBinary = 0x40,  // with modeSplit
        modeSpanned = 0x80, // with modeSegmented
        modeSegmentationMask = modeSegmented | modeSplit | modeBinary | modeSpanned,
    };

    // The first bytes of a segmented archive.
    static constexpr DWORD s_uSegmentedSignature = 0x08074B50;

    CZipStorage();
    CZipStorage(const CZipStorage&) = delete;
    CZipStorage& operator=(const CZipStorage&) = delete;
    ~CZipStorage();

    // A new archive file, created or truncated; the framework's file exception on failure.
    void Open(LPCTSTR lpszPath);
    // The caller's file, truncated; it stays the caller's.
    void Open(CZipAbstractFile& file);
    // A new split archive of volumes of uVolumeSize bytes (CZipException noVolumeSize for 0).
    // Without a handler the volumes are named "name.z01", ..., or "name.001", ... when binary.
    // A binary split archive is an ordinary archive cut into pieces: its headers may cross volumes.
    void OpenSplit(LPCTSTR lpszPath, ULONGLONG uVolumeSize, bool bBinary, CZipVolumeCallback* pCallback = nullptr,
                   CZipSplitNamesHandler* pSplitNames = nullptr);
    // A new archive spanned over removable disks, each asked for through the callback.
    void OpenSpanned(LPCTSTR lpszPath, CZipVolumeCallback* pCallback);

    // bAtOnce keeps the block in one volume (headers).
    void Write(const void* pBuf, DWORD iSize, bool bAtOnce);
    // Reads exactly iSize bytes, crossing volumes where allowed; CZipException badZipFile otherwise.
    DWORD Read(void* pBuf, DWORD iSize, bool bAtOnce);
    void Flush();
    // The position in the archive: after the buffered bytes, relative to the archive's start.
    ULONGLONG GetPosition() const;
    // Flushes and closes; bWrite is false after an exception. Returns the archive's path, or the
    // last volume's for a split archive, when bGetPath is set.
    CString Close(bool bWrite, bool bGetPath = true);

    // Opens another volume of a finished segmented archive for reading.
    void ChangeVolume(DWORD uNumber);
    // Closes the current volume and creates the next one.
    void CreateNextVolume(ULONGLONG uNeeded);
    // Makes sure the current volume can take uNeeded more bytes.
    void EnsureFreeSpace(ULONGLONG uNeeded);
    ULONGLONG GetVolumeFreeSpace() const;
    // Turns the just-written segmented archive into a finished one, open for reading.
    void FinishSegmentation();
    // The current volume's file, flushed and changed in place, now ends at uLength.
    void CutVolume(ULONGLONG uLength);
    // Moves to an offset of the archive: across the volumes of a binary split archive, within
    // the current file otherwise. The write buffer is flushed first.
    void Seek(ULONGLONG uOffset);

    [[noreturn]] void ThrowError(int iError) const;

    bool IsOpen() const
    {
        return (m_iMode & modeOpened) != 0;
    }
    bool IsSegmented() const
    {
        return (m_iMode & modeSegmented) != 0;
    }
    bool IsSplit() const
    {
        return (m_iMode & modeSplit) != 0;
    }
    bool IsBinarySplit() const
    {
        return (m_iMode & modeBinary) != 0;
    }
    bool IsSpanned() const
    {
        return (m_iMode & modeSpanned) != 0;
    }
    bool IsExistingSegmented() const
    {
        return (m_iMode & (modeExisting | modeSegmented)) == (modeExisting | modeSegmented);
    }
    // 0-based; 0xFFFFFFFF while closed.
    DWORD GetCurrentVolume() const
    {
        return m_uCurrentVolume;
    }
    // The last volume of a finished segmented archive.
    DWORD GetLastVolume() const
    {
        return static_cast<DWORD>(m_uSplitData);
    }
    ULONGLONG GetBytesBeforeZip() const
    {
        return m_uBytesBeforeZip;
    }
    // The file of the current volume, or null.
    CZipAbstractFile* GetFile() const
    {
        return m_pFile;
    }
    const CString& GetArchivePath() const
    {
        return m_szArchiveName;
    }

private:
    void OpenSegmented(LPCTSTR lpszPath, int iMode, CZipVolumeCallback* pCallback);
    void PrepareWriteBuffer();
    void DropSplitNames();
    void WriteInternal(const char* pBuf, DWORD iSize);
    void CallCallback(ULONGLONG uNeeded, int iCode, const CString& szFileName);
    void CloseVolumeFile();
    CString GetSplitVolumeName(DWORD uVolume, bool bLast) const;
    // Closes the just-written last volume of a split archive and moves it to its final name.
    CString RenameLastVolume(const CString& szFinalName);
    ULONGLONG GetVolumeSize(DWORD uVolume) const;
    ULONGLONG GetVolumeStart(DWORD uVolume) const;
    ULONGLONG ReadDeviceFreeSpace() const;

    CZipAbstractFile* m_pFile = nullptr;
    ULONGLONG m_uSplitData = 0;      // the volume size while writing, the last volume once finished
    ULONGLONG m_uCurrentVolSize = 0; // free space of the current volume
    CZipAutoBuffer m_pWriteBuffer;
    DWORD m_uBytesInWriteBuffer = 0;
    ULONGLONG m_uBytesWritten = 0;
    DWORD m_uCurrentVolume;
    ULONGLONG m_uBytesBeforeZip = 0;
    DWORD m_iWriteBufferSize;
    int m_iMode = 0;
    CZipVolumeCallback* m_pCallback = nullptr;
    CString m_szArchiveName;
    CZipFile m_internalFile;
    CZipSplitNamesHandler* m_pSplitNames = nullptr;
    bool m_bOwnsSplitNames = false;
    CZipArray<ULONGLONG> m_aVolumeSizes; // finished volumes of a binary split archive
};
