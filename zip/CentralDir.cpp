#include <zip/CentralDir.h>

#include <zip/Archive.h>
#include <zip/Bytes.h>
#include <zip/Exception.h>
#include <zip/File.h>
#include <zip/Storage.h>

namespace
{
const ULONGLONG kMax16 = 0xFFFF;
const ULONGLONG kMax32 = 0xFFFFFFFF;
const DWORD kSignatureSize = sizeof(CZipStorage::s_uSegmentedSignature);

// A file mapped whole for writing in place, released on every way out.
class CFileView
{
public:
    explicit CFileView(HANDLE hFile)
    {
        m_hMapping = ::CreateFileMapping(hFile, nullptr, PAGE_READWRITE, 0, 0, nullptr);
        if (m_hMapping != nullptr)
            m_pView = static_cast<char*>(::MapViewOfFile(m_hMapping, FILE_MAP_WRITE, 0, 0, 0));
    }
    CFileView(const CFileView&) = delete;
    CFileView& operator=(const CFileView&) = delete;
    ~CFileView()
    {
        if (m_pView != nullptr)
            ::UnmapViewOfFile(m_pView);
        if (m_hMapping != nullptr)
            ::CloseHandle(m_hMapping);
    }
    char* Get() const
    {
        return m_pView;
    }

private:
    HANDLE m_hMapping = nullptr;
    char* m_pView = nullptr;
};

// What converting a segmented archive removes from an entry: its data descriptor when the
// local header can take the sizes, else the descriptor's signature, which only segmented
// archives and encrypted entries carry. Traditional encryption needs its descriptor whole.
DWORD RemovableDescriptorBytes(const CZipFileHeader& header)
{
    if (!header.IsDataDescriptor() || header.m_uEncryptionMethod == CZipFileHeader::encStandard)
        return 0;
    if (header.m_uComprSize < kMax32 && header.m_uUncomprSize < kMax32)
        return header.GetDataDescriptorSize(true);
    return header.IsEncrypted() ? 0 : kSignatureSize;
}

WORD Cap16(ULONGLONG uValue)
{
    return static_cast<WORD>(uValue >= kMax16 ? kMax16 : uValue);
}

DWORD Cap32(ULONGLONG uValue)
{
    return static_cast<DWORD>(uValue >= kMax32 ? kMax32 : uValue);
}
} // namespace

CZipCentralDir::CZipCentralDir(CZipArchive* pArchive, CZipStorage* pStorage)
    : m_pArchive(pArchive), m_pStorage(pStorage)
{
}

CZipCentralDir::~CZipCentralDir()
{
    Clear();
}

void CZipCentralDir::Init()
{
    Clear();
    m_iIgnoredChecks = checkDefault;
    m_uZip64EndOffset = 0;
    m_uThisDisk = m_uDiskWithCD = 0;
    m_uDiskEntriesNo = m_uEntriesNumber = 0;
    m_uSize = m_uOffset = 0;
    m_uZip64EndDisk = 0xFFFFFFFF;
    m_bWritten = false;
    m_comment.Release();
    m_bFindFastEnabled = false;
    m_pCompare = &CString::CollateNoCase;
}

void CZipCentralDir::Clear()
{
    m_pOpenedFile = nullptr;
    for (INT_PTR i = 0; i < m_headers.GetSize(); ++i)
        delete m_headers[i];
    m_headers.RemoveAll();
    m_findArray.RemoveAll();
}

void CZipCentralDir::ThrowError(int iCode) const
{
    CZipException::Throw(iCode, GetArchivePath());
}

CString CZipCentralDir::GetArchivePath() const
{
    return m_pArchive->GetArchivePath();
}

void CZipCentralDir::CutDirectory()
{
    m_pStorage->Flush();
    const ULONGLONG uEnd = m_uOffset + m_pStorage->GetBytesBeforeZip();
    m_pStorage->GetFile()->SetLength(uEnd);
    m_pStorage->GetFile()->SafeSeek(uEnd);
    m_bWritten = false;
}

