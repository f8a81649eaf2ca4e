#include <zip/FileHeader.h>

#include <zip/AesCryptograph.h>
#include <zip/Bytes.h>
#include <zip/Crc32Cryptograph.h>
#include <zip/Compatibility.h>
#include <zip/Exception.h>
#include <zip/Platform.h>
#include <zip/Storage.h>

#include <zlib.h>

#include <algorithm>
#include <cwctype>

namespace
{
const ULONGLONG kMax32 = 0xFFFFFFFF;
const DWORD kMax16 = 0xFFFF;
const WORD kAesMethod = 99;
const WORD kZip64Version = 45;
const WORD kUtf8Flag = 0x0800;
const WORD kDescriptorFlag = 0x0008;

// Ignored-checks bits of the central directory that ReadLocal honours.
const int kIgnoreMethod = 0x02;
const int kIgnoreSizes = 0x04 | 0x08;
const int kIgnoreFlag = 0x10;

// Compression-level bits of the general-purpose flag for deflate.
struct LevelBits
{
    int iLevel;
    WORD uFlag;
};
const LevelBits kLevelBits[] = {{1, 0x0006}, {2, 0x0004}, {8, 0x0002}, {9, 0x0002}};

DWORD Cap32(ULONGLONG uValue)
{
    return uValue >= kMax32 ? static_cast<DWORD>(kMax32) : static_cast<DWORD>(uValue);
}

bool IsAscii(const CString& szText)
{
    for (int i = 0; i < szText.GetLength(); ++i)
    {
        if (!iswascii(szText[i]))
            return false;
    }
    return true;
}

bool EndsWithSeparator(const CString& szText)
{
    const int iLength = szText.GetLength();
    return iLength > 0 && (szText[iLength - 1] == _T('\\') || szText[iLength - 1] == _T('/'));
}

DWORD Crc32(const CZipAutoBuffer& buffer)
{
    return crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(buffer.GetBuffer()), buffer.GetSize());
}

DWORD Utf8Size(const CString& szText)
{
    CZipAutoBuffer buffer;
    return static_cast<DWORD>(std::max(ZipPlatform::WideToMultiByte(szText, buffer, CP_UTF8), 0));
}

void WriteAt(CZipAbstractFile* pFile, ULONGLONG uPosition, const char* pData, UINT uSize)
{
    pFile->SafeSeek(uPosition);
    pFile->Write(pData, uSize);
}
} // namespace

CZipFileHeader::CZipFileHeader() = default;

CZipFileHeader::CZipFileHeader(COwner* pOwner) : m_pOwner(pOwner)
{
}

DWORD CZipFileHeader::GetEncryptedInfoSize() const
{
    if (!IsEncrypted())
        return 0;
    if (IsWinZipAesEncryption())
        return CZipAesCryptograph::GetEncryptionHeaderSize(m_uEncryptionMethod) +
               CZipAesCryptograph::AuthenticationCodeSize;
    return CZipCrc32Cryptograph::EncryptionHeaderSize;
}

void CZipFileHeader::PrepareForWrite(int iLevel, bool bDescriptor)
{
    m_uVersionMadeBy = 46;
    m_uInternalAttr = 0;
    m_uCrc32 = 0;
    m_uComprSize = m_uUncomprSize = 0;
    m_uFlag = 0;
    if (m_uMethod == Z_DEFLATED)
    {
        for (const LevelBits& bits : kLevelBits)
        {
            if (bits.iLevel == iLevel)
                m_uFlag = bits.uFlag;
        }
    }
    if (bDescriptor || m_uEncryptionMethod == encStandard)
        m_uFlag |= kDescriptorFlag;
    if (IsEncrypted())
    {
        m_uFlag |= 1;
        m_uLocalComprSize += GetEncryptedInfoSize();
    }
    m_uVersionNeeded = m_uMethod == 12 ? 46 : 0;
    m_aLocalExtraData.Remove(CZipExtraData::zip64);
    if (m_uLocalComprSize >= kMax32 || m_uLocalUncomprSize >= kMax32)
    {
        CZipExtraData* pRecord = m_aLocalExtraData.AppendRecord(CZipExtraData::zip64);
        CZipBytesWriter writer(pRecord->m_data.Allocate(16));
        writer.QWord(m_uLocalUncomprSize);
        writer.QWord(m_uLocalComprSize);
        m_uVersionNeeded = std::max(m_uVersionNeeded, kZip64Version);
    }
    if (m_uVersionNeeded == 0)
        m_uVersionNeeded = IsDirectory() ? 10 : 20;
}

