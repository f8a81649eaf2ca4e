#include <afx.h>

CFileTime WINAPI CFileTime::GetCurrentTime() noexcept
{
    CFileTime ft;
    ::GetSystemTimeAsFileTime(&ft);
    return ft;
}

CFileTime CFileTime::UTCToLocal() const
{
    CFileTime ftLocal;
    if (!::FileTimeToLocalFileTime(this, &ftLocal))
        AfxThrowInvalidArgException();
    return ftLocal;
}

CFileTime CFileTime::LocalToUTC() const
{
    CFileTime ftUtc;
    if (!::LocalFileTimeToFileTime(this, &ftUtc))
        AfxThrowInvalidArgException();
    return ftUtc;
}