void CZipCentralDir::PrepareForAppend()
{
    if (m_bWritten)
        CutDirectory();
    else
        m_pStorage->Flush();
}

CZipFileHeader* CZipCentralDir::AddNewFile(const CZipFileHeader& header, ULONGLONG uReplaceIndex, int iLevel,
                                           bool bCopy)
{
    m_pOpenedFile = nullptr;
    auto* pHeader = new CZipFileHeader(this);
    try
    {
        pHeader->m_uMethod = header.m_uMethod;
        pHeader->m_uModTime = header.m_uModTime;
        pHeader->m_uModDate = header.m_uModDate;
        pHeader->m_uExternalAttr = header.m_uExternalAttr;
        pHeader->m_uLocalComprSize = header.m_uLocalComprSize;
        pHeader->m_uLocalUncomprSize = header.m_uLocalUncomprSize;
        pHeader->m_uLocalHeaderSize = header.m_uLocalHeaderSize;
        pHeader->m_fileName = header.m_fileName;
        pHeader->m_comment = header.m_comment;
        pHeader->m_aLocalExtraData = header.m_aLocalExtraData;
        pHeader->m_aCentralExtraData = header.m_aCentralExtraData;
        pHeader->m_aCentralExtraData.RemoveManagedRecords();
        pHeader->m_iSystemCompatibility = header.m_iSystemCompatibility;
        pHeader->m_uEncryptionMethod = header.m_uEncryptionMethod;
        // Not a change of the archive yet: the header is not in it.
        m_bAddingHeader = true;
        pHeader->UpdateEncodingFlags();
        m_bAddingHeader = false;
        // Too little data for the CRC not to give the plain text away.
        if (pHeader->IsWinZipAesEncryption() && pHeader->m_uLocalUncomprSize < 20)
            pHeader->m_bIgnoreCrc32 = true;

        PrepareForAppend();
        pHeader->PrepareForWrite(iLevel, m_pStorage->IsSegmented());
        if (bCopy)
        {
            pHeader->m_uCrc32 = header.m_uCrc32;
            pHeader->m_uComprSize = header.m_uComprSize;
            pHeader->m_uUncomprSize = header.m_uUncomprSize;
        }
        if (IsValidIndex(uReplaceIndex))
        {
            CZipFileHeader* pOld = GetAt(uReplaceIndex);
            if (pHeader->GetEncodedFileName().GetSize() > kMax16 || pHeader->GetEncodedComment().GetSize() > kMax16 ||
                pHeader->m_aLocalExtraData.GetTotalSize() > kMax16)
                ThrowError(CZipException::tooLongData);
            const ULONGLONG uBefore = m_pStorage->GetCurrentVolume() == 0 ? m_pStorage->GetBytesBeforeZip() : 0;
            m_pStorage->GetFile()->SafeSeek(pOld->m_uOffset + uBefore);
            RemoveFindFast(pOld, false);
            delete pOld;
            m_headers[static_cast<INT_PTR>(uReplaceIndex)] = pHeader;
        }
        else
        {
            uReplaceIndex = GetCount();
            m_headers.Add(pHeader);
            m_pStorage->GetFile()->SeekToEnd();
        }
    }
    catch (...)
    {
        delete pHeader;
        throw;
    }
    m_pOpenedFile = pHeader;
    if (m_bFindFastEnabled)
        InsertFindFast(pHeader, uReplaceIndex);
    return pHeader;
}

void CZipCentralDir::CloseNewFile()
{
    // A local header without room for sizes that grew past 32 bits switches to a descriptor
    // here, so the descriptor is decided after it.
    if (!m_pOpenedFile->IsDataDescriptor())
        m_pOpenedFile->UpdateLocalHeader(m_pStorage);
    m_pOpenedFile->WriteDataDescriptor(m_pStorage);
    m_pStorage->Flush();
}