bool CZipFileHeader::UsesUtf8() const
{
    return (m_uState & sfUtf8) || m_iSystemCompatibility == ZipCompatibility::zcUnix ||
           m_iSystemCompatibility == ZipCompatibility::zcMacintosh ||
           m_iSystemCompatibility == ZipCompatibility::zcSystem20;
}

UINT CZipFileHeader::GetNameCodePage() const
{
    if (UsesUtf8())
        return CP_UTF8;
    return m_iSystemCompatibility == ZipCompatibility::zcDosFat || m_iSystemCompatibility == ZipCompatibility::zcNtfs
               ? CP_OEMCP
               : CP_ACP;
}

UINT CZipFileHeader::GetCommentCodePage() const
{
    return UsesUtf8() ? CP_UTF8 : CP_ACP;
}

void CZipFileHeader::EncodeFileName() const
{
    CString szName = GetText(m_fileName, true);
    szName.Replace(_T('\\'), _T('/'));
    ZipPlatform::WideToMultiByte(szName, m_fileName.m_buffer, GetNameCodePage());
}

void CZipFileHeader::DecodeFileName() const
{
    CString szName;
    ZipPlatform::MultiByteToWide(m_fileName.m_buffer, szName, GetNameCodePage());
    szName.Replace(_T('/'), _T('\\'));
    m_fileName.m_text = szName;
}

void CZipFileHeader::EncodeComment() const
{
    ZipPlatform::WideToMultiByte(GetText(m_comment, false), m_comment.m_buffer, GetCommentCodePage());
}

void CZipFileHeader::DecodeComment() const
{
    CString szComment;
    ZipPlatform::MultiByteToWide(m_comment.m_buffer, szComment, GetCommentCodePage());
    m_comment.m_text = szComment;
}

const CString& CZipFileHeader::GetText(const CText& text, bool bName) const
{
    if (!text.m_text)
    {
        if (bName)
            DecodeFileName();
        else
            DecodeComment();
    }
    return *text.m_text;
}

const CZipAutoBuffer& CZipFileHeader::GetEncodedFileName() const
{
    if (!m_fileName.m_buffer.IsAllocated())
        EncodeFileName();
    return m_fileName.m_buffer;
}

const CZipAutoBuffer& CZipFileHeader::GetEncodedComment() const
{
    if (!m_comment.m_buffer.IsAllocated())
        EncodeComment();
    return m_comment.m_buffer;
}

CString CZipFileHeader::GetFileName() const
{
    return GetText(m_fileName, true);
}

CString CZipFileHeader::GetComment() const
{
    return GetText(m_comment, false);
}

bool CZipFileHeader::UpdateEncodingFlags()
{
    if (m_pOwner == nullptr)
        return false;
    const DWORD uSetting = m_pOwner->GetEncodingSetting();
    // Both texts are decoded in the old encoding before it changes.
    const CString& szName = GetText(m_fileName, true);
    const CString& szComment = GetText(m_comment, false);
    DWORD uState = 0;
    if (uSetting & 2)
        uState |= sfUtf8;
    if ((uSetting & 1) && !IsAscii(szName))
        uState |= sfUnicodePath;
    if ((uSetting & 1) && !(uState & sfUtf8) && !szComment.IsEmpty() && !IsAscii(szComment))
        uState |= sfUnicodeComment;
    if (uState == (m_uState & sfEncodingMask))
        return false;
    m_uState = (m_uState & ~static_cast<DWORD>(sfEncodingMask)) | uState;
    m_fileName.m_buffer.Release();
    m_comment.m_buffer.Release();
    m_pOwner->OnCentralDataChange();
    return true;
}

