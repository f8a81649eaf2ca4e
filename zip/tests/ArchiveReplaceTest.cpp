#include <testing/ArchiveLayout.h>
#include <testing/CheckDirectory.h>

#include <zip/ActionCallback.h>
#include <zip/Archive.h>
#include <zip/Exception.h>
#include <zip/MemFile.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace
{
// Sums the bytes a move reports.
class MoveCallback : public CZipActionCallback
{
public:
    void CallbackEnd() override
    {
        ++m_iEnds;
    }
    ULONGLONG m_uMoved = 0;
    int m_iEnds = 0;

protected:
    bool Callback(ULONGLONG uProgress) override
    {
        m_uMoved += uProgress;
        return true;
    }
};

// Three entries a, b, c; the one at iIndex is then replaced by r.txt.
class ZipReplaceTest : public ::testing::Test
{
protected:
    void Build(LPCTSTR lpszArchive, int iReplacementLines)
    {
        m_szDir = CheckDirectory::Fresh(CString(lpszArchive) + _T("-files"));
        CheckDirectory::WriteLines(m_szDir + _T("a.txt"), 300, "alpha");
        CheckDirectory::WriteLines(m_szDir + _T("b.txt"), 200, "beta");
        CheckDirectory::WriteLines(m_szDir + _T("c.txt"), 400, "gamma");
        CheckDirectory::WriteLines(m_szDir + _T("r.txt"), iReplacementLines, "replacement");
        m_szArchive = CheckDirectory::Root() + lpszArchive;
        ASSERT_TRUE(m_zip.Open(m_szArchive));
        for (LPCTSTR lpszName : {_T("a.txt"), _T("b.txt"), _T("c.txt")})
            ASSERT_TRUE(m_zip.AddNewFile(m_szDir + lpszName));
    }

    ArchiveLayout::Layout Finish()
    {
        m_zip.Close();
        CheckDirectory::Expect(m_szArchive, {{"count", "3"}, {"compare", "1"}});
        return ArchiveLayout::Parse(ArchiveLayout::ReadFileBytes(m_szArchive));
    }

    CString m_szDir;
    CString m_szArchive;
    CZipArchive m_zip;
};
} // namespace

TEST_F(ZipReplaceTest, CompressedReplacementsGrowAndShrinkTheSpace)
{
    struct Case
    {
        LPCTSTR lpszArchive;
        ULONGLONG uIndex;
        int iLines;
        int iLevel;
        int iSmartness;
    } cases[] = {
        {_T("replace-grow.zip"), 0, 2000, 9, 0},
        {_T("replace-shrink.zip"), 1, 3, -1, CZipAddRequest::smMemoryTempArchive},
        {_T("replace-stored.zip"), 0, 50, 0, 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(CW2A(c.lpszArchive)));
        Build(c.lpszArchive, c.iLines);
        CZipAddRequest request(m_szDir + _T("r.txt"), true);
        request.m_uReplaceIndex = c.uIndex;
        request.m_iComprLevel = c.iLevel;
        request.m_iSmartness = c.iSmartness;
        MoveCallback callback;
        m_zip.SetCallback(&callback, CZipActionCallback::cbReplace);
        ASSERT_TRUE(m_zip.AddFileByRequest(request));
        const ArchiveLayout::Layout layout = Finish();
        EXPECT_EQ(1, callback.m_iEnds);
        const ArchiveLayout::CentralHeader& last = layout.headers[2];
        EXPECT_EQ(layout.end.uOffset - layout.headers[c.uIndex + 1].uLocalOffset, callback.m_uMoved)
            << "everything behind the replaced entry moved";
        ASSERT_EQ(layout.end.uOffset, last.uLocalOffset + 30 + last.name.size() + last.uComprSize);
        ASSERT_EQ(3u, layout.headers.size());
        EXPECT_EQ(CheckDirectory::EntryName(m_szDir + _T("r.txt")), layout.headers[c.uIndex].name);
        EXPECT_EQ(CheckDirectory::EntryName(m_szDir + _T("c.txt")), layout.headers[2].name);
        if (c.iLevel == 9)
        {
            EXPECT_EQ(2, layout.headers[c.uIndex].uFlag & 6) << "the copy keeps the level's bits";
        }
        if (c.iLevel == 0)
        {
            EXPECT_EQ(0, layout.headers[c.uIndex].uMethod);
        }
        // The entries lie back to back, as the directory says.
        for (size_t i = 0; i + 1 < layout.headers.size(); ++i)
        {
            const ArchiveLayout::CentralHeader& h = layout.headers[i];
            EXPECT_EQ(h.uLocalOffset + 30 + h.name.size() + h.uComprSize, layout.headers[i + 1].uLocalOffset) << i;
        }
    }
}

