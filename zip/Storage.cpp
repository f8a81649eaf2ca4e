#include <zip/Storage.h>

#include <zip/Exception.h>
#include <zip/Platform.h>
#include <zip/SplitNamesHandler.h>
#include <zip/VolumeCallback.h>

#include <algorithm>
#include <cstring>

namespace
{
const DWORD kNoVolume = 0xFFFFFFFF;
const DWORD kMaxVolume = 0xFFFFFFFD;

bool FileExists(LPCTSTR lpszPath)
{
    return ::GetFileAttributes(lpszPath) != INVALID_FILE_ATTRIBUTES;
}

bool IsExistingFile(LPCTSTR lpszPath)
{
    const DWORD uAttributes = ::GetFileAttributes(lpszPath);
    return uAttributes != INVALID_FILE_ATTRIBUTES && !(uAttributes & FILE_ATTRIBUTE_DIRECTORY);
}
} // namespace

CZipStorage::CZipStorage() : m_uCurrentVolume(kNoVolume), m_iWriteBufferSize(65536)
{
}

CZipStorage::~CZipStorage()
{
    DropSplitNames();
}

void CZipStorage::DropSplitNames()
{
    if (m_bOwnsSplitNames)
        delete m_pSplitNames;
    m_pSplitNames = nullptr;
    m_bOwnsSplitNames = false;
}

void CZipStorage::PrepareWriteBuffer()
{
    m_pWriteBuffer.Allocate(m_iWriteBufferSize);
    m_uBytesInWriteBuffer = 0;
}

void CZipStorage::Open(LPCTSTR lpszPath)
{
    PrepareWriteBuffer();
    m_iMode = modeOpened | modeOwnsFile;
    m_pFile = &m_internalFile;
    m_szArchiveName = lpszPath;
    m_pCallback = nullptr;
    m_uCurrentVolume = 0;
    m_internalFile.Open(lpszPath, CZipFile::modeCreateArchive, true);
}

void CZipStorage::Open(CZipAbstractFile& file)
{
    PrepareWriteBuffer();
    m_iMode = modeOpened;
    m_pFile = &file;
    m_szArchiveName = file.GetFilePath();
    m_uCurrentVolume = 0;
    file.SetLength(0);
}

void CZipStorage::OpenSplit(LPCTSTR lpszPath, ULONGLONG uVolumeSize, bool bBinary, CZipVolumeCallback* pCallback,
                            CZipSplitNamesHandler* pSplitNames)
{
    if (uVolumeSize == 0)
        CZipException::Throw(CZipException::noVolumeSize, lpszPath);
    m_uSplitData = uVolumeSize;
    m_bOwnsSplitNames = pSplitNames == nullptr;
    if (m_bOwnsSplitNames)
        pSplitNames = bBinary ? static_cast<CZipSplitNamesHandler*>(new CZipBinSplitNamesHandler)
                              : new CZipRegularSplitNamesHandler;
    m_pSplitNames = pSplitNames;
    OpenSegmented(lpszPath, modeSplit | (bBinary ? modeBinary : 0), pCallback);
}

void CZipStorage::OpenSpanned(LPCTSTR lpszPath, CZipVolumeCallback* pCallback)
{
    OpenSegmented(lpszPath, modeSpanned, pCallback);
}

void CZipStorage::OpenSegmented(LPCTSTR lpszPath, int iMode, CZipVolumeCallback* pCallback)
{
    PrepareWriteBuffer();
    m_iMode = modeOpened | modeOwnsFile | modeSegmented | iMode;
    m_pFile = &m_internalFile;
    m_szArchiveName = lpszPath;
    m_pCallback = pCallback;
    m_uCurrentVolume = 0;
    m_uBytesWritten = 0;
    m_aVolumeSizes.RemoveAll();
    CreateNextVolume(sizeof(s_uSegmentedSignature));
    Write(&s_uSegmentedSignature, sizeof(s_uSegmentedSignature), true);
}