bool CZipFileHeader::SetFileName(LPCTSTR lpszFileName)
{
    if (m_pOwner == nullptr)
    {
        m_fileName.m_buffer.Release();
        m_fileName.m_text = lpszFileName;
        return true;
    }
    const CString szOldName = GetFileName();
    const CText oldName = m_fileName;
    const DWORD uOldState = m_uState;
    m_fileName.m_buffer.Release();
    m_fileName.m_text = lpszFileName;
    const bool bDirectory = IsDirectory();
    CString& szName = *m_fileName.m_text;
    szName.TrimRight(_T("\\/"));
    if (bDirectory)
        szName += _T('\\');
    if (szName == szOldName)
    {
        m_fileName = oldName;
        return true;
    }
    if (!IsModified())
        m_writtenName = {oldName, uOldState & sfEncodingMask};
    // Marked first, so that the directory waits for the commit while the encoding follows the name.
    m_uState |= sfModified;
    UpdateEncodingFlags();
    if (!m_pOwner->AcceptNameChange(this))
    {
        m_fileName = oldName;
        m_uState = uOldState;
        return false;
    }
    return true;
}

void CZipFileHeader::RevertFileName()
{
    if (!IsModified())
        return;
    m_fileName = m_writtenName.m_name;
    m_uState = (m_uState & ~static_cast<DWORD>(sfEncodingMask | sfModified)) | m_writtenName.m_uState;
    SetUtf8Flag();
}

void CZipFileHeader::CommitFileName()
{
    ClearModified();
    m_writtenName = {};
}

void CZipFileHeader::SetUtf8Flag()
{
    if (m_uState & sfUtf8)
        m_uFlag |= kUtf8Flag;
    else
        m_uFlag &= ~kUtf8Flag;
}

bool CZipFileHeader::SetComment(LPCTSTR lpszComment)
{
    if (m_pOwner != nullptr && !m_pOwner->IsModificationAllowed())
        return false;
    m_comment.m_buffer.Release();
    m_comment.m_text = lpszComment;
    if (m_pOwner != nullptr && !UpdateEncodingFlags())
        m_pOwner->OnCentralDataChange();
    return true;
}

void CZipFileHeader::AddUnicodeRecord(CZipExtraField& field, WORD uHeaderID, const CText& text) const
{
    const bool bName = uHeaderID == CZipExtraData::unicodePath;
    CString szText = GetText(text, bName);
    if (bName)
        szText.Replace(_T('\\'), _T('/'));
    CZipAutoBuffer utf8;
    ZipPlatform::WideToMultiByte(szText, utf8, CP_UTF8);
    CZipExtraData* pRecord = field.AppendRecord(uHeaderID);
    CZipBytesWriter writer(pRecord->m_data.Allocate(5 + utf8.GetSize()));
    writer.Byte(1);
    writer.DWord(Crc32(bName ? GetEncodedFileName() : GetEncodedComment()));
    writer.Bytes(utf8, utf8.GetSize());
}

void CZipFileHeader::AddAesRecord(CZipExtraField& field) const
{
    CZipExtraData* pRecord = field.AppendRecord(CZipExtraData::aes);
    CZipBytesWriter writer(pRecord->m_data.Allocate(7));
    writer.Word(m_bIgnoreCrc32 ? 2 : 1);
    writer.Word(0x4541); // "AE"
    writer.Byte(m_uEncryptionMethod);
    writer.Word(m_uMethod);
}

