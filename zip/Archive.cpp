#include <zip/Archive.h>

#include <zip/Compatibility.h>
#include <zip/Compressor.h>
#include <zip/Cryptograph.h>
#include <zip/Exception.h>
#include <zip/MemFile.h>
#include <zip/PathComponent.h>
#include <zip/Platform.h>

#include <algorithm>
#include <memory>

namespace
{
// A changed entry of a commit: its data region and the shift by which it moves.
struct CZipChangeInfo
{
    ULONGLONG m_uIndex;
    ULONGLONG m_uStart;
    ULONGLONG m_uEnd;
    LONGLONG m_iShift;
};

void TrimSeparators(CString& szPath)
{
    szPath.TrimRight(_T("\\/"));
}

// Puts the password aside for one entry and gives it back on every way out.
class CPasswordAside
{
public:
    CPasswordAside(CZipAutoBuffer& password, bool bAside) : m_password(password)
    {
        if (bAside)
        {
            m_saved = password;
            password.Release();
            m_bAside = true;
        }
    }
    CPasswordAside(const CPasswordAside&) = delete;
    CPasswordAside& operator=(const CPasswordAside&) = delete;
    ~CPasswordAside()
    {
        if (m_bAside)
            m_password = m_saved;
    }

private:
    CZipAutoBuffer& m_password;
    CZipAutoBuffer m_saved;
    bool m_bAside = false;
};

bool UsesUtf8Password(int iSystem)
{
    return iSystem == ZipCompatibility::zcUnix || iSystem == ZipCompatibility::zcMacintosh ||
           iSystem == ZipCompatibility::zcSystem20;
}
} // namespace

CZipArchive::CZipArchive() : m_centralDir(this, &m_storage)
{
}

CZipArchive::~CZipArchive()
{
    delete m_pCompressor;
    delete m_pCryptograph;
}

bool CZipArchive::Open(LPCTSTR lpszPath)
{
    if (m_storage.IsOpen())
        return false;
    m_storage.Open(lpszPath);
    ResetAfterOpen(ZipCompatibility::zcDosFat);
    return true;
}

void CZipArchive::ResetAfterOpen(int iSystemCompatibility)
{
    m_pszPassword.Release();
    m_iFileOpened = nothing;
    m_szRootPath.Empty();
    m_centralDir.Init();
    m_iArchiveSystCompatib = iSystemCompatibility;
}

CString CZipArchive::GetArchivePath() const
{
    return m_storage.GetFile() != nullptr ? m_storage.GetArchivePath() : CString();
}

void CZipArchive::ThrowError(int iCode) const
{
    CZipException::Throw(iCode, GetArchivePath());
}

bool CZipArchive::CanModify() const
{
    return IsWritable() && m_iFileOpened == nothing;
}

void CZipArchive::CreateCryptograph(int iEncryptionMethod)
{
    if (m_pCryptograph != nullptr && m_pCryptograph->SupportsMethod(iEncryptionMethod))
        return;
    ClearCryptograph();
    m_pCryptograph = CZipCryptograph::CreateCryptograph(iEncryptionMethod);
}

void CZipArchive::ClearCryptograph()
{
    delete m_pCryptograph;
    m_pCryptograph = nullptr;
}

void CZipArchive::CreateCompressor(WORD uMethod)
{
    if (m_pCompressor == nullptr || !m_pCompressor->SupportsMethod(uMethod))
    {
        delete m_pCompressor;
        m_pCompressor = CZipCompressor::CreateCompressor(uMethod, &m_storage);
    }
    if (m_pCompressor == nullptr)
        return;
    if (const CZipCompressor::COptions* pOwn = m_pCompressor->GetOptions())
    {
        if (const CZipCompressor::COptions* pOptions = m_compressorsOptions.Get(pOwn->GetType()))
            m_pCompressor->ApplyOptions(pOptions);
    }
}

void CZipArchive::SetCompressionOptions(const CZipCompressor::COptions& options)
{
    m_compressorsOptions.Set(options);
}

bool CZipArchive::SetPassword(LPCTSTR lpszPassword)
{
    if (m_iFileOpened != nothing)
        return false;
    if (lpszPassword == nullptr || *lpszPassword == 0)
        m_pszPassword.Release();
    else
        ZipPlatform::WideToMultiByte(lpszPassword, m_pszPassword,
                                     UsesUtf8Password(m_iArchiveSystCompatib) ? CP_UTF8 : CP_ACP);
    return true;
}

CString CZipArchive::GetPassword() const
{
    CString szPassword;
    ZipPlatform::MultiByteToWide(m_pszPassword, szPassword, CP_ACP);
    return szPassword;
}

bool CZipArchive::SetSystemCompatibility(int iSystemCompatibility)
{
    if (!m_storage.IsOpen() || m_iFileOpened == compress ||
        !ZipCompatibility::IsPlatformSupported(iSystemCompatibility))
        return false;
    m_iArchiveSystCompatib = iSystemCompatibility;
    return true;
}

void CZipArchive::SetEncryptionMethod(int iEncryptionMethod)
{
    if (m_iFileOpened == compress)
        return;
    switch (iEncryptionMethod)
    {
    case CZipFileHeader::encNone:
    case CZipFileHeader::encStandard:
    case CZipFileHeader::encAes128:
    case CZipFileHeader::encAes192:
    case CZipFileHeader::encAes256:
        m_iEncryptionMethod = iEncryptionMethod;
        break;
    default:
        break;
    }
}