void CZipCentralDir::RemoveFile(CZipFileHeader* pHeader, ULONGLONG uIndex, bool bShift)
{
    if (pHeader == nullptr)
        pHeader = GetAt(uIndex);
    else
    {
        for (uIndex = 0; uIndex < GetCount() && GetAt(uIndex) != pHeader; ++uIndex)
        {
        }
        if (uIndex == GetCount())
            return;
    }
    if (m_pOpenedFile == pHeader)
        m_pOpenedFile = nullptr;
    RemoveFindFast(pHeader, bShift);
    delete pHeader;
    m_headers.RemoveAt(static_cast<INT_PTR>(uIndex));
}

void CZipCentralDir::RemoveLastFile(CZipFileHeader* pHeader, ULONGLONG uIndex)
{
    if (uIndex == s_uNoIndex)
        uIndex = GetCount() - 1;
    const ULONGLONG uOffset =
        (pHeader != nullptr ? pHeader : GetAt(uIndex))->m_uOffset + m_pStorage->GetBytesBeforeZip();
    RemoveFile(pHeader, uIndex);
    m_pStorage->Flush();
    m_pStorage->GetFile()->SetLength(uOffset);
    m_pStorage->GetFile()->SafeSeek(uOffset);
    m_bWritten = false;
}

bool CZipCentralDir::IsZip64Needed() const
{
    return m_uThisDisk >= kMax16 || m_uDiskWithCD >= kMax16 || m_uDiskEntriesNo >= kMax16 ||
           m_uEntriesNumber >= kMax16 || m_uSize >= kMax32 || m_uOffset >= kMax32;
}

ULONGLONG CZipCentralDir::GetSize() const
{
    ULONGLONG uSize = s_uEndFixedSize + m_comment.GetSize();
    for (INT_PTR i = 0; i < m_headers.GetSize(); ++i)
        uSize += m_headers[i]->GetSize();
    if (IsZip64Needed() || GetCount() >= kMax16)
        uSize += s_uZip64EndSize + s_uZip64LocatorSize;
    return uSize;
}

void CZipCentralDir::Write()
{
    if (m_bWritten)
        return;
    m_uEntriesNumber = GetCount();
    const bool bConverted =
        m_pStorage->IsSegmented() && m_pStorage->GetCurrentVolume() == 0 && ConvertToOrdinaryArchive();
    if (!m_pStorage->IsSegmented() || bConverted)
    {
        m_pStorage->Flush();
        m_pStorage->GetFile()->SeekToEnd();
    }
    else if (!m_pStorage->IsBinarySplit())
        m_pStorage->EnsureFreeSpace(GetSize());
    m_uSize = 0;
    WriteHeaders(bConverted);
    m_uThisDisk = m_pStorage->IsBinarySplit() ? 0 : m_pStorage->GetCurrentVolume();
    if (IsZip64Needed())
    {
        if (m_pStorage->GetBytesBeforeZip() != 0)
            ThrowError(CZipException::noBytesBeforeInZip64);
        WriteZip64End();
    }
    WriteEnd();
    if (bConverted && m_pStorage->GetCurrentVolume() != 0)
        ThrowError(CZipException::badZipFile);
    m_bWritten = true;
}