void CZipFileHeader::CheckLengths(const CZipStorage* pStorage, DWORD uExtraSize) const
{
    if (GetEncodedFileName().GetSize() > kMax16 || GetEncodedComment().GetSize() > kMax16 || uExtraSize > kMax16)
        pStorage->ThrowError(CZipException::tooLongData);
}

void CZipFileHeader::WriteSharedFields(CZipBytesWriter& writer) const
{
    writer.Word(m_uVersionNeeded);
    writer.Word(m_uFlag);
    writer.Word(IsWinZipAesEncryption() ? kAesMethod : m_uMethod);
    writer.Word(m_uModTime);
    writer.Word(m_uModDate);
    writer.DWord(m_bIgnoreCrc32 ? 0 : m_uCrc32);
}

void CZipFileHeader::WriteLocal(CZipStorage* pStorage)
{
    m_aLocalExtraData.RemoveManagedLocalRecords();
    if (IsDataDescriptor())
    {
        m_uLocalComprSize = 0;
        if (!IsWinZipAesEncryption())
            m_uLocalUncomprSize = 0;
    }
    const CZipAutoBuffer& name = GetEncodedFileName();
    if (IsWinZipAesEncryption())
        AddAesRecord(m_aLocalExtraData);
    if (m_uState & sfUnicodePath)
        AddUnicodeRecord(m_aLocalExtraData, CZipExtraData::unicodePath, m_fileName);
    SetUtf8Flag();
    const DWORD uExtraSize = m_aLocalExtraData.GetTotalSize();
    CheckLengths(pStorage, uExtraSize);

    const DWORD uSize = s_uLocalFixedSize + name.GetSize() + uExtraSize;
    CZipAutoBuffer header(uSize);
    CZipBytesWriter writer(header);
    writer.DWord(s_uLocalSignature);
    WriteSharedFields(writer);
    writer.DWord(Cap32(m_uLocalComprSize));
    writer.DWord(Cap32(m_uLocalUncomprSize));
    writer.Word(static_cast<WORD>(name.GetSize()));
    writer.Word(static_cast<WORD>(uExtraSize));
    writer.Bytes(name, name.GetSize());
    m_aLocalExtraData.Write(writer.GetCursor());
    pStorage->Write(header, uSize, true);

    m_uVolumeStart = pStorage->IsBinarySplit() ? 0 : pStorage->GetCurrentVolume();
    m_uOffset = pStorage->GetPosition() - uSize;
    m_uLocalHeaderSize = uSize;
    m_uLocalFileNameSize = static_cast<WORD>(name.GetSize());
    m_aLocalExtraData.RemoveManagedLocalRecords();
}

DWORD CZipFileHeader::GetCentralZip64Size() const
{
    DWORD uSize = 0;
    for (ULONGLONG uValue : {m_uUncomprSize, m_uComprSize, m_uOffset})
    {
        if (uValue >= kMax32)
            uSize += 8;
    }
    if (m_uVolumeStart >= kMax16)
        uSize += 4;
    return uSize;
}

void CZipFileHeader::AddCentralZip64Record()
{
    const DWORD uSize = GetCentralZip64Size();
    if (uSize == 0)
        return;
    CZipExtraData* pRecord = m_aCentralExtraData.AppendRecord(CZipExtraData::zip64);
    CZipBytesWriter writer(pRecord->m_data.Allocate(uSize));
    for (ULONGLONG uValue : {m_uUncomprSize, m_uComprSize, m_uOffset})
    {
        if (uValue >= kMax32)
            writer.QWord(uValue);
    }
    if (m_uVolumeStart >= kMax16)
        writer.DWord(m_uVolumeStart);
    m_uVersionNeeded = std::max(m_uVersionNeeded, kZip64Version);
}