void CZipStorage::Write(const void* pBuf, DWORD iSize, bool bAtOnce)
{
    const char* pBytes = static_cast<const char*>(pBuf);
    if (!IsSegmented())
    {
        WriteInternal(pBytes, iSize);
        return;
    }
    const DWORD uUnit = bAtOnce && !IsBinarySplit() ? iSize : 1;
    while (iSize > 0)
    {
        EnsureFreeSpace(uUnit);
        const DWORD uChunk = static_cast<DWORD>(std::min<ULONGLONG>(GetVolumeFreeSpace(), iSize));
        WriteInternal(pBytes, uChunk);
        pBytes += uChunk;
        iSize -= uChunk;
    }
}

void CZipStorage::WriteInternal(const char* pBuf, DWORD iSize)
{
    while (iSize > 0)
    {
        if (m_uBytesInWriteBuffer == m_iWriteBufferSize)
            Flush();
        const DWORD uChunk = std::min(m_iWriteBufferSize - m_uBytesInWriteBuffer, iSize);
        memcpy(m_pWriteBuffer.GetBuffer() + m_uBytesInWriteBuffer, pBuf, uChunk);
        m_uBytesInWriteBuffer += uChunk;
        pBuf += uChunk;
        iSize -= uChunk;
    }
}

void CZipStorage::Flush()
{
    if (m_uBytesInWriteBuffer != 0)
    {
        m_pFile->Write(m_pWriteBuffer, m_uBytesInWriteBuffer);
        if (IsSegmented())
            m_uBytesWritten += m_uBytesInWriteBuffer;
        m_uBytesInWriteBuffer = 0;
    }
    if (IsSpanned())
        m_uCurrentVolSize = ReadDeviceFreeSpace();
}

ULONGLONG CZipStorage::GetPosition() const
{
    ULONGLONG uPosition = m_pFile->GetPosition() + m_uBytesInWriteBuffer;
    if (m_uCurrentVolume == 0)
        uPosition -= m_uBytesBeforeZip;
    else if (IsBinarySplit())
        uPosition += GetVolumeStart(m_uCurrentVolume);
    return uPosition;
}

ULONGLONG CZipStorage::GetVolumeFreeSpace() const
{
    const ULONGLONG uUsed = m_uBytesInWriteBuffer + (IsSplit() ? m_uBytesWritten : 0);
    return m_uCurrentVolSize > uUsed ? m_uCurrentVolSize - uUsed : 0;
}

void CZipStorage::EnsureFreeSpace(ULONGLONG uNeeded)
{
    while (GetVolumeFreeSpace() < uNeeded)
    {
        // A block larger than a whole volume goes into an empty volume of its own.
        if (IsSplit() && m_uBytesWritten == 0 && m_uBytesInWriteBuffer == 0)
            m_uCurrentVolSize = uNeeded;
        else
            CreateNextVolume(uNeeded);
    }
}

ULONGLONG CZipStorage::ReadDeviceFreeSpace() const
{
    return ZipPlatform::GetDeviceFreeSpace(m_szArchiveName);
}

CString CZipStorage::GetSplitVolumeName(DWORD uVolume, bool bLast) const
{
    return m_pSplitNames->GetVolumeName(m_szArchiveName, uVolume, bLast);
}

void CZipStorage::CallCallback(ULONGLONG uNeeded, int iCode, const CString& szFileName)
{
    if (m_pCallback == nullptr)
        ThrowError(CZipException::internalError);
    m_pCallback->m_szExternalFile = szFileName;
    m_pCallback->m_uVolumeNeeded = m_uCurrentVolume + 1;
    m_pCallback->m_iCode = iCode;
    if (!m_pCallback->Callback(uNeeded))
        CZipException::Throw(CZipException::aborted, szFileName);
}

void CZipStorage::CloseVolumeFile()
{
    if (!m_pFile->IsClosed())
    {
        m_pFile->Flush();
        m_pFile->Close();
    }
}