bool CZipCentralDir::ConvertToOrdinaryArchive()
{
    ULONGLONG uFreed = kSignatureSize;
    for (INT_PTR i = 0; i < m_headers.GetSize(); ++i)
        uFreed += RemovableDescriptorBytes(*m_headers[i]);
    if (m_pStorage->GetVolumeFreeSpace() + uFreed < GetSize())
        return false;
    m_pStorage->Flush();
    auto* pFile = dynamic_cast<CZipFile*>(m_pStorage->GetFile());
    if (pFile == nullptr)
        return false;
    const ULONGLONG uLength = pFile->GetLength();
    ULONGLONG uRemoved = kSignatureSize;
    {
        CFileView view(static_cast<HANDLE>(*pFile));
        char* pData = view.Get();
        if (pData == nullptr)
            return false;
        // Converted before: the directory was cut off and is written again.
        if (CZipBytesReader(pData).DWord() != CZipStorage::s_uSegmentedSignature)
            return true;
        for (INT_PTR i = 0; i < m_headers.GetSize(); ++i)
        {
            CZipFileHeader* pHeader = m_headers[i];
            const ULONGLONG uStart = pHeader->m_uOffset;
            const ULONGLONG uEnd = i + 1 < m_headers.GetSize() ? m_headers[i + 1]->m_uOffset : uLength;
            const DWORD uDescriptor = pHeader->GetDataDescriptorSize(true);
            const DWORD uDrop = RemovableDescriptorBytes(*pHeader);
            char* pTarget = pData + uStart - uRemoved;
            pHeader->m_uOffset -= uRemoved;
            if (uDrop == 0)
                memmove(pTarget, pData + uStart, static_cast<size_t>(uEnd - uStart));
            else
            {
                // Header and data, then what stays of the descriptor: nothing, or all but its signature.
                const size_t uBody = static_cast<size_t>(uEnd - uStart - uDescriptor);
                memmove(pTarget, pData + uStart, uBody);
                memmove(pTarget + uBody, pData + uStart + uBody + uDrop, uDescriptor - uDrop);
            }
            if (uDrop == uDescriptor && uDrop != 0)
            {
                pHeader->m_uFlag &= ~0x0008;
                pHeader->m_uLocalComprSize = pHeader->m_uComprSize;
                pHeader->m_uLocalUncomprSize = pHeader->m_uUncomprSize;
                CZipBytesWriter(pTarget + 6).Word(pHeader->m_uFlag);
                CZipBytesWriter sizes(pTarget + 14);
                sizes.DWord(pHeader->m_bIgnoreCrc32 ? 0 : pHeader->m_uCrc32);
                sizes.DWord(static_cast<DWORD>(pHeader->m_uComprSize));
                sizes.DWord(static_cast<DWORD>(pHeader->m_uUncomprSize));
            }
            uRemoved += uDrop;
        }
    }
    m_pStorage->CutVolume(uLength - uRemoved);
    return true;
}

void CZipCentralDir::WriteHeaders(bool bConverted)
{
    m_uDiskEntriesNo = 0;
    if (m_pStorage->IsBinarySplit())
    {
        m_pStorage->EnsureFreeSpace(1);
        m_uDiskWithCD = 0;
    }
    else
        m_uDiskWithCD = m_pStorage->GetCurrentVolume();
    m_uOffset = m_pStorage->GetPosition() - m_pStorage->GetBytesBeforeZip();
    if (m_headers.IsEmpty())
        return;
    CZipActionCallback* pCallback = m_pArchive->GetCallback(CZipActionCallback::cbSave);
    if (pCallback != nullptr)
    {
        pCallback->Init();
        pCallback->SetTotal(GetCount());
    }
    for (INT_PTR i = 0; i < m_headers.GetSize(); ++i)
    {
        const DWORD uVolume = m_pStorage->GetCurrentVolume();
        m_uSize += m_headers[i]->WriteCentral(m_pStorage);
        if (m_pStorage->IsBinarySplit() || m_pStorage->GetCurrentVolume() == uVolume)
            ++m_uDiskEntriesNo;
        else
        {
            m_uDiskEntriesNo = 1;
            if (i == 0)
            {
                // The directory begins on the volume its first header landed on.
                m_uOffset = 0;
                m_uDiskWithCD = m_pStorage->GetCurrentVolume();
            }
        }
        if (pCallback == nullptr)
            continue;
        const bool bLast = i + 1 == m_headers.GetSize();
        if (!(bLast ? pCallback->RequestLastCallback(1) : pCallback->RequestCallback()))
        {
            pCallback->CallbackEnd();
            if (m_pStorage->IsSegmented() && !bConverted)
                ThrowError(CZipException::abortedAction);
            CutDirectory();
            ThrowError(CZipException::abortedSafely);
        }
    }
    if (pCallback != nullptr)
        pCallback->CallbackEnd();
}

