// CZipFileHeader: one archive entry, written as its local header, its data descriptor and its
// central-directory header (PKWARE APPNOTE layout, little-endian).
#pragma once

#include <zip/AutoBuffer.h>
#include <zip/ExtraField.h>

#include <optional>

class CZipBytesWriter;
class CZipCentralDir;
class CZipStorage;

class CZipFileHeader
{
    // Builds new headers from a template: encoded texts, state and extra fields included.
    friend class CZipCentralDir;

public:
    // What a header needs of the central directory that owns it.
    class COwner
    {
    public:
        // Bit 0 asks for Unicode extra fields on names and comments that are not ASCII, bit 1
        // for names and comments in UTF-8.
        virtual DWORD GetEncodingSetting() const = 0;
        // A renamed header asks to keep its new name; false puts the old one back.
        virtual bool AcceptNameChange(CZipFileHeader* pHeader) = 0;
        // Whether data only the central header carries may change now.
        virtual bool IsModificationAllowed() const = 0;
        // Data only the central header carries has changed.
        virtual void OnCentralDataChange() = 0;
        virtual CString GetArchivePath() const = 0;

    protected:
        ~COwner() = default;
    };

    enum StateFlags : DWORD
    {
        sfUnicodePath = 0x01,    // add the Unicode path record
        sfUnicodeComment = 0x02, // add the Unicode comment record
        sfUtf8 = 0x04,           // name and comment in UTF-8, general-purpose bit 11
        sfEncodingMask = 0x07,
        sfModified = 0x20, // the name changed; the local header waits to be rewritten
    };

    enum EncryptionMethod : BYTE
    {
        encStandard = 0,
        encAes128 = 1,
        encAes192 = 2,
        encAes256 = 3,
        encNone = 0xFF,
    };

    static constexpr DWORD s_uLocalSignature = 0x04034B50;
    static constexpr DWORD s_uCentralSignature = 0x02014B50;
    static constexpr DWORD s_uDescriptorSignature = 0x08074B50;
    static constexpr DWORD s_uLocalFixedSize = 30;
    static constexpr DWORD s_uCentralFixedSize = 46;

    CZipFileHeader();
    explicit CZipFileHeader(COwner* pOwner);
    CZipFileHeader(const CZipFileHeader& header) = default;
    CZipFileHeader& operator=(const CZipFileHeader& header) = default;

    // Once for a new entry before its local header. iLevel is -1 (default) or 0-9; bDescriptor
    // is set for a segmented storage.
    void PrepareForWrite(int iLevel, bool bDescriptor);
    void WriteLocal(CZipStorage* pStorage);
    // Returns the bytes written.
    DWORD WriteCentral(CZipStorage* pStorage);
    // Only when general-purpose bit 3 is set.
    void WriteDataDescriptor(CZipStorage* pStorage);
    // Puts the final CRC and sizes into the local header already written.
    void UpdateLocalHeader(CZipStorage* pStorage);
    // Reads the local header and compares it with this (central) header; iIgnoredChecks are
    // the central directory's.
    bool ReadLocal(CZipStorage* pStorage, int iIgnoredChecks);
    // Reads the descriptor behind the data and compares it with this header.
    bool ReadDataDescriptor(CZipStorage* pStorage);

    // The encoding bits from the owner's setting and the name and comment; true when they changed.
    bool UpdateEncodingFlags();

    // In an archive, a new name marks the header changed until its local header is rewritten;
    // false when the archive refuses the change.
    bool SetFileName(LPCTSTR lpszFileName);
    // Back to the name its local header on disk carries, after a failed commit.
    void RevertFileName();
    // The local header now carries the name.
    void CommitFileName();
    CString GetFileName() const;
    bool SetComment(LPCTSTR lpszComment);
    CString GetComment() const;

    void EncodeFileName() const;
    void DecodeFileName() const;
    void EncodeComment() const;
    void DecodeComment() const;
    // The encoded forms, made when missing.
    const CZipAutoBuffer& GetEncodedFileName() const;
    const CZipAutoBuffer& GetEncodedComment() const;

