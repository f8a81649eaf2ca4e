#include <afx.h>

#include <cerrno>

#include <gtest/gtest.h>

namespace
{
CString MessageOf(const CException& e, UINT nMax = 256)
{
    CString text;
    e.GetErrorMessage(text.GetBuffer(nMax), nMax);
    text.ReleaseBuffer();
    return text;
}
} // namespace

TEST(FileException, MessagesNameTheFile)
{
    const struct
    {
        int cause;
        LPCTSTR file;
        LPCTSTR expected;
    } cases[] = {
        {CFileException::fileNotFound, _T("C:\\data\\a.ctl"), _T("C:\\data\\a.ctl was not found.")},
        {CFileException::accessDenied, _T("x.log"), _T("Access to x.log was denied.")},
        {CFileException::sharingViolation, _T("Ärger.cpu"),
         _T("A sharing violation occurred while accessing Ärger.cpu.")},
        {CFileException::diskFull, nullptr, _T("Disk full while accessing an unnamed file.")},
        {CFileException::endOfFile, _T("f"), _T("An attempt was made to access f past its end.")},
        {CFileException::none, _T("f"), _T("No error occurred.")},
        {99, _T("f"), _T("An unknown error occurred while accessing f.")},
    };
    for (const auto& c : cases)
    {
        CFileException e(c.cause, 0, c.file);
        EXPECT_EQ(MessageOf(e), c.expected) << c.cause;
    }
}

TEST(FileException, MessageIsTruncatedToTheBuffer)
{
    CFileException e(CFileException::fileNotFound, ERROR_FILE_NOT_FOUND, _T("abc"));
    TCHAR buffer[8];
    ASSERT_TRUE(e.GetErrorMessage(buffer, 8));
    EXPECT_STREQ(buffer, _T("abc was"));
    EXPECT_FALSE(e.GetErrorMessage(buffer, 0));
    EXPECT_FALSE(e.GetErrorMessage(nullptr, 8));
}

TEST(FileException, OsErrorsAndErrnoMapToCauses)
{
    const struct
    {
        LONG error;
        int cause;
    } osCases[] = {
        {ERROR_FILE_NOT_FOUND, CFileException::fileNotFound},
        {ERROR_PATH_NOT_FOUND, CFileException::badPath},
        {ERROR_ACCESS_DENIED, CFileException::accessDenied},
        {ERROR_SHARING_VIOLATION, CFileException::sharingViolation},
        {ERROR_DISK_FULL, CFileException::diskFull},
        {ERROR_HANDLE_EOF, CFileException::endOfFile},
        {ERROR_LOCK_VIOLATION, CFileException::lockViolation},
        {NO_ERROR, CFileException::none},
        {ERROR_NOT_ENOUGH_MEMORY, CFileException::genericException},
    };
    for (const auto& c : osCases)
        EXPECT_EQ(CFileException::OsErrorToException(c.error), c.cause) << c.error;

    EXPECT_EQ(CFileException::ErrnoToException(ENOENT), CFileException::fileNotFound);
    EXPECT_EQ(CFileException::ErrnoToException(EACCES), CFileException::accessDenied);
    EXPECT_EQ(CFileException::ErrnoToException(ENOSPC), CFileException::diskFull);
    EXPECT_EQ(CFileException::ErrnoToException(12345), CFileException::genericException);
}

TEST(FileException, ThrowOsErrorCarriesCauseErrorAndName)
{
    try
    {
        CFileException::ThrowOsError(ERROR_PATH_NOT_FOUND, _T("Q:\\none\\x"));
    }
    catch (CFileException* e)
    {
        EXPECT_EQ(e->m_cause, CFileException::badPath);
        EXPECT_EQ(e->m_lOsError, ERROR_PATH_NOT_FOUND);
        EXPECT_EQ(e->m_strFileName, _T("Q:\\none\\x"));
        EXPECT_EQ(MessageOf(*e), _T("Q:\\none\\x contains an invalid path."));
        e->Delete();
        return;
    }
    FAIL() << "no exception";
}

TEST(ArchiveException, MessagesNameTheArchive)
{
    EXPECT_EQ(MessageOf(CArchiveException(CArchiveException::badSchema, _T("grid.gxs"))),
              _T("grid.gxs contains an incorrect schema."));
    EXPECT_EQ(MessageOf(CArchiveException(CArchiveException::endOfFile)),
              _T("An attempt was made to access an unnamed file past its end."));
}

TEST(Exception, ThrownByPointerAndCaughtAsTheirBase)
{
    const struct
    {
        void (*thrower)();
        CRuntimeClass* pClass;
        LPCTSTR message;
    } cases[] = {
        {[] { AfxThrowNotSupportedException(); }, RUNTIME_CLASS(CNotSupportedException),
         _T("An unsupported operation was attempted.")},
        {[] { AfxThrowInvalidArgException(); }, RUNTIME_CLASS(CInvalidArgException),
         _T("Encountered an improper argument.")},
        {[] { AfxThrowResourceException(); }, RUNTIME_CLASS(CResourceException),
         _T("A required resource was unavailable.")},
        {[] { AfxThrowMemoryException(); }, RUNTIME_CLASS(CMemoryException), _T("Out of memory.")},
        {[] { AfxThrowFileException(CFileException::badSeek, -1, _T("s")); }, RUNTIME_CLASS(CFileException),
         _T("Seek failed on s")},
        {[] { AfxThrowArchiveException(CArchiveException::badClass, _T("a")); }, RUNTIME_CLASS(CArchiveException),
         _T("a contained an unexpected object.")},
    };
    for (const auto& c : cases)
    {
        try
        {
            c.thrower();
            ADD_FAILURE() << "no exception";
        }
        catch (CException* e)
        {
            EXPECT_EQ(e->GetRuntimeClass(), c.pClass);
            EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CException)));
            EXPECT_EQ(MessageOf(*e), c.message);
            e->Delete();
        }
    }
}

TEST(Exception, DeleteFreesHeapExceptionsOnly)
{
    static int destroyed;
    destroyed = 0; // also when the test is repeated
    struct CCounted : CSimpleException
    {
        explicit CCounted(BOOL bAutoDelete) : CSimpleException(_T("counted"), bAutoDelete)
        {
        }
        ~CCounted() override
        {
            ++destroyed;
        }
    };

    (new CCounted(TRUE))->Delete();
    EXPECT_EQ(destroyed, 1);
    {
        CCounted onStack(FALSE);
        onStack.Delete();
        EXPECT_EQ(destroyed, 1);
    }
    EXPECT_EQ(destroyed, 2);

    // The memory exception is static: catching it twice gives the same object, still usable.
    CException* first = nullptr;
    for (int i = 0; i < 2; ++i)
    {
        try
        {
            AfxThrowMemoryException();
        }
        catch (CException* e)
        {
            if (first == nullptr)
                first = e;
            EXPECT_EQ(e, first);
            EXPECT_EQ(MessageOf(*e), _T("Out of memory."));
            e->Delete();
        }
    }
}