void CZipArchive::SetCompressionMethod(WORD uMethod)
{
    if (m_iFileOpened == compress)
        return;
    if (uMethod == CZipCompressor::methodStore || uMethod == CZipCompressor::methodDeflate ||
        uMethod == CZipCompressor::methodBzip2)
        m_uCompressionMethod = uMethod;
}

void CZipArchive::SetRootPath(LPCTSTR lpszPath)
{
    if (!m_storage.IsOpen() || m_iFileOpened != nothing)
        return;
    m_szRootPath = lpszPath;
    TrimSeparators(m_szRootPath);
}

CString CZipArchive::PredictFileNameInZip(LPCTSTR lpszFilePath, bool bFullPath, int iWhat) const
{
    CString szPath = lpszFilePath;
    if (szPath.IsEmpty())
        return CString();
    const TCHAR cLast = szPath[szPath.GetLength() - 1];
    const bool bSeparator = iWhat == prDir || cLast == _T('\\') || cLast == _T('/');
    TrimSeparators(szPath);
    if (szPath.IsEmpty())
        return CString();
    CZipPathComponent component(szPath);
    CString szName;
    if (bFullPath)
        szName = m_bRemoveDriveLetter ? component.GetPathWithoutDrive() : szPath;
    else
    {
        const int iRoot = m_szRootPath.GetLength();
        const bool bUnderRoot = iRoot > 0 && szPath.GetLength() >= iRoot &&
                                szPath.Left(iRoot).CompareNoCase(m_szRootPath) == 0 &&
                                (szPath.GetLength() == iRoot || szPath[iRoot] == _T('\\') || szPath[iRoot] == _T('/'));
        if (bUnderRoot)
        {
            szName = szPath.Mid(iRoot);
            szName.TrimLeft(_T("\\/"));
        }
        else
            szName = component.GetFileName();
    }
    if (bSeparator && !szName.IsEmpty())
    {
        TrimSeparators(szName);
        szName += _T('\\');
    }
    return szName;
}

bool CZipArchive::OpenNewFile(CZipFileHeader& header, int iLevel, ULONGLONG uReplaceIndex)
{
    if (!IsWritable() || m_iFileOpened != nothing || m_centralDir.GetCount() >= 0xFFFFFFFF)
        return false;
    const bool bReplace = m_centralDir.IsValidIndex(uReplaceIndex);
    // The space of a replaced entry is made beforehand: only stored data has a size known now.
    if (bReplace && (m_storage.IsSegmented() || (iLevel != 0 && m_uCompressionMethod != CZipCompressor::methodStore)))
        return false;
    if (header.GetSystemCompatibility() != m_iArchiveSystCompatib)
    {
        const DWORD uAttributes = header.GetNativeAttributes();
        header.SetSystemCompatibility(m_iArchiveSystCompatib);
        header.SetNativeAttributes(uAttributes);
    }
    if (header.m_uModDate == 0 && header.m_uModTime == 0)
        header.SetTime(_time64(nullptr));

    CString szName = header.GetFileName();
    if (header.IsDirectory())
    {
        if (szName.IsEmpty() || (szName.Right(1) != _T("\\") && szName.Right(1) != _T("/")))
            header.SetFileName(szName + _T('\\'));
    }
    else if (szName.IsEmpty())
    {
        szName.Format(_T("file%I64u"), m_centralDir.GetCount());
        header.SetFileName(szName);
    }

    if (IsEncryptionActive())
    {
        header.m_uEncryptionMethod = static_cast<BYTE>(m_iEncryptionMethod);
        CreateCryptograph(m_iEncryptionMethod);
    }
    else
    {
        header.m_uEncryptionMethod = CZipFileHeader::encNone;
        ClearCryptograph();
    }

    if (iLevel < -1 || iLevel > 9)
        iLevel = -1;
    header.m_uMethod = m_uCompressionMethod;
    if (iLevel == 0 || header.IsDirectory())
        header.m_uMethod = CZipCompressor::methodStore;
    if (header.m_uMethod == CZipCompressor::methodStore)
        iLevel = 0;

    CreateCompressor(header.m_uMethod);
    if (bReplace)
        m_centralDir.PrepareForAppend();
    const ULONGLONG uOldOffset = bReplace ? m_centralDir.GetAt(uReplaceIndex)->m_uOffset : 0;
    CZipFileHeader* pHeader = m_centralDir.AddNewFile(header, uReplaceIndex, iLevel, false);
    if (bReplace)
        MakeSpaceForReplace(uOldOffset,
                            pHeader->GetLocalSize() + pHeader->m_uLocalComprSize + pHeader->GetDataDescriptorSize(true),
                            pHeader->GetFileName());
    pHeader->WriteLocal(&m_storage);
    if (m_pCryptograph != nullptr)
        m_pCryptograph->BeginEncode(m_pszPassword, pHeader, &m_storage);
    m_pCompressor->BeginCompression(iLevel, pHeader, m_pCryptograph);
    m_iFileOpened = compress;
    return true;
}

bool CZipArchive::CloseNewFile(bool bAfterException)
{
    if (m_iFileOpened != compress)
        return false;
    // Forgets the entry whatever the compressor or the storage throws.
    const auto Forget = [this] {
        m_iFileOpened = nothing;
        ClearCryptograph();
    };
    try
    {
        m_pCompressor->EndCompression(bAfterException);
        if (!bAfterException)
        {
            if (m_pCryptograph != nullptr)
                m_pCryptograph->EndEncode(m_centralDir.GetOpenedFile(), &m_storage);
            m_centralDir.CloseNewFile();
        }
    }
    catch (...)
    {
        Forget();
        throw;
    }
    Forget();
    if (!bAfterException)
        Finalize();
    return true;
}