    // The length of the central header as it will be written.
    DWORD GetSize() const;
    // The length of the local header as it will be written.
    DWORD GetLocalSize() const;
    // 12 or 20 bytes, plus 4 with the signature; 0 without a descriptor.
    DWORD GetDataDescriptorSize(bool bConsiderSignature) const;

    // Local time; years before 1980 count as 1980.
    void SetTime(__time64_t tTime);

    DWORD GetNativeAttributes() const;
    // Throws CZipException platformNotSupported for a system without a converter; false when
    // the owner does not allow the change.
    bool SetNativeAttributes(DWORD uAttributes);
    bool IsDirectory() const;

    int GetSystemCompatibility() const
    {
        return m_iSystemCompatibility;
    }
    void SetSystemCompatibility(int iSystem)
    {
        m_iSystemCompatibility = static_cast<BYTE>(iSystem);
    }
    DWORD GetState() const
    {
        return m_uState;
    }
    bool IsModified() const
    {
        return (m_uState & sfModified) != 0;
    }
    void ClearModified()
    {
        m_uState &= ~static_cast<DWORD>(sfModified);
    }
    bool IsEncrypted() const
    {
        return m_uEncryptionMethod != encNone;
    }
    bool IsWinZipAesEncryption() const
    {
        return m_uEncryptionMethod >= encAes128 && m_uEncryptionMethod <= encAes256;
    }
    bool IsDataDescriptor() const
    {
        return (m_uFlag & 8) != 0;
    }
    // The bytes encryption adds to the compressed data: header, and code for AES.
    DWORD GetEncryptedInfoSize() const;

    BYTE m_uVersionMadeBy = 0; // the zip format version; the high byte is the system
    WORD m_uVersionNeeded = 0;
    WORD m_uFlag = 0;
    WORD m_uMethod = 8;
    WORD m_uModTime = 0;
    WORD m_uModDate = 0;
    DWORD m_uCrc32 = 0;
    ULONGLONG m_uComprSize = 0;
    ULONGLONG m_uUncomprSize = 0;
    DWORD m_uVolumeStart = 0;
    WORD m_uInternalAttr = 0;
    ULONGLONG m_uLocalComprSize = 0;
    ULONGLONG m_uLocalUncomprSize = 0;
    ULONGLONG m_uOffset = 0; // of the local header, within its volume
    CZipExtraField m_aLocalExtraData;
    CZipExtraField m_aCentralExtraData;
    DWORD m_uExternalAttr = 0;
    WORD m_uLocalFileNameSize = 0;
    BYTE m_uEncryptionMethod = encNone;
    bool m_bIgnoreCrc32 = false; // the CRC is written as 0
    DWORD m_uLocalHeaderSize = 0;

private:
    // The encoded bytes and the text; whichever is missing is made from the other.
    struct CText
    {
        CZipAutoBuffer m_buffer;
        std::optional<CString> m_text;
    };

    // The name its local header on disk carries, kept while a new one waits for the commit.
    struct CWrittenName
    {
        CText m_name;
        DWORD m_uState = 0; // the encoding bits
    };

    bool UsesUtf8() const;
    // General-purpose bit 11 from the state.
    void SetUtf8Flag();
    UINT GetNameCodePage() const;
    UINT GetCommentCodePage() const;
    const CString& GetText(const CText& text, bool bName) const;
    void CheckLengths(const CZipStorage* pStorage, DWORD uExtraSize) const;
    void AddUnicodeRecord(CZipExtraField& field, WORD uHeaderID, const CText& text) const;
    void AddAesRecord(CZipExtraField& field) const;
    // The data size of the central Zip64 record: 0 when none is needed.
    DWORD GetCentralZip64Size() const;
    void AddCentralZip64Record();
    void WriteLocalSizes(CZipStorage* pStorage, ULONGLONG uHeaderPos, bool bSizes);
    // Version needed to CRC: the fields the local and central headers share, in their order.
    void WriteSharedFields(CZipBytesWriter& writer) const;

    COwner* m_pOwner = nullptr;
    DWORD m_uState = 0;
    mutable CText m_fileName;
    mutable CText m_comment;
    CWrittenName m_writtenName;
    BYTE m_iSystemCompatibility = 0;
};
