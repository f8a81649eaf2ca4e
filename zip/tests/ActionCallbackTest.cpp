#include <testing/ArchiveLayout.h>
#include <testing/CheckDirectory.h>

#include <zip/ActionCallback.h>
#include <zip/Archive.h>
#include <zip/Exception.h>

#include <testing/TempDirectory.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
// Records what it is told; answers false from the call numbered iStopAt (1-based) on.
class RecordingCallback : public CZipActionCallback
{
public:
    explicit RecordingCallback(int iStopAt = 0) : m_iStopAt(iStopAt)
    {
    }

    void Init(LPCTSTR lpszFileInZip, LPCTSTR lpszExternalFile) override
    {
        CZipActionCallback::Init(lpszFileInZip, lpszExternalFile);
        ++m_iInits;
    }
    void CallbackEnd() override
    {
        ++m_iEnds;
    }

    std::vector<ULONGLONG> m_calls;
    int m_iInits = 0;
    int m_iEnds = 0;

protected:
    bool Callback(ULONGLONG uProgress) override
    {
        m_calls.push_back(uProgress);
        return m_iStopAt == 0 || static_cast<int>(m_calls.size()) < m_iStopAt;
    }

private:
    int m_iStopAt;
};

void WriteBytes(const CString& szPath, size_t uSize)
{
    std::string bytes(uSize, '\0');
    for (size_t i = 0; i < uSize; ++i)
        bytes[i] = static_cast<char>('a' + (i * i) % 23);
    CFile file(szPath, CFile::modeCreate | CFile::modeWrite);
    file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
}

int CatchZipError(const std::function<void()>& action)
{
    try
    {
        action();
    }
    catch (CZipException* e)
    {
        const int iCause = e->m_iCause;
        e->Delete();
        return iCause;
    }
    return 0;
}

class ZipActionCallbackTest : public ::testing::Test
{
protected:
    ZipActionCallbackTest()
    {
        WriteBytes(m_dir.File(_T("first.bin")), 3000);
        WriteBytes(m_dir.File(_T("data.bin")), 10000);
    }

    TempDirectory m_dir;
    CZipArchive m_zip;
};
} // namespace

TEST(ZipActionCallbackStepTest, StepsAccumulateAndTheLastRequestHandsOverTheRest)
{
    struct Case
    {
        int iStep;
        std::vector<ULONGLONG> requests;
        ULONGLONG uLast;
        std::vector<ULONGLONG> expected;
    } cases[] = {
        {1, {5, 0, 7}, 0, {5, 7}},
        {3, {1, 2, 3, 4, 5}, 0, {6, 9}},
        {3, {1, 2, 3, 4}, 10, {6, 14}},
        {2, {1, 1}, 0, {2}},
    };
    for (const Case& c : cases)
    {
        RecordingCallback callback;
        callback.SetStep(c.iStep);
        callback.Init(nullptr, nullptr);
        for (ULONGLONG uRequest : c.requests)
            EXPECT_TRUE(callback.RequestCallback(uRequest));
        EXPECT_TRUE(callback.RequestLastCallback(c.uLast));
        EXPECT_EQ(c.expected, callback.m_calls) << "step " << c.iStep;
    }
}

TEST_F(ZipActionCallbackTest, AddingReportsNameTotalProgressAndEnd)
{
    RecordingCallback callback;
    callback.SetStep(3);
    ASSERT_TRUE(m_zip.Open(m_dir.File(_T("p.zip"))));
    m_zip.SetCallback(&callback, CZipActionCallback::cbAdd);
    ASSERT_TRUE(m_zip.AddNewFile(m_dir.File(_T("data.bin")), -1, false, 7, 1000));
    EXPECT_EQ(CZipActionCallback::cbAdd, callback.m_iType);
    EXPECT_EQ(CString(_T("data.bin")), callback.m_szFileInZip);
    EXPECT_EQ(m_dir.File(_T("data.bin")), callback.m_szExternalFile);
    EXPECT_EQ(10000u, callback.m_uTotalToProcess);
    EXPECT_EQ((std::vector<ULONGLONG>{3000, 3000, 3000, 1000}), callback.m_calls);
    EXPECT_EQ(1, callback.m_iEnds);

    m_zip.SetCallback(nullptr, CZipActionCallback::cbAdd);
    ASSERT_TRUE(m_zip.AddNewFile(m_dir.File(_T("first.bin"))));
    EXPECT_EQ(1, callback.m_iInits) << "removed";
    m_zip.Close();
}