DWORD CZipFileHeader::WriteCentral(CZipStorage* pStorage)
{
    m_aCentralExtraData.RemoveManagedRecords();
    AddCentralZip64Record();
    const CZipAutoBuffer& name = GetEncodedFileName();
    const CZipAutoBuffer& comment = GetEncodedComment();
    if (IsWinZipAesEncryption())
        AddAesRecord(m_aCentralExtraData);
    if (m_uState & sfUnicodePath)
        AddUnicodeRecord(m_aCentralExtraData, CZipExtraData::unicodePath, m_fileName);
    if (m_uState & sfUnicodeComment)
        AddUnicodeRecord(m_aCentralExtraData, CZipExtraData::unicodeComment, m_comment);
    const DWORD uExtraSize = m_aCentralExtraData.GetTotalSize();
    CheckLengths(pStorage, uExtraSize);

    const DWORD uSize = s_uCentralFixedSize + name.GetSize() + uExtraSize + comment.GetSize();
    CZipAutoBuffer header(uSize);
    CZipBytesWriter writer(header);
    writer.DWord(s_uCentralSignature);
    writer.Word(static_cast<WORD>(m_uVersionMadeBy | (m_iSystemCompatibility << 8)));
    WriteSharedFields(writer);
    writer.DWord(Cap32(m_uComprSize));
    writer.DWord(Cap32(m_uUncomprSize));
    writer.Word(static_cast<WORD>(name.GetSize()));
    writer.Word(static_cast<WORD>(uExtraSize));
    writer.Word(static_cast<WORD>(comment.GetSize()));
    writer.Word(static_cast<WORD>(std::min(m_uVolumeStart, kMax16)));
    writer.Word(m_uInternalAttr);
    writer.DWord(m_uExternalAttr);
    writer.DWord(Cap32(m_uOffset));
    writer.Bytes(name, name.GetSize());
    m_aCentralExtraData.Write(writer.GetCursor());
    writer.Skip(uExtraSize);
    writer.Bytes(comment, comment.GetSize());
    pStorage->Write(header, uSize, true);
    m_aCentralExtraData.RemoveManagedRecords();
    return uSize;
}

DWORD CZipFileHeader::GetSize() const
{
    DWORD uSize = s_uCentralFixedSize + GetEncodedFileName().GetSize() + GetEncodedComment().GetSize() +
                  m_aCentralExtraData.GetTotalSize();
    if (m_uState & sfUnicodePath)
        uSize += 9 + Utf8Size(GetText(m_fileName, true));
    if (m_uState & sfUnicodeComment)
        uSize += 9 + Utf8Size(GetText(m_comment, false));
    if (const DWORD uZip64 = GetCentralZip64Size())
        uSize += 4 + uZip64;
    if (IsWinZipAesEncryption())
        uSize += 11;
    return uSize;
}

DWORD CZipFileHeader::GetLocalSize() const
{
    DWORD uSize = s_uLocalFixedSize + m_aLocalExtraData.GetTotalSize() + GetEncodedFileName().GetSize();
    if (m_uState & sfUnicodePath)
        uSize += 9 + Utf8Size(GetText(m_fileName, true));
    if (IsWinZipAesEncryption())
        uSize += 11;
    return uSize;
}

DWORD CZipFileHeader::GetDataDescriptorSize(bool bConsiderSignature) const
{
    if (!IsDataDescriptor())
        return 0;
    const bool b64 = m_uComprSize >= kMax32 || m_uUncomprSize >= kMax32;
    return (b64 ? 20 : 12) + (bConsiderSignature ? 4 : 0);
}

