#include <zip/Exception.h>

#include <cerrno>

IMPLEMENT_DYNAMIC(CZipException, CException)

namespace
{
struct CodeText
{
    int iCode;
    LPCTSTR lpszText;
};

const TCHAR kUnspecified[] = _T("Unspecified error");

// The C library's error numbers that have a text of their own.
const CodeText kErrnoTexts[] = {
    {1, _T("Not super-user.")},
    {2, _T("No such file or directory.")},
    {4, _T("Interrupted system call.")},
    {5, _T("I/O error.")},
    {6, _T("No such device or address.")},
    {9, _T("Bad file number.")},
    {12, _T("Not enough space.")},
    {13, _T("Permission denied.")},
    {14, _T("Bad address.")},
    {17, _T("File exists.")},
    {18, _T("Cross-device link.")},
    {19, _T("No such device.")},
    {20, _T("Not a directory.")},
    {21, _T("Is a directory.")},
    {22, _T("Invalid argument.")},
    {23, _T("File table overflow.")},
    {24, _T("Too many open files.")},
    {27, _T("File too large.")},
    {28, _T("No space left on device.")},
    {29, _T("Illegal seek.")},
    {30, _T("Read-only file system.")},
};

const CodeText kLibraryTexts[] = {
    {CZipException::badZipFile, _T("Damaged or not a zip file.")},
    {CZipException::badCrc, _T("Crc is mismatched.")},
    {CZipException::noCallback, _T("There is no spanned archive callback object set.")},
    {CZipException::noVolumeSize, _T("The volume size was not defined for a split archive.")},
    {CZipException::aborted, _T("Volume change aborted in a segmented archive.")},
    {CZipException::abortedAction, _T("Action aborted.")},
    {CZipException::abortedSafely, _T("Action aborted safely.")},
    {CZipException::nonRemovable, _T("The device selected for the spanned archive is not removable.")},
    {CZipException::tooManyVolumes, _T("The limit of the maximum number of volumes has been reached.")},
    {CZipException::tooManyFiles, _T("The limit of the maximum number of files in an archive has been reached.")},
    {CZipException::tooLongData, _T("The filename, the comment or local or central extra field of the file added ")
                                 _T("to the archive is too long.")},
    {CZipException::tooBigSize, _T("The file size is too large to be supported.")},
    {CZipException::badPassword, _T("An incorrect password set for the file being decrypted.")},
    {CZipException::dirWithSize, _T("The directory with a non-zero size found while testing.")},
    {CZipException::internalError, _T("An internal error.")},
    {CZipException::platformNotSupported, _T("Cannot create a file for the specified platform.")},
    {CZipException::cdirNotFound, _T("The central directory was not found in the archive (or you were trying to ")
                                  _T("open not the last volume of a segmented archive).")},
    {CZipException::noZip64, _T("The Zip64 central directory signature was not found in the archive where expected.")},
    {CZipException::noBytesBeforeInZip64,
     _T("The number of bytes before a zip archive must be zero in the Zip64 format.")},
    {CZipException::badAesAuthCode, _T("Mismatched authentication code in WinZip AEC decrypted data.")},
    {CZipException::noZip64Support,
     _T("The Zip64 format has not been enabled for the library, but is required to use the archive.")},
    {CZipException::noAesSupport, _T("WinZip AES encryption has not been enabled for the library, but is required ")
                                  _T("to decompress the archive.")},
    {CZipException::streamEnd, _T("Zlib library error (end of stream).")},
    {CZipException::streamError, _T("Zlib library error (stream error).")},
    {CZipException::dataError, _T("Zlib library error (data error).")},
    {CZipException::memError, _T("Not enough memory.")},
    {CZipException::bufError, _T("Zlib library error (buffer error).")},
    {CZipException::versionError, _T("Zlib library error (version error).")},
    {CZipException::bzSequenceError, _T("Bzlib library sequence error.")},
    {CZipException::bzParamError, _T("Bzlib library parameters error.")},
    {CZipException::bzMemError, _T("Bzlib library memory error.")},
    {CZipException::bzDataError, _T("Bzlib library data error.")},
    {CZipException::bzDataErrorMagic, _T("Bzlib library error (invalid magic value).")},
    {CZipException::bzIoError, _T("Bzlib library IO error.")},
    {CZipException::bzUnexpectedEof, _T("Bzlib library error (unexpected EOF).")},
    {CZipException::bzOutbuffFull, _T("Bzlib library error (buffer full).")},
    {CZipException::bzConfigError, _T("Bzlib library configuration error.")},
    {CZipException::bzInternalError, _T("Bzlib library internal error.")},
};

// Codes whose text is a prefix followed by the system error text.
const CodeText kSystemPrefixes[] = {
    {CZipException::fileError, _T("A file error occurred")},
    {CZipException::notRemoved, _T("Error while removing a file")},
    {CZipException::notRenamed, _T("Error while renaming a file")},
};

// The C library's error numbers; higher values would be read as the library's own codes.
bool IsCError(int iErrno)
{
    return iErrno >= 1 && iErrno <= 30;
}

template <size_t N> LPCTSTR FindText(const CodeText (&table)[N], int iCode)
{
    for (const CodeText& entry : table)
    {
        if (entry.iCode == iCode)
            return entry.lpszText;
    }
    return nullptr;
}
} // namespace

CZipException::CZipException(int iCause, LPCTSTR lpszZipName)
    : CException(TRUE), m_szFileName(lpszZipName), m_iCause(iCause), m_uSystemError(::GetLastError())
{
}

void CZipException::Throw(int iCause, LPCTSTR lpszZipName)
{
    throw new CZipException(iCause, lpszZipName);
}

BOOL CZipException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT) const
{
    return CopyMessage(GetErrorDescription(), lpszError, nMaxError);
}

CString CZipException::GetErrorDescription() const
{
    return Describe(m_iCause, false, m_uSystemError);
}

CString CZipException::GetCodeDescription(int iCode, bool bNoSystemText)
{
    return Describe(iCode, bNoSystemText, ::GetLastError());
}

CString CZipException::GetLastErrorText()
{
    return SystemErrorText(::GetLastError());
}

CString CZipException::Describe(int iCode, bool bNoSystemText, DWORD uSystemError)
{
    if (LPCTSTR lpszText = FindText(kErrnoTexts, iCode))
        return lpszText;
    if (LPCTSTR lpszText = FindText(kLibraryTexts, iCode))
        return lpszText;
    if (LPCTSTR lpszPrefix = FindText(kSystemPrefixes, iCode))
    {
        CString szText;
        szText.Format(_T("%s (%s)."), lpszPrefix, static_cast<LPCTSTR>(SystemErrorText(uSystemError)));
        return szText;
    }
    if (iCode == errNo)
        return Describe(IsCError(errno) ? errno : genericError, false, uSystemError);
    return bNoSystemText ? CString(kUnspecified) : SystemErrorText(uSystemError);
}

CString CZipException::SystemErrorText(DWORD uSystemError)
{
    if (uSystemError == 0)
    {
        // Only the C library's own numbers: anything else could lead back here.
        LPCTSTR lpszText = FindText(kErrnoTexts, errno);
        return lpszText != nullptr ? lpszText : kUnspecified;
    }
    LPTSTR lpszBuffer = nullptr;
    const DWORD uLength = ::FormatMessage(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        uSystemError, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPTSTR>(&lpszBuffer), 0, nullptr);
    CString szText;
    if (uLength != 0)
        szText.SetString(lpszBuffer, static_cast<int>(uLength));
    ::LocalFree(lpszBuffer);
    return szText;
}