void CZipArchive::Finalize()
{
    if (!m_bAutoFinalize || !CanModify() || m_centralDir.HasChangedHeaders())
        return;
    m_centralDir.Write();
    m_storage.Flush();
    m_storage.GetFile()->Flush();
    if (m_storage.IsSegmented())
        m_storage.FinishSegmentation();
}

bool CZipArchive::RemoveLastFile(bool bRemoveAnyway)
{
    const ULONGLONG uCount = m_centralDir.GetCount();
    if (uCount == 0 || !CanModify())
        return false;
    const CZipFileHeader* pHeader = m_centralDir.GetAt(uCount - 1);
    if (!bRemoveAnyway && pHeader->m_uComprSize - pHeader->GetEncryptedInfoSize() <= pHeader->m_uUncomprSize)
        return false;
    m_centralDir.RemoveLastFile();
    return true;
}

void CZipArchive::RemoveReplacingFile(CZipFileHeader* pHeader)
{
    // The entries behind must stay: the unfinished one's space is closed instead of cut off.
    const ULONGLONG uOffset = pHeader->m_uOffset;
    m_centralDir.RemoveFile(pHeader, CZipCentralDir::s_uNoIndex);
    m_storage.Flush();
    MakeSpaceForReplace(uOffset, 0, nullptr);
}

void CZipArchive::AbandonNewFile()
{
    CZipFileHeader* pHeader = m_centralDir.GetOpenedFile();
    CloseNewFile(true);
    // A directory written after the failure must not list the unfinished entry. A segmented
    // archive cannot take it back.
    if (m_storage.IsSegmented())
        return;
    try
    {
        if (pHeader == m_centralDir.GetAt(m_centralDir.GetCount() - 1))
            m_centralDir.RemoveLastFile(pHeader);
        else
            RemoveReplacingFile(pHeader);
    }
    catch (CException* e)
    {
        // The first failure is the one the caller needs to see.
        e->Delete();
    }
}

bool CZipArchive::AddDirectory(CZipFileHeader& header, LPCTSTR lpszPath)
{
    CZipActionCallback* pCallback = GetCallback(CZipActionCallback::cbAdd);
    if (pCallback != nullptr)
    {
        pCallback->Init(header.GetFileName(), lpszPath);
        pCallback->SetTotal(0);
    }
    const bool bOpened = OpenNewFile(header, 0);
    if (bOpened)
        CloseNewFile();
    if (pCallback != nullptr)
        pCallback->CallbackEnd();
    return bOpened;
}

bool CZipArchive::CompressSource(CZipAbstractFile& source, DWORD nBufSize, CZipActionCallback* pCallback,
                                 bool& bLastChunk)
{
    CZipAutoBuffer buffer(nBufSize);
    DWORD uRead;
    do
    {
        uRead = source.Read(buffer, nBufSize);
        bLastChunk = uRead < nBufSize || source.GetPosition() >= source.GetLength();
        if (uRead > 0)
        {
            m_pCompressor->Compress(buffer, uRead);
            if (pCallback != nullptr && !pCallback->RequestCallback(uRead))
                return false;
        }
    } while (uRead == nBufSize);
    return pCallback == nullptr || pCallback->RequestLastCallback();
}

void CZipArchive::CloseStoppedFile()
{
    int iCode = CZipException::abortedSafely;
    try
    {
        CloseNewFile();
    }
    catch (CException* e)
    {
        e->Delete();
        iCode = CZipException::abortedAction;
    }
    ThrowError(iCode);
}