TEST_F(ZipActionCallbackTest, StopDuringTheDataRemovesTheUnfinishedEntry)
{
    const CString szArchive = CheckDirectory::Root() + _T("stopped.zip");
    const CString szFirst = m_dir.File(_T("first.bin"));
    const CString szCopy = CheckDirectory::Fresh(_T("stopped")) + _T("first.bin");
    ASSERT_TRUE(::CopyFile(szFirst, szCopy, FALSE));
    RecordingCallback callback(2);
    ASSERT_TRUE(m_zip.Open(szArchive));
    ASSERT_TRUE(m_zip.AddNewFile(szCopy));
    m_zip.SetCallback(&callback, CZipActionCallback::cbAdd);
    EXPECT_EQ(CZipException::abortedSafely,
              CatchZipError([&] { m_zip.AddNewFile(m_dir.File(_T("data.bin")), -1, true, 7, 1000); }));
    EXPECT_EQ(1, callback.m_iEnds);
    EXPECT_EQ(1u, m_zip.GetCount());
    m_zip.Close(CZipArchive::afWriteDir);
    CheckDirectory::Expect(szArchive, {{"count", "1"}, {"compare", "1"}});
    const ArchiveLayout::Layout layout = ArchiveLayout::Parse(ArchiveLayout::ReadFileBytes(szArchive));
    ASSERT_EQ(1u, layout.headers.size());
    EXPECT_EQ(30 + layout.headers[0].name.size() + layout.headers[0].uComprSize, layout.end.uOffset)
        << "the unfinished data was cut off";
}

TEST_F(ZipActionCallbackTest, StopAtTheLastRequestKeepsTheCompleteEntry)
{
    RecordingCallback callback(4); // chunks of 3000, 3000, 3000, then the last request with 1000
    callback.SetStep(3);
    ASSERT_TRUE(m_zip.Open(m_dir.File(_T("l.zip"))));
    m_zip.SetCallback(&callback, CZipActionCallback::cbAdd);
    EXPECT_EQ(CZipException::abortedSafely,
              CatchZipError([&] { m_zip.AddNewFile(m_dir.File(_T("data.bin")), -1, true, 7, 1000); }));
    EXPECT_EQ(4u, callback.m_calls.size());
    EXPECT_EQ(1u, m_zip.GetCount());
    m_zip.Close();
    const ArchiveLayout::Layout layout = ArchiveLayout::Parse(ArchiveLayout::ReadFileBytes(m_dir.File(_T("l.zip"))));
    ASSERT_EQ(1u, layout.headers.size());
    EXPECT_EQ(10000u, layout.headers[0].uUncomprSize);
}

TEST_F(ZipActionCallbackTest, StopInASegmentedArchiveIsNotSafe)
{
    RecordingCallback callback(1);
    m_zip.GetStorage().OpenSplit(m_dir.File(_T("s.zip")), 100000, false);
    m_zip.ResetAfterOpen(0);
    m_zip.SetCallback(&callback, CZipActionCallback::cbAdd);
    EXPECT_EQ(CZipException::abortedAction,
              CatchZipError([&] { m_zip.AddNewFile(m_dir.File(_T("data.bin")), -1, true, 7, 1000); }));
    m_zip.Close(CZipArchive::afAfterException);
}

TEST_F(ZipActionCallbackTest, StopWhileWritingTheDirectoryCutsItOff)
{
    RecordingCallback callback(2);
    const CString szArchive = m_dir.File(_T("d.zip"));
    ASSERT_TRUE(m_zip.Open(szArchive));
    ASSERT_TRUE(m_zip.AddNewFile(m_dir.File(_T("first.bin"))));
    ASSERT_TRUE(m_zip.AddNewFile(m_dir.File(_T("data.bin"))));
    m_zip.SetCallback(&callback, CZipActionCallback::cbSave);
    const ULONGLONG uDataEnd = m_zip.GetStorage().GetPosition();
    EXPECT_EQ(CZipException::abortedSafely, CatchZipError([&] { m_zip.Close(); }));
    EXPECT_EQ((std::vector<ULONGLONG>{1, 1}), callback.m_calls);
    EXPECT_EQ(CZipActionCallback::cbSave, callback.m_iType);
    EXPECT_EQ(1, callback.m_iEnds);
    EXPECT_EQ(szArchive, m_zip.Close(CZipArchive::afAfterException));
    EXPECT_EQ(uDataEnd, ArchiveLayout::ReadFileBytes(szArchive).size());
}