void CZipFileHeader::WriteDataDescriptor(CZipStorage* pStorage)
{
    if (!IsDataDescriptor())
        return;
    const bool bSignature = pStorage->IsSegmented() || IsEncrypted();
    const bool b64 = m_uComprSize >= kMax32 || m_uUncomprSize >= kMax32;
    const DWORD uSize = GetDataDescriptorSize(bSignature);
    char buffer[24];
    CZipBytesWriter writer(buffer);
    if (bSignature)
        writer.DWord(s_uDescriptorSignature);
    writer.DWord(m_bIgnoreCrc32 ? 0 : m_uCrc32);
    if (b64)
    {
        writer.QWord(m_uComprSize);
        writer.QWord(m_uUncomprSize);
    }
    else
    {
        writer.DWord(static_cast<DWORD>(m_uComprSize));
        writer.DWord(static_cast<DWORD>(m_uUncomprSize));
    }
    pStorage->Write(buffer, uSize, true);
}

bool CZipFileHeader::ReadDataDescriptor(CZipStorage* pStorage)
{
    if (!IsDataDescriptor())
        return true;
    const bool b64 = m_uComprSize >= kMax32 || m_uUncomprSize >= kMax32;
    const DWORD uSize = b64 ? 20 : 12;
    char buffer[20];
    pStorage->Read(buffer, uSize, false);
    if (CZipBytesReader(buffer).DWord() == s_uDescriptorSignature)
    {
        memmove(buffer, buffer + 4, uSize - 4);
        pStorage->Read(buffer + uSize - 4, 4, false);
    }
    CZipBytesReader reader(buffer);
    const DWORD uCrc = reader.DWord();
    const ULONGLONG uComprSize = b64 ? reader.QWord() : reader.DWord();
    const ULONGLONG uUncomprSize = b64 ? reader.QWord() : reader.DWord();
    return uCrc == (m_bIgnoreCrc32 ? 0 : m_uCrc32) && uComprSize == m_uComprSize && uUncomprSize == m_uUncomprSize;
}

void CZipFileHeader::WriteLocalSizes(CZipStorage* pStorage, ULONGLONG uHeaderPos, bool bSizes)
{
    char buffer[12];
    CZipBytesWriter writer(buffer);
    writer.DWord(m_bIgnoreCrc32 ? 0 : m_uCrc32);
    writer.DWord(Cap32(m_uLocalComprSize));
    writer.DWord(Cap32(m_uLocalUncomprSize));
    WriteAt(pStorage->GetFile(), uHeaderPos + 14, buffer, bSizes ? 12 : 4);
}

void CZipFileHeader::UpdateLocalHeader(CZipStorage* pStorage)
{
    if (pStorage->IsSegmented() || IsDataDescriptor())
        return;
    pStorage->Flush();
    CZipAbstractFile* pFile = pStorage->GetFile();
    const ULONGLONG uPosition = pFile->GetPosition();
    const ULONGLONG uHeaderPos = m_uOffset + (pStorage->GetCurrentVolume() == 0 ? pStorage->GetBytesBeforeZip() : 0);
    const auto WriteFinalSizes = [&] {
        m_uLocalComprSize = m_uComprSize;
        m_uLocalUncomprSize = m_uUncomprSize;
        WriteLocalSizes(pStorage, uHeaderPos, true);
    };
    INT_PTR iZip64 = 0;
    CZipExtraData* pZip64 = m_aLocalExtraData.Find(CZipExtraData::zip64, &iZip64);
    if (pZip64 == nullptr)
    {
        if ((m_uComprSize >= kMax32 && m_uLocalComprSize < kMax32) ||
            (m_uUncomprSize >= kMax32 && m_uLocalUncomprSize < kMax32))
        {
            // The local header has no room for the sizes: they follow the data instead.
            m_uVersionNeeded = std::max(m_uVersionNeeded, kZip64Version);
            m_uFlag |= kDescriptorFlag;
            char buffer[4];
            CZipBytesWriter writer(buffer);
            writer.Word(m_uVersionNeeded);
            writer.Word(m_uFlag);
            WriteAt(pFile, uHeaderPos + 4, buffer, 4);
            const bool bSizes = m_uLocalComprSize != 0 || m_uLocalUncomprSize != 0;
            m_uLocalComprSize = m_uLocalUncomprSize = 0;
            WriteLocalSizes(pStorage, uHeaderPos, bSizes);
        }
        else
            WriteFinalSizes();
    }
    else if (Cap32(m_uLocalComprSize) == kMax32 && Cap32(m_uLocalUncomprSize) == kMax32)
        WriteFinalSizes();
    else
    {
        CZipBytesReader record(pZip64->m_data);
        record.QWord();
        const ULONGLONG uRecordComprSize = record.QWord();
        const bool bUncomprKnown = m_uLocalUncomprSize >= kMax32 || m_uLocalUncomprSize == m_uUncomprSize;
        const bool bComprKnown = uRecordComprSize >= kMax32 || uRecordComprSize == m_uComprSize;
        if (!bUncomprKnown || !bComprKnown)
        {
            WriteFinalSizes();
            CZipBytesWriter writer(pZip64->m_data);
            writer.QWord(m_uUncomprSize);
            writer.QWord(m_uComprSize);
            // The record's data follows its id and size word.
            DWORD uRecordPos = s_uLocalFixedSize + m_uLocalFileNameSize + 4;
            for (INT_PTR i = 0; i < iZip64; ++i)
                uRecordPos += m_aLocalExtraData.GetAt(i)->GetTotalSize();
            WriteAt(pFile, uHeaderPos + uRecordPos, pZip64->m_data, 16);
        }
    }
    pFile->SafeSeek(uPosition);
}

