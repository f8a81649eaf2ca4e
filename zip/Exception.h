// CZipException: the one exception type of the zip library.
#pragma once

#include <afx.h>

class CZipException : public CException
{
    DECLARE_DYNAMIC(CZipException)
public:
    // Codes 1-30 are the C library's error numbers; the library's own follow.
    enum ZipErrors
    {
        noError = 0,
        genericError = 100,
        badZipFile = 101,
        badCrc = 102,
        noCallback = 103,
        noVolumeSize = 104,
        aborted = 105,
        abortedAction = 106,
        abortedSafely = 107,
        nonRemovable = 108,
        tooManyVolumes = 109,
        tooManyFiles = 110,
        tooLongData = 111,
        tooBigSize = 112,
        badPassword = 113,
        dirWithSize = 114,
        internalError = 115,
        fileError = 116,
        notRemoved = 117,
        notRenamed = 118,
        platformNotSupported = 119,
        cdirNotFound = 120,
        noZip64 = 121,
        noBytesBeforeInZip64 = 122,
        badAesAuthCode = 123,
        noZip64Support = 124,
        noAesSupport = 125,
        // zlib results, mapped by the compressors
        streamEnd = 500,
        needDict = 501,
        errNo = 502,
        streamError = 503,
        dataError = 504,
        memError = 505,
        bufError = 506,
        versionError = 507,
        // bzip2 results
        bzSequenceError = 600,
        bzParamError = 601,
        bzMemError = 602,
        bzDataError = 603,
        bzDataErrorMagic = 604,
        bzIoError = 605,
        bzUnexpectedEof = 606,
        bzOutbuffFull = 607,
        bzConfigError = 608,
        bzInternalError = 609,
    };

    // Captures the thread's last system error.
    explicit CZipException(int iCause = genericError, LPCTSTR lpszZipName = nullptr);

    // Every throw of the library goes through here.
    [[noreturn]] static void Throw(int iCause = genericError, LPCTSTR lpszZipName = nullptr);

    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

    // The text of this exception's cause, with the system error captured at construction.
    CString GetErrorDescription() const;
    // The text of a code with the thread's current system error.
    static CString GetCodeDescription(int iCode, bool bNoSystemText);
    // The text of the thread's last system error, or of errno when there is none.
    static CString GetLastErrorText();

    CString m_szFileName; // the archive or file concerned, or empty
    int m_iCause;
    DWORD m_uSystemError;

private:
    static CString Describe(int iCode, bool bNoSystemText, DWORD uSystemError);
    static CString SystemErrorText(DWORD uSystemError);
};
