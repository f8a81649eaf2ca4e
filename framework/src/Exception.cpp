#include <afxwin.h>

#include <cerrno>
#include <iterator>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CSimpleException)
IMPLEMENT_DYNAMIC(CResourceException, CSimpleException)
IMPLEMENT_DYNAMIC(CUserException, CSimpleException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)

namespace
{
const TCHAR kUnnamedFile[] = _T("an unnamed file");

// Messages by cause; "%1" stands for the file name.
const LPCTSTR kFileMessages[] = {
    _T("No error occurred."),
    _T("An unknown error occurred while accessing %1."),
    _T("%1 was not found."),
    _T("%1 contains an invalid path."),
    _T("%1 could not be opened because there are too many open files."),
    _T("Access to %1 was denied."),
    _T("An invalid file handle was associated with %1."),
    _T("%1 could not be removed because it is the current directory."),
    _T("%1 could not be created because the directory is full."),
    _T("Seek failed on %1"),
    _T("A hardware I/O error was reported while accessing %1."),
    _T("A sharing violation occurred while accessing %1."),
    _T("A locking violation occurred while accessing %1."),
    _T("Disk full while accessing %1."),
    _T("An attempt was made to access %1 past its end."),
};

const LPCTSTR kArchiveMessages[] = {
    _T("No error occurred."),
    _T("An unknown error occurred while accessing %1."),
    _T("An attempt was made to write to %1 while it was being read."),
    _T("An attempt was made to access %1 past its end."),
    _T("An attempt was made to read from %1 while it was being written."),
    _T("%1 has a bad format."),
    _T("%1 contained an unexpected object."),
    _T("%1 contains an incorrect schema."),
};

struct ErrorCause
{
    LONG error;
    int cause;
};

const ErrorCause kOsErrorCauses[] = {
    {NO_ERROR, CFileException::none},
    {ERROR_FILE_NOT_FOUND, CFileException::fileNotFound},
    {ERROR_PATH_NOT_FOUND, CFileException::badPath},
    {ERROR_TOO_MANY_OPEN_FILES, CFileException::tooManyOpenFiles},
    {ERROR_ACCESS_DENIED, CFileException::accessDenied},
    {ERROR_INVALID_HANDLE, CFileException::fileNotFound},
    {ERROR_BAD_FORMAT, CFileException::invalidFile},
    {ERROR_INVALID_ACCESS, CFileException::accessDenied},
    {ERROR_INVALID_DRIVE, CFileException::badPath},
    {ERROR_CURRENT_DIRECTORY, CFileException::removeCurrentDir},
    {ERROR_NOT_SAME_DEVICE, CFileException::badPath},
    {ERROR_NO_MORE_FILES, CFileException::fileNotFound},
    {ERROR_WRITE_PROTECT, CFileException::accessDenied},
    {ERROR_BAD_UNIT, CFileException::hardIO},
    {ERROR_NOT_READY, CFileException::hardIO},
    {ERROR_BAD_COMMAND, CFileException::hardIO},
    {ERROR_CRC, CFileException::hardIO},
    {ERROR_BAD_LENGTH, CFileException::badSeek},
    {ERROR_SEEK, CFileException::badSeek},
    {ERROR_NOT_DOS_DISK, CFileException::invalidFile},
    {ERROR_SECTOR_NOT_FOUND, CFileException::badSeek},
    {ERROR_WRITE_FAULT, CFileException::accessDenied},
    {ERROR_READ_FAULT, CFileException::badSeek},
    {ERROR_SHARING_VIOLATION, CFileException::sharingViolation},
    {ERROR_LOCK_VIOLATION, CFileException::lockViolation},
    {ERROR_WRONG_DISK, CFileException::badPath},
    {ERROR_SHARING_BUFFER_EXCEEDED, CFileException::tooManyOpenFiles},
    {ERROR_HANDLE_EOF, CFileException::endOfFile},
    {ERROR_HANDLE_DISK_FULL, CFileException::diskFull},
    {ERROR_DUP_NAME, CFileException::badPath},
    {ERROR_BAD_NETPATH, CFileException::badPath},
    {ERROR_NETWORK_BUSY, CFileException::accessDenied},
    {ERROR_DEV_NOT_EXIST, CFileException::badPath},
    {ERROR_ADAP_HDW_ERR, CFileException::hardIO},
    {ERROR_BAD_NET_RESP, CFileException::accessDenied},
    {ERROR_UNEXP_NET_ERR, CFileException::hardIO},
    {ERROR_BAD_REM_ADAP, CFileException::invalidFile},
    {ERROR_NO_SPOOL_SPACE, CFileException::directoryFull},
    {ERROR_NETNAME_DELETED, CFileException::accessDenied},
    {ERROR_NETWORK_ACCESS_DENIED, CFileException::accessDenied},
    {ERROR_BAD_DEV_TYPE, CFileException::invalidFile},
    {ERROR_BAD_NET_NAME, CFileException::badPath},
    {ERROR_TOO_MANY_NAMES, CFileException::tooManyOpenFiles},
    {ERROR_SHARING_PAUSED, CFileException::badPath},
    {ERROR_REQ_NOT_ACCEP, CFileException::accessDenied},
    {ERROR_FILE_EXISTS, CFileException::accessDenied},
    {ERROR_CANNOT_MAKE, CFileException::accessDenied},
    {ERROR_ALREADY_ASSIGNED, CFileException::badPath},
    {ERROR_INVALID_PASSWORD, CFileException::accessDenied},
    {ERROR_NET_WRITE_FAULT, CFileException::hardIO},
    {ERROR_DISK_CHANGE, CFileException::fileNotFound},
    {ERROR_DRIVE_LOCKED, CFileException::lockViolation},
    {ERROR_BUFFER_OVERFLOW, CFileException::badPath},
    {ERROR_DISK_FULL, CFileException::diskFull},
    {ERROR_NO_MORE_SEARCH_HANDLES, CFileException::tooManyOpenFiles},
    {ERROR_INVALID_TARGET_HANDLE, CFileException::invalidFile},
    {ERROR_INVALID_CATEGORY, CFileException::hardIO},
    {ERROR_INVALID_NAME, CFileException::badPath},
    {ERROR_INVALID_LEVEL, CFileException::badPath},
    {ERROR_NO_VOLUME_LABEL, CFileException::badPath},
    {ERROR_NEGATIVE_SEEK, CFileException::badSeek},
    {ERROR_SEEK_ON_DEVICE, CFileException::badSeek},
    {ERROR_DIR_NOT_ROOT, CFileException::badPath},
    {ERROR_DIR_NOT_EMPTY, CFileException::removeCurrentDir},
    {ERROR_LABEL_TOO_LONG, CFileException::badPath},
    {ERROR_BAD_PATHNAME, CFileException::badPath},
    {ERROR_LOCK_FAILED, CFileException::lockViolation},
    {ERROR_BUSY, CFileException::accessDenied},
    {ERROR_INVALID_ORDINAL, CFileException::invalidFile},
    {ERROR_ALREADY_EXISTS, CFileException::accessDenied},
    {ERROR_INVALID_EXE_SIGNATURE, CFileException::invalidFile},
    {ERROR_BAD_EXE_FORMAT, CFileException::invalidFile},
    {ERROR_FILENAME_EXCED_RANGE, CFileException::badPath},
    {ERROR_META_EXPANSION_TOO_LONG, CFileException::badPath},
    {ERROR_DIRECTORY, CFileException::badPath},
    {ERROR_OPERATION_ABORTED, CFileException::hardIO},
    {ERROR_IO_INCOMPLETE, CFileException::hardIO},
    {ERROR_IO_PENDING, CFileException::hardIO},
    {ERROR_SWAPERROR, CFileException::accessDenied},
};

const ErrorCause kErrnoCauses[] = {
    {0, CFileException::none},
    {EPERM, CFileException::accessDenied},
    {EACCES, CFileException::accessDenied},
    {ENOENT, CFileException::fileNotFound},
    {ENFILE, CFileException::tooManyOpenFiles},
    {EMFILE, CFileException::tooManyOpenFiles},
    {EBADF, CFileException::invalidFile},
    {EINVAL, CFileException::badPath},
    {ENAMETOOLONG, CFileException::badPath},
    {ENOTDIR, CFileException::badPath},
    {EISDIR, CFileException::accessDenied},
    {EEXIST, CFileException::accessDenied},
    {EXDEV, CFileException::badPath},
    {EIO, CFileException::hardIO},
    {ENOSPC, CFileException::diskFull},
    {ESPIPE, CFileException::badSeek},
    {EROFS, CFileException::accessDenied},
    {EDEADLOCK, CFileException::lockViolation},
};

template <size_t N> int LookUpCause(const ErrorCause (&table)[N], LONG error)
{
    for (const ErrorCause& entry : table)
    {
        if (entry.error == error)
            return entry.cause;
    }
    return CFileException::genericException;
}

template <size_t N> LPCTSTR MessageFor(const LPCTSTR (&messages)[N], int cause)
{
    return cause >= 0 && static_cast<size_t>(cause) < N ? messages[cause] : messages[1];
}

CString FileMessage(LPCTSTR lpszFormat, const CString& strFileName)
{
    CString message(lpszFormat);
    message.Replace(_T("%1"), strFileName.IsEmpty() ? kUnnamedFile : static_cast<LPCTSTR>(strFileName));
    return message;
}
} // namespace

