#include <zip/Exception.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <memory>

namespace
{
// The system's own text for an error, read independently of the library.
CString SystemText(DWORD uError)
{
    TCHAR szText[512] = {};
    ::FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, uError,
                    MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), szText, 512, nullptr);
    return szText;
}

CString MessageOf(const CZipException& e, UINT nMax = 1024)
{
    TCHAR szText[1024] = {};
    EXPECT_TRUE(e.GetErrorMessage(szText, nMax));
    return szText;
}

// Builds the exception with a known system error and errno.
CZipException* Make(int iCause, DWORD uSystemError = 0, int iErrno = 0)
{
    ::SetLastError(uSystemError);
    errno = iErrno;
    return new CZipException(iCause, _T("C:\\a.zip"));
}

struct FixedText
{
    int iCode;
    LPCTSTR lpszText;
};

class FixedTextTest : public testing::TestWithParam<FixedText>
{
};

TEST_P(FixedTextTest, MessageIsTheTableText)
{
    std::unique_ptr<CZipException> e(Make(GetParam().iCode));
    EXPECT_STREQ(GetParam().lpszText, MessageOf(*e));
    EXPECT_STREQ(GetParam().lpszText, CZipException::GetCodeDescription(GetParam().iCode, true));
}

INSTANTIATE_TEST_SUITE_P(
    Codes, FixedTextTest,
    testing::Values(FixedText{2, _T("No such file or directory.")}, FixedText{28, _T("No space left on device.")},
                    FixedText{101, _T("Damaged or not a zip file.")},
                    FixedText{111, _T("The filename, the comment or local or central extra field of the file added ")
                                   _T("to the archive is too long.")},
                    FixedText{120, _T("The central directory was not found in the archive (or you were trying to ")
                                   _T("open not the last volume of a segmented archive).")},
                    FixedText{505, _T("Not enough memory.")}, FixedText{504, _T("Zlib library error (data error).")},
                    FixedText{603, _T("Bzlib library data error.")},
                    FixedText{609, _T("Bzlib library internal error.")}));

TEST(ZipExceptionTest, TenCharacterBufferGetsNineCharactersAndATerminator)
{
    std::unique_ptr<CZipException> e(Make(CZipException::badZipFile));
    TCHAR szText[16];
    wmemset(szText, L'#', 16);
    EXPECT_TRUE(e->GetErrorMessage(szText, 10));
    EXPECT_STREQ(_T("Damaged o"), szText);
    EXPECT_EQ(L'#', szText[10]);
}

TEST(ZipExceptionTest, FileErrorCarriesTheSystemTextOfItsOwnError)
{
    std::unique_ptr<CZipException> e(Make(CZipException::fileError, ERROR_ACCESS_DENIED));
    EXPECT_EQ(5u, e->m_uSystemError);
    // The thread's error has moved on by the time the text is asked for.
    ::SetLastError(ERROR_FILE_NOT_FOUND);
    const CString szExpected = _T("A file error occurred (") + SystemText(ERROR_ACCESS_DENIED) + _T(").");
    EXPECT_FALSE(SystemText(ERROR_ACCESS_DENIED).IsEmpty());
    EXPECT_STREQ(szExpected, MessageOf(*e));
    EXPECT_STREQ(_T("C:\\a.zip"), e->m_szFileName);
}

TEST(ZipExceptionTest, RenameAndRemoveErrorsUseTheirPrefixes)
{
    std::unique_ptr<CZipException> e(Make(CZipException::notRenamed, ERROR_SHARING_VIOLATION));
    EXPECT_STREQ(_T("Error while renaming a file (") + SystemText(ERROR_SHARING_VIOLATION) + _T(")."), MessageOf(*e));
    e.reset(Make(CZipException::notRemoved, ERROR_ACCESS_DENIED));
    EXPECT_STREQ(_T("Error while removing a file (") + SystemText(ERROR_ACCESS_DENIED) + _T(")."), MessageOf(*e));
}

TEST(ZipExceptionTest, CodeWithoutTextUsesTheSystemErrorOrIsUnspecified)
{
    std::unique_ptr<CZipException> e(Make(CZipException::genericError, ERROR_DISK_FULL));
    EXPECT_STREQ(SystemText(ERROR_DISK_FULL), MessageOf(*e));

    e.reset(Make(CZipException::genericError));
    EXPECT_STREQ(_T("Unspecified error"), MessageOf(*e));
    // With no system error, errno names the cause.
    e.reset(Make(CZipException::needDict, 0, ENOENT));
    EXPECT_STREQ(_T("No such file or directory."), MessageOf(*e));

    ::SetLastError(ERROR_DISK_FULL);
    EXPECT_STREQ(_T("Unspecified error"), CZipException::GetCodeDescription(3, true));
    EXPECT_STREQ(SystemText(ERROR_DISK_FULL), CZipException::GetCodeDescription(3, false));
}

TEST(ZipExceptionTest, ZlibErrnoIsTheTextOfErrno)
{
    std::unique_ptr<CZipException> e(Make(CZipException::errNo));
    errno = ENOENT;
    EXPECT_STREQ(_T("No such file or directory."), MessageOf(*e));
    errno = CZipException::errNo;
    EXPECT_STREQ(_T("Unspecified error"), MessageOf(*e));
}

TEST(ZipExceptionTest, MessageFailsForNoBufferOrNoText)
{
    std::unique_ptr<CZipException> e(Make(CZipException::badCrc));
    TCHAR szText[8];
    EXPECT_FALSE(e->GetErrorMessage(nullptr, 8));
    EXPECT_FALSE(e->GetErrorMessage(szText, 0));
    // An error the system has no text for leaves the description empty.
    e.reset(Make(CZipException::genericError, 0x2000FFFF));
    EXPECT_FALSE(e->GetErrorMessage(szText, 8));
}

TEST(ZipExceptionTest, ThrowsOnTheHeapAsAFrameworkException)
{
    try
    {
        CZipException::Throw(CZipException::badCrc, _T("x.zip"));
    }
    catch (CException* e)
    {
        ASSERT_TRUE(e->IsKindOf(RUNTIME_CLASS(CZipException)));
        EXPECT_STREQ("CZipException", e->GetRuntimeClass()->m_lpszClassName);
        EXPECT_EQ(CZipException::badCrc, static_cast<CZipException*>(e)->m_iCause);
        e->Delete();
    }
}
} // namespace