bool CZipFileHeader::ReadLocal(CZipStorage* pStorage, int iIgnoredChecks)
{
    pStorage->ChangeVolume(m_uVolumeStart);
    pStorage->Seek(pStorage->IsBinarySplit() || m_uVolumeStart != 0 ? m_uOffset
                                                                    : m_uOffset + pStorage->GetBytesBeforeZip());
    char buffer[s_uLocalFixedSize];
    pStorage->Read(buffer, s_uLocalFixedSize, true);
    CZipBytesReader reader(buffer);
    if (reader.DWord() != s_uLocalSignature)
        return false;
    reader.Word(); // version needed
    const WORD uFlag = reader.Word();
    WORD uMethod = reader.Word();
    reader.Word(); // time
    reader.Word(); // date
    const DWORD uCrc = reader.DWord();
    const DWORD uComprSize = reader.DWord();
    const DWORD uUncomprSize = reader.DWord();
    const WORD uNameSize = reader.Word();
    const WORD uExtraSize = reader.Word();
    if (!(iIgnoredChecks & kIgnoreFlag) && (uFlag & 0xF) != (m_uFlag & 0xF))
        return false;
    m_uLocalFileNameSize = uNameSize;
    m_uLocalHeaderSize = s_uLocalFixedSize + uNameSize + uExtraSize;
    if (uNameSize != 0)
    {
        CZipAutoBuffer name(uNameSize);
        pStorage->Read(name, uNameSize, true);
    }
    if (!m_aLocalExtraData.Read(pStorage, uExtraSize))
        return false;
    if (CZipExtraData* pZip64 = m_aLocalExtraData.Find(CZipExtraData::zip64))
    {
        if (pZip64->m_data.GetSize() < 16)
            return false;
        CZipBytesReader sizes(pZip64->m_data);
        m_uLocalUncomprSize = sizes.QWord();
        m_uLocalComprSize = sizes.QWord();
    }
    else
    {
        m_uLocalComprSize = uComprSize;
        m_uLocalUncomprSize = uUncomprSize;
    }
    m_aLocalExtraData.Remove(CZipExtraData::unicodePath);
    m_aLocalExtraData.Remove(CZipExtraData::unicodeComment);
    if (uMethod == kAesMethod && IsEncrypted())
    {
        const CZipExtraData* pAes = m_aLocalExtraData.Find(CZipExtraData::aes);
        if (pAes == nullptr || pAes->m_data.GetSize() < 7)
            return false;
        CZipBytesReader aes(pAes->m_data);
        const WORD uVendorVersion = aes.Word();
        const WORD uVendor = aes.Word();
        const BYTE uStrength = aes.Byte();
        uMethod = aes.Word();
        if ((uVendorVersion != 1 && uVendorVersion != 2) || uVendor != 0x4541 || uStrength < encAes128 ||
            uStrength > encAes256 || (uVendorVersion == 2) != m_bIgnoreCrc32 || uStrength != m_uEncryptionMethod)
            return false;
        m_aLocalExtraData.Remove(CZipExtraData::aes);
    }
    if (!(iIgnoredChecks & kIgnoreMethod) && uMethod != m_uMethod)
        return false;
    if (!(uFlag & kDescriptorFlag) && !(iIgnoredChecks & kIgnoreSizes))
    {
        if (uCrc != m_uCrc32 || (m_uLocalComprSize != 0 && m_uLocalComprSize != m_uComprSize) ||
            m_uLocalUncomprSize != m_uUncomprSize)
            return false;
    }
    return pStorage->IsBinarySplit() || pStorage->GetCurrentVolume() == m_uVolumeStart;
}