void CZipStorage::CreateNextVolume(ULONGLONG uNeeded)
{
    Flush();
    // A volume left empty is created again rather than counted.
    if (m_uBytesWritten != 0)
    {
        if (m_uCurrentVolume >= kMaxVolume)
            ThrowError(CZipException::tooManyVolumes);
        if (IsBinarySplit())
            m_aVolumeSizes.Add(m_pFile->GetLength());
        ++m_uCurrentVolume;
        m_uBytesWritten = 0;
    }
    const CString szName = IsSpanned() ? m_szArchiveName : GetSplitVolumeName(m_uCurrentVolume, false);
    CloseVolumeFile();
    if (m_pCallback != nullptr)
    {
        CString szLabel;
        szLabel.Format(_T("pkback# %.3d"), static_cast<int>(m_uCurrentVolume + 1));
        for (int iCode = CZipVolumeCallback::volumeNeeded;;)
        {
            CallCallback(uNeeded, iCode, szName);
            if (IsExistingFile(szName))
                iCode = CZipVolumeCallback::fileExists;
            else if (IsSpanned() && !ZipPlatform::SetDriveLabel(szName, szLabel))
                iCode = CZipVolumeCallback::cannotSetLabel;
            else if (!m_internalFile.Open(szName, CZipFile::modeCreateArchive, false))
                iCode = CZipVolumeCallback::cannotCreate;
            else
                break;
        }
    }
    else
    {
        if (IsSpanned())
            ThrowError(CZipException::internalError);
        m_internalFile.Open(szName, CZipFile::modeCreateArchive, true);
    }
    m_uCurrentVolSize = IsSplit() ? m_uSplitData : ReadDeviceFreeSpace();
}

void CZipStorage::ChangeVolume(DWORD uNumber)
{
    if (uNumber == m_uCurrentVolume || !IsSegmented())
        return;
    m_pFile->Close();
    m_uCurrentVolume = uNumber;
    if (IsSpanned())
    {
        do
            CallCallback(0, CZipVolumeCallback::volumeNeeded, m_szArchiveName);
        while (!m_internalFile.Open(m_szArchiveName, CZipFile::modeReadExisting, false));
    }
    else
        m_internalFile.Open(GetSplitVolumeName(uNumber, uNumber == GetLastVolume()), CZipFile::modeReadExisting, true);
}

DWORD CZipStorage::Read(void* pBuf, DWORD iSize, bool bAtOnce)
{
    char* pBytes = static_cast<char*>(pBuf);
    // Only a finished archive knows its last volume; reading never runs beyond it.
    const auto NextVolume = [this] {
        if (!IsExistingSegmented() || m_uCurrentVolume >= GetLastVolume())
            ThrowError(CZipException::badZipFile);
        ChangeVolume(m_uCurrentVolume + 1);
    };
    DWORD uRead = m_pFile->Read(pBytes, iSize);
    if (uRead == 0 && iSize != 0 && IsSegmented())
    {
        NextVolume();
        uRead = m_pFile->Read(pBytes, iSize);
    }
    if (uRead < iSize)
    {
        if (!IsSegmented() || (bAtOnce && !IsBinarySplit()))
            ThrowError(CZipException::badZipFile);
        while (uRead < iSize)
        {
            NextVolume();
            uRead += m_pFile->Read(pBytes + uRead, iSize - uRead);
        }
    }
    return uRead;
}

CString CZipStorage::RenameLastVolume(const CString& szFinalName)
{
    const CString szVolume = m_pFile->GetFilePath();
    CloseVolumeFile();
    if (AfxGetFullPath(szFinalName).CompareNoCase(szVolume) == 0)
        return szFinalName;
    if (m_pCallback != nullptr)
    {
        CallCallback(0, CZipVolumeCallback::volumeNeeded, szFinalName);
        while (FileExists(szFinalName))
            CallCallback(0, CZipVolumeCallback::fileExists, szFinalName);
    }
    else if (FileExists(szFinalName) && !::DeleteFile(szFinalName))
        CZipException::Throw(CZipException::notRemoved, szFinalName);
    if (!::MoveFile(szVolume, szFinalName))
        CZipException::Throw(CZipException::notRenamed, szVolume);
    return szFinalName;
}

