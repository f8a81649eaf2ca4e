// CZipCentralDir: the entries of an archive being written, and the central directory, Zip64
// end record and locator, and end record written behind them.
#pragma once

#include <zip/Collections.h>
#include <zip/FileHeader.h>

class CZipArchive;
class CZipStorage;

// A record of the find-fast index: a header and its index in the archive.
struct CZipFindFast
{
    CZipFileHeader* m_pHeader;
    ULONGLONG m_uIndex;
};

class CZipCentralDir : public CZipFileHeader::COwner
{
public:
    // Compares a header's name with a name, as CString's Collate does.
    using ZIPSTRINGCOMPARE = int (CString::*)(LPCTSTR) const;

    static constexpr ULONGLONG s_uNoIndex = ~0ULL;
    static constexpr DWORD s_uEndSignature = 0x06054B50;
    static constexpr DWORD s_uZip64EndSignature = 0x06064B50;
    static constexpr DWORD s_uZip64LocatorSignature = 0x07064B50;
    static constexpr DWORD s_uEndFixedSize = 22;
    static constexpr DWORD s_uZip64EndSize = 56;
    static constexpr DWORD s_uZip64LocatorSize = 20;

    // Ignored-checks bits for closing an entry opened for extracting; the lower bits are those
    // that reading a local header honours.
    enum IgnoredChecks
    {
        checkCrc = 0x0001,
        checkDataDescriptor = 0x0100,
        checkVolumeEntries = 0x0200, // carried along, checks nothing here
        checkDefault = checkDataDescriptor | checkVolumeEntries,
    };

    CZipCentralDir(CZipArchive* pArchive, CZipStorage* pStorage);
    CZipCentralDir(const CZipCentralDir&) = delete;
    CZipCentralDir& operator=(const CZipCentralDir&) = delete;
    virtual ~CZipCentralDir();

    // A fresh directory for a new archive.
    void Init();
    void Clear();
    [[noreturn]] void ThrowError(int iCode) const;

    ULONGLONG GetCount() const
    {
        return static_cast<ULONGLONG>(m_headers.GetSize());
    }
    bool IsValidIndex(ULONGLONG uIndex) const
    {
        return uIndex != s_uNoIndex && uIndex < GetCount();
    }
    CZipFileHeader* GetAt(ULONGLONG uIndex) const
    {
        return m_headers[static_cast<INT_PTR>(uIndex)];
    }
    CZipFileHeader* GetOpenedFile() const
    {
        return m_pOpenedFile;
    }
    // The entry opened for extracting; null forgets it.
    void SetOpenedFile(CZipFileHeader* pHeader)
    {
        m_pOpenedFile = pHeader;
    }
    // The checks that reading an entry skips, checkDefault after every open.
    int GetIgnoredChecks() const
    {
        return m_iIgnoredChecks;
    }
    void SetIgnoredChecks(int iIgnoredChecks)
    {
        m_iIgnoredChecks = iIgnoredChecks;
    }

    // A new header made from the template; it becomes the opened entry. With bCopy the template's
    // CRC and sizes are kept.
    CZipFileHeader* AddNewFile(const CZipFileHeader& header, ULONGLONG uReplaceIndex, int iLevel, bool bCopy);
    // Final CRC and sizes into the local header, or the data descriptor.
    void CloseNewFile();
    // By header (found by a linear search) or by index. With bShift the find-fast records of
    // the entries behind get their indexes lowered.
    void RemoveFile(CZipFileHeader* pHeader, ULONGLONG uIndex, bool bShift = true);
    // Also cuts the file back to the entry's local header.
    void RemoveLastFile(CZipFileHeader* pHeader = nullptr, ULONGLONG uIndex = s_uNoIndex);
    // Does nothing once written.
    void Write();
    // Of the directory and end records as they will be written.
    ULONGLONG GetSize() const;
    // Cuts a written directory off the file, or flushes the write buffer.
    void PrepareForAppend();
    // Whether a header waits for the commit of its change.
    bool HasChangedHeaders() const;
    // Changed headers take back the names their local headers carry.
    void RevertChanges();

    // With find-fast on, every entry is kept in an index sorted by name; turning it on indexes
    // the entries already there.
    void EnableFindFast(bool bEnable = true);
    // Case-insensitive by default; the index is sorted again.
    void SetCaseSensitivity(bool bCaseSensitive);
    // The index of the entry of that name, by a binary search of the find-fast index; s_uNoIndex
    // when there is none or find-fast is off.
    ULONGLONG FindFile(LPCTSTR lpszFileName) const;

    DWORD GetEncodingSetting() const override
    {
        return m_uEncodingSetting;
    }
    bool AcceptNameChange(CZipFileHeader* pHeader) override;
    bool IsModificationAllowed() const override;
    void OnCentralDataChange() override;
    CString GetArchivePath() const override;

private:
    // The position in the find-fast index of the header of that name, or -1.
    INT_PTR FindFileNameIndex(LPCTSTR lpszFileName) const;
    // Where a header of that name goes in the find-fast index.
    INT_PTR FindInsertPosition(const CString& szFileName) const;
    void InsertFindFast(CZipFileHeader* pHeader, ULONGLONG uIndex);
    // Takes the header's record out and returns its index; with bShift the records of later
    // entries are lowered by one.
    ULONGLONG RemoveFindFast(CZipFileHeader* pHeader, bool bShift);
    void BuildFindFastIndex();
    // A segmented archive still on its first volume becomes an ordinary one in place: the
    // signature and the data descriptors that can go are dropped. False when the directory would
    // not fit the volume or the file cannot be mapped.
    bool ConvertToOrdinaryArchive();
    bool IsZip64Needed() const;
    void CutDirectory();
    // A converted archive is written as an ordinary one.
    void WriteHeaders(bool bConverted);
    void WriteZip64End();
    void WriteEnd();

    CZipFileHeader* m_pOpenedFile = nullptr;
    int m_iIgnoredChecks = checkDefault;
    bool m_bAddingHeader = false;
    CZipArchive* m_pArchive;
    CZipStorage* m_pStorage;
    DWORD m_uEncodingSetting = 1;
    CZipArray<CZipFileHeader*> m_headers;
    CZipArray<CZipFindFast> m_findArray;

    ULONGLONG m_uZip64EndOffset = 0;
    DWORD m_uThisDisk = 0;
    DWORD m_uDiskWithCD = 0;
    ULONGLONG m_uDiskEntriesNo = 0;
    ULONGLONG m_uEntriesNumber = 0;
    ULONGLONG m_uSize = 0;
    ULONGLONG m_uOffset = 0;
    DWORD m_uZip64EndDisk = 0xFFFFFFFF;
    bool m_bWritten = false;
    CZipAutoBuffer m_comment;
    bool m_bFindFastEnabled = false;
    ZIPSTRINGCOMPARE m_pCompare = &CString::CollateNoCase;
};