bool CZipArchive::AddFileByRequest(CZipAddRequest& request)
{
    if (request.m_nBufSize == 0)
        return false;
    if (request.m_pFile != nullptr)
        request.m_szFilePath = request.m_pFile->GetFilePath();
    else
    {
        TrimSeparators(request.m_szFilePath);
        if (request.m_szFilePath.IsEmpty())
            return false;
    }

    if (request.m_uReplaceIndex != CZipCentralDir::s_uNoIndex)
    {
        if (m_storage.IsSegmented() || request.m_uReplaceIndex >= m_centralDir.GetCount() || !CanModify())
            return false;
        // The last entry is simply removed and the add appends.
        if (request.m_uReplaceIndex + 1 == m_centralDir.GetCount())
        {
            m_centralDir.RemoveLastFile();
            request.m_uReplaceIndex = CZipCentralDir::s_uNoIndex;
        }
    }
    const bool bReplace = request.m_uReplaceIndex != CZipCentralDir::s_uNoIndex;

    DWORD uAttributes = FILE_ATTRIBUTE_ARCHIVE;
    __time64_t tTime = _time64(nullptr);
    if (request.m_pFile == nullptr)
    {
        uAttributes = ::GetFileAttributes(request.m_szFilePath);
        if (uAttributes == INVALID_FILE_ATTRIBUTES)
            CZipException::Throw(CZipException::fileError, request.m_szFilePath);
        tTime = ZipPlatform::GetFileModificationTime(request.m_szFilePath);
    }

    CZipFileHeader header;
    header.SetSystemCompatibility(m_iArchiveSystCompatib);
    header.SetNativeAttributes(uAttributes);
    header.SetTime(tTime);
    const bool bDirectory = (uAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (request.m_szFileNameInZip.IsEmpty())
        request.m_szFileNameInZip =
            PredictFileNameInZip(request.m_szFilePath, request.m_bFullPath, bDirectory ? prDir : prFile);
    header.SetFileName(request.m_szFileNameInZip);

    const int iSmartness = request.m_iSmartness;
    if (bDirectory)
    {
        CPasswordAside aside(m_pszPassword, (iSmartness & CZipAddRequest::smPlainDirectory) != 0);
        return AddDirectory(header, request.m_szFilePath);
    }

    int iLevel = request.m_iComprLevel;
    if (m_uCompressionMethod == CZipCompressor::methodStore)
        iLevel = 0;
    bool bPlainEmpty = (iSmartness & CZipAddRequest::smPlainEmptyFile) && IsEncryptionActive();
    bool bStoreSmall = (iSmartness & CZipAddRequest::smStoreSmallFile) && iLevel != 0;
    bool bCheckEfficiency = (iSmartness & CZipAddRequest::smCheckEfficiency) && iLevel != 0;
    const bool bNeedTemp = (bCheckEfficiency && m_storage.IsSegmented()) || (bReplace && iLevel != 0);
    ULONGLONG uSize = 0;
    if (bPlainEmpty || bStoreSmall || bCheckEfficiency || bNeedTemp)
    {
        if (request.m_pFile != nullptr)
            uSize = request.m_pFile->GetLength();
        else if (!ZipPlatform::GetFileSize(request.m_szFilePath, uSize))
        {
            bCheckEfficiency = false;
            // An unknown size must not pass for an empty or a small file.
            bPlainEmpty = bStoreSmall = false;
        }
    }
    CPasswordAside aside(m_pszPassword, bPlainEmpty && uSize == 0);
    if (bStoreSmall && uSize < 5)
        iLevel = 0;
    bool bResult = false;
    if (bNeedTemp && AddThroughTempArchive(request, bCheckEfficiency, uSize, bResult))
        return bResult;
    // Only the temporary archive can replace a compressed entry, or check one in a segmented archive.
    if (bReplace)
        iLevel = 0;
    if (m_storage.IsSegmented())
        bCheckEfficiency = false;

    CZipFile file;
    CZipAbstractFile* pSource = request.m_pFile;
    if (pSource == nullptr)
    {
        file.Open(request.m_szFilePath, CFile::modeRead | CFile::shareDenyNone, true);
        pSource = &file;
    }
    else
        pSource->SeekToBegin();

    header.m_uLocalUncomprSize = pSource->GetLength();
    if (iLevel == 0)
        header.m_uLocalComprSize = header.m_uLocalUncomprSize;
    if (!OpenNewFile(header, iLevel, request.m_uReplaceIndex))
        return false;
    CZipActionCallback* pCallback = GetCallback(
        (iSmartness & CZipAddRequest::smEfficiencyReAdd) ? CZipActionCallback::cbAddStore : CZipActionCallback::cbAdd);
    if (pCallback != nullptr)
    {
        pCallback->Init(request.m_szFileNameInZip, request.m_szFilePath);
        pCallback->SetTotal(header.m_uLocalUncomprSize);
    }
    bool bLastChunk = false;
    bool bCompleted;
    try
    {
        bCompleted = CompressSource(*pSource, request.m_nBufSize, pCallback, bLastChunk);
    }
    catch (...)
    {
        AbandonNewFile();
        throw;
    }
    if (!bCompleted)
    {
        pCallback->CallbackEnd();
        if (bLastChunk)
            CloseStoppedFile();
        AbandonNewFile();
        ThrowError(m_storage.IsSegmented() || bReplace ? CZipException::abortedAction : CZipException::abortedSafely);
    }
    CloseNewFile();
    if (pCallback != nullptr)
        pCallback->CallbackEnd();
    if (pSource == &file)
        file.Close();

    if (bCheckEfficiency && RemoveLastFile(false))
    {
        CZipAddRequest plain(request);
        plain.m_iComprLevel = 0;
        plain.m_iSmartness = CZipAddRequest::smEfficiencyReAdd;
        return AddFileByRequest(plain);
    }
    return true;
}

bool CZipArchive::AddNewFile(LPCTSTR lpszFilePath, int iComprLevel, bool bFullPath, int iSmartness, DWORD nBufSize)
{
    CZipAddRequest request(lpszFilePath, bFullPath);
    request.m_iComprLevel = iComprLevel;
    request.m_iSmartness = iSmartness;
    request.m_nBufSize = nBufSize;
    return AddFileByRequest(request);
}

void CZipArchive::SetCallback(CZipActionCallback* pCallback, int iWhich)
{
    static const int kTypes[] = {0x1,   0x2,   0x4,   0x8,    0x10,   0x20,   0x40,   0x80,   0x100,
                                 0x200, 0x400, 0x800, 0x1001, 0x2000, 0x4000, 0x8000, 0x1C000};
    for (int iType : kTypes)
    {
        if ((iType & iWhich) == 0)
            continue;
        if (pCallback != nullptr)
            m_callbacks.SetAt(iType, pCallback);
        else
            m_callbacks.RemoveKey(iType);
    }
}

CZipActionCallback* CZipArchive::GetCallback(int iType)
{
    CZipActionCallback* pCallback = nullptr;
    if (!m_callbacks.Lookup(iType, pCallback))
        return nullptr;
    pCallback->m_iType = iType;
    return pCallback;
}

CString CZipArchive::Close(int iAfterException)
{
    if (!m_storage.IsOpen())
        return CString();
    if (m_iFileOpened == compress)
        CloseNewFile(iAfterException != afNoException);
    else if (m_iFileOpened == extract)
        CloseFile(iAfterException != afNoException);
    if (iAfterException == afNoException)
        CommitChanges();
    if (iAfterException != afAfterException && IsWritable() && m_storage.GetFile() != nullptr)
        m_centralDir.Write();
    m_centralDir.Clear();
    m_pszPassword.Release();
    return m_storage.Close(iAfterException != afAfterException);
}

bool CZipArchive::OpenFile(ULONGLONG uIndex)
{
    if (!m_storage.IsOpen() || m_storage.IsSegmented() || m_iFileOpened != nothing ||
        !m_centralDir.IsValidIndex(uIndex))
        return false;
    CZipFileHeader* pHeader = m_centralDir.GetAt(uIndex);
    m_storage.Flush();
    m_uWritePosition = m_storage.GetFile()->GetPosition();
    try
    {
        if (!pHeader->ReadLocal(&m_storage, m_centralDir.GetIgnoredChecks()))
            ThrowError(CZipException::badZipFile);
        if (pHeader->IsEncrypted())
        {
            CreateCryptograph(pHeader->m_uEncryptionMethod);
            if (!m_pCryptograph->BeginDecode(m_pszPassword, pHeader, &m_storage))
                ThrowError(CZipException::badPassword);
        }
        else
            ClearCryptograph();
        CreateCompressor(pHeader->m_uMethod);
        if (m_pCompressor == nullptr)
            ThrowError(CZipException::badZipFile);
    }
    catch (...)
    {
        ClearCryptograph();
        m_storage.Seek(m_uWritePosition);
        throw;
    }
    m_pCompressor->BeginDecompression(pHeader, m_pCryptograph);
    m_centralDir.SetOpenedFile(pHeader);
    m_iFileOpened = extract;
    return true;
}

DWORD CZipArchive::ReadFile(void* pBuffer, DWORD uSize)
{
    if (m_iFileOpened != extract || uSize == 0)
        return 0;
    return m_pCompressor->Decompress(pBuffer, uSize);
}

int CZipArchive::CloseFile(bool bAfterException)
{
    if (m_iFileOpened != extract)
        return 0;
    CZipFileHeader* pHeader = m_centralDir.GetOpenedFile();
    const int iIgnored = m_centralDir.GetIgnoredChecks();
    int iResult = 1;
    bool bDecompressionEnded = false;
    try
    {
        if (!bAfterException && m_pCompressor->GetUncompressedLeft() != 0)
            iResult = -1;
        else if (!bAfterException && !pHeader->m_bIgnoreCrc32 && !(iIgnored & CZipCentralDir::checkCrc) &&
                 m_pCompressor->GetCrc32() != pHeader->m_uCrc32)
            ThrowError(CZipException::badCrc);
        bDecompressionEnded = true;
        m_pCompressor->EndDecompression(bAfterException);
        if (!bAfterException)
        {
            if (m_pCryptograph != nullptr)
                m_pCryptograph->EndDecode(pHeader, &m_storage);
            if (!(iIgnored & CZipCentralDir::checkDataDescriptor) && !pHeader->ReadDataDescriptor(&m_storage))
                ThrowError(CZipException::badZipFile);
        }
    }
    catch (...)
    {
        if (!bDecompressionEnded)
            m_pCompressor->EndDecompression(true);
        ForgetExtractedFile();
        throw;
    }
    ForgetExtractedFile();
    return iResult;
}

void CZipArchive::ForgetExtractedFile()
{
    m_centralDir.SetOpenedFile(nullptr);
    m_iFileOpened = nothing;
    ClearCryptograph();
    // Writing goes on where it was.
    m_storage.Seek(m_uWritePosition);
}

void CZipArchive::MoveRange(ULONGLONG uStart, ULONGLONG uEnd, LONGLONG iShift, CZipActionCallback* pCallback,
                            ULONGLONG& uMoved)
{
    CZipAbstractFile* pFile = m_storage.GetFile();
    const ULONGLONG uBefore = m_storage.GetBytesBeforeZip();
    const bool bUp = iShift > 0;
    uMoved = 0;
    ULONGLONG uLeft = uEnd - uStart;
    while (uLeft > 0)
    {
        const DWORD uChunk = static_cast<DWORD>(std::min<ULONGLONG>(uLeft, m_iBufferSize));
        // Up from the back, down from the front, so no byte is overwritten before it moved.
        const ULONGLONG uFrom = bUp ? uStart + uLeft - uChunk : uEnd - uLeft;
        pFile->SafeSeek(uFrom + uBefore);
        if (pFile->Read(m_pBuffer, uChunk) != uChunk)
            ThrowError(CZipException::internalError);
        try
        {
            pFile->SafeSeek(uFrom + iShift + uBefore);
            pFile->Write(m_pBuffer, uChunk);
        }
        catch (...)
        {
            // A partial write may have reached the chunk's own bytes: they are still in the buffer.
            try
            {
                pFile->SafeSeek(uFrom + uBefore);
                pFile->Write(m_pBuffer, uChunk);
            }
            catch (CException* e)
            {
                e->Delete();
            }
            throw;
        }
        uLeft -= uChunk;
        uMoved += uChunk;
        if (pCallback != nullptr && !pCallback->RequestCallback(uChunk))
        {
            pCallback->CallbackEnd();
            ThrowError(CZipException::abortedAction);
        }
    }
}

void CZipArchive::MovePackedFiles(ULONGLONG uStart, ULONGLONG uEnd, LONGLONG iShift, CZipActionCallback* pCallback,
                                  bool bLastMove)
{
    m_pBuffer.Allocate(m_iBufferSize);
    ULONGLONG uMoved = 0;
    try
    {
        MoveRange(uStart, uEnd, iShift, pCallback, uMoved);
        if (bLastMove && pCallback != nullptr && !pCallback->RequestLastCallback())
        {
            pCallback->CallbackEnd();
            ThrowError(CZipException::abortedAction);
        }
    }
    catch (...)
    {
        // The bytes that moved go back, so the range is whole at its old place.
        const ULONGLONG uFirst = iShift > 0 ? uEnd - uMoved : uStart;
        try
        {
            ULONGLONG uBack = 0;
            MoveRange(uFirst + iShift, uFirst + uMoved + iShift, -iShift, nullptr, uBack);
        }
        catch (CException* e)
        {
            e->Delete();
        }
        throw;
    }
}

void CZipArchive::MakeSpaceForReplace(ULONGLONG uOffset, ULONGLONG uNeeded, LPCTSTR lpszFileName)
{
    CZipAbstractFile* pFile = m_storage.GetFile();
    const ULONGLONG uBefore = m_storage.GetBytesBeforeZip();
    const ULONGLONG uDataEnd = pFile->GetLength() - uBefore;
    ULONGLONG uSpaceEnd = uDataEnd;
    for (ULONGLONG i = 0; i < m_centralDir.GetCount(); ++i)
    {
        const ULONGLONG uOther = m_centralDir.GetAt(i)->m_uOffset;
        if (uOther > uOffset && uOther < uSpaceEnd)
            uSpaceEnd = uOther;
    }
    const LONGLONG iShift = static_cast<LONGLONG>(uNeeded - (uSpaceEnd - uOffset));
    if (iShift != 0)
    {
        CZipActionCallback* pCallback = GetCallback(CZipActionCallback::cbReplace);
        if (pCallback != nullptr)
        {
            pCallback->Init(lpszFileName, GetArchivePath());
            pCallback->SetTotal(uDataEnd - uSpaceEnd);
        }
        try
        {
            if (iShift > 0)
                pFile->SetLength(uDataEnd + iShift + uBefore);
            MovePackedFiles(uSpaceEnd, uDataEnd, iShift, pCallback);
            if (iShift < 0)
                pFile->SetLength(uDataEnd + iShift + uBefore);
        }
        catch (...)
        {
            m_pBuffer.Release();
            throw;
        }
        m_pBuffer.Release();
        for (ULONGLONG i = 0; i < m_centralDir.GetCount(); ++i)
        {
            CZipFileHeader* pHeader = m_centralDir.GetAt(i);
            if (pHeader->m_uOffset > uOffset)
                pHeader->m_uOffset += iShift;
        }
        if (pCallback != nullptr)
            pCallback->CallbackEnd();
    }
    pFile->SafeSeek(uOffset + (m_storage.GetCurrentVolume() == 0 ? uBefore : 0));
}

bool CZipArchive::CommitChanges()
{
    if (!CanModify() || m_storage.IsSegmented())
        return false;
    // Each changed entry's region, from its data to the next changed entry, moves by the
    // differences of the local headers up to it.
    CZipArray<CZipChangeInfo> changes;
    LONGLONG iTotal = 0;
    for (ULONGLONG i = 0; i < m_centralDir.GetCount(); ++i)
    {
        const CZipFileHeader* pHeader = m_centralDir.GetAt(i);
        if (!pHeader->IsModified())
            continue;
        iTotal += static_cast<LONGLONG>(pHeader->GetLocalSize()) - pHeader->m_uLocalHeaderSize;
        changes.Add({i, pHeader->m_uOffset + pHeader->m_uLocalHeaderSize, 0, iTotal});
    }
    if (changes.IsEmpty())
        return true;
    m_storage.Flush();
    CZipAbstractFile* pFile = m_storage.GetFile();
    const ULONGLONG uBefore = m_storage.GetBytesBeforeZip();
    const INT_PTR iChanges = changes.GetSize();

    // What a failure must put back: the old local headers and every offset.
    CZipArray<CZipAutoBuffer> oldHeaders;
    oldHeaders.SetSize(iChanges);
    for (INT_PTR i = 0; i < iChanges; ++i)
    {
        const CZipFileHeader* pHeader = m_centralDir.GetAt(changes[i].m_uIndex);
        oldHeaders[i].Allocate(pHeader->m_uLocalHeaderSize);
        pFile->SafeSeek(pHeader->m_uOffset + uBefore);
        if (pFile->Read(oldHeaders[i], pHeader->m_uLocalHeaderSize) != pHeader->m_uLocalHeaderSize)
            ThrowError(CZipException::internalError);
    }
    CZipArray<ULONGLONG> oldOffsets;
    for (ULONGLONG i = 0; i < m_centralDir.GetCount(); ++i)
        oldOffsets.Add(m_centralDir.GetAt(i)->m_uOffset);

    m_centralDir.PrepareForAppend();
    const ULONGLONG uDataEnd = pFile->GetLength() - uBefore;
    for (INT_PTR i = 0; i < iChanges; ++i)
        changes[i].m_uEnd = i + 1 < iChanges ? m_centralDir.GetAt(changes[i + 1].m_uIndex)->m_uOffset : uDataEnd;

    // Regions moving down go first, from the front, then those moving up, from the back: in this
    // order no region lands on bytes that have not moved yet, whatever the signs of the shifts.
    CZipArray<INT_PTR> order;
    ULONGLONG uTotalToMove = 0;
    for (INT_PTR i = 0; i < iChanges; ++i)
    {
        if (changes[i].m_iShift < 0)
            order.Add(i);
    }
    for (INT_PTR i = iChanges - 1; i >= 0; --i)
    {
        if (changes[i].m_iShift > 0)
            order.Add(i);
    }
    for (INT_PTR i = 0; i < order.GetSize(); ++i)
        uTotalToMove += changes[order[i]].m_uEnd - changes[order[i]].m_uStart;

    CZipActionCallback* pCallback = GetCallback(CZipActionCallback::cbMoveData);
    if (pCallback != nullptr)
    {
        pCallback->Init(nullptr, GetArchivePath());
        pCallback->SetTotal(uTotalToMove);
    }
    INT_PTR iMoved = 0;
    try
    {
        if (iTotal > 0)
            pFile->SetLength(uDataEnd + iTotal + uBefore);
        for (; iMoved < order.GetSize(); ++iMoved)
        {
            const CZipChangeInfo& change = changes[order[iMoved]];
            MovePackedFiles(change.m_uStart, change.m_uEnd, change.m_iShift, pCallback, iMoved + 1 == order.GetSize());
        }
        m_pBuffer.Release();
        if (iTotal < 0)
            pFile->SetLength(uDataEnd + iTotal + uBefore);
        LONGLONG iShift = 0;
        for (ULONGLONG i = 0, iChange = 0; i < m_centralDir.GetCount(); ++i)
        {
            CZipFileHeader* pHeader = m_centralDir.GetAt(i);
            if (!pHeader->IsModified())
            {
                pHeader->m_uOffset += iShift;
                continue;
            }
            pFile->SafeSeek(pHeader->m_uOffset + iShift + uBefore);
            pHeader->WriteLocal(&m_storage);
            m_storage.Flush();
            iShift = changes[static_cast<INT_PTR>(iChange++)].m_iShift;
        }
    }
    catch (...)
    {
        m_pBuffer.Allocate(m_iBufferSize);
        try
        {
            // Back to the layout before the commit, with the names on disk, and a directory for it.
            while (iMoved-- > 0)
            {
                const CZipChangeInfo& change = changes[order[iMoved]];
                MovePackedFiles(change.m_uStart + change.m_iShift, change.m_uEnd + change.m_iShift, -change.m_iShift,
                                nullptr);
            }
            for (INT_PTR i = 0; i < iChanges; ++i)
            {
                pFile->SafeSeek(oldOffsets[static_cast<INT_PTR>(changes[i].m_uIndex)] + uBefore);
                pFile->Write(oldHeaders[i], oldHeaders[i].GetSize());
            }
            pFile->SetLength(uDataEnd + uBefore);
            pFile->SafeSeek(uDataEnd + uBefore);
            for (ULONGLONG i = 0; i < m_centralDir.GetCount(); ++i)
                m_centralDir.GetAt(i)->m_uOffset = oldOffsets[static_cast<INT_PTR>(i)];
            for (INT_PTR i = 0; i < iChanges; ++i)
                m_centralDir.GetAt(changes[i].m_uIndex)->m_uLocalHeaderSize = oldHeaders[i].GetSize();
            m_centralDir.RevertChanges();
            m_centralDir.Write();
            m_storage.Flush();
        }
        catch (CException* e)
        {
            e->Delete();
        }
        m_pBuffer.Release();
        throw;
    }
    for (INT_PTR i = 0; i < iChanges; ++i)
        m_centralDir.GetAt(changes[i].m_uIndex)->CommitFileName();
    pFile->SeekToEnd();
    Finalize();
    if (pCallback != nullptr)
        pCallback->CallbackEnd();
    return true;
}

void CZipArchive::CopyData(CZipArchive& source, ULONGLONG uSize, CZipActionCallback* pCallback, bool& bStopped,
                           ULONGLONG& uCopied)
{
    m_pBuffer.Allocate(m_iBufferSize);
    while (uCopied < uSize)
    {
        const DWORD uChunk = static_cast<DWORD>(std::min<ULONGLONG>(uSize - uCopied, m_iBufferSize));
        const DWORD uRead = source.m_storage.Read(m_pBuffer, uChunk, false);
        if (uRead == 0)
            return;
        if (m_pCryptograph != nullptr)
            m_pCryptograph->Encode(m_pBuffer, uRead);
        m_storage.Write(m_pBuffer, uRead, false);
        uCopied += uRead;
        if (pCallback != nullptr && !pCallback->RequestCallback(uRead))
        {
            bStopped = true;
            return;
        }
    }
    bStopped = pCallback != nullptr && !pCallback->RequestLastCallback();
}

bool CZipArchive::CopyFirstFile(CZipArchive& source, ULONGLONG uReplaceIndex, CZipActionCallback* pCallback)
{
    if (&source == this || !IsWritable() || !source.m_storage.IsOpen() || m_iFileOpened != nothing ||
        source.m_iFileOpened != nothing || source.m_centralDir.GetCount() == 0)
        return false;
    CZipFileHeader header = *source.m_centralDir.GetAt(0);
    if (!header.ReadLocal(&source.m_storage, 0))
        source.ThrowError(CZipException::badZipFile);
    if (header.IsDataDescriptor())
    {
        if (header.m_uLocalComprSize == 0)
            header.m_uLocalComprSize = header.m_uComprSize;
        if (header.m_uLocalUncomprSize == 0)
            header.m_uLocalUncomprSize = header.m_uUncomprSize;
    }
    const ULONGLONG uToCopy = header.m_uComprSize;
    // The header gets its encryption bytes counted again when it is prepared.
    const DWORD uEncrypted = header.GetEncryptedInfoSize();
    if (header.m_uLocalComprSize >= uEncrypted)
        header.m_uLocalComprSize -= uEncrypted;

    int iLevel = -1;
    if (header.m_uMethod == CZipCompressor::methodStore)
        iLevel = 0;
    else if ((header.m_uFlag & 6) == 6)
        iLevel = 1;
    else if (header.m_uFlag & 4)
        iLevel = 2;
    else if (header.m_uFlag & 2)
        iLevel = 9;

    if (!header.IsEncrypted() && IsEncryptionActive())
    {
        header.m_uEncryptionMethod = static_cast<BYTE>(m_iEncryptionMethod);
        CreateCryptograph(m_iEncryptionMethod);
    }
    else
        ClearCryptograph();

    const bool bReplace = m_centralDir.IsValidIndex(uReplaceIndex);
    m_centralDir.PrepareForAppend();
    const ULONGLONG uOldOffset = bReplace ? m_centralDir.GetAt(uReplaceIndex)->m_uOffset : 0;
    CZipFileHeader* pHeader = m_centralDir.AddNewFile(header, uReplaceIndex, iLevel, true);
    if (bReplace)
        MakeSpaceForReplace(uOldOffset,
                            pHeader->GetLocalSize() +
                                (m_pCryptograph != nullptr ? pHeader->GetEncryptedInfoSize() : 0) + uToCopy +
                                pHeader->GetDataDescriptorSize(true),
                            pHeader->GetFileName());
    if (pCallback != nullptr)
    {
        pCallback->Init(pHeader->GetFileName(), GetArchivePath());
        pCallback->SetTotal(uToCopy);
    }
    pHeader->WriteLocal(&m_storage);
    if (m_pCryptograph != nullptr)
        m_pCryptograph->BeginEncode(m_pszPassword, pHeader, &m_storage);
    else
        pHeader->m_uComprSize = uToCopy;

    bool bStopped = false;
    ULONGLONG uCopied = 0;
    try
    {
        CopyData(source, uToCopy, pCallback, bStopped, uCopied);
    }
    catch (...)
    {
        m_pBuffer.Release();
        throw;
    }
    m_pBuffer.Release();
    const auto Complete = [&] {
        if (m_pCryptograph != nullptr)
            m_pCryptograph->EndEncode(pHeader, &m_storage);
        if (pHeader->IsDataDescriptor())
            pHeader->WriteDataDescriptor(&m_storage);
        m_storage.Flush();
        ClearCryptograph();
    };
    if (bStopped)
    {
        pCallback->CallbackEnd();
        if (uCopied == uToCopy)
        {
            Complete();
            ThrowError(CZipException::abortedSafely);
        }
        ClearCryptograph();
        if (bReplace)
        {
            RemoveReplacingFile(pHeader);
            ThrowError(CZipException::abortedAction);
        }
        m_centralDir.RemoveLastFile(pHeader);
        ThrowError(CZipException::abortedSafely);
    }
    Complete();
    if (uCopied != uToCopy)
        ThrowError(CZipException::badZipFile);
    if (pCallback != nullptr)
        pCallback->CallbackEnd();
    return true;
}

bool CZipArchive::AddThroughTempArchive(CZipAddRequest& request, bool bCheckEfficiency, ULONGLONG uSize, bool& bResult)
{
    std::unique_ptr<CZipMemFile> pMemFile;
    CString szTempPath;
    if (request.m_iSmartness & CZipAddRequest::smMemoryTempArchive)
        pMemFile = std::make_unique<CZipMemFile>(1024);
    else
    {
        szTempPath = ZipPlatform::MakeTempFileName(nullptr, uSize);
        if (szTempPath.IsEmpty())
            return false;
    }
    bResult = false;
    CZipArchive temp;
    try
    {
        if (pMemFile != nullptr)
            temp.m_storage.Open(*pMemFile);
        else
            temp.m_storage.Open(szTempPath);
        temp.ResetAfterOpen(m_iArchiveSystCompatib);
        temp.m_szRootPath = m_szRootPath;
        temp.m_pszPassword = m_pszPassword;
        temp.m_iEncryptionMethod = m_iEncryptionMethod;
        temp.SetCallback(GetCallback(CZipActionCallback::cbAdd), CZipActionCallback::cbAdd | 0x1001);

        CZipAddRequest tempRequest(request);
        tempRequest.m_iSmartness = 0;
        tempRequest.m_uReplaceIndex = CZipCentralDir::s_uNoIndex;
        if (temp.AddFileByRequest(tempRequest))
        {
            if (bCheckEfficiency && temp.RemoveLastFile(false))
            {
                CZipAddRequest plain(request);
                plain.m_iComprLevel = 0;
                plain.m_iSmartness = CZipAddRequest::smEfficiencyReAdd;
                bResult = AddFileByRequest(plain);
            }
            else
            {
                temp.m_storage.Flush();
                bResult = CopyFirstFile(temp, request.m_uReplaceIndex, GetCallback(CZipActionCallback::cbAddTmp));
            }
        }
    }
    catch (...)
    {
        temp.Close(afAfterException);
        if (!szTempPath.IsEmpty())
            ::DeleteFile(szTempPath);
        throw;
    }
    temp.Close(bResult ? afNoException : afAfterException);
    if (!szTempPath.IsEmpty())
        ::DeleteFile(szTempPath);
    return true;
}
