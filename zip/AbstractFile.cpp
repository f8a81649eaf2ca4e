#include <zip/AbstractFile.h>

#include <limits>

bool CZipAbstractFile::Open(LPCTSTR, UINT, bool)
{
    return false;
}

void CZipAbstractFile::SeekToBegin()
{
    Seek(0, begin);
}

ULONGLONG CZipAbstractFile::SeekToEnd()
{
    return Seek(0, end);
}

ULONGLONG CZipAbstractFile::SafeSeek(ULONGLONG uOffset, bool bFromBeginning)
{
    if (uOffset > static_cast<ULONGLONG>(std::numeric_limits<LONGLONG>::max()))
    {
        uOffset = GetLength() - uOffset;
        bFromBeginning = !bFromBeginning;
    }
    return bFromBeginning ? Seek(static_cast<LONGLONG>(uOffset), begin) : Seek(-static_cast<LONGLONG>(uOffset), end);
}
