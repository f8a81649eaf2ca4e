#include <zip/Platform.h>

#include <zip/AutoBuffer.h>
#include <zip/File.h>
#include <zip/PathComponent.h>

#include <time.h>

namespace
{
// Seconds from 1601-01-01 (FILETIME) to 1970-01-01, in 100-ns units.
const ULONGLONG kUnixEpochAsFileTime = 116444736000000000ULL;

bool HasFreeSpace(LPCTSTR lpszDirectory, ULONGLONG uSizeNeeded)
{
    return uSizeNeeded == 0 || ZipPlatform::GetDeviceFreeSpace(lpszDirectory) >= uSizeNeeded;
}

CString TempPath()
{
    TCHAR szPath[MAX_PATH + 1];
    const DWORD uLength = ::GetTempPath(MAX_PATH + 1, szPath);
    return uLength == 0 || uLength > MAX_PATH ? CString() : CString(szPath, static_cast<int>(uLength));
}
} // namespace

namespace ZipPlatform
{
ULONGLONG GetDeviceFreeSpace(LPCTSTR lpszPath)
{
    CString szDrive = CZipPathComponent(lpszPath).GetFileDrive();
    ULARGE_INTEGER uFree;
    if (::GetDiskFreeSpaceEx(szDrive, nullptr, nullptr, &uFree))
        return uFree.QuadPart;
    szDrive.TrimRight(_T("\\/"));
    szDrive += _T('\\');
    return ::GetDiskFreeSpaceEx(szDrive, nullptr, nullptr, &uFree) ? uFree.QuadPart : 0;
}

CString MakeTempFileName(LPCTSTR lpszDirectory, ULONGLONG uSizeNeeded)
{
    CString szDirectory(lpszDirectory);
    if (szDirectory.IsEmpty() || !HasFreeSpace(szDirectory, uSizeNeeded))
    {
        szDirectory = TempPath();
        if (szDirectory.IsEmpty() || !HasFreeSpace(szDirectory, uSizeNeeded))
        {
            if (!GetCurrentDirectory(szDirectory) || !HasFreeSpace(szDirectory, uSizeNeeded))
                return CString();
        }
    }
    TCHAR szName[MAX_PATH];
    return ::GetTempFileName(szDirectory, _T("ZAR"), 0, szName) != 0 ? CString(szName) : CString();
}

bool GetCurrentDirectory(CString& szDirectory)
{
    const DWORD uSize = ::GetCurrentDirectoryW(0, nullptr);
    if (uSize == 0)
        return false;
    const DWORD uLength = ::GetCurrentDirectoryW(uSize, szDirectory.GetBuffer(static_cast<int>(uSize)));
    szDirectory.ReleaseBuffer(uLength < uSize ? static_cast<int>(uLength) : 0);
    return uLength != 0 && uLength < uSize;
}

__time64_t GetFileModificationTime(LPCTSTR lpszFileName)
{
    WIN32_FIND_DATA findData;
    HANDLE hFind = ::FindFirstFile(lpszFileName, &findData);
    if (hFind == INVALID_HANDLE_VALUE)
        return _time64(nullptr);
    ::FindClose(hFind);
    ULARGE_INTEGER uTime;
    uTime.LowPart = findData.ftLastWriteTime.dwLowDateTime;
    uTime.HighPart = findData.ftLastWriteTime.dwHighDateTime;
    if (uTime.QuadPart <= kUnixEpochAsFileTime)
        return _time64(nullptr);
    return static_cast<__time64_t>((uTime.QuadPart - kUnixEpochAsFileTime) / 10000000);
}

bool GetFileSize(LPCTSTR lpszFileName, ULONGLONG& uSize)
{
    CZipFile file;
    if (!file.Open(lpszFileName, CZipFile::modeReadSize, false))
        return false;
    try
    {
        uSize = file.GetLength();
        return true;
    }
    catch (CException* e)
    {
        e->Delete();
        return false;
    }
}

bool SetDriveLabel(LPCTSTR lpszPath, LPCTSTR lpszLabel)
{
    CString szRoot = CZipPathComponent(lpszPath).GetFileDrive();
    szRoot.TrimRight(_T("\\/"));
    szRoot += _T('\\');
    return ::SetVolumeLabel(szRoot, lpszLabel) != FALSE;
}

int WideToMultiByte(LPCWSTR lpszIn, CZipAutoBuffer& szOut, UINT uCodePage)
{
    const int iLength = lpszIn == nullptr ? 0 : lstrlenW(lpszIn);
    if (iLength == 0)
    {
        szOut.Release();
        return 0;
    }
    const int iSize = ::WideCharToMultiByte(uCodePage, 0, lpszIn, iLength, nullptr, 0, nullptr, nullptr);
    if (iSize <= 0)
    {
        szOut.Release();
        return -1;
    }
    szOut.Allocate(static_cast<DWORD>(iSize));
    if (::WideCharToMultiByte(uCodePage, 0, lpszIn, iLength, szOut, iSize, nullptr, nullptr) != iSize)
    {
        szOut.Release();
        return -1;
    }
    return iSize;
}

int MultiByteToWide(const CZipAutoBuffer& szIn, CString& szOut, UINT uCodePage)
{
    szOut.Empty();
    const int iSize = static_cast<int>(szIn.GetSize());
    if (iSize == 0)
        return 0;
    const int iLength = ::MultiByteToWideChar(uCodePage, 0, szIn, iSize, nullptr, 0);
    if (iLength <= 0)
        return -1;
    const int iResult = ::MultiByteToWideChar(uCodePage, 0, szIn, iSize, szOut.GetBuffer(iLength), iLength);
    szOut.ReleaseBuffer(iResult == iLength ? iLength : 0);
    return iResult == iLength ? iLength : -1;
}
} // namespace ZipPlatform
