// The platform services of the zip library. They report failure by their result, never by
// throwing.
#pragma once

#include <afx.h>

class CZipAutoBuffer;

namespace ZipPlatform
{
// Total free bytes of the disk that holds the path, or 0 when it cannot be told.
ULONGLONG GetDeviceFreeSpace(LPCTSTR lpszPath);

// Creates an empty temporary file ("ZAR" prefix) in lpszDirectory when it is given and has
// uSizeNeeded bytes free, else in the system's temporary directory, else in the current
// directory. Returns its path, or an empty string when no place has the room.
CString MakeTempFileName(LPCTSTR lpszDirectory = nullptr, ULONGLONG uSizeNeeded = 0);

bool GetCurrentDirectory(CString& szDirectory);

// Last write time in seconds since 1970-01-01 UTC; the current time when there is none.
__time64_t GetFileModificationTime(LPCTSTR lpszFileName);

// False when the file cannot be opened.
bool GetFileSize(LPCTSTR lpszFileName, ULONGLONG& uSize);

// Sets the label of the volume that holds the path.
bool SetDriveLabel(LPCTSTR lpszPath, LPCTSTR lpszLabel);

// Code pages: CP_ACP (0), CP_OEMCP (1) or CP_UTF8 (65001). No terminator is stored.
// Returns the byte count, 0 for an empty text, or -1 on failure; the buffer is released in both.
int WideToMultiByte(LPCWSTR lpszIn, CZipAutoBuffer& szOut, UINT uCodePage);
// Returns the character count, 0 for an empty buffer, or -1 on failure.
int MultiByteToWide(const CZipAutoBuffer& szIn, CString& szOut, UINT uCodePage);
} // namespace ZipPlatform
