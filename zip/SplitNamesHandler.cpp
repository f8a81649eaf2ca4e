#include <zip/SplitNamesHandler.h>

CString CZipRegularSplitNamesHandler::GetVolumeName(const CString& szArchivePath, DWORD uVolume, bool bLast) const
{
    if (bLast)
        return szArchivePath;
    CString szName = szArchivePath;
    const int iDot = szName.ReverseFind(_T('.'));
    if (iDot > szName.ReverseFind(_T('\\')) && iDot > szName.ReverseFind(_T('/')))
        szName.Truncate(iDot);
    szName.AppendFormat(_T(".z%02u"), uVolume + 1);
    return szName;
}

CString CZipBinSplitNamesHandler::GetVolumeName(const CString& szArchivePath, DWORD uVolume, bool) const
{
    CString szName;
    szName.Format(_T("%s.%03u"), static_cast<LPCTSTR>(szArchivePath), uVolume + 1);
    return szName;
}