CString CZipStorage::Close(bool bWrite, bool bGetPath)
{
    CString szPath;
    bool bRenamed = false;
    if (m_pFile != nullptr)
    {
        if (bWrite)
        {
            Flush();
            if (IsSplit() && !(m_iMode & modeExisting))
            {
                szPath = RenameLastVolume(GetSplitVolumeName(m_uCurrentVolume, true));
                bRenamed = true;
            }
        }
        if (!bRenamed)
        {
            if (bGetPath)
                szPath = IsSplit() && (m_iMode & modeExisting) ? GetSplitVolumeName(GetLastVolume(), true)
                                                               : m_pFile->GetFilePath();
            // An existing archive is open for reading only.
            if (bWrite && !(m_iMode & modeExisting) && !m_pFile->IsClosed())
                m_pFile->Flush();
            if (m_iMode & modeOwnsFile)
                m_pFile->Close();
        }
    }
    m_pWriteBuffer.Release();
    m_uBytesInWriteBuffer = 0;
    m_uBytesWritten = 0;
    m_uCurrentVolume = kNoVolume;
    m_iMode = 0;
    m_uBytesBeforeZip = 0;
    m_uSplitData = 0;
    m_uCurrentVolSize = 0;
    m_pFile = nullptr;
    m_pCallback = nullptr;
    DropSplitNames();
    m_aVolumeSizes.RemoveAll();
    return szPath;
}

void CZipStorage::FinishSegmentation()
{
    Flush();
    const bool bSingleVolume = m_uCurrentVolume == 0;
    if (IsBinarySplit() && !bSingleVolume)
        m_aVolumeSizes.Add(m_pFile->GetLength());
    CString szPath;
    if (!IsSplit())
    {
        szPath = m_pFile->GetFilePath();
        CloseVolumeFile();
    }
    else
    {
        // A single volume is the whole archive and takes the archive's own name.
        szPath = RenameLastVolume(bSingleVolume ? m_szArchiveName : GetSplitVolumeName(m_uCurrentVolume, true));
    }
    m_iMode |= modeExisting;
    if (bSingleVolume)
    {
        m_iMode &= ~modeSegmentationMask;
        DropSplitNames();
        m_aVolumeSizes.RemoveAll();
    }
    else
        m_uSplitData = m_uCurrentVolume;
    m_internalFile.Open(szPath, IsSegmented() ? CZipFile::modeReadWriteExisting : CZipFile::modeReadExisting, true);
}

void CZipStorage::CutVolume(ULONGLONG uLength)
{
    m_pFile->SetLength(uLength);
    m_pFile->SeekToEnd();
    m_uBytesWritten = uLength;
}

ULONGLONG CZipStorage::GetVolumeSize(DWORD uVolume) const
{
    return uVolume < static_cast<DWORD>(m_aVolumeSizes.GetSize()) ? m_aVolumeSizes[uVolume] : m_pFile->GetLength();
}

ULONGLONG CZipStorage::GetVolumeStart(DWORD uVolume) const
{
    ULONGLONG uStart = 0;
    for (DWORD i = 0; i < uVolume; ++i)
        uStart += m_aVolumeSizes[i];
    return uStart;
}

void CZipStorage::Seek(ULONGLONG uOffset)
{
    Flush();
    if (!IsBinarySplit())
    {
        m_pFile->SafeSeek(uOffset);
        return;
    }
    const DWORD uLast = (m_iMode & modeExisting) ? GetLastVolume() : m_uCurrentVolume;
    DWORD uVolume = m_uCurrentVolume;
    ULONGLONG uStart = GetVolumeStart(uVolume);
    while (uOffset < uStart)
    {
        --uVolume;
        uStart -= m_aVolumeSizes[uVolume];
    }
    while (uVolume < uLast && uOffset >= uStart + GetVolumeSize(uVolume))
        uStart += GetVolumeSize(uVolume++);
    if (uOffset > uStart + GetVolumeSize(uVolume))
        ThrowError(CZipException::genericError);
    ChangeVolume(uVolume);
    m_pFile->SafeSeek(uOffset - uStart);
}

void CZipStorage::ThrowError(int iError) const
{
    CZipException::Throw(iError, m_pFile != nullptr && !m_pFile->IsClosed() ? m_pFile->GetFilePath() : m_szArchiveName);
}