CException::CException(BOOL bAutoDelete) : m_bAutoDelete(bAutoDelete)
{
}

CException::~CException() = default;

void CException::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CException::CopyMessage(LPCTSTR lpszMessage, LPTSTR lpszError, UINT nMaxError)
{
    if (lpszError == nullptr || nMaxError == 0)
        return FALSE;
    UINT i = 0;
    for (; i + 1 < nMaxError && lpszMessage != nullptr && lpszMessage[i] != 0; ++i)
        lpszError[i] = lpszMessage[i];
    lpszError[i] = 0;
    return lpszMessage != nullptr && lpszMessage[0] != 0;
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT) const
{
    CopyMessage(nullptr, lpszError, nMaxError);
    return FALSE;
}

int CException::ReportError(UINT nType, UINT nMessageID)
{
    TCHAR message[512];
    UINT nHelpContext = 0;
    CString text;
    if (GetErrorMessage(message, static_cast<UINT>(std::size(message)), &nHelpContext))
        text = message;
    else if (nMessageID == 0 || !text.LoadString(AfxGetResourceHandle(), nMessageID))
        text = _T("No error message is available.");
    return AfxMessageBox(text, nType, nHelpContext);
}

CSimpleException::CSimpleException(LPCTSTR lpszMessage, BOOL bAutoDelete)
    : CException(bAutoDelete), m_lpszMessage(lpszMessage)
{
}

