// CZipVolumeCallback: asked by a storage for the next volume of a split or spanned archive.
#pragma once

#include <afx.h>

class CZipVolumeCallback
{
public:
    enum Reason
    {
        volumeNeeded = 1,   // a new volume (disk) is needed
        fileExists = 2,     // a file of the volume's name exists and is not a directory
        cannotSetLabel = 3, // the disk's volume label could not be set
        cannotCreate = 4,   // the volume file could not be created
    };

    virtual ~CZipVolumeCallback() = default;

    // Answers true to go on, false to abort.
    virtual bool Callback(ULONGLONG uBytesNeeded) = 0;

    CString m_szExternalFile;  // the volume's file name
    DWORD m_uVolumeNeeded = 0; // counted from 1
    int m_iCode = volumeNeeded;
};
