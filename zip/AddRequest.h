// CZipAddRequest: the arguments of one call of CZipArchive::AddFileByRequest.
#pragma once

#include <afx.h>

class CZipAbstractFile;

class CZipAddRequest
{
public:
    // Bits of m_iSmartness.
    enum Smartness
    {
        smPlainDirectory = 0x1,     // directory entries are never encrypted
        smPlainEmptyFile = 0x2,     // nor are empty files
        smStoreSmallFile = 0x4,     // sources under 5 bytes are stored
        smCheckEfficiency = 0x8,    // an entry that would not shrink is stored instead
        smMemoryTempArchive = 0x10, // the check's temporary archive lives in memory
        smEfficiencyReAdd = 0xF000, // the stored re-add made by the check
        smDefault = smPlainDirectory | smPlainEmptyFile | smStoreSmallFile,
    };

    CZipAddRequest(LPCTSTR lpszFilePath, bool bFullPath) : m_szFilePath(lpszFilePath), m_bFullPath(bFullPath)
    {
    }

    CZipAbstractFile* m_pFile = nullptr; // an open source; the path is opened when null
    CString m_szFilePath;
    CString m_szFileNameInZip; // predicted from the path when empty
    bool m_bFullPath;
    int m_iComprLevel = -1;
    int m_iSmartness = smDefault;
    ULONGLONG m_uReplaceIndex = ~0ULL;
    DWORD m_nBufSize = 65536;
};