void CZipFileHeader::SetTime(__time64_t tTime)
{
    tm local;
    if (_localtime64_s(&local, &tTime) != 0)
    {
        // A time the calendar cannot hold becomes the first DOS date.
        m_uModDate = (1 << 5) | 1;
        m_uModTime = 0;
        return;
    }
    const int iYear = local.tm_year + 1900;
    // Seven bits of year: 1980 to 2107.
    const int iYearField = std::clamp(iYear - 1980, 0, 127);
    m_uModDate = static_cast<WORD>(((iYearField * 16) + local.tm_mon + 1) * 32 + local.tm_mday);
    m_uModTime = static_cast<WORD>(((local.tm_hour * 64) + local.tm_min) * 32 + local.tm_sec / 2);
}

DWORD CZipFileHeader::GetNativeAttributes() const
{
    const bool bSeparator = EndsWithSeparator(GetText(m_fileName, true));
    if (!ZipCompatibility::IsPlatformSupported(m_iSystemCompatibility))
        return bSeparator ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    const DWORD uAttributes =
        m_iSystemCompatibility == ZipCompatibility::zcUnix ? m_uExternalAttr >> 16 : m_uExternalAttr & 0xFFFF;
    if (uAttributes == 0 && bSeparator)
        return FILE_ATTRIBUTE_DIRECTORY;
    DWORD uNative = uAttributes;
    ZipCompatibility::ToNative(m_iSystemCompatibility, uAttributes, uNative);
    return uNative;
}

bool CZipFileHeader::SetNativeAttributes(DWORD uAttributes)
{
    if (m_pOwner != nullptr && !m_pOwner->IsModificationAllowed())
        return false;
    DWORD uConverted;
    if (!ZipCompatibility::FromNative(m_iSystemCompatibility, uAttributes, uConverted))
        CZipException::Throw(CZipException::platformNotSupported,
                             m_pOwner != nullptr ? static_cast<LPCTSTR>(m_pOwner->GetArchivePath()) : nullptr);
    const DWORD uExternal = m_iSystemCompatibility == ZipCompatibility::zcUnix
                                ? (uConverted << 16) | (uAttributes & FILE_ATTRIBUTE_DIRECTORY)
                                : (ZipCompatibility::WindowsToUnix(uAttributes) << 16) | (uConverted & 0xFFFF);
    if (uExternal != m_uExternalAttr)
    {
        m_uExternalAttr = uExternal;
        if (m_pOwner != nullptr)
            m_pOwner->OnCentralDataChange();
    }
    return true;
}

bool CZipFileHeader::IsDirectory() const
{
    return (GetNativeAttributes() & FILE_ATTRIBUTE_DIRECTORY) != 0;
}
