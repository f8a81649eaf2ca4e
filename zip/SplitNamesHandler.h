// The names of the volumes of a split archive, built from the archive's path.
#pragma once

#include <afx.h>

class CZipSplitNamesHandler
{
public:
    virtual ~CZipSplitNamesHandler() = default;
    // uVolume counts from 0; bLast asks for the name the last volume has once it is finished.
    virtual CString GetVolumeName(const CString& szArchivePath, DWORD uVolume, bool bLast) const = 0;
};

// "name.z01", "name.z02", ... and the archive's own path for the last volume.
class CZipRegularSplitNamesHandler : public CZipSplitNamesHandler
{
public:
    CString GetVolumeName(const CString& szArchivePath, DWORD uVolume, bool bLast) const override;
};

// "name.zip.001", "name.zip.002", ... for every volume, the last one included.
class CZipBinSplitNamesHandler : public CZipSplitNamesHandler
{
public:
    CString GetVolumeName(const CString& szArchivePath, DWORD uVolume, bool bLast) const override;
};