void CZipCentralDir::WriteZip64End()
{
    if (m_pStorage->IsBinarySplit())
        m_pStorage->EnsureFreeSpace(1);
    else if (m_pStorage->IsSegmented())
    {
        const DWORD uVolume = m_pStorage->GetCurrentVolume();
        m_pStorage->EnsureFreeSpace(s_uZip64EndSize);
        if (m_pStorage->GetCurrentVolume() != uVolume)
            m_uDiskEntriesNo = 0;
    }
    m_uZip64EndDisk = m_pStorage->IsBinarySplit() ? 0 : m_pStorage->GetCurrentVolume();
    m_uZip64EndOffset = m_pStorage->GetPosition();
    char record[s_uZip64EndSize];
    CZipBytesWriter writer(record);
    writer.DWord(s_uZip64EndSignature);
    writer.QWord(s_uZip64EndSize - 12);
    writer.Word(45);
    writer.Word(45);
    writer.DWord(m_uZip64EndDisk);
    writer.DWord(m_uDiskWithCD);
    writer.QWord(m_uDiskEntriesNo);
    writer.QWord(m_uEntriesNumber);
    writer.QWord(m_uSize);
    writer.QWord(m_uOffset);
    m_pStorage->Write(record, s_uZip64EndSize, true);
}

void CZipCentralDir::WriteEnd()
{
    const bool bZip64 = IsZip64Needed();
    const ULONGLONG uSize = s_uEndFixedSize + m_comment.GetSize() + (bZip64 ? s_uZip64LocatorSize : 0);
    if (uSize > kMax32)
        ThrowError(CZipException::internalError);
    if (m_pStorage->IsBinarySplit())
        m_pStorage->EnsureFreeSpace(1);
    else if (m_pStorage->IsSegmented())
        m_pStorage->EnsureFreeSpace(uSize);
    const DWORD uDisk = m_pStorage->IsBinarySplit() ? 0 : m_pStorage->GetCurrentVolume();
    if (uDisk != m_uThisDisk)
    {
        m_uThisDisk = uDisk;
        m_uDiskEntriesNo = 0;
    }
    CZipAutoBuffer buffer(static_cast<DWORD>(uSize));
    CZipBytesWriter writer(buffer);
    if (bZip64)
    {
        writer.DWord(s_uZip64LocatorSignature);
        writer.DWord(m_uZip64EndDisk);
        writer.QWord(m_uZip64EndOffset);
        writer.DWord(m_uThisDisk + 1);
    }
    writer.DWord(s_uEndSignature);
    writer.Word(Cap16(m_uThisDisk));
    writer.Word(Cap16(m_uDiskWithCD));
    writer.Word(Cap16(m_uDiskEntriesNo));
    writer.Word(Cap16(m_uEntriesNumber));
    writer.DWord(Cap32(m_uSize));
    writer.DWord(Cap32(m_uOffset));
    writer.Word(static_cast<WORD>(m_comment.GetSize()));
    writer.Bytes(m_comment, m_comment.GetSize());
    m_pStorage->Write(buffer, buffer.GetSize(), true);
}

bool CZipCentralDir::AcceptNameChange(CZipFileHeader* pHeader)
{
    // A segmented archive being written cannot take its volumes back to rewrite a local header.
    if (!IsModificationAllowed() || m_pStorage->IsSegmented())
        return false;
    if (m_pArchive->GetCommitMode() == CZipArchive::cmOnChange && !m_pArchive->CommitChanges())
        return false;
    if (m_bFindFastEnabled)
        InsertFindFast(pHeader, RemoveFindFast(pHeader, false));
    return true;
}

bool CZipCentralDir::HasChangedHeaders() const
{
    for (INT_PTR i = 0; i < m_headers.GetSize(); ++i)
    {
        if (m_headers[i]->IsModified())
            return true;
    }
    return false;
}