BOOL CSimpleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT) const
{
    return CopyMessage(m_lpszMessage, lpszError, nMaxError);
}

CMemoryException::CMemoryException(BOOL bAutoDelete) : CSimpleException(_T("Out of memory."), bAutoDelete)
{
}

CNotSupportedException::CNotSupportedException(BOOL bAutoDelete)
    : CSimpleException(_T("An unsupported operation was attempted."), bAutoDelete)
{
}

CInvalidArgException::CInvalidArgException(BOOL bAutoDelete)
    : CSimpleException(_T("Encountered an improper argument."), bAutoDelete)
{
}

CResourceException::CResourceException(BOOL bAutoDelete)
    : CSimpleException(_T("A required resource was unavailable."), bAutoDelete)
{
}

CUserException::CUserException(BOOL bAutoDelete) : CSimpleException(_T("An unknown error has occurred."), bAutoDelete)
{
}

CFileException::CFileException(int cause, LONG lOsError, LPCTSTR lpszFileName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszFileName)
{
}

BOOL CFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT) const
{
    return CopyMessage(FileMessage(MessageFor(kFileMessages, m_cause), m_strFileName), lpszError, nMaxError);
}

int PASCAL CFileException::OsErrorToException(LONG lOsError)
{
    return LookUpCause(kOsErrorCauses, lOsError);
}

int PASCAL CFileException::ErrnoToException(int nErrno)
{
    return LookUpCause(kErrnoCauses, nErrno);
}

void PASCAL CFileException::ThrowOsError(LONG lOsError, LPCTSTR lpszFileName)
{
    AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

void PASCAL CFileException::ThrowErrno(int nErrno, LPCTSTR lpszFileName)
{
    AfxThrowFileException(ErrnoToException(nErrno), nErrno, lpszFileName);
}

CArchiveException::CArchiveException(int cause, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(lpszArchiveName)
{
}

BOOL CArchiveException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT) const
{
    return CopyMessage(FileMessage(MessageFor(kArchiveMessages, m_cause), m_strFileName), lpszError, nMaxError);
}

void AFXAPI AfxThrowMemoryException()
{
    // Allocating the exception could fail in turn: throw a static one that Delete() keeps.
    static CMemoryException memoryException(FALSE);
    throw &memoryException;
}

void AFXAPI AfxThrowNotSupportedException()
{
    throw new CNotSupportedException;
}

void AFXAPI AfxThrowInvalidArgException()
{
    throw new CInvalidArgException;
}

void AFXAPI AfxThrowResourceException()
{
    throw new CResourceException;
}

void AFXAPI AfxThrowUserException()
{
    throw new CUserException;
}

void AFXAPI AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}

void AFXAPI AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName)
{
    throw new CArchiveException(cause, lpszArchiveName);
}