TEST_F(ZipReplaceTest, EqualSizeReplacementMovesNothing)
{
    Build(_T("replace-equal.zip"), 10);
    const CString szSame = m_szDir + _T("b2.txt");
    ASSERT_TRUE(::CopyFile(m_szDir + _T("b.txt"), szSame, FALSE));
    const ULONGLONG uLength = m_zip.GetStorage().GetPosition();
    // The same name length and data give the same size.
    CZipAddRequest request(szSame, false);
    request.m_szFileNameInZip = CheckDirectory::EntryName(m_szDir + _T("b.txt")).c_str();
    request.m_szFileNameInZip.Replace(_T('/'), _T('\\'));
    request.m_uReplaceIndex = 1;
    ASSERT_TRUE(m_zip.AddFileByRequest(request));
    EXPECT_EQ(uLength, m_zip.GetStorage().GetFile()->GetLength());
    const ArchiveLayout::Layout layout = Finish();
    ASSERT_EQ(3u, layout.headers.size());
    EXPECT_EQ(layout.headers[1].uLocalOffset + 30 + layout.headers[1].name.size() + layout.headers[1].uComprSize,
              layout.headers[2].uLocalOffset);
}

TEST(ZipSegmentedEfficiencyTest, CheckGoesThroughATemporaryArchive)
{
    const CString szDir = CheckDirectory::Fresh(_T("split-efficiency"));
    std::string noise(70000, '\0');
    unsigned uState = 7;
    for (char& c : noise)
    {
        uState = uState * 1103515245 + 12345;
        c = static_cast<char>(uState >> 23);
    }
    {
        CFile file(szDir + _T("noise.bin"), CFile::modeCreate | CFile::modeWrite);
        file.Write(noise.data(), static_cast<UINT>(noise.size()));
    }
    CheckDirectory::WriteLines(szDir + _T("text.txt"), 500, "text");
    const CString szArchive = szDir + _T("split-eff.zip");
    CZipArchive zip;
    zip.GetStorage().OpenSplit(szArchive, 50000, false);
    zip.ResetAfterOpen(0);
    const int iSmartness = CZipAddRequest::smDefault | CZipAddRequest::smCheckEfficiency;
    ASSERT_TRUE(zip.AddNewFile(szDir + _T("noise.bin"), -1, true, iSmartness));
    ASSERT_TRUE(zip.AddNewFile(szDir + _T("text.txt"), -1, true, iSmartness | CZipAddRequest::smMemoryTempArchive));
    zip.Close();
    CheckDirectory::Expect(szArchive, {{"count", "2"}, {"split", "1"}});
}

namespace
{
// A source that fails after its first chunk.
class FailingFile : public CZipMemFile
{
public:
    FailingFile()
    {
        const std::string bytes(5000, 'x');
        Write(bytes.data(), static_cast<UINT>(bytes.size()));
    }
    UINT Read(void* lpBuf, UINT nCount) override
    {
        if (m_bRead)
            CZipException::Throw(CZipException::genericError);
        m_bRead = true;
        return CZipMemFile::Read(lpBuf, std::min<UINT>(nCount, 1000));
    }

private:
    bool m_bRead = false;
};
} // namespace

TEST_F(ZipReplaceTest, AFailingSourceLeavesTheOtherEntriesReadable)
{
    struct Case
    {
        LPCTSTR lpszArchive;
        ULONGLONG uReplaceIndex;
        int iLevel;
        size_t uEntries;
    } cases[] = {
        {_T("failed-append.zip"), CZipCentralDir::s_uNoIndex, -1, 3},
        {_T("failed-replace-stored.zip"), 0, 0, 2},
        {_T("failed-replace-compressed.zip"), 1, -1, 3},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(CW2A(c.lpszArchive)));
        Build(c.lpszArchive, 1);
        FailingFile source;
        CZipAddRequest request(nullptr, true);
        request.m_pFile = &source;
        request.m_szFileNameInZip = _T("failing.bin");
        request.m_uReplaceIndex = c.uReplaceIndex;
        request.m_iComprLevel = c.iLevel;
        request.m_nBufSize = 1000;
        try
        {
            m_zip.AddFileByRequest(request);
            ADD_FAILURE() << "no exception";
        }
        catch (CZipException* e)
        {
            e->Delete();
        }
        m_zip.Close(CZipArchive::afWriteDir);
        CheckDirectory::Expect(m_szArchive, {{"count", std::to_string(c.uEntries)}, {"compare", "1"}});
        const ArchiveLayout::Layout layout = ArchiveLayout::Parse(ArchiveLayout::ReadFileBytes(m_szArchive));
        ASSERT_EQ(c.uEntries, layout.headers.size());
        EXPECT_EQ(0u, layout.headers[0].uLocalOffset) << "no gap is left";
        for (const ArchiveLayout::CentralHeader& header : layout.headers)
            EXPECT_NE("failing.bin", header.name);
    }
}