void CZipCentralDir::RevertChanges()
{
    for (INT_PTR i = 0; i < m_headers.GetSize(); ++i)
        m_headers[i]->RevertFileName();
    if (m_bFindFastEnabled)
        BuildFindFastIndex();
}

INT_PTR CZipCentralDir::FindInsertPosition(const CString& szFileName) const
{
    INT_PTR iLow = 0;
    INT_PTR iHigh = m_findArray.GetSize();
    while (iLow < iHigh)
    {
        const INT_PTR iMiddle = (iLow + iHigh) / 2;
        if ((m_findArray[iMiddle].m_pHeader->GetFileName().*m_pCompare)(szFileName) <= 0)
            iLow = iMiddle + 1;
        else
            iHigh = iMiddle;
    }
    return iLow;
}

INT_PTR CZipCentralDir::FindFileNameIndex(LPCTSTR lpszFileName) const
{
    INT_PTR iLow = 0;
    INT_PTR iHigh = m_findArray.GetSize() - 1;
    while (iLow <= iHigh)
    {
        const INT_PTR iMiddle = (iLow + iHigh) / 2;
        const int iResult = (m_findArray[iMiddle].m_pHeader->GetFileName().*m_pCompare)(lpszFileName);
        if (iResult == 0)
            return iMiddle;
        if (iResult < 0)
            iLow = iMiddle + 1;
        else
            iHigh = iMiddle - 1;
    }
    return -1;
}

ULONGLONG CZipCentralDir::FindFile(LPCTSTR lpszFileName) const
{
    const INT_PTR i = FindFileNameIndex(lpszFileName);
    return i < 0 ? s_uNoIndex : m_findArray[i].m_uIndex;
}

void CZipCentralDir::InsertFindFast(CZipFileHeader* pHeader, ULONGLONG uIndex)
{
    m_findArray.InsertAt(FindInsertPosition(pHeader->GetFileName()), CZipFindFast{pHeader, uIndex});
}

ULONGLONG CZipCentralDir::RemoveFindFast(CZipFileHeader* pHeader, bool bShift)
{
    if (!m_bFindFastEnabled)
        return s_uNoIndex;
    ULONGLONG uIndex = s_uNoIndex;
    for (INT_PTR i = 0; i < m_findArray.GetSize(); ++i)
    {
        if (m_findArray[i].m_pHeader == pHeader)
        {
            uIndex = m_findArray[i].m_uIndex;
            m_findArray.RemoveAt(i);
            break;
        }
    }
    if (!bShift || uIndex == s_uNoIndex)
        return uIndex;
    for (INT_PTR i = 0; i < m_findArray.GetSize(); ++i)
    {
        if (m_findArray[i].m_uIndex > uIndex)
            --m_findArray[i].m_uIndex;
    }
    return uIndex;
}

void CZipCentralDir::BuildFindFastIndex()
{
    m_findArray.RemoveAll();
    for (INT_PTR i = 0; i < m_headers.GetSize(); ++i)
        InsertFindFast(m_headers[i], static_cast<ULONGLONG>(i));
}

void CZipCentralDir::EnableFindFast(bool bEnable)
{
    if (bEnable == m_bFindFastEnabled)
        return;
    m_bFindFastEnabled = bEnable;
    if (bEnable)
        BuildFindFastIndex();
    else
        m_findArray.RemoveAll();
}

void CZipCentralDir::SetCaseSensitivity(bool bCaseSensitive)
{
    m_pCompare = bCaseSensitive ? &CString::Collate : &CString::CollateNoCase;
    if (m_bFindFastEnabled)
        BuildFindFastIndex();
}

bool CZipCentralDir::IsModificationAllowed() const
{
    return m_pArchive->CanModify();
}

void CZipCentralDir::OnCentralDataChange()
{
    if (m_bAddingHeader || !IsModificationAllowed())
        return;
    if (m_bWritten)
        CutDirectory();
    m_pArchive->Finalize();
}
